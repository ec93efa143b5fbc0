#include "reports/FinancialReports.h"
#include "reports/RptDriver.h"

void InstallFinancialReports() {
  RegisterRptBuilder(1, BuildMonthlyIncExpReport);
  RegisterRptBuilder(2, BuildFinancialStatement);
  RegisterRptBuilder(3, BuildAnnualIncExpSummary);
  RegisterRptBuilder(4, BuildAccountDetailReport);
  RegisterRptBuilder(6, BuildAnnualBudgetReport);
  RegisterRptBuilder(7, BuildBudgetStatusReport);
  RegisterRptBuilder(16, BuildReconciliationStatement);
  RegisterRptBuilder(18, BuildAccountListReport);
  RegisterRptBuilder(30, BuildAccountSummaryReport);
}
