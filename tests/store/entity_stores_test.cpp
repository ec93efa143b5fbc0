// The account, member, equipment, friend and schedule stores: reuse of
// deleted rows, refusals with their messages, and what each keeps in step.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/Fixture.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/TransStore.h"
#include "store/UnitInfo.h"
#include "store/WriteFailures.h"

namespace {

using fixture::FiscalYear;
using fixture::kAnna;
using fixture::kBen;

int CountReserveRecords(int account) {
  EXPECT_EQ(OpenReserveFile(), 1);
  int n = 0;
  ReserveRecord r;
  for (int row = 0; ReadRecord(ReserveFile, r, row) == 1; ++row)
    if (r.account == account) ++n;
  CloseReserveFile();
  return n;
}

TEST(AccountStore, FindAcctIndexPositions) {
  FiscalYear fy;
  int pos;
  EXPECT_EQ(FindAcctIndex(150, &pos), 0);
  EXPECT_EQ(AcctTable.keys[AcctTable.byNumber[pos]].number, 201);
  EXPECT_EQ(FindAcctIndex(950, &pos), 0);
  EXPECT_EQ(pos, -1);
  char label[64];
  GetAcctLabel(520, label);
  EXPECT_STREQ(label, "520 - Fundraising");
  GetAcctLabel(521, label);
  EXPECT_STREQ(label, "Unknown account");
}

TEST(AccountStore, DeleteRefusalsAndWhatADeleteTakesAlong) {
  FiscalYear fy;
  automation::ExpectMessageBox("Question", "599 - Dues", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "You may not delete a reserved system account", IDOK);
  EXPECT_EQ(DeleteAcct(599), 0);
  automation::ExpectMessageBox("Question", "", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "Account is involved in transactions - cannot delete", IDOK);
  EXPECT_EQ(DeleteAcct(620), 0);
  automation::ExpectMessageBox("Error", "Could not find 777", IDOK);
  EXPECT_EQ(DeleteAcct(777), 0);
  // Declined: nothing happens.
  automation::ExpectMessageBox("Question", "401 - Loan", ANSWER_NO);
  EXPECT_EQ(DeleteAcct(401), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());

  // An unused account with a budget, a schedule and a group membership.
  AccountRecord tours;
  tours.number = 630;
  SetText(tours.name, "Tours");
  tours.budgetRow = 0;
  int row;
  ASSERT_EQ(AddAcct(&tours, nullptr, 0, nullptr, &row), 1);
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ScheduleRecord s;
  s.account = 630;
  SetText(s.name, "Tour fees");
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  ASSERT_EQ(AddSchedule(&s, slots.get(), nullptr), 1);
  CloseScheduleFiles();
  CAcctGroup g;
  g.SetName("Trips");
  g.AddAccount(630);
  ASSERT_EQ(TheAcctGroupDBase().Add(g), 1);
  int live = AcctTable.liveCount;
  automation::ExpectMessageBox("Question", "630 - Tours", ANSWER_YES);
  ASSERT_EQ(DeleteAcct(630), 1);
  EXPECT_EQ(AcctTable.liveCount, live - 1);
  EXPECT_EQ(BudgetTable.keys[0].status, kStatusDeleted);
  EXPECT_EQ(ScheduleTable.keys[1].status, kStatusDeleted);
  CAcctGroup back;
  ASSERT_EQ(TheAcctGroupDBase().Get("Trips", &back), 1);
  AcctNumberList accounts;
  EXPECT_EQ(back.CopyAccounts(&accounts), 0);
  // The next add reuses the deleted row.
  AccountRecord again;
  again.number = 640;
  int reused;
  ASSERT_EQ(AddAcct(&again, nullptr, 0, nullptr, &reused), 1);
  EXPECT_EQ(reused, row);
}

TEST(AccountStore, AccountStaysWhenItsGroupLinksCannotBeRemoved) {
  FiscalYear fy;
  CAcctGroup loans;
  loans.SetName("Loans");
  loans.AddAccount(401);
  loans.AddAccount(620);
  ASSERT_EQ(TheAcctGroupDBase().Add(loans), 1);
  const std::string links = fy.folder() + "/ag408_a.dat";
  ASSERT_EQ(std::rename(links.c_str(), (links + ".away").c_str()), 0);
  automation::ExpectMessageBox("Question", "401 - Loan", ANSWER_YES);
  automation::ExpectMessageBox("Fatal Error", "Could not open", IDOK);
  EXPECT_EQ(DeleteAcct(401), 0);
  ASSERT_EQ(std::rename((links + ".away").c_str(), links.c_str()), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(FiscalYear::Account(401).status, kStatusLive);
  ASSERT_EQ(fy.Reopen(), 1);
  EXPECT_EQ(FindAcctIndex(401, nullptr), 1);

  // Group links written within an operation that fails are put back with
  // its records.
  {
    StoreUndo undo;
    ASSERT_EQ(TheAcctGroupDBase().RemoveAccount(401), 1);
  }
  CAcctGroup back;
  ASSERT_EQ(TheAcctGroupDBase().Get("Loans", &back), 1);
  AcctNumberList accounts;
  back.CopyAccounts(&accounts);
  EXPECT_EQ(accounts, (AcctNumberList{401, 620}));
}

TEST(AccountStore, ReserveSharesFollowTheAccount) {
  FiscalYear fy;
  AccountRecord rec = FiscalYear::Account(710);
  AccountRecord old = rec;
  int pos;
  ASSERT_EQ(FindAcctIndex(710, &pos), 1);
  int row = AcctTable.byNumber[pos];
  int rows[] = {kAnna, kBen, fixture::kCarl};
  int three[] = {1000, 2000, 3000};
  ASSERT_EQ(ModifyAcct(&rec, &old, rows, 3, three, row), 1);
  EXPECT_EQ(CountReserveRecords(710), 3);
  int two[] = {1000, 0, 3000};
  ASSERT_EQ(ModifyAcct(&rec, &old, rows, 3, two, row), 1);
  EXPECT_EQ(CountReserveRecords(710), 2);
  ASSERT_EQ(OpenReserveFile(), 1);
  int amount = -1;
  ASSERT_EQ(FindReserveRecord(710, fixture::kCarl, &amount), 1);
  EXPECT_EQ(amount, 3000);
  CloseReserveFile();
  rec.memberReserves = 0;
  old.memberReserves = 1;
  ASSERT_EQ(ModifyAcct(&rec, &old, rows, 3, two, row), 1);
  EXPECT_EQ(CountReserveRecords(710), 0);
}

TEST(AccountStore, AutoCloseReservesEmptiesTheAccount) {
  FiscalYear fy;
  ASSERT_EQ(FiscalYear::Balance(710), 6000);
  int annaCount = FiscalYear::MemberCount(kAnna);
  int annaBalance = FiscalYear::MemberBalance(kAnna);
  int id = NextTransId;
  char message[256];
  ASSERT_EQ(AutoCloseReserves(710, "20081231", message), 1);
  EXPECT_STREQ(message, "Transaction \"AutoPost\", dated 12/31/08, has been posted to\nthe Reserve Allocation register.");
  EXPECT_EQ(FiscalYear::Balance(710), 0);
  EXPECT_EQ(NextTransId, id + 1);
  TransactionRecord t;
  ASSERT_EQ(ReadTransactionById(id, &t), 1);
  EXPECT_EQ(t.account, 900);
  EXPECT_EQ(t.amount, -6000);
  EXPECT_EQ(t.month, 11);
  EXPECT_STREQ(t.payee, "Close out 710 reserves");
  int row;
  ASSERT_EQ(FindTransaction(id, &row), 1);
  auto d = std::make_unique<TransactionDetail>();
  ASSERT_EQ(LoadTransaction(row, &d->transaction, d->lines, d->splits, d->shares, message), 1);
  EXPECT_EQ(d->shares[0][kAnna].accountAmount, -3000);
  EXPECT_EQ(d->shares[0][kBen].accountAmount, -5000);
  EXPECT_EQ(d->splits[0].unitShare, 2000);
  // Reserve shares touch only the member's count.
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), annaBalance);
  EXPECT_EQ(FiscalYear::MemberCount(kAnna), annaCount + 1);
  ASSERT_EQ(OpenReserveFile(), 1);
  int opening, closing;
  ASSERT_EQ(SumPassbook(kBen, 710, FiscalStartDate, "20081231", &opening, &closing, nullptr), 1);
  CloseReserveFile();
  EXPECT_EQ(opening, 5000);
  EXPECT_EQ(closing, 0);
}

TEST(Splits, PassbookSums) {
  FiscalYear fy;
  int opening, closing;
  // One member's passbook reads the member's initial reserves.
  ASSERT_EQ(OpenReserveFile(), 1);
  ASSERT_EQ(SumPassbook(kAnna, -1, FiscalStartDate, FiscalEndDate, &opening, &closing, nullptr), 1);
  CloseReserveFile();
  EXPECT_EQ(opening, 0);
  EXPECT_EQ(closing, 4000);
  // Shares before `from` make the opening value.
  ASSERT_EQ(SumPassbook(-1, 520, "20080301", FiscalEndDate, &opening, &closing, nullptr), 1);
  EXPECT_EQ(opening, 10000);
  EXPECT_EQ(closing, 10000);
  SplitRecord split;
  split.unitShare = 700;
  split.factor = 1;
  ShareArray shares = {};
  shares[3].cash = 100;
  EXPECT_EQ(SumPassbookSplit(0, &split, shares), 0);
  EXPECT_EQ(SumPassbookSplit(620, &split, shares), 800);
}

TEST(Splits, EmptySplitAndSlotReuse) {
  FiscalYear fy;
  SplitRecord split;
  split.lineKey = 991;
  split.factor = 1;
  auto shares = std::make_unique<SubAccountRecord[]>(kMemberSlots);
  ResetSplitBuffers(nullptr, shares.get());
  int splitRows = SplitTable.rowCount, subRows = SubAcctTable.rowCount;
  ASSERT_EQ(AddSplit(620, &split, shares.get()), 1);
  EXPECT_EQ(SplitTable.rowCount, splitRows + 1);
  EXPECT_EQ(SubAcctTable.rowCount, subRows);
  ASSERT_EQ(DeleteSplit(620, splitRows), 1);
  split.lineKey = 992;
  ASSERT_EQ(AddSplit(620, &split, shares.get()), 1);
  EXPECT_EQ(SplitTable.keys[splitRows], 992);
  EXPECT_EQ(SplitTable.rowCount, splitRows + 1);
}

TEST(Members, FindMemberModes) {
  FiscalYear fy;
  int pos;
  EXPECT_EQ(FindMember(1, 1, "sm", "", &pos), 1);
  EXPECT_EQ(MemberTable.byTypeName[pos], kAnna);
  EXPECT_EQ(FindMember(0, 1, "sm", "", &pos), 0);
  EXPECT_EQ(FindMember(0, 1, "SMITH", "anna", &pos), 1);
  EXPECT_EQ(FindMember(0, 2, "Smith", "Anna", &pos), 0);
  EXPECT_EQ(FindMember(0, 4, "eagles", "", &pos), 1);
  EXPECT_EQ(MemberTable.byTypeName[pos], fixture::kEagles);
}

TEST(Members, KeyRowHoldsWhatTheRecordReadsBack) {
  // Forms carrying fields their record type does not store: the key rows
  // after an add and a change equal those of a fresh load.
  FiscalYear fy;
  MemberRow adult;
  std::memset(&adult, 0, sizeof adult);
  adult.type = 1;
  SetText(adult.lastName, "Gray");
  SetText(adult.firstName, "Dora");
  SetText(adult.subunit, "Eagles");
  MemberRow unit;
  std::memset(&unit, 0, sizeof unit);
  unit.type = 2;
  SetText(unit.lastName, "Stray");
  SetText(unit.subunit, "Owls-with-a-very-long-subunit-name");
  int adultRow, unitRow;
  ASSERT_EQ(AddAdult(&adult, &adultRow), 1);
  ASSERT_EQ(AddSubunit(&unit, &unitRow), 1);
  SetText(adult.subunit, "Owls");
  ASSERT_EQ(ModifyAdult(&adult, adultRow), 1);
  std::vector<MemberKey> added(MemberTable.keys.begin(), MemberTable.keys.begin() + MemberTable.rowCount);
  ASSERT_EQ(fy.Reopen(), 1);
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    const MemberKey& a = added[static_cast<size_t>(r)];
    const MemberKey& b = MemberTable.keys[static_cast<size_t>(r)];
    EXPECT_STREQ(a.subunit, b.subunit) << r;
    EXPECT_STREQ(a.lastName, b.lastName) << r;
    EXPECT_STREQ(a.firstName, b.firstName) << r;
  }
  EXPECT_STREQ(MemberTable.keys[static_cast<size_t>(adultRow)].subunit, "Adults");
}

TEST(Members, DeleteRefusalsInOrder) {
  FiscalYear fy;
  automation::ExpectMessageBox("Question", "Anna Smith", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "Scout has an outstanding balance - cannot delete", IDOK);
  EXPECT_EQ(DeleteScout("Smith", "Anna"), 0);
  // Carl: no balance and no postings, but the subunit still has scouts.
  automation::ExpectMessageBox("Question", "Eagles", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "There are members currently assigned to this patrol - cannot delete", IDOK);
  SetUnitType(0);
  EXPECT_EQ(DeleteSubunit("Eagles"), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());

  int adults = AdultCount, live = MemberTable.liveCount;
  automation::ExpectMessageBox("Question", "Carl Brown", ANSWER_YES);
  ASSERT_EQ(DeleteAdult("Brown", "Carl"), 1);
  EXPECT_EQ(AdultCount, adults - 1);
  EXPECT_EQ(MemberTable.liveCount, live - 1);
  automation::ExpectMessageBox("Error", "Could not find Carl Brown", IDOK);
  EXPECT_EQ(DeleteAdult("Brown", "Carl"), 0);
}

// The reserve records that name a member row, as {account, amount}.
std::vector<std::pair<int, int>> ReservesOf(int memberRow) {
  std::vector<std::pair<int, int>> out;
  EXPECT_EQ(OpenReserveFile(), 1);
  ReserveRecord rec;
  for (int r = 0; ReadRecord(ReserveFile, rec, r) == 1; ++r)
    if (rec.memberRow == memberRow && rec.account != -1) out.emplace_back(rec.account, rec.amount);
  CloseReserveFile();
  return out;
}

TEST(Members, ReservesOfOppositeSignsRefuseTheDeleteAndADeleteFreesThem) {
  FiscalYear fy;
  MemberRow dora;
  std::memset(&dora, 0, sizeof dora);
  SetText(dora.lastName, "Gray");
  SetText(dora.firstName, "Dora");
  dora.passbook = 1;
  int doraRow = -1;
  ASSERT_EQ(AddMember(&dora, &doraRow), 1);
  for (auto [number, share] : {std::pair{720, 5000}, std::pair{730, -5000}}) {
    AccountRecord reserve;
    reserve.number = number;
    SetText(reserve.name, "Trip Reserve");
    reserve.memberReserves = 1;
    ASSERT_EQ(AddAcct(&reserve, &doraRow, 1, &share, nullptr), 1);
  }
  automation::ExpectMessageBox("Question", "Dora Gray", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "Scout has reserved funds - cannot delete", IDOK);
  EXPECT_EQ(DeleteScout("Gray", "Dora"), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());

  // With nothing reserved on either account the delete frees her records:
  // the next member in her row starts without them.
  ASSERT_EQ(OpenReserveFile(), 1);
  ReserveRecord rec;
  for (int r = 0; ReadRecord(ReserveFile, rec, r) == 1; ++r)
    if (rec.memberRow == doraRow) {
      rec.amount = 0;
      ASSERT_EQ(WriteRecord(ReserveFile, rec, r), 1);
    }
  CloseReserveFile();
  ASSERT_EQ(ReservesOf(doraRow).size(), 2u);
  automation::ExpectMessageBox("Question", "Dora Gray", ANSWER_YES);
  ASSERT_EQ(DeleteScout("Gray", "Dora"), 1);
  EXPECT_TRUE(ReservesOf(doraRow).empty());
  EXPECT_EQ(ReservesOf(kAnna), (std::vector<std::pair<int, int>>{{710, 3000}}));

  // A failed write keeps the member and her reserves.
  ASSERT_EQ(AddMember(&dora, &doraRow), 1);
  ASSERT_EQ(OpenReserveFile(), 1);
  int freeRow = 0;
  while (ReadRecord(ReserveFile, rec, freeRow) == 1 && rec.account != -1) ++freeRow;
  ASSERT_EQ(WriteRecord(ReserveFile, ReserveRecord{doraRow, 720, 0}, freeRow), 1);
  CloseReserveFile();
  automation::ExpectMessageBox("Question", "Dora Gray", ANSWER_YES);
  automation::ExpectMessageBox("Fatal Error", "Failed write: reserve", IDOK);
  write_failures::FailAfter(1);
  EXPECT_EQ(DeleteScout("Gray", "Dora"), 0);
  write_failures::Reset();
  EXPECT_EQ(MemberTable.keys[static_cast<size_t>(doraRow)].status, kStatusLive);
  EXPECT_EQ(ReservesOf(doraRow).size(), 1u);
  ASSERT_EQ(fy.Reopen(), 1);
  EXPECT_EQ(FindMember(0, 1, "Gray", "Dora", nullptr), 1);
}

TEST(Members, RenameAndSubunitDelete) {
  FiscalYear fy;
  ASSERT_EQ(RenameMembersSubunit("EAGLES", "Hawks"), 1);
  EXPECT_STREQ(MemberTable.keys[kAnna].subunit, "Hawks");
  EXPECT_STREQ(MemberTable.keys[fixture::kCarl].subunit, "Adults");
  MemberRow anna;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &anna, 4, 1, kAnna), 1);
  EXPECT_STREQ(anna.subunit, "Hawks");
  // A scout whose subunit differs only in case does not block the delete
  // and loses the subunit.
  ASSERT_EQ(RenameMembersSubunit("Hawks", "eagles"), 1);
  automation::ExpectMessageBox("Question", "Eagles", ANSWER_YES);
  ASSERT_EQ(DeleteSubunit("Eagles"), 1);
  EXPECT_STREQ(MemberTable.keys[kBen].subunit, "");
}

TEST(Equipment, HandEnteredItemsMoveAccount399) {
  FiscalYear fy;
  AccountRecord before = FiscalYear::Account(399);
  EquipmentRecord lamp;
  SetText(lamp.description, "Lantern");
  SetText(lamp.purchaseDate, "20071201");
  lamp.price = 3000;
  lamp.currentValue = 2500;
  lamp.fiscalYear = 8;
  int row;
  ASSERT_EQ(AddEquipItem(&lamp, 0, &row), 1);
  AccountRecord after = FiscalYear::Account(399);
  EXPECT_EQ(after.openingBalance, before.openingBalance + 3000);
  EXPECT_EQ(after.currentBalance, before.currentBalance + 2500);
  EXPECT_EQ(after.usageCount, before.usageCount + 1);
  // Moved to after the year's start: the opening value goes.
  EquipmentRecord moved = lamp;
  SetText(moved.purchaseDate, "20080201");
  ASSERT_EQ(PostEquipToAccount(&moved, lamp.purchaseDate, lamp.price, lamp.currentValue, row), 1);
  EXPECT_EQ(moved.openingValue, 0);
  EXPECT_EQ(FiscalYear::Account(399).openingBalance, before.openingBalance);
  // And back.
  EquipmentRecord back = moved;
  SetText(back.purchaseDate, "20071201");
  ASSERT_EQ(PostEquipToAccount(&back, moved.purchaseDate, moved.price, moved.currentValue, row), 1);
  EXPECT_EQ(back.openingValue, 3000);
  EXPECT_EQ(FiscalYear::Account(399).openingBalance, before.openingBalance + 3000);

  automation::ExpectMessageBox("Question", "Canoe", ANSWER_YES);
  automation::ExpectMessageBox("Warning", "Equipment is involved in transactions - cannot delete", IDOK);
  EXPECT_EQ(DeleteEquipItem("Canoe"), 0);
  automation::ExpectMessageBox("Question", "Lantern ()", ANSWER_YES);
  ASSERT_EQ(DeleteEquipItem("Lantern"), 1);
  EXPECT_EQ(FiscalYear::Account(399).currentBalance, before.currentBalance);
  automation::ExpectMessageBox("Fatal Error", "Unmatched equip trans for delete", IDOK);
  EXPECT_EQ(DeleteEquipByTrans(12345, nullptr), 0);
}

TEST(Equipment, FindByInventoryNumber) {
  FiscalYear fy;
  EquipmentRecord a, b;
  SetText(a.inventoryId, "12A");
  SetText(a.description, "Axe");
  SetText(b.inventoryId, "0007");
  SetText(b.description, "Saw");
  ASSERT_EQ(AddEquipItem(&a, 1, nullptr), 1);
  ASSERT_EQ(AddEquipItem(&b, 1, nullptr), 1);
  int pos;
  EXPECT_EQ(FindEquipItem(0, "12", 0, &pos), 1);
  EXPECT_STREQ(EquipTable.keys[EquipTable.byInventory[pos]].description, "Tent");
  EXPECT_EQ(FindEquipItem(0, "7", 0, &pos), 0);
  EXPECT_EQ(FindEquipItem(1, "te", 1, &pos), 1);
  EXPECT_EQ(FindEquipItem(0, "Ten", 1, &pos), 0);
}

TEST(Schedules, ParticipantsReuseTheirRecords) {
  FiscalYear fy;
  ASSERT_EQ(OpenScheduleFiles(), 1);
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  ScheduleRecord s;
  ASSERT_EQ(ReadRecord(ScheduleFile, s, 0), 1);
  for (int i : {0, 1, 2}) {
    slots[i].scheduleRow = 0;
    slots[i].memberRow = i;
  }
  ASSERT_EQ(ModifySchedule(&s, slots.get(), 0), 1);
  auto count = [](int schedule) {
    int n = 0, rows = 0;
    ParticipantRecord p;
    for (; ReadRecord(ParticipantFile, p, rows) == 1; ++rows)
      if (p.scheduleRow == schedule) ++n;
    return std::make_pair(n, rows);
  };
  EXPECT_EQ(count(0), std::make_pair(3, 3));
  slots[1].scheduleRow = -1;
  slots[2].scheduleRow = -1;
  ASSERT_EQ(ModifySchedule(&s, slots.get(), 0), 1);
  EXPECT_EQ(count(0), std::make_pair(1, 3));
  // A second dues schedule on 599: a new scout joins neither.
  ScheduleRecord other;
  other.account = 599;
  SetText(other.name, "Camp dues");
  auto none = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  ASSERT_EQ(AddSchedule(&other, none.get(), nullptr), 1);
  CloseScheduleFiles();
  MemberRow dan;
  std::memset(&dan, 0, sizeof dan);
  SetText(dan.lastName, "Doe");
  ASSERT_EQ(AddMember(&dan, nullptr), 1);
  ASSERT_EQ(OpenScheduleFiles(), 1);
  EXPECT_EQ(count(0).first + count(1).first, 1);
  CloseScheduleFiles();
  ASSERT_EQ(OpenScheduleFiles(), 1);
  DeleteSchedule(nullptr, 599, 1);
  EXPECT_EQ(ScheduleTable.liveCount, 0);
  EXPECT_EQ(count(0).first, 0);
  CloseScheduleFiles();
  automation::ExpectMessageBox("Question", "Nothing", ANSWER_NO);
  EXPECT_EQ(DeleteSchedule("Nothing", 0, 0), 0);
}

TEST(Queries, NextScheduleDate) {
  struct {
    char letter;
    int week, d, m, y, nd, nm, ny;
  } cases[] = {{'W', 0, 28, 2, 2009, 7, 3, 2009},  {'W', 0, 28, 2, 2008, 6, 3, 2008},
               {'M', 2, 13, 1, 2009, 10, 2, 2009},  // 2nd Tuesday to 2nd Tuesday
               {'M', 2, 10, 2, 2009, 10, 3, 2009},  {'W', 0, 28, 12, 2008, 4, 1, 2009}};
  for (auto& c : cases) {
    int d = c.d, m = c.m, y = c.y;
    NextScheduleDate(c.letter, c.week, &d, &m, &y);
    EXPECT_EQ(d, c.nd) << c.letter << c.d << "/" << c.m;
    EXPECT_EQ(m, c.nm);
    EXPECT_EQ(y, c.ny);
  }
}

TEST(Queries, PersonNames) {
  FiscalYear fy;
  SetUnitType(1);
  char out[80];
  FormatPersonName(nullptr, 1, MemberTable.keys[fixture::kCarl], nullptr, out);
  EXPECT_STREQ(out, "*Brown, Carl");
  FormatPersonName("[", 0, MemberTable.keys[fixture::kEagles], "]", out);
  EXPECT_EQ(std::string(out), std::string("[Eagles ") + SubunitNoun + "]");
}

TEST(Capacity, StoresRefuseWhenFull) {
  FiscalYear fy;
  struct {
    int* freeCount;
    const char* text;
  } cases[] = {{&AcctTable.freeCount, "The system now holds the maximum number of accounts"},
               {&FriendTable.freeCount, "The system now holds the maximum number of friends"},
               {&MemberTable.freeCount, "The system now holds the maximum number of members"},
               {&EquipTable.freeCount, "The system now holds the maximum number of equipment items"}};
  for (auto& c : cases) {
    int saved = *c.freeCount;
    *c.freeCount = 0;
    automation::ExpectMessageBox("Error", c.text, IDOK);
    AccountRecord a;
    a.number = 650;
    FriendRecord f;
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    EquipmentRecord e;
    int r = c.freeCount == &AcctTable.freeCount     ? AddAcct(&a, nullptr, 0, nullptr, nullptr)
            : c.freeCount == &FriendTable.freeCount ? AddFriend(&f, nullptr)
            : c.freeCount == &MemberTable.freeCount ? AddAdult(&m, nullptr)
                                                    : AddEquipItem(&e, 1, nullptr);
    EXPECT_EQ(r, 0) << c.text;
    *c.freeCount = saved;
  }
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

}  // namespace

namespace {

TEST(Queries, ListsOfValues) {
  FiscalYear fy;
  struct {
    const char* type;
    int count;
    const char* first;
    int firstId;
  } cases[] = {{"IE-ACCT", 3, "520 / Fundraising", 520}, {"R-ACCT", 1, "710 / Camp Reserve", 710},
               {"ACCTTYPE", 8, "  1- 94 Cash", 0},          {"SCOUT", 2, "Jones, Ben", kBen},
               {"PASSBOOK", 4, " Jones, Ben", kBen},        {"EQUIP", 2, "Canoe", 1},
               {"FRIEND", 2, "Adams, Eve", 1},              {"SCH-ACCT", 1, "599/Dues", 599},
               {"ECOND", 4, "Excellent", 0}};
  for (auto& c : cases) {
    ListOfValues list;
    ASSERT_EQ(GetListOfValues(c.type, 1, &list), 1) << c.type;
    EXPECT_EQ(list.Count(), c.count) << c.type;
    EXPECT_STREQ(list.texts[0].data(), c.first) << c.type;
    EXPECT_EQ(list.ids[0], c.firstId) << c.type;
  }
  ListOfValues list;
  ASSERT_EQ(GetListOfValues("EQUIP", 1, &list), 1);
  EXPECT_STREQ(list.texts[1].data(), "Tent\\12");
  // Nothing to list: the message only when asked for.
  automation::ExpectMessageBox("Error", "No adults are defined yet", IDOK);
  automation::ExpectMessageBox("Question", "Carl Brown", ANSWER_YES);
  ASSERT_EQ(DeleteAdult("Brown", "Carl"), 1);
  EXPECT_EQ(GetListOfValues("ADULT", 0, &list), 0);
  EXPECT_EQ(GetListOfValues("ADULT", 1, &list), 0);
  automation::ExpectMessageBox("Error", "Unknown LOV type: NOPE", IDOK);
  EXPECT_EQ(GetListOfValues("NOPE", 1, &list), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(Queries, CategoriesAreDistinctExactlyAndSortedIgnoringCase) {
  FiscalYear fy;
  for (const char* cat : {"camping", "Cooking", "Camping", "camping"}) {
    EquipmentRecord e;
    SetText(e.description, "Item");
    SetText(e.category1, cat);
    ASSERT_EQ(AddEquipItem(&e, 1, nullptr), 1);
  }
  ListOfValues list;
  ASSERT_EQ(GetListOfValues("ECAT1", 1, &list), 1);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_STREQ(list.texts[0].data(), "camping");
  EXPECT_STREQ(list.texts[1].data(), "Camping");
  EXPECT_STREQ(list.texts[2].data(), "Cooking");
}

}  // namespace

namespace {

TEST(Queries, DuesOwedAndMemberReserves) {
  FiscalYear fy;
  ASSERT_EQ(OpenScheduleFiles(), 1);
  MemberRow anna;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &anna, 4, 1, kAnna), 1);
  int initialOwed = -1, owed = 0, initialPaid = -1, paid = 0, found = 0;
  ASSERT_EQ(GetParticipantDues(0, 0, kAnna, "20080215", 1, 1, &anna, &initialOwed, &owed, &initialPaid, &paid,
                               &found),
            1);
  EXPECT_EQ(found, 1);
  EXPECT_EQ(owed, 1000);  // January and February
  EXPECT_EQ(paid, 0);
  // A member who is not a participant: nothing found, nothing added.
  found = 0;
  ASSERT_EQ(GetParticipantDues(0, 0, fixture::kCarl, "20081231", 1, 1, &anna, &initialOwed, &owed, &initialPaid,
                               &paid, &found),
            1);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(owed, 1000);
  CloseScheduleFiles();

  ASSERT_EQ(OpenReserveFile(), 1);
  int initial = 0, shares = 0, total = 0;
  ASSERT_EQ(SumMemberReserves(-1, kBen, &initial, &shares, &total), 1);
  CloseReserveFile();
  EXPECT_EQ(initial, 5000);
  EXPECT_EQ(total, 5000 + shares);
  ASSERT_EQ(SumMemberReserves(710, -1, &initial, nullptr, nullptr), 1);
  EXPECT_EQ(initial, 8000);  // all members: the account's opening balance
}

TEST(Queries, EquipmentValues) {
  // The fixture's tent: entered by hand, bought 2007-05-10 for 150.00,
  // opening value 150.00, now worth 120.00. The canoe: bought 2008-04-12
  // by a posting of 80.00, now worth 60.00 after a hand correction.
  FiscalYear fy;
  int pos;
  ASSERT_EQ(FindEquipItem(0, "Canoe", 1, &pos), 1);
  int canoeRow = EquipTable.byDescription[static_cast<size_t>(pos)];
  EquipmentRecord canoe;
  ASSERT_EQ(ReadRecord(EquipFile, canoe, canoeRow), 1);
  canoe.currentValue = 6000;
  ASSERT_EQ(WriteRecord(EquipFile, canoe, canoeRow), 1);
  // A sale of 5.00 of equipment on 2008-04-20: a posting with factor -1.
  auto d = std::make_unique<TransactionDetail>();
  fixture::StartTransaction(*d, NextTransId++, 3, "20080420", 1, 500);
  d->lines[0].account = 399;
  d->lines[0].amount = 500;
  d->lines[0].factor = -1;
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);

  struct {
    const char* from;
    const char* to;
    int change, at;
  } ranges[] = {
      {"20080101", "20081231", (15000 - 12000) + (8000 - 6000), 0},
      {"20080501", "20081231", 0, 0},             // after the start: items bought before do not count
      {"20080301", "20080430", 8000 - 6000, 0},   // only the canoe, bought in the range
      {"20070101", "20071231", 15000 - 12000, 15000},  // the tent by its price, entered by hand
  };
  for (auto& r : ranges) {
    int change = -1, at = -1;
    ASSERT_EQ(GetEquipValueChange(r.from, r.to, &change), 1);
    ASSERT_EQ(GetEquipValueAt(r.from, r.to, &at), 1);
    EXPECT_EQ(change, r.change) << r.from;
    EXPECT_EQ(at, r.at) << r.from;
  }
  struct {
    const char* date;
    int value;
  } dates[] = {
      {"20080101", 15000},               // the year's start: the tent's opening value
      {"20080415", 12000 + 6000},        // the canoe is in, the sale not yet
      {"20080501", 12000 + 6000 - 500},  // less the sale
      {"20070101", 0},
  };
  for (auto& c : dates) {
    int value = -1;
    ASSERT_EQ(GetEquipOriginalValue(c.date, &value), 1);
    EXPECT_EQ(value, c.value) << c.date;
  }
}

}  // namespace

TEST(Queries, ReturnAddressHasOnlyItsFilledLinesInOrder) {
  struct Case {
    const char* name;
    const char* address1;
    const char* address2;
    const char* city;
    const char* state;
    const char* zip;
    std::vector<std::string> lines;
  } cases[] = {
      {"Troop 12", "1 Main St", "", "Springfield", "IL", "62701",
       {"Troop 12", "1 Main St", "Springfield, IL 62701"}},
      {"", "", "PO Box 5", "", "", "", {"PO Box 5"}},
      {"Pack 7", "", "", "", "", "", {"Pack 7"}},
      {"", "", "", "", "", "", {}},
  };
  for (const Case& c : cases) {
    std::snprintf(UnitName, sizeof UnitName, "%s", c.name);
    std::snprintf(UnitAddress1, sizeof UnitAddress1, "%s", c.address1);
    std::snprintf(UnitAddress2, sizeof UnitAddress2, "%s", c.address2);
    std::snprintf(UnitCity, sizeof UnitCity, "%s", c.city);
    std::snprintf(UnitState, sizeof UnitState, "%s", c.state);
    std::snprintf(UnitZip, sizeof UnitZip, "%s", c.zip);
    CStringArray lines;
    lines.Add("left over");
    GetReturnAddress(lines);
    ASSERT_EQ(lines.GetSize(), static_cast<INT_PTR>(c.lines.size())) << c.name << c.address2;
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(std::string(lines[static_cast<INT_PTR>(i)]), c.lines[i]);
  }
  UnitName[0] = UnitAddress1[0] = UnitAddress2[0] = UnitCity[0] = UnitState[0] = UnitZip[0] = '\0';
}
