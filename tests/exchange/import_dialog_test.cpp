// File/Import...: the data folder and the adults choice, their checks, the
// cancel question, and the import the dialog starts.
#include "ExchangeTest.h"
#include "SiblingFiles.h"
#include "app/AppTestUtil.h"
#include "common/PrefValues.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "exchange/ImportDlg.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

class ImportDialogTest : public ExchangeDialogTest {
 protected:
  static std::string Key(char key) { return SettingText("IMPORT", key); }
};

TEST_F(ImportDialogTest, FolderChecksThenTheImportAndTheStoredChoices) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  std::snprintf(ImportFolder, sizeof ImportFolder, "A:\\");
  sibling::Folder folder(home_ + "/brindlex");
  folder.Current(true, "COMMON\r\n", {}, {});
  automation::OnDialog(
      "Import Parameters",
      [&](HWND h) {
        EXPECT_EQ(FieldText(h, IDC_IMP_FOLDER_LABEL), "Brindlex Data &Folder:");
        // A drive of another system is no folder here: the home folder.
        EXPECT_EQ(FieldText(h, IDC_IMP_FOLDER), home);
        EXPECT_EQ(IsDlgButtonChecked(h, IDC_IMP_ADULTS), BST_UNCHECKED);
        // The folder filled in at the opening is already a change.
        automation::ExpectMessageBox("", "Do you wish to cancel the import process", ANSWER_NO);
        Press(h, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(h));
        const struct {
          std::string typed;
          const char* message;
        } refused[] = {{"", "Data Folder:  A value must be supplied"},
                       {home_ + "/missing", "Data Folder:  Folder does not exist"}};
        for (const auto& r : refused) {
          SetField(h, IDC_IMP_FOLDER, r.typed);
          automation::ExpectMessageBox("Warning", r.message, IDOK);
          Press(h, IDOK);
          EXPECT_TRUE(IsWindowVisible(h)) << r.typed;
        }
        SetField(h, IDC_IMP_FOLDER, folder.Path());
        SendMessage(GetDlgItem(h, IDC_IMP_ADULTS), BM_CLICK, 0, 0);
        // Nobody in the sibling's files: the fixture's members are offered
        // for deletion, and kept.
        automation::AlwaysAnswer("", "Confirm delete of:", ANSWER_NOTOALL);
        Press(h, IDOK);
      },
      IDABORT);
  RunImportCommand();
  automation::ClearResponder();
  EXPECT_EQ(Key('A'), folder.Path());
  EXPECT_EQ(Key('B'), "Y");
  EXPECT_EQ(MemberTable.keys[fixture::kAnna].status, 0);
  // The next run opens with the stored choices.
  automation::OnDialog(
      "Import Parameters",
      [&](HWND h) {
        EXPECT_EQ(FieldText(h, IDC_IMP_FOLDER), folder.Path());
        EXPECT_EQ(IsDlgButtonChecked(h, IDC_IMP_ADULTS), BST_CHECKED);
        automation::ExpectMessageBox("", "Do you wish to cancel the import process", ANSWER_YES);
        Press(h, IDCANCEL);
      },
      IDABORT);
  RunImportCommand();
}

}  // namespace
