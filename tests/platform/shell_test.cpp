// The shell stand-ins: programs and documents started without a shell,
// help without a manual, and the single running copy.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/framework/CWinApp.h"
#include "platform/shell/Help.h"
#include "platform/shell/Mutex.h"
#include "platform/shell/RunningCopy.h"
#include "platform/shell/ShellExecute.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform_support.h"

namespace {

namespace fs = std::filesystem;

// Waits up to two seconds for a file that a started program writes.
std::string WaitForFile(const fs::path& p) {
  for (int i = 0; i < 200 && !fs::exists(p); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kestrova-shell-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    runtime_ = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath_.c_str(), 1);
    if (runtime_.empty()) unsetenv("XDG_RUNTIME_DIR");
    else setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    automation::ClearResponder();
    fs::remove_all(dir_);
  }
  // A script in the test folder that writes each of its arguments on a line
  // of `out`.
  fs::path Recorder(const char* name, const fs::path& out) {
    const fs::path p = dir_ / name;
    std::ofstream(p) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << out.string() << "'\n";
    fs::permissions(p, fs::perms::owner_all);
    return p;
  }
  fs::path dir_;
  std::string oldPath_, runtime_;
};

TEST(ShellCommandLine, SplitsLikeAProgramsArguments) {
  using V = std::vector<std::string>;
  EXPECT_EQ(shell::SplitCommandLine("tool a  b"), (V{"tool", "a", "b"}));
  EXPECT_EQ(shell::SplitCommandLine("\"/opt/my tool\" \"two words\" x"), (V{"/opt/my tool", "two words", "x"}));
  EXPECT_EQ(shell::SplitCommandLine("say \\\"hi\\\" \"\""), (V{"say", "\"hi\"", ""}));
  EXPECT_EQ(shell::SplitCommandLine("   "), V{});
}

TEST_F(Shell, WinExecPassesArgumentsUnquotedToTheProgram) {
  const fs::path out = dir_ / "args.txt";
  const fs::path tool = Recorder("tool", out);
  const std::string line = "\"" + tool.string() + "\" \"Troop 12 $HOME\" '*' ;rm";
  EXPECT_GT(WinExec(line.c_str(), SW_SHOWNORMAL), 31u);
  EXPECT_EQ(WaitForFile(out), "Troop 12 $HOME\n'*'\n;rm\n");
  EXPECT_EQ(WinExec("/no/such/program arg", SW_SHOWNORMAL), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Shell, ShellExecuteHandsDocumentsToTheDesktopOpener) {
  const fs::path out = dir_ / "opened.txt";
  Recorder("xdg-open", out);
  setenv("PATH", (dir_.string() + ":" + oldPath_).c_str(), 1);
  const fs::path doc = dir_ / "Dues 2024 $1.pdf";
  std::ofstream(doc) << "x";
  EXPECT_GT(shell::ShellResult(ShellExecute(nullptr, "open", doc.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
  EXPECT_EQ(WaitForFile(out), doc.string() + "\n");
  fs::remove(out);
  EXPECT_GT(shell::ShellResult(ShellExecute(nullptr, nullptr, "https://example.org/a b", nullptr, nullptr, 1)), 32);
  EXPECT_EQ(WaitForFile(out), "https://example.org/a b\n");

  // A program is started itself, with its parameters.
  const fs::path args = dir_ / "args.txt";
  const fs::path tool = Recorder("tool", args);
  EXPECT_GT(shell::ShellResult(ShellExecute(nullptr, "open", "tool", "-x \"a b\"", dir_.c_str(), 1)), 32);
  EXPECT_EQ(WaitForFile(args), "-x\na b\n");

  EXPECT_EQ(shell::ShellResult(ShellExecute(nullptr, "open", (dir_ / "missing.pdf").c_str(), nullptr, nullptr, 1)),
            SE_ERR_FNF);
  EXPECT_EQ(shell::ShellResult(ShellExecute(nullptr, "print", doc.c_str(), nullptr, nullptr, 1)), SE_ERR_NOASSOC);
}

TEST_F(Shell, HelpWithoutAManualSaysSoAndContextsBecomeAnchors) {
  automation::ExpectMessageBox("Help", "manual is not installed", IDOK);
  EXPECT_FALSE(WinHelp(nullptr, "nosuchmanual.hlp", HELP_FINDER, 0));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_TRUE(WinHelp(nullptr, "nosuchmanual.hlp", HELP_QUIT, 0));
  EXPECT_EQ(shell::HelpTarget("/m/kestrova.html", HELP_CONTEXT, 32939), "file:///m/kestrova.html#context-32939");
  EXPECT_EQ(shell::HelpTarget("/m/kestrova.html", HELP_FINDER, 0), "file:///m/kestrova.html");
}

TEST_F(Shell, HelpOpensTheInstalledManualAtTheContextsAnchor) {
  const fs::path out = dir_ / "opened.txt";
  Recorder("xdg-open", out);
  setenv("PATH", (dir_.string() + ":" + oldPath_).c_str(), 1);
  const char* oldRes = std::getenv("KESTROVA_RES");
  const std::string keepRes = oldRes ? oldRes : "";
  setenv("KESTROVA_RES", dir_.c_str(), 1);
  fs::create_directories(dir_ / "manual");
  std::ofstream(dir_ / "manual" / "kestrova.html") << "<html></html>";
  EXPECT_TRUE(WinHelp(nullptr, "C:\\TROOP\\KESTROVA.HLP", HELP_CONTEXT, 32939));
  EXPECT_EQ(WaitForFile(out), "file://" + (dir_ / "manual" / "kestrova.html").string() + "#context-32939\n");
  // The application's help goes to the manual of its help file.
  fs::remove(out);
  CWinApp app("Kestrova");
  app.m_pszHelpFilePath = "kestrova.hlp";
  app.WinHelp(0, HELP_FINDER);
  EXPECT_EQ(WaitForFile(out), "file://" + (dir_ / "manual" / "kestrova.html").string() + "\n");
  if (keepRes.empty()) unsetenv("KESTROVA_RES");
  else setenv("KESTROVA_RES", keepRes.c_str(), 1);
}

TEST_F(Shell, ANamedMutexIsHeldUntilItsHandleCloses) {
  HANDLE first = CreateMutex(nullptr, FALSE, "Kestrova/Treasurer");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = CreateMutex(nullptr, FALSE, "Kestrova/Treasurer");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(first));
  EXPECT_FALSE(CloseHandle(first));
  HANDLE again = CreateMutex(nullptr, FALSE, "Kestrova/Treasurer");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(again);
}

TEST_F(Shell, ASecondStartFindsTheFirstAndRaisesItsWindow) {
  HANDLE guard = CreateMutex(nullptr, FALSE, "KestrovaOneInst");
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  platformtest::registerClassOnce("ShellTestMain", DefWindowProc, COLOR_WINDOW);
  HWND main = platformtest::createAt(0, "ShellTestMain", "Kestrova Treasurer - FY2024",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 300, 200});
  HWND other = platformtest::createAt(0, "ShellTestMain", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      RECT{20, 20, 300, 200});
  ShowWindow(main, SW_MINIMIZE);
  SetForegroundWindow(other);
  ASSERT_TRUE(shell::ListenForSecondStarts("KestrovaOneInst", 0));

  // The second start is another process: it finds the mutex taken and asks.
  const pid_t child = fork();
  if (child == 0) {
    HANDLE h = CreateMutex(nullptr, FALSE, "KestrovaOneInst");
    const bool taken = h && GetLastError() == ERROR_ALREADY_EXISTS;
    const bool raised = shell::AskRunningCopyToRaise("KestrovaOneInst", "Kestrova Treasurer");
    const bool none = !shell::AskRunningCopyToRaise("KestrovaOneInst", "No such title", 300);
    _exit(taken && raised && none ? 0 : 1);
  }
  ASSERT_GT(child, 0);
  int status = -1;
  for (int i = 0; i < 500; ++i) {
    shell::ServeSecondStarts();
    if (waitpid(child, &status, WNOHANG) == child) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(GetForegroundWindow(), main);

  shell::StopListening();
  EXPECT_FALSE(shell::AskRunningCopyToRaise("KestrovaOneInst", "Kestrova", 200));
  DestroyWindow(main);
  DestroyWindow(other);
  CloseHandle(guard);
}

}  // namespace
