#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/GridFeatures.h"
#include "grid/MiniCommandFactory.h"
#include "grid/core/GXCommand.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridCore.h"
#include "platform/testing/Automation.h"
#include "platform/base/Exceptions.h"
#include "platform/menus/Menu.h"
#include "platform/dialogs/MessageBox.h"

namespace {

using gridtest::MiniFactory;
using gridtest::SetStyleRangeCommand;

BOOL Undo(CGXGridCore& grid) {
  CObList& list = grid.GetParam()->GetUndoList();
  if (list.IsEmpty()) return FALSE;
  std::unique_ptr<CGXCommand> command(static_cast<CGXCommand*>(list.RemoveHead()));
  return command->Execute(&grid, CGXGridCore::kAsUndo);
}

class GridCore : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary();
    grid = std::make_unique<CGXGridCore>();
    grid->Initialize();
    data()->StoreRowCount(20);
    data()->StoreColCount(30);
  }
  void TearDown() override {
    grid.reset();
    automation::ClearResponder();
  }
  CGXData* data() { return grid->GetParam()->GetData(); }
  CGXStyle Compose(ROWCOL r, ROWCOL c) {
    CGXStyle s;
    grid->ComposeStyleRowCol(r, c, s, TRUE);
    return s;
  }
  void Store(ROWCOL r, ROWCOL c, const char* value) {
    CGXStyle s(value);
    data()->StoreStyleRowCol(r, c, &s, 0, 0);
  }
  std::unique_ptr<CGXGridCore> grid;
};

TEST_F(GridCore, InitialisedWithoutFeatures) {
  CGXGridParam* param = grid->GetParam();
  ASSERT_NE(param, nullptr);
  ASSERT_NE(param->GetStylesMap(), nullptr);
  ASSERT_NE(param->GetProperties(), nullptr);
  ASSERT_NE(param->GetData(), nullptr);
  EXPECT_TRUE(grid->IsInitialized());
  EXPECT_EQ(GXLookupAppEntry(param->GetData()), grid.get());
  EXPECT_EQ(grid->GetStandardStyle().GetControl(), 52512);
  // Each forwarder answers as if its feature were absent.
  EXPECT_FALSE(grid->EnableDataUndo(TRUE));
  EXPECT_EQ(grid->GetDataUndoInfo(), nullptr);
  EXPECT_FALSE(grid->ApplyDataUndoInfo(nullptr, FALSE, FALSE));
  grid->DiscardDataUndoInfo();
  grid->AddCommand(new SetStyleRangeCommand(CGXRange(1, 1), 0, new CObArray), 0);  // deleted, not filed
  EXPECT_TRUE(param->GetUndoList().IsEmpty());
  EXPECT_TRUE(grid->GetGridRect().IsRectEmpty());
  grid.reset();
  EXPECT_EQ(GXLookupAppEntry(param), nullptr) << "the grid unregisters itself";
}

// A menu item that remembers whether it was enabled.
class Item : public CCmdUI {
 public:
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = TRUE;
};

TEST_F(GridCore, EveryForwarderAnswersAsIfItsFeatureWereAbsent) {
  CGXGridCore& g = *grid;
  CGXRange r(1, 1, 2, 2);
  CGXRangeList list;
  CObject* info = nullptr;
  CDWordArray order;
  order.Add(1);
  order.Add(0);
  list.AddTail(new CGXRange(r));
  CString text;
  ROWCOL rows = 9, cols = 9;
  CGXStyle style;
  const std::vector<std::pair<const char*, BOOL>> answers = {
      {"HideRows", g.HideRows(1, 2)}, {"HideCols", g.HideCols(1, 2)}, {"IsRowHidden", g.IsRowHidden(3)},
      {"IsColHidden", g.IsColHidden(3)}, {"StoreHideRow", g.StoreHideRow(3, TRUE)}, {"StoreHideCol", g.StoreHideCol(3, TRUE)},
      {"SetCoveredCellsRowCol", g.SetCoveredCellsRowCol(1, 1, 2, 2)},
      {"GetCoveredCellsRowCol", g.GetCoveredCellsRowCol(1, 1, r) != nullptr},
      {"StoreCoveredCellsRowCol", g.StoreCoveredCellsRowCol(1, 1, 2, 2, TRUE)}, {"Undo", g.Undo()}, {"Redo", g.Redo()},
      {"EnableDataUndo", g.EnableDataUndo(TRUE)}, {"GetDataUndoInfo", g.GetDataUndoInfo() != nullptr},
      {"ApplyDataUndoInfo", g.ApplyDataUndoInfo(nullptr, FALSE, FALSE)}, {"ExecuteCommand", g.ExecuteCommand(nullptr, 0)},
      {"SetRangeName", g.SetRangeName("n", r, nullptr, 0)}, {"GetRangeName", g.GetRangeName("n", r)},
      {"DeleteRangeName", g.DeleteRangeName("n", 0)}, {"CopyRangeList", g.CopyRangeList(list, FALSE)},
      {"CopyRange", g.CopyRange(r)}, {"CutRange", g.CutRange(r)}, {"CopyTextToBuffer", g.CopyTextToBuffer(text, list)},
      {"GetCopyStyleRowCol", g.GetCopyStyleRowCol(1, 1, style)}, {"CutRangeList", g.CutRangeList(list, FALSE)},
      {"ClearCells", g.ClearCells(list, TRUE)}, {"PasteTextFromBuffer", g.PasteTextFromBuffer("a\tb", r)},
      {"CalcTextBufferDimension", g.CalcTextBufferDimension("a", rows, cols)},
      {"PasteTextRowCol", g.PasteTextRowCol(1, 1, "x")}, {"PasteDirectCopy", g.PasteDirectCopy(r)},
      {"PasteClipboardText", g.PasteClipboardText(r)}, {"IsPasteFormatAvailable", g.IsPasteFormatAvailable()},
      {"CutPasteOp13", g.CutPasteOp13()}, {"CopyTextToClipboard", g.CopyTextToClipboard(list)},
      {"CopyStylesToClipboard", g.CopyStylesToClipboard(list, 0)}, {"Copy", g.Copy()}, {"Paste", g.Paste()},
      {"Cut", g.Cut()}, {"Clear", g.Clear(TRUE)}, {"CanCopy", g.CanCopy()}, {"CanCut", g.CanCut()},
      {"CanPaste", g.CanPaste()}, {"CanClear", g.CanClear()}, {"CanFreezeCols", g.CanFreezeCols()},
      {"CanUnfreezeCols", g.CanUnfreezeCols()}, {"CanFreezeRows", g.CanFreezeRows()},
      {"CanUnfreezeRows", g.CanUnfreezeRows()}, {"MoveRows", g.MoveRows(1, 2, 5)}, {"MoveCols", g.MoveCols(1, 2, 5)},
      {"StoreMoveRows", g.StoreMoveRows(1, 2, 5, 0)}, {"StoreMoveCols", g.StoreMoveCols(1, 2, 5, 0)},
      {"MoveDataRows", g.MoveDataRows(r, order)}, {"StoreMoveDataRows", g.StoreMoveDataRows(r, order)},
      {"MoveDataCols", g.MoveDataCols(r, order)}, {"StoreMoveDataCols", g.StoreMoveDataCols(r, order)},
      {"OnSelDragStart", g.OnSelDragStart(1, 0)}, {"OnSelDragMove", g.OnSelDragMove(1, 2, 3)},
      {"OnSelDragDrop", g.OnSelDragDrop(1, 2, 3)}, {"ResizeRowHeightsToFit", g.ResizeRowHeightsToFit(r)},
      {"ResizeColWidthsToFit", g.ResizeColWidthsToFit(r)}, {"CanFloatCell", g.CanFloatCell(1, 1, style, FALSE)},
      {"CanMergeCell", g.CanMergeCell(1, 1, style, 1)}, {"CanMergeStyles", g.CanMergeStyles(style, style)},
      {"GetCellSpanRange", g.GetCellSpanRange(1, 1, r) != nullptr}, {"EvalFloatCells", g.EvalFloatCells(r, 0, 0, 0)},
      {"GetFloatedCellsRange", g.GetFloatedCellsRange(1, 1, r)}, {"EvalMergeCells", g.EvalMergeCells(r, 0, 0, 0)},
      {"GetMergedCellsRange", g.GetMergedCellsRange(1, 1, r, 3)},
      {"SetFloatedCellsRange", g.SetFloatedCellsRange(1, 1, 2, 2, 0)},
      {"SetMergedCellsRange", g.SetMergedCellsRange(1, 1, 1, 2, 2, 0)},
      {"OnFindReplace", g.OnFindReplace(0, 0) != 0}, {"FindInCells", g.FindInCells(1, 1, 0)}, {"FindNext", g.FindNext(0)},
      {"StoreCopyCells", g.StoreCopyCells(r, 5, 5)}, {"StoreMoveCells", g.StoreMoveCells(r, 5, 5, info, FALSE, 0)},
      {"CopyCells", g.CopyCells(r, 5, 5)}, {"MoveCells", g.MoveCells(r, 5, 5)},
      {"OnSelectionEdgeClick", g.OnSelectionEdgeClick(1, 1)}, {"EdgeDragOp5", g.EdgeDragOp5()},
      {"ReservedFeatureOp0", g.ReservedFeatureOp0()}, {"ReservedFeatureOp8", g.ReservedFeatureOp8()},
      {"SetFrameState", g.SetFrameState(TRUE, FALSE)}, {"TouchesSpannedCells", g.TouchesSpannedCells(r, 0, 0, 0)},
  };
  for (const auto& [name, answer] : answers) EXPECT_FALSE(answer) << name;
  EXPECT_TRUE(g.GetCopyTextRowCol(1, 1).IsEmpty());
  g.ExpandToCoveredCells(r);
  EXPECT_EQ(r, CGXRange(1, 1, 2, 2));
  g.BeginTrans("t");
  g.CommitTrans();
  g.Rollback();
  g.RemoveCommand(0);
  g.ShowUndoneCell(1, 1, TRUE);
  g.DiscardDataUndoInfo();
  g.FreezeCols();
  g.UnfreezeCols();
  g.FreezeRows();
  g.UnfreezeRows();
  g.OnBeginPrinting(nullptr, nullptr);
  g.OnPrint(nullptr, nullptr);
  g.OnEndPrinting(nullptr, nullptr);
  g.UpdateCoveredCellsRowCol(1, 1, 2, 2, 0, FALSE);
  CGXSortInfoArray keys;
  keys.Add(CGXSortInfo{});
  g.SortRows(r, keys);
  g.SortCols(r, keys);
  g.OnSelDragCancel();
  g.DelayFloatCells(r);
  g.DelayMergeCells(r);
  g.OnShowFindReplaceDialog(TRUE);
  g.OnFindNext("x", TRUE, FALSE);
  g.OnReplaceAll("x", "y", FALSE);
  g.ToggleSelectionFrame();
  const std::size_t beeps = automation::Beeps().size();
  g.OnTextNotFound("x");
  EXPECT_EQ(automation::Beeps().size(), beeps + 1) << "a search that finds nothing beeps";
  Item undo, redo;
  EXPECT_FALSE(g.OnUpdateEditUndo(&undo));
  EXPECT_FALSE(g.OnUpdateEditRedo(&redo));
  EXPECT_FALSE(undo.enabled) << "Undo is disabled without a command factory";
  EXPECT_FALSE(redo.enabled);
  EXPECT_EQ(g.GetFloatCellsMode(), 0);
  EXPECT_EQ(g.GetMergeCellsMode(), 0);
  EXPECT_TRUE(g.CanSelDragRows());
  EXPECT_TRUE(g.CanSelDropCols());
  for (int row = 0; row < data()->Cells().GetSize(); ++row)
    EXPECT_EQ(data()->Cells().RowAt(row), nullptr) << "nothing was stored in row " << row;
}

// Covered blocks from a table of their own.
class CoveredBlocks : public CGXAbstractGridCoveredCellsImp {
 public:
  BOOL SetCoveredCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, int) override { return FALSE; }
  CGXRange* GetCoveredCellsRowCol(CGXGridCore*, ROWCOL row, ROWCOL col, CGXRange& range) override {
    if (!block.IsCellInRange(row, col)) return nullptr;
    range = block;
    return &range;
  }
  BOOL StoreCoveredCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL) override { return FALSE; }
  void UpdateCoveredCellsRowCol(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT, BOOL) override {}
  void ExpandToCoveredCells(CGXGridCore*, CGXRange&) override {}
  BOOL PrepareRemoveRows(CGXGridCore*, ROWCOL, ROWCOL, UINT&, int) override { return FALSE; }
  BOOL PrepareRemoveCols(CGXGridCore*, ROWCOL, ROWCOL, UINT&, int) override { return FALSE; }
  CGXRange block{2, 2, 3, 4};
};

// Notes the removals it is asked to prepare; a block changed makes the
// update a plain invalidation.
class CutBlocks : public CoveredBlocks {
 public:
  BOOL PrepareRemoveRows(CGXGridCore*, ROWCOL from, ROWCOL to, UINT& flags, int) override {
    calls.push_back("rows " + std::to_string(from) + "-" + std::to_string(to));
    flags = 1;
    return TRUE;
  }
  BOOL PrepareRemoveCols(CGXGridCore*, ROWCOL from, ROWCOL to, UINT&, int) override {
    calls.push_back("cols " + std::to_string(from) + "-" + std::to_string(to));
    return FALSE;
  }
  std::vector<std::string> calls;
};

// Notes what moved, with the flags and old sizes it was given.
class MovedParts : public CGXAbstractGridOptimizedUpdateImp {
 public:
  void InsertedRows(CGXGridCore*, ROWCOL at, ROWCOL count, UINT flags) override { Note("+rows", at, count, flags); }
  void InsertedCols(CGXGridCore*, ROWCOL at, ROWCOL count, UINT flags) override { Note("+cols", at, count, flags); }
  void RemovedRows(CGXGridCore*, ROWCOL from, ROWCOL to, int* old, UINT flags) override {
    Note("-rows", from, to, flags, old);
  }
  void RemovedCols(CGXGridCore*, ROWCOL from, ROWCOL to, int* old, UINT flags) override {
    Note("-cols", from, to, flags, old);
  }
  void ChangedRowHeights(CGXGridCore*, ROWCOL* from, ROWCOL* to, int* old, UINT* flags) override {
    Note("rowheights", *from, *to, *flags, old);
  }
  void ChangedColWidths(CGXGridCore*, ROWCOL* from, ROWCOL* to, int* old, UINT* flags) override {
    Note("colwidths", *from, *to, *flags, old);
  }
  void Note(const char* what, ROWCOL a, ROWCOL b, UINT flags, const int* old = nullptr) {
    calls.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b) + " f" +
                    std::to_string(flags) + (old != nullptr ? " old" + std::to_string(old[0]) : ""));
  }
  std::vector<std::string> calls;
};

TEST_F(GridCore, ChangesOfRowsAndColumnsReachTheCoveredCellsAndOptimizedUpdateObjects) {
  CutBlocks covered;
  MovedParts moved;
  grid->SetColWidth(7, 7, 33, nullptr, 0);
  grid->m_pCoveredCellsImp = &covered;
  grid->m_pOptimizedUpdateImp = &moved;
  ASSERT_TRUE(grid->RemoveRows(4, 5, 2, 0));
  ASSERT_TRUE(grid->RemoveCols(7, 7, 2, 0));
  ASSERT_TRUE(grid->InsertRows(3, 2, nullptr, nullptr, nullptr, 0, 2, 0));
  grid->SetColWidth(2, 3, 50, nullptr, 2);
  grid->m_pCoveredCellsImp = nullptr;
  grid->m_pOptimizedUpdateImp = nullptr;
  EXPECT_EQ(covered.calls, (std::vector<std::string>{"rows 4-5", "cols 7-7"}));
  // Cutting the covered blocks made the rows' update a plain invalidation;
  // the removed column's width goes along with its update.
  EXPECT_EQ(moved.calls, (std::vector<std::string>{"-rows 4,5 f1", "-cols 7,7 f2 old33", "+rows 3,2 f2",
                                                   "colwidths 2,3 f2 old" + std::to_string(grid->GetDefaultColWidth())}));
}

TEST_F(GridCore, SpanRangeIsTheCoveredBlock) {
  CoveredBlocks covered;
  grid->m_pCoveredCellsImp = &covered;
  CGXRange r;
  ASSERT_NE(grid->GetCellSpanRange(3, 3, r), nullptr);
  EXPECT_EQ(r, CGXRange(2, 2, 3, 4));
  EXPECT_EQ(grid->GetCellSpanRange(1, 1, r), nullptr);
  grid->m_pCoveredCellsImp = nullptr;
}

TEST_F(GridCore, InitialiseNeedsTheLibrary) {
  // The window class comes with the library's initialisation, which ran.
  CGXGridCore other;
  EXPECT_NO_THROW(other.Initialize());
}

TEST_F(GridCore, SharedParameterObjectOutlivesTheGridThatDoesNotOwnIt) {
  auto second = std::make_unique<CGXGridCore>();
  second->SetParam(grid->GetParam(), FALSE);
  second->Initialize();
  second.reset();
  Store(1, 1, "still here");
  EXPECT_EQ(grid->GetCellValue(1, 1), "still here");
}

TEST_F(GridCore, CompositionLayers) {
  CGXStyle rowBase;
  rowBase.SetFont(CGXFont().SetBold(TRUE)).SetValue("row");
  data()->StoreStyleRowCol(3, 0, &rowBase, 0, -1);
  CGXStyle colBase;
  colBase.SetInteriorColor(RGB(1, 2, 3)).SetFont(CGXFont().SetItalic(TRUE));
  data()->StoreStyleRowCol(0, 4, &colBase, 0, -1);
  CGXStyle table;
  table.SetTextColor(RGB(9, 9, 9));
  data()->StoreStyleRowCol(0, 0, &table, 0, -1);
  Store(3, 4, "cell");

  const CGXStyle s = Compose(3, 4);
  EXPECT_EQ(s.GetValue(), "cell");
  EXPECT_TRUE(s.GetFont().GetBold()) << "from the row";
  EXPECT_TRUE(s.GetFont().GetItalic()) << "from the column";
  EXPECT_EQ(s.GetInterior().GetColor(), RGB(1, 2, 3));
  EXPECT_EQ(s.GetTextColorRGB(), RGB(9, 9, 9)) << "from the table";
  EXPECT_EQ(s.GetControl(), 52512) << "from the standard style";
  EXPECT_EQ(Compose(3, 5).GetValue(), "row");

  grid->GetParam()->m_nHeaderCols = 1;
  EXPECT_FALSE(Compose(3, 1).GetFont().GetBold()) << "a header column ignores the row base style";
  grid->GetParam()->m_nHeaderCols = 0;
  EXPECT_EQ(Compose(0, 5).GetTextColorRGB(), RGB(9, 9, 9)) << "row 0 right of the headers takes the table style";
}

TEST_F(GridCore, HeaderTexts) {
  const CGXStyle row5 = Compose(5, 0);
  EXPECT_EQ(row5.GetValue(), "5");
  EXPECT_EQ(row5.GetValueType(), 1u);
  EXPECT_EQ(row5.GetControl(), 52520) << "the row-header style";
  EXPECT_EQ(Compose(0, 28).GetValue(), "AB");
  EXPECT_TRUE(Compose(0, 0).GetValue().IsEmpty());
  struct {
    ROWCOL col;
    const char* letters;
  } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {702, "ZZ"}, {703, "AAA"}};
  data()->StoreColCount(800);
  for (auto c : cases) EXPECT_EQ(grid->GetCellValue(0, c.col), c.letters) << c.col;
  grid->GetParam()->m_bNumberedColHeaders = FALSE;
  EXPECT_TRUE(Compose(0, 3).GetValue().IsEmpty());
  EXPECT_TRUE(Compose(0, 3).GetFont().GetBold()) << "the column-header style";
}

TEST_F(GridCore, NegativeNumbersTakeTheirColourAndPendingCutsTheirPattern) {
  CGXStyle s("-3.5");
  auto* colour = new CGXUserAttribute;
  colour->SetDWord(RGB(255, 0, 0));
  s.SetUserAttribute(52797, colour);
  data()->StoreStyleRowCol(2, 2, &s, 0, 0);
  EXPECT_EQ(Compose(2, 2).GetTextColorRGB(), RGB(255, 0, 0));
  CGXStyle positive("3.5");
  data()->StoreStyleRowCol(2, 2, &positive, 0, 0);
  EXPECT_NE(Compose(2, 2).GetTextColorRGB(), RGB(255, 0, 0));

  CGXGridParam* p = grid->GetParam();
  p->m_bDeferredCut = p->m_bCutPending = TRUE;
  p->m_PendingRanges.AddTail(new CGXRange(1, 1, 2, 2));
  EXPECT_EQ(Compose(2, 2).GetInterior().pattern, 17u);
  EXPECT_NE(Compose(3, 3).GetInterior().pattern, 17u);
}

TEST_F(GridCore, ValuesAreCopiesAndStoredValueIsNotTheShownOne) {
  Store(1, 1, "one");
  Store(1, 2, "two");
  EXPECT_NE(grid->GetCellValue(1, 1), grid->GetCellValue(1, 2));
  EXPECT_EQ(grid->GetStoredCellValue(1, 0), "") << "the row number is shown, not stored";
  EXPECT_EQ(grid->GetCellValue(1, 0), "1");
}

TEST_F(GridCore, ValueOfACellOwesNothingToTheCellReadBefore) {
  CGXStyle base("from base");
  const WORD id = grid->GetParam()->GetStylesMap()->RegisterStyleByName("Filled", base, FALSE);
  CGXStyle cell;
  cell.SetBaseStyle(id);
  data()->StoreStyleRowCol(1, 1, &cell, 0, 0);
  EXPECT_EQ(grid->GetCellValue(1, 1), "from base");
  EXPECT_EQ(grid->GetCellValue(1, 2), "");
}

TEST_F(GridCore, WholeRowStoresBaseStyles) {
  CGXStyle s;
  s.SetInteriorColor(RGB(5, 5, 5));
  EXPECT_TRUE(grid->ApplyStyle(CGXRange().SetRows(2, 3), s));
  CGXStyle got;
  EXPECT_TRUE(data()->GetStyleRowCol(2, 0, got, 2, -1));
  EXPECT_FALSE(data()->GetStyleRowCol(2, 1, got, 2, 0));
  EXPECT_EQ(Compose(3, 7).GetInterior().GetColor(), RGB(5, 5, 5));
}

TEST_F(GridCore, ReadOnlyRefusesEveryStore) {
  MiniFactory factory;
  grid->m_pCommandFactory = &factory;
  grid->SetReadOnly(TRUE);
  EXPECT_FALSE(grid->SetValueRange(CGXRange(1, 1, 2, 2), "x"));
  EXPECT_FALSE(grid->StoreStyleRowCol(1, 1, nullptr, 0, 0));
  EXPECT_TRUE(grid->GetParam()->GetUndoList().IsEmpty());
  grid->GetParam()->SetReadOnlyGuard(FALSE);
  EXPECT_TRUE(grid->SetValueRange(CGXRange(1, 1), "x"));
  grid->m_pCommandFactory = nullptr;
}

TEST_F(GridCore, UndoRestoresExactlyTheCellsThatHadStyles) {
  MiniFactory factory;
  grid->m_pCommandFactory = &factory;
  Store(1, 1, "kept");
  ASSERT_TRUE(grid->SetValueRange(CGXRange(1, 1, 2, 2), "new"));
  EXPECT_EQ(grid->GetCellValue(2, 2), "new");
  ASSERT_EQ(grid->GetParam()->GetUndoList().GetCount(), 1);
  ASSERT_TRUE(Undo(*grid));
  EXPECT_EQ(grid->GetCellValue(1, 1), "kept");
  CGXStyle none;
  EXPECT_FALSE(data()->GetStyleRowCol(2, 2, none, 0, 0)) << "a cell without a style gets none back";
  EXPECT_EQ(grid->GetParam()->GetRedoList().GetCount(), 1) << "the undo filed its redo";
  EXPECT_EQ(factory.shown, (std::vector<std::pair<ROWCOL, ROWCOL>>{{1, 1}})) << "the undone cell is shown";
  grid->m_pCommandFactory = nullptr;
}

TEST_F(GridCore, UndoListHoldsAtMostOneMoreThanTheLimit) {
  MiniFactory factory;
  grid->m_pCommandFactory = &factory;
  grid->GetParam()->m_nUndoLimit = 2;
  for (int i = 0; i < 6; ++i) grid->SetValueRange(CGXRange(1, 1), std::to_string(i).c_str());
  EXPECT_EQ(grid->GetParam()->GetUndoList().GetCount(), 3);
  grid->GetParam()->m_bUndoEnabled = FALSE;
  grid->SetValueRange(CGXRange(1, 1), "no undo");
  EXPECT_EQ(grid->GetParam()->GetUndoList().GetCount(), 3);
  grid->m_pCommandFactory = nullptr;
}

TEST_F(GridCore, TooLargeForUndoAsksFirst) {
  MiniFactory factory;
  grid->m_pCommandFactory = &factory;
  data()->StoreRowCount(40000);
  automation::ExpectMessageBox("", "Operation is too large for the undo buffer", IDCANCEL);
  EXPECT_FALSE(grid->SetValueRange(CGXRange(1, 1, 40000, 1), "x"));
  EXPECT_EQ(grid->GetCellValue(40000, 1), "");
  automation::ExpectMessageBox("", "Operation is too large for the undo buffer", IDOK);
  EXPECT_TRUE(grid->SetValueRange(CGXRange(1, 1, 40000, 1), "x"));
  EXPECT_EQ(grid->GetCellValue(40000, 1), "x");
  EXPECT_TRUE(grid->GetParam()->GetUndoList().IsEmpty()) << "stored without undo information";
  EXPECT_TRUE(automation::PendingExpectations().empty());
  grid->m_pCommandFactory = nullptr;
}

// A long-operation feature whose user aborts after a number of polls.
class AbortingFeature : public CGXLongOperationImp {
 public:
  explicit AbortingFeature(int after) : after_(after) {}
  void Start() override {}
  void End() override {}
  void ClearStatusText() override {}
  void SetProgress(DWORD, DWORD) override {}
  BOOL PollAbort(BOOL& aborted) override {
    // The user presses Escape once.
    aborted = ++polls_ == after_ + 1;
    return aborted;
  }
  BOOL CheckElapsed() override { return TRUE; }
  BOOL PumpMessages() override { return FALSE; }

 private:
  int after_;
  int polls_ = 0;
};

TEST_F(GridCore, AbortRollsBackOrFilesThePartDone) {
  MiniFactory factory;
  grid->m_pCommandFactory = &factory;
  for (bool rollback : {true, false}) {
    SCOPED_TRACE(rollback ? "rollback" : "keep");
    data()->DeleteContents();
    Store(1, 1, "a");
    Store(2, 2, "b");
    grid->GetParam()->EmptyUndoList();
    // Collecting the undo information polls 9 times; the store aborts on its fifth cell.
    AbortingFeature feature(9 + 4);
    feature.rollbackRequested = rollback;
    GXGetAppData()->m_pLongOperationImp = &feature;
    const BOOL result = grid->SetValueRange(CGXRange(1, 1, 3, 3), "new");
    GXGetAppData()->m_pLongOperationImp = nullptr;
    EXPECT_FALSE(result);
    if (rollback) {
      EXPECT_EQ(grid->GetCellValue(1, 1), "a");
      EXPECT_EQ(grid->GetCellValue(1, 3), "");
      EXPECT_EQ(grid->GetCellValue(2, 2), "b");
      EXPECT_TRUE(grid->GetParam()->GetUndoList().IsEmpty());
    } else {
      EXPECT_EQ(grid->GetCellValue(1, 1), "new");
      EXPECT_EQ(grid->GetCellValue(2, 2), "new") << "the fifth cell was stored before the abort";
      EXPECT_EQ(grid->GetCellValue(3, 3), "");
      ASSERT_EQ(grid->GetParam()->GetUndoList().GetCount(), 1);
      ASSERT_TRUE(Undo(*grid));
      EXPECT_EQ(grid->GetCellValue(2, 2), "b");
      EXPECT_EQ(grid->GetCellValue(1, 2), "");
    }
  }
  EXPECT_EQ(CGXLongOperation::GetNestingCount(), 0);
  grid->m_pCommandFactory = nullptr;
}

TEST_F(GridCore, BaseStyleChangesReachComposition) {
  CGXStyle bold;
  bold.SetFont(CGXFont().SetBold(TRUE));
  EXPECT_TRUE(grid->ChangeStandardStyle(bold));
  EXPECT_TRUE(Compose(4, 4).GetFont().GetBold());
  CGXStyle red;
  red.SetTextColor(RGB(255, 0, 0));
  EXPECT_TRUE(grid->ChangeColHeaderStyle(red));
  EXPECT_EQ(Compose(0, 4).GetTextColorRGB(), RGB(255, 0, 0));
  EXPECT_FALSE(grid->ChangeBaseStyle(99, red, 0, 0, 0));
  EXPECT_THROW(
      {
        try {
          grid->GetBaseStyle(99);
        } catch (CException* e) {
          e->Delete();
          throw 1;
        }
      },
      int);
}

TEST(GridLongOperation, NestedScopesWithoutTheFeatureLeaveNoNesting) {
  {
    CGXLongOperation outer;
    CGXLongOperation inner;
    EXPECT_TRUE(inner.IsInnermost());
    EXPECT_FALSE(outer.IsInnermost());
    BOOL aborted = TRUE;
    EXPECT_FALSE(inner.PollAbort(aborted));
    EXPECT_FALSE(aborted);
    EXPECT_EQ(CGXLongOperation::GetNestingCount(), 2);
  }
  EXPECT_EQ(CGXLongOperation::GetNestingCount(), 0);
}

}  // namespace

namespace {

TEST(GridFindReplaceState, CommitKeepsTheCopyOnlyWithMatchCase) {
  GXFindReplaceState& state = GXGetFindReplaceState();
  EXPECT_TRUE(state.bNext);
  state.strFind = "Dues";
  state.bCase = TRUE;
  state.CommitSearchText();
  EXPECT_EQ(state.strFindUpper, "Dues");
  state.bCase = FALSE;
  state.CommitSearchText();
  EXPECT_TRUE(state.strFindUpper.IsEmpty());
  state = GXFindReplaceState();
}

// A frame feature that records the states it is given.
class FrameStates : public CGXAbstractGridExcelLikeFrameImp {
 public:
  void DrawFrame(CGXGridCore*, CDC*, const CRect&, const CRect&, BOOL, BOOL, int, BOOL) override {}
  void TrackSelectionFrame(CGXGridCore*, CDC*, const CGXRange&, int, int) override {}
  void DrawSelectionFrame(CGXGridCore*, CDC*, BOOL, const CGXRange&) override {}
  void ToggleSelectionFrame(CGXGridCore*) override {}
  BOOL SetFrameState(CGXGridCore*, BOOL state, BOOL) override {
    const BOOL old = current;
    current = state;
    return old;
  }
  BOOL current = TRUE;
};

// A frame feature that notes where the selection frame is drawn.
class FrameDraws : public FrameStates {
 public:
  void DrawSelectionFrame(CGXGridCore*, CDC* dc, BOOL flag, const CGXRange& range) override {
    drawn.push_back({dc, flag, range});
  }
  struct Draw {
    CDC* dc;
    BOOL flag;
    CGXRange range;
  };
  std::vector<Draw> drawn;
};

// Inserting and removing rows or columns moves the selection, so the frame
// shown for its old place is forgotten and drawn around its new one.
TEST_F(GridCore, InsertingAndRemovingRedrawsTheSelectionFrame) {
  struct Case {
    const char* what;
    std::function<BOOL(CGXGridCore&)> change;
    CGXRange frame;
  } cases[] = {
      {"insert rows", [](CGXGridCore& g) { return g.InsertRows(1, 2); }, CGXRange(7, 3, 8, 4)},
      {"remove rows", [](CGXGridCore& g) { return g.RemoveRows(1, 2); }, CGXRange(3, 3, 4, 4)},
      {"insert cols", [](CGXGridCore& g) { return g.InsertCols(2, 1); }, CGXRange(5, 4, 6, 5)},
      {"remove cols", [](CGXGridCore& g) { return g.RemoveCols(1, 1); }, CGXRange(5, 2, 6, 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FrameDraws frame;
    grid->m_pExcelLikeFrameImp = &frame;
    grid->GetParam()->m_SelRects.DeleteAll();
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(1, 1, 1, 1));
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(5, 3, 6, 4));
    grid->m_rgFrame = CGXRange(5, 3, 6, 4);
    frame.drawn.clear();
    ASSERT_TRUE(c.change(*grid));
    grid->m_pExcelLikeFrameImp = nullptr;
    ASSERT_EQ(frame.drawn.size(), 1u);
    EXPECT_EQ(frame.drawn[0].dc, nullptr);
    EXPECT_FALSE(frame.drawn[0].flag);
    EXPECT_EQ(frame.drawn[0].range, c.frame);
    EXPECT_FALSE(grid->m_rgFrame.IsValid());
  }
  // Without a selection there is no frame to draw.
  FrameDraws frame;
  grid->m_pExcelLikeFrameImp = &frame;
  grid->GetParam()->m_SelRects.DeleteAll();
  ASSERT_TRUE(grid->InsertRows(1, 1));
  grid->m_pExcelLikeFrameImp = nullptr;
  EXPECT_TRUE(frame.drawn.empty());
}

TEST(GridFrameStateSaver, SwitchesTheFrameOffForItsScope) {
  CGXGridCore grid;
  FrameStates frame;
  grid.m_pExcelLikeFrameImp = &frame;
  {
    CGXFrameStateSaver saver(&grid);
    EXPECT_FALSE(frame.current);
  }
  EXPECT_TRUE(frame.current);
}

}  // namespace

namespace {

// A print feature that answers the properties' page questions.
class PagePrinter : public CGXAbstractGridPrintImp {
 public:
  void OnBeginPrinting(CGXGridCore*, CDC*, void*) override {}
  void OnPrint(CGXGridCore*, CDC*, void*) override {}
  void OnEndPrinting(CGXGridCore*, CDC*, void*) override {}
  void PrintHeaderFooter(CGXProperties&, CDC*, void*, CDocument*, CGXGridParam*) override { ++printed; }
  int CalcHeaderFooterHeight(CGXProperties&, CDC*, CGXData*, CGXStylesMap*) override { return 12; }
  void DrawHeaderFooter(CGXProperties&, CDC*, void*, const RECT&, CGXData*, CGXStylesMap*) override {}
  CString SubstTokens(CGXProperties&, LPCTSTR text) override { return CString("page of ") + text; }
  CString GetTokenValue(CGXProperties&, int, CString&) override { return "7"; }
  CString GetTokenArgs(CGXProperties&, CString&) override { return "args"; }
  int printed = 0;
};

TEST_F(GridCore, PropertiesAskThePrintFeatureOfTheirFirstGrid) {
  CGXProperties loose;
  EXPECT_EQ(loose.GetPrintGrid(), nullptr);
  EXPECT_EQ(loose.CalcHeaderFooterHeight(nullptr, nullptr, nullptr), 0);
  EXPECT_TRUE(loose.SubstTokenText("$P").IsEmpty());

  CGXProperties* props = grid->GetParam()->GetProperties();
  EXPECT_EQ(props->GetPrintGrid(), grid.get());
  EXPECT_EQ(props->CalcHeaderFooterHeight(nullptr, nullptr, nullptr), 0) << "no print feature yet";
  PagePrinter printer;
  grid->m_pPrintImp = &printer;
  EXPECT_EQ(props->CalcHeaderFooterHeight(nullptr, nullptr, nullptr), 12);
  EXPECT_EQ(props->SubstTokenText("$P"), "page of $P");
  CString rest = "$P";
  EXPECT_EQ(props->GetTokenValue(2, rest), "7");
  props->PrintHeaderFooter(nullptr, nullptr, nullptr, grid->GetParam());
  EXPECT_EQ(printer.printed, 1);
  grid->m_pPrintImp = nullptr;
}

}  // namespace
