// Styles, messages and return codes of the standard controls ("Edit",
// "Button", "Static", "ListBox", "ComboBox", "ScrollBar") and the scroll-bar
// functions of every window. The numbers follow the classic desktop
// numbering, so that style words in dialog templates read as they always did.
#pragma once

#include "platform/gfx/GdiDefs.h"
#include "platform/window/Messages.h"
#include "platform/base/types.h"

// The class names, and the registration of the classes. The window layer
// registers them itself at the first class lookup that misses; calling it
// again does nothing.
#define WC_EDIT      "Edit"
#define WC_BUTTON    "Button"
#define WC_STATIC    "Static"
#define WC_LISTBOX   "ListBox"
#define WC_COMBOBOX  "ComboBox"
#define WC_SCROLLBAR "ScrollBar"
// The class of a combo box's dropped list (an owned top-level pop-up).
#define WC_COMBOLBOX "ComboLBox"
void RegisterControlClasses();

// ---- Edit ------------------------------------------------------------------
#define ES_LEFT        0x0000u
#define ES_CENTER      0x0001u
#define ES_RIGHT       0x0002u
#define ES_MULTILINE   0x0004u
#define ES_UPPERCASE   0x0008u
#define ES_LOWERCASE   0x0010u
#define ES_PASSWORD    0x0020u
#define ES_AUTOVSCROLL 0x0040u
#define ES_AUTOHSCROLL 0x0080u
#define ES_NOHIDESEL   0x0100u
#define ES_OEMCONVERT  0x0400u
#define ES_READONLY    0x0800u
#define ES_WANTRETURN  0x1000u
#define ES_NUMBER      0x2000u

#define EM_GETSEL            0x00B0
#define EM_SETSEL            0x00B1
#define EM_GETRECT           0x00B2
#define EM_SETRECT           0x00B3
#define EM_SETRECTNP         0x00B4
#define EM_SCROLL            0x00B5
#define EM_LINESCROLL        0x00B6
#define EM_SCROLLCARET       0x00B7
#define EM_GETMODIFY         0x00B8
#define EM_SETMODIFY         0x00B9
#define EM_GETLINECOUNT      0x00BA
#define EM_LINEINDEX         0x00BB
#define EM_SETHANDLE         0x00BC
#define EM_GETHANDLE         0x00BD
#define EM_GETTHUMB          0x00BE
#define EM_LINELENGTH        0x00C1
#define EM_REPLACESEL        0x00C2
#define EM_GETLINE           0x00C4
#define EM_LIMITTEXT         0x00C5
#define EM_SETLIMITTEXT      EM_LIMITTEXT
#define EM_CANUNDO           0x00C6
#define EM_UNDO              0x00C7
#define EM_FMTLINES          0x00C8
#define EM_LINEFROMCHAR      0x00C9
#define EM_SETTABSTOPS       0x00CB
#define EM_SETPASSWORDCHAR   0x00CC
#define EM_EMPTYUNDOBUFFER   0x00CD
#define EM_GETFIRSTVISIBLELINE 0x00CE
#define EM_SETREADONLY       0x00CF
#define EM_GETPASSWORDCHAR   0x00D2
#define EM_SETMARGINS        0x00D3
#define EM_GETMARGINS        0x00D4
#define EM_GETLIMITTEXT      0x00D5
#define EM_POSFROMCHAR       0x00D6
#define EM_CHARFROMPOS       0x00D7

#define EC_LEFTMARGIN   0x0001u
#define EC_RIGHTMARGIN  0x0002u
#define EC_USEFONTINFO  0xFFFFu

// ---- Button ----------------------------------------------------------------
#define BS_PUSHBUTTON      0x00000000u
#define BS_DEFPUSHBUTTON   0x00000001u
#define BS_CHECKBOX        0x00000002u
#define BS_AUTOCHECKBOX    0x00000003u
#define BS_RADIOBUTTON     0x00000004u
#define BS_3STATE          0x00000005u
#define BS_AUTO3STATE      0x00000006u
#define BS_GROUPBOX        0x00000007u
#define BS_USERBUTTON      0x00000008u
#define BS_AUTORADIOBUTTON 0x00000009u
#define BS_OWNERDRAW       0x0000000Bu
#define BS_TYPEMASK        0x0000000Fu
#define BS_LEFTTEXT        0x00000020u
#define BS_RIGHTBUTTON     BS_LEFTTEXT
#define BS_TEXT            0x00000000u
#define BS_ICON            0x00000040u
#define BS_BITMAP          0x00000080u
#define BS_LEFT            0x00000100u
#define BS_RIGHT           0x00000200u
#define BS_CENTER          0x00000300u
#define BS_TOP             0x00000400u
#define BS_BOTTOM          0x00000800u
#define BS_VCENTER         0x00000C00u
#define BS_PUSHLIKE        0x00001000u
#define BS_MULTILINE       0x00002000u
#define BS_NOTIFY          0x00004000u
#define BS_FLAT            0x00008000u

#define BM_GETCHECK  0x00F0
#define BM_SETCHECK  0x00F1
#define BM_GETSTATE  0x00F2
#define BM_SETSTATE  0x00F3
#define BM_SETSTYLE  0x00F4
#define BM_CLICK     0x00F5
#define BM_GETIMAGE  0x00F6
#define BM_SETIMAGE  0x00F7

#define BST_UNCHECKED     0x0000u
#define BST_CHECKED       0x0001u
#define BST_INDETERMINATE 0x0002u
#define BST_PUSHED        0x0004u
#define BST_FOCUS         0x0008u


// ---- Static ----------------------------------------------------------------
#define SS_LEFT            0x00000000u
#define SS_CENTER          0x00000001u
#define SS_RIGHT           0x00000002u
#define SS_ICON            0x00000003u
#define SS_BLACKRECT       0x00000004u
#define SS_GRAYRECT        0x00000005u
#define SS_WHITERECT       0x00000006u
#define SS_BLACKFRAME      0x00000007u
#define SS_GRAYFRAME       0x00000008u
#define SS_WHITEFRAME      0x00000009u
#define SS_USERITEM        0x0000000Au
#define SS_SIMPLE          0x0000000Bu
#define SS_LEFTNOWORDWRAP  0x0000000Cu
#define SS_OWNERDRAW       0x0000000Du
#define SS_BITMAP          0x0000000Eu
#define SS_ENHMETAFILE     0x0000000Fu
#define SS_ETCHEDHORZ      0x00000010u
#define SS_ETCHEDVERT      0x00000011u
#define SS_ETCHEDFRAME     0x00000012u
#define SS_TYPEMASK        0x0000001Fu
#define SS_NOPREFIX        0x00000080u
#define SS_NOTIFY          0x00000100u
#define SS_CENTERIMAGE     0x00000200u
#define SS_RIGHTJUST       0x00000400u
#define SS_REALSIZEIMAGE   0x00000800u
#define SS_SUNKEN          0x00001000u
#define SS_ENDELLIPSIS     0x00004000u
#define SS_PATHELLIPSIS    0x00008000u

#define STM_SETICON  0x0170
#define STM_GETICON  0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173

// ---- ListBox ---------------------------------------------------------------
#define LBS_NOTIFY            0x0001u
#define LBS_SORT              0x0002u
#define LBS_NOREDRAW          0x0004u
#define LBS_MULTIPLESEL       0x0008u
#define LBS_OWNERDRAWFIXED    0x0010u
#define LBS_OWNERDRAWVARIABLE 0x0020u
#define LBS_HASSTRINGS        0x0040u
#define LBS_USETABSTOPS       0x0080u
#define LBS_NOINTEGRALHEIGHT  0x0100u
#define LBS_MULTICOLUMN       0x0200u
#define LBS_WANTKEYBOARDINPUT 0x0400u
#define LBS_EXTENDEDSEL       0x0800u
#define LBS_DISABLENOSCROLL   0x1000u
#define LBS_NODATA            0x2000u
#define LBS_NOSEL             0x4000u
#define LBS_STANDARD          (LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER)

#define LB_ADDSTRING        0x0180
#define LB_INSERTSTRING     0x0181
#define LB_DELETESTRING     0x0182
#define LB_SELITEMRANGEEX   0x0183
#define LB_RESETCONTENT     0x0184
#define LB_SETSEL           0x0185
#define LB_SETCURSEL        0x0186
#define LB_GETSEL           0x0187
#define LB_GETCURSEL        0x0188
#define LB_GETTEXT          0x0189
#define LB_GETTEXTLEN       0x018A
#define LB_GETCOUNT         0x018B
#define LB_SELECTSTRING     0x018C
#define LB_DIR              0x018D
#define LB_GETTOPINDEX      0x018E
#define LB_FINDSTRING       0x018F
#define LB_GETSELCOUNT      0x0190
#define LB_GETSELITEMS      0x0191
#define LB_SETTABSTOPS      0x0192
#define LB_GETHORIZONTALEXTENT 0x0193
#define LB_SETHORIZONTALEXTENT 0x0194
#define LB_SETCOLUMNWIDTH   0x0195
#define LB_ADDFILE          0x0196
#define LB_SETTOPINDEX      0x0197
#define LB_GETITEMRECT      0x0198
#define LB_GETITEMDATA      0x0199
#define LB_SETITEMDATA      0x019A
#define LB_SELITEMRANGE     0x019B
#define LB_SETANCHORINDEX   0x019C
#define LB_GETANCHORINDEX   0x019D
#define LB_SETCARETINDEX    0x019E
#define LB_GETCARETINDEX    0x019F
#define LB_SETITEMHEIGHT    0x01A0
#define LB_GETITEMHEIGHT    0x01A1
#define LB_FINDSTRINGEXACT  0x01A2
#define LB_SETLOCALE        0x01A5
#define LB_GETLOCALE        0x01A6
#define LB_SETCOUNT         0x01A7
#define LB_INITSTORAGE      0x01A8
#define LB_ITEMFROMPOINT    0x01A9

#define LB_OKAY     0
#define LB_ERR      (-1)
#define LB_ERRSPACE (-2)

// ---- ComboBox --------------------------------------------------------------
#define CBS_SIMPLE            0x0001u
#define CBS_DROPDOWN          0x0002u
#define CBS_DROPDOWNLIST      0x0003u
#define CBS_OWNERDRAWFIXED    0x0010u
#define CBS_OWNERDRAWVARIABLE 0x0020u
#define CBS_AUTOHSCROLL       0x0040u
#define CBS_OEMCONVERT        0x0080u
#define CBS_SORT              0x0100u
#define CBS_HASSTRINGS        0x0200u
#define CBS_NOINTEGRALHEIGHT  0x0400u
#define CBS_DISABLENOSCROLL   0x0800u
#define CBS_UPPERCASE         0x2000u
#define CBS_LOWERCASE         0x4000u

#define CB_GETEDITSEL         0x0140
#define CB_LIMITTEXT          0x0141
#define CB_SETEDITSEL         0x0142
#define CB_ADDSTRING          0x0143
#define CB_DELETESTRING       0x0144
#define CB_DIR                0x0145
#define CB_GETCOUNT           0x0146
#define CB_GETCURSEL          0x0147
#define CB_GETLBTEXT          0x0148
#define CB_GETLBTEXTLEN       0x0149
#define CB_INSERTSTRING       0x014A
#define CB_RESETCONTENT       0x014B
#define CB_FINDSTRING         0x014C
#define CB_SELECTSTRING       0x014D
#define CB_SETCURSEL          0x014E
#define CB_SHOWDROPDOWN       0x014F
#define CB_GETITEMDATA        0x0150
#define CB_SETITEMDATA        0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152
#define CB_SETITEMHEIGHT      0x0153
#define CB_GETITEMHEIGHT      0x0154
#define CB_SETEXTENDEDUI      0x0155
#define CB_GETEXTENDEDUI      0x0156
#define CB_GETDROPPEDSTATE    0x0157
#define CB_FINDSTRINGEXACT    0x0158
#define CB_SETLOCALE          0x0159
#define CB_GETLOCALE          0x015A
#define CB_GETTOPINDEX        0x015B
#define CB_SETTOPINDEX        0x015C
#define CB_GETHORIZONTALEXTENT 0x015D
#define CB_SETHORIZONTALEXTENT 0x015E
#define CB_GETDROPPEDWIDTH    0x015F
#define CB_SETDROPPEDWIDTH    0x0160
#define CB_INITSTORAGE        0x0161

#define CB_OKAY     0
#define CB_ERR      (-1)
#define CB_ERRSPACE (-2)

// The id of a combo box's edit child.
#define IDC_COMBOEDIT 1001

// ---- ScrollBar -------------------------------------------------------------
#define SBS_HORZ                    0x0000u
#define SBS_VERT                    0x0001u
#define SBS_TOPALIGN                0x0002u
#define SBS_LEFTALIGN               0x0002u
#define SBS_BOTTOMALIGN             0x0004u
#define SBS_RIGHTALIGN              0x0004u
#define SBS_SIZEBOX                 0x0008u
#define SBS_SIZEGRIP                0x0010u

#define SBM_SETPOS            0x00E0
#define SBM_GETPOS            0x00E1
#define SBM_SETRANGE          0x00E2
#define SBM_GETRANGE          0x00E3
#define SBM_ENABLE_ARROWS     0x00E4
#define SBM_SETRANGEREDRAW    0x00E6
#define SBM_SETSCROLLINFO     0x00E9
#define SBM_GETSCROLLINFO     0x00EA

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// The scroll bars of a window: SB_HORZ/SB_VERT are the standard bars in the
// window's frame (WS_HSCROLL/WS_VSCROLL), SB_CTL a "ScrollBar" control
// itself. Ranges and positions are 32-bit.
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);

namespace ctl {
// The frame messages of a window with standard scroll bars (WM_NCPAINT
// draws the frame and them; WM_NCLBUTTONDOWN on one tracks the mouse and
// sends WM_HSCROLL/WM_VSCROLL to the window). True when handled, with
// *result set. The default window procedure does the same for every window,
// so a window procedure needs it only to act before its own handling.
bool HandleScrollBarFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Draws the standard bars of a window over its frame; the default
// WM_NCPAINT calls it after drawing the frame.
void PaintWindowScrollBars(HWND hwnd);
}  // namespace ctl
