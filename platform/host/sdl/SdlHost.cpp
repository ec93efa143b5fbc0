#include "platform/host/sdl/SdlHost.h"

#include <SDL.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/base/Codepage.h"
#include "platform/host/Keys.h"

namespace platform {
namespace {

struct KeyMap {
  SDL_Scancode sc;
  UINT vk;
  bool extended;
};

const KeyMap kKeys[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN, false},    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, false},   {SDL_SCANCODE_TAB, VK_TAB, false},
    {SDL_SCANCODE_SPACE, VK_SPACE, false},      {SDL_SCANCODE_MINUS, VK_OEM_MINUS, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, false},  {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, false}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5, false},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, false},  {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, false},      {SDL_SCANCODE_COMMA, VK_OEM_COMMA, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, false}, {SDL_SCANCODE_SLASH, VK_OEM_2, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, false}, {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, false}, {SDL_SCANCODE_PAUSE, VK_PAUSE, false},
    {SDL_SCANCODE_INSERT, VK_INSERT, true},     {SDL_SCANCODE_HOME, VK_HOME, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, true},      {SDL_SCANCODE_DELETE, VK_DELETE, true},
    {SDL_SCANCODE_END, VK_END, true},           {SDL_SCANCODE_PAGEDOWN, VK_NEXT, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, true},       {SDL_SCANCODE_LEFT, VK_LEFT, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, true},         {SDL_SCANCODE_UP, VK_UP, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, true}, {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, true},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, false}, {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, false},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, false},      {SDL_SCANCODE_KP_ENTER, VK_RETURN, true},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, false}, {SDL_SCANCODE_APPLICATION, VK_APPS, true},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, false},    {SDL_SCANCODE_RCTRL, VK_CONTROL, true},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, false},     {SDL_SCANCODE_RSHIFT, VK_SHIFT, false},
    {SDL_SCANCODE_LALT, VK_MENU, false},        {SDL_SCANCODE_RALT, VK_MENU, true},
    {SDL_SCANCODE_LGUI, VK_LWIN, true},         {SDL_SCANCODE_RGUI, VK_RWIN, true},
};

UINT virtualKey(SDL_Scancode sc, bool* extended) {
  *extended = false;
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK_F1 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return VK_NUMPAD1 + (sc - SDL_SCANCODE_KP_1);
  if (sc == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
  for (const KeyMap& k : kKeys)
    if (k.sc == sc) {
      *extended = k.extended;
      return k.vk;
    }
  return 0;
}

SDL_SystemCursor systemCursor(CursorShape s) {
  switch (s) {
    case CursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case CursorShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::UpArrow: return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case CursorShape::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case CursorShape::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorShape::No: return SDL_SYSTEM_CURSOR_NO;
    case CursorShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case CursorShape::AppStarting: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

// The window manager moves and sizes our undecorated windows by the layer's
// own hit test of the frame.
SDL_HitTestResult SDLCALL hitTest(SDL_Window* win, const SDL_Point* pt, void* data) {
  auto* host = static_cast<SdlHost*>(data);
  HostClient* client = host->Client();
  if (!client) return SDL_HITTEST_NORMAL;
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(win, &wx, &wy);
  switch (client->HitTest(host->NativeOf(SDL_GetWindowID(win)), wx + pt->x, wy + pt->y)) {
    case HitArea::Caption: return SDL_HITTEST_DRAGGABLE;
    case HitArea::Left: return SDL_HITTEST_RESIZE_LEFT;
    case HitArea::Right: return SDL_HITTEST_RESIZE_RIGHT;
    case HitArea::Top: return SDL_HITTEST_RESIZE_TOP;
    case HitArea::Bottom: return SDL_HITTEST_RESIZE_BOTTOM;
    case HitArea::TopLeft: return SDL_HITTEST_RESIZE_TOPLEFT;
    case HitArea::TopRight: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case HitArea::BottomLeft: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case HitArea::BottomRight: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    default: return SDL_HITTEST_NORMAL;
  }
}

// X reports a failed request as an error event, and Xlib's default answer
// ends the program. SDL wakes its event wait by sending a message to the
// window made last, over a second connection: when that window (a tip, a
// menu) was just destroyed on the main connection, the message fails with
// BadWindow, harmlessly, and the program would end in the middle of the
// user's work. Those failures are dropped; every other error goes on to the
// handler installed before (Xlib's, which ends the program). Xlib is
// reached through the copy SDL loads.
struct XErrorView {  // the head of Xlib's XErrorEvent
  int type;
  void* display;
  unsigned long resource;
  unsigned long serial;
  unsigned char errorCode;
  unsigned char requestCode;
  unsigned char minorCode;
};
using XErrorHandlerFn = int (*)(void* display, XErrorView* error);
XErrorHandlerFn previousXErrorHandler = nullptr;

int DropSendToGoneWindow(void* display, XErrorView* error) {
  constexpr unsigned char kBadWindow = 3, kSendEvent = 25;
  if (error && error->errorCode == kBadWindow && error->requestCode == kSendEvent) return 0;
  return previousXErrorHandler ? previousXErrorHandler(display, error) : 0;
}

// Installed before SDL starts its video: SDL puts its own handler in front
// (which passes errors on to ours) and, when it stops, puts ours back
// before it closes its connections, where a failed wake-up may still wait
// to be reported.
void InstallXErrorFilter() {
  static void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);  // the copy SDL will use; kept loaded
  if (!x11) return;
  using SetHandler = XErrorHandlerFn (*)(XErrorHandlerFn);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(x11, "XSetErrorHandler"))) {
    XErrorHandlerFn before = set(DropSendToGoneWindow);
    if (before != DropSendToGoneWindow) previousXErrorHandler = before;
  }
}

// The per-user session bus socket of a desktop session.
bool SessionBusAtUsualPlace() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  struct stat st {};
  return ::stat((std::string(runtime) + "/bus").c_str(), &st) == 0;
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Open() {
  if (std::getenv("DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Our windows are undecorated and drawn by us; the compositor must not
  // be turned off for them.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // We draw with cairo into the window surface: an accelerated framebuffer
  // would load the OpenGL stack at start and make every window twice.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click that brings a window the keyboard acts on it too, as the layer
  // expects. Without a window manager every window SDL shows takes the
  // keyboard (a menu's pop-up, a new dialog), and SDL would drop a click
  // read within a few milliseconds of that focus news: on a busy program
  // the click on a submenu's item or a just-shown dialog's button.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (std::getenv("DISPLAY") && !SDL_WasInit(SDL_INIT_VIDEO)) InstallXErrorFilter();
  // SDL asks the session bus for an input method as its video starts. With
  // no bus named and none at the usual place, the bus library would start a
  // helper program to look for one and wait for it on every start; there is
  // nothing to find, so SDL is pointed at no bus at all, for its start only
  // (programs the user starts from ours see the environment unchanged).
  bool noBus = !std::getenv("DBUS_SESSION_BUS_ADDRESS") && !SessionBusAtUsualPlace();
  if (noBus) setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null/no-session-bus", 1);
  const int started = SDL_InitSubSystem(SDL_INIT_VIDEO);
  if (noBus) unsetenv("DBUS_SESSION_BUS_ADDRESS");
  if (started != 0) return nullptr;
  std::unique_ptr<SdlHost> host(new SdlHost);
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    host->screenW_ = mode.w;
    host->screenH_ = mode.h;
  }
  SDL_StartTextInput();
  return host;
}

SdlHost::~SdlHost() {
  for (auto& [id, w] : windows_) SDL_DestroyWindow(w);
  for (auto& [shape, c] : cursors_) SDL_FreeCursor(c);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SDL_Window* SdlHost::Window(NativeWindow w) const {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : it->second;
}

NativeWindow SdlHost::NativeOf(unsigned sdlWindowId) const {
  return sdlWindowId == 0 ? 0 : static_cast<NativeWindow>(sdlWindowId);
}

NativeWindow SdlHost::CreateNativeWindow(const NativeWindowDesc& desc) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  // Menus, dropped lists and tips are placed by the layer and never focused.
  bool transient = desc.kind == NativeKind::Transient;
  if (transient) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
  std::string title = Cp1252ToUtf8(desc.caption);
  SDL_Window* win = SDL_CreateWindow(title.c_str(), desc.x, desc.y, std::max(1, desc.width),
                                     std::max(1, desc.height), flags);
  if (!win) return 0;
  // SDL's window id is ours too: events name windows by it.
  NativeWindow id = SDL_GetWindowID(win);
  windows_[id] = win;
  if (transient) popups_.insert(id);
  if (desc.owner) owners_[id] = desc.owner;
  if (!transient) SDL_SetWindowHitTest(win, hitTest, this);
  if (desc.owner && !transient)
    if (SDL_Window* owner = Window(desc.owner)) SDL_SetWindowModalFor(win, owner);
  return id;
}

void SdlHost::focusOwnerOf(NativeWindow w) {
  auto o = owners_.find(w);
  NativeWindow target = o != owners_.end() ? o->second : 0;
  if (auto r = returnFocus_.find(w); r != returnFocus_.end()) {
    if (target == 0) target = r->second;
    returnFocus_.erase(r);
  }
  SDL_Window* owner = target != 0 ? Window(target) : nullptr;
  if (owner && (SDL_GetWindowFlags(owner) & SDL_WINDOW_SHOWN)) SDL_SetWindowInputFocus(owner);
}

void SdlHost::DestroyNativeWindow(NativeWindow w) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return;
  bool shown = (SDL_GetWindowFlags(it->second) & SDL_WINDOW_SHOWN) != 0;
  SDL_DestroyWindow(it->second);
  windows_.erase(it);
  popups_.erase(w);
  placed_.erase(w);
  if (shown) focusOwnerOf(w);
  owners_.erase(w);
  returnFocus_.erase(w);
}

void SdlHost::MoveNativeWindow(NativeWindow w, int x, int y, int width, int height) {
  SDL_Window* win = Window(w);
  if (!win) return;
  Placed& p = placed_[w];
  std::erase(p.places, std::pair{x, y});
  // A handful of places is plenty: X reports them within moments.
  if (p.places.size() >= 8) p.places.erase(p.places.begin());
  p.places.emplace_back(x, y);
  p.at = SDL_GetTicks();
  SDL_SetWindowPosition(win, x, y);
  int cw = 0, ch = 0;
  SDL_GetWindowSize(win, &cw, &ch);
  if (cw != width || ch != height) SDL_SetWindowSize(win, std::max(1, width), std::max(1, height));
}

void SdlHost::ShowNativeWindow(NativeWindow w, bool show) {
  SDL_Window* win = Window(w);
  if (!win) return;
  if (show) {
    if (popups_.count(w))
      if (SDL_Window* focused = SDL_GetKeyboardFocus(); focused != nullptr && focused != win)
        returnFocus_[w] = SDL_GetWindowID(focused);
    SDL_ShowWindow(win);
  } else if (SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN) {
    SDL_HideWindow(win);
    focusOwnerOf(w);
  }
}

void SdlHost::SetNativeCaption(NativeWindow w, const std::string& caption) {
  if (SDL_Window* win = Window(w)) SDL_SetWindowTitle(win, Cp1252ToUtf8(caption).c_str());
}

void SdlHost::Present(NativeWindow w, cairo_surface_t* surface, int x, int y, int width, int height) {
  SDL_Window* win = Window(w);
  if (!win || !surface) return;
  SDL_Surface* target = SDL_GetWindowSurface(win);
  if (!target) return;
  cairo_surface_flush(surface);
  const unsigned char* src = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  int sw = cairo_image_surface_get_width(surface), sh = cairo_image_surface_get_height(surface);
  // The changed part, within both the surface and the window.
  int x0 = std::max(0, x), y0 = std::max(0, y);
  int x1 = std::min({x + width, sw, target->w}), y1 = std::min({y + height, sh, target->h});
  if (!src || x1 <= x0 || y1 <= y0) return;
  if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
  // cairo's RGB24 is 32-bit xRGB in native order, SDL's RGB888.
  SDL_ConvertPixels(x1 - x0, y1 - y0, SDL_PIXELFORMAT_RGB888, src + y0 * stride + x0 * 4, stride,
                    target->format->format,
                    static_cast<unsigned char*>(target->pixels) + y0 * target->pitch +
                        x0 * target->format->BytesPerPixel,
                    target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  SDL_Rect r{x0, y0, x1 - x0, y1 - y0};
  SDL_UpdateWindowSurfaceRects(win, &r, 1);
  // A timing run of the program's start ends once the first pixels are on
  // the X server (the update waits for it), at once and with success.
  static const bool endAtFirstPresent = std::getenv("KESTROVA_EXIT_AT_FIRST_PRESENT") != nullptr;
  if (endAtFirstPresent && (SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN)) {
    std::fflush(nullptr);
    std::_Exit(0);
  }
}

DWORD SdlHost::Now() const { return static_cast<DWORD>(SDL_GetTicks()); }

bool SdlHost::IdleUntil(std::optional<DWORD> deadline) {
  if (!deadline) return SDL_WaitEvent(nullptr) == 1;
  LONG wait = static_cast<LONG>(*deadline - Now());
  if (wait > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
  return true;
}

// SDL2 has no system beep; the refused key or click shows itself.
void SdlHost::Beep(UINT) {}

void SdlHost::syncCapture() {
  // The layer's capture holds the pointer even outside our windows.
  bool want = wantCapture_;
  if (want != captured_) {
    SDL_CaptureMouse(want ? SDL_TRUE : SDL_FALSE);
    captured_ = want;
  }
}

bool SdlHost::WaitEvent(HostEvent& out, int timeoutMs) {
  syncCapture();
  SDL_Event e;
  for (;;) {
    int got = timeoutMs > 0 ? SDL_WaitEventTimeout(&e, timeoutMs) : SDL_PollEvent(&e);
    if (!got) return false;
    if (translate(e, out)) {
      static const bool trace = std::getenv("KESTROVA_SDL_TRACE") != nullptr;
      if (trace)
        std::fprintf(stderr, "host event %d window %lu at %d,%d size %d,%d key %u char %u%s\n", out.kind,
                     static_cast<unsigned long>(out.window), out.x, out.y, out.width, out.height, out.key,
                     static_cast<unsigned>(out.ch), out.repeat ? " repeat" : "");
      return true;
    }
    timeoutMs = 0;  // an event we skip does not restart the wait
  }
}

// The character a key typed is the text input event queued right behind its
// key press; it travels with the key so that the layer's translation gives
// exactly one character for one press. Only the very next event is looked
// at: text further down the queue belongs to a later key (the letter after
// a Shift or a Tab), and taking it early would put it before that key.
// With Ctrl or Alt held the layer makes the control or menu character from
// the key itself, so the text that comes with such a press is dropped.
void SdlHost::takeTypedText(unsigned mods, HostEvent& out) {
  SDL_Event next;
  if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1 || next.type != SDL_TEXTINPUT)
    return;
  std::string text = Utf8ToCp1252(next.text.text);
  // The right Alt of many keyboards is AltGr, which types characters.
  bool chord = (mods & (KMOD_CTRL | KMOD_LALT)) != 0 && !(mods & (KMOD_MODE | KMOD_RALT));
  if (!chord && text.size() != 1) return;  // composed text: its own events
  SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
  if (!chord) out.ch = static_cast<unsigned char>(text[0]);
}

// SDL forgets the keys held when the keyboard focus leaves a window (each
// one released right before the window hears it lost the focus) and, when
// the focus arrives at another window, presses again those the X server
// says are down. Without a window manager every window SDL shows takes the
// focus, a menu's pop-up too: holding Alt, H opens the Help menu, the
// pop-up takes the focus, and the layer would see Alt released and pressed
// alone, which leaves menu mode and then selects the menu bar. While the
// focus only moves between our own windows no key was let go, so the pair
// is dropped; when it leaves the program, or the key was let go meanwhile,
// the release is real for us.
bool SdlHost::releasedByFocusMove(const SDL_Event& e) {
  SDL_Event ahead[16];
  int n = SDL_PeepEvents(ahead, 16, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  int i = 0;
  while (i < n && ahead[i].type == SDL_KEYUP) ++i;
  if (i == n || ahead[i].type != SDL_WINDOWEVENT || ahead[i].window.event != SDL_WINDOWEVENT_FOCUS_LOST ||
      ahead[i].window.windowID != e.key.windowID)
    return false;
  // Where the focus went and whether the key is still down are known once
  // SDL has read the X server's news.
  SDL_PumpEvents();
  SDL_Window* now = SDL_GetKeyboardFocus();
  if (!now || SDL_GetWindowID(now) == e.key.windowID) return false;
  return SDL_GetKeyboardState(nullptr)[e.key.keysym.scancode] != 0;
}

bool SdlHost::translate(const SDL_Event& e, HostEvent& out) {
  out = HostEvent{};
  switch (e.type) {
    case SDL_QUIT:
      out.kind = HostEvent::Quit;
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      bool extended = false;
      UINT vk = virtualKey(e.key.keysym.scancode, &extended);
      if (!vk) return false;
      int scancode = e.key.keysym.scancode;
      if (e.type == SDL_KEYUP && releasedByFocusMove(e)) {
        heldAcrossFocus_.insert(scancode);
        return false;
      }
      if (heldAcrossFocus_.erase(scancode) && e.type == SDL_KEYDOWN) return false;  // still held, as the layer knows
      out.kind = e.type == SDL_KEYDOWN ? HostEvent::KeyDown : HostEvent::KeyUp;
      out.window = e.key.windowID;
      out.key = vk;
      out.repeat = e.key.repeat != 0;
      out.extended = extended;
      if (e.type == SDL_KEYDOWN) takeTypedText(e.key.keysym.mod, out);
      return true;
    }
    case SDL_TEXTINPUT: {
      // Text not tied to a key press (composed characters): the first
      // character now, the rest as further events.
      std::string text = Utf8ToCp1252(e.text.text);
      if (text.empty()) return false;
      out.kind = HostEvent::Char;
      out.window = e.text.windowID;
      out.ch = static_cast<unsigned char>(text[0]);
      for (size_t i = 1; i < text.size(); ++i) {
        SDL_Event more{};
        more.type = SDL_TEXTINPUT;
        more.text.windowID = e.text.windowID;
        more.text.text[0] = 0;
        std::string one = Cp1252ToUtf8(text.substr(i, 1));
        std::strncpy(more.text.text, one.c_str(), sizeof more.text.text - 1);
        SDL_PeepEvents(&more, 1, SDL_ADDEVENT, 0, 0);
      }
      return true;
    }
    case SDL_MOUSEMOTION:
      out.kind = HostEvent::MouseMove;
      out.window = e.motion.windowID;
      out.x = e.motion.x;
      out.y = e.motion.y;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int b = e.button.button == SDL_BUTTON_LEFT ? 0 : e.button.button == SDL_BUTTON_RIGHT ? 1
              : e.button.button == SDL_BUTTON_MIDDLE ? 2 : -1;
      if (b < 0) return false;
      // A click gives the keyboard focus to the window clicked (pop-ups
      // never take it), as a window manager would.
      if (e.type == SDL_MOUSEBUTTONDOWN && !popups_.count(e.button.windowID))
        if (SDL_Window* win = Window(e.button.windowID); win && !(SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS))
          SDL_SetWindowInputFocus(win);
      out.kind = e.type == SDL_MOUSEBUTTONDOWN ? HostEvent::ButtonDown : HostEvent::ButtonUp;
      out.window = e.button.windowID;
      out.button = b;
      out.x = e.button.x;
      out.y = e.button.y;
      return true;
    }
    case SDL_MOUSEWHEEL: {
      out.kind = HostEvent::Wheel;
      out.window = e.wheel.windowID;
      int y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      out.delta = y * WHEEL_DELTA;
      SDL_GetMouseState(&out.x, &out.y);
      return y != 0;
    }
    case SDL_WINDOWEVENT:
      out.window = e.window.windowID;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: out.kind = HostEvent::CloseRequest; return true;
        case SDL_WINDOWEVENT_MOVED:
          if (!currentPlace(out.window, e.window.data1, e.window.data2)) return false;
          out.kind = HostEvent::Moved;
          out.x = e.window.data1;
          out.y = e.window.data2;
          return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          out.kind = HostEvent::Resized;
          out.width = e.window.data1;
          out.height = e.window.data2;
          return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          // A pop-up never takes the activation from the window it serves.
          if (popups_.count(out.window)) return false;
          out.kind = HostEvent::FocusIn;
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: {
          if (popups_.count(out.window)) return false;
          SDL_PumpEvents();
          SDL_Window* now = SDL_GetKeyboardFocus();
          if (now && popups_.count(SDL_GetWindowID(now))) return false;  // it went to one of our pop-ups
          out.kind = HostEvent::FocusOut;
          return true;
        }
        case SDL_WINDOWEVENT_EXPOSED: out.kind = HostEvent::Expose; return true;
        default: return false;
      }
    default: return false;
  }
}

bool SdlHost::currentPlace(NativeWindow w, int x, int y) {
  auto it = placed_.find(w);
  if (it == placed_.end()) return true;
  std::vector<std::pair<int, int>>& places = it->second.places;
  const auto here = std::find(places.begin(), places.end(), std::pair{x, y});
  if (here == places.end()) {
    // A place nobody here asked for: the window manager's, the user dragging.
    places.clear();
    return true;
  }
  // Reports of the places replaced come within moments of the last move
  // (even after the report of the last place: SDL drops reports of the
  // place it thinks the window is at); later, the user may well drag the
  // window back to one of them.
  return here + 1 == places.end() || SDL_GetTicks() - it->second.at >= 2000;
}

void SdlHost::SetCursor(CursorShape shape) {
  SDL_Cursor*& c = cursors_[shape];
  if (!c) c = SDL_CreateSystemCursor(systemCursor(shape));
  if (c) SDL_SetCursor(c);
}

std::string SdlHost::GetClipboardText() {
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string out = Utf8ToCp1252(text);
  SDL_free(text);
  // Line ends as the programs expect them in text.
  std::string crlf;
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\n' && (i == 0 || out[i - 1] != '\r')) crlf += '\r';
    crlf += out[i];
  }
  return crlf;
}

void SdlHost::SetClipboardText(const std::string& text) { SDL_SetClipboardText(Cp1252ToUtf8(text).c_str()); }

bool HeadlessRequested(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i] && std::strcmp(argv[i], "--headless") == 0) return true;
  const char* env = std::getenv("KESTROVA_HEADLESS");
  return env && *env && std::strcmp(env, "0") != 0;
}

bool SelectHost(int argc, char** argv) {
  if (HeadlessRequested(argc, argv)) return false;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
  std::unique_ptr<SdlHost> host = SdlHost::Open();
  if (!host) return false;
  SetHost(std::move(host));
  return true;
}

}  // namespace platform
