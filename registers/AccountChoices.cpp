#include "registers/AccountChoices.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "records/AcctDlg.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"

void ComboClear(HWND combo) { ::SendMessage(combo, CB_RESETCONTENT, 0, 0); }

void ComboAdd(HWND combo, const char* text) {
  ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

CString ComboText(HWND combo) {
  const int sel = static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0));
  if (sel < 0) return CString();
  char text[256] = "";
  const int len = static_cast<int>(::SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0));
  if (len < 0 || len >= static_cast<int>(sizeof text)) return CString();
  ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
  return CString(text);
}

bool ComboSelectPrefix(HWND combo, const char* prefix) {
  int found = -1;
  if (prefix && prefix[0]) {
    const size_t n = std::strlen(prefix);
    const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count && found < 0; ++i) {
      char text[256] = "";
      const int len = static_cast<int>(::SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
      if (len < 0 || len >= static_cast<int>(sizeof text)) continue;
      ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      if (std::strncmp(text, prefix, n) == 0) found = i;
    }
  }
  ::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  return found >= 0;
}

bool ComboSelectAccount(HWND combo, int number) {
  if (number == 0) return ComboSelectPrefix(combo, nullptr);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "%d /", number);
  return ComboSelectPrefix(combo, prefix);
}

bool AccountSlotFree() { return AcctTable.freeCount > 0; }

void FillSupportChoices(HWND combo, const ListOfValues& nonReserve, const ListOfValues& reserve,
                        int registerAccount, bool withSplit) {
  ComboClear(combo);
  const bool allocation = registerAccount == kReserveAllocationAccount;
  if (allocation) ComboAdd(combo, " ");
  const ListOfValues& list = allocation ? reserve : nonReserve;
  for (int i = 0; i < list.Count(); ++i) {
    const char* text = list.texts[static_cast<size_t>(i)].data();
    if (LeadingNumber(text) == registerAccount) continue;
    ComboAdd(combo, text);
  }
  if (withSplit) ComboAdd(combo, "Split");
  if (AccountSlotFree()) ComboAdd(combo, "New");
}

void FillReserveChoices(HWND combo, const ListOfValues& reserve) {
  ComboClear(combo);
  ComboAdd(combo, " ");
  for (int i = 0; i < reserve.Count(); ++i) ComboAdd(combo, reserve.texts[static_cast<size_t>(i)].data());
  if (AccountSlotFree()) ComboAdd(combo, "New");
}

int CreateAccountByDialog(CWnd* parent) {
  int pos = -1;
  CAcctDlg dlg(parent);
  dlg.m_bNew = 1;
  dlg.m_pCurPos = &pos;
  if (!dlg.LoadRecord(1)) return 0;
  dlg.DoModal();
  if (pos < 0 || pos >= static_cast<int>(AcctTable.byNumber.size())) return 0;
  const int row = AcctTable.byNumber[static_cast<size_t>(pos)];
  if (row < 0 || row >= AcctTable.rowCount) return 0;
  return AcctTable.keys[static_cast<size_t>(row)].number;
}

int LeadingNumber(const char* text) { return text ? std::atoi(text) : 0; }

int CreateAccountFromChoice(CWnd* parent, HWND target, HWND other, bool forSupport,
                            const std::function<void(int flags)>& refill) {
  const int number = CreateAccountByDialog(parent);
  if (number == 0) {
    ComboSelectPrefix(target, nullptr);
    return 0;
  }
  if (AccountSlotFree()) {
    refill(forSupport ? 1 : 2);
  } else {
    const CString kept = ComboText(other);
    refill(3);
    ComboSelectPrefix(other, kept);
  }
  ComboSelectAccount(target, number);
  return number;
}
