// The member reserve audit: which members have spent more of some reserve
// account than was held for them. Built once per report run; the member
// reports mark such a member and explain the mark with a footnote.
#pragma once

#include <vector>

#include "platform/base/types.h"

class CStringArray;

class CResAudit {
 public:
  // Computes every member's reserve balance in every reserve account from
  // the initial reserves and the year's reserve shares. A failure is shown
  // and leaves every flag 0.
  CResAudit();
  virtual ~CResAudit();

  // 1 when the member is below zero in at least one reserve account; 0 for a
  // row the audit does not know.
  int IsNegative(int memberRow) const;
  // Index of the balance of this member in this account in the working
  // table: account row + member row x account rows; -1 when no account row
  // has the number.
  int BalanceIndex(int memberRow, int accountNumber) const;

 private:
  std::vector<BYTE> flags_;
  int accountRows_ = 0;
};

// The footnote lines that explain the mark: four entries, the first " ".
// perAccount 1 for reports per account, 0 for reports over all accounts.
void GetReserveFootnotes(int perAccount, CStringArray* lines);
