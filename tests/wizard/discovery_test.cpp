// Discovery of the previous installation over old installations.
#include <gtest/gtest.h>

#include <filesystem>

#include "OldInstall.h"
#include "WizardTestUtil.h"
#include "wizard/Conversion.h"

namespace {

using oldinst::OldInstall;
using oldinst::OldRec;

TEST(Discovery, YearsSortedWithTheirFoldersFoundBelowThePreviousFolder) {
  OldInstall inst(2);
  // Out of order, two-digit and four-digit years.
  inst.WriteConfig({"2001", "98", "20"});
  inst.WriteRecords("acct", "98", {OldRec(46)});
  CConversion job;
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1) << job.GetErrorText();
  EXPECT_EQ(job.GetOldVersion(), 2);
  EXPECT_EQ(job.GetYears(), (std::vector<std::string>{"1998", "2001", "2020"}));
  // "C:\OLDTROOP\FY98": the drive's path ends below the previous folder,
  // found whatever its case.
  EXPECT_EQ(job.GetOldFolders(), (std::vector<std::string>{inst.YearFolder("98"), inst.YearFolder("01"),
                                                           inst.YearFolder("20")}));
  EXPECT_EQ(job.GetImportFolder(), "C:\\IMPORT");
  EXPECT_EQ(job.OldFilePath(0, kFileAcct), inst.OldPath("acct", "98"));
  EXPECT_EQ(job.OldFilePath(5, kFileAcct), "");
}

TEST(Discovery, DriveRootStandsForTheDriveLetter) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  std::filesystem::create_directories(inst.Base() + "/drive/OldTroop/FY08");
  CConversion job;
  job.SetDriveRoot(inst.Base() + "/drive");
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1);
  EXPECT_EQ(job.GetOldFolders(), (std::vector<std::string>{inst.Base() + "/drive/OldTroop/FY08"}));
}

TEST(Discovery, VersionFourOrNoConfigurationIsRefused) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteText(inst.OldFolder() + "/config4.sl", "Fiscal Year = 2008\r\n");
  CConversion job;
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  EXPECT_EQ(job.ReadOldConfig(), 0);
  EXPECT_EQ(job.GetErrorText(), "Old version cannot be the same as the new version");
  EXPECT_EQ(job.GetOldFolder(), "");

  OldInstall empty(1);
  ASSERT_EQ(job.SetOldFolder(empty.OldFolder()), 1);
  EXPECT_EQ(job.ReadOldConfig(), 0);
  EXPECT_EQ(job.GetErrorText(), "Could not find old configuration file:  " + empty.OldFolder() + "/config1.sl");
  EXPECT_EQ(job.GetOldFolder(), "");
}

TEST(Discovery, ScanListsMembersAndSubunitsOnce) {
  OldInstall inst(1);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  // A member of "adults" (another case) is not marked as an adult.
  OldRec odd(216);
  odd.Text(0, 12, "Olga").Text(12, 16, "Case").Text(28, 14, "adults");
  OldRec blank(216);
  inst.WriteRecords("scout", "08", {odd, blank});
  inst.WriteText(inst.OldPath("unit", "08"), "subunit = Owl\r\nSUBUNIT = Eagle\r\nNo equals sign\r\n");
  CConversion job;
  job.SetAdultSubunit("Adults");
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1);
  ASSERT_EQ(job.ScanOldData(), 1) << job.GetErrorText();
  EXPECT_EQ(job.GetMembers(), (std::vector<std::string>{" Smith, Anna", " Jones, Ben", "*Brown, Carl", " Gone, Dan",
                                                        " Eagle, Patrol", " Case, Olga"}));
  EXPECT_EQ(job.GetSubunits(), (std::vector<std::string>{"Eagle", "Hawk", "Adults", "Owl"}));
}

TEST(Discovery, MissingUnitFileStopsTheScan) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  CConversion job;
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1);
  EXPECT_EQ(job.ScanOldData(), 0);
  EXPECT_EQ(job.GetErrorText(), "Failed Open:  " + inst.OldPath("unit", "08"));
}

}  // namespace
