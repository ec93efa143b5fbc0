// The display host on SDL2 (X11): every top-level window of the layer, pop-ups
// included, is a real window on the screen showing the window's cairo
// surface. Windows are undecorated: the layer draws their classic frame and
// caption itself, and the window manager moves and sizes them through the
// layer's own hit test. Keys arrive as virtual keys with the typed character
// (Windows-1252), the mouse with the system's double-click rules applied by
// the layer, timers run on the real clock and the loop sleeps in
// SDL_WaitEventTimeout until the next deadline or event. KESTROVA_SDL_TRACE=1
// prints the events as they arrive.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/Host.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace platform {

class SdlHost : public Host {
 public:
  // Null when SDL cannot open the display.
  static std::unique_ptr<SdlHost> Open();
  ~SdlHost() override;

  int ScreenWidth() const override { return screenW_; }
  int ScreenHeight() const override { return screenH_; }
  int Dpi() const override { return 96; }

  NativeWindow CreateNativeWindow(const NativeWindowDesc& desc) override;
  void DestroyNativeWindow(NativeWindow w) override;
  void MoveNativeWindow(NativeWindow w, int x, int y, int width, int height) override;
  void ShowNativeWindow(NativeWindow w, bool show) override;
  void SetNativeCaption(NativeWindow w, const std::string& caption) override;
  void Present(NativeWindow w, cairo_surface_t* surface, int x, int y, int width, int height) override;

  bool WaitEvent(HostEvent& out, int timeoutMs) override;
  bool Interactive() const override { return true; }
  DWORD Now() const override;
  bool IdleUntil(std::optional<DWORD> deadline) override;
  // A user answers for himself: nothing asks these.
  int Answer(const ModalQuestion&) override { return 0; }
  int Observe(const ModalQuestion&) override { return 0; }
  void AnswerModalLoop(const ModalLoop&) override {}
  void Beep(UINT) override;
  void CaptureMouse(bool on) override { wantCapture_ = on; }

  void SetCursor(CursorShape shape) override;
  std::string GetClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void Quit() override {}  // the SDL windows go with the host

  // The SDL window of a native window (tests inject events with its id).
  SDL_Window* Window(NativeWindow w) const;
  NativeWindow NativeOf(unsigned sdlWindowId) const;

 private:
  SdlHost() = default;
  bool translate(const SDL_Event& e, HostEvent& out);
  void takeTypedText(unsigned mods, HostEvent& out);
  bool releasedByFocusMove(const SDL_Event& e);
  void syncCapture();
  // A window that closes or hides gives the keyboard focus back to its
  // owner: without a window manager nobody else would, and X would leave
  // the focus nowhere.
  // Gives the keyboard to the owner of `w`, or back to the window that had
  // it before the pop-up `w` was shown.
  void focusOwnerOf(NativeWindow w);

  int screenW_ = 1024, screenH_ = 768;
  std::map<NativeWindow, SDL_Window*> windows_;
  std::set<NativeWindow> popups_;  // menus, dropped lists, tips
  std::map<NativeWindow, NativeWindow> owners_;
  // The window that had the keyboard when a pop-up was shown: X hands the
  // keyboard to a shown pop-up and to no one when it goes.
  std::map<NativeWindow, NativeWindow> returnFocus_;
  std::map<CursorShape, SDL_Cursor*> cursors_;
  // Keys held while the keyboard focus moved between two of our windows:
  // SDL releases them as the focus leaves and presses them again as it
  // arrives, but the user never let go.
  std::set<int> heldAcrossFocus_;
  // The places the layer gave a window, newest last: X reports each of
  // them, late on a loaded machine, and a report of a place that has been
  // replaced since would send the window back there.
  struct Placed {
    std::vector<std::pair<int, int>> places;
    DWORD at = 0;  // when the last was given (SDL ticks)
  };
  std::map<NativeWindow, Placed> placed_;
  // False for a report of a place the layer has replaced since.
  bool currentPlace(NativeWindow w, int x, int y);
  bool captured_ = false;
  bool wantCapture_ = false;
};

// True when the command line (--headless) or the environment
// (KESTROVA_HEADLESS=1) asks for the headless host.
bool HeadlessRequested(int argc, char** argv);
// Chooses the host at program start: the SDL2 host when a display is there
// and headless was not asked for; else the headless host stays. True when
// the display host was installed.
bool SelectHost(int argc, char** argv);

}  // namespace platform
