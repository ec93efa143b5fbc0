#include "common/UnitVocab.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "common/Settings.h"
#include "common/Version.h"
#include "platform/base/Resources.h"

namespace {

struct UnitRow {
  const char* kind;
  const char* unit;
  const char* unitNoun;
  const char* subunit;
  const char* subunitNoun;
  const char* subunitMenu;
  const char* edition;
  const char* initials;
  const char* masterApp;
  const char* bitmap;
  int resourceSet;  // 0: none of its own
};

const UnitRow kUnits[6] = {
    {"Boy", "troop", "Troop", "patrol", "Patrol", "&Patrol", "Pellamy", "vb", "Brindlex", "tornel_t.bmp", 1},
    {"Cub", "pack", "Pack", "den", "Den", "&Den", "Dorrick", "vd", "Harrowin", "tornel_p.bmp", 1},
    {"Venture", "crew", "Crew", "patrol", "Patrol", "&Patrol", "Pellamy", "vb", "Brindlex", "tornel_t.bmp", 1},
    {"Varsity", "team", "Team", "squad", "Squad", "&Squad", "Pellamy", "vb", "Brindlex", "tornel_t.bmp", 1},
    {"Girl", "troop", "Troop", "patrol", "Patrol", "&Patrol", "Pellamy", "vb", "Brindlex GS", "tornel_gs.bmp", 2},
    {"American Heritage Girl", "troop", "Troop", "squad", "Squad", "&Squad", "Pellamy", "vb", "Brindlex AHG",
     "tornel_ahg.bmp", 0},
};

struct ResourceSet {
  int adultIcon, unitIcon, toolbar, scoutIcon, splash;
};
const ResourceSet kSets[2] = {{136, 267, 92, 135, 266}, {258, 260, 254, 259, 265}};

std::string unitBitmapStorage = "tornel_t.bmp";

}  // namespace

int UnitType = 0;
const char* UnitKindWord = "Boy";
const char* UnitWord = "troop";
const char* UnitNoun = "Troop";
const char* SubunitWord = "patrol";
const char* SubunitNoun = "Patrol";
const char* SubunitMenuWord = "&Patrol";
const char* EditionInitials = "vb";
const char* MasterAppName = "Brindlex";
const char* UnitBitmapPath = "tornel_t.bmp";

int AdultIconId = 136;
int UnitIconId = 267;
int ToolbarResourceId = 92;
int ScoutIconId = 135;
int SplashBitmapId = 266;

char ProgramName[64] = "Pellamy";
const char* EditionWord = "Quorrin";
char ProgramTitle[128] = "Pellamy Quorrin";
char ProgramNameVersion[128] = "Pellamy";
char NotepadFileName[64] = "vbwin.txt";
char MemberKindWords[3][7] = {"Scout", "Adult", "Patrol"};
char MonthMacroValues[12][10] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                 "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

TextMacro TextMacroTable[19] = {};

namespace {

void FillMacroTable() {
  const char* const values[7] = {UnitWord, SubunitWord, ProgramName, UnitNoun, SubunitNoun, ProgramNameVersion,
                                 MasterAppName};
  const char* const tokens[7] = {"&unit", "&subunit", "&title", "&Unit", "&Subunit", "&vtitle", "&master_app"};
  for (int i = 0; i < 7; ++i) {
    std::snprintf(TextMacroTable[i].token, sizeof TextMacroTable[i].token, "%s", tokens[i]);
    TextMacroTable[i].value = values[i];
  }
  for (int m = 0; m < 12; ++m) {
    std::string token = "&month" + std::string(m < 9 ? "0" : "") + std::to_string(m + 1);
    std::memcpy(TextMacroTable[7 + m].token, token.c_str(), token.size() + 1);
    TextMacroTable[7 + m].value = MonthMacroValues[m];
  }
}

const bool macrosFilled = (FillMacroTable(), true);

}  // namespace

void SetUnitType(int type) {
  if (type < 0 || type > 5) type = 0;
  UnitType = type;
  const UnitRow& row = kUnits[type];
  UnitKindWord = row.kind;
  UnitWord = row.unit;
  UnitNoun = row.unitNoun;
  SubunitWord = row.subunit;
  SubunitNoun = row.subunitNoun;
  SubunitMenuWord = row.subunitMenu;
  EditionInitials = row.initials;
  MasterAppName = row.masterApp;
  unitBitmapStorage = ResourcePath(row.bitmap);
  UnitBitmapPath = unitBitmapStorage.c_str();

  ProgramVersion.SetAppName(row.edition);
  DataVersion.SetAppName((std::string(row.edition) + " Database").c_str());

  // The heritage troop has no pictures of its own; it shows the troop's.
  const ResourceSet& set = kSets[row.resourceSet == 2 ? 1 : 0];
  AdultIconId = set.adultIcon;
  UnitIconId = set.unitIcon;
  ToolbarResourceId = set.toolbar;
  ScoutIconId = set.scoutIcon;
  SplashBitmapId = set.splash;

  std::snprintf(MemberKindWords[2], sizeof MemberKindWords[2], "%s", SubunitNoun);
  std::snprintf(NotepadFileName, sizeof NotepadFileName, "%swin.txt", EditionInitials);
  std::snprintf(ProgramName, sizeof ProgramName, "%s", static_cast<LPCTSTR>(ProgramVersion.Format(1)));
  std::snprintf(ProgramTitle, sizeof ProgramTitle, "%s %s", ProgramName, EditionWord);
  std::snprintf(ProgramNameVersion, sizeof ProgramNameVersion, "%s",
                static_cast<LPCTSTR>(ProgramVersion.Format(7)));
  FillMacroTable();
}

void SetMonthMacros(int firstMonth) {
  if (firstMonth < 0 || firstMonth > 11) firstMonth = 0;
  for (int i = 0; i < 12; ++i)
    std::snprintf(MonthMacroValues[i], sizeof MonthMacroValues[i], "%s", MonthNamesUpper[(firstMonth + i) % 12]);
}

void ExpandTextMacros(char* text, std::size_t size) {
  if (!text || size == 0) return;
  std::string work(text, strnlen(text, size - 1));
  // Each pass removes one "&"; a value that brings its own "&" back would
  // never end, so the passes are bounded.
  for (int pass = 0; pass < 4096 && work.find('&') != std::string::npos; ++pass) {
    bool replaced = false;
    for (const TextMacro& macro : TextMacroTable) {
      std::size_t at = work.find(macro.token);
      if (macro.token[0] != '\0' && at != std::string::npos) {
        work.replace(at, std::strlen(macro.token), macro.value ? macro.value : "");
        replaced = true;
        break;
      }
    }
    if (!replaced) work[work.find('&')] = ' ';
    if (work.size() > size - 1) work.resize(size - 1);
  }
  std::memcpy(text, work.c_str(), work.size() + 1);
}

CString GetBackgroundImagePath(bool unitPicture) {
  SettingsSection* config = OpenSettingsSection(SettingsFileName, "CONFIG");
  int mode = GetSettingInt(config, 'K', 0);
  char picture[256] = "";
  GetSettingText(config, 'G', "", picture);
  CloseSettingsSection(config);
  if (unitPicture || mode == 0) return UnitBitmapPath;
  if (mode == 1) return picture;
  return "";
}
