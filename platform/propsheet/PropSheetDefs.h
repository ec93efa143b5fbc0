// Flags, messages and notifications of property sheets and their pages, in
// the classic numbering.
#pragma once

#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

// Sheet flags (CPropertySheet::m_psh.dwFlags).
#define PSH_WIZARD     0x00000020u
#define PSH_NOAPPLYNOW 0x00000080u
#define PSH_HASHELP    0x00000200u

// Page flags (CPropertyPage::m_psp.dwFlags).
#define PSP_USETITLE 0x00000008u
#define PSP_HASHELP  0x00000020u

// Wizard buttons (PSM_SETWIZBUTTONS).
#define PSWIZB_BACK           0x00000001u
#define PSWIZB_NEXT           0x00000002u
#define PSWIZB_FINISH         0x00000004u
#define PSWIZB_DISABLEDFINISH 0x00000008u

// Buttons for PSM_PRESSBUTTON.
#define PSBTN_BACK     0
#define PSBTN_NEXT     1
#define PSBTN_FINISH   2
#define PSBTN_OK       3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL   5
#define PSBTN_HELP     6

// Control ids of the sheet's own windows.
#define AFX_IDC_TAB_CONTROL 0x3020
#define ID_APPLY_NOW        0x3021
#define ID_WIZBACK          0x3023
#define ID_WIZNEXT          0x3024
#define ID_WIZFINISH        0x3025

// Messages to the sheet.
#define PSM_SETCURSEL          (WM_USER + 101)
#define PSM_REMOVEPAGE         (WM_USER + 102)
#define PSM_CHANGED            (WM_USER + 104)
#define PSM_CANCELTOCLOSE      (WM_USER + 107)
#define PSM_QUERYSIBLINGS      (WM_USER + 108)
#define PSM_UNCHANGED          (WM_USER + 109)
#define PSM_APPLY              (WM_USER + 110)
#define PSM_SETTITLE           (WM_USER + 111)
#define PSM_SETWIZBUTTONS      (WM_USER + 112)
#define PSM_PRESSBUTTON        (WM_USER + 113)
#define PSM_SETCURSELID        (WM_USER + 114)
#define PSM_SETFINISHTEXT      (WM_USER + 115)
#define PSM_GETTABCONTROL      (WM_USER + 116)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)

// Notifications to a page (WM_NOTIFY from the sheet; the page answers with
// its result).
#define PSN_FIRST       (0u - 200u)
#define PSN_SETACTIVE   (PSN_FIRST - 0)
#define PSN_KILLACTIVE  (PSN_FIRST - 1)
#define PSN_APPLY       (PSN_FIRST - 2)
#define PSN_RESET       (PSN_FIRST - 3)
#define PSN_HELP        (PSN_FIRST - 5)
#define PSN_WIZBACK     (PSN_FIRST - 6)
#define PSN_WIZNEXT     (PSN_FIRST - 7)
#define PSN_WIZFINISH   (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

// Answers to PSN_APPLY.
#define PSNRET_NOERROR              0
#define PSNRET_INVALID              1
#define PSNRET_INVALID_NOCHANGEPAGE 2

struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
};

struct PROPSHEETHEADER {
  DWORD dwFlags = 0;
  UINT nStartPage = 0;
};

struct PROPSHEETPAGE {
  DWORD dwFlags = PSP_HASHELP;
  LPCSTR pszTitle = nullptr;
};
