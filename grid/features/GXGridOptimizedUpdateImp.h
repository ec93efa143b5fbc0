// Keeps the screen right after rows or columns were inserted, removed or
// resized with as little painting as possible: the first visible row or
// column is adjusted, the unchanged part of the window scrolled by what was
// added or removed, and only the new strip invalidated. Any case it cannot
// do safely repaints everything.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridOptimizedUpdateImp : public CGXAbstractGridOptimizedUpdateImp {
 public:
  void InsertedRows(CGXGridCore* grid, ROWCOL row, ROWCOL count, UINT flags) override;
  void InsertedCols(CGXGridCore* grid, ROWCOL col, ROWCOL count, UINT flags) override;
  void RemovedRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldHeights, UINT flags) override;
  void RemovedCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldWidths, UINT flags) override;
  void ChangedRowHeights(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldHeights, UINT* flags) override;
  void ChangedColWidths(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldWidths, UINT* flags) override;

  // The first row (column) of the scrolling area, moved without scrolling.
  static ROWCOL& FirstShown(CGXGridCore& grid, bool rows);
};
