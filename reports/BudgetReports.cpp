// Reports 6 and 7: the chosen accounts' budgets by fiscal month, and their
// actual activity beside the budgets for a month, the year to date and the
// whole year; both in six sections by account class with net lines after
// the income/expense and the asset/liability pairs.
#include <cstring>
#include <string>
#include <unordered_set>

#include "common/Dates.h"
#include "common/StrUtil.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/RecIO.h"

namespace {

struct Section {
  char letter;
  const char* name6;   // report 6 section line
  const char* label6;  // report 6 total label
  const char* name7;   // report 7 nine-character name
  const char* label7;
};

constexpr Section kSections[6] = {
    {'I', "{29-}INCOME", "Tot Budgeted Inc Activity", "INCOME   ", "Total Income Activity"},
    {'E', "{29-}EXPENSE", "Tot Budgeted Exp Activity", "EXPENSE  ", "Total Expense Activity"},
    {'A', "{29-}ASSET", "Tot Budgeted Asset Activity", "ASSET    ", "Total Asset Activity"},
    {'L', "{29-}LIABILITY", "Tot Budgeted Liab Activity", "LIABILITY", "Total Liability Activity"},
    {'R', "{29-}RESERVES", "Tot Budgeted Reserve Activity", "RESERVE  ", "Total Reserve Activity"},
    {'S', "{29-}SYSTEM", "Tot Budgeted System Activity", "SYSTEM   ", "Total System Activity"},
};

// The walk shared by both reports: every live chosen account of the class
// in report order, with its record and budget (when it has one).
template <class Fn>
void WalkSection(char letter, int report, RptProgress& progress, RptFailure& f, Fn&& each) {
  std::unordered_set<int> chosen;
  for (int i = 0; i < AcctCount; ++i) chosen.insert(AcctList[static_cast<std::size_t>(i)]);
  for (int row : AccountRowsInOrder(RptOrder)) {
    if (f.Failed()) break;
    progress.Step();
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(row)];
    if (k.status == kStatusDeleted || GetAcctClass(static_cast<int>(k.number)) != letter) continue;
    if (!chosen.count(static_cast<int>(k.number))) continue;
    AccountRecord a;
    if (ReadRecord(AcctFile, a, row) != 1) {
      f.Set(ERR_READ, report == 6 ? "report 6 account" : "report 7 account");
      break;
    }
    const bool hasBudget = a.budgetRow != -1;
    if (!hasBudget && !RptOptionB) continue;
    BudgetRecord budget;
    if (hasBudget && ReadRecord(BudgetFile, budget, a.budgetRow) != 1) {
      f.Set(ERR_READ, report == 6 ? "report 6 budget" : "report 7 budget");
      break;
    }
    each(a, hasBudget ? &budget : nullptr);
  }
}

// Writes the section's headers before its first line: at once when the
// block and its first lines fit, else on a new page.
bool StartSection(RptContext* c, int lines, RptFailure& f) {
  const int ok = WriteHeadersWithRoom(c, lines);
  if (!ok) f.Stop();
  return ok != 0;
}

void Separator(RptContext* c, RptFailure& f) {
  if (!f.Failed() && !RptPageFull(c, 3) && !WriteRptSeparator(c)) f.Stop();
}

// ---- Report 6 -------------------------------------------------------------

constexpr int kSpacer6 = 2, kWidth6 = 5;

std::string Rules6() {
  std::string rules;
  for (int i = 0; i < 13; ++i) rules += RptPrintf("{%d} {%d-}", kSpacer6, kWidth6);
  return rules;
}

std::string Columns6(const int order[13], const std::string fields[13]) {
  std::string line;
  for (int i = 0; i < 13; ++i) line += RptPrintf("{%d} {%dr}%s", kSpacer6, kWidth6, fields[order[i]].c_str());
  return line;
}

std::string Amounts6(const int order[13], const long long* values) {
  std::string fields[13];
  for (int m = 0; m < 13; ++m) fields[m] = FormatRptAmount(values[m], -kWidth6);
  return Columns6(order, fields);
}

bool WriteBudgetSection(RptContext* c, const Section& s, const char* head1, const int order[13], long long* totals,
                        RptProgress& progress, RptFailure& f) {
  for (int m = 0; m < 13; ++m) totals[m] = 0;
  const std::string head2 = s.name6 + Rules6();
  SetRptColumnHeaders(c, {head1, head2.c_str()});
  bool printed = false;
  WalkSection(s.letter, 6, progress, f, [&](const AccountRecord& a, const BudgetRecord* budget) {
    if (!printed && !StartSection(c, 4, f)) return;
    printed = true;
    std::string fields[13];
    if (budget) {
      long long year = 0;
      for (int m = 0; m < 12; ++m) {
        fields[m] = FormatRptAmount(budget->months[m], -kWidth6);
        totals[m] += budget->months[m];
        year += budget->months[m];
      }
      fields[12] = FormatRptAmount(year, -kWidth6);
      totals[12] += year;
    }
    if (!NeedRptLines(c, 1)) {
      f.Stop();
      return;
    }
    const std::string line = RptPrintf("{4}%3.3d{1} {24}%-25s", static_cast<int>(a.number), RptData(a.name).c_str()) +
                             Columns6(order, fields);
    if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "annual budget");
  });
  if (printed && !f.Failed()) {
    if (!NeedRptLines(c, 3)) {
      f.Stop();
    } else {
      const std::string rules = "{29} " + Rules6();
      const std::string total = RptPrintf("{29.}%s", s.label6) + Amounts6(order, totals);
      if (!WriteRptLines(c, {rules.c_str(), total.c_str(), " "})) f.Set(ERR_WRITE, "budget account totals");
    }
  }
  return printed;
}

void NetLine6(RptContext* c, const char* label, const int order[13], const char* word, RptFailure& f) {
  if (f.Failed()) return;
  if (!NeedRptLines(c, 2)) {
    f.Stop();
    return;
  }
  long long net[13];
  for (int m = 0; m < 13; ++m) net[m] = Type1Totals[m] - Type2Totals[m];
  const std::string rules = "{29} " + Rules6();
  const std::string line = RptPrintf("{29.}%s", label) + Amounts6(order, net);
  if (!WriteRptLines(c, {rules.c_str(), line.c_str()})) f.Set(ERR_WRITE, word);
  Separator(c, f);
}

// ---- Report 7 -------------------------------------------------------------

// Slots of the per-account figures and the section totals.
enum { kMonth = 0, kMonthBudget = 1, kMonthVar = 2, kYtd = 3, kYtdBudget = 4, kYtdVar = 5, kYear = 11, kLeft = 12 };

const char* const kRules7 = "{2} {9-}{2} {9-}{2} {9-}{4} {9-}{2} {9-}{2} {9-}{4} {9-}{2} {10-}";
const char* const kFigures7 = "{2} {9r}%s{2} {9r}%s{2} {9r}%s{4} {9r}%s{2} {9r}%s{2} {9r}%s{4} {9r}%s{2} {10r}%s";

std::string Figures7(const long long* v, bool budgets, bool allWide) {
  const int mw = allWide ? 9 : 8;
  auto budget = [&](long long amount, int width, int blanks) {
    return budgets ? FormatRptAmount(amount, width) : std::string(static_cast<std::size_t>(blanks), ' ');
  };
  return RptPrintf(kFigures7, FormatRptAmount(v[kMonth], mw).c_str(), budget(v[kMonthBudget], mw, 10).c_str(),
                   FormatRptAmount(v[kMonthVar], mw).c_str(), FormatRptAmount(v[kYtd], 9).c_str(),
                   budget(v[kYtdBudget], 9, 11).c_str(), FormatRptAmount(v[kYtdVar], 9).c_str(),
                   budget(v[kYear], 9, 11).c_str(), FormatRptAmount(v[kLeft], 9).c_str());
}

bool WriteBudgetStatusSection(RptContext* c, const Section& s, const char* head1, const char* head2,
                              const int order[13], long long* totals, RptProgress& progress, RptFailure& f) {
  for (int m = 0; m < 13; ++m) totals[m] = 0;
  char head3[256];
  std::snprintf(head3, sizeof head3, "{34-}INCOME   %s", kRules7);
  InsertString(s.name7, 5, head3);
  SetRptColumnHeaders(c, {head1, head2, head3});
  int position = 0;  // fiscal position of the chosen month
  while (position < 12 && order[position] != RptMonth) ++position;
  bool printed = false;
  WalkSection(s.letter, 7, progress, f, [&](const AccountRecord& a, const BudgetRecord* budget) {
    if (!printed && !StartSection(c, 5, f)) return;
    printed = true;
    long long v[13] = {};
    if (budget) {
      v[kMonthBudget] = budget->months[RptMonth];
      for (int i = 0; i <= position && i < 12; ++i) v[kYtdBudget] += budget->months[order[i]];
      for (int m = 0; m < 12; ++m) v[kYear] += budget->months[m];
    }
    int month = 0, ytd = 0;
    if (!SumAcctActivity(static_cast<int>(a.number), s.letter, RptMonth, nullptr, &month, &ytd)) {
      f.Stop();
      return;
    }
    v[kMonth] = month;
    v[kYtd] = ytd;
    v[kMonthVar] = v[kMonth] - v[kMonthBudget];
    v[kYtdVar] = v[kYtd] - v[kYtdBudget];
    v[kLeft] = v[kYear] - v[kYtd];
    for (int slot : {kMonth, kMonthBudget, kMonthVar, kYtd, kYtdBudget, kYtdVar, kYear, kLeft}) totals[slot] += v[slot];
    if (!NeedRptLines(c, 1)) {
      f.Stop();
      return;
    }
    const std::string line = RptPrintf("{4}%3.3d{1} {29}%-25s", static_cast<int>(a.number), RptData(a.name).c_str()) +
                             Figures7(v, budget != nullptr, false);
    if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "annual budget status");
  });
  if (printed && !f.Failed()) {
    if (!NeedRptLines(c, 3)) {
      f.Stop();
    } else {
      const std::string rules = RptPrintf("{34} %s", kRules7);
      const std::string total = RptPrintf("{34.}%s", s.label7) + Figures7(totals, true, false);
      if (!WriteRptLines(c, {rules.c_str(), total.c_str(), " "})) f.Set(ERR_WRITE, "budget account totals");
    }
  }
  return printed;
}

void NetLine7(RptContext* c, const char* label, const char* word, RptFailure& f) {
  if (f.Failed()) return;
  if (!NeedRptLines(c, 2)) {
    f.Stop();
    return;
  }
  long long net[13];
  for (int m = 0; m < 13; ++m) net[m] = Type1Totals[m] - Type2Totals[m];
  const std::string rules = RptPrintf("{34} %s", kRules7);
  const std::string line = RptPrintf("{34.}%s", label) + Figures7(net, true, true);
  if (!WriteRptLines(c, {rules.c_str(), line.c_str()})) f.Set(ERR_WRITE, word);
  Separator(c, f);
}

void NoBudgets(RptContext* c, const char* word, RptFailure& f) {
  if (f.Failed()) return;
  if (!NeedRptLines(c, 2)) {
    f.Stop();
    return;
  }
  if (!WriteRptLines(c, {" ", "*** No budgets were found for the selected accounts ***"})) f.Set(ERR_WRITE, word);
}

}  // namespace

int BuildAnnualBudgetReport(RptContext* c) {
  RptFailure f;
  SetRptTitle(c, "Annual Budget", 0);
  int order[13];
  char head1[256] = "{29} ";
  AppendMonthColumns(c, kSpacer6, kWidth6, head1, order);
  RptProgress progress(6 * AcctTable.rowCount);
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) f.Stop();
  // Report 6 keeps income, assets, reserves and system accounts in the
  // first totals, expense and liabilities in the second.
  long long* totals[6] = {Type1Totals, Type2Totals, Type1Totals, Type2Totals, Type1Totals, Type1Totals};
  bool printed[6] = {};
  for (int i = 0; i < 6 && !f.Failed(); ++i) {
    printed[i] = WriteBudgetSection(c, kSections[i], head1, order, totals[i], progress, f);
    if (i == 1 && (printed[0] || printed[1])) NetLine6(c, "Net Budgeted Income/(Loss)", order, "R6 inc/exp total", f);
    if (i == 3 && (printed[2] || printed[3])) NetLine6(c, "Budgeted Chg to Net Worth", order, "R6 ass/lia total", f);
    if (i == 4 && printed[4]) Separator(c, f);
  }
  bool any = false;
  for (bool p : printed) any = any || p;
  if (!any) NoBudgets(c, "R6 warning", f);
  CloseRpt(c);
  return f.Finish();
}

int BuildBudgetStatusReport(RptContext* c) {
  RptFailure f;
  SetRptTitle(c, "Budget Status", 0);
  const int month = RptMonth >= 0 && RptMonth < 12 ? RptMonth : 0;
  RptMonth = month;
  SetRptSubtitle(c, RptPrintf("%s %d", MonthNames[month], GetFiscalYearOfMonth(month)).c_str());
  int order[13];
  char unused[512] = "";
  AppendMonthColumns(c, 1, 1, unused, order);
  const char* head1 = "{36} {31-}Month{4} {31-}Year-to-Date{4} {21-}Fiscal Year";
  const char* head2 =
      "{36} {9}Actual{2} {9}Budget{2} {9}Variance{4} {9}Actual{2} {9}Budget{2} {9}Variance{4} {9}Budget{2} "
      "{10}Remaining";
  RptProgress progress(6 * AcctTable.rowCount);
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) f.Stop();
  // Report 7 keeps income, assets and reserves in the first totals,
  // expense, liabilities and system accounts in the second.
  long long* totals[6] = {Type1Totals, Type2Totals, Type1Totals, Type2Totals, Type1Totals, Type2Totals};
  bool printed[6] = {};
  for (int i = 0; i < 6 && !f.Failed(); ++i) {
    printed[i] = WriteBudgetStatusSection(c, kSections[i], head1, head2, order, totals[i], progress, f);
    if (i == 1 && (printed[0] || printed[1])) NetLine7(c, "Net Income/(Loss)", "R7 inc/exp total", f);
    if (i == 3 && (printed[2] || printed[3])) NetLine7(c, "Net Worth Incr/(Decr)", "R7 ass/lia total", f);
    if (i == 4 && printed[4]) Separator(c, f);
  }
  bool any = false;
  for (bool p : printed) any = any || p;
  if (!any) NoBudgets(c, "R7 warning", f);
  CloseRpt(c);
  return f.Finish();
}
