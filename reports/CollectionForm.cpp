#include "reports/CollectionForm.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/UnitVocab.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/Queries.h"
#include "store/RecIO.h"

namespace {

constexpr int kMaxAccounts = 5;

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// Amounts owed per account column and whether the member (or anyone in a
// total) takes part in a schedule of it.
struct Owed {
  std::vector<long long> amount;
  std::vector<char> takesPart;
  explicit Owed(std::size_t n = 0) : amount(n, 0), takesPart(n, 0) {}
  void Clear() {
    std::fill(amount.begin(), amount.end(), 0);
    std::fill(takesPart.begin(), takesPart.end(), 0);
  }
  void Add(const Owed& o) {
    for (std::size_t j = 0; j < amount.size(); ++j) {
      amount[j] += o.amount[j];
      if (o.takesPart[j]) takesPart[j] = 1;
    }
  }
};

// The amount without its sign positions: seven characters of digits.
std::string OwedCell(long long cents) {
  const std::string text = FormatRptAmount(cents, 7);
  return F("{2} {7r}%s{7}/_______", text.size() > 2 ? text.substr(1, text.size() - 2).c_str() : text.c_str());
}

// The cells of a row; false when no account cell was printed.
bool FormatOwedCells(const Owed& owed, std::string* text) {
  bool printed = false;
  long long sum = 0;
  for (std::size_t j = 0; j < owed.amount.size(); ++j) {
    if (owed.amount[j] != 0 || (owed.takesPart[j] && RptOptionB)) {
      *text += OwedCell(owed.amount[j]);
      sum += owed.amount[j];
      printed = true;
    } else {
      *text += "{16} ";
    }
  }
  if (owed.amount.size() > 1) *text += OwedCell(sum);
  return printed;
}

}  // namespace

int BuildPaymentCollectionForm(RptContext* c) {
  std::vector<int> accounts;
  for (int i = 0; i < AcctCount && i < kMaxAccounts; ++i) accounts.push_back(AcctList[static_cast<std::size_t>(i)]);
  const std::size_t n = accounts.size();
  const bool grouped = RptOrder == 'Y';
  const bool perPage = RptOptionG != 0;
  SetRptTitle(c, "Payment Collection Form", RptOptionG);
  SetRptSubtitle(c, F("For %s", FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  std::string head1 = "{28} ", tail, ruleLine = "{28} ";
  for (int number : accounts) {
    AccountRecord a;
    const std::string name = ReadAccountByNumber(number, &a) ? F("%.14s", a.name) : F("%3.3d (unknown)", number);
    head1 += "{2} {14}" + RptEscape(name);
    tail += "{2} {14-}Owes/Paid";
    ruleLine += "{2} {14-}";
  }
  if (n > 1) {
    head1 += "{2} {14}Total";
    tail += "{2} {14-}Owes/Paid";
    ruleLine += "{2} {14-}";
  }
  // The live schedules of each account, in file order.
  std::vector<std::vector<int>> schedules(n);
  for (int row = 0; row < ScheduleTable.rowCount; ++row) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<std::size_t>(row)];
    if (k.status != 0) continue;
    for (std::size_t j = 0; j < n; ++j)
      if (k.account == accounts[j]) schedules[j].push_back(row);
  }
  if (!OpenScheduleFiles()) return 0;
  if (!OpenRpt(c)) {
    CloseScheduleFiles();
    return 0;
  }
  RptFailure failure;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) failure.Stop();
  const std::vector<int> members = MemberIndex(grouped);
  RptProgress progress(3 * static_cast<int>(members.size()));
  Owed unit(n), type(n), subunit(n), member(n);
  std::string lastSubunit = "==";
  int typesListed = 0;
  auto totalLines = [&](const char* label, const Owed& totals, const char* step, bool blank) {
    std::string cells;
    FormatOwedCells(totals, &cells);
    const std::string total = F("{28r}%s", label) + cells;
    const bool ok = blank ? WriteRptLines(c, {ruleLine.c_str(), total.c_str(), " "})
                          : WriteRptLines(c, {ruleLine.c_str(), total.c_str()});
    if (!ok) failure.Set(ERR_WRITE, step);
  };
  for (int k = 0; k < 3 && !failure.Failed(); ++k) {
    const char* word = MemberTypeWord(k);
    const std::string head2 = F("{28-}%s ", word) + tail;
    SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
    type.Clear();
    bool noneYet = true, totalWritten = true, noSubunitYet = true;
    for (int row : members) {
      if (failure.Failed()) break;
      progress.Step();
      member.Clear();
      const MemberKey& key = MemberTable.keys[static_cast<std::size_t>(row)];
      if (key.type != k || key.status == 2 || key.passbook == 0) continue;
      MemberRow m;
      if (!ReadReportMember(row, &m)) {
        failure.Set(ERR_READ, "scout");
        break;
      }
      if (!MemberActiveOn(m, RptSecondDate)) continue;
      for (std::size_t j = 0; j < n && !failure.Failed(); ++j) {
        int owed = 0, paid = 0, found = 0;
        for (int s : schedules[j]) {
          // Payments into the account count once, with the first schedule
          // the member takes part in.
          if (!GetParticipantDues(s, -1, row, RptSecondDate, found ? 0 : 1, 1, &m, nullptr, &owed, nullptr, &paid,
                                  &found)) {
            failure.Stop();  // shown by the store
            break;
          }
        }
        if (found) {
          member.amount[j] = owed > paid ? static_cast<long long>(owed) - paid : 0;
          member.takesPart[j] = 1;
        }
      }
      if (failure.Failed()) break;
      std::string cells;
      if (!FormatOwedCells(member, &cells)) continue;
      const std::string text = "{28}" + RptEscape(MemberDisplayName(key, false)) + cells;
      bool ok = true;
      if (noneYet) {
        noneYet = false;
        ++typesListed;
        if (!perPage)
          ok = RptPageFull(c, 4) ? NeedRptLines(c, 4) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
        else if (k == 0)
          ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
        else
          ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
      }
      if (ok && grouped && m.subunit != lastSubunit) {
        if (k == 0 && !noSubunitYet && !totalWritten) {
          NeedRptLines(c, 3);
          totalLines(F("%s Totals:", SubunitNoun).c_str(), subunit, "R22 sub total", true);
          totalWritten = true;
        }
        subunit.Clear();
        lastSubunit = m.subunit;
        if (totalWritten && !failure.Failed()) {
          if (perPage && !noSubunitYet)
            ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
          if (ok && k == 0) ok = WriteSubunitHeader(c, SubunitGroupName(m.subunit).c_str(), 3) != 0;
          noSubunitYet = false;
          totalWritten = false;
        }
      }
      if (failure.Failed()) break;
      if (!ok) {
        failure.Stop();
        break;
      }
      NeedRptLines(c, 3);
      if (!WriteRptText(c, text.c_str())) {
        failure.Set(ERR_WRITE, "R22 detail");
        break;
      }
      subunit.Add(member);
      type.Add(member);
      unit.Add(member);
    }
    if (failure.Failed()) break;
    if (grouped && k == 0 && !noSubunitYet && !totalWritten) {
      NeedRptLines(c, 3);
      totalLines(F("%s Totals:", SubunitNoun).c_str(), subunit, "R22 sub total", false);
    }
    if (!noneYet && !failure.Failed() && NeedRptLines(c, 3))
      totalLines(F("%s Totals:", word).c_str(), type, "R22 member total", true);
  }
  if (!failure.Failed() && typesListed > 1 && NeedRptLines(c, 2))
    totalLines("Member Totals:", unit, "R22 unit total", false);
  CloseRpt(c);
  CloseScheduleFiles();
  return failure.Finish();
}

void InstallCollectionForm() { RegisterRptBuilder(22, BuildPaymentCollectionForm); }
