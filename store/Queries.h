// Read-mostly services over the loaded fiscal year: lists of values, name
// display, schedule dates and participants, member reserves and shares,
// dues, equipment values and the return address.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/Collections.h"
#include "platform/base/types.h"
#include "store/KeyTable.h"
#include "store/Records.h"

struct MemberRow;

// A list of values: texts of 32 bytes and ids; the list ends at its first
// empty text. Room for the largest table (400 entries) plus the end mark.
struct ListOfValues {
  std::vector<std::array<char, 32>> texts;
  std::vector<int> ids;
  int Count() const;
};

// Builds the list of the given type ("ACCOUNT", "IE-ACCT", "SCOUT", ...);
// on failure shows the message when `showErrors` is 1 and returns 0.
// The "WORKSHEET" type lists the titles of `worksheetFile` (may be null).
int GetListOfValues(const char* type, int showErrors, ListOfValues* out, const char* worksheetFile = nullptr);

// The mark of a member type in lists: '*' adult, 0xBB subunit, ' ' scout.
char MemberTypeMark(LONG type);
void FormatPersonName(const char* prefix, int withMark, const MemberKey& keyRow, const char* suffix, char* out,
                      size_t size);
template <size_t N>
void FormatPersonName(const char* prefix, int withMark, const MemberKey& keyRow, const char* suffix, char (&out)[N]) {
  FormatPersonName(prefix, withMark, keyRow, suffix, out, N);
}
void NextScheduleDate(char letter, int weekOfMonth, int* day, int* month, int* year);
int AddParticipant(ParticipantRecord participant);
void AddParticipantToSchedules(int memberRow);
int DeleteParticipants(int scheduleRow, int memberRow);
void RemoveFromDuesSchedules(int memberRow);
// Date of each live transaction by id (pointing into TransTable).
using TransactionDates = std::unordered_map<LONG, const char*>;
TransactionDates LiveTransactionDates();
int FindReserveRecord(int account, int memberRow, int* amountOut);
int SumMemberReserves(int account, int memberRow, int* initialOut, int* sharesOut, int* totalOut);
int SumSplitsForAcct(int account, int memberRow, const char* fromDate, const char* toDate, int* sumOut);
int GetParticipantDues(int scheduleRow, int startSlot, int memberRow, const char* date, int countPayments,
                       int paidToDate, const MemberRow* member, int* initialOwedOut, int* owedInOut,
                       int* initialPaidOut, int* paidInOut, int* foundOut);
int GetEquipValueChange(const char* fromDate, const char* toDate, int* sumOut);
int GetEquipValueAt(const char* fromDate, const char* toDate, int* sumOut);
int GetEquipOriginalValue(const char* date, int* valueOut);
// The unit's return address: its name, address lines 1 and 2 and the city
// line (city, state and zip within 48 characters), each only when not empty.
void GetReturnAddress(CStringArray& lines);
