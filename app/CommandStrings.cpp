// The string table of the main window: each command's status-bar prompt,
// and after a line break its tool tip.
#include <map>
#include <string>

#include "app/MainFrame.h"
#include "platform/base/CString.h"

void InstallCommandStrings() {
  static const std::map<UINT, std::string> strings = {
      {92, "Selvane\nfyXX"},
      {32941, "Open a set of files for a different fiscal year"},
      {57601, "Open a set of files for a different fiscal year\nOpen Books  (Ctrl-O)"},
      {32773, "IRREVERSIBLY deletes the files and all references for an existing fiscal year"},
      {32774, "Copy the current fiscal year's files to a floppy disk\nBackup Data  (Ctrl-B)"},
      {32775, "Copy a fiscal year's files from a floppy disk"},
      {32974, "\nImport Data  (Ctrl-I)"},
      {32777, "Export data to other applications"},
      {57665, "Exit this session"},
      {32859, "Manage all aspects of your accounts (add/edit, budget, schedule, etc)\nManage Accounts  (Ctrl-A)"},
      {32874, "Add, review, change, or delete collection or payment schedules\nManage Schedules  (Ctrl-H)"},
      {32930, "Add, review, change, or delete profit centers\nManage Profit Centers  (Ctrl-R)"},
      {32780, "Add, review, change, or delete scouts\nManage Scouts  (Ctrl-S)"},
      {32781, "Add, review, change, or delete adults\nManage Adults  (Ctrl-D)"},
      {32783, "Add, review, change, or delete inventory items\nManage Equipment  (Ctrl-E)"},
      {32782, "Add, review, change, or delete Friends-of-Scouting\nManage Friends  (Ctrl-F)"},
      {32977, "\nManage scout groups (Ctrl-P)"},
      {32785, "Re-calculate account and scout balances and re-build disk file indexes"},
      {32944, "Lists names, addresses, phone numbers, etc. of scouts and adults"},
      {32945, "Lists names, addresses, phone numbers, etc. of Friends of Scouting donors"},
      {32946, "Lists all equipment in service for the current fiscal year"},
      {32950, "Lists passbook holders with opening balances, net activity, and ending balances"},
      {32947, "Reports activity of selected accounts and their combined net activity"},
      {32948, "Reports net income/expense activity for selected passbook holders"},
      {32949, "Reports net reserve activity for selected passbook holders"},
      {32951, "Reports all transactions affecting selected passbook holders"},
      {32952, "Lists members with scheduled, actual, and outstanding dues payments"},
      {32954, "Lists members with scheduled, actual, and outstanding payments for selected account"},
      {32953, "Reports scheduled, actual, and outstanding payments for selected passbook holders"},
      {32955, "Wallet-sized cards listing scheduled account payments for selected passbook holder"},
      {32956, "Lists schedules with their dates, payments, and participants"},
      {32957, "Lists schedule participants with collection dates for check-off"},
      {32973, "Reports all assets and liabilities along with your unit's net worth"},
      {32963, "Reports all details of account transactions (general ledger)"},
      {32964, "Lists the month and year-to-date balances for all income and expense accounts"},
      {32965, "Lists the months' and year-to-date balances for all income and expense accounts"},
      {32966, "Lists all Profit Centers with unit, account, and passbook details"},
      {32967, "Lists all accounts defined in the system"},
      {32968, "Lists all transactions for the selected accounts"},
      {32969, "Lists net activity for each account defined in the system"},
      {32970, "Lists accounts, their monthly budgets, and yearly totals"},
      {32971, "Lists accounts with budgeted, actual, and variant totals"},
      {32929, "Generates mailing labels for scouts, friends-of-scouting, return address, etc."},
      {32972, "Generates labels with equipment identification information"},
      {32818, "Provides a participant roster by name, amount owed, and space for payment"},
      {32819, "Provides a blank form to record transactions for data entry at a later date"},
      {32820, "Provides a blank form with which to record all equipment inventory"},
      {32821, "Provides a membership roster with phone numbers and space for individual notes"},
      {32772, "Specify system configuration (date, backup mode, etc)"},
      {59392, "Display or hide the toolbar"},
      {59393, "Display or hide the status bar"},
      {32823, "Executes a text editor application\nNotepad  (Ctrl-N)"},
      {32824, "Executes a calculator application\nCalculator  (Ctrl-C)"},
      {32825, "Executes a calendar application\nCalendar  (Ctrl-L)"},
      {32939, "Allows you to view the help topics, use the index, or search for key words"},
      {32894, "Display the tip of the day"},
      {32828, "Display Frequently-Asked-Questions"},
      {32978, "Display the user manual"},
      {32829, "Display the README file with the latest program information"},
      {57664, "Display program information, version number and copyright\nAbout"},
  };
  AfxSetStringTable([](UINT id, std::string& text) {
    auto it = strings.find(id);
    if (it == strings.end()) return false;
    text = it->second;
    return true;
  });
}
