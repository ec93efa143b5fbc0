#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/GridFeatures.h"
#include "grid/core/GXData.h"

namespace {

CGXStyle Value(const char* v) { return CGXStyle(v); }

// The values of column 1 of rows 1..rows, "-" where a row has none.
std::string Column1(const CGXData& d) {
  std::string out;
  for (ROWCOL r = 1; r <= d.GetRowCount(); ++r) {
    CGXStyle s;
    out += d.GetStyleRowCol(r, 1, s, 0, 0) ? std::string(s.GetValue()) : std::string("-");
  }
  return out;
}

CGXData& Numbered(CGXData& d, int rows) {
  for (int r = 1; r <= rows; ++r) {
    const std::string v = std::to_string(r);
    CGXStyle s(v.c_str());
    d.StoreStyleRowCol(static_cast<ROWCOL>(r), 1, &s, 0, 0);
  }
  return d;
}

TEST(GridData, StoringACellGrowsCountsSparsely) {
  CGXData d;
  CGXStyle s = Value("x");
  d.StoreStyleRowCol(50, 7, &s, 0, 0);
  EXPECT_EQ(d.GetRowCount(), 50u);
  EXPECT_EQ(d.GetColCount(), 7u);
  ASSERT_NE(d.Cells().RowAt(50), nullptr);
  EXPECT_EQ(d.Cells().RowAt(50)->GetSize(), 8);
  for (int r = 0; r < 50; ++r) EXPECT_EQ(d.Cells().RowAt(r), nullptr);

  CGXData e;
  e.StoreStyleRowCol(3, 4, &s, 3, 0);
  EXPECT_EQ(e.GetRowCount(), 3u);
  EXPECT_EQ(e.Cells().RowAt(3)->StyleAt(4), nullptr) << "removing from nothing stores nothing";

  CGXStyle untouched = Value("keep");
  EXPECT_FALSE(d.GetStyleRowCol(51, 1, untouched, 0, 0));
  EXPECT_EQ(untouched.GetValue(), "keep");
}

TEST(GridData, MergeModesAndBaseStyles) {
  CGXData d;
  CGXStyle a;
  a.SetValue("a").SetControl(3);
  d.StoreStyleRowCol(1, 1, &a, 0, 0);
  CGXStyle b;
  b.SetValue("b");
  d.StoreStyleRowCol(1, 1, &b, 1, 0);
  CGXStyle got;
  ASSERT_TRUE(d.GetStyleRowCol(1, 1, got, 0, 0));
  EXPECT_EQ(got.GetValue(), "a") << "fill keeps the stored value";
  d.StoreStyleRowCol(1, 1, &b, 0, 0);
  got.Free();
  d.GetStyleRowCol(1, 1, got, 2, 0);
  EXPECT_EQ(got.GetValue(), "b");
  EXPECT_EQ(got.GetControl(), 3);
  d.StoreStyleRowCol(1, 1, nullptr, 0, 0);
  EXPECT_FALSE(d.GetStyleRowCol(1, 1, got, 0, 0));

  CGXStyle rowBase = Value("row 2");
  CGXStyle colBase = Value("col 3");
  d.StoreStyleRowCol(2, 0, &rowBase, 0, -1);
  d.StoreStyleRowCol(0, 3, &colBase, 0, -1);
  ASSERT_TRUE(d.GetStyleRowCol(2, 3, got, 2, -1));
  EXPECT_EQ(got.GetValue(), "row 2");
  ASSERT_TRUE(d.GetStyleRowCol(0, 3, got, 2, -1));
  EXPECT_EQ(got.GetValue(), "col 3");
}

TEST(GridData, RowOperations) {
  struct Case {
    const char* what;
    void (*apply)(CGXData&);
    const char* expect;
  } cases[] = {
      {"remove 2..3", [](CGXData& d) { d.StoreRemoveRows(2, 3); }, "145"},
      {"remove beyond the count", [](CGXData& d) { d.StoreRemoveRows(4, 99); }, "123"},
      {"move 2..3 to 5 of 6", [](CGXData& d) { d.StoreRowCount(6), d.StoreMoveRows(2, 3, 5); }, "145-23"},
      {"move 4..5 to 1", [](CGXData& d) { d.StoreMoveRows(4, 5, 1); }, "45123"},
      {"insert 2 at 2", [](CGXData& d) { d.StoreInsertRows(2, 2); }, "1--2345"},
      {"row count 0", [](CGXData& d) { d.StoreRowCount(0); }, ""},
  };
  for (const auto& c : cases) {
    CGXData d;
    Numbered(d, 5);
    c.apply(d);
    EXPECT_EQ(Column1(d), c.expect) << c.what;
  }
  CGXData d;
  Numbered(d, 6);
  d.StoreMoveRows(2, 3, 5);
  EXPECT_EQ(Column1(d), "145623");
}

TEST(GridData, ColumnOperationsWorkInsideEveryRow) {
  CGXData d;
  for (ROWCOL c = 1; c <= 4; ++c) {
    const std::string v = std::to_string(c);
    CGXStyle s(v.c_str());
    d.StoreStyleRowCol(1, c, &s, 0, 0);
    d.StoreStyleRowCol(3, c, &s, 0, 0);
  }
  d.StoreRemoveCols(2, 2);
  d.StoreMoveCols(3, 3, 1);
  d.StoreInsertCols(2, 1);
  EXPECT_EQ(d.GetColCount(), 4u);
  std::string row3;
  for (ROWCOL c = 1; c <= 4; ++c) {
    CGXStyle s;
    row3 += d.GetStyleRowCol(3, c, s, 0, 0) ? std::string(s.GetValue()) : std::string("-");
  }
  EXPECT_EQ(row3, "4-13");
}

TEST(GridData, NumberRecognitionOnlyForKindOne) {
  gridtest::ScopedNumberFormatting numbers;
  CGXData d;
  CGXStyle twelve = Value("12");
  d.StoreStyleRowCol(1, 1, &twelve, 0, 1);
  d.StoreStyleRowCol(1, 2, &twelve, 0, 0);
  CGXStyle a, b;
  d.GetStyleRowCol(1, 1, a, 0, 0);
  d.GetStyleRowCol(1, 2, b, 0, 0);
  EXPECT_EQ(a.GetValueType(), 1u);
  EXPECT_EQ(b.GetValueType(), 0u);
}

TEST(GridData, CopyIsDeep) {
  auto* d = new CGXData;
  Numbered(*d, 3);
  CGXStyle base = Value("base");
  d->StoreStyleRowCol(2, 0, &base, 0, -1);
  CGXData copy;
  copy = *d;
  delete d;
  EXPECT_EQ(Column1(copy), "123");
  CGXStyle got;
  EXPECT_TRUE(copy.GetStyleRowCol(2, 0, got, 2, -1));
}

}  // namespace
