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

}  // namespace
