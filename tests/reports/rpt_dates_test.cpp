// The report date memory: defaults from the loaded fiscal year, a range
// remembered within one run, month-end dates and the reset at a year open.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/Dates.h"
#include "common/Settings.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "reports/RptDates.h"
#include "store/KeyTable.h"

namespace {

class RptDatesTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kestrova-rptdates-XXXXXX";
    home_ = ::mkdtemp(tmpl);
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home_.c_str());
    SetYear(6, 2003);  // July 2003 - June 2004
    std::snprintf(TodayDate, sizeof TodayDate, "20031115");
    SetInstance(7);
    RptDates.ResetToDefaults();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(home_, ec);
  }
  static void SetYear(int firstMonth, int year) {
    FiscalFirstMonth = firstMonth;
    FiscalStartYear = year;
    std::snprintf(FiscalStartDate, sizeof FiscalStartDate, "%04d%02d01", year, firstMonth + 1);
    char next[16];
    std::snprintf(next, sizeof next, "%04d%02d01", year + 1, firstMonth + 1);
    AddToDate(next, 0, 0, -1, FiscalEndDate);
  }
  static void SetInstance(int n) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, "INSTANCE");
    PutSettingInt(s, 'A', n);
    CloseSettingsSection(s);
  }
  std::string home_;
};

TEST_F(RptDatesTest, DefaultsThenRememberedRange) {
  CString first, second;
  RptDates.GetDates(first, second, DF_YYYYMMDD);
  EXPECT_STREQ(first, "20030701");
  EXPECT_STREQ(second, "20031115");
  RptDates.SetDates("20030801", "20030930", DF_YYYYMMDD);
  // Another dialog of the same run gets the range; codes convert.
  EXPECT_STREQ(RptDates.GetSecondDate(DF_YYYYMMDD), "20030930");
  EXPECT_STREQ(RptDates.GetFirstDate(DF_MM_DD_YY), "08/01/03");
  // A new run (the start counter moved on) falls back to the defaults.
  SetInstance(8);
  CRptDates fresh;
  EXPECT_STREQ(fresh.GetFirstDate(DF_YYYYMMDD), "20030701");
  // Today outside the year: the year's last day.
  std::snprintf(TodayDate, sizeof TodayDate, "20050101");
  RptDates.ResetToDefaults();
  EXPECT_STREQ(RptDates.GetSecondDate(DF_YYYYMMDD), "20040630");
}

TEST_F(RptDatesTest, MonthEndDates) {
  EXPECT_STREQ(RptDates.MonthEndDate("feb"), "20040229");
  EXPECT_STREQ(RptDates.MonthEndDate("SEP"), "20030930");
  EXPECT_STREQ(RptDates.MonthEndDate("Sept"), "");
  SetYear(6, 2004);
  EXPECT_STREQ(RptDates.MonthEndDate("Feb"), "20050228");
  RptDates.SetSecondDate("feb", DF_MON);
  EXPECT_STREQ(RptDates.GetSecondDate(DF_YYYYMMDD), "20050228");
}

TEST_F(RptDatesTest, OpeningAYearResetsTheRange) {
  RptDates.SetDates("20030801", "20030930", DF_YYYYMMDD);
  // Even a failed open resets to the (then current) fiscal year's defaults.
  automation::AlwaysAnswer("", "", IDOK);
  SetCapacities();
  EXPECT_EQ(OpenDatabase((home_ + "/missing").c_str(), "03", 1), 0);
  SetYear(6, 2003);
  EXPECT_STREQ(RptDates.GetFirstDate(DF_YYYYMMDD), FiscalStartDate);
  EXPECT_NE(std::string(RptDates.GetSecondDate(DF_YYYYMMDD)), "20030930");
}

}  // namespace
