// Test automation of windows: input through the headless host, pumping,
// the virtual clock, finding windows, pixels and the logs; modal loops.
#include <cctype>
#include <cstring>

#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/host/HeadlessHost.h"
#include "platform/window/WindowImpl.h"

namespace automation {
namespace {

struct DialogRule {
  std::string caption;
  std::function<void(HWND)> callback;
  int endCode;
};

std::vector<DialogRule>& dialogRules() {
  static std::vector<DialogRule> r;
  return r;
}

platform::HeadlessHost* host() { return platform::GetHeadlessHost(); }

void inject(const platform::HostEvent& e) {
  if (platform::HeadlessHost* h = host()) h->Inject(e);
}

void keyEvent(platform::HostEvent::Kind kind, UINT vk, unsigned char ch = 0) {
  platform::HostEvent e;
  e.kind = kind;
  e.key = vk;
  e.ch = ch;
  inject(e);
}

// The key and shift state that type a character on a US layout.
bool keyFor(unsigned char c, UINT* vk, bool* shift) {
  *shift = false;
  if (c >= 'a' && c <= 'z') return *vk = c - 'a' + 'A', true;
  if (c >= 'A' && c <= 'Z') return *vk = c, *shift = true, true;
  if (c >= '0' && c <= '9') return *vk = c, true;
  static const char shifted[] = ")!@#$%^&*(";
  for (int i = 0; i < 10; ++i)
    if (c == static_cast<unsigned char>(shifted[i])) return *vk = '0' + i, *shift = true, true;
  struct K {
    char plain, shifted;
    UINT vk;
  };
  static const K oem[] = {{';', ':', VK_OEM_1}, {'=', '+', VK_OEM_PLUS},  {',', '<', VK_OEM_COMMA},
                          {'-', '_', VK_OEM_MINUS}, {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},
                          {'`', '~', VK_OEM_3}, {'[', '{', VK_OEM_4},     {'\\', '|', VK_OEM_5},
                          {']', '}', VK_OEM_6}, {'\'', '"', VK_OEM_7}};
  for (const K& k : oem) {
    if (c == static_cast<unsigned char>(k.plain)) return *vk = k.vk, true;
    if (c == static_cast<unsigned char>(k.shifted)) return *vk = k.vk, *shift = true, true;
  }
  switch (c) {
    case ' ': return *vk = VK_SPACE, true;
    case '\r':
    case '\n': return *vk = VK_RETURN, true;
    case '\t': return *vk = VK_TAB, true;
    case 8: return *vk = VK_BACK, true;
    case 0x1B: return *vk = VK_ESCAPE, true;
    default: return false;
  }
}

void mouseEvent(platform::HostEvent::Kind kind, HWND hwnd, POINT client, int button, int delta = 0) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w) return;
  HWND top = wnd::Root(w);
  POINT p = client;
  ClientToScreen(hwnd, &p);
  platform::HostEvent e;
  e.kind = kind;
  e.window = top->native;
  e.x = p.x - top->rect.left;
  e.y = p.y - top->rect.top;
  e.button = button;
  e.delta = delta;
  inject(e);
}

bool classIs(HWND h, const std::string& name) {
  if (h->className.size() != name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(h->className[i])) != std::tolower(static_cast<unsigned char>(name[i])))
      return false;
  return true;
}

template <class Pred>
HWND findIn(HWND w, const Pred& pred) {
  if (pred(w)) return w;
  for (HWND c : w->children)
    if (HWND f = findIn(c, pred)) return f;
  return nullptr;
}

template <class Pred>
HWND find(HWND under, const Pred& pred) {
  if (under) {
    WindowImpl* u = wnd::Get(under);
    if (!u) return nullptr;
    for (HWND c : u->children)
      if (HWND f = findIn(c, pred)) return f;
    return nullptr;
  }
  for (HWND top : wnd::TopLevelOrder())
    if (HWND f = findIn(top, pred)) return f;
  return nullptr;
}

}  // namespace

std::vector<std::string> PendingDialogCaptions() {
  std::vector<std::string> out;
  for (const DialogRule& r : dialogRules()) out.push_back(r.caption);
  return out;
}

void ClearDialogRules() { dialogRules().clear(); }

void OnDialog(const std::string& captionPart, std::function<void(HWND)> callback, int endCode) {
  AttachToHost();
  dialogRules().push_back(DialogRule{captionPart, std::move(callback), endCode});
}

// Answers for the absent user of the headless host: boxes and menus by the
// rules, modal loops by the dialog rules.
class TestResponder : public platform::Responder {
 public:
  int Answer(const platform::ModalQuestion& q) override { return Respond(q); }
  int Observe(const platform::ModalQuestion& q) override { return automation::Observe(q); }
  void AnswerModalLoop(const platform::ModalLoop& loop) override {
    HWND h = loop.window;
    char buffer[512] = {};
    if (h) GetWindowText(h, buffer, sizeof buffer);
    std::string cap = buffer;
    auto& rules = dialogRules();
    for (auto it = rules.begin(); it != rules.end(); ++it) {
      if (!it->caption.empty() && cap.find(it->caption) == std::string::npos) continue;
      DialogRule rule = std::move(*it);
      rules.erase(it);
      if (rule.callback) rule.callback(h);
      if (loop.running()) loop.end(rule.endCode);
      return;
    }
    ModalInfo info;
    info.kind = "dialog";
    info.caption = cap;
    if (HANDLE t = h ? GetProp(h, "DialogTemplate") : nullptr) info.text = static_cast<const char*>(t);
    else if (WindowImpl* w = wnd::Get(h)) info.text = w->className;
    int answer = Respond(info);
    if (loop.running()) loop.end(answer);
  }
};

std::vector<wnd::InvalidationEntry>& paintLog() {
  static std::vector<wnd::InvalidationEntry> log;
  return log;
}

void logPaint(HWND hwnd, bool painted, const RECT& r) {
  auto& log = paintLog();
  if (log.size() > 100000) log.erase(log.begin(), log.begin() + 50000);  // keep the log bounded
  log.push_back(wnd::InvalidationEntry{hwnd, painted, r});
}

void AttachToHost() {
  static TestResponder responder;
  if (platform::HeadlessHost* h = host()) h->SetResponder(&responder);
  wnd::SetPaintObserver(&logPaint);
}

void KeyDown(UINT vk) { keyEvent(platform::HostEvent::KeyDown, vk); }
void KeyUp(UINT vk) { keyEvent(platform::HostEvent::KeyUp, vk); }

void PressKey(UINT vk, bool shift, bool ctrl, bool alt) {
  if (shift) KeyDown(VK_SHIFT);
  if (ctrl) KeyDown(VK_CONTROL);
  if (alt) KeyDown(VK_MENU);
  KeyDown(vk);
  KeyUp(vk);
  if (alt) KeyUp(VK_MENU);
  if (ctrl) KeyUp(VK_CONTROL);
  if (shift) KeyUp(VK_SHIFT);
}

void TypeChar(unsigned char ch) {
  UINT vk;
  bool shift;
  if (keyFor(ch, &vk, &shift)) {
    if (shift) KeyDown(VK_SHIFT);
    keyEvent(platform::HostEvent::KeyDown, vk, ch == '\n' ? '\r' : ch);
    KeyUp(vk);
    if (shift) KeyUp(VK_SHIFT);
  } else {
    platform::HostEvent e;
    e.kind = platform::HostEvent::Char;
    e.ch = ch;
    inject(e);
  }
}

void TypeText(const std::string& text) {
  for (char c : text) TypeChar(static_cast<unsigned char>(c));
}

void MouseMove(HWND hwnd, POINT client) { mouseEvent(platform::HostEvent::MouseMove, hwnd, client, 0); }
void MouseDown(HWND hwnd, POINT client, int button) {
  mouseEvent(platform::HostEvent::ButtonDown, hwnd, client, button);
}
void MouseUp(HWND hwnd, POINT client, int button) { mouseEvent(platform::HostEvent::ButtonUp, hwnd, client, button); }
void Click(HWND hwnd, POINT client, int button) {
  MouseMove(hwnd, client);
  MouseDown(hwnd, client, button);
  MouseUp(hwnd, client, button);
}
void DoubleClick(HWND hwnd, POINT client) {
  Click(hwnd, client);
  Click(hwnd, client);
}
void Wheel(HWND hwnd, POINT client, int delta) { mouseEvent(platform::HostEvent::Wheel, hwnd, client, 0, delta); }

int PumpUntilIdle() {
  int n = 0;
  MSG msg;
  CWinThread* thread = AfxGetThread();
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ++n;
    bool taken = thread ? thread->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!taken) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (n > 1000000) break;  // a window that keeps re-posting to itself
  }
  return n;
}

void AdvanceClock(DWORD ms) {
  platform::HeadlessHost* h = host();
  if (!h) return;
  DWORD target = h->Now() + ms;
  PumpUntilIdle();
  for (;;) {
    auto& timers = wnd::S().timers;
    bool any = false;
    DWORD next = target;
    for (const wnd::Timer& t : timers) {
      if (static_cast<LONG>(t.due - next) <= 0) next = t.due, any = true;
    }
    if (!any) break;
    if (static_cast<LONG>(next - h->Now()) > 0) h->Advance(next - h->Now());
    if (PumpUntilIdle() == 0) {
      // A timer due now that nobody takes (its window is hidden from the
      // filter or it was killed meanwhile) must not stop the clock.
      if (static_cast<LONG>(target - h->Now()) <= 0) break;
      h->Advance(1);
    }
  }
  if (static_cast<LONG>(target - h->Now()) > 0) h->Advance(target - h->Now());
  PumpUntilIdle();
}

DWORD Now() { return platform::GetHost().Now(); }

HWND FindByCaption(const std::string& caption, HWND under) {
  return find(under, [&](HWND h) { return h->text == caption; });
}
HWND FindByClass(const std::string& className, HWND under) {
  return find(under, [&](HWND h) { return classIs(h, className); });
}
HWND FindById(HWND parent, int id) {
  return find(parent, [&](HWND h) { return !wnd::IsTop(h) && static_cast<int>(h->id) == id; });
}

bool RenderToPng(HWND hwnd, const std::string& path) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w) return false;
  WindowImpl* top = wnd::Root(w);
  if (!top->surface) return false;
  RECT r = wnd::WindowRectInSurface(w);
  RECT whole{0, 0, cairo_image_surface_get_width(top->surface), cairo_image_surface_get_height(top->surface)};
  if (!IntersectRect(&r, &r, &whole)) return false;
  cairo_surface_flush(top->surface);
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, r.right - r.left, r.bottom - r.top);
  cairo_t* cr = cairo_create(out);
  cairo_set_source_surface(cr, top->surface, -r.left, -r.top);
  cairo_paint(cr);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(out);
  return ok;
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w) return 0;
  WindowImpl* top = wnd::Root(w);
  if (!top->surface) return 0;
  POINT o = wnd::SurfaceOffset(w);
  int sx = o.x + w->client.left + x, sy = o.y + w->client.top + y;
  if (sx < 0 || sy < 0 || sx >= cairo_image_surface_get_width(top->surface) ||
      sy >= cairo_image_surface_get_height(top->surface))
    return 0;
  cairo_surface_flush(top->surface);
  const unsigned char* data = cairo_image_surface_get_data(top->surface);
  std::uint32_t px;
  std::memcpy(&px, data + sy * cairo_image_surface_get_stride(top->surface) + sx * 4, 4);
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

std::vector<InvalidationRecord> InvalidationLog(HWND hwnd) {
  std::vector<InvalidationRecord> out;
  AttachToHost();
  for (const wnd::InvalidationEntry& e : paintLog())
    if (!hwnd || e.hwnd == hwnd) out.push_back(InvalidationRecord{e.hwnd, e.painted, e.rect});
  return out;
}

void ClearInvalidationLog() {
  AttachToHost();
  paintLog().clear();
}

std::vector<UINT> Beeps() {
  platform::HeadlessHost* h = host();
  return h ? h->Beeps() : std::vector<UINT>{};
}
HCURSOR CurrentCursor() { return GetCursor(); }
std::uintptr_t NativeOf(HWND hwnd) {
  WindowImpl* w = wnd::Get(hwnd);
  return w && wnd::IsTop(w) ? w->native : 0;
}

void ResetWindows() {
  AttachToHost();
  wnd::State& s = wnd::S();
  for (HWND top : wnd::TopLevelOrder())
    if (wnd::Get(top)) DestroyWindow(top);
  while (platform::GetHeadlessHost() && platform::GetHeadlessHost()->HasEvents()) {
    platform::HostEvent e;
    platform::GetHeadlessHost()->WaitEvent(e, 0);
  }
  s.queue.clear();
  s.quitPosted = false;
  s.timers.clear();
  s.focus = s.active = s.capture = nullptr;
  DestroyCaret();
  std::fill(std::begin(s.keys), std::end(s.keys), 0);
  std::fill(std::begin(s.asyncKeys), std::end(s.asyncKeys), 0);
  if (platform::HeadlessHost* h = host()) {
    h->ClearBeeps();
    h->CaptureMouse(false);
  }
  paintLog().clear();
  s.lastDownWnd = s.lastMouseWnd = nullptr;
  s.cursor = nullptr;
  dialogRules().clear();
  CWnd::DeleteTempMap();
}

}  // namespace automation
