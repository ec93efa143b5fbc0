// The formula sheet: a grid data object whose cells hold values and formulas
// computed by the formula engine. Header cells and row and column base
// styles stay in the plain data object; every ordinary cell lives in an
// engine sheet with its value or formula and a private style.
#pragma once

#include <string>
#include <vector>

#include "grid/core/GXData.h"
#include "grid/formula/GXEngine.h"

// The cells an operation destroyed, kept so that undo can put them back.
class CGXUndoEngineCellsInfo : public CObject {
  DECLARE_DYNAMIC(CGXUndoEngineCellsInfo)

 public:
  CGXUndoEngineCellsInfo() = default;
  CGXUndoEngineCellsInfo(const CGXUndoEngineCellsInfo&) = delete;
  CGXUndoEngineCellsInfo& operator=(const CGXUndoEngineCellsInfo&) = delete;
  ~CGXUndoEngineCellsInfo() override;

  GX_CELL* first = nullptr;   // cells as they were before an operation
  GX_CELL* second = nullptr;  // cells saved around the recalculation that followed
  GX_REF range;               // cleared and recomputed when applied (with clear)
  int clear = 0;
  GX_NAME* savedName = nullptr;  // a deleted range name
};

// String resource of the base style that marks constraint violations.
constexpr UINT kGXConstraintViolationStyle = 52780;

class CGXFormulaSheet : public CGXData {
  DECLARE_SERIAL(CGXFormulaSheet)

 public:
  CGXFormulaSheet();
  CGXFormulaSheet(const CGXFormulaSheet&) = delete;
  CGXFormulaSheet& operator=(const CGXFormulaSheet&) = delete;
  ~CGXFormulaSheet() override;

  void Serialize(CArchive& ar) override;
  void DeleteContents() override;
  CGXData& operator=(const CGXData& other) override;
  void InitParam(CObject* param) override;
  BOOL StoreInsertRows(ROWCOL row, ROWCOL count) override;
  BOOL StoreInsertCols(ROWCOL col, ROWCOL count) override;
  BOOL StoreRemoveRows(ROWCOL from, ROWCOL to) override;
  BOOL StoreRemoveCols(ROWCOL from, ROWCOL to) override;
  BOOL StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest) override;
  BOOL StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest) override;
  BOOL StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol) override;
  // The undo object in is an info taken after an earlier move (or null);
  // with recording on, the info of this move is left pending.
  BOOL StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undo, BOOL record,
                      int commandMode) override;
  BOOL StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int kind) override;
  BOOL GetStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int kind) const override;
  BOOL StoreMoveDataRows(const CGXRange& range, const CDWordArray& order) override;
  BOOL StoreMoveDataCols(const CGXRange& range, const CDWordArray& order) override;

  // Engine services (the data object's formula operations).
  BOOL GetRecalcValue(ROWCOL row, ROWCOL col) override { return IsCellStale(row, col); }
  void SetUpdateFlag(ROWCOL row, ROWCOL col, BOOL flag) override { SetCellChanged(row, col, flag); }
  void AddRecalcRange(const CGXRange& range) override { AddChangedRange(range); }
  void Recalc(BOOL force) override { Recalculate(force); }
  void ResetError() override { ResetMessage(); }
  BOOL GetError(CString& text) override { return GetMessageText(text); }
  CObject* GetAdvancedUndoInfo() override { return TakeUndoInfo(); }
  BOOL UndoAdvanced(CObject* info, BOOL record, BOOL firstListKept) override {
    return ApplyUndoInfo(info, record, firstListKept);
  }
  BOOL EnableUndoInfo(BOOL enable) override { return SetUndoRecording(enable); }
  BOOL SetRangeName(LPCTSTR name, const CGXRange& range, CObject* undo) override;
  BOOL GetRangeName(LPCTSTR name, CGXRange& range) override;
  BOOL DeleteRangeName(LPCTSTR name, CObject*& undo, BOOL record) override;

  BOOL IsCellStale(ROWCOL row, ROWCOL col);
  BOOL SetCellChanged(ROWCOL row, ROWCOL col, BOOL set);
  void AddChangedRange(const CGXRange& range);
  void Recalculate(BOOL forced);
  void ResetMessage();
  BOOL GetMessageText(CString& text);
  CGXUndoEngineCellsInfo* TakeUndoInfo();
  BOOL ApplyUndoInfo(CObject* info, BOOL record, BOOL firstListKept);
  // Returns the previous state of the switch.
  BOOL SetUndoRecording(BOOL record);

  BOOL StoreFormula(ROWCOL row, ROWCOL col, LPCTSTR text);
  BOOL StoreText(ROWCOL row, ROWCOL col, LPCTSTR text);
  BOOL StoreNumber(ROWCOL row, ROWCOL col, double value);
  BOOL StoreFormat(ROWCOL row, ROWCOL col, UINT format, UINT places);
  UINT FetchFormat(ROWCOL row, ROWCOL col, UINT& places);
  BOOL StoreInput(ROWCOL row, ROWCOL col, LPCTSTR text);
  BOOL FetchNumber(ROWCOL row, ROWCOL col, double& value);
  void FetchDisplayText(ROWCOL row, ROWCOL col, CString& text);
  void FetchEditText(ROWCOL row, ROWCOL col, CString& text);
  BOOL EvalCode(CString& text, const GX_CODE* code);
  BOOL EvalText(CString& text, LPCTSTR formula);
  BOOL CompileText(LPCTSTR text, GX_CODE* code);
  void DisplayTextOf(GX_CELL* cell, CString& text) const;
  void EditTextOf(GX_CELL* cell, CString& text) const;

  // Reorders rows (columns) for a sort: entry i of order is the old offset
  // (from the range's first row) of the row that becomes offset i. Only the
  // range's columns move unless it covers whole rows.
  void MoveDataRowsInOrder(const CGXRange& range, const std::vector<int>& order);
  void MoveDataColsInOrder(const CGXRange& range, const std::vector<int>& order);

  void SetIterationCount(int count) { GXSheetSetIterationCount(sheet_, count); }
  int GetIterationCount() const { return GXSheetGetIterationCount(sheet_); }
  void SetBlankZero(BOOL on) { GXSheetSetBlankZero(sheet_, on ? 1 : 0); }
  BOOL GetBlankZero() const { return GXSheetGetBlankZero(sheet_); }
  void SetManualRecalc(BOOL on) { GXSheetSetManual(sheet_, on ? 1 : 0); }
  BOOL GetManualRecalc() const { return GXSheetGetManual(sheet_); }
  void SetComputeNow(BOOL on) { GXSheetSetComputeNow(sheet_, on ? 1 : 0); }
  BOOL GetComputeNow() const { return GXSheetGetComputeNow(sheet_); }
  void SetCheckConstraints(BOOL on);
  BOOL GetCheckConstraints() const { return GXSheetGetCheckConstraints(sheet_); }

  // Frees every cell, name and pending range; the options stay.
  void EmptySheet();
  // Puts saved cells back at their positions, marking them changed.
  void ReinsertCells(GX_CELL*& list);
  // Defines names from their "name=reference" texts.
  void SetNamesFromText(const CStringArray& names);

  int GetEngineSheet() const { return sheet_; }
  // The engine cell at a grid position, or null.
  GX_CELL* FindCell(ROWCOL row, ROWCOL col) const;

 private:
  static bool InRange(ROWCOL row, ROWCOL col) { return row <= 8388607 && col <= 4096; }
  static int EngineRow(ROWCOL row) { return row < 1 ? 1 : static_cast<int>(row); }
  static int EngineCol(ROWCOL col) { return col < 1 ? 0 : static_cast<int>(col) - 1; }
  GX_REF EngineRange(const CGXRange& range) const;
  void FinishOperation(BOOL keepUndo, BOOL withRecalc);
  CGXUndoEngineCellsInfo& PendingInfo();
  WORD ConstraintStyleId();
  void UpdateIfStale(GX_CELL* cell) const;
  void CompileErrorMessage(ROWCOL row, ROWCOL col);

  WORD constraintStyleId_ = 0;
  int sheet_ = 0;
  BOOL recordUndo_ = FALSE;
  CGXUndoEngineCellsInfo* pendingUndo_ = nullptr;
};

// The formula sheet's class, registered for reading archives by class name.
CRuntimeClass* GXRegisterFormulaSheetClass();
