#include "grid/controls/GXDateTimeCtrl.h"

#include <algorithm>
#include <cstdint>

#include "grid/controls/GXDateTimeGadgets.h"
#include "grid/controls/GXPopupCalendar.h"
#include "grid/core/GXAppData.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {
bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

CGXBDateTimeCtrl::CGXBDateTimeCtrl() {
  m_clrLiteralText = GXGetSysColor(COLOR_WINDOWTEXT);
  m_clrLiteralBack = GXGetSysColor(COLOR_WINDOW);
}

CGXBDateTimeCtrl::~CGXBDateTimeCtrl() {
  DeleteCalendar();
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CGXBDateTimeCtrl::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* param) {
  static constexpr const char* kClass = "CGXBDateTimeCtrl";
  WNDCLASS wc{};
  if (!::GetClassInfo(AfxGetInstanceHandle(), kClass, &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    ::RegisterClass(&wc);
  }
  m_dwStyle = style & 0xFFFF;
  const CRect r(rect);
  if (!CreateEx(exStyle, kClass, "", style | WS_CHILD, r.left, r.top, r.Width(), r.Height(),
                parent != nullptr ? parent->m_hWnd : nullptr,
                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), param))
    return FALSE;
  CFont* parentFont = parent != nullptr ? parent->GetFont() : nullptr;
  font_ = parentFont != nullptr ? static_cast<HFONT>(parentFont->m_hObject)
                                : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  CreateGadgets();
  LayoutGadgets();
  Invalidate();
  return TRUE;
}

void CGXBDateTimeCtrl::NotifyChanged() {
  if (m_hWnd == nullptr || (GetExStyle() & WS_EX_NOPARENTNOTIFY)) return;
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), GXDTN_CHANGED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBDateTimeCtrl::InvalidateGadget(CGXBDTGadget* gadget, BOOL update) {
  if (m_hWnd == nullptr) return;
  CRect r = gadget->GetRect();
  if (!(gadget->GetStyle() & CGXBDTGadget::kFixed)) r.OffsetRect(-scroll_, 0);
  InvalidateRect(&r, TRUE);
  if (update) UpdateWindow();
}

void CGXBDateTimeCtrl::CaptureGadget(CGXBDTGadget* gadget) {
  CGXBDateTimeFields::CaptureGadget(gadget);
  if (m_hWnd != nullptr) SetCapture();
}

void CGXBDateTimeCtrl::ReleaseGadget() {
  CGXBDateTimeFields::ReleaseGadget();
  if (m_hWnd != nullptr && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CGXBDateTimeCtrl::UpdateNow() {
  if (m_hWnd != nullptr) UpdateWindow();
}

void CGXBDateTimeCtrl::LayoutGadgets() {
  if (m_hWnd == nullptr) return;
  CClientDC dc(this);
  HGDIOBJ old = font_ != nullptr ? dc.SelectObject(font_) : nullptr;
  CRect client;
  GetClientRect(&client);
  int x = 1;
  int right = client.right;
  fixedWidth_ = 0;
  for (CGXBDTGadget* g : gadgets_) {
    g->CalcSize(&dc);
    CRect r = g->GetRect();
    const int w = r.Width();
    if (r.bottom == -1) {
      r.SetRect(0, 0, w, client.Height());
    } else {
      r.OffsetRect(0, 1);
    }
    if (g->GetStyle() & CGXBDTGadget::kFixed) {
      right -= w;
      r.OffsetRect(right - r.left, 0);
      fixedWidth_ += w;
    } else {
      r.OffsetRect(x - r.left, 0);
      x += w;
    }
    g->SetRect(r);
  }
  if (old != nullptr) dc.SelectObject(old);
}

void CGXBDateTimeCtrl::EnsureVisible(int index) {
  if (m_hWnd == nullptr || index < 0 || index >= static_cast<int>(gadgets_.size())) return;
  const CGXBDTGadget* g = gadgets_[static_cast<size_t>(index)];
  if (g->GetStyle() & CGXBDTGadget::kFixed) return;
  CRect client;
  GetClientRect(&client);
  const int left = 1 + scroll_;
  const int right = client.right - 1 - fixedWidth_ + scroll_;
  const CRect& r = g->GetRect();
  if (r.left >= left && r.right <= right) return;
  if (r.left < left) {
    scroll_ = r.left - 1;
  } else {
    const int overlap = r.right - right;
    scroll_ = r.left < left + overlap ? r.left - 1 : scroll_ + overlap;
  }
  scroll_ = std::max(scroll_, 0);
  Invalidate();
}

int CGXBDateTimeCtrl::GadgetFromPoint(int x, int y) const {
  const int n = static_cast<int>(gadgets_.size());
  for (int i = 0; i < fixedCount_; ++i) {
    const CGXBDTGadget* g = gadgets_[static_cast<size_t>(i)];
    if ((g->GetStyle() & (CGXBDTGadget::kEditable | CGXBDTGadget::kTakesMouse)) && g->GetRect().PtInRect(CPoint(x, y)))
      return i;
  }
  for (int i = fixedCount_; i < n; ++i) {
    const CGXBDTGadget* g = gadgets_[static_cast<size_t>(i)];
    if ((g->GetStyle() & (CGXBDTGadget::kEditable | CGXBDTGadget::kTakesMouse)) && g->GetRect().right >= x + scroll_)
      return i;
  }
  for (int i = n - 1; i >= fixedCount_; --i)
    if (gadgets_[static_cast<size_t>(i)]->GetStyle() & (CGXBDTGadget::kEditable | CGXBDTGadget::kTakesMouse)) return i;
  return -1;
}

void CGXBDateTimeCtrl::DrawGadgets(CDC* dc) {
  HGDIOBJ old = font_ != nullptr ? dc->SelectObject(font_) : nullptr;
  for (int i = 0; i < fixedCount_; ++i) gadgets_[static_cast<size_t>(i)]->Draw(dc);
  CRect client;
  GetClientRect(&client);
  const int save = dc->SaveDC();
  dc->IntersectClipRect(0, 0, client.right - fixedWidth_, client.bottom);
  dc->SetViewportOrg(-scroll_, 0);
  for (size_t i = static_cast<size_t>(fixedCount_); i < gadgets_.size(); ++i) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_clrLiteralBack);
    dc->SetTextColor(m_clrLiteralText);
    gadgets_[i]->Draw(dc);
  }
  dc->RestoreDC(save);
  if (old != nullptr) dc->SelectObject(old);
}

void CGXBDateTimeCtrl::OnPaint() {
  CPaintDC paint(this);
  m_clrBack = IsWindowEnabled() ? GXGetSysColor(COLOR_WINDOW) : ::GetSysColor(m_nDisabledColor);
  CRect client;
  GetClientRect(&client);
  CDC mem;
  CBitmap bitmap;
  if (mem.CreateCompatibleDC(&paint) && bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height())) {
    CBitmap* old = mem.SelectObject(&bitmap);
    // What lies behind the gadgets is the window's own erase.
    mem.BitBlt(0, 0, client.Width(), client.Height(), &paint, 0, 0, SRCCOPY);
    DrawGadgets(&mem);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
  } else {
    DrawGadgets(&paint);
  }
}

void CGXBDateTimeCtrl::OnSetFocus(CWnd* oldWnd) {
  CWnd::OnSetFocus(oldWnd);
  if (gadgets_.empty()) return;
  if (KeyDown(VK_TAB)) {
    if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
      gadgets_[static_cast<size_t>(current_)]->SetFocus(FALSE);
    const int target = KeyDown(VK_SHIFT) ? LastEditable() : FirstEditable();
    if (target >= 0) MoveToGadget(target);
    return;
  }
  if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->SetFocus(TRUE);
}

void CGXBDateTimeCtrl::OnKillFocus(CWnd* newWnd) {
  CWnd::OnKillFocus(newWnd);
  if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->SetFocus(FALSE);
}

void CGXBDateTimeCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (gadgets_.empty()) {
    CWnd::OnKeyDown(key, repeat, flags);
    return;
  }
  FieldKeyDown(key, KeyDown(VK_SHIFT));
}

void CGXBDateTimeCtrl::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  if (gadgets_.empty() || key != VK_DOWN) {
    CWnd::OnSysKeyDown(key, repeat, flags);
    return;
  }
  if (m_dwStyle & kStyleCalendarButton) OpenCalendar();
}

void CGXBDateTimeCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (gadgets_.empty()) {
    CWnd::OnChar(ch, repeat, flags);
    return;
  }
  FieldChar(ch);
}

CPoint CGXBDateTimeCtrl::ToGadget(const CGXBDTGadget* gadget, CPoint point) const {
  if (!(gadget->GetStyle() & CGXBDTGadget::kFixed)) point.x += scroll_;
  return point;
}

void CGXBDateTimeCtrl::OnLButtonDown(UINT flags, CPoint point) {
  if (gadgets_.empty()) {
    CWnd::OnLButtonDown(flags, point);
    return;
  }
  const int index = GadgetFromPoint(point.x, point.y);
  if (index < 0) return;
  CGXBDTGadget* g = gadgets_[static_cast<size_t>(index)];
  if (::GetFocus() != m_hWnd) {
    if (g->IsEditable()) current_ = index;
    SetFocus();
  } else if (g->IsEditable() && index != current_) {
    MoveToGadget(index);
  }
  if (g->GetStyle() & CGXBDTGadget::kTakesMouse) g->OnLButtonDown(flags, ToGadget(g, point));
}

void CGXBDateTimeCtrl::OnLButtonUp(UINT flags, CPoint point) {
  if (CGXBDTGadget* g = capture_) {
    g->OnLButtonUp(flags, ToGadget(g, point));
    return;
  }
  CWnd::OnLButtonUp(flags, point);
}

void CGXBDateTimeCtrl::OnMouseMove(UINT flags, CPoint point) {
  if (CGXBDTGadget* g = capture_) {
    g->OnMouseMove(flags, ToGadget(g, point));
    return;
  }
  CWnd::OnMouseMove(flags, point);
}

void CGXBDateTimeCtrl::OnCancelMode() {
  if (CGXBDTGadget* g = capture_) {
    g->CancelMode();
    return;
  }
  CWnd::OnCancelMode();
}

void CGXBDateTimeCtrl::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  LayoutGadgets();
  Invalidate();
}

void CGXBDateTimeCtrl::OnEnable(BOOL) { Invalidate(); }

void CGXBDateTimeCtrl::OnSysColorChange() {
  GXGetSysColorCache().Refresh();
  for (CGXBDTGadget* g : gadgets_) g->OnSysColorChange();
  CWnd::OnSysColorChange();
}

void CGXBDateTimeCtrl::OnDestroy() {
  ResetGadgetState();
  DeleteCalendar();
  CWnd::OnDestroy();
}

LRESULT CGXBDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      LayoutGadgets();
      Invalidate();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_WININICHANGE:
      RebuildGadgets();
      LayoutGadgets();
      Invalidate();
      return 0;
    case 0x7D7: return OnCalendarChosen();
    case 0x7D8: return OnCalendarCancelled();
    default: break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

// ---- Calendar ---------------------------------------------------------------

CGXBPopupCalendar* CGXBDateTimeCtrl::CreateCalendar() {
  calendar_ = new CGXBPopupCalendar;
  return calendar_;
}

void CGXBDateTimeCtrl::DeleteCalendar() {
  CGXBPopupCalendar* calendar = calendar_;
  if (calendar == nullptr) return;
  calendar_ = nullptr;
  const HWND focus = ::GetFocus();
  // Hiding the focused pop-up hands the focus to the top-level window.
  CWnd* top = m_hWnd != nullptr ? GetTopLevelParent() : nullptr;
  const bool hadFocus = focus == nullptr || (calendar->m_hWnd != nullptr && focus == calendar->m_hWnd) ||
                        (top != nullptr && focus == top->m_hWnd);
  delete calendar;
  // The field takes the keyboard back from its closed calendar, unless the
  // user clicked into another window.
  if (hadFocus && m_hWnd != nullptr && ::IsWindowVisible(m_hWnd)) SetFocus();
}

BOOL CGXBDateTimeCtrl::OpenCalendar() {
  if (m_hWnd == nullptr) return TRUE;
  if (current_ >= 0 && current_ < static_cast<int>(gadgets_.size()))
    gadgets_[static_cast<size_t>(current_)]->CancelMode();
  DeleteCalendar();
  GXSetInDropDown(TRUE);
  CGXBPopupCalendar* calendar = CreateCalendar();
  calendar->SetChooseOnDeactivate(2);
  calendar->SetStyle(calendar->GetStyle() | 0x1000200);
  calendar->SetOutOfMonthLook(calendar->GetOutOfMonthLook() | 0x102);
  calendar->SetDisplayDate(value_, FALSE);
  calendar->SelectDate(value_, TRUE);
  CRect r;
  GetWindowRect(&r);
  if (!calendar->CreatePopup(0x90040001, r, this, 0)) DeleteCalendar();
  if (calendar_ != nullptr) calendar_->SetOwnerWindow(m_hWnd);
  GXSetInDropDown(FALSE);
  return TRUE;
}

LRESULT CGXBDateTimeCtrl::OnCalendarChosen() {
  if (calendar_ == nullptr) return 0;
  const COleDateTime chosen = calendar_->GetCurrentDate();
  GXDateTimeParts day;
  GXDateTimeParts now;
  if (GXDateTimeToParts(chosen, day) && GXDateTimeToParts(value_, now)) {
    const COleDateTime value(day.year, day.month, day.day, now.hour, now.minute, now.second);
    if (value.GetStatus() == COleDateTime::valid && IsInRange(value) && CanAcceptDateTime(value)) {
      SetModified(TRUE);
      ApplyDateTime(value);
      NotifyChanged();
      Invalidate();
    }
  }
  DeleteCalendar();
  return 0;
}

LRESULT CGXBDateTimeCtrl::OnCalendarCancelled() {
  DeleteCalendar();
  return 0;
}
