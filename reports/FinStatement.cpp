// Report 2: the balance sheet as of a date: assets by class, liabilities,
// reserves and what the unit owes its members' passbooks, and the net
// worth; optionally followed by the passbook holders' available funds.
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "platform/base/Collections.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"

namespace {

constexpr int kAmt = 9;

std::string Amount(long long v) { return FormatRptAmount(v, kAmt); }

std::string AccountLine(const char* className, const AccountRecord& a, long long balance) {
  return RptPrintf("{13} {16}%-11s{1} {4}%d{26}%-25s{1} {%dr}%s", className, static_cast<int>(a.number),
                   RptData(a.name).c_str(), kAmt, Amount(balance).c_str());
}

// Opening balance plus the activity from the year's first day through the
// date; false after SumAcctActivity showed its failure.
bool BalanceAsOf(const AccountRecord& a, char letter, long long* balance) {
  int total = 0;
  if (!SumAcctActivity(static_cast<int>(a.number), letter, 0, RptSecondDate, nullptr, &total)) return false;
  *balance = static_cast<long long>(a.openingBalance) + total;
  return true;
}

// Balances of one group of candidate accounts into activ[12].
void GroupBalances(const std::vector<int>& accounts, int count, std::vector<long long>* activ, char letter,
                   const char* word, long long* total, RptProgress& progress, RptFailure& f) {
  for (int i = 0; i < count && !f.Failed(); ++i) {
    const int number = accounts[static_cast<std::size_t>(i)];
    progress.Step();
    if (number == kEquipmentAccount && !RptOptionA) continue;
    AccountRecord a;
    int pos = -1;
    if (!FindAcctIndex(number, &pos)) continue;
    if (ReadRecord(AcctFile, a, AcctTable.byNumber[static_cast<std::size_t>(pos)]) != 1) {
      f.Set(ERR_READ, word);
      break;
    }
    long long balance = 0;
    if (!BalanceAsOf(a, letter, &balance)) {
      f.Stop();
      break;
    }
    activ[12][static_cast<std::size_t>(i)] = balance;
    *total += balance;
  }
}

// The lines of one group, class row by class row of the class letter.
void GroupLines(RptContext* c, const std::vector<int>& accounts, int count, const std::vector<long long>* activ,
                char letter, const char* word, RptFailure& f) {
  for (int cls = 0; cls < 9 && !f.Failed(); ++cls) {
    const AcctClassRow& row = AcctClassTable[cls];
    if (row.letter != letter) continue;
    bool first = true;
    for (int i = 0; i < count && !f.Failed(); ++i) {
      const int number = accounts[static_cast<std::size_t>(i)];
      if (number < row.low || number > row.high) continue;
      if (number == kEquipmentAccount && !RptOptionA) continue;
      const long long balance = activ[12][static_cast<std::size_t>(i)];
      if (balance == 0 && !RptOptionB) continue;
      AccountRecord a;
      if (!ReadAccountByNumber(number, &a)) continue;
      if (!NeedRptLines(c, 1)) {
        f.Stop();
        break;
      }
      if (!WriteRptText(c, AccountLine(first ? row.name : "", a, balance).c_str())) f.Set(ERR_WRITE, word);
      first = false;
    }
  }
}

bool WriteTotal(RptContext* c, const char* label, long long amount, const char* word, RptFailure& f) {
  if (!NeedRptLines(c, 3)) {
    f.Stop();
    return false;
  }
  const std::string rule = RptPrintf("{61} {%d-}", kAmt);
  const std::string line = RptPrintf("{30} {30.}%s{1} {%dr}%s", label, kAmt, Amount(amount).c_str());
  if (!WriteRptLines(c, {rule.c_str(), line.c_str(), " "})) f.Set(ERR_WRITE, word);
  return !f.Failed();
}

void SetNotesFrom(RptContext* c, int perAccount) {
  CStringArray notes;
  GetReserveFootnotes(perAccount, &notes);
  char lines[4][256] = {};
  const int n = static_cast<int>(notes.GetSize()) < 4 ? static_cast<int>(notes.GetSize()) : 4;
  for (int i = 0; i < n; ++i)
    std::snprintf(lines[i], sizeof lines[i], "%s", static_cast<const char*>(notes[i]));
  SetRptNotes(c, lines, n);
}

// Writes the attachment; every failure is kept in `f`.
void WritePassbookAttachment(RptContext* c, RptProgress& progress, RptFailure& f) {
  CResAudit audit;
  SetRptSubtitle(c, "Passbook Balance Attachment");
  if (!EndRptPage(c, 0) || !WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    f.Stop();
    return;
  }
  long long grand = 0;
  bool notesSet = false;
  for (int type = 0; type < 3 && !f.Failed(); ++type) {
    if (PassbookCount[type] <= 0) continue;
    const char* word = MemberKindWords[type];
    const std::string h1 = RptPrintf("{31} {%d}Available", kAmt);
    const std::string h2 = RptPrintf("{28}%-s{3} {%d}Funds", word, kAmt);
    const std::string h3 = RptPrintf("{28-}{3} {%d-}", kAmt);
    SetRptColumnHeaders(c, {h1.c_str(), h2.c_str(), h3.c_str()});
    // A section starts with its headers and at least one line below them.
    const int ok = type == 0 ? WriteRptBlock(c, RPT_BLOCK_HEADERS) : WriteHeadersWithRoom(c, 4);
    if (!ok) {
      f.Stop();
      break;
    }
    long long total = 0;
    for (int row : IndexRows(MemberTable, MemberTable.byTypeName)) {
      if (f.Failed()) break;
      progress.Step();
      const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
      if (k.type != type || k.status == kStatusDeleted || !k.passbook) continue;
      MemberRow m;
      if (ReadMemberRecord(MemberFile, &m, 4, 0, row) != 1) {
        f.Set(ERR_READ, "detail scout data");
        break;
      }
      const long long funds = ScoutActiv[static_cast<std::size_t>(row)];
      if (!DateInRange(m.dateJoined, m.dateLeft, RptSecondDate, DF_YYYYMMDD)) continue;
      if (funds == 0 && !RptOptionB) continue;
      if (!NeedRptLines(c, 1)) {
        f.Stop();
        break;
      }
      total += funds;
      char name[96];
      FormatPersonName(nullptr, 0, k, nullptr, name);
      char mark = ' ';
      if (audit.IsNegative(row)) {
        mark = '*';
        if (!notesSet) SetNotesFrom(c, 0);
        notesSet = true;
      }
      const std::string line =
          RptPrintf("{28}%-s {3} {%dr}%s%c", RptData(name).c_str(), kAmt, Amount(funds).c_str(), mark);
      if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "R2 member");
    }
    if (f.Failed()) break;
    grand += total;
    if (!NeedRptLines(c, 3)) {
      f.Stop();
      break;
    }
    const std::string rule = RptPrintf("{31} {%d-}", kAmt);
    const std::string line = RptPrintf("{28.}%s Totals{3} {%dr}%s%c", word, kAmt, Amount(total).c_str(), ' ');
    if (!WriteRptLines(c, {rule.c_str(), line.c_str(), " "})) f.Set(ERR_WRITE, "R2 member total");
  }
  if (f.Failed()) return;
  if (!NeedRptLines(c, 2)) {
    f.Stop();
    return;
  }
  const std::string rule = RptPrintf("{31} {%d-}", kAmt);
  const std::string line = RptPrintf("{28.}Passbook Totals{3} {%dr}%s%c", kAmt, Amount(grand).c_str(), ' ');
  if (!WriteRptLines(c, {rule.c_str(), line.c_str()})) f.Set(ERR_WRITE, "R2 unit total");
}

}  // namespace

bool SumMemberLiability(const char* date, long long* scouts, long long* adults, long long* subunits) {
  long long* byType[3] = {scouts, adults, subunits};
  for (long long* t : byType) *t = 0;
  RptFailure f;
  if (!OpenReserveFile()) return false;  // shown by the store
  // The reserve file, the splits and their shares are read whole: at
  // capacity that is thousands of records.
  std::vector<ReserveRecord> reserves, chunk;
  for (int first = 0;; first += 1024) {
    const int got = ReadRecords(ReserveFile, chunk, first, 1024);
    if (got < 0) {
      f.Set(ERR_READ, "reserve");
      break;
    }
    reserves.insert(reserves.end(), chunk.begin(), chunk.end());
    if (got < 1024) break;
  }
  auto add = [&](int member, long long amount) {
    if (member < 0 || member >= MemberTable.rowCount || member >= static_cast<int>(ScoutActiv.size())) return;
    ScoutActiv[static_cast<std::size_t>(member)] += static_cast<int>(amount);
    const LONG type = MemberTable.keys[static_cast<std::size_t>(member)].type;
    if (type >= 0 && type < 3) *byType[type] += amount;
  };
  for (int r = 0; r < MemberTable.rowCount && !f.Failed(); ++r) {
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(r)];
    if (k.status == kStatusDeleted || !k.passbook) continue;
    MemberRow m;
    if (ReadMemberRecord(MemberFile, &m, 4, 0, r) != 1) {
      f.Set(ERR_READ, "scout liability");
      break;
    }
    add(r, m.openingBalance);
    for (const ReserveRecord& rec : reserves)
      if (rec.memberRow == r && rec.account != -1) add(r, -static_cast<long long>(rec.amount));
  }
  CloseReserveFile();

  // Splits by transaction id, live support lines by line key.
  std::unordered_map<LONG, std::vector<int>> splitsById;
  for (int s = 0; s < SplitTable.rowCount; ++s) {
    const LONG key = SplitTable.keys[static_cast<std::size_t>(s)];
    if (key >= 0) splitsById[key / 10].push_back(s);
  }
  std::unordered_map<LONG, int> lineByKey;
  for (int s = SupportTable.rowCount - 1; s >= 0; --s) {
    const SupportKey& k = SupportTable.keys[static_cast<std::size_t>(s)];
    if (k.status != kStatusDeleted) lineByKey[k.id * 10 + k.line] = s;
  }
  const auto shares = SubAccountRowsByKey();
  std::vector<SplitRecord> splitRecords;
  std::vector<SubAccountRecord> shareRecords;
  if (ReadRecords(SplitFile, splitRecords, 0, SplitTable.rowCount) < 0) f.Set(ERR_READ, "split activity");
  if (ReadRecords(SubAcctFile, shareRecords, 0, SubAcctTable.rowCount) < 0) f.Set(ERR_READ, "subact activity");
  for (int t = 0; t < TransTable.rowCount && !f.Failed(); ++t) {
    const TransKey& tk = TransTable.keys[static_cast<std::size_t>(t)];
    if (tk.status == kStatusDeleted || !DateInRange(FiscalStartDate, date, tk.date, DF_YYYYMMDD)) continue;
    const auto splits = splitsById.find(tk.id);
    if (splits == splitsById.end()) continue;
    for (int s : splits->second) {
      const LONG key = SplitTable.keys[static_cast<std::size_t>(s)];
      const auto line = lineByKey.find(key);
      if (line == lineByKey.end()) {
        f.Set(ERR_UNMATCHED, "liability split", MSG_ERROR);
        break;
      }
      const SupportKey& lk = SupportTable.keys[static_cast<std::size_t>(line->second)];
      if (s >= static_cast<int>(splitRecords.size())) {
        f.Set(ERR_READ, "split activity");
        break;
      }
      const SplitRecord& split = splitRecords[static_cast<std::size_t>(s)];
      const auto members = shares.find(key);
      if (members == shares.end()) continue;
      for (int a : members->second) {
        if (a >= static_cast<int>(shareRecords.size())) {
          f.Set(ERR_READ, "subact activity");
          break;
        }
        const SubAccountRecord& share = shareRecords[static_cast<std::size_t>(a)];
        if (GetAcctClass(static_cast<int>(lk.account)) != 'R')
          add(share.memberRow,
              SignedAmount(static_cast<int>(lk.account), -1, split.factor, share.cash, share.accountAmount) *
                  split.factor);
        if (lk.reserveAccount != 0)
          add(share.memberRow, -SignedAmount(static_cast<int>(lk.reserveAccount), static_cast<int>(lk.account),
                                             split.factor, share.cash, share.accountAmount) *
                                   split.factor);
      }
      if (f.Failed()) break;
    }
  }
  return f.Finish() == 1;
}

int BuildFinancialStatement(RptContext* c) {
  RptFailure f;
  for (int& funds : ScoutActiv) funds = 0;
  SetRptTitle(c, "Financial Statement", 0);
  SetRptSubtitle(c, RptPrintf("As of %s", FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  const std::string assetsHead = RptPrintf("{13}ASSETS{16-}Account Type{1} {30-}Account{1} {%d-}Balance", kAmt);
  SetRptColumnHeaders(c, {assetsHead.c_str()});
  RptProgress progress(Type1Count + Type2Count + TransTable.rowCount + MemberTable.rowCount +
                       (RptOptionD ? 3 * MemberTable.rowCount : 0));
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) f.Stop();

  long long assets = 0, liabilities = 0;
  if (!f.Failed()) GroupBalances(Type1Acts, Type1Count, Type1Activ, 'A', "R2 acct", &assets, progress, f);
  if (!f.Failed()) GroupLines(c, Type1Acts, Type1Count, Type1Activ, 'A', "R2 acct", f);
  if (!f.Failed()) WriteTotal(c, "Total Assets", assets, "R2 asset totals", f);
  if (!f.Failed()) {
    const std::string head = RptPrintf("{13}LIABILITIES{16-}Account Type{1} {30-}Account{1} {%d-}Balance", kAmt);
    SetRptColumnHeaders(c, {head.c_str()});
    if (!WriteHeadersWithRoom(c, 2)) f.Stop();
  }
  if (!f.Failed()) GroupBalances(Type2Acts, Type2Count, Type2Activ, 'L', "R2 acct 2", &liabilities, progress, f);
  if (!f.Failed()) GroupLines(c, Type2Acts, Type2Count, Type2Activ, 'L', "R2 acct 2", f);

  // Reserve accounts, in number order.
  bool firstReserve = true;
  for (int row : IndexRows(AcctTable, AcctTable.byNumber)) {
    if (f.Failed()) break;
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(row)];
    if (k.status == kStatusDeleted || GetAcctClass(static_cast<int>(k.number)) != 'R') continue;
    AccountRecord a;
    if (ReadRecord(AcctFile, a, row) != 1) {
      f.Set(ERR_READ, "reserve");
      break;
    }
    long long balance = 0;
    if (!BalanceAsOf(a, 'R', &balance)) {
      f.Stop();
      break;
    }
    liabilities += balance;
    if (balance == 0 && !RptOptionB) continue;
    if (!NeedRptLines(c, 1)) {
      f.Stop();
      break;
    }
    if (!WriteRptText(c, AccountLine(firstReserve ? "Reserves" : "", a, balance).c_str())) f.Set(ERR_WRITE, "reserve");
    firstReserve = false;
  }

  // What the unit owes its passbook holders. Without these figures the
  // liabilities and the net worth would be wrong, so a failure ends the
  // report (after its message).
  if (!f.Failed()) {
    long long scouts = 0, adults = 0, subunits = 0;
    if (!SumMemberLiability(RptSecondDate, &scouts, &adults, &subunits)) {
      f.Stop();
    } else {
      for (int i = 0; i < TransTable.rowCount + MemberTable.rowCount; ++i) progress.Step();
      std::vector<std::string> lines;
      if (scouts != 0 || RptOptionB)
        lines.push_back(RptPrintf("{13} {17}Passbook Holders {30}%ss {1} {%dr}%s", MemberKindWords[0], kAmt,
                                  Amount(scouts).c_str()));
      if (adults != 0 || RptOptionB)
        lines.push_back(
            RptPrintf("{30} {30}%ss {1} {%dr}%s", MemberKindWords[1], kAmt, Amount(adults).c_str()));
      if (subunits != 0 || RptOptionB)
        lines.push_back(RptPrintf("{30} {30}%ss {1} {%dr}%s", SubunitNoun, kAmt, Amount(subunits).c_str()));
      liabilities += scouts + adults + subunits;
      if (!lines.empty()) {
        if (!NeedRptLines(c, static_cast<int>(lines.size()))) {
          f.Stop();
        } else {
          char block[3][256] = {};
          for (std::size_t i = 0; i < lines.size(); ++i)
            std::snprintf(block[i], sizeof block[i], "%s", lines[i].c_str());
          if (!WriteRptLines(c, block, static_cast<int>(lines.size()))) f.Set(ERR_WRITE, "R2 passbooks");
        }
      }
    }
  }
  if (!f.Failed()) WriteTotal(c, "Total Liabilities", liabilities, "R2 liability totals", f);
  if (!f.Failed()) {
    if (!NeedRptLines(c, 1)) {
      f.Stop();
    } else {
      const std::string line =
          RptPrintf("{30} {30.}Net Worth{1} {%dr}%s", kAmt, Amount(assets - liabilities).c_str());
      if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "R2 net worth");
    }
  }
  if (!f.Failed() && RptOptionD) WritePassbookAttachment(c, progress, f);
  CloseRpt(c);
  return f.Finish();
}
