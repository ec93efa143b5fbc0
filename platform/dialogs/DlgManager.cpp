#include "platform/dialogs/DlgManager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/GdiObject.h"
#include "platform/host/Host.h"
#include "platform/base/Kernel.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"

namespace {

struct DlgData {
  DLGPROC proc = nullptr;
  LPARAM param = 0;
  INT_PTR result = 0;
  bool ended = false;
  bool modal = false;
  int defId = 0;
  HFONT font = nullptr;
  SIZE units{4, 8};
  HWND owner = nullptr;
  bool ownerWasEnabled = false;
  std::string name;  // the template's name, or "#id"
};

std::map<HWND, DlgData>& dialogs() {
  static std::map<HWND, DlgData> d;
  return d;
}

DlgData* find(HWND h) {
  auto it = dialogs().find(h);
  return it == dialogs().end() ? nullptr : &it->second;
}

LOGFONT dialogLogFont(const char* face, int pointSize, int weight) {
  LOGFONT lf{};
  lf.lfHeight = -MulDiv(pointSize, platform::GetHost().Dpi(), 72);
  lf.lfWeight = weight;
  std::strncpy(lf.lfFaceName, face ? face : "MS Sans Serif", LF_FACESIZE - 1);
  return lf;
}

HFONT cachedFont(const char* face, int pointSize, int weight) {
  static std::map<std::string, HFONT> fonts;
  std::string key = std::string(face ? face : "") + "/" + std::to_string(pointSize) + "/" + std::to_string(weight);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  LOGFONT lf = dialogLogFont(face, pointSize, weight);
  HFONT f = CreateFontIndirect(&lf);
  fonts[key] = f;
  return f;
}

void registerDialogClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASS wc;
  wc.lpfnWndProc = DefDlgProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_DIALOG;
  RegisterClass(&wc);
}

UINT dlgCode(HWND h, const MSG* msg = nullptr) {
  if (!IsWindow(h)) return 0;
  return static_cast<UINT>(
      SendMessage(h, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool isPushButton(UINT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// The direct child of the dialog that holds `h` (h itself when it is one).
HWND dialogChildOf(HWND dialog, HWND h) {
  while (h && GetParent(h) != dialog) {
    HWND p = GetParent(h);
    if (!p || p == h) return nullptr;
    h = p;
  }
  return h;
}

std::vector<HWND> children(HWND dialog) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }

bool usable(HWND h) { return IsWindowVisible(h) && IsWindowEnabled(h); }

bool focusInside(HWND dialog) {
  HWND f = GetFocus();
  return f && IsChild(dialog, f);
}

// Gives the default-button look to the push button that has the focus, or
// else to the dialog's default button; every other push button loses it.
void checkDefButton(HWND dialog, HWND focus) {
  DlgData* d = find(dialog);
  if (!d) return;
  HWND target = nullptr;
  HWND f = dialogChildOf(dialog, focus);
  if (f && isPushButton(dlgCode(f))) target = f;
  else if (d->defId) target = GetDlgItem(dialog, d->defId);
  for (HWND c : children(dialog)) {
    UINT code = dlgCode(c);
    if (!isPushButton(code)) continue;
    bool want = c == target;
    bool has = (code & DLGC_DEFPUSHBUTTON) != 0;
    if (want != has) SendMessage(c, BM_SETSTYLE, want ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

// Back to the control that had the focus last while the dialog had it, or
// else to the first tab stop.
void restoreFocus(HWND dialog) {
  WindowImpl* w = wnd::Get(dialog);
  HWND last = w ? w->lastFocus : nullptr;
  HWND target = IsWindow(last) && IsChild(dialog, last) && usable(last) ? last : nullptr;
  if (!target) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target) DlgSetFocus(dialog, target);
}

void pressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) {
    MessageBeep(0);
    return;
  }
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The access key of a text: the character after a single "&", or 0.
unsigned char accessKey(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<unsigned char>(Cp1252ToUpper(text[i + 1]));
  }
  return 0;
}

// Access keys: buttons (visible or hidden, but enabled) and the labels in
// front of other controls. TRUE when one took the key.
bool mnemonic(HWND dialog, HWND from, unsigned char ch) {
  unsigned char key = static_cast<unsigned char>(Cp1252ToUpper(static_cast<char>(ch)));
  if (key == 0 || key == ' ') return false;
  std::vector<HWND> list = children(dialog);
  if (list.empty()) return false;
  HWND start = dialogChildOf(dialog, from);
  size_t begin = 0;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == start) begin = i + 1;
  for (size_t n = 0; n < list.size(); ++n) {
    HWND c = list[(begin + n) % list.size()];
    if (!IsWindowEnabled(c)) continue;
    UINT code = dlgCode(c);
    bool label = (code & DLGC_STATIC) != 0;
    if (!label && !(code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON))) continue;
    if (label && (styleOf(c) & SS_NOPREFIX) && !(code & DLGC_BUTTON)) continue;
    if (accessKey(wnd::WindowText(c)) != key) continue;
    if (label) {
      // A label hands the focus to the control that follows it.
      size_t at = 0;
      for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == c) at = i;
      for (size_t k = 1; k < list.size(); ++k) {
        HWND t = list[(at + k) % list.size()];
        if (!usable(t) || (dlgCode(t) & DLGC_STATIC)) continue;
        DlgSetFocus(dialog, t);
        if (dlgCode(t) & DLGC_RADIOBUTTON) SendMessage(t, BM_CLICK, 0, 0);
        return true;
      }
      return true;
    }
    if (isPushButton(code)) {
      pressButton(dialog, GetDlgCtrlID(c));
      return true;
    }
    // Check boxes and radio buttons take the focus and are clicked.
    if (IsWindowVisible(c)) DlgSetFocus(dialog, c);
    SendMessage(c, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

// ---- Units and fonts ------------------------------------------------------

SIZE DialogBaseUnits(const char* face, int pointSize) {
  static std::map<std::string, SIZE> cache;
  std::string key = std::string(face ? face : "") + "/" + std::to_string(pointSize);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  LOGFONT lf = dialogLogFont(face, pointSize, FW_NORMAL);
  const fonts::RealizedFont& f = fonts::Realize(lf);
  int total = 0;
  for (int c = 'A'; c <= 'Z'; ++c) total += f.advance[c] + f.advance[c + ('a' - 'A')];
  // The average width of the 52 letters, rounded.
  SIZE s{(total / 26 + 1) / 2, f.height};
  if (s.cx <= 0) s.cx = 6;
  if (s.cy <= 0) s.cy = 13;
  cache[key] = s;
  return s;
}

HFONT DialogFont(const char* face, int pointSize) { return cachedFont(face, pointSize, FW_NORMAL); }

LONG GetDialogBaseUnits() {
  SIZE s = DialogBaseUnits("MS Sans Serif", 8);
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(s.cx), static_cast<WORD>(s.cy)));
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  if (!rect) return FALSE;
  DlgData* d = find(dialog);
  SIZE u = d ? d->units : DialogBaseUnits("MS Sans Serif", 8);
  rect->left = MulDiv(rect->left, u.cx, 4);
  rect->right = MulDiv(rect->right, u.cx, 4);
  rect->top = MulDiv(rect->top, u.cy, 8);
  rect->bottom = MulDiv(rect->bottom, u.cy, 8);
  return d != nullptr;
}

// ---- Creation ---------------------------------------------------------------

namespace dlg {

bool IsDialog(HWND hwnd) { return find(hwnd) != nullptr; }

HWND DefaultOwner() {
  HWND a = GetActiveWindow();
  if (!a) return nullptr;
  HWND top = GetAncestor(a, GA_ROOT);
  return top && IsWindowEnabled(top) ? top : nullptr;
}

HWND Create(const DlgTemplate& t, HWND owner, DLGPROC proc, LPARAM param, CWnd* object, bool modal) {
  registerDialogClass();
  RegisterControlClasses();
  SIZE u = DialogBaseUnits(t.face.c_str(), t.pointSize);
  HFONT font = DialogFont(t.face.c_str(), t.pointSize);
  DWORD style = t.style;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  bool child = (style & WS_CHILD) != 0;
  RECT r{0, 0, MulDiv(t.cx, u.cx, 4), MulDiv(t.cy, u.cy, 8)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  int width = r.right - r.left, height = r.bottom - r.top;
  POINT at{MulDiv(t.x, u.cx, 4), MulDiv(t.y, u.cy, 8)};
  if (!child && owner && !(style & DS_ABSALIGN)) ClientToScreen(owner, &at);
  if (!child && (style & DS_CENTER)) {
    RECT area{0, 0, platform::GetHost().ScreenWidth(), platform::GetHost().ScreenHeight()};
    if (owner) GetWindowRect(owner, &area);
    at.x = area.left + (area.right - area.left - width) / 2;
    at.y = area.top + (area.bottom - area.top - height) / 2;
  }
  const char* cls = t.className.empty() ? WC_DIALOG : t.className.c_str();
  wnd::S().creating = object;
  HWND h = CreateWindowEx(exStyle, cls, t.caption.c_str(), style & ~WS_VISIBLE, at.x, at.y, width, height, owner,
                          nullptr, nullptr, reinterpret_cast<LPVOID>(param));
  wnd::S().creating = nullptr;
  if (!h) {
    std::fprintf(stderr, "dialog %s: the window could not be made\n", t.name.c_str());
    return nullptr;
  }
  DlgData& d = dialogs()[h];
  d.proc = proc;
  d.param = param;
  d.modal = modal;
  d.font = font;
  d.units = u;
  d.owner = owner;
  d.name = t.name.empty() ? '#' + std::to_string(t.id) : t.name;
  // The automation names a dialog by its template.
  SetProp(h, "DialogTemplate", const_cast<char*>(d.name.c_str()));
  SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const DlgItemTemplate& item : t.items) {
    RECT ir{item.x, item.y, item.x + item.cx, item.y + item.cy};
    MapDialogRect(h, &ir);
    // In the 3-D look a bordered edit or list box has the sunken client edge
    // instead of a flat black line.
    DWORD itemStyle = item.style, itemEx = item.exStyle;
    const char* itemClass = item.className.c_str();
    if ((itemStyle & WS_BORDER) && (lstrcmpi(itemClass, WC_EDIT) == 0 || lstrcmpi(itemClass, WC_LISTBOX) == 0)) {
      itemStyle &= ~WS_BORDER;
      itemEx |= WS_EX_CLIENTEDGE;
    }
    HWND c = CreateWindowEx(itemEx, item.className.c_str(), item.text.c_str(), itemStyle, ir.left, ir.top,
                            ir.right - ir.left, ir.bottom - ir.top, h,
                            reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), nullptr, nullptr);
    if (!c) {
      std::fprintf(stderr, "dialog %s: control %d of class \"%s\" could not be made\n", d.name.c_str(), item.id,
                   item.className.c_str());
      if (t.style & DS_NOFAILCREATE) continue;
      DestroyWindow(h);
      return nullptr;
    }
    SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (DlgData* dd = find(h); dd && dd->defId == 0 && std::strcmp(item.className.c_str(), WC_BUTTON) == 0 &&
                                   (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      dd->defId = item.id;
  }
  HWND first = GetNextDlgTabItem(h, nullptr, FALSE);
  LRESULT focusDefault = SendMessage(h, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!IsWindow(h)) return nullptr;
  if (focusDefault && !focusInside(h)) {
    first = GetNextDlgTabItem(h, nullptr, FALSE);
    if (first) DlgSetFocus(h, first);
  }
  if (!modal && (t.style & WS_VISIBLE) && !find(h)->ended) ShowWindow(h, SW_SHOW);
  return h;
}

namespace {
// The C++ object a dialog made without one borrows for its modal loop: it
// gives the dialog's input to the dialog manager.
class LoopWnd : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessage(m_hWnd, msg);
  }
};
}  // namespace

INT_PTR RunModal(HWND h, HWND owner) {
  DlgData* d = find(h);
  if (!d) return -1;
  d->owner = owner;
  d->ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (owner) EnableWindow(owner, FALSE);
  // The loop is the window layer's modal loop, run by the dialog's C++
  // object; a dialog made without one borrows an object for the loop.
  CWnd* obj = CWnd::FromHandlePermanent(h);
  LoopWnd borrowed;
  if (!obj) {
    borrowed.SubclassWindow(h);
    obj = &borrowed;
  }
  obj->m_nModalResult = -1;
  if (!d->ended) {
    ShowWindow(h, SW_SHOW);
    if (!focusInside(h)) restoreFocus(h);
    UpdateWindow(h);
    obj->RunModalLoop(0);
  }
  d = find(h);
  INT_PTR result = d && d->ended ? d->result : obj->m_nModalResult;
  if (d && owner && d->ownerWasEnabled) EnableWindow(owner, TRUE);
  if (IsWindow(h)) {
    if (owner && IsWindow(owner) && GetActiveWindow() == h) SetActiveWindow(owner);
    DestroyWindow(h);
  }
  return result;
}

}  // namespace dlg

HWND CreateDialogIndirectParam(HINSTANCE, const DlgTemplate* templ, HWND owner, DLGPROC proc, LPARAM param) {
  if (!templ) return nullptr;
  return dlg::Create(*templ, owner, proc, param, nullptr, false);
}

HWND CreateDialogParam(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc, LPARAM param) {
  return CreateDialogIndirectParam(instance, FindDialogTemplate(templ), owner, proc, param);
}

HWND CreateDialog(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc) {
  return CreateDialogParam(instance, templ, owner, proc, 0);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE, const DlgTemplate* templ, HWND owner, DLGPROC proc, LPARAM param) {
  if (!templ) return -1;
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  HWND h = dlg::Create(*templ, owner, proc, param, nullptr, true);
  if (!h) return -1;
  return dlg::RunModal(h, owner);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc, LPARAM param) {
  return DialogBoxIndirectParam(instance, FindDialogTemplate(templ), owner, proc, param);
}

INT_PTR DialogBox(HINSTANCE instance, LPCSTR templ, HWND owner, DLGPROC proc) {
  return DialogBoxParam(instance, templ, owner, proc, 0);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DlgData* d = find(dialog);
  if (!d) return FALSE;
  d->result = result;
  d->ended = true;
  if (CWnd* obj = CWnd::FromHandlePermanent(dialog); obj && (obj->m_nFlags & WF_MODALLOOP))
    obj->EndModalLoop(static_cast<int>(result));
  if (d->modal) {
    // The owner comes back before the dialog goes, so that it is the one
    // activated.
    if (d->owner && d->ownerWasEnabled) EnableWindow(d->owner, TRUE);
    d->ownerWasEnabled = false;
    if (d->owner && IsWindow(d->owner) && GetActiveWindow() == dialog) SetActiveWindow(d->owner);
  }
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

// ---- The default dialog procedure ----------------------------------------

LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (DlgData* d = find(h); d && d->proc) {
    INT_PTR r = d->proc(h, msg, wp, lp);
    if (r) return r;
  }
  switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (!dc) return 0;
      auto br = reinterpret_cast<HBRUSH>(SendMessage(h, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(h)));
      RECT r;
      GetClientRect(h, &r);
      if (br) CDC::FromHandle(dc)->FillRect(&r, CBrush::FromHandle(br));
      return 1;
    }
    case WM_SETFOCUS: {
      // From a control just disabled, the focus moves on in the tab order.
      HWND lost = reinterpret_cast<HWND>(wp);
      HWND next = lost && IsChild(h, lost) && !IsWindowEnabled(lost) ? GetNextDlgTabItem(h, lost, FALSE) : nullptr;
      if (next && next != lost) DlgSetFocus(h, next);
      else restoreFocus(h);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !focusInside(h)) restoreFocus(h);
      return 0;
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(h, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID: {
      DlgData* d = find(h);
      return d && d->defId ? MAKELRESULT(static_cast<WORD>(d->defId), DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
      DlgData* d = find(h);
      if (!d) return FALSE;
      d->defId = static_cast<int>(wp);
      checkDefButton(h, GetFocus());
      return TRUE;
    }
    case WM_NEXTDLGCTL: {
      HWND target;
      if (LOWORD(static_cast<std::uintptr_t>(lp))) target = reinterpret_cast<HWND>(wp);
      else target = GetNextDlgTabItem(h, focusInside(h) ? GetFocus() : nullptr, wp != 0);
      if (target) DlgSetFocus(h, target);
      return 0;
    }
    case WM_GETFONT: {
      DlgData* d = find(h);
      return d ? reinterpret_cast<LRESULT>(d->font) : DefWindowProc(h, msg, wp, lp);
    }
    case WM_NCDESTROY:
      dialogs().erase(h);
      return DefWindowProc(h, msg, wp, lp);
    default: return DefWindowProc(h, msg, wp, lp);
  }
}

// ---- Focus and navigation ---------------------------------------------------

void DlgSetFocus(HWND dialog, HWND control) {
  if (!control || !IsWindow(control)) return;
  if (dlgCode(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  SetFocus(control);
  if (IsWindow(dialog)) checkDefButton(dialog, GetFocus());
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = children(dialog);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  HWND start = control ? dialogChildOf(dialog, control) : nullptr;
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == start) at = i;
  if (at < 0) at = previous ? 0 : n - 1;  // so that the first step lands on the first (last) one
  for (int k = 1; k <= n; ++k) {
    int i = ((at + (previous ? -k : k)) % n + n) % n;
    HWND c = list[i];
    if ((styleOf(c) & WS_TABSTOP) && usable(c)) return c;
  }
  return start;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = children(dialog);
  HWND start = dialogChildOf(dialog, control);
  int n = static_cast<int>(list.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (list[i] == start) at = i;
  if (at < 0) return nullptr;
  // The group runs from the last WS_GROUP control at or before this one to
  // the control before the next WS_GROUP control.
  int first = at;
  while (first > 0 && !(styleOf(list[first]) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < n && !(styleOf(list[last + 1]) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int k = 1; k < size; ++k) {
    int i = first + (((at - first) + (previous ? -k : k)) % size + size) % size;
    if (usable(list[i])) return list[i];
  }
  return start;
}

// ---- The keyboard interface -------------------------------------------------

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
  if (!dialog || !msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  HWND focusBefore = GetFocus();
  bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg->message) {
    case WM_KEYDOWN: {
      UINT code = dlgCode(msg->hwnd, msg);
      if (code & DLGC_WANTALLKEYS) break;
      switch (msg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          if (HWND next = GetNextDlgTabItem(dialog, msg->hwnd == dialog ? nullptr : msg->hwnd, shift))
            DlgSetFocus(dialog, next);
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if (code & DLGC_WANTARROWS) break;
          if (msg->hwnd == dialog) return TRUE;
          bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
          HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, back);
          if (next && next != dialogChildOf(dialog, msg->hwnd)) {
            DlgSetFocus(dialog, next);
            if (dlgCode(next) & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_RETURN: {
          HWND f = dialogChildOf(dialog, GetFocus());
          int id;
          if (f && isPushButton(dlgCode(f)) && IsWindowEnabled(f)) id = GetDlgCtrlID(f);
          else {
            LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
            id = HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID ? LOWORD(static_cast<std::uintptr_t>(def))
                                                                         : IDOK;
          }
          pressButton(dialog, id);
          return TRUE;
        }
        case VK_ESCAPE:
          pressButton(dialog, IDCANCEL);
          return TRUE;
        default: break;
      }
      break;
    }
    case WM_CHAR: {
      UINT code = dlgCode(msg->hwnd, msg);
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) break;
      unsigned char ch = static_cast<unsigned char>(msg->wParam);
      if (ch == '\t' && !(code & DLGC_WANTTAB)) return TRUE;
      if (ch == '\r' || ch == 0x1B) return TRUE;
      if (mnemonic(dialog, msg->hwnd, ch)) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (mnemonic(dialog, msg->hwnd, static_cast<unsigned char>(msg->wParam))) return TRUE;
      break;
    default: break;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  // A click may have moved the focus onto or off a push button.
  if (IsWindow(dialog) && GetFocus() != focusBefore && focusInside(dialog)) checkDefButton(dialog, GetFocus());
  return TRUE;
}

// ---- Items --------------------------------------------------------------------

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  BOOL any = FALSE;
  for (int id = firstId; id <= lastId; ++id) {
    HWND c = GetDlgItem(dialog, id);
    if (!c) continue;
    SendMessage(c, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    any = TRUE;
  }
  return any;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND c = GetDlgItem(dialog, id);
  if (!c) return FALSE;
  SendMessage(c, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND c = GetDlgItem(dialog, id);
  return c ? static_cast<UINT>(SendMessage(c, BM_GETCHECK, 0, 0)) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SetWindowText(c, text ? text : "") : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int maxCount) {
  HWND c = GetDlgItem(dialog, id);
  if (!c) {
    if (buffer && maxCount > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowText(c, buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char buf[24];
  if (isSigned) std::snprintf(buf, sizeof buf, "%d", static_cast<int>(value));
  else std::snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemText(dialog, id, buf);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND c = GetDlgItem(dialog, id);
  if (!c) return 0;
  std::string s = wnd::WindowText(c);
  size_t i = 0, e = s.size();
  while (i < e && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (e > i && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  bool neg = false;
  if (i < e && (s[i] == '-' || s[i] == '+')) {
    if (s[i] == '-' && !isSigned) return 0;
    neg = s[i] == '-';
    ++i;
  }
  if (i == e) return 0;
  unsigned long long v = 0;
  for (; i < e; ++i) {
    if (s[i] < '0' || s[i] > '9') return 0;
    v = v * 10 + static_cast<unsigned>(s[i] - '0');
    if (v > 0xFFFFFFFFull) return 0;
  }
  if (isSigned) {
    long long sv = neg ? -static_cast<long long>(v) : static_cast<long long>(v);
    if (sv < INT32_MIN || sv > INT32_MAX) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(static_cast<int>(sv));
  }
  if (translated) *translated = TRUE;
  return static_cast<UINT>(v);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SendMessage(c, message, wParam, lParam) : 0;
}
