#include <gtest/gtest.h>

#include <vector>

#include "grid/GridTestUtil.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXSpanCellPool.h"
#include "platform/base/Exceptions.h"

namespace {

// True when the call raised the framework's archive exception (freed here).
template <class F>
bool ThrowsArchive(F&& f) {
  try {
    f();
  } catch (CArchiveException* e) {
    e->Delete();
    return true;
  }
  return false;
}

using gridtest::Load;
using gridtest::Store;

constexpr DWORD kNone = 0xFFFFFFFFu;
using Line = std::vector<DWORD>;

Line HorizontalLine(const CGXSpanCellPool& pool, ROWCOL row) {
  const Line* line = pool.Horizontal().GetLine(row);
  return line != nullptr ? *line : Line{};
}

// The range a lookup gives for a cell, starting from the cell itself.
CGXRange Lookup(const CGXSpanCellPool& pool, ROWCOL row, ROWCOL col, BOOL* found = nullptr) {
  CGXRange range(row, col);
  const BOOL hit = pool.LookupSpan(row, col, range);
  if (found != nullptr) *found = hit;
  return range;
}

TEST(SpanCellPool, StoresSpansPerDirection) {
  CGXSpanCellPool pool;
  ASSERT_TRUE(pool.StoreSpan(3, 2, 3, 5, TRUE));
  EXPECT_EQ(HorizontalLine(pool, 3), (Line{kNone, kNone, 2, 2, 2, 2}));
  EXPECT_EQ(pool.Vertical().GetSize(), 0u) << "one row high: nothing vertical";
  EXPECT_EQ(Lookup(pool, 3, 4), CGXRange(3, 2, 3, 5));

  CGXSpanCellPool column;
  ASSERT_TRUE(column.StoreSpan(1, 7, 4, 7, TRUE));
  EXPECT_EQ(column.Horizontal().GetSize(), 0u);
  EXPECT_EQ(Lookup(column, 2, 7), CGXRange(1, 7, 4, 7));

  BOOL found = TRUE;
  Lookup(pool, static_cast<ROWCOL>(-1), 0, &found);
  EXPECT_FALSE(found);
  Lookup(pool, 9, 9, &found);
  EXPECT_FALSE(found);
}

TEST(SpanCellPool, NewSpansCutOlderOnes) {
  CGXSpanCellPool pool;
  pool.StoreSpan(1, 2, 1, 8, TRUE);
  pool.StoreSpan(1, 2, 1, 5, TRUE);
  EXPECT_EQ(HorizontalLine(pool, 1), (Line{kNone, kNone, 2, 2, 2, 2, kNone, kNone, kNone}));

  // Removing from inside a span keeps the part before it.
  pool.StoreSpan(1, 4, 1, 4, FALSE);
  EXPECT_EQ(HorizontalLine(pool, 1), (Line{kNone, kNone, 2, 2, kNone, kNone, kNone, kNone, kNone}));
  EXPECT_EQ(Lookup(pool, 1, 3), CGXRange(1, 2, 1, 3));
  EXPECT_FALSE(pool.StoreSpan(5, 1, 5, 1, FALSE)) << "nothing to remove in a missing line";
}

TEST(SpanCellPool, FollowsInsertedRemovedAndMovedRowsAndColumns) {
  CGXSpanCellPool pool;
  pool.StoreSpan(2, 1, 3, 3, TRUE);  // rows 2-3, columns 1-3
  pool.InsertRows(1, 2);
  EXPECT_EQ(Lookup(pool, 4, 2).left, 1u);
  EXPECT_EQ(HorizontalLine(pool, 2), Line{});
  pool.RemoveRows(1, 2);
  EXPECT_EQ(Lookup(pool, 2, 2), CGXRange(2, 1, 3, 3));

  pool.InsertCols(0, 1);
  EXPECT_EQ(HorizontalLine(pool, 2), (Line{kNone, kNone, 1, 1, 1}));
  pool.RemoveCols(0, 0);
  EXPECT_EQ(HorizontalLine(pool, 2), (Line{kNone, 1, 1, 1}));
  // A removal to "the end" (-2 read as unsigned) drops everything after.
  pool.RemoveCols(2, static_cast<ROWCOL>(-2));
  EXPECT_EQ(HorizontalLine(pool, 2), (Line{kNone, 1}));

  CGXSpanCellPool moved;
  moved.StoreSpan(1, 1, 1, 2, TRUE);
  moved.MoveRows(1, 1, 3);  // row 1 goes below rows 2 and 3
  EXPECT_EQ(HorizontalLine(moved, 1), Line{});
  EXPECT_EQ(HorizontalLine(moved, 3), (Line{kNone, 1, 1}));
  moved.MoveRows(3, 3, 0);
  EXPECT_EQ(HorizontalLine(moved, 0), (Line{kNone, 1, 1}));
}

TEST(SpanCellPool, ArchiveRoundTripAndDamage) {
  CGXSpanCellPool pool;
  pool.StoreSpan(2, 1, 3, 3, TRUE);
  pool.StoreSpan(6, 4, 6, 5, TRUE);
  const auto bytes = Store([&](CArchive& ar) { pool.Serialize(ar); });
  CGXSpanCellPool back;
  Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  for (ROWCOL row = 0; row < 8; ++row)
    for (ROWCOL col = 0; col < 8; ++col) EXPECT_EQ(Lookup(back, row, col), Lookup(pool, row, col));
  EXPECT_EQ(back.Horizontal().GetLine(4), nullptr) << "missing lines stay missing";

  CGXSpanCellPool copy;
  copy = pool;
  EXPECT_EQ(Lookup(copy, 6, 5), CGXRange(6, 4, 6, 5));

  // A line index beyond the stored count is a damaged archive.
  const auto beyond = Store([](CArchive& ar) {
    ar << static_cast<WORD>(1) << static_cast<DWORD>(2) << static_cast<DWORD>(5);
    ar.WriteCount(1);
    ar << static_cast<DWORD>(0) << static_cast<DWORD>(0xFFFFFFFF);
  });
  CGXDWordArrayPtrArray table;
  EXPECT_TRUE(ThrowsArchive([&] { Load(beyond, [&](CArchive& ar) { table.Serialize(ar); }); }));
  const auto schema = Store([](CArchive& ar) { ar << static_cast<WORD>(2) << static_cast<DWORD>(0); });
  EXPECT_TRUE(ThrowsArchive([&] { Load(schema, [&](CArchive& ar) { table.Serialize(ar); }); }));
}

// ---------------------------------------------------------- delayed ranges

struct Evaluation {
  BOOL any = FALSE;
  std::vector<DWORD> first, last;
};

Evaluation Ask(CGXDelayedRangePool& pool, const CGXRange& range) {
  Evaluation e;
  e.any = pool.GetRowsToEvaluate(range, e.first, e.last);
  return e;
}

TEST(DelayedRangePool, ReportsQueuedRowsOnce) {
  CGXDelayedRangePool pool;
  pool.AddRange(CGXRange(5, 1, 10, 3));
  Evaluation e = Ask(pool, CGXRange(1, 1, 20, 3));
  ASSERT_TRUE(e.any);
  for (ROWCOL row = 1; row <= 20; ++row) {
    const bool queued = row >= 5 && row <= 10;
    EXPECT_EQ(e.first[row - 1], queued ? 1u : kNone) << row;
    EXPECT_EQ(e.last[row - 1], queued ? 3u : 0u) << row;
  }
  EXPECT_FALSE(Ask(pool, CGXRange(1, 1, 20, 3)).any);
  EXPECT_EQ(pool.GetSize(), 0);
  EXPECT_FALSE(Ask(pool, CGXRange(5, 1, 4, 3)).any) << "bottom above top";
}

TEST(DelayedRangePool, RemembersWhichRowsWereDone) {
  CGXDelayedRangePool pool;
  pool.AddRange(CGXRange(5, 1, 10, 3));
  Evaluation e = Ask(pool, CGXRange(5, 1, 7, 3));
  EXPECT_EQ(e.first, (std::vector<DWORD>{1, 1, 1}));
  e = Ask(pool, CGXRange(1, 1, 20, 3));
  for (ROWCOL row = 1; row <= 20; ++row) EXPECT_EQ(e.first[row - 1], row >= 8 && row <= 10 ? 1u : kNone) << row;
}

TEST(DelayedRangePool, SplitsAtTheAskedColumns) {
  CGXDelayedRangePool pool;
  pool.AddRange(CGXRange(5, 1, 6, 10));
  Evaluation e = Ask(pool, CGXRange(5, 4, 6, 6));
  EXPECT_EQ(e.first, (std::vector<DWORD>{4, 4}));
  EXPECT_EQ(e.last, (std::vector<DWORD>{6, 6}));
  ASSERT_EQ(pool.GetSize(), 2);
  std::vector<std::pair<ROWCOL, ROWCOL>> pieces;
  for (int i = 0; i < pool.GetSize(); ++i) pieces.emplace_back(pool.GetAt(i)->m_range.left, pool.GetAt(i)->m_range.right);
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces, (std::vector<std::pair<ROWCOL, ROWCOL>>{{1, 3}, {7, 10}}));
}

TEST(DelayedRangePool, GrowsReusesAndRoundTrips) {
  CGXDelayedRangePool pool;
  pool.AddRange(CGXRange(1, 1, 5, 3));
  pool.AddRange(CGXRange(6, 1, 8, 3));
  ASSERT_EQ(pool.GetSize(), 1) << "the next rows extend the untouched entry";
  EXPECT_EQ(pool.GetAt(0)->m_range, CGXRange(1, 1, 8, 3));

  pool.AddRange(CGXRange(20, 20, 21, 21));
  ASSERT_EQ(pool.GetSize(), 2);
  pool.AddRange(CGXRange(0, 0, 30, 30));
  ASSERT_EQ(pool.GetSize(), 2) << "a containing block reuses an entry it swallowed";
  int pending = 0;
  for (int i = 0; i < pool.GetSize(); ++i) pending += pool.GetAt(i)->m_bDone ? 0 : 1;
  EXPECT_EQ(pending, 1);

  const auto bytes = Store([&](CArchive& ar) { pool.Serialize(ar); });
  CGXDelayedRangePool back;
  Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(back.GetSize(), 2);
  EXPECT_EQ(back.GetAt(0)->m_bDone, 0u) << "a range read back is pending";
}

TEST(DelayedRangePool, AnArchivedRangeListedTwiceIsRefused) {
  // The pool owns its ranges: one range in two entries would be freed twice.
  CGXDelayedRange range(CGXRange(1, 1, 2, 2));
  const auto bytes = Store([&](CArchive& ar) {
    ar.WriteCount(2);
    ar.WriteObject(&range);
    ar.WriteObject(&range);
  });
  CGXDelayedRangePool back;
  EXPECT_TRUE(ThrowsArchive([&] { Load(bytes, [&](CArchive& ar) { back.Serialize(ar); }); }));
}

}  // namespace
