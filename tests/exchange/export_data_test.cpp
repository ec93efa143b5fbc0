// The export writer: every data set's lines on the fixture year.
#include "ExchangeTest.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "exchange/ExportData.h"

namespace {

class ExportDataTest : public ExchangeTest {
 protected:
  std::vector<std::string> Export(char set, char delimiter = ',', const char* qualifier = "\"", int names = 1,
                                  std::vector<int> accounts = {}) {
    path_ = home_ + "/out/" + set + ".txt";
    const std::string error = WriteExportFile(set, accounts, delimiter, qualifier, names, path_.c_str());
    EXPECT_EQ(error, "");
    return Lines(path_);
  }
  static void ChangeMember(int row, void (*change)(MemberRow&)) {
    MemberRow m{};
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    change(m);
    ASSERT_EQ(WriteMemberRecord(MemberFile, &m, row), 1);
  }
  std::string path_;
};

TEST_F(ExportDataTest, ScoutsWithNamesRowAndQualifier) {
  const auto lines = Export('S');
  ASSERT_EQ(lines.size(), 3u);  // names, Anna, Ben; no adult, no subunit
  EXPECT_EQ(lines[0].substr(0, 42), "\"LastName\",\"FirstName\",\"Patrol\",\"Address1\"");
  EXPECT_EQ(Fields(lines[0], ',', '"').size(), 21u);
  const auto anna = Fields(lines[1], ',', '"');
  ASSERT_EQ(anna.size(), 21u);
  EXPECT_EQ(anna[0], "Smith");
  EXPECT_EQ(anna[2], "Eagles");
  EXPECT_EQ(anna[11], "09/01/07");
  EXPECT_EQ(anna[12], "");  // no date quit
  EXPECT_NE(lines[1].find(",09/01/07,,"), std::string::npos) << "dates are never qualified";
  EXPECT_EQ(anna[19], std::to_string(fixture::FiscalYear::MemberCount(fixture::kAnna)));
}

TEST_F(ExportDataTest, AdultsWithoutNamesRowTabAndBareText) {
  const auto lines = Export('D', '\t', "", 0);
  ASSERT_EQ(lines.size(), 1u);
  const auto carl = Fields(lines[0], '\t', '"');
  ASSERT_EQ(carl.size(), 20u);
  EXPECT_EQ(carl[0], "Brown");
  EXPECT_EQ(carl[1], "Carl");
  EXPECT_EQ(lines[0].substr(0, 11), "Brown\tCarl\t");
}

// A value holding the delimiter or the qualifier keeps every field of its
// line in place, with a qualifier and without one.
TEST_F(ExportDataTest, ValuesNeverShiftFields) {
  ChangeMember(fixture::kAnna, [](MemberRow& m) {
    SetText(m.remarks, "likes \"camp\", hikes");
    SetText(m.address1, "1, Main St");
  });
  for (const char* qualifier : {"\"", "", "'"}) {
    const auto lines = Export('S', ',', qualifier);
    const char quote = qualifier[0] ? qualifier[0] : '"';
    const auto anna = Fields(lines[1], ',', quote);
    ASSERT_EQ(anna.size(), 21u) << qualifier << " " << lines[1];
    EXPECT_EQ(anna[3], "1, Main St");
    EXPECT_EQ(anna[20], "likes \"camp\", hikes");
  }
  // Without a delimiter inside, a bare value stays as it is.
  const auto lines = Export('S', '\t', "");
  EXPECT_NE(lines[1].find("\tlikes \"camp\", hikes"), std::string::npos);
}

TEST_F(ExportDataTest, AccountsWithBudgetsAndMoney) {
  AccountRecord checking = fixture::FiscalYear::Account(101);
  const auto lines = Export('A', ',', "\"");
  EXPECT_EQ(lines[0].substr(0, 9), "\"AcctID\",");
  ASSERT_EQ(static_cast<int>(lines.size()), 1 + AcctTable.liveCount);
  std::string camping, check;
  for (const auto& l : lines) {
    if (l.rfind("620,", 0) == 0) camping = l;
    if (l.rfind("101,", 0) == 0) check = l;
  }
  EXPECT_NE(camping.find("\"Expense\",10.00,10.00,10.00,10.00,10.00,10.00,10.00,10.00,10.00,10.00,10.00,10.00"),
            std::string::npos)
      << camping;
  char expected[128];
  std::snprintf(expected, sizeof expected, "101,\"Checking\",1000.00,%s,%d,\"Checking\",0.00,", 
                FormatCents(checking.currentBalance), checking.usageCount);
  EXPECT_EQ(check.substr(0, std::strlen(expected)), expected);
  EXPECT_EQ(check.substr(check.size() - 10), ",0.00,0.00");
  EXPECT_EQ(Fields(check, ',', '"').size(), 18u);
}

TEST_F(ExportDataTest, MoneyFormats) {
  ChangeMember(fixture::kAnna, [](MemberRow& m) {
    m.openingBalance = -1250;
    m.currentBalance = -5;
  });
  const auto anna = Fields(Export('S', ',', "\"", 0)[0], ',', '"');
  EXPECT_EQ(anna[17], "-12.50");
  EXPECT_EQ(anna[18], "-0.05");
}

TEST_F(ExportDataTest, FriendsPhonesYearsAndTrailingBlank) {
  FriendRecord f;
  ASSERT_EQ(ReadRecord(FriendFile, f, 0), 1);
  f.phones[0].type = 20;
  SetText(f.phones[0].number, "555-1234");
  f.phones[1].type = 99;  // unknown code: no type name
  SetText(f.yearLabels[1], "2007");
  f.yearAmounts[1] = 2500;
  ASSERT_EQ(WriteRecord(FriendFile, f, 0), 1);
  const auto lines = Export('F', ';', "\"");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].back(), '"') << "the names row ends with its last name";
  const std::string& miller = lines[1];
  EXPECT_EQ(miller.substr(miller.size() - 6), ";0.00 ");
  const auto fields = Fields(miller.substr(0, miller.size() - 1), ';', '"');
  ASSERT_EQ(fields.size(), 28u);
  EXPECT_EQ(fields[8], "Work Phone");
  EXPECT_EQ(fields[9], "555-1234");
  EXPECT_EQ(fields[11], "");
  EXPECT_NE(miller.find(";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";;0.00;2007;25.00;"), std::string::npos) << miller;
}

TEST_F(ExportDataTest, EquipmentRemarksOnOneLine) {
  EquipmentRecord tent;
  ASSERT_EQ(ReadRecord(EquipFile, tent, 0), 1);
  SetText(tent.remarks, "torn\r\nflap");
  tent.condition = 0;
  ASSERT_EQ(WriteRecord(EquipFile, tent, 0), 1);
  const auto lines = Export('E');
  ASSERT_EQ(lines.size(), 3u) << "the hand-entered tent and the bought item";
  EXPECT_EQ(lines[1], "\"12\",\"Tent\",1,\"\",05/10/07,,150.00,150.00,0.00,120.00,2007,\"torn  flap\"");
}

TEST_F(ExportDataTest, DeletedRecordsAreSkipped) {
  MemberTable.keys[fixture::kBen].status = 2;
  EXPECT_EQ(Export('S', ',', "\"", 0).size(), 1u);
  for (int r = 0; r < FriendTable.rowCount; ++r) FriendTable.keys[static_cast<std::size_t>(r)].status = 2;
  EXPECT_EQ(Export('F', ',', "\"", 1).size(), 1u) << "only the names row";
}

TEST_F(ExportDataTest, Failures) {
  // The file's folder cannot be made: a plain file stands in its way.
  WriteFile("blocker", "x");
  const std::string inside = home_ + "/blocker/sub/out.txt";
  EXPECT_EQ(WriteExportFile('S', {}, ',', "\"", 1, inside.c_str()), "Could not make the export folder");
  // A register export that writes nothing.
  EXPECT_EQ(WriteExportFile('R', {}, ',', "", 0, (home_ + "/r.txt").c_str()), "No register records exported");
  // A record that cannot be read: the lines before it stay.
  MemberTable.rowCount = fixture::kBen + 1;
  std::fclose(MemberFile);
  MemberFile = std::fopen((home_ + "/blocker").c_str(), "rb");
  const std::string path = home_ + "/s.txt";
  EXPECT_EQ(WriteExportFile('S', {}, ',', "\"", 1, path.c_str()), "Reading data for export");
  EXPECT_EQ(Lines(path).size(), 1u);
}

TEST_F(ExportDataTest, AsksForTheFormatReportAfterwards) {
  automation::ExpectMessageBox("", "Export complete.", ANSWER_NO);
  const std::string path = home_ + "/a.txt";
  ExportData('A', {}, ',', "\"", 1, path.c_str());
  EXPECT_TRUE(automation::PendingExpectations().empty());
  automation::ExpectMessageBox("Fatal Error", "Failed open: export file", IDOK);
  ExportData('A', {}, ',', "\"", 1, home_.c_str());
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

}  // namespace
