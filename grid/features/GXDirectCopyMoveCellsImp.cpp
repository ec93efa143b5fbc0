#include "grid/features/GXDirectCopyMoveCellsImp.h"

#include <memory>

#include "grid/core/GXData.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/dialogs/MessageBox.h"

IMPLEMENT_DYNAMIC(CGXDataUndoMoveCellsInfo, CObject)

CGXDataUndoMoveCellsInfo::~CGXDataUndoMoveCellsInfo() {
  for (Entry& e : entries) delete e.style;
}

namespace {

// The block a range stands for: whole rows, columns or the table reach to
// the data object's last row and column.
CGXRange CellBlock(const CGXData& data, const CGXRange& range) {
  CGXRange block(range);
  block.ExpandToCells(1, 1, std::max<ROWCOL>(data.GetRowCount(), 1), std::max<ROWCOL>(data.GetColCount(), 1));
  return block;
}

CGXRange TargetOf(const CGXRange& block, ROWCOL destRow, ROWCOL destCol) {
  return CGXRange(destRow, destCol, destRow + block.GetHeight() - 1, destCol + block.GetWidth() - 1);
}

// The row array at a position, made when missing.
CGXStylePtrArray& RowArray(CGXStylePtrArrayPtrArray& cells, ROWCOL row) {
  CGXStylePtrArray* array = cells.RowAt(static_cast<int>(row));
  if (array == nullptr) {
    array = new CGXStylePtrArray;
    cells.SetAtGrow(static_cast<int>(row), array);
  }
  return *array;
}

// Takes the style out of a cell, leaving it empty.
CGXStyle* Detach(CGXStylePtrArrayPtrArray& cells, ROWCOL row, ROWCOL col) {
  CGXStylePtrArray* array = cells.RowAt(static_cast<int>(row));
  CGXStyle* style = array != nullptr ? array->StyleAt(static_cast<int>(col)) : nullptr;
  if (style != nullptr) array->SetAt(static_cast<int>(col), nullptr);
  return style;
}

void Put(CGXStylePtrArrayPtrArray& cells, ROWCOL row, ROWCOL col, CGXStyle* style) {
  CGXStylePtrArray& array = RowArray(cells, row);
  delete array.StyleAt(static_cast<int>(col));
  array.SetAtGrow(static_cast<int>(col), style);
}

BOOL RecordsUndo(CGXGridCore* grid) {
  return grid->m_pCommandFactory != nullptr && grid->GetParam()->m_bUndoEnabled;
}

}  // namespace

// ------------------------------------------------------------- the data

// A block copied onto an overlapping place reads its cells as they were
// before the copy, as a paste of the same block does: the source is taken
// whole before anything is written.
BOOL CGXDataCopyMoveCellsImp::CopyCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol) {
  const CGXRange block = CellBlock(data, range);
  if (destRow == block.top && destCol == block.left) return TRUE;
  CGXStylePtrArrayPtrArray& cells = data.CellsRef();
  const ROWCOL height = block.GetHeight(), width = block.GetWidth();
  std::vector<std::unique_ptr<CGXStyle>> copies(static_cast<std::size_t>(height) * width);
  std::vector<bool> hasRow(height);
  for (ROWCOL i = 0; i < height; ++i) {
    const CGXStylePtrArray* source = cells.RowAt(static_cast<int>(block.top + i));
    hasRow[i] = source != nullptr;
    if (source == nullptr) continue;
    for (ROWCOL j = 0; j < width; ++j)
      if (const CGXStyle* style = source->StyleAt(static_cast<int>(block.left + j)))
        copies[i * width + j].reset(style->Clone());
  }
  for (ROWCOL i = 0; i < height; ++i) {
    const ROWCOL row = destRow + i;
    if (row >= static_cast<ROWCOL>(cells.GetSize()) && !hasRow[i]) continue;
    CGXStylePtrArray& target = RowArray(cells, row);
    for (ROWCOL j = 0; j < width; ++j) {
      const int col = static_cast<int>(destCol + j);
      std::unique_ptr<CGXStyle>& copy = copies[i * width + j];
      if (copy == nullptr && col >= target.GetSize()) continue;  // empty stays empty
      delete target.StyleAt(col);
      target.SetAtGrow(col, copy.release());
    }
  }
  return TRUE;
}

BOOL CGXDataCopyMoveCellsImp::MoveCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol,
                                        CObject*& undo, BOOL createUndo, int) {
  const CGXRange block = CellBlock(data, range);
  CGXStylePtrArrayPtrArray& cells = data.CellsRef();
  const ROWCOL height = block.GetHeight(), width = block.GetWidth();
  // 1: the moved styles leave their cells.
  std::vector<CGXDataUndoMoveCellsInfo::Entry> moved;
  for (ROWCOL i = 0; i < height; ++i)
    for (ROWCOL j = 0; j < width; ++j)
      if (CGXStyle* style = Detach(cells, block.top + i, block.left + j))
        moved.push_back({destRow + i, destCol + j, style});
  // 2: what lay at the target is kept for undo or dropped.
  std::vector<CGXDataUndoMoveCellsInfo::Entry> overwritten;
  for (ROWCOL i = 0; i < height; ++i) {
    RowArray(cells, destRow + i);
    for (ROWCOL j = 0; j < width; ++j) {
      CGXStyle* style = Detach(cells, destRow + i, destCol + j);
      if (style == nullptr) continue;
      if (createUndo) overwritten.push_back({destRow + i, destCol + j, style});
      else delete style;
    }
  }
  // 3: the moved styles arrive.
  for (const auto& e : moved) Put(cells, e.row, e.col, e.style);
  // 4: undoing a move puts back what that move had overwritten.
  auto* info = dynamic_cast<CGXDataUndoMoveCellsInfo*>(undo);
  if (info != nullptr) {
    for (const auto& e : info->entries) Put(cells, e.row, e.col, e.style);
    info->entries.clear();
  }
  // 5
  if (createUndo) {
    if (info == nullptr) {
      delete undo;  // an object of another kind carries nothing for us
      info = new CGXDataUndoMoveCellsInfo;
      undo = info;
    }
    info->entries = std::move(overwritten);
  }
  return TRUE;
}

// ------------------------------------------------------------- the grid

BOOL CGXGridDirectCopyMoveCellsImp::StoreCopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow,
                                                   ROWCOL destCol) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data == nullptr || data->StoreCopyCells(range, destRow, destCol);
}

BOOL CGXGridDirectCopyMoveCellsImp::StoreMoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow,
                                                   ROWCOL destCol, CObject*& undoInfo, BOOL createUndo,
                                                   int commandMode) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data == nullptr || data->StoreMoveCells(range, destRow, destCol, undoInfo, createUndo, commandMode);
}

BOOL CGXGridDirectCopyMoveCellsImp::CopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow,
                                              ROWCOL destCol, UINT flags) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || grid->IsReadOnly()) return FALSE;
  CGXData* data = param->GetData();
  const CGXRange block = data != nullptr ? CellBlock(*data, range) : range;
  const CGXRange target = TargetOf(block, destRow, destCol);

  grid->BeginTrans(GXFeatureText(20178));
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20178));
  CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp;
  if (longOp != nullptr) longOp->rollbackPossible = TRUE;

  const BOOL undo = RecordsUndo(grid);
  CObArray* styles = nullptr;
  auto tooLarge = [] { return AfxMessageBox(GXFeatureText(20082), MB_OKCANCEL) != IDCANCEL; };
  if (undo) {
    const ROWCOL h = target.GetHeight(), w = target.GetWidth();
    if (static_cast<unsigned long long>(h) * w >= 0x7FFFFFFFull || h > 32767 || w > 32767) {
      if (!tooLarge()) {
        grid->Rollback();
        return FALSE;
      }
    } else {
      try {
        styles = grid->CollectRangeStyles(target, grid->m_nDefaultStoreKind, &scope);
      } catch (CMemoryException* e) {
        e->Delete();
        if (!tooLarge()) {
          grid->Rollback();
          return FALSE;
        }
      } catch (CUserException* e) {
        e->Delete();
        grid->Rollback();
        return FALSE;
      }
    }
  }

  grid->FreeObjectCache();
  grid->MarkRangeRecalc(target);
  const BOOL oldDataUndo = grid->EnableDataUndo(undo);
  const BOOL copied = grid->StoreCopyCells(block, destRow, destCol);
  grid->EnableDataUndo(oldDataUndo);

  if (copied) {
    grid->CommitTrans();
    grid->DelayFloatCells(target);
    grid->DelayMergeCells(target);
    grid->SetModifiedFlag(TRUE);
    CObject* dataUndo = grid->GetDataUndoInfo();
    if (styles != nullptr) {
      if (dataUndo != nullptr) styles->SetAtGrow(static_cast<int>(target.GetHeight() * target.GetWidth()), dataUndo);
      grid->AddCommand(grid->m_pCommandFactory->CreateSetStyleRangeCommand(target, grid->m_nDefaultStoreKind, styles),
                       CGXGridCore::kRecordUndo);
    } else {
      delete dataUndo;
    }
  } else {
    if (styles != nullptr) {
      GXDeletePtrArrayObjects(*styles);
      delete styles;
    }
    grid->DiscardDataUndoInfo();
    grid->Rollback();
  }
  grid->RunDataRecalc(FALSE);
  grid->Redraw(flags);
  return copied;
}

BOOL CGXGridDirectCopyMoveCellsImp::MoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow,
                                              ROWCOL destCol, CObject* undoInfo, UINT flags, int commandMode) {
  std::unique_ptr<CObject> owned(undoInfo);
  CGXGridParam* param = grid->GetParam();
  CGXData* data = param != nullptr ? param->GetData() : nullptr;
  if (data == nullptr || grid->IsReadOnly()) return FALSE;
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20179));
  const CGXRange block = CellBlock(*data, range);
  const CGXRange target = TargetOf(block, destRow, destCol);
  grid->FreeObjectCache();
  if (!grid->m_bChangeMark) {
    grid->MarkRangeRecalc(target);
    grid->MarkRangeRecalc(block);
  }
  const BOOL createUndo = RecordsUndo(grid) && commandMode != CGXGridCore::kNoUndo;
  CObject* info = owned.release();
  const BOOL moved = grid->StoreMoveCells(block, destRow, destCol, info, createUndo, commandMode);
  if (moved) {
    grid->DelayFloatCells(target);
    grid->DelayMergeCells(target);
    grid->DelayFloatCells(block);
    grid->DelayMergeCells(block);
    grid->SetModifiedFlag(TRUE);
    if (createUndo) {
      grid->AddCommand(grid->m_pCommandFactory->CreateMoveCellsCommand(block, destRow, destCol, info), commandMode);
      info = nullptr;
    }
  }
  // Information no command took (a rollback, or undo switched off) is freed.
  delete info;
  grid->RunDataRecalc(FALSE);
  grid->Redraw(flags);
  return moved;
}
