// Frame, document and view: the single-document template, command routing
// and command-UI, the bars in the frame's layout, prompts on the status
// bar, tool-bar clicks, fly-by prompts and tips, closing, and the command
// line.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/gfx/SysColors.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"
#include "platform/framework/View.h"
#include "res/resource.h"

namespace {

constexpr UINT kResId = 4100;
constexpr UINT ID_OPEN = 32941, ID_VIEWONLY = 32950, ID_DOCONLY = 32951, ID_FRAMEONLY = 32952, ID_APPONLY = 32953,
               ID_BOTH = 32954, ID_GREY = 32955, ID_CHECKED = 32956, ID_NOHANDLER = 32957;

std::vector<std::string>& events() {
  static std::vector<std::string> e;
  return e;
}

struct Options {
  bool failCreate = false;
  bool vetoClose = false;
  bool restorePlacement = false;
};
Options& options() {
  static Options o;
  return o;
}

class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)
 public:
  ~TestDoc() override { events().push_back("doc deleted"); }
  void OnDocOnly() { events().push_back("doc"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
  ON_COMMAND(ID_DOCONLY, OnDocOnly)
END_MESSAGE_MAP()

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)
 public:
  std::vector<LPARAM> hints;
  void OnInitialUpdate() override {
    events().push_back("initial update");
    CView::OnInitialUpdate();
    if (options().restorePlacement) {
      // The main window goes back to its saved place, still hidden.
      WINDOWPLACEMENT wp{};
      wp.length = sizeof wp;
      wp.showCmd = SW_HIDE;
      wp.rcNormalPosition = RECT{30, 40, 530, 440};
      GetParentFrame()->SetWindowPlacement(&wp);
    }
  }
  void OnUpdate(CView* sender, LPARAM hint, CObject* o) override {
    hints.push_back(hint);
    CView::OnUpdate(sender, hint, o);
  }
  void OnDraw(CDC*) override {}
  void OnViewOnly() { events().push_back("view"); }
  void OnBoth() { events().push_back("view both"); }
  void OnOpen() { events().push_back("open"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
  ON_COMMAND(ID_VIEWONLY, OnViewOnly)
  ON_COMMAND(ID_BOTH, OnBoth)
  ON_COMMAND(ID_OPEN, OnOpen)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(TestFrame)
 public:
  CToolBar m_wndToolBar;
  CStatusBar m_wndStatusBar;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    cs.style = WS_OVERLAPPEDWINDOW;
    return CFrameWnd::PreCreateWindow(cs);
  }
  void GetMessageString(UINT nID, CString& message) const override {
    if (nID == ID_FRAMEONLY) message = "Built for the unit";
    else CFrameWnd::GetMessageString(nID, message);
  }
  void OnFrameOnly() { events().push_back("frame"); }
  void OnBoth() { events().push_back("frame both"); }
  void OnUpdateGrey(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
  LRESULT OnCommandHelp(WPARAM, LPARAM context) {
    events().push_back("help " + std::to_string(context));
    return 1;
  }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (options().failCreate) return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, RECT{0, 0, 0, 0},
                               AFX_IDW_TOOLBAR))
      return -1;
    m_wndToolBar.SetSizes(SIZE{31, 30}, SIZE{24, 23});
    const UINT buttons[] = {ID_OPEN, ID_SEPARATOR, ID_GREY, ID_CHECKED, ID_NOHANDLER};
    m_wndToolBar.SetButtons(buttons, 5);
    const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    return 0;
  }
  void OnClose() override {
    events().push_back("close asked");
    if (!options().vetoClose) CFrameWnd::OnClose();
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_COMMAND(ID_FRAMEONLY, OnFrameOnly)
  ON_COMMAND(ID_BOTH, OnBoth)
  ON_UPDATE_COMMAND_UI(ID_GREY, OnUpdateGrey)
  ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
  ON_COMMAND(ID_HELP, OnHelp)
  ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("FrameTest") {}
  void OnAppOnly() { events().push_back("app"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
  ON_COMMAND(ID_APPONLY, OnAppOnly)
END_MESSAGE_MAP()

const std::map<UINT, std::string>& strings() {
  static const std::map<UINT, std::string> s = {
      {kResId, "Selvane\nfyXX"},
      {ID_OPEN, "Open a set of files for a different fiscal year\nOpen (Ctrl+O)"},
      {ID_GREY, "Greyed command\nGrey"},
      {ID_CHECKED, "Checked command\nChecked"},
      {ID_VIEW_TOOLBAR, "Display or hide the toolbar\nToggle ToolBar"},
  };
  return s;
}

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    events().clear();
    options() = Options{};
    AfxSetStringTable([](UINT id, std::string& text) {
      auto it = strings().find(id);
      if (it == strings().end()) return false;
      text = it->second;
      return true;
    });
    app_ = std::make_unique<TestApp>();
    app_->m_nCmdShow = SW_HIDE;
    app_->AddDocTemplate(new CSingleDocTemplate(kResId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                                RUNTIME_CLASS(TestView)));
  }
  void TearDown() override {
    automation::ResetWindows();
    app_.reset();
    AfxSetStringTable(nullptr);
  }
  TestFrame* start() {
    app_->OnFileNew();
    auto* frame = dynamic_cast<TestFrame*>(app_->m_pMainWnd);
    if (frame) {
      frame->ShowWindow(SW_SHOWNORMAL);
      automation::PumpUntilIdle();
    }
    return frame;
  }
  static POINT centreOf(CToolBar& bar, int index) {
    RECT r;
    bar.GetItemRect(index, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void idle() {
    app_->OnIdle(0);
    automation::PumpUntilIdle();
  }
  std::unique_ptr<TestApp> app_;
};

TEST_F(FrameTest, StatusBarShowsTheIdlePromptOnceIdle) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "");
  idle();
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(FrameTest, TemplateMakesDocumentFrameAndViewHiddenUntilShown) {
  app_->OnFileNew();
  auto* frame = dynamic_cast<TestFrame*>(app_->m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->IsWindowVisible()) << "the show command was SW_HIDE";
  CView* view = frame->GetActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  auto* doc = dynamic_cast<TestDoc*>(frame->GetActiveDocument());
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "fyXX");
  EXPECT_EQ(doc->GetViewCount(), 1);
  EXPECT_EQ(events(), (std::vector<std::string>{"initial update"}));
  CString caption;
  frame->GetWindowText(caption);
  EXPECT_EQ(caption, "Selvane") << "no document name in the title without FWS_ADDTOTITLE";
  EXPECT_EQ(app_->m_nCmdShow, -1) << "the show command is used once";
  frame->ShowWindow(SW_SHOWNORMAL);
  EXPECT_TRUE(frame->IsWindowVisible());
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(view->m_hWnd, 5, 5), GetSysColor(COLOR_WINDOW)) << "a view is erased in the window colour";
}

TEST_F(FrameTest, APlacementRestoredAtTheInitialUpdateStays) {
  options().restorePlacement = true;
  app_->OnFileNew();
  CWnd* frame = app_->m_pMainWnd;
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->IsWindowVisible());
  frame->ShowWindow(SW_SHOWNORMAL);
  RECT r;
  frame->GetWindowRect(&r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 530);
  EXPECT_EQ(r.bottom, 440);
}

TEST_F(FrameTest, CommandsRouteThroughViewDocumentFrameAndApplication) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  const struct {
    UINT id;
    const char* reached;
  } cases[] = {{ID_VIEWONLY, "view"}, {ID_DOCONLY, "doc"}, {ID_FRAMEONLY, "frame"}, {ID_APPONLY, "app"},
               {ID_BOTH, "view both"}};
  for (const auto& c : cases) {
    events().clear();
    frame->SendMessage(WM_COMMAND, c.id, 0);
    EXPECT_EQ(events(), (std::vector<std::string>{c.reached})) << c.id;
  }
}

TEST_F(FrameTest, MenuItemsAreEnabledByHandlersAnywhereAlongTheRouting) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  const UINT ids[] = {ID_VIEWONLY, ID_DOCONLY, ID_APPONLY, ID_NOHANDLER, ID_GREY, ID_VIEW_TOOLBAR};
  for (UINT id : ids) popup.AppendMenu(MF_STRING, id, "item");
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
  const struct {
    UINT id;
    bool grey;
    bool checked;
  } expected[] = {{ID_VIEWONLY, false, false}, {ID_DOCONLY, false, false}, {ID_APPONLY, false, false},
                  {ID_NOHANDLER, true, false}, {ID_GREY, true, false}, {ID_VIEW_TOOLBAR, false, true}};
  for (const auto& e : expected) {
    UINT state = popup.GetMenuState(e.id, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_GRAYED) != 0, e.grey) << e.id;
    EXPECT_EQ((state & MF_CHECKED) != 0, e.checked) << e.id;
  }
}

TEST_F(FrameTest, BarsTakeTheirEdgesAndTheViewTheRest) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  RECT client, tool, status, view;
  frame->GetClientRect(&client);
  frame->m_wndToolBar.GetWindowRect(&tool);
  frame->m_wndStatusBar.GetWindowRect(&status);
  frame->GetActiveView()->GetWindowRect(&view);
  frame->ScreenToClient(&tool);
  frame->ScreenToClient(&status);
  frame->ScreenToClient(&view);
  EXPECT_EQ(tool.top, 0);
  EXPECT_EQ(tool.bottom - tool.top, 30 + 2 * 2 + 2) << "buttons, padding and the bottom border line";
  EXPECT_EQ(view.top, tool.bottom);
  EXPECT_EQ(view.bottom, status.top);
  EXPECT_EQ(status.bottom, client.bottom);
  // Hiding the tool bar from the View menu gives its room to the view.
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR, 0);
  EXPECT_FALSE(frame->m_wndToolBar.IsWindowVisible());
  frame->GetActiveView()->GetWindowRect(&view);
  frame->ScreenToClient(&view);
  EXPECT_EQ(view.top, 0);
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR, 0);
  EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
}

TEST_F(FrameTest, ToolBarButtonsFollowTheUpdateHandlers) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  idle();
  CToolBar& bar = frame->m_wndToolBar;
  EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_OPEN)) << "a command the view handles";
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_GREY));
  EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_CHECKED));
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_NOHANDLER)) << "nothing handles it";
  // A click on an enabled button is a command; on a disabled one nothing.
  events().clear();
  automation::Click(bar.m_hWnd, centreOf(bar, 0));
  automation::Click(bar.m_hWnd, centreOf(bar, 2));
  automation::PumpUntilIdle();
  EXPECT_EQ(events(), (std::vector<std::string>{"open"}));
}

TEST_F(FrameTest, HoveringShowsThePromptAndLaterTheTip) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  idle();
  CToolBar& bar = frame->m_wndToolBar;
  automation::MouseMove(bar.m_hWnd, centreOf(bar, 0));
  automation::PumpUntilIdle();
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Open a set of files for a different fiscal year");
  idle();
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Open a set of files for a different fiscal year")
      << "idle time keeps the prompt of the command under the mouse";
  HWND tips = bar.GetToolTips() ? bar.GetToolTips()->m_hWnd : nullptr;
  ASSERT_NE(tips, nullptr);
  automation::AdvanceClock(300);
  EXPECT_FALSE(IsWindowVisible(tips)) << "not before the initial delay";
  automation::AdvanceClock(300);
  EXPECT_TRUE(IsWindowVisible(tips));
  // Leaving the bar hides the tip and brings the idle prompt back.
  automation::MouseMove(frame->GetActiveView()->m_hWnd, POINT{50, 50});
  automation::AdvanceClock(200);
  EXPECT_FALSE(IsWindowVisible(tips));
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(FrameTest, PromptsFromMenusAndMessageStrings) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  CStatusBar& bar = frame->m_wndStatusBar;
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_OPEN, 0), 1);
  EXPECT_EQ(bar.GetPaneText(0), "Open a set of files for a different fiscal year") << "the text before the break";
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FRAMEONLY, 0), 1);
  EXPECT_EQ(bar.GetPaneText(0), "Built for the unit") << "GetMessageString overridden";
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), 1);
  EXPECT_EQ(bar.GetPaneText(0), "");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(bar.GetPaneText(0), "Ready");
  frame->SetMessageText("Processing... 40%");
  EXPECT_EQ(bar.GetPaneText(0), "Processing... 40%");
  frame->SetMessageText(ID_NOHANDLER);
  EXPECT_EQ(bar.GetPaneText(0), "") << "no string, no prompt";
}

TEST_F(FrameTest, CloseCanBeRefusedAndClosingEndsDocumentAndView) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  HWND hwnd = frame->m_hWnd;
  options().vetoClose = true;
  frame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(IsWindow(hwnd));
  options().vetoClose = false;
  events().clear();
  ::SendMessage(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(events(), (std::vector<std::string>{"close asked", "doc deleted"}));
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
}

TEST_F(FrameTest, AFrameThatCannotBeMadeIsReportedAndLeavesNothing) {
  options().failCreate = true;
  automation::ExpectMessageBox("", "Failed to create empty document.", IDOK);
  app_->OnFileNew();
  EXPECT_EQ(app_->m_pMainWnd, nullptr);
  EXPECT_EQ(events(), (std::vector<std::string>{"doc deleted"}));
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(FrameTest, UpdateAllViewsSkipsTheSenderAndModifiedFlagHolds) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  auto* doc = frame->GetActiveDocument();
  auto* view = static_cast<TestView*>(frame->GetActiveView());
  view->hints.clear();
  doc->UpdateAllViews(nullptr, 7);
  doc->UpdateAllViews(view, 8);
  EXPECT_EQ(view->hints, (std::vector<LPARAM>{7}));
  EXPECT_FALSE(doc->IsModified());
  doc->SetModifiedFlag();
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(FrameTest, LargeIconIsKept) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  frame->SetIcon(icon, TRUE);
  EXPECT_EQ(frame->GetIcon(TRUE), icon);
  EXPECT_EQ(frame->GetIcon(FALSE), nullptr);
}

TEST_F(FrameTest, HelpAsksTheFrameWithTheContextOfThePromptedCommand) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  events().clear();
  frame->SendMessage(WM_COMMAND, ID_HELP, 0);
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_OPEN, 0), 1);
  frame->SendMessage(WM_COMMAND, ID_HELP, 0);
  EXPECT_EQ(events(), (std::vector<std::string>{"help 0", "help " + std::to_string(0x10000 + ID_OPEN)}));
}

TEST_F(FrameTest, StatusBarIndicatorsTakeTheirTextAndFollowUpdates) {
  TestFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  CStatusBar& bar = frame->m_wndStatusBar;
  const UINT panes[] = {ID_SEPARATOR, ID_GREY, ID_CHECKED};
  ASSERT_TRUE(bar.SetIndicators(panes, 3));
  EXPECT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(bar.CommandToIndex(ID_CHECKED), 2);
  EXPECT_EQ(bar.GetPaneText(2), "Checked command\nChecked");
  RECT prompt, grey;
  bar.GetItemRect(0, &prompt);
  bar.GetItemRect(1, &grey);
  EXPECT_GT(prompt.right - prompt.left, grey.right - grey.left) << "the prompt pane stretches";
  bar.SetPaneText(2, "CAP");
  EXPECT_EQ(bar.GetPaneText(2), "CAP");
  idle();
  EXPECT_EQ(bar.GetPaneText(1), "") << "a disabled indicator shows nothing";
  EXPECT_EQ(bar.GetPaneText(2), "CAP");
}

class TestForm : public CFormView {
  DECLARE_DYNCREATE(TestForm)
 public:
  TestForm() : CFormView(7300) {}
  CString name = "Troop 42";
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 101, name); }
};
IMPLEMENT_DYNCREATE(TestForm, CFormView)

TEST(FormView, AFormMadeFromATemplateFillsTheFrameAndExchangesData) {
  automation::ResetWindows();
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7300
  rect 0 0 160 40
  style WS_CHILD
  control Static IDC_STATIC "&Name:" 7 9 30 8
  control Edit 101 "" 40 7 100 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
end
)",
                                 "form", &error))
      << error;
  {
    CWinApp app("FormView");
    app.AddDocTemplate(
        new CSingleDocTemplate(7301, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(TestForm)));
    app.OnFileNew();
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    auto* form = dynamic_cast<TestForm*>(frame->GetActiveView());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_FALSE(form->GetStyle() & WS_CAPTION);
    EXPECT_EQ(form->GetDocument(), frame->GetActiveDocument());
    CString text;
    form->GetDlgItemText(101, text);
    EXPECT_EQ(text, "Troop 42") << "loaded at the initial update";
    form->SetDlgItemText(101, "Pack 7");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->name, "Pack 7");
    RECT client, pane;
    frame->GetClientRect(&client);
    form->GetWindowRect(&pane);
    EXPECT_EQ(pane.right - pane.left, client.right - client.left);
    automation::ResetWindows();
  }
}

class MenuFrame : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CFrameWnd::OnCommand(wParam, lParam);
  }
  void PostNcDestroy() override {}
};

TEST(FrameResources, LoadFrameTakesMenuAndAcceleratorsOfItsId) {
  automation::ResetWindows();
  CWinApp app("FrameResources");
  {
    MenuFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_GALLERY, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOW);
    automation::PumpUntilIdle();
    ASSERT_NE(::GetMenu(frame.m_hWnd), nullptr);
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(frame.m_hWnd)), 2);
    CString caption;
    frame.GetWindowText(caption);
    EXPECT_EQ(caption, "FrameResources") << "no string of the id: the application's name";
    // Keys reach the frame's accelerators through the application's loop.
    frame.SetFocus();
    automation::PressKey('M', false, true);
    MSG peek;
    while (::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) app.PumpMessage();
    EXPECT_EQ(frame.commands, (std::vector<UINT>{IDC_GAL_MESSAGEBOX}));
    app.m_pMainWnd = nullptr;
  }
  automation::ResetWindows();
}

TEST(CommandLine, ParametersAndFlags) {
  const struct {
    const char* line;
    int command;
    const char* file;
    BOOL splash;
  } cases[] = {
      {"", CCommandLineInfo::FileNew, "", TRUE},
      {"/nologo", CCommandLineInfo::FileNew, "", FALSE},
      {"\"my data/fy2001\" -NOLOGO", CCommandLineInfo::FileOpen, "my data/fy2001", FALSE},
      {"  a.dat   b.dat", CCommandLineInfo::FileOpen, "a.dat", TRUE},
  };
  for (const auto& c : cases) {
    CWinApp app("CommandLine");
    std::string line = c.line;
    app.m_lpCmdLine = line.data();
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, c.command) << c.line;
    EXPECT_EQ(info.m_strFileName, c.file) << c.line;
    EXPECT_EQ(info.m_bShowSplash, c.splash) << c.line;
  }
}

}  // namespace
