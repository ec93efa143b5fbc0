// What the window layer answers the host: the frame part under a point, by
// the window's own WM_NCHITTEST, so that a window manager moves and sizes
// our undecorated windows like the layer would.
#include "platform/window/WindowImpl.h"

namespace {

class WindowHostClient : public platform::HostClient {
 public:
  platform::HitArea HitTest(platform::NativeWindow native, int screenX, int screenY) override {
    using platform::HitArea;
    HWND h = wnd::TopLevelOfNative(native);
    if (!h || !IsWindowEnabled(h)) return HitArea::Normal;
    LRESULT hit = SendMessage(h, WM_NCHITTEST, 0,
                              MAKELPARAM(static_cast<WORD>(screenX), static_cast<WORD>(screenY)));
    switch (hit) {
      case HTCAPTION: return HitArea::Caption;
      case HTLEFT: return HitArea::Left;
      case HTRIGHT: return HitArea::Right;
      case HTTOP: return HitArea::Top;
      case HTBOTTOM: return HitArea::Bottom;
      case HTTOPLEFT: return HitArea::TopLeft;
      case HTTOPRIGHT: return HitArea::TopRight;
      case HTBOTTOMLEFT: return HitArea::BottomLeft;
      case HTBOTTOMRIGHT: return HitArea::BottomRight;
      default: return HitArea::Normal;
    }
  }
};

}  // namespace

namespace wnd {
platform::HostClient& HostClientOfLayer() {
  static WindowHostClient client;
  return client;
}
}  // namespace wnd
