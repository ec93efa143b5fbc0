// The gallery's controls dialog: every standard control in its states
// (focused, disabled, checked, dropped, selected), with the gallery's menu
// bar and accelerators.
#pragma once

#include "platform/dialogs/Dialog.h"
#include "platform/menus/Menu.h"

namespace gallery {

class ControlsDialog : public CDialog {
 public:
  ControlsDialog();
  int clicks = 0;
  // Drops the "dropped" combo box after the dialog opens (pictures).
  bool dropCombo = true;
  // Closing the dialog ends the program's message loop.
  bool quitOnClose = false;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;
  void OnPush();
  void OnMessageBox();
  void OnExit();
  void OnToggleChecked();
  void OnUpdateChecked(CCmdUI* ui);
  void OnUpdateGrayed(CCmdUI* ui);

  DECLARE_MESSAGE_MAP()

 private:
  CMenu menu_;
  HACCEL accel_ = nullptr;
  bool checked_ = true;
};

// Writes the controls dialog, made headless, as a picture to `path`.
int WriteControlsPng(const char* path);
// Opens the dialog on the display and runs it until it closes; with a
// screenshot path, writes the picture of its windows after `afterMs` of
// real time and ends: with the combo box dropped, or `withBox` with the
// message box open over the dialog.
int RunControls(const char* screenshot, int afterMs, bool withBox = false);

}  // namespace gallery
