#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/PrintSettings.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/testing/Automation.h"

TEST(UnitVocabulary, WordsTitlesAndResourceIds) {
  ProgramVersion.SetVersion("2", "11");
  SetUnitType(1);
  EXPECT_STREQ(UnitWord, "pack");
  EXPECT_STREQ(SubunitNoun, "Den");
  EXPECT_STREQ(ProgramName, "Dorrick");
  EXPECT_STREQ(ProgramTitle, "Dorrick Quorrin");
  EXPECT_STREQ(ProgramNameVersion, "Dorrick 2.11");
  EXPECT_EQ(DataVersion.GetAppName(), "Dorrick Database");
  EXPECT_STREQ(NotepadFileName, "vdwin.txt");
  EXPECT_STREQ(MemberKindWords[2], "Den");
  SetUnitType(4);
  EXPECT_EQ(SplashBitmapId, 265);
  EXPECT_EQ(ToolbarResourceId, 254);
  SetUnitType(5);
  EXPECT_STREQ(MasterAppName, "Brindlex AHG");
  EXPECT_EQ(SplashBitmapId, 266);  // no pictures of its own: the troop's
  SetUnitType(0);
}

TEST(UnitVocabulary, TextMacros) {
  ProgramVersion.SetVersion("2", "11");
  SetUnitType(1);
  SetMonthMacros(6);
  const std::pair<const char*, const char*> cases[] = {
      {"Each &subunit of the &unit", "Each den of the pack"},
      {"&Subunit and &Unit", "Den and Pack"},
      {"About &vtitle", "About Dorrick 2.11"},
      {"&title for &master_app", "Dorrick for Harrowin"},
      {"&month01 to &month12", "JULY to JUNE"},
      {"Fish & chips", "Fish   chips"},
      {"no macros", "no macros"},
  };
  for (const auto& c : cases) {
    char text[64];
    std::strcpy(text, c.first);
    ExpandTextMacros(text, sizeof text);
    EXPECT_STREQ(text, c.second) << c.first;
  }
  char small[12] = "&vtitle";
  ExpandTextMacros(small, sizeof small);
  EXPECT_STREQ(small, "Dorrick 2.1");  // stops at the buffer's end
  SetMonthMacros(0);
  SetUnitType(0);
}

namespace {
class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    ThePrintSetup = PrintSetupRecord{};
  }
  void TearDown() override {
    SettingsFileName[0] = '\0';
    ThePrintSetup = PrintSetupRecord{};
  }
  std::string Keys(const char* section) {
    std::string keys;
    std::string bytes = ReadBytes(SettingsFileName);
    for (std::size_t at = 0; at + 536 <= bytes.size(); at += 536)
      if (bytes.compare(at, std::strlen(section) + 1, std::string(section) + '\0') == 0) keys += bytes[at + 9];
    return keys;
  }
  TempFolder dir;
};
}  // namespace

TEST_F(PrintTest, DefaultsRaisedToThePrinter) {
  ThePrintSetup.unprintableBottom = 0.6f;
  char face[255];
  int size, weight, italic, portrait;
  float l, r, t, b;
  GetPrintSettings(3, 0, face, sizeof face, &size, &weight, &italic, &portrait, &l, &r, &t, &b);
  EXPECT_STREQ(face, "Arial");
  EXPECT_EQ(size, 10);
  EXPECT_EQ(weight, 400);
  EXPECT_EQ(italic, 0);
  EXPECT_EQ(portrait, 0);
  EXPECT_FLOAT_EQ(l, 0.75f);
  EXPECT_FLOAT_EQ(b, 0.6f);
}

TEST_F(PrintTest, PagesKeepOnlyWhatDiffersAndNothingIsLost) {
  SavePrintSettings(0, "Times", 10, 700, 0, 1, 0.75f, 0.75f, 0.75f, 0.5f);
  EXPECT_EQ(Keys("PRINT"), "AC");
  SavePrintSettings(7, "Times", 10, 700, 0, 1, 1.0f, 0.75f, 0.75f, 0.5f, 1);
  EXPECT_EQ(Keys("PAGE7"), "F");
  SavePrintSettings(8, "Times", 10, 700, 0, 0, 0.75f, 0.75f, 0.75f, 0.5f, 1);
  EXPECT_EQ(Keys("PAGE8"), "E");

  char face[255];
  int weight, portrait;
  float left;
  GetPrintSettings(7, 1, face, sizeof face, nullptr, &weight, nullptr, &portrait, &left, nullptr, nullptr, nullptr);
  EXPECT_STREQ(face, "Times");
  EXPECT_EQ(weight, 700);
  EXPECT_FLOAT_EQ(left, 1.0f);
  GetPrintSettings(8, 1, nullptr, 0, nullptr, nullptr, nullptr, &portrait, &left, nullptr, nullptr, nullptr);
  EXPECT_EQ(portrait, 0);
  EXPECT_FLOAT_EQ(left, 0.75f);  // page 7's margin is page 7's only
  // Saving "PRINT" again unchanged keeps the non-default choice.
  SavePrintSettings(0, "Times", 10, 700, 0, 1, 0.75f, 0.75f, 0.75f, 0.5f);
  GetPrintSettings(0, 1, face, sizeof face, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_STREQ(face, "Times");
}

TEST(Validation, FieldsNumbersDatesAndTimes) {
  const struct {
    const char* name;
    const char* text;
    int required;
    int kind;
    int flags;
    const char* min;
    const char* max;
    const char* message;  // null: accepted
  } cases[] = {
      {"Name", "", 0, FIELD_NUMBER, 0, nullptr, nullptr, nullptr},
      {"name", "", 1, FIELD_TEXT, 0, nullptr, nullptr, "Name:  A value must be supplied"},
      {"", "  ", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, "A value must be supplied"},
      {"Amount", "-12.5", 1, FIELD_NUMBER, 0, nullptr, nullptr, nullptr},
      {"Amount", "+12", 1, FIELD_NUMBER, 0, nullptr, nullptr, nullptr},
      {"Amount", "12-", 1, FIELD_NUMBER, 0, nullptr, nullptr, "Amount:  Invalid number"},
      {"Amount", "1.2.3", 1, FIELD_NUMBER, 0, nullptr, nullptr, "Amount:  Invalid number"},
      {"Count", "1.0", 1, FIELD_NUMBER, VN_WHOLE, nullptr, nullptr, "Count:  Value must be a whole number"},
      {"Count", "120", 1, FIELD_NUMBER, VN_WHOLE, "1", "99", "Count:  Value out of range (1 - 99)"},
      {"Date", "20040229", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, nullptr},
      {"Date", "20030229", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, "Date:  Invalid day (01-28)"},
      {"Date", "20030431", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, "Date:  Invalid day (01-30)"},
      {"Date", "20031301", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, "Date:  Invalid month (01-12)"},
      {"Date", "20x30101", 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, "Date:  Invalid year (0000-9999)"},
      {"Date", "Mar 2003", 1, FIELD_DATE, DF_MON_YYYY, nullptr, nullptr, nullptr},
      {"Date", "Mrz 2003", 1, FIELD_DATE, DF_MON_YYYY, nullptr, nullptr, "Date:  Invalid month (JAN, etc)"},
      {"Time", "240000", 1, FIELD_DATE, DF_HHMISS, nullptr, nullptr, nullptr},
      {"Time", "240100", 1, FIELD_DATE, DF_HHMISS, nullptr, nullptr, "Time:  Invalid minute (must be 00 when hh is 24)"},
      {"Time", "126000", 1, FIELD_DATE, DF_HHMISS, nullptr, nullptr, "Time:  Invalid minute (00-59)"},
      {"Date", "20040101", 1, FIELD_DATE, DF_YYYYMMDD, "20030101", "20031231",
       "Date:  Value out of range (01/01/03 - 12/31/03)"},
  };
  for (const auto& c : cases) {
    char text[64];
    std::strcpy(text, c.text);
    char message[256] = "";
    bool ok = ValidateField(c.name, text, c.required, c.kind, c.flags, c.min, c.max, message);
    EXPECT_EQ(ok, c.message == nullptr) << c.text;
    if (c.message) {
      EXPECT_STREQ(message, c.message) << c.text;
    }
  }
  char upper[16] = "troop 12";
  EXPECT_TRUE(ValidateField("Unit", upper, 1, FIELD_TEXT, VF_UPPER, nullptr, nullptr, nullptr, 0));
  EXPECT_STREQ(upper, "TROOP 12");
}

TEST(Validation, DatePairWithinTheFiscalYear) {
  std::strcpy(FiscalStartDate, "20030701");
  std::strcpy(FiscalEndDate, "20040630");
  char message[256];
  EXPECT_TRUE(ValidateDatePair("20030801", "20030901", nullptr, nullptr, message));
  EXPECT_FALSE(ValidateDatePair("20040701", "20040702", nullptr, nullptr, message));
  EXPECT_STREQ(message, "First Date:  Value out of range (07/01/03 - 06/30/04)");
  CString text;
  EXPECT_FALSE(ValidateDatePairStr("20030901", "20030801", nullptr, nullptr, text));
  EXPECT_EQ(text, "Second Date:  Value out of range (09/01/03 - 06/30/04)");
}

TEST(Validation, PathsKeepTheirCaseAndAskAsTheFlagsSay) {
  TempFolder dir;
  char message[256];
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s/Backup/", dir.path().c_str());
  automation::ExpectMessageBox("Question", "Folder does not exist.\n\nDo you wish to create it?", 2);
  EXPECT_TRUE(ValidatePath(path, VP_FOLDER | VP_MUST_EXIST | VP_OFFER_CREATE, message));
  EXPECT_EQ(std::string(path), dir.path() + "/Backup");  // case kept, trailing "/" dropped
  EXPECT_FALSE(ValidatePath(path, VP_FOLDER | VP_MUST_EXIST, message));
  EXPECT_STREQ(message, "Folder does not exist");
  std::snprintf(path, sizeof path, "%s", dir.path().c_str());
  EXPECT_FALSE(ValidatePath(path, VP_FOLDER | VP_MUST_NOT_EXIST, message));
  EXPECT_STREQ(message, "Folder already exists");
  std::snprintf(path, sizeof path, "%s/a*b", dir.path().c_str());
  EXPECT_FALSE(ValidatePath(path, VP_FOLDER, message));
  EXPECT_STREQ(message, "Invalid characters found");
  std::snprintf(path, sizeof path, "%s/none/file.txt", dir.path().c_str());
  EXPECT_FALSE(ValidatePath(path, VP_FOLDER | VP_FILE, message));
  EXPECT_STREQ(message, "Folder does not exist");
  std::snprintf(path, sizeof path, "%s", dir.path().c_str());
  EXPECT_FALSE(ValidatePath(path, VP_FOLDER | VP_FLOPPY, message));
  EXPECT_STREQ(message, "Not a floppy drive");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}
