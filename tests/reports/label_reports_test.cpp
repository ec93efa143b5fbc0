// Label reports on a 3 x 10 address sheet (2.625 x 1 inch labels, pitch
// 2.75 x 1) over the fixture year.
#include <fstream>

#include "RptYear.h"
#include "reports/LabelReports.h"
#include "reports/RptDriver.h"
#include "reports/RptPaging.h"
#include "store/MemberStore.h"

namespace {

class LabelReportsTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    saved_ = CurrentMailLabel.Definition();
    MailLabelDef d = saved_;
    std::snprintf(d.name, sizeof d.name, "*Address 3 x 10");
    d.kind = kLabelKindLabel;
    d.cls = kLabelClassUser;
    d.feed = 1;
    d.pageWidth = 8.5f;
    d.pageHeight = 11;
    d.labelWidth = 2.625f;
    d.labelHeight = 1;
    d.cornerRadius = 0;
    d.across = 3;
    d.down = 10;
    d.topMargin = d.bottomMargin = 0.5f;
    d.leftMargin = d.rightMargin = 0.1875f;
    d.hPitch = 2.75f;
    d.vPitch = 1;
    CurrentMailLabel.SetDefinition(&d);
  }
  void TearDown() override {
    CurrentMailLabel.SetDefinition(&saved_);
    RptYearTest::TearDown();
  }
  template <class F>
  void Change(int row, F f) {
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    f(m);
    ASSERT_EQ(ModifyMember(&m, row), 1);
  }
  RptContext* Labels(int id, int first) {
    RptContext* c = Run(id == 25 ? 25 : 15);
    c->reportId = id;
    c->labelFlag = 1;
    c->firstLabel = first;
    // The sheet's margins become the page's.
    EXPECT_EQ(PrepareRptBuild(c), 1);
    return c;
  }
  // The frame records, in order.
  std::vector<std::string> Frames() { return RecordsWith("{*2.625000,1.000000:}"); }
  MailLabelDef saved_;
};

// Positions of the words `word` on the first page of a PDF, in points from
// the page's top-left corner.
std::vector<std::pair<double, double>> WordPositions(const std::string& pdf, const std::string& word) {
  std::vector<std::pair<double, double>> at;
  const std::string html = pdf + ".html";
  if (std::system(("pdftotext -f 1 -l 1 -bbox '" + pdf + "' '" + html + "' > /dev/null 2>&1").c_str()) != 0) return at;
  std::ifstream in(html);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(">" + word + "</word>") == std::string::npos) continue;
    double x = 0, y = 0;
    if (std::sscanf(line.c_str() + line.find("xMin="), "xMin=\"%lf\" yMin=\"%lf\"", &x, &y) == 2) at.push_back({x, y});
  }
  return at;
}

TEST_F(LabelReportsTest, MembersFromMidSheetWithDuplicatesAndTheBlankLabel) {
  // Anna and Ben share an address and are neighbours in name order.
  for (int row : {fixture::kAnna, fixture::kBen})
    Change(row, [](MemberRow& m) {
      SetText(m.address1, "12 Oak Lane");
      SetText(m.city, "Springfield");
    });
  RptContext* c = Labels(150, 5);
  RptOptionD = 1 | 2;
  RptOptionF = 'N';
  ASSERT_EQ(BuildLabels(c), 1);
  // Label 5 is column 2 of row 2; the blank label parts Ben from Carl.
  EXPECT_EQ(Frames(), (std::vector<std::string>{"{+2.750000,1.000000}{*2.625000,1.000000:}",
                                                "{+5.500000,1.000000}{*2.625000,1.000000:}",
                                                "{+0.000000,2.000000}{*2.625000,1.000000:}"}));
  const auto r = Records();
  // Three lines centred in the label: (1 - 3h) / 2 from its top.
  const double h = c->fontHeight[RPT_FONT_BODY] / 100.0;
  char first[64];
  std::snprintf(first, sizeof first, "{+%.5f,%.5f}{35}Jones, Ben ", 2.75 + 0.0476f * 2.625f, 1 + (1 - 3 * h) / 2 + h);
  EXPECT_EQ(r[1], first);
  EXPECT_EQ(r[2].substr(r[2].find("{35}")), "{35}12 Oak Lane ");
  EXPECT_EQ(r[7].substr(r[7].find("{35}")), "{35} ");  // the blank label
  EXPECT_TRUE(RecordsWith("Smith, Anna").empty());
  EXPECT_EQ(RecordsWith("{35}Brown, Carl ").size(), 1u);
  EXPECT_TRUE(RecordsWith("{ff}").empty());

  // Kept duplicates, adults only: both neighbours and no blank label.
  c = Labels(150, 1);
  RptOptionD = 2;
  ASSERT_EQ(BuildLabels(c), 1);
  EXPECT_EQ(Frames().size(), 1u);
  c = Labels(150, 1);
  RptOptionD = 1;
  RptOptionF = 'Y';
  ASSERT_EQ(BuildLabels(c), 1);
  EXPECT_EQ(RecordsWith("{35}Smith, Anna ").size(), 1u);
  EXPECT_EQ(RecordsWith("{35}Jones, Ben ").size(), 1u);
}

TEST_F(LabelReportsTest, TheSheetBreaksAfterItsLastLabelAndPrintsAtTheSheetsPositions) {
  RptContext* c = Labels(155, 5);
  std::memset(RptAddressLines, 0, sizeof RptAddressLines);
  std::snprintf(RptAddressLines[1], sizeof RptAddressLines[1], "Troop {123}");
  std::snprintf(RptAddressLines[3], sizeof RptAddressLines[3], "Springfield");
  RptOptionG = 30;
  ASSERT_EQ(BuildLabels(c), 1);
  const auto r = Records();
  const auto frames = Frames();
  ASSERT_EQ(frames.size(), 30u);
  EXPECT_EQ(frames[25], "{+5.500000,9.000000}{*2.625000,1.000000:}");  // label 30, the sheet's last
  EXPECT_EQ(frames[26], "{+0.000000,0.000000}{*2.625000,1.000000:}");  // a new sheet
  const auto brk = std::find(r.begin(), r.end(), "{ff}");
  ASSERT_NE(brk, r.end());
  EXPECT_EQ(*(brk + 1), frames[26]);
  EXPECT_EQ(std::count(r.begin(), r.end(), "{ff}"), 1);
  // Gaps in the address lines close up; braces never open mark-up.
  EXPECT_EQ(r[1].substr(r[1].find("{35}")), "{35}Troop (123} ");
  EXPECT_EQ(r[2].substr(r[2].find("{35}")), "{35}Springfield ");

  // A full sheet from label 1, printed: the first label lies at the sheet's
  // margins (0.1875, 0.5 inch), the last at column 3 of row 10.
  c = Labels(155, 1);
  ASSERT_EQ(BuildLabels(c), 1);
  ASSERT_EQ(Frames().size(), 30u);
  EXPECT_TRUE(RecordsWith("{ff}").empty());
  const auto pages = PrintedPages();
  if (pages.empty()) return;
  ASSERT_EQ(pages.size(), 1u);
  const auto words = WordPositions(home_ + "/report.pdf", "Springfield");
  ASSERT_EQ(words.size(), 30u);
  const auto [minX, minY] = *std::min_element(words.begin(), words.end());
  const auto [maxX, maxY] = *std::max_element(words.begin(), words.end());
  const double inset = 0.0476 * 2.625;
  EXPECT_NEAR(minX, (0.1875 + inset) * 72, 3);
  EXPECT_GT(minY, 0.5 * 72);
  EXPECT_LT(minY, 1.5 * 72);
  EXPECT_NEAR(maxX, (0.1875 + 5.5 + inset) * 72, 3);
  EXPECT_GT(maxY, 9.5 * 72);
  EXPECT_LT(maxY, 10.5 * 72);
}

TEST_F(LabelReportsTest, EquipmentLabelsOnePerUnit) {
  EquipmentRecord tent;
  ASSERT_EQ(ReadRecord(EquipFile, tent, 0), 1);
  tent.quantity = 3;
  ASSERT_EQ(WriteRecord(EquipFile, tent, 0), 1);
  EquipmentRecord canoe;
  ASSERT_EQ(ReadRecord(EquipFile, canoe, 1), 1);
  RptContext* c = Labels(25, 1);
  EquipList = {0, 1};
  EquipCount = 2;
  ASSERT_EQ(BuildLabels(c), 1);
  EXPECT_EQ(Frames().size(), 4u);
  for (int k = 1; k <= 3; ++k)
    EXPECT_EQ(RecordsWith("{35}Inv Num..... 12        (" + std::to_string(k) + " of 3) ").size(), 1u);
  EXPECT_EQ(RecordsWith("{35}Curr Value..  120.00 (all 3) ").size(), 3u);
  EXPECT_EQ(RecordsWith("{35}Inv Num..... ???    ").size(), 1u);  // the canoe: no ID, one unit
  EXPECT_EQ(RecordsWith("{35}Condition... Excellent ").size(), 1u);
  EXPECT_EQ(RecordsWith("{35}Pur Price...   80.00 (04/12/08) ").size(), 1u);
  EXPECT_EQ(RecordsWith("{35}Descrip..... Tent ").size(), 3u);
  // No units, no label.
  tent.quantity = 0;
  ASSERT_EQ(WriteRecord(EquipFile, tent, 0), 1);
  c = Labels(25, 1);
  EquipList = {0};
  EquipCount = 1;
  ASSERT_EQ(BuildLabels(c), 1);
  EXPECT_TRUE(Frames().empty());
}

}  // namespace
