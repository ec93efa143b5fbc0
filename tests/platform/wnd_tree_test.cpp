// The window tree: frames and client areas, coordinate mapping, finding
// windows, z-order, destruction order and the C++ objects of windows.
#include "platform/host/HeadlessHost.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndTree : public WindowTest {};

struct FrameCase {
  const char* name;
  DWORD style;
  DWORD ex;
  bool isChild;
  SIZE client;    // of a 200 x 100 window
  POINT origin;   // client (0,0) on the screen; the window is at (10, 20) of its parent (at 0,0)
};

TEST_F(WndTree, FramesShrinkTheClientAreaAndShiftItsOrigin) {
  const FrameCase cases[] = {
      {"plain pop-up", WS_POPUP, 0, false, {200, 100}, {10, 20}},
      {"border", WS_POPUP | WS_BORDER, 0, false, {198, 98}, {11, 21}},
      {"caption", WS_POPUP | WS_CAPTION, 0, false, {194, 75}, {13, 42}},
      {"sizing frame", WS_POPUP | WS_THICKFRAME, 0, false, {192, 92}, {14, 24}},
      {"child with edge and scroll bar", WS_CHILD | WS_VSCROLL, WS_EX_CLIENTEDGE, true, {180, 96}, {12, 22}},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    automation::ResetWindows();
    HWND parent = top("P", RECT{0, 0, 400, 300});
    HWND w = CreateWindowEx(c.ex, "WndTestLog", "", c.style | WS_VISIBLE, 10, 20, 200, 100, c.isChild ? parent : nullptr,
                            nullptr, nullptr, nullptr);
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, c.client.cx);
    EXPECT_EQ(r.bottom, c.client.cy);
    POINT o{0, 0};
    ClientToScreen(w, &o);
    EXPECT_EQ(o.x, c.origin.x);
    EXPECT_EQ(o.y, c.origin.y);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, 200);
    // AdjustWindowRectEx is the inverse for frames without scroll bars.
    RECT a{0, 0, c.client.cx, c.client.cy};
    AdjustWindowRectEx(&a, c.style, FALSE, c.ex);
    if (!(c.style & WS_VSCROLL)) {
      EXPECT_EQ(a.right - a.left, 200);
    }
    // The frame's pixels answer hit tests.
    LRESULT hit = SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(o.x + 1), static_cast<WORD>(o.y + 1)));
    EXPECT_EQ(hit, HTCLIENT);
  }
}

TEST_F(WndTree, MappingFindingAndOrder) {
  HWND p = top("P", RECT{100, 50, 400, 350});
  HWND a = child(p, "a", RECT{10, 10, 110, 60}, 5);
  HWND b = child(p, "b", RECT{50, 40, 150, 90}, 6);
  HWND bb = child(b, "bb", RECT{5, 5, 25, 25}, 7);
  POINT pt{3, 4};
  MapWindowPoints(bb, a, &pt, 1);
  EXPECT_EQ(pt.x, 3 + 5 + 50 - 10);
  EXPECT_EQ(pt.y, 4 + 5 + 40 - 10);
  EXPECT_EQ(GetDlgItem(p, 6), b);
  EXPECT_EQ(GetDlgItem(p, 7), nullptr) << "dialog items are direct children";
  EXPECT_EQ(automation::FindById(p, 7), bb);
  EXPECT_EQ(automation::FindByCaption("bb"), bb);
  // Children keep creation order: the first created is the first child.
  EXPECT_EQ(GetWindow(p, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  // Where a and b overlap, the upper (earlier) sibling is hit.
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{60, 50}), a);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{60, 50}), b);
  EXPECT_EQ(WindowFromPoint(POINT{100 + 50 + 6, 50 + 40 + 6}), bb);
  EnableWindow(bb, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{100 + 50 + 6, 50 + 40 + 6}), b) << "a disabled window passes the point on";
  EXPECT_EQ(ChildWindowFromPoint(p, POINT{500, 5}), nullptr);
}

class SelfDeleting : public CWnd {
 public:
  static int deleted;
  ~SelfDeleting() override { ++deleted; }

 protected:
  void PostNcDestroy() override { delete this; }
};
int SelfDeleting::deleted = 0;

TEST_F(WndTree, DestructionGoesParentFirstThenChildrenAndFreesObjects) {
  HWND p = top("P");
  HWND c = child(p, "c", RECT{0, 0, 10, 10});
  child(c, "cc", RECT{0, 0, 5, 5});
  SelfDeleting::deleted = 0;
  auto* obj = new SelfDeleting;
  ASSERT_TRUE(obj->SubclassWindow(c));
  CWnd* temp = CWnd::FromHandle(p);
  EXPECT_EQ(CWnd::FromHandlePermanent(p), nullptr);
  EXPECT_EQ(temp, CWnd::FromHandle(p)) << "one temporary object per window";
  mark();
  DestroyWindow(p);
  Log order;
  for (const std::string& e : taken())
    if (e.find("DESTROY") != std::string::npos) order.push_back(e);
  EXPECT_EQ(order, (Log{"P:DESTROY", "c:DESTROY", "cc:DESTROY", "cc:NCDESTROY", "c:NCDESTROY", "P:NCDESTROY"}));
  EXPECT_EQ(SelfDeleting::deleted, 1);
  EXPECT_FALSE(IsWindow(c));
}

TEST_F(WndTree, DestroyingAWindowFromItsOwnHandlerIsSafe) {
  HWND p = top("P");
  reactions()[p] = [](HWND self, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m != WM_USER + 1) return false;
    DestroyWindow(self);
    SendMessage(self, WM_USER + 2, 0, 0);  // nothing: it is gone
    return true;
  };
  PostMessage(p, WM_USER + 1, 0, 0);
  PostMessage(p, WM_USER + 3, 0, 0);
  mark();
  automation::PumpUntilIdle();
  Log users;
  for (const std::string& e : taken())
    if (e.find("USER") != std::string::npos) users.push_back(e);
  EXPECT_EQ(users, (Log{"P:USER+1"})) << "messages posted to a destroyed window are dropped";
}

TEST_F(WndTree, TextStylesAndShowing) {
  HWND p = top("P", RECT{0, 0, 100, 100}, WS_POPUP);
  EXPECT_EQ(platform::GetHeadlessHost()->State(automation::NativeOf(p))->shown, false);
  ShowWindow(p, SW_SHOW);
  EXPECT_TRUE(platform::GetHeadlessHost()->State(automation::NativeOf(p))->shown);
  EXPECT_TRUE(IsWindowVisible(p));
  CWnd* w = CWnd::FromHandle(p);
  w->SetWindowText("Income Accounts");
  CString text;
  w->GetWindowText(text);
  EXPECT_EQ(text, "Income Accounts");
  EXPECT_EQ(platform::GetHeadlessHost()->State(automation::NativeOf(p))->caption, "Income Accounts");
  EXPECT_TRUE(w->ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
  RECT r;
  GetClientRect(p, &r);
  EXPECT_EQ(r.right, 98);
  EXPECT_FALSE(w->ModifyStyle(0, WS_BORDER)) << "nothing changed";
  EXPECT_EQ(GetWindowLong(p, GWL_STYLE) & WS_VISIBLE, static_cast<LONG>(WS_VISIBLE));
}

}  // namespace
