// Opening a fiscal year: loading, counters, capacities and the sorted
// indexes with their exact keys.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "common/Dates.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace {

template <class Rec>
void Append(const std::string& path, std::vector<Rec> recs) {
  FILE* f = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fseek(f, 0, SEEK_END);
  int row = static_cast<int>(std::ftell(f) / RecordSize<Rec>::value);
  for (const Rec& r : recs) ASSERT_EQ(WriteRecord(f, r, row++), 1);
  std::fclose(f);
}

std::vector<int> Order(const std::vector<int>& index, int n) { return std::vector<int>(index.begin(), index.begin() + n); }

TEST(OpenYear, EmptyYearLoadsEmptyTables) {
  fixture::FiscalYear fy(false);
  EXPECT_EQ(TransTable.rowCount, 0);
  EXPECT_EQ(NextTransId, 1);
  EXPECT_EQ(SplitTable.freeCount, 699);
  EXPECT_EQ(SubAcctTable.freeCount, 8375);
  EXPECT_EQ(AcctTable.freeCount, 100);
  EXPECT_EQ(BudgetTable.rowCount, 1);
  EXPECT_STREQ(FiscalStartDate, "20080101");
  EXPECT_STREQ(FiscalEndDate, "20081231");
}

TEST(OpenYear, FixtureReloadsToTheSameTables) {
  fixture::FiscalYear fy;
  int live = TransTable.liveCount, lines = SupportTable.liveCount, next = NextTransId;
  ASSERT_EQ(fy.Reopen(), 1);
  EXPECT_EQ(TransTable.liveCount, live);
  EXPECT_EQ(SupportTable.liveCount, lines);
  EXPECT_EQ(NextTransId, next);
  EXPECT_EQ(ScoutCount, 2);
  EXPECT_EQ(AdultCount, 1);
  EXPECT_EQ(SubunitCount, 1);
  EXPECT_EQ(PassbookCount[0] + PassbookCount[1] + PassbookCount[2], 4);
  EXPECT_EQ(SplitTable.liveCount, 1);
  EXPECT_EQ(SubAcctTable.liveCount, 2);
}

TEST(OpenYear, CapacityOverflow) {
  fixture::FiscalYear fy(false);
  CloseDataFiles();
  // 101 budget records: the message, and the open goes on with 100 rows.
  Append(fixture::FilePath(fy, "budge"), std::vector<BudgetRecord>(100));
  automation::ExpectMessageBox("Error", "Number of budgets exceeds maximum", IDOK);
  EXPECT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);
  EXPECT_EQ(BudgetTable.rowCount, 100);
  // 101 accounts: the open fails.
  CloseDataFiles();
  AccountRecord a;
  Append(fixture::FilePath(fy, "acct"), std::vector<AccountRecord>(101, a));
  automation::AlwaysAnswer("Error", "Number of budgets exceeds maximum", IDOK);
  automation::ExpectMessageBox("Error", "Number of accounts exceeds maximum", IDOK);
  EXPECT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(OpenYear, MissingFileFailsTheOpen) {
  fixture::FiscalYear fy(false);
  CloseDataFiles();
  std::remove(fixture::FilePath(fy, "suppt").c_str());
  automation::ExpectMessageBox("Fatal Error", "Failed open: support account", IDOK);
  EXPECT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 0);
}

TEST(OpenYear, ReadErrorNamesTheFileAndFailsTheOpen) {
  // A file whose reads fail with an I/O error: a link to this process's
  // own memory, read at address 0.
  for (const char* stem : {"trans", "unit"}) {
    fixture::FiscalYear fy(false);
    CloseDataFiles();
    std::string path = fixture::FilePath(fy, stem);
    std::remove(path.c_str());
    ASSERT_EQ(::symlink("/proc/self/mem", path.c_str()), 0);
    automation::ExpectMessageBox("Fatal Error", "Failed read: " + path, IDOK);
    EXPECT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 0) << stem;
    EXPECT_TRUE(automation::PendingExpectations().empty()) << stem;
    CloseDataFiles();
    std::remove(path.c_str());
  }
}

TEST(SortedIndexes, KeysAndStableOrder) {
  fixture::FiscalYear fy(false);
  CloseDataFiles();
  AccountRecord a1, a2, a3;
  a1.number = 520;
  SetText(a1.name, "dues");
  a2.number = 510;
  SetText(a2.name, "Dues");
  a3.number = 101;
  SetText(a3.name, "Checking");
  a3.status = kStatusDeleted;  // a deleted row keeps its place
  Append(fixture::FilePath(fy, "acct"), std::vector<AccountRecord>{a1, a2, a3});

  TransactionRecord t[3];
  const char* numbers[] = {"ATM", "100", "95"};
  for (int i = 0; i < 3; ++i) {
    t[i].id = i + 1;
    t[i].account = 101;
    SetText(t[i].number, numbers[i]);
    SetText(t[i].date, "20080301");
  }
  Append(fixture::FilePath(fy, "trans"), std::vector<TransactionRecord>{t[0], t[1], t[2]});

  FriendRecord f1, f2;
  SetText(f1.lastName, "Miller");
  f1.total = 7500;
  SetText(f2.lastName, "Adams");
  f2.total = 50000;
  Append(fixture::FilePath(fy, "fos"), std::vector<FriendRecord>{f1, f2});

  // Equal descriptions keep ascending row order: keys B, B, A.
  EquipmentRecord e[3];
  const char* desc[] = {"Tent", "tent", "Stove"};
  for (int i = 0; i < 3; ++i) SetText(e[i].description, desc[i]);
  SetText(e[0].inventoryId, "100");
  SetText(e[1].inventoryId, "7");
  SetText(e[2].inventoryId, "0012");
  Append(fixture::FilePath(fy, "equip"), std::vector<EquipmentRecord>{e[0], e[1], e[2]});

  ASSERT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);
  EXPECT_EQ(AcctTable.liveCount, 2);
  EXPECT_EQ(Order(AcctTable.byNumber, 3), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(Order(AcctTable.byName, 3), (std::vector<int>{2, 1, 0}));  // Checking, Dues 510, dues 520
  EXPECT_EQ(Order(TransTable.byAcctNumberDate, 3), (std::vector<int>{2, 1, 0}));  // 95, 100, ATM
  EXPECT_EQ(NextTransId, 4);
  EXPECT_EQ(Order(FriendTable.byContribution, 2), (std::vector<int>{1, 0}));
  EXPECT_EQ(Order(FriendTable.byName, 2), (std::vector<int>{1, 0}));
  EXPECT_EQ(Order(EquipTable.byDescription, 3), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(Order(EquipTable.byInventory, 3), (std::vector<int>{1, 2, 0}));  // 7, 12, 100
}

TEST(SortedIndexes, ScoutsBeforeAdultsBeforeSubunits) {
  fixture::FiscalYear fy;
  std::vector<int> types;
  for (int pos = 0; pos < MemberTable.rowCount; ++pos)
    types.push_back(MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(pos)])].type);
  EXPECT_EQ(types, (std::vector<int>{0, 0, 1, 2}));
  // Jones before Smith.
  EXPECT_EQ(MemberTable.byTypeName[0], fixture::kBen);
}

TEST(SortedIndexes, TransactionNumberKey) {
  struct {
    const char* number;
    const char* key;
  } cases[] = {{"95", "00000095"}, {"100", "00000100"}, {"ATM", "ATM"}, {"12A", "12A"}, {"", ""},
               {"AutoPost", "AutoPost"}};
  for (auto& c : cases) {
    char key[9];
    TransNumberKey(c.number, key);
    EXPECT_STREQ(key, c.key) << c.number;
  }
}

TEST(UnitInfo, FiscalDates) {
  fixture::FiscalYear fy(false);
  struct {
    const char* value;
    const char* start;
    const char* end;
    int lastMonth;
  } cases[] = {{"002008", "20080101", "20081231", 11}, {"082008", "20080901", "20090831", 7}};
  std::snprintf(UnitInfo1, sizeof UnitInfo1, "left from another year");
  for (auto& c : cases) {
    FILE* f = std::fopen(UnitPath, "w");
    std::fprintf(f, "address = 1 Main\naddress=2\naddress=third\ncity = Abcdefghijklmnopqrst\nfiscal date = %s\n",
                 c.value);
    std::fclose(f);
    ASSERT_EQ(ReadWriteUnitInfo(0), 1);
    EXPECT_STREQ(FiscalStartDate, c.start);
    EXPECT_STREQ(FiscalEndDate, c.end);
    EXPECT_EQ(FiscalLastMonth, c.lastMonth);
    EXPECT_STREQ(UnitAddress2, "2");
    EXPECT_STREQ(UnitCity, "Abcdefghijklmnopq");
    EXPECT_STREQ(UnitInfo1, "");
  }
  // Written back as the nine lines, and read again to the same values.
  ASSERT_EQ(ReadWriteUnitInfo(1), 1);
  FILE* w = std::fopen(UnitPath, "rb");
  char text[512] = {};
  std::fread(text, 1, sizeof text - 1, w);
  std::fclose(w);
  EXPECT_EQ(std::string(text),
            "Address     = 1 Main\r\nAddress     = 2\r\nCity        = Abcdefghijklmnopq\r\nState       = \r\n"
            "Zip         = \r\nInfo1       = \r\nInfo2       = \r\nInfo3       = \r\nFiscal Date = 082008\r\n");
  ASSERT_EQ(ReadWriteUnitInfo(0), 1);
  EXPECT_STREQ(FiscalStartDate, "20080901");

  FILE* f = std::fopen(UnitPath, "w");
  std::fputs("City = X\n", f);
  std::fclose(f);
  automation::ExpectMessageBox("Error", "Invalid fiscal year start: -0002-0101", IDOK);
  EXPECT_EQ(ReadWriteUnitInfo(0), 0);
  EXPECT_STREQ(FiscalStartDate, "");
}

TEST(UnitInfo, ALongLineIsOneSettingAndAFiscalDateIsSixDigits) {
  fixture::FiscalYear fy(false);
  auto write = [](const std::string& text) {
    FILE* f = std::fopen(UnitPath, "w");
    std::fputs(text.c_str(), f);
    std::fclose(f);
  };
  // The tail of a long address must not move the year's dates.
  write("Address = " + std::string(600, 'a') + "Fiscal Date = 062009\nFiscal Date = 002008\n");
  ASSERT_EQ(ReadWriteUnitInfo(0), 1);
  EXPECT_STREQ(FiscalStartDate, "20080101");
  EXPECT_EQ(std::string(UnitAddress1), std::string(26, 'a'));

  const std::pair<const char*, const char*> bad[] = {
      {"0x 2008", "0x 2008"}, {"08200", "08200"}, {"0820089", "0820089"}, {"-12008", "-12008"}, {"", ""}};
  for (const auto& c : bad) {
    write(std::string("City = X\nFiscal Date = ") + c.first + "\n");
    automation::ExpectMessageBox(
        "Error", std::string("Invalid fiscal year start: ") + c.second + " (line 2 of " + UnitPath + ")", IDOK);
    EXPECT_EQ(ReadWriteUnitInfo(0), 0) << c.first;
    EXPECT_STREQ(FiscalStartDate, "");
    EXPECT_STREQ(FiscalEndDate, "");
    EXPECT_TRUE(automation::PendingExpectations().empty()) << c.first;
  }
}

}  // namespace

namespace {

// The key texts as printf builds them, cut at width - 1: the oracle for
// the indexes, sorted with equal keys in row order.
template <typename... Args>
std::string Printed(int width, const char* fmt, Args... args) {
  char buf[160];
  std::snprintf(buf, sizeof buf, fmt, args...);
  std::string key(buf);
  if (key.size() > static_cast<size_t>(width - 1)) key.resize(static_cast<size_t>(width - 1));
  return key;
}

template <class Make>
std::vector<int> OracleOrder(int n, Make make) {
  std::vector<std::string> keys;
  for (int r = 0; r < n; ++r) keys.push_back(make(r));
  std::vector<const char*> texts;
  for (const auto& k : keys) texts.push_back(k.c_str());
  std::vector<int> order(static_cast<size_t>(n));
  SortStringKeys(n, texts.data(), order.data());
  return order;
}

template <class Pick>
void RandomText(char* out, size_t size, Pick pick) {
  static const char* const words[] = {"", "a", "B", "Tent", "tent", "TENT", "95", "100", "0012", "-7", "ATM",
                                      "Zed", "zed ", "Camp Store", "camp store", "x1", "20080301", "20071231"};
  std::snprintf(out, size, "%s", words[pick(std::size(words))]);
}

}  // namespace

// Indexes kept up to date a few rows at a time (as the stores change them)
// and built afresh give the order the printf-built keys give.
TEST(SortedIndexes, KeptUpToDateRowByRowTheyMatchTheirKeys) {
  fixture::FiscalYear fy(false);
  unsigned seed = 12345;
  auto pick = [&seed](size_t n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<size_t>((seed >> 8) % n);
  };
  constexpr int kRows = 60;
  TransTable.keys.assign(kRows, {});
  for (auto* ix : {&TransTable.byAcctNumberDate, &TransTable.byDateAcctNumber, &TransTable.byAcctPayeeDate})
    ix->assign(kRows, 0);
  SupportTable.keys.assign(kRows, {});
  for (auto* ix : {&SupportTable.byLineKey, &SupportTable.byTransDate}) ix->assign(kRows, 0);
  MemberTable.keys.assign(kRows, {});
  for (auto* ix : {&MemberTable.byTypeName, &MemberTable.byTypeSubunitName}) ix->assign(kRows, 0);
  FriendTable.keys.assign(kRows, {});
  for (auto* ix : {&FriendTable.byName, &FriendTable.byContribution}) ix->assign(kRows, 0);
  EquipTable.keys.assign(kRows, {});
  for (auto* ix : {&EquipTable.byDescription, &EquipTable.byDateDescription, &EquipTable.byInventory})
    ix->assign(kRows, 0);
  AcctTable.keys.assign(kRows, {});
  for (auto* ix : {&AcctTable.byNumber, &AcctTable.byName}) ix->assign(kRows, 0);
  TransTable.rowCount = SupportTable.rowCount = MemberTable.rowCount = FriendTable.rowCount = EquipTable.rowCount =
      AcctTable.rowCount = 0;

  auto changeRow = [&](int r) {
    TransKey& t = TransTable.keys[static_cast<size_t>(r)];
    t.id = static_cast<LONG>(pick(20)) + 1;
    t.account = static_cast<LONG>(pick(3)) == 0 ? -5 : static_cast<LONG>(pick(1200));
    RandomText(t.number, sizeof t.number, pick);
    RandomText(t.date, sizeof t.date, pick);
    RandomText(t.payee, sizeof t.payee, pick);
    SupportKey& s = SupportTable.keys[static_cast<size_t>(r)];
    s.id = static_cast<LONG>(pick(22));
    s.line = static_cast<LONG>(pick(10));
    MemberKey& m = MemberTable.keys[static_cast<size_t>(r)];
    m.type = static_cast<LONG>(pick(4));
    RandomText(m.lastName, sizeof m.lastName, pick);
    RandomText(m.firstName, sizeof m.firstName, pick);
    RandomText(m.subunit, sizeof m.subunit, pick);
    FriendKey& f = FriendTable.keys[static_cast<size_t>(r)];
    f.total = static_cast<LONG>(pick(5)) * 2500 - (pick(7) == 0 ? 1500000000 : 0);
    RandomText(f.lastName, sizeof f.lastName, pick);
    RandomText(f.firstName, sizeof f.firstName, pick);
    EquipKey& e = EquipTable.keys[static_cast<size_t>(r)];
    RandomText(e.inventoryId, sizeof e.inventoryId, pick);
    RandomText(e.description, sizeof e.description, pick);
    RandomText(e.purchaseDate, sizeof e.purchaseDate, pick);
    AcctKey& a = AcctTable.keys[static_cast<size_t>(r)];
    a.number = static_cast<LONG>(pick(4)) == 0 ? -12 : static_cast<LONG>(pick(999));
    RandomText(a.name, sizeof a.name, pick);
  };

  for (int step = 0; step < 150; ++step) {
    int n = TransTable.rowCount;
    // Mostly one row added or changed, now and then many at once.
    int changes = step % 25 == 24 ? 20 : 1 + static_cast<int>(pick(2));
    for (int c = 0; c < changes; ++c) {
      if (n < kRows && (n == 0 || pick(3) == 0)) {
        changeRow(n);
        n = TransTable.rowCount = SupportTable.rowCount = MemberTable.rowCount = FriendTable.rowCount =
            EquipTable.rowCount = AcctTable.rowCount = n + 1;
      } else {
        changeRow(static_cast<int>(pick(static_cast<size_t>(n))));
      }
    }
    SortTransactions();
    SortSupportLines();
    SortMembers();
    SortFriends();
    SortEquipment();
    SortAccounts();

    auto trans = [](int r) -> const TransKey& { return TransTable.keys[static_cast<size_t>(r)]; };
    auto number = [&](int r) {
      char k[9];
      TransNumberKey(trans(r).number, k);
      return std::string(k);
    };
    EXPECT_EQ(Order(TransTable.byAcctNumberDate, n), OracleOrder(n, [&](int r) {
                return Printed(37, "%.3d%s%8s", static_cast<int>(trans(r).account), number(r).c_str(), trans(r).date);
              })) << step;
    EXPECT_EQ(Order(TransTable.byDateAcctNumber, n), OracleOrder(n, [&](int r) {
                return Printed(37, "%8s%.3d%s", trans(r).date, static_cast<int>(trans(r).account), number(r).c_str());
              })) << step;
    EXPECT_EQ(Order(TransTable.byAcctPayeeDate, n), OracleOrder(n, [&](int r) {
                return Printed(37, "%.3d%-25s%8s", static_cast<int>(trans(r).account), trans(r).payee, trans(r).date);
              })) << step;
    EXPECT_EQ(Order(SupportTable.byTransDate, n), OracleOrder(n, [&](int r) {
                LONG id = SupportTable.keys[static_cast<size_t>(r)].id;
                for (int t = 0; t < n; ++t)
                  if (trans(t).id == id) return Printed(9, "%s", trans(t).date);
                return std::string();
              })) << step;
    std::vector<int> lineKeys;
    for (int r = 0; r < n; ++r)
      lineKeys.push_back(LineKey(SupportTable.keys[static_cast<size_t>(r)].id, SupportTable.keys[static_cast<size_t>(r)].line));
    std::vector<int> byLine(static_cast<size_t>(n));
    SortIntKeys(n, lineKeys.data(), byLine.data());
    EXPECT_EQ(Order(SupportTable.byLineKey, n), byLine) << step;

    auto member = [](int r) -> const MemberKey& { return MemberTable.keys[static_cast<size_t>(r)]; };
    auto letter = [&](int r) { return 'a' + ((member(r).type >= 0 && member(r).type <= 2) ? member(r).type : 0); };
    EXPECT_EQ(Order(MemberTable.byTypeName, n), OracleOrder(n, [&](int r) {
                const MemberKey& k = member(r);
                return k.type == 2 ? Printed(64, "%c%-29s", letter(r), k.subunit)
                                   : Printed(64, "%c%-15s%-11s", letter(r), k.lastName, k.firstName);
              })) << step;
    EXPECT_EQ(Order(MemberTable.byTypeSubunitName, n), OracleOrder(n, [&](int r) {
                const MemberKey& k = member(r);
                return Printed(64, "%c%-29s%-15s%-11s", letter(r), k.type == 1 ? "Adults" : k.subunit, k.lastName,
                               k.firstName);
              })) << step;
    auto friendKey = [](int r) -> const FriendKey& { return FriendTable.keys[static_cast<size_t>(r)]; };
    EXPECT_EQ(Order(FriendTable.byName, n), OracleOrder(n, [&](int r) {
                return Printed(37, "%-15.15s%-11.11s", friendKey(r).lastName, friendKey(r).firstName);
              })) << step;
    EXPECT_EQ(Order(FriendTable.byContribution, n), OracleOrder(n, [&](int r) {
                return Printed(37, "%010ld%-15.15s%-11.11s", 1000000000L - static_cast<long>(friendKey(r).total),
                               friendKey(r).lastName, friendKey(r).firstName);
              })) << step;
    auto equip = [](int r) -> const EquipKey& { return EquipTable.keys[static_cast<size_t>(r)]; };
    EXPECT_EQ(Order(EquipTable.byDateDescription, n), OracleOrder(n, [&](int r) {
                return Printed(29, "%s%s", equip(r).purchaseDate, equip(r).description);
              })) << step;
    EXPECT_EQ(Order(EquipTable.byInventory, n), OracleOrder(n, [&](int r) {
                return Printed(29, "%06.6ld", std::atol(equip(r).inventoryId));
              })) << step;
    auto acct = [](int r) -> const AcctKey& { return AcctTable.keys[static_cast<size_t>(r)]; };
    EXPECT_EQ(Order(AcctTable.byName, n), OracleOrder(n, [&](int r) {
                return Printed(29, "%-25s%d", acct(r).name, static_cast<int>(acct(r).number));
              })) << step;
    if (HasFailure()) break;
  }
  // An index changed behind the builder's back is built afresh.
  int n = TransTable.rowCount;
  std::vector<int> kept = Order(TransTable.byAcctNumberDate, n);
  std::swap(TransTable.byAcctNumberDate[0], TransTable.byAcctNumberDate[1]);
  SortTransactions();
  EXPECT_EQ(Order(TransTable.byAcctNumberDate, n), kept);
}
