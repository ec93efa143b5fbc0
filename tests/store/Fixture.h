// A small but complete fiscal year (2008, starting in January) in a
// temporary program folder, opened and loaded: accounts of every class
// (399, 599 and 900 among them), a budget, scouts, an adult and a subunit
// with passbooks, transactions with support lines, a passbook split and a
// reserve posting, an equipment purchase, a hand-entered item, friends,
// member reserves, a dues schedule with participants and an account group.
#pragma once

#include <string>

#include "store/Records.h"
#include "store/TransStore.h"

namespace fixture {

// Member rows of the fixture.
inline constexpr int kAnna = 0;   // scout, passbook, subunit Eagles
inline constexpr int kBen = 1;    // scout, passbook, subunit Eagles
inline constexpr int kCarl = 2;   // adult, passbook
inline constexpr int kEagles = 3; // subunit, passbook

class FiscalYear {
 public:
  // Makes the folder and empty record files only (no year open).
  explicit FiscalYear(bool populate = true);
  ~FiscalYear();
  FiscalYear(const FiscalYear&) = delete;
  FiscalYear& operator=(const FiscalYear&) = delete;

  const std::string& home() const { return home_; }
  const std::string& folder() const { return folder_; }
  // Closes and opens the year again (as at start-up).
  int Reopen();

  // Reads an account's record (by number); fails the test when missing.
  static AccountRecord Account(int number);
  static int Balance(int number) { return Account(number).currentBalance; }
  static int Usage(int number) { return Account(number).usageCount; }
  static int MemberBalance(int row);
  static int MemberCount(int row);

 private:
  void MakeEmptyYear();
  void Populate();
  std::string home_;
  std::string folder_;
};

// Path of a record file of the fixture's year by stem ("acct", "trans", ...).
std::string FilePath(const FiscalYear& fy, const char* stem);
long FileSize(const std::string& path);

// Clears `d` (lines, splits and shares) and starts its transaction afresh:
// id `id`, on account 101 in `month`, dated `date`, `factor` x `amount`;
// number and payee may be null (left empty).
TransactionRecord& StartTransaction(TransactionDetail& d, LONG id, int month, const char* date, int factor,
                                    int amount, const char* number = nullptr, const char* payee = nullptr);
// Line 0 of `d`: income from fundraising (520) of anna + ben, split in cash
// among Anna and Ben.
void SplitFundraisingLine(TransactionDetail& d, int anna, int ben);
// Line `line` of `d`: camping expense (620) of 40.00 split in cash among
// Anna (25.00) and Ben (15.00) and posting 40.00 to the camp reserve 710.
void SplitCampLine(TransactionDetail& d, int line);
// Adds a camping expense (620) in April of which Anna spends `annaSpent`
// out of reserve 710; `idOut` (may be null) gets the transaction's id.
void SpendAnnaReserve(int annaSpent, LONG* idOut = nullptr);

}  // namespace fixture
