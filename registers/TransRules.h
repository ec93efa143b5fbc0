// The rules the transaction form and the register grid share when they
// check and save a transaction: room for new passbook splits and their
// entries, the single support line made from the transaction, and no
// passbook data left on a line whose flag does not claim it.
#pragma once

#include "store/TransStore.h"

// A number made of digits only (and not empty).
bool AllDigits(const char* text);
// Passbook splits, and member shares taking part in them, of the lines
// that carry a split.
void CountSplits(const TransactionDetail& d, int* splits, int* shares);
// The message when the working transaction adds more splits or entries
// than the store has room for; empty when it fits.
CString SplitRoomError(const TransactionDetail& work, const TransactionDetail& loaded);
// A transaction with one support line: line 0 takes the transaction's id,
// amount and cleared mark, and its passbook split its key and factor.
void PrepareSingleLine(TransactionDetail& work);
// Clears the split and shares of every line that is unused or unflagged.
void ClearUnclaimedPassbookData(TransactionDetail& work);
// Asks before line 0's passbook split is dropped; on Yes the split and its
// shares go with the flag, so nothing stale is posted later. True when
// dropped.
bool AskDiscardPassbookSplit(TransactionDetail& work);
// Whether a transaction is an equipment purchase (account 399 bought).
bool IsEquipmentPurchase(const TransactionDetail& work, int registerAccount);
