#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/AppTestUtil.h"
#include "app/PrefDlg.h"
#include "registers/TransGrid.h"
#include "app/Preferences.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/PrintSettings.h"
#include "platform/base/Resources.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "app/TornelApp.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/propsheet/PropSheetDefs.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

namespace {

class PreferencesSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", dir.path().c_str());
    std::snprintf(TodayDate, sizeof TodayDate, "20260615");
    SetMailLabelNameAccess({nullptr, nullptr});
    XferConfig(0);
  }
  void TearDown() override { automation::ResetWindows(); }

  // Runs the sheet with `script` inside it; the sheet ends with Cancel
  // unless the script closed it.
  void Run(CPrefDlg& sheet, const std::function<void(HWND)>& script) {
    automation::OnDialog(
        "Preferences",
        [&](HWND h) {
          automation::PumpUntilIdle();
          script(h);
        },
        IDCANCEL);
    sheet.DoModal();
  }

  static HWND Item(CPrefPage& page, int id) { return GetDlgItem(page.GetSafeHwnd(), id); }
  // A command from a page's control, as the control sends it.
  static void Notify(CPrefPage& page, int id, int code) {
    SendMessage(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(page, id)));
    automation::PumpUntilIdle();
  }
  static void ChooseName(CPrefPage& page, const char* name) {
    HWND combo = Item(page, IDC_PREF_COLOUR_NAME);
    const LRESULT index = SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(page, IDC_PREF_COLOUR_NAME, CBN_SELCHANGE);
  }
  static std::string Text(CPrefPage& page, int id) { return FieldText(page.GetSafeHwnd(), id); }

  class TempFolder dir;  // the class, not the start-up's folder name
};

TEST_F(PreferencesSheetTest, OkChecksOnlyThePagesThatWereOpened) {
  // Values no page check would pass.
  BackgroundMode = 1;
  std::snprintf(UserPictureFile, sizeof UserPictureFile, "%s", (dir / "missing.bmp").c_str());
  {
    CPrefDlg sheet;
    Run(sheet, [&](HWND h) {
      Press(h, IDOK);
    });
    EXPECT_EQ(sheet.m_bSaved, 1);
  }
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) {
    sheet.SetActivePage(&sheet.m_background);
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Warning", "Display Another Image:  File does not exist", IDOK);
    Press(h, IDOK);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(sheet.GetActivePage(), &sheet.m_background);
  });
  EXPECT_EQ(sheet.m_bSaved, 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(PreferencesSheetTest, SetupPageEditsTheSettingsOfAllReports) {
  CPrefDlg sheet;
  bool currentEnabled = true;
  Run(sheet, [&](HWND h) {
    ASSERT_TRUE(IsWindowEnabled(Item(sheet.m_general, IDC_PREF_PAGE_SETUP)));
    automation::OnDialog("Page Setup", [&](HWND s) {
      currentEnabled = IsWindowEnabled(GetDlgItem(s, IDC_PSU_CURRENT)) != 0;
      SetDlgItemText(s, IDC_PSU_TOP, "1.50");
      Press(s, IDOK);
    }, IDCANCEL);
    Press(sheet.m_general.GetSafeHwnd(), IDC_PREF_PAGE_SETUP);
    Press(h, IDCANCEL);  // the page setup is no change of the sheet
  });
  EXPECT_FALSE(currentEnabled);
  float top = 0;
  GetPrintSettings(0, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &top, nullptr);
  EXPECT_FLOAT_EQ(top, 1.5f);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(PreferencesSheetTest, CancelAfterAChangeAsksWhetherToSave) {
  const struct {
    int answer;
    bool closes, saved;
  } cases[] = {{ANSWER_YES, true, true}, {ANSWER_NO, true, false}, {ANSWER_CANCEL, false, false}};
  const std::string calc = dir / "calc";
  WriteBytes(calc, "");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    CalculatorPath[0] = '\0';
    CPrefDlg sheet;
    Run(sheet, [&](HWND h) {
      sheet.SetActivePage(&sheet.m_tools);
      automation::PumpUntilIdle();
      SetWindowText(Item(sheet.m_tools, IDC_PREF_CALCULATOR), calc.c_str());
      automation::ExpectMessageBox("", "Do you wish to save your changes", c.answer);
      Press(h, IDCANCEL);
      EXPECT_EQ(IsWindowVisible(h) != FALSE, !c.closes);
    });
    EXPECT_EQ(sheet.m_bSaved, c.saved ? 1 : 0);
    EXPECT_EQ(std::string(CalculatorPath), c.saved ? calc : "");
  }
  // Without a change the sheet closes at once.
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) { Press(h, IDCANCEL); });
  EXPECT_EQ(sheet.m_bSaved, 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

// The command reloads the preferences first and writes "CONFIG" when the
// sheet stored its pages, through OK or through Yes to Cancel's question.
TEST_F(PreferencesSheetTest, TheCommandSavesWhatCancelsYesStored) {
  const std::string calc = dir / "calc";
  WriteBytes(calc, "");
  std::snprintf(CalculatorPath, sizeof CalculatorPath, "%s", "not stored");
  automation::OnDialog(
      "Preferences",
      [&](HWND h) {
        automation::PumpUntilIdle();
        SendMessage(h, PSM_SETCURSEL, 4, 0);
        automation::PumpUntilIdle();
        HWND page = reinterpret_cast<HWND>(SendMessage(h, PSM_GETCURRENTPAGEHWND, 0, 0));
        EXPECT_EQ(FieldText(page, IDC_PREF_CALCULATOR), "");  // reloaded, not the value in memory
        SetWindowText(GetDlgItem(page, IDC_PREF_CALCULATOR), calc.c_str());
        automation::ExpectMessageBox("", "Do you wish to save your changes", ANSWER_YES);
        Press(h, IDCANCEL);
      },
      IDCANCEL);
  RunPreferences();
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "CONFIG");
  char stored[MAX_PATH];
  GetSettingText(s, 'A', "", stored);
  CloseSettingsSection(s);
  EXPECT_EQ(stored, calc);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(PreferencesSheetTest, ResetEmptiesEveryRememberedSettingAndReloadsThePages) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPT12");
  PutSettingText(s, 'A', "remembered");
  CloseSettingsSection(s);
  s = OpenSettingsSection(SettingsFileName, "CONFIG");
  PutSettingInt(s, 'D', 2);
  CloseSettingsSection(s);
  XferConfig(0);
  ASSERT_EQ(BackupMode, 2);
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) {
    automation::ExpectMessageBox("", "This option will reset all dialog preferences to their defaults", ANSWER_YES);
    automation::ExpectMessageBox("Information", "Reset complete", IDOK);
    Press(h, IDC_PREF_RESET);
    // The General page shows the defaults again, unchanged.
    EXPECT_EQ(IsDlgButtonChecked(sheet.m_general.GetSafeHwnd(), IDC_PREF_BACKUP_ALWAYS), BST_CHECKED);
    EXPECT_FALSE(sheet.m_general.Changed());
  });
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(ReadBytes(SettingsFileName), "");
  EXPECT_EQ(BackupMode, 0);
  char today[9];
  GetTimestamp(DF_YYYYMMDD, today);
  EXPECT_STREQ(TodayDate, today);
}

TEST_F(PreferencesSheetTest, ColourPartsAreClampedMatchedByNameAndSpun) {
  BackgroundMode = 2;
  BackgroundColour = RGB(0, 128, 128);
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) {
    CPrefBack& page = sheet.m_background;
    sheet.SetActivePage(&page);
    automation::PumpUntilIdle();
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "");
    const struct {
      int id;
      const char* typed;
      const char* shown;
    } parts[] = {{IDC_PREF_RED, "300", "255"}, {IDC_PREF_GREEN, "-5", "0"}, {IDC_PREF_BLUE, "0", "0"}};
    for (const auto& p : parts) {
      SetWindowText(Item(page, p.id), p.typed);
      Notify(page, p.id, EN_KILLFOCUS);
      EXPECT_EQ(Text(page, p.id), p.shown) << p.typed;
    }
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "Red");
    // Black typed by hand is the empty name's row, which comes first.
    SetWindowText(Item(page, IDC_PREF_RED), "0");
    Notify(page, IDC_PREF_RED, EN_KILLFOCUS);
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "");
    ChooseName(page, "Black");
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "Black");
    ChooseName(page, "Yellow");
    EXPECT_EQ(Text(page, IDC_PREF_RED), "255");
    EXPECT_EQ(Text(page, IDC_PREF_GREEN), "255");
    // The spinner steps the part from the buddy's number.
    SetWindowText(Item(page, IDC_PREF_BLUE), "10");
    Notify(page, IDC_PREF_BLUE, EN_KILLFOCUS);
    HWND spin = Item(page, IDC_PREF_BLUE_SPIN);
    RECT r;
    GetClientRect(spin, &r);
    automation::Click(spin, POINT{(r.right - r.left) / 2, 2});
    automation::PumpUntilIdle();
    EXPECT_EQ(Text(page, IDC_PREF_BLUE), "11");
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "");
    Press(h, IDOK);
  });
  EXPECT_EQ(sheet.m_bSaved, 1);
  EXPECT_EQ(BackgroundColour, RGB(255, 255, 11));
  EXPECT_STREQ(BackgroundColourName, "");
}

TEST_F(PreferencesSheetTest, TheThreeImageChoicesAreOneGroupAndEachSticks) {
  for (int mode : {2, 1, 0, 2}) {
    SCOPED_TRACE(mode);
    const int ids[3] = {IDC_PREF_DEFAULT_IMAGE, IDC_PREF_OTHER_IMAGE, IDC_PREF_NO_IMAGE};
    std::snprintf(UserPictureFile, sizeof UserPictureFile, "%s", ResourcePath("bitmaps/265.bmp").c_str());
    CPrefDlg sheet;
    Run(sheet, [&](HWND h) {
      CPrefBack& page = sheet.m_background;
      sheet.SetActivePage(&page);
      automation::PumpUntilIdle();
      SendMessage(Item(page, ids[mode]), BM_CLICK, 0, 0);
      automation::PumpUntilIdle();
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(IsDlgButtonChecked(page.GetSafeHwnd(), ids[i]), i == mode ? BST_CHECKED : BST_UNCHECKED) << i;
      Press(h, IDOK);
    });
    EXPECT_EQ(sheet.m_bSaved, 1);
    EXPECT_EQ(BackgroundMode, mode);
  }
}

TEST_F(PreferencesSheetTest, YesToCancelsQuestionChecksTheDateAsOkDoes) {
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) {
    automation::PumpUntilIdle();
    SetWindowText(Item(sheet.m_general, IDC_PREF_DATE), "02/30/2026");
    Notify(sheet.m_general, IDC_PREF_DATE, EN_CHANGE);
    automation::ExpectMessageBox("", "Do you wish to save your changes", ANSWER_YES);
    automation::ExpectMessageBox("", "Invalid date", IDOK);
    Press(h, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(h));  // the sheet stays for the date to be mended
    EXPECT_EQ(sheet.m_bSaved, 0);
    automation::ExpectMessageBox("", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(sheet.m_bSaved, 0);
  EXPECT_STREQ(TodayDate, "20260615");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(PreferencesSheetTest, ThePreviewShowsTheColourAndNoPictureInMode2) {
  BackgroundMode = 0;
  BackgroundColour = RGB(0, 0, 255);
  CPrefDlg sheet;
  Run(sheet, [&](HWND) {
    CPrefBack& page = sheet.m_background;
    sheet.SetActivePage(&page);
    automation::PumpUntilIdle();
    EXPECT_TRUE(IsWindowEnabled(Item(page, IDC_PREF_STRETCH)));
    EXPECT_FALSE(IsWindowEnabled(Item(page, IDC_PREF_PICTURE)));
    SendMessage(Item(page, IDC_PREF_NO_IMAGE), BM_CLICK, 0, 0);
    automation::PumpUntilIdle();
    EXPECT_FALSE(IsWindowEnabled(Item(page, IDC_PREF_STRETCH)));
    EXPECT_FALSE(IsWindowEnabled(Item(page, IDC_BACKUP_BROWSE)));
    ChooseName(page, "Red");
    automation::PumpUntilIdle();
    HWND preview = Item(page, IDC_PREF_PREVIEW);
    RECT r;
    GetClientRect(preview, &r);
    EXPECT_EQ(automation::PixelAt(preview, r.right / 2, r.bottom / 2), RGB(255, 0, 0));
    EXPECT_EQ(automation::PixelAt(preview, 3, 3), RGB(255, 0, 0));
  });
}

// The new password is stored with the unit settings; when that fails the old
// one stays in effect.
TEST_F(PreferencesSheetTest, SetPasswordStoresTheNewPasswordOrKeepsTheOld) {
  for (bool writable : {true, false}) {
    SCOPED_TRACE(writable);
    DataPassword.clear();
    PasswordPrompt = "Password:";
    const std::string folder = writable ? dir.path() : dir / "missing";
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", folder.c_str());
    if (!writable)
      automation::ExpectMessageBox("", "Saving the new password failed.  Old password is still in effect", IDOK);
    automation::OnDialog(
        "New Password",
        [](HWND h) {
          SetField(h, IDC_PASSWORD_PROMPT, "Camp site?");
          SetField(h, IDC_PASSWORD_NEW, "Badger42");
          SetField(h, IDC_PASSWORD_CONFIRM, "Badger42");
          Press(h, IDOK);
        },
        IDCANCEL);
    CPrefDlg sheet;
    Run(sheet, [&](HWND) { Press(sheet.m_general.GetSafeHwnd(), IDC_PREF_PASSWORD); });
    EXPECT_TRUE(automation::PendingExpectations().empty());
    EXPECT_EQ(DataPassword.empty(), !writable);
    EXPECT_EQ(PasswordPrompt, writable ? "Camp site?" : "Password:");
    UnitSettings stored;
    std::string error;
    if (writable) {
      ASSERT_TRUE(ReadUnitSettings(UnitSettingsPath(folder), &stored, &error));
      EXPECT_TRUE(PasswordMatches("Badger42", stored.passwordHash));
    }
  }
  DataPassword.clear();
}

TEST_F(PreferencesSheetTest, GridColoursAreEditedPerElementAndDefaultRestoresOneGrid) {
  for (COLORREF& c : GridColours) c = RGB(1, 2, 3);
  CPrefDlg sheet;
  Run(sheet, [&](HWND h) {
    CPrefGrid& page = sheet.m_grids;
    sheet.SetActivePage(&page);
    automation::PumpUntilIdle();
    SendMessage(Item(page, IDC_PREF_SUPPORT_GRID), BM_CLICK, 0, 0);
    automation::PumpUntilIdle();
    Press(page.GetSafeHwnd(), IDC_PREF_GRID_DEFAULT);
    EXPECT_EQ(Text(page, IDC_PREF_COLOUR_NAME), "Blue - Deep");  // the support grid's column headers
    SendMessage(Item(page, IDC_PREF_EDITED_ROW), BM_CLICK, 0, 0);
    automation::PumpUntilIdle();
    ChooseName(page, "White");
    // The sample register shows the working colours; its row 5 is an edited row.
    auto* sample = dynamic_cast<CTransGrid*>(CWnd::FromHandlePermanent(Item(page, IDC_PREF_SAMPLE_GRID)));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->GetRowCount(), 6u);
    automation::PumpUntilIdle();
    const CRect edited = sample->CalcCellRect(5, kColMonth), odd = sample->CalcCellRect(3, kColMonth);
    EXPECT_EQ(automation::PixelAt(sample->m_hWnd, edited.left + 4, edited.top + 4), RGB(255, 255, 255));
    EXPECT_EQ(automation::PixelAt(sample->m_hWnd, odd.left + 4, odd.top + 4), page.m_working[6]);
    SendMessage(Item(page, IDC_PREF_USE_GRIDS), BM_CLICK, 0, 0);
    Press(h, IDOK);
  });
  EXPECT_EQ(sheet.m_bSaved, 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GridColours[i], RGB(1, 2, 3)) << i;
  for (int i = 5; i < 9; ++i) EXPECT_EQ(GridColours[i], DefaultGridColours[i]) << i;
  EXPECT_EQ(GridColours[9], RGB(255, 255, 255));
  EXPECT_EQ(UseGridEntry, 0);
}

}  // namespace
