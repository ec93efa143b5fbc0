#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridSortImp.h"

namespace {

using gridtest::FeatureGridTest;

class Sorting : public FeatureGridTest {
 protected:
  void SetUp() override { MakeGrid(5, 3); }
  // Column 1 gets the keys, column 2 the rows' original positions.
  void Load(const std::vector<const char*>& keys) {
    MakeGrid(static_cast<ROWCOL>(keys.size()), 3);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      grid->SetValueRange(CGXRange(static_cast<ROWCOL>(i + 1), 1), keys[i]);
      grid->SetValueRange(CGXRange(static_cast<ROWCOL>(i + 1), 2), std::to_string(i + 1).c_str());
    }
  }
  std::string Column(ROWCOL col) {
    std::string out;
    for (ROWCOL r = 1; r <= grid->GetRowCount(); ++r) out += std::string(Value(r, col)) + " ";
    return out;
  }
  static void Keys(CGXSortInfoArray& keys, DWORD type, DWORD order = CGXSortInfo::ascending, DWORD key = 1) {
    CGXSortInfo info;
    info.nRC = key, info.sortType = type, info.sortOrder = order;
    keys.Add(info);
  }
  DWORD SortColumn1(DWORD type, DWORD order = CGXSortInfo::ascending) {
    CGXSortInfoArray keys;
    Keys(keys, type, order);
    CGXRange table;
    table.SetTable();
    grid->SortRows(table, keys);
    return keys[0].sortType;
  }
};

TEST_F(Sorting, TypesAndDetection) {
  const struct {
    std::vector<const char*> keys;
    DWORD type, detected;
    const char* sorted;
  } cases[] = {
      {{"10", "9", "100"}, CGXSortInfo::numeric, CGXSortInfo::numeric, "9 10 100 "},
      {{"10", "9", "100"}, CGXSortInfo::alphanumeric, CGXSortInfo::alphanumeric, "10 100 9 "},
      {{"10", "-5", "3"}, CGXSortInfo::autodetect, CGXSortInfo::numeric, "-5 3 10 "},
      {{"10", "5-3", "3"}, CGXSortInfo::autodetect, CGXSortInfo::alphanumeric, "10 3 5-3 "},
      {{"1,000", "20", "3.5"}, CGXSortInfo::autodetect, CGXSortInfo::numeric, "3.5 20 1,000 "},
      {{"12/25/2020", "1/2/2019", "3/4/2020"}, CGXSortInfo::autodetect, CGXSortInfo::date,
       "1/2/2019 3/4/2020 12/25/2020 "},
      {{"pear", "Apple", "fig"}, CGXSortInfo::autodetect, CGXSortInfo::alphanumeric, "Apple fig pear "},
      // A text the conversion rejects counts as 0, as an empty one does.
      {{"5", "x", "-1", ""}, CGXSortInfo::numeric, CGXSortInfo::numeric, "-1 x  5 "},
  };
  for (const auto& c : cases) {
    Load(c.keys);
    EXPECT_EQ(SortColumn1(c.type), c.detected) << c.sorted;
    EXPECT_EQ(Column(1), c.sorted);
  }
}

TEST_F(Sorting, StableInBothDirectionsAndLimitedToTheRange) {
  Load({"b", "a", "b", "a", "c"});
  SortColumn1(CGXSortInfo::alphanumeric);
  EXPECT_EQ(Column(1), "a a b b c ");
  EXPECT_EQ(Column(2), "2 4 1 3 5 ");
  Load({"b", "a", "b", "a", "c"});
  SortColumn1(CGXSortInfo::alphanumeric, CGXSortInfo::descending);
  EXPECT_EQ(Column(2), "5 1 3 2 4 ") << "equal keys keep their order descending too";

  Load({"d", "c", "b", "a", "e"});
  CGXSortInfoArray keys;
  Keys(keys, CGXSortInfo::alphanumeric);
  grid->SortRows(CGXRange(1, 1, 3, 1), keys);
  EXPECT_EQ(Column(1), "b c d a e ") << "rows below the range stay";
  EXPECT_EQ(Column(2), "1 2 3 4 5 ") << "so do the cells beside a block";
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1), "d c b a e ");
}

TEST_F(Sorting, OneStepOfUndoRestoresTheOrder) {
  Load({"30", "10", "20", "40"});
  const int undos = UndoCount();
  SortColumn1(CGXSortInfo::autodetect);
  EXPECT_EQ(Column(1), "10 20 30 40 ");
  EXPECT_EQ(UndoCount(), undos + 1);
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1), "30 10 20 40 ");
  EXPECT_EQ(Column(2), "1 2 3 4 ");
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Column(1), "10 20 30 40 ");

  Load({"z"});
  const int single = UndoCount();
  SortColumn1(CGXSortInfo::alphanumeric);
  EXPECT_EQ(UndoCount(), single) << "one row: nothing sorted, nothing recorded";
}

TEST_F(Sorting, ColumnsSortByAKeyRow) {
  MakeGrid(2, 4);
  const char* keys[] = {"c", "a", "d", "b"};
  for (ROWCOL c = 1; c <= 4; ++c) {
    grid->SetValueRange(CGXRange(1, c), keys[c - 1]);
    grid->SetValueRange(CGXRange(2, c), std::to_string(c).c_str());
  }
  CGXSortInfoArray info;
  Keys(info, CGXSortInfo::autodetect, CGXSortInfo::ascending, 1);
  CGXRange table;
  table.SetTable();
  grid->SortCols(table, info);
  std::string row2;
  for (ROWCOL c = 1; c <= 4; ++c) row2 += std::string(Value(2, c));
  EXPECT_EQ(row2, "2413");

  // A block of row 1 alone, descending: row 2 stays.
  info[0].sortOrder = CGXSortInfo::descending;
  grid->SortCols(CGXRange(1, 1, 1, 4), info);
  std::string row1, row2After;
  for (ROWCOL c = 1; c <= 4; ++c) row1 += std::string(Value(1, c)), row2After += std::string(Value(2, c));
  EXPECT_EQ(row1, "dcba");
  EXPECT_EQ(row2After, "2413");
}

TEST_F(Sorting, HeaderDoubleClicksSortAndReverse) {
  Load({"b", "c", "a"});
  grid->SetValueRange(CGXRange(1, 3), "y");
  grid->SetValueRange(CGXRange(2, 3), "x");
  grid->SetValueRange(CGXRange(3, 3), "z");
  EXPECT_FALSE(grid->OnLeftDblClkCell(0, 1, 0, CPoint(0, 0))) << "switched off by default";
  grid->GetParam()->m_bSortRowsByColHeader = TRUE;
  ASSERT_TRUE(grid->OnLeftDblClkCell(0, 1, 0, CPoint(0, 0)));
  EXPECT_EQ(Column(1), "a b c ");
  ASSERT_TRUE(grid->OnLeftDblClkCell(0, 1, 0, CPoint(0, 0)));
  EXPECT_EQ(Column(1), "c b a ");
  ASSERT_TRUE(grid->OnLeftDblClkCell(0, 3, 0, CPoint(0, 0)));
  EXPECT_EQ(Column(3), "x y z ") << "a new header starts ascending";
  EXPECT_FALSE(grid->OnLeftDblClkCell(1, 1, 0, CPoint(0, 0)));
}

TEST(SortNumber, LongAndRejectedTexts) {
  EXPECT_DOUBLE_EQ(GXSortNumber(CString(std::string(600, '1').c_str()) + ".5"), 0.0) << "overflow counts 0";
  EXPECT_DOUBLE_EQ(GXSortNumber(CString(std::string(600, '0').c_str()) + "7"), 7.0);
  EXPECT_DOUBLE_EQ(GXSortNumber(" 1,234.5 "), 1234.5);
  EXPECT_DOUBLE_EQ(GXSortNumber("1-2"), 0.0);
}

}  // namespace
