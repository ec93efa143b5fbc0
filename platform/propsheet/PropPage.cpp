// CPropertyPage: a child dialog that answers its sheet's PSN_ notifications.
#include "platform/propsheet/PropPage.h"

#include "platform/window/CtlDefs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// The page's template as a child: no caption, frame or pop-up style, hidden,
// its controls part of the sheet's keyboard interface.
std::unique_ptr<DlgTemplate> asChild(const DlgTemplate& t) {
  auto c = std::make_unique<DlgTemplate>(t);
  c->style &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER |
                DS_ABSALIGN | WS_BORDER | WS_DLGFRAME);
  c->style |= WS_CHILD | DS_CONTROL;
  c->exStyle = (c->exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE)) | WS_EX_CONTROLPARENT;
  c->x = c->y = 0;
  return c;
}

}  // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate) {
  if (nIDCaption) m_strCaption.LoadString(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CDialog(lpszTemplateName) {
  if (nIDCaption) m_strCaption.LoadString(nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

const DlgTemplate* CPropertyPage::PageTemplate() const { return FindDialogTemplate(m_lpszTemplateName); }

int CPropertyPage::TemplateId() const {
  const DlgTemplate* t = PageTemplate();
  return t ? t->id : 0;
}

BOOL CPropertyPage::CreatePage(CWnd* sheet) {
  if (m_hWnd) return TRUE;
  const DlgTemplate* t = PageTemplate();
  if (!t) return FALSE;
  childTemplate_ = asChild(*t);
  return CreateIndirect(childTemplate_.get(), sheet);
}

CWnd* CPropertyPage::sheet() const { return m_hWnd ? GetParent() : m_pParentWnd; }

void CPropertyPage::SetModified(BOOL changed) {
  if (CWnd* s = sheet()) s->SendMessage(changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

void CPropertyPage::CancelToClose() {
  if (CWnd* s = sheet()) s->SendMessage(PSM_CANCELTOCLOSE);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
  CWnd* s = sheet();
  return s ? s->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive() {
  if (firstActive_) {
    firstActive_ = false;
    return TRUE;
  }
  return UpdateData(FALSE);
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}
// A page does not end anything itself: the sheet closes.
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
void CPropertyPage::OnReset() { OnCancel(); }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHDR*>(lParam);
  CWnd* s = sheet();
  if (!nm || !s || nm->hwndFrom != s->m_hWnd) return CDialog::OnNotify(wParam, lParam, pResult);
  LRESULT r = 0;
  switch (nm->code) {
    case PSN_SETACTIVE: r = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: r = OnKillActive() ? FALSE : TRUE; break;
    case PSN_APPLY: r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: r = OnQueryCancel() ? FALSE : TRUE; break;
    case PSN_WIZBACK: r = OnWizardBack(); break;
    case PSN_WIZNEXT: r = OnWizardNext(); break;
    case PSN_WIZFINISH: r = OnWizardFinish() ? FALSE : TRUE; break;
    case PSN_HELP: SendMessage(WM_COMMAND, IDHELP); break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
  }
  if (pResult) *pResult = r;
  return TRUE;
}

// Enter and Esc in a page are the sheet's: its default button or Cancel.
BOOL CPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  bool fromControl = lParam && ::GetParent(reinterpret_cast<HWND>(lParam)) == m_hWnd;
  CWnd* s = sheet();
  if (s && !fromControl && (id == IDOK || id == IDCANCEL)) {
    UINT target = IDCANCEL;
    if (id == IDOK) {
      DWORD def = static_cast<DWORD>(s->SendMessage(DM_GETDEFID));
      target = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    }
    s->SendMessage(WM_COMMAND, MAKEWPARAM(target, BN_CLICKED), 0);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

// The sheet runs the keyboard interface of its pages.
BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }
