// The modeless find and replace dialogs (CFindReplaceDialog, FindText,
// ReplaceText). Every button sends the owner the registered message
// "commdlg_FindReplace" with the FINDREPLACE record as lParam, its Flags
// telling which (FR_FINDNEXT, FR_REPLACE, FR_REPLACEALL, FR_DIALOGTERM) and
// the options (FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD). Closing sends
// FR_DIALOGTERM and destroys the dialog; a CFindReplaceDialog then deletes
// itself, so callers make it with new and forget it at FR_DIALOGTERM.
#pragma once

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/dialogs/Dialog.h"

class CFindReplaceDialog : public CDialog {
  DECLARE_DYNAMIC(CFindReplaceDialog)
 public:
  CFindReplaceDialog();
  ~CFindReplaceDialog() override;

  // The owner (pParentWnd, else the main window) receives the messages.
  using CDialog::Create;  // the generic forms stay callable
  virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                      DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);
  // Creation on a caller's record (FindText, ReplaceText).
  BOOL CreateOn(BOOL bFindDialogOnly, LPFINDREPLACE record);

  // The dialog that sent a "commdlg_FindReplace" message, from its lParam.
  static CFindReplaceDialog* GetNotifier(LPARAM lParam);

  CString GetFindString() const;
  CString GetReplaceString() const;
  BOOL SearchDown() const { return (Record().Flags & FR_DOWN) != 0; }
  BOOL FindNext() const { return (Record().Flags & FR_FINDNEXT) != 0; }
  BOOL MatchCase() const { return (Record().Flags & FR_MATCHCASE) != 0; }
  BOOL MatchWholeWord() const { return (Record().Flags & FR_WHOLEWORD) != 0; }
  BOOL ReplaceCurrent() const { return (Record().Flags & FR_REPLACE) != 0; }
  BOOL ReplaceAll() const { return (Record().Flags & FR_REPLACEALL) != 0; }
  BOOL IsTerminating() const { return (Record().Flags & FR_DIALOGTERM) != 0; }

  FINDREPLACE m_fr;
  char m_szFindWhat[128] = {};
  char m_szReplaceWith[128] = {};

  // Whether the object deletes itself when its window is gone (FindText's
  // dialogs and those of Create; a test may keep one on the stack).
  bool m_bAutoDelete = true;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

 private:
  const FINDREPLACE& Record() const { return *m_pRecord; }
  void Notify(DWORD action);
  void UpdateButtons();

  FINDREPLACE* m_pRecord = &m_fr;
  bool m_findOnly = true;
  bool m_terminated = false;
};
