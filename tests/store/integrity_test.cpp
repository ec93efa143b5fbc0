#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/WriteFailures.h"

namespace {

using fixture::FiscalYear;
using fixture::kAnna;
using fixture::kBen;

// The fixture's dues schedule has the frequency 'M' without its dates; the
// check repairs it every time it runs on a fresh fixture.
const char kDuesNotice[] = "Erased incomplete schedule frequency:  Monthly Dues.";

int AcctRow(int number) {
  int pos = -1;
  EXPECT_EQ(FindAcctIndex(number, &pos), 1) << number;
  return AcctTable.byNumber[static_cast<size_t>(pos)];
}

void SetBalance(int number, int delta) {
  AccountRecord a;
  int row = AcctRow(number);
  ASSERT_EQ(ReadRecord(AcctFile, a, row), 1);
  a.currentBalance += delta;
  ASSERT_EQ(WriteRecord(AcctFile, a, row), 1);
}

template <class F>
void EditMember(int row, F edit) {
  MemberRow m;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
  edit(m);
  ASSERT_EQ(WriteMemberRecord(MemberFile, &m, row), 1);
  MemberTable.keys[static_cast<size_t>(row)].status = m.status;
}

// Rows of a line-key table holding `key`.
std::vector<int> RowsWithKey(const LineKeyTable& t, LONG key) {
  std::vector<int> rows;
  for (int r = 0; r < t.rowCount; ++r)
    if (t.keys[static_cast<size_t>(r)] == key) rows.push_back(r);
  return rows;
}

std::vector<std::string> Boxes(const char* caption) {
  std::vector<std::string> out;
  for (const auto& m : automation::ModalLog())
    if (m.caption == caption) out.push_back(m.text);
  return out;
}

// The fixture's friends carry totals without yearly amounts; give them the
// amounts their totals stand for, so that a sound year is sound throughout.
void GiveFriendsTheirYearlyAmounts() {
  for (int r = 0; r < FriendTable.rowCount; ++r) {
    FriendRecord f;
    ASSERT_EQ(ReadRecord(FriendFile, f, r), 1);
    f.yearAmounts[3] = f.total;
    ASSERT_EQ(WriteRecord(FriendFile, f, r), 1);
  }
}

class IntegrityTest : public testing::Test {
 protected:
  void SetUp() override {
    automation::AlwaysAnswer("Progress", "", IDOK);
    GiveFriendsTheirYearlyAmounts();
  }
  // Runs the check answering every remaining box with OK (notices) or Yes
  // To All (questions); returns its result.
  int Run() {
    automation::AlwaysAnswer("Question", "", ANSWER_YESTOALL);
    automation::AlwaysAnswer("", "", IDOK);
    return CheckDataIntegrity(0);
  }
  std::vector<std::string> Notices() { return Boxes("Error"); }
  FiscalYear fy;
};

TEST_F(IntegrityTest, SoundYearIsLeftAsItIs) {
  std::vector<int> balances;
  const int accounts[] = {1, 101, 201, 399, 520, 620, 710, 900};
  for (int n : accounts) balances.push_back(FiscalYear::Balance(n));
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Notices(), std::vector<std::string>{kDuesNotice});
  EXPECT_TRUE(Boxes("Question").empty());
  EXPECT_TRUE(Boxes("Information").empty());
  for (size_t i = 0; i < std::size(accounts); ++i) EXPECT_EQ(FiscalYear::Balance(accounts[i]), balances[i]);
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), 4000);
  EXPECT_EQ(FiscalYear::MemberBalance(kBen), 6000);
  EXPECT_FALSE(TheProgressDlg().IsOpen());
}

TEST_F(IntegrityTest, DecliningTheQuestionRunsNothing) {
  SetBalance(520, 100);
  automation::ExpectMessageBox("Question", "Do you wish to perform a data integrity check?", ANSWER_NO);
  EXPECT_EQ(CheckDataIntegrity(1), 1);
  EXPECT_EQ(automation::ModalLog().size(), 1u);
  EXPECT_EQ(FiscalYear::Balance(520), 10100);
}

TEST_F(IntegrityTest, DanglingSupportLineIsRemovedAndBalancesFollow) {
  // The check of 50.00 (camping, 20.00 from the reserve) loses its
  // transaction record, not its line.
  int row = -1;
  ASSERT_EQ(FindTransactionRow(2, &row), 1);
  TransactionRecord t;
  ASSERT_EQ(ReadRecord(TransFile, t, row), 1);
  t.status = kStatusDeleted;
  ASSERT_EQ(WriteRecord(TransFile, t, row), 1);
  TransTable.keys[static_cast<size_t>(row)].status = kStatusDeleted;
  const int free = SupportTable.freeCount;
  const int checking = FiscalYear::Balance(101);

  EXPECT_EQ(Run(), 1);
  std::vector<std::string> notices = Notices();
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices[0], "Removed dangling support account: 620.");
  EXPECT_EQ(SupportTable.freeCount, free + 1);
  EXPECT_EQ(FiscalYear::Balance(101), checking + 5000);
  EXPECT_EQ(FiscalYear::Balance(620), 0);
  EXPECT_EQ(FiscalYear::Balance(710), 8000);
  EXPECT_EQ(FiscalYear::Usage(620), 0);
}

TEST_F(IntegrityTest, SplitWithoutSubAccountsIsRemoved) {
  for (int r : RowsWithKey(SubAcctTable, LineKey(1, 0))) {
    ASSERT_EQ(WriteRecord(SubAcctFile, SubAccountRecord{-1, 0, 0, 0, -1, 0}, r), 1);
    SubAcctTable.keys[static_cast<size_t>(r)] = -1;
  }
  EXPECT_EQ(Run(), 1);
  std::vector<std::string> notices = Notices();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices[0], "Split without subacounts has been removed.");
  EXPECT_EQ(notices[1],
            "Unmatched split reference has been removed.\n\n"
            "You should verify account 101, transaction \"DEP1\", dated 02/10/08.");
  EXPECT_TRUE(RowsWithKey(SplitTable, LineKey(1, 0)).empty());
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), 0);
  EXPECT_EQ(FiscalYear::MemberCount(kAnna), 0);
}

TEST_F(IntegrityTest, DuplicateSubAccountAndLostSplitFlagAreRepaired) {
  const LONG key = LineKey(1, 0);
  int annaRow = -1;
  for (int r : RowsWithKey(SubAcctTable, key)) {
    SubAccountRecord s;
    ASSERT_EQ(ReadRecord(SubAcctFile, s, r), 1);
    if (s.memberRow == kAnna) annaRow = r;
  }
  SubAccountRecord copy;
  ASSERT_EQ(ReadRecord(SubAcctFile, copy, annaRow), 1);
  const int dup = SubAcctTable.rowCount;
  ASSERT_EQ(WriteRecord(SubAcctFile, copy, dup), 1);
  SubAcctTable.keys[static_cast<size_t>(dup)] = key;
  ++SubAcctTable.rowCount;
  int lineRow = -1;
  for (int r = 0; r < SupportTable.rowCount; ++r)
    if (LineKey(SupportTable.keys[static_cast<size_t>(r)].id, SupportTable.keys[static_cast<size_t>(r)].line) == key)
      lineRow = r;
  SupportLineRecord line;
  ASSERT_EQ(ReadRecord(SupportFile, line, lineRow), 1);
  line.split = 0;
  ASSERT_EQ(WriteRecord(SupportFile, line, lineRow), 1);

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Notices(), (std::vector<std::string>{
                           "Removed duplicate subact #10/0.",
                           "Missing split has been re-attached.\n\n"
                           "You should verify account 101, transaction \"DEP1\", dated 02/10/08.",
                           kDuesNotice}));
  EXPECT_EQ(SubAcctTable.keys[static_cast<size_t>(dup)], -1);
  ASSERT_EQ(ReadRecord(SupportFile, line, lineRow), 1);
  EXPECT_EQ(line.split, 1);
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), 4000);
}

TEST_F(IntegrityTest, MemberWhoLeftWithABalanceIsActiveAgain) {
  EditMember(kAnna, [](MemberRow& m) {
    m.status = kStatusMarked;
    SetText(m.dateLeft, "20080501");
    m.currentBalance = 1250;  // and the balance is wrong as well
  });
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Boxes("Question"), std::vector<std::string>{"Reset Anna Smith from $12.50 to $40.00?"});
  MemberRow m;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, kAnna), 1);
  EXPECT_EQ(m.status, kStatusLive);
  EXPECT_STREQ(m.dateLeft, "");
  EXPECT_EQ(m.currentBalance, 4000);
  EXPECT_EQ(MemberTable.keys[kAnna].status, kStatusLive);
}

TEST_F(IntegrityTest, RecalculationAnswersDecideWhichAccountsAreReset) {
  struct {
    std::vector<int> answers;  // in the order asked: 101, 520, 620
    bool reset101, reset520, reset620;
  } cases[] = {
      {{ANSWER_YES, ANSWER_NO, ANSWER_YES}, true, false, true},
      {{ANSWER_YESTOALL}, true, true, true},
      {{ANSWER_NOTOALL}, false, false, false},
      {{ANSWER_NO, ANSWER_YESTOALL}, false, true, true},
  };
  for (auto& c : cases) {
    FiscalYear year;
    GiveFriendsTheirYearlyAmounts();
    automation::ClearResponder();
    automation::AlwaysAnswer("Progress", "", IDOK);
    const int good101 = FiscalYear::Balance(101), good520 = FiscalYear::Balance(520),
              good620 = FiscalYear::Balance(620);
    SetBalance(101, 1);
    SetBalance(520, 2);
    SetBalance(620, 3);
    EditMember(kBen, [](MemberRow& m) { m.currentBalance += 4; });
    for (int a : c.answers) automation::ExpectMessageBox("Question", "Reset account", a);
    // The member recalculation asks afresh.
    automation::ExpectMessageBox("Question", "Reset Ben Jones from $60.04 to $60.00?", ANSWER_YES);
    automation::AlwaysAnswer("", "", IDOK);
    EXPECT_EQ(CheckDataIntegrity(0), 1);
    EXPECT_TRUE(automation::PendingExpectations().empty());
    EXPECT_EQ(Boxes("Question").size(), c.answers.size() + 1);
    EXPECT_EQ(FiscalYear::Balance(101), good101 + (c.reset101 ? 0 : 1));
    EXPECT_EQ(FiscalYear::Balance(520), good520 + (c.reset520 ? 0 : 2));
    EXPECT_EQ(FiscalYear::Balance(620), good620 + (c.reset620 ? 0 : 3));
    EXPECT_EQ(FiscalYear::MemberBalance(kBen), 6000);
  }
}

TEST_F(IntegrityTest, CancelStopsTheLaterRecalculationsButRebuildsTheIndexes) {
  SetBalance(520, 100);
  EditMember(kBen, [](MemberRow& m) { m.currentBalance += 4; });
  std::reverse(AcctTable.byNumber.begin(), AcctTable.byNumber.begin() + AcctTable.rowCount);
  automation::ExpectMessageBox("Question", "Reset account 520/Fundraising from $101.00 to $100.00?",
                               ANSWER_CANCEL);
  automation::ExpectMessageBox("Information", "Re-calculation cancelled.", IDOK);
  automation::AlwaysAnswer("Error", "", IDOK);
  EXPECT_EQ(CheckDataIntegrity(0), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(FiscalYear::Balance(520), 10100);
  EXPECT_EQ(FiscalYear::MemberBalance(kBen), 6004);
  for (int p = 1; p < AcctTable.rowCount; ++p)
    EXPECT_LT(AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[p - 1])].number,
              AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[p])].number);
}

TEST_F(IntegrityTest, UsageCountAloneIsResetWithANotice) {
  AccountRecord a;
  ASSERT_EQ(ReadRecord(AcctFile, a, AcctRow(520)), 1);
  const int usage = a.usageCount;
  a.usageCount += 5;
  ASSERT_EQ(WriteRecord(AcctFile, a, AcctRow(520)), 1);
  EXPECT_EQ(Run(), 1);
  char expected[96];
  std::snprintf(expected, sizeof expected, "Account 520/Fundraising 'usage' flag reset from %d to %d.", usage + 5,
                usage);
  EXPECT_EQ(Notices(), (std::vector<std::string>{kDuesNotice, expected}));
  EXPECT_TRUE(Boxes("Question").empty());
  EXPECT_EQ(FiscalYear::Usage(520), usage);
}

TEST_F(IntegrityTest, ReservesOfAnAccountWithoutMemberReservesAreRemoved) {
  AccountRecord a;
  ASSERT_EQ(ReadRecord(AcctFile, a, AcctRow(710)), 1);
  a.memberReserves = 0;
  ASSERT_EQ(WriteRecord(AcctFile, a, AcctRow(710)), 1);
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Notices(), (std::vector<std::string>{"Removed dangling reserve amount 710/$30.00.",
                                                 "Removed dangling reserve amount 710/$50.00.", kDuesNotice}));
  ASSERT_EQ(OpenReserveFile(), 1);
  ReserveRecord r;
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(ReadRecord(ReserveFile, r, i), 1);
    EXPECT_EQ(r.memberRow, -1);
    EXPECT_EQ(r.account, -1);
    EXPECT_EQ(r.amount, 0);
  }
  CloseReserveFile();
}

TEST_F(IntegrityTest, FourCharacterDueDateGetsTheYearOfItsMonth) {
  FiscalFirstMonth = 8;  // a year from September 2005
  FiscalStartYear = 2005;
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ScheduleRecord s;
  ASSERT_EQ(ReadRecord(ScheduleFile, s, 0), 1);
  s.frequency = 'W';
  SetText(s.firstDate, "20050901");
  SetText(s.secondDate, "20050908");
  SetText(s.dueDates[3], "0315");
  ASSERT_EQ(WriteRecord(ScheduleFile, s, 0), 1);
  CloseScheduleFiles();
  automation::AlwaysAnswer("", "", IDOK);
  int position = 0;
  ValidateSchedules(100, &position);
  EXPECT_EQ(Notices(), std::vector<std::string>{"Repaired malformed schedule date:  Monthly Dues (0315)."});
  ASSERT_EQ(OpenScheduleFiles(), 1);
  ASSERT_EQ(ReadRecord(ScheduleFile, s, 0), 1);
  CloseScheduleFiles();
  EXPECT_STREQ(s.dueDates[3], "20060315");
  EXPECT_EQ(s.frequency, 'W');
}

TEST_F(IntegrityTest, EquipmentAccountIsRecomputedFromTheItems) {
  // The canoe loses its purchase line; the tent was bought before the year.
  int pos = -1;
  ASSERT_EQ(FindEquipItem(0, "Canoe", 1, &pos), 1);
  const int canoeRow = EquipTable.byDescription[static_cast<size_t>(pos)];
  EquipmentRecord canoe;
  ASSERT_EQ(ReadRecord(EquipFile, canoe, canoeRow), 1);
  canoe.lineKey = 99990;
  ASSERT_EQ(WriteRecord(EquipFile, canoe, canoeRow), 1);
  ASSERT_EQ(FindEquipItem(0, "Tent", 1, &pos), 1);
  EquipmentRecord tent;
  ASSERT_EQ(ReadRecord(EquipFile, tent, EquipTable.byDescription[static_cast<size_t>(pos)]), 1);
  SetBalance(399, 777);

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Notices().at(1), "Dangling equipment item 'Canoe' has been manually entered.");
  ASSERT_EQ(ReadRecord(EquipFile, canoe, canoeRow), 1);
  EXPECT_EQ(canoe.lineKey, -1);
  AccountRecord equipment = FiscalYear::Account(399);
  EXPECT_EQ(equipment.openingBalance, tent.openingValue);
  EXPECT_EQ(equipment.currentBalance, tent.currentValue + canoe.currentValue);
  EXPECT_EQ(equipment.usageCount, 2);
  EXPECT_TRUE(Boxes("Question").empty());  // 399 is never asked about
}

TEST_F(IntegrityTest, PurchaseEnteredOnTheEquipmentAccountStaysDeletableAfterTheCheck) {
  // A stove bought on account 399 itself, its offsetting line in slot 2:
  // the item records the purchase under line 0 of the transaction.
  auto d = std::make_unique<TransactionDetail>();
  TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, 4, "20080420", 1, 6000, "EQ1");
  t.account = 399;
  SetText(t.remarks, "Stove");
  d->lines[2].account = 101;
  d->lines[2].amount = 6000;
  d->lines[2].factor = -1;
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  const AccountRecord before = FiscalYear::Account(399);

  EXPECT_EQ(Run(), 1);
  for (const std::string& notice : Notices()) EXPECT_EQ(notice.find("Stove"), std::string::npos) << notice;
  int pos = -1;
  ASSERT_EQ(FindEquipItem(0, "Stove", 1, &pos), 1);
  EquipmentRecord stove;
  ASSERT_EQ(ReadRecord(EquipFile, stove, EquipTable.byDescription[static_cast<size_t>(pos)]), 1);
  EXPECT_EQ(stove.lineKey, LineKey(t.id, 0));

  ASSERT_EQ(DeleteTransaction(t.id, 0), 1);
  EXPECT_EQ(FindEquipItem(0, "Stove", 1, nullptr), 0);
  EXPECT_EQ(FiscalYear::Balance(399), before.currentBalance - 6000);
  EXPECT_EQ(FiscalYear::Usage(399), before.usageCount - 1);
}

TEST_F(IntegrityTest, SplitWithoutAnyLineStopsTheMemberRecalculation) {
  const int row = SplitTable.rowCount;
  ASSERT_EQ(WriteRecord(SplitFile, SplitRecord{99990, 0, 1, 0, 1, 0}, row), 1);
  SplitTable.keys[static_cast<size_t>(row)] = 99990;
  ++SplitTable.rowCount;
  automation::ExpectMessageBox("Error", "Unmatched recalc split.", IDOK);
  int position = 0;
  EXPECT_EQ(RecalcMemberBalances(1000, &position), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(IntegrityTest, ReserveAmountOfASplitLineIsWhatItsSubAccountsGive) {
  // A camping expense of 25.00 that Anna pays wholly out of reserve 710.
  // Three equal sub-accounts of hers leave two after the check; both count,
  // in her balance and in the line's reserve amount alike.
  struct {
    int extraCopies;
    int storedReserve;
  } cases[] = {{0, 1}, {2, 2500}};
  for (auto& c : cases) {
    FiscalYear year;
    GiveFriendsTheirYearlyAmounts();
    LONG id = 0;
    ASSERT_NO_FATAL_FAILURE(fixture::SpendAnnaReserve(2500, &id));
    const LONG key = LineKey(id, 0);
    const std::vector<int> annaRows = RowsWithKey(SubAcctTable, key);
    ASSERT_EQ(annaRows.size(), 1u);
    SubAccountRecord anna;
    ASSERT_EQ(ReadRecord(SubAcctFile, anna, annaRows[0]), 1);
    for (int i = 0; i < c.extraCopies; ++i) {
      ASSERT_EQ(WriteRecord(SubAcctFile, anna, SubAcctTable.rowCount), 1);
      SubAcctTable.keys[static_cast<size_t>(SubAcctTable.rowCount++)] = key;
    }
    int lineRow = -1;
    for (int r = 0; r < SupportTable.rowCount; ++r)
      if (SupportTable.keys[static_cast<size_t>(r)].id == id) lineRow = r;
    SupportLineRecord line;
    ASSERT_EQ(ReadRecord(SupportFile, line, lineRow), 1);
    line.reserveAmount = c.storedReserve;
    ASSERT_EQ(WriteRecord(SupportFile, line, lineRow), 1);

    automation::ClearResponder();
    automation::AlwaysAnswer("Progress", "", IDOK);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(RowsWithKey(SubAcctTable, key).size(), c.extraCopies ? 2u : 1u);
    ASSERT_EQ(ReadRecord(SupportFile, line, lineRow), 1);
    EXPECT_EQ(line.reserveAmount, 2500) << c.extraCopies;
  }
}

// Gives Eve Adams (total 500.00) yearly amounts of `first` and `last`;
// returns her row.
int GiveEveYearlyAmounts(LONG first, LONG last) {
  int pos = -1;
  EXPECT_EQ(FindFriend(0, "Adams", "Eve", &pos), 1);
  const int row = FriendTable.byName[static_cast<size_t>(pos)];
  FriendRecord f;
  EXPECT_EQ(ReadRecord(FriendFile, f, row), 1);
  f.yearAmounts[0] = first;
  f.yearAmounts[3] = last;
  EXPECT_EQ(WriteRecord(FriendFile, f, row), 1);
  return row;
}

TEST_F(IntegrityTest, FriendTotalsFollowTheYearlyAmounts) {
  const int row = GiveEveYearlyAmounts(20000, 5000);
  FriendRecord f;
  automation::ExpectMessageBox("Question", "Reset Eve Adams's total contribution from $500.00 to $250.00?",
                               ANSWER_YES);
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  ASSERT_EQ(ReadRecord(FriendFile, f, row), 1);
  EXPECT_EQ(f.total, 25000);
  EXPECT_EQ(FriendTable.keys[static_cast<size_t>(row)].total, 25000);
}

TEST_F(IntegrityTest, FriendTotalThatCannotBeWrittenStaysInTheTable) {
  const int row = GiveEveYearlyAmounts(0, 5000);
  automation::AlwaysAnswer("Question", "", ANSWER_YES);
  automation::ExpectMessageBox("Fatal Error", "Failed write: recalc friend", IDOK);
  write_failures::FailAfter(0);
  int position = 0;
  EXPECT_EQ(RecalcFriendContributions(1, &position), 0);
  write_failures::Reset();
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(FriendTable.keys[static_cast<size_t>(row)].total, 50000);
}

}  // namespace
