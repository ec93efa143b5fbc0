// The "SysMonthCal32" control: one month in the classic look (a coloured
// title with the month and year between two arrow buttons, the day names,
// six weeks with the neighbouring months' days greyed, today circled and
// named on a line below unless the styles switch that off). A click on a
// day selects it (MCN_SELCHANGE when it changed, then MCN_SELECT); arrows,
// page keys, Home and End move the selection (MCN_SELCHANGE).
#include <algorithm>
#include <cstdio>

#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiObject.h"
#include "platform/base/Locale.h"
#include "platform/base/CTime.h"
#include "platform/commctrl/CommCtrlImpl.h"

using namespace ctl;

namespace {

struct Date {
  int y = 2000, m = 1, d = 1;
};

bool operator==(const Date& a, const Date& b) { return a.y == b.y && a.m == b.m && a.d == b.d; }

struct MonthCal {
  HWND hwnd = nullptr;
  Date sel, today;
  HFONT font = nullptr;
  COLORREF colours[6] = {};
  bool colourSet[6] = {};
  bool focus = false;
};

StateMap<MonthCal> g_cals;

int daysIn(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

// 0 Sunday ... 6 Saturday.
int weekday(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 3) --y;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

Date addMonths(Date a, int n) {
  int total = a.y * 12 + (a.m - 1) + n;
  Date r{total / 12, total % 12 + 1, a.d};
  r.d = std::min(r.d, daysIn(r.y, r.m));
  return r;
}

Date addDays(Date a, int n) {
  while (n > 0) {
    int left = daysIn(a.y, a.m) - a.d;
    if (n <= left) return a.d += n, a;
    n -= left + 1;
    a = addMonths(Date{a.y, a.m, 1}, 1);
  }
  while (n < 0) {
    if (-n < a.d) return a.d += n, a;
    n += a.d;
    a = addMonths(Date{a.y, a.m, 1}, -1);
    a.d = daysIn(a.y, a.m);
  }
  return a;
}

SYSTEMTIME toSystem(const Date& a) {
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(a.y);
  st.wMonth = static_cast<WORD>(a.m);
  st.wDay = static_cast<WORD>(a.d);
  st.wDayOfWeek = static_cast<WORD>(weekday(a.y, a.m, a.d));
  return st;
}

bool fromSystem(const SYSTEMTIME* st, Date* out) {
  if (!st || st->wYear < 1753 || st->wYear > 9999 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
      st->wDay > daysIn(st->wYear, st->wMonth))
    return false;
  *out = Date{st->wYear, st->wMonth, st->wDay};
  return true;
}

COLORREF colourOf(MonthCal* c, int which) {
  if (c->colourSet[which]) return c->colours[which];
  switch (which) {
    case MCSC_TEXT: return GetSysColor(COLOR_WINDOWTEXT);
    case MCSC_TITLEBK: return GetSysColor(COLOR_ACTIVECAPTION);
    case MCSC_TITLETEXT: return GetSysColor(COLOR_CAPTIONTEXT);
    case MCSC_TRAILINGTEXT: return GetSysColor(COLOR_GRAYTEXT);
    default: return GetSysColor(COLOR_WINDOW);
  }
}

// ---- Layout ----------------------------------------------------------------------

struct Layout {
  int cellW, cellH, titleH, namesTop, daysTop, todayTop, width, height;
};

Layout layoutOf(MonthCal* c) {
  FontInfo fi = Measure(cc::FontOr(c->font));
  Layout l{};
  l.cellW = TextWidth(fi, "00", 2) + 10;
  l.cellH = fi.height + 2;
  l.titleH = fi.height * 2;
  l.namesTop = l.titleH + 4;
  l.daysTop = l.namesTop + l.cellH + 3;
  l.todayTop = l.daysTop + 6 * l.cellH + 2;
  l.width = 7 * l.cellW + 8;
  bool todayLine = !(StyleOf(c->hwnd) & MCS_NOTODAY);
  l.height = l.todayTop + (todayLine ? l.cellH + 4 : 0);
  return l;
}

// The first date shown (a Sunday on or before the 1st).
Date firstShown(const Date& month) {
  Date first{month.y, month.m, 1};
  int lead = weekday(first.y, first.m, 1);
  return addDays(first, lead == 0 ? -7 : -lead);
}

RECT cellRect(const Layout& l, int index) {
  int x = 4 + (index % 7) * l.cellW, y = l.daysTop + (index / 7) * l.cellH;
  return RECT{x, y, x + l.cellW, y + l.cellH};
}

RECT arrowRect(const Layout& l, bool next) {
  int s = l.titleH - 8;
  int x = next ? l.width - 4 - s - 2 : 6;
  return RECT{x, 4, x + s + 2, 4 + s};
}

UINT hitTest(MonthCal* c, POINT p, Date* date) {
  Layout l = layoutOf(c);
  RECT prev = arrowRect(l, false), next = arrowRect(l, true);
  if (PtInRect(&prev, p)) return MCHT_TITLEBTNPREV;
  if (PtInRect(&next, p)) return MCHT_TITLEBTNNEXT;
  if (p.y < l.titleH) return MCHT_TITLE;
  Date first = firstShown(c->sel);
  for (int i = 0; i < 42; ++i) {
    RECT r = cellRect(l, i);
    if (!PtInRect(&r, p)) continue;
    *date = addDays(first, i);
    if (date->m == c->sel.m) return MCHT_CALENDARDATE;
    return (date->y * 12 + date->m) > (c->sel.y * 12 + c->sel.m) ? MCHT_CALENDARDATENEXT : MCHT_CALENDARDATEPREV;
  }
  if (!(StyleOf(c->hwnd) & MCS_NOTODAY) && p.y >= l.todayTop && p.y < l.height) {
    *date = c->today;
    return MCHT_TODAYLINK;
  }
  return MCHT_NOWHERE;
}

// ---- Painting ----------------------------------------------------------------------

void drawTitle(MonthCal* c, CDC* dc, const Layout& l) {
  RECT title{0, 0, l.width, l.titleH};
  dc->FillSolidRect(&title, colourOf(c, MCSC_TITLEBK));
  for (bool next : {false, true}) {
    RECT a = arrowRect(l, next);
    RECT inner = DrawButtonFace(dc, a, false, false);
    DrawArrowGlyph(dc, inner, next ? 3 : 2, true);
  }
  char month[32] = {};
  GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(c->sel.m - 1), month, sizeof month);
  char text[48];
  std::snprintf(text, sizeof text, "%s %d", month, c->sel.y);
  dc->SetTextColor(colourOf(c, MCSC_TITLETEXT));
  cc::DrawLabel(dc, c->font, text, title, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void drawDayNames(MonthCal* c, CDC* dc, const Layout& l) {
  dc->SetTextColor(colourOf(c, MCSC_TITLEBK));
  for (int i = 0; i < 7; ++i) {
    char name[16] = {};
    // The locale's names start on Monday.
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>((i + 6) % 7), name, sizeof name);
    name[1] = 0;
    RECT r{4 + i * l.cellW, l.namesTop, 4 + (i + 1) * l.cellW, l.namesTop + l.cellH};
    cc::DrawLabel(dc, c->font, name, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  dc->FillSolidRect(4, l.daysTop - 2, 7 * l.cellW, 1, GetSysColor(COLOR_3DSHADOW));
}

void circle(CDC* dc, RECT r) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HDC h = dc->GetSafeHdc();
  HGDIOBJ oldPen = ::SelectObject(h, pen), oldBrush = ::SelectObject(h, GetStockObject(NULL_BRUSH));
  dc->Ellipse(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
  ::SelectObject(h, oldPen);
  ::SelectObject(h, oldBrush);
  DeleteObject(pen);
}

void drawDays(MonthCal* c, CDC* dc, const Layout& l) {
  Date first = firstShown(c->sel);
  bool circleToday = !(StyleOf(c->hwnd) & MCS_NOTODAYCIRCLE);
  for (int i = 0; i < 42; ++i) {
    Date d = addDays(first, i);
    RECT r = cellRect(l, i);
    bool inMonth = d.m == c->sel.m;
    bool selected = d == c->sel;
    if (selected) dc->FillSolidRect(&r, colourOf(c, MCSC_TITLEBK));
    dc->SetTextColor(selected ? colourOf(c, MCSC_TITLETEXT) : colourOf(c, inMonth ? MCSC_TEXT : MCSC_TRAILINGTEXT));
    char text[4];
    std::snprintf(text, sizeof text, "%d", d.d);
    cc::DrawLabel(dc, c->font, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (circleToday && d == c->today) circle(dc, r);
    if (selected && c->focus) dc->DrawFocusRect(&r);
  }
}

void drawToday(MonthCal* c, CDC* dc, const Layout& l) {
  if (StyleOf(c->hwnd) & MCS_NOTODAY) return;
  char text[48];
  std::snprintf(text, sizeof text, "Today: %d/%d/%d", c->today.m, c->today.d, c->today.y);
  RECT r{4 + l.cellW, l.todayTop + 2, l.width, l.todayTop + 2 + l.cellH};
  if (!(StyleOf(c->hwnd) & MCS_NOTODAYCIRCLE)) circle(dc, RECT{8, r.top, 4 + l.cellW - 4, r.bottom});
  dc->SetTextColor(colourOf(c, MCSC_TEXT));
  cc::DrawLabel(dc, c->font, text, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paint(MonthCal* c) {
  PaintScope ps(c->hwnd);
  if (!ps.dc) return;
  RECT client;
  GetClientRect(c->hwnd, &client);
  ps.dc->FillSolidRect(&client, colourOf(c, MCSC_MONTHBK));
  Layout l = layoutOf(c);
  drawTitle(c, ps.dc, l);
  drawDayNames(c, ps.dc, l);
  drawDays(c, ps.dc, l);
  drawToday(c, ps.dc, l);
}

// ---- Changes --------------------------------------------------------------------------

void notifySel(MonthCal* c, UINT code) {
  NMSELCHANGE n{};
  n.stSelStart = n.stSelEnd = toSystem(c->sel);
  SendNotify(c->hwnd, &n.nmhdr, code);
}

// Moves the selection; the parent hears MCN_SELCHANGE when it changed.
bool moveSel(MonthCal* c, Date d) {
  if (d.y < 1753 || d.y > 9999) return true;
  if (d == c->sel) return true;
  c->sel = d;
  InvalidateRect(c->hwnd, nullptr, TRUE);
  HWND self = c->hwnd;
  notifySel(c, MCN_SELCHANGE);
  return g_cals.Get(self) != nullptr;
}

void buttonDown(MonthCal* c, POINT p) {
  HWND self = c->hwnd;
  if (GetFocus() != self) SetFocus(self);
  if (!(c = g_cals.Get(self))) return;
  Date d;
  UINT hit = hitTest(c, p, &d);
  if (hit == MCHT_TITLEBTNPREV || hit == MCHT_TITLEBTNNEXT) {
    moveSel(c, addMonths(c->sel, hit == MCHT_TITLEBTNNEXT ? 1 : -1));
    return;
  }
  if (hit != MCHT_CALENDARDATE && hit != MCHT_CALENDARDATENEXT && hit != MCHT_CALENDARDATEPREV && hit != MCHT_TODAYLINK)
    return;
  if (!moveSel(c, d) || !(c = g_cals.Get(self))) return;
  notifySel(c, MCN_SELECT);
}

void keyDown(MonthCal* c, UINT vk) {
  Date s = c->sel;
  switch (vk) {
    case VK_LEFT: moveSel(c, addDays(s, -1)); break;
    case VK_RIGHT: moveSel(c, addDays(s, 1)); break;
    case VK_UP: moveSel(c, addDays(s, -7)); break;
    case VK_DOWN: moveSel(c, addDays(s, 7)); break;
    case VK_PRIOR: moveSel(c, addMonths(s, -1)); break;
    case VK_NEXT: moveSel(c, addMonths(s, 1)); break;
    case VK_HOME: moveSel(c, Date{s.y, s.m, 1}); break;
    case VK_END: moveSel(c, Date{s.y, s.m, daysIn(s.y, s.m)}); break;
    default: break;
  }
}

LRESULT setColour(MonthCal* c, int which, COLORREF colour) {
  if (which < 0 || which > MCSC_TRAILINGTEXT) return static_cast<LRESULT>(-1);
  COLORREF old = colourOf(c, which);
  c->colours[which] = colour;
  c->colourSet[which] = true;
  InvalidateRect(c->hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(old);
}

LRESULT setDate(MonthCal* c, Date* slot, const SYSTEMTIME* st) {
  if (!fromSystem(st, slot)) return FALSE;
  InvalidateRect(c->hwnd, nullptr, TRUE);
  return TRUE;
}

void create(MonthCal* c) {
  CTime now = CTime::GetCurrentTime();
  c->today = c->sel = Date{now.GetYear(), now.GetMonth(), now.GetDay()};
}

LRESULT calProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    create(g_cals.Make(hwnd));
    g_cals.Get(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  MonthCal* c = g_cals.Get(hwnd);
  if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY: g_cals.Drop(hwnd); return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFONT: c->font = reinterpret_cast<HFONT>(wParam); InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(cc::FontOr(c->font));
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(c); return 0;
    case WM_SETFOCUS: c->focus = true; InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_KILLFOCUS: c->focus = false; InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN: buttonDown(c, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_KEYDOWN: keyDown(c, static_cast<UINT>(wParam)); return 0;
    case MCM_GETCURSEL:
      if (lParam) *reinterpret_cast<SYSTEMTIME*>(lParam) = toSystem(c->sel);
      return lParam != 0;
    case MCM_SETCURSEL: return setDate(c, &c->sel, reinterpret_cast<const SYSTEMTIME*>(lParam));
    case MCM_GETTODAY:
      if (lParam) *reinterpret_cast<SYSTEMTIME*>(lParam) = toSystem(c->today);
      return lParam != 0;
    case MCM_SETTODAY: setDate(c, &c->today, reinterpret_cast<const SYSTEMTIME*>(lParam)); return 0;
    case MCM_GETMINREQRECT: {
      if (!lParam) return FALSE;
      Layout l = layoutOf(c);
      *reinterpret_cast<RECT*>(lParam) = RECT{0, 0, l.width, l.height};
      return TRUE;
    }
    case MCM_SETCOLOR: return setColour(c, static_cast<int>(wParam), static_cast<COLORREF>(lParam));
    case MCM_GETCOLOR: return wParam <= MCSC_TRAILINGTEXT ? static_cast<LRESULT>(colourOf(c, static_cast<int>(wParam))) : -1;
    case MCM_HITTEST: {
      auto* info = reinterpret_cast<MCHITTESTINFO*>(lParam);
      if (!info) return 0;
      Date d;
      info->uHit = hitTest(c, info->pt, &d);
      info->st = toSystem(d);
      return static_cast<LRESULT>(info->uHit);
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC MonthCalWindowProc() { return &calProc; }
