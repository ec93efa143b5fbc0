// Report 1: the month's and the year-to-date income and expense by account,
// optionally beside the budgets, and the net income.
#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/Dates.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/RecIO.h"

namespace {

constexpr int kAmt = 8;
constexpr int kIndent = 10;

struct Group {
  const std::vector<int>& accounts;
  int count;
  std::vector<long long>* activ;  // [0] month budget, [1] month, [2] ytd budget, [3] ytd
  std::vector<int>& used;
  long long* totals;
};

// Budgets of the period for every account of the group.
void AddBudgets(Group& g, RptFailure& f) {
  for (int i = 0; i < g.count && !f.Failed(); ++i) {
    AccountRecord account;
    int pos = -1;
    if (!FindAcctIndex(g.accounts[static_cast<std::size_t>(i)], &pos)) continue;
    if (ReadRecord(AcctFile, account, AcctTable.byNumber[static_cast<std::size_t>(pos)]) != 1) {
      f.Set(ERR_READ, "account");
      break;
    }
    if (account.budgetRow == -1) continue;
    BudgetRecord budget;
    if (ReadRecord(BudgetFile, budget, account.budgetRow) != 1) {
      f.Set(ERR_READ, "budget");
      break;
    }
    for (int j = 0; j < 12; ++j) {
      const int m = (RptFirstMonth + j) % 12;
      if (!MonthInRange(RptFirstMonth, RptMonth, m)) continue;
      g.activ[2][static_cast<std::size_t>(i)] += budget.months[m];
      if (m == RptMonth) g.activ[0][static_cast<std::size_t>(i)] += budget.months[m];
    }
  }
}

// One pass over the support lines for both groups.
void AddActivity(Group& income, Group& expense, RptProgress& progress, RptFailure& f) {
  ForEachGroupLine(income, expense, f, "R1 supt acct", [&](Group& g, std::size_t i, int m, int s) {
    if (!MonthInRange(RptFirstMonth, RptMonth, m)) return true;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, s) != 1) {
      f.Set(ERR_READ, &g == &income ? "R1 inc support" : "R1 inc supt");
      return false;
    }
    g.used[i] = 1;
    const long long v = static_cast<long long>(line.amount) * line.factor;
    g.activ[3][i] += v;
    if (m == RptMonth) g.activ[1][i] += v;
    return true;
  });
  for (int i = 0; i < income.count + expense.count; ++i) progress.Step();
}

std::string Amount(long long v) { return FormatRptAmount(v, kAmt); }
std::string Goal(long long actual, long long budget) { return FormatRptPercent(actual, budget, 3); }

std::string FigureLine(bool budgets, const std::string& label, const long long v[4]) {
  if (budgets)
    return label + RptPrintf("{1} {8r}%s{1} {8r}%s{1} {5r}%s{2} {8r}%s{1} {8r}%s{1} {5r}%s", Amount(v[0]).c_str(),
                             Amount(v[1]).c_str(), Goal(v[1], v[0]).c_str(), Amount(v[2]).c_str(),
                             Amount(v[3]).c_str(), Goal(v[3], v[2]).c_str());
  return label + RptPrintf("{1} {8r}%s{1} {8r}%s", Amount(v[1]).c_str(), Amount(v[3]).c_str());
}

std::string RuleLine(bool budgets) {
  return budgets ? "{26} {8-}{1} {8-}{1} {5-}{2} {8-}{1} {8-}{1} {5-}" : "{47} {8-}{1} {8-}";
}

std::string TotalLabel(bool budgets, const char* word) {
  return budgets ? RptPrintf("{25.}%s", word) : RptPrintf("{%d} {36.}%s", kIndent, word);
}

// The account lines of a group in report order, then its total.
void WriteGroup(RptContext* c, Group& g, bool budgets, const char* lineWord, const char* totalWord,
                RptProgress& progress, RptFailure& f) {
  std::unordered_map<LONG, int> index;
  for (int i = 0; i < g.count; ++i) index.emplace(g.accounts[static_cast<std::size_t>(i)], i);
  for (int row : AccountRowsInOrder(RptOrder)) {
    if (f.Failed()) break;
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(row)];
    if (k.status == kStatusDeleted) continue;
    const auto at = index.find(k.number);
    if (at == index.end()) continue;
    const auto i = static_cast<std::size_t>(at->second);
    if (!g.used[i] && !RptOptionA) continue;
    if (g.activ[1][i] == 0 && g.activ[3][i] == 0 && !RptOptionB) continue;
    if (!NeedRptLines(c, 1)) {
      f.Stop();
      break;
    }
    long long v[4];
    for (int col = 0; col < 4; ++col) {
      v[col] = g.activ[col][i];
      g.totals[col] += v[col];
    }
    const std::string name = RptData(k.name);
    const std::string label = budgets ? RptPrintf("{4}%3.3d{21}%-20.20s", static_cast<int>(k.number), name.c_str())
                                      : RptPrintf("{%d} {4}%3.3d{32}%s", kIndent, static_cast<int>(k.number),
                                                  name.c_str());
    if (!WriteRptText(c, FigureLine(budgets, label, v).c_str())) f.Set(ERR_WRITE, lineWord);
    progress.Step();
  }
  if (f.Failed()) return;
  if (!NeedRptLines(c, 3)) {
    f.Stop();
    return;
  }
  const std::string rule = RuleLine(budgets);
  const std::string total = FigureLine(budgets, TotalLabel(budgets, "Total"), g.totals);
  if (!WriteRptLines(c, {rule.c_str(), total.c_str(), " "})) f.Set(ERR_WRITE, totalWord);
}

}  // namespace

int BuildMonthlyIncExpReport(RptContext* c) {
  RptFailure f;
  const bool budgets = RptOptionC != 0;
  SetRptTitle(c, "Monthly Income/Expense Report", 0);
  const int month = RptMonth >= 0 && RptMonth < 12 ? RptMonth : 0;
  SetRptSubtitle(c, RptPrintf("%s %d", MonthNames[month], GetFiscalYearOfMonth(month)).c_str());
  std::string head1, head2, head3;
  if (budgets) {
    head1 = "{77=}INCOME ";
    head2 = "{26} {23-}Month's Activity{2} {23-}Year-to-Date";
    head3 = "{25-}Account{1} {8-}Budget{1} {8-}Actual{1} {5-}Goal{2} {8-}Budget{1} {8-}Actual{1} {5-}Goal";
    SetRptColumnHeaders(c, {head1.c_str(), head2.c_str(), head3.c_str()});
  } else {
    head1 = RptPrintf("{%d} {%d}Month's{1} {%d}Year-to-Date", 47, kAmt, kAmt);
    head2 = RptPrintf("{%d}INCOME{36-}Account{1} {%d}Activity{1} {%d}Activity", kIndent, kAmt, kAmt);
    SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
  }
  std::fill(Type1Used.begin(), Type1Used.end(), 0);
  std::fill(Type2Used.begin(), Type2Used.end(), 0);
  RptProgress progress(2 * (Type1Count + Type2Count));
  Group income{Type1Acts, Type1Count, Type1Activ, Type1Used, Type1Totals};
  Group expense{Type2Acts, Type2Count, Type2Activ, Type2Used, Type2Totals};
  if (budgets) {
    AddBudgets(income, f);
    AddBudgets(expense, f);
  }
  if (!f.Failed()) AddActivity(income, expense, progress, f);
  if (f.Failed()) return f.Finish();

  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) f.Stop();
  if (!f.Failed()) WriteGroup(c, income, budgets, "R1 income", "R1 income total", progress, f);
  if (!f.Failed()) {
    if (budgets) {
      head1 = "{77=}EXPENSE ";
      SetRptColumnHeaders(c, {head1.c_str(), head2.c_str(), head3.c_str()});
    } else {
      head2 = RptPrintf("{%d}EXPENSE{36-}Account{1} {%d}Activity{1} {%d}Activity", kIndent, kAmt, kAmt);
      SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
    }
    if (!WriteHeadersWithRoom(c, budgets ? 4 : 3)) f.Stop();
  }
  if (!f.Failed()) WriteGroup(c, expense, budgets, "R1 expense", "R1 expense total", progress, f);
  if (!f.Failed()) {
    long long net[4];
    for (int col = 0; col < 4; ++col) net[col] = Type1Totals[col] - Type2Totals[col];
    if (!NeedRptLines(c, 3)) {
      f.Stop();
    } else {
      const std::string rule = RuleLine(budgets);
      const std::string line = FigureLine(budgets, TotalLabel(budgets, "Net Income/(Loss)"), net);
      if (!WriteRptLines(c, {rule.c_str(), line.c_str(), " "})) f.Set(ERR_WRITE, "R1 net total");
    }
  }
  CloseRpt(c);
  return f.Finish();
}
