// The installer's switches: splitting the command line, and applying the
// switches to the job.
#include <gtest/gtest.h>

#include <filesystem>

#include "OldInstall.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "wizard/CmdLine.h"
#include "wizard/Conversion.h"

namespace {

struct SplitCase {
  const char* line;
  std::vector<std::pair<std::string, std::string>> entries;  // name, value
};

TEST(CmdLine, SplitsIntoSwitchesAndValues) {
  const SplitCase cases[] = {
      {"", {}},
      {"-t 1", {{"t", "1"}}},
      {"/t 1 -o old", {{"t", "1"}, {"o", "old"}}},
      {"-t", {{"t", ""}}},
      {"-o \"C:\\My Troop\" -n x", {{"o", "C:\\My Troop"}, {"n", "x"}}},
      {"-o 'a \"b\" c'", {{"o", "a \"b\" c"}}},
      {"-o \"it's\"", {{"o", "it's"}}},
      {"-s \"\" -t 2", {{"s", ""}, {"t", "2"}}},
      {"plain -t 1 extra", {{"", "plain"}, {"t", "1"}, {"", "extra"}}},
      {"  -a\tAdults  ", {{"a", "Adults"}}},
      {"-T 3 -t 1", {{"T", "3"}, {"t", "1"}}},
  };
  for (const SplitCase& c : cases) {
    CCmdLine cmd;
    cmd.Parse(c.line);
    std::vector<std::pair<std::string, std::string>> got;
    for (std::size_t i = 0; i < cmd.Names().size(); ++i) got.emplace_back(cmd.Names()[i], cmd.Values()[i]);
    EXPECT_EQ(got, c.entries) << c.line;
  }
}

TEST(CmdLine, FindTakesTheFirstOfASwitchGivenTwice) {
  CCmdLine cmd;
  cmd.Parse("-t 1 -t 3");
  std::string value = "stale";
  EXPECT_EQ(cmd.Find("t", value), 2);
  EXPECT_EQ(value, "1");
  EXPECT_EQ(cmd.Find("x", value), 2);
  EXPECT_EQ(value, "");
}

TEST(CmdLine, ArgumentsWithBlanksSurviveTheRoundTrip) {
  std::string a0 = "movrane", a1 = "-o", a2 = "/tmp/My Troop", a3 = "-a", a4 = "The \"Old\" Ones";
  char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data()};
  CCmdLine cmd;
  cmd.Parse(JoinArguments(5, argv));
  std::string value;
  cmd.Find("o", value);
  EXPECT_EQ(value, "/tmp/My Troop");
  cmd.Find("a", value);
  EXPECT_EQ(value, "The \"Old\" Ones");
}

TEST(CmdLine, AppliesEverySwitchAndReadsTheOldInstallation) {
  oldinst::OldInstall inst(2);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  CConversion job;
  job.ParseCommandLine("-t 1 -o \"" + inst.OldFolder() + "\" -n " + inst.NewFolder() +
                       " -i /imports -a Adults -s /tmp/status.txt");
  EXPECT_EQ(job.GetAppType(), 1);
  EXPECT_EQ(job.GetOldFolder(), inst.OldFolder());
  EXPECT_EQ(job.GetInstallFolder(), inst.NewFolder());
  EXPECT_EQ(job.GetRootFolder(), inst.NewFolder());
  EXPECT_EQ(job.GetImportFolder(), "C:\\IMPORT");  // the old configuration names its own
  EXPECT_EQ(job.GetAdultSubunit(), "Adults");
  EXPECT_EQ(job.GetStatusFile(), "/tmp/status.txt");
  EXPECT_EQ(job.GetOldVersion(), 2);
  EXPECT_EQ(job.GetYears(), (std::vector<std::string>{"2007", "2008"}));
  EXPECT_EQ(job.GetNewFolders(), (std::vector<std::string>{inst.NewFolder() + "/fy2007", inst.NewFolder() + "/fy2008"}));
  EXPECT_FALSE(job.GetMembers().empty());
}

TEST(CmdLine, RefusedValuesAreShownAndLeaveTheFieldAsItWas) {
  CConversion job;
  automation::ExpectMessageBox("Error", "Invalid application type - 7.", IDOK);
  automation::ExpectMessageBox("Error", "The previous installation folder does not exist.", IDOK);
  job.ParseCommandLine("-t 7 -o /no/such/folder -t 2");
  EXPECT_EQ(job.GetAppType(), 5);
  EXPECT_EQ(job.GetOldFolder(), "");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(CmdLine, EmptyLineOrSwitchWithoutValueSetsNothing) {
  CConversion job;
  job.ParseCommandLine("");
  job.ParseCommandLine("/t");
  EXPECT_EQ(job.GetAppType(), 5);
  EXPECT_EQ(job.GetRootFolder(), "");
}

}  // namespace
