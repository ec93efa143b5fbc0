#include "grid/core/GXData.h"

#include <algorithm>

#include "grid/core/GXAppData.h"

IMPLEMENT_SERIAL(CGXStylePtrArray, CPtrArray, 0)
IMPLEMENT_DYNAMIC(CGXStylePtrArrayPtrArray, CPtrArray)
IMPLEMENT_SERIAL(CGXData, CObject, 0)

void CGXStylePtrArray::DeleteAll() {
  for (int i = 0; i < GetSize(); ++i) delete static_cast<CGXStyle*>(GetAt(i));
  RemoveAll();
}

void CGXStylePtrArray::CopyFrom(const CGXStylePtrArray& other) {
  DeleteAll();
  SetSize(other.GetSize());
  for (int i = 0; i < other.GetSize(); ++i) {
    const CGXStyle* s = other.StyleAt(i);
    SetAt(i, s ? s->Clone() : nullptr);
  }
}

void CGXStylePtrArray::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeStyleArray(*this, ar);
}

void CGXStylePtrArrayPtrArray::DeleteAll() {
  for (int i = 0; i < GetSize(); ++i) delete static_cast<CGXStylePtrArray*>(GetAt(i));
  RemoveAll();
}

void CGXStylePtrArrayPtrArray::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeRowArrays(*this, ar);
}

void GXMovePtrArrayBlock(CPtrArray& array, DWORD from, DWORD to, DWORD dest) {
  if (to < from) return;
  const DWORD count = to - from + 1;
  const DWORD size = static_cast<DWORD>(array.GetSize());
  if (from == dest || (from >= size && dest >= size)) return;
  const DWORD insertAt = dest > from ? dest + count : dest;
  DWORD src = from;
  array.InsertAt(static_cast<int>(insertAt), nullptr, static_cast<int>(count));
  if (dest < from) src += count;
  const DWORD now = static_cast<DWORD>(array.GetSize());
  for (DWORD i = 0; i < count && src + i < now; ++i) {
    if (void* p = array.GetAt(static_cast<int>(src + i))) array.SetAt(static_cast<int>(insertAt + i), p);
  }
  const DWORD existing = src < now ? std::min(count, now - src) : 0;
  // The block's entries now live at their destination; drop the old slots.
  if (existing > 0) array.RemoveAt(static_cast<int>(src), static_cast<int>(existing));
}

CGXData::~CGXData() { DeleteContents(); }

void CGXData::Serialize(CArchive& ar) {
  if (CGXGridDocSerializeImp* imp = GXGetAppData()->m_pDocSerializeImp) imp->SerializeData(*this, ar);
}

void CGXData::DeleteContents() {
  rowStyles_.DeleteAll();
  colStyles_.DeleteAll();
  cells_.DeleteAll();
}

CGXData& CGXData::operator=(const CGXData& other) {
  if (&other == this) return *this;
  DeleteContents();
  rowCount_ = other.rowCount_;
  colCount_ = other.colCount_;
  rowStyles_.CopyFrom(other.rowStyles_);
  colStyles_.CopyFrom(other.colStyles_);
  cells_.SetSize(other.cells_.GetSize());
  for (int r = 0; r < other.cells_.GetSize(); ++r) {
    const CGXStylePtrArray* row = other.cells_.RowAt(r);
    if (row == nullptr) {
      cells_.SetAt(r, nullptr);
      continue;
    }
    auto* copy = new CGXStylePtrArray;
    copy->CopyFrom(*row);
    cells_.SetAt(r, copy);
  }
  return *this;
}

void CGXData::InitParam(CObject*) {}

BOOL CGXData::StoreRowCount(ROWCOL n) {
  if (n < rowCount_) return StoreRemoveRows(n + 1, rowCount_);
  if (n > rowCount_) return StoreInsertRows(rowCount_ + 1, n - rowCount_);
  return TRUE;
}

BOOL CGXData::StoreColCount(ROWCOL n) {
  if (n < colCount_) return StoreRemoveCols(n + 1, colCount_);
  if (n > colCount_) return StoreInsertCols(colCount_ + 1, n - colCount_);
  return TRUE;
}

BOOL CGXData::StoreInsertRows(ROWCOL row, ROWCOL count) {
  rowStyles_.InsertAt(static_cast<int>(row), nullptr, static_cast<int>(count));
  cells_.InsertAt(static_cast<int>(row), nullptr, static_cast<int>(count));
  rowCount_ += count;
  return TRUE;
}

BOOL CGXData::StoreInsertCols(ROWCOL col, ROWCOL count) {
  colStyles_.InsertAt(static_cast<int>(col), nullptr, static_cast<int>(count));
  for (int r = 0; r < cells_.GetSize(); ++r) {
    if (CGXStylePtrArray* row = cells_.RowAt(r)) row->InsertAt(static_cast<int>(col), nullptr, static_cast<int>(count));
  }
  colCount_ += count;
  return TRUE;
}

namespace {

// Deletes and removes the entries from..to of an owning array, as far as it
// reaches.
template <class T>
void RemoveOwned(CPtrArray& array, ROWCOL from, ROWCOL to) {
  const ROWCOL size = static_cast<ROWCOL>(array.GetSize());
  if (from >= size) return;
  const ROWCOL last = std::min(to, size - 1);
  for (ROWCOL i = from; i <= last; ++i) delete static_cast<T*>(array.GetAt(static_cast<int>(i)));
  array.RemoveAt(static_cast<int>(from), static_cast<int>(last - from + 1));
}

}  // namespace

BOOL CGXData::StoreRemoveRows(ROWCOL from, ROWCOL to) {
  if (from > rowCount_ || to < from) return TRUE;
  // Rows beyond the count are not there to remove.
  to = std::min(to, rowCount_);
  RemoveOwned<CGXStyle>(rowStyles_, from, to);
  RemoveOwned<CGXStylePtrArray>(cells_, from, to);
  rowCount_ -= to - from + 1;
  return TRUE;
}

BOOL CGXData::StoreRemoveCols(ROWCOL from, ROWCOL to) {
  if (from > colCount_ || to < from) return TRUE;
  to = std::min(to, colCount_);
  RemoveOwned<CGXStyle>(colStyles_, from, to);
  for (int r = 0; r < cells_.GetSize(); ++r) {
    if (CGXStylePtrArray* row = cells_.RowAt(r)) RemoveOwned<CGXStyle>(*row, from, to);
  }
  colCount_ -= to - from + 1;
  return TRUE;
}

BOOL CGXData::StoreMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest) {
  GXMovePtrArrayBlock(rowStyles_, from, to, dest);
  GXMovePtrArrayBlock(cells_, from, to, dest);
  return TRUE;
}

BOOL CGXData::StoreMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest) {
  GXMovePtrArrayBlock(colStyles_, from, to, dest);
  for (int r = 0; r < cells_.GetSize(); ++r) {
    if (CGXStylePtrArray* row = cells_.RowAt(r)) GXMovePtrArrayBlock(*row, from, to, dest);
  }
  return TRUE;
}

BOOL CGXData::StoreCopyCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol) {
  CGXAbstractDataCopyMoveCellsImp* imp = GXGetAppData()->m_pDataCopyMoveCellsImp;
  return imp != nullptr && imp->CopyCells(*this, range, destRow, destCol);
}

BOOL CGXData::StoreMoveCells(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undo, BOOL record,
                             int commandMode) {
  CGXAbstractDataCopyMoveCellsImp* imp = GXGetAppData()->m_pDataCopyMoveCellsImp;
  return imp != nullptr && imp->MoveCells(*this, range, destRow, destCol, undo, record, commandMode);
}

BOOL CGXData::StoreMoveDataRows(const CGXRange& range, const CDWordArray& order) {
  CGXAbstractGridSortMoveDataImp* imp = GXGetAppData()->m_pSortMoveDataImp;
  return imp != nullptr && imp->MoveDataRows(*this, range, order);
}

BOOL CGXData::StoreMoveDataCols(const CGXRange& range, const CDWordArray& order) {
  CGXAbstractGridSortMoveDataImp* imp = GXGetAppData()->m_pSortMoveDataImp;
  return imp != nullptr && imp->MoveDataCols(*this, range, order);
}

namespace {

// Merges a style into an owned slot, or stores a clone there.
void StoreInto(CPtrArray& array, int index, const CGXStyle& style, int mode) {
  if (auto* existing = static_cast<CGXStyle*>(array.GetAt(index))) {
    existing->ChangeStyle(style, mode);
  } else if (mode != 3) {
    array.SetAt(index, style.Clone());
  }
}

void DeleteAt(CPtrArray& array, int index) {
  if (index < array.GetSize()) {
    delete static_cast<CGXStyle*>(array.GetAt(index));
    array.SetAt(index, nullptr);
  }
}

}  // namespace

BOOL CGXData::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int kind) {
  rowCount_ = std::max(rowCount_, row);
  colCount_ = std::max(colCount_, col);
  CGXStyle* stored = nullptr;
  if (kind == -1) {
    CGXStylePtrArray& array = row != 0 ? rowStyles_ : colStyles_;
    const int index = static_cast<int>(row != 0 ? row : col);
    if (style == nullptr) {
      DeleteAt(array, index);
      return TRUE;
    }
    if (array.GetSize() <= index) array.SetSize(index + 1);
    StoreInto(array, index, *style, mode);
    stored = array.StyleAt(index);
  } else {
    if (style == nullptr) {
      if (CGXStylePtrArray* cells = cells_.RowAt(static_cast<int>(row))) DeleteAt(*cells, static_cast<int>(col));
      return TRUE;
    }
    if (cells_.GetSize() < static_cast<int>(rowCount_ + 1)) cells_.SetSize(static_cast<int>(rowCount_ + 1));
    auto* cells = cells_.RowAt(static_cast<int>(row));
    if (cells == nullptr) {
      cells = new CGXStylePtrArray;
      cells_.SetAt(static_cast<int>(row), cells);
    }
    if (cells->GetSize() < static_cast<int>(colCount_ + 1)) cells->SetSize(static_cast<int>(colCount_ + 1));
    StoreInto(*cells, static_cast<int>(col), *style, mode);
    stored = cells->StyleAt(static_cast<int>(col));
  }
  CGXNumberFormattingImp* numbers = GXGetAppData()->m_pNumberFormattingImp;
  if (kind == 1 && numbers != nullptr && mode != 3 && stored != nullptr && style->GetIncludeValue() &&
      style->GetValueType() != 1) {
    double value = 0;
    if (numbers->TextToNumber(style->GetValue(), value, FALSE, FALSE)) stored->SetValueType(1);
  }
  return TRUE;
}

BOOL CGXData::GetStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int kind) const {
  if (row > rowCount_ || col > colCount_) return FALSE;
  const CGXStyle* stored = nullptr;
  if (kind == -1) {
    stored = row != 0 ? rowStyles_.StyleAt(static_cast<int>(row)) : colStyles_.StyleAt(static_cast<int>(col));
  } else if (const CGXStylePtrArray* cells = cells_.RowAt(static_cast<int>(row))) {
    stored = cells->StyleAt(static_cast<int>(col));
  }
  if (stored == nullptr) return FALSE;
  if (mode == 2) {
    style.Assign(*stored);
  } else {
    style.ChangeStyle(*stored, mode);
  }
  return TRUE;
}

BOOL CGXData::GetRecalcValue(ROWCOL, ROWCOL) {
  scratch1_.SetValue("");
  return FALSE;
}
