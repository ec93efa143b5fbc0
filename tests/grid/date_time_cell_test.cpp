#include <gtest/gtest.h>

#include <string>

#include "CellGrid.h"
#include "grid/cells/GXDateTimeCell.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/controls/GXPopupCalendar.h"
#include "platform/host/Keys.h"
#include "platform/window/Messages.h"

namespace {

class DateTimeCell : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    grid.SetRowCount(30);
    Column(1, CGXStyle().SetControl(GX_IDS_CTRL_DATETIME));
    Column(2, CGXStyle().SetControl(GX_IDS_CTRL_DATETIMENOCAL));
    cell = Control<CGXDateTimeCtrl>(GX_IDS_CTRL_DATETIME);
    ASSERT_NE(cell, nullptr);
  }
  CGXDateTimeCtrl* cell = nullptr;
};

TEST_F(DateTimeCell, ShownFieldsFromTheStoredNumber) {
  const struct {
    const char* value;
    const char* type;
    const char* custom;
    const char* shows;
  } cases[] = {
      {"36526", "", "", "1/1/2000"},
      {"36526.5", "4", "", "1/1/2000 12:00:00 PM"},
      {"36526.5", "9", "", "1/1/2000 12:00:00 PM"},  // beyond the types: date and time
      {"36526.5", "0", "", "12:00:00 PM"},
      {"36526", "2", "", "Saturday, January 1, 2000"},
      {"36526", "", "dd'.'MM'.'yyyy", "01.01.2000"},
      {"3/15/2000", "", "", "3/15/2000"},
      {"", "", "", ""},
  };
  ROWCOL row = 10;
  for (const auto& c : cases) {
    ++row;
    CGXStyle style;
    style.SetValue(c.value);
    if (*c.type) style.SetUserAttribute(GX_IDS_UA_DATEFORMATTYPE, c.type);
    if (*c.custom) style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, c.custom);
    grid.ApplyStyle(CGXRange(row, 1), style);
    EXPECT_EQ(Shown(row, 1), c.shows) << c.value << " type " << c.type << " " << c.custom;
  }
  // Numbers forced: a date text is read as its number.
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetValue("12/31/1999").SetUserAttribute(GX_IDS_UA_FORCE_NUMBER, "1"));
  Current(1, 1);
  EXPECT_EQ(cell->GetDateTime().GetYear(), 1900);
}

TEST_F(DateTimeCell, TypingStoresTheDateNumber) {
  grid.SetValueRange(CGXRange(1, 1), "36526.5");
  Current(1, 1);
  Type("3/4/2001");
  EXPECT_TRUE(cell->IsActive());
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "36954.5") << "the time of day stays";
  // A read-only cell refuses typing.
  grid.ApplyStyle(CGXRange(3, 1), CGXStyle().SetValue("36526").SetReadOnly(TRUE));
  Current(3, 1);
  Type("5");
  Current(4, 1);
  EXPECT_EQ(Value(3, 1), "36526");
  // Delete on a cell that is not being edited empties it.
  grid.SetValueRange(CGXRange(5, 1), "36526");
  Current(5, 1);
  Key(VK_DELETE);
  EXPECT_EQ(Value(5, 1), "");
}

TEST_F(DateTimeCell, PastingStoresOnlyDates) {
  grid.SetValueRange(CGXRange(1, 1), "36526");
  grid.SetValueRange(CGXRange(2, 1), "40000");
  Current(2, 1);  // the cell's window now holds another cell's date
  Current(1, 1);
  EXPECT_FALSE(cell->SetControlText(1, 1, "hello, world", 1, nullptr));
  EXPECT_EQ(Value(1, 1), "36526");
  EXPECT_TRUE(cell->SetControlText(1, 1, "3/15/2000", 1, nullptr));
  EXPECT_EQ(Value(1, 1), "36600");
  CString text = "";
  EXPECT_TRUE(cell->ConvertControlTextToValue(text, 1, 1, nullptr));
  EXPECT_EQ(std::string(text), "");
  CGXStyle style;
  grid.ComposeStyleRowCol(1, 1, style);
  CString key;
  cell->GetSortKey(1, 1, nullptr, style, key);
  EXPECT_EQ(std::string(key), "36600.000000");
}

TEST_F(DateTimeCell, FindsAndReplacesFields) {
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetValue("36600").SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT,
                                                                                      "dd MMMM yyyy"));
  grid.SetValueRange(CGXRange(2, 1), "36600");
  Current(5, 1);
  GXFindReplaceState request;
  request.strFind = "mar";
  EXPECT_TRUE(cell->FindText(&request, 1, 1, TRUE, FALSE));
  request.strFind = "15";
  EXPECT_TRUE(cell->FindText(&request, 2, 1, TRUE, TRUE));
  EXPECT_TRUE(cell->IsActive());
  CString selected;
  EXPECT_TRUE(cell->GetSelectedText(selected));
  EXPECT_EQ(std::string(selected), "15");
  request.strFind = "16";
  EXPECT_FALSE(cell->FindText(&request, 2, 1, TRUE, FALSE));
  // Replacing puts a number into the field it found.
  request.strFind = "2000";
  request.strReplace = "2004";
  EXPECT_TRUE(cell->ReplaceAll(&request, 1, 1));
  EXPECT_EQ(Value(1, 1), std::to_string(36600 + 4 * 365 + 1));
  request.strFind = "March";
  request.strReplace = "May";
  EXPECT_TRUE(cell->ReplaceAll(&request, 1, 1));
  Current(6, 1);
  EXPECT_EQ(Shown(1, 1), "15 May 2004");
}

TEST_F(DateTimeCell, ClicksAndTheCalendar) {
  // A single click on an empty cell leaves it; a double click edits it.
  Current(1, 2);
  const CRect empty = grid.CalcRectFromRowColCovered(1, 2, 1, 2);
  ClickAt(CPoint(empty.left + 8, empty.top + 5));
  auto* other = Control<CGXDateTimeCtrl>(GX_IDS_CTRL_DATETIMENOCAL);
  EXPECT_FALSE(other->IsActive());
  automation::AdvanceClock(600);
  automation::DoubleClick(grid.m_hWnd, CPoint(empty.left + 8, empty.top + 5));
  automation::PumpUntilIdle();
  EXPECT_TRUE(other->IsActive());

  // Alt+Down drops the calendar; picking a day keeps the time.
  grid.SetValueRange(CGXRange(2, 1), "36600.25");  // 15 March 2000 06:00
  Current(2, 1);
  Key(VK_DOWN, false, false, true);
  CGXBPopupCalendar* calendar = cell->GetCalendar();
  ASSERT_NE(calendar, nullptr);
  CPoint day;
  for (int i = 0; i < CGXBCalendar::kBoxes; ++i)
    if (!calendar->GetBox(i).IsOutsideMonth() && calendar->GetBox(i).GetDate().GetDay() == 20)
      day = calendar->GetBox(i).GetRect().CenterPoint();
  automation::Click(calendar->m_hWnd, day);
  automation::PumpUntilIdle();
  EXPECT_EQ(cell->GetCalendar(), nullptr);
  Current(3, 1);
  EXPECT_EQ(Value(2, 1), "36605.25");
}

}  // namespace
