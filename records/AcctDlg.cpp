#include "records/AcctDlg.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/AcctTypesDlg.h"
#include "records/InitResDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Xfer.h"

namespace {

bool NumberInAnyClass(int number) {
  if (number == kEquipmentAccount || number == kDuesAccount || number == kReserveAllocationAccount) return true;
  for (const AcctClassRow& c : AcctClassTable)
    if (c.low < c.userLimit && number >= c.low && number <= c.userLimit) return true;
  return false;
}

}  // namespace

CAcctDlg::CAcctDlg(CWnd* parent) : CRecordInfoDlg(IDD_ACCTINFO, parent) {}

void CAcctDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ACCT_NUMBER, m_strNumber);
  DDX_Text(pDX, IDC_ACCT_CLASS, m_strClass);
  DDX_Text(pDX, IDC_ACCT_NAME, m_strName);
  DDX_Amount(pDX, m_opening, m_strOpening);
  DDX_Text(pDX, IDC_ACCT_CURRENT, m_strCurrent);
  DDX_Check(pDX, IDC_ACCT_SPLIT_CHECK, m_bSplit);
}

void CAcctDlg::SetupFields() {
  m_opening.SubclassDlgItem(IDC_ACCT_OPENING, this);
  m_opening.SetFormat(CAmountEdit::kDecimals, "-9999.99", "99999.99", 2);
  m_opening.SetChangeFlag(&m_bChanged);
  m_browse.SubclassDlgItem(IDC_ACCT_BROWSE, this);
  m_browse.SetBitmapNames("BROWSEU", "BROWSED", "BROWSEF", "BROWSEX");
  SendDlgItemMessage(IDC_ACCT_NUMBER, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessage(IDC_ACCT_NAME, EM_LIMITTEXT, 25, 0);
  m_opening.SetLimitText(8);
  m_lastNumber = m_strNumber;
}

int CAcctDlg::LoadFields() {
  const int ok = XferAccount(0, m_bNew, m_pCurPos, nullptr, &m_loaded, m_holders, &m_holderCount, m_shares);
  if (!ok) return 0;
  m_edited = m_loaded;
  if (m_loaded.number < 1)
    m_strNumber.Empty();
  else
    m_strNumber.Format("%d", static_cast<int>(m_loaded.number));
  char className[16];
  GetAcctClassName(m_loaded.number, className);
  m_strClass.Format("(%s)", className);
  m_strName = m_loaded.name;
  m_strOpening = FormatCents(m_loaded.openingBalance);
  m_strCurrent = FormatDollars(m_loaded.currentBalance, 0);
  m_bSplit = m_loaded.memberReserves ? 1 : 0;
  m_lastOpening = m_loaded.openingBalance;
  m_lastNumber = m_strNumber;
  return 1;
}

bool CAcctDlg::TableFull() const { return AcctTable.freeCount <= 0; }
int CAcctDlg::LiveCount() const { return AcctTable.liveCount; }
int CAcctDlg::IndexSize() const { return AcctTable.rowCount; }
bool CAcctDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= AcctTable.rowCount || static_cast<size_t>(pos) >= AcctTable.byNumber.size()) return false;
  return AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].status != kStatusDeleted;
}

std::vector<int> CAcctDlg::IdentityControls() const {
  return {IDC_ACCT_NUMBER, IDC_ACCT_NUMBER_LABEL, IDC_ACCT_BROWSE};
}

bool CAcctDlg::IsEditableField(int id) const {
  // The amount edit reports its own changes (typing, the calculator).
  return id == IDC_ACCT_NUMBER || id == IDC_ACCT_NAME;
}

int CAcctDlg::NumberOfText() const {
  CString text;
  if (GetSafeHwnd())
    GetDlgItemText(IDC_ACCT_NUMBER, text);
  else
    text = m_strNumber;
  return std::atoi(text);
}

void CAcctDlg::UpdateEntityControls() {
  const int number = NumberOfText();
  const char letter = GetAcctClass(number);
  const bool split = letter == 'R' && MemberTable.liveCount > 0;
  EnableItem(IDC_ACCT_SPLIT, split);
  EnableItem(IDC_ACCT_SPLIT_CHECK, split);
  const bool opening = !(letter == 'I' || letter == 'E' || number == kEquipmentAccount);
  EnableItem(IDC_ACCT_OPENING, opening);
  EnableItem(IDC_ACCT_OPENING_LABEL, opening);
}

void CAcctDlg::ShowCurrent(long opening) {
  const long current = static_cast<long>(m_loaded.currentBalance) - m_loaded.openingBalance + opening;
  m_strCurrent = FormatDollars(current, 0);
  SetDlgItemText(IDC_ACCT_CURRENT, m_strCurrent);
}

void CAcctDlg::NumberLeft() {
  CString text;
  GetDlgItemText(IDC_ACCT_NUMBER, text);
  const int number = std::atoi(text);
  if (number != 0) {
    char className[16];
    GetAcctClassName(number, className);
    m_strClass.Format("(%s)", className);
    SetDlgItemText(IDC_ACCT_CLASS, m_strClass);
    const char letter = GetAcctClass(number);
    if (letter == 'I' || letter == 'E') {
      m_opening.LoadValue(FormatCents(0));
      ShowCurrent(0);
    }
    if (letter != 'R') CheckDlgButton(IDC_ACCT_SPLIT_CHECK, 0);
  }
  UpdateControls();
  // A new number leads on to the name; leaving an unchanged one does not
  // pull the focus back from where the user went.
  if (number != 0 && text != m_lastNumber) GotoDlgCtrl(GetDlgItem(IDC_ACCT_NAME));
  m_lastNumber = text;
}

void CAcctDlg::OpeningLeft() {
  CString text;
  m_opening.GetText(text);
  const long opening = ParseDollars(text);
  ShowCurrent(opening);
  const long last = m_lastOpening;
  m_lastOpening = static_cast<int>(opening);
  if (opening != last && IsDlgButtonChecked(IDC_ACCT_SPLIT_CHECK)) {
    char message[96];
    std::snprintf(message, sizeof message, "%s's initial share has changed", UnitNoun);
    DispMessage(message, MSG_INFORMATION);
    RunPassbookSplit();
  }
}

void CAcctDlg::Browse() {
  CAcctTypesDlg types;
  types.m_pClassRow = &m_classRow;
  if (types.DoModal() != IDOK) return;
  // OK without a chosen line leaves the number as it is.
  if (m_classRow < 0 || m_classRow >= 9) return;
  const LONG next = AcctClassTable[m_classRow].nextFree;
  if (next <= 0) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(next));
  SetDlgItemText(IDC_ACCT_NUMBER, text);
  m_bChanged = 1;
  NumberLeft();
}

void CAcctDlg::RunPassbookSplit() {
  CString text;
  m_opening.GetText(text);
  m_edited.openingBalance = static_cast<LONG>(ParseDollars(text));
  CInitResDlg split;
  int opening = m_edited.openingBalance;
  split.m_pOpening = &opening;
  split.m_pOwnerChanged = &m_bChanged;
  split.m_pHolderCount = &m_holderCount;
  split.m_pHolders = m_holders;
  split.m_pSharesOut = m_shares;
  std::memcpy(split.m_shares, m_shares, sizeof m_shares);
  split.DoModal();
  m_edited.openingBalance = opening;
  m_opening.LoadValue(FormatCents(m_edited.openingBalance));
  m_lastOpening = m_edited.openingBalance;
  ShowCurrent(m_edited.openingBalance);
  bool any = false;
  for (int i = 0; i < m_holderCount && i < kMemberSlots; ++i) any = any || m_shares[i] != 0;
  CheckDlgButton(IDC_ACCT_SPLIT_CHECK, any ? 1 : 0);
}

BOOL CAcctDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (!Loading()) {
    if (id == IDC_ACCT_NUMBER && code == EN_KILLFOCUS) NumberLeft();
    if (id == IDC_ACCT_OPENING && code == EN_KILLFOCUS) OpeningLeft();
    if (code == BN_CLICKED) {
      switch (id) {
        case IDC_ACCT_BROWSE:
          Browse();
          return TRUE;
        case IDC_ACCT_SPLIT:
          RunPassbookSplit();
          return TRUE;
        case IDC_ACCT_SPLIT_CHECK:
          m_bChanged = 1;
          if (IsDlgButtonChecked(IDC_ACCT_SPLIT_CHECK)) RunPassbookSplit();
          return TRUE;
        default:
          break;
      }
    }
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

void CAcctDlg::Warn(const char* message, int focusId) {
  if (focusId) SetFocusHwnd(::GetDlgItem(GetSafeHwnd(), focusId));
  DispMessage(message, MSG_WARNING);
}

int CAcctDlg::Validate() {
  if (!UpdateData(TRUE)) return 0;
  char message[300];
  char number[16];
  std::snprintf(number, sizeof number, "%s", static_cast<const char*>(m_strNumber));
  HWND numberField = ::GetDlgItem(GetSafeHwnd(), IDC_ACCT_NUMBER);
  if (!ValidateDlgField("Number", number, 1, FIELD_NUMBER, VN_WHOLE, nullptr, nullptr, numberField, message)) {
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  const int n = std::atoi(number);
  if (!NumberInAnyClass(n)) {
    Warn("Number:  Invalid account", IDC_ACCT_NUMBER);
    return 0;
  }
  if (m_bNew && FindAcctIndex(n, nullptr)) {
    Warn("Number:  An account already exists with this number", IDC_ACCT_NUMBER);
    return 0;
  }
  char name[64];
  std::snprintf(name, sizeof name, "%s", static_cast<const char*>(m_strName));
  TrimString(name, 3);
  if (!ValidateDlgField("Name", name, 1, FIELD_TEXT, 0, nullptr, nullptr, ::GetDlgItem(GetSafeHwnd(), IDC_ACCT_NAME),
                        message)) {
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  const long opening = ParseDollars(m_strOpening);
  if (opening > 9999999) {
    Warn("Opening Balance:  Exceeds capacity ($99999.99)", IDC_ACCT_OPENING);
    return 0;
  }
  if (opening < -999999) {
    Warn("Opening Balance:  Exceeds capacity ($-9999.99)", IDC_ACCT_OPENING);
    return 0;
  }
  if (m_loaded.memberReserves && !m_bSplit) {
    switch (AskQuestion("Do you really wish to discard the passbook split", ANSWER_NO, ANSWER_CANCEL)) {
      case ANSWER_YES:
        break;
      case ANSWER_NO:
        m_bSplit = 1;
        CheckDlgButton(IDC_ACCT_SPLIT_CHECK, 1);
        break;
      default:
        m_bSplit = 1;
        CheckDlgButton(IDC_ACCT_SPLIT_CHECK, 1);
        return 0;
    }
  }
  m_edited.number = n;
  std::memset(m_edited.name, 0, sizeof m_edited.name);
  std::memcpy(m_edited.name, name, std::min(std::strlen(name), sizeof m_edited.name - 1));
  m_edited.openingBalance = static_cast<LONG>(opening);
  m_edited.currentBalance = static_cast<LONG>(m_loaded.currentBalance - m_loaded.openingBalance + opening);
  m_edited.memberReserves = m_bSplit ? 1 : 0;
  return XferAccount(1, m_bNew, m_pCurPos, &m_edited, &m_loaded, m_holders, &m_holderCount, m_shares);
}
