#include "FramePage.h"

#include <cstdio>
#include <string>

#include "CommonDialogsPage.h"
#include "GalleryFrame.h"
#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/testing/DlgSnapshot.h"

namespace gallery {

int WriteFramePng(const char* path) {
  CWinApp app("Gallery");
  InstallFrameStrings();
  GalleryFrame frame;
  if (!frame.Make(40, 40, 480, 300)) {
    std::fprintf(stderr, "gallery: the frame could not be made\n");
    return 1;
  }
  app.m_pMainWnd = &frame;
  app.OnIdle(0);
  automation::PumpUntilIdle();
  RECT open;
  frame.m_wndToolBar.GetItemRect(1, &open);
  automation::MouseMove(frame.m_wndToolBar.m_hWnd, POINT{(open.left + open.right) / 2, (open.top + open.bottom) / 2});
  automation::AdvanceClock(600);
  std::string out = PngBeside(path, "frame");
  bool ok = SnapshotToPng(frame.m_hWnd, out);
  app.m_pMainWnd = nullptr;
  frame.DestroyWindow();
  AfxSetStringTable(nullptr);
  if (!ok) {
    std::fprintf(stderr, "gallery: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int RunFrame(const char* screenshot, int afterMs) {
  CWinApp app("Gallery");
  InstallFrameStrings();
  GalleryFrame frame;
  frame.quitOnClose = true;
  if (!frame.Make(80, 80, 560, 360)) {
    std::fprintf(stderr, "gallery: the frame could not be made\n");
    return 1;
  }
  app.m_pMainWnd = &frame;
  static std::string shot;
  if (screenshot) {
    shot = screenshot;
    ::SetTimer(frame.m_hWnd, 1, static_cast<UINT>(afterMs), [](HWND h, UINT, UINT_PTR, DWORD) {
      ::KillTimer(h, 1);
      if (!SnapshotToPng(h, shot)) std::fprintf(stderr, "gallery: cannot write %s\n", shot.c_str());
      ::DestroyWindow(h);
    });
  }
  app.Run();
  return 0;
}

}  // namespace gallery
