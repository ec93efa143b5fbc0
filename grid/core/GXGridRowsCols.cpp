// Row and column counts, inserting and removing rows and columns, frozen
// and header rows and columns, the first scrolling row and column and the
// mapping between absolute and on-screen positions.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridAxis.h"
#include "grid/core/GXGridFeatures.h"
#include "grid/core/GXToolTipProxy.h"
#include "grid/core/GXGridCore.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

}  // namespace

// ------------------------------------------------------------------ counts

BOOL GXGridAxis::SetCount(ROWCOL n, UINT flags) {
  const ROWCOL c = Count();
  if (n < c) return rows ? g.RemoveRows(n + 1, c, flags, 0) : g.RemoveCols(n + 1, c, flags, 0);
  if (n > c) {
    return rows ? g.InsertRows(c + 1, n - c, nullptr, nullptr, nullptr, 0, flags, 0)
                : g.InsertCols(c + 1, n - c, nullptr, nullptr, nullptr, 0, flags, 0);
  }
  return TRUE;
}

BOOL GXGridAxis::StoreCount(ROWCOL n) {
  CGXData* data = g.m_pParam ? g.m_pParam->GetData() : nullptr;
  if (g.Guarded() || data == nullptr) return FALSE;
  if (!(rows ? data->StoreRowCount(n) : data->StoreColCount(n))) return FALSE;
  g.SetModifiedFlag(TRUE);
  return TRUE;
}

void GXGridAxis::UpdateCount(ROWCOL oldCount, UINT flags) {
  if (g.m_bCurrentCell && CurrentIndex() > Count()) g.ResetCurrentCell(FALSE);
  if (g.m_pParam == nullptr || g.m_pParam->m_bLockRedraw) return;
  const ROWCOL first = std::min(oldCount, Count());
  g.ResetLastVisible();
  if (g.m_pTooltipProxy != nullptr) g.m_pTooltipProxy->Reset();
  if ((flags & 7) == 0) return;
  g.UpdateScrollbars();
  if (!g.m_bInitDone || g.m_pGridWnd == nullptr || g.m_pGridWnd->m_hWnd == nullptr) return;
  BOOL lastShown = FALSE;
  if (LastInView(&lastShown) < first) return;
  const CRect rect = rows ? g.CalcRectBelowRow(first) : g.CalcRectRightOfCol(first);
  g.m_pGridWnd->InvalidateRect(&rect, TRUE);
  if (flags & 2) g.m_pGridWnd->UpdateWindow();
}

BOOL CGXGridCore::SetRowCount(ROWCOL count, UINT flags) { return GXGridAxis{*this, true}.SetCount(count, flags); }
BOOL CGXGridCore::SetColCount(ROWCOL count, UINT flags) { return GXGridAxis{*this, false}.SetCount(count, flags); }
BOOL CGXGridCore::StoreRowCount(ROWCOL count) { return GXGridAxis{*this, true}.StoreCount(count); }
BOOL CGXGridCore::StoreColCount(ROWCOL count) { return GXGridAxis{*this, false}.StoreCount(count); }
void CGXGridCore::UpdateRowCount(ROWCOL oldCount, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.UpdateCount(oldCount, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateChangedRowCount(this, oldCount, flags);
}
void CGXGridCore::UpdateColCount(ROWCOL oldCount, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.UpdateCount(oldCount, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateChangedColCount(this, oldCount, flags);
}

// -------------------------------------------------------- insert and remove

// A control bound to the current cell still names the cell's old position:
// bind it to the new one, so that an edit goes where the cell went.
void GXGridAxis::RebindCurrentCellControl() {
  CGXControl* control = g.GetCurrentCellControl();
  if (control == nullptr || !control->IsInitialized()) return;
  control->Init(g.m_nCurrentRow, g.m_nCurrentCol);
}

BOOL GXGridAxis::Remove(ROWCOL from, ROWCOL to, UINT flags, int commandMode) {
  if (g.m_pParam == nullptr) return FALSE;
  // A pending edit goes into its own cell before the rows move under it.
  if (!g.TransferCurrentCell(TRUE, 2, TRUE)) return FALSE;
  CGXFrameStateSaver frame(&g);
  CGXLongOperation scope;
  scope.SetStatusText(g.m_pAppData->m_texts[rows ? 6 : 7]);
  if (to < from) std::swap(from, to);
  to = std::min(to, Count());
  if (to < from) return FALSE;
  const bool records = Records(commandMode);
  CObArray* cellStyles = nullptr;
  CObArray* baseStyles = nullptr;
  if (records && !g.m_pCommandFactory->CollectRemovedRows(&g, rows, from, to, cellStyles, baseStyles)) return FALSE;
  const ROWCOL count = to - from + 1, cross = CrossCount() + 1;
  if (commandMode == CGXGridCore::kRecordUndo) g.BeginTrans(g.m_pAppData->m_texts[rows ? 6 : 7]);
  // Covered blocks reaching into the removed rows are cut back first.
  if (g.m_pCoveredCellsImp != nullptr) {
    if (rows) {
      g.m_pCoveredCellsImp->PrepareRemoveRows(&g, from, to, flags, commandMode);
    } else {
      g.m_pCoveredCellsImp->PrepareRemoveCols(&g, from, to, flags, commandMode);
    }
  }
  // The sizes of the removed rows travel with the undo command, and let the
  // optimized update move what stays instead of repainting it.
  int* sizes = nullptr;
  if (records || (flags == 2 && !g.m_pParam->m_bLockRedraw && to + 1 < Count())) {
    sizes = new int[count];
    GetSizes(from, to, sizes);
  }
  auto freeUndo = [&] {
    delete[] sizes;
    for (CObArray* array : {cellStyles, baseStyles}) {
      if (array == nullptr) continue;
      GXDeletePtrArrayObjects(*array);
      delete array;
    }
  };
  const BOOL oldDataUndo = g.EnableDataUndo(g.m_pParam->m_bUndoEnabled && commandMode != CGXGridCore::kNoUndo);
  const BOOL stored = rows ? g.StoreRemoveRows(from, to, FALSE) : g.StoreRemoveCols(from, to, FALSE);
  g.EnableDataUndo(oldDataUndo);
  if (stored) {
    if (rows) {
      g.UpdateRemoveRows(from, to, sizes, flags, TRUE);
    } else {
      g.UpdateRemoveCols(from, to, sizes, flags, TRUE);
    }
    CGXCommand* command = nullptr;
    if (records) {
      if (CObject* info = g.GetDataUndoInfo()) {
        if (cellStyles != nullptr) {
          cellStyles->SetAtGrow(static_cast<int>(count * cross), info);
        } else {
          delete info;
        }
      }
      command = g.m_pCommandFactory->CreateInsertRowsCommand(rows, from, count, sizes, cellStyles, baseStyles, cross);
    } else {
      g.DiscardDataUndoInfo();
    }
    if (command != nullptr) {
      File(command, commandMode, rows ? from : g.m_nTopRow, rows ? g.m_nLeftCol : from);
    } else {
      freeUndo();
    }
    g.m_pParam->m_SelRects.DeleteAll();
    g.RecalcAndRedraw(TRUE, nullptr, TRUE);
  } else {
    g.DiscardDataUndoInfo();
    freeUndo();
  }
  if (commandMode == CGXGridCore::kRecordUndo) g.CommitTrans();
  return stored;
}

BOOL GXGridAxis::Insert(ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles, CObArray* baseStyles,
                        ROWCOL cross, UINT flags, int commandMode) {
  if (g.m_pParam == nullptr) return FALSE;
  CGXLongOperation scope;
  scope.SetStatusText(g.m_pAppData->m_texts[rows ? 10 : 11]);
  if (!g.TransferCurrentCell(TRUE, 2, TRUE)) return FALSE;
  CGXFrameStateSaver frame(&g);
  if (commandMode == CGXGridCore::kRecordUndo) g.BeginTrans(g.m_pAppData->m_texts[rows ? 10 : 11]);
  CObject* dataUndo = nullptr;
  const DWORD undoIndex = count * cross;
  if (cellStyles != nullptr && static_cast<DWORD>(cellStyles->GetSize()) > undoIndex)
    dataUndo = cellStyles->GetAt(static_cast<int>(undoIndex));
  if (dataUndo != nullptr) g.ApplyDataUndoInfo(dataUndo, commandMode != CGXGridCore::kNoUndo, TRUE);

  const BOOL oldDataUndo = g.EnableDataUndo(g.m_pParam->m_bUndoEnabled && commandMode != CGXGridCore::kNoUndo);
  const BOOL stored = rows ? g.StoreInsertRows(at, count, FALSE) : g.StoreInsertCols(at, count, FALSE);
  g.EnableDataUndo(oldDataUndo);
  if (stored) {
    for (ROWCOL i = 0; sizes != nullptr && i < count; ++i) StoreSize(at + i, sizes[i]);
    if (cellStyles != nullptr) {
      for (ROWCOL i = 0; i < count; ++i) {
        for (ROWCOL c = 0; c < cross; ++c) {
          // Both arrays run row by row: for rows across all columns, for
          // columns across the inserted columns.
          const DWORD index = rows ? i * cross + c : c * count + i;
          if (index >= static_cast<DWORD>(cellStyles->GetSize())) continue;
          const auto* style = static_cast<const CGXStyle*>(cellStyles->GetAt(static_cast<int>(index)));
          if (style != nullptr)
            g.StoreStyleRowCol(rows ? at + i : c, rows ? c : at + i, style, 2, g.m_nDefaultStoreKind);
          scope.CheckElapsed();
        }
      }
    }
    for (ROWCOL i = 0; baseStyles != nullptr && i < count && i < static_cast<ROWCOL>(baseStyles->GetSize()); ++i) {
      const auto* style = static_cast<const CGXStyle*>(baseStyles->GetAt(static_cast<int>(i)));
      if (style != nullptr) g.StoreStyleRowCol(rows ? at + i : 0, rows ? 0 : at + i, style, 2, -1);
      scope.CheckElapsed();
    }
    if (rows) {
      g.UpdateInsertRows(at, count, flags, TRUE);
    } else {
      g.UpdateInsertCols(at, count, flags, TRUE);
    }
    if (Records(commandMode))
      File(g.m_pCommandFactory->CreateRemoveRowsCommand(rows, at, at + count - 1), commandMode,
           rows ? at : g.m_nTopRow, rows ? g.m_nLeftCol : at);
    if (dataUndo != nullptr) {
      g.ApplyDataUndoInfo(dataUndo, commandMode != CGXGridCore::kNoUndo, FALSE);
      g.RecalcAndRedraw(TRUE, nullptr, TRUE);
    }
  } else {
    g.DiscardDataUndoInfo();
  }
  if (commandMode == CGXGridCore::kRecordUndo) g.CommitTrans();
  return stored;
}

BOOL GXGridAxis::StoreInsert(ROWCOL at, ROWCOL count, BOOL force) {
  CGXData* data = g.m_pParam ? g.m_pParam->GetData() : nullptr;
  if (g.Guarded() || data == nullptr) return FALSE;
  const BOOL done = (rows ? data->StoreInsertRows(at, count) : data->StoreInsertCols(at, count)) || force;
  if (!done) return FALSE;
  g.SetModifiedFlag(TRUE);
  if (g.m_pHideCellsImp != nullptr) {
    if (rows) {
      g.m_pHideCellsImp->AdjustAfterInsertRows(&g, at, count);
    } else {
      g.m_pHideCellsImp->AdjustAfterInsertCols(&g, at, count);
    }
  }
  SizeMap().InsertKeys(at, count);
  CGXGridParam& p = *g.m_pParam;
  if (rows) {
    p.m_SelRects.AdjustAfterInsertRows(at, count);
    p.m_CoveredCellsList.AdjustAfterInsertRows(at, count);
  } else {
    p.m_SelRects.AdjustAfterInsertCols(at, count);
    p.m_CoveredCellsList.AdjustAfterInsertCols(at, count);
  }
  p.UpdateCoveredCellPool();
  if (g.m_pFloatCellsImp != nullptr) g.m_pFloatCellsImp->AdjustAfterInsert(&g, rows, at, count);
  if (g.m_pMergeCellsImp != nullptr) g.m_pMergeCellsImp->AdjustAfterInsert(&g, rows, at, count);
  const CGXRange rest = rows ? CGXRange().SetRows(at, Count()) : CGXRange().SetCols(at, Count());
  if (g.GetFloatCellsMode() != 0) g.DelayFloatCells(rest);
  if (g.GetMergeCellsMode() != 0) g.DelayMergeCells(rest);
  return TRUE;
}

BOOL GXGridAxis::StoreRemove(ROWCOL from, ROWCOL to, BOOL force) {
  CGXData* data = g.m_pParam ? g.m_pParam->GetData() : nullptr;
  if (g.Guarded() || data == nullptr) return FALSE;
  const ROWCOL oldCount = Count();
  const BOOL done = (rows ? data->StoreRemoveRows(from, to) : data->StoreRemoveCols(from, to)) || force;
  if (!done) return FALSE;
  g.SetModifiedFlag(TRUE);
  if (g.m_pHideCellsImp != nullptr) {
    if (rows) {
      g.m_pHideCellsImp->AdjustAfterRemoveRows(&g, from, to);
    } else {
      g.m_pHideCellsImp->AdjustAfterRemoveCols(&g, from, to);
    }
  }
  SizeMap().RemoveKeys(from, to);
  CGXGridParam& p = *g.m_pParam;
  // The covered blocks follow the data only once the data has changed.
  if (rows) {
    p.m_SelRects.AdjustAfterRemoveRows(from, to, oldCount);
    p.m_CoveredCellsList.AdjustAfterRemoveRows(from, to, oldCount);
  } else {
    p.m_SelRects.AdjustAfterRemoveCols(from, to, oldCount);
    p.m_CoveredCellsList.AdjustAfterRemoveCols(from, to, oldCount);
  }
  p.UpdateCoveredCellPool();
  if (g.m_pFloatCellsImp != nullptr) g.m_pFloatCellsImp->AdjustAfterRemove(&g, rows, from, to);
  if (g.m_pMergeCellsImp != nullptr) g.m_pMergeCellsImp->AdjustAfterRemove(&g, rows, from, to);
  const ROWCOL count = std::max<ROWCOL>(Count(), from);
  const CGXRange rest = rows ? CGXRange().SetRows(from, count) : CGXRange().SetCols(from, count);
  if (g.GetFloatCellsMode() != 0) g.DelayFloatCells(rest);
  if (g.GetMergeCellsMode() != 0) g.DelayMergeCells(rest);
  return TRUE;
}

// The frame shown for the selection's old place is stale once rows or
// columns moved under it; it is drawn around where the selection went.
void GXGridAxis::RedrawSelectionFrame() {
  g.m_rgFrame = CGXRange();
  if (g.m_pParam == nullptr) return;
  CGXRangeList& selection = g.m_pParam->m_SelRects;
  if (!selection.IsEmpty()) g.DrawSelectionFrame(nullptr, FALSE, *selection.GetTail());
}

void GXGridAxis::UpdateInsert(ROWCOL at, ROWCOL count, UINT flags) {
  LastVisible() = kNone;
  // Cached styles are keyed by position, and the positions just moved.
  g.FreeObjectCache();
  if (g.m_bCurrentCell && CurrentIndex() >= at) {
    CurrentIndex() += count;
    g.ForgetCurrentCellStyle();
    RebindCurrentCellControl();
  }
  if (First() == Frozen()) First() = Frozen() + 1;
  RedrawSelectionFrame();
  if (!g.m_bLockUpdate) {
    const BOOL oldLock = g.LockScrollbars(TRUE);
    if (CGXAbstractGridOptimizedUpdateImp* optimized = g.m_pOptimizedUpdateImp) {
      if (rows) {
        optimized->InsertedRows(&g, at, count, flags);
      } else {
        optimized->InsertedCols(&g, at, count, flags);
      }
    } else {
      g.Redraw(flags, FALSE);
    }
    g.LockScrollbars(oldLock);
    if (flags & 6) g.UpdateScrollbars();
  }
  if (g.m_pTooltipProxy != nullptr) g.m_pTooltipProxy->Reset();
}

void GXGridAxis::UpdateRemove(ROWCOL from, ROWCOL to, int* oldSizes, UINT flags) {
  LastVisible() = kNone;
  g.FreeObjectCache();
  if (g.m_bCurrentCell) {
    if (CurrentIndex() > to) {
      CurrentIndex() -= to - from + 1;
      g.ForgetCurrentCellStyle();
      RebindCurrentCellControl();
    } else if (CurrentIndex() >= from) {
      g.ResetCurrentCell(FALSE);
    }
  }
  RedrawSelectionFrame();
  if (!g.m_bLockUpdate) {
    const BOOL oldLock = g.LockScrollbars(TRUE);
    if (CGXAbstractGridOptimizedUpdateImp* optimized = g.m_pOptimizedUpdateImp) {
      if (rows) {
        optimized->RemovedRows(&g, from, to, oldSizes, flags);
      } else {
        optimized->RemovedCols(&g, from, to, oldSizes, flags);
      }
    } else {
      g.Redraw(flags, FALSE);
    }
    g.LockScrollbars(oldLock);
  }
  if (g.m_pTooltipProxy != nullptr) g.m_pTooltipProxy->Reset();
  if (flags != 0) g.UpdateScrollbars(!(flags & 2), FALSE);
}

BOOL CGXGridCore::RemoveRows(ROWCOL from, ROWCOL to, UINT flags, int commandMode) {
  return GXGridAxis{*this, true}.Remove(from, to, flags, commandMode);
}
BOOL CGXGridCore::RemoveCols(ROWCOL from, ROWCOL to, UINT flags, int commandMode) {
  return GXGridAxis{*this, false}.Remove(from, to, flags, commandMode);
}
BOOL CGXGridCore::InsertRows(ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles, CObArray* baseStyles,
                             ROWCOL crossCount, UINT flags, int commandMode) {
  return GXGridAxis{*this, true}.Insert(at, count, sizes, cellStyles, baseStyles, crossCount, flags, commandMode);
}
BOOL CGXGridCore::InsertCols(ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles, CObArray* baseStyles,
                             ROWCOL crossCount, UINT flags, int commandMode) {
  return GXGridAxis{*this, false}.Insert(at, count, sizes, cellStyles, baseStyles, crossCount, flags, commandMode);
}
BOOL CGXGridCore::StoreInsertRows(ROWCOL at, ROWCOL count, BOOL force) {
  return GXGridAxis{*this, true}.StoreInsert(at, count, force);
}
BOOL CGXGridCore::StoreInsertCols(ROWCOL at, ROWCOL count, BOOL force) {
  return GXGridAxis{*this, false}.StoreInsert(at, count, force);
}
BOOL CGXGridCore::StoreRemoveRows(ROWCOL from, ROWCOL to, BOOL force) {
  return GXGridAxis{*this, true}.StoreRemove(from, to, force);
}
BOOL CGXGridCore::StoreRemoveCols(ROWCOL from, ROWCOL to, BOOL force) {
  return GXGridAxis{*this, false}.StoreRemove(from, to, force);
}
void CGXGridCore::UpdateInsertRows(ROWCOL at, ROWCOL count, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.UpdateInsert(at, count, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateInsertRows(this, at, count, flags);
}
void CGXGridCore::UpdateInsertCols(ROWCOL at, ROWCOL count, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.UpdateInsert(at, count, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateInsertCols(this, at, count, flags);
}
void CGXGridCore::UpdateRemoveRows(ROWCOL from, ROWCOL to, int* oldHeights, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.UpdateRemove(from, to, oldHeights, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateRemoveRows(this, from, to, oldHeights, flags);
}
void CGXGridCore::UpdateRemoveCols(ROWCOL from, ROWCOL to, int* oldWidths, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.UpdateRemove(from, to, oldWidths, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateRemoveCols(this, from, to, oldWidths, flags);
}


// -------------------------------------------------------- frozen and header

BOOL GXGridAxis::SetFrozen(ROWCOL frozen, ROWCOL header, UINT flags, int commandMode) {
  const ROWCOL oldFrozen = Frozen(), oldHeader = Header();
  if (!(rows ? g.StoreFrozenRows(frozen, header) : g.StoreFrozenCols(frozen, header))) return FALSE;
  if (rows) {
    g.UpdateFrozenRows(oldFrozen, oldHeader, flags, TRUE);
  } else {
    g.UpdateFrozenCols(oldFrozen, oldHeader, flags, TRUE);
  }
  if (Records(commandMode))
    File(g.m_pCommandFactory->CreateSetFrozenCommand(rows, oldFrozen, oldHeader), commandMode, g.m_nTopRow,
         g.m_nLeftCol);
  return TRUE;
}

BOOL GXGridAxis::StoreFrozen(ROWCOL frozen, ROWCOL header) {
  if (g.m_pParam == nullptr || g.Guarded()) return FALSE;
  (rows ? g.m_pParam->m_nFrozenRows : g.m_pParam->m_nFrozenCols) = frozen;
  (rows ? g.m_pParam->m_nHeaderRows : g.m_pParam->m_nHeaderCols) = header;
  g.SetModifiedFlag(TRUE);
  return TRUE;
}

void GXGridAxis::UpdateFrozen(ROWCOL oldFrozen, ROWCOL, UINT flags) {
  First() = std::max(First(), Frozen() + 1);
  LastVisible() = kNone;
  const ROWCOL lo = std::min(oldFrozen, Frozen()), hi = std::max(oldFrozen, Frozen()) + 1;
  if (g.GetMergeCellsMode() != 0)
    g.DelayMergeCells(rows ? CGXRange().SetRows(lo, hi) : CGXRange().SetCols(lo, hi));
  if (!rows && g.GetFloatCellsMode() != 0) g.DelayFloatCells(CGXRange().SetCols(lo, hi));
  if (g.m_pParam != nullptr && !g.m_pParam->m_bLockRedraw) g.Redraw(flags, FALSE);
}

BOOL CGXGridCore::SetFrozenRows(ROWCOL frozen, ROWCOL header, UINT flags, int commandMode) {
  return GXGridAxis{*this, true}.SetFrozen(frozen, header, flags, commandMode);
}
BOOL CGXGridCore::SetFrozenCols(ROWCOL frozen, ROWCOL header, UINT flags, int commandMode) {
  return GXGridAxis{*this, false}.SetFrozen(frozen, header, flags, commandMode);
}
ROWCOL CGXGridCore::GetFrozenRows() {
  if (m_pParam == nullptr || (m_bHideFrozenRows && !m_bPrinting)) return 0;
  return m_pParam->m_nFrozenRows;
}
ROWCOL CGXGridCore::GetFrozenCols() {
  if (m_pParam == nullptr || (m_bHideFrozenCols && !m_bPrinting)) return 0;
  return m_pParam->m_nFrozenCols;
}
BOOL CGXGridCore::StoreFrozenRows(ROWCOL frozen, ROWCOL header) {
  return GXGridAxis{*this, true}.StoreFrozen(frozen, header);
}
BOOL CGXGridCore::StoreFrozenCols(ROWCOL frozen, ROWCOL header) {
  return GXGridAxis{*this, false}.StoreFrozen(frozen, header);
}
void CGXGridCore::UpdateFrozenRows(ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.UpdateFrozen(oldFrozen, oldHeader, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateFrozenRows(this, oldFrozen, oldHeader, flags);
}
void CGXGridCore::UpdateFrozenCols(ROWCOL oldFrozen, ROWCOL oldHeader, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.UpdateFrozen(oldFrozen, oldHeader, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateFrozenCols(this, oldFrozen, oldHeader, flags);
}

BOOL CGXGridCore::IsFrozenRow(ROWCOL row) { return row != 0 && row <= GetFrozenRows(); }
BOOL CGXGridCore::IsFrozenCol(ROWCOL col) { return col != 0 && col <= GetFrozenCols(); }

// ------------------------------------------------------ top row, left column

void GXGridAxis::SetFirst(ROWCOL index, UINT flags) {
  index = std::min(index, Count());
  if (index == 0) index = 1;
  g.ResetLastVisible();
  if (g.m_bPrinting) {
    PrintFirst() = index;
    return;
  }
  index = std::max(index, Frozen() + 1);
  if (!g.m_bLockUpdate && (flags & 6) != 0 && g.m_pGridWnd != nullptr && g.m_pGridWnd->GetSafeHwnd() != nullptr) {
    // Scrolling moves the pixels already shown and paints only the rows
    // that come in; the scroll also moves the thumb and tells the hooks.
    const ROWCOL old = First();
    if (index < old) g.DoScroll(rows ? 1 : 2, old - index);
    if (index > old) g.DoScroll(rows ? 3 : 4, index - old);
    if (flags & 2) g.m_pGridWnd->UpdateWindow();
    return;
  }
  if (!(rows ? g.CanChangeTopRow(index) : g.CanChangeLeftCol(index))) return;
  const bool changed = First() != index;
  First() = index;
  g.m_bWalkValid = FALSE;
  if (changed) HideControlScrolledAway();
  if (!g.m_bLockUpdate && (flags & 7) != 0 && changed && g.m_pGridWnd != nullptr && g.m_pGridWnd->m_hWnd != nullptr) {
    // The thumb follows the new position.
    const int bar = rows ? SB_VERT : SB_HORZ;
    if (g.GetScrollBarMode(bar) != 0) g.SetScrollPos(bar, index, TRUE);
    g.m_pGridWnd->Invalidate(TRUE);
    if (flags & 2) g.m_pGridWnd->UpdateWindow();
  }
  if (rows) {
    g.OnTopRowChanged();
  } else {
    g.OnLeftColChanged();
  }
}

// The pane beside this one in a splitter scrolls with it (the sender finds
// that pane; outside a splitter nothing is sent).
void CGXGridCore::SetTopRow(ROWCOL row, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.SetFirst(row, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintSetTopRow(this, row, flags);
}
void CGXGridCore::SetLeftCol(ROWCOL col, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.SetFirst(col, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintSetLeftCol(this, col, flags);
}
BOOL CGXGridCore::CanChangeTopRow(ROWCOL) { return TRUE; }
BOOL CGXGridCore::CanChangeLeftCol(ROWCOL) { return TRUE; }
void CGXGridCore::OnTopRowChanged() {}
void CGXGridCore::OnLeftColChanged() {}

void CGXGridCore::SetTopLeftRowCol(ROWCOL row, ROWCOL col, UINT flags) {
  SetTopRow(row, flags, TRUE);
  SetLeftCol(col, flags, TRUE);
}

// ------------------------------------------------ client and absolute index

ROWCOL GXGridAxis::ClientFromIndex(ROWCOL index) {
  const ROWCOL frozen = Frozen();
  if (index <= frozen || index == kNone) return index;
  const ROWCOL first = ShownFirst();
  if (index < first) return 0;
  return index + frozen - first + 1;
}

ROWCOL GXGridAxis::IndexFromClient(ROWCOL client) {
  const ROWCOL frozen = Frozen();
  if (client <= frozen || client == kNone) return client;
  return ShownFirst() + client - frozen - 1;
}

ROWCOL CGXGridCore::GetClientRowFromRow(ROWCOL row) { return GXGridAxis{*this, true}.ClientFromIndex(row); }
ROWCOL CGXGridCore::GetClientColFromCol(ROWCOL col) { return GXGridAxis{*this, false}.ClientFromIndex(col); }
ROWCOL CGXGridCore::GetRowFromClientRow(ROWCOL row) { return GXGridAxis{*this, true}.IndexFromClient(row); }
ROWCOL CGXGridCore::GetColFromClientCol(ROWCOL col) { return GXGridAxis{*this, false}.IndexFromClient(col); }

ROWCOL GXGridAxis::LastInView(BOOL* lastShown) {
  const CRect grid = g.GetGridRect();
  if (LastVisible() == kNone || LastVisibleFor() != First() || LastVisibleForEdge() != Far(grid)) {
    BOOL ended = FALSE;
    LastVisible() = LastFromRect(grid, ended);
    LastShown() = ended;
    LastVisibleFor() = First();
    LastVisibleForEdge() = Far(grid);
  }
  if (lastShown != nullptr) *lastShown = LastShown();
  return LastVisible();
}

ROWCOL CGXGridCore::GetBottomRow(BOOL* lastVisible) { return GXGridAxis{*this, true}.LastInView(lastVisible); }
ROWCOL CGXGridCore::GetRightCol(BOOL* lastVisible) { return GXGridAxis{*this, false}.LastInView(lastVisible); }
