#include "reports/FormParams.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/FillCombo.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "reports/RptDates.h"
#include "reports/RptDlg.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "reports/RptPickers.h"
#include "reports/RptSelection.h"
#include "reports/Worksheet.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/TextCompare.h"

namespace {

const char* const kNoAccounts = "Accounts:  No accounts were selected";
const char* const kNoMembers = "Members:  No members were selected";

void CopyDate(char (&slot)[9], const CString& date) { std::snprintf(slot, sizeof slot, "%.8s", static_cast<const char*>(date)); }

// The account numbers of the entries selected in a list box ("%d/...").
std::vector<int> SelectedNumbers(CWnd* dlg, int id) {
  std::vector<int> out;
  const int count = static_cast<int>(dlg->SendDlgItemMessage(id, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (dlg->SendDlgItemMessage(id, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
      char text[64] = "";
      dlg->SendDlgItemMessage(id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.push_back(std::atoi(text));
    }
  return out;
}

// Lists the scheduled accounts in place of a picker's own entries and shows
// the stored selection with the cycle where a fresh list starts.
void AttachScheduleAccounts(CAcctPicker& picker, CWnd* dlg, int id, const ListOfValues& accounts) {
  picker.Attach(dlg->GetDlgItem(id), "X");
  dlg->SendDlgItemMessage(id, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < accounts.Count(); ++i)
    dlg->SendDlgItemMessage(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(accounts.texts[static_cast<size_t>(i)].data()));
  for (int i = 0; i < 3; ++i) picker.Fill();
}

int WidthForAccounts(int count) { return count <= 2 ? kRptPortraitWidth : kRptLandscapeWidth; }

}  // namespace

class CRpt11 : public CRptDlg {
 public:
  explicit CRpt11(RptContext* c) : CRptDlg(IDD_RPT11, c) {}
  CAcctPicker m_accounts;
  CPassbookList m_members;
  CString m_first, m_second;
  bool m_zero = false, m_group = false, m_perPage = false;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    SetCheck(IDC_RPT_ZERO_NET, m_zero);
    SetCheck(IDC_RPT_GROUP_BY, m_group);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    SetItemFormat(IDC_RPT_GROUP_BY, "&Group Members by %s:", SubunitNoun);
    SetItemFormat(IDC_RPT_PAGE, "Display one %s per &Page:", SubunitNoun);
    m_accounts.Attach(GetDlgItem(IDC_RPT_STMT_ACCTS), "IER");
    m_members.Attach(GetDlgItem(IDC_RPT_MEMBERS));
    m_from.SubclassEdit(IDC_RPT_FROM, this, CString(), 0);
    m_to.SubclassEdit(IDC_RPT_TO, this, CString(), 0);
    m_from.LoadValue(m_first);
    m_to.LoadValue(m_second);
    Enable(IDC_RPT_PAGE, Checked(IDC_RPT_GROUP_BY));
    SetupSizing({IDC_RPT_MEMBERS, IDC_RPT_STMT_ACCTS}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id == IDC_RPT_HOLDERS) m_members.Fill();
    else if (id == IDC_RPT_ACCOUNTS) m_accounts.Fill();
    else if (id == IDC_RPT_GROUP_BY) Enable(IDC_RPT_PAGE, Checked(IDC_RPT_GROUP_BY));
    else return false;
    return true;
  }
  void OnOK() override {
    if (m_members.SelectedEntries() == 0) {
      Warn(kNoMembers);
      return;
    }
    const std::vector<int> chosen = SelectedNumbers(this, IDC_RPT_STMT_ACCTS);
    if (chosen.empty()) {
      Warn(kNoAccounts);
      return;
    }
    // Nine columns at most: each group of more than one account takes a
    // total column of its own.
    int reserves = 0, others = 0;
    for (int number : chosen) (GetAcctClass(number) == 'R' ? reserves : others)++;
    const int columns = reserves + (reserves > 1 ? 1 : 0) + others + (others > 1 ? 1 : 0);
    if (columns > 9) {
      Warn(reserves > 1 && others > 1 ? "Accounts:  No more than 7 accounts may be selected"
                                      : "Accounts:  No more than 8 accounts may be selected");
      return;
    }
    CString first, second;
    if (!ReadDatePair(m_from, m_to, first, second)) return;
    m_first = first;
    m_second = second;
    m_zero = Checked(IDC_RPT_ZERO_NET);
    m_group = Checked(IDC_RPT_GROUP_BY);
    m_perPage = Checked(IDC_RPT_PAGE);
    CopyDate(RptFirstDate, first);
    CopyDate(RptSecondDate, second);
    RptOrder = m_group ? 'Y' : 'N';
    RptOptionG = m_perPage;
    RptOptionE = m_zero ? 'Y' : 'N';
    m_accounts.ReadSelection();
    AcctCount = m_accounts.GetSelectedIds(AcctList);
    m_members.ReadSelection();
    ScoutListCount = m_members.GetSelectedRows(ScoutList);
    RptOptionD = 0;
    for (int r = 0; r < MemberTable.rowCount; ++r) {
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
      if (k.selected && k.type >= 0 && k.type <= 2) RptOptionD |= 1 << k.type;
    }
    if (m_pContext) m_pContext->lineWidth = WidthForAccounts(AcctCount);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  CDate8 m_from, m_to;
};

int GetRpt11Params(RptContext* c) {
  CRpt11 dlg(c);
  RptLaunch launch(11);
  if (!AnyMember()) return launch.Missing("member");
  RptDates.GetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  dlg.m_zero = RptFlag('F', false);
  dlg.m_group = RptFlag('C', false);
  dlg.m_perPage = RptFlag('E', false, dlg.m_group ? "Y" : "N");
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  dlg.m_accounts.SaveSelection();
  dlg.m_members.SaveSelection();
  WarnPickerFailure(&dlg.m_accounts, &dlg.m_members);
  RptDates.SetDates(dlg.m_first, dlg.m_second, DF_YYYYMMDD);
  PutRptFlag('F', dlg.m_zero);
  PutRptFlag('C', dlg.m_group);
  PutRptFlag('E', dlg.m_perPage, dlg.m_group ? "Y" : "N");
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt12 : public CRptDlg {
 public:
  explicit CRpt12(RptContext* c) : CRptDlg(IDD_RPT12, c) {}
  char m_order = 'A', m_spacing = '1';
  bool m_remarks = false;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    if (m_order == 'A') SetCheck(IDC_RPT_BY_NAME, true);
    else if (m_order == 'D') SetCheck(IDC_RPT_BY_NUMBER, true);
    if (m_spacing >= '1' && m_spacing <= '3') SetCheck(IDC_RPT_SINGLE + (m_spacing - '1'), true);
    SetCheck(IDC_RPT_REMARKS, m_remarks);
    CenterWindow();
    return TRUE;
  }
  void OnOK() override {
    m_order = Checked(IDC_RPT_BY_NAME) ? 'A' : 'D';
    m_spacing = Checked(IDC_RPT_SINGLE) ? '1' : Checked(IDC_RPT_DOUBLE) ? '2' : '3';
    m_remarks = Checked(IDC_RPT_REMARKS);
    RptOrder = m_order;
    RptOptionC = m_spacing - '0';
    RptOptionH = m_remarks;
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
};

int GetRpt12Params(RptContext* c) {
  CRpt12 dlg(c);
  RptLaunch launch(12);
  if (!AnyFriend()) return launch.Missing("friend");
  dlg.m_order = RptText('A', "A")[0];
  dlg.m_remarks = RptFlag('B', false);
  dlg.m_spacing = RptText('C', "1")[0];
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  PutRptText('A', std::string(1, dlg.m_order));
  PutRptFlag('B', dlg.m_remarks);
  PutRptText('C', std::string(1, dlg.m_spacing));
  return launch.Done(true);
}

class CRpt13 : public CRptDlg {
 public:
  CRpt13(RptContext* c, std::vector<std::string>& titles) : CRptDlg(IDD_RPT13, c), m_titles(titles) {}
  std::FILE* m_file = nullptr;  // none: the worksheet operations are off
  WorksheetRecord m_buffer;
  bool m_scouts = true, m_adults = false, m_subunits = false, m_group = false, m_perPage = false;

  bool FindWorksheet(const std::string& title, int* slot) {
    CString error;
    bool found = false;
    if (!m_file) return false;
    if (!::FindWorksheet(m_file, title, &found, slot, &m_buffer, &error)) {
      DispMessage(error, MSG_FATAL);
      return false;
    }
    return found;
  }
  bool SaveWorksheet(bool confirm) {
    if (!m_file) return false;
    WorksheetRecord rec;
    rec.SetTitle(TitleText());
    for (int i = 0; i < 10; ++i) rec.SetHeading(i, static_cast<const char*>(Text(kHeadings[i])));
    m_buffer = rec;
    int slot = 0;
    CString error;
    bool found = false;
    bool ok = ::FindWorksheet(m_file, rec.Title(), &found, &slot, &m_buffer, &error);
    m_buffer = rec;
    ok = ok && WriteWorksheet(m_file, slot, rec, &error);
    if (!ok) {
      DispMessage(error, MSG_FATAL);
      return false;
    }
    if (!rec.Title().empty() && ListIndex(rec.Title()) < 0) {
      m_titles.push_back(rec.Title());
      SendDlgItemMessage(IDC_WKS_TITLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rec.Title().c_str()));
    }
    UpdateControls();
    if (confirm) DispMessage("Worksheet has been saved", MSG_INFORMATION);
    return true;
  }
  void DeleteWorksheet() {
    const std::string title = TitleText();
    m_buffer.SetTitle(title);
    int slot = 0;
    if (!FindWorksheet(title, &slot) || !ConfirmDelete(title.c_str())) return;
    const int entry = ListIndex(title);
    m_buffer = WorksheetRecord{};
    CString error;
    if (!WriteWorksheet(m_file, slot, m_buffer, &error)) {
      DispMessage(error, MSG_FATAL);
      return;
    }
    ResetWorksheet();
    if (entry >= 0) {
      char text[64] = "";
      SendDlgItemMessage(IDC_WKS_TITLE, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text));
      SendDlgItemMessage(IDC_WKS_TITLE, CB_DELETESTRING, static_cast<WPARAM>(entry), 0);
      for (auto it = m_titles.begin(); it != m_titles.end(); ++it)
        if (*it == text) {
          m_titles.erase(it);
          break;
        }
    }
    UpdateControls();
  }
  void LoadWorksheet() {
    if (!FindWorksheet(m_buffer.Title(), nullptr)) return;
    for (int i = 0; i < 10; ++i) SetDlgItemText(kHeadings[i], m_buffer.Heading(i).c_str());
  }
  void ResetWorksheet() {
    SetDlgItemText(IDC_WKS_TITLE, "");
    for (int id : kHeadings) SetDlgItemText(id, "");
    ::SetFocus(Item(IDC_WKS_TITLE));
    UpdateControls();
  }
  void UpdateControls() {
    const bool people = Checked(IDC_RPT_SCOUTS) || Checked(IDC_RPT_ADULTS);
    Enable(IDC_RPT_GROUP_BY, people);
    Enable(IDC_RPT_PAGE, people && Checked(IDC_RPT_GROUP_BY));
    const std::string title = TitleText();
    Enable(IDC_WKS_SAVE, m_file && !title.empty());
    Enable(IDC_WKS_DELETE, m_file && !title.empty() && ListIndex(title) >= 0);
  }

 protected:
  static constexpr int kHeadings[10] = {IDC_WKS_HEAD1, IDC_WKS_HEAD2, IDC_WKS_HEAD3, IDC_WKS_HEAD4, IDC_WKS_HEAD5,
                                        IDC_WKS_HEAD6, IDC_WKS_HEAD7, IDC_WKS_HEAD8, IDC_WKS_HEAD9, IDC_WKS_HEAD10};

  std::string TitleText() const { return static_cast<const char*>(Text(IDC_WKS_TITLE)); }
  // The list entry equal to `title` without regard to case; -1 for none.
  int ListIndex(const std::string& title) const {
    const int count = static_cast<int>(SendDlgItemMessage(IDC_WKS_TITLE, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = "";
      SendDlgItemMessage(IDC_WKS_TITLE, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      if (CompareNoCase(text, title.c_str()) == 0) return i;
    }
    return -1;
  }

  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    m_combo.SubclassDlgItem(IDC_WKS_TITLE, this);
    SendDlgItemMessage(IDC_WKS_TITLE, CB_LIMITTEXT, 31, 0);
    for (int id : kHeadings) SendDlgItemMessage(id, EM_LIMITTEXT, 8, 0);
    for (const std::string& t : m_titles)
      SendDlgItemMessage(IDC_WKS_TITLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    const std::string remembered = m_buffer.Title();
    SetDlgItemText(IDC_WKS_TITLE, remembered.c_str());
    if (!remembered.empty()) {
      const LRESULT at = SendDlgItemMessage(IDC_WKS_TITLE, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(remembered.c_str()));
      if (at >= 0) {
        SendDlgItemMessage(IDC_WKS_TITLE, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
        ChooseEntry();
      }
    }
    SetCheck(IDC_RPT_SCOUTS, m_scouts);
    SetCheck(IDC_RPT_ADULTS, m_adults);
    SetCheck(IDC_RPT_SUBUNITS, m_subunits);
    SetCheck(IDC_RPT_GROUP_BY, m_group);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    UpdateControls();
    SetItemFormat(IDC_RPT_SUBUNITS, "%ss", SubunitMenuWord);
    SetItemFormat(IDC_RPT_GROUP_BY, "&Group Members by %s", SubunitNoun);
    SetItemFormat(IDC_RPT_PAGE, "Display one %s per &Page", SubunitNoun);
    CenterWindow();
    return TRUE;
  }
  void ChooseEntry() {
    m_buffer = WorksheetRecord{};
    const LRESULT at = SendDlgItemMessage(IDC_WKS_TITLE, CB_GETCURSEL, 0, 0);
    if (at < 0) return;
    char text[64] = "";
    SendDlgItemMessage(IDC_WKS_TITLE, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    m_buffer.SetTitle(text);
    SetDlgItemText(IDC_WKS_TITLE, text);
    UpdateControls();
    LoadWorksheet();
  }
  bool OnControl(int id, int code) override {
    if (id == IDC_WKS_TITLE) {
      if (code == CBN_SELCHANGE) ChooseEntry();
      else if (code == CBN_EDITCHANGE) UpdateControls();
      else if (code == CBN_KILLFOCUS) {
        // Leaving the title box calls up a saved worksheet of that title;
        // the headings typed so far stay when there is none.
        const std::string title = TitleText();
        if (!title.empty()) {
          m_buffer.SetTitle(title);
          LoadWorksheet();
        }
        UpdateControls();
      } else {
        return false;
      }
      return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
      case IDC_WKS_SAVE: SaveWorksheet(true); break;
      case IDC_WKS_DELETE: DeleteWorksheet(); break;
      case IDC_WKS_RESET: ResetWorksheet(); break;
      case IDC_RPT_SCOUTS:
      case IDC_RPT_ADULTS:
      case IDC_RPT_GROUP_BY: UpdateControls(); break;
      default: return false;
    }
    return true;
  }
  void OnOK() override {
    m_scouts = Checked(IDC_RPT_SCOUTS);
    m_adults = Checked(IDC_RPT_ADULTS);
    m_subunits = Checked(IDC_RPT_SUBUNITS);
    if (!m_scouts && !m_adults && !m_subunits) {
      Warn("At least one Group must be included");
      return;
    }
    // The worksheet last used is always on file; a failed save is shown
    // and the report is built all the same.
    if (m_file) SaveWorksheet(false);
    m_group = Checked(IDC_RPT_GROUP_BY);
    m_perPage = Checked(IDC_RPT_PAGE);
    RptOptionD = (m_scouts ? 1 : 0) + (m_adults ? 2 : 0) + (m_subunits ? 4 : 0);
    const std::string title = TitleText();
    std::snprintf(RptUserTitle, sizeof RptUserTitle, "%.31s", title.c_str());
    bool wide = false;
    for (int i = 0; i < 10; ++i) {
      const CString heading = Text(kHeadings[i]);
      std::snprintf(RptColumnHeads[i], sizeof RptColumnHeads[i], "%.8s", static_cast<const char*>(heading));
      if (i >= 5 && !heading.IsEmpty()) wide = true;
    }
    if (m_pContext) m_pContext->lineWidth = wide ? kRptLandscapeWidth : kRptPortraitWidth;
    RptOrder = IsEnabled(IDC_RPT_GROUP_BY) && m_group ? 'Y' : 'N';
    RptOptionG = m_group && m_perPage ? 1 : 0;
    m_buffer.SetTitle(title);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  std::vector<std::string>& m_titles;
  CFillCombo m_combo;
};

int GetRpt13Params(RptContext* c) {
  std::vector<std::string> titles;
  RptLaunch launch(13);
  const char* mode = FileExists(WorksheetFileName) ? "rb+" : "wb+";
  if (!AnyMember()) return launch.Missing("member");
  CString error;
  if (!ReadWorksheetTitles(WorksheetFileName, &titles, &error)) {
    DispMessage(error, MSG_FATAL);
    return launch.Done(false);
  }
  CRpt13 dlg(c, titles);
  dlg.m_buffer.SetTitle(RptText('A', ""));
  dlg.m_scouts = RptFlag('B', true);
  dlg.m_adults = RptFlag('C', false);
  dlg.m_subunits = RptFlag('D', false);
  dlg.m_group = RptFlag('E', false);
  dlg.m_perPage = RptFlag('F', false, dlg.m_group ? "Y" : "N");
  dlg.m_file = std::fopen(WorksheetFileName, mode);
  if (dlg.m_file == nullptr) {
    // The dialog still runs; saving, deleting and loading worksheets stay
    // off, and OK builds the report without touching the file.
    FormatErrorTextStr(error, ERR_OPEN, WorksheetFileName);
    DispMessage(error, MSG_FATAL);
  }
  const bool accepted = dlg.DoModal() == IDOK && dlg.m_bAccepted;
  if (dlg.m_file) std::fclose(dlg.m_file);
  if (!accepted) return launch.Done(false);
  PutRptText('A', dlg.m_buffer.Title());
  PutRptFlag('B', dlg.m_scouts);
  PutRptFlag('C', dlg.m_adults);
  PutRptFlag('D', dlg.m_subunits);
  PutRptFlag('E', dlg.m_group);
  PutRptFlag('F', dlg.m_perPage, dlg.m_group ? "Y" : "N");
  return launch.Done(true);
}

class CRpt22 : public CRptDlg {
 public:
  CRpt22(RptContext* c, const ListOfValues& accounts) : CRptDlg(IDD_RPT22, c), m_list(accounts) {}
  CAcctPicker m_accounts;
  CString m_date;
  bool m_owesNothing = false, m_group = true, m_perPage = false;

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    SetCheck(IDC_RPT_ZERO_NET, m_owesNothing);
    SetCheck(IDC_RPT_GROUP_BY, m_group);
    SetCheck(IDC_RPT_PAGE, m_perPage);
    AttachScheduleAccounts(m_accounts, this, IDC_RPT_SCHED_LIST, m_list);
    m_dateEdit.SubclassEdit(IDC_RPT_ASOF, this, CString(), 0);
    m_dateEdit.LoadValue(m_date);
    SetItemFormat(IDC_RPT_GROUP_BY, "&Group Members by %s", SubunitNoun);
    SetItemFormat(IDC_RPT_PAGE, "Display one %s per &Page", SubunitNoun);
    Enable(IDC_RPT_PAGE, Checked(IDC_RPT_GROUP_BY));
    SetupSizing({IDC_RPT_SCHED_LIST}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id == IDC_RPT_ACCOUNTS) m_accounts.Fill();
    else if (id == IDC_RPT_GROUP_BY) Enable(IDC_RPT_PAGE, Checked(IDC_RPT_GROUP_BY));
    else return false;
    return true;
  }
  void OnOK() override {
    const int chosen = m_accounts.SelectedEntries();
    if (chosen == 0) {
      Warn(kNoAccounts);
      return;
    }
    if (chosen > 5) {
      Warn("Accounts:  No more than 5 accounts may be selected");
      return;
    }
    CString date;
    m_dateEdit.SaveValue(date);
    if (!m_dateEdit.Validate("Collection Date")) return;
    char text[16];
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date));
    char message[300] = "";
    if (!ValidateDlgField("Collection Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate,
                          Item(IDC_RPT_ASOF), message)) {
      Warn(message);
      return;
    }
    m_date = text;
    m_owesNothing = Checked(IDC_RPT_ZERO_NET);
    m_group = Checked(IDC_RPT_GROUP_BY);
    m_perPage = Checked(IDC_RPT_PAGE);
    m_accounts.ReadSelection();
    AcctCount = m_accounts.GetSelectedIds(AcctList);
    RptOptionD = 7;
    CopyDate(RptSecondDate, m_date);
    RptOptionB = m_owesNothing;
    RptOrder = m_group ? 'Y' : 'N';
    RptOptionG = m_group && m_perPage ? 1 : 0;
    if (m_pContext) m_pContext->lineWidth = WidthForAccounts(AcctCount);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  const ListOfValues& m_list;
  CDate8 m_dateEdit;
};

int GetRpt22Params(RptContext* c) {
  ListOfValues accounts;
  RptLaunch launch(22);
  if (!AnyMember()) return launch.Missing("member");
  if (!AnySchedule()) return launch.Missing("schedule");
  if (!GetListOfValues("SCH-ACCT", 1, &accounts)) return launch.Done(false);
  CRpt22 dlg(c, accounts);
  dlg.m_date = RptDates.GetSecondDate(DF_YYYYMMDD);
  dlg.m_owesNothing = RptFlag('H', false);
  dlg.m_group = RptFlag('E', true);
  dlg.m_perPage = RptFlag('G', false, dlg.m_group ? "Y" : "N");
  dlg.m_nWidth = RptInt('X', 0);
  dlg.m_nHeight = RptInt('Y', 0);
  if (dlg.DoModal() != IDOK || !dlg.m_bAccepted) return launch.Done(false);
  RptDates.SetSecondDate(dlg.m_date, DF_YYYYMMDD);
  dlg.m_accounts.SaveSelection();
  WarnPickerFailure(&dlg.m_accounts, nullptr);
  PutRptFlag('H', dlg.m_owesNothing);
  PutRptFlag('E', dlg.m_group);
  PutRptFlag('G', dlg.m_perPage, dlg.m_group ? "Y" : "N");
  PutRptInt('X', dlg.m_nWidth);
  PutRptInt('Y', dlg.m_nHeight);
  return launch.Done(true);
}

class CRpt33 : public CRptDlg {
 public:
  CRpt33(RptContext* c, const ListOfValues& accounts) : CRptDlg(IDD_RPT33, c), m_list(accounts) {}
  CAcctPicker m_accounts;
  CPassbookList m_members;
  bool m_unitCards = false;
  int m_style = -1;  // 0 dated, 1 classic

 protected:
  BOOL OnInitDialog() override {
    CRptDlg::OnInitDialog();
    SetCheck(IDC_RPT_UNIT_CARDS, m_unitCards);
    if (m_style == 0) SetCheck(IDC_RPT_DATED, true);
    else if (m_style == 1) SetCheck(IDC_RPT_CLASSIC, true);
    AttachScheduleAccounts(m_accounts, this, IDC_RPT_STMT_ACCTS, m_list);
    m_members.Attach(GetDlgItem(IDC_RPT_MEMBERS));
    SetItemFormat(IDC_RPT_UNIT_CARDS, "&Generate %s Cards", UnitNoun);
    SetupSizing({IDC_RPT_MEMBERS, IDC_RPT_STMT_ACCTS}, true, m_nWidth, m_nHeight);
    CenterWindow();
    return TRUE;
  }
  bool OnControl(int id, int code) override {
    if (code != BN_CLICKED) return false;
    if (id == IDC_RPT_HOLDERS) m_members.Fill();
    else if (id == IDC_RPT_ACCOUNTS) m_accounts.Fill();
    else return false;
    return true;
  }
  void OnOK() override {
    if (m_members.SelectedEntries() == 0) {
      Warn(kNoMembers);
      return;
    }
    if (m_accounts.SelectedEntries() == 0) {
      Warn(kNoAccounts);
      return;
    }
    m_unitCards = Checked(IDC_RPT_UNIT_CARDS);
    m_style = Checked(IDC_RPT_CLASSIC) ? 1 : Checked(IDC_RPT_DATED) ? 0 : m_style;
    RptOptionB = m_unitCards;
    RptOrder = 'N';
    RptOptionG = Checked(IDC_RPT_CLASSIC) ? 1 : 0;
    m_accounts.ReadSelection();
    AcctCount = m_accounts.GetSelectedIds(AcctList);
    m_members.ReadSelection();
    ScoutListCount = m_members.GetSelectedRows(ScoutList);
    m_bAccepted = 1;
    EndDialog(IDOK);
  }
  const ListOfValues& m_list;
};

int GetRpt33Params(RptContext* c) {
  ListOfValues accounts;
  RptLaunch launch(33);
  if (!SelectAcctsByClass(1)) return launch.Missing("income/expense account");
  if (!AnyMember()) return launch.Missing("member");
  if (!GetListOfValues("SCH-ACCT", 1, &accounts)) return launch.Done(false);
  std::unique_ptr<CRpt33> dlg(new (std::nothrow) CRpt33(c, accounts));
  if (!dlg) {
    char text[160];
    FormatErrorText(text, sizeof text, ERR_ALLOC, "Personal Savings Cards dialog");
    DispMessage(text, MSG_FATAL);
    return launch.Done(false);
  }
  dlg->m_unitCards = GetSettingFlag(RptParamSection, 'A', 0);
  dlg->m_style = GetSettingInt(RptParamSection, 'B', 0);
  dlg->m_nWidth = GetSettingInt(RptParamSection, 'X', 0);
  dlg->m_nHeight = GetSettingInt(RptParamSection, 'Y', 0);
  if (dlg->DoModal() != IDOK || !dlg->m_bAccepted) return launch.Done(false);
  dlg->m_accounts.SaveSelection();
  dlg->m_members.SaveSelection();
  WarnPickerFailure(&dlg->m_accounts, &dlg->m_members);
  PutSettingFlag(RptParamSection, 'A', dlg->m_unitCards);
  PutSettingInt(RptParamSection, 'B', dlg->m_style);
  PutSettingInt(RptParamSection, 'X', dlg->m_nWidth);
  PutSettingInt(RptParamSection, 'Y', dlg->m_nHeight);
  return launch.Done(true);
}

void InstallFormLaunchers() {
  RegisterRptLauncher(11, GetRpt11Params);
  RegisterRptLauncher(12, GetRpt12Params);
  RegisterRptLauncher(13, GetRpt13Params);
  RegisterRptLauncher(22, GetRpt22Params);
  RegisterRptLauncher(33, GetRpt33Params);
}
