// Each financial report printed once (to the PDF printer) and read back:
// the figures that matter reach the page.
#include <functional>

#include "FinReportTestSupport.h"
#include "store/ReconState.h"

namespace {

using FinancialReportsPdfTest = FinReportTest;

TEST_F(FinancialReportsPdfTest, EveryReportPrintsItsFigures) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  AccountRecord checking = fixture::FiscalYear::Account(101);
  ReconList items(2);
  items[0].amount = 5000;
  items[0].factor = -1;
  items[0].row = 1;
  std::snprintf(items[0].description, sizeof items[0].description, "Camp store");
  ReconContext recon;
  recon.account = &checking;
  std::snprintf(recon.statementDate, sizeof recon.statementDate, "033108");
  recon.statementBalance = 102000;
  recon.items = &items;
  struct Case {
    int id;
    RptBuilder builder;
    int width;
    std::function<void()> choose;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {1, BuildMonthlyIncExpReport, kRptPortraitWidth, [] { SelectByClass(1); RptMonth = 2; RptOptionC = 1; },
       {"Monthly Income/Expense Report", "March 2008", "Fundraising", "500%", "166%", "Net Income/(Loss)"}},
      {2, BuildFinancialStatement, kRptPortraitWidth,
       [] { SelectByClass(2); std::snprintf(RptSecondDate, 9, "20081231"); RptOptionA = RptOptionD = 1; },
       {"Financial Statement", "As of December 31, 2008", "Total Assets", "1420.00", "Net Worth", "1340.00",
        "Passbook Balance Attachment", "Smith, Anna"}},
      {3, BuildAnnualIncExpSummary, kRptLandscapeWidth, [] { SelectByClass(1); },
       {"Annual Income/Expense Summary", "Total Expense", "Net Income/(Loss)"}},
      {4, BuildAccountDetailReport, kRptLandscapeWidth,
       [] {
         Choose({101});
         std::snprintf(RptFirstDate, 9, "20080101");
         std::snprintf(RptSecondDate, 9, "20081231");
       },
       {"101 Checking (Checking)", "Opening Balance", "Popcorn sale", "Closing Balance", "970.00"}},
      {6, BuildAnnualBudgetReport, kRptLandscapeWidth, [] { ChooseAll(); },
       {"Annual Budget", "Tot Budgeted Exp Activity", "120"}},
      {7, BuildBudgetStatusReport, kRptLandscapeWidth, [] { ChooseAll(); RptMonth = 2; },
       {"Budget Status", "Total Expense Activity", "70.00"}},
      {16, BuildReconciliationStatement, kRptPortraitWidth, [] {},
       {"Reconciliation Statement", "Out-of-Balance Amount", "Camp store", "Uncleared Withdrawals"}},
      {18, BuildAccountListReport, kRptPortraitWidth, [] {}, {"Account List", "Other Asset", "Reserve Allocation"}},
      {30, BuildAccountSummaryReport, kRptPortraitWidth,
       [] {
         ChooseAll();
         std::snprintf(RptFirstDate, 9, "20080301");
         std::snprintf(RptSecondDate, 9, "20081231");
         RptOptionE = 'Y';
       },
       {"Account Summary", "Troop Share", "Camp Reserve", "Liabilities"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ClearRptActivity();
    c.choose();
    RptContext* ctx = Prepare(c.id, c.width);
    if (c.id == 16) ctx->owner = &recon;
    ASSERT_EQ(c.builder(ctx), 1);
    std::string text;
    for (const std::string& page : PrintedPages()) text += page;
    for (const std::string& expected : c.texts) EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
