// The job's setters, words, status lines, result and status file, and the
// wizard's own routines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "OldInstall.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "wizard/Conversion.h"
#include "wizard/Routines.h"

namespace {

std::string StatusFileAfter(std::initializer_list<int> values) {
  CConversion job;
  std::string path = (std::filesystem::temp_directory_path() / "kestrova-wizard-status.txt").string();
  job.SetStatusFile(path);
  for (int v : values) job.SetStatus(v);
  job.WriteStatusFile();
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return text;
}

TEST(Job, ResultCodeInTheStatusFile) {
  EXPECT_EQ(StatusFileAfter({}), "-1\n");
  EXPECT_EQ(StatusFileAfter({kStatusSkipped}), "-1\n");
  EXPECT_EQ(StatusFileAfter({kStatusSuccessful, kStatusCancelled}), "-1\n");
  EXPECT_EQ(StatusFileAfter({kStatusSuccessful, kStatusSkipped}), "0\n");
  EXPECT_EQ(StatusFileAfter({kStatusSuccessful, kStatusError}), "1\n");
  EXPECT_EQ(StatusFileAfter({kStatusError}), "2\n");
  EXPECT_EQ(StatusFileAfter({kStatusSuccessful, kStatusFailed}), "2\n");
}

TEST(Job, StatusLinesAndRefusedStatus) {
  CConversion job;
  job.AddStatus("2001", kStatusSuccessful);
  job.AddStatus("Configuration", kStatusFailed);
  job.AddStatus("1999", kStatusSkipped);
  EXPECT_EQ(job.GetStatusLines(),
            (std::vector<std::string>{"2001:\t\tSuccessful", "Configuration:\tFailed", "1999:\t\tSkipped"}));
  const int flags = job.GetStatusFlags();
  EXPECT_EQ(job.SetStatus(32), 0);
  EXPECT_EQ(job.GetErrorText(), "Invalid status:  32");
  EXPECT_EQ(job.SetStatus(-1), 0);
  EXPECT_EQ(job.GetStatusFlags(), flags);
}

TEST(Job, WordsByApplicationType) {
  CConversion job;
  const struct {
    int type;
    const char* product;
    const char* subunit;
  } cases[] = {{0, "TroopTallyo", "Patrol"}, {1, "PackTallyo", "Den"},   {2, "CrewTallyo", "Patrol"},
               {3, "TeamTallyo", "Squad"},   {4, "TroopTallyo", "Patrol"}, {5, "ScoutTallyo", "Group"},
               {6, "ScoutTallyo", "Group"}};
  for (const auto& c : cases) {
    ASSERT_EQ(job.SetAppType(c.type), 1);
    EXPECT_EQ(job.GetProductName(), c.product);
    EXPECT_EQ(job.GetSubunitWord(true), c.subunit);
  }
  EXPECT_EQ(job.SetAppType(7), 0);
  EXPECT_EQ(job.GetErrorText(), "Invalid application type - 7");
  EXPECT_EQ(job.GetAppType(), 6);
}

TEST(Job, FolderSettersCheckInOrder) {
  oldinst::OldInstall inst(3);
  CConversion job;
  EXPECT_EQ(job.SetOldFolder(""), 0);
  EXPECT_EQ(job.GetErrorText(), "A value must be supplied for the previous installation folder");
  EXPECT_EQ(job.SetInstallFolder(inst.Base() + "/missing"), 0);
  EXPECT_EQ(job.GetErrorText(), "Folder does not exist");
  ASSERT_EQ(job.SetInstallFolder(inst.NewFolder()), 1);
  EXPECT_EQ(job.SetOldFolder(inst.NewFolder()), 0);
  EXPECT_EQ(job.GetErrorText(), "The previous installation folder may not be the same as the new installation folder");
  ASSERT_EQ(job.SetOldFolder(inst.OldFolder()), 1);
  EXPECT_EQ(job.SetRootFolder(inst.OldFolder()), 0);
  EXPECT_EQ(job.GetErrorText(), "The destination folder may not be the same as the previous installation's folder");
  automation::ExpectMessageBox("Question", "Folder does not exist.\n\nDo you wish to create it?", IDNO);
  EXPECT_EQ(job.SetRootFolder(inst.Base() + "/other"), 0);
  EXPECT_EQ(job.GetErrorText(), "Folder creation cancelled");
  EXPECT_EQ(job.GetRootFolder(), inst.NewFolder());
  EXPECT_EQ(job.SetNewFolders({"", inst.Base() + "/a*b"}), 0);
  EXPECT_EQ(job.GetErrorText(), "Invalid characters in Folder name:  \"" + inst.Base() + "/a*b\": \"" + inst.Base() + "/a*b\"");
  EXPECT_EQ(job.SetOldVersion(0), 0);
  EXPECT_EQ(job.GetErrorText(), "Old version cannot be set to \"unknown\"");
  EXPECT_EQ(job.SetOldVersion(4), 0);
  EXPECT_EQ(job.GetErrorText(), "Old version cannot be the same as the new version");
}

TEST(Routines, MoneyDatesAndNames) {
  EXPECT_EQ(wiz::ToCents(0.125f), 13);
  EXPECT_EQ(wiz::ToCents(-0.125f), -13);
  EXPECT_EQ(wiz::ToCents(1.999f), 200);
  EXPECT_EQ(wiz::ToCents(12.345f), 1235);
  EXPECT_EQ(wiz::ToCents(-12.345f), -1235);
  EXPECT_EQ(wiz::ToCents(0.004f), 0);
  EXPECT_EQ(wiz::ExpandOldDate("510101"), "19510101");
  EXPECT_EQ(wiz::ExpandOldDate("500101"), "20500101");
  EXPECT_EQ(wiz::ExpandOldDate("991231"), "19991231");
  EXPECT_EQ(wiz::ExpandOldDate(""), "");
  EXPECT_EQ(wiz::PrefixFiscalYear("0315", 2001, 9), "20020315");
  EXPECT_EQ(wiz::PrefixFiscalYear("1015", 2001, 9), "20011015");
  EXPECT_EQ(wiz::PrefixFiscalYear("1315", 2001, 9), "00001315");
  EXPECT_EQ(wiz::JoinMarkedName(0, "Carl", "Brown"), "*Brown, Carl");
  EXPECT_EQ(wiz::JoinMarkedName(1, "Anna", "Smith"), " Smith, Anna");
  EXPECT_EQ(wiz::FormatErrorTextStr(4, "x.dat"), "Failed create: x.dat");
  EXPECT_EQ(wiz::FormatErrorTextStr(18, "x"), "Unknown error: x");
  EXPECT_EQ(wiz::FormatErrorTextStr(-1, nullptr), "Unknown error: ???");
  // Long names are kept whole.
  std::string longName(400, 'n');
  EXPECT_EQ(wiz::FormatErrorTextStr(7, longName), "Failed open: " + longName);
}

TEST(Routines, MessagesGetTheirFullStopAndKinds) {
  automation::ExpectMessageBox("Error", "One line.", IDOK);
  automation::ExpectMessageBox("Information", "Two\nlines", IDOK);
  automation::ExpectMessageBox("Prompt", "Ready.\n\nSelect OK when ready.", IDCANCEL);
  EXPECT_EQ(wiz::DispMessage("One line", wiz::kError), 1);
  EXPECT_EQ(wiz::DispMessage("Two\nlines", wiz::kInformation), 1);
  EXPECT_EQ(wiz::DispMessage("Ready", wiz::kPrompt), 0);
  automation::ExpectMessageBox("Question", "Go on?", IDCANCEL);
  EXPECT_EQ(wiz::AskQuestion("Go on", 'N', 1), 0);
  const auto& log = automation::ModalLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().type & MB_DEFMASK, MB_DEFBUTTON2);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(Routines, ValidatePath) {
  oldinst::OldInstall inst(1);
  std::string message;
  std::string path = inst.NewFolder() + "/My Books/";
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder, message), 1);
  EXPECT_EQ(path, inst.NewFolder() + "/My Books");
  path = "C:\\Old\\FY98";
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder, message), 1);
  EXPECT_EQ(path, "C:/Old/FY98");
  path = "a*b";
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder, message), 0);
  EXPECT_EQ(message, "Invalid characters in Folder name:  \"a*b\"");
  path = inst.NewFolder();
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder | wiz::kPathMustNotExist, message), 0);
  EXPECT_EQ(message, "Folder already exists");
  path = inst.NewFolder() + "/missing";
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder | wiz::kPathMustExist, message), 0);
  EXPECT_EQ(message, "Folder does not exist");
  automation::ExpectMessageBox("Question", "Do you wish to create it", IDYES);
  EXPECT_EQ(wiz::ValidatePath(path, wiz::kPathFolder | wiz::kPathMustExist | wiz::kPathAskCreate, message), 1);
  EXPECT_FALSE(std::filesystem::exists(path));  // the caller creates what it needs
}

}  // namespace
