#include "grid/controls/GXCalendar.h"

#include <algorithm>
#include <cstdint>

#include "grid/controls/GXDateTimeFields.h"
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

constexpr double kRows[7] = {0.25, 0.375, 0.5, 0.625, 0.75, 0.875, 1};
constexpr double kColumns[8] = {0, 0.143, 0.286, 0.429, 0.572, 0.715, 0.858, 1};

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

COleDateTime Noon(int y, int m, int d) { return COleDateTime(y, m, d, 12, 0, 0); }

LOGFONT SystemLogFont() {
  LOGFONT lf{};
  ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  return lf;
}

}  // namespace

// ---- Boxes' clicks ----------------------------------------------------------

void CGXBDayBox::OnClick() {
  if (auto* cal = dynamic_cast<CGXBCalendar*>(owner_)) {
    for (int i = 0; i < CGXBCalendar::kBoxes; ++i)
      if (&cal->GetBox(i) == this) cal->ClickBox(i);
  }
}

void CGXBDayBox::OnDoubleClick() {
  if (auto* cal = dynamic_cast<CGXBCalendar*>(owner_)) {
    for (int i = 0; i < CGXBCalendar::kBoxes; ++i)
      if (&cal->GetBox(i) == this) cal->DoubleClickBox(i);
  }
}

void CGXBDayBox::OnRightClick() {
  if (auto* cal = dynamic_cast<CGXBCalendar*>(owner_)) {
    for (int i = 0; i < CGXBCalendar::kBoxes; ++i)
      if (&cal->GetBox(i) == this) cal->RightClickBox(i);
  }
}

// ---- Calendar ---------------------------------------------------------------

CGXBCalendar::CGXBCalendar() {
  displayed_ = Noon(1970, 1, 1);
  focus_ = displayed_;
  titleLog_ = barLog_ = dayLog_ = SystemLogFont();
  titleFont_.CreateFontIndirect(&titleLog_);
  barFont_.CreateFontIndirect(&barLog_);
  dayFont_.CreateFontIndirect(&dayLog_);
}

CGXBCalendar::~CGXBCalendar() {
  if (m_hWnd != nullptr) DestroyWindow();
}

void CGXBCalendar::LoadColors() {
  textColor_ = ::GetSysColor(COLOR_WINDOWTEXT);
  greyColor_ = ::GetSysColor(COLOR_GRAYTEXT);
}

void CGXBCalendar::Refuse() { ::MessageBeep(0x30); }

BOOL CGXBCalendar::IsValidMonth(int year, int month, int) const {
  return (year > 100 || (year == 100 && month > 1)) && (year < 9999 || (year == 9999 && month < 12));
}

BOOL CGXBCalendar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, void* param) {
  GXGetSysColorCache().Refresh();
  LoadColors();
  owner_ = parent != nullptr ? parent->m_hWnd : nullptr;
  CString className;
  className.Format("CGXBCalendar:%x", GetClassStyle());
  WNDCLASS wc{};
  if (!::GetClassInfo(AfxGetInstanceHandle(), className, &wc)) {
    wc = WNDCLASS{};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    ::RegisterClass(&wc);
  }
  DWORD windowStyle = style | WS_CLIPCHILDREN;
  if (!(style & WS_POPUP)) windowStyle |= WS_CHILD;
  const CRect r(rect);
  if (!CreateEx(0, className, "CGXBCalendar", windowStyle, r.left, r.top, r.Width(), r.Height(),
                parent != nullptr ? parent->m_hWnd : nullptr,
                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>((style & WS_POPUP) ? 0 : id)), param))
    return FALSE;
  for (CGXBDayBox& box : boxes_) box.Init(CRect(), this, FALSE, FALSE, outLook_, style_, ring_);
  bar_.Init(CRect(), this, FALSE, FALSE, inLook_, style_ & ~static_cast<DWORD>(kSelectable | kMarkable), ring_);
  title_.Init(CRect(), this, FALSE, FALSE, inLook_ | 0x80, bar_.GetStyle(), ring_);
  title_.CreateButtons(this, (style_ & kMonthButtons) != 0, (style_ & kYearButtons) != 0);
  if (static_cast<double>(displayed_) == 0) displayed_ = GXNormalizeToNoon(COleDateTime::GetCurrentTime());
  SetDisplayDate(displayed_, FALSE);
  Layout();
  if (style_ & kFitFonts) FitFonts();
  for (CGXBDayBox& box : boxes_) {
    box.SetTextColor(textColor_);
    box.SetGreyColor(greyColor_);
  }
  bar_.SetTextColor(textColor_);
  title_.SetTextColor(textColor_);
  created_ = TRUE;
  UpdateWindow();
  SetFocus();
  return TRUE;
}

void CGXBCalendar::Layout() {
  CRect client;
  GetClientRect(&client);
  const int w = client.Width();
  const int h = client.Height();
  title_.SetRect(CRect(0, 0, w - 1, static_cast<int>(0.175 * (h - 1))));
  bar_.SetRect(CRect(0, static_cast<int>(0.175 * (h - 1)), w, static_cast<int>(0.25 * (h - 1))));
  for (int i = 0; i < kBoxes; ++i) {
    const int row = i / 7;
    const int col = i % 7;
    const int top = static_cast<int>(h * kRows[row]);
    const int bottom = static_cast<int>(h * kRows[row + 1]) - 1;
    const int left = static_cast<int>(w * kColumns[col]);
    const int right = static_cast<int>(w * kColumns[col + 1]) - 1;
    boxes_[i].SetRect(CRect(left, top, right, bottom));
  }
}

void CGXBCalendar::FitFonts() {
  CClientDC dc(this);
  LOGFONT day = SystemLogFont();
  std::strcpy(day.lfFaceName, "Arial");
  day.lfQuality = DRAFT_QUALITY;
  LOGFONT bar = day;
  LOGFONT title = day;
  day.lfOutPrecision = bar.lfOutPrecision = OUT_TT_PRECIS;
  title.lfOutPrecision = OUT_CHARACTER_PRECIS;
  title.lfPitchAndFamily = VARIABLE_PITCH;
  boxes_[0].FitFont(&dc, day);
  bar_.FitFont(&dc, bar);
  title_.FitFont(&dc, title);
  dayLog_ = day;
  barLog_ = bar;
  titleLog_ = title;
  dayFont_.DeleteObject();
  barFont_.DeleteObject();
  titleFont_.DeleteObject();
  dayFont_.CreateFontIndirect(&dayLog_);
  barFont_.CreateFontIndirect(&barLog_);
  titleFont_.CreateFontIndirect(&titleLog_);
}

BOOL CGXBCalendar::SetDisplayDate(const COleDateTime& date, BOOL redraw) {
  GXDateTimeParts p;
  if ((m_hWnd != nullptr && (style_ & kFixedMonth)) || !GXDateTimeToParts(date, p) ||
      !IsValidMonth(p.year, p.month, p.day)) {
    Refuse();
    return FALSE;
  }
  displayed_ = Noon(p.year, p.month, p.day);
  title_.SetDate(displayed_);
  RefillBoxes();
  if (redraw && m_hWnd != nullptr) {
    Invalidate(FALSE);
    UpdateWindow();
  }
  return TRUE;
}

void CGXBCalendar::RefillBoxes() {
  focus_ = displayed_;
  const int year = displayed_.GetYear();
  const int month = displayed_.GetMonth();
  COleDateTime day = Noon(year, month, 1);
  day = COleDateTime(static_cast<double>(day) - (day.GetDayOfWeek() - bar_.GetFirstDayOfWeek()));
  for (CGXBDayBox& box : boxes_) {
    box.SetDate(day);
    const bool inside = day.GetYear() == year && day.GetMonth() == month;
    box.SetOutsideMonth(!inside);
    DWORD style = style_;
    if (!inside && !(style_ & kOtherMonthsLive)) style &= ~static_cast<DWORD>(kSelectable | kMarkable);
    box.SetStyle(style);
    box.SetLook(inside ? inLook_ : outLook_);
    // Marks set while the box was refused still show where the date is live.
    const DWORD keep = box.GetStyle();
    box.SetStyle(keep | kMarkable);
    box.SetMarked(IsMarkedDate(day), FALSE);
    box.SetStyle(keep);
    const bool selected = hasSelection_ && static_cast<double>(selected_) == static_cast<double>(day);
    box.SetSelected(selected, FALSE);
    if (selected) focus_ = selected_;
    day = COleDateTime(static_cast<double>(day) + 1);
  }
}

COleDateTime CGXBCalendar::GetCurrentDate() const {
  if (current_ < 0) {
    COleDateTime none;
    none.SetStatus(COleDateTime::invalid);
    return none;
  }
  return boxes_[current_].GetDate();
}

BOOL CGXBCalendar::IsMarkedDate(const COleDateTime& date) const {
  return marks_.count(static_cast<double>(GXNormalizeToNoon(date))) != 0;
}

void CGXBCalendar::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  if (owner_ != nullptr && ::IsWindow(owner_)) ::PostMessage(owner_, message, wParam, lParam);
}

void CGXBCalendar::Choose(WPARAM wParam, LPARAM lParam) {
  if (m_hWnd != nullptr) ShowWindow(SW_HIDE);
  Post(WM_GX_CAL_CHOSEN, wParam, lParam);
}

void CGXBCalendar::Cancel() {
  if (m_hWnd != nullptr) ShowWindow(SW_HIDE);
  Post(WM_GX_CAL_CANCELLED, 0, 0);
}

BOOL CGXBCalendar::SelectDate(const COleDateTime& input, BOOL on) {
  const COleDateTime date = GXNormalizeToNoon(input);
  if (on) {
    selected_ = date;
    hasSelection_ = TRUE;
    focus_ = date;
  } else {
    hasSelection_ = FALSE;
  }
  for (int i = 0; i < kBoxes; ++i) {
    CGXBDayBox& box = boxes_[i];
    if (static_cast<double>(box.GetDate()) == static_cast<double>(date)) {
      box.SetSelected(on, TRUE);
      current_ = i;
      if (created_) {
        Post(WM_GX_CAL_SELECTED, on, reinterpret_cast<LPARAM>(&box));
        if (style_ & kChooseOnSelect) Choose(on, reinterpret_cast<LPARAM>(&box));
      }
    } else if (box.IsSelected()) {
      box.SetSelected(FALSE, TRUE);
    }
  }
  if (created_ && m_hWnd != nullptr && ::IsWindowVisible(m_hWnd)) SetFocus();
  return TRUE;
}

BOOL CGXBCalendar::ToggleSelection(const COleDateTime& input) {
  const COleDateTime date = GXNormalizeToNoon(input);
  for (CGXBDayBox& box : boxes_) {
    if (static_cast<double>(box.GetDate()) != static_cast<double>(date)) continue;
    SelectDate(date, !box.IsSelected());
    if (style_ & kChooseOnSelect) Choose();
    return TRUE;
  }
  return FALSE;
}

BOOL CGXBCalendar::MarkDate(const COleDateTime& input, BOOL on) {
  const COleDateTime date = GXNormalizeToNoon(input);
  for (CGXBDayBox& box : boxes_) {
    if (static_cast<double>(box.GetDate()) != static_cast<double>(date)) continue;
    if (!box.SetMarked(on, TRUE)) continue;
    Post(WM_GX_CAL_MARKED, on, reinterpret_cast<LPARAM>(&box));
  }
  if (on) {
    marks_.insert(static_cast<double>(date));
  } else {
    marks_.erase(static_cast<double>(date));
  }
  return TRUE;
}

BOOL CGXBCalendar::ToggleMark(const COleDateTime& input) {
  const COleDateTime date = GXNormalizeToNoon(input);
  for (CGXBDayBox& box : boxes_)
    if (static_cast<double>(box.GetDate()) == static_cast<double>(date)) return MarkDate(date, !box.IsMarked());
  return FALSE;
}

BOOL CGXBCalendar::MoveSelection(const COleDateTimeSpan& span) {
  if (current_ < 0) {
    Refuse();
    return FALSE;
  }
  const COleDateTime target(static_cast<double>(boxes_[current_].GetDate()) + span.GetTotalDays());
  GXDateTimeParts p;
  if (!GXDateTimeToParts(target, p) || !IsValidMonth(p.year, p.month, p.day)) {
    Refuse();
    return FALSE;
  }
  if (p.month != displayed_.GetMonth() || p.year != displayed_.GetYear()) {
    if (!SetDisplayDate(target, TRUE)) return FALSE;
  }
  return SelectDate(target, TRUE);
}

BOOL CGXBCalendar::MoveDisplay(const COleDateTimeSpan& span) {
  const COleDateTime target(static_cast<double>(displayed_) + span.GetTotalDays());
  return SetDisplayDate(target, TRUE);
}

BOOL CGXBCalendar::MoveSelectionBySeconds(long long seconds) {
  return MoveSelection(COleDateTimeSpan(static_cast<double>(seconds) / 86400.0));
}

BOOL CGXBCalendar::MoveDisplayBySeconds(long long seconds) {
  return MoveDisplay(COleDateTimeSpan(static_cast<double>(seconds) / 86400.0));
}

COleDateTime CGXBCalendar::Reference(BOOL moveSelection) const {
  return moveSelection && current_ >= 0 ? boxes_[current_].GetDate() : displayed_;
}

BOOL CGXBCalendar::Step(BOOL moveSelection, const COleDateTime& target, BOOL reselect) {
  const COleDateTimeSpan span(static_cast<double>(target) - static_cast<double>(Reference(moveSelection)));
  const BOOL moved = moveSelection ? MoveSelection(span) : MoveDisplay(span);
  // The selection keeps its place in the grid when only the display moved.
  if (moved && reselect && current_ >= 0) SelectDate(boxes_[current_].GetDate(), TRUE);
  return moved;
}

BOOL CGXBCalendar::NextDay(BOOL move) { return Step(move, COleDateTime(static_cast<double>(Reference(move)) + 1), FALSE); }
BOOL CGXBCalendar::PrevDay(BOOL move) { return Step(move, COleDateTime(static_cast<double>(Reference(move)) - 1), FALSE); }

BOOL CGXBCalendar::NextWeek(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  return Step(move, COleDateTime(static_cast<double>(Reference(move)) + 7), FALSE);
}

BOOL CGXBCalendar::PrevWeek(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  return Step(move, COleDateTime(static_cast<double>(Reference(move)) - 7), FALSE);
}

BOOL CGXBCalendar::MonthStep(const COleDateTime& from, int direction, COleDateTime& to) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(from, p)) return FALSE;
  double day = static_cast<double>(Noon(p.year, p.month, 1)) + 27 * direction;
  while (COleDateTime(day).GetDay() != 1) day += direction;
  to = COleDateTime(day);
  return TRUE;
}

BOOL CGXBCalendar::YearStep(const COleDateTime& from, int direction, COleDateTime& to) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(from, p)) return FALSE;
  if (!IsValidMonth(direction > 0 ? p.year : p.year - 1, 12, p.day)) return FALSE;
  int day = p.day;
  if (p.month == 2 && day == 29) day = 28;
  to = Noon(p.year + direction, p.month, day);
  return to.GetStatus() == COleDateTime::valid;
}

BOOL CGXBCalendar::NextMonth(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  COleDateTime to;
  return MonthStep(Reference(move), +1, to) && Step(move, to, TRUE);
}

BOOL CGXBCalendar::PrevMonth(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  COleDateTime to;
  return MonthStep(Reference(move), -1, to) && Step(move, to, TRUE);
}

BOOL CGXBCalendar::NextYear(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  COleDateTime to;
  if (!YearStep(Reference(move), +1, to)) {
    Refuse();
    return FALSE;
  }
  return Step(move, to, TRUE);
}

BOOL CGXBCalendar::PrevYear(BOOL move) {
  if (m_hWnd != nullptr) SetFocus();
  COleDateTime to;
  if (!YearStep(Reference(move), -1, to)) {
    Refuse();
    return FALSE;
  }
  return Step(move, to, TRUE);
}

// ---- Input ------------------------------------------------------------------

int CGXBCalendar::BoxFromPoint(CPoint point) const {
  for (int i = 0; i < kBoxes; ++i)
    if (boxes_[i].HitTest(point)) return i;
  return -1;
}

void CGXBCalendar::ClickBox(int index) {
  const COleDateTime date = boxes_[index].GetDate();
  if (boxes_[index].IsOutsideMonth() && !(style_ & kOtherMonthsLive)) {
    if (!SetDisplayDate(date, TRUE)) return;
  }
  if (style_ & kClickSelects) {
    SelectDate(date, TRUE);
  } else {
    ToggleSelection(date);
  }
}

void CGXBCalendar::DoubleClickBox(int index) {
  if (!boxes_[index].IsSelected()) ClickBox(index);
  if ((style_ & kChooseOnRelease) && m_hWnd != nullptr) PostMessage(WM_GX_CAL_CHOSEN, 0, 0);
}

void CGXBCalendar::RightClickBox(int index) {
  const COleDateTime date = boxes_[index].GetDate();
  if (boxes_[index].IsOutsideMonth() && !SetDisplayDate(date, TRUE)) return;
  ToggleMark(date);
}

void CGXBCalendar::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (!(style_ & kKeyboard)) return;
  const bool ctrl = KeyDown(VK_CONTROL);
  const HWND self = m_hWnd;
  if (key == VK_ESCAPE || (key == VK_CANCEL && ctrl)) {
    Cancel();
  } else if (key == VK_RETURN) {
    if (current_ >= 0) {
      Choose();
    } else {
      Cancel();
    }
  } else if (key == VK_SPACE) {
    ToggleSelection(focus_);
  } else if (key == VK_HOME || key == VK_END) {
    const int y = displayed_.GetYear();
    const int m = displayed_.GetMonth();
    COleDateTime day = Noon(y, m, 1);
    if (key == VK_END) {
      COleDateTime next;
      MonthStep(day, +1, next);
      day = COleDateTime(static_cast<double>(next) - 1);
    }
    SelectDate(day, TRUE);
  } else if (ctrl) {
    switch (key) {
      case VK_PRIOR: case VK_UP: case VK_NUMPAD8: PrevYear(TRUE); break;
      case VK_NEXT: case VK_DOWN: case VK_NUMPAD2: NextYear(TRUE); break;
      case VK_LEFT: case VK_NUMPAD4: PrevMonth(TRUE); break;
      case VK_RIGHT: case VK_NUMPAD6: NextMonth(TRUE); break;
      default: break;
    }
  } else {
    switch (key) {
      case VK_PRIOR: PrevMonth(TRUE); break;
      case VK_NEXT: NextMonth(TRUE); break;
      case VK_LEFT: case VK_NUMPAD4: PrevDay(TRUE); break;
      case VK_UP: case VK_NUMPAD8: PrevWeek(TRUE); break;
      case VK_RIGHT: case VK_NUMPAD6: NextDay(TRUE); break;
      case VK_DOWN: case VK_NUMPAD2: NextWeek(TRUE); break;
      default: break;
    }
  }
  if (::IsWindow(self)) CWnd::OnKeyDown(key, repeat, flags);
}

void CGXBCalendar::OnLButtonDown(UINT flags, CPoint point) {
  const int index = BoxFromPoint(point);
  if (index < 0) {
    CWnd::OnLButtonDown(flags, point);
    return;
  }
  hasSaved_ = FALSE;
  if (hasSelection_ && selected_.GetMonth() == displayed_.GetMonth() && selected_.GetYear() == displayed_.GetYear()) {
    saved_ = selected_;
    hasSaved_ = TRUE;
  }
  const COleDateTime date = boxes_[index].GetDate();
  ClickBox(index);
  if ((style_ & kClickSelects) && hasSelection_ && static_cast<double>(selected_) == static_cast<double>(date)) {
    SetCapture();
    tracking_ = TRUE;
  }
}

void CGXBCalendar::OnMouseMove(UINT flags, CPoint point) {
  if (!tracking_) {
    CWnd::OnMouseMove(flags, point);
    return;
  }
  CRect client;
  GetClientRect(&client);
  const int index = BoxFromPoint(point);
  if (index >= 0) {
    if (!boxes_[index].IsSelected()) ClickBox(index);
  } else if (!client.PtInRect(point) && current_ >= 0 && boxes_[current_].IsSelected()) {
    SelectDate(boxes_[current_].GetDate(), FALSE);
  }
}

void CGXBCalendar::ReleaseTracking() {
  tracking_ = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CGXBCalendar::OnLButtonUp(UINT flags, CPoint point) {
  if (!tracking_) {
    CWnd::OnLButtonUp(flags, point);
    return;
  }
  ReleaseTracking();
  CRect client;
  GetClientRect(&client);
  const int index = BoxFromPoint(point);
  if (index >= 0) {
    ClickBox(index);
    if (style_ & kChooseOnRelease) Choose();
  } else if (!client.PtInRect(point) && hasSaved_) {
    SelectDate(saved_, TRUE);
  }
}

void CGXBCalendar::OnCancelMode() {
  if (tracking_) {
    ReleaseTracking();
    if (hasSaved_) SelectDate(saved_, TRUE);
  }
  CWnd::OnCancelMode();
}

void CGXBCalendar::OnLButtonDblClk(UINT flags, CPoint point) {
  const int index = BoxFromPoint(point);
  if (index < 0) {
    CWnd::OnLButtonDblClk(flags, point);
    return;
  }
  DoubleClickBox(index);
}

void CGXBCalendar::OnRButtonDown(UINT flags, CPoint point) {
  const int index = BoxFromPoint(point);
  if (index < 0) {
    CWnd::OnRButtonDown(flags, point);
    return;
  }
  RightClickBox(index);
}

LRESULT CGXBCalendar::OnNcHitTest(CPoint point) {
  const LRESULT hit = CWnd::OnNcHitTest(point);
  if (!(style_ & kResizable) && hit >= 10 && hit <= 18) return HTCLIENT;
  return hit;
}

BOOL CGXBCalendar::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case CGXBCalTitle::kNextMonth: NextMonth(FALSE); return TRUE;
    case CGXBCalTitle::kPrevMonth: PrevMonth(FALSE); return TRUE;
    case CGXBCalTitle::kNextYear: NextYear(FALSE); return TRUE;
    case CGXBCalTitle::kPrevYear: PrevYear(FALSE); return TRUE;
    default: return CWnd::OnCommand(wParam, lParam);
  }
}

void CGXBCalendar::OnSysColorChange() {
  GXGetSysColorCache().Refresh();
  LoadColors();
  CWnd::OnSysColorChange();
}

LRESULT CGXBCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GX_CAL_CHOSEN || message == WM_GX_CAL_CANCELLED) {
    if (m_hWnd != nullptr) ShowWindow(SW_HIDE);
    Post(message, wParam, lParam);
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CGXBCalendar::OnPaint() {
  CPaintDC dc(this);
  CFont* old = dc.SelectObject(&titleFont_);
  title_.Draw(&dc);
  dc.SelectObject(&barFont_);
  bar_.Draw(&dc);
  dc.SelectObject(&dayFont_);
  for (CGXBDayBox& box : boxes_) box.Draw(&dc);
  dc.SelectObject(old);
}
