#include <gtest/gtest.h>

#include <string>

#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/cells/GXEditControl.h"
#include "grid/features/FeatureGrid.h"
#include "platform/commdlg/FindReplaceDialog.h"
#include "platform/testing/Automation.h"

namespace {

using gridtest::FeatureGridTest;

class FindReplace : public FeatureGridTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    MakeGrid(6, 4, &wnd);
    const char* column2[] = {"alpha", "xABCx", "beta", "abc", "gamma", "banana"};
    for (ROWCOL r = 1; r <= 6; ++r) grid->SetValueRange(CGXRange(r, 2), column2[r - 1]);
    grid->SetValueRange(CGXRange(6, 3), "abc");
  }
  void TearDown() override {
    state().strFind.Empty();
    state().strReplace.Empty();
    state().bCase = FALSE, state().bNext = TRUE;
    grid.reset();
    wnd.DestroyWindow();
    automation::ResetWindows();
  }
  static GXFindReplaceState& state() { return GXGetFindReplaceState(); }
  std::string Current() {
    ROWCOL row = 0, col = 0;
    if (!grid->GetCurrentCell(row, col)) return "none";
    return std::to_string(row) + "," + std::to_string(col);
  }
  std::string Column(ROWCOL col) {
    std::string out;
    for (ROWCOL r = 1; r <= grid->GetRowCount(); ++r) out += std::string(Value(r, col)) + " ";
    return out;
  }
  CWnd wnd;
};

TEST_F(FindReplace, FindNextSearchesTheColumnBelowTheCurrentCell) {
  const struct {
    ROWCOL row, col;
    const char* text;
    BOOL down, matchCase;
    const char* lands;  // the current cell afterwards
    bool beeps;
  } cases[] = {
      {1, 2, "abc", TRUE, FALSE, "2,2", false},   // xABCx without match case
      {1, 2, "abc", TRUE, TRUE, "4,2", false},    // only the exact case
      {5, 2, "abc", TRUE, FALSE, "5,2", true},    // column 3's abc is not looked at
      {6, 2, "gamma", TRUE, FALSE, "6,2", true},  // last row: nothing below
      {6, 2, "abc", FALSE, TRUE, "4,2", false},   // up
      {3, 2, "alpha", TRUE, FALSE, "3,2", true},  // no wrapping to the top
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(grid->SetCurrentCell(c.row, c.col));
    const std::size_t beeps = automation::Beeps().size();
    grid->OnFindNext(c.text, c.down, c.matchCase);
    EXPECT_EQ(Current(), c.lands) << c.text << " from " << c.row;
    EXPECT_EQ(automation::Beeps().size() > beeps, c.beeps) << c.text << " from " << c.row;
  }
}

TEST_F(FindReplace, DisabledCellsAreSkippedAndTheCurrentStaticCellIsNot) {
  grid->ApplyStyle(CGXRange(4, 2), CGXStyle().SetEnabled(FALSE));
  ASSERT_TRUE(grid->SetCurrentCell(3, 2));
  grid->OnFindNext("abc", TRUE, TRUE);
  EXPECT_EQ(Current(), "3,2");
  // Static cells are searched by the feature itself: the current cell is
  // passed over.
  grid->ApplyStyle(CGXRange(1, 4, 6, 4), CGXStyle().SetControl(GX_IDS_CTRL_STATIC));
  grid->SetValueRange(CGXRange(1, 4), "k");
  grid->SetValueRange(CGXRange(3, 4), "k");
  ASSERT_TRUE(grid->SetCurrentCell(1, 4));
  grid->OnFindNext("k", TRUE, FALSE);
  EXPECT_EQ(Current(), "3,4");
}

TEST_F(FindReplace, AnEditCellFindingTheTextMovesTheCurrentCellThere) {
  // The cell being edited is left the ordinary way: what was typed is kept.
  ASSERT_TRUE(grid->SetCurrentCell(1, 2));
  auto* edit = dynamic_cast<CGXEditControl*>(grid->GetCurrentCellControl());
  ASSERT_NE(edit, nullptr);
  CGXControl* control = edit;
  control->SetActive(TRUE);
  control->SetCurrentText("alpha typed");
  control->SetModify(TRUE);
  grid->OnFindNext("abc", TRUE, TRUE);
  EXPECT_EQ(Current(), "4,2");
  EXPECT_EQ(Value(1, 2), "alpha typed");
  ASSERT_EQ(grid->GetCurrentCellControl(), edit);
  EXPECT_TRUE(edit->IsActive());
  int start = -1, end = -1;
  edit->GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 3);

  // The current cell not being edited is searched from its start; once the
  // match there is selected, the next search moves on.
  ASSERT_TRUE(grid->SetCurrentCell(2, 2));
  const char* lands[] = {"2,2", "4,2", "4,2"};
  for (const char* expected : lands) {
    grid->OnFindNext("abc", TRUE, FALSE);
    EXPECT_EQ(Current(), expected);
  }
  edit->GetSel(start, end);
  EXPECT_EQ(start, 0) << "the last match stays selected";
}

TEST_F(FindReplace, ReplaceAllFromTheCurrentRowDownAsOneUndoStep) {
  ASSERT_TRUE(grid->SetCurrentCell(3, 2));
  const std::string before = Column(2);
  const int undos = UndoCount();
  state().bOption1 = TRUE;
  grid->OnReplaceAll("a", "aa", FALSE);
  EXPECT_EQ(Column(2), "alpha xABCx betaa aabc gaammaa baanaanaa ") << "rows above the current one stay";
  EXPECT_EQ(Value(6, 3), "abc") << "other columns stay";
  EXPECT_EQ(UndoCount(), undos + 1);
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(2), before);

  // An empty find text finds nothing (and the walk ends).
  const std::size_t beeps = automation::Beeps().size();
  grid->OnReplaceAll("", "x", FALSE);
  EXPECT_EQ(Column(2), before);
  EXPECT_GT(automation::Beeps().size(), beeps);

  const std::string longText(1500, 'a');
  grid->SetValueRange(CGXRange(5, 2), longText.c_str());
  grid->OnReplaceAll("a", "bb", TRUE);
  EXPECT_EQ(std::string(Value(5, 2)), std::string(3000, 'b')) << "a long result is not cut";
}

TEST_F(FindReplace, ReplaceChangesTheFoundCellAndMovesOn) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 2));
  grid->OnFindNext("abc", TRUE, TRUE);
  ASSERT_EQ(Current(), "4,2");
  grid->OnReplaceSel("abc", TRUE, TRUE, "xyz");
  grid->TransferCurrentCell(TRUE);
  EXPECT_EQ(Value(4, 2), "xyz");

  // The next match right after the replaced text, in the same cell, is the
  // next one selected.
  grid->SetValueRange(CGXRange(5, 2), "baa");
  ASSERT_TRUE(grid->SetCurrentCell(4, 2));
  grid->OnFindNext("a", TRUE, FALSE);
  ASSERT_EQ(Current(), "5,2");
  grid->OnReplaceSel("a", TRUE, FALSE, "o");
  EXPECT_EQ(Current(), "5,2");
  grid->OnReplaceSel("a", TRUE, FALSE, "o");
  grid->TransferCurrentCell(TRUE);
  EXPECT_EQ(Value(5, 2), "boo");
  EXPECT_EQ(Value(6, 2), "banana");
}

// A grid that notes the rows a search tells it of.
class SearchedRows : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  void OnSearchRow(ROWCOL row, int) override { told += std::to_string(row) + " "; }
  std::string told;
};

TEST_F(FindReplace, TheGridHearsOfEachRowTheSearchStepsTo) {
  auto* rows = new SearchedRows(&wnd);
  grid.reset(rows);
  grid->Initialize();
  data()->StoreRowCount(6);
  data()->StoreColCount(4);
  grid->SetValueRange(CGXRange(4, 2), "abc");
  ASSERT_TRUE(grid->SetCurrentCell(1, 2));
  grid->OnFindNext("abc", TRUE, FALSE);
  ASSERT_EQ(Current(), "4,2");
  EXPECT_EQ(rows->told, "4 5 ") << "the row after each row stepped to";
  rows->told.clear();
  grid->OnReplaceAll("x", "y", FALSE);
  EXPECT_EQ(rows->told, "6 7 8 ");
}

TEST_F(FindReplace, TheDialogIsSharedAndReportsToTheGrid) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 2));
  grid->OnShowFindReplaceDialog(FALSE);
  const HWND replaceDialog = state().m_pFindReplaceDlg;
  ASSERT_NE(replaceDialog, nullptr);
  EXPECT_FALSE(state().m_bFindOnly);
  grid->OnShowFindReplaceDialog(TRUE);
  EXPECT_TRUE(state().m_bFindOnly);
  // Handles are reused by the next windows made, so whether the old dialog
  // is gone cannot be asked by its handle; the shared state names the new one.
  EXPECT_NE(state().m_pFindReplaceDlg, nullptr);
  auto* dialog = dynamic_cast<CFindReplaceDialog*>(CWnd::FromHandlePermanent(state().m_pFindReplaceDlg));
  ASSERT_NE(dialog, nullptr);
  std::snprintf(dialog->m_szFindWhat, sizeof dialog->m_szFindWhat, "%s", "beta");
  dialog->m_fr.Flags = FR_FINDNEXT | FR_DOWN;
  grid->OnFindReplace(0, reinterpret_cast<LPARAM>(&dialog->m_fr));
  EXPECT_EQ(Current(), "3,2");
  // The grid's window hands the dialog's messages to the grid.
  dialog->m_fr.Flags = FR_DIALOGTERM;
  grid->OnFindReplace(0, reinterpret_cast<LPARAM>(&dialog->m_fr));
  EXPECT_EQ(state().m_pFindReplaceDlg, nullptr) << "closing is reported";
  dialog->DestroyWindow();
}

}  // namespace
