// The support lines of one transaction with several support accounts (or
// one with remarks): the used line slots in a list and one line edited
// below it, each with its reserve account, passbook split and remarks. It
// edits the opener's working buffers in place; IDOK when a line was posted,
// deleted or the lines' total carried back.
#pragma once

#include <memory>

#include "common/AmountEdit.h"
#include "platform/commctrl/ListView.h"
#include "platform/dialogs/Dialog.h"
#include "registers/FormResize.h"
#include "store/Queries.h"
#include "store/Records.h"
#include "store/SplitStore.h"
#include "store/TransStore.h"

struct SettingsSection;

class CSuppSplitDlg : public CDialog {
 public:
  // `detail` is the opener's working transaction: its lines, splits and
  // shares are edited in place.
  explicit CSuppSplitDlg(TransactionDetail& detail, CWnd* parent = nullptr);
  ~CSuppSplitDlg() override;

  // Inputs, all pointing into the opener's working data.
  const AccountRecord* m_pAccount = nullptr;
  const int* m_pLoadedLines = nullptr;
  ListOfValues* m_pReserveList = nullptr;
  ListOfValues* m_pNonReserveList = nullptr;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override {}
  void OnCancel() override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  HWND Item(int id) const { return ::GetDlgItem(GetSafeHwnd(), id); }
  char AccountLetter() const;
  int UsedSlots() const;
  int SelectedRow() const;

  void FillAccountCombos(int flags);
  void FillList(bool selectLast);
  void UpdateTotals();
  void LoadLine(bool fromList);
  void OnSupportAccount();
  void OnReserveAccount();
  void CreateAccount(bool forSupport);
  void OnAmountKillFocus();
  void OnPassbookSplit();
  void OnPassbookCheck();
  int SaveLine();
  int PostLine();
  int AskSaveCurrent();
  void OnEdit();
  void OnDelete();
  void OnReset();
  void EnableControls();
  void EnableListButtons();
  void MarkChanged();

  TransactionDetail& m_detail;
  CListCtrl m_list;
  CAmountEdit m_amount;
  SettingsSection* m_pSection = nullptr;
  int m_cx = 0, m_cy = 0;
  FormSize m_size;
  int m_bChanged = 0;
  int m_bPosted = 0;
  bool m_loading = false;
  SupportLineRecord m_line{};
  SplitRecord m_split{};
  std::unique_ptr<SubAccountRecord[]> m_shares;  // kMemberSlots
};
