#include "common/FolderPaths.h"

#include <sys/stat.h>

#include <filesystem>

#include "common/FileUtil.h"

std::string AbsoluteFolder(std::string_view path) {
  const std::string text = NormalizePath(path);
  if (text.empty()) return text;
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(text, ec);
  if (ec) p = text;
  std::string out = p.lexically_normal().string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

bool SameFolderPath(std::string_view a, std::string_view b) {
  const std::string x = AbsoluteFolder(a), y = AbsoluteFolder(b);
  struct stat sa, sb;
  if (::stat(x.c_str(), &sa) == 0 && ::stat(y.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  return x == y;
}
