#include "app/MainFrame.h"

#include <cstdio>

#include "app/BackupDlg.h"
#include "common/CommandIds.h"
#include "app/Preferences.h"
#include "common/Question.h"
#include "common/SplashWindow.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/menus/Menu.h"
#include "platform/shell/Help.h"
#include "platform/window/Messages.h"
#include "store/Integrity.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
  ON_COMMAND(ID_HELP, OnHelp)
  ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
  ON_COMMAND(ID_FILE_EXIT, OnExit)
END_MESSAGE_MAP()

namespace {

constexpr int kButtonPictures = 14;
constexpr int kPictureWidth = 24;
constexpr int kPictureHeight = 23;

// The fourteen button pictures, drawn here: a coloured emblem per button on
// the classic light grey; the second strip (resource 254) is drawn in the
// other palette.
HBITMAP MakeToolStrip(CDC* screen, bool alternate) {
  CDC mem;
  mem.CreateCompatibleDC(screen);
  CBitmap strip;
  strip.CreateCompatibleBitmap(screen, kPictureWidth * kButtonPictures, kPictureHeight);
  CBitmap* old = mem.SelectObject(&strip);
  mem.FillSolidRect(0, 0, kPictureWidth * kButtonPictures, kPictureHeight, RGB(192, 192, 192));
  const char* const letters[kButtonPictures] = {"O", "B", "I", "A", "S", "P", "G", "Sc", "Ad", "E", "F", "N", "+", "31"};
  const COLORREF base[kButtonPictures] = {RGB(255, 255, 0), RGB(0, 0, 128),  RGB(0, 128, 0),   RGB(128, 0, 0),
                                          RGB(0, 128, 128), RGB(128, 0, 128), RGB(0, 0, 255),   RGB(0, 128, 0),
                                          RGB(128, 64, 0),  RGB(64, 64, 64),  RGB(192, 0, 0),   RGB(255, 255, 255),
                                          RGB(0, 0, 0),     RGB(255, 0, 0)};
  CFont font;
  font.CreateFont(-11, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x20, "Arial");
  CFont* oldFont = mem.SelectObject(&font);
  mem.SetBkMode(TRANSPARENT);
  for (int i = 0; i < kButtonPictures; ++i) {
    const int x = i * kPictureWidth;
    const COLORREF fill = alternate ? RGB(GetBValue(base[i]), GetGValue(base[i]), GetRValue(base[i])) : base[i];
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(fill);
    CPen* op = mem.SelectObject(&pen);
    CBrush* ob = mem.SelectObject(&brush);
    mem.Rectangle(x + 3, 3, x + 21, 20);
    mem.SelectObject(op);
    mem.SelectObject(ob);
    const int lum = GetRValue(fill) * 3 + GetGValue(fill) * 6 + GetBValue(fill);
    mem.SetTextColor(lum > 1200 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    RECT r{x + 3, 3, x + 21, 20};
    mem.DrawText(letters[i], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  mem.SelectObject(oldFont);
  mem.SelectObject(old);
  return static_cast<HBITMAP>(strip.Detach());
}

void SetItemText(HMENU menu, UINT id, const char* text) {
  ::ModifyMenu(menu, id, MF_BYCOMMAND | MF_STRING, id, text);
}

}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style = WS_OVERLAPPEDWINDOW;
  cs.lpszName = ProgramTitle;
  return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY))
    return -1;
  m_wndToolBar.SetSizes(SIZE{31, 30}, SIZE{kPictureWidth, kPictureHeight});
  if (SetUnitMenuTexts() == -1) return -1;
  const UINT indicators[] = {ID_SEPARATOR};
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
  SetMessageText(AFX_IDS_IDLEMESSAGE);
  CSplashWindow::ShowSplash(this);
  return 0;
}

int CMainFrame::SetUnitMenuTexts() {
  CClientDC dc(this);
  CBitmap strip;
  strip.Attach(MakeToolStrip(&dc, ToolbarResourceId == static_cast<int>(kAltToolbarResourceId)));
  if (!m_wndToolBar.SetBitmap(strip)) return -1;
  strip.Detach();
  const UINT buttons[] = {ID_FILE_OPEN_YEAR,  ID_FILE_BACKUP,    ID_FILE_IMPORT,         ID_SEPARATOR,
                          ID_EDIT_ACCOUNTS,   ID_EDIT_SCHEDULES, ID_EDIT_PROFIT_CENTERS, ID_SEPARATOR,
                          ID_EDIT_SUBUNITS,   ID_EDIT_SCOUTS,    ID_EDIT_ADULTS,         ID_SEPARATOR,
                          ID_EDIT_EQUIPMENT,  ID_EDIT_FRIENDS,   ID_SEPARATOR,           ID_TOOLS_NOTEPAD,
                          ID_TOOLS_CALCULATOR, ID_TOOLS_CALENDAR};
  if (!m_wndToolBar.SetButtons(buttons, static_cast<int>(sizeof buttons / sizeof buttons[0]))) return -1;

  HMENU menu = ::GetMenu(m_hWnd);
  if (menu) {
    char text[128];
    std::snprintf(text, sizeof text, "&About %s...", ProgramName);
    SetItemText(menu, ID_HELP_ABOUT, text);
    std::snprintf(text, sizeof text, "%s &Detail...", ProgramName);
    SetItemText(menu, ID_REPORT_GL_DETAIL, text);
    std::snprintf(text, sizeof text, "%s &Roster...", UnitNoun);
    SetItemText(menu, ID_REPORT_ROSTER, text);
    std::snprintf(text, sizeof text, "%s &Information...", UnitNoun);
    SetItemText(menu, ID_EDIT_UNIT_INFO, text);
    std::snprintf(text, sizeof text, "%ss (&P)...", SubunitNoun);
    SetItemText(menu, ID_EDIT_SUBUNITS, text);
    // The income/expense pop-up: position 6 of the Reports menu (bar
    // position 2), separators counted.
    HMENU reports = ::GetSubMenu(menu, 2);
    HMENU incomeExpense = reports ? ::GetSubMenu(reports, 6) : nullptr;
    if (incomeExpense) {
      std::snprintf(text, sizeof text, "%s &Income/Expense Reports", UnitNoun);
      ::ModifyMenu(reports, 6, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(incomeExpense), text);
    }
    ::DrawMenuBar(m_hWnd);
  }
  return 0;
}

void CMainFrame::GetMessageString(UINT nID, CString& message) const {
  switch (nID) {
    case ID_FILE_IMPORT:
      message.Format("Import data from %s", MasterAppName);
      return;
    case ID_FILE_TRANSFER:
      message.Format("Transfer data to other %s programs", static_cast<const char*>(ProgramVersion.GetVendorName()));
      return;
    case ID_EDIT_UNIT_INFO:
      message.Format("Review or change %s information", UnitWord);
      return;
    case ID_EDIT_SUBUNITS:
      message.Format("Add, review, change, or delete %ss", SubunitWord);
      return;
    default:
      CFrameWnd::GetMessageString(nID, message);
  }
}

void CMainFrame::OnClose() {
  // Modes above 1 (never, or a value the preferences do not store) skip the
  // check; closing goes on whatever it reports.
  if (IntegrityCheckMode == 0 || IntegrityCheckMode == 1) CheckDataIntegrity(IntegrityCheckMode == 1 ? 1 : 0);
  // Backup: 0 always, 1 ask (Cancel keeps the program running), anything
  // else never. Cancelling the Backup dialog itself still closes.
  if (BackupMode == 1) {
    const int answer = AskQuestion("Do you wish to backup your data files", ANSWER_YES, ANSWER_CANCEL);
    if (answer == ANSWER_CANCEL) return;
    if (answer == ANSWER_YES) RunBackupDialog();
  } else if (BackupMode == 0) {
    RunBackupDialog();
  }
  DestroyWindow();
}

LRESULT CMainFrame::OnCommandHelp(WPARAM, LPARAM lParam) {
  if (lParam != 0) return 0;
  OnHelpFinder();
  return 1;
}

void CMainFrame::OnExit() { SendMessage(WM_CLOSE); }

void CMainFrame::OnHelpFinder() { AfxGetApp()->WinHelp(0, HELP_FINDER); }
