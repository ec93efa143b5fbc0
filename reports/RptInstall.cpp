#include "reports/RptInstall.h"

#include "reports/FinancialParams.h"
#include "reports/ReadmeReport.h"

// One line per group of reports, in report-number order of the group's
// first report.
void InstallReports() {
  InstallTextFileReport();
  InstallFinancialLaunchers();
}
