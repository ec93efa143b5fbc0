// Painting: order of frame, background and client paint, parents before
// children, the invalidation log, ScrollWindowEx on real pixels, the caret's
// pixels and rendering a window to a PNG.
#include <cairo.h>

#include <cstdio>

#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndPainting : public WindowTest {
 protected:
  Log paints() {
    Log out;
    for (const std::string& e : taken())
      if (e.find("PAINT") != std::string::npos || e.find("ERASE") != std::string::npos) out.push_back(e);
    return out;
  }
  void fill(HWND h, RECT r, COLORREF c) {
    HDC dc = GetDC(h);
    CBrush b(c);
    CDC::FromHandle(dc)->FillRect(&r, &b);
    ReleaseDC(h, dc);
  }
};

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

TEST_F(WndPainting, FrameThenBackgroundThenClientAndParentsBeforeChildren) {
  HWND p = top("P", RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE | WS_BORDER);
  child(p, "c", RECT{10, 10, 60, 60}, 1, WS_CHILD | WS_VISIBLE | WS_BORDER);
  child(p, "d", RECT{70, 10, 120, 60});
  mark();
  automation::PumpUntilIdle();
  EXPECT_EQ(paints(), (Log{"P:NCPAINT", "P:PAINT", "P:ERASEBKGND", "d:PAINT", "d:ERASEBKGND", "c:NCPAINT",
                           "c:PAINT", "c:ERASEBKGND"}));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), automation::PixelAt(p, -1, -1)) << "the border is drawn";
  EXPECT_EQ(kWhite, automation::PixelAt(p, 100, 100)) << "the class background is erased";
}

// A new caption repaints the frame only: what the client area and its
// children drew stays, though nobody asks them to paint again.
TEST_F(WndPainting, NewCaptionOfAFramedWindowKeepsTheClientPixels) {
  for (DWORD frame : {static_cast<DWORD>(WS_DLGFRAME), static_cast<DWORD>(WS_THICKFRAME)}) {
    HWND p = top("P", RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE | WS_CAPTION | frame);
    automation::PumpUntilIdle();
    fill(p, RECT{150, 150, 160, 160}, kRed);
    SetWindowText(p, "New caption");
    automation::PumpUntilIdle();
    EXPECT_EQ(kRed, automation::PixelAt(p, 155, 155)) << frame;
    DestroyWindow(p);
  }
}

TEST_F(WndPainting, InvalidationLogShowsWhatWasInvalidatedAndPainted) {
  HWND p = top("P", RECT{0, 0, 200, 200});
  HWND c = child(p, "c", RECT{50, 50, 150, 150});
  automation::PumpUntilIdle();
  automation::ClearInvalidationLog();

  InvalidateRect(c, CRect(0, 0, 10, 10), FALSE);
  InvalidateRect(c, CRect(20, 20, 30, 30), FALSE);
  RECT u;
  ASSERT_TRUE(GetUpdateRect(c, &u, FALSE));
  EXPECT_TRUE(EqualRect(&u, CRect(0, 0, 30, 30)));
  automation::PumpUntilIdle();
  EXPECT_FALSE(GetUpdateRect(c, &u, FALSE));
  auto entries = automation::InvalidationLog(c);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_FALSE(entries[0].painted);
  EXPECT_TRUE(EqualRect(&entries[1].rect, CRect(20, 20, 30, 30)));
  EXPECT_TRUE(entries[2].painted);
  EXPECT_TRUE(EqualRect(&entries[2].rect, CRect(0, 0, 30, 30)));

  // A parent painted over its child makes the child paint again, after it.
  automation::ClearInvalidationLog();
  mark();
  InvalidateRect(p, CRect(40, 40, 60, 60), TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(paints(), (Log{"P:PAINT", "P:ERASEBKGND", "c:PAINT", "c:ERASEBKGND"}));
  entries = automation::InvalidationLog(c);
  ASSERT_FALSE(entries.empty());
  EXPECT_TRUE(EqualRect(&entries.back().rect, CRect(0, 0, 10, 10)));
}

struct ScrollCase {
  const char* name;
  int dy;
  RECT scroll;      // empty: whole client
  RECT uncovered;   // expected update rectangle
  int probeY;       // a row whose colour changed
  COLORREF probe;
  RECT childAfter;  // the child's rectangle after the scroll
};

TEST_F(WndPainting, ScrollWindowExMovesPixelsAndChildrenAndInvalidatesTheStrip) {
  const ScrollCase cases[] = {
      {"whole client up", -10, RECT{0, 0, 0, 0}, RECT{0, 90, 100, 100}, 45, kBlue, RECT{10, 50, 30, 70}},
      {"top half down", 10, RECT{0, 0, 100, 50}, RECT{0, 0, 100, 10}, 55, kBlue, RECT{10, 60, 30, 80}},
  };
  for (const ScrollCase& c : cases) {
    SCOPED_TRACE(c.name);
    automation::ResetWindows();
    HWND x = top("X", RECT{0, 0, 100, 100});
    HWND k = child(x, "k", RECT{10, 60, 30, 80});
    automation::PumpUntilIdle();
    fill(x, RECT{0, 0, 100, 50}, kRed);
    fill(x, RECT{0, 50, 100, 100}, kBlue);
    RECT update;
    bool whole = IsRectEmpty(&c.scroll);
    ScrollWindowEx(x, 0, c.dy, whole ? nullptr : &c.scroll, whole ? nullptr : &c.scroll, nullptr, &update,
                   SW_INVALIDATE | SW_SCROLLCHILDREN);
    EXPECT_TRUE(EqualRect(&update, &c.uncovered));
    EXPECT_EQ(automation::PixelAt(x, 5, c.probeY), c.probe);
    EXPECT_EQ(automation::PixelAt(x, 5, 30), kRed) << "rows that stayed in place keep their pixels";
    RECT kr;
    GetWindowRect(k, &kr);
    MapWindowPoints(nullptr, x, reinterpret_cast<LPPOINT>(&kr), 2);
    EXPECT_TRUE(EqualRect(&kr, &c.childAfter));
    RECT u;
    ASSERT_TRUE(GetUpdateRect(x, &u, FALSE));
    EXPECT_TRUE(EqualRect(&u, &c.uncovered));
  }
}

TEST_F(WndPainting, PendingUpdateMovesWithTheScrolledPixels) {
  HWND x = top("X", RECT{0, 0, 100, 100});
  automation::PumpUntilIdle();
  InvalidateRect(x, CRect(0, 80, 10, 85), FALSE);
  ScrollWindowEx(x, 0, -10, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  RECT u;
  GetUpdateRect(x, &u, FALSE);
  EXPECT_TRUE(EqualRect(&u, CRect(0, 70, 100, 100)));
}

TEST_F(WndPainting, CaretBlinksWithTheClockAndSurvivesPainting) {
  HWND x = top("X", RECT{0, 0, 100, 100});
  SetFocus(x);
  automation::PumpUntilIdle();
  const COLORREF kBlack = RGB(0, 0, 0);
  ASSERT_TRUE(CreateCaret(x, nullptr, 2, 10));
  SetCaretPos(5, 5);
  EXPECT_EQ(automation::PixelAt(x, 5, 5), kWhite) << "created hidden";
  ShowCaret(x);
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kBlack);
  automation::AdvanceClock(GetCaretBlinkTime());
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kWhite);
  automation::AdvanceClock(GetCaretBlinkTime());
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kBlack);
  InvalidateRect(x, nullptr, TRUE);
  UpdateWindow(x);
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kBlack) << "painting under the caret keeps it shown once";
  fill(x, RECT{0, 0, 100, 100}, kWhite);
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kBlack);
  HideCaret(x);
  EXPECT_EQ(automation::PixelAt(x, 6, 14), kWhite);
  DestroyCaret();
}

TEST_F(WndPainting, RenderToPngWritesTheWholeWindow) {
  HWND x = top("X", RECT{0, 0, 120, 80}, WS_POPUP | WS_VISIBLE | WS_BORDER);
  HWND c = child(x, "c", RECT{10, 10, 50, 30});
  automation::PumpUntilIdle();
  std::string path = ::testing::TempDir() + "wnd_render.png";
  ASSERT_TRUE(automation::RenderToPng(x, path));
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(s), 120);
  EXPECT_EQ(cairo_image_surface_get_height(s), 80);
  cairo_surface_destroy(s);
  ASSERT_TRUE(automation::RenderToPng(c, path));
  s = cairo_image_surface_create_from_png(path.c_str());
  EXPECT_EQ(cairo_image_surface_get_width(s), 40);
  cairo_surface_destroy(s);
  std::remove(path.c_str());
}

}  // namespace
