#include "records/AdultDlg.h"

#include <cstdio>

#include "common/DlgUtil.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/Xfer.h"

CAdultDlg::CAdultDlg(CWnd* parent) : CPersonDlg(IDD_ADULT, parent) {}

void CAdultDlg::DoDataExchange(CDataExchange* pDX) {
  CPersonDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_MEM_SPOUSE, m_strSpouse);
  DDX_Text(pDX, IDC_MEM_WORKPHONE, m_strWorkPhone);
  DDX_Text(pDX, IDC_MEM_WORKEXT, m_strWorkExt);
  DDX_Text(pDX, IDC_MEM_FAX, m_strFax);
}

void CAdultDlg::SetupFields() {
  CPersonDlg::SetupFields();
  LimitEdits({{IDC_MEM_SPOUSE, 11}, {IDC_MEM_WORKPHONE, 13}, {IDC_MEM_WORKEXT, 4}, {IDC_MEM_FAX, 13}});
  char text[64];
  std::snprintf(text, sizeof text, "%s Information", UnitNoun);
  SetDlgItemText(IDC_MEM_INFO_GROUP, text);
  // Apply is the default button for a new adult only; converting has none.
  if (m_nMode != 0) SetDefID(IDOK);
}

int CAdultDlg::LoadFields() {
  m_bNew = m_nMode == 0 ? 1 : 0;
  if (!XferAdult(0, m_nMode, m_pCurPos, &m_form, &m_stored)) return 0;
  TextsFromStored();
  return 1;
}

void CAdultDlg::ShowFields() {
  CPersonDlg::ShowFields();
  if (CWnd* last = GetDlgItem(IDC_MEM_LAST)) SetFocusHwnd(last->GetSafeHwnd());
}

void CAdultDlg::GiveOwnFields() {
  m_strSpouse = m_stored.spouse;
  m_strWorkPhone = m_stored.workPhone;
  m_strWorkExt = m_stored.workExt;
  m_strFax = m_stored.fax;
}

void CAdultDlg::TakeOwnFields() {
  Trimmed(m_form.spouse, m_strSpouse);
  Trimmed(m_form.workPhone, m_strWorkPhone);
  Trimmed(m_form.workExt, m_strWorkExt);
  Trimmed(m_form.fax, m_strFax);
  // A converted scout's parents have no place in an adult's record.
  m_form.fatherFirst[0] = m_form.fatherLast[0] = m_form.motherFirst[0] = m_form.motherLast[0] = '\0';
  std::snprintf(m_form.subunit, sizeof m_form.subunit, "Adults");
  m_form.type = 1;
}

int CAdultDlg::LiveCount() const { return AdultCount; }

int CAdultDlg::Save() { return XferAdult(1, m_nMode, m_pCurPos, &m_form, &m_stored); }

void CAdultDlg::UpdateEntityControls() {
  CString left;
  if (CWnd* edit = GetDlgItem(IDC_MEM_LEFT)) edit->GetWindowText(left);
  EnableItem(IDC_MEM_OBAL_LABEL, left.IsEmpty());
  EnableItem(IDC_MEM_OBAL, left.IsEmpty());
  if (m_nMode == 2) {
    // The conversion rewrites a record: it needs no free slot, and it has
    // no Apply and no stepping.
    EnableItem(IDOK, true);
    EnableItem(IDC_REC_APPLY, false);
    EnableItem(IDC_REC_PREV, false);
    EnableItem(IDC_REC_NEXT, false);
  }
}

BOOL CAdultDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Unlike the scout dialog, the opening balance follows Date Left only
  // when that field is left.
  if (LOWORD(wParam) == IDC_MEM_LEFT && HIWORD(wParam) == EN_KILLFOCUS && GetSafeHwnd()) UpdateEntityControls();
  return CPersonDlg::OnCommand(wParam, lParam);
}
