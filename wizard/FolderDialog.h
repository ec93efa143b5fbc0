// CFolderDialog: the wizard's folder picker, the platform's file-open dialog
// on a template of its own. The file name and type controls are hidden and
// a dummy name stands in for the file, so that OK returns the folder shown.
#pragma once

#include <string>

#include "platform/commdlg/FileDialog.h"
#include "wizard/FolderPicker.h"

namespace wiz {

// In the wizard's namespace: the shared controls have a folder picker of the
// same name, and both may end up in one program.
class CFolderDialog : public CFileDialog {
 public:
  CFolderDialog(const std::string& title, const std::string& initialFolder, CWnd* parent = nullptr);
  // The chosen folder: the returned path less the dummy name.
  std::string GetFolder() const;

 protected:
  // The folder list keeps the shown folder's entry selected: OK with
  // another entry selected there would open that folder instead of
  // returning.
  BOOL OnInitDialog() override;

 private:
  std::string title_, initial_;
};

}  // namespace wiz

// The picker the wizard's pages use.
class DialogFolderPicker : public FolderPicker {
 public:
  bool PickFolder(CWnd* owner, const std::string& title, std::string& folder) override;
};
