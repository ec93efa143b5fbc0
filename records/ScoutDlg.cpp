#include "records/ScoutDlg.h"

#include <cstdio>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/controls/CtlComboBox.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/AdultDlg.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/Xfer.h"

CScoutDlg::CScoutDlg(CWnd* parent) : CPersonDlg(IDD_SCOUT, parent) {}

void CScoutDlg::DoDataExchange(CDataExchange* pDX) {
  CPersonDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_MEM_PARENT1_LAST, m_strParent1Last);
  DDX_Text(pDX, IDC_MEM_PARENT1_FIRST, m_strParent1First);
  DDX_Text(pDX, IDC_MEM_PARENT2_LAST, m_strParent2Last);
  DDX_Text(pDX, IDC_MEM_PARENT2_FIRST, m_strParent2First);
  DDX_CBString(pDX, IDC_MEM_SUBUNIT, m_strSubunit);
}

void CScoutDlg::SetupFields() {
  CPersonDlg::SetupFields();
  LimitEdits({{IDC_MEM_PARENT1_LAST, 15}, {IDC_MEM_PARENT1_FIRST, 11}, {IDC_MEM_PARENT2_LAST, 15},
                {IDC_MEM_PARENT2_FIRST, 11}});
  char text[64];
  std::snprintf(text, sizeof text, "%s:", SubunitNoun);
  SetDlgItemText(IDC_MEM_SUBUNIT_LABEL, text);
  std::snprintf(text, sizeof text, "%s Information", UnitNoun);
  SetDlgItemText(IDC_MEM_INFO_GROUP, text);
  // A blank first (the list sorts it to the top), then every live subunit.
  if (CWnd* list = GetDlgItem(IDC_MEM_SUBUNIT)) {
    list->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(" "));
    for (int p = 0; p < MemberTable.rowCount; ++p) {
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(p)])];
      if (k.type == 2 && k.status != kStatusDeleted)
        list->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k.subunit));
    }
  }
}

int CScoutDlg::LoadFields() {
  if (!XferScout(0, m_bNew, m_pCurPos, &m_form, &m_stored)) return 0;
  TextsFromStored();
  return 1;
}

void CScoutDlg::ShowFields() {
  CPersonDlg::ShowFields();
  if (CWnd* last = GetDlgItem(IDC_MEM_LAST)) SetFocusHwnd(last->GetSafeHwnd());
}

void CScoutDlg::GiveOwnFields() {
  m_strParent1Last = m_stored.fatherLast;
  m_strParent1First = m_stored.fatherFirst;
  m_strParent2Last = m_stored.motherLast;
  m_strParent2First = m_stored.motherFirst;
  m_strSubunit = m_stored.subunit[0] ? m_stored.subunit : " ";
}

void CScoutDlg::TakeOwnFields() {
  Trimmed(m_form.fatherLast, m_strParent1Last);
  Trimmed(m_form.fatherFirst, m_strParent1First);
  Trimmed(m_form.motherLast, m_strParent2Last);
  Trimmed(m_form.motherFirst, m_strParent2First);
  Trimmed(m_form.subunit, m_strSubunit);
}

int CScoutDlg::LiveCount() const { return ScoutCount; }

int CScoutDlg::Save() { return XferScout(1, m_bNew, m_pCurPos, &m_form, &m_stored); }

void CScoutDlg::UpdateEntityControls() {
  CString left;
  if (CWnd* edit = GetDlgItem(IDC_MEM_LEFT)) edit->GetWindowText(left);
  const bool hasLeft = !left.IsEmpty();
  EnableItem(IDC_MEM_OBAL_LABEL, !hasLeft);
  EnableItem(IDC_MEM_OBAL, !hasLeft);
  EnableItem(IDC_MEM_CONVERT, hasLeft && !m_bNew);
}

BOOL CScoutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_MEM_LEFT && (code == EN_CHANGE || code == EN_KILLFOCUS) && GetSafeHwnd()) UpdateEntityControls();
  if (id == IDC_MEM_SUBUNIT && code == CBN_SELCHANGE && !Loading()) m_bChanged = 1;
  if (id == IDC_MEM_CONVERT && code == BN_CLICKED) {
    CWnd* button = GetDlgItem(IDC_MEM_CONVERT);
    if (button && button->IsWindowEnabled()) OnConvertToAdult();
    return TRUE;
  }
  return CPersonDlg::OnCommand(wParam, lParam);
}

void CScoutDlg::OnConvertToAdult() {
  CAdultDlg adult;
  adult.m_nMode = 2;
  adult.m_pCurPos = m_pCurPos;
  if (!adult.LoadRecord(1)) return;
  // What the user sees here goes over, saved or not; the parents and the
  // Date Left stay behind.
  UpdateData(TRUE);
  adult.m_strLast = m_strLast;
  adult.m_strFirst = m_strFirst;
  adult.m_strAddress1 = m_strAddress1;
  adult.m_strAddress2 = m_strAddress2;
  adult.m_strCity = m_strCity;
  adult.m_strState = m_strState;
  adult.m_strZip = m_strZip;
  adult.m_strHomePhone = m_strHomePhone;
  adult.m_strCellPhone = m_strCellPhone;
  adult.m_strEmail = m_strEmail;
  adult.m_strRemarks = m_strRemarks;
  adult.m_strJoined = m_strJoined;
  adult.m_strOpening = m_strOpening;
  adult.m_strCurrent = m_strCurrent;
  if (adult.DoModal() != IDOK) return;
  --ScoutCount;
  ++AdultCount;
  m_bChanged = 0;
  SortMembers();
  char first[16], last[20];
  Trimmed(first, m_strFirst);
  Trimmed(last, m_strLast);
  char text[400];
  std::snprintf(text, sizeof text,
                "%s %s has been moved to the Adult roster.  If %s belongs to\nany payment schedules, you may wish "
                "to review them for appropriateness.",
                first, last, first);
  DispMessage(text, MSG_INFORMATION);
  EndDialog(IDCANCEL);
}
