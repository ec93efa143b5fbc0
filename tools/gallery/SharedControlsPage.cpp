#include "SharedControlsPage.h"

#include <string>

#include "CommonDialogsPage.h"
#include "common/AmountEdit.h"
#include "common/BmpButton.h"
#include "common/DateEdit.h"
#include "common/EditLabel.h"
#include "common/FillCombo.h"
#include "common/FolderDialog.h"
#include "common/PhoneTypes.h"
#include "common/PickLabel.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/testing/Automation.h"
#include "res/resource.h"

namespace gallery {

int WriteSharedControlsPngs(const char* path) {
  automation::ResetWindows();
  CDialog dlg(IDD_GALLERY_SHARED);
  if (!dlg.Create(IDD_GALLERY_SHARED)) return ReportWritten(false, path);
  dlg.ShowWindow(SW_SHOW);

  CDateEditEx date;
  date.SubclassEdit(IDC_GAL_DATE, &dlg, "", 0);
  CAmountEdit amount, negative;
  amount.SubclassDlgItem(IDC_GAL_AMOUNT, &dlg);
  negative.SubclassDlgItem(IDC_GAL_AMOUNT_NEG, &dlg);
  CBmpButton pictures[3];
  const int pictureIds[3] = {IDC_GAL_PICTURE, IDC_GAL_PICTURE_DOWN, IDC_GAL_PICTURE_OFF};
  for (int i = 0; i < 3; ++i) {
    pictures[i].SubclassDlgItem(pictureIds[i], &dlg);
    pictures[i].SetBitmaps(325, 0, 0);
  }
  pictures[1].SetState(TRUE);
  pictures[2].EnableWindow(FALSE);
  CEditLabel label;
  label.SubclassDlgItem(IDC_GAL_EDITLABEL, &dlg, IDC_GAL_FILLCOMBO);
  CFillCombo combo;
  combo.SubclassDlgItem(IDC_GAL_FILLCOMBO, &dlg);
  combo.AddString("Tent");
  combo.AddString("Tarp");
  CPickLabel pick;
  pick.SubclassDlgItem(IDC_GAL_PICKLABEL, &dlg, nullptr);
  pick.AddChoices(PhoneTypeList.GetNames());
  {
    CDataExchange dx(&dlg, FALSE);
    CString when = "20031225", money = "1234.5", owed = "-12", kind = "Cellular";
    DDX_Date(&dx, date, when);
    amount.SetFormat(2, "-9999.99", "99999.99", 2);
    negative.SetFormat(2, "-9999.99", "99999.99", 2);
    DDX_Amount(&dx, amount, money);
    DDX_Amount(&dx, negative, owed);
    DDX_PickLabel(&dx, pick, kind);
  }
  combo.SetFocus();
  combo.SetWindowText("Tarp");
  automation::PumpUntilIdle();
  const std::string shared = PngBeside(path, "shared");
  const bool sharedOk = automation::RenderToPng(dlg.GetSafeHwnd(), shared);

  // The calendar dropped from the date edit through its right-button menu.
  const std::string calendar = PngBeside(path, "calendar");
  bool calendarOk = false;
  PictureNextDialog("Calendar", calendar, calendarOk, IDCANCEL);
  automation::ExpectMessageBox("", "Copy Date|Paste Date", 3);
  automation::Click(date.GetSafeHwnd(), POINT{5, 5}, 1);
  automation::PumpUntilIdle();
  automation::ClearResponder();
  dlg.DestroyWindow();

  // The folder picker opened on the root folder.
  const std::string folder = PngBeside(path, "folder");
  bool folderOk = false;
  CFolderDialog picker(TRUE, nullptr, nullptr, CFolderDialog::kFlags | OFN_PATHMUSTEXIST, nullptr, nullptr);
  picker.Prepare("/");
  PictureNextDialog("Select Folder", folder, folderOk, IDCANCEL);
  picker.DoModal();
  automation::ClearResponder();
  return ReportWritten(sharedOk, shared) && ReportWritten(calendarOk, calendar) && ReportWritten(folderOk, folder)
             ? 0
             : 1;
}

}  // namespace gallery
