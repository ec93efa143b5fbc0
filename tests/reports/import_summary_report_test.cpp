// The import's change log and report 27, the Import Summary, built from it.
#include "RptTestSupport.h"
#include "common/UnitVocab.h"
#include "reports/ImportLog.h"
#include "reports/ImportSummaryReport.h"

namespace {

class ImportSummaryTest : public RptTest {
 protected:
  void SetUp() override {
    RptTest::SetUp();
    SetUnitType(0);
    ImportLogFile = std::tmpfile();
    ImportLogCount = 0;
  }
  void TearDown() override {
    if (ImportLogFile) std::fclose(ImportLogFile);
    ImportLogFile = nullptr;
    ImportLogCount = 0;
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ClearResponder();
    RptTest::TearDown();
  }
  // The body lines (after the title block).
  std::vector<std::string> Build(int expected = 1) {
    Prepare(27);
    EXPECT_EQ(BuildImportSummaryReport(ctx_), expected);
    std::vector<std::string> lines;
    for (const std::string& r : Records())
      if (r.find("{3} {41}") != std::string::npos || r.rfind("{F1}{77-}", 0) == 0) lines.push_back(r);
    return lines;
  }
};

TEST_F(ImportSummaryTest, LogRecordsAreEightyBytes) {
  LogImportChange(IMPORT_ADULT, IMPORT_DELETED, "Brown, Carl",
                  "a text much longer than the forty characters of its field");
  ASSERT_EQ(ImportLogCount, 1);
  std::rewind(ImportLogFile);
  unsigned char bytes[81] = {};
  ASSERT_EQ(std::fread(bytes, 1, 81, ImportLogFile), 80u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 2);
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 4), "Brown, Carl");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 34)), std::string("a text much longer than the forty charac"));
  for (int i = 74; i < 80; ++i) EXPECT_EQ(bytes[i], 0) << i;
  // Without a log nothing is written or counted.
  std::FILE* log = ImportLogFile;
  ImportLogFile = nullptr;
  LogImportChange(IMPORT_SCOUT, IMPORT_ADDED, "Smith, Anna", nullptr);
  EXPECT_EQ(ImportLogCount, 1);
  ImportLogFile = log;
}

TEST_F(ImportSummaryTest, GroupsInOrderWithLeadersAndRepeatedNames) {
  LogImportChange(IMPORT_SUBUNIT, IMPORT_DELETED, "Owls", nullptr);
  LogImportChange(IMPORT_SCOUT, IMPORT_MODIFIED, "Smith, Anna", "Updated address");
  LogImportChange(IMPORT_SCOUT, IMPORT_MODIFIED, "Smith, Anna", "Updated city");
  LogImportChange(IMPORT_SCOUT, IMPORT_ADDED, "Lee, {Dana}", nullptr);
  LogImportChange(IMPORT_SCOUT, IMPORT_DELETED, "Jones, Ben", "Removed from database");
  LogImportChange(IMPORT_ADULT, IMPORT_DELETED, "Jones, Ben", "Not deleted (has outstanding balance)");
  const auto lines = Build();
  const std::vector<std::string> expected = {
      "{F1}{77-}Scouts Added {F4}",
      "{28}Lee, (Dana}{3} {41}",
      "{F1}{77-}Scouts Modified {F4}",
      "{28.}Smith, Anna{3} {41}Updated address",
      "{28} {3} {41}Updated city",
      "{F1}{77-}Scouts Deleted {F4}",
      "{28.}Jones, Ben{3} {41}Removed from database",
      "{F1}{77-}Adults Deleted {F4}",
      "{28} {3} {41}Not deleted (has outstanding balance)",  // same name as the line before
      "{F1}{77-}Patrols Not Added {F4}",
      "{28}Owls{3} {41}",
  };
  EXPECT_EQ(lines, expected);
  // A rebuild from the preview reads the same log again.
  EXPECT_EQ(Build(), expected);
}

TEST_F(ImportSummaryTest, AnUnreadableLogIsAFatalError) {
  LogImportChange(IMPORT_SCOUT, IMPORT_ADDED, "Smith, Anna", nullptr);
  std::fwrite("short", 1, 5, ImportLogFile);  // a torn last record
  automation::ExpectMessageBox("Fatal Error", "Failed read: import transaction", IDOK);
  Build(0);
  std::fclose(ImportLogFile);
  ImportLogFile = nullptr;
  automation::ExpectMessageBox("Fatal Error", "Failed flush: import transaction", IDOK);
  EXPECT_TRUE(Build(0).empty());
}

}  // namespace
