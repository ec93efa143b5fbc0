// CDocument: the data behind the views of a document template. It keeps its
// views, tells them of changes (UpdateAllViews with a hint) and carries the
// modified flag; commands not handled by the active view come here.
#pragma once

#include <vector>

#include "platform/base/CArchive.h"
#include "platform/framework/CCmdTarget.h"
#include "platform/base/Collections.h"
#include "platform/base/CString.h"

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR title);
  const CString& GetPathName() const { return m_strPathName; }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  void AddView(CView* view);
  void RemoveView(CView* view);
  // Views in the order they were added; a position past the last is null.
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& pos) const;
  int GetViewCount() const { return static_cast<int>(views_.size()); }
  // Calls OnUpdate of every view except the sender.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  virtual BOOL OnNewDocument();
  virtual void DeleteContents() {}
  void Serialize(CArchive& ar) override;
  virtual void OnCloseDocument();
  virtual void OnChangedViewList();

  CDocTemplate* m_pDocTemplate = nullptr;
  CString m_strTitle;
  CString m_strPathName;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;

 private:
  std::vector<CView*> views_;
};
