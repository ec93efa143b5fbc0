// The wizard's pages and their order, driven without windows through the
// switch combinations the installer uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "OldInstall.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/WizardFlow.h"
#include "wizard/WizardPages.h"

namespace {

using oldinst::OldInstall;

std::vector<int> EnabledSlots(const WizardFlow& flow) {
  std::vector<int> slots;
  for (int s = flow.GetFirstPage(); s < kSlotCount; s = flow.GetNextPage(s)) {
    slots.push_back(s);
    if (flow.GetNextPage(s) == s) break;
  }
  return slots;
}

TEST(Pages, AllSwitchesShowOnlyTheQuestionsLeft) {
  OldInstall inst(2);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  CConversion job;
  job.ParseCommandLine("-t 0 -o " + inst.OldFolder() + " -n " + inst.NewFolder() + " -i /imp -a Adults -s " +
                       inst.Base() + "/status.txt");
  WizardFlow flow;
  flow.InitFromJob(job);
  EXPECT_EQ(EnabledSlots(flow), (std::vector<int>{kSlotWelcome, kSlotSubunitQuestion, kSlotIdentification,
                                                  kSlotFiscalYears, kSlotStart, kSlotStatus}));
  EXPECT_FALSE(flow.ButtonsFor(kSlotWelcome).back);
  EXPECT_TRUE(flow.ButtonsFor(kSlotWelcome).next);

  WelcomePage welcome;
  welcome.Activate(job);
  EXPECT_EQ(welcome.text.substr(0, 46), "\"Welcome to the TroopTallyo Conversion Wizard.");

  SubunitQuestionPage question;
  question.Activate(job);
  EXPECT_EQ(question.title, "Patrol Question");
  question.Next(job, flow, true);
  EXPECT_TRUE(flow.IsEnabled(kSlotIdentification));

  IdentificationPage ident;
  ident.Activate(job);
  EXPECT_EQ(ident.title, "Patrol Selection");
  EXPECT_EQ(ident.items.front(), " Eagle, Patrol");  // sorted
  ident.Next(job, {" Eagle, Patrol"});

  FiscalYearPage years;
  years.Activate(job);
  EXPECT_FALSE(years.ScrollEnabled());
  auto rows = years.Rows();
  EXPECT_EQ(rows[0].caption, "2007:");
  EXPECT_EQ(rows[1].folder, inst.NewFolder() + "/fy2008");
  EXPECT_FALSE(rows[2].visible);
  ASSERT_TRUE(years.Next(job));

  StartPage start;
  start.Activate(job);
  ASSERT_TRUE(start.Next(job)) << job.GetErrorText();
  StatusPage status;
  status.Activate(job);
  EXPECT_EQ(status.text, "\"Here are the results of the database conversion.  As you can see, all selected years "
                         "converted properly, so it's ready for use.\"\n\n\"Happy Scouting!\"");
  EXPECT_EQ(status.lines.size(), 6u);
  WizardButtons last = flow.ButtonsFor(kSlotStatus);
  EXPECT_TRUE(last.back && last.finish && !last.next && !last.cancel);
  job.WriteStatusFile();
  EXPECT_TRUE(std::filesystem::exists(inst.Base() + "/status.txt"));
}

TEST(Pages, WithoutSwitchesTheModePageComesFirst) {
  OldInstall inst(1);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  CConversion job;
  job.ParseCommandLine("");
  WizardFlow flow;
  flow.InitFromJob(job);
  EXPECT_EQ(flow.GetFirstPage(), kSlotMode);
  EXPECT_FALSE(flow.ButtonsFor(kSlotMode).back);
  EXPECT_FALSE(flow.IsEnabled(kSlotAdult));

  ModePage mode;
  mode.Activate(job);
  EXPECT_EQ(mode.types, (std::vector<std::string>{"TroopTallyo", "PackTallyo", "CrewTallyo", "TeamTallyo"}));
  EXPECT_EQ(mode.selected, -1);
  automation::ExpectMessageBox("Error", "A database type must be selected.", IDOK);
  EXPECT_FALSE(mode.Next(job, -1, inst.NewFolder()));
  automation::ExpectMessageBox("Error", "An installation folder must be supplied.", IDOK);
  EXPECT_FALSE(mode.Next(job, 1, ""));
  ASSERT_TRUE(mode.Next(job, 1, inst.NewFolder()));
  EXPECT_EQ(flow.GetNextPage(kSlotWelcome), kSlotSource);

  SourcePage source;
  source.Activate(job);
  EXPECT_EQ(source.label, "Previous PackTallyo Location:");
  EXPECT_EQ(source.BrowseTitle(), "Previous PackTallyo Location");
  ASSERT_TRUE(source.Next(job, flow, inst.OldFolder(), ""));
  EXPECT_TRUE(flow.IsEnabled(kSlotAdult));
  // The same folder again is not read again.
  std::filesystem::remove(inst.OldPath("config", ""));
  EXPECT_TRUE(source.Next(job, flow, inst.OldFolder(), ""));

  AdultPage adult;
  adult.Activate(job);
  EXPECT_EQ(adult.label, "Adult Den:");
  EXPECT_EQ(adult.items, (std::vector<std::string>{"Adults", "Eagle", "Hawk"}));
  EXPECT_TRUE(adult.Next(job, flow, "Adults"));
  EXPECT_EQ(job.GetAdultSubunit(), "Adults");

  SubunitQuestionPage question;
  question.Next(job, flow, false);
  EXPECT_FALSE(flow.IsEnabled(kSlotIdentification));
  EXPECT_EQ(flow.GetNextPage(kSlotSubunitQuestion), kSlotFiscalYears);
  EXPECT_EQ(flow.GetPrevPage(kSlotFiscalYears), kSlotSubunitQuestion);
}

// Version 1 kept adults in a sub-unit of their own, so the identification
// page can only mark them as adults once that sub-unit has been chosen.
TEST(Pages, AdultDummyMemberChosenAfterTheAdultPageBecomesASubunit) {
  OldInstall inst(1);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  CConversion job;
  job.ParseCommandLine("-t 0 -o " + inst.OldFolder() + " -n " + inst.NewFolder());
  WizardFlow flow;
  flow.InitFromJob(job);
  ASSERT_TRUE(flow.IsEnabled(kSlotAdult));

  // First pass: no adults-only sub-unit; Carl is picked as a dummy member.
  AdultPage adult;
  adult.Activate(job);
  EXPECT_TRUE(adult.Next(job, flow, ""));
  IdentificationPage ident;
  ident.Activate(job);
  EXPECT_NE(std::find(ident.items.begin(), ident.items.end(), " Brown, Carl"), ident.items.end());
  ident.Next(job, {" Brown, Carl"});

  // Back to the adult page: "Adults" chosen; Carl is listed as an adult and
  // stays picked.
  adult.Activate(job);
  EXPECT_TRUE(adult.Next(job, flow, "Adults"));
  ident.Activate(job);
  auto carl = std::find(ident.items.begin(), ident.items.end(), "*Brown, Carl");
  ASSERT_NE(carl, ident.items.end());
  EXPECT_EQ(ident.selected, std::vector<int>{static_cast<int>(carl - ident.items.begin())});
  ident.Next(job, {"*Brown, Carl"});

  FiscalYearPage years;
  years.Activate(job);
  ASSERT_TRUE(years.Next(job));
  ASSERT_EQ(job.ConvertAll(), 1) << job.GetErrorText();
  auto members = oldinst::ReadFile(inst.NewFolder() + "/fy2008/scout408.dat");
  ASSERT_GE(members.size(), 3u * kMemberRecordSize);
  EXPECT_EQ(oldinst::I32At(members, 2 * kMemberRecordSize + 336), 2);
  EXPECT_EQ(oldinst::TextAt(members, 2 * kMemberRecordSize + 160, 30), "*Brown, Carl");
}

// A year whose member file is gone cannot be read whole: the source page is
// offered again, also when the installer named the folder.
TEST(Pages, MissingMemberFileOffersTheSourcePageAgain) {
  OldInstall inst(2);
  inst.WriteConfig({"07", "08"});
  inst.WriteStandardYear("07");
  inst.WriteStandardYear("08");
  std::filesystem::remove(inst.OldPath("scout", "08"));
  CConversion job;
  automation::ExpectMessageBox("Error", "Failed Open:  " + inst.YearFolder("08") + "/scout208.dat.", IDOK);
  job.ParseCommandLine("-t 0 -o " + inst.OldFolder() + " -n " + inst.NewFolder());
  WizardFlow flow;
  flow.InitFromJob(job);
  EXPECT_TRUE(flow.IsEnabled(kSlotSource));
  EXPECT_EQ(flow.GetNextPage(kSlotWelcome), kSlotSource);

  SourcePage source;
  source.Activate(job);
  EXPECT_EQ(source.folder, "");
  automation::ExpectMessageBox("Error", "Failed Open:  " + inst.YearFolder("08") + "/scout208.dat.", IDOK);
  EXPECT_FALSE(source.Next(job, flow, inst.OldFolder(), ""));
  inst.WriteStandardYear("08");
  EXPECT_TRUE(source.Next(job, flow, inst.OldFolder(), "")) << job.GetErrorText();
}

TEST(Pages, FiscalYearRowsScrollAndFolders) {
  OldInstall inst(2);
  inst.WriteConfig({"01", "02", "03", "04", "05", "06", "07"});
  CConversion job;
  ASSERT_EQ(job.SetInstallFolder(inst.NewFolder()), 1);
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  ASSERT_EQ(job.ReadOldConfig(), 1);
  FiscalYearPage page;
  page.Activate(job);
  EXPECT_TRUE(page.ScrollEnabled());
  EXPECT_EQ(page.RangeMax(), 6);
  page.Scroll(FiscalYearPage::kPageDown);
  EXPECT_EQ(page.Position(), 6);
  EXPECT_EQ(page.Rows()[0].caption, "2007:");
  EXPECT_FALSE(page.Rows()[1].visible);
  page.Scroll(FiscalYearPage::kThumb, 99);
  EXPECT_EQ(page.Position(), 6);
  EXPECT_EQ(page.BrowseTitle(0), "2007 Data Folder");
  page.Scroll(FiscalYearPage::kTop);
  page.EditRow(1, false, "ignored");
  EXPECT_FALSE(page.Rows()[1].editEnabled);
  // A changed root edit without Reset Folders changes nothing.
  page.rootEdit = inst.Base() + "/elsewhere";
  ASSERT_TRUE(page.Next(job));
  EXPECT_EQ(job.GetRootFolder(), inst.NewFolder());
  EXPECT_EQ(job.GetNewFolders()[1], "");
  EXPECT_EQ(job.GetNewFolders()[0], inst.NewFolder() + "/fy2001");
  EXPECT_EQ(job.GetYearSelection()[1], 0u);
  // Coming back selects every year again.
  page.Activate(job);
  EXPECT_TRUE(page.Rows()[1].checked);

  std::filesystem::create_directories(inst.Base() + "/root2");
  page.rootEdit = inst.Base() + "/root2";
  page.ResetFolders(job);
  EXPECT_EQ(page.Rows()[0].folder, inst.Base() + "/root2/fy2001");

  OldInstall six(2);
  six.WriteConfig({"01", "02", "03", "04", "05", "06"});
  CConversion other;
  ASSERT_EQ(other.SetOldFolder(six.OldFolder()), 1);
  ASSERT_EQ(other.ReadOldConfig(), 1);
  page.Activate(other);
  EXPECT_FALSE(page.ScrollEnabled());
  EXPECT_EQ(page.RangeMax(), 0);
}

TEST(Pages, FailedStartStaysAndCancelWritesMinusOne) {
  OldInstall inst(3);
  inst.WriteConfig({"08"});
  inst.WriteStandardYear("08");
  CConversion job;
  job.ParseCommandLine("-t 0 -o " + inst.OldFolder() + " -n " + inst.NewFolder() + " -s " + inst.Base() + "/st.txt");
  std::filesystem::remove(inst.OldPath("unit", "08"));
  // The failure is shown once, by the run, not again by the page.
  automation::ExpectMessageBox("Error", "Failed open: ", IDOK);
  StartPage start;
  EXPECT_FALSE(start.Next(job));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  job.SetStatus(kStatusCancelled);
  job.WriteStatusFile();
  auto bytes = oldinst::ReadFile(inst.Base() + "/st.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "-1\n");
  StatusPage status;
  status.Activate(job);
  EXPECT_EQ(status.text, "\"Since you cancelled the conversion, there are no results to report.  \"");
}

}  // namespace
