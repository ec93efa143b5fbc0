#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/GridWindowTest.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXEditControl.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridCore.h"
#include "platform/draw_canvas.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"

namespace {

const char* FrameClass() { return gridtest::FrameClass("EditCellTestFrame", -1); }

// A grid that records the keys its cells pass on.
class KeyGrid : public CGXGridCore {
 public:
  BOOL ProcessKeys(CWnd*, UINT message, UINT key, UINT, UINT) override {
    keys.emplace_back(message, key);
    if (message == WM_KEYDOWN && key == VK_RETURN && leave) leave();
    return TRUE;
  }
  std::vector<std::pair<UINT, UINT>> keys;
  // What moving on from the current cell does to its control.
  std::function<void()> leave;
};

std::string ClipboardText() {
  std::string out;
  if (!::OpenClipboard(nullptr)) return out;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    out = static_cast<const char*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return out;
}

void PutOnClipboard(const char* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const std::size_t n = std::strlen(text) + 1;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(::GlobalLock(mem), text, n);
  ::GlobalUnlock(mem);
  ::SetClipboardData(CF_TEXT, mem);
  ::CloseClipboard();
}

class EditCell : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(frame.CreateEx(0, FrameClass(), "Grid", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(gridWnd.CreateEx(0, FrameClass(), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 380, 280, frame.m_hWnd,
                                 reinterpret_cast<HMENU>(1761)));
    grid = std::make_unique<KeyGrid>();
    grid->m_pGridWnd = &gridWnd;
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(10);
    grid->GetParam()->GetData()->StoreColCount(5);
    grid->SetValueRange(CGXRange(1, 1), "hello world", 0, 0);
    edit = static_cast<CGXEditControl*>(grid->GetRegisteredControl(GX_IDS_CTRL_EDIT));
    ASSERT_NE(edit, nullptr);
  }
  void TearDown() override {
    grid.reset();
    automation::ResetWindows();
    automation::ClearResponder();
  }
  // Binds the edit cell to (row, col), shows it and gives it the focus.
  void Activate(ROWCOL row, ROWCOL col) {
    grid->SetCurrentCellForStyles(row, col);
    edit->Init(row, col);
    CGXStyle style;
    grid->ComposeStyleRowCol(row, col, style);
    drawtest::Canvas canvas(400, 300);
    edit->SetActive(TRUE);
    edit->Draw(&canvas.dc, CRect(10, 10, 110, 30), row, col, style, nullptr);
    edit->SetFocus();
  }
  CString Text() {
    CString text;
    static_cast<CGXControl*>(edit)->GetValue(text);
    return text;
  }
  CWnd frame, gridWnd;
  std::unique_ptr<KeyGrid> grid;
  CGXEditControl* edit = nullptr;
};

TEST_F(EditCell, TypingIntoAnInactiveCellReplacesItsText) {
  edit->Init(1, 1);
  EXPECT_FALSE(edit->IsActive());
  EXPECT_EQ(std::string(Text()), "hello world");
  EXPECT_TRUE(edit->ProcessKeys(WM_CHAR, 'x', 1, 0));
  EXPECT_TRUE(edit->IsActive());
  EXPECT_EQ(std::string(Text()), "x");
  EXPECT_TRUE(edit->GetModify());
  EXPECT_TRUE(edit->Store());
  EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "x");
  EXPECT_FALSE(edit->ProcessKeys(WM_CHAR, 8, 1, 0)) << "control characters are not the cell's";
}

TEST_F(EditCell, TypedTextGoesThroughTheWindowAndLeavingKeysReachTheGrid) {
  Activate(1, 1);
  ASSERT_EQ(::GetFocus(), edit->m_hWnd);
  automation::PressKey(VK_END);
  automation::TypeText("!!");
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "hello world!!");
  for (auto& k : grid->keys) EXPECT_NE(k.first, static_cast<UINT>(WM_KEYDOWN)) << k.second;
  automation::PressKey(VK_RIGHT);  // at the end of the text
  automation::PressKey(VK_HOME);
  automation::PressKey(VK_LEFT);  // at its start
  automation::PressKey(VK_RIGHT);  // inside: the window's own
  automation::PressKey(VK_TAB);
  automation::PressKey(VK_RETURN);
  automation::PressKey(VK_F2);
  automation::PumpUntilIdle();
  std::vector<UINT> keys;
  for (auto& k : grid->keys)
    if (k.first == WM_KEYDOWN) keys.push_back(k.second);
  EXPECT_EQ(keys, (std::vector<UINT>{VK_RIGHT, VK_LEFT, VK_TAB, VK_RETURN, VK_F2}));
}

TEST_F(EditCell, CtrlJBreaksTheLineOnlyWhenTheCellWraps) {
  CGXStyle oneLine;
  oneLine.SetWrapText(FALSE);
  grid->GetParam()->GetData()->StoreStyleRowCol(1, 1, &oneLine, 0, 0);
  Activate(1, 1);
  automation::PressKey(VK_END);
  automation::PressKey('J', false, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "hello world");
  CGXStyle wrap;
  wrap.SetWrapText(TRUE).SetValue("ab");
  grid->GetParam()->GetData()->StoreStyleRowCol(2, 1, &wrap, 0, 0);
  Activate(2, 1);
  automation::PressKey(VK_END);
  automation::PressKey('J', false, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "ab\r\n");
}

TEST_F(EditCell, EnterStaysInTheWindowOnlyWhereTheCellAllowsIt) {
  CGXStyle enter;
  enter.SetAllowEnter(TRUE).SetWrapText(TRUE).SetValue("ab");
  grid->GetParam()->GetData()->StoreStyleRowCol(2, 1, &enter, 0, 0);
  Activate(2, 1);
  EXPECT_NE(edit->CWnd::GetStyle() & ES_WANTRETURN, 0u);
  automation::PressKey(VK_END);
  automation::PressKey(VK_RETURN);
  automation::TypeText("c");
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "ab\r\nc");
  EXPECT_TRUE(grid->keys.empty() || grid->keys.back().second != VK_RETURN);
  // The next cell takes no Enter: the window is made anew without it, and
  // Enter leaves the cell, whose character then finds no active cell.
  Activate(1, 1);
  EXPECT_EQ(edit->CWnd::GetStyle() & ES_WANTRETURN, 0u);
  EXPECT_EQ(::GetFocus(), edit->m_hWnd);
  grid->leave = [this] { edit->Reset(); };
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_NE(std::find(grid->keys.begin(), grid->keys.end(),
                      std::make_pair(static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(VK_RETURN))),
            grid->keys.end());
  EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "hello world");
}

// A grid window that remembers to which window outside it the focus went.
class FocusWatch : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const HWND to = reinterpret_cast<HWND>(wParam);
    if (message == WM_KILLFOCUS && to != m_hWnd && !::IsChild(m_hWnd, to)) lostTo.push_back(to);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<HWND> lostTo;
};

TEST_F(EditCell, LeavingTheCellsWindowForAnotherTellsTheGridWindow) {
  FocusWatch watch;
  ASSERT_TRUE(watch.CreateEx(0, FrameClass(), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 380, 280, frame.m_hWnd,
                             reinterpret_cast<HMENU>(1762)));
  grid->m_pGridWnd = &watch;
  CGXStyle wrap;
  wrap.SetWrapText(TRUE);
  grid->GetParam()->GetData()->StoreStyleRowCol(2, 1, &wrap, 0, 0);
  Activate(1, 1);
  Activate(2, 1);  // the window is made anew: no focus is reported lost outside
  EXPECT_TRUE(watch.lostTo.empty());
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, FrameClass(), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame.m_hWnd,
                             reinterpret_cast<HMENU>(1763)));
  other.SetFocus();
  ASSERT_EQ(watch.lostTo.size(), 1u);
  EXPECT_EQ(watch.lostTo[0], other.m_hWnd);
  edit->DestroyWindow();
}

TEST_F(EditCell, CopyAndPaste) {
  Activate(1, 1);
  // With an empty selection Copy takes the whole text.
  edit->SetSel(3, 3);
  EXPECT_TRUE(static_cast<CGXControl*>(edit)->Copy());
  EXPECT_EQ(ClipboardText(), "hello world");
  edit->SetSel(0, 5);
  EXPECT_TRUE(static_cast<CGXControl*>(edit)->Copy());
  EXPECT_EQ(ClipboardText(), "hello");
  PutOnClipboard("HELLO");
  edit->SetSel(6, 11);
  EXPECT_TRUE(static_cast<CGXControl*>(edit)->CanPaste());
  automation::PressKey('V', false, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "hello HELLO");
  // Shift+Delete without a selection deletes a character instead of cutting.
  edit->SetSel(0, 0);
  automation::PressKey(VK_DELETE, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(std::string(Text()), "ello HELLO");
  EXPECT_EQ(ClipboardText(), "HELLO");
}

// An edit cell with clipboard operations of its own.
class RecordingEdit : public CGXEditControl {
 public:
  using CGXEditControl::CGXEditControl;
  BOOL Copy() override { return Record("copy"); }
  BOOL Cut() override { return Record("cut"); }
  BOOL Paste() override { return Record("paste"); }
  BOOL Record(const char* what) {
    ran.push_back(what);
    return TRUE;
  }
  std::vector<std::string> ran;
};

TEST_F(EditCell, ClipboardKeysRunADerivedCellsOwnOperations) {
  auto* recording = new RecordingEdit(grid.get(), GX_IDS_CTRL_EDIT);
  grid->RegisterControl(GX_IDS_CTRL_EDIT, recording);
  edit = recording;
  const struct {
    UINT key;
    bool shift, ctrl;
    const char* runs;
  } keys[] = {
      {'C', false, true, "copy"},      {'X', false, true, "cut"},          {'V', false, true, "paste"},
      {VK_DELETE, true, false, "cut"}, {VK_INSERT, true, false, "paste"},
  };
  for (const auto& k : keys) {
    Activate(1, 1);
    edit->SetSel(0, 5);
    recording->ran.clear();
    automation::PressKey(k.key, k.shift, k.ctrl);
    automation::PumpUntilIdle();
    EXPECT_EQ(recording->ran, std::vector<std::string>{k.runs}) << k.runs << " by key " << k.key;
    EXPECT_EQ(std::string(Text()), "hello world") << "the derived cell's operation alone ran";
  }
}

TEST_F(EditCell, FindSelectsTheMatchAndReplaceAllGrowsPastAnyBuffer) {
  GXFindReplaceState find;
  find.strFind = "WORLD";
  find.bCase = FALSE;
  EXPECT_TRUE(edit->FindText(&find, 1, 1, TRUE, TRUE));
  EXPECT_TRUE(edit->IsInitializedFor(1, 1));
  EXPECT_TRUE(edit->IsActive());
  int start = 0, end = 0;
  edit->GetSel(start, end);
  EXPECT_EQ(start, 6);
  EXPECT_EQ(end, 11);
  find.bCase = TRUE;
  EXPECT_FALSE(edit->FindText(&find, 1, 1, TRUE, FALSE));

  grid->SetValueRange(CGXRange(3, 1), "a-a-a", 0, 0);
  find.strFind = "a";
  find.strReplace = std::string(600, 'z').c_str();
  EXPECT_TRUE(edit->ReplaceAll(&find, 3, 1));
  const CString replaced = grid->GetCellValue(3, 1);
  EXPECT_EQ(replaced.GetLength(), 3 * 600 + 2);
  EXPECT_EQ(std::string(replaced.Mid(600, 1)), "-");
  find.strFind = "q";
  EXPECT_FALSE(edit->ReplaceAll(&find, 3, 1));
}

TEST_F(EditCell, ClicksActivateByTheActivationMode) {
  CGXGridParam* param = grid->GetParam();
  struct Case {
    WORD mode;
    bool byClick, byDoubleClick;
  } cases[] = {{0, false, false}, {2, true, false}, {4, true, false}, {8, false, true}};
  for (const Case& c : cases) {
    param->m_wActivateCell = c.mode;
    edit->Init(1, 1);
    edit->SetActive(FALSE);
    edit->LButtonUp(0, CPoint(5, 5), 0x10);
    EXPECT_EQ(edit->IsActive() != FALSE, c.byClick) << c.mode;
    edit->Init(1, 1);
    edit->SetActive(FALSE);
    edit->LButtonDblClk(0, CPoint(5, 5));
    EXPECT_EQ(edit->IsActive() != FALSE, c.byDoubleClick) << c.mode;
  }
}

TEST_F(EditCell, AlignmentChangedOnTheWindowIsKeptByTheCell) {
  CGXStyle oneLine;
  oneLine.SetWrapText(FALSE);
  grid->GetParam()->GetData()->StoreStyleRowCol(1, 1, &oneLine, 0, 0);
  Activate(1, 1);
  edit->SetWindowLong(GWL_STYLE, static_cast<LONG>(edit->CWnd::GetStyle() | ES_RIGHT));
  CGXStyle stored;
  grid->ComposeStyleRowCol(1, 1, stored);
  EXPECT_EQ(stored.GetHorizontalAlignment(), static_cast<UINT>(DT_RIGHT));
  edit->SetWindowLong(GWL_EXSTYLE, static_cast<LONG>(edit->GetExStyle() | WS_EX_RTLREADING));
  grid->ComposeStyleRowCol(1, 1, stored);
  ASSERT_TRUE(stored.HasUserAttribute(GX_IDS_UA_RTLREADING));
  EXPECT_EQ(std::string(stored.GetUserAttribute(GX_IDS_UA_RTLREADING).GetValue()), "1");
  EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "hello world") << "the value is untouched";
}

TEST_F(EditCell, InactiveKeysStartEditing) {
  edit->Init(1, 1);
  EXPECT_TRUE(edit->KeyDown(VK_END, 1, 0));
  EXPECT_TRUE(edit->IsActive());
  int start = 0, end = 0;
  edit->GetSel(start, end);
  EXPECT_EQ(start, 11);
  edit->Init(1, 1);
  EXPECT_TRUE(edit->KeyDown(VK_DELETE, 1, 0));
  EXPECT_TRUE(Text().IsEmpty());
  EXPECT_TRUE(edit->GetModify());
  edit->Init(1, 1);
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(1, 1));
  EXPECT_FALSE(edit->KeyDown(VK_DELETE, 1, 0)) << "the grid clears a selection itself";
  EXPECT_FALSE(edit->KeyDown('A', 1, 0));
}

TEST_F(EditCell, OneLineCellAlignedToTheBottomShowsItsWindowOnTheLastLine) {
  CGXStyle bottom;
  bottom.SetVerticalAlignment(DT_BOTTOM).SetWrapText(FALSE);
  grid->GetParam()->GetData()->StoreStyleRowCol(4, 1, &bottom, 0, 0);
  Activate(4, 1);
  CRect r;
  edit->GetWindowRect(&r);
  gridWnd.ScreenToClient(&r);
  EXPECT_EQ(r.bottom, 30);
  EXPECT_LT(r.Height(), 20);
  EXPECT_GT(r.Height(), 0);
}

}  // namespace

namespace {

// The open editor is as large as the zoomed text it replaces.
TEST_F(EditCell, TheEditorsFontFollowsTheGridsZoom) {
  auto height = [&] {
    LOGFONT font{};
    ::GetObject(reinterpret_cast<HGDIOBJ>(edit->SendMessage(WM_GETFONT)), sizeof font, &font);
    return std::abs(font.lfHeight);
  };
  Activate(1, 1);
  const int normal = height();
  ASSERT_GT(normal, 0);
  grid->SetZoom(200, 0);
  Activate(1, 1);
  EXPECT_NEAR(height(), 2 * normal, 1);
}

}  // namespace

namespace {

class EditCellFind : public gridtest::CellGridTest {
 protected:
  // True when some pixel of the edit window's first text line shows the
  // selection's colour.
  bool SelectionShown(CGXEditControl* edit) {
    automation::PumpUntilIdle();
    if (!edit->IsWindowVisible()) return false;
    CRect r;
    edit->GetWindowRect(&r);
    grid.ScreenToClient(&r);
    for (int x = r.left; x < r.right; ++x)
      if (automation::PixelAt(grid.m_hWnd, x, r.top + 6) == ::GetSysColor(COLOR_HIGHLIGHT)) return true;
    return false;
  }
};

// A match in the cell being edited is shown selected, also when that cell
// had been scrolled out of view.
TEST_F(EditCellFind, AMatchInTheCellBeingEditedIsShownSelected) {
  grid.SetRowCount(60);
  auto* edit = Control<CGXEditControl>(GX_IDS_CTRL_EDIT);
  GXFindReplaceState find;
  find.strFind = "store";
  for (bool scrolledAway : {false, true}) {
    SCOPED_TRACE(scrolledAway);
    Current(2, 1);
    Type("camp store");
    ASSERT_TRUE(edit->IsActive());
    edit->SetSel(0, 0);
    if (scrolledAway) {
      grid.SetTopRow(30);
      automation::PumpUntilIdle();
    }
    EXPECT_FALSE(SelectionShown(edit));
    ASSERT_TRUE(edit->FindText(&find, 2, 1, TRUE, TRUE));
    int start = 0, end = 0;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 10);
    EXPECT_TRUE(SelectionShown(edit));
    // The window lies over its cell, in view.
    CRect shown, cell = grid.CalcCellRect(2, 1);
    edit->GetWindowRect(&shown);
    grid.ScreenToClient(&shown);
    EXPECT_LE(grid.GetTopRow(), 2u);
    EXPECT_TRUE(cell.PtInRect(shown.CenterPoint())) << shown.top << " in " << cell.top << ".." << cell.bottom;
    Current(3, 1);
  }
}

// The window of a cell being edited follows its cell when the grid scrolls:
// gone while the cell is out of view, back over it with the typed text when
// the cell returns. Each way the grid can scroll.
TEST_F(EditCellFind, TheEditWindowLeavesAndReturnsWithItsScrolledCell) {
  grid.SetRowCount(60);
  grid.SetColCount(12);
  for (ROWCOL c = 5; c <= 12; ++c) grid.SetColWidth(c, c, 100);
  auto* edit = Control<CGXEditControl>(GX_IDS_CTRL_EDIT);
  const struct {
    const char* how;
    std::function<void()> away, back;
  } cases[] = {
      {"first row set, grid redrawn", [&] { grid.SetTopRow(30); }, [&] { grid.SetTopRow(1); }},
      {"far scroll", [&] { grid.SetTopRow(30, 2); }, [&] { grid.SetTopRow(1, 2); }},
      {"line scroll", [&] { grid.DoScroll(3, 2); }, [&] { grid.DoScroll(1, 2); }},
      {"thumb", [&] { grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 15)); },
       [&] { grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0)); }},
      {"first column set", [&] { grid.SetLeftCol(8); }, [&] { grid.SetLeftCol(1); }},
      {"column scroll", [&] { grid.DoScroll(4, 2); }, [&] { grid.DoScroll(2, 2); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Current(2, 2);
    Type("camp");
    ASSERT_TRUE(edit->IsActive());
    c.away();
    automation::PumpUntilIdle();
    ASSERT_TRUE(grid.GetTopRow() > 2 || grid.GetLeftCol() > 2);
    EXPECT_FALSE(edit->IsWindowVisible());
    c.back();
    automation::PumpUntilIdle();
    ASSERT_EQ(grid.GetTopRow(), 1u);
    ASSERT_EQ(grid.GetLeftCol(), 1u);
    EXPECT_TRUE(edit->IsWindowVisible());
    CRect shown, cell = grid.CalcCellRect(2, 2);
    edit->GetWindowRect(&shown);
    grid.ScreenToClient(&shown);
    EXPECT_TRUE(cell.PtInRect(shown.CenterPoint())) << shown.top << "," << shown.left << " in cell at " << cell.top
                                                    << "," << cell.left;
    CString text;
    edit->GetWindowText(text);
    EXPECT_EQ(std::string(text), "camp");
    Key(VK_ESCAPE);
    Current(5, 4);
  }
}

}  // namespace
