// Record layouts: sizes by the bytes a write puts in a file, and field
// offsets by the bytes of packed records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

template <class Rec>
long WrittenSize() {
  FILE* f = std::tmpfile();
  Rec rec{};
  EXPECT_EQ(WriteRecord(f, rec, 0), 1);
  std::fseek(f, 0, SEEK_END);
  long n = std::ftell(f);
  std::fclose(f);
  return n;
}

TEST(RecordLayout, EveryRecordWritesItsSize) {
  struct Case {
    const char* name;
    long written;
    long size;
  } cases[] = {
      {"account", WrittenSize<AccountRecord>(), 72},         {"budget", WrittenSize<BudgetRecord>(), 56},
      {"equipment", WrittenSize<EquipmentRecord>(), 344},    {"friend", WrittenSize<FriendRecord>(), 312},
      {"schedule", WrittenSize<ScheduleRecord>(), 832},      {"participant", WrittenSize<ParticipantRecord>(), 16},
      {"reserve", WrittenSize<ReserveRecord>(), 12},         {"member", WrittenSize<MemberRecord>(), 512},
      {"transaction", WrittenSize<TransactionRecord>(), 120}, {"support", WrittenSize<SupportLineRecord>(), 96},
      {"split", WrittenSize<SplitRecord>(), 24},             {"sub-account", WrittenSize<SubAccountRecord>(), 24},
      {"group", WrittenSize<AcctGroupRecord>(), 48},         {"group link", WrittenSize<AcctGroupLinkRecord>(), 8},
  };
  for (const Case& c : cases) EXPECT_EQ(c.written, c.size) << c.name;
}

TEST(RecordLayout, FieldsSitAtTheirOffsetsLittleEndian) {
  BYTE b[kTransactionRecordSize];
  TransactionRecord t;
  t.id = 0x01020304;
  SetText(t.number, "1001");
  SetText(t.date, "20080305");
  t.status = 2;
  t.factor = -1;
  t.amount = 12345;
  t.multiLine = 1;
  Pack(t, b);
  EXPECT_EQ(b[0], 0x04);
  EXPECT_EQ(b[3], 0x01);
  EXPECT_EQ(std::memcmp(b + 12, "1001", 5), 0);
  EXPECT_EQ(std::memcmp(b + 21, "20080305", 9), 0);
  EXPECT_EQ(b[97], 2);
  EXPECT_EQ(GetI32(b + 104), -1);
  EXPECT_EQ(b[107], 0xFF);
  EXPECT_EQ(GetI32(b + 108), 12345);
  EXPECT_EQ(GetI32(b + 116), 1);

  BYTE a[kAccountRecordSize];
  AccountRecord acct;
  acct.number = 710;
  SetText(acct.name, "Camp Reserve");
  acct.status = 2;
  acct.currentBalance = -300;
  acct.classRow = 7;
  acct.memberReserves = 1;
  Pack(acct, a);
  EXPECT_EQ(GetI32(a + 0), 710);
  EXPECT_STREQ(reinterpret_cast<char*>(a + 8), "Camp Reserve");
  EXPECT_EQ(a[34], 2);
  EXPECT_EQ(GetI32(a + 44), -300);
  EXPECT_EQ(GetI32(a + 52), -1);
  EXPECT_EQ(GetI32(a + 56), 7);
  EXPECT_EQ(GetI32(a + 60), 1);

  BYTE e[kEquipmentRecordSize];
  EquipmentRecord item;
  item.lineKey = 570;
  item.condition = 'E';
  SetText(item.category2, "Water");
  Pack(item, e);
  EXPECT_EQ(GetI32(e + 56), 570);
  EXPECT_EQ(e[68], 'E');
  EXPECT_STREQ(reinterpret_cast<char*>(e + 311), "Water");

  BYTE s[kScheduleRecordSize];
  ScheduleRecord sched;
  sched.amounts[59] = 77;
  sched.frequency = 'W';
  SetText(sched.dueDates[59], "20081231");
  Pack(sched, s);
  EXPECT_EQ(GetI32(s + 32 + 59 * 4), 77);
  EXPECT_EQ(s[272], 'W');
  EXPECT_EQ(std::memcmp(s + 291 + 59 * 9, "20081231", 9), 0);

  BYTE fr[kFriendRecordSize];
  FriendRecord fos;
  fos.phones[3].type = 5;
  SetText(fos.phones[3].extension, "123");
  Pack(fos, fr);
  EXPECT_EQ(GetI32(fr + 216 + 72), 5);
  EXPECT_STREQ(reinterpret_cast<char*>(fr + 216 + 72 + 18), "123");

  BYTE l[kSupportLineRecordSize];
  SupportLineRecord line;
  line.split = 1;
  line.reserveFactor = -1;
  SetText(line.remarks, "x");
  Pack(line, l);
  EXPECT_EQ(GetI32(l + 36), -1);
  EXPECT_EQ(GetI32(l + 44), 1);
  EXPECT_EQ(l[48], 'x');
}

TEST(RecordLayout, PaddingAndReservedBytesSurviveAReadAndWrite) {
  BYTE in[kAccountRecordSize];
  for (int i = 0; i < kAccountRecordSize; ++i) in[i] = static_cast<BYTE>(i + 1);
  in[33] = 0;  // the name's terminator
  AccountRecord rec;
  Unpack(in, rec);
  BYTE out[kAccountRecordSize];
  Pack(rec, out);
  EXPECT_EQ(std::memcmp(in, out, kAccountRecordSize), 0);
}

TEST(RecordLayout, UnterminatedTextIsCutWithinItsField) {
  BYTE in[kFriendRecordSize];
  std::memset(in, 'A', sizeof in);
  FriendRecord rec;
  Unpack(in, rec);
  EXPECT_EQ(std::strlen(rec.firstName), 11u);
  EXPECT_EQ(std::strlen(rec.remarks), 50u);
}

TEST(MemberRecord, AdultRoundTripAndMarker) {
  MemberRow adult;
  std::memset(&adult, 0, sizeof adult);
  adult.type = 1;
  SetText(adult.lastName, "Brown");
  SetText(adult.firstName, "Bartholomewx");  // 12 characters do not fit
  SetText(adult.fax, "555-1234");
  adult.currentBalance = -250;
  MemberRecord rec;
  ConvertMemberRecord(&adult, 0, 0, &rec, 0);
  EXPECT_EQ(GetI16(rec.bytes + 212), 1);
  EXPECT_EQ(GetI32(rec.bytes + 336), 1);
  EXPECT_EQ(GetI32(rec.bytes + 324), -250);
  MemberRow back;
  ConvertMemberRecord(&back, 4, 1, &rec, 1);
  EXPECT_EQ(back.type, 1);
  EXPECT_STREQ(back.subunit, "Adults");
  EXPECT_STREQ(back.firstName, "Bartholomew");
  EXPECT_STREQ(back.fax, "555-1234");

  // Without its marker an adult record reads as nothing unless forced.
  PutI16(rec.bytes + 212, 0);
  ConvertMemberRecord(&back, 4, 1, &rec, 1);
  EXPECT_EQ(back.type, 0);
  EXPECT_STREQ(back.lastName, "");
  ConvertMemberRecord(&back, 1, 1, &rec, 1);
  EXPECT_STREQ(back.lastName, "Brown");
}

// The key read straight from a record is the one the whole conversion
// gives, for every layout, a missing adult marker, an unknown type and
// texts that fill their fields without a terminator.
TEST(MemberRecord, KeyOfRecordIsTheKeyOfTheConvertedRow) {
  unsigned seed = 7;
  for (int i = 0; i < 400; ++i) {
    MemberRecord rec;
    for (BYTE& byte : rec.bytes) {
      seed = seed * 1103515245u + 12345u;
      // Mostly letters, now and then a terminator or a high byte.
      int pick = static_cast<int>((seed >> 16) % 40);
      byte = static_cast<BYTE>(pick == 0 ? 0 : pick == 1 ? 0xBB : 'A' + pick % 26);
    }
    PutI32(rec.bytes + 336, i % 5 - 1);  // -1 .. 3
    PutI16(rec.bytes + 212, static_cast<SHORT>(i % 3 == 0 ? 0 : i));
    rec.bytes[353] = static_cast<BYTE>(i % 3);
    MemberRow form;
    ConvertMemberRecord(&form, 4, 1, &rec, 1);
    EXPECT_TRUE(KeyOfRecord(rec) == KeyOf(form)) << i;
  }
}

TEST(MemberRecord, ScoutFieldsSitAtTheirOffsetsAndReadBack) {
  MemberRow scout;
  std::memset(&scout, 0, sizeof scout);
  SetText(scout.address2, "Apt 4");
  SetText(scout.email, "ann@example.org");
  SetText(scout.subunit, "Eagles");
  SetText(scout.fatherFirst, "Maximilianus");  // read back with 11
  SetText(scout.motherLast, "Smith");
  SetText(scout.zip, "62701-1234");
  SetText(scout.dateLeft, "20080301");
  SetText(scout.remarks, "Allergic to nuts");
  scout.status = 1;
  scout.passbook = 1;
  scout.selected = 7;
  scout.openingBalance = 1250;
  scout.transCount = 3;
  MemberRecord rec;
  ConvertMemberRecord(&scout, 0, 0, &rec, 0);
  const BYTE* b = rec.bytes;
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 56), "Apt 4");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 112), "ann@example.org");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 160), "Eagles");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 226), "Smith");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 275), "62701-1234");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 344), "20080301");
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 354), "Allergic to nuts");
  EXPECT_EQ(GetI32(b + 320), 1250);
  EXPECT_EQ(GetI32(b + 328), 3);
  EXPECT_EQ(GetI32(b + 332), 1);
  EXPECT_EQ(GetI32(b + 336), 0);
  EXPECT_EQ(GetI32(b + 340), 7);
  EXPECT_EQ(b[353], 1);
  MemberRow back;
  ConvertMemberRecord(&back, 4, 1, &rec, 1);
  EXPECT_STREQ(back.fatherFirst, "Maximilianu");
  std::memcpy(back.fatherFirst, scout.fatherFirst, sizeof back.fatherFirst);
  EXPECT_EQ(std::memcmp(&back, &scout, sizeof back), 0);
}

TEST(MemberRecord, SubunitHeadHoldsOnlyNameAndDate) {
  MemberRow sub;
  std::memset(&sub, 0, sizeof sub);
  sub.type = 2;
  SetText(sub.subunit, "Eagles");
  SetText(sub.dateJoined, "20070901");
  SetText(sub.lastName, "ignored");
  MemberRecord rec;
  ConvertMemberRecord(&sub, 0, 0, &rec, 0);
  for (int i = 0; i < 150; ++i) ASSERT_EQ(rec.bytes[i], 0) << i;
  EXPECT_STREQ(reinterpret_cast<char*>(rec.bytes + 150), "20070901");
  EXPECT_STREQ(reinterpret_cast<char*>(rec.bytes + 160), "Eagles");
}

}  // namespace
