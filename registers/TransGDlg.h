// The account register as a grid: one row a transaction in date order with
// the running balance; the treasurer inserts, edits, saves, resets and
// deletes transactions in place. The dialog keeps the transaction of the
// current row in its edit buffers, changes them as single cells change and
// saves them through the store when the row is saved.
#pragma once

#include <memory>
#include <vector>

#include "platform/dialogs/Dialog.h"
#include "registers/FormResize.h"
#include "registers/TransGrid.h"
#include "store/Queries.h"
#include "store/Records.h"
#include "store/TransStore.h"

struct SettingsSection;

class CTransGDlg : public CDialog {
 public:
  explicit CTransGDlg(CWnd* parent = nullptr);
  ~CTransGDlg() override;

  // The register's account, copied in by the opener.
  AccountRecord m_account{};

  CTransGrid& Grid() { return m_grid; }
  // The transaction of the current row as being edited.
  const TransactionDetail& EditBuffers() const { return *m_edit; }
  long RunningBalance() const { return m_nRunningBalance; }

  // Validates and saves the current row; true when it passed every check
  // and the store took it.
  bool SaveRow();
  CString GetAmountText(ROWCOL row);
  void SetRowAmount(ROWCOL row, long amount);
  void RecomputeBalances(ROWCOL fromRow);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override;
  void OnSize(UINT type, int cx, int cy) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void LoadAccountLists(int flags);
  void LoadRegister(bool first);
  void LoadDescriptionChoices();
  void UpdateTotals();
  void UpdateButtons();
  void UpdateRowControls(ROWCOL row);
  void OnLoadTrans();
  void LoadTrans(int index);
  void OnInsert();
  void OnDelete();
  void OnSave();
  void OnPrint();
  void OnGridStateChanged();
  // Row editing: the cells the user changed.
  void OnLeftEdited();
  void AmountChanged(ROWCOL row, ROWCOL col);
  void SupportChanged(ROWCOL row);
  void ReserveChanged(ROWCOL row);
  void AutoFillFromDescription(ROWCOL row);
  void OnPassbookCheck();
  void EditPassbookSplit();
  void OnSupportGrid();
  void OnNextNumber(HWND edit);
  void OnNewAccount(HWND edit);
  ROWCOL CurrentRow();
  char ClassOf(int account) const;
  bool IsSingleLine() const { return m_edit->transaction.multiLine == 0; }
  void SetCell(ROWCOL row, ROWCOL col, const CString& text);

  std::unique_ptr<TransactionDetail> m_edit, m_loaded;
  std::vector<CString> m_supportChoices, m_reserveChoices;
  char m_cClass = ' ';
  long m_nRunningBalance = 0;
  CTransGrid m_grid;
  int m_nHighestNumber = 0;
  int m_bChanged = 0;
  int m_nLineCount = 0;
  int m_nCurrentIndex = -1;
  ListOfValues m_nonReserve, m_reserve;
  FormSize m_size;
  int m_cx = 0, m_cy = 0;
  SettingsSection* m_pGridSection = nullptr;
  SettingsSection* m_pTransSection = nullptr;
  bool m_insertPosted = false;
};

// Runs the register grid on an account (the Register button's opener).
void RunRegisterGrid(const AccountRecord& account);
