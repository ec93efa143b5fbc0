#include "platform/base/Resources.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool IsDir(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

std::string ExeDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string ResourceDir() {
  if (const char* env = std::getenv("KESTROVA_RES"); env && *env) return env;
#ifdef KESTROVA_RES_DIR
  if (IsDir(KESTROVA_RES_DIR)) return KESTROVA_RES_DIR;
#endif
  const std::string exe = ExeDir();
  if (!exe.empty()) {
    if (IsDir(exe + "/res")) return exe + "/res";
    if (IsDir(exe + "/../share/kestrova/res")) return exe + "/../share/kestrova/res";
  }
  return "res";
}

std::string ResourcePath(const char* relative) {
  std::string dir = ResourceDir();
  if (!relative || !*relative) return dir;
  while (*relative == '/') ++relative;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir + relative;
}
