#include "records/BudgetDlg.h"

#include <cstdlib>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/LogDump.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Xfer.h"

namespace {

const char* const kMonthCaptions[12] = {"&January", "&February", "Mar&ch",    "Ap&ril",    "&May",      "J&une",
                                        "Jul&y",    "Au&gust",   "&September", "Oc&tober", "No&vember", "&December"};
const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

CBudgetDlg::CBudgetDlg(CWnd* parent) : CRecordInfoDlg(IDD_BUDGET, parent) {}

int CBudgetDlg::MonthOfRow(int row) {
  const int first = FiscalFirstMonth >= 0 && FiscalFirstMonth < 12 ? FiscalFirstMonth : 0;
  return (first + row) % 12;
}

void CBudgetDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_BUD_CAPTION, m_strCaption);
  for (int i = 0; i < 12; ++i) {
    DDX_Text(pDX, IDC_BUD_LABEL0 + i, m_strLabels[i]);
    DDX_Amount(pDX, m_amounts[i], m_strAmounts[i]);
  }
}

void CBudgetDlg::SetupFields() {
  SetWindowText("Account Budget");
  for (int i = 0; i < 12; ++i) {
    m_amounts[i].SubclassDlgItem(IDC_BUD_AMOUNT0 + i, this);
    m_amounts[i].SetFormat(CAmountEdit::kDecimals, "-9999.99", "99999.99", 2);
    m_amounts[i].SetLimitText(8);
    m_amounts[i].SetChangeFlag(&m_bChanged);
  }
}

int CBudgetDlg::LoadFields() {
  if (!XferBudget(0, 0, m_pCurPos, &m_account, &m_loaded)) return 0;
  m_edited = m_loaded;
  const char* className = m_account.classRow >= 0 && m_account.classRow < 9 ? AcctClassTable[m_account.classRow].name : "";
  m_strCaption.Format("%d - %s (%s)", static_cast<int>(m_account.number), m_account.name, className);
  for (int i = 0; i < 12; ++i) {
    const int month = MonthOfRow(i);
    m_strLabels[i].Format("%s:", kMonthCaptions[month]);
    m_strAmounts[i] = FormatCents(m_loaded.months[month]);
  }
  return 1;
}

int CBudgetDlg::LiveCount() const { return AcctTable.liveCount; }
int CBudgetDlg::IndexSize() const { return AcctTable.rowCount; }
bool CBudgetDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= AcctTable.rowCount) return false;
  return AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].status != kStatusDeleted;
}

void CBudgetDlg::UpdateControls() {
  EnableItem(IDC_REC_COPYALL, m_nFocusRow >= 0);
  if (CWnd* log = GetDlgItem(IDC_REC_LOG)) {
    log->EnableWindow(FALSE);
    log->ShowWindow(SW_HIDE);
  }
}

BOOL CBudgetDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id >= IDC_BUD_AMOUNT0 && id < IDC_BUD_AMOUNT0 + 12) {
    if (code == EN_SETFOCUS) {
      m_nFocusRow = id - IDC_BUD_AMOUNT0;
      EnableItem(IDC_REC_COPYALL, true);
    } else if (code == EN_KILLFOCUS) {
      m_nFocusRow = -1;
      EnableItem(IDC_REC_COPYALL, false);
    }
  }
  if (code == BN_CLICKED && id == IDC_REC_COPYALL) {
    CopyToAll();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_REC_LOG) {
    RunLogDump("budlog.txt", "Budgets", WriteLog);
    return TRUE;
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

void CBudgetDlg::CopyToAll() {
  if (m_nFocusRow < 0) return;
  char raw[32] = "";
  ::GetWindowText(::GetDlgItem(GetSafeHwnd(), IDC_BUD_AMOUNT0 + m_nFocusRow), raw, sizeof raw);
  char amount[48];
  std::snprintf(amount, sizeof amount, "%.2f", std::atof(raw));
  char question[96];
  std::snprintf(question, sizeof question, "Set all months' amount to $%s", amount);
  if (AskQuestion(question, ANSWER_YES, 0) != ANSWER_YES) return;
  const long cents = ParseDollars(amount);
  for (int i = 0; i < 12; ++i) m_amounts[i].LoadValue(FormatCents(cents));
  m_bChanged = 1;
}

int CBudgetDlg::Validate() {
  CString texts[12];
  for (int i = 0; i < 12; ++i) {
    m_amounts[i].GetText(texts[i]);
    m_edited.months[MonthOfRow(i)] = static_cast<LONG>(ParseDollars(texts[i]));
  }
  for (int i = 0; i < 12; ++i) {
    const long amount = m_edited.months[MonthOfRow(i)];
    const char* limit = amount > 9999999 ? "($99999.99)" : amount < -999999 ? "($-9999.99)" : nullptr;
    if (!limit) continue;
    char message[96];
    std::snprintf(message, sizeof message, "%s:  Exceeds capacity %s", kShortMonths[MonthOfRow(i)], limit);
    SetFocusHwnd(::GetDlgItem(GetSafeHwnd(), IDC_BUD_AMOUNT0 + i));
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  return XferBudget(1, 0, m_pCurPos, &m_account, &m_edited);
}

void CBudgetDlg::WriteLog(FILE* out) {
  std::fputs("Row  ID    Del ", out);
  for (int m = 0; m < 12; ++m) std::fprintf(out, "%9ld ", static_cast<long>(m));
  LogLine(out, "%s", "");
  BudgetRecord rec;
  for (int row = 0; row < BudgetTable.rowCount; ++row) {
    if (ReadRecord(BudgetFile, rec, row) != 1) return;
    std::fprintf(out, "%4d %5d %3d ", row, static_cast<int>(rec.number), static_cast<int>(rec.status));
    for (int m = 0; m < 12; ++m) std::fprintf(out, "%9ld ", static_cast<long>(rec.months[m]));
    LogLine(out, "%s", "");
  }
}
