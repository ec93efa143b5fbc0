// CView and CFormView.
#include "platform/framework/View.h"

#include "platform/gfx/Dc.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/framework/WindowDc.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/PrintInfo.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CFormView, CView)

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const {
  for (CWnd* p = GetParent(); p; p = p->GetParent())
    if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(p);
  return nullptr;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass || !*cs.lpszClass) cs.lpszClass = AfxFrameOrViewClass();
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS;
  // A view's border is the sunken client edge.
  if (cs.style & WS_BORDER) {
    cs.style &= ~WS_BORDER;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = cs ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITIALUPDATE) {
    OnInitialUpdate();
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* sender, LPARAM, CObject*) {
  if (sender != this) Invalidate(TRUE);
}

void CView::OnDraw(CDC*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* info) {
  // Without a known page count only the first page prints.
  if (info) info->m_bContinuePrinting = info->GetMaxPage() != 0xFFFF || info->m_nCurPage == 1;
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
  if (activate && activateView == this && GetFocus() != this) SetFocus();
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* desktopWnd, UINT hitTest, UINT message) {
  int result = CWnd::OnMouseActivate(desktopWnd, hitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
  return result;
}

void CView::OnDestroy() {
  if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

BOOL CView::OnPreparePrinting(CPrintInfo*) { return FALSE; }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

// ---- CFormView ----

CFormView::CFormView(UINT templateId) { m_lpszTemplateName = MAKEINTRESOURCE(templateId); }

CFormView::CFormView(LPCTSTR templateName) : templateName_(templateName ? templateName : "") {
  m_lpszTemplateName = templateName_;
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* context) {
  const DlgTemplate* found = FindDialogTemplate(m_lpszTemplateName);
  if (!found || !parent) return FALSE;
  DlgTemplate t = *found;
  // A form is a child pane: no caption or frame of its own.
  t.style = (t.style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | WS_BORDER)) |
            WS_CHILD;
  if (style & WS_BORDER) t.exStyle |= WS_EX_CLIENTEDGE;
  auto* ctx = static_cast<CCreateContext*>(context);
  if (!dlg::Create(t, parent->GetSafeHwnd(), nullptr, 0, this, false)) return FALSE;
  if (ctx && ctx->m_pCurrentDoc) ctx->m_pCurrentDoc->AddView(this);
  SetDlgCtrlID(static_cast<int>(id));
  MoveWindow(&rect, FALSE);
  if (style & WS_VISIBLE) ShowWindow(SW_SHOWNA);
  return TRUE;
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CView::OnInitialUpdate();
}

BOOL CFormView::UpdateData(BOOL saveAndValidate) {
  return RunDataExchange(this, saveAndValidate, [this](CDataExchange* dx) { DoDataExchange(dx); });
}

void CFormView::DoDataExchange(CDataExchange*) {}
