#include "ControlsPage.h"

#include <cstdio>
#include <cstdlib>

#include "CommonDialogsPage.h"
#include "ControlsStates.h"
#include "MessageLoop.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/testing/DlgSnapshot.h"
#include "platform/host/Host.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/host/sdl/SdlHost.h"
#include "res/resource.h"

namespace gallery {

BEGIN_MESSAGE_MAP(ControlsDialog, CDialog)
  ON_BN_CLICKED(IDC_GAL_BUTTON, OnPush)
  ON_COMMAND(IDC_GAL_MESSAGEBOX, OnMessageBox)
  ON_COMMAND(ID_GAL_FILE_EXIT, OnExit)
  ON_COMMAND(ID_GAL_VIEW_CHECKED, OnToggleChecked)
  ON_UPDATE_COMMAND_UI(ID_GAL_VIEW_CHECKED, OnUpdateChecked)
  ON_UPDATE_COMMAND_UI(ID_GAL_VIEW_GRAYED, OnUpdateGrayed)
END_MESSAGE_MAP()

ControlsDialog::ControlsDialog() : CDialog(IDD_GALLERY_CONTROLS) {}

BOOL ControlsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND h = m_hWnd;
  // Menu bar: the window grows so that the controls keep their room.
  if (menu_.LoadMenu(IDR_GALLERY)) {
    RECT before;
    ::GetWindowRect(h, &before);
    ::SetMenu(h, menu_.m_hMenu);
    ::SetWindowPos(h, nullptr, 0, 0, before.right - before.left,
                   before.bottom - before.top + GetSystemMetrics(SM_CYMENU), SWP_NOMOVE | SWP_NOZORDER);
  }
  accel_ = LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_GALLERY));

  SetControlsStates(h);
  return FALSE;
}

BOOL ControlsDialog::PreTranslateMessage(MSG* msg) {
  if (accel_ && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && ::TranslateAccelerator(m_hWnd, accel_, msg))
    return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

void ControlsDialog::OnInitMenuPopup(CMenu* popup, UINT, BOOL) { AfxUpdateMenuPopup(this, popup, FALSE); }

void ControlsDialog::OnPush() {
  CString text;
  text.Format("Clicks: %d", ++clicks);
  SetDlgItemText(IDC_GAL_CLICKS, text);
}

void ControlsDialog::OnMessageBox() {
  int answer = ::MessageBox(m_hWnd,
                            "This is the message box of the platform layer. Its width follows the text, and a long "
                            "text wraps onto further lines.\n\nDo you like it?",
                            "Gallery", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
  CString text;
  text.Format("Answer: %s", answer == IDYES ? "Yes" : answer == IDNO ? "No" : "Cancel");
  SetDlgItemText(IDC_GAL_CLICKS, text);
}

void ControlsDialog::OnExit() { DestroyWindow(); }
void ControlsDialog::OnToggleChecked() { checked_ = !checked_; }
void ControlsDialog::OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(checked_ ? 1 : 0); }
void ControlsDialog::OnUpdateGrayed(CCmdUI* ui) { ui->Enable(FALSE); }
void ControlsDialog::OnOK() { DestroyWindow(); }
void ControlsDialog::OnCancel() { DestroyWindow(); }

void ControlsDialog::PostNcDestroy() {
  if (quitOnClose) PostQuitMessage(0);
}

namespace {

void drop(ControlsDialog& d) {
  if (d.dropCombo) DropControlsCombo(d.m_hWnd);
}

}  // namespace

int WriteControlsPng(const char* path) {
  ControlsDialog d;
  if (!d.Create(IDD_GALLERY_CONTROLS)) {
    std::fprintf(stderr, "gallery: the controls dialog could not be made\n");
    return 1;
  }
  d.CenterWindow();
  d.ShowWindow(SW_SHOW);
  automation::PumpUntilIdle();
  drop(d);
  automation::PumpUntilIdle();
  std::string out = PngBeside(path, "controls");
  if (!SnapshotToPng(d.m_hWnd, out)) {
    std::fprintf(stderr, "gallery: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int RunControls(const char* screenshot, int afterMs, bool withBox) {
  static ControlsDialog* current = nullptr;
  static bool box = false;
  box = withBox;
  ControlsDialog d;
  d.quitOnClose = true;
  d.dropCombo = screenshot != nullptr && !withBox;
  if (!d.Create(IDD_GALLERY_CONTROLS)) {
    std::fprintf(stderr, "gallery: the controls dialog could not be made\n");
    return 1;
  }
  d.CenterWindow();
  d.ShowWindow(SW_SHOW);
  current = &d;
  static std::string shot;
  if (screenshot) {
    shot = screenshot;
    ::SetTimer(d.m_hWnd, 1, static_cast<UINT>(afterMs / 2), [](HWND, UINT, UINT_PTR, DWORD) {
      ::KillTimer(current->m_hWnd, 1);
      // The message box runs its own loop; the picture is taken inside it.
      if (box) ::PostMessage(current->m_hWnd, WM_COMMAND, IDC_GAL_MESSAGEBOX, 0);
      else drop(*current);
    });
    ::SetTimer(d.m_hWnd, 2, static_cast<UINT>(afterMs), [](HWND h, UINT, UINT_PTR, DWORD) {
      ::KillTimer(h, 2);
      if (!SnapshotToPng(h, shot)) std::fprintf(stderr, "gallery: cannot write %s\n", shot.c_str());
      ::DestroyWindow(h);
    });
  }
  RunMessageLoop();
  current = nullptr;
  return 0;
}

}  // namespace gallery
