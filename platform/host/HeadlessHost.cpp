#include "platform/host/HeadlessHost.h"

#include <cstdio>
#include <cstdlib>

#include "platform/base/MessageBoxDefs.h"

namespace platform {

NativeWindow HeadlessHost::CreateNativeWindow(const NativeWindowDesc& desc) {
  NativeWindow id = next_++;
  NativeState& s = windows_[id];
  s.x = desc.x;
  s.y = desc.y;
  s.width = desc.width;
  s.height = desc.height;
  s.caption = desc.caption;
  s.kind = desc.kind;
  s.owner = desc.owner;
  return id;
}

void HeadlessHost::DestroyNativeWindow(NativeWindow w) {
  windows_.erase(w);
  // Events still queued for the window would reach a stranger.
  for (auto it = events_.begin(); it != events_.end();)
    it = it->window == w ? events_.erase(it) : it + 1;
}

void HeadlessHost::MoveNativeWindow(NativeWindow w, int x, int y, int width, int height) {
  auto it = windows_.find(w);
  if (it == windows_.end()) return;
  it->second.x = x;
  it->second.y = y;
  it->second.width = width;
  it->second.height = height;
}

void HeadlessHost::ShowNativeWindow(NativeWindow w, bool show) {
  auto it = windows_.find(w);
  if (it != windows_.end()) it->second.shown = show;
}

void HeadlessHost::SetNativeCaption(NativeWindow w, const std::string& caption) {
  auto it = windows_.find(w);
  if (it != windows_.end()) it->second.caption = caption;
}

void HeadlessHost::Present(NativeWindow w, cairo_surface_t*, int, int, int, int) {
  // A timing run of a whole program (its start to the first pixels it
  // shows) ends the process here, at once and with success.
  static const bool endAtFirstPresent = std::getenv("KESTROVA_EXIT_AT_FIRST_PRESENT") != nullptr;
  if (endAtFirstPresent) {
    std::fflush(nullptr);
    std::_Exit(0);
  }
  auto it = windows_.find(w);
  if (it != windows_.end()) ++it->second.presents;
}

bool HeadlessHost::WaitEvent(HostEvent& out, int) {
  // Nobody is at the keyboard: waiting would never end, so never wait.
  if (events_.empty()) return false;
  out = events_.front();
  events_.pop_front();
  return true;
}

bool HeadlessHost::IdleUntil(std::optional<DWORD> deadline) {
  if (!events_.empty()) return true;
  if (!deadline) return false;
  LONG wait = static_cast<LONG>(*deadline - now_);
  if (wait > 0) now_ += static_cast<DWORD>(wait);
  return true;
}

namespace {
int unanswered(const ModalQuestion& q) {
  std::fprintf(stderr, "unanswered %s in the headless host: [%s] %s\n", q.kind.c_str(), q.caption.c_str(),
               q.text.c_str());
  return q.kind == "menu" ? 0 : IDCANCEL;
}
}  // namespace

int HeadlessHost::Answer(const ModalQuestion& question) {
  return responder_ ? responder_->Answer(question) : unanswered(question);
}

int HeadlessHost::Observe(const ModalQuestion& question) {
  return responder_ ? responder_->Observe(question) : 0;
}

void HeadlessHost::AnswerModalLoop(const ModalLoop& loop) {
  if (responder_) return responder_->AnswerModalLoop(loop);
  ModalQuestion q;
  q.kind = "dialog";
  int answer = unanswered(q);
  if (loop.running()) loop.end(answer);
}

const HeadlessHost::NativeState* HeadlessHost::State(NativeWindow w) const {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

HeadlessHost* GetHeadlessHost() { return dynamic_cast<HeadlessHost*>(&GetHost()); }

}  // namespace platform
