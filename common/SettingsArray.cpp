// String arrays in the settings store: one record per element, the item
// name being the element's index.
#include <cstdio>
#include <cstring>

#include "common/Settings.h"
#include "platform/Collections.h"

void GetSettingArray(SettingsSection* handle, char key, CStringArray& array) {
  array.RemoveAll();
  for (int i = 0;; ++i) {
    char item[16];
    std::snprintf(item, sizeof item, "%d", i);
    char value[kSettingsValueMax + 1];
    GetSettingString(handle, key, item, "<dummy>", "%s", value);
    if (std::strcmp(value, "<dummy>") == 0) break;
    array.Add(CString(value));
  }
}

int PutSettingArray(SettingsSection* handle, char key, CStringArray* array) {
  DeleteSettingKey(handle, key);
  if (!array) return 0;
  int count = static_cast<int>(array->GetSize());
  for (int i = 0; i < count; ++i) {
    char item[16];
    std::snprintf(item, sizeof item, "%d", i);
    PutSettingString(handle, key, item, array->GetAt(i));
  }
  return count;
}
