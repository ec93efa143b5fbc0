// Interfaces of the per-grid feature objects that the core forwards to.
// Every operation receives the grid first; the objects come with the
// feature library and are owned by the grid's auto-delete list.
#pragma once

#include "grid/core/GXRange.h"
#include "platform/Afx.h"
#include "platform/CString.h"

class CGXGridCore;
class CGXCommand;
class CGXRangeList;
class CGXStyle;
class CCmdUI;
class CDC;

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
  virtual void OnBeginPrinting(CGXGridCore* grid, CDC* dc, void* info) = 0;
  virtual void OnPrint(CGXGridCore* grid, CDC* dc, void* info) = 0;
  virtual void OnEndPrinting(CGXGridCore* grid, CDC* dc, void* info) = 0;
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
