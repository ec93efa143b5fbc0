// Shared fixture of the control tests: a clean desk per test, a parent
// window that logs what its controls tell it (notifications by name,
// owner-draw requests, scroll codes), and helpers to create controls and
// drive them through the automation's input injection.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/gfx/GdiObject.h"
#include "platform/controls/CtlControls.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"
#include "platform_support.h"

namespace ctltest {

using Log = platformtest::Log;

inline Log& log() {
  static Log l;
  return l;
}

// Replies of the parent to owner-draw questions and colour requests.
struct ParentReplies {
  int measureHeight = 0;        // WM_MEASUREITEM: 0 keeps the proposed height; < 0: 10 + item id
  HBRUSH ctlColorBrush = nullptr;
  std::function<void(UINT, WPARAM, LPARAM)> onCommand;
  std::function<void(const NMHDR&)> onNotify;
};
inline ParentReplies& replies() {
  static ParentReplies r;
  return r;
}

inline std::string codeName(HWND from, int code) {
  char cls[32] = {};
  GetClassName(from, cls, sizeof cls);
  std::string c = cls;
  if (c == "Edit") {
    switch (code) {
      case EN_SETFOCUS: return "EN_SETFOCUS";
      case EN_KILLFOCUS: return "EN_KILLFOCUS";
      case EN_CHANGE: return "EN_CHANGE";
      case EN_UPDATE: return "EN_UPDATE";
      case EN_MAXTEXT: return "EN_MAXTEXT";
      case EN_HSCROLL: return "EN_HSCROLL";
      case EN_VSCROLL: return "EN_VSCROLL";
    }
  } else if (c == "Button") {
    switch (code) {
      case BN_CLICKED: return "BN_CLICKED";
      case BN_DOUBLECLICKED: return "BN_DOUBLECLICKED";
      case BN_SETFOCUS: return "BN_SETFOCUS";
      case BN_KILLFOCUS: return "BN_KILLFOCUS";
    }
  } else if (c == "ListBox") {
    switch (code) {
      case LBN_SELCHANGE: return "LBN_SELCHANGE";
      case LBN_DBLCLK: return "LBN_DBLCLK";
      case LBN_SELCANCEL: return "LBN_SELCANCEL";
      case LBN_SETFOCUS: return "LBN_SETFOCUS";
      case LBN_KILLFOCUS: return "LBN_KILLFOCUS";
    }
  } else if (c == "ComboBox") {
    switch (code) {
      case CBN_SELCHANGE: return "CBN_SELCHANGE";
      case CBN_DBLCLK: return "CBN_DBLCLK";
      case CBN_SETFOCUS: return "CBN_SETFOCUS";
      case CBN_KILLFOCUS: return "CBN_KILLFOCUS";
      case CBN_EDITCHANGE: return "CBN_EDITCHANGE";
      case CBN_EDITUPDATE: return "CBN_EDITUPDATE";
      case CBN_DROPDOWN: return "CBN_DROPDOWN";
      case CBN_CLOSEUP: return "CBN_CLOSEUP";
      case CBN_SELENDOK: return "CBN_SELENDOK";
      case CBN_SELENDCANCEL: return "CBN_SELENDCANCEL";
    }
  } else if (c == "Static") {
    switch (code) {
      case STN_CLICKED: return "STN_CLICKED";
      case STN_DBLCLK: return "STN_DBLCLK";
    }
  }
  return c + ":" + std::to_string(code);
}

inline const char* scrollName(int code) {
  static const char* const names[] = {"LINEUP", "LINEDOWN", "PAGEUP", "PAGEDOWN", "THUMBPOSITION",
                                      "THUMBTRACK", "TOP", "BOTTOM", "ENDSCROLL"};
  return code >= 0 && code <= 8 ? names[code] : "?";
}

inline LRESULT parentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_COMMAND:
      if (l) log().push_back(codeName(reinterpret_cast<HWND>(l), HIWORD(w)));
      if (replies().onCommand) replies().onCommand(m, w, l);
      return 0;
    case WM_NOTIFY:
      if (replies().onNotify && l) replies().onNotify(*reinterpret_cast<const NMHDR*>(l));
      return 0;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      log().push_back("DRAWITEM(" + std::to_string(static_cast<int>(d->itemID)) + "," + std::to_string(d->itemAction) +
                      "," + std::to_string(d->itemState) + ")");
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      log().push_back("MEASUREITEM(" + std::to_string(static_cast<int>(mi->itemID)) + ")");
      if (replies().measureHeight > 0) mi->itemHeight = static_cast<UINT>(replies().measureHeight);
      if (replies().measureHeight < 0) mi->itemHeight = 10 + mi->itemID;
      return TRUE;
    }
    case WM_COMPAREITEM: {
      auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(l);
      return ci->itemData1 < ci->itemData2 ? -1 : (ci->itemData1 > ci->itemData2 ? 1 : 0);
    }
    case WM_DELETEITEM: {
      auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(l);
      log().push_back("DELETEITEM(" + std::to_string(di->itemID) + "," + std::to_string(di->itemData) + ")");
      return TRUE;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      log().push_back(std::string(m == WM_VSCROLL ? "V" : "H") + scrollName(LOWORD(w)) +
                      (LOWORD(w) == SB_THUMBTRACK || LOWORD(w) == SB_THUMBPOSITION ? "(" + std::to_string(HIWORD(w)) + ")" : ""));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
      if (replies().ctlColorBrush) return reinterpret_cast<LRESULT>(replies().ctlColorBrush);
      return DefWindowProc(h, m, w, l);
    default: return DefWindowProc(h, m, w, l);
  }
}

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    RegisterControlClasses();
    platformtest::registerClassOnce("CtlTestParent", parentProc, COLOR_BTNFACE, CS_DBLCLKS);
    log().clear();
    replies() = ParentReplies{};
    parent = platformtest::createAt(0, "CtlTestParent", "Parent", WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400});
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    automation::ResetWindows();
    replies() = ParentReplies{};
  }
  HWND make(const char* cls, DWORD style, RECT r, const char* text = "", int id = 100, DWORD ex = 0) {
    HWND h = platformtest::createAt(ex, cls, text, WS_CHILD | WS_VISIBLE | style, r, parent, id);
    automation::PumpUntilIdle();
    return h;
  }
  static std::string text(HWND h) {
    char buf[2048] = {};
    GetWindowText(h, buf, sizeof buf);
    return buf;
  }
  static std::pair<int, int> sel(HWND edit) {
    DWORD a = 0, b = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {static_cast<int>(a), static_cast<int>(b)};
  }
  static void pump() { automation::PumpUntilIdle(); }
  Log taken() { return platformtest::takeAll(log()); }
  HWND parent = nullptr;
};

}  // namespace ctltest
