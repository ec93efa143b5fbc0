#include "grid/features/GXGridMoveRowsColsImp.h"

#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXData.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXToolTipProxy.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXFeatureTexts.h"
#include "grid/features/GXSpanCellPool.h"

ROWCOL GXMovedIndex(ROWCOL index, ROWCOL from, ROWCOL to, ROWCOL dest) {
  const ROWCOL n = to - from + 1;
  if (index >= from && index <= to) return index - from + dest;
  if (dest < from && index >= dest && index < from) return index + n;
  if (dest > from && index > to && index < dest + n) return index - n;
  return index;
}

namespace {

bool Records(CGXGridCore* grid, int commandMode) {
  return grid->m_pCommandFactory != nullptr && commandMode != CGXGridCore::kNoUndo && grid->GetParam() != nullptr &&
         grid->GetParam()->m_bUndoEnabled;
}

CGXSpanCellPool* Pool(CObject* pool) { return static_cast<CGXSpanCellPool*>(pool); }

}  // namespace

BOOL CGXGridMoveRowsColsImp::MoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags,
                                      int commandMode) {
  return Move(grid, true, from, to, dest, flags, commandMode);
}

BOOL CGXGridMoveRowsColsImp::MoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags,
                                      int commandMode) {
  return Move(grid, false, from, to, dest, flags, commandMode);
}

BOOL CGXGridMoveRowsColsImp::Move(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags,
                                  int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || to < from) return FALSE;
  // A pending edit goes into its own cell before the rows move under it.
  if (!grid->TransferCurrentCell(TRUE, 2, TRUE)) return FALSE;
  CGXFrameStateSaver frame(grid);
  const bool records = Records(grid, commandMode);
  if (commandMode == CGXGridCore::kRecordUndo) {
    grid->BeginTrans(GXFeatureText(rows ? 20162 : 20163));
    // Covered blocks whose first row (column) moves are recorded so that
    // one Undo puts their covering back where it was.
    const ROWCOL n = to - from + 1;
    for (POSITION pos = param->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;) {
      const CGXRange block = *param->m_CoveredCellsList.GetNext(pos);
      const ROWCOL start = rows ? block.top : block.left;
      const bool inBlock = start >= from && start <= to && (dest < from || dest > to);
      const bool shifted = (dest < from && start >= dest && start < from) || (dest > from && start > to && start < dest + n);
      if (!inBlock && !shifted) continue;
      if (records) {
        grid->AddCommand(new CGXSetCoveredCellsCmd(block.top, block.left, block.bottom, block.right),
                         CGXGridCore::kRecordUndo);
        grid->AddCommand(new CGXSetCoveredCellsCmd(block.top, block.left, block.top, block.left),
                         CGXGridCore::kRecordUndo);
      }
      // The covering must be drawn anew: repaint all, later.
      flags = (flags | 1) & ~6u;
    }
  }
  const BOOL oldDataUndo = grid->EnableDataUndo(param->m_bUndoEnabled && commandMode != CGXGridCore::kNoUndo);
  const BOOL stored = rows ? grid->StoreMoveRows(from, to, dest, FALSE) : grid->StoreMoveCols(from, to, dest, FALSE);
  grid->EnableDataUndo(oldDataUndo);
  if (!stored) {
    grid->DiscardDataUndoInfo();
    if (commandMode == CGXGridCore::kRecordUndo) grid->Rollback();
    return FALSE;
  }
  if (rows) {
    grid->UpdateMoveRows(from, to, dest, flags, TRUE);
  } else {
    grid->UpdateMoveCols(from, to, dest, flags, TRUE);
  }
  if (records) {
    grid->AddCommand(new CGXMoveRowsColsCmd(rows, dest, dest + to - from, from), commandMode);
    if (commandMode == CGXGridCore::kAsUndo || commandMode == CGXGridCore::kAsRedo) {
      grid->ShowUndoneCell(rows ? dest : grid->GetTopRow(), rows ? grid->GetLeftCol() : dest, FALSE);
    }
  } else {
    grid->DiscardDataUndoInfo();
  }
  if (commandMode == CGXGridCore::kRecordUndo) grid->CommitTrans();
  return TRUE;
}

BOOL CGXGridMoveRowsColsImp::StoreMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int force) {
  return StoreMove(grid, true, from, to, dest, force);
}

BOOL CGXGridMoveRowsColsImp::StoreMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int force) {
  return StoreMove(grid, false, from, to, dest, force);
}

BOOL CGXGridMoveRowsColsImp::StoreMove(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest,
                                       BOOL force) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || dest == from || to < from) return FALSE;
  const ROWCOL count = rows ? grid->GetRowCount() : grid->GetColCount();
  // A block or destination beyond the last row would leave holes.
  if (to > count || dest + (to - from) > count) return FALSE;
  CGXData* data = param->GetData();
  const BOOL moved = data != nullptr && (rows ? data->StoreMoveRows(from, to, dest) : data->StoreMoveCols(from, to, dest));
  if (!moved && !force) return FALSE;
  grid->SetModifiedFlag(TRUE);
  if (CGXAbstractGridHideCellsImp* hide = grid->m_pHideCellsImp) {
    if (rows) {
      hide->AdjustAfterMoveRows(grid, from, to, dest);
    } else {
      hide->AdjustAfterMoveCols(grid, from, to, dest);
    }
  }
  (rows ? param->m_RowHeights : param->m_ColWidths).MoveKeys(from, to, dest);
  if (rows) {
    param->m_SelRects.AdjustAfterMoveRows(from, to, dest, count);
    param->m_CoveredCellsList.AdjustAfterMoveRows(from, to, dest, count);
  } else {
    param->m_SelRects.AdjustAfterMoveCols(from, to, dest, count);
    param->m_CoveredCellsList.AdjustAfterMoveCols(from, to, dest, count);
  }
  param->UpdateCoveredCellPool();
  CGXAbstractSpanCellPoolImp* pools = GXGetAppData()->m_pSpanCellPoolImp;
  if (grid->GetFloatCellsMode() != 0 && pools != nullptr) {
    for (CObject* pool : {param->m_pFloatSpanPool, param->m_pPrintFloatSpanPool}) {
      if (pool == nullptr) continue;
      if (rows) {
        pools->MoveRows(Pool(pool), from, to, dest);
      } else {
        pools->MoveCols(Pool(pool), from, to, dest);
      }
    }
  }
  if (grid->GetMergeCellsMode() != 0) {
    // Blocks merged across the moved rows fall apart; blocks within a row
    // travel with it. Everything from the first touched row is merged anew.
    const ROWCOL low = std::min(from, dest);
    CObject* across = rows ? param->m_pMergeVertPool : param->m_pMergeHorzPool;
    CObject* along = rows ? param->m_pMergeHorzPool : param->m_pMergeVertPool;
    if (pools != nullptr && across != nullptr) {
      if (rows) {
        pools->RemoveRows(Pool(across), low, count);
        pools->InsertRows(Pool(across), low, count - low + 1);
      } else {
        pools->RemoveCols(Pool(across), low, count);
        pools->InsertCols(Pool(across), low, count - low + 1);
      }
    }
    if (pools != nullptr && along != nullptr) {
      if (rows) {
        pools->MoveRows(Pool(along), from, to, dest);
      } else {
        pools->MoveCols(Pool(along), from, to, dest);
      }
    }
    grid->DelayMergeCells(rows ? CGXRange().SetRows(low, count) : CGXRange().SetCols(low, count));
  }
  return TRUE;
}

void CGXGridMoveRowsColsImp::UpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags,
                                            BOOL sendHint) {
  UpdateMove(grid, true, from, to, dest, flags);
  if (auto* hints = grid->HintSender(sendHint)) hints->HintUpdateMoveRows(grid, from, to, dest, flags);
}

void CGXGridMoveRowsColsImp::UpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags,
                                            BOOL sendHint) {
  UpdateMove(grid, false, from, to, dest, flags);
  if (auto* hints = grid->HintSender(sendHint)) hints->HintUpdateMoveCols(grid, from, to, dest, flags);
}

// No grid of this system belongs to a document, so no hint goes to other
// views from here.
void CGXGridMoveRowsColsImp::UpdateMove(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest,
                                        UINT flags) {
  CGXGridParam* param = grid->GetParam();
  grid->ResetLastVisible();
  // Cached styles are keyed by position, and the positions just moved.
  grid->FreeObjectCache();
  ROWCOL row = 0, col = 0;
  if (grid->GetCurrentCell(row, col)) {
    if (rows) {
      row = GXMovedIndex(row, from, to, dest);
    } else {
      col = GXMovedIndex(col, from, to, dest);
    }
    grid->StoreCurrentCell(TRUE, row, col);
    CGXControl* control = grid->GetCurrentCellControl();
    if (control != nullptr && control->IsInitialized()) control->Init(row, col);
  }
  if (param != nullptr && !param->m_SelRects.IsEmpty()) {
    grid->m_posCurrentSelection = param->m_SelRects.GetTailPosition();
  }
  const ROWCOL reinsert = dest > from ? dest + (to - from + 1) : dest;
  const ROWCOL low = std::min(from, reinsert);
  if (!grid->m_bLockUpdate && param != nullptr && !param->m_bLockRedraw) {
    const bool frozen = rows ? (grid->IsFrozenRow(from) || grid->IsFrozenRow(to) || grid->IsFrozenRow(reinsert))
                             : (grid->IsFrozenCol(from) || grid->IsFrozenCol(to) || grid->IsFrozenCol(reinsert));
    const ROWCOL first = rows ? grid->GetTopRow() : grid->GetLeftCol();
    if ((flags & 1) || frozen || grid->GetFloatCellsMode() != 0 || grid->GetMergeCellsMode() != 0 || low < first) {
      grid->Redraw(flags, FALSE);
    } else if (flags != 0) {
      // Only what lies from the first moved place on changes.
      if (rows) {
        grid->RedrawRowCol(low, 0, grid->GetRowCount(), grid->GetColCount(), flags, FALSE);
      } else {
        grid->RedrawRowCol(0, low, grid->GetRowCount(), grid->GetColCount(), flags, FALSE);
      }
      if (flags & 7) grid->UpdateScrollbars();
    }
  }
  if (CGXNoToolTipCtrlProxy* tips = grid->GetToolTipProxy()) tips->Reset();
}

BOOL CGXMoveRowsColsCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->MoveRows(from_, to_, dest_, 2, commandMode) : grid->MoveCols(from_, to_, dest_, 2, commandMode);
}

CString CGXMoveRowsColsCmd::GetName() const {
  CString name = GXFeatureText(rows_ ? 20162 : 20163);
  return name.IsEmpty() ? CString(" ") : name;
}
