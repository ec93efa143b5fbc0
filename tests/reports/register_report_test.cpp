// Report 31 (account register) and report 23 (transaction register form)
// on the fixture year.
#include <filesystem>

#include "RptYear.h"
#include "reports/RegisterReport.h"
#include "reports/RptPaging.h"

namespace {

class RegisterReportTest : public RptYearTest {
 protected:
  RptContext* Register(std::initializer_list<int> accounts, int twoLine = 0, int idle = 0, int perPage = 0) {
    RptContext* c = Run(31);
    ChooseAccounts(accounts);
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
    RptOrder = 'N';
    RptTransOrder = 'D';
    RptOptionB = idle;
    RptOptionG = perPage;
    RptOptionH = twoLine;
    return c;
  }
};

TEST_F(RegisterReportTest, OneLinePerPostingUnderTheAccountsHeader) {
  RptContext* c = Register({101});
  ASSERT_EQ(BuildAccountRegisterReport(c), 1);
  EXPECT_FALSE(std::filesystem::exists(home_ + "/export.tmp"));
  const auto head = RecordsWith("{77=}101  Checking");
  ASSERT_EQ(head.size(), 1u);
  ASSERT_EQ(RecordsWith("W/D(-)").size(), 1u);
  EXPECT_NE(RecordsWith("W/D(-)")[0].find("{8}W/D(-){1} {8}Dep(+){1} {1}C{1} {3}Sup{1}"), std::string::npos);
  const auto opening = RecordsWith("Opening Balance");
  ASSERT_EQ(opening.size(), 1u);
  EXPECT_EQ(opening[0], "{8} {1} {8}  {1} {24}Opening Balance {1} {8r} {1} {8r} {1} {1} {1} {3}  {1} {2} {1} {8r}  1000.00 ");
  const auto deposit = RecordsWith("Popcorn sale");
  ASSERT_EQ(deposit.size(), 1u);
  EXPECT_EQ(deposit[0], "{8}DEP1{1} {8}02/10/08 {1} {24}Popcorn sale {1} {8r} {1} {8r}   100.00 {1} {1} {1} {3}520 {1} "
                        "{2}X{1} {8r}  1100.00 ");
  EXPECT_EQ(RecordsWith("{8r}   970.00 ").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 1u);
    for (const char* text : {"Account Register", "January 01, 2008 - December 31, 2008", "101 Checking", "W/D(-)",
                             "Dep(+)", "Opening Balance", "Popcorn sale", "Camp store", "970.00"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text << "\n" << pages[0];
  }
}

TEST_F(RegisterReportTest, TwoLineDisplayAddsRemarksReserveAndBlankLine) {
  RptContext* c = Register({101}, 1);
  ASSERT_EQ(BuildAccountRegisterReport(c), 1);
  EXPECT_EQ(RecordsWith("{24}Description/Remarks").size(), 1u);
  EXPECT_EQ(RecordsWith("{3}S/R{1}").size(), 1u);
  const auto r = Records();
  auto at = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Camp store") != s.npos; });
  ASSERT_NE(at, r.end());
  ASSERT_LT(at + 2, r.end());
  EXPECT_EQ(*(at + 1), "{18} {24}  {21} {3}710 ");
  EXPECT_EQ(*(at + 2), " ");
  EXPECT_EQ(RecordsWith("{18} {24}Canoe {21} {3}  ").size(), 1u);
}

TEST_F(RegisterReportTest, LabelsFollowEachAccountAndPagesFollowTheOption) {
  struct Case {
    int perPage;
    int pages;
  } cases[] = {{0, 1}, {1, 2}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.perPage);
    RptContext* c = Register({101, 401}, 0, 1, k.perPage);
    ASSERT_EQ(BuildAccountRegisterReport(c), 1);
    EXPECT_EQ(c->pageCount, k.pages);
    EXPECT_EQ(RecordsWith("{77=}401  Loan").size(), 1u);
    ASSERT_EQ(RecordsWith("Pmt(-)").size(), 1u);
    EXPECT_NE(RecordsWith("Pmt(-)")[0].find("{8}Pmt(-){1} {8}Chg(+){1}"), std::string::npos);
    FreeRptTables();
  }
}

TEST_F(RegisterReportTest, NoMatchingAccountGivesTheNoAccountsLine) {
  RptContext* c = Register({401});
  ASSERT_EQ(BuildAccountRegisterReport(c), 1);
  EXPECT_EQ(RecordsWith("{63}*** No accounts were found which matched report parameters ***").size(), 1u);
  EXPECT_TRUE(RecordsWith("Checking").empty());
  EXPECT_TRUE(RecordsWith("Loan").empty());
}

TEST_F(RegisterReportTest, TransactionRegisterFormFillsExactlyOnePage) {
  struct Case {
    int account;
    const char* accountLine;
    const char* labels;
  } cases[] = {{101, "{77-}101 Checking", "{8}W/D(-){2} {8}Dep(+){2}"}, {0, nullptr, "{8}(-){2} {8}(+){2}"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.account);
    RptContext* c = Run(23);
    ChooseAccounts({k.account});
    std::snprintf(RptUserTitle, sizeof RptUserTitle, "Checkbook {1}");
    ASSERT_EQ(BuildTransactionRegisterForm(c), 1);
    EXPECT_EQ(c->pageCount, 1);
    EXPECT_EQ(RecordsWith(k.labels).size(), 1u);
    EXPECT_EQ(RecordsWith("Checking").size(), k.accountLine ? 1u : 0u);
    if (k.accountLine) {
      EXPECT_EQ(RecordsWith(k.accountLine).size(), 1u);
    }
    EXPECT_GT(RecordsWith("{4-}{2} {9-}{2} {23-}").size(), 20u);
    FreeRptTables();
  }
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("Checkbook (1}"), std::string::npos);
    EXPECT_NE(pages[0].find("Description"), std::string::npos);
  }
}

}  // namespace
