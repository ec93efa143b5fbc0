#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/FileUtil.h"
#include "common/Version.h"
#include "platform/testing/Automation.h"
#include "platform/base/Resources.h"
#include "platform/dialogs/MessageBox.h"

namespace {

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeYearList();
    DataVersion.SetVersion("4", "0");
    std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s", (dir / "config4.sl").c_str());
  }
  void TearDown() override { FreeYearList(); }
  int Read(const std::string& text) {
    WriteBytes(dir / "config4.sl", text);
    return ReadWriteConfig(0);
  }
  TempFolder dir;
};

}  // namespace

TEST_F(ConfigTest, ReadsAnyCaseAndOrderAndBothYearForms) {
  automation::ExpectMessageBox("Error", "Missing value for 'oops'", IDOK);
  automation::ExpectMessageBox("Error", "Unknown option - colour", IDOK);
  ASSERT_EQ(Read("data folder=04//home/t/fy2004\n"
                 "  fiscal year=2004\r\n"
                 "\n"
                 "oops\n"
                 "colour = red\n"
                 "PROGRAM FOLDER\t=\t/home/t/kestrova \r\n"
                 "Data Folder=03//home/t/old year\n"
                 "trace=x\n"
                 "version = 3\n"),
            1);
  EXPECT_STREQ(CurrentFiscalYear, "2004");
  EXPECT_STREQ(FiscalYearYY, "04");
  EXPECT_STREQ(ProgramFolder, "/home/t/kestrova");
  EXPECT_EQ(FaqFolder, ResourcePath("FAQ"));  // shipped with the program, not per user
  EXPECT_EQ(TraceLevel, 0);
  ASSERT_EQ(YearCount, 2);
  EXPECT_STREQ(YearList->year, "2003");
  EXPECT_STREQ(YearList->folder, "/home/t/old year");
  EXPECT_STREQ(YearList->next->year, "2004");
  EXPECT_EQ(CurrentYearNode, YearList->next);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(ConfigTest, WritesTheFileByteExactAndReadsItBack) {
  std::strcpy(CurrentFiscalYear, "2005");
  std::strcpy(ProgramFolder, "/home/t/kestrova");
  TraceLevel = 1;
  FindYearNode("2005", 1, &YearList);
  std::strcpy(FindYearNode("2005", 0, &YearList)->folder, "/home/t/kestrova/fy2005");
  std::strcpy(FindYearNode("2004", 1, &YearList)->folder, "/data/fy2004");
  ASSERT_EQ(SortYearList(), 1);
  ASSERT_EQ(ReadWriteConfig(1), 1);
  EXPECT_EQ(ReadBytes(dir / "config4.sl"), kSoundConfig);

  FreeYearList();
  ASSERT_EQ(ReadWriteConfig(0), 1);
  EXPECT_STREQ(CurrentYearNode->folder, "/home/t/kestrova/fy2005");
  EXPECT_STREQ(YearList->folder, "/data/fy2004");
  EXPECT_EQ(TraceLevel, 1);
}

TEST_F(ConfigTest, EveryMissingPieceEndsTheStart) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"Program Folder = /p\nData Folder = 2004/p/fy2004\n", "Unknown current fiscal year"},
      {"Fiscal Year = 2004\nData Folder = 2004/p/fy2004\n", "Unknown program folder"},
      {"Fiscal Year = 2004\nProgram Folder = /p\n", "Unknown or missing data folders"},
      {"Fiscal Year = 2004\nProgram Folder = /p\nData Folder = 2004\n", "Unknown or missing data folders"},
      {"Fiscal Year = 2005\nProgram Folder = /p\nData Folder = 2004/p/fy2004\n",
       "Unknown or missing data folder for fiscal year 2005"},
      {"\x01\xff garbage\x7f=\n\n", "Unknown current fiscal year"},
  };
  for (const Case& c : cases) {
    FreeYearList();
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    EXPECT_EQ(Read(c.text), 0) << c.text;
    ASSERT_FALSE(automation::ModalLog().empty());
    EXPECT_EQ(automation::ModalLog().back().text, std::string(c.message) + ".") << c.text;
  }
}

TEST_F(ConfigTest, ALongLineIsOneSettingWhateverItsLength) {
  // A tail read as a line of its own would switch the current year.
  std::string padded = "Trace = 1" + std::string(600, ' ') + "Fiscal Year = 2099\n";
  automation::AlwaysAnswer("", "", IDOK);
  ASSERT_EQ(Read("Fiscal Year = 2004\nProgram Folder = /p\nData Folder = 2004/p/fy2004\n" + padded +
                 "Colour = " + std::string(5000, 'x') + "Data Folder = 2099/elsewhere\n"),
            1);
  EXPECT_STREQ(CurrentFiscalYear, "2004");
  EXPECT_EQ(TraceLevel, 1);
  EXPECT_EQ(YearCount, 1);
  ASSERT_EQ(automation::ModalLog().size(), 1u);
  EXPECT_EQ(automation::ModalLog().back().text, "Unknown option - Colour.");
}

TEST_F(ConfigTest, BadYearsAreRefusedNamingTheLineAndTheFile) {
  const std::string sound = "Program Folder = /p\nData Folder = 2004/p/fy2004\n";
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {sound + "Fiscal Year = 200r\n", "Invalid fiscal year '200r' on line 3 of "},
      {sound + "Fiscal Year = 04\n", "Invalid fiscal year '04' on line 3 of "},
      {sound + "Fiscal Year = 20045\n", "Invalid fiscal year '20045' on line 3 of "},
      {"Fiscal Year = 2004\n" + sound + "Data Folder = -5/neg\n", "Invalid data folder year '-5/neg' on line 4 of "},
      {"Fiscal Year = 2004\n" + sound + "Data Folder = 200/x\n", "Invalid data folder year '200/x' on line 4 of "},
      {"Fiscal Year = 2004\n" + sound + "Data Folder = 2003x/x\n", "Invalid data folder year '2003x/x' on line 4 of "},
  };
  for (const Case& c : cases) {
    FreeYearList();
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    EXPECT_EQ(Read(c.text), 0) << c.text;
    ASSERT_EQ(automation::ModalLog().size(), 1u) << c.text;
    EXPECT_EQ(automation::ModalLog().back().text, c.message + ConfigFileName + ".") << c.text;
  }
  // Two digits stand for the year in full.
  FreeYearList();
  ASSERT_EQ(Read("Fiscal Year = 2004\nProgram Folder = /p\nData Folder = 04/p/fy2004\n"), 1);
  EXPECT_STREQ(YearList->year, "2004");
}

TEST_F(ConfigTest, MissingFileIsAFatalOpenError) {
  automation::ExpectMessageBox("Fatal Error", "Failed open: " + (dir / "config4.sl"), IDOK);
  EXPECT_EQ(ReadWriteConfig(0), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(FiscalYear, ExpandYearFoldersAndToday) {
  const int cases[][2] = {{0, 2000}, {3, 2003}, {20, 2020}, {25, 2025}, {50, 2050}, {51, 1951}, {99, 1999}};
  for (const auto& c : cases) EXPECT_EQ(ExpandYear(c[0]), c[1]) << c[0];
  char out[MAX_PATH];
  GetYearFolder(0, "/backup/", "2004", out);
  EXPECT_STREQ(out, "/backup/fy2004");
  GetYearFolder(1, "/backup/", "2004", out);
  EXPECT_STREQ(out, "/backup/");
  TempFolder root;
  ASSERT_TRUE(MakePath((root / "FY2003").c_str()));
  GetYearFolder(0, root.path().c_str(), "2003", out);
  EXPECT_EQ(out, root / "FY2003");  // the older upper-case folder is found

  std::strcpy(FiscalStartDate, "20030701");
  std::strcpy(FiscalEndDate, "20040630");
  const std::pair<const char*, int> days[] = {
      {"20030630", -1}, {"20030701", 0}, {"20040630", 0}, {"20040701", 1}};
  for (const auto& d : days) {
    std::strcpy(TodayDate, d.first);
    EXPECT_EQ(CompareWithFiscalYear(), d.second) << d.first;
  }
}
