// Sending keys to a display test's X server with xdotool, as a user's
// keyboard would, while the test's message loop keeps turning.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/SdlDisplay.h"

extern char** environ;

namespace xdotool {

// The xdotool program on the PATH, or empty.
inline std::string Find() {
  const char* path = std::getenv("PATH");
  const std::string p = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= p.size()) {
    size_t end = p.find(':', start);
    if (end == std::string::npos) end = p.size();
    const std::string candidate = p.substr(start, end - start) + "/xdotool";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Runs `args` while the message loop turns, until it ends; its exit status.
inline int RunWhilePumping(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  for (;;) {
    sdl_display::PumpFor(20);
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return -1;
  }
  // What the X server sent last still travels to us.
  sdl_display::PumpFor(500);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace xdotool
