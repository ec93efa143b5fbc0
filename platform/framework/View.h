// CView: a child window of a frame that shows a document. It paints through
// OnDraw, hears of document changes through OnUpdate, and routes the
// commands it does not handle to its document. CFormView is a view made
// from a dialog template.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/framework/CreateContext.h"

class CDC;
class CDocument;
class CFrameWnd;
struct CPrintInfo;  // platform/framework/PrintInfo.h

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  CFrameWnd* GetParentFrame() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnDraw(CDC* dc);
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

  // Print steps: the print loop (OnFilePrint) calls them in this order.
  // OnPreparePrinting sets the page range and calls DoPreparePrinting (the
  // default prints nothing); OnPrepareDC is called before every page and
  // by default stops after page 1 while the page count is unknown; OnPrint
  // draws the page with OnDraw.
  virtual BOOL OnPreparePrinting(CPrintInfo* info);
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  // The print dialog (or, direct or in preview, the application's printer)
  // and its DC in info->m_pPD; FALSE when cancelled or there is no printer.
  BOOL DoPreparePrinting(CPrintInfo* info);
  // File > Print: the whole print loop.
  void OnFilePrint();

  CDocument* m_pDocument = nullptr;

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnPaint() override;
  int OnMouseActivate(CWnd* desktopWnd, UINT hitTest, UINT message) override;
  void OnDestroy() override;
  void PostNcDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CFormView : public CView {
  DECLARE_DYNAMIC(CFormView)
 public:
  explicit CFormView(UINT templateId);
  explicit CFormView(LPCTSTR templateName);

  // Made from the dialog template as a child (caption and frame dropped).
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              void* context = nullptr) override;
  void OnInitialUpdate() override;
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(class CDataExchange* dx);
  void OnDraw(CDC*) override {}

  LPCTSTR m_lpszTemplateName = nullptr;

 private:
  CString templateName_;
};
