// The member lookup, passbook counts and the scout store.
#include "store/MemberStore.h"

#include <cstdio>
#include <cstring>

#include "store/AcctClass.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"

namespace {

bool StartsWithNoCase(const char* text, const char* prefix) {
  return CompareNoCaseN(text, prefix, std::strlen(prefix)) == 0;
}

int* TypeCounter(LONG type) {
  if (type == 0) return &ScoutCount;
  if (type == 1) return &AdultCount;
  if (type == 2) return &SubunitCount;
  return nullptr;
}

}  // namespace

int FindMember(int prefixMode, int typeMask, const char* lastName, const char* firstName, int* posOut) {
  if (posOut) *posOut = -1;
  const char* last = lastName ? lastName : "";
  const char* first = firstName ? firstName : "";
  for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    if (k.type < 0 || k.type > 30 || !(typeMask & (1 << k.type))) continue;
    const char* compared = typeMask == 4 ? k.subunit : k.lastName;
    if (!StartsWithNoCase(compared, last)) continue;
    if (*first && !StartsWithNoCase(k.firstName, first)) continue;
    if (prefixMode != 1 && (CompareNoCase(compared, last) != 0 || CompareNoCase(k.firstName, first) != 0)) continue;
    if (posOut) *posOut = pos;
    return 1;
  }
  return 0;
}

void CountPassbookMembers() {
  PassbookCount[0] = PassbookCount[1] = PassbookCount[2] = 0;
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.passbook && k.type >= 0 && k.type <= 2) ++PassbookCount[k.type];
  }
}

int GetPassbookMemberTotal() { return PassbookCount[0] + PassbookCount[1] + PassbookCount[2]; }

int AddMemberRecord(MemberRow* form, int* rowOut, const char* word) {
  MemberKeyTable& t = MemberTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "member")) return 0;
  if (WriteMemberRecord(MemberFile, form, row) != 1) {
    ShowStoreError(ERR_WRITE, word, MSG_FATAL);
    return 0;
  }
  // The table follows the disk only once the record is there.
  PutLiveKeyRow(t, row, KeyOf(*form));
  if (int* counter = TypeCounter(form->type)) ++*counter;
  CountPassbookMembers();
  SortMembers();
  if (rowOut) *rowOut = row;
  return 1;
}

int AddMember(MemberRow* form, int* rowOut) {
  StoreUndo undo;
  int row = -1;
  if (!AddMemberRecord(form, &row, "scout")) return 0;
  if (OpenScheduleFiles()) {
    AddParticipantToSchedules(row);
    CloseScheduleFiles();
  }
  if (rowOut) *rowOut = row;
  return undo.Keep(1);
}

int ModifyMemberKeyed(MemberRow* form, int row, const char* word, bool names, LONG keyType) {
  if (WriteMemberRecord(MemberFile, form, row) != 1) {
    ShowStoreError(ERR_WRITE, word, MSG_FATAL);
    return 0;
  }
  MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
  MemberKey now = KeyOf(*form);
  if (names) {
    std::memcpy(k.lastName, now.lastName, sizeof k.lastName);
    std::memcpy(k.firstName, now.firstName, sizeof k.firstName);
  }
  std::memcpy(k.subunit, now.subunit, sizeof k.subunit);
  if (keyType != -1) k.type = keyType;
  k.status = form->status;
  k.passbook = form->passbook;
  CountPassbookMembers();
  SortMembers();
  return 1;
}

int ModifyMember(MemberRow* form, int row) { return ModifyMemberKeyed(form, row, "scout", true); }

// The checks and the delete shared by scouts and adults. `refusals` holds
// the three refusal texts (balance, transactions, reserves).
int DeletePersonMember(int typeMask, const char* lastName, const char* firstName, const char* word,
                       const char* const refusals[3]) {
  char label[64];
  std::snprintf(label, sizeof label, "%s %s", firstName ? firstName : "", lastName ? lastName : "");
  int pos = -1;
  if (!FindMember(0, typeMask, lastName, firstName, &pos)) {
    ShowStoreError(ERR_NOT_FOUND, label, MSG_ERROR);
    return 0;
  }
  if (!ConfirmDelete(label)) return 0;
  int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
  MemberRow form;
  if (ReadMemberRecord(MemberFile, &form, 4, 1, row) != 1) {
    ShowStoreError(ERR_READ, word, MSG_FATAL);
    return 0;
  }
  if (!MayDeleteMember(form, row, refusals)) return 0;
  return MarkMemberDeleted(&form, row, word, TypeCounter(form.type));
}

int MayDeleteMember(const MemberRow& form, int row, const char* const refusals[3]) {
  if (form.currentBalance != 0) {
    DispMessage(refusals[0], MSG_WARNING);
    return 0;
  }
  if (form.transCount != 0) {
    DispMessage(refusals[1], MSG_WARNING);
    return 0;
  }
  if (!OpenReserveFile()) return 0;
  // Each account on its own: reserves of opposite signs on two accounts
  // are still reserved funds.
  bool reserved = false;
  for (int r = 0; r < AcctTable.rowCount && !reserved; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted || GetAcctClass(k.number) != 'R') continue;
    int reserve = 0;
    if (!SumMemberReserves(k.number, row, nullptr, nullptr, &reserve)) {
      CloseReserveFile();
      return 0;
    }
    reserved = reserve != 0;
  }
  CloseReserveFile();
  if (reserved) {
    DispMessage(refusals[2], MSG_WARNING);
    return 0;
  }
  return 1;
}

namespace {

// Frees every reserve record of the member at `row`, so that the next
// member added in that row starts without reserves.
bool FreeMemberReserves(int row) {
  if (!OpenReserveFile()) return false;
  bool ok = true;
  for (int r = 0; ok; ++r) {
    ReserveRecord rec;
    int got = ReadRecord(ReserveFile, rec, r);
    if (got == -1) break;
    if (got != 1) {
      ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
      ok = false;
    } else if (rec.memberRow == row && rec.account != -1 && WriteRecord(ReserveFile, ReserveRecord{}, r) != 1) {
      ShowStoreError(ERR_WRITE, "reserve", MSG_FATAL);
      ok = false;
    }
  }
  CloseReserveFile();
  return ok;
}

}  // namespace

int MarkMemberDeleted(MemberRow* form, int row, const char* word, int* counter) {
  StoreUndo undo;
  form->status = kStatusDeleted;
  if (WriteMemberRecord(MemberFile, form, row) != 1) {
    ShowStoreError(ERR_WRITE, word, MSG_FATAL);
    return 0;
  }
  if (!FreeMemberReserves(row)) return 0;
  MarkKeyRowDeleted(MemberTable, row);
  if (counter) --*counter;
  CountPassbookMembers();
  ParticipantFile = OpenRecordFile(ParticipantPath);
  if (ParticipantFile == nullptr) {
    // The member stays deleted; only its participant records remain.
    ShowStoreError(ERR_OPEN, "participant", MSG_FATAL);
  } else {
    DeleteParticipants(-1, row);
    std::fclose(ParticipantFile);
    ParticipantFile = nullptr;
  }
  return undo.Keep(1);
}

int DeleteScout(const char* lastName, const char* firstName) {
  static const char* const refusals[3] = {"Scout has an outstanding balance - cannot delete",
                                          "Scout is involved in transactions - cannot delete",
                                          "Scout has reserved funds - cannot delete"};
  return DeletePersonMember(1, lastName, firstName, "scout", refusals);
}

int ReadMemberRecord(FILE* file, MemberRow* form, int type, int requireMarker, int row) {
  MemberRecord rec;
  int r = ReadRecord(file, rec, row);
  if (r == 1) ConvertMemberRecord(form, type, requireMarker, &rec, 1);
  return r;
}

int WriteMemberRecord(FILE* file, MemberRow* form, int row) {
  MemberRecord rec;
  ConvertMemberRecord(form, 0, 0, &rec, 0);
  return WriteRecord(file, rec, row);
}
