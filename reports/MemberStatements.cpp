#include "reports/MemberStatements.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "platform/base/Collections.h"
#include "reports/MemberHead.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/SplitStore.h"
#include "store/TransStore.h"
#include "store/UnitInfo.h"

namespace {

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Amount(long long cents) { return FormatRptAmount(cents, 8); }

void Fail(char* error, ErrorTextIndex index, const char* item) {
  if (!error[0]) FormatErrorText(error, 320, index, item);
}

// A failure its function has shown already.
void Shown(char* error) {
  if (!error[0]) std::snprintf(error, 320, " ");
}

// Whether a statement shows reserve columns: a reserve account was chosen.
bool ReserveChosen() {
  for (int i = 0; i < AcctCount; ++i)
    if (GetAcctClass(AcctList[static_cast<std::size_t>(i)]) == 'R') return true;
  return false;
}

bool Chosen(int account) {
  for (int i = 0; i < AcctCount; ++i)
    if (AcctList[static_cast<std::size_t>(i)] == account) return true;
  return false;
}

std::string AccountName(int number) {
  int pos = -1;
  if (!FindAcctIndex(number, &pos)) return "";
  return AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])].name;
}

// The live accounts in number order, or by name for order 'A'.
std::vector<int> AccountsInOrder() {
  const std::vector<int>& index = RptOrder == 'A' ? AcctTable.byName : AcctTable.byNumber;
  std::vector<int> numbers;
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(index[static_cast<std::size_t>(pos)])];
    if (k.status != kStatusDeleted) numbers.push_back(k.number);
  }
  return numbers;
}

// Every passbook split of the year with its members' sub-accounts, read
// once for a build.
class LineShares {
 public:
  bool Load(const char* shareItem, const char* splitItem, char* error) {
    for (int r = 0; r < SplitTable.rowCount; ++r) {
      const LONG key = SplitTable.keys[static_cast<std::size_t>(r)];
      if (key == -1) continue;
      SplitRecord s;
      if (ReadRecord(SplitFile, s, r) != 1) {
        Fail(error, ERR_READ, splitItem);
        return false;
      }
      splits_.emplace(key, s);
    }
    for (int r = 0; r < SubAcctTable.rowCount; ++r) {
      const LONG key = SubAcctTable.keys[static_cast<std::size_t>(r)];
      if (key == -1) continue;
      SubAccountRecord s;
      if (ReadRecord(SubAcctFile, s, r) != 1) {
        Fail(error, ERR_READ, shareItem);
        return false;
      }
      shares_[key].push_back(s);
    }
    return true;
  }
  const SplitRecord* Split(const SupportKey& line) const {
    auto it = splits_.find(LineKey(line.id, line.line));
    return it == splits_.end() ? nullptr : &it->second;
  }
  const SubAccountRecord* Of(const SupportKey& line, int member) const {
    auto it = shares_.find(LineKey(line.id, line.line));
    if (it == shares_.end()) return nullptr;
    for (const SubAccountRecord& s : it->second)
      if (s.memberRow == member) return &s;
    return nullptr;
  }
  // The member's share of the line on `account`; false when the member has
  // no part in the line.
  bool Share(const SupportKey& line, int account, int member, long long* out) const {
    const SplitRecord* split = Split(line);
    const SubAccountRecord* s = split ? Of(line, member) : nullptr;
    if (s == nullptr) return false;
    *out = SignedAmount(account, line.account, split->factor, s->cash, s->accountAmount) * split->factor;
    return true;
  }

 private:
  std::unordered_map<LONG, SplitRecord> splits_;
  std::unordered_map<LONG, std::vector<SubAccountRecord>> shares_;
};

// The live support lines of live transactions.
std::vector<const SupportKey*> LiveLines(const TransactionDates& dates) {
  std::vector<const SupportKey*> lines;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<std::size_t>(r)];
    if (k.status == kStatusLive && k.id >= 0 && dates.count(k.id)) lines.push_back(&k);
  }
  return lines;
}

std::string DateMdy(const char* date) {
  return std::string(date + 4, 2) + "/" + std::string(date + 6, 2) + "/" + std::string(date + 2, 2);
}

// Report 20's state for one build.
struct PaymentRun {
  const char* limit;
  std::string priorYear;
  bool firstMember = true;
  int progress = 0;
  int total = 1;
};

int WritePaymentDueRow(RptContext* c, int member, int account, const char* due, const char* end, bool endIncluded,
                       long long amountDue, long long* paid, char* error) {
  std::string start = due ? F("{8}%s{1} {8r}%s{3} ", DateMdy(due).c_str(), Amount(amountDue).c_str()) : "{20} ";
  bool any = false;
  for (int i = 0; i < TransTable.rowCount && !error[0]; ++i) {
    const TransKey& t = TransTable.keys[static_cast<std::size_t>(TransTable.byDateAcctNumber[static_cast<std::size_t>(i)])];
    if (t.status != kStatusLive) continue;
    if (due && CompareDates(t.date, due, DF_YYYYMMDD) < 0) continue;
    const int toEnd = CompareDates(t.date, end, DF_YYYYMMDD);
    if (toEnd > 0 || (toEnd == 0 && !endIncluded)) continue;
    for (int r = 0; r < SupportTable.rowCount && !error[0]; ++r) {
      const SupportKey& line = SupportTable.keys[static_cast<std::size_t>(r)];
      if (line.id != t.id || line.status != kStatusLive || line.account != account) continue;
      const LONG key = LineKey(line.id, line.line);
      SubAccountRecord share;
      bool found = false;
      for (int s = 0; s < SubAcctTable.rowCount && !found; ++s) {
        if (SubAcctTable.keys[static_cast<std::size_t>(s)] != key) continue;
        if (ReadRecord(SubAcctFile, share, s) != 1) {
          Fail(error, ERR_READ, "sub-account");
          break;
        }
        found = share.memberRow == member;
      }
      if (error[0] || !found) continue;
      int splitRow = -1;
      SplitRecord split;
      if (!FindSplitRow(key, &splitRow)) {
        FormatErrorText(error, 320, ERR_UNMATCHED, "split");
        DispMessage(error, MSG_ERROR);
        std::snprintf(error, 320, " ");
        break;
      }
      if (ReadRecord(SplitFile, split, splitRow) != 1) {
        Fail(error, ERR_READ, "split");
        break;
      }
      const struct {
        long long amount;
        const char* label;
      } amounts[] = {{split.factor == 0 ? share.accountAmount : share.cash, "Cash"},
                     {share.accountAmount, "From account"}};
      for (const auto& a : amounts) {
        if (a.amount == 0) continue;
        *paid += a.amount;
        NeedRptLines(c, 1);
        const std::string row = start + F("{8}%s{1} {8r}%s{3} {12}%s", DateMdy(t.date).c_str(),
                                          Amount(a.amount).c_str(), a.label);
        if (!WriteRptText(c, row.c_str())) {
          Fail(error, ERR_WRITE, "R20 sched details");
          break;
        }
        start = "{20} ";
        any = true;
      }
    }
  }
  if (!error[0] && !any) {
    NeedRptLines(c, 1);
    if (!WriteRptText(c, start.c_str())) Fail(error, ERR_WRITE, "R20 sched details");
  }
  return error[0] ? 0 : 1;
}

// Report 20's body for one member: each chosen schedule the member takes
// part in. Returns false after a failure.
bool WriteMemberPaymentDetails(RptContext* c, const char* headerText, const MemberRow& m, int member,
                               PaymentRun& run, long long* scheduledSum, long long* paidSum, int* printed,
                               char* error) {
  for (int i = 0; i < ScheduleTable.rowCount && !error[0]; ++i) {
    const int s = ScheduleTable.byAccount[static_cast<std::size_t>(i)];
    const ScheduleKey& k = ScheduleTable.keys[static_cast<std::size_t>(s)];
    if (k.status != kStatusLive || !Chosen(k.account)) continue;
    ReportProgress(nullptr, ++run.progress, run.total);
    const std::string head = F("{%d=}%s (%d - %s)", c->lineWidth, RptEscape(k.name).c_str(), static_cast<int>(k.account),
                               RptEscape(AccountName(k.account)).c_str());
    SetRptColumnHeaders(c, {head.c_str(), headerText});
    ParticipantRecord part;
    bool found = false;
    for (int row = 0;; ++row) {
      const int r = ReadRecord(ParticipantFile, part, row);
      if (r == -1) break;
      if (r == 0) {
        Fail(error, ERR_READ, "participant");
        return false;
      }
      if (part.scheduleRow == s && part.memberRow == member) {
        found = true;
        break;
      }
    }
    if (!found) continue;
    long long scheduled = part.initialOwed, paid = part.initialPaid;
    if (*printed == 0) {
      if (!run.firstMember) {
        if (!EndRptPage(c, 0)) {
          Shown(error);
          return false;
        }
      }
      // The statement numbers its own pages from its first one.
      c->pageNumber = 1;
      run.firstMember = false;
      if (!WriteMemberAddressBlock(c, m, RptOptionG)) {
        Fail(error, ERR_WRITE, "Member Information R20");
        return false;
      }
    }
    ScheduleRecord sched;
    if (ReadRecord(ScheduleFile, sched, s) != 1) {
      Fail(error, ERR_READ, "schedule");
      return false;
    }
    if (!(RptPageFull(c, 4) ? NeedRptLines(c, 4) : WriteRptBlock(c, RPT_BLOCK_HEADERS))) {
      Shown(error);
      return false;
    }
    int n = 0;
    while (n < 60 && sched.dueDates[n][0]) ++n;
    const char* startDate = nullptr;
    for (int d = 0; d < n && startDate == nullptr; ++d)
      if (!m.dateJoined[0] || CompareDates(sched.dueDates[d], m.dateJoined, DF_YYYYMMDD) >= 0)
        startDate = sched.dueDates[d];
    if (!WritePaymentDueRow(c, member, sched.account, nullptr, startDate ? startDate : run.limit, startDate == nullptr,
                            0, &paid, error))
      return false;
    for (int d = 0; d < n && CompareDates(sched.dueDates[d], run.limit, DF_YYYYMMDD) <= 0; ++d) {
      const char* due = sched.dueDates[d];
      const bool joined = !m.dateJoined[0] || CompareDates(due, m.dateJoined, DF_YYYYMMDD) >= 0;
      const bool stayed = !m.dateLeft[0] || CompareDates(due, m.dateLeft, DF_YYYYMMDD) <= 0;
      if (!joined || !stayed) continue;
      scheduled += sched.amounts[d];
      const bool last = d + 1 >= n;
      if (!WritePaymentDueRow(c, member, sched.account, due, last ? run.limit : sched.dueDates[d + 1], last,
                              sched.amounts[d], &paid, error))
        return false;
    }
    if (NeedRptLines(c, 5)) {
      std::vector<std::string> lines;
      if (part.initialOwed != 0 || part.initialPaid != 0)
        lines.push_back(F("{9}%s Total:{8r}%s{12} {8r}%s", run.priorYear.c_str(), Amount(part.initialOwed).c_str(),
                          Amount(part.initialPaid).c_str()));
      lines.push_back("{9} {8-}{12} {8-}");
      lines.push_back(F("{9.}Total{8r}%s{12} {8r}%s", Amount(scheduled).c_str(), Amount(paid).c_str()));
      lines.push_back(F("{27.}Amount Due{2} {8r}%s", Amount(scheduled - paid).c_str()));
      lines.push_back(" ");
      for (const std::string& l : lines)
        if (!WriteRptText(c, l.c_str())) {
          Fail(error, ERR_WRITE, "R20 sched totals");
          return false;
        }
    }
    *scheduledSum += scheduled;
    *paidSum += paid;
    ++*printed;
  }
  return !error[0];
}

}  // namespace

int WriteMemberAcctTotals(RptContext* c, int member, long long* income, long long* expense, long long* otherNet,
                          long long* reserves, long long* otherReserves, char* error) {
  const bool reserveColumns = ReserveChosen();
  *income = *expense = *otherNet = 0;
  if (reserves) *reserves = 0;
  if (otherReserves) *otherReserves = 0;
  // Candidates: every live income, expense and reserve account.
  std::unordered_map<int, int> candidate;
  Type1Count = 0;
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])];
    const char cls = GetAcctClass(k.number);
    if (k.status == kStatusDeleted || (cls != 'I' && cls != 'E' && cls != 'R')) continue;
    if (Type1Count >= static_cast<int>(Type1Acts.size())) break;
    Type1Acts[static_cast<std::size_t>(Type1Count)] = k.number;
    Type1Used[static_cast<std::size_t>(Type1Count)] = 0;
    Type1Activ[0][static_cast<std::size_t>(Type1Count)] = 0;
    candidate[k.number] = Type1Count++;
  }
  LineShares shares;
  if (!shares.Load("R9 sub-acct", "R9 split", error)) return 0;
  for (const SupportKey* line : LiveLines(LiveTransactionDates())) {
    for (int account : {static_cast<int>(line->account), static_cast<int>(line->reserveAccount)}) {
      auto it = candidate.find(account);
      if (it == candidate.end()) continue;
      // A reserve account counts through a line's reserve side, any other
      // through the line's own account.
      const bool reserve = GetAcctClass(account) == 'R';
      if (reserve ? line->reserveAccount != account : line->account != account) continue;
      long long share = 0;
      if (!shares.Share(*line, account, member, &share)) continue;
      Type1Activ[0][static_cast<std::size_t>(it->second)] += share;
      if (share != 0) Type1Used[static_cast<std::size_t>(it->second)] = 1;
    }
  }
  if (!WriteRptBlock(c, RPT_BLOCK_HEADERS)) {
    Fail(error, ERR_WRITE, "T9 accounts");
    return 0;
  }
  long long reserveTotal = 0;
  int lines = 0;
  for (int number : AccountsInOrder()) {
    auto it = candidate.find(number);
    if (it == candidate.end()) continue;
    const long long sum = Type1Activ[0][static_cast<std::size_t>(it->second)];
    const char cls = GetAcctClass(number);
    if (!Chosen(number)) {
      if (cls == 'R') {
        if (otherReserves) *otherReserves += sum;
      } else {
        *otherNet += sum;
      }
      continue;
    }
    if (!Type1Used[static_cast<std::size_t>(it->second)] && !RptOptionA) continue;
    std::string in = " ", out = " ", res = reserveColumns ? " " : "";
    if (cls == 'I') {
      in = Amount(sum);
      *income += sum;
    } else if (cls == 'E') {
      out = Amount(-sum);
      *expense += -sum;
    } else if (reserveColumns) {
      res = Amount(sum);
      reserveTotal += sum;
    }
    NeedRptLines(c, 1);
    const std::string line = F("{4}%3.3d{26}%s{3} {8r}%s{3} {8r}%s{3} {8r}%s", number,
                               RptEscape(AccountName(number)).c_str(), in.c_str(), out.c_str(), res.c_str());
    if (!WriteRptText(c, line.c_str())) {
      Fail(error, ERR_WRITE, "T9 accounts");
      return 0;
    }
    ++lines;
  }
  if (reserves) *reserves = reserveTotal;
  if (NeedRptLines(c, 2)) {
    if (lines > 0) {
      const std::string rules = std::string("{33} {8-}{3} {8-}") + (reserveColumns ? "{3} {8-}" : "");
      const std::string totals = F("{33} {8r}%s{3} {8r}%s{3} {8r}%s", Amount(*income).c_str(), Amount(*expense).c_str(),
                                   reserveColumns ? Amount(reserveTotal).c_str() : "");
      if (!WriteRptLines(c, {rules.c_str(), totals.c_str()})) Fail(error, ERR_WRITE, "R9 net totals");
    } else if (!WriteRptText(c, "*** No activity was found for selected accounts ***")) {
      Fail(error, ERR_WRITE, "R9 warning");
    }
  }
  return error[0] ? 0 : 1;
}

int WriteMemberTransDetails(RptContext* c, int member, long long* opening, long long* income, long long* expense,
                            long long* otherNet, long long* openingReserve, long long* reserves,
                            long long* otherReserves, char* error) {
  const bool reserveColumns = ReserveChosen();
  *income = *expense = *otherNet = 0;
  if (reserves) *reserves = 0;
  if (otherReserves) *otherReserves = 0;
  auto candidate = [](int account) {
    const char cls = GetAcctClass(account);
    return (cls == 'I' || cls == 'E' || cls == 'R') && Chosen(account);
  };
  LineShares shares;
  if (!shares.Load("R17 sub-account", "R17 split", error)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_HEADERS)) {
    Fail(error, ERR_WRITE, "R17 trans");
    return 0;
  }
  char dayBefore[9];
  AddToDate(RptFirstDate, 0, 0, -1, dayBefore);
  long long reserveSum = 0;
  int lines = 0;
  for (int i = 0; i < TransTable.rowCount && !error[0]; ++i) {
    const TransKey& t = TransTable.keys[static_cast<std::size_t>(TransTable.byDateAcctNumber[static_cast<std::size_t>(i)])];
    if (t.status == kStatusDeleted) continue;
    const bool inPeriod = DateInRange(RptFirstDate, RptSecondDate, t.date, DF_YYYYMMDD);
    const bool before = !inPeriod && DateInRange(FiscalStartDate, dayBefore, t.date, DF_YYYYMMDD);
    if (!inPeriod && !before) continue;
    for (int r = 0; r < SupportTable.rowCount && !error[0]; ++r) {
      const SupportKey& line = SupportTable.keys[static_cast<std::size_t>(r)];
      if (line.id != t.id || line.status != kStatusLive) continue;
      std::vector<int> accounts{static_cast<int>(line.account)};
      if (line.reserveAccount != 0 && line.reserveAccount != line.account) accounts.push_back(line.reserveAccount);
      for (int account : accounts) {
        long long share = 0;
        if (!shares.Share(line, account, member, &share)) continue;
        const bool reserve = GetAcctClass(account) == 'R';
        if (before) {
          if (reserve) {
            if (openingReserve) *openingReserve += share;
          } else {
            *opening += share;
          }
          continue;
        }
        if (!candidate(account)) {
          if (reserve) {
            if (otherReserves) *otherReserves += share;
          } else {
            *otherNet += share;
          }
          continue;
        }
        if (share == 0) continue;
        NeedRptLines(c, RptOptionH ? 2 : 1);
        SupportLineRecord record;
        if (ReadRecord(SupportFile, record, r) != 1) {
          Fail(error, ERR_READ, "R17 supt acct");
          break;
        }
        std::string in = "        ", out = "        ", res = "        ";
        const char cls = GetAcctClass(account);
        if (cls == 'I') {
          in = Amount(share);
          *income += share;
        } else if (cls == 'E') {
          out = Amount(-share);
          *expense += -share;
        } else {
          res = Amount(share);
          reserveSum += share;
        }
        std::vector<std::string> text{F("{9}%s{1} {4}%3.3d{26}%s{3} {8r}%s{3} {8r}%s{3} {8r}%s",
                                        FormatDateShort(t.date, DF_YYYYMMDD), account,
                                        RptEscape(AccountName(account)).c_str(), in.c_str(), out.c_str(), res.c_str())};
        if (RptOptionH) {
          const char* remarks = record.remarks[0] ? record.remarks : t.remarks;
          if (remarks[0]) text.push_back(F("{14} {40}%s", RptEscape(remarks).c_str()));
        }
        for (const std::string& l : text)
          if (!WriteRptText(c, l.c_str())) {
            Fail(error, ERR_WRITE, "R17 trans");
            break;
          }
        ++lines;
      }
    }
  }
  if (error[0]) return 0;
  if (reserves) *reserves = reserveSum;
  if (NeedRptLines(c, 2)) {
    if (lines > 0) {
      const std::string rules = F("{43} %s{3} %s{3} %s", "{8-}", "{8-}", reserveColumns ? "{8-}" : "");
      const std::string totals = F("{10} {30.}Totals{3} {8r}%s{3} {8r}%s{3} {8r}%s", Amount(*income).c_str(),
                                   Amount(*expense).c_str(), reserveColumns ? Amount(reserveSum).c_str() : "");
      if (!WriteRptLines(c, {rules.c_str(), totals.c_str()})) Fail(error, ERR_WRITE, "R17 net totals");
    } else if (!WriteRptLines(c, {" ", "*** No activity was found for selected accounts ***"})) {
      Fail(error, ERR_WRITE, "R17 warning");
    }
  }
  return error[0] ? 0 : 1;
}

int WriteMemberReserveTotals(RptContext* c, int member, long long* reserveTotal, bool* negative, char* error) {
  *reserveTotal = 0;
  *negative = false;
  if (!WriteRptBlock(c, RPT_BLOCK_HEADERS)) {
    Fail(error, ERR_WRITE, "R29 accounts");
    return 0;
  }
  long long openingSum = 0, activitySum = 0;
  int lines = 0;
  for (int number : AccountsInOrder()) {
    if (GetAcctClass(number) != 'R') continue;
    int opening = 0, current = 0;
    if (!SumPassbook(member, number, FiscalStartDate, FiscalEndDate, &opening, &current, nullptr)) {
      Shown(error);
      return 0;
    }
    const long long activity = static_cast<long long>(current) - opening;
    openingSum += opening;
    activitySum += activity;
    if (opening == 0 && activity == 0) continue;
    if (current < 0) *negative = true;
    NeedRptLines(c, 1);
    const std::string line = F("{4}%3.3d{26}%s{3} {8r}%s{3} {8r}%s{3} {8r}%s{1}%c", number,
                               RptEscape(AccountName(number)).c_str(), Amount(opening).c_str(),
                               Amount(activity).c_str(), Amount(current).c_str(), current < 0 ? '*' : ' ');
    if (!WriteRptText(c, line.c_str())) {
      Fail(error, ERR_WRITE, "R29 accounts");
      return 0;
    }
    ++lines;
  }
  if (NeedRptLines(c, 2)) {
    if (lines > 0) {
      const std::string totals = F("{33} {8r}%s{3} {8r}%s{3} {8r}%s", Amount(openingSum).c_str(),
                                   Amount(activitySum).c_str(), Amount(openingSum + activitySum).c_str());
      if (!WriteRptLines(c, {"{33} {8-}{3} {8-}{3} {8-}", totals.c_str()})) Fail(error, ERR_WRITE, "R29 totals");
    } else if (!WriteRptLines(c, {" ", "*** No activity was found for reserve accounts ***"})) {
      Fail(error, ERR_WRITE, "R29 warning");
    }
  }
  *reserveTotal = openingSum + activitySum;
  return error[0] ? 0 : 1;
}

int BuildMemberStatements(RptContext* c) {
  const int id = c->reportId;
  CResAudit audit;
  const bool reserveColumns = (id == 9 || id == 17) && ReserveChosen();
  if (id == 17)
    SetRptSubtitle(c, F("%s - %s", FormatDateLong(RptFirstDate, DF_YYYYMMDD), FormatDateLong(RptSecondDate, DF_YYYYMMDD))
                          .c_str());
  PaymentRun run;
  run.limit = RptOptionB ? "99999999" : TodayDate;
  run.priorYear = F("FY%2.2d", (std::atoi(CurrentFiscalYear) - 1) % 100);
  int liveSchedules = 0;
  for (int s = 0; s < ScheduleTable.rowCount; ++s)
    if (ScheduleTable.keys[static_cast<std::size_t>(s)].status == kStatusLive) ++liveSchedules;
  run.total = ScoutListCount * (id == 20 ? liveSchedules + 1 : 1);
  if (run.total <= 0) run.total = 1;

  if (id == 20 && !OpenScheduleFiles()) return 0;
  if (!OpenReserveFile() || !OpenRpt(c)) {
    CloseReserveFile();
    if (id == 20) CloseScheduleFiles();
    return 0;
  }
  char error[320] = "";
  for (int i = 0; i < ScoutListCount && !error[0]; ++i) {
    const int row = ScoutList[static_cast<std::size_t>(i)];
    if (id != 20) c->pageNumber = 1;
    MemberRow m;
    if (!ReadReportMember(row, &m)) {
      Fail(error, ERR_READ, "detail scout data");
      break;
    }
    long long opening = m.openingBalance, openingReserve = 0;
    if (id == 9 || id == 17) {
      int initial = 0;
      if (!SumMemberReserves(-1, row, &initial, nullptr, nullptr)) {
        Shown(error);
        break;
      }
      openingReserve = initial;
    }
    const char* word = MemberTypeWord(m.type);
    if (id == 9) SetRptTitle(c, F("%s Income/Expense Totals", word).c_str(), 0);
    if (id == 17) SetRptTitle(c, F("%s Transaction Details", word).c_str(), 0);
    if (id == 29) SetRptTitle(c, F("%s Reserve Totals", word).c_str(), 0);
    if (id == 20) SetRptTitle(c, "Member Payment Details", 0);
    if (id != 20 && !WriteMemberAddressBlock(c, m, RptOptionG)) {
      Shown(error);
      break;
    }
    long long income = 0, expense = 0, otherNet = 0, reserves = 0, otherReserves = 0, reserveTotal = 0;
    bool negative = false;
    long long scheduledSum = 0, paidSum = 0;
    int printed = 0;
    int ok = 1;
    if (id == 9) {
      SetRptColumnHeaders(c, {(std::string("{30-}Account{3} {8-}Income{3} {8-}Expense") +
                               (reserveColumns ? "{3} {8-}Reserve" : ""))
                                  .c_str()});
      ok = WriteMemberAcctTotals(c, row, &income, &expense, &otherNet, &reserves, &otherReserves, error);
    } else if (id == 17) {
      SetRptColumnHeaders(c, {(std::string("{9-}Date{1} {30-}") + (RptOptionH ? "Account/Remarks" : "Account") +
                               "{3} {8-}Income{3} {8-}Expense{3} " + (reserveColumns ? "{8-}Reserve" : ""))
                                  .c_str()});
      ok = WriteMemberTransDetails(c, row, &opening, &income, &expense, &otherNet, &openingReserve, &reserves,
                                   &otherReserves, error);
    } else if (id == 20) {
      ok = WriteMemberPaymentDetails(c, "{17-}Scheduled Payment{3} {17-}Actual Payments{3} {17-}Payment Type", m, row,
                                     run, &scheduledSum, &paidSum, &printed, error);
    } else {
      SetRptColumnHeaders(c, {"{33}            {8}Opening{3}  {8}Net{3}       {8}Current",
                              "{30-}Account{3} {8-}Balance{3} {8-}Activity{3} {8-}Balance"});
      ok = WriteMemberReserveTotals(c, row, &reserveTotal, &negative, error);
    }
    if (!ok) {
      Shown(error);
      break;
    }
    if ((id == 9 || id == 17) && NeedRptLines(c, 6)) {
      const int w = id == 9 ? 41 : 51;
      const long long current = opening + income - expense + otherNet;
      const std::vector<std::string> lines{
          " ",
          F("{%d.}Opening Balance{3} {%dr}%s", w, 8, Amount(opening).c_str()),
          F("{%d.}Net Income/(Loss) - Selected Accounts{3} {%dr}%s", w, 8, Amount(income - expense).c_str()),
          F("{%d.}Net Income/(Loss) - Other Accounts{3} {%dr}%s", w, 8, Amount(otherNet).c_str()),
          F("{%d} {%d-}", w + 3, 8),
          F("{%d.}Current Balance{3} {%dr}%s", w, 8, Amount(current).c_str())};
      for (const std::string& l : lines)
        if (!WriteRptText(c, l.c_str())) Fail(error, ERR_WRITE, "total R9");
      if (reserveColumns && !error[0] && NeedRptLines(c, 8)) {
        const int v = id == 9 ? 52 : 62;
        const long long currentReserve = openingReserve + reserves + otherReserves;
        negative = audit.IsNegative(row) != 0;
        const char mark = negative ? '*' : ' ';
        const std::string rule = F("{%d} {%d-}", v + 3, 8);
        const std::vector<std::string> more{
            " ",
            F("{%d.}Opening Reserve Balance{3} {%dr}%s", v, 8, Amount(openingReserve).c_str()),
            F("{%d.}Net Incr/(Decr) - Selected Reserves{3} {%dr}%s", v, 8, Amount(reserves).c_str()),
            F("{%d.}Net Incr/(Decr) - Other Reserves{3} {%dr}%s", v, 8, Amount(otherReserves).c_str()),
            rule,
            F("{%d.}Current Reserve Balance{3} {%dr}%s{1}%c", v, 8, Amount(currentReserve).c_str(), mark),
            rule,
            F("{%d.}Available Funds (Current Balance-Reserve Balance){3} {%dr}%s{1}%c", v, 8,
              Amount(current - currentReserve).c_str(), mark)};
        for (const std::string& l : more)
          if (!WriteRptText(c, l.c_str())) Fail(error, ERR_WRITE, "Grand Total");
      }
    }
    if (id == 20 && printed > 1 && !error[0] && NeedRptLines(c, 5)) {
      const std::vector<std::string> lines{
          " ", "{37-}Selected Accounts", "{17-}Scheduled Payment{3} {17-}Actual Payments",
          F("{9.}Total{%dr}%s{12} {%dr}%s", 8, Amount(scheduledSum).c_str(), 8, Amount(paidSum).c_str()),
          F("{%d.}Total Due{2} {%dr}%s", 27, 8, Amount(scheduledSum - paidSum).c_str())};
      for (const std::string& l : lines)
        if (!WriteRptText(c, l.c_str())) Fail(error, ERR_WRITE, "total R20");
    }
    if (id == 29 && !error[0] && NeedRptLines(c, 5)) {
      const std::vector<std::string> lines{
          " ", F("{52.}Current Balance{3} {8r}%s", Amount(m.currentBalance).c_str()),
          F("{52.}Reserved Funds{3} {8r}%s", Amount(reserveTotal).c_str()), "{55} {8-}",
          F("{52.}Available Funds{3} {8r}%s", Amount(m.currentBalance - reserveTotal).c_str())};
      for (const std::string& l : lines)
        if (!WriteRptText(c, l.c_str())) Fail(error, ERR_WRITE, "total R9");
    }
    if (id != 20 && negative && !error[0] && NeedRptLines(c, 4)) {
      CStringArray notes;
      GetReserveFootnotes(id == 29 ? 1 : 0, &notes);
      for (int n = 0; n < notes.GetSize(); ++n)
        if (!WriteRptText(c, notes[n].IsEmpty() ? " " : RptEscape(static_cast<const char*>(notes[n])).c_str()))
          Fail(error, ERR_WRITE, "Footnote");
    }
    if (!error[0] && id != 20 && i + 1 < ScoutListCount && !EndRptPage(c, 0)) Shown(error);
    ReportProgress(nullptr, ++run.progress, run.total);
  }
  CloseRpt(c);
  if (id == 20) CloseScheduleFiles();
  CloseReserveFile();
  if (error[0] && std::strcmp(error, " ") != 0) DispMessage(error, MSG_FATAL);
  return error[0] ? 0 : 1;
}

void InstallMemberStatements() {
  for (int id : {9, 17, 20, 29}) RegisterRptBuilder(id, BuildMemberStatements);
}
