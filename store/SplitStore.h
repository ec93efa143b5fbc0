// Passbook splits and sub-accounts: a support line divided among member
// passbooks has one split record and one sub-account record per member
// that takes part; shares move the members' balances and counts.
#pragma once

#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Records.h"
#include "store/StoreUtil.h"

// Shares of one line: entry j stands for member row j.
using ShareArray = SubAccountRecord[kMemberSlots];

// Whether an entry of the share array takes part in the split.
inline bool TakesPart(const SubAccountRecord& s) { return s.units != 0 || s.cash != 0 || s.accountAmount != 0; }

void ResetSplitBuffers(SplitRecord* split, SubAccountRecord* shares);
int AddSplit(int lineAccount, SplitRecord* split, SubAccountRecord* shares);
int AddSubAccount(int lineAccount, const SplitRecord* split, SubAccountRecord* share);
int DeleteSplit(int lineAccount, int row);
int DeleteSubAccount(int row, int splitFactor, int lineAccount);
int ModifySplit(int row, int lineAccount, int oldLineAccount, SplitRecord* split, const SplitRecord* oldSplit,
                SubAccountRecord* shares, const SubAccountRecord* oldShares);
int ModifySubAccount(int row, int lineAccount, int oldLineAccount, const SplitRecord* split,
                     const SplitRecord* oldSplit, SubAccountRecord* share, const SubAccountRecord* oldShare);
int FindSplitRow(int lineKey, int* rowOut);
int FindSubAccountRow(int lineKey, int memberRow);
// In 64 bits: the shares of a damaged record may sum beyond the 32-bit range.
long long SumPassbookSplit(int account, const SplitRecord* split, const SubAccountRecord* shares);
int SumPassbook(int member, int account, const char* from, const char* to, int* openingOut, int* closingOut,
                int* reserveOut);

// Reads the split of the line `lineKey` (its first row) and then, in row
// order, each sub-account of the key, handing each to f(split, share).
// A line without a split is no failure. A failed read is shown ("split",
// "sub-account") and returns false.
template <class F>
bool ForEachShareOfLine(LONG lineKey, F f) {
  int splitRow;
  if (!FindSplitRow(lineKey, &splitRow)) return true;  // not divided among passbooks
  SplitRecord split;
  if (ReadRecord(SplitFile, split, splitRow) != 1) {
    ShowStoreError(ERR_READ, "split", MSG_FATAL);
    return false;
  }
  for (int a = 0; a < SubAcctTable.rowCount; ++a) {
    if (SubAcctTable.keys[static_cast<size_t>(a)] != lineKey) continue;
    SubAccountRecord share;
    if (ReadRecord(SubAcctFile, share, a) != 1) {
      ShowStoreError(ERR_READ, "sub-account", MSG_FATAL);
      return false;
    }
    f(split, share);
  }
  return true;
}
