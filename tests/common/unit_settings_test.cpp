// The stored unit settings file: its text form, a salted password hash,
// and a replacement that fails as a whole.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "CommonTestUtil.h"
#include "common/UnitSettings.h"

namespace {

TEST(UnitSettings, WrittenAndReadBack) {
  TempFolder dir;
  UnitSettings s;
  s.unitType = 4;
  s.unitNumber = "4211";
  s.passwordHash = HashPassword("campfire");
  s.prompt = "Troop password:";
  const std::string path = UnitSettingsPath(dir.path());
  ASSERT_EQ(WriteUnitSettings(path, s), 1);
  EXPECT_EQ(ReadBytes(path), "Unit Type\t= 4\r\nUnit Number\t= 4211\r\nPassword\t= " + s.passwordHash +
                                 "\r\nPassword Prompt\t= Troop password:\r\n");
  EXPECT_EQ(ReadBytes(path).find("campfire"), std::string::npos);
  UnitSettings back;
  std::string error;
  ASSERT_EQ(ReadUnitSettings(path, &back, &error), 1) << error;
  EXPECT_EQ(back.unitType, 4);
  EXPECT_EQ(back.unitNumber, "4211");
  EXPECT_EQ(back.prompt, "Troop password:");
  EXPECT_TRUE(PasswordMatches("campfire", back.passwordHash));
  EXPECT_FALSE(PasswordMatches("Campfire", back.passwordHash));
  EXPECT_FALSE(PasswordMatches("", back.passwordHash));
}

TEST(UnitSettings, HashesAreSaltedAndEmptyMeansNone) {
  EXPECT_NE(HashPassword("same"), HashPassword("same"));
  EXPECT_EQ(HashPassword(""), "");
  EXPECT_TRUE(PasswordMatches("", ""));
  EXPECT_FALSE(PasswordMatches("x", ""));
}

TEST(UnitSettings, ReaderAcceptsLineFeedsAndRefusesBadTypes) {
  TempFolder dir;
  const std::string path = dir / "unitset4.txt";
  WriteBytes(path, "unit type = 2\nUNIT NUMBER=  77  \nOther = x\n");
  UnitSettings s;
  std::string error;
  ASSERT_EQ(ReadUnitSettings(path, &s, &error), 1);
  EXPECT_EQ(s.unitType, 2);
  EXPECT_EQ(s.unitNumber, "77");
  EXPECT_EQ(s.passwordHash, "");
  EXPECT_EQ(s.prompt, "Password:");
  for (const char* bad : {"Unit Type = 6\r\n", "Unit Type = x\r\n", "Unit Type =\r\n"}) {
    WriteBytes(path, bad);
    EXPECT_EQ(ReadUnitSettings(path, &s, &error), 0) << bad;
    EXPECT_EQ(error, "Invalid unit type in " + path);
  }
  EXPECT_EQ(ReadUnitSettings(dir / "missing.txt", &s, &error), 0);
  EXPECT_EQ(error, "Failed open: " + (dir / "missing.txt"));
}

TEST(UnitSettings, FailedReplacementKeepsTheOldFile) {
  TempFolder dir;
  const std::string path = UnitSettingsPath(dir.path());
  UnitSettings s;
  s.unitNumber = "1";
  ASSERT_EQ(WriteUnitSettings(path, s), 1);
  const std::string before = ReadBytes(path);
  s.unitNumber = "2\r\nPassword\t= ";  // a line end would forge a key
  EXPECT_EQ(WriteUnitSettings(path, s), 0);
  s.unitNumber = std::string(1, '3');
  ::chmod(dir.path().c_str(), 0500);  // no temporary file can be made
  const bool rootBypasses = ::access(dir.path().c_str(), W_OK) == 0;
  if (!rootBypasses) {
    EXPECT_EQ(WriteUnitSettings(path, s), 0);
  }
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
