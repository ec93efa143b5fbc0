#include "records/RecordListDlg.h"

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/LogDump.h"
#include "res/resource.h"

CRecordListDlg::CRecordListDlg(UINT templateId, const char* section, CWnd* parent)
    : CDialog(templateId, parent), m_templateId(templateId) {
  m_pSection = OpenSettingsSection(SettingsFileName, section);
  m_cx = ReadDialogSize(m_pSection, 'X');
  m_cy = ReadDialogSize(m_pSection, 'Y');
}

CRecordListDlg::~CRecordListDlg() {
  if (m_pSection) CloseSettingsSection(m_pSection);
}

BOOL CRecordListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.Attach(this, IDC_REC_LIST);
  if (CWnd* title = GetDlgItem(IDC_REC_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SetupList();
  Refill();
  m_sizer.Start(this, m_cx, m_cy);
  // Without a remembered size the opening size is the one to remember.
  int dx = 0, dy = 0;
  if (m_cx == 0) m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  CenterWindow();
  return TRUE;
}

void CRecordListDlg::OnDestroy() {
  if (!m_destroyed && m_pSection) {
    WriteDialogSize(m_pSection, 'X', m_cx);
    WriteDialogSize(m_pSection, 'Y', m_cy);
    CloseSettingsSection(m_pSection);
    m_pSection = nullptr;
  }
  m_destroyed = true;
  CDialog::OnDestroy();
}

void CRecordListDlg::Refill() {
  m_list.Clear();
  const bool ok = FillRows();
  int row = m_nCurPos >= 0 ? m_list.FindData(m_nCurPos) : -1;
  if (row < 0 && m_nCurPos < 0 && m_list.Count() > 0) row = 0;
  m_list.Select(row, true);
  UpdateCaption();
  UpdateButtons();
  if (!ok) OnFillFailed();
}

void CRecordListDlg::UpdateCaption() { SetWindowText(CaptionText()); }

int CRecordListDlg::SelectedData() const {
  const int row = m_list.Selected();
  return row < 0 ? -1 : static_cast<int>(m_list.Data(row));
}

void CRecordListDlg::EnableItem(int id, bool enable) {
  if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable ? TRUE : FALSE);
}

void CRecordListDlg::ShowItem(int id, bool show) {
  if (CWnd* item = GetDlgItem(id)) item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CRecordListDlg::MoveItem(int id, int dx, int dy, bool move) {
  if (CWnd* item = GetDlgItem(id)) MoveControlBy(item, dx, dy, move ? TRUE : FALSE);
}

void CRecordListDlg::UpdateButtons() {
  const bool selected = m_list.Selected() >= 0;
  EnableItem(IDC_REC_ADD, CanAdd());
  EnableItem(IDC_REC_EDIT, selected);
  EnableItem(IDC_REC_DELETE, selected);
  // The dump is a maintenance facility the user never reaches.
  EnableItem(IDC_REC_LOG, false);
  ShowItem(IDC_REC_LOG, false);
  UpdateEntityButtons();
}

void CRecordListDlg::MoveControls(int dx, int dy) {
  MoveItem(IDC_REC_LIST, dx, dy, false);
  MoveItem(IDC_REC_SEPARATOR, dx, 0, false);
  for (int id : {IDC_REC_LOG, IDC_REC_ADD, IDC_REC_EDIT, IDC_REC_DELETE, static_cast<int>(IDCANCEL), IDC_SHELL_HELP})
    MoveItem(id, dx, 0, true);
}

void CRecordListDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  // Size messages of the window's making are not the user's.
  if (!m_sizer.Started()) return;
  int dx = 0, dy = 0;
  m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  if (dx != 0 || dy != 0) MoveControls(dx, dy);
  m_sizer.Finish(this);
}

BOOL CRecordListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(m_templateId))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_REC_LIST) {
    if (code == LBN_DBLCLK) {
      if (m_list.Selected() >= 0) OnDoubleClick();
      return TRUE;
    }
    if (code == LBN_SELCHANGE) {
      OnSelectionChanged();
      return TRUE;
    }
  }
  if (code == BN_CLICKED) {
    // A disabled (or hidden) button may still be reached by its access key.
    CWnd* button = GetDlgItem(id);
    const bool enabled = !button || button->IsWindowEnabled();
    switch (id) {
      case IDC_REC_ADD:
        if (enabled) OnAdd();
        return TRUE;
      case IDC_REC_EDIT:
        if (enabled) OnEdit();
        return TRUE;
      case IDC_REC_DELETE:
        if (enabled) OnDelete();
        return TRUE;
      case IDC_REC_LOG:
        OnLog();
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CRecordListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && static_cast<int>(hdr->idFrom) == IDC_REC_LIST) {
    if (hdr->code == NM_DBLCLK) {
      if (m_list.Selected() >= 0) OnDoubleClick();
      return TRUE;
    }
    if (hdr->code == LVN_ITEMCHANGED) {
      const NMLISTVIEW* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((lv->uChanged & LVIF_STATE) && ((lv->uOldState ^ lv->uNewState) & LVIS_SELECTED)) OnSelectionChanged();
      return TRUE;
    }
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CRecordListDlg::OnOK() {
  // No OK button: Enter goes to the template's default button.
}

void CRecordListDlg::OnAdd() {
  m_nCurPos = -1;
  if (OpenInfo(true)) Refill();
}

void CRecordListDlg::OnEdit() {
  if (m_list.Selected() < 0) return;
  const int pos = LookupSelected();
  if (pos < 0) {
    char text[300];
    FormatErrorText(text, ERR_NOT_FOUND, EntityWord());
    DispMessage(text, MSG_ERROR);
    return;
  }
  m_nCurPos = pos;
  OpenInfo(false);
  Refill();
}

void CRecordListDlg::OnDelete() {
  if (m_list.Selected() < 0) return;
  if (DeleteSelected()) Refill();
}

void CRecordListDlg::OnLog() {
  const char* name = LogFileName();
  if (!name) return;
  RunLogDump(name, LogCaption(), [this](FILE* out) { WriteLog(out); });
}
