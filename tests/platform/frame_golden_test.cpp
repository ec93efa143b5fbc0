// The gallery's main frame (menu, flat tool bar with a disabled and a
// checked button, a tip over the Open button, the status bar with its
// prompt, the view) matches its golden picture to the pixel.
#include <gtest/gtest.h>

#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/testing/DlgSnapshot.h"
#include "support/GoldenImage.h"
#include "tools/gallery/GalleryFrame.h"

namespace {

TEST(FrameGolden, AFrameWithToolBarTipAndStatusBarMatchesItsGoldenPicture) {
  automation::ResetWindows();
  CWinApp app("FrameGolden");
  gallery::InstallFrameStrings();
  {
    gallery::GalleryFrame frame;
    ASSERT_TRUE(frame.Make(40, 40, 480, 300));
    app.m_pMainWnd = &frame;
    app.OnIdle(0);
    automation::PumpUntilIdle();
    RECT open;
    frame.m_wndToolBar.GetItemRect(1, &open);
    automation::MouseMove(frame.m_wndToolBar.m_hWnd,
                          POINT{(open.left + open.right) / 2, (open.top + open.bottom) / 2});
    automation::AdvanceClock(600);
    EXPECT_TRUE(golden::Matches("platform/frame_toolbar_status.png",
                                [&](const std::string& path) { return SnapshotToPng(frame.m_hWnd, path); }));
    app.m_pMainWnd = nullptr;
  }
  AfxSetStringTable(nullptr);
  automation::ResetWindows();
}

}  // namespace
