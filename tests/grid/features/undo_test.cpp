#include <gtest/gtest.h>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXCommands.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/menus/Menu.h"

namespace {

using gridtest::FeatureGridTest;

class Undo : public FeatureGridTest {
 protected:
  void Set(ROWCOL row, ROWCOL col, const char* text) {
    ASSERT_TRUE(grid->SetValueRange(CGXRange(row, col), text));
  }
  // The menu text and state the Undo (Redo) item would get.
  std::pair<CString, BOOL> MenuItem(BOOL undo) {
    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_STRING, undo ? 100 : 101, "");
    CCmdUI item;
    item.m_nID = undo ? 100 : 101;
    item.m_pMenu = &menu;
    const BOOL enabled = undo ? grid->OnUpdateEditUndo(&item) : grid->OnUpdateEditRedo(&item);
    CString text;
    menu.GetMenuString(item.m_nID, text, MF_BYCOMMAND);
    return {text, enabled};
  }
};

TEST_F(Undo, FactoryEnablesTheCommandFactoryForEveryGrid) {
  ASSERT_NE(GXGetCommandFactory(grid.get()), nullptr);
  CGXAbstractCommandFactory* first = grid->m_pCommandFactory;
  grid->EnableCommandFactory();
  EXPECT_EQ(grid->m_pCommandFactory, first) << "a second call keeps the object";
}

TEST_F(Undo, UndoAndRedoOfACellChangeWithMenuTexts) {
  Set(2, 3, "old");
  Set(2, 3, "new");
  EXPECT_EQ(UndoCount(), 2);
  auto [undoText, canUndo] = MenuItem(TRUE);
  EXPECT_TRUE(canUndo);
  EXPECT_STREQ(undoText, "Undo Cells");
  auto [redoText, canRedo] = MenuItem(FALSE);
  EXPECT_FALSE(canRedo);
  EXPECT_STREQ(redoText, "Redo ");

  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(2, 3), "old");
  EXPECT_EQ(UndoCount(), 1);
  EXPECT_EQ(RedoCount(), 1);
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(2, 3), "") << "a cell without a style before has none again";
  EXPECT_FALSE(grid->Undo()) << "nothing left to undo";
  ASSERT_TRUE(grid->Redo());
  ASSERT_TRUE(grid->Redo());
  EXPECT_STREQ(Value(2, 3), "new");
  EXPECT_FALSE(grid->Redo());

  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(RedoCount(), 1);
  Set(5, 5, "x");
  EXPECT_EQ(RedoCount(), 0) << "a new change empties the redo list";
}

TEST_F(Undo, TransactionsGroupNestAndRollBack) {
  Set(1, 1, "before");
  const int before = UndoCount();

  grid->BeginTrans("Outer");
  grid->BeginTrans("Inner");
  Set(1, 1, "a");
  Set(1, 2, "b");
  grid->CommitTrans();
  EXPECT_EQ(UndoCount(), before + 1) << "inner commit leaves one open block";
  Set(1, 3, "c");
  grid->CommitTrans();
  EXPECT_EQ(UndoCount(), before + 1);
  EXPECT_STREQ(MenuItem(TRUE).first, "Undo Outer");
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(1, 1), "before");
  EXPECT_STREQ(Value(1, 2), "");
  EXPECT_STREQ(Value(1, 3), "");
  ASSERT_TRUE(grid->Redo());
  EXPECT_STREQ(Value(1, 3), "c");
  EXPECT_STREQ(Value(1, 1), "a");

  const int count = UndoCount();
  grid->BeginTrans("Empty");
  grid->CommitTrans();
  EXPECT_EQ(UndoCount(), count) << "an empty transaction leaves no block";

  grid->BeginTrans("Gone");
  Set(4, 4, "x");
  grid->Rollback();
  EXPECT_STREQ(Value(4, 4), "");
  EXPECT_EQ(UndoCount(), count);
  EXPECT_EQ(RedoCount(), 0) << "a rollback leaves no entries";
}

TEST_F(Undo, RefusedWhileATransactionIsOpen) {
  Set(1, 1, "a");
  grid->BeginTrans("Open");
  Set(1, 2, "b");
  EXPECT_FALSE(grid->Undo());
  EXPECT_FALSE(grid->Redo());
  grid->CommitTrans();
  EXPECT_STREQ(Value(1, 2), "b");
  EXPECT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(1, 2), "");
}

TEST_F(Undo, ListReachesOneMoreThanTheLimit) {
  grid->GetParam()->m_nUndoLimit = 4;
  for (int i = 0; i < 10; ++i) Set(1, 1, i % 2 ? "odd" : "even");
  EXPECT_EQ(UndoCount(), 5);
}

TEST_F(Undo, RecordUndoOffChangesNoList) {
  grid->GetParam()->EnableUndo(FALSE);
  grid->BeginTrans("Off");
  Set(1, 1, "a");
  grid->CommitTrans();
  EXPECT_EQ(UndoCount(), 0);
  EXPECT_EQ(grid->GetParam()->m_nUndoNesting, 0);
}

TEST_F(Undo, RowOperationsSizesAndFrozenRowsUndo) {
  Set(3, 1, "three");
  Set(4, 1, "four");
  ASSERT_TRUE(grid->RemoveRows(3, 3));
  EXPECT_STREQ(Value(3, 1), "four");
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(3, 1), "three");
  EXPECT_STREQ(Value(4, 1), "four");

  ASSERT_TRUE(grid->InsertRows(2, 2));
  EXPECT_STREQ(Value(5, 1), "three");
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(3, 1), "three");

  const int height = grid->GetRowHeight(6);
  ASSERT_TRUE(grid->SetRowHeight(6, 7, height * 3));
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(grid->GetRowHeight(6), height);
  EXPECT_EQ(grid->GetRowHeight(7), height);

  ASSERT_TRUE(grid->SetFrozenRows(2, 0));
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(grid->GetFrozenRows(), 0u);
  EXPECT_STREQ(MenuItem(FALSE).first, "Redo Freeze Rows");
}

TEST_F(Undo, TooLargeRemovalAsksFirst) {
  data()->StoreRowCount(40000);
  Set(39000, 1, "kept");
  automation::ExpectMessageBox("", "too large for the undo buffer", IDCANCEL);
  EXPECT_FALSE(grid->RemoveRows(1, 39999));
  EXPECT_EQ(grid->GetRowCount(), 40000u) << "Cancel abandons the removal";
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(Undo, ModifiedEditIsUndoneFirst) {
  // Undo with nothing recorded and no edit.
  EXPECT_FALSE(grid->Undo());
  EXPECT_FALSE(MenuItem(TRUE).second);
}

TEST(UndoWithoutFeature, ForwardersAnswerAbsent) {
  gridtest::FeatureLibrary library;
  GXInitLibrary();  // no factory: no features
  CGXGridCore grid;
  grid.Initialize();
  EXPECT_EQ(grid.m_pCommandFactory, nullptr);
  grid.GetParam()->GetData()->StoreRowCount(5);
  grid.GetParam()->GetData()->StoreColCount(5);
  grid.SetValueRange(CGXRange(1, 1), "x");
  EXPECT_FALSE(grid.Undo());
  EXPECT_STREQ(grid.GetCellValue(1, 1), "x");
  CCmdUI item;
  EXPECT_FALSE(grid.OnUpdateEditUndo(&item));
  EXPECT_FALSE(grid.OnUpdateEditRedo(&item));
  EXPECT_EQ(grid.GetParam()->GetUndoList().GetCount(), 0);
}

TEST(BlockCommand, EmptyBlockStillLeavesAnOppositeBlock) {
  gridtest::FeatureLibrary library;
  CGXGridCore grid;
  grid.Initialize();
  auto* block = new CGXBlockCmd(nullptr);
  EXPECT_STREQ(block->GetName(), "Block");
  grid.GetParam()->GetUndoList().AddHead(block);
  EXPECT_TRUE(grid.Undo());
  ASSERT_EQ(grid.GetParam()->GetRedoList().GetCount(), 1);
  auto* opposite = dynamic_cast<CGXBlockCmd*>(grid.GetParam()->GetRedoList().GetHead());
  ASSERT_NE(opposite, nullptr);
  EXPECT_TRUE(opposite->IsEmpty());
}

}  // namespace
