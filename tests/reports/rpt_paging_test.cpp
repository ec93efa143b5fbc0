// Blocks and paging: footers, page breaks, repeated headings, end notes,
// and the shared line shapes.
#include "RptTestSupport.h"
#include "reports/RptPaging.h"

namespace {

using RptPagingTest = RptTest;

// Writes `n` numbered body lines, each after asking for room.
void WriteBody(RptContext* c, int n) {
  for (int i = 0; i < n; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "{10}Line %d", i);
    ASSERT_TRUE(NeedRptLines(c, 1));
    ASSERT_TRUE(WriteRptText(c, line));
  }
}

TEST_F(RptPagingTest, FullPagesEndWithFooterAndBreakAndRepeatTheHeadings) {
  for (int repeat : {0, 1}) {
    SCOPED_TRACE(repeat);
    RptContext* c = Prepare();
    SetRptTitle(c, "Paging", repeat);
    SetRptSubtitle(c, "Sub");
    SetRptColumnHeaders(c, {"{10-}Head A", "{10-}Head B"});
    SetRptNotes(c, {"Note one", "Note two"});
    ASSERT_TRUE(OpenRpt(c));
    ASSERT_TRUE(WriteRptBlock(c, RPT_BLOCK_TITLE));
    ASSERT_TRUE(WriteRptBlock(c, RPT_BLOCK_HEADERS));
    WriteBody(c, 150);
    ASSERT_TRUE(CloseRpt(c));
    const auto lines = Records();
    ASSERT_EQ(static_cast<int>(lines.size()), c->lineCount);
    ASSERT_GE(c->pageCount, 3);
    ASSERT_EQ(static_cast<int>(c->pageStarts.size()), c->pageCount);
    int body = 0;
    for (int page = 0; page < c->pageCount; ++page) {
      const int start = c->pageStarts[page];
      const int end = page + 1 < c->pageCount ? c->pageStarts[page + 1] : c->lineCount;
      const bool last = page + 1 == c->pageCount;
      // The page's last records: (notes,) footer (, break).
      const int footer = end - (last ? 3 : 4);
      if (!last) {
        EXPECT_EQ(lines[end - 1], "{ff}");
      }
      EXPECT_EQ(lines[footer].rfind("{+0.750000,", 0), 0u);
      EXPECT_EQ(lines[footer + 2], "{F0}{17}December 11, 2026{60r}Page " + std::to_string(page + 1));
      int at = start;
      if (page == 0 || repeat) {
        EXPECT_EQ(lines[at], "{F3}{77=}Paging");
        at += 3;
      }
      EXPECT_EQ(lines[at++], "{F1}{10-}Head A{F4}");
      EXPECT_EQ(lines[at++], "{F1}{10-}Head B{F4}");
      const int bodyEnd = last ? footer - 2 : footer;
      for (; at < bodyEnd; ++at) EXPECT_EQ(lines[at], "{10}Line " + std::to_string(body++));
      if (last) {
        EXPECT_EQ(lines[footer - 2], "{F2}Note one");
        EXPECT_EQ(lines[footer - 1], "{F2}Note two");
      }
    }
    EXPECT_EQ(body, 150);
    int notes = 0;
    for (const auto& line : lines) notes += line == "{F2}Note one";
    EXPECT_EQ(notes, 1);  // on the last page only
  }
}

TEST_F(RptPagingTest, RoomIsReservedForFooterAndNotes) {
  RptContext* c = Prepare();
  ASSERT_TRUE(OpenRpt(c));
  const float lines = (c->pageHeight - c->footerHeight) / c->lineHeight;
  WriteBody(c, static_cast<int>(lines) - 1);
  EXPECT_EQ(c->pageCount, 1);  // still fits
  const float before = c->remaining;
  EXPECT_TRUE(NeedRptLines(c, 1));
  EXPECT_EQ(c->remaining, before);  // fitting lines change nothing
  // Four note lines take room on every page, not only the last.
  SetRptNotes(c, {"a", "b", "c", "d"});
  EXPECT_TRUE(RptPageFull(c, 1));
  EXPECT_TRUE(NeedRptLines(c, 1));
  EXPECT_EQ(c->pageCount, 2);
  // No column headers: the new page starts with the next body line.
  EXPECT_EQ(c->pageStarts[1], c->lineCount);
  CloseRpt(c);
}

TEST_F(RptPagingTest, DataInTitlesNeverBecomesMarkup) {
  RptContext* c = Prepare();
  SetRptTitle(c, "/home/{ff}/readme.txt", 0);
  std::snprintf(UnitName, sizeof UnitName, "Troop {12}");
  SetRptSubtitle(c, "A {77=} year");
  EXPECT_STREQ(c->titleLines[0], "{F3}{77=}/home/(ff}/readme.txt");
  EXPECT_STREQ(c->titleLines[1], "{F1}{22}A (77=} year{55r}Troop (12}");
  EXPECT_STREQ(c->titleText, "/home/{ff}/readme.txt");
  // A subtitle wider than the line gives the unit a column of width 0.
  SetRptSubtitle(c, std::string(80, 's').c_str());
  EXPECT_NE(std::string(c->titleLines[1]).find("{0r}"), std::string::npos);
  EXPECT_EQ(c->titleCount, 3);  // heights and counts are added once
}

TEST_F(RptPagingTest, GroupHeadingsSeparatorsAndTotals) {
  RptContext* c = Prepare(8);
  ASSERT_TRUE(OpenRpt(c));
  ASSERT_TRUE(WriteSubunitHeader(c, "Adults", 2));
  ASSERT_TRUE(WriteSubunitHeader(c, "<subunits>", 2));
  ASSERT_TRUE(WriteSubunitHeader(c, "Eagle", 2));
  ASSERT_TRUE(WriteRptSeparator(c));
  const long long amounts[3] = {1000, 250, 0};
  ASSERT_TRUE(WriteSubunitTotals(c, 20, 1, 10, amounts, 1, "%s{1} {10r}%s{1} {10r}%s{1} {10r}%s"));
  CloseRptFile(c);
  const auto lines = Records();
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[0], "{F1}{77.}Adults{F4}");
  EXPECT_EQ(lines[1], "{F1}{77.}Patrols{F4}");
  EXPECT_EQ(lines[2], "{F1}{77.}Eagle Patrol{F4}");
  EXPECT_EQ(lines[3], " ");
  EXPECT_EQ(lines[4], "{77=}");
  EXPECT_EQ(lines[5], " ");
  EXPECT_EQ(lines[6], "{20} {1} {10-}{1} {10-}{1} {10-}{1} {10-}{1} {10-}");
  EXPECT_EQ(lines[7], "{20r}Patrol Total:{1} {10r}      10.00 {1} {10r}       2.50 {1} {10r}       7.50 ");
  EXPECT_EQ(lines[8], " ");
}

TEST_F(RptPagingTest, MonthColumnsFollowTheFiscalYear) {
  RptContext* c = Prepare();
  FiscalFirstMonth = 6;  // July
  char line[256] = "{20}Account";
  int order[13] = {};
  AppendMonthColumns(c, 1, 6, line, order);
  const int expected[13] = {6, 7, 8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 12};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(order[i], expected[i]) << i;
  const std::string text = line;
  EXPECT_EQ(text.rfind("{20}Account{1} {6}Jul{1} {6}Aug", 0), 0u) << text;
  EXPECT_NE(text.find("{1} {6}Jun{1} {6}Total"), std::string::npos) << text;
  FiscalFirstMonth = 0;
}

}  // namespace
