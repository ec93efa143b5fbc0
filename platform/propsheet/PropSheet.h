// CPropertySheet: a dialog of tabbed pages (CPropertyPage) with OK, Cancel,
// Apply and Help, or in wizard mode a row of Back, Next/Finish, Cancel and
// Help with the active page's title as the caption. Pages are made when they
// are first shown; the sheet talks to them with PSN_ notifications and
// answers the PSM_ messages. The sheet is a dialog window (class "#32770")
// made from a template of its own, sized to the largest page.
#pragma once

#include <vector>

#include "platform/dialogs/Dialog.h"
#include "platform/commctrl/TabCtrl.h"
#include "platform/propsheet/PropPage.h"

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);
  void RemovePage(CPropertyPage* page);
  void RemovePage(int index);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(CPropertyPage* page) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const { return active_; }
  BOOL SetActivePage(int index);
  BOOL SetActivePage(CPropertyPage* page);
  void SetTitle(LPCTSTR text, UINT style = 0);
  CTabCtrl* GetTabControl() const;

  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  void SetWizardButtons(DWORD flags);
  void SetFinishText(LPCTSTR text);
  BOOL PressButton(int button);

  // Modal: IDOK, IDCANCEL or (wizards) ID_WIZFINISH; -1 when it could not
  // be made.
  INT_PTR DoModal() override;
  // Modeless.
  using CDialog::Create;  // the generic forms stay callable
  BOOL Create(CWnd* pParentWnd = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);

  BOOL OnInitDialog() override;
  // OK: every made page checks and applies; Cancel: the active page may
  // refuse, then every made page resets.
  void OnOK() override;
  void OnCancel() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  PROPSHEETHEADER m_psh;
  CString m_strCaption;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Posted at initialisation: the focus goes into the page once the sheet
  // shows (a hidden window cannot take it).
  static constexpr UINT kPlaceFocus = WM_USER + 190;

  // The tab control tells the sheet when a tab's text changes, so that a
  // wizard's caption follows its active page's title.
  class SheetTab : public CTabCtrl {
   public:
    explicit SheetTab(CPropertySheet* sheet) : sheet_(sheet) {}

   protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    CPropertySheet* sheet_;
  };

  std::vector<CPropertyPage*> pages_;
  int active_ = -1;
  DlgTemplate template_;
  SheetTab tab_{this};
  RECT pageRect_{};  // where pages go, sheet client coordinates
  bool changed_ = false;

  void buildTemplate();
  void layout();
  void createButtons(int top, int right, int w, int h, int gap);
  void addTab(int index);
  LRESULT notifyPage(int index, UINT code, LPARAM lParam = 0);
  bool activate(int index, bool askOld);
  bool killActive();
  bool applyAll();
  void onOk(bool close);
  void onCancel();
  void wizardMove(UINT code);
  void onWizardFinish();
  void showCaption();
  void focusIntoPage();
  int indexOfTemplate(LRESULT id) const;
  bool tabKey(bool back);
  LRESULT onSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
};
