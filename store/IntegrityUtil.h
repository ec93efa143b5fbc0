// Helpers shared by the integrity check's passes. Internal to the
// Integrity files.
#pragma once

#include <string>

#include "store/Records.h"

namespace integrity {

// The caption of the running pass and one step of the progress display.
void SetCaption(const char* caption);
void Advance(int total, int* position);

// A repair notice (Error) and a read or write failure (Fatal Error).
void Notice(const std::string& text);
void ReadFailure(const char* item);
void WriteFailure(const char* item);

// "You should verify account %d, transaction "%s", dated %s." with, when
// `supportAccount` is not 0, ", support account %d" before the date.
std::string VerifyText(const TransactionRecord& t, int supportAccount);

// Whether a transaction key row that is not deleted has this id.
bool HasTransaction(LONG id);

// Frees split / sub-account slots on disk and in their tables; `item`
// names the failure. True when written.
bool FreeSplit(int row, const char* item);
bool FreeSubAccount(int row, const char* item);

// Marks a support line whose transaction is gone as deleted, with its
// notice ("Recalc support 2" on failure).
void RemoveDanglingLine(int row);

}  // namespace integrity
