// The cell types with children and lists, driven through a grid window as a
// user would: push buttons and arrow buttons, check boxes and radio cells,
// the grid's own combo with its dropped list in every mode, the windows
// combo and the tabbed combo.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/cells/GXCheckBox.h"
#include "grid/cells/GXChild.h"
#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXComboBoxWnd.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXGridCombo.h"
#include "grid/cells/GXPushbutton.h"
#include "grid/cells/GXRadioButton.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/core/GXGridWnd.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

class ButtonGrid : public CGXGridWnd {
 public:
  void OnCellButtonClicked(ROWCOL row, ROWCOL col) override {
    ++clicks;
    lastRow = row;
    lastCol = col;
  }
  int clicks = 0;
  ROWCOL lastRow = 0, lastCol = 0;
};

class CellTypes : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(grid.CreateEx(0, "GXWND", nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 500, 300, nullptr, nullptr));
    grid.Initialize();
    grid.SetRowCount(10);
    grid.SetColCount(4);
    for (ROWCOL c = 1; c <= 4; ++c) grid.SetColWidth(c, c, 100);
    grid.SetFocus();
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    grid.DestroyWindow();
    automation::ResetWindows();
  }
  // A column's cells take `style`.
  void Column(ROWCOL col, const CGXStyle& style) { grid.ApplyStyle(CGXRange().SetCols(col, col), style); }
  CPoint Center(ROWCOL row, ROWCOL col) { return grid.CalcCellRect(row, col).CenterPoint(); }
  // A click, far enough from the last one not to make a double click.
  void ClickCell(ROWCOL row, ROWCOL col) {
    automation::AdvanceClock(600);
    automation::Click(grid.m_hWnd, Center(row, col));
    automation::PumpUntilIdle();
  }
  std::string Value(ROWCOL row, ROWCOL col) { return std::string(grid.GetCellValue(row, col)); }
  ButtonGrid grid;
};

TEST_F(CellTypes, PushButtonClicksOnlyWhenReleasedOverItsFace) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_PUSHBTN).SetChoiceList("..."));
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  const CRect cell = grid.CalcCellRect(1, 1);
  // Away from the face before the release: no click.
  automation::MouseDown(grid.m_hWnd, cell.CenterPoint());
  automation::MouseMove(grid.m_hWnd, CPoint(cell.right + 40, cell.bottom + 40));
  automation::MouseUp(grid.m_hWnd, CPoint(cell.right + 40, cell.bottom + 40));
  automation::PumpUntilIdle();
  EXPECT_EQ(grid.clicks, 0);
  // Out and back in: pressed again, and the release clicks.
  auto* button = static_cast<CGXPushbutton*>(grid.GetRegisteredControl(GX_IDS_CTRL_PUSHBTN))->m_pButton;
  automation::MouseDown(grid.m_hWnd, cell.CenterPoint());
  automation::MouseMove(grid.m_hWnd, CPoint(cell.right + 40, cell.CenterPoint().y));
  automation::PumpUntilIdle();
  EXPECT_FALSE(button->IsPressed());
  automation::MouseMove(grid.m_hWnd, cell.CenterPoint());
  automation::PumpUntilIdle();
  EXPECT_TRUE(button->IsPressed());
  automation::MouseUp(grid.m_hWnd, cell.CenterPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(grid.clicks, 1);
  EXPECT_EQ(grid.lastCol, 1u);
  // The space bar presses and its release clicks.
  button->KeyDown(VK_SPACE, 1, 0);
  EXPECT_TRUE(button->IsPressed());
  button->KeyUp(VK_SPACE, 1, 0);
  EXPECT_EQ(grid.clicks, 2);
}

// A control that counts the clicks its children report.
class CountingControl : public CGXControl {
 public:
  using CGXControl::CGXControl;
  void OnClickedButton(CGXChild*) override { ++clicks; }
  int clicks = 0;
};

TEST_F(CellTypes, ArrowButtonRepeatsFasterWhileHeld) {
  CountingControl control(&grid);
  auto* arrow = new CGXUpArrowButton(&control);
  control.AddChild(arrow);
  arrow->SetRect(CRect(0, 0, 16, 10));
  const CPoint inside(5, 5);
  arrow->LButtonDown(0, inside);
  EXPECT_EQ(control.clicks, 1) << "clicks at once";
  // The clicks come after 500 ms, then 150, 145, 140, ... down to 50.
  const DWORD gaps[] = {500, 150, 145, 140};
  int expected = 1;
  for (DWORD gap : gaps) {
    automation::AdvanceClock(gap - 1);
    arrow->MouseMove(0, inside);
    EXPECT_EQ(control.clicks, expected) << "not before " << gap << " ms";
    automation::AdvanceClock(1);
    arrow->MouseMove(0, inside);
    EXPECT_EQ(control.clicks, ++expected) << "after " << gap << " ms";
  }
  for (int i = 0; i < 40; ++i) {
    automation::AdvanceClock(200);
    arrow->MouseMove(0, inside);
  }
  EXPECT_EQ(arrow->m_dwDelay, 50u);
  arrow->LButtonUp(0, inside);
  EXPECT_EQ(control.clicks, expected + 40) << "the release does not click";
}

TEST_F(CellTypes, CheckBoxCyclesItsValuesAndIgnoresReadOnlyClicks) {
  struct Case {
    const char* name;
    bool triState;
    const char* start;
    const char* after[3];
  } cases[] = {
      {"two states", false, "0", {"1", "0", "1"}},
      {"tri-state", true, "1", {"0", "", "1"}},
      {"other value counts as unchecked", false, "x", {"1", "0", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Column(2, CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D).SetTriState(c.triState).SetHorizontalAlignment(DT_CENTER)
                  .SetVerticalAlignment(DT_VCENTER));
    grid.SetValueRange(CGXRange(1, 2), c.start);
    grid.SetCurrentCell(1, 2);
    for (const char* v : c.after) {
      ClickCell(1, 2);
      EXPECT_EQ(Value(1, 2), v);
    }
    grid.SetCurrentCell(2, 1);
  }
  auto* box = static_cast<CGXCheckBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_CHECKBOX3D));
  CGXStyle tri;
  tri.SetTriState(TRUE).SetValue("x");
  EXPECT_EQ(box->GetState(5, 2, tri) & (CGXCheckBox::kChecked | CGXCheckBox::kUnchecked), 0u) << "undetermined";
  tri.SetTriState(FALSE);
  EXPECT_NE(box->GetState(5, 2, tri) & CGXCheckBox::kUnchecked, 0u);
  // Read-only: the click changes nothing.
  grid.ApplyStyle(CGXRange(3, 2), CGXStyle().SetReadOnly(TRUE).SetValue("0"));
  grid.SetCurrentCell(3, 2);
  ClickCell(3, 2);
  EXPECT_EQ(Value(3, 2), "0");
  // The space bar toggles too.
  grid.SetCurrentCell(4, 2);
  grid.SetValueRange(CGXRange(4, 2), "0");
  automation::TypeChar(' ');
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(4, 2), "1");
}

TEST_F(CellTypes, RadioCellsChooseByClickOnTextAndAdvanceBySpace) {
  Column(3, CGXStyle().SetControl(GX_IDS_CTRL_RADIOBTN).SetChoiceList("One\nTwo\nThree"));
  grid.SetRowHeight(1, 1, 60);
  grid.SetValueRange(CGXRange(1, 3), "2");
  grid.SetCurrentCell(1, 3);
  automation::PumpUntilIdle();
  automation::TypeChar(' ');
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 3), "0") << "past the last line back to the first";
  const CRect cell = grid.CalcCellRect(1, 3);
  automation::Click(grid.m_hWnd, CPoint(cell.left + 25, cell.top + 16 + 6));  // the text of the second line
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 3), "1");
  automation::Click(grid.m_hWnd, CPoint(cell.left + 25, cell.bottom - 2));  // below the last line
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 3), "1");
}

// The dropped list of a combo cell, when one is open.
CListBox* DroppedList(CGXComboBox* combo) {
  return combo->IsDroppedDown() ? combo->m_pDropDownWnd->GetListBox() : nullptr;
}

TEST_F(CellTypes, ComboModesConvertBetweenChoiceTextAndStoredValue) {
  const char* colours = "Red\nGreen\nBlue";
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_ONEBASED_EX).SetChoiceList(colours));
  Column(2, CGXStyle().SetControl(GX_IDS_CTRL_TEXTFIT).SetChoiceList(colours));
  auto* display = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_ONEBASED_EX));
  CGXStyle style;
  grid.ComposeStyleRowCol(1, 1, style);
  CString shown;
  EXPECT_TRUE(display->GetControlText(shown, 1, 1, "1", style));
  EXPECT_EQ(std::string(shown), "Red");
  EXPECT_TRUE(display->GetControlText(shown, 1, 1, "-1", style));
  EXPECT_EQ(std::string(shown), "") << "index -1 is no line";
  // Picking Green in the dropped list stores its one-based index.
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  automation::PressKey(VK_DOWN, false, false, true);
  automation::PumpUntilIdle();
  CListBox* list = DroppedList(display);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 3);
  automation::PressKey(VK_DOWN);
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(display->IsDroppedDown());
  grid.SetCurrentCell(2, 2);
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 1), "2");
  // Text-fit: a prefix becomes the whole choice; text that fits none is refused.
  automation::TypeText("gr");
  automation::PumpUntilIdle();
  grid.SetCurrentCell(3, 2);
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(2, 2), "Green");
  auto* fit = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_TEXTFIT));
  EXPECT_FALSE(fit->ValidateString("x"));
  EXPECT_TRUE(fit->ValidateString("bl"));
}

TEST_F(CellTypes, ComboListTabTakesEscapeDiscardsAndFitsItsHeight) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_COMBOBOX).SetChoiceList("Red\nGreen\nBlue"));
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_COMBOBOX));
  // The drop-down button opens it.
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  CListBox* list = DroppedList(combo);
  ASSERT_NE(list, nullptr);
  CRect dropRect, cell = grid.CalcCellRect(1, 1);
  combo->m_pDropDownWnd->GetWindowRect(&dropRect);
  grid.ClientToScreen(&cell);
  EXPECT_EQ(dropRect.left, cell.left - 1) << "one pixel to the cell's left";
  EXPECT_EQ(dropRect.Width(), cell.Width() + 1) << "and one pixel wider";
  EXPECT_EQ(dropRect.top, cell.bottom);
  EXPECT_EQ(dropRect.Height(), combo->m_nTextHeight * 3 + list->GetItemHeight(0) / 2);
  // A system command does not close it.
  combo->m_pDropDownWnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(combo->IsDroppedDown());
  automation::PressKey(VK_DOWN);
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  EXPECT_FALSE(combo->IsDroppedDown());
  // Tab takes the choice and moves on.
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  automation::PressKey(VK_DOWN);
  automation::PressKey(VK_DOWN);
  automation::PressKey(VK_TAB);
  automation::PumpUntilIdle();
  ROWCOL row = 0, col = 0;
  grid.GetCurrentCell(row, col);
  EXPECT_EQ(col, 2u);
  EXPECT_EQ(Value(1, 1), "Blue");
  // A long list stops at the parameter's drop-down height.
  CString many;
  for (int i = 0; i < 40; ++i) many.AppendFormat("Item %d\n", i);
  grid.ApplyStyle(CGXRange(2, 1), CGXStyle().SetChoiceList(many));
  grid.SetCurrentCell(2, 1);
  automation::PumpUntilIdle();
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  ASSERT_TRUE(combo->IsDroppedDown());
  combo->m_pDropDownWnd->GetWindowRect(&dropRect);
  EXPECT_EQ(dropRect.Height(), 100);
}

TEST_F(CellTypes, ComboButtonFillsTheStripRightOfTheText) {
  // The grid's own combo and those built on it: the current cell's text
  // stops where its button starts, at the cell's right edge.
  for (WORD id : {GX_IDS_CTRL_COMBOBOX, GX_IDS_CTRL_TEXTFIT, GX_IDS_CTRL_CHECKLIST_COMBOBOX,
                  GX_IDS_CTRL_TABBED_COMBOBOX}) {
    SCOPED_TRACE(id);
    Column(1, CGXStyle().SetControl(id).SetChoiceList("Red\nGreen\nBlue"));
    grid.SetCurrentCell(2, 2);
    grid.SetCurrentCell(1, 1);
    grid.UpdateWindow();
    automation::PumpUntilIdle();
    CGXControl* control = grid.GetRegisteredControl(id);
    const CRect cell = grid.CalcCellRect(1, 1), text = control->GetCellRect(1, 1);
    const CRect button = control->GetChild(0)->GetRect();
    EXPECT_EQ(button.right, cell.right - 1);
    EXPECT_GE(button.left, text.right);
    EXPECT_LE(button.left, text.right + 2);
  }
  // A click at the right end of the cell opens the list.
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_COMBOBOX).SetChoiceList("Red\nGreen\nBlue"));
  grid.SetCurrentCell(2, 2);
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_COMBOBOX));
  const CRect cell = grid.CalcCellRect(1, 1);
  automation::AdvanceClock(600);
  automation::Click(grid.m_hWnd, CPoint(cell.right - 4, cell.top + 6));
  automation::PumpUntilIdle();
  EXPECT_TRUE(combo->IsDroppedDown());
}

TEST_F(CellTypes, ComboListOpenedNearTheScreenEdgesStaysOnScreen) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_COMBOBOX).SetChoiceList("Red\nGreen\nBlue"));
  grid.MoveWindow(900, 700, 200, 60);
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_COMBOBOX));
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  ASSERT_TRUE(combo->IsDroppedDown());
  CRect dropRect, cell = grid.CalcCellRect(1, 1);
  grid.ClientToScreen(&cell);
  combo->m_pDropDownWnd->GetWindowRect(&dropRect);
  EXPECT_LE(dropRect.bottom, cell.top) << "above the cell";
}

TEST_F(CellTypes, ClickingAnotherProgramWithTheListOpenDiscardsTheEdit) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_COMBOBOX).SetChoiceList("Red\nGreen\nBlue"));
  grid.SetValueRange(CGXRange(1, 1), "Red");
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_COMBOBOX));
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  automation::PressKey(VK_DOWN);  // moves the selection into the cell
  automation::PumpUntilIdle();
  EXPECT_TRUE(combo->GetModify());
  // The focus goes to a window of another top-level window.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, "GXWND", "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  other.SetFocus();
  automation::PumpUntilIdle();
  EXPECT_FALSE(combo->IsDroppedDown());
  EXPECT_FALSE(combo->GetModify());
  EXPECT_EQ(Value(1, 1), "Red");
  other.DestroyWindow();
}

TEST_F(CellTypes, WindowsDropDownListShowsValueAndStoresTheChosenItem) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_CBS_DROPDOWNLIST).SetChoiceList("Red\nGreen\nBlue"));
  grid.SetValueRange(CGXRange(1, 1), "Red");
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXComboBoxWnd*>(grid.GetRegisteredControl(GX_IDS_CTRL_CBS_DROPDOWNLIST));
  CString shown;
  CGXStyle style;
  grid.ComposeStyleRowCol(1, 1, style);
  combo->GetControlText(shown, 1, 1, nullptr, style);
  EXPECT_EQ(std::string(shown), "Red");
  automation::PressKey(VK_DOWN, false, false, true);
  automation::PumpUntilIdle();
  EXPECT_TRUE(combo->IsActive());
  EXPECT_TRUE(combo->GetDroppedState());
  automation::PressKey(VK_DOWN);
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  grid.SetCurrentCell(2, 1);
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 1), "Green");
  // Typing a letter into an inactive cell picks the item it begins with.
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  automation::TypeText("b");
  automation::PumpUntilIdle();
  grid.SetCurrentCell(2, 1);
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(1, 1), "Blue");
}

TEST_F(CellTypes, ReadOnlyWindowsCombosKeepTheirValueWhenAnItemIsChosen) {
  // Restoring a drop-down combo's text reports an edit change, which used to
  // restore again until the stack ran out.
  for (WORD id : {GX_IDS_CTRL_CBS_DROPDOWN, GX_IDS_CTRL_CBS_DROPDOWNLIST}) {
    SCOPED_TRACE(id);
    Column(1, CGXStyle().SetControl(id).SetChoiceList("Red\nGreen\nBlue"));
    grid.SetValueRange(CGXRange(1, 1), "Red");
    grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetReadOnly(TRUE));
    grid.SetCurrentCell(1, 1);
    automation::PumpUntilIdle();
    automation::PressKey(VK_DOWN, false, false, true);
    automation::PressKey(VK_DOWN);
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    CString shown;
    grid.GetRegisteredControl(id)->GetValue(shown);
    EXPECT_EQ(std::string(shown), "Red");
    grid.SetCurrentCell(2, 1);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(1, 1), "Red");
  }
}

TEST_F(CellTypes, WindowsComboIndexValuesShowTheirChoiceAndLeftRightLeaveAtTheEnds) {
  grid.SetValueRange(CGXRange(1, 2), "2");
  Column(2, CGXStyle().SetControl(GX_IDS_CTRL_CBS_DROPDOWN).SetChoiceList("Red\nGreen\nBlue"));
  auto* combo = static_cast<CGXComboBoxWnd*>(grid.GetRegisteredControl(GX_IDS_CTRL_CBS_DROPDOWN));
  combo->m_nIndexValue = 1;
  combo->m_bDispChoice = TRUE;
  CGXStyle style;
  grid.ComposeStyleRowCol(1, 2, style);
  CString shown;
  combo->GetControlText(shown, 1, 2, nullptr, style);
  EXPECT_EQ(std::string(shown), "Green");
  CString value = "Blue";
  combo->ConvertControlTextToValue(value, 1, 2, &style);
  EXPECT_EQ(std::string(value), "3");
  // The caret inside the text keeps Left and Right in the combo.
  combo->m_nIndexValue = -1;
  combo->m_bDispChoice = FALSE;
  grid.SetValueRange(CGXRange(1, 2), "Green");
  grid.SetCurrentCell(1, 2);
  automation::PumpUntilIdle();
  ClickCell(1, 2);
  ASSERT_TRUE(combo->IsActive());
  combo->SetEditSel(2, 2);
  EXPECT_FALSE(combo->FilterGridKey(VK_LEFT, 1, 0));
  EXPECT_FALSE(combo->FilterGridKey(VK_RIGHT, 1, 0));
  combo->SetEditSel(0, 0);
  EXPECT_TRUE(combo->FilterGridKey(VK_LEFT, 1, 0));
}

TEST_F(CellTypes, TabbedComboCompletesTypedTextAndStoresTheKey) {
  CGXStyle accounts;
  accounts.SetControl(GX_IDS_CTRL_TABBED_COMBOBOX)
      .SetChoiceList("1\tCash\n2\tChecking")
      .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0")
      .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1");
  Column(1, accounts);
  grid.SetValueRange(CGXRange(1, 1), "2");
  auto* combo = static_cast<CGXTabbedComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_TABBED_COMBOBOX));
  CGXStyle style;
  grid.ComposeStyleRowCol(1, 1, style);
  CString shown;
  EXPECT_TRUE(combo->GetControlText(shown, 1, 1, nullptr, style));
  EXPECT_EQ(std::string(shown), "Checking");
  grid.SetCurrentCell(2, 1);
  automation::PumpUntilIdle();
  automation::TypeText("ch");
  automation::PumpUntilIdle();
  CString text;
  combo->GetWindowText(text);
  EXPECT_EQ(std::string(text), "Checking");
  int start = 0, end = 0;
  combo->GetSel(start, end);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(end, 8) << "\"ecking\" is selected";
  grid.SetCurrentCell(3, 1);
  automation::PumpUntilIdle();
  EXPECT_EQ(Value(2, 1), "2");
  // Text no row's text begins with is not acceptable and keeps the user in the cell.
  EXPECT_FALSE(combo->ValidateString("Cz"));
  combo->SetActive(TRUE);
  combo->SetWindowText("Cz");
  combo->SetModify(TRUE);
  EXPECT_FALSE(grid.SetCurrentCell(4, 1));
  ROWCOL row = 0, col = 0;
  grid.GetCurrentCell(row, col);
  EXPECT_EQ(row, 3u);
}

TEST_F(CellTypes, TabbedComboTitlesSortingAndSharedMaps) {
  CGXStyle sorted;
  sorted.SetControl(GX_IDS_CTRL_TABBED_COMBOBOX)
      .SetChoiceList("3\tZeta\n1\tAlpha")
      .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1")
      .SetUserAttribute(GX_IDS_UA_TABLIST_SORT, "1");
  Column(1, sorted);
  grid.SetCurrentCell(1, 1);
  automation::PumpUntilIdle();
  auto* combo = static_cast<CGXTabbedComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_TABBED_COMBOBOX));
  combo->OnClickedButton(combo->m_pButton);
  automation::PumpUntilIdle();
  ASSERT_TRUE(combo->IsDroppedDown());
  CString first;
  combo->m_pList->GetText(0, first);
  EXPECT_EQ(std::string(first), "Alpha\t1\tAlpha");
  EXPECT_EQ(std::string(static_cast<CGXControl*>(combo)->GetStyle().GetChoiceList()), "1\tAlpha\r\n3\tZeta\r\n");
  EXPECT_EQ(std::string(static_cast<CGXControl*>(combo)->GetStyle().GetUserAttribute(GX_IDS_UA_TABLIST_SORT).GetValue()), "-1");
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  // With titles the first line is never a row.
  CGXStyle titled;
  titled.SetControl(GX_IDS_CTRL_TABBED_COMBOBOX).SetChoiceList("No\tName\n1\tCash")
      .SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1").SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1");
  CString shown;
  EXPECT_FALSE(combo->GetControlText(shown, 5, 2, "No", titled));
  EXPECT_TRUE(combo->GetControlText(shown, 5, 2, "1", titled));
  EXPECT_EQ(std::string(shown), "Cash");
  // Two styles with one list id share its maps until the list changes.
  CGXStyle shared;
  shared.SetChoiceList("7\tSeven").SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "4")
      .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1");
  CMapStringToString* keys = combo->GetKeyMap(4, shared);
  EXPECT_EQ(combo->GetKeyMap(4, CGXStyle()), keys);
  GXFreeChoiceListMaps(grid.GetParam(), 4);
  shared.SetChoiceList("8\tEight");
  CString line;
  EXPECT_TRUE(combo->GetKeyMap(4, shared)->Lookup("8", line));
}

}  // namespace
