// The financial reports' tests: the fixture year's report run (RptYearTest)
// with the option slots reset, and the candidate groups and chosen accounts
// filled as the parameter dialogs fill them.
#pragma once

#include <string>
#include <vector>

#include "RptYear.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "store/AcctClass.h"

class FinReportTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    ASSERT_EQ(AllocRptTables(1), 1);
    ClearRptActivity();
    RptOrder = 'N';
    RptTransOrder = 'D';
    RptOptionA = RptOptionB = RptOptionC = RptOptionD = 0;
    RptOptionG = RptOptionH = 0;
    RptOptionE = 'N';
    RptOptionF = 'N';
  }
  // Income and expense (kind 1) or assets and liabilities (kind 2) in
  // Type1Acts and Type2Acts, class by class and by number.
  static void SelectByClass(int kind) {
    Type1Count = Type2Count = 0;
    const char first = kind == 1 ? 'I' : 'A', second = kind == 1 ? 'E' : 'L';
    for (int cls = 0; cls < 9; ++cls)
      for (int row : Rows()) {
        const AcctKey& k = AcctTable.keys[static_cast<size_t>(row)];
        const int n = static_cast<int>(k.number);
        if (k.status == 2 || GetAcctClassRow(n) != cls) continue;
        if (GetAcctClass(n) == first) Type1Acts[static_cast<size_t>(Type1Count++)] = n;
        if (GetAcctClass(n) == second) Type2Acts[static_cast<size_t>(Type2Count++)] = n;
      }
  }
  // The account rows by number (the index's filled part).
  static std::vector<int> Rows() {
    return std::vector<int>(AcctTable.byNumber.begin(), AcctTable.byNumber.begin() + AcctTable.rowCount);
  }
  static void Choose(std::initializer_list<int> numbers) {
    AcctCount = 0;
    for (int n : numbers) AcctList[static_cast<size_t>(AcctCount++)] = n;
  }
  static void ChooseAll() {
    AcctCount = 0;
    for (int row : Rows())
      if (AcctTable.keys[static_cast<size_t>(row)].status != 2)
        AcctList[static_cast<size_t>(AcctCount++)] = static_cast<int>(AcctTable.keys[static_cast<size_t>(row)].number);
  }
  // Builds the report; the lines between the title block and the footer of
  // the last page (page breaks kept as "{ff}").
  std::vector<std::string> Build(int reportId, RptBuilder builder, int width = kRptPortraitWidth) {
    RptContext* c = Prepare(reportId, width);
    EXPECT_EQ(builder(c), 1);
    return Body();
  }
  std::vector<std::string> Body() const {
    std::vector<std::string> lines = Records();
    if (lines.size() < 6) return lines;
    return std::vector<std::string>(lines.begin() + 3, lines.end() - 3);
  }
};
