// CPropertyPage: one page of a property sheet (platform/propsheet/PropSheet.h),
// a child dialog made from its template when the sheet first shows it. The
// sheet talks to it with PSN_ notifications, which arrive at the virtual
// members below.
#pragma once

#include <memory>

#include "platform/dialogs/Dialog.h"
#include "platform/propsheet/PropSheetDefs.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  // Tells the sheet that the page holds changes (enables Apply) or none.
  void SetModified(BOOL changed = TRUE);
  void CancelToClose();
  LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

  // Activation: the first time nothing more, later the controls are loaded
  // again; FALSE keeps the page from showing.
  virtual BOOL OnSetActive();
  // Leaving: the controls are saved and checked; FALSE keeps the page.
  virtual BOOL OnKillActive();
  // OK or Apply: OnOK; FALSE keeps the sheet open on this page.
  virtual BOOL OnApply();
  void OnOK() override;
  void OnCancel() override;
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  // Wizard moves: 0 the neighbouring page, -1 stay, else the template id of
  // the page to show.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  virtual BOOL OnWizardFinish();

  // The template the page is made from, its caption the tab text.
  const DlgTemplate* PageTemplate() const;
  // Made as a child of the sheet, hidden (called by the sheet).
  BOOL CreatePage(CWnd* sheet);
  int TemplateId() const;

  PROPSHEETPAGE m_psp;
  CString m_strCaption;  // from nIDCaption, else the template's caption

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  bool firstActive_ = true;
  std::unique_ptr<DlgTemplate> childTemplate_;
  CWnd* sheet() const;
};
