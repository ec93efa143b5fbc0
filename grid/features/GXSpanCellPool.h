// The index of floated and merged spans: for any cell, the first and last
// column of the horizontal span and the first and last row of the vertical
// span that hold it. A passive index: the features decide what to store.
#pragma once

#include <memory>
#include <vector>

#include "grid/core/GXFeatures.h"
#include "grid/core/GXRange.h"

// Lines of 32-bit entries, each the first index of the span covering that
// position or 0xFFFFFFFF for none. A missing line holds no span.
class CGXDWordArrayPtrArray : public CObject {
  DECLARE_SERIAL(CGXDWordArrayPtrArray)

 public:
  using Line = std::vector<DWORD>;
  static constexpr DWORD kNone = 0xFFFFFFFFu;

  CGXDWordArrayPtrArray() = default;
  CGXDWordArrayPtrArray(const CGXDWordArrayPtrArray&) = delete;
  CGXDWordArrayPtrArray& operator=(const CGXDWordArrayPtrArray& other);
  void Serialize(CArchive& ar) override;

  std::size_t GetSize() const { return lines_.size(); }
  // Null for a missing line or an index beyond the array.
  Line* GetLine(std::size_t index) const { return index < lines_.size() ? lines_[index].get() : nullptr; }
  Line& MakeLine(std::size_t index);
  void DeleteAll() { lines_.clear(); }

  // Outer-array bookkeeping (lines as units).
  void InsertLines(ROWCOL at, ROWCOL count);
  void RemoveLines(ROWCOL from, ROWCOL to);
  void MoveLines(ROWCOL from, ROWCOL to, ROWCOL dest);
  // Entry bookkeeping inside every line.
  void InsertEntries(ROWCOL at, ROWCOL count);
  void RemoveEntries(ROWCOL from, ROWCOL to);
  void MoveEntries(ROWCOL from, ROWCOL to, ROWCOL dest);

 private:
  std::vector<std::unique_ptr<Line>> lines_;
};

class CGXSpanCellPool : public CObject {
  DECLARE_SERIAL(CGXSpanCellPool)

 public:
  CGXSpanCellPool() = default;
  CGXSpanCellPool(const CGXSpanCellPool&) = delete;
  void Serialize(CArchive& ar) override;
  // TRUE when the cell lies in a span; writes only the bounds found (the
  // caller sets the range to the cell first).
  virtual BOOL LookupSpan(ROWCOL row, ROWCOL col, CGXRange& range) const;
  // Writes (set) or removes the span of a block; TRUE when a table changed.
  virtual BOOL StoreSpan(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL set);
  virtual void InsertRows(ROWCOL row, ROWCOL count);
  virtual void RemoveRows(ROWCOL from, ROWCOL to);
  virtual void MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual void InsertCols(ROWCOL col, ROWCOL count);
  virtual void RemoveCols(ROWCOL from, ROWCOL to);
  virtual void MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual CGXSpanCellPool& operator=(const CGXSpanCellPool& other);
  void ClearAll();

  const CGXDWordArrayPtrArray& Vertical() const { return vertical_; }
  const CGXDWordArrayPtrArray& Horizontal() const { return horizontal_; }

 private:
  CGXDWordArrayPtrArray vertical_;    // by column, then row
  CGXDWordArrayPtrArray horizontal_;  // by row, then column
};

class CGXSpanCellPoolImp : public CGXAbstractSpanCellPoolImp {
 public:
  CGXSpanCellPool* CreateCopy(const CGXSpanCellPool* source) override;
  CGXSpanCellPool* Create() override;
  void Assign(CGXSpanCellPool* target, const CGXSpanCellPool* source) override;
  void InsertRows(CGXSpanCellPool* pool, ROWCOL row, ROWCOL count) override;
  void RemoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) override;
  void MoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) override;
  void InsertCols(CGXSpanCellPool* pool, ROWCOL col, ROWCOL count) override;
  void RemoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) override;
  void MoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) override;
};
