// The unit information dialog: what it shows, the limits of its fields,
// saving on OK and the question on Cancel.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "AppTestUtil.h"
#include "app/UnitInfoDlg.h"
#include "common/CommonTestUtil.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "platform/host/Keys.h"
#include "res/resource.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace {

class UnitInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    std::snprintf(UnitPath, sizeof UnitPath, "%s", (dir / "unit4.dat").c_str());
    std::snprintf(UnitName, sizeof UnitName, "Troop 123");
    SetUnitType(0);
    WriteBytes(UnitPath, "Address = 12 Elm St\r\nCity = Dayton\r\nState = OH\r\nFiscal Date = 082008\r\n");
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ClearResponder();
    automation::ResetWindows();
  }
  void Run(std::function<void(HWND)> act) {
    automation::OnDialog("Information", std::move(act), IDABORT);
    CUnitInfoDlg dlg;
    dlg.DoModal();
  }
  TempFolder dir;
};

TEST_F(UnitInfoTest, ShowsTheFileAndThePeriodAndLimitsTheFields) {
  std::string caption, title, unit, period, address, state;
  Run([&](HWND h) {
    char text[128] = "";
    GetWindowText(h, text, sizeof text);
    caption = text;
    title = FieldText(h, IDC_SHELL_TITLE);
    unit = FieldText(h, IDC_UNIT_NAME);
    period = FieldText(h, IDC_UNIT_PERIOD);
    address = FieldText(h, IDC_UNIT_ADDRESS1);
    const struct {
      int id;
      int limit;
    } limits[] = {{IDC_UNIT_ADDRESS1, 26}, {IDC_UNIT_ADDRESS2, 26}, {IDC_UNIT_CITY, 17}, {IDC_UNIT_STATE, 2},
                  {IDC_UNIT_ZIP, 10},      {IDC_UNIT_INFO1, 31},    {IDC_UNIT_INFO2, 31}, {IDC_UNIT_INFO3, 31}};
    for (const auto& l : limits) {
      SetField(h, l.id, "");
      SetFocus(GetDlgItem(h, l.id));
      automation::TypeText(std::string(40, 'x'));
      automation::PumpUntilIdle();
      EXPECT_EQ(FieldText(h, l.id).size(), static_cast<size_t>(l.limit)) << l.id;
    }
    SetField(h, IDC_UNIT_STATE, "");
    SetFocus(GetDlgItem(h, IDC_UNIT_STATE));
    automation::TypeText("ky");
    automation::PumpUntilIdle();
    state = FieldText(h, IDC_UNIT_STATE);
    Press(h, IDOK);
  });
  EXPECT_EQ(caption, "Troop Information");
  EXPECT_EQ(title, "Troop Information");
  EXPECT_EQ(unit, "Troop 123");
  EXPECT_EQ(period, "Sep 2008 - Aug 2009");
  EXPECT_EQ(address, "12 Elm St");
  EXPECT_EQ(state, "KY");
  // OK wrote the fields, and the dialog reads the file again next time.
  UnitCity[0] = 0;
  ASSERT_EQ(ReadWriteUnitInfo(0), 1);
  EXPECT_EQ(std::string(UnitCity), std::string(17, 'x'));
  EXPECT_STREQ(UnitState, "KY");
  EXPECT_EQ(std::string(UnitInfo3), std::string(31, 'x'));
  EXPECT_STREQ(FiscalStartDate, "20080901");

  WriteBytes(UnitPath, "City = Akron\r\nFiscal Date = 002009\r\n");
  std::string city, again;
  Run([&](HWND h) {
    city = FieldText(h, IDC_UNIT_CITY);
    again = FieldText(h, IDC_UNIT_PERIOD);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(city, "Akron");
  EXPECT_EQ(again, "Jan 2009 - Dec 2009");
}

TEST_F(UnitInfoTest, CancelAsksOnlyAfterAFieldChanged) {
  // A renamed caption alone is no change of the unit: no question, and the
  // label keeps its new caption.
  Run([&](HWND h) {
    automation::AdvanceClock(1000);
    automation::Click(GetDlgItem(h, IDC_UNIT_CAPTION1), POINT{2, 2});
    automation::PumpUntilIdle();
    automation::TypeText("Charter:");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    Press(h, IDCANCEL);
  });
  for (const automation::ModalInfo& box : automation::ModalLog()) EXPECT_NE(box.caption, "Question");
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "LABELS");
  char label[64] = "";
  GetSettingText(s, 'C', "", label);
  CloseSettingsSection(s);
  EXPECT_STREQ(label, "Charter:");

  const std::string before = ReadBytes(UnitPath);
  // The dialog's result shows how it ended: IDABORT when it was still open.
  const struct {
    int answer;
    int result;
    bool saved;
  } cases[] = {{ANSWER_CANCEL, IDABORT, false}, {ANSWER_NO, IDCANCEL, false}, {ANSWER_YES, IDOK, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", c.answer);
    automation::OnDialog(
        "Information",
        [](HWND h) {
          SetField(h, IDC_UNIT_ZIP, "45402");
          Press(h, IDCANCEL);
        },
        IDABORT);
    CUnitInfoDlg dlg;
    EXPECT_EQ(dlg.DoModal(), c.result);
    UnitZip[0] = 0;
    ASSERT_EQ(ReadWriteUnitInfo(0), 1);
    EXPECT_STREQ(UnitZip, c.saved ? "45402" : "");
    WriteBytes(UnitPath, before);
  }
}

}  // namespace

namespace {

TEST_F(UnitInfoTest, AFailedReReadEndsTheDialogAndKeepsTheYearsValues) {
  ASSERT_EQ(ReadWriteUnitInfo(0), 1);
  const std::string loaded = FiscalStartDate;
  // The file went bad since the year was opened.
  const std::string damaged = "Address = 9 Oak St\r\nFiscal Date = 14x\r\n";
  WriteBytes(UnitPath, damaged);
  automation::ExpectMessageBox("", "Invalid fiscal year start", IDOK);
  bool shown = false;
  automation::OnDialog("Information", [&](HWND) { shown = true; }, IDOK);
  CUnitInfoDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_FALSE(shown);
  EXPECT_EQ(FiscalStartDate, loaded);
  EXPECT_EQ(FiscalFirstMonth, 8);
  EXPECT_STREQ(UnitAddress1, "12 Elm St");
  EXPECT_EQ(ReadBytes(UnitPath), damaged);
  automation::ClearResponder();
  automation::ResetWindows();
}

TEST_F(UnitInfoTest, AnInvalidFiscalStartIsNeverWritten) {
  WriteBytes(UnitPath, "Address = 12 Elm St\r\n");  // no fiscal date at all
  automation::ExpectMessageBox("", "Invalid fiscal year start", IDOK);
  EXPECT_EQ(ReadWriteUnitInfo(0), 0);
  FiscalFirstMonth = FiscalStartYear = -2;
  automation::ExpectMessageBox("", "was not written", IDOK);
  EXPECT_EQ(ReadWriteUnitInfo(1), 0);
  EXPECT_EQ(ReadBytes(UnitPath), "Address = 12 Elm St\r\n");
}

}  // namespace
