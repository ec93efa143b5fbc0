// The "Button" control: push buttons (default or not), check boxes with two
// or three states, radio buttons, their automatic variants, group boxes and
// owner-drawn buttons (WM_DRAWITEM to the parent), in the classic 3-D look.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/controls/CtlCommon.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

namespace {

struct Button {
  HWND hwnd = nullptr;
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool focus = false;
  bool tracking = false;
  bool spaceDown = false;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  int imageType = IMAGE_BITMAP;
};

StateMap<Button> g_buttons;

DWORD styleOf(Button* b) { return StyleOf(b->hwnd); }
UINT type(Button* b) { return styleOf(b) & BS_TYPEMASK; }
bool isPush(UINT t) { return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_USERBUTTON; }
bool isCheck(UINT t) { return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE; }
bool isRadio(UINT t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

DRAWITEMSTRUCT drawItemOf(Button* b, HDC hdc, UINT action) {
  DRAWITEMSTRUCT di{};
  di.CtlType = ODT_BUTTON;
  di.CtlID = static_cast<UINT>(GetDlgCtrlID(b->hwnd));
  di.itemID = 0;
  di.itemAction = action;
  di.itemState = (b->pushed ? ODS_SELECTED : 0) | (b->focus ? ODS_FOCUS : 0) |
                 (IsWindowEnabled(b->hwnd) ? 0 : ODS_DISABLED);
  di.hwndItem = b->hwnd;
  di.hDC = hdc;
  GetClientRect(b->hwnd, &di.rcItem);
  return di;
}

// A change of state: an owner-drawn button asks its parent at once to draw
// just that change (ODA_SELECT or ODA_FOCUS); the others repaint.
void changed(Button* b, UINT action) {
  if (type(b) != BS_OWNERDRAW || !IsWindowVisible(b->hwnd)) {
    InvalidateRect(b->hwnd, nullptr, FALSE);
    return;
  }
  HDC hdc = GetDC(b->hwnd);
  if (!hdc) return;
  if (CDC* dc = CDC::FromHandle(hdc)) dc->SelectObject(b->font ? b->font : DefaultFont());
  DRAWITEMSTRUCT di = drawItemOf(b, hdc, action);
  if (HWND p = GetParent(b->hwnd)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
  ReleaseDC(b->hwnd, hdc);
}

void setPushed(Button* b, bool on) {
  if (b->pushed == on) return;
  b->pushed = on;
  changed(b, ODA_SELECT);
}

void setCheck(Button* b, UINT v) {
  // A checked radio button is its group's tab stop.
  if (type(b) == BS_RADIOBUTTON || type(b) == BS_AUTORADIOBUTTON) {
    DWORD st = StyleOf(b->hwnd);
    DWORD ns = v ? (st | WS_TABSTOP) : (st & ~WS_TABSTOP);
    if (ns != st) SetWindowLong(b->hwnd, GWL_STYLE, static_cast<LONG>(ns));
  }
  if (b->check == v) return;
  b->check = v;
  changed(b, ODA_SELECT);
}

// Unchecks the other automatic radio buttons of the button's group.
void uncheckGroup(Button* b) {
  HWND parent = GetParent(b->hwnd);
  if (!parent) return;
  // The group starts at the last WS_GROUP window at or before this one.
  HWND first = b->hwnd;
  for (HWND h = b->hwnd; h; h = GetWindow(h, GW_HWNDPREV)) {
    first = h;
    if (StyleOf(h) & WS_GROUP) break;
  }
  for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (StyleOf(h) & WS_GROUP)) break;
    if (h == b->hwnd) continue;
    if (Button* o = g_buttons.Get(h); o && type(o) == BS_AUTORADIOBUTTON) setCheck(o, BST_UNCHECKED);
  }
}

void click(Button* b) {
  switch (type(b)) {
    case BS_AUTOCHECKBOX: setCheck(b, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: setCheck(b, (b->check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      setCheck(b, BST_CHECKED);
      uncheckGroup(b);
      break;
    default: break;
  }
  Notify(b->hwnd, BN_CLICKED);
}

void drawText(Button* b, CDC* dc, RECT r, UINT align, bool enabled, RECT* textOut) {
  char buf[512];
  int n = GetWindowText(b->hwnd, buf, sizeof buf);
  DWORD st = styleOf(b);
  UINT fmt = align | ((st & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  RECT calc = r;
  dc->DrawText(buf, n, &calc, fmt | DT_CALCRECT);
  int w = calc.right - calc.left, h = calc.bottom - calc.top;
  RECT t = r;
  if (align & DT_CENTER) t.left = r.left + ((r.right - r.left) - w) / 2;
  else if (align & DT_RIGHT) t.left = r.right - w;
  t.right = t.left + w;
  UINT v = st & BS_VCENTER;
  if (v == BS_TOP) t.top = r.top;
  else if (v == BS_BOTTOM) t.top = r.bottom - h;
  else t.top = r.top + ((r.bottom - r.top) - h) / 2;
  t.bottom = t.top + h;
  dc->SetBkMode(TRANSPARENT);
  UINT drawFmt = (fmt & ~(DT_VCENTER | DT_CENTER | DT_RIGHT)) | DT_LEFT;
  if (!enabled) {
    RECT e = t;
    OffsetRect(&e, 1, 1);
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(buf, n, &e, drawFmt);
    dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  }
  dc->DrawText(buf, n, &t, drawFmt);
  if (textOut) *textOut = t;
}

UINT hAlign(Button* b, UINT deflt) {
  UINT h = styleOf(b) & BS_CENTER;
  if (h == BS_LEFT) return DT_LEFT;
  if (h == BS_RIGHT) return DT_RIGHT;
  if (h == BS_CENTER) return DT_CENTER;
  return deflt;
}

void drawImage(CDC* dc, HANDLE image, const RECT& r) {
  BITMAP bm;
  auto bmp = static_cast<HBITMAP>(image);
  if (!bmp || GetObject(bmp, sizeof bm, &bm) != static_cast<int>(sizeof bm)) return;
  CDC mem;
  if (!mem.CreateCompatibleDC(dc)) return;
  CBitmap* old = mem.SelectObject(CBitmap::FromHandle(bmp));
  int x = r.left + ((r.right - r.left) - bm.bmWidth) / 2, y = r.top + ((r.bottom - r.top) - bm.bmHeight) / 2;
  dc->BitBlt(x, y, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
}

void drawCheckBox(CDC* dc, const RECT& box, UINT check, bool pushed, bool enabled) {
  RECT r = box;
  dc->DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  dc->FillSolidRect(&r, GetSysColor((pushed || !enabled) ? COLOR_BTNFACE : COLOR_WINDOW));
  if (check == BST_UNCHECKED) return;
  COLORREF c = GetSysColor(check == BST_INDETERMINATE || !enabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  // The classic tick: seven columns, three pixels high, falling then rising.
  static const int dy[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) dc->FillSolidRect(r.left + 1 + i, r.top + 2 + dy[i], 1, 3, c);
}

void drawRadio(CDC* dc, const RECT& box, bool checked, bool pushed, bool enabled) {
  // A 12 x 12 circle: shadow and dark shadow on the upper left, highlight
  // and light on the lower right, white inside, a 4 x 4 dot when checked.
  static const char* const rows[12] = {
      "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
      "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
  };
  COLORREF inside = GetSysColor((pushed || !enabled) ? COLOR_BTNFACE : COLOR_WINDOW);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      COLORREF c;
      switch (rows[y][x]) {
        case 'S': c = GetSysColor(COLOR_BTNSHADOW); break;
        case 'D': c = GetSysColor(COLOR_3DDKSHADOW); break;
        case 'W': c = inside; break;
        case 'L': c = GetSysColor(COLOR_3DLIGHT); break;
        case 'H': c = GetSysColor(COLOR_BTNHIGHLIGHT); break;
        default: continue;
      }
      dc->SetPixelV(box.left + x, box.top + y, c);
    }
  }
  if (checked) {
    COLORREF c = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    dc->FillSolidRect(box.left + 4, box.top + 5, 4, 2, c);
    dc->FillSolidRect(box.left + 5, box.top + 4, 2, 4, c);
  }
}

void paint(Button* b) {
  PaintScope painting(b->hwnd);
  HDC hdc = painting.hdc;
  CDC* dc = painting.dc;
  if (!dc) return;
  UINT t = type(b);
  DWORD st = styleOf(b);
  bool enabled = IsWindowEnabled(b->hwnd) != FALSE;
  RECT client;
  GetClientRect(b->hwnd, &client);
  dc->SelectObject(b->font ? b->font : DefaultFont());
  if (t == BS_OWNERDRAW) {
    DRAWITEMSTRUCT di = drawItemOf(b, hdc, ODA_DRAWENTIRE);
    CtlColor(b->hwnd, hdc, WM_CTLCOLORBTN);
    if (HWND p = GetParent(b->hwnd)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    return;
  }
  bool push = isPush(t) || ((st & BS_PUSHLIKE) && (isCheck(t) || isRadio(t)));
  HBRUSH brush = CtlColor(b->hwnd, hdc, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  if (push) {
    bool def = t == BS_DEFPUSHBUTTON;
    bool down = b->pushed || ((st & BS_PUSHLIKE) && b->check == BST_CHECKED);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    RECT in = DrawButtonFace(dc, client, down, def);
    if (down) OffsetRect(&in, 1, 1);
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    if ((st & (BS_BITMAP | BS_ICON)) && b->image) drawImage(dc, b->image, in);
    else drawText(b, dc, in, hAlign(b, DT_CENTER), enabled, nullptr);
    if (b->focus) {
      RECT f = client;
      InflateRect(&f, def ? -4 : -3, def ? -4 : -3);
      dc->DrawFocusRect(&f);
    }
    return;
  }
  COLORREF textColor = dc->GetTextColor();
  if (t == BS_GROUPBOX) {
    // Only the frame and the caption: the interior belongs to the parent's
    // background and to the controls the box surrounds, which may lie below it.
    char buf[512];
    int n = GetWindowText(b->hwnd, buf, sizeof buf);
    FontInfo fi = Measure(b->font);
    RECT frame = client;
    frame.top += fi.height / 2;
    dc->DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
    if (n > 0) {
      RECT tr{client.left + 8, client.top, client.right - 8, client.top + fi.height};
      RECT calc = tr;
      dc->DrawText(buf, n, &calc, DT_SINGLELINE | DT_CALCRECT);
      tr.right = std::min(tr.right, calc.right + 2);
      tr.left -= 2;
      FillBrush(dc, tr, brush);
      tr.left += 2;
      dc->SetBkMode(TRANSPARENT);
      dc->SetTextColor(enabled ? textColor : GetSysColor(COLOR_GRAYTEXT));
      dc->DrawText(buf, n, &tr, DT_SINGLELINE | DT_LEFT);
    }
    return;
  }
  FillBrush(dc, client, brush);
  // Check box and radio button: the glyph at one side, the text beside it.
  bool leftText = (st & BS_LEFTTEXT) != 0;
  const int box = isRadio(t) ? 12 : 13;
  int y = client.top + ((client.bottom - client.top) - box) / 2;
  RECT glyph = leftText ? RECT{client.right - box, y, client.right, y + box} : RECT{client.left, y, client.left + box, y + box};
  if (isRadio(t)) drawRadio(dc, glyph, b->check == BST_CHECKED, b->pushed, enabled);
  else drawCheckBox(dc, glyph, b->check, b->pushed, enabled);
  RECT tr = client;
  if (leftText) tr.right = glyph.left - 4;
  else tr.left = glyph.right + 4;
  dc->SetTextColor(textColor);
  RECT drawn{0, 0, 0, 0};
  drawText(b, dc, tr, hAlign(b, leftText ? DT_RIGHT : DT_LEFT), enabled, &drawn);
  if (b->focus && GetWindowTextLength(b->hwnd) > 0) {
    InflateRect(&drawn, 1, 1);
    IntersectRect(&drawn, &drawn, &client);
    dc->DrawFocusRect(&drawn);
  }
}

// A group box paints no background, so the old caption goes when the
// parent repaints the band it lies in (and with it the controls there).
void invalidate(Button* b) {
  HWND parent = GetParent(b->hwnd);
  if (type(b) != BS_GROUPBOX || !parent || (GetWindowLong(b->hwnd, GWL_STYLE) & WS_CHILD) == 0) {
    InvalidateRect(b->hwnd, nullptr, TRUE);
    return;
  }
  RECT band;
  GetWindowRect(b->hwnd, &band);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&band), 2);
  band.bottom = std::min<LONG>(band.bottom, band.top + Measure(b->font).height + 2);
  InvalidateRect(parent, &band, TRUE);
}

LRESULT onNcDestroy(Button*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_buttons.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onGetDlgCode(Button* b, HWND, UINT, WPARAM, LPARAM) {
  UINT t = type(b);
  switch (t) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

LRESULT onNcHitTest(Button* b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  UINT t = type(b);
  if (t == BS_GROUPBOX) return HTTRANSPARENT;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onSetText(Button* b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
  invalidate(b);
  return r;
}

LRESULT onSetFont(Button* b, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  b->font = reinterpret_cast<HFONT>(wParam);
  if (LOWORD(static_cast<std::uintptr_t>(lParam))) invalidate(b);
  return 0;
}

LRESULT onGetFont(Button* b, HWND, UINT, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(b->font ? b->font : DefaultFont());
}

LRESULT onEnable(Button* b, HWND, UINT, WPARAM, LPARAM) {
  invalidate(b);
  return 0;
}

LRESULT onEraseBkgnd(Button*, HWND, UINT, WPARAM, LPARAM) {
  return 1;
}

LRESULT onPaint(Button* b, HWND, UINT, WPARAM, LPARAM) {
  paint(b);
  return 0;
}

LRESULT onSetFocus(Button* b, HWND hwnd, UINT, WPARAM, LPARAM) {
  b->focus = true;
  changed(b, ODA_FOCUS);
  if (StyleOf(hwnd) & BS_NOTIFY) Notify(hwnd, BN_SETFOCUS);
  return 0;
}

LRESULT onKillFocus(Button* b, HWND hwnd, UINT, WPARAM, LPARAM) {
  b->focus = false;
  b->spaceDown = false;
  if (b->tracking) {
    b->tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  if (!g_buttons.Get(hwnd)) return 0;
  setPushed(b, false);
  changed(b, ODA_FOCUS);
  if (StyleOf(hwnd) & BS_NOTIFY) Notify(hwnd, BN_KILLFOCUS);
  return 0;
}

LRESULT onLButtonDown(Button* b, HWND hwnd, UINT, WPARAM, LPARAM) {
  UINT t = type(b);
  if (t == BS_GROUPBOX) return 0;
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!g_buttons.Get(hwnd)) return 0;
  SetCapture(hwnd);
  b->tracking = true;
  setPushed(b, true);
  return 0;
}

LRESULT onLButtonDblClk(Button* b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  UINT t = type(b);
  if (t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON || t == BS_OWNERDRAW || (StyleOf(hwnd) & BS_NOTIFY)) {
    Notify(hwnd, BN_DOUBLECLICKED);
    return 0;
  }
  return onLButtonDown(b, hwnd, msg, wParam, lParam);
}

LRESULT onMouseMove(Button* b, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (b->tracking) {
    RECT r;
    GetClientRect(hwnd, &r);
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    setPushed(b, PtInRect(&r, p) != FALSE);
  }
  return 0;
}

LRESULT onLButtonUp(Button* b, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (b->tracking) {
    b->tracking = false;
    bool inside = b->pushed;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (!g_buttons.Get(hwnd)) return 0;
    setPushed(b, false);
    if (inside) click(b);
  }
  return 0;
}

LRESULT onCaptureChanged(Button* b, HWND, UINT, WPARAM, LPARAM) {
  if (b->tracking) {
    b->tracking = false;
    setPushed(b, false);
  }
  return 0;
}

LRESULT onKeyDown(Button* b, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  UINT t = type(b);
  if (wParam == VK_SPACE && t != BS_GROUPBOX && !b->spaceDown && !(lParam & (1 << 30))) {
    b->spaceDown = true;
    setPushed(b, true);
  }
  return 0;
}

LRESULT onKeyUp(Button* b, HWND, UINT, WPARAM wParam, LPARAM) {
  if (wParam == VK_SPACE && b->spaceDown) {
    b->spaceDown = false;
    setPushed(b, false);
    click(b);
  }
  return 0;
}

LRESULT onChar(Button*, HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

LRESULT bmGetCheck(Button* b, HWND, UINT, WPARAM, LPARAM) {
  UINT t = type(b);
  return (isCheck(t) || isRadio(t)) ? b->check : 0;
}

LRESULT bmSetCheck(Button* b, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  UINT t = type(b);
  UINT v = static_cast<UINT>(wParam);
  if (v == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) v = BST_CHECKED;
  if (v > BST_INDETERMINATE) v = BST_CHECKED;
  if (isCheck(t) || isRadio(t) || (StyleOf(hwnd) & BS_PUSHLIKE)) setCheck(b, v);
  return 0;
}

LRESULT bmGetState(Button* b, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<LRESULT>(b->check | (b->pushed ? BST_PUSHED : 0u) | (b->focus ? BST_FOCUS : 0u));
}

LRESULT bmSetState(Button* b, HWND, UINT, WPARAM wParam, LPARAM) {
  setPushed(b, wParam != 0);
  return 0;
}

LRESULT bmSetStyle(Button*, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  DWORD st = StyleOf(hwnd);
  DWORD ns = (st & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu);
  if (ns != st) SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(ns));
  if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT bmClick(Button* b, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (!IsWindowEnabled(hwnd)) return 0;
  click(b);
  return 0;
}

LRESULT bmSetImage(Button* b, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  HANDLE old = b->image;
  b->imageType = static_cast<int>(wParam);
  b->image = reinterpret_cast<HANDLE>(lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT bmGetImage(Button* b, HWND, UINT, WPARAM wParam, LPARAM) {
  return static_cast<int>(wParam) == b->imageType ? reinterpret_cast<LRESULT>(b->image) : 0;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<Button>& buttonProcHandlers() {
  static const wnd::HandlerTable<Button> table = {
      {WM_NCDESTROY, &onNcDestroy},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_NCHITTEST, &onNcHitTest},
      {WM_SETTEXT, &onSetText},
      {WM_SETFONT, &onSetFont},
      {WM_GETFONT, &onGetFont},
      {WM_ENABLE, &onEnable},
      {WM_STYLECHANGED, &onEnable},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_LBUTTONDBLCLK, &onLButtonDblClk},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_MOUSEMOVE, &onMouseMove},
      {WM_LBUTTONUP, &onLButtonUp},
      {WM_CAPTURECHANGED, &onCaptureChanged},
      {WM_KEYDOWN, &onKeyDown},
      {WM_KEYUP, &onKeyUp},
      {WM_CHAR, &onChar},
      {BM_GETCHECK, &bmGetCheck},
      {BM_SETCHECK, &bmSetCheck},
      {BM_GETSTATE, &bmGetState},
      {BM_SETSTATE, &bmSetState},
      {BM_SETSTYLE, &bmSetStyle},
      {BM_CLICK, &bmClick},
      {BM_SETIMAGE, &bmSetImage},
      {BM_GETIMAGE, &bmGetImage},
  };
  return table;
}

LRESULT buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Button* b = g_buttons.Get(hwnd);
  if (msg == WM_NCCREATE) {
    b = g_buttons.Make(hwnd);
    b->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!b) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (LRESULT r = 0; wnd::Dispatch(buttonProcHandlers(), b, hwnd, msg, wParam, lParam, &r)) return r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

WNDPROC ButtonWindowProc() { return &buttonProc; }

void ctl::DrawCheckBox(CDC* dc, const RECT& box, UINT check, bool pushed, bool enabled) {
  drawCheckBox(dc, box, check, pushed, enabled);
}
