// The "Freeze Columns" and "Freeze Rows" commands and their reverse: the one
// selected block of whole columns (rows) moves to the front and is frozen;
// unfreezing moves it back to where it stood. Each is one undoable step.
// The parameter object remembers, per axis, the first frozen data column,
// the number frozen and the block's old first column (kFreeze* indexes).
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridFreezeMenuHelperImp : public CGXAbstractGridFreezeMenuHelperImp {
 public:
  BOOL CanFreezeCols(CGXGridCore* grid) override;
  BOOL CanUnfreezeCols(CGXGridCore* grid) override;
  void FreezeCols(CGXGridCore* grid) override;
  void UnfreezeCols(CGXGridCore* grid) override;
  BOOL CanFreezeRows(CGXGridCore* grid) override;
  BOOL CanUnfreezeRows(CGXGridCore* grid) override;
  void FreezeRows(CGXGridCore* grid) override;
  void UnfreezeRows(CGXGridCore* grid) override;

  // Where each axis keeps its memory in CGXGridParam::m_freezeBookkeeping:
  // columns at 0, rows at 3; then first, count, old start.
  static constexpr int kFreezeCols = 0, kFreezeRows = 3;
  static constexpr int kFirst = 0, kCount = 1, kOldStart = 2;

 private:
  BOOL CanFreeze(CGXGridCore* grid, bool rows, ROWCOL* start, ROWCOL* end);
  BOOL CanUnfreeze(CGXGridCore* grid, bool rows);
  void Freeze(CGXGridCore* grid, bool rows);
  void Unfreeze(CGXGridCore* grid, bool rows);
};
