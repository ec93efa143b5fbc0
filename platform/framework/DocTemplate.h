// Document templates: the classes of a document, its frame and its view
// under one resource id (menu, accelerators, icon and the "\n"-separated
// document strings). CSingleDocTemplate keeps one document at a time.
#pragma once

#include <vector>

#include "platform/framework/CCmdTarget.h"
#include "platform/base/CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(UINT resId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
  ~CDocTemplate() override = default;

  // One part of the resource's document string (empty when it has none).
  virtual BOOL GetDocString(CString& text, enum DocStringIndex index) const;
  virtual CDocument* CreateNewDocument();
  // A frame for the document, its view inside; null when it could not be made.
  virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
  virtual CDocument* OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible = TRUE) = 0;
  virtual void AddDocument(CDocument* doc);
  virtual void RemoveDocument(CDocument* doc);
  virtual CDocument* GetFirstDocument() const = 0;
  virtual void CloseAllDocuments(BOOL endSession);

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  using CDocTemplate::CDocTemplate;
  ~CSingleDocTemplate() override;

  // Makes the document, frame and view (the frame hidden unless makeVisible;
  // shown then with the application's show command), or reuses the one
  // document. A failure shows "Failed to create empty document." and
  // returns null.
  CDocument* OpenDocumentFile(LPCTSTR pathName, BOOL makeVisible = TRUE) override;
  void AddDocument(CDocument* doc) override;
  void RemoveDocument(CDocument* doc) override;
  CDocument* GetFirstDocument() const override { return m_pOnlyDoc; }

  CDocument* m_pOnlyDoc = nullptr;
};

// The application's templates; CWinApp holds one.
class CDocManager {
 public:
  CDocManager() = default;
  ~CDocManager();
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;

  void AddDocTemplate(CDocTemplate* templ);
  int GetTemplateCount() const { return static_cast<int>(templates_.size()); }
  CDocTemplate* GetTemplate(int index) const { return templates_[static_cast<size_t>(index)]; }
  void OnFileNew();
  void CloseAllDocuments(BOOL endSession);

 private:
  std::vector<CDocTemplate*> templates_;
};
