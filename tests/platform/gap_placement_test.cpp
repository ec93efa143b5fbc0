// GetWindowPlacement / SetWindowPlacement for top-level and child windows.
#include "wnd_support.h"

using namespace wndtest;

namespace {

class GapPlacement : public WindowTest {};

TEST_F(GapPlacement, ReportsRectangleAndShowState) {
  HWND frame = top("frame", RECT{50, 60, 450, 360}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND kid = child(frame, "kid", RECT{10, 20, 110, 70});
  HWND hidden = child(frame, "hidden", RECT{5, 5, 25, 15}, 0, WS_CHILD);
  struct Case {
    const char* what;
    HWND hwnd;
    std::function<void()> before;
    UINT showCmd;
    RECT rect;
  };
  const Case cases[] = {
      {"top-level: screen", frame, [] {}, SW_SHOWNORMAL, RECT{50, 60, 450, 360}},
      {"child: parent client", kid, [] {}, SW_SHOWNORMAL, RECT{10, 20, 110, 70}},
      {"hidden child", hidden, [] {}, SW_HIDE, RECT{5, 5, 25, 15}},
      {"minimized", frame, [&] { ShowWindow(frame, SW_MINIMIZE); }, SW_SHOWMINIMIZED, RECT{50, 60, 450, 360}},
      {"maximized", frame, [&] { ShowWindow(frame, SW_SHOWMAXIMIZED); }, SW_SHOWMAXIMIZED, RECT{0, 0, 1024, 768}},
  };
  for (const auto& c : cases) {
    c.before();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(c.hwnd, &wp)) << c.what;
    EXPECT_EQ(wp.showCmd, c.showCmd) << c.what;
    const RECT& r = wp.rcNormalPosition;
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}))
        << c.what;
  }
  WINDOWPLACEMENT bad{};
  EXPECT_FALSE(GetWindowPlacement(frame, &bad));  // length not set
  bad.length = sizeof bad;
  EXPECT_FALSE(GetWindowPlacement(nullptr, &bad));
}

TEST_F(GapPlacement, RestoresWhatItSaved) {
  HWND frame = top("frame", RECT{50, 60, 450, 360}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND kid = child(frame, "kid", RECT{10, 20, 110, 70});
  CWnd* wrapped = CWnd::FromHandle(kid);
  struct Case {
    const char* what;
    HWND hwnd;
    UINT showCmd;
    RECT rect;
  };
  const Case cases[] = {
      {"move a frame", frame, SW_SHOWNORMAL, RECT{100, 110, 400, 330}},
      {"move and hide a child", kid, SW_HIDE, RECT{30, 40, 90, 60}},
      {"show a child again", kid, SW_SHOWNORMAL, RECT{0, 0, 50, 20}},
  };
  for (const auto& c : cases) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.showCmd = c.showCmd;
    wp.rcNormalPosition = c.rect;
    ASSERT_TRUE(SetWindowPlacement(c.hwnd, &wp)) << c.what;
    WINDOWPLACEMENT back{};
    back.length = sizeof back;
    ASSERT_TRUE(GetWindowPlacement(c.hwnd, &back)) << c.what;
    EXPECT_EQ(back.showCmd, c.showCmd) << c.what;
    EXPECT_EQ(std::vector<LONG>({back.rcNormalPosition.left, back.rcNormalPosition.top, back.rcNormalPosition.right,
                                 back.rcNormalPosition.bottom}),
              std::vector<LONG>({c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}))
        << c.what;
  }
  WINDOWPLACEMENT viaWnd{};
  viaWnd.length = sizeof viaWnd;
  EXPECT_TRUE(wrapped->GetWindowPlacement(&viaWnd));
  EXPECT_EQ(viaWnd.rcNormalPosition.right, 50);
}

}  // namespace
