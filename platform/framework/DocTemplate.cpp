// Document templates and the application's template list.
#include "platform/framework/DocTemplate.h"

#include "platform/framework/CWinApp.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass)
    : m_nIDResource(resId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
  m_strDocStrings.LoadString(resId);
}

BOOL CDocTemplate::GetDocString(CString& text, enum DocStringIndex index) const {
  text.Empty();
  int start = 0;
  for (int i = 0; i < static_cast<int>(index); ++i) {
    int nl = m_strDocStrings.Find('\n', start);
    if (nl < 0) return FALSE;
    start = nl + 1;
  }
  int end = m_strDocStrings.Find('\n', start);
  text = m_strDocStrings.Mid(start, end < 0 ? m_strDocStrings.GetLength() - start : end - start);
  return !text.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  auto* doc = dynamic_cast<CDocument*>(object);
  if (!doc) {
    delete object;
    return nullptr;
  }
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = doc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (!frame) {
    delete object;
    return nullptr;
  }
  // A frame that fails to load has deleted itself.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
  if (frame) frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::AddDocument(CDocument* doc) { doc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* doc) { doc->m_pDocTemplate = nullptr; }

void CDocTemplate::CloseAllDocuments(BOOL) {
  while (CDocument* doc = GetFirstDocument()) {
    doc->m_bAutoDelete = TRUE;
    doc->OnCloseDocument();
    if (GetFirstDocument() == doc) RemoveDocument(doc);  // a document that did not go
  }
}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* doc) {
  CDocTemplate::AddDocument(doc);
  m_pOnlyDoc = doc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* doc) {
  CDocTemplate::RemoveDocument(doc);
  if (m_pOnlyDoc == doc) m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible) {
  if (m_pOnlyDoc) {
    // One document at a time: the existing one is started afresh.
    CDocument* doc = m_pOnlyDoc;
    if (!doc->OnNewDocument()) return nullptr;
    if (pathName) doc->m_strPathName = pathName;
    return doc;
  }
  CDocument* doc = CreateNewDocument();
  if (!doc) {
    AfxMessageBox("Failed to create empty document.");
    return nullptr;
  }
  CString title;
  if (GetDocString(title, docName)) doc->SetTitle(title);
  // Until its view holds it, the document must not delete itself.
  BOOL autoDelete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = autoDelete;
  if (!frame) {
    AfxMessageBox("Failed to create empty document.");
    delete doc;
    return nullptr;
  }
  CWinApp* app = AfxGetApp();
  if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
  if (!doc->OnNewDocument()) {
    frame->DestroyWindow();
    return nullptr;
  }
  if (pathName) doc->m_strPathName = pathName;
  InitialUpdateFrame(frame, doc, makeVisible);
  return doc;
}

CDocManager::~CDocManager() {
  for (CDocTemplate* t : templates_) delete t;
}

void CDocManager::AddDocTemplate(CDocTemplate* templ) {
  if (templ) templates_.push_back(templ);
}

void CDocManager::OnFileNew() {
  if (!templates_.empty()) templates_.front()->OpenDocumentFile(nullptr);
}

void CDocManager::CloseAllDocuments(BOOL endSession) {
  for (CDocTemplate* t : templates_) t->CloseAllDocuments(endSession);
}
