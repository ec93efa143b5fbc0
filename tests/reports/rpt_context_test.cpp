// The report context and its file of 256-byte records.
#include <sys/stat.h>

#include "RptTestSupport.h"
#include "reports/RptPaging.h"

namespace {

using RptContextTest = RptTest;

TEST_F(RptContextTest, RunningNumbersNameTheFilesAndARebuildKeepsItsName) {
  RptContext* a = nullptr;
  RptContext* b = nullptr;
  const int first = NextRptFileNumber();
  ASSERT_TRUE(InitRpt(&a));
  ASSERT_TRUE(InitRpt(&b));
  EXPECT_EQ(std::string(a->tempName), home_ + "/rpt_" + std::to_string(first) + ".txt");
  EXPECT_EQ(std::string(b->tempName), home_ + "/rpt_" + std::to_string(first + 1) + ".txt");
  EXPECT_STREQ(a->dateText, "December 11, 2026");
  EXPECT_EQ(a->lineWidth, 77);
  EXPECT_EQ(a->firstLabel, 1);
  const std::string name = a->tempName;
  ResetRpt(a);
  EXPECT_EQ(std::string(a->tempName), name);
  ASSERT_TRUE(OpenRpt(a));
  ASSERT_EQ(a->pageStarts, std::vector<int>{0});
  EXPECT_EQ(a->pageCount, 1);
  EXPECT_TRUE(CloseRpt(a));
  struct stat st {};
  ASSERT_EQ(::stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // the report holds the books' data
  FreeRpt(&a);
  EXPECT_EQ(a, nullptr);
  EXPECT_NE(::stat(name.c_str(), &st), 0);  // deleted with the run
  FreeRpt(&b);
  RptContext* none = nullptr;
  EXPECT_EQ(FreeRpt(&none), 1);
}

TEST_F(RptContextTest, RecordsHoldTheTextALineFeedAndZeros) {
  RptContext* c = Prepare();
  ASSERT_TRUE(OpenRpt(c));
  const std::string exact(254, 'x');
  const std::string longer = std::string(254, 'y') + "OVERFLOW";
  EXPECT_TRUE(WriteRptLine(c, "abc"));
  EXPECT_TRUE(WriteRptLine(c, exact.c_str()));
  EXPECT_TRUE(WriteRptLine(c, longer.c_str()));
  CloseRptFile(c);
  std::FILE* f = std::fopen(c->tempName, "rb");
  ASSERT_NE(f, nullptr);
  unsigned char record[3][256];
  ASSERT_EQ(std::fread(record, 256, 3, f), 3u);
  std::fclose(f);
  EXPECT_EQ(std::memcmp(record[0], "abc\n", 4), 0);
  for (int i = 4; i < 256; ++i) ASSERT_EQ(record[0][i], 0) << i;
  EXPECT_EQ(record[1][253], 'x');
  EXPECT_EQ(record[1][254], '\n');
  EXPECT_EQ(record[1][255], 0);
  // A longer line is cut to the record; the next record is untouched.
  EXPECT_EQ(record[2][253], 'y');
  EXPECT_EQ(record[2][254], '\n');
  EXPECT_EQ(record[2][255], 0);
  EXPECT_EQ(c->lineCount, 3);
  // Without a file the count still grows, and the write fails.
  EXPECT_FALSE(WriteRptLine(c, "lost"));
  EXPECT_EQ(c->lineCount, 4);
}

TEST_F(RptContextTest, AReportWithoutBodyLinesHasItsTitleAndFooter) {
  RptContext* c = Prepare();
  ASSERT_TRUE(OpenRpt(c));
  ASSERT_TRUE(WriteRptBlock(c, RPT_BLOCK_TITLE));
  ASSERT_TRUE(CloseRpt(c));
  const auto lines = Records();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "{F3}{77=}Untitled Report");
  EXPECT_EQ(lines[1], "{F1}{26}Fiscal Year 2026{51r}Troop 123");
  EXPECT_EQ(lines[2], "{F4}{1} ");
  EXPECT_EQ(lines[3].rfind("{+0.750000,", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4], "{F0}{77-}");
  EXPECT_EQ(lines[5], "{F0}{17}December 11, 2026{60r}Page 1");
}

TEST_F(RptContextTest, OpeningAReportFileThatCannotBeMadeFailsWithItsName) {
  RptContext* c = Prepare();
  std::snprintf(c->tempName, sizeof c->tempName, "%s/missing/rpt.txt", home_.c_str());
  automation::ExpectMessageBox("Fatal Error", "Failed open: " + home_ + "/missing/rpt.txt", IDOK);
  EXPECT_FALSE(OpenRpt(c));
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

}  // namespace
