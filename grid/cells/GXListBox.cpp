// The list box cell.
#include "grid/cells/GXListBox.h"

#include <algorithm>

#include "grid/core/GXDrawing.h"
#include "platform/host/Keys.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"

const GXControlClass CGXListBox::CGXListBoxRecord = {"CGXListBox", &CGXControl::CGXControlRecord};

namespace {
BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
constexpr UINT kLastFunctionKey = 0x87;  // F24
}  // namespace

CGXListBox::CGXListBox(CGXGridCore* grid, UINT id) : CGXControl(grid), m_nID(id) {}

CGXListBox::~CGXListBox() {
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pFont;
}

int CGXListBox::Margin() {
  const int half = ::GetSystemMetrics(SM_CXFRAME) / 2;
  return half >= 3 ? half : 2;
}

BOOL CGXListBox::CreateListWnd() {
  return CreateEx(0, "GXLISTBOX", nullptr, WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY, CRect(0, 0, 0, 0),
                  GetGridWnd(), m_nID);
}

void CGXListBox::FillListBox() {
  ResetContent();
  const CGXStyle& style = CGXControl::GetStyle();
  if (style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList(), line;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      AddString(line);
    }
  }
  CString shown;
  GetControlText(shown, m_nRow, m_nCol, nullptr, style);
  if (!shown.IsEmpty()) SelectString(-1, shown);
}

void CGXListBox::SetActive(BOOL on) {
  if (on && !m_bIsActive && m_hWnd != nullptr) {
    FreeStyle(TRUE);
    CGXControl::GetStyle();
  }
  m_bIsActive = on && m_hWnd != nullptr;
}

void CGXListBox::Init(ROWCOL row, ROWCOL col) {
  CGXControl::Init(row, col);
  if (m_hWnd == nullptr) CreateListWnd();
  CGXControl::GetStyle();
  m_bIsActive = FALSE;
  m_bModified = FALSE;
}

BOOL CGXListBox::Store() {
  if (CGXControl::IsReadOnly()) {
    Init(m_nRow, m_nCol);
    m_bModified = FALSE;
    Refresh();
  }
  SetActive(FALSE);
  if (m_pStyle == nullptr || !m_bModified || m_hWnd == nullptr) return TRUE;
  CString text;
  const int selected = GetCurSel();
  if (selected >= 0) GetText(selected, text);
  m_bModified = FALSE;
  return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

CRect CGXListBox::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXControl::GetCellRect(row, col, cellRect, style);
  const int m = Margin();
  rect.left += m;
  rect.right -= m / 2;
  return rect;
}

CSize CGXListBox::CalcSize(int width, int height, const CGXStyle& style) {
  const int m = Margin();
  return CGXControl::CalcSize(width + m + m / 2, height, style);
}

CSize CGXListBox::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL) {
  CFont* old = style.GetIncludeFont() ? m_pGrid->SelectZoomedFont(dc, style.GetFont()) : nullptr;
  int width = 0, height = 0;
  if (style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList(), line;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      const CSize extent = dc->GetTextExtent(line.IsEmpty() ? CString(" ") : line);
      width = std::max<int>(width, extent.cx);
      height += extent.cy;
    }
  }
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(width + 4, height, style);
}

void CGXListBox::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                      const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && m_bIsActive && IsCurrentCell() && !m_pGrid->IsPrinting() && m_hWnd != nullptr) {
    // Drawing the active cell is no change: only a new selection or an edit
    // marks it modified, so that visiting a cell never rewrites its value.
    Hide();
    delete m_pFont;
    m_pFont = new CFont;
    LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
    lf.lfOrientation = 0;
    m_pFont->CreateFontIndirect(&lf);
    DrawBackground(dc, rect, style, TRUE);
    CRect r = GetCellRect(row, col, &rect, &style);
    if (style.GetIncludeHorizontalAlignment() && style.GetHorizontalAlignment() == DT_RIGHT) r.right += 1;
    m_pGrid->m_bControlMovesWindows = TRUE;
    MoveWindow(r, FALSE);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
    SetActive(TRUE);
    FillListBox();
    MoveWindow(r, FALSE);
    ShowWindow(SW_SHOW);
    // Taking the focus repaints the list: first, so that only its part in
    // view is painted.
    if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) SetFocus();
    const CRect visible = PaintWindowInViewOnly(this, dc, r, row, col);
    UpdateWindow();
    m_pGrid->m_bControlMovesWindows = FALSE;
    CGXControl::Draw(dc, rect, row, col, style, baseStyle);
    AddExcludeRect(visible);
    return;
  }
  if (rect.Width() <= 1 || rect.Height() <= 1) return;
  CFont* oldFont = style.GetIncludeFont() ? m_pGrid->SelectZoomedFont(dc, style.GetFont()) : nullptr;
  const BOOL blackWhite = m_pGrid->PrintsBlackWhite();
  const COLORREF text = blackWhite ? RGB(0, 0, 0) : style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0);
  DrawBackground(dc, rect, style, FALSE);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = dc->SetTextColor(text);
  UINT format = DT_SINGLELINE | DT_NOPREFIX;
  if (style.GetIncludeHorizontalAlignment()) format |= style.GetHorizontalAlignment();
  if (style.GetIncludeVerticalAlignment()) format |= style.GetVerticalAlignment();
  CRect area = GetCellRect(row, col, &rect, &style);
  area.left += 2;
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const int lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  if (style.GetIncludeChoiceList()) {
    // The value's line is the last one drawn when it lies below the cell.
    int skip = 0;
    {
      CString choices = style.GetChoiceList(), line;
      int skipped = 0, index = 0;
      bool found = false;
      while (!choices.IsEmpty()) {
        GXExtractLine(choices, line);
        if (area.top + (index + 1) * lineHeight > area.bottom) ++skipped;
        if (line == value) {
          found = true;
          break;
        }
        ++index;
      }
      skip = found ? skipped : 0;
    }
    CString choices = style.GetChoiceList(), line;
    int index = 0, y = area.top;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      if (index++ < skip) continue;
      if (y + lineHeight > area.bottom && y > area.top) break;
      CRect lineRect(area.left, y, area.right, std::min<LONG>(y + lineHeight, area.bottom));
      GXGetDrawingAndFormatting()->DrawMultiLineText(dc, line, line.GetLength(), lineRect.left, lineRect.top,
                                                     lineRect.right, lineRect.bottom, format, &lineRect);
      if (line == value) dc->InvertRect(&lineRect);
      y += lineHeight;
      if (y >= area.bottom) break;
    }
  }
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldMode);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
  if (oldFont != nullptr) dc->SelectObject(oldFont);
}

void CGXListBox::GetValue(CString& text) {
  if (!m_bIsActive || m_hWnd == nullptr) {
    CGXControl::GetValue(text);
    return;
  }
  text.Empty();
  const int selected = GetCurSel();
  if (selected >= 0) GetText(selected, text);
}

void CGXListBox::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!m_bIsActive) SetActive(TRUE);
  if (!ValidateString(CString(text))) return;
  if (SelectString(-1, text) < 0) SetCurSel(-1);
  m_bModified = TRUE;
  OnModifyCell();
}

void CGXListBox::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  ::HideCaret(m_hWnd);
  MoveWindow(CRect(0, 0, 0, 0), FALSE);
  ShowWindow(SW_HIDE);
  m_pGrid->m_bControlMovesWindows = FALSE;
}

BOOL CGXListBox::ClickIntoList(UINT downMessage, UINT upMessage, UINT flags, CPoint point) {
  if (!OnStartEditing()) return FALSE;
  SetActive(TRUE);
  Refresh();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  if (m_hWnd == nullptr) return TRUE;
  // The click selects the line under it, as it would in the list itself.
  const CRect place = GetCellRect(m_nRow, m_nCol);
  const CPoint inList(point.x - place.left, point.y - place.top);
  const LPARAM at = MAKELPARAM(static_cast<WORD>(inList.x), static_cast<WORD>(inList.y));
  SendMessage(downMessage, flags, at);
  SendMessage(upMessage, flags, at);
  return TRUE;
}

BOOL CGXListBox::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if ((hit & 2) != 0 || (mode & 7) == 0) return TRUE;
  if (!ClickIntoList(WM_LBUTTONDOWN, WM_LBUTTONUP, flags, point)) return FALSE;
  CGXControl::LButtonUp(flags, point, hit);
  return TRUE;
}

BOOL CGXListBox::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (m_bIsActive || (mode & 8) == 0) return CGXControl::LButtonDblClk(flags, point);
  ClickIntoList(WM_LBUTTONDBLCLK, WM_LBUTTONUP, flags, point);
  CGXControl::LButtonDblClk(flags, point);
  return TRUE;
}

BOOL CGXListBox::ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) {
  if (message != WM_KEYDOWN || !OnStartEditing()) return FALSE;
  SetActive(TRUE);
  CGXControl::ProcessKeys(message, key, repeat, flags);
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, 2)) Refresh();
  return TRUE;
}

BOOL CGXListBox::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) == m_hWnd && HIWORD(wParam) == LBN_SELCHANGE && !CGXControl::IsReadOnly()) {
    m_bModified = TRUE;
    OnModifyCell();
  }
  return CGXControl::OnCommand(wParam, lParam);
}

LRESULT CGXListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT key = static_cast<UINT>(wParam), repeat = LOWORD(lParam), flags = HIWORD(lParam);
  switch (message) {
    case WM_GETDLGCODE:
      return CListBox::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN: {
      m_pGrid->ScrollCellInView(m_nRow, m_nCol, 2);
      BOOL toGrid = KeyHeld(VK_CONTROL);
      switch (key) {
        case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_LEFT: case VK_RIGHT: case VK_DELETE: toGrid = TRUE; break;
        default: toGrid = toGrid || (key >= VK_F1 && key <= kLastFunctionKey); break;
      }
      if (toGrid) {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags);
        return 0;
      }
      break;
    }
    case WM_KEYUP: case WM_CHAR: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR:
      if (m_pGrid->ProcessKeys(this, message, key, repeat, flags)) return 0;
      break;
    case WM_ERASEBKGND: {
      CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
      CRect client;
      GetClientRect(&client);
      GXFillSolidRect(dc, client, RGB(255, 255, 255));
      if (m_bInit) GXFillSolidRect(dc, client, CGXControl::GetStyle().GetInterior().GetColor());
      return TRUE;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
      ForwardKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
      return result;
    }
    default: break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
