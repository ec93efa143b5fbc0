#include "grid/features/GXGridUpdateHintImp.h"

#include "grid/core/GXGridCore.h"

IMPLEMENT_DYNAMIC(CGXGridHint, CObject)

void GXSendGridHint(CGXGridCore* grid, CGXGridHint& hint) {
  if (grid == nullptr || grid->m_pUpdateHintImp == nullptr) return;
  grid->SendHintToDocument(grid->m_pGridWnd, 0, &hint);
}

void GXSendMoveDataHint(CGXGridCore* grid, BOOL rows, const CGXRange& range, UINT flags) {
  if (grid == nullptr || grid->m_pUpdateHintImp == nullptr) return;
  CGXGridHint hint(rows ? 31 : 32, static_cast<long>(grid->m_nHintGroup));
  hint.range = range;
  hint.flags = flags;
  GXSendGridHint(grid, hint);
}

BOOL CGXGridUpdateHintImp::OnHint(CGXGridCore* grid, CObject* object) {
  auto* hint = dynamic_cast<CGXGridHint*>(object);
  if (grid->GetParam() == nullptr || hint == nullptr) return FALSE;
  if (hint->m_nGroup != -1 && static_cast<DWORD>(hint->m_nGroup) != grid->m_nHintGroup) return FALSE;
  CGXGridHint& h = *hint;
  switch (h.m_id) {
    case 1: grid->Redraw(h.flags, FALSE); break;
    case 2: grid->RedrawRowCol(h.nRow1, h.nCol1, h.nRow2, h.nCol2, h.flags, FALSE); break;
    case 3: grid->UpdateRowCount(h.nRow1, h.flags, FALSE); break;
    case 4: grid->UpdateColCount(h.nCol1, h.flags, FALSE); break;
    case 5: grid->UpdateChangedRowHeights(h.nRow1, h.nRow2, static_cast<int*>(h.pData), h.flags, FALSE); break;
    case 6: grid->UpdateChangedColWidths(h.nCol1, h.nCol2, static_cast<int*>(h.pData), h.flags, FALSE); break;
    case 7: grid->UpdateInsertCols(h.nCol1, h.nNumber, h.flags, FALSE); break;
    case 8: grid->UpdateInsertRows(h.nRow1, h.nNumber, h.flags, FALSE); break;
    case 9: grid->UpdateRemoveCols(h.nCol1, h.nCol2, static_cast<int*>(h.pData), h.flags, FALSE); break;
    case 10: grid->UpdateRemoveRows(h.nRow1, h.nRow2, static_cast<int*>(h.pData), h.flags, FALSE); break;
    case 11: grid->UpdateMoveCols(h.nCol1, h.nCol2, h.nCol3, h.flags, FALSE); break;
    case 12: grid->UpdateMoveRows(h.nRow1, h.nRow2, h.nRow3, h.flags, FALSE); break;
    case 13:
      grid->UpdateChangedSelection(static_cast<POSITION>(h.pData), h.nRow1, h.nCol1, h.nRow2, h.nCol2, FALSE);
      break;
    case 14: grid->RedrawSelection(FALSE); break;
    case 15: grid->UpdateFrozenRows(h.nRow1, h.nRow2, h.flags, FALSE); break;
    case 16: grid->UpdateFrozenCols(h.nCol1, h.nCol2, h.flags, FALSE); break;
    case 17:
      grid->UpdateStyleRange(h.range, nullptr, static_cast<int>(h.lParam), static_cast<int>(h.lParam2), h.flags,
                             FALSE);
      break;
    case 21: grid->UpdateReadOnly(static_cast<BOOL>(h.dwValue), FALSE); break;
    case 23: grid->UpdateSelectRange(h.range, static_cast<const CGXRangeList*>(h.pData), FALSE); break;
    case 24:
      // The sender learns whether every view could store or discard.
      h.nNumber &= grid->TransferCurrentCell(static_cast<BOOL>(h.dwValue), h.flags, FALSE) ? 1u : 0u;
      break;
    case 27:
      // The flags carry 0x40, so this view's move is not sent on again.
      return grid->SetCurrentCell(h.nRow1, h.nCol1, h.flags);
    case 28: grid->RedrawWithFloatCells(h.range, h.flags, FALSE); break;
    case 29: grid->RedrawWithMergeCells(h.range, h.flags, FALSE); break;
    case 30: grid->SetFrameState(static_cast<BOOL>(h.flags), FALSE); break;
    case 31: grid->UpdateMoveDataRows(h.range, h.flags, FALSE); break;
    case 32: grid->UpdateMoveDataCols(h.range, h.flags, FALSE); break;
    case 33: grid->UpdateProperties(h.flags, FALSE); break;
    case 34: grid->UpdateStylesMap(h.flags, FALSE); break;
    case 35: grid->UpdateBaseStyle(static_cast<WORD>(h.nNumber & 0xFFFF), h.flags, FALSE); break;
    case 36: return grid->RecalcAndRedraw(FALSE, static_cast<CString*>(h.pData), FALSE);
    // Zoom (19, 20) and scrolling (25, 26) follow only the panes of the
    // sender's splitter window, and tab names (22) only a tab window: no
    // grid of this system sits in either.
    default: return FALSE;
  }
  return TRUE;
}
