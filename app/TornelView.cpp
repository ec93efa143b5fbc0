#include "app/TornelView.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "app/FiscalYearDlg.h"
#include "app/Preferences.h"
#include "app/ShellDialogs.h"
#include "app/TornelApp.h"
#include "app/TornelDoc.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Frame.h"
#include "platform/gfx/Dc.h"
#include "platform/menus/Menu.h"
#include "platform/shell/Help.h"
#include "platform/shell/ShellExecute.h"
#include "platform/window/Messages.h"
#include "store/Integrity.h"
#include "store/UnitInfo.h"

IMPLEMENT_DYNCREATE(CTornelDoc, CDocument)
IMPLEMENT_DYNCREATE(CTornelView, CView)

BEGIN_MESSAGE_MAP(CTornelView, CView)
  ON_COMMAND(ID_FILE_OPEN_YEAR, OnFileOpenYear)
  ON_COMMAND(ID_FILE_DELETE_YEAR, OnFileDeleteYear)
  ON_COMMAND(ID_EDIT_INTEGRITY, OnEditIntegrity)
  ON_COMMAND(ID_EDIT_UNIT_INFO, OnUnitInformation)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNIT_INFO, OnUpdateUnitInformation)
  ON_COMMAND(ID_TOOLS_NOTEPAD, OnToolsNotepad)
  ON_COMMAND(ID_TOOLS_CALCULATOR, OnToolsCalculator)
  ON_COMMAND(ID_TOOLS_CALENDAR, OnToolsCalendar)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_NOTEPAD, OnUpdateNotepad)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_CALCULATOR, OnUpdateCalculator)
  ON_UPDATE_COMMAND_UI(ID_TOOLS_CALENDAR, OnUpdateCalendar)
  ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
  ON_COMMAND(ID_HELP_TIP, OnHelpTip)
  ON_UPDATE_COMMAND_UI(ID_HELP_TIP, OnUpdateHelpTip)
  ON_COMMAND(ID_HELP_FAQS, OnHelpFaqs)
  ON_UPDATE_COMMAND_UI(ID_HELP_FAQS, OnUpdateHelpFaqs)
  ON_COMMAND(ID_HELP_MANUAL, OnHelpManual)
  // Fiscal-year operations, settings dialogs, management dialogs, reports
  // and the README report: served through the command registry by the
  // subsystems that build them, disabled until one does.
  ON_COMMAND_RANGE(32772, 32978, OnUnavailable)
  ON_UPDATE_COMMAND_UI_RANGE(32772, 32978, OnUpdateUnavailable)
END_MESSAGE_MAP()

namespace {

// The commands the view serves now; every other id of the menu range is
// disabled by OnUpdateUnavailable.
bool Served(UINT id) {
  switch (id) {
    case ID_FILE_OPEN_YEAR:
    case ID_FILE_DELETE_YEAR:
    case ID_EDIT_INTEGRITY:
    case ID_EDIT_UNIT_INFO:
    case ID_TOOLS_NOTEPAD:
    case ID_TOOLS_CALCULATOR:
    case ID_TOOLS_CALENDAR:
    case ID_HELP_TOPICS:
    case ID_HELP_TIP:
    case ID_HELP_FAQS:
    case ID_HELP_MANUAL:
      return true;
    default:
      return false;
  }
}

bool IsRegularFile(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// A program or file whose name holds blanks is one word of the command
// line: quoted. A tool's text that names no file stays as typed (it may be
// a program with its arguments).
std::string CommandWord(const char* path) {
  const std::string text = path ? path : "";
  if (text.find_first_of(" \t") == std::string::npos || !IsRegularFile(text.c_str())) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  return quoted + "\"";
}

// Starts a tool program; a start counts as failed below 32.
void StartTool(const char* path, const char* failure, const char* shown) {
  if (::WinExec(CommandWord(path).c_str(), SW_SHOWNORMAL) < 32) {
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof text, failure, shown);
    DispMessage(text, MSG_FATAL);
  }
}

}  // namespace

CTornelView::CTornelView() {
  if (SettingsSection* s = OpenSettingsSection(SettingsFileName, "MAINWIN")) {
    savedLeft_ = GetSettingInt(s, 'L', 0);
    savedTop_ = GetSettingInt(s, 'T', 0);
    savedRight_ = GetSettingInt(s, 'R', 0);
    savedBottom_ = GetSettingInt(s, 'B', 0);
    CloseSettingsSection(s);
  }
}

CTornelView::~CTornelView() {
  delete picture_;
}

void CTornelView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (savedBottom_ == 0) return;
  CFrameWnd* frame = GetParentFrame();
  if (!frame) return;
  WINDOWPLACEMENT place{};
  place.length = sizeof place;
  place.flags = 0;
  place.showCmd = TheApp().m_bFirstPaintPending ? SW_SHOWNORMAL : SW_HIDE;
  place.rcNormalPosition = RECT{savedLeft_, savedTop_, savedRight_, savedBottom_};
  frame->SetWindowPlacement(&place);
}

BOOL CTornelView::OnEraseBkgnd(CDC* dc) {
  SetMainTitle(8);
  RECT r;
  GetClientRect(&r);
  dc->FillSolidRect(&r, BackgroundColour);
  return TRUE;
}

void CTornelView::DrawBackgroundPicture(CDC* dc) {
  if (BackgroundMode >= 2) return;
  const CString path = GetBackgroundImagePath(BackgroundMode == 0);
  if (!picture_ && IsRegularFile(path)) {
    if (HBITMAP loaded = LoadBitmapFile(path)) {
      picture_ = new CBitmap;
      picture_->Attach(loaded);
    }
  }
  if (!picture_) return;
  BITMAP info{};
  picture_->GetBitmap(&info);
  RECT client;
  GetClientRect(&client);
  const int cw = client.right - client.left, ch = client.bottom - client.top;
  CDC mem;
  mem.CreateCompatibleDC(dc);
  CBitmap* old = mem.SelectObject(picture_);
  if (StretchPicture) {
    dc->StretchBlt(0, 0, cw, ch, &mem, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  } else {
    const int x = cw > info.bmWidth ? (cw - info.bmWidth) / 2 : 0;
    const int y = ch > info.bmHeight ? (ch - info.bmHeight) / 2 : 0;
    dc->BitBlt(x, y, info.bmWidth, info.bmHeight, &mem, 0, 0, SRCCOPY);
  }
  mem.SelectObject(old);
}

void CTornelView::OnDraw(CDC* dc) {
  DrawBackgroundPicture(dc);
  CFont font;
  font.CreateFont(20, 12, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x20, "Arial");
  CFont* old = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  RECT shadow{11, 11, 171, 36}, text{10, 10, 170, 35};
  dc->SetTextColor(RGB(127, 127, 127));
  dc->DrawText(UnitName, -1, &shadow, DT_CENTER | DT_TOP | DT_SINGLELINE);
  dc->SetTextColor(RGB(0, 0, 0));
  dc->DrawText(UnitName, -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE);
  dc->SelectObject(old);
  if (TheApp().m_bFirstPaintPending) RunFirstPaintStep();
}

void CTornelView::RunFirstPaintStep() {
  TheApp().m_bFirstPaintPending = 0;
  // The main window may have become visible after the message loop's idle
  // update (the splash shows it): the kick lets the tool bar take its
  // commands' states now rather than at the first input.
  ::PostMessage(m_hWnd, WM_KICKIDLE, 0, 0);
  ShellDialogs& dialogs = TheShellDialogs();
  if (!DataPassword.empty()) {
    // Without the prompt nobody can prove the password: the data stays shut.
    if (!dialogs.verifyPassword || !dialogs.verifyPassword(DataPassword.c_str(), PasswordPrompt.c_str())) {
      ::PostQuitMessage(1);
      return;
    }
  }
  if (dialogs.tipOfTheDay) dialogs.tipOfTheDay(true);
  if (!ProgramVersion.RemindIfOld()) {
    const CString error = ProgramVersion.GetErrorText();
    if (!error.IsEmpty()) DispMessage(error, MSG_ERROR);
  }
}

void CTornelView::ResetBackground() {
  delete picture_;
  picture_ = nullptr;
  Invalidate(TRUE);
}

void CTornelView::OnDestroy() {
  CView::OnDestroy();
  delete picture_;
  picture_ = nullptr;
  CFrameWnd* frame = GetParentFrame();
  RECT r{};
  if (frame && frame->m_hWnd) frame->GetWindowRect(&r);
  if (SettingsSection* s = OpenSettingsSection(SettingsFileName, "MAINWIN")) {
    PutSettingInt(s, 'L', r.left);
    PutSettingInt(s, 'T', r.top);
    PutSettingInt(s, 'R', r.right);
    PutSettingInt(s, 'B', r.bottom);
    CloseSettingsSection(s);
  }
}

void CTornelView::OnFileOpenYear() { RunFiscalYearCommand(0, this); }

void CTornelView::OnFileDeleteYear() { RunFiscalYearCommand(1, this); }

void CTornelView::OnEditIntegrity() { CheckDataIntegrity(1); }

void CTornelView::OnUnitInformation() {
  if (TheShellDialogs().unitInformation) TheShellDialogs().unitInformation();
}
void CTornelView::OnUpdateUnitInformation(CCmdUI* ui) { ui->Enable(TheShellDialogs().unitInformation != nullptr); }

void CTornelView::OnToolsNotepad() {
  if (!NotepadPath[0]) return;
  const std::string notesPath = std::string(ProgramFolder) + "/" + NotepadFileName;
  const char* notes = notesPath.c_str();
  CString kept;
  if (!IsRegularFile(notes)) {
    if (FILE* f = OpenPrivateFile(notes, "w")) {
      std::fprintf(f, "%25s*** %s Notes ***\n", " ", ProgramName);
      std::fclose(f);
    } else {
      char failed[MAX_PATH + 32];
      FormatErrorText(failed, ERR_OPEN, notes);
      kept = failed;
    }
  }
  const std::string line = CommandWord(NotepadPath) + " " + CommandWord(notes);
  if (::WinExec(line.c_str(), SW_SHOWNORMAL) < 32) kept.Format("Could not start NotePad (%s)", NotepadPath);
  if (!kept.IsEmpty()) DispMessage(kept, MSG_FATAL);
}

void CTornelView::OnToolsCalculator() {
  if (CalculatorPath[0]) StartTool(CalculatorPath, "Could not start Calculator (%s)", CalculatorPath);
}

void CTornelView::OnToolsCalendar() {
  if (CalendarPath[0]) StartTool(CalendarPath, "Could not start Calendar (%s).", CalendarPath);
}

void CTornelView::OnUpdateNotepad(CCmdUI* ui) { ui->Enable(NotepadPath[0] != 0); }
void CTornelView::OnUpdateCalculator(CCmdUI* ui) { ui->Enable(CalculatorPath[0] != 0); }
void CTornelView::OnUpdateCalendar(CCmdUI* ui) { ui->Enable(CalendarPath[0] != 0); }

void CTornelView::OnHelpTopics() { AfxGetApp()->WinHelp(0, HELP_FINDER); }

void CTornelView::OnHelpTip() {
  if (TheShellDialogs().tipOfTheDay) TheShellDialogs().tipOfTheDay(false);
}
void CTornelView::OnUpdateHelpTip(CCmdUI* ui) { ui->Enable(TheShellDialogs().tipOfTheDay != nullptr); }

void CTornelView::OnHelpFaqs() {
  if (TheShellDialogs().faqs) TheShellDialogs().faqs();
}
void CTornelView::OnUpdateHelpFaqs(CCmdUI* ui) { ui->Enable(TheShellDialogs().faqs != nullptr); }

void CTornelView::OnHelpManual() {
  const HINSTANCE result = ::ShellExecute(m_hWnd, "open", "UserManual.pdf", "", nullptr, SW_SHOWNORMAL);
  const long code = static_cast<long>(reinterpret_cast<intptr_t>(result));
  if (code <= 32) {
    char text[64];
    std::snprintf(text, sizeof text, "Displaying the user manual failed: %ld", code);
    DispMessage(text, MSG_FATAL);
  }
}

// A command of the range that a later subsystem registered runs its handler.
void CTornelView::OnUnavailable(UINT id) {
  if (CommandHandler handler = FindCommand(id)) handler();
}

void CTornelView::OnUpdateUnavailable(CCmdUI* ui) {
  ui->Enable(Served(ui->m_nID) || FindCommand(ui->m_nID) != nullptr);
}
