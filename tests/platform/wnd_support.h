// Shared fixture of the window tests: a clean desk per test, a window class
// whose procedure writes every interesting message to a log, and helpers to
// read the log.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/framework/CWnd.h"
#include "platform/window/Window.h"
#include "platform_support.h"

namespace wndtest {

// name of a window for the log
inline std::map<HWND, std::string>& names() {
  static std::map<HWND, std::string> n;
  return n;
}
inline std::vector<std::string>& log() {
  static std::vector<std::string> l;
  return l;
}
// Per-window reactions of the logging procedure (return a result to handle).
using Reaction = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
inline std::map<HWND, Reaction>& reactions() {
  static std::map<HWND, Reaction> r;
  return r;
}

inline std::string nameOf(HWND h) {
  auto it = names().find(h);
  return it == names().end() ? (h ? "?" : "0") : it->second;
}

inline const char* msgName(UINT m) {
  switch (m) {
    case WM_SETFOCUS: return "SETFOCUS";
    case WM_KILLFOCUS: return "KILLFOCUS";
    case WM_ACTIVATE: return "ACTIVATE";
    case WM_NCACTIVATE: return "NCACTIVATE";
    case WM_PAINT: return "PAINT";
    case WM_ERASEBKGND: return "ERASEBKGND";
    case WM_NCPAINT: return "NCPAINT";
    case WM_TIMER: return "TIMER";
    case WM_CHAR: return "CHAR";
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_LBUTTONDOWN: return "LBUTTONDOWN";
    case WM_LBUTTONUP: return "LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "LBUTTONDBLCLK";
    case WM_MOUSEMOVE: return "MOUSEMOVE";
    case WM_CAPTURECHANGED: return "CAPTURECHANGED";
    case WM_DESTROY: return "DESTROY";
    case WM_NCDESTROY: return "NCDESTROY";
    case WM_CREATE: return "CREATE";
    case WM_MOUSEACTIVATE: return "MOUSEACTIVATE";
    default: return nullptr;
  }
}

inline LRESULT CALLBACK_Log(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= WM_USER && m < WM_USER + 100) {
    log().push_back(nameOf(h).append(":USER+").append(std::to_string(m - WM_USER)));
  } else if (const char* n = msgName(m)) {
    std::string e = nameOf(h).append(":").append(n);
    std::string arg;
    if (m == WM_SETFOCUS || m == WM_KILLFOCUS) arg = nameOf(reinterpret_cast<HWND>(w));
    if (m == WM_ACTIVATE) arg = std::to_string(LOWORD(w));
    if (m == WM_NCACTIVATE || m == WM_TIMER || m == WM_CHAR) arg = std::to_string(w);
    if (!arg.empty()) e.append("(").append(arg).append(")");
    log().push_back(e);
  }
  auto it = reactions().find(h);
  LRESULT r = 0;
  if (it != reactions().end() && it->second && it->second(h, m, w, l, &r)) return r;
  if (m == WM_NCDESTROY) {
    // A later window may get the same handle: it must not inherit this
    // window's reaction.
    reactions().erase(h);
  }
  return DefWindowProc(h, m, w, l);
}

inline void registerLogClass() { platformtest::registerClassOnce("WndTestLog", CALLBACK_Log, COLOR_WINDOW, CS_DBLCLKS); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    registerLogClass();
    log().clear();
    names().clear();
    reactions().clear();
  }
  void TearDown() override {
    automation::ResetWindows();
    reactions().clear();
  }
  HWND top(const std::string& name, RECT r = RECT{100, 100, 400, 300}, DWORD style = WS_POPUP | WS_VISIBLE,
           DWORD ex = 0) {
    HWND h = platformtest::createAt(ex, "WndTestLog", name.c_str(), style, r);
    names()[h] = name;
    return h;
  }
  HWND child(HWND parent, const std::string& name, RECT r, int id = 0, DWORD style = WS_CHILD | WS_VISIBLE,
             DWORD ex = 0) {
    HWND h = platformtest::createAt(ex, "WndTestLog", name.c_str(), style, r, parent, id);
    names()[h] = name;
    return h;
  }
  // The log from now on.
  void mark() { log().clear(); }
  std::vector<std::string> taken() { return platformtest::takeAll(log()); }
};

using Log = platformtest::Log;

}  // namespace wndtest
