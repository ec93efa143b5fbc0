// One axis of a grid: rows or columns. The row operations and their column
// twins differ only in which counts, maps and positions they touch, so both
// run through this one view of the grid.
#pragma once

#include <algorithm>

#include "grid/core/GXGridCore.h"

struct GXGridAxis {
  CGXGridCore& g;
  bool rows;

  ROWCOL Count() { return rows ? g.GetRowCount() : g.GetColCount(); }
  ROWCOL CrossCount() { return rows ? g.GetColCount() : g.GetRowCount(); }
  ROWCOL Frozen() { return rows ? g.GetFrozenRows() : g.GetFrozenCols(); }
  ROWCOL Header() { return rows ? g.GetHeaderRows() : g.GetHeaderCols(); }
  ROWCOL& First() { return rows ? g.m_nTopRow : g.m_nLeftCol; }
  ROWCOL& PrintFirst() { return rows ? g.m_nPrintTopRow : g.m_nPrintLeftCol; }
  ROWCOL ShownFirst() { return g.m_bPrinting ? PrintFirst() : First(); }
  ROWCOL& LastVisible() { return rows ? g.m_nLastVisibleRow : g.m_nLastVisibleCol; }
  ROWCOL& LastVisibleFor() { return rows ? g.m_nLastVisibleForTop : g.m_nLastVisibleForLeft; }
  int& LastVisibleForEdge() { return rows ? g.m_nLastVisibleForBottom : g.m_nLastVisibleForRight; }
  BOOL& LastShown() { return rows ? g.m_bLastRowShown : g.m_bLastColShown; }
  ROWCOL& CurrentIndex() { return rows ? g.m_nCurrentRow : g.m_nCurrentCol; }
  void RebindCurrentCellControl();
  int Size(ROWCOL i) { return rows ? g.GetRowHeight(i) : g.GetColWidth(i); }
  BOOL Hidden(ROWCOL i) { return rows ? g.IsRowHidden(i) : g.IsColHidden(i); }
  BOOL StoreSize(ROWCOL i, int pixels) { return rows ? g.StoreRowHeight(i, pixels) : g.StoreColWidth(i, pixels); }
  int CharSize() { return rows ? g.GetFontHeight() : g.GetFontWidth(); }
  CGXMapDWordToLong& SizeMap() { return rows ? g.m_pParam->m_RowHeights : g.m_pParam->m_ColWidths; }
  LONG& DefaultSize() { return rows ? g.m_pParam->m_nDefaultRowHeight : g.m_pParam->m_nDefaultColWidth; }
  BOOL CapToView() { return rows ? g.m_bCapRowHeights : g.m_bCapColWidths; }
  // The grid rectangle's near and far edge along this axis.
  int Near(const CRect& r) { return rows ? r.top : r.left; }
  int Far(const CRect& r) { return rows ? r.bottom : r.right; }
  ROWCOL FromClient(ROWCOL client) { return rows ? g.GetRowFromClientRow(client) : g.GetColFromClientCol(client); }
  ROWCOL ToClient(ROWCOL index) { return rows ? g.GetClientRowFromRow(index) : g.GetClientColFromCol(index); }
  void UpdateChanged(ROWCOL from, ROWCOL to, int* old, UINT flags, BOOL hint) {
    if (rows) {
      g.UpdateChangedRowHeights(from, to, old, flags, hint);
    } else {
      g.UpdateChangedColWidths(from, to, old, flags, hint);
    }
  }

  // Whether a command mode records undo on this grid.
  bool Records(int commandMode) {
    return g.m_pCommandFactory != nullptr && commandMode != CGXGridCore::kNoUndo && g.m_pParam != nullptr &&
           g.m_pParam->m_bUndoEnabled;
  }
  // Files a command made by the factory (nothing when it made none); for
  // undo and redo the changed place is shown.
  void File(CGXCommand* command, int commandMode, ROWCOL row, ROWCOL col) {
    if (command == nullptr) return;
    g.AddCommand(command, commandMode);
    if (commandMode == CGXGridCore::kAsUndo || commandMode == CGXGridCore::kAsRedo) g.ShowUndoneCell(row, col, FALSE);
  }

  // Pixels per stored thousandth: 1000 / character size, at least 1 so that
  // a huge font never divides by zero on read-back.
  int Factor() { return std::max(1, 1000 / std::max(1, CharSize())); }

  // Rows and columns (defined with the operations).
  BOOL SetCount(ROWCOL n, UINT flags);
  BOOL StoreCount(ROWCOL n);
  void UpdateCount(ROWCOL oldCount, UINT flags);
  void RedrawSelectionFrame();
  BOOL Remove(ROWCOL from, ROWCOL to, UINT flags, int commandMode);
  BOOL Insert(ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles, CObArray* baseStyles, ROWCOL cross,
              UINT flags, int commandMode);
  BOOL StoreInsert(ROWCOL at, ROWCOL count, BOOL force);
  BOOL StoreRemove(ROWCOL from, ROWCOL to, BOOL force);
  void UpdateInsert(ROWCOL at, ROWCOL count, UINT flags);
  void UpdateRemove(ROWCOL from, ROWCOL to, int* oldSizes, UINT flags);
  BOOL SetFrozen(ROWCOL frozen, ROWCOL header, UINT flags, int commandMode);
  BOOL StoreFrozen(ROWCOL frozen, ROWCOL header);
  void UpdateFrozen(ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags);
  void SetFirst(ROWCOL index, UINT flags);
  ROWCOL ClientFromIndex(ROWCOL index);
  ROWCOL IndexFromClient(ROWCOL client);
  ROWCOL LastInView(BOOL* lastShown);

  // Geometry (defined with the sizes).
  int GetSize(ROWCOL index);
  BOOL StoreSizeOf(ROWCOL index, int pixels);
  BOOL SetSizes(ROWCOL from, ROWCOL to, int size, int* sizes, UINT flags, int commandMode);
  BOOL SetDefault(int size, UINT flags, int commandMode);
  BOOL StoreDefault(int size);
  void UpdateChangedSizes(ROWCOL from, ROWCOL to, int* old, UINT flags);
  void GetSizes(ROWCOL from, ROWCOL to, int* sizes);
  int Sum(ROWCOL from, ROWCOL to, int limit);
  int SumClient(ROWCOL from, ROWCOL to, int limit);
  ROWCOL ClientFromCoord(int coord, int* start);
  ROWCOL LastFromRect(const CRect& rect, BOOL& ended);

  // Scrolling (defined with the scroll operations).
  void HideControlScrolledAway();
};
