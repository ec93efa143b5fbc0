// Packing and unpacking between MemberRow and the 512-byte member record,
// whose first 320 bytes are laid out by member type.
#include <cstring>

#include "store/MemberStore.h"
#include "store/RecIO.h"

namespace {

// Reads a text of `width` bytes at `off` into a form field, keeping at most
// `keep` characters (a field the form reads back shorter).
template <int N>
void Get(const BYTE* b, int off, int width, char (&field)[N], int keep = -1) {
  char tmp[256];
  GetText(b + off, width, tmp);
  int room = N;
  if (keep >= 0 && keep + 1 < room) room = keep + 1;
  CopyText(field, room, tmp);
}

void Put(BYTE* b, int off, int width, const char* text) { PutText(b + off, width, text); }

}  // namespace

MemberKey KeyOf(const MemberRow& f) {
  // The key row holds what the record will read back: an adult's record
  // has no subunit ("Adults"), a subunit's none of the person names.
  MemberKey k;
  if (f.type != 2) {
    CopyText(k.firstName, sizeof k.firstName, f.firstName);
    CopyText(k.lastName, sizeof k.lastName, f.lastName);
  }
  if (f.type == 1) CopyText(k.subunit, sizeof k.subunit, "Adults");
  else CopyText(k.subunit, 30, f.subunit);  // the record holds 29 characters
  k.type = f.type;
  k.status = f.status;
  k.passbook = f.passbook;
  k.selected = f.selected;
  return k;
}

MemberKey KeyOfRecord(const MemberRecord& record) {
  const BYTE* b = record.bytes;
  const LONG own = GetI32(b + 336);
  int layout = -1;
  if (own == 0) layout = 0;
  else if (own == 1 && GetI16(b + 212) != 0) layout = 1;
  else if (own == 2) layout = 2;
  MemberKey k;
  if (layout < 0) return k;
  decltype(MemberRow::lastName) last = {};
  decltype(MemberRow::firstName) first = {};
  decltype(MemberRow::subunit) subunit = {};
  if (layout == 0) {
    Get(b, 0, 16, last);
    Get(b, 16, 12, first);
    Get(b, 160, 30, subunit);
  } else if (layout == 1) {
    Get(b, 0, 16, last);
    Get(b, 16, 12, first, 11);
  } else {
    Get(b, 160, 30, subunit);
  }
  if (layout != 2) {
    CopyText(k.firstName, sizeof k.firstName, first);
    CopyText(k.lastName, sizeof k.lastName, last);
  }
  if (layout == 1) CopyText(k.subunit, sizeof k.subunit, "Adults");
  else CopyText(k.subunit, 30, subunit);  // the record holds 29 characters
  k.type = layout;
  k.status = static_cast<char>(b[353]);
  k.passbook = GetI32(b + 332);
  k.selected = GetI32(b + 340);
  return k;
}

void ConvertMemberRecord(MemberRow* form, int type, int requireMarker, MemberRecord* record, int direction) {
  BYTE* b = record->bytes;
  if (direction == 1) {
    std::memset(form, 0, sizeof *form);
    LONG own = GetI32(b + 336);
    int layout = -1;
    if (type == 0 || (type == 4 && own == 0)) layout = 0;
    else if (type == 1 || (type == 4 && own == 1 && (GetI16(b + 212) != 0 || requireMarker == 0))) layout = 1;
    else if (type == 2 || (type == 4 && own == 2)) layout = 2;
    if (layout < 0) return;
    form->type = layout;
    form->status = static_cast<char>(b[353]);
    form->passbook = GetI32(b + 332);
    form->selected = GetI32(b + 340);
    Get(b, 344, 9, form->dateLeft);
    form->openingBalance = GetI32(b + 320);
    form->currentBalance = GetI32(b + 324);
    form->transCount = GetI32(b + 328);
    Get(b, 354, 158, form->remarks, 43);
    if (layout == 0) {
      Get(b, 0, 16, form->lastName);
      Get(b, 16, 12, form->firstName);
      Get(b, 28, 27, form->address1);
      Get(b, 56, 27, form->address2);
      Get(b, 84, 14, form->homePhone);
      Get(b, 98, 14, form->cellPhone);
      Get(b, 112, 38, form->email);
      Get(b, 150, 9, form->dateJoined);
      Get(b, 160, 30, form->subunit);
      Get(b, 190, 16, form->fatherLast);
      Get(b, 206, 12, form->fatherFirst, 11);
      Get(b, 226, 16, form->motherLast);
      Get(b, 242, 12, form->motherFirst);
      Get(b, 254, 18, form->city);
      Get(b, 272, 3, form->state);
      Get(b, 275, 11, form->zip);
    } else if (layout == 1) {
      Get(b, 0, 16, form->lastName);
      Get(b, 16, 12, form->firstName, 11);
      CopyText(form->subunit, sizeof form->subunit, "Adults");
      Get(b, 34, 27, form->address1);
      Get(b, 62, 27, form->address2);
      Get(b, 90, 14, form->homePhone);
      Get(b, 104, 14, form->cellPhone);
      Get(b, 118, 38, form->email);
      Get(b, 156, 9, form->dateJoined);
      Get(b, 166, 12, form->spouse);
      Get(b, 178, 14, form->workPhone);
      Get(b, 192, 5, form->workExt);
      Get(b, 198, 14, form->fax);
      Get(b, 214, 18, form->city);
      Get(b, 232, 3, form->state);
      Get(b, 235, 11, form->zip);
    } else {
      Get(b, 150, 9, form->dateJoined);
      Get(b, 160, 30, form->subunit);
    }
  } else if (direction == 0) {
    std::memset(b, 0, kMemberRecordSize);
    if (form->type == 1) {
      Put(b, 0, 16, form->lastName);
      Put(b, 16, 12, form->firstName);
      Put(b, 34, 27, form->address1);
      Put(b, 62, 27, form->address2);
      Put(b, 90, 14, form->homePhone);
      Put(b, 104, 14, form->cellPhone);
      Put(b, 118, 38, form->email);
      Put(b, 156, 9, form->dateJoined);
      Put(b, 166, 12, form->spouse);
      Put(b, 178, 14, form->workPhone);
      Put(b, 192, 5, form->workExt);
      Put(b, 198, 14, form->fax);
      PutI16(b + 212, 1);
      Put(b, 214, 18, form->city);
      Put(b, 232, 3, form->state);
      Put(b, 235, 11, form->zip);
    } else if (form->type == 2) {
      Put(b, 150, 9, form->dateJoined);
      Put(b, 160, 30, form->subunit);
    } else {
      Put(b, 0, 16, form->lastName);
      Put(b, 16, 12, form->firstName);
      Put(b, 28, 27, form->address1);
      Put(b, 56, 27, form->address2);
      Put(b, 84, 14, form->homePhone);
      Put(b, 98, 14, form->cellPhone);
      Put(b, 112, 38, form->email);
      Put(b, 150, 9, form->dateJoined);
      Put(b, 160, 30, form->subunit);
      Put(b, 190, 16, form->fatherLast);
      Put(b, 206, 12, form->fatherFirst);
      Put(b, 226, 16, form->motherLast);
      Put(b, 242, 12, form->motherFirst);
      Put(b, 254, 18, form->city);
      Put(b, 272, 3, form->state);
      Put(b, 275, 11, form->zip);
    }
    PutI32(b + 320, form->openingBalance);
    PutI32(b + 324, form->currentBalance);
    PutI32(b + 328, form->transCount);
    PutI32(b + 332, form->passbook);
    PutI32(b + 336, form->type);
    PutI32(b + 340, form->selected);
    Put(b, 344, 9, form->dateLeft);
    b[353] = static_cast<BYTE>(form->status);
    Put(b, 354, 158, form->remarks);
  }
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
