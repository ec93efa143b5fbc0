// Interfaces of the application-wide feature objects that the grid core
// hands work to. The objects themselves come with the feature library;
// with a slot empty, the core does what the feature's absence asks.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "grid/core/GXRange.h"

class CGXStyle;
class CDC;
class CGXGridCore;
class CGXCommand;
class CGXStylesMap;
class CCmdUI;
class CGXFont;
class CGXProperties;
class CGXData;
class CGXGridParam;
class CGXRangeList;
class CGXRange;
struct CGXStyleInterior;
struct CGXStyleBorder;

class CGXNumberFormattingImp {
 public:
  virtual ~CGXNumberFormattingImp() = default;
  // 0: the display text of a value by the style's Format and Places.
  virtual CString FormatDisplayText(const CGXStyle& style, LPCTSTR value, unsigned valueType, unsigned format,
                                    unsigned places) = 0;
  // 1: parses a displayed number; FALSE when the text is none.
  virtual BOOL TextToNumber(LPCTSTR text, double& number, BOOL mode1, BOOL mode2) = 0;
};

class CGXStyleSerializeImp {
 public:
  virtual ~CGXStyleSerializeImp() = default;
  virtual void SerializeFont(CGXFont& font, CArchive& ar) = 0;
  virtual void SerializeInterior(CGXStyleInterior& interior, CArchive& ar) = 0;
  virtual void SerializeBorder(CGXStyleBorder& border, CArchive& ar) = 0;
  virtual void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* map) = 0;
};

class CGXAbstractStyleCompareSubsetImp {
 public:
  virtual ~CGXAbstractStyleCompareSubsetImp() = default;
  virtual BOOL ContainsStyle(const CGXStyle& style, const CGXStyle& subset) = 0;
};

class CGXGridProfileImp {
 public:
  virtual ~CGXGridProfileImp() = default;
  virtual void WriteStylesMap(CGXStylesMap& map) = 0;
  virtual void WriteFont(const CGXFont& font, LPCTSTR section, LPCTSTR key) = 0;
  virtual void WriteStyle(const CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) = 0;
  virtual void WriteProperties(CGXProperties& properties) = 0;
  virtual BOOL ReadStylesMap(CGXStylesMap& map) = 0;
  virtual BOOL ReadFont(CGXFont& font, LPCTSTR section, LPCTSTR key) = 0;
  virtual BOOL ReadStyle(CGXStyle& style, LPCTSTR section, const CGXStylesMap* map) = 0;
  virtual BOOL ReadProperties(CGXProperties& properties) = 0;
};

class CGXGridDocSerializeImp {
 public:
  virtual ~CGXGridDocSerializeImp() = default;
  virtual void SerializeStylesMap(CGXStylesMap& map, CArchive& ar) = 0;
  virtual void SerializeData(CGXData& data, CArchive& ar) = 0;
  virtual void SerializeRowArrays(CObject& arrays, CArchive& ar) = 0;
  virtual void SerializeStyleArray(CObject& styles, CArchive& ar) = 0;
  virtual void SerializeProperties(CGXProperties& properties, CArchive& ar) = 0;
  virtual void SerializeParam(CGXGridParam& param, CArchive& ar) = 0;
};

class CGXAbstractGridParamCopyOperatorImp {
 public:
  virtual ~CGXAbstractGridParamCopyOperatorImp() = default;
  virtual void CopyParam(CGXGridParam& dest, const CGXGridParam& src) = 0;
  virtual void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) = 0;
  virtual void CopyProperties(CGXProperties& dest, const CGXProperties& src) = 0;
};

class CGXCoveredCellPoolImp {
 public:
  virtual ~CGXCoveredCellPoolImp() = default;
  virtual CObject* CreatePool(CGXGridParam& param) = 0;
  virtual void RebuildPool(CObject* pool, CGXRangeList& covered) = 0;
};

class CGXAbstractDataCopyMoveCellsImp {
 public:
  virtual ~CGXAbstractDataCopyMoveCellsImp() = default;
  virtual BOOL CopyCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol) = 0;
  virtual BOOL MoveCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol, CObject*& undo,
                         BOOL createUndo, int commandMode) = 0;
};

// Reorders the stored rows (columns) of a range for a sort: entry i of the
// order is the offset the row at offset i comes from.
class CGXAbstractGridSortMoveDataImp {
 public:
  virtual ~CGXAbstractGridSortMoveDataImp() = default;
  virtual BOOL MoveDataRows(CGXData& data, const CGXRange& range, const CDWordArray& order) = 0;
  virtual BOOL MoveDataCols(CGXData& data, const CGXRange& range, const CDWordArray& order) = 0;
};

// Long operations: the scope calls and the shared state the range store
// reads and writes.
class CGXLongOperationImp {
 public:
  virtual ~CGXLongOperationImp() = default;
  virtual void Start() = 0;
  virtual void End() = 0;
  virtual void ClearStatusText() = 0;
  virtual void SetProgress(DWORD done, DWORD total) = 0;
  virtual BOOL PollAbort(BOOL& aborted) = 0;
  virtual BOOL CheckElapsed() = 0;
  virtual BOOL PumpMessages() = 0;
  // The status text of the innermost scope.
  virtual void SetStatusText(LPCTSTR text) { (void)text; }

  BOOL rollbackPossible = FALSE;
  int percentDone = 0;
  BOOL rollbackRequested = FALSE;
};

// The command factory: makes the undo commands of the grid's changes and
// files them in the undo or redo list.
class CGXAbstractCommandFactory {
 public:
  virtual ~CGXAbstractCommandFactory() = default;
  // A command that restores the cells of a range from the styles collected
  // before a range store (owning the array and its styles).
  virtual CGXCommand* CreateSetStyleRangeCommand(const CGXRange& range, int storeKind, CObArray* styles) = 0;
  virtual CGXCommand* CreateChangeStylesMapCommand(const CGXStylesMap& current) = 0;
  virtual CGXCommand* CreateChangePropertiesCommand(const CGXProperties& current) = 0;
  virtual CGXCommand* CreateChangeBaseStyleCommand(WORD id, const CGXStyle& current, LPCTSTR name) = 0;
  // Switching, taking, replaying and discarding the data object's own
  // undo information.
  virtual BOOL EnableDataUndo(CGXGridCore* grid, BOOL enable) = 0;
  virtual CObject* GetDataUndoInfo(CGXGridCore* grid) = 0;
  virtual BOOL ApplyDataUndoInfo(CGXGridCore* grid, CObject* info, BOOL createUndo, BOOL flag) = 0;
  virtual void DiscardDataUndoInfo(CGXGridCore* grid) = 0;
  virtual BOOL ExecuteCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) = 0;
  // Files a command by command mode (0 undo list and empty redo list,
  // 2 redo list, 3 undo list).
  virtual void AddCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) = 0;
  virtual void RemoveCommand(CGXGridCore* grid, int commandMode) = 0;
  virtual BOOL Undo(CGXGridCore* grid) = 0;
  virtual BOOL Redo(CGXGridCore* grid) = 0;
  virtual void BeginTrans(CGXGridCore* grid, LPCTSTR name) = 0;
  virtual void CommitTrans(CGXGridCore* grid) = 0;
  virtual void Rollback(CGXGridCore* grid) = 0;
  virtual void ShowUndoneCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, BOOL redraw) = 0;
  virtual BOOL OnUpdateEditUndo(CGXGridCore* grid, CCmdUI* item) = 0;
  virtual BOOL OnUpdateEditRedo(CGXGridCore* grid, CCmdUI* item) = 0;

  // Commands of the row and column operations (`rows` FALSE: columns). A
  // factory that makes none of them answers null and nothing is filed.
  // Sizes are arrays of new[]; a command takes over the arrays given.
  virtual CGXCommand* CreateSetSizesCommand(BOOL rows, ROWCOL from, ROWCOL to, int* oldSizes) {
    (void)rows, (void)from, (void)to, (void)oldSizes;
    return nullptr;
  }
  virtual CGXCommand* CreateSetDefaultSizeCommand(BOOL rows, int oldSize) {
    (void)rows, (void)oldSize;
    return nullptr;
  }
  virtual CGXCommand* CreateSetFrozenCommand(BOOL rows, ROWCOL oldFrozen, ROWCOL oldHeader) {
    (void)rows, (void)oldFrozen, (void)oldHeader;
    return nullptr;
  }
  // Undoes a sort: puts the rows (columns) of the range back in the order
  // given (entry i: the offset of the row that goes to offset i); the
  // command takes the array.
  virtual CGXCommand* CreateMoveDataCommand(BOOL rows, const CGXRange& range, CDWordArray* order) {
    delete order;
    (void)rows, (void)range;
    return nullptr;
  }
  // Undoes a move of cells: `range` is where they came from; the command
  // takes the information on the cells the move overwrote.
  virtual CGXCommand* CreateMoveCellsCommand(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* info) {
    delete info;
    (void)range, (void)destRow, (void)destCol;
    return nullptr;
  }
  // Undoes an insertion.
  virtual CGXCommand* CreateRemoveRowsCommand(BOOL rows, ROWCOL from, ROWCOL to) {
    (void)rows, (void)from, (void)to;
    return nullptr;
  }
  // Undoes a removal: the rows come back with their sizes, cell styles
  // (crossCount to a row) and base styles.
  virtual CGXCommand* CreateInsertRowsCommand(BOOL rows, ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles,
                                              CObArray* baseStyles, ROWCOL crossCount) {
    (void)rows, (void)at, (void)count, (void)sizes, (void)cellStyles, (void)baseStyles, (void)crossCount;
    return nullptr;
  }
  // Collects what undoing a removal needs; FALSE refuses the removal.
  virtual BOOL CollectRemovedRows(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, CObArray*& cellStyles,
                                  CObArray*& baseStyles) {
    (void)grid, (void)rows, (void)from, (void)to;
    cellStyles = baseStyles = nullptr;
    return TRUE;
  }
};

// The application-wide pools of spanned cells and of ranges queued for
// re-evaluation, the printer settings and the older archive format: their
// features give these interfaces their operations.
class CGXSpanCellPool;
class CGXDelayedRangePool;

// Makes and copies the pools of spanned cells, and keeps them in step with
// inserted, removed and moved rows and columns (a null pool is left alone).
class CGXAbstractSpanCellPoolImp {
 public:
  virtual ~CGXAbstractSpanCellPoolImp() = default;
  virtual CGXSpanCellPool* CreateCopy(const CGXSpanCellPool* source) = 0;
  virtual CGXSpanCellPool* Create() = 0;
  virtual void Assign(CGXSpanCellPool* target, const CGXSpanCellPool* source) = 0;
  virtual void InsertRows(CGXSpanCellPool* pool, ROWCOL row, ROWCOL count) = 0;
  virtual void RemoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) = 0;
  virtual void MoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
  virtual void InsertCols(CGXSpanCellPool* pool, ROWCOL col, ROWCOL count) = 0;
  virtual void RemoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) = 0;
  virtual void MoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) = 0;
};

// Makes and copies the pools of areas queued for re-evaluation.
class CGXAbstractDelayedRangePoolImp {
 public:
  virtual ~CGXAbstractDelayedRangePoolImp() = default;
  virtual CGXDelayedRangePool* CreateCopy(const CGXDelayedRangePool* source) = 0;
  virtual CGXDelayedRangePool* Create() = 0;
  virtual void Assign(CGXDelayedRangePool* target, const CGXDelayedRangePool* source) = 0;
};

// The printer of a grid's own printer settings (grid/features/GXPrintDevice.h).
class CGXPrintDevice;
class CPrintDialog;
class CView;
struct CPrintInfo;

class CGXAbstractPrintDeviceImp {
 public:
  virtual ~CGXAbstractPrintDeviceImp() = default;
  virtual void MakeApplicationPrinter(CGXPrintDevice* device) = 0;
  virtual INT_PTR PrinterSetup(CGXPrintDevice* device, CPrintDialog* dialog) = 0;
  virtual BOOL PreparePrinting(CView* view, CGXPrintDevice* device, CPrintInfo* info) = 0;
  virtual void SetDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) = 0;
  virtual void SetDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode,
                             DWORD devModeSize) = 0;
  virtual void FreeDevice(CGXPrintDevice* device) = 0;
  // Copies of two blocks' bytes (empty for a missing block).
  virtual void CopyBlocks(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode, CByteArray& devNamesCopy,
                          CByteArray& devModeCopy) = 0;
  virtual void GetDefaultPrinter(CGXPrintDevice* device) = 0;
  virtual HDC GetPrinterDC(CGXPrintDevice* device) = 0;
  virtual void ReleasePrinterDC(CGXPrintDevice* device) = 0;
  virtual void GiveApplicationCopies(CGXPrintDevice* device, HGLOBAL& devNames, HGLOBAL& devMode) = 0;
  virtual BOOL IsSameDevice(CGXPrintDevice* device, HGLOBAL devNames, HGLOBAL devMode) = 0;
  virtual BOOL CompareDeviceData(CGXPrintDevice* device, const BYTE* devNames, DWORD devNamesSize, const BYTE* devMode,
                                 DWORD devModeSize) = 0;
};

// Reads the user attributes of styles archived in the older layout.
class CGXAbstractSerializeQVX5CompatibleImp {
 public:
  virtual ~CGXAbstractSerializeQVX5CompatibleImp() = default;
  virtual void SerializeUserAttributes(CGXStyle& style, CArchive& ar) = 0;
};

// Text drawn turned by the font's escapement.
class CGXAbstractDrawRotatedTextImp {
 public:
  virtual ~CGXAbstractDrawRotatedTextImp() = default;
  virtual int DrawRotatedText(CDC* dc, LPCTSTR text, int length, const RECT& rect, UINT format, LONG angle,
                              LPCRECT clip) = 0;
};

// Date and time reading and writing by the user's locale.
struct GXTimestamp {
  short year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  DWORD fraction = 0;
};

class CTime;

class CGXAbstractDateTimeImp {
 public:
  virtual ~CGXAbstractDateTimeImp() = default;
  // Reads the locale's date and time settings again.
  virtual void RefreshLocale() = 0;
  // 0 day-month-year, 1 month-day-year, 2 year-month-day, 3 not known.
  virtual int GetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator) = 0;
  virtual TCHAR GetTimeSeparator(BOOL refresh) = 0;
  virtual BOOL ParseTimestamp(GXTimestamp& out, LPCTSTR text, int order) = 0;
  virtual BOOL ParseTm(struct tm& out, LPCTSTR text, int order) = 0;
  virtual void FormatTimestamp(CString& out, const GXTimestamp& value) = 0;
  virtual void FormatTime(CString& out, const CTime& value) = 0;
};

class CWnd;

// Sheet names of the windows a tab window holds, read and set through any
// sheet window; the tab window puts itself here when the first one is made.
class CGXAbstractTabWndInterface {
 public:
  virtual ~CGXAbstractTabWndInterface() = default;
  // Sets (set TRUE) or reads the name of the sheet that is `sheet`; FALSE
  // when no tab window holds it.
  virtual BOOL GetSetSheetName(CWnd* sheet, CString& name, BOOL set) = 0;
  // The name of tab `index` of the tab window that holds `sheet`.
  virtual CString GetSheetName(CWnd* sheet, int index) = 0;
};
