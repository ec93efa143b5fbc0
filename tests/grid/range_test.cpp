#include <gtest/gtest.h>

#include <vector>

#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXRange.h"
#include "grid/GridTestUtil.h"
#include "platform/base/Exceptions.h"

namespace {

CGXRange Rows(ROWCOL a, ROWCOL b) { return CGXRange().SetRows(a, b); }
CGXRange Cols(ROWCOL a, ROWCOL b) { return CGXRange().SetCols(a, b); }
CGXRange Cells(ROWCOL t, ROWCOL l, ROWCOL b, ROWCOL r) { return CGXRange(t, l, b, r); }

TEST(GridRange, SettersNormaliseCorners) {
  CGXRange r(5, 7, 2, 3);
  EXPECT_EQ(r, Cells(2, 3, 5, 7));
  EXPECT_TRUE(r.IsValid());
  r.SetCells(0xFFFFFFFFu, 1, 3, 1);
  EXPECT_EQ(r.top, 3u);
  EXPECT_EQ(r.bottom, 0xFFFFFFFFu);
  r.SetRows(9, 4);
  EXPECT_EQ(r.top, 4u);
  EXPECT_EQ(r.left, 0u);
  r.SetTable();
  EXPECT_EQ(r.top, 4u) << "the table keeps its bounds";
  EXPECT_EQ(CGXRange(static_cast<const CGXRange*>(nullptr)), CGXRange());
}

TEST(GridRange, CellInRangeIgnoresTheDimensionAKindDoesNotUse) {
  EXPECT_TRUE(Cols(2, 3).IsCellInRange(0, 2));
  EXPECT_FALSE(Cols(2, 3).IsCellInRange(0, 4));
  EXPECT_TRUE(Rows(2, 3).IsCellInRange(3, 999));
  EXPECT_FALSE(CGXRange().IsCellInRange(0, 0)) << "an invalid range holds no cell";
  EXPECT_TRUE(CGXRange().SetTable().IsCellInRange(77, 88));
}

struct IntersectCase {
  CGXRange a, b;
  CGXRange expect;  // compared whole when valid
  bool valid;
};

TEST(GridRange, IntersectionTable) {
  const std::vector<IntersectCase> cases = {
      {Rows(2, 4), Cols(3, 3), Cells(2, 3, 4, 3), true},
      {Cells(1, 1, 3, 3), Cells(3, 3, 5, 5), Cells(3, 3, 3, 3), true},
      {Cells(1, 1, 2, 3), Cells(4, 1, 5, 3), CGXRange(), false},
      {CGXRange().SetTable(), Cells(1, 2, 3, 4), Cells(1, 2, 3, 4), true},
      {Cols(2, 5), Cells(1, 4, 9, 8), Cells(1, 4, 9, 5), true},
      {Rows(2, 5), Rows(4, 8), Rows(4, 5), true},
      {Cols(2, 3), Cols(5, 6), CGXRange(), false},
  };
  for (const auto& c : cases) {
    CGXRange r;
    EXPECT_EQ(r.IntersectWith(c.a, c.b), c.valid);
    if (c.valid) {
      EXPECT_EQ(r, c.expect);
    }
  }
  CGXRange self = Cells(1, 1, 5, 5);
  self.IntersectWith(self, Cells(2, 2, 9, 9));
  EXPECT_EQ(self, Cells(2, 2, 5, 5)) << "a range may intersect itself";
}

TEST(GridRange, UnionTable) {
  CGXRange r;
  r.SetUnion(Rows(1, 2), Cols(1, 2));
  EXPECT_TRUE(r.IsTable());
  r.SetUnion(Cells(1, 1, 2, 2), Cols(4, 5));
  EXPECT_EQ(r, Cols(1, 5));
  r.SetUnion(Cells(3, 1, 4, 2), Rows(6, 7));
  EXPECT_EQ(r, Rows(3, 7));
  r.SetUnion(Cells(3, 1, 4, 2), Cells(1, 5, 2, 6));
  EXPECT_EQ(r, Cells(1, 1, 4, 6));
}

std::vector<CGXRange> Ranges(const CGXRangeList& list) {
  std::vector<CGXRange> out;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) out.push_back(*list.GetNext(pos));
  return out;
}

void Fill(CGXRangeList& list, const std::vector<CGXRange>& ranges) {
  for (const auto& r : ranges) list.AddTail(new CGXRange(r));
}

TEST(GridRangeList, CopyReversesAndDropsInvalid) {
  CGXRangeList src;
  CGXRange bad = Cells(9, 9, 9, 9);
  bad.m_bValid = FALSE;
  Fill(src, {Cells(1, 1, 1, 1), bad, Cells(2, 2, 2, 2), Cells(3, 3, 3, 3)});
  CGXRangeList copy;
  copy = src;
  EXPECT_EQ(Ranges(copy), (std::vector<CGXRange>{Cells(3, 3, 3, 3), Cells(2, 2, 2, 2), Cells(1, 1, 1, 1)}));
  CGXRangeList& same = copy;
  copy = same;
  EXPECT_EQ(copy.GetCount(), 3);
}

TEST(GridRangeList, Queries) {
  CGXRangeList list;
  Fill(list, {Cells(1, 1, 2, 2), Rows(5, 6)});
  POSITION first = list.GetHeadPosition();
  EXPECT_EQ(list.FindRangeWithCell(2, 2), first);
  EXPECT_EQ(list.FindRangeWithCell(3, 3), nullptr);
  EXPECT_FALSE(list.IsCellInListExcept(1, 1, first));
  EXPECT_TRUE(list.IsCellInListExcept(1, 1, nullptr));
  EXPECT_TRUE(list.TouchesCol(99)) << "whole rows touch every column";
  EXPECT_FALSE(list.TouchesRow(3));
  EXPECT_TRUE(list.TouchesRow(6));
}

TEST(GridRangeList, ColumnIntervalsJoinTouchingRanges) {
  CGXRangeList list;
  Fill(list, {Cells(1, 4, 1, 6), Cells(1, 2, 1, 3), Cells(1, 10, 1, 11), Cols(12, 12)});
  CDWordArray s, e;
  ASSERT_TRUE(list.GetColIntervals(20, s, e, FALSE));
  ASSERT_EQ(s.GetSize(), 2);
  EXPECT_EQ(s[0], 2u);
  EXPECT_EQ(e[0], 6u);
  EXPECT_EQ(s[1], 10u);
  EXPECT_EQ(e[1], 12u);
  ASSERT_TRUE(list.GetColIntervals(20, s, e, TRUE));
  ASSERT_EQ(s.GetSize(), 1);
  EXPECT_EQ(s[0], 12u);
  CGXRangeList rowsOnly;
  Fill(rowsOnly, {Rows(3, 4)});
  ASSERT_TRUE(rowsOnly.GetColIntervals(20, s, e, FALSE));
  EXPECT_EQ(e[0], 20u) << "whole rows reach the last column";
  EXPECT_FALSE(CGXRangeList().GetColIntervals(20, s, e, FALSE));
}

struct AdjustCase {
  const char* what;
  CGXRange before;
  CGXRange after;
};

TEST(GridRangeList, RenumberRows) {
  // Each list operation over one range; invalid results compare only the flag.
  struct Op {
    const char* name;
    void (*apply)(CGXRangeList&);
    std::vector<AdjustCase> cases;
  };
  CGXRange gone = Rows(2, 3);
  gone.m_bValid = FALSE;
  const std::vector<Op> ops = {
      {"remove 2..3",
       [](CGXRangeList& l) { l.AdjustAfterRemoveRows(2, 3, 100); },
       {{"spanning", Rows(1, 5), Rows(1, 3)}, {"inside", Rows(2, 3), gone}, {"overlapping", Rows(3, 6), Rows(2, 4)},
        {"columns untouched", Cols(4, 5), Cols(4, 5)}}},
      {"remove 2..3, 3 rows left",
       [](CGXRangeList& l) { l.AdjustAfterRemoveRows(2, 3, 3); },
       {{"clipped to the count", Rows(1, 9), Rows(1, 3)}}},
      {"insert 2 at 4",
       [](CGXRangeList& l) { l.AdjustAfterInsertRows(4, 2); },
       {{"below", Rows(1, 3), Rows(1, 3)}, {"straddling", Rows(3, 4), Rows(3, 6)}, {"above", Cells(4, 1, 5, 1), Cells(6, 1, 7, 1)}}},
      {"move 2..3 to 5",
       [](CGXRangeList& l) { l.AdjustAfterMoveRows(2, 3, 5, 100); },
       {{"after the block", Rows(4, 4), Rows(2, 2)}, {"the block", Rows(2, 3), Rows(5, 6)}, {"beyond", Rows(9, 9), Rows(9, 9)}}},
      {"move 5..6 to 2",
       [](CGXRangeList& l) { l.AdjustAfterMoveRows(5, 6, 2, 100); },
       {{"the block", Rows(5, 6), Rows(2, 3)}, {"between", Rows(3, 4), Rows(5, 6)}, {"before", Rows(1, 1), Rows(1, 1)}}},
  };
  for (const auto& op : ops) {
    for (const auto& c : op.cases) {
      CGXRangeList list;
      Fill(list, {c.before});
      op.apply(list);
      const CGXRange got = *list.GetHead();
      EXPECT_EQ(got.IsValid(), c.after.IsValid()) << op.name << ": " << c.what;
      if (c.after.IsValid()) {
        EXPECT_EQ(got, c.after) << op.name << ": " << c.what;
      }
    }
  }
}

TEST(GridRangeList, RenumberColumnsUsesLeftAndRight) {
  CGXRangeList list;
  Fill(list, {Cells(1, 3, 1, 6)});
  list.AdjustAfterRemoveCols(2, 3, 100);
  EXPECT_EQ(*list.GetHead(), Cells(1, 2, 1, 4));
  list.AdjustAfterInsertCols(1, 1);
  EXPECT_EQ(*list.GetHead(), Cells(1, 3, 1, 5));
  list.AdjustAfterMoveCols(3, 3, 1, 100);
  EXPECT_EQ(*list.GetHead(), Cells(1, 1, 1, 3));
}

TEST(GridRangeList, ArchiveRoundTripDropsInvalidRanges) {
  CGXRangeList list;
  CGXRange bad = Cells(7, 7, 7, 7);
  bad.m_bValid = FALSE;
  Fill(list, {Cells(1, 2, 3, 4), bad, Rows(5, 0x12345678)});
  auto bytes = gridtest::Store([&](CArchive& ar) { list.Serialize(ar); });
  EXPECT_EQ(list.GetCount(), 2) << "storing deletes the invalid ranges from the list itself";
  ASSERT_EQ(bytes.size(), 2u + 4u + 2u * 18u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[2], 2);
  const std::vector<BYTE> first = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0, 1};
  EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 6, bytes.begin() + 24), first);

  CGXRangeList back;
  Fill(back, {Cells(9, 9, 9, 9)});
  gridtest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(Ranges(back), (std::vector<CGXRange>{Cells(9, 9, 9, 9), Cells(1, 2, 3, 4), Rows(5, 0x12345678)}));
}

TEST(GridRangeList, LoadingRefusesBadSchemaAndImpossibleCount) {
  auto expectThrows = [](std::vector<BYTE> bytes, int cause) {
    CGXRangeList list;
    try {
      gridtest::Load(bytes, [&](CArchive& ar) { list.Serialize(ar); });
      ADD_FAILURE() << "no exception";
    } catch (CArchiveException* e) {
      EXPECT_EQ(e->m_cause, cause);
      e->Delete();
    }
    EXPECT_TRUE(list.IsEmpty());
  };
  expectThrows({2, 0, 0, 0, 0, 0}, CArchiveException::badSchema);
  expectThrows({1, 0, 0xFF, 0xFF, 0xFF, 0x0F}, CArchiveException::endOfFile);
}

TEST(GridIndexMap, RenumberKeys) {
  struct Case {
    const char* what;
    void (*apply)(CGXMapDWordToLong&);
    std::vector<std::pair<DWORD, LONG>> expect;  // key -> value, value = old key
  };
  const std::vector<Case> cases = {
      {"insert 2 at 5", [](CGXMapDWordToLong& m) { m.InsertKeys(5, 2); }, {{3, 3}, {7, 5}, {11, 9}}},
      {"remove 4..6", [](CGXMapDWordToLong& m) { m.RemoveKeys(4, 6); }, {{3, 3}, {6, 9}}},
  };
  for (const auto& c : cases) {
    CGXMapDWordToLong m;
    for (DWORD k : {3u, 5u, 9u}) m[k] = static_cast<LONG>(k);
    c.apply(m);
    EXPECT_EQ(m.GetCount(), static_cast<int>(c.expect.size())) << c.what;
    for (auto [k, v] : c.expect) {
      LONG got = -1;
      EXPECT_TRUE(m.Lookup(k, got)) << c.what << " key " << k;
      EXPECT_EQ(got, v) << c.what;
    }
  }
  CGXMapDWordToLong m;
  for (DWORD k : {2u, 4u, 6u}) m[k] = static_cast<LONG>(k);
  m.MoveKeys(2, 3, 5);
  LONG v = 0;
  ASSERT_TRUE(m.Lookup(5, v));
  EXPECT_EQ(v, 2);
  ASSERT_TRUE(m.Lookup(2, v));
  EXPECT_EQ(v, 4);
  ASSERT_TRUE(m.Lookup(4, v));
  EXPECT_EQ(v, 6);
}

TEST(GridIndexMap, ArchiveRoundTripAndCopy) {
  CGXMapDWordToLong m;
  m.InitHashTable(257);
  m[0] = 6000;
  m[40] = -5;
  auto bytes = gridtest::Store([&](CArchive& ar) { m.Serialize(ar); });
  ASSERT_EQ(bytes.size(), 2u + 16u);
  EXPECT_EQ(bytes[0], 2);
  CGXMapDWordToLong back;
  gridtest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  CGXMapDWordToLong copy;
  copy = back;
  LONG v = 0;
  EXPECT_TRUE(copy.Lookup(40, v));
  EXPECT_EQ(v, -5);
  EXPECT_TRUE(copy.Lookup(0, v));
  EXPECT_EQ(v, 6000);

  // A count beyond what the archive holds stops before reading entries.
  CGXMapDWordToLong bad;
  try {
    gridtest::Load({0xFF, 0xFF, 1, 0, 0, 0}, [&](CArchive& ar) { bad.Serialize(ar); });
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException* e) {
    e->Delete();
  }
  EXPECT_TRUE(bad.IsEmpty());
}

TEST(GridIndexMap, CellMapLooksUpByRowAndColumn) {
  CGXMapCellToOb m;
  CGXRangeList a, b;
  m.SetAtObject(1, 2, &a);
  m.SetAtObject(2, 1, &b);
  CObject* got = nullptr;
  ASSERT_TRUE(m.Lookup(2, 1, got));
  EXPECT_EQ(got, &b);
  EXPECT_TRUE(m.RemoveKeyCell(1, 2));
  EXPECT_FALSE(m.Lookup(1, 2, got));
  EXPECT_EQ(m.GetCount(), 1);
}

}  // namespace

namespace {

TEST(GridIndexMap, StoringMoreThan65535EntriesIsRefused) {
  CGXMapDWordToLong m;
  for (DWORD k = 0; k <= 0xFFFF; ++k) m[k] = 1;
  bool thrown = false;
  try {
    gridtest::Store([&](CArchive& ar) { m.Serialize(ar); });
  } catch (CArchiveException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown) << "a 16-bit count would wrap to 0";
}

}  // namespace
