#include "grid/features/GXGridFindReplaceImp.h"

#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "platform/commdlg/FindReplaceDialog.h"

namespace {

// The search copy of the find text: upper case unless case matters.
void PrepareSearchText(GXFindReplaceState& state) {
  state.strFindUpper = state.strFind;
  if (!state.bCase) state.strFindUpper.MakeUpper();
}

BOOL HasCells(CGXGridCore* grid) { return grid->GetRowCount() > 0 && grid->GetColCount() > 0; }

// The cell's text as its control shows it, through the style the search
// composed for it (or a freshly composed one).
CString CellText(CGXControl* control, const GXFindReplaceState& state, ROWCOL row, ROWCOL col) {
  CString text;
  if (state.m_pStyle != nullptr) {
    control->GetControlText(text, row, col, nullptr, *state.m_pStyle);
  } else {
    CGXStyle style;
    control->GetGrid()->ComposeStyleRowCol(row, col, style);
    control->GetControlText(text, row, col, nullptr, style);
  }
  return text;
}

// Progress over the rows a search walks: the rows from the first one
// searched to the grid's end (down) or to row 1 (up).
class SearchProgress {
 public:
  SearchProgress(CGXLongOperation& scope, CGXGridCore* grid, ROWCOL first, BOOL down)
      : scope_(scope), total_(down ? grid->GetRowCount() - first + 1 : first + 1) {}
  // FALSE when the user aborted.
  BOOL Step() {
    done_ += 100;
    if (!scope_.CheckElapsed()) return TRUE;
    if (scope_.IsInnermost()) {
      if (CGXLongOperationImp* imp = GXGetAppData()->m_pLongOperationImp)
        imp->percentDone = static_cast<int>(std::min<unsigned long long>(100, done_ / std::max<ROWCOL>(total_, 1)));
    }
    BOOL aborted = FALSE;
    scope_.PollAbort(aborted);
    return !aborted;
  }

 private:
  CGXLongOperation& scope_;
  ROWCOL total_;
  unsigned long long done_ = 0;
};

// Asks the control of a cell, with the cell's composed style in the state.
template <class Ask>
BOOL AskCellControl(CGXGridCore* grid, GXFindReplaceState& state, ROWCOL row, ROWCOL col, BOOL needEnabled,
                    Ask ask) {
  CGXStyle style;
  grid->ComposeStyleRowCol(row, col, style);
  CGXControl* control = grid->GetRegisteredControl(style.GetControl());
  if (control == nullptr || (needEnabled && !style.GetEnabled())) return FALSE;
  state.m_pStyle = &style;
  const BOOL result = ask(control);
  state.m_pStyle = nullptr;
  return result;
}

}  // namespace

void CGXGridFindReplaceImp::OnShowFindReplaceDialog(CGXGridCore* grid, BOOL findOnly) {
  if (!HasCells(grid) || grid->m_pGridWnd == nullptr || grid->m_pGridWnd->GetSafeHwnd() == nullptr) return;
  GXFindReplaceState& state = GXGetFindReplaceState();
  state.m_pActiveGrid = grid;
  ROWCOL row = 0, col = 0;
  if (grid->GetCurrentCell(row, col)) {
    grid->ScrollCellInView(row, col);
  } else {
    grid->SetCurrentCell(std::min(std::max<ROWCOL>(grid->GetTopRow(), 1), grid->GetRowCount()),
                         std::min(std::max<ROWCOL>(grid->GetLeftCol(), 1), grid->GetColCount()), 42);
  }
  CString start = grid->GetCurrentCellText();
  if (start.IsEmpty()) start = state.strFind;

  if (state.m_pFindReplaceDlg != nullptr && ::IsWindow(state.m_pFindReplaceDlg)) {
    if (state.m_bFindOnly == findOnly) {
      ::ShowWindow(state.m_pFindReplaceDlg, SW_SHOW);
      ::SetActiveWindow(state.m_pFindReplaceDlg);
      return;
    }
    ::SendMessage(state.m_pFindReplaceDlg, WM_CLOSE, 0, 0);
  }
  state.m_pFindReplaceDlg = nullptr;
  auto* dialog = new CFindReplaceDialog;
  DWORD flags = FR_HIDEWHOLEWORD;
  if (state.bNext) flags |= FR_DOWN;
  if (state.bCase) flags |= FR_MATCHCASE;
  if (!dialog->Create(findOnly, start, state.strReplace, flags, grid->m_pGridWnd)) {
    delete dialog;
    return;
  }
  state.m_pFindReplaceDlg = dialog->GetSafeHwnd();
  state.m_hwndOwner = grid->m_pGridWnd->GetSafeHwnd();
  state.m_bFindOnly = findOnly;
}

LRESULT CGXGridFindReplaceImp::OnFindReplace(CGXGridCore* grid, WPARAM, LPARAM lParam) {
  GXFindReplaceState& state = GXGetFindReplaceState();
  if (state.m_pActiveGrid != nullptr && state.m_pActiveGrid != grid) return state.m_pActiveGrid->OnFindReplace(0, lParam);
  CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
  if (dialog == nullptr) return 0;
  if (dialog->IsTerminating()) {
    state.m_pFindReplaceDlg = nullptr;
  } else if (dialog->FindNext()) {
    grid->OnFindNext(dialog->GetFindString(), dialog->SearchDown(), dialog->MatchCase());
  } else if (dialog->ReplaceCurrent()) {
    grid->OnReplaceSel(dialog->GetFindString(), dialog->SearchDown(), dialog->MatchCase(), dialog->GetReplaceString());
  } else if (dialog->ReplaceAll()) {
    state.bOption1 = TRUE;
    grid->OnReplaceAll(dialog->GetFindString(), dialog->GetReplaceString(), dialog->MatchCase());
  }
  return 0;
}

void CGXGridFindReplaceImp::OnFindNext(CGXGridCore* grid, LPCTSTR text, BOOL down, BOOL matchCase) {
  if (!HasCells(grid)) return;
  GXFindReplaceState& state = GXGetFindReplaceState();
  state.strFind = text != nullptr ? text : "";
  state.bNext = down;
  state.bCase = matchCase;
  PrepareSearchText(state);
  grid->FindNext(TRUE);
}

BOOL CGXGridFindReplaceImp::FindNext(CGXGridCore* grid, UINT setCell) {
  ROWCOL row = 0, col = 0;
  if (!grid->GetCurrentCell(row, col)) return FALSE;
  GXFindReplaceState& state = GXGetFindReplaceState();
  CGXLongOperation scope;
  grid->m_nSearchRow = row;
  BOOL found = FALSE;
  if (CGXControl* control = grid->GetControl(row, col))
    found = control->FindText(&state, row, col, FALSE, setCell);
  if (!found) found = grid->FindInCells(row, col, setCell);
  if (!found && setCell) grid->OnTextNotFound(state.strFind);
  return found;
}

BOOL CGXGridFindReplaceImp::FindInCells(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT setCell) {
  GXFindReplaceState& state = GXGetFindReplaceState();
  const int step = state.bNext ? 1 : -1;
  row += step;
  CGXLongOperation scope;
  scope.SetStatusText("Searching values ...");
  SearchProgress progress(scope, grid, row, state.bNext);
  grid->m_bSearchAborted = FALSE;
  while (row >= 1 && row <= grid->GetRowCount()) {
    grid->m_nSearchRow = row;
    if (!progress.Step()) {
      grid->m_bSearchAborted = TRUE;
      return FALSE;
    }
    const BOOL found = AskCellControl(grid, state, row, col, TRUE, [&](CGXControl* control) {
      return control->FindText(&state, row, col, FALSE, setCell);
    });
    if (found) return TRUE;
    row += step;
    grid->OnSearchRow(row + 1, 0);
  }
  return FALSE;
}

BOOL CGXGridFindReplaceImp::FindTextInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col,
                                              BOOL fromCurrent, BOOL select) {
  auto* state = static_cast<GXFindReplaceState*>(request);
  CGXGridCore* grid = control->GetGrid();
  if (state == nullptr || grid == nullptr) return FALSE;
  ROWCOL curRow = 0, curCol = 0;
  if (!fromCurrent && grid->GetCurrentCell(curRow, curCol) && curRow == row && curCol == col) return FALSE;
  CString text = CellText(control, *state, row, col);
  if (!state->bCase) text.MakeUpper();
  if (state->strFindUpper.IsEmpty() || text.Find(state->strFindUpper) < 0) return FALSE;
  if (select) grid->SetCurrentCell(row, col, 10);
  return TRUE;
}

void CGXGridFindReplaceImp::OnReplaceSel(CGXGridCore* grid, LPCTSTR find, BOOL down, BOOL matchCase, LPCTSTR replace) {
  ROWCOL row = 0, col = 0;
  if (!HasCells(grid) || !grid->GetCurrentCell(row, col)) return;
  GXFindReplaceState& state = GXGetFindReplaceState();
  state.strFind = find != nullptr ? find : "";
  state.strReplace = replace != nullptr ? replace : "";
  state.bNext = down;
  state.bCase = matchCase;
  PrepareSearchText(state);
  CGXLongOperation scope;
  grid->m_nSearchRow = row;
  BOOL found = FALSE;
  CGXControl* control = grid->GetControl(row, col);
  if (control != nullptr && control->FindText(&state, row, col, TRUE, TRUE)) {
    control->ReplaceSel(state.strReplace);
    // The same cell may hold the text again right after the replaced part:
    // the search goes on from where the replacement ends.
    found = control->FindText(&state, row, col, TRUE, TRUE) || grid->FindInCells(row, col, TRUE);
  } else {
    found = grid->FindInCells(row, col, TRUE);
  }
  if (!found) grid->OnTextNotFound(state.strFind);
}

void CGXGridFindReplaceImp::OnReplaceAll(CGXGridCore* grid, LPCTSTR find, LPCTSTR replace, BOOL matchCase) {
  ROWCOL row = 0, col = 0;
  if (!HasCells(grid) || !grid->GetCurrentCell(row, col)) return;
  GXFindReplaceState& state = GXGetFindReplaceState();
  state.strFind = find != nullptr ? find : "";
  state.strReplace = replace != nullptr ? replace : "";
  state.bCase = matchCase;
  state.bNext = TRUE;
  PrepareSearchText(state);
  CGXLongOperation scope;
  scope.SetStatusText("Replacing values ...");
  const BOOL transaction = state.bOption1;
  if (transaction) grid->BeginTrans("Replace All");
  SearchProgress progress(scope, grid, row, TRUE);
  BOOL replaced = FALSE, aborted = FALSE;
  // An empty find text finds nothing: it would match everywhere and never
  // move on.
  for (; !state.strFind.IsEmpty() && row <= grid->GetRowCount(); ++row) {
    grid->m_nSearchRow = row;
    if (!progress.Step()) {
      aborted = TRUE;
      break;
    }
    replaced |= AskCellControl(grid, state, row, col, FALSE,
                               [&](CGXControl* control) { return control->ReplaceAll(&state, row, col); });
    grid->OnSearchRow(row + 2, 0);
  }
  if (aborted) {
    CGXLongOperationImp* imp = GXGetAppData()->m_pLongOperationImp;
    if (!transaction) AfxThrowUserException();
    if (imp != nullptr && imp->rollbackRequested) grid->Rollback();
    else grid->CommitTrans();
  } else {
    if (!replaced) grid->OnTextNotFound(state.strFind);
    if (transaction) grid->CommitTrans();
  }
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
}

BOOL CGXGridFindReplaceImp::ReplaceAllInControl(CGXControl* control, void* request, ROWCOL row, ROWCOL col) {
  auto* state = static_cast<GXFindReplaceState*>(request);
  CGXGridCore* grid = control->GetGrid();
  if (state == nullptr || grid == nullptr || state->strFindUpper.IsEmpty()) return FALSE;
  const CString text = CellText(control, *state, row, col);
  CString search = text;
  if (!state->bCase) search.MakeUpper();
  // Occurrences are found in the text as it was, and the result grows as
  // long as it needs.
  CString result;
  int from = 0, count = 0;
  const int length = state->strFindUpper.GetLength();
  for (int at; (at = search.Find(state->strFindUpper, from)) >= 0; ++count) {
    result += text.Mid(from, at - from);
    result += state->strReplace;
    from = at + length;
  }
  if (count == 0) return FALSE;
  result += text.Mid(from);
  return grid->SetControlTextRowCol(row, col, result, 2, state->m_pStyle);
}
