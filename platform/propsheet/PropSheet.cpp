// CPropertySheet: pages, activation and the PSN_ conversation with them.
// The sheet's layout and its buttons are in PropSheetLayout.cpp, its
// keyboard interface in PropSheetKeys.cpp.
#include "platform/propsheet/PropSheet.h"

#include <algorithm>

#include "platform/window/CtlDefs.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_pParentWnd = pParentWnd;
  m_strCaption.LoadString(nIDCaption);
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_pParentWnd = pParentWnd;
  m_strCaption = pszCaption ? pszCaption : "";
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) return;
  pages_.push_back(page);
  if (m_hWnd) addTab(GetPageCount() - 1);
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  CPropertyPage* page = pages_[index];
  if (m_hWnd && index == active_) {
    int other = index + 1 < GetPageCount() ? index + 1 : index - 1;
    if (other >= 0) activate(other, false);
  }
  pages_.erase(pages_.begin() + index);
  if (active_ > index) --active_;
  else if (active_ == index) active_ = -1;
  if (tab_.m_hWnd) tab_.DeleteItem(index);
  if (page->m_hWnd) page->DestroyWindow();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? pages_[index] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  if (active_ >= 0) return pages_[active_];
  return GetPage(static_cast<int>(m_psh.nStartPage));
}

BOOL CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = static_cast<UINT>(index);
    return TRUE;
  }
  return activate(index, true);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

CTabCtrl* CPropertySheet::GetTabControl() const { return tab_.m_hWnd ? const_cast<SheetTab*>(&tab_) : nullptr; }

void CPropertySheet::SetTitle(LPCTSTR text, UINT) {
  m_strCaption = text ? text : "";
  if (m_hWnd) showCaption();
}

LRESULT CPropertySheet::notifyPage(int index, UINT code, LPARAM lParam) {
  CPropertyPage* page = GetPage(index);
  if (!page || !page->m_hWnd) return 0;
  PSHNOTIFY n{};
  n.hdr.hwndFrom = m_hWnd;
  n.hdr.idFrom = 0;
  n.hdr.code = code;
  n.lParam = lParam;
  return ::SendMessage(page->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

bool CPropertySheet::killActive() { return active_ < 0 || notifyPage(active_, PSN_KILLACTIVE) == 0; }

// Shows page `index` (made now if it never was). `askOld`: the active page
// may refuse to be left; the new one may refuse to show.
bool CPropertySheet::activate(int index, bool askOld) {
  CPropertyPage* page = GetPage(index);
  if (!page) return false;
  if (index == active_) return true;
  if (askOld && !killActive()) return false;
  if (!page->m_hWnd) {
    if (!page->CreatePage(this)) return false;
    // Above the tab control, which would otherwise paint over it.
    ::SetWindowPos(page->m_hWnd, HWND_TOP, pageRect_.left, pageRect_.top, pageRect_.right - pageRect_.left,
                       pageRect_.bottom - pageRect_.top, SWP_NOACTIVATE);
  }
  if (notifyPage(index, PSN_SETACTIVE) == -1) {
    if (tab_.m_hWnd) tab_.SetCurSel(active_);
    return false;
  }
  HWND focus = ::GetFocus();
  int old = active_;
  active_ = index;
  if (tab_.m_hWnd) tab_.SetCurSel(index);
  if (CPropertyPage* o = GetPage(old); o && o->m_hWnd) o->ShowWindow(SW_HIDE);
  page->ShowWindow(SW_SHOW);
  if (CWnd* help = GetDlgItem(IDHELP)) help->EnableWindow((page->m_psp.dwFlags & PSP_HASHELP) != 0);
  if (IsWizard()) showCaption();
  if (!focus || focus != tab_.m_hWnd) focusIntoPage();
  return true;
}

// The focus goes to the active page's first control (the default button
// when the page has none).
void CPropertySheet::focusIntoPage() {
  CPropertyPage* page = GetPage(active_);
  if (!page || !page->m_hWnd) return;
  HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE);
  if (first && !(::GetWindowLong(first, GWL_STYLE) & WS_TABSTOP)) first = nullptr;
  DWORD def = static_cast<DWORD>(SendMessage(DM_GETDEFID));
  if (!first && HIWORD(def) == DC_HASDEFID) first = ::GetDlgItem(m_hWnd, LOWORD(def));
  if (first) DlgSetFocus(::GetParent(first), first);
}

// The text of the active page's tab (its title) in wizard mode, else the
// sheet's own caption.
void CPropertySheet::showCaption() {
  if (!IsWizard() || active_ < 0 || !tab_.m_hWnd) {
    SetWindowText(m_strCaption);
    return;
  }
  char text[256] = {};
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  tab_.GetItem(active_, &item);
  SetWindowText(text);
}

LRESULT CPropertySheet::SheetTab::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT r = CTabCtrl::WindowProc(message, wParam, lParam);
  if (message == TCM_SETITEM && static_cast<int>(wParam) == sheet_->active_ && sheet_->IsWizard()) sheet_->showCaption();
  return r;
}

int CPropertySheet::indexOfTemplate(LRESULT id) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (pages_[i]->TemplateId() == static_cast<int>(id)) return i;
  return -1;
}

bool CPropertySheet::applyAll() {
  for (int i = 0; i < GetPageCount(); ++i) {
    if (!pages_[i]->m_hWnd) continue;
    LRESULT r = notifyPage(i, PSN_APPLY);
    if (r == PSNRET_INVALID) activate(i, false);
    if (r != PSNRET_NOERROR) return false;
  }
  return true;
}

void CPropertySheet::onOk(bool close) {
  if (!killActive() || !applyAll()) return;
  changed_ = false;
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(FALSE);
  if (close) EndDialog(IDOK);
}

void CPropertySheet::onCancel() {
  if (active_ >= 0 && notifyPage(active_, PSN_QUERYCANCEL) != 0) return;
  for (int i = 0; i < GetPageCount(); ++i)
    if (pages_[i]->m_hWnd) notifyPage(i, PSN_RESET);
  EndDialog(IDCANCEL);
}

// Back and Next ask the page where to go: 0 the neighbour, -1 stay, else a
// page's template id.
void CPropertySheet::wizardMove(UINT code) {
  if (active_ < 0) return;
  LRESULT r = notifyPage(active_, code);
  if (r == -1) return;
  int target = r == 0 ? active_ + (code == PSN_WIZNEXT ? 1 : -1) : indexOfTemplate(r);
  if (target < 0 || target >= GetPageCount()) return;
  activate(target, code == PSN_WIZNEXT);
}

void CPropertySheet::onWizardFinish() {
  if (active_ >= 0 && notifyPage(active_, PSN_WIZFINISH) != 0) return;
  EndDialog(ID_WIZFINISH);
}

void CPropertySheet::SetWizardButtons(DWORD flags) {
  if (!m_hWnd) return;
  bool finish = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
  if (CWnd* back = GetDlgItem(ID_WIZBACK)) back->EnableWindow((flags & PSWIZB_BACK) != 0);
  CWnd* next = GetDlgItem(ID_WIZNEXT);
  CWnd* fin = GetDlgItem(ID_WIZFINISH);
  if (next) {
    next->ShowWindow(finish ? SW_HIDE : SW_SHOW);
    next->EnableWindow((flags & PSWIZB_NEXT) != 0);
  }
  if (fin) {
    fin->ShowWindow(finish ? SW_SHOW : SW_HIDE);
    fin->EnableWindow((flags & PSWIZB_FINISH) != 0);
  }
  UINT def = finish ? ID_WIZFINISH : ID_WIZNEXT;
  CWnd* defWnd = GetDlgItem(static_cast<int>(def));
  if (defWnd && !defWnd->IsWindowEnabled() && !finish) def = ID_WIZBACK;
  SetDefID(def);
  // A button that loses its place or use does not keep the focus.
  HWND focus = ::GetFocus();
  if (focus && ::GetParent(focus) == m_hWnd && (!::IsWindowVisible(focus) || !::IsWindowEnabled(focus)))
    if (CWnd* d = GetDlgItem(static_cast<int>(def))) DlgSetFocus(m_hWnd, d->m_hWnd);
}

void CPropertySheet::SetFinishText(LPCTSTR text) {
  if (CWnd* fin = GetDlgItem(ID_WIZFINISH)) {
    fin->SetWindowText(text);
    SetWizardButtons(PSWIZB_FINISH);
  }
}

BOOL CPropertySheet::PressButton(int button) {
  static const UINT ids[] = {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
  if (!m_hWnd || button < 0 || button > PSBTN_HELP) return FALSE;
  PostMessage(WM_COMMAND, MAKEWPARAM(ids[button], BN_CLICKED), 0);
  return TRUE;
}

void CPropertySheet::OnOK() { onOk(true); }
void CPropertySheet::OnCancel() { onCancel(); }

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CDialog::OnCommand(wParam, lParam)) return TRUE;
  switch (LOWORD(wParam)) {
    case ID_APPLY_NOW: onOk(false); return TRUE;
    case ID_WIZBACK: wizardMove(PSN_WIZBACK); return TRUE;
    case ID_WIZNEXT: wizardMove(PSN_WIZNEXT); return TRUE;
    case ID_WIZFINISH: onWizardFinish(); return TRUE;
    case IDHELP: notifyPage(active_, PSN_HELP); return TRUE;
    default: return FALSE;
  }
}

// The tab control asks before it changes the page: the active page may
// refuse to be left.
BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHDR*>(lParam);
  if (nm && tab_.m_hWnd && nm->hwndFrom == tab_.m_hWnd) {
    if (nm->code == TCN_SELCHANGING) {
      if (pResult) *pResult = killActive() ? FALSE : TRUE;
      return TRUE;
    }
    if (nm->code == TCN_SELCHANGE) {
      int want = tab_.GetCurSel();
      tab_.SetCurSel(active_);
      activate(want, false);
      return TRUE;
    }
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CPropertySheet::onSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = true;
  switch (message) {
    case PSM_SETCURSEL: return SetActivePage(static_cast<int>(wParam));
    case PSM_SETCURSELID: return SetActivePage(indexOfTemplate(lParam));
    case PSM_REMOVEPAGE: RemovePage(static_cast<int>(wParam)); return 0;
    case PSM_CHANGED:
      changed_ = true;
      if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(TRUE);
      return 0;
    case PSM_UNCHANGED: return 0;
    case PSM_CANCELTOCLOSE:
      if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText("Close");
      if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->EnableWindow(FALSE);
      return 0;
    case PSM_QUERYSIBLINGS:
      for (int i = 0; i < GetPageCount(); ++i)
        if (pages_[i]->m_hWnd)
          if (LRESULT r = pages_[i]->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam)) return r;
      return 0;
    case PSM_APPLY: onOk(false); return !changed_;
    case PSM_SETTITLE: SetTitle(reinterpret_cast<LPCSTR>(lParam)); return 0;
    case PSM_SETWIZBUTTONS: SetWizardButtons(static_cast<DWORD>(lParam)); return 0;
    case PSM_PRESSBUTTON: return PressButton(static_cast<int>(wParam));
    case PSM_SETFINISHTEXT: SetFinishText(reinterpret_cast<LPCSTR>(lParam)); return 0;
    case kPlaceFocus:
      if (CPropertyPage* page = GetPage(active_); page && page->m_hWnd && !::IsChild(page->m_hWnd, ::GetFocus()))
        focusIntoPage();
      return 0;
    case PSM_GETTABCONTROL: return reinterpret_cast<LRESULT>(tab_.m_hWnd);
    case PSM_GETCURRENTPAGEHWND: return reinterpret_cast<LRESULT>(active_ >= 0 ? pages_[active_]->m_hWnd : nullptr);
    default: *handled = false; return 0;
  }
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT r = onSheetMessage(message, wParam, lParam, &handled);
  return handled ? r : CDialog::WindowProc(message, wParam, lParam);
}
