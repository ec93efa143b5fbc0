// The common dialogs' parameter blocks and flags: file open and save
// (OPENFILENAME, OFN_), font (CHOOSEFONT, CF_), find and replace
// (FINDREPLACE, FR_), and the extended error of the last dialog
// (CommDlgExtendedError). The dialogs themselves are in FileDialog.h,
// FontDialog.h and FindReplaceDialog.h.
#pragma once

#include "platform/base/types.h"
#include "platform/gfx/GdiDefs.h"

// A hook sees every message of its dialog before the dialog does; a nonzero
// result means it handled the message.
using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPOFNHOOKPROC = LPCCHOOKPROC;
using LPCFHOOKPROC = LPCCHOOKPROC;
using LPFRHOOKPROC = LPCCHOOKPROC;

// ---- File open and save ------------------------------------------------------
#define OFN_READONLY             0x00000001
#define OFN_OVERWRITEPROMPT      0x00000002
#define OFN_HIDEREADONLY         0x00000004
#define OFN_NOCHANGEDIR          0x00000008
#define OFN_SHOWHELP             0x00000010
#define OFN_ENABLEHOOK           0x00000020
#define OFN_ENABLETEMPLATE       0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE           0x00000100
#define OFN_ALLOWMULTISELECT     0x00000200
#define OFN_EXTENSIONDIFFERENT   0x00000400
#define OFN_PATHMUSTEXIST        0x00000800
#define OFN_FILEMUSTEXIST        0x00001000
#define OFN_CREATEPROMPT         0x00002000
#define OFN_SHAREAWARE           0x00004000
#define OFN_NOREADONLYRETURN     0x00008000
#define OFN_NOTESTFILECREATE     0x00010000
#define OFN_NONETWORKBUTTON      0x00020000
#define OFN_NOLONGNAMES          0x00040000
#define OFN_EXPLORER             0x00080000
#define OFN_NODEREFERENCELINKS   0x00100000
#define OFN_LONGNAMES            0x00200000

struct OPENFILENAME {
  DWORD lStructSize = sizeof(OPENFILENAME);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCSTR lpstrFilter = nullptr;      // pairs of description and patterns, each ending in 0, then 0
  LPSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;            // 1-based; 0 takes the first
  LPSTR lpstrFile = nullptr;         // in: initial name or path; out: the chosen path
  DWORD nMaxFile = 0;
  LPSTR lpstrFileTitle = nullptr;    // out: the chosen name without its folder
  DWORD nMaxFileTitle = 0;
  LPCSTR lpstrInitialDir = nullptr;
  LPCSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;              // out: where the name starts in lpstrFile
  WORD nFileExtension = 0;           // out: where the extension starts (0: none)
  LPCSTR lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  LPOFNHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;   // MAKEINTRESOURCE(id) or a name, with OFN_ENABLETEMPLATE
};
using OPENFILENAMEA = OPENFILENAME;
using LPOPENFILENAME = OPENFILENAME*;

// Controls of the file dialog's template (a replacement template keeps them).
inline constexpr int stc1 = 0x0440;  // the current folder
inline constexpr int stc2 = 0x0441;  // "List Files of Type:"
inline constexpr int stc3 = 0x0442;  // "File Name:"
inline constexpr int stc4 = 0x0443;  // "Drives:"
inline constexpr int lst1 = 0x0460;  // the files
inline constexpr int lst2 = 0x0461;  // the folders
inline constexpr int cmb1 = 0x0470;  // the file types
inline constexpr int cmb2 = 0x0471;  // the drives
inline constexpr int edt1 = 0x0480;  // the file name
inline constexpr int chx1 = 0x0410;  // read only
inline constexpr int pshHelp = 0x040e;

BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);

// ---- Font --------------------------------------------------------------------
#define CF_SCREENFONTS          0x00000001
#define CF_PRINTERFONTS         0x00000002
#define CF_BOTH                 (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP             0x00000004
#define CF_ENABLEHOOK           0x00000008
#define CF_ENABLETEMPLATE       0x00000010
#define CF_ENABLETEMPLATEHANDLE 0x00000020
#define CF_INITTOLOGFONTSTRUCT  0x00000040
#define CF_USESTYLE             0x00000080
#define CF_EFFECTS              0x00000100
#define CF_APPLY                0x00000200
#define CF_ANSIONLY             0x00000400
#define CF_SCRIPTSONLY          CF_ANSIONLY
#define CF_NOVECTORFONTS        0x00000800
#define CF_NOOEMFONTS           CF_NOVECTORFONTS
#define CF_NOSIMULATIONS        0x00001000
#define CF_LIMITSIZE            0x00002000
#define CF_FIXEDPITCHONLY       0x00004000
#define CF_WYSIWYG              0x00008000
#define CF_FORCEFONTEXIST       0x00010000
#define CF_SCALABLEONLY         0x00020000
#define CF_TTONLY               0x00040000
#define CF_NOFACESEL            0x00080000
#define CF_NOSTYLESEL           0x00100000
#define CF_NOSIZESEL            0x00200000

// nFontType
#define BOLD_FONTTYPE      0x0100
#define ITALIC_FONTTYPE    0x0200
#define REGULAR_FONTTYPE   0x0400
#define SCREEN_FONTTYPE    0x2000
#define PRINTER_FONTTYPE   0x4000

struct CHOOSEFONT {
  DWORD lStructSize = sizeof(CHOOSEFONT);
  HWND hwndOwner = nullptr;
  HDC hDC = nullptr;
  LPLOGFONT lpLogFont = nullptr;   // in with CF_INITTOLOGFONTSTRUCT; out always
  INT iPointSize = 0;              // out: tenths of a point
  DWORD Flags = 0;
  COLORREF rgbColors = 0;
  LPARAM lCustData = 0;
  LPCFHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
  HINSTANCE hInstance = nullptr;
  LPSTR lpszStyle = nullptr;       // with CF_USESTYLE, at least 32 bytes
  WORD nFontType = 0;
  INT nSizeMin = 0;                // points, with CF_LIMITSIZE
  INT nSizeMax = 0;
};
using CHOOSEFONTA = CHOOSEFONT;
using LPCHOOSEFONT = CHOOSEFONT*;

// Controls of the font dialog.
inline constexpr int cmb3 = 0x0472;  // the sizes
inline constexpr int stc5 = 0x0444;  // the sample
inline constexpr int chx2 = 0x0411;  // match case (find) / strikeout
inline constexpr int grp1 = 0x0430;
inline constexpr int grp2 = 0x0431;

BOOL ChooseFont(LPCHOOSEFONT cf);

// ---- Find and replace -------------------------------------------------------
#define FR_DOWN                 0x00000001
#define FR_WHOLEWORD            0x00000002
#define FR_MATCHCASE            0x00000004
#define FR_FINDNEXT             0x00000008
#define FR_REPLACE              0x00000010
#define FR_REPLACEALL           0x00000020
#define FR_DIALOGTERM           0x00000040
#define FR_SHOWHELP             0x00000080
#define FR_ENABLEHOOK           0x00000100
#define FR_ENABLETEMPLATE       0x00000200
#define FR_NOUPDOWN             0x00000400
#define FR_NOMATCHCASE          0x00000800
#define FR_NOWHOLEWORD          0x00001000
#define FR_ENABLETEMPLATEHANDLE 0x00002000
#define FR_HIDEUPDOWN           0x00004000
#define FR_HIDEMATCHCASE        0x00008000
#define FR_HIDEWHOLEWORD        0x00010000

// The registered message a find or replace dialog sends its owner, with the
// FINDREPLACE record as lParam.
#define FINDMSGSTRING "commdlg_FindReplace"
// The registered message a Help button sends its owner.
#define HELPMSGSTRING "commdlg_help"

struct FINDREPLACE {
  DWORD lStructSize = sizeof(FINDREPLACE);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  DWORD Flags = 0;
  LPSTR lpstrFindWhat = nullptr;
  LPSTR lpstrReplaceWith = nullptr;
  WORD wFindWhatLen = 0;      // buffer sizes in bytes
  WORD wReplaceWithLen = 0;
  LPARAM lCustData = 0;
  LPFRHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
};
using FINDREPLACEA = FINDREPLACE;
using LPFINDREPLACE = FINDREPLACE*;

// Controls of the find and replace dialogs.
inline constexpr int edt2 = 0x0481;  // the replacement
inline constexpr int rad1 = 0x0420;  // up
inline constexpr int rad2 = 0x0421;  // down
inline constexpr int psh1 = 0x0400;  // replace
inline constexpr int psh2 = 0x0401;  // replace all

// The modeless dialogs, made without a C++ object of the caller's; the
// window, or null (see CommDlgExtendedError).
HWND FindText(LPFINDREPLACE fr);
HWND ReplaceText(LPFINDREPLACE fr);

// ---- Errors ------------------------------------------------------------------
#define CDERR_DIALOGFAILURE   0xFFFF
#define CDERR_GENERALCODES    0x0000
#define CDERR_STRUCTSIZE      0x0001
#define CDERR_INITIALIZATION  0x0002
#define CDERR_NOTEMPLATE      0x0003
#define CDERR_NOHINSTANCE     0x0004
#define CDERR_LOADSTRFAILURE  0x0005
#define CDERR_FINDRESFAILURE  0x0006
#define CDERR_LOADRESFAILURE  0x0007
#define CDERR_LOCKRESFAILURE  0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE  0x000A
#define CDERR_NOHOOK          0x000B
#define CDERR_REGISTERMSGFAIL 0x000C
#define PDERR_PRINTERCODES    0x1000
#define CFERR_CHOOSEFONTCODES 0x2000
#define CFERR_NOFONTS         0x2001
#define CFERR_MAXLESSTHANMIN  0x2002
#define FNERR_FILENAMECODES   0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL  0x3003
#define FRERR_FINDREPLACECODES 0x4000
#define FRERR_BUFFERLENGTHZERO 0x4001

// The error of the last common dialog that ended, 0 when it ended normally
// (by OK or Cancel). Every dialog sets it when it returns.
DWORD CommDlgExtendedError();
namespace commdlg {
void SetExtendedError(DWORD code);
}  // namespace commdlg
