#include "grid/features/GXCoveredCells.h"

#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXFeatureTexts.h"

namespace {

constexpr ROWCOL kLimit = 0x7FFFFFFF;

}  // namespace

// ------------------------------------------------------------------ pool

POSITION CGXCoveredCellPool::Lookup(ROWCOL row, ROWCOL col) const {
  if (row >= lines_.size()) return nullptr;
  const std::vector<POSITION>& line = lines_[row];
  return col < line.size() ? line[col] : nullptr;
}

BOOL CGXCoveredCellPool::Store(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, POSITION pos) {
  if (pos != nullptr && top == bottom && left == right) return FALSE;
  BOOL changed = FALSE;
  for (ROWCOL row = top; row <= bottom; ++row) {
    if (pos == nullptr) {
      if (row >= lines_.size()) break;
      std::vector<POSITION>& line = lines_[row];
      const POSITION old = left < line.size() ? line[left] : nullptr;
      if (old != nullptr) {
        for (ROWCOL col = left; col < line.size() && line[col] == old; ++col) line[col] = nullptr;
        changed = TRUE;
      }
    } else {
      if (row >= lines_.size()) lines_.resize(static_cast<std::size_t>(row) + 1);
      std::vector<POSITION>& line = lines_[row];
      const POSITION old = left < line.size() ? line[left] : nullptr;
      if (old != nullptr && old != pos) return changed;
      if (line.size() <= right) line.resize(static_cast<std::size_t>(right) + 1, nullptr);
      for (ROWCOL col = left; col <= right; ++col) line[col] = pos;
      // The old, wider extent of this block.
      for (ROWCOL col = right + 1; col < line.size() && line[col] == pos; ++col) line[col] = nullptr;
      changed = TRUE;
    }
    if (row == bottom) break;
  }
  return changed;
}

CObject* CGXCoveredCellPoolImpl::CreatePool(CGXGridParam&) { return new CGXCoveredCellPool; }

void CGXCoveredCellPoolImpl::RebuildPool(CObject* object, CGXRangeList& covered) {
  auto* pool = dynamic_cast<CGXCoveredCellPool*>(object);
  if (pool == nullptr) return;
  pool->RemoveAll();
  for (POSITION pos = covered.GetHeadPosition(); pos != nullptr;) {
    const POSITION at = pos;
    const CGXRange* range = covered.GetNext(pos);
    pool->Store(range->top, range->left, range->bottom, range->right, at);
  }
}

// ------------------------------------------------------------ the feature

namespace {

CGXCoveredCellPool* PoolOf(CGXGridParam* param) {
  if (param == nullptr) return nullptr;
  param->EnsureCoveredCellPool();
  return dynamic_cast<CGXCoveredCellPool*>(param->m_pCoveredCellPool);
}

// Whether any block but `except` shares a cell with the rectangle.
BOOL OverlapsOtherBlock(const CGXRangeList& list, const CGXRange& rect, POSITION except) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    const POSITION at = pos;
    const CGXRange* block = list.GetNext(pos);
    if (at == except) continue;
    if (block->top <= rect.bottom && rect.top <= block->bottom && block->left <= rect.right &&
        rect.left <= block->right)
      return TRUE;
  }
  return FALSE;
}

}  // namespace

CGXRange* CGXGridCoveredCellsImp::GetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) {
  if (row >= kLimit || col >= kLimit) return nullptr;
  CGXGridParam* param = grid->GetParam();
  CGXCoveredCellPool* pool = PoolOf(param);
  if (pool == nullptr) return nullptr;
  const POSITION pos = pool->Lookup(row, col);
  if (pos == nullptr) return nullptr;
  range = *param->m_CoveredCellsList.GetAt(pos);
  return &range;
}

BOOL CGXGridCoveredCellsImp::StoreCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                                     ROWCOL right, BOOL set) {
  if (bottom >= kLimit || right >= kLimit) return FALSE;
  CGXGridParam* param = grid->GetParam();
  CGXCoveredCellPool* pool = PoolOf(param);
  if (pool == nullptr) return FALSE;
  const CGXStyle& standard = grid->GetStandardStyle();
  if (param->m_bReadOnlyGuard &&
      (grid->IsReadOnly() || (standard.GetIncludeReadOnly() && standard.GetReadOnly())))
    return FALSE;
  CGXRangeList& list = param->m_CoveredCellsList;
  try {
    const POSITION pos = pool->Lookup(top, left);
    if (!set) {
      if (pos == nullptr) return FALSE;
      const CGXRange block = *list.GetAt(pos);
      if (block.top != top || block.left != left) return FALSE;
      pool->Store(block.top, block.left, block.bottom, block.right, nullptr);
      list.DeleteAt(pos);
      return TRUE;
    }
    const CGXRange rect(std::min(top, bottom), std::min(left, right), std::max(top, bottom), std::max(left, right));
    if (pos != nullptr) {
      CGXRange* block = list.GetAt(pos);
      if (block->top != top || block->left != left) return FALSE;  // starts inside another block
      if (*block == rect) return FALSE;
      // Blocks never overlap: the whole new extent is checked before the
      // pool or the list change.
      if (OverlapsOtherBlock(list, rect, pos)) return FALSE;
      pool->Store(block->top, block->left, block->bottom, block->right, nullptr);
      *block = rect;
      pool->Store(rect.top, rect.left, rect.bottom, rect.right, pos);
      return TRUE;
    }
    if (OverlapsOtherBlock(list, rect, nullptr)) return FALSE;
    const POSITION added = list.AddTail(new CGXRange(rect));
    pool->Store(rect.top, rect.left, rect.bottom, rect.right, added);
    return TRUE;
  } catch (CMemoryException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL CGXGridCoveredCellsImp::SetCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                                   ROWCOL right, UINT flags, int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  CGXRange old;
  ROWCOL oldBottom = top, oldRight = left;
  if (grid->GetCoveredCellsRowCol(top, left, old) != nullptr) oldBottom = old.bottom, oldRight = old.right;
  const BOOL remove = top == bottom && left == right;
  if (!grid->StoreCoveredCellsRowCol(top, left, bottom, right, !remove)) return FALSE;
  CGXRange update(top, left, std::max(bottom, oldBottom), std::max(right, oldRight));
  grid->DelayFloatCells(update);
  grid->DelayMergeCells(update);
  grid->UpdateCoveredCellsRowCol(update.top, update.left, update.bottom, update.right, flags, TRUE);
  CGXCommandFactory* factory = GXGetCommandFactory(grid);
  if (factory != nullptr && commandMode != CGXGridCore::kNoUndo && param->m_bUndoEnabled) {
    grid->AddCommand(factory->CreateSetCoveredCellsCommand(top, left, oldBottom, oldRight), commandMode);
    if (commandMode == CGXGridCore::kAsUndo || commandMode == CGXGridCore::kAsRedo)
      grid->ShowUndoneCell(top, left, TRUE);
  }
  return TRUE;
}

void CGXGridCoveredCellsImp::UpdateCoveredCellsRowCol(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                                      ROWCOL right, UINT flags, BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawWithCoveredCells(grid, top, left, bottom, right, flags);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_bLockRedraw) return;
  CGXRange block;
  if (grid->GetCoveredCellsRowCol(top, left, block) != nullptr) {
    bottom = std::max(bottom, block.bottom);
    right = std::max(right, block.right);
    ROWCOL row = 0, col = 0;
    if (grid->GetCurrentCell(row, col) && block.IsCellInRange(row, col) && (row != top || col != left))
      grid->SetCurrentCell(top, left, flags | 8);
  }
  grid->RedrawRowCol(top, left, bottom, right, flags, FALSE);
}

void CGXGridCoveredCellsImp::ExpandToCoveredCells(CGXGridCore* grid, CGXRange& range) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_CoveredCellsList.IsEmpty() || !range.IsValid()) return;
  CGXRange block;
  for (ROWCOL row = range.top; row <= range.bottom; ++row) {
    for (ROWCOL col = range.left; col <= range.right; ++col) {
      if (grid->GetCoveredCellsRowCol(row, col, block) != nullptr) {
        range.SetUnion(CGXRange(range), block);
        col = block.right;
      }
      if (col >= range.right) break;
    }
    if (row >= range.bottom) break;
  }
}

BOOL CGXGridCoveredCellsImp::PrepareRemoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags,
                                               int commandMode) {
  return PrepareRemove(grid, TRUE, from, to, flags, commandMode);
}

BOOL CGXGridCoveredCellsImp::PrepareRemoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, UINT& flags,
                                               int commandMode) {
  return PrepareRemove(grid, FALSE, from, to, flags, commandMode);
}

BOOL CGXGridCoveredCellsImp::PrepareRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, UINT& flags,
                                           int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || commandMode != CGXGridCore::kRecordUndo) return FALSE;
  const BOOL oldLock = param->m_bLockRedraw;
  param->m_bLockRedraw = TRUE;
  grid->BeginTrans(GXFeatureText(rows ? 20145 : 20146));
  // The blocks change while we go: work on a copy of their extents.
  std::vector<CGXRange> blocks;
  for (POSITION pos = param->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;)
    blocks.push_back(*param->m_CoveredCellsList.GetNext(pos));
  BOOL changed = FALSE;
  for (const CGXRange& b : blocks) {
    const ROWCOL start = rows ? b.top : b.left, end = rows ? b.bottom : b.right;
    if (start < from && end >= from && end <= to) {
      grid->SetCoveredCellsRowCol(b.top, b.left, b.top, b.left, flags, CGXGridCore::kRecordUndo);
      if (rows) {
        grid->SetCoveredCellsRowCol(b.top, b.left, from - 1, b.right, flags, CGXGridCore::kRecordUndo);
      } else {
        grid->SetCoveredCellsRowCol(b.top, b.left, b.bottom, from - 1, flags, CGXGridCore::kRecordUndo);
      }
      changed = TRUE;
    } else if (start >= from && start <= to) {
      grid->SetCoveredCellsRowCol(b.top, b.left, b.top, b.left, flags, CGXGridCore::kRecordUndo);
      changed = TRUE;
    }
  }
  if (changed) flags = 1;
  param->m_bLockRedraw = oldLock;
  grid->CommitTrans();
  return changed;
}
