// Account classes and the posting rules.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "common/Dates.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "common/Question.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"

namespace {

TEST(AcctClass, LettersAndNames) {
  struct {
    int number;
    char letter;
  } cases[] = {{0, ' '}, {1, 'A'}, {99, 'A'}, {150, 'A'}, {399, 'A'}, {401, 'L'}, {599, 'I'},
               {620, 'E'}, {710, 'R'}, {850, ' '}, {900, 'S'}, {999, 'S'}, {1000, ' '}};
  for (auto& c : cases) EXPECT_EQ(GetAcctClass(c.number), c.letter) << c.number;
  char name[12];
  GetAcctClassName(850, name);
  EXPECT_STREQ(name, " ");
  GetAcctClassName(250, name);
  EXPECT_STREQ(name, "Savings");
}

TEST(AcctClass, SignedAmountByClass) {
  struct {
    int account, lineAccount, factor, cash, amount, result;
  } cases[] = {
      {710, 599, 1, 300, 200, 0},    {710, 520, 1, 300, 200, 500}, {710, 520, -1, 300, 200, 200},
      {599, -1, -1, 300, 200, -200}, {599, -1, 1, 300, 200, -200}, {620, -1, -1, 300, 200, 200},
      {620, -1, 1, 300, 200, 300},   {520, -1, 1, 300, 200, 300},
  };
  for (auto& c : cases)
    EXPECT_EQ(SignedAmount(c.account, c.lineAccount, c.factor, c.cash, c.amount), c.result) << c.account;
}

TEST(AcctClass, OffsettingLineSignByClass) {
  // Rows: class of the line's account; columns: letter A, S, other.
  struct {
    int account;
    int a, s, other;
  } cases[] = {{520, 1, -1, -1}, {401, 1, -1, -1}, {710, 1, 1, -1}, {101, -1, 1, 1},
               {620, -1, 1, 1},  {950, -1, 1, 1},  {850, -1, 1, 1}};
  for (auto& c : cases) {
    EXPECT_EQ(SignedAmountByType('A', 1, c.account), c.a) << c.account;
    EXPECT_EQ(SignedAmountByType('S', 1, c.account), c.s) << c.account;
    EXPECT_EQ(SignedAmountByType('E', 1, c.account), c.other) << c.account;
    EXPECT_EQ(SignedAmountByType(' ', 1, c.account), c.other) << c.account;
  }
}

TEST(AcctClass, NextFreeNumbers) {
  fixture::FiscalYear fy(false);
  for (int n : {1, 2, 3, 4}) {
    AccountRecord a;
    a.number = n;
    ASSERT_EQ(AddAcct(&a, nullptr, 0, nullptr, nullptr), 1);
  }
  EXPECT_EQ(AcctClassTable[0].nextFree, 5);
  automation::ExpectMessageBox("Question", "3 - ", ANSWER_YES);
  ASSERT_EQ(DeleteAcct(3), 1);
  EXPECT_EQ(AcctClassTable[0].nextFree, 3);
  EXPECT_EQ(AcctClassTable[8].nextFree, 899);
  EXPECT_EQ(AcctClassTable[1].nextFree, 100);
}

TEST(AcctClass, UpdateAcctBalanceModes) {
  fixture::FiscalYear fy;
  int balance = fixture::FiscalYear::Balance(201), usage = fixture::FiscalYear::Usage(201);
  ASSERT_EQ(UpdateAcctBalance(201, 1, 2500, "test"), 1);
  ASSERT_EQ(UpdateAcctBalance(201, -1, 1000, "test"), 1);
  ASSERT_EQ(UpdateAcctBalance(201, 0, 7, "test"), 1);
  EXPECT_EQ(fixture::FiscalYear::Balance(201), balance + 1507);
  EXPECT_EQ(fixture::FiscalYear::Usage(201), usage);
  automation::ExpectMessageBox("Error", "Unmatched primary acct", IDOK);
  EXPECT_EQ(UpdateAcctBalance(555, 1, 1, "primary acct"), 0);
}

TEST(AcctClass, EquipmentActivityCountsItemsNotPurchases) {
  fixture::FiscalYear fy;
  int total = 0;
  ASSERT_EQ(SumAcctActivity(399, 'A', 0, "20081231", nullptr, &total), 1);
  // The canoe (80.00, bought this year) counts by its value; the purchase
  // posting is ignored; the tent bought before the year counts its change.
  EXPECT_EQ(total, 8000 + (12000 - 15000));
}

TEST(AcctClass, ActivityByMonth) {
  // The fixture: Feb 101 +100.00 from 520; Mar 101 -50.00 to 620 with
  // -20.00 on reserve 710; Apr 101 -80.00 for a canoe on 399; the tent
  // bought before the year counts in date mode only.
  fixture::FiscalYear fy;
  struct {
    int number;
    char letter;
    int month, monthTotal, total;
  } cases[] = {
      {101, 'A', 0, 0, 0},       {101, 'A', 1, 10000, 10000}, {101, 'A', 2, -5000, 5000},
      {101, 'A', 3, -8000, -3000}, {101, 'A', 11, 0, -3000},  {520, 'I', 1, 10000, 10000},
      {620, 'E', 2, 5000, 5000}, {620, 'E', 1, 0, 0},         {710, 'R', 2, -2000, -2000},
      {710, 'R', 11, 0, -2000},  {399, 'A', 2, 0, 0},         {399, 'A', 3, 8000, 8000},
  };
  for (auto& c : cases) {
    int monthTotal = -1, total = -1;
    ASSERT_EQ(SumAcctActivity(c.number, c.letter, c.month, nullptr, &monthTotal, &total), 1);
    EXPECT_EQ(monthTotal, c.monthTotal) << c.number << " month " << c.month;
    EXPECT_EQ(total, c.total) << c.number << " month " << c.month;
  }
  // A year starting in September wraps: months 8-11 then 0-1.
  FiscalFirstMonth = 8;
  int monthTotal = -1, total = -1;
  ASSERT_EQ(SumAcctActivity(101, 'A', 1, nullptr, &monthTotal, &total), 1);
  EXPECT_EQ(monthTotal, 10000);
  EXPECT_EQ(total, 10000);
  ASSERT_EQ(SumAcctActivity(101, 'A', 9, nullptr, &monthTotal, &total), 1);
  EXPECT_EQ(total, 0);
  FiscalFirstMonth = 0;
}

// The one-pass sums a year of budgets is built from give every account and
// month what the account-by-account sum gives, reserves, splits, a support
// line on the register's own account and equipment among them.
TEST(SumActivityByMonth, AgreesWithEachAccountsOwnMonthTotals) {
  fixture::FiscalYear fy;
  fixture::SpendAnnaReserve(1500);
  std::map<int, std::array<int, 12>> months;
  ASSERT_EQ(SumActivityByMonth(&months), 1);
  int compared = 0;
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted) continue;
    for (int m = 0; m < 12; ++m) {
      int monthTotal = 0, total = 0;
      ASSERT_EQ(SumAcctActivity(k.number, GetAcctClass(k.number), m, "", &monthTotal, &total), 1);
      const auto found = months.find(k.number);
      EXPECT_EQ(found == months.end() ? 0 : found->second[static_cast<size_t>(m)], monthTotal)
          << k.number << " month " << m;
      compared += monthTotal != 0;
    }
  }
  EXPECT_GE(compared, 8);
}

}  // namespace
