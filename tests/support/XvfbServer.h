// An X server of its own for a display test (Xvfb), on a free display it
// picks itself; skipped by the caller where no Xvfb is installed.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace xvfb {

// A program on the PATH, or empty.
inline std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string p = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= p.size()) {
    size_t end = p.find(':', start);
    if (end == std::string::npos) end = p.size();
    const std::string candidate = p.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// The Xvfb program on the PATH, or empty.
inline std::string Find() { return FindOnPath("Xvfb"); }

class Server {
 public:
  explicit Server(const std::string& binary) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      // No auto-repeat: on a loaded machine the scripted typist can be held
      // up between a key's press and its release long enough for the server
      // to repeat the key, and a doubled Tab skips a field.
      // No reset when the last program leaves: a desktop's server keeps
      // running under its window manager, and a program started next (the
      // start-up benchmark's runs) would otherwise wait for the server to
      // start over and compile its keyboard map again.
      execl(binary.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
            "-ardelay", "60000", "-arinterval", "60000", "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The number may come in pieces; the pipe stays open while the server
    // runs, since a write into a closed pipe would end it.
    readFd_ = fds[0];
    std::string number;
    char c;
    while (read(readFd_, &c, 1) == 1 && c != '\n') number += c;
    if (!number.empty()) display_ = ":" + number;
  }
  ~Server() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (readFd_ >= 0) close(readFd_);
  }
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  int readFd_ = -1;
  std::string display_;
};

}  // namespace xvfb
