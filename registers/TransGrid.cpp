// The register grid.
#include "registers/TransGrid.h"

#include <cstdlib>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "registers/GridCellTypes.h"

namespace {

const char* const kBalanceTitles[3] = {"Balance", "Balance", "Net Alloc"};
const char* const kBalanceTips[3] = {"The account balance as of the transaction date",
                                     "The account balance as of the transaction date",
                                     "The total amount allocated as of the transaction date"};
const char* const kWithdrawalTitles[3] = {"Withdrawal", "Payment", "<null>"};
const char* const kDepositTitles[3] = {"Deposit", "Charge", "Amount"};
const char* const kWithdrawalTips[3] = {"The amount being withdrawn from the account",
                                        "The amount of debt being paid off", "<null>"};
const char* const kDepositTips[3] = {"The amount being deposited to the account",
                                     "The amount of debt being increased",
                                     "The positive or negative amount being allocated"};
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr WORD kTip = 51022;

}  // namespace

CTransGrid::CTransGrid() = default;

void CTransGrid::InitializeGrid() {
  CZanthGrid::InitializeGrid();
  SetupColumns();
}

void CTransGrid::SetupColumns() {
  SetColCount(16);
  SetRowHeight(1, 1, 18);
  static const int kWidths[17] = {0, 0, 52, 45, 45, 120, 65, 65, 2, 65, 2, 20, 40, 40, 20, 20, 40};
  for (ROWCOL c = 1; c <= 16; ++c) SetColWidth(c, c, kWidths[c]);
  SetCoveredCellsRowCol(0, kColPassbook, 0, kColPassbookButton);
  static const char* const kHeaders[17] = {"", "", "Date", "Mon", "Num", "Description", "", "", " ", "", " ",
                                           "C", "Suppt", "Resrv", "PassB", "PassB", "Notes"};
  for (ROWCOL c = 1; c <= 16; ++c) SetValueRange(CGXRange(0, c), kHeaders[c], 0, 0);
  SetValueRange(CGXRange(0, kColWithdrawal), kWithdrawalTitles[m_nKind], 0, 0);
  SetValueRange(CGXRange(0, kColDeposit), kDepositTitles[m_nKind], 0, 0);
  SetValueRange(CGXRange(0, kColBalance), kBalanceTitles[m_nKind], 0, 0);
  HideCols(kColId, kColId);
  SetFirstEditableColumn(kColNumber);
  auto column = [&](ROWCOL col, const CGXStyle& style, const char* tip) {
    ApplyStyle(CGXRange().SetCols(col, col), style, 0, 0);
    if (tip != nullptr) ApplyStyle(CGXRange(0, col), CGXStyle().SetUserAttribute(kTip, tip), 0, 0);
  };
  column(kColDate, CGXStyle().SetControl(kGridDateId), "Date on which the transaction occurred");
  column(kColMonth,
         CGXStyle().SetControl(GX_IDS_CTRL_CBS_DROPDOWNLIST)
             .SetChoiceList("Jan\nFeb\nMar\nApr\nMay\nJun\nJul\nAug\nSep\nOct\nNov\nDec"),
         "Budget month for which the transaction should be reported");
  column(kColNumber, CGXStyle().SetControl(kGridTNumId).SetMaxLength(8),
         "A number or code to help identify the transaction");
  column(kColDescription, CGXStyle().SetControl(kGridComboId).SetChoiceList("").SetMaxLength(25),
         "An appropriate description of the transaction");
  column(kColWithdrawal, CGXStyle().SetControl(kGridDollarId).SetHorizontalAlignment(DT_RIGHT),
         kWithdrawalTips[m_nKind]);
  column(kColDeposit, CGXStyle().SetControl(kGridDollarId).SetHorizontalAlignment(DT_RIGHT), kDepositTips[m_nKind]);
  column(kColGap1, CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetEnabled(FALSE).SetReadOnly(TRUE), nullptr);
  column(kColBalance,
         CGXStyle().SetControl(kGridDollarId).SetHorizontalAlignment(DT_RIGHT).SetEnabled(FALSE).SetReadOnly(TRUE),
         kBalanceTips[m_nKind]);
  column(kColGap2, CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetEnabled(FALSE).SetReadOnly(TRUE), nullptr);
  column(kColCleared,
         CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER),
         "Checked if you have confirmed the transaction\nhas appeared on a bank statement");
  const CGXStyle account = AccountCellStyle();
  column(kColSupport, CGXStyle(account).SetChoiceList(""),
         "The offset account(s) identifying the source\nor destination of the transaction funds");
  column(kColReserve, CGXStyle(account).SetChoiceList(""),
         "Optional reserve account (purpose) for which the funds are to be reserved");
  column(kColPassbook, CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D),
         "Checked if there are passbook holders involved\nin the offset transaction");
  const char* buttonTip = "Press the button to identify the passbook holders\ninvolved in the offset transaction";
  column(kColPassbookButton, CGXStyle().SetControl(GX_IDS_CTRL_PUSHBTN).SetChoiceList("...").SetUserAttribute(kTip, buttonTip),
         buttonTip);
  column(kColNotes, CGXStyle().SetControl(GX_IDS_CTRL_EDIT).SetMaxLength(40),
         "Supplemental information on the transaction");
  ApplyStyle(CGXRange(0, kColNotes), CGXStyle().SetHorizontalAlignment(DT_LEFT), 0, 0);
}

void CTransGrid::SetAccountKind(RegisterAccountKind kind) {
  if (kind < 0 || kind > 2) return;
  m_nKind = kind;
  SetValueRange(CGXRange(0, kColWithdrawal), kWithdrawalTitles[kind], 0, 0);
  SetValueRange(CGXRange(0, kColDeposit), kDepositTitles[kind], 0, 0);
  SetValueRange(CGXRange(0, kColBalance), kBalanceTitles[kind], 0, 0);
  const BOOL hide = kind == 2;
  HideCols(kColWithdrawal, kColWithdrawal, hide);
  HideCols(kColReserve, kColReserve, hide);
  HideCols(kColCleared, kColCleared, hide);
  ApplyStyle(CGXRange(0, kColWithdrawal), CGXStyle().SetUserAttribute(kTip, kWithdrawalTips[kind]), 0, 0);
  ApplyStyle(CGXRange(0, kColDeposit), CGXStyle().SetUserAttribute(kTip, kDepositTips[kind]), 0, 0);
  ApplyStyle(CGXRange(0, kColBalance), CGXStyle().SetUserAttribute(kTip, kBalanceTips[kind]), 0, 0);
}

void CTransGrid::SetSupportChoices(const std::vector<CString>& list) {
  m_SupportChoices = TabbedAccountChoices(list);
  ApplyStyle(CGXRange().SetCols(kColSupport, kColSupport), CGXStyle().SetChoiceList(JoinChoices(m_SupportChoices)), 0, 0);
  GXFreeChoiceListMaps(GetParam(), -1);
}

void CTransGrid::SetReserveChoices(const std::vector<CString>& list) {
  m_ReserveChoices = TabbedAccountChoices(list);
  ApplyStyle(CGXRange().SetCols(kColReserve, kColReserve), CGXStyle().SetChoiceList(JoinChoices(m_ReserveChoices)), 0, 0);
}

void CTransGrid::SetDescriptionChoices(const std::vector<CString>& list) {
  m_DescriptionChoices = list;
  ApplyStyle(CGXRange().SetCols(kColDescription, kColDescription),
             CGXStyle().SetChoiceList(JoinChoices(m_DescriptionChoices)), 0, 0);
}

BOOL CTransGrid::DeleteTransactionRow() {
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col)) return FALSE;
  const CString prompt = "Transaction '" + GetCellText(row, kColNumber) + "', dated " + GetCellText(row, kColDate);
  return DeleteRow(prompt);
}

BOOL CTransGrid::OnModifiedCell(ROWCOL row, ROWCOL col) {
  const BOOL result = CZanthGrid::OnModifiedCell(row, col);
  if (col <= kRegisterColumns) m_ColModified[col] = 1;
  return result;
}

BOOL CTransGrid::OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) {
  const BOOL result = CZanthGrid::OnLeftCell(row, col, newRow, newCol);
  if (col > kRegisterColumns || !m_ColModified[col]) return result;
  m_ColModified[col] = 0;
  m_nLastEditedRow = row;
  m_nLastEditedCol = col;
  if (col == kColDate) {
    const CString text = GetCellText(row, col);
    if (text.GetLength() >= 2) {
      const int month = std::atoi(text.Left(2));
      const bool digits = text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
      if (digits && month >= 1 && month <= 12) SetValueRange(CGXRange(row, kColMonth), kMonths[month - 1], 0, 1);
    }
  } else if (col == kColDescription || col == kColWithdrawal || col == kColDeposit || col == kColSupport) {
    Notify(GridNotifyLeftEdited);
  }
  return result;
}

BOOL CTransGrid::OnValidateCell(ROWCOL row, ROWCOL col) {
  const BOOL result = CZanthGrid::OnValidateCell(row, col);
  if (!result) return result;
  CGXControl* control = GetCurrentCellControl();
  // A dialog the notification opens takes the focus, and the grid validates
  // the same cell again on losing it: that one must not open it twice.
  if (control == nullptr || !control->GetModify() || m_bNotifyingCell) return result;
  m_bNotifyingCell = TRUE;
  if (col == kColWithdrawal || col == kColDeposit) Notify(GridNotifyAmountChanged);
  else if (col == kColReserve) Notify(GridNotifyReserveChanged);
  else if (col == kColSupport) Notify(GridNotifySupportChanged);
  m_bNotifyingCell = FALSE;
  return result;
}

void CTransGrid::OnCellButtonClicked(ROWCOL row, ROWCOL col) {
  if (col != kColPassbook && col != kColPassbookButton) {
    CZanthGrid::OnCellButtonClicked(row, col);
    return;
  }
  CString before;
  if (col == kColPassbook) {
    before = GetCellValue(row, kColPassbook) == "1" ? "0" : "1";
    Notify(GridNotifyPassbookCheck);
  } else {
    before = GetCellValue(row, kColPassbook);
    Notify(GridNotifyPassbookButton);
  }
  if (GetCellValue(row, kColPassbook) != before) {
    if (CGXControl* control = GetControl(row, kColPassbook)) {
      control->SetModify(TRUE);
      control->OnModifyCell();
    }
    SetEditState(EditStateModified | (IsEditState(EditStateNewRow) ? EditStateNewRow : 0));
  }
}

BOOL CTransGrid::FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) {
  const BOOL result = CZanthGrid::FetchCellStyle(row, col, style, mode, storeKind);
  if (row == 0 || storeKind != kStoreCell || (col != kColSupport && col != kColReserve && col != kColNotes) ||
      !style.GetIncludeValue())
    return result;
  const CString value = style.GetValue();
  if (value.IsEmpty()) return result;
  if (col == kColNotes) {
    style.SetUserAttribute(kTip, value);
    return result;
  }
  const CString tip = AccountChoiceTip(col == kColSupport ? m_SupportChoices : m_ReserveChoices, value);
  if (!tip.IsEmpty()) style.SetUserAttribute(kTip, tip);
  return result;
}

BOOL CTransGrid::IsColResizable(ROWCOL col) {
  return col != kColGap1 && col != kColGap2 && col != kColCleared && col != kColPassbook && col != kColPassbookButton;
}
