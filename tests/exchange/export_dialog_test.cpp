// File/Export...: the dialog's offers and checks, its settings, and the
// export it runs.
#include "ExchangeTest.h"
#include "app/AppTestUtil.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "exchange/ExportDlg.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

class ExportDialogTest : public ExchangeDialogTest {
 protected:
  static std::string Key(char key, const char* item = nullptr) { return SettingText("EXPORT", key, item); }
  static std::vector<std::string> ComboEntries(HWND dlg, int id) {
    std::vector<std::string> out;
    HWND box = GetDlgItem(dlg, id);
    const int n = static_cast<int>(SendMessage(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[64] = "";
      SendMessage(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.emplace_back(text);
    }
    return out;
  }
  static void Choose(HWND dlg, int id, const char* text) {
    HWND box = GetDlgItem(dlg, id);
    const LRESULT at = SendMessage(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessage(box, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    automation::PumpUntilIdle();
  }
};

TEST_F(ExportDialogTest, OffersSetsAndAssetLiabilityAccounts) {
  automation::OnDialog(
      "Export Parameters",
      [](HWND h) {
        EXPECT_EQ(ComboEntries(h, IDC_EXP_DATA),
                  (std::vector<std::string>{"Accounts", "Adults", "Equipment", "Friends", "Register", "Scouts"}));
        const auto accounts = ComboEntries(h, IDC_EXP_ACCOUNT);
        EXPECT_NE(std::find(accounts.begin(), accounts.end(), "<all>"), accounts.end());
        for (const auto& a : accounts) EXPECT_EQ(a.find("Fundraising"), std::string::npos);
        EXPECT_NE(std::find(accounts.begin(), accounts.end(), "101 / Checking"), accounts.end());
        EXPECT_NE(std::find(accounts.begin(), accounts.end(), "401 / Loan"), accounts.end());
        // The account is chosen only for the register.
        EXPECT_EQ(FieldText(h, IDC_EXP_DELIMITER), ",");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_EXP_ACCOUNT)));
        Choose(h, IDC_EXP_DATA, "Register");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_EXP_ACCOUNT)));
        // The stored comma counts as a change: Cancel asks.
        automation::ExpectMessageBox("", "Do you wish to cancel the export process", ANSWER_NO);
        Press(h, IDCANCEL);
        automation::ExpectMessageBox("", "Do you wish to cancel the export process", ANSWER_YES);
        Press(h, IDCANCEL);
      },
      IDABORT);
  RunExportCommand();
  EXPECT_EQ(Key('A'), "") << "Cancel stores nothing";
}

TEST_F(ExportDialogTest, ChecksItsFields) {
  const std::string file = home_ + "/new/scouts.txt";
  automation::OnDialog(
      "Export Parameters",
      [&](HWND h) {
        Choose(h, IDC_EXP_DATA, "Scouts");
        SetField(h, IDC_EXP_DELIMITER, " ");
        automation::ExpectMessageBox("Warning", "Field Delimiter:  A value must be supplied", IDOK);
        Press(h, IDOK);
        SetField(h, IDC_EXP_DELIMITER, "t");
        automation::ExpectMessageBox("Warning", "Export File:  A value must be supplied", IDOK);
        Press(h, IDOK);
        SetField(h, IDC_EXP_FILE, home_ + "/bad|name.txt");
        automation::ExpectMessageBox("Warning", "Export File:  Invalid characters found", IDOK);
        Press(h, IDOK);
        // A missing folder: declining leaves the dialog open without a word.
        SetField(h, IDC_EXP_FILE, file);
        automation::ExpectMessageBox("", "Folder does not exist", ANSWER_NO);
        Press(h, IDOK);
        SetField(h, IDC_EXP_QUALIFIER, "");
        automation::ExpectMessageBox("", "Folder does not exist", ANSWER_YES);
        automation::ExpectMessageBox("", "Export complete.", ANSWER_NO);
        Press(h, IDOK);
      },
      IDABORT);
  RunExportCommand();
  EXPECT_EQ(Key('A'), "Scouts");
  EXPECT_EQ(Key('B'), "T");
  EXPECT_EQ(Key('F'), "");
  EXPECT_EQ(Key('D', "Scouts"), file);
  EXPECT_EQ(Key('E'), "Y");
  const auto lines = Lines(file);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 12), "Smith\tAnna\tE") << "tab delimiter, bare text";
}

TEST_F(ExportDialogTest, RegisterOfOneAccountOrAll) {
  ExportChoices c;
  XferExport(0, c);
  std::snprintf(c.dataSet, sizeof c.dataSet, "Register");
  EXPECT_EQ(ExportAccounts(c).size(), static_cast<std::size_t>(c.accounts.Count()));
  EXPECT_EQ(ExportAccounts(c).front(), 1);
  std::snprintf(c.account, sizeof c.account, "101 / Checking");
  EXPECT_EQ(ExportAccounts(c), std::vector<int>{101});
  c.account[0] = '\0';  // a stored entry no longer offered
  EXPECT_TRUE(ExportAccounts(c).empty());
  std::snprintf(c.dataSet, sizeof c.dataSet, "Accounts");
  EXPECT_TRUE(ExportAccounts(c).empty());
  EXPECT_EQ(ExportSetLetter("Adults"), 'D');
  EXPECT_EQ(ExportSetLetter("Equipment"), 'E');
  EXPECT_EQ(ExportDelimiter("t"), '\t');
  EXPECT_EQ(ExportDelimiter(";"), ';');
}

}  // namespace
