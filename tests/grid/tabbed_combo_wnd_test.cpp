// The tabbed windows combo cell in a grid: the key stored, the text shown,
// typing completed from the rows' first fields.
#include <gtest/gtest.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/cells/GXTabbedComboBoxWnd.h"

namespace {

class TabbedComboWnd : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    const CGXStyle rows = CGXStyle()
                              .SetChoiceList("Red\tR1\nGreen\tG2\nBlue\tB3")
                              .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "1")
                              .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "0");
    Column(1, CGXStyle(rows).SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN));
    Column(2, CGXStyle(rows).SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST));
  }
};

TEST_F(TabbedComboWnd, StoresTheKeyShowsTheTextAndCompletesTyping) {
  grid.SetValueRange(CGXRange(1, 1), "G2");
  EXPECT_EQ(Shown(1, 1), "Green");
  auto* combo = Control<CGXTabbedComboBoxWnd>(GX_IDS_CTRL_CBS_TABBED_DROPDOWN);
  Current(1, 1);
  CString field;
  combo->GetWindowText(field);
  EXPECT_EQ(std::string(field), "Green") << "only the first field shows";

  Current(2, 1);
  Key(VK_END);
  Type("bx");  // b completes Blue; no row continues "bx"
  combo->GetWindowText(field);
  EXPECT_EQ(std::string(field), "Blue");
  Current(3, 1);
  EXPECT_EQ(Value(2, 1), "B3");

  // Text typed into an inactive cell by the grid converts to its key.
  CString text = "red";
  EXPECT_TRUE(combo->ConvertControlTextToValue(text, 4, 1, nullptr));
  EXPECT_EQ(std::string(text), "R1");
  text = "Purple";
  EXPECT_FALSE(combo->ConvertControlTextToValue(text, 4, 1, nullptr));

  // The drop-down list gives the first field of its selected row.
  grid.SetValueRange(CGXRange(1, 2), "R1");
  EXPECT_TRUE(Control<CGXTabbedComboBoxWnd>(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST)->m_bDropDownOnClick);
  EXPECT_EQ(Shown(1, 2), "Red");
}

}  // namespace
