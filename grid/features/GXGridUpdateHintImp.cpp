#include "grid/features/GXGridUpdateHintImp.h"

#include "grid/core/GXGridCore.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXAppData.h"

IMPLEMENT_DYNAMIC(CGXGridHint, CObject)

namespace {

// Hands a hint filled by one sender to the other views of the document.
void Broadcast(CGXGridCore* grid, CGXGridHint& hint) { grid->SendHintToDocument(grid->m_pGridWnd, 0, &hint); }

CGXGridHint MakeHint(CGXGridCore* grid, UINT id) { return CGXGridHint(id, static_cast<long>(grid->m_nHintGroup)); }

// The hints that carry only a range and flags.
void BroadcastRange(CGXGridCore* grid, UINT id, const CGXRange& range, UINT flags) {
  CGXGridHint h = MakeHint(grid, id);
  h.range = range;
  h.flags = flags;
  Broadcast(grid, h);
}

// A zoom reaches the panes of the zooming splitter, or every view when the
// views share their zoom.
BOOL FollowsZoom(CGXGridCore* grid, const CGXGridHint& hint) {
  if (grid->GetParam()->m_bShareZoom) return TRUE;
  return grid->m_pSplitterWnd != nullptr && grid->m_pSplitterWnd == hint.pData;
}

// Scrolling is kept in step only between the panes of one splitter: the
// hint names the pane that follows.
BOOL IsTargetPane(CGXGridCore* grid, const CGXGridHint& hint) {
  return grid->m_pSplitterWnd != nullptr && hint.pData != nullptr && hint.pData == grid->m_pGridWnd;
}

int* Sizes(const CGXGridHint& h) { return static_cast<int*>(const_cast<void*>(h.pData)); }

}  // namespace

BOOL CGXGridUpdateHintImp::OnHint(CGXGridCore* grid, CObject* object) {
  if (grid == nullptr || grid->GetParam() == nullptr || object == nullptr ||
      !object->IsKindOf(RUNTIME_CLASS(CGXGridHint)))
    return FALSE;
  auto& h = *static_cast<CGXGridHint*>(object);
  if (h.m_nGroup != CGXGridHint::kAllGroups && static_cast<DWORD>(h.m_nGroup) != grid->m_nHintGroup) return FALSE;
  const UINT f = h.flags;
  switch (h.m_id) {
    case CGXGridHint::kRedraw: grid->Redraw(f, FALSE); break;
    case CGXGridHint::kRedrawRowCol: grid->RedrawRowCol(h.nRow1, h.nCol1, h.nRow2, h.nCol2, f, FALSE); break;
    case CGXGridHint::kChangedRowCount: grid->UpdateRowCount(h.nRow1, f, FALSE); break;
    case CGXGridHint::kChangedColCount: grid->UpdateColCount(h.nCol1, f, FALSE); break;
    case CGXGridHint::kChangedRowHeights:
      grid->UpdateChangedRowHeights(h.nRow1, h.nRow2, Sizes(h), f, FALSE);
      break;
    case CGXGridHint::kChangedColWidths:
      grid->UpdateChangedColWidths(h.nCol1, h.nCol2, Sizes(h), f, FALSE);
      break;
    case CGXGridHint::kInsertCols: grid->UpdateInsertCols(h.nCol1, h.nNumber, f, FALSE); break;
    case CGXGridHint::kInsertRows: grid->UpdateInsertRows(h.nRow1, h.nNumber, f, FALSE); break;
    case CGXGridHint::kRemoveCols: grid->UpdateRemoveCols(h.nCol1, h.nCol2, Sizes(h), f, FALSE); break;
    case CGXGridHint::kRemoveRows: grid->UpdateRemoveRows(h.nRow1, h.nRow2, Sizes(h), f, FALSE); break;
    case CGXGridHint::kMoveCols: grid->UpdateMoveCols(h.nCol1, h.nCol2, h.nCol3, f, FALSE); break;
    case CGXGridHint::kMoveRows: grid->UpdateMoveRows(h.nRow1, h.nRow2, h.nRow3, f, FALSE); break;
    case CGXGridHint::kRangeChange:
      grid->UpdateChangedSelection(static_cast<POSITION>(const_cast<void*>(h.pData)), h.nRow1, h.nCol1,
                                   h.nRow2, h.nCol2, FALSE);
      break;
    case CGXGridHint::kRedrawSelection: grid->RedrawSelection(FALSE); break;
    case CGXGridHint::kFrozenRows: grid->UpdateFrozenRows(h.nRow1, h.nRow2, f, FALSE); break;
    case CGXGridHint::kFrozenCols: grid->UpdateFrozenCols(h.nCol1, h.nCol2, f, FALSE); break;
    case CGXGridHint::kStyleRange:
      grid->UpdateStyleRange(h.range, static_cast<const CGXStyle*>(h.pData), static_cast<int>(h.lParam),
                             static_cast<int>(h.lParam2), f, FALSE);
      break;
    case CGXGridHint::kCoveredCells:
      grid->UpdateCoveredCellsRowCol(h.nRow1, h.nCol1, h.nRow2, h.nCol2, f, FALSE);
      break;
    case CGXGridHint::kUpdateZoom:
      if (!FollowsZoom(grid, h)) return FALSE;
      grid->UpdateZoom(static_cast<int>(h.dwValue), f, FALSE);
      break;
    case CGXGridHint::kStoreZoom:
      return FollowsZoom(grid, h) && grid->StoreZoom(static_cast<int>(h.dwValue), FALSE);
    case CGXGridHint::kReadOnly: grid->UpdateReadOnly(static_cast<BOOL>(h.dwValue), FALSE); break;
    case CGXGridHint::kTabName:
      if (CGXAbstractTabWndInterface* tabs = GXGetAppData()->m_pTabWndInt) {
        CString name = grid->GetParam()->m_sSheetName;
        tabs->GetSetSheetName(grid->m_pGridWnd, name, TRUE);
      }
      break;
    case CGXGridHint::kSelectionChange:
      grid->UpdateSelectRange(h.range, static_cast<const CGXRangeList*>(h.pData), FALSE);
      break;
    case CGXGridHint::kTransferCurrentCell: {
      const BOOL done = grid->TransferCurrentCell(static_cast<BOOL>(h.dwValue), f, FALSE);
      h.nNumber &= done ? 1u : 0u;
      return done;
    }
    case CGXGridHint::kTopRow:
      if (!IsTargetPane(grid, h)) return FALSE;
      grid->SetTopRow(h.nRow1, f, FALSE);
      break;
    case CGXGridHint::kLeftCol:
      if (!IsTargetPane(grid, h)) return FALSE;
      grid->SetLeftCol(h.nCol1, f, FALSE);
      break;
    case CGXGridHint::kCurrentCell: return grid->SetCurrentCell(h.nRow1, h.nCol1, f);
    case CGXGridHint::kFloatCells: grid->RedrawWithFloatCells(h.range, f, FALSE); break;
    case CGXGridHint::kMergeCells: grid->RedrawWithMergeCells(h.range, f, FALSE); break;
    case CGXGridHint::kFrameState: return grid->SetFrameState(static_cast<BOOL>(f), FALSE);
    case CGXGridHint::kMoveDataRows: grid->UpdateMoveDataRows(h.range, f, FALSE); break;
    case CGXGridHint::kMoveDataCols: grid->UpdateMoveDataCols(h.range, f, FALSE); break;
    case CGXGridHint::kProperties: grid->UpdateProperties(f, FALSE); break;
    case CGXGridHint::kStylesMap: grid->UpdateStylesMap(f, FALSE); break;
    case CGXGridHint::kBaseStyle: grid->UpdateBaseStyle(static_cast<WORD>(h.nNumber & 0xFFFF), f, FALSE); break;
    case CGXGridHint::kRecalc:
      return grid->RecalcAndRedraw(FALSE, static_cast<CString*>(const_cast<void*>(h.pData)), FALSE);
    default: return FALSE;
  }
  return TRUE;
}

void CGXGridUpdateHintImp::HintUpdateReadOnly(CGXGridCore* grid, BOOL oldState) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kReadOnly);
  h.dwValue = oldState;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintSetCurrentCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT flags) {
  // Only with the shared current cell; the receivers' own moves carry 0x40
  // and so never broadcast again.
  if (!grid->GetParam()->m_bSendCurrentCellHints || (flags & 0x40)) return;
  CGXGridHint h = MakeHint(grid, CGXGridHint::kCurrentCell);
  h.nRow1 = row;
  h.nCol1 = col;
  h.flags = (flags & ~0x08u) | 0x20 | 0x40 | 0x80;
  Broadcast(grid, h);
}

BOOL CGXGridUpdateHintImp::HintTransferCurrentCell(CGXGridCore* grid, BOOL store, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kTransferCurrentCell);
  h.dwValue = store;
  h.flags = flags;
  h.nNumber = 1;
  Broadcast(grid, h);
  return h.nNumber != 0;
}

void CGXGridUpdateHintImp::HintUpdateChangedRowCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kChangedRowCount);
  h.nRow1 = oldCount;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateChangedColCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kChangedColCount);
  h.nCol1 = oldCount;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateFrozenCols(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kFrozenCols);
  h.nCol1 = oldFrozen;
  h.nCol2 = oldHeader;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateFrozenRows(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kFrozenRows);
  h.nRow1 = oldFrozen;
  h.nRow2 = oldHeader;
  h.flags = flags;
  Broadcast(grid, h);
}

// Scrolling in step needs the pane beside this one in its splitter; a grid
// outside a splitter has none and sends nothing.
void CGXGridUpdateHintImp::HintSetTopRow(CGXGridCore* grid, ROWCOL row, UINT flags) {
  if (grid->m_pSplitterWnd == nullptr || grid->m_pSplitterWnd->GetSafeHwnd() == nullptr) return;
  CWnd* pane = grid->m_pSplitterWnd->GetDlgItem(0xE900 + 16 * grid->m_nSplitRow + (1 - grid->m_nSplitCol));
  if (pane == nullptr) return;
  CGXGridHint h = MakeHint(grid, CGXGridHint::kTopRow);
  h.nRow1 = row;
  h.flags = flags;
  h.pData = pane;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintSetLeftCol(CGXGridCore* grid, ROWCOL col, UINT flags) {
  if (grid->m_pSplitterWnd == nullptr || grid->m_pSplitterWnd->GetSafeHwnd() == nullptr) return;
  CWnd* pane = grid->m_pSplitterWnd->GetDlgItem(0xE900 + 16 * (1 - grid->m_nSplitRow) + grid->m_nSplitCol);
  if (pane == nullptr) return;
  CGXGridHint h = MakeHint(grid, CGXGridHint::kLeftCol);
  h.nCol1 = col;
  h.flags = flags;
  h.pData = pane;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kInsertRows);
  h.nRow1 = at;
  h.nNumber = count;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kInsertCols);
  h.nCol1 = at;
  h.nNumber = count;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedrawRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                            UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRedrawRowCol);
  h.nRow1 = top;
  h.nCol1 = left;
  h.nRow2 = bottom;
  h.nCol2 = right;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedraw(CGXGridCore* grid, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRedraw);
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRecalc(CGXGridCore* grid, CString* errorText) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRecalc);
  h.pData = errorText;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateTabName(CGXGridCore* grid) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kTabName);
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintSyncScroll(CGXGridCore* grid, int direction) {
  if (direction == 1 || direction == 3) HintSetTopRow(grid, grid->GetTopRow(), 2);
  if (direction == 2 || direction == 4) HintSetLeftCol(grid, grid->GetLeftCol(), 2);
}

void CGXGridUpdateHintImp::HintRedrawSelectionChange(CGXGridCore* grid, const CGXRange& range,
                                                     const CGXRangeList* oldList) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kSelectionChange);
  h.range = range;
  h.pData = oldList;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintSetFrameState(CGXGridCore* grid, BOOL state) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kFrameState);
  h.flags = static_cast<UINT>(state);
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left,
                                                 ROWCOL bottom, ROWCOL right) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRangeChange);
  h.pData = pos;
  h.nRow1 = top;
  h.nCol1 = left;
  h.nRow2 = bottom;
  h.nCol2 = right;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedrawSelection(CGXGridCore* grid) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRedrawSelection);
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateChangedRowHeights(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old,
                                                       UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kChangedRowHeights);
  h.nRow1 = from;
  h.nRow2 = to;
  h.pData = old;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateChangedColWidths(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old,
                                                      UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kChangedColWidths);
  h.nCol1 = from;
  h.nCol2 = to;
  h.pData = old;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintStoreZoom(CGXGridCore* grid, int percent) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kStoreZoom);
  h.dwValue = percent;
  h.pData = grid->m_pSplitterWnd;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateZoom(CGXGridCore* grid, int oldPercent, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kUpdateZoom);
  h.dwValue = oldPercent;
  h.flags = flags;
  h.pData = grid->m_pSplitterWnd;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateStyleRange(CGXGridCore* grid, const CGXRange& range, const CGXStyle* style,
                                                int mode, int storeKind, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kStyleRange);
  h.range = range;
  h.lParam = mode;
  h.lParam2 = storeKind;
  h.pData = style;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateStylesMap(CGXGridCore* grid, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kStylesMap);
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateProperties(CGXGridCore* grid, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kProperties);
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateBaseStyle(CGXGridCore* grid, WORD id, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kBaseStyle);
  h.nNumber = id;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedrawWithCoveredCells(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                                      ROWCOL right, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kCoveredCells);
  h.nRow1 = top;
  h.nCol1 = left;
  h.nRow2 = bottom;
  h.nCol2 = right;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintRedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags) {
  BroadcastRange(grid, CGXGridHint::kFloatCells, range, flags);
}

void CGXGridUpdateHintImp::HintRedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags) {
  BroadcastRange(grid, CGXGridHint::kMergeCells, range, flags);
}

void CGXGridUpdateHintImp::HintUpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags) {
  BroadcastRange(grid, CGXGridHint::kMoveDataRows, range, flags);
}

void CGXGridUpdateHintImp::HintUpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags) {
  BroadcastRange(grid, CGXGridHint::kMoveDataCols, range, flags);
}

void CGXGridUpdateHintImp::HintUpdateRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRemoveRows);
  h.nRow1 = from;
  h.nRow2 = to;
  h.pData = old;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kRemoveCols);
  h.nCol1 = from;
  h.nCol2 = to;
  h.pData = old;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kMoveRows);
  h.nRow1 = from;
  h.nRow2 = to;
  h.nRow3 = dest;
  h.flags = flags;
  Broadcast(grid, h);
}

void CGXGridUpdateHintImp::HintUpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) {
  CGXGridHint h = MakeHint(grid, CGXGridHint::kMoveCols);
  h.nCol1 = from;
  h.nCol2 = to;
  h.nCol3 = dest;
  h.flags = flags;
  Broadcast(grid, h);
}
