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

#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "registers/SplitDlg.h"
#include "registers/SuppSplitDlg.h"
#include "registers/TransDlg.h"
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
