// CDialog: a window made from a dialog template (platform/dialogs/DlgTemplate.h),
// run modally (DoModal ... EndDialog with any code) or modeless (Create),
// with the dialog manager's keyboard interface (platform/dialogs/DlgManager.h) and
// data exchange between members and controls (platform/dialogs/DataExchange.h).
//
// The template's controls exist when OnInitDialog runs; the base
// OnInitDialog loads the controls from the members (UpdateData(FALSE)) and
// OnOK saves and validates them (UpdateData(TRUE)) before the dialog ends
// with IDOK. A failing exchange leaves the dialog open with the focus on the
// field that failed.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/dialogs/MessageBox.h"

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modal: the EndDialog code, or -1 when the dialog could not be made.
  virtual INT_PTR DoModal();
  BOOL InitModalIndirect(const DlgTemplate* templ, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  // Modeless.
  using CWnd::Create;  // the generic form stays callable
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(const DlgTemplate* templ, CWnd* pParentWnd = nullptr);

  // Focus and the default button.
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void SetDefID(UINT nID);
  DWORD GetDefID() const;  // MAKELONG(id, DC_HASDEFID), or 0
  void MapDialogRect(LPRECT rect) const;

  // The dialog item members (CheckDlgButton, GetDlgItemText, ...) are CWnd's.

  // Data exchange: TRUE when every field passed.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* msg) override;

  LPCTSTR m_lpszTemplateName = nullptr;  // MAKEINTRESOURCE(id) or a name
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The application's dialog colours on the dialog, its static texts and
  // buttons; edits and lists keep their own.
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

  DECLARE_MESSAGE_MAP()

 private:
  const DlgTemplate* m_pTemplate = nullptr;
  std::string m_templateName;  // keeps a named template's name alive
};
