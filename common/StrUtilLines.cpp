// Wrapped text as an array of lines.
#include <cstdlib>
#include <string>

#include "common/StrUtil.h"
#include "platform/base/Collections.h"

int WrapTextToLines(const char* text, int width, CStringArray& lines) {
  lines.RemoveAll();
  char* wrapped = WrapText(text, width);
  if (!wrapped) return 0;
  std::string line;
  for (const char* p = wrapped; *p; ++p) {
    if (*p == '\n' || *p == '\r') {
      lines.Add(CString(line));
      line.clear();
    } else {
      line += *p;
    }
  }
  lines.Add(CString(line));
  std::free(wrapped);
  return static_cast<int>(lines.GetSize());
}
