// Initial Passbook Reserves: splits a reserve account's opening balance
// between the unit and the passbook holders, one share per holder, in eight
// rows that scroll through the holders. Account Information sets the
// addresses below, copies the shares in and runs it; only OK writes the
// shares (and, when carried back, the opening balance) back.
#pragma once

#include <cstdio>

#include "common/AmountEdit.h"
#include "platform/dialogs/Dialog.h"
#include "store/KeyTable.h"

class CInitResDlg : public CDialog {
 public:
  explicit CInitResDlg(CWnd* parent = nullptr);

  static constexpr int kRows = 8;

  int* m_pOpening = nullptr;       // the account's edited opening balance
  int* m_pOwnerChanged = nullptr;  // Account Information's changed flag
  const int* m_pHolderCount = nullptr;
  const int* m_pHolders = nullptr;  // member rows
  int* m_pSharesOut = nullptr;      // Account Information's shares
  int m_shares[kMemberSlots] = {};  // the working copy
  int m_bChanged = 0;

  // The holders' total and the unit's part of the opening balance.
  long PassbookTotal() const;
  int TopPosition() const { return m_nPos; }

  // The maintenance dump of the reserve file ("reslog.txt").
  static void WriteLog(FILE* out);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  int HolderCount() const { return m_pHolderCount ? *m_pHolderCount : 0; }
  void FillRows(int position);
  void StoreVisible();
  void ShowTotals();
  void ScrollTo(int position);
  void CopyToAll();
  bool HolderEditable(int holder) const;

  CAmountEdit m_amounts[kRows];
  int m_nPos = 0;
  int m_nFocusRow = -1;
  bool m_carryBack = false;
  bool m_filling = false;
};
