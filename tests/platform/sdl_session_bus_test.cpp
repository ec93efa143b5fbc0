// The SDL2 host's start where no session bus is named (skipped without
// Xvfb): no helper program is started to look for one, and programs the
// user starts from ours still see the environment as it was. SDL looks
// for the bus once per process, so the start runs in a fresh copy of this
// test program.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/host/sdl/SdlHost.h"
#include "support/XvfbServer.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define KESTROVA_LSAN 1
#endif

extern char** environ;

// Run only by the test below, in a process of its own.
TEST(SdlSessionBus, DISABLED_StartWithoutBus) {
#ifdef KESTROVA_LSAN
  __lsan::ScopedDisabler noLeakChecks;  // the X libraries keep what they allocate
#endif
  std::unique_ptr<platform::SdlHost> host = platform::SdlHost::Open();
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
}

TEST(SdlSessionBus, NoHelperLooksForAMissingBus) {
  std::string binary = xvfb::Find();
  if (binary.empty()) GTEST_SKIP() << "no Xvfb";
  xvfb::Server server(binary);
  ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";

  // A stand-in for the bus library's helper, first on the PATH, that leaves
  // a mark when started.
  char pattern[] = "/tmp/kestrova-bus-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path folder = pattern, helper = folder / "dbus-launch", mark = folder / "started";
  {
    std::ofstream out(helper);
    out << "#!/bin/sh\ntouch '" << mark.string() << "'\nexit 1\n";
  }
  chmod(helper.c_str(), 0700);

  const std::string path = "PATH=" + folder.string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
  const std::string display = "DISPLAY=" + server.display();
  const std::string home = "HOME=" + folder.string();
  std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  char filter[] = "--gtest_filter=SdlSessionBus.DISABLED_StartWithoutBus";
  char disabled[] = "--gtest_also_run_disabled_tests";
  char* argv[] = {self.data(), filter, disabled, nullptr};
  std::string asan = "ASAN_OPTIONS=detect_leaks=0";
  char* envp[] = {const_cast<char*>(path.c_str()), const_cast<char*>(display.c_str()),
                  const_cast<char*>(home.c_str()), asan.data(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the start in its own process failed";
  EXPECT_FALSE(std::filesystem::exists(mark)) << "a helper was started to look for a session bus";
  std::filesystem::remove_all(folder);
}
