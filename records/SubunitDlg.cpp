#include "records/SubunitDlg.h"

#include <cstdio>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/FieldChange.h"
#include "records/MemberReserves.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/Xfer.h"

namespace {

bool SubunitsFull() { return MemberTable.freeCount <= 0 || SubunitCount >= SubunitCapacity; }

}  // namespace

CSubunitDlg::CSubunitDlg(CWnd* parent) : CRecordInfoDlg(IDD_SUBUNIT, parent) {
  std::snprintf(m_wrapLast, sizeof m_wrapLast, "Going to last %s", SubunitWord);
  std::snprintf(m_wrapFirst, sizeof m_wrapFirst, "Starting at first %s", SubunitWord);
}

const char* CSubunitDlg::WrapToLastText() const { return m_wrapLast; }
const char* CSubunitDlg::WrapToFirstText() const { return m_wrapFirst; }

void CSubunitDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SUB_NAME, m_strName);
  DDX_Text(pDX, IDC_SUB_REMARKS, m_strRemarks);
  DDX_Check(pDX, IDC_SUB_PASSBOOK, m_bPassbook);
  DDX_Date(pDX, m_opened, m_strOpened);
  DDX_Date(pDX, m_closed, m_strClosed);
  DDX_Amount(pDX, m_opening, m_strOpening);
  DDX_Text(pDX, IDC_SUB_CURRENT, m_strCurrent);
}

void CSubunitDlg::SetupFields() {
  char text[96];
  std::snprintf(text, sizeof text, "%s Information", SubunitNoun);
  SetWindowText(text);
  SetDlgItemText(IDC_REC_TITLE, text);
  SetDlgItemText(IDC_MEM_INFO_GROUP, text);
  LimitEdits({{IDC_SUB_NAME, 29}, {IDC_SUB_REMARKS, 40}});
  m_opened.SubclassEdit(IDC_SUB_OPENED, this, CString(), 0);
  m_closed.SubclassEdit(IDC_SUB_CLOSED, this, CString(), 0);
  m_opening.SubclassDlgItem(IDC_SUB_OBAL, this);
  m_opening.SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
  m_opening.SetChangeFlag(&m_bChanged);
  m_opening.LimitText(7);
}

int CSubunitDlg::LoadFields() {
  if (!XferSubunit(0, m_bNew, m_pCurPos, &m_form, &m_stored)) return 0;
  m_form = m_stored;
  m_strName = m_stored.subunit;
  m_strRemarks = m_stored.remarks;
  m_bPassbook = m_stored.passbook ? 1 : 0;
  m_strOpened = m_shownOpened = m_stored.dateJoined;
  m_strClosed = m_shownClosed = m_stored.dateLeft;
  m_strOpening = FormatCents(m_stored.openingBalance);
  m_strCurrent = FormatDollars(m_stored.currentBalance, 1);
  m_bReserved = false;
  if (!m_bNew && m_pCurPos && *m_pCurPos >= 0 && *m_pCurPos < MemberTable.rowCount) {
    bool reserved = false;
    if (MemberHasReserves(MemberTable.byTypeName[static_cast<size_t>(*m_pCurPos)], &reserved))
      m_bReserved = reserved;
  }
  return 1;
}

void CSubunitDlg::ShowFields() {
  CRecordInfoDlg::ShowFields();
  if (CWnd* name = GetDlgItem(IDC_SUB_NAME)) SetFocusHwnd(name->GetSafeHwnd());
}

bool CSubunitDlg::TableFull() const { return SubunitsFull(); }
int CSubunitDlg::LiveCount() const { return SubunitCount; }
int CSubunitDlg::IndexSize() const { return MemberTable.rowCount; }

bool CSubunitDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= MemberTable.rowCount) return false;
  const MemberKey& k = MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(pos)])];
  return k.status != kStatusDeleted && k.type == 2;
}

void CSubunitDlg::UpdateEntityControls() {
  const bool uses = IsDlgButtonChecked(IDC_SUB_PASSBOOK) == BST_CHECKED;
  CString closed;
  if (CWnd* e = GetDlgItem(IDC_SUB_CLOSED)) e->GetWindowText(closed);
  for (int id : {IDC_SUB_DATES_GROUP, IDC_SUB_BAL_GROUP, IDC_SUB_OPENED_LABEL, IDC_SUB_OPENED, IDC_SUB_CLOSED_LABEL,
                 IDC_SUB_CLOSED, IDC_SUB_CURRENT_LABEL, IDC_SUB_CURRENT})
    EnableItem(id, uses);
  EnableItem(IDC_SUB_OBAL_LABEL, uses && closed.IsEmpty());
  EnableItem(IDC_SUB_OBAL, uses && closed.IsEmpty());
}

void CSubunitDlg::OpeningChanged() {
  CString opening;
  m_opening.GetText(opening);
  m_form.openingBalance = ParseDollars(opening);
  m_form.currentBalance = m_form.openingBalance + (m_stored.currentBalance - m_stored.openingBalance);
  m_strCurrent = FormatDollars(m_form.currentBalance, 1);
  SetDlgItemText(IDC_SUB_CURRENT, m_strCurrent);
}

bool CSubunitDlg::IsEditableField(int id) const {
  if (id == IDC_SUB_OBAL || id == IDC_SUB_OPENED || id == IDC_SUB_CLOSED) return false;
  return CRecordInfoDlg::IsEditableField(id);
}

BOOL CSubunitDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (GetSafeHwnd() && !Loading()) {
    if (code == EN_CHANGE && ((id == IDC_SUB_OPENED && DateFieldDiffers(m_opened, m_shownOpened)) ||
                              (id == IDC_SUB_CLOSED && DateFieldDiffers(m_closed, m_shownClosed))))
      m_bChanged = 1;
    if (id == IDC_SUB_PASSBOOK && code == BN_CLICKED) {
      m_bChanged = 1;
      UpdateEntityControls();
    }
    if (id == IDC_SUB_CLOSED && code == EN_KILLFOCUS) UpdateEntityControls();
    if (id == IDC_SUB_OBAL && code == EN_KILLFOCUS) {
      OpeningChanged();
      UpdateEntityControls();
    }
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

int CSubunitDlg::Warn(const char* text, int focusId) {
  if (focusId)
    if (CWnd* item = GetDlgItem(focusId)) SetFocusHwnd(item->GetSafeHwnd());
  DispMessage(text, MSG_WARNING);
  return 0;
}

int CSubunitDlg::Validate() {
  if (!UpdateData(TRUE)) return 0;
  Trimmed(m_form.subunit, m_strName);
  Trimmed(m_form.remarks, m_strRemarks);
  m_form.passbook = m_bPassbook;
  std::snprintf(m_form.dateJoined, sizeof m_form.dateJoined, "%s", static_cast<const char*>(m_strOpened));
  std::snprintf(m_form.dateLeft, sizeof m_form.dateLeft, "%s", static_cast<const char*>(m_strClosed));
  m_form.openingBalance = ParseDollars(m_strOpening);
  m_form.currentBalance = ParseDollars(m_strCurrent);

  char message[512] = "";
  CWnd* nameEdit = GetDlgItem(IDC_SUB_NAME);
  if (!ValidateDlgField("Name", m_form.subunit, 1, FIELD_TEXT, 0, nullptr, nullptr,
                        nameEdit ? nameEdit->GetSafeHwnd() : nullptr, message))
    return Warn(message, 0);
  int found = -1;
  if (CompareNoCase(m_form.subunit, m_stored.subunit) != 0 && FindMember(0, 4, m_form.subunit, "", &found)) {
    std::snprintf(message, sizeof message, "Name:  A %s already exists with this name", SubunitWord);
    return Warn(message, IDC_SUB_NAME);
  }
  if (m_stored.passbook && !m_bPassbook) {
    const char* problem = m_stored.transCount != 0        ? "Uses Passbook:  %s is already involved in transactions"
                          : m_stored.currentBalance != 0 ? "Uses Passbook:  %s has an outstanding balance"
                          : m_bReserved                  ? "Uses Passbook:  %s has funds reserved in its name"
                                                         : nullptr;
    if (problem) {
      char text[256];
      std::snprintf(text, sizeof text, problem, SubunitNoun);
      std::snprintf(message, sizeof message, "%s\nso you may not turn off passbook use.", text);
      m_bPassbook = 1;
      CheckDlgButton(IDC_SUB_PASSBOOK, BST_CHECKED);
      UpdateEntityControls();
      return Warn(message, IDC_SUB_PASSBOOK);
    }
  }
  if (!m_bPassbook) {
    m_form.dateJoined[0] = m_form.dateLeft[0] = '\0';
    m_strOpened.Empty();
    m_strClosed.Empty();
    SetDlgItemText(IDC_SUB_OPENED, "");
    SetDlgItemText(IDC_SUB_CLOSED, "");
  } else {
    if (!m_opened.Validate("Date Opened")) return 0;
    CWnd* opened = GetDlgItem(IDC_SUB_OPENED);
    if (!ValidateDlgField("Date Opened", m_form.dateJoined, 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                          opened ? opened->GetSafeHwnd() : nullptr, message))
      return Warn(message, 0);
    if (m_form.dateLeft[0]) {
      if (!m_closed.Validate("Date Closed")) return 0;
      CWnd* closed = GetDlgItem(IDC_SUB_CLOSED);
      if (!ValidateDlgField("Date Closed", m_form.dateLeft, 0, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                            closed ? closed->GetSafeHwnd() : nullptr, message))
        return Warn(message, 0);
      message[0] = '\0';
      if (m_form.currentBalance != 0) {
        std::snprintf(message, sizeof message, "Current Balance:  Must be $0.00 before %s may be closed",
                      SubunitWord);
        m_strClosed.Empty();
        SetDlgItemText(IDC_SUB_CLOSED, "");
        m_form.dateLeft[0] = '\0';
      } else if (!m_bNew && m_bReserved) {
        std::snprintf(message, sizeof message, "%s still has reserved funds and may not be closed", SubunitNoun);
      }
      if (!message[0]) {
        if (CompareDates(m_form.dateLeft, TodayDate, DF_YYYYMMDD) > 0)
          std::snprintf(message, sizeof message, "Date Closed:  May not be a future date");
        else if (CompareDates(m_form.dateLeft, m_form.dateJoined, DF_YYYYMMDD) <= 0)
          std::snprintf(message, sizeof message, "Date Closed:  Must be later than Date Opened");
      }
      if (message[0]) return Warn(message, IDC_SUB_CLOSED);
    }
  }
  return XferSubunit(1, m_bNew, m_pCurPos, &m_form, &m_stored);
}
