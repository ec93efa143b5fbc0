#include "records/ProfitCenterDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "res/resource.h"
#include "store/Queries.h"
#include "store/Xfer.h"

namespace {

std::vector<CString> Items(HWND list, bool selectedOnly) {
  std::vector<CString> out;
  const int n = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    if (selectedOnly && ::SendMessage(list, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
    char text[64] = "";
    ::SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

}  // namespace

// ---- Profit Center Information ----

CProfitCenterDlg::CProfitCenterDlg(CWnd* parent) : CRecordInfoDlg(IDD_PCINFO, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "PLCDLG");
  m_cx = GetSettingInt(m_pSection, 'X', 0);
  m_cy = GetSettingInt(m_pSection, 'Y', 0);
}

CProfitCenterDlg::~CProfitCenterDlg() {
  if (m_pSection) CloseSettingsSection(m_pSection);
}

BOOL CProfitCenterDlg::OnInitDialog() {
  m_loadFailed = !LoadFields();
  CRecordInfoDlg::OnInitDialog();
  m_sizer.SetFixedWidth();
  m_sizer.Start(this, m_cx, m_cy);
  RECT r{};
  GetWindowRect(&r);
  m_cx = r.right - r.left;
  m_cy = r.bottom - r.top;
  CenterWindow();
  GotoDlgCtrl(GetDlgItem(IDC_PC_NAME));
  if (m_loadFailed) EndDialog(IDCANCEL);
  return FALSE;
}

void CProfitCenterDlg::SetupFields() {
  SendDlgItemMessage(IDC_PC_NAME, EM_LIMITTEXT, static_cast<WPARAM>(TheAcctGroupDBase().GetNameWidth()), 0);
}

int CProfitCenterDlg::LoadFields() {
  if (!XferAccountGroup(0, m_bNew, &m_name, &m_loaded, nullptr)) return 0;
  m_edited = m_loaded;
  m_name = m_loaded.GetName();
  return 1;
}

void CProfitCenterDlg::ShowFields() {
  SetDlgItemText(IDC_PC_NAME, m_name);
  HWND avail = ::GetDlgItem(GetSafeHwnd(), IDC_PC_AVAIL);
  HWND incl = ::GetDlgItem(GetSafeHwnd(), IDC_PC_INCL);
  ::SendMessage(avail, LB_RESETCONTENT, 0, 0);
  ::SendMessage(incl, LB_RESETCONTENT, 0, 0);
  ListOfValues values;
  GetListOfValues("IE-ACCT", 1, &values);
  char dues[48];
  std::snprintf(dues, sizeof dues, "%d / Dues", 599);
  for (int i = 0; i < values.Count(); ++i) {
    const char* text = values.texts[static_cast<size_t>(i)].data();
    if (std::strcmp(text, dues) == 0) continue;
    ::SendMessage(avail, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  AcctNumberList accounts;
  m_edited.CopyAccounts(&accounts);
  const std::vector<CString> texts = Items(avail, false);
  for (UINT account : accounts) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%u /", account);
    for (size_t i = 0; i < texts.size(); ++i) {
      if (std::strncmp(texts[i], prefix, std::strlen(prefix)) != 0) continue;
      if (::SendMessage(avail, LB_GETSEL, i, 0) > 0) continue;
      ::SendMessage(avail, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
      break;
    }
  }
  Move(IDC_PC_AVAIL, IDC_PC_INCL, false);
  m_bChanged = 0;
  GotoDlgCtrl(GetDlgItem(IDC_PC_NAME));
}

int CProfitCenterDlg::LiveCount() const { return TheAcctGroupDBase().CountNames(); }

void CProfitCenterDlg::UpdateCaptions() {
  const int avail = static_cast<int>(SendDlgItemMessage(IDC_PC_AVAIL, LB_GETCOUNT, 0, 0));
  const int incl = static_cast<int>(SendDlgItemMessage(IDC_PC_INCL, LB_GETCOUNT, 0, 0));
  CString text;
  text.Format("A&vailable Accounts (%d):", avail);
  SetDlgItemText(IDC_PC_AVAIL_LABEL, text);
  text.Format("&Included Accounts (%d):", incl);
  SetDlgItemText(IDC_PC_INCL_LABEL, text);
}

void CProfitCenterDlg::UpdateEntityControls() {
  auto count = [this](int id, UINT msg) { return static_cast<int>(SendDlgItemMessage(id, msg, 0, 0)); };
  EnableItem(IDC_PC_ADD, count(IDC_PC_AVAIL, LB_GETSELCOUNT) > 0);
  EnableItem(IDC_PC_ADDALL, count(IDC_PC_AVAIL, LB_GETCOUNT) > 0);
  EnableItem(IDC_PC_REMOVE, count(IDC_PC_INCL, LB_GETSELCOUNT) > 0);
  EnableItem(IDC_PC_REMOVEALL, count(IDC_PC_INCL, LB_GETCOUNT) > 0);
  const bool stepping = !m_bNew && LiveCount() >= 2;
  EnableItem(IDC_REC_PREV, stepping);
  EnableItem(IDC_REC_NEXT, stepping);
}

void CProfitCenterDlg::Move(int fromId, int toId, bool all) {
  HWND from = ::GetDlgItem(GetSafeHwnd(), fromId);
  HWND to = ::GetDlgItem(GetSafeHwnd(), toId);
  const int n = static_cast<int>(::SendMessage(from, LB_GETCOUNT, 0, 0));
  std::vector<int> moved;
  for (int i = 0; i < n; ++i)
    if (all || ::SendMessage(from, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) moved.push_back(i);
  for (int i : moved) {
    char text[64] = "";
    ::SendMessage(from, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    ::SendMessage(to, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  for (auto it = moved.rbegin(); it != moved.rend(); ++it) ::SendMessage(from, LB_DELETESTRING, static_cast<WPARAM>(*it), 0);
  m_bChanged = 1;
  UpdateCaptions();
  UpdateControls();
}

BOOL CProfitCenterDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_PC_ADD: Move(IDC_PC_AVAIL, IDC_PC_INCL, false); return TRUE;
      case IDC_PC_ADDALL: Move(IDC_PC_AVAIL, IDC_PC_INCL, true); return TRUE;
      case IDC_PC_REMOVE: Move(IDC_PC_INCL, IDC_PC_AVAIL, false); return TRUE;
      case IDC_PC_REMOVEALL: Move(IDC_PC_INCL, IDC_PC_AVAIL, true); return TRUE;
      default: break;
    }
  }
  if ((id == IDC_PC_AVAIL || id == IDC_PC_INCL) && !Loading()) {
    if (code == LBN_DBLCLK) {
      if (id == IDC_PC_AVAIL)
        Move(IDC_PC_AVAIL, IDC_PC_INCL, false);
      else
        Move(IDC_PC_INCL, IDC_PC_AVAIL, false);
      return TRUE;
    }
    if (code == LBN_SELCHANGE) {
      UpdateControls();
      return TRUE;
    }
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

int CProfitCenterDlg::Validate() {
  CString name;
  GetDlgItemText(IDC_PC_NAME, name);
  m_edited.Clear();
  m_edited.SetName(name);
  for (const CString& text : Items(::GetDlgItem(GetSafeHwnd(), IDC_PC_INCL), false))
    m_edited.AddAccount(static_cast<UINT>(std::atoi(text)));
  CString message;
  if (!m_edited.Validate())
    message = m_edited.GetErrorText();
  else if (name.str() != m_loaded.GetName().str() && !TheAcctGroupDBase().IsNameUnused(name))
    message = "Name:  A Profit Center already exists with this name";
  if (!message.IsEmpty()) {
    SetFocusHwnd(::GetDlgItem(GetSafeHwnd(), IDC_PC_NAME));
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  CString stored = name;
  if (!XferAccountGroup(1, m_bNew, &stored, &m_loaded, &m_edited)) return 0;
  m_name = name;
  // A later save of the same run replaces the group as it now is, not as
  // it was loaded (its old name is gone after a rename).
  if (!m_bNew) m_loaded = m_edited;
  return 1;
}

void CProfitCenterDlg::OnApply() {
  const int changed = m_bChanged;
  if (!Validate()) return;
  if (m_bNew) {
    m_name.Empty();
    LoadRecord(0);
    return;
  }
  m_bChanged = changed;
}

void CProfitCenterDlg::Step(int direction) {
  if (TheAcctGroupDBase().GetAdjacentName(direction > 0 ? 1 : 0, &m_name))
    DispMessage(direction > 0 ? WrapToFirstText() : WrapToLastText(), MSG_INFORMATION);
  LoadRecord(0);
}

void CProfitCenterDlg::OnSize(UINT type, int cx, int cy) {
  CRecordInfoDlg::OnSize(type, cx, cy);
  if (!m_sizer.Started()) return;
  int dx = 0, dy = 0;
  m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  for (int id : {IDC_PC_AVAIL, IDC_PC_INCL})
    if (CWnd* list = GetDlgItem(id)) MoveControlBy(list, 0, dy, FALSE);
  for (int id : {static_cast<int>(IDOK), static_cast<int>(IDCANCEL), IDC_REC_APPLY, IDC_REC_PREV, IDC_REC_NEXT,
                 IDC_SHELL_HELP})
    if (CWnd* button = GetDlgItem(id)) MoveControlBy(button, 0, dy, TRUE);
  m_sizer.Finish(this);
}

void CProfitCenterDlg::OnDestroy() {
  if (m_pSection) {
    PutSettingInt(m_pSection, 'X', m_cx);
    PutSettingInt(m_pSection, 'Y', m_cy);
    CloseSettingsSection(m_pSection);
    m_pSection = nullptr;
  }
  CRecordInfoDlg::OnDestroy();
}

// ---- Profit Center Management ----

CProfitCenterListDlg::CProfitCenterListDlg(CWnd* parent) : CRecordListDlg(IDD_PCLIST, "PLCKEY", parent) {
  SetFixedWidth();
}

BOOL CProfitCenterListDlg::OnInitDialog() {
  CRecordListDlg::OnInitDialog();
  SetDefID(IDC_REC_EDIT);
  return TRUE;
}

bool CProfitCenterListDlg::FillRows() {
  GroupNameList names;
  TheAcctGroupDBase().GetNames(&names);
  int index = 0;
  for (const CString& name : names) {
    if (name.IsEmpty()) continue;
    AddRow(name, index++);
  }
  return true;
}

CString CProfitCenterListDlg::CaptionText() {
  CString s;
  const int n = TheAcctGroupDBase().CountNames();
  s.Format("Profit Center Management (%d center%s)", n, n == 1 ? "" : "s");
  return s;
}

void CProfitCenterListDlg::UpdateEntityButtons() {
  EnableItem(IDC_PC_RESET, false);
  ShowItem(IDC_PC_RESET, false);
}

CString CProfitCenterListDlg::SelectedName() {
  const int row = List().Selected();
  if (row < 0) return CString();
  CString text = List().Text(row);
  const int tab = text.Find('\t');
  return tab >= 0 ? text.Left(tab) : text;
}

void CProfitCenterListDlg::RunInfo(bool isNew, const CString& name) {
  CProfitCenterDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_name = name;
  dlg.DoModal();
  m_nCurPos = -1;
  GroupNameList names;
  TheAcctGroupDBase().GetNames(&names);
  int index = 0;
  for (const CString& n : names) {
    if (n.IsEmpty()) continue;
    if (n.str() == dlg.m_name.str()) m_nCurPos = index;
    ++index;
  }
  Refill();
}

bool CProfitCenterListDlg::OpenInfo(bool isNew) {
  RunInfo(isNew, isNew ? CString() : SelectedName());
  return true;
}

void CProfitCenterListDlg::OnAdd() { RunInfo(true, CString()); }

void CProfitCenterListDlg::OnEdit() {
  if (List().Selected() < 0) return;
  RunInfo(false, SelectedName());
}

bool CProfitCenterListDlg::DeleteSelected() {
  const CString name = SelectedName();
  if (!ConfirmDelete(name)) return false;
  CAcctGroupDBase& db = TheAcctGroupDBase();
  if (!db.Delete(name)) {
    DispMessage(db.GetErrorText(), MSG_ERROR);
    return false;
  }
  return true;
}

void CProfitCenterListDlg::OnDelete() {
  const int row = List().Selected();
  if (row < 0 || !DeleteSelected()) return;
  // The row goes; the rest of the list stays as it is.
  List().Remove(row);
  UpdateCaption();
  UpdateButtons();
}

void CProfitCenterListDlg::OnLog() {
  CAcctGroupDBase& db = TheAcctGroupDBase();
  if (!db.Review()) DispMessage(db.GetErrorText(), MSG_ERROR);
}

BOOL CProfitCenterListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PC_RESET) {
    if (AskQuestion("Do you really want to drop the Profit Center database", ANSWER_NO, 0) == ANSWER_YES) {
      TheAcctGroupDBase().Create();
      m_nCurPos = -1;
      Refill();
    }
    return TRUE;
  }
  return CRecordListDlg::OnCommand(wParam, lParam);
}

void CProfitCenterListDlg::MoveControls(int, int dy) {
  MoveItem(IDC_REC_LIST, 0, dy, false);
  MoveItem(IDCANCEL, 0, dy, true);
  MoveItem(IDC_SHELL_HELP, 0, dy, true);
}
