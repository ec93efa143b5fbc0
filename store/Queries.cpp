#include "store/Queries.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "common/Address.h"
#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "store/AcctClass.h"
#include "store/AccountStore.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/SplitStore.h"
#include "store/StoreUtil.h"
#include "store/UnitInfo.h"

char MemberTypeMark(LONG type) {
  if (type == 1) return '*';
  if (type == 2) return static_cast<char>(0xBB);
  return ' ';
}

namespace {

int MonthLength(int month, int year) {
  if (month == 2) return IsLeapYear(year) ? 29 : 28;
  return MonthLengths[(month - 1 + 12) % 12];
}

// The shares of a member in an account's split lines dated within the range.
int SumSplits(const TransactionDates& dates, int account, int memberRow, const char* fromDate, const char* toDate,
              int* sumOut);

}  // namespace

TransactionDates LiveTransactionDates() {
  TransactionDates dates;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status == 0) dates.emplace(k.id, k.date);
  }
  return dates;
}

void FormatPersonName(const char* prefix, int withMark, const MemberKey& k, const char* suffix, char* out,
                      size_t size) {
  char mark[2] = {withMark == 1 ? MemberTypeMark(k.type) : '\0', 0};
  const char* p = prefix ? prefix : "";
  const char* s = suffix ? suffix : "";
  if (k.type == 2)
    std::snprintf(out, size, "%s%s%s %s%s", p, mark, k.subunit, SubunitNoun ? SubunitNoun : "", s);
  else
    std::snprintf(out, size, "%s%s%s, %s%s", p, mark, k.lastName, k.firstName, s);
}

void NextScheduleDate(char letter, int weekOfMonth, int* day, int* month, int* year) {
  int length = MonthLength(*month, *year);
  bool monthly = letter == 'M';
  if (!monthly) *day += 7;
  else *day += (length >= *day + 28) ? 35 : 28;
  if (*day > length) {
    *day -= length;
    int nextMonth = *month == 12 ? 1 : *month + 1;
    int nextYear = *month == 12 ? *year + 1 : *year;
    if (monthly) {
      if ((*day + 6) / 7 != weekOfMonth) *day += 7;
      if (*day > MonthLength(nextMonth, nextYear)) *day -= 7;
    }
    *month = nextMonth;
    *year = nextYear;
  }
}

int AddParticipant(ParticipantRecord participant) {
  if (ParticipantFile == nullptr) return 1;
  int row = 0;
  for (;; ++row) {
    ParticipantRecord p;
    int r = ReadRecord(ParticipantFile, p, row);
    if (r == -1) break;
    if (r == 0) {
      ShowStoreError(ERR_READ, "new part", MSG_FATAL);
      return 0;
    }
    if (p.scheduleRow == -1) break;
  }
  if (WriteRecord(ParticipantFile, participant, row) != 1) {
    ShowStoreError(ERR_WRITE, "new part", MSG_FATAL);
    return 0;
  }
  return 1;
}

void AddParticipantToSchedules(int memberRow) {
  int found = -1, count = 0;
  for (int r = 0; r < ScheduleTable.rowCount; ++r) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(r)];
    if (k.status == 0 && k.account == kDuesAccount) {
      found = r;
      ++count;
    }
  }
  if (count == 1) AddParticipant(ParticipantRecord{found, memberRow, 0, 0});
}

int DeleteParticipants(int scheduleRow, int memberRow) {
  for (int row = 0;; ++row) {
    ParticipantRecord p;
    int r = ReadRecord(ParticipantFile, p, row);
    if (r == -1) return 1;
    if (r == 0) {
      ShowStoreError(ERR_READ, "participant", MSG_FATAL);
      return 0;
    }
    if (p.scheduleRow == -1) continue;
    if ((scheduleRow == -1 || p.scheduleRow == scheduleRow) && (memberRow == -1 || p.memberRow == memberRow)) {
      p.scheduleRow = -1;
      p.memberRow = -1;
      if (WriteRecord(ParticipantFile, p, row) != 1) {
        ShowStoreError(ERR_WRITE, "participant", MSG_FATAL);
        return 0;
      }
    }
  }
}

void RemoveFromDuesSchedules(int memberRow) {
  for (int r = 0; r < ScheduleTable.rowCount; ++r) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(r)];
    if (k.status == 0 && k.account == kDuesAccount && !DeleteParticipants(r, memberRow)) return;
  }
}

int FindReserveRecord(int account, int memberRow, int* amountOut) {
  if (amountOut) *amountOut = 0;
  for (int row = 0;; ++row) {
    ReserveRecord rec;
    int r = ReadRecord(ReserveFile, rec, row);
    if (r == -1) return 1;
    if (r == 0) {
      ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
      return 0;
    }
    if (rec.account == account && rec.memberRow == memberRow) {
      if (amountOut) *amountOut = rec.amount;
      return 1;
    }
  }
}

int SumMemberReserves(int account, int memberRow, int* initialOut, int* sharesOut, int* totalOut) {
  AmountSum initial, shares;
  const TransactionDates dates = sharesOut || totalOut ? LiveTransactionDates() : TransactionDates();
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted || GetAcctClass(k.number) != 'R') continue;
    if (account != -1 && k.number != account) continue;
    if (initialOut || totalOut) {
      if (memberRow != -1) {
        int amount = 0;
        if (!FindReserveRecord(k.number, memberRow, &amount)) return 0;
        initial += amount;
      } else {
        AccountRecord rec;
        if (ReadRecord(AcctFile, rec, r) != 1) {
          ShowStoreError(ERR_READ, "account", MSG_FATAL);
          return 0;
        }
        initial += rec.openingBalance;
      }
    }
    if (sharesOut || totalOut) {
      for (int m = 0; m < MemberTable.rowCount; ++m) {
        if (memberRow != -1 && m != memberRow) continue;
        if (MemberTable.keys[static_cast<size_t>(m)].status == kStatusDeleted) continue;
        int sum = 0;
        if (!SumSplits(dates, k.number, m, FiscalStartDate, FiscalEndDate, &sum)) return 0;
        shares += sum;
      }
    }
  }
  AmountSum total = initial;
  total += shares;
  if (!StoreTotals("member reserves (beyond the amount range)",
                   {{initialOut, &initial}, {sharesOut, &shares}, {totalOut, &total}}))
    return 0;
  return 1;
}

int SumSplitsForAcct(int account, int memberRow, const char* fromDate, const char* toDate, int* sumOut) {
  return SumSplits(LiveTransactionDates(), account, memberRow, fromDate, toDate, sumOut);
}

namespace {

int SumSplits(const TransactionDates& dates, int account, int memberRow, const char* fromDate, const char* toDate,
              int* sumOut) {
  const bool reserve = GetAcctClass(account) == 'R';
  AmountSum sum;
  for (int s = 0; s < SupportTable.rowCount; ++s) {
    const SupportKey& lk = SupportTable.keys[static_cast<size_t>(s)];
    if (lk.status != 0 || (reserve ? lk.reserveAccount : lk.account) != account) continue;
    auto d = dates.find(lk.id);
    if (d == dates.end() || !DateInRange(fromDate, toDate, d->second, DF_YYYYMMDD)) continue;
    LONG key = LineKey(lk.id, lk.line);
    SubAccountRecord share;
    bool found = false;
    for (int a = 0; a < SubAcctTable.rowCount && !found; ++a) {
      if (SubAcctTable.keys[static_cast<size_t>(a)] != key) continue;
      if (ReadRecord(SubAcctFile, share, a) != 1) {
        ShowStoreError(ERR_READ, "sub-account", MSG_FATAL);
        return 0;
      }
      found = share.memberRow == memberRow;
    }
    if (!found) continue;
    int splitRow;
    SplitRecord split;
    if (!FindSplitRow(key, &splitRow) || ReadRecord(SplitFile, split, splitRow) != 1) {
      ShowStoreError(ERR_READ, "split", MSG_FATAL);
      return 0;
    }
    sum.AddTimes(SignedAmount(account, lk.account, split.factor, share.cash, share.accountAmount), split.factor);
  }
  if (!TotalsFit("member shares (beyond the amount range)", {sum})) return 0;
  if (sumOut) *sumOut = sum.Value();
  return 1;
}

}  // namespace

int GetParticipantDues(int scheduleRow, int startSlot, int memberRow, const char* date, int countPayments,
                       int paidToDate, const MemberRow* member, int* initialOwedOut, int* owedInOut,
                       int* initialPaidOut, int* paidInOut, int* foundOut) {
  ParticipantRecord part;
  bool found = false;
  for (int row = startSlot < 0 ? 0 : startSlot;; ++row) {
    int r = ReadRecord(ParticipantFile, part, row);
    if (r == -1) break;
    if (r == 0) {
      ShowStoreError(ERR_READ, "participant", MSG_FATAL);
      return 0;
    }
    if (part.scheduleRow == scheduleRow && part.memberRow == memberRow) {
      found = true;
      break;
    }
  }
  AmountSum owed, paid;
  if (found && member) {
    ScheduleRecord sched;
    if (ReadRecord(ScheduleFile, sched, scheduleRow) != 1) {
      ShowStoreError(ERR_READ, "schedule", MSG_FATAL);
      return 0;
    }
    owed = AmountSum(part.initialOwed);
    paid = AmountSum(part.initialPaid);
    const char* start = member->dateJoined[0] ? member->dateJoined : FiscalStartDate;
    const char* end = date;
    if (member->dateLeft[0] && CompareDates(member->dateLeft, date, DF_YYYYMMDD) < 0) end = member->dateLeft;
    for (int i = 0; i < 60; ++i) {
      if (!sched.dueDates[i][0] || CompareDates(sched.dueDates[i], end, DF_YYYYMMDD) > 0) break;
      if (CompareDates(sched.dueDates[i], start, DF_YYYYMMDD) >= 0) owed += sched.amounts[i];
    }
    if (countPayments == 1) {
      const char* to = paidToDate == 1 ? date : FiscalEndDate;
      // The transactions' dates are gathered only once a line of the
      // schedule's account is met: a rollover asks for every participant.
      std::unordered_map<LONG, const char*> dates;
      bool gathered = false;
      for (int s = 0; s < SupportTable.rowCount; ++s) {
        const SupportKey& lk = SupportTable.keys[static_cast<size_t>(s)];
        if (lk.status != 0 || lk.account != sched.account) continue;
        if (!gathered) {
          for (int r = 0; r < TransTable.rowCount; ++r)
            dates.emplace(TransTable.keys[static_cast<size_t>(r)].id, TransTable.keys[static_cast<size_t>(r)].date);
          gathered = true;
        }
        auto d = dates.find(lk.id);
        if (d == dates.end() || !DateInRange(FiscalStartDate, to, d->second, DF_YYYYMMDD)) continue;
        auto add = [&](const SplitRecord& split, const SubAccountRecord& share) {
          if (share.memberRow != memberRow) return;
          const long long v = static_cast<long long>(share.cash) + share.accountAmount;
          paid.AddTimes(GetAcctClass(lk.account) == 'E' ? -v : v, split.factor);
        };
        if (!ForEachShareOfLine(LineKey(lk.id, lk.line), add)) return 0;
      }
    }
  }
  if (initialOwedOut) *initialOwedOut = found ? part.initialOwed : 0;
  if (initialPaidOut) *initialPaidOut = found ? part.initialPaid : 0;
  // The in-out totals run over several schedules: they take the same check.
  AmountSum owedTotal(owedInOut ? *owedInOut : 0), paidTotal(paidInOut ? *paidInOut : 0);
  owedTotal += owed;
  paidTotal += paid;
  if (!TotalsFit("participant dues (beyond the amount range)", {owedTotal, paidTotal})) return 0;
  if (owedInOut) *owedInOut = owedTotal.Value();
  if (paidInOut) *paidInOut = paidTotal.Value();
  if (foundOut && found) *foundOut = 1;
  return 1;
}

namespace {

constexpr const char* kEquipValuesBeyond = "equipment values (beyond the amount range)";

// Hands every live equipment item to f. A failed read shows `readFailure`
// as it is, or the read failure of "equipment item" when it is null.
template <class F>
int ForEachLiveItem(const char* readFailure, F f) {
  for (int r = 0; r < EquipTable.rowCount; ++r) {
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    EquipmentRecord item;
    if (ReadRecord(EquipFile, item, r) != 1) {
      if (readFailure) DispMessage(readFailure, MSG_FATAL);
      else ShowStoreError(ERR_READ, "equipment item", MSG_FATAL);
      return 0;
    }
    f(item);
  }
  return 1;
}

}  // namespace

int GetEquipValueChange(const char* fromDate, const char* toDate, int* sumOut) {
  AmountSum sum;
  bool fromAtStart = CompareDates(fromDate, FiscalStartDate, DF_YYYYMMDD) <= 0;
  int ok = ForEachLiveItem(nullptr, [&](const EquipmentRecord& item) {
    if (CompareDates(item.purchaseDate, fromDate, DF_YYYYMMDD) < 0) {
      if (fromAtStart) sum += static_cast<long long>(item.openingValue) - item.currentValue;
    } else if (DateInRange(fromDate, toDate, item.purchaseDate, DF_YYYYMMDD)) {
      sum += static_cast<long long>(item.price) - item.currentValue;
    }
  });
  if (!ok || !TotalsFit(kEquipValuesBeyond, {sum})) return 0;
  if (sumOut) *sumOut = sum.Value();
  return 1;
}

int GetEquipValueAt(const char* fromDate, const char* toDate, int* sumOut) {
  AmountSum sum;
  int ok = ForEachLiveItem(nullptr, [&](const EquipmentRecord& item) {
    if (item.lineKey == -1 && DateInRange(fromDate, toDate, item.purchaseDate, DF_YYYYMMDD)) sum += item.price;
  });
  if (!ok || !TotalsFit(kEquipValuesBeyond, {sum})) return 0;
  if (sumOut) *sumOut = sum.Value();
  return 1;
}

int GetEquipOriginalValue(const char* date, int* valueOut) {
  AmountSum sum;
  bool atStart = std::strcmp(date, FiscalStartDate) == 0;
  int ok = ForEachLiveItem("Read equip ovalue", [&](const EquipmentRecord& item) {
    if (CompareDates(item.purchaseDate, date, DF_YYYYMMDD) >= 0) return;
    sum += (atStart && item.openingValue != 0) ? item.openingValue : item.currentValue;
  });
  if (!ok) return 0;
  auto dates = LiveTransactionDates();
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status != 0 || k.account != kEquipmentAccount || CompareDates(k.date, date, DF_YYYYMMDD) >= 0) continue;
    TransactionRecord t;
    if (ReadRecord(TransFile, t, r) != 1) {
      ShowStoreError(ERR_READ, "equipment transaction", MSG_FATAL);
      return 0;
    }
    if (t.factor == -1) sum -= t.amount;
  }
  for (int s = 0; s < SupportTable.rowCount; ++s) {
    const SupportKey& lk = SupportTable.keys[static_cast<size_t>(s)];
    if (lk.status != 0 || lk.account != kEquipmentAccount) continue;
    auto d = dates.find(lk.id);
    if (d == dates.end() || CompareDates(d->second, date, DF_YYYYMMDD) >= 0) continue;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, s) != 1) {
      ShowStoreError(ERR_READ, "equipment support", MSG_FATAL);
      return 0;
    }
    if (line.factor == -1) sum -= line.amount;
  }
  if (!TotalsFit(kEquipValuesBeyond, {sum})) return 0;
  if (valueOut) *valueOut = sum.Value();
  return 1;
}

void GetReturnAddress(CStringArray& lines) {
  lines.RemoveAll();
  char city[48];
  FormatCityLine(UnitCity, UnitState, UnitZip, static_cast<int>(sizeof city), city);
  for (const char* line : {static_cast<const char*>(UnitName), static_cast<const char*>(UnitAddress1),
                           static_cast<const char*>(UnitAddress2), static_cast<const char*>(city)}) {
    if (line[0] != '\0') lines.Add(line);
  }
}
