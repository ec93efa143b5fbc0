#include "FinReportTestSupport.h"
#include <iostream>
namespace {
using Explore = FinReportTest;
void Dump(const std::vector<std::string>& l) { for (auto& s : l) std::cout << "[" << s << "]\n"; }
TEST_F(Explore, R1) { SelectByClass(1); RptMonth = 2; RptFirstMonth = 0; RptOptionC = 1; Dump(Build(1, BuildMonthlyIncExpReport)); }
TEST_F(Explore, R2) { SelectByClass(2); std::snprintf(RptSecondDate, 9, "20081231"); RptOptionA = 1; RptOptionD = 1; Dump(Build(2, BuildFinancialStatement)); }
TEST_F(Explore, R3) { SelectByClass(1); RptOptionA = 1; Dump(Build(3, BuildAnnualIncExpSummary, 130)); }
TEST_F(Explore, R6) { ChooseAll(); RptOptionB = 0; Dump(Build(6, BuildAnnualBudgetReport, 130)); }
TEST_F(Explore, R7) { ChooseAll(); RptMonth = 2; Dump(Build(7, BuildBudgetStatusReport, 130)); }
TEST_F(Explore, R18) { Dump(Build(18, BuildAccountListReport)); }
TEST_F(Explore, R30) { ChooseAll(); std::snprintf(RptFirstDate, 9, "20080301"); std::snprintf(RptSecondDate, 9, "20081231"); RptOptionE = 'Y'; Dump(Build(30, BuildAccountSummaryReport)); }
TEST_F(Explore, R4) { ChooseAll(); std::snprintf(RptFirstDate, 9, "20080101"); std::snprintf(RptSecondDate, 9, "20081231"); RptOptionE = 'A'; RptOptionF = 'B'; Dump(Build(4, BuildAccountDetailReport, 130)); }
}
