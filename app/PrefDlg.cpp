#include "app/PrefDlg.h"

#include "app/Preferences.h"
#include "app/TornelView.h"
#include "common/Dates.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Frame.h"
#include "platform/propsheet/PropSheetDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

CPrefDlg::CPrefDlg(CWnd* parent) : CPropertySheet("Preferences", parent) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
  // A page joins the sheet here, in its place among the others.
  AddPrefPage(&m_general);
  AddPrefPage(&m_grids);
  AddPrefPage(&m_labels);
  AddPrefPage(&m_background);
  AddPrefPage(&m_tools);
}

void CPrefDlg::AddPrefPage(CPrefPage* page) {
  m_pages.push_back(page);
  AddPage(page);
}

BOOL CPrefDlg::OnInitDialog() {
  for (CPrefPage* page : m_pages) page->LoadValues();
  CPropertySheet::OnInitDialog();
  CenterWindow();
  PlaceButtons();
  return TRUE;
}

// OK, Cancel, Reset and Help in one row about the sheet's middle.
void CPrefDlg::PlaceButtons() {
  CWnd* ok = GetDlgItem(IDOK);
  if (!ok) return;
  RECT r, client;
  ok->GetWindowRect(&r);
  ScreenToClient(&r);
  GetClientRect(&client);
  const int w = r.right - r.left, h = r.bottom - r.top, m = (client.right - client.left) / 2;
  ok->MoveWindow(m - 2 * w - 45, r.top, w, h);
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->MoveWindow(m - w - 15, r.top, w, h);
  const RECT resetRect{m + 15, r.top, m + 15 + w, r.top + h};
  m_reset.Create("&Reset...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, resetRect, this, IDC_PREF_RESET);
  m_reset.SetFont(GetFont());
  if (CWnd* help = GetDlgItem(IDHELP)) help->MoveWindow(m + w + 45, r.top, w, h);
}

void CPrefDlg::StorePages() {
  for (CPrefPage* page : m_pages) page->StoreValues();
}

// What OK and Yes to Cancel's question check before anything is stored:
// the system date, then every page that was opened. False (after the
// message, with the failing page shown) when one fails.
bool CPrefDlg::CheckPages() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->UpdateData(TRUE)) return false;
  CString error;
  if (!m_general.CheckDate(error)) {
    if (!error.IsEmpty()) DispMessage(error, MSG_WARNING);
    SetActivePage(&m_general);
    return false;
  }
  // Pages never shown have nothing typed to check.
  for (CPrefPage* page : m_pages) {
    if (!page->Opened() || page->Check(error)) continue;
    if (!error.IsEmpty()) DispMessage(error, MSG_WARNING);
    SetActivePage(page);
    return false;
  }
  return true;
}

void CPrefDlg::OnOK() {
  if (!CheckPages()) return;
  StorePages();
  m_bSaved = 1;
  EndDialog(IDOK);
}

void CPrefDlg::OnCancel() {
  bool changed = false;
  for (CPrefPage* page : m_pages) changed = changed || page->Changed();
  if (changed) {
    const int answer = AskQuestion("Do you wish to save your changes", ANSWER_YES, ANSWER_CANCEL);
    if (answer == ANSWER_CANCEL) return;
    if (answer == ANSWER_YES) {
      // Saved as OK saves: an invalid date or page keeps the sheet open.
      if (!CheckPages()) return;
      StorePages();
      m_bSaved = 1;
    }
  }
  EndDialog(IDCANCEL);
}

void CPrefDlg::Reset() {
  const char* text =
      "This option will reset all dialog preferences to their defaults.\n"
      "All your report options and dialog preferences that are pre-selected\n"
      "and pre-filled when you display a dialog will be erased.  The default\n"
      "selections will be used instead.\n\nNOTE:  This action cannot be "
      "undone.\n\nDo you wish to continue";
  if (AskQuestion(text, ANSWER_NO, 0) != ANSWER_YES) return;
  EmptyFile(SettingsFileName);
  GetTimestamp(DF_YYYYMMDD, TodayDate);
  XferConfig(0);
  for (CPrefPage* page : m_pages) {
    page->LoadValues();
    page->Refresh();
  }
  DispMessage("Reset complete", MSG_INFORMATION);
}

BOOL CPrefDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_PREF_RESET && HIWORD(wParam) == BN_CLICKED) {
    Reset();
    return TRUE;
  }
  return CPropertySheet::OnCommand(wParam, lParam);
}

void RunPreferences() {
  XferConfig(0);
  CWnd* main = AfxGetMainWnd();
  CPrefDlg sheet(main);
  sheet.DoModal();
  if (!sheet.m_bSaved) return;
  XferConfig(1);
  CView* view = main ? static_cast<CFrameWnd*>(main)->GetActiveView() : nullptr;
  if (auto* tornel = dynamic_cast<CTornelView*>(view)) tornel->ResetBackground();
}
