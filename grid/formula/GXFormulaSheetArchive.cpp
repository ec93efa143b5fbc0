// Writing a formula sheet to an archive and reading it back, and copying a
// data object into a formula sheet.
#include <memory>

#include "grid/core/GXStyle.h"
#include "grid/formula/GXCodeToText.h"
#include "grid/formula/GXFormulaSheet.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXParser.h"
#include "grid/formula/GXRecalc.h"
#include "platform/base/Exceptions.h"

namespace {

constexpr WORD kSchema = 1;

CString CutText(const CString& text) {
  std::string s = static_cast<LPCTSTR>(text);
  if (s.size() > kGXMaxText) s.resize(kGXMaxText);
  return CString(s.c_str());
}

// Range-name records of copied formulas point at the source's names: point
// them at this sheet's names of the same spelling instead.
void RebindNames(int sheet, GX_CELL* cell) {
  if (!cell->code) return;
  for (GX_ITEM& item : cell->code->items) {
    if ((item.kind != GX_ITEM_NAMED_CELL && item.kind != GX_ITEM_NAMED_RANGE) || !item.name) continue;
    GX_NAME* own = GXFindName(sheet, item.name->name.c_str(), nullptr);
    if (own) {
      item.name = own;
    } else {
      item.kind = item.kind == GX_ITEM_NAMED_CELL ? GX_ITEM_CELL : GX_ITEM_RANGE;
      item.ref = item.name->ref;
      item.name = nullptr;
    }
  }
}

}  // namespace

void CGXFormulaSheet::Serialize(CArchive& ar) {
  GX_SHEET* s = GXSheetGet(sheet_);
  if (ar.IsStoring()) {
    ar << kSchema;
    CGXData::Serialize(ar);
    GXDeferScope defer(sheet_);
    ar << static_cast<WORD>(s->iterations) << static_cast<WORD>(s->blankZero) << static_cast<WORD>(s->manual)
       << static_cast<WORD>(s->computeNow) << static_cast<WORD>(s->checkConstraints);
    CStringArray names;
    for (const std::string& n : GXNamesToText(sheet_)) names.Add(CString(n.c_str()));
    names.Serialize(ar);
    for (GX_CELL_POOL* pool : {&s->values, &s->formulas, &s->placeholders}) {
      GX_POOL_ITER it;
      GXPoolIterInit(*pool, it);
      while (GX_CELL* cell = GXPoolIterNext(it)) {
        if (!cell->IsLinked()) continue;
        UpdateIfStale(cell);
        ar << static_cast<BYTE>(1) << static_cast<BYTE>(cell->Kind()) << static_cast<BYTE>(cell->ValueKind())
           << static_cast<BYTE>((cell->flags >> 15) & 0xFF) << static_cast<std::int32_t>(cell->row)
           << static_cast<std::int32_t>(cell->col);
        ar << static_cast<const CObject*>(cell->style);
        if (cell->Kind() == GX_KIND_PLACEHOLDER) continue;
        if (cell->IsFormula()) {
          CString text;
          EditTextOf(cell, text);
          ar.WriteCString(text);
        }
        switch (cell->ValueKind()) {
          case GX_VALUE_ERROR: ar << static_cast<WORD>(cell->value.error.code); break;
          case GX_VALUE_NUMBER: ar << cell->value.number; break;
          case GX_VALUE_LONG_TEXT:
          case GX_VALUE_SHORT_TEXT: ar.WriteCString(CString(cell->Text().c_str())); break;
          default: break;
        }
      }
    }
    ar << static_cast<BYTE>(0);
    return;
  }

  WORD schema = 0;
  ar >> schema;
  if (schema != kSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  CGXData::Serialize(ar);
  EmptySheet();
  GXDeferScope defer(sheet_);
  WORD iterations = 0, blankZero = 0, manual = 0, computeNow = 0, constraints = 0;
  ar >> iterations >> blankZero >> manual >> computeNow >> constraints;
  if (iterations <= 100) SetIterationCount(iterations);
  SetBlankZero(blankZero != 0);
  SetManualRecalc(manual != 0);
  SetComputeNow(computeNow != 0);
  SetCheckConstraints(constraints != 0);
  CStringArray names;
  names.Serialize(ar);
  SetNamesFromText(names);
  for (;;) {
    BYTE marker = 0;
    ar >> marker;
    if (marker == 0) break;
    if (marker != 1) AfxThrowArchiveException(CArchiveException::badIndex);
    BYTE kind = 0, valueKind = 0, flags = 0;
    std::int32_t row = 0, col = 0;
    ar >> kind >> valueKind >> flags >> row >> col;
    if (kind > GX_KIND_CONST_FORMULA || valueKind > GX_VALUE_SHORT_TEXT)
      AfxThrowArchiveException(CArchiveException::badIndex);
    // The cell keeps a copy: the archive lets go of the style it read.
    std::unique_ptr<CGXStyle> style;
    {
      const CArchive::ReadCopy read = ar.ReadObjectToCopy(RUNTIME_CLASS(CGXStyle));
      if (auto* stored = read.As<CGXStyle>()) style.reset(stored->Clone());
    }

    // The record is read whole before anything is stored.
    CString formula;
    bool compiled = true;
    auto code = std::make_unique<GX_CODE>();
    if (kind == GX_KIND_FORMULA || kind == GX_KIND_CONST_FORMULA) {
      formula = CutText(ar.ReadCString());
      compiled = GXCompile(sheet_, formula, code.get()) != 0;
    }
    GX_VALUE value;
    value.kind = valueKind;
    if (kind != GX_KIND_PLACEHOLDER) {
      switch (valueKind) {
        case GX_VALUE_ERROR: {
          WORD error = 0;
          ar >> error;
          value.errorCode = error;
          break;
        }
        case GX_VALUE_NUMBER: ar >> value.number; break;
        case GX_VALUE_LONG_TEXT:
        case GX_VALUE_SHORT_TEXT: value.text = static_cast<LPCTSTR>(CutText(ar.ReadCString())); break;
        default: break;
      }
    }
    if (row < 1 || row > kGXMaxRow || col < 0 || col > kGXMaxCol) continue;  // not a place of this sheet

    int cellKind = compiled ? static_cast<int>(kind) : static_cast<int>(GX_KIND_TEXT);
    GX_SHEET* s = GXSheetGet(sheet_);
    GX_CELL* cell = GXPoolAlloc(GXPoolForKind(s, cellKind));
    cell->row = row;
    cell->col = col;
    cell->SetKind(cellKind);
    cell->flags |= static_cast<uint32_t>(flags) << 15;
    cell->style = style.release();
    cell->generation = s->generation;
    if (kind != GX_KIND_PLACEHOLDER) {
      if (!compiled) {
        // A formula that no longer compiles is kept as its text.
        GX_VALUE text;
        text.kind = GX_VALUE_LONG_TEXT;
        text.text = static_cast<LPCTSTR>(formula);
        GXCellStoreValue(cell, text);
      } else {
        if (kind == GX_KIND_FORMULA || kind == GX_KIND_CONST_FORMULA) cell->code = code.release();
        GXCellStoreValue(cell, value);
      }
    }
    GX_CELL* existing = GXCellFind(sheet_, row, col);
    if (existing && cellKind == GX_KIND_PLACEHOLDER) {
      GXCellFree(cell);
      continue;
    }
    GXCellRemove(sheet_, existing);
    GXCellLink(sheet_, cell);
  }
}

CGXData& CGXFormulaSheet::operator=(const CGXData& other) {
  if (&other == this) return *this;
  // The base copy empties this object first (engine sheet included).
  CGXData::operator=(other);
  EmptySheet();
  if (auto* source = dynamic_cast<const CGXFormulaSheet*>(&other)) {
    int from = source->GetEngineSheet();
    GX_SHEET* src = GXSheetGet(from);
    GX_SHEET* s = GXSheetGet(sheet_);
    GXDeferScope defer(sheet_);
    for (const std::string& entry : GXNamesToText(from)) {
      std::string name;
      GX_REF ref;
      if (GXNameFromText(entry, name, ref)) GXDefineName(sheet_, name.c_str(), ref);
    }
    for (GX_CELL_POOL* pool : {&src->placeholders, &src->values, &src->formulas}) {
      GX_POOL_ITER it;
      GXPoolIterInit(*pool, it);
      while (GX_CELL* cell = GXPoolIterNext(it)) {
        if (!cell->IsLinked()) continue;
        GX_CELL* copy = GXCellCopy(GXPoolForKind(s, cell->Kind()), cell);
        copy->style = cell->style ? cell->style->Clone() : nullptr;
        RebindNames(sheet_, copy);
        GXCellRemove(sheet_, GXCellFind(sheet_, copy->row, copy->col));
        GXCellLink(sheet_, copy);
      }
    }
    SetIterationCount(source->GetIterationCount());
    SetBlankZero(source->GetBlankZero());
    SetManualRecalc(source->GetManualRecalc());
    SetComputeNow(source->GetComputeNow());
    SetCheckConstraints(source->GetCheckConstraints());
    return *this;
  }

  // A plain data object: its cell styles become engine cells.
  int lastKept = 0;
  for (int r = 1; r < cells_.GetSize(); ++r) {
    CGXStylePtrArray* row = cells_.RowAt(r);
    if (!row) continue;
    for (int c = 1; c < row->GetSize(); ++c) {
      CGXStyle* style = row->StyleAt(c);
      if (!style) continue;
      row->SetAt(c, nullptr);
      std::unique_ptr<CGXStyle> owned(style);
      if (owned->GetIncludeValue()) {
        const CString& value = owned->GetValue();
        if (!value.IsEmpty())
          StoreInput(static_cast<ROWCOL>(r), static_cast<ROWCOL>(c), value);
        else
          StoreText(static_cast<ROWCOL>(r), static_cast<ROWCOL>(c), "");
      }
      owned->SetIncludeValue(FALSE);
      if (!owned->HasAnyInclude()) continue;
      GX_CELL* cell = FindCell(static_cast<ROWCOL>(r), static_cast<ROWCOL>(c));
      if (!cell) {
        if (!GXCellSetText(sheet_, EngineRow(r), EngineCol(c), "")) continue;
        cell = FindCell(static_cast<ROWCOL>(r), static_cast<ROWCOL>(c));
        GXCellStoreValue(cell, GX_VALUE{});
      }
      delete cell->style;
      cell->style = owned.release();
    }
    if (row->StyleAt(0)) {
      row->SetSize(1);
      lastKept = r;
    } else {
      delete row;
      cells_.SetAt(r, nullptr);
    }
  }
  if (cells_.GetSize() > lastKept + 1) {
    if (cells_.RowAt(0) || lastKept > 0)
      cells_.SetSize(lastKept + 1);
    else
      cells_.SetSize(0);
  }
  return *this;
}
