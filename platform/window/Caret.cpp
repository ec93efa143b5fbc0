// The caret: one for the program, owned by a window, blinking with the
// clock while shown. Its pixels are inverted on the owner's surface and
// taken off around every drawing into that surface.
#include "platform/window/WindowImpl.h"

using namespace wnd;

// The pixels are taken off and put back through CaretHide/CaretRestore, the
// one place that knows how they are inverted.

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
  if (!Get(hwnd)) return FALSE;
  DestroyCaret();
  Caret& c = S().caret;
  c.owner = hwnd;
  c.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  c.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  c.x = c.y = 0;
  c.hideCount = 1;
  c.drawn = false;
  c.blinkOn = true;
  return TRUE;
}

BOOL DestroyCaret() {
  Caret& c = S().caret;
  if (!c.owner) return FALSE;
  if (c.drawn && Get(c.owner)) {
    CaretHide();
    c.hideCount = 1;
    CaretRestore();
  }
  c = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  Caret& c = S().caret;
  if (!c.owner || (hwnd && hwnd != c.owner)) return FALSE;
  if (c.hideCount == 0) return TRUE;
  if (--c.hideCount == 0) {
    c.blinkOn = true;
    c.nextBlink = platform::GetHost().Now() + GetCaretBlinkTime();
    CaretHide();
    CaretRestore();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  Caret& c = S().caret;
  if (!c.owner || (hwnd && hwnd != c.owner)) return FALSE;
  CaretHide();
  ++c.hideCount;
  CaretRestore();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = S().caret;
  if (!c.owner) return FALSE;
  CaretHide();
  c.x = x;
  c.y = y;
  c.blinkOn = true;  // a moved caret shows at once
  c.nextBlink = platform::GetHost().Now() + GetCaretBlinkTime();
  CaretRestore();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT pt) {
  Caret& c = S().caret;
  if (!pt) return FALSE;
  *pt = POINT{c.x, c.y};
  return c.owner != nullptr;
}

UINT GetCaretBlinkTime() { return S().blinkTime; }
BOOL SetCaretBlinkTime(UINT ms) {
  S().blinkTime = ms ? ms : 530;
  return TRUE;
}
