// ShellExecute and WinExec through posix_spawn, reaping the children on a
// thread of their own so that none is left a zombie.
#include "platform/shell/ShellExecute.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <thread>

#include "platform/base/Kernel.h"

extern char** environ;

namespace shell {

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  bool inArg = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
      cur += '"';
      inArg = true;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
      inArg = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArg) out.push_back(cur);
      cur.clear();
      inArg = false;
    } else {
      cur += c;
      inArg = true;
    }
  }
  if (inArg) out.push_back(cur);
  return out;
}

int Spawn(const std::vector<std::string>& argv, const std::string& directory) {
  if (argv.empty() || argv[0].empty()) return ENOENT;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return rc;
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return 0;
}

}  // namespace shell

namespace {

HINSTANCE Result(long code) { return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code)); }

long SpawnResult(int rc) {
  switch (rc) {
    case 0: return 42;
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM: return SE_ERR_OOM;
    default: return SE_ERR_NOASSOC;
  }
}

// A link with a scheme ("https://...", "mailto:...") rather than a file.
bool IsLink(const std::string& s) {
  const std::size_t colon = s.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i)
    if (!std::isalnum(static_cast<unsigned char>(s[i])) && s[i] != '+' && s[i] != '-' && s[i] != '.') return false;
  return true;
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
  if (operation && *operation && std::strcmp(operation, "open") != 0) return Result(SE_ERR_NOASSOC);
  if (!file || !*file) return Result(SE_ERR_FNF);
  const std::string target = file;
  const std::string dir = directory ? directory : "";
  if (IsLink(target)) return Result(SpawnResult(shell::Spawn({"xdg-open", target}, dir)));
  std::string path = target;
  if (!dir.empty() && target[0] != '/') path = dir + "/" + target;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return Result(errno == ENOTDIR ? SE_ERR_PNF : SE_ERR_FNF);
  if (S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0) {
    std::vector<std::string> argv{path};
    for (std::string& a : shell::SplitCommandLine(parameters ? parameters : "")) argv.push_back(std::move(a));
    return Result(SpawnResult(shell::Spawn(argv, dir)));
  }
  const long r = SpawnResult(shell::Spawn({"xdg-open", path}, dir));
  // Without the desktop's opener nothing knows what opens the file.
  return Result(r == SE_ERR_FNF ? SE_ERR_NOASSOC : r);
}

UINT WinExec(LPCSTR commandLine, UINT) {
  const std::vector<std::string> argv = shell::SplitCommandLine(commandLine ? commandLine : "");
  if (argv.empty()) return ERROR_FILE_NOT_FOUND;
  const int rc = shell::Spawn(argv);
  if (rc == 0) return 33;
  return rc == ENOENT || rc == ENOTDIR ? ERROR_FILE_NOT_FOUND : (rc == EACCES ? ERROR_ACCESS_DENIED : 11);
}
