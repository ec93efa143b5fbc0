// What lies under a point of the grid (edges, hidden rows and columns,
// cells, headers, the selection's edge and fill handle), the cursor for it,
// the resize tracking hooks and the thin tracking line.
#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "platform/window/Window.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

// The cursor shown last, shared by every grid of the program.
struct ShownCursor {
  UINT id = 0;
  HCURSOR cursor = nullptr;
};
ShownCursor& LastCursor() {
  static ShownCursor last;
  return last;
}

}  // namespace

int CGXGridCore::HitTest(CPoint given, ROWCOL* outRow, ROWCOL* outCol, CRect* outRect) {
  const CPoint point(std::max<LONG>(0, given.x), std::max<LONG>(0, given.y));
  const CRect grid = GetGridRect();
  if (!grid.PtInRect(point) || !grid.PtInRect(given) || m_pParam == nullptr) return kHitNone;
  const int half = m_nEdgeMargin / 2;
  int left = 0, top = 0;
  const ROWCOL clientCol = CalcClientColFromX(point.x, &left);
  const ROWCOL clientRow = CalcClientRowFromY(point.y, &top);
  const bool known = clientCol != kNone && clientRow != kNone;
  const ROWCOL row = clientRow != kNone ? GetRowFromClientRow(clientRow) : (point.y <= half + 1 ? kNone : GetRowCount() + 1);
  const ROWCOL col = clientCol != kNone ? GetColFromClientCol(clientCol) : (point.x <= half + 1 ? kNone : GetColCount() + 1);
  CRect rect;
  if (known) rect.SetRect(left, top, left + GetColWidth(col), top + GetRowHeight(row));

  int code = kHitNone;
  ROWCOL hitRow = row, hitCol = col;
  bool refused = false;
  const ROWCOL headerRows = GetHeaderRows(), headerCols = GetHeaderCols();
  if (known && m_pParam->TestColResizeFlags(1 | 2) && (row <= headerRows || m_pParam->TestColResizeFlags(4))) {
    if (rect.right - point.x <= half) {
      if (col <= headerCols && m_pParam->TestColResizeFlags(8)) {
        refused = true;
      } else {
        code = kHitColEdge;
      }
    } else if (point.x - rect.left <= half && col > 0) {
      if (col == headerCols + 1 && m_pParam->TestColResizeFlags(8)) {
        refused = true;
      } else if (point.x - rect.left > 2 && GetColWidth(col - 1) == 0) {
        code = kHitHiddenCol;
        hitCol = col - 1;
      } else {
        hitCol = col - 1;
        while (hitCol > 0 && GetColWidth(hitCol) == 0) --hitCol;
        code = kHitColEdge;
      }
    }
  }
  if (known && code == kHitNone && !refused && m_pParam->TestRowResizeFlags(1 | 2) &&
      (col <= headerCols || m_pParam->TestRowResizeFlags(4))) {
    if (rect.bottom - point.y <= half) {
      if (!(row <= headerRows && m_pParam->TestRowResizeFlags(8))) code = kHitRowEdge;
    } else if (point.y - rect.top <= half && row > 0) {
      if (row == headerRows + 1 && m_pParam->TestRowResizeFlags(8)) {
        // the first row after the headers keeps its top edge
      } else if (point.y - rect.top > 2 && GetRowHeight(row - 1) == 0) {
        code = kHitHiddenRow;
        hitRow = row - 1;
      } else {
        hitRow = row - 1;
        while (hitRow > 0 && GetRowHeight(hitRow) == 0) --hitRow;
        code = kHitRowEdge;
      }
    }
  }
  if (known && code == kHitNone) {
    code = HitTestSelectionEdge(row, col, point, rect);
    if (code == kHitNone) code = (row > headerRows && col > headerCols) ? kHitCell : kHitHeader;
  }
  if (outRow != nullptr) *outRow = hitRow;
  if (outCol != nullptr) *outCol = hitCol;
  if (outRect != nullptr && known) *outRect = rect;
  return code;
}

int CGXGridCore::HitTestSelectionEdge(ROWCOL row, ROWCOL col, CPoint point, const CRect& rect) {
  if (m_pParam == nullptr || (!m_bDragSelectionByEdge && !m_pParam->m_bFillOption)) return kHitNone;
  const int inside = m_nEdgeMargin / 2;
  const bool nearLeft = point.x - rect.left < inside, nearRight = rect.right - 1 - point.x < inside;
  const bool nearTop = point.y - rect.top < inside, nearBottom = rect.bottom - 1 - point.y < inside;
  const CGXRangeList& selection = m_pParam->m_SelRects;
  if (selection.FindRangeWithCell(0, 0) != nullptr) {
    if (row == 0 && col == 0 && (nearLeft || nearTop)) return kHitSelectionEdge;
    return kHitNone;
  }
  CGXRange block;
  if (POSITION pos = selection.FindRangeWithCell(row, col)) {
    block = *selection.GetAt(pos);
  } else if (selection.IsEmpty() && m_bCurrentCell) {
    CGXRange covered;
    block = GetCoveredCellsRowCol(m_nCurrentRow, m_nCurrentCol, covered) != nullptr
                ? covered
                : CGXRange(m_nCurrentRow, m_nCurrentCol);
    if (!block.IsCellInRange(row, col)) return kHitNone;
  } else {
    return kHitNone;
  }
  const bool rows = block.IsRows(), cols = block.IsCols();
  const bool onEdge = (nearLeft && !rows && col == block.left) || (nearRight && !rows && col == block.right) ||
                      (nearTop && !cols && row == block.top) || (nearBottom && !cols && row == block.bottom);
  if (!onEdge) return kHitNone;
  // The fill handle is the block's own bottom-right corner.
  if (m_pParam->m_bFillOption && nearRight && nearBottom && (rows || col == block.right) &&
      (cols || row == block.bottom))
    return kHitFillHandle;
  return kHitSelectionEdge;
}

// ------------------------------------------------------ resize tracking

BOOL CGXGridCore::StartResizeTracking(ROWCOL row, ROWCOL col, int kind) {
  return m_pUserResizeCellsImp != nullptr && m_pUserResizeCellsImp->StartTracking(this, row, col, kind);
}
void CGXGridCore::MoveResizeTracking(UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) {
  if (m_pUserResizeCellsImp != nullptr) m_pUserResizeCellsImp->MoveTracking(this, keyFlags, point, row, col);
}
void CGXGridCore::EndResizeTracking(UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) {
  if (m_pUserResizeCellsImp != nullptr) m_pUserResizeCellsImp->EndTracking(this, keyFlags, point, row, col);
}
void CGXGridCore::CancelResizeTracking() {
  if (m_pUserResizeCellsImp != nullptr) m_pUserResizeCellsImp->CancelTracking(this);
}
BOOL CGXGridCore::CanResizeCols(ROWCOL) { return m_pUserResizeCellsImp != nullptr; }
BOOL CGXGridCore::CanResizeRows(ROWCOL) { return m_pUserResizeCellsImp != nullptr; }
BOOL CGXGridCore::IsColResizable(ROWCOL) { return TRUE; }
BOOL CGXGridCore::IsRowResizable(ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnTrackColWidth(ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnTrackColWidthEnd(ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnTrackRowHeight(ROWCOL, int) { return TRUE; }
BOOL CGXGridCore::OnTrackRowHeightEnd(ROWCOL, int) { return TRUE; }

// ----------------------------------------------------------------- cursor

void CGXGridCore::SetCursorShape(UINT id, LPCTSTR systemCursor) {
  m_nShownCursor = id;
  if (id == 0) {
    ::SetCursor(m_hWindowCursor != nullptr ? m_hWindowCursor : ::LoadCursor(nullptr, IDC_ARROW));
    return;
  }
  ShownCursor& last = LastCursor();
  if (last.id != id || last.cursor == nullptr) {
    // The program ships no cursor pictures of its own; the system cursor
    // stands in for each.
    last.id = id;
    last.cursor = ::LoadCursor(nullptr, systemCursor);
  }
  ::SetCursor(last.cursor);
}

void CGXGridCore::SetGridCursor(UINT id) {
  m_nForcedCursor = id;
  UpdateCursor(CPoint(0, 0));
}

void CGXGridCore::UpdateCursor(CPoint point) {
  if (m_nForcedCursor != 0) {
    SetCursorShape(m_nForcedCursor, IDC_ARROW);
    return;
  }
  ROWCOL row = 0, col = 0;
  const int code = HitTest(point, &row, &col);
  switch (code) {
    case kHitColEdge:
      if (m_pParam->TestColResizeFlags(1 | 2) && CanResizeCols(col)) return SetCursorShape(20190, IDC_SIZEWE);
      break;
    case kHitRowEdge:
      if (m_pParam->TestRowResizeFlags(1 | 2) && CanResizeRows(row)) return SetCursorShape(20191, IDC_SIZENS);
      break;
    case kHitSelectionEdge: return SetCursorShape(20194, IDC_ARROW);
    case kHitFillHandle: return SetCursorShape(20209, IDC_ARROW);
    case kHitHiddenCol: return SetCursorShape(20192, IDC_ARROW);
    case kHitHiddenRow: return SetCursorShape(20193, IDC_ARROW);
    case kHitHeader: {
      auto wholeSelected = [this](bool rows, ROWCOL index) {
        for (POSITION pos = m_pParam->m_SelRects.GetHeadPosition(); pos != nullptr;) {
          const CGXRange* r = m_pParam->m_SelRects.GetNext(pos);
          if (r->IsTable() || (rows && r->IsRows() && index >= r->top && index <= r->bottom) ||
              (!rows && r->IsCols() && index >= r->left && index <= r->right))
            return true;
        }
        return false;
      };
      if (row > 0 && col == 0) {
        if (wholeSelected(true, row) && m_pUserDragSelectRangeImp != nullptr && CanSelDragRows()) break;
        if (m_pParam->TestSelectionAllowed(1)) return SetCursorShape(20196, IDC_ARROW);
      } else if (row == 0 && col > 0) {
        if (wholeSelected(false, col) && m_pUserDragSelectRangeImp != nullptr && CanSelDragCols()) break;
        if (m_pParam->TestSelectionAllowed(2)) return SetCursorShape(20195, IDC_ARROW);
      }
      break;
    }
    default:
      break;
  }
  SetCursorShape(0, nullptr);
}

// ---------------------------------------------------------- tracking line

CRect CGXGridCore::CalcDragLineRect(int kind, ROWCOL position) {
  const CRect grid = GetGridRect();
  const BOOL atRightBottom = m_pParam != nullptr && m_pParam->m_bLinesAtRightBottom;
  if (kind == 2) {
    const int y = GetClientRowTop(position);
    const int span = std::min(SumClientColWidths(0, GetClientColFromCol(GetColCount()), grid.Width()), grid.Width());
    return atRightBottom ? CRect(grid.left, y - 1, grid.left + span + 1, y)
                         : CRect(grid.left, y, grid.left + span + 1, y + 1);
  }
  const int x = GetClientColLeft(position);
  const int span = std::min(SumClientRowHeights(0, GetClientRowFromRow(GetRowCount()), grid.Height()), grid.Height());
  return atRightBottom ? CRect(x - 1, grid.top, x, grid.top + span + 1) : CRect(x, grid.top, x + 1, grid.top + span + 1);
}

void CGXGridCore::DrawDragLine(CDC* dc, int kind, ROWCOL position, UINT flags) {
  const CRect r = CalcDragLineRect(kind, position);
  DrawGridLine(dc, r.left, r.top, r.Width(), r.Height(), kind == 2 ? 2 : 1, position, flags);
}
