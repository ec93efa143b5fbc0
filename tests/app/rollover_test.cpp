// The rollover of the fixture year 2008 into 2009: every carried value, the
// budget modes and schedule shifts, the refusals, and a failure at every
// step and every record write, after which the old year is intact and
// current.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "YearTestUtil.h"
#include "app/Rollover.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"
#include "store/WriteFailures.h"

namespace {

using fixture::kAnna;
using fixture::kBen;

template <class Rec>
std::vector<Rec> ReadAll(FILE* file) {
  std::vector<Rec> all;
  for (int row = 0;; ++row) {
    Rec rec;
    if (ReadRecord(file, rec, row) != 1) break;
    all.push_back(rec);
  }
  return all;
}

struct OldYear {
  std::vector<AccountRecord> accounts;
  std::map<int, std::vector<int>> activity;  // account -> twelve month totals
  int liveItemsValue = 0;
  int liveItems = 0;
  std::vector<MemberRow> members;
  int annaReserve = 0;
  int annaOwed = 0, annaPaid = 0;
};

class RolloverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeYearCurrent(fy);
    newFolder = fy.home() + "/fy2009";
    // Friends with a history: Dana gave only two years ago (lapses two
    // years at the rollover), Eve gave this year.
    for (int row = 0; row < FriendTable.rowCount; ++row) {
      FriendRecord f;
      ASSERT_EQ(ReadRecord(FriendFile, f, row), 1);
      const bool dana = std::strcmp(f.firstName, "Dana") == 0;
      const LONG amounts[4] = {0, dana ? 7500 : 0, 0, dana ? 0 : 50000};
      const char* labels[4] = {"2005", "2006", "2007", "2008"};
      for (int i = 0; i < 4; ++i) {
        f.yearAmounts[i] = amounts[i];
        SetText(f.yearLabels[i], labels[i]);
      }
      ASSERT_EQ(WriteRecord(FriendFile, f, row), 1);
    }
    // Ben has left; the tent is removed; the loan (a zero balance) belongs
    // to a profit centre.
    MemberRow ben;
    std::memset(&ben, 0, sizeof ben);
    ASSERT_EQ(ReadMemberRecord(MemberFile, &ben, 4, 0, kBen), 1);
    ben.status = kStatusMarked;
    ASSERT_EQ(WriteMemberRecord(MemberFile, &ben, kBen), 1);
    for (int row = 0; row < EquipTable.rowCount; ++row) {
      EquipmentRecord e;
      ASSERT_EQ(ReadRecord(EquipFile, e, row), 1);
      if (std::strcmp(e.description, "Tent") != 0) continue;
      e.status = kStatusMarked;
      ASSERT_EQ(WriteRecord(EquipFile, e, row), 1);
    }
    // The loan has a repayment schedule that Anna takes part in.
    ASSERT_EQ(OpenScheduleFiles(), 1);
    ScheduleRecord repay;
    repay.account = 401;
    SetText(repay.name, "Loan Repayment");
    repay.frequency = 'M';
    SetText(repay.dueDates[0], "20080301");
    repay.amounts[0] = 1000;
    auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
    slots[kAnna].scheduleRow = 0;
    slots[kAnna].memberRow = kAnna;
    ASSERT_EQ(AddSchedule(&repay, slots.get(), &loanSchedule), 1);
    CloseScheduleFiles();
    CAcctGroup loans;
    loans.SetName("Loans");
    loans.AddAccount(401);
    ASSERT_EQ(TheAcctGroupDBase().Add(loans), 1);
    ASSERT_EQ(fy.Reopen(), 1);
    oldFiles = Snapshot(fy.folder());
    oldConfig = FileBytes(ConfigFileName);
  }

  OldYear Remember() {
    OldYear old;
    old.accounts = ReadAll<AccountRecord>(AcctFile);
    for (const AccountRecord& a : old.accounts) {
      std::vector<int> months(12);
      for (int m = 0; m < 12; ++m) {
        int total = 0;
        EXPECT_EQ(SumAcctActivity(a.number, GetAcctClass(a.number), m, "", &months[m], &total), 1);
      }
      old.activity[a.number] = months;
    }
    for (const EquipmentRecord& e : ReadAll<EquipmentRecord>(EquipFile))
      if (e.status == kStatusLive) {
        old.liveItemsValue += e.currentValue;
        ++old.liveItems;
      }
    for (int row = 0; row < MemberTable.rowCount; ++row) {
      MemberRow m;
      EXPECT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
      old.members.push_back(m);
    }
    EXPECT_EQ(OpenReserveFile(), 1);
    int opening = 0, activity = 0;
    EXPECT_EQ(FindReserveRecord(710, kAnna, &opening), 1);
    EXPECT_EQ(SumSplitsForAcct(710, kAnna, FiscalStartDate, FiscalEndDate, &activity), 1);
    old.annaReserve = opening + activity;
    CloseReserveFile();
    EXPECT_EQ(OpenScheduleFiles(), 1);
    int found = 0;
    EXPECT_EQ(GetParticipantDues(0, 0, kAnna, "20090101", 1, 0, &old.members[kAnna], nullptr, &old.annaOwed, nullptr,
                                 &old.annaPaid, &found),
              1);
    CloseScheduleFiles();
    return old;
  }

  // The old year is loaded and current, its files and the configuration as
  // they were, and nothing of the new year is left listed.
  void ExpectOldYearIntact(const std::string& label) {
    SCOPED_TRACE(label);
    EXPECT_STREQ(CurrentFiscalYear, "2008");
    EXPECT_STREQ(FiscalYearYY, "08");
    ASSERT_NE(CurrentYearNode, nullptr);
    EXPECT_EQ(std::string(CurrentYearNode->folder), fy.folder());
    EXPECT_EQ(YearCount, 1);
    EXPECT_EQ(FindYearNode("2009", 0, &YearList), nullptr);
    EXPECT_EQ(std::string(DataFolder), fy.folder());
    EXPECT_NE(AcctFile, nullptr);
    EXPECT_EQ(fixture::FiscalYear::Balance(101), fixture::FiscalYear::Account(101).currentBalance);
    EXPECT_STREQ(FiscalStartDate, "20080101");
    EXPECT_EQ(Snapshot(fy.folder()), oldFiles);
    EXPECT_EQ(FileBytes(ConfigFileName), oldConfig);
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(newFolder, ec))
      EXPECT_EQ(e.path().filename().string().rfind(".rollover", 0), std::string::npos) << e.path();
  }

  fixture::FiscalYear fy;
  int loanSchedule = -1;
  std::string newFolder;
  std::map<std::string, std::string> oldFiles;
  std::string oldConfig;
};

TEST_F(RolloverTest, CarriesEveryValueIntoTheNewYear) {
  const OldYear old = Remember();
  AnswerEveryBox();
  ASSERT_EQ(DoRollover(newFolder.c_str(), "Jan", 2009, 2009, 0, 0, 2), 1);

  // The new year is loaded, current and listed; the old one untouched.
  EXPECT_STREQ(CurrentFiscalYear, "2009");
  EXPECT_STREQ(FiscalYearYY, "09");
  ASSERT_NE(CurrentYearNode, nullptr);
  EXPECT_EQ(std::string(CurrentYearNode->folder), newFolder);
  EXPECT_EQ(YearCount, 2);
  EXPECT_EQ(std::string(DataFolder), newFolder);
  const std::string config = FileBytes(ConfigFileName);
  EXPECT_NE(config.find("Fiscal Year\t= 2009\r\n"), std::string::npos) << config;
  EXPECT_NE(config.find("Data Folder\t= 2008/" + fy.folder() + "\r\n"), std::string::npos);
  EXPECT_NE(config.find("Data Folder\t= 2009/" + newFolder + "\r\n"), std::string::npos);
  EXPECT_EQ(Snapshot(fy.folder()), oldFiles);
  // The unit file's first month.
  EXPECT_STREQ(FiscalStartDate, "20090101");
  EXPECT_EQ(FiscalFirstMonth, 0);
  EXPECT_EQ(FiscalStartYear, 2009);

  // Accounts: idle ones dropped (never 399, 599, 900), income and expense
  // at 0, the rest opening at their closing balance, 399 at its items.
  for (const AccountRecord& was : old.accounts) {
    SCOPED_TRACE(was.number);
    const bool fixed = was.number == 399 || was.number == 599 || was.number == 900;
    int pos = -1;
    const bool found = FindAcctIndex(was.number, &pos) == 1 && pos >= 0;
    if (was.currentBalance == 0 && !fixed) {
      EXPECT_FALSE(found);
      continue;
    }
    ASSERT_TRUE(found);
    const AccountRecord now = fixture::FiscalYear::Account(was.number);
    const char letter = GetAcctClass(was.number);
    int expected = letter == 'E' || letter == 'I' ? 0 : was.currentBalance;
    if (was.number == 399) expected = old.liveItemsValue;
    EXPECT_EQ(now.openingBalance, expected);
    EXPECT_EQ(now.currentBalance, expected);
    EXPECT_EQ(now.usageCount, was.number == 399 ? old.liveItems : 0);
    EXPECT_EQ(now.budgetRow, was.budgetRow);
  }
  EXPECT_TRUE(std::any_of(old.accounts.begin(), old.accounts.end(),
                          [](const AccountRecord& a) { return a.number == 401 && a.currentBalance == 0; }));
  // The dropped loan has left its profit centre; the kept budget stays.
  CAcctGroup loans;
  ASSERT_EQ(TheAcctGroupDBase().Get("Loans", &loans), 1);
  AcctNumberList numbers;
  loans.CopyAccounts(&numbers);
  EXPECT_EQ(std::count(numbers.begin(), numbers.end(), 401u), 0);
  BudgetRecord budget;
  ASSERT_EQ(ReadRecord(BudgetFile, budget, fixture::FiscalYear::Account(620).budgetRow), 1);
  EXPECT_EQ(budget.months[5], 1000);

  // Equipment: the removed tent is gone, the canoe opens at its value.
  for (const EquipmentRecord& e : ReadAll<EquipmentRecord>(EquipFile)) {
    EXPECT_EQ(e.lineKey, -1);
    EXPECT_EQ(e.openingValue, e.currentValue);
    EXPECT_EQ(e.status, std::strcmp(e.description, "Tent") == 0 ? kStatusDeleted : kStatusLive) << e.description;
  }

  // Friends: years shifted, the lapsed one dropped.
  for (const FriendRecord& f : ReadAll<FriendRecord>(FriendFile)) {
    SCOPED_TRACE(f.firstName);
    EXPECT_STREQ(f.yearLabels[0], "2006");
    EXPECT_STREQ(f.yearLabels[3], "2009");
    EXPECT_EQ(f.yearAmounts[3], 0);
    const bool dana = std::strcmp(f.firstName, "Dana") == 0;
    EXPECT_EQ(f.status, dana ? kStatusDeleted : kStatusLive);
    EXPECT_EQ(f.yearAmounts[dana ? 0 : 2], dana ? 7500 : 50000);
    EXPECT_EQ(f.total, dana ? 7500 : 50000);
  }

  // Members: Ben, who left, is dropped with his participation; every
  // passbook opens at its closing balance.
  for (int row = 0; row < static_cast<int>(old.members.size()); ++row) {
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    EXPECT_EQ(m.status, row == kBen ? kStatusDeleted : kStatusLive) << row;
    EXPECT_EQ(m.openingBalance, old.members[static_cast<size_t>(row)].currentBalance) << row;
    EXPECT_EQ(m.currentBalance, old.members[static_cast<size_t>(row)].currentBalance) << row;
    EXPECT_EQ(m.transCount, 0) << row;
  }
  ASSERT_EQ(OpenScheduleFiles(), 1);
  std::vector<ParticipantRecord> parts = ReadAll<ParticipantRecord>(ParticipantFile);
  ScheduleRecord dues, repay;
  ASSERT_EQ(ReadRecord(ScheduleFile, dues, 0), 1);
  ASSERT_EQ(ReadRecord(ScheduleFile, repay, loanSchedule), 1);
  CloseScheduleFiles();
  // The dropped loan's schedule went with it, and its participation.
  EXPECT_EQ(repay.status, kStatusDeleted);
  for (const ParticipantRecord& p : parts) EXPECT_NE(p.scheduleRow, loanSchedule);
  int annaParts = 0;
  for (const ParticipantRecord& p : parts) {
    EXPECT_NE(p.memberRow, kBen);
    if (p.memberRow != kAnna) continue;
    ++annaParts;
    // A dues schedule carries what is left owing.
    EXPECT_EQ(p.initialOwed, old.annaOwed - old.annaPaid);
    EXPECT_EQ(p.initialPaid, 0);
  }
  EXPECT_EQ(annaParts, 1);
  EXPECT_EQ(old.annaOwed, 1500);
  // A monthly date keeps its weekday and week of the month: the first
  // Tuesday (1 Jan 2008) and the first Saturday (1 Mar 2008) a year on.
  EXPECT_STREQ(dues.dueDates[0], "20090106");
  EXPECT_STREQ(dues.dueDates[2], "20090307");
  EXPECT_EQ(dues.dueDates[3][0], 0);

  // Reserves: Anna's carried, Ben's slot freed.
  ASSERT_EQ(OpenReserveFile(), 1);
  int anna = 0, ben = 0;
  EXPECT_EQ(FindReserveRecord(710, kAnna, &anna), 1);
  EXPECT_EQ(FindReserveRecord(710, kBen, &ben), 1);
  CloseReserveFile();
  EXPECT_EQ(anna, old.annaReserve);
  EXPECT_EQ(ben, 0);
  EXPECT_EQ(fixture::FiscalYear::Account(710).memberReserves, 1);

  // The transaction files are empty.
  for (const char* stem : {"trans", "suppt", "split", "subac"})
    EXPECT_EQ(fixture::FileSize(newFolder + "/" + stem + "409.dat"), 0) << stem;
  EXPECT_EQ(TransTable.rowCount, 0);
}

TEST_F(RolloverTest, BudgetModesAndScheduleShifts) {
  // A weekly schedule over a range, regenerated; the others shifted.
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ScheduleRecord weekly;
  weekly.account = 620;
  SetText(weekly.name, "Weekly Camp");
  weekly.frequency = 'W';
  SetText(weekly.firstDate, "20080902");
  SetText(weekly.secondDate, "20080916");
  weekly.amounts[0] = 300;
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  int weeklyRow = -1;
  ASSERT_EQ(AddSchedule(&weekly, slots.get(), &weeklyRow), 1);
  CloseScheduleFiles();
  const OldYear old = Remember();
  AnswerEveryBox();
  // A first month moved from January to February: a 13-month shift.
  ASSERT_EQ(DoRollover(newFolder.c_str(), "feb", 2009, 2009, 1, 1, 0), 1);
  EXPECT_STREQ(FiscalStartDate, "20090201");
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ScheduleRecord dues, week;
  ASSERT_EQ(ReadRecord(ScheduleFile, dues, 0), 1);
  ASSERT_EQ(ReadRecord(ScheduleFile, week, weeklyRow), 1);
  CloseScheduleFiles();
  EXPECT_STREQ(dues.dueDates[0], "20090203");
  EXPECT_STREQ(dues.dueDates[2], "20090404");
  EXPECT_STREQ(week.firstDate, "20091006");  // first Tuesday, 13 months on
  EXPECT_STREQ(week.dueDates[0], "20091006");
  EXPECT_STREQ(week.dueDates[2], "20091020");
  EXPECT_EQ(week.dueDates[3][0], 0);
  EXPECT_EQ(week.amounts[2], 300);
  // Every account kept, each with a budget of its actual figures.
  for (const AccountRecord& was : old.accounts) {
    SCOPED_TRACE(was.number);
    const AccountRecord now = fixture::FiscalYear::Account(was.number);
    ASSERT_GE(now.budgetRow, 0);
    BudgetRecord b;
    ASSERT_EQ(ReadRecord(BudgetFile, b, now.budgetRow), 1);
    EXPECT_EQ(b.number, was.number);
    for (int m = 0; m < 12; ++m) EXPECT_EQ(b.months[m], old.activity.at(was.number)[static_cast<size_t>(m)]) << m;
  }
}

TEST_F(RolloverTest, ExcludedBudgetsLeaveNoBudgetRecord) {
  AnswerEveryBox();
  ASSERT_EQ(DoRollover(newFolder.c_str(), "Jan", 2009, 2009, 1, 2, 0), 1);
  for (const AccountRecord& a : ReadAll<AccountRecord>(AcctFile)) EXPECT_EQ(a.budgetRow, -1) << a.number;
  EXPECT_EQ(fixture::FileSize(newFolder + "/budge409.dat"), 0);
}

TEST_F(RolloverTest, RefusesTheLoadedYearsFolderAndYear) {
  std::vector<std::string>& shown = AnswerEveryBox();
  const std::string sameByAnotherPath = fy.home() + "/./fy2008";
  EXPECT_EQ(DoRollover(sameByAnotherPath.c_str(), "Jan", 2009, 2009, 1, 0, 0), 0);
  ASSERT_FALSE(shown.empty());
  EXPECT_NE(shown.back().find("folder of the loaded year"), std::string::npos) << shown.back();
  EXPECT_EQ(DoRollover(newFolder.c_str(), "Jan", 2008, 2008, 1, 0, 0), 0);
  EXPECT_NE(shown.back().find("You may not rollover to the current year"), std::string::npos);
  newFolder = fy.home() + "/none";
  ExpectOldYearIntact("refused");
}

RolloverFaultGate MakeGate(int failing) {
  static int point;
  point = failing;
  return [](int p) { return p != point; };
}

TEST_F(RolloverTest, AFailureAtAnyStepLeavesTheOldYearLoadedAndCurrent) {
  std::vector<std::string>& shown = AnswerEveryBox();
  for (int point = -2; point <= 13; ++point) {
    shown.clear();
    SetRolloverFaultGate(MakeGate(point));
    EXPECT_EQ(DoRollover(newFolder.c_str(), "Jan", 2009, 2009, 0, 1, 2), 0) << point;
    SetRolloverFaultGate(nullptr);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Rollover Cancelled."), shown.end()) << point;
    ExpectOldYearIntact("step " + std::to_string(point));
  }
}

TEST_F(RolloverTest, AFailedRecordWriteAnywhereLeavesTheOldYearLoadedAndCurrent) {
  AnswerEveryBox();
  // Count the record writes of a whole rollover, in a copy of the fixture
  // that is thrown away after.
  int writes = 0;
  {
    const std::string spare = fy.home() + "/spare";
    std::filesystem::copy(fy.folder(), spare);
    FiscalYearNode* node = CurrentYearNode;
    std::snprintf(node->folder, sizeof node->folder, "%s", spare.c_str());
    ASSERT_EQ(OpenDatabase(spare.c_str(), "08", 0), 1);
    write_failures::Set([&](FILE*, int) {
      ++writes;
      return true;
    });
    ASSERT_EQ(DoRollover((fy.home() + "/counted").c_str(), "Jan", 2009, 2009, 0, 1, 2), 1);
    write_failures::Reset();
    // Back to the fixture's year as it was.
    MakeYearCurrent(fy);
    ASSERT_EQ(fy.Reopen(), 1);
    oldConfig = FileBytes(ConfigFileName);
  }
  ASSERT_GT(writes, 20);
  for (int k = 0; k < writes; ++k) {
    write_failures::Set([k, n = 0](FILE*, int) mutable { return n++ != k; });
    EXPECT_EQ(DoRollover(newFolder.c_str(), "Jan", 2009, 2009, 0, 1, 2), 0) << k;
    write_failures::Reset();
    ExpectOldYearIntact("write " + std::to_string(k));
  }
}

}  // namespace
