// The support lines of one register transaction as a grid: one row a line
// with its support account, amount, reserve account, passbook split and
// notes, and the notifications of single cells to the dialog.
#pragma once

#include <vector>

#include "registers/ZanthGrid.h"

enum SupportGridNotifyCode : UINT {
  SuppNotifySupportLeft = 1324,
  SuppNotifyAmountChanged = 1326,
  SuppNotifyReserveChanged = 1327,
  SuppNotifySupportChanged = 1328,
  SuppNotifyPassbookButton = 1330,
  SuppNotifyPassbookCheck = 1331,
};

enum SupportColumn : ROWCOL {
  kSuppColSlot = 1, kSuppColSupport, kSuppColAmount, kSuppColGap, kSuppColReserve, kSuppColPassbook,
  kSuppColPassbookButton, kSuppColNotes,
  kSupportColumns = kSuppColNotes,
};

class CSuppGrid : public CZanthGrid {
 public:
  CSuppGrid() = default;

  // Entries "number / name": the choices of the support and reserve columns.
  void SetSupportChoices(const std::vector<CString>& list);
  void SetReserveChoices(const std::vector<CString>& list);
  void GetLastModifiedCell(ROWCOL& row, ROWCOL& col) const {
    row = m_nLastRow;
    col = m_nLastCol;
  }

  void InitializeGrid() override;
  BOOL FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) override;
  BOOL IsColResizable(ROWCOL col) override;
  BOOL OnValidateCell(ROWCOL row, ROWCOL col) override;
  BOOL OnModifiedCell(ROWCOL row, ROWCOL col) override;
  BOOL OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) override;
  void OnCellButtonClicked(ROWCOL row, ROWCOL col) override;

 private:
  void SetupColumns();

  std::vector<CString> m_ReserveChoices, m_SupportChoices;
  ROWCOL m_nLastRow = static_cast<ROWCOL>(-1), m_nLastCol = static_cast<ROWCOL>(-1);
  int m_ColModified[kSupportColumns + 1] = {};
};
