// Helpers shared by the integrity check's passes. Internal to the
// Integrity files.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "store/KeyTable.h"
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

// The rows of a split or sub-account table by line key, in row order
// (free rows left out).
std::unordered_map<LONG, std::vector<int>> RowsByKey(const LineKeyTable& t);

// Frees split / sub-account slots on disk and in their tables; `item`
// names the failure. True when written.
bool FreeSplit(int row, const char* item);
bool FreeSubAccount(int row, const char* item);

// Marks a support line whose transaction is gone as deleted, with its
// notice ("Recalc support 2" on failure).
void RemoveDanglingLine(int row);

}  // namespace integrity
