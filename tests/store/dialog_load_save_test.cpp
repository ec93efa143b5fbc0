#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/WriteFailures.h"
#include "store/Xfer.h"

namespace {

using fixture::FiscalYear;
using fixture::kAnna;

int PosOf(const std::vector<int>& index, int row) {
  for (size_t p = 0; p < index.size(); ++p)
    if (index[p] == row) return static_cast<int>(p);
  return -1;
}

class XferTest : public testing::Test {
 protected:
  void SetUp() override { ResetXferDefaults(); }
  // A blank member as a new record loads it (adults: mode 0).
  MemberRow NewForm(int (*xfer)(int, int, int*, MemberRow*, MemberRow*), int* pos) {
    MemberRow stored;
    EXPECT_EQ(xfer(0, xfer == XferAdult ? 0 : 1, pos, nullptr, &stored), 1);
    return stored;
  }
  FiscalYear fy;
};

TEST_F(XferTest, AddressDefaultsAreRememberedPerKind) {
  int pos = -1;
  MemberRow adult = NewForm(XferAdult, &pos);
  EXPECT_STREQ(adult.city, "Springfield");
  EXPECT_STREQ(adult.subunit, "Adults");
  EXPECT_EQ(adult.type, 1);
  EXPECT_EQ(adult.passbook, 1);
  EXPECT_STREQ(adult.dateJoined, "20080615");  // today lies within the year

  MemberRow blank = adult;
  SetText(adult.lastName, "Clark");
  SetText(adult.firstName, "Dora");
  SetText(adult.city, "Shelbyville");
  SetText(adult.zip, "62565");
  SetText(adult.dateJoined, "20080301");
  ASSERT_EQ(XferAdult(1, 0, &pos, &adult, &blank), 1);
  ASSERT_GE(pos, 0);
  int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
  EXPECT_STREQ(MemberTable.keys[static_cast<size_t>(row)].lastName, "Clark");

  MemberRow next = NewForm(XferAdult, &pos);
  EXPECT_STREQ(next.city, "Shelbyville");
  EXPECT_STREQ(next.zip, "62565");
  EXPECT_STREQ(next.dateJoined, "20080301");
  MemberRow scout = NewForm(XferScout, &pos);
  EXPECT_STREQ(scout.city, "Springfield");
  EXPECT_STREQ(scout.dateJoined, "20080615");
  FriendRecord friendRec;
  ASSERT_EQ(XferFriend(0, 1, &pos, &friendRec), 1);
  EXPECT_STREQ(friendRec.city, "Springfield");
  EXPECT_EQ(friendRec.phones[0].type, 10);
  EXPECT_EQ(friendRec.phones[3].type, 80);
  EXPECT_STREQ(friendRec.yearLabels[0], "2005");
  EXPECT_STREQ(friendRec.yearLabels[3], "2008");
}

TEST_F(XferTest, NewMemberWhoHasLeftKeepsThePosition) {
  int pos = 2;
  MemberRow stored = NewForm(XferScout, &pos);
  MemberRow form = stored;
  SetText(form.lastName, "Young");
  SetText(form.firstName, "Finn");
  SetText(form.dateLeft, "20080401");
  ASSERT_EQ(XferScout(1, 1, &pos, &form, &stored), 1);
  EXPECT_EQ(pos, 2);
  EXPECT_STREQ(MemberTable.keys[static_cast<size_t>(MemberTable.rowCount - 1)].lastName, "Young");
  EXPECT_EQ(MemberTable.keys[static_cast<size_t>(MemberTable.rowCount - 1)].status, kStatusMarked);
}

TEST_F(XferTest, ConvertingAScoutIntoAnAdultKeepsTheRecord) {
  MemberRow anna;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &anna, 4, 0, kAnna), 1);
  SetText(anna.dateLeft, "20080501");
  SetText(anna.email, "anna@example.org");
  ASSERT_EQ(WriteMemberRecord(MemberFile, &anna, kAnna), 1);
  const int balance = anna.currentBalance;

  int pos = PosOf(MemberTable.byTypeName, kAnna);
  MemberRow stored;
  ASSERT_EQ(XferAdult(0, 2, &pos, nullptr, &stored), 1);
  EXPECT_EQ(stored.type, 1);
  EXPECT_STREQ(stored.subunit, "Adults");
  EXPECT_STREQ(stored.dateLeft, "");
  EXPECT_STREQ(stored.spouse, "");
  EXPECT_STREQ(stored.fax, "");
  EXPECT_STREQ(stored.email, "anna@example.org");
  MemberRow form = stored;
  ASSERT_EQ(XferAdult(1, 2, &pos, &form, &stored), 1);

  MemberRow back;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &back, 4, 0, kAnna), 1);
  EXPECT_EQ(back.type, 1);
  EXPECT_STREQ(back.firstName, "Anna");
  EXPECT_STREQ(back.email, "anna@example.org");
  EXPECT_EQ(back.currentBalance, balance);
  EXPECT_EQ(back.status, kStatusLive);
  EXPECT_EQ(MemberTable.keys[kAnna].type, 1);
}

TEST_F(XferTest, ScoutWhoseConversionFailsStaysAScoutInTheTable) {
  int pos = PosOf(MemberTable.byTypeName, kAnna);
  MemberRow stored;
  ASSERT_EQ(XferAdult(0, 2, &pos, nullptr, &stored), 1);
  MemberRow form = stored;
  automation::ExpectMessageBox("Fatal Error", "Failed write: adult", IDOK);
  write_failures::FailAfter(0);
  EXPECT_EQ(XferAdult(1, 2, &pos, &form, &stored), 0);
  write_failures::Reset();
  EXPECT_EQ(MemberTable.keys[kAnna].type, 0);
  EXPECT_EQ(PosOf(MemberTable.byTypeName, kAnna), pos);
}

TEST_F(XferTest, TwentyFifthSubunitShowsTheCapacityWithTheSubunitWord) {
  SetUnitType(0);
  SubunitCount = SubunitCapacity - 1;
  int pos = -1;
  MemberRow stored = NewForm(XferSubunit, &pos);
  MemberRow form = stored;
  SetText(form.subunit, "Hawks");
  automation::ExpectMessageBox("Information", "The system now holds the maximum number of patrols.", IDOK);
  ASSERT_EQ(XferSubunit(1, 1, &pos, &form, &stored), 1);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_GE(pos, 0);
}

TEST_F(XferTest, AccountLoadsHoldersAndReservesAndMovesTheBalance) {
  int pos = -1;
  ASSERT_EQ(FindAcctIndex(710, &pos), 1);
  AccountRecord stored, edited;
  int rows[kMemberSlots], amounts[kMemberSlots], holders = 0;
  ASSERT_EQ(XferAccount(0, 0, &pos, nullptr, &stored, rows, &holders, amounts), 1);
  // Holders in member-index order: Ben, Anna, the adult, the subunit.
  ASSERT_EQ(holders, 4);
  EXPECT_EQ(rows[0], fixture::kBen);
  EXPECT_EQ(rows[1], kAnna);
  EXPECT_EQ(amounts[0], 5000);
  EXPECT_EQ(amounts[1], 3000);
  EXPECT_EQ(amounts[2], 0);

  edited = stored;
  edited.openingBalance = stored.openingBalance + 1500;
  amounts[0] = 6500;
  ASSERT_EQ(XferAccount(1, 0, &pos, &edited, &stored, rows, &holders, amounts), 1);
  EXPECT_EQ(FiscalYear::Balance(710), stored.currentBalance + 1500);

  AccountRecord fresh;
  ASSERT_EQ(XferAccount(0, 1, &pos, nullptr, &fresh, rows, &holders, amounts), 1);
  EXPECT_EQ(fresh.budgetRow, -1);
  EXPECT_EQ(fresh.classRow, -1);
  edited = fresh;
  edited.number = 640;
  SetText(edited.name, "Uniforms");
  edited.openingBalance = 700;
  ASSERT_EQ(XferAccount(1, 1, &pos, &edited, &fresh, rows, &holders, amounts), 1);
  EXPECT_EQ(AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].number, 640);
  AccountRecord uniforms = FiscalYear::Account(640);
  EXPECT_EQ(uniforms.currentBalance, 700);
  EXPECT_EQ(uniforms.classRow, 6);
}

TEST_F(XferTest, ZeroBudgetFreesItsRowForTheNextBudget) {
  int pos620 = -1, pos520 = -1;
  ASSERT_EQ(FindAcctIndex(620, &pos620), 1);
  ASSERT_EQ(FindAcctIndex(520, &pos520), 1);
  AccountRecord acct;
  BudgetRecord budget;
  ASSERT_EQ(XferBudget(0, 0, &pos620, &acct, &budget), 1);
  EXPECT_EQ(budget.months[5], 1000);
  for (LONG& m : budget.months) m = 0;
  ASSERT_EQ(XferBudget(1, 0, &pos620, &acct, &budget), 1);
  EXPECT_EQ(FiscalYear::Account(620).budgetRow, -1);
  EXPECT_EQ(BudgetTable.keys[0].status, kStatusDeleted);
  BudgetRecord onDisk;
  ASSERT_EQ(ReadRecord(BudgetFile, onDisk, 0), 1);
  EXPECT_EQ(onDisk.status, kStatusDeleted);

  ASSERT_EQ(XferBudget(0, 0, &pos520, &acct, &budget), 1);
  EXPECT_EQ(budget.number, 520);
  budget.months[2] = 2500;
  ASSERT_EQ(XferBudget(1, 0, &pos520, &acct, &budget), 1);
  EXPECT_EQ(FiscalYear::Account(520).budgetRow, 0);  // the freed row again
  EXPECT_EQ(BudgetTable.rowCount, 1);
  ASSERT_EQ(ReadRecord(BudgetFile, onDisk, 0), 1);
  EXPECT_EQ(onDisk.number, 520);
  EXPECT_EQ(onDisk.status, kStatusLive);
  EXPECT_EQ(onDisk.months[2], 2500);
}

// Loads the budget of `account` as the budget dialog does.
void LoadBudget(int account, int* pos, AccountRecord* acct, BudgetRecord* budget) {
  ASSERT_EQ(FindAcctIndex(account, pos), 1);
  ASSERT_EQ(XferBudget(0, 0, pos, acct, budget), 1);
}

TEST(XferBudgetSave, FailedWriteKeepsAccountAndBudgetTogether) {
  // The first save of a budget writes the account's link, then the budget;
  // whichever write fails, neither stays, and saving again works.
  for (int okWrites : {0, 1}) {
    SCOPED_TRACE(okWrites);
    FiscalYear year;
    int pos = -1;
    AccountRecord acct;
    BudgetRecord budget;
    ASSERT_NO_FATAL_FAILURE(LoadBudget(520, &pos, &acct, &budget));
    ASSERT_EQ(acct.budgetRow, -1);
    const int rows = BudgetTable.rowCount;
    const long size = fixture::FileSize(fixture::FilePath(year, "budge"));
    budget.months[4] = 3000;
    automation::AlwaysAnswer("", "Failed write", IDOK);
    write_failures::FailAfter(okWrites);
    EXPECT_EQ(XferBudget(1, 0, &pos, &acct, &budget), 0);
    write_failures::Reset();
    automation::ClearResponder();
    EXPECT_EQ(FiscalYear::Account(520).budgetRow, -1);
    EXPECT_EQ(BudgetTable.rowCount, rows);
    EXPECT_EQ(fixture::FileSize(fixture::FilePath(year, "budge")), size);
    EXPECT_EQ(acct.budgetRow, -1);
    ASSERT_EQ(year.Reopen(), 1);

    ASSERT_EQ(FindAcctIndex(520, &pos), 1);
    ASSERT_EQ(XferBudget(1, 0, &pos, &acct, &budget), 1);
    ASSERT_EQ(year.Reopen(), 1);
    ASSERT_EQ(XferBudget(0, 0, &pos, &acct, &budget), 1);
    EXPECT_NE(acct.budgetRow, -1);
    EXPECT_EQ(budget.number, 520);
    EXPECT_EQ(budget.months[4], 3000);
  }
  // Zeroing a budget: a failed account write keeps the budget live.
  FiscalYear year;
  int pos = -1;
  AccountRecord acct;
  BudgetRecord budget;
  ASSERT_NO_FATAL_FAILURE(LoadBudget(620, &pos, &acct, &budget));
  for (LONG& m : budget.months) m = 0;
  automation::ExpectMessageBox("Fatal Error", "Failed write: account", IDOK);
  write_failures::FailAfter(0);
  EXPECT_EQ(XferBudget(1, 0, &pos, &acct, &budget), 0);
  write_failures::Reset();
  EXPECT_EQ(BudgetTable.keys[0].status, kStatusLive);
  EXPECT_EQ(FiscalYear::Account(620).budgetRow, 0);
  EXPECT_EQ(acct.budgetRow, 0);
}

TEST_F(XferTest, ScheduleIsStoredWithCompleteFrequencyAndSortedDueDates) {
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  for (int i = 0; i < kMemberSlots; ++i) slots[i].memberRow = i;
  int pos = -1;
  AccountRecord acct;
  ScheduleRecord rec;
  ASSERT_EQ(XferSchedule(0, 1, &pos, &acct, &rec, slots.get()), 1);
  EXPECT_EQ(rec.frequency, 'W');
  SetText(rec.name, "Camp Fees");
  rec.account = 620;
  rec.frequency = 'M';
  SetText(rec.firstDate, "20080101");
  const char* dates[] = {"20080401", "", "20080201", "", "", "20080301"};
  for (int i = 0; i < 6; ++i) {
    SetText(rec.dueDates[i], dates[i]);
    rec.amounts[i] = (i + 1) * 100;
  }
  slots[fixture::kBen].scheduleRow = 0;
  slots[fixture::kBen].initialOwed = 1200;
  ASSERT_EQ(XferSchedule(1, 1, &pos, &acct, &rec, slots.get()), 1);
  EXPECT_EQ(rec.frequency, ' ');  // the second date was missing
  EXPECT_STREQ(rec.firstDate, "");

  ASSERT_GE(pos, 0);
  ScheduleRecord back;
  ASSERT_EQ(XferSchedule(0, 0, &pos, &acct, &back, slots.get()), 1);
  EXPECT_STREQ(back.name, "Camp Fees");
  EXPECT_EQ(back.frequency, ' ');
  const char* sorted[] = {"20080201", "20080301", "20080401", ""};
  const LONG amounts[] = {300, 600, 100, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(back.dueDates[i], sorted[i]) << i;
    EXPECT_EQ(back.amounts[i], amounts[i]) << i;
  }
  EXPECT_EQ(acct.number, 620);
  EXPECT_EQ(slots[fixture::kBen].initialOwed, 1200);
  EXPECT_NE(slots[fixture::kBen].scheduleRow, -1);
  EXPECT_EQ(slots[kAnna].scheduleRow, -1);
}

TEST_F(XferTest, EquipmentChangesPostTheDifferenceEachTime) {
  int pos = -1;
  ASSERT_EQ(FindEquipItem(0, "Tent", 1, &pos), 1);
  EquipmentRecord item;
  ListOfValues cat1, cat2;
  ASSERT_EQ(XferEquipment(0, 0, &pos, &cat1, &cat2, &item), 1);
  EXPECT_EQ(cat1.Count(), 0);  // no item has a category yet
  const int before = FiscalYear::Balance(399);
  item.currentValue = 10000;
  ASSERT_EQ(XferEquipment(1, 0, &pos, &cat1, &cat2, &item), 1);
  EXPECT_EQ(FiscalYear::Balance(399), before - 2000);
  item.currentValue = 9000;  // saved again without loading
  ASSERT_EQ(XferEquipment(1, 0, &pos, &cat1, &cat2, &item), 1);
  EXPECT_EQ(FiscalYear::Balance(399), before - 3000);

  EquipmentRecord fresh;
  ASSERT_EQ(XferEquipment(0, 1, &pos, nullptr, nullptr, &fresh), 1);
  EXPECT_STREQ(fresh.purchaseDate, "20080615");
  EXPECT_EQ(fresh.condition, 'E');
  EXPECT_EQ(fresh.quantity, 1);
  EXPECT_EQ(fresh.lineKey, -1);
  EXPECT_EQ(fresh.fiscalYear, 8);
}

// A saved rename re-sorts the index; the caller's position must follow the
// record, or its next save writes over whichever record now sits there.
TEST_F(XferTest, ARenamedRecordKeepsItsPositionInTheResortedIndex) {
  ListOfValues cat1, cat2;
  int friendPos = -1, tentPos = -1;
  ASSERT_EQ(FindFriend(0, "Miller", "Dana", &friendPos), 1);
  ASSERT_EQ(FindEquipItem(0, "Tent", 1, &tentPos), 1);
  const struct {
    const char* what;
    const std::vector<int>& index;
    int row;
    std::function<int(int*)> renameAndSave;  // loads at *pos, renames so it sorts first, saves
  } cases[] = {
      {"scout", MemberTable.byTypeName, kAnna,
       [](int* pos) {
         MemberRow stored;
         if (XferScout(0, 0, pos, nullptr, &stored) != 1) return 0;
         MemberRow form = stored;
         SetText(form.lastName, "Aaron");
         return XferScout(1, 0, pos, &form, &stored);
       }},
      {"friend", FriendTable.byName, FriendTable.byName[static_cast<size_t>(friendPos)],
       [](int* pos) {
         FriendRecord rec;
         if (XferFriend(0, 0, pos, &rec) != 1) return 0;
         SetText(rec.lastName, "Aaa");
         return XferFriend(1, 0, pos, &rec);
       }},
      {"equipment item", EquipTable.byDescription, EquipTable.byDescription[static_cast<size_t>(tentPos)],
       [&](int* pos) {
         EquipmentRecord item;
         if (XferEquipment(0, 0, pos, &cat1, &cat2, &item) != 1) return 0;
         SetText(item.description, "Axe");
         return XferEquipment(1, 0, pos, &cat1, &cat2, &item);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int pos = PosOf(c.index, c.row);
    const int before = pos;
    ASSERT_EQ(c.renameAndSave(&pos), 1);
    ASSERT_NE(PosOf(c.index, c.row), before) << "the rename must move the record in its index";
    EXPECT_EQ(pos, PosOf(c.index, c.row));
  }
}

class XferTransactionTest : public XferTest {
 protected:
  std::unique_ptr<TransactionDetail> d = std::make_unique<TransactionDetail>();
  int Load(int account, int lastNumber) {
    return XferTransaction(0, account, -1, lastNumber, &d->transaction, d->lines, d->splits, d->shares);
  }
  int SaveNew(const char* number, const char* date, int month) {
    SetText(d->transaction.number, number);
    SetText(d->transaction.date, date);
    d->transaction.month = month;
    d->transaction.amount = 1234;
    d->lines[0].account = 620;
    d->lines[0].amount = 1234;
    d->lines[0].factor = 1;
    return XferTransaction(1, d->transaction.account, -1, 0, &d->transaction, d->lines, d->splits, d->shares);
  }
};

TEST_F(XferTransactionTest, ProposesDateMonthAndNextNumber) {
  TodayVsFiscalYear = 1;  // a past year is loaded
  ASSERT_EQ(Load(101, 1000), 1);
  EXPECT_STREQ(d->transaction.date, "20081231");
  EXPECT_EQ(d->transaction.month, 11);
  EXPECT_STREQ(d->transaction.number, "1003");  // 1001 and 1002 are used
  EXPECT_EQ(d->transaction.factor, 1);
  EXPECT_EQ(d->transaction.id, NextTransId);

  d->transaction.factor = -1;
  ASSERT_EQ(SaveNew("1003", "20080315", 2), 1);
  ASSERT_EQ(Load(101, 1000), 1);
  EXPECT_STREQ(d->transaction.date, "20080315");
  EXPECT_EQ(d->transaction.month, 2);
  EXPECT_STREQ(d->transaction.number, "1004");
  EXPECT_EQ(d->transaction.factor, -1);

  ASSERT_EQ(SaveNew("ATM", "20080316", 2), 1);
  ASSERT_EQ(Load(101, 1000), 1);
  EXPECT_STREQ(d->transaction.number, "ATM");  // proposed again unchanged

  ASSERT_EQ(Load(1, 7), 1);  // another account: factor 1, its own numbers
  EXPECT_EQ(d->transaction.factor, 1);
  EXPECT_STREQ(d->transaction.number, "8");
  EXPECT_STREQ(d->transaction.date, "20080316");
}

TEST_F(XferTransactionTest, FullTableRefusesTheNewTransactionAndKeepsTheEntry) {
  ASSERT_EQ(Load(101, 0), 1);
  const int rows = TransTable.rowCount;
  const int nextId = NextTransId;
  TransTable.freeCount = 0;
  automation::ExpectMessageBox("Information", "The system now holds the maximum number of transactions.", IDOK);
  EXPECT_EQ(SaveNew("77", "20080401", 3), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(TransTable.rowCount, rows);
  EXPECT_EQ(NextTransId, nextId);
}

TEST(SkipChars, FindsTheFirstCharacterOutsideTheSet) {
  struct {
    const char* text;
    int offset;  // -1: null
  } cases[] = {{"", -1}, {"123", -1}, {"12a", 2}, {"a12", 0}, {"1 2", 1}};
  for (auto& c : cases) {
    const char* p = SkipChars(c.text, "0123456789");
    if (c.offset < 0)
      EXPECT_EQ(p, nullptr) << c.text;
    else
      EXPECT_EQ(p, c.text + c.offset) << c.text;
  }
}

}  // namespace
