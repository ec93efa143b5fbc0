// The account register's grid: one row a transaction with the running
// balance, the register's 16 columns, titles and tips by the kind of
// account, the account and description choices, and the notifications of
// single cells (amount, support and reserve account, passbook split).
#pragma once

#include <vector>

#include "registers/ZanthGrid.h"

enum RegisterNotifyCode : UINT {
  GridNotifyLeftEdited = 1224,
  GridNotifyAmountChanged = 1225,
  GridNotifyReserveChanged = 1226,
  GridNotifySupportChanged = 1227,
  GridNotifyPassbookButton = 1229,
  GridNotifyPassbookCheck = 1230,
};

// The register's columns.
enum RegisterColumn : ROWCOL {
  kColId = 1, kColDate, kColMonth, kColNumber, kColDescription, kColWithdrawal, kColDeposit, kColGap1,
  kColBalance, kColGap2, kColCleared, kColSupport, kColReserve, kColPassbook, kColPassbookButton, kColNotes,
  kRegisterColumns = kColNotes,
};

// 0 asset, 1 liability, 2 system account.
using RegisterAccountKind = int;

class CTransGrid : public CZanthGrid {
 public:
  CTransGrid();

  void SetAccountKind(RegisterAccountKind kind);
  RegisterAccountKind GetAccountKind() const { return m_nKind; }
  // Entries "number / name": the choices of columns 12 and 13.
  void SetSupportChoices(const std::vector<CString>& list);
  void SetReserveChoices(const std::vector<CString>& list);
  void SetDescriptionChoices(const std::vector<CString>& list);
  void GetLastEditedCell(ROWCOL& row, ROWCOL& col) const {
    row = m_nLastEditedRow;
    col = m_nLastEditedCol;
  }
  BOOL DeleteTransactionRow();

  void InitializeGrid() override;
  BOOL FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) override;
  BOOL IsColResizable(ROWCOL col) override;
  BOOL OnValidateCell(ROWCOL row, ROWCOL col) override;
  BOOL OnModifiedCell(ROWCOL row, ROWCOL col) override;
  BOOL OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) override;
  void OnCellButtonClicked(ROWCOL row, ROWCOL col) override;

 private:
  void SetupColumns();

  std::vector<CString> m_SupportChoices, m_ReserveChoices, m_DescriptionChoices;
  RegisterAccountKind m_nKind = 0;
  ROWCOL m_nLastEditedCol = 0;
  ROWCOL m_nLastEditedRow = static_cast<ROWCOL>(-1);
  int m_ColModified[kRegisterColumns + 1] = {};
};
