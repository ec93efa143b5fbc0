// File/Transfer...: type, folder per type, and the transfer it runs.
#include "ExchangeTest.h"
#include "app/AppTestUtil.h"
#include "common/FileUtil.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "exchange/TransferDlg.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

class TransferDialogTest : public ExchangeDialogTest {
 protected:
  static std::string Key(char key, const char* item = nullptr) { return SettingText("TRANSFER", key, item); }
};

TEST_F(TransferDialogTest, TypeFolderAndRun) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  const std::string out = home_ + "/district";
  automation::OnDialog(
      "Transfer Parameters",
      [&](HWND h) {
        EXPECT_EQ(FieldText(h, IDC_XFR_SIBLING), "Brindlex Transfer File");
        EXPECT_EQ(FieldText(h, IDC_XFR_NOTE_FRAME), "WARNING");
        EXPECT_NE(FieldText(h, IDC_XFR_NOTE).find("scouts, adults, and patrols to be overwritten."),
                  std::string::npos);
        EXPECT_EQ(FieldText(h, IDC_XFR_FOLDER), home);
        SendMessage(GetDlgItem(h, IDC_XFR_DISTRICT), BM_CLICK, 0, 0);
        automation::PumpUntilIdle();
        EXPECT_EQ(FieldText(h, IDC_XFR_NOTE_FRAME), "Note");
        SetField(h, IDC_XFR_FOLDER, out);
        automation::ExpectMessageBox("", "Folder does not exist", ANSWER_NO);
        Press(h, IDOK);  // declined: stays open, no warning
        automation::ExpectMessageBox("", "Folder does not exist", ANSWER_YES);
        automation::ExpectMessageBox("Information", "Data transfer complete", IDOK);
        Press(h, IDOK);
      },
      IDABORT);
  RunTransferCommand();
  EXPECT_EQ(Key('B'), "1");
  EXPECT_EQ(Key('A', "1"), out);
  EXPECT_TRUE(FileExists((out + "/Troop  FOS Transfer.xfr").c_str()) ||
              FileExists((out + "/Troop 123 FOS Transfer.xfr").c_str()));
  // The next run opens on the district type with its folder; Cancel asks.
  automation::OnDialog(
      "Transfer Parameters",
      [&](HWND h) {
        EXPECT_EQ(IsDlgButtonChecked(h, IDC_XFR_DISTRICT), BST_CHECKED);
        EXPECT_EQ(FieldText(h, IDC_XFR_FOLDER), out);
        automation::ExpectMessageBox("", "Do you wish to cancel the transfer process", ANSWER_YES);
        Press(h, IDCANCEL);
      },
      IDABORT);
  RunTransferCommand();
}

}  // namespace
