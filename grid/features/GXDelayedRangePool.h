// Areas whose spanned cells still need evaluation. Changes queue blocks of
// cells; drawing and measuring ask which queued cells of an area are not
// evaluated yet, so an area queued twice is evaluated once.
#pragma once

#include <memory>
#include <vector>

#include "grid/core/GXFeatures.h"
#include "grid/core/GXRange.h"

class CGXDelayedRange : public CObject {
  DECLARE_SERIAL(CGXDelayedRange)

 public:
  CGXDelayedRange() = default;
  explicit CGXDelayedRange(const CGXRange& block) : m_range(block) {}
  CGXDelayedRange(const CGXDelayedRange&) = delete;
  void Serialize(CArchive& ar) override;
  virtual CGXDelayedRange& operator=(const CGXDelayedRange& other);

  // Records the rows of `range` as evaluated and narrows it to the rows not
  // evaluated before; FALSE when all of them were.
  BOOL MarkEvaluated(CGXRange& range);
  void SetDone();

  CGXRange m_range;
  std::vector<DWORD> m_awEnds;    // evaluated row intervals, sorted
  std::vector<DWORD> m_awStarts;
  DWORD m_bDone = 0;
};

class CGXDelayedRangePool : public CObject {
  DECLARE_SERIAL(CGXDelayedRangePool)

 public:
  CGXDelayedRangePool() = default;
  CGXDelayedRangePool(const CGXDelayedRangePool&) = delete;
  void Serialize(CArchive& ar) override;
  virtual CGXDelayedRangePool& operator=(const CGXDelayedRangePool& other);

  void AddRange(const CGXRange& range);
  void ClampRows(ROWCOL maxRow);
  void ClampCols(ROWCOL maxCol);
  // TRUE when cells of `range` need evaluation; per row of the range the
  // first and last column to evaluate (-1 and 0 for none).
  BOOL GetRowsToEvaluate(const CGXRange& range, std::vector<DWORD>& firstCols, std::vector<DWORD>& lastCols);
  void SplitAtCols(const CGXRange& range);
  void RemoveDone();
  void DeleteAll() { entries_.clear(); }

  int GetSize() const { return static_cast<int>(entries_.size()); }
  CGXDelayedRange* GetAt(int index) const { return entries_[static_cast<std::size_t>(index)].get(); }

 private:
  std::vector<std::unique_ptr<CGXDelayedRange>> entries_;
};

class CGXDelayedRangePoolImp : public CGXAbstractDelayedRangePoolImp {
 public:
  CGXDelayedRangePool* CreateCopy(const CGXDelayedRangePool* source) override;
  CGXDelayedRangePool* Create() override;
  void Assign(CGXDelayedRangePool* target, const CGXDelayedRangePool* source) override;
};
