#include "store/Records.h"

#include <cstring>

LONG GetI32(const BYTE* p) {
  DWORD v = static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
            (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
  return static_cast<LONG>(v);
}

void PutI32(BYTE* p, LONG v) {
  DWORD u = static_cast<DWORD>(v);
  p[0] = static_cast<BYTE>(u & 0xFF);
  p[1] = static_cast<BYTE>((u >> 8) & 0xFF);
  p[2] = static_cast<BYTE>((u >> 16) & 0xFF);
  p[3] = static_cast<BYTE>((u >> 24) & 0xFF);
}

SHORT GetI16(const BYTE* p) {
  return static_cast<SHORT>(static_cast<WORD>(p[0] | (p[1] << 8)));
}

void PutI16(BYTE* p, SHORT v) {
  WORD u = static_cast<WORD>(v);
  p[0] = static_cast<BYTE>(u & 0xFF);
  p[1] = static_cast<BYTE>((u >> 8) & 0xFF);
}

void GetText(const BYTE* p, int width, char* out) {
  std::memcpy(out, p, static_cast<size_t>(width));
  out[width - 1] = 0;
}

void PutText(BYTE* p, int width, const char* text) {
  std::memset(p, 0, static_cast<size_t>(width));
  if (text == nullptr) return;
  size_t n = strnlen(text, static_cast<size_t>(width - 1));
  std::memcpy(p, text, n);
}

void CopyText(char* dst, int width, const char* src) {
  if (width <= 0) return;
  size_t n = src ? strnlen(src, static_cast<size_t>(width - 1)) : 0;
  if (n) std::memmove(dst, src, n);
  dst[n] = 0;
}

namespace {

// One description of a record's fields serves both directions: packing
// writes every field at its offset, unpacking reads it back.
class Codec {
 public:
  Codec(BYTE* buf, bool packing) : buf_(buf), packing_(packing) {}
  void i32(int off, LONG& v) {
    if (packing_) PutI32(buf_ + off, v);
    else v = GetI32(buf_ + off);
  }
  void ch(int off, char& c) {
    if (packing_) buf_[off] = static_cast<BYTE>(c);
    else c = static_cast<char>(buf_[off]);
  }
  void raw(int off, BYTE* p, int n) {
    if (packing_) std::memcpy(buf_ + off, p, static_cast<size_t>(n));
    else std::memcpy(p, buf_ + off, static_cast<size_t>(n));
  }
  void text(int off, char* s, int n) {
    if (packing_) {
      // The bytes after the terminator are written as the field holds them,
      // so a record read and written back keeps them.
      std::memcpy(buf_ + off, s, static_cast<size_t>(n));
      if (strnlen(s, static_cast<size_t>(n)) == static_cast<size_t>(n)) buf_[off + n - 1] = 0;
    } else {
      GetText(buf_ + off, n, s);
    }
  }

 private:
  BYTE* buf_;
  bool packing_;
};

void Map(Codec& c, AccountRecord& r) {
  c.i32(0, r.number);
  c.i32(4, r.selected);
  c.text(8, r.name, 26);
  c.ch(34, r.status);
  c.raw(35, &r.pad35, 1);
  c.raw(36, r.reserved36, 4);
  c.i32(40, r.openingBalance);
  c.i32(44, r.currentBalance);
  c.i32(48, r.usageCount);
  c.i32(52, r.budgetRow);
  c.i32(56, r.classRow);
  c.i32(60, r.memberReserves);
  c.raw(64, r.reserved64, 8);
}

void Map(Codec& c, BudgetRecord& r) {
  c.i32(0, r.number);
  c.ch(4, r.status);
  c.raw(5, r.pad5, 3);
  for (int m = 0; m < 12; ++m) c.i32(8 + 4 * m, r.months[m]);
}

void Map(Codec& c, EquipmentRecord& r) {
  c.text(0, r.inventoryId, 7);
  c.text(7, r.description, 21);
  c.text(28, r.purchaseDate, 9);
  c.ch(37, r.status);
  c.raw(38, r.pad38, 2);
  c.i32(40, r.openingValue);
  c.i32(44, r.price);
  c.i32(48, r.quantity);
  c.i32(52, r.replacementCost);
  c.i32(56, r.lineKey);
  c.i32(60, r.currentValue);
  c.i32(64, r.fiscalYear);
  c.ch(68, r.condition);
  c.text(69, r.dateRemoved, 9);
  c.text(78, r.remarks, 201);
  c.text(279, r.category1, 32);
  c.text(311, r.category2, 33);
}

void Map(Codec& c, FriendRecord& r) {
  c.i32(0, r.total);
  c.text(4, r.firstName, 12);
  c.text(16, r.lastName, 16);
  c.ch(32, r.status);
  c.raw(33, r.pad33, 7);
  for (int y = 0; y < 4; ++y) c.i32(40 + 4 * y, r.yearAmounts[y]);
  c.text(56, r.address1, 27);
  c.text(83, r.address2, 27);
  c.text(110, r.city, 18);
  c.text(128, r.state, 3);
  c.text(131, r.zip, 11);
  c.text(142, r.remarks, 51);
  for (int y = 0; y < 4; ++y) c.text(193 + 5 * y, r.yearLabels[y], 5);
  c.raw(213, r.pad213, 3);
  for (int p = 0; p < 4; ++p) {
    int off = 216 + 24 * p;
    c.i32(off, r.phones[p].type);
    c.text(off + 4, r.phones[p].number, 14);
    c.text(off + 18, r.phones[p].extension, 6);
  }
}

void Map(Codec& c, ScheduleRecord& r) {
  c.i32(0, r.account);
  c.ch(4, r.status);
  c.text(5, r.name, 26);
  c.raw(31, &r.pad31, 1);
  for (int i = 0; i < 60; ++i) c.i32(32 + 4 * i, r.amounts[i]);
  c.ch(272, r.frequency);
  c.text(273, r.firstDate, 9);
  c.text(282, r.secondDate, 9);
  for (int i = 0; i < 60; ++i) c.text(291 + 9 * i, r.dueDates[i], 9);
  c.raw(831, &r.pad831, 1);
}

void Map(Codec& c, ParticipantRecord& r) {
  c.i32(0, r.scheduleRow);
  c.i32(4, r.memberRow);
  c.i32(8, r.initialOwed);
  c.i32(12, r.initialPaid);
}

void Map(Codec& c, ReserveRecord& r) {
  c.i32(0, r.memberRow);
  c.i32(4, r.account);
  c.i32(8, r.amount);
}

void Map(Codec& c, MemberRecord& r) { c.raw(0, r.bytes, kMemberRecordSize); }

void Map(Codec& c, TransactionRecord& r) {
  c.i32(0, r.id);
  c.i32(4, r.account);
  c.i32(8, r.month);
  c.text(12, r.number, 9);
  c.text(21, r.date, 9);
  c.text(30, r.payee, 26);
  c.text(56, r.remarks, 41);
  c.ch(97, r.status);
  c.raw(98, r.pad98, 6);
  c.i32(104, r.factor);
  c.i32(108, r.amount);
  c.i32(112, r.cleared);
  c.i32(116, r.multiLine);
}

void Map(Codec& c, SupportLineRecord& r) {
  c.i32(0, r.id);
  c.i32(4, r.line);
  c.i32(8, r.account);
  c.i32(12, r.reserveAccount);
  c.ch(16, r.status);
  c.raw(17, r.pad17, 7);
  c.i32(24, r.amount);
  c.i32(28, r.factor);
  c.i32(32, r.reserveAmount);
  c.i32(36, r.reserveFactor);
  c.i32(40, r.cleared);
  c.i32(44, r.split);
  c.text(48, r.remarks, 48);
}

void Map(Codec& c, SplitRecord& r) {
  c.i32(0, r.lineKey);
  c.i32(4, r.amountPerUnit);
  c.i32(8, r.rounding);
  c.i32(12, r.unitShare);
  c.i32(16, r.factor);
  c.i32(20, r.reserved);
}

void Map(Codec& c, SubAccountRecord& r) {
  c.i32(0, r.lineKey);
  c.i32(4, r.units);
  c.i32(8, r.cash);
  c.i32(12, r.accountAmount);
  c.i32(16, r.memberRow);
  c.i32(20, r.reserved);
}

void Map(Codec& c, AcctGroupRecord& r) {
  c.i32(0, r.id);
  c.i32(4, r.selected);
  c.text(8, r.name, 40);
}

void Map(Codec& c, AcctGroupLinkRecord& r) {
  c.i32(0, r.groupId);
  c.i32(4, r.account);
}

}  // namespace

#define KESTROVA_RECORD_CODEC(Rec, n)                      \
  void Pack(const Rec& rec, BYTE* out) {                   \
    std::memset(out, 0, RecordSize<Rec>::value);           \
    Codec c(out, true);                                    \
    Map(c, const_cast<Rec&>(rec));                         \
  }                                                        \
  void Unpack(const BYTE* in, Rec& rec) {                  \
    Codec c(const_cast<BYTE*>(in), false);                 \
    Map(c, rec);                                           \
  }
KESTROVA_RECORD_TYPES(KESTROVA_RECORD_CODEC)
#undef KESTROVA_RECORD_CODEC
