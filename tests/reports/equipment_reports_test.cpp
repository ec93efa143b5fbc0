// Reports 5 and 24 on the fixture year's equipment (the tent and the canoe)
// with a removed item and categories added here.
#include "RptYear.h"
#include "reports/EquipmentReports.h"
#include "store/OtherStores.h"

namespace {

class EquipmentReportsTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    EquipmentRecord canoe;
    ASSERT_EQ(ReadRecord(EquipFile, canoe, 1), 1);
    SetText(canoe.inventoryId, "007");
    SetText(canoe.category1, "Water");
    SetText(canoe.remarks, "Aluminium, two seats; keep the {spare} paddles with it in the shed");
    ASSERT_EQ(WriteRecord(EquipFile, canoe, 1), 1);
    EquipmentRecord stove;
    SetText(stove.inventoryId, "20");
    SetText(stove.description, "Old Stove");
    SetText(stove.purchaseDate, "20010301");
    stove.status = 1;
    stove.quantity = 3;
    stove.price = 3000;
    stove.condition = 'P';
    SetText(stove.category1, "Camping");
    SetText(stove.category2, "Shed");
    ASSERT_EQ(AddEquipItem(&stove, 1, nullptr), 1);
  }
  RptContext* Inventory(char order, char grouping, char removed, char extended) {
    RptContext* c = Run(5, extended == 'Y' ? kRptLandscapeWidth : kRptPortraitWidth);
    RptIdFrom[0] = RptIdTo[0] = '\0';
    EquipCount = 0;
    RptCategory1List = {"", "Camping", "Water"};
    RptCategory2List = {"", "Shed"};
    RptOrder = order;
    RptGroupBy = grouping;
    RptOptionF = removed;
    RptOptionE = extended;
    RptOptionG = 0;
    return c;
  }
};

TEST_F(EquipmentReportsTest, GroupsInSelectionOrderRemovedItemsAndTotals) {
  RptContext* c = Inventory('N', '1', 'Y', 'N');
  ASSERT_EQ(BuildEquipmentInventoryReport(c), 1);
  const auto r = Records();
  auto at = [&](const std::string& text) {
    return std::find_if(r.begin(), r.end(), [&](const std::string& s) { return s.find(text) != s.npos; }) - r.begin();
  };
  const auto unassigned = at("{F1}{77.}Unassigned {F4}"), camping = at("{F1}{77.}Camping {F4}"),
             water = at("{F1}{77.}Water {F4}");
  ASSERT_LT(water, static_cast<long>(r.size()));
  EXPECT_LT(unassigned, camping);
  EXPECT_LT(camping, water);
  EXPECT_EQ(r[static_cast<std::size_t>(camping + 1)],
            "{7}20    {1} {8}03/01/01{1}*{20}Old Stove           {1} {4r}3{1} {4}P{1} {9r}$30.00{1} {9r}$0.00{1} "
            "{9r}$0.00");
  EXPECT_EQ(r[static_cast<std::size_t>(camping + 3)], "{35} {12}Group Total:{1} {9r}$30.00{1} {9r}$0.00{1} {9r}$0.00");
  EXPECT_EQ(RecordsWith("Group Total:").size(), 3u);
  EXPECT_EQ(RecordsWith("{35} {12}Total:{1} {9r}$260.00{1} {9r}$200.00{1} {9r}$80.00").size(), 1u);
  EXPECT_EQ(RecordsWith("(*) - Removed from service").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Equipment Inventory"), std::string::npos);
    EXPECT_NE(pages[0].find("Old Stove"), std::string::npos);
    EXPECT_NE(pages.back().find("(*) - Removed from service"), std::string::npos);
  }
}

TEST_F(EquipmentReportsTest, FiltersAndExtendedInformation) {
  // IDs 5 to 12 read as numbers take "007" and "12"; removed items are left
  // out; only Excellent and Good pass.
  RptContext* c = Inventory('A', 'N', 'N', 'Y');
  std::snprintf(RptIdFrom, sizeof RptIdFrom, "5");
  std::snprintf(RptIdTo, sizeof RptIdTo, "12");
  RptConditionList[0] = 0;
  RptConditionList[1] = 1;
  EquipCount = 2;
  ASSERT_EQ(BuildEquipmentInventoryReport(c), 1);
  EXPECT_TRUE(RecordsWith("Old Stove").empty());
  EXPECT_TRUE(RecordsWith("{F1}{130.}").empty());  // no grouping, no headings
  EXPECT_EQ(RecordsWith("{7}007   {1} {8}04/12/08{1} {20}Canoe").size(), 1u);
  EXPECT_EQ(RecordsWith("{1} {14}Category 1: {34}Water").size(), 1u);
  EXPECT_EQ(RecordsWith("{78} {14}Remarks: {34}Aluminium, two seats; keep the").size(), 1u);
  EXPECT_EQ(RecordsWith("{92} {34}(spare} paddles with it in the").size(), 1u);
  EXPECT_EQ(RecordsWith("{78} {14}Remarks: {34} ").size(), 1u);  // the tent has none

  c = Inventory('A', 'N', 'N', 'N');
  RptConditionList[0] = 3;  // Poor only: the one poor item is removed
  EquipCount = 1;
  ASSERT_EQ(BuildEquipmentInventoryReport(c), 1);
  EXPECT_EQ(RecordsWith("*** No items were found which matched report parameters ***").size(), 1u);
  EXPECT_TRUE(RecordsWith("Total:").empty());
}

TEST_F(EquipmentReportsTest, TheFormFillsOnePage) {
  RptContext* c = Run(24);
  ASSERT_EQ(BuildEquipmentInventoryForm(c), 1);
  EXPECT_EQ(c->pageCount, 1);
  const auto rules = RecordsWith("{6-}{2} {8-}{2} {18-}{2} {3-}{2} {4-}{2} {8-}{2} {8-}{2} {8-}");
  EXPECT_GT(rules.size(), 8u);
  EXPECT_EQ(RecordsWith("{8} {69-}").size(), rules.size());
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("Equipment Inventory Form"), std::string::npos);
    EXPECT_NE(pages[0].find("Replace"), std::string::npos);
  }
}

}  // namespace
