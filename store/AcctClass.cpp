#include "store/AcctClass.h"

#include <algorithm>
#include <unordered_map>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/AccountStore.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"

AcctClassRow AcctClassTable[9] = {
    {"Cash", "Csh", 'A', 1, 99, 94, -1},
    {"Checking", "Chk", 'A', 100, 199, 194, -1},
    {"Savings", "Sav", 'A', 200, 299, 294, -1},
    {"Other Asset", "Ast", 'A', 300, 399, 394, -1},
    {"Liability", "Lia", 'L', 400, 499, 494, -1},
    {"Income", "Inc", 'I', 500, 599, 594, -1},
    {"Expense", "Exp", 'E', 600, 699, 694, -1},
    {"Reserve", "Res", 'R', 700, 799, 794, -1},
    {"System", "Sys", 'S', 900, 999, 0, -1},
};

int GetAcctClassRow(int number) {
  int found = -1;
  for (int i = 0; i < 9; ++i)
    if (number >= AcctClassTable[i].low && number <= AcctClassTable[i].high) found = i;
  return found;
}

char GetAcctClass(int number) {
  int row = GetAcctClassRow(number);
  return row < 0 ? ' ' : AcctClassTable[row].letter;
}

void GetAcctClassName(int number, char* out, size_t size) {
  int row = GetAcctClassRow(number);
  std::snprintf(out, size, "%s", row < 0 ? " " : AcctClassTable[row].name);
}

void UpdateNextAcctNumbers() {
  // The numbers of the live accounts below the highest user limit, gathered
  // once.
  LONG top = 0;
  for (const AcctClassRow& c : AcctClassTable) top = std::max(top, c.userLimit);
  std::vector<bool> used(static_cast<size_t>(top), false);
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.number >= 0 && k.number < top) used[static_cast<size_t>(k.number)] = true;
  }
  for (AcctClassRow& c : AcctClassTable) {
    if (c.userLimit < c.low) {
      c.nextFree = c.low - 1;
      continue;
    }
    c.nextFree = c.userLimit - 1;
    for (LONG n = c.low; n < c.userLimit; ++n) {
      if (!used[static_cast<size_t>(n)]) {
        c.nextFree = n;
        break;
      }
    }
  }
}

int UpdateAcctBalance(int number, int mode, long long amount, const char* word) {
  int pos = -1;
  if (!FindAcctIndex(number, &pos)) {
    ShowStoreError(ERR_UNMATCHED, word, MSG_ERROR);
    return 0;
  }
  int row = AcctTable.byNumber[static_cast<size_t>(pos)];
  AccountRecord rec;
  if (ReadRecord(AcctFile, rec, row) != 1) {
    ShowStoreError(ERR_READ, word, MSG_FATAL);
    return 0;
  }
  // A balance or count that would leave the 32-bit range stems from a
  // damaged record: nothing is posted.
  const long long balance = rec.currentBalance + (mode == -1 ? -amount : amount);
  const long long usage = rec.usageCount + (mode == 1 ? 1LL : mode == -1 ? -1LL : 0LL);
  if (!FitsLong(balance) || !FitsLong(usage)) {
    ShowStoreError(ERR_PARSE, word, MSG_ERROR);
    return 0;
  }
  if (mode == 1 || mode == -1 || mode == 0) {
    rec.currentBalance = static_cast<LONG>(balance);
    rec.usageCount = static_cast<LONG>(usage);
  }
  if (WriteRecord(AcctFile, rec, row) != 1) {
    ShowStoreError(ERR_WRITE, word, MSG_FATAL);
    return 0;
  }
  return 1;
}

long long SignedAmount(int account, int lineAccount, int splitFactor, int cash, int accountAmount) {
  if (GetAcctClass(account) == 'R') {
    if (lineAccount == kDuesAccount) return 0;
    if (splitFactor > 0) return static_cast<long long>(cash) + accountAmount;
    return accountAmount;
  }
  if (account == kDuesAccount) return -static_cast<long long>(accountAmount);
  if (splitFactor > 0) return cash;
  return accountAmount;
}

long long SignedAmountByType(char letter, int amount, int account) {
  const long long a = amount;
  char cls = GetAcctClass(account);
  if (cls == 'I' || cls == 'L') return letter == 'A' ? a : -a;
  if (cls == 'R') return (letter == 'A' || letter == 'S') ? a : -a;
  return (letter == 'A') ? -a : a;
}

int CheckSplitAllowed(char letter, char* message, size_t size) {
  if (size > 0) message[0] = 0;
  if (MemberTable.liveCount <= 0) {
    FormatErrorText(message, size, ERR_NONE_DEFINED, "member");
    return 0;
  }
  if (letter == 'A' || letter == 'L') {
    std::snprintf(message, size, "%s", "You may only split inc, exp, or reserve accts");
    return 0;
  }
  return 1;
}

int HasReserveAccounts() {
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && GetAcctClass(k.number) == 'R') return 1;
  }
  return 0;
}

int SumAcctActivity(int number, char letter, int month, const char* date, int* monthTotal, int* total) {
  const bool byDate = date != nullptr && date[0] != 0;
  AmountSum sumMonth, sum;
  const char* failure = nullptr;
  auto inRange = [&](const char* d, int m) {
    return byDate ? DateInRange(FiscalStartDate, date, d, DF_YYYYMMDD)
                  : MonthInRange(FiscalFirstMonth, month, m);
  };
  // Primary postings.
  if (letter == 'A' || letter == 'L' || letter == 'S') {
    for (int r = 0; r < TransTable.rowCount && !failure; ++r) {
      const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
      if (k.status == kStatusDeleted || k.account != number || !inRange(k.date, k.month)) continue;
      TransactionRecord t;
      if (ReadRecord(TransFile, t, r) != 1) {
        failure = "Reading primary trans activity";
        break;
      }
      if (number == kEquipmentAccount && t.factor != -1) continue;
      const long long v = Posted(t.factor, t.amount);
      sum += v;
      if (!byDate && t.month == month) sumMonth += v;
    }
  }
  // Support-line postings, through each live transaction of another account.
  // The lines naming the account are gathered first: a report sums every
  // account of a year at capacity, and a search of all lines per
  // transaction made that quadratic.
  std::unordered_map<LONG, std::vector<int>> linesOf;
  if (!failure) {
    for (int s = 0; s < SupportTable.rowCount; ++s) {
      const SupportKey& l = SupportTable.keys[static_cast<size_t>(s)];
      if (l.status == kStatusDeleted || (letter == 'R' ? l.reserveAccount : l.account) != number) continue;
      linesOf[l.id].push_back(s);
    }
  }
  if (!failure && !linesOf.empty()) {
    for (int r = 0; r < TransTable.rowCount && !failure; ++r) {
      const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
      if (k.status == kStatusDeleted || k.account == number || !inRange(k.date, k.month)) continue;
      const auto lines = linesOf.find(k.id);
      if (lines == linesOf.end()) continue;
      for (int s : lines->second) {
        SupportLineRecord line;
        if (ReadRecord(SupportFile, line, s) != 1) {
          failure = "Reading suppt trans activity";
          break;
        }
        if (number == kEquipmentAccount && line.factor != -1) continue;
        const long long v =
            letter == 'R' ? Posted(line.reserveFactor, line.reserveAmount) : Posted(line.factor, line.amount);
        sum += v;
        if (!byDate && k.month == month) sumMonth += v;
      }
    }
  }
  // Equipment values.
  if (!failure && number == kEquipmentAccount) {
    for (int r = 0; r < EquipTable.rowCount; ++r) {
      if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
      EquipmentRecord item;
      if (ReadRecord(EquipFile, item, r) != 1) {
        failure = "Read equip activity";
        break;
      }
      bool inYear = DateInRange(FiscalStartDate, FiscalEndDate, item.purchaseDate, DF_YYYYMMDD);
      if (inYear) {
        int m = -1;
        if (std::strlen(item.purchaseDate) >= 6)
          m = (item.purchaseDate[4] - '0') * 10 + (item.purchaseDate[5] - '0') - 1;
        if (inRange(item.purchaseDate, m)) {
          sum += item.currentValue;
          if (!byDate && m == month) sumMonth += item.currentValue;
        }
      } else if (byDate && std::strcmp(date, FiscalStartDate) != 0) {
        sum += static_cast<long long>(item.currentValue) - item.openingValue;
      }
    }
  }
  if (failure) {
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  if (!TotalsFit("account activity (beyond the amount range)", {sum, sumMonth})) return 0;
  if (monthTotal) *monthTotal = sumMonth.Value();
  if (total) *total = sum.Value();
  return 1;
}

int SumActivityByMonth(std::map<int, std::array<int, 12>>* months) {
  std::map<int, std::array<AmountSum, 12>> sums;
  auto add = [&sums](int account, int month, long long v) {
    if (month >= 0 && month < 12) sums[account][static_cast<size_t>(month)] += v;
  };
  auto fail = [](const char* what) {
    DispMessage(what, MSG_FATAL);
    return 0;
  };
  // The live transactions by id (a damaged year may repeat an id: each
  // copy counts, as it does account by account).
  std::unordered_map<LONG, std::vector<int>> byId;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted) continue;
    byId[k.id].push_back(r);
    const char letter = GetAcctClass(k.account);
    if (letter != 'A' && letter != 'L' && letter != 'S') continue;
    TransactionRecord t;
    if (ReadRecord(TransFile, t, r) != 1) return fail("Reading primary trans activity");
    if (k.account == kEquipmentAccount && t.factor != -1) continue;
    if (t.month == k.month) add(k.account, k.month, Posted(t.factor, t.amount));
  }
  // Each support line counts for its support account, or for its reserve
  // account when that is a reserve, in the month of its transaction, unless
  // the transaction itself is on that account.
  for (int s = 0; s < SupportTable.rowCount; ++s) {
    const SupportKey& l = SupportTable.keys[static_cast<size_t>(s)];
    if (l.status == kStatusDeleted) continue;
    const auto found = byId.find(l.id);
    if (found == byId.end()) continue;
    const bool support = l.account != 0 && GetAcctClass(l.account) != 'R';
    const bool reserve = l.reserveAccount != 0 && GetAcctClass(l.reserveAccount) == 'R';
    if (!support && !reserve) continue;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, s) != 1) return fail("Reading suppt trans activity");
    for (int r : found->second) {
      const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
      if (support && k.account != l.account && !(l.account == kEquipmentAccount && line.factor != -1))
        add(l.account, k.month, Posted(line.factor, line.amount));
      if (reserve && k.account != l.reserveAccount)
        add(l.reserveAccount, k.month, Posted(line.reserveFactor, line.reserveAmount));
    }
  }
  // Equipment bought within the year, in its month of purchase.
  for (int r = 0; r < EquipTable.rowCount; ++r) {
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    EquipmentRecord item;
    if (ReadRecord(EquipFile, item, r) != 1) return fail("Read equip activity");
    if (!DateInRange(FiscalStartDate, FiscalEndDate, item.purchaseDate, DF_YYYYMMDD)) continue;
    if (std::strlen(item.purchaseDate) < 6) continue;
    add(kEquipmentAccount, (item.purchaseDate[4] - '0') * 10 + (item.purchaseDate[5] - '0') - 1, item.currentValue);
  }
  months->clear();
  for (const auto& [account, sum] : sums) {
    // Every month, and the year's running total through it, must be an
    // amount, as each month's own sum must be.
    AmountSum running;
    for (int i = 0; i < 12; ++i) {
      const AmountSum& month = sum[static_cast<size_t>((FiscalFirstMonth + i) % 12)];
      running += month;
      if (!TotalsFit("account activity (beyond the amount range)", {month, running})) return 0;
    }
    std::array<int, 12>& out = (*months)[account];
    for (size_t m = 0; m < 12; ++m) out[m] = static_cast<int>(sum[m].Value());
  }
  return 1;
}
