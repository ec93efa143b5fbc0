// The words, titles, resource ids and text macros selected by the unit type
// (0 troop, 1 pack, 2 crew, 3 team, 4 girl troop, 5 heritage troop).
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

extern int UnitType;
extern const char* UnitKindWord;
extern const char* UnitWord;
extern const char* UnitNoun;
extern const char* SubunitWord;
extern const char* SubunitNoun;
extern const char* SubunitMenuWord;
extern const char* EditionInitials;
extern const char* MasterAppName;
extern const char* UnitBitmapPath;

extern int AdultIconId;
extern int UnitIconId;
extern int ToolbarResourceId;
extern int ScoutIconId;
extern int SplashBitmapId;

extern char ProgramName[64];
extern const char* EditionWord;
extern char ProgramTitle[128];
extern char ProgramNameVersion[128];
extern char NotepadFileName[64];
extern char MemberKindWords[3][7];

// Month macro values "&month01" .. "&month12": the upper-case names of the
// fiscal year's months, the first being FiscalFirstMonth.
extern char MonthMacroValues[12][10];

struct TextMacro {
  char token[12];
  const char* value;
};
extern TextMacro TextMacroTable[19];

void SetUnitType(int type);
// Refills the month macros from FiscalFirstMonth (the record store calls it
// when it reads the unit information).
void SetMonthMacros(int firstMonth);
// Expands the macros of `text` in place; the result never exceeds `size`
// bytes (terminator included).
void ExpandTextMacros(char* text, std::size_t size);
// UnitBitmapPath, the user's picture, or nothing, by the background mode of
// the preferences ("CONFIG" keys K and G).
CString GetBackgroundImagePath(bool unitPicture);
