// The window records and the state of the window layer. Internal to the
// layer (platform/*.cpp and the automation); other code uses the handles.
#pragma once

#include <cairo.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/host/Host.h"
#include "platform/gfx/RegionData.h"
#include "platform/window/Window.h"

class CWnd;

struct WindowClassRec {
  std::string name;
  WNDCLASS wc;  // lpszClassName points at name
  HINSTANCE instance = nullptr;
};

struct WindowImpl {
  std::string className;
  UINT classStyle = 0;
  HBRUSH classBrush = nullptr;
  HCURSOR classCursor = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  HINSTANCE instance = nullptr;
  RECT rect{0, 0, 0, 0};    // window rectangle: parent client coordinates (children), screen (top-level)
  RECT client{0, 0, 0, 0};  // client rectangle relative to the window's top-left corner
  HWND parent = nullptr;    // children
  HWND owner = nullptr;     // top-level windows
  HWND activatedFrom = nullptr;  // unowned menus and lists: the window active when they took the keyboard
  HWND lastFocus = nullptr;  // top-level windows: the window inside that had the focus last
  std::vector<HWND> children;  // z-order, topmost first
  UINT_PTR id = 0;
  HMENU menu = nullptr;
  CWnd* object = nullptr;   // permanent C++ object
  CWnd* temp = nullptr;     // temporary C++ object made by CWnd::FromHandle
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;  // cbWndExtra bytes
  std::map<std::string, HANDLE> props;
  HFONT font = nullptr;     // WM_SETFONT of windows that keep no font themselves
  bool dead = false;        // destroyed; freed when no call uses it
  bool destroying = false;
  bool created = false;     // WM_NCCREATE seen
  int calls = 0;            // window-procedure calls in progress
  bool redraw = true;       // WM_SETREDRAW

  // Painting: update region in client coordinates.
  RegionData update;
  bool erase = false;       // background erase pending
  bool ncPaint = false;     // frame paint pending
  bool internalPaint = false;
  bool inPaint = false;     // between BeginPaint and EndPaint
  int beginPaints = 0;      // BeginPaint calls, to notice handlers that never validate

  // Top-level windows only.
  platform::NativeWindow native = 0;
  cairo_surface_t* surface = nullptr;
  RECT dirty{0, 0, 0, 0};   // surface pixels changed since the last present
  bool maximized = false;
  bool minimized = false;
};

namespace wnd {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT interval;
  DWORD due;
  unsigned long long seq;
  TIMERPROC proc;
};

struct Caret {
  HWND owner = nullptr;
  int width = 0, height = 0;
  int x = 0, y = 0;
  int hideCount = 1;     // shown when 0
  bool drawn = false;    // inverted pixels on the surface now
  bool blinkOn = true;
  DWORD nextBlink = 0;
};

struct InvalidationEntry {
  HWND hwnd;
  bool painted;  // false: invalidated; true: painted (BeginPaint's area)
  RECT rect;     // client coordinates
};

// Told of every area invalidated and every area BeginPaint hands out (the
// test automation keeps its log of them); null: nobody listens.
using PaintObserver = void (*)(HWND hwnd, bool painted, const RECT& rect);
void SetPaintObserver(PaintObserver observer);

struct State {
  std::set<HWND> live;
  std::map<std::string, WindowClassRec> classes;  // key: lower-case name
  std::deque<MSG> queue;
  bool quitPosted = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  unsigned long long timerSeq = 0;
  UINT_PTR nextTimerId = 0x7FFF0000;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  Caret caret;
  UINT blinkTime = 530;
  BYTE keys[256] = {};       // as of the message processed
  BYTE asyncKeys[256] = {};  // as of now
  POINT cursorPos{0, 0};
  HCURSOR cursor = nullptr;
  int cursorShow = 0;
  MSG current{};             // last message retrieved
  int sendDepth = 0;
  std::map<std::string, UINT> registered;
  // Mouse: last button press for double clicks.
  HWND lastDownWnd = nullptr;
  UINT lastDownMsg = 0;
  DWORD lastDownTime = 0;
  POINT lastDownPt{0, 0};
  HWND lastMouseWnd = nullptr;
  bool altAlone = false;     // Alt is down and no other key or button went down since
  CWnd* creating = nullptr;  // C++ object to attach at the first message
};

State& S();

// The live record behind a handle, or null.
WindowImpl* Get(HWND hwnd);
inline bool IsTop(const WindowImpl* w) { return !(w->style & WS_CHILD) || !w->parent; }
HWND Root(HWND hwnd);  // top-level window of a window
// Offset of the window's top-left corner in its top-level window's surface.
POINT SurfaceOffset(HWND hwnd);
// Client rectangle in surface pixels, clipped to every ancestor's client
// area (empty when any of them is hidden).
RECT VisibleClientInSurface(HWND hwnd);
RECT WindowRectInSurface(HWND hwnd);
bool Shown(HWND hwnd);  // visible with all ancestors
// The window's text as GetWindowText answers it (empty for no window).
std::string WindowText(HWND hwnd);

// The colour requests WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC: consecutive
// messages, in the order of the CTLCOLOR_ codes.
inline bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Calls a window procedure, catching the framework's exceptions.
LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void Release(HWND hwnd);  // frees a destroyed record no call uses any more

// Painting internals.
void InvalidateWindow(HWND hwnd, const RegionData& clientArea, bool erase, bool children);
void InvalidateAll(HWND hwnd, bool erase);  // client, frame and children
bool NeedsPaint(HWND hwnd);
HWND FindPaintWindow(HWND filter);  // parents before children
void PaintNow(HWND hwnd);           // synchronous WM_NCPAINT / WM_PAINT, then the children
void NcPaintIfNeeded(HWND hwnd);    // WM_NCPAINT when the frame waits for it
void RecalcClient(HWND hwnd);       // WM_NCCALCSIZE
void EnsureSurface(HWND hwnd);
void DropSurface(HWND hwnd);
void MarkDirty(HWND top, const RECT& surfaceRect);
void PresentAll();
void CaretHide();   // takes the caret's pixels off the surface
void CaretRestore();
void CaretTick(DWORD now);

// The tree and the frame.
std::vector<HWND> TopLevelOrder();   // topmost first
void RaiseTopLevel(HWND hwnd);
// The window a menu, dropped list or tip serves (its nearest owner that is
// none of these, or for an unowned one the window that was active when it
// took the keyboard); null for any other window.
HWND ServedBy(HWND popup);
// The deepest visible window at a point given in the window coordinates of
// `top` (any window): a disabled child takes the point for its parent.
HWND DeepestAt(HWND top, POINT windowPt);
// Where the mouse goes when `child` answers HTTRANSPARENT at a screen point:
// the deepest window under the first lower sibling that contains the point,
// else the parent.
HWND UnderTransparent(HWND child, POINT screen);
// Where a mouse event at a screen point goes inside `top`: the deepest
// window there, passed on to what lies below while it answers HTTRANSPARENT.
// `hit` receives the hit-test code of the window returned.
HWND RouteMouse(HWND top, POINT screen, LRESULT* hit);
RECT FrameOf(DWORD style, DWORD exStyle, bool top, bool menu);
// The size limits of a top-level window (WM_GETMINMAXINFO over the screen's
// defaults), and a size held within its tracking limits.
MINMAXINFO MinMaxInfo(HWND hwnd);
SIZE ClampTrackSize(HWND hwnd, int cx, int cy);
// Caption bar (without its bottom line) and close box in window
// coordinates; empty without WS_CAPTION (and WS_SYSMENU for the box).
RECT CaptionRect(HWND hwnd);
RECT CloseBoxRect(HWND hwnd);
HWND TopLevelOfNative(platform::NativeWindow native);
// The layer's answers to the host (hit tests of frames).
platform::HostClient& HostClientOfLayer();
HWND Activate(HWND hwnd, WORD how);  // WA_ACTIVE or WA_CLICKACTIVE

// Input: turns host events into queued messages.
// Converts one waiting host event (waiting at most timeoutMs); false when none.
bool PumpHostEvent(int timeoutMs);
void UpdateKeyState(const MSG& msg);

}  // namespace wnd
