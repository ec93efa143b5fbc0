// The date edit as a placed control: keys, focus loss, the right-button menu
// with its calendar, and the exchange with a dialog's value.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FieldDialogTest.h"
#include "DateTestUtil.h"
#include "common/DateEdit.h"
#include "common/Dates.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "support/GoldenImage.h"

namespace {

constexpr int kDateId = 101;


class DateEdit : public FieldDialogTest<CDateEditEx, DDX_Date> {
 protected:
  void SetUp() override {
    SetTodayInsideFiscalYear();
    OpenDialog(7901, "Dates");
    date.SubclassEdit(kDateId, &dlg, "", 0);
    ASSERT_TRUE(date.IsSubclassed());
    Bind();
    SetFocus(field);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    FieldDialogTest::TearDown();
    LastDateText[0] = '\0';
  }

  void Put(const char* text) {
    SetWindowText(field, text);
    SendMessage(field, EM_SETSEL, 0, -1);
  }
  // Clicks far enough apart never make a double click.
  void RightClick() {
    automation::AdvanceClock(1000);
    automation::Click(field, POINT{5, 5}, 1);
    automation::PumpUntilIdle();
  }

  CDateEditEx& date = control;
};

}  // namespace

TEST_F(DateEdit, TypingAndLeaving) {
  const struct {
    const char* typed;
    const char* shown;
  } cases[] = {
      {"1/5/03", "01/05/03"}, {"122503", "12/25/03"}, {"13/45/03", "13/45/03"}, {"", ""},
      {"12/25/2003", "12/25/20"},  // the eight-character limit cuts the typed year
  };
  for (const auto& c : cases) {
    SetFocus(field);
    Put("");
    Type(c.typed);
    Leave();
    EXPECT_EQ(Text(), c.shown) << c.typed;
  }
  // Letters never enter the text; pasted ones stay until validation.
  SetFocus(field);
  Put("");
  Type("abc");
  EXPECT_EQ(Text(), "");
  SetWindowText(field, "abc");
  Leave();
  EXPECT_EQ(Text(), "abc");
}

TEST_F(DateEdit, LetterCommandsNeedTheWholeTextSelected) {
  Put("01/05/03");
  Type("T");
  EXPECT_EQ(Text(), "11/15/03");
  DWORD sel = static_cast<DWORD>(SendMessage(field, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(sel), 8);
  EXPECT_EQ(HIWORD(sel), 8);
  SendMessage(field, EM_SETSEL, 2, 5);
  Type("L");
  EXPECT_EQ(Text(), "11/15/03");
  // An empty field counts as wholly selected; L recalls the last date.
  std::strcpy(LastDateText, "20021224");
  Put("");
  Type("l");
  EXPECT_EQ(Text(), "12/24/02");
}

TEST_F(DateEdit, PlusAndMinusStepTheDateAndMakeItTheLast) {
  Load("20031231");
  Type("+");
  EXPECT_EQ(Text(), "01/01/04");
  EXPECT_STREQ(LastDateText, "20040101");
  Load("20040301");
  Type("_");
  EXPECT_EQ(Text(), "02/29/04");
  EXPECT_STREQ(LastDateText, "20040229");
  // Text typed since the last take-in is replaced by the stepped date.
  Put("");
  Type("6/1/04=");
  EXPECT_EQ(Text(), "03/01/04");
}

TEST_F(DateEdit, ExchangeAndValidation) {
  Load("20031225");
  EXPECT_EQ(Text(), "12/25/03");
  Load("N/A");
  EXPECT_EQ(Text(), "N/A");
  Load("");
  EXPECT_EQ(Text(), "");

  SetWindowText(field, " 1/5/03 ");
  EXPECT_EQ(Save(), "20030105");
  SetWindowText(field, "13/45/03");
  EXPECT_EQ(Save(), "13/45/03");
  automation::ExpectMessageBox("Info", "Invalid date.", IDOK);
  SetFocus(other);
  EXPECT_FALSE(date.Validate("Purchase Date"));
  EXPECT_EQ(GetFocus(), field);

  SetWindowText(field, "");
  EXPECT_EQ(Save(), "");
  automation::ExpectMessageBox("Error", "Purchase Date required", IDOK);
  EXPECT_FALSE(date.Validate("Purchase Date"));
  EXPECT_TRUE(date.Validate(nullptr));
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(DateEdit, RightButtonMenu) {
  // Copy Date: the field's date becomes the last date.
  Load("20030105");
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 1);
  RightClick();
  EXPECT_STREQ(LastDateText, "20030105");

  // Paste Date of a date outside 1951..2050 comes back in the window's century.
  std::strcpy(LastDateText, "19400315");
  Load("");
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 2);
  RightClick();
  EXPECT_EQ(Text(), "03/15/40");
  EXPECT_EQ(Save(), "20400315");

  // Calendar: cancel keeps the text; a picked day is pasted and remembered.
  Load("20031225");
  automation::OnDialog("Calendar", [](HWND) {}, IDCANCEL);
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 3);
  RightClick();
  EXPECT_EQ(Text(), "12/25/03");

  SYSTEMTIME preselected{};
  automation::OnDialog(
      "Calendar",
      [&](HWND h) {
        HWND cal = GetDlgItem(h, IDC_CALENDAR);
        SendMessage(cal, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&preselected));
        SYSTEMTIME pick = preselected;
        pick.wDay = 3;
        SendMessage(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&pick));
        PostMessage(h, WM_COMMAND, IDOK, 0);
        automation::PumpUntilIdle();
      },
      IDCANCEL);
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 3);
  RightClick();
  EXPECT_EQ(preselected.wYear, 2003);
  EXPECT_EQ(preselected.wMonth, 12);
  EXPECT_EQ(preselected.wDay, 25);
  EXPECT_EQ(Text(), "12/03/03");
  EXPECT_STREQ(LastDateText, "20031203");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

// The calendar drops below its field with the field's day selected; the
// picture is kept as a golden image (KESTROVA_UPDATE_GOLDEN=1 rewrites it).
TEST_F(DateEdit, CalendarDropsBelowTheFieldGolden) {
  Load("20031225");
  RECT fieldRect{};
  GetWindowRect(field, &fieldRect);
  RECT calRect{};
  automation::OnDialog(
      "Calendar",
      [&](HWND h) {
        automation::PumpUntilIdle();
        GetWindowRect(h, &calRect);
        EXPECT_TRUE(golden::Matches("common/date_edit_calendar.png",
                                    [&](const std::string& path) { return automation::RenderToPng(h, path); }));
      },
      IDCANCEL);
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 3);
  RightClick();
  EXPECT_EQ(calRect.left, fieldRect.left);
  EXPECT_EQ(calRect.top, fieldRect.bottom);
  EXPECT_EQ(Text(), "12/25/03");
}
