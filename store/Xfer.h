// The load/save functions of the edit dialogs. Each moves one entity's
// record between the store and a dialog: with `save` 0 it loads the record
// at an index position (or a blank one with remembered defaults for a new
// record), with `save` 1 it stores the edited record through the entity's
// store. Values last entered for new records are remembered for the run and
// offered again. Each returns 1 on success, 0 after its failure was shown.
#pragma once

#include "platform/base/CString.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/Records.h"
#include "store/SplitStore.h"

class CAcctGroup;

// `pos` is the record's position in the entity's lookup index: read on load
// and on saving an existing record, written after a new record was added.

// Index AcctTable.byNumber. `memberRows` and `reserveAmounts` have room for
// kMemberSlots entries: the passbook holders and their opening reserves.
int XferAccount(int save, int isNew, int* pos, AccountRecord* edited, AccountRecord* stored, int* memberRows,
                int* holderCount, int* reserveAmounts);
// Index MemberTable.byTypeName. `mode` 0 new adult, 1 existing adult, 2 an
// existing member being converted into an adult.
int XferAdult(int save, int mode, int* pos, MemberRow* form, MemberRow* stored);
// Index AcctTable.byNumber; there is no new mode.
int XferBudget(int save, int ignored, int* pos, AccountRecord* acct, BudgetRecord* budget);
// Index EquipTable.byDescription. The two category lists (may be null) are
// filled anew with the categories in use.
int XferEquipment(int save, int isNew, int* pos, ListOfValues* category1List, ListOfValues* category2List,
                  EquipmentRecord* item);
// Index FriendTable.byName.
int XferFriend(int save, int isNew, int* pos, FriendRecord* rec);
// The group is named, not positioned; failures show the group database's
// error text.
int XferAccountGroup(int save, int isNew, CString* name, CAcctGroup* stored, CAcctGroup* edited);
// Index ScheduleTable.byName (-1 none); `slots` has kMemberSlots entries
// whose member rows the caller fills; `acct` receives the schedule's
// account on load.
int XferSchedule(int save, int isNew, int* pos, AccountRecord* acct, ScheduleRecord* rec,
                 ParticipantRecord* slots);
int XferScout(int save, int isNew, int* pos, MemberRow* form, MemberRow* stored);
int XferSubunit(int save, int isNew, int* pos, MemberRow* form, MemberRow* stored);
// `row` is the transaction's row, -1 for a new one; `account` the account
// whose register or dialog is open; `lastNumber` the number from which the
// next number is proposed. The detail buffers are those LoadTransaction and
// ResetTransactionDetail fill. A new transaction while the table is full is
// refused with the capacity notice and 0, so that the entry stays open.
int XferTransaction(int save, int account, int row, int lastNumber, TransactionRecord* trans,
                    SupportLineRecord* lines, SplitRecord* splits, ShareArray* shares);
// Reads (0) or writes (1) the unit information file.
int XferUnitInfo(int save);

// The first character of `text` not in `set`; null when there is none (an
// empty text or one made only of characters of the set). With the set
// "0123456789" a null result means the text holds only digits.
const char* SkipChars(const char* text, const char* set);

// Forgets every remembered default, as at start-up.
void ResetXferDefaults();
