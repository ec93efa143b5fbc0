// Class names, styles, messages, notifications and structures of the common
// controls: tab control, header, list view, up-down. The numbers follow the
// classic desktop numbering, so that style words and message numbers read as
// they always did.
#pragma once

#include "platform/GdiDefs.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "platform/types.h"

#define WC_TABCONTROL "SysTabControl32"
#define WC_HEADER     "SysHeader32"
#define WC_LISTVIEW   "SysListView32"
#define UPDOWN_CLASS  "msctls_updown32"

// Registers the classes above (the window layer does so at the first class
// lookup that misses; calling it again does nothing).
void RegisterCommonControlClasses();

// ---- Tab control -------------------------------------------------------------
#define TCS_FOCUSONBUTTONDOWN 0x1000u
#define TCS_FOCUSNEVER        0x8000u

#define TCIF_TEXT  0x0001u
#define TCIF_IMAGE 0x0002u
#define TCIF_STATE 0x0010u
#define TCIF_PARAM 0x0008u

struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};
using LPTCITEM = TCITEM*;

#define TCHT_NOWHERE     0x0001u
#define TCHT_ONITEMICON  0x0002u
#define TCHT_ONITEMLABEL 0x0004u
#define TCHT_ONITEM      (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

struct TCHITTESTINFO {
  POINT pt;
  UINT flags;
};

#define TCM_FIRST           0x1300
#define TCM_GETITEMCOUNT    (TCM_FIRST + 4)
#define TCM_GETITEM         (TCM_FIRST + 5)
#define TCM_SETITEM         (TCM_FIRST + 6)
#define TCM_INSERTITEM      (TCM_FIRST + 7)
#define TCM_DELETEITEM      (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS  (TCM_FIRST + 9)
#define TCM_GETITEMRECT     (TCM_FIRST + 10)
#define TCM_GETCURSEL       (TCM_FIRST + 11)
#define TCM_SETCURSEL       (TCM_FIRST + 12)
#define TCM_HITTEST         (TCM_FIRST + 13)
#define TCM_ADJUSTRECT      (TCM_FIRST + 40)
#define TCM_GETCURFOCUS     (TCM_FIRST + 47)
#define TCM_SETCURFOCUS     (TCM_FIRST + 48)

#define TCN_FIRST       (0u - 550u)
#define TCN_KEYDOWN     (TCN_FIRST - 0)
#define TCN_SELCHANGE   (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)

// ---- Shared ------------------------------------------------------------------
// Sends WM_NOTIFY with `hdr` (hwndFrom, idFrom and code filled in here) to the
// control's parent; the parent's answer.
LRESULT SendNotify(HWND control, NMHDR* hdr, UINT code);
