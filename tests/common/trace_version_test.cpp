#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "CommonTestUtil.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "common/Version.h"
#include "platform/testing/Automation.h"

TEST(Trace, NestedLogsIndentByDepthAndLevelZeroWritesNothing) {
  TempFolder dir;
  std::string file = dir / "trace.txt";
  WriteBytes(file, "left from the last run\n");
  ASSERT_TRUE(TheTraceLog().Configure(file.c_str(), 5, 0));
  EXPECT_EQ(TraceLogLevel, 1);
  {
    CTraceLog outer("ReportDriver");
    CTraceLog inner("InitRpt");
    CTraceLog unnamed("");
  }
  std::string text = ReadBytes(file);
  std::string rule(51, '=');
  EXPECT_EQ(text.rfind("    " + rule + "\r\n", 0), 0u) << text;  // the old text is gone
  EXPECT_NE(text.find("\r\n    " + rule + "\r\n    Entering ReportDriver\r\n        Entering InitRpt\r\n"
                      "        Exiting InitRpt\r\n    Exiting ReportDriver\r\n"),
            std::string::npos)
      << text;

  std::string quiet = dir / "quiet.txt";
  ASSERT_TRUE(TheTraceLog().Configure(quiet.c_str(), 0, 0));
  { CTraceLog scope("Nothing"); }
  struct stat st {};
  EXPECT_NE(stat(quiet.c_str(), &st), 0);
  TheTraceLog().Configure("", 0, 0);
}

TEST(Trace, MonitorReceivesDepthAndText) {
  TempFolder dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  { CTraceScope unheard("NoMonitorYet"); }  // nothing listens: nothing happens

  int sock = socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strcpy(addr.sun_path, TraceMonitorPath().c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  {
    CTraceScope outer("OnPaint");
    CTraceScope inner("DrawCell");
  }
  const char* expected[] = {"Entering OnPaint", "Entering DrawCell", "Exiting DrawCell", "Exiting OnPaint"};
  const unsigned depths[] = {0, 1, 1, 0};
  for (int i = 0; i < 4; ++i) {
    char buf[256];
    ssize_t n = recv(sock, buf, sizeof buf, MSG_DONTWAIT);
    ASSERT_GT(n, 4);
    unsigned depth = static_cast<unsigned char>(buf[0]) | (static_cast<unsigned char>(buf[1]) << 8);
    EXPECT_EQ(depth, depths[i]);
    EXPECT_STREQ(buf + 4, expected[i]);
    EXPECT_EQ(buf[n - 1], '\0');
  }
  close(sock);
  unlink(TraceMonitorPath().c_str());
  unsetenv("XDG_RUNTIME_DIR");
}

TEST(Version, SettersAndFormat) {
  CVersionNumber v;
  EXPECT_TRUE(v.SetVersion("4", "0"));
  EXPECT_EQ(v.Format(2), "4");
  EXPECT_TRUE(v.SetAppName("Pellamy"));
  EXPECT_TRUE(v.SetVersion("2", ""));
  EXPECT_EQ(v.Format(7), "Pellamy 2");
  EXPECT_TRUE(v.SetVersion("2", "11"));
  EXPECT_EQ(v.Format(6), "2.11");
  EXPECT_EQ(v.Format(1), "Pellamy");
  EXPECT_FALSE(v.SetExpiryDays(0));
  EXPECT_EQ(v.GetErrorText(), "Version Number:  The expiration period must be at least one day.");
  EXPECT_EQ(v.GetExpiryDays(), 30);
  EXPECT_FALSE(v.SetAppName(""));
  EXPECT_EQ(v.GetAppName(), "Pellamy");
  EXPECT_FALSE(v.SetWebSite(""));
  EXPECT_EQ(v.GetErrorText(), "Version Number:  The WebSite URL may not be blank");
}

namespace {
int opened = 0;
int FakeOpener(const char*) {
  ++opened;
  return 42;
}
}  // namespace

TEST(Version, ReminderIsDueAfterThePeriodAndNoPostponesIt) {
  TempFolder dir;
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
  std::string exe = dir / "tornel";
  WriteBytes(exe, "");
  const long long now = 1700000000;
  utimbuf times{static_cast<time_t>(now - 100 * 86400), static_cast<time_t>(now - 100 * 86400)};
  utime(exe.c_str(), &times);
  SetProgramFilePathForTest(exe.c_str());
  SetReminderClockForTest(now);
  SetShellOpener(FakeOpener);

  CVersionNumber v;
  v.SetAppName("Pellamy");
  v.SetVersion("2", "11");
  v.SetExpiryDays(90);
  v.SetVendorName("Brindlex Software");
  v.SetWebSite("https://example.org");
  v.SetPatchUrl("https://example.org/patches");
  EXPECT_TRUE(v.IsReminderDue());
  automation::ExpectMessageBox("Question", "Your version of Pellamy (v2.11) is over 90 days old.", ANSWER_NO);
  EXPECT_TRUE(v.RemindIfOld());
  EXPECT_EQ(opened, 0);
  EXPECT_FALSE(v.IsReminderDue());
  SetReminderClockForTest(now + 90 * 86400);
  EXPECT_TRUE(v.IsReminderDue());
  automation::ExpectMessageBox("Question", "", ANSWER_YES);
  EXPECT_TRUE(v.RemindIfOld());
  EXPECT_EQ(opened, 1);

  SetShellOpener(nullptr);
  SetReminderClockForTest(0);
  SetProgramFilePathForTest(nullptr);
  SettingsFileName[0] = '\0';
  EXPECT_EQ(CWebLink("").Open(), 0);
}
