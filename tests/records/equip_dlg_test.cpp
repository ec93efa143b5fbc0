// Equipment Information on the fixture year: a typed purchase price fills
// the values still zero, a removal date zeroes and locks the current value,
// items created by a posting keep what the posting fixed, and a purchase
// date within the fiscal year asks before a new item is saved.
#include <gtest/gtest.h>

#include <string>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "records/EquipDlg.h"
#include "records/EquipMgmtDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"

namespace {

class EquipDlgTest : public RecordDialogTest {
 protected:
  int Run(const char* description, std::function<void(HWND)> script) {
    int pos = -1;
    if (description) {
      EXPECT_EQ(FindEquipItem(0, description, 1, &pos), 1);
    }
    return RunRecordDlg<CEquipDlg>("Equipment Information", &pos, description == nullptr, std::move(script));
  }
  static void TypeInto(HWND h, int id, const char* text) {
    SetFocus(GetDlgItem(h, id));
    automation::PumpUntilIdle();
    SendDlgItemMessage(h, id, EM_SETSEL, 0, -1);
    automation::TypeText(text);
    automation::PumpUntilIdle();
  }
  fixture::FiscalYear fy;
};

TEST_F(EquipDlgTest, ATypedPriceFillsTheValuesThatAreStillZero) {
  std::string value, replace, kept;
  Run(nullptr, [&](HWND h) {
    TypeInto(h, IDC_EQ_PRICE, "150");
    SetFocus(GetDlgItem(h, IDC_EQ_REMARKS));
    automation::PumpUntilIdle();
    value = FieldText(h, IDC_EQ_VALUE);
    replace = FieldText(h, IDC_EQ_REPLACE);
    // With a current value entered, only the zero replacement cost follows.
    TypeInto(h, IDC_EQ_VALUE, "20");
    SetField(h, IDC_EQ_REPLACE, "");
    TypeInto(h, IDC_EQ_PRICE, "90");
    SetFocus(GetDlgItem(h, IDC_EQ_REMARKS));
    automation::PumpUntilIdle();
    kept = FieldText(h, IDC_EQ_VALUE) + "|" + FieldText(h, IDC_EQ_REPLACE);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(value, "$ 150.00");
  EXPECT_EQ(replace, "$ 150.00");
  EXPECT_EQ(kept, "$ 20.00|$ 90.00");
}

TEST_F(EquipDlgTest, ARemovalDateZeroesAndLocksTheCurrentValue) {
  std::string value;
  bool enabled = true;
  const int result = Run("Tent", [&](HWND h) {
    TypeInto(h, IDC_EQ_REMOVED, "06/01/08");
    SetFocus(GetDlgItem(h, IDC_EQ_REMARKS));
    automation::PumpUntilIdle();
    value = FieldText(h, IDC_EQ_VALUE);
    enabled = Enabled(h, IDC_EQ_VALUE);
    Press(h, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(value, "$ 0.00");
  EXPECT_FALSE(enabled);
  // Once removed, a changed item is refused.
  Run("Tent", [&](HWND h) {
    SetField(h, IDC_EQ_REMARKS, "gone");
    automation::ExpectMessageBox("Warning", "Equipment may not be modified after removal", IDOK);
    Press(h, IDOK);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
}

TEST_F(EquipDlgTest, AnItemOfAPostingKeepsWhatThePostingFixed) {
  bool description = true, date = true, price = true, inventory = false;
  int focus = 0;
  Run("Canoe", [&](HWND h) {
    description = Enabled(h, IDC_EQ_DESCRIPTION);
    date = Enabled(h, IDC_EQ_PURCHASE);
    price = Enabled(h, IDC_EQ_PRICE);
    inventory = Enabled(h, IDC_EQ_INVENTORY);
    focus = GetDlgCtrlID(GetFocus());
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(description);
  EXPECT_FALSE(date);
  EXPECT_FALSE(price);
  EXPECT_TRUE(inventory);
  EXPECT_EQ(focus, IDC_EQ_INVENTORY);

  std::string caption;
  Drive("Equipment Management", [&](HWND h) {
    caption = Caption(h);
    const int row = static_cast<int>(
        SendDlgItemMessage(h, IDC_REC_LIST, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Canoe")));
    SendDlgItemMessage(h, IDC_REC_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    automation::ExpectMessageBox("Question", "Canoe", ANSWER_YES);
    automation::ExpectMessageBox("Warning", "Equipment is involved in transactions - cannot delete", IDOK);
    Press(h, IDC_REC_DELETE);
    Press(h, IDCANCEL);
  }, [] {
    CEquipMgmtDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(caption, "Equipment Management (2 items)");
}

TEST_F(EquipDlgTest, APurchaseWithinTheYearAsksBeforeANewItemIsSaved) {
  const int live = EquipTable.liveCount;
  const struct {
    const char* date;
    int answer;  // 0: no question
    int result;
  } cases[] = {{"03/01/08", ANSWER_NO, IDABORT}, {"03/01/08", ANSWER_YES, IDOK}, {"12/01/07", 0, IDOK}};
  int added = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    const int result = Run(nullptr, [&](HWND h) {
      SetField(h, IDC_EQ_DESCRIPTION, c.answer == ANSWER_NO ? "Stove" : c.answer ? "Lantern" : "Axe");
      SetField(h, IDC_EQ_PURCHASE, c.date);
      if (c.answer)
        automation::ExpectMessageBox("Question", "This date should be prior to the start of the", c.answer);
      SetFocus(GetDlgItem(h, IDOK));
      Press(h, IDOK);
    });
    EXPECT_EQ(result, c.result);
    if (c.result == IDOK) ++added;
  }
  EXPECT_EQ(EquipTable.liveCount, live + added);
}

// Two items may share a description: Edit and Delete act on the row the
// treasurer selected, never on the first item with its description.
TEST_F(EquipDlgTest, EditAndDeleteActOnTheSelectedRowOfTwoWithOneDescription) {
  EquipmentRecord second;
  SetText(second.inventoryId, "34");
  SetText(second.description, "Tent");
  SetText(second.purchaseDate, "20070601");
  second.price = 6000;
  second.currentValue = 5000;
  second.quantity = 1;
  second.lineKey = -1;
  second.fiscalYear = 7;
  second.condition = 'G';
  ASSERT_EQ(AddEquipItem(&second, 0, nullptr), 1);
  const int equipment = fixture::FiscalYear::Balance(399);

  // The list row after the first "Tent" and the inventory id it shows.
  auto secondTent = [](HWND h, std::string* inventory) {
    const int first = static_cast<int>(
        SendDlgItemMessage(h, IDC_REC_LIST, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Tent")));
    char text[64] = "";
    SendDlgItemMessage(h, IDC_REC_LIST, LB_GETTEXT, static_cast<WPARAM>(first + 1), reinterpret_cast<LPARAM>(text));
    const std::string row = text;
    *inventory = row.substr(row.find('\t') + 1);
    SendDlgItemMessage(h, IDC_REC_LIST, LB_SETCURSEL, static_cast<WPARAM>(first + 1), 0);
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_REC_LIST, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_REC_LIST)));
    automation::PumpUntilIdle();
    return first + 1;
  };
  std::string selected, edited, deleted;
  Drive("Equipment Management", [&](HWND h) {
    secondTent(h, &selected);
    automation::OnDialog("Equipment Information", [&](HWND e) {
      edited = FieldText(e, IDC_EQ_INVENTORY);
      Press(e, IDCANCEL);
    }, IDABORT);
    Press(h, IDC_REC_EDIT);
    secondTent(h, &deleted);
    automation::ExpectMessageBox("Question", "Tent", ANSWER_YES);
    Press(h, IDC_REC_DELETE);
    Press(h, IDCANCEL);
  }, [] {
    CEquipMgmtDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(edited, selected);
  int pos = -1;
  ASSERT_EQ(FindEquipItem(0, "Tent", 1, &pos), 1);
  const EquipKey& kept = EquipTable.keys[static_cast<size_t>(EquipTable.byDescription[static_cast<size_t>(pos)])];
  EXPECT_NE(std::string(kept.inventoryId), deleted);
  const int deletedValue = deleted == "34" ? 5000 : 12000;
  EXPECT_EQ(fixture::FiscalYear::Balance(399), equipment - deletedValue);
}

}  // namespace
