// The file open and save dialog (CFileDialog, GetOpenFileName,
// GetSaveFileName): a folder list and a file list of the real file system,
// the caller's filters, a typed name, path or pattern, and the checks the
// OFN_ flags ask for, in the classic layout (IDD_COMMDLG_FILE) or the
// caller's own template with the same control numbers (OFN_ENABLETEMPLATE).
//
// Paths come and go in the program's Windows-1252 text with "/" separators;
// "\" is accepted as a separator in what is given or typed. The dialog never
// changes the process's working folder. There are no drives: the drive box
// holds the root folder only.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/dialogs/Dialog.h"

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // The filter in the framework's form: "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);

  // IDOK with the chosen path in m_ofn.lpstrFile, IDCANCEL (also when the
  // result did not fit; see CommDlgExtendedError).
  INT_PTR DoModal() override;

  CString GetPathName() const;  // the whole path
  CString GetFileName() const;  // the name with its extension
  CString GetFileExt() const;   // the extension without the dot
  CString GetFileTitle() const; // the name without its extension
  CString GetFolderPath() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

  // The parameter block; callers may change it before DoModal (title,
  // initial folder, template, hook, flags).
  OPENFILENAME m_ofn;
  BOOL m_bOpenFileDialog;

  // The folder shown and the patterns in force (for tests and hooks).
  const std::string& CurrentFolder() const { return m_folder; }
  const std::string& CurrentPatterns() const { return m_patterns; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A last check of the chosen path (in m_ofn); TRUE refuses it.
  virtual BOOL OnFileNameOK();

 private:
  // Lists a folder; a folder that cannot be read leaves the dialog as it
  // was, with a message when report is set. The folder is a copy: it often
  // comes from the entries that listing it replaces.
  bool ShowFolder(std::string folder, bool report);
  void SelectFilter(int index);
  void OnFolderChosen(int item);
  void AcceptTyped(const std::string& typed);
  void ReturnPath(const std::string& path);
  void ShowMessage(const std::string& text, UINT type = MB_OK | MB_ICONEXCLAMATION);
  int Ask(const std::string& text);

  char m_fileBuffer[260] = {};
  char m_titleBuffer[260] = {};
  std::string m_filterZero;  // the filter given to the constructor, in zero-separated form
  std::string m_defExt;
  std::vector<std::pair<std::string, std::string>> m_filters;
  std::vector<std::string> m_folderEntries;  // folder paths behind the folder list's entries
  std::string m_folder;
  std::string m_patterns = "*.*";
  int m_currentEntry = -1;  // the folder list's entry of the folder shown
  bool m_hookInitDone = false;
};
