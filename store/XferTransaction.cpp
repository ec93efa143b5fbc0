// Load/save function of the transaction dialog and register, and the digit
// test they use.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "store/KeyTable.h"
#include "store/StoreUtil.h"
#include "store/TransStore.h"
#include "store/Xfer.h"
#include "store/XferDefaults.h"

const char* SkipChars(const char* text, const char* set) {
  if (text == nullptr) return nullptr;
  const char* p = text + std::strspn(text, set ? set : "");
  return *p ? p : nullptr;
}

namespace {

bool AllDigits(const char* text) { return text[0] && SkipChars(text, "0123456789") == nullptr; }

// The next number above `number` the account has not used; emptied when
// there is none.
void AdvanceNumber(LONG account, char (&number)[9]) {
  if (!AllDigits(number)) return;
  if (!FindNextTransactionNumber(account, number)) number[0] = '\0';
}

}  // namespace

int XferTransaction(int save, int account, int row, int lastNumber, TransactionRecord* trans,
                    SupportLineRecord* lines, SplitRecord* splits, ShareArray* shares) {
  XferDefaults& d = TheXferDefaults();
  if (!d.transDate[0]) {
    SetText(d.transDate, FirstDefaultDate());
    d.transMonth = std::atoi(std::string(d.transDate).substr(4, 2).c_str()) - 1;
  }
  if (account != d.transAccount) {
    d.transFactor = 1;
    d.transAccount = account;
    std::snprintf(d.transNumber, sizeof d.transNumber, "%d", lastNumber);
    AdvanceNumber(account, d.transNumber);
  }

  char failure[256] = "";
  int ok = 1;
  if (save == 0) {
    if (row < 0) {
      *trans = TransactionRecord{};
      trans->id = NextTransId;
      trans->account = account;
      SetText(trans->number, d.transNumber);
      SetText(trans->date, d.transDate);
      trans->month = d.transMonth;
      trans->status = kStatusLive;
      trans->factor = d.transFactor;
      ResetTransactionDetail(lines, splits, shares);
    } else {
      ok = LoadTransaction(row, trans, lines, splits, shares, failure);
    }
  } else if (row >= 0) {
    ok = ModifyTransaction(row, trans, lines, splits, shares);
  } else if (TransTable.freeCount <= 0) {
    // Refused outright: the dialog stays open and the entry is not lost.
    ShowCapacityNotice("transaction");
    return 0;
  } else {
    ++NextTransId;
    SetText(d.transNumber, trans->number);
    AdvanceNumber(trans->account, d.transNumber);
    SetText(d.transDate, trans->date);
    d.transMonth = trans->month;
    d.transFactor = trans->factor;
    ok = AddTransaction(trans, lines, splits, shares);
    if (ok) {
      if (TransTable.freeCount == 0)
        ShowCapacityNotice("transaction");
      else if (SupportTable.freeCount == 0)
        ShowCapacityNotice("support account");
    }
  }
  if (failure[0]) {
    DispMessage(failure, MSG_FATAL);
    ok = 0;
  }
  return ok ? 1 : 0;
}
