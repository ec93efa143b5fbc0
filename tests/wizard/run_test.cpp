// The conversion run: years that fail or are skipped, the configuration it
// writes, injected write failures, capacity cuts with their status lines,
// and the files outside the year folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "OldInstall.h"
#include "WizardTestUtil.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/Records.h"
#include "wizard/Conversion.h"

namespace {

using oldinst::I32At;
using oldinst::OldInstall;
using oldinst::OldRec;
using oldinst::ReadFile;
using oldinst::TextAt;

std::string ReadText(const std::string& path) {
  auto b = ReadFile(path);
  return std::string(b.begin(), b.end());
}

class Run : public testing::Test {
 protected:
  void TearDown() override { SetWriteFaultHook(nullptr); }
  std::string Config(const OldInstall& inst) { return ReadText(inst.NewFolder() + "/config4.sl"); }
};

TEST_F(Run, FailedYearIsLeftOutOfTheConfiguration) {
  OldInstall inst(2);
  inst.WriteConfig({"98", "99", "00"});
  for (const char* yy : {"98", "99", "00"}) inst.WriteStandardYear(yy);
  CConversion job;
  PrepareJob(job, inst);
  // 1999's folder cannot be made: its parent does not exist.
  std::vector<std::string> folders = job.GetNewFolders();
  folders[1] = inst.Base() + "/none/fy1999";
  ASSERT_EQ(job.SetNewFolders(folders), 1);
  EXPECT_EQ(job.ConvertAll(), 1);
  EXPECT_EQ(job.GetYearStatus(), (std::vector<unsigned>{kStatusSuccessful, kStatusError, kStatusSuccessful}));
  EXPECT_EQ(job.GetStatusLines()[3], "1999:\t\tError");
  EXPECT_EQ(job.GetResult(), kStatusError);
  EXPECT_EQ(Config(inst), "Fiscal Year\t= 2000\nProgram Folder\t= " + inst.NewFolder() + "\nData Folder\t= 1998/" +
                              inst.NewFolder() + "/fy1998\nData Folder\t= 2000/" + inst.NewFolder() + "/fy2000\n");
}

TEST_F(Run, FailedLastYearStillWritesTheConfiguration) {
  OldInstall inst(3);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  CConversion job;
  PrepareJob(job, inst);
  std::filesystem::remove(inst.OldPath("unit", "08"));
  const std::string message = "Failed open: " + inst.OldPath("unit", "08");
  // Shown once by the unit converter; the run does not repeat it.
  automation::ExpectMessageBox("Error", message, IDOK);
  EXPECT_EQ(job.ConvertAll(), 0);
  EXPECT_EQ(job.GetErrorText(), message);
  EXPECT_EQ(job.GetYearStatus(), (std::vector<unsigned>{kStatusSuccessful, kStatusError}));
  EXPECT_EQ(Config(inst), "Fiscal Year\t= 2007\nProgram Folder\t= " + inst.NewFolder() + "\nData Folder\t= 2007/" +
                              inst.NewFolder() + "/fy2007\n");
  // The converters before the unit file wrote theirs, those after did not.
  EXPECT_TRUE(std::filesystem::exists(NewYearFile(inst, "budge", "08")));
  EXPECT_FALSE(std::filesystem::exists(NewYearFile(inst, "scout", "08")));
}

TEST_F(Run, InjectedWriteFailureMarksTheYearError) {
  OldInstall inst(2);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  CConversion job;
  PrepareJob(job, inst);
  const std::string trans = NewYearFile(inst, "trans", "07");
  SetWriteFaultHook([trans](const std::string& path) { return path == trans; });
  automation::AlwaysAnswer("Error", "Failed write: " + trans, IDOK);
  EXPECT_EQ(job.ConvertAll(), 1);
  EXPECT_EQ(job.GetYearStatus(), (std::vector<unsigned>{kStatusError, kStatusSuccessful}));
  EXPECT_EQ(job.GetStatusLines()[2], "2007:\t\tError");
  EXPECT_EQ(job.GetResult(), kStatusError);
  EXPECT_EQ(Config(inst).find("2007/"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(NewYearFile(inst, "suppt", "07")));
}

TEST_F(Run, FailedConfigurationLeavesTheOldOneWhole) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  const std::string config = inst.NewFolder() + "/config4.sl";
  inst.WriteText(config, "Fiscal Year\t= 2006\r\n");
  CConversion job;
  PrepareJob(job, inst);
  SetWriteFaultHook([config](const std::string& path) { return path == config; });
  automation::AlwaysAnswer("Error", "Failed write: " + config, IDOK);
  EXPECT_EQ(job.ConvertAll(), 0);
  EXPECT_EQ(ReadText(config), "Fiscal Year\t= 2006\r\n");
  EXPECT_EQ(job.GetStatusLines()[3], "Configuration:\tFailed");
  EXPECT_EQ(job.GetResult(), kStatusFailed);
  for (const auto& entry : std::filesystem::directory_iterator(inst.NewFolder()))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(Run, UnselectedYearIsSkippedAndSkippedYearsWriteNoDataFolder) {
  OldInstall inst(2);
  inst.WriteConfig({"98", "99"});
  inst.WriteStandardYear("98");
  inst.WriteStandardYear("99");
  CConversion job;
  PrepareJob(job, inst);
  job.SetYearSelection({0, 0});
  EXPECT_EQ(job.ConvertAll(), 1);
  EXPECT_EQ(job.GetStatusLines()[2], "1998:\t\tSkipped");
  EXPECT_FALSE(std::filesystem::exists(inst.NewFolder() + "/fy1998"));
  EXPECT_EQ(Config(inst), "Fiscal Year\t= 1998\nProgram Folder\t= " + inst.NewFolder() + "\n");
  EXPECT_EQ(job.GetResult(), kStatusSuccessful);  // the setup steps succeeded; skipped years do not count
}

TEST_F(Run, WorksheetsCopiedRecordByRecord) {
  for (int size : {244, 200}) {
    OldInstall inst(3);
    inst.WriteConfig({"08"});
    inst.WriteText(inst.OldPath("worksht", ""), std::string(static_cast<std::size_t>(size), 'w'));
    CConversion job;
    ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
    ASSERT_EQ(job.SetInstallFolder(inst.NewFolder()), 1);
    ASSERT_EQ(job.ReadOldConfig(), 1);
    EXPECT_EQ(job.ConvertWorksheets(), 1);
    EXPECT_EQ(ReadFile(inst.NewFolder() + "/worksht4.dat").size(), size == 244 ? 256u : 128u);
  }
}

TEST_F(Run, ExistingSettingsAndPasswordAreKept) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  const std::string udata = inst.NewFolder() + "/udata4.dat";
  {
    SettingsSection* s = OpenSettingsSection(udata.c_str(), "MAINWIN");
    ASSERT_NE(s, nullptr);
    PutSettingText(s, 'A', "kept");
    CloseSettingsSection(s);
  }
  UnitSettings before;
  before.unitType = 3;
  before.passwordHash = HashPassword("secret");
  ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(inst.NewFolder()), before), 1);
  CConversion job;
  PrepareJob(job, inst);
  ASSERT_EQ(job.SetAppType(1), 1);
  ASSERT_EQ(job.ConvertAll(), 1);
  SettingsSection* s = OpenSettingsSection(udata.c_str(), "MAINWIN");
  char value[256];
  GetSettingText(s, 'A', "", value);
  EXPECT_STREQ(value, "kept");
  CloseSettingsSection(s);
  UnitSettings after;
  std::string error;
  ASSERT_EQ(ReadUnitSettings(UnitSettingsPath(inst.NewFolder()), &after, &error), 1);
  EXPECT_EQ(after.unitType, 1);
  EXPECT_EQ(after.unitNumber, "123");
  EXPECT_TRUE(PasswordMatches("secret", after.passwordHash));
  EXPECT_FALSE(PasswordMatches("Secret", after.passwordHash));
}

TEST_F(Run, CapacityCutsAreReported) {
  OldInstall inst(1);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  std::vector<OldRec> accounts, equipment, members, trans;
  for (int i = 0; i < 120; ++i) accounts.push_back(OldRec(46).I16(0, 1000 + i));
  for (int i = 0; i < 401; ++i) equipment.push_back(OldRec(96).Text(0, 21, "Item"));
  for (int i = 0; i < 330; ++i) members.push_back(OldRec(216).Text(0, 12, "M").Text(12, 16, std::to_string(i)));
  trans.push_back(OldRec(76).I16(0, 1).I32(4, 123456789));
  inst.WriteRecords("acct", "08", accounts);
  inst.WriteRecords("equip", "08", equipment);
  inst.WriteRecords("scout", "08", members);
  inst.WriteRecords("trans", "08", trans);
  std::string unit = "FISCAL DATE = 002008\r\n";
  for (int i = 0; i < 30; ++i) unit += "SUBUNIT = S" + std::to_string(i) + "\r\n";
  for (const char* a : {"1 A St", "2 B St", "A line far longer than the slot", "Springfield, IL 62701"})
    unit += std::string("ADDRESS = ") + a + "\r\n";
  inst.WriteText(inst.OldPath("unit", "08"), unit);
  CConversion job;
  PrepareJob(job, inst);
  ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  EXPECT_EQ(job.GetYearStatus()[0], static_cast<unsigned>(kStatusSuccessful));
  const auto& lines = job.GetStatusLines();
  for (const char* line : {"2008 equipment items:\t1 cut at the limit of 400",
                           "2008 accounts:\t21 cut at the limit of 100",
                           "2008 address lines:\t2 cut at the limit of 3 lines of 26 characters",
                           "2008 members:\t5 cut at the limit of 325",
                           "2008 sub-units:\t30 cut at the limit of 325 members",
                           "2008 transaction numbers:\t1 cut at the limit of 8 characters"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  auto acct = ReadFile(NewYearFile(inst, "acct", "08"));
  ASSERT_EQ(acct.size(), static_cast<std::size_t>(100 * kAccountRecordSize));
  EXPECT_EQ(I32At(acct, 99 * kAccountRecordSize), 900);
  EXPECT_EQ(ReadFile(NewYearFile(inst, "equip", "08")).size(), static_cast<std::size_t>(400 * kEquipmentRecordSize));
  // 325 members, none of them a sub-unit: no room for the 30 names.
  EXPECT_EQ(ReadFile(NewYearFile(inst, "scout", "08")).size(), static_cast<std::size_t>(325 * kMemberRecordSize));
  EXPECT_EQ(TextAt(ReadFile(NewYearFile(inst, "trans", "08")), 12, 9), "12345678");
  std::string newUnit = ReadText(NewYearFile(inst, "unit", "08"));
  EXPECT_NE(newUnit.find("ADDRESS = 1 A St\nADDRESS = 2 B St\nCITY = Springfield\nSTATE = IL\nZIP = 62701\n"),
            std::string::npos)
      << newUnit;
}

TEST_F(Run, SubunitsAppendedUpToTheLimit) {
  OldInstall inst(2);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  std::string unit = "FISCAL DATE = 002008\r\n";
  for (int i = 0; i < 30; ++i) unit += "SUBUNIT = S" + std::to_string(i) + "\r\n";
  inst.WriteText(inst.OldPath("unit", "08"), unit);
  CConversion job;
  PrepareJob(job, inst);
  ASSERT_EQ(job.ConvertAll(), 1);
  // Five old members, the dummy one a sub-unit: 24 names fit beside it.
  auto f = ReadFile(NewYearFile(inst, "scout", "08"));
  EXPECT_EQ(f.size(), static_cast<std::size_t>((5 + 24) * kMemberRecordSize));
  EXPECT_EQ(TextAt(f, 5 * kMemberRecordSize + 160, 30), "S0");
}

TEST_F(Run, VersionOneEquipmentConditionAndShares) {
  OldInstall inst(1);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  std::vector<OldRec> items;
  for (float value : {80.0f, 74.99f, 49.99f, 100.0f, 120.0f})
    items.push_back(OldRec(96).F32(42, 100.0f).F32(90, value).Text(21, 7, "991231"));
  inst.WriteRecords("equip", "08", items);
  // A share of a line whose split takes money out, and one without a split.
  inst.WriteRecords("split", "08", {OldRec(16).I16(0, 10).I16(14, -1)});
  inst.WriteRecords("subac", "08", {OldRec(10).I16(0, 10).F32(4, 5.0f), OldRec(10).I16(0, 20).F32(4, 5.0f)});
  CConversion job;
  PrepareJob(job, inst);
  automation::AlwaysAnswer("Error", "", IDOK);
  job.ConvertAll();
  auto e = ReadFile(NewYearFile(inst, "equip", "08"));
  std::string conditions;
  for (int i = 0; i < 5; ++i) conditions += static_cast<char>(e[static_cast<std::size_t>(i * kEquipmentRecordSize + 68)]);
  EXPECT_EQ(conditions, "GFPEG");
  EXPECT_EQ(TextAt(e, 28, 9), "19991231");
  EXPECT_EQ(TextAt(e, kEquipmentRecordSize, 7), "2");
  auto s = ReadFile(NewYearFile(inst, "subac", "08"));
  ASSERT_EQ(s.size(), static_cast<std::size_t>(2 * kSubAccountRecordSize));
  EXPECT_EQ(I32At(s, 8), 0);
  EXPECT_EQ(I32At(s, 12), 500);
  EXPECT_EQ(I32At(s, 24 + 8), 500);
  EXPECT_EQ(I32At(s, 24 + 12), 0);

  // Without the split file the year fails (converted afresh: a year
  // already holding data is never converted over).
  std::filesystem::remove(inst.OldPath("split", "08"));
  std::filesystem::remove_all(inst.NewFolder() + "/fy2008");
  EXPECT_EQ(job.ConvertAll(), 0);
  EXPECT_EQ(job.GetErrorText(), "Failed open: " + inst.OldPath("split", "08"));
}

}  // namespace

namespace {

TEST_F(Run, ARerunIntoAnInstallationInUseKeepsItsYearsAndTheirEntries) {
  OldInstall inst(3);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  {
    CConversion job;
    PrepareJob(job, inst);
    ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  }
  // Used since: a later year rolled over and made current, an entry made
  // in 2008.
  const std::string config = inst.NewFolder() + "/config4.sl";
  const std::string used = ReadText(config) + "Trace Level\t= 0\nData Folder\t= 2009/" + inst.NewFolder() + "/fy2009\n";
  inst.WriteText(config, "Fiscal Year\t= 2009" + used.substr(used.find('\n')));
  const std::string trans = NewYearFile(inst, "trans", "08");
  {
    std::ofstream out(trans, std::ios::binary | std::ios::app);
    out << std::string(40, 'x');
  }
  const auto entries = ReadFile(trans);
  CConversion job;
  PrepareJob(job, inst);
  automation::AlwaysAnswer("Error", "already holds data", IDOK);
  job.ConvertAll();
  // Neither year is converted over its data; the list keeps every year.
  EXPECT_EQ(job.GetYearStatus(), (std::vector<unsigned>{kStatusError, kStatusError}));
  EXPECT_EQ(ReadFile(trans), entries);
  const std::string after = ReadText(config);
  EXPECT_EQ(after.rfind("Fiscal Year\t= 2009\n", 0), 0u) << after;
  for (const char* year : {"2007/", "2008/", "2009/"})
    EXPECT_NE(after.find(std::string("Data Folder\t= ") + year), std::string::npos) << year << after;
  EXPECT_NE(after.find("Trace Level\t= 0\n"), std::string::npos);
}

TEST_F(Run, ARunThatConvertsNoYearNeverReplacesAConfiguration) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  const std::string config = inst.NewFolder() + "/config4.sl";
  inst.WriteText(config, "Fiscal Year\t= 2006\r\nData Folder\t= 2006/" + inst.NewFolder() + "/fy2006\r\n");
  CConversion job;
  PrepareJob(job, inst);
  job.SetYearSelection({0});
  automation::AlwaysAnswer("Error", "", IDOK);
  job.ConvertAll();
  EXPECT_EQ(ReadText(config), "Fiscal Year\t= 2006\nProgram Folder\t= " + inst.NewFolder() +
                                  "\nData Folder\t= 2006/" + inst.NewFolder() + "/fy2006\n");
  // With no year left in it at all, the file is not written over.
  inst.WriteText(config, "Fiscal Year\t= 2006\r\n");
  CConversion again;
  PrepareJob(again, inst);
  again.SetYearSelection({0});
  EXPECT_EQ(again.ConvertAll(), 0);
  EXPECT_EQ(ReadText(config), "Fiscal Year\t= 2006\r\n");
}

TEST_F(Run, ConvertedBooksArePrivate) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  CConversion job;
  PrepareJob(job, inst);
  ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  for (const auto& e : std::filesystem::recursive_directory_iterator(inst.NewFolder() + "/fy2008")) {
    const auto perms = e.status().permissions() & std::filesystem::perms::all;
    EXPECT_EQ(perms, e.is_directory() ? std::filesystem::perms::owner_all
                                      : (std::filesystem::perms::owner_read | std::filesystem::perms::owner_write))
        << e.path();
  }
  EXPECT_EQ(std::filesystem::status(inst.NewFolder() + "/fy2008").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
}

TEST(Discovery, AnOldInstallationWithoutYearsIsRefused) {
  OldInstall inst(3);
  inst.WriteConfig({});
  CConversion job;
  ASSERT_EQ(job.SetAppType(0), 1);
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  automation::AlwaysAnswer("", "names no fiscal year", IDOK);
  EXPECT_EQ(job.ReadOldConfig(), 0);
  EXPECT_NE(job.GetErrorText().find("names no fiscal year"), std::string::npos) << job.GetErrorText();
}

}  // namespace
