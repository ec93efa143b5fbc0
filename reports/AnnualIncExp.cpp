// Report 3: the fiscal year's income and expense by account and month, in
// whole dollars, with section totals and the net income.
#include <cstring>
#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/StrUtil.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/RecIO.h"

namespace {

constexpr int kWidth = 6;

struct Group {
  const std::vector<int>& accounts;
  int count;
  std::vector<long long>* activ;  // [calendar month] and [12] the year
  std::vector<int>& used;
  long long* totals;
};

std::string Columns(const int order[13], const long long* values) {
  std::string line;
  for (int i = 0; i < 13; ++i)
    line += RptPrintf("{1} {%dr}%s", kWidth, FormatRptAmount(values[order[i]], -kWidth).c_str());
  return line;
}

std::string Rules() {
  std::string rules;
  for (int i = 0; i < 13; ++i) rules += RptPrintf("{1} {%d-}", kWidth);
  return rules;
}

// Every support line of the year on an account of either group.
void Accumulate(Group& income, Group& expense, RptProgress& progress, RptFailure& f) {
  ForEachGroupLine(income, expense, f, "R3 supt acct", [&](Group& g, std::size_t i, int m, int s) {
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, s) != 1) {
      f.Set(ERR_READ, &g == &income ? "R3 inc supt" : "R3 exp supt");
      return false;
    }
    const long long v = static_cast<long long>(line.amount) * line.factor;
    g.used[i] = 1;
    if (m >= 0 && m < 12) {
      g.activ[m][i] += v;
      g.totals[m] += v;
    }
    g.activ[12][i] += v;
    g.totals[12] += v;
    return true;
  });
  for (int i = 0; i < income.count + expense.count; ++i) progress.Step();
}

void WriteGroup(RptContext* c, Group& g, const int order[13], const char* lineWord, const char* totalLabel,
                const char* totalWord, RptProgress& progress, RptFailure& f) {
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
    if (!NeedRptLines(c, 1)) {
      f.Stop();
      break;
    }
    long long values[13];
    for (int m = 0; m < 13; ++m) values[m] = g.activ[m][i];
    const std::string line =
        RptPrintf("{5}%3.3d{30}%-s", static_cast<int>(k.number), RptData(k.name).c_str()) + Columns(order, values);
    if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, lineWord);
    progress.Step();
  }
  if (f.Failed()) return;
  if (!NeedRptLines(c, 3)) {
    f.Stop();
    return;
  }
  const std::string rules = "{35} " + Rules();
  const std::string total = std::string("{35.}") + totalLabel + Columns(order, g.totals);
  if (!WriteRptLines(c, {rules.c_str(), total.c_str(), " "})) f.Set(ERR_WRITE, totalWord);
}

}  // namespace

int BuildAnnualIncExpSummary(RptContext* c) {
  RptFailure f;
  SetRptTitle(c, "Annual Income/Expense Summary", 0);
  int order[13];
  char head1[256] = "{35} ";
  AppendMonthColumns(c, 1, kWidth, head1, order);
  char head2[256];
  std::snprintf(head2, sizeof head2, "{35-}INCOME %s", Rules().c_str());
  SetRptColumnHeaders(c, {head1, head2});

  std::fill(Type1Used.begin(), Type1Used.end(), 0);
  std::fill(Type2Used.begin(), Type2Used.end(), 0);
  RptProgress progress(2 * (Type1Count + Type2Count));
  Group income{Type1Acts, Type1Count, Type1Activ, Type1Used, Type1Totals};
  Group expense{Type2Acts, Type2Count, Type2Activ, Type2Used, Type2Totals};
  Accumulate(income, expense, progress, f);
  if (f.Failed()) return f.Finish();

  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) f.Stop();
  if (!f.Failed()) WriteGroup(c, income, order, "R3 income", "Total Income", "R3 income total", progress, f);
  if (!f.Failed()) {
    // "EXPENSE" takes the place of "INCOME " so the rules follow it directly.
    InsertString("EXPENSE", 5, head2);
    SetRptColumnHeaders(c, {head1, head2});
    if (!WriteHeadersWithRoom(c, 3)) f.Stop();
  }
  if (!f.Failed()) WriteGroup(c, expense, order, "R3 expense", "Total Expense", "R3 expense total", progress, f);
  if (!f.Failed()) {
    long long net[13];
    for (int m = 0; m < 13; ++m) net[m] = Type1Totals[m] - Type2Totals[m];
    if (!NeedRptLines(c, 3)) {
      f.Stop();
    } else {
      const std::string rules = "{35} " + Rules();
      const std::string line = "{35.}Net Income/(Loss)" + Columns(order, net);
      if (!WriteRptLines(c, {rules.c_str(), line.c_str(), " "})) f.Set(ERR_WRITE, "R3 net total");
    }
  }
  CloseRpt(c);
  return f.Finish();
}
