#include "common/ErrorText.h"

#include <cstdio>
#include <cstring>

#include "common/UnitVocab.h"

namespace {

const char* const kTemplates[20] = {
    "Unknown error: %s",
    "Number of %s exceeds List Values max",
    "The system now holds the maximum number of %ss",
    "Failed alloc: %s",
    "Failed close: %s",
    "Failed find: %s",
    "Failed flush: %s",
    "Failed open: %s",
    "Failed read: %s",
    "Failed parse: %s",
    "Could not find %s",
    "Failed seek: %s",
    "Failed ftell: %s",
    "Failed write: %s",
    "Incompatible %s",
    "No %ss are defined yet",
    "Unmatched %s",
    "Invalid %s (item must be from the given list)",
    "This %s already exists",
    "Number of %ss exceeds maximum",
};

}  // namespace

void FormatErrorText(char* out, size_t size, ErrorTextIndex which, const char* item) {
  if (!out || size == 0) return;
  int index = static_cast<int>(which);
  if (index < 0 || index > 19) index = 0;
  if (!item) item = "???";
  if (std::strcmp(item, "subunit") == 0 && SubunitWord) item = SubunitWord;
  // Every template holds exactly one %s.
  std::snprintf(out, size < 256 ? size : 256, kTemplates[index], item);
}

void FormatErrorTextStr(CString& out, ErrorTextIndex index, const char* item) {
  char itemCopy[256];
  const char* itemArg = nullptr;
  if (item) {
    std::snprintf(itemCopy, sizeof itemCopy, "%s", item);
    itemArg = itemCopy;
  }
  char text[256];
  FormatErrorText(text, index, itemArg);
  out = text;
}
