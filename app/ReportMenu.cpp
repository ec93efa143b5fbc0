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
// slots a register screen presets (account and display) are cleared, or an
// include flag of 1 would preselect an account the user never chose.
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
    {ID_REPORT_ROSTER, 8, RunReport<8>},
    {32945, 12, RunReport<12>},  // Friends-of-Scouting
    {32946, 5, RunReport<5>},    // Equipment Inventory
    {ID_REPORT_PASSBOOK_BALANCES, 10, RunReport<10>},
    {32947, 11, RunReport<11>},  // Income/Expense Comparisons
    {ID_REPORT_MEMBER_INC_EXP, 9, RunReport<9>},
    {ID_REPORT_MEMBER_RESERVES, 29, RunReport<29>},
    {ID_REPORT_MEMBER_DETAILS, 17, RunReport<17>},
    {ID_REPORT_DUES_STATUS, 14, RunReport<14>},
    {ID_REPORT_PAYMENT_STATUS, 21, RunReport<21>},
    {ID_REPORT_MEMBER_PAYMENTS, 20, RunReport<20>},
    {32955, 33, RunReport<33>},  // Personal Savings Cards
    {ID_REPORT_SCHEDULE_LIST, 28, RunReport<28>},
    {ID_REPORT_SCHEDULE_TRACKER, 32, RunReport<32>},
    {32973, 2, RunReport<2>},  // Financial Statement
    {ID_REPORT_GL_DETAIL, 4, RunReport<4>},
    {32964, 1, RunReport<1>},  // Monthly Inc/Exp
    {32965, 3, RunReport<3>},  // Annual Inc/Exp
    {ID_REPORT_PROFIT_CENTER, 34, RunReport<34>},
    {32967, 18, RunReport<18>},  // Account List
    {ID_REPORT_ACCOUNT_REGISTER, 31, RunAccountRegister},
    {32969, 30, RunReport<30>},  // Account Summary
    {32970, 6, RunReport<6>},    // Annual Budget
    {32971, 7, RunReport<7>},    // Budget Status
    {32929, 15, RunReport<15>},  // Mailing Labels
    {32972, 25, RunReport<25>},  // Equipment Labels
    {32818, 22, RunReport<22>},  // Payment Collection Form
    {ID_FORM_TRANSACTION_REGISTER, 23, RunReport<23>},
    {32820, 24, RunReport<24>},  // Equipment Inventory Form
    {32821, 13, RunReport<13>},  // General Purpose Worksheet
};

bool CanRun(int report) {
  // The mailing labels build under their label kinds (150-155).
  if (FindRptBuilder(report == 15 ? 150 : report) == nullptr) return false;
  return IsRunOnceReport(report) || FindRptLauncher(report) != nullptr;
}

}  // namespace

void InstallReportMenuCommands() {
  for (const ReportCommand& c : kReportCommands) RegisterCommand(c.command, CanRun(c.report) ? c.handler : nullptr);
}

int ReportOfCommand(UINT id) {
  for (const ReportCommand& c : kReportCommands)
    if (c.command == id) return c.report;
  return 0;
}
