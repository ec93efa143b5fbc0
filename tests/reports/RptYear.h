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
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

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
  // Members in two patrols and without one, and dues: Dana Lee (Hawks) and
  // Evan Kim (no patrol, joined February 15) join the fixture's Eagles Anna
  // and Ben; beside "Monthly Dues" (5.00 on January 1, February 1 and
  // March 1: Anna, Ben, Dana, Evan) there are "Camp Fee" (10.00 on January
  // 15 and 25.00 on April 15: Anna and Carl, who owes 2.00 from last year)
  // and "Spare" without participants, all on 599; Anna pays 10.00 of dues
  // on January 20.
  void AddDuesYear() {
    // New scouts join the one dues schedule by themselves.
    dana_ = AddPerson(0, "Lee", "Dana", "Hawks", "20070901");
    evan_ = AddPerson(0, "Kim", "Evan", "", "20080215");
    ASSERT_EQ(OpenScheduleFiles(), 1);
    auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
    ScheduleRecord camp;
    camp.account = 599;
    SetText(camp.name, "Camp Fee");
    camp.amounts[0] = 1000;
    SetText(camp.dueDates[0], "20080115");
    camp.amounts[1] = 2500;
    SetText(camp.dueDates[1], "20080415");
    for (int row : {fixture::kAnna, fixture::kCarl}) {
      slots[static_cast<std::size_t>(row)].scheduleRow = 1;
      slots[static_cast<std::size_t>(row)].memberRow = row;
    }
    slots[fixture::kCarl].initialOwed = 200;
    ASSERT_EQ(AddSchedule(&camp, slots.get(), nullptr), 1);
    ScheduleRecord spare;
    spare.account = 599;
    SetText(spare.name, "Spare");
    spare.amounts[0] = 100;
    SetText(spare.dueDates[0], "20080601");
    auto none = std::make_unique<ParticipantRecord[]>(kMemberSlots);
    ASSERT_EQ(AddSchedule(&spare, none.get(), nullptr), 1);
    CloseScheduleFiles();

    auto d = std::make_unique<TransactionDetail>();
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, 1, "20080120", 1, 1000, "DEP9", "Dues");
    d->lines[0].account = 599;
    d->lines[0].amount = 1000;
    d->lines[0].factor = SignedAmountByType('A', 1, 599);
    d->lines[0].split = 1;
    d->splits[0].factor = 1;
    d->shares[0][fixture::kAnna].cash = 1000;
    ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  }
  int AddPerson(int type, const char* last, const char* first, const char* subunit, const char* joined) {
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    m.type = type;
    SetText(m.lastName, last);
    SetText(m.firstName, first);
    SetText(m.subunit, subunit);
    SetText(m.dateJoined, joined);
    m.passbook = 1;
    int row = -1;
    EXPECT_EQ(type == 1 ? AddAdult(&m, &row) : AddMember(&m, &row), 1);
    return row;
  }
  std::unique_ptr<fixture::FiscalYear> year_;
  int dana_ = -1;
  int evan_ = -1;
};
