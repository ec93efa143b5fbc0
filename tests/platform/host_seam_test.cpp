// What the window layer asks of the host beyond windows and events: the
// mouse capture, idle waits, and answers when no user is present.
#include <gtest/gtest.h>

#include "platform/base/MessageBoxDefs.h"
#include "platform/host/HeadlessHost.h"
#include "wnd_support.h"

namespace {

using wndtest::WindowTest;

class HostSeam : public WindowTest {};

TEST_F(HostSeam, TheHostHoldsTheMouseWhileAWindowHasTheCapture) {
  platform::HeadlessHost* host = platform::GetHeadlessHost();
  ASSERT_NE(host, nullptr);
  HWND a = top("a");
  SetCapture(a);
  EXPECT_TRUE(host->MouseCaptured());
  ReleaseCapture();
  EXPECT_FALSE(host->MouseCaptured());
  // A captured window that goes away takes the capture with it.
  SetCapture(a);
  DestroyWindow(a);
  EXPECT_FALSE(host->MouseCaptured());
}

TEST(HeadlessHostAlone, IdleWaitsMoveTheClockToTheDeadlineUnlessInputWaits) {
  platform::HeadlessHost host;
  EXPECT_FALSE(host.IdleUntil(std::nullopt));  // nothing could ever arrive
  DWORD start = host.Now();
  EXPECT_TRUE(host.IdleUntil(start + 250));
  EXPECT_EQ(host.Now(), start + 250);
  EXPECT_TRUE(host.IdleUntil(start + 100));  // a deadline already passed
  EXPECT_EQ(host.Now(), start + 250);
  platform::HostEvent key;
  key.kind = platform::HostEvent::KeyDown;
  host.Inject(key);
  EXPECT_TRUE(host.IdleUntil(start + 900));
  EXPECT_EQ(host.Now(), start + 250);
}

TEST(HeadlessHostAlone, WithoutAResponderBoxesAreCancelledMenusDismissedAndLoopsEnded) {
  platform::HeadlessHost host;
  platform::ModalQuestion box;
  box.kind = "messagebox";
  box.text = "Delete the account?";
  EXPECT_EQ(host.Answer(box), IDCANCEL);
  platform::ModalQuestion menu;
  menu.kind = "menu";
  EXPECT_EQ(host.Answer(menu), 0);
  EXPECT_EQ(host.Observe(box), 0);
  int ended = -1;
  platform::ModalLoop loop;
  loop.running = [&] { return ended < 0; };
  loop.end = [&](int code) { ended = code; };
  host.AnswerModalLoop(loop);
  EXPECT_EQ(ended, IDCANCEL);
}

}  // namespace
