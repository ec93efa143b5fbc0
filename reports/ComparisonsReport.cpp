#include "reports/ComparisonsReport.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "platform/base/Collections.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/SplitStore.h"

namespace {

constexpr int kGap = 2;
constexpr int kField = 8;
constexpr int kMaxAccounts = 8;

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

struct Column {
  int number = 0;
  char letter = 0;
  bool reserve = false;
};

using Values = std::vector<long long>;

class Comparisons {
 public:
  explicit Comparisons(std::vector<Column> columns) : columns_(std::move(columns)) {
    for (const Column& col : columns_) (col.reserve ? reserveCount_ : incExpCount_)++;
  }
  std::size_t Size() const { return columns_.size(); }
  const Column& At(std::size_t j) const { return columns_[j]; }
  bool Expense(std::size_t j) const { return columns_[j].letter == 'E'; }

  // The cells of one row. An expense account's value is shown negated (the
  // array keeps the shown value) while the net column adds the values as
  // they came; a reserve column carries its marker.
  std::string Row(Values& values, const std::string* markers, Values* accumulate, std::string* rules) const {
    std::string cells;
    long long incExp = 0, reserves = 0;
    auto cell = [&](long long v) { return F("{%d} {%dr}%s", kGap, kField, FormatRptAmount(v, kField).c_str()); };
    for (std::size_t j = 0; j < columns_.size(); ++j) {
      if (columns_[j].reserve) continue;
      if (accumulate) (*accumulate)[j] += values[j];
      incExp += values[j];
      if (values[j] != 0 && Expense(j)) values[j] = -values[j];
      cells += cell(values[j]);
      if (rules) *rules += F("{%d} {%d-}", kGap, kField);
    }
    if (incExpCount_ > 1) {
      cells += cell(incExp);
      if (rules) *rules += F("{%d} {%d-}", kGap, kField);
    }
    for (std::size_t j = 0; j < columns_.size(); ++j) {
      if (!columns_[j].reserve) continue;
      if (accumulate) (*accumulate)[j] += values[j];
      reserves += values[j];
      cells += cell(values[j]) + F("{1}%c", markers ? (*markers)[j] : ' ');
      if (rules) *rules += F("{%d} {%d-}{1} ", kGap, kField);
    }
    if (reserveCount_ > 1) {
      cells += cell(reserves);
      if (rules) *rules += F("{%d} {%d-}", kGap, kField);
    }
    return cells;
  }
  std::string RuleLine() const {
    Values zero(columns_.size(), 0);
    std::string rules;
    Row(zero, nullptr, nullptr, &rules);
    return "{28} " + rules;
  }
  int incExpCount_ = 0, reserveCount_ = 0;

 private:
  std::vector<Column> columns_;
};

}  // namespace

int BuildIncExpComparisonsReport(RptContext* c) {
  std::vector<Column> columns;
  for (int i = 0; i < AcctCount && i < kMaxAccounts; ++i) {
    Column col;
    col.number = AcctList[static_cast<std::size_t>(i)];
    col.letter = GetAcctClass(col.number);
    col.reserve = col.letter == 'R';
    columns.push_back(col);
  }
  const Comparisons cmp(columns);
  const std::size_t n = cmp.Size();
  const bool grouped = RptOrder == 'Y';
  const bool perPage = RptOptionG != 0;
  char dayBefore[9];
  AddToDate(RptFirstDate, 0, 0, -1, dayBefore);
  SetRptTitle(c, "Income/Expense Comparisons", RptOptionG);
  SetRptSubtitle(c, F("%s - %s", FormatDateLong(RptFirstDate, DF_YYYYMMDD), FormatDateLong(RptSecondDate, DF_YYYYMMDD))
                        .c_str());
  std::string head1 = "{28} ", head2Tail = " ", head3 = "{28-}";
  for (std::size_t j = 0; j < n; ++j)
    if (!cmp.At(j).reserve) {
      head1 += F("{%d} {%d}%s", kGap, kField, cmp.Expense(j) ? "Exp Act" : "Inc Act");
      head2Tail += F("{%d} {%d}%3.3d", kGap, kField, cmp.At(j).number);
      head3 += F("{%d} {%d-}", kGap, kField);
    }
  if (cmp.incExpCount_ > 1) {
    head1 += F("{%d} {%d}Net", kGap, kField);
    head2Tail += F("{%d} {%d}Inc/(Exp)", kGap, kField);
    head3 += F("{%d} {%d-}", kGap, kField);
  }
  for (std::size_t j = 0; j < n; ++j)
    if (cmp.At(j).reserve) {
      head1 += F("{%d} {%d}Res Act{1} ", kGap, kField);
      head2Tail += F("{%d} {%d}%3.3d    {1} ", kGap, kField, cmp.At(j).number);
      head3 += F("{%d} {%d-}{1} ", kGap, kField);
    }
  if (cmp.reserveCount_ > 1) {
    head1 += F("{%d} {%d}Total", kGap, kField);
    head2Tail += F("{%d} {%d}Reserves", kGap, kField);
    head3 += F("{%d} {%d-}", kGap, kField);
  }
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    CloseRpt(c);
    return 0;
  }
  if (!OpenReserveFile()) {
    CloseRpt(c);
    return 0;
  }
  RptFailure failure;
  const std::vector<int> members = MemberIndex(grouped);
  int types = 0;
  for (int k = 0; k < 3; ++k) types += (RptOptionD >> k) & 1;
  RptProgress progress(types * static_cast<int>(members.size()));
  std::vector<char> chosen(static_cast<std::size_t>(MemberTable.rowCount > 0 ? MemberTable.rowCount : 0), 0);
  for (int i = 0; i < ScoutListCount; ++i) {
    const int row = ScoutList[static_cast<std::size_t>(i)];
    if (row >= 0 && row < static_cast<int>(chosen.size())) chosen[static_cast<std::size_t>(row)] = 1;
  }
  Values grand(n, 0), typeTotals(n, 0), subunitTotals(n, 0);
  bool anyPrinted = false, notesSet = false, firstType = true;
  const std::string ruleLine = cmp.RuleLine();
  auto writeSubunitTotal = [&] {
    NeedRptLines(c, 3);
    const std::string cells = cmp.Row(subunitTotals, nullptr, nullptr, nullptr);
    const std::string total = F("{28r}%s Total: %s", SubunitNoun, cells.c_str());
    if (!WriteRptLines(c, {ruleLine.c_str(), total.c_str(), " "})) failure.Set(ERR_WRITE, "R11 subunit");
    subunitTotals.assign(n, 0);
  };
  for (int k = 0; k < 3 && !failure.Failed(); ++k) {
    if (((RptOptionD >> k) & 1) == 0) continue;
    const char* word = MemberTypeWord(k);
    const std::string head2 = F("{28}%s", word) + head2Tail;
    SetRptColumnHeaders(c, {head1.c_str(), head2.c_str(), head3.c_str()});
    typeTotals.assign(n, 0);
    subunitTotals.assign(n, 0);
    bool ok;
    if (!perPage)
      ok = RptPageFull(c, 5) ? NeedRptLines(c, 5) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else if (firstType)
      ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else
      ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    firstType = false;
    if (!ok) {
      failure.Stop();
      break;
    }
    std::string lastSubunit = "==";
    bool printedInSubunit = false, headingDue = false, printedInType = false;
    for (int row : members) {
      if (failure.Failed()) break;
      progress.Step();
      if (row < 0 || row >= static_cast<int>(chosen.size()) || !chosen[static_cast<std::size_t>(row)]) continue;
      const MemberKey& key = MemberTable.keys[static_cast<std::size_t>(row)];
      if (key.status == 2 || key.type != k) continue;
      MemberRow m;
      if (!ReadReportMember(row, &m)) {
        failure.Set(ERR_READ, "R11 scout");
        break;
      }
      NeedRptLines(c, 3);
      Values values(n, 0);
      std::string markers(n, ' ');
      bool active = false;
      for (std::size_t j = 0; j < n; ++j) {
        int opening = 0, closing = 0, reserve = 0;
        if (!SumPassbook(row, cmp.At(j).number, RptFirstDate, RptSecondDate, &opening, &closing, &reserve)) {
          failure.Stop();  // shown by the store
          break;
        }
        if (closing != 0) active = true;
        if (!cmp.At(j).reserve) {
          values[j] = static_cast<long long>(closing) - opening;
        } else {
          values[j] = reserve;
          if (reserve < 0) {
            markers[j] = '*';
            if (!notesSet) {
              CStringArray notes;
              GetReserveFootnotes(1, &notes);
              char lines[4][256] = {};
              for (int i = 0; i < notes.GetSize() && i < 4; ++i)
                std::snprintf(lines[i], 256, "%s", notes[i].GetString());
              SetRptNotes(c, lines, 4);
              notesSet = true;
            }
          }
        }
      }
      if (failure.Failed()) break;
      if (active)
        for (std::size_t j = 0; j < n; ++j) {
          typeTotals[j] += values[j];
          grand[j] += values[j];
        }
      const std::string subunit = SubunitGroupName(m.subunit);
      if (grouped && subunit != lastSubunit) {
        if (k == 0 && printedInSubunit) writeSubunitTotal();
        if (perPage && printedInSubunit && !failure.Failed() &&
            !(EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS)))
          failure.Stop();
        lastSubunit = subunit;
        printedInSubunit = false;
        headingDue = true;
      }
      if (failure.Failed()) break;
      if (!active && RptOptionE != 'Y') continue;
      if (k == 0 && grouped && headingDue) {
        if (!WriteSubunitHeader(c, subunit.c_str(), 3)) {
          failure.Stop();
          break;
        }
        headingDue = false;
      }
      const std::string name = RptEscape(MemberDisplayName(key, false));
      const std::string cells = cmp.Row(values, &markers, &subunitTotals, nullptr);
      if (!WriteRptText(c, F("{28}%s %s", name.c_str(), cells.c_str()).c_str())) {
        failure.Set(ERR_WRITE, "R11 sub-acct");
        break;
      }
      printedInSubunit = printedInType = anyPrinted = true;
    }
    if (failure.Failed()) break;
    if (grouped && k == 0 && printedInSubunit) writeSubunitTotal();
    if (failure.Failed()) break;
    if (NeedRptLines(c, 2)) {
      bool written;
      if (!printedInType) {
        written = WriteRptLines(
            c, {F("{46}*** No activity was found for selected %ss ***", word).c_str(), " "});
      } else {
        const std::string cells = cmp.Row(typeTotals, nullptr, nullptr, nullptr);
        written = WriteRptLines(c, {ruleLine.c_str(), F("{28r}%s Total: %s", word, cells.c_str()).c_str(), " "});
      }
      if (!written) failure.Set(ERR_WRITE, "R11 total 1");
    }
  }
  if (!failure.Failed() && anyPrinted && NeedRptLines(c, 2)) {
    const std::string cells = cmp.Row(grand, nullptr, nullptr, nullptr);
    if (types > 1 && !WriteRptLines(c, {ruleLine.c_str(), F("{28r}Passbook Totals: %s", cells.c_str()).c_str()}))
      failure.Set(ERR_WRITE, "R11 total 2");
  }
  // A missing account is reported as an error of its own but the report
  // goes on with its actual activity as 0.
  RptFailure lookup;
  Values actuals(n, 0);
  std::vector<std::string> names(n);
  if (!failure.Failed()) {
    for (std::size_t j = 0; j < n; ++j) {
      AccountRecord a;
      if (!ReadAccountByNumber(cmp.At(j).number, &a)) {
        lookup.Set(ERR_FIND, "R11 acct", MSG_ERROR);
        names[j] = "...unknown";
        continue;
      }
      names[j] = RptEscape(a.name);
      int through = 0, before = 0;
      if (!SumAcctActivity(cmp.At(j).number, cmp.At(j).letter, 0, RptSecondDate, nullptr, &through) ||
          !SumAcctActivity(cmp.At(j).number, cmp.At(j).letter, 0, dayBefore, nullptr, &before)) {
        failure.Stop();  // shown by the store
        break;
      }
      actuals[j] = static_cast<long long>(through) - before;
      if (cmp.Expense(j)) actuals[j] = -actuals[j];
    }
  }
  if (!failure.Failed()) {
    const std::string cells = cmp.Row(actuals, nullptr, nullptr, nullptr);
    NeedRptLines(c, 2);
    if (!WriteRptText(c, F("{28r}%s Actuals: %s", UnitNoun, cells.c_str()).c_str()))
      failure.Set(ERR_WRITE, "R11 u-tots");
  }
  if (!failure.Failed() && !lookup.Failed() && NeedRptLines(c, 3)) {
    // Every column shows the shown actual less the shown passbook total.
    Values net(n, 0);
    for (std::size_t j = 0; j < n; ++j) {
      net[j] = actuals[j] - grand[j];
      if (cmp.Expense(j)) net[j] = -net[j];
    }
    const std::string cells = cmp.Row(net, nullptr, nullptr, nullptr);
    if (!WriteRptLines(c, {ruleLine.c_str(), F("{28r}Net %s Activity:%s", UnitNoun, cells.c_str()).c_str(),
                           "{28r}(Actuals - Totals)"}))
      failure.Set(ERR_WRITE, "R11 inc/loss");
  }
  if (!failure.Failed() && !lookup.Failed() && NeedRptLines(c, static_cast<int>(n) + 4)) {
    if (!WriteRptLines(c, {" ", " ", "{20}Account Definitions:"})) {
      failure.Set(ERR_WRITE, "R11 account definition intro");
    } else {
      for (std::size_t j = 0; j < n; ++j)
        if (!WriteRptText(c, F("{4} {4}%3.3d{1} {25}%s", cmp.At(j).number, names[j].c_str()).c_str())) {
          failure.Set(ERR_WRITE, "R11 acct defs");
          break;
        }
    }
  }
  CloseReserveFile();
  CloseRpt(c);
  if (failure.Failed()) return failure.Finish();
  return lookup.Finish();
}

void InstallComparisonsReport() { RegisterRptBuilder(11, BuildIncExpComparisonsReport); }
