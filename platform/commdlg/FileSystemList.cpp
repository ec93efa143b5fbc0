#include "platform/commdlg/FileSystemList.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/base/Codepage.h"

namespace commdlg {
namespace {

unsigned char fold(unsigned char c) {
  // ASCII and the Latin-1 letters of Windows-1252 (except the multiply and
  // divide signs, which sit among them).
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  return c;
}

bool lessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
  });
}

std::string trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

std::vector<std::string> splitPatterns(std::string_view patterns) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string_view::npos) end = patterns.size();
    std::string p = trim(patterns.substr(start, end - start));
    if (!p.empty()) out.push_back(p);
    start = end + 1;
  }
  return out;
}

bool statOf(const std::string& path, struct stat& st) {
  return ::stat(Cp1252ToUtf8(path).c_str(), &st) == 0;
}

}  // namespace

bool MatchPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*") return true;
  // Iterative wildcard match with one back-tracking point for the last *.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || fold(static_cast<unsigned char>(pattern[p])) ==
                                         fold(static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchPatterns(std::string_view name, std::string_view patterns) {
  for (const std::string& p : splitPatterns(patterns))
    if (MatchPattern(name, p)) return true;
  return false;
}

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

FolderListing ListFolder(const std::string& folder, std::string_view patterns) {
  FolderListing out;
  DIR* dir = ::opendir(Cp1252ToUtf8(folder).c_str());
  if (!dir) {
    out.error = errno ? errno : EIO;
    return out;
  }
  const std::vector<std::string> pats = splitPatterns(patterns);
  const bool showHidden = std::any_of(pats.begin(), pats.end(), [](const std::string& p) { return p[0] == '.'; });
  while (dirent* e = ::readdir(dir)) {
    const std::string native = e->d_name;
    if (native == "." || native == "..") continue;
    const std::string name = Utf8ToCp1252(native);
    if (Cp1252ToUtf8(name) != native) continue;  // not nameable in the program's text
    const PathKind kind = KindOf(JoinName(folder, name));
    if (kind == PathKind::Folder) {
      if (name[0] != '.') out.folders.push_back(name);
    } else if (kind == PathKind::File) {
      if (name[0] == '.' && !showHidden) continue;
      for (const std::string& p : pats)
        if (MatchPattern(name, p)) {
          out.files.push_back(name);
          break;
        }
    }
  }
  ::closedir(dir);
  std::sort(out.folders.begin(), out.folders.end(), lessNoCase);
  std::sort(out.files.begin(), out.files.end(), lessNoCase);
  return out;
}

std::string NormalizePath(std::string_view path) {
  const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&]() {
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") parts.pop_back();
      else if (!absolute) parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (char c : path) {
    if (c == '/' || c == '\\') flush();
    else part += c;
  }
  flush();
  std::string out = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += '/';
    out += parts[i];
  }
  return out.empty() ? std::string(".") : out;
}

std::string ResolvePath(const std::string& folder, std::string_view typed) {
  if (!typed.empty() && (typed[0] == '/' || typed[0] == '\\')) return NormalizePath(typed);
  return NormalizePath(folder + "/" + std::string(typed));
}

std::string ParentOf(const std::string& path) { return SplitPath(NormalizePath(path)).first; }

std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return {".", path};
  if (slash == 0) return {"/", path.substr(1)};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

std::string JoinName(const std::string& folder, std::string_view name) {
  if (!folder.empty() && folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

PathKind KindOf(const std::string& path) {
  struct stat st{};
  if (!statOf(path, st)) return PathKind::Missing;
  if (S_ISDIR(st.st_mode)) return PathKind::Folder;
  if (S_ISREG(st.st_mode)) return PathKind::File;
  return PathKind::Other;
}

bool IsWritable(const std::string& path) { return ::access(Cp1252ToUtf8(path).c_str(), W_OK) == 0; }

std::string FolderError(const std::string& folder) {
  DIR* dir = ::opendir(Cp1252ToUtf8(folder).c_str());
  if (dir) {
    ::closedir(dir);
    return {};
  }
  return std::strerror(errno);
}

std::vector<std::pair<std::string, std::string>> ParseBarFilter(std::string_view filter) {
  std::vector<std::pair<std::string, std::string>> out;
  std::vector<std::string> fields;
  size_t start = 0;
  while (start < filter.size()) {
    size_t end = filter.find('|', start);
    if (end == std::string_view::npos) end = filter.size();
    if (end == start) break;  // "||" ends the list
    fields.push_back(std::string(filter.substr(start, end - start)));
    start = end + 1;
  }
  for (size_t i = 0; i + 1 < fields.size(); i += 2) out.emplace_back(trim(fields[i]), trim(fields[i + 1]));
  return out;
}

std::vector<std::pair<std::string, std::string>> ParseZeroFilter(const char* filter) {
  std::vector<std::pair<std::string, std::string>> out;
  if (!filter) return out;
  while (*filter) {
    std::string desc = filter;
    filter += desc.size() + 1;
    if (!*filter) break;  // a description without patterns ends the list
    std::string pats = filter;
    filter += pats.size() + 1;
    out.emplace_back(trim(desc), trim(pats));
  }
  return out;
}

}  // namespace commdlg
