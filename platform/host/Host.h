// The host seam: what the window layer needs of the machine it runs on.
//
// Everything above this interface (window tree, queue, dispatch, focus,
// capture, timers, caret, invalidation) is written once and behaves the same
// on every host. A host only knows top-level native windows (frames, dialogs
// and pop-ups); child windows are drawn inside their top-level window's
// surface by the layer itself. Input comes back as HostEvents in the
// coordinates of the native window it happened in.
//
// Two hosts: the headless host (platform/host/HeadlessHost.h) for tests and batch
// runs, and a display host on SDL2.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/types.h"

namespace platform {

using NativeWindow = std::uintptr_t;  // 0 is no window

// What a native window is for, decided by the window layer from the window's
// styles and class; a host places, decorates and focuses windows by it.
enum class NativeKind {
  Normal,    // an overlapped (main) window
  Dialog,    // an owned pop-up window that takes the focus: dialogs, message boxes
  Transient  // placed by the layer, never takes the focus: menus, dropped lists, tips
};

struct NativeWindowDesc {
  int x = 0, y = 0, width = 0, height = 0;  // screen pixels, whole window
  std::string caption;                       // Windows-1252
  NativeKind kind = NativeKind::Normal;
  NativeWindow owner = 0;                    // stays above its owner
};

// Input and window-manager events, in the native window's pixel coordinates.
struct HostEvent {
  enum Kind {
    None,
    KeyDown,      // key: virtual-key code; repeat: true when auto-repeated
    KeyUp,
    Char,         // ch: one Windows-1252 character byte
    MouseMove,    // x, y
    ButtonDown,   // button: 0 left, 1 right, 2 middle; x, y
    ButtonUp,
    Wheel,        // delta: multiples of 120, positive away from the user; x, y
    CloseRequest, // the user asked to close the window
    Moved,        // x, y: new screen position of the window
    Resized,      // width, height: new whole-window size
    FocusIn,      // the native window received the keyboard focus
    FocusOut,
    Expose,       // the window's pixels must be presented again
    Quit          // the session ends
  };
  Kind kind = None;
  NativeWindow window = 0;
  int x = 0, y = 0;
  int width = 0, height = 0;
  int button = 0;
  int delta = 0;
  UINT key = 0;
  bool repeat = false;
  bool extended = false;
  unsigned char ch = 0;
};

// Cursor shapes the layer asks the host for (the stock IDC_ cursors).
enum class CursorShape { Arrow, IBeam, Wait, Cross, UpArrow, SizeNWSE, SizeNESW, SizeWE, SizeNS, SizeAll, No, Hand, AppStarting };

// A box, menu or dialog waiting for an answer that no user can give (see
// Host::Answer).
struct ModalQuestion {
  std::string kind;     // "messagebox", "dialog" or "menu" (answered by a command id; 0 dismisses it)
  std::string caption;  // Windows-1252 text as the system holds it
  std::string text;     // box text; for dialogs the template's name or id
  UINT type = 0;        // MB_* flags of a message box
};

// A modal loop that has run out of messages with no user to act (see
// Host::AnswerModalLoop): its window, whether it still runs, and how to end it.
struct ModalLoop {
  HWND window = nullptr;
  std::function<bool()> running;
  std::function<void(int)> end;
};

// What a host may ask of the window layer while it runs: the part of a
// top-level window at a screen point, so that a window manager moves and
// sizes undecorated windows by the layer's own frame.
enum class HitArea { Normal, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

class HostClient {
 public:
  virtual ~HostClient() = default;
  virtual HitArea HitTest(NativeWindow window, int screenX, int screenY) = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // Screen size in pixels and logical dots per inch.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int Dpi() const = 0;

  // Top-level native windows. Created hidden.
  virtual NativeWindow CreateNativeWindow(const NativeWindowDesc& desc) = 0;
  virtual void DestroyNativeWindow(NativeWindow w) = 0;
  virtual void MoveNativeWindow(NativeWindow w, int x, int y, int width, int height) = 0;
  virtual void ShowNativeWindow(NativeWindow w, bool show) = 0;
  virtual void SetNativeCaption(NativeWindow w, const std::string& caption) = 0;
  // Shows the pixels of the window's surface; (x, y, width, height) is the
  // part that changed, in surface pixels.
  virtual void Present(NativeWindow w, cairo_surface_t* surface, int x, int y, int width, int height) = 0;

  // Next event, waiting at most timeoutMs milliseconds (0 polls). False when
  // none arrived in time.
  virtual bool WaitEvent(HostEvent& out, int timeoutMs) = 0;
  // False when no input can ever arrive unless the program itself injects it
  // (the headless host): a modal loop with nothing to do then asks the host
  // (Answer, AnswerModalLoop) instead of waiting.
  virtual bool Interactive() const = 0;
  // Milliseconds of a monotonic clock.
  virtual DWORD Now() const = 0;
  // Nothing is left to do until the deadline (host clock; none: until input
  // arrives). True when input may be waiting or the deadline has come; false
  // when nothing can ever arrive. A host without a user moves its clock on.
  virtual bool IdleUntil(std::optional<DWORD> deadline) = 0;

  // For hosts without a user (Interactive() false): the answer to a box or
  // menu; a modeless window that only shows something (Observe; 0 when
  // nothing takes notice); a modal loop with nothing to do, which the host
  // ends through the loop's end function.
  virtual int Answer(const ModalQuestion& question) = 0;
  virtual int Observe(const ModalQuestion& question) = 0;
  virtual void AnswerModalLoop(const ModalLoop& loop) = 0;

  // MessageBeep (type 0xFFFFFFFF: the plain speaker beep).
  virtual void Beep(UINT type) = 0;
  // A window of the program holds the mouse capture: the pointer's events
  // keep arriving while it is outside every window of the program.
  virtual void CaptureMouse(bool on) = 0;

  virtual void SetCursor(CursorShape shape) = 0;
  virtual std::string GetClipboardText() = 0;  // Windows-1252
  virtual void SetClipboardText(const std::string& text) = 0;
  // The program ends its session (WM_QUIT left the main loop).
  virtual void Quit() = 0;

  // The window layer answering the host's questions (null until the first
  // native window).
  void SetClient(HostClient* client) { client_ = client; }
  HostClient* Client() const { return client_; }

 private:
  HostClient* client_ = nullptr;
};

// The host in use. Created on first use as the headless host unless one was
// installed before; SetHost replaces it (only before any window exists).
Host& GetHost();
void SetHost(std::unique_ptr<Host> host);

}  // namespace platform
