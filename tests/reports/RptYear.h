// Builders on the store's fixture year: a report run (RptTest) over the
// opened fixture year, with the selection tables of a run allocated, and
// the built report printed to PDF and read back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RptPdf.h"
#include "RptTestSupport.h"
#include "common/TempFolder.h"
#include "platform/gfx/Dc.h"
#include "reports/RptRender.h"
#include "reports/RptSelection.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"

class RptYearTest : public RptTest {
 protected:
  void SetUp() override {
    RptTest::SetUp();
    year_ = std::make_unique<fixture::FiscalYear>();
    // The report's temporary files go to the run's own folder.
    std::snprintf(TempFolder, sizeof TempFolder, "%s", home_.c_str());
  }
  void TearDown() override {
    FreeRptTables();
    year_.reset();
    // Later tests of this program expect no year in memory.
    AcctTable = AcctKeyTable{};
    BudgetTable = BudgetKeyTable{};
    EquipTable = EquipKeyTable{};
    FriendTable = FriendKeyTable{};
    ScheduleTable = ScheduleKeyTable{};
    MemberTable = MemberKeyTable{};
    SplitTable = LineKeyTable{};
    SubAcctTable = LineKeyTable{};
    SupportTable = SupportKeyTable{};
    TransTable = TransKeyTable{};
    RptTest::TearDown();
  }
  // A context for report `id` with its selection tables allocated (the
  // driver's order), ready for the slots to be filled.
  RptContext* Run(int id, int lineWidth = kRptPortraitWidth) {
    EXPECT_TRUE(AllocRptTables(id));
    ClearRptActivity();
    return Prepare(id, lineWidth);
  }
  void ChooseAccounts(std::initializer_list<int> numbers) {
    AcctCount = 0;
    for (int n : numbers) AcctList[static_cast<std::size_t>(AcctCount++)] = n;
  }
  // The built report printed to a PDF file: the text of each page; empty
  // when the PDF tools are missing.
  std::vector<std::string> PrintedPages() {
    if (!HavePdfTools()) return {};
    const std::string pdf = home_ + "/report.pdf";
    std::snprintf(ctx_->saveAsName, sizeof ctx_->saveAsName, "%s", pdf.c_str());
    CDC dc;
    EXPECT_TRUE(dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr));
    EXPECT_EQ(PrintRpt(ctx_, &dc, RptPrintRange{}), 1);
    dc.DeleteDC();
    return PdfPageTexts(pdf);
  }
  // Body records that hold `text`.
  std::vector<std::string> RecordsWith(const std::string& text) const {
    std::vector<std::string> found;
    for (const std::string& r : Records())
      if (r.find(text) != std::string::npos) found.push_back(r);
    return found;
  }
  std::unique_ptr<fixture::FiscalYear> year_;
};
