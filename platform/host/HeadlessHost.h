// The headless host: a fixed virtual screen of 1024 x 768 pixels at 96 dpi,
// no real input and a virtual clock. Tests inject events (normally through
// platform/testing/Automation.h) and advance the clock; the host records what the
// layer asked of it so that tests can inspect it.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/host/Host.h"

namespace platform {

// Who answers for the absent user: the test automation installs one.
class Responder {
 public:
  virtual ~Responder() = default;
  virtual int Answer(const ModalQuestion& question) = 0;
  virtual int Observe(const ModalQuestion& question) = 0;
  virtual void AnswerModalLoop(const ModalLoop& loop) = 0;
};

class HeadlessHost : public Host {
 public:
  struct NativeState {
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption;
    NativeKind kind = NativeKind::Normal;
    bool shown = false;
    NativeWindow owner = 0;
    int presents = 0;  // how often pixels were presented
  };

  int ScreenWidth() const override { return 1024; }
  int ScreenHeight() const override { return 768; }
  int Dpi() const override { return 96; }

  NativeWindow CreateNativeWindow(const NativeWindowDesc& desc) override;
  void DestroyNativeWindow(NativeWindow w) override;
  void MoveNativeWindow(NativeWindow w, int x, int y, int width, int height) override;
  void ShowNativeWindow(NativeWindow w, bool show) override;
  void SetNativeCaption(NativeWindow w, const std::string& caption) override;
  void Present(NativeWindow w, cairo_surface_t* surface, int x, int y, int width, int height) override;

  bool WaitEvent(HostEvent& out, int timeoutMs) override;
  bool Interactive() const override { return false; }
  DWORD Now() const override { return now_; }
  bool IdleUntil(std::optional<DWORD> deadline) override;

  // Without a responder a box is cancelled, a menu dismissed and a modal
  // loop ended with IDCANCEL, each with a line on stderr.
  int Answer(const ModalQuestion& question) override;
  int Observe(const ModalQuestion& question) override;
  void AnswerModalLoop(const ModalLoop& loop) override;

  void Beep(UINT type) override { beeps_.push_back(type); }
  void CaptureMouse(bool on) override { captured_ = on; }

  void SetCursor(CursorShape shape) override { cursor_ = shape; }
  std::string GetClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  void Quit() override { quit_ = true; }

  // Test side.
  void SetResponder(Responder* responder) { responder_ = responder; }
  Responder* GetResponder() const { return responder_; }
  const std::vector<UINT>& Beeps() const { return beeps_; }
  void ClearBeeps() { beeps_.clear(); }
  bool MouseCaptured() const { return captured_; }
  void Inject(const HostEvent& e) { events_.push_back(e); }
  bool HasEvents() const { return !events_.empty(); }
  void Advance(DWORD ms) { now_ += ms; }
  CursorShape Cursor() const { return cursor_; }
  bool QuitRequested() const { return quit_; }
  const NativeState* State(NativeWindow w) const;
  const std::map<NativeWindow, NativeState>& Windows() const { return windows_; }

 private:
  std::map<NativeWindow, NativeState> windows_;
  NativeWindow next_ = 1;
  std::deque<HostEvent> events_;
  DWORD now_ = 1000;  // not 0, so that "no time yet" is distinguishable
  CursorShape cursor_ = CursorShape::Arrow;
  std::string clipboard_;
  bool quit_ = false;
  Responder* responder_ = nullptr;
  std::vector<UINT> beeps_;
  bool captured_ = false;
};

// The headless host in use, or null when another host is installed.
HeadlessHost* GetHeadlessHost();

}  // namespace platform
