#include "grid/features/GXGridFreezeMenuHelperImp.h"

#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/framework/CWinApp.h"

namespace {

ROWCOL Frozen(CGXGridCore* grid, bool rows) { return rows ? grid->GetFrozenRows() : grid->GetFrozenCols(); }
ROWCOL Headers(CGXGridCore* grid, bool rows) { return rows ? grid->GetHeaderRows() : grid->GetHeaderCols(); }
DWORD* Memory(CGXGridCore* grid, bool rows) {
  return grid->GetParam()->m_freezeBookkeeping +
         (rows ? CGXGridFreezeMenuHelperImp::kFreezeRows : CGXGridFreezeMenuHelperImp::kFreezeCols);
}

// Keeps the parameter object's drawing lock for a scope.
class DrawingLock {
 public:
  explicit DrawingLock(CGXGridParam* param) : param_(param), old_(param->m_bLockRedraw) { param->m_bLockRedraw = TRUE; }
  ~DrawingLock() { param_->m_bLockRedraw = old_; }
  DrawingLock(const DrawingLock&) = delete;
  DrawingLock& operator=(const DrawingLock&) = delete;

 private:
  CGXGridParam* param_;
  BOOL old_;
};

}  // namespace

BOOL CGXGridFreezeMenuHelperImp::CanFreeze(CGXGridCore* grid, bool rows, ROWCOL* start, ROWCOL* end) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || Frozen(grid, rows) > Headers(grid, rows)) return FALSE;
  CDWordArray starts, ends;
  const BOOL any = rows ? param->m_SelRects.GetRowIntervals(grid->GetRowCount(), starts, ends, TRUE)
                        : param->m_SelRects.GetColIntervals(grid->GetColCount(), starts, ends, TRUE);
  if (!any || starts.GetSize() != 1) return FALSE;
  if (start != nullptr) *start = starts[0];
  if (end != nullptr) *end = ends[0];
  return TRUE;
}

BOOL CGXGridFreezeMenuHelperImp::CanUnfreeze(CGXGridCore* grid, bool rows) {
  return grid->GetParam() != nullptr && Frozen(grid, rows) > Headers(grid, rows);
}

void CGXGridFreezeMenuHelperImp::Freeze(CGXGridCore* grid, bool rows) {
  if (!(rows ? grid->CanFreezeRows() : grid->CanFreezeCols())) return;
  ROWCOL start = 0, end = 0;
  if (!CanFreeze(grid, rows, &start, &end)) return;
  const ROWCOL headers = Headers(grid, rows);
  const ROWCOL first = headers + 1;
  start = std::max(start, first);
  if (end < start) return;
  CWinApp* app = AfxGetApp();
  if (app != nullptr) app->BeginWaitCursor();
  grid->BeginTrans(GXFeatureText(rows ? 20169 : 20168));
  {
    DrawingLock lock(grid->GetParam());
    grid->SetSelection(nullptr);
    if (start > first) {
      if (rows) {
        grid->MoveRows(start, end, first, 2);
      } else {
        grid->MoveCols(start, end, first, 2);
      }
    }
    DWORD* memory = Memory(grid, rows);
    memory[kFirst] = first;
    memory[kCount] = end - start + 1;
    memory[kOldStart] = start;
    // The frozen count runs from column 1 and so takes the headers in.
    const ROWCOL frozen = headers + (end - start + 1);
    if (rows) {
      grid->SetFrozenRows(frozen, headers, 2);
    } else {
      grid->SetFrozenCols(frozen, headers, 2);
    }
  }
  grid->Redraw(2, TRUE);
  grid->CommitTrans();
  if (app != nullptr) app->EndWaitCursor();
}

void CGXGridFreezeMenuHelperImp::Unfreeze(CGXGridCore* grid, bool rows) {
  if (!CanUnfreeze(grid, rows)) return;
  const ROWCOL headers = Headers(grid, rows);
  const DWORD* memory = Memory(grid, rows);
  grid->BeginTrans(GXFeatureText(rows ? 20169 : 20168));
  {
    DrawingLock lock(grid->GetParam());
    // The block goes back only when the frozen part is still the one the
    // freeze made; frozen some other way, it stays where it is.
    const ROWCOL count = Frozen(grid, rows) - headers;
    if (memory[kFirst] == headers + 1 && memory[kCount] == count && memory[kOldStart] != memory[kFirst]) {
      const ROWCOL first = memory[kFirst], last = first + count - 1;
      if (rows) {
        grid->MoveRows(first, last, memory[kOldStart], 2);
      } else {
        grid->MoveCols(first, last, memory[kOldStart], 2);
      }
    }
    if (rows) {
      grid->SetFrozenRows(headers, headers, 2);
    } else {
      grid->SetFrozenCols(headers, headers, 2);
    }
  }
  grid->Redraw(2, TRUE);
  grid->CommitTrans();
}

BOOL CGXGridFreezeMenuHelperImp::CanFreezeCols(CGXGridCore* grid) { return CanFreeze(grid, false, nullptr, nullptr); }
BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeCols(CGXGridCore* grid) { return CanUnfreeze(grid, false); }
void CGXGridFreezeMenuHelperImp::FreezeCols(CGXGridCore* grid) { Freeze(grid, false); }
void CGXGridFreezeMenuHelperImp::UnfreezeCols(CGXGridCore* grid) { Unfreeze(grid, false); }
BOOL CGXGridFreezeMenuHelperImp::CanFreezeRows(CGXGridCore* grid) { return CanFreeze(grid, true, nullptr, nullptr); }
BOOL CGXGridFreezeMenuHelperImp::CanUnfreezeRows(CGXGridCore* grid) { return CanUnfreeze(grid, true); }
void CGXGridFreezeMenuHelperImp::FreezeRows(CGXGridCore* grid) { Freeze(grid, true); }
void CGXGridFreezeMenuHelperImp::UnfreezeRows(CGXGridCore* grid) { Unfreeze(grid, true); }
