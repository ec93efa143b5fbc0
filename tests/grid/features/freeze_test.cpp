#include <gtest/gtest.h>

#include <string>

#include "grid/features/FeatureGrid.h"

namespace {

class Freeze : public gridtest::FeatureGridTest {
 protected:
  // Row 1 holds "c1".."c8", column 1 "r1".."r8".
  void SetUp() override {
    MakeGrid(8, 8);
    for (ROWCOL c = 1; c <= 8; ++c) grid->SetValueRange(CGXRange(1, c), ("c" + std::to_string(c)).c_str());
    for (ROWCOL r = 2; r <= 8; ++r) grid->SetValueRange(CGXRange(r, 1), ("r" + std::to_string(r)).c_str());
  }
  std::string Row1() {
    std::string out;
    for (ROWCOL c = 1; c <= 8; ++c) out += std::string(Value(1, c)) + " ";
    return out;
  }
  std::string Column1() {
    std::string out;
    for (ROWCOL r = 2; r <= 8; ++r) out += std::string(Value(r, 1)) + " ";
    return out;
  }
  void Select(const CGXRange& range) { grid->SelectRange(range, TRUE, FALSE); }
};

TEST_F(Freeze, SelectedColumnsMoveToTheFrontFreezeAndGoBack) {
  Select(CGXRange().SetCols(4, 6));
  ASSERT_TRUE(grid->CanFreezeCols());
  EXPECT_FALSE(grid->CanUnfreezeCols());
  grid->FreezeCols();
  EXPECT_EQ(Row1(), "c4 c5 c6 c1 c2 c3 c7 c8 ");
  EXPECT_EQ(grid->GetFrozenCols(), 3u);
  EXPECT_TRUE(grid->GetParam()->m_SelRects.IsEmpty());
  EXPECT_FALSE(grid->CanFreezeCols()) << "already frozen";
  ASSERT_TRUE(grid->CanUnfreezeCols());
  grid->UnfreezeCols();
  EXPECT_EQ(Row1(), "c1 c2 c3 c4 c5 c6 c7 c8 ");
  EXPECT_EQ(grid->GetFrozenCols(), 0u);
}

TEST_F(Freeze, OneUndoTakesBackTheWholeFreeze) {
  Select(CGXRange().SetCols(4, 6));
  grid->FreezeCols();
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Row1(), "c1 c2 c3 c4 c5 c6 c7 c8 ");
  EXPECT_EQ(grid->GetFrozenCols(), 0u);
}

TEST_F(Freeze, OnlyOneBlockOfWholeColumnsFreezes) {
  struct Case {
    const char* what;
    CGXRange a, b;
    BOOL can;
  } cases[] = {
      {"two separate blocks", CGXRange().SetCols(2, 3), CGXRange().SetCols(6, 6), FALSE},
      {"two touching blocks are one", CGXRange().SetCols(2, 3), CGXRange().SetCols(4, 4), TRUE},
      {"cells only", CGXRange(2, 2, 4, 4), CGXRange(), FALSE},
      {"whole rows only", CGXRange().SetRows(2, 3), CGXRange(), FALSE},
  };
  for (const Case& c : cases) {
    grid->GetParam()->m_SelRects.DeleteAll();
    Select(c.a);
    if (c.b.IsValid()) Select(c.b);
    EXPECT_EQ(grid->CanFreezeCols(), c.can) << c.what;
  }
}

TEST_F(Freeze, ABlockAtTheFrontOnlyFreezes) {
  Select(CGXRange().SetCols(1, 2));
  const int undo = UndoCount();
  grid->FreezeCols();
  EXPECT_EQ(Row1(), "c1 c2 c3 c4 c5 c6 c7 c8 ");
  EXPECT_EQ(grid->GetFrozenCols(), 2u);
  EXPECT_EQ(UndoCount(), undo + 1);
  grid->UnfreezeCols();
  EXPECT_EQ(Row1(), "c1 c2 c3 c4 c5 c6 c7 c8 ");
  EXPECT_EQ(grid->GetFrozenCols(), 0u);
}

TEST_F(Freeze, RowsFreezeLikeColumns) {
  Select(CGXRange().SetRows(5, 6));
  ASSERT_TRUE(grid->CanFreezeRows());
  grid->FreezeRows();
  EXPECT_EQ(Value(1, 1), "r5");
  EXPECT_EQ(Value(2, 1), "r6");
  EXPECT_EQ(grid->GetFrozenRows(), 2u);
  grid->UnfreezeRows();
  EXPECT_EQ(Column1(), "r2 r3 r4 r5 r6 r7 r8 ");
  EXPECT_EQ(grid->GetFrozenRows(), 0u);
}

TEST_F(Freeze, ColumnsFrozenOtherwiseStayWhereTheyAre) {
  Select(CGXRange().SetCols(4, 6));
  grid->FreezeCols();
  grid->UnfreezeCols();
  grid->SetFrozenCols(2, 0);
  grid->UnfreezeCols();
  EXPECT_EQ(Row1(), "c1 c2 c3 c4 c5 c6 c7 c8 ") << "the old freeze's memory moves nothing";
  EXPECT_EQ(grid->GetFrozenCols(), 0u);
}

TEST(FreezeAbsent, NothingWithoutTheFeature) {
  CGXGridCore grid;
  EXPECT_FALSE(grid.CanFreezeCols());
  EXPECT_FALSE(grid.CanUnfreezeRows());
  grid.FreezeCols();
}

}  // namespace
