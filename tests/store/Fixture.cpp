#include "store/Fixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/UnitInfo.h"

namespace fixture {

namespace {

const char* const kStems[] = {"acct", "budge", "equip", "fos", "scout", "split", "subac",
                              "suppt", "trans", "sched", "part", "resrv"};

void Touch(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fclose(f);
}

AccountRecord MakeAccount(int number, const char* name, int opening = 0, int budgetRow = -1) {
  AccountRecord a;
  a.number = number;
  SetText(a.name, name);
  a.openingBalance = opening;
  a.currentBalance = opening;
  a.budgetRow = budgetRow;
  a.classRow = GetAcctClassRow(number);
  return a;
}

MemberRow MakeMember(int type, const char* last, const char* first, const char* subunit) {
  MemberRow m;
  std::memset(&m, 0, sizeof m);
  m.type = type;
  SetText(m.lastName, last);
  SetText(m.firstName, first);
  SetText(m.subunit, subunit);
  m.passbook = 1;
  SetText(m.dateJoined, "20070901");
  return m;
}

}  // namespace

std::string FilePath(const FiscalYear& fy, const char* stem) {
  return fy.folder() + "/" + stem + "408.dat";
}

long FileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

FiscalYear::FiscalYear(bool populate) {
  char tmpl[] = "/tmp/kestrova-store-XXXXXX";
  char* dir = ::mkdtemp(tmpl);
  EXPECT_NE(dir, nullptr);
  home_ = dir ? dir : "/tmp";
  ::setenv("KESTROVA_HOME", home_.c_str(), 1);
  folder_ = home_ + "/fy2008";
  std::filesystem::create_directories(folder_);
  std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home_.c_str());
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
  std::snprintf(TodayDate, sizeof TodayDate, "20080615");
  MakeEmptyYear();
  SetCapacities();
  EXPECT_EQ(OpenDatabase(folder_.c_str(), "08", 1), 1);
  if (populate) Populate();
}

FiscalYear::~FiscalYear() {
  CloseDataFiles();
  CloseReserveFile();
  CloseScheduleFiles();
  std::error_code ec;
  std::filesystem::remove_all(home_, ec);
}

int FiscalYear::Reopen() {
  CloseDataFiles();
  return OpenDatabase(folder_.c_str(), "08", 0);
}

void FiscalYear::MakeEmptyYear() {
  for (const char* stem : kStems) Touch(FilePath(*this, stem));
  Touch(folder_ + "/ag408_g.dat");
  Touch(folder_ + "/ag408_a.dat");
  FILE* f = std::fopen((folder_ + "/unit408.dat").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("Address     = 12 Oak Lane\r\nCity        = Springfield\r\nState       = IL\r\n"
             "Zip         = 62701\r\nFiscal Date = 002008\r\n", f);
  std::fclose(f);
  // One budget record for account 620, at row 0.
  FILE* b = std::fopen(FilePath(*this, "budge").c_str(), "r+b");
  ASSERT_NE(b, nullptr);
  BudgetRecord budget;
  budget.number = 620;
  for (int m = 0; m < 12; ++m) budget.months[m] = 1000;
  ASSERT_EQ(WriteRecord(b, budget, 0), 1);
  std::fclose(b);
}

void FiscalYear::Populate() {
  // Members first: reserve shares and splits refer to their rows.
  MemberRow anna = MakeMember(0, "Smith", "Anna", "Eagles");
  MemberRow ben = MakeMember(0, "Jones", "Ben", "Eagles");
  MemberRow carl = MakeMember(1, "Brown", "Carl", "Adults");
  MemberRow eagles = MakeMember(2, "", "", "Eagles");
  int row;
  ASSERT_EQ(AddMember(&anna, &row), 1);
  ASSERT_EQ(row, kAnna);
  ASSERT_EQ(AddMember(&ben, &row), 1);
  ASSERT_EQ(AddAdult(&carl, &row), 1);
  ASSERT_EQ(AddSubunit(&eagles, &row), 1);
  ASSERT_EQ(row, kEagles);

  struct {
    int number;
    const char* name;
    int opening;
    int budgetRow;
  } accounts[] = {{1, "Petty Cash", 5000, -1},   {101, "Checking", 100000, -1}, {201, "Savings", 20000, -1},
                  {399, "Equipment", 0, -1},      {401, "Loan", 0, -1},           {520, "Fundraising", 0, -1},
                  {599, "Dues", 0, -1},           {620, "Camping", 0, 0},         {900, "Reserve Allocation", 0, -1}};
  for (auto& a : accounts) {
    AccountRecord rec = MakeAccount(a.number, a.name, a.opening, a.budgetRow);
    ASSERT_EQ(AddAcct(&rec, nullptr, 0, nullptr, nullptr), 1) << a.number;
  }
  // A passbook reserve account with initial shares of 30.00 and 50.00.
  AccountRecord reserve = MakeAccount(710, "Camp Reserve", 8000);
  reserve.memberReserves = 1;
  int rows[] = {kAnna, kBen};
  int shares[] = {3000, 5000};
  ASSERT_EQ(AddAcct(&reserve, rows, 2, shares, nullptr), 1);

  // A hand-entered tent bought before the year.
  EquipmentRecord tent;
  SetText(tent.inventoryId, "12");
  SetText(tent.description, "Tent");
  SetText(tent.purchaseDate, "20070510");
  tent.price = 15000;
  tent.currentValue = 12000;
  tent.quantity = 1;
  tent.lineKey = -1;
  tent.fiscalYear = 7;
  tent.condition = 'G';
  ASSERT_EQ(AddEquipItem(&tent, 0, nullptr), 1);

  FriendRecord f1, f2;
  SetText(f1.lastName, "Miller");
  SetText(f1.firstName, "Dana");
  f1.total = 7500;
  SetText(f2.lastName, "Adams");
  SetText(f2.firstName, "Eve");
  f2.total = 50000;
  ASSERT_EQ(AddFriend(&f1, nullptr), 1);
  ASSERT_EQ(AddFriend(&f2, nullptr), 1);

  // Dues schedule on 599 with both scouts.
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ScheduleRecord dues;
  dues.account = 599;
  SetText(dues.name, "Monthly Dues");
  dues.frequency = 'M';
  for (int i = 0; i < 3; ++i) {
    dues.amounts[i] = 500;
    SetText(dues.dueDates[i], (std::string("20080") + char('1' + i) + "01").c_str());
  }
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  slots[kAnna].scheduleRow = 0;
  slots[kAnna].memberRow = kAnna;
  slots[kBen].scheduleRow = 0;
  slots[kBen].memberRow = kBen;
  ASSERT_EQ(AddSchedule(&dues, slots.get(), nullptr), 1);
  CloseScheduleFiles();

  auto d = std::make_unique<TransactionDetail>();
  // 1: a deposit of 100.00 from fundraising, split 40.00 / 60.00.
  TransactionRecord& t = StartTransaction(*d, NextTransId++, 1, "20080210", 1, 10000, "DEP1", "Popcorn sale");
  SplitFundraisingLine(*d, 4000, 6000);
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);

  // 2: a check of 50.00 for camping, 20.00 of it from the camp reserve.
  StartTransaction(*d, NextTransId++, 2, "20080305", -1, 5000, "1001", "Camp store");
  d->lines[0].account = 620;
  d->lines[0].amount = 5000;
  d->lines[0].factor = SignedAmountByType('A', -1, 620);
  d->lines[0].reserveAccount = 710;
  d->lines[0].reserveAmount = 2000;
  d->lines[0].reserveFactor = -1;
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);

  // 3: a canoe bought for 80.00 (a purchase posting on 399).
  StartTransaction(*d, NextTransId++, 3, "20080412", -1, 8000, "1002", "Outfitters");
  SetText(t.remarks, "Canoe");
  d->lines[0].account = 399;
  d->lines[0].amount = 8000;
  d->lines[0].factor = 1;
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);

  CAcctGroup camp;
  camp.SetName("Camp");
  camp.AddAccount(620);
  camp.AddAccount(710);
  ASSERT_EQ(TheAcctGroupDBase().Add(camp), 1) << TheAcctGroupDBase().GetErrorText().GetString();
}

AccountRecord FiscalYear::Account(int number) {
  AccountRecord rec;
  int pos = -1;
  EXPECT_EQ(FindAcctIndex(number, &pos), 1) << number;
  if (pos < 0) return rec;
  EXPECT_EQ(ReadRecord(AcctFile, rec, AcctTable.byNumber[static_cast<size_t>(pos)]), 1);
  return rec;
}

int FiscalYear::MemberBalance(int row) {
  MemberRow m;
  EXPECT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
  return m.currentBalance;
}

int FiscalYear::MemberCount(int row) {
  MemberRow m;
  EXPECT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
  return m.transCount;
}

TransactionRecord& StartTransaction(TransactionDetail& d, LONG id, int month, const char* date, int factor,
                                    int amount, const char* number, const char* payee) {
  ResetTransactionDetail(d.lines, d.splits, d.shares);
  TransactionRecord& t = d.transaction;
  t = TransactionRecord{};
  t.id = id;
  t.account = 101;
  t.month = month;
  SetText(t.number, number);
  SetText(t.date, date);
  SetText(t.payee, payee);
  t.factor = factor;
  t.amount = amount;
  return t;
}

void SplitFundraisingLine(TransactionDetail& d, int anna, int ben) {
  d.lines[0].account = 520;
  d.lines[0].amount = anna + ben;
  d.lines[0].factor = SignedAmountByType('A', 1, 520);
  d.lines[0].split = 1;
  d.splits[0].factor = 1;
  d.shares[0][kAnna].cash = anna;
  d.shares[0][kBen].cash = ben;
}

void SplitCampLine(TransactionDetail& d, int line) {
  SupportLineRecord& l = d.lines[line];
  l.account = 620;
  l.amount = 4000;
  l.factor = -1;
  l.split = 1;
  l.reserveAccount = 710;
  l.reserveAmount = 4000;
  l.reserveFactor = 1;
  d.splits[line].factor = 1;
  d.shares[line][kAnna].cash = 2500;
  d.shares[line][kBen].cash = 1500;
}

void SpendAnnaReserve(int annaSpent, LONG* idOut) {
  auto d = std::make_unique<TransactionDetail>();
  TransactionRecord& t = StartTransaction(*d, NextTransId++, 4, "20080510", -1, annaSpent);
  d->lines[0].account = 620;
  d->lines[0].amount = annaSpent;
  d->lines[0].factor = 1;
  d->lines[0].reserveAccount = 710;
  d->lines[0].reserveAmount = annaSpent;
  d->lines[0].reserveFactor = -1;
  d->lines[0].split = 1;
  d->splits[0].factor = -1;
  d->shares[0][kAnna].accountAmount = annaSpent;
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  if (idOut) *idOut = t.id;
}

}  // namespace fixture
