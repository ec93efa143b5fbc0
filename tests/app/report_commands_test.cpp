// The reports in the program: Help > README (report 91) and an FAQ answer
// (report 92) through the start-up's registrations, and the answer's lines.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/FaqDlg.h"
#include "app/FaqList.h"
#include "app/ReportCommands.h"
#include "app/ReportMenu.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "common/TempFolder.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "records/AccountRegisterSeam.h"
#include "records/Recon.h"
#include "reports/RptDriver.h"
#include "reports/RptSelection.h"

namespace {

struct Shown {
  int reportId;
  std::vector<std::string> lines;
};
std::vector<Shown> shown;

std::vector<std::string> Records(const RptContext* c) {
  std::vector<std::string> lines;
  std::FILE* f = std::fopen(c->tempName, "rb");
  char record[256];
  while (f && std::fread(record, 256, 1, f) == 1) {
    CutRptRecord(record);
    lines.emplace_back(record);
  }
  if (f) std::fclose(f);
  return lines;
}

int RecordPreview(RptContext* c, int*) {
  shown.push_back({c->reportId, Records(c)});
  return 1;
}

class ReportCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kestrova-rptcmd-XXXXXX";
    home_ = ::mkdtemp(tmpl);
    std::snprintf(::TempFolder, sizeof ::TempFolder, "%s", home_.c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home_.c_str());
    std::snprintf(FaqFolder, sizeof FaqFolder, "%s", home_.c_str());
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home_.c_str());
    std::snprintf(TodayDate, sizeof TodayDate, "20261211");
    shown.clear();
    ClearRptRegistry();
    InstallReportCommands();  // as the program's start does
    SetRptPreviewer(RecordPreview);
  }
  void TearDown() override {
    SetRptPreviewer(nullptr);
    ClearRptRegistry();
    ClearCommands();
    SetFaqAnswerViewer(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(home_, ec);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::FILE* f = std::fopen((home_ + "/" + name).c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  FaqEntry WriteFaq(const std::string& answer) {
    FaqEntry e;
    e.answerLength = static_cast<int>(answer.size());
    std::snprintf(e.number, sizeof e.number, "17");
    std::snprintf(e.path, sizeof e.path, "Reports/Printing");
    std::snprintf(e.question, sizeof e.question, "How do I print {everything}?");
    std::snprintf(e.answerFile, sizeof e.answerFile, "Q17.FAQ");
    unsigned char header[kFaqHeaderSize];
    EncodeFaqHeader(e, header);
    Write("Q17.FAQ", std::string(reinterpret_cast<char*>(header), sizeof header) + answer);
    return e;
  }
  std::string home_;
};

TEST_F(ReportCommandsTest, HelpReadmeShowsTheProgramFoldersReadme) {
  Write("readme.txt", "Welcome\n{ff}Not a page break\n" + std::string(300, 'x') + "\n");
  CommandHandler readme = FindCommand(ID_HELP_README);
  ASSERT_NE(readme, nullptr);  // the menu command is enabled
  readme();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].reportId, 91);
  const auto& lines = shown[0].lines;
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "{F3}{77=}" + home_ + "/readme.txt");
  EXPECT_EQ(lines[3], "{77}Welcome ");
  EXPECT_EQ(lines[4], "{77}(ff}Not a page break ");
  for (const auto& line : lines) EXPECT_NE(line, "{ff}");  // one page
}

TEST_F(ReportCommandsTest, AnFaqAnswerIsReport92) {
  const FaqEntry entry = WriteFaq("Open the report.\r\nThen {77=} press Print.\nA tail without a line feed");
  ShowFaqAnswer(entry);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].reportId, 92);
  const std::vector<std::string> body(shown[0].lines.begin() + 3, shown[0].lines.end() - 3);
  const std::vector<std::string> expected = {"{77-}Question #17", " ", "How do I print (everything}?", " ",
                                             "{77-}Answer",       " ", "{77}Open the report. ",
                                             "{77}Then (77=} press Print. "};
  EXPECT_EQ(body, expected);
  EXPECT_EQ(shown[0].lines[0], "{F3}{77=}Frequently Asked Question");
}

TEST_F(ReportCommandsTest, AMissingAnswerFileIsShownAndNothingPreviews) {
  FaqEntry entry = WriteFaq("text\n");
  std::snprintf(entry.answerFile, sizeof entry.answerFile, "GONE.FAQ");
  automation::ExpectMessageBox("Fatal Error", "Failed open: FAQ input file", IDOK);
  ShowFaqAnswer(entry);
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(ReportCommandsTest, TheFinancialReportsOpenFromTheReportsMenu) {
  // Monthly and annual income/expense, financial statement, detail,
  // budgets, account list and summary: dialog and builder both installed.
  for (UINT command : {32964u, 32973u, 32965u, 32963u, 32970u, 32971u, 32967u, 32969u})
    EXPECT_NE(FindCommand(command), nullptr) << command;
}

TEST_F(ReportCommandsTest, TheBalancingReportButtonPrintsTheReconciliationStatement) {
  RecordReportRunner run = GetRecordReportRunner();
  ASSERT_NE(run, nullptr);  // the balancing dialog's Report button is enabled
  AccountRecord checking;
  checking.number = 101;
  std::snprintf(checking.name, sizeof checking.name, "Checking");
  checking.classRow = 1;
  checking.currentBalance = 50000;
  ReconList items(2);
  items[0].amount = 2500;
  items[0].factor = -1;
  items[0].row = 3;
  std::snprintf(items[0].number, sizeof items[0].number, "1001");
  std::snprintf(items[0].date, sizeof items[0].date, "03/05/08");
  std::snprintf(items[0].description, sizeof items[0].description, "Camp store");
  ResetReconContext();
  TheReconContext.account = &checking;
  std::snprintf(TheReconContext.statementDate, sizeof TheReconContext.statementDate, "033108");
  TheReconContext.statementBalance = 52500;
  TheReconContext.items = &items;
  run(16, nullptr);
  ResetReconContext();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].reportId, 16);
  const auto& lines = shown[0].lines;
  EXPECT_EQ(lines[0], "{F3}{77=}Reconciliation Statement");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "{33.}Out-of-Balance Amount{1} {8r}     0.00 "), lines.end());
}

int seenOptionB = -1;
int seenOrder = -1;
int LaunchNothing(RptContext*) {
  seenOptionB = RptOptionB;
  seenOrder = RptOrder;
  return 0;
}
int BuildNothing(RptContext*) { return 1; }

TEST_F(ReportCommandsTest, AMenuCommandIsEnabledOnceItsReportCanRun) {
  // Launchers are installed; a report whose builder is missing stays off.
  ASSERT_NE(FindRptLauncher(1), nullptr);
  if (FindRptBuilder(1) == nullptr) {
    EXPECT_EQ(FindCommand(32964), nullptr);
  }
  struct Case {
    UINT command;
    int report;
  } cases[] = {{32964, 1}, {32968, 31}, {32820, 24}, {32929, 15}, {32952, 14}};
  for (const Case& c : cases) {
    ClearRptRegistry();
    ClearCommands();
    InstallReportMenuCommands();
    EXPECT_EQ(FindCommand(c.command), nullptr) << c.command;
    RegisterRptBuilder(c.report == 15 ? 150 : c.report, BuildNothing);
    InstallReportMenuCommands();
    if (c.report != 24) {
      EXPECT_EQ(FindCommand(c.command), nullptr) << c.command << ": a builder alone";
      RegisterRptLauncher(c.report, LaunchNothing);
      InstallReportMenuCommands();
    }
    EXPECT_NE(FindCommand(c.command), nullptr) << c.command;
    EXPECT_EQ(ReportOfCommand(c.command), c.report);
  }
}

TEST_F(ReportCommandsTest, TheRegisterReportFromTheMenuStartsWithoutARegistersPreset) {
  RegisterRptBuilder(31, BuildNothing);
  RegisterRptLauncher(31, LaunchNothing);
  InstallReportMenuCommands();
  RptOptionB = 1;  // what an accepted report 31 leaves: an include flag
  RptOrder = 'N';
  FindCommand(32968)();
  EXPECT_EQ(seenOptionB, 0);
  EXPECT_EQ(seenOrder, 0);
  // A register screen's own call keeps its preset.
  RptOptionB = 101;
  RptOrder = '2';
  ReportDriver(31, nullptr);
  EXPECT_EQ(seenOptionB, 101);
  EXPECT_EQ(seenOrder, '2');
}

}  // namespace

namespace {

int registerLaunches = 0;
int RecordRegisterLaunch(RptContext* c) {
  ++registerLaunches;
  EXPECT_EQ(c->reportId, 31);
  EXPECT_EQ(RptOptionB, 0);  // no register screen's preset from the menu
  return 0;
}

TEST_F(ReportCommandsTest, AReportMenuCommandNeedsBothBuilderAndDialog) {
  ASSERT_NE(FindRptBuilder(31), nullptr);
  if (FindRptLauncher(31) == nullptr) {
    EXPECT_EQ(FindCommand(ID_REPORT_ACCOUNT_REGISTER), nullptr);
  }
  RegisterRptLauncher(31, RecordRegisterLaunch);
  InstallReportMenuCommands();
  CommandHandler run = FindCommand(ID_REPORT_ACCOUNT_REGISTER);
  ASSERT_NE(run, nullptr);
  RptOptionB = 101;  // left by a register screen
  registerLaunches = 0;
  run();
  EXPECT_EQ(registerLaunches, 1);
}

TEST_F(ReportCommandsTest, EveryReportWithADialogHasItsLauncherAfterStartUp) {
  for (int report : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 20, 21, 22, 23, 25, 28, 29, 30, 31, 32,
                     33, 34})
    EXPECT_NE(FindRptLauncher(report), nullptr) << report;
  // A menu command is served exactly when its report can be built.
  for (UINT command : {32964u, 32944u, 32929u, 32821u, 32972u}) {
    const int report = ReportOfCommand(command);
    EXPECT_EQ(FindCommand(command) != nullptr, FindRptBuilder(report == 15 ? 150 : report) != nullptr) << command;
  }
}

}  // namespace
