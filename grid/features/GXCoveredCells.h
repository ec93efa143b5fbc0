// Covered cells: a block of cells shown and treated as one cell, its top-left
// cell carrying value and style. The blocks are the parameter object's
// covered-cell list (the stored truth); the pool indexes them by cell, so
// that finding the block of a cell costs two array lookups.
#pragma once

#include <vector>

#include "grid/core/GXFeatures.h"
#include "grid/core/GXGridFeatures.h"
#include "platform/Afx.h"

// Cell -> list position of the block covering it (null when none). Lines
// (rows) grow only as far as the last covered column written into them.
class CGXCoveredCellPool : public CObject {
 public:
  POSITION Lookup(ROWCOL row, ROWCOL col) const;
  // Writes `pos` over the block (null clears the cells that hold the
  // block's position). TRUE when a row was written or cleared.
  BOOL Store(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, POSITION pos);
  void RemoveAll() { lines_.clear(); }

 private:
  std::vector<std::vector<POSITION>> lines_;
};

// Application-wide: makes pools and rebuilds them from a covered-cell list.
class CGXCoveredCellPoolImpl : public CGXCoveredCellPoolImp {
 public:
  CObject* CreatePool(CGXGridParam& param) override;
  void RebuildPool(CObject* pool, CGXRangeList& covered) override;
};

class CGXGridCoveredCellsImp : public CGXAbstractGridCoveredCellsImp {
 public:
  BOOL SetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags,
                             int commandMode) override;
  CGXRange* GetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) override;
  BOOL StoreCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                               BOOL set) override;
  void UpdateCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags,
                                BOOL sendHint) override;
  void ExpandToCoveredCells(CGXGridCore* grid, CGXRange& range) override;
  // Before rows (columns) from..to are removed: shrinks the blocks that end
  // among them and removes those that start among them, with undo.
  // `flags` becomes 1 when anything changed; TRUE then.
  BOOL PrepareRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags, int commandMode) override;
  BOOL PrepareRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags, int commandMode) override;

 private:
  BOOL PrepareRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, UINT& flags, int commandMode);
};
