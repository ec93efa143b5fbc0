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
#include "support/XvfbServer.h"

extern char** environ;

namespace xdotool {

// The xdotool program on the PATH, or empty.
inline std::string Find() { return xvfb::FindOnPath("xdotool"); }

inline pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// Runs `args` to its end while the program is busy elsewhere (its message
// loop does not turn), as a user acting ahead of a slow program; its exit
// status.
inline int RunWhileBusy(const std::vector<std::string>& args) {
  pid_t pid = Spawn(args);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `args` while the message loop turns, until it ends; its exit status.
inline int RunWhilePumping(const std::vector<std::string>& args) {
  pid_t pid = Spawn(args);
  if (pid < 0) return -1;
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
