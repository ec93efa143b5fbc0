// Transactions and their support lines: adding, changing and deleting a
// transaction posts every amount to the account balances, the passbook
// splits and the equipment item a posting to account 399 brings along.
#pragma once

#include <cstddef>

#include "store/KeyTable.h"
#include "store/Records.h"
#include "store/SplitStore.h"

// A transaction with its ten line slots, their splits and share arrays, as
// the editors hold it (large: allocate it on the heap).
struct TransactionDetail {
  TransactionRecord transaction;
  SupportLineRecord lines[kLinesPerTransaction];
  SplitRecord splits[kLinesPerTransaction];
  ShareArray shares[kLinesPerTransaction];
};

int FindTransaction(int id, int* rowOut);
int FindTransactionRow(int id, int* rowOut);
int ReadTransactionById(int id, TransactionRecord* record);
int ReadSupportLine(int lineKey, SupportLineRecord* record);
int IsTransactionNumberUsed(int account, const char* number);
int FindNextTransactionNumber(int account, char* number, size_t size);
template <size_t N>
int FindNextTransactionNumber(int account, char (&number)[N]) {
  return FindNextTransactionNumber(account, number, N);
}
void ResetSupportLine(int line, SupportLineRecord* record);
void ResetTransactionDetail(SupportLineRecord* lines, SplitRecord* splits, ShareArray* shares);
// `messageOut` (may be null) receives the failure text; nothing is shown.
int LoadTransaction(int row, TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                    ShareArray* shares, char* messageOut, size_t size);
template <size_t N>
int LoadTransaction(int row, TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                    ShareArray* shares, char (&messageOut)[N]) {
  return LoadTransaction(row, transaction, lines, splits, shares, messageOut, N);
}
int AddTransaction(TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                   ShareArray* shares);
int ModifyTransaction(int row, TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                      ShareArray* shares);
int DeleteTransaction(int id, int confirm);
int AddSupportLine(const TransactionRecord* transaction, SupportLineRecord* line, SplitRecord* split,
                   SubAccountRecord* shares);
int ModifySupportLine(const TransactionRecord* transaction, SupportLineRecord* line,
                      const SupportLineRecord* oldLine, SplitRecord* split, const SplitRecord* oldSplit,
                      SubAccountRecord* shares, const SubAccountRecord* oldShares);
int DeleteSupportLine(int id, int lineNumber);
