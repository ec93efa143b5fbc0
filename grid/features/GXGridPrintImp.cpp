#include "grid/features/GXGridPrintImp.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStylesMap.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Document.h"
#include "platform/framework/PrintInfo.h"
#include "platform/gfx/Dc.h"

namespace {

enum Token { kTitle = 0, kApplication = 1, kPage = 2, kPageCount = 3, kDate = 4, kGridTitle = 5 };

CPrintInfo* Info(void* info) { return static_cast<CPrintInfo*>(info); }

// The whole page in the grid's logical units.
CRect PageRect(CDC* dc) {
  CRect page(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
  dc->DPtoLP(&page);
  return page;
}

BOOL PrintsSelection(CPrintInfo* info) {
  return info != nullptr && info->m_pPD != nullptr && info->m_pPD->PrintSelection();
}

// Restores the font and leaves printing state however the step ends.
class PrintingScope {
 public:
  PrintingScope(CGXGridCore* grid, CDC* dc) : grid_(grid), dc_(dc) {
    grid->SetPrintDC(dc, TRUE);
    grid->FreeObjectCache();
    oldFont_ = grid->SelectStyleFont(dc, grid->GetStandardStyle(), nullptr);
  }
  ~PrintingScope() {
    if (oldFont_ != nullptr) dc_->SelectObject(oldFont_);
    grid_->SetPrintDC(nullptr, FALSE);
  }
  PrintingScope(const PrintingScope&) = delete;
  PrintingScope& operator=(const PrintingScope&) = delete;

 private:
  CGXGridCore* grid_;
  CDC* dc_;
  CFont* oldFont_ = nullptr;
};

}  // namespace

// --------------------------------------------------------------- pages

namespace {

// Cuts one direction into pages. `lastFitting(start)` is the column (row)
// that holds the print rectangle's far edge when the cells are laid out
// from `start`, or last + 1 when everything from there fits.
template <class LastFitting>
void CutPages(CDWordArray& starts, ROWCOL first, ROWCOL last, const CDWordArray& breaks, ROWCOL screenFirst,
              DWORD& startPage, LastFitting lastFitting) {
  starts.RemoveAll();
  starts.Add(first);
  startPage = 0;
  int nextBreak = 0;
  ROWCOL start = first;
  for (;;) {
    ROWCOL next = std::max<ROWCOL>(start + 1, lastFitting(start));
    // Breaks at or before this page's start cannot start a later page.
    while (nextBreak < breaks.GetSize() && breaks.GetAt(nextBreak) <= start) ++nextBreak;
    if (nextBreak < breaks.GetSize() && breaks.GetAt(nextBreak) <= next) next = breaks.GetAt(nextBreak++);
    if (screenFirst >= start && screenFirst < next) startPage = static_cast<DWORD>(starts.GetSize() - 1);
    starts.Add(next);
    start = next;
    if (next > last) break;
  }
  starts.SetAt(starts.GetSize() - 1, last + 1);
}

}  // namespace

void CGXGridPrintImp::OnBeginPrinting(CGXGridCore* grid, CDC* dc, void* pInfo) {
  CPrintInfo* info = Info(pInfo);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || info == nullptr) return;
  grid->PrepareDC(dc, TRUE);
  grid->m_awColPageStarts.RemoveAll();
  grid->m_awRowPageStarts.RemoveAll();
  grid->m_bRepaintAfterPrinting = FALSE;

  CGXAppData* app = GXGetAppData();
  if (app->m_pSpanCellPoolImp != nullptr && app->m_pDelayedRangePoolImp != nullptr &&
      param->m_pPrintFloatSpanPool == nullptr && param->m_pPrintFloatDelayedPool == nullptr) {
    param->m_pPrintFloatSpanPool = reinterpret_cast<CObject*>(app->m_pSpanCellPoolImp->Create());
    param->m_pPrintFloatDelayedPool = reinterpret_cast<CObject*>(app->m_pDelayedRangePoolImp->Create());
  }
  grid->DelayFloatCells(CGXRange().SetTable());

  PrintingScope printing(grid, dc);
  CRect page = PageRect(dc);
  info->m_rectDraw = page;
  grid->ApplyPrintMargins(dc, info);
  grid->m_rectPrint = info->m_rectDraw;
  grid->ResetLastVisible();

  const ROWCOL rowCount = grid->GetRowCount(), colCount = grid->GetColCount();
  const ROWCOL frozenRows = grid->GetFrozenRows(), frozenCols = grid->GetFrozenCols();
  CGXProperties* props = param->GetProperties();
  DWORD colStartPage = 0, rowStartPage = 0;
  if (PrintsSelection(info) && param->m_SelRects.IsEmpty()) {
    // What the screen shows, on one page.
    const ROWCOL left = grid->GetLeftCol(), top = grid->GetTopRow();
    grid->m_nPrintLeftCol = left;
    grid->m_nPrintTopRow = top;
    grid->ResetLastVisible();
    BOOL ended = FALSE;
    const ROWCOL right = grid->CalcRightColFromRectEx(grid->m_rectPrint, ended);
    const ROWCOL bottom = grid->CalcBottomRowFromRectEx(grid->m_rectPrint, ended);
    grid->m_awColPageStarts.Add(left);
    grid->m_awColPageStarts.Add(std::min(right, colCount) + 1);
    grid->m_awRowPageStarts.Add(top);
    grid->m_awRowPageStarts.Add(std::min(bottom, rowCount) + 1);
  } else {
    CGXRange range;
    if (PrintsSelection(info)) {
      range = *param->m_SelRects.GetTail();
    } else {
      range.SetTable();
    }
    range.ExpandToCells(frozenRows + 1, frozenCols + 1, rowCount, colCount);
    const ROWCOL firstRow = std::max(range.top, frozenRows + 1);
    const ROWCOL firstCol = std::max(range.left, frozenCols + 1);
    CDWordArray noBreaks;
    CutPages(grid->m_awColPageStarts, firstCol, range.right, props ? props->m_awColBreaks : noBreaks,
             grid->GetLeftCol(), colStartPage, [grid, &range](ROWCOL start) {
               grid->m_nPrintLeftCol = start;
               grid->ResetLastVisible();
               BOOL ended = FALSE;
               const ROWCOL col = grid->CalcRightColFromRectEx(grid->m_rectPrint, ended);
               return ended || col > range.right ? range.right + 1 : col;
             });
    CutPages(grid->m_awRowPageStarts, firstRow, range.bottom, props ? props->m_awRowBreaks : noBreaks,
             grid->GetTopRow(), rowStartPage, [grid, &range](ROWCOL start) {
               grid->m_nPrintTopRow = start;
               grid->ResetLastVisible();
               BOOL ended = FALSE;
               const ROWCOL row = grid->CalcBottomRowFromRectEx(grid->m_rectPrint, ended);
               return ended || row > range.bottom ? range.bottom + 1 : row;
             });
  }
  grid->m_awStartPages.RemoveAll();
  grid->m_awStartPages.Add(colStartPage);
  grid->m_awStartPages.Add(rowStartPage);

  const UINT colPages = static_cast<UINT>(grid->m_awColPageStarts.GetSize() - 1);
  const UINT rowPages = static_cast<UINT>(grid->m_awRowPageStarts.GetSize() - 1);
  const UINT pages = colPages * rowPages;
  info->SetMaxPage(pages);
  CString count;
  count.Format(" / %u", pages);
  info->m_strPageDesc += count;
  if (info->m_bPreview) {
    const BOOL down = props != nullptr && props->m_nPageOrder == 1;
    info->m_nCurPage = down ? colStartPage * rowPages + rowStartPage + 1 : rowStartPage * colPages + colStartPage + 1;
  }
}

void CGXGridPrintImp::OnPrint(CGXGridCore* grid, CDC* dc, void* pInfo) {
  CPrintInfo* info = Info(pInfo);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || info == nullptr || grid->m_awColPageStarts.GetSize() < 2 ||
      grid->m_awRowPageStarts.GetSize() < 2)
    return;
  grid->PrepareDC(dc, TRUE);
  grid->m_bRepaintAfterPrinting = FALSE;
  grid->m_bPaintWhilePrinting = FALSE;
  {
    PrintingScope printing(grid, dc);
    grid->ApplyPrintMargins(dc, info);
    grid->m_rectPrint = info->m_rectDraw;
    CGXProperties* props = param->GetProperties();
    const BOOL down = props != nullptr && props->m_nPageOrder == 1;
    const ROWCOL rowCount = grid->GetRowCount(), colCount = grid->GetColCount();

    auto pageStarts = [&](UINT page, ROWCOL& rowPage, ROWCOL& colPage) {
      const UINT rowPages = static_cast<UINT>(grid->m_awRowPageStarts.GetSize() - 1);
      const UINT colPages = static_cast<UINT>(grid->m_awColPageStarts.GetSize() - 1);
      const UINT index = page > 0 ? page - 1 : 0;
      rowPage = down ? index % rowPages : index / colPages;
      colPage = down ? index / rowPages : index % colPages;
      rowPage = std::min<ROWCOL>(rowPage, rowPages - 1);
      colPage = std::min<ROWCOL>(colPage, colPages - 1);
      grid->m_nPrintTopRow = grid->m_awRowPageStarts.GetAt(static_cast<int>(rowPage));
      grid->m_nPrintLeftCol = grid->m_awColPageStarts.GetAt(static_cast<int>(colPage));
      grid->ResetLastVisible();
    };
    ROWCOL rowPage = 0, colPage = 0;
    pageStarts(info->m_nCurPage, rowPage, colPage);

    // A grid that grew since the pages were cut gets more pages.
    if (!PrintsSelection(info)) {
      bool extended = false;
      for (bool rows : {true, false}) {
        CDWordArray& starts = rows ? grid->m_awRowPageStarts : grid->m_awColPageStarts;
        const ROWCOL count = rows ? rowCount : colCount;
        if (starts.GetSize() < 2 || starts.GetAt(starts.GetSize() - 1) > count) continue;
        // Page on from the next-to-last start until the last row or column.
        ROWCOL start = starts.GetAt(starts.GetSize() - 2);
        starts.SetSize(starts.GetSize() - 1);
        const ROWCOL savedTop = grid->m_nPrintTopRow, savedLeft = grid->m_nPrintLeftCol;
        while (start <= count) {
          (rows ? grid->m_nPrintTopRow : grid->m_nPrintLeftCol) = start;
          grid->ResetLastVisible();
          BOOL ended = FALSE;
          const ROWCOL lastFitting = rows ? grid->CalcBottomRowFromRectEx(grid->m_rectPrint, ended)
                                          : grid->CalcRightColFromRectEx(grid->m_rectPrint, ended);
          ROWCOL next = ended ? count + 1 : std::max(start + 1, lastFitting);
          next = std::min(next, count + 1);
          starts.Add(next);
          start = next;
        }
        grid->m_nPrintTopRow = savedTop;
        grid->m_nPrintLeftCol = savedLeft;
        extended = true;
      }
      if (extended) {
        info->SetMaxPage(static_cast<UINT>((grid->m_awColPageStarts.GetSize() - 1) *
                                           (grid->m_awRowPageStarts.GetSize() - 1)));
        pageStarts(info->m_nCurPage, rowPage, colPage);
      }
    }

    const int lastRowPage = grid->m_awRowPageStarts.GetSize() - 2;
    const int lastColPage = grid->m_awColPageStarts.GetSize() - 2;
    const ROWCOL nextRow = grid->m_awRowPageStarts.GetAt(static_cast<int>(rowPage) + 1);
    const ROWCOL nextCol = grid->m_awColPageStarts.GetAt(static_cast<int>(colPage) + 1);
    // The last page of the whole table runs to the last row (the grid may
    // have grown); a printed selection ends where it ends.
    const bool toEnd = !PrintsSelection(info);
    const ROWCOL lastRow = toEnd && static_cast<int>(rowPage) == lastRowPage
                               ? grid->GetClientRowFromRow(rowCount)
                               : grid->GetClientRowFromRow(std::min(rowCount + 1, nextRow)) - 1;
    const ROWCOL lastCol = toEnd && static_cast<int>(colPage) == lastColPage
                               ? grid->GetClientColFromCol(colCount)
                               : grid->GetClientColFromCol(std::min(colCount + 1, nextCol)) - 1;
    const int width = grid->SumClientColWidths(0, lastCol);
    const int height = grid->SumClientRowHeights(0, lastRow);

    CRect& rect = grid->m_rectPrint;
    if (props == nullptr || props->m_bCenterHorizontal) rect.left += (rect.Width() - width) / 2;
    if (props != nullptr && props->m_bCenterVertical) rect.top += (rect.Height() - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    info->m_rectDraw = rect;
    grid->ResetLastVisible();

    grid->PrintHeaderFooter(dc, info);

    if (props == nullptr || props->m_bPrintFrame) {
      const int w = param->m_bLinesAtRightBottom ? width - 1 : width;
      const int h = param->m_bLinesAtRightBottom ? height - 1 : height;
      grid->DrawGridLine(dc, rect.left - 1, rect.top - 1, w + 3, 2, 2, 0, 0);
      grid->DrawGridLine(dc, rect.left - 1, rect.top + h, w + 3, 2, 2, 0, 0);
      grid->DrawGridLine(dc, rect.left - 1, rect.top - 1, 2, h + 3, 1, 0, 0);
      grid->DrawGridLine(dc, rect.left + w, rect.top - 1, 2, h + 3, 1, 0, 0);
    }

    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&rect);
    grid->DrawCellRange(0, 0, lastRow, lastCol, dc);
    dc->RestoreDC(saved);

    info->m_bContinuePrinting = !(static_cast<int>(rowPage) == lastRowPage && static_cast<int>(colPage) == lastColPage);
  }
  if (grid->m_bPaintWhilePrinting || grid->m_bRepaintAfterPrinting) grid->Redraw();
}

void CGXGridPrintImp::OnEndPrinting(CGXGridCore* grid, CDC*, void*) {
  if (CWnd* wnd = grid->m_pGridWnd; wnd != nullptr && wnd->GetSafeHwnd() != nullptr) wnd->Invalidate(FALSE);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  delete param->m_pPrintFloatSpanPool;
  delete param->m_pPrintFloatDelayedPool;
  param->m_pPrintFloatSpanPool = nullptr;
  param->m_pPrintFloatDelayedPool = nullptr;
}

// ------------------------------------------------- header and footer

void CGXGridPrintImp::PrintHeaderFooter(CGXProperties& p, CDC* dc, void* pInfo, CDocument* document,
                                        CGXGridParam* param) {
  CPrintInfo* info = Info(pInfo);
  std::vector<CString>& values = p.m_tokenValues;
  values.assign(std::max<std::size_t>(p.GetTokens().size(), 6), CString());
  if (document != nullptr) values[kTitle] = document->GetTitle();
  if (LPCTSTR name = AfxGetAppName()) values[kApplication] = name;
  if (info != nullptr) {
    values[kPageCount].Format("%d", static_cast<int>(info->GetMaxPage()));
    const int page = p.m_nFirstPage == -1
                         ? static_cast<int>(info->m_nCurPage)
                         : p.m_nFirstPage + static_cast<int>(info->m_nCurPage) - static_cast<int>(info->GetMinPage());
    values[kPage].Format("%d", page);
  }
  if (param != nullptr) values[kGridTitle] = param->m_sTitle;

  CGXStylesMap* map = param != nullptr ? param->GetStylesMap() : nullptr;
  const CRect page = PageRect(dc);
  CRect header = page, footer = page;
  if (info != nullptr) {
    const CRect& draw = info->m_rectDraw;
    header.SetRect(draw.left, p.m_nDistances[0], draw.right, draw.top);
    footer.bottom = page.bottom - p.m_nDistances[1];
    footer.top = std::max<int>(footer.bottom - CalcHeaderFooterHeight(p, dc, &p.GetDataFooter(), map), draw.bottom);
    footer.left = draw.left;
    footer.right = draw.right;
  }
  DrawHeaderFooter(p, dc, info, header, &p.GetDataHeader(), map);
  DrawHeaderFooter(p, dc, info, footer, &p.GetDataFooter(), map);
}

namespace {

// The cell's style completed by the standard style; false without a value.
bool HeaderCell(CGXData* data, CGXStylesMap* map, ROWCOL row, ROWCOL col, CGXStyle& style) {
  if (!data->GetStyleRowCol(row, col, style, 2, 0) || !style.GetIncludeValue() || style.GetValue().IsEmpty())
    return false;
  const CGXStyle* standard = nullptr;
  if (map != nullptr && map->LookupStyle(map->m_wStyleStandard, standard) && standard != nullptr)
    style.ChangeStyle(*standard, 1);
  return true;
}

// Selects the cell's font unless it is the standard one the device
// context already holds; the font to select back, or null.
CFont* SelectCellFont(CGXGridCore* grid, CDC* dc, const CGXStyle& style, CGXStylesMap* map) {
  if (grid == nullptr || !style.GetIncludeFont()) return nullptr;
  const CGXStyle* standard = nullptr;
  if (map != nullptr && map->LookupStyle(map->m_wStyleStandard, standard) && standard != nullptr &&
      standard->GetIncludeFont() && standard->GetFont() == style.GetFont())
    return nullptr;
  return grid->SelectStyleFont(dc, style, nullptr);
}

int LineHeight(CDC* dc) { return dc->GetTextExtent("X", 1).cy; }

}  // namespace

int CGXGridPrintImp::CalcHeaderFooterHeight(CGXProperties& p, CDC* dc, CGXData* data, CGXStylesMap* map) {
  if (dc == nullptr || data == nullptr) return 0;
  CGXGridCore* grid = p.GetPrintGrid();
  int tallest = 0;
  for (ROWCOL col = 1; col <= 3; ++col) {
    int sum = 0;
    for (ROWCOL row = 1; row <= 10; ++row) {
      CGXStyle style;
      if (!HeaderCell(data, map, row, col, style)) continue;
      CFont* old = SelectCellFont(grid, dc, style, map);
      sum += LineHeight(dc);
      if (old != nullptr) dc->SelectObject(old);
    }
    tallest = std::max(tallest, sum);
  }
  return tallest;
}

void CGXGridPrintImp::DrawHeaderFooter(CGXProperties& p, CDC* dc, void*, const RECT& rect, CGXData* data,
                                       CGXStylesMap* map) {
  if (dc == nullptr || data == nullptr) return;
  CGXGridCore* grid = p.GetPrintGrid();
  const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  for (ROWCOL col = 1; col <= 3; ++col) {
    int top = rect.top;
    for (ROWCOL row = 1; row <= 10; ++row) {
      CGXStyle style;
      if (!HeaderCell(data, map, row, col, style)) continue;
      CFont* old = SelectCellFont(grid, dc, style, map);
      const int height = LineHeight(dc);
      const CString text = SubstTokens(p, style.GetValue());
      CRect line(rect.left + 8, top, rect.right - 8, top + height);
      dc->DrawText(text, text.GetLength(), &line, alignments[col - 1] | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
      if (old != nullptr) dc->SelectObject(old);
      top += height;
    }
  }
  dc->SetBkMode(oldMode);
}

// -------------------------------------------------------------- tokens

CString CGXGridPrintImp::SubstTokens(CGXProperties& p, LPCTSTR text) {
  CString rest = text != nullptr ? text : "";
  std::string result;
  const std::vector<CString>& tokens = p.GetTokens();
  while (!rest.IsEmpty()) {
    bool matched = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const int length = tokens[i].GetLength();
      if (length == 0 || rest.GetLength() < length || rest.Left(length).CompareNoCase(tokens[i]) != 0) continue;
      rest = rest.Mid(length);
      result += static_cast<LPCTSTR>(GetTokenValue(p, static_cast<int>(i), rest));
      matched = true;
      break;
    }
    if (!matched) {
      result += rest[0];
      rest = rest.Mid(1);
    }
  }
  return CString(result.c_str());
}

CString CGXGridPrintImp::GetTokenValue(CGXProperties& p, int index, CString& rest) {
  if (index == kDate) {
    CString format = GetTokenArgs(p, rest);
    if (format.IsEmpty()) format = "%c";
    const std::time_t now = std::time(nullptr);
    struct tm local{};
    localtime_r(&now, &local);
    return GXFormatHeaderDate(format, local);
  }
  if (index < 0 || static_cast<std::size_t>(index) >= p.m_tokenValues.size()) return CString();
  return p.m_tokenValues[static_cast<std::size_t>(index)];
}

CString CGXGridPrintImp::GetTokenArgs(CGXProperties&, CString& rest) {
  if (rest.IsEmpty() || rest[0] != '{') return CString();
  const int close = rest.Find('}');
  if (close < 0) return CString();
  const CString args = rest.Mid(1, close - 1);
  rest = rest.Mid(close + 1);
  return args;
}

CString GXFormatHeaderDate(LPCTSTR format, const struct tm& time) {
  // The conversions every formatter knows; others are not passed on.
  static const char kKnown[] = "aAbBcdHIjmMpSUwWxXyYZ%";
  std::string out;
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] != '\0' && std::strchr(kKnown, p[1]) != nullptr) {
      const char conversion[3] = {'%', p[1], '\0'};
      char buffer[256];
      const std::size_t n = std::strftime(buffer, sizeof buffer, conversion, &time);
      out.append(buffer, n);
      ++p;
    } else {
      out += *p;
    }
    if (out.size() > 255) return CString();
  }
  return CString(out.c_str());
}
