// CDocument: views, update hints, the modified flag.
#include "platform/framework/Document.h"

#include <algorithm>

#include "platform/framework/DocTemplate.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

namespace {
// Positions are the index of the next view plus one, so null ends the walk.
POSITION positionOf(std::size_t index) { return reinterpret_cast<POSITION>(index + 1); }
std::size_t indexOf(POSITION pos) { return reinterpret_cast<std::size_t>(pos) - 1; }
}  // namespace

CDocument::~CDocument() {
  // Views outliving their document must not reach it any more.
  for (CView* v : views_) v->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR title) { m_strTitle = title ? title : ""; }

void CDocument::AddView(CView* view) {
  if (!view || std::find(views_.begin(), views_.end(), view) != views_.end()) return;
  views_.push_back(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it == views_.end()) return;
  views_.erase(it);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const { return views_.empty() ? nullptr : positionOf(0); }

CView* CDocument::GetNextView(POSITION& pos) const {
  std::size_t i = indexOf(pos);
  if (!pos || i >= views_.size()) {
    pos = nullptr;
    return nullptr;
  }
  pos = i + 1 < views_.size() ? positionOf(i + 1) : nullptr;
  return views_[i];
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  // A view may add or remove views while it updates; walk a copy and skip
  // the ones that left.
  const std::vector<CView*> views = views_;
  for (CView* v : views) {
    if (v == sender || std::find(views_.begin(), views_.end(), v) == views_.end()) continue;
    v->OnUpdate(sender, hint, hintObject);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::OnCloseDocument() {
  // Destroying the frames destroys the views, which leave the document.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!views_.empty()) {
    CView* v = views_.front();
    CWnd* frame = v->GetParentFrame();
    if (frame && frame->GetSafeHwnd()) frame->DestroyWindow();
    else if (v->GetSafeHwnd()) v->DestroyWindow();
    else RemoveView(v);
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

void CDocument::OnChangedViewList() {
  if (views_.empty() && m_bAutoDelete) OnCloseDocument();
}
