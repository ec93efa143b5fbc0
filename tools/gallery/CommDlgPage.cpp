#include "CommDlgPage.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "CommonDialogsPage.h"
#include "platform/base/Resources.h"
#include "platform/commdlg/FileDialog.h"
#include "platform/commdlg/FindReplaceDialog.h"
#include "platform/commdlg/FontDialog.h"
#include "platform/testing/Automation.h"
#include "platform/testing/DlgSnapshot.h"

namespace gallery {

namespace {

// Runs a modal dialog and takes its picture from inside its loop.
bool snapModal(const char* caption, const std::string& png, CDialog& dlg) {
  bool ok = false;
  PictureNextDialog(caption, png, ok, IDCANCEL, true);
  dlg.DoModal();
  return ok;
}

}  // namespace

int WriteCommDlgPngs(const char* path) {
  const std::string open = PngBeside(path, "open");
  const std::string folder = ResourcePath("dialogs");
  CFileDialog file(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                   "Dialog Templates (*.dlg)|*.dlg|All Files (*.*)|*.*||");
  file.m_ofn.lpstrInitialDir = folder.c_str();
  const bool openOk = snapModal("Open", open, file);

  const std::string fontPng = PngBeside(path, "font");
  LOGFONT lf{};
  std::strncpy(lf.lfFaceName, "Times New Roman", LF_FACESIZE - 1);
  lf.lfHeight = -16;
  lf.lfWeight = FW_BOLD;
  CFontDialog font(&lf, CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_SCALABLEONLY);
  const bool fontOk = snapModal("Font", fontPng, font);

  // The modeless dialogs need an owner to tell.
  CWnd owner;
  owner.CreateEx(0, nullptr, "Gallery", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  bool findOk = false, replaceOk = false;
  const std::string findPng = PngBeside(path, "find"), replacePng = PngBeside(path, "replace");
  auto* find = new CFindReplaceDialog;
  if (find->Create(TRUE, "Camp Fund", nullptr, FR_DOWN | FR_HIDEWHOLEWORD, &owner)) {
    automation::PumpUntilIdle();
    findOk = SnapshotToPng(find->m_hWnd, findPng);
    find->DestroyWindow();
  }
  auto* replace = new CFindReplaceDialog;
  if (replace->Create(FALSE, "Troop", "Pack", FR_DOWN | FR_MATCHCASE, &owner)) {
    automation::PumpUntilIdle();
    replaceOk = SnapshotToPng(replace->m_hWnd, replacePng);
    replace->DestroyWindow();
  }
  owner.DestroyWindow();
  // Every picture is reported, even after one failed.
  const bool reported[] = {ReportWritten(openOk, open), ReportWritten(fontOk, fontPng), ReportWritten(findOk, findPng),
                           ReportWritten(replaceOk, replacePng)};
  for (bool ok : reported)
    if (!ok) return 1;
  return 0;
}

}  // namespace gallery
