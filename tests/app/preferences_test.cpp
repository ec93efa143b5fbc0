#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/Preferences.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"

namespace {

class PreferencesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", dir.path().c_str());
    SetMailLabelNameAccess({nullptr, nullptr});
  }
  std::string Stored(char key) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, "CONFIG");
    char value[kSettingsValueMax + 1];
    GetSettingText(s, key, "<none>", value);
    CloseSettingsSection(s);
    return value;
  }

  TempFolder dir;
};

TEST_F(PreferencesTest, MissingSectionLoadsDefaults) {
  WriteBytes(dir / "calendar.exe", "");
  // Scribble over every global first, so that each default is seen to load.
  std::strcpy(CalculatorPath, "junk");
  std::strcpy(NotepadPath, "junk");
  BackupMode = IntegrityCheckMode = 7;
  BackgroundColour = 1;
  BackgroundMode = StretchPicture = 5;
  UseGridEntry = 0;
  for (COLORREF& c : GridColours) c = 0;

  ASSERT_EQ(XferConfig(0), 1);
  EXPECT_STREQ(CalculatorPath, "");  // "c:\windows\calc.exe" does not exist here
  EXPECT_STREQ(NotepadPath, "");
  EXPECT_EQ(std::string(CalendarPath), dir / "calendar.exe");
  EXPECT_EQ(BackupMode, 0);
  EXPECT_EQ(IntegrityCheckMode, 0);
  EXPECT_STREQ(ImportFolder, "A:\\");
  EXPECT_STREQ(UserPictureFile, "");
  EXPECT_EQ(StretchPicture, 0);
  EXPECT_EQ(BackgroundColour, RGB(0, 128, 128));
  EXPECT_EQ(BackgroundMode, 0);
  EXPECT_STREQ(CurrentMailLabelName(), "Avery 5160 - Address");
  EXPECT_EQ(UseGridEntry, 1);
  const COLORREF expected[10] = {RGB(91, 173, 142),  RGB(204, 255, 204), RGB(230, 255, 230), RGB(255, 255, 127),
                                 RGB(255, 177, 177), RGB(51, 204, 204),  RGB(180, 255, 255), RGB(230, 255, 255),
                                 RGB(255, 255, 127), RGB(255, 177, 177)};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GridColours[i], expected[i]) << i;
}

TEST_F(PreferencesTest, StoreAndLoadRoundTrip) {
  WriteBytes(dir / "calendar.exe", "");
  WriteBytes(dir / "calc", "");
  XferConfig(0);
  std::snprintf(CalculatorPath, sizeof CalculatorPath, "%s", (dir / "calc").c_str());
  CalendarPath[0] = '\0';  // cleared on the Tools page
  NotepadPath[0] = '\0';
  BackupMode = 2;
  IntegrityCheckMode = 1;
  std::strcpy(UserPictureFile, "/pictures/camp.bmp");
  StretchPicture = 1;
  BackgroundColour = RGB(1, 2, 3);
  std::strcpy(BackgroundColourName, "Grey - Deep");
  BackgroundMode = 1;
  UseGridEntry = 0;
  GridColours[9] = RGB(9, 9, 9);
  SetMailLabelNameAccess({[](const char*) {}, [] { return "Avery 5161 - Address"; }});
  ASSERT_EQ(XferConfig(1), 1);
  SetMailLabelNameAccess({nullptr, nullptr});

  EXPECT_EQ(Stored('A'), dir / "calc");
  EXPECT_EQ(Stored('B'), "x");  // an empty path is kept as "x"
  EXPECT_EQ(Stored('C'), "x");
  EXPECT_EQ(Stored('F'), "<none>");  // the import folder is never written here
  EXPECT_EQ(Stored('I'), "197121");
  EXPECT_EQ(Stored('M'), "N");

  std::strcpy(UserPictureFile, "junk");
  BackupMode = IntegrityCheckMode = BackgroundMode = StretchPicture = 0;
  BackgroundColour = 0;
  UseGridEntry = 1;
  GridColours[9] = 0;
  ASSERT_EQ(XferConfig(0), 1);
  EXPECT_EQ(std::string(CalculatorPath), dir / "calc");
  EXPECT_STREQ(CalendarPath, "");  // not the default, although calendar.exe exists
  EXPECT_STREQ(NotepadPath, "");
  EXPECT_EQ(BackupMode, 2);
  EXPECT_EQ(IntegrityCheckMode, 1);
  EXPECT_STREQ(UserPictureFile, "/pictures/camp.bmp");
  EXPECT_EQ(StretchPicture, 1);
  EXPECT_EQ(BackgroundColour, RGB(1, 2, 3));
  EXPECT_STREQ(BackgroundColourName, "Grey - Deep");
  EXPECT_EQ(BackgroundMode, 1);
  EXPECT_STREQ(CurrentMailLabelName(), "Avery 5161 - Address");
  EXPECT_EQ(UseGridEntry, 0);
  EXPECT_EQ(GridColours[9], RGB(9, 9, 9));
}

TEST_F(PreferencesTest, ToolPathOfMissingFileIsDropped) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "CONFIG");
  PutSettingText(s, 'C', (dir / "gone.exe").c_str());
  CloseSettingsSection(s);
  XferConfig(0);
  EXPECT_STREQ(NotepadPath, "");
}

TEST_F(PreferencesTest, StoreRecomputesTodayAgainstYearAndResetsReportDates) {
  std::strcpy(FiscalStartDate, "20050901");
  std::strcpy(FiscalEndDate, "20060831");
  std::strcpy(TodayDate, "20070101");
  TodayVsFiscalYear = 0;
  XferConfig(0);
  EXPECT_EQ(TodayVsFiscalYear, 0);
  XferConfig(1);
  EXPECT_EQ(TodayVsFiscalYear, 1);
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPTDATE");
  char first[kSettingsValueMax + 1], second[kSettingsValueMax + 1];
  GetSettingText(s, 'B', "", first);
  GetSettingText(s, 'C', "", second);
  CloseSettingsSection(s);
  EXPECT_STREQ(first, "20050901");
  EXPECT_STREQ(second, "20060831");
}

}  // namespace
