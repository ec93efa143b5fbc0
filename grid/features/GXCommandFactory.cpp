#include "grid/features/GXCommandFactory.h"

#include <memory>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/menus/Menu.h"

CGXCommandFactory* GXGetCommandFactory(CGXGridCore* grid) {
  return grid != nullptr ? dynamic_cast<CGXCommandFactory*>(grid->m_pCommandFactory) : nullptr;
}

// --------------------------------------------------------------- creation

CGXCommand* CGXCommandFactory::CreateSetStyleRangeCommand(const CGXRange& range, int storeKind, CObArray* styles) {
  return new CGXSetStyleRangeCmd(range, storeKind, styles);
}
CGXCommand* CGXCommandFactory::CreateChangeStylesMapCommand(const CGXStylesMap& current) {
  return new CGXChangeStylesMapCmd(current);
}
CGXCommand* CGXCommandFactory::CreateChangePropertiesCommand(const CGXProperties& current) {
  return new CGXChangePropertiesCmd(current);
}
CGXCommand* CGXCommandFactory::CreateChangeBaseStyleCommand(WORD id, const CGXStyle& current, LPCTSTR name) {
  return new CGXChangeBaseStyleCmd(id, current, name);
}
CGXCommand* CGXCommandFactory::CreateSetSizesCommand(BOOL rows, ROWCOL from, ROWCOL to, int* oldSizes) {
  return new CGXSetSizesCmd(rows, from, to, oldSizes);
}
CGXCommand* CGXCommandFactory::CreateSetDefaultSizeCommand(BOOL rows, int oldSize) {
  return new CGXSetDefaultSizeCmd(rows, oldSize);
}
CGXCommand* CGXCommandFactory::CreateSetFrozenCommand(BOOL rows, ROWCOL oldFrozen, ROWCOL oldHeader) {
  return new CGXSetFrozenCmd(rows, oldFrozen, oldHeader);
}
CGXCommand* CGXCommandFactory::CreateRemoveRowsCommand(BOOL rows, ROWCOL from, ROWCOL to) {
  return new CGXRemoveRowsColsCmd(rows, from, to);
}
CGXCommand* CGXCommandFactory::CreateInsertRowsCommand(BOOL rows, ROWCOL at, ROWCOL count, int* sizes,
                                                       CObArray* cellStyles, CObArray* baseStyles, ROWCOL crossCount) {
  return new CGXInsertRowsColsCmd(rows, at, count, sizes, cellStyles, baseStyles, crossCount);
}
CGXCommand* CGXCommandFactory::CreateHideCommand(BOOL rows, ROWCOL from, ROWCOL to, BOOL* oldStates) {
  return new CGXHideCmd(rows, from, to, oldStates);
}
CGXCommand* CGXCommandFactory::CreateSetCoveredCellsCommand(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  return new CGXSetCoveredCellsCmd(top, left, bottom, right);
}

// ------------------------------------------------------ data undo hooks

BOOL CGXCommandFactory::EnableDataUndo(CGXGridCore* grid, BOOL enable) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data != nullptr ? data->EnableUndoInfo(enable) : FALSE;
}
CObject* CGXCommandFactory::GetDataUndoInfo(CGXGridCore* grid) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data != nullptr ? data->GetAdvancedUndoInfo() : nullptr;
}
BOOL CGXCommandFactory::ApplyDataUndoInfo(CGXGridCore* grid, CObject* info, BOOL createUndo, BOOL flag) {
  CGXData* data = grid->GetParam() != nullptr ? grid->GetParam()->GetData() : nullptr;
  return data != nullptr && info != nullptr ? data->UndoAdvanced(info, createUndo, flag) : FALSE;
}
void CGXCommandFactory::DiscardDataUndoInfo(CGXGridCore* grid) { delete GetDataUndoInfo(grid); }

// ------------------------------------------------------------ the lists

BOOL CGXCommandFactory::ExecuteCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || command == nullptr) return FALSE;
  // A replay restores what was there even in a read-only grid.
  const BOOL oldGuard = param->m_bReadOnlyGuard;
  param->m_bReadOnlyGuard = FALSE;
  BOOL result = FALSE;
  try {
    result = command->Execute(grid, commandMode);
  } catch (...) {
    param->m_bReadOnlyGuard = oldGuard;
    throw;
  }
  param->m_bReadOnlyGuard = oldGuard;
  return result;
}

namespace {

// The list a command of this mode goes to: the redo list for rollback and
// undo, the undo list otherwise.
CObList& TargetList(CGXGridParam& param, int commandMode) {
  return commandMode == CGXGridCore::kNoUndo || commandMode == CGXGridCore::kAsUndo ? param.GetRedoList()
                                                                                     : param.GetUndoList();
}

void DeleteOldest(CObList& list, int limit) {
  while (list.GetCount() > limit) delete list.RemoveTail();
}

}  // namespace

void CGXCommandFactory::AddCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) {
  std::unique_ptr<CGXCommand> owned(command);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || command == nullptr) return;
  if (commandMode == CGXGridCore::kRecordUndo) param->EmptyRedoList();
  CObList& list = TargetList(*param, commandMode);
  if (auto* recorded = dynamic_cast<CGXRecordedCommand*>(command)) {
    ROWCOL row = 0, col = 0;
    recorded->m_bHasCurrentCell = grid->GetCurrentCell(row, col);
    recorded->m_nRow = row, recorded->m_nCol = col;
  }
  if (param->m_nUndoNesting > 0 || IsReplayingBlock()) {
    auto* block = list.IsEmpty() ? nullptr : dynamic_cast<CGXBlockCmd*>(list.GetHead());
    if (block != nullptr) {
      block->AddCommand(owned.release());
      return;
    }
  } else {
    // The oldest goes before the new one is added: the list may reach one
    // more than the limit.
    DeleteOldest(list, param->m_nUndoLimit);
  }
  list.AddHead(owned.release());
}

void CGXCommandFactory::RemoveCommand(CGXGridCore* grid, int commandMode) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  CObList& list = TargetList(*param, commandMode);
  if (list.IsEmpty()) return;
  delete list.RemoveHead();
}

namespace {

// Takes the head command off a list, replays it and deletes it; a failed
// command goes back to the head so that the next try meets it again.
BOOL ReplayHead(CGXGridCore* grid, CObList& list, int commandMode, CGXRecordedCommand** done) {
  auto* command = static_cast<CGXCommand*>(list.RemoveHead());
  const BOOL result = grid->ExecuteCommand(command, commandMode);
  if (!result) {
    list.AddHead(command);
    return FALSE;
  }
  auto* recorded = dynamic_cast<CGXRecordedCommand*>(command);
  if (done != nullptr && recorded != nullptr && recorded->m_bHasCurrentCell) {
    *done = recorded;
    return TRUE;
  }
  delete command;
  return TRUE;
}

}  // namespace

BOOL CGXCommandFactory::Undo(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  // Re-entered through a long operation's message pump, an Undo would file
  // its commands into the transaction's or the replaying block's list.
  if (param == nullptr || param->m_nUndoNesting > 0 || IsReplayingBlock()) return FALSE;
  ROWCOL row = 0, col = 0;
  if (grid->GetCurrentCell(row, col)) {
    CGXControl* control = grid->GetCurrentCellControl();
    if (control != nullptr && control->IsActive()) {
      if (!control->OnCancelEditing()) return FALSE;
      const BOOL modified = control->GetModify();
      control->Init(row, col);
      control->Refresh();
      control->OnCanceledEditing();
      if (modified) return TRUE;  // the discarded edit was the undo
    }
  }
  if (param->GetUndoList().IsEmpty()) return FALSE;
  const BOOL result = ReplayHead(grid, param->GetUndoList(), CGXGridCore::kAsUndo, nullptr);
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
  grid->UpdateScrollbars(FALSE, FALSE);
  return result;
}

BOOL CGXCommandFactory::Redo(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_nUndoNesting > 0 || IsReplayingBlock()) return FALSE;
  if (grid->IsCurrentCellActive() && !grid->TransferCurrentCell(FALSE, 1, FALSE)) return FALSE;
  if (param->GetRedoList().IsEmpty()) return FALSE;
  CGXRecordedCommand* done = nullptr;
  const BOOL result = ReplayHead(grid, param->GetRedoList(), CGXGridCore::kAsRedo, &done);
  if (done != nullptr) {
    grid->SetCurrentCell(done->m_nRow, done->m_nCol, 10);
    delete done;
  }
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
  grid->UpdateScrollbars(FALSE, FALSE);
  return result;
}

// ---------------------------------------------------------- transactions

void CGXCommandFactory::BeginTrans(CGXGridCore* grid, LPCTSTR name) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || !param->m_bUndoEnabled) return;
  if (param->m_nUndoNesting > 0) {
    ++param->m_nUndoNesting;
    return;
  }
  auto* block = new CGXBlockCmd(name);
  ROWCOL row = 0, col = 0;
  block->m_bHasCurrentCell = grid->GetCurrentCell(row, col);
  block->m_nRow = row, block->m_nCol = col;
  param->GetUndoList().AddHead(block);
  param->m_nUndoNesting = 1;
}

void CGXCommandFactory::CommitTrans(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_nUndoNesting == 0 || !param->m_bUndoEnabled) return;
  if (--param->m_nUndoNesting > 0) return;
  CObList& list = param->GetUndoList();
  auto* block = list.IsEmpty() ? nullptr : dynamic_cast<CGXBlockCmd*>(list.GetHead());
  if (block != nullptr && block->IsEmpty()) {
    delete list.RemoveHead();
  } else {
    DeleteOldest(list, param->m_nUndoLimit);
  }
}

void CGXCommandFactory::Rollback(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_nUndoNesting == 0 || !param->m_bUndoEnabled) return;
  if (--param->m_nUndoNesting > 0) return;
  param->m_nUndoNesting = 0;
  CObList& list = param->GetUndoList();
  if (list.IsEmpty()) return;
  auto* command = static_cast<CGXCommand*>(list.RemoveHead());
  grid->ExecuteCommand(command, CGXGridCore::kNoUndo);
  delete command;
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
}

// --------------------------------------------------------- block replays

void CGXCommandFactory::BeginBlockReplay() {
  if (blockNesting_++ == 0) pendingShown_ = FALSE;
}

void CGXCommandFactory::EndBlockReplay(CGXGridCore* grid) {
  if (--blockNesting_ > 0) return;
  if (pendingShown_) {
    pendingShown_ = FALSE;
    ShowUndoneCell(grid, pendingRow_, pendingCol_, pendingMove_);
  }
}

void CGXCommandFactory::ShowUndoneCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, BOOL moveCurrent) {
  if (IsReplayingBlock()) {
    pendingShown_ = TRUE;
    pendingRow_ = row, pendingCol_ = col, pendingMove_ = moveCurrent;
    return;
  }
  if (moveCurrent && !grid->IsCurrentCell(row, col)) {
    grid->SetCurrentCell(row, col, 10);
  } else {
    grid->ScrollCellInView(row, col, 2, FALSE);
  }
  if (grid->m_pGridWnd != nullptr && grid->m_pGridWnd->m_hWnd != nullptr) grid->m_pGridWnd->UpdateWindow();
}

// ------------------------------------------------------------ menu items

BOOL CGXCommandFactory::UpdateEditItem(CGXGridCore* grid, CCmdUI* item, BOOL undo) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) {
    if (item != nullptr) item->Enable(FALSE);
    return FALSE;
  }
  CObList& list = undo ? param->GetUndoList() : param->GetRedoList();
  CGXControl* control = grid->IsCurrentCellActive() ? grid->GetCurrentCellControl() : nullptr;
  const BOOL editModified = undo && control != nullptr && control->GetModify();
  const BOOL possible = !list.IsEmpty() || editModified;
  if (item == nullptr) return possible;
  if (item->m_pMenu != nullptr) {
    CString& pattern = undo ? undoPattern_ : redoPattern_;
    if (pattern.IsEmpty()) {
      CString resource;
      int first = -1, second = -1;
      if (resource.LoadString(item->m_nID) && (first = resource.Find('\n')) >= 0 &&
          (second = resource.Find('\n', first + 1)) >= 0) {
        pattern = resource.Mid(second + 1);
      } else {
        item->m_pMenu->GetMenuString(item->m_nID, pattern, MF_BYCOMMAND);
        if (pattern.GetLength() > 255) pattern = pattern.Left(255);
      }
      if (pattern.IsEmpty()) pattern = undo ? "Undo %1" : "Redo %1";
    }
    CString argument;
    if (editModified) {
      argument = GXFeatureText(20174);
    } else if (!list.IsEmpty()) {
      if (auto* recorded = dynamic_cast<CGXRecordedCommand*>(list.GetHead())) argument = recorded->GetName();
    }
    CString text = pattern;
    text.Replace("%1", argument);
    item->SetText(text);
  }
  item->Enable(possible);
  return possible;
}

BOOL CGXCommandFactory::OnUpdateEditUndo(CGXGridCore* grid, CCmdUI* item) { return UpdateEditItem(grid, item, TRUE); }
BOOL CGXCommandFactory::OnUpdateEditRedo(CGXGridCore* grid, CCmdUI* item) { return UpdateEditItem(grid, item, FALSE); }

// -------------------------------------------- what undoing a removal needs

BOOL CGXCommandFactory::CollectRemovedRows(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to,
                                           CObArray*& cellStyles, CObArray*& baseStyles) {
  cellStyles = baseStyles = nullptr;
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return TRUE;
  const WORD options = rows ? param->m_wUndoRemovedRows : param->m_wUndoRemovedCols;
  const ROWCOL count = to - from + 1;
  const ROWCOL cross = (rows ? grid->GetColCount() : grid->GetRowCount()) + 1;
  auto ask = [] { return AfxMessageBox(GXFeatureText(20082), MB_OKCANCEL) != IDCANCEL; };
  auto freeAll = [&] {
    for (CObArray** array : {&cellStyles, &baseStyles}) {
      if (*array == nullptr) continue;
      GXDeletePtrArrayObjects(**array);
      delete *array;
      *array = nullptr;
    }
  };
  bool wantCells = (options & 2) != 0;
  bool wantOwn = (options & 1) != 0;
  if (wantCells && (static_cast<unsigned long long>(count) * cross >= 0x7FFFFFFFull || count > 32767 || cross > 32767)) {
    if (!ask()) return FALSE;
    return TRUE;  // the removal goes on without undo information for its cells
  }
  if (wantOwn && count >= 32768) {
    if (!ask()) return FALSE;
    wantOwn = false;
  }
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20141));
  const DWORD total = (wantCells ? count * cross : 0) + (wantOwn ? count : 0);
  DWORD collected = 0;
  auto fetch = [&](ROWCOL row, ROWCOL col, int kind) -> CGXStyle* {
    CGXStyle* style = grid->CreateScratchStyle();
    if (grid->FetchCellStyle(row, col, *style, 2, kind)) return style;
    grid->RecycleScratchStyle(style);
    return nullptr;
  };
  auto poll = [&]() -> bool {
    ++collected;
    if (!scope.CheckElapsed()) return false;
    scope.SetProgress(collected, total);
    BOOL aborted = FALSE;
    scope.PollAbort(aborted);
    return aborted != FALSE;
  };
  try {
    if (wantCells) {
      cellStyles = new CObArray;
      cellStyles->SetSize(static_cast<int>(count * cross));
      for (ROWCOL i = 0; i < count; ++i) {
        for (ROWCOL c = 0; c < cross; ++c) {
          const DWORD index = rows ? i * cross + c : c * count + i;
          cellStyles->SetAt(static_cast<int>(index),
                            fetch(rows ? from + i : c, rows ? c : from + i, grid->m_nDefaultStoreKind));
          if (poll()) {
            freeAll();
            return FALSE;
          }
        }
      }
    }
    if (wantOwn) {
      baseStyles = new CObArray;
      baseStyles->SetSize(static_cast<int>(count));
      for (ROWCOL i = 0; i < count; ++i) {
        baseStyles->SetAt(static_cast<int>(i), fetch(rows ? from + i : 0, rows ? 0 : from + i, -1));
        if (poll()) {
          freeAll();
          return FALSE;
        }
      }
    }
  } catch (CMemoryException* e) {
    e->Delete();
    freeAll();
    return ask();
  }
  return TRUE;
}
