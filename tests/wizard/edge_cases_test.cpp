// Unusual old data: missing files, blank schedule frequencies, more dues
// dates than a schedule holds, friends' addresses in the second line,
// marked members without a sub-unit of their name.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "OldInstall.h"
#include "WizardTestUtil.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/Routines.h"

namespace {

using oldinst::I32At;
using oldinst::OldInstall;
using oldinst::OldRec;
using oldinst::ReadFile;
using oldinst::TextAt;

// Converts the standard year of `version` after `change` altered its files.
template <class Change>
std::unique_ptr<OldInstall> ConvertedWith(int version, CConversion& job, Change change) {
  auto inst = std::make_unique<OldInstall>(version);
  inst->WriteConfig({"08"});
  inst->WriteStandardYear("08");
  change(*inst);
  PrepareJob(job, *inst);
  EXPECT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  return inst;
}

TEST(EdgeCases, MissingFilesGiveEmptyFilesAndVersionOneKeepsItsReserveAccount) {
  CConversion job;
  auto inst = ConvertedWith(1, job, [](OldInstall& i) {
    std::filesystem::remove(i.OldPath("acct", "08"));
    std::filesystem::remove(i.OldPath("equip", "08"));
  });
  EXPECT_TRUE(std::filesystem::exists(NewYearFile(*inst, "equip", "08")));
  EXPECT_TRUE(ReadFile(NewYearFile(*inst, "equip", "08")).empty());
  auto acct = ReadFile(NewYearFile(*inst, "acct", "08"));
  ASSERT_EQ(acct.size(), static_cast<std::size_t>(kAccountRecordSize));
  EXPECT_EQ(I32At(acct, 0), 900);
}

TEST(EdgeCases, BlankFrequencyKeepsScheduleDatesEmpty) {
  CConversion job;
  auto inst = ConvertedWith(2, job, [](OldInstall& i) {
    OldRec s(702);
    s.Text(0, 26, "Camp").I16(26, 599).Byte(30, ' ').Text(31, 5, "0915").Text(36, 5, "1015");
    i.WriteRecords("sched", "08", {s});
  });
  auto s = ReadFile(NewYearFile(*inst, "sched", "08"));
  EXPECT_EQ(s[272], ' ');
  EXPECT_EQ(TextAt(s, 273, 9), "");
  EXPECT_EQ(TextAt(s, 282, 9), "");
}

TEST(EdgeCases, DuesBeyondSixtyDatesAreCutAndReported) {
  CConversion job;
  auto inst = ConvertedWith(1, job, [](OldInstall& i) {
    std::string unit = "FISCAL DATE = 002008\r\n";
    for (int d = 1; d <= 65; ++d) {
      char line[40];
      std::snprintf(line, sizeof line, "DUES = 08%02d%02d 1.00\r\n", 1 + (d - 1) / 28, 1 + (d - 1) % 28);
      unit += line;
    }
    i.WriteText(i.OldPath("unit", "08"), unit);
  });
  auto s = ReadFile(NewYearFile(*inst, "sched", "08"));
  EXPECT_EQ(TextAt(s, 291, 9), "20080101");
  EXPECT_EQ(TextAt(s, 291 + 59 * 9, 9), "20080304");
  EXPECT_EQ(I32At(s, 32 + 59 * 4), 100);
  const auto& lines = job.GetStatusLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "2008 dues dates:\t5 cut at the limit of 60"), lines.end());
}

TEST(EdgeCases, FriendAddressSplitFromTheSecondLine) {
  CConversion job;
  auto inst = ConvertedWith(1, job, [](OldInstall& i) {
    OldRec f(220);
    f.Text(0, 12, "Eve").Text(12, 16, "Adams").Text(34, 27, "5 Pine Rd").Text(61, 27, "Peoria, IL 61602");
    f.F32(204, 10.0f).F32(208, 2.5f);
    i.WriteRecords("fos", "08", {f});
  });
  auto f = ReadFile(NewYearFile(*inst, "fos", "08"));
  EXPECT_EQ(TextAt(f, 56, 27), "5 Pine Rd");
  EXPECT_EQ(TextAt(f, 83, 27), "");
  EXPECT_EQ(TextAt(f, 110, 18), "Peoria");
  EXPECT_EQ(TextAt(f, 131, 11), "61602");
  EXPECT_EQ(I32At(f, 0), 1250);  // the sum of the years
}

TEST(EdgeCases, MarkedMemberWithoutItsSubunitIsNamedByItsDisplayName) {
  CConversion job;
  auto inst = ConvertedWith(2, job, [](OldInstall& i) {
    i.WriteText(i.OldPath("unit", "08"), "FISCAL DATE = 002008\r\nSUBUNIT = Hawk\r\n");
  });
  auto m = ReadFile(NewYearFile(*inst, "scout", "08"));
  EXPECT_EQ(I32At(m, 4 * kMemberRecordSize + 336), 2);
  EXPECT_EQ(TextAt(m, 4 * kMemberRecordSize + 160, 30), " Eagle, Patrol");
  EXPECT_EQ(TextAt(m, 5 * kMemberRecordSize + 160, 30), "Hawk");
}

}  // namespace

namespace {

TEST(EdgeCases, VersionOneAdultsByTheirSubunitWhateverItsCase) {
  auto inst = std::make_unique<OldInstall>(1);
  inst->WriteConfig({"08"});
  inst->WriteStandardYear("08");
  OldRec olga(216);
  olga.Text(0, 12, "Olga").Text(12, 16, "Case").Text(28, 14, "adults");
  OldRec carl(216);
  carl.Text(0, 12, "Carl").Text(12, 16, "Brown").Text(28, 14, "Adults");
  inst->WriteRecords("scout", "08", {olga, carl});
  CConversion job;
  PrepareJob(job, *inst);
  // The adult marked as standing for a sub-unit becomes one.
  job.SetSubunitMembers({"*Brown, Carl"});
  ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  auto m = ReadFile(NewYearFile(*inst, "scout", "08"));
  EXPECT_EQ(I32At(m, 336), 1);
  EXPECT_EQ(TextAt(m, 0, 16), "Case");
  EXPECT_EQ(I32At(m, kMemberRecordSize + 336), 2);
  EXPECT_EQ(TextAt(m, kMemberRecordSize + 160, 30), "*Brown, Carl");
}

TEST(EdgeCases, OlderWorksheetFilesGiveAnEmptyOne) {
  OldInstall inst(2);
  inst.WriteConfig({"08"});
  inst.WriteText(inst.OldPath("worksht", ""), std::string(300, 'w'));
  CConversion job;
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.SetInstallFolder(inst.NewFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1);
  EXPECT_EQ(job.ConvertWorksheets(), 1);
  EXPECT_TRUE(std::filesystem::exists(inst.NewFolder() + "/worksht4.dat"));
  EXPECT_TRUE(ReadFile(inst.NewFolder() + "/worksht4.dat").empty());
}

}  // namespace

namespace {

// Damaged old files fail their year with a message naming the file, never
// converted into something else silently.
TEST(EdgeCases, DamagedOldFilesFailTheirYearNamingTheFile) {
  const struct {
    const char* what;
    std::function<void(OldInstall&)> damage;
    const char* stem;
    const char* reason;
    int version = 1;
  } cases[] = {
      {"a record cut short",
       [](OldInstall& inst) {
         std::vector<OldRec> items{OldRec(96).F32(42, 10.0f).F32(90, 10.0f)};
         inst.WriteRecords("equip", "08", items);
         std::ofstream(inst.OldPath("equip", "08"), std::ios::binary | std::ios::app) << "abc";
       },
       "equip", "is not a whole number of 96-byte records"},
      {"a price that is no number",
       [](OldInstall& inst) { inst.WriteRecords("equip", "08", {OldRec(96).F32(42, std::nanf("")).F32(90, 1.0f)}); },
       "equip", "amounts are no number or beyond"},
      {"a price of $25,000,000",
       [](OldInstall& inst) { inst.WriteRecords("equip", "08", {OldRec(96).F32(42, 25e6f).F32(90, 1.0f)}); },
       "equip", "amounts are no number or beyond"},
      {"no fiscal date",
       [](OldInstall& inst) { inst.WriteText(inst.OldPath("unit", "08"), "ADDRESS = 1 Main\r\n"); },
       "unit", "has no valid \"FISCAL DATE\" line"},
      {"an empty unit file", [](OldInstall& inst) { inst.WriteText(inst.OldPath("unit", "08"), ""); }, "unit",
       "has no valid \"FISCAL DATE\" line"},
      {"a missing member file", [](OldInstall& inst) { std::filesystem::remove(inst.OldPath("scout", "08")); },
       "scout", "Failed open: ", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OldInstall inst(c.version);
    inst.WriteConfig({"08"});
    inst.WriteStandardYear("08");
    CConversion job;
    PrepareJob(job, inst);
    // Damaged after the scan, as a file lost between the pages and the run.
    c.damage(inst);
    automation::AlwaysAnswer("Error", "", IDOK);
    EXPECT_EQ(job.ConvertAll(), 0);
    EXPECT_EQ(job.GetYearStatus(), (std::vector<unsigned>{kStatusError}));
    const std::string error = job.GetErrorText();
    EXPECT_NE(wiz::ToUpper(error).find(wiz::ToUpper(inst.OldPath(c.stem, "08"))), std::string::npos) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    automation::ClearResponder();
  }
}

}  // namespace
