// Helpers of the transaction screens' tests: choosing from a drop list, the
// form run on a fixture account with a script, and the split dialogs run on
// a caller's buffers.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXGridCombo.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "registers/SplitDlg.h"
#include "registers/SuppGridDlg.h"
#include "registers/SuppSplitDlg.h"
#include "registers/TransDlg.h"
#include "registers/ZanthGrid.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/TransStore.h"

// Chooses the first item of a drop list that begins with `prefix`, as a
// click in the list would.
inline void Choose(HWND dlg, int id, const std::string& prefix) {
  HWND combo = GetDlgItem(dlg, id);
  const int index = static_cast<int>(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(prefix.c_str())));
  ASSERT_GE(index, 0) << prefix;
  SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  automation::PumpUntilIdle();
}

// Runs the transaction form on the fixture account `number`; the script
// drives it (the loop ends with IDABORT when the script left it open).
inline int RunTransactionFormOn(int number, std::function<void(HWND)> script) {
  char caption[16];
  std::snprintf(caption, sizeof caption, "%d / ", number);
  automation::OnDialog(caption, std::move(script), IDABORT);
  CTransDlg dlg;
  dlg.m_account = fixture::FiscalYear::Account(number);
  return static_cast<int>(dlg.DoModal());
}

// A new transaction of register 101 with a factor of -1 and `amount`, its
// lines, splits and shares cleared.
inline std::unique_ptr<TransactionDetail> NewSupportTransaction(LONG amount) {
  auto d = std::make_unique<TransactionDetail>();
  ResetTransactionDetail(d->lines, d->splits, d->shares);
  d->transaction.id = NextTransId;
  d->transaction.account = 101;
  d->transaction.factor = -1;
  d->transaction.amount = amount;
  return d;
}

// Runs the support-account splits of `d` from register 101 with no lines
// loaded before.
inline int RunSupportSplits(TransactionDetail& d) {
  AccountRecord account = fixture::FiscalYear::Account(101);
  ListOfValues reserve, nonReserve;
  int loaded = 0;
  CSuppSplitDlg dlg(d);
  dlg.m_pAccount = &account;
  dlg.m_pLoadedLines = &loaded;
  dlg.m_pReserveList = &reserve;
  dlg.m_pNonReserveList = &nonReserve;
  return static_cast<int>(dlg.DoModal());
}

// Runs the passbook split of a support line of `supportAccount` in register
// `transAccount` on the caller's amount, split and shares.
inline int RunPassbookSplit(int factor, int transAccount, int supportAccount, LONG* amount, SplitRecord* split,
                            SubAccountRecord* shares) {
  CSplitDlg dlg;
  dlg.m_nFactor = factor;
  dlg.m_nTransAccount = transAccount;
  dlg.m_nSupportAccount = supportAccount;
  dlg.m_pAmount = amount;
  dlg.m_pSplit = split;
  dlg.m_pShares = shares;
  return static_cast<int>(dlg.DoModal());
}

// Types `text` into a grid cell as the user would: the cell is made current
// and the keys go to the grid.
inline void TypeIntoCell(CZanthGrid* grid, ROWCOL row, ROWCOL col, const std::string& text) {
  grid->SetFocus();
  ASSERT_TRUE(grid->SetCurrentCell(row, col)) << "cell " << row << "," << col;
  automation::PumpUntilIdle();
  automation::TypeText(text);
  automation::PumpUntilIdle();
}

// A click in the middle of a grid cell, far enough in time from the last
// one not to make a double click.
inline void ClickCell(CZanthGrid* grid, ROWCOL row, ROWCOL col) {
  automation::AdvanceClock(600);
  automation::Click(grid->GetSafeHwnd(), grid->CalcCellRect(row, col).CenterPoint());
  automation::PumpUntilIdle();
}

// The combo cell at (row, col) made current with its list dropped: the
// cell's control, the pop-up and the list inside it (null where missing).
struct DroppedCellList {
  CGXComboBox* combo = nullptr;
  HWND popup = nullptr;
  HWND list = nullptr;
};
inline DroppedCellList DropCellList(CZanthGrid* grid, ROWCOL row, ROWCOL col) {
  DroppedCellList d;
  grid->SetCurrentCell(row, col);
  automation::PumpUntilIdle();
  d.combo = dynamic_cast<CGXComboBox*>(grid->GetCurrentCellControl());
  if (d.combo == nullptr) return d;
  d.combo->ShowDropDown(TRUE);
  automation::PumpUntilIdle();
  d.popup = automation::FindByClass(GXGetPopupWndClassName());
  if (d.popup != nullptr) d.list = ::GetWindow(d.popup, GW_CHILD);
  return d;
}

// Runs the support grid of `d` from register `account` with no lines loaded
// before; the script drives it.
inline int RunSupportGrid(TransactionDetail& d, int account, std::function<void(HWND)> script) {
  automation::OnDialog("Support Account", std::move(script), IDABORT);
  AccountRecord record = fixture::FiscalYear::Account(account);
  int loaded = 0;
  CSuppGridDlg dlg(d);
  dlg.m_pAccount = &record;
  dlg.m_pLoadedLines = &loaded;
  return static_cast<int>(dlg.DoModal());
}

// The visible passbook row of the passbook split whose name contains `name`.
inline int PassbookHolderRow(HWND h, const char* name) {
  for (int i = 0; i < CSplitDlg::kRows; ++i) {
    char text[128] = "";
    GetWindowText(GetDlgItem(h, IDC_PBS_NAME0 + i), text, sizeof text);
    if (std::string(text).find(name) != std::string::npos) return i;
  }
  return -1;
}

// Types an amount into a passbook row field and leaves it.
inline void TypeIntoPassbookField(HWND h, int id, const char* text) {
  SetFocus(GetDlgItem(h, id));
  automation::PumpUntilIdle();
  automation::TypeText(text);
  automation::PumpUntilIdle();
  SetFocus(GetDlgItem(h, IDC_PBS_SCROLL));
  automation::PumpUntilIdle();
}
