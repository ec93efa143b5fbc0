// Reports 18 and 30: the chart of accounts, and each chosen account's
// opening balance, net activity and current balance over a date range by
// class, with the members' reserve shares of reserve accounts on request.
#include <cstring>
#include <string>
#include <unordered_set>

#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "platform/base/Collections.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/SplitStore.h"

namespace {

constexpr int kSpacer = 3, kAmt = 9;

std::string Amount(long long v) { return FormatRptAmount(v, kAmt); }

std::string ThreeAmounts(long long a, long long b, long long c) {
  return RptPrintf("{%d} {%dr}%s{%d} {%dr}%s{%d} {%dr}%s", kSpacer, kAmt, Amount(a).c_str(), kSpacer, kAmt,
                   Amount(b).c_str(), kSpacer, kAmt, Amount(c).c_str());
}

bool WriteSectionTotal(RptContext* c, long long opening, long long net, bool roomCheck, RptFailure& f) {
  if (roomCheck && !NeedRptLines(c, 3)) {
    f.Stop();
    return false;
  }
  std::string rules = "{30} ";
  for (int i = 0; i < 3; ++i) rules += RptPrintf("{%d} {%d-}", kSpacer, kAmt);
  const std::string total = "{30.}Total" + ThreeAmounts(opening, net, opening + net);
  if (!WriteRptLines(c, {rules.c_str(), total.c_str(), " "})) f.Set(ERR_WRITE, "account");
  return !f.Failed();
}

void SetNotes(RptContext* c, int perAccount) {
  CStringArray notes;
  GetReserveFootnotes(perAccount, &notes);
  char lines[4][256] = {};
  const int n = static_cast<int>(notes.GetSize()) < 4 ? static_cast<int>(notes.GetSize()) : 4;
  for (int i = 0; i < n; ++i) std::snprintf(lines[i], sizeof lines[i], "%s", static_cast<const char*>(notes[i]));
  SetRptNotes(c, lines, n);
}

// The members' shares of one reserve account, then the unit's share: what
// is left of the account's figures.
bool WriteReserveDetails(RptContext* c, int reserve, long long opening, long long net, RptFailure& f) {
  for (int type = 0; type < 3 && !f.Failed(); ++type) {
    for (int row : IndexRows(MemberTable, MemberTable.byTypeName)) {
      const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
      if (k.type != type || k.status == kStatusDeleted || !k.passbook) continue;
      int before = 0, through = 0;
      if (!SumPassbook(row, reserve, RptFirstDate, RptSecondDate, &before, &through, nullptr)) {
        f.Stop();
        break;
      }
      const long long memberNet = static_cast<long long>(through) - before;
      opening -= before;
      net -= memberNet;
      if (before == 0 && memberNet == 0) continue;
      if (!NeedRptLines(c, 1)) {
        f.Stop();
        break;
      }
      char name[96];
      FormatPersonName(nullptr, 1, k, nullptr, name);
      const char mark = before + memberNet < 0 ? '*' : ' ';
      if (mark == '*') SetNotes(c, 1);
      const std::string line =
          RptPrintf("{5} {27}%s", RptData(name).c_str()) + ThreeAmounts(before, memberNet, before + memberNet) +
          RptPrintf("{1}%c", mark);
      if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "member");
      if (f.Failed()) break;
    }
  }
  if (f.Failed()) return false;
  if (!NeedRptLines(c, 2)) {
    f.Stop();
    return false;
  }
  const std::string label = RptPrintf("%s Share", UnitNoun);
  const std::string line = RptPrintf("{5} {27}%s", label.c_str()) + ThreeAmounts(opening, net, opening + net);
  if (!WriteRptLines(c, {line.c_str(), " "})) f.Set(ERR_WRITE, "unit share");
  return !f.Failed();
}

}  // namespace

int BuildAccountListReport(RptContext* c) {
  SetRptTitle(c, "Account List", 0);
  SetRptColumnHeaders(c, {"{5-}Num{3} {11-}Type{3} {25-}Name"});
  RptProgress progress(AcctTable.rowCount);
  if (!OpenRpt(c)) return 0;
  RptFailure f;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) f.Stop();
  const bool byNumber = RptOrder != 'A';
  LONG lastClass = -2;
  for (int row : AccountRowsInOrder(RptOrder)) {
    if (f.Failed()) break;
    progress.Step();
    if (AcctTable.keys[static_cast<std::size_t>(row)].status == kStatusDeleted) continue;
    AccountRecord a;
    if (ReadRecord(AcctFile, a, row) != 1) {
      f.SetText("Reading acct data for list report");
      break;
    }
    // By number, a blank line parts the classes.
    const bool blank = byNumber && lastClass != -2 && a.classRow != lastClass;
    lastClass = a.classRow;
    if (!NeedRptLines(c, blank ? 2 : 1)) {
      f.Stop();
      break;
    }
    const std::string line = RptPrintf("{5}%3.3d{3} {11}%s{3} {25}%s", static_cast<int>(a.number),
                                       ClassRowName(a.classRow), RptData(a.name).c_str());
    const int ok = blank ? WriteRptLines(c, {" ", line.c_str()}) : WriteRptText(c, line.c_str());
    if (!ok) f.SetText("Writing acct list report");
  }
  CloseRpt(c);
  return f.Finish();
}

int BuildAccountSummaryReport(RptContext* c) {
  static const struct {
    char letter;
    const char* label;
  } kSections[6] = {{'A', "{30-}Assets"},  {'L', "{30-}Liabilities"}, {'I', "{30-}Income"},
                    {'E', "{30-}Expense"}, {'R', "{30-}Reserves"},    {'S', "{30-}System"}};
  RptFailure f;
  SetRptTitle(c, "Account Summary", 0);
  const std::string first = FormatDateLong(RptFirstDate, DF_YYYYMMDD);
  SetRptSubtitle(c, RptPrintf("%s - %s", first.c_str(), FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  char dayBefore[9];
  AddToDate(RptFirstDate, 0, 0, -1, dayBefore);
  RptProgress progress(6 * AcctTable.rowCount);
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) f.Stop();
  if (!f.Failed() && !OpenReserveFile()) f.Stop();
  const bool reserveOpen = !f.Failed();

  std::unordered_set<int> chosen;
  for (int i = 0; i < AcctCount; ++i) chosen.insert(AcctList[static_cast<std::size_t>(i)]);
  // The equipment's value change on the year's first day corrects 399's
  // opening activity at the two dates where the activity sum misses it.
  int equipChange = 0;
  bool equipChangeKnown = false;
  bool anyAccount = false;
  long long openingTotal = 0, netTotal = 0;
  const std::string head1 = RptPrintf("{30} {%d} {%d}Opening{%d} {%d}Net{%d} {%d}Current", kSpacer, kAmt, kSpacer,
                                      kAmt, kSpacer, kAmt);
  for (const auto& section : kSections) {
    if (f.Failed()) break;
    bool sectionStarted = false;
    for (int row : IndexRows(AcctTable, AcctTable.byNumber)) {
      if (f.Failed()) break;
      progress.Step();
      const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(row)];
      const int number = static_cast<int>(k.number);
      if (k.status == kStatusDeleted || !chosen.count(number) || GetAcctClass(number) != section.letter) continue;
      AccountRecord a;
      if (ReadRecord(AcctFile, a, row) != 1) {
        f.Set(ERR_READ, "account");
        break;
      }
      if (!sectionStarted) {
        if (anyAccount && !WriteSectionTotal(c, openingTotal, netTotal, true, f)) break;
        const std::string head2 = RptPrintf("%s{%d} {%d-}Balance{%d} {%d-}Activity{%d} {%d-}Balance", section.label,
                                            kSpacer, kAmt, kSpacer, kAmt, kSpacer, kAmt);
        SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
        openingTotal = netTotal = 0;
        if (!WriteHeadersWithRoom(c, 5)) {
          f.Stop();
          break;
        }
        sectionStarted = anyAccount = true;
      }
      int openingActivity = 0, closingActivity = 0;
      if (!SumAcctActivity(number, section.letter, 0, dayBefore, nullptr, &openingActivity) ||
          !SumAcctActivity(number, section.letter, 0, RptSecondDate, nullptr, &closingActivity)) {
        f.Stop();
        break;
      }
      long long opening = openingActivity;
      if (number == kEquipmentAccount) {
        if (!equipChangeKnown && !GetEquipValueChange(FiscalStartDate, FiscalStartDate, &equipChange)) {
          f.Stop();
          break;
        }
        equipChangeKnown = true;
        if (std::strcmp(RptFirstDate, FiscalStartDate) == 0) opening += equipChange;
        if (std::strcmp(dayBefore, FiscalStartDate) == 0) opening -= equipChange;
      }
      const long long openingBalance = a.openingBalance + opening;
      const long long net = closingActivity - opening;
      openingTotal += openingBalance;
      netTotal += net;
      if (!NeedRptLines(c, 1)) {
        f.Stop();
        break;
      }
      const std::string line = RptPrintf("{3r}%d{1} {26}%s", number, RptData(a.name).c_str()) +
                               ThreeAmounts(openingBalance, net, openingBalance + net);
      if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "account");
      if (!f.Failed() && RptOptionE == 'Y' && section.letter == 'R')
        WriteReserveDetails(c, number, openingBalance, net, f);
    }
  }
  // The last section's totals, also when no account was listed at all.
  if (!f.Failed()) WriteSectionTotal(c, openingTotal, netTotal, true, f);
  CloseRpt(c);
  if (reserveOpen) CloseReserveFile();
  return f.Finish();
}
