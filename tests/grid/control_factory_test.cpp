// The control factory: every control id of the library makes its cell type
// with the arguments that choose its kind, its window (where it has one)
// carries the id, and the id's display name is in the string table.
#include <gtest/gtest.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXCheckBox.h"
#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXComboBoxWnd.h"
#include "grid/cells/GXRadioButton.h"
#include "grid/core/GXAppData.h"
#include "platform/window/Window.h"

namespace {

using ControlFactory = gridtest::CellGridTest;

// -1: a windowless cell.
constexpr int kNoWindow = -1;

TEST_F(ControlFactory, EveryIdMakesItsCellTypeWithItsWindowAndName) {
  const struct {
    WORD id;
    const char* name;   // the display name in the string table
    const char* kind;   // the control class made
    int window;         // the child id of the cell's window
  } cases[] = {
      {52512, "Edit Control", "CGXEditControl", 52512},
      {52513, "Static Text", "CGXStatic", kNoWindow},
      {52514, "Pushbutton", "CGXPushbutton", kNoWindow},
      {52515, "Radio Buttons", "CGXRadioButton", kNoWindow},
      {52516, "Checkbox, 1/0", "CGXCheckBox", kNoWindow},
      {52517, "ComboBox, no text-fit", "CGXComboBox", 52517},
      {52518, "Hotspot Edit", "CGXHotSpotEdit", 52518},
      {52519, "Spin Edit", "CGXSpinEdit", 52519},
      {52520, "Header", "CGXHeader", kNoWindow},
      {52521, "Edit Control, Scrollbar", "CGXVScrollEdit", 52521},
      {52522, "Listbox", "CGXListBox", 52522},
      {52523, "Checkbox, 3d-Effect", "CGXCheckBox", kNoWindow},
      {52524, "Radio Buttons, 3d-Effect", "CGXRadioButton", kNoWindow},
      {52525, "ComboBox, zero-based", "CGXComboBox", 52525},
      {52526, "ComboBox, one-based", "CGXComboBox", 52526},
      {52527, "ComboBox, text-fit", "CGXComboBox", 52527},
      {52528, "MFC ComboBox", "CGXComboBoxWnd", 52528},
      {52529, "MFC DropDownList", "CGXComboBoxWnd", 52529},
      {52530, "Arrow Header", "CGXEditControl", 52512},
      {52531, "Combo, disp.choice, 1-base", "CGXComboBox", 52531},
      {52532, "Combo, disp.choice, 0-base", "CGXComboBox", 52532},
      {52533, "Row Header", "CGXEditControl", 52512},
      {52534, "Rich Edit", "CGXRichEditCtrl", 52534},
      {52535, "Masked Edit", "CGXMaskControl", 52535},
      {52536, "Progressbar", "CGXProgressCtrl", kNoWindow},
      {52537, "Password Edit", "CGXPasswordControl", 52537},
      {52538, "Colorwell", "CGXEditControl", 52512},
      {52539, "Tabbed MFC ComboBox", "CGXTabbedComboBoxWnd", 52539},
      {52540, "Tabbed MFC DropDownList", "CGXTabbedComboBoxWnd", 52540},
      {52541, "Tabbed ComboBox", "CGXTabbedComboBox", 52541},
      {52542, "Dropdown CheckListBox", "CGXCheckListComboBox", 0},
      {52543, "Date Time Control with popup calendar", "CGXDateTimeCtrl", 52543},
      {52544, "Date time control without calendar", "CGXDateTimeCtrl", 52544},
      {52545, "Currency control", "CGXCurrencyEdit", 52545},
      {20128, "Dao bitmap control", "CGXDaoBitmap", kNoWindow},
      {20130, "Checkbox with modify state", "CGXCheckBoxEx", kNoWindow},
      {20131, "3D Checkbox with modify state", "CGXCheckBoxEx", kNoWindow},
      {20136, "Radio Buttons, 3d-Effect and active state", "CGXRadioButtonEx", kNoWindow},
      {20137, "Radio Buttons, with active state", "CGXRadioButtonEx", kNoWindow},
      {777, nullptr, "CGXEditControl", 52512},  // any id not listed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    if (c.name != nullptr) {
      EXPECT_EQ(std::string(GXGetString(c.id)), c.name);
    }
    CGXControl* control = grid.GetRegisteredControl(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetControlClass()->name, c.kind);
    // Windows made on first use exist once the cell is set up.
    control->Init(1, 1);
    CWnd* wnd = control->GetWnd();
    if (c.window == kNoWindow) {
      EXPECT_TRUE(wnd == nullptr || wnd->GetSafeHwnd() == nullptr);
    } else {
      ASSERT_TRUE(wnd != nullptr && wnd->GetSafeHwnd() != nullptr);
      EXPECT_EQ(::GetDlgCtrlID(wnd->GetSafeHwnd()), c.window);
    }
  }
}

TEST_F(ControlFactory, ArgumentsChooseTheKindOfEachVariant) {
  const auto control = [&](WORD id) { return grid.GetRegisteredControl(id); };
  // Flat and 3-D variants differ only in the flag.
  const struct {
    WORD id;
    BOOL draw3d;
  } boxes[] = {{52516, FALSE}, {52523, TRUE}, {20130, FALSE}, {20131, TRUE}};
  for (const auto& b : boxes) EXPECT_EQ(static_cast<CGXCheckBox*>(control(b.id))->m_bDraw3d, b.draw3d) << b.id;
  const struct {
    WORD id;
    BOOL draw3d;
  } radios[] = {{52515, FALSE}, {52524, TRUE}, {20137, FALSE}, {20136, TRUE}};
  for (const auto& r : radios) EXPECT_EQ(static_cast<CGXRadioButton*>(control(r.id))->m_bDraw3d, r.draw3d) << r.id;

  const struct {
    WORD id;
    DWORD mode;
  } combos[] = {{52517, 2}, {52525, 4}, {52526, 8}, {52527, 1}, {52531, 0x18}, {52532, 0x14}, {52542, 2}};
  for (const auto& c : combos) EXPECT_EQ(static_cast<CGXComboBox*>(control(c.id))->m_nMode, c.mode) << c.id;

  // Only the tabbed drop-down list drops its list on an activating click.
  EXPECT_FALSE(static_cast<CGXComboBoxWnd*>(control(52539))->m_bDropDownOnClick);
  EXPECT_TRUE(static_cast<CGXComboBoxWnd*>(control(52540))->m_bDropDownOnClick);

  // Static text, push buttons and headers show what does not fit in a tip.
  for (WORD id : {52512, 52513, 52514, 52515, 52520, 52536})
    EXPECT_EQ(control(id)->GetCellTip() != nullptr, id == 52513 || id == 52514 || id == 52520) << id;
}

TEST_F(ControlFactory, ObjectCellsOnlyInGridsThatHandOutViewers) {
  CGXControlFactory factory;
  EXPECT_EQ(factory.CreateControl(20132, &grid), nullptr);
  // The grid then uses its default control.
  EXPECT_NE(grid.GetRegisteredControl(20132), nullptr);
}

}  // namespace
