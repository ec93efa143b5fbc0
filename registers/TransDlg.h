// The transaction form: the register of one asset, liability or system
// account in a list with its running balance, and below it one transaction
// being entered or changed with its support account (or several, through
// the support-account splits), reserve account, passbook split and
// remarks. Records are read and written through the record store only.
#pragma once

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/FillCombo.h"
#include "platform/commctrl/ListView.h"
#include "platform/dialogs/Dialog.h"
#include "registers/FormResize.h"
#include "store/Queries.h"
#include "store/Records.h"
#include "store/TransStore.h"

struct SettingsSection;

class CTransDlg : public CDialog {
 public:
  explicit CTransDlg(CWnd* parent = nullptr);
  ~CTransDlg() override;

  // The register's account, copied in by the opener.
  AccountRecord m_account{};

  // The sign factor of a type text: +1 for a text beginning with D, C or A
  // (and an empty one), else -1.
  static int FactorOfType(const char* type);

  // Saves the form as the Post button does; 1 when the store took it.
  int PostTrans();

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override {}
  void OnCancel() override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }
  bool IsMulti() const { return m_bMulti != 0; }
  int Factor() const { return m_work->transaction.factor; }
  int SelectedRow() const;
  // The selected row is a transaction of this register (not the opening
  // balance, an equipment row or another register's line). Told by the id
  // column: the number may be empty.
  bool SelectedIsTransaction() const;

  // One row of the register list: what it adds to the running balance and
  // its texts (columns 1-9; column 10 is the balance).
  struct RegisterRow {
    LONG id = -1;  // its transaction; -1 for the opening and equipment rows
    int transRow = -1;  // the transaction's key row
    long delta = 0;
    long balance = 0;
    std::string texts[10];
  };

  void FillAccountCombos(int flags);
  void SetListColumns();
  // Builds the whole register list (at opening, after a delete).
  void FillList(bool selectLast);
  // Puts the rows of transaction `id`, just saved, in place of its old
  // rows and follows the balances after them.
  void RefreshTransaction(LONG id, bool added);
  void RowsOf(const TransactionRecord& t, const SupportLineRecord* lines, std::vector<RegisterRow>& rows) const;
  // Inserts a row at list position `at` with its balance (kBalanceToCome:
  // set by the caller afterwards).
  void InsertListRow(int at, RegisterRow row, long balance);
  static constexpr long kBalanceToCome = LONG_MIN;
  void AddDescription(const char* payee, LONG account);
  void FillDescriptions();
  void UpdateTitle();
  int LoadTrans(bool fromList);
  void MarkChanged();
  void OnDateChange();
  void OnNumberChange();
  void OnDescriptionKillFocus();
  void OnTypeKillFocus();
  void OnAmountKillFocus();
  void OnSupportAccount();
  void OnReserveAccount();
  void CreateAccount(bool forSupport);
  void OnPassbookCheck();
  void OnPassbookSplit();
  void OnSplit();
  // Checks the form and saves it (the steps below, in order); 1 when the
  // store took it.
  int Validate();
  static constexpr size_t kMessageSize = 256;
  bool TakeHeader(char (&msg)[kMessageSize]);
  bool TakeAmount(char (&msg)[kMessageSize]);
  bool TakeSupport(char (&msg)[kMessageSize]);
  bool TakeRemarks(char (&msg)[kMessageSize]);
  bool CheckNumberInUse(char (&msg)[kMessageSize]);
  bool CheckRoom(char (&msg)[kMessageSize]);
  void CompleteSingleLine();
  void DropUnclaimedSplits();
  bool IsEquipmentPurchase() const;
  // Empties every support line and its passbook split (the form then shows
  // one support account, or none).
  void DiscardSupportLines();
  void OnEdit();
  void OnDelete();
  void OnReset();
  int AskSaveCurrent();
  void EnableControls();
  void EnableListButtons();
  void ShowAmount(long cents);

  char m_cClass = ' ';
  FormSize m_size;
  int m_cx = 0, m_cy = 0;
  int m_bChanged = 0;
  int m_bPosted = 0;
  int m_bMulti = 0;
  int m_nRow = -1;
  int m_nLoadedLines = 0;
  bool m_loading = false;
  std::unique_ptr<TransactionDetail> m_work, m_loaded;
  ListOfValues m_nonReserve, m_reserve;
  SettingsSection* m_pSection = nullptr;
  CString m_strPrevDescription;
  CListCtrl m_list;
  std::vector<RegisterRow> m_rows;  // parallel to the list's items
  CDateEditEx m_date;
  CFillCombo m_descr;
  CAmountEdit m_amount;
};

// Runs the transaction form on an account (the Register button's opener).
void RunTransactionForm(const AccountRecord& account);
