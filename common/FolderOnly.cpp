#include "common/FolderOnly.h"

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/framework/CWnd.h"

void ShowOnlyFolders(CWnd& dialog) {
  for (int id : {stc2, stc3, edt1, lst1, cmb1})
    if (CWnd* control = dialog.GetDlgItem(id)) control->ShowWindow(SW_HIDE);
  dialog.SetDlgItemText(edt1, "Junk");
}
