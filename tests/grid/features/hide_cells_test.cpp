#include <gtest/gtest.h>

#include <vector>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridHideCellsImp.h"

namespace {

using gridtest::FeatureGridTest;

class HideCells : public FeatureGridTest {};

TEST_F(HideCells, HidingTakesTheSpaceAndUndoRestoresEachState) {
  const int height = grid->GetRowHeight(3);
  ASSERT_TRUE(grid->HideRows(4, 4));
  ASSERT_TRUE(grid->HideRows(3, 5));
  for (ROWCOL r : {3u, 4u, 5u}) {
    EXPECT_TRUE(grid->IsRowHidden(r));
    EXPECT_EQ(grid->GetRowHeight(r), 0);
  }
  ASSERT_TRUE(grid->Undo());
  EXPECT_FALSE(grid->IsRowHidden(3));
  EXPECT_EQ(grid->GetRowHeight(3), height);
  EXPECT_TRUE(grid->IsRowHidden(4)) << "a row hidden before stays hidden";
  EXPECT_FALSE(grid->IsRowHidden(5));
  ASSERT_TRUE(grid->Redo());
  EXPECT_TRUE(grid->IsRowHidden(5));

  ASSERT_TRUE(grid->HideCols(2, 3));
  EXPECT_EQ(grid->GetColWidth(2), 0);
  ASSERT_TRUE(grid->Undo());
  EXPECT_GT(grid->GetColWidth(2), 0);
}

TEST_F(HideCells, BitsFollowInsertedAndRemovedRows) {
  ASSERT_TRUE(grid->HideRows(10, 10));
  ASSERT_TRUE(grid->InsertRows(9, 2));
  EXPECT_TRUE(grid->IsRowHidden(12));
  EXPECT_FALSE(grid->IsRowHidden(10));
  ASSERT_TRUE(grid->RemoveRows(1, 3));
  EXPECT_TRUE(grid->IsRowHidden(9));
  EXPECT_FALSE(grid->IsRowHidden(12));
}

TEST(HiddenBits, ArrayOperations) {
  struct Case {
    const char* what;
    std::vector<ROWCOL> hidden;
    int op;  // 0 insert (a, b), 1 remove (a..b), 2 move (a..b to c)
    ROWCOL a, b, c;
    std::vector<ROWCOL> expect;
  };
  const Case cases[] = {
      {"insert before", {10}, 0, 9, 2, 0, {12}},
      {"insert past the end changes nothing", {3}, 0, 40, 5, 0, {3}},
      {"insert at the bit", {8}, 0, 8, 1, 0, {9}},
      {"remove before", {12}, 1, 1, 3, 0, {9}},
      {"remove the bit", {5, 6}, 1, 5, 5, 0, {5}},
      {"move down keeps the moved state", {4}, 2, 3, 4, 8, {9}},
      {"move up", {9}, 2, 8, 9, 2, {3}},
      {"move shifts rows between", {6}, 2, 2, 3, 8, {4}},
  };
  for (const Case& c : cases) {
    CByteArray bits;
    for (ROWCOL h : c.hidden) GXSetHiddenBit(bits, h, TRUE);
    if (c.op == 0) GXInsertHiddenBits(bits, c.a, c.b);
    if (c.op == 1) GXRemoveHiddenBits(bits, c.a, c.b);
    if (c.op == 2) GXMoveHiddenBits(bits, c.a, c.b, c.c);
    std::vector<ROWCOL> got;
    for (ROWCOL i = 0; i < 64; ++i)
      if (GXTestHiddenBit(bits, i)) got.push_back(i);
    EXPECT_EQ(got, c.expect) << c.what;
  }
}

TEST(HideCellsAbsent, NothingIsEverHidden) {
  gridtest::FeatureLibrary library;
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  grid.GetParam()->GetData()->StoreRowCount(5);
  EXPECT_FALSE(grid.HideRows(2, 3));
  EXPECT_FALSE(grid.IsRowHidden(2));
  EXPECT_GT(grid.GetRowHeight(2), 0);
}

}  // namespace
