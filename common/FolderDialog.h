// The folder picker, built on the platform's classic open-file dialog with a
// template of its own: only the folder list stays visible, and the chosen
// folder comes back as the path of the dummy file "Junk" in it.
#pragma once

#include "platform/base/CString.h"
#include "platform/commdlg/FileDialog.h"

class CFolderDialog : public CFileDialog {
 public:
  // The flags every picker passes; some add OFN_PATHMUSTEXIST and
  // OFN_NOREADONLYRETURN.
  static constexpr DWORD kFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLETEMPLATE |
                                  OFN_NONETWORKBUTTON | OFN_LONGNAMES;

  CFolderDialog(BOOL openFileDialog, LPCTSTR defExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                CWnd* parent);
  // Readies the parameter block: the title "Select Folder", the template,
  // `startFolder` in the dialog's own path buffer, no help and no explorer
  // look.
  void Prepare(const char* startFolder);
  // After OK: the chosen folder (the returned path cut at its last separator).
  CString GetFolder() const;

 protected:
  BOOL OnInitDialog() override;
  void OnPaint() override;

 private:
  int m_bFirstPaint = 0;
  char m_szPath[260] = {};
};
