#include "app/Preferences.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/FileUtil.h"
#include "common/Settings.h"
#include "reports/MailLabel.h"
#include "reports/RptDates.h"

namespace {

// The name lives in the current label object; start-up then loads the
// definition of that name from the labels file.
void SetStoredLabelName(const char* name) { CurrentMailLabel.SetName(name); }
const char* GetStoredLabelName() { return CurrentMailLabel.GetName(); }

MailLabelNameAccess labelAccess{SetStoredLabelName, GetStoredLabelName};

// A bounded copy: a longer value is cut to the field.
template <size_t N>
void Copy(char (&dst)[N], const char* src) {
  size_t n = std::strlen(src);
  if (n > N - 1) n = N - 1;
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

// A tool path read back: the "x" that marks a path the user cleared, or a
// path that names no existing file, leaves the tool without a program.
void LoadToolPath(SettingsSection* config, char key, const char* def, char (&path)[MAX_PATH]) {
  char value[kSettingsValueMax + 1];
  GetSettingText(config, key, def, value);
  if (std::strcmp(value, "x") == 0 || !FileExists(value)) value[0] = '\0';
  Copy(path, value);
}

void StoreToolPath(SettingsSection* config, char key, const char* path) {
  PutSettingText(config, key, path[0] ? path : "x");
}

}  // namespace

void SetMailLabelNameAccess(MailLabelNameAccess access) {
  if (access.set && access.get)
    labelAccess = access;
  else
    labelAccess = {SetStoredLabelName, GetStoredLabelName};
}

const char* CurrentMailLabelName() { return labelAccess.get(); }

int XferConfig(int save) {
  SettingsSection* config = OpenSettingsSection(SettingsFileName, "CONFIG");
  char value[kSettingsValueMax + 1];
  if (save == 0) {
    // Older settings files name Windows programs; such paths simply do not
    // exist here and their tools stay disabled.
    LoadToolPath(config, 'A', "c:\\windows\\calc.exe", CalculatorPath);
    std::string calendar = JoinPath(ProgramFolder, "calendar.exe");
    LoadToolPath(config, 'B', calendar.c_str(), CalendarPath);
    LoadToolPath(config, 'C', "c:\\windows\\notepad.exe", NotepadPath);
    BackupMode = GetSettingInt(config, 'D', 0);
    IntegrityCheckMode = GetSettingInt(config, 'E', 0);
    GetSettingText(config, 'F', "A:\\", value);
    Copy(ImportFolder, value);
    GetSettingText(config, 'G', "", value);
    Copy(UserPictureFile, value);
    StretchPicture = GetSettingInt(config, 'H', 0);
    BackgroundColour = static_cast<COLORREF>(GetSettingInt(config, 'I', static_cast<int>(kDefaultBackgroundColour)));
    GetSettingText(config, 'J', "", value);
    Copy(BackgroundColourName, value);
    BackgroundMode = GetSettingInt(config, 'K', 0);
    GetSettingText(config, 'L', kDefaultMailLabel, value);
    labelAccess.set(value);
    UseGridEntry = GetSettingFlag(config, 'M', 1) ? 1 : 0;
    for (int i = 0; i < kGridColourCount; ++i)
      GridColours[i] = static_cast<COLORREF>(
          GetSettingInt(config, static_cast<char>('a' + i), static_cast<int>(DefaultGridColours[i])));
  } else {
    StoreToolPath(config, 'A', CalculatorPath);
    StoreToolPath(config, 'B', CalendarPath);
    StoreToolPath(config, 'C', NotepadPath);
    PutSettingInt(config, 'D', BackupMode);
    PutSettingInt(config, 'E', IntegrityCheckMode);
    // 'F' belongs to the conversion program, which writes it.
    PutSettingText(config, 'G', UserPictureFile);
    PutSettingInt(config, 'H', StretchPicture);
    PutSettingInt(config, 'I', static_cast<int>(BackgroundColour));
    PutSettingText(config, 'J', BackgroundColourName);
    PutSettingInt(config, 'K', BackgroundMode);
    PutSettingText(config, 'L', labelAccess.get());
    PutSettingFlag(config, 'M', UseGridEntry);
    for (int i = 0; i < kGridColourCount; ++i)
      PutSettingInt(config, static_cast<char>('a' + i), static_cast<int>(GridColours[i]));
  }
  CloseSettingsSection(config);
  if (save != 0) {
    TodayVsFiscalYear = CompareWithFiscalYear();
    RptDates.ResetToDefaults();
  }
  return 1;
}
