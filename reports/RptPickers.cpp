#include "reports/RptPickers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"

namespace {

bool IsClass(HWND h, const char* name) {
  char cls[33] = "";
  ::GetClassName(h, cls, sizeof cls);
  return std::strcmp(cls, name) == 0;
}

bool AccountListed(const AcctKey& k) { return k.status == 0; }

// A member the passbook list shows: not deleted and holding a passbook.
bool HolderListed(const MemberKey& k) { return k.status != 2 && k.passbook != 0; }

template <class Visit>
void EachAccountByNumber(Visit visit) {
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const int row = AcctTable.byNumber[static_cast<size_t>(pos)];
    visit(AcctTable.keys[static_cast<size_t>(row)], row);
  }
}

template <class Visit>
void EachMemberByIndex(Visit visit) {
  for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
    const int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
    visit(MemberTable.keys[static_cast<size_t>(row)], row);
  }
}

}  // namespace

HWND CAcctPicker::Control() const { return list_ ? list_ : combo_; }

void CAcctPicker::Attach(CWnd* control, const char* classLetters) {
  list_ = combo_ = nullptr;
  cycle_ = 0;
  HWND h = control ? control->GetSafeHwnd() : nullptr;
  if (h && IsClass(h, "ListBox")) list_ = h;
  else if (h && IsClass(h, "ComboBox")) combo_ = h;
  if (!Control()) return;
  ::SendMessage(Control(), list_ ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  EachAccountByNumber([&](const AcctKey& k, int) {
    if (!AccountListed(k)) return;
    const char letter = GetAcctClass(k.number);
    if (classLetters && (letter == ' ' || !std::strchr(classLetters, letter))) return;
    char entry[48];
    std::snprintf(entry, sizeof entry, "%d/%s", static_cast<int>(k.number), k.name);
    const LRESULT at =
        ::SendMessage(Control(), list_ ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    if (at >= 0) ::SendMessage(Control(), list_ ? LB_SETITEMDATA : CB_SETITEMDATA, static_cast<WPARAM>(at), k.number);
  });
  Fill();
}

int CAcctPicker::FindEntry(int number) const {
  // "%d/" keeps account 1 from finding the entry of account 10.
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%d/", number);
  const LRESULT at =
      ::SendMessage(Control(), list_ ? LB_FINDSTRING : CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix));
  if (at < 0) return -1;
  char text[64] = "";
  ::SendMessage(Control(), list_ ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0 ? static_cast<int>(at) : -1;
}

void CAcctPicker::Fill() {
  if (combo_) {
    ::SendMessage(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    bool chosen = false;
    EachAccountByNumber([&](const AcctKey& k, int) {
      if (chosen || !AccountListed(k) || !k.selected) return;
      const int at = FindEntry(k.number);
      if (at < 0) return;
      ::SendMessage(combo_, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
      chosen = true;
    });
    return;
  }
  if (!list_) return;
  const LRESULT top = ::SendMessage(list_, LB_GETTOPINDEX, 0, 0);
  ::SendMessage(list_, LB_SETSEL, FALSE, -1);
  EachAccountByNumber([&](const AcctKey& k, int) {
    if (!AccountListed(k)) return;
    const int at = FindEntry(k.number);
    if (at < 0) return;
    const bool on = cycle_ == 0 ? k.selected != 0 : cycle_ == 1;
    ::SendMessage(list_, LB_SETSEL, on ? TRUE : FALSE, at);
  });
  ::SendMessage(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top < 0 ? 0 : top), 0);
  cycle_ = (cycle_ + 1) % 3;
}

void CAcctPicker::ReadSelection() {
  if (combo_) {
    for (int r = 0; r < AcctTable.rowCount; ++r) AcctTable.keys[static_cast<size_t>(r)].selected = 0;
    const LRESULT at = ::SendMessage(combo_, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (at >= 0) ::SendMessage(combo_, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    else ::GetWindowText(combo_, text, sizeof text);
    int pos = -1;
    if (std::atoi(text) != 0 && FindAcctIndex(std::atoi(text), &pos) == 1)
      AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].selected = 1;
    return;
  }
  if (!list_) return;
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    k.selected = 0;
    const int at = FindEntry(k.number);
    if (at >= 0 && AccountListed(k) && ::SendMessage(list_, LB_GETSEL, static_cast<WPARAM>(at), 0) > 0)
      k.selected = 1;
  }
}

bool CAcctPicker::SaveSelection() {
  m_error.Empty();
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (!AccountListed(k)) continue;
    AccountRecord rec;
    if (ReadRecord(AcctFile, rec, r) != 1) {
      FormatErrorTextStr(m_error, ERR_READ, "account");
      continue;
    }
    rec.selected = k.selected;
    if (WriteRecord(AcctFile, rec, r) != 1) FormatErrorTextStr(m_error, ERR_WRITE, "account");
  }
  return m_error.IsEmpty();
}

int CAcctPicker::GetSelectedIds(std::vector<int>& out) const {
  int count = 0;
  EachAccountByNumber([&](const AcctKey& k, int) {
    if (!k.selected) return;
    if (count >= static_cast<int>(out.size())) out.resize(static_cast<size_t>(count) + 1);
    out[static_cast<size_t>(count++)] = k.number;
  });
  return count;
}

int CAcctPicker::SelectedEntries() const {
  if (combo_) return ::SendMessage(combo_, CB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
  return list_ ? static_cast<int>(::SendMessage(list_, LB_GETSELCOUNT, 0, 0)) : 0;
}

void CPassbookList::Attach(CWnd* listBox) {
  list_ = listBox ? listBox->GetSafeHwnd() : nullptr;
  cycle_ = 0;
  if (!list_) return;
  ::SendMessage(list_, LB_RESETCONTENT, 0, 0);
  for (LONG type = 0; type <= 2; ++type)
    EachMemberByIndex([&](const MemberKey& k, int row) {
      if (k.type != type || !HolderListed(k)) return;
      char entry[80];
      FormatPersonName(nullptr, 1, k, nullptr, entry);
      // Appended in index order: the list is not sorted, so the row rides
      // along with its entry and two holders of one name stay apart.
      const LRESULT at = ::SendMessage(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
      if (at >= 0) ::SendMessage(list_, LB_SETITEMDATA, static_cast<WPARAM>(at), row);
    });
  Fill();
}

int CPassbookList::FindEntry(int row) const {
  const LRESULT count = ::SendMessage(list_, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (::SendMessage(list_, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == row) return static_cast<int>(i);
  return -1;
}

void CPassbookList::Fill() {
  if (!list_) return;
  const LRESULT top = ::SendMessage(list_, LB_GETTOPINDEX, 0, 0);
  ::SendMessage(list_, LB_SETSEL, FALSE, -1);
  EachMemberByIndex([&](const MemberKey& k, int row) {
    if (!HolderListed(k)) return;
    const int at = FindEntry(row);
    if (at < 0) return;
    bool on = false;
    switch (cycle_) {
      case 0: on = k.selected != 0; break;
      case 1: on = true; break;
      case 2: on = k.status == 0; break;
      default: on = false; break;
    }
    ::SendMessage(list_, LB_SETSEL, on ? TRUE : FALSE, at);
  });
  ::SendMessage(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top < 0 ? 0 : top), 0);
  cycle_ = (cycle_ + 1) % 4;
}

void CPassbookList::ReadSelection() {
  if (!list_) return;
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
    k.selected = 0;
    if (!HolderListed(k)) continue;
    const int at = FindEntry(r);
    if (at >= 0 && ::SendMessage(list_, LB_GETSEL, static_cast<WPARAM>(at), 0) > 0) k.selected = 1;
  }
}

bool CPassbookList::SaveSelection() {
  m_error.Empty();
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
    if (!HolderListed(k)) continue;
    MemberRow form{};
    if (ReadMemberRecord(MemberFile, &form, 4, 0, r) != 1) {
      FormatErrorTextStr(m_error, ERR_READ, "passbook");
      continue;
    }
    form.selected = k.selected;
    if (WriteMemberRecord(MemberFile, &form, r) != 1) FormatErrorTextStr(m_error, ERR_WRITE, "passbook");
  }
  return m_error.IsEmpty();
}

int CPassbookList::GetSelectedRows(std::vector<int>& out) const {
  int count = 0;
  EachMemberByIndex([&](const MemberKey& k, int row) {
    if (!k.selected) return;
    if (count >= static_cast<int>(out.size())) out.resize(static_cast<size_t>(count) + 1);
    out[static_cast<size_t>(count++)] = row;
  });
  return count;
}

int CPassbookList::SelectedEntries() const {
  return list_ ? static_cast<int>(::SendMessage(list_, LB_GETSELCOUNT, 0, 0)) : 0;
}

void WarnPickerFailure(const CAcctPicker* accounts, const CPassbookList* passbooks) {
  // The report is built from the selection in memory all the same; the
  // treasurer learns that it will not be the next dialog's starting point.
  const CString* error = nullptr;
  if (accounts && !accounts->m_error.IsEmpty()) error = &accounts->m_error;
  else if (passbooks && !passbooks->m_error.IsEmpty()) error = &passbooks->m_error;
  if (error) DispMessage(*error, MSG_WARNING);
}
