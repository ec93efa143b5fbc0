#include "reports/RptInstall.h"

#include "reports/AccountParams.h"
#include "reports/CollectionForm.h"
#include "reports/ComparisonsReport.h"
#include "reports/EquipmentReports.h"
#include "reports/FinancialParams.h"
#include "reports/FormParams.h"
#include "reports/LabelParams.h"
#include "reports/LabelReports.h"
#include "reports/ExportFormatReport.h"
#include "reports/FinancialReports.h"
#include "reports/FirstLabelDlg.h"
#include "reports/ImportSummaryReport.h"
#include "reports/FriendsReport.h"
#include "reports/MemberParams.h"
#include "reports/MemberStatements.h"
#include "reports/ProfitCenterReport.h"
#include "reports/ReadmeReport.h"
#include "reports/RegisterReport.h"
#include "reports/RosterReport.h"
#include "reports/SavingsCards.h"
#include "reports/ScheduleReports.h"
#include "reports/WorksheetReport.h"

// One line per group of reports, in report-number order of the group's
// first report.
void InstallReports() {
  InstallFinancialReports();
  InstallEquipmentReports();
  InstallRosterReports();
  InstallComparisonsReport();
  InstallFriendsReport();
  InstallWorksheetReport();
  InstallLabelReports();
  InstallSavingsCards();
  InstallCollectionForm();
  InstallMemberStatements();
  InstallScheduleReports();
  InstallRegisterReports();
  InstallProfitCenterReport();
  InstallTextFileReport();
  InstallExportFormatReport();
  InstallImportSummaryReport();
  InstallFinancialLaunchers();
  InstallAccountLaunchers();
  InstallMemberLaunchers();
  InstallFormLaunchers();
  InstallLabelLaunchers();
  InstallFirstLabelDialog();
}
