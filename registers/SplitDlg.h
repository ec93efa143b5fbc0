// The passbook split of one support line: the line's amount divided among
// the members who hold a passbook (units at a rate, cash, or an amount
// moved to or from the passbook), the rest being the unit's own share. The
// caller's split, member shares and amount are edited in place; the result
// is IDOK when anything changed.
#pragma once

#include <vector>

#include "common/AmountEdit.h"
#include "platform/dialogs/Dialog.h"
#include "store/Records.h"

class CScrollBar;

// Whether any of the kMemberSlots passbooks holds a share (cash or an
// account amount): a split with none is no split.
bool AnyPassbookShare(const SubAccountRecord* shares);

class CSplitDlg : public CDialog {
 public:
  explicit CSplitDlg(CWnd* parent = nullptr);

  // Inputs, set before the dialog runs.
  int m_nFactor = 1;
  int m_nTransAccount = 0;
  int m_nSupportAccount = 0;
  LONG* m_pAmount = nullptr;
  SplitRecord* m_pSplit = nullptr;
  SubAccountRecord* m_pShares = nullptr;  // kMemberSlots entries

  // A holder's share of `units` (hundredths) at `perUnit` cents a unit,
  // rounded half a cent away from zero, bounded to -99999.00 .. 999999.00
  // and cut toward zero to a multiple of `increment` cents (0 counts as 1).
  // The product is taken in 64 bits: the field limits overflow 32.
  static long ComputeShare(long perUnit, long increment, long units);

  static constexpr int kRows = 8;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;

 private:
  struct Holder {
    int row = 0;             // member row
    long projected = 0;      // balance after this split
    long current = 0;        // balance as read
    long contribution = 0;   // this split's share as it was recorded
  };

  SubAccountRecord& ShareOf(int holder) { return m_pShares[m_holders[static_cast<size_t>(holder)].row]; }
  bool HolderActive(int holder) const;
  int HolderCount() const { return static_cast<int>(m_holders.size()); }
  long StandardValue(const SubAccountRecord& s) const { return m_bCashStandard ? s.cash : s.accountAmount; }
  void SetStandardValue(SubAccountRecord& s, long value) {
    if (m_bCashStandard) s.cash = value; else s.accountAmount = value;
  }
  long SignedShare(const SubAccountRecord& s) const;

  void OnColumnChoice();
  void ShowRows(int position);
  void EnableRows();
  void UpdateTotals();
  void RecomputeShares();
  void OnSetAll();
  void OnRowFocus(int id);
  void OnRowLeft(int id);
  void ScrollTo(int position);
  long PassbooksTotal() const;

  std::vector<Holder> m_holders;
  CAmountEdit m_units[kRows], m_cash[kRows], m_account[kRows];
  CAmountEdit m_rate, m_increment;
  int m_nSplitFactor = 1;
  int m_bWarned = 0;
  int m_bCashStandard = 1;
  int m_bChanged = 0;
  int m_nMode = 1;  // 0 units, 1 cash, 2 account
  int m_nFocusRow = -1;
  int m_nFocusPos = -1;
  int m_nPos = 0;
  int m_bCarryBack = 0;
  bool m_filling = false;
  // Set by typing into a row's units: a units field only passed through is
  // left as it is (it shows one decimal of the two kept).
  int m_unitsTyped[kRows] = {};
};
