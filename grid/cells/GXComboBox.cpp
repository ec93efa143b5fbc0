// The combo cell and its dropped-down list.
#include "grid/cells/GXComboBox.h"

#include <algorithm>
#include <cstdlib>

#include "grid/cells/GXChild.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXProperties.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

const GXControlClass CGXComboBox::CGXComboBoxRecord = {"CGXComboBox", &CGXEditControl::CGXEditControlRecord};

CRect GXDesktopRect() {
  return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

BOOL GXEraseDroppedList(CWnd* list, HDC dc) {
  HWND dropDown = ::GetParent(list->m_hWnd);
  auto brush = reinterpret_cast<HBRUSH>(
      dropDown != nullptr ? ::SendMessage(dropDown, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(list->m_hWnd))
                          : 0);
  if (brush == nullptr) return FALSE;
  CRect client;
  list->GetClientRect(&client);
  ::FillRect(dc, &client, brush);
  return TRUE;
}

BOOL GXDrawsBlackWhite(CGXGridCore* grid) {
  CGXProperties* properties = grid->GetParam() != nullptr ? grid->GetParam()->GetProperties() : nullptr;
  return properties != nullptr && properties->m_bBlackWhite && grid->IsPrinting();
}

// ------------------------------------------------------------- the list

LRESULT CGXComboListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* owner = m_pMsgWnd;
  const HWND ownerWnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
  switch (message) {
    case WM_KEYDOWN:
      m_bKeyDown = TRUE;
      if (m_nKeyCount == 0) m_nOldSel = GetCurSel();
      ++m_nKeyCount;
      break;
    case WM_SYSKEYDOWN: m_bKeyDown = TRUE; break;
    case WM_SYSKEYUP:
      if (wParam == VK_DOWN && m_bKeyDown) {
        if (ownerWnd != nullptr) ::SendMessage(ownerWnd, WM_GXCOMBO_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_KEYUP: {
      const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
      if (!m_bKeyDown || ownerWnd == nullptr) return result;
      // Taking the choice or closing destroys this list: nothing of it is
      // touched after the message to the combo.
      m_nKeyCount = 0;
      switch (wParam) {
        case VK_TAB:
          // Tab takes the choice and moves on as Tab in the cell would.
          ::PostMessage(ownerWnd, WM_KEYDOWN, VK_TAB, 0);
          ::PostMessage(ownerWnd, WM_KEYUP, VK_TAB, 0);
          ::SendMessage(ownerWnd, WM_GXCOMBO_SELECT, 0, 0);
          break;
        case VK_RETURN: ::SendMessage(ownerWnd, WM_GXCOMBO_SELECT, 0, 0); break;
        case VK_ESCAPE: ::SendMessage(ownerWnd, WM_GXCOMBO_CLOSE, 0, 0); break;
        default:
          if (::IsWindow(m_hWnd) && GetCurSel() != m_nOldSel) {
            m_nOldSel = GetCurSel();
            ::SendMessage(ownerWnd, WM_GXCOMBO_SELCHANGE, 0, 0);
          }
          break;
      }
      return result;
    }
    case WM_LBUTTONDOWN:
      m_bLButtonDown = TRUE;
      m_nOldSel = GetCurSel();
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
      if (m_bLButtonDown && ::IsWindow(m_hWnd) && GetCurSel() >= 0 && ownerWnd != nullptr)
        ::SendMessage(ownerWnd, WM_GXCOMBO_SELECT, 0, 0);
      return result;
    }
    case WM_ERASEBKGND:
      if (GXEraseDroppedList(this, reinterpret_cast<HDC>(wParam))) return TRUE;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
      if (ownerWnd != nullptr) ::PostMessage(ownerWnd, WM_GXCOMBO_LISTKILLFOCUS, 0, 0);
      return result;
    }
    default: break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}

// ------------------------------------------------------------- the cell

CGXComboBox::CGXComboBox(CGXGridCore* grid, UINT editId, UINT listBoxId, DWORD mode)
    : CGXEditControl(grid, editId), m_nMode(mode), m_nListBoxID(listBoxId) {
  m_pButton = new CGXComboBoxButton(this);
  AddChild(m_pButton);
}

CGXComboBox::~CGXComboBox() {
  if (m_pDropDownWnd != nullptr) {
    GXSetInDropDown(TRUE);
    delete m_pDropDownWnd;
    m_pDropDownWnd = nullptr;
    GXSetInDropDown(FALSE);
  }
  delete m_pListFont;
}

void CGXComboBox::SetActive(BOOL on) {
  if (!on && IsDroppedDown() && m_hWnd != nullptr) PostMessage(WM_GXCOMBO_CLOSE, 0, 0);
  CGXEditControl::SetActive(on);
}

void CGXComboBox::Init(ROWCOL row, ROWCOL col) {
  CGXEditControl::Init(row, col);
  if (CWnd* wnd = GetGridWnd(); wnd != nullptr && wnd->GetSafeHwnd() != nullptr && m_pButton != nullptr) {
    const CRect r = m_pButton->GetRect();
    wnd->InvalidateRect(&r, FALSE);
  }
}

void CGXComboBox::Reset() {
  ShowDropDown(FALSE);
  CGXEditControl::Reset();
}

BOOL CGXComboBox::KeepsButtonStrip(ROWCOL row, ROWCOL col) {
  return !(m_bInactiveDrawButtonOnlyCurrent && !m_bInactiveDrawAllCells && !m_pGrid->IsCurrentCell(row, col));
}

CRect CGXComboBox::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXStatic::GetCellRect(row, col, cellRect, style);
  if (KeepsButtonStrip(row, col)) rect.right -= kButtonStrip;
  return rect;
}

CSize CGXComboBox::CalcSize(int width, int height, const CGXStyle& style) {
  CSize size = CGXEditControl::CalcSize(width, height, style);
  size.cx += kButtonStrip;
  return size;
}

CSize CGXComboBox::CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1,
                                   BOOL mode2) {
  const CSize base = CGXEditControl::CalcContentSize(dc, row, col, style, mode1, mode2);
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  CSize content(0, 0);
  if (mode1) {
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    content.cy = tm.tmHeight + tm.tmExternalLeading + 1;
  } else if (m_bFillWithChoiceList && style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList(), line;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      content.cx = std::max<LONG>(content.cx, dc->GetTextExtent(line).cx);
    }
  }
  if (old != nullptr) dc->SelectObject(old);
  content = CalcSize(content.cx, content.cy, style);
  return CSize(std::max(base.cx, content.cx), std::max(base.cy, content.cy));
}

void CGXComboBox::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                       const CGXStyle* baseStyle) {
  if (m_bDispChoice && IsInitializedFor(row, col) && IsCurrentCell() && IsActive() && !m_pGrid->IsPrinting()) {
    CGXStyle shown(style);
    CString text;
    GetWindowText(text);
    shown.SetValue(text);
    CGXStatic::Draw(dc, rect, row, col, shown, baseStyle);
    return;
  }
  CGXEditControl::Draw(dc, rect, row, col, style, baseStyle);
}

BOOL CGXComboBox::ConvertByMode(CString& text, const CGXStyle& style) {
  const BOOL displayChoice = (m_nMode & GXCOMBO_DISPLAYCHOICE) != 0;
  if (!m_bFillWithChoiceList || !(displayChoice || (m_nMode & GXCOMBO_TEXTFIT) != 0) ||
      !style.GetIncludeChoiceList())
    return TRUE;
  CString line;
  const int index = FindStringInChoiceList(line, text, style.GetChoiceList(), FALSE);
  if (displayChoice) {
    text.Empty();
    if (index >= 0) text.Format("%d", index + ((m_nMode & GXCOMBO_ONEBASED) != 0 ? 1 : 0));
  } else {
    text = index >= 0 ? line : CString();
  }
  return TRUE;
}

BOOL CGXComboBox::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  if (m_hWnd != nullptr) GetWindowText(text);
  else GetValue(text);
  return ConvertByMode(text, CGXControl::GetStyle());
}

BOOL CGXComboBox::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  if (style != nullptr) return ConvertByMode(text, *style);
  CGXStyle* scratch = m_pGrid->CreateScratchStyle();
  m_pGrid->ComposeStyleRowCol(row, col, *scratch);
  const BOOL result = ConvertByMode(text, *scratch);
  m_pGrid->RecycleScratchStyle(scratch);
  return result;
}

BOOL CGXComboBox::GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) {
  if ((m_nMode & GXCOMBO_DISPLAYCHOICE) == 0 || !m_bFillWithChoiceList || !style.GetIncludeChoiceList())
    return CGXEditControl::GetControlText(text, row, col, value, style);
  const CString source = value != nullptr ? CString(value) : style.GetIncludeValue() ? style.GetValue() : CString();
  if (source.IsEmpty()) return FALSE;
  int index = static_cast<short>(std::atoi(source));
  if (index != -1 && (m_nMode & GXCOMBO_ONEBASED) != 0) --index;
  CString line;
  GetChoiceListItem(line, style.GetChoiceList(), index);
  return CGXEditControl::GetControlText(text, row, col, line, style);
}

BOOL CGXComboBox::OnMouseActivate(CWnd*, UINT, UINT, int& result) {
  if (!IsDroppedDown()) return FALSE;
  SendMessage(WM_GXCOMBO_CLOSE, 0, 1);
  result = MA_ACTIVATEANDEAT;
  return TRUE;
}

BOOL CGXComboBox::HandleChar(UINT ch, UINT repeat, UINT flags) {
  if (m_bDispChoice && ch == '(') {
    CString line;
    if (FindStringInChoiceList(line, "(", CGXControl::GetStyle().GetChoiceList(), FALSE) >= 0) SetValue(line);
    return TRUE;
  }
  return CGXEditControl::HandleChar(ch, repeat, flags);
}

void CGXComboBox::DropFromKeyboard() {
  if (!OnStartEditing()) return;
  SetActive(TRUE);
  if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, 2)) Refresh();
  if (CWnd* wnd = GetGridWnd()) wnd->UpdateWindow();
  ShowDropDown(TRUE);
}

BOOL CGXComboBox::SysKeyDown(UINT key, UINT, UINT) {
  if (key != VK_DOWN) return FALSE;
  DropFromKeyboard();
  return TRUE;
}

void CGXComboBox::ReplaceSel(LPCTSTR text) {
  if (!IsActive()) {
    CGXEditControl::ReplaceSel(text);
    return;
  }
  SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
  SetModify(TRUE);
  OnModifyCell();
}

void CGXComboBox::OnClickedButton(CGXChild* child) {
  if (!IsActive()) {
    if (!OnStartEditing()) return;
    SetActive(TRUE);
    Refresh();
  }
  if (CWnd* wnd = GetGridWnd()) wnd->UpdateWindow();
  ShowDropDown(!IsDroppedDown());
  CGXEditControl::OnClickedButton(child);
}

void CGXComboBox::OnGridScroll(MSG* message) {
  if (message != nullptr && (message->message == WM_HSCROLL || message->message == WM_VSCROLL)) ShowDropDown(FALSE);
  CGXEditControl::OnGridScroll(message);
}

void CGXComboBox::MeasureTextHeight(const CGXStyle& style) {
  if (m_nTextHeight != 0) return;
  CWnd* wnd = GetGridWnd();
  if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr) return;
  CClientDC dc(wnd);
  m_pGrid->PrepareDC(&dc);
  CFont* old = m_pGrid->SelectStyleFont(&dc, style, nullptr);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  m_nTextHeight = tm.tmHeight;
  if (old != nullptr) dc.SelectObject(old);
}

void CGXComboBox::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) {
  // The button fills the strip the text leaves free.
  const CRect cellRect = GXWholeCellRect(this, m_pGrid, row, col, text, KeepsButtonStrip(row, col) ? kButtonStrip : 0);
  CRect r(std::max(cellRect.left + 1, cellRect.right - 16), cellRect.top, cellRect.right - 1, cellRect.bottom - 1);
  CGXStyle composed;
  const CGXStyle* style = nullptr;
  if (IsInitializedFor(row, col)) {
    style = &CGXControl::GetStyle();
  } else if (m_bInactiveDrawAllCells) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  if (style != nullptr) MeasureTextHeight(*style);
  if (m_bSizeToContent) GXFitButtonToText(r, cellRect, style, m_nTextHeight, m_nButtonMargin);
  if (m_pButton != nullptr) m_pButton->SetRect(r);
}

BOOL CGXComboBox::ValidateString(const CString& text) {
  if (text.IsEmpty() || !m_bFillWithChoiceList || (m_nMode & (GXCOMBO_TEXTFIT | GXCOMBO_DISPLAYCHOICE)) == 0)
    return TRUE;
  if (!m_bInit) return TRUE;
  const CGXStyle& style = CGXControl::GetStyle();
  CString line;
  return style.GetIncludeChoiceList() && FindStringInChoiceList(line, text, style.GetChoiceList(), FALSE) >= 0;
}

// ------------------------------------------------------- the list window

CWnd* CGXComboBox::CreateDropDownWnd(CWnd*, const CRect& rect) {
  auto* dropDown = new CGXGridCombo(this, rect);
  m_pDropDownWnd = dropDown;
  return dropDown;
}

CListBox* CGXComboBox::CreateListBox(CWnd* dropDown, UINT id) {
  CRect client;
  dropDown->GetClientRect(&client);
  client.InflateRect(-1, 0);
  auto* list = new CGXComboListBox(this);
  const DWORD style = (m_dwListBoxStyle != 0 ? m_dwListBoxStyle : WS_VSCROLL | LBS_NOTIFY) | WS_VISIBLE | WS_BORDER;
  list->CreateEx(0, WC_LISTBOX, "", style | WS_CHILD, client, dropDown, id);
  return list;
}

void CGXComboBox::GetDropDownRect(CRect& out, const CRect& cellRect) {
  const int height = m_pGrid->GetParam() != nullptr ? m_pGrid->GetParam()->m_nDropDownHeight : 100;
  out = CRect(cellRect.left, cellRect.bottom, cellRect.right, cellRect.bottom + height);
  if (CWnd* wnd = GetGridWnd()) wnd->ClientToScreen(&out);
}

CRect CGXComboBox::PlaceDropDown(const CGXStyle& style, const CRect& cellRect, int lineHeight, CRect& desktop) {
  CListBox* list = m_pDropDownWnd->GetListBox();
  // Colours: the cell's, or black on white when the grid draws in black and white.
  COLORREF text = style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0);
  COLORREF back = style.GetIncludeInterior() ? style.GetInterior().GetColor() : RGB(255, 255, 255);
  if (GXDrawsBlackWhite(m_pGrid)) {
    text = RGB(0, 0, 0);
    back = RGB(255, 255, 255);
  }
  m_pDropDownWnd->SetColors(text, back);
  FillListBox(list);
  CRect rect;
  GetDropDownRect(rect, cellRect);
  const int n = list->GetCount();
  const int h = lineHeight * n + list->GetItemHeight(0) / 2;
  if (h < rect.Height()) rect.bottom = rect.top + h;
  CRect cellScreen = cellRect;
  if (CWnd* wnd = GetGridWnd()) wnd->ClientToScreen(&cellScreen);
  if (rect.right > desktop.right) rect.OffsetRect(-(rect.Width() - cellScreen.Width()), 0);
  if (rect.bottom > desktop.bottom) rect.OffsetRect(0, -(rect.Height() + cellScreen.Height()));
  return rect;
}

void CGXComboBox::ShowDropDown(BOOL show) {
  if (!show) {
    if (IsDroppedDown() && m_hWnd != nullptr) SendMessage(WM_GXCOMBO_CLOSE, 0, IsActive());
    return;
  }
  if (m_pDropDownWnd != nullptr || !m_bInit) return;
  m_pGrid->m_bDropDownCell = TRUE;
  CGXStyle* style = m_pGrid->CreateScratchStyle();
  m_pGrid->ComposeStyleRowCol(m_nRow, m_nCol, *style);
  const CRect cellRect = m_pGrid->CalcCellRect(m_nRow, m_nCol);
  CRect desktop = GXDesktopRect();
  m_pGrid->m_bControlMovesWindows = TRUE;
  m_pGrid->m_bBusy = TRUE;
  CWnd* dropDown = CreateDropDownWnd(GetGridWnd(), CRect(0, 0, 1, 1));
  CListBox* list = CreateListBox(dropDown, m_nListBoxID);
  m_pGrid->m_bControlMovesWindows = FALSE;
  m_pDropDownWnd->SetListBox(list);
  delete m_pListFont;
  m_pListFont = new CFont;
  const LOGFONT lf = style->GetFont().GetZoomedLogFont(m_pGrid->GetZoom());
  m_pListFont->CreateFontIndirect(&lf);
  list->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pListFont->GetSafeHandle()), TRUE);
  MeasureTextHeight(*style);
  CRect rect = PlaceDropDown(*style, cellRect, m_nTextHeight, desktop);
  m_pGrid->RecycleScratchStyle(style);
  GXSetInDropDown(TRUE);
  rect.IntersectRect(&rect, &desktop);
  ::SetWindowPos(dropDown->GetSafeHwnd(), HWND_TOPMOST, rect.left - 1, rect.top, rect.Width() + 1, rect.Height(),
                 SWP_SHOWWINDOW);
  list->SetWindowPos(nullptr, 0, 0, rect.Width() + 1, rect.Height(), SWP_NOZORDER);
  list->SetFocus();
  if (list->GetCurSel() < 0) list->SetCurSel(0);
  list->UpdateWindow();
  list->SetTopIndex(std::max(0, list->GetCurSel()));
  GXSetInDropDown(FALSE);
  m_pGrid->m_bBusy = FALSE;
}

void CGXComboBox::FillListBox(CListBox* list) {
  const CGXStyle& style = CGXControl::GetStyle();
  if (m_bFillWithChoiceList && style.GetIncludeChoiceList()) {
    CString choices = style.GetChoiceList(), line;
    while (!choices.IsEmpty()) {
      GXExtractLine(choices, line);
      list->AddString(line);
    }
  }
  CString text;
  if (IsActive() && m_hWnd != nullptr) GetWindowText(text);
  else if (style.GetIncludeValue()) text = style.GetValue();
  const BOOL byText = (m_nMode & GXCOMBO_TEXTFIT) != 0 || (IsActive() && (m_nMode & GXCOMBO_DISPLAYCHOICE) != 0);
  if (byText) {
    const int exact = list->FindStringExact(-1, text);
    if (exact >= 0) list->SetCurSel(exact);
    else list->SelectString(-1, text);
  } else if ((m_nMode & GXCOMBO_ZEROBASED) != 0) {
    list->SetCurSel(std::atoi(text));
  } else if ((m_nMode & GXCOMBO_ONEBASED) != 0) {
    list->SetCurSel(std::atoi(text) - 1);
  } else if (!text.IsEmpty()) {
    list->SelectString(-1, text);
  }
}

void CGXComboBox::TakeListSelection(CListBox* list) {
  const int index = list->GetCurSel();
  if (index < 0) return;
  CString text;
  if ((m_nMode & GXCOMBO_ZEROBASED) != 0) text.Format("%d", index);
  else if ((m_nMode & GXCOMBO_ONEBASED) != 0) text.Format("%d", index + 1);
  else list->GetText(index, text);
  SetActive(TRUE);
  SetCurrentText(text);
  SendMessage(EM_SETSEL, 0, -1);
  SendMessage(EM_SCROLLCARET);
  SetModify(TRUE);
  if (m_bDispChoice) Refresh();
  else Invalidate();
}

void CGXComboBox::DestroyDropDownWnd(CWnd* dropDown) {
  if (dropDown == m_pDropDownWnd) m_pDropDownWnd = nullptr;
  delete dropDown;
  delete m_pListFont;
  m_pListFont = nullptr;
}

// ------------------------------------------------------ the list's messages

void CGXComboBox::OnListSelect() {
  m_pGrid->m_bControlMovesWindows = TRUE;
  m_pGrid->m_bDropDownCell = FALSE;
  if (m_pDropDownWnd != nullptr) {
    GXSetInDropDown(TRUE);
    CGXControl::GetStyle();
    CListBox* list = m_pDropDownWnd->GetListBox();
    if (!IsReadOnly() && list != nullptr) TakeListSelection(list);
    const HWND focus = ::GetFocus();
    const BOOL hadFocus = focus == m_hWnd || (focus != nullptr && (focus == m_pDropDownWnd->GetSafeHwnd() ||
                                                                   ::IsChild(m_pDropDownWnd->GetSafeHwnd(), focus)));
    DestroyDropDownWnd(m_pDropDownWnd);
    GXSetInDropDown(FALSE);
    OnModifyCell();
    CWnd* grid = GetGridWnd();
    if (hadFocus || (grid != nullptr && ::GetFocus() == grid->GetSafeHwnd()) || ::GetFocus() == nullptr) SetFocus();
  }
  m_pGrid->m_bControlMovesWindows = FALSE;
}

void CGXComboBox::OnCloseDropDown(BOOL keepEditing) {
  m_pGrid->m_bDropDownCell = FALSE;
  if (m_pDropDownWnd == nullptr) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  GXSetInDropDown(TRUE);
  const HWND focus = ::GetFocus();
  const HWND dropDown = m_pDropDownWnd->GetSafeHwnd();
  const BOOL listHasFocus = focus != nullptr && (focus == dropDown || ::IsChild(dropDown, focus));
  const BOOL keep = keepEditing || (listHasFocus && m_pGrid->m_bHasFocus);
  DestroyDropDownWnd(m_pDropDownWnd);
  GXSetInDropDown(FALSE);
  if (keep) {
    SetFocus();
    if (GetModify()) OnModifyCell();
  } else {
    // Leaving the list for another program throws the cell's edit away.
    SetActive(FALSE);
    SetModify(FALSE);
    Refresh();
  }
  m_pGrid->m_bControlMovesWindows = FALSE;
}

void CGXComboBox::OnListSelChange() {
  if (IsReadOnly() || m_pDropDownWnd == nullptr || m_pDropDownWnd->GetListBox() == nullptr) return;
  TakeListSelection(m_pDropDownWnd->GetListBox());
  OnModifyCell();
}

void CGXComboBox::OnListKillFocus() {
  if (m_pDropDownWnd == nullptr) return;
  const HWND focus = ::GetFocus();
  CWnd* grid = GetGridWnd();
  const HWND gridWnd = grid != nullptr ? grid->GetSafeHwnd() : nullptr;
  if (focus == nullptr) {
    OnCloseDropDown(FALSE);
    return;
  }
  if (focus == gridWnd || (gridWnd != nullptr && ::IsChild(gridWnd, focus))) return;
  const HWND dropDown = m_pDropDownWnd->GetSafeHwnd();
  if (focus == dropDown || ::IsChild(dropDown, focus)) return;
  m_pGrid->m_bControlMovesWindows = TRUE;
  if (grid != nullptr) grid->SetFocus();
  OnCloseDropDown(FALSE);
  ::SetFocus(focus);
  m_pGrid->m_bControlMovesWindows = FALSE;
}

LRESULT CGXComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GXCOMBO_SELECT: OnListSelect(); return 0;
    case WM_GXCOMBO_CLOSE: OnCloseDropDown(lParam != 0); return 0;
    case WM_GXCOMBO_SELCHANGE: OnListSelChange(); return 0;
    case WM_GXCOMBO_LISTKILLFOCUS: OnListKillFocus(); return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN) {
        DropFromKeyboard();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (IsDroppedDown()) OnCloseDropDown(TRUE);
      break;
    default: break;
  }
  return CGXEditControl::WindowProc(message, wParam, lParam);
}
