#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommonTestUtil.h"
#include "common/Settings.h"
#include "platform/base/Collections.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

namespace {

// One record as the file holds it, built by hand.
std::string Record(const std::string& section, char key, const std::string& item, const std::string& value) {
  std::string rec(536, '\0');
  rec.replace(0, section.size(), section);
  rec[9] = key;
  rec.replace(10, item.size(), item);
  rec.replace(275, value.size(), value);
  return rec;
}

class SettingsTest : public ::testing::Test {
 protected:
  std::string file() const { return dir / "udata4.dat"; }
  SettingsSection* Open(const char* section) { return OpenSettingsSection(file().c_str(), section); }
  TempFolder dir;
};

}  // namespace

TEST_F(SettingsTest, RecordsAreWrittenByteExact) {
  SettingsSection* s = Open("MAINWIN");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(PutSettingInt(s, 'X', 640), 1);
  EXPECT_EQ(PutSettingString(s, 'A', "2", "second"), 1);
  EXPECT_EQ(PutSettingFloat(s, 'F', 0.75f), 1);
  EXPECT_EQ(PutSettingFlag(s, 'D', 1), 1);
  CloseSettingsSection(s);
  EXPECT_EQ(ReadBytes(file()), Record("MAINWIN", 'X', "", "640") + Record("MAINWIN", 'A', "2", "second") +
                                   Record("MAINWIN", 'F', "", "0.750000") + Record("MAINWIN", 'D', "", "Y"));
}

TEST_F(SettingsTest, RewriteKeepsTheRecordsTailAndReusesFreeSlots) {
  // A record written by another program with bytes after the value area.
  std::string old = Record("CONFIG", 'B', "", "7");
  old.replace(530, 6, "tail!!");
  WriteBytes(file(), old + Record("CONFIG", 'C', "", "1") + Record("CONFIG", 'C', "x", "2"));
  SettingsSection* s = Open("CONFIG");
  EXPECT_EQ(GetSettingInt(s, 'B', 0), 7);
  EXPECT_EQ(PutSettingInt(s, 'B', 9), 1);  // rewritten in place, the tail kept
  EXPECT_EQ(GetSettingInt(s, 'C', 0), 1);  // no item: the first record of the key
  DeleteSettingKey(s, 'C');                 // frees both, whatever the item
  EXPECT_EQ(PutSettingText(s, 'Z', "new"), 1);
  EXPECT_EQ(PutSettingText(s, 'Y', "newer"), 1);
  EXPECT_EQ(PutSettingText(s, 'W', "grows"), 1);
  CloseSettingsSection(s);
  std::string expectedFirst = Record("CONFIG", 'B', "", "9");
  expectedFirst.replace(530, 6, "tail!!");
  EXPECT_EQ(ReadBytes(file()), expectedFirst + Record("CONFIG", 'Z', "", "new") + Record("CONFIG", 'Y', "", "newer") +
                                   Record("CONFIG", 'W', "", "grows"));
}

TEST_F(SettingsTest, DefaultsSharingAndSectionNames) {
  SettingsSection* a = Open("PRINT");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(ReadBytes(file()).empty());  // created empty
  char text[255];
  GetSettingText(a, 'A', "Arial", text);
  EXPECT_STREQ(text, "Arial");
  GetSettingString(a, 'A', nullptr, nullptr, "%s", text);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(GetSettingInt(a, 'B', 10), 10);
  EXPECT_FLOAT_EQ(GetSettingFloat(a, 'F', 0.5f), 0.5f);
  EXPECT_TRUE(GetSettingFlag(a, 'D', 1));

  SettingsSection* b = Open("print");
  EXPECT_EQ(SettingsFileUseCount(file().c_str()), 2);
  PutSettingText(b, 'A', "Courier");
  GetSettingText(a, 'A', "Arial", text);
  EXPECT_STREQ(text, "Arial");  // another section
  PutSettingText(a, 'D', "y");
  EXPECT_FALSE(GetSettingFlag(a, 'D', 1));  // only an upper-case Y is true
  CloseSettingsSection(b);
  EXPECT_EQ(SettingsFileUseCount(file().c_str()), 1);
  CloseSettingsSection(a);
  EXPECT_EQ(SettingsFileUseCount(file().c_str()), 0);

  // A null handle: defaults, and setters do nothing.
  EXPECT_EQ(GetSettingInt(nullptr, 'B', 3), 3);
  EXPECT_EQ(PutSettingInt(nullptr, 'B', 3), 0);
  EXPECT_EQ(OpenSettingsSection((dir / "no/such/folder/udata4.dat").c_str(), "X"), nullptr);
}

TEST_F(SettingsTest, ValuesLongerThanTheFieldAreRefused) {
  SettingsSection* s = Open("BACKUP");
  EXPECT_EQ(PutSettingText(s, 'A', std::string(254, 'p').c_str()), 1);
  automation::ExpectMessageBox("Error", "too long", IDOK);
  EXPECT_EQ(PutSettingText(s, 'A', std::string(255, 'q').c_str()), 0);
  char text[255];
  GetSettingText(s, 'A', "", text);
  EXPECT_EQ(std::string(text), std::string(254, 'p'));
  CloseSettingsSection(s);
  EXPECT_EQ(ReadBytes(file()).size(), 536u);
}

TEST_F(SettingsTest, DamagedFilesNeverCrash) {
  // A value without its terminator, then a truncated record.
  std::string bad = Record("RPT1", 'A', "", "");
  bad.replace(275, 261, std::string(261, 'v'));
  bad.replace(10, 265, std::string(265, 'i'));
  WriteBytes(file(), bad + Record("RPT1", 'B', "", "5").substr(0, 300));
  SettingsSection* s = Open("RPT1");
  char text[255];
  GetSettingText(s, 'A', "", text);
  EXPECT_EQ(std::string(text), std::string(254, 'v'));
  EXPECT_EQ(GetSettingInt(s, 'B', 42), 42);  // the cut record is not read
  EXPECT_EQ(PutSettingInt(s, 'B', 6), 1);     // written where the cut record began
  EXPECT_EQ(GetSettingInt(s, 'B', 42), 6);
  CloseSettingsSection(s);
  EXPECT_EQ(ReadBytes(file()).size(), 2u * 536u);
}

TEST_F(SettingsTest, ScansPastOneBlockOfTwentyRecords) {
  std::string bytes;
  for (int i = 0; i < 45; ++i) bytes += Record("FILL", 'A', std::to_string(i), "x");
  bytes += Record("LATE", 'K', "", "found");
  WriteBytes(file(), bytes);
  SettingsSection* s = Open("LATE");
  char text[255];
  GetSettingText(s, 'K', "", text);
  EXPECT_STREQ(text, "found");
  CloseSettingsSection(s);
}

TEST_F(SettingsTest, StringArraysRoundTripAndShrink) {
  SettingsSection* s = Open("EXPORT");
  CStringArray three;
  three.Add("alpha");
  three.Add("beta");
  three.Add("gamma");
  EXPECT_EQ(PutSettingArray(s, 'L', &three), 3);
  EXPECT_EQ(ReadBytes(file()), Record("EXPORT", 'L', "0", "alpha") + Record("EXPORT", 'L', "1", "beta") +
                                   Record("EXPORT", 'L', "2", "gamma"));
  CStringArray read;
  GetSettingArray(s, 'L', read);
  ASSERT_EQ(read.GetSize(), 3);
  EXPECT_EQ(read[2], "gamma");
  CStringArray one;
  one.Add("only");
  EXPECT_EQ(PutSettingArray(s, 'L', &one), 1);
  GetSettingArray(s, 'L', read);
  ASSERT_EQ(read.GetSize(), 1);
  EXPECT_EQ(read[0], "only");
  CloseSettingsSection(s);
}
