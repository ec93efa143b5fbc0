// Report 91: a text file as a report.
#include "RptTestSupport.h"
#include "reports/ReadmeReport.h"

namespace {

using ReadmeReportTest = RptTest;

TEST_F(ReadmeReportTest, LinesBecomeFullWidthColumnsWithoutMarkup) {
  const std::string longLine(300, 'L');
  const std::string path = WriteFile("readme.txt", "First line\r\n  {ff} not a break\n\n" + longLine + "\nlast {77=}");
  RptContext* c = Prepare();
  c->owner = const_cast<char*>(path.c_str());
  ASSERT_EQ(BuildReadmeReport(c), 1);
  const auto lines = Records();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "{F3}{77=}" + path);
  std::vector<std::string> body(lines.begin() + 3, lines.end() - 3);
  ASSERT_EQ(body.size(), 6u);
  EXPECT_EQ(body[0], "{77}First line ");
  EXPECT_EQ(body[1], "{77}  (ff} not a break ");
  EXPECT_EQ(body[2], "{77} ");
  // A long line continues on the next report line; nothing is cut.
  EXPECT_EQ(body[3].size(), 254u);
  EXPECT_EQ(body[3].substr(4, 249) + body[4].substr(4, body[4].size() - 5), longLine);
  EXPECT_EQ(body[5], "{77}last (77=} ");
}

TEST_F(ReadmeReportTest, AnEmptyFileGivesTitleAndFooterOnly) {
  const std::string path = WriteFile("empty.txt", "");
  RptContext* c = Prepare();
  c->owner = const_cast<char*>(path.c_str());
  ASSERT_EQ(BuildReadmeReport(c), 1);
  EXPECT_EQ(Records().size(), 6u);
  EXPECT_EQ(c->pageCount, 1);
}

TEST_F(ReadmeReportTest, AMissingFileIsReportedAndGivesNoPreview) {
  const std::string path = home_ + "/absent.txt";
  RptContext* c = Prepare();
  c->owner = const_cast<char*>(path.c_str());
  automation::ExpectMessageBox("Fatal Error", "Failed open: " + path, IDOK);
  EXPECT_EQ(BuildReadmeReport(c), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(Records().size(), 6u);  // title block and footer
}

}  // namespace
