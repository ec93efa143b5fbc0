#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/FileUtil.h"
#include "common/Settings.h"
#include "common/Trace.h"

namespace {

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return 01000;  // no such file: matches no mode
  return st.st_mode & 0777;
}

// The usual umask of a desktop session: without care every new file would be
// readable by all users of the machine.
class PrivateFiles : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = umask(022); }
  void TearDown() override { umask(saved_); }
  TempFolder dir;

 private:
  mode_t saved_ = 0;
};

}  // namespace

TEST_F(PrivateFiles, FoldersAndFilesTheSystemMakesAreTheUsersAlone) {
  ASSERT_TRUE(MakePath((dir / "kestrova/fy2004/backup").c_str()));
  for (const char* folder : {"kestrova", "kestrova/fy2004", "kestrova/fy2004/backup"})
    EXPECT_EQ(ModeOf(dir / folder), 0700u) << folder;

  std::string whole = dir / "kestrova/config4.sl";
  ASSERT_EQ(WriteFileAtomic(whole.c_str(), "x", 1), 0);
  EXPECT_EQ(ModeOf(whole), 0600u);

  for (const char* mode : {"w", "w+b", "ab", "a+"}) {
    std::string name = dir / (std::string("kestrova/made-") + (mode[0] == 'a' ? "a" : "w") + std::string(mode + 1));
    std::FILE* f = OpenPrivateFile(name.c_str(), mode);
    ASSERT_NE(f, nullptr) << mode;
    std::fclose(f);
    EXPECT_EQ(ModeOf(name), 0600u) << mode;
  }
  EXPECT_EQ(OpenPrivateFile((dir / "kestrova/missing").c_str(), "rb"), nullptr);

  std::string settings = dir / "kestrova/udata4.dat";
  SettingsSection* section = OpenSettingsSection(settings.c_str(), "GENERAL");
  ASSERT_NE(section, nullptr);
  CloseSettingsSection(section);
  EXPECT_EQ(ModeOf(settings), 0600u);

  std::string trace = dir / "kestrova/trace.txt";
  ASSERT_TRUE(TheTraceLog().Configure(trace.c_str(), 1, 0));
  TheTraceLog().Configure("", 0, 0);
  EXPECT_EQ(ModeOf(trace), 0600u);
}

TEST_F(PrivateFiles, TheTraceMonitorSocketIsOnlyInAPrivateFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string savedRuntime = runtime ? runtime : "";
  const char* home = std::getenv("KESTROVA_HOME");
  std::string savedHome = home ? home : "";

  // Without a runtime folder: a folder of the program folder, made private.
  unsetenv("XDG_RUNTIME_DIR");
  setenv("KESTROVA_HOME", (dir / "home").c_str(), 1);
  EXPECT_EQ(TraceMonitorPath(), "");  // not made yet: nothing to send to
  EXPECT_EQ(TraceMonitorPath(true), dir / "home/run/ZIZevuzoz");
  EXPECT_EQ(ModeOf(dir / "home/run"), 0700u);

  // A runtime folder that others may open is not used.
  ASSERT_TRUE(MakePath((dir / "shared").c_str()));
  chmod((dir / "shared").c_str(), 0777);
  setenv("XDG_RUNTIME_DIR", (dir / "shared").c_str(), 1);
  EXPECT_EQ(TraceMonitorPath(true), "");
  chmod((dir / "shared").c_str(), 0700);
  EXPECT_EQ(TraceMonitorPath(), dir / "shared/ZIZevuzoz");

  if (savedRuntime.empty()) unsetenv("XDG_RUNTIME_DIR");
  else setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
  if (savedHome.empty()) unsetenv("KESTROVA_HOME");
  else setenv("KESTROVA_HOME", savedHome.c_str(), 1);
}
