// The grid engine: everything a grid does except owning a window. It is
// bound to a parameter object that holds the shared state, composes what a
// cell shows from layered styles, and stores styles into the data object.
// Virtual operations are declared in their fixed slot order, because
// derived grids and the feature objects rely on it.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <map>
#include <vector>

#include "grid/core/GXAppData.h"
#include "grid/core/GXFeatures.h"
#include "grid/core/GXGridFeatures.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXLongOperation.h"
#include "grid/core/GXMoveDirection.h"
#include "grid/core/GXRange.h"
#include "grid/core/GXStyle.h"
#include "platform/Afx.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/GdiObject.h"

class CDocument;
class CGXControl;
class CGXNoToolTipCtrlProxy;
class CGXPluginComponent;
class CScrollBar;
struct CPrintInfo;
struct GXCellMove;
struct GXCurrentCellChange;
struct GXPaintContext;

// Switches the spreadsheet-like selection frame off for a scope (around row
// and column operations) and restores its state afterwards.
class CGXFrameStateSaver {
 public:
  explicit CGXFrameStateSaver(CGXGridCore* grid);
  ~CGXFrameStateSaver();
  CGXFrameStateSaver(const CGXFrameStateSaver&) = delete;
  CGXFrameStateSaver& operator=(const CGXFrameStateSaver&) = delete;

 private:
  CGXGridCore* grid_;
  BOOL oldState_;
};

class CGXGridCore {
 public:
  // Store kinds and command modes of the changing operations.
  static constexpr int kStoreBase = -1, kStoreCell = 0, kStoreCellNumber = 1;
  static constexpr int kRecordUndo = 0, kNoUndo = 1, kAsUndo = 2, kAsRedo = 3;
  // A store without style that removes a cell's style altogether.
  static constexpr int kRemoveStyle = 4;

  explicit CGXGridCore(CWnd* window = nullptr, CDocument* document = nullptr, BOOL further = FALSE);
  CGXGridCore(const CGXGridCore&) = delete;
  CGXGridCore& operator=(const CGXGridCore&) = delete;

  // ---- virtual operations, in their fixed slot order (begin) ----
  virtual ~CGXGridCore();
  virtual void SetPrintDC(CDC* dc, BOOL recalc = TRUE);
  virtual void SetModifiedFlag(BOOL modified);
  virtual void PrepareDC(CDC* dc, BOOL printing = FALSE);
  // Update hints between the views of one document: sent to the other views
  // only while hints are on and the grid belongs to a document (no grid of
  // this system does); a received hint is replayed by the hint feature.
  virtual void SendHintToDocument(CWnd* sender, LPARAM hintId, CObject* hint);
  virtual void Initialize();
  virtual BOOL OnActivateGrid(BOOL activate);
  virtual void ReceiveHint(CWnd* sender, LPARAM hintId, CObject* hint);
  virtual BOOL ApplyStyleToRange(const CGXRange& range, const CGXStyle* style, int mode, int storeKind,
                                 CObArray* styles, UINT redrawFlags, int commandMode);
  virtual BOOL FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind);
  virtual CObArray* CollectRangeStyles(const CGXRange& range, int storeKind, CGXLongOperation* scope);
  // The composed style of a cell, owned by the grid until the caches are
  // next released.
  virtual const CGXStyle& GetCachedCellStyle(ROWCOL row, ROWCOL col);
  virtual void ComposeStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, BOOL withStandard = TRUE);
  virtual BOOL StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind);
  virtual void UpdateStyleRange(const CGXRange& range, const CGXStyle* style, int mode, int storeKind,
                                UINT redrawFlags, BOOL sendHint);
  virtual CGXStyle* CreateScratchStyle();
  virtual void RecycleScratchStyle(CGXStyle* style);
  virtual BOOL ChangeStylesMap(const CGXStylesMap& map, UINT redrawFlags, int commandMode);
  virtual void UpdateStylesMap(UINT redrawFlags, BOOL sendHint);
  virtual BOOL ChangeProperties(const CGXProperties& properties, UINT redrawFlags, int commandMode);
  virtual void UpdateProperties(UINT redrawFlags, BOOL sendHint);
  virtual BOOL ChangeBaseStyle(WORD id, const CGXStyle& style, int mode, UINT redrawFlags, int commandMode);
  virtual void UpdateBaseStyle(WORD id, UINT redrawFlags, BOOL sendHint);
  // Rows and columns: most row operations have their column twin right
  // after them.
  virtual BOOL SetRowCount(ROWCOL count, UINT flags = 1);
  virtual BOOL SetColCount(ROWCOL count, UINT flags = 1);
  virtual ROWCOL GetRowCount();
  virtual ROWCOL GetColCount();
  virtual BOOL StoreRowCount(ROWCOL count);
  virtual BOOL StoreColCount(ROWCOL count);
  virtual void UpdateRowCount(ROWCOL oldCount, UINT flags, BOOL sendHint);
  virtual void UpdateColCount(ROWCOL oldCount, UINT flags, BOOL sendHint);
  virtual BOOL RemoveRows(ROWCOL from, ROWCOL to, UINT flags = 1, int commandMode = 0);
  virtual BOOL RemoveCols(ROWCOL from, ROWCOL to, UINT flags = 1, int commandMode = 0);
  virtual BOOL MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags = 1, int commandMode = 0);
  virtual BOOL MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags = 1, int commandMode = 0);
  virtual BOOL InsertRows(ROWCOL at, ROWCOL count, int* sizes = nullptr, CObArray* cellStyles = nullptr,
                          CObArray* baseStyles = nullptr, ROWCOL crossCount = 0, UINT flags = 1, int commandMode = 0);
  virtual BOOL InsertCols(ROWCOL at, ROWCOL count, int* sizes = nullptr, CObArray* cellStyles = nullptr,
                          CObArray* baseStyles = nullptr, ROWCOL crossCount = 0, UINT flags = 1, int commandMode = 0);
  virtual BOOL StoreInsertRows(ROWCOL at, ROWCOL count, BOOL force);
  virtual BOOL StoreInsertCols(ROWCOL at, ROWCOL count, BOOL force);
  virtual BOOL StoreRemoveRows(ROWCOL from, ROWCOL to, BOOL force);
  virtual BOOL StoreRemoveCols(ROWCOL from, ROWCOL to, BOOL force);
  virtual BOOL StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode);
  virtual BOOL StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, int commandMode);
  virtual void UpdateInsertRows(ROWCOL at, ROWCOL count, UINT flags, BOOL sendHint);
  virtual void UpdateInsertCols(ROWCOL at, ROWCOL count, UINT flags, BOOL sendHint);
  virtual void UpdateRemoveRows(ROWCOL from, ROWCOL to, int* oldSizes, UINT flags, BOOL sendHint);
  virtual void UpdateRemoveCols(ROWCOL from, ROWCOL to, int* oldSizes, UINT flags, BOOL sendHint);
  virtual void UpdateMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint);
  virtual void UpdateMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint);
  virtual BOOL SetFrozenRows(ROWCOL frozen, ROWCOL header = 0, UINT flags = 1, int commandMode = 0);
  virtual BOOL SetFrozenCols(ROWCOL frozen, ROWCOL header = 0, UINT flags = 1, int commandMode = 0);
  virtual ROWCOL GetFrozenRows();
  virtual ROWCOL GetFrozenCols();
  virtual ROWCOL GetHeaderRows();
  virtual ROWCOL GetHeaderCols();
  virtual BOOL StoreFrozenRows(ROWCOL frozen, ROWCOL header);
  virtual BOOL StoreFrozenCols(ROWCOL frozen, ROWCOL header);
  virtual void UpdateFrozenRows(ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags, BOOL sendHint);
  virtual void UpdateFrozenCols(ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags, BOOL sendHint);
  // Sorting: the keys' type 3 is replaced by the type detected. The order
  // of a reordering holds, at offset i, the offset the row (column) came
  // from.
  virtual void SortRows(CGXRange range, CGXSortInfoArray& keys, UINT flags = 1);
  virtual BOOL MoveDataRows(const CGXRange& range, const CDWordArray& order, UINT flags = 1,
                            int commandMode = kRecordUndo);
  virtual BOOL StoreMoveDataRows(const CGXRange& range, const CDWordArray& order);
  virtual void UpdateMoveDataRows(const CGXRange& range, UINT flags, BOOL sendHint = TRUE);
  virtual void GetSortKeyRow(ROWCOL row, const CGXSortInfoArray& keys, std::vector<CString>& texts);
  virtual void SortCols(CGXRange range, CGXSortInfoArray& keys, UINT flags = 1);
  virtual BOOL MoveDataCols(const CGXRange& range, const CDWordArray& order, UINT flags = 1,
                            int commandMode = kRecordUndo);
  virtual BOOL StoreMoveDataCols(const CGXRange& range, const CDWordArray& order);
  virtual void UpdateMoveDataCols(const CGXRange& range, UINT flags, BOOL sendHint = TRUE);
  virtual void GetSortKeyCol(ROWCOL col, const CGXSortInfoArray& keys, std::vector<CString>& texts);
  virtual void SortKeyArray(std::vector<CGXSortRecord>& records, const CGXSortInfoArray& keys);
  // The text a cell sorts by, as its control gives it.
  virtual void GetSortKey(CGXControl* control, ROWCOL row, ROWCOL col, void* sortInfo, const CGXStyle& style,
                          CString& key);
  virtual void SetTopRow(ROWCOL row, UINT flags = 1, BOOL sendHint = TRUE);
  virtual void SetLeftCol(ROWCOL col, UINT flags = 1, BOOL sendHint = TRUE);
  virtual BOOL OnSelDragStart(ROWCOL row, ROWCOL col);
  virtual BOOL OnSelDragMove(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual BOOL OnSelDragDrop(ROWCOL from, ROWCOL to, ROWCOL dest);
  virtual void OnSelDragCancel();
  virtual BOOL CanSelDragRows();
  virtual BOOL CanSelDragCols();
  virtual BOOL CanSelDragMoveRows();
  virtual BOOL CanSelDragMoveCols();
  virtual BOOL CanSelDropRows();
  virtual BOOL CanSelDropCols();
  // The same questions with the dragged block and the drop target, for
  // grids that allow some blocks or places only; by default they ask the
  // ones above.
  virtual BOOL OnStartDragRows(ROWCOL top, ROWCOL bottom);
  virtual BOOL OnStartDragCols(ROWCOL left, ROWCOL right);
  virtual BOOL CanDropRows(ROWCOL top, ROWCOL bottom, ROWCOL target);
  virtual BOOL CanDropCols(ROWCOL left, ROWCOL right, ROWCOL target);
  virtual BOOL OnDropRows(ROWCOL top, ROWCOL bottom, ROWCOL target);
  virtual BOOL OnDropCols(ROWCOL left, ROWCOL right, ROWCOL target);
  // Sizes: pixels in, pixels out; stored in thousandths of a character.
  virtual BOOL SetRowHeight(ROWCOL from, ROWCOL to, int height, int* heights = nullptr, UINT flags = 1,
                            int commandMode = 0);
  virtual BOOL SetColWidth(ROWCOL from, ROWCOL to, int width, int* widths = nullptr, UINT flags = 1,
                           int commandMode = 0);
  virtual BOOL SetDefaultRowHeight(int height, UINT flags = 1, int commandMode = 0);
  virtual BOOL SetDefaultColWidth(int width, UINT flags = 1, int commandMode = 0);
  virtual int GetRowHeight(ROWCOL row);
  virtual int GetColWidth(ROWCOL col);
  virtual int GetDefaultRowHeight();
  virtual int GetDefaultColWidth();
  virtual BOOL HideRows(ROWCOL from, ROWCOL to, BOOL hide = TRUE, UINT flags = 1, int commandMode = 0);
  virtual BOOL HideCols(ROWCOL from, ROWCOL to, BOOL hide = TRUE, UINT flags = 1, int commandMode = 0);
  virtual BOOL IsRowHidden(ROWCOL row);
  virtual BOOL IsColHidden(ROWCOL col);
  virtual BOOL ResizeRowHeightsToFit(const CGXRange& range, BOOL growOnly = FALSE, UINT flags = 1);
  virtual BOOL ResizeColWidthsToFit(const CGXRange& range, BOOL growOnly = FALSE, UINT flags = 1);
  virtual BOOL StoreHideRow(ROWCOL row, BOOL hide);
  virtual BOOL StoreHideCol(ROWCOL col, BOOL hide);
  virtual BOOL StoreDefaultRowHeight(int height);
  virtual BOOL StoreDefaultColWidth(int width);
  virtual BOOL StoreColWidth(ROWCOL col, int width);
  virtual BOOL StoreRowHeight(ROWCOL row, int height);
  virtual void UpdateChangedColWidths(ROWCOL from, ROWCOL to, int* oldWidths, UINT flags, BOOL sendHint);
  virtual void UpdateChangedRowHeights(ROWCOL from, ROWCOL to, int* oldHeights, UINT flags, BOOL sendHint);
  virtual int GetFontHeight();
  virtual int GetFontWidth();
  virtual int HitTest(CPoint point, ROWCOL* row = nullptr, ROWCOL* col = nullptr, CRect* rect = nullptr);
  virtual int HitTestSelectionEdge(ROWCOL row, ROWCOL col, CPoint point, const CRect& rect);
  virtual BOOL StartResizeTracking(ROWCOL row, ROWCOL col, int kind);
  virtual void MoveResizeTracking(UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col);
  virtual void EndResizeTracking(UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col);
  virtual void CancelResizeTracking();
  virtual BOOL CanResizeCols(ROWCOL col);
  virtual BOOL IsColResizable(ROWCOL col);
  virtual BOOL OnTrackColWidth(ROWCOL col, int width);
  virtual BOOL OnTrackColWidthEnd(ROWCOL col, int width);
  virtual BOOL CanResizeRows(ROWCOL row);
  virtual BOOL IsRowResizable(ROWCOL row);
  virtual BOOL OnTrackRowHeight(ROWCOL row, int height);
  virtual BOOL OnTrackRowHeightEnd(ROWCOL row, int height);
  virtual void SetZoom(int percent, UINT flags = 1);
  virtual BOOL SetReadOnly(BOOL readOnly);
  virtual int GetZoom();
  virtual BOOL IsReadOnly();
  virtual BOOL StoreZoom(int percent, BOOL sendHint);
  virtual BOOL StoreReadOnly(BOOL readOnly);
  virtual void UpdateZoom(int oldPercent, UINT flags, BOOL sendHint);
  virtual void UpdateReadOnly(BOOL oldState, BOOL sendHint);
  // The sheet name changed: other views of the document rename their tabs.
  void UpdateTabName(BOOL sendHint);
  virtual void OnMoveCurrentCellCommand(UINT command, LPARAM value);
  virtual BOOL CanDeactivateGrid(BOOL flag = FALSE);
  virtual BOOL CanRenameSheet(int tab);
  virtual void OnSheetRenamed(int tab);
  virtual void NotifyCellListeners();
  virtual ROWCOL GetSelectedRows(CDWordArray& rows, BOOL rangeRowsOnly = FALSE, BOOL useCurrentCell = TRUE);
  virtual BOOL GetSelectedRowIntervals(CDWordArray& firsts, CDWordArray& lasts, BOOL rangeRowsOnly = FALSE,
                                       BOOL useCurrentCell = TRUE);
  // The selection, through the user range selection feature (nothing
  // without it). A null position clears the selection.
  virtual void SetSelection(POSITION pos, ROWCOL top = 0, ROWCOL left = 0, ROWCOL bottom = 0, ROWCOL right = 0);
  virtual BOOL GetSelectedRanges(CGXRangeList& list, BOOL useCurrentCell = TRUE);
  virtual BOOL IsCellInList(ROWCOL row, ROWCOL col, const CGXRangeList& list);
  virtual void SelectRange(const CGXRange& range, BOOL select = TRUE, BOOL update = TRUE);
  // Selection forwarders (nothing without the features): one piece of the
  // spreadsheet-like frame; the range selection's list and redraw steps.
  virtual void DrawFrameOutline(CDC* dc, const CRect& clip, const CRect& frame, BOOL topVisible, BOOL leftVisible,
                                int handle, BOOL handleOnly);
  virtual BOOL StoreSelectRange(const CGXRange& range, BOOL select);
  virtual void UpdateSelectRange(const CGXRange& range, const CGXRangeList* oldList, BOOL sendHint);
  virtual void UpdateChangedSelection(POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                                      BOOL sendHint);
  virtual void RedrawSelection(BOOL sendHint);
  // Reports a changed selection through OnSelectionChanged.
  virtual BOOL NotifySelectionChanged(const CGXRange& range, BOOL flag1, BOOL flag2);
  // Repaints the headers of the data rows and columns when selected headers
  // are marked (the range and the flag are not needed for it).
  virtual void RedrawSelectionHeaders(const CGXRange* range, BOOL flag, BOOL sendHint);
  virtual BOOL CanSelectRange(const CGXRange& range, BOOL flag1, BOOL flag2, BOOL flag3, BOOL flag4);
  virtual void OnSelectionChanged(const CGXRange& range, BOOL flag1, BOOL flag2);
  virtual BOOL CanApplyFill(const CGXRange& range, BOOL flag1, BOOL flag2);
  virtual BOOL CanChangeFillRange(const CGXRange& current, const CGXRange& proposed);
  // The fill handle's work: fills `target` from `source`.
  virtual BOOL FillCells(const CGXRange& target, const CGXRange& source);
  virtual void SelectFilledRange(const CGXRange& range);
  virtual BOOL SetCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags = 1,
                                     int commandMode = 0);
  virtual CGXRange* GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range);
  virtual BOOL StoreCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL set);
  virtual void UpdateCoveredCellsRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags,
                                        BOOL sendHint);
  virtual void ExpandToCoveredCells(CGXRange& range);
  virtual BOOL CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats);
  virtual BOOL CanMergeCell(ROWCOL row, ROWCOL col, const CGXStyle& style, int direction);
  virtual BOOL CanMergeStyles(const CGXStyle& a, const CGXStyle& b);
  // The covered, merged or floated block of a cell, filled into `range`;
  // null when the cell lies in none.
  virtual CGXRange* GetCellSpanRange(ROWCOL row, ROWCOL col, CGXRange& range);
  virtual BOOL EvalVisibleSpans(CGXRange& range, ROWCOL frozenRows, ROWCOL frozenCols, ROWCOL topRow, ROWCOL leftCol,
                                ROWCOL lastRow, ROWCOL lastCol, BOOL flag1, BOOL flag2, BOOL flag3);
  virtual void OnFindNext(LPCTSTR text, BOOL down, BOOL matchCase);
  virtual void OnReplaceSel(LPCTSTR find, BOOL down, BOOL matchCase, LPCTSTR replace);
  virtual void OnReplaceAll(LPCTSTR find, LPCTSTR replace, BOOL matchCase);
  virtual void OnTextNotFound(LPCTSTR text);
  // Called for each row a column search or a replace-all steps to (with the
  // row after it), so that a grid filling its rows on demand can have them
  // ready; does nothing by default.
  virtual void OnSearchRow(ROWCOL row, int value);
  virtual void OnShowFindReplaceDialog(BOOL findOnly);
  virtual LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
  virtual BOOL Undo();
  virtual BOOL Redo();
  virtual void BeginTrans(LPCTSTR name);
  virtual void CommitTrans();
  virtual void Rollback();
  virtual BOOL OnUpdateEditUndo(CCmdUI* item);
  virtual BOOL OnUpdateEditRedo(CCmdUI* item);
  virtual void AddCommand(CGXCommand* command, int commandMode);
  virtual void RemoveCommand(int commandMode);
  virtual void ShowUndoneCell(ROWCOL row, ROWCOL col, BOOL redraw);
  virtual BOOL EnableDataUndo(BOOL enable);
  virtual CObject* GetDataUndoInfo();
  virtual BOOL ApplyDataUndoInfo(CObject* info, BOOL createUndo, BOOL flag);
  virtual void DiscardDataUndoInfo();
  virtual BOOL ExecuteCommand(CGXCommand* command, int commandMode);
  // Directions of DoScroll: 1 up, 2 left, 3 down, 4 right. Bars: 0
  // horizontal, 1 vertical, 3 both. Scroll-bar modes (bits): 1 always
  // shown, 2 shown when needed, 4 range only, 8 proportional thumb with the
  // top row (left column) pulled back so that no empty space follows.
  virtual BOOL ScrollCellInView(ROWCOL row, ROWCOL col, UINT flags = 1, BOOL withFloated = FALSE);
  virtual BOOL DoScroll(int direction, ROWCOL count);
  virtual void UpdateScrollbars(BOOL noRepaint = TRUE, BOOL onlyWhenCountsChanged = FALSE);
  virtual void SetScrollBarMode(int bar, UINT mode, BOOL apply = FALSE);
  virtual BOOL OnAutoScroll(int direction, ROWCOL count);
  virtual BOOL CanChangeLeftCol(ROWCOL col);
  // Veto points and notifications of scrolling.
  virtual BOOL CanChangeTopRow(ROWCOL row);
  virtual void OnLeftColChanged();
  virtual void OnTopRowChanged();
  // Positions and ranges in rows and columns; the window's bars hold them
  // divided by the bar's divisor, so that they fit 16-bit positions.
  virtual ROWCOL SetScrollPos(int bar, ROWCOL pos, BOOL redraw = TRUE);
  virtual BOOL SetScrollRange(int bar, ROWCOL minPos, ROWCOL maxPos, BOOL redraw = TRUE);
  virtual ROWCOL GetScrollPos(int bar);
  virtual ROWCOL GetScrollRange(int bar, ROWCOL* minPos, ROWCOL* maxPos);
  // Moving the current cell. Move flags: 0x02/0x04 update the window at
  // once, 0x08 scroll the cell into view, 0x10 activate its control, 0x20
  // leave the focus alone, 0x40 send no hint, 0x80 leave the selection.
  virtual BOOL SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags = 6);
  // Stores (TRUE) or discards the current cell's edit; FALSE when refused.
  virtual BOOL TransferCurrentCell(BOOL store = TRUE, UINT flags = 6, BOOL sendHint = TRUE);
  // Searches from (row, col) in `direction` (kMoveUp to kMoveRight)
  // for a cell that may become current: hidden rows and columns, cells
  // inside a covered block other than its first one, and disabled cells are
  // passed over. Writes the found cell back only on success.
  virtual BOOL FindNextCell(int direction, ROWCOL& row, ROWCOL& col);
  // Keys a cell's control passes on (those its window cannot use); the
  // grid's keyboard handling moves the current cell with them.
  virtual BOOL ProcessKeys(CWnd* sender, UINT message, UINT key, UINT repeat, UINT flags);
  virtual BOOL DoMoveCurrentCell(int direction, ROWCOL count = 1, BOOL maySelect = TRUE);
  // Forgets the current cell (storing a valid edit first when asked).
  virtual void ResetCurrentCell(BOOL store = TRUE);
  virtual void HideCurrentCell();
  virtual void SetWarningText(LPCTSTR text);
  virtual void ShowWarningText();
  virtual BOOL MoveCurrentCell(int direction, ROWCOL count = 1);
  // Veto points and notifications of editing a cell; TRUE lets it go on.
  virtual BOOL OnValidateCell(ROWCOL row, ROWCOL col);
  virtual BOOL OnStartEditing(ROWCOL row, ROWCOL col);
  virtual BOOL OnModifiedCell(ROWCOL row, ROWCOL col);
  virtual BOOL OnCancelEditing(ROWCOL row, ROWCOL col);
  virtual void OnCanceledEditing(ROWCOL row, ROWCOL col);
  virtual BOOL OnEndEditing(ROWCOL row, ROWCOL col);
  virtual BOOL OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol);
  virtual BOOL OnDeleteCell(ROWCOL row, ROWCOL col);
  virtual void CheckMovedCurrentCell(ROWCOL row, ROWCOL col);
  virtual void OnMovedCurrentCell(ROWCOL row, ROWCOL col);
  // Whether the current cell may be left (entering FALSE) or a cell entered.
  virtual BOOL CanSelectCell(BOOL entering, ROWCOL row, ROWCOL col, ROWCOL oldRow, ROWCOL oldCol);
  virtual BOOL ScrollCellsOnMove(int direction, ROWCOL count);
  // The editing veto points the cell controls call are those of the
  // current cell (above). Clicks on a cell: a derived grid overrides them.
  virtual BOOL OnLeftClickedCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnMiddleClickedCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnRightClickedCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnLeftDblClkCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnMiddleDblClkCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnRightDblClkCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual BOOL OnMouseOverCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point);
  virtual void OnCellButtonClicked(ROWCOL row, ROWCOL col);
  // Mouse actions on a cell; action flags: 4 press, 8 move, 0x10 release,
  // 0x100 the press was on the bound current cell.
  virtual BOOL OnLeftButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                      UINT keyFlags, UINT actionFlags);
  virtual BOOL OnMiddleButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                        UINT keyFlags, UINT actionFlags);
  virtual BOOL OnRightButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                       UINT keyFlags, UINT actionFlags);
  // The control bound to the current cell, or the control of the cell's
  // composed style.
  virtual CGXControl* GetControl(ROWCOL row, ROWCOL col);
  // The one control of an id in this grid, made by the control factory on
  // first use; id 0, or an id the factory cannot make, gives the default
  // control (null before initialising or without a factory).
  virtual CGXControl* GetRegisteredControl(WORD id);
  virtual BOOL SetRangeName(LPCTSTR name, const CGXRange& range, CObject* undo, int commandMode);
  virtual BOOL GetRangeName(LPCTSTR name, CGXRange& range);
  virtual BOOL DeleteRangeName(LPCTSTR name, int commandMode);
  virtual BOOL CopyRangeList(CGXRangeList& ranges, BOOL textOnly);
  virtual BOOL CopyRange(const CGXRange& range);
  virtual BOOL CopyTextToBuffer(CString& buffer, const CGXRangeList& ranges);
  virtual BOOL CopyStylesToArchive(CArchive& ar, const CGXRangeList& ranges);
  virtual BOOL GetCopyStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style);
  virtual CString GetCopyTextRowCol(ROWCOL row, ROWCOL col);
  virtual BOOL CutRangeList(CGXRangeList& ranges, BOOL textOnly);
  virtual BOOL ClearCells(CGXRangeList& ranges, BOOL valuesOnly);
  virtual BOOL PasteStylesFromArchive(CArchive& ar, const CGXRange& at);
  virtual BOOL PasteTextFromBuffer(LPCTSTR buffer, const CGXRange& at);
  virtual BOOL CalcTextBufferDimension(LPCTSTR buffer, ROWCOL& rows, ROWCOL& cols);
  // Stores a display text into a cell through the cell's control (composing
  // the style when none is given); the control's result.
  virtual BOOL SetControlTextRowCol(ROWCOL row, ROWCOL col, const CString& text, UINT flags = 1,
                                    const CGXStyle* style = nullptr);
  virtual BOOL PasteTextRowCol(ROWCOL row, ROWCOL col, const CString& text);
  virtual BOOL PasteDirectCopy(const CGXRange& at);
  virtual BOOL PasteClipboardText(const CGXRange& at);
  virtual BOOL IsPasteFormatAvailable();
  virtual BOOL StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol);
  // `undoInfo` is the address of the move's undo information, which the
  // data object may fill when `createUndo` is set.
  virtual BOOL StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undoInfo,
                              BOOL createUndo, int commandMode);
  virtual BOOL CopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, UINT flags = 1);
  // `undoInfo` is the undo information of a move being undone or redone
  // (null for a new move); the operation takes it over.
  virtual BOOL MoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* undoInfo = nullptr,
                         UINT flags = 1, int commandMode = kRecordUndo);
  virtual BOOL CutPasteOp13();
  virtual BOOL OnSelectionEdgeClick(ROWCOL row, ROWCOL col);
  virtual BOOL EdgeDragOp5();
  virtual BOOL ReservedFeatureOp0();
  virtual BOOL ReservedFeatureOp1();
  virtual BOOL ReservedFeatureOp2();
  virtual BOOL ReservedFeatureOp3();
  virtual BOOL ReservedFeatureOp4();
  virtual void ReservedFeatureOp5();
  virtual BOOL ReservedFeatureOp6();
  virtual BOOL ReservedFeatureOp7();
  virtual BOOL ReservedFeatureOp8();
  virtual void FlushBeforeDraw();
  virtual BOOL IsCellRecalcPending(ROWCOL row, ROWCOL col);
  virtual void MarkCellRecalc(ROWCOL row, ROWCOL col, BOOL flag);
  virtual void MarkRangeRecalc(const CGXRange& range);
  // Recalculates formulas (when asked) and repaints everything; a data
  // object without formulas stops at once. The error text goes to
  // `errorText`, or into a message box without one; FALSE then.
  virtual BOOL RecalcAndRedraw(BOOL recalc, CString* errorText, BOOL sendHint);
  virtual void RunDataRecalc(BOOL flag);
  virtual void ResetDataError();
  virtual BOOL GetDataErrorText(CString& text);
  virtual BOOL Copy();
  virtual BOOL Paste();
  virtual BOOL Cut();
  virtual BOOL Clear(BOOL valuesOnly);
  virtual BOOL CanCopy();
  virtual BOOL CanCut();
  virtual BOOL CanPaste();
  virtual BOOL CanClear();
  virtual void FreezeCols();
  virtual BOOL CanFreezeCols();
  virtual void UnfreezeCols();
  virtual BOOL CanUnfreezeCols();
  virtual void FreezeRows();
  virtual BOOL CanFreezeRows();
  virtual void UnfreezeRows();
  virtual BOOL CanUnfreezeRows();
  virtual void RedrawRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags = 1,
                            BOOL sendHint = TRUE);
  virtual void Redraw(UINT redrawFlags = 1, BOOL sendHint = TRUE);
  virtual CRect& GetCellInsideRect(CRect& out, const CRect& rect, const CGXStyle* style, BOOL frame = TRUE);
  virtual CSize& AddCellFrameSize(CSize& out, int width, int height, const CGXStyle* style);
  // Printing: moves each side of the page's drawing rectangle inwards by
  // the properties' margin for it; draws the page header and footer.
  virtual void ApplyPrintMargins(CDC* dc, CPrintInfo* info);
  virtual void PrintHeaderFooter(CDC* dc, CPrintInfo* info);

  virtual void OnBeginPrinting(CDC* dc, void* info);
  virtual void OnEndPrinting(CDC* dc, void* info);
  virtual void OnPrint(CDC* dc, void* info);
  virtual void OnBeforeReach(ROWCOL row, ROWCOL col);
  virtual void OnDraw(CDC* dc);
  virtual void OnPrepareDC(CDC* dc);
  virtual BOOL DrawCell(CDC* dc, ROWCOL row, ROWCOL col, const CRect& rect, const CGXStyle& style);
  // Marks the headers of a cell that became or stopped being current
  // (through the edit-header feature; nothing without it).
  virtual void MarkEditHeader(ROWCOL row, ROWCOL col, int hint, UINT flags);
  virtual void DrawCellRange(ROWCOL firstClientRow, ROWCOL firstClientCol, ROWCOL lastClientRow,
                             ROWCOL lastClientCol, CDC* dc);
  virtual void DrawInvertCell(CDC* dc, ROWCOL row, ROWCOL col, const CRect& rect);
  // The grid-line primitive: type 1 vertical, 2 horizontal; flag 8 or 4
  // inverts (tracking lines), 2 draws the alternative line, 1 fills with
  // the tracking colour, none with the grid-line colour.
  virtual void DrawGridLine(CDC* dc, int x, int y, int width, int height, int type, ROWCOL index, UINT flags);
  // The font object to select back afterwards, or null when nothing was
  // selected.
  virtual CFont* SelectStyleFont(CDC* dc, const CGXStyle& style, const CGXStyle* previous);
  virtual void FreeObjectCache();
  virtual void GetFontMetrics(CDC* dc, int& width, int& height);
  virtual void SetCursorShape(UINT id, LPCTSTR systemCursor);
  virtual void UpdateCursor(CPoint point);
  virtual void SetGridCursor(UINT id);
  virtual BOOL OnGridSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  virtual BOOL OnGridVScroll(UINT code, UINT pos, CScrollBar* bar);
  virtual BOOL OnGridHScroll(UINT code, UINT pos, CScrollBar* bar);
  virtual BOOL OnGridSize(UINT type, int cx, int cy);
  virtual BOOL OnGridMouseMove(UINT flags, CPoint point);
  virtual BOOL OnGridShowWindow(BOOL show, UINT status);
  virtual BOOL OnGridLButtonDblClk(UINT flags, CPoint point);
  virtual BOOL OnGridLButtonDown(UINT flags, CPoint point);
  virtual BOOL OnGridLButtonUp(UINT flags, CPoint point);
  virtual BOOL OnGridMButtonDblClk(UINT flags, CPoint point);
  virtual BOOL OnGridMButtonDown(UINT flags, CPoint point);
  virtual BOOL OnGridMButtonUp(UINT flags, CPoint point);
  virtual BOOL OnGridRButtonDblClk(UINT flags, CPoint point);
  virtual BOOL OnGridRButtonDown(UINT flags, CPoint point);
  virtual BOOL OnGridRButtonUp(UINT flags, CPoint point);
  virtual HBRUSH OnGridCtlColor(CDC* dc, CWnd* wnd, UINT type);
  virtual BOOL OnGridDestroy();
  virtual BOOL OnGridCancelMode();
  virtual BOOL OnGridMouseActivate(CWnd* desktop, UINT hitTest, UINT message, int& reply);
  virtual BOOL OnGridCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnGridWinIniChange(LPCTSTR section);
  virtual BOOL OnGridSysColorChange();
  virtual UINT OnGridGetDlgCode(UINT code);
  virtual CWnd* GetScrollBarCtrl(int bar);
  virtual BOOL OnGridKillFocus(CWnd* next);
  virtual BOOL OnGridSetFocus(CWnd* previous);
  virtual BOOL PreTranslateGridMessage(MSG* msg);
  virtual BOOL ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual BOOL OnGridTimer(UINT_PTR id);
  virtual BOOL OnGridKeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL OnGridKeyUp(UINT key, UINT repeat, UINT flags);
  // Characters the current cell's control did not take: the clipboard and
  // undo control characters; Tab, Enter and Ctrl+Backspace are swallowed.
  virtual BOOL OnGridChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL OnGridInsertText(LPCTSTR text, UINT repeat, UINT flags);
  virtual BOOL OnGridDeadChar(UINT ch, UINT repeat, UINT flags);
  // Alt+Backspace undoes; other system keys are not the grid's.
  virtual BOOL OnGridSysKeyDown(UINT key, UINT repeat, UINT flags);
  virtual BOOL OnGridSysKeyUp(UINT key, UINT repeat, UINT flags);
  virtual BOOL OnGridSysChar(UINT ch, UINT repeat, UINT flags);
  virtual BOOL OnGridSysDeadChar(UINT ch, UINT repeat, UINT flags);
  virtual void ShowScrollBar(int bar, BOOL show);
  // ---- virtual operations (end) ----

  // ---- rows and columns, geometry (begin) ----

  void SetTopLeftRowCol(ROWCOL row, ROWCOL col, UINT flags = 1);
  BOOL IsFrozenRow(ROWCOL row);
  BOOL IsFrozenCol(ROWCOL col);
  ROWCOL GetTopRow() const { return m_nTopRow; }
  ROWCOL GetLeftCol() const { return m_nLeftCol; }
  ROWCOL GetClientRowFromRow(ROWCOL row);
  ROWCOL GetClientColFromCol(ROWCOL col);
  ROWCOL GetRowFromClientRow(ROWCOL clientRow);
  ROWCOL GetColFromClientCol(ROWCOL clientCol);
  ROWCOL GetBottomRow(BOOL* lastVisible = nullptr);
  ROWCOL GetRightCol(BOOL* lastVisible = nullptr);

  void GetRowHeights(ROWCOL from, ROWCOL to, int* heights);
  void GetColWidths(ROWCOL from, ROWCOL to, int* widths);
  int SumRowHeights(ROWCOL from, ROWCOL to, int limit = 0);
  int SumColWidths(ROWCOL from, ROWCOL to, int limit = 0);
  int SumClientRowHeights(ROWCOL from, ROWCOL to, int limit = 0);
  int SumClientColWidths(ROWCOL from, ROWCOL to, int limit = 0);
  int GetClientColLeft(ROWCOL clientCol);
  int GetClientRowTop(ROWCOL clientRow);
  CRect CalcRectFromRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL noLimit = FALSE);
  CRect CalcRectFromRowColCovered(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right);
  CRect CalcRectFromRowColSpanned(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right);
  CRect CalcCellRect(ROWCOL row, ROWCOL col);
  CRect CalcCellRectSpanned(ROWCOL row, ROWCOL col);
  CRect CalcRectRightOfCol(ROWCOL col);
  CRect CalcRectBelowRow(ROWCOL row);
  ROWCOL CalcClientColFromX(int x, int* left = nullptr);
  ROWCOL CalcClientRowFromY(int y, int* top = nullptr);
  ROWCOL CalcRightColFromRect(const CRect& rect);
  ROWCOL CalcBottomRowFromRect(const CRect& rect);
  ROWCOL CalcRightColFromRectEx(const CRect& rect, BOOL& ended);
  ROWCOL CalcBottomRowFromRectEx(const CRect& rect, BOOL& ended);
  void CalcBottomRightFromRect(const CRect& rect, ROWCOL& bottom, ROWCOL& right);
  BOOL CalcClientCellFromPoint(CPoint point, ROWCOL& clientRow, ROWCOL& clientCol, CRect* rect = nullptr);
  void CalcClientCellFromPointClamped(CPoint point, ROWCOL& clientRow, ROWCOL& clientCol);
  CRect CalcClientCellRect(ROWCOL clientRow, ROWCOL clientCol);
  CRect CalcClientCellRectCached(ROWCOL clientRow, ROWCOL clientCol);
  void RecalcCharSize();
  void MeasureStandardFont();
  BOOL IsPrinting() const { return m_bPrinting; }
  void ResetLastVisible() {
    m_nLastVisibleRow = m_nLastVisibleCol = static_cast<ROWCOL>(-1);
    m_bWalkValid = FALSE;
  }

  // Character sizes in pixels, on screen and on the printer.
  int m_dxWidth = 10, m_dyHeight = 15;
  int m_dxPrintWidth = 10, m_dyPrintHeight = 15;
  BOOL m_bPrinting = FALSE;
  BOOL m_bCapRowHeights = TRUE, m_bCapColWidths = TRUE;
  // Set while other views replay an operation: positions change without
  // redrawing.
  BOOL m_bLockUpdate = FALSE;
  // Whether this view hides its frozen rows or columns (a pane manager's
  // choice; no window of this system installs one).
  BOOL m_bHideFrozenRows = FALSE, m_bHideFrozenCols = FALSE;
  ROWCOL m_nPrintTopRow = 1, m_nPrintLeftCol = 1;

 protected:
  ROWCOL m_nLastVisibleRow = static_cast<ROWCOL>(-1), m_nLastVisibleCol = static_cast<ROWCOL>(-1);
  ROWCOL m_nLastVisibleForTop = 0, m_nLastVisibleForLeft = 0;
  // The grid rectangle's far edges the cached last row and column were
  // found for, so that a resized window is measured again.
  int m_nLastVisibleForBottom = 0, m_nLastVisibleForRight = 0;
  BOOL m_bLastRowShown = FALSE, m_bLastColShown = FALSE;
  // Where the last cached cell walk ended.
  ROWCOL m_nWalkRow = 0, m_nWalkCol = 0;
  int m_nWalkTop = 0, m_nWalkLeft = 0;
  int m_nWalkRight = 0, m_nWalkBottom = 0;
  BOOL m_bWalkValid = FALSE;
  // The row and column twins share one implementation.
  friend struct GXGridAxis;
  // Keeps the first visible row or column in step with inserted and
  // removed rows without scrolling the window itself.
  friend class CGXGridOptimizedUpdateImp;

 public:
  // ---- rows and columns, geometry (end) ----

  // ---- drawing resources and redraw (begin) ----

  CFont* LookupOrCreateFont(const CGXFont& font);
  CBrush* LookupOrCreateBrush(const CGXStyleInterior& interior);
  CPen* LookupOrCreatePen(const CGXStyleBorder& pen);
  CFont* SelectZoomedFont(CDC* dc, const CGXFont& font);
  CDC* GetClientDC();
  void ReleaseClientDC();
  void RedrawRange(const CGXRange& range, UINT flags = 1, BOOL sendHint = TRUE);

  // Whether the current cell's composed style is kept apart and reused.
  BOOL m_bCacheCurrentCellStyle = TRUE;
  // Set by a derived grid whose styles change when the current cell moves.
  BOOL m_bStylesDependOnCurrentCell = FALSE;
  // Rows and columns whose cached styles survive a cache release during a
  // keyboard move (0: mark not in use).
  ROWCOL m_nKeepRow = 0, m_nKeepCol = 0, m_nKeepTopRow = 0, m_nKeepLeftCol = 0;
  BOOL m_bMovingByKeys = FALSE;
  // The device context of the paint in progress, if any.
  CDC* m_pPaintDC = nullptr;

 private:
  std::unordered_map<std::uint64_t, std::unique_ptr<CFont>> fontCache_;
  std::unordered_map<std::uint64_t, std::unique_ptr<CBrush>> brushCache_;
  std::unordered_map<std::uint64_t, std::unique_ptr<CPen>> penCache_;
  std::unordered_map<std::uint64_t, std::unique_ptr<CGXStyle>> styleCache_;
  std::vector<std::unique_ptr<CGXStyle>> currentCellStyles_;
  // The font goes after the context that holds it selected.
  std::unique_ptr<CFont> clientDCFont_;
  std::unique_ptr<CDC> clientDC_;
  CFont* clientDCOldFont_ = nullptr;

 public:
  // ---- drawing resources and redraw (end) ----

  // ---- scrolling and scroll bars (begin) ----

  UINT GetScrollBarMode(int bar) const;
  BOOL LockScrollbars(BOOL lock);
  void ScrollWindowContents(int dx, int dy, const CRect& scroll, const CRect& clip);
  ROWCOL GetScrollDivisor(int bar) const { return bar == SB_VERT ? m_nVScrollFactor : m_nHScrollFactor; }

  UINT m_nVScrollMode = 0, m_nHScrollMode = 0;
  ROWCOL m_nVScrollFactor = 2, m_nHScrollFactor = 2;
  BOOL m_bLockScrollbars = FALSE;
  BOOL m_bUpdateScrollbar = FALSE;
  // Set when an update showed or hid a scroll bar (cleared by each paint).
  BOOL m_bScrollbarsChanged = FALSE;
  ROWCOL m_nLastSBRowCount = 0, m_nLastSBColCount = 0;
  BOOL m_bScrollRangeSet = FALSE;
  BOOL m_bScrolling = FALSE;
  ROWCOL m_nOldTopRow = 0, m_nOldLeftCol = 0;
  // Leaves the window to paint the uncovered strip when the queue runs dry.
  BOOL m_bNoUpdateOnScroll = FALSE;
  // ---- scrolling and scroll bars (end) ----

  // ---- core message handling (begin) ----
  // The host window passes its messages to the OnGrid operations; TRUE when
  // handled (the window then skips its default processing).

  void SetDeferSize(BOOL defer);
  CWnd* GetSharedScrollBarParent();
  void AddPlugin(CGXPluginComponent* plugin);
  // Cell tool tips from user attribute 51022 of the cell under the mouse.
  BOOL EnableCellTips(BOOL enable = TRUE);
  void CreateToolTips();
  CGXNoToolTipCtrlProxy* GetToolTipProxy() const { return m_pTooltipProxy; }

  BOOL m_bIgnoreFocus = FALSE;
  BOOL m_bFocusLost = FALSE;
  HWND m_hWndPrevFocus = nullptr;
  BOOL m_bRefusedLeave = FALSE;
  BOOL m_bValidating = FALSE;
  BOOL m_bDeferSize = FALSE;
  CRect m_rcWindow;
  int m_nClientWidth = 0, m_nClientHeight = 0;
  BOOL m_bParentZoomed = FALSE;
  // Scroll-bar messages are ignored while this is 1 or more.
  int m_nScrollLock = 0;
  std::vector<CGXPluginComponent*> m_Plugins;
  CGXNoToolTipCtrlProxy* m_pTooltipProxy = nullptr;
  BOOL m_bTtnIsEnabled = FALSE;
  // Set while a cell's style is composed for a tool tip.
  BOOL m_bComposingForTip = FALSE;
  CDC* m_pPrintDC = nullptr;
  // ---- core message handling (end) ----

  // ---- painting (begin) ----

  void DrawCellBorders(CDC* dc, const CRect& rect, const CGXStyle& style);
  void DrawBorderLine(const CGXStyleBorder& pen, const CRect& rect, int side, CDC* dc,
                      const CGXStyleInterior* interior);
  void FillInterior(CDC* dc, const CRect& rect, const CGXStyleInterior& interior);
  int SetDrawMode(int mode);
  int GetDrawMode() const { return m_nDrawMode; }
  // The block being painted (null outside a paint); the spanned-cells and
  // old-drawing objects read and mark its cells (grid/core/GXPaintContext.h).
  GXPaintContext* GetPaintContext() const;
  // Printing with the properties' black-and-white setting on.
  BOOL PrintsBlackWhite();

  // Set around drawing a cell whose background no run has filled.
  BOOL m_bBackgroundToFill = FALSE;
  // Draw a one-pixel black frame just outside the grid rectangle.
  BOOL m_bDrawGridFrame = FALSE;
  // Invert the current cell like any selected cell (cleared after use).
  BOOL m_bInvertInPlace = FALSE;
  BOOL m_bPaintWhilePrinting = FALSE;
  // Rectangles that cell windows cover, left alone by the next block
  // transfer of the buffered paint.
  std::vector<CRect> m_ExcludedRects;

 protected:
  int m_nDrawMode = 0;
  int m_nPaintNesting = 0;
  GXPaintContext* m_pPaintContext = nullptr;
  friend struct GXPaintContext;
  friend class CGXGridOldDrawingImp;

 private:
  void PaintDirect(CDC* dc, BOOL buffered);
  void DrawLinesOf(GXPaintContext& ctx, ROWCOL index, bool vertical);
  void FillRowBackground(GXPaintContext& ctx, ROWCOL r);
  void DrawCellOfPass(GXPaintContext& ctx, ROWCOL r, ROWCOL c);

 public:
  // ---- painting (end) ----

  // ---- hit testing and cursors (begin) ----
  static constexpr int kHitNone = 0, kHitColEdge = 1, kHitRowEdge = 2, kHitCell = 3, kHitHeader = 4,
                       kHitSelectionEdge = 5, kHitFillHandle = 6, kHitHiddenCol = 7, kHitHiddenRow = 8;

  CRect CalcDragLineRect(int kind, ROWCOL position);
  void DrawDragLine(CDC* dc, int kind, ROWCOL position, UINT flags);
  // The id of the cursor shown last (0: the window's own).
  UINT GetShownCursorId() const { return m_nShownCursor; }

  int m_nEdgeMargin = 8;
  BOOL m_bDragSelectionByEdge = FALSE;
  UINT m_nForcedCursor = 0;
  // The window's own cursor (null: the arrow).
  HCURSOR m_hWindowCursor = nullptr;

 private:
  UINT m_nShownCursor = 0;

 public:
  // ---- hit testing and cursors (end) ----

  // ---- current cell (begin) ----

  BOOL IsCurrentCell(ROWCOL row = static_cast<ROWCOL>(-1), ROWCOL col = static_cast<ROWCOL>(-1),
                     BOOL whilePrinting = FALSE);
  const CString& GetWarningText() const { return m_sWarningText; }

  CGXControl* GetCurrentCellControl();
  BOOL IsCurrentCellActive();
  void StoreCurrentCell(BOOL exists, ROWCOL row = 0, ROWCOL col = 0);

  // Set while the grid gives itself the focus from SetCurrentCell.
  BOOL m_bSettingFocus = FALSE;
  // Set by the focus code when a warning box came up during a move.
  BOOL m_bWarningDuringMove = FALSE;
  // Set when the mouse left the pressed cell before the release.
  BOOL m_bMouseLeftCell = FALSE;
  UINT m_nLastActionBit40 = 0;

 private:
  // The steps of SetCurrentCell (the change's state is a
  // GXCurrentCellChange).
  void BeginCurrentCellChange(GXCurrentCellChange& change, ROWCOL row, ROWCOL col, UINT flags);
  BOOL LeaveCurrentCell(GXCurrentCellChange& change);
  BOOL StoreLeftEdit(GXCurrentCellChange& change, BOOL modified, BOOL& stored);
  void ReleaseLeftCell(GXCurrentCellChange& change, BOOL stored);
  BOOL EnterCurrentCell(GXCurrentCellChange& change);
  void BindEnteredCell(GXCurrentCellChange& change);
  void DrawEnteredCellFrame(CGXControl* control, ROWCOL row, ROWCOL col, BOOL selected);
  void SelectEnteredCell(GXCurrentCellChange& change);
  // The three buttons' cell actions share one body (0 left, 1 middle, 2 right).
  BOOL ButtonCellAction(int button, ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                        UINT keyFlags, UINT actionFlags);
  // The control bound to the current cell (null when not known).
  CGXControl* m_pCurrentCellControl = nullptr;

 public:

  // Set while a warning box is up (focus loss is then ignored).
  BOOL m_bBusy = FALSE;
  BOOL m_bWarningShown = FALSE;
  BOOL m_bHasFocus = FALSE;
  // Set while painting a redraw-all pass after a recalculation.
  BOOL m_bRedrawAllPass = FALSE;

 protected:
  CString m_sWarningText;
  ROWCOL m_nLastMovedRow = static_cast<ROWCOL>(-1), m_nLastMovedCol = static_cast<ROWCOL>(-1);

 public:
  // ---- current cell (end) ----

  // Parameter object and ownership.
  void SetParam(CGXGridParam* param, BOOL owned = TRUE);
  CGXGridParam* GetParam() const { return m_pParam; }
  BOOL IsInitialized() const { return m_bInitDone; }
  template <class T>
  void AddAutoDelete(T* object) {
    autoDelete_.insert(autoDelete_.begin(), [object] { delete object; });
  }

  // Values and base styles.
  CString GetCellValue(ROWCOL row, ROWCOL col);
  CString GetStoredCellValue(ROWCOL row, ROWCOL col);
  const CGXStyle& GetStandardStyle();
  const CGXStyle& GetBaseStyle(WORD id);
  BOOL ChangeStandardStyle(const CGXStyle& style, int mode = 0, UINT redrawFlags = 1, int commandMode = 0);
  BOOL ChangeColHeaderStyle(const CGXStyle& style, int mode = 0, UINT redrawFlags = 1, int commandMode = 0);
  BOOL ApplyStyle(const CGXRange& range, const CGXStyle& style, int mode = 0, UINT redrawFlags = 1) {
    return ApplyStyleToRange(range, &style, mode, 0, nullptr, redrawFlags, kRecordUndo);
  }
  BOOL SetValueRange(const CGXRange& range, LPCTSTR text, int mode = 0, UINT redrawFlags = 1);
  // Text the user typed: stored with the grid's default store kind, so that
  // the data object may read it as a number (or a formula sheet as input).
  BOOL SetValueRangeFromString(const CGXRange& range, LPCTSTR text, int mode = 0, UINT redrawFlags = 1);
  BOOL SetLockRedraw(BOOL lock);
  CRect GetGridRect();

  // The current cell, as far as composition and storing need it.
  // A current cell that removed rows or columns left beyond the counts is
  // no current cell any more.
  BOOL GetCurrentCell(ROWCOL& row, ROWCOL& col);
  void SetCurrentCellForStyles(ROWCOL row, ROWCOL col);

  // Captures the mouse for the grid's window; the window that had it.
  CWnd* SetCapture();
  // Whether the visible spanned cells touch a range (through the spanned
  // cells feature; FALSE without it).
  BOOL TouchesSpannedCells(CGXRange& range, BOOL flag1, BOOL flag2, BOOL flag3);

  // Cut a single range (a plain member).
  BOOL CutRange(const CGXRange& range);
  BOOL CopyTextToClipboard(CGXRangeList& ranges);
  BOOL CopyStylesToClipboard(CGXRangeList& ranges, UINT flags);
  void DelayFloatCells(const CGXRange& range, ROWCOL rowLimit = static_cast<ROWCOL>(-1));
  BOOL EvalFloatCells(const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed = nullptr,
                      BOOL useGridStyles = FALSE);
  BOOL GetFloatedCellsRange(ROWCOL row, ROWCOL col, CGXRange& range);
  BOOL SetFloatedCellsRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags);
  void RedrawWithFloatCells(const CGXRange& range, UINT flags, BOOL sendHint = TRUE);
  void ExpandRangeToFloatedCells(CGXRange& range);
  void DelayMergeCells(const CGXRange& range, ROWCOL rowLimit = static_cast<ROWCOL>(-1),
                       ROWCOL colLimit = static_cast<ROWCOL>(-1));
  BOOL EvalMergeCells(const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed = nullptr,
                      BOOL useGridStyles = FALSE);
  BOOL GetMergedCellsRange(ROWCOL row, ROWCOL col, CGXRange& range, int direction);
  BOOL SetMergedCellsRange(int direction, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags);
  void RedrawWithMergeCells(const CGXRange& range, UINT flags, BOOL sendHint = TRUE);
  void ExpandRangeToMergedCells(CGXRange& range);
  BOOL FindInCells(ROWCOL row, ROWCOL col, UINT flags);
  BOOL FindNext(UINT flags);
  void TrackSelectionFrame(CDC* dc, const CGXRange& range, int value1, int value2);
  void DrawSelectionFrame(CDC* dc, BOOL flag, const CGXRange& range);
  void ToggleSelectionFrame();
  BOOL SetFrameState(BOOL state, BOOL flag);
  WORD GetFloatCellsMode() const { return m_pParam ? m_pParam->m_wFloatCellsMode : 0; }
  WORD GetMergeCellsMode() const { return m_pParam ? static_cast<WORD>(m_pParam->m_wMergeCellsMode & 3) : 0; }

  // Feature objects, empty until the registrars fill them, in the order the
  // feature library relies on.
  CGXAbstractGridPrintImp* m_pPrintImp = nullptr;
  CGXAbstractGridSortImp* m_pSortImp = nullptr;
  CGXAbstractGridOldDrawingImp* m_pOldDrawingImp = nullptr;
  CGXAbstractGridCoveredCellsImp* m_pCoveredCellsImp = nullptr;
  CGXAbstractDrawSpannedCellsImp* m_pDrawSpannedCellsImp = nullptr;
  CGXAbstractGridFloatCellsImp* m_pFloatCellsImp = nullptr;
  CGXAbstractGridMergeCellsImp* m_pMergeCellsImp = nullptr;
  CGXAbstractCommandFactory* m_pCommandFactory = nullptr;
  CGXAbstractCalcSizeImp* m_pCalcSizeImp = nullptr;
  CGXAbstractGridUpdateHintImp* m_pUpdateHintImp = nullptr;
  CGXAbstractGridResizeToFitImp* m_pResizeToFitImp = nullptr;
  CGXAbstractGridHideCellsImp* m_pHideCellsImp = nullptr;
  CGXAbstractGridFindReplaceImp* m_pFindReplaceImp = nullptr;
  CGXAbstractGridUserSelectRangeImp* m_pUserSelectRangeImp = nullptr;
  CGXAbstractGridExcelLikeFrameImp* m_pExcelLikeFrameImp = nullptr;
  CGXAbstractGridExcelLikeFillImp* m_pExcelLikeFillImp = nullptr;
  CGXAbstractGridUserDragSelectRangeImp* m_pUserDragSelectRangeImp = nullptr;
  CGXAbstractGridMoveRowsColsImp* m_pMoveRowsColsImp = nullptr;
  CGXAbstractGridUserResizeCellsImp* m_pUserResizeCellsImp = nullptr;
  CGXAbstractGridOptimizedUpdateImp* m_pOptimizedUpdateImp = nullptr;
  CGXAbstractGridMarkEditHeaderImp* m_pMarkEditHeaderImp = nullptr;
  CGXAbstractGridFreezeMenuHelperImp* m_pFreezeMenuHelperImp = nullptr;
  CGXAbstractGridDirectCopyMoveCellsImp* m_pDirectCopyMoveCellsImp = nullptr;
  CGXAbstractGridTextDataExchangeImp* m_pTextDataExchangeImp = nullptr;
  CGXAbstractGridStyleDataExchangeImp* m_pStyleDataExchangeImp = nullptr;
  CGXAbstractGridCutPasteImp* m_pCutPasteImp = nullptr;
  CGXAbstractGridClearCellsImp* m_pClearCellsImp = nullptr;
  // Range names, a reserved feature and dragging the selection by its edge
  // have no implementation in this system: their forwarders do nothing.
  CObject* m_pRangeNameImp = nullptr;
  CObject* m_pReservedImp = nullptr;
  CObject* m_pEdgeDragImp = nullptr;
  // The two plug-ins a grid makes for itself (also on the plug-in list).
  CGXPluginComponent* m_pIntelliMousePlugin = nullptr;
  CGXPluginComponent* m_pAutoScrollPlugin = nullptr;
  // Sorting by a double click on a header.
  CGXAbstractGridSortClickImp* m_pSortClickImp = nullptr;

  // Per-grid feature registrars, defined with their features: each makes its
  // object once, stores it in its pointer above and puts it on the
  // auto-delete list (the control factory calls them for every new grid).
  void EnableFindReplace();
  void EnableHideCells();
  void EnableAutoScroll();
  void EnableResizeToFit();
  void EnableUpdateHint();
  void EnableCommandFactory();
  void EnableSort();
  void EnableOldDrawing();
  void EnableCoveredCells();
  void EnableMergeCells();
  void EnableFloatCells();
  void EnablePrint();
  void EnableUserSelectRange();
  void EnableExcelLikeFrame();
  void EnableUserDragSelectRange();
  void EnableUserResizeCells();
  void EnableOptimizedUpdate();
  void EnableMarkEditHeader();
  void EnableFreezeMenuHelper();
  void EnableDirectCopyMoveCells();
  void EnableTextDataExchange();
  void EnableStyleDataExchange();
  void EnableCutPaste();
  void EnableClearCells();
  void EnableExcelLikeFill();
  void EnableMoveRowsCols();
  void EnableCalcSize();
  // Makes a new mouse-wheel and panning plug-in for the grid each time it is
  // called (no once-only test), stores it above and adds it as a plug-in.
  void EnableIntelliMouse();
  // Installs the fill object; with `autoDelete` the grid deletes it.
  void SetFillHandleImp(CGXAbstractGridExcelLikeFillImp* fill, BOOL autoDelete);

  // ---- Keyboard navigation ----

  // The anchor of a keyboard selection, emptied after each plain move.
  CGXRange m_rgKeyAnchor;
  // Set while DoMoveCurrentCell runs.
  BOOL m_bMovingCurrentCell = FALSE;
  // Auto-repeat of navigation keys through the auto-scroll timer (off in
  // this system) and the key it repeats.
  BOOL m_bKeyRepeatScroll = FALSE;
  BOOL m_bKeyAutoScroll = FALSE;
  UINT m_nKeyAutoScrollKey = 0, m_nKeyAutoScrollFlags = 0;

 private:
  // The steps of DoMoveCurrentCell (the move's state is a GXCellMove).
  void BeginCellMove(GXCellMove& move, ROWCOL count);
  void WalkCellMoveBack(GXCellMove& move, bool rows);
  void WalkCellMoveOn(GXCellMove& move, bool rows);
  void PageCellMoveDown(GXCellMove& move);
  void PageCellMoveUp(GXCellMove& move);
  void MoveCellToEdge(GXCellMove& move, GXMoveDirection direction);
  BOOL FinishCellMove(GXCellMove& move, BOOL maySelect);

 public:
  // ---- end keyboard navigation ----

  // ---- mouse actions and auto-scroll (begin) ----

  BOOL BeginMouseDown(UINT flags, int x, int y, UINT otherButtons, int& hit, ROWCOL& row, ROWCOL& col);
  BOOL BeginCellButtonDown(UINT flags, int x, int y, UINT otherButtons);
  BOOL EndButtonUp(UINT flags, int x, int y, int& hit, ROWCOL& row, ROWCOL& col, UINT& actionFlags);
  void StartAutoScroll(BOOL capture, BOOL vertical, BOOL horizontal);
  BOOL OnGridDblClk(int button, UINT flags, CPoint point);
  BOOL GetResizeTracking(UINT& flags, ROWCOL& index);

  static constexpr UINT_PTR kAutoScrollTimer = 992;
  // Button flags of the press, pressed and last reported cell.
  UINT m_nButtonFlags = 0;
  ROWCOL m_nPressedRow = 0, m_nPressedCol = 0;
  ROWCOL m_nLastHitRow = 0, m_nLastHitCol = 0;
  BOOL m_bResizeTracking = FALSE;
  UINT m_nResizeTrackFlags = 0;
  ROWCOL m_nResizeTrackIndex = 0;
  BOOL m_bSelDragging = FALSE;
  BOOL m_bGridActive = FALSE;
  // Auto-scroll requests read by the auto-scroll plug-in.
  BOOL m_bAutoScrollAvailable = FALSE;
  BOOL m_bAutoScrollStart = FALSE;
  BOOL m_bAutoScrollVert = FALSE, m_bAutoScrollHorz = FALSE;
  BOOL m_bAutoScrollStop = FALSE;
  int m_nAutoScrollSBCode = -1;
  UINT_PTR m_nAutoScrollTimer = 0;
  // While set, moving the mouse over cells only updates the cursor.
  BOOL m_bMouseOverCursorOnly = TRUE;
  // Mouse points are kept this far inside the grid's right and bottom edges.
  int m_nFrameSize = 4;
  // ---- mouse actions and auto-scroll (end) ----
  // Makes `control` the control of `id`; the grid owns it from now on and
  // deletes the control it replaces. With `makeDefault`, or when there is
  // no default control yet, it becomes the default control; with `addName`
  // the styles map learns the id's display name.
  void RegisterControl(WORD id, CGXControl* control, BOOL makeDefault = FALSE, BOOL addName = FALSE);
  // The control registered for an id, without making one (null when none).
  CGXControl* FindRegisteredControl(WORD id) const;
  // Deletes every registered control (the grid's destruction does this
  // before an owned parameter object goes).
  void DeleteRegisteredControls();
  // Every control this grid has made, in id order.
  std::vector<CGXControl*> RegisteredControls() const;
  // --- library initialisation: control factory steps ---
  // Lets the library's control factory install this grid's features, once:
  // at construction, or when the grid is initialised if the library had no
  // factory yet when the grid was built.
  void EnableFactoryFeatures();
  BOOL m_bFactoryFeaturesDone = FALSE;
  // Asks the factory for the standard style's control, the default control.
  void RegisterDefaultControl();
  // --- end library initialisation ---
  // Set while a cell's control moves, hides or re-creates its own windows,
  // so that the focus changes this causes are not taken for the user's.
  BOOL m_bControlMovesWindows = FALSE;
  // Set while a cell's drop-down list is open.
  BOOL m_bDropDownCell = FALSE;
  // Empties the cached composed style of the current cell.
  void EmptyCurrentCellStyle() { ForgetCurrentCellStyle(); }
  // The style being stored by a control (null when none).
  const CGXStyle* m_pStyleBeingStored = nullptr;
  // Whether the cell being drawn still needs its background filled by its
  // control (the painting pass clears it where it filled the cell itself).
  BOOL m_bCellBackgroundToFill = TRUE;
  // ---- end of cell controls ----


  CWnd* m_pGridWnd = nullptr;
  CGXAppData* m_pAppData;
  // Store kind of typed texts.
  int m_nDefaultStoreKind = kStoreCellNumber;
  // Set while no mouse-button action is in progress (progress and abort
  // of long range stores are polled only then).
  UINT m_nMouseAction = 0;

 protected:
  BOOL StoreCellThroughControl(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                               bool mayUseComposedInHand);
  void RefreshBaseStyles();
  void ForgetCurrentCellStyle();
  BOOL Guarded();
  BOOL AskTooLargeForUndo();

  CDocument* m_pDocument = nullptr;
  BOOL m_bFurther = FALSE;
  BOOL m_bAttachedToDocument = FALSE;
  CGXGridParam* m_pParam = nullptr;
  BOOL m_bOwnParam = FALSE;
  BOOL m_bInitDone = FALSE;

  CGXStyle* m_pStyleA = nullptr;
  CGXStyle* m_pStyleB = nullptr;
  CGXStyle* m_pCurrentCellStyle = nullptr;
  CRuntimeClass* m_pStyleClass = RUNTIME_CLASS(CGXStyle);
  const CGXStyle* m_pComposedInHand = nullptr;
  BOOL m_bValueOnly = FALSE;
  BOOL m_bInRangeStore = FALSE;
  const CGXStyle* m_pStandardStyle = nullptr;
  const CGXStyle* m_pRowHeaderStyle = nullptr;
  const CGXStyle* m_pColHeaderStyle = nullptr;

  BOOL m_bCurrentCell = FALSE;
  ROWCOL m_nCurrentRow = 0;
  ROWCOL m_nCurrentCol = 0;
  BOOL m_bKeepCurrentCellStyle = FALSE;

  ROWCOL m_nTopRow = 1;
  ROWCOL m_nLeftCol = 1;
  int m_nZoom = 100;

 public:
  // ---- state the feature objects keep in the grid (begin) ----
  // Clipboard: option bits, the store kind of whole styles copied for the
  // clipboard and for undo, the text separators (empty: tab and line end)
  // and the size of the last copied block.
  DWORD m_nClipboardFlags = 0x38;
  int m_nCopyStyleType = kStoreCell;
  CString m_sCopyTextSeparator;
  CString m_sPasteTextSeparator;
  ROWCOL m_nCopiedRows = 0, m_nCopiedCols = 0;
  // Update hints: the group this grid's hints belong to and the switch
  // without which none is sent.
  DWORD m_nHintGroup = 0;
  BOOL m_bHintsEnabled = FALSE;
  // The hint feature when an operation asked to send hints and there are
  // other views to tell; null otherwise.
  CGXAbstractGridUpdateHintImp* HintSender(BOOL sendHint) const {
    return sendHint && m_bHintsEnabled && m_bAttachedToDocument && m_pDocument != nullptr ? m_pUpdateHintImp
                                                                                         : nullptr;
  }
  // Undo: set while the command factory replays a block; the position it
  // shows afterwards; the Undo and Redo menu patterns (loaded on first use);
  // while set, a change does not tell the data object it is coming.
  BOOL m_bBlockRunning = FALSE;
  BOOL m_bPendingPosition = FALSE;
  ROWCOL m_nPendingRow = 0, m_nPendingCol = 0;
  BOOL m_bPendingMove = FALSE;
  CString m_sUndoMenuPattern;
  CString m_sRedoMenuPattern;
  BOOL m_bChangeMark = FALSE;
  // Splitter panes (no window of this system is split).
  CWnd* m_pSplitterWnd = nullptr;
  int m_nSplitRow = 0, m_nSplitCol = 0;
  BOOL m_bFirstPaneRow = TRUE, m_bFirstPaneCol = TRUE;
  // Printing: where each page's columns and rows start, the first page of
  // each, the page's drawing rectangle and a repaint wanted afterwards
  // (kept by the print feature).
  friend class CGXGridPrintImp;
  CDWordArray m_awColPageStarts;
  CDWordArray m_awRowPageStarts;
  CDWordArray m_awStartPages;
  CRect m_rectPrint;
  BOOL m_bRepaintAfterPrinting = FALSE;
  // An explicit grid rectangle (instead of the window's client area).
  BOOL m_bExplicitGridRect = FALSE;
  CRect m_rectGrid;
  // Find: the row being searched and whether the search was aborted.
  ROWCOL m_nSearchRow = 0;
  BOOL m_bSearchAborted = FALSE;
  // Fill handle: set while it is dragged.
  BOOL m_bFillDragging = FALSE;
  // Range selection: the range being made (a position in the selection
  // list), where it started and the cell the mouse reached last.
  POSITION m_posCurrentSelection = nullptr;
  ROWCOL m_nSelAnchorRow = 0, m_nSelAnchorCol = 0;
  ROWCOL m_nSelLastRow = 0, m_nSelLastCol = 0;
  // Raised while the selection features paint selection changes.
  BOOL m_bPaintingSelection = FALSE;
  BOOL m_bPaintingDrag = FALSE;
  // Raised by the header marking around each header invalidation.
  BOOL m_bUpdateInProgress = FALSE;
  // Dragging rows (mode 2) or columns (1): the drop target and its line.
  int m_nDragMode = 0;
  ROWCOL m_nDropRow = 0, m_nDropCol = 0;
  CWnd* m_pDragLineWnd = nullptr;
  // The spreadsheet-like frame: the range shown (valid while on screen;
  // inserting and removing rows or columns clears it), the handle's corner
  // and the lock that keeps it hidden.
  CGXRange m_rgFrame;
  int m_nFrameHandle = 0;
  BOOL m_bFrameLocked = FALSE;
  // Spanned cells: evaluation locks while the mouse selects, set while a
  // span is drawn, the old drawing path's mark, and the last merged block.
  BOOL m_bLockEvalFloatCells = FALSE, m_bLockEvalMergeCells = FALSE;
  BOOL m_bDrawingSpan = FALSE;
  BOOL m_bOldDrawingPath = FALSE;
  CGXRange m_rgLastMergedBlock;
  // Auto-scroll: the fixed direction (-1 none) and the focus kept while a
  // cell's pop-up window has it.
  int m_nAutoScrollDirection = -1;
  BOOL m_bKeepFocusForPopup = FALSE;
  // The span-cell pool of floating cells (the printing one while printing).
  CObject* GetSpanCellPool() const;
  // The selected text of the current cell's control; empty without one.
  CString GetCurrentCellText();
  // ---- state the feature objects keep in the grid (end) ----

 private:
  // Cell controls by id (owned; one control may stand under several ids).
  std::map<WORD, CGXControl*> controls_;

  std::vector<std::function<void()>> autoDelete_;
  std::vector<CGXStyle*> recycled_;

  // --- library initialisation: the control factory's default control ---
  // The control of the standard style, given for id 0 and for every id the
  // factory cannot make; owned through the controls above.
  CGXControl* defaultControl_ = nullptr;
  // --- end library initialisation ---
};
