// The edit cell.
#include "grid/cells/GXEditControl.h"

#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXFindReplaceState.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"

IMPLEMENT_DYNAMIC(CGXEditControl, CEdit)
const GXControlClass CGXEditControl::CGXEditControlRecord = {"CGXEditControl", &CGXStatic::CGXStaticRecord};

namespace {
constexpr UINT kLastFunctionKey = 0x87;  // F24
BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

CGXEditControl::CGXEditControl(CGXGridCore* grid, UINT id)
    : CGXStatic(grid), m_nID(id), m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)) {}

CGXEditControl::~CGXEditControl() {
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pFont;
}

BOOL CGXEditControl::CreateControl(DWORD style, const RECT* rect) {
  const CRect place = rect != nullptr ? CRect(*rect) : CRect(0, 0, 0, 0);
  CWnd* parent = GetGridWnd();
  // A single-line layout that scrolls sideways unless the style asks for
  // more; Up and Down still find their line in it.
  if (style == 0) {
    style = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    style |= m_bWrapText ? 0 : ES_AUTOHSCROLL;
    if (m_bAllowEnter) style |= ES_WANTRETURN;
  }
  m_dwEditStyle = style;
  return CreateEx(m_bRTLReading ? WS_EX_RTLREADING : 0, "GXEDIT", nullptr, style | WS_CHILD, place, parent, m_nID);
}

void CGXEditControl::SetActive(BOOL on) {
  if (on && !m_bIsActive && m_hWnd != nullptr) {
    m_bIsActive = TRUE;
    FreeStyle(TRUE);
    CGXControl::GetStyle();
  } else {
    m_bIsActive = on && m_hWnd != nullptr;
  }
  if (m_hWnd != nullptr && m_bInit) {
    m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
    m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0);
  }
}

void CGXEditControl::SetModify(BOOL modified) {
  if (m_hWnd != nullptr) SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified));
}

BOOL CGXEditControl::GetModify() {
  return m_hWnd != nullptr ? static_cast<BOOL>(SendMessage(EM_GETMODIFY)) : FALSE;
}

void CGXEditControl::Init(ROWCOL row, ROWCOL col) {
  GXImeComposing = FALSE;
  CGXControl::Init(row, col);
  const CGXStyle& style = CGXControl::GetStyle();
  m_bWrapText = style.GetIncludeWrapText() && style.GetWrapText();
  m_bAllowEnter = style.GetIncludeAllowEnter() && style.GetAllowEnter();
  if (m_hWnd == nullptr) CreateControl(0, nullptr);
  m_bAutoSize = style.GetIncludeAutoSize() ? style.GetAutoSize() : FALSE;
  m_nMaxLength = style.GetIncludeMaxLength() ? style.GetMaxLength() : 0;
  if (m_hWnd != nullptr) SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength));
  SetCurrentText(m_pGrid->GetStoredCellValue(row, col));
  if (m_hWnd != nullptr) {
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
    if (m_bIsActive) SendMessage(EM_LINESCROLL, 0, 255);
  }
  SetModify(FALSE);
}

BOOL CGXEditControl::Store() {
  CString text;
  if (m_pStyle == nullptr || !GetModify() || !GetCurrentText(text)) return TRUE;
  SetActive(FALSE);
  FreeStyle(TRUE);
  return m_pGrid->SetValueRangeFromString(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

BOOL CGXEditControl::OnEndEditing() {
  if (!CGXControl::OnEndEditing()) return FALSE;
  m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  return TRUE;
}

// A text floats; an empty cell may be flooded.
BOOL CGXEditControl::CanFloatCell(ROWCOL, ROWCOL, const CGXStyle& style, BOOL floats) {
  return floats ? !style.GetValue().IsEmpty() : style.GetValue().IsEmpty();
}

void CGXEditControl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                          const CGXStyle* baseStyle) {
  if (!IsInitializedFor(row, col) || !m_bIsActive) {
    CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  if (GXImeComposing) return;
  Hide();
  delete m_pFont;
  m_pFont = new CFont;
  // The editor shows the text at the grid's zoom, as the cell draws it.
  LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  m_pFont->CreateFontIndirect(&lf);
  m_rgbTextColor = m_pGrid->PrintsBlackWhite()       ? RGB(255, 255, 255)
                   : style.GetIncludeTextColor() ? style.GetTextColor()
                                                 : RGB(0, 0, 0);
  CFont* old = dc->SelectObject(m_pFont);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  dc->SelectObject(old);
  m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
  m_nMaxCharWidth = tm.tmMaxCharWidth;
  CRect r = GetCellRect(row, col, &rect, &style);
  if (!m_bWrapText) {
    if (style.GetIncludeVerticalAlignment()) {
      const UINT v = style.GetVerticalAlignment();
      if (v == DT_VCENTER && (r.Height() - m_nLineHeight) / 2 >= 0) r.top += (r.Height() - m_nLineHeight) / 2;
      if (v == DT_BOTTOM && r.bottom - m_nLineHeight >= r.top) r.top = r.bottom - m_nLineHeight;
    }
    r.bottom = std::min<LONG>(r.bottom, r.top + m_nLineHeight);
  }
  const UINT h = style.GetIncludeHorizontalAlignment() ? style.GetHorizontalAlignment() : DT_LEFT;
  if (h == DT_RIGHT) r.right += 1;
  DrawBackground(dc, rect, style, TRUE);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), TRUE);
  MoveWindow(r, FALSE);
  m_nHorzAlign = h == DT_CENTER ? 1 : h == DT_RIGHT ? 2 : 0;
  SetActive(TRUE);
  SendMessage(EM_SETREADONLY, static_cast<WPARAM>(CGXControl::IsReadOnly()));
  m_bVertScrollBar = style.GetIncludeVerticalScrollbar() && style.GetVerticalScrollbar();
  m_bAllowEnter = style.GetIncludeAllowEnter() && style.GetAllowEnter();
  m_bWrapText = style.GetIncludeWrapText() && style.GetWrapText();
  m_bRTLReading = style.HasUserAttribute(GX_IDS_UA_RTLREADING) &&
                  style.GetUserAttribute(GX_IDS_UA_RTLREADING).GetLongValue() != 0;
  ShowWindow(SW_SHOW);
  if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) {
    m_pGrid->m_bControlMovesWindows = TRUE;
    SetFocus();
    m_pGrid->m_bControlMovesWindows = FALSE;
  }
  UpdateEditStyle();
  PaintWindowInViewOnly(this, dc, r, row, col);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

void CGXEditControl::GetValue(CString& text) {
  if (m_bIsActive && m_hWnd != nullptr) GetWindowText(text);
  else CGXControl::GetValue(text);
}

void CGXEditControl::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!m_bIsActive) SetActive(TRUE);
  if (ValidateString(CString(text))) {
    SetWindowText(text);
    SetModify(TRUE);
    OnModifyCell();
  }
  m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
  m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0);
}

BOOL CGXEditControl::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  GetValue(text);
  return TRUE;
}

void CGXEditControl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  CString shown;
  GetControlText(shown, m_nRow, m_nCol, text, CGXControl::GetStyle());
  SetWindowText(shown);
  if (m_bIsActive) {
    m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
    m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0);
  }
}

void CGXEditControl::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  ::HideCaret(m_hWnd);
  MoveWindow(CRect(0, 0, 0, 0), FALSE);
  ShowWindow(SW_HIDE);
  m_pGrid->m_bControlMovesWindows = FALSE;
}

BOOL CGXEditControl::StartEditingAt(int caret) {
  if (!OnStartEditing()) return FALSE;
  Init(m_nRow, m_nCol);
  SetActive(TRUE);
  const int end = GetWindowTextLength();
  SendMessage(EM_SETSEL, static_cast<WPARAM>(caret < 0 ? end : caret), caret < 0 ? end : caret);
  Refresh();
  return TRUE;
}

int CGXEditControl::CalcCharFromPoint(CPoint point) {
  const CGXStyle& style = CGXControl::GetStyle();
  const CRect inner = GetCellRect(m_nRow, m_nCol, nullptr, &style);
  if (inner.IsRectEmpty() || !inner.PtInRect(point)) return -1;
  CString text;
  GetValue(text);
  CClientDC dc(GetGridWnd());
  CFont font;
  CFont* old = nullptr;
  const LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  if (font.CreateFontIndirect(&lf)) old = dc.SelectObject(&font);
  const int at = GXGetDrawingAndFormatting()->CharFromPoint(&dc, text, text.GetLength(), inner.left, inner.top,
                                                            inner.right, inner.bottom, TextFormat(style), point.x,
                                                            point.y);
  if (old != nullptr) dc.SelectObject(old);
  return at;
}

BOOL CGXEditControl::LButtonUp(UINT flags, CPoint point, UINT hit) {
  if (m_hWnd != nullptr && m_bInit) {
    const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
    const int at = CalcCharFromPoint(point);
    if ((at >= 0 && (mode & 1) != 0) || (mode & 6) != 0) {
      if (m_bIsActive) {
        if (at >= 0) SendMessage(EM_SETSEL, static_cast<WPARAM>(at), at);
      } else {
        StartEditingAt(at);
      }
    }
    if (m_bIsActive && ::GetFocus() != m_hWnd) Refresh();
  }
  CGXControl::LButtonUp(flags, point, hit);
  return TRUE;
}

BOOL CGXEditControl::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_hWnd != nullptr && m_bInit && !m_bIsActive && (mode & 8) != 0) {
    StartEditingAt(CalcCharFromPoint(point));
    Refresh();
  }
  return CGXControl::LButtonDblClk(flags, point);
}

BOOL CGXEditControl::KeyDown(UINT key, UINT, UINT) {
  if (m_hWnd == nullptr || KeyHeld(VK_CONTROL)) return FALSE;
  switch (key) {
    case VK_END: return StartEditingAt(-1) || TRUE;
    case VK_HOME: return StartEditingAt(0) || TRUE;
    case VK_DELETE: {
      CGXGridParam* param = m_pGrid->GetParam();
      // With a selection the grid clears the selected cells itself.
      if ((param != nullptr && param->m_SelRects.GetCount() > 0) || CGXControl::IsReadOnly() || KeyHeld(VK_SHIFT))
        return FALSE;
      if (!OnDeleteCell() || !OnStartEditing()) return FALSE;
      SetActive(TRUE);
      SetValue("");
      SetModify(TRUE);
      Refresh();
      return TRUE;
    }
    default: return FALSE;
  }
}

BOOL CGXEditControl::HandleChar(UINT ch, UINT, UINT) {
  if (m_hWnd == nullptr || ch < 32 || ch == 127) return FALSE;
  const char text[2] = {static_cast<char>(ch), '\0'};
  return InsertText(text);
}

CString CGXEditControl::TextWithSelectionReplaced(const CString& text) {
  CString window;
  GetWindowText(window);
  int start = 0, end = 0;
  GetSel(start, end);
  if (end < 0) return text;
  start = std::clamp(start, 0, window.GetLength());
  end = std::clamp(end, start, window.GetLength());
  return window.Left(start) + text + window.Mid(end);
}

BOOL CGXEditControl::InsertText(LPCTSTR text) {
  if (m_hWnd == nullptr || CGXControl::IsReadOnly()) return FALSE;
  const CString typed(text);
  if (!m_bIsActive) {
    if (!ValidateString(typed) || !OnStartEditing()) return FALSE;
    SetActive(TRUE);
    SetValue(typed);
    const int end = GetWindowTextLength();
    SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
    Refresh();
    return TRUE;
  }
  if (ValidateString(TextWithSelectionReplaced(typed))) {
    int start = 0, end = 0;
    GetSel(start, end);
    m_bInserting = TRUE;
    ReplaceSel(typed);
    m_bInserting = FALSE;
    const int caret = start + typed.GetLength();
    SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
  }
  return TRUE;
}

void CGXEditControl::ReplaceSel(LPCTSTR text) {
  if (!m_bIsActive) {
    CGXControl::ReplaceSel(text);
    return;
  }
  if (CGXControl::IsReadOnly()) return;
  SetModify(TRUE);
  CEdit::ReplaceSel(text);
}

int CGXEditControl::GetSelectedText(CString& text) {
  if (!m_bIsActive || m_hWnd == nullptr) {
    GetValue(text);
    return FALSE;
  }
  GetWindowText(text);
  int start = 0, end = 0;
  GetSel(start, end);
  if (start == end) return FALSE;
  text = text.Mid(start, end - start);
  return TRUE;
}

BOOL CGXEditControl::ValidateInsertion(const CString& text) {
  return ValidateString(TextWithSelectionReplaced(text));
}

int CGXEditControl::FindIn(const CString& text, const CString& find, BOOL matchCase, int start) {
  if (find.IsEmpty()) return -1;
  if (matchCase) return text.Find(find, start);
  CString upperText(text), upperFind(find);
  upperText.MakeUpper();
  upperFind.MakeUpper();
  return upperText.Find(upperFind, start);
}

BOOL CGXEditControl::FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr) return FALSE;
  if (IsInitializedFor(row, col) && m_bIsActive) {
    CString window;
    GetWindowText(window);
    int start = 0, end = 0;
    GetSel(start, end);
    const int at = FindIn(window, find->strFind, find->bCase, fromCurrent ? start : start + 1);
    if (at < 0) return FALSE;
    if (select) {
      // The cell may have been scrolled away while it was edited: it comes
      // back into view and is drawn again, which places its window over it.
      m_pGrid->ScrollCellInView(row, col);
      m_pGrid->RedrawRowCol(row, col, row, col);
      SendMessage(EM_SETSEL, static_cast<WPARAM>(at), at + find->strFind.GetLength());
    }
    return TRUE;
  }
  CGXStyle composed;
  if (find->m_pStyle == nullptr) m_pGrid->ComposeStyleRowCol(row, col, composed);
  CString shown;
  GetControlText(shown, row, col, nullptr, find->m_pStyle != nullptr ? *find->m_pStyle : composed);
  if (FindIn(shown, find->strFind, find->bCase, 0) < 0) return FALSE;
  if (select) {
    // The current cell moves there the ordinary way, so that a cell being
    // edited elsewhere is stored first; a cell that may not be left keeps
    // the search where it is.
    m_pGrid->RedrawRowCol(row, col, row, col);
    if (!m_pGrid->SetCurrentCell(row, col, 0x20 | 0x04)) return TRUE;
    if (!IsInitializedFor(row, col)) Init(row, col);
    SetActive(TRUE);
    SetSel(0, 0);
    FindText(request, row, col, TRUE, TRUE);
    Refresh();
  }
  return TRUE;
}

BOOL CGXEditControl::ReplaceAll(void* request, ROWCOL row, ROWCOL col) {
  const auto* find = static_cast<const GXFindReplaceState*>(request);
  if (find == nullptr || find->strFind.IsEmpty()) return FALSE;
  CString source;
  if (IsInitializedFor(row, col) && m_bIsActive) {
    GetWindowText(source);
    int start = 0, end = 0;
    GetSel(start, end);
    source = source.Mid(start);
  } else {
    CGXStyle composed;
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    GetControlText(source, row, col, nullptr, composed);
  }
  // The result grows as it needs: a replacement may make it any length.
  CString result;
  int from = 0, replaced = 0;
  for (int at; (at = FindIn(source, find->strFind, find->bCase, from)) >= 0; ++replaced) {
    result += source.Mid(from, at - from);
    result += find->strReplace;
    from = at + find->strFind.GetLength();
  }
  if (replaced == 0) return FALSE;
  result += source.Mid(from);
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  SetControlText(row, col, result, 2, &composed);
  return TRUE;
}

BOOL CGXEditControl::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_bIsActive && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == m_hWnd) {
    OnModifyCell();
    m_pGrid->DelayFloatCells(CGXRange(m_nRow, m_nCol));
    if (m_pGrid->EvalFloatCells(CGXRange(m_nRow, m_nCol), 1, 0, 0)) {
      m_bFloatChanged = TRUE;
    } else if (m_bAutoSize) {
      // The cell grows with what is typed: a wrapping cell in height, any
      // other in width. Only growing, so the sizes do not jump back and
      // forth while the user corrects a word.
      // Update mode 2 (repaint at once) plus the only-grow bit (8).
      constexpr UINT kGrowNow = 2 | 8;
      CGXRange block(m_nRow, m_nCol);
      m_pGrid->GetCoveredCellsRowCol(m_nRow, m_nCol, block);
      if (m_bWrapText) {
        m_pGrid->ResizeRowHeightsToFit(block, TRUE, kGrowNow);
      } else {
        m_pGrid->ResizeColWidthsToFit(block, TRUE, kGrowNow);
      }
      SendMessage(EM_LINESCROLL, 0, 255);
    }
    return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

DWORD CGXEditControl::CalcEditStyle(CRect& rect, int lineHeight) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | static_cast<DWORD>(m_nHorzAlign == 1 ? ES_CENTER
                                                                          : m_nHorzAlign == 2 ? ES_RIGHT
                                                                                              : 0);
  GetClientRect(&rect);
  CString text;
  GetWindowText(text);
  CClientDC dc(this);
  CFont* old = m_pFont != nullptr ? dc.SelectObject(m_pFont) : nullptr;
  const CSize extent = dc.GetTextExtent(text);
  if (old != nullptr) dc.SelectObject(old);
  style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (m_bAllowEnter) style |= ES_WANTRETURN;
  if (m_bWrapText && (m_bVertScrollBar || lineHeight < rect.Height() - lineHeight / 3)) {
    if (m_bVertScrollBar) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
    // A text wider than the cell scrolls from its start.
    if (extent.cx > rect.Width() - m_nMaxCharWidth) style &= ~static_cast<DWORD>(ES_CENTER | ES_RIGHT);
  }
  rect.bottom = std::max<LONG>(rect.bottom, lineHeight + 1);
  return style;
}

void CGXEditControl::UpdateEditStyle() {
  if (m_bUpdateEditStyle || m_hWnd == nullptr) return;
  CRect rect;
  const DWORD wanted = CalcEditStyle(rect, m_nLineHeight);
  constexpr DWORD kLayoutBits = ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                                ES_WANTRETURN | WS_VSCROLL;
  const BOOL rtlNow = (GetExStyle() & WS_EX_RTLREADING) != 0;
  if ((CWnd::GetStyle() & kLayoutBits) == (wanted & kLayoutBits) && rtlNow == m_bRTLReading) {
    SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(static_cast<LPRECT>(rect)));
    return;
  }
  m_bUpdateEditStyle = TRUE;
  m_pGrid->m_bControlMovesWindows = TRUE;
  const BOOL modified = GetModify();
  const BOOL readOnly = (CWnd::GetStyle() & ES_READONLY) != 0;
  const BOOL focused = ::GetFocus() == m_hWnd;
  CRect place;
  GetWindowRect(&place);
  if (CWnd* grid = GetGridWnd()) grid->ScreenToClient(&place);
  CString text;
  GetWindowText(text);
  int start = 0, end = 0;
  GetSel(start, end);
  DestroyWindow();
  CreateControl(wanted | (readOnly ? ES_READONLY : 0), &place);
  if (m_pFont != nullptr) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
  SetWindowText(text);
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
  SendMessage(EM_SCROLLCARET);
  SetModify(modified);
  SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly));
  SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength));
  m_bUpdateEditStyle = FALSE;
  if (focused) SetFocus();
  m_pGrid->m_bControlMovesWindows = FALSE;
}

// The user changed the window's alignment or reading order (through the
// system's own keys): the cell keeps the change.
void CGXEditControl::OnStyleChanged(int which, const STYLESTRUCT& change) {
  CGXStyle* scratch = m_pGrid->CreateScratchStyle();
  BOOL store = FALSE;
  if (which == GWL_STYLE) {
    const DWORD oldAlign = change.styleOld & (ES_CENTER | ES_RIGHT);
    const DWORD newAlign = change.styleNew & (ES_CENTER | ES_RIGHT);
    if (newAlign == ES_RIGHT && oldAlign != ES_RIGHT) {
      scratch->SetHorizontalAlignment(DT_RIGHT);
      store = TRUE;
    } else if (newAlign == 0 && oldAlign != 0) {
      scratch->SetHorizontalAlignment(DT_LEFT);
      store = TRUE;
    }
  } else if (which == GWL_EXSTYLE && ((change.styleOld ^ change.styleNew) & WS_EX_RTLREADING) != 0) {
    scratch->SetUserAttribute(GX_IDS_UA_RTLREADING, (change.styleNew & WS_EX_RTLREADING) != 0 ? "1" : "0");
    store = TRUE;
  }
  if (store) StoreStyleRowCol(m_nRow, m_nCol, scratch, 0, CGXGridCore::kStoreCell, nullptr);
  m_pGrid->RecycleScratchStyle(scratch);
}

BOOL CGXEditControl::FilterTypedChar(UINT ch, UINT repeat, UINT flags) {
  if (!m_bInit || !m_bIsActive || CGXControl::IsReadOnly() || (CWnd::GetStyle() & ES_READONLY) != 0 ||
      (repeat == 0 && ch != VK_BACK)) {
    m_strPending.Empty();
    return FALSE;
  }
  if (!m_bInserting) m_strPending.Empty();
  if (KeyHeld(VK_CONTROL)) {
    switch (ch) {
      // Through the cell's own (virtual) clipboard operations, so that a
      // derived cell's copy, paste or cut is the one the keys run.
      case 3:
        if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
        AsControl().Copy();
        return FALSE;
      case 22: AsControl().Paste(); return FALSE;
      case 24:
        if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
        AsControl().Cut();
        return FALSE;
      case 13:
        if (CWnd::GetStyle() & ES_WANTRETURN) m_strPending = "\r\n";
        return FALSE;
      case 10:
        if (m_bWrapText) m_strPending = "\r\n";
        return FALSE;
      default: return TRUE;
    }
  }
  CString joined;
  const BOOL wasPending = m_bDbcsLeadPending;
  if (GXAssembleDbcsChar(ch, joined, m_bDbcsLeadPending, m_cDbcsLead)) {
    m_strPending = joined;
    return FALSE;
  }
  if (!wasPending && m_bDbcsLeadPending) return FALSE;
  if (ch < 32) return TRUE;
  const char one[2] = {static_cast<char>(ch), '\0'};
  m_strPending = one;
  const CString candidate = TextWithSelectionReplaced(m_strPending);
  const UINT limit = static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
  if (limit != 0 && static_cast<UINT>(candidate.GetLength()) > limit) {
    m_strPending.Empty();
  } else if (!ValidateString(candidate)) {
    OnInvalidKeyPressed(ch & 0xFF);
    m_strPending.Empty();
  }
  (void)flags;
  return FALSE;
}

void CGXEditControl::OnChar(UINT ch, UINT repeat, UINT flags) {
  m_bFloatChanged = FALSE;
  if (FilterTypedChar(ch, repeat, flags) && m_strPending.IsEmpty()) {
    DefWindowProc(WM_CHAR, ch, MAKELPARAM(repeat, flags));
    m_pGrid->ProcessKeys(this, WM_CHAR, ch, repeat, flags);
  } else if (!m_strPending.IsEmpty()) {
    int start = 0, end = 0;
    GetSel(start, end);
    m_bInserting = TRUE;
    const CString pending = m_strPending;
    ReplaceSel(pending);
    m_bInserting = FALSE;
    const int caret = start + pending.GetLength();
    SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
    SendMessage(EM_SCROLLCARET);
  }
  m_bFloatChanged = FALSE;
}

void CGXEditControl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  const LPARAM lp = MAKELPARAM(repeat, flags);
  if (!m_bIsActive || key == VK_CONTROL || key == VK_SHIFT) {
    if (!m_bIsActive) m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
    else DefWindowProc(WM_KEYDOWN, key, lp);
    return;
  }
  BOOL toGrid = KeyHeld(VK_CONTROL);
  if (!toGrid) {
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    const BOOL rtl = m_bRTLReading;
    switch (key) {
      case VK_TAB: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: toGrid = TRUE; break;
      case VK_RETURN: toGrid = (CWnd::GetStyle() & ES_WANTRETURN) == 0; break;
      case VK_LEFT: toGrid = rtl ? start >= text.GetLength() : end <= 0; break;
      case VK_RIGHT: toGrid = rtl ? end <= 0 : start >= text.GetLength(); break;
      case VK_UP: toGrid = LineFromChar(start) == 0; break;
      case VK_DOWN: toGrid = LineFromChar(end) >= GetLineCount() - 1; break;
      case VK_INSERT:
        if (KeyHeld(VK_SHIFT)) {
          AsControl().Paste();
          return;
        }
        break;
      case VK_DELETE:
        if (KeyHeld(VK_SHIFT) && start != end) {
          if (::OpenClipboard(m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
          AsControl().Cut();
          return;
        }
        break;
      default:
        toGrid = key >= VK_F1 && key <= kLastFunctionKey;
        break;
    }
  }
  if (toGrid) m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
  else DefWindowProc(WM_KEYDOWN, key, lp);
}

LRESULT CGXEditControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT repeat = LOWORD(lParam), flags = HIWORD(lParam);
  switch (message) {
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), repeat, flags); return 0;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), repeat, flags); return 0;
    case WM_KEYUP:
      if (m_pGrid->ProcessKeys(this, WM_KEYUP, static_cast<UINT>(wParam), repeat, flags)) return 0;
      DefWindowProc(message, wParam, lParam);
      switch (wParam) {
        case VK_SHIFT: case VK_END: case VK_HOME: case VK_UP: case VK_DOWN: break;
        default: UpdateEditStyle(); break;
      }
      return 0;
    case WM_ERASEBKGND: {
      CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
      CRect client;
      GetClientRect(&client);
      GXFillSolidRect(dc, client, RGB(255, 255, 255));
      if (m_bInit) GXFillSolidRect(dc, client, CGXControl::GetStyle().GetInterior().GetColor());
      return TRUE;
    }
    case WM_STYLECHANGED: {
      const LRESULT result = DefWindowProc(message, wParam, lParam);
      if (m_bIsActive && m_bInit && !m_bUpdateEditStyle)
        OnStyleChanged(static_cast<int>(wParam), *reinterpret_cast<const STYLESTRUCT*>(lParam));
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefWindowProc(message, wParam, lParam);
      ForwardKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
      return result;
    }
    case WM_GETDLGCODE:
      // In a dialog the cell's window answers as its grid does, so that Tab
      // and the arrows move the current cell instead of the dialog's focus.
      return m_pGrid->OnGridGetDlgCode(static_cast<UINT>(CEdit::WindowProc(message, wParam, lParam)));
    case WM_IME_STARTCOMPOSITION: GXImeComposing = TRUE; break;
    case WM_IME_ENDCOMPOSITION: GXImeComposing = FALSE; break;
    default: break;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}
