#include "reports/RptInstall.h"

#include "reports/AccountParams.h"
#include "reports/FinancialParams.h"
#include "reports/MemberParams.h"
#include "reports/ReadmeReport.h"
#include "reports/RegisterReport.h"

// One line per group of reports, in report-number order of the group's
// first report.
void InstallReports() {
  InstallRegisterReports();
  InstallTextFileReport();
  InstallFinancialLaunchers();
  InstallAccountLaunchers();
  InstallMemberLaunchers();
}
