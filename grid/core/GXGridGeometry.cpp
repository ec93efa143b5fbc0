// Row heights and column widths in pixels, the character size and zoom they
// follow, and the conversions between cells and client rectangles.
#include <algorithm>
#include <memory>

#include "grid/core/GXGridAxis.h"
#include "grid/core/GXGridCore.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/GdiObject.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

}  // namespace

// ------------------------------------------------------------------ sizes

int GXGridAxis::GetSize(ROWCOL index) {
  if (Hidden(index) || g.m_pParam == nullptr) return 0;
  LONG stored = 0;
  const int size = SizeMap().Lookup(index, stored) ? static_cast<int>(stored / Factor())
                                                   : (rows ? g.GetDefaultRowHeight() : g.GetDefaultColWidth());
  if (!CapToView() || index <= Frozen() || g.m_pGridWnd == nullptr || g.m_pGridWnd->m_hWnd == nullptr ||
      !g.m_pGridWnd->IsWindowVisible())
    return size;
  const CRect rect = g.GetGridRect();
  const int available = Far(rect) - Near(rect) - Sum(0, Frozen(), 0);
  return size >= available ? std::max(available, 0) : size;
}

BOOL GXGridAxis::StoreSizeOf(ROWCOL index, int pixels) {
  if (g.m_pParam == nullptr) return FALSE;
  if (pixels < 0) {
    SizeMap().RemoveKey(index);
  } else {
    SizeMap().SetAt(index, static_cast<LONG>(pixels) * Factor());
  }
  g.SetModifiedFlag(TRUE);
  return TRUE;
}

BOOL GXGridAxis::StoreDefault(int size) {
  if (size <= 0 || g.m_pParam == nullptr) return FALSE;
  DefaultSize() = static_cast<LONG>(size) * Factor();
  g.SetModifiedFlag(TRUE);
  return TRUE;
}

void GXGridAxis::GetSizes(ROWCOL from, ROWCOL to, int* sizes) {
  const ROWCOL last = std::max(from, to);
  for (ROWCOL i = from;; ++i) {
    sizes[i - from] = Size(i);
    if (i == last) break;
  }
}

BOOL GXGridAxis::SetSizes(ROWCOL from, ROWCOL to, int size, int* sizes, UINT flags, int commandMode) {
  if (to == 0) to = from;
  if (to < from) std::swap(from, to);
  // Sizes beyond the last row or column have nothing to show; a range up to
  // the largest index would also wrap its length to 0 or ask for gigabytes.
  to = std::max(from, std::min(to, Count()));
  if (to - from + 1 == 0) return FALSE;
  CGXLongOperation scope;
  std::unique_ptr<int[]> old(new int[to - from + 1]);
  GetSizes(from, to, old.get());
  BOOL changed = FALSE;
  for (ROWCOL i = from;; ++i) {
    changed |= StoreSize(i, sizes != nullptr ? sizes[i - from] : size);
    scope.CheckElapsed();
    if (i == to) break;
  }
  if (!changed) return FALSE;
  if (g.GetFloatCellsMode() != 0) g.DelayFloatCells(rows ? CGXRange().SetRows(from, to) : CGXRange().SetCols(from, to));
  UpdateChanged(from, to, old.get(), flags, TRUE);
  if (Records(commandMode)) {
    CGXCommand* command = g.m_pCommandFactory->CreateSetSizesCommand(rows, from, to, old.get());
    if (command != nullptr) old.release();
    File(command, commandMode, rows ? from : g.m_nTopRow, rows ? g.m_nLeftCol : from);
  }
  return TRUE;
}

BOOL GXGridAxis::SetDefault(int size, UINT flags, int commandMode) {
  const int old = rows ? g.GetDefaultRowHeight() : g.GetDefaultColWidth();
  if (!(rows ? g.StoreDefaultRowHeight(size) : g.StoreDefaultColWidth(size))) return FALSE;
  if (g.GetMergeCellsMode() != 0) g.DelayMergeCells(CGXRange().SetTable());
  if (g.GetFloatCellsMode() != 0) g.DelayFloatCells(CGXRange().SetTable());
  UpdateChanged(1, Count(), nullptr, flags, TRUE);
  if (Records(commandMode))
    File(g.m_pCommandFactory->CreateSetDefaultSizeCommand(rows, old), commandMode, g.m_nTopRow, g.m_nLeftCol);
  return TRUE;
}

void GXGridAxis::UpdateChangedSizes(ROWCOL from, ROWCOL to, int* oldSizes, UINT flags) {
  g.ResetLastVisible();
  if (g.m_bCurrentCell && Size(from) == 0 && CurrentIndex() >= from && CurrentIndex() <= to) g.ResetCurrentCell(TRUE);
  if (g.m_pParam == nullptr || g.m_pParam->m_bLockRedraw) return;
  if (CGXAbstractGridOptimizedUpdateImp* optimized = g.m_pOptimizedUpdateImp) {
    if (rows) {
      optimized->ChangedRowHeights(&g, &from, &to, oldSizes, &flags);
    } else {
      optimized->ChangedColWidths(&g, &from, &to, oldSizes, &flags);
    }
  } else {
    g.Redraw(flags, TRUE);
  }
}

int GXGridAxis::Sum(ROWCOL from, ROWCOL to, int limit) {
  int sum = 0;
  if (to < from) return 0;
  for (ROWCOL i = from;; ++i) {
    sum += Size(i);
    if (limit != 0 && sum > limit) break;
    if (i == to) break;
  }
  return sum;
}

int GXGridAxis::SumClient(ROWCOL from, ROWCOL to, int limit) {
  int sum = 0;
  if (to < from) return 0;
  for (ROWCOL i = from;; ++i) {
    sum += Size(FromClient(i));
    if (limit != 0 && sum > limit) break;
    if (i == to) break;
  }
  return sum;
}

BOOL CGXGridCore::SetRowHeight(ROWCOL from, ROWCOL to, int height, int* heights, UINT flags, int commandMode) {
  return GXGridAxis{*this, true}.SetSizes(from, to, height, heights, flags, commandMode);
}
BOOL CGXGridCore::SetColWidth(ROWCOL from, ROWCOL to, int width, int* widths, UINT flags, int commandMode) {
  return GXGridAxis{*this, false}.SetSizes(from, to, width, widths, flags, commandMode);
}
BOOL CGXGridCore::SetDefaultRowHeight(int height, UINT flags, int commandMode) {
  return GXGridAxis{*this, true}.SetDefault(height, flags, commandMode);
}
BOOL CGXGridCore::SetDefaultColWidth(int width, UINT flags, int commandMode) {
  return GXGridAxis{*this, false}.SetDefault(width, flags, commandMode);
}
int CGXGridCore::GetRowHeight(ROWCOL row) { return GXGridAxis{*this, true}.GetSize(row); }
int CGXGridCore::GetColWidth(ROWCOL col) { return GXGridAxis{*this, false}.GetSize(col); }
int CGXGridCore::GetDefaultRowHeight() {
  return m_pParam ? static_cast<int>(m_pParam->m_nDefaultRowHeight / GXGridAxis{*this, true}.Factor()) : 0;
}
int CGXGridCore::GetDefaultColWidth() {
  return m_pParam ? static_cast<int>(m_pParam->m_nDefaultColWidth / GXGridAxis{*this, false}.Factor()) : 0;
}
BOOL CGXGridCore::StoreDefaultRowHeight(int height) { return GXGridAxis{*this, true}.StoreDefault(height); }
BOOL CGXGridCore::StoreDefaultColWidth(int width) { return GXGridAxis{*this, false}.StoreDefault(width); }
BOOL CGXGridCore::StoreColWidth(ROWCOL col, int width) { return GXGridAxis{*this, false}.StoreSizeOf(col, width); }
BOOL CGXGridCore::StoreRowHeight(ROWCOL row, int height) { return GXGridAxis{*this, true}.StoreSizeOf(row, height); }
void CGXGridCore::UpdateChangedColWidths(ROWCOL from, ROWCOL to, int* old, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, false}.UpdateChangedSizes(from, to, old, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateChangedColWidths(this, from, to, old, flags);
}
void CGXGridCore::UpdateChangedRowHeights(ROWCOL from, ROWCOL to, int* old, UINT flags, BOOL sendHint) {
  GXGridAxis{*this, true}.UpdateChangedSizes(from, to, old, flags);
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateChangedRowHeights(this, from, to, old, flags);
}

void CGXGridCore::GetRowHeights(ROWCOL from, ROWCOL to, int* heights) {
  GXGridAxis{*this, true}.GetSizes(from, to, heights);
}
void CGXGridCore::GetColWidths(ROWCOL from, ROWCOL to, int* widths) {
  GXGridAxis{*this, false}.GetSizes(from, to, widths);
}
int CGXGridCore::SumRowHeights(ROWCOL from, ROWCOL to, int limit) { return GXGridAxis{*this, true}.Sum(from, to, limit); }
int CGXGridCore::SumColWidths(ROWCOL from, ROWCOL to, int limit) { return GXGridAxis{*this, false}.Sum(from, to, limit); }
int CGXGridCore::SumClientRowHeights(ROWCOL from, ROWCOL to, int limit) {
  return GXGridAxis{*this, true}.SumClient(from, to, limit);
}
int CGXGridCore::SumClientColWidths(ROWCOL from, ROWCOL to, int limit) {
  return GXGridAxis{*this, false}.SumClient(from, to, limit);
}
int CGXGridCore::GetClientColLeft(ROWCOL clientCol) {
  return GetGridRect().left + (clientCol == 0 ? 0 : SumClientColWidths(0, clientCol - 1));
}
int CGXGridCore::GetClientRowTop(ROWCOL clientRow) {
  return GetGridRect().top + (clientRow == 0 ? 0 : SumClientRowHeights(0, clientRow - 1));
}

// ------------------------------------------------------ character and zoom

int CGXGridCore::GetFontHeight() { return m_bPrinting ? m_dyPrintHeight : m_dyHeight; }
int CGXGridCore::GetFontWidth() { return m_bPrinting ? m_dxPrintWidth : m_dxWidth; }

int CGXGridCore::GetZoom() {
  if (m_bPrinting || (m_pParam != nullptr && m_pParam->m_bPrinterZoom)) return 100;
  return m_nZoom;
}

void CGXGridCore::SetZoom(int percent, UINT flags) {
  const int old = GetZoom();
  StoreZoom(percent, TRUE);
  UpdateZoom(old, flags, TRUE);
}

BOOL CGXGridCore::StoreZoom(int percent, BOOL sendHint) {
  m_nZoom = percent;
  if (m_pParam != nullptr && m_pParam->GetProperties() != nullptr) m_pParam->GetProperties()->m_nZoom = percent;
  if (auto* hints = HintSender(sendHint)) hints->HintStoreZoom(this, percent);
  return TRUE;
}

void CGXGridCore::UpdateZoom(int oldPercent, UINT flags, BOOL sendHint) {
  if (auto* hints = HintSender(sendHint)) hints->HintUpdateZoom(this, oldPercent, flags);
  RecalcCharSize();
  ResetLastVisible();
  if (GetFloatCellsMode() != 0) DelayFloatCells(CGXRange().SetTable());
  if (m_pParam != nullptr && !m_pParam->m_bLockRedraw && oldPercent != GetZoom()) Redraw(flags, FALSE);
}

void CGXGridCore::GetFontMetrics(CDC* dc, int& width, int& height) {
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  height = tm.tmHeight + tm.tmExternalLeading;
  // The pitch bit set marks a variable-pitch font, whose average width
  // undersells its wider letters.
  width = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? 3 * tm.tmAveCharWidth / 2 : tm.tmAveCharWidth;
}

void CGXGridCore::RecalcCharSize() { MeasureStandardFont(); }

void CGXGridCore::MeasureStandardFont() {
  CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
  const CGXStyle* standard = nullptr;
  if (map == nullptr || !map->LookupStyle(map->m_wStyleStandard, standard) || standard == nullptr) return;
  if (!standard->GetIncludeFont()) {
    m_dxWidth = 10;
    m_dyHeight = 15;
    return;
  }
  const LOGFONT lf = standard->GetFont().GetZoomedLogFont(GetZoom());
  CFont font;
  if (!font.CreateFontIndirect(&lf)) return;
  CClientDC dc(m_pGridWnd != nullptr && m_pGridWnd->m_hWnd != nullptr ? m_pGridWnd : nullptr);
  CFont* old = dc.SelectObject(&font);
  int width = 0, height = 0;
  GetFontMetrics(&dc, width, height);
  dc.SelectObject(old);
  if (width > 0) m_dxWidth = width;
  if (height > 0) m_dyHeight = height;
}

// ------------------------------------------------------- point to position

ROWCOL GXGridAxis::ClientFromCoord(int coord, int* start) {
  const CRect rect = g.GetGridRect();
  const int near = Near(rect);
  int x = near, out = near;
  const ROWCOL count = Count();
  ROWCOL client = 0;
  while (x <= coord) {
    const ROWCOL index = FromClient(client);
    if (index > count) break;
    out = x;
    x += Size(index);
    ++client;
  }
  if (start != nullptr) *start = out;
  if (x == near && FromClient(0) <= count) return 0;
  if (x < coord) return kNone;
  return client - 1;
}

ROWCOL GXGridAxis::LastFromRect(const CRect& rect, BOOL& ended) {
  const ROWCOL client = ClientFromCoord(Far(rect), nullptr);
  ended = client == kNone;
  return ended ? Count() : FromClient(client);
}

ROWCOL CGXGridCore::CalcClientColFromX(int x, int* left) { return GXGridAxis{*this, false}.ClientFromCoord(x, left); }
ROWCOL CGXGridCore::CalcClientRowFromY(int y, int* top) { return GXGridAxis{*this, true}.ClientFromCoord(y, top); }

ROWCOL CGXGridCore::CalcRightColFromRectEx(const CRect& rect, BOOL& ended) {
  return GXGridAxis{*this, false}.LastFromRect(rect, ended);
}
ROWCOL CGXGridCore::CalcBottomRowFromRectEx(const CRect& rect, BOOL& ended) {
  return GXGridAxis{*this, true}.LastFromRect(rect, ended);
}
ROWCOL CGXGridCore::CalcRightColFromRect(const CRect& rect) {
  BOOL ended = FALSE;
  return CalcRightColFromRectEx(rect, ended);
}
ROWCOL CGXGridCore::CalcBottomRowFromRect(const CRect& rect) {
  BOOL ended = FALSE;
  return CalcBottomRowFromRectEx(rect, ended);
}
void CGXGridCore::CalcBottomRightFromRect(const CRect& rect, ROWCOL& bottom, ROWCOL& right) {
  bottom = CalcBottomRowFromRect(rect);
  right = CalcRightColFromRect(rect);
}

BOOL CGXGridCore::CalcClientCellFromPoint(CPoint point, ROWCOL& clientRow, ROWCOL& clientCol, CRect* rect) {
  if (point.x < 0 || point.y < 0) {
    clientRow = clientCol = 0;
    return FALSE;
  }
  int left = 0, top = 0;
  clientCol = CalcClientColFromX(point.x, &left);
  clientRow = CalcClientRowFromY(point.y, &top);
  const BOOL found = clientRow != kNone && clientCol != kNone;
  if (found && rect != nullptr)
    rect->SetRect(left, top, left + GetColWidth(GetColFromClientCol(clientCol)),
                  top + GetRowHeight(GetRowFromClientRow(clientRow)));
  return found;
}

void CGXGridCore::CalcClientCellFromPointClamped(CPoint point, ROWCOL& clientRow, ROWCOL& clientCol) {
  CalcClientCellFromPoint(point, clientRow, clientCol);
  if (clientRow == kNone) clientRow = GetClientRowFromRow(GetRowCount());
  if (clientCol == kNone) clientCol = GetClientColFromCol(GetColCount());
}

// --------------------------------------------------------- rectangles

CRect CGXGridCore::CalcRectFromRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL noLimit) {
  if (bottom < top) std::swap(top, bottom);
  if (right < left) std::swap(left, right);
  const ROWCOL frozenRows = GetFrozenRows(), frozenCols = GetFrozenCols();
  const ROWCOL firstRow = m_bPrinting ? m_nPrintTopRow : m_nTopRow;
  const ROWCOL firstCol = m_bPrinting ? m_nPrintLeftCol : m_nLeftCol;
  if ((left > frozenCols && right < firstCol) || (top > frozenRows && bottom < firstRow)) return CRect(0, 0, 0, 0);
  if (!m_bPrinting && ((m_nLastVisibleRow != kNone && top > m_nLastVisibleRow) ||
                       (m_nLastVisibleCol != kNone && left > m_nLastVisibleCol)))
    return CRect(0, 0, 0, 0);
  if (noLimit) {
    // Without the walk's bound a block reaching past the grid's end is
    // measured only up to its last row and column.
    bottom = std::max(top, std::min(bottom, GetRowCount()));
    right = std::max(left, std::min(right, GetColCount()));
  }
  auto client = [](ROWCOL index, ROWCOL frozen, ROWCOL first, ROWCOL shownFirst) {
    // A block starting or ending in the scrolled-away part starts (ends)
    // at the frozen boundary.
    if (index > frozen && index < first) return shownFirst;
    return index <= frozen ? index : index + frozen - first + 1;
  };
  const ROWCOL r1 = client(top, frozenRows, firstRow, frozenRows + 1);
  const ROWCOL c1 = client(left, frozenCols, firstCol, frozenCols + 1);
  const ROWCOL r2 = client(bottom, frozenRows, firstRow, frozenRows);
  const ROWCOL c2 = client(right, frozenCols, firstCol, frozenCols);

  const CRect grid = GetGridRect();
  auto walk = [noLimit](int start, int farEdge, ROWCOL from, ROWCOL to, auto size) {
    int x = start;
    const long long bound = 2LL * farEdge;
    for (ROWCOL i = from; i < to; ++i) {
      x += size(i);
      if (!noLimit && x > bound) break;
    }
    return x;
  };
  auto colSize = [this](ROWCOL c) { return GetColWidth(GetColFromClientCol(c)); };
  auto rowSize = [this](ROWCOL r) { return GetRowHeight(GetRowFromClientRow(r)); };
  const int x1 = walk(grid.left, grid.right, 0, c1, colSize);
  const int x2 = c2 < c1 ? x1 : walk(x1, grid.right, c1, c2 + 1, colSize);
  const int y1 = walk(grid.top, grid.bottom, 0, r1, rowSize);
  const int y2 = r2 < r1 ? y1 : walk(y1, grid.bottom, r1, r2 + 1, rowSize);
  return CRect(x1, y1, x2, y2);
}

CRect CGXGridCore::CalcRectFromRowColCovered(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  CGXRange range(top, left, bottom, right);
  ExpandToCoveredCells(range);
  return CalcRectFromRange(range.top, range.left, range.bottom, range.right, FALSE);
}

CRect CGXGridCore::CalcRectFromRowColSpanned(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  CGXRange range(top, left, bottom, right);
  CGXRange span;
  if (GetMergeCellsMode() != 0 || GetFloatCellsMode() != 0) {
    for (const auto& [r, c] : {std::pair{top, left}, std::pair{bottom, right}}) {
      if (GetCellSpanRange(r, c, span) != nullptr) range.SetUnion(CGXRange(range), span);
    }
  }
  return CalcRectFromRowColCovered(range.top, range.left, range.bottom, range.right);
}

CRect CGXGridCore::CalcCellRect(ROWCOL row, ROWCOL col) { return CalcRectFromRowColCovered(row, col, row, col); }
CRect CGXGridCore::CalcCellRectSpanned(ROWCOL row, ROWCOL col) {
  return CalcRectFromRowColSpanned(row, col, row, col);
}

CRect CGXGridCore::CalcRectRightOfCol(ROWCOL col) {
  CRect rect = GetGridRect();
  if (col == 0) {
    rect.left += GetColWidth(0);
  } else {
    const ROWCOL client = std::max(GetClientColFromCol(col), col > GetFrozenCols() ? GetFrozenCols() : col);
    rect.left += SumClientColWidths(0, client);
  }
  if (rect.left > rect.right) rect.left = rect.right;
  return rect;
}

CRect CGXGridCore::CalcRectBelowRow(ROWCOL row) {
  CRect rect = GetGridRect();
  if (row == 0) {
    rect.top += GetRowHeight(0);
  } else {
    const ROWCOL client = std::max(GetClientRowFromRow(row), row > GetFrozenRows() ? GetFrozenRows() : row);
    rect.top += SumClientRowHeights(0, client);
  }
  if (rect.top > rect.bottom) rect.top = rect.bottom;
  return rect;
}

CRect CGXGridCore::CalcClientCellRect(ROWCOL clientRow, ROWCOL clientCol) {
  m_bWalkValid = FALSE;
  return CalcClientCellRectCached(clientRow, clientCol);
}

CRect CGXGridCore::CalcClientCellRectCached(ROWCOL clientRow, ROWCOL clientCol) {
  const CRect grid = GetGridRect();
  if (!m_bWalkValid) {
    m_nWalkRow = m_nWalkCol = 0;
    m_nWalkTop = grid.top;
    m_nWalkLeft = grid.left;
    m_bWalkValid = TRUE;
  }
  if (clientRow < m_nWalkRow) {
    m_nWalkRow = 0;
    m_nWalkTop = grid.top;
  }
  if (clientCol < m_nWalkCol) {
    m_nWalkCol = 0;
    m_nWalkLeft = grid.left;
  }
  const long long bottomBound = 2LL * grid.bottom, rightBound = 2LL * grid.right;
  while (m_nWalkRow < clientRow && m_nWalkTop <= bottomBound)
    m_nWalkTop += GetRowHeight(GetRowFromClientRow(m_nWalkRow++));
  while (m_nWalkCol < clientCol && m_nWalkLeft <= rightBound)
    m_nWalkLeft += GetColWidth(GetColFromClientCol(m_nWalkCol++));
  // A walk cut short by the bound keeps its place so the next request
  // continues from a coordinate already off the window.
  m_nWalkRow = std::max(m_nWalkRow, clientRow);
  m_nWalkCol = std::max(m_nWalkCol, clientCol);
  m_nWalkRight = m_nWalkLeft + GetColWidth(GetColFromClientCol(clientCol));
  m_nWalkBottom = m_nWalkTop + GetRowHeight(GetRowFromClientRow(clientRow));
  return CRect(m_nWalkLeft, m_nWalkTop, m_nWalkRight, m_nWalkBottom);
}
