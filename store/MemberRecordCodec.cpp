// Packing and unpacking between MemberRow and the 512-byte member record,
// whose first 320 bytes are laid out by member type.
#include <cstring>
#include <utility>

#include "store/MemberStore.h"
#include "store/Records.h"

namespace {

// One text of the record: `width` bytes at `at`, a form field of `room`
// bytes; a read keeps at most `keep` characters (-1: as many as fit), for
// the fields the form reads back shorter than the record holds them.
struct TextField {
  int at;
  int width;
  char* (*field)(MemberRow&);
  int room;
  int keep;
};

template <auto Member>
constexpr TextField Text(int at, int width, int keep = -1) {
  return {at, width, [](MemberRow& f) -> char* { return f.*Member; },
          static_cast<int>(sizeof(std::declval<MemberRow&>().*Member)), keep};
}

// A 32-bit number of the record.
struct NumberField {
  int at;
  LONG MemberRow::*field;
};

// The first 320 bytes, laid out by member type. A scout's layout also
// serves a record of an unknown type when it is written.
constexpr TextField kScoutTexts[] = {
    Text<&MemberRow::lastName>(0, 16),       Text<&MemberRow::firstName>(16, 12),
    Text<&MemberRow::address1>(28, 27),      Text<&MemberRow::address2>(56, 27),
    Text<&MemberRow::homePhone>(84, 14),     Text<&MemberRow::cellPhone>(98, 14),
    Text<&MemberRow::email>(112, 38),        Text<&MemberRow::dateJoined>(150, 9),
    Text<&MemberRow::subunit>(160, 30),      Text<&MemberRow::fatherLast>(190, 16),
    Text<&MemberRow::fatherFirst>(206, 12, 11), Text<&MemberRow::motherLast>(226, 16),
    Text<&MemberRow::motherFirst>(242, 12),  Text<&MemberRow::city>(254, 18),
    Text<&MemberRow::state>(272, 3),         Text<&MemberRow::zip>(275, 11),
};
constexpr TextField kAdultTexts[] = {
    Text<&MemberRow::lastName>(0, 16),       Text<&MemberRow::firstName>(16, 12, 11),
    Text<&MemberRow::address1>(34, 27),      Text<&MemberRow::address2>(62, 27),
    Text<&MemberRow::homePhone>(90, 14),     Text<&MemberRow::cellPhone>(104, 14),
    Text<&MemberRow::email>(118, 38),        Text<&MemberRow::dateJoined>(156, 9),
    Text<&MemberRow::spouse>(166, 12),       Text<&MemberRow::workPhone>(178, 14),
    Text<&MemberRow::workExt>(192, 5),       Text<&MemberRow::fax>(198, 14),
    Text<&MemberRow::city>(214, 18),         Text<&MemberRow::state>(232, 3),
    Text<&MemberRow::zip>(235, 11),
};
constexpr TextField kSubunitTexts[] = {
    Text<&MemberRow::dateJoined>(150, 9),
    Text<&MemberRow::subunit>(160, 30),
};
// An adult's record carries this 16-bit marker; the layout of its own type
// may require it.
constexpr int kAdultMarkerAt = 212;

// The last 192 bytes, the same for every type.
constexpr NumberField kNumbers[] = {
    {320, &MemberRow::openingBalance}, {324, &MemberRow::currentBalance}, {328, &MemberRow::transCount},
    {332, &MemberRow::passbook},       {340, &MemberRow::selected},
};
constexpr int kTypeAt = 336;
constexpr int kStatusAt = 353;
constexpr TextField kCommonTexts[] = {
    Text<&MemberRow::dateLeft>(344, 9),
    Text<&MemberRow::remarks>(354, 158, 43),
};

// Reads the text of `width` bytes at `at` into a field of `room` bytes,
// keeping at most `keep` characters (-1: as many as fit).
void ReadText(const BYTE* b, int at, int width, char* field, int room, int keep) {
  char tmp[256];
  GetText(b + at, width, tmp);
  if (keep >= 0 && keep + 1 < room) room = keep + 1;
  CopyText(field, room, tmp);
}

template <size_t N>
void Get(const BYTE* b, int at, int width, char (&field)[N], int keep = -1) {
  ReadText(b, at, width, field, static_cast<int>(N), keep);
}

template <size_t N>
void ReadTexts(const BYTE* b, const TextField (&texts)[N], MemberRow* form) {
  for (const TextField& t : texts) ReadText(b, t.at, t.width, t.field(*form), t.room, t.keep);
}

template <size_t N>
void WriteTexts(BYTE* b, const TextField (&texts)[N], MemberRow* form) {
  for (const TextField& t : texts) PutText(b + t.at, t.width, t.field(*form));
}

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
    LONG own = GetI32(b + kTypeAt);
    int layout = -1;
    if (type == 0 || (type == 4 && own == 0)) layout = 0;
    else if (type == 1 || (type == 4 && own == 1 && (GetI16(b + kAdultMarkerAt) != 0 || requireMarker == 0))) layout = 1;
    else if (type == 2 || (type == 4 && own == 2)) layout = 2;
    if (layout < 0) return;
    form->type = layout;
    form->status = static_cast<char>(b[kStatusAt]);
    for (const NumberField& n : kNumbers) form->*n.field = GetI32(b + n.at);
    ReadTexts(b, kCommonTexts, form);
    if (layout == 0) {
      ReadTexts(b, kScoutTexts, form);
    } else if (layout == 1) {
      ReadTexts(b, kAdultTexts, form);
      CopyText(form->subunit, sizeof form->subunit, "Adults");
    } else {
      ReadTexts(b, kSubunitTexts, form);
    }
  } else if (direction == 0) {
    std::memset(b, 0, kMemberRecordSize);
    if (form->type == 1) {
      WriteTexts(b, kAdultTexts, form);
      PutI16(b + kAdultMarkerAt, 1);
    } else if (form->type == 2) {
      WriteTexts(b, kSubunitTexts, form);
    } else {
      WriteTexts(b, kScoutTexts, form);
    }
    for (const NumberField& n : kNumbers) PutI32(b + n.at, form->*n.field);
    PutI32(b + kTypeAt, form->type);
    b[kStatusAt] = static_cast<BYTE>(form->status);
    WriteTexts(b, kCommonTexts, form);
  }
}
