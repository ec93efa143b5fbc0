// The support grid.
#include "registers/SuppGrid.h"

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "registers/GridCellTypes.h"

namespace {
constexpr WORD kTip = 51022;
}  // namespace

void CSuppGrid::InitializeGrid() {
  CZanthGrid::InitializeGrid();
  SetupColumns();
}

void CSuppGrid::SetupColumns() {
  SetColCount(kSupportColumns);
  SetRowHeight(1, 1, 18);
  static const int kWidths[kSupportColumns + 1] = {0, 0, 150, 60, 2, 150, 25, 20, 40};
  for (ROWCOL c = 1; c <= kSupportColumns; ++c) SetColWidth(c, c, kWidths[c]);
  SetCoveredCellsRowCol(0, kSuppColPassbook, 0, kSuppColPassbookButton);
  static const char* const kHeaders[kSupportColumns + 1] = {
      "", "", "Support Account", "Amount", " ", "Reserve Account", "PassB", "PassB", "Notes"};
  for (ROWCOL c = 1; c <= kSupportColumns; ++c) SetValueRange(CGXRange(0, c), kHeaders[c], 0, 0);
  HideCols(kSuppColSlot, kSuppColSlot);
  SetFirstEditableColumn(kSuppColSupport);
  auto column = [&](ROWCOL col, const CGXStyle& style, const char* tip) {
    ApplyStyle(CGXRange().SetCols(col, col), style, 0, 0);
    if (tip != nullptr) ApplyStyle(CGXRange(0, col), CGXStyle().SetUserAttribute(kTip, tip), 0, 0);
  };
  const CGXStyle account = AccountCellStyle();
  column(kSuppColSupport, CGXStyle(account).SetChoiceList(""),
         "The offset account identifying the source\nor destination of the transaction funds");
  column(kSuppColAmount, CGXStyle().SetControl(kGridDollarId).SetHorizontalAlignment(DT_RIGHT),
         "The dollar amount associated with this\noffset account of the transaction");
  column(kSuppColGap, CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetEnabled(FALSE).SetReadOnly(TRUE), nullptr);
  column(kSuppColReserve, CGXStyle(account).SetChoiceList(""),
         "Optional reserve account (purpose) for which the funds are to be reserved");
  column(kSuppColPassbook,
         CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX3D).SetHorizontalAlignment(DT_CENTER).SetVerticalAlignment(DT_VCENTER),
         "Checked if there are passbook holders involved\nin the offset transaction");
  const char* buttonTip = "Press the button to identify the passbook holders\ninvolved in the offset transaction";
  column(kSuppColPassbookButton,
         CGXStyle().SetControl(GX_IDS_CTRL_PUSHBTN).SetChoiceList("...").SetUserAttribute(kTip, buttonTip), buttonTip);
  column(kSuppColNotes, CGXStyle().SetControl(GX_IDS_CTRL_EDIT).SetMaxLength(40),
         "Supplemental information on the transaction");
  ApplyStyle(CGXRange(0, kSuppColNotes), CGXStyle().SetHorizontalAlignment(DT_LEFT), 0, 0);
}

void CSuppGrid::SetSupportChoices(const std::vector<CString>& list) {
  m_SupportChoices = TabbedAccountChoices(list);
  ApplyStyle(CGXRange().SetCols(kSuppColSupport, kSuppColSupport),
             CGXStyle().SetChoiceList(JoinChoices(m_SupportChoices)), 0, 0);
  GXFreeChoiceListMaps(GetParam(), -1);
}

void CSuppGrid::SetReserveChoices(const std::vector<CString>& list) {
  m_ReserveChoices = TabbedAccountChoices(list);
  ApplyStyle(CGXRange().SetCols(kSuppColReserve, kSuppColReserve),
             CGXStyle().SetChoiceList(JoinChoices(m_ReserveChoices)), 0, 0);
  GXFreeChoiceListMaps(GetParam(), -1);
}

BOOL CSuppGrid::OnModifiedCell(ROWCOL row, ROWCOL col) {
  const BOOL result = CZanthGrid::OnModifiedCell(row, col);
  if (col <= kSupportColumns) m_ColModified[col] = 1;
  return result;
}

BOOL CSuppGrid::OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) {
  const BOOL result = CZanthGrid::OnLeftCell(row, col, newRow, newCol);
  if (col > kSupportColumns || !m_ColModified[col]) return result;
  m_ColModified[col] = 0;
  m_nLastRow = row;
  m_nLastCol = col;
  if (col == kSuppColSupport) Notify(SuppNotifySupportLeft);
  return result;
}

BOOL CSuppGrid::OnValidateCell(ROWCOL row, ROWCOL col) {
  const BOOL result = CZanthGrid::OnValidateCell(row, col);
  if (!result) return result;
  // Only a changed cell has anything new for the line.
  CGXControl* control = GetCurrentCellControl();
  // A dialog the notification opens takes the focus, and the grid validates
  // the same cell again on losing it: that one must not open it twice.
  if (control == nullptr || !control->GetModify() || m_bNotifyingCell) return result;
  m_bNotifyingCell = TRUE;
  if (col == kSuppColSupport) Notify(SuppNotifySupportChanged);
  else if (col == kSuppColAmount) Notify(SuppNotifyAmountChanged);
  else if (col == kSuppColReserve) Notify(SuppNotifyReserveChanged);
  m_bNotifyingCell = FALSE;
  return result;
}

void CSuppGrid::OnCellButtonClicked(ROWCOL row, ROWCOL col) {
  if (col != kSuppColPassbook && col != kSuppColPassbookButton) {
    CZanthGrid::OnCellButtonClicked(row, col);
    return;
  }
  CString before;
  if (col == kSuppColPassbook) {
    before = GetCellValue(row, kSuppColPassbook) == "1" ? "0" : "1";
    Notify(SuppNotifyPassbookCheck);
  } else {
    before = GetCellValue(row, kSuppColPassbook);
    Notify(SuppNotifyPassbookButton);
  }
  if (GetCellValue(row, kSuppColPassbook) != before) {
    if (CGXControl* control = GetControl(row, kSuppColPassbook)) {
      control->SetModify(TRUE);
      control->OnModifyCell();
    }
    SetEditState(EditStateModified | (IsEditState(EditStateNewRow) ? EditStateNewRow : 0));
  }
}

BOOL CSuppGrid::FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) {
  const BOOL result = CZanthGrid::FetchCellStyle(row, col, style, mode, storeKind);
  // The cells hold account numbers: the tip names the account.
  if (row == 0 || storeKind != kStoreCell || (col != kSuppColSupport && col != kSuppColReserve) ||
      !style.GetIncludeValue())
    return result;
  const CString tip =
      AccountChoiceTip(col == kSuppColSupport ? m_SupportChoices : m_ReserveChoices, style.GetValue());
  if (!tip.IsEmpty()) style.SetUserAttribute(kTip, tip);
  return result;
}

BOOL CSuppGrid::IsColResizable(ROWCOL col) { return col != kSuppColPassbook && col != kSuppColPassbookButton; }
