// tracemon: prints what the running program sends to the trace monitor.
//
// Binds the monitor socket (see common/Trace.h), then prints each message as
// its text indented by 4 blanks per nesting depth; "clear" (sent when the
// trace is configured) prints a separator line. Ends on Ctrl+C and removes
// the socket.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Trace.h"

namespace {
volatile std::sig_atomic_t stopping = 0;
void Stop(int) { stopping = 1; }
}  // namespace

int main() {
  std::string path = TraceMonitorPath(true);
  if (path.empty()) {
    std::fprintf(stderr, "tracemon: no private folder for the monitor socket\n");
    return 1;
  }
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) {
    std::fprintf(stderr, "tracemon: socket path too long: %s\n", path.c_str());
    return 1;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int sock = socket(AF_UNIX, SOCK_DGRAM, 0);
  if (sock < 0) {
    std::perror("tracemon: socket");
    return 1;
  }
  unlink(path.c_str());  // a socket left by an earlier monitor
  if (bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    std::perror("tracemon: bind");
    return 1;
  }
  struct sigaction sa {};
  sa.sa_handler = Stop;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  std::printf("tracemon: listening on %s\n", path.c_str());
  std::fflush(stdout);
  char buf[65536];
  while (!stopping) {
    ssize_t n = recv(sock, buf, sizeof buf - 1, 0);
    if (n < 0) continue;  // interrupted
    if (n < 4) continue;
    buf[n] = '\0';
    unsigned depth = static_cast<unsigned char>(buf[0]) | (static_cast<unsigned char>(buf[1]) << 8) |
                     (static_cast<unsigned char>(buf[2]) << 16) | (static_cast<unsigned>(static_cast<unsigned char>(buf[3])) << 24);
    const char* text = buf + 4;
    if (std::strcmp(text, "clear") == 0) {
      std::printf("----------------------------------------------------------------\n");
    } else {
      int indent = static_cast<int>(depth > 20 ? 20 : depth) * 4;
      std::printf("%*s%s\n", indent, "", text);
    }
    std::fflush(stdout);
  }
  close(sock);
  unlink(path.c_str());
  return 0;
}
