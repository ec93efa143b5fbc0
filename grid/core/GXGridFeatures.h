// Interfaces of the per-grid feature objects that the core forwards to.
// Every operation receives the grid first; the objects come with the
// feature library and are owned by the grid's auto-delete list.
#pragma once

#include "grid/core/GXRange.h"
#include "grid/core/GXSortInfo.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXGridCore;
class CGXCommand;
class CGXControl;
class CGXRangeList;
class CGXStyle;
class CCmdUI;
class CDC;
class CGXProperties;
class CGXGridParam;
class CGXData;
class CGXStylesMap;
class CDocument;

class CGXAbstractGridHideCellsImp {
 public:
  virtual ~CGXAbstractGridHideCellsImp() = default;
  virtual void AdjustAfterInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count) = 0;
  virtual void AdjustAfterInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count) = 0;
  virtual void AdjustAfterRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to) = 0;
  virtual void AdjustAfterRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to) = 0;
  virtual void AdjustAfterMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
  virtual void AdjustAfterMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
  virtual BOOL HideRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) = 0;
  virtual BOOL IsRowHidden(CGXGridCore* grid, ROWCOL row) = 0;
  virtual BOOL StoreHideRow(CGXGridCore* grid, ROWCOL row, BOOL hide) = 0;
  virtual BOOL HideCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags, int commandMode) = 0;
  virtual BOOL IsColHidden(CGXGridCore* grid, ROWCOL col) = 0;
  virtual BOOL StoreHideCol(CGXGridCore* grid, ROWCOL col, BOOL hide) = 0;
};

class CGXAbstractGridCoveredCellsImp {
 public:
  virtual ~CGXAbstractGridCoveredCellsImp() = default;
  virtual BOOL SetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                     UINT flags, int commandMode) = 0;
  virtual CGXRange* GetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) = 0;
  virtual BOOL StoreCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                       BOOL set) = 0;
  virtual void UpdateCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                        UINT flags, BOOL sendHint) = 0;
  virtual void ExpandToCoveredCells(CGXGridCore* grid, CGXRange& range) = 0;
  // 5, 6: before rows (columns) from..to are removed, the blocks that end
  // or start among them are adjusted; `flags` (the update mode) may change.
  // TRUE when a block changed.
  virtual BOOL PrepareRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags, int commandMode) {
    (void)grid, (void)from, (void)to, (void)flags, (void)commandMode;
    return FALSE;
  }
  virtual BOOL PrepareRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags, int commandMode) {
    (void)grid, (void)from, (void)to, (void)flags, (void)commandMode;
    return FALSE;
  }
};

class CGXAbstractGridFreezeMenuHelperImp {
 public:
  virtual ~CGXAbstractGridFreezeMenuHelperImp() = default;
  virtual BOOL CanFreezeCols(CGXGridCore* grid) = 0;
  virtual BOOL CanUnfreezeCols(CGXGridCore* grid) = 0;
  virtual void FreezeCols(CGXGridCore* grid) = 0;
  virtual void UnfreezeCols(CGXGridCore* grid) = 0;
  virtual BOOL CanFreezeRows(CGXGridCore* grid) = 0;
  virtual BOOL CanUnfreezeRows(CGXGridCore* grid) = 0;
  virtual void FreezeRows(CGXGridCore* grid) = 0;
  virtual void UnfreezeRows(CGXGridCore* grid) = 0;
};

class CGXAbstractGridPrintImp {
 public:
  virtual ~CGXAbstractGridPrintImp() = default;
  // The print loop's steps; `info` is the loop's CPrintInfo.
  virtual void OnBeginPrinting(CGXGridCore* grid, CDC* dc, void* info) = 0;
  virtual void OnPrint(CGXGridCore* grid, CDC* dc, void* info) = 0;
  virtual void OnEndPrinting(CGXGridCore* grid, CDC* dc, void* info) = 0;
  // Page header and footer on behalf of the properties object.
  virtual void PrintHeaderFooter(CGXProperties& properties, CDC* dc, void* info, CDocument* document,
                                 CGXGridParam* param) = 0;
  virtual int CalcHeaderFooterHeight(CGXProperties& properties, CDC* dc, CGXData* data, CGXStylesMap* map) = 0;
  virtual void DrawHeaderFooter(CGXProperties& properties, CDC* dc, void* info, const RECT& rect, CGXData* data,
                                CGXStylesMap* map) = 0;
  // The text with its tokens replaced.
  virtual CString SubstTokens(CGXProperties& properties, LPCTSTR text) = 0;
  // One token's value; may take its argument from the front of `rest`.
  virtual CString GetTokenValue(CGXProperties& properties, int index, CString& rest) = 0;
  // The text between braces at the front of `rest`, which moves past them.
  virtual CString GetTokenArgs(CGXProperties& properties, CString& rest) = 0;
};

class CGXAbstractGridClearCellsImp {
 public:
  virtual ~CGXAbstractGridClearCellsImp() = default;
  virtual BOOL CanClear(CGXGridCore* grid) = 0;
  virtual BOOL Clear(CGXGridCore* grid, BOOL valuesOnly) = 0;
  virtual BOOL ClearCells(CGXGridCore* grid, CGXRangeList& ranges, BOOL valuesOnly) = 0;
};

class CGXAbstractGridCutPasteImp {
 public:
  virtual ~CGXAbstractGridCutPasteImp() = default;
  virtual BOOL CanCopy(CGXGridCore* grid) = 0;
  virtual BOOL Copy(CGXGridCore* grid) = 0;
  virtual BOOL CopyRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL textOnly) = 0;
  virtual BOOL CopyTextToClipboard(CGXGridCore* grid, CGXRangeList& ranges) = 0;
  virtual BOOL CopyStylesToClipboard(CGXGridCore* grid, CGXRangeList& ranges, UINT flags) = 0;
  virtual BOOL CanCut(CGXGridCore* grid) = 0;
  virtual BOOL Cut(CGXGridCore* grid) = 0;
  virtual BOOL CutRangeList(CGXGridCore* grid, CGXRangeList& ranges, BOOL textOnly) = 0;
  virtual BOOL CanPaste(CGXGridCore* grid) = 0;
  virtual BOOL IsPasteFormatAvailable(CGXGridCore* grid) = 0;
  virtual BOOL Paste(CGXGridCore* grid) = 0;
  virtual BOOL PasteDirectCopy(CGXGridCore* grid, const CGXRange& at) = 0;
  virtual BOOL PasteClipboardText(CGXGridCore* grid, const CGXRange& at) = 0;
  virtual BOOL CutPasteOp13(CGXGridCore* grid) = 0;
};

class CGXAbstractGridTextDataExchangeImp {
 public:
  virtual ~CGXAbstractGridTextDataExchangeImp() = default;
  virtual BOOL CopyTextToBuffer(CGXGridCore* grid, CString& buffer, const CGXRangeList& ranges) = 0;
  virtual CString GetCopyTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL PasteTextFromBuffer(CGXGridCore* grid, LPCTSTR buffer, const CGXRange& at) = 0;
  virtual BOOL PasteTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CString& text) = 0;
  virtual BOOL CalcTextBufferDimension(CGXGridCore* grid, LPCTSTR buffer, ROWCOL& rows, ROWCOL& cols) = 0;
};

class CGXAbstractGridStyleDataExchangeImp {
 public:
  virtual ~CGXAbstractGridStyleDataExchangeImp() = default;
  virtual BOOL CopyStylesToArchive(CGXGridCore* grid, CArchive& ar, const CGXRangeList& ranges) = 0;
  virtual BOOL GetCopyStyleRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXStyle& style) = 0;
  virtual BOOL PasteStylesFromArchive(CGXGridCore* grid, CArchive& ar, const CGXRange& at) = 0;
};

class CGXAbstractDrawSpannedCellsImp {
 public:
  virtual ~CGXAbstractDrawSpannedCellsImp() = default;
  virtual BOOL PrepareCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) = 0;
  virtual BOOL DrawCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) = 0;
  virtual BOOL EvalVisibleSpans(CGXGridCore* grid, CGXRange& range, ROWCOL frozenRows, ROWCOL frozenCols,
                                ROWCOL topRow, ROWCOL leftCol, ROWCOL lastRow, ROWCOL lastCol, BOOL flag1, BOOL flag2,
                                BOOL flag3) = 0;
};

class CGXAbstractGridSortImp {
 public:
  virtual ~CGXAbstractGridSortImp() = default;
  virtual void SortKeyArray(CGXGridCore* grid, std::vector<CGXSortRecord>& records, const CGXSortInfoArray& keys) = 0;
  virtual void SortRows(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) = 0;
  virtual BOOL MoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                            int commandMode) = 0;
  virtual BOOL StoreMoveDataRows(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) = 0;
  virtual void UpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) = 0;
  virtual void GetSortKeyRow(CGXGridCore* grid, ROWCOL row, const CGXSortInfoArray& keys,
                             std::vector<CString>& texts) = 0;
  virtual void SortCols(CGXGridCore* grid, CGXRange range, CGXSortInfoArray& keys, UINT flags) = 0;
  virtual BOOL MoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order, UINT flags,
                            int commandMode) = 0;
  virtual BOOL StoreMoveDataCols(CGXGridCore* grid, const CGXRange& range, const CDWordArray& order) = 0;
  virtual void UpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) = 0;
  virtual void GetSortKeyCol(CGXGridCore* grid, ROWCOL col, const CGXSortInfoArray& keys,
                             std::vector<CString>& texts) = 0;
};

class CGXAbstractGridMoveRowsColsImp {
 public:
  virtual ~CGXAbstractGridMoveRowsColsImp() = default;
  virtual BOOL StoreMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode) = 0;
  virtual void UpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) = 0;
  virtual BOOL StoreMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode) = 0;
  virtual void UpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) = 0;
  virtual BOOL MoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) = 0;
  virtual BOOL MoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) = 0;
};

class CGXAbstractGridUserDragSelectRangeImp {
 public:
  virtual ~CGXAbstractGridUserDragSelectRangeImp() = default;
  virtual BOOL OnLButtonDown(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnMouseMove(CGXGridCore* grid, POINT point, UINT keys) = 0;
  virtual BOOL OnLButtonUp(CGXGridCore* grid, POINT point, UINT keys) = 0;
  virtual BOOL OnSelDragStart(CGXGridCore* grid, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnSelDragMove(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
  virtual BOOL OnSelDragDrop(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
  virtual void OnSelDragCancel(CGXGridCore* grid) = 0;
};

class CGXAbstractGridResizeToFitImp {
 public:
  virtual ~CGXAbstractGridResizeToFitImp() = default;
  virtual BOOL ResizeRowHeightsToFit(CGXGridCore* grid, const CGXRange& range, BOOL growOnly, UINT flags) = 0;
  virtual BOOL ResizeColWidthsToFit(CGXGridCore* grid, const CGXRange& range, BOOL growOnly, UINT flags) = 0;
};

class CGXAbstractGridFloatCellsImp {
 public:
  virtual ~CGXAbstractGridFloatCellsImp() = default;
  // Mode 0 off, 1 delayed (queued areas are evaluated when drawn), 2
  // immediate; a change discards every span.
  virtual void SetFloatCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) = 0;
  virtual void DelayFloatCells(CGXGridCore* grid, const CGXRange& range, ROWCOL colLimit) = 0;
  // TRUE when a span changed; `changed` (may be null) collects the area.
  virtual BOOL EvalFloatCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                              BOOL useGridStyles) = 0;
  virtual BOOL GetFloatedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) = 0;
  // The static cell's answer: `floats` TRUE asks whether its text may
  // float, FALSE whether it may be flooded by a neighbour's text.
  virtual BOOL CanFloatCellForControl(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                      BOOL floats) = 0;
  virtual BOOL CanFloatCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) = 0;
  // A one-cell request removes the span at (top, left).
  virtual BOOL SetFloatedCellsRange(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                    UINT flags) = 0;
  virtual void RedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) = 0;
  virtual void ExpandRange(CGXGridCore* grid, CGXRange& range) = 0;
  // Rows (or columns) were inserted into or removed from the table: the
  // spans follow the change along their direction, and those across it
  // are dropped from the first changed index on (they are evaluated anew).
  virtual void AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) {
    (void)grid, (void)rows, (void)at, (void)count;
  }
  virtual void AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) {
    (void)grid, (void)rows, (void)from, (void)to;
  }
};

class CGXAbstractGridMergeCellsImp {
 public:
  virtual ~CGXAbstractGridMergeCellsImp() = default;
  // Bits 0-1: 0 off, 1 delayed, 2 immediate; bit value 4 no vertical
  // blocks, 8 no horizontal ones.
  virtual void SetMergeCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) = 0;
  virtual void DelayMergeCells(CGXGridCore* grid, const CGXRange& range, ROWCOL rowLimit, ROWCOL colLimit) = 0;
  virtual BOOL EvalMergeCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                              BOOL useGridStyles) = 0;
  // direction 0 horizontal, 1 vertical, any other both.
  virtual BOOL GetMergedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range, int direction) = 0;
  virtual BOOL CanMergeCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style, int direction) = 0;
  virtual BOOL CanMergeStyles(CGXGridCore* grid, const CGXStyle& a, const CGXStyle& b) = 0;
  virtual BOOL SetMergedCellsRange(CGXGridCore* grid, int direction, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                   ROWCOL right, UINT flags) = 0;
  virtual void RedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) = 0;
  virtual void ExpandRange(CGXGridCore* grid, CGXRange& range) = 0;
  // Rows (or columns) were inserted into or removed from the table: the
  // spans follow the change along their direction, and those across it
  // are dropped from the first changed index on (they are evaluated anew).
  virtual void AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) {
    (void)grid, (void)rows, (void)at, (void)count;
  }
  virtual void AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) {
    (void)grid, (void)rows, (void)from, (void)to;
  }
};

class CGXAbstractGridFindReplaceImp {
 public:
  virtual ~CGXAbstractGridFindReplaceImp() = default;
  virtual void OnShowFindReplaceDialog(CGXGridCore* grid, BOOL findOnly) = 0;
  virtual void OnFindNext(CGXGridCore* grid, LPCTSTR text, BOOL down, BOOL matchCase) = 0;
  virtual BOOL FindTextInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent,
                                 BOOL select) = 0;
  virtual BOOL FindInCells(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT flags) = 0;
  virtual BOOL FindNext(CGXGridCore* grid, UINT flags) = 0;
  virtual void OnReplaceSel(CGXGridCore* grid, LPCTSTR find, BOOL down, BOOL matchCase, LPCTSTR replace) = 0;
  virtual void OnReplaceAll(CGXGridCore* grid, LPCTSTR find, LPCTSTR replace, BOOL matchCase) = 0;
  virtual LRESULT OnFindReplace(CGXGridCore* grid, WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL ReplaceAllInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col) = 0;
};

class CGXAbstractGridDirectCopyMoveCellsImp {
 public:
  virtual ~CGXAbstractGridDirectCopyMoveCellsImp() = default;
  virtual BOOL CopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol, UINT flags) = 0;
  virtual BOOL StoreCopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol) = 0;
  // Takes over `undoInfo` (the move being undone or redone, or null).
  virtual BOOL MoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* undoInfo,
                         UINT flags, int commandMode) = 0;
  virtual BOOL StoreMoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol,
                              CObject*& undoInfo, BOOL createUndo, int commandMode) = 0;
};

class CGXAbstractGridExcelLikeFrameImp {
 public:
  virtual ~CGXAbstractGridExcelLikeFrameImp() = default;
  // 0: inverts one piece of the frame (reached through DrawFrameOutline).
  virtual void DrawFrame(CGXGridCore* grid, CDC* dc, const CRect& clip, const CRect& frame, BOOL topVisible,
                         BOOL leftVisible, int handle, BOOL handleOnly) = 0;
  virtual void TrackSelectionFrame(CGXGridCore* grid, CDC* dc, const CGXRange& range, int value1, int value2) = 0;
  virtual void DrawSelectionFrame(CGXGridCore* grid, CDC* dc, BOOL flag, const CGXRange& range) = 0;
  virtual void ToggleSelectionFrame(CGXGridCore* grid) = 0;
  virtual BOOL SetFrameState(CGXGridCore* grid, BOOL state, BOOL flag) = 0;
};

// Resizing rows and columns by dragging their edges: the grid asks the
// feature to start, follow, end or cancel the tracking of an edge.
class CGXAbstractGridUserResizeCellsImp {
 public:
  virtual ~CGXAbstractGridUserResizeCellsImp() = default;
  // kind 1 a row height, 2 a column width.
  virtual BOOL StartTracking(CGXGridCore* grid, ROWCOL row, ROWCOL col, int kind) = 0;
  virtual void MoveTracking(CGXGridCore* grid, UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) = 0;
  virtual void CancelTracking(CGXGridCore* grid) = 0;
  virtual void EndTracking(CGXGridCore* grid, UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) = 0;
  // A double click on a boundary (hit code of the hit test); TRUE when taken.
  virtual BOOL OnDoubleClick(CGXGridCore* grid, int hit, ROWCOL row, ROWCOL col) {
    (void)grid, (void)hit, (void)row, (void)col;
    return FALSE;
  }
};

// The user's range selection: the core's mouse handlers hand it presses,
// moves and releases on cells, and keyboard moves and plain left clicks
// are offered to it first.
class CGXAbstractGridUserSelectRangeImp {
 public:
  virtual ~CGXAbstractGridUserSelectRangeImp() = default;
  // 0: moves the current cell by a direction code (extending the selection
  // with Shift); whether it moved.
  virtual BOOL MoveCurrentCell(CGXGridCore* grid, int direction, ROWCOL count) = 0;
  virtual BOOL OnLButtonDown(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnMouseMove(CGXGridCore* grid, POINT point, UINT keys, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnLButtonUp(CGXGridCore* grid, POINT point, UINT keys) = 0;
  virtual void SelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select, BOOL update) = 0;
  // Changes the list only.
  virtual BOOL StoreSelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select) = 0;
  virtual void RedrawSelectionChange(CGXGridCore* grid, const CGXRange& range, const CGXRangeList* oldList,
                                     BOOL sendHint) = 0;
  // 7: a null position clears the selection, else sets that range.
  virtual void SetSelection(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom,
                            ROWCOL right) = 0;
  virtual void RedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                 ROWCOL right, BOOL sendHint) = 0;
  virtual void RedrawSelection(CGXGridCore* grid, BOOL sendHint) = 0;
  // 10: a left click released on a cell its control did not take.
  virtual BOOL OnLButtonClickedRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) = 0;
  // A Ctrl+click on a selected header; 1 when it deselected something.
  virtual BOOL CtrlClickHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) = 0;
};

// Sorting by a double click on a header.
class CGXAbstractGridSortClickImp {
 public:
  virtual ~CGXAbstractGridSortClickImp() = default;
  virtual BOOL OnLButtonDblClkRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) = 0;
};

// Marks the headers of the current cell.
class CGXAbstractGridMarkEditHeaderImp {
 public:
  virtual ~CGXAbstractGridMarkEditHeaderImp() = default;
  virtual void MarkEditHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, int hint, UINT flags) = 0;
};

// The old drawing path: offered each paint pass before the core draws it.
class CGXAbstractGridOldDrawingImp {
 public:
  virtual ~CGXAbstractGridOldDrawingImp() = default;
  // TRUE when it painted the whole pass itself.
  virtual BOOL DrawPass(CGXGridCore* grid, CDC* dc, void* paintContext) = 0;
  // The background pass the core reaches through CallOldDrawing.
  virtual void DrawBackgrounds(CGXGridCore* grid, void* paintContext, int pass) = 0;
};

// The size a cell's contents need, frame included.
class CGXAbstractCalcSizeImp {
 public:
  virtual ~CGXAbstractCalcSizeImp() = default;
  virtual CSize CalcSize(CGXControl* control, CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style,
                         const CGXStyle* standard, BOOL vertical) = 0;
};

// Update hints between the views of one document. The first operation
// replays a received hint; the senders follow it (no grid of this system
// belongs to a document, so none is reached here).
class CGXAbstractGridUpdateHintImp {
 public:
  virtual ~CGXAbstractGridUpdateHintImp() = default;
  virtual BOOL OnHint(CGXGridCore* grid, CObject* hint) = 0;
  virtual void HintUpdateReadOnly(CGXGridCore* grid, BOOL oldState) = 0;
  virtual void HintSetCurrentCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT flags) = 0;
  // TRUE when every other view could store or discard its edit.
  virtual BOOL HintTransferCurrentCell(CGXGridCore* grid, BOOL store, UINT flags) = 0;
  virtual void HintUpdateChangedRowCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) = 0;
  virtual void HintUpdateChangedColCount(CGXGridCore* grid, ROWCOL oldCount, UINT flags) = 0;
  virtual void HintUpdateFrozenCols(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) = 0;
  virtual void HintUpdateFrozenRows(CGXGridCore* grid, ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags) = 0;
  virtual void HintSetTopRow(CGXGridCore* grid, ROWCOL row, UINT flags) = 0;
  virtual void HintSetLeftCol(CGXGridCore* grid, ROWCOL col, UINT flags) = 0;
  virtual void HintUpdateInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) = 0;
  virtual void HintUpdateInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count, UINT flags) = 0;
  virtual void HintRedrawRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                UINT flags) = 0;
  virtual void HintRedraw(CGXGridCore* grid, UINT flags) = 0;
  virtual void HintRecalc(CGXGridCore* grid, CString* errorText) = 0;
  virtual void HintUpdateTabName(CGXGridCore* grid) = 0;
  virtual void HintSyncScroll(CGXGridCore* grid, int direction) = 0;
  virtual void HintRedrawSelectionChange(CGXGridCore* grid, const CGXRange& range, const CGXRangeList* oldList) = 0;
  virtual void HintSetFrameState(CGXGridCore* grid, BOOL state) = 0;
  virtual void HintRedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                     ROWCOL right) = 0;
  virtual void HintRedrawSelection(CGXGridCore* grid) = 0;
  virtual void HintUpdateChangedRowHeights(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) = 0;
  virtual void HintUpdateChangedColWidths(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) = 0;
  virtual void HintStoreZoom(CGXGridCore* grid, int percent) = 0;
  virtual void HintUpdateZoom(CGXGridCore* grid, int oldPercent, UINT flags) = 0;
  virtual void HintUpdateStyleRange(CGXGridCore* grid, const CGXRange& range, const CGXStyle* style, int mode,
                                    int storeKind, UINT flags) = 0;
  virtual void HintUpdateStylesMap(CGXGridCore* grid, UINT flags) = 0;
  virtual void HintUpdateProperties(CGXGridCore* grid, UINT flags) = 0;
  virtual void HintUpdateBaseStyle(CGXGridCore* grid, WORD id, UINT flags) = 0;
  virtual void HintRedrawWithCoveredCells(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                          UINT flags) = 0;
  virtual void HintRedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags) = 0;
  virtual void HintRedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags) = 0;
  virtual void HintUpdateMoveDataRows(CGXGridCore* grid, const CGXRange& range, UINT flags) = 0;
  virtual void HintUpdateMoveDataCols(CGXGridCore* grid, const CGXRange& range, UINT flags) = 0;
  virtual void HintUpdateRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) = 0;
  virtual void HintUpdateRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* old, UINT flags) = 0;
  virtual void HintUpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) = 0;
  virtual void HintUpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags) = 0;
};

// The spreadsheet-like fill handle.
class CGXAbstractGridExcelLikeFillImp {
 public:
  virtual ~CGXAbstractGridExcelLikeFillImp() = default;
  virtual BOOL OnStartFill(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnTrackFill(CGXGridCore* grid, POINT point, UINT keys, ROWCOL row, ROWCOL col) = 0;
  virtual BOOL OnEndFill(CGXGridCore* grid, POINT point, UINT keys) = 0;
  virtual void CancelFill(CGXGridCore* grid) = 0;
  virtual void DrawFillFrame(CGXGridCore* grid, const CGXRange& target, BOOL erase, BOOL draw) = 0;
  virtual BOOL FillRange(CGXGridCore* grid, const CGXRange& source, const CGXRange& target) = 0;
  virtual void SelectFilledRange(CGXGridCore* grid, const CGXRange& target) = 0;
};

// Repaints only what moved after rows or columns were inserted, removed or
// resized; without it the core repaints everything. Old sizes are pixel
// arrays for from..to, or null.
class CGXAbstractGridOptimizedUpdateImp {
 public:
  virtual ~CGXAbstractGridOptimizedUpdateImp() = default;
  virtual void InsertedRows(CGXGridCore* grid, ROWCOL row, ROWCOL count, UINT flags) = 0;
  virtual void InsertedCols(CGXGridCore* grid, ROWCOL col, ROWCOL count, UINT flags) = 0;
  virtual void RemovedRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldHeights, UINT flags) = 0;
  virtual void RemovedCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldWidths, UINT flags) = 0;
  virtual void ChangedRowHeights(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldHeights, UINT* flags) = 0;
  virtual void ChangedColWidths(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldWidths, UINT* flags) = 0;
};
