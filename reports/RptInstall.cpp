#include "reports/RptInstall.h"

#include "reports/FinancialParams.h"
#include "reports/FinancialReports.h"
#include "reports/ReadmeReport.h"
#include "reports/RegisterReport.h"

// One line per group of reports, in report-number order of the group's
// first report.
void InstallReports() {
  InstallFinancialReports();
  InstallRegisterReports();
  InstallTextFileReport();
  InstallFinancialLaunchers();
}
