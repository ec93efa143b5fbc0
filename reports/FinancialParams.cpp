#include "reports/FinancialParams.h"

#include <cstdio>

#include "common/Dates.h"
#include "common/DateEdit.h"
#include "common/DlgUtil.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "reports/RptDates.h"
#include "reports/RptDlg.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "reports/RptPickers.h"
#include "reports/RptSelection.h"

namespace {

const char* const kNoAccounts = "Accounts:  No accounts were selected";

// The order radios: 'A' checks "Account Name", 'N' (or, where `anyOther`,
// any other letter) "Account Number".
void ShowOrder(CRptDlg* dlg, char letter, bool anyOther) {
  if (letter == 'A') dlg->CheckRadioButton(IDC_RPT_BY_NUMBER, IDC_RPT_BY_NAME, IDC_RPT_BY_NAME);
  else if (letter == 'N' || anyOther) dlg->CheckRadioButton(IDC_RPT_BY_NUMBER, IDC_RPT_BY_NAME, IDC_RPT_BY_NUMBER);
}

char ReadOrder(const CRptDlg* dlg) { return dlg->IsDlgButtonChecked(IDC_RPT_BY_NAME) == BST_CHECKED ? 'A' : 'N'; }

// The chosen accounts into AcctList and AcctCount.
void TakeAccounts(CAcctPicker& picker) {
  picker.ReadSelection();
  AcctCount = picker.GetSelectedIds(AcctList);
}

}  // namespace

class CRpt1 : public CRptMonthDlg {
 public:
  explicit CRpt1(RptContext* c) : CRptMonthDlg(IDD_RPT1, c) {}
  CString m_month;
  bool m_noTrans = true, m_zeroNet = false, m_budgets = false;
  char m_order = 'N';

 protected:
  BOOL OnInitDialog() override {
    CRptMonthDlg::OnInitDialog();
    InitMonth(m_month);
    SetCheck(IDC_RPT_NO_TRANS, m_noTrans);
    SetCheck(IDC_RPT_ZERO_NET, m_zeroNet);
    SetCheck(IDC_RPT_BUDGETS, m_budgets);
    ShowOrder(this, m_order, false);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    const int month = ValidateMonth();
    if (month < 0) return;
    m_month = MonthAbbrs[month];
    m_noTrans = Checked(IDC_RPT_NO_TRANS);
    m_zeroNet = Checked(IDC_RPT_ZERO_NET);
    m_budgets = Checked(IDC_RPT_BUDGETS);
    m_order = ReadOrder(this);
    RptMonth = month;
    RptFirstMonth = FiscalFirstMonth;
    RptOrder = m_order;
    RptOptionA = m_noTrans;
    RptOptionB = m_zeroNet;
    RptOptionC = m_budgets;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt1Params(RptContext* c) {
  CRpt1 dlg(c);
  RptLaunch launch(1);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  dlg.m_month = RptDates.GetSecondDate(DF_MON);
  dlg.m_noTrans = RptFlag('B', true);
  dlg.m_order = RptText('C', "N")[0];
  dlg.m_zeroNet = RptFlag('D', false);
  dlg.m_budgets = RptFlag('E', false);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  RptDates.SetSecondDate(dlg.m_month, DF_MON);
  PutRptFlag('B', dlg.m_noTrans);
  PutRptText('C', std::string(1, dlg.m_order));
  PutRptFlag('D', dlg.m_zeroNet);
  PutRptFlag('E', dlg.m_budgets);
  return launch.Done(true);
}

class CRpt2 : public CRptDlg {
 public:
  explicit CRpt2(RptContext* c) : CRptDlg(IDD_RPT2, c) {}
  CString m_date;
  bool m_zero = true, m_equipment = false, m_attachment = false;

 protected:
  BOOL OnInitDialog() override {
    m_dateEdit.SubclassEdit(IDC_RPT_ASOF, this, CString(), 0);
    CRptDlg::OnInitDialog();
    m_dateEdit.LoadValue(m_date);
    SetCheck(IDC_RPT_ZERO_BALANCE, m_zero);
    SetCheck(IDC_RPT_EQUIP_ACCT, m_equipment);
    SetCheck(IDC_RPT_PB_ATTACH, m_attachment);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    CString date;
    m_dateEdit.SaveValue(date);
    if (!m_dateEdit.Validate("As of Date")) return;
    char text[16];
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date));
    char message[300] = "";
    if (!ValidateDlgField("As of Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate,
                          Item(IDC_RPT_ASOF), message)) {
      Warn(message);
      return;
    }
    m_date = text;
    m_zero = Checked(IDC_RPT_ZERO_BALANCE);
    m_equipment = Checked(IDC_RPT_EQUIP_ACCT);
    m_attachment = Checked(IDC_RPT_PB_ATTACH);
    RptOptionB = m_zero;
    RptOptionA = m_equipment;
    RptOptionD = m_attachment;
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "%.8s", text);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_dateEdit;
};

int GetRpt2Params(RptContext* c) {
  CRpt2 dlg(c);
  RptLaunch launch(2);
  if (!SelectAcctsByClass(2)) return launch.Missing("asset/liability account");
  dlg.m_date = RptDates.GetSecondDate(DF_YYYYMMDD);
  dlg.m_zero = RptFlag('B', true);
  dlg.m_equipment = RptFlag('C', false);
  dlg.m_attachment = RptFlag('D', false);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  RptDates.SetSecondDate(dlg.m_date, DF_YYYYMMDD);
  PutRptFlag('B', dlg.m_zero);
  PutRptFlag('C', dlg.m_equipment);
  PutRptFlag('D', dlg.m_attachment);
  return launch.Done(true);
}

class CRpt3 : public CRptDlg {
 public:
  explicit CRpt3(RptContext* c) : CRptDlg(IDD_RPT3, c) {}
  bool m_noTrans = true;
  char m_order = 'N';

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    SetCheck(IDC_RPT_NO_TRANS, m_noTrans);
    ShowOrder(this, m_order, false);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    m_noTrans = Checked(IDC_RPT_NO_TRANS);
    m_order = ReadOrder(this);
    RptOrder = m_order;
    RptOptionA = m_noTrans;
    if (m_pContext) m_pContext->lineWidth = kRptLandscapeWidth;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt3Params(RptContext* c) {
  CRpt3 dlg(c);
  RptLaunch launch(3);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  dlg.m_noTrans = RptFlag('A', true);
  dlg.m_order = RptText('B', "N")[0];
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptFlag('A', dlg.m_noTrans);
  PutRptText('B', std::string(1, dlg.m_order));
  return launch.Done(true);
}

// The budget and summary dialogs: an account list that grows with the
// window.
class CRptAcctListDlg : public CRptMonthDlg {
 public:
  using CRptMonthDlg::CRptMonthDlg;
  CAcctPicker m_picker;

 protected:
  void AttachAccounts() { m_picker.Attach(GetDlgItem(IDC_RPT_ACCT_LIST), nullptr); }
  bool OnControl(int id, int code) override {
    if (id == IDC_RPT_ACCOUNTS && code == BN_CLICKED) {
      m_picker.Fill();
      return true;
    }
    return CRptMonthDlg::OnControl(id, code);
  }
  bool AccountsChosen() {
    if (m_picker.SelectedEntries() > 0) return true;
    Warn(kNoAccounts);
    return false;
  }
};

class CRpt6 : public CRptAcctListDlg {
 public:
  explicit CRpt6(RptContext* c) : CRptAcctListDlg(IDD_RPT6, c) {}
  bool m_noBudgets = false;
  char m_order = 'N';

 protected:
  BOOL OnInitDialog() override {
    CRptAcctListDlg::OnInitDialog();
    AttachAccounts();
    ShowOrder(this, m_order, false);
    SetCheck(IDC_RPT_BUDGETS, m_noBudgets);
    SetupSizing({IDC_RPT_ACCT_LIST}, false, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    if (!AccountsChosen()) return;
    m_order = ReadOrder(this);
    m_noBudgets = Checked(IDC_RPT_BUDGETS);
    RptOrder = m_order;
    RptOptionB = m_noBudgets;
    if (m_pContext) m_pContext->lineWidth = kRptLandscapeWidth;
    TakeAccounts(m_picker);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt6Params(RptContext* c) {
  CRpt6 dlg(c);
  RptLaunch launch(6);
  if (!AnyLiveBudget()) return launch.Missing("budget");
  dlg.m_noBudgets = RptFlag('B', false);
  dlg.m_order = RptText('C', "N")[0];
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_picker.SaveSelection();
  WarnPickerFailure(&dlg.m_picker, nullptr);
  PutRptFlag('B', dlg.m_noBudgets);
  PutRptText('C', std::string(1, dlg.m_order));
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt7 : public CRptAcctListDlg {
 public:
  explicit CRpt7(RptContext* c) : CRptAcctListDlg(IDD_RPT7, c) {}
  CString m_month;
  bool m_noBudgets = false;
  char m_order = 'N';

 protected:
  BOOL OnInitDialog() override {
    CRptAcctListDlg::OnInitDialog();
    AttachAccounts();
    InitMonth(m_month);
    SetCheck(IDC_RPT_BUDGETS, m_noBudgets);
    ShowOrder(this, m_order, false);
    SetupSizing({IDC_RPT_ACCT_LIST}, false, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    if (!AccountsChosen()) return;
    const int month = ValidateMonth();
    if (month < 0) return;
    m_month = MonthAbbrs[month];
    m_order = ReadOrder(this);
    m_noBudgets = Checked(IDC_RPT_BUDGETS);
    RptFirstMonth = FiscalFirstMonth;
    RptMonth = month;
    RptOrder = m_order;
    RptOptionB = m_noBudgets;
    if (m_pContext) m_pContext->lineWidth = kRptLandscapeWidth;
    TakeAccounts(m_picker);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt7Params(RptContext* c) {
  CRpt7 dlg(c);
  RptLaunch launch(7);
  if (!AnyLiveBudget()) return launch.Missing("budget");
  dlg.m_month = RptDates.GetSecondDate(DF_MON);
  dlg.m_noBudgets = RptFlag('C', false);
  dlg.m_order = RptText('D', "N")[0];
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_picker.SaveSelection();
  WarnPickerFailure(&dlg.m_picker, nullptr);
  RptDates.SetSecondDate(dlg.m_month, DF_MON);
  PutRptFlag('C', dlg.m_noBudgets);
  PutRptText('D', std::string(1, dlg.m_order));
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt18 : public CRptDlg {
 public:
  explicit CRpt18(RptContext* c) : CRptDlg(IDD_RPT18, c) {}
  char m_order = 'N';

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    ShowOrder(this, m_order, true);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    m_order = ReadOrder(this);
    RptOrder = m_order;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt18Params(RptContext* c) {
  CRpt18 dlg(c);
  RptLaunch launch(18);
  if (!AnyLiveAccount()) return launch.Missing("account");
  dlg.m_order = RptText('A', "N")[0];
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptText('A', std::string(1, dlg.m_order));
  return launch.Done(true);
}

class CRpt30 : public CRptAcctListDlg {
 public:
  explicit CRpt30(RptContext* c) : CRptAcctListDlg(IDD_RPT30, c) {}
  CString m_first, m_second;
  bool m_details = false;

 protected:
  BOOL OnInitDialog() override {
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    CRptAcctListDlg::OnInitDialog();
    AttachAccounts();
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    SetCheck(IDC_RPT_RES_DETAIL, m_details);
    SetupSizing({IDC_RPT_ACCT_LIST}, false, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    if (!AccountsChosen()) return;
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_details = Checked(IDC_RPT_RES_DETAIL);
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "%s", static_cast<const char*>(first));
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "%s", static_cast<const char*>(second));
    RptOptionE = m_details ? 'Y' : 'N';
    TakeAccounts(m_picker);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
};

int GetRpt30Params(RptContext* c) {
  CRpt30 dlg(c);
  RptLaunch launch(30);
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_details = RptFlag('C', false);
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_picker.SaveSelection();
  WarnPickerFailure(&dlg.m_picker, nullptr);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('C', dlg.m_details);
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

void InstallFinancialLaunchers() {
  RegisterRptLauncher(1, GetRpt1Params);
  RegisterRptLauncher(2, GetRpt2Params);
  RegisterRptLauncher(3, GetRpt3Params);
  RegisterRptLauncher(6, GetRpt6Params);
  RegisterRptLauncher(7, GetRpt7Params);
  RegisterRptLauncher(18, GetRpt18Params);
  RegisterRptLauncher(30, GetRpt30Params);
}
