// The grid window: its class in dialog templates, the messages it hands to
// the engine, tool tips from a cell's attribute, and the initialisation
// that ties plug-ins, tips, the shared current cell and the bars together.
#include <gtest/gtest.h>

#include <string>

#include "grid/GridWindowTest.h"
#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXGridWnd.h"
#include "grid/core/GXPluginComponent.h"
#include "grid/core/GXToolTipProxy.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/framework/CWinApp.h"
#include "platform/host/Keys.h"

namespace {

constexpr UINT kGridId = 1761;

class GridWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary();
  }
  void TearDown() override { automation::ResetWindows(); }
};

TEST_F(GridWindow, DialogTemplatesHoldGridsByClassAndAsCustomControls) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7300
  caption "Grids"
  rect 0 0 200 130
  control CGXGridWnd 1761 "" 5 5 190 55 WS_VSCROLL | WS_HSCROLL
  control GXWND 1762 "" 5 65 190 55
end
)", "grid", &error)) << error;
  // The class is there once, however often it is registered.
  EXPECT_STREQ(GXRegisterGridWndClass(AfxGetInstanceHandle()), "CGXGridWnd");
  EXPECT_STREQ(GXRegisterGridWndClass(AfxGetInstanceHandle()), "CGXGridWnd");

  CDialog dialog(7300);
  ASSERT_TRUE(dialog.Create(7300));
  auto* made = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, kGridId)));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(GXAutoCreatedGridWnds().count(made), 1u);
  made->Initialize();
  EXPECT_EQ(made->GetScrollBarMode(SB_VERT), 10u);
  EXPECT_TRUE(made->SetRowCount(40));

  CGXGridWnd member;
  ASSERT_TRUE(member.SubclassDlgItem(1762, &dialog));
  member.Initialize();
  EXPECT_EQ(member.GetScrollBarMode(SB_VERT), 0u);
  EXPECT_EQ(GXAutoCreatedGridWnds().count(&member), 0u);

  dialog.DestroyWindow();
  // The made grid went with its window; the member is left to its owner.
  EXPECT_TRUE(GXAutoCreatedGridWnds().empty());
  EXPECT_EQ(member.m_hWnd, nullptr);
}

TEST_F(GridWindow, MessagesReachTheEngine) {
  CGXGridWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "CGXGridWnd", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 300, 150, nullptr,
                           nullptr));
  EXPECT_EQ(GXAutoCreatedGridWnds().count(&wnd), 0u);
  // Painting before initialising is reported once, not with every paint.
  automation::ExpectMessageBox("", "", IDOK);
  wnd.Invalidate(TRUE);
  wnd.UpdateWindow();
  wnd.UpdateWindow();
  EXPECT_EQ(automation::ModalLog().size(), 1u);
  EXPECT_TRUE(automation::PendingExpectations().empty());

  wnd.Initialize();
  wnd.SetRowCount(50);
  wnd.SetColCount(4);
  EXPECT_EQ(wnd.SendMessage(WM_ERASEBKGND, 0, 0), 1);
  EXPECT_EQ(wnd.SendMessage(WM_GETDLGCODE) & 0x83, 0x83);
  wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(wnd.GetTopRow(), 2u);
  EXPECT_EQ(wnd.SendMessage(0x790, 0, 0), 1);    // may the sheet be renamed
  EXPECT_EQ(wnd.SendMessage(0x792, 0, 0), 0);    // may the grid be left
  wnd.SendMessage(0x7CB, 1, 0);
  EXPECT_TRUE(wnd.m_bDeferSize);
  wnd.SendMessage(0x7CB, 0, 0);
  EXPECT_FALSE(wnd.m_bDeferSize);
  wnd.SetFocus();
  EXPECT_TRUE(wnd.m_bHasFocus);
  ::SetFocus(nullptr);
  EXPECT_FALSE(wnd.m_bHasFocus);
  EXPECT_TRUE(wnd.m_bFocusLost);
  wnd.DestroyWindow();
}

// Offers every message to a log; handles one private message itself.
class LogPlugin : public CGXPluginComponent {
 public:
  BOOL HandleMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message == WM_APP + 7) {
      *result = 77;
      m_bExitMessage = TRUE;
      return TRUE;
    }
    return FALSE;
  }
};

TEST_F(GridWindow, InitializeAttachesPluginsCreatesTipsAndTakesTheSharedCurrentCell) {
  CGXGridWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 300, 150, nullptr,
                           nullptr));
  auto* param = new CGXGridParam;
  auto* data = new CGXData;
  data->StoreRowCount(60);
  data->StoreColCount(5);
  param->SetData(data, TRUE);
  data->InitParam(param);
  param->m_bSendCurrentCellHints = TRUE;
  param->m_nSharedCurrentRow = 2;
  param->m_nSharedCurrentCol = 3;
  wnd.SetParam(param, TRUE);
  auto* plugin = new LogPlugin;  // the grid owns its plug-ins
  wnd.AddPlugin(plugin);
  wnd.EnableCellTips();

  wnd.Initialize();
  EXPECT_TRUE(wnd.IsInitialized());
  EXPECT_EQ(plugin->m_pPlugInWnd, &wnd);
  EXPECT_NE(::GetDlgItem(wnd.m_hWnd, CGXToolTipCtrlProxy::kToolId), nullptr);
  ROWCOL row = 0, col = 0;
  EXPECT_TRUE(wnd.GetCurrentCell(row, col));
  EXPECT_EQ(row, 2u);
  EXPECT_EQ(col, 3u);
  // The bars were set up for 60 rows.
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  EXPECT_GT(wnd.CGXGridCore::GetScrollRange(SB_VERT, nullptr, nullptr), 1u);
  EXPECT_EQ(wnd.SendMessage(WM_APP + 7, 0, 0), 77);
  wnd.DestroyWindow();
}

// Cells (2,2)-(3,3) are one covered block.
class CoveringGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  CGXRange* GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range) override {
    if (row < 2 || row > 3 || col < 2 || col > 3) return nullptr;
    range.SetCells(2, 2, 3, 3);
    return &range;
  }
};

class CellToolTips : public gridtest::GridWindowTest<CoveringGrid> {
 protected:
  void SetUp() override {
    MakeGrid(400, 200, 6, 4);
    UseFixedCharacter();
    grid->EnableCellTips();
    grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetUserAttribute(51022, "The whole block"), 0, 0);
    grid->ApplyStyle(CGXRange(1, 1), CGXStyle().SetUserAttribute(51022, "First"), 0, 0);
  }
  BOOL MoveTo(ROWCOL row, ROWCOL col) {
    return grid->GetToolTipProxy()->OnMouseMove(grid->CalcCellRect(row, col).CenterPoint());
  }
  CGXToolTipCtrlProxy* proxy() { return static_cast<CGXToolTipCtrlProxy*>(grid->GetToolTipProxy()); }
};

TEST_F(CellToolTips, TheCellUnderTheMouseGivesItsTooltipText) {
  ASSERT_NE(proxy(), nullptr);
  EXPECT_TRUE(MoveTo(1, 1));
  EXPECT_EQ(std::string(proxy()->GetTipText()), "First");
  ASSERT_NE(proxy()->GetToolTipCtrl(), nullptr);
  CString shown;
  proxy()->GetToolTipCtrl()->GetText(shown, CWnd::FromHandle(::GetDlgItem(wnd.m_hWnd, CGXToolTipCtrlProxy::kToolId)),
                                     CGXToolTipCtrlProxy::kToolId);
  EXPECT_EQ(std::string(shown), "First");
  // Moving inside the same cell leaves the tip alone.
  EXPECT_FALSE(MoveTo(1, 1));
  // A covered block shows its first cell's tip wherever the mouse rests.
  EXPECT_TRUE(MoveTo(3, 3));
  EXPECT_EQ(std::string(proxy()->GetTipText()), "The whole block");
  EXPECT_EQ(proxy()->GetTipRow(), 2u);
  EXPECT_FALSE(MoveTo(2, 3));
  // A cell without the attribute has no tip.
  EXPECT_TRUE(MoveTo(4, 1));
  EXPECT_TRUE(proxy()->GetTipText().IsEmpty());
  // A changed row count forgets the tip's cell.
  grid->SetRowCount(8);
  EXPECT_EQ(proxy()->GetTipRow(), static_cast<ROWCOL>(-1));
}

TEST_F(GridWindow, SavingADialogWithAnInvalidEditKeepsItOpenAndShowsTheWarning) {
  GXInitLibrary(new CGXControlFactory);
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7301
  caption "Amounts"
  rect 0 0 200 100
  control CGXGridWnd 1761 "" 5 5 190 70 WS_TABSTOP
  control Edit 101 "" 5 80 100 12 WS_TABSTOP
end
)", "grid", &error)) << error;
  CDialog dialog(7301);
  ASSERT_TRUE(dialog.Create(7301));
  dialog.ShowWindow(SW_SHOW);
  auto* grid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, kGridId)));
  ASSERT_NE(grid, nullptr);
  grid->Initialize();
  grid->SetRowCount(5);
  grid->SetColCount(2);
  CGXStyle rule;
  rule.SetUserAttribute(GX_IDS_UA_VALID_MIN, "10").SetUserAttribute(GX_IDS_UA_VALID_MSG, "At least 10");
  grid->ApplyStyle(CGXRange(1, 1), rule, 0, 0);
  grid->SetFocus();
  ASSERT_TRUE(grid->SetCurrentCell(1, 1));
  CGXControl* control = grid->GetCurrentCellControl();
  ASSERT_NE(control, nullptr);
  control->SetActive(TRUE);
  control->SetCurrentText("5");
  control->SetModify(TRUE);
  ASSERT_TRUE(control->IsActive());

  automation::ExpectMessageBox("", "At least 10", IDOK);
  EXPECT_FALSE(RunDataExchange(&dialog, TRUE, [&](CDataExchange* dx) { GXDDXGridWnd(dx, grid); }));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_TRUE(grid->m_bRefusedLeave);
  // The library's tab window asks the same through its message.
  automation::ExpectMessageBox("", "At least 10", IDOK);
  EXPECT_EQ(grid->SendMessage(0x792, 0, 0), 1);
  dialog.DestroyWindow();
}

// Typing into a cell whose style asks for automatic sizing grows its column,
// or its row when the text wraps; without the attribute nothing moves.
TEST_F(GridWindow, TypingGrowsAnAutoSizedCell) {
  GXInitLibrary(new CGXControlFactory);
  CGXGridWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "CGXGridWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr));
  wnd.Initialize();
  wnd.SetRowCount(10);
  wnd.SetColCount(5);
  // The standard style wraps, so the one-line cell says so itself.
  CGXStyle oneLine;
  oneLine.SetAutoSize(TRUE).SetWrapText(FALSE);
  wnd.ApplyStyle(CGXRange(2, 2), oneLine);
  CGXStyle wrapping;
  wrapping.SetAutoSize(TRUE).SetWrapText(TRUE);
  wnd.ApplyStyle(CGXRange(3, 3), wrapping);
  wnd.SetFocus();
  const std::string typed = "a value far wider than any column";
  const struct {
    ROWCOL row, col;
    bool widthGrows, heightGrows;
  } cases[] = {{2, 2, true, false}, {3, 3, false, true}, {4, 4, false, false}};
  for (const auto& c : cases) {
    const int width = wnd.GetColWidth(c.col), height = wnd.GetRowHeight(c.row);
    ASSERT_TRUE(wnd.SetCurrentCell(c.row, c.col));
    automation::TypeText(typed.c_str());
    automation::PumpUntilIdle();
    CGXControl* control = wnd.GetCurrentCellControl();
    ASSERT_NE(control, nullptr);
    CString text;
    control->GetCurrentText(text);
    ASSERT_EQ(std::string(text), typed);
    EXPECT_EQ(wnd.GetColWidth(c.col) > width, c.widthGrows) << c.row;
    EXPECT_EQ(wnd.GetRowHeight(c.row) > height, c.heightGrows) << c.row;
    // Deleting text never shrinks what typing grew.
    const int grown = wnd.GetColWidth(c.col);
    automation::PressKey(VK_BACK);
    automation::PumpUntilIdle();
    EXPECT_EQ(wnd.GetColWidth(c.col), grown) << c.row;
  }
  wnd.DestroyWindow();
}

}  // namespace
