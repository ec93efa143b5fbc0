#include "app/ReportMenu.h"

#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "reports/RptDriver.h"
#include "reports/RptSelection.h"

namespace {

template <int Report>
void RunReport() {
  ReportDriver(Report, nullptr);
}

// From the menu the register report shows the remembered selection: the
// slots a register screen presets (account and display) are cleared.
void RunAccountRegister() {
  RptOptionB = 0;
  RptOrder = 0;
  ReportDriver(31, nullptr);
}

struct ReportCommand {
  UINT command;
  int report;
  CommandHandler handler;
};

const ReportCommand kReportCommands[] = {
    {ID_REPORT_MONTHLY_INC_EXP, 1, RunReport<1>},
    {ID_REPORT_FIN_STATEMENT, 2, RunReport<2>},
    {ID_REPORT_ANNUAL_INC_EXP, 3, RunReport<3>},
    {ID_REPORT_GL_DETAIL, 4, RunReport<4>},
    {ID_REPORT_ANNUAL_BUDGET, 6, RunReport<6>},
    {ID_REPORT_BUDGET_STATUS, 7, RunReport<7>},
    {ID_REPORT_ROSTER, 8, RunReport<8>},
    {ID_REPORT_MEMBER_INC_EXP, 9, RunReport<9>},
    {ID_REPORT_PASSBOOK_BALANCES, 10, RunReport<10>},
    {ID_REPORT_DUES_STATUS, 14, RunReport<14>},
    {ID_REPORT_MEMBER_DETAILS, 17, RunReport<17>},
    {ID_REPORT_ACCOUNT_LIST, 18, RunReport<18>},
    {ID_REPORT_MEMBER_PAYMENTS, 20, RunReport<20>},
    {ID_REPORT_PAYMENT_STATUS, 21, RunReport<21>},
    {ID_FORM_TRANSACTION_REGISTER, 23, RunReport<23>},
    {ID_REPORT_SCHEDULE_LIST, 28, RunReport<28>},
    {ID_REPORT_MEMBER_RESERVES, 29, RunReport<29>},
    {ID_REPORT_ACCOUNT_SUMMARY, 30, RunReport<30>},
    {ID_REPORT_ACCOUNT_REGISTER, 31, RunAccountRegister},
    {ID_REPORT_SCHEDULE_TRACKER, 32, RunReport<32>},
    {ID_REPORT_PROFIT_CENTER, 34, RunReport<34>},
};

}  // namespace

void InstallReportMenuCommands() {
  for (const ReportCommand& c : kReportCommands)
    RegisterCommand(c.command,
                    FindRptBuilder(c.report) != nullptr && FindRptLauncher(c.report) != nullptr ? c.handler : nullptr);
}
