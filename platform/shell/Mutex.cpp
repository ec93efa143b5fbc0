// Named mutexes as flock'd lock files.
#include "platform/shell/Mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/base/Kernel.h"

namespace {

struct MutexHandle {
  int fd = -1;
  bool owner = false;
};

std::mutex g_lock;
std::set<MutexHandle*>& Live() {
  static std::set<MutexHandle*> live;
  return live;
}

}  // namespace

namespace shell {

std::string RuntimeFolder() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = xdg && *xdg ? std::string(xdg) + "/kestrova" : "/tmp/kestrova-" + std::to_string(getuid());
  mkdir(dir.c_str(), 0700);
  return dir;
}

std::string RuntimeFile(const std::string& name, const char* suffix) {
  std::string safe;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    safe += (std::isalnum(u) || c == '-' || c == '_' || c == '.') ? c : '_';
  }
  if (safe.empty() || safe[0] == '.') safe.insert(safe.begin(), '_');
  return RuntimeFolder() + "/" + safe + suffix;
}

}  // namespace shell

HANDLE CreateMutex(SECURITY_ATTRIBUTES*, BOOL, LPCSTR name) {
  const std::string path = shell::RuntimeFile(name ? name : "", ".lock");
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  auto* h = new MutexHandle;
  h->fd = fd;
  h->owner = flock(fd, LOCK_EX | LOCK_NB) == 0;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    Live().insert(h);
  }
  SetLastError(h->owner ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return h;
}

BOOL CloseHandle(HANDLE handle) {
  auto* h = static_cast<MutexHandle*>(handle);
  {
    std::lock_guard<std::mutex> guard(g_lock);
    if (!h || !Live().erase(h)) return FALSE;
  }
  close(h->fd);  // also gives up the lock
  delete h;
  return TRUE;
}
