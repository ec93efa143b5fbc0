// The check-list combo cell in a grid: the caption, the checks from the
// value's bits, storing the mask when the list closes.
#include <gtest/gtest.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXCheckListComboBox.h"

namespace {

class CheckListCombo : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    Column(1, CGXStyle().SetControl(GX_IDS_CTRL_CHECKLIST_COMBOBOX).SetChoiceList("Colours\nRed\nGreen\nBlue"));
  }
  CGXCheckListComboBox* Cell() { return Control<CGXCheckListComboBox>(GX_IDS_CTRL_CHECKLIST_COMBOBOX); }
  CCheckListBox* OpenList(ROWCOL row) {
    Current(row, 1);
    Key(VK_DOWN, false, false, true);
    if (Cell()->m_pDropDownWnd == nullptr) return nullptr;
    return static_cast<CCheckListBox*>(Cell()->m_pDropDownWnd->GetListBox());
  }
  std::string Checks(CCheckListBox* list) {
    std::string checks;
    for (int i = 0; i < list->GetCount(); ++i) checks += list->GetCheck(i) == 1 ? 'x' : '.';
    return checks;
  }
};

TEST_F(CheckListCombo, ShowsItsCaptionAndStoresTheCheckedBits) {
  grid.SetValueRange(CGXRange(1, 1), "5");
  EXPECT_EQ(Shown(1, 1), "Colours");
  EXPECT_EQ(Shown(2, 1), "Colours") << "whatever the value";

  Current(1, 1);
  Type("7");
  EXPECT_FALSE(Cell()->IsActive()) << "typing does nothing";
  CCheckListBox* list = OpenList(1);
  ASSERT_NE(list, nullptr) << "Alt+Down opens the list";
  EXPECT_EQ(Checks(list), "x.x");
  list->SetCheck(1, 1);
  Key(VK_RETURN);
  EXPECT_EQ(Cell()->m_pDropDownWnd, nullptr);
  EXPECT_EQ(Value(1, 1), "7");

  // Escape keeps the changed checks; unchecking all stores an empty value.
  list = OpenList(1);
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) list->SetCheck(i, 0);
  Key(VK_ESCAPE);
  EXPECT_EQ(Value(1, 1), "");

  // Clicking elsewhere closes the list and stores the checks too.
  list = OpenList(1);
  ASSERT_NE(list, nullptr);
  list->SetCheck(2, 1);
  grid.SetFocus();
  automation::PumpUntilIdle();
  EXPECT_EQ(Cell()->m_pDropDownWnd, nullptr);
  EXPECT_EQ(Value(1, 1), "4");

  // Closing without a change stores nothing.
  grid.SetValueRange(CGXRange(2, 1), "02");
  list = OpenList(2);
  ASSERT_NE(list, nullptr);
  Key(VK_RETURN);
  EXPECT_EQ(Value(2, 1), "02");
}

TEST_F(CheckListCombo, ItemsAfterTheThirtySecondShowUncheckedAndDisabled) {
  CString choices = "Many";
  for (int i = 0; i < 34; ++i) {
    CString line;
    line.Format("\nItem %d", i);
    choices += line;
  }
  grid.ApplyStyle(CGXRange(3, 1), CGXStyle().SetChoiceList(choices).SetValue("4294967295"));
  CCheckListBox* list = OpenList(3);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetCount(), 34);
  EXPECT_EQ(Checks(list), std::string(32, 'x') + "..");
  EXPECT_TRUE(list->IsEnabled(31));
  EXPECT_FALSE(list->IsEnabled(32));
  EXPECT_FALSE(list->IsEnabled(33));
  list->SetCheck(0, 0);
  Key(VK_RETURN);
  EXPECT_EQ(Value(3, 1), "4294967294") << "the 32nd item is the top bit";
}

}  // namespace
