#include "grid/controls/GXCalendarPanels.h"

#include <algorithm>
#include <cmath>

#include "grid/controls/GXDateTimeFields.h"
#include "grid/controls/GXDateTimeGadgets.h"
#include "grid/core/GXAppData.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Messages.h"

namespace {
// Column edges of a week, as parts of the width.
constexpr double kColumns[8] = {0, 0.143, 0.286, 0.429, 0.572, 0.715, 0.858, 1};

CSize Extent(CDC* dc, const CString& text) { return dc->GetTextExtent(text); }
}  // namespace

COleDateTime GXNormalizeToNoon(const COleDateTime& date) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(date, p)) return date;
  return COleDateTime(p.year, p.month, p.day, 12, 0, 0);
}

// ---- Panel ------------------------------------------------------------------

void CGXBPanel::Init(const CRect& rect, CWnd* owner, BOOL selected, BOOL marked, DWORD look, DWORD style,
                     int ringWidth) {
  rect_ = rect;
  owner_ = owner;
  selected_ = selected;
  marked_ = marked;
  look_ = look;
  style_ = style;
  ring_ = ringWidth;
  dirty_ = TRUE;
  initialized_ = TRUE;
}

CRect CGXBPanel::SetRect(const CRect& rect) {
  const CRect old = rect_;
  rect_ = rect;
  dirty_ = TRUE;
  return old;
}

DWORD CGXBPanel::SetLook(DWORD look) {
  const DWORD old = look_;
  look_ = look;
  dirty_ = TRUE;
  return old;
}

DWORD CGXBPanel::SetStyle(DWORD style) {
  const DWORD old = style_;
  style_ = style;
  dirty_ = TRUE;
  return old;
}

int CGXBPanel::SetRingWidth(int width) {
  const int old = ring_;
  ring_ = width;
  dirty_ = TRUE;
  return old;
}

void CGXBPanel::RecalcInsets() {
  const DWORD frameBit = selected_ ? kFrameSelected : kFrameNormal;
  const DWORD bevelBit = selected_ ? kBevelSelected : kBevelNormal;
  const DWORD markBit = selected_ ? kMarkSelected : kMarkNormal;
  frameInset_ = (look_ & frameBit) ? 1 : 0;
  bevelInset_ = (look_ & bevelBit) ? frameInset_ + ring_ : frameInset_;
  markInset_ = (marked_ && (look_ & markBit)) ? bevelInset_ + ring_ : bevelInset_;
  dirty_ = FALSE;
}

void CGXBPanel::GetInsets(int& frame, int& bevel, int& mark) {
  RecalcInsets();
  frame = frameInset_;
  bevel = bevelInset_;
  mark = markInset_;
}

int CGXBPanel::GetMaxMarkInset() const {
  int most = 0;
  for (int selected = 0; selected < 2; ++selected) {
    const int frame = (look_ & (selected ? kFrameSelected : kFrameNormal)) ? 1 : 0;
    const int bevel = (look_ & (selected ? kBevelSelected : kBevelNormal)) ? frame + ring_ : frame;
    const int mark = (look_ & (selected ? kMarkSelected : kMarkNormal)) ? bevel + ring_ : bevel;
    most = std::max(most, mark);
  }
  return most;
}

CRect CGXBPanel::GetContentRect() {
  RecalcInsets();
  CRect r = rect_;
  r.DeflateRect(markInset_, markInset_);
  if (r.Width() <= 0 || r.Height() <= 0) r.SetRectEmpty();
  return r;
}

void CGXBPanel::Redraw() {
  if (owner_ == nullptr || owner_->m_hWnd == nullptr) return;
  owner_->InvalidateRect(&rect_, FALSE);
  owner_->UpdateWindow();
}

BOOL CGXBPanel::SetSelected(BOOL on, BOOL redraw) {
  on = on ? TRUE : FALSE;
  if (selected_ != on) {
    selected_ = on;
    dirty_ = TRUE;
    if (redraw) Redraw();
  }
  return TRUE;
}

BOOL CGXBPanel::SetMarked(BOOL on, BOOL redraw) {
  if (!(style_ & kStyleMarkable)) return FALSE;
  on = on ? TRUE : FALSE;
  if (marked_ != on) {
    marked_ = on;
    dirty_ = TRUE;
    if (redraw) Redraw();
  }
  return TRUE;
}

void CGXBPanel::DrawRing(CDC* dc, int from, int to, COLORREF topLeft, COLORREF bottomRight) {
  if (from == to) return;
  CRect r(rect_.left + from, rect_.top + from, rect_.right - (from - 1), rect_.bottom - (from - 1));
  const COLORREF back = dc->GetBkColor();
  for (int i = from; i <= to && r.Width() > 0 && r.Height() > 0; ++i) {
    dc->Draw3dRect(&r, topLeft, bottomRight);
    r.DeflateRect(1, 1);
  }
  dc->SetBkColor(back);
}

void CGXBPanel::DrawFrame(CDC* dc) { DrawRing(dc, 0, frameInset_, frameColor_, frameColor_); }

void CGXBPanel::DrawBevel(CDC* dc) {
  const COLORREF light = GXGetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GXGetSysColor(COLOR_BTNSHADOW);
  // Sunken while selected.
  DrawRing(dc, frameInset_, bevelInset_, selected_ ? shadow : light, selected_ ? light : shadow);
}

void CGXBPanel::DrawMarkRing(CDC* dc) { DrawRing(dc, bevelInset_, markInset_, markColor_, markColor_); }

void CGXBPanel::DrawBackground(CDC* dc) {
  CRect r = GetContentRect();
  if (r.IsRectEmpty()) return;
  r.right += 1;
  r.bottom += 1;
  dc->FillSolidRect(&r, dc->GetBkColor());
}

void CGXBPanel::DrawContent(CDC* dc) {
  const CRect r = GetContentRect();
  if (r.IsRectEmpty() || text_.IsEmpty()) return;
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  const CSize size = Extent(dc, text_);
  int x = r.left + r.Width() / 10;
  int y = r.top + r.Height() / 10;
  if (look_ & kCentered) {
    x = r.left + (r.Width() - size.cx) / 2;
    y = r.top + r.Height() / 2 + tm.tmAscent / 2 - tm.tmAscent;
  }
  dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &r, text_, nullptr);
}

void CGXBPanel::Draw(CDC* dc) {
  if (dirty_) RecalcInsets();
  const COLORREF oldBack = dc->SetBkColor(GXGetSysColor(COLOR_BTNFACE));
  const COLORREF oldText = dc->SetTextColor(textColor_);
  DrawFrame(dc);
  DrawBevel(dc);
  DrawBackground(dc);
  DrawContent(dc);
  DrawMarkRing(dc);
  dc->SetBkColor(oldBack);
  dc->SetTextColor(oldText);
}

// ---- Day box ----------------------------------------------------------------

void CGXBDayBox::DrawContent(CDC* dc) {
  const CRect r = GetContentRect();
  if (r.IsRectEmpty() || !hasDate_) return;
  CString text;
  text.Format("%d", date_.GetDay());
  const COLORREF old = dc->SetTextColor(outside_ && (look_ & kGreyOutside) ? greyColor_ : textColor_);
  const CSize size = Extent(dc, text);
  int x = r.left + r.Width() / 10;
  int y = r.top + r.Height() / 10;
  if (look_ & kCentered) {
    x = r.left + (r.Width() - size.cx) / 2;
    y = r.top + (r.Height() - size.cy) / 2;
  }
  dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &r, text, nullptr);
  dc->SetTextColor(old);
}

CSize CGXBDayBox::CalcSize(CDC* dc) {
  const CSize text = Extent(dc, "88");
  double w = text.cx * 1.25;
  double h = text.cy * 1.25;
  if (!(look_ & kCentered)) {
    w *= 1.5;
    h *= 1.5;
  }
  const int inset = GetMaxMarkInset();
  return CSize(std::max(static_cast<int>(w), text.cx + 2 * inset), std::max(static_cast<int>(h), text.cy + 2 * inset));
}

namespace {

// Grows a font while its sample fits the room, then shrinks it until it does.
void Fit(CDC* dc, LOGFONT& font, const CSize& room, const CString& sample, double shrink, int floor) {
  if (room.cx <= 0 || room.cy <= 0) {
    font.lfHeight = 0;
    font.lfWidth = 0;
    return;
  }
  auto measure = [&] {
    CFont f;
    f.CreateFontIndirect(&font);
    CFont* old = dc->SelectObject(&f);
    const CSize s = dc->GetTextExtent(sample);
    dc->SelectObject(old);
    return s;
  };
  if (font.lfHeight == 0) font.lfHeight = 16;
  if (font.lfWidth == 0) font.lfWidth = 7;
  for (int i = 0; i < 8; ++i) {
    const CSize s = measure();
    if (!(s.cx < room.cx && s.cy < room.cy)) break;
    font.lfHeight *= 2;
    font.lfWidth *= 2;
  }
  for (int i = 0; i < 200; ++i) {
    const CSize s = measure();
    if (s.cx <= room.cx && s.cy <= room.cy) break;
    if (s.cx <= 2 || s.cy <= 2) break;
    const LONG h = std::min<LONG>(font.lfHeight - 1, static_cast<LONG>(font.lfHeight * shrink));
    const LONG w = std::min<LONG>(font.lfWidth - 1, static_cast<LONG>(font.lfWidth * shrink));
    font.lfHeight = std::max<LONG>(h, floor);
    font.lfWidth = std::max<LONG>(w, floor);
    if (font.lfHeight <= floor || font.lfWidth <= floor) break;
  }
}

}  // namespace

void CGXBDayBox::FitFont(CDC* dc, LOGFONT& font) {
  Fit(dc, font, CSize(GetContentRect().Width(), GetContentRect().Height()), "88", 0.9, 1);
}

// ---- Day bar ----------------------------------------------------------------

void CGXBDayBar::DrawContent(CDC* dc) {
  const CRect r = GetContentRect();
  if (r.IsRectEmpty()) return;
  dc->FillSolidRect(&r, GXGetSysColor(COLOR_BTNFACE));
  for (int i = 1; i <= 7; ++i) {
    CRect col(r.left + static_cast<int>(r.Width() * kColumns[i - 1]), r.top,
              r.left + static_cast<int>(r.Width() * kColumns[i]), r.bottom);
    CString name;
    GXGetDayName((firstDay_ + i - 2) % 7 + 1, (look_ & kFullDayNames) != 0, name);
    dc->DrawText(name, &col, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

CSize CGXBDayBar::CalcSize(CDC* dc) {
  CString name;
  GXGetDayName(4, (look_ & kFullDayNames) != 0, name);
  const CSize s = Extent(dc, name);
  return CSize(7 * s.cx, s.cy);
}

void CGXBDayBar::FitFont(CDC* dc, LOGFONT& font) {
  CString name;
  GXGetDayName(4, (look_ & kFullDayNames) != 0, name);
  const CRect r = GetContentRect();
  Fit(dc, font, CSize(r.Width() / 7, r.Height()), name, 0.9, 1);
}

// ---- Title ------------------------------------------------------------------

void CGXBCalTitle::CreateButtons(CWnd* parent, BOOL monthButtons, BOOL yearButtons) {
  static constexpr const char* kTexts[4] = {"<<", "<", ">", ">>"};
  static constexpr UINT kIds[4] = {kPrevYear, kPrevMonth, kNextMonth, kNextYear};
  showMonth_ = monthButtons;
  showYear_ = yearButtons;
  for (int i = 0; i < 4; ++i) {
    const bool year = i == 0 || i == 3;
    if (year ? !yearButtons : !monthButtons) continue;
    buttons_[i].Create(kTexts[i], WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 1, 1), parent, kIds[i]);
  }
  PlaceButtons();
}

CRect CGXBCalTitle::SetRect(const CRect& rect) {
  const CRect old = CGXBPanel::SetRect(rect);
  PlaceButtons();
  return old;
}

void CGXBCalTitle::PlaceButtons() {
  const int w = rect_.Width();
  const int top = rect_.top + rect_.Height() / 5;
  const int bottom = rect_.bottom - rect_.Height() / 5;
  auto place = [&](int index, int fromLeft, int toLeft) {
    CButton& b = buttons_[index];
    if (b.m_hWnd == nullptr) return;
    b.MoveWindow(rect_.left + w * fromLeft / 200, top, w * (toLeft - fromLeft) / 200, bottom - top, FALSE);
    b.ShowWindow(SW_SHOW);
    b.EnableWindow(TRUE);
  };
  if (showMonth_ && showYear_) {
    place(0, 10, 30);
    place(1, 30, 50);
    place(2, 150, 170);
    place(3, 170, 190);
  } else if (showMonth_) {
    place(1, 10, 30);
    place(2, 170, 190);
  } else if (showYear_) {
    place(0, 10, 30);
    place(3, 170, 190);
  }
}

void CGXBCalTitle::SetDate(const COleDateTime& date) {
  CString month;
  GXGetMonthName(date.GetMonth(), (look_ & kFullMonthNames) != 0, month);
  CString text;
  text.Format("%s %d", static_cast<LPCTSTR>(month), date.GetYear());
  SetText(text);
}

void CGXBCalTitle::Draw(CDC* dc) {
  CGXBPanel::Draw(dc);
  for (CButton& b : buttons_) {
    if (b.m_hWnd == nullptr) continue;
    b.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(dc->GetCurrentFont()->m_hObject), 0);
    b.Invalidate();
    b.UpdateWindow();
  }
}

CSize CGXBCalTitle::CalcSize(CDC* dc) {
  const CSize s = Extent(dc, (look_ & kFullMonthNames) ? "September, 2000" : "Sep, 2000");
  const double factor = (showMonth_ || showYear_) ? 2.2 : 1.2;
  return CSize(static_cast<int>(s.cx * factor), static_cast<int>(s.cy * 1.2));
}

void CGXBCalTitle::FitFont(CDC* dc, LOGFONT& font) {
  const CRect r = GetContentRect();
  Fit(dc, font, CSize(r.Width() * 10 / 22, r.Height()), (look_ & kFullMonthNames) ? "September, 2000" : "Sep, 2000",
      0.95, 1);
}
