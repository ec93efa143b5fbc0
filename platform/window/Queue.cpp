// Sending and posting, the queue (posted messages, input, quit, paint and
// timers in that order), dispatch with exception reporting and the timers.
#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>

#include "platform/window/CtlDefs.h"
#include "platform/base/Exceptions.h"
#include "platform/host/Host.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowImpl.h"

using namespace wnd;

namespace wnd {

LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  WindowImpl* w = Get(hwnd);
  if (w) ++w->calls;
  LRESULT r = 0;
  // Nothing thrown by a handler may end the program: the framework's
  // exceptions are reported to the user and the message counts as handled.
  try {
    r = proc(hwnd, msg, wParam, lParam);
  } catch (CException* e) {
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
  } catch (const std::bad_alloc&) {
    platform::ShowErrorMessage("Out of memory.", MB_OK | MB_ICONSTOP);
  } catch (const std::exception& e) {
    platform::ShowErrorMessage(e.what(), MB_OK | MB_ICONSTOP);
  }
  if (w) {
    --w->calls;
    Release(w);
  }
  return r;
}

HWND TopLevelOfNative(platform::NativeWindow native) {
  for (HWND h : S().live)
    if (IsTop(h) && h->native == native) return h;
  return nullptr;
}

}  // namespace wnd

// ---- Sending and posting ---------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  State& s = S();
  ++s.sendDepth;
  LRESULT r = CallProc(w->proc, w, msg, wParam, lParam);
  --s.sendDepth;
  return r;
}

BOOL InSendMessage() { return FALSE; }  // one thread: never a message from another

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !Get(hwnd)) return FALSE;
  State& s = S();
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = platform::GetHost().Now();
  m.pt = s.cursorPos;
  s.queue.push_back(m);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  S().quitPosted = true;
  S().quitCode = exitCode;
}

UINT RegisterWindowMessage(LPCSTR name) {
  if (!name || !*name) return 0;
  auto& reg = S().registered;
  auto it = reg.find(name);
  if (it != reg.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(reg.size());
  reg[name] = id;
  return id;
}

DWORD GetMessageTime() { return S().current.time; }
DWORD GetMessagePos() {
  const POINT& p = S().current.pt;
  return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// ---- Retrieval -------------------------------------------------------------

namespace {

bool inRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool matches(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
  if (hwnd == reinterpret_cast<HWND>(-1)) {
    if (m.hwnd) return false;
  } else if (hwnd && m.hwnd != hwnd && !IsChild(hwnd, m.hwnd)) {
    return false;
  }
  return inRange(m.message, lo, hi);
}

bool takeQueued(MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove) {
  State& s = S();
  for (auto it = s.queue.begin(); it != s.queue.end();) {
    if (it->hwnd && !Get(it->hwnd)) {  // its window is gone
      it = s.queue.erase(it);
      continue;
    }
    if (matches(*it, hwnd, lo, hi)) {
      *out = *it;
      if (remove) s.queue.erase(it);
      return true;
    }
    ++it;
  }
  return false;
}

Timer* dueTimer(HWND hwnd, DWORD now) {
  Timer* best = nullptr;
  for (Timer& t : S().timers) {
    if (static_cast<LONG>(now - t.due) < 0) continue;
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && t.hwnd != hwnd && !IsChild(hwnd, t.hwnd)) continue;
    if (hwnd == reinterpret_cast<HWND>(-1) && t.hwnd) continue;
    if (!best || static_cast<LONG>(t.due - best->due) < 0 || (t.due == best->due && t.seq < best->seq)) best = &t;
  }
  return best;
}

}  // namespace

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  if (!msg) return FALSE;
  State& s = S();
  platform::Host& host = platform::GetHost();
  bool remove = (flags & PM_REMOVE) != 0;
  // Asked for posted messages only: input the host still holds stays there.
  const bool takeInput = (flags & 0xFFFF0000u) == 0 || (flags & PM_QS_INPUT) != 0;
  // Posted messages first; input is taken from the host only when no posted
  // message waits, one event at a time, so that each input event meets the
  // windows as the earlier ones left them.
  for (;;) {
    if (takeQueued(msg, hwnd, lo, hi, remove)) {
      if (remove) {
        UpdateKeyState(*msg);
        s.current = *msg;
      }
      return TRUE;
    }
    if (!takeInput || !PumpHostEvent(0)) break;
  }
  if (s.quitPosted && inRange(WM_QUIT, lo, hi) && hwnd == nullptr) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(s.quitCode);
    msg->time = host.Now();
    if (remove) s.quitPosted = false;
    return TRUE;
  }
  if (inRange(WM_PAINT, lo, hi)) {
    HWND p = FindPaintWindow(hwnd == reinterpret_cast<HWND>(-1) ? nullptr : hwnd);
    if (p && hwnd != reinterpret_cast<HWND>(-1)) {
      *msg = MSG{};
      msg->hwnd = p;
      msg->message = WM_PAINT;
      msg->time = host.Now();
      msg->pt = s.cursorPos;
      if (remove) s.current = *msg;
      return TRUE;
    }
  }
  DWORD now = host.Now();
  CaretTick(now);
  if (inRange(WM_TIMER, lo, hi)) {
    if (Timer* t = dueTimer(hwnd, now)) {
      *msg = MSG{};
      msg->hwnd = t->hwnd;
      msg->message = WM_TIMER;
      msg->wParam = t->id;
      msg->lParam = reinterpret_cast<LPARAM>(t->proc);
      msg->time = now;
      msg->pt = s.cursorPos;
      if (remove) {
        t->due = now + t->interval;  // a late timer fires once, not once per missed period
        s.current = *msg;
      }
      return TRUE;
    }
  }
  PresentAll();
  return FALSE;
}

namespace {
// Milliseconds until the next timer or caret blink, capped.
int nextDeadline() {
  State& s = S();
  DWORD now = platform::GetHost().Now();
  LONG best = 1000;
  for (const Timer& t : s.timers) best = std::min(best, std::max<LONG>(0, static_cast<LONG>(t.due - now)));
  if (s.caret.owner && s.caret.hideCount == 0)
    best = std::min(best, std::max<LONG>(0, static_cast<LONG>(s.caret.nextBlink - now)));
  return static_cast<int>(best);
}

// Without a user nothing arrives by itself: waiting means letting the clock
// run to the next timer. False when nothing is left at all.
bool idleWait() {
  platform::Host& host = platform::GetHost();
  if (host.Interactive()) {
    PumpHostEvent(nextDeadline());
    return true;
  }
  // Without a user only the timers can still bring something.
  std::optional<DWORD> deadline;
  DWORD now = host.Now();
  for (const Timer& t : S().timers)
    if (!deadline || static_cast<LONG>(t.due - now) < static_cast<LONG>(*deadline - now)) deadline = t.due;
  return host.IdleUntil(deadline);
}
}  // namespace

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT lo, UINT hi) {
  if (!msg) return -1;
  for (;;) {
    if (PeekMessage(msg, hwnd, lo, hi, PM_REMOVE)) return msg->message != WM_QUIT;
    if (!idleWait()) {
      // Headless and nothing left that could ever produce a message.
      *msg = MSG{};
      msg->message = WM_QUIT;
      return FALSE;
    }
  }
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  return idleWait();
}

DWORD GetQueueStatus(UINT) {
  MSG m;
  return PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE) ? QS_ALLINPUT : 0;
}

BOOL GetInputState() {
  for (const MSG& m : S().queue)
    if ((m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ||
        (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST))
      return TRUE;
  return FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    try {
      proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    } catch (CException* e) {
      e->ReportError(MB_ICONEXCLAMATION);
      e->Delete();
    }
    return 0;
  }
  WindowImpl* w = Get(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_PAINT) {
    int before = w->beginPaints;
    NcPaintIfNeeded(w);  // the frame before the client
    if (!Get(w)) return 0;
    LRESULT r = CallProc(w->proc, w, WM_PAINT, msg->wParam, msg->lParam);
    // A handler that never began painting would be asked again forever.
    if (Get(w) && w->beginPaints == before) ValidateRect(w, nullptr), w->internalPaint = false, w->ncPaint = false;
    return r;
  }
  return CallProc(w->proc, w, msg->message, msg->wParam, msg->lParam);
}

// ---- Key translation -------------------------------------------------------

namespace {
int keyChar(UINT vk, bool shift, bool ctrl, bool caps) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return static_cast<int>(vk - 'A' + 1);
    return (shift != caps) ? static_cast<int>(vk) : static_cast<int>(vk - 'A' + 'a');
  }
  if (ctrl) {
    if (vk == VK_RETURN) return '\n';
    if (vk == VK_BACK) return 0x7F;
    if (vk == VK_ESCAPE || vk == VK_OEM_4) return 0x1B;
    return 0;
  }
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<int>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<int>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_BACK: return 8;
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
  }
}
}  // namespace

// The character of a key press travels in the scan-code byte of lParam when
// the host knows it (its keyboard layout); otherwise it comes from the key
// and the shift state on a US layout.
BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  int ch = static_cast<int>((static_cast<std::uintptr_t>(msg->lParam) >> 16) & 0xFF);
  if (ch == 0) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    ch = keyChar(static_cast<UINT>(msg->wParam), shift, ctrl, caps);
  }
  if (ch == 0) return FALSE;
  MSG c = *msg;
  c.message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  c.wParam = static_cast<WPARAM>(ch);
  S().queue.push_front(c);
  return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return CallProc(proc, hwnd, msg, wParam, lParam);
}

// ---- Timers ----------------------------------------------------------------

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  State& s = S();
  if (hwnd && !Get(hwnd)) return 0;
  if (!hwnd) id = s.nextTimerId++;
  DWORD now = platform::GetHost().Now();
  UINT interval = std::max<UINT>(elapseMs, 1);
  for (Timer& t : s.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.interval = interval;
      t.due = now + interval;
      t.proc = proc;
      t.seq = ++s.timerSeq;
      return id ? id : 1;
    }
  }
  s.timers.push_back(Timer{hwnd, id, interval, now + interval, ++s.timerSeq, proc});
  return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto& t = S().timers;
  auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
  if (it == t.end()) return FALSE;
  t.erase(it);
  return TRUE;
}

DWORD GetTickCount() { return platform::GetHost().Now(); }
