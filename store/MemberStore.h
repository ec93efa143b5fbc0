// Members (scouts, adults and subunits) in one in-memory form, MemberRow,
// the packing between that form and the 512-byte member record, and the
// scout store.
#pragma once

#include <cstdio>

#include "platform/base/types.h"
#include "store/KeyTable.h"
#include "store/Records.h"

struct MemberRow {
  char firstName[12];
  char lastName[16];
  char subunit[32];
  LONG type;  // 0 scout, 1 adult, 2 subunit
  char status;  // 0 active, 1 left, 2 deleted
  LONG passbook;
  LONG selected;
  char address1[27];
  char address2[27];
  char city[18];
  char state[3];
  char zip[11];
  char homePhone[14];
  char cellPhone[14];
  char email[38];
  char dateJoined[9];
  char dateLeft[9];
  // Scout: father's and mother's names. Adult: work phone, extension,
  // spouse, fax.
  char fatherFirst[12];
  char fatherLast[16];
  char motherFirst[12];
  char motherLast[16];
  char workPhone[14];
  char workExt[5];
  char spouse[12];
  char fax[14];
  LONG openingBalance;
  LONG currentBalance;
  LONG transCount;
  char remarks[44];
};

MemberKey KeyOf(const MemberRow& form);
// The key row of a record as read in its own layout with the adult marker
// required (what KeyOf gives after ConvertMemberRecord with type 4 and
// requireMarker 1), reading only the key's fields.
MemberKey KeyOfRecord(const MemberRecord& record);

// Direction 1 unpacks `record` into `form`, 0 packs `form` into `record`.
// `type` (unpack): 0, 1, 2 forces that layout, 4 takes the record's own.
void ConvertMemberRecord(MemberRow* form, int type, int requireMarker, MemberRecord* record, int direction);
int ReadMemberRecord(FILE* file, MemberRow* form, int type, int requireMarker, int row);
int WriteMemberRecord(FILE* file, MemberRow* form, int row);

int FindMember(int prefixMode, int typeMask, const char* lastName, const char* firstName, int* posOut);
void CountPassbookMembers();
int GetPassbookMemberTotal();
int AddMember(MemberRow* form, int* rowOut);
int ModifyMember(MemberRow* form, int row);
int DeleteScout(const char* lastName, const char* firstName);

// Shared by the member stores: adds a member of any type at the first
// deleted row (or the end), keeping table, counters and indexes in step
// with the disk. `word` names the kind in a failed write.
int AddMemberRecord(MemberRow* form, int* rowOut, const char* word);
// Shared by the member stores: writes a changed member and brings its key
// row up to date (the names only when `names`; the member type when
// `keyType` is not -1).
int ModifyMemberKeyed(MemberRow* form, int row, const char* word, bool names, LONG keyType = -1);
int DeletePersonMember(int typeMask, const char* lastName, const char* firstName, const char* word,
                       const char* const refusals[3]);
// Shared by the member deletes. MayDeleteMember refuses, with refusals[0],
// [1] or [2], a member that still has a balance, transactions or reserved
// funds on any one reserve account. MarkMemberDeleted marks the member at
// `row` deleted on disk and in the table, takes it off `counter` (may be
// null) and the live count, frees its reserve records (the mark and the
// reserves go together or not at all) and deletes its participant records;
// `word` names the kind in a failed write.
int MayDeleteMember(const MemberRow& form, int row, const char* const refusals[3]);
int MarkMemberDeleted(MemberRow* form, int row, const char* word, int* counter);
