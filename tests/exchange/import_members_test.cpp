// The member import on the fixture year (Anna Smith and Ben Jones of the
// Eagles, the adult Carl Brown) from a current set of the sibling program:
// matching and taking over fields, additions with their subunits, the
// deletion pass and its answers, full tables, and the change log that the
// Import Summary reads.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <tuple>

#include "ExchangeTest.h"
#include "SiblingFiles.h"
#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "exchange/ImportMembers.h"
#include "exchange/ImportMerge.h"
#include "reports/ImportLog.h"
#include "reports/RptDriver.h"

namespace {

using sibling::Folder;
using sibling::Person;

using Entry = std::tuple<int, int, std::string, std::string>;  // kind, action, name, text
std::vector<Entry> logged;

// Report 27 as the import starts it: the change log, read while still open.
int CaptureLog(RptContext*) {
  logged.clear();
  std::rewind(ImportLogFile);
  unsigned char bytes[kImportLogRecordSize];
  while (std::fread(bytes, sizeof bytes, 1, ImportLogFile) == 1) {
    ImportLogRecord r;
    DecodeImportLogRecord(bytes, r);
    logged.emplace_back(r.kind, r.action, r.name, r.text);
  }
  return 0;
}

class ImportMembersTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    std::snprintf(TodayDate, sizeof TodayDate, "20080610");
    folder_ = Folder(home_ + "/sibling");
    ClearRptRegistry();
    RegisterRptBuilder(27, CaptureLog);
    logged.clear();
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ClearResponder();
    ClearRptRegistry();
    ExchangeTest::TearDown();
  }
  static MemberRow Local(int row) {
    MemberRow m{};
    EXPECT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    return m;
  }
  static void Change(int row, const std::function<void(MemberRow&)>& change) {
    MemberRow m = Local(row);
    change(m);
    ASSERT_EQ(WriteMemberRecord(MemberFile, &m, row), 1);
  }
  // The live rows of a type named so, in row order.
  static std::vector<int> Rows(int type, const char* last, const char* first) {
    std::vector<int> rows;
    for (int r = 0; r < MemberTable.rowCount; ++r) {
      const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(r)];
      if (k.status != kStatusDeleted && k.type == type && std::string(k.lastName) == last &&
          std::string(k.firstName) == first)
        rows.push_back(r);
    }
    return rows;
  }
  static int SubunitRow(const char* name) {
    for (int r = 0; r < MemberTable.rowCount; ++r) {
      const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(r)];
      if (k.status != kStatusDeleted && k.type == 2 && std::string(k.subunit) == name) return r;
    }
    return -1;
  }
  // The import as File > Import runs it, answering the report question
  // with Yes (so the log is read) unless told that none comes.
  void Import(int adults, bool reportAsked = true) {
    if (reportAsked) automation::ExpectMessageBox("", "Import complete.", ANSWER_YES);
    ImportMembers(folder_.Path().c_str(), adults);
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
  // The fixture's own members as the sibling program would hand them back.
  static std::vector<MemberRow> Unchanged(std::initializer_list<int> rows) {
    std::vector<MemberRow> out;
    for (int r : rows) out.push_back(Local(r));
    return out;
  }
  Folder folder_{""};
};

TEST_F(ImportMembersTest, MatchedMembersTakeOverChangesAndNewOnesAreAdded) {
  Change(fixture::kAnna, [](MemberRow& m) {
    std::snprintf(m.city, sizeof m.city, "Springfield");
    std::snprintf(m.email, sizeof m.email, "anna@example.org");
  });
  MemberRow anna = Person(0, "SMITH", "anna", "EAGLES");  // names and subunit differ only in case
  std::snprintf(anna.address1, sizeof anna.address1, "9 New Street");
  std::snprintf(anna.email, sizeof anna.email, "ANNA@EXAMPLE.ORG");
  std::snprintf(anna.cellPhone, sizeof anna.cellPhone, "555-0199");
  MemberRow dana = Person(0, "Lee", "Dana", "Hawks");
  std::snprintf(dana.dateJoined, sizeof dana.dateJoined, "20080301");
  MemberRow carl = Local(fixture::kCarl);
  std::snprintf(carl.workPhone, sizeof carl.workPhone, "555-0222");
  folder_.Current(true, "COMMON\r\n", {anna, Local(fixture::kBen), dana, Person(0, "Twin", "Tom"), Person(0, "Twin", "Tom")},
                  {carl});
  const int scouts = ScoutCount;
  Import(1);

  const MemberRow after = Local(fixture::kAnna);
  EXPECT_STREQ(after.lastName, "Smith");
  EXPECT_STREQ(after.address1, "9 New Street");
  EXPECT_STREQ(after.city, "Springfield");  // an empty imported field clears nothing
  EXPECT_STREQ(after.email, "anna@example.org");
  EXPECT_STREQ(after.subunit, "Eagles");
  ASSERT_EQ(Rows(0, "Lee", "Dana").size(), 1u);
  const int danaRow = Rows(0, "Lee", "Dana")[0];
  EXPECT_STREQ(MemberTable.keys[static_cast<std::size_t>(danaRow)].subunit, "Hawks");
  EXPECT_GE(SubunitRow("Hawks"), 0);
  EXPECT_EQ(Rows(0, "Twin", "Tom").size(), 2u);  // one record, one member
  EXPECT_EQ(ScoutCount, scouts + 3);
  EXPECT_STREQ(Local(fixture::kCarl).workPhone, "555-0222");
  // The new scout joins the dues schedule.
  ASSERT_EQ(OpenScheduleFiles(), 1);
  bool joined = false;
  ParticipantRecord p;
  for (int r = 0; ReadRecord(ParticipantFile, p, r) == 1; ++r) joined = joined || p.memberRow == danaRow;
  CloseScheduleFiles();
  EXPECT_TRUE(joined);

  const std::vector<Entry> expected = {
      {0, 1, "SMITH, anna", "Updated address"},  {0, 1, "SMITH, anna", "Updated cell phone"},
      {2, 0, "Hawks", ""},                       {0, 0, "Lee, Dana", ""},
      {0, 0, "Twin, Tom", ""},                   {0, 0, "Twin, Tom", ""},
      {1, 1, "Brown, Carl", "Updated work phone"}};
  EXPECT_EQ(logged, expected);
  EXPECT_FALSE(std::filesystem::exists(home_ + "/IMPORT.TMP"));
}

TEST_F(ImportMembersTest, TheDeletionPassFollowsTheAnswers) {
  const struct {
    const char* what;
    std::vector<int> answers;
    char ben, dan, quinn;  // statuses after the pass
    std::vector<std::string> texts;
  } cases[] = {
      {"Yes To All", {ANSWER_YESTOALL}, 0, 2, 1,
       {"Not deleted (has outstanding balance)", "Removed from database", "Quit Date set to today's date"}},
      {"No To All", {ANSWER_NOTOALL}, 0, 0, 0, {}},
      {"No, Yes, No", {ANSWER_NO, ANSWER_YES, ANSWER_NO}, 0, 2, 0, {"Removed from database"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    year_.reset();
    year_ = std::make_unique<fixture::FiscalYear>();
    logged.clear();
    Change(fixture::kBen, [](MemberRow& m) { m.currentBalance = 500; });
    const int dan = AddPerson(0, "Doe", "Dan", "Eagles", "20080101");
    const int quinn = AddPerson(0, "Quill", "Quinn", "Eagles", "20080101");
    Change(quinn, [](MemberRow& m) {
      m.transCount = 1;
      m.currentBalance = 0;
    });
    // A member who already quit is never offered.
    const int gone = AddPerson(0, "Gone", "Gail", "Eagles", "20070101");
    Change(gone, [](MemberRow& m) { m.status = 1; });
    MemberTable.keys[static_cast<std::size_t>(gone)].status = 1;
    folder_.Current(true, "COMMON\r\n", Unchanged({fixture::kAnna}), {});
    const std::string names[] = {"\"Jones, Ben\"", "\"Doe, Dan\"", "\"Quill, Quinn\""};
    for (std::size_t i = 0; i < c.answers.size(); ++i)
      automation::ExpectMessageBox("", "Confirm delete of:  " + names[i], c.answers[i]);
    Import(0, !c.texts.empty());
    EXPECT_EQ(MemberTable.keys[fixture::kBen].status, c.ben);
    EXPECT_EQ(MemberTable.keys[static_cast<std::size_t>(dan)].status, c.dan);
    EXPECT_EQ(Local(dan).status, c.dan);
    EXPECT_EQ(MemberTable.keys[static_cast<std::size_t>(quinn)].status, c.quinn);
    EXPECT_STREQ(Local(quinn).dateLeft, c.quinn == 1 ? TodayDate : "");
    EXPECT_EQ(MemberTable.keys[fixture::kCarl].status, 0);  // adults were not imported
    std::vector<std::string> texts;
    for (const Entry& e : logged) texts.push_back(std::get<3>(e));
    EXPECT_EQ(texts, c.texts);
  }
}

TEST_F(ImportMembersTest, AFailedDeletionLeavesTheMemberAsItWas) {
  const int dan = AddPerson(0, "Doe", "Dan", "Eagles", "20080101");
  std::FILE* writable = MemberFile;
  MemberFile = std::fopen(MemberPath, "rb");
  ASSERT_NE(MemberFile, nullptr);
  ImportLogFile = std::tmpfile();
  ImportLogCount = 0;
  ImportRun run;
  run.deletionAnswer = ANSWER_YESTOALL;
  automation::ExpectMessageBox("Fatal Error", "Failed write: import delete", IDOK);
  ImportDeleteMember(dan, 0, run);
  std::fclose(MemberFile);
  MemberFile = writable;
  std::fclose(ImportLogFile);
  ImportLogFile = nullptr;
  EXPECT_EQ(MemberTable.keys[static_cast<std::size_t>(dan)].status, 0);
  EXPECT_EQ(Local(dan).status, 0);
  EXPECT_EQ(ImportLogCount, 0);
}

TEST_F(ImportMembersTest, WithEverySubunitTakenScoutsKeepTheirsAndTheNameIsListedOnce) {
  for (int n = SubunitCount; n < SubunitCapacity; ++n) {
    MemberRow s = Person(2, "", "", ("Patrol " + std::to_string(n)).c_str());
    ASSERT_EQ(AddSubunit(&s, nullptr), 1);
  }
  MemberRow anna = Local(fixture::kAnna), ben = Local(fixture::kBen);
  std::snprintf(anna.subunit, sizeof anna.subunit, "Falcons");
  std::snprintf(ben.subunit, sizeof ben.subunit, "Falcons");
  folder_.Current(true, "COMMON\r\n", {anna, ben, Person(0, "New", "Nick", "Falcons")}, {});
  automation::ExpectMessageBox("Information", "Max # of patrols reached", IDOK);
  Import(0);
  EXPECT_STREQ(Local(fixture::kAnna).subunit, "Eagles");
  ASSERT_EQ(Rows(0, "New", "Nick").size(), 1u);
  EXPECT_STREQ(Local(Rows(0, "New", "Nick")[0]).subunit, "");
  const std::vector<Entry> expected = {{2, 2, "Falcons", ""},
                                       {0, 1, "Smith, Anna", "NOTE: Could not add new patrol"},
                                       {0, 1, "Jones, Ben", "NOTE: Could not add new patrol"},
                                       {0, 0, "New, Nick", ""}};
  EXPECT_EQ(logged, expected);

  // The list of names not made holds 25; a 26th is logged all the same.
  ImportRun run;
  ImportLogFile = std::tmpfile();
  ImportLogCount = 0;
  automation::AlwaysAnswer("Information", "Max # of patrols reached", IDOK);
  for (int n = 0; n < 26; ++n) EXPECT_NE(EnsureImportSubunit(("Extra " + std::to_string(n)).c_str(), run), 0);
  EXPECT_NE(EnsureImportSubunit("Extra 3", run), 0);
  automation::ClearResponder();
  EXPECT_EQ(run.notAdded.size(), 25u);
  EXPECT_EQ(ImportLogCount, 26);
  std::fclose(ImportLogFile);
  ImportLogFile = nullptr;
}

TEST_F(ImportMembersTest, AnImportThatChangesNothingEndsSilently) {
  MemberRow carl = Local(fixture::kCarl);
  std::snprintf(carl.homePhone, sizeof carl.homePhone, "555-0333");
  folder_.Current(true, "COMMON\r\n", Unchanged({fixture::kAnna, fixture::kBen}), {carl, Person(1, "Other", "Olga")});
  const std::string before = ReadAll(MemberPath);
  Import(0, false);
  EXPECT_TRUE(automation::ModalLog().empty());
  EXPECT_EQ(ReadAll(MemberPath), before);  // adults neither updated nor added
}

TEST_F(ImportMembersTest, AFolderWithoutTheSiblingsFilesImportsNothing) {
  automation::ExpectMessageBox("Fatal Error", "Failed open: import version", IDOK);
  const std::string before = ReadAll(MemberPath);
  Import(1, false);
  EXPECT_EQ(ReadAll(MemberPath), before);
  // The scouts file of a recognised set that cannot be opened.
  folder_.Write("lindaq.dat", "ZRD 4.0\n");
  folder_.Write("talvik.dat", Folder::UnitFile(true, {}));
  folder_.Write("quesno.dat", Folder::AssignmentFile(true, {}));
  automation::ExpectMessageBox("Fatal Error", "Failed open: import scout", IDOK);
  Import(1, false);
  EXPECT_EQ(ReadAll(MemberPath), before);
}

}  // namespace
