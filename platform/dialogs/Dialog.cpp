#include "platform/dialogs/Dialog.h"

#include <cstdio>

#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/base/Exceptions.h"
#include "platform/framework/CWinApp.h"
#include "platform/gfx/Dc.h"
#include "platform/window/Messages.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
  if (lpszTemplateName && !IS_INTRESOURCE(lpszTemplateName)) {
    m_templateName = lpszTemplateName;
    m_lpszTemplateName = m_templateName.c_str();
  } else {
    m_lpszTemplateName = lpszTemplateName;
  }
}

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

namespace {
const DlgTemplate* findTemplate(const DlgTemplate* given, LPCTSTR name) {
  if (given) return given;
  const DlgTemplate* t = FindDialogTemplate(name);
  if (!t) {
    if (IS_INTRESOURCE(name))
      std::fprintf(stderr, "no dialog template %u\n", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(name)));
    else
      std::fprintf(stderr, "no dialog template %s\n", name ? name : "(null)");
  }
  return t;
}

HWND ownerOf(CWnd* parent) {
  if (parent && parent->m_hWnd) return ::GetAncestor(parent->m_hWnd, GA_ROOT);
  return dlg::DefaultOwner();
}
}  // namespace

BOOL CDialog::InitModalIndirect(const DlgTemplate* templ, CWnd* pParentWnd) {
  m_pTemplate = templ;
  m_pParentWnd = pParentWnd;
  return templ != nullptr;
}

INT_PTR CDialog::DoModal() {
  const DlgTemplate* t = findTemplate(m_pTemplate, m_lpszTemplateName);
  if (!t) return -1;
  HWND owner = ownerOf(m_pParentWnd);
  HWND h = dlg::Create(*t, owner, nullptr, 0, this, true);
  if (!h) return -1;
  INT_PTR result = dlg::RunModal(h, owner);
  m_nModalResult = static_cast<int>(result);
  return result;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  const DlgTemplate* t = findTemplate(nullptr, lpszTemplateName);
  return t ? CreateIndirect(t, pParentWnd) : FALSE;
}

BOOL CDialog::CreateIndirect(const DlgTemplate* templ, CWnd* pParentWnd) {
  if (!templ) return FALSE;
  m_pParentWnd = pParentWnd;
  HWND owner = pParentWnd && pParentWnd->m_hWnd ? pParentWnd->m_hWnd : nullptr;
  if (owner && !(templ->style & WS_CHILD)) owner = ::GetAncestor(owner, GA_ROOT);
  if (!owner && !(templ->style & WS_CHILD)) owner = dlg::DefaultOwner();
  return dlg::Create(*templ, owner, nullptr, 0, this, false) != nullptr;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (m_hWnd && pWndCtrl && pWndCtrl->m_hWnd)
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  return RunDataExchange(this, bSaveAndValidate, [this](CDataExchange* dx) { DoDataExchange(dx); });
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || !msg) return FALSE;
  bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
               (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
  if (!input) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::IsDialogMessage(m_hWnd, msg);
}

HBRUSH CDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  const CWinApp* app = AfxGetApp();
  const bool dialogPart = ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_BTN ||
                          ctlColor == CTLCOLOR_MSGBOX;
  if (!app || !app->DialogBackBrush() || !dialogPart) return CWnd::OnCtlColor(dc, wnd, ctlColor);
  // A control that colours itself keeps its colours.
  LRESULT reflected = 0;
  if (wnd && wnd != this && ReflectLastMsg(wnd->m_hWnd, &reflected) && reflected)
    return reinterpret_cast<HBRUSH>(reflected);
  dc->SetTextColor(app->DialogTextColor());
  dc->SetBkColor(app->DialogBackColor());
  return app->DialogBackBrush();
}

namespace {

// A pop-up dialog still at its owner's client origin (the screen's origin
// without an owner) after its initialisation was given no place: neither
// by its template nor by its code. It opens centred on its owner instead of
// over the owner's menu and tool bar.
void CenterIfUnplaced(CWnd* dialog) {
  const DWORD style = dialog->GetStyle();
  if (style & WS_CHILD) return;
  RECT r;
  ::GetWindowRect(dialog->m_hWnd, &r);
  POINT origin{0, 0};
  HWND owner = ::GetWindow(dialog->m_hWnd, GW_OWNER);
  if (owner && !(style & DS_ABSALIGN)) ::ClientToScreen(owner, &origin);
  if (r.left == origin.x && r.top == origin.y) dialog->CenterWindow();
}

}  // namespace

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    LRESULT result = 0;
    if (!DispatchMapMessage(message, wParam, lParam, &result)) result = OnInitDialog();
    if (::IsWindow(m_hWnd)) CenterIfUnplaced(this);
    return result;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
