// Window classes, creation and destruction, the window tree, text, styles,
// window data, position and visibility.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/window/CtlDefs.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/window/MenuBar.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowImpl.h"

namespace wnd {
// Defined with CWnd: attaches the object being created, and forgets the
// C++ objects of a destroyed window.
void AttachCreating(HWND hwnd);
void ForgetObjects(HWND hwnd);
}  // namespace wnd

namespace wnd {

State& S() {
  static State s;
  return s;
}

WindowImpl* Get(HWND hwnd) {
  if (!hwnd) return nullptr;
  return S().live.count(hwnd) ? hwnd : nullptr;
}

HWND Root(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  while (w && !IsTop(w)) w = w->parent;
  return w;
}

POINT SurfaceOffset(HWND hwnd) {
  POINT p{0, 0};
  WindowImpl* w = Get(hwnd);
  while (w && !IsTop(w)) {
    p.x += w->rect.left;
    p.y += w->rect.top;
    w = w->parent;
    p.x += w->client.left;
    p.y += w->client.top;
  }
  return p;
}

bool Shown(HWND hwnd) {
  for (WindowImpl* w = Get(hwnd); w; w = IsTop(w) ? nullptr : w->parent)
    if (!(w->style & WS_VISIBLE) || w->dead) return false;
  return Get(hwnd) != nullptr;
}

RECT WindowRectInSurface(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return RECT{0, 0, 0, 0};
  POINT o = SurfaceOffset(hwnd);
  return RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

RECT VisibleClientInSurface(HWND hwnd) {
  RECT none{0, 0, 0, 0};
  if (!Shown(hwnd)) return none;
  WindowImpl* w = Get(hwnd);
  POINT o = SurfaceOffset(hwnd);
  RECT r{o.x + w->client.left, o.y + w->client.top, o.x + w->client.right, o.y + w->client.bottom};
  for (WindowImpl* p = IsTop(w) ? nullptr : w->parent; p; p = IsTop(p) ? nullptr : p->parent) {
    POINT po = SurfaceOffset(p);
    RECT pc{po.x + p->client.left, po.y + p->client.top, po.x + p->client.right, po.y + p->client.bottom};
    if (!IntersectRect(&r, &r, &pc)) return none;
  }
  WindowImpl* top = Root(hwnd);
  RECT whole{0, 0, top->rect.right - top->rect.left, top->rect.bottom - top->rect.top};
  if (!IntersectRect(&r, &r, &whole)) return none;
  return r;
}

}  // namespace wnd

using namespace wnd;

namespace {

std::string lower(const char* s) {
  std::string out = s ? s : "";
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The standard control classes exist without anyone registering them: a
// lookup that misses registers them (idempotently) and looks again. The
// registration itself looks its names up, hence the guard.
const WindowClassRec* findClass(LPCSTR name) {
  static bool registering = false;
  if (!name) return nullptr;
  State& s = S();
  std::string key = lower(name);
  auto it = s.classes.find(key);
  if (it == s.classes.end() && !registering) {
    registering = true;
    RegisterControlClasses();
    registering = false;
    it = s.classes.find(key);
  }
  return it == s.classes.end() ? nullptr : &it->second;
}

// Menus, dropped lists and tips serve another window and must never take
// its focus; other pop-ups (dialogs, message boxes) are ordinary owned windows.
platform::NativeKind NativeKindOf(const std::string& className, DWORD style, DWORD exStyle) {
  std::string c = lower(className.c_str());
  if (c == "#32768" || c == lower(WC_COMBOLBOX) || c == "tooltips_class32") return platform::NativeKind::Transient;
  if (!(style & WS_POPUP)) return platform::NativeKind::Normal;
  if ((exStyle & WS_EX_TOOLWINDOW) && (style & WS_CAPTION) != WS_CAPTION) return platform::NativeKind::Transient;
  return platform::NativeKind::Dialog;
}

void unlinkFromParent(WindowImpl* w) {
  if (w->parent && !IsTop(w)) {
    auto& c = w->parent->children;
    c.erase(std::remove(c.begin(), c.end(), w), c.end());
  }
}

// The area a window covered in its parent (or nothing for a top-level
// window) must be repainted when it goes away or moves.
void exposeParentArea(WindowImpl* w, const RECT& windowRectInParent) {
  if (IsTop(w) || !w->parent) return;
  RECT r = windowRectInParent;
  InvalidateWindow(w->parent, RegionData(r), true, true);
}

void sendParentNotify(WindowImpl* w, UINT event) {
  if (IsTop(w) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  for (WindowImpl* p = w->parent; p; p = IsTop(p) ? nullptr : p->parent) {
    SendMessage(p, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(w->id)),
                reinterpret_cast<LPARAM>(w));
    if (p->exStyle & WS_EX_NOPARENTNOTIFY) break;
  }
}


void sendDestroy(WindowImpl* w) {
  SendMessage(w, WM_DESTROY, 0, 0);
  std::vector<HWND> kids = w->children;
  for (HWND c : kids)
    if (Get(c)) sendDestroy(c);
}

void ncDestroy(WindowImpl* w) {
  std::vector<HWND> kids = w->children;
  for (HWND c : kids)
    if (Get(c)) ncDestroy(c);
  State& s = S();
  // Timers, capture, caret and queued messages of the window go with it.
  s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(), [w](const Timer& t) { return t.hwnd == w; }),
                 s.timers.end());
  if (s.capture == w) {
    s.capture = nullptr;
    platform::GetHost().CaptureMouse(false);
  }
  if (s.caret.owner == w) DestroyCaret();
  if (s.lastMouseWnd == w) s.lastMouseWnd = nullptr;
  if (s.lastDownWnd == w) s.lastDownWnd = nullptr;
  SendMessage(w, WM_NCDESTROY, 0, 0);
  // A top-level window's menu bar goes with it.
  if (IsTop(w) && w->menu) {
    DestroyMenu(w->menu);
    w->menu = nullptr;
  }
  ForgetObjects(w);
  s.live.erase(w);
  w->dead = true;
  if (IsTop(w)) DropSurface(w);
  unlinkFromParent(w);
  w->children.clear();
  Release(w);
}

}  // namespace

namespace wnd {
HWND ServedBy(HWND popup) {
  WindowImpl* p = Get(popup);
  auto transient = [](WindowImpl* w) {
    return IsTop(w) && NativeKindOf(w->className, w->style, w->exStyle) == platform::NativeKind::Transient;
  };
  if (!p || !transient(p)) return nullptr;
  for (WindowImpl* o = Get(p->owner); o; o = Get(o->owner))
    if (!transient(o)) return o;
  WindowImpl* from = Get(p->activatedFrom);
  return from && !transient(from) ? from : nullptr;
}

void Release(HWND hwnd) {
  if (hwnd && hwnd->dead && hwnd->calls == 0) delete hwnd;
}
}  // namespace wnd

// ---- Classes ---------------------------------------------------------------

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc || !wc->lpszClassName || !*wc->lpszClassName) return 0;
  std::string key = lower(wc->lpszClassName);
  State& s = S();
  if (s.classes.count(key)) return 0;
  WindowClassRec& rec = s.classes[key];
  rec.name = wc->lpszClassName;
  rec.wc = *wc;
  rec.wc.lpszClassName = rec.name.c_str();
  if (!rec.wc.lpfnWndProc) rec.wc.lpfnWndProc = DefWindowProc;
  rec.instance = wc->hInstance;
  return static_cast<ATOM>(0xC000 + s.classes.size());
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
  std::string key = lower(className);
  State& s = S();
  auto it = s.classes.find(key);
  if (it == s.classes.end()) return FALSE;
  for (HWND h : s.live)
    if (lower(h->className.c_str()) == key) return FALSE;  // still in use
  s.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* out) {
  const WindowClassRec* rec = findClass(className);
  if (!rec) return FALSE;
  if (out) *out = rec->wc;
  return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int maxCount) {
  WindowImpl* w = Get(hwnd);
  if (!w || !buffer || maxCount <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->className.size()), maxCount - 1);
  std::memcpy(buffer, w->className.data(), n);
  buffer[n] = 0;
  return n;
}

LONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  switch (index) {
    case GCL_STYLE: return w->classStyle;
    case GCLP_HCURSOR: return reinterpret_cast<LONG_PTR>(w->classCursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<LONG_PTR>(w->classBrush);
    default: return 0;
  }
}

LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetClassLongPtr(hwnd, index);
  // The class's windows share the change, as the class record is shared.
  auto it = S().classes.find(lower(w->className.c_str()));
  for (HWND h : S().live) {
    if (lower(h->className.c_str()) != lower(w->className.c_str())) continue;
    if (index == GCL_STYLE) h->classStyle = static_cast<UINT>(value);
    if (index == GCLP_HCURSOR) h->classCursor = reinterpret_cast<HCURSOR>(value);
    if (index == GCLP_HBRBACKGROUND) h->classBrush = reinterpret_cast<HBRUSH>(value);
  }
  if (it != S().classes.end()) {
    if (index == GCL_STYLE) it->second.wc.style = static_cast<UINT>(value);
    if (index == GCLP_HCURSOR) it->second.wc.hCursor = reinterpret_cast<HCURSOR>(value);
    if (index == GCLP_HBRBACKGROUND) it->second.wc.hbrBackground = reinterpret_cast<HBRUSH>(value);
  }
  return old;
}

// ---- Creation --------------------------------------------------------------

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  State& s = S();
  const WindowClassRec* cls = findClass(className);
  if (!cls) {
    s.creating = nullptr;
    return nullptr;
  }
  WindowImpl* parentRec = Get(parent);
  if ((style & WS_CHILD) && !parentRec) {
    s.creating = nullptr;
    return nullptr;
  }
  platform::Host& host = platform::GetHost();
  auto* w = new WindowImpl;
  w->className = cls->name;
  w->classStyle = cls->wc.style;
  w->classBrush = cls->wc.hbrBackground;
  w->classCursor = cls->wc.hCursor;
  w->proc = cls->wc.lpfnWndProc;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->text = windowName ? windowName : "";
  w->instance = instance;
  w->extra.assign(static_cast<size_t>(std::max(0, cls->wc.cbWndExtra)), 0);
  if (style & WS_CHILD) {
    w->parent = parentRec;
    w->id = reinterpret_cast<UINT_PTR>(menu);
    parentRec->children.push_back(w);  // new children go to the bottom: tab order is creation order
  } else {
    w->owner = parentRec ? Root(parentRec) : nullptr;
    w->menu = menu;
  }
  if (x == CW_USEDEFAULT) x = 0, y = 0;
  if (width == CW_USEDEFAULT) {
    width = host.ScreenWidth() * 3 / 4;
    height = host.ScreenHeight() * 3 / 4;
  }
  w->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
  w->client = RECT{0, 0, std::max(0, width), std::max(0, height)};
  s.live.insert(w);
  if (IsTop(w)) {
    platform::NativeWindowDesc d;
    d.x = x;
    d.y = y;
    d.width = std::max(1, width);
    d.height = std::max(1, height);
    d.caption = w->text;
    d.kind = NativeKindOf(cls->name, style, exStyle);
    d.owner = w->owner ? w->owner->native : 0;
    host.SetClient(&HostClientOfLayer());
    w->native = host.CreateNativeWindow(d);
    EnsureSurface(w);
  }
  AttachCreating(w);

  CREATESTRUCT cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                  windowName, cls->name.c_str(), exStyle};
  if (IsTop(w)) MinMaxInfo(w);
  w->created = true;
  if (!SendMessage(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyWindow(w);
    return nullptr;
  }
  RecalcClient(w);
  if (SendMessage(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(w);
    return nullptr;
  }
  if (!Get(w)) return nullptr;
  SendMessage(w, WM_SIZE, SIZE_RESTORED,
              MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                         static_cast<WORD>(w->client.bottom - w->client.top)));
  SendMessage(w, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left),
                                        static_cast<WORD>(w->rect.top + w->client.top)));
  if (!Get(w)) return nullptr;
  sendParentNotify(w, WM_CREATE);
  if (!Get(w)) return nullptr;
  if (style & WS_VISIBLE) {
    if (IsTop(w)) ShowWindow(w, SW_SHOW);
    else {
      w->style |= WS_VISIBLE;
      InvalidateAll(w, true);
    }
  }
  if (style & WS_MAXIMIZE) w->maximized = true;
  return Get(w);
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                  HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || w->destroying) return FALSE;
  w->destroying = true;
  State& s = S();
  // Owned windows go first.
  if (IsTop(w)) {
    std::vector<HWND> owned;
    for (HWND h : s.live)
      if (IsTop(h) && h->owner == w) owned.push_back(h);
    for (HWND h : owned) DestroyWindow(h);
  }
  sendParentNotify(w, WM_DESTROY);
  if (!Get(w)) return TRUE;
  if (w->style & WS_VISIBLE) {
    if (IsTop(w)) {
      platform::GetHost().ShowNativeWindow(w->native, false);
    } else {
      w->style &= ~WS_VISIBLE;
      exposeParentArea(w, w->rect);
    }
  }
  // The focus leaves the dying windows; an active top-level window hands
  // activation to its owner.
  if (s.focus && (s.focus == w || IsChild(w, s.focus))) {
    HWND old = s.focus;
    s.focus = nullptr;
    SendMessage(old, WM_KILLFOCUS, 0, 0);
  }
  if (s.capture && (s.capture == w || IsChild(w, s.capture))) ReleaseCapture();
  if (s.active == w) {
    HWND next = nullptr;
    if (w->owner && Get(w->owner) && Shown(w->owner) && IsWindowEnabled(w->owner)) next = w->owner;
    // An unowned menu or list gives the activation back to the window it served.
    else if (HWND served = ServedBy(w); served && Shown(served) && IsWindowEnabled(served)) next = served;
    SendMessage(w, WM_NCACTIVATE, FALSE, 0);
    SendMessage(w, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
    s.active = nullptr;
    if (next) SetActiveWindow(next);
  }
  if (!Get(w)) return TRUE;
  sendDestroy(w);
  if (!Get(w)) return TRUE;
  if (IsTop(w) && w->native) {
    platform::GetHost().DestroyNativeWindow(w->native);
    w->native = 0;
  }
  ncDestroy(w);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return Get(hwnd) != nullptr; }

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!Get(parent) || !w) return FALSE;
  for (WindowImpl* p = IsTop(w) ? nullptr : w->parent; p; p = IsTop(p) ? nullptr : p->parent)
    if (p == parent) return TRUE;
  return FALSE;
}

HWND GetParent(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return nullptr;
  if (!IsTop(w)) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent) {
  WindowImpl* w = Get(hwnd);
  if (!w) return nullptr;
  WindowImpl* np = Get(newParent);
  HWND old = GetParent(hwnd);
  if (IsTop(w)) {
    if (!np) return old;
    // A top-level window cannot become a child here: its surface and native
    // window would have to go. Only the owner changes.
    w->owner = Root(np);
    return old;
  }
  if (!np || np == w || IsChild(w, np)) return nullptr;
  bool vis = (w->style & WS_VISIBLE) != 0;
  if (vis) exposeParentArea(w, w->rect);
  unlinkFromParent(w);
  w->parent = np;
  np->children.insert(np->children.begin(), w);
  if (vis) InvalidateAll(w, true);
  return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowImpl* w = Get(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return IsTop(w) ? nullptr : w->parent;
    case GA_ROOT: return Root(w);
    case GA_ROOTOWNER: {
      HWND r = Root(w);
      while (r->owner) r = r->owner;
      return r;
    }
    default: return nullptr;
  }
}

namespace {
// Top-level windows in z-order (topmost first).
std::vector<HWND>& topLevels() {
  static std::vector<HWND> order;
  return order;
}
std::vector<HWND> topOrder() {
  auto& order = topLevels();
  std::vector<HWND> out;
  for (HWND h : order)
    if (Get(h)) out.push_back(h);
  for (HWND h : S().live)
    if (IsTop(h) && std::find(out.begin(), out.end(), h) == out.end()) out.push_back(h);
  order = out;
  return out;
}
void raiseTop(HWND h) {
  std::vector<HWND> order = topOrder();
  order.erase(std::remove(order.begin(), order.end(), h), order.end());
  // Owned windows stay above their owner: raise the owner, then them.
  order.insert(order.begin(), h);
  topLevels() = order;
  std::vector<HWND> owned;
  for (HWND o : order)
    if (o != h && o->owner == h) owned.push_back(o);
  for (HWND o : owned) raiseTop(o);
}
}  // namespace

namespace wnd {
std::vector<HWND> TopLevelOrder() { return topOrder(); }
void RaiseTopLevel(HWND h) { raiseTop(h); }
}  // namespace wnd

HWND GetWindow(HWND hwnd, UINT cmd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return IsTop(w) ? w->owner : nullptr;
  std::vector<HWND> sibs = IsTop(w) ? topOrder() : w->parent->children;
  auto it = std::find(sibs.begin(), sibs.end(), w);
  if (it == sibs.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return sibs.front();
    case GW_HWNDLAST: return sibs.back();
    case GW_HWNDNEXT: return it + 1 == sibs.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == sibs.begin() ? nullptr : *(it - 1);
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) {
    auto order = topOrder();
    return order.empty() ? nullptr : order.front();
  }
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() { return nullptr; }

HWND GetDlgItem(HWND parent, int id) {
  WindowImpl* p = Get(parent);
  if (!p) return nullptr;
  for (HWND c : p->children)
    if (static_cast<int>(c->id) == id) return c;
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  return w && !IsTop(w) ? static_cast<int>(w->id) : 0;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) {
  for (HWND h : topOrder()) {
    if (className && lower(className) != lower(h->className.c_str())) continue;
    if (windowName && h->text != windowName) continue;
    return h;
  }
  return nullptr;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  const auto order = topOrder();
  for (HWND w : order) {
    if (!Get(w)) continue;  // destroyed by an earlier callback
    if (!proc(w, lParam)) return FALSE;
  }
  return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  WindowImpl* p = Get(parent);
  if (!p || !proc) return FALSE;
  std::vector<HWND> kids = p->children;
  for (HWND c : kids) {
    if (!Get(c)) continue;
    if (!proc(c, lParam)) return FALSE;
    if (!EnumChildWindows(c, proc, lParam) && Get(c) && !c->children.empty()) return FALSE;
  }
  return TRUE;
}

// ---- Text, styles, data ----------------------------------------------------

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
  if (!Get(hwnd)) return FALSE;
  return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount) {
  if (!Get(hwnd) || !buffer || maxCount <= 0) return 0;
  buffer[0] = 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                      reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!Get(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

namespace wnd {
std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLength(hwnd);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowText(hwnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(0, n)));
  return s;
}
}  // namespace wnd

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(IsTop(w) ? w->owner : w->parent);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return static_cast<LONG_PTR>(w->id);
    default:
      if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
      }
      return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value) w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
      if (IsTop(w)) w->owner = Root(Get(reinterpret_cast<HWND>(value)));
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
      WPARAM which = static_cast<WPARAM>(static_cast<LONG>(index));
      SendMessage(w, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&ss));
      if (!Get(w)) return old;
      (index == GWL_STYLE ? w->style : w->exStyle) = ss.styleNew;
      SendMessage(w, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&ss));
      break;
    }
    case GWLP_USERDATA: w->userData = value; break;
    case GWLP_ID: w->id = static_cast<UINT_PTR>(value); break;
    default:
      if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size())
        std::memcpy(w->extra.data() + index, &value, sizeof value);
      else
        return 0;
  }
  return old;
}

LONG GetWindowLong(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtr(hwnd, index)); }
LONG SetWindowLong(HWND hwnd, int index, LONG value) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE)
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, static_cast<LONG_PTR>(static_cast<DWORD>(value))));
  return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
  WindowImpl* w = Get(hwnd);
  if (!w || !name) return FALSE;
  w->props[name] = data;
  return TRUE;
}
HANDLE GetProp(HWND hwnd, LPCSTR name) {
  WindowImpl* w = Get(hwnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(name);
  return it == w->props.end() ? nullptr : it->second;
}
HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
  WindowImpl* w = Get(hwnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(name);
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

// ---- Position and visibility -----------------------------------------------

BOOL ShowWindow(HWND hwnd, int cmd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  bool activate = show && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE;
  if (IsTop(w)) {
    bool wasMax = w->maximized, wasMin = w->minimized;
    if (cmd == SW_SHOWMAXIMIZED) w->maximized = true, w->minimized = false;
    if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE) w->minimized = true;
    if (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) w->maximized = w->minimized = false;
    if (w->maximized != wasMax || w->minimized != wasMin) {
      if (w->maximized) {
        platform::Host& host = platform::GetHost();
        SetWindowPos(w, nullptr, 0, 0, host.ScreenWidth(), host.ScreenHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
      }
      SendMessage(w, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : (w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED),
                  MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                             static_cast<WORD>(w->client.bottom - w->client.top)));
      if (!Get(w)) return wasVisible;
    }
  }
  if (show == static_cast<bool>(wasVisible)) {
    if (show && activate && IsTop(w)) SetActiveWindow(w);
    return wasVisible;
  }
  SendMessage(w, WM_SHOWWINDOW, show, 0);
  if (!Get(w)) return wasVisible;
  if (show) {
    w->style |= WS_VISIBLE;
    if (IsTop(w)) {
      raiseTop(w);
      platform::GetHost().ShowNativeWindow(w->native, true);
    }
    InvalidateAll(w, true);
    if (activate && IsTop(w)) SetActiveWindow(w);
  } else {
    State& s = S();
    if (s.focus && (s.focus == w || IsChild(w, s.focus))) {
      // A hidden window keeps no focus: it goes to the parent.
      SetFocus(IsTop(w) ? nullptr : w->parent);
    }
    w->style &= ~WS_VISIBLE;
    if (IsTop(w)) {
      platform::GetHost().ShowNativeWindow(w->native, false);
      if (s.active == w) {
        HWND next = w->owner && Shown(w->owner) ? w->owner : nullptr;
        if (!next)
          if (HWND served = ServedBy(w); served && Shown(served)) next = served;
        if (next) SetActiveWindow(next);
        else {
          SendMessage(w, WM_NCACTIVATE, FALSE, 0);
          SendMessage(w, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
          s.active = nullptr;
        }
      }
    } else {
      exposeParentArea(w, w->rect);
    }
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) { return Shown(hwnd) ? TRUE : FALSE; }
BOOL IsIconic(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  return w && IsTop(w) && w->minimized;
}
BOOL IsZoomed(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  return w && IsTop(w) && w->maximized;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (static_cast<bool>(enable) == !wasDisabled) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    State& s = S();
    if (s.focus && (s.focus == w || IsChild(w, s.focus))) {
      // The keyboard must not die with the control: the focus goes to the
      // top-level window, whose handler (a dialog's) passes it on to the next
      // control that can take it; only a disabled top level keeps none.
      HWND root = Root(w);
      if (root && root != w && !(root->style & WS_DISABLED)) SetFocus(root);
      else SetFocus(nullptr);
    }
    if (s.capture == w) ReleaseCapture();
  }
  SendMessage(w, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  WINDOWPOS pos{w, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) pos.x = w->rect.left, pos.y = w->rect.top;
  if (flags & SWP_NOSIZE) pos.cx = w->rect.right - w->rect.left, pos.cy = w->rect.bottom - w->rect.top;
  // A sizable frame keeps the limits its window sets, whoever sizes it.
  if (IsTop(w) && (w->style & WS_THICKFRAME) && !(flags & SWP_NOSIZE)) {
    SIZE limited = ClampTrackSize(w, pos.cx, pos.cy);
    if (!Get(w)) return FALSE;
    pos.cx = limited.cx;
    pos.cy = limited.cy;
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessage(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!Get(w)) return FALSE;
  }
  pos.cx = std::max(0, pos.cx);
  pos.cy = std::max(0, pos.cy);
  RECT old = w->rect;
  RECT oldClient = w->client;
  RECT nr{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  bool moved = nr.left != old.left || nr.top != old.top;
  bool sized = (nr.right - nr.left) != (old.right - old.left) || (nr.bottom - nr.top) != (old.bottom - old.top);
  bool visible = (w->style & WS_VISIBLE) != 0;
  if (!(flags & SWP_NOZORDER)) {
    if (IsTop(w)) {
      raiseTop(w);
    } else {
      auto& sib = w->parent->children;
      sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
      if (insertAfter == HWND_BOTTOM) sib.push_back(w);
      else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST || !insertAfter)
        sib.insert(sib.begin(), w);
      else {
        auto it = std::find(sib.begin(), sib.end(), insertAfter);
        sib.insert(it == sib.end() ? sib.end() : it + 1, w);
      }
      if (visible && !(flags & SWP_NOREDRAW)) InvalidateAll(w, true);
    }
  }
  if (moved || sized) {
    if (visible && !(flags & SWP_NOREDRAW)) exposeParentArea(w, old);
    w->rect = nr;
    if (IsTop(w)) {
      platform::GetHost().MoveNativeWindow(w->native, nr.left, nr.top, std::max(1L, static_cast<long>(pos.cx)),
                                           std::max(1L, static_cast<long>(pos.cy)));
      if (sized) EnsureSurface(w);
    }
  }
  if (moved || sized || (flags & SWP_FRAMECHANGED)) {
    RecalcClient(w);
    if (visible && !(flags & SWP_NOREDRAW)) {
      bool redrawAll = IsTop(w) ? sized : true;
      if ((w->classStyle & (CS_HREDRAW | CS_VREDRAW)) && sized) redrawAll = true;
      if (redrawAll || (flags & SWP_FRAMECHANGED)) InvalidateAll(w, true);
      else if (sized) {
        // Only what growing uncovered needs painting.
        RECT c{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        RegionData grown = RegionData::Combine(
            RegionData(c), RegionData(RECT{0, 0, oldClient.right - oldClient.left, oldClient.bottom - oldClient.top}),
            RGN_DIFF);
        if (!grown.IsEmpty()) InvalidateWindow(w, grown, true, true);
        w->ncPaint = true;
      }
    }
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(w, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(w, SW_HIDE);
  if (!Get(w)) return TRUE;
  if (moved || sized || !(flags & SWP_NOZORDER)) {
    pos.x = w->rect.left;
    pos.y = w->rect.top;
    pos.cx = w->rect.right - w->rect.left;
    pos.cy = w->rect.bottom - w->rect.top;
    SendMessage(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  }
  return TRUE;
}

BOOL BringWindowToTop(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (IsTop(w) && Shown(w)) SetActiveWindow(w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  WindowImpl* w = Get(hwnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

namespace {
POINT screenOrigin(WindowImpl* w) {  // window's top-left corner on the screen
  WindowImpl* top = Root(w);
  POINT o = SurfaceOffset(w);
  return POINT{top->rect.left + o.x, top->rect.top + o.y};
}
}  // namespace

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  WindowImpl* w = Get(hwnd);
  if (!w || !rect) return FALSE;
  POINT o = screenOrigin(w);
  *rect = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
  WindowImpl* w = Get(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = screenOrigin(w);
  pt->x += o.x + w->client.left;
  pt->y += o.y + w->client.top;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
  WindowImpl* w = Get(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = screenOrigin(w);
  pt->x -= o.x + w->client.left;
  pt->y -= o.y + w->client.top;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from && !ClientToScreen(from, &a)) return 0;
  if (to && !ClientToScreen(to, &b)) return 0;
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < count; ++i) pts[i].x += dx, pts[i].y += dy;
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  WindowImpl* p = Get(parent);
  if (!p) return nullptr;
  RECT c{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (!PtInRect(&c, pt)) return nullptr;
  for (HWND ch : p->children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(ch->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (ch->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (ch->exStyle & WS_EX_TRANSPARENT)) continue;
    if (PtInRect(&ch->rect, pt)) return ch;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

namespace wnd {
// The deepest shown window under a point of a top-level window (window
// coordinates of that top-level window); disabled windows pass the point
// to their parent.
HWND DeepestAt(HWND top, POINT p) {
  WindowImpl* w = Get(top);
  if (!w) return nullptr;
  HWND found = w;
  POINT local{p.x - w->client.left, p.y - w->client.top};
  for (;;) {
    HWND next = nullptr;
    RECT c{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    if (!PtInRect(&c, local)) break;
    for (HWND ch : w->children) {
      if (!(ch->style & WS_VISIBLE) || (ch->exStyle & WS_EX_TRANSPARENT)) continue;
      if (PtInRect(&ch->rect, local)) {
        next = ch;
        break;
      }
    }
    if (!next || (next->style & WS_DISABLED)) break;
    local.x -= next->rect.left + next->client.left;
    local.y -= next->rect.top + next->client.top;
    w = next;
    found = next;
  }
  return found;
}

HWND UnderTransparent(HWND child, POINT screen) {
  WindowImpl* parent = Get(child)->parent;
  POINT local = screen;
  ScreenToClient(parent, &local);
  auto& kids = parent->children;
  auto it = std::find(kids.begin(), kids.end(), child);
  if (it == kids.end()) return parent;
  for (++it; it != kids.end(); ++it) {
    HWND ch = *it;
    if (!(ch->style & WS_VISIBLE) || (ch->exStyle & WS_EX_TRANSPARENT) || !PtInRect(&ch->rect, local)) continue;
    // A disabled window below stops the search as it would at the top: its
    // parent takes the click.
    if (ch->style & WS_DISABLED) return parent;
    return DeepestAt(ch, POINT{local.x - ch->rect.left, local.y - ch->rect.top});
  }
  return parent;
}
}  // namespace wnd

namespace wnd {
HWND RouteMouse(HWND top, POINT screen, LRESULT* hit) {
  HWND target = DeepestAt(top, POINT{screen.x - top->rect.left, screen.y - top->rect.top});
  LPARAM at = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
  LRESULT h = target ? SendMessage(target, WM_NCHITTEST, 0, at) : HTNOWHERE;
  while (h == HTTRANSPARENT && Get(target) && !IsTop(target)) {
    target = UnderTransparent(target, screen);
    h = SendMessage(target, WM_NCHITTEST, 0, at);
  }
  if (hit) *hit = h;
  return Get(target);
}
}  // namespace wnd

HWND WindowFromPoint(POINT pt) {
  for (HWND top : topOrder()) {
    if (!Shown(top) || !PtInRect(&top->rect, pt)) continue;
    return RouteMouse(top, pt, nullptr);
  }
  return nullptr;
}

// ---- Non-client metrics ----------------------------------------------------

namespace wnd {
MINMAXINFO MinMaxInfo(HWND hwnd) {
  platform::Host& host = platform::GetHost();
  MINMAXINFO mmi{};
  mmi.ptMaxSize = POINT{host.ScreenWidth(), host.ScreenHeight()};
  mmi.ptMaxPosition = POINT{0, 0};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{host.ScreenWidth(), host.ScreenHeight()};
  SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

SIZE ClampTrackSize(HWND hwnd, int cx, int cy) {
  MINMAXINFO mmi = MinMaxInfo(hwnd);
  auto clamp = [](int v, LONG lo, LONG hi) { return static_cast<LONG>(std::clamp<LONG>(v, lo, std::max(lo, hi))); };
  return SIZE{clamp(cx, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x), clamp(cy, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y)};
}

// The caption bar in window coordinates, without the line below it.
RECT CaptionRect(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || (w->style & WS_CAPTION) != WS_CAPTION) return RECT{0, 0, 0, 0};
  RECT f = FrameOf(w->style & ~(WS_VSCROLL | WS_HSCROLL), w->exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false,
                   false);
  int b = f.left;
  return RECT{b, b, std::max<int>(b, (w->rect.right - w->rect.left) - b), b + GetSystemMetrics(SM_CYCAPTION) - 1};
}

RECT CloseBoxRect(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || !(w->style & WS_SYSMENU)) return RECT{0, 0, 0, 0};
  RECT cap = CaptionRect(hwnd);
  if (IsRectEmpty(&cap)) return cap;
  int bh = cap.bottom - cap.top - 4;
  int bw = bh + 2;
  return RECT{cap.right - 2 - bw, cap.top + 2, cap.right - 2, cap.top + 2 + bh};
}

// Frame widths of a window of the given styles: left/top/right/bottom.
RECT FrameOf(DWORD style, DWORD exStyle, bool top, bool menu) {
  RECT f{0, 0, 0, 0};
  int b = 0;
  if (style & WS_THICKFRAME) b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER) b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += 1;
  f = RECT{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION) f.top += GetSystemMetrics(SM_CYCAPTION);
  if (top && menu) f.top += GetSystemMetrics(SM_CYMENU);
  if (style & WS_VSCROLL) f.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) f.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return f;
}
}  // namespace wnd

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT f = FrameOf(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle, !(style & WS_CHILD), menu != 0);
  rect->left -= f.left;
  rect->top -= f.top;
  rect->right += f.right;
  rect->bottom += f.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }
