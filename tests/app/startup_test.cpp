// Start-up to the first paint on the sample installation, its failing
// steps, the closing check, and the main window in the unit's words.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

#include "support/GoldenImage.h"
#include "app/AppTestUtil.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXGridWnd.h"
#include "grid/features/GXGridPrintPreview.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/framework/FrameDefs.h"
#include "platform/print_support.h"
#include "reports/RptPdf.h"
#include "common/CommonTestUtil.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "app/MainFrame.h"
#include "app/OneInst.h"
#include "app/Preferences.h"
#include "app/ShellDialogs.h"
#include "app/Startup.h"
#include "common/AmountEdit.h"
#include "records/AccountRegisterSeam.h"
#include "app/TornelApp.h"
#include "app/TornelView.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/PrefValues.h"
#include "common/PrintSettings.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/SplashWindow.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/UnitInfo.h"
#include "res/resource.h"
#include "common/Version.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/base/Resources.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/SysColors.h"
#include "platform/menus/Menu.h"
#include "platform/print/Printers.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "reports/MailLabel.h"
#include "reports/RptDriver.h"
#include "tools/sampleinst/SampleInstall.h"

namespace {

// A program folder of its own for each installation.
class Home {
 public:
  Home() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-app-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : "";
  }
  ~Home() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Destroying the main window posts the quit that ends the message loop; a
// test that has no loop running takes it away so that the next one pumps.
void DrainQuit() {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// The running-copy lock and socket of this test program only: test programs
// run side by side, and each must be the first copy of its own.
void PrivateRuntimeFolder() {
  static const Home folder;
  ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
}

class StartupTest : public testing::Test {
 protected:
  void SetUp() override {
    PrivateRuntimeFolder();
    DrainQuit();
    InstallCommandStrings();
    TheShellDialogs() = ShellDialogs{};
    // The reminder stays quiet: the clock stands at the program's own date.
    SetReminderClockForTest(0);
  }
  void TearDown() override {
    automation::ClearResponder();
    TheShellDialogs() = ShellDialogs{};
  }

  // The wired program started on the sample installation, the shell's own
  // dialogs (tested on their own) kept out of the start.
  void StartWiredSample(CTornelApp& app) {
    WireProgram();
    TheShellDialogs() = ShellDialogs{};
    MakeSample();
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
  }

  // The sample installation of `unitType`; the splash switched off so that
  // the first paint follows start-up at once.
  void MakeSample(int unitType = 0, bool splash = false, int year = 2026) {
    home = std::make_unique<Home>();
    const Home& dir = *home;
    InstallOptions o;
    o.folder = dir.path();
    o.unitType = unitType;
    o.year = year;
    ASSERT_TRUE(MakeInstallation(o));
    SettingsSection* s = OpenSettingsSection((dir / "udata4.dat").c_str(), "OPTWARN");
    ASSERT_NE(s, nullptr);
    PutSettingFlag(s, 'D', splash ? 1 : 0);
    CloseSettingsSection(s);
  }

  // The start's messages, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : automation::ModalLog())
      if (m.kind == "messagebox") texts.push_back(m.caption + ": " + m.text);
    return texts;
  }

  // Closing without the integrity check and the backup.
  void Quit(CTornelApp& app) {
    IntegrityCheckMode = 2;
    BackupMode = 2;
    Close(app);
  }
  void Close(CTornelApp& app) {
    if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd) app.m_pMainWnd->SendMessage(WM_CLOSE);
    automation::PumpUntilIdle();
    app.m_pMainWnd = nullptr;
    app.ExitInstance();
    DrainQuit();
  }

  std::unique_ptr<Home> home;
};

TEST_F(StartupTest, SampleStartsToTheFirstPaint) {
  MakeSample();
  static int tips;
  tips = 0;
  TheShellDialogs().tipOfTheDay = [](bool atStartup) {
    EXPECT_TRUE(atStartup);
    ++tips;
  };
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  ASSERT_NE(app.m_pMainWnd, nullptr);
  automation::PumpUntilIdle();
  EXPECT_TRUE(::IsWindowVisible(app.m_pMainWnd->m_hWnd));
  EXPECT_EQ(app.m_bFirstPaintPending, 0);
  char title[128] = {};
  ::GetWindowText(app.m_pMainWnd->m_hWnd, title, sizeof title);
  EXPECT_NE(std::string(title).find("FY2026"), std::string::npos) << title;
  EXPECT_STREQ(UnitName, "Troop 42");
  EXPECT_STREQ(CurrentMailLabel.GetName(), "Avery 5160 - Address");
  EXPECT_EQ(CurrentMailLabel.Definition().across, 3);
  EXPECT_STREQ(TempFolder, (*home / "temp").c_str());
  EXPECT_TRUE(Messages().empty()) << Messages().front();
  // Each start that reaches the data counts once.
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "INSTANCE");
  EXPECT_EQ(GetSettingInt(s, 'A', 0), 1);
  CloseSettingsSection(s);
  EXPECT_EQ(tips, 1);
  Quit(app);
}

TEST_F(StartupTest, FailingStepsEndTheStartWithTheirMessage) {
  struct Case {
    const char* name;
    void (*spoil)(const Home& dir);
    const char* expected;  // part of the one message; null: none
  } cases[] = {
      {"no configuration", [](const Home& d) { std::remove((d / "config4.sl").c_str()); }, "config4.sl"},
      {"unreadable unit settings", [](const Home& d) { std::remove(UnitSettingsPath(d.path()).c_str()); },
       "unitset4.txt"},
      {"year folder gone",
       [](const Home& d) { std::remove((d / "fy2026/acct426.dat").c_str()); }, "Failed open: account"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSample();
    c.spoil(*home);
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    CTornelApp app;
    EXPECT_FALSE(app.InitInstance());
    const auto shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(c.expected), std::string::npos) << shown[0];
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    app.ExitInstance();
  }
}

TEST_F(StartupTest, AMissingLabelFileIsReportedAndTheStartGoesOn) {
  MakeSample();
  std::remove((*home / "labels4.dat").c_str());
  automation::AlwaysAnswer("", "", IDOK);
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Error: Could not find default mailing label in CMailLabelDBase::Retrieve.");
  EXPECT_STREQ(CurrentMailLabel.GetName(), "");
  Quit(app);
}

TEST_F(StartupTest, ASecondCopyEndsWithoutAMessage) {
  MakeSample();
  SetUnitType(0);
  COneInst first;
  first.SetName(ProgramTitle);
  ASSERT_EQ(first.Check(0), 1);
  CTornelApp app;
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  app.ExitInstance();
}

TEST_F(StartupTest, AFailedPasswordEndsWithCodeOneBeforeTheTip) {
  MakeSample();
  UnitSettings unit;
  std::string error;
  ASSERT_EQ(ReadUnitSettings(UnitSettingsPath(home->path()), &unit, &error), 1);
  unit.passwordHash = HashPassword("secret");
  ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(home->path()), unit), 1);
  static int asked, tips;
  asked = tips = 0;
  TheShellDialogs().verifyPassword = [](const char* hash, const char* prompt) {
    ++asked;
    EXPECT_STREQ(prompt, "Password:");
    return PasswordMatches("wrong", hash);
  };
  TheShellDialogs().tipOfTheDay = [](bool) { ++tips; };
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.Run(), 1);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(tips, 0);
  DrainQuit();
}

TEST_F(StartupTest, TheSplashDefersTheFirstPaintStep) {
  MakeSample(0, true);
  static int tips;
  tips = 0;
  TheShellDialogs().tipOfTheDay = [](bool) { ++tips; };
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  EXPECT_EQ(tips, 0);
  ASSERT_NE(SplashWnd, nullptr);
  EXPECT_FALSE(::IsWindowVisible(app.m_pMainWnd->m_hWnd));
  automation::AdvanceClock(2100);
  automation::PumpUntilIdle();
  EXPECT_TRUE(::IsWindowVisible(app.m_pMainWnd->m_hWnd));
  EXPECT_EQ(tips, 1);
  Quit(app);
}

TEST_F(StartupTest, ASplashWithoutItsPictureLeavesTheWindowShownAndThePromptsRunning) {
  MakeSample(0, true);
  static int tips;
  tips = 0;
  TheShellDialogs().tipOfTheDay = [](bool) { ++tips; };
  // The resources without the splash pictures.
  const std::string res = ResourceDir(), lacking = (*home / "res-lacking");
  std::filesystem::create_directories(lacking + "/bitmaps");
  for (const auto& e : std::filesystem::directory_iterator(res))
    if (e.path().filename() != "bitmaps") std::filesystem::create_symlink(e.path(), lacking + "/" + e.path().filename().string());
  for (const auto& e : std::filesystem::directory_iterator(res + "/bitmaps")) {
    const std::string name = e.path().filename().string();
    if (name != "265.bmp" && name != "266.bmp") std::filesystem::create_symlink(e.path(), lacking + "/bitmaps/" + name);
  }
  const char* before = std::getenv("KESTROVA_RES");
  const std::string saved = before ? before : "";
  ::setenv("KESTROVA_RES", lacking.c_str(), 1);
  CTornelApp app;
  const BOOL started = app.InitInstance();
  if (before) ::setenv("KESTROVA_RES", saved.c_str(), 1);
  else ::unsetenv("KESTROVA_RES");
  ASSERT_TRUE(started);
  automation::PumpUntilIdle();
  EXPECT_EQ(SplashWnd, nullptr);
  EXPECT_TRUE(::IsWindowVisible(app.m_pMainWnd->m_hWnd));
  EXPECT_EQ(tips, 1);
  Quit(app);
}

TEST_F(StartupTest, ClosingAsksForTheIntegrityCheckInMode1) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  IntegrityCheckMode = 1;
  BackupMode = 2;
  automation::ExpectMessageBox("", "Do you wish to perform a data integrity check", IDNO);
  Close(app);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

// Closing backs up as the backup mode says: 0 the Backup dialog at once, 1
// after the question (Cancel keeps the program running), 2 never.
TEST_F(StartupTest, ClosingBacksUpAsTheBackupModeSays) {
  const struct {
    int mode;
    int answer;
    bool dialog;
    bool closes;
  } cases[] = {{0, 0, true, true},
               {1, ANSWER_YES, true, true},
               {1, ANSWER_NO, false, true},
               {1, ANSWER_CANCEL, false, false},
               {2, 0, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.answer);
    MakeSample();
    CTornelApp app;
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
    IntegrityCheckMode = 2;
    BackupMode = c.mode;
    if (c.mode == 1) automation::ExpectMessageBox("", "Do you wish to backup your data files", c.answer);
    // Cancelling the Backup dialog does not stop the closing; a dialog not
    // expected goes unanswered and fails the test.
    int shown = 0;
    if (c.dialog) automation::OnDialog("Backup", [&shown](HWND) { ++shown; }, IDCANCEL);
    HWND frame = app.m_pMainWnd->m_hWnd;
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    automation::PumpUntilIdle();
    EXPECT_EQ(shown, c.dialog ? 1 : 0);
    EXPECT_EQ(::IsWindow(frame) != FALSE, !c.closes);
    if (!c.closes) {
      Quit(app);
    } else {
      app.m_pMainWnd = nullptr;
      app.ExitInstance();
      DrainQuit();
    }
    automation::ClearResponder();
  }
}

TEST_F(StartupTest, ClosingWithTheBackupDialogsOkBacksTheYearUp) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  IntegrityCheckMode = 2;
  BackupMode = 0;
  const std::string folder = *home / "backup";
  automation::OnDialog(
      "Backup",
      [&](HWND h) {
        SetField(h, IDC_BACKUP_FOLDER, folder);
        automation::ExpectMessageBox("", "Folder does not exist", ANSWER_YES);
        Press(h, IDOK);
      },
      IDCANCEL);
  Close(app);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_TRUE(std::filesystem::exists(folder + "/acct426.dat"));
  EXPECT_TRUE(std::filesystem::exists(folder + "/cnfg4.bu"));
  SettingsSection* s = OpenSettingsSection((*home / "udata4.dat").c_str(), "BACKUP");
  char remembered[MAX_PATH];
  GetSettingText(s, 'A', "", remembered);
  CloseSettingsSection(s);
  EXPECT_EQ(remembered, folder);
}

// The words of every unit type in the menu and the status prompts.
TEST_F(StartupTest, MenuAndPromptsCarryTheUnitsWords) {
  const struct {
    int type;
    const char* subunits;
    const char* info;
  } cases[] = {{0, "Patrols (&P)...", "Troop &Information..."}, {1, "Dens (&P)...", "Pack &Information..."},
               {2, "Patrols (&P)...", "Crew &Information..."},  {3, "Squads (&P)...", "Team &Information..."},
               {4, "Patrols (&P)...", "Troop &Information..."}, {5, "Squads (&P)...", "Troop &Information..."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    MakeSample(c.type);
    CTornelApp app;
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
    auto* frame = static_cast<CMainFrame*>(app.m_pMainWnd);
    HMENU menu = ::GetMenu(frame->m_hWnd);
    char text[128] = {};
    ::GetMenuString(menu, ID_EDIT_SUBUNITS, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, c.subunits);
    ::GetMenuString(menu, ID_EDIT_UNIT_INFO, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, c.info);
    HMENU reports = ::GetSubMenu(menu, 2);
    ::GetMenuString(reports, 6, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), std::string(UnitNoun) + " &Income/Expense Reports");
    EXPECT_NE(::GetSubMenu(reports, 6), nullptr);

    CString prompt;
    frame->GetMessageString(ID_EDIT_SUBUNITS, prompt);
    EXPECT_EQ(std::string(prompt), std::string("Add, review, change, or delete ") + SubunitWord + "s");
    frame->GetMessageString(ID_FILE_TRANSFER, prompt);
    EXPECT_STREQ(prompt, "Transfer data to other Brindlex Software programs");
    frame->GetMessageString(ID_FILE_IMPORT, prompt);
    EXPECT_EQ(std::string(prompt), std::string("Import data from ") + MasterAppName);
    frame->GetMessageString(ID_EDIT_ACCOUNTS, prompt);
    EXPECT_STREQ(prompt, "Manage all aspects of your accounts (add/edit, budget, schedule, etc)");
    Quit(app);
  }
}

}  // namespace

namespace {

TEST_F(StartupTest, MainWindowMatchesItsPicture) {
  MakeSample();
  // A saved rectangle gives the window a fixed place and size.
  SettingsSection* s = OpenSettingsSection((*home / "udata4.dat").c_str(), "MAINWIN");
  ASSERT_NE(s, nullptr);
  PutSettingInt(s, 'L', 20);
  PutSettingInt(s, 'T', 20);
  PutSettingInt(s, 'R', 660);
  PutSettingInt(s, 'B', 420);
  CloseSettingsSection(s);
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  app.OnIdle(0);  // the tool bar takes the commands' states
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("app/main_window.png", [&](const std::string& path) {
    return automation::RenderToPng(app.m_pMainWnd->m_hWnd, path);
  }));
  Quit(app);
}

}  // namespace

namespace {

// The menu's states after the frame prepared a pop-up (position on the bar).
UINT StateOf(CWnd* frame, int barPosition, UINT id) {
  HMENU popup = ::GetSubMenu(::GetMenu(frame->m_hWnd), barPosition);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), barPosition);
  return ::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED;
}

TEST_F(StartupTest, CommandsOfPartsNotBuiltAreDisabled) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  CWnd* frame = app.m_pMainWnd;
  const struct {
    int bar;
    UINT id;
    bool enabled;
  } cases[] = {{0, ID_FILE_OPEN_YEAR, true},  {0, ID_FILE_BACKUP, false},    {0, ID_FILE_EXIT, true},
               {1, ID_EDIT_ACCOUNTS, false},  {1, ID_EDIT_INTEGRITY, true},  {1, ID_EDIT_UNIT_INFO, false},
               {3, 32818, false},             {4, ID_OPTIONS_PREFERENCES, false},
               {5, ID_TOOLS_NOTEPAD, false},  {6, ID_HELP_TOPICS, true},     {6, ID_HELP_TIP, false},
               {6, ID_HELP_ABOUT, false}};
  for (const auto& c : cases) EXPECT_EQ(StateOf(frame, c.bar, c.id) == 0, c.enabled) << c.id;
  // A dialog that arrives later enables its command.
  TheShellDialogs().about = [] {};
  EXPECT_EQ(StateOf(frame, 6, ID_HELP_ABOUT), 0u);
  // So does a command a later subsystem registers, and the command runs it.
  static int accountsOpened = 0;
  RegisterCommand(ID_EDIT_ACCOUNTS, [] { ++accountsOpened; });
  EXPECT_EQ(StateOf(frame, 1, ID_EDIT_ACCOUNTS), 0u);
  frame->SendMessage(WM_COMMAND, ID_EDIT_ACCOUNTS, 0);
  EXPECT_EQ(accountsOpened, 1);
  ClearCommands();
  EXPECT_NE(StateOf(frame, 1, ID_EDIT_ACCOUNTS), 0u);

  // File/Open with the one known year warns and opens nothing.
  automation::ExpectMessageBox("Warning", "The current year is the only one available", IDOK);
  frame->SendMessage(WM_COMMAND, ID_FILE_OPEN_YEAR, 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  Quit(app);
}

TEST_F(StartupTest, TheProgramsWiringFillsEverySeam) {
  // What main() installs: a seam left unfilled here is a feature the
  // program lacks though its test passes.
  WireProgram();
  const UINT commands[] = {ID_FILE_ROLLOVER,   ID_FILE_BACKUP,    ID_FILE_RESTORE, ID_EDIT_ACCOUNTS,
                           ID_EDIT_PROFIT_CENTERS, ID_EDIT_FRIENDS, ID_EDIT_SCOUTS,  ID_EDIT_ADULTS,
                           ID_EDIT_SUBUNITS,   ID_EDIT_SCHEDULES, ID_EDIT_EQUIPMENT, ID_OPTIONS_PREFERENCES};
  for (UINT id : commands) EXPECT_NE(FindCommand(id), nullptr) << id;
  const ShellDialogs& shell = TheShellDialogs();
  EXPECT_NE(shell.verifyPassword, nullptr);
  EXPECT_NE(shell.tipOfTheDay, nullptr);
  EXPECT_NE(shell.faqs, nullptr);
  EXPECT_NE(shell.about, nullptr);
  EXPECT_NE(shell.unitInformation, nullptr);
  // A right click on an amount field opens the calculator.
  EXPECT_NE(GetAmountCalculatorOpener(), nullptr);
  // The transaction form opens an account's register when grid entry is off.
  const int gridEntry = UseGridEntry;
  UseGridEntry = 0;
  EXPECT_NE(GetAccountRegisterOpener(), nullptr);
  UseGridEntry = gridEntry;
  // A grid's Print Preview has a window to show its pages in.
  EXPECT_NE(GXGetGridPreviewHost(), nullptr);

  // The program so wired starts with its record commands enabled (the
  // shell's dialogs, tested on their own, stay out of this start).
  TheShellDialogs() = ShellDialogs{};
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  EXPECT_EQ(StateOf(app.m_pMainWnd, 1, ID_EDIT_ACCOUNTS), 0u);
  Quit(app);
  ClearCommands();
  SetAmountCalculatorOpener(nullptr);
}

// The paper's interior in the preview's page area: the white run around
// the middle of the frame (the page shown first sits at its top).
CRect PaperIn(HWND preview) {
  CRect frame;
  ::GetWindowRect(::GetDlgItem(preview, IDC_PRV_FRAME), &frame);
  ::ScreenToClient(preview, reinterpret_cast<POINT*>(&frame.left));
  ::ScreenToClient(preview, reinterpret_cast<POINT*>(&frame.right));
  frame.DeflateRect(3, 3);  // the frame's own sunken edge
  auto white = [&](int x, int y) { return automation::PixelAt(preview, x, y) == RGB(255, 255, 255); };
  const int midY = frame.top + frame.Height() / 3;
  CRect paper;
  for (paper.left = frame.left; paper.left < frame.right && !white(paper.left, midY); ++paper.left) {
  }
  for (paper.right = frame.right; paper.right > paper.left && !white(paper.right, midY); --paper.right) {
  }
  // The left margin is blank paper from top to bottom.
  const int x = paper.left + 2;
  for (paper.top = frame.top; paper.top < frame.bottom && !white(x, paper.top); ++paper.top) {
  }
  for (paper.bottom = paper.top; paper.bottom < frame.bottom && white(x, paper.bottom); ++paper.bottom) {
  }
  paper.DeflateRect(2, 2);
  return paper;
}

// The dark pixels of the paper, one bit per pixel.
std::vector<bool> Ink(HWND preview, const CRect& paper) {
  std::vector<bool> ink;
  for (int y = paper.top; y < paper.bottom; ++y)
    for (int x = paper.left; x < paper.right; ++x) ink.push_back(GetRValue(automation::PixelAt(preview, x, y)) < 128);
  return ink;
}

TEST_F(StartupTest, AGridsPrintPreviewShowsItsPagesInThePreviewWindowAndPrintsTheGrid) {
  CTornelApp app;
  ASSERT_NO_FATAL_FAILURE(StartWiredSample(app));
  // 30 named rows broken into three pages of ten.
  CGXGridWnd grid;
  ASSERT_TRUE(grid.CreateEx(0, nullptr, "Grid", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, app.m_pMainWnd->m_hWnd,
                            nullptr));
  grid.Initialize();
  CGXData* data = grid.GetParam()->GetData();
  data->StoreRowCount(30);
  data->StoreColCount(3);
  for (ROWCOL r = 1; r <= 30; ++r)
    for (ROWCOL c = 1; c <= 3; ++c) {
      const std::string name = "r" + std::to_string(r) + "c" + std::to_string(c);
      CGXStyle style(name.c_str());
      data->StoreStyleRowCol(r, c, &style, 0, 0);
    }
  CGXProperties& props = *grid.GetParam()->GetProperties();
  props.m_awRowBreaks.Add(11);
  props.m_awRowBreaks.Add(21);

  const std::string pdf = *home / "grid.pdf";
  std::string shown[3];
  bool setupShown = true, exportShown = true;
  std::vector<bool> first, second;
  automation::OnDialog("Preview", [&](HWND h) {
    automation::PumpUntilIdle();
    auto page = [&] {
      char text[64] = {};
      ::GetWindowText(::GetDlgItem(h, IDC_PRV_PAGE), text, sizeof text);
      return std::string(text);
    };
    setupShown = ::IsWindowVisible(::GetDlgItem(h, IDC_PRV_SETUP));
    exportShown = ::IsWindowVisible(::GetDlgItem(h, IDC_PRV_EXPORT));
    // Whole pages, so that a page's paper lies in the frame.
    ::SendDlgItemMessage(h, IDC_PRV_ZOOM, CB_SETCURSEL, 1, 0);
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_PRV_ZOOM, CBN_SELCHANGE), 0);
    ::UpdateWindow(h);
    automation::PumpUntilIdle();
    shown[0] = page();
    const CRect paper = PaperIn(h);
    first = Ink(h, paper);
    Press(h, IDC_PRV_NEXT);
    ::UpdateWindow(h);
    shown[1] = page();
    second = Ink(h, paper);
    Press(h, IDC_PRV_LAST);
    shown[2] = page();
    // Print: the grid printed again on the printer chosen.
    automation::OnDialog("Print", [&](HWND d) {
      printtest::Pick(d, IDC_PD_PRINTER, "PDF file");
      ::SetDlgItemText(d, IDC_PD_FILE, pdf.c_str());
      ::SendDlgItemMessage(d, IDOK, BM_CLICK, 0, 0);
    }, IDCANCEL);
    Press(h, IDC_PRV_PRINT);
  }, IDCANCEL);
  grid.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  automation::PumpUntilIdle();
  EXPECT_TRUE(automation::PendingExpectations().empty()) << "the preview and its print dialog were shown";

  EXPECT_EQ(shown[0], "Page 1 of 3");
  EXPECT_EQ(shown[1], "Page 2 of 3");
  EXPECT_EQ(shown[2], "Page 3 of 3");
  EXPECT_FALSE(setupShown) << "page setup is a report's";
  EXPECT_FALSE(exportShown) << "plain text is a report's";
  ASSERT_EQ(first.size(), second.size());
  EXPECT_GT(std::count(first.begin(), first.end(), true), 100) << "cells and their text on the paper";
  EXPECT_NE(first, second) << "each page shows its own rows";
  if (HavePdfTools()) {
    const std::vector<std::string> printed = PdfPageTexts(pdf);
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_NE(printed[0].find("r1c1"), std::string::npos) << printed[0];
    EXPECT_NE(printed[2].find("r30c3"), std::string::npos) << printed[2];
  }
  grid.DestroyWindow();
  Quit(app);
  ClearCommands();
  SetAmountCalculatorOpener(nullptr);
  GXSetGridPreviewHost(nullptr);
}

TEST_F(StartupTest, TheUserManualMissingIsToldPlainly) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  automation::ExpectMessageBox("Information", "UserManual.pdf was not found", IDOK);
  app.m_pMainWnd->SendMessage(WM_COMMAND, ID_HELP_MANUAL, 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  Quit(app);
}

TEST_F(StartupTest, NotepadMakesTheNotesFileOnce) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  CWnd* frame = app.m_pMainWnd;
  std::snprintf(NotepadPath, sizeof NotepadPath, "/bin/true");
  EXPECT_EQ(StateOf(frame, 5, ID_TOOLS_NOTEPAD), 0u);
  frame->SendMessage(WM_COMMAND, ID_TOOLS_NOTEPAD, 0);
  const std::string notes = *home / NotepadFileName;
  FILE* f = std::fopen(notes.c_str(), "r");
  ASSERT_NE(f, nullptr);
  char line[128] = {};
  ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
  std::fclose(f);
  EXPECT_EQ(std::string(line), std::string(25, ' ') + "*** " + ProgramName + " Notes ***\n");
  // A program that cannot start is reported.
  std::snprintf(NotepadPath, sizeof NotepadPath, "/nonexistent/editor");
  automation::ExpectMessageBox("Fatal Error", "Could not start NotePad (/nonexistent/editor)", IDOK);
  frame->SendMessage(WM_COMMAND, ID_TOOLS_NOTEPAD, 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  NotepadPath[0] = '\0';
  Quit(app);
}

TEST_F(StartupTest, ToolsAndNotesWhosePathsHoldBlanksStart) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  // A tool that writes its arguments, one a line, to a file beside it.
  const std::string folder = *home / "my tools";
  std::filesystem::create_directories(folder);
  const std::string tool = folder + "/the tool", out = folder + "/ran";
  FILE* script = std::fopen(tool.c_str(), "w");
  ASSERT_NE(script, nullptr);
  std::fprintf(script, "#!/bin/sh\nprintf '%%s\\n' \"$@\" > \"%s.part\"; mv \"%s.part\" \"%s\"\n", out.c_str(),
               out.c_str(), out.c_str());
  std::fclose(script);
  std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
  const auto ran = [&] {
    for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i) ::usleep(10000);
    FILE* f = std::fopen(out.c_str(), "r");
    std::string text;
    if (f) {
      char line[512];
      while (std::fgets(line, sizeof line, f)) text += line;
      std::fclose(f);
    }
    std::filesystem::remove(out);
    return text;
  };
  std::snprintf(CalculatorPath, sizeof CalculatorPath, "%s", tool.c_str());
  app.m_pMainWnd->SendMessage(WM_COMMAND, ID_TOOLS_CALCULATOR, 0);
  EXPECT_EQ(ran(), "\n");  // started, with no argument
  std::snprintf(NotepadPath, sizeof NotepadPath, "%s", tool.c_str());
  app.m_pMainWnd->SendMessage(WM_COMMAND, ID_TOOLS_NOTEPAD, 0);
  EXPECT_EQ(ran(), (*home / NotepadFileName) + "\n");
  // The notes file is the unit's: private.
  struct stat st;
  ASSERT_EQ(::stat((*home / NotepadFileName).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  NotepadPath[0] = CalculatorPath[0] = '\0';
  Quit(app);
}

// Both kinds of installation are the user's alone and pass the integrity
// check at the first close without a repair (the sample's monthly dues
// schedule once lacked its date range and was "repaired" with an error).
TEST_F(StartupTest, NewInstallationsArePrivateAndCloseWithASoundIntegrityCheck) {
  for (const bool empty : {true, false}) {
    SCOPED_TRACE(empty ? "empty" : "sample");
    automation::ClearResponder();
    home = std::make_unique<Home>();
    InstallOptions o;
    o.folder = home->path();
    o.empty = empty;
    o.year = 2026;
    o.firstMonth = empty ? 9 : 1;
    ASSERT_TRUE(MakeInstallation(o));
    SettingsSection* s = OpenSettingsSection((*home / "udata4.dat").c_str(), "OPTWARN");
    PutSettingFlag(s, 'D', 0);
    CloseSettingsSection(s);
    CTornelApp app;
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
    // Every file and folder the installation and the start made is the
    // user's alone.
    for (const auto& e : std::filesystem::recursive_directory_iterator(home->path())) {
      struct stat st;
      ASSERT_EQ(::lstat(e.path().c_str(), &st), 0);
      if (S_ISSOCK(st.st_mode) || S_ISLNK(st.st_mode)) continue;
      EXPECT_EQ(st.st_mode & 0777, S_ISDIR(st.st_mode) ? 0700u : 0600u) << e.path();
    }
    IntegrityCheckMode = 1;
    BackupMode = 2;
    // The question's own answer code: a box's IDYES would skip the check.
    automation::ExpectMessageBox("", "Do you wish to perform a data integrity check", ANSWER_YES);
    automation::AlwaysAnswer("", "", IDOK);
    Close(app);
    for (const std::string& m : Messages()) {
      EXPECT_EQ(m.find("Fatal"), std::string::npos) << m;
      EXPECT_EQ(m.find("Error"), std::string::npos) << m;
    }
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
}

}  // namespace

namespace {

// Background mode 2 paints only the colour; mode 0 shows the unit's picture,
// centred in a larger view.
TEST_F(StartupTest, BackgroundModes) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  CWnd* view = static_cast<CFrameWnd*>(app.m_pMainWnd)->GetActiveView();
  ASSERT_NE(view, nullptr);
  RECT client;
  view->GetClientRect(&client);
  const int cx = client.right / 2, cy = client.bottom / 2;
  // The rose's white point lies right of the centre.
  const int px = cx + 40;
  EXPECT_NE(automation::PixelAt(view->m_hWnd, px, cy), BackgroundColour);
  BackgroundMode = 2;
  BackgroundColour = RGB(200, 10, 10);
  static_cast<CTornelView*>(view)->ResetBackground();
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(view->m_hWnd, px, cy), RGB(200, 10, 10));
  BackgroundMode = 0;
  BackgroundColour = kDefaultBackgroundColour;
  Quit(app);
}

}  // namespace

namespace {

// A year that lies wholly before or after today gets its note, once.
TEST_F(StartupTest, DateNoteOutsideTheLoadedYear) {
  const struct {
    int year;
    const char* note;
  } cases[] = {{2040, "Warning: NOTE: The loaded fiscal year does not start until Jan 40."},
               {2010, "Warning: NOTE: The loaded fiscal year ended in Dec 10."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.year);
    MakeSample(0, false, c.year);
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    CTornelApp app;
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
    EXPECT_EQ(Messages(), std::vector<std::string>{c.note});
    Quit(app);
  }
}

TEST_F(StartupTest, ClosingKeepsTheWindowRectangle) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  automation::PumpUntilIdle();
  RECT r;
  app.m_pMainWnd->GetWindowRect(&r);
  Quit(app);
  SettingsSection* s = OpenSettingsSection((*home / "udata4.dat").c_str(), "MAINWIN");
  EXPECT_EQ(GetSettingInt(s, 'L', -1), r.left);
  EXPECT_EQ(GetSettingInt(s, 'B', -1), r.bottom);
  EXPECT_GT(r.bottom, 0);
  CloseSettingsSection(s);
}

}  // namespace

namespace {

// The default printer's page is looked up after the main window shows, at
// the first idle moment or when the print settings are read before it;
// without any printer the screen stands in, silently.
TEST_F(StartupTest, TheDefaultPrinterOrTheScreenGivesThePage) {
  const struct {
    const char* noPrinters;
    int technology;
    bool byIdle;
  } cases[] = {{nullptr, DT_RASPRINTER, true}, {"1", DT_RASDISPLAY, true}, {nullptr, DT_RASPRINTER, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.noPrinters ? "no printers" : "the PDF printer") + (c.byIdle ? ", idle" : ", settings"));
    if (c.noPrinters)
      ::setenv("KESTROVA_NO_PRINTERS", c.noPrinters, 1);
    else
      ::unsetenv("KESTROVA_NO_PRINTERS");
    MakeSample();
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    CTornelApp app;
    ASSERT_TRUE(app.InitInstance());
    automation::PumpUntilIdle();
    EXPECT_EQ(ThePrintSetup.dc, nullptr) << "looked up before the main window showed";
    if (c.byIdle) {
      app.OnIdle(0);
    } else {
      int portrait = 0;
      GetPrintSettings(0, 1, nullptr, 0, nullptr, nullptr, nullptr, &portrait, nullptr, nullptr, nullptr, nullptr);
    }
    EXPECT_TRUE(Messages().empty()) << Messages().front();
    ASSERT_NE(ThePrintSetup.dc, nullptr);
    EXPECT_EQ(::GetDeviceCaps(ThePrintSetup.dc, TECHNOLOGY), c.technology);
    EXPECT_GT(ThePrintSetup.pageWidth, 3.0f);
    EXPECT_GT(ThePrintSetup.pageHeight, 3.0f);
    if (c.noPrinters) {
      EXPECT_EQ(ThePrintSetup.printDlg.hDevNames, nullptr);
    } else {
      std::string driver, device, output;
      ASSERT_TRUE(printing::ReadDevNames(ThePrintSetup.printDlg.hDevNames, &driver, &device, &output));
      EXPECT_EQ(device, printing::kPdfPrinter);
    }
    Quit(app);
    // Closing gives the context back.
    EXPECT_EQ(ThePrintSetup.dc, nullptr);
  }
  ::unsetenv("KESTROVA_NO_PRINTERS");
}

}  // namespace

namespace {

// Dialogs take the menu colour with black text from the start on.
TEST_F(StartupTest, DialogsTakeTheMenuColour) {
  MakeSample();
  CTornelApp app;
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(DialogBackColour, ::GetSysColor(COLOR_MENU));
  ASSERT_NE(app.DialogBackBrush(), nullptr);
  EXPECT_EQ(app.DialogBackColor(), DialogBackColour);
  EXPECT_EQ(app.DialogTextColor(), RGB(0, 0, 0));
  Quit(app);
}

}  // namespace

namespace {

std::vector<std::string> previewedLines;
int RecordPreview(RptContext* c, int*) {
  previewedLines.clear();
  std::FILE* f = std::fopen(c->tempName, "rb");
  char record[256];
  while (f && std::fread(record, 256, 1, f) == 1) {
    CutRptRecord(record);
    previewedLines.emplace_back(record);
  }
  if (f) std::fclose(f);
  return 1;
}

TEST_F(StartupTest, RegisterScheduleAndMemberReportsOpenFromTheMenus) {
  CTornelApp app;
  ASSERT_NO_FATAL_FAILURE(StartWiredSample(app));
  CWnd* frame = app.m_pMainWnd;
  for (UINT id : {32944u, 32948u, 32949u, 32950u, 32951u, 32952u, 32953u, 32954u, 32956u, 32957u, 32966u, 32968u})
    EXPECT_NE(FindCommand(id), nullptr) << id;
  EXPECT_NE(FindCommand(32819), nullptr);
  // Reports > Account Reports > Account Register...: the dialog, the build
  // and the preview, then the dialog again until it is cancelled.
  SetRptPreviewer(RecordPreview);
  automation::OnDialog("Account Register Report", [](HWND d) {
    SendMessage(GetDlgItem(d, IDC_RPT_ACCT_LIST), LB_SETSEL, TRUE, 0);  // the first account
    Press(d, IDOK);
  }, IDOK);
  automation::OnDialog("Account Register Report", [](HWND d) { Press(d, IDCANCEL); }, IDCANCEL);
  frame->SendMessage(WM_COMMAND, 32968, 0);
  automation::PumpUntilIdle();
  EXPECT_FALSE(previewedLines.empty());
  if (!previewedLines.empty()) {
    EXPECT_EQ(previewedLines[0], "{F3}{77=}Account Register");
  }
  SetRptPreviewer(nullptr);
  Quit(app);
  ClearCommands();
  SetAmountCalculatorOpener(nullptr);
}

TEST_F(StartupTest, ImportRunsFromTheFileMenu) {
  CTornelApp app;
  ASSERT_NO_FATAL_FAILURE(StartWiredSample(app));
  CWnd* frame = app.m_pMainWnd;
  ASSERT_NE(FindCommand(ID_FILE_IMPORT), nullptr);
  // The sibling program's folder: its version file and one new scout.
  const std::string folder = *home / "brindlex";
  std::filesystem::create_directories(folder);
  MemberRow nora{};
  std::snprintf(nora.lastName, sizeof nora.lastName, "Newman");
  std::snprintf(nora.firstName, sizeof nora.firstName, "Nora");
  MemberRecord record;
  ConvertMemberRecord(&nora, 0, 0, &record, 0);
  WriteBytes(folder + "/lindaq.dat", "COMMON\r\n");
  WriteBytes(folder + "/szovk.dat", std::string(reinterpret_cast<const char*>(record.bytes), sizeof record.bytes));
  WriteBytes(folder + "/lzovk.dat", "");
  const int scouts = ScoutCount;
  SetRptPreviewer(RecordPreview);
  automation::OnDialog("Import Parameters", [&](HWND d) {
    SetField(d, IDC_IMP_FOLDER, folder);
    automation::AlwaysAnswer("", "Confirm delete of:", ANSWER_NOTOALL);
    automation::ExpectMessageBox("", "Import complete.", ANSWER_YES);
    Press(d, IDOK);
  }, IDOK);
  frame->SendMessage(WM_COMMAND, ID_FILE_IMPORT, 0);
  automation::PumpUntilIdle();
  automation::ClearResponder();
  EXPECT_EQ(ScoutCount, scouts + 1);
  bool listed = false;
  for (const std::string& line : previewedLines) listed = listed || line.find("Newman, Nora") != std::string::npos;
  EXPECT_TRUE(listed);
  SetRptPreviewer(nullptr);
  Quit(app);
  ClearCommands();
  SetAmountCalculatorOpener(nullptr);
}

TEST_F(StartupTest, ExportRunsFromTheFileMenu) {
  CTornelApp app;
  ASSERT_NO_FATAL_FAILURE(StartWiredSample(app));
  CWnd* frame = app.m_pMainWnd;
  ASSERT_NE(FindCommand(ID_FILE_EXPORT), nullptr);
  EXPECT_NE(FindCommand(ID_FILE_TRANSFER), nullptr);
  // File > Export...: accounts (the default set) into a new folder, then
  // the format report of the set.
  const std::string file = *home / "out/accounts.txt";
  SetRptPreviewer(RecordPreview);
  automation::OnDialog("Export Parameters", [&](HWND d) {
    SetField(d, IDC_EXP_FILE, file);
    automation::ExpectMessageBox("", "Folder does not exist", ANSWER_YES);
    automation::ExpectMessageBox("", "Export complete.", ANSWER_YES);
    Press(d, IDOK);
  }, IDOK);
  frame->SendMessage(WM_COMMAND, ID_FILE_EXPORT, 0);
  automation::PumpUntilIdle();
  EXPECT_TRUE(std::filesystem::exists(file));
  ASSERT_FALSE(previewedLines.empty());
  EXPECT_NE(previewedLines[0].find("Export File Format"), std::string::npos) << previewedLines[0];
  SetRptPreviewer(nullptr);
  Quit(app);
  ClearCommands();
  SetAmountCalculatorOpener(nullptr);
}

}  // namespace
