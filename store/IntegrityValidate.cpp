// The validation passes of the integrity check.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/Dates.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "store/AcctClass.h"
#include "store/Integrity.h"
#include "store/IntegrityUtil.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/SplitStore.h"
#include "store/StoreUtil.h"
#include "store/TransStore.h"

namespace integrity {

namespace {
char caption[64] = "Processing...";
}  // namespace

void SetCaption(const char* text) { std::snprintf(caption, sizeof caption, "%s", text); }

void Advance(int total, int* position) {
  ++*position;
  // The last step is the check's own: the window closes only then.
  ReportProgress(caption, *position < total ? *position : total - 1, total);
}

void Notice(const std::string& text) { DispMessage(text.c_str(), MSG_ERROR); }
void ReadFailure(const char* item) { ShowStoreError(ERR_READ, item, MSG_FATAL); }
void WriteFailure(const char* item) { ShowStoreError(ERR_WRITE, item, MSG_FATAL); }

std::string VerifyText(const TransactionRecord& t, int supportAccount) {
  char text[256];
  if (supportAccount)
    std::snprintf(text, sizeof text, "You should verify account %d, transaction \"%s\", support account %d, dated %s.",
                  t.account, t.number, supportAccount, FormatDateShort(t.date, DF_YYYYMMDD));
  else
    std::snprintf(text, sizeof text, "You should verify account %d, transaction \"%s\", dated %s.", t.account,
                  t.number, FormatDateShort(t.date, DF_YYYYMMDD));
  return text;
}

std::unordered_map<LONG, std::vector<int>> RowsByKey(const LineKeyTable& t) {
  std::unordered_map<LONG, std::vector<int>> rows;
  for (int r = 0; r < t.rowCount; ++r)
    if (t.keys[static_cast<size_t>(r)] != -1) rows[t.keys[static_cast<size_t>(r)]].push_back(r);
  return rows;
}

bool FreeSplit(int row, const char* item) {
  if (WriteRecord(SplitFile, SplitRecord{-1, 0, 0, 0, 0, 0}, row) != 1) {
    WriteFailure(item);
    return false;
  }
  MarkKeyRowDeleted(SplitTable, row);
  return true;
}

bool FreeSubAccount(int row, const char* item) {
  if (WriteRecord(SubAcctFile, SubAccountRecord{-1, 0, 0, 0, -1, 0}, row) != 1) {
    WriteFailure(item);
    return false;
  }
  MarkKeyRowDeleted(SubAcctTable, row);
  return true;
}

void RemoveDanglingLine(int row) {
  SupportLineRecord line;
  if (ReadRecord(SupportFile, line, row) != 1) {
    ReadFailure("Recalc support 2");
    return;
  }
  line.status = kStatusDeleted;
  if (WriteRecord(SupportFile, line, row) != 1) {
    WriteFailure("Recalc support 2");
    return;
  }
  MarkKeyRowDeleted(SupportTable, row);
  char text[96];
  std::snprintf(text, sizeof text, "Removed dangling support account: %d", line.account);
  Notice(text);
}

}  // namespace integrity

using namespace integrity;

namespace {

// The rows of the support lines by line key and of the transactions by id,
// in row order, deleted rows included: the lookups ReadSupportLine and
// ReadTransactionById make, without walking every row for each one.
class RowLookup {
 public:
  RowLookup() {
    for (int r = 0; r < SupportTable.rowCount; ++r) {
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
      lines_[LineKey(k.id, k.line)].push_back(r);
    }
    for (int r = 0; r < TransTable.rowCount; ++r) trans_[TransTable.keys[static_cast<size_t>(r)].id].push_back(r);
  }
  // The first live line of the key.
  bool Line(LONG lineKey, SupportLineRecord* record) const {
    return First(lines_, lineKey, SupportFile, record, "support account");
  }
  // The first live transaction of the id.
  bool Transaction(LONG id, TransactionRecord* record) const {
    return First(trans_, id, TransFile, record, "transaction");
  }

 private:
  template <class Rec>
  static bool First(const std::unordered_map<LONG, std::vector<int>>& rows, LONG key, FILE* file, Rec* record,
                    const char* word) {
    auto found = rows.find(key);
    if (found == rows.end()) return false;
    for (int r : found->second) {
      Rec rec;
      if (ReadRecord(file, rec, r) != 1) {
        ShowStoreError(ERR_READ, word, MSG_FATAL);
        continue;
      }
      if (rec.status == 0) {
        *record = rec;
        return true;
      }
    }
    return false;
  }
  std::unordered_map<LONG, std::vector<int>> lines_, trans_;
};

std::unordered_set<LONG> LiveTransactionIds() {
  std::unordered_set<LONG> ids;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted) ids.insert(k.id);
  }
  return ids;
}

std::unordered_set<LONG> KeysOf(const LineKeyTable& t) {
  std::unordered_set<LONG> keys;
  for (int r = 0; r < t.rowCount; ++r)
    if (t.keys[static_cast<size_t>(r)] != -1) keys.insert(t.keys[static_cast<size_t>(r)]);
  return keys;
}

bool ClassTakesSplit(LONG account) {
  char c = GetAcctClass(account);
  return c == 'I' || c == 'E' || c == 'R';
}

}  // namespace

void ValidateTransactions(int total, int* position) {
  const std::unordered_set<LONG> ids = LiveTransactionIds();
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    // A line whose id lies beyond kMaxTransId (a damaged record) has no line
    // key of its own: its key wraps onto another line's. It goes like a line
    // without its transaction, and its split and shares, matching no line,
    // go in the passes after this one.
    if (k.status != kStatusDeleted && (k.id > kMaxTransId || !ids.count(k.id))) RemoveDanglingLine(r);
    Advance(total, position);
  }
}

void ValidatePassbooks(int total, int* position) {
  LineKeyTable& t = SubAcctTable;
  // The rows of each key, so that looking for a duplicate visits only the
  // shares of the same split.
  const std::unordered_map<LONG, std::vector<int>> rowsByKey = RowsByKey(t);
  for (int j = 0; j < t.rowCount; ++j) {
    Advance(total, position);
    const LONG key = t.keys[static_cast<size_t>(j)];
    if (key == -1) continue;
    SubAccountRecord share;
    if (ReadRecord(SubAcctFile, share, j) != 1) {
      ReadFailure("SubAcct to search");
      continue;
    }
    char text[128] = "";
    int freeRow = -1;
    const LONG m = share.memberRow;
    if (m < 0 || m >= MemberTable.rowCount || MemberTable.keys[static_cast<size_t>(m)].status == kStatusDeleted) {
      std::snprintf(text, sizeof text, "Removed subact (#%d) w/o matching member (#%d)", j, m);
      freeRow = j;
    } else {
      const std::vector<int>& rows = rowsByKey.at(key);
      for (auto it = std::upper_bound(rows.begin(), rows.end(), j); it != rows.end(); ++it) {
        const int i = *it;
        if (t.keys[static_cast<size_t>(i)] != key) continue;
        SubAccountRecord other;
        if (ReadRecord(SubAcctFile, other, i) != 1) {
          ReadFailure("SubAcct to compare");
          continue;
        }
        if (other.memberRow == m) {
          std::snprintf(text, sizeof text, "Removed duplicate subact #%d/%d", key, m);
          freeRow = i;
          break;
        }
      }
    }
    if (freeRow >= 0 && FreeSubAccount(freeRow, "SubAct delete 3")) Notice(text);
  }
}

void ValidatePassbookSplits(int total, int* position) {
  LineKeyTable& t = SplitTable;
  // 1. Splits without sub-accounts.
  const std::unordered_set<LONG> shareKeys = KeysOf(SubAcctTable);
  for (int k = 0; k < t.rowCount; ++k) {
    Advance(total, position);
    const LONG key = t.keys[static_cast<size_t>(k)];
    if (key != -1 && !shareKeys.count(key) && FreeSplit(k, "Split delete 1"))
      Notice("Split without subacounts has been removed.");
  }
  // 2. Splits without their line: the first live line of the key whose
  // account takes a split.
  std::unordered_map<LONG, int> lineRows;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& s = SupportTable.keys[static_cast<size_t>(r)];
    if (s.status != kStatusDeleted && ClassTakesSplit(s.account)) lineRows.emplace(LineKey(s.id, s.line), r);
  }
  for (int k = 0; k < t.rowCount; ++k) {
    Advance(total, position);
    const LONG key = t.keys[static_cast<size_t>(k)];
    if (key == -1) continue;
    const auto found = lineRows.find(key);
    const int lineRow = found == lineRows.end() ? -1 : found->second;
    if (lineRow < 0) {
      char text[64];
      std::snprintf(text, sizeof text, "Removed dangling split #%d", key);
      if (FreeSplit(k, "Split delete 1")) Notice(text);
      continue;
    }
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, lineRow) != 1) {
      ReadFailure("Repair suppt");
      continue;
    }
    if (line.split != 0) continue;
    line.split = 1;
    if (WriteRecord(SupportFile, line, lineRow) != 1) {
      WriteFailure("Repair suppt");
      continue;
    }
    TransactionRecord trans;
    if (ReadTransactionById(line.id, &trans))
      Notice("Missing split has been re-attached.\n\n" + VerifyText(trans, 0));
  }
  // 3. Duplicate splits: the first of a key stays.
  const std::unordered_map<LONG, std::vector<int>> splitsByKey = RowsByKey(t);
  for (int k = 0; k < t.rowCount; ++k) {
    Advance(total, position);
    const LONG key = t.keys[static_cast<size_t>(k)];
    if (key == -1) continue;
    const std::vector<int>& rows = splitsByKey.at(key);
    for (auto it = std::upper_bound(rows.begin(), rows.end(), k); it != rows.end(); ++it) {
      const int i = *it;
      if (t.keys[static_cast<size_t>(i)] != key) continue;
      char text[64];
      std::snprintf(text, sizeof text, "Removed duplicate split *%d", key);
      if (FreeSplit(i, "Split delete 2")) Notice(text);
    }
  }
}

void ValidatePassbooks2(int total, int* position) {
  const std::unordered_set<LONG> splitKeys = KeysOf(SplitTable);
  LineKeyTable& t = SubAcctTable;
  for (int j = 0; j < t.rowCount; ++j) {
    Advance(total, position);
    const LONG key = t.keys[static_cast<size_t>(j)];
    if (key == -1 || splitKeys.count(key)) continue;
    char text[64];
    std::snprintf(text, sizeof text, "Removed dangling sub-account #%d", key);
    if (FreeSubAccount(j, "SubAcct delete")) Notice(text);
  }
}

void ValidatePassbookSplits2(int total, int* position) {
  std::unordered_map<LONG, std::vector<int>> sharesByKey = RowsByKey(SubAcctTable);
  const RowLookup lookup;

  for (int k = 0; k < SplitTable.rowCount; ++k) {
    Advance(total, position);
    const LONG key = SplitTable.keys[static_cast<size_t>(k)];
    if (key == -1) continue;
    SplitRecord split;
    if (ReadRecord(SplitFile, split, k) != 1) {
      ReadFailure("Repair split 2");
      continue;
    }
    SupportLineRecord line;
    TransactionRecord trans;
    if (!lookup.Line(key, &line) || !lookup.Transaction(line.id, &trans)) continue;
    const bool cash = trans.factor == 1 && trans.account != kReserveAllocationAccount;
    long long members = 0;
    bool complete = true;
    for (int r : sharesByKey[key]) {
      SubAccountRecord share;
      if (ReadRecord(SubAcctFile, share, r) != 1) {
        ReadFailure("Repair subacccount 2");
        complete = false;
        break;
      }
      members += cash ? share.cash : share.accountAmount;
    }
    if (!complete) continue;
    const long long wide = line.amount - members;
    if (split.unitShare == wide) continue;
    if (!FitsLong(wide)) {
      Notice("Split amounts beyond the amount range have been left as they are.\n\n" + VerifyText(trans, line.account));
      continue;
    }
    const LONG unitShare = static_cast<LONG>(wide);
    const LONG previous = split.unitShare;
    split.unitShare = unitShare;
    if (WriteRecord(SplitFile, split, k) != 1) {
      WriteFailure("Repair split 2");
      continue;
    }
    char text[160];
    std::snprintf(text, sizeof text, "Resetting '%s Share' from %s to %s.\n\n", UnitNoun ? UnitNoun : "",
                  static_cast<LPCTSTR>(FormatDollars(previous, 0)), static_cast<LPCTSTR>(FormatDollars(unitShare, 0)));
    DispMessage((text + VerifyText(trans, line.account)).c_str(), MSG_INFORMATION);
  }
}

void ValidateSupportLines(int total, int* position) {
  SupportKeyTable& t = SupportTable;
  // 1. Split flags that point at no split.
  const std::unordered_set<LONG> splitKeys = KeysOf(SplitTable);
  for (int r = 0; r < t.rowCount; ++r) {
    Advance(total, position);
    if (t.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, r) != 1) {
      ReadFailure("Recalc suppt");
      continue;
    }
    if (line.split == 0 || splitKeys.count(LineKey(line.id, line.line))) continue;
    line.split = 0;
    if (WriteRecord(SupportFile, line, r) != 1) {
      WriteFailure("Suppt Multi set");
      continue;
    }
    TransactionRecord trans;
    if (ReadTransactionById(line.id, &trans))
      Notice("Unmatched split reference has been removed.\n\n" + VerifyText(trans, 0));
  }
  // 2. Lines whose transaction is gone.
  const std::unordered_set<LONG> ids = LiveTransactionIds();
  for (int r = 0; r < t.rowCount; ++r) {
    Advance(total, position);
    const SupportKey& k = t.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && !ids.count(k.id)) RemoveDanglingLine(r);
  }
  // 3. The reserve amount of a split line is what its split gives the
  // reserve account.
  std::vector<SubAccountRecord> shares(kMemberSlots);
  const std::unordered_map<LONG, std::vector<int>> splitsByKey = RowsByKey(SplitTable);
  const std::unordered_map<LONG, std::vector<int>> sharesByKey = RowsByKey(SubAcctTable);
  for (int r = 0; r < t.rowCount; ++r) {
    Advance(total, position);
    if (t.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, r) != 1) {
      ReadFailure("Recalc suppt 3");
      continue;
    }
    if (line.split == 0 || line.reserveAccount == 0) continue;
    const LONG key = LineKey(line.id, line.line);
    const auto splitRows = splitsByKey.find(key);
    if (splitRows == splitsByKey.end()) continue;
    const int splitRow = splitRows->second.front();
    SplitRecord split;
    if (ReadRecord(SplitFile, split, splitRow) != 1) {
      ReadFailure("Recalc split");
      continue;
    }
    // The split's sub-accounts in file order, one slot each: a member's
    // duplicate that the passes left in place counts like its first.
    std::fill(shares.begin(), shares.end(), SubAccountRecord{0, 0, 0, 0, 0, 0});
    bool complete = true;
    size_t used = 0;
    const auto shareRows = sharesByKey.find(key);
    const std::vector<int> none;
    for (int s : shareRows == sharesByKey.end() ? none : shareRows->second) {
      if (!complete || used >= shares.size()) break;
      if (ReadRecord(SubAcctFile, shares[used], s) != 1) {
        ReadFailure("Recalc subact");
        complete = false;
      } else {
        ++used;
      }
    }
    if (!complete) continue;
    const long long reserve = SumPassbookSplit(line.reserveAccount, &split, shares.data());
    if (reserve == line.reserveAmount) continue;
    if (!FitsLong(reserve)) {
      Notice("Reserve shares beyond the amount range have been left as they are.");
      continue;
    }
    line.reserveAmount = static_cast<LONG>(reserve);
    if (WriteRecord(SupportFile, line, r) != 1) WriteFailure("Recalc support 3");
  }
}

void ValidateInitialReserves(int total, int* position) {
  if (!OpenReserveFile()) return;
  for (int r = 0;; ++r) {
    ReserveRecord rec;
    int got = ReadRecord(ReserveFile, rec, r);
    if (got == -1) break;
    if (got != 1) {
      ReadFailure("reserve");
      break;
    }
    Advance(total, position);
    if (rec.account == -1) continue;
    int acctRow = -1;
    for (int a = 0; a < AcctTable.rowCount && acctRow < 0; ++a) {
      const AcctKey& k = AcctTable.keys[static_cast<size_t>(a)];
      if (k.number == rec.account && k.status == kStatusLive) acctRow = a;
    }
    if (acctRow >= 0) {
      AccountRecord acct;
      if (ReadRecord(AcctFile, acct, acctRow) != 1) {
        ReadFailure("reserve account");
        continue;
      }
      if (acct.memberReserves) continue;
    }
    char text[128];
    std::snprintf(text, sizeof text, "Removed dangling reserve amount %d/%s", rec.account,
                  static_cast<LPCTSTR>(FormatDollars(rec.amount, 0)));
    Notice(text);
    if (WriteRecord(ReserveFile, ReserveRecord{-1, -1, 0}, r) != 1) WriteFailure("reserve");
  }
  CloseReserveFile();
}

void ValidateSchedules(int total, int* position) {
  if (!OpenScheduleFiles()) return;
  for (int r = 0; r < ScheduleTable.rowCount; ++r) {
    if (ScheduleTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    ScheduleRecord s;
    if (ReadRecord(ScheduleFile, s, r) != 1) {
      ReadFailure("Repair schedule");
      continue;
    }
    char text[160] = "";
    if ((s.frequency == 'W' || s.frequency == 'M') && (!s.firstDate[0] || !s.secondDate[0])) {
      s.frequency = ' ';
      std::memset(s.firstDate, 0, sizeof s.firstDate);
      std::memset(s.secondDate, 0, sizeof s.secondDate);
      std::snprintf(text, sizeof text, "Erased incomplete schedule frequency:  %s", s.name);
    }
    for (auto& due : s.dueDates) {
      if (std::strlen(due) != 4) continue;
      char monthDay[5];
      std::memcpy(monthDay, due, 5);
      int month = (monthDay[0] - '0') * 10 + (monthDay[1] - '0');
      char year[16];
      std::snprintf(year, sizeof year, "%04d", GetFiscalYearOfMonth(month - 1) % 10000);
      std::memcpy(due, year, 4);
      std::memcpy(due + 4, monthDay, 5);
      std::snprintf(text, sizeof text, "Repaired malformed schedule date:  %s (%s)", s.name, monthDay);
    }
    if (!text[0]) continue;
    if (WriteRecord(ScheduleFile, s, r) != 1) {
      WriteFailure("repair schedule");
      continue;
    }
    Notice(text);
  }
  Advance(total, position);
  CloseScheduleFiles();
}
