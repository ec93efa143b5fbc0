// The windows combo cell.
#include "grid/cells/GXComboBoxWnd.h"

#include <algorithm>
#include <cstdlib>

#include "grid/cells/GXComboBox.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

const GXControlClass CGXComboBoxWnd::CGXComboBoxWndRecord = {"CGXComboBoxWnd", &CGXStatic::CGXStaticRecord};

namespace {
BOOL CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }
}  // namespace

LRESULT CGXComboEditPart::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KILLFOCUS: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      const HWND next = reinterpret_cast<HWND>(wParam);
      const HWND combo = m_pCombo != nullptr ? m_pCombo->GetSafeHwnd() : nullptr;
      if (combo != nullptr && next != combo && (next == nullptr || !::IsChild(combo, next)))
        ::SendMessage(combo, WM_KILLFOCUS, wParam, 0);
      return result;
    }
    case WM_KEYDOWN:
      if (m_pCombo != nullptr &&
          m_pCombo->FilterGridKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
        return 0;
      break;
    default: break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

CGXComboBoxWnd::CGXComboBoxWnd(CGXGridCore* grid) : CGXStatic(grid) {
  if (GXGetAppData()->m_bBelowVersion4) m_nMargin = 2;
  m_bRefreshOnSetCurrentCell = TRUE;
  m_wndEdit.m_pCombo = this;
}

CGXComboBoxWnd::~CGXComboBoxWnd() {
  if (m_wndEdit.GetSafeHwnd() != nullptr) m_wndEdit.UnsubclassWindow();
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pFont;
}

BOOL CGXComboBoxWnd::CreateComboWindow(DWORD style, UINT id) {
  m_pButton = new CGXComboBoxWndButton(this);
  AddChild(m_pButton);
  m_dwComboStyle = style;
  CWnd* grid = GetGridWnd();
  if (!CreateEx(0, "GXCOMBOBOX", nullptr, style | WS_CHILD, CRect(0, 0, 0, 0), grid, id)) return FALSE;
  if (HWND edit = ::GetWindow(m_hWnd, GW_CHILD); edit != nullptr && (style & 3) != CBS_DROPDOWNLIST)
    m_wndEdit.SubclassWindow(edit);
  m_bNotOwnerDrawn = (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0;
  return TRUE;
}

void CGXComboBoxWnd::SetActive(BOOL on) {
  if (on && !m_bActive && m_hWnd != nullptr) {
    FreeStyle(TRUE);
    CGXControl::GetStyle();
  }
  m_bActive = on && m_hWnd != nullptr;
}

void CGXComboBoxWnd::Init(ROWCOL row, ROWCOL col) {
  m_nTextHeight = 0;
  CGXStatic::Init(row, col);
  m_bDropDownPending = FALSE;
  m_nSavedSelStart = 0;
  m_nSavedSelEnd = -1;
  m_bActive = FALSE;
  const CGXStyle& style = CGXControl::GetStyle();
  if (m_hWnd != nullptr) {
    if (m_bFillWithChoiceList) {
      ResetContent();
      CString choices = style.GetChoiceList(), line;
      while (!choices.IsEmpty()) {
        GXExtractLine(choices, line);
        AddString(line);
      }
    }
    SetCurrentText(style.GetIncludeValue() ? style.GetValue() : CString());
  }
  CGXGridParam* param = m_pGrid->GetParam();
  if (param != nullptr && (param->m_wActivateCell & 4) != 0 && OnStartEditing()) SetActive(TRUE);
  m_bModified = FALSE;
  if (!m_bActive && m_pButton != nullptr) {
    if (CWnd* grid = GetGridWnd(); grid != nullptr && grid->GetSafeHwnd() != nullptr) {
      const CRect r = m_pButton->GetRect();
      grid->InvalidateRect(&r, FALSE);
    }
  }
}

BOOL CGXComboBoxWnd::Store() {
  if (IsReadOnly()) {
    Init(m_nRow, m_nCol);
    m_bModified = FALSE;
    Refresh();
  }
  CString text;
  if (!m_bModified || !GetCurrentText(text)) return TRUE;
  SetActive(FALSE);
  FreeStyle(TRUE);
  return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), text, 0, 1);
}

CRect CGXComboBoxWnd::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXControl::GetCellRect(row, col, cellRect, style);
  const BOOL current = m_pGrid->IsCurrentCell(row, col);
  if (current && m_bActive) return rect;
  rect.left += 2;
  rect.right -= ButtonStrip(row, col);
  return rect;
}

int CGXComboBoxWnd::PlaceSelectionField(CRect& r, const CGXStyle& style, int textHeight) {
  int h = r.Height();
  if (m_bSizeToContent) {
    h = std::min<int>(textHeight + 2, r.Height());
    if (style.GetIncludeVerticalAlignment()) {
      if (style.GetVerticalAlignment() == DT_VCENTER) r.top += (r.Height() - h) / 2;
      else if (style.GetVerticalAlignment() == DT_BOTTOM) r.top = r.bottom - h - 2;
    }
    r.bottom = r.top + h;
  }
  if (m_bShrinkSelectionField) h -= 2 * m_nMargin;
  else r.InflateRect(0, m_nMargin);
  return h;
}

int CGXComboBoxWnd::ButtonStrip(ROWCOL row, ROWCOL col) {
  const BOOL current = m_pGrid->IsCurrentCell(row, col);
  if (current && m_bActive) return 0;
  return !current && m_bInactiveDrawButtonOnlyCurrent && !m_bInactiveDrawAllCells ? 0 : 15;
}

CSize CGXComboBoxWnd::CalcSize(int width, int height, const CGXStyle& style) {
  CSize size = CGXStatic::CalcSize(width, height, style);
  size.cx += 19;
  return size;
}

CSize CGXComboBoxWnd::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL mode1, BOOL) {
  if (!m_bNotOwnerDrawn) return CSize(0, 0);
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  CSize content(0, 0);
  if (mode1) {
    content.cy = tm.tmHeight + tm.tmExternalLeading + 2 + (m_bShrinkSelectionField ? 2 * m_nMargin : 0);
  } else {
    CString choices = style.GetChoiceList(), line;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      content.cx = std::max<LONG>(content.cx, dc->GetTextExtent(line).cx);
    }
  }
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(content.cx, content.cy, style);
}

void CGXComboBoxWnd::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                          const CGXStyle* baseStyle) {
  if (!(IsInitializedFor(row, col) && m_bActive && IsCurrentCell() && !m_pGrid->IsPrinting() && m_hWnd != nullptr)) {
    if (m_bSizeToContent) OnInitChildren(row, col, GetCellRect(row, col, &rect, &style));
    CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  // 1. Keep the selection; the button makes way for the window's own.
  const DWORD sel = m_wndEdit.GetSafeHwnd() != nullptr ? GetEditSel() : 0;
  if (m_pButton != nullptr) m_pButton->SetRect(CRect(0, 0, 0, 0));
  Hide();
  // 2-4. Font, colours and background.
  delete m_pFont;
  m_pFont = new CFont;
  LOGFONT lf = style.GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  lf.lfOrientation = 0;
  m_pFont->CreateFontIndirect(&lf);
  m_rgbBackColor = GXDrawsBlackWhite(m_pGrid) ? RGB(255, 255, 255)
                   : style.GetIncludeInterior() ? style.GetInterior().GetColor()
                                                : RGB(255, 255, 255);
  DrawBackground(dc, rect, style, TRUE);
  CRect r = CGXControl::GetCellRect(row, col, &rect, &style);
  CFont* old = dc->SelectObject(m_pFont);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  dc->SelectObject(old);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
  // 5, 6. The selection field's height.
  const int h = PlaceSelectionField(r, style, tm.tmHeight);
  // 7. The grid leaves the window's place alone; the dropped list hangs below.
  m_pGrid->m_ExcludedRects.push_back(r);
  const int n = std::min(GetCount(), 8);
  CRect place = r;
  place.bottom += n * (tm.tmHeight + 2 * m_nMargin + 2);
  // 8-10.
  MoveWindow(CalcWindowRect(place), FALSE);
  SetActive(TRUE);
  SetItemHeight(-1, static_cast<UINT>(std::max(1, h)));
  ShowWindow(SW_HIDE);
  if (CWnd* grid = GetGridWnd(); grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) {
    m_pGrid->m_bControlMovesWindows = TRUE;
    SetFocus();
    m_pGrid->m_bControlMovesWindows = FALSE;
  }
  if (style.GetIncludeMaxLength() && style.GetMaxLength() > 0) LimitText(style.GetMaxLength());
  if (m_wndEdit.GetSafeHwnd() != nullptr) SetEditSel(LOWORD(sel), HIWORD(sel));
  ShowWindow(SW_SHOW);
  UpdateWindow();
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

void CGXComboBoxWnd::GetValue(CString& text) {
  text.Empty();
  if (!m_bInit) return;
  CString shown;
  GetWindowText(shown);
  text = shown;
}

void CGXComboBoxWnd::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!m_bActive) SetActive(TRUE);
  if (ValidateString(CString(text))) {
    if ((m_dwComboStyle & 3) == CBS_DROPDOWN) SetWindowText(text);
    else SelectString(-1, text);
  }
  m_bModified = TRUE;
  OnModifyCell();
}

BOOL CGXComboBoxWnd::GetCurrentText(CString& text) {
  if (!m_bInit || m_hWnd == nullptr) return FALSE;
  if (m_nIndexValue < 0) {
    GetWindowText(text);
  } else {
    const int index = GetCurSel();
    text.Empty();
    if (index >= 0) text.Format("%d", m_nIndexValue + index);
  }
  return TRUE;
}

void CGXComboBoxWnd::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  int found = CB_ERR;
  if (m_nIndexValue < 0) {
    if (!text.IsEmpty()) found = SelectString(-1, text);
  } else if (!text.IsEmpty()) {
    found = SetCurSel(std::atoi(text) - m_nIndexValue);
  }
  if (found == CB_ERR) {
    if (text.IsEmpty() || (m_dwComboStyle & 3) != CBS_DROPDOWN) SetCurSel(-1);
    if ((m_dwComboStyle & 3) == CBS_DROPDOWN) {
      SetWindowText(text);
      SetEditSel(0, -1);
    }
  }
}

BOOL CGXComboBoxWnd::GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) {
  if (m_nIndexValue >= 0 && m_bDispChoice && m_bFillWithChoiceList) {
    const CString source = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
    if (source.IsEmpty()) return FALSE;
    int index = static_cast<short>(std::atoi(source));
    if (index != -1) index -= m_nIndexValue;
    CString line;
    GetChoiceListItem(line, style.GetChoiceList(), index);
    return CGXStatic::GetControlText(text, row, col, line, style);
  }
  return CGXStatic::GetControlText(text, row, col, value, style);
}

BOOL CGXComboBoxWnd::SetControlText(ROWCOL row, ROWCOL col, const CString& text, UINT flags,
                                    const CGXStyle* style) {
  if (IsDropDownList() && text.IsEmpty()) return TRUE;
  return CGXStatic::SetControlText(row, col, text, flags, style);
}

BOOL CGXComboBoxWnd::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  if (!m_bFillWithChoiceList || !(m_nIndexValue >= 0 || m_bDispChoice)) return TRUE;
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  if (!style->GetIncludeChoiceList()) return TRUE;
  CString line;
  const int index = FindStringInChoiceList(line, text, style->GetChoiceList(), FALSE);
  if (!m_bDispChoice) {
    if (index >= 0) text = line;
  } else {
    text.Empty();
    if (index >= 0) text.Format("%d", std::max(m_nIndexValue, 0) + index);
  }
  return TRUE;
}

void CGXComboBoxWnd::Hide() {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  ShowDropDown(FALSE);
  ::HideCaret(m_hWnd);
  const HWND focus = ::GetFocus();
  const BOOL hadFocus = focus == m_hWnd || (focus != nullptr && ::IsChild(m_hWnd, focus));
  ShowWindow(SW_HIDE);
  if (hadFocus) {
    if (CWnd* grid = GetGridWnd()) grid->SetFocus();
  }
  m_pGrid->m_bControlMovesWindows = FALSE;
}

BOOL CGXComboBoxWnd::StartAndActivate() {
  if (!m_bActive) {
    if (!OnStartEditing()) return FALSE;
    SetActive(TRUE);
    Refresh();
  }
  return TRUE;
}

void CGXComboBoxWnd::ActivateAndDropDown() {
  if (!StartAndActivate()) return;
  if (!IsDropDownList() || GetDroppedState() || !m_bDropDownOnClick) return;
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  // The list opens once the window shows over the cell.
  PostMessage(CB_SHOWDROPDOWN, TRUE);
}

BOOL CGXComboBoxWnd::LButtonUp(UINT flags, CPoint point, UINT hit) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if ((hit & 2) == 0 && (mode & 7) != 0) ActivateAndDropDown();
  CGXStatic::LButtonUp(flags, point, hit);
  return TRUE;
}

BOOL CGXComboBoxWnd::LButtonDblClk(UINT flags, CPoint point) {
  const WORD mode = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_wActivateCell : 0;
  if (!m_bActive && (mode & 8) != 0) ActivateAndDropDown();
  CGXStatic::LButtonDblClk(flags, point);
  return TRUE;
}

BOOL CGXComboBoxWnd::KeyDown(UINT key, UINT, UINT) {
  if (CtrlHeld() || (key != VK_END && key != VK_HOME) || m_hWnd == nullptr) return FALSE;
  if (!StartAndActivate()) return TRUE;
  CString text;
  GetWindowText(text);
  const int at = key == VK_END ? text.GetLength() : 0;
  if (m_wndEdit.GetSafeHwnd() != nullptr) SetEditSel(at, at);
  m_nSavedSelStart = m_nSavedSelEnd = at;
  return TRUE;
}

BOOL CGXComboBoxWnd::HandleChar(UINT ch, UINT, UINT) {
  if (ch < 32 || ch == 127) return FALSE;
  const char text[2] = {static_cast<char>(ch), '\0'};
  return InsertText(text);
}

BOOL CGXComboBoxWnd::InsertText(LPCTSTR text) {
  if (IsReadOnly() || m_hWnd == nullptr) return FALSE;
  if (!m_bActive) {
    if (!OnStartEditing()) return FALSE;
    SetActive(TRUE);
    if (IsDropDownList()) {
      CString value;
      GetWindowText(value);
      const int from = FindString(-1, value);
      const int before = GetCurSel();
      int now = SelectString(from, text);
      if (now == CB_ERR || now == before) SelectString(-1, text);
    } else {
      SetValue(text);
      const int end = static_cast<int>(CString(text).GetLength());
      SetEditSel(end, end);
    }
    m_bModified = TRUE;
    OnModifyCell();
    Refresh();
    return TRUE;
  }
  ReplaceSel(text);
  return TRUE;
}

BOOL CGXComboBoxWnd::SysKeyDown(UINT key, UINT, UINT) {
  if (key != VK_DOWN) return FALSE;
  if (!StartAndActivate()) return TRUE;
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, 2)) Refresh();
  if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
  PostMessage(CB_SHOWDROPDOWN, TRUE);
  return TRUE;
}

void CGXComboBoxWnd::ReplaceSel(LPCTSTR text) {
  if (!m_bActive) {
    CGXStatic::ReplaceSel(text);
    return;
  }
  if (IsReadOnly()) return;
  CString value;
  GetWindowText(value);
  const DWORD sel = m_wndEdit.GetSafeHwnd() != nullptr ? GetEditSel() : MAKELONG(value.GetLength(), value.GetLength());
  const int start = std::clamp<int>(LOWORD(sel), 0, value.GetLength());
  const int end = std::clamp<int>(HIWORD(sel) == 0xFFFF ? value.GetLength() : HIWORD(sel), start, value.GetLength());
  const CString inserted(text);
  SetValue(value.Left(start) + inserted + value.Mid(end));
  if (m_wndEdit.GetSafeHwnd() != nullptr) SetEditSel(start, start + inserted.GetLength());
}

int CGXComboBoxWnd::GetSelectedText(CString& text) {
  text.Empty();
  if (m_bActive && (m_nIndexValue < 0 || m_bDispChoice)) {
    CString value;
    GetWindowText(value);
    const DWORD sel = m_wndEdit.GetSafeHwnd() != nullptr ? GetEditSel() : 0;
    const int start = std::clamp<int>(LOWORD(sel), 0, value.GetLength());
    const int end = std::clamp<int>(HIWORD(sel), start, value.GetLength());
    text = end > start ? value.Mid(start, end - start) : value.Mid(start);
    return TRUE;
  }
  if (m_bActive) {
    const int index = GetCurSel();
    if (index >= 0) text.Format("%d", m_nIndexValue + index);
    return TRUE;
  }
  if (m_bInit) GetControlText(text, m_nRow, m_nCol, nullptr, CGXControl::GetStyle());
  return FALSE;
}

void CGXComboBoxWnd::OnClickedButton(CGXChild* child) {
  if (!(m_bActive && IsDropDownList() && m_bDropDownOnClick)) {
    if (StartAndActivate() && !GetDroppedState() && m_bDropDownOnClick) {
      if (CWnd* grid = GetGridWnd()) grid->UpdateWindow();
      PostMessage(CB_SHOWDROPDOWN, TRUE);
    }
  }
  CGXStatic::OnClickedButton(child);
}

BOOL CGXComboBoxWnd::ShowPendingDropDown() {
  const BOOL dropped = GetDroppedState();
  if (m_bDropDownPending && !dropped) ShowDropDown(TRUE);
  m_bDropDownPending = FALSE;
  return GetDroppedState();
}

void CGXComboBoxWnd::RestoreSaved() {
  if (IsDropDownList()) {
    SetCurSel(m_nSavedSel);
    return;
  }
  // Setting the text reports an edit change, which restores again: only a
  // text that differs is set, or the two would call each other for ever.
  CString now;
  GetWindowText(now);
  if (now != m_sSavedText) SetWindowText(m_sSavedText);
}

BOOL CGXComboBoxWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_bActive && reinterpret_cast<HWND>(lParam) == m_hWnd) {
    switch (HIWORD(wParam)) {
      case CBN_SELCHANGE:
      case CBN_EDITCHANGE:
        if (IsReadOnly()) {
          RestoreSaved();
        } else {
          m_bModified = TRUE;
          OnModifyCell();
        }
        break;
      case CBN_SETFOCUS: ShowPendingDropDown(); break;
      case CBN_DROPDOWN:
        m_pGrid->m_bDropDownCell = TRUE;
        m_nSavedSel = GetCurSel();
        GetWindowText(m_sSavedText);
        break;
      case CBN_CLOSEUP:
        m_pGrid->m_bDropDownCell = FALSE;
        if (IsReadOnly()) RestoreSaved();
        else if (m_bModified) OnModifyCell();
        break;
      default: break;
    }
  }
  return CGXStatic::OnCommand(wParam, lParam);
}

void CGXComboBoxWnd::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) {
  // The button fills the strip the text leaves free at the cell's right
  // edge, where the active combo's own arrow comes.
  CRect cellRect = text;
  cellRect.right += ButtonStrip(row, col);
  CRect r(std::max(cellRect.left + 1, cellRect.right - 16), cellRect.top, cellRect.right - 1, cellRect.bottom - 1);
  CGXStyle composed;
  const CGXStyle* style = nullptr;
  if (IsInitializedFor(row, col)) {
    style = &CGXControl::GetStyle();
  } else if (m_bInactiveDrawAllCells) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  if (style != nullptr && m_nTextHeight == 0) {
    if (CWnd* wnd = GetGridWnd(); wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
      CClientDC dc(wnd);
      m_pGrid->PrepareDC(&dc);
      CFont* old = m_pGrid->SelectStyleFont(&dc, *style, nullptr);
      TEXTMETRIC tm{};
      dc.GetTextMetrics(&tm);
      m_nTextHeight = tm.tmHeight;
      if (old != nullptr) dc.SelectObject(old);
    }
  }
  if (m_bSizeToContent) GXFitButtonToText(r, cellRect, style, m_nTextHeight, m_nMargin);
  if (m_pButton != nullptr) m_pButton->SetRect(r);
}

BOOL CGXComboBoxWnd::ValidateString(const CString& text) {
  if (!(m_bFillWithChoiceList && m_nIndexValue >= 0 && m_bDispChoice) || text.IsEmpty()) return TRUE;
  if (!m_bInit) return TRUE;
  const CGXStyle& style = CGXControl::GetStyle();
  CString line;
  return style.GetIncludeChoiceList() && FindStringInChoiceList(line, text, style.GetChoiceList(), FALSE) >= 0;
}

BOOL CGXComboBoxWnd::FilterGridKey(UINT key, UINT repeat, UINT flags) {
  m_pGrid->ScrollCellInView(m_nRow, m_nCol, 2);
  auto toGrid = [&] { return m_pGrid->ProcessKeys(this, WM_KEYDOWN, key, repeat, flags); };
  if (CtrlHeld()) return toGrid();
  const BOOL dropped = m_hWnd != nullptr && GetDroppedState();
  switch (key) {
    case VK_TAB:
    case VK_ESCAPE: return toGrid();
    case VK_RETURN:
      if (dropped) {
        ShowDropDown(FALSE);
        return TRUE;
      }
      return toGrid();
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return m_bWantArrowKeys || dropped ? FALSE : toGrid();
    case VK_LEFT:
    case VK_RIGHT: {
      if (m_bWantArrowKeys || dropped) return FALSE;
      if (IsDropDownList()) return toGrid();
      CString value;
      GetWindowText(value);
      const DWORD sel = GetEditSel();
      if (key == VK_LEFT) return LOWORD(sel) == 0 ? toGrid() : FALSE;
      return HIWORD(sel) >= value.GetLength() ? toGrid() : FALSE;
    }
    default:
      if (key >= VK_F1 && key <= 0x87) return toGrid();
      return FALSE;
  }
}

LRESULT CGXComboBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (FilterGridKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) return 0;
      break;
    case WM_ERASEBKGND: {
      CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
      CRect client;
      GetClientRect(&client);
      GXFillSolidRect(dc, client, RGB(255, 255, 255));
      if (m_bInit) GXFillSolidRect(dc, client, m_rgbBackColor);
      return TRUE;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
      ForwardKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
      return result;
    }
    default: break;
  }
  return CComboBox::WindowProc(message, wParam, lParam);
}
