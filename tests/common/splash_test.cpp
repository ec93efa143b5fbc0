// The splash window's closing rules: two seconds, a key or a mouse press in
// any window of the program, and nothing at all when it is switched off.
#include <gtest/gtest.h>

#include "common/SplashWindow.h"
#include "common/UnitVocab.h"
#include "platform/framework/CWinApp.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"

namespace {

int armed = 0;
void Arm() { ++armed; }

// The application passes every message to the splash window first.
class SplashApp : public CWinApp {
 public:
  SplashApp() : CWinApp("Kestrova") {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (CSplashWindow::PreTranslateAppMessage(msg)) return TRUE;
    return CWinApp::PreTranslateMessage(msg);
  }
};

// Counts the presses that reach it.
class MainWindow : public CWnd {
 public:
  int presses = 0;

 protected:
  void OnKeyDown(UINT, UINT, UINT) override { ++presses; }
  void OnLButtonDown(UINT, CPoint) override { ++presses; }
  void OnRButtonDown(UINT, CPoint) override { ++presses; }
  void OnNcLButtonDown(UINT, CPoint) override { ++presses; }
};

class Splash : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    armed = 0;
    CSplashWindow::SetFirstPaintArmer(&Arm);
    ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr));
    app.m_pMainWnd = &main;
    CSplashWindow::EnableSplash(1);
  }
  void TearDown() override {
    CSplashWindow::HideSplashScreen();
    CSplashWindow::EnableSplash(0);
    CSplashWindow::SetFirstPaintArmer(nullptr);
    app.m_pMainWnd = nullptr;
    automation::ResetWindows();
  }
  // The main window shown and the first-paint step armed, once.
  void ExpectClosed() {
    EXPECT_EQ(SplashWnd, nullptr);
    EXPECT_TRUE(main.IsWindowVisible());
    EXPECT_EQ(armed, 1);
  }

  SplashApp app;
  MainWindow main;
};

}  // namespace

TEST_F(Splash, OpensCentredAndClosesAfterTwoSeconds) {
  CSplashWindow::ShowSplash(&main);
  ASSERT_NE(SplashWnd, nullptr);
  RECT r{};
  SplashWnd->GetWindowRect(&r);
  EXPECT_EQ(r.right - r.left, 296);
  EXPECT_EQ(r.bottom - r.top, 335);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - 296) / 2, 1);
  CSplashWindow::ShowSplash(&main);  // one at most
  automation::AdvanceClock(1900);
  EXPECT_NE(SplashWnd, nullptr);
  EXPECT_FALSE(main.IsWindowVisible());
  automation::AdvanceClock(200);
  ExpectClosed();
}

TEST_F(Splash, AKeyOrAPressClosesItAndIsConsumed) {
  struct Case {
    const char* what;
    void (*act)(HWND main);
  } cases[] = {
      {"key", [](HWND) { automation::PressKey('A'); }},
      {"click on the splash", [](HWND) { automation::Click(SplashWnd->GetSafeHwnd(), POINT{10, 10}); }},
      {"right click on the main window", [](HWND m) { automation::Click(m, POINT{10, 10}, 1); }},
      {"click on the main window's title bar", [](HWND m) { automation::Click(m, POINT{40, -8}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    armed = 0;
    main.ShowWindow(SW_HIDE);
    CSplashWindow::ShowSplash(&main);
    ASSERT_NE(SplashWnd, nullptr);
    c.act(main.GetSafeHwnd());
    automation::PumpUntilIdle();
    ExpectClosed();
    EXPECT_EQ(main.presses, 0);
  }
  // With the splash gone, presses reach the windows again.
  automation::AdvanceClock(1000);
  automation::Click(main.GetSafeHwnd(), POINT{10, 10});
  automation::PumpUntilIdle();
  EXPECT_EQ(main.presses, 1);
  // A message that is no press passes.
  MSG move{};
  move.message = WM_MOUSEMOVE;
  EXPECT_FALSE(CSplashWindow::PreTranslateAppMessage(&move));
}

TEST_F(Splash, SwitchedOffOrWithoutItsPictureNoSplashOpensAndTheWindowShows) {
  CSplashWindow::EnableSplash(0);
  CSplashWindow::ShowSplash(&main);
  EXPECT_EQ(SplashWnd, nullptr);
  CSplashWindow::EnableSplash(1);
  const int saved = SplashBitmapId;
  SplashBitmapId = 1;  // no such picture
  CSplashWindow::ShowSplash(&main);
  SplashBitmapId = saved;
  EXPECT_EQ(SplashWnd, nullptr);
  // Nothing would ever show the main window or run the first paint's step.
  EXPECT_EQ(armed, 1);
  EXPECT_TRUE(main.IsWindowVisible());
}
