// The data integrity check of the loaded fiscal year: validation passes
// that remove records referring to nothing and re-attach what can be
// re-attached, recalculation of every stored balance from the postings, and
// the rebuild of every sorted index. Each repair is announced through the
// message display (which also writes it to the trace file); each balance
// the recalculation would change is put to the user as a question.
#pragma once

// With `ask` first asks whether to run at all (No the default). Returns 0
// when a recalculation failed or was cancelled, else 1 (also when the user
// declined the check).
int CheckDataIntegrity(int ask);

// The passes: each takes the progress total and the progress position,
// which it advances by one per row it visits.
void ValidateTransactions(int total, int* position);
void ValidatePassbooks(int total, int* position);
void ValidatePassbookSplits(int total, int* position);
void ValidatePassbooks2(int total, int* position);
void ValidatePassbookSplits2(int total, int* position);
void ValidateSupportLines(int total, int* position);
void ValidateInitialReserves(int total, int* position);
void ValidateSchedules(int total, int* position);

// The recalculations return 1 on success, 0 after a failure or a cancel.
int RecalcEquipmentBalances(int total, int* position);
int RecalcAccountBalances(int total, int* position);
int RecalcMemberBalances(int total, int* position);
int RecalcFriendContributions(int total, int* position);
// Rebuilds every sorted index and the next free account numbers.
void RebuildIndexes(int total, int* position);

// The progress total the check starts with.
int IntegrityProgressTotal();

// A year whose failed change could not be undone is marked in its data
// folder; its next open runs the check (without asking) and takes the mark
// away once the check went through.
void MarkYearForIntegrityCheck();
int YearMarkedForIntegrityCheck();
// Runs the check when the loaded year is marked. Returns 0 when a marked
// year's check failed (the mark stays), else 1.
int RunPendingIntegrityCheck();
