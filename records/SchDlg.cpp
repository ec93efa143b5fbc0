#include "records/SchDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "platform/commctrl/TabCtrl.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/CancelQuestion.h"
#include "records/ScheduleDates.h"
#include "records/ScheduleParticipants.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/OtherStores.h"
#include "store/Xfer.h"

namespace {

constexpr int kHelpContext = DialogHelpContext(IDD_SCHED_DATES);

HWND MakeControl(CWnd* parent, const char* cls, const char* text, DWORD style, const RECT& r, int id) {
  HWND h = ::CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, parent->GetSafeHwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessage(h, WM_SETFONT, static_cast<WPARAM>(parent->SendMessage(WM_GETFONT)), FALSE);
  return h;
}

}  // namespace

CSchDlg::CSchDlg(CWnd* parent) : CPropertySheet("Schedule Information", parent) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
  AddPage(&m_gen);
  AddPage(&m_dates);
  AddPage(&m_part);
}

int CSchDlg::EditedRow() const {
  if (m_bNew || !m_pCurPos || *m_pCurPos < 0 || *m_pCurPos >= ScheduleTable.rowCount) return -1;
  return ScheduleTable.byName[static_cast<size_t>(*m_pCurPos)];
}

BOOL CSchDlg::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  // Every page once, so that its controls exist and hold the record.
  SetActivePage(&m_part);
  SetActivePage(&m_dates);
  SetActivePage(&m_gen);
  BuildHeader();
  LayOutButtons();
  LoadRecord(1);
  m_part.LoadRecord(0);
  m_dates.LoadRecord(0);
  m_gen.Load();
  if (!m_bNew) SetActivePage(&m_dates);
  RefreshTabCaptions();
  ClearChanged();
  PostMessage(kFocusName);
  return FALSE;
}

LRESULT CSchDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kFocusName) {
    if (CWnd* name = GetDlgItem(IDC_SCH_NAME)) SetFocusHwnd(name->GetSafeHwnd());
    return 0;
  }
  return CPropertySheet::WindowProc(message, wParam, lParam);
}

// Room above the tabs for the icon, the bold label, a line, the name and the
// account; everything the sheet made moves down by that much.
void CSchDlg::BuildHeader() {
  CRect unit(0, 0, 4, 8);
  MapDialogRect(&unit);
  auto du = [&](int x, int y, int w, int h) {
    return RECT{x * unit.right / 4, y * unit.bottom / 8, (x + w) * unit.right / 4, (y + h) * unit.bottom / 8};
  };
  m_headerHeight = 64 * unit.bottom / 8;
  for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    ::GetWindowRect(child, &r);
    ScreenToClient(&r);
    ::SetWindowPos(child, nullptr, r.left, r.top + m_headerHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CRect client;
  GetClientRect(&client);
  MakeControl(this, "Static", "", SS_ICON, du(7, 4, 20, 20), IDC_SCH_HEADER_ICON);
  ShowUnitIcon(this, IDC_SCH_HEADER_ICON);
  MakeControl(this, "Static", "Schedule Information", SS_LEFT | SS_NOPREFIX, du(34, 8, 160, 14),
              IDC_SCH_HEADER_TITLE);
  if (CWnd* title = GetDlgItem(IDC_SCH_HEADER_TITLE)) SetBoldFont(title->GetSafeHwnd());
  RECT line = du(7, 28, 0, 1);
  line.right = client.right - line.left;
  line.bottom = line.top + 2;
  MakeControl(this, "Static", "", SS_ETCHEDHORZ, line, IDC_SCH_HEADER_LINE);
  MakeControl(this, "Static", "&Schedule Name:", SS_LEFT, du(7, 36, 58, 8), IDC_SCH_NAME_LABEL);
  HWND name = MakeControl(this, "Edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, du(68, 34, 110, 12),
                          IDC_SCH_NAME);
  ::SendMessage(name, EM_LIMITTEXT, 25, 0);
  MakeControl(this, "Static", "A&ccount:", SS_LEFT, du(7, 50, 58, 8), IDC_SCH_ACCOUNT_LABEL);
  HWND account = MakeControl(this, "ComboBox", "", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
                             du(68, 48, 150, 90), IDC_SCH_ACCOUNT);
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    const char cls = GetAcctClass(k.number);
    if (k.status == kStatusDeleted || (cls != 'I' && cls != 'E')) continue;
    char text[48];
    std::snprintf(text, sizeof text, "%03d (%s)", static_cast<int>(k.number), k.name);
    ::SendMessage(account, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  // The header comes first in the tab order.
  ::SetWindowPos(account, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SetWindowPos(name, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CRect window;
  GetWindowRect(&window);
  SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + m_headerHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterWindow();
}

// OK, Cancel, Apply, Prev, Next and Help in six equal widths under the
// pages; the sheet's own OK, Cancel and Help take their places.
void CSchDlg::LayOutButtons() {
  CWnd* ok = GetDlgItem(IDOK);
  if (!ok) return;
  CRect okRect;
  ok->GetWindowRect(&okRect);
  ScreenToClient(&okRect);
  CRect client;
  GetClientRect(&client);
  CRect unit(0, 0, 4, 8);
  MapDialogRect(&unit);
  const int margin = 7 * unit.right / 4, gap = 3 * unit.right / 4;
  const int width = (client.Width() - 2 * margin - 5 * gap) / 6;
  const struct {
    int id;
    const char* text;
  } buttons[] = {{IDOK, "OK"},
                 {IDCANCEL, "Cancel"},
                 {IDC_SCH_APPLY, "&Apply"},
                 {IDC_SCH_PREV, "<< &Prev"},
                 {IDC_SCH_NEXT, "&Next >>"},
                 {IDHELP, "&Help"}};
  for (int i = 0; i < 6; ++i) {
    RECT r{margin + i * (width + gap), okRect.top, margin + i * (width + gap) + width, okRect.bottom};
    CWnd* b = GetDlgItem(buttons[i].id);
    if (!b) {
      MakeControl(this, "Button", buttons[i].text, WS_TABSTOP, r, buttons[i].id);
      continue;
    }
    b->MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    b->ShowWindow(SW_SHOW);
    b->EnableWindow(TRUE);
  }
  Invalidate();
}

int CSchDlg::LoadRecord(int rebuildHolders) {
  if (rebuildHolders) m_nHolders = BuildHolderList(m_slots);
  SetWaitCursor(1);
  const int ok = XferSchedule(0, m_bNew, m_pCurPos, &m_account, &m_loaded, m_slots);
  SetWaitCursor(0);
  // A failed load has shown why. What it read is not shown: saving a
  // schedule with part of its participants would free the others. The
  // sheet stays blank and cannot save until a load succeeds.
  m_bLoadFailed = ok == 0;
  if (m_bLoadFailed) {
    m_loaded = ScheduleRecord{};
    m_account = AccountRecord{};
    for (ParticipantRecord& slot : m_slots) {
      slot.scheduleRow = -1;
      slot.initialOwed = 0;
      slot.initialPaid = 0;
    }
  }
  m_edited = m_loaded;
  m_bHasDates = 0;
  if (GetSafeHwnd()) {
    SetDlgItemText(IDC_SCH_NAME, m_edited.name);
    if (CWnd* account = GetDlgItem(IDC_SCH_ACCOUNT)) {
      account->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      if (m_edited.account != 0) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(m_edited.account));
        account->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
      }
    }
    UpdateButtons();
    ClearChanged();
    RefreshTabCaptions();
  }
  return ok;
}

void CSchDlg::RefreshTabCaptions() {
  CTabCtrl* tabs = GetTabControl();
  if (!tabs || !tabs->GetSafeHwnd()) return;
  char text[32];
  auto set = [&](int index) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    tabs->SetItem(index, &item);
  };
  std::snprintf(text, sizeof text, "Dates (%d)", CountDueDates(m_edited));
  set(1);
  std::snprintf(text, sizeof text, "Participants (%d)",
                CountTakingPart(m_slots, std::min(MemberTable.liveCount, kMemberSlots)));
  set(2);
  // The tab control repaints its whole pane, over the page: the page and
  // its controls paint again on top of it.
  tabs->UpdateWindow();
  if (CPropertyPage* page = GetActivePage(); page && page->GetSafeHwnd())
    page->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CSchDlg::ShowPage(CPropertyPage* page) {
  if (GetActivePage() != page) SetActivePage(page);
}

void CSchDlg::UpdateButtons() {
  const bool save = !(m_bNew && ScheduleTable.freeCount <= 0) && !m_bLoadFailed;
  if (CWnd* b = GetDlgItem(IDOK)) b->EnableWindow(save);
  if (CWnd* b = GetDlgItem(IDC_SCH_APPLY)) b->EnableWindow(save);
  const bool stepping = !m_bNew && ScheduleTable.liveCount >= 2;
  if (CWnd* b = GetDlgItem(IDC_SCH_PREV)) b->EnableWindow(stepping);
  if (CWnd* b = GetDlgItem(IDC_SCH_NEXT)) b->EnableWindow(stepping);
}

void CSchDlg::ClearChanged() { m_bChanged = m_gen.m_bChanged = m_dates.m_bChanged = m_part.m_bChanged = 0; }

bool CSchDlg::Changed() const {
  if (m_bLoadFailed) return false;
  return m_bChanged || m_gen.m_bChanged || m_dates.m_bChanged || m_part.m_bChanged;
}

void CSchDlg::StoreShownPage() {
  if (GetActivePage() == &m_dates) m_dates.StoreRows();
  if (GetActivePage() == &m_part) m_part.StoreRows();
}

int CSchDlg::Validate() {
  StoreShownPage();
  CString name, accountText;
  GetDlgItemText(IDC_SCH_NAME, name);
  GetDlgItemText(IDC_SCH_ACCOUNT, accountText);
  std::snprintf(m_edited.name, sizeof m_edited.name, "%s", static_cast<const char*>(name));
  TrimString(m_edited.name, 3);
  m_edited.account = std::atoi(accountText);
  char check[16] = "";
  if (m_edited.account != 0) std::snprintf(check, sizeof check, "%d", static_cast<int>(m_edited.account));

  char message[512] = "";
  CWnd* nameEdit = GetDlgItem(IDC_SCH_NAME);
  CWnd* accountList = GetDlgItem(IDC_SCH_ACCOUNT);
  int found = -1;
  bool ok = ValidateDlgField("Schedule Name", m_edited.name, 1, FIELD_TEXT, 0, nullptr, nullptr,
                             nameEdit ? nameEdit->GetSafeHwnd() : nullptr, message);
  if (ok && CompareNoCase(m_edited.name, m_loaded.name) != 0 && FindScheduleByName(0, m_edited.name, &found)) {
    std::snprintf(message, sizeof message, "Schedule Name:  A schedule already exists with this name");
    if (nameEdit) SetFocusHwnd(nameEdit->GetSafeHwnd());
    ok = false;
  }
  if (ok)
    ok = ValidateDlgField("Account", check, 1, FIELD_TEXT, 0, nullptr, nullptr,
                          accountList ? accountList->GetSafeHwnd() : nullptr, message);
  if (!ok) {
    DispMessage(message, MSG_WARNING);
    return 0;
  }
  if (!m_gen.Validate() || !m_dates.Validate() || !m_part.Validate()) return 0;
  return XferSchedule(1, m_bNew, m_pCurPos, &m_account, &m_edited, m_slots);
}

void CSchDlg::ReloadPages() {
  m_gen.Load();
  m_dates.LoadRecord(0);
  m_part.LoadRecord(0);
  RefreshTabCaptions();
  ClearChanged();
}

void CSchDlg::OnOK() {
  CWnd* ok = GetDlgItem(IDOK);
  if (!ok || !ok->IsWindowEnabled() || m_bLoadFailed) return;
  // While adding, Enter elsewhere saves and clears the sheet for the next
  // schedule; only OK itself closes it.
  if (m_bNew && ::GetFocus() != ok->GetSafeHwnd()) {
    OnApply();
    return;
  }
  if (Validate()) EndDialog(IDOK);
}

void CSchDlg::OnApply() {
  CWnd* apply = GetDlgItem(IDC_SCH_APPLY);
  if ((apply && !apply->IsWindowEnabled()) || m_bLoadFailed) return;
  if (!Validate()) return;
  if (m_bNew) {
    if (ScheduleTable.freeCount <= 0) {
      EndDialog(IDCANCEL);
      return;
    }
    LoadRecord(0);
    ReloadPages();
    ShowPage(&m_dates);
    if (CWnd* name = GetDlgItem(IDC_SCH_NAME)) SetFocusHwnd(name->GetSafeHwnd());
  } else {
    // The sheet goes on from what was saved (a rename re-sorted the list;
    // the name check must not find the schedule itself).
    LoadRecord(0);
    ReloadPages();
  }
  ClearChanged();
}

void CSchDlg::OnCancel() {
  StoreShownPage();
  CancelAskingToSave(*this, Changed(), "Do you wish to save your changes", [this] { OnOK(); });
}

void CSchDlg::OnPrevNext(int direction) {
  if (!m_pCurPos) return;
  StoreShownPage();
  if (Changed()) {
    switch (AskSaveChanges("Do you wish to save your changes")) {
      case ANSWER_YES:
        if (!Validate()) return;
        break;
      case ANSWER_NO:
        break;
      default:
        return;
    }
  }
  const int size = ScheduleTable.rowCount;
  if (size <= 0) return;
  const bool announce = ScheduleTable.liveCount > 1;
  int pos = *m_pCurPos;
  for (int tries = 0; tries <= size; ++tries) {
    pos += direction;
    if (pos < 0) {
      pos = size - 1;
      if (announce) DispMessage("Going to last schedule", MSG_INFORMATION);
    } else if (pos >= size) {
      pos = 0;
      if (announce) DispMessage("Starting at first schedule", MSG_INFORMATION);
    }
    const int row = ScheduleTable.byName[static_cast<size_t>(pos)];
    if (ScheduleTable.keys[static_cast<size_t>(row)].status != kStatusDeleted) break;
  }
  const int from = *m_pCurPos;
  *m_pCurPos = pos;
  // A schedule that cannot be read does not become the current one.
  if (!LoadRecord(0)) *m_pCurPos = from;
  ReloadPages();
}

BOOL CSchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDHELP && code == BN_CLICKED) {
    DialogHelpCommand(MAKEWPARAM(IDC_SHELL_HELP, BN_CLICKED), kHelpContext);
    return TRUE;
  }
  if ((id == IDC_SCH_NAME && code == EN_CHANGE) || (id == IDC_SCH_ACCOUNT && code == CBN_SELCHANGE)) {
    m_bChanged = 1;
    return TRUE;
  }
  if (code == BN_CLICKED) {
    CWnd* button = GetDlgItem(id);
    const bool enabled = !button || button->IsWindowEnabled();
    switch (id) {
      case IDC_SCH_APPLY:
        if (enabled) OnApply();
        return TRUE;
      case IDC_SCH_PREV:
        if (enabled) OnPrevNext(-1);
        return TRUE;
      case IDC_SCH_NEXT:
        if (enabled) OnPrevNext(1);
        return TRUE;
      default:
        break;
    }
  }
  return CPropertySheet::OnCommand(wParam, lParam);
}
