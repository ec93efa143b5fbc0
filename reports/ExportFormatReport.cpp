#include "reports/ExportFormatReport.h"

#include <cstdio>
#include <cstring>

#include "common/Messages.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"


const ExportFieldDoc ExportFormatTable[kExportFormatRows] = {
    {'S', "Scout", 0, ""},
    {'S', "Last Name", 15, ""},
    {'S', "First Name", 11, ""},
    {'S', "&Subunit", 23, ""},
    {'S', "Address 1", 26, ""},
    {'S', "Address 2", 26, ""},
    {'S', "City", 17, ""},
    {'S', "State", 2, ""},
    {'S', "Zip Code", 10, ""},
    {'S', "Phone Number", 13, ""},
    {'S', "Cell Phone Number", 13, ""},
    {'S', "Email Address", 37, ""},
    {'S', "Date Joined", 8, "mm/dd/yy"},
    {'S', "Date Quit", 8, "mm/dd/yy"},
    {'S', "Dad's First Name", 11, ""},
    {'S', "Dad's Last Name", 15, ""},
    {'S', "Mom's First Name", 11, ""},
    {'S', "Mom's Last Name", 15, ""},
    {'S', "Opening Balance", 8, "-xxxx.xx"},
    {'S', "Current Balance", 8, "-xxxx.xx"},
    {'S', "Transaction Count", 4, ""},
    {'S', "Remarks", 40, ""},
    {'D', "Adult", 0, ""},
    {'D', "Last Name", 15, ""},
    {'D', "First Name", 11, ""},
    {'D', "Address 1", 26, ""},
    {'D', "Address 2", 26, ""},
    {'D', "City", 17, ""},
    {'D', "State", 2, ""},
    {'D', "Zip Code", 10, ""},
    {'D', "Spouse's Name", 11, ""},
    {'D', "Home Phone Number", 13, ""},
    {'D', "Work Phone Number", 13, ""},
    {'D', "Work Phone Extension", 4, ""},
    {'D', "Cell Phone Number", 13, ""},
    {'D', "Fax Number", 13, ""},
    {'D', "Email Address", 37, ""},
    {'D', "Date Joined", 8, "mm/dd/yy"},
    {'D', "Date Quit", 8, "mm/dd/yy"},
    {'D', "Opening Balance", 8, "-xxxx.xx"},
    {'D', "Current Balance", 8, "-xxxx.xx"},
    {'D', "Transaction Count", 4, ""},
    {'D', "Remarks", 40, ""},
    {'F', "Friends-of-Scouting", 0, ""},
    {'F', "Last Name", 15, ""},
    {'F', "First Name", 11, ""},
    {'F', "Address 1", 26, ""},
    {'F', "Address 2", 26, ""},
    {'F', "City", 17, ""},
    {'F', "State", 2, ""},
    {'F', "Zip Code", 10, ""},
    {'F', "Remarks", 50, ""},
    {'F', "Phone Type 1", 10, ""},
    {'F', "Phone Number 1", 13, ""},
    {'F', "Phone Extension 1", 4, ""},
    {'F', "Phone Type 2", 10, ""},
    {'F', "Phone Number 2", 13, ""},
    {'F', "Phone Extension 2", 4, ""},
    {'F', "Phone Type 3", 10, ""},
    {'F', "Phone Number 3", 13, ""},
    {'F', "Phone Extension 3", 4, ""},
    {'F', "Phone Type 4", 10, ""},
    {'F', "Phone Number 4", 13, ""},
    {'F', "Phone Extension 4", 4, ""},
    {'F', "Year 1", 4, ""},
    {'F', "Year 1 Amount", 7, "xxxx.xx"},
    {'F', "Year 2", 4, ""},
    {'F', "Year 2 Amount", 7, "xxxx.xx"},
    {'F', "Year 3", 4, ""},
    {'F', "Year 3 Amount", 7, "xxxx.xx"},
    {'F', "Year 4", 4, ""},
    {'F', "Year 4 Amount", 7, "xxxx.xx"},
    {'E', "Equipment", 0, ""},
    {'E', "Inventory ID", 6, ""},
    {'E', "Description", 20, ""},
    {'E', "Quantity", 3, ""},
    {'E', "Condition", 1, "E)xc, G)ood, F)air, P)oor"},
    {'E', "Purchase Date", 8, "mm/dd/yy"},
    {'E', "Removal Date", 8, "mm/dd/yy"},
    {'E', "Purchase Price", 7, "xxxx.xx"},
    {'E', "FY Opening Value", 7, "xxxx.xx"},
    {'E', "Replacement Cost", 7, "xxxx.xx"},
    {'E', "Current Value", 7, "xxxx.xx"},
    {'E', "Year Added", 4, ""},
    {'E', "Remarks", 200, ""},
    {'A', "Account", 0, ""},
    {'A', "Account Number", 3, ""},
    {'A', "Account Name", 25, ""},
    {'A', "Opening Balance", 9, "-xxxxx.xx"},
    {'A', "Current Balance", 9, "-xxxxx.xx"},
    {'A', "Transaction Count", 4, ""},
    {'A', "Type", 11, ""},
    {'A', "Jan Budget", 9, "-xxxxx.xx"},
    {'A', "Feb Budget", 9, "-xxxxx.xx"},
    {'A', "Mar Budget", 9, "-xxxxx.xx"},
    {'A', "Apr Budget", 9, "-xxxxx.xx"},
    {'A', "May Budget", 9, "-xxxxx.xx"},
    {'A', "Jun Budget", 9, "-xxxxx.xx"},
    {'A', "Jul Budget", 9, "-xxxxx.xx"},
    {'A', "Aug Budget", 9, "-xxxxx.xx"},
    {'A', "Sep Budget", 9, "-xxxxx.xx"},
    {'A', "Oct Budget", 9, "-xxxxx.xx"},
    {'A', "Nov Budget", 9, "-xxxxx.xx"},
    {'A', "Dec Budget", 9, "-xxxxx.xx"},
    {'R', "Register", 0, ""},
    {'R', "Account Number", 3, ""},
    {'R', "Account Name", 25, ""},
    {'R', "Transaction Number", 8, ""},
    {'R', "Transaction Date", 8, "mm/dd/yy"},
    {'R', "Description", 25, ""},
    {'R', "Withdrawals", 9, "-xxxxx.xx"},
    {'R', "Deposits", 9, "-xxxxx.xx"},
    {'R', "Balance", 9, "-xxxxx.xx"},
    {'R', "Clear Flag", 1, "T)rue or F)alse"},
    {'R', "Split Flag", 1, "T)rue or F)alse"},
    {'R', "Remarks", 40, ""},
    {'R', "Support Account Number", 3, ""},
    {'R', "Support Account Name", 25, ""},
    {'R', "Reserve Account Number", 3, ""},
    {'R', "Reserve Account Name", 25, ""},
};

namespace {

char SetOfReport(int id) {
  static const char letters[] = "SDFEAR";
  return id >= 260 && id <= 265 ? letters[id - 260] : 'S';
}

}  // namespace

int BuildExportFormatReport(RptContext* ctx) {
  SetRptTitle(ctx, "Export File Format", 0);
  SetRptColumnHeaders(ctx, {"{6}Field{29} {6}Max", "{6}Number{2} {25-}Description{2} {5}Length{2} {25-}Comments"});
  const char set = SetOfReport(ctx->reportId);
  const ExportFieldDoc* first = nullptr;
  int count = 0;
  for (const ExportFieldDoc& row : ExportFormatTable) {
    if (row.set != set) continue;
    if (first == nullptr)
      first = &row;
    else
      ++count;
  }
  char subtitle[64];
  std::snprintf(subtitle, sizeof subtitle, "%s Record Format", first->description);
  SetRptSubtitle(ctx, subtitle);
  const char* error = nullptr;
  if (OpenRpt(ctx) && WriteRptBlock(ctx, RPT_BLOCK_TITLE) && WriteRptBlock(ctx, RPT_BLOCK_HEADERS)) {
    for (int n = 1; n <= count; ++n) {
      const ExportFieldDoc& row = first[n];
      char description[64], comment[64];
      std::snprintf(description, sizeof description, "%s", row.description);
      std::snprintf(comment, sizeof comment, "%s", row.comment);
      ExpandTextMacros(description, sizeof description);
      ExpandTextMacros(comment, sizeof comment);
      if (!NeedRptLines(ctx, 1)) break;
      char line[256];
      std::snprintf(line, sizeof line, "{6r}%d{2} {25}%s{2} {5r}%d{2} {25}%s", n, RptEscape(description).c_str(),
                    row.maxLength, RptEscape(comment).c_str());
      if (!WriteRptLines(ctx, {line})) {
        error = "Writing export format rpt";
        break;
      }
      ReportProgress("", n, count);
    }
  }
  CloseRpt(ctx);
  if (error) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  return 1;
}

void InstallExportFormatReport() { RegisterRptBuilder(260, BuildExportFormatReport); }
