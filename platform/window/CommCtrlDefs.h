// Class names, styles, messages, notifications and structures of the common
// controls: tab control, header, list view, up-down. The numbers follow the
// classic desktop numbering, so that style words and message numbers read as
// they always did.
#pragma once

#include "platform/gfx/GdiDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

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

// ---- Header ------------------------------------------------------------------
#define HDS_BUTTONS 0x0002u
#define HDS_HIDDEN  0x0008u

#define HDI_WIDTH  0x0001u
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT   0x0002u
#define HDI_FORMAT 0x0004u
#define HDI_LPARAM 0x0008u

#define HDF_LEFT      0x0000
#define HDF_RIGHT     0x0001
#define HDF_CENTER    0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_STRING    0x4000

struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
  LPSTR pszText = nullptr;
  HBITMAP hbm = nullptr;
  int cchTextMax = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  LPARAM lParam = 0;
  int iImage = 0;
  int iOrder = 0;
};
using LPHDITEM = HDITEM*;

struct HDLAYOUT {
  RECT* prc;
  WINDOWPOS* pwpos;
};

#define HHT_NOWHERE   0x0001u
#define HHT_ONHEADER  0x0002u
#define HHT_ONDIVIDER 0x0004u
#define HHT_TOLEFT    0x0800u
#define HHT_TORIGHT   0x0400u

struct HDHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
};

#define HDM_FIRST        0x1200
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_INSERTITEM   (HDM_FIRST + 1)
#define HDM_DELETEITEM   (HDM_FIRST + 2)
#define HDM_GETITEM      (HDM_FIRST + 3)
#define HDM_SETITEM      (HDM_FIRST + 4)
#define HDM_LAYOUT       (HDM_FIRST + 5)
#define HDM_HITTEST      (HDM_FIRST + 6)
#define HDM_GETITEMRECT  (HDM_FIRST + 7)

#define HDN_FIRST           (0u - 300u)
#define HDN_ITEMCHANGING    (HDN_FIRST - 0)
#define HDN_ITEMCHANGED     (HDN_FIRST - 1)
#define HDN_ITEMCLICK       (HDN_FIRST - 2)
#define HDN_ITEMDBLCLICK    (HDN_FIRST - 3)
#define HDN_DIVIDERDBLCLICK (HDN_FIRST - 5)
#define HDN_BEGINTRACK      (HDN_FIRST - 6)
#define HDN_ENDTRACK        (HDN_FIRST - 7)
#define HDN_TRACK           (HDN_FIRST - 8)

struct NMHEADER {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEM* pitem;
};

// ---- List view (report mode) ---------------------------------------------------
#define LVS_ICON            0x0000u
#define LVS_REPORT          0x0001u
#define LVS_SMALLICON       0x0002u
#define LVS_LIST            0x0003u
#define LVS_TYPEMASK        0x0003u
#define LVS_SINGLESEL       0x0004u
#define LVS_SHOWSELALWAYS   0x0008u
#define LVS_NOLABELWRAP     0x0080u
#define LVS_NOCOLUMNHEADER  0x4000u
#define LVS_NOSORTHEADER    0x8000u

#define LVS_EX_GRIDLINES     0x00000001u
#define LVS_EX_FULLROWSELECT 0x00000020u

#define LVIF_TEXT  0x0001u
#define LVIF_IMAGE 0x0002u
#define LVIF_PARAM 0x0004u
#define LVIF_STATE 0x0008u

#define LVIS_FOCUSED  0x0001u
#define LVIS_SELECTED 0x0002u

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
};
using LPLVITEM = LVITEM*;

#define LVCF_FMT     0x0001u
#define LVCF_WIDTH   0x0002u
#define LVCF_TEXT    0x0004u
#define LVCF_SUBITEM 0x0008u

#define LVCFMT_LEFT   0x0000
#define LVCFMT_RIGHT  0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
};
using LPLVCOLUMN = LVCOLUMN*;

#define LVNI_ALL      0x0000u
#define LVNI_FOCUSED  0x0001u
#define LVNI_SELECTED 0x0002u
#define LVNI_ABOVE    0x0100u
#define LVNI_BELOW    0x0200u

#define LVHT_NOWHERE     0x0001u
#define LVHT_ONITEMICON  0x0002u
#define LVHT_ONITEMLABEL 0x0004u
#define LVHT_ONITEMSTATEICON 0x0008u
#define LVHT_ONITEM      (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_BELOW       0x0010u

struct LVHITTESTINFO {
  POINT pt{};
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

#define LVIR_BOUNDS       0
#define LVIR_ICON         1
#define LVIR_LABEL        2
#define LVIR_SELECTBOUNDS 3

#define LVFI_PARAM   0x0001u
#define LVFI_STRING  0x0002u
#define LVFI_PARTIAL 0x0008u

struct LVFINDINFO {
  UINT flags = 0;
  LPCSTR psz = nullptr;
  LPARAM lParam = 0;
  POINT pt{};
  UINT vkDirection = 0;
};

#define LVSCW_AUTOSIZE           (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

// Compares two items by their item data; negative, zero or positive.
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

#define LVM_FIRST                    0x1000
#define LVM_GETBKCOLOR               (LVM_FIRST + 0)
#define LVM_SETBKCOLOR               (LVM_FIRST + 1)
#define LVM_GETITEMCOUNT             (LVM_FIRST + 4)
#define LVM_GETITEM                  (LVM_FIRST + 5)
#define LVM_SETITEM                  (LVM_FIRST + 6)
#define LVM_INSERTITEM               (LVM_FIRST + 7)
#define LVM_DELETEITEM               (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS           (LVM_FIRST + 9)
#define LVM_GETNEXTITEM              (LVM_FIRST + 12)
#define LVM_FINDITEM                 (LVM_FIRST + 13)
#define LVM_GETITEMRECT              (LVM_FIRST + 14)
#define LVM_GETSTRINGWIDTH           (LVM_FIRST + 17)
#define LVM_HITTEST                  (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE            (LVM_FIRST + 19)
#define LVM_SCROLL                   (LVM_FIRST + 20)
#define LVM_REDRAWITEMS              (LVM_FIRST + 21)
#define LVM_GETCOLUMN                (LVM_FIRST + 25)
#define LVM_SETCOLUMN                (LVM_FIRST + 26)
#define LVM_INSERTCOLUMN             (LVM_FIRST + 27)
#define LVM_DELETECOLUMN             (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH           (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH           (LVM_FIRST + 30)
#define LVM_GETHEADER                (LVM_FIRST + 31)
#define LVM_GETTEXTCOLOR             (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR             (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR           (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR           (LVM_FIRST + 38)
#define LVM_GETTOPINDEX              (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE          (LVM_FIRST + 40)
#define LVM_SETITEMSTATE             (LVM_FIRST + 43)
#define LVM_GETITEMSTATE             (LVM_FIRST + 44)
#define LVM_GETITEMTEXT              (LVM_FIRST + 45)
#define LVM_SETITEMTEXT              (LVM_FIRST + 46)
#define LVM_SORTITEMS                (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT         (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_SUBITEMHITTEST           (LVM_FIRST + 57)
#define LVM_GETSELECTIONMARK         (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK         (LVM_FIRST + 67)

#define LVN_FIRST           (0u - 100u)
#define LVN_ITEMCHANGING    (LVN_FIRST - 0)
#define LVN_ITEMCHANGED     (LVN_FIRST - 1)
#define LVN_INSERTITEM      (LVN_FIRST - 2)
#define LVN_DELETEITEM      (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS  (LVN_FIRST - 4)
#define LVN_COLUMNCLICK     (LVN_FIRST - 8)
#define LVN_KEYDOWN         (LVN_FIRST - 55)

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;

// NM_CLICK, NM_DBLCLK, NM_RCLICK and NM_RETURN of a list view.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};

// ---- Tree view ---------------------------------------------------------------------
#define WC_TREEVIEW "SysTreeView32"

#define TVS_HASBUTTONS    0x0001u
#define TVS_HASLINES      0x0002u
#define TVS_LINESATROOT   0x0004u
#define TVS_DISABLEDRAGDROP 0x0010u
#define TVS_SHOWSELALWAYS 0x0020u

struct TreeItemTag;
using HTREEITEM = TreeItemTag*;

#define TVI_ROOT  (reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFF)))
#define TVI_LAST  (reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFE)))
#define TVI_SORT  (reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(-0x0FFFD)))

#define TVIF_TEXT          0x0001u
#define TVIF_IMAGE         0x0002u
#define TVIF_PARAM         0x0004u
#define TVIF_STATE         0x0008u
#define TVIF_HANDLE        0x0010u
#define TVIF_SELECTEDIMAGE 0x0020u
#define TVIF_CHILDREN      0x0040u

#define TVIS_SELECTED 0x0002u
#define TVIS_EXPANDED 0x0020u

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};
using LPTVITEM = TVITEM*;

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;
  TVITEM item;
};

#define TVE_COLLAPSE 0x0001u
#define TVE_EXPAND   0x0002u
#define TVE_TOGGLE   0x0003u

#define TVGN_ROOT            0x0000u
#define TVGN_NEXT            0x0001u
#define TVGN_PREVIOUS        0x0002u
#define TVGN_PARENT          0x0003u
#define TVGN_CHILD           0x0004u
#define TVGN_FIRSTVISIBLE    0x0005u
#define TVGN_NEXTVISIBLE     0x0006u
#define TVGN_PREVIOUSVISIBLE 0x0007u
#define TVGN_CARET           0x0009u

#define TVHT_NOWHERE         0x0001u
#define TVHT_ONITEMICON      0x0002u
#define TVHT_ONITEMLABEL     0x0004u
#define TVHT_ONITEM          (TVHT_ONITEMICON | TVHT_ONITEMLABEL)
#define TVHT_ONITEMINDENT    0x0008u
#define TVHT_ONITEMBUTTON    0x0010u
#define TVHT_ONITEMRIGHT     0x0020u

struct TVHITTESTINFO {
  POINT pt{};
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

#define TVC_UNKNOWN    0x0000u
#define TVC_BYMOUSE    0x0001u
#define TVC_BYKEYBOARD 0x0002u

#define TVM_FIRST           0x1100
#define TVM_INSERTITEM      (TVM_FIRST + 0)
#define TVM_DELETEITEM      (TVM_FIRST + 1)
#define TVM_EXPAND          (TVM_FIRST + 2)
#define TVM_GETITEMRECT     (TVM_FIRST + 4)
#define TVM_GETCOUNT        (TVM_FIRST + 5)
#define TVM_GETINDENT       (TVM_FIRST + 6)
#define TVM_SETINDENT       (TVM_FIRST + 7)
#define TVM_GETNEXTITEM     (TVM_FIRST + 10)
#define TVM_SELECTITEM      (TVM_FIRST + 11)
#define TVM_GETITEM         (TVM_FIRST + 12)
#define TVM_SETITEM         (TVM_FIRST + 13)
#define TVM_GETVISIBLECOUNT (TVM_FIRST + 16)
#define TVM_HITTEST         (TVM_FIRST + 17)
#define TVM_ENSUREVISIBLE   (TVM_FIRST + 20)

#define TVN_FIRST          (0u - 400u)
#define TVN_SELCHANGING    (TVN_FIRST - 1)
#define TVN_SELCHANGED     (TVN_FIRST - 2)
#define TVN_ITEMEXPANDING  (TVN_FIRST - 5)
#define TVN_ITEMEXPANDED   (TVN_FIRST - 6)
#define TVN_DELETEITEM     (TVN_FIRST - 9)
#define TVN_KEYDOWN        (TVN_FIRST - 12)

struct NMTREEVIEW {
  NMHDR hdr;
  UINT action;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};
using LPNMTREEVIEW = NMTREEVIEW*;

struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};

// ---- Month calendar --------------------------------------------------------------
#define MONTHCAL_CLASS "SysMonthCal32"

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
using LPSYSTEMTIME = SYSTEMTIME*;

#define MCS_NOTODAYCIRCLE 0x0008u
#define MCS_NOTODAY       0x0010u

#define MCSC_BACKGROUND   0
#define MCSC_TEXT         1
#define MCSC_TITLEBK      2
#define MCSC_TITLETEXT    3
#define MCSC_MONTHBK      4
#define MCSC_TRAILINGTEXT 5

#define MCHT_NOWHERE        0x00000000u
#define MCHT_TITLEBTNNEXT   0x01010003u
#define MCHT_TITLEBTNPREV   0x01020003u
#define MCHT_TITLE          0x00010000u
#define MCHT_CALENDARDATE   0x00020001u
#define MCHT_CALENDARDATENEXT 0x01020001u
#define MCHT_CALENDARDATEPREV 0x02020001u
#define MCHT_TODAYLINK      0x00030000u

struct MCHITTESTINFO {
  UINT cbSize = sizeof(MCHITTESTINFO);
  POINT pt{};
  UINT uHit = 0;
  SYSTEMTIME st;
};

#define MCM_FIRST         0x1000
#define MCM_GETCURSEL     (MCM_FIRST + 1)
#define MCM_SETCURSEL     (MCM_FIRST + 2)
#define MCM_GETMINREQRECT (MCM_FIRST + 9)
#define MCM_SETCOLOR      (MCM_FIRST + 10)
#define MCM_GETCOLOR      (MCM_FIRST + 11)
#define MCM_SETTODAY      (MCM_FIRST + 12)
#define MCM_GETTODAY      (MCM_FIRST + 13)
#define MCM_HITTEST       (MCM_FIRST + 14)

#define MCN_FIRST     (0u - 750u)
#define MCN_SELCHANGE (MCN_FIRST + 1)
#define MCN_SELECT    (MCN_FIRST + 4)

struct NMSELCHANGE {
  NMHDR nmhdr;
  SYSTEMTIME stSelStart;
  SYSTEMTIME stSelEnd;
};

// ---- Up-down -----------------------------------------------------------------------
#define UDS_WRAP        0x0001u
#define UDS_SETBUDDYINT 0x0002u
#define UDS_ALIGNRIGHT  0x0004u
#define UDS_ALIGNLEFT   0x0008u
#define UDS_AUTOBUDDY   0x0010u
#define UDS_ARROWKEYS   0x0020u
#define UDS_HORZ        0x0040u
#define UDS_NOTHOUSANDS 0x0080u

#define UDM_SETRANGE   (WM_USER + 101)
#define UDM_GETRANGE   (WM_USER + 102)
#define UDM_SETPOS     (WM_USER + 103)
#define UDM_GETPOS     (WM_USER + 104)
#define UDM_SETBUDDY   (WM_USER + 105)
#define UDM_GETBUDDY   (WM_USER + 106)
#define UDM_SETBASE    (WM_USER + 109)
#define UDM_GETBASE    (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32   (WM_USER + 113)
#define UDM_GETPOS32   (WM_USER + 114)

#define UDN_FIRST    (0u - 721u)
#define UDN_DELTAPOS (UDN_FIRST - 1)

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
