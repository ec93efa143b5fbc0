#include "wizard/OldFiles.h"

#include <cstring>

#include "wizard/Routines.h"

namespace wiz {

bool ReadTextLine(FILE* file, std::string& line, std::size_t maxChars) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(file)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() < maxChars) line += static_cast<char>(c);
  }
  while (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

bool SplitKeyValue(const std::string& line, std::string& key, std::string& value) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = line.substr(0, eq);
  value = line.substr(eq + 1);
  return true;
}

std::string TrimLineEnd(std::string line) {
  while (!line.empty() && std::strchr("\n\r\t ", line.back())) line.pop_back();
  return line;
}

float OldFloat(const BYTE* rec, int off) {
  DWORD bits = static_cast<DWORD>(OldI32(rec, off));
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

LONG OldMoney(int version, const BYTE* rec, int off) {
  return version == 1 ? ToCents(OldFloat(rec, off)) : OldI32(rec, off);
}

std::string OldText(const BYTE* rec, int off, int width) {
  const char* p = reinterpret_cast<const char*>(rec + off);
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(width) && p[n]) ++n;
  return std::string(p, n);
}

}  // namespace wiz
