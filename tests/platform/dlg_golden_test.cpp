// Dialogs drawn at a fixed size match their golden pictures to the pixel
// (shipped fonts, classic colours): a small dialog, the gallery's controls
// dialog in its states, and a message box. KESTROVA_UPDATE_GOLDEN=1 rewrites
// the pictures instead; look at them before keeping them.
#include "dlg_support.h"
#include "tools/gallery/ControlsStates.h"
#include "platform/testing/DlgSnapshot.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/MessageBoxDlg.h"
#include "support/GoldenImage.h"

namespace {

const char* kSmall = R"(
dialog 7100
  caption "Golden"
  rect 0 0 160 56
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  control Static IDC_STATIC "&Label text:" 7 9 50 8
  control Button 101 "&Check" 60 8 60 10 BS_AUTOCHECKBOX | WS_TABSTOP
  control Button IDOK "OK" 48 36 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  control Button IDCANCEL "Cancel" 103 36 50 14 WS_TABSTOP
end
)";

class Golden : public dlgtest::DialogTest {};

TEST_F(Golden, ASmallDialogMatchesItsGoldenPicture) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(kSmall, "golden", &error)) << error;
  CDialog d(7100);
  ASSERT_TRUE(d.Create(7100));
  d.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  d.ShowWindow(SW_SHOW);
  CheckDlgButton(d.m_hWnd, 101, BST_CHECKED);
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("platform/dlg_small.png",
                              [&](const std::string& path) { return automation::RenderToPng(d.m_hWnd, path); }));
}

// The gallery's controls dialog with the gallery's states and the combo box
// dropped; the picture holds the dropped list as well.
TEST_F(Golden, TheGalleryControlsDialogMatchesItsGoldenPicture) {
  CDialog d(IDD_GALLERY_CONTROLS);
  ASSERT_TRUE(d.Create(IDD_GALLERY_CONTROLS));
  d.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  gallery::SetControlsStates(d.m_hWnd);
  d.ShowWindow(SW_SHOW);
  automation::PumpUntilIdle();
  gallery::DropControlsCombo(d.m_hWnd);
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("platform/dlg_gallery_controls.png",
                              [&](const std::string& path) { return SnapshotToPng(d.m_hWnd, path); }));
  d.DestroyWindow();
}

TEST_F(Golden, AQuestionMessageBoxMatchesItsGoldenPicture) {
  HWND box = msgbox::Create(nullptr, "The file has changed since it was opened.\nSave the changes?", "Kestrova",
                            MB_YESNOCANCEL | MB_ICONQUESTION);
  ASSERT_TRUE(box);
  SetWindowPos(box, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("platform/dlg_messagebox_question.png",
                              [&](const std::string& path) { return automation::RenderToPng(box, path); }));
  DestroyWindow(box);
}

}  // namespace
