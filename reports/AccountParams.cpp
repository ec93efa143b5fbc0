#include "reports/AccountParams.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "reports/RptDates.h"
#include "reports/RptDlg.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "reports/RptPickers.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/KeyTable.h"
#include "store/Queries.h"

namespace {

const char* const kNoAccounts = "Accounts:  No accounts were selected";

void CopyDate(char (&slot)[9], const CString& date) { std::snprintf(slot, sizeof slot, "%.8s", static_cast<const char*>(date)); }

// Room for the first entry of AcctList outside a driver run too.
void PutFirstAccount(int number) {
  if (AcctList.empty()) AcctList.resize(1);
  AcctList[0] = number;
  AcctCount = 1;
}

}  // namespace

class CRpt4 : public CRptDlg {
 public:
  explicit CRpt4(RptContext* c) : CRptDlg(IDD_RPT4, c) {}
  CAcctPicker m_picker;
  CString m_first, m_second;
  bool m_noTrans = true, m_newPage = true;
  char m_splits = 'E', m_location = 'P', m_acctOrder = 'N', m_transOrder = 'C';

 protected:
  BOOL OnInitDialog() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    CRptDlg::OnInitDialog();
    CString caption;
    caption.Format("%s Detail Report", static_cast<const char*>(ProgramVersion.Format(1)));
    SetWindowText(caption);
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_NO_TRANS, m_noTrans);
    SetCheck(IDC_RPT_PAGE, m_newPage);
    const int splits = m_splits == 'E' ? IDC_RPT_SPLITS_NONE : m_splits == 'N' ? IDC_RPT_SPLITS_NONDUES
                       : m_splits == 'A' ? IDC_RPT_SPLITS_ALL : 0;
    if (splits) CheckRadioButton(IDC_RPT_SPLITS_NONE, IDC_RPT_SPLITS_ALL, splits);
    CheckRadioButton(IDC_RPT_LOC_PRIMARY, IDC_RPT_LOC_BOTH,
                     m_location == 'S' ? IDC_RPT_LOC_SUPPORT : m_location == 'B' ? IDC_RPT_LOC_BOTH : IDC_RPT_LOC_PRIMARY);
    if (m_acctOrder == 'A') SetCheck(IDC_RPT_ACCT_BY_NAME, true);
    else if (m_acctOrder == 'N') SetCheck(IDC_RPT_ACCT_BY_NUMBER, true);
    if (m_transOrder == 'C') SetCheck(IDC_RPT_TRANS_BY_DATE, true);
    else if (m_transOrder == 'N') SetCheck(IDC_RPT_TRANS_BY_NUMBER, true);
    m_picker.Attach(GetDlgItem(IDC_RPT_ACCT_LIST), nullptr);
    UpdateLocation();
    CenterWindow();
    return TRUE;
  }
  // Without passbook splits there is no split location to choose.
  void UpdateLocation() {
    const bool on = !Checked(IDC_RPT_SPLITS_NONE);
    for (int id : {IDC_RPT_LOC_PRIMARY, IDC_RPT_LOC_SUPPORT, IDC_RPT_LOC_BOTH}) Enable(id, on);
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id == IDC_RPT_ACCOUNTS) m_picker.Fill();
    else if (id == IDC_RPT_SPLITS_NONE || id == IDC_RPT_SPLITS_NONDUES || id == IDC_RPT_SPLITS_ALL) UpdateLocation();
    else return false;
    return true;
  }
  void OnOK() override {
    if (m_picker.SelectedEntries() == 0) {
      Warn(kNoAccounts);
      return;
    }
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_noTrans = Checked(IDC_RPT_NO_TRANS);
    m_newPage = Checked(IDC_RPT_PAGE);
    m_acctOrder = Checked(IDC_RPT_ACCT_BY_NAME) ? 'A' : 'N';
    m_transOrder = Checked(IDC_RPT_TRANS_BY_DATE) ? 'C' : 'N';
    m_splits = Checked(IDC_RPT_SPLITS_NONE) ? 'E' : Checked(IDC_RPT_SPLITS_NONDUES) ? 'N' : 'A';
    m_location = Checked(IDC_RPT_LOC_PRIMARY) ? 'P' : Checked(IDC_RPT_LOC_SUPPORT) ? 'S' : 'B';
    CopyDate(RptFirstDate, first);
    CopyDate(RptSecondDate, second);
    RptOrder = m_acctOrder;
    RptTransOrder = m_transOrder;
    RptOptionB = m_noTrans;
    RptOptionG = m_newPage;
    RptOptionE = m_splits;
    RptOptionF = m_location;
    if (m_pContext) m_pContext->lineWidth = kRptLandscapeWidth;
    m_picker.ReadSelection();
    AcctCount = m_picker.GetSelectedIds(AcctList);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
};

int GetRpt4Params(RptContext* c) {
  CRpt4 dlg(c);
  RptLaunch launch(4);
  if (!AnyLiveTransaction()) return launch.Missing("transaction");
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_noTrans = RptFlag('D', true);
  dlg.m_splits = RptText('E', "E")[0];
  // Each passbook-splits choice remembers its own split location.
  const char splits[2] = {dlg.m_splits, 0};
  dlg.m_location = RptText('J', "P", splits)[0];
  dlg.m_acctOrder = RptText('F', "N")[0];
  dlg.m_transOrder = RptText('G', "C")[0];
  dlg.m_newPage = RptFlag('H', true);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_picker.SaveSelection();
  WarnPickerFailure(&dlg.m_picker, nullptr);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('D', dlg.m_noTrans);
  const char chosen[2] = {dlg.m_splits, 0};
  PutRptText('E', chosen);
  PutRptText('J', std::string(1, dlg.m_location), chosen);
  PutRptText('F', std::string(1, dlg.m_acctOrder));
  PutRptText('G', std::string(1, dlg.m_transOrder));
  PutRptFlag('H', dlg.m_newPage);
  return launch.Done(true);
}

class CRpt31 : public CRptDlg {
 public:
  explicit CRpt31(RptContext* c) : CRptDlg(IDD_RPT31, c) {}
  CAcctPicker m_picker;
  CString m_first, m_second;
  bool m_noTrans = false, m_twoLine = false, m_perPage = false;
  char m_acctOrder = 'N', m_transOrder = 'D';

 protected:
  BOOL OnInitDialog() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    CRptDlg::OnInitDialog();
    // A register screen tells how it displays its account.
    if (RptOrder == '1') m_twoLine = false;
    else if (RptOrder == '2') m_twoLine = true;
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_NO_TRANS, m_noTrans);
    SetCheck(IDC_RPT_TWO_LINE, m_twoLine);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    if (m_acctOrder == 'A') SetCheck(IDC_RPT_BY_NAME, true);
    else if (m_acctOrder == 'N') SetCheck(IDC_RPT_BY_NUMBER, true);
    const int trans = m_transOrder == 'T' ? IDC_RPT_TRANS_BY_NUMBER : m_transOrder == 'D' ? IDC_RPT_TRANS_BY_DATE
                      : m_transOrder == 'P' ? IDC_RPT_TRANS_BY_DESC : 0;
    if (trans) SetCheck(trans, true);
    m_picker.Attach(GetDlgItem(IDC_RPT_ACCT_LIST), "AL");
    if (RptOptionB != 0) {
      // Opened from a register: only that account.
      SendDlgItemMessage(IDC_RPT_ACCT_LIST, LB_SETSEL, FALSE, -1);
      char prefix[16];
      std::snprintf(prefix, sizeof prefix, "%d/", RptOptionB);
      const LRESULT at = SendDlgItemMessage(IDC_RPT_ACCT_LIST, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(prefix));
      if (at >= 0) SendDlgItemMessage(IDC_RPT_ACCT_LIST, LB_SETSEL, TRUE, at);
    }
    SetupSizing({IDC_RPT_ACCT_LIST}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (id != IDC_RPT_ACCOUNTS || code != BN_CLICKED) return false;
    m_picker.Fill();
    return true;
  }
  void OnOK() override {
    if (m_picker.SelectedEntries() == 0) {
      Warn(kNoAccounts);
      return;
    }
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_acctOrder = Checked(IDC_RPT_BY_NAME) ? 'A' : 'N';
    m_transOrder = Checked(IDC_RPT_TRANS_BY_NUMBER) ? 'T' : Checked(IDC_RPT_TRANS_BY_DATE) ? 'D' : 'P';
    m_noTrans = Checked(IDC_RPT_NO_TRANS);
    m_twoLine = Checked(IDC_RPT_TWO_LINE);
    m_perPage = Checked(IDC_RPT_PAGE);
    RptOrder = m_acctOrder;
    RptTransOrder = m_transOrder;
    RptOptionB = m_noTrans;
    RptOptionH = m_twoLine;
    RptOptionG = m_perPage;
    CopyDate(RptFirstDate, first);
    CopyDate(RptSecondDate, second);
    m_picker.ReadSelection();
    // Every flagged account in row order.
    AcctCount = 0;
    for (int r = 0; r < AcctTable.rowCount; ++r)
      if (AcctTable.keys[static_cast<size_t>(r)].selected) {
        if (AcctCount >= static_cast<int>(AcctList.size())) AcctList.resize(static_cast<size_t>(AcctCount) + 1);
        AcctList[static_cast<size_t>(AcctCount++)] = AcctTable.keys[static_cast<size_t>(r)].number;
      }
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
};

int GetRpt31Params(RptContext* c) {
  CRpt31 dlg(c);
  RptLaunch launch(31);
  if (!AnyLiveAccount()) return launch.Missing("account");
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_noTrans = RptFlag('A', false);
  dlg.m_acctOrder = RptText('B', "N")[0];
  dlg.m_transOrder = RptText('E', "D")[0];
  dlg.m_twoLine = RptFlag('C', false);
  dlg.m_perPage = RptFlag('D', false);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_picker.SaveSelection();
  WarnPickerFailure(&dlg.m_picker, nullptr);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('A', dlg.m_noTrans);
  PutRptText('B', std::string(1, dlg.m_acctOrder));
  PutRptText('E', std::string(1, dlg.m_transOrder));
  PutRptFlag('C', dlg.m_twoLine);
  PutRptFlag('D', dlg.m_perPage);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt23 : public CRptDlg {
 public:
  CRpt23(RptContext* c, const ListOfValues& accounts) : CRptDlg(IDD_RPT23, c), m_accounts(accounts) {}
  CString m_title;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    SendDlgItemMessage(IDC_RPT_TITLE, EM_LIMITTEXT, 30, 0);
    SetDlgItemText(IDC_RPT_TITLE, m_title);
    for (int i = 0; i < m_accounts.Count(); ++i)
      SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(m_accounts.texts[static_cast<size_t>(i)].data()));
    // The form comes back after its preview: the account chosen for it is
    // still the run's first account (a new run starts with none).
    const int chosen = AcctCount > 0 && !AcctList.empty() ? AcctList[0] : 0;
    for (int i = 0; chosen != 0 && i < m_accounts.Count(); ++i) {
      // The number is read from the entry as OK reads it.
      char number[4] = "";
      std::snprintf(number, sizeof number, "%.3s", m_accounts.texts[static_cast<size_t>(i)].data());
      if (std::atoi(number) != chosen) continue;
      const LRESULT at = SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(m_accounts.texts[static_cast<size_t>(i)].data()));
      if (at >= 0) SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
      break;
    }
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    char title[64];
    std::snprintf(title, sizeof title, "%s", static_cast<const char*>(Text(IDC_RPT_TITLE)));
    char message[300] = "";
    if (!ValidateDlgField("Register Title", title, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_RPT_TITLE),
                          message)) {
      Warn(message);
      return;
    }
    m_title = title;
    std::snprintf(RptUserTitle, sizeof RptUserTitle, "%.31s", title);
    char entry[64] = "";
    const LRESULT at = SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_GETCURSEL, 0, 0);
    if (at >= 0) SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(entry));
    entry[3] = '\0';
    PutFirstAccount(std::atoi(entry));
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  const ListOfValues& m_accounts;
};

int GetRpt23Params(RptContext* c) {
  ListOfValues accounts;
  RptLaunch launch(23);
  if (!GetListOfValues("ALS-ACCT", 1, &accounts)) return launch.Done(false);
  CRpt23 dlg(c, accounts);
  dlg.m_title = RptText('A', "Transaction Register").c_str();
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptText('A', static_cast<const char*>(dlg.m_title));
  return launch.Done(true);
}

class CRpt34 : public CRptDlg {
 public:
  explicit CRpt34(RptContext* c) : CRptDlg(IDD_RPT34, c) {
    // The size is remembered whether the dialog ends with OK or not.
    m_section = OpenSettingsSection(SettingsFileName, "RPT34");
    m_nWidth = GetSettingInt(m_section, 'X', 0);
    m_nHeight = GetSettingInt(m_section, 'Y', 0);
  }
  ~CRpt34() override {
    PutSettingInt(m_section, 'X', m_nWidth);
    PutSettingInt(m_section, 'Y', m_nHeight);
    CloseSettingsSection(m_section);
  }
  GroupNameList m_names, m_selected;
  CString m_first, m_second;
  bool m_acctDetails = false, m_pbDetails = false, m_perPage = false;
  bool m_zeroCenters = true, m_zeroAccts = true, m_zeroPassbooks = true;

 protected:
  BOOL OnInitDialog() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    CRptDlg::OnInitDialog();
    for (const CString& name : m_names)
      SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(name)));
    for (const CString& name : m_selected) {
      const LRESULT at = SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(static_cast<const char*>(name)));
      if (at >= 0) SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_SETSEL, TRUE, at);
    }
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_ACCT_DETAIL, m_acctDetails);
    SetCheck(IDC_RPT_PB_DETAIL, m_pbDetails);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    SetCheck(IDC_RPT_ZERO_CENTERS, m_zeroCenters);
    SetCheck(IDC_RPT_ZERO_ACCTS, m_zeroAccts);
    SetCheck(IDC_RPT_ZERO_PASSBOOKS, m_zeroPassbooks);
    m_toggle = 0;
    SetupSizing({IDC_RPT_CENTER_LIST}, true, m_nWidth, m_nHeight);
    UpdateEnabling();
    CenterWindow();
    return TRUE;
  }
  void UpdateEnabling() {
    const bool accounts = Checked(IDC_RPT_ACCT_DETAIL), passbooks = Checked(IDC_RPT_PB_DETAIL);
    Enable(IDC_RPT_PAGE, accounts || passbooks);
    Enable(IDC_RPT_ZERO_ACCTS, accounts);
    Enable(IDC_RPT_ZERO_PASSBOOKS, passbooks);
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id == IDC_RPT_CENTERS) {
      m_toggle = !m_toggle;
      SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_SETSEL, m_toggle ? TRUE : FALSE, -1);
    } else if (id == IDC_RPT_ACCT_DETAIL || id == IDC_RPT_PB_DETAIL) {
      UpdateEnabling();
    } else {
      return false;
    }
    return true;
  }
  void OnOK() override {
    if (SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_GETSELCOUNT, 0, 0) <= 0) {
      Warn("Profit Centers:  No centers were selected");
      return;
    }
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_selected.clear();
    const int count = static_cast<int>(SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      if (SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
        char name[64] = "";
        SendDlgItemMessage(IDC_RPT_CENTER_LIST, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        m_selected.emplace_back(name);
      }
    m_acctDetails = Checked(IDC_RPT_ACCT_DETAIL);
    m_pbDetails = Checked(IDC_RPT_PB_DETAIL);
    m_perPage = Checked(IDC_RPT_PAGE);
    m_zeroCenters = Checked(IDC_RPT_ZERO_CENTERS);
    m_zeroAccts = Checked(IDC_RPT_ZERO_ACCTS);
    m_zeroPassbooks = Checked(IDC_RPT_ZERO_PASSBOOKS);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
  SettingsSection* m_section = nullptr;
  int m_toggle = 0;
};

int GetRpt34Params(RptContext* c) {
  CRpt34 dlg(c);
  RptLaunch launch(34);
  CAcctGroupDBase& groups = TheAcctGroupDBase();
  if (groups.CountNames() <= 0) return launch.Missing("profit center");
  groups.GetNames(&dlg.m_names);
  groups.GetSelectedNames(&dlg.m_selected);
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_acctDetails = GetSettingFlag(RptParamSection, 'A', 0);
  dlg.m_pbDetails = GetSettingFlag(RptParamSection, 'B', 0);
  dlg.m_perPage = GetSettingFlag(RptParamSection, 'C', 0);
  dlg.m_zeroCenters = GetSettingFlag(RptParamSection, 'D', 1);
  dlg.m_zeroAccts = GetSettingFlag(RptParamSection, 'E', 1);
  dlg.m_zeroPassbooks = GetSettingFlag(RptParamSection, 'F', 1);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutSettingFlag(RptParamSection, 'A', dlg.m_acctDetails);
  PutSettingFlag(RptParamSection, 'B', dlg.m_pbDetails);
  PutSettingFlag(RptParamSection, 'C', dlg.m_perPage);
  PutSettingFlag(RptParamSection, 'D', dlg.m_zeroCenters);
  PutSettingFlag(RptParamSection, 'E', dlg.m_zeroAccts);
  PutSettingFlag(RptParamSection, 'F', dlg.m_zeroPassbooks);
  RptCategory1List.clear();
  for (const CString& name : dlg.m_selected) RptCategory1List.emplace_back(static_cast<const char*>(name));
  // The report is built from the names in memory even when the group file
  // keeps the old selection.
  if (!groups.SelectGroups(dlg.m_selected)) {
    RptParamError = groups.GetErrorText();
    DispMessage(RptParamError, MSG_WARNING);
  }
  CopyDate(RptFirstDate, dlg.m_first);
  CopyDate(RptSecondDate, dlg.m_second);
  RptOptionH = (dlg.m_zeroCenters ? 1 : 0) + (dlg.m_zeroAccts ? 2 : 0) + (dlg.m_zeroPassbooks ? 4 : 0);
  RptOptionC = (dlg.m_acctDetails ? 2 : 0) + (dlg.m_pbDetails ? 4 : 0);
  RptOptionG = RptOptionC != 0 && dlg.m_perPage ? 1 : 0;
  if (c) c->lineWidth = kRptLandscapeWidth;
  return launch.Done(true);
}

class CRpt21 : public CRptDlg {
 public:
  CRpt21(RptContext* c, const ListOfValues& accounts, int fixed)
      : CRptDlg(IDD_RPT21, c), m_accounts(accounts), m_fixed(fixed) {
    const int report = c ? c->reportId : 21;
    m_helpContext = report == 14 ? 0x60065 : report == 32 ? 0x60066 : 0x60067;
  }
  CAcctPicker m_picker;
  CString m_date;
  bool m_scouts = true, m_adults = false, m_subunits = false, m_group = false, m_perPage = false;

 protected:
  BOOL OnInitDialog() override {
    m_dateEdit.SubclassEdit(IDC_RPT_ASOF, this, CString(), 0);
    CRptDlg::OnInitDialog();
    const int report = m_pContext ? m_pContext->reportId : 21;
    SetWindowText(report == 14 ? "Dues Status Report"
                  : report == 32 ? "Schedule Tracker Report" : "Scheduled Payment Status Report");
    SetItemFormat(IDC_RPT_SUBUNITS, "%ss", SubunitMenuWord);
    SetItemFormat(IDC_RPT_GROUP_BY, "&Group Members by %s", SubunitNoun);
    SetItemFormat(IDC_RPT_PAGE, "Display one %s per Page", SubunitMenuWord);
    m_picker.Attach(GetDlgItem(IDC_RPT_ACCT_COMBO), "XXX");
    SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_accounts.Count(); ++i)
      SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(m_accounts.texts[static_cast<size_t>(i)].data()));
    m_picker.Fill();
    if (m_fixed) {
      char prefix[16];
      std::snprintf(prefix, sizeof prefix, "%d/", m_fixed);
      LRESULT at = SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(prefix));
      if (at < 0) {
        // The fixed account has no schedule: still the report's account.
        int pos = -1;
        char entry[48];
        FindAcctIndex(m_fixed, &pos);
        std::snprintf(entry, sizeof entry, "%d/%s", m_fixed,
                      pos >= 0 ? AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].name
                               : "Unknown");
        at = SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
      }
      SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
      Enable(IDC_RPT_ACCT_COMBO, false);
      Enable(IDC_RPT_ACCT_LABEL, false);
    }
    m_dateEdit.LoadValue(m_date);
    SetCheck(IDC_RPT_SCOUTS, m_scouts);
    SetCheck(IDC_RPT_ADULTS, m_adults);
    SetCheck(IDC_RPT_SUBUNITS, m_subunits);
    SetCheck(IDC_RPT_GROUP_BY, m_group);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    CenterWindow();
    UpdateEnabling();
    return TRUE;
  }
  void UpdateEnabling() {
    const bool scouts = Checked(IDC_RPT_SCOUTS);
    Enable(IDC_RPT_GROUP_BY, scouts);
    Enable(IDC_RPT_PAGE, scouts && Checked(IDC_RPT_GROUP_BY));
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED || (id != IDC_RPT_SCOUTS && id != IDC_RPT_ADULTS && id != IDC_RPT_GROUP_BY)) return false;
    UpdateEnabling();
    return true;
  }
  bool SaveChanges() {
    CTraceLog trace("CRpt21::SaveChanges");
    char entry[64] = "";
    const LRESULT at = SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_GETCURSEL, 0, 0);
    if (at >= 0) SendDlgItemMessage(IDC_RPT_ACCT_COMBO, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(entry));
    // The number before the "/": accounts below 100 have fewer digits.
    entry[std::strcspn(entry, "/")] = '\0';
    entry[3] = '\0';
    char message[300] = "";
    if (!ValidateDlgField("Account", entry, 1, FIELD_NUMBER, VN_WHOLE, nullptr, nullptr, Item(IDC_RPT_ACCT_COMBO),
                          message)) {
      Warn(message);
      return false;
    }
    m_account = std::atoi(entry);
    CString date;
    m_dateEdit.SaveValue(date);
    if (!m_dateEdit.Validate("As of Date")) return false;
    char text[16];
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date));
    if (!ValidateDlgField("As of Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate,
                          Item(IDC_RPT_ASOF), message)) {
      Warn(message);
      return false;
    }
    m_date = text;
    m_scouts = Checked(IDC_RPT_SCOUTS);
    m_adults = Checked(IDC_RPT_ADULTS);
    m_subunits = Checked(IDC_RPT_SUBUNITS);
    if (!m_scouts && !m_adults && !m_subunits) {
      Warn("At least one type of Participants must be included");
      return false;
    }
    return true;
  }
  void OnOK() override {
    if (!SaveChanges()) return;
    m_group = Checked(IDC_RPT_GROUP_BY);
    m_perPage = Checked(IDC_RPT_PAGE);
    m_picker.ReadSelection();
    PutFirstAccount(m_account);
    CopyDate(RptSecondDate, m_date);
    RptOptionD = (m_scouts ? 1 : 0) + (m_adults ? 2 : 0) + (m_subunits ? 4 : 0);
    RptOrder = IsEnabled(IDC_RPT_GROUP_BY) && m_group ? 'Y' : 'N';
    RptOptionG = m_group && m_perPage ? 1 : 0;
    if (m_pContext && m_pContext->reportId == 32) m_pContext->lineWidth = kRptLandscapeWidth;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_dateEdit;
  const ListOfValues& m_accounts;
  int m_fixed = 0;
  int m_account = 0;
};

int GetRpt21Params(RptContext* c, int account) {
  ListOfValues accounts;
  RptLaunch launch(21);
  if (!AnyMember()) return launch.Missing("member");
  if (!AnySchedule()) return launch.Missing("schedule");
  if (!GetListOfValues("SCH-ACCT", 1, &accounts)) return launch.Done(false);
  int pos = -1;
  const int fixed = account != 0 && FindAcctIndex(account, &pos) == 1 ? account : 0;
  std::unique_ptr<CRpt21> dlg(new (std::nothrow) CRpt21(c, accounts, fixed));
  if (!dlg) {
    char text[160];
    FormatErrorText(text, sizeof text, ERR_ALLOC, "Report 21 Parameter Dialog");
    DispMessage(text, MSG_FATAL);
    return launch.Done(false);
  }
  dlg->m_date = RptDates.GetSecondDate(DF_YYYYMMDD);
  dlg->m_scouts = GetSettingFlag(RptParamSection, 'B', 1);
  dlg->m_adults = GetSettingFlag(RptParamSection, 'C', 0);
  dlg->m_subunits = GetSettingFlag(RptParamSection, 'D', 0);
  dlg->m_group = GetSettingFlag(RptParamSection, 'E', 0);
  dlg->m_perPage = GetSettingFlag(RptParamSection, 'F', 0);
  if (dlg->DoModal() != IDOK || !dlg->m_bAccepted) return launch.Done(false);
  dlg->m_picker.SaveSelection();
  WarnPickerFailure(&dlg->m_picker, nullptr);
  RptDates.SetSecondDate(dlg->m_date, DF_YYYYMMDD);
  PutSettingFlag(RptParamSection, 'B', dlg->m_scouts);
  PutSettingFlag(RptParamSection, 'C', dlg->m_adults);
  PutSettingFlag(RptParamSection, 'D', dlg->m_subunits);
  PutSettingFlag(RptParamSection, 'E', dlg->m_group);
  PutSettingFlag(RptParamSection, 'F', dlg->m_perPage);
  return launch.Done(true);
}

class CRpt28 : public CRptDlg {
 public:
  explicit CRpt28(RptContext* c) : CRptDlg(IDD_RPT28, c) {}
  char m_order = 'A';
  bool m_participants = false, m_perPage = false;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    if (m_order == 'A') SetCheck(IDC_RPT_BY_NAME, true);
    else if (m_order == 'N') SetCheck(IDC_RPT_BY_NUMBER, true);
    SetCheck(IDC_RPT_PARTICIPANTS, m_participants);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    m_order = Checked(IDC_RPT_BY_NAME) ? 'A' : 'N';
    m_participants = Checked(IDC_RPT_PARTICIPANTS);
    m_perPage = Checked(IDC_RPT_PAGE);
    RptOrder = m_order;
    RptOptionE = m_participants ? 'Y' : 'N';
    RptOptionG = m_perPage;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt28Params(RptContext* c) {
  CRpt28 dlg(c);
  RptLaunch launch(28);
  if (!AnySchedule()) return launch.Missing("schedule");
  dlg.m_order = RptText('A', "A")[0];
  dlg.m_participants = RptFlag('B', false);
  dlg.m_perPage = RptFlag('C', false);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptText('A', std::string(1, dlg.m_order));
  PutRptFlag('B', dlg.m_participants);
  PutRptFlag('C', dlg.m_perPage);
  return launch.Done(true);
}

namespace {

int GetRpt14Params(RptContext* c) { return GetRpt21Params(c, kDuesAccount); }
int GetRpt21Or32Params(RptContext* c) { return GetRpt21Params(c, 0); }

}  // namespace

void InstallAccountLaunchers() {
  RegisterRptLauncher(4, GetRpt4Params);
  RegisterRptLauncher(14, GetRpt14Params);
  RegisterRptLauncher(21, GetRpt21Or32Params);
  RegisterRptLauncher(32, GetRpt21Or32Params);
  RegisterRptLauncher(23, GetRpt23Params);
  RegisterRptLauncher(28, GetRpt28Params);
  RegisterRptLauncher(31, GetRpt31Params);
  RegisterRptLauncher(34, GetRpt34Params);
}
