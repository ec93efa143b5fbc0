// The report driver and generator: refused numbers, run-once numbers, the
// parameter loop, rebuilds after a page-setup change, and the registry.
#include "RptTestSupport.h"
#include "common/PrintSettings.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"

namespace {

int builds = 0;
int launches = 0;
int launcherAnswers = 0;  // how many times the launcher answers OK
int rebuildsAsked = 0;    // how many previews ask for a rebuild
std::vector<int> builtIds;
std::vector<float> builtMargins;

int TestBuilder(RptContext* c) {
  ++builds;
  builtIds.push_back(c->reportId);
  builtMargins.push_back(c->leftMargin);
  SetRptTitle(c, "Test", 0);
  if (!OpenRpt(c)) return 0;
  WriteRptBlock(c, RPT_BLOCK_TITLE);
  WriteRptText(c, "{20}Body");
  return CloseRpt(c);
}
int FailingBuilder(RptContext*) {
  ++builds;
  return 0;
}
int TestLauncher(RptContext*) { return ++launches <= launcherAnswers ? 1 : 0; }
int TestPreview(RptContext*, int* rebuild) {
  if (rebuildsAsked > 0) {
    --rebuildsAsked;
    // The page setup was changed: the next build takes the new margin.
    SavePrintSettings(0, "Arial", 10, 400, 0, 1, 1.25f, 0.75f, 0.75f, 0.5f);
    *rebuild = 1;
  }
  return 1;
}

class RptDriverTest : public RptTest {
 protected:
  void SetUp() override {
    RptTest::SetUp();
    ClearRptRegistry();
    SetRptPreviewer(TestPreview);
    builds = launches = launcherAnswers = rebuildsAsked = 0;
    builtIds.clear();
    builtMargins.clear();
  }
  void TearDown() override {
    ClearRptRegistry();
    SetRptPreviewer(nullptr);
    RptTest::TearDown();
  }
};

TEST_F(RptDriverTest, RefusedNumbersSayUnrecognizedAndBuildNothing) {
  RegisterRptBuilder(19, TestBuilder);  // a builder does not make 19 a report
  for (int id : {0, 19, 26, 35, 90, 93, 259, 266, 1000, 1}) {  // 1: no launcher registered
    SCOPED_TRACE(id);
    automation::ExpectMessageBox("Error", "Unrecognized report request", IDOK);
    ReportDriver(id, nullptr);
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
  EXPECT_EQ(builds, 0);
  EXPECT_FALSE(IsKnownReport(19));
  EXPECT_TRUE(IsKnownReport(153));
}

TEST_F(RptDriverTest, RunOnceNumbersBuildOnceWithTheirArgument) {
  static int seen = 0;
  RegisterRptBuilder(91, [](RptContext* c) {
    seen = *static_cast<int*>(c->owner);
    return TestBuilder(c);
  });
  RegisterRptBuilder(260, TestBuilder);
  RegisterRptBuilder(16, FailingBuilder);
  int argument = 42;
  ReportDriver(91, &argument);
  EXPECT_EQ(seen, 42);
  ReportDriver(263, nullptr);  // export formats share one builder
  ReportDriver(16, nullptr);   // a failed build shows no preview and ends
  EXPECT_EQ(builds, 3);
  EXPECT_EQ(builtIds, (std::vector<int>{91, 263}));
  // The run's report file is gone once the run ends.
  EXPECT_TRUE(std::filesystem::is_empty(home_) ||
              !std::filesystem::exists(home_ + "/rpt_" + std::to_string(NextRptFileNumber() - 1) + ".txt"));
}

TEST_F(RptDriverTest, TheDialogComesBackUntilCancelledAndPageSetupRebuilds) {
  RegisterRptLauncher(1, TestLauncher);
  RegisterRptBuilder(1, TestBuilder);
  launcherAnswers = 2;
  rebuildsAsked = 1;
  ReportDriver(1, nullptr);
  EXPECT_EQ(launches, 3);  // OK, OK, Cancel
  // The first preview asked for a rebuild: three builds, the second with
  // the new margin and without the dialog in between.
  ASSERT_EQ(builds, 3);
  EXPECT_FLOAT_EQ(builtMargins[0], 0.75f);
  EXPECT_FLOAT_EQ(builtMargins[1], 1.25f);
}

TEST_F(RptDriverTest, LabelReportsAskForTheFirstLabel) {
  static int asked = 0;
  static int answer = 0;
  asked = 0;
  RegisterRptLauncher(25, [](RptContext* c) {
    c->labelFlag = 1;
    return ++launches <= launcherAnswers ? 1 : 0;
  });
  RegisterRptBuilder(25, TestBuilder);
  SetRptFirstLabelAsker([](RptContext* c) {
    ++asked;
    c->firstLabel = 7;
    return answer;
  });
  launcherAnswers = 2;
  answer = 0;  // cancelling the first label goes back to the dialog
  ReportDriver(25, nullptr);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(builds, 0);
  EXPECT_EQ(launches, 3);
}

TEST_F(RptDriverTest, SelectionTablesHoldTheLiveRowsForOneRun) {
  EquipTable = EquipKeyTable{};  // no year loaded (an earlier test's stays in memory)
  ASSERT_TRUE(AllocRptTables(5));
  EXPECT_EQ(EquipCount, 4);  // report 5: all four conditions
  EXPECT_EQ(RptConditionList[3], 3);
  ASSERT_TRUE(AllocRptTables(1));
  EXPECT_EQ(EquipCount, 0);
  EXPECT_EQ(AcctCount, 0);
  Type1Totals[3] = 5;
  ClearRptActivity();
  EXPECT_EQ(Type1Totals[3], 0);
  FreeRptTables();
  EXPECT_TRUE(AcctList.empty());
}

}  // namespace
