// Showing menus: pop-up menus as owned top-level windows, the menu bar in a
// top-level window's frame, and the modal loop that tracks both with the
// mouse and the keyboard.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/gfx/GdiObject.h"
#include "platform/host/Host.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuImpl.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"

namespace {

constexpr const char* kPopupClass = "#32768";
constexpr int kBorder = 3;      // pop-up frame: raised edge and one pixel
constexpr int kCheckCol = 18;   // left column of check marks
constexpr int kArrowCol = 18;   // right column of sub-menu arrows
constexpr int kSeparator = 9;

HFONT menuFont() { return DialogFont("MS Sans Serif", 8); }

// Text without the access-key marks, as measured.
std::string plain(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;
    out += s[i];
  }
  return out;
}

struct Measure {
  CDC dc;
  CFont* old = nullptr;
  Measure() {
    dc.CreateCompatibleDC(nullptr);
    old = dc.SelectObject(CFont::FromHandle(menuFont()));
  }
  ~Measure() { dc.SelectObject(old); }
  int width(const std::string& s) {
    std::string p = plain(s);
    return dc.GetTextExtent(p.c_str(), static_cast<int>(p.size())).cx;
  }
  int height() {
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    return tm.tmHeight;
  }
};

int itemHeight() {
  static int h = [] {
    Measure m;
    return std::max(17, m.height() + 4);
  }();
  return h;
}

void splitTab(const std::string& text, std::string* left, std::string* right) {
  size_t tab = text.find('\t');
  *left = tab == std::string::npos ? text : text.substr(0, tab);
  *right = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

// ---- Menu bar geometry ---------------------------------------------------------

RECT barRectInWindow(HWND h) {
  DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  DWORD ex = static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE));
  RECT wr;
  GetWindowRect(h, &wr);
  RECT f = wnd::FrameOf(style & ~(WS_VSCROLL | WS_HSCROLL), ex & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), true, true);
  return RECT{f.left, f.top - GetSystemMetrics(SM_CYMENU), (wr.right - wr.left) - f.right, f.top};
}

// Item rectangles of the bar in window coordinates.
std::vector<RECT> barItems(HWND h, HMENU menu) {
  std::vector<RECT> out;
  MenuImpl* m = menus::Get(menu);
  if (!m) return out;
  RECT bar = barRectInWindow(h);
  Measure ms;
  int x = bar.left;
  for (const MenuItemRec& r : m->items) {
    int w = ms.width(r.text) + 14;
    out.push_back(RECT{x, bar.top + 1, x + w, bar.bottom - 1});
    x += w;
  }
  return out;
}

// ---- The tracker ---------------------------------------------------------------

struct Level {
  HMENU menu = nullptr;
  HWND wnd = nullptr;  // null: the menu bar
  int sel = -1;
  std::vector<RECT> items;  // screen coordinates
  RECT frame{0, 0, 0, 0};   // screen coordinates
};

class Tracker;
Tracker* g_active = nullptr;

class Tracker {
 public:
  // The tracker in use draws the selection of the bar and its pop-ups.
  Tracker(HWND owner, HWND bar, UINT flags) : owner_(owner), barWnd_(bar), flags_(flags), prev_(g_active) {
    g_active = this;
  }
  ~Tracker() { g_active = prev_; }
  Tracker(const Tracker&) = delete;
  Tracker& operator=(const Tracker&) = delete;

  std::vector<Level> levels;

  // Starts on a pop-up at a screen point.
  void StartPopup(HMENU menu, int x, int y) {
    Level l;
    l.menu = menu;
    levels.push_back(l);
    showPopup(levels.size() - 1, POINT{x, y}, flags_, 0);
  }

  // Starts on the bar, with item `index` selected (its pop-up open when asked).
  void StartBar(HMENU menu, int index, bool open, bool selectFirst) {
    Level l;
    l.menu = menu;
    RECT wr;
    GetWindowRect(barWnd_, &wr);
    for (RECT r : barItems(barWnd_, menu)) {
      OffsetRect(&r, wr.left, wr.top);
      l.items.push_back(r);
    }
    RECT bar = barRectInWindow(barWnd_);
    OffsetRect(&bar, wr.left, wr.top);
    l.frame = bar;
    levels.push_back(l);
    select(0, index);
    if (open) openSub(0, selectFirst);
  }

  UINT Run() {
    SendMessage(owner_, WM_ENTERMENULOOP, barWnd_ == nullptr, 0);
    platform::Host& host = platform::GetHost();
    int idleRounds = 0;
    while (!done_) {
      MSG m;
      if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        idleRounds = 0;
        if (m.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(m.wParam));
          done_ = true;
          break;
        }
        if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) key(m);
        else if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
                 (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK))
          mouse(m);
        else DispatchMessage(&m);
        continue;
      }
      if (!IsWindow(owner_)) break;
      if (host.Interactive()) {
        WaitMessage();
        continue;
      }
      if (++idleRounds > 3) break;
      respond();
    }
    while (!levels.empty()) closeLast();
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner_, WM_EXITMENULOOP, barWnd_ == nullptr, 0);
    if (barWnd_ && IsWindow(barWnd_)) DrawMenuBar(barWnd_);
    return chosen_;
  }

  bool IsBarSelected(HWND h, size_t index) const {
    return barWnd_ == h && !levels.empty() && !levels[0].wnd && levels[0].sel == static_cast<int>(index);
  }

  const Level* LevelOf(HWND popup) const {
    for (const Level& l : levels)
      if (l.wnd == popup) return &l;
    return nullptr;
  }

 private:
  HWND owner_;
  HWND barWnd_;
  UINT flags_;
  Tracker* prev_;
  bool done_ = false;
  UINT chosen_ = 0;

  MenuItemRec* item(size_t level, int index) {
    if (level >= levels.size() || index < 0) return nullptr;
    return menus::Find(levels[level].menu, static_cast<UINT>(index), MF_BYPOSITION);
  }

  void redraw(size_t level) {
    if (level >= levels.size()) return;
    if (levels[level].wnd) {
      InvalidateRect(levels[level].wnd, nullptr, FALSE);
      UpdateWindow(levels[level].wnd);
    } else if (barWnd_) {
      DrawMenuBar(barWnd_);
    }
  }

  void select(size_t level, int index) {
    if (level >= levels.size() || levels[level].sel == index) return;
    levels[level].sel = index;
    redraw(level);
    if (MenuItemRec* r = item(level, index)) {
      UINT id = (r->flags & MF_POPUP) ? static_cast<UINT>(index) : r->id;
      SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(r->flags | MF_HILITE)),
                  reinterpret_cast<LPARAM>(levels[level].menu));
    }
  }

  void showPopup(size_t level, POINT at, UINT align, int parentIndex) {
    Level& l = levels[level];
    SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(l.menu),
                MAKELPARAM(static_cast<WORD>(parentIndex), FALSE));
    MenuImpl* m = menus::Get(l.menu);
    if (!m) return;
    Measure ms;
    int textW = 0, accelW = 0, height = 0;
    for (const MenuItemRec& r : m->items) {
      std::string left, right;
      splitTab(r.text, &left, &right);
      textW = std::max(textW, ms.width(left));
      if (!right.empty()) accelW = std::max(accelW, ms.width(right));
      height += (r.flags & MF_SEPARATOR) ? kSeparator : itemHeight();
    }
    int width = kBorder * 2 + kCheckCol + textW + (accelW ? 16 + accelW : 0) + kArrowCol;
    height += kBorder * 2;
    int x = at.x, y = at.y;
    if (align & TPM_CENTERALIGN) x -= width / 2;
    else if (align & TPM_RIGHTALIGN) x -= width;
    if (align & TPM_VCENTERALIGN) y -= height / 2;
    else if (align & TPM_BOTTOMALIGN) y -= height;
    platform::Host& host = platform::GetHost();
    x = std::max(0, std::min(x, host.ScreenWidth() - width));
    y = std::max(0, std::min(y, host.ScreenHeight() - height));
    l.frame = RECT{x, y, x + width, y + height};
    l.items.clear();
    int top = y + kBorder;
    for (const MenuItemRec& r : m->items) {
      int h = (r.flags & MF_SEPARATOR) ? kSeparator : itemHeight();
      l.items.push_back(RECT{x + kBorder, top, x + width - kBorder, top + h});
      top += h;
    }
    registerPopupClass();
    HWND root = GetAncestor(owner_, GA_ROOT);
    l.wnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, x, y, width, height, root,
                           nullptr, nullptr, nullptr);
    if (!l.wnd) return;
    ShowWindow(l.wnd, SW_SHOWNOACTIVATE);
    UpdateWindow(l.wnd);
  }

  // Opens the pop-up of the selected item of a level.
  void openSub(size_t level, bool selectFirst) {
    while (levels.size() > level + 1) closeLast();
    MenuItemRec* r = item(level, levels[level].sel);
    if (!r || !(r->flags & MF_POPUP) || (r->flags & (MF_GRAYED | MF_DISABLED))) return;
    const RECT& it = levels[level].items[static_cast<size_t>(levels[level].sel)];
    Level l;
    l.menu = r->sub;
    levels.push_back(l);
    POINT at = levels[level].wnd ? POINT{levels[level].frame.right - kBorder, it.top - kBorder}
                                 : POINT{it.left, it.bottom + 1};
    showPopup(levels.size() - 1, at, TPM_LEFTALIGN | TPM_TOPALIGN, levels[level].sel);
    if (selectFirst) moveSel(levels.size() - 1, +1);
  }

  void closeLast() {
    if (levels.empty()) return;
    if (levels.back().wnd && IsWindow(levels.back().wnd)) DestroyWindow(levels.back().wnd);
    levels.pop_back();
  }

  void moveSel(size_t level, int dir) {
    MenuImpl* m = menus::Get(levels[level].menu);
    if (!m || m->items.empty()) return;
    int n = static_cast<int>(m->items.size());
    int i = levels[level].sel;
    for (int k = 0; k < n; ++k) {
      i = i < 0 ? (dir > 0 ? 0 : n - 1) : ((i + dir) % n + n) % n;
      if (!(m->items[static_cast<size_t>(i)].flags & MF_SEPARATOR)) break;
    }
    select(level, i);
  }

  void choose(size_t level, int index) {
    MenuItemRec* r = item(level, index);
    if (!r || (r->flags & MF_SEPARATOR)) return;
    if (r->flags & MF_POPUP) {
      select(level, index);
      openSub(level, true);
      return;
    }
    if (r->flags & (MF_GRAYED | MF_DISABLED)) return;
    chosen_ = r->id;
    done_ = true;
  }

  void barStep(int dir) {
    bool wasOpen = levels.size() > 1;
    while (levels.size() > 1) closeLast();
    moveSel(0, dir);
    if (wasOpen) openSub(0, true);
  }

  void key(const MSG& m) {
    size_t cur = levels.size() - 1;
    bool curIsBar = !levels[cur].wnd;
    if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
      switch (m.wParam) {
        case VK_UP:
        case VK_DOWN:
          if (curIsBar) {
            if (levels[cur].sel >= 0) openSub(cur, true);
          } else {
            moveSel(cur, m.wParam == VK_DOWN ? +1 : -1);
          }
          return;
        case VK_LEFT:
          if (curIsBar) barStep(-1);
          else if (levels.size() > (barWnd_ ? 2u : 1u)) closeLast();
          else if (barWnd_) barStep(-1);
          return;
        case VK_RIGHT: {
          MenuItemRec* r = curIsBar ? nullptr : item(cur, levels[cur].sel);
          if (curIsBar) barStep(+1);
          else if (r && (r->flags & MF_POPUP)) openSub(cur, true);
          else if (barWnd_) barStep(+1);
          return;
        }
        case VK_RETURN:
          if (curIsBar) openSub(cur, true);
          else choose(cur, levels[cur].sel);
          return;
        case VK_ESCAPE:
          if (levels.size() == 1) done_ = true;
          else closeLast();
          return;
        case VK_MENU:
        case VK_F10:
          done_ = true;
          return;
        default: break;
      }
      TranslateMessage(&m);
      return;
    }
    if (m.message == WM_CHAR || m.message == WM_SYSCHAR) {
      unsigned char ch = static_cast<unsigned char>(m.wParam);
      if (ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 'a' + 'A');
      MenuImpl* menu = menus::Get(levels[cur].menu);
      if (!menu) return;
      for (size_t i = 0; i < menu->items.size(); ++i) {
        if (menus::AccessKey(menu->items[i].text) != ch) continue;
        select(cur, static_cast<int>(i));
        if (curIsBar) openSub(cur, true);
        else choose(cur, static_cast<int>(i));
        return;
      }
      MessageBeep(0);
    }
  }

  // The level and item under a screen point; false when outside every level.
  bool hit(POINT pt, size_t* level, int* index) {
    for (size_t l = levels.size(); l-- > 0;) {
      if (!PtInRect(&levels[l].frame, pt)) continue;
      *level = l;
      *index = -1;
      for (size_t i = 0; i < levels[l].items.size(); ++i)
        if (PtInRect(&levels[l].items[i], pt)) *index = static_cast<int>(i);
      return true;
    }
    return false;
  }

  void mouse(const MSG& m) {
    POINT pt = m.pt;
    size_t level = 0;
    int index = -1;
    bool inside = hit(pt, &level, &index);
    UINT msg = m.message;
    if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) msg = msg - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
    bool isBar = inside && !levels[level].wnd;
    switch (msg) {
      case WM_MOUSEMOVE:
        if (!inside || index < 0) return;
        if (isBar) {
          // Moving along the bar switches pop-ups once one is open.
          if (levels.size() > 1 && levels[0].sel != index) {
            while (levels.size() > 1) closeLast();
            select(0, index);
            openSub(0, false);
          }
          return;
        }
        if (levels[level].sel != index) {
          while (levels.size() > level + 1) closeLast();
          select(level, index);
          if (MenuItemRec* r = item(level, index); r && (r->flags & MF_POPUP)) openSub(level, false);
        }
        return;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
        if (!inside) {
          done_ = true;  // a click elsewhere dismisses the menu
          return;
        }
        if (isBar && index >= 0) {
          if (levels.size() > 1 && levels[0].sel == index) {
            done_ = true;
            return;
          }
          while (levels.size() > 1) closeLast();
          select(0, index);
          openSub(0, false);
        }
        return;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (msg == WM_RBUTTONUP && barWnd_ == nullptr && !(flags_ & TPM_RIGHTBUTTON)) return;
        if (inside && !isBar && index >= 0) {
          MenuItemRec* r = item(level, index);
          if (r && !(r->flags & (MF_POPUP | MF_SEPARATOR))) choose(level, index);
        }
        return;
      default: return;
    }
  }

  std::string itemTexts(HMENU menu) {
    std::string out;
    if (MenuImpl* m = menus::Get(menu))
      for (const MenuItemRec& r : m->items) {
        if (r.flags & MF_SEPARATOR) continue;
        if (!out.empty()) out += "|";
        out += r.text;
      }
    return out;
  }

  void respond() {
    platform::ModalQuestion info;
    info.kind = "menu";
    char caption[256] = {};
    GetWindowText(GetAncestor(owner_, GA_ROOT), caption, sizeof caption);
    info.caption = caption;
    info.text = itemTexts(levels.empty() ? nullptr : levels.back().menu);
    int answer = platform::GetHost().Answer(info);
    done_ = true;
    if (answer <= 0 || levels.empty()) return;
    MenuItemRec* r = menus::Find(levels[0].menu, static_cast<UINT>(answer), MF_BYCOMMAND);
    if (r && !(r->flags & (MF_GRAYED | MF_DISABLED))) chosen_ = r->id;
  }

  static void registerPopupClass() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASS wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupClass;
    RegisterClass(&wc);
  }

  static LRESULT PopupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
};

void drawCheck(CDC* dc, int x, int y, COLORREF color) {
  CPen pen(PS_SOLID, 1, color);
  CPen* old = dc->SelectObject(&pen);
  for (int k = 0; k < 3; ++k) {  // a three-pixel-thick tick
    dc->MoveTo(x, y + 2 + k);
    dc->LineTo(x + 2, y + 4 + k);
    dc->LineTo(x + 7, y - 1 + k);
  }
  dc->SelectObject(old);
}

void drawArrow(CDC* dc, int x, int y, COLORREF color) {
  CPen pen(PS_SOLID, 1, color);
  CPen* old = dc->SelectObject(&pen);
  for (int k = 0; k < 4; ++k) {
    dc->MoveTo(x + k, y - 3 + k);
    dc->LineTo(x + k, y + 4 - k);
  }
  dc->SelectObject(old);
}

void drawText(CDC* dc, const std::string& s, RECT r, UINT format, bool grayed, bool selected) {
  if (grayed && !selected) {
    RECT sh = r;
    OffsetRect(&sh, 1, 1);
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(s.c_str(), static_cast<int>(s.size()), &sh, format);
  }
  dc->SetTextColor(grayed ? GetSysColor(COLOR_GRAYTEXT)
                          : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  dc->DrawText(s.c_str(), static_cast<int>(s.size()), &r, format);
}

LRESULT Tracker::PopupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(h, &ps);
      CDC* dc = CDC::FromHandle(hdc);
      RECT rc;
      GetClientRect(h, &rc);
      CBrush face(GetSysColor(COLOR_MENU));
      dc->FillRect(&rc, &face);
      RECT edge = rc;
      dc->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
      const Level* l = g_active ? g_active->LevelOf(h) : nullptr;
      MenuImpl* m = l ? menus::Get(l->menu) : nullptr;
      if (m) {
        CFont* oldFont = dc->SelectObject(CFont::FromHandle(menuFont()));
        dc->SetBkMode(TRANSPARENT);
        for (size_t i = 0; i < m->items.size() && i < l->items.size(); ++i) {
          const MenuItemRec& r = m->items[i];
          RECT ir = l->items[i];
          OffsetRect(&ir, -l->frame.left, -l->frame.top);
          if (r.flags & MF_SEPARATOR) {
            int y = (ir.top + ir.bottom) / 2 - 1;
            RECT a{ir.left + 1, y, ir.right - 1, y + 1}, b{ir.left + 1, y + 1, ir.right - 1, y + 2};
            CBrush shadow(GetSysColor(COLOR_BTNSHADOW)), light(GetSysColor(COLOR_BTNHIGHLIGHT));
            dc->FillRect(&a, &shadow);
            dc->FillRect(&b, &light);
            continue;
          }
          bool selected = l->sel == static_cast<int>(i);
          bool grayed = (r.flags & (MF_GRAYED | MF_DISABLED)) != 0;
          if (selected) {
            CBrush hi(GetSysColor(COLOR_HIGHLIGHT));
            dc->FillRect(&ir, &hi);
          }
          COLORREF fg = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
          if (r.flags & MF_CHECKED) drawCheck(dc, ir.left + 5, (ir.top + ir.bottom) / 2 - 2, fg);
          if (r.flags & MF_POPUP) drawArrow(dc, ir.right - 10, (ir.top + ir.bottom) / 2, fg);
          std::string left, right;
          splitTab(r.text, &left, &right);
          RECT tr{ir.left + kCheckCol, ir.top, ir.right - kArrowCol, ir.bottom};
          drawText(dc, left, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE, grayed, selected);
          if (!right.empty()) drawText(dc, right, tr, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, grayed, selected);
        }
        dc->SelectObject(oldFont);
      }
      EndPaint(h, &ps);
      return 0;
    }
    default: return DefWindowProc(h, msg, wp, lp);
  }
}

// ---- The menu bar in a window's frame ---------------------------------------------

void paintBar(HWND h) {
  HMENU menu = GetMenu(h);
  MenuImpl* m = menus::Get(menu);
  if (!m) return;
  HDC hdc = GetWindowDC(h);
  if (!hdc) return;
  CDC* dc = CDC::FromHandle(hdc);
  RECT bar = barRectInWindow(h);
  CBrush face(GetSysColor(COLOR_MENU));
  dc->FillRect(&bar, &face);
  CFont* oldFont = dc->SelectObject(CFont::FromHandle(menuFont()));
  dc->SetBkMode(TRANSPARENT);
  std::vector<RECT> items = barItems(h, menu);
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItemRec& r = m->items[i];
    bool selected = g_active && g_active->IsBarSelected(h, i);
    if (selected) {
      CBrush hi(GetSysColor(COLOR_HIGHLIGHT));
      dc->FillRect(&items[i], &hi);
    }
    drawText(dc, r.text, items[i], DT_CENTER | DT_VCENTER | DT_SINGLELINE, (r.flags & (MF_GRAYED | MF_DISABLED)) != 0,
             selected);
  }
  dc->SelectObject(oldFont);
  ReleaseDC(h, hdc);
}

// A menu opened from the keyboard shows its first item selected, so that
// Enter chooses it; one opened by the mouse waits for the pointer.
UINT trackBar(HWND frame, int index, bool open, bool byKey) {
  HMENU menu = GetMenu(frame);
  if (!menus::Get(menu) || GetMenuItemCount(menu) <= 0) return 0;
  SendMessage(frame, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  Tracker t(frame, frame, 0);
  t.StartBar(menu, index, open, byKey);
  UINT cmd = t.Run();
  if (cmd) PostMessage(frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(cmd), 0), 0);
  return cmd;
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

BOOL SetMenu(HWND hwnd, HMENU menu) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  if (menu && !menus::Get(menu)) return FALSE;
  // The window layer's frame handling draws and tracks the bar.
  w->menu = menu;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return TRUE;
}

HMENU GetMenu(HWND hwnd) {
  WindowImpl* w = wnd::Get(hwnd);
  return w && !(w->style & WS_CHILD) && menus::Get(w->menu) ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!GetMenu(hwnd)) return FALSE;
  paintBar(hwnd);
  return TRUE;
}

namespace menus {

void PaintBar(HWND frame) { paintBar(frame); }

void ClickBar(HWND frame, POINT screen) {
  HMENU menu = GetMenu(frame);
  if (!menu) return;
  RECT wr;
  GetWindowRect(frame, &wr);
  std::vector<RECT> items = barItems(frame, menu);
  for (size_t i = 0; i < items.size(); ++i) {
    RECT r = items[i];
    OffsetRect(&r, wr.left, wr.top);
    if (PtInRect(&r, screen)) {
      trackBar(frame, static_cast<int>(i), true, false);
      return;
    }
  }
}

bool KeyMenu(HWND frame, unsigned char ch) {
  if (!GetMenu(frame) || !IsWindowEnabled(frame)) return false;
  if (ch == 0) {
    trackBar(frame, 0, false, true);
    return true;
  }
  if (ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 'a' + 'A');
  MenuImpl* m = menus::Get(GetMenu(frame));
  for (size_t i = 0; m && i < m->items.size(); ++i) {
    if (menus::AccessKey(m->items[i].text) == ch) {
      trackBar(frame, static_cast<int>(i), true, true);
      return true;
    }
  }
  return false;
}

}  // namespace menus

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, LPCRECT) {
  if (!menus::Get(menu) || !IsWindow(owner)) return FALSE;
  Tracker t(owner, nullptr, flags);
  t.StartPopup(menu, x, y);
  UINT cmd = t.Run();
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(cmd);
  if (cmd) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(cmd), 0), 0);
  return cmd != 0;
}
