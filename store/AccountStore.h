// The account store: accounts with their member reserves, and the automatic
// close-out of a reserve account.
#pragma once

#include <cstddef>

#include "store/Records.h"

int FindAcctIndex(int number, int* posOut);
// "%d - %s" of a live account, else "Unknown account".
void GetAcctLabel(int number, char* out, size_t size);
template <size_t N>
void GetAcctLabel(int number, char (&out)[N]) {
  GetAcctLabel(number, out, N);
}
int AddAcct(AccountRecord* record, const int* memberRows, int memberCount, const int* shares, int* rowOut);
int ModifyAcct(AccountRecord* record, const AccountRecord* oldRecord, const int* memberRows, int memberCount,
               const int* shares, int row);
int DeleteAcct(int number);
// `messageOut` (may be null) receives the confirmation text on success.
int AutoCloseReserves(int account, const char* date, char* messageOut, size_t size);
template <size_t N>
int AutoCloseReserves(int account, const char* date, char (&messageOut)[N]) {
  return AutoCloseReserves(account, date, messageOut, N);
}
