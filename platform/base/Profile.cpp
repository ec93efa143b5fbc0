#include "platform/base/Profile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/base/Codepage.h"
#include "platform/base/Kernel.h"

namespace {

struct Line {
  std::string name;   // empty for a comment or other kept line
  std::string value;  // the value, or the whole kept line
};
struct Section {
  std::string name;
  std::vector<Line> lines;
};
struct Ini {
  std::vector<std::string> preamble;  // lines before the first section
  std::vector<Section> sections;
};

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const char* b) {
  return a.size() == std::strlen(b) && lstrcmpi(a.c_str(), b) == 0;
}

Ini Parse(const std::string& text) {
  Ini ini;
  std::istringstream in(text);
  std::string raw;
  while (std::getline(in, raw)) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string t = Trim(raw);
    if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string::npos) {
      ini.sections.push_back({Trim(t.substr(1, t.find(']') - 1)), {}});
      continue;
    }
    std::size_t eq = t.find('=');
    bool isValue = eq != std::string::npos && eq > 0 && t[0] != ';' && t[0] != '#';
    if (ini.sections.empty()) {
      ini.preamble.push_back(raw);
    } else if (isValue) {
      ini.sections.back().lines.push_back({Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
    } else {
      ini.sections.back().lines.push_back({{}, raw});
    }
  }
  return ini;
}

std::string Format(const Ini& ini) {
  std::string out;
  for (const auto& line : ini.preamble) out += line + "\n";
  for (const auto& section : ini.sections) {
    out += "[" + section.name + "]\n";
    for (const auto& line : section.lines) out += line.name.empty() ? line.value + "\n" : line.name + "=" + line.value + "\n";
  }
  return out;
}

Ini& MemoryStore() {
  static Ini ini;
  return ini;
}
std::string& ProfilePath() {
  static std::string path;
  return path;
}

Ini Load(const char* file) {
  if (!file || !*file) return MemoryStore();
  std::ifstream in(Cp1252ToUtf8(file), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

bool Store(const char* file, const Ini& ini) {
  if (!file || !*file) {
    MemoryStore() = ini;
    return true;
  }
  // Written whole to a temporary file beside it and renamed over it, so that
  // a crash or a full disk leaves the old file or the new one, never half.
  std::string path = Cp1252ToUtf8(file);
  std::vector<char> temp(path.begin(), path.end());
  const char suffix[] = ".XXXXXX";
  temp.insert(temp.end(), suffix, suffix + sizeof suffix);
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  std::string text = Format(ini);
  bool ok = true;
  for (std::size_t done = 0; ok && done < text.size();) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok && std::rename(temp.data(), path.c_str()) == 0) return true;
  ::unlink(temp.data());
  return false;
}

Section* FindSection(Ini& ini, const char* name) {
  for (auto& section : ini.sections)
    if (SameName(section.name, name)) return &section;
  return nullptr;
}

Line* FindLine(Section& section, const char* name) {
  for (auto& line : section.lines)
    if (!line.name.empty() && SameName(line.name, name)) return &line;
  return nullptr;
}

DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD maxCount) {
  if (!buffer || maxCount == 0) return 0;
  if (maxCount == 1) {
    buffer[0] = 0;
    return 0;
  }
  DWORD pos = 0;
  for (const auto& item : items) {
    for (char ch : item) {
      if (pos + 2 >= maxCount) {
        buffer[pos] = 0;
        buffer[pos + 1] = 0;
        return maxCount - 2;
      }
      buffer[pos++] = ch;
    }
    if (pos + 2 >= maxCount) {
      buffer[pos] = 0;
      buffer[pos + 1] = 0;
      return maxCount - 2;
    }
    buffer[pos++] = 0;
  }
  buffer[pos] = 0;
  return pos;
}

DWORD CopyValue(const std::string& value, LPSTR buffer, DWORD maxCount) {
  if (!buffer || maxCount == 0) return 0;
  DWORD n = static_cast<DWORD>(value.size() < maxCount - 1 ? value.size() : maxCount - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = 0;
  return n;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR name, LPCSTR defaultValue, LPSTR buffer, DWORD maxCount,
                              LPCSTR file) {
  Ini ini = Load(file);
  std::vector<std::string> items;
  if (!section) {
    for (const auto& s : ini.sections) items.push_back(s.name);
    return CopyList(items, buffer, maxCount);
  }
  Section* s = FindSection(ini, section);
  if (!name) {
    if (s)
      for (const auto& line : s->lines)
        if (!line.name.empty()) items.push_back(line.name);
    return CopyList(items, buffer, maxCount);
  }
  if (Line* line = s ? FindLine(*s, name) : nullptr) return CopyValue(Unquote(line->value), buffer, maxCount);
  std::string fallback = defaultValue ? defaultValue : "";
  fallback.erase(fallback.find_last_not_of(' ') + 1);
  return CopyValue(fallback, buffer, maxCount);
}

BOOL WritePrivateProfileString(LPCSTR section, LPCSTR name, LPCSTR value, LPCSTR file) {
  if (!section) return name || value ? FALSE : TRUE;
  Ini ini = Load(file);
  Section* s = FindSection(ini, section);
  if (!name) {
    if (!s) return TRUE;
    ini.sections.erase(ini.sections.begin() + (s - ini.sections.data()));
    return Store(file, ini);
  }
  if (!value) {
    if (!s) return TRUE;
    Line* line = FindLine(*s, name);
    if (!line) return TRUE;
    s->lines.erase(s->lines.begin() + (line - s->lines.data()));
    return Store(file, ini);
  }
  if (!s) {
    ini.sections.push_back({Trim(section), {}});
    s = &ini.sections.back();
  }
  if (Line* line = FindLine(*s, name)) {
    line->value = value;
  } else {
    // New values go after the section's last value, before trailing comments or blanks.
    auto at = s->lines.end();
    while (at != s->lines.begin() && (at - 1)->name.empty()) --at;
    s->lines.insert(at, {Trim(name), value});
  }
  return Store(file, ini);
}

UINT GetPrivateProfileInt(LPCSTR section, LPCSTR name, int defaultValue, LPCSTR file) {
  char buffer[64];
  Ini ini = Load(file);
  Section* s = section ? FindSection(ini, section) : nullptr;
  Line* line = s && name ? FindLine(*s, name) : nullptr;
  if (!line) return static_cast<UINT>(defaultValue);
  CopyValue(Unquote(line->value), buffer, sizeof buffer);
  const char* p = buffer;
  bool negative = *p == '-';
  if (negative) ++p;
  unsigned long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = (v * 10 + static_cast<unsigned>(*p - '0')) & 0xFFFFFFFFULL;
  UINT u = static_cast<UINT>(v);
  return negative ? 0u - u : u;
}

DWORD GetProfileString(LPCSTR section, LPCSTR name, LPCSTR defaultValue, LPSTR buffer, DWORD maxCount) {
  return GetPrivateProfileString(section, name, defaultValue, buffer, maxCount, ProfilePath().c_str());
}
BOOL WriteProfileString(LPCSTR section, LPCSTR name, LPCSTR value) {
  return WritePrivateProfileString(section, name, value, ProfilePath().c_str());
}
UINT GetProfileInt(LPCSTR section, LPCSTR name, int defaultValue) {
  return GetPrivateProfileInt(section, name, defaultValue, ProfilePath().c_str());
}

namespace platform {
void SetProfileFile(const std::string& path) {
  ProfilePath() = path;
  MemoryStore() = Ini{};
}
const std::string& ProfileFile() { return ProfilePath(); }
}  // namespace platform
