#include <gtest/gtest.h>

#include <cstring>

#include "DateTestUtil.h"
#include "common/DateEdit.h"
#include "common/Dates.h"
#include "common/PhoneTypes.h"

namespace {

// Today 15 November 2003 inside the loaded fiscal year ending 30 June 2004.
class DateValue : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTodayInsideFiscalYear();
  }
  void TearDown() override { LastDateText[0] = '\0'; }
};

}  // namespace

TEST_F(DateValue, TypedForms) {
  const struct {
    const char* typed;
    bool valid;
    const char* stored;
  } cases[] = {
      {"122503", true, "20031225"},   {"12/25/03", true, "20031225"}, {"12-25-03", true, "20031225"},
      {"12.25.03", true, "20031225"}, {"12 25 03", true, "20031225"}, {"1/5/03 ", true, "20030105"},
      {" 1/5/03", false, ""},  // a leading blank is read as a command letter
      {"12/25/51", true, "19511225"}, {"12/25/50", true, "20501225"}, {"02/29/00", true, "20000229"},
      {"02/29/03", false, ""},        {"04/31/03", false, ""},        {"13/01/03", false, ""},
      {"00/10/03", false, ""},        {"12/25/2003", false, ""},      {"12252003", false, ""},
      {"12//03", false, ""},          {"1/2/3/4", true, "20030102"},  {"12/25", true, "20031225"},
      {"", true, ""},                 {"1a2/2x5/0y3", true, "20031225"}, {"Transfer", false, ""},
      {"abc", false, ""},             {"+", false, ""},               {"t", true, "20031115"},
      {"Tomorrow", true, "20031115"}, {"1/1/1/", true, "20010101"},
  };
  for (const auto& c : cases) {
    CDate8 d;
    EXPECT_EQ(d.Parse(c.typed), c.valid) << c.typed;
    EXPECT_STREQ(d.GetText(), c.stored) << c.typed;
  }
}

TEST_F(DateValue, MissingYearAndTodayFollowTheFiscalYear) {
  TodayVsFiscalYear = 1;  // today after the loaded year: its last day serves
  CDate8 d;
  EXPECT_EQ(d.ToStored("12/25"), "20041225");
  EXPECT_EQ(d.ToStored("T"), "20040630");
  TodayVsFiscalYear = 0;
  // The default date in stored form comes through the date edit's own parse.
  EXPECT_EQ(GetDefaultDateText(true), "20031115");
}

TEST_F(DateValue, CenturyFlagAndStatusLetters) {
  CDate8 old("", 1);
  EXPECT_EQ(old.ToStored("12/25/03"), "19031225");
  CDate8 status("XN", 0);
  EXPECT_EQ(status.ToStored("Transfer"), "Transfer");
  EXPECT_EQ(status.ToStored("n"), "N/A");
  EXPECT_EQ(status.ToStored("C"), "");  // not among the allowed letters
  EXPECT_EQ(status.FormatFields(false, 0), "");
  status.SetStored("N/A");
  EXPECT_EQ(status.FormatFields(false, 0), "N/A");
}

TEST_F(DateValue, LastDateFollowsChangedParses) {
  CDate8 d;
  d.Parse("1/5/03");
  EXPECT_STREQ(LastDateText, "20030105");
  std::strcpy(LastDateText, "19991231");
  d.Parse("1/5/03");  // the same value again: the last date stays
  EXPECT_STREQ(LastDateText, "19991231");
  d.SetText("1/5/03");  // the previous value emptied first: it is written
  EXPECT_STREQ(LastDateText, "20030105");
  EXPECT_EQ(d.ToStored("L"), "20030105");
  EXPECT_EQ(d.ToStored("s"), "20030105");
  LastDateText[0] = '\0';
  EXPECT_TRUE(d.Parse("L"));
  EXPECT_EQ(d.GetText(), "");
}

TEST_F(DateValue, StoredTextsAndFormats) {
  CDate8 d;
  const char* formats[] = {"01/05/03", "01/05/2003", "Jan 5, 2003", "January 5, 2003", "01/05", ""};
  for (int f = 0; f < 6; ++f) EXPECT_EQ(d.Format("20030105", false, f), formats[f]) << f;
  EXPECT_EQ(d.Format("", true, 0), "__/__/__");
  EXPECT_EQ(d.Format("", false, 0), "");
  EXPECT_EQ(d.Format("200301051", false, 0), "");  // longer than a stored date
  EXPECT_EQ(d.Format("2003-1-5", false, 0), "");
  d.SetStored("20031225");
  EXPECT_EQ(d.GetMonth(), 12);
  EXPECT_EQ(d.GetDay(), 25);
  EXPECT_EQ(d.GetYear(true), 2003);
  EXPECT_EQ(d.GetYear(false), 3);
  EXPECT_EQ(d.FormatText("1/5/03"), "01/05/03");
  EXPECT_EQ(d.FormatText("abc"), "abc");
  EXPECT_EQ(d.FormatText(""), "");
}

TEST_F(DateValue, Arithmetic) {
  const struct {
    const char* from;
    int months, days;
    bool add;
    const char* to;
  } cases[] = {
      {"20031231", 0, 1, true, "20040101"},  {"20040301", 0, 1, false, "20040229"},
      {"20030131", 1, 0, true, "20030228"},  {"20040131", 1, 0, true, "20040229"},
      {"20030115", 2, 0, false, "20021115"}, {"20030101", 0, 1, false, "20021231"},
      {"19001231", 2, 0, true, "19010228"},  {"20030315", 0, 20, true, "20030404"},
  };
  CDate8 d;
  for (const auto& c : cases) {
    EXPECT_EQ(c.add ? d.DateAfter(c.from, c.months, c.days) : d.DateBefore(c.from, c.months, c.days), c.to)
        << c.from;
    EXPECT_EQ(d.GetText(), c.to);
  }
  EXPECT_EQ(d.DateAfter("", 1, 1), "");
  // Stepping an empty field: plus gives 1 January of year 0, minus nothing.
  d.SetStored("");
  EXPECT_EQ(d.AddMonthsDays(0, 1), "00000101");
  EXPECT_EQ(d.FormatFields(false, 0), "01/01/00");
  d.SetStored("");
  EXPECT_EQ(d.SubtractMonthsDays(0, 1), "");
  EXPECT_TRUE(CDate8::IsLeapYear(2000));
  EXPECT_FALSE(CDate8::IsLeapYear(1900));
}

TEST(PhoneTypes, Lookups) {
  const std::pair<const char*, int> byName[] = {
      {"Home", 10}, {"Other", 80}, {"Phone", 10}, {"home", -1}, {"", 10}, {"Mail", 60}};
  for (const auto& c : byName) EXPECT_EQ(PhoneTypeList.GetCodeByName(c.first), c.second) << c.first;
  EXPECT_EQ(PhoneTypeList.GetNameByCode(35), "");
  EXPECT_EQ(PhoneTypeList.GetLetterByCode(35), "");
  EXPECT_EQ(PhoneTypeList.GetNameByCode(70), "Emergency");
  EXPECT_EQ(PhoneTypeList.GetLetterByCode(30), "c");
  EXPECT_EQ(PhoneTypeList.GetCount(), 8);
  EXPECT_EQ(PhoneTypeList.GetNames().GetSize(), 8);
}
