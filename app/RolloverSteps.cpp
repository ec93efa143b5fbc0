// The record steps of the rollover: each rewrites one kind of record of the
// new year (still a copy of the old one) so that it starts where the old
// year ended.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "app/Rollover.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace {

bool Fail(const char* text) {
  DispMessage(text, MSG_FATAL);
  return false;
}

bool FailTemplate(ErrorTextIndex index, const char* item) {
  char text[256];
  FormatErrorText(text, index, item);
  return Fail(text);
}

int DateYear(const char* d) { return (d[0] - '0') * 1000 + (d[1] - '0') * 100 + (d[2] - '0') * 10 + (d[3] - '0'); }
int DateMonth(const char* d) { return (d[4] - '0') * 10 + (d[5] - '0'); }
int DateDay(const char* d) { return (d[6] - '0') * 10 + (d[7] - '0'); }

bool IsDate(const char* d) {
  if (std::strlen(d) != 8) return false;
  for (int i = 0; i < 8; ++i)
    if (d[i] < '0' || d[i] > '9') return false;
  return DateMonth(d) >= 1 && DateMonth(d) <= 12 && DateDay(d) >= 1 && DateDay(d) <= 31;
}

void PutDate(char (&out)[9], int year, int month, int day) {
  char text[40];
  std::snprintf(text, sizeof text, "%4.4d%2.2d%2.2d", year, month, day);
  CopyText(out, sizeof out, text);
}

// Every record of a file not kept open (participants, reserves), read in
// one go: the steps look through them once per schedule or member. False
// after the message when the file cannot be read.
template <class Rec>
bool ReadWhole(FILE* file, const char* word, std::vector<Rec>& out) {
  out.clear();
  constexpr int size = RecordSize<Rec>::value;
  std::vector<BYTE> bytes;
  if (file && std::fseek(file, 0, SEEK_END) == 0) {
    const long length = std::ftell(file);
    if (length >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
      bytes.resize(static_cast<size_t>(length / size) * size);
      if (bytes.empty() || std::fread(bytes.data(), bytes.size(), 1, file) == 1) {
        out.resize(bytes.size() / size);
        for (size_t i = 0; i < out.size(); ++i) Unpack(bytes.data() + i * size, out[i]);
        return true;
      }
    }
  }
  return FailTemplate(ERR_READ, word);
}

}  // namespace

int MonthAbbrIndex(const char* abbr) {
  for (int m = 0; m < 12 && abbr; ++m)
    if (CompareNoCaseN(abbr, MonthAbbrs[m], 3) == 0 && std::strlen(abbr) >= 3) return m;
  return -1;
}

bool RolloverBudgets(int mode) {
  if (mode == 1 || mode == 2) {
    if (BudgetFile) std::fclose(BudgetFile);
    BudgetFile = nullptr;
    if (!EmptyFile(BudgetPath)) {
      DispMessage("Could not initialize budgets", MSG_WARNING);
      return true;
    }
    if (!LoadBudgetKeys(0)) {
      DispMessage("Could not re-open budgets", MSG_WARNING);
      return true;
    }
  }
  if (mode == 2) {
    for (int r = 0; r < AcctTable.rowCount; ++r) {
      AccountRecord a;
      if (ReadRecord(AcctFile, a, r) != 1) return Fail("Read acct budge rollover");
      if (a.budgetRow == -1) continue;
      a.budgetRow = -1;
      if (WriteRecord(AcctFile, a, r) != 1) return Fail("Write acct budge rollover");
    }
  } else if (mode == 1) {
    // The year's activity is summed once for every account and month.
    RecordReadCache cache;
    std::map<int, std::array<int, 12>> activity;
    if (!SumActivityByMonth(&activity)) return Fail("Read monthly activity");
    int next = 0;
    for (int r = 0; r < AcctTable.rowCount; ++r) {
      AccountRecord a;
      if (ReadRecord(AcctFile, a, r) != 1) return Fail("Read acct budge rollover");
      if (a.status != kStatusLive) continue;
      BudgetRecord b;
      b.number = a.number;
      // Budget amounts are kept by calendar month, as the transactions' months are.
      const auto found = activity.find(a.number);
      for (int m = 0; m < 12; ++m) b.months[m] = found == activity.end() ? 0 : found->second[static_cast<size_t>(m)];
      if (WriteRecord(BudgetFile, b, next) != 1) return Fail("Write budge rollover");
      if (next < static_cast<int>(BudgetTable.keys.size())) {
        BudgetTable.keys[static_cast<size_t>(next)] = KeyOf(b);
        BudgetTable.rowCount = std::max(BudgetTable.rowCount, next + 1);
      }
      a.budgetRow = next++;
      if (WriteRecord(AcctFile, a, r) != 1) return Fail("Write budget acct rollover");
    }
  }
  return true;
}

void ShiftDateMonths(int months, char (&date)[9]) {
  if (!IsDate(date)) return;
  int month = DateMonth(date), day = DateDay(date);
  // The date's month as it lies in the loaded fiscal year.
  int year = GetFiscalYearOfMonth(month - 1);
  const int week = (day + 6) / 7;
  for (int i = 0; i < months; ++i) NextScheduleDate('M', week, &day, &month, &year);
  PutDate(date, year, month, day);
}

void RolloverScheduleDates(ScheduleRecord& s, const char* oldStart, const char* newStart) {
  if (!IsDate(oldStart) || !IsDate(newStart)) return;
  const int months = 12 * (DateYear(newStart) - DateYear(oldStart)) + (DateMonth(newStart) - DateMonth(oldStart));
  if (months <= 0) return;
  if ((s.frequency == 'M' || s.frequency == 'W') && IsDate(s.firstDate) && IsDate(s.secondDate)) {
    ShiftDateMonths(months, s.firstDate);
    ShiftDateMonths(months, s.secondDate);
    int year = DateYear(s.firstDate), month = DateMonth(s.firstDate), day = DateDay(s.firstDate);
    const int week = (day + 6) / 7;
    int slot = 0;
    for (; slot < 60; ++slot) {
      char date[9];
      PutDate(date, year, month, day);
      if (std::strcmp(date, s.secondDate) > 0) break;
      std::memcpy(s.dueDates[slot], date, sizeof date);
      if (s.amounts[slot] == 0) s.amounts[slot] = slot > 0 ? s.amounts[slot - 1] : 0;
      NextScheduleDate(s.frequency, week, &day, &month, &year);
    }
    for (; slot < 60; ++slot) {
      std::memset(s.dueDates[slot], 0, sizeof s.dueDates[slot]);
      s.amounts[slot] = 0;
    }
    return;
  }
  for (int slot = 0; slot < 60 && s.dueDates[slot][0]; ++slot) ShiftDateMonths(months, s.dueDates[slot]);
}

bool RolloverParticipants(int scheduleRow, LONG scheduleAccount, const char* newStart) {
  std::vector<ParticipantRecord> all;
  if (!ReadWhole(ParticipantFile, "participant", all)) return false;
  for (int row = 0; row < static_cast<int>(all.size()); ++row) {
    ParticipantRecord p = all[static_cast<size_t>(row)];
    if (p.scheduleRow != scheduleRow || p.memberRow < 0 || p.memberRow >= MemberTable.rowCount) continue;
    MemberRow member;
    std::memset(&member, 0, sizeof member);
    if (ReadMemberRecord(MemberFile, &member, 4, 0, p.memberRow) != 1) return FailTemplate(ERR_READ, "member");
    int owed = 0, paid = 0, found = 0;
    if (!GetParticipantDues(scheduleRow, row, p.memberRow, newStart, 1, 0, &member, nullptr, &owed, nullptr, &paid,
                            &found))
      return false;
    if (!found) continue;
    if (scheduleAccount == kDuesAccount) {
      const long long left = static_cast<long long>(owed) - paid;
      if (left < INT_MIN || left > INT_MAX) return Fail("Participant dues beyond the amount range");
      p.initialOwed = static_cast<LONG>(left);
      p.initialPaid = 0;
    } else {
      p.initialOwed = owed;
      p.initialPaid = paid;
    }
    if (WriteRecord(ParticipantFile, p, row) != 1) return FailTemplate(ERR_WRITE, "participant");
  }
  return true;
}

bool RolloverSchedules(const char* firstMonth, int year) {
  const int month = MonthAbbrIndex(firstMonth);
  char newStart[9];
  PutDate(newStart, year, month + 1, 1);
  if (!OpenScheduleFiles()) return false;
  bool ok = true;
  for (int row = 0; ok && row < ScheduleTable.rowCount; ++row) {
    if (ScheduleTable.keys[static_cast<size_t>(row)].status != kStatusLive) continue;
    ScheduleRecord s;
    if (ReadRecord(ScheduleFile, s, row) != 1) {
      ok = FailTemplate(ERR_READ, "schedule");
      break;
    }
    if (!RolloverParticipants(row, s.account, newStart)) {
      ok = false;
      break;
    }
    RolloverScheduleDates(s, FiscalStartDate, newStart);
    if (WriteRecord(ScheduleFile, s, row) != 1) ok = FailTemplate(ERR_WRITE, "schedule");
  }
  CloseScheduleFiles();
  return ok;
}

namespace {

bool DropAccountParts(const AccountRecord& a) {
  if (!TheAcctGroupDBase().RemoveAccount(a.number)) return Fail(TheAcctGroupDBase().GetErrorText());
  if (a.budgetRow != -1) {
    BudgetRecord b;
    if (ReadRecord(BudgetFile, b, a.budgetRow) != 1) return FailTemplate(ERR_READ, "budget");
    b.status = kStatusDeleted;
    if (WriteRecord(BudgetFile, b, a.budgetRow) != 1) return FailTemplate(ERR_WRITE, "budget");
    if (a.budgetRow >= 0 && a.budgetRow < BudgetTable.rowCount)
      BudgetTable.keys[static_cast<size_t>(a.budgetRow)].status = kStatusDeleted;
  }
  if (GetAcctClass(a.number) == 'R') {
    if (!OpenReserveFile()) return false;
    bool ok = true;
    for (int row = 0; ok; ++row) {
      ReserveRecord rec;
      const int r = ReadRecord(ReserveFile, rec, row);
      if (r == -1) break;
      if (r == 0) ok = FailTemplate(ERR_READ, "reserve");
      else if (rec.account == a.number) {
        rec.account = -1;
        if (WriteRecord(ReserveFile, rec, row) != 1) ok = FailTemplate(ERR_WRITE, "reserve");
      }
    }
    CloseReserveFile();
    if (!ok) return false;
  }
  if (!OpenScheduleFiles()) return false;
  DeleteSchedule(nullptr, a.number, 1);
  bool left = false;
  for (int r = 0; r < ScheduleTable.rowCount; ++r) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(r)];
    if (k.account == a.number && k.status == kStatusLive) left = true;
  }
  CloseScheduleFiles();
  // A schedule that could not be deleted has shown its message.
  return !left;
}

}  // namespace

bool RolloverAccounts(int keepAll) {
  int liveItems = 0;
  for (int r = 0; r < EquipTable.rowCount; ++r)
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusLive) ++liveItems;
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    AccountRecord a;
    if (ReadRecord(AcctFile, a, r) != 1) return FailTemplate(ERR_READ, "account");
    // A deleted account's budget slot may serve another account by now.
    if (a.status == kStatusDeleted) continue;
    const bool fixed = a.number == kDuesAccount || a.number == kEquipmentAccount || a.number == kReserveAllocationAccount;
    const bool drop = a.currentBalance == 0 && !keepAll && !fixed;
    if (drop) {
      a.status = kStatusDeleted;
      AcctTable.keys[static_cast<size_t>(r)].status = kStatusDeleted;
    } else {
      const char letter = GetAcctClass(a.number);
      if (letter == 'E' || letter == 'I') a.openingBalance = a.currentBalance = 0;
      else a.openingBalance = a.currentBalance;
    }
    a.usageCount = a.number == kEquipmentAccount ? liveItems : 0;
    if (WriteRecord(AcctFile, a, r) != 1) return FailTemplate(ERR_WRITE, "account");
    if (drop && !DropAccountParts(a)) return false;
  }
  return true;
}

bool RolloverEquipment() {
  long long total = 0;
  for (int r = 0; r < EquipTable.rowCount; ++r) {
    EquipmentRecord e;
    if (ReadRecord(EquipFile, e, r) != 1) return Fail("Read equip rollover");
    e.lineKey = -1;
    e.openingValue = e.currentValue;
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusMarked) {
      e.status = kStatusDeleted;
      EquipTable.keys[static_cast<size_t>(r)].status = kStatusDeleted;
    }
    if (e.status == kStatusLive) total += e.currentValue;
    if (WriteRecord(EquipFile, e, r) != 1) return Fail("Write equip rollover");
  }
  if (total < INT_MIN || total > INT_MAX) return Fail("Equipment value beyond the amount range");
  int pos = -1;
  if (!FindAcctIndex(kEquipmentAccount, &pos) || pos < 0) return true;
  const int row = AcctTable.byNumber[static_cast<size_t>(pos)];
  AccountRecord a;
  if (ReadRecord(AcctFile, a, row) != 1) return FailTemplate(ERR_READ, "account");
  // The balance opens at the items' value, and nothing has moved it yet.
  a.openingBalance = a.currentBalance = static_cast<LONG>(total);
  if (WriteRecord(AcctFile, a, row) != 1) return FailTemplate(ERR_WRITE, "account");
  return true;
}

bool RolloverFriends(int years, const char* newYearText) {
  for (int r = 0; r < FriendTable.rowCount; ++r) {
    FriendRecord f;
    if (ReadRecord(FriendFile, f, r) != 1) return Fail("Read friend rollover");
    LONG* c = f.yearAmounts;
    c[0] = c[1];
    c[1] = c[2];
    c[2] = c[3];
    c[3] = 0;
    const long long sum = static_cast<long long>(c[0]) + c[1] + c[2];
    f.total = static_cast<LONG>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
    std::memmove(f.yearLabels[0], f.yearLabels[1], 3 * sizeof f.yearLabels[0]);
    SetText(f.yearLabels[3], newYearText);
    int lapsed = 0;
    if (c[2] == 0) lapsed = c[1] != 0 ? 1 : (c[0] != 0 ? 2 : 3);
    FriendKey& key = FriendTable.keys[static_cast<size_t>(r)];
    key.total = f.total;
    if (years > 0 && lapsed >= years && f.status != kStatusDeleted) {
      f.status = kStatusDeleted;
      key.status = kStatusDeleted;
    }
    if (WriteRecord(FriendFile, f, r) != 1) return Fail("Write friend rollover");
  }
  return true;
}

namespace {

bool RolloverReserveAccount(int acctRow, const AccountRecord& account) {
  const int members = MemberTable.rowCount;
  std::vector<long long> amounts(static_cast<size_t>(members), 0);
  // Each member's opening reserve in the account: its first record there.
  std::vector<ReserveRecord> records;
  if (!ReadWhole(ReserveFile, "reserve", records)) return false;
  std::vector<int> openings(static_cast<size_t>(members), 0);
  std::vector<bool> seen(static_cast<size_t>(members), false);
  for (const ReserveRecord& rec : records) {
    if (rec.account != account.number || rec.memberRow < 0 || rec.memberRow >= members) continue;
    if (seen[static_cast<size_t>(rec.memberRow)]) continue;
    seen[static_cast<size_t>(rec.memberRow)] = true;
    openings[static_cast<size_t>(rec.memberRow)] = rec.amount;
  }
  bool any = false;
  for (int m = 0; m < members; ++m) {
    if (MemberTable.keys[static_cast<size_t>(m)].status != kStatusLive) continue;
    int opening = openings[static_cast<size_t>(m)], activity = 0;
    if (!SumSplitsForAcct(account.number, m, FiscalStartDate, FiscalEndDate, &activity)) return false;
    amounts[static_cast<size_t>(m)] = static_cast<long long>(opening) + activity;
    if (amounts[static_cast<size_t>(m)] < INT_MIN || amounts[static_cast<size_t>(m)] > INT_MAX)
      return Fail("Member reserve beyond the amount range");
  }
  int cursor = 0;
  for (int m = 0; m < members; ++m) {
    const long long amount = amounts[static_cast<size_t>(m)];
    if (amount == 0) continue;
    for (;; ++cursor) {
      ReserveRecord rec;
      const int r = ReadRecord(ReserveFile, rec, cursor);
      if (r == -1) break;
      if (r == 0) return FailTemplate(ERR_READ, "reserve");
      if (rec.account == -1 || rec.account == account.number) break;
    }
    ReserveRecord rec;
    rec.memberRow = m;
    rec.account = account.number;
    rec.amount = static_cast<LONG>(amount);
    if (WriteRecord(ReserveFile, rec, cursor) != 1) return FailTemplate(ERR_WRITE, "reserve");
    ++cursor;
    any = true;
  }
  for (int row = cursor;; ++row) {
    ReserveRecord rec;
    const int r = ReadRecord(ReserveFile, rec, row);
    if (r == -1) break;
    if (r == 0) return FailTemplate(ERR_READ, "reserve");
    if (rec.account != account.number) continue;
    rec.account = -1;
    if (WriteRecord(ReserveFile, rec, row) != 1) return FailTemplate(ERR_WRITE, "reserve");
  }
  AccountRecord a = account;
  a.memberReserves = any ? 1 : 0;
  if (WriteRecord(AcctFile, a, acctRow) != 1) return FailTemplate(ERR_WRITE, "reserve account");
  return true;
}

}  // namespace

bool RolloverReserves() {
  if (!OpenReserveFile()) return false;
  bool ok = true;
  for (int r = 0; ok && r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusLive || GetAcctClass(k.number) != 'R') continue;
    AccountRecord a;
    if (ReadRecord(AcctFile, a, r) != 1) ok = FailTemplate(ERR_READ, "reserve account");
    else ok = RolloverReserveAccount(r, a);
  }
  CloseReserveFile();
  return ok;
}

bool RolloverMembers() {
  // Members dropped leave their schedules; the participants are gone through
  // once for all of them.
  std::vector<char> dropped(static_cast<size_t>(std::max(MemberTable.rowCount, 0)), 0);
  bool anyDropped = false;
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    MemberKey& key = MemberTable.keys[static_cast<size_t>(r)];
    if (key.status == kStatusDeleted) continue;
    auto m = std::make_unique<MemberRow>();
    std::memset(m.get(), 0, sizeof *m);
    if (ReadMemberRecord(MemberFile, m.get(), 4, 0, r) != 1) return Fail("Read scout rollover");
    const bool drop = m->type != 2 && key.status == kStatusMarked;
    if (drop) {
      m->status = kStatusDeleted;
      key.status = kStatusDeleted;
    }
    m->openingBalance = m->currentBalance;
    m->transCount = 0;
    if (WriteMemberRecord(MemberFile, m.get(), r) != 1) return Fail("Write scout rollover");
    if (drop) dropped[static_cast<size_t>(r)] = anyDropped = true;
  }
  if (!anyDropped) return true;
  if (!OpenScheduleFiles()) return false;
  std::vector<ParticipantRecord> all;
  bool ok = ReadWhole(ParticipantFile, "participant", all);
  for (int row = 0; ok && row < static_cast<int>(all.size()); ++row) {
    ParticipantRecord& p = all[static_cast<size_t>(row)];
    if (p.scheduleRow == -1 || p.memberRow < 0 || p.memberRow >= static_cast<LONG>(dropped.size()) ||
        !dropped[static_cast<size_t>(p.memberRow)])
      continue;
    p.scheduleRow = -1;
    p.memberRow = -1;
    if (WriteRecord(ParticipantFile, p, row) != 1) ok = FailTemplate(ERR_WRITE, "participant");
  }
  CloseScheduleFiles();
  return ok;
}

int SetFiscalFirstMonth(const char* firstMonth, int year) {
  const int month = MonthAbbrIndex(firstMonth);
  FiscalFirstMonth = month < 0 ? 0 : month;
  FiscalStartYear = year;
  if (FiscalFirstMonth == 0) {
    FiscalLastMonth = 11;
    FiscalEndYear = year;
  } else {
    FiscalLastMonth = FiscalFirstMonth - 1;
    FiscalEndYear = year + 1;
  }
  return ReadWriteUnitInfo(1);
}
