// The wizard's own small routines: its message box and question box, its
// eighteen error texts, path checks and the conversions of old dates and
// money. They carry names of the main program's routines but behave as the
// wizard needs (no trace file, no Warning kind, a plain question box), so
// they live in their own namespace.
#pragma once

#include <string>

namespace wiz {

enum MessageKind { kError = 0, kInformation = 1, kPrompt = 2, kInformationSound = 3, kFatal = 4 };

// Shows `text` (with a final "." unless it holds a line feed) as `kind`;
// 1 when answered OK.
int DispMessage(const char* text, int kind);
inline int DispMessage(const std::string& text, int kind) { return DispMessage(text.c_str(), kind); }
// `text` + "?" under "Question"; Yes/No (flag 0) or Yes/No/Cancel. No is the
// default unless `def` is 'Y'. 1 Yes, 2 No, 0 Cancel.
int AskQuestion(const char* text, char def, int flag);

// The application name the window framework shows (kept for the whole run);
// nothing without an application object.
void SetApplicationName(const std::string& name);

enum ErrorText {
  kErrUnknown = 0,
  kErrCreate = 4,
  kErrOpen = 7,
  kErrRead = 8,
  kErrWrite = 12,
};
// Template `index` (0..17, else 0) filled with `item` ("???" when null).
std::string FormatErrorTextStr(int index, const char* item);
inline std::string FormatErrorTextStr(int index, const std::string& item) {
  return FormatErrorTextStr(index, item.c_str());
}

// There are no floppy drives: never true.
bool IsFloppyDrive(char letter);

enum PathFlags {
  kPathFolder = 0x004,
  kPathFile = 0x008,
  kPathColon = 0x010,
  kPathMustExist = 0x020,
  kPathMustNotExist = 0x040,
  kPathFloppy = 0x200,
  kPathAskOverwrite = 0x400,
  kPathAskCreate = 0x800,
};
// Checks a file or folder name by `flags`, normalises `path` (separators to
// "/", no trailing separator) and returns 1, or 0 with `message`.
int ValidatePath(std::string& path, int flags, std::string& message);

// Old money of version 1: float dollars to cents, halves away from zero.
// An amount that is no number or beyond +-21,474,836.47 gives 0 and is
// counted: TakeBadAmounts returns the count since its last call.
long ToCents(float dollars);
int TakeBadAmounts();
// Counts an amount out of range found elsewhere (a total that overflows).
void CountBadAmount();
// yymmdd to yyyymmdd (years above 50 in the 1900s); empty stays empty.
std::string ExpandOldDate(const char* yymmdd);
// The fiscal year + 1 when the month index lies before the start month.
int GetFiscalYearOfMonth(int monthIndex, int fiscalYear, int startMonth);
// "mmdd" prefixed with its calendar year ("0000" for a month outside 1..12).
std::string PrefixFiscalYear(const char* mmdd, int fiscalYear, int startMonth);
// "*" (adult, flag 0) or " ", last name, ", ", first name.
std::string JoinMarkedName(int youth, const char* first, const char* last);

// Case-insensitive equality of Windows-1252 texts.
bool EqualNoCase(const std::string& a, const std::string& b);
std::string ToUpper(std::string text);
std::string ToLower(std::string text);
std::string Trim(const std::string& text, bool leading, bool trailing);

}  // namespace wiz
