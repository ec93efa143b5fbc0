// The raise requests between a second start and the running copy, over a
// Unix stream socket: one line "RAISE <title part>", answered "OK" or "NONE".
#include "platform/shell/RunningCopy.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/shell/Mutex.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace shell {

namespace {

int g_listen = -1;
std::string g_socketPath;
UINT_PTR g_timer = 0;

bool Address(const std::string& name, sockaddr_un* addr) {
  const std::string path = RuntimeFile(name, ".sock");
  std::memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_UNIX;
  if (path.size() >= sizeof addr->sun_path) return false;
  std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
  return true;
}

struct Search {
  const std::string* part;
  HWND found;
};

BOOL FindByTitle(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  char title[512];
  GetWindowText(w, title, sizeof title);
  if (!IsWindowVisible(w) || !std::strstr(title, s->part->c_str())) return TRUE;
  s->found = w;
  return FALSE;
}

// Reads one line (up to 1 KB) within the time left; false on timeout.
bool ReadLine(int fd, std::string* line, int timeoutMs) {
  line->clear();
  char c;
  while (line->size() < 1024) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    if (read(fd, &c, 1) != 1) return false;
    if (c == '\n') return true;
    *line += c;
  }
  return false;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void OnTimer(HWND, UINT, UINT_PTR, DWORD) { ServeSecondStarts(); }

}  // namespace

HWND RaiseWindowByTitle(const std::string& titlePart) {
  Search s{&titlePart, nullptr};
  EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&s));
  if (!s.found) return nullptr;
  if (IsIconic(s.found)) ShowWindow(s.found, SW_RESTORE);
  SetForegroundWindow(s.found);
  return s.found;
}

bool ListenForSecondStarts(const std::string& name, UINT pollMs) {
  StopListening();
  sockaddr_un addr;
  if (!Address(name, &addr)) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  // A socket file left by a copy that crashed is stale: the caller holds
  // the mutex, so no other copy listens on it.
  unlink(addr.sun_path);
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0) {
    close(fd);
    return false;
  }
  g_listen = fd;
  g_socketPath = addr.sun_path;
  if (pollMs) g_timer = SetTimer(nullptr, 0, pollMs, OnTimer);
  return true;
}

void StopListening() {
  if (g_timer) KillTimer(nullptr, g_timer);
  g_timer = 0;
  if (g_listen >= 0) {
    close(g_listen);
    unlink(g_socketPath.c_str());
  }
  g_listen = -1;
}

void ServeSecondStarts() {
  if (g_listen < 0) return;
  for (;;) {
    const int c = accept4(g_listen, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) return;
    std::string line;
    // A caller that says nothing soon is dropped, so the loop never hangs.
    if (ReadLine(c, &line, 500) && line.rfind("RAISE ", 0) == 0)
      WriteAll(c, RaiseWindowByTitle(line.substr(6)) ? "OK\n" : "NONE\n");
    close(c);
  }
}

bool AskRunningCopyToRaise(const std::string& name, const std::string& titlePart, int timeoutMs) {
  sockaddr_un addr;
  if (!Address(name, &addr) || titlePart.find('\n') != std::string::npos) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  std::string answer;
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
                  WriteAll(fd, "RAISE " + titlePart + "\n") && ReadLine(fd, &answer, timeoutMs) && answer == "OK";
  close(fd);
  return ok;
}

}  // namespace shell
