// The rich edit control's numbers and records: its class name, messages,
// notifications, event and option bits, and the character, paragraph,
// stream, find and print records, with their classic values so that code
// written against the control reads as it always did.
#pragma once

#include "platform/base/types.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

#define RICHEDIT_CLASS "RichEdit20A"

#define EM_CANPASTE         (WM_USER + 50)
#define EM_EXGETSEL         (WM_USER + 52)
#define EM_EXLIMITTEXT      (WM_USER + 53)
#define EM_EXLINEFROMCHAR   (WM_USER + 54)
#define EM_EXSETSEL         (WM_USER + 55)
#define EM_FINDTEXT         (WM_USER + 56)
#define EM_FORMATRANGE      (WM_USER + 57)
#define EM_GETCHARFORMAT    (WM_USER + 58)
#define EM_GETEVENTMASK     (WM_USER + 59)
#define EM_GETPARAFORMAT    (WM_USER + 61)
#define EM_GETSELTEXT       (WM_USER + 62)
#define EM_REQUESTRESIZE    (WM_USER + 65)
#define EM_SETBKGNDCOLOR    (WM_USER + 67)
#define EM_SETCHARFORMAT    (WM_USER + 68)
#define EM_SETEVENTMASK     (WM_USER + 69)
#define EM_SETPARAFORMAT    (WM_USER + 71)
#define EM_SETTARGETDEVICE  (WM_USER + 72)
#define EM_STREAMIN         (WM_USER + 73)
#define EM_STREAMOUT        (WM_USER + 74)
#define EM_GETTEXTRANGE     (WM_USER + 75)
#define EM_SETOPTIONS       (WM_USER + 77)
#define EM_GETOPTIONS       (WM_USER + 78)
#define EM_FINDTEXTEX       (WM_USER + 79)
#define EM_GETTEXTLENGTHEX  (WM_USER + 95)

// Notifications (WM_NOTIFY to the parent).
#define EN_REQUESTRESIZE 0x0701
#define EN_SELCHANGE     0x0702

// Event mask.
#define ENM_NONE          0x00000000
#define ENM_CHANGE        0x00000001
#define ENM_UPDATE        0x00000002
#define ENM_SCROLL        0x00000004
#define ENM_REQUESTRESIZE 0x00040000
#define ENM_SELCHANGE     0x00080000
#define ENM_PROTECTED     0x00200000

// Options and how EM_SETOPTIONS combines them.
#define ECO_AUTOWORDSELECTION 0x00000001
#define ECO_AUTOVSCROLL       0x00000040
#define ECO_AUTOHSCROLL       0x00000080
#define ECO_NOHIDESEL         0x00000100
#define ECO_READONLY          0x00000800
#define ECO_WANTRETURN        0x00001000
#define ECO_SAVESEL           0x00008000
#define ECOOP_SET 1
#define ECOOP_OR  2
#define ECOOP_AND 3
#define ECOOP_XOR 4

// Character format: which members count, and the effects.
#define CFM_BOLD      0x00000001
#define CFM_ITALIC    0x00000002
#define CFM_UNDERLINE 0x00000004
#define CFM_STRIKEOUT 0x00000008
#define CFM_PROTECTED 0x00000010
#define CFM_CHARSET   0x08000000
#define CFM_FACE      0x20000000
#define CFM_COLOR     0x40000000
#define CFM_SIZE      0x80000000
#define CFE_BOLD      0x00000001
#define CFE_ITALIC    0x00000002
#define CFE_UNDERLINE 0x00000004
#define CFE_STRIKEOUT 0x00000008
#define CFE_AUTOCOLOR 0x40000000

// Where EM_SETCHARFORMAT applies.
#define SCF_DEFAULT   0x0000
#define SCF_SELECTION 0x0001
#define SCF_WORD      0x0002
#define SCF_ALL       0x0004

#define PFM_ALIGNMENT 0x00000008
#define PFA_LEFT   1
#define PFA_RIGHT  2
#define PFA_CENTER 3

// Streams.
#define SF_TEXT       0x0001
#define SF_RTF        0x0002
#define SFF_SELECTION 0x8000

// Find flags, as the find dialog names them.
#ifndef FR_DOWN
#define FR_DOWN                 0x00000001
#define FR_WHOLEWORD            0x00000002
#define FR_MATCHCASE            0x00000004
#endif

struct CHARFORMAT {
  UINT cbSize = sizeof(CHARFORMAT);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  LONG yHeight = 0;  // twips
  LONG yOffset = 0;
  COLORREF crTextColor = 0;
  BYTE bCharSet = 0;
  BYTE bPitchAndFamily = 0;
  char szFaceName[32] = {};
};

struct PARAFORMAT {
  UINT cbSize = sizeof(PARAFORMAT);
  DWORD dwMask = 0;
  WORD wNumbering = 0;
  WORD wReserved = 0;
  LONG dxStartIndent = 0;
  LONG dxRightIndent = 0;
  LONG dxOffset = 0;
  WORD wAlignment = 0;
  SHORT cTabCount = 0;
  LONG rgxTabs[32] = {};
};

// EM_GETTEXTLENGTHEX: with GTL_USECRLF a paragraph end counts two
// characters, as in the window text; otherwise one, as in positions.
#define GTL_DEFAULT  0
#define GTL_USECRLF  1
#define GTL_NUMCHARS 8
struct GETTEXTLENGTHEX {
  DWORD flags;
  UINT codepage;
};

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;
};

struct TEXTRANGE {
  CHARRANGE chrg;
  LPSTR lpstrText;
};

struct FINDTEXTEX {
  CHARRANGE chrg;
  LPCSTR lpstrText;
  CHARRANGE chrgText;
};

struct FORMATRANGE {
  HDC hdc;
  HDC hdcTarget;
  RECT rc;      // twips
  RECT rcPage;  // twips
  CHARRANGE chrg;
};

// Hands the control (EM_STREAMIN) or takes from it (EM_STREAMOUT) up to `cb`
// bytes at a time; *pcb tells how many moved. A non-zero answer stops the
// stream and lands in dwError.
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb);
struct EDITSTREAM {
  DWORD_PTR dwCookie;
  DWORD dwError;
  EDITSTREAMCALLBACK pfnCallback;
};

struct REQRESIZE {
  NMHDR nmhdr;
  RECT rc;
};

struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp;
};
