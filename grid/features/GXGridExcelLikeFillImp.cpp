#include "grid/features/GXGridExcelLikeFillImp.h"

#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "grid/core/GXProperties.h"

namespace {

constexpr UINT kFillTexts = 1, kFillStyles = 2;

UINT FillOptions(CGXGridCore* grid) {
  return grid->GetParam() != nullptr ? static_cast<UINT>(grid->GetParam()->m_bFillOption) : 0;
}

// The position of a row's (column's) near edge on screen, also for rows
// scrolled out above the top row (negative distances from the scrolled
// area), so that a block partly out of view keeps its true extent.
int EdgeOf(CGXGridCore* grid, bool rows, ROWCOL index) {
  const CRect area = grid->GetGridRect();
  auto sum = [&](ROWCOL from, ROWCOL to) {
    if (to < from || to == static_cast<ROWCOL>(-1)) return 0;
    return rows ? grid->SumRowHeights(from, to) : grid->SumColWidths(from, to);
  };
  const int origin = rows ? area.top : area.left;
  const ROWCOL frozen = rows ? grid->GetFrozenRows() : grid->GetFrozenCols();
  if (index <= frozen + 1) return origin + sum(0, index - 1);
  const ROWCOL first = std::max(rows ? grid->GetTopRow() : grid->GetLeftCol(), frozen + 1);
  const int scrolled = origin + sum(0, frozen);
  return index >= first ? scrolled + sum(first, index - 1) : scrolled - sum(index, first - 1);
}

CRect RectOf(CGXGridCore* grid, const CGXRange& r) {
  return CRect(EdgeOf(grid, false, r.left), EdgeOf(grid, true, r.top), EdgeOf(grid, false, r.right + 1),
               EdgeOf(grid, true, r.bottom + 1));
}

}  // namespace

BOOL CGXGridExcelLikeFillImp::OnStartFill(CGXGridCore* grid, POINT point, UINT keys, int, ROWCOL row, ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || FillOptions(grid) == 0) return FALSE;
  CGXRange source;
  if (POSITION pos = param->m_SelRects.FindRangeWithCell(row, col)) {
    source = *param->m_SelRects.GetAt(pos);
  } else {
    // Without a selection the handle belongs to the current cell.
    ROWCOL r = 0, c = 0;
    if (!param->m_SelRects.IsEmpty() || !grid->GetCurrentCell(r, c)) return FALSE;
    CGXRange covered;
    source = grid->GetCoveredCellsRowCol(r, c, covered) != nullptr ? covered : CGXRange(r, c);
    if (!source.IsCellInRange(row, col)) return FALSE;
  }
  // Only blocks of cells fill, never from the frozen part.
  if (grid->IsFrozenRow(row) || grid->IsFrozenCol(col) || !source.IsCells()) return FALSE;
  if (!grid->CanApplyFill(source, static_cast<BOOL>(keys), FALSE)) return FALSE;
  if (!grid->TransferCurrentCell(TRUE, 2, TRUE)) return FALSE;
  (void)point;
  grid->m_bFillDragging = TRUE;
  source_ = source;
  drawn_.SetRectEmpty();
  target_ = CGXRange();
  return TRUE;
}

CGXRange CGXGridExcelLikeFillImp::TargetFor(CGXGridCore* grid, POINT point, ROWCOL row, ROWCOL col) {
  const CRect block = RectOf(grid, source_);
  const CPoint mid = block.CenterPoint();
  enum { kInside, kUp, kDown, kLeft, kRight } direction = kInside;
  const int beyondSide = point.x > mid.x ? point.x - block.right : block.left - point.x;
  const int beyondEnd = point.y > mid.y ? point.y - block.bottom : block.top - point.y;
  if (point.y < block.top) direction = beyondSide >= block.top - point.y ? (point.x > mid.x ? kRight : kLeft) : kUp;
  if (point.y >= block.bottom)
    direction = beyondSide >= point.y - block.bottom ? (point.x > mid.x ? kRight : kLeft) : kDown;
  if (point.x >= block.right) direction = beyondEnd >= point.x - block.right ? (point.y > mid.y ? kDown : kUp) : kRight;
  if (point.x < block.left) direction = beyondEnd >= block.left - point.x ? (point.y > mid.y ? kDown : kUp) : kLeft;

  const ROWCOL firstRow = grid->GetHeaderRows() + 1, firstCol = grid->GetHeaderCols() + 1;
  row = std::clamp<ROWCOL>(row, firstRow, std::max(firstRow, grid->GetRowCount()));
  col = std::clamp<ROWCOL>(col, firstCol, std::max(firstCol, grid->GetColCount()));
  const int rowMid = (EdgeOf(grid, true, row) + EdgeOf(grid, true, row + 1)) / 2;
  const int colMid = (EdgeOf(grid, false, col) + EdgeOf(grid, false, col + 1)) / 2;
  CGXRange target = source_;
  switch (direction) {
    case kUp:
      target.top = point.y > rowMid && row < source_.top ? row + 1 : std::min(row, source_.top);
      break;
    case kDown:
      target.bottom = point.y < rowMid && row > source_.bottom ? row - 1 : std::max(row, source_.bottom);
      break;
    case kLeft:
      target.left = point.x > colMid && col < source_.left ? col + 1 : std::min(col, source_.left);
      break;
    case kRight:
      target.right = point.x < colMid && col > source_.right ? col - 1 : std::max(col, source_.right);
      break;
    case kInside:
      row = std::clamp(row, source_.top, source_.bottom);
      col = std::clamp(col, source_.left, source_.right);
      if (source_.right - col < source_.bottom - row) {
        target.bottom = row;
      } else {
        target.right = col;
      }
      break;
  }
  return target;
}

BOOL CGXGridExcelLikeFillImp::OnTrackFill(CGXGridCore* grid, POINT point, UINT, ROWCOL row, ROWCOL col) {
  if (!grid->m_bFillDragging) return FALSE;
  DrawFillFrame(grid, TargetFor(grid, point, row, col), TRUE, TRUE);
  return FALSE;
}

void CGXGridExcelLikeFillImp::DrawFillFrame(CGXGridCore* grid, const CGXRange& target, BOOL erase, BOOL draw) {
  if (erase && draw && target == target_) return;
  if (draw && !grid->CanChangeFillRange(source_, target)) draw = FALSE;
  CWnd* wnd = grid->m_pGridWnd;
  const bool shown = wnd != nullptr && wnd->m_hWnd != nullptr && wnd->IsWindowVisible();
  CDC* dc = shown ? grid->GetClientDC() : nullptr;
  int saved = 0;
  if (dc != nullptr) {
    saved = dc->SaveDC();
    CRect cells = grid->GetGridRect();
    cells.left += grid->SumColWidths(0, grid->GetHeaderCols());
    cells.top += grid->SumRowHeights(0, grid->GetHeaderRows());
    dc->IntersectClipRect(&cells);
  }
  if (erase) {
    if (!drawn_.IsRectEmpty() && dc != nullptr) {
      CRect inner = drawn_;
      inner.DeflateRect(1, 1);
      dc->DrawFocusRect(&drawn_);
      dc->DrawFocusRect(&inner);
    }
    drawn_.SetRectEmpty();
    target_ = CGXRange();
  }
  if (draw) {
    target_ = target;
    CRect rect = grid->CalcRectFromRange(target.top, target.left, target.bottom, target.right);
    CGXProperties* props = grid->GetParam() != nullptr ? grid->GetParam()->GetProperties() : nullptr;
    const bool atRightBottom = grid->GetParam() != nullptr && grid->GetParam()->m_bLinesAtRightBottom;
    if (props == nullptr || props->GetDisplayVertLines()) (atRightBottom ? rect.right : rect.left) += atRightBottom ? -1 : 1;
    if (props == nullptr || props->GetDisplayHorzLines()) (atRightBottom ? rect.bottom : rect.top) += atRightBottom ? -1 : 1;
    if (!rect.IsRectEmpty()) {
      drawn_ = rect;
      if (dc != nullptr) {
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        dc->DrawFocusRect(&rect);
        dc->DrawFocusRect(&inner);
      }
    }
  }
  if (dc != nullptr) {
    dc->RestoreDC(saved);
    grid->ReleaseClientDC();
  }
}

BOOL CGXGridExcelLikeFillImp::OnEndFill(CGXGridCore* grid, POINT, UINT) {
  if (!grid->m_bFillDragging) return FALSE;
  const CGXRange target = target_;
  DrawFillFrame(grid, CGXRange(), TRUE, FALSE);
  grid->m_bFillDragging = FALSE;
  if (!target.IsValid()) return TRUE;
  grid->SetSelection(nullptr);
  grid->FillCells(target, source_);
  grid->SelectFilledRange(target);
  return TRUE;
}

void CGXGridExcelLikeFillImp::CancelFill(CGXGridCore* grid) { DrawFillFrame(grid, CGXRange(), TRUE, FALSE); }

void CGXGridExcelLikeFillImp::SelectFilledRange(CGXGridCore* grid, const CGXRange& target) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  const POSITION pos = param->m_SelRects.AddTail(new CGXRange());
  grid->SetSelection(pos, target.top, target.left, target.bottom, target.right);
}

BOOL CGXGridExcelLikeFillImp::FillRange(CGXGridCore* grid, const CGXRange& source, const CGXRange& target) {
  const UINT options = FillOptions(grid);
  if (source == target || options == 0 || grid->GetParam() == nullptr) return FALSE;
  const BOOL styles = (options & kFillStyles) != 0;
  // One Undo takes back the whole fill.
  grid->BeginTrans(nullptr);
  auto clear = [&](const CGXRange& range) {
    CGXRangeList list;
    list.AddTail(new CGXRange(range));
    grid->ClearCells(list, !styles);
  };
  if (target.GetHeight() < source.GetHeight()) {
    clear(CGXRange(target.bottom + 1, target.left, source.bottom, target.right));
  } else if (target.GetWidth() < source.GetWidth()) {
    clear(CGXRange(source.top, target.right + 1, source.bottom, source.right));
  } else {
    CGXStyle* scratch = grid->CreateScratchStyle();
    auto fillCell = [&](ROWCOL fromRow, ROWCOL fromCol, ROWCOL row, ROWCOL col) {
      if (styles) {
        scratch->Free();
        grid->ComposeStyleRowCol(fromRow, fromCol, *scratch);
        grid->ApplyStyleToRange(CGXRange(row, col), scratch, 0, CGXGridCore::kStoreCell, nullptr, 2,
                                CGXGridCore::kRecordUndo);
      } else if (options & kFillTexts) {
        grid->SetControlTextRowCol(row, col, grid->GetCopyTextRowCol(fromRow, fromCol), 2);
      }
    };
    if (target.GetWidth() == source.GetWidth()) {
      // Vertical: the source rows repeat from the source's top, also upwards.
      const bool below = target.bottom > source.bottom;
      const ROWCOL first = below ? source.bottom + 1 : target.top, last = below ? target.bottom : source.top - 1;
      ROWCOL from = source.top;
      for (ROWCOL row = first; row <= last; ++row) {
        for (ROWCOL col = source.left; col <= source.right; ++col) fillCell(from, col, row, col);
        from = from == source.bottom ? source.top : from + 1;
      }
    } else {
      const bool right = target.right > source.right;
      const ROWCOL first = right ? source.right + 1 : target.left, last = right ? target.right : source.left - 1;
      ROWCOL from = source.left;
      for (ROWCOL col = first; col <= last; ++col) {
        for (ROWCOL row = source.top; row <= source.bottom; ++row) fillCell(row, from, row, col);
        from = from == source.right ? source.left : from + 1;
      }
    }
    grid->RecycleScratchStyle(scratch);
  }
  grid->CommitTrans();
  return TRUE;
}
