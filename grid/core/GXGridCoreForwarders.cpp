// The core's operations that hand work to the feature objects: with a
// feature present its operation runs with the grid first; without it the
// core answers 0 (or nothing), so a grid without features still runs.
#include "grid/cells/GXControl.h"
#include "grid/core/GXCommand.h"
#include "grid/core/GXGridCore.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/menus/Menu.h"
#include "platform/window/Window.h"

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
BOOL CGXGridCore::OnStartDragRows(ROWCOL, ROWCOL) { return CanSelDragRows(); }
BOOL CGXGridCore::OnStartDragCols(ROWCOL, ROWCOL) { return CanSelDragCols(); }
BOOL CGXGridCore::CanDropRows(ROWCOL, ROWCOL, ROWCOL) { return CanSelDropRows(); }
BOOL CGXGridCore::CanDropCols(ROWCOL, ROWCOL, ROWCOL) { return CanSelDropCols(); }
BOOL CGXGridCore::OnDropRows(ROWCOL, ROWCOL, ROWCOL) { return CanSelDragMoveRows(); }
BOOL CGXGridCore::OnDropCols(ROWCOL, ROWCOL, ROWCOL) { return CanSelDragMoveCols(); }

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
void CGXGridCore::OnSearchRow(ROWCOL, int) {}

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

// ------------------------------------------------------- moving and sorting

BOOL CGXGridCore::MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) {
  GX_FORWARD(m_pMoveRowsColsImp, MoveRows(this, from, to, dest, flags, commandMode), FALSE);
}
BOOL CGXGridCore::MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) {
  GX_FORWARD(m_pMoveRowsColsImp, MoveCols(this, from, to, dest, flags, commandMode), FALSE);
}
BOOL CGXGridCore::StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode) {
  GX_FORWARD(m_pMoveRowsColsImp, StoreMoveRows(this, from, to, dest, commandMode), FALSE);
}
BOOL CGXGridCore::StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode) {
  GX_FORWARD(m_pMoveRowsColsImp, StoreMoveCols(this, from, to, dest, commandMode), FALSE);
}
void CGXGridCore::UpdateMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pMoveRowsColsImp, UpdateMoveRows(this, from, to, dest, flags, sendHint));
}
void CGXGridCore::UpdateMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pMoveRowsColsImp, UpdateMoveCols(this, from, to, dest, flags, sendHint));
}

void CGXGridCore::SortRows(CGXRange range, CGXSortInfoArray& keys, UINT flags) {
  GX_FORWARD_VOID(m_pSortImp, SortRows(this, range, keys, flags));
}
BOOL CGXGridCore::MoveDataRows(const CGXRange& range, const CDWordArray& order, UINT flags, int commandMode) {
  GX_FORWARD(m_pSortImp, MoveDataRows(this, range, order, flags, commandMode), FALSE);
}
BOOL CGXGridCore::StoreMoveDataRows(const CGXRange& range, const CDWordArray& order) {
  GX_FORWARD(m_pSortImp, StoreMoveDataRows(this, range, order), FALSE);
}
void CGXGridCore::UpdateMoveDataRows(const CGXRange& range, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pSortImp, UpdateMoveDataRows(this, range, flags, sendHint));
}
void CGXGridCore::GetSortKeyRow(ROWCOL row, const CGXSortInfoArray& keys, std::vector<CString>& texts) {
  GX_FORWARD_VOID(m_pSortImp, GetSortKeyRow(this, row, keys, texts));
}
void CGXGridCore::SortCols(CGXRange range, CGXSortInfoArray& keys, UINT flags) {
  GX_FORWARD_VOID(m_pSortImp, SortCols(this, range, keys, flags));
}
BOOL CGXGridCore::MoveDataCols(const CGXRange& range, const CDWordArray& order, UINT flags, int commandMode) {
  GX_FORWARD(m_pSortImp, MoveDataCols(this, range, order, flags, commandMode), FALSE);
}
BOOL CGXGridCore::StoreMoveDataCols(const CGXRange& range, const CDWordArray& order) {
  GX_FORWARD(m_pSortImp, StoreMoveDataCols(this, range, order), FALSE);
}
void CGXGridCore::UpdateMoveDataCols(const CGXRange& range, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pSortImp, UpdateMoveDataCols(this, range, flags, sendHint));
}
void CGXGridCore::GetSortKeyCol(ROWCOL col, const CGXSortInfoArray& keys, std::vector<CString>& texts) {
  GX_FORWARD_VOID(m_pSortImp, GetSortKeyCol(this, col, keys, texts));
}
void CGXGridCore::SortKeyArray(std::vector<CGXSortRecord>& records, const CGXSortInfoArray& keys) {
  GX_FORWARD_VOID(m_pSortImp, SortKeyArray(this, records, keys));
}

BOOL CGXGridCore::OnSelDragStart(ROWCOL row, ROWCOL col) {
  GX_FORWARD(m_pUserDragSelectRangeImp, OnSelDragStart(this, row, col), FALSE);
}
BOOL CGXGridCore::OnSelDragMove(ROWCOL from, ROWCOL to, ROWCOL dest) {
  GX_FORWARD(m_pUserDragSelectRangeImp, OnSelDragMove(this, from, to, dest), FALSE);
}
BOOL CGXGridCore::OnSelDragDrop(ROWCOL from, ROWCOL to, ROWCOL dest) {
  GX_FORWARD(m_pUserDragSelectRangeImp, OnSelDragDrop(this, from, to, dest), FALSE);
}
void CGXGridCore::OnSelDragCancel() { GX_FORWARD_VOID(m_pUserDragSelectRangeImp, OnSelDragCancel(this)); }

BOOL CGXGridCore::ResizeRowHeightsToFit(const CGXRange& range, BOOL growOnly, UINT flags) {
  GX_FORWARD(m_pResizeToFitImp, ResizeRowHeightsToFit(this, range, growOnly, flags), FALSE);
}
BOOL CGXGridCore::ResizeColWidthsToFit(const CGXRange& range, BOOL growOnly, UINT flags) {
  GX_FORWARD(m_pResizeToFitImp, ResizeColWidthsToFit(this, range, growOnly, flags), FALSE);
}

// ------------------------------------------------------ floating and merged

BOOL CGXGridCore::CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) {
  GX_FORWARD(m_pFloatCellsImp, CanFloatCell(this, row, col, style, floats), FALSE);
}
BOOL CGXGridCore::CanMergeCell(ROWCOL row, ROWCOL col, const CGXStyle& style, int direction) {
  GX_FORWARD(m_pMergeCellsImp, CanMergeCell(this, row, col, style, direction), FALSE);
}
BOOL CGXGridCore::CanMergeStyles(const CGXStyle& a, const CGXStyle& b) {
  GX_FORWARD(m_pMergeCellsImp, CanMergeStyles(this, a, b), FALSE);
}

CGXRange* CGXGridCore::GetCellSpanRange(ROWCOL row, ROWCOL col, CGXRange& range) {
  if (GetCoveredCellsRowCol(row, col, range) != nullptr) return &range;
  if (GetMergedCellsRange(row, col, range, -1)) return &range;
  if (GetFloatedCellsRange(row, col, range)) return &range;
  return nullptr;
}

void CGXGridCore::DelayFloatCells(const CGXRange& range, ROWCOL colLimit) {
  GX_FORWARD_VOID(m_pFloatCellsImp, DelayFloatCells(this, range, colLimit));
}
BOOL CGXGridCore::EvalFloatCells(const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed, BOOL useGridStyles) {
  GX_FORWARD(m_pFloatCellsImp, EvalFloatCells(this, range, redrawAtOnce, changed, useGridStyles), FALSE);
}
BOOL CGXGridCore::GetFloatedCellsRange(ROWCOL row, ROWCOL col, CGXRange& range) {
  GX_FORWARD(m_pFloatCellsImp, GetFloatedCellsRange(this, row, col, range), FALSE);
}
BOOL CGXGridCore::SetFloatedCellsRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags) {
  GX_FORWARD(m_pFloatCellsImp, SetFloatedCellsRange(this, top, left, bottom, right, flags), FALSE);
}
void CGXGridCore::RedrawWithFloatCells(const CGXRange& range, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pFloatCellsImp, RedrawWithFloatCells(this, range, flags, sendHint));
}
void CGXGridCore::ExpandRangeToFloatedCells(CGXRange& range) {
  GX_FORWARD_VOID(m_pFloatCellsImp, ExpandRange(this, range));
}
void CGXGridCore::DelayMergeCells(const CGXRange& range, ROWCOL rowLimit, ROWCOL colLimit) {
  GX_FORWARD_VOID(m_pMergeCellsImp, DelayMergeCells(this, range, rowLimit, colLimit));
}
BOOL CGXGridCore::EvalMergeCells(const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed, BOOL useGridStyles) {
  GX_FORWARD(m_pMergeCellsImp, EvalMergeCells(this, range, redrawAtOnce, changed, useGridStyles), FALSE);
}
BOOL CGXGridCore::GetMergedCellsRange(ROWCOL row, ROWCOL col, CGXRange& range, int direction) {
  GX_FORWARD(m_pMergeCellsImp, GetMergedCellsRange(this, row, col, range, direction), FALSE);
}
BOOL CGXGridCore::SetMergedCellsRange(int direction, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                      UINT flags) {
  GX_FORWARD(m_pMergeCellsImp, SetMergedCellsRange(this, direction, top, left, bottom, right, flags), FALSE);
}
void CGXGridCore::RedrawWithMergeCells(const CGXRange& range, UINT flags, BOOL sendHint) {
  GX_FORWARD_VOID(m_pMergeCellsImp, RedrawWithMergeCells(this, range, flags, sendHint));
}
void CGXGridCore::ExpandRangeToMergedCells(CGXRange& range) {
  GX_FORWARD_VOID(m_pMergeCellsImp, ExpandRange(this, range));
}

// --------------------------------------------------------- find and replace

void CGXGridCore::OnFindNext(LPCTSTR text, BOOL down, BOOL matchCase) {
  GX_FORWARD_VOID(m_pFindReplaceImp, OnFindNext(this, text, down, matchCase));
}
void CGXGridCore::OnReplaceSel(LPCTSTR find, BOOL down, BOOL matchCase, LPCTSTR replace) {
  GX_FORWARD_VOID(m_pFindReplaceImp, OnReplaceSel(this, find, down, matchCase, replace));
}
void CGXGridCore::OnReplaceAll(LPCTSTR find, LPCTSTR replace, BOOL matchCase) {
  GX_FORWARD_VOID(m_pFindReplaceImp, OnReplaceAll(this, find, replace, matchCase));
}
void CGXGridCore::OnShowFindReplaceDialog(BOOL findOnly) {
  GX_FORWARD_VOID(m_pFindReplaceImp, OnShowFindReplaceDialog(this, findOnly));
}
LRESULT CGXGridCore::OnFindReplace(WPARAM wParam, LPARAM lParam) {
  GX_FORWARD(m_pFindReplaceImp, OnFindReplace(this, wParam, lParam), 0);
}
BOOL CGXGridCore::FindInCells(ROWCOL row, ROWCOL col, UINT flags) {
  GX_FORWARD(m_pFindReplaceImp, FindInCells(this, row, col, flags), FALSE);
}
BOOL CGXGridCore::FindNext(UINT flags) { GX_FORWARD(m_pFindReplaceImp, FindNext(this, flags), FALSE); }

// ---------------------------------------------------- direct copy and move

BOOL CGXGridCore::StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol) {
  GX_FORWARD(m_pDirectCopyMoveCellsImp, StoreCopyCells(this, range, destRow, destCol), FALSE);
}
BOOL CGXGridCore::StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undoInfo,
                                 BOOL createUndo, int commandMode) {
  GX_FORWARD(m_pDirectCopyMoveCellsImp, StoreMoveCells(this, range, destRow, destCol, undoInfo, createUndo, commandMode),
             FALSE);
}
BOOL CGXGridCore::CopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, UINT flags) {
  GX_FORWARD(m_pDirectCopyMoveCellsImp, CopyCells(this, range, destRow, destCol, flags), FALSE);
}
BOOL CGXGridCore::MoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* undoInfo, UINT flags,
                            int commandMode) {
  if (m_pDirectCopyMoveCellsImp == nullptr) {
    delete undoInfo;  // nobody else would free it
    return FALSE;
  }
  return m_pDirectCopyMoveCellsImp->MoveCells(this, range, destRow, destCol, undoInfo, flags, commandMode);
}

// The edge-drag and reserved features have no implementation in this
// system; their operations answer as if absent.
BOOL CGXGridCore::OnSelectionEdgeClick(ROWCOL, ROWCOL) { return FALSE; }
BOOL CGXGridCore::EdgeDragOp5() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp0() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp1() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp2() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp3() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp4() { return FALSE; }
void CGXGridCore::ReservedFeatureOp5() {}
BOOL CGXGridCore::ReservedFeatureOp6() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp7() { return FALSE; }
BOOL CGXGridCore::ReservedFeatureOp8() { return FALSE; }
void CGXGridCore::FlushBeforeDraw() {}

// ------------------------------------------------- spreadsheet-like frame

void CGXGridCore::TrackSelectionFrame(CDC* dc, const CGXRange& range, int v1, int v2) {
  GX_FORWARD_VOID(m_pExcelLikeFrameImp, TrackSelectionFrame(this, dc, range, v1, v2));
}
void CGXGridCore::DrawSelectionFrame(CDC* dc, BOOL flag, const CGXRange& range) {
  GX_FORWARD_VOID(m_pExcelLikeFrameImp, DrawSelectionFrame(this, dc, flag, range));
}
void CGXGridCore::ToggleSelectionFrame() { GX_FORWARD_VOID(m_pExcelLikeFrameImp, ToggleSelectionFrame(this)); }
BOOL CGXGridCore::SetFrameState(BOOL state, BOOL flag) {
  GX_FORWARD(m_pExcelLikeFrameImp, SetFrameState(this, state, flag), FALSE);
}

// Every view hides its own frame around its own update step, so the saver
// tells no other view.
CGXFrameStateSaver::CGXFrameStateSaver(CGXGridCore* grid) : grid_(grid), oldState_(grid->SetFrameState(FALSE, FALSE)) {}
CGXFrameStateSaver::~CGXFrameStateSaver() { grid_->SetFrameState(oldState_, FALSE); }

// ------------------------------------------------------------ update hints

void CGXGridCore::SendHintToDocument(CWnd* sender, LPARAM hintId, CObject* hint) {
  // The sending view is left out: it has done the work already.
  CView* view = sender != nullptr && sender->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(sender) : nullptr;
  if (m_bHintsEnabled && m_bAttachedToDocument && m_pDocument != nullptr)
    m_pDocument->UpdateAllViews(view, hintId, hint);
}

void CGXGridCore::ReceiveHint(CWnd*, LPARAM, CObject* hint) {
  GX_FORWARD_VOID(m_pUpdateHintImp, OnHint(this, hint));
}

// ---------------------------------------------------------------- sorting

void CGXGridCore::GetSortKey(CGXControl* control, ROWCOL row, ROWCOL col, void* sortInfo, const CGXStyle& style,
                             CString& key) {
  if (control != nullptr) control->GetSortKey(row, col, sortInfo, style, key);
}

// -------------------------------------------------------------- selection

void CGXGridCore::DrawFrameOutline(CDC* dc, const CRect& clip, const CRect& frame, BOOL topVisible,
                                   BOOL leftVisible, int handle, BOOL handleOnly) {
  GX_FORWARD_VOID(m_pExcelLikeFrameImp, DrawFrame(this, dc, clip, frame, topVisible, leftVisible, handle, handleOnly));
}
BOOL CGXGridCore::StoreSelectRange(const CGXRange& range, BOOL select) {
  GX_FORWARD(m_pUserSelectRangeImp, StoreSelectRange(this, range, select), FALSE);
}
void CGXGridCore::UpdateSelectRange(const CGXRange& range, const CGXRangeList* oldList, BOOL sendHint) {
  GX_FORWARD_VOID(m_pUserSelectRangeImp, RedrawSelectionChange(this, range, oldList, sendHint));
}
void CGXGridCore::UpdateChangedSelection(POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                         BOOL sendHint) {
  GX_FORWARD_VOID(m_pUserSelectRangeImp, RedrawRangeChange(this, pos, top, left, bottom, right, sendHint));
}
void CGXGridCore::RedrawSelection(BOOL sendHint) {
  GX_FORWARD_VOID(m_pUserSelectRangeImp, RedrawSelection(this, sendHint));
}

// ------------------------------------------------------------ fill handle

// The fill feature takes the source first.
BOOL CGXGridCore::FillCells(const CGXRange& target, const CGXRange& source) {
  GX_FORWARD(m_pExcelLikeFillImp, FillRange(this, source, target), FALSE);
}
void CGXGridCore::SelectFilledRange(const CGXRange& range) {
  GX_FORWARD_VOID(m_pExcelLikeFillImp, SelectFilledRange(this, range));
}
void CGXGridCore::SetFillHandleImp(CGXAbstractGridExcelLikeFillImp* fill, BOOL autoDelete) {
  m_pExcelLikeFillImp = fill;
  if (autoDelete && fill != nullptr) AddAutoDelete(fill);
}

// ------------------------------------------------------------- span pools

CObject* CGXGridCore::GetSpanCellPool() const {
  if (m_pParam == nullptr) return nullptr;
  return m_bPrinting ? m_pParam->m_pPrintFloatSpanPool : m_pParam->m_pFloatSpanPool;
}

// ----------------------------------------------------------- current cell

CString CGXGridCore::GetCurrentCellText() {
  CString text;
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col)) return text;
  if (CGXControl* control = GetControl(row, col)) control->GetSelectedText(text);
  return text;
}
