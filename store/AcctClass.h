// Account classes and the accounting rules.
//
// An account's number alone decides its class; the class decides how
// postings count, which side an offsetting line takes and how a member's
// share of a split moves the member's balance.
#pragma once

#include <array>
#include <map>

#include <cstddef>

#include "platform/base/types.h"

struct AcctClassRow {
  char name[12];
  char abbreviation[4];
  char letter;
  LONG low;
  LONG high;
  LONG userLimit;  // highest number a user may give an account of the class
  LONG nextFree;   // -1 until first computed
};
extern AcctClassRow AcctClassTable[9];

// Accounts with a fixed role.
inline constexpr LONG kEquipmentAccount = 399;
inline constexpr LONG kDuesAccount = 599;
inline constexpr LONG kReserveAllocationAccount = 900;

// Class letter A, L, I, E, R or S; a blank when the number has no class.
char GetAcctClass(int number);
// Class row 0-8, -1 when none.
int GetAcctClassRow(int number);
// The class name; " " when none.
void GetAcctClassName(int number, char* out, size_t size);
template <size_t N>
void GetAcctClassName(int number, char (&out)[N]) {
  GetAcctClassName(number, out, N);
}
void UpdateNextAcctNumbers();

// Posts to an account record: mode 1 adds the amount and one use, -1 takes
// them off, 0 adds the amount alone. `word` names the caller in messages.
int UpdateAcctBalance(int number, int mode, long long amount, const char* word);

// Taken in 64 bits: the share and line amounts of a damaged record may lie
// at the ends of the 32-bit range.
long long SignedAmount(int account, int lineAccount, int splitFactor, int cash, int accountAmount);
long long SignedAmountByType(char letter, int amount, int account);
// Whether a line on an account of class `letter` may be split among
// passbooks; the refusal text goes to `message`.
int CheckSplitAllowed(char letter, char* message, size_t size);
template <size_t N>
int CheckSplitAllowed(char letter, char (&message)[N]) {
  return CheckSplitAllowed(letter, message, N);
}
int HasReserveAccounts();
// Activity of an account in the fiscal year up to `date` (yyyymmdd), or,
// with an empty or null date, over the months from the fiscal first month
// through `month` (and `monthTotal` of that month alone).
int SumAcctActivity(int number, char letter, int month, const char* date, int* monthTotal, int* total);
// The month totals of SumAcctActivity (each account by its own class) for
// every account and calendar month at once, in one pass over the year's
// transactions, support lines and equipment: a year of budgets from actual
// figures would otherwise read every line once per account and month.
// Accounts without activity are absent. 0 after a read failure or a total
// beyond the amount range was shown.
int SumActivityByMonth(std::map<int, std::array<int, 12>>* months);
