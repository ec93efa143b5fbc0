#include "reports/MemberParams.h"

#include <cstdio>

#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "reports/RptAddress.h"
#include "reports/RptDates.h"
#include "reports/RptDlg.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "reports/RptPickers.h"
#include "reports/RptSelection.h"
#include "store/Queries.h"

namespace {

void CopyDate(char (&slot)[9], const CString& date) { std::snprintf(slot, sizeof slot, "%.8s", static_cast<const char*>(date)); }

}  // namespace

class CRpt8 : public CRptDlg {
 public:
  explicit CRpt8(RptContext* c) : CRptDlg(IDD_RPT8, c) {
    m_helpContext = Report() == 10 ? 0x600CA : 0x600C9;
  }
  CString m_first, m_second;
  bool m_scouts = true, m_adults = false, m_subunits = false, m_group = false, m_perPage = false, m_extended = false;

  int Report() const { return m_pContext ? m_pContext->reportId : 8; }

 protected:
  BOOL OnInitDialog() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    CRptDlg::OnInitDialog();
    if (Report() == 10) {
      SetWindowText("Passbook Balances Report");
    } else {
      CString caption;
      caption.Format("%s Roster", UnitNoun);
      SetWindowText(caption);
    }
    SetItemFormat(IDC_RPT_SUBUNITS, "%ss", SubunitMenuWord);
    SetItemFormat(IDC_RPT_GROUP_BY, "&Group Members by %s", SubunitNoun);
    SetItemFormat(IDC_RPT_PAGE, "Display one %s per &Page", SubunitNoun);
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_SCOUTS, m_scouts);
    SetCheck(IDC_RPT_ADULTS, m_adults);
    // The roster lists people only.
    SetCheck(IDC_RPT_SUBUNITS, Report() == 10 && m_subunits);
    SetCheck(IDC_RPT_GROUP_BY, m_group);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    SetCheck(IDC_RPT_EXTENDED, m_extended);
    UpdateEnabling();
    CenterWindow();
    return TRUE;
  }
  void UpdateEnabling() {
    const bool scouts = Checked(IDC_RPT_SCOUTS), balances = Report() == 10;
    Enable(IDC_RPT_GROUP_BY, scouts);
    Enable(IDC_RPT_PAGE, scouts && Checked(IDC_RPT_GROUP_BY));
    Enable(IDC_RPT_SUBUNITS, balances);
    Enable(IDC_RPT_FROM, balances);
    Enable(IDC_RPT_TO, balances);
    Enable(IDC_RPT_EXTENDED, !balances);
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED || (id != IDC_RPT_SCOUTS && id != IDC_RPT_ADULTS && id != IDC_RPT_GROUP_BY)) return false;
    UpdateEnabling();
    return true;
  }
  void OnOK() override {
    const bool scouts = Checked(IDC_RPT_SCOUTS), adults = Checked(IDC_RPT_ADULTS), subunits = Checked(IDC_RPT_SUBUNITS);
    if (!scouts && !adults && !subunits) {
      Warn("At least one Group must be included");
      return;
    }
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_scouts = scouts;
    m_adults = adults;
    m_subunits = subunits;
    m_group = Checked(IDC_RPT_GROUP_BY);
    m_perPage = Checked(IDC_RPT_PAGE);
    m_extended = Checked(IDC_RPT_EXTENDED);
    CopyDate(RptFirstDate, first);
    CopyDate(RptSecondDate, second);
    RptOptionD = (scouts ? 1 : 0) + (adults ? 2 : 0) + (subunits ? 4 : 0);
    RptOrder = IsEnabled(IDC_RPT_GROUP_BY) && m_group ? 'Y' : 'N';
    RptOptionG = m_group && m_perPage ? 1 : 0;
    RptOptionH = m_extended;
    if (m_pContext) m_pContext->lineWidth = Report() == 8 && m_extended ? kRptLandscapeWidth : kRptPortraitWidth;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
};

int GetRpt8Params(RptContext* c) {
  CRpt8 dlg(c);
  RptLaunch launch(8);
  if (!AnyMember()) return launch.Missing("member");
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_scouts = RptFlag('A', true);
  dlg.m_adults = RptFlag('B', false);
  dlg.m_subunits = RptFlag('C', false);
  dlg.m_group = RptFlag('D', false);
  // The page choice is remembered once with grouping and once without.
  dlg.m_perPage = RptFlag('E', false, dlg.m_group ? "Y" : "N");
  dlg.m_extended = RptFlag('F', false);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('A', dlg.m_scouts);
  PutRptFlag('B', dlg.m_adults);
  PutRptFlag('C', dlg.m_subunits);
  PutRptFlag('D', dlg.m_group);
  PutRptFlag('F', dlg.m_extended);
  PutRptFlag('E', dlg.m_perPage, dlg.m_group ? "Y" : "N");
  return launch.Done(true);
}

// The four statement dialogs: a passbook list, an account list (all but
// the reserve totals), the window-envelope format with its addresses, and
// lists that grow with the window's height.
class CRptStatementDlg : public CRptDlg {
 public:
  CRptStatementDlg(UINT id, RptContext* c, bool accounts) : CRptDlg(id, c), m_hasAccounts(accounts) {}
  CAcctPicker m_accounts;
  CPassbookList m_members;
  const ListOfValues* m_scheduleAccounts = nullptr;  // report 20's account entries
  bool m_envelope = false;
  bool m_hasAccounts;

 protected:
  BOOL OnInitDialog() override {
    if (m_hasAccounts) {
      if (m_scheduleAccounts) {
        m_accounts.Attach(GetDlgItem(IDC_RPT_STMT_ACCTS), "X");
        SendDlgItemMessage(IDC_RPT_STMT_ACCTS, LB_RESETCONTENT, 0, 0);
        for (int i = 0; i < m_scheduleAccounts->Count(); ++i)
          SendDlgItemMessage(IDC_RPT_STMT_ACCTS, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(m_scheduleAccounts->texts[static_cast<size_t>(i)].data()));
        // All, none, stored: the stored selection, with the cycle where a
        // fresh list starts.
        for (int i = 0; i < 3; ++i) m_accounts.Fill();
      } else {
        m_accounts.Attach(GetDlgItem(IDC_RPT_STMT_ACCTS), "IER");
      }
    }
    m_members.Attach(GetDlgItem(IDC_RPT_MEMBERS));
    CRptDlg::OnInitDialog();
    SetCheck(IDC_RPT_ENVELOPE, m_envelope);
    InitOptions();
    SetupSizing({IDC_RPT_MEMBERS, IDC_RPT_STMT_ACCTS}, true, m_nWidth, m_nHeight);
    CenterWindow();
    Enable(IDC_RPT_ADDRESSES, Checked(IDC_RPT_ENVELOPE));
    return TRUE;
  }
  virtual void InitOptions() {}
  virtual bool CheckOptions() { return true; }
  virtual void ReadOptions() {}
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case IDC_RPT_ENVELOPE: Enable(IDC_RPT_ADDRESSES, Checked(IDC_RPT_ENVELOPE)); break;
      case IDC_RPT_HOLDERS: m_members.Fill(); break;
      case IDC_RPT_ACCOUNTS: m_accounts.Fill(); break;
      case IDC_RPT_ADDRESSES: EditLabelAddresses(); break;
      default: return false;
    }
    return true;
  }
  void OnOK() override {
    if (m_members.SelectedEntries() == 0) {
      Warn("Members:  No members were selected");
      return;
    }
    if (m_hasAccounts && m_accounts.SelectedEntries() == 0) {
      Warn("Accounts:  No accounts were selected");
      return;
    }
    if (!CheckOptions()) return;
    m_envelope = Checked(IDC_RPT_ENVELOPE);
    ReadOptions();
    if (m_hasAccounts) m_accounts.ReadSelection();
    m_members.ReadSelection();
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

namespace {

// What every statement launcher does after its dialog was accepted, in
// order: the selections into the records, the return address, the envelope
// format, and the chosen accounts and members for the builder.
void FinishStatement(CRptStatementDlg& dlg) {
  if (dlg.m_hasAccounts) dlg.m_accounts.SaveSelection();
  dlg.m_members.SaveSelection();
  WarnPickerFailure(dlg.m_hasAccounts ? &dlg.m_accounts : nullptr, &dlg.m_members);
}

void TakeStatementSelection(CRptStatementDlg& dlg) {
  if (!dlg.m_envelope) RptOptionG = 3;
  if (dlg.m_hasAccounts) AcctCount = dlg.m_accounts.GetSelectedIds(AcctList);
  ScoutListCount = dlg.m_members.GetSelectedRows(ScoutList);
}

}  // namespace

class CRpt9 : public CRptStatementDlg {
 public:
  explicit CRpt9(RptContext* c) : CRptStatementDlg(IDD_RPT9, c, true) {}
  bool m_noTrans = true;
  int m_order = 0;  // 0 by number, 1 by name

 protected:
  void InitOptions() override {
    SetCheck(IDC_RPT_NO_TRANS, m_noTrans);
    if (m_order == 0) SetCheck(IDC_RPT_BY_NUMBER, true);
    else if (m_order == 1) SetCheck(IDC_RPT_BY_NAME, true);
  }
  void ReadOptions() override {
    m_noTrans = Checked(IDC_RPT_NO_TRANS);
    m_order = Checked(IDC_RPT_BY_NAME) ? 1 : 0;
  }
};

int GetRpt9Params(RptContext* c) {
  CRpt9 dlg(c);
  RptLaunch launch(9);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  if (!AnyMember()) return launch.Missing("member");
  dlg.m_envelope = RptFlag('B', false);
  dlg.m_noTrans = RptFlag('C', true);
  dlg.m_order = RptInt('D', 0);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  LoadRptAddress();
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  FinishStatement(dlg);
  PutRptFlag('B', dlg.m_envelope);
  PutRptFlag('C', dlg.m_noTrans);
  PutRptInt('D', dlg.m_order);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  SaveRptAddress();
  TakeStatementSelection(dlg);
  RptOrder = dlg.m_order == 1 ? 'A' : 'N';
  RptOptionA = dlg.m_noTrans;
  return launch.Done(true);
}

class CRpt17 : public CRptStatementDlg {
 public:
  explicit CRpt17(RptContext* c) : CRptStatementDlg(IDD_RPT17, c, true) {}
  CString m_first, m_second;
  bool m_remarks = false;

 protected:
  void InitOptions() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_REMARKS, m_remarks);
  }
  bool CheckOptions() override {
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return false;
    m_first = first;
    m_second = second;
    return true;
  }
  void ReadOptions() override { m_remarks = Checked(IDC_RPT_REMARKS); }
  CDate8 m_from, m_to;
};

int GetRpt17Params(RptContext* c) {
  CRpt17 dlg(c);
  RptLaunch launch(17);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  if (!AnyMember()) return launch.Missing("member");
  dlg.m_remarks = RptFlag('A', false);
  dlg.m_envelope = RptFlag('B', false);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  LoadRptAddress();
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  FinishStatement(dlg);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('A', dlg.m_remarks);
  PutRptFlag('B', dlg.m_envelope);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  SaveRptAddress();
  TakeStatementSelection(dlg);
  CopyDate(RptFirstDate, dlg.m_first);
  CopyDate(RptSecondDate, dlg.m_second);
  RptOptionH = dlg.m_remarks;
  return launch.Done(true);
}

class CRpt20 : public CRptStatementDlg {
 public:
  explicit CRpt20(RptContext* c) : CRptStatementDlg(IDD_RPT20, c, true) {}
  bool m_future = false;

 protected:
  void InitOptions() override { SetCheck(IDC_RPT_FUTURE, m_future); }
  void ReadOptions() override { m_future = Checked(IDC_RPT_FUTURE); }
};

int GetRpt20Params(RptContext* c) {
  CRpt20 dlg(c);
  ListOfValues accounts;
  RptLaunch launch(20);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  if (!AnyMember()) return launch.Missing("member");
  if (!GetListOfValues("SCH-ACCT", 1, &accounts)) return launch.Done(false);
  dlg.m_scheduleAccounts = &accounts;
  dlg.m_future = RptFlag('A', false);
  dlg.m_envelope = RptFlag('B', false);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  LoadRptAddress();
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  FinishStatement(dlg);
  PutRptFlag('A', dlg.m_future);
  PutRptFlag('B', dlg.m_envelope);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  SaveRptAddress();
  TakeStatementSelection(dlg);
  RptOptionB = dlg.m_future;
  return launch.Done(true);
}

class CRpt29 : public CRptStatementDlg {
 public:
  explicit CRpt29(RptContext* c) : CRptStatementDlg(IDD_RPT29, c, false) {}
  int m_order = 0;

 protected:
  void InitOptions() override {
    if (m_order == 0) SetCheck(IDC_RPT_BY_NUMBER, true);
    else if (m_order == 1) SetCheck(IDC_RPT_BY_NAME, true);
  }
  void ReadOptions() override { m_order = Checked(IDC_RPT_BY_NAME) ? 1 : 0; }
};

int GetRpt29Params(RptContext* c) {
  CRpt29 dlg(c);
  RptLaunch launch(29);
  if (!AnyLiveAccount("R")) return launch.Missing("reserve account");
  if (!AnyMember()) return launch.Missing("member");
  dlg.m_envelope = RptFlag('B', false);
  dlg.m_order = RptInt('C', 0);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  LoadRptAddress();
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  FinishStatement(dlg);
  PutRptFlag('B', dlg.m_envelope);
  PutRptInt('C', dlg.m_order);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  SaveRptAddress();
  TakeStatementSelection(dlg);
  RptOrder = dlg.m_order == 1 ? 'A' : 'N';
  return launch.Done(true);
}

void InstallMemberLaunchers() {
  RegisterRptLauncher(8, GetRpt8Params);
  RegisterRptLauncher(10, GetRpt8Params);
  RegisterRptLauncher(9, GetRpt9Params);
  RegisterRptLauncher(17, GetRpt17Params);
  RegisterRptLauncher(20, GetRpt20Params);
  RegisterRptLauncher(29, GetRpt29Params);
}
