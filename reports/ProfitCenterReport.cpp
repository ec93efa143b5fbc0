#include "reports/ProfitCenterReport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/TempFolder.h"
#include "common/UnitVocab.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/FiltSplits.h"
#include "store/KeyTable.h"
#include "store/Queries.h"

namespace {

enum { kIncome, kExpense, kProfit };
enum { kUnit, kPassbook, kTotal };

// An account list as the filtered splits take it.
struct ToArray : CUIntArray {
  explicit ToArray(const std::vector<UINT>& list) {
    for (UINT n : list) Add(n);
  }
};

// The unit's and the members' sums of the rows of the range on `accounts`.
// An empty list would take every account: nothing is summed for it.
CString SumAccounts(CFiltSplits& splits, const std::vector<UINT>& accounts, long long* unit, long long* members) {
  *unit = *members = 0;
  if (accounts.empty()) return CString();
  int u = 0, m = 0;
  if (!splits.Sum(1, ToArray(accounts), CUIntArray(), &u, &m)) return splits.GetErrorText();
  *unit = u;
  *members = m;
  return CString();
}

std::string MemberName(int passbook) {
  char name[96] = "";
  if (passbook >= 0 && passbook < static_cast<int>(MemberTable.byTypeName.size())) {
    const int row = MemberTable.byTypeName[static_cast<std::size_t>(passbook)];
    if (row >= 0 && row < MemberTable.rowCount)
      FormatPersonName(nullptr, 1, MemberTable.keys[static_cast<std::size_t>(row)], nullptr, name);
  }
  return name;
}

void Zero(CenterTable& t) {
  for (auto& row : t)
    for (long long& v : row) v = 0;
}

}  // namespace

void CompleteCenterTotals(CenterTable& t) {
  for (int c = kUnit; c <= kTotal; ++c) t[kProfit][c] = t[kIncome][c] + t[kExpense][c];
  for (auto& row : t) row[kTotal] = row[kUnit] + row[kPassbook];
}

bool HasCenterActivity(int include, const CenterTable& t) {
  return include || t[kIncome][kUnit] != 0 || t[kIncome][kPassbook] != 0 || t[kExpense][kUnit] != 0 ||
         t[kExpense][kPassbook] != 0;
}

int WriteCenterLine(RptContext* c, int indent, int bold, const char* name, const CenterTable& t, int rows,
                    int columns, char* error, int errorSize) {
  char line[256 * 2];
  std::snprintf(line, sizeof line, "{%d} {F%d}{%d}%s {1} ", indent, bold ? RPT_FONT_HEADING : RPT_FONT_BODY,
                31 - indent, RptEscape(name).c_str());
  std::string text = line;
  for (int r = kIncome; r <= kProfit; ++r) {
    const bool rowOn = rows == 3 || (rows == 1 && r == kIncome) || (rows == 2 && r == kExpense);
    for (int col = kUnit; col <= kTotal; ++col) {
      const bool on = rowOn && (columns == 3 || (columns == 2 && col == kPassbook));
      const long long amount = r == kExpense ? -t[r][col] : t[r][col];
      text += "{10r}" + (on ? FormatRptAmount(amount, 8) : std::string()) + " {1} ";
    }
  }
  text += "{F4}";
  if (!WriteRptText(c, text.c_str())) {
    FormatErrorText(error, static_cast<std::size_t>(errorSize), ERR_WRITE, "Profit Center report");
    return 0;
  }
  return 1;
}

CString SumCenterActivity(const CAcctGroup& group, CFiltSplits& splits, CenterTable& t) {
  Zero(t);
  AcctNumberList accounts;
  group.CopyAccounts(&accounts);
  std::vector<UINT> income, other;
  for (UINT a : accounts) (GetAcctClass(static_cast<int>(a)) == 'I' ? income : other).push_back(a);
  CString error = SumAccounts(splits, income, &t[kIncome][kUnit], &t[kIncome][kPassbook]);
  if (error.IsEmpty()) error = SumAccounts(splits, other, &t[kExpense][kUnit], &t[kExpense][kPassbook]);
  CompleteCenterTotals(t);
  return error;
}

int BuildProfitCenterReport(RptContext* c) {
  const bool accountDetails = (RptOptionC & 2) != 0;
  const bool passbookDetails = (RptOptionC & 4) != 0;
  const bool details = accountDetails || passbookDetails;
  SetRptTitle(c, "Profit Center Report", 0);
  char subtitle[96];
  std::snprintf(subtitle, sizeof subtitle, "%s - %s", FormatDateLong(RptFirstDate, DF_YYYYMMDD),
                FormatDateLong(RptSecondDate, DF_YYYYMMDD));
  SetRptSubtitle(c, subtitle);
  std::string top = "{31}     {1} ", names = "{31}Name {1} ", rules = "{31-}    {1} ";
  for (const char* head : {"Income", "Expense", "Profit/(Loss)"}) top += std::string("{32-}") + head + " {1} ";
  for (int i = 0; i < 3; ++i)
    for (const char* head : {UnitNoun, "PBook", "Total"}) names += std::string("{10}") + head + "{1} ";
  for (int i = 0; i < 9; ++i) rules += "{10-}{1} ";
  SetRptColumnHeaders(c, {top.c_str(), names.c_str(), rules.c_str()});
  c->clipText = 1;

  CenterTable grand;
  Zero(grand);
  bool needBlank = true;
  char error[320] = "";
  const std::vector<std::string>& centres = RptCategory1List;
  CAcctGroupDBase& groups = TheAcctGroupDBase();

  // Every account of the chosen centres, once, for the filtered splits.
  std::vector<UINT> all;
  int total = static_cast<int>(centres.size());
  for (const std::string& name : centres) {
    CAcctGroup group;
    if (!groups.Get(CString(name.c_str()), &group) || !groups.GetErrorText().IsEmpty()) {
      std::snprintf(error, sizeof error, "%s", static_cast<const char*>(groups.GetErrorText()));
      if (!error[0]) FormatErrorText(error, ERR_READ, "profit center");
      break;
    }
    AcctNumberList accounts;
    group.CopyAccounts(&accounts);
    if (accountDetails) total += static_cast<int>(accounts.size());
    for (UINT a : accounts)
      if (std::find(all.begin(), all.end(), a) == all.end()) all.push_back(a);
  }
  CFiltSplits splits;
  if (!error[0] && !splits.Initialize(CString(TempFolder), CString(RptFirstDate), CString(RptSecondDate), ToArray(all)))
    std::snprintf(error, sizeof error, "%s", static_cast<const char*>(splits.GetErrorText()));

  bool opened = false;
  if (!error[0] && OpenRpt(c)) {
    opened = true;
    if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS))
      FormatErrorText(error, ERR_WRITE, "Profit Center report");
  }
  int progress = 0;
  for (std::size_t i = 0; opened && !error[0] && i < centres.size(); ++i) {
    const std::string& name = centres[i];
    CAcctGroup group;
    if (!groups.Get(CString(name.c_str()), &group)) {
      std::snprintf(error, sizeof error, "%s", static_cast<const char*>(groups.GetErrorText()));
      break;
    }
    AcctNumberList accounts;
    group.CopyAccounts(&accounts);
    NeedRptLines(c, 3);
    CenterTable table;
    const CString sumError = SumCenterActivity(group, splits, table);
    if (!sumError.IsEmpty()) {
      std::snprintf(error, sizeof error, "%s", static_cast<const char*>(sumError));
      break;
    }
    if (HasCenterActivity(RptOptionH & 1, table)) {
      for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) grand[r][col] += table[r][col];
      if (!WriteCenterLine(c, 0, details, name.c_str(), table, 3, 3, error, sizeof error)) break;
    }
    if (accountDetails) {
      for (UINT a : accounts) {
        if (error[0]) break;
        const int row = GetAcctClass(static_cast<int>(a)) == 'I' ? kIncome : kExpense;
        CenterTable t;
        Zero(t);
        const CString e = SumAccounts(splits, {a}, &t[row][kUnit], &t[row][kPassbook]);
        if (!e.IsEmpty()) {
          std::snprintf(error, sizeof error, "%s", static_cast<const char*>(e));
          break;
        }
        CompleteCenterTotals(t);
        const bool shown = HasCenterActivity(RptOptionH & 2, t);
        if (shown) {
          char label[64];
          GetAcctLabel(static_cast<int>(a), label);
          NeedRptLines(c, 2);
          if (!WriteCenterLine(c, 2, passbookDetails, label, t, row + 1, 3, error, sizeof error)) break;
        }
        if (passbookDetails && shown) {
          int passbook = 0, income = 0, other = 0;
          for (int first = 1; !error[0] && splits.GetNextPass(first, 1, ToArray(std::vector<UINT>{a}), &passbook, &income, &other);
               first = 0) {
            if (passbook == -1) continue;
            CenterTable m;
            Zero(m);
            m[row][kPassbook] = row == kIncome ? income : other;
            NeedRptLines(c, 1);
            WriteCenterLine(c, 4, 0, MemberName(passbook).c_str(), m, row + 1, 2, error, sizeof error);
          }
          if (!error[0] && !splits.GetErrorText().IsEmpty())
            std::snprintf(error, sizeof error, "%s", static_cast<const char*>(splits.GetErrorText()));
        }
        if (passbookDetails && !error[0]) {
          NeedRptLines(c, 1);
          if (!WriteRptText(c, " ")) FormatErrorText(error, ERR_WRITE, "Profit Center report");
          needBlank = false;
        }
        ReportProgress(name.c_str(), ++progress, total);
      }
    } else if (passbookDetails && !accounts.empty()) {
      std::vector<UINT> list(accounts.begin(), accounts.end());
      int passbook = 0, income = 0, other = 0;
      for (int first = 1; !error[0] && splits.GetNextPass(first, 1, ToArray(list), &passbook, &income, &other);
           first = 0) {
        if (passbook == -1) continue;
        CenterTable m;
        Zero(m);
        m[kIncome][kPassbook] = income;
        m[kExpense][kPassbook] = other;
        CompleteCenterTotals(m);
        if (HasCenterActivity(RptOptionH & 4, m)) {
          NeedRptLines(c, 1);
          WriteCenterLine(c, 2, 0, MemberName(passbook).c_str(), m, 3, 2, error, sizeof error);
        }
      }
      if (!error[0] && !splits.GetErrorText().IsEmpty())
        std::snprintf(error, sizeof error, "%s", static_cast<const char*>(splits.GetErrorText()));
    }
    if (!error[0]) {
      if (RptOptionG) {
        if (i + 1 < centres.size()) {
          if (!EndRptPage(c, 0) || !WriteRptBlock(c, RPT_BLOCK_HEADERS))
            FormatErrorText(error, ERR_WRITE, "Profit Center report");
        } else {
          needBlank = true;
        }
      } else if (details) {
        NeedRptLines(c, 1);
        if (!WriteRptText(c, " ")) FormatErrorText(error, ERR_WRITE, "Profit Center report");
        needBlank = false;
      }
    }
    ReportProgress(name.c_str(), ++progress, total);
  }
  if (opened && !error[0] && centres.size() > 1) {
    // Room for the blank line and the totals together.
    NeedRptLines(c, needBlank ? 3 : 2);
    if (needBlank) WriteRptBlankLines(c, 1);
    CompleteCenterTotals(grand);
    WriteCenterLine(c, 0, details, "Totals:", grand, 3, 3, error, sizeof error);
  }
  if (opened) CloseRpt(c);
  if (error[0]) DispMessage(error, MSG_FATAL);
  return opened && !error[0] ? 1 : 0;
}

void InstallProfitCenterReport() { RegisterRptBuilder(34, BuildProfitCenterReport); }
