// The user-settings file as it is found on disk: sections opened, read,
// written and closed.
#include <cstring>
#include <string>

#include "common/Settings.h"
#include "fuzz/FuzzTargets.h"
#include "platform/base/Collections.h"

namespace fuzz {

void SettingsFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::string path = WorkFolder() + "/udata4.dat";
  WriteWhole(path, data, size);
  for (const char* name : {"GENERAL", "CONFIG", "RPT1"}) {
    SettingsSection* section = OpenSettingsSection(path.c_str(), name);
    if (!section) continue;
    char text[255];
    GetSettingString(section, 'A', "item", "default", "%s", text);
    FuzzCheck(std::strlen(text) < sizeof text, "a setting fits its buffer");
    GetSettingText(section, 'B', "x", text);
    GetSettingFlag(section, 'C', 1);
    GetSettingInt(section, 'D', 7);
    GetSettingFloat(section, 'E', 1.5f);
    CStringArray array;
    GetSettingArray(section, 'F', array);
    FuzzCheck(PutSettingString(section, 'A', "item", "written") == 1, "a setting is written");
    GetSettingString(section, 'A', "item", "", "%s", text);
    FuzzCheck(std::strcmp(text, "written") == 0, "a written setting reads back");
    PutSettingArray(section, 'F', &array);
    DeleteSettingKey(section, 'C');
    CloseSettingsSection(section);
  }
  FuzzCheck(SettingsFileUseCount(path.c_str()) == 0, "every section closed");
}

}  // namespace fuzz
