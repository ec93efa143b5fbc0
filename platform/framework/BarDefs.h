// Messages, styles and records of the two bar controls: the status bar
// ("msctls_statusbar32") and the tool bar ("ToolbarWindow32").
#pragma once

#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

#define STATUSCLASSNAME "msctls_statusbar32"
#define TOOLBARCLASSNAME "ToolbarWindow32"

// Styles shared by the bar controls.
#define CCS_TOP           0x0001u
#define CCS_BOTTOM        0x0003u
#define CCS_NORESIZE      0x0004u
#define CCS_NOPARENTALIGN 0x0008u
#define CCS_NODIVIDER     0x0040u

// ---- Status bar ----
#define SBARS_SIZEGRIP    0x0100u

#define SB_SETTEXT        (WM_USER + 1)   // wParam: part | SBT_ flags, lParam: text
#define SB_GETTEXT        (WM_USER + 2)   // LOWORD of the result: length
#define SB_GETTEXTLENGTH  (WM_USER + 3)
#define SB_SETPARTS       (WM_USER + 4)   // wParam: count, lParam: int right edges (-1: to the end)
#define SB_GETPARTS       (WM_USER + 6)
#define SB_GETBORDERS     (WM_USER + 7)
#define SB_SETMINHEIGHT   (WM_USER + 8)
#define SB_SIMPLE         (WM_USER + 9)
#define SB_GETRECT        (WM_USER + 10)
#define SB_ISSIMPLE       (WM_USER + 14)

#define SBT_NOBORDERS     0x0100u
#define SBT_POPOUT        0x0200u

// ---- Tool bar ----
#define TBSTYLE_BUTTON      0x00u
#define TBSTYLE_SEP         0x01u
#define TBSTYLE_CHECK       0x02u
#define TBSTYLE_GROUP       0x04u
#define TBSTYLE_CHECKGROUP  (TBSTYLE_GROUP | TBSTYLE_CHECK)
#define TBSTYLE_TOOLTIPS    0x0100u
#define TBSTYLE_WRAPABLE    0x0200u
#define TBSTYLE_FLAT        0x0800u
#define TBSTYLE_TRANSPARENT 0x8000u

#define TBSTATE_CHECKED       0x01u
#define TBSTATE_PRESSED       0x02u
#define TBSTATE_ENABLED       0x04u
#define TBSTATE_HIDDEN        0x08u
#define TBSTATE_INDETERMINATE 0x10u
#define TBSTATE_WRAP          0x20u

#define TB_ENABLEBUTTON      (WM_USER + 1)
#define TB_CHECKBUTTON       (WM_USER + 2)
#define TB_PRESSBUTTON       (WM_USER + 3)
#define TB_HIDEBUTTON        (WM_USER + 4)
#define TB_INDETERMINATE     (WM_USER + 5)
#define TB_ISBUTTONENABLED   (WM_USER + 9)
#define TB_ISBUTTONCHECKED   (WM_USER + 10)
#define TB_ISBUTTONPRESSED   (WM_USER + 11)
#define TB_ISBUTTONHIDDEN    (WM_USER + 12)
#define TB_SETSTATE          (WM_USER + 17)
#define TB_GETSTATE          (WM_USER + 18)
#define TB_ADDBITMAP         (WM_USER + 19)
#define TB_ADDBUTTONS        (WM_USER + 20)
#define TB_INSERTBUTTON      (WM_USER + 21)
#define TB_DELETEBUTTON      (WM_USER + 22)
#define TB_GETBUTTON         (WM_USER + 23)
#define TB_BUTTONCOUNT       (WM_USER + 24)
#define TB_COMMANDTOINDEX    (WM_USER + 25)
#define TB_GETITEMRECT       (WM_USER + 29)
#define TB_BUTTONSTRUCTSIZE  (WM_USER + 30)
#define TB_SETBUTTONSIZE     (WM_USER + 31)
#define TB_SETBITMAPSIZE     (WM_USER + 32)
#define TB_AUTOSIZE          (WM_USER + 33)
#define TB_GETTOOLTIPS       (WM_USER + 35)
#define TB_SETTOOLTIPS       (WM_USER + 36)
#define TB_SETPARENT         (WM_USER + 37)
#define TB_SETIMAGELIST      (WM_USER + 48)
#define TB_GETIMAGELIST      (WM_USER + 49)
#define TB_SETSTYLE          (WM_USER + 56)
#define TB_GETSTYLE          (WM_USER + 57)
#define TB_GETBUTTONSIZE     (WM_USER + 58)
#define TB_GETHOTITEM        (WM_USER + 71)
#define TB_SETHOTITEM        (WM_USER + 72)

// Notifications.
#define TBN_FIRST          (0u - 700u)
#define TBN_HOTITEMCHANGE  (TBN_FIRST - 13)
#define HICF_MOUSE         0x0001u
#define HICF_LEAVING       0x0020u

struct TBBUTTON {
  int iBitmap = 0;
  int idCommand = 0;
  BYTE fsState = TBSTATE_ENABLED;
  BYTE fsStyle = TBSTYLE_BUTTON;
  BYTE bReserved[6] = {};
  DWORD_PTR dwData = 0;
  INT_PTR iString = 0;
};
using LPTBBUTTON = TBBUTTON*;
using LPCTBBUTTON = const TBBUTTON*;

// TB_ADDBITMAP: with no instance, nID is the bitmap handle.
struct TBADDBITMAP {
  HINSTANCE hInst = nullptr;
  UINT_PTR nID = 0;
};

struct NMTBHOTITEM {
  NMHDR hdr{};
  int idOld = 0;
  int idNew = 0;
  DWORD dwFlags = 0;
};
