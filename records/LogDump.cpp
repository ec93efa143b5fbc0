#include "records/LogDump.h"

#include <cstdarg>

#include "common/TempFolder.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"

std::string LogDumpPath(const char* fileName) {
  std::string folder = TempFolder[0] ? TempFolder : ".";
  return folder + "/" + fileName;
}

void RunLogDump(const char* fileName, const char* caption, const std::function<void(FILE* out)>& write) {
  const std::string path = LogDumpPath(fileName);
  if (FILE* out = OpenPrivateFile(path.c_str(), "wb")) {
    write(out);
    std::fclose(out);
  }
  ShowTextFile(path.c_str(), caption);
  std::remove(path.c_str());
}

void LogLine(FILE* out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(out, format, args);
  va_end(args);
  std::fputs("\r\n", out);
}
