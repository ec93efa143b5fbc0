#include "grid/controls/GXPopupCalendar.h"

#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

CGXBPopupCalendar::CGXBPopupCalendar() {
  style_ = 0x39C100;
  inLook_ = 0x83;
  outLook_ = 0x181;
}

CGXBPopupCalendar::~CGXBPopupCalendar() {
  if (m_hWnd != nullptr) DestroyWindow();
}

int CGXBPopupCalendar::SetChooseOnDeactivate(int mode) {
  const int old = chooseOnDeactivate_ ? 1 : 2;
  chooseOnDeactivate_ = mode == 1;
  return old;
}

CSize CGXBPopupCalendar::CalcContentSize() {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CGXBDayBox box;
  box.Init(CRect(), this, FALSE, FALSE, outLook_, style_, ring_);
  CGXBDayBar bar;
  bar.Init(CRect(), this, FALSE, FALSE, inLook_, style_, ring_);
  CGXBCalTitle title;
  title.Init(CRect(), this, FALSE, FALSE, inLook_ | 0x80, style_, ring_);
  CFont* old = dc.SelectObject(&dayFont_);
  const CSize day = box.CalcSize(&dc);
  dc.SelectObject(&barFont_);
  const CSize week = bar.CalcSize(&dc);
  dc.SelectObject(&titleFont_);
  const CSize head = title.CalcSize(&dc);
  dc.SelectObject(old);
  const int width = std::max({head.cx, week.cx, 7 * day.cx});
  return CSize(width, head.cy + week.cy + 6 * day.cy);
}

BOOL CGXBPopupCalendar::CreatePopup(DWORD style, const RECT& ownerRect, CWnd* owner, UINT) {
  style_ |= kSizeToContent;
  const CSize content = CalcContentSize();
  CRect r(0, 0, content.cx, content.cy);
  ::AdjustWindowRectEx(&r, style | WS_POPUP, FALSE, 0);
  r.OffsetRect(-r.left, -r.top);
  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const CRect field(ownerRect);
  int x = 0;
  int y = 0;
  if (style & 0x0001) {
    y = field.bottom;
    if (y + r.Height() >= work.bottom) y = field.top - r.Height();
    x = field.left;
    if (x + r.Width() >= work.right) x = field.right - r.Width();
  } else {
    x = field.right;
    if (x + r.Width() >= work.right) x = field.left - r.Width();
    y = field.bottom;
    if (y + r.Height() >= work.bottom) y = field.top - r.Height();
  }
  r.OffsetRect(x, y);
  if (!Create(style | WS_POPUP, r, owner, 0)) return FALSE;
  SetFocus();
  return TRUE;
}

void CGXBPopupCalendar::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CGXBCalendar::OnActivate(state, other, minimized);
  if (state != WA_INACTIVE || m_hWnd == nullptr || !::IsWindowVisible(m_hWnd)) return;
  if (chooseOnDeactivate_ && current_ >= 0) {
    Choose();
  } else {
    Cancel();
  }
}
