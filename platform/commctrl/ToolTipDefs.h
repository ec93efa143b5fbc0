// Messages, styles, flags and records of the tool-tip control
// ("tooltips_class32").
#pragma once

#include "platform/base/Geometry.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

#define TOOLTIPS_CLASS "tooltips_class32"

// Styles.
#define TTS_ALWAYSTIP 0x01  // tips also while the tool's window is inactive
#define TTS_NOPREFIX  0x02  // "&" is shown, not taken as an access-key mark

// TOOLINFO::uFlags.
#define TTF_IDISHWND   0x0001u  // uId is the tool window itself; rect unused
#define TTF_CENTERTIP  0x0002u
#define TTF_SUBCLASS   0x0010u
#define TTF_TRANSPARENT 0x0100u

// Text supplied on demand through TTN_NEEDTEXT.
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1)))

// TTM_SETDELAYTIME / TTM_GETDELAYTIME.
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW    1
#define TTDT_AUTOPOP   2
#define TTDT_INITIAL   3

#define TTM_ACTIVATE        (WM_USER + 1)
#define TTM_SETDELAYTIME    (WM_USER + 3)
#define TTM_ADDTOOL         (WM_USER + 4)
#define TTM_DELTOOL         (WM_USER + 5)
#define TTM_NEWTOOLRECT     (WM_USER + 6)
#define TTM_RELAYEVENT      (WM_USER + 7)
#define TTM_GETTOOLINFO     (WM_USER + 8)
#define TTM_SETTOOLINFO     (WM_USER + 9)
#define TTM_GETTEXT         (WM_USER + 11)
#define TTM_UPDATETIPTEXT   (WM_USER + 12)
#define TTM_GETTOOLCOUNT    (WM_USER + 13)
#define TTM_GETDELAYTIME    (WM_USER + 21)
#define TTM_SETMAXTIPWIDTH  (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH  (WM_USER + 25)
#define TTM_POP             (WM_USER + 28)
#define TTM_UPDATE          (WM_USER + 29)

// Notifications (WM_NOTIFY to the tool's window).
#define TTN_FIRST       (0u - 520u)
#define TTN_GETDISPINFO (TTN_FIRST - 0)
#define TTN_NEEDTEXT    TTN_GETDISPINFO
#define TTN_SHOW        (TTN_FIRST - 1)
#define TTN_POP         (TTN_FIRST - 2)

struct TOOLINFO {
  UINT cbSize = sizeof(TOOLINFO);
  UINT uFlags = 0;
  HWND hwnd = nullptr;   // the window that holds the tool and hears its notifications
  UINT_PTR uId = 0;      // the tool's id, or its window with TTF_IDISHWND
  RECT rect{0, 0, 0, 0}; // in hwnd's client coordinates
  HINSTANCE hinst = nullptr;
  LPSTR lpszText = nullptr;  // text, MAKEINTRESOURCE(string id) or LPSTR_TEXTCALLBACK
  LPARAM lParam = 0;
};
using LPTOOLINFO = TOOLINFO*;
using TTTOOLINFO = TOOLINFO;

// TTN_NEEDTEXT: the receiver points lpszText at its text, copies it into
// szText, or gives a string id in lpszText (MAKEINTRESOURCE).
struct NMTTDISPINFO {
  NMHDR hdr{};
  LPSTR lpszText = nullptr;
  char szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};
using LPNMTTDISPINFO = NMTTDISPINFO*;
using TOOLTIPTEXT = NMTTDISPINFO;
