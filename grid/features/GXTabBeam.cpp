#include "grid/features/GXTabBeam.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/framework/WindowDc.h"

namespace {

constexpr LPCTSTR kBeamClass = "CGXTabBeam";
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

CGXTabInfo::~CGXTabInfo() {
  if (bDeleteWnd && pSheet != nullptr) {
    if (pSheet->GetSafeHwnd() != nullptr) pSheet->DestroyWindow();
    delete pSheet;
  }
}

IMPLEMENT_DYNCREATE(CGXTabBeam, CWnd)

CGXTabBeam::CGXTabBeam() {
  m_nHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  m_nButtonWidth = m_nHeight;
  m_nButtonArea = m_nButtons * m_nButtonWidth;
  LoadColors();
}

CGXTabBeam::~CGXTabBeam() { tabs_.clear(); }

void CGXTabBeam::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CGXTabBeam::LoadColors() {
  m_colorText = ::GetSysColor(COLOR_WINDOWTEXT);
  m_colorTab = ::GetSysColor(COLOR_BTNFACE);
  m_colorCurrent = ::GetSysColor(COLOR_WINDOW);
  m_colorStrip = ::GetSysColor(COLOR_SCROLLBAR);
}

void CGXTabBeam::MakeFonts() {
  LOGFONT lf{};
  std::strcpy(lf.lfFaceName, "Arial");
  lf.lfPitchAndFamily = 34;
  lf.lfClipPrecision = 18;
  lf.lfQuality = 0;
  lf.lfHeight = std::max(1, m_nHeight - 2);
  lf.lfWeight = 400;
  m_fontNormal.DeleteObject();
  m_fontNormal.CreateFontIndirect(&lf);
  lf.lfWeight = 700;
  m_fontBold.DeleteObject();
  m_fontBold.CreateFontIndirect(&lf);
}

BOOL CGXTabBeam::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  MakeFonts();
  LoadColors();
  CRect r(rect);
  r.bottom = r.top + m_nHeight;
  return CWnd::Create(nullptr, nullptr, style | WS_CHILD, r, parent, id);
}

int CGXTabBeam::ClientWidth() const {
  CRect client;
  GetClientRect(&client);
  return client.Width();
}

CWnd* CGXTabBeam::GetNotifyWnd() const { return m_pNotifyWnd != nullptr ? m_pNotifyWnd : GetParent(); }

// ------------------------------------------------------------ geometry

int CGXTabBeam::GetTabX(int index) {
  int x = TabStart();
  if (index >= m_nFirstVisible) {
    for (int i = m_nFirstVisible; i < index && i < GetCount(); ++i) x += GetTab(i).nWidth + m_nMargin;
  } else {
    for (int i = index; i < m_nFirstVisible; ++i) x -= GetTab(i).nWidth + m_nMargin;
  }
  return x;
}

int CGXTabBeam::TabFromPoint(int x) {
  int left = TabStart();
  for (int i = m_nFirstVisible; i < GetCount(); ++i) {
    const int right = left + GetTab(i).nWidth + m_nMargin;
    if (x >= left && x < right) return i;
    left = right;
  }
  return -1;
}

int CGXTabBeam::GetLastVisibleTab() {
  const int width = ClientWidth();
  int last = m_nFirstVisible;
  int x = TabStart();
  for (int i = m_nFirstVisible; i < GetCount(); ++i) {
    if (x >= width) break;
    // A tab cut off at the right edge does not count as visible.
    if (x + GetTab(i).nWidth + 2 * m_nMargin > width && i > m_nFirstVisible) break;
    last = i;
    x += GetTab(i).nWidth + m_nMargin;
  }
  return std::max(last, m_nFirstVisible);
}

void CGXTabBeam::EnsureVisible(int index) {
  if (index < 0 || index >= GetCount()) return;
  const int old = m_nFirstVisible;
  if (index < m_nFirstVisible) {
    m_nFirstVisible = index;
  } else {
    while (GetLastVisibleTab() < index && m_nFirstVisible < index) ++m_nFirstVisible;
  }
  if (old != m_nFirstVisible && m_hWnd != nullptr) Invalidate(FALSE);
}

BOOL CGXTabBeam::IsButtonEnabled(int kind) {
  if (GetCount() < 2) return FALSE;
  if (kind <= 1) return m_nFirstVisible > 0;
  return GetLastVisibleTab() < GetCount() - 1;
}

void CGXTabBeam::ScrollTabs(int kind) {
  if (CWnd* parent = GetParent()) parent->SendMessage(GX_TAB_CANCELNAME);
  int target = m_nFirstVisible;
  switch (kind) {
    case 0: target = 0; break;
    case 1: target = m_nFirstVisible - 1; break;
    case 2: target = m_nFirstVisible + 1; break;
    default: target = GetCount() - 1; break;
  }
  // No further than needed to show the last tab.
  const int room = ClientWidth() - m_nButtonArea;
  int sum = 0, smallest = GetCount();
  while (smallest > 0 && sum + GetTab(smallest - 1).nWidth + m_nMargin < room) {
    sum += GetTab(smallest - 1).nWidth + m_nMargin;
    --smallest;
  }
  target = std::max(0, std::min(target, std::min(smallest, GetCount() - 1)));
  if (target == m_nFirstVisible) return;
  int shift = 0;
  for (int i = std::min(target, m_nFirstVisible); i < std::max(target, m_nFirstVisible); ++i)
    shift += GetTab(i).nWidth + m_nMargin;
  const bool right = target < m_nFirstVisible;
  m_nFirstVisible = target;
  if (m_hWnd == nullptr) return;
  CRect area;
  GetClientRect(&area);
  area.left = m_nButtonArea;
  ScrollWindow(right ? shift : -shift, 0, &area, &area);
  // The buttons change their look and the uncovered strip is drawn afresh.
  Invalidate(FALSE);
}

// ------------------------------------------------------------ tabs

void CGXTabBeam::InsertTab(BOOL before, LPCTSTR name, CWnd* sheet, BOOL ownsSheet, int width, DWORD_PTR value) {
  auto info = std::make_unique<CGXTabInfo>();
  info->sLabel = name;
  info->pSheet = sheet;
  info->bDeleteWnd = ownsSheet;
  info->dwValue = value;
  info->backColor = m_colorTab;
  info->currentBackColor = m_colorCurrent;
  int at = GetCount();
  if (before && m_nCurrent >= 0) {
    at = m_nCurrent;
    ++m_nCurrent;
  }
  tabs_.insert(tabs_.begin() + at, std::move(info));
  if (width >= 0) {
    GetTab(at).nWidth = width;
  } else {
    RecalcTabWidth(at);
  }
  if (m_nCurrent < 0) m_nCurrent = 0;
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CGXTabBeam::RemoveTab(int index) {
  if (index < 0 || index >= GetCount()) return;
  // Only the address is passed on: an owned sheet is deleted with its tab.
  const CWnd* sheet = GetTab(index).pSheet;
  tabs_.erase(tabs_.begin() + index);
  if (index == m_nCurrent) {
    m_nCurrent = GetCount() > 0 ? 0 : -1;
    m_nFirstVisible = 0;
  } else if (index < m_nCurrent) {
    --m_nCurrent;
  }
  m_nFirstVisible = std::max(0, std::min(m_nFirstVisible, GetCount() - 1));
  if (m_hWnd != nullptr) Invalidate(FALSE);
  // The window showing the sheets must not keep showing (or reach) it.
  if (m_hWnd != nullptr)
    if (CWnd* parent = GetParent()) parent->SendMessage(GX_TAB_SHEETREMOVED, 0, reinterpret_cast<LPARAM>(sheet));
}

void CGXTabBeam::RecalcTabWidth(int index) {
  if (index < 0 || index >= GetCount()) return;
  CGXTabInfo& tab = GetTab(index);
  if (m_fontBold.m_hObject == nullptr) MakeFonts();
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  CFont* old = dc.SelectObject(&m_fontBold);
  tab.nWidth = m_nMargin + dc.GetTextExtent(tab.sLabel).cx;
  dc.SelectObject(old);
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

int CGXTabBeam::FindTab(const CWnd* sheet) {
  for (int i = 0; i < GetCount(); ++i)
    if (GetTab(i).pSheet == sheet) return i;
  return -1;
}

void CGXTabBeam::SetCurrentTab(int index) {
  if (index < 0 || index >= GetCount()) return;
  const bool changed = index != m_nCurrent;
  m_nCurrent = index;
  EnsureVisible(index);
  if (changed && m_hWnd != nullptr) Invalidate(FALSE);
}

// ------------------------------------------------------------ drawing

void CGXTabBeam::DrawTab(CDC* dc, int index) {
  CGXTabInfo& tab = GetTab(index);
  const int x = GetTabX(index), h = m_nHeight, w = tab.nWidth, m = m_nMargin;
  const bool current = index == m_nCurrent;
  COLORREF fill = (tab.flagsColor & 1) ? tab.backColor : m_colorTab;
  if (current || tab.bMarked) fill = (tab.flagsColor & 2) ? tab.currentBackColor : m_colorCurrent;
  const POINT shape[4] = {{x, 0}, {x + w + 2 * m, 0}, {x + w + m, h}, {x + m, h}};
  CBrush brush(fill);
  CPen outline(PS_SOLID, 1, kBlack);
  CBrush* oldBrush = dc->SelectObject(&brush);
  CPen* oldPen = dc->SelectObject(&outline);
  dc->Polygon(shape, 4);
  // The current tab joins the sheet above it.
  if (current) {
    CPen top(PS_SOLID, 1, fill);
    dc->SelectObject(&top);
    dc->MoveTo(x + 1, 0);
    dc->LineTo(x + w + 2 * m - 1, 0);
    dc->SelectObject(&outline);
  }
  CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  dc->SelectObject(&shadow);
  dc->MoveTo(x + m + 1, h - 1);
  dc->LineTo(x + m + w - 1, h - 1);
  dc->LineTo(x + w + 2 * m - 2, 0);
  dc->SelectObject(oldPen);
  dc->SelectObject(oldBrush);
  CFont* oldFont = dc->SelectObject(current ? &m_fontBold : &m_fontNormal);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(m_colorText);
  CRect text(x + m, 0, x + m + w, h);
  dc->DrawText(tab.sLabel, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->SelectObject(oldFont);
}

CRect CGXTabBeam::ButtonRect(int kind) const {
  // With two buttons, previous sits first and next second.
  int position = kind;
  if (m_nButtons == 2) position = kind <= 1 ? 0 : 1;
  return CRect(position * m_nButtonWidth, 0, (position + 1) * m_nButtonWidth, m_nHeight);
}

void CGXTabBeam::DrawButton(CDC* dc, int kind, BOOL pressed) {
  const CRect r = ButtonRect(kind);
  dc->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
  CRect inner = r;
  dc->Draw3dRect(&inner, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_WINDOWFRAME));
  inner.DeflateRect(1, 1);
  if (pressed) {
    dc->Draw3dRect(&inner, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
  } else {
    dc->Draw3dRect(&inner, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
  }
  dc->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, kBlack);
  // A triangle of vertical lines 1, 3, 5, 7 (and 9) pixels long.
  const int lines = m_nHeight >= 20 ? 5 : 4;
  const COLORREF colour = IsButtonEnabled(kind) ? kBlack : ::GetSysColor(COLOR_GRAYTEXT);
  const int shift = pressed ? 1 : 0;
  const int cx = r.left + (r.Width() - lines) / 2 + shift, cy = r.top + r.Height() / 2 + shift;
  const bool pointsLeft = kind <= 1;
  for (int i = 0; i < lines; ++i) {
    const int x = pointsLeft ? cx + i : cx + lines - 1 - i;
    dc->FillSolidRect(x, cy - i, 1, 2 * i + 1, colour);
  }
  if (kind == 0 || kind == 3) {
    const int bar = pointsLeft ? cx - 2 : cx + lines + 1;
    dc->FillSolidRect(bar, cy - lines + 1, 1, 2 * lines - 1, colour);
  }
}

void CGXTabBeam::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  memory.CreateCompatibleDC(&paint);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  if (m_bShowButtons) {
    for (int kind : {1, 2}) DrawButton(&memory, kind, m_nPressed == kind && m_bPressedLook);
  }
  CRect area = client;
  area.left = m_bShowButtons ? m_nButtonArea : 0;
  memory.FillSolidRect(&area, m_colorStrip);
  memory.FillSolidRect(area.left, 0, area.Width(), 1, kBlack);
  // From the last visible tab back to the first; the current one on top.
  const int last = std::min(GetLastVisibleTab() + 1, GetCount() - 1);
  const int saved = memory.SaveDC();
  memory.IntersectClipRect(&area);
  for (int i = last; i >= m_nFirstVisible && i >= 0; --i)
    if (i != m_nCurrent) DrawTab(&memory, i);
  if (m_nCurrent >= m_nFirstVisible && m_nCurrent <= last) DrawTab(&memory, m_nCurrent);
  memory.RestoreDC(saved);
  paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldBitmap);
  m_nRepaintFrom = -1;
}

BOOL CGXTabBeam::OnEraseBkgnd(CDC* dc) {
  if (m_nRepaintFrom == -1) return TRUE;
  CRect client;
  GetClientRect(&client);
  if (m_nRepaintFrom >= 0) client.left = m_nRepaintFrom;
  dc->FillSolidRect(&client, m_colorStrip);
  return TRUE;
}

// ------------------------------------------------------------ mouse

int CGXTabBeam::ButtonFromPoint(int x, int y, int expected) {
  if (!m_bShowButtons || x < 0 || x >= m_nButtonArea || y < 0 || y >= m_nHeight) return -1;
  const int position = x / std::max(1, m_nButtonWidth);
  const int kind = m_nButtons == 2 ? (position == 0 ? 1 : 2) : position;
  if (expected != -1 && kind != expected) return -1;
  if (IsButtonEnabled(kind)) ScrollTabs(kind);
  return kind;
}

void CGXTabBeam::TrackButton(UINT endMessage) {
  m_bTracking = TRUE;
  SetCapture();
  DWORD delay = 200, last = ::GetTickCount();
  for (;;) {
    MSG msg;
    if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == endMessage) break;
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message != WM_MOUSEMOVE) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
      }
      if (!m_bTracking) break;
      continue;
    }
    // Capture taken away (a menu, another window): the press is over.
    if (::GetCapture() != m_hWnd) break;
    const DWORD now = ::GetTickCount();
    if (now - last >= delay) {
      // The held button repeats, faster each time down to every 100 ms.
      POINT cursor;
      ::GetCursorPos(&cursor);
      ScreenToClient(&cursor);
      OnMouseMove(MK_LBUTTON, CPoint(cursor));
      if (m_bPressedLook && m_nPressed >= 0 && IsButtonEnabled(m_nPressed)) ScrollTabs(m_nPressed);
      last = now;
      delay = std::max<DWORD>(100, delay - 20);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::ReleaseCapture();
  m_bTracking = FALSE;
  m_nPressed = -1;
  m_bPressedLook = FALSE;
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CGXTabBeam::OnTabClick(int x, int) {
  if (m_bShowButtons && x < m_nButtonArea) return;
  int index = -1;
  if (x < TabStart() + m_nMargin) {
    index = std::max(0, m_nFirstVisible - 1);
  } else {
    index = TabFromPoint(x);
  }
  if (index < 0 || index >= GetCount()) return;
  CWnd* notify = GetNotifyWnd();
  if (notify != nullptr && notify->SendMessage(GX_TAB_CANACTIVATE, static_cast<WPARAM>(index)) != 0) return;
  const bool changed = index != m_nCurrent;
  m_nCurrent = index;
  if (!GetTab(index).bMarked)
    for (auto& tab : tabs_) tab->bMarked = FALSE;
  EnsureVisible(index);
  if (changed) Invalidate(FALSE);
  if (notify != nullptr) notify->PostMessage(GX_TAB_ACTIVATE, static_cast<WPARAM>(index));
}

void CGXTabBeam::OnLButtonDown(UINT flags, CPoint point) {
  if (m_bShowButtons && point.x >= 0 && point.x < m_nButtonArea) {
    // A grey button does nothing; an enabled one scrolls at once and then
    // repeats while it is held.
    const int position = point.x / std::max(1, m_nButtonWidth);
    const int kind = m_nButtons == 2 ? (position == 0 ? 1 : 2) : position;
    if (!IsButtonEnabled(kind) || ButtonFromPoint(point.x, point.y, kind) < 0) return;
    m_nPressed = kind;
    m_bPressedLook = TRUE;
    Invalidate(FALSE);
    TrackButton(WM_LBUTTONUP);
    return;
  }
  const int index = TabFromPoint(point.x);
  if ((flags & MK_SHIFT) && index >= 0 && m_nCurrent >= 0) {
    for (int i = std::min(index, m_nCurrent); i <= std::max(index, m_nCurrent); ++i) GetTab(i).bMarked = TRUE;
    Invalidate(FALSE);
  } else if ((flags & MK_CONTROL) && index >= 0) {
    GetTab(index).bMarked = !GetTab(index).bMarked;
    Invalidate(FALSE);
  } else {
    OnTabClick(point.x, point.y);
  }
}

void CGXTabBeam::OnLButtonUp(UINT, CPoint) {
  m_bTracking = FALSE;
  m_nPressed = -1;
  m_bPressedLook = FALSE;
  Invalidate(FALSE);
}

void CGXTabBeam::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking || m_nPressed < 0) return;
  const BOOL over = ButtonRect(m_nPressed).PtInRect(point);
  if (over != m_bPressedLook) {
    m_bPressedLook = over;
    Invalidate(FALSE);
  }
}

void CGXTabBeam::OnLButtonDblClk(UINT flags, CPoint point) {
  if (m_nCurrent >= m_nFirstVisible && m_nCurrent <= GetLastVisibleTab() && TabFromPoint(point.x) == m_nCurrent) {
    if (CWnd* notify = GetNotifyWnd()) notify->PostMessage(GX_TAB_RENAME, static_cast<WPARAM>(m_nCurrent));
    return;
  }
  OnLButtonDown(flags, point);
}

// ------------------------------------------------------------ system changes

void CGXTabBeam::OnSysColorChange() {
  LoadColors();
  Invalidate(FALSE);
}

void CGXTabBeam::OnSettingChange(UINT, LPCTSTR) {
  const int height = ::GetSystemMetrics(SM_CYHSCROLL);
  if (height == m_nHeight) return;
  m_nHeight = m_nButtonWidth = height;
  m_nButtonArea = m_nHeight * m_nButtons;
  MakeFonts();
  for (int i = 0; i < GetCount(); ++i) RecalcTabWidth(i);
  Invalidate(FALSE);
}

// ------------------------------------------------------------ window class

namespace {

LRESULT TabBeamWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* beam = new CGXTabBeam;
  if (!beam->Attach(hwnd)) {
    delete beam;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
  }
  beam->m_bAutoDelete = TRUE;
  ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  return AfxWndProc(hwnd, message, wParam, lParam);
}

}  // namespace

BOOL GXRegisterTabBeamClass(HINSTANCE instance) {
  WNDCLASS existing{};
  if (::GetClassInfo(instance, kBeamClass, &existing)) return TRUE;
  WNDCLASS wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = &TabBeamWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kBeamClass;
  return ::RegisterClass(&wc) != 0;
}

void GXUnregisterTabBeamClass(HINSTANCE instance) { ::UnregisterClass(kBeamClass, instance); }
