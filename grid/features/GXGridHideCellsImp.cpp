#include "grid/features/GXGridHideCellsImp.h"

#include <memory>
#include <vector>

#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXCommandFactory.h"

// ------------------------------------------------------------ bit arrays

BOOL GXTestHiddenBit(const CByteArray& bits, ROWCOL index) {
  const ROWCOL byte = index / 8;
  if (byte >= static_cast<ROWCOL>(bits.GetSize())) return FALSE;
  return (bits.GetAt(static_cast<int>(byte)) >> (index % 8)) & 1;
}

void GXSetHiddenBit(CByteArray& bits, ROWCOL index, BOOL set) {
  const ROWCOL byte = index / 8;
  if (byte >= static_cast<ROWCOL>(bits.GetSize())) {
    if (!set) return;
    const int old = bits.GetSize();
    bits.SetSize(static_cast<int>(byte) + 1);
    for (int i = old; i < bits.GetSize(); ++i) bits.SetAt(i, 0);
  }
  BYTE value = bits.GetAt(static_cast<int>(byte));
  const BYTE mask = static_cast<BYTE>(1u << (index % 8));
  value = set ? static_cast<BYTE>(value | mask) : static_cast<BYTE>(value & ~mask);
  bits.SetAt(static_cast<int>(byte), value);
}

namespace {

// The hidden indexes of an array (its set bits), as a list.
std::vector<ROWCOL> SetBits(const CByteArray& bits) {
  std::vector<ROWCOL> out;
  for (int b = 0; b < bits.GetSize(); ++b) {
    const BYTE value = bits.GetAt(b);
    for (int i = 0; value != 0 && i < 8; ++i)
      if ((value >> i) & 1) out.push_back(static_cast<ROWCOL>(b) * 8 + static_cast<ROWCOL>(i));
  }
  return out;
}

void Rebuild(CByteArray& bits, const std::vector<ROWCOL>& hidden, int minBytes) {
  bits.SetSize(minBytes);
  for (int i = 0; i < minBytes; ++i) bits.SetAt(i, 0);
  for (ROWCOL index : hidden) GXSetHiddenBit(bits, index, TRUE);
}

ROWCOL BitCount(const CByteArray& bits) { return static_cast<ROWCOL>(bits.GetSize()) * 8; }

}  // namespace

void GXInsertHiddenBits(CByteArray& bits, ROWCOL at, ROWCOL count) {
  if (count == 0 || at >= BitCount(bits)) return;
  std::vector<ROWCOL> hidden = SetBits(bits);
  for (ROWCOL& index : hidden)
    if (index >= at) index += count;
  Rebuild(bits, hidden, bits.GetSize() + static_cast<int>((count + 7) / 8));
}

void GXRemoveHiddenBits(CByteArray& bits, ROWCOL from, ROWCOL to) {
  if (to < from || from >= BitCount(bits)) return;
  std::vector<ROWCOL> kept;
  for (ROWCOL index : SetBits(bits)) {
    if (index < from) {
      kept.push_back(index);
    } else if (index > to) {
      kept.push_back(index - (to - from + 1));
    }
  }
  Rebuild(bits, kept, bits.GetSize());
}

void GXMoveHiddenBits(CByteArray& bits, ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (from == dest || to < from) return;
  const ROWCOL n = to - from + 1;
  // Every index keeps its state: the block lands at dest, the rows between
  // shift by the block's size.
  std::vector<ROWCOL> moved;
  for (ROWCOL index : SetBits(bits)) {
    if (index >= from && index <= to) {
      moved.push_back(index - from + dest);
    } else if (dest < from && index >= dest && index < from) {
      moved.push_back(index + n);
    } else if (dest > from && index > to && index < dest + n) {
      moved.push_back(index - n);
    } else {
      moved.push_back(index);
    }
  }
  Rebuild(bits, moved, bits.GetSize());
}

// ------------------------------------------------------------- the feature

namespace {

CByteArray* Bits(CGXGridCore* grid, BOOL rows) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return nullptr;
  return rows ? &param->m_abHiddenRows : &param->m_abHiddenCols;
}

}  // namespace

void CGXGridHideCellsImp::AdjustAfterInsertRows(CGXGridCore* grid, ROWCOL at, ROWCOL count) {
  if (CByteArray* bits = Bits(grid, TRUE)) GXInsertHiddenBits(*bits, at, count);
}
void CGXGridHideCellsImp::AdjustAfterInsertCols(CGXGridCore* grid, ROWCOL at, ROWCOL count) {
  if (CByteArray* bits = Bits(grid, FALSE)) GXInsertHiddenBits(*bits, at, count);
}
void CGXGridHideCellsImp::AdjustAfterRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to) {
  if (CByteArray* bits = Bits(grid, TRUE)) GXRemoveHiddenBits(*bits, from, to);
}
void CGXGridHideCellsImp::AdjustAfterRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to) {
  if (CByteArray* bits = Bits(grid, FALSE)) GXRemoveHiddenBits(*bits, from, to);
}
void CGXGridHideCellsImp::AdjustAfterMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (CByteArray* bits = Bits(grid, TRUE)) GXMoveHiddenBits(*bits, from, to, dest);
}
void CGXGridHideCellsImp::AdjustAfterMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (CByteArray* bits = Bits(grid, FALSE)) GXMoveHiddenBits(*bits, from, to, dest);
}

BOOL CGXGridHideCellsImp::IsRowHidden(CGXGridCore* grid, ROWCOL row) {
  // The column headers print only when the print settings ask for them.
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  if (row == 0 && grid->IsPrinting() && param->GetProperties() != nullptr &&
      !param->GetProperties()->m_bPrintColHeaders)
    return TRUE;
  return GXTestHiddenBit(param->m_abHiddenRows, row);
}

BOOL CGXGridHideCellsImp::IsColHidden(CGXGridCore* grid, ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  if (col == 0 && grid->IsPrinting() && param->GetProperties() != nullptr &&
      !param->GetProperties()->m_bPrintRowHeaders)
    return TRUE;
  return GXTestHiddenBit(param->m_abHiddenCols, col);
}

BOOL CGXGridHideCellsImp::StoreHideRow(CGXGridCore* grid, ROWCOL row, BOOL hide) {
  CByteArray* bits = Bits(grid, TRUE);
  if (bits == nullptr) return FALSE;
  GXSetHiddenBit(*bits, row, hide);
  return TRUE;
}

BOOL CGXGridHideCellsImp::StoreHideCol(CGXGridCore* grid, ROWCOL col, BOOL hide) {
  CByteArray* bits = Bits(grid, FALSE);
  if (bits == nullptr) return FALSE;
  GXSetHiddenBit(*bits, col, hide);
  return TRUE;
}

BOOL CGXGridHideCellsImp::HideRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags,
                                   int commandMode) {
  return HideRange(grid, TRUE, from, to, hide, nullptr, flags, commandMode);
}

BOOL CGXGridHideCellsImp::HideCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, BOOL hide, UINT flags,
                                   int commandMode) {
  return HideRange(grid, FALSE, from, to, hide, nullptr, flags, commandMode);
}

BOOL CGXGridHideCellsImp::HideRange(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, BOOL hide,
                                    const BOOL* states, UINT flags, int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  if (to == 0) to = from;
  if (to < from) return FALSE;
  CGXLongOperation scope;
  const ROWCOL count = to - from + 1;
  std::unique_ptr<int[]> sizes(new int[count]);
  if (rows) {
    grid->GetRowHeights(from, to, sizes.get());
  } else {
    grid->GetColWidths(from, to, sizes.get());
  }
  std::unique_ptr<BOOL[]> old(new BOOL[count]);
  BOOL changed = FALSE;
  for (ROWCOL i = 0; i < count; ++i) {
    const ROWCOL index = from + i;
    old[i] = rows ? grid->IsRowHidden(index) : grid->IsColHidden(index);
    const BOOL want = states != nullptr ? states[i] : hide;
    changed |= rows ? grid->StoreHideRow(index, want) : grid->StoreHideCol(index, want);
    scope.CheckElapsed();
  }
  if (!changed) return FALSE;
  const CGXRange range = rows ? CGXRange().SetRows(from, to) : CGXRange().SetCols(from, to);
  grid->DelayMergeCells(range);
  grid->DelayFloatCells(range);
  if (rows) {
    grid->UpdateChangedRowHeights(from, to, sizes.get(), flags, TRUE);
  } else {
    grid->UpdateChangedColWidths(from, to, sizes.get(), flags, TRUE);
  }
  CGXCommandFactory* factory = GXGetCommandFactory(grid);
  if (factory != nullptr && commandMode != CGXGridCore::kNoUndo && param->m_bUndoEnabled) {
    grid->AddCommand(factory->CreateHideCommand(rows, from, to, old.release()), commandMode);
    if (commandMode == CGXGridCore::kAsUndo || commandMode == CGXGridCore::kAsRedo)
      grid->ShowUndoneCell(rows ? from : grid->GetTopRow(), rows ? grid->GetLeftCol() : from, FALSE);
  }
  return TRUE;
}
