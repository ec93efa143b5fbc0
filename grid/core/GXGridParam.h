// The state that every view of one grid shares: data object, styles map and
// properties, selection and covered cells, undo and redo lists, sizes,
// frozen and header rows and columns, and the option words.
#pragma once

#include "grid/core/GXCommand.h"
#include "grid/core/GXData.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXRange.h"
#include "grid/core/GXStylesMap.h"
#include "platform/Afx.h"
#include "platform/base/Collections.h"

class CGXAppData;

class CGXGridParam : public CObject {
  DECLARE_SERIAL(CGXGridParam)

 public:
  CGXGridParam();
  CGXGridParam(const CGXGridParam&) = delete;
  CGXGridParam& operator=(const CGXGridParam&) = delete;
  ~CGXGridParam() override;

  void Serialize(CArchive& ar) override;
  virtual void CopyFrom(const CGXGridParam& other);

  void SetProperties(CGXProperties* properties, BOOL owned = TRUE);
  void SetStylesMap(CGXStylesMap* map, BOOL owned = TRUE);
  void SetData(CGXData* data, BOOL owned = TRUE);
  CGXProperties* GetProperties() const { return m_pProperties; }
  CGXStylesMap* GetStylesMap() const { return m_pStylesMap; }
  CGXData* GetData() const { return m_pData; }

  CObList& GetUndoList() { return m_UndoList; }
  CObList& GetRedoList() { return m_RedoList; }
  void EmptyRedoList();
  void EmptyUndoList();

  void EnsureCoveredCellPool();
  void UpdateCoveredCellPool();

  void SetAllowSelection(WORD mask) { m_wAllowSelection = mask; }
  BOOL TestSelectionAllowed(WORD bits) const { return (m_wAllowSelection & bits) != 0; }
  BOOL GetMoveColsOption() const { return m_bMoveCols; }
  BOOL TestRowResizeFlags(WORD bits) const { return (m_wRowResize & bits) != 0; }
  BOOL TestColResizeFlags(WORD bits) const { return (m_wColResize & bits) != 0; }
  BOOL TestSelectionFlags(WORD bits) const { return (m_wSelectionFlags & bits) != 0; }
  void EnableUndo(BOOL enable) { m_bUndoEnabled = enable; }
  BOOL GetParamOption() const { return m_bRenameOption; }
  void SetClickActivateMode(WORD mode) { m_wActivateCell = mode; }
  void SetReadOnlyGuard(BOOL on) { m_bReadOnlyGuard = on; }

  CGXAppData* m_pAppData;
  BOOL m_bNumberedRowHeaders = TRUE;
  BOOL m_bNumberedColHeaders = TRUE;
  int m_nDropDownHeight = 100;
  BOOL m_bActivateView = FALSE;
  BOOL m_bNoBackgroundPass = FALSE;
  // Cells draw on whatever lies below the grid: the old drawing path, which
  // leaves the backgrounds alone.
  BOOL m_bTransparentBackground = FALSE;
  WORD m_wUndoRemovedRows = 3;
  WORD m_wUndoRemovedCols = 3;
  int m_nMinRowEnd = 0;
  int m_nMinColEnd = 0;
  WORD m_wActivateCell = 1;
  WORD m_wAllowSelection = 255;
  BOOL m_bMoveCols = TRUE;
  BOOL m_bMoveRows = TRUE;
  WORD m_wRowResize = 0xB2;
  WORD m_wColResize = 0xB2;
  WORD m_wSelectionFlags = 0;
  BOOL m_bThumbTrack = TRUE;
  BOOL m_bReadOnlyGuard = TRUE;
  BOOL m_bMinimalRepaint = TRUE;
  WORD m_wFloatCellsMode = 0;
  WORD m_wMergeCellsMode = 0;
  BOOL m_bPrinterZoom = FALSE;
  WORD m_wCurrentCellFrame = 2;
  WORD m_wComposeAllFirst = 0;
  ROWCOL m_nHeaderRows = 0;
  ROWCOL m_nHeaderCols = 0;
  BOOL m_bStepPastTopRow = TRUE;
  CString m_sSheetName;
  ROWCOL m_nFrozenRows = 0;
  ROWCOL m_nFrozenCols = 0;
  DWORD m_freezeBookkeeping[6] = {};
  BOOL m_bSendCurrentCellHints = FALSE;
  // Every view follows a zoom, not only the panes of the zoomed splitter.
  BOOL m_bShareZoom = FALSE;
  ROWCOL m_nSharedCurrentRow = 1;
  ROWCOL m_nSharedCurrentCol = 1;
  int m_nUndoLimit = 512;
  WORD m_wEnterDirection = 4;
  CGXRangeList m_SelRects;
  CGXRangeList m_CoveredCellsList;
  CObject* m_pCoveredCellPool = nullptr;
  // The span-cell and delayed-range pools of floating cells (and their
  // printing counterparts) and of merged cells, made by the application-wide
  // pool features; the parameter object deletes them.
  CObject* m_pFloatSpanPool = nullptr;
  CObject* m_pFloatDelayedPool = nullptr;
  CObject* m_pPrintFloatSpanPool = nullptr;
  CObject* m_pPrintFloatDelayedPool = nullptr;
  CObject* m_pMergeHorzPool = nullptr;
  CObject* m_pMergeVertPool = nullptr;
  CObject* m_pMergeDelayedPool = nullptr;
  BOOL m_bOwnProperties = FALSE;
  CGXProperties* m_pProperties = nullptr;
  BOOL m_bOwnStylesMap = FALSE;
  CGXStylesMap* m_pStylesMap = nullptr;
  BOOL m_bOwnData = FALSE;
  CGXData* m_pData = nullptr;
  BOOL m_bOwnPrintDevice = FALSE;
  CObject* m_pPrintDevice = nullptr;
  BOOL m_bReadOnly = FALSE;
  BOOL m_bRenameOption = TRUE;
  CObList m_UndoList;
  CObList m_RedoList;
  int m_nUndoNesting = 0;
  BOOL m_bUndoEnabled = TRUE;
  // Hidden rows and columns: bit i is bit i % 8 of byte i / 8; bits past
  // the end are clear (kept by the hide-cells feature).
  CByteArray m_abHiddenRows;
  CByteArray m_abHiddenCols;
  CGXMapDWordToLong m_RowHeights;
  CGXMapDWordToLong m_ColWidths;
  LONG m_nDefaultRowHeight = 1200;
  LONG m_nDefaultColWidth = 10000;
  BOOL m_bLockRedraw = FALSE;
  BOOL m_bLinesAtRightBottom = FALSE;
  WORD m_wGridLineStyle = 0;
  BOOL m_bCurrentCellSelected = FALSE;
  BOOL m_bSpreadsheetFrame = FALSE;
  BOOL m_bMarkSelectedHeaders = FALSE;
  BOOL m_bFillOption = FALSE;
  BOOL m_bSortColsByRowHeader = FALSE;
  BOOL m_bSortRowsByColHeader = FALSE;
  ROWCOL m_nLastSortRow = static_cast<ROWCOL>(-1);
  ROWCOL m_nLastSortCol = static_cast<ROWCOL>(-1);
  BOOL m_bReverseNextSort = FALSE;
  BOOL m_bDirectCopy = FALSE;
  BOOL m_bDeferredCut = FALSE;
  // Switched on with the other formula options by a formula data object;
  // nothing else in this system reads it.
  BOOL m_bFormulaData = FALSE;
  BOOL m_bCutPending = FALSE;
  CGXRangeList m_PendingRanges;
  WORD m_wEditOptions = 0;
  CGXRangeList m_RecalcRanges;
  CObArray m_ChoiceKeyMaps;
  CObArray m_ChoiceTextMaps;
  int m_nChoiceListChanges = 0;
  // The title printed for the "$R" token of page headers and footers.
  CString m_sTitle;
  // Options the grid document archive carries for grids of other programs
  // sharing the library; no grid of this system reads them. In archive
  // order, with their defaults.
  struct ArchivedOptions {
    BYTE options1[2] = {1, 1};
    BYTE coreFlag = 0;
    BYTE cursorOption = 0;
    BYTE oldDrawing = 0;
    BYTE option2 = 1;
    WORD activateOption = 2;
    WORD options3[3] = {};
    BYTE option4 = 1;
    BYTE options5[2] = {};
    DWORD options6[3] = {};
    BYTE ignoreZoom = 0;
    DWORD option7 = 512;
    BYTE option8 = 0;
    BYTE options9[3] = {};
    WORD option10 = 0;
    BYTE option11 = 0;
  } m_archived;
};
