#include "records/RecordInfoDlg.h"

#include <strings.h>

#include <cstdio>

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/CancelQuestion.h"
#include "res/resource.h"

CRecordInfoDlg::CRecordInfoDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent), m_templateId(templateId) {}

int CRecordInfoDlg::LoadRecord(int beforeWindow) {
  const int ok = LoadAndShow(beforeWindow);
  if (!beforeWindow && GetSafeHwnd()) FocusFirstField();
  return ok;
}

int CRecordInfoDlg::LoadAndShow(int beforeWindow) {
  SetWaitCursor(1);
  const int ok = LoadFields();
  m_bChanged = 0;
  // A load that failed part-way leaves a mix of two records in the copies:
  // nothing is saved from them until a load succeeds.
  m_bLoadFailed = ok == 0;
  SetWaitCursor(0);
  if (!beforeWindow && GetSafeHwnd()) {
    if (ok) {
      m_bLoading = true;
      ShowFields();
      m_bLoading = false;
      m_bChanged = 0;
    }
    UpdateControls();
  }
  return ok;
}

BOOL CRecordInfoDlg::OnInitDialog() {
  m_bLoading = true;
  CDialog::OnInitDialog();
  if (CWnd* title = GetDlgItem(IDC_REC_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SetupFields();
  // Adding: Enter saves and clears the form for the next record.
  if (m_bNew) SetDefID(IDC_REC_APPLY);
  ShowFields();
  m_bLoading = false;
  m_bChanged = 0;
  CenterWindow();
  UpdateControls();
  return TRUE;
}

void CRecordInfoDlg::EnableItem(int id, bool enable) {
  if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable ? TRUE : FALSE);
}

void CRecordInfoDlg::UpdateControls() {
  const bool full = m_bNew && TableFull();
  EnableItem(IDOK, !full && !m_bLoadFailed);
  EnableItem(IDC_REC_APPLY, !full && !m_bLoadFailed);
  const bool stepping = !m_bNew && LiveCount() > 1;
  EnableItem(IDC_REC_PREV, stepping);
  EnableItem(IDC_REC_NEXT, stepping);
  for (int id : IdentityControls()) EnableItem(id, m_bNew != 0);
  UpdateEntityControls();
}

bool CRecordInfoDlg::IsEditableField(int id) const {
  CWnd* item = GetDlgItem(id);
  if (!item) return false;
  char cls[32] = "";
  GetClassName(item->GetSafeHwnd(), cls, sizeof cls);
  return strcasecmp(cls, "Edit") == 0;
}

void CRecordInfoDlg::FocusFirstField() {
  for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = "";
    GetClassName(child, cls, sizeof cls);
    if (strcasecmp(cls, "Edit") == 0 && ::IsWindowEnabled(child) && ::IsWindowVisible(child)) {
      SetFocusHwnd(child);
      return;
    }
  }
}

BOOL CRecordInfoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(m_templateId))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (code == EN_CHANGE && !m_bLoading && IsEditableField(id)) m_bChanged = 1;
  if (code == BN_CLICKED) {
    CWnd* button = GetDlgItem(id);
    const bool enabled = !button || button->IsWindowEnabled();
    switch (id) {
      case IDC_REC_APPLY:
        if (enabled) OnApply();
        return TRUE;
      case IDC_REC_PREV:
        if (enabled) OnPrevNext(-1);
        return TRUE;
      case IDC_REC_NEXT:
        if (enabled) OnPrevNext(1);
        return TRUE;
      case IDOK:
        // Enter reaches OK even while it is disabled (a full table).
        if (enabled) OnOK();
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CRecordInfoDlg::OnOK() {
  if (m_bLoadFailed) return;
  if (Validate()) EndDialog(IDOK);
}

void CRecordInfoDlg::OnCancel() {
  CancelAskingToSave(*this, m_bChanged != 0, kSaveQuestion, [this] { OnOK(); });
}

void CRecordInfoDlg::OnApply() {
  if (m_bLoadFailed || !Validate()) return;
  m_bChanged = 0;
  if (!m_bNew) {
    // The dialog goes on from what was saved: its loaded copy is the stored
    // record again (so the next check of a changed name does not find the
    // record itself, and a rename starts from the name now stored).
    LoadAndShow(0);
    return;
  }
  if (TableFull()) {
    EndDialog(IDCANCEL);
    return;
  }
  LoadRecord(0);
}

bool CRecordInfoDlg::SaveBeforeLeaving() {
  if (!m_bChanged || m_bLoadFailed) return true;
  switch (AskSaveChanges(kSaveQuestion)) {
    case ANSWER_YES:
      return Validate() != 0;
    case ANSWER_NO:
      return true;
    default:
      return false;
  }
}

void CRecordInfoDlg::OnPrevNext(int direction) {
  if (!SaveBeforeLeaving()) return;
  Step(direction);
}

void CRecordInfoDlg::Step(int direction) {
  if (!m_pCurPos) return;
  const int size = IndexSize();
  if (size <= 0) return;
  int pos = *m_pCurPos;
  const bool announce = LiveCount() > 1;
  // At most one pass round the index: a table without a live record keeps
  // the position.
  for (int tries = 0; tries <= size; ++tries) {
    pos += direction;
    if (pos < 0) {
      pos = size - 1;
      if (announce) DispMessage(WrapToLastText(), MSG_INFORMATION);
    } else if (pos >= size) {
      pos = 0;
      if (announce) DispMessage(WrapToFirstText(), MSG_INFORMATION);
    }
    if (IsLiveAt(pos)) {
      const int from = *m_pCurPos;
      *m_pCurPos = pos;
      // A record that cannot be read is not taken as the current one: the
      // position goes back, and saving stays off until a load succeeds.
      if (!LoadRecord(0)) *m_pCurPos = from;
      return;
    }
  }
}

void CRecordInfoDlg::TrimInto(char* out, size_t size, const CString& text) {
  std::snprintf(out, size, "%s", static_cast<const char*>(text));
  TrimString(out, 3);
}

void CRecordInfoDlg::LimitEdits(std::initializer_list<EditLimit> limits) {
  for (const EditLimit& l : limits)
    if (CWnd* edit = GetDlgItem(l.id)) edit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(l.chars), 0);
}
