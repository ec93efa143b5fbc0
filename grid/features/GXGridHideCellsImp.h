// Hidden rows and columns: one bit per row and per column in the parameter
// object (shared by its views). A hidden row keeps its data and its stored
// height but takes no space; hiding is undoable.
#pragma once

#include "grid/core/GXGridFeatures.h"
#include "platform/base/Collections.h"

class CGXGridHideCellsImp : public CGXAbstractGridHideCellsImp {
 public:
  void AdjustAfterInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count) override;
  void AdjustAfterInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count) override;
  void AdjustAfterRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to) override;
  void AdjustAfterRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to) override;
  void AdjustAfterMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) override;
  void AdjustAfterMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) override;
  BOOL HideRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) override;
  BOOL IsRowHidden(CGXGridCore* grid, ROWCOL row) override;
  BOOL StoreHideRow(CGXGridCore* grid, ROWCOL row, BOOL hide) override;
  BOOL HideCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) override;
  BOOL IsColHidden(CGXGridCore* grid, ROWCOL col) override;
  BOOL StoreHideCol(CGXGridCore* grid, ROWCOL col, BOOL hide) override;

  // Hides or shows rows (columns) from..to: all alike by `hide`, or each by
  // its entry of `states` when given. TRUE when anything changed.
  virtual BOOL HideRange(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, BOOL hide, const BOOL* states,
                         UINT flags, int commandMode);
};

// The bit-array operations on one array (exposed for the parameter copy and
// the archive as well).
BOOL GXTestHiddenBit(const CByteArray& bits, ROWCOL index);
void GXSetHiddenBit(CByteArray& bits, ROWCOL index, BOOL set);
void GXInsertHiddenBits(CByteArray& bits, ROWCOL at, ROWCOL count);
void GXRemoveHiddenBits(CByteArray& bits, ROWCOL from, ROWCOL to);
void GXMoveHiddenBits(CByteArray& bits, ROWCOL from, ROWCOL to, ROWCOL dest);
