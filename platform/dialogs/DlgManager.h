// The dialog manager: dialogs made from templates (platform/dialogs/DlgTemplate.h),
// modal and modeless, and the keyboard interface every dialog shares: tab
// order and groups, arrow keys in groups, the default push button moving
// with the focus, Enter and Esc, access keys ("&" in the texts of buttons
// and of the labels in front of other controls, hidden buttons included).
//
// A modal dialog runs the window layer's modal loop (CWnd::RunModalLoop):
// in the headless host a dialog that waits with nothing to do is handed to
// the test automation (automation::OnDialog, or the responder with kind
// "dialog" and the template's name, "#id" for a numbered one).
#pragma once

#include "platform/dialogs/DlgTemplate.h"
#include "platform/base/Geometry.h"
#include "platform/window/Window.h"
#include "platform/base/types.h"

class CWnd;

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The class name of dialog windows.
#define WC_DIALOG "#32770"

#define WM_NEXTDLGCTL 0x0028
#define DM_GETDEFID   (WM_USER + 0)
#define DM_SETDEFID   (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID   0x534B


// ---- Creation and the modal loop ------------------------------------------
HWND CreateDialogParam(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc, LPARAM param);
HWND CreateDialog(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc);
HWND CreateDialogIndirectParam(HINSTANCE instance, const DlgTemplate* templ, HWND owner, DLGPROC proc,
                               LPARAM param);
// Runs the dialog modally; its EndDialog code, or -1 when it could not be
// made.
INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc, LPARAM param);
INT_PTR DialogBox(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DlgTemplate* templ, HWND owner, DLGPROC proc,
                               LPARAM param);
// Ends a modal dialog with any code (the window is hidden; the loop then
// destroys it). For a modeless dialog it only hides the window.
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The keyboard interface of the dialog for a message retrieved from the
// queue: TRUE when the message was for the dialog or one of its windows (it
// has then been handled, translated and dispatched as needed).
BOOL IsDialogMessage(HWND dialog, LPMSG msg);

// ---- Navigation -----------------------------------------------------------
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// Moves the focus as the dialog manager does (selects an edit's text and
// moves the default-button look).
void DlgSetFocus(HWND dialog, HWND control);

// ---- Items ----------------------------------------------------------------
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int maxCount);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// The text as a number (blanks around it allowed); *translated FALSE and 0
// for no number or one out of range.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Dialog units ---------------------------------------------------------
// Converts a rectangle of dialog units of the dialog's font into pixels.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The base units of the default dialog font: LOWORD width, HIWORD height.
LONG GetDialogBaseUnits();
// Base units (average character width, character height in pixels) of a
// face at a point size at the host's dpi.
SIZE DialogBaseUnits(const char* face, int pointSize);
// A dialog font (shared, never deleted).
HFONT DialogFont(const char* face, int pointSize);

// ---- Internal: used by CDialog and the message box -----------------------
namespace dlg {
// Creates the dialog window and its controls and sends WM_INITDIALOG. When
// `object` is given, that C++ object becomes the dialog window's CWnd.
HWND Create(const DlgTemplate& templ, HWND owner, DLGPROC proc, LPARAM param, CWnd* object, bool modal);
// Runs the modal loop of a dialog made by Create(..., modal=true) with its
// owner disabled, then destroys it; returns the EndDialog code (or the code
// the automation ended the loop with).
INT_PTR RunModal(HWND dialog, HWND owner);
// The owner a modal dialog gets when none is named: the active window's
// top-level window, if enabled.
HWND DefaultOwner();
bool IsDialog(HWND hwnd);
}  // namespace dlg
