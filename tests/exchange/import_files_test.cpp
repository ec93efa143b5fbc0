// The member import's reading of the sibling program's folder: which file
// set the version file and the files present make, the older sets'
// subunits and assignments, and each set's scout and adult records.
#include <cstdio>

#include "ExchangeTest.h"
#include "SiblingFiles.h"
#include "common/Dates.h"
#include "exchange/ImportFiles.h"

namespace {

using sibling::Folder;
using sibling::OlderRecord;
using sibling::Person;

class ImportFilesTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    std::snprintf(TodayDate, sizeof TodayDate, "20260615");
    folder_ = Folder(home_ + "/sibling");
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    ExchangeTest::TearDown();
  }
  // Every record of a file through a reader: the members it gave, with
  // the skipped ones as empty rows.
  template <class Reader>
  static std::vector<MemberRow> ReadAll(const std::string& path, Reader read) {
    std::vector<MemberRow> rows;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_NE(f, nullptr) << path;
    if (f == nullptr) return rows;
    MemberRow row;
    for (int n = 0;; ++n) {
      const int got = read(f, n, &row);
      if (got < 0) break;
      rows.push_back(got == 1 ? row : MemberRow{});
    }
    std::fclose(f);
    return rows;
  }
  Folder folder_{""};
};

TEST_F(ImportFilesTest, TheVersionFileAndTheFilesPresentChooseTheSet) {
  const struct {
    const char* what;
    bool troop;
    const char* version;  // null: no version file
    bool current;         // both current member files present
    const char* tag;      // null: refused with `message`
    const char* message;
  } cases[] = {
      {"current files win over an older tag", true, "ZRD 4.0\r\n", true, "COMMON", nullptr},
      {"any other tag reads the current files", false, "Anything\n", true, "COMMON", nullptr},
      {"the address-line generation, blanks and CR cut", true, "  KVA 1.0  \r\n", true, "KVA 1.0", nullptr},
      {"older troop set", true, "ZRD 4.0\n", false, "ZRD 4.0", nullptr},
      {"older pack set", false, "XK 2.0", false, "XK 2.0", nullptr},
      {"a pack with the troop tag", false, "ZRD 4.0\n", false, nullptr, "Incompatible import version"},
      {"a troop with the pack tag", true, "XK 2.0\n", false, nullptr, "Incompatible import version"},
      {"the current tag without its files", true, "KVA 1.0\n", false, nullptr, "Incompatible import version"},
      {"no version file", true, nullptr, true, nullptr, "Failed open: import version"},
      {"an empty version file", true, "", true, nullptr, "Failed read: import version"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folder_.Path());
    std::filesystem::create_directories(folder_.Path());
    if (c.current) folder_.Current(c.troop, c.version ? c.version : "", {}, {});
    if (c.version)
      folder_.Write(c.troop ? "lindaq.dat" : "mervot.dat", c.version);
    else
      std::filesystem::remove(folder_.File(c.troop ? "lindaq.dat" : "mervot.dat"));
    if (c.message) automation::ExpectMessageBox("", c.message, IDOK);
    ImportFileSet set;
    const int result = DetectImportVersion(c.troop, folder_.Path().c_str(), &set);
    EXPECT_EQ(result == 0, c.tag != nullptr);
    if (c.tag) {
      EXPECT_EQ(set.tag, c.tag);
    }
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
  // With or without the closing separator the folder names the same files.
  std::filesystem::remove_all(folder_.Path());
  std::filesystem::create_directories(folder_.Path());
  folder_.Write("lindaq.dat", "ZRD 4.0\n");
  ImportFileSet bare, closed;
  ASSERT_EQ(DetectImportVersion(true, folder_.Path().c_str(), &bare), 0);
  ASSERT_EQ(DetectImportVersion(true, (folder_.Path() + "/").c_str(), &closed), 0);
  EXPECT_EQ(bare.scouts, folder_.File("fenmor.dat"));
  EXPECT_EQ(closed.scouts, bare.scouts);
  EXPECT_EQ(closed.assignments, folder_.File("quesno.dat"));
}

TEST_F(ImportFilesTest, OlderTroopScoutsWithTheirPatrols) {
  folder_.Write("talvik.dat", Folder::UnitFile(true, {"Eagles", "", "Hawks"}));
  // Record 0 in patrol 2, record 1 in none, record 2 names a slot beyond the
  // names, the rest in patrol 0; record 3 is free.
  std::vector<int> entries(200, 0);
  entries[0] = 2;
  entries[1] = -1;
  entries[2] = 30;
  folder_.Write("quesno.dat", Folder::AssignmentFile(true, entries));
  OlderRecord full(1370);
  full.Text(0, "Walker").Text(16, "Timothy").Text(28, "1 Old Road").Text(55, "Oldtown, OH 44101");
  full.Text(82, "22 Elm Street").Text(109, "Springfield, IL 62701").Text(136, "555-0101");
  full.Text(307, "070901").Text(325, "Walkerstonebridge-Smythe").Text(341, "Christopher");
  OlderRecord plain(1370);
  plain.Text(0, "Young").Text(16, "Uma").Text(28, "5 Pine Court").Text(55, "Dayton, OH 45402");
  OlderRecord beyond(1370);
  beyond.Text(0, "Zane").Text(16, "Vic");
  // Record 200 lies beyond the 200 assignments: no patrol either.
  std::vector<OlderRecord> records = {full, plain, beyond};
  records.resize(200, OlderRecord(1370));
  OlderRecord last(1370);
  last.Text(0, "Last").Text(16, "Lee");
  records.push_back(last);
  folder_.Write("fenmor.dat", Folder::Records(records));

  ImportFileSet set{kImportZrd, folder_.File("fenmor.dat"), "", folder_.File("talvik.dat"), folder_.File("quesno.dat")};
  ImportSubunitTable table;
  ASSERT_EQ(ImportSubunits(true, set, &table), 0);
  EXPECT_STREQ(table.names[2], "Hawks");
  const auto rows = ReadAll(set.scouts, [&](std::FILE* f, int n, MemberRow* r) {
    return ReadImportScout(true, set.tag, f, n, table, r);
  });
  ASSERT_EQ(rows.size(), 201u);
  const MemberRow& t = rows[0];
  EXPECT_STREQ(t.lastName, "Walker");
  EXPECT_STREQ(t.address1, "22 Elm Street");  // the second pair of lines wins
  EXPECT_STREQ(t.address2, "");
  EXPECT_STREQ(t.city, "Springfield");
  EXPECT_STREQ(t.state, "IL");
  EXPECT_STREQ(t.zip, "62701");
  EXPECT_STREQ(t.homePhone, "555-0101");
  EXPECT_STREQ(t.dateJoined, "20070901");
  EXPECT_STREQ(t.fatherLast, "Walkerstonebrid");  // 15 characters
  EXPECT_STREQ(t.fatherFirst, "Christopher");
  EXPECT_STREQ(t.subunit, "Hawks");
  EXPECT_EQ(t.type, 0);
  EXPECT_STREQ(rows[1].address1, "5 Pine Court");
  EXPECT_STREQ(rows[1].city, "Dayton");
  EXPECT_STREQ(rows[1].dateJoined, "20260615");  // no date: today
  EXPECT_STREQ(rows[1].subunit, "");
  EXPECT_STREQ(rows[2].lastName, "Zane");
  EXPECT_STREQ(rows[2].subunit, "");
  EXPECT_STREQ(rows[3].lastName, "");  // a free record is skipped
  EXPECT_STREQ(rows[200].lastName, "Last");
  EXPECT_STREQ(rows[200].subunit, "");
}

TEST_F(ImportFilesTest, OlderPackDensCountFromZeroAndItsAdultsHaveNoSpouse) {
  folder_.Write("gravin.dat", Folder::UnitFile(false, {"Wolves", "Bears"}));
  folder_.Write("holtup.dat", Folder::AssignmentFile(false, {0, 1}));
  OlderRecord cub(1024);
  cub.Text(0, "Cub").Text(16, "Carl").Text(28, "3 Den Way").Text(55, "Akron, OH 44301").Text(217, "990310");
  cub.Text(262, "Cubfather").Text(278, "Frank");
  folder_.Write("dopsen.dat", Folder::Records({cub}));
  OlderRecord leader(1388);
  leader.Text(0, "Akela").Text(16, "Alexandrinas").Text(33, "9 Lodge St").Text(60, "Kent, OH 44240");
  leader.Text(96, "555-0111").Text(109, "555-0199").Text(122, "12").Text(134, "010203");
  folder_.Write("yarmes.dat", Folder::Records({leader}));

  ImportFileSet set{kImportXk, folder_.File("dopsen.dat"), folder_.File("yarmes.dat"), folder_.File("gravin.dat"),
                    folder_.File("holtup.dat")};
  ImportSubunitTable table;
  ASSERT_EQ(ImportSubunits(false, set, &table), 0);
  EXPECT_STREQ(table.names[0], "Den 0 - Wolves");
  EXPECT_STREQ(table.names[1], "Den 1 - Bears");
  const auto cubs = ReadAll(set.scouts, [&](std::FILE* f, int n, MemberRow* r) {
    return ReadImportScout(false, set.tag, f, n, table, r);
  });
  ASSERT_EQ(cubs.size(), 1u);
  EXPECT_STREQ(cubs[0].subunit, "Den 0 - Wolves");
  EXPECT_STREQ(cubs[0].dateJoined, "19990310");
  EXPECT_STREQ(cubs[0].fatherLast, "Cubfather");
  const auto adults = ReadAll(set.adults, [&](std::FILE* f, int n, MemberRow* r) {
    return ReadImportAdult(false, set.tag, f, n, r);
  });
  ASSERT_EQ(adults.size(), 1u);
  const MemberRow& a = adults[0];
  EXPECT_STREQ(a.firstName, "Alexandrina");  // 11 characters
  EXPECT_STREQ(a.spouse, "");
  EXPECT_STREQ(a.address1, "9 Lodge St");
  EXPECT_STREQ(a.city, "Kent");
  EXPECT_STREQ(a.homePhone, "555-0111");
  EXPECT_STREQ(a.workPhone, "555-0199");
  EXPECT_STREQ(a.workExt, "12");
  EXPECT_STREQ(a.dateJoined, "20010203");
  EXPECT_STREQ(a.subunit, "Adults");
  EXPECT_EQ(a.type, 1);
}

TEST_F(ImportFilesTest, OlderTroopAdults) {
  OlderRecord leader(1504);
  leader.Text(0, "Baden").Text(16, "Robert").Text(33, "Olave").Text(45, "1 Gilwell Park").Text(72, "Chingford, NY 10001");
  leader.Text(99, "555-0001").Text(120, "555-0002").Text(133, "7").Text(145, "570801");
  folder_.Write("wirrel.dat", Folder::Records({leader, OlderRecord(1504)}));
  const auto adults = ReadAll(folder_.File("wirrel.dat"), [&](std::FILE* f, int n, MemberRow* r) {
    return ReadImportAdult(true, kImportZrd, f, n, r);
  });
  ASSERT_EQ(adults.size(), 2u);
  EXPECT_STREQ(adults[0].spouse, "Olave");
  EXPECT_STREQ(adults[0].city, "Chingford");
  EXPECT_STREQ(adults[0].state, "NY");
  EXPECT_STREQ(adults[0].workExt, "7");
  EXPECT_STREQ(adults[0].dateJoined, "19570801");
  EXPECT_STREQ(adults[1].lastName, "");
}

TEST_F(ImportFilesTest, CurrentFilesSplitTheCityLineOnlyForTheAddressLineGeneration) {
  MemberRow scout = Person(0, "North", "Nell", "Owls");
  std::strcpy(scout.address1, "7 Oak Ave");
  std::strcpy(scout.address2, "Salem, OR 97301");
  scout.currentBalance = 5000;  // the other program's money stays there
  MemberRow adult = Person(1, "Oak", "Otto");
  std::strcpy(adult.address1, "Portland, OR 97201");
  folder_.Current(true, "", {scout, Person(0, "", "Nameless")}, {adult});
  for (const char* tag : {kImportCommon, kImportKva}) {
    SCOPED_TRACE(tag);
    const bool kva = std::string(tag) == kImportKva;
    const auto scouts = ReadAll(folder_.File("szovk.dat"), [&](std::FILE* f, int n, MemberRow* r) {
      return ReadImportScout(true, tag, f, n, ImportSubunitTable(), r);
    });
    ASSERT_EQ(scouts.size(), 2u);
    EXPECT_STREQ(scouts[0].subunit, "Owls");
    EXPECT_STREQ(scouts[0].address2, kva ? "" : "Salem, OR 97301");
    EXPECT_STREQ(scouts[0].city, kva ? "Salem" : "");
    EXPECT_EQ(scouts[0].currentBalance, 0);
    EXPECT_STREQ(scouts[1].firstName, "");  // no last name: skipped
    const auto adults = ReadAll(folder_.File("lzovk.dat"), [&](std::FILE* f, int n, MemberRow* r) {
      return ReadImportAdult(true, tag, f, n, r);
    });
    ASSERT_EQ(adults.size(), 1u);
    EXPECT_STREQ(adults[0].zip, kva ? "97201" : "");
  }
}

TEST_F(ImportFilesTest, MissingOrShortSubunitFilesEndTheImport) {
  const struct {
    const char* what;
    bool unit, shortUnit, assignments;
    const char* message;
  } cases[] = {{"no unit file", false, false, true, "Failed open: import subunits"},
               {"a short unit file", true, true, true, "Failed read: import subunits"},
               {"no assignment file", true, false, false, "Failed open: import s2s"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folder_.Path());
    std::filesystem::create_directories(folder_.Path());
    if (c.unit) folder_.Write("talvik.dat", Folder::UnitFile(true, {"Eagles"}).substr(0, c.shortUnit ? 500 : 948));
    if (c.assignments) folder_.Write("quesno.dat", Folder::AssignmentFile(true, {}));
    ImportFileSet set{kImportZrd, "", "", folder_.File("talvik.dat"), folder_.File("quesno.dat")};
    automation::ExpectMessageBox("Fatal Error", c.message, IDOK);
    ImportSubunitTable table;
    EXPECT_NE(ImportSubunits(true, set, &table), 0);
  }
}

}  // namespace
