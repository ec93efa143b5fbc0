// Report 4: every posting of each chosen account in a date range, with a
// running balance from the account's opening balance on the first date:
// its own transactions, the support lines of other transactions that name
// it, the members' shares of passbook splits and, for the equipment
// account, the equipment entered by hand and the change in its value.
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/Dates.h"
#include "common/Money.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/base/Collections.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Queries.h"
#include "store/RecIO.h"

namespace {

std::string Amount(long long v) { return FormatRptAmount(v, 8); }

// The state of one run.
struct DetailRun {
  RptContext* c = nullptr;
  RptFailure f;
  int headings = 0;
  std::unordered_map<LONG, std::vector<int>> linesById;  // live support rows by transaction id
  std::unordered_map<LONG, int> splitByKey;
  std::unordered_map<LONG, std::vector<int>> sharesByKey;
};

// One account's section.
struct Section {
  int number;
  char letter;
  std::string heading;
  long long balance;
  bool headingDue = true;
  int lines = 0;
};

std::vector<std::string> Remarks(const char* text) {
  CStringArray wrapped;
  WrapTextToLines(text ? text : "", 17, wrapped);
  std::vector<std::string> lines;
  for (int i = 0; i < static_cast<int>(wrapped.GetSize()); ++i)
    lines.push_back(RptData(static_cast<const char*>(wrapped[i])));
  // An empty remark still fills its column.
  if (lines.empty() || (lines.size() == 1 && lines[0].empty())) lines.assign(1, " ");
  return lines;
}

// The account's number and name for the Account column; a number that is
// not in the chart still shows, so every amount of the running balance has
// its line.
std::string AccountName(int number) {
  AccountRecord a;
  if (ReadAccountByNumber(number, &a)) return RptData(a.name);
  return "Unknown account";
}

bool WriteLines(DetailRun& run, const std::vector<std::string>& lines, const char* word) {
  if (!NeedRptLines(run.c, static_cast<int>(lines.size()))) {
    run.f.Stop();
    return false;
  }
  for (const std::string& line : lines)
    if (!WriteRptText(run.c, line.c_str())) {
      run.f.Set(ERR_WRITE, word);
      return false;
    }
  return true;
}

bool WriteHeading(DetailRun& run, Section& s, bool closing) {
  RptContext* c = run.c;
  if (!NeedRptLines(c, 3)) {
    run.f.Stop();
    return false;
  }
  if (!closing) {
    if (RptOptionG && run.headings > 0 && !EndRptPage(c, 0)) {
      run.f.Stop();
      return false;
    }
    ++run.headings;
    s.headingDue = false;
    const std::string head =
        RptPrintf("{F%d}{%d=}%s{F%d}", RPT_FONT_HEADING, c->lineWidth, RptData(s.heading.c_str()).c_str(), RPT_FONT_BODY);
    const std::string opening = RptPrintf("{59} {29.}Opening Balance{2} {11r}%s", Amount(s.balance).c_str());
    if (!WriteRptText(c, head.c_str()) || !WriteRptBlock(c, RPT_BLOCK_HEADERS) || !WriteRptText(c, opening.c_str()))
      run.f.Set(ERR_WRITE, "R4 account header");
  } else {
    std::vector<std::string> lines{RptPrintf("{59} {29.}Closing Balance{2} {11r}%s", Amount(s.balance).c_str())};
    if (s.number == kEquipmentAccount) lines.emplace_back("{62} {17}(equipment value)");
    lines.emplace_back(" ");
    for (const std::string& line : lines)
      if (!WriteRptText(c, line.c_str())) {
        run.f.Set(ERR_WRITE, "R4 account footer");
        break;
      }
  }
  return !run.f.Failed();
}

// The member shares of a line's passbook split.
void WriteSplit(DetailRun& run, const TransactionRecord& t, const SupportLineRecord& line) {
  const LONG key = t.id * 10 + line.line;
  const auto at = run.splitByKey.find(key);
  if (at == run.splitByKey.end()) {
    run.f.Set(ERR_UNMATCHED, "R4 split", MSG_ERROR);
    return;
  }
  SplitRecord split;
  if (ReadRecord(SplitFile, split, at->second) != 1) {
    run.f.Set(ERR_READ, "R4 split");
    return;
  }
  const long long f = split.factor;
  std::unordered_map<LONG, std::pair<long long, long long>> shares;
  const auto members = run.sharesByKey.find(key);
  if (members != run.sharesByKey.end())
    for (int row : members->second) {
      SubAccountRecord share;
      if (ReadRecord(SubAcctFile, share, row) != 1) {
        run.f.Set(ERR_READ, "R4 subact");
        return;
      }
      std::pair<long long, long long> amounts;
      if (line.account == kDuesAccount)
        amounts = {f * share.cash, -f * share.accountAmount};
      else if (f > 0)
        amounts = {f * share.cash, f * share.accountAmount};
      else
        amounts = {f * share.accountAmount, f * share.cash};
      shares[share.memberRow] = amounts;
    }
  const long long unitShare = split.unitShare == 0 ? 0 : f * split.unitShare;
  if (!WriteLines(run, {RptPrintf("{59} {18-}Passbook Split{33} {8}%s: {9r}%s", UnitNoun,
                                  FormatRptAmount(unitShare, 7).c_str())},
                  "R4 suppt trans"))
    return;
  for (int row : IndexRows(MemberTable, MemberTable.byTypeName)) {
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
    const auto share = shares.find(row);
    if (k.status == kStatusDeleted || share == shares.end()) continue;
    char name[96];
    FormatPersonName(nullptr, 1, k, nullptr, name);
    std::vector<std::string> lines{RptPrintf("{61} {29}%s {20} {8}Share: {9r}%s", RptData(name).c_str(),
                                             FormatRptAmount(share->second.first, 7).c_str())};
    if (share->second.second != 0)
      lines.push_back(RptPrintf("{109} {1}[{8}%s {9r}%s]", f > 0 ? "SubAct:" : "Cash:",
                                FormatRptAmount(share->second.second, 7).c_str()));
    if (!NeedRptLines(run.c, static_cast<int>(lines.size()))) {
      run.f.Stop();
      return;
    }
    if (!WriteRptText(run.c, lines[0].c_str())) {
      run.f.Set(ERR_WRITE, "R4 scout");
      return;
    }
    if (lines.size() > 1 && !WriteRptText(run.c, lines[1].c_str())) {
      run.f.Set(ERR_WRITE, "R4 scout 2");
      return;
    }
  }
}

void WriteDetailLine(DetailRun& run, Section& s, bool primary, const TransactionRecord& t, int supportRow) {
  SupportLineRecord line;
  if (ReadRecord(SupportFile, line, supportRow) != 1) {
    run.f.Set(ERR_READ, "R4 suppt trans");
    return;
  }
  if (s.headingDue && !WriteHeading(run, s, false)) return;
  ++s.lines;
  const bool shareOfMany = primary && t.multiLine;
  const bool reserveSide = !primary && s.letter == 'R';
  char date[16] = "";
  FormatDate(t.date, DF_YYYYMMDD, DF_MM_DD_YY, date);
  int shown = static_cast<int>(primary ? line.account : t.account);
  long long amount = 0;
  LONG labelFactor = 0;
  const char* remarks = t.remarks;
  std::string trans, description = RptData(t.payee), clr = t.cleared ? "Yes" : "No";
  if (shareOfMany) {
    amount = static_cast<long long>(t.factor) * line.amount;
    remarks = line.remarks;
    clr = "";
  } else if (primary) {
    amount = static_cast<long long>(t.factor) * t.amount;
    labelFactor = t.factor;
    trans = RptData(t.number);
  } else {
    amount = reserveSide ? static_cast<long long>(line.reserveFactor) * line.reserveAmount
                         : static_cast<long long>(line.factor) * line.amount;
    labelFactor = reserveSide ? line.reserveFactor : line.factor;
    trans = "<sup>";
    if (line.remarks[0] != '\0') remarks = line.remarks;
  }
  s.balance += amount;

  char label[16] = " ";
  if (!shareOfMany) GetAmountColumnLabel(s.number, labelFactor, 0, label);
  const std::vector<std::string> wrapped = Remarks(remarks);
  std::string text;
  if (shareOfMany)
    text = RptPrintf("{9} {2}  {4}%d {28}%s{1} {5} {8} {2} {18}Acct share: {11r}%s {2} {11r} {2} {5}%s {2} {17}%s",
                     shown, AccountName(shown).c_str(), Amount(amount).c_str(), clr.c_str(), wrapped[0].c_str());
  else
    text = RptPrintf("{9}%s{2}  {4}%d {28}%s{1} {5}%s {8}%s{2} {29}%s {2} {11r}%s{2} {5}%s {2} {17}%s", date, shown,
                     AccountName(shown).c_str(), label, trans.c_str(), description.c_str(), Amount(amount).c_str(),
                     clr.c_str(), wrapped[0].c_str());
  std::vector<std::string> lines{text};
  for (std::size_t i = 1; i < wrapped.size(); ++i) lines.push_back("{110} {17}" + wrapped[i]);
  std::string note;
  if (reserveSide) {
    note = RptPrintf("{3}%d{1} {35}%s (Support)", static_cast<int>(line.account),
                     AccountName(static_cast<int>(line.account)).c_str());
  } else if (line.reserveAccount != 0 && line.reserveAccount != s.number) {
    AccountRecord reserve;
    if (ReadAccountByNumber(static_cast<int>(line.reserveAccount), &reserve))
      note = RptPrintf("{3}%d{1} {35}%s (Reserve)", static_cast<int>(line.reserveAccount),
                       RptData(reserve.name).c_str());
  }
  if (!NeedRptLines(run.c, static_cast<int>(lines.size()) + (note.empty() ? 0 : 1))) {
    run.f.Stop();
    return;
  }
  for (const std::string& l : lines)
    if (!WriteRptText(run.c, l.c_str())) {
      run.f.Set(ERR_WRITE, "R4 suppt header");
      return;
    }
  if (!note.empty() && !WriteRptText(run.c, ("{15} " + note).c_str())) {
    run.f.Set(ERR_WRITE, "reserve");
    return;
  }
  const bool splitShown = RptOptionE == 'A' || (RptOptionE == 'N' && line.account != kDuesAccount);
  const bool here = primary ? (RptOptionF == 'P' || RptOptionF == 'B') : (RptOptionF == 'S' || RptOptionF == 'B');
  if (line.split && splitShown && here) WriteSplit(run, t, line);
}

bool ReadTransaction(DetailRun& run, int row, TransactionRecord* t) {
  if (ReadRecord(TransFile, *t, row) == 1) return true;
  run.f.Set(ERR_READ, "primary trans rpt2-4");
  return false;
}

void WriteEquipAdjustments(DetailRun& run, Section& s) {
  int manual = 0, change = 0;
  if (!GetEquipValueAt(RptFirstDate, RptSecondDate, &manual)) {
    run.f.Stop();
    return;
  }
  s.balance += manual;
  if (manual > 0 &&
      !WriteLines(run, {RptPrintf("{59} {29.}Manually Entered Items{2} {11r}%s", Amount(manual).c_str())},
                  "R4 part5 2"))
    return;
  if (!GetEquipValueChange(RptFirstDate, RptSecondDate, &change)) {
    run.f.Stop();
    return;
  }
  const long long depreciation = -static_cast<long long>(change);
  s.balance += depreciation;
  if (depreciation != 0)
    WriteLines(run, {RptPrintf("{59} {29.}Depreciation {2} {11r}%s", Amount(depreciation).c_str())}, "R4 part5 1");
}

void WriteSection(DetailRun& run, Section& s) {
  for (int row : IndexRows(TransTable, RptTransOrder == 'C' ? TransTable.byDateAcctNumber : TransTable.byAcctNumberDate)) {
    if (run.f.Failed()) return;
    const TransKey& k = TransTable.keys[static_cast<std::size_t>(row)];
    if (k.status == kStatusDeleted || !DateInRange(RptFirstDate, RptSecondDate, k.date, DF_YYYYMMDD)) continue;
    const auto lines = run.linesById.find(k.id);
    static const std::vector<int> none;
    const std::vector<int>& support = lines == run.linesById.end() ? none : lines->second;
    if (k.account == s.number) {
      TransactionRecord t;
      if (!ReadTransaction(run, row, &t)) return;
      if (t.multiLine) {
        if (s.headingDue && !WriteHeading(run, s, false)) return;
        char date[16] = "", label[16] = "";
        FormatDate(t.date, DF_YYYYMMDD, DF_MM_DD_YY, date);
        GetAmountColumnLabel(s.number, t.factor, 0, label);
        const std::vector<std::string> wrapped = Remarks(t.remarks);
        std::vector<std::string> out{RptPrintf(
            "{9}%s{2} {32}Multiple Accounts{1} {5}%s {8}%s{2} {29}%s {2} {11r}%s{2} {5}%s {2} {17}%s", date, label,
            RptData(t.number).c_str(), RptData(t.payee).c_str(),
            Amount(static_cast<long long>(t.factor) * t.amount).c_str(), t.cleared ? "Yes" : "No",
            wrapped[0].c_str())};
        for (std::size_t i = 1; i < wrapped.size(); ++i) out.push_back("{110} {17}" + wrapped[i]);
        if (!WriteLines(run, out, "R4 multi header")) return;
        for (int line : support) {
          WriteDetailLine(run, s, true, t, line);
          if (run.f.Failed()) return;
        }
      } else if (!support.empty()) {
        WriteDetailLine(run, s, true, t, support.front());
      }
      continue;
    }
    for (int line : support) {
      const SupportKey& lk = SupportTable.keys[static_cast<std::size_t>(line)];
      const bool names = s.letter == 'R' ? lk.reserveAccount == s.number : lk.account == s.number;
      if (!names) continue;
      TransactionRecord t;
      if (!ReadTransaction(run, row, &t)) return;
      WriteDetailLine(run, s, false, t, line);
      if (run.f.Failed()) return;
    }
  }
  if (run.f.Failed()) return;
  if (s.lines == 0 && RptOptionB && !WriteHeading(run, s, false)) return;
  if (s.lines > 0 || RptOptionB) {
    if (s.number == kEquipmentAccount) WriteEquipAdjustments(run, s);
    if (!run.f.Failed()) WriteHeading(run, s, true);
  }
}

}  // namespace

int BuildAccountDetailReport(RptContext* c) {
  DetailRun run;
  run.c = c;
  SetRptTitle(c, RptPrintf("%s Detail", static_cast<const char*>(ProgramVersion.Format(1))).c_str(), 0);
  const std::string first = FormatDateLong(RptFirstDate, DF_YYYYMMDD);
  SetRptSubtitle(c, RptPrintf("%s - %s", first.c_str(), FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  const std::string head =
      RptPrintf("{F%d}{9-}Date{2} {32-}Account{1} {13-}Trans{2} {29-}Description{2} {11-}Amount{2} {5-}Clr{2} "
                "{20-}Remarks",
                RPT_FONT_BODY);
  SetRptColumnHeaders(c, {head.c_str()});
  char dayBefore[9];
  AddToDate(RptFirstDate, 0, 0, -1, dayBefore);
  const bool fromYearStart = CompareDates(RptFirstDate, FiscalStartDate, DF_YYYYMMDD) == 0;
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    CloseRpt(c);
    return 0;
  }
  for (int s = 0; s < SupportTable.rowCount; ++s) {
    const SupportKey& k = SupportTable.keys[static_cast<std::size_t>(s)];
    if (k.status != kStatusDeleted) run.linesById[k.id].push_back(s);
  }
  for (int s = SplitTable.rowCount - 1; s >= 0; --s) {
    const LONG key = SplitTable.keys[static_cast<std::size_t>(s)];
    if (key != -1) run.splitByKey[key] = s;
  }
  run.sharesByKey = SubAccountRowsByKey();

  // The chosen accounts in report order, whatever order they were chosen in.
  std::unordered_set<int> chosen;
  for (int i = 0; i < AcctCount; ++i) chosen.insert(AcctList[static_cast<std::size_t>(i)]);
  std::vector<int> accounts;
  for (int row : AccountRowsInOrder(RptOrder)) {
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(row)];
    if (k.status != kStatusDeleted && chosen.count(static_cast<int>(k.number)))
      accounts.push_back(static_cast<int>(k.number));
  }
  RptProgress progress(AcctCount);
  for (int number : accounts) {
    if (run.f.Failed()) break;
    int pos = -1;
    if (!FindAcctIndex(number, &pos)) continue;
    AccountRecord a;
    if (ReadRecord(AcctFile, a, AcctTable.byNumber[static_cast<std::size_t>(pos)]) != 1) {
      run.f.Set(ERR_READ, "R4 acct");
      break;
    }
    Section s{number, GetAcctClass(number), "", a.openingBalance};
    char className[16];
    GetAcctClassName(number, className);
    s.heading = RptPrintf("%d %s (%s)", number, a.name, className);
    if (number == kEquipmentAccount) {
      int value = 0;
      if (!GetEquipOriginalValue(RptFirstDate, &value)) {
        run.f.Stop();
        break;
      }
      s.balance = value;
    } else if (!fromYearStart) {
      int activity = 0;
      if (!SumAcctActivity(number, s.letter, 0, dayBefore, nullptr, &activity)) {
        run.f.Stop();
        break;
      }
      s.balance += activity;
    }
    WriteSection(run, s);
    progress.Step();
  }
  CloseRpt(c);
  return run.f.Finish();
}
