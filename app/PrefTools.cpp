#include "app/PrefTools.h"

#include <cstdio>
#include <cstring>

#include "common/DialogHelp.h"
#include "app/Preferences.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "platform/commdlg/FileDialog.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

struct Tool {
  int editId, browseId;
  const char* name;   // the field's name in messages
  const char* title;  // the browse dialog's title
};
const Tool kTools[3] = {{IDC_PREF_NOTEPAD, IDC_PREF_NOTEPAD_BROWSE, "Notepad", "Notes Tool"},
                        {IDC_PREF_CALCULATOR, IDC_PREF_CALCULATOR_BROWSE, "Calculator", "Calculator Tool"},
                        {IDC_PREF_CALENDAR, IDC_PREF_CALENDAR_BROWSE, "Calendar", "Calendar Tool"}};

}  // namespace

CPrefTool::CPrefTool() : CPrefPage(IDD_PREF_TOOLS) {}

void CPrefTool::LoadValues() {
  m_strNotepad = NotepadPath;
  m_strCalculator = CalculatorPath;
  m_strCalendar = CalendarPath;
  m_bChanged = 0;
}

void CPrefTool::StoreValues() {
  std::snprintf(NotepadPath, sizeof NotepadPath, "%s", static_cast<const char*>(m_strNotepad));
  std::snprintf(CalculatorPath, sizeof CalculatorPath, "%s", static_cast<const char*>(m_strCalculator));
  std::snprintf(CalendarPath, sizeof CalendarPath, "%s", static_cast<const char*>(m_strCalendar));
}

bool CPrefTool::Check(CString& error) {
  CString* values[3] = {&m_strNotepad, &m_strCalculator, &m_strCalendar};
  for (int i = 0; i < 3; ++i) {
    char path[MAX_PATH], message[MAX_PATH + 64] = "";
    std::snprintf(path, sizeof path, "%s", static_cast<const char*>(*values[i]));
    CWnd* edit = GetDlgItem(kTools[i].editId);
    if (!ValidateDlgField(kTools[i].name, path, 0, FIELD_PATH, VP_FILE | VP_FOLDER | VP_MUST_EXIST, nullptr, nullptr,
                          edit ? edit->GetSafeHwnd() : nullptr, message)) {
      error = message;
      return false;
    }
    *values[i] = path;
  }
  return true;
}

void CPrefTool::Refresh() {
  if (Opened()) {
    ++loading_;
    UpdateData(FALSE);
    --loading_;
  }
  m_bChanged = 0;
}

BOOL CPrefTool::OnInitDialog() {
  ++loading_;
  CPrefPage::OnInitDialog();
  --loading_;
  for (int i = 0; i < 3; ++i) {
    SendDlgItemMessage(kTools[i].editId, EM_LIMITTEXT, MAX_PATH - 1, 0);
    m_browse[i].SubclassDlgItem(kTools[i].browseId, this);
    m_browse[i].SetBitmaps(325, 0, 0);
  }
  m_bChanged = 0;
  return TRUE;
}

void CPrefTool::DoDataExchange(CDataExchange* pDX) {
  CPrefPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PREF_NOTEPAD, m_strNotepad);
  DDX_Text(pDX, IDC_PREF_CALCULATOR, m_strCalculator);
  DDX_Text(pDX, IDC_PREF_CALENDAR, m_strCalendar);
}

void CPrefTool::Browse(int editId, const char* title) {
  char current[MAX_PATH] = "";
  GetDlgItemText(editId, current, sizeof current);
  CFileDialog dialog(TRUE, nullptr, current[0] ? current : "*.txt", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                     "Programs | *.exe;*.com | All Files (*.*) | *.* ||", this);
  dialog.m_ofn.lpstrTitle = title;
  if (!current[0]) dialog.m_ofn.lpstrInitialDir = ProgramFolder;
  if (dialog.DoModal() != IDOK) return;
  SetDlgItemText(editId, dialog.GetPathName());
}

BOOL CPrefTool::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PREF_TOOLS))) return TRUE;
  for (const Tool& tool : kTools) {
    if (id == tool.browseId && code == BN_CLICKED) {
      Browse(tool.editId, tool.title);
      return TRUE;
    }
    if (id == tool.editId && code == EN_CHANGE && !loading_) m_bChanged = 1;
  }
  return CPrefPage::OnCommand(wParam, lParam);
}
