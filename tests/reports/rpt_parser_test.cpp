// The mark-up parser: columns, alignment, fonts, rules, boxes, absolute
// positions and page breaks, at the build scale (100 per inch).
#include "RptTestSupport.h"
#include "reports/RptParser.h"

namespace {

class RptParserTest : public RptTest {
 protected:
  void SetUp() override {
    RptTest::SetUp();
    c_ = Prepare();
  }
  // Every segment of one line.
  std::vector<RptSegment> Parse(RptParser& parser, const char* line) {
    std::vector<RptSegment> segments;
    parser.StartLine(line);
    RptSegment s;
    while (parser.Next(&s)) segments.push_back(s);
    last_ = s;
    return segments;
  }
  int Col(int characters) const { return static_cast<int>(characters * c_->usableWidth / 77 + 0.5f); }
  RptContext* c_ = nullptr;
  RptSegment last_;
};

TEST_F(RptParserTest, ColumnsAndAlignment) {
  RptParser p(c_, 75, 75, 100);
  auto s = Parse(p, "{10}Left{10r}Right{10c}Mid");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].text, "Left");
  EXPECT_EQ(s[0].textX, 75);
  EXPECT_EQ(s[1].textX, 75 + Col(20));  // right edge of the second column
  EXPECT_EQ(s[1].cell.right, 75 + Col(20));
  EXPECT_EQ(s[2].columnStart, 20);
  EXPECT_EQ(s[2].columnEnd, 30);
  EXPECT_NEAR(s[2].textX, 75 + (Col(20) + Col(30)) / 2.0, 1.0);  // centred
  // An alignment without a width does not advance the column.
  s = Parse(p, "{r}A{5}B");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].textX, 75);
  EXPECT_EQ(s[1].textX, 75);
  EXPECT_EQ(s[1].columnEnd, 5);
  // Leading blanks are dropped, trailing ones kept; "}" outside a group is text.
  s = Parse(p, "{10}   a} ");
  EXPECT_EQ(s[0].text, "a} ");
}

TEST_F(RptParserTest, RulesAndBoxes) {
  RptParser p(c_, 0, 0, 100);
  auto s = Parse(p, "{30.}Total Assets");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].text, "Total Assets");
  EXPECT_EQ(s[0].ruleType, 2);
  EXPECT_EQ(s[0].ruleLength, Col(30));
  EXPECT_EQ(s[0].ruleX, 0);
  const float h = c_->fontHeight[4];
  EXPECT_FLOAT_EQ(s[0].ruleY, p.y - h / 2);  // through the middle of the line
  s = Parse(p, "{77,5=}");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].boxLines, 6);
  EXPECT_EQ(s[0].boxHeight, static_cast<int>(6 * h));
  EXPECT_EQ(s[0].ruleLength, Col(77) + c_->penWidth[0]);  // corners close
  // Decimal mode: a label outline of given inches at an absolute position.
  s = Parse(p, "{+1.5,2.0}{*2.5,1.0:}");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].ruleType, 3);
  EXPECT_EQ(s[0].ruleX, 150);
  EXPECT_EQ(s[0].ruleY, 200);
  EXPECT_EQ(s[0].ruleLength, 250 + c_->penWidth[3]);
  EXPECT_EQ(s[0].boxHeight, static_cast<int>((static_cast<int>(100 / h - 1) + 1) * h));
}

TEST_F(RptParserTest, FontsHeightsPositionsAndBreaks) {
  RptParser p(c_, 0, 0, 100);
  // A header line draws in font 1, leaves font 4, and is as tall as its tallest font.
  auto s = Parse(p, "{F3}{77=}Title");
  EXPECT_FLOAT_EQ(p.y, c_->fontHeight[3]);
  s = Parse(p, "{F1}Head{F4}");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(p.font, 4);
  const float y = c_->fontHeight[3] + std::max(c_->fontHeight[1], c_->fontHeight[4]);
  EXPECT_FLOAT_EQ(p.y, y);
  // A blank has content but no text: it only advances a line.
  s = Parse(p, " ");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_TRUE(s[0].text.empty());
  EXPECT_FLOAT_EQ(p.y, y + c_->fontHeight[4]);
  // An absolute position alone has no content but moves the position.
  s = Parse(p, "{+0.750000,10.000000}");
  EXPECT_TRUE(s.empty());
  EXPECT_FLOAT_EQ(p.y, 1000);
  s = Parse(p, "{F0}{77-}");
  EXPECT_FLOAT_EQ(p.y, 1000 + c_->fontHeight[0]);
  s = Parse(p, "{ff}");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].pageBreak, 1);
  // Characters that are no mark-up are consumed inside a group.
  s = Parse(p, "{10xyz}Text");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].text, "Text");
  EXPECT_EQ(s[0].columnEnd, 10);
}

}  // namespace
