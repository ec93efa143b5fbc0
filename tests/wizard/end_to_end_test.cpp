// A whole year of each old version converted, then opened by the record
// store and put through the integrity check with recalculation: nothing
// to repair, and every balance as the old data held it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "OldInstall.h"
#include "WizardTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "platform/testing/Automation.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"

namespace {

using oldinst::OldInstall;

class EndToEnd : public testing::TestWithParam<int> {};

AccountRecord AccountByNumber(int number) {
  AccountRecord a;
  for (int r = 0; ReadRecord(AcctFile, a, r) == 1; ++r)
    if (a.number == number) return a;
  ADD_FAILURE() << "no account " << number;
  return AccountRecord();
}

TEST_P(EndToEnd, ConvertedYearOpensAndNeedsNoRepair) {
  OldInstall inst(GetParam());
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  CConversion job;
  PrepareJob(job, inst);
  ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  EXPECT_EQ(job.GetResult(), kStatusSuccessful);
  EXPECT_EQ(job.GetStatusLines(),
            (std::vector<std::string>{"Preferences:\tSuccessful", "Worksheets:\tSuccessful", "2008:\t\tSuccessful",
                                      "Configuration:\tSuccessful", "Unit Settings:\tSuccessful"}));

  // The configuration as the main program reads it.
  const std::string folder = inst.NewFolder() + "/fy2008";
  std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s/config4.sl", inst.NewFolder().c_str());
  ASSERT_EQ(ReadWriteConfig(0), 1);
  EXPECT_STREQ(CurrentFiscalYear, "2008");
  ASSERT_NE(CurrentYearNode, nullptr);
  EXPECT_EQ(std::string(CurrentYearNode->folder), folder);
  FreeYearList();

  UnitSettings unit;
  std::string error;
  ASSERT_EQ(ReadUnitSettings(UnitSettingsPath(inst.NewFolder()), &unit, &error), 1) << error;
  EXPECT_EQ(unit.unitType, 0);
  EXPECT_EQ(unit.unitNumber, "123");
  EXPECT_EQ(unit.passwordHash, "");

  std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", inst.NewFolder().c_str());
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
  std::snprintf(TodayDate, sizeof TodayDate, "20080615");
  SetCapacities();
  ASSERT_EQ(OpenDatabase(folder.c_str(), "08", 1), 1);
  // Any repair would show a message, which fails the test unanswered.
  EXPECT_EQ(CheckDataIntegrity(0), 1);
  for (const auto& box : automation::ModalLog()) EXPECT_NE(box.kind, "messagebox") << box.caption << ": " << box.text;

  EXPECT_EQ(AccountByNumber(101).currentBalance, 102000);
  EXPECT_EQ(AccountByNumber(520).currentBalance, 5000);
  EXPECT_EQ(AccountByNumber(620).currentBalance, 3000);
  EXPECT_EQ(AccountByNumber(900).classRow, 8);
  const LONG expected[][3] = {{0, 3000, 0}, {1, 3000, 0}, {2, 500, 1}};  // row, balance, type
  for (const auto& e : expected) {
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, static_cast<int>(e[0])), 1);
    EXPECT_EQ(m.currentBalance, e[1]) << e[0];
    EXPECT_EQ(m.type, e[2]) << e[0];
  }
  MemberRow eagle, hawk;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &eagle, 4, 0, 4), 1);
  EXPECT_EQ(eagle.type, 2);
  EXPECT_STREQ(eagle.subunit, "Eagle");
  ASSERT_EQ(ReadMemberRecord(MemberFile, &hawk, 4, 0, 5), 1);
  EXPECT_EQ(hawk.type, 2);
  EXPECT_STREQ(hawk.subunit, "Hawk");
  CloseDataFiles();
  CloseReserveFile();
  CloseScheduleFiles();
}

INSTANTIATE_TEST_SUITE_P(Versions, EndToEnd, testing::Values(1, 2, 3));

}  // namespace
