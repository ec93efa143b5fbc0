// The account store: accounts with their member reserves, and the automatic
// close-out of a reserve account.
#pragma once

#include "store/Records.h"

int FindAcctIndex(int number, int* posOut);
// "%d - %s" of a live account, else "Unknown account". `out` needs 64 bytes.
void GetAcctLabel(int number, char* out);
int AddAcct(AccountRecord* record, const int* memberRows, int memberCount, const int* shares, int* rowOut);
int ModifyAcct(AccountRecord* record, const AccountRecord* oldRecord, const int* memberRows, int memberCount,
               const int* shares, int row);
int DeleteAcct(int number);
// `messageOut` (256 bytes) receives the confirmation text on success.
int AutoCloseReserves(int account, const char* date, char* messageOut);
