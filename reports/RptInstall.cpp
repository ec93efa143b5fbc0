#include "reports/RptInstall.h"

#include "reports/AccountParams.h"
#include "reports/FinancialParams.h"
#include "reports/FormParams.h"
#include "reports/LabelParams.h"
#include "reports/FinancialReports.h"
#include "reports/MemberParams.h"
#include "reports/MemberStatements.h"
#include "reports/ProfitCenterReport.h"
#include "reports/ReadmeReport.h"
#include "reports/RegisterReport.h"
#include "reports/RosterReport.h"
#include "reports/ScheduleReports.h"

// One line per group of reports, in report-number order of the group's
// first report.
void InstallReports() {
  InstallFinancialReports();
  InstallRosterReports();
  InstallMemberStatements();
  InstallScheduleReports();
  InstallRegisterReports();
  InstallProfitCenterReport();
  InstallTextFileReport();
  InstallFinancialLaunchers();
  InstallAccountLaunchers();
  InstallMemberLaunchers();
  InstallFormLaunchers();
  InstallLabelLaunchers();
}
