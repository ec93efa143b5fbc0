#include "common/UnitSettings.h"

#include <crypt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/FileUtil.h"
#include "platform/base/CString.h"

namespace {

std::string TrimBlanks(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return std::string();
  std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool HasLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

std::string UnitSettingsPath(const std::string& programFolder) { return JoinPath(programFolder, "unitset4.txt"); }

int ReadUnitSettings(const std::string& path, UnitSettings* out, std::string* error) {
  *out = UnitSettings();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (error) *error = "Failed open: " + path;
    return 0;
  }
  char buf[1024];
  int ok = 1;
  while (std::fgets(buf, sizeof buf, f)) {
    std::string line(buf);
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    CString key(TrimBlanks(line.substr(0, eq)).c_str());
    std::string value = TrimBlanks(line.substr(eq + 1));
    if (key.CompareNoCase("Unit Type") == 0) {
      char* end = nullptr;
      long type = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end || type < 0 || type > 5) {
        if (error) *error = "Invalid unit type in " + path;
        ok = 0;
        break;
      }
      out->unitType = static_cast<int>(type);
    } else if (key.CompareNoCase("Unit Number") == 0) {
      out->unitNumber = value;
    } else if (key.CompareNoCase("Password") == 0) {
      out->passwordHash = value;
    } else if (key.CompareNoCase("Password Prompt") == 0) {
      out->prompt = value;
    }
  }
  if (ok && std::ferror(f)) {
    if (error) *error = "Failed read: " + path;
    ok = 0;
  }
  std::fclose(f);
  return ok;
}

int WriteUnitSettings(const std::string& path, const UnitSettings& s) {
  if (s.unitType < 0 || s.unitType > 5 || HasLineEnd(s.unitNumber) || HasLineEnd(s.passwordHash) ||
      HasLineEnd(s.prompt))
    return 0;
  std::string text = "Unit Type\t= " + std::to_string(s.unitType) + "\r\nUnit Number\t= " + s.unitNumber +
                     "\r\nPassword\t= " + s.passwordHash + "\r\nPassword Prompt\t= " + s.prompt + "\r\n";
  return WriteFileAtomic(path.c_str(), text.data(), text.size()) == 0 ? 1 : 0;
}

std::string HashPassword(const std::string& password) {
  if (password.empty()) return std::string();
  char salt[CRYPT_GENSALT_OUTPUT_SIZE];
  if (!crypt_gensalt_rn("$y$", 0, nullptr, 0, salt, sizeof salt)) return std::string();
  auto data = std::make_unique<crypt_data>();
  const char* hash = crypt_r(password.c_str(), salt, data.get());
  if (!hash || hash[0] == '*') return std::string();
  return hash;
}

bool PasswordMatches(const std::string& typed, const std::string& hash) {
  if (hash.empty()) return typed.empty();
  auto data = std::make_unique<crypt_data>();
  const char* again = crypt_r(typed.c_str(), hash.c_str(), data.get());
  return again && again[0] != '*' && hash == again;
}
