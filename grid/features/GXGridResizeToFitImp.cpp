#include "grid/features/GXGridResizeToFitImp.h"

#include <algorithm>
#include <vector>

#include "grid/cells/GXEditControl.h"
#include "grid/core/GXDIB.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXFeatureTexts.h"
#include "platform/framework/WindowDc.h"

namespace {

// Pixels of the widest of the text's lines split at line breaks.
int WidestLine(CDC* dc, const CString& text) {
  int widest = 0, start = 0;
  const int n = text.GetLength();
  for (int i = 0; i <= n; ++i) {
    if (i == n || text[i] == '\n' || text[i] == '\r') {
      if (i > start) widest = std::max<int>(widest, dc->GetTextExtent(static_cast<LPCTSTR>(text) + start, i - start).cx);
      if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return widest;
}

}  // namespace

CSize CGXCalcSizeImp::CalcSize(CGXControl* control, CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style,
                               const CGXStyle* standard, BOOL vertical) {
  if (control == nullptr || dc == nullptr) return CSize(0, 0);
  CGXGridCore* grid = control->GetGrid();
  CString text;
  control->GetControlText(text, row, col, nullptr, style);
  // A picture cell measures as its picture.
  if (dynamic_cast<CEdit*>(control) == nullptr && !text.IsEmpty()) {
    if (HGLOBAL bitmap = GXGetDIBPool()->GetBitmap(text)) {
      CGXDIB dib;
      if (dib.Attach(bitmap)) {
        const CSize size(dib.GetWidth(), dib.GetHeight());
        dib.Detach();
        return control->CalcSize(size.cx, size.cy, style);
      }
    }
  }
  CFont* oldFont = control->GetGridGdiObject(dc, style, standard);
  CGXRange block(row, col);
  if (grid != nullptr) {
    grid->GetCoveredCellsRowCol(row, col, block);
  }
  const int height = grid != nullptr ? grid->SumRowHeights(block.top, block.bottom) : 0;
  const int width = grid != nullptr ? grid->SumColWidths(block.left, block.right) : 0;
  const CRect cell(0, 0, width, height);
  const CRect area = control->GetCellRect(row, col, &cell, &style);
  UINT format = 0;
  const UINT vert = style.GetIncludeVerticalAlignment() ? style.GetVerticalAlignment() : DT_TOP;
  const UINT horz = style.GetIncludeHorizontalAlignment() ? style.GetHorizontalAlignment() : DT_LEFT;
  if (vert == DT_BOTTOM || vert == DT_VCENTER) format |= vert;
  if (horz == DT_CENTER || horz == DT_RIGHT) format |= horz;
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
  CSize size;
  if (!text.IsEmpty()) {
    const BOOL wrap = style.GetIncludeWrapText() && style.GetWrapText();
    int lines = 1, widestBroken = 0;
    if (wrap) {
      // Every line is counted, however many the text breaks into.
      const int n = text.GetLength();
      std::vector<int> starts(static_cast<std::size_t>(n) + 1), lengths(static_cast<std::size_t>(n) + 1);
      RECT room{area.left, area.top, area.right, area.top + 0x3FFFFFFF};
      lines = std::max(1, GXGetDrawingAndFormatting()->LayoutLines(dc, text, n, room, format | DT_WORDBREAK,
                                                                      starts.data(), lengths.data(), n + 1));
      for (int i = 0; i < lines; ++i)
        if (lengths[static_cast<std::size_t>(i)] > 0)
          widestBroken = std::max<int>(
              widestBroken,
              dc->GetTextExtent(static_cast<LPCTSTR>(text) + starts[static_cast<std::size_t>(i)], lengths[static_cast<std::size_t>(i)]).cx);
    }
    if (vertical) {
      size.cx = area.Width();
      size.cy = wrap ? lineHeight * lines + 1 : lineHeight + 1;
    } else {
      size.cx = wrap && area.Height() >= lineHeight * lines + 1 ? widestBroken : WidestLine(dc, text);
      size.cy = area.Height();
    }
  } else {
    size.cy = lineHeight + 1;
    size.cx = tm.tmMaxCharWidth;
  }
  if (oldFont != nullptr) dc->SelectObject(oldFont);
  return control->CalcSize(size.cx, size.cy, style);
}

BOOL CGXGridResizeToFitImp::ResizeRowHeightsToFit(CGXGridCore* grid, const CGXRange& range, BOOL spanned,
                                                  UINT flags) {
  return Resize(grid, TRUE, range, spanned, flags);
}

BOOL CGXGridResizeToFitImp::ResizeColWidthsToFit(CGXGridCore* grid, const CGXRange& range, BOOL spanned,
                                                 UINT flags) {
  return Resize(grid, FALSE, range, spanned, flags);
}

BOOL CGXGridResizeToFitImp::Resize(CGXGridCore* grid, BOOL rows, const CGXRange& given, BOOL spanned, UINT flags) {
  if (grid->GetParam() == nullptr) return FALSE;
  CClientDC dc(grid->m_pGridWnd != nullptr && grid->m_pGridWnd->GetSafeHwnd() != nullptr ? grid->m_pGridWnd : nullptr);
  grid->OnPrepareDC(&dc);
  CFont* oldFont = grid->SelectStyleFont(&dc, grid->GetStandardStyle(), nullptr);
  CGXRange range = given;
  range.ExpandToCells(0, 0, grid->GetRowCount(), grid->GetColCount());
  if (grid->GetMergeCellsMode() != 0) grid->EvalMergeCells(range, 0, FALSE, TRUE);
  if (grid->GetFloatCellsMode() != 0) grid->EvalFloatCells(range, 0, FALSE, TRUE);

  const CString name = GXFeatureText(rows ? 20172 : 20173);
  CGXLongOperation scope;
  scope.SetStatusText(name);
  grid->BeginTrans(name);

  // Nothing grows beyond what the window can show.
  int available = grid->GetGridRect().Height();
  if (!rows) available = grid->GetGridRect().Width();
  if (available == 0) {
    CWnd* parent = grid->m_pGridWnd != nullptr ? grid->m_pGridWnd->GetParent() : nullptr;
    CWnd* child = grid->m_pGridWnd != nullptr ? grid->m_pGridWnd->GetTopWindow() : nullptr;
    CRect r;
    if (parent != nullptr) {
      parent->GetClientRect(&r);
      available = rows ? r.Height() : r.Width();
    } else if (child != nullptr) {
      child->GetClientRect(&r);
      available = rows ? r.Height() : r.Width();
    } else {
      available = 0x7FFF;
    }
  }
  const ROWCOL frozen = rows ? grid->GetFrozenRows() : grid->GetFrozenCols();
  const ROWCOL first = rows ? range.top : range.left, last = rows ? range.bottom : range.right;
  const ROWCOL crossFirst = rows ? range.left : range.top, crossLast = rows ? range.right : range.bottom;
  auto sizeOf = [&](ROWCOL i) { return rows ? grid->GetRowHeight(i) : grid->GetColWidth(i); };
  auto sum = [&](ROWCOL from, ROWCOL to) { return rows ? grid->SumRowHeights(from, to) : grid->SumColWidths(from, to); };

  BOOL aborted = FALSE;
  CGXStyle* style = grid->CreateScratchStyle();
  for (ROWCOL i = first; !aborted; ++i) {
    int limit = 0;
    if (i == 0) {
      limit = available - 1;
    } else if (i > frozen) {
      limit = available - sum(0, frozen) - 1;
    } else {
      limit = available - sum(0, i - 1) - 1;
    }
    limit = std::max(limit, 0);
    int wanted = 0;
    for (ROWCOL j = crossFirst; !aborted;) {
      const ROWCOL row = rows ? i : j, col = rows ? j : i;
      CGXRange block;
      const bool inBlock = grid->GetCoveredCellsRowCol(row, col, block) != nullptr;
      ROWCOL next = j;
      bool counts = false;
      int above = 0;
      if (inBlock) {
        next = rows ? block.right : block.bottom;
        // A block counts once, at its last row (column), when it lies in
        // the range across.
        const ROWCOL blockEnd = rows ? block.bottom : block.right;
        const ROWCOL blockCrossStart = rows ? block.left : block.top, blockCrossEnd = rows ? block.right : block.bottom;
        const ROWCOL blockStart = rows ? block.top : block.left;
        counts = spanned && i == blockEnd && j == blockCrossStart && blockCrossStart >= crossFirst &&
                 blockCrossEnd <= crossLast;
        if (counts && blockStart < i) above = sum(blockStart, i - 1);
      } else {
        counts = (rows ? grid->GetColWidth(col) : grid->GetRowHeight(row)) > 0;
      }
      if (counts) {
        // A block shows its first cell's contents over its whole extent.
        const ROWCOL cellRow = inBlock ? block.top : row, cellCol = inBlock ? block.left : col;
        style->Free();
        grid->ComposeStyleRowCol(cellRow, cellCol, *style);
        if (CGXControl* control = grid->GetRegisteredControl(style->GetControl())) {
          // The current cell measures what is being typed into it.
          if (control->IsActive() && grid->IsCurrentCell(cellRow, cellCol))
            style->SetValue(grid->GetCurrentCellText());
          const CSize size = control->CalcContentSize(&dc, cellRow, cellCol, *style, rows, FALSE);
          wanted = std::max<int>(wanted, (rows ? size.cy : size.cx) - above);
        }
      }
      scope.PollAbort(aborted);
      if (next >= crossLast) break;
      j = next + 1;
    }
    if (aborted) break;
    wanted = std::min(wanted, limit);
    const int current = sizeOf(i);
    const bool grow = (flags & GX_RESIZE_GROWONLY) != 0;
    if ((grow && wanted > current) || (!grow && wanted != current && wanted > 0)) {
      if (rows) {
        grid->SetRowHeight(i, i, wanted, nullptr, flags & 7, CGXGridCore::kRecordUndo);
      } else {
        grid->SetColWidth(i, i, wanted, nullptr, flags & 7, CGXGridCore::kRecordUndo);
      }
    }
    if (i >= last) break;
  }
  grid->RecycleScratchStyle(style);
  if (oldFont != nullptr) dc.SelectObject(oldFont);
  if (aborted) {
    grid->Rollback();
    return FALSE;
  }
  grid->CommitTrans();
  return TRUE;
}
