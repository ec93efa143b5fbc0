#include "grid/features/GXMouseWheelPlugin.h"

#include <algorithm>
#include <cstdlib>

#include "grid/core/GXGridCore.h"
#include "platform/base/Kernel.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

constexpr UINT kZoomQuery = 0x7DF, kZoomSet = 0x7E0;

// Panning cursors by direction: none, up, left, down, right.
constexpr UINT kPanCursors[] = {20202, 20198, 20199, 20201, 20200};
// The cursor is moved this far up and left when panning starts, so that
// the mark (twice as large) is centred on where the button was pressed.
constexpr int kMarkOffset = 15;

struct PanCursor {
  UINT id = 0;
  HCURSOR handle = nullptr;
};

PanCursor& CurrentPanCursor() {
  static PanCursor cursor;
  return cursor;
}

}  // namespace

int GXGetWheelScrollLines(BOOL force) {
  static int lines = 3;
  static bool read = false;
  if (read && !force) return lines;
  read = true;
  UINT value = 3;
  if (::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &value, 0)) {
    lines = value == 0xFFFFFFFFu ? -1 : static_cast<int>(value);
  } else {
    lines = 3;
  }
  return lines;
}

void GXSetPanCursor(UINT id) {
  if (id == 0) return;
  PanCursor& current = CurrentPanCursor();
  if (id != current.id || current.handle == nullptr) {
    HCURSOR loaded = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    current.handle = loaded != nullptr ? loaded : ::LoadCursor(nullptr, IDC_SIZEALL);
    current.id = id;
  }
  ::SetCursor(current.handle);
}

// ------------------------------------------------------------ wheel plug-in

BOOL CGXMouseWheelPlugin::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*) {
  m_bExitMessage = m_bSkipOtherPlugins = FALSE;
  if (message == WM_MOUSEWHEEL) {
    // The host never sees the wheel while the plug-in is attached.
    m_bExitMessage = TRUE;
    OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
    return TRUE;
  }
  if (message == WM_SETTINGCHANGE) {
    GXGetWheelScrollLines(TRUE);
    return TRUE;
  }
  return FALSE;
}

int CGXMouseWheelPlugin::GetZoom() {
  return Host() != nullptr ? static_cast<int>(::SendMessage(Host(), kZoomQuery, 0, 0)) : 0;
}

void CGXMouseWheelPlugin::SetZoom(int zoom) {
  if (Host() != nullptr) ::SendMessage(Host(), kZoomSet, static_cast<WPARAM>(zoom), 0);
}

void CGXMouseWheelPlugin::VScroll(int code, ROWCOL count) {
  if (Host() == nullptr) return;
  for (ROWCOL i = 0; i < count; ++i) ::SendMessage(Host(), WM_VSCROLL, static_cast<WPARAM>(code), 0);
  ::SendMessage(Host(), WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGXMouseWheelPlugin::HScroll(int code, ROWCOL count) {
  if (Host() == nullptr) return;
  for (ROWCOL i = 0; i < count; ++i) ::SendMessage(Host(), WM_HSCROLL, static_cast<WPARAM>(code), 0);
  ::SendMessage(Host(), WM_HSCROLL, SB_ENDSCROLL, 0);
}

BOOL CGXMouseWheelPlugin::OnMouseWheel(UINT keys, short delta) {
  keys &= MK_CONTROL | MK_SHIFT | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
  if (keys == MK_CONTROL) {
    const int zoom = GetZoom();
    if (zoom == 0) return FALSE;
    if (delta > 0 && zoom > 50) SetZoom(zoom - 10);
    if (delta < 0 && zoom < 200) SetZoom(zoom + 10);
    return TRUE;
  }
  if ((keys != 0 && keys != MK_SHIFT) || delta == 0) return FALSE;
  const LONG style = Host() != nullptr ? ::GetWindowLong(Host(), GWL_STYLE) : 0;
  const bool hasVert = (style & WS_VSCROLL) != 0, hasHorz = (style & WS_HSCROLL) != 0;
  const int lines = GXGetWheelScrollLines(FALSE);
  const int code = delta > 0 ? 0 : 1;
  const bool vertical = !hasHorz || (keys != MK_SHIFT && hasVert);
  if (lines == -1) {
    vertical ? VScroll(code + 2, 1) : HScroll(code + 2, 1);
    return TRUE;
  }
  const int count = std::abs(::MulDiv(-delta, lines, 120));
  if (count == 0) return FALSE;
  vertical ? VScroll(code, static_cast<ROWCOL>(count)) : HScroll(code, static_cast<ROWCOL>(count));
  return TRUE;
}

// ------------------------------------------------------------------ panning

CGXIntelliMousePlugin::~CGXIntelliMousePlugin() {
  // The host may be gone by now; the mark's window goes with its own object.
  if (saveOld_ != nullptr) saveDc_.SelectObject(saveOld_);
}

void CGXIntelliMousePlugin::StartPanning(CPoint origin, DWORD now) {
  panning_ = TRUE;
  origin_ = origin;
  pressTime_ = now;
  lastScroll_ = 0;
  interval_ = 0;
  direction_ = -1;
  if (Host() != nullptr) {
    ::SetCapture(Host());
    ::SetTimer(Host(), kPanTimer, 10, nullptr);
    markRect_ = CRect(origin, CSize(kMarkSize, kMarkSize));
    SaveUnderMark();
    originWnd_ = std::make_unique<CGXMouseWheelOriginWnd>();
    if (!originWnd_->Create(m_pPlugInWnd, markRect_, kOriginBitmap)) originWnd_.reset();
  }
}

void CGXIntelliMousePlugin::EndPanning() {
  if (!panning_) return;
  panning_ = FALSE;
  if (originWnd_ != nullptr) {
    HideMark();
    originWnd_->DestroyWindow();
    originWnd_.reset();
  }
  cursorId_ = 0;
  if (Host() != nullptr) {
    if (::GetCapture() == Host()) ::ReleaseCapture();
    ::KillTimer(Host(), kPanTimer);
    POINT p;
    if (::GetCursorPos(&p)) ::SetCursorPos(p.x + kMarkOffset, p.y + kMarkOffset);
  }
}

void CGXIntelliMousePlugin::SaveUnderMark() {
  if (Host() == nullptr) return;
  CClientDC host(m_pPlugInWnd);
  if (saveDc_.GetSafeHdc() == nullptr) {
    if (!saveDc_.CreateCompatibleDC(&host)) return;
    if (!saveBitmap_.CreateCompatibleBitmap(&host, kMarkSize, kMarkSize)) return;
    saveOld_ = saveDc_.SelectObject(&saveBitmap_);
  }
  saveDc_.BitBlt(0, 0, markRect_.Width(), markRect_.Height(), &host, markRect_.left, markRect_.top, SRCCOPY);
}

void CGXIntelliMousePlugin::RestoreUnderMark() {
  if (Host() == nullptr || saveDc_.GetSafeHdc() == nullptr) return;
  CClientDC host(m_pPlugInWnd);
  host.BitBlt(markRect_.left, markRect_.top, markRect_.Width(), markRect_.Height(), &saveDc_, 0, 0, SRCCOPY);
}

void CGXIntelliMousePlugin::HideMark() {
  if (originWnd_ == nullptr || originWnd_->m_hWnd == nullptr) return;
  // Shrunk without a repaint, the mark leaves nothing behind once the saved
  // pixels are back.
  originWnd_->SetWindowPos(nullptr, markRect_.left, markRect_.top, 0, 0,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  RestoreUnderMark();
}

void CGXIntelliMousePlugin::ShowMark() {
  if (originWnd_ == nullptr || originWnd_->m_hWnd == nullptr) return;
  SaveUnderMark();
  originWnd_->SetWindowPos(nullptr, markRect_.left, markRect_.top, markRect_.Width(), markRect_.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  originWnd_->Invalidate(FALSE);
  originWnd_->UpdateWindow();
}

ROWCOL CGXIntelliMousePlugin::PanStep(CPoint cursor, DWORD now) {
  const int dx = cursor.x - origin_.x, dy = cursor.y - origin_.y;
  const bool horizontal = std::abs(dy) < std::abs(dx);
  const int a = horizontal ? std::abs(dx) : std::abs(dy);
  const int direction = horizontal ? (dx < 1 ? 2 : 4) : (dy < 1 ? 1 : 3);
  const ROWCOL steps = a <= 7 ? 0 : a < 40 ? 1 : static_cast<ROWCOL>((a - 40) / 2 + 1);
  const int speed = (a - 10) / 2 > 0 ? (a - 10) / 2 : 1;
  if (steps > 0 || std::abs(dx) > 7 || std::abs(dy) > 7) {
    pressTime_ = 0;
    direction_ = direction;
  } else {
    direction_ = -1;
  }
  cursorId_ = kPanCursors[direction_ == -1 ? 0 : direction_];
  GXSetPanCursor(cursorId_);
  if (steps == 0 || now - lastScroll_ <= interval_) return 0;
  lastScroll_ = now;
  interval_ = static_cast<DWORD>(600 / speed);
  const int code = direction == 1 || direction == 2 ? 0 : 1;
  // The mark stays where panning started: it is taken off while the host
  // scrolls and put back over what the host painted there.
  HideMark();
  horizontal ? HScroll(code, steps) : VScroll(code, steps);
  if (Host() != nullptr) ::UpdateWindow(Host());
  ShowMark();
  return steps;
}

BOOL CGXIntelliMousePlugin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  m_bExitMessage = m_bSkipOtherPlugins = FALSE;
  switch (message) {
    case WM_MBUTTONDOWN: {
      if (panning_) {
        EndPanning();
        m_bExitMessage = TRUE;
        return TRUE;
      }
      // With Ctrl or another button held the press is the host's.
      if ((wParam & ~static_cast<WPARAM>(MK_MBUTTON)) != 0) return FALSE;
      {
        // The cursor moves to the mark's corner, so the mark is centred on
        // where the button went down.
        POINT p = {static_cast<short>(LOWORD(lParam)) - kMarkOffset, static_cast<short>(HIWORD(lParam)) - kMarkOffset};
        if (Host() != nullptr) {
          POINT screen = p;
          ::ClientToScreen(Host(), &screen);
          ::SetCursorPos(screen.x, screen.y);
        }
        StartPanning(CPoint(p.x, p.y), ::GetTickCount());
      }
      m_bExitMessage = TRUE;
      return TRUE;
    }
    case WM_MBUTTONUP:
      if (panning_ && (pressTime_ == 0 || ::GetTickCount() - pressTime_ < 400)) EndPanning();
      if (panning_) m_bExitMessage = TRUE;
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
      if (!panning_) return FALSE;
      GXSetPanCursor(cursorId_);
      m_bExitMessage = TRUE;
      return TRUE;
    case WM_TIMER:
      if (wParam != kPanTimer || !panning_) return FALSE;
      {
        POINT p;
        ::GetCursorPos(&p);
        if (Host() != nullptr) ::ScreenToClient(Host(), &p);
        PanStep(CPoint(p.x, p.y), ::GetTickCount());
      }
      m_bExitMessage = TRUE;
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_CANCELMODE:
      EndPanning();
      return FALSE;
    case WM_MOUSEWHEEL:
      EndPanning();
      return CGXMouseWheelPlugin::HandleMessage(message, wParam, lParam, result);
    default:
      return CGXMouseWheelPlugin::HandleMessage(message, wParam, lParam, result);
  }
}

// --------------------------------------------------------- the grid's form

int CGXGridIntelliMousePlugin::GetZoom() { return grid_ != nullptr ? grid_->GetZoom() : 0; }

void CGXGridIntelliMousePlugin::SetZoom(int zoom) {
  if (grid_ != nullptr) grid_->SetZoom(zoom, 2);
}

void CGXGridIntelliMousePlugin::VScroll(int code, ROWCOL count) { Scroll(TRUE, code, count); }
void CGXGridIntelliMousePlugin::HScroll(int code, ROWCOL count) { Scroll(FALSE, code, count); }

void CGXGridIntelliMousePlugin::Scroll(BOOL vertical, int code, ROWCOL count) {
  if (grid_ == nullptr) return;
  const int back = vertical ? 1 : 2, forth = vertical ? 3 : 4;
  if (code == 0 || code == 1) {
    grid_->DoScroll(code == 0 ? back : forth, count);
    return;
  }
  const CRect rect = grid_->GetGridRect();
  const ROWCOL top = vertical ? grid_->GetTopRow() : grid_->GetLeftCol();
  if (code == 2) {
    if (top <= 1) return;
    const ROWCOL frozen = vertical ? grid_->GetFrozenRows() : grid_->GetFrozenCols();
    const int fixed = vertical ? grid_->SumRowHeights(0, frozen) : grid_->SumColWidths(0, frozen);
    const int room = (vertical ? rect.Height() : rect.Width()) - fixed;
    int sum = vertical ? grid_->GetRowHeight(top) : grid_->GetColWidth(top);
    ROWCOL rows = 0;
    for (ROWCOL i = top - 1; i >= 1; --i) {
      sum += vertical ? grid_->GetRowHeight(i) : grid_->GetColWidth(i);
      if (sum >= room) break;
      ++rows;
      if (i == 1) break;
    }
    grid_->DoScroll(back, std::max<ROWCOL>(rows, 1));
    return;
  }
  const ROWCOL countAll = vertical ? grid_->GetRowCount() : grid_->GetColCount();
  if (top >= countAll) return;
  const ROWCOL last = vertical ? grid_->CalcBottomRowFromRect(rect) : grid_->CalcRightColFromRect(rect);
  if (last < top) return;
  grid_->DoScroll(forth, std::max<ROWCOL>(last - top, 1));
}

// -------------------------------------------------------------- auto-scroll

CGXAutoScrollPlugin::CGXAutoScrollPlugin(CGXGridCore* grid) : grid_(grid) { grid->m_bAutoScrollAvailable = TRUE; }

void CGXAutoScrollPlugin::Stop() {
  if (timer_ != 0 && grid_->m_pGridWnd != nullptr && grid_->m_pGridWnd->m_hWnd != nullptr)
    grid_->m_pGridWnd->KillTimer(timer_);
  timer_ = 0;
  grid_->m_nAutoScrollSBCode = -1;
  grid_->m_bKeyAutoScroll = FALSE;
  grid_->m_bAutoScrollStop = TRUE;
}

BOOL CGXAutoScrollPlugin::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT*) {
  switch (message) {
    case WM_TIMER:
      if (wParam != CGXGridCore::kAutoScrollTimer) return FALSE;
      {
        POINT p = {0, 0};
        ::GetCursorPos(&p);
        if (Host() != nullptr) ::ScreenToClient(Host(), &p);
        Tick(::GetTickCount(), CPoint(p.x, p.y));
      }
      return TRUE;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_KEYUP:
    case WM_CANCELMODE:
      Stop();
      return TRUE;
    case WM_KEYDOWN:
      if (!(grid_->m_bKeyAutoScroll && wParam == grid_->m_nKeyAutoScrollKey) || wParam == VK_ESCAPE) Stop();
      return TRUE;
    case WM_KILLFOCUS:
      if (!grid_->m_bKeepFocusForPopup) Stop();
      return TRUE;
    default:
      return FALSE;
  }
}

void CGXAutoScrollPlugin::Tick(DWORD now, CPoint cursor) {
  if (grid_->m_bAutoScrollStop) {
    Stop();
    return;
  }
  HWND host = Host();
  auto sendMove = [&] {
    if (host != nullptr) ::SendMessage(host, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y)));
  };
  if (grid_->m_bAutoScrollStart) {
    grid_->m_bAutoScrollStart = FALSE;
    vertical_ = grid_->m_bAutoScrollVert;
    horizontal_ = grid_->m_bAutoScrollHorz;
    fixedDirection_ = grid_->m_nAutoScrollSBCode;
    keyMode_ = grid_->m_bKeyAutoScroll;
    key_ = grid_->m_nKeyAutoScrollKey;
    keyFlags_ = grid_->m_nKeyAutoScrollFlags;
    timer_ = grid_->m_nAutoScrollTimer;
    inner_ = grid_->GetGridRect();
    inner_.top += grid_->SumRowHeights(0, grid_->GetFrozenRows());
    inner_.left += grid_->SumColWidths(0, grid_->GetFrozenCols());
    lastScroll_ = 0;
    lastDistance_ = 0;
    delay_ = moveDelay_ = 80;
    speed_ = 1;
    startCursor_ = cursor;
  }
  if (now - lastScroll_ <= static_cast<DWORD>(delay_)) {
    if (std::abs(cursor.x - startCursor_.x) + std::abs(cursor.y - startCursor_.y) > 5) {
      if (fixedDirection_ == -1 && !keyMode_) sendMove();
      moveDelay_ = 100;
    } else if (now - lastScroll_ > static_cast<DWORD>(moveDelay_)) {
      sendMove();
      moveDelay_ -= 3;
    }
    return;
  }
  lastScroll_ = now;
  const ROWCOL count = static_cast<ROWCOL>(std::max(speed_ / 10, 1));
  int distance = 0, divisor = 1;
  if (keyMode_) {
    if (delay_ < 40 && host != nullptr)
      ::SendMessage(host, WM_KEYDOWN, key_, MAKELPARAM(static_cast<WORD>(std::max(speed_ / 5, 1)), static_cast<WORD>(keyFlags_)));
    distance = 8;
  } else if (fixedDirection_ == -1) {
    bool scrolled = false;
    if (vertical_) {
      divisor = 5;
      if (cursor.y < inner_.top) {
        distance = inner_.top - cursor.y;
        scrolled = grid_->DoScroll(1, count);
      } else if (cursor.y > inner_.bottom) {
        distance = cursor.y - inner_.bottom;
        scrolled = grid_->DoScroll(3, count);
      }
    }
    if (!scrolled && horizontal_) {
      divisor = 10;
      if (cursor.x < inner_.left) {
        distance = inner_.left - cursor.x;
        scrolled = grid_->DoScroll(2, count);
      } else if (cursor.x > inner_.right) {
        distance = cursor.x - inner_.right;
        scrolled = grid_->DoScroll(4, count);
      }
    }
    if (!scrolled) {
      delay_ = 80;
      speed_ = 1;
      lastDistance_ = distance;
      sendMove();
      return;
    }
  } else {
    if (delay_ < 40) grid_->DoScroll(fixedDirection_, count);
    distance = 2;
  }
  if (distance < lastDistance_) {
    delay_ = 80;
    speed_ = 1;
  } else if (distance > 1) {
    delay_ -= distance / divisor / 2;
    if (delay_ < 0) {
      delay_ = 0;
      speed_ = std::min(speed_ + 2, 80);
    }
  }
  lastDistance_ = distance;
  if (fixedDirection_ == -1) sendMove();
}
