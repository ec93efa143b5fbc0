#include "registers/TransRules.h"

#include <cstdio>

#include "common/Money.h"
#include "common/Question.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"

bool AllDigits(const char* text) { return text[0] && SkipChars(text, "0123456789") == nullptr; }

void CountSplits(const TransactionDetail& d, int* splits, int* shares) {
  *splits = *shares = 0;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    if (d.lines[i].account == 0 || !d.lines[i].split) continue;
    ++*splits;
    for (int m = 0; m < kMemberSlots; ++m)
      if (TakesPart(d.shares[i][m])) ++*shares;
  }
}

CString SplitRoomError(const TransactionDetail& work, const TransactionDetail& loaded) {
  int workSplits, workShares, loadedSplits, loadedShares;
  CountSplits(work, &workSplits, &workShares);
  CountSplits(loaded, &loadedSplits, &loadedShares);
  CString message;
  if (workSplits - loadedSplits > SplitTable.freeCount)
    message.Format("Maximum number of passbook splits exceeded by %d", workSplits - loadedSplits - SplitTable.freeCount);
  else if (workShares - loadedShares > SubAcctTable.freeCount)
    message.Format("Maximum number of passbook split entries exceeded by %d",
                   workShares - loadedShares - SubAcctTable.freeCount);
  return message;
}

void PrepareSingleLine(TransactionDetail& W) {
  const TransactionRecord& t = W.transaction;
  SupportLineRecord& l = W.lines[0];
  l.id = t.id;
  l.line = 0;
  l.status = kStatusLive;
  l.amount = t.amount;
  l.reserveAmount = l.reserveAccount ? t.amount : 0;
  l.cleared = t.cleared;
  l.remarks[0] = '\0';
  if (l.split) {
    const LONG key = LineKey(l.id, l.line);
    W.splits[0].factor = static_cast<LONG>(ApplyAcctLetterSign(GetAcctClass(t.account), t.factor));
    l.reserveAmount = static_cast<LONG>(SumPassbookSplit(l.reserveAccount, &W.splits[0], W.shares[0]));
    W.splits[0].lineKey = key;
    for (int m = 0; m < kMemberSlots; ++m) W.shares[0][m].lineKey = key;
  }
}

void ClearUnclaimedPassbookData(TransactionDetail& W) {
  for (int i = 0; i < kLinesPerTransaction; ++i)
    if (W.lines[i].account == 0 || !W.lines[i].split) {
      W.lines[i].split = 0;
      ResetSplitBuffers(&W.splits[i], W.shares[i]);
    }
}

bool IsEquipmentPurchase(const TransactionDetail& W, int registerAccount) {
  const bool single = !W.transaction.multiLine;
  return (registerAccount == kEquipmentAccount && W.transaction.factor == 1) ||
         (single && W.lines[0].account == kEquipmentAccount && W.lines[0].factor == 1);
}

bool AskDiscardPassbookSplit(TransactionDetail& work) {
  if (AskQuestion("Do you really want to discard the passbook split", ANSWER_NO, 0) != ANSWER_YES) return false;
  work.lines[0].split = 0;
  ResetSplitBuffers(&work.splits[0], work.shares[0]);
  return true;
}
