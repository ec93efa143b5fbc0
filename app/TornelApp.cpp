#include "app/TornelApp.h"
#include "reports/Worksheet.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "common/CommandIds.h"
#include "app/MainFrame.h"
#include "app/Preferences.h"
#include "app/ShellDialogs.h"
#include "app/TornelDoc.h"
#include "app/TornelView.h"
#include "app/YearJournal.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "common/SplashWindow.h"
#include "common/StrUtil.h"
#include "common/Trace.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "grid/core/GXAppData.h"
#include "platform/base/Resources.h"
#include "platform/base/Kernel.h"
#include "platform/framework/DocTemplate.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Painting.h"
#include "reports/MailLabel.h"
#include "store/KeyTable.h"
#include "store/UnitInfo.h"

char TipsFileName[MAX_PATH];
char MailLabelFileName[MAX_PATH];
char DisplayYear[5] = "2001";
COLORREF DialogBackColour;
char UnitNumber[16];
std::string DataPassword;
std::string PasswordPrompt = "Password:";

namespace {

CTornelApp* theApp = nullptr;

const char* const kMonthAbbr[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void ArmFirstPaint() { TheApp().m_bFirstPaintPending = 1; }

bool IsFolder(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// The program's file names in the program folder, with the data version's
// major number in place of the %s.
void BuildProgramFile(char* out, size_t size, const char* pattern, const char* major) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, major);
  const std::string path = std::string(ProgramFolder) + "/" + name;
  std::snprintf(out, size, "%s", path.c_str());
}

// The "does not start until" or "ended in" note for a date outside the
// loaded fiscal year.
void ShowDateNote() {
  if (TodayVsFiscalYear == 0) return;
  const char* date = TodayVsFiscalYear < 0 ? FiscalStartDate : FiscalEndDate;
  if (std::strlen(date) < 6) return;
  int month = (date[4] - '0') * 10 + (date[5] - '0');
  if (month < 1 || month > 12) return;
  const int yy = (date[2] - '0') * 10 + (date[3] - '0');
  char text[96];
  if (TodayVsFiscalYear < 0)
    std::snprintf(text, sizeof text, "NOTE: The loaded fiscal year does not start until %s %2.2d",
                  kMonthAbbr[month - 1], yy);
  else
    std::snprintf(text, sizeof text, "NOTE: The loaded fiscal year ended in %s %2.2d", kMonthAbbr[month - 1], yy);
  DispMessage(text, MSG_WARNING);
}

}  // namespace

CTornelApp& TheApp() { return *theApp; }

BEGIN_MESSAGE_MAP(CTornelApp, CWinApp)
  ON_COMMAND(ID_HELP_ABOUT, OnAppAbout)
  ON_UPDATE_COMMAND_UI(ID_HELP_ABOUT, OnUpdateAppAbout)
END_MESSAGE_MAP()

CTornelApp::CTornelApp() : CWinApp("Tornel") { theApp = this; }

void CTornelApp::OnAppAbout() {
  if (TheShellDialogs().about) TheShellDialogs().about();
}

void CTornelApp::OnUpdateAppAbout(CCmdUI* ui) { ui->Enable(TheShellDialogs().about != nullptr); }

int InitFileNames() {
  int ok = 1;
  if (!ProgramVersion.SetVersion("2", "11") || !ProgramVersion.SetExpiryDays(90)) {
    DispMessage(ProgramVersion.GetErrorText(), MSG_ERROR);
    ok = 0;
  }
  std::snprintf(DisplayYear, sizeof DisplayYear, "2001");
  ProgramVersion.SetVendorName("Brindlex Software");
  ProgramVersion.SetPatchUrl("https://kestrova.example.org/updates");
  ProgramVersion.SetWebSite("https://kestrova.example.org");
  if (!DataVersion.SetVersion("4", "0")) {
    DispMessage(DataVersion.GetErrorText(), MSG_ERROR);
    ok = 0;
  }
  DataVersion.SetVendorName("Brindlex Software");
  GetTimestamp(18, TodayDate);
  if (!ok) return 0;

  const CString major = DataVersion.Format(2);
  InitConfigFileName();
  // The tips file ships with the program, among its resources.
  std::snprintf(TipsFileName, sizeof TipsFileName, "%s", ResourcePath("varntips.qdx").c_str());
  if (!ReadWriteConfig(0)) return 0;
  BuildProgramFile(SettingsFileName, sizeof SettingsFileName, "udata%s.dat", major);
  BuildProgramFile(WorksheetFileName, sizeof WorksheetFileName, "worksht%s.dat", major);
  BuildProgramFile(MailLabelFileName, sizeof MailLabelFileName, "labels%s.dat", major);
  MailLabelStore.SetFileName(MailLabelFileName);

  UnitSettings unit;
  std::string error;
  if (!ReadUnitSettings(UnitSettingsPath(ProgramFolder), &unit, &error)) {
    DispMessage(error.c_str(), MSG_ERROR);
    return 0;
  }
  UnitType = unit.unitType;
  std::snprintf(UnitNumber, sizeof UnitNumber, "%s", unit.unitNumber.c_str());
  DataPassword = unit.passwordHash;
  PasswordPrompt = unit.prompt.empty() ? "Password:" : unit.prompt;

  const std::string temp = std::string(ProgramFolder) + "/temp";
  std::snprintf(TempFolder, sizeof TempFolder, "%s", temp.c_str());
  if (!IsFolder(TempFolder) && ::mkdir(TempFolder, 0700) != 0) std::snprintf(TempFolder, sizeof TempFolder, ".");

  SetUnitType(UnitType);
  std::snprintf(UnitName, sizeof UnitName, "%s %s", UnitNoun, UnitNumber);
  if (std::strncmp(TodayDate, DisplayYear, 4) > 0) std::snprintf(DisplayYear, sizeof DisplayYear, "%.4s", TodayDate);
  return 1;
}

namespace {

// Gives back what the default printer's look-up took: its context (a
// printer's own, or the screen's when there is no printer) and its blocks.
void ReleasePrintSetup() {
  PrintSetupRecord& r = ThePrintSetup;
  if (r.dc != nullptr) {
    if (r.dc == r.printDlg.hDC)
      ::DeleteDC(r.dc);
    else
      ::ReleaseDC(nullptr, r.dc);
  }
  if (r.printDlg.hDevMode) ::GlobalFree(r.printDlg.hDevMode);
  if (r.printDlg.hDevNames) ::GlobalFree(r.printDlg.hDevNames);
  r = PrintSetupRecord{};
}

// Reports need the page geometry of the default printer (or of the screen
// when there is none); without it the program still runs.
void LookUpDefaultPrinter() {
  ReleasePrintSetup();
  ThePrintSetup.printDlg.lStructSize = sizeof(PRINTDLG);
  if (!SetupPrinter(nullptr, &ThePrintSetup))
    DispMessage(
        "Could not obtain default Printer/Display information.\n"
        "You may not be able to preview or print reports",
        MSG_ERROR);
}

}  // namespace

int OpenDataFiles() {
  if (TraceLevel > 0) {
    CTraceLog& trace = TheTraceLog();
    CString path;
    path.Format("%s/trace.txt", TempFolder);
    if (trace.Configure(path, TraceLevel, 0))
      trace.WriteLine(ProgramVersion.Format(7));
    else
      DispMessage(GetTraceErrorText(trace), MSG_FATAL);
  }
  SetCapacities();
  if (!MailLabelStore.Retrieve(CurrentMailLabel)) DispMessage(GetErrorText(MailLabelStore), MSG_ERROR);
  if (SettingsSection* s = OpenSettingsSection(SettingsFileName, "INSTANCE")) {
    PutSettingInt(s, 'A', GetSettingInt(s, 'A', 0) + 1);
    CloseSettingsSection(s);
  }
  if (!CurrentYearNode || !OpenDatabase(CurrentYearNode->folder, FiscalYearYY, 1)) return 0;
  // Done once the main window shows (the first idle moment) or when a
  // report or the print settings need it before that.
  SetPrintSetupLoader(LookUpDefaultPrinter);
  ShowDateNote();
  return 1;
}

void FreeDataTables() {
  CloseDataFiles();
  FreeYearList();
  SetPrintSetupLoader(nullptr);
  ReleasePrintSetup();
}

BOOL CTornelApp::InitInstance() {
  GXInit(0x600, nullptr, nullptr);
  if (!InitFileNames()) return FALSE;
  COneInst& guard = m_oneInst;
  guard.SetName(ProgramTitle);
  if (!guard.Check(1)) return FALSE;
  // A year operation stopped part-way (a restore, a rollover) is finished
  // or undone before anything opens the year; only the one running copy
  // may do it.
  RecoverYearOperations();
  XferConfig(0);

  int splash = 1;
  if (SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN")) {
    splash = GetSettingFlag(s, 'D', 1) ? 1 : 0;
    CloseSettingsSection(s);
  }
  CSplashWindow::EnableSplash(splash);
  CSplashWindow::SetFirstPaintArmer(ArmFirstPaint);
  m_bFirstPaintPending = splash ? 0 : 1;
  DialogBackColour = ::GetSysColor(COLOR_MENU);
  SetDialogBkColor(DialogBackColour, RGB(0, 0, 0));

  AddDocTemplate(new CSingleDocTemplate(kMainResourceId, RUNTIME_CLASS(CTornelDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CTornelView)));
  std::snprintf(appName_, sizeof appName_, "%s", ProgramTitle);
  m_pszAppName = appName_;

  if (!OpenDataFiles()) return FALSE;

  m_nCmdShow = SW_HIDE;
  OnFileNew();
  if (!m_pMainWnd) return FALSE;
  // No splash, or one whose picture could not be loaded: nothing else
  // would show the window or arm the first paint's step.
  if (!splash || SplashWnd == nullptr) {
    m_bFirstPaintPending = 1;
    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
    m_pMainWnd->UpdateWindow();
  }
  return TRUE;
}

BOOL CTornelApp::OnIdle(LONG count) {
  EnsurePrintSetup();
  return CWinApp::OnIdle(count);
}

BOOL CTornelApp::PreTranslateMessage(MSG* msg) {
  if (CSplashWindow::PreTranslateAppMessage(msg)) return TRUE;
  return CWinApp::PreTranslateMessage(msg);
}

int CTornelApp::ExitInstance() {
  // A quit posted before the window closed (the failed password) leaves the
  // main window standing; it goes before the tables.
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->DestroyWindow();
  m_pMainWnd = nullptr;
  FreeDataTables();
  GXTerminate();
  return CWinApp::ExitInstance();
}
