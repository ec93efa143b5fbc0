// The folder picker: only the folder list shows, and OK gives the folder
// shown as the path of the dummy file "Junk" in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CommonTestUtil.h"
#include "common/FolderDialog.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

TEST(FolderDialog, ReturnsTheFolderFollowedByJunkAndShowsNoFileControls) {
  automation::ResetWindows();
  TempFolder dir;
  const std::string camp = dir / "camp";
  std::filesystem::create_directory(camp);
  std::ofstream(camp + "/notes.txt") << "x";

  CFolderDialog dlg(TRUE, nullptr, nullptr, CFolderDialog::kFlags | OFN_PATHMUSTEXIST, nullptr, nullptr);
  dlg.Prepare(camp.c_str());
  bool fileControlHidden = true, drivesHidden = true, folderFocused = false, helpHidden = false;
  automation::OnDialog(
      "Select Folder",
      [&](HWND h) {
        automation::PumpUntilIdle();
        for (int id : {1089, 1090, 1152, 1120, 1136})
          if (IsWindowVisible(GetDlgItem(h, id))) fileControlHidden = false;
        for (int id : {1091, 1137})
          if (IsWindowVisible(GetDlgItem(h, id))) drivesHidden = false;
        folderFocused = GetFocus() == GetDlgItem(h, 1121);
        helpHidden = !IsWindowVisible(GetDlgItem(h, 1038));
        automation::Click(GetDlgItem(h, IDOK), POINT{5, 5});
        automation::PumpUntilIdle();
      },
      IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(fileControlHidden);
  EXPECT_TRUE(drivesHidden);
  EXPECT_TRUE(folderFocused);
  EXPECT_TRUE(helpHidden);
  EXPECT_EQ(std::string(dlg.GetPathName()), camp + "/Junk");
  EXPECT_EQ(std::string(dlg.GetFolder()), camp);
  automation::ClearResponder();
  automation::ResetWindows();
}
