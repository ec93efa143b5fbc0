#include "grid/formula/GXFormulaSheet.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXStylesMap.h"
#include "grid/formula/GXCodeToText.h"
#include "grid/formula/GXErrorText.h"
#include "grid/formula/GXEvaluator.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXParser.h"
#include "grid/formula/GXRangeOps.h"
#include "grid/formula/GXRecalc.h"
#include "platform/base/CTime.h"

IMPLEMENT_DYNAMIC(CGXUndoEngineCellsInfo, CObject)
IMPLEMENT_SERIAL(CGXFormulaSheet, CGXData, 0)

CRuntimeClass* GXRegisterFormulaSheetClass() { return RUNTIME_CLASS(CGXFormulaSheet); }

CGXUndoEngineCellsInfo::~CGXUndoEngineCellsInfo() {
  GXFreeCellList(first);
  GXFreeCellList(second);
  // A name record the sheet no longer knows; its formulas' copies died above.
  delete savedName;
}

namespace {

// Date and time formats of the value formatter.
bool IsDateFormat(UINT format, bool withTime13) {
  return format == 8 || format == 9 || format == 10 || format == 11 || format == 18 || (withTime13 && format == 13);
}

// Prepends a list of unlinked cells to another.
void PrependList(GX_CELL*& list, GX_CELL* front) {
  if (!front) return;
  GX_CELL* last = front;
  while (last->next) last = last->next;
  last->next = list;
  list = front;
}

// A whole-text number when no value formatter is installed.
bool PlainNumber(const char* text, double& value) {
  char* end = nullptr;
  value = strtod(text, &end);
  if (end == text) return false;
  while (*end == ' ') ++end;
  return *end == '\0' && std::isfinite(value);
}

std::string FormatNumber(double value) {
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%.14g", value);
  return buffer;
}

}  // namespace

CGXFormulaSheet::CGXFormulaSheet() : sheet_(GXSheetCreate()) { GXSheetGet(sheet_)->owner = this; }

CGXFormulaSheet::~CGXFormulaSheet() {
  delete pendingUndo_;
  pendingUndo_ = nullptr;
  GXSheetDestroy(sheet_);
}

GX_CELL* CGXFormulaSheet::FindCell(ROWCOL row, ROWCOL col) const {
  if (!InRange(row, col)) return nullptr;
  return GXCellFind(sheet_, EngineRow(row), EngineCol(col));
}

GX_REF CGXFormulaSheet::EngineRange(const CGXRange& range) const {
  CGXRange r = range;
  ROWCOL rows = std::max<ROWCOL>(GetRowCount(), 1), cols = std::max<ROWCOL>(GetColCount(), 1);
  if (!r.IsCells()) r.ExpandToCells(1, 1, rows, cols);
  GX_REF ref;
  auto row = [](ROWCOL v) { return static_cast<int>(std::min<ROWCOL>(std::max<ROWCOL>(v, 1), kGXMaxRow)); };
  auto col = [](ROWCOL v) { return static_cast<int>(std::min<ROWCOL>(v < 1 ? 0 : v - 1, kGXMaxCol)); };
  GXRefMake(ref, row(r.top), col(r.left), row(r.bottom), col(r.right), 0);
  return ref;
}

void CGXFormulaSheet::UpdateIfStale(GX_CELL* cell) const {
  if (cell && cell->Kind() == GX_KIND_FORMULA && !(cell->flags & kGXUpToDate)) GXCellUpdate(sheet_, cell);
}

void CGXFormulaSheet::DeleteContents() {
  CGXData::DeleteContents();
  EmptySheet();
}

void CGXFormulaSheet::EmptySheet() { GXSheetEmpty(sheet_); }

// A grid showing formulas copies and cuts its cells directly (so that the
// formulas move with them) and edits the stored formula, not its value.
void CGXFormulaSheet::InitParam(CObject* param) {
  CGXData::InitParam(param);
  if (auto* gridParam = dynamic_cast<CGXGridParam*>(param)) {
    gridParam->m_bDirectCopy = TRUE;
    gridParam->m_bDeferredCut = TRUE;
    gridParam->m_bFormulaData = TRUE;
    gridParam->m_wEditOptions = 1;
  }
}

CGXUndoEngineCellsInfo& CGXFormulaSheet::PendingInfo() {
  if (!pendingUndo_) pendingUndo_ = new CGXUndoEngineCellsInfo;
  return *pendingUndo_;
}

void CGXFormulaSheet::FinishOperation(BOOL keepUndo, BOOL withRecalc) {
  GX_SHEET* s = GXSheetGet(sheet_);
  if (withRecalc) {
    int recording = s->undoRecording, computeNow = s->computeNow;
    s->undoRecording = recordUndo_ ? 1 : 0;
    s->computeNow = 1;
    GXRecalc(sheet_);
    s->undoRecording = recording;
    s->computeNow = computeNow;
  }
  if (s->savedCells) {
    CGXUndoEngineCellsInfo& info = PendingInfo();
    PrependList(withRecalc ? info.second : info.first, s->savedCells);
    info.range = s->undoRange;
    info.clear = keepUndo == 1 && s->undoClear;
    s->savedCells = nullptr;
    s->undoClear = 0;
  }
}

void CGXFormulaSheet::CompileErrorMessage(ROWCOL row, ROWCOL col) {
  GX_SHEET* s = GXSheetGet(sheet_);
  GX_ENGINE_STATE* e = GXEngineState();
  std::string error = std::string("ERROR: ") + GXErrorText(e->errorCode) + " (Pos " + std::to_string(e->errorPos) + ")";
  s->messageArmed = 1;  // a compile error is reported even when nobody armed the slot
  GXSheetMessage(sheet_, EngineRow(row), EngineCol(col), error);
}

BOOL CGXFormulaSheet::StoreFormula(ROWCOL row, ROWCOL col, LPCTSTR text) {
  if (!InRange(row, col) || !text || text[0] != '=') return FALSE;
  int r = EngineRow(row), c = EngineCol(col);
  if (!GXCellSetFormula(sheet_, r, c, text)) {
    CompileErrorMessage(row, col);
    return FALSE;
  }
  GX_SHEET* s = GXSheetGet(sheet_);
  int recording = s->undoRecording;
  s->undoRecording = recordUndo_ ? 1 : 0;
  GX_CELL* cell = GXCellFind(sheet_, r, c);
  if (cell && cell->Kind() == GX_KIND_FORMULA) {
    GXDeferScope defer(sheet_);
    GXCellEvaluate(sheet_, cell);
  }
  FinishOperation(1, 0);
  s->undoRecording = recording;
  return TRUE;
}

BOOL CGXFormulaSheet::StoreText(ROWCOL row, ROWCOL col, LPCTSTR text) {
  if (!InRange(row, col)) return FALSE;
  int r = EngineRow(row), c = EngineCol(col);
  if (!GXCellSetText(sheet_, r, c, text ? text : "")) return FALSE;
  if (!text || !*text) GXCellStoreValue(GXCellFind(sheet_, r, c), GX_VALUE{});
  return TRUE;
}

BOOL CGXFormulaSheet::StoreNumber(ROWCOL row, ROWCOL col, double value) {
  if (!InRange(row, col)) return FALSE;
  return GXCellSetNumber(sheet_, EngineRow(row), EngineCol(col), value);
}

BOOL CGXFormulaSheet::StoreFormat(ROWCOL row, ROWCOL col, UINT format, UINT places) {
  if (!InRange(row, col)) return FALSE;
  GX_CELL* cell = FindCell(row, col);
  if (!cell) {
    // An empty text, so that formulas read the cell as text, not as blank.
    if (!GXCellSetText(sheet_, EngineRow(row), EngineCol(col), "")) return FALSE;
    cell = FindCell(row, col);
  }
  CGXStyle scratch;
  scratch.SetFormat(format);
  scratch.SetPlaces(places);
  // The new format replaces the cell's old one (a number typed over a date
  // is shown as a number again).
  if (cell->style)
    cell->style->ChangeStyle(scratch, 0);
  else
    cell->style = scratch.Clone();
  return TRUE;
}

UINT CGXFormulaSheet::FetchFormat(ROWCOL row, ROWCOL col, UINT& places) {
  GX_CELL* cell = FindCell(row, col);
  if (!cell || !cell->style || !cell->style->GetIncludeFormat()) return 0;
  places = cell->style->GetIncludePlaces() ? cell->style->GetPlaces() : 0;
  return cell->style->GetFormat();
}

BOOL CGXFormulaSheet::StoreInput(ROWCOL row, ROWCOL col, LPCTSTR text) {
  if (!text || !*text) return StoreText(row, col, "");
  UINT places = 0;
  UINT format = FetchFormat(row, col, places);
  double number = 0;
  CGXDrawingAndFormatting* formatter = GXGetDrawingAndFormatting();
  bool parsed = GXGetAppData()->m_pNumberFormattingImp ? formatter->ParseValue(text, number, FALSE, FALSE) != 0
                                                         : PlainNumber(text, number);
  if (parsed) {
    BOOL ok = StoreNumber(row, col, number);
    if (ok && IsDateFormat(format, true)) StoreFormat(row, col, 3, 15);
    return ok;
  }
  if (strcasecmp(text, "#N/A") == 0) return StoreFormula(row, col, "=NA()");
  if (text[0] == '\'') return StoreText(row, col, text + 1);
  if (text[0] == '=') return StoreFormula(row, col, text);
  COleDateTime date;
  if (date.ParseDateTime(text) && date.GetStatus() == COleDateTime::valid) {
    double serial = static_cast<DATE>(date);
    BOOL ok = StoreNumber(row, col, serial);
    if (ok && !IsDateFormat(format, false)) {
      double whole = std::floor(serial);
      UINT dateFormat = serial == whole ? 11 : (whole == 0 ? 13 : 18);
      StoreFormat(row, col, dateFormat, 0);
    }
    return ok;
  }
  return StoreText(row, col, text);
}

BOOL CGXFormulaSheet::FetchNumber(ROWCOL row, ROWCOL col, double& value) {
  GX_CELL* cell = FindCell(row, col);
  UpdateIfStale(cell);
  value = cell && cell->ValueKind() == GX_VALUE_NUMBER ? cell->value.number : 0;
  return FALSE;
}

void CGXFormulaSheet::FetchDisplayText(ROWCOL row, ROWCOL col, CString& text) { DisplayTextOf(FindCell(row, col), text); }

void CGXFormulaSheet::FetchEditText(ROWCOL row, ROWCOL col, CString& text) { EditTextOf(FindCell(row, col), text); }

void CGXFormulaSheet::DisplayTextOf(GX_CELL* cell, CString& text) const {
  text = "";
  if (!cell) return;
  UpdateIfStale(cell);
  if ((cell->flags & kGXCircular) && GXSheetGetIterationCount(sheet_) == 0) {
    text = "Cycle!";
    return;
  }
  switch (cell->ValueKind()) {
    case GX_VALUE_NONE: break;
    case GX_VALUE_NA: text = "#N/A"; break;
    case GX_VALUE_ERROR: text = "Error!"; break;
    case GX_VALUE_NUMBER: text = FormatNumber(cell->value.number).c_str(); break;
    case GX_VALUE_LONG_TEXT:
    case GX_VALUE_SHORT_TEXT: text = cell->Text().c_str(); break;
    default: text = "Value?"; break;
  }
}

void CGXFormulaSheet::EditTextOf(GX_CELL* cell, CString& text) const {
  text = "";
  if (!cell) return;
  if (cell->IsFormula()) {
    text = GXCodeToText(sheet_, cell->code).c_str();
    return;
  }
  switch (cell->ValueKind()) {
    case GX_VALUE_NONE: break;
    case GX_VALUE_NA: text = "#N/A"; break;
    case GX_VALUE_ERROR: text = "Error!"; break;
    case GX_VALUE_NUMBER:
      if (cell->style && cell->style->GetIncludeFormat() && IsDateFormat(cell->style->GetFormat(), true)) {
        std::string value = FormatNumber(cell->value.number);
        CString out;
        GXGetDrawingAndFormatting()->FormatValue(out, *cell->style, value.c_str(), 1, cell->style->GetFormat(),
                                                 cell->style->GetIncludePlaces() ? cell->style->GetPlaces() : 0);
        text = out;
      } else {
        text = FormatNumber(cell->value.number).c_str();
      }
      break;
    case GX_VALUE_LONG_TEXT:
    case GX_VALUE_SHORT_TEXT: text = ("'" + cell->Text()).c_str(); break;
    default: text = "Value?"; break;
  }
}

BOOL CGXFormulaSheet::CompileText(LPCTSTR text, GX_CODE* code) { return GXCompile(sheet_, text, code); }

BOOL CGXFormulaSheet::EvalCode(CString& text, const GX_CODE* code) {
  if (!code) return FALSE;
  // A temporary, unlinked cell at row 0, column 0.
  GX_CELL* cell = GXPoolAlloc(GXSheetGet(sheet_)->values);
  cell->SetKind(GX_KIND_CONST_FORMULA);
  cell->code = GXCodeCopy(code);
  GXCellEvaluate(sheet_, cell);
  DisplayTextOf(cell, text);
  BOOL ok = cell->ValueKind() != GX_VALUE_ERROR;
  GXCellFree(cell);
  return ok;
}

BOOL CGXFormulaSheet::EvalText(CString& text, LPCTSTR formula) {
  ResetMessage();
  GX_CODE code;
  if (!GXCompile(sheet_, formula, &code)) {
    GetMessageText(text);
    return FALSE;
  }
  return EvalCode(text, &code);
}

WORD CGXFormulaSheet::ConstraintStyleId() {
  CGXGridCore* grid = GXLookupAppEntry(this);
  CGXStylesMap* map = grid && grid->GetParam() ? grid->GetParam()->m_pStylesMap : nullptr;
  if (!map) return constraintStyleId_;
  WORD id = map->FindIdByResourceId(kGXConstraintViolationStyle);
  if (!id) {
    CGXStyle style;
    style.SetInterior(RGB(255, 0, 0));
    id = map->RegisterStyle(kGXConstraintViolationStyle, style, FALSE);
  }
  constraintStyleId_ = id;
  return id;
}

void CGXFormulaSheet::SetCheckConstraints(BOOL on) {
  CGXGridCore* grid = GXLookupAppEntry(this);
  CGXStylesMap* map = grid && grid->GetParam() ? grid->GetParam()->m_pStylesMap : nullptr;
  if (map) {
    CGXStyle style;
    style.SetInterior(RGB(255, 0, 0));
    constraintStyleId_ = map->RegisterStyle(kGXConstraintViolationStyle, style, FALSE);
  }
  GXSheetSetCheckConstraints(sheet_, on ? 1 : 0);
}

BOOL CGXFormulaSheet::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int kind) {
  if (row == 0 || col == 0 || kind < 0) return CGXData::StoreStyleRowCol(row, col, style, mode, kind);
  if (!InRange(row, col)) return FALSE;
  int r = EngineRow(row), c = EngineCol(col);
  GX_CELL* cell = GXCellFind(sheet_, r, c);
  if (!style || mode == 4) {
    GXCellRemove(sheet_, cell);
    return TRUE;
  }
  CGXStyle rest(*style);
  rest.SetIncludeValue(FALSE);
  bool valueOnly = !rest.HasAnyInclude();
  if (mode == 2 && !style->HasAnyInclude()) {
    GXCellRemove(sheet_, cell);
    return TRUE;
  }
  if (mode == 3) {
    if (!cell) return TRUE;
    if (style->GetIncludeValue()) {
      GXCellStoreValue(cell, GX_VALUE{});
      if (!cell->style) {
        GXCellRemove(sheet_, cell);
        return TRUE;
      }
    }
    if (cell->style) cell->style->ChangeStyle(rest, 3);
    return TRUE;
  }
  if (style->GetIncludeValue()) {
    const CString& value = style->GetValue();
    if (style->GetValueType() == 1)
      StoreNumber(row, col, strtod(value, nullptr));
    else if (!value.IsEmpty() && kind == 1)
      StoreInput(row, col, value);
    else
      StoreText(row, col, value);
  }
  cell = GXCellFind(sheet_, r, c);
  if (mode == 2 && valueOnly && cell) {
    delete cell->style;
    cell->style = nullptr;
  }
  if (!valueOnly) {
    if (!cell) {
      if (!GXCellSetText(sheet_, r, c, "")) return FALSE;
      cell = GXCellFind(sheet_, r, c);
      GXCellStoreValue(cell, GX_VALUE{});
    }
    if (cell->style)
      cell->style->ChangeStyle(rest, mode);
    else
      cell->style = rest.Clone();
  }
  return TRUE;
}

BOOL CGXFormulaSheet::GetStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int kind) const {
  if (row == 0 || col == 0 || kind < 0) return CGXData::GetStyleRowCol(row, col, style, mode, kind);
  GX_CELL* cell = FindCell(row, col);
  if (!cell) return FALSE;
  if (cell->style) style.ChangeStyle(*cell->style, mode);
  CString text;
  if (kind == 1) {
    EditTextOf(cell, text);
    style.SetValue(text);
    style.SetValueType(2);
  } else {
    DisplayTextOf(cell, text);
    style.SetValue(text);
    int vk = cell->ValueKind();
    style.SetValueType(vk == GX_VALUE_ERROR || vk >= 6 ? 3 : vk == GX_VALUE_NUMBER ? 1 : 0);
  }
  if (GetCheckConstraints() && (cell->flags & kGXViolated)) {
    auto* self = const_cast<CGXFormulaSheet*>(this);
    WORD id = self->ConstraintStyleId();
    CGXGridCore* grid = GXLookupAppEntry(this);
    const CGXStyle* violation = nullptr;
    if (id && grid && grid->GetParam() && grid->GetParam()->m_pStylesMap &&
        grid->GetParam()->m_pStylesMap->LookupStyle(id, violation) && violation)
      style.ChangeStyle(*violation, 1);
    cell->flags |= kGXChanged;
  }
  return TRUE;
}

BOOL CGXFormulaSheet::StoreInsertRows(ROWCOL row, ROWCOL count) {
  GX_SHEET* s = GXSheetGet(sheet_);
  int recording = s->undoRecording;
  s->undoRecording = recordUndo_ ? 1 : 0;
  GXInsertRows(sheet_, EngineRow(row), static_cast<int>(std::min<ROWCOL>(count, kGXMaxRow)));
  s->undoRecording = recording;
  FinishOperation(0, 1);
  return CGXData::StoreInsertRows(row, count);
}

BOOL CGXFormulaSheet::StoreInsertCols(ROWCOL col, ROWCOL count) {
  GX_SHEET* s = GXSheetGet(sheet_);
  int recording = s->undoRecording;
  s->undoRecording = recordUndo_ ? 1 : 0;
  GXInsertCols(sheet_, EngineCol(col), static_cast<int>(std::min<ROWCOL>(count, kGXMaxCol + 1)));
  s->undoRecording = recording;
  FinishOperation(0, 1);
  return CGXData::StoreInsertCols(col, count);
}

BOOL CGXFormulaSheet::StoreRemoveRows(ROWCOL from, ROWCOL to) {
  if (to >= from) {
    GX_SHEET* s = GXSheetGet(sheet_);
    int recording = s->undoRecording;
    s->undoRecording = recordUndo_ ? 1 : 0;
    GXRemoveRows(sheet_, EngineRow(from), static_cast<int>(std::min<ROWCOL>(to - from + 1, kGXMaxRow)));
    s->undoRecording = recording;
    FinishOperation(0, 0);
    FinishOperation(0, 1);
  }
  return CGXData::StoreRemoveRows(from, to);
}

BOOL CGXFormulaSheet::StoreRemoveCols(ROWCOL from, ROWCOL to) {
  if (to >= from) {
    GX_SHEET* s = GXSheetGet(sheet_);
    int recording = s->undoRecording;
    s->undoRecording = recordUndo_ ? 1 : 0;
    GXRemoveCols(sheet_, EngineCol(from), static_cast<int>(std::min<ROWCOL>(to - from + 1, kGXMaxCol + 1)));
    s->undoRecording = recording;
    FinishOperation(0, 0);
    FinishOperation(0, 1);
  }
  return CGXData::StoreRemoveCols(from, to);
}

BOOL CGXFormulaSheet::StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (to >= from && to <= static_cast<ROWCOL>(kGXMaxRow) && dest <= static_cast<ROWCOL>(kGXMaxRow)) {
    GXMoveRowsCols(sheet_, true, EngineRow(from), EngineRow(to), EngineRow(dest));
    FinishOperation(1, 0);
    FinishOperation(0, 1);
  }
  return CGXData::StoreMoveRows(from, to, dest);
}

BOOL CGXFormulaSheet::StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (to >= from && to <= static_cast<ROWCOL>(kGXMaxCol + 1) && dest <= static_cast<ROWCOL>(kGXMaxCol + 1)) {
    GXMoveRowsCols(sheet_, false, EngineCol(from), EngineCol(to), EngineCol(dest));
    FinishOperation(1, 0);
    FinishOperation(0, 1);
  }
  return CGXData::StoreMoveCols(from, to, dest);
}

BOOL CGXFormulaSheet::StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol) {
  GX_REF source = EngineRange(range);
  GX_SHEET* s = GXSheetGet(sheet_);
  int recording = s->undoRecording;
  s->undoRecording = recordUndo_ ? 1 : 0;
  int row = EngineRow(std::min<ROWCOL>(destRow, kGXMaxRow)), col = EngineCol(std::min<ROWCOL>(destCol, kGXMaxCol + 1));
  GXCopyCells(sheet_, source, row, col, 1);
  s->undoRecording = recording;
  GXAddChangedRange(sheet_, GXDestRange(source, row, col));
  FinishOperation(1, 1);
  return TRUE;
}

void CGXFormulaSheet::ReinsertCells(GX_CELL*& list) {
  GX_SHEET* s = GXSheetGet(sheet_);
  while (GX_CELL* cell = list) {
    list = cell->next;
    cell->next = nullptr;
    GX_CELL_POOL& pool = GXPoolForKind(s, cell->Kind());
    if (cell->block->pool != &pool) {
      // Saved before the sheet was emptied: bring it into this sheet's pool.
      GX_CELL* copy = GXCellCopy(pool, cell);
      cell->style = nullptr;
      GXCellFree(cell);
      cell = copy;
    }
    GXCellRemove(sheet_, GXCellFind(sheet_, cell->row, cell->col));
    cell->flags |= kGXChanged;
    GXCellLink(sheet_, cell);
    // Formulas that read the restored cell must be computed again.
    GX_REF at;
    GXRefMake(at, cell->row, cell->col, cell->row, cell->col, 0);
    GXAddChangedRange(sheet_, at);
  }
}

BOOL CGXFormulaSheet::StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undo,
                                     BOOL record, int commandMode) {
  auto* info = dynamic_cast<CGXUndoEngineCellsInfo*>(undo);
  GX_SHEET* s = GXSheetGet(sheet_);
  GX_REF source = EngineRange(range);
  int row = EngineRow(std::min<ROWCOL>(destRow, kGXMaxRow)), col = EngineCol(std::min<ROWCOL>(destCol, kGXMaxCol + 1));
  GXDeferScope defer(sheet_);
  s->undoRecording = record ? 1 : 0;
  if (info) ReinsertCells(info->second);
  GXMoveCells(sheet_, source, row, col);
  if (info) ReinsertCells(info->first);
  // The cells the move overwrote go into the caller's info, so that moving
  // back with it puts them back.
  auto infoToFill = [&]() -> CGXUndoEngineCellsInfo& {
    if (info == nullptr) {
      info = new CGXUndoEngineCellsInfo;
      undo = info;
    }
    return *info;
  };
  GX_CELL* moved = s->savedCells;
  s->savedCells = nullptr;
  if (record) PrependList(infoToFill().first, moved);
  else GXFreeCellList(moved);
  s->undoRecording = record && (commandMode == 0 || commandMode == 3) ? 1 : 0;
  GXAddChangedRange(sheet_, GXDestRange(source, row, col));
  int computeNow = s->computeNow;
  s->computeNow = 1;
  GXRecalc(sheet_);
  s->computeNow = computeNow;
  GX_CELL* recalculated = s->savedCells;
  s->savedCells = nullptr;
  if (record && recalculated) PrependList(infoToFill().second, recalculated);
  else GXFreeCellList(recalculated);
  s->undoRecording = 0;
  return TRUE;
}

void CGXFormulaSheet::MoveDataRowsInOrder(const CGXRange& range, const std::vector<int>& order) {
  GX_REF r = EngineRange(range);
  bool whole = range.IsRows() || range.IsTable();
  GXPermute(sheet_, true, r.Row1(), r.Row2(), !whole, r.Col1(), r.Col2(), order);
}

void CGXFormulaSheet::MoveDataColsInOrder(const CGXRange& range, const std::vector<int>& order) {
  GX_REF r = EngineRange(range);
  bool whole = range.IsCols() || range.IsTable();
  GXPermute(sheet_, false, r.Col1(), r.Col2(), !whole, r.Row1(), r.Row2(), order);
}

// The engine's cells are permuted first (their formulas' references follow
// the rule of range permutations); then the plain data object's styles.
BOOL CGXFormulaSheet::StoreMoveDataRows(const CGXRange& range, const CDWordArray& order) {
  std::vector<int> offsets(static_cast<std::size_t>(order.GetSize()));
  for (int i = 0; i < order.GetSize(); ++i) offsets[static_cast<std::size_t>(i)] = static_cast<int>(order[i]);
  MoveDataRowsInOrder(range, offsets);
  return CGXData::StoreMoveDataRows(range, order);
}

BOOL CGXFormulaSheet::StoreMoveDataCols(const CGXRange& range, const CDWordArray& order) {
  std::vector<int> offsets(static_cast<std::size_t>(order.GetSize()));
  for (int i = 0; i < order.GetSize(); ++i) offsets[static_cast<std::size_t>(i)] = static_cast<int>(order[i]);
  MoveDataColsInOrder(range, offsets);
  return CGXData::StoreMoveDataCols(range, order);
}

BOOL CGXFormulaSheet::IsCellStale(ROWCOL row, ROWCOL col) {
  GX_CELL* cell = FindCell(row, col);
  if (!cell) return FALSE;
  if (cell->flags & kGXChanged) return TRUE;
  return cell->Kind() == GX_KIND_FORMULA && !(cell->flags & kGXUpToDate);
}

BOOL CGXFormulaSheet::SetCellChanged(ROWCOL row, ROWCOL col, BOOL set) {
  GX_CELL* cell = FindCell(row, col);
  if (!cell) return FALSE;
  if (set)
    cell->flags |= kGXChanged;
  else
    cell->flags &= ~kGXChanged;
  return TRUE;
}

void CGXFormulaSheet::AddChangedRange(const CGXRange& range) { GXAddChangedRange(sheet_, EngineRange(range)); }

void CGXFormulaSheet::Recalculate(BOOL forced) {
  GXDeferScope defer(sheet_);
  if (forced)
    GXRecalcForced(sheet_);
  else
    GXRecalc(sheet_);
}

void CGXFormulaSheet::ResetMessage() { GXSheetGet(sheet_)->messageArmed = 1; }

BOOL CGXFormulaSheet::GetMessageText(CString& text) {
  GX_SHEET* s = GXSheetGet(sheet_);
  if (s->messageArmed) return FALSE;
  text = s->message.c_str();
  return TRUE;
}

CGXUndoEngineCellsInfo* CGXFormulaSheet::TakeUndoInfo() {
  CGXUndoEngineCellsInfo* info = pendingUndo_;
  pendingUndo_ = nullptr;
  return info;
}

BOOL CGXFormulaSheet::SetUndoRecording(BOOL record) {
  BOOL previous = recordUndo_;
  recordUndo_ = record ? TRUE : FALSE;
  return previous;
}

BOOL CGXFormulaSheet::ApplyUndoInfo(CObject* object, BOOL record, BOOL firstListKept) {
  auto* info = dynamic_cast<CGXUndoEngineCellsInfo*>(object);
  if (!info) return FALSE;
  GX_SHEET* s = GXSheetGet(sheet_);
  GXDeferScope defer(sheet_);
  int recording = s->undoRecording;
  s->undoRecording = record ? 1 : 0;
  if (info->clear) GXClearRange(sheet_, info->range);
  ReinsertCells(info->second);
  if (!firstListKept) ReinsertCells(info->first);
  // An empty range (row 0) marks nothing; the restored cells were announced
  // one by one above.
  if (info->range.Row1() > 0) GXAddChangedRange(sheet_, info->range);
  if (record) {
    PrependList(firstListKept ? info->second : info->first, s->savedCells);
    s->savedCells = nullptr;
    info->clear = 0;
  }
  s->undoRecording = recording;
  return TRUE;
}

BOOL CGXFormulaSheet::SetRangeName(LPCTSTR name, const CGXRange& range, CObject* undo) {
  GX_REF ref = EngineRange(range);
  ref.Set(GX_REF::kOneCell, false);
  auto* info = dynamic_cast<CGXUndoEngineCellsInfo*>(undo);
  if (info && info->savedName) {
    GXRestoreName(sheet_, info->savedName);
    info->savedName = nullptr;
  } else {
    GXDefineName(sheet_, name, ref);
    GXRecalcForced(sheet_);
  }
  if (info) ReinsertCells(info->first);
  return TRUE;
}

BOOL CGXFormulaSheet::GetRangeName(LPCTSTR name, CGXRange& range) {
  GX_REF ref;
  if (!GXFindName(sheet_, name, &ref)) return FALSE;
  range.SetCells(static_cast<ROWCOL>(ref.Row1()), static_cast<ROWCOL>(ref.Col1()) + 1, static_cast<ROWCOL>(ref.Row2()),
                 static_cast<ROWCOL>(ref.Col2()) + 1);
  return TRUE;
}

BOOL CGXFormulaSheet::DeleteRangeName(LPCTSTR name, CObject*& undo, BOOL record) {
  GX_SHEET* s = GXSheetGet(sheet_);
  s->undoRecording = record ? 1 : 0;
  int existed = GXDeleteName(sheet_, name);
  s->undoRecording = 0;
  if (record && existed) {
    auto* info = dynamic_cast<CGXUndoEngineCellsInfo*>(undo);
    if (!info) {
      info = new CGXUndoEngineCellsInfo;
      undo = info;
    }
    PrependList(info->first, s->savedCells);
    s->savedCells = nullptr;
    if (s->savedName) {
      delete info->savedName;
      info->savedName = s->savedName;
      s->savedName = nullptr;
    }
  }
  return existed;
}

void CGXFormulaSheet::SetNamesFromText(const CStringArray& names) {
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    std::string name;
    GX_REF ref;
    if (!GXNameFromText(static_cast<LPCTSTR>(names[i]), name, ref)) continue;
    CGXRange range(static_cast<ROWCOL>(ref.Row1()), static_cast<ROWCOL>(ref.Col1()) + 1,
                   static_cast<ROWCOL>(ref.Row2()), static_cast<ROWCOL>(ref.Col2()) + 1);
    SetRangeName(name.c_str(), range, nullptr);
  }
}
