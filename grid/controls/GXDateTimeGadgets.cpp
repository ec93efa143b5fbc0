#include "grid/controls/GXDateTimeGadgets.h"

#include <algorithm>
#include <map>

#include "grid/core/GXAppData.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "platform/base/Locale.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/window/Window.h"

namespace {

// The one map from running thread timers to their gadgets.
std::map<UINT_PTR, CGXBDTGadget*>& Timers() {
  static std::map<UINT_PTR, CGXBDTGadget*> timers;
  return timers;
}

void TimerCallback(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->OnTimer();
}

constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_EXTERNALLEADING;

COLORREF Sys(int index) { return GXGetSysColor(index); }

// Text centred in a rectangle, opaque in the highlight colours while focused.
void DrawFieldText(CDC* dc, const CRect& rect, const CString& text, BOOL focused) {
  const COLORREF oldText = dc->GetTextColor();
  const COLORREF oldBack = dc->GetBkColor();
  const int oldMode = dc->GetBkMode();
  if (focused) {
    dc->SetTextColor(Sys(COLOR_HIGHLIGHTTEXT));
    dc->SetBkColor(Sys(COLOR_HIGHLIGHT));
    dc->SetBkMode(OPAQUE);
    dc->FillSolidRect(&rect, Sys(COLOR_HIGHLIGHT));
  }
  CRect r = rect;
  dc->DrawText(text, &r, kTextFormat | DT_CENTER);
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
  dc->SetBkMode(oldMode);
}

CSize TextSize(CDC* dc, const CString& text) {
  CRect r(0, 0, 0, 0);
  dc->DrawText(text, &r, kTextFormat | DT_CALCRECT);
  return CSize(r.Width(), r.Height());
}

}  // namespace

// ---- Base -------------------------------------------------------------------

CGXBDTGadget::~CGXBDTGadget() { StopTimer(); }

BOOL CGXBDTGadget::SetFocus(BOOL on) {
  if (!IsEditable()) return FALSE;
  on = on ? TRUE : FALSE;
  if (focus_ != on) {
    focus_ = on;
    Invalidate();
  }
  return TRUE;
}

void CGXBDTGadget::StartTimer(UINT ms) {
  StopTimer();
  const UINT_PTR id = ::SetTimer(nullptr, 1, ms, TimerCallback);
  if (id != 0) Timers()[id] = this;
}

void CGXBDTGadget::StopTimer() {
  auto& timers = Timers();
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->second != this) continue;
    ::KillTimer(nullptr, it->first);
    timers.erase(it);
    return;
  }
}

BOOL CGXBDTGadget::HasTimer() const {
  for (const auto& [id, gadget] : Timers())
    if (gadget == this) return TRUE;
  return FALSE;
}

// ---- Numeric ----------------------------------------------------------------

void CGXBDTNumericGadget::Init(CGXBDateTimeFields* owner, int minimum, int maximum, int value, BOOL leadingZero,
                               int id) {
  CGXBDTGadget::Init(owner, id);
  minimum_ = minimum;
  maximum_ = maximum;
  value_ = value;
  leadingZero_ = leadingZero;
  digits_ = maximum <= 9 ? 1 : maximum < 100 ? 2 : maximum < 1000 ? 3 : 4;
  style_ = kEditable;
}

CString CGXBDTNumericGadget::GetText() const {
  const int shown = typed_ > 0 ? pending_ : value_;
  CString text;
  if (leadingZero_) {
    text.Format("%0*d", digits_, shown);
  } else {
    text.Format("%d", shown);
  }
  return text;
}

void CGXBDTNumericGadget::CalcSize(CDC* dc) {
  const CSize size = TextSize(dc, CString("00000").Left(digits_));
  rect_.SetRect(0, 0, size.cx, size.cy);
}

void CGXBDTNumericGadget::Draw(CDC* dc) { DrawFieldText(dc, rect_, GetText(), focus_); }

BOOL CGXBDTNumericGadget::SetFocus(BOOL on) {
  // Digits typed ahead of the focus stay pending: only leaving the field
  // commits them.
  if (!on) Commit();
  return CGXBDTGadget::SetFocus(on);
}

BOOL CGXBDTNumericGadget::Commit() {
  if (typed_ == 0) return TRUE;
  const int number = pending_;
  pending_ = 0;
  typed_ = 0;
  BOOL result = FALSE;
  if (Notify(CGXBDateTimeFields::kQuery, number)) {
    value_ = number;
    Notify(CGXBDateTimeFields::kSet, number);
    result = TRUE;
  } else {
    Beep();
    Invalidate();
  }
  Notify(CGXBDateTimeFields::kTyping, 0);
  return result;
}

void CGXBDTNumericGadget::OnChar(UINT ch) {
  if (ch >= '0' && ch <= '9') {
    const int digit = static_cast<int>(ch - '0');
    if (typed_ == 0) {
      Notify(CGXBDateTimeFields::kTyping, 1);
      pending_ = digit;
      typed_ = 1;
    } else if (digit == 0 && pending_ == 0) {
      // Leading zeros do not fill the field.
    } else {
      pending_ = pending_ * 10 + digit;
      ++typed_;
    }
    if (typed_ >= digits_) {
      if (Commit()) Notify(CGXBDateTimeFields::kComplete, 0);
    }
    Invalidate(TRUE);
    return;
  }
  if (typed_ > 0) {
    Beep();
    pending_ = 0;
    typed_ = 0;
    Invalidate();
    Notify(CGXBDateTimeFields::kTyping, 0);
  }
}

void CGXBDTNumericGadget::OnKeyDown(UINT key) {
  const bool digitKey = (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9);
  if (!digitKey && typed_ > 0 && !Commit()) return;
  switch (key) {
    case VK_END: Notify(CGXBDateTimeFields::kEnd, 0); break;
    case VK_HOME: Notify(CGXBDateTimeFields::kHome, 0); break;
    case VK_UP:
    case VK_ADD: Notify(CGXBDateTimeFields::kStepUp, 0); break;
    case VK_DOWN:
    case VK_SUBTRACT: Notify(CGXBDateTimeFields::kStepDown, 0); break;
    default: break;
  }
}

// ---- List -------------------------------------------------------------------

void CGXBDTListGadget::Init(CGXBDateTimeFields* owner, const CStringArray& items, int value, int id) {
  CGXBDTGadget::Init(owner, id);
  items_.RemoveAll();
  for (INT_PTR i = 0; i < items.GetSize(); ++i) items_.Add(items[i]);
  value_ = value;
  style_ = kEditable;
}

CString CGXBDTListGadget::GetText() const {
  if (value_ < 0 || value_ >= items_.GetSize()) return CString();
  return items_[value_];
}

void CGXBDTListGadget::CalcSize(CDC* dc) {
  CSize most(0, 0);
  for (INT_PTR i = 0; i < items_.GetSize(); ++i) {
    const CSize s = TextSize(dc, items_[i]);
    most.cx = std::max(most.cx, s.cx);
    most.cy = std::max(most.cy, s.cy);
  }
  rect_.SetRect(0, 0, most.cx, most.cy);
}

void CGXBDTListGadget::Draw(CDC* dc) { DrawFieldText(dc, rect_, GetText(), focus_); }

BOOL CGXBDTListGadget::SetFocus(BOOL on) {
  StopTimer();
  return CGXBDTGadget::SetFocus(on);
}

int CGXBDTListGadget::SelectMatchingItem(const CString& prefix, int start) {
  const int n = static_cast<int>(items_.GetSize());
  if (n == 0) return -1;
  if (start < 0 || start >= n) start = 0;
  for (int k = 0; k < n; ++k) {
    const int i = (start + k) % n;
    if (items_[i].Left(prefix.GetLength()).CompareNoCase(prefix) != 0) continue;
    if (!Notify(CGXBDateTimeFields::kQuery, i)) continue;
    Notify(CGXBDateTimeFields::kSet, i);
    value_ = i;
    return i;
  }
  return -1;
}

void CGXBDTListGadget::OnChar(UINT code) {
  const CString ch(static_cast<char>(code & 0xFF));
  if (prefix_.IsEmpty()) {
    if (SelectMatchingItem(ch, value_ + 1) < 0) {
      Beep();
      return;
    }
    Invalidate(TRUE);
    prefix_ = ch;
    StartTimer(kTypeAheadMs);
    return;
  }
  if (prefix_.GetLength() == 1 && prefix_.CompareNoCase(ch) == 0) {
    // The same letter again cycles through the names it begins.
    if (SelectMatchingItem(prefix_, value_ + 1) < 0) Beep();
    Invalidate(TRUE);
    StartTimer(kTypeAheadMs);
    return;
  }
  prefix_ += ch;
  if (SelectMatchingItem(prefix_, value_) < 0) {
    StopTimer();
    Beep();
    prefix_.Empty();
    return;
  }
  Invalidate(TRUE);
  StartTimer(kTypeAheadMs);
}

void CGXBDTListGadget::OnTimer() {
  StopTimer();
  prefix_.Empty();
}

void CGXBDTListGadget::OnKeyDown(UINT key) {
  StopTimer();
  switch (key) {
    case VK_END: Notify(CGXBDateTimeFields::kEnd, 0); break;
    case VK_HOME: Notify(CGXBDateTimeFields::kHome, 0); break;
    case VK_UP:
    case VK_ADD: Notify(CGXBDateTimeFields::kStepUp, 0); break;
    case VK_DOWN:
    case VK_SUBTRACT: Notify(CGXBDateTimeFields::kStepDown, 0); break;
    default: break;
  }
}

// ---- Static -----------------------------------------------------------------

void CGXBDTStaticGadget::Init(CGXBDateTimeFields* owner, const CString& text, int id) {
  CGXBDTGadget::Init(owner, id);
  text_ = text;
  style_ = 0;
}

void CGXBDTStaticGadget::CalcSize(CDC* dc) {
  const CSize size = TextSize(dc, text_);
  rect_.SetRect(0, 0, size.cx, size.cy);
}

void CGXBDTStaticGadget::Draw(CDC* dc) {
  CRect r = rect_;
  dc->DrawText(text_, &r, kTextFormat);
}

// ---- Spin -------------------------------------------------------------------

void CGXBDTSpinGadget::Init(CGXBDateTimeFields* owner, int id) {
  CGXBDTGadget::Init(owner, id);
  style_ = kTakesMouse;
}

void CGXBDTSpinGadget::CalcSize(CDC*) { rect_.SetRect(0, 0, 16, -1); }

void CGXBDTSpinGadget::Draw(CDC* dc) {
  dc->FillSolidRect(&rect_, Sys(COLOR_BTNFACE));
  const int half = rect_.Height() / 2;
  GXDrawSpinArrowButton(dc, CRect(rect_.left, rect_.top, rect_.right, rect_.top + half), FALSE,
                        (state_ & kUpPressed) != 0);
  GXDrawSpinArrowButton(dc, CRect(rect_.left, rect_.top + half, rect_.right, rect_.bottom), TRUE,
                        (state_ & kDownPressed) != 0);
}

void CGXBDTSpinGadget::OnLButtonDown(UINT, CPoint point) {
  const bool up = InUpperHalf(point);
  state_ = up ? (kUpPressed | kTrackUp) : (kDownPressed | kTrackDown);
  Notify(up ? CGXBDateTimeFields::kSpinUp : CGXBDateTimeFields::kSpinDown, 1);
  Invalidate();
  Capture();
  repeat_ = 0;
  state_ |= kTimer | kFirstDelay;
  StartTimer(kFirstDelayMs);
}

void CGXBDTSpinGadget::OnTimer() {
  if (state_ & kFirstDelay) {
    state_ &= ~kFirstDelay;
    StartTimer(kRepeatMs);
  }
  ++repeat_;
  // Holding the button longer takes larger steps.
  const int step = repeat_ <= 20 ? 1 : repeat_ <= 50 ? 2 : 5;
  Notify((state_ & kUpPressed) ? CGXBDateTimeFields::kSpinUp : CGXBDateTimeFields::kSpinDown, step);
}

void CGXBDTSpinGadget::OnMouseMove(UINT, CPoint point) {
  if ((state_ & (kTrackUp | kTrackDown)) == 0) return;
  const bool upTracked = (state_ & kTrackUp) != 0;
  const bool over = rect_.PtInRect(point) && InUpperHalf(point) == upTracked;
  const UINT pressedBit = upTracked ? kUpPressed : kDownPressed;
  const bool pressed = (state_ & pressedBit) != 0;
  if (over == pressed) return;
  if (over) {
    state_ |= pressedBit | kTimer;
    repeat_ = 0;
    StartTimer(kRepeatMs);
  } else {
    state_ &= ~(pressedBit | kTimer | kFirstDelay);
    StopTimer();
  }
  Invalidate();
}

void CGXBDTSpinGadget::OnLButtonUp(UINT, CPoint) { CancelMode(); }

void CGXBDTSpinGadget::CancelMode() {
  if ((state_ & (kTrackUp | kTrackDown)) != 0) Release();
  const bool pressed = (state_ & (kUpPressed | kDownPressed)) != 0;
  state_ = 0;
  StopTimer();
  if (pressed) Invalidate();
}

// ---- Calendar button --------------------------------------------------------

BOOL CGXBDTButtonGadget::Init(CGXBDateTimeFields* owner, UINT bitmapId, int id) {
  CGXBDTGadget::Init(owner, id);
  style_ = kTakesMouse;
  bitmapId_ = bitmapId;
  return GXLoadResourceBitmap(bitmap_, bitmapId);
}

void CGXBDTButtonGadget::CalcSize(CDC*) { rect_.SetRect(0, 0, 16, -1); }

void CGXBDTButtonGadget::Draw(CDC* dc) {
  CRect r = rect_;
  const bool pressed = (state_ & kPressed) != 0;
  if (pressed) {
    dc->Draw3dRect(&r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    r.DeflateRect(1, 1);
    dc->Draw3dRect(&r, Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE));
  } else {
    dc->Draw3dRect(&r, Sys(COLOR_BTNFACE), Sys(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
    dc->Draw3dRect(&r, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
  }
  r.DeflateRect(1, 1);
  dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
  if (bitmap_.m_hObject == nullptr) return;
  BITMAP bm{};
  bitmap_.GetBitmap(&bm);
  const int shift = pressed ? 1 : 0;
  GXDrawBitmap(dc, bitmap_, r.left + (r.Width() - bm.bmWidth) / 2 + shift,
               r.top + (r.Height() - bm.bmHeight) / 2 + shift, Sys(COLOR_BTNFACE));
}

void CGXBDTButtonGadget::OnLButtonDown(UINT, CPoint) {
  state_ = kTracking | kPressed;
  Invalidate(TRUE);
  Capture();
}

void CGXBDTButtonGadget::OnMouseMove(UINT, CPoint point) {
  if ((state_ & kTracking) == 0) return;
  const bool over = rect_.PtInRect(point) != FALSE;
  if (over == ((state_ & kPressed) != 0)) return;
  state_ = over ? (state_ | kPressed) : (state_ & ~kPressed);
  Invalidate(TRUE);
}

void CGXBDTButtonGadget::OnLButtonUp(UINT, CPoint point) {
  if ((state_ & kTracking) == 0) return;
  Release();
  state_ = 0;
  Invalidate(TRUE);
  if (rect_.PtInRect(point)) Notify(CGXBDateTimeFields::kClicked, 0);
}

void CGXBDTButtonGadget::CancelMode() {
  if ((state_ & kTracking) != 0) Release();
  if (state_ != 0) Invalidate();
  state_ = 0;
}

void CGXBDTButtonGadget::OnSysColorChange() {
  bitmap_.DeleteObject();
  GXLoadResourceBitmap(bitmap_, bitmapId_);
}

// ---- Shared drawing and names -------------------------------------------------

void GXDrawSpinArrowButton(CDC* dc, const CRect& rect, BOOL down, BOOL pressed) {
  CRect r = rect;
  if (pressed) {
    dc->Draw3dRect(&r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
    r.DeflateRect(1, 1);
    dc->Draw3dRect(&r, Sys(COLOR_WINDOWFRAME), Sys(COLOR_BTNFACE));
  } else {
    dc->Draw3dRect(&r, Sys(COLOR_BTNFACE), Sys(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
    dc->Draw3dRect(&r, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
  }
  r.DeflateRect(1, 1);
  const int shift = pressed ? 1 : 0;
  const int h = std::min(r.Height() / 4 + 1, 4);
  const int cx = r.left + r.Width() / 2 + shift;
  const int cy = r.top + r.Height() / 2 + shift;
  if (h < 2) {
    dc->SetPixel(cx, cy, RGB(0, 0, 0));
    return;
  }
  // Rows of the triangle, widest at the base.
  const int top = cy - h / 2;
  for (int row = 0; row < h; ++row) {
    const int half = down ? h - 1 - row : row;
    dc->FillSolidRect(cx - half, top + row, 2 * half + 1, 1, RGB(0, 0, 0));
  }
}

BOOL GXGetDayName(int day, BOOL full, CString& name) {
  if (day < 1 || day > 7) return FALSE;
  // Sunday is the locale's seventh day.
  const int index = day == 1 ? 6 : day - 2;
  const LCTYPE type = static_cast<LCTYPE>((full ? LOCALE_SDAYNAME1 : LOCALE_SABBREVDAYNAME1) + index);
  char buf[256] = {};
  if (::GetLocaleInfo(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 0) return FALSE;
  name = buf;
  return TRUE;
}

BOOL GXGetMonthName(int month, BOOL full, CString& name) {
  if (month < 1 || month > 12) return FALSE;
  const LCTYPE type = static_cast<LCTYPE>((full ? LOCALE_SMONTHNAME1 : LOCALE_SABBREVMONTHNAME1) + month - 1);
  char buf[256] = {};
  if (::GetLocaleInfo(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 0) return FALSE;
  name = buf;
  return TRUE;
}
