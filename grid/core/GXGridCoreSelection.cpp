// The selection's queries, and the hooks a derived grid overrides to refuse
// a selection or a fill. The selection itself is the parameter object's
// range list, so every view of it shows the same one.
#include "grid/core/GXGridCore.h"

BOOL CGXGridCore::GetSelectedRowIntervals(CDWordArray& firsts, CDWordArray& lasts, BOOL rangeRowsOnly,
                                          BOOL useCurrentCell) {
  firsts.RemoveAll();
  lasts.RemoveAll();
  if (m_pParam == nullptr) return FALSE;
  const BOOL any = m_pParam->m_SelRects.GetRowIntervals(GetRowCount(), firsts, lasts, rangeRowsOnly);
  if (any || !useCurrentCell) return any;
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col)) return FALSE;
  firsts.SetAtGrow(0, row);
  lasts.SetAtGrow(0, row);
  return TRUE;
}

ROWCOL CGXGridCore::GetSelectedRows(CDWordArray& rows, BOOL rangeRowsOnly, BOOL useCurrentCell) {
  rows.RemoveAll();
  CDWordArray firsts, lasts;
  if (!GetSelectedRowIntervals(firsts, lasts, rangeRowsOnly, useCurrentCell)) return 0;
  for (int i = 0; i < firsts.GetSize(); ++i) {
    // The intervals come sorted and merged, so each row is added once.
    for (DWORD row = firsts[i]; row <= lasts[i]; ++row) {
      rows.Add(row);
      if (row == 0xFFFFFFFFu) break;
    }
  }
  return static_cast<ROWCOL>(rows.GetSize());
}

BOOL CGXGridCore::GetSelectedRanges(CGXRangeList& list, BOOL useCurrentCell) {
  list.DeleteAll();
  if (m_pParam != nullptr) {
    const CGXRangeList& selection = m_pParam->m_SelRects;
    for (POSITION pos = selection.GetHeadPosition(); pos != nullptr;)
      list.AddTail(new CGXRange(*selection.GetNext(pos)));
  }
  ROWCOL row = 0, col = 0;
  if (list.IsEmpty() && useCurrentCell && GetCurrentCell(row, col)) list.AddTail(new CGXRange(row, col));
  return !list.IsEmpty();
}

BOOL CGXGridCore::IsCellInList(ROWCOL row, ROWCOL col, const CGXRangeList& list) {
  return list.IsCellInListExcept(row, col, nullptr);
}

BOOL CGXGridCore::NotifySelectionChanged(const CGXRange& range, BOOL flag1, BOOL flag2) {
  OnSelectionChanged(range, flag1, flag2);
  return TRUE;
}

BOOL CGXGridCore::CanSelectRange(const CGXRange&, BOOL, BOOL, BOOL, BOOL) { return TRUE; }
void CGXGridCore::OnSelectionChanged(const CGXRange&, BOOL, BOOL) {}
BOOL CGXGridCore::CanApplyFill(const CGXRange&, BOOL, BOOL) { return TRUE; }
BOOL CGXGridCore::CanChangeFillRange(const CGXRange&, const CGXRange&) { return TRUE; }

void CGXGridCore::RedrawSelectionHeaders(const CGXRange*, BOOL, BOOL sendHint) {
  if (m_pParam == nullptr || !m_pParam->m_bMarkSelectedHeaders) return;
  const ROWCOL headerRows = GetHeaderRows(), headerCols = GetHeaderCols();
  const ROWCOL rows = GetRowCount(), cols = GetColCount();
  if (rows > headerRows) RedrawRowCol(headerRows + 1, 0, rows, headerCols, 2, sendHint);
  if (cols > headerCols) RedrawRowCol(0, headerCols + 1, headerRows, cols, 2, sendHint);
}
