// Shared dialog utilities: the field validator and its parts, the date-pair
// check of the report dialogs, the wait cursor, the main window's title and
// the printer geometry record.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"
#include "platform/base/types.h"
#include "platform/commdlg/PrintDlg.h"

// Field kinds of ValidateField.
enum FieldKind { FIELD_TEXT = 0, FIELD_NUMBER = 1, FIELD_DATE = 2, FIELD_NOCHECK = 3, FIELD_PATH = 4 };

// Flag bits of text fields (kind 0).
inline constexpr int VF_UPPER = 0x2;
// Flag bits of numbers (kind 1).
inline constexpr int VN_WHOLE = 0x80;
// Flag bits of paths (kind 4).
inline constexpr int VP_FOLDER = 0x4;
inline constexpr int VP_FILE = 0x8;
inline constexpr int VP_COLON = 0x10;
inline constexpr int VP_MUST_EXIST = 0x20;
inline constexpr int VP_MUST_NOT_EXIST = 0x40;
inline constexpr int VP_FLOPPY = 0x200;
inline constexpr int VP_ASK_OVERWRITE = 0x400;
inline constexpr int VP_OFFER_CREATE = 0x800;

// `message` (may be null) of `size` bytes receives "Name:  Problem". A
// text the rules rewrite (upper case, path separators) is rewritten in
// place, never longer.
bool ValidateField(const char* name, char* text, int required, int kind, int flags, const char* min,
                   const char* max, char* message, size_t size);
template <size_t N>
bool ValidateField(const char* name, char* text, int required, int kind, int flags, const char* min,
                   const char* max, char (&message)[N]) {
  return ValidateField(name, text, required, kind, flags, min, max, message, N);
}
bool ValidateDlgField(const char* name, char* text, int required, int kind, int flags, const char* min,
                      const char* max, HWND focus, char* message, size_t size);
template <size_t N>
bool ValidateDlgField(const char* name, char* text, int required, int kind, int flags, const char* min,
                      const char* max, HWND focus, char (&message)[N]) {
  return ValidateDlgField(name, text, required, kind, flags, min, max, focus, message, N);
}
bool ValidateDatePair(const char* first, const char* second, HWND focus1, HWND focus2, char* message, size_t size);
template <size_t N>
bool ValidateDatePair(const char* first, const char* second, HWND focus1, HWND focus2, char (&message)[N]) {
  return ValidateDatePair(first, second, focus1, focus2, message, N);
}
bool ValidateDatePairStr(const CString& first, const CString& second, HWND focus1, HWND focus2,
                         CString& message);
// The problem alone (lower-case first letter as the rules word it).
bool ValidateNumber(const char* text, int flags, const char* min, const char* max, char* message, size_t size);
bool ValidateDateTimeField(const char* text, int code, const char* min, const char* max, char* message,
                           size_t size);
// May rewrite `name` in place (its separators; never longer).
bool ValidatePath(char* name, int flags, char* message, size_t size);
template <size_t N>
bool ValidateNumber(const char* text, int flags, const char* min, const char* max, char (&message)[N]) {
  return ValidateNumber(text, flags, min, max, message, N);
}
template <size_t N>
bool ValidateDateTimeField(const char* text, int code, const char* min, const char* max, char (&message)[N]) {
  return ValidateDateTimeField(text, code, min, max, message, N);
}
template <size_t N>
bool ValidatePath(char* name, int flags, char (&message)[N]) {
  return ValidatePath(name, flags, message, N);
}

class CWnd;

void SetFocusHwnd(HWND hwnd);
// Replacements for how the focus moves, how the main window's title is set
// and how the wait cursor shows (null: the window layer's own).
using FocusSetter = void (*)(HWND hwnd);
void SetFocusSetter(FocusSetter setter);
using MainTitleSetter = void (*)(const char* title);
void SetMainTitleSetter(MainTitleSetter setter);
// For hint 0 or a hint with bit 8 the main window's title becomes
// "<ProgramTitle> - FY<year>".
void SetMainTitle(int hint);
CString MainTitleText();
using WaitCursorSetter = void (*)(int on);
void SetWaitCursorSetter(WaitCursorSetter setter);
// On: the wait cursor, remembering the one it replaced; off: that one back.
void SetWaitCursor(int on);
// Shifts a control by dx, dy (move set) or grows its right and bottom edges
// by them, in its parent's client coordinates, without repainting.
void MoveControlBy(CWnd* wnd, int dx, int dy, BOOL move);
// Shows a text file in the text viewer (common/TextViewDlg), modally; true
// when it was closed with OK.
bool ShowTextFile(const char* fileName, const char* caption);
// The shared heading fonts, made once from the first control's own font:
// large 1.75 times its height; bold 2.1 times, weight 600.
void SetLargeFont(HWND hwnd);
void SetBoldFont(HWND hwnd);
void EditFieldHook(...);
void ListFieldHook(...);

// The printer's page geometry (filled by SetupPrinter for the default
// printer at start-up and for the chosen printer when a report prints).
struct LOGFONT;
struct PrintSetupRecord {
  // The printer as the print dialog gave it (its DEVMODE and DEVNAMES
  // blocks); empty when there is no printer.
  PRINTDLG printDlg{};
  HDC dc = nullptr;
  int resolutionX = 0;
  int resolutionY = 0;
  float unprintableLeft = 0;
  float unprintableRight = 0;
  float unprintableTop = 0;
  float unprintableBottom = 0;
  int orientation = 1;  // 1 portrait, 2 landscape
  int physicalWidth = 0;
  int physicalHeight = 0;
  float pageHeight = 0;
  float pageWidth = 0;
  int printableWidth = 0;
  int printableHeight = 0;
  int firstPage = 1;
  int lastPage = 1;
  int copies = 1;
  int collate = 0;
};
extern PrintSetupRecord ThePrintSetup;

// Asking the printing service for the default printer can take long (a
// network printer, a slow service), so the start-up leaves it until the
// main window shows: it hands the look-up here, and whatever reads the
// record first, or the first idle moment, runs it once.
using PrintSetupLoader = void (*)();
void SetPrintSetupLoader(PrintSetupLoader loader);
void EnsurePrintSetup();

// Fills the record for a printer: the one a print dialog chose (`given`),
// else the default printer, else (no printer at all) the screen in a
// portrait letter page. False when the printer cannot tell its page size.
bool SetupPrinter(const PRINTDLG* given, PrintSetupRecord* out);

// Whether the report's columns fit the page in the report font: true when
// they do, or when the user answers Yes to going on with a page too narrow.
// A failure on the way is shown and counts as true.
bool CheckReportPageWidth(const PrintSetupRecord* setup, const LOGFONT* font, int columns, float pageWidth,
                          float leftMargin, float rightMargin);
