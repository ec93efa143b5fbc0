// The core's operations that hand work to the feature objects: with a
// feature present its operation runs with the grid first; without it the
// core answers 0 (or nothing), so a grid without features still runs.
#include "grid/core/GXCommand.h"
#include "grid/core/GXGridCore.h"
#include "platform/Menu.h"
#include "platform/Window.h"

#define GX_FORWARD(feature, call, absent) return (feature) != nullptr ? (feature)->call : (absent)
#define GX_FORWARD_VOID(feature, call) \
  if ((feature) != nullptr) (feature)->call

// ---------------------------------------------------------- drag and drop

BOOL CGXGridCore::CanSelDragRows() { return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0; }
BOOL CGXGridCore::CanSelDragCols() { return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0; }
BOOL CGXGridCore::CanSelDragMoveRows() { return TRUE; }
BOOL CGXGridCore::CanSelDragMoveCols() { return TRUE; }
BOOL CGXGridCore::CanSelDropRows() { return TRUE; }
BOOL CGXGridCore::CanSelDropCols() { return TRUE; }

// ----------------------------------------------------------------- hiding

BOOL CGXGridCore::HideRows(ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) {
  GX_FORWARD(m_pHideCellsImp, HideRows(this, from, to, hide, flags, commandMode), FALSE);
}
BOOL CGXGridCore::HideCols(ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) {
  GX_FORWARD(m_pHideCellsImp, HideCols(this, from, to, hide, flags, commandMode), FALSE);
}
BOOL CGXGridCore::IsRowHidden(ROWCOL row) { GX_FORWARD(m_pHideCellsImp, IsRowHidden(this, row), FALSE); }
BOOL CGXGridCore::IsColHidden(ROWCOL col) { GX_FORWARD(m_pHideCellsImp, IsColHidden(this, col), FALSE); }
BOOL CGXGridCore::StoreHideRow(ROWCOL row, BOOL hide) { GX_FORWARD(m_pHideCellsImp, StoreHideRow(this, row, hide), FALSE); }
BOOL CGXGridCore::StoreHideCol(ROWCOL col, BOOL hide) { GX_FORWARD(m_pHideCellsImp, StoreHideCol(this, col, hide), FALSE); }

// ---------------------------------------------------------- covered cells

BOOL CGXGridCore::SetCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags,
                                        int commandMode) {
  GX_FORWARD(m_pCoveredCellsImp, SetCoveredCellsRowCol(this, top, left, bottom, right, flags, commandMode), FALSE);
}
CGXRange* CGXGridCore::GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range) {
  GX_FORWARD(m_pCoveredCellsImp, GetCoveredCellsRowCol(this, row, col, range), nullptr);
}
BOOL CGXGridCore::StoreCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL set) {
  GX_FORWARD(m_pCoveredCellsImp, StoreCoveredCellsRowCol(this, top, left, bottom, right, set), FALSE);
}
void CGXGridCore::UpdateCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags,
                                           BOOL sendHint) {
  GX_FORWARD_VOID(m_pCoveredCellsImp, UpdateCoveredCellsRowCol(this, top, left, bottom, right, flags, sendHint));
}
void CGXGridCore::ExpandToCoveredCells(CGXRange& range) {
  GX_FORWARD_VOID(m_pCoveredCellsImp, ExpandToCoveredCells(this, range));
}

BOOL CGXGridCore::EvalVisibleSpans(CGXRange& range, ROWCOL frozenRows, ROWCOL frozenCols, ROWCOL topRow,
                                   ROWCOL leftCol, ROWCOL lastRow, ROWCOL lastCol, BOOL flag1, BOOL flag2, BOOL flag3) {
  GX_FORWARD(m_pDrawSpannedCellsImp,
             EvalVisibleSpans(this, range, frozenRows, frozenCols, topRow, leftCol, lastRow, lastCol, flag1, flag2, flag3),
             FALSE);
}

BOOL CGXGridCore::TouchesSpannedCells(CGXRange& range, BOOL flag1, BOOL flag2, BOOL flag3) {
  const ROWCOL frozenRows = m_pParam ? m_pParam->m_nFrozenRows : 0;
  const ROWCOL frozenCols = m_pParam ? m_pParam->m_nFrozenCols : 0;
  return EvalVisibleSpans(range, frozenRows, frozenCols, m_nTopRow, m_nLeftCol, GetRowCount(), GetColCount(), flag1,
                          flag2, flag3);
}

CWnd* CGXGridCore::SetCapture() {
  if (m_pGridWnd == nullptr || m_pGridWnd->m_hWnd == nullptr) return nullptr;
  return m_pGridWnd->SetCapture();
}

void CGXGridCore::OnTextNotFound(LPCTSTR) { ::MessageBeep(0); }

// ------------------------------------------------------------- undo, redo

BOOL CGXGridCore::Undo() { GX_FORWARD(m_pCommandFactory, Undo(this), FALSE); }
BOOL CGXGridCore::Redo() { GX_FORWARD(m_pCommandFactory, Redo(this), FALSE); }
void CGXGridCore::BeginTrans(LPCTSTR name) { GX_FORWARD_VOID(m_pCommandFactory, BeginTrans(this, name)); }
void CGXGridCore::CommitTrans() { GX_FORWARD_VOID(m_pCommandFactory, CommitTrans(this)); }
void CGXGridCore::Rollback() { GX_FORWARD_VOID(m_pCommandFactory, Rollback(this)); }

BOOL CGXGridCore::OnUpdateEditUndo(CCmdUI* item) {
  if (m_pCommandFactory != nullptr) return m_pCommandFactory->OnUpdateEditUndo(this, item);
  if (item != nullptr) item->Enable(FALSE);
  return FALSE;
}

BOOL CGXGridCore::OnUpdateEditRedo(CCmdUI* item) {
  if (m_pCommandFactory != nullptr) return m_pCommandFactory->OnUpdateEditRedo(this, item);
  if (item != nullptr) item->Enable(FALSE);
  return FALSE;
}

void CGXGridCore::AddCommand(CGXCommand* command, int commandMode) {
  if (m_pCommandFactory != nullptr) {
    m_pCommandFactory->AddCommand(this, command, commandMode);
  } else {
    delete command;  // nobody would ever own it
  }
}

void CGXGridCore::RemoveCommand(int commandMode) { GX_FORWARD_VOID(m_pCommandFactory, RemoveCommand(this, commandMode)); }
void CGXGridCore::ShowUndoneCell(ROWCOL row, ROWCOL col, BOOL redraw) {
  GX_FORWARD_VOID(m_pCommandFactory, ShowUndoneCell(this, row, col, redraw));
}
BOOL CGXGridCore::EnableDataUndo(BOOL enable) { GX_FORWARD(m_pCommandFactory, EnableDataUndo(this, enable), FALSE); }
CObject* CGXGridCore::GetDataUndoInfo() { GX_FORWARD(m_pCommandFactory, GetDataUndoInfo(this), nullptr); }
BOOL CGXGridCore::ApplyDataUndoInfo(CObject* info, BOOL createUndo, BOOL flag) {
  GX_FORWARD(m_pCommandFactory, ApplyDataUndoInfo(this, info, createUndo, flag), FALSE);
}
void CGXGridCore::DiscardDataUndoInfo() { GX_FORWARD_VOID(m_pCommandFactory, DiscardDataUndoInfo(this)); }
BOOL CGXGridCore::ExecuteCommand(CGXCommand* command, int commandMode) {
  GX_FORWARD(m_pCommandFactory, ExecuteCommand(this, command, commandMode), FALSE);
}

// ------------------------------------------------------------- range names

// This system has no range-name feature: named ranges are never kept.
BOOL CGXGridCore::SetRangeName(LPCTSTR, const CGXRange&, CObject*, int) { return FALSE; }
BOOL CGXGridCore::GetRangeName(LPCTSTR, CGXRange&) { return FALSE; }
BOOL CGXGridCore::DeleteRangeName(LPCTSTR, int) { return FALSE; }

// --------------------------------------------------------------- clipboard

BOOL CGXGridCore::CopyRangeList(CGXRangeList& ranges, BOOL textOnly) {
  GX_FORWARD(m_pCutPasteImp, CopyRangeList(this, ranges, textOnly), FALSE);
}

BOOL CGXGridCore::CopyRange(const CGXRange& range) {
  CGXRangeList list;
  list.AddTail(new CGXRange(range));
  return CopyRangeList(list, FALSE);
}

BOOL CGXGridCore::CutRange(const CGXRange& range) {
  CGXRangeList list;
  list.AddTail(new CGXRange(range));
  return CutRangeList(list, FALSE);
}

BOOL CGXGridCore::CopyTextToBuffer(CString& buffer, const CGXRangeList& ranges) {
  GX_FORWARD(m_pTextDataExchangeImp, CopyTextToBuffer(this, buffer, ranges), FALSE);
}
BOOL CGXGridCore::CopyStylesToArchive(CArchive& ar, const CGXRangeList& ranges) {
  GX_FORWARD(m_pStyleDataExchangeImp, CopyStylesToArchive(this, ar, ranges), FALSE);
}
BOOL CGXGridCore::GetCopyStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style) {
  GX_FORWARD(m_pStyleDataExchangeImp, GetCopyStyleRowCol(this, row, col, style), FALSE);
}
CString CGXGridCore::GetCopyTextRowCol(ROWCOL row, ROWCOL col) {
  GX_FORWARD(m_pTextDataExchangeImp, GetCopyTextRowCol(this, row, col), CString());
}
BOOL CGXGridCore::CutRangeList(CGXRangeList& ranges, BOOL textOnly) {
  GX_FORWARD(m_pCutPasteImp, CutRangeList(this, ranges, textOnly), FALSE);
}
BOOL CGXGridCore::ClearCells(CGXRangeList& ranges, BOOL valuesOnly) {
  GX_FORWARD(m_pClearCellsImp, ClearCells(this, ranges, valuesOnly), FALSE);
}
BOOL CGXGridCore::PasteStylesFromArchive(CArchive& ar, const CGXRange& at) {
  GX_FORWARD(m_pStyleDataExchangeImp, PasteStylesFromArchive(this, ar, at), FALSE);
}
BOOL CGXGridCore::PasteTextFromBuffer(LPCTSTR buffer, const CGXRange& at) {
  GX_FORWARD(m_pTextDataExchangeImp, PasteTextFromBuffer(this, buffer, at), FALSE);
}
BOOL CGXGridCore::CalcTextBufferDimension(LPCTSTR buffer, ROWCOL& rows, ROWCOL& cols) {
  GX_FORWARD(m_pTextDataExchangeImp, CalcTextBufferDimension(this, buffer, rows, cols), FALSE);
}
BOOL CGXGridCore::PasteTextRowCol(ROWCOL row, ROWCOL col, const CString& text) {
  GX_FORWARD(m_pTextDataExchangeImp, PasteTextRowCol(this, row, col, text), FALSE);
}
BOOL CGXGridCore::PasteDirectCopy(const CGXRange& at) { GX_FORWARD(m_pCutPasteImp, PasteDirectCopy(this, at), FALSE); }
BOOL CGXGridCore::PasteClipboardText(const CGXRange& at) {
  GX_FORWARD(m_pCutPasteImp, PasteClipboardText(this, at), FALSE);
}
BOOL CGXGridCore::IsPasteFormatAvailable() { GX_FORWARD(m_pCutPasteImp, IsPasteFormatAvailable(this), FALSE); }
BOOL CGXGridCore::CutPasteOp13() { GX_FORWARD(m_pCutPasteImp, CutPasteOp13(this), FALSE); }
BOOL CGXGridCore::CopyTextToClipboard(CGXRangeList& ranges) {
  GX_FORWARD(m_pCutPasteImp, CopyTextToClipboard(this, ranges), FALSE);
}
BOOL CGXGridCore::CopyStylesToClipboard(CGXRangeList& ranges, UINT flags) {
  GX_FORWARD(m_pCutPasteImp, CopyStylesToClipboard(this, ranges, flags), FALSE);
}
BOOL CGXGridCore::Copy() { GX_FORWARD(m_pCutPasteImp, Copy(this), FALSE); }
BOOL CGXGridCore::Paste() { GX_FORWARD(m_pCutPasteImp, Paste(this), FALSE); }
BOOL CGXGridCore::Cut() { GX_FORWARD(m_pCutPasteImp, Cut(this), FALSE); }
BOOL CGXGridCore::Clear(BOOL valuesOnly) { GX_FORWARD(m_pClearCellsImp, Clear(this, valuesOnly), FALSE); }
BOOL CGXGridCore::CanCopy() { GX_FORWARD(m_pCutPasteImp, CanCopy(this), FALSE); }
BOOL CGXGridCore::CanCut() { GX_FORWARD(m_pCutPasteImp, CanCut(this), FALSE); }
BOOL CGXGridCore::CanPaste() { GX_FORWARD(m_pCutPasteImp, CanPaste(this), FALSE); }
BOOL CGXGridCore::CanClear() { GX_FORWARD(m_pClearCellsImp, CanClear(this), FALSE); }

// ---------------------------------------------------------------- freezing

void CGXGridCore::FreezeCols() { GX_FORWARD_VOID(m_pFreezeMenuHelperImp, FreezeCols(this)); }
BOOL CGXGridCore::CanFreezeCols() { GX_FORWARD(m_pFreezeMenuHelperImp, CanFreezeCols(this), FALSE); }
void CGXGridCore::UnfreezeCols() { GX_FORWARD_VOID(m_pFreezeMenuHelperImp, UnfreezeCols(this)); }
BOOL CGXGridCore::CanUnfreezeCols() { GX_FORWARD(m_pFreezeMenuHelperImp, CanUnfreezeCols(this), FALSE); }
void CGXGridCore::FreezeRows() { GX_FORWARD_VOID(m_pFreezeMenuHelperImp, FreezeRows(this)); }
BOOL CGXGridCore::CanFreezeRows() { GX_FORWARD(m_pFreezeMenuHelperImp, CanFreezeRows(this), FALSE); }
void CGXGridCore::UnfreezeRows() { GX_FORWARD_VOID(m_pFreezeMenuHelperImp, UnfreezeRows(this)); }
BOOL CGXGridCore::CanUnfreezeRows() { GX_FORWARD(m_pFreezeMenuHelperImp, CanUnfreezeRows(this), FALSE); }

// ---------------------------------------------------------------- printing

void CGXGridCore::OnBeginPrinting(CDC* dc, void* info) { GX_FORWARD_VOID(m_pPrintImp, OnBeginPrinting(this, dc, info)); }
void CGXGridCore::OnEndPrinting(CDC* dc, void* info) { GX_FORWARD_VOID(m_pPrintImp, OnEndPrinting(this, dc, info)); }
void CGXGridCore::OnPrint(CDC* dc, void* info) { GX_FORWARD_VOID(m_pPrintImp, OnPrint(this, dc, info)); }
