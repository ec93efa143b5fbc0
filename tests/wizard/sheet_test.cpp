// The wizard sheet's windows driven headless through their pages to Finish
// with the installer's switch combinations, the browse buttons with and
// without a folder picker, and pictures of two pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../support/GoldenImage.h"
#include "OldInstall.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "wizard/Conversion.h"
#include "wizard/FolderDialog.h"
#include "wizard/FolderPicker.h"
#include "wizard/MovraneApp.h"
#include "wizard/WizardSheet.h"

namespace {

using oldinst::OldInstall;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class FakePicker : public FolderPicker {
 public:
  bool PickFolder(CWnd*, const std::string& title, std::string& folder) override {
    titles.push_back(title);
    starts.push_back(folder);
    folder = "/picked";
    return true;
  }
  std::vector<std::string> titles, starts;
};

class SheetTest : public ::testing::Test {
 protected:
  void TearDown() override {
    sheet_.reset();
    automation::ResetWindows();
  }
  // An old installation of `version` with the years 2007 and 2008.
  void Install(int version, int years = 2) {
    inst_ = std::make_unique<OldInstall>(version);
    std::vector<std::string> yy;
    for (int y = 0; y < years; ++y) {
      char two[3];
      std::snprintf(two, sizeof two, "%02d", 7 + y);
      yy.push_back(two);
      inst_->WriteStandardYear(two);
    }
    inst_->WriteConfig(yy);
  }
  std::string Switches(const std::string& which) const {
    std::string line;
    for (char c : which) {
      switch (c) {
        case 't': line += " -t 0"; break;
        case 'o': line += " -o " + inst_->OldFolder(); break;
        case 'n': line += " -n " + inst_->NewFolder(); break;
        case 'i': line += " -i /imp"; break;
        case 'a': line += " -a Adults"; break;
        case 's': line += " -s " + StatusFile(); break;
        default: break;
      }
    }
    return line;
  }
  std::string StatusFile() const { return inst_->Base() + "/status.txt"; }
  void Open(const std::string& switches, FolderPicker* picker = nullptr) {
    job_.ParseCommandLine(switches);
    sheet_ = std::make_unique<CMovraneDlg>(job_, picker);
    ASSERT_TRUE(sheet_->Create());
    automation::PumpUntilIdle();
  }
  HWND Item(int id) const { return automation::FindById(sheet_->m_hWnd, id); }
  void Press(int id) {
    ::SendMessage(sheet_->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(sheet_->m_hWnd, id)));
    automation::PumpUntilIdle();
  }
  std::string Text(int id) const {
    char text[256] = "";
    ::GetDlgItemText(Page(), id, text, sizeof text);
    return text;
  }
  HWND Page() const { return sheet_->Page(sheet_->ActiveSlot())->m_hWnd; }
  void Send(int id, UINT message, WPARAM w, LPARAM l) { ::SendDlgItemMessage(Page(), id, message, w, l); }
  // The answers a treasurer gives on each page.
  void Answer(int slot) {
    switch (slot) {
      case kSlotMode:
        Send(IDC_WIZ_TYPE, CB_SETCURSEL, 0, 0);
        ::SetDlgItemText(Page(), IDC_WIZ_FOLDER, inst_->NewFolder().c_str());
        break;
      case kSlotSource: ::SetDlgItemText(Page(), IDC_WIZ_SOURCE_FOLDER, inst_->OldFolder().c_str()); break;
      case kSlotAdult:
        Send(IDC_WIZ_ADULT_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Adults"));
        break;
      case kSlotSubunitQuestion: ::CheckRadioButton(Page(), IDC_WIZ_YES, IDC_WIZ_NO, IDC_WIZ_YES); break;
      case kSlotIdentification: {
        LRESULT i = ::SendDlgItemMessage(Page(), IDC_WIZ_MEMBERS, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(" Eagle"));
        ASSERT_GE(i, 0);
        Send(IDC_WIZ_MEMBERS, LB_SETSEL, TRUE, i);
        break;
      }
      default: break;
    }
  }
  // Answers and presses Next on every page up to the status page, then
  // Finish; the slots shown.
  std::vector<int> WalkToFinish() {
    std::vector<int> shown;
    for (int guard = 0; guard < kSlotCount + 1; ++guard) {
      const int slot = sheet_->ActiveSlot();
      shown.push_back(slot);
      if (slot == kSlotStatus) {
        EXPECT_FALSE(::IsWindowVisible(Item(IDCANCEL)));
        EXPECT_TRUE(::IsWindowVisible(Item(ID_WIZFINISH)));
        Press(ID_WIZFINISH);
        break;
      }
      Answer(slot);
      Press(ID_WIZNEXT);
      if (sheet_->ActiveSlot() == slot) {
        ADD_FAILURE() << "stuck on slot " << slot << ": " << job_.GetErrorText();
        break;
      }
    }
    return shown;
  }

  std::unique_ptr<OldInstall> inst_;
  CConversion job_;
  std::unique_ptr<CMovraneDlg> sheet_;
};

TEST_F(SheetTest, InstallerSwitchesWalkThroughTheRemainingPagesToFinish) {
  const struct {
    int version;
    const char* switches;
    const char* shown;  // the slots shown, in order
  } kCases[] = {
      {2, "tonias", "145678"},
      {1, "tonias", "145678"},
      {1, "tonis", "1345678"},
      {3, "tnias", "1245678"},
      {1, "s", "012345678"},
      {2, "s", "01245678"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string("version ") + std::to_string(c.version) + " switches " + c.switches);
    job_ = CConversion();
    Install(c.version);
    Open(Switches(c.switches));
    EXPECT_FALSE(::IsWindowEnabled(Item(ID_WIZBACK)));  // nothing before the first page
    EXPECT_FALSE(::IsWindowVisible(Item(IDHELP)));
    std::vector<int> shown;
    for (const char* slot = c.shown; *slot; ++slot) shown.push_back(*slot - '0');
    EXPECT_EQ(WalkToFinish(), shown);
    EXPECT_FALSE(sheet_->IsWindowVisible());
    EXPECT_EQ(job_.GetResult(), kStatusSuccessful);
    const bool adult = std::string(c.switches).find('a') != std::string::npos || c.version == 1;
    EXPECT_EQ(job_.GetAdultSubunit(), adult ? "Adults" : "");
    EXPECT_EQ(job_.GetSubunitMembers(), std::vector<std::string>{" Eagle, Patrol"});
    job_.WriteStatusFile();
    EXPECT_EQ(ReadFile(StatusFile()), "0\n");
    sheet_.reset();
    automation::ResetWindows();
  }
}

TEST_F(SheetTest, BackSkipsDisabledPagesAndNoHidesIdentification) {
  Install(2);
  Open(Switches("tonias"));
  Press(ID_WIZNEXT);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotSubunitQuestion);
  EXPECT_EQ(::IsDlgButtonChecked(Page(), IDC_WIZ_NO), BST_CHECKED);
  CString caption;
  sheet_->GetWindowText(caption);
  EXPECT_EQ(caption, CString("Patrol Question"));
  Press(ID_WIZNEXT);  // No: the identification page is skipped
  EXPECT_EQ(sheet_->ActiveSlot(), kSlotFiscalYears);
  Press(ID_WIZBACK);
  EXPECT_EQ(sheet_->ActiveSlot(), kSlotSubunitQuestion);
  Press(ID_WIZBACK);
  EXPECT_EQ(sheet_->ActiveSlot(), kSlotWelcome);
}

TEST_F(SheetTest, RefusedAnswersAndAFailedConversionKeepThePage) {
  Install(3, 1);
  Open(Switches("s"));
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotMode);
  Send(IDC_WIZ_TYPE, CB_SETCURSEL, 0, 0);
  automation::ExpectMessageBox("", "An installation folder must be supplied", IDOK);
  Press(ID_WIZNEXT);
  EXPECT_EQ(sheet_->ActiveSlot(), kSlotMode);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  Answer(kSlotMode);
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  Answer(kSlotSource);
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotStart);
  std::filesystem::remove(inst_->OldPath("unit", "07"));
  // One box for the failure: a second one would find no answer and fail.
  automation::ExpectMessageBox("Error", "Failed open: ", IDOK);
  Press(ID_WIZNEXT);
  EXPECT_EQ(sheet_->ActiveSlot(), kSlotStart);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(SheetTest, CancelledRunWritesMinusOne) {
  Install(2);
  job_.ParseCommandLine(Switches("tonias"));
  automation::OnDialog("Welcome", [](HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); }, -1);
  RunWizard(job_, nullptr);
  EXPECT_EQ(ReadFile(StatusFile()), "-1\n");
}

TEST_F(SheetTest, ApplicationRunsTheSheetOnceAndNamesItselfByTheUnitType) {
  Install(2);
  const std::string line = Switches("onias") + " -t 1";
  CMovraneApp app(job_, nullptr, line.c_str());
  CWnd* shown = nullptr;
  automation::OnDialog("Welcome", [&shown](HWND h) {
    shown = AfxGetMainWnd();
    ::SendMessage(h, WM_COMMAND, IDCANCEL, 0);
  }, -1);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_NE(shown, nullptr);
  EXPECT_STREQ(AfxGetAppName(), "PackTallyo Conversion");
  EXPECT_EQ(ReadFile(StatusFile()), "-1\n");
  // A refused type leaves the name as it was.
  EXPECT_EQ(job_.SetAppType(9), 0);
  EXPECT_STREQ(AfxGetAppName(), "PackTallyo Conversion");
}

TEST_F(SheetTest, BrowseButtonsShowTheFolderPictureOfTheirState) {
  Install(2);
  FakePicker picker;
  Open(Switches("s"), &picker);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotMode);
  HWND button = Item(IDC_WIZ_BROWSE);
  ASSERT_NE(button, nullptr);
  // The 16 x 13 picture sits centred in the button.
  auto pixel = [button](int x, int y) {
    RECT r{};
    ::GetClientRect(button, &r);
    return automation::PixelAt(button, 2 + (r.right - 4 - 16) / 2 + x, 2 + (r.bottom - 4 - 13) / 2 + y);
  };
  const COLORREF yellow = RGB(255, 255, 0), white = RGB(255, 255, 255);
  EXPECT_EQ(pixel(8, 8), yellow);
  EXPECT_EQ(pixel(5, 6), white);
  ::SetFocus(button);
  automation::PumpUntilIdle();
  EXPECT_EQ(pixel(5, 6), RGB(0, 0, 128));
  ::EnableWindow(button, FALSE);
  automation::PumpUntilIdle();
  EXPECT_EQ(pixel(8, 8), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pixel(2, 1), GetSysColor(COLOR_3DSHADOW));
  ::EnableWindow(button, TRUE);
  automation::Click(button, POINT{4, 4});
  automation::PumpUntilIdle();
  EXPECT_EQ(picker.titles, std::vector<std::string>{"Installation Folder"});
}

TEST_F(SheetTest, MinimisedSheetShowsTheProgramIconCentred) {
  Install(2);
  Open(Switches("tonias"));
  HWND h = sheet_->m_hWnd;
  const LRESULT icon = ::SendMessage(h, WM_QUERYDRAGICON, 0, 0);
  EXPECT_EQ(icon, reinterpret_cast<LRESULT>(::LoadIcon(nullptr, MAKEINTRESOURCE(IDI_WIZ_PROGRAM))));
  ::ShowWindow(h, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(h));
  // Only the sheet's own painting: the host shows no children of a
  // minimised window.
  for (HWND child = ::GetWindow(h, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ::ShowWindow(child, SW_HIDE);
  ::InvalidateRect(h, nullptr, TRUE);
  automation::PumpUntilIdle();
  RECT r{};
  ::GetClientRect(h, &r);
  const int x = (r.right - 32 + 1) / 2, y = (r.bottom - 32 + 1) / 2;
  // The icon's see-through corner shows the erased face; its books do not.
  EXPECT_EQ(automation::PixelAt(h, x + 31, y), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(automation::PixelAt(h, x + 1, y + 1), RGB(0, 0, 0));
  EXPECT_EQ(automation::PixelAt(h, x + 5, y + 10), RGB(128, 128, 128));
  EXPECT_EQ(automation::PixelAt(h, x + 22, y + 22), RGB(0, 128, 0));
  ::ShowWindow(h, SW_RESTORE);
}

TEST_F(SheetTest, FiscalYearRowsScrollAndBrowseThroughThePicker) {
  Install(3, 7);
  FakePicker picker;
  Open(Switches("tonias"), &picker);
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotFiscalYears);
  HWND bar = Item(IDC_WIZ_YEAR_SCROLL);
  EXPECT_TRUE(::IsWindowEnabled(bar));
  ::SendMessage(Page(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(Text(1026), "2013:");
  EXPECT_FALSE(::IsWindowVisible(Item(1027)));
  // Unchecking a year disables its folder and browse button.
  ::SendMessage(Item(1026), BM_CLICK, 0, 0);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindowEnabled(Item(1028)));
  EXPECT_FALSE(::IsWindowEnabled(Item(1029)));
  ::SendMessage(Item(1026), BM_CLICK, 0, 0);
  ::SendMessage(Item(1029), BM_CLICK, 0, 0);
  automation::PumpUntilIdle();
  ASSERT_EQ(picker.titles, std::vector<std::string>{"2013 Data Folder"});
  EXPECT_EQ(picker.starts[0], inst_->NewFolder() + "/fy2013");
  EXPECT_EQ(Text(1028), "/picked");
}

TEST_F(SheetTest, BrowseButtonsAreDisabledWithoutAPicker) {
  Install(2);
  Open(Switches("s"));
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotMode);
  EXPECT_FALSE(::IsWindowEnabled(Item(IDC_WIZ_BROWSE)));
}

TEST_F(SheetTest, PagesMatchTheirPictures) {
  Install(2);
  Open(Switches("tonias"));
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotWelcome);
  EXPECT_TRUE(golden::Matches("wizard/welcome_page.png",
                              [&](const std::string& path) { return automation::RenderToPng(sheet_->m_hWnd, path); }));
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  Press(ID_WIZNEXT);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotStart);
  Press(ID_WIZNEXT);
  ASSERT_EQ(sheet_->ActiveSlot(), kSlotStatus);
  EXPECT_TRUE(golden::Matches("wizard/status_page.png",
                              [&](const std::string& path) { return automation::RenderToPng(sheet_->m_hWnd, path); }));
}

}  // namespace

namespace {

// The picker opens in the folder given, shows only folders, and OK returns
// the folder shown without the dummy file name.
TEST(FolderDialog, ReturnsTheFolderShownWithOnlyTheFoldersVisible) {
  automation::ResetWindows();
  oldinst::OldInstall inst(2);
  std::filesystem::create_directories(inst.NewFolder() + "/fy2008");
  bool seen = false;
  automation::OnDialog("2008 Data Folder", [&](HWND h) {
    seen = true;
    for (int hidden : {stc2, stc3, edt1, lst1, cmb1}) EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(h, hidden))) << hidden;
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(h, lst2)));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(h, lst2));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(h, IDHELP)));
    ::SendMessage(h, WM_COMMAND, IDOK, 0);
  }, -1);
  DialogFolderPicker picker;
  std::string folder = inst.NewFolder() + "/fy2008";
  EXPECT_TRUE(picker.PickFolder(nullptr, "2008 Data Folder", folder));
  EXPECT_TRUE(seen);
  EXPECT_EQ(folder, inst.NewFolder() + "/fy2008");
  automation::OnDialog("Root Folder", [](HWND h) { ::SendMessage(h, WM_COMMAND, IDCANCEL, 0); }, -1);
  EXPECT_FALSE(picker.PickFolder(nullptr, "Root Folder", folder));
  EXPECT_EQ(folder, inst.NewFolder() + "/fy2008");
  automation::ResetWindows();
}

}  // namespace
