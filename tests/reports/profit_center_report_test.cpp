// Report 34 (profit centres) on the fixture year: the centre "Camp" (camping
// 620 and the camp reserve 710) and a centre "Fundraiser" (520, whose
// deposit is split 40.00 / 60.00 among Anna and Ben).
#include "RptYear.h"
#include "reports/ProfitCenterReport.h"
#include "store/AcctGroup.h"

namespace {

class ProfitCenterReportTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    for (auto [name, account] : {std::pair{"Fundraiser", 520}, std::pair{"Idle", 201}}) {
      CAcctGroup group;
      group.SetName(name);
      group.AddAccount(account);
      ASSERT_EQ(TheAcctGroupDBase().Add(group), 1);
    }
  }
  RptContext* Centres(std::vector<std::string> names, int details, int include, int perPage = 0) {
    RptContext* c = Run(34, kRptLandscapeWidth);
    RptCategory1List = std::move(names);
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
    RptOptionC = details;
    RptOptionH = include;
    RptOptionG = perPage;
    return c;
  }
  // The cells of a line, after its name: nine amounts or blanks.
  static std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    for (std::size_t at = line.find("{10r}"); at != std::string::npos; at = line.find("{10r}", at + 5)) {
      const std::size_t end = line.find(" {1} ", at);
      cells.push_back(line.substr(at + 5, end - at - 5));
    }
    return cells;
  }
};

TEST_F(ProfitCenterReportTest, CentresAccountsAndMembersWithTheirTables) {
  RptContext* c = Centres({"Camp", "Fundraiser", "Idle"}, 6, 1 | 4);
  ASSERT_EQ(BuildProfitCenterReport(c), 1);
  EXPECT_EQ(c->clipText, 1);
  const auto camp = RecordsWith("{F1}{31}Camp ");
  ASSERT_EQ(camp.size(), 1u);
  // Expense of the unit, printed positive; the loss in the profit row.
  EXPECT_EQ(Cells(camp[0]), (std::vector<std::string>{"     0.00 ", "     0.00 ", "     0.00 ", "    50.00 ",
                                                        "     0.00 ", "    50.00 ", "(   50.00)", "     0.00 ",
                                                        "(   50.00)"}));
  // The account line shows only its own row; 710 had no activity and is left out.
  const auto camping = RecordsWith("{29}620 - Camping");
  ASSERT_EQ(camping.size(), 1u);
  EXPECT_EQ(Cells(camping[0])[3], "    50.00 ");
  EXPECT_EQ(Cells(camping[0])[0], "");
  EXPECT_TRUE(RecordsWith("710 - Camp Reserve").empty());
  // Members under the account they came from, the passbook column only.
  const auto ben = RecordsWith("{27} Jones, Ben");
  ASSERT_EQ(ben.size(), 1u);
  EXPECT_EQ(Cells(ben[0]), (std::vector<std::string>{"", "    60.00 ", "", "", "", "", "", "", ""}));
  // Idle is included by its flag and adds nothing to the totals.
  EXPECT_EQ(RecordsWith("{31}Idle ").size(), 1u);
  const auto totals = RecordsWith("{31}Totals: ");
  ASSERT_EQ(totals.size(), 1u);
  EXPECT_EQ(Cells(totals[0])[2], "   100.00 ");
  EXPECT_EQ(Cells(totals[0])[8], "    50.00 ");

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Profit Center Report", "Profit/(Loss)", "Troop", "PBook", "Fundraiser",
                             "520 - Fundraising", "Smith, Anna", "Totals:"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

TEST_F(ProfitCenterReportTest, MembersUnderTheCentreWithoutAccountDetails) {
  RptContext* c = Centres({"Fundraiser"}, 4, 0);
  ASSERT_EQ(BuildProfitCenterReport(c), 1);
  const auto anna = RecordsWith("{29} Smith, Anna");
  ASSERT_EQ(anna.size(), 1u);
  EXPECT_EQ(Cells(anna[0]), (std::vector<std::string>{"", "    40.00 ", "", "", "     0.00 ", "", "", "    40.00 ", ""}));
  EXPECT_TRUE(RecordsWith("Totals:").empty());  // one centre
}

TEST_F(ProfitCenterReportTest, IdleCentreLeftOutAndOneCentrePerPage) {
  RptContext* c = Centres({"Camp", "Fundraiser", "Idle"}, 2, 0, 1);
  ASSERT_EQ(BuildProfitCenterReport(c), 1);
  EXPECT_TRUE(RecordsWith("{31}Idle ").empty());
  EXPECT_EQ(c->pageCount, 3);
  const auto totals = RecordsWith("Totals: ");
  ASSERT_EQ(totals.size(), 1u);
  EXPECT_EQ(Cells(totals[0])[8], "    50.00 ");
}

}  // namespace
