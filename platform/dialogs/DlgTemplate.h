// Dialog templates in the program's own text format, compiled into the
// program from res/dialogs/*.dlg, with symbolic ids from res/resource.h.
//
// Format (one statement per line; "#" starts a comment line; strings in
// double quotes with \" \\ \r \n \t escapes, UTF-8 in the file and Windows-1252
// in the program; numbers decimal or 0x hex; ids a number or a symbol):
//
//   # the id: a symbol, a number, or both
//   dialog IDD_QUESTION
//   caption "Question"
//   # x y width height, in dialog units
//   rect 0 0 278 65
//   # point size and face (this is the default)
//   font 8 "MS Sans Serif"
//   style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
//   # optional: extended style and the dialog's own window class
//   exstyle WS_EX_CONTROLPARENT
//   class "MyDialogClass"
//   control Button IDOK "&Yes" 10 40 44 14 BS_DEFPUSHBUTTON | WS_TABSTOP
//   control Static IDC_STATIC "Name:" 7 7 40 8 SS_LEFT
//   control "GXWND" 1001 "" 7 20 100 60 WS_BORDER exstyle WS_EX_CLIENTEDGE
//   end
//
// A control's class is any registered class name (custom classes by name).
// Controls are WS_CHILD | WS_VISIBLE unless the style says "NOT WS_VISIBLE".
// Style words are the WS_, WS_EX_, DS_ and control style names.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/types.h"

// Dialog styles.
#define DS_ABSALIGN      0x0001u
#define DS_SYSMODAL      0x0002u
#define DS_3DLOOK        0x0004u
#define DS_FIXEDSYS      0x0008u
#define DS_NOFAILCREATE  0x0010u
#define DS_LOCALEDIT     0x0020u
#define DS_SETFONT       0x0040u
#define DS_MODALFRAME    0x0080u
#define DS_NOIDLEMSG     0x0100u
#define DS_SETFOREGROUND 0x0200u
#define DS_CONTROL       0x0400u
#define DS_CENTER        0x0800u
#define DS_CENTERMOUSE   0x1000u
#define DS_CONTEXTHELP   0x2000u

// The id of controls that are never addressed (labels).
#define IDC_STATIC (-1)

struct DlgItemTemplate {
  std::string className;
  int id = 0;
  std::string text;  // Windows-1252
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;
};

struct DlgTemplate {
  int id = 0;            // 0 when the dialog is known by name only
  std::string name;      // symbolic name, may be empty
  std::string caption;   // Windows-1252
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  int pointSize = 8;
  std::string face = "MS Sans Serif";
  std::string className;  // empty: the dialog class
  std::vector<DlgItemTemplate> items;
};

// The template of a dialog: by MAKEINTRESOURCE(id) or by its symbolic name.
// Null when there is none.
const DlgTemplate* FindDialogTemplate(LPCSTR idOrName);
// Parses templates from text and adds them (replacing same ids or names);
// false with a message "<origin>:<line>: <problem>" when the text is
// malformed, in which case nothing is added.
bool AddDialogTemplates(std::string_view text, const std::string& origin, std::string* error);
// Parses without adding.
bool ParseDialogTemplates(std::string_view text, const std::string& origin, std::vector<DlgTemplate>* out,
                          std::string* error);

// Symbols of res/resource.h and the standard ids (IDOK ... IDHELP,
// IDC_STATIC). False when the name is unknown.
bool LookupResourceSymbol(std::string_view name, int* value);
// A style word's value (WS_, WS_EX_, DS_, BS_, ES_, SS_, LBS_, CBS_, SBS_).
bool LookupStyleName(std::string_view name, DWORD* value);

// Tokens of one line of a resource text: words, quoted strings (unescaped,
// converted to Windows-1252) and "|". Shared by the menu resources.
struct ResToken {
  std::string text;
  bool quoted = false;
};
bool TokenizeResourceLine(std::string_view line, std::vector<ResToken>* out, std::string* problem);
// A number, or a symbol of the symbol table.
bool ParseResourceId(const ResToken& token, int* value);
// The words after a resource's keyword ("dialog IDD_X 7001", "menu
// IDR_MAIN"): a number sets the id, a word the name (and the id, from the
// symbol table, while no id is known).
void ParseResourceHeader(const std::vector<ResToken>& tokens, int* id, std::string* name);

// The line-by-line reading the resource parsers share: each line of a text
// is tokenized and the lines with tokens are handed to `statement`; a
// problem is reported as "<origin>:<line>: <problem>".
struct ResTextReader {
  std::string origin;
  int line = 0;  // the line being read, from 1
  std::string error;

  // Sets the error at the current line; always false.
  bool fail(const std::string& problem);
  // Every line up to the end of the text (after a final newline, an empty
  // one). False at the first line that does not tokenize or that
  // `statement` rejects (after calling fail).
  bool forEachStatement(std::string_view text, const std::function<bool(const std::vector<ResToken>&)>& statement);
};
