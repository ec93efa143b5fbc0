// Cell ranges and owning range lists.
//
// A range names a block of cells, a block of whole rows, a block of whole
// columns or the whole table. Row 0 and column 0 are the headers. The range
// list keeps the selection, the covered-cell blocks and similar sets, and is
// renumbered when rows or columns are inserted, removed or moved.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/Collections.h"

using ROWCOL = DWORD;

class CGXRange {
 public:
  enum Kind : LONG { cells = 0, rows = 1, cols = 2, table = 3 };

  CGXRange() = default;
  CGXRange(ROWCOL row, ROWCOL col) { SetCells(row, col, row, col); }
  CGXRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) { SetCells(top, left, bottom, right); }
  explicit CGXRange(const CGXRange* other) {
    if (other != nullptr) *this = *other;
  }
  CGXRange(const CGXRange&) = default;
  CGXRange& operator=(const CGXRange&) = default;

  CGXRange& SetCells(ROWCOL r1, ROWCOL c1, ROWCOL r2, ROWCOL c2);
  CGXRange& SetCells(ROWCOL row, ROWCOL col) { return SetCells(row, col, row, col); }
  CGXRange& SetRows(ROWCOL r1, ROWCOL r2);
  CGXRange& SetRow(ROWCOL row) { return SetRows(row, row); }
  CGXRange& SetCols(ROWCOL c1, ROWCOL c2);
  CGXRange& SetCol(ROWCOL col) { return SetCols(col, col); }
  CGXRange& SetTable();
  CGXRange& ExpandToCells(ROWCOL firstRow, ROWCOL firstCol, ROWCOL lastRow, ROWCOL lastCol);

  BOOL IsCells() const { return rtType == cells; }
  BOOL IsRows() const { return rtType == rows; }
  BOOL IsCols() const { return rtType == cols; }
  BOOL IsTable() const { return rtType == table; }
  BOOL IsValid() const { return m_bValid; }

  BOOL IsCellInRange(ROWCOL row, ROWCOL col) const;
  BOOL IntersectWith(const CGXRange& a, const CGXRange& b);
  BOOL SetUnion(const CGXRange& a, const CGXRange& b);

  ROWCOL GetHeight() const { return bottom - top + 1; }
  ROWCOL GetWidth() const { return right - left + 1; }

  bool operator==(const CGXRange&) const = default;

  LONG rtType = cells;
  ROWCOL top = 0;
  ROWCOL left = 0;
  ROWCOL bottom = 0;
  ROWCOL right = 0;
  BOOL m_bValid = FALSE;
};

// The 18-byte archive form of one range.
void GXWriteRange(CArchive& ar, const CGXRange& range);
void GXReadRange(CArchive& ar, CGXRange& range);

class CGXRangeList : public CObject {
  DECLARE_SERIAL(CGXRangeList)

 public:
  CGXRangeList() = default;
  CGXRangeList(const CGXRangeList& other) : CObject() { *this = other; }
  ~CGXRangeList() override;
  void Serialize(CArchive& ar) override;
  virtual CGXRangeList& operator=(const CGXRangeList& other);

  // List access; the list owns the ranges it holds.
  int GetCount() const { return list_.GetCount(); }
  BOOL IsEmpty() const { return list_.IsEmpty(); }
  POSITION GetHeadPosition() const { return list_.GetHeadPosition(); }
  POSITION GetTailPosition() const { return list_.GetTailPosition(); }
  CGXRange* GetNext(POSITION& pos) const { return static_cast<CGXRange*>(list_.GetNext(pos)); }
  CGXRange* GetPrev(POSITION& pos) const { return static_cast<CGXRange*>(list_.GetPrev(pos)); }
  CGXRange* GetAt(POSITION pos) const { return static_cast<CGXRange*>(list_.GetAt(pos)); }
  CGXRange* GetHead() const { return static_cast<CGXRange*>(list_.GetHead()); }
  CGXRange* GetTail() const { return static_cast<CGXRange*>(list_.GetTail()); }
  POSITION AddHead(CGXRange* range) { return list_.AddHead(range); }
  POSITION AddTail(CGXRange* range) { return list_.AddTail(range); }

  void DeleteAll();
  void DeleteAt(POSITION pos);
  void RemoveInvalidRanges();
  POSITION FindRangeWithCell(ROWCOL row, ROWCOL col) const;
  BOOL IsCellInListExcept(ROWCOL row, ROWCOL col, POSITION except) const;
  BOOL TouchesCol(ROWCOL col) const;
  BOOL TouchesRow(ROWCOL row) const;
  BOOL GetColIntervals(ROWCOL lastCol, CDWordArray& starts, CDWordArray& ends, BOOL wholeOnly) const;
  BOOL GetRowIntervals(ROWCOL lastRow, CDWordArray& starts, CDWordArray& ends, BOOL wholeOnly) const;

  void AdjustAfterInsertRows(ROWCOL fromRow, ROWCOL count);
  void AdjustAfterInsertCols(ROWCOL fromCol, ROWCOL count);
  void AdjustAfterRemoveRows(ROWCOL fromRow, ROWCOL toRow, ROWCOL maxRow);
  void AdjustAfterRemoveCols(ROWCOL fromCol, ROWCOL toCol, ROWCOL maxCol);
  void AdjustAfterMoveRows(ROWCOL fromRow, ROWCOL toRow, ROWCOL destRow, ROWCOL maxRow);
  void AdjustAfterMoveCols(ROWCOL fromCol, ROWCOL toCol, ROWCOL destCol, ROWCOL maxCol);

 private:
  CPtrList list_;
};
