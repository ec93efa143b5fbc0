// The financial reports' tests: the store's fixture year opened in a report
// run, the selection tables allocated as the driver does, and the chosen
// accounts and candidate groups filled as the parameter dialogs fill them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RptPdf.h"
#include "RptTestSupport.h"
#include "platform/gfx/Dc.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptRender.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"

class FinReportTest : public RptTest {
 protected:
  void SetUp() override {
    RptTest::SetUp();
    year_ = std::make_unique<fixture::FiscalYear>();
    ASSERT_EQ(AllocRptTables(reportId_), 1);
    ClearRptActivity();
    RptOrder = 'N';
    RptOptionA = RptOptionB = RptOptionC = RptOptionD = 0;
    RptOptionG = RptOptionH = 0;
    RptOptionE = 'N';
    RptOptionF = 'N';
  }
  void TearDown() override {
    FreeRptTables();
    RptTest::TearDown();
    year_.reset();
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
  // The report printed to PDF, page by page.
  std::vector<std::string> PdfPages() {
    const std::string pdf = home_ + "/report.pdf";
    std::snprintf(ctx_->saveAsName, sizeof ctx_->saveAsName, "%s", pdf.c_str());
    CDC dc;
    EXPECT_TRUE(dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr));
    EXPECT_EQ(PrintRpt(ctx_, &dc, RptPrintRange{}), 1);
    dc.DeleteDC();
    ctx_->saveAsName[0] = '\0';
    return PdfPageTexts(pdf);
  }
  int reportId_ = 1;
  std::unique_ptr<fixture::FiscalYear> year_;
};
