// Window messages, notification codes, virtual keys, window styles and the
// other flag families of the window layer.
//
// Values follow the classic desktop numbering wherever stored data or
// existing code depends on them: private messages start at WM_USER (0x400),
// keyboard messages lie between WM_KEYFIRST and WM_KEYLAST (0x100..0x108),
// EN_CHANGE is 0x300, the class style bits combine to 0x4008 and so on.
// Control messages (EM_, LB_, CB_, BM_, STM_) and control styles live with
// the controls.
#pragma once

#include "platform/base/types.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"

// ---- Window messages -------------------------------------------------------
#define WM_NULL                0x0000
#define WM_CREATE              0x0001
#define WM_DESTROY             0x0002
#define WM_MOVE                0x0003
#define WM_SIZE                0x0005
#define WM_ACTIVATE            0x0006
#define WM_SETFOCUS            0x0007
#define WM_KILLFOCUS           0x0008
#define WM_ENABLE              0x000A
#define WM_SETREDRAW           0x000B
#define WM_SETTEXT             0x000C
#define WM_GETTEXT             0x000D
#define WM_GETTEXTLENGTH       0x000E
#define WM_PAINT               0x000F
#define WM_CLOSE               0x0010
#define WM_QUIT                0x0012
#define WM_ERASEBKGND          0x0014
#define WM_QUERYDRAGICON       0x0037
#define WM_SYSCOLORCHANGE      0x0015
#define WM_SHOWWINDOW          0x0018
#define WM_WININICHANGE        0x001A
#define WM_SETTINGCHANGE       WM_WININICHANGE
#define WM_ACTIVATEAPP         0x001C
#define WM_FONTCHANGE          0x001D
#define WM_CANCELMODE          0x001F
#define WM_SETCURSOR           0x0020
#define WM_MOUSEACTIVATE       0x0021
#define WM_CHILDACTIVATE       0x0022
#define WM_GETMINMAXINFO       0x0024
#define WM_DRAWITEM            0x002B
#define WM_MEASUREITEM         0x002C
#define WM_DELETEITEM          0x002D
#define WM_VKEYTOITEM          0x002E
#define WM_CHARTOITEM          0x002F
#define WM_SETFONT             0x0030
#define WM_GETFONT             0x0031
#define WM_COMPAREITEM         0x0039
#define WM_WINDOWPOSCHANGING   0x0046
#define WM_WINDOWPOSCHANGED    0x0047
#define WM_COPYDATA            0x004A
#define WM_NOTIFY              0x004E
#define WM_HELP                0x0053
#define WM_CONTEXTMENU         0x007B
#define WM_STYLECHANGING       0x007C
#define WM_STYLECHANGED        0x007D
#define WM_GETICON             0x007F
#define WM_SETICON             0x0080
#define ICON_SMALL             0
#define ICON_BIG               1
#define WM_NCCREATE            0x0081
#define WM_NCDESTROY           0x0082
#define WM_NCCALCSIZE          0x0083
#define WM_NCHITTEST           0x0084
#define WM_NCPAINT             0x0085
#define WM_NCACTIVATE          0x0086
#define WM_GETDLGCODE          0x0087
#define WM_NCMOUSEMOVE         0x00A0
#define WM_NCLBUTTONDOWN       0x00A1
#define WM_NCLBUTTONUP         0x00A2
#define WM_NCLBUTTONDBLCLK     0x00A3
#define WM_NCRBUTTONDOWN       0x00A4
#define WM_NCRBUTTONUP         0x00A5
#define WM_NCRBUTTONDBLCLK     0x00A6
#define WM_NCMBUTTONDOWN       0x00A7
#define WM_NCMBUTTONUP         0x00A8
#define WM_NCMBUTTONDBLCLK     0x00A9

#define WM_KEYFIRST            0x0100
#define WM_KEYDOWN             0x0100
#define WM_KEYUP               0x0101
#define WM_CHAR                0x0102
#define WM_DEADCHAR            0x0103
#define WM_SYSKEYDOWN          0x0104
#define WM_SYSKEYUP            0x0105
#define WM_SYSCHAR             0x0106
#define WM_SYSDEADCHAR         0x0107
#define WM_KEYLAST             0x0108

#define WM_IME_STARTCOMPOSITION 0x010D
#define WM_IME_ENDCOMPOSITION  0x010E
#define WM_IME_COMPOSITION     0x010F
#define WM_INITDIALOG          0x0110
#define WM_COMMAND             0x0111
#define WM_SYSCOMMAND          0x0112
#define WM_TIMER               0x0113
#define WM_HSCROLL             0x0114
#define WM_VSCROLL             0x0115
#define WM_INITMENU            0x0116
#define WM_INITMENUPOPUP       0x0117
#define WM_MENUSELECT          0x011F
#define WM_MENUCHAR            0x0120
#define WM_ENTERIDLE           0x0121

#define WM_CTLCOLORMSGBOX      0x0132
#define WM_CTLCOLOREDIT        0x0133
#define WM_CTLCOLORLISTBOX     0x0134
#define WM_CTLCOLORBTN         0x0135
#define WM_CTLCOLORDLG         0x0136
#define WM_CTLCOLORSCROLLBAR   0x0137
#define WM_CTLCOLORSTATIC      0x0138

#define WM_MOUSEFIRST          0x0200
#define WM_MOUSEMOVE           0x0200
#define WM_LBUTTONDOWN         0x0201
#define WM_LBUTTONUP           0x0202
#define WM_LBUTTONDBLCLK       0x0203
#define WM_RBUTTONDOWN         0x0204
#define WM_RBUTTONUP           0x0205
#define WM_RBUTTONDBLCLK       0x0206
#define WM_MBUTTONDOWN         0x0207
#define WM_MBUTTONUP           0x0208
#define WM_MBUTTONDBLCLK       0x0209
#define WM_MOUSEWHEEL          0x020A
#define WM_MOUSELAST           0x020A

#define WM_PARENTNOTIFY        0x0210
#define WM_ENTERMENULOOP       0x0211
#define WM_EXITMENULOOP        0x0212
#define WM_ENTERSIZEMOVE       0x0231
#define WM_EXITSIZEMOVE        0x0232
#define WM_MOUSEHOVER          0x02A1
#define WM_MOUSELEAVE          0x02A3

#define WM_CUT                 0x0300
#define WM_COPY                0x0301
#define WM_PASTE               0x0302
#define WM_CLEAR               0x0303
#define WM_UNDO                0x0304
#define WM_RENDERFORMAT        0x0305
#define WM_CAPTURECHANGED      0x0215

// Private messages of the framework layer (0x0360..0x037F).
#define WM_QUERYAFXWNDPROC     0x0360
#define WM_SIZEPARENT          0x0361
#define WM_IDLEUPDATECMDUI     0x0363
#define WM_INITIALUPDATE       0x0364
#define WM_COMMANDHELP         0x0365
#define WM_HELPHITTEST         0x0366
#define WM_KICKIDLE            0x036A

#define WM_USER                0x0400
#define WM_APP                 0x8000

// The framework reflects a control's notifications back to the control with
// the message number raised by this base.
#define WM_REFLECT_BASE        0xBC00

// The old common message of WM_CTLCOLOR* (carried in the handler's nCtlColor).
#define CTLCOLOR_MSGBOX        0
#define CTLCOLOR_EDIT          1
#define CTLCOLOR_LISTBOX       2
#define CTLCOLOR_BTN           3
#define CTLCOLOR_DLG           4
#define CTLCOLOR_SCROLLBAR     5
#define CTLCOLOR_STATIC        6

// ---- Notification codes (high word of WM_COMMAND's wParam) -----------------
#define BN_CLICKED             0
#define BN_PAINT               1
#define BN_HILITE              2
#define BN_UNHILITE            3
#define BN_DISABLE             4
#define BN_DOUBLECLICKED       5
#define BN_DBLCLK              BN_DOUBLECLICKED
#define BN_SETFOCUS            6
#define BN_KILLFOCUS           7

#define EN_SETFOCUS            0x0100
#define EN_KILLFOCUS           0x0200
#define EN_CHANGE              0x0300
#define EN_UPDATE              0x0400
#define EN_ERRSPACE            0x0500
#define EN_MAXTEXT             0x0501
#define EN_HSCROLL             0x0601
#define EN_VSCROLL             0x0602
#define EN_REQUESTRESIZE       0x0701

#define LBN_ERRSPACE           (-2)
#define LBN_SELCHANGE          1
#define LBN_DBLCLK             2
#define LBN_SELCANCEL          3
#define LBN_SETFOCUS           4
#define LBN_KILLFOCUS          5

#define CBN_ERRSPACE           (-1)
#define CBN_SELCHANGE          1
#define CBN_DBLCLK             2
#define CBN_SETFOCUS           3
#define CBN_KILLFOCUS          4
#define CBN_EDITCHANGE         5
#define CBN_EDITUPDATE         6
#define CBN_DROPDOWN           7
#define CBN_CLOSEUP            8
#define CBN_SELENDOK           9
#define CBN_SELENDCANCEL       10

#define STN_CLICKED            0
#define STN_DBLCLK             1
#define STN_ENABLE             2
#define STN_DISABLE            3

// WM_NOTIFY codes (negative, from the common controls' ranges).
#define NM_FIRST               0u
#define NM_OUTOFMEMORY         (NM_FIRST - 1)
#define NM_CLICK               (NM_FIRST - 2)
#define NM_DBLCLK              (NM_FIRST - 3)
#define NM_RETURN              (NM_FIRST - 4)
#define NM_RCLICK              (NM_FIRST - 5)
#define NM_RDBLCLK             (NM_FIRST - 6)
#define NM_SETFOCUS            (NM_FIRST - 7)
#define NM_KILLFOCUS           (NM_FIRST - 8)

// Key-message lParam bits.
#define KF_EXTENDED   0x0100
#define KF_ALTDOWN    0x2000
#define KF_REPEAT     0x4000
#define KF_UP         0x8000

// ---- Window styles ---------------------------------------------------------
#define WS_OVERLAPPED      0x00000000u
#define WS_POPUP           0x80000000u
#define WS_CHILD           0x40000000u
#define WS_MINIMIZE        0x20000000u
#define WS_VISIBLE         0x10000000u
#define WS_DISABLED        0x08000000u
#define WS_CLIPSIBLINGS    0x04000000u
#define WS_CLIPCHILDREN    0x02000000u
#define WS_MAXIMIZE        0x01000000u
#define WS_CAPTION         0x00C00000u
#define WS_BORDER          0x00800000u
#define WS_DLGFRAME        0x00400000u
#define WS_VSCROLL         0x00200000u
#define WS_HSCROLL         0x00100000u
#define WS_SYSMENU         0x00080000u
#define WS_THICKFRAME      0x00040000u
#define WS_GROUP           0x00020000u
#define WS_TABSTOP         0x00010000u
#define WS_MINIMIZEBOX     0x00020000u
#define WS_MAXIMIZEBOX     0x00010000u
#define WS_CHILDWINDOW     WS_CHILD
#define WS_ICONIC          WS_MINIMIZE
#define WS_SIZEBOX         WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW     (WS_POPUP | WS_BORDER | WS_SYSMENU)

#define WS_EX_DLGMODALFRAME    0x00000001u
#define WS_EX_NOPARENTNOTIFY   0x00000004u
#define WS_EX_TOPMOST          0x00000008u
#define WS_EX_ACCEPTFILES      0x00000010u
#define WS_EX_TRANSPARENT      0x00000020u
#define WS_EX_TOOLWINDOW       0x00000080u
#define WS_EX_WINDOWEDGE       0x00000100u
#define WS_EX_CLIENTEDGE       0x00000200u
#define WS_EX_CONTEXTHELP      0x00000400u
#define WS_EX_RIGHT            0x00001000u
#define WS_EX_RTLREADING       0x00002000u
#define WS_EX_LEFTSCROLLBAR    0x00004000u
#define WS_EX_CONTROLPARENT    0x00010000u
#define WS_EX_STATICEDGE       0x00020000u
#define WS_EX_APPWINDOW        0x00040000u
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)

// Class styles.
#define CS_VREDRAW         0x0001u
#define CS_HREDRAW         0x0002u
#define CS_DBLCLKS         0x0008u
#define CS_OWNDC           0x0020u
#define CS_CLASSDC         0x0040u
#define CS_PARENTDC        0x0080u
#define CS_NOCLOSE         0x0200u
#define CS_SAVEBITS        0x0800u
#define CS_BYTEALIGNCLIENT 0x1000u
#define CS_BYTEALIGNWINDOW 0x2000u
#define CS_GLOBALCLASS     0x4000u

#define CW_USEDEFAULT      (static_cast<int>(0x80000000u))

// ---- ShowWindow ------------------------------------------------------------
#define SW_HIDE            0
#define SW_SHOWNORMAL      1
#define SW_NORMAL          1
#define SW_SHOWMINIMIZED   2
#define SW_SHOWMAXIMIZED   3
#define SW_MAXIMIZE        3
#define SW_SHOWNOACTIVATE  4
#define SW_SHOW            5
#define SW_MINIMIZE        6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA          8
#define SW_RESTORE         9
#define SW_SHOWDEFAULT     10

// ScrollWindowEx flags (share the SW_ prefix).
#define SW_SCROLLCHILDREN  0x0001u
#define SW_INVALIDATE      0x0002u
#define SW_ERASE           0x0004u

// WM_SIZE types.
#define SIZE_RESTORED      0
#define SIZE_MINIMIZED     1
#define SIZE_MAXIMIZED     2
#define SIZE_MAXSHOW       3
#define SIZE_MAXHIDE       4

// WM_ACTIVATE states; WM_MOUSEACTIVATE replies.
#define WA_INACTIVE        0
#define WA_ACTIVE          1
#define WA_CLICKACTIVE     2
#define MA_ACTIVATE        1
#define MA_ACTIVATEANDEAT  2
#define MA_NOACTIVATE      3
#define MA_NOACTIVATEANDEAT 4

// ---- SetWindowPos ----------------------------------------------------------
#define SWP_NOSIZE         0x0001u
#define SWP_NOMOVE         0x0002u
#define SWP_NOZORDER       0x0004u
#define SWP_NOREDRAW       0x0008u
#define SWP_NOACTIVATE     0x0010u
#define SWP_FRAMECHANGED   0x0020u
#define SWP_DRAWFRAME      SWP_FRAMECHANGED
#define SWP_SHOWWINDOW     0x0040u
#define SWP_HIDEWINDOW     0x0080u
#define SWP_NOCOPYBITS     0x0100u
#define SWP_NOOWNERZORDER  0x0200u
#define SWP_NOSENDCHANGING 0x0400u

// Special insert-after handles of SetWindowPos.
#define HWND_TOP        (reinterpret_cast<HWND>(0))
#define HWND_BOTTOM     (reinterpret_cast<HWND>(1))
#define HWND_TOPMOST    (reinterpret_cast<HWND>(-1))
#define HWND_NOTOPMOST  (reinterpret_cast<HWND>(-2))

// ---- GetWindow -------------------------------------------------------------
#define GW_HWNDFIRST 0
#define GW_HWNDLAST  1
#define GW_HWNDNEXT  2
#define GW_HWNDPREV  3
#define GW_OWNER     4
#define GW_CHILD     5

// GetAncestor
#define GA_PARENT    1
#define GA_ROOT      2
#define GA_ROOTOWNER 3

// ChildWindowFromPointEx
#define CWP_ALL             0x0000u
#define CWP_SKIPINVISIBLE   0x0001u
#define CWP_SKIPDISABLED    0x0002u
#define CWP_SKIPTRANSPARENT 0x0004u

// ---- Hit-test codes (WM_NCHITTEST) -----------------------------------------
#define HTERROR       (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE     0
#define HTCLIENT      1
#define HTCAPTION     2
#define HTSYSMENU     3
#define HTGROWBOX     4
#define HTSIZE        HTGROWBOX
#define HTMENU        5
#define HTHSCROLL     6
#define HTVSCROLL     7
#define HTMINBUTTON   8
#define HTMAXBUTTON   9
#define HTLEFT        10
#define HTRIGHT       11
#define HTTOP         12
#define HTTOPLEFT     13
#define HTTOPRIGHT    14
#define HTBOTTOM      15
#define HTBOTTOMLEFT  16
#define HTBOTTOMRIGHT 17
#define HTBORDER      18
#define HTCLOSE       20
#define HTHELP        21

// ---- Mouse key state (wParam of mouse messages) ----------------------------
#define MK_LBUTTON    0x0001u
#define MK_RBUTTON    0x0002u
#define MK_SHIFT      0x0004u
#define MK_CONTROL    0x0008u
#define MK_MBUTTON    0x0010u

// ---- Window longs ----------------------------------------------------------
#define GWL_WNDPROC     (-4)
#define GWLP_WNDPROC    (-4)
#define GWL_HINSTANCE   (-6)
#define GWLP_HINSTANCE  (-6)
#define GWL_HWNDPARENT  (-8)
#define GWLP_HWNDPARENT (-8)
#define GWL_STYLE       (-16)
#define GWL_EXSTYLE     (-20)
#define GWL_USERDATA    (-21)
#define GWLP_USERDATA   (-21)
#define GWL_ID          (-12)
#define GWLP_ID         (-12)
#define DWL_MSGRESULT   0
#define DWLP_MSGRESULT  0

// Class longs.
#define GCL_STYLE       (-26)
#define GCLP_HCURSOR    (-12)
#define GCLP_HBRBACKGROUND (-10)
#define GCL_CBWNDEXTRA  (-18)

// ---- System metrics --------------------------------------------------------
#define SM_CXSCREEN        0
#define SM_CYSCREEN        1
#define SM_CXVSCROLL       2
#define SM_CYHSCROLL       3
#define SM_CYCAPTION       4
#define SM_CXBORDER        5
#define SM_CYBORDER        6
#define SM_CXDLGFRAME      7
#define SM_CYDLGFRAME      8
#define SM_CYVTHUMB        9
#define SM_CXHTHUMB        10
#define SM_CXICON          11
#define SM_CYICON          12
#define SM_CXCURSOR        13
#define SM_CYCURSOR        14
#define SM_CYMENU          15
#define SM_CXFULLSCREEN    16
#define SM_CYFULLSCREEN    17
#define SM_CYVSCROLL       20
#define SM_CXHSCROLL       21
#define SM_CXMIN           28
#define SM_CYMIN           29
#define SM_CXSIZE          30
#define SM_CYSIZE          31
#define SM_CXFRAME         32
#define SM_CYFRAME         33
#define SM_CXMINTRACK      34
#define SM_CYMINTRACK      35
#define SM_CXDOUBLECLK     36
#define SM_CYDOUBLECLK     37
#define SM_CXICONSPACING   38
#define SM_CYICONSPACING   39
#define SM_MENUDROPALIGNMENT 40
#define SM_DBCSENABLED     42
#define SM_CMOUSEBUTTONS   43
#define SM_CXFIXEDFRAME    SM_CXDLGFRAME
#define SM_CYFIXEDFRAME    SM_CYDLGFRAME
#define SM_CXSIZEFRAME     SM_CXFRAME
#define SM_CYSIZEFRAME     SM_CYFRAME
#define SM_CXEDGE          45
#define SM_CYEDGE          46
#define SM_CXSMICON        49
#define SM_CYSMICON        50
#define SM_CYSMCAPTION     51
#define SM_CXMAXIMIZED     61
#define SM_CYMAXIMIZED     62
#define SM_MOUSEWHEELPRESENT 75
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS       80

// SystemParametersInfo actions.
#define SPI_GETWORKAREA          0x0030
#define SPI_GETWHEELSCROLLLINES  0x0068
#define SPI_GETNONCLIENTMETRICS  0x0029

// ---- Scroll bars -----------------------------------------------------------
#define SB_HORZ            0
#define SB_VERT            1
#define SB_CTL             2
#define SB_BOTH            3

#define SB_LINEUP          0
#define SB_LINELEFT        0
#define SB_LINEDOWN        1
#define SB_LINERIGHT       1
#define SB_PAGEUP          2
#define SB_PAGELEFT        2
#define SB_PAGEDOWN        3
#define SB_PAGERIGHT       3
#define SB_THUMBPOSITION   4
#define SB_THUMBTRACK      5
#define SB_TOP             6
#define SB_LEFT            6
#define SB_BOTTOM          7
#define SB_RIGHT           7
#define SB_ENDSCROLL       8

#define SIF_RANGE           0x0001u
#define SIF_PAGE            0x0002u
#define SIF_POS             0x0004u
#define SIF_DISABLENOSCROLL 0x0008u
#define SIF_TRACKPOS        0x0010u
#define SIF_ALL             (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)

#define ESB_ENABLE_BOTH     0x0000u
#define ESB_DISABLE_LEFT    0x0001u
#define ESB_DISABLE_RIGHT   0x0002u
#define ESB_DISABLE_UP      0x0001u
#define ESB_DISABLE_DOWN    0x0002u
#define ESB_DISABLE_LTUP    ESB_DISABLE_LEFT
#define ESB_DISABLE_RTDN    ESB_DISABLE_RIGHT
#define ESB_DISABLE_BOTH    0x0003u

// ---- Queue -----------------------------------------------------------------
#define PM_NOREMOVE   0x0000u
#define PM_REMOVE     0x0001u
#define PM_NOYIELD    0x0002u

#define QS_KEY        0x0001u
#define QS_MOUSEMOVE  0x0002u
#define QS_MOUSEBUTTON 0x0004u
#define QS_POSTMESSAGE 0x0008u
#define QS_TIMER      0x0010u
#define QS_PAINT      0x0020u
#define QS_SENDMESSAGE 0x0040u
#define QS_MOUSE      (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT      (QS_MOUSE | QS_KEY)
#define QS_ALLINPUT   (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE)
// PeekMessage kinds: with any of them given, only those kinds are looked at;
// without the input kind no new input is taken from the host.
#define PM_QS_INPUT       (QS_INPUT << 16)
#define PM_QS_POSTMESSAGE ((QS_POSTMESSAGE | QS_TIMER) << 16)

// ---- RedrawWindow ----------------------------------------------------------
#define RDW_INVALIDATE      0x0001u
#define RDW_INTERNALPAINT   0x0002u
#define RDW_ERASE           0x0004u
#define RDW_VALIDATE        0x0008u
#define RDW_NOINTERNALPAINT 0x0010u
#define RDW_NOERASE         0x0020u
#define RDW_NOCHILDREN      0x0040u
#define RDW_ALLCHILDREN     0x0080u
#define RDW_UPDATENOW       0x0100u
#define RDW_ERASENOW        0x0200u
#define RDW_FRAME           0x0400u
#define RDW_NOFRAME         0x0800u

// GetDCEx flags.
#define DCX_WINDOW          0x00000001u
#define DCX_CACHE           0x00000002u
#define DCX_NORESETATTRS    0x00000004u
#define DCX_CLIPCHILDREN    0x00000008u
#define DCX_CLIPSIBLINGS    0x00000010u
#define DCX_PARENTCLIP      0x00000020u
#define DCX_EXCLUDERGN      0x00000040u
#define DCX_INTERSECTRGN    0x00000080u

// ---- WM_GETDLGCODE replies -------------------------------------------------
#define DLGC_WANTARROWS      0x0001u
#define DLGC_WANTTAB         0x0002u
#define DLGC_WANTALLKEYS     0x0004u
#define DLGC_WANTMESSAGE     0x0004u
#define DLGC_HASSETSEL       0x0008u
#define DLGC_DEFPUSHBUTTON   0x0010u
#define DLGC_UNDEFPUSHBUTTON 0x0020u
#define DLGC_RADIOBUTTON     0x0040u
#define DLGC_WANTCHARS       0x0080u
#define DLGC_STATIC          0x0100u
#define DLGC_BUTTON          0x2000u

// ---- WM_SYSCOMMAND ---------------------------------------------------------
#define SC_SIZE         0xF000u
#define SC_MOVE         0xF010u
#define SC_MINIMIZE     0xF020u
#define SC_MAXIMIZE     0xF030u
#define SC_NEXTWINDOW   0xF040u
#define SC_PREVWINDOW   0xF050u
#define SC_CLOSE        0xF060u
#define SC_VSCROLL      0xF070u
#define SC_HSCROLL      0xF080u
#define SC_MOUSEMENU    0xF090u
#define SC_KEYMENU      0xF100u
#define SC_RESTORE      0xF120u
#define SC_TASKLIST     0xF130u
#define SC_CONTEXTHELP  0xF180u

// ---- Owner-draw ------------------------------------------------------------
#define ODT_MENU        1
#define ODT_LISTBOX     2
#define ODT_COMBOBOX    3
#define ODT_BUTTON      4
#define ODT_STATIC      5
#define ODA_DRAWENTIRE  0x0001u
#define ODA_SELECT      0x0002u
#define ODA_FOCUS       0x0004u
#define ODS_SELECTED    0x0001u
#define ODS_GRAYED      0x0002u
#define ODS_DISABLED    0x0004u
#define ODS_CHECKED     0x0008u
#define ODS_FOCUS       0x0010u
#define ODS_DEFAULT     0x0020u
#define ODS_COMBOBOXEDIT 0x1000u

// ---- Clipboard formats -----------------------------------------------------
#define CF_TEXT         1
#define CF_BITMAP       2
#define CF_OEMTEXT      7
#define CF_UNICODETEXT  13

// ---- Stock cursors and icons (resource ids of LoadCursor/LoadIcon) ---------
#define IDC_ARROW       MAKEINTRESOURCE(32512)
#define IDC_IBEAM       MAKEINTRESOURCE(32513)
#define IDC_WAIT        MAKEINTRESOURCE(32514)
#define IDC_CROSS       MAKEINTRESOURCE(32515)
#define IDC_UPARROW     MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE    MAKEINTRESOURCE(32642)
#define IDC_SIZENESW    MAKEINTRESOURCE(32643)
#define IDC_SIZEWE      MAKEINTRESOURCE(32644)
#define IDC_SIZENS      MAKEINTRESOURCE(32645)
#define IDC_SIZEALL     MAKEINTRESOURCE(32646)
#define IDC_NO          MAKEINTRESOURCE(32648)
#define IDC_HAND        MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND        MAKEINTRESOURCE(32513)
#define IDI_QUESTION    MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK    MAKEINTRESOURCE(32516)
#define IDI_ERROR       IDI_HAND
#define IDI_WARNING     IDI_EXCLAMATION
#define IDI_INFORMATION IDI_ASTERISK
