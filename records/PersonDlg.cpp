#include "records/PersonDlg.h"

#include <cstdio>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/StrUtil.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/FieldChange.h"
#include "records/MemberReserves.h"
#include "res/resource.h"
#include "store/KeyTable.h"

CPersonDlg::CPersonDlg(UINT templateId, CWnd* parent) : CRecordInfoDlg(templateId, parent) {}

void CPersonDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_MEM_LAST, m_strLast);
  DDX_Text(pDX, IDC_MEM_FIRST, m_strFirst);
  DDX_Text(pDX, IDC_MEM_ADDRESS1, m_strAddress1);
  DDX_Text(pDX, IDC_MEM_ADDRESS2, m_strAddress2);
  DDX_Text(pDX, IDC_MEM_CITY, m_strCity);
  DDX_Text(pDX, IDC_MEM_STATE, m_strState);
  DDX_Text(pDX, IDC_MEM_ZIP, m_strZip);
  DDX_Text(pDX, IDC_MEM_HOMEPHONE, m_strHomePhone);
  DDX_Text(pDX, IDC_MEM_CELL, m_strCellPhone);
  DDX_Text(pDX, IDC_MEM_EMAIL, m_strEmail);
  DDX_Text(pDX, IDC_MEM_REMARKS, m_strRemarks);
  DDX_Date(pDX, m_joined, m_strJoined);
  DDX_Date(pDX, m_left, m_strLeft);
  DDX_Amount(pDX, m_opening, m_strOpening);
  DDX_Text(pDX, IDC_MEM_CURRENT, m_strCurrent);
}

void CPersonDlg::SetupFields() {
  m_joined.SubclassEdit(IDC_MEM_JOINED, this, CString(), 0);
  m_left.SubclassEdit(IDC_MEM_LEFT, this, CString(), 0);
  m_opening.SubclassDlgItem(IDC_MEM_OBAL, this);
  m_opening.SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
  m_opening.SetChangeFlag(&m_bChanged);
  LimitEdits({{IDC_MEM_LAST, 15},
              {IDC_MEM_FIRST, 11},
              {IDC_MEM_ADDRESS1, 26},
              {IDC_MEM_ADDRESS2, 26},
              {IDC_MEM_CITY, 17},
              {IDC_MEM_STATE, 2},
              {IDC_MEM_ZIP, 10},
              {IDC_MEM_HOMEPHONE, 13},
              {IDC_MEM_CELL, 13},
              {IDC_MEM_EMAIL, 37},
              {IDC_MEM_REMARKS, 40},
              {IDC_MEM_OBAL, 7}});
}

bool CPersonDlg::TableFull() const { return MemberTable.freeCount <= 0; }
int CPersonDlg::IndexSize() const { return MemberTable.rowCount; }

bool CPersonDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= MemberTable.rowCount) return false;
  const MemberKey& k = MemberTable.keys[static_cast<size_t>(MemberTable.byTypeName[static_cast<size_t>(pos)])];
  return k.status != kStatusDeleted && k.type == MemberType();
}

void CPersonDlg::TextsFromStored() {
  m_form = m_stored;
  m_strLast = m_stored.lastName;
  m_strFirst = m_stored.firstName;
  m_strAddress1 = m_stored.address1;
  m_strAddress2 = m_stored.address2;
  m_strCity = m_stored.city;
  m_strState = m_stored.state;
  m_strZip = m_stored.zip;
  m_strHomePhone = m_stored.homePhone;
  m_strCellPhone = m_stored.cellPhone;
  m_strEmail = m_stored.email;
  m_strRemarks = m_stored.remarks;
  m_strJoined = m_shownJoined = m_stored.dateJoined;
  m_strLeft = m_shownLeft = m_stored.dateLeft;
  m_strOpening = FormatCents(m_stored.openingBalance);
  m_strCurrent = FormatDollars(m_stored.currentBalance, 1);
  GiveOwnFields();
}

void CPersonDlg::OpeningChanged() {
  CString opening;
  m_opening.GetText(opening);
  const long now = ParseDollars(opening) + (m_stored.currentBalance - m_stored.openingBalance);
  m_strCurrent = FormatDollars(now, 1);
  SetDlgItemText(IDC_MEM_CURRENT, m_strCurrent);
}

bool CPersonDlg::IsEditableField(int id) const {
  if (id == IDC_MEM_OBAL || id == IDC_MEM_JOINED || id == IDC_MEM_LEFT) return false;
  return CRecordInfoDlg::IsEditableField(id);
}

BOOL CPersonDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_MEM_OBAL && code == EN_KILLFOCUS && !Loading()) OpeningChanged();
  if (code == EN_CHANGE && !Loading() && GetSafeHwnd()) {
    if ((id == IDC_MEM_JOINED && DateFieldDiffers(m_joined, m_shownJoined)) ||
        (id == IDC_MEM_LEFT && DateFieldDiffers(m_left, m_shownLeft)))
      m_bChanged = 1;
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

bool CPersonDlg::Warn(const char* text, int focusId) {
  if (focusId)
    if (CWnd* item = GetDlgItem(focusId)) SetFocusHwnd(item->GetSafeHwnd());
  DispMessage(text, MSG_WARNING);
  return false;
}

int CPersonDlg::Validate() {
  if (!UpdateData(TRUE)) return 0;
  Trimmed(m_form.lastName, m_strLast);
  Trimmed(m_form.firstName, m_strFirst);
  Trimmed(m_form.address1, m_strAddress1);
  Trimmed(m_form.address2, m_strAddress2);
  Trimmed(m_form.city, m_strCity);
  Trimmed(m_form.state, m_strState);
  Trimmed(m_form.zip, m_strZip);
  Trimmed(m_form.homePhone, m_strHomePhone);
  Trimmed(m_form.cellPhone, m_strCellPhone);
  Trimmed(m_form.email, m_strEmail);
  Trimmed(m_form.remarks, m_strRemarks);
  TakeOwnFields();
  std::snprintf(m_form.dateJoined, sizeof m_form.dateJoined, "%s", static_cast<const char*>(m_strJoined));
  std::snprintf(m_form.dateLeft, sizeof m_form.dateLeft, "%s", static_cast<const char*>(m_strLeft));
  m_form.openingBalance = ParseDollars(m_strOpening);
  m_form.currentBalance = ParseDollars(m_strCurrent);

  char message[512] = "";
  auto focus = [this](int id) { return GetDlgItem(id) ? GetDlgItem(id)->GetSafeHwnd() : nullptr; };
  if (!ValidateDlgField("Name (Last)", m_form.lastName, 1, FIELD_TEXT, 0, nullptr, nullptr, focus(IDC_MEM_LAST),
                        message) ||
      !ValidateDlgField("Name (First)", m_form.firstName, 1, FIELD_TEXT, 0, nullptr, nullptr,
                        focus(IDC_MEM_FIRST), message))
    return Warn(message, 0);
  const bool renamed = CompareNoCase(m_form.lastName, m_stored.lastName) != 0 ||
                       CompareNoCase(m_form.firstName, m_stored.firstName) != 0;
  int found = -1;
  if (renamed && FindMember(0, 1 << MemberType(), m_form.lastName, m_form.firstName, &found))
    return Warn(DuplicateText(), IDC_MEM_LAST);

  // The date edits check their own text first and show their own message.
  if (!m_joined.Validate("Date Joined")) return 0;
  if (!ValidateDlgField("Date Joined", m_form.dateJoined, 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                        focus(IDC_MEM_JOINED), message))
    return Warn(message, 0);
  if (m_form.dateLeft[0]) {
    if (!m_left.Validate("Date Quit")) return 0;
    if (!ValidateDlgField("Date Quit", m_form.dateLeft, 0, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                          focus(IDC_MEM_LEFT), message))
      return Warn(message, 0);
    const char* problem = nullptr;
    if (m_form.currentBalance != 0) {
      problem = "Current Balance:  Must be $0.00 before entering a 'Date Left'";
      m_strLeft.Empty();
      SetDlgItemText(IDC_MEM_LEFT, "");
      m_form.dateLeft[0] = '\0';
    } else if (ChecksReserves() && m_pCurPos && *m_pCurPos >= 0 && *m_pCurPos < MemberTable.rowCount) {
      bool reserved = false;
      const int row = MemberTable.byTypeName[static_cast<size_t>(*m_pCurPos)];
      if (MemberHasReserves(row, &reserved) && reserved) problem = ReservedText();
    }
    if (!problem) {
      if (CompareDates(m_form.dateLeft, TodayDate, DF_YYYYMMDD) > 0)
        problem = "Date Left:  May not be a future date";
      else if (CompareDates(m_form.dateLeft, m_form.dateJoined, DF_YYYYMMDD) <= 0)
        problem = "Date Left:  Must be later than Date Joined";
    }
    if (problem) return Warn(problem, IDC_MEM_LEFT);
  }
  return Save() ? 1 : 0;
}
