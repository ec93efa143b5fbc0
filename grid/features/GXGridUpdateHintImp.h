// Update hints between the views of one document. The changing grid packs
// the arguments of its update step into a CGXGridHint and broadcasts it;
// every other view replays the same update step with its send-hint argument
// off, so a broadcast never echoes.
#pragma once

#include "grid/core/GXGridFeatures.h"
#include "grid/core/GXRange.h"
#include "platform/base/CObject.h"

class CGXGridHint : public CObject {
  DECLARE_DYNAMIC(CGXGridHint)
 public:
  // Ids of the hints, one per replayed operation.
  enum : int {
    kRedraw = 1, kRedrawRowCol, kChangedRowCount, kChangedColCount, kChangedRowHeights, kChangedColWidths,
    kInsertCols, kInsertRows, kRemoveCols, kRemoveRows, kMoveCols, kMoveRows, kRangeChange, kRedrawSelection,
    kFrozenRows, kFrozenCols, kStyleRange, kCoveredCells, kUpdateZoom, kStoreZoom, kReadOnly, kTabName,
    kSelectionChange, kTransferCurrentCell, kTopRow, kLeftCol, kCurrentCell, kFloatCells, kMergeCells,
    kFrameState, kMoveDataRows, kMoveDataCols, kProperties, kStylesMap, kBaseStyle, kRecalc
  };
  // A hint for every grid, whatever its group.
  static constexpr long kAllGroups = -1;

  CGXGridHint(UINT id, long group) : m_id(id), m_nGroup(group) {}

  UINT m_id;
  CGXRange range;
  DWORD lParam = 0, lParam2 = 0;  // the extra arguments of the style hint
  ROWCOL nRow1 = 0, nRow2 = 0, nRow3 = 0;
  ROWCOL nCol1 = 0, nCol2 = 0, nCol3 = 0;
  DWORD dwValue = 0;
  DWORD nNumber = 0;
  const void* pData = nullptr;
  UINT flags = 0;
  long m_nGroup;
};

class CGXGridUpdateHintImp : public CGXAbstractGridUpdateHintImp {
 public:
  BOOL OnHint(CGXGridCore* grid, CObject* hint) override;
  void HintUpdateReadOnly(CGXGridCore* grid, BOOL oldState) override;
  void HintSetCurrentCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT flags) override;
  BOOL HintTransferCurrentCell(CGXGridCore* grid, BOOL store, UINT flags) override;
  void HintUpdateChangedRowCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) override;
  void HintUpdateChangedColCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) override;
  void HintUpdateFrozenCols(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) override;
  void HintUpdateFrozenRows(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) override;
  void HintSetTopRow(CGXGridCore* grid, ROWCOL row, UINT flags) override;
  void HintSetLeftCol(CGXGridCore* grid, ROWCOL col, UINT flags) override;
  void HintUpdateInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) override;
  void HintUpdateInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) override;
  void HintRedrawRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                        UINT flags) override;
  void HintRedraw(CGXGridCore* grid, UINT flags) override;
  void HintRecalc(CGXGridCore* grid, CString* errorText) override;
  void HintUpdateTabName(CGXGridCore* grid) override;
  void HintSyncScroll(CGXGridCore* grid, int direction) override;
  void HintRedrawSelectionChange(CGXGridCore* grid, const CGXRange& range, const CGXRangeList* oldList) override;
  void HintSetFrameState(CGXGridCore* grid, BOOL state) override;
  void HintRedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom,
                             ROWCOL right) override;
  void HintRedrawSelection(CGXGridCore* grid) override;
  void HintUpdateChangedRowHeights(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) override;
  void HintUpdateChangedColWidths(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) override;
  void HintStoreZoom(CGXGridCore* grid, int percent) override;
  void HintUpdateZoom(CGXGridCore* grid, int oldPercent, UINT flags) override;
  void HintUpdateStyleRange(CGXGridCore* grid, const CGXRange& range, const CGXStyle* style, int mode, int storeKind,
                            UINT flags) override;
  void HintUpdateStylesMap(CGXGridCore* grid, UINT flags) override;
  void HintUpdateProperties(CGXGridCore* grid, UINT flags) override;
  void HintUpdateBaseStyle(CGXGridCore* grid, WORD id, UINT flags) override;
  void HintRedrawWithCoveredCells(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                  UINT flags) override;
  void HintRedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags) override;
  void HintRedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags) override;
  void HintUpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags) override;
  void HintUpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags) override;
  void HintUpdateRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) override;
  void HintUpdateRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) override;
  void HintUpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) override;
  void HintUpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) override;
};
