// The label and equipment dialogs on the fixture year: the label types
// offered and their effects, the label definition that must exist, the
// equipment selection and the inventory report's filters.
#include "RptDialogTest.h"
#include "reports/LabelParams.h"
#include "reports/MailLabel.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/UnitInfo.h"

namespace {

class LabelParamsTest : public RptDialogTest {
 protected:
  void SetUp() override {
    RptDialogTest::SetUp();
    std::snprintf(UnitName, sizeof UnitName, "Troop 123");
    MailLabelStore.SetFileName((fy.home() + "/labels4.dat").c_str());
    for (const char* name : {"Avery 5160", "*Mine"}) {
      CMailLabel label;
      label.SetName(name);
      MailLabelDef d = label.Definition();
      d.across = 3;
      d.down = std::string(name) == "*Mine" ? 4 : 10;
      label.SetDefinition(&d);
      ASSERT_TRUE(MailLabelStore.Store(label));
    }
    CurrentMailLabel.SetName("Avery 5160");
    ASSERT_TRUE(MailLabelStore.Retrieve(CurrentMailLabel));
  }
  static std::string ComboText(HWND h, int id) {
    HWND combo = GetDlgItem(h, id);
    const LRESULT at = SendMessage(combo, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (at >= 0) SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static std::vector<std::string> ComboEntries(HWND h, int id) {
    std::vector<std::string> out;
    HWND combo = GetDlgItem(h, id);
    const int n = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[64] = "";
      SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.emplace_back(text);
    }
    return out;
  }
  static void ChooseType(HWND h, const std::string& type) {
    HWND combo = GetDlgItem(h, IDC_LBL_TYPE);
    SendMessage(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(type.c_str()));
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_LBL_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    automation::PumpUntilIdle();
  }
};

TEST_F(LabelParamsTest, LabelTypesAndTheirEffects) {
  EXPECT_EQ(Run(15, "Labels", [&](HWND h) {
    EXPECT_EQ(ComboEntries(h, IDC_LBL_TYPE).size(), 6u);
    EXPECT_EQ(ComboText(h, IDC_LBL_TYPE), "Members");
    EXPECT_EQ(ComboText(h, IDC_LBL_DEF), "Avery 5160");
    EXPECT_EQ(FieldText(h, IDC_LBL_NUMBER), "30");  // a full sheet
    EXPECT_EQ(ctx_.reportId, 150);
    // Parents/Guardians: scouts on, adults off, both fixed.
    ChooseType(h, "Parents/Guardians");
    EXPECT_TRUE(Checked(h, IDC_LBL_SCOUTS));
    EXPECT_FALSE(Checked(h, IDC_LBL_ADULTS));
    EXPECT_FALSE(Enabled(h, IDC_LBL_SCOUTS));
    EXPECT_FALSE(Enabled(h, IDC_LBL_NUMBER));
    // The return address: the unit's lines, open to editing.
    ChooseType(h, "Return Address");
    EXPECT_EQ(ctx_.reportId, 154);
    EXPECT_EQ(FieldText(h, IDC_ADDR_LINE1), "Troop 123");
    EXPECT_EQ(FieldText(h, IDC_ADDR_LINE2), "12 Oak Lane");
    EXPECT_TRUE(Enabled(h, IDC_ADDR_LINE1));
    EXPECT_FALSE(Enabled(h, IDC_LBL_DUPLICATES));
    for (const char* number : {"0", "501"}) {
      SetField(h, IDC_LBL_NUMBER, number);
      automation::ExpectMessageBox("Warning", "Number of Labels", IDOK);
      Press(h, IDOK);
    }
    SetField(h, IDC_LBL_NUMBER, "12");
    SetField(h, IDC_ADDR_LINE3, "Attn: Treasurer");
    SendMessage(GetDlgItem(h, IDC_LBL_DEF), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("*Mine"));
    Press(h, IDOK);
  }, GetRpt15Params), 1);
  // Built as manual address labels of the lines shown.
  EXPECT_EQ(ctx_.reportId, 155);
  EXPECT_EQ(ctx_.labelFlag, 1);
  EXPECT_EQ(ctx_.clipText, 1);
  EXPECT_STREQ(RptAddressLines[0], "Troop 123");
  EXPECT_STREQ(RptAddressLines[2], "Attn: Treasurer");
  EXPECT_EQ(RptOptionG, 12);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "*Mine");
  EXPECT_EQ(CurrentMailLabel.Definition().down, 4);
  EXPECT_EQ(Key("RPT15", 'A'), "Return Address");
  EXPECT_EQ(Key("RPT15", 'F', "Return Address"), "*Mine");
  EXPECT_EQ(Key("RPT15", 'G'), "");  // only Manual Address keeps its lines
}

TEST_F(LabelParamsTest, MembersChecksAndAnUnofferedRememberedType) {
  Run(15, "Labels", [&](HWND h) {
    Check(h, IDC_LBL_SCOUTS, false);
    automation::ExpectMessageBox("Warning", "Either scouts or adults must be included", IDOK);
    Press(h, IDOK);
    Press(h, IDCANCEL);
  }, GetRpt15Params);

  // Without scouts the member types are gone; the remembered "Members"
  // gives way to the first type offered, so OK builds a real label kind.
  ScoutCount = 0;
  ctx_.reportId = 15;
  EXPECT_EQ(Run(15, "Labels", [&](HWND h) {
    EXPECT_EQ(ComboEntries(h, IDC_LBL_TYPE),
              (std::vector<std::string>{"Friends of Scouting", "Manual Address", "Return Address"}));
    EXPECT_EQ(ComboText(h, IDC_LBL_TYPE), "Friends of Scouting");
    Press(h, IDOK);
  }, GetRpt15Params), 1);
  EXPECT_EQ(ctx_.reportId, 153);
  ScoutCount = 2;
}

TEST_F(LabelParamsTest, ALabelNameWithoutDefinitionKeepsTheDefaultLabel) {
  PutKey("RPT15", 'F', "*Gone", "Members");
  Run(15, "Labels", [&](HWND h) {
    EXPECT_EQ(ComboText(h, IDC_LBL_DEF), "");
    automation::ExpectMessageBox("Warning", "Label Definition:  You must select a label", IDOK);
    Press(h, IDOK);
    Press(h, IDCANCEL);
  }, GetRpt15Params);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "Avery 5160");

  // Equipment labels: a typed name must name a definition too.
  EXPECT_EQ(Run(25, "Equipment Labels", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_EQL_LIST), (std::vector<std::string>{"Canoe", "Tent\\12"}));
    automation::ExpectMessageBox("Warning", "Equipment:  No items were selected", IDOK);
    Press(h, IDOK);
    Press(h, IDC_EQL_BUTTON);  // all
    SetField(h, IDC_EQL_DEF, "*Typo");
    automation::ExpectMessageBox("Warning", "Label Definition:  You must select a label", IDOK);
    Press(h, IDOK);
    EXPECT_STREQ(CurrentMailLabel.GetName(), "Avery 5160");
    SetField(h, IDC_EQL_DEF, "*mine");
    Press(h, IDOK);
  }, GetRpt25Params), 1);
  EXPECT_STREQ(CurrentMailLabel.GetName(), "*Mine");
  EXPECT_EQ(ctx_.labelFlag, 1);
  ASSERT_EQ(EquipCount, 2);  // record numbers in list order
  EXPECT_EQ(EquipList[0], 1);
  EXPECT_EQ(EquipList[1], 0);
  EXPECT_EQ(Key("RPT25", 'A'), "*mine");
}

TEST_F(LabelParamsTest, EquipmentLabelsRememberTheirSizeEvenWhenCancelled) {
  RECT opened{};
  Run(25, "Equipment Labels", [&](HWND h) {
    opened = WindowSize(h);
    SetWindowPos(h, nullptr, 0, 0, 900, opened.bottom - opened.top + 25, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    Press(h, IDCANCEL);
  }, GetRpt25Params);
  EXPECT_EQ(Key("RPT25", 'X'), std::to_string(opened.right - opened.left));
  EXPECT_EQ(Key("RPT25", 'Y'), std::to_string(opened.bottom - opened.top + 25));
}

TEST_F(LabelParamsTest, InventoryFilters) {
  PutKey("LABELS", 'A', "&Kind:");
  EXPECT_EQ(Run(5, "Equipment Inventory Report", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_EQI_CAT1_BUTTON), "&Kind:");
    EXPECT_EQ(FieldText(h, IDC_EQI_BY_CAT1), "&By Kind");
    EXPECT_EQ(FieldText(h, IDC_EQI_BY_CAT2), "B&y Category 2");
    EXPECT_EQ(Entries(h, IDC_EQI_CAT1).front(), "(unassigned)");
    EXPECT_TRUE(Checked(h, IDC_EQI_NO_GROUPING));
    EXPECT_TRUE(Checked(h, IDC_EQI_BY_DATE));
    Click(h, IDC_EQI_BY_CAT2);
    EXPECT_TRUE(Enabled(h, IDC_RPT_PAGE));
    Click(h, IDC_EQI_NO_GROUPING);
    EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
    SetField(h, IDC_EQI_FROM, " 12 ");
    automation::ExpectMessageBox("Warning", "Inventory ID Range:  Use of the ID range requires two values", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_EQI_TO, "20");
    Select(h, IDC_EQI_CAT1, {"(unassigned)"});
    Check(h, IDC_EQI_EXTENDED, true);
    Click(h, IDC_EQI_BY_ID);
    Press(h, IDOK);
  }, GetRpt5Params), 1);
  EXPECT_STREQ(RptIdFrom, "12");
  EXPECT_STREQ(RptIdTo, "20");
  EXPECT_EQ(RptCategory1List, (std::vector<std::string>{""}));  // unassigned items only
  EXPECT_EQ(RptCategory2List.front(), "");  // none chosen: every entry
  EXPECT_EQ(EquipCount, 4);
  EXPECT_EQ(RptConditionList[3], 3);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(RptGroupBy, 'N');
  EXPECT_EQ(RptOptionE, 'Y');
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  EXPECT_EQ(Key("RPT5", 'C', "0"), "(unassigned)");

  // Conditions chosen: only their codes; the remembered selection returns.
  EXPECT_EQ(Run(5, "Equipment Inventory Report", [&](HWND h) {
    EXPECT_EQ(Selected(h, IDC_EQI_CAT1), (std::vector<std::string>{"(unassigned)"}));
    Select(h, IDC_EQI_COND, {"Good", "Poor"});
    Press(h, IDOK);
  }, GetRpt5Params), 1);
  EXPECT_EQ(EquipCount, 2);
  EXPECT_EQ(RptConditionList[0], 1);
  EXPECT_EQ(RptConditionList[1], 3);
}

}  // namespace
