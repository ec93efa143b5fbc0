// The export format reports 260-265: one numbered line per field.
#include "RptTestSupport.h"
#include "common/UnitVocab.h"
#include "reports/ExportFormatReport.h"

namespace {

class ExportFormatReportTest : public RptTest {
 protected:
  // The numbered field lines of report `id`.
  std::vector<std::string> FieldLines(int id) {
    Prepare(id);
    EXPECT_EQ(BuildExportFormatReport(ctx_), 1);
    std::vector<std::string> lines;
    for (const std::string& r : Records())
      if (r.rfind("{6r}", 0) == 0) lines.push_back(r);
    return lines;
  }
};

TEST_F(ExportFormatReportTest, EachSetListsItsFields) {
  SetUnitType(0);
  const struct {
    int id;
    std::size_t count;
    const char* subtitle;
    const char* first;
    const char* last;
  } cases[] = {
      {260, 21, "Scout Record Format", "{6r}1{2} {25}Last Name{2} {5r}15{2} {25}", "{6r}21{2} {25}Remarks{2} {5r}40{2} {25}"},
      {261, 20, "Adult Record Format", "{6r}1{2} {25}Last Name", "{6r}20{2} {25}Remarks{2} {5r}40"},
      {262, 28, "Friends-of-Scouting Record Format", "{6r}1{2} {25}Last Name",
       "{6r}28{2} {25}Year 4 Amount{2} {5r}7{2} {25}xxxx.xx"},
      {263, 12, "Equipment Record Format", "{6r}1{2} {25}Inventory ID", "{6r}12{2} {25}Remarks{2} {5r}200"},
      {264, 18, "Account Record Format", "{6r}1{2} {25}Account Number{2} {5r}3",
       "{6r}18{2} {25}Dec Budget{2} {5r}9{2} {25}-xxxxx.xx"},
      {265, 15, "Register Record Format", "{6r}1{2} {25}Account Number",
       "{6r}15{2} {25}Reserve Account Name{2} {5r}25{2} {25}"},
  };
  for (const auto& c : cases) {
    const auto lines = FieldLines(c.id);
    ASSERT_EQ(lines.size(), c.count) << c.id;
    EXPECT_EQ(lines.front().rfind(c.first, 0), 0u) << lines.front();
    EXPECT_EQ(lines.back().rfind(c.last, 0), 0u) << lines.back();
    EXPECT_NE(std::string(ctx_->titleLines[1]).find(c.subtitle), std::string::npos) << ctx_->titleLines[1];
    // The record name is no numbered line.
    for (const auto& l : lines) EXPECT_EQ(l.find(c.subtitle), std::string::npos);
  }
}

TEST_F(ExportFormatReportTest, SubunitWordAndComments) {
  SetUnitType(1);
  auto lines = FieldLines(260);
  EXPECT_EQ(lines[2], "{6r}3{2} {25}Den{2} {5r}23{2} {25}");
  SetUnitType(0);
  lines = FieldLines(260);
  EXPECT_EQ(lines[2], "{6r}3{2} {25}Patrol{2} {5r}23{2} {25}");
  lines = FieldLines(263);
  EXPECT_EQ(lines[3], "{6r}4{2} {25}Condition{2} {5r}1{2} {25}E)xc, G)ood, F)air, P)oor");
  lines = FieldLines(262);
  EXPECT_EQ(lines[7], "{6r}8{2} {25}Remarks{2} {5r}50{2} {25}");
}

}  // namespace
