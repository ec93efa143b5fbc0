// The "ComboBox" control: a selection field (an "Edit" child with id 1001,
// or the combo's own field for a drop-down list) and a list, either a child
// list box (CBS_SIMPLE) or an owned top-level pop-up that drops below the
// combo and may extend past its dialog.
//
// Notifications, in the order the framework delivers them: opening sends
// CBN_DROPDOWN before the list shows; choosing an item in the dropped list
// (click or Enter) sends CBN_SELENDOK, CBN_CLOSEUP, then CBN_SELCHANGE when
// the selection changed; dismissing it (Escape, a click elsewhere, focus
// loss) sends CBN_SELENDCANCEL and CBN_CLOSEUP. Arrow keys change the
// selection at once with CBN_SELCHANGE.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/controls/CtlCommon.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

namespace {

struct Combo {
  HWND hwnd = nullptr;
  HWND edit = nullptr;
  HWND list = nullptr;
  bool dropped = false;
  int selItemHeight = 15;  // item height of the selection field
  int listHeight = 100;    // height of the dropped list as created
  int droppedWidth = 0;
  HFONT font = nullptr;
  FontInfo fi;
  bool focus = false;
  bool extendedUI = false;
  int committed = -1;  // selection as last reported
  bool quiet = false;  // programmatic edit-text changes send no CBN_EDIT*
  std::string typed;
  DWORD typedTime = 0;
};

StateMap<Combo> g_combos;
HWND g_creatingListFor = nullptr;

DWORD styleOf(Combo* c) { return StyleOf(c->hwnd); }
UINT kind(Combo* c) { return styleOf(c) & 3u; }
bool isDropList(Combo* c) { return kind(c) == CBS_DROPDOWNLIST; }
bool isSimple(Combo* c) { return kind(c) == CBS_SIMPLE; }
bool ownerDraw(Combo* c) { return (styleOf(c) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
bool hasStrings(Combo* c) { return !ownerDraw(c) || (styleOf(c) & CBS_HASSTRINGS); }

int fieldHeight(Combo* c) { return c->selItemHeight + 6; }
int buttonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

LRESULT toList(Combo* c, UINT msg, WPARAM wParam, LPARAM lParam) {
  return c->list ? SendMessage(c->list, msg, wParam, lParam) : CB_ERR;
}

int cur(Combo* c) { return static_cast<int>(toList(c, LB_GETCURSEL, 0, 0)); }

std::string itemText(Combo* c, int i) {
  if (i < 0 || !hasStrings(c)) return "";
  LRESULT n = toList(c, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return "";
  std::string s(static_cast<size_t>(n) + 1, '\0');
  toList(c, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

RECT buttonRect(Combo* c) {
  RECT r;
  GetClientRect(c->hwnd, &r);
  return RECT{r.right - 2 - buttonWidth(), 2, r.right - 2, fieldHeight(c) - 2};
}

RECT fieldRect(Combo* c) {
  RECT r;
  GetClientRect(c->hwnd, &r);
  RECT f{2, 2, r.right - 2, fieldHeight(c) - 2};
  if (!isSimple(c)) f.right -= buttonWidth();
  return f;
}

void layoutChildren(Combo* c) {
  RECT f = fieldRect(c);
  if (c->edit) {
    int pad = std::max(0, ((f.bottom - f.top) - c->fi.height) / 2);
    MoveWindow(c->edit, f.left + 1, f.top + pad, std::max(0, static_cast<int>(f.right - f.left - 1)),
               std::max(0, static_cast<int>(f.bottom - f.top - 2 * pad)), TRUE);
  }
  if (isSimple(c) && c->list) {
    RECT r;
    GetClientRect(c->hwnd, &r);
    MoveWindow(c->list, 0, fieldHeight(c), r.right, std::max(0, static_cast<int>(r.bottom - fieldHeight(c))), TRUE);
  }
}

// Keeps a drop-down combo as high as its selection field; the rest of the
// height asked for becomes the dropped list's. A simple combo without
// CBS_NOINTEGRALHEIGHT shrinks so that its list shows whole items only.
void fitHeight(Combo* c) {
  if (isSimple(c)) {
    if (!c->list || (styleOf(c) & CBS_NOINTEGRALHEIGHT)) return;
    layoutChildren(c);
    RECT lc;
    GetClientRect(c->list, &lc);
    int itemH = std::max(1, static_cast<int>(toList(c, LB_GETITEMHEIGHT, 0, 0)));
    int extra = lc.bottom % itemH;
    if (extra && lc.bottom > itemH) {
      RECT wr;
      GetWindowRect(c->hwnd, &wr);
      SetWindowPos(c->hwnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - extra,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      layoutChildren(c);
    }
    return;
  }
  RECT wr;
  GetWindowRect(c->hwnd, &wr);
  if (wr.bottom - wr.top != fieldHeight(c))
    SetWindowPos(c->hwnd, nullptr, 0, 0, wr.right - wr.left, fieldHeight(c), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layoutChildren(c);
}

void setEditText(Combo* c, const std::string& text, bool selectAll) {
  if (!c->edit) {
    InvalidateRect(c->hwnd, nullptr, FALSE);
    return;
  }
  c->quiet = true;
  SetWindowText(c->edit, text.c_str());
  c->quiet = false;
  if (selectAll) SendMessage(c->edit, EM_SETSEL, 0, -1);
}

void showSelection(Combo* c) {
  setEditText(c, itemText(c, cur(c)), c->focus || (c->edit && GetFocus() == c->edit));
  InvalidateRect(c->hwnd, nullptr, FALSE);
}

// The selection changed by the user: field text and CBN_SELCHANGE.
void userSelect(Combo* c, int i) {
  HWND h = c->hwnd;
  toList(c, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  showSelection(c);
  if (cur(c) != c->committed) {
    c->committed = cur(c);
    if (!isSimple(c)) {
      if (!Notify(h, CBN_SELENDOK) || !g_combos.Get(h)) return;
    }
    Notify(h, CBN_SELCHANGE);
  }
}

void placeList(Combo* c) {
  RECT wr;
  GetWindowRect(c->hwnd, &wr);
  int n = static_cast<int>(toList(c, LB_GETCOUNT, 0, 0));
  int itemH = static_cast<int>(toList(c, LB_GETITEMHEIGHT, 0, 0));
  if (itemH <= 0) itemH = c->fi.height;
  int want = std::max(1, n) * itemH + 2;
  int h = std::max(itemH + 2, std::min(c->listHeight, want));
  if (!(styleOf(c) & CBS_NOINTEGRALHEIGHT)) h = ((h - 2) / itemH) * itemH + 2;
  int w = std::max(static_cast<int>(wr.right - wr.left), c->droppedWidth);
  int y = wr.bottom;
  int screenH = GetSystemMetrics(SM_CYSCREEN);
  if (y + h > screenH && wr.top - h >= 0) y = wr.top - h;
  SetWindowPos(c->list, HWND_TOP, wr.left, y, w, h, SWP_NOACTIVATE);
}

void drop(Combo* c) {
  if (c->dropped || isSimple(c) || !c->list) return;
  HWND h = c->hwnd;
  if (!Notify(h, CBN_DROPDOWN) || !g_combos.Get(h)) return;
  c->committed = cur(c);
  placeList(c);
  c->dropped = true;
  int i = cur(c);
  if (i >= 0) SendMessage(c->list, LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
  ShowWindow(c->list, SW_SHOWNA);
  SetCapture(c->list);
  InvalidateRect(h, nullptr, FALSE);
}

void closeUp(Combo* c, bool ok, bool notifyEnd) {
  if (!c->dropped) return;
  HWND h = c->hwnd;
  c->dropped = false;
  if (!ok) toList(c, LB_SETCURSEL, static_cast<WPARAM>(c->committed), 0);
  if (notifyEnd) {
    if (!Notify(h, ok ? CBN_SELENDOK : CBN_SELENDCANCEL) || !g_combos.Get(h)) return;
  }
  if (GetCapture() == c->list) ReleaseCapture();
  ShowWindow(c->list, SW_HIDE);
  InvalidateRect(h, nullptr, FALSE);
  if (!Notify(h, CBN_CLOSEUP) || !g_combos.Get(h)) return;
  if (ok) {
    showSelection(c);
    if (cur(c) != c->committed) {
      c->committed = cur(c);
      Notify(h, CBN_SELCHANGE);
    }
  }
}

// Keys of the combo (from its own focus or its edit's); true when used.
bool comboKey(Combo* c, UINT msg, UINT vk) {
  bool alt = msg == WM_SYSKEYDOWN;
  if (alt && vk != VK_DOWN && vk != VK_UP) return false;
  if (vk == VK_F4 || alt) {
    if (isSimple(c)) return false;
    if (c->dropped) closeUp(c, true, true);
    else drop(c);
    return true;
  }
  if (c->dropped) {
    if (vk == VK_RETURN) {
      closeUp(c, true, true);
      return true;
    }
    if (vk == VK_ESCAPE) {
      closeUp(c, false, true);
      return true;
    }
  }
  int n = static_cast<int>(toList(c, LB_GETCOUNT, 0, 0));
  int i = cur(c), target;
  int page = std::max(1, c->listHeight / std::max(1, c->fi.height) - 1);
  switch (vk) {
    case VK_UP: target = i < 0 ? 0 : i - 1; break;
    case VK_DOWN:
      if (c->extendedUI && !c->dropped && !isSimple(c)) {
        drop(c);
        return true;
      }
      target = i < 0 ? 0 : i + 1;
      break;
    case VK_PRIOR: target = i - page; break;
    case VK_NEXT: target = i + page; break;
    case VK_HOME:
    case VK_END:
      if (!isDropList(c) && !c->dropped) return false;  // the edit moves its caret
      target = vk == VK_HOME ? 0 : n - 1;
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (!isDropList(c)) return false;
      target = vk == VK_LEFT ? (i < 0 ? 0 : i - 1) : (i < 0 ? 0 : i + 1);
      break;
    default: return false;
  }
  if (n == 0) return true;
  target = std::clamp(target, 0, n - 1);
  if (c->dropped) {
    toList(c, LB_SETCURSEL, static_cast<WPARAM>(target), 0);
    showSelection(c);
    if (target != c->committed) {
      c->committed = target;
      Notify(c->hwnd, CBN_SELCHANGE);
    }
  } else if (target != i) {
    userSelect(c, target);
  }
  return true;
}

void typeChar(Combo* c, unsigned char ch) {
  if (ch < 32 || !hasStrings(c)) return;
  DWORD now = GetTickCount();
  if (now - c->typedTime > 1000) c->typed.clear();
  c->typedTime = now;
  c->typed += static_cast<char>(ch);
  int i = cur(c);
  bool same = std::all_of(c->typed.begin(), c->typed.end(),
                          [&](char x) { return Cp1252ToLower(x) == Cp1252ToLower(c->typed[0]); });
  LRESULT found = (c->typed.size() > 1 && !same)
                      ? toList(c, LB_FINDSTRING, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(c->typed.c_str()))
                      : toList(c, LB_FINDSTRING, static_cast<WPARAM>(i),
                               reinterpret_cast<LPARAM>(std::string(1, c->typed[0]).c_str()));
  if (found < 0 || found == i) return;
  if (c->dropped) {
    toList(c, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    showSelection(c);
    c->committed = static_cast<int>(found);
    Notify(c->hwnd, CBN_SELCHANGE);
  } else {
    userSelect(c, static_cast<int>(found));
  }
}

void paint(Combo* c) {
  PaintScope painting(c->hwnd);
  HDC hdc = painting.hdc;
  CDC* dc = painting.dc;
  if (!dc) return;
  bool enabled = IsWindowEnabled(c->hwnd) != FALSE;
  dc->SelectObject(c->font ? c->font : DefaultFont());
  RECT client;
  GetClientRect(c->hwnd, &client);
  RECT frame{0, 0, client.right, isSimple(c) ? fieldHeight(c) : client.bottom};
  HBRUSH brush = CtlColor(c->hwnd, hdc, WM_CTLCOLOREDIT);
  COLORREF text = enabled ? dc->GetTextColor() : GetSysColor(COLOR_GRAYTEXT);
  RECT inner = frame;
  InflateRect(&inner, -2, -2);
  FillBrush(dc, inner, enabled ? brush : GetSysColorBrush(COLOR_BTNFACE));
  RECT e = frame;
  dc->DrawEdge(&e, EDGE_SUNKEN, BF_RECT);
  if (!isSimple(c)) {
    RECT b = buttonRect(c);
    CDC* d = dc;
    RECT in = DrawButtonFace(d, b, c->dropped, false);
    if (c->dropped) OffsetRect(&in, 1, 1);
    DrawArrowGlyph(dc, in, 1, enabled);
  }
  if (isDropList(c)) {
    RECT f = fieldRect(c);
    InflateRect(&f, -1, -1);
    int i = cur(c);
    bool hot = c->focus && !c->dropped;
    if (ownerDraw(c)) {
      DRAWITEMSTRUCT di{};
      di.CtlType = ODT_COMBOBOX;
      di.CtlID = static_cast<UINT>(GetDlgCtrlID(c->hwnd));
      di.itemID = static_cast<UINT>(i);
      di.itemAction = ODA_DRAWENTIRE;
      di.itemState = ODS_COMBOBOXEDIT | (hot ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
      di.hwndItem = c->hwnd;
      di.hDC = hdc;
      di.rcItem = f;
      di.itemData = i >= 0 ? static_cast<ULONG_PTR>(toList(c, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) : 0;
      if (HWND p = GetParent(c->hwnd)) SendMessage(p, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    } else {
      dc->SetBkMode(TRANSPARENT);
      if (hot) {
        dc->FillSolidRect(&f, GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        dc->SetTextColor(text);
      }
      std::string s = itemText(c, i);
      RECT t = f;
      t.left += 2;
      dc->DrawText(s.c_str(), static_cast<int>(s.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
      if (hot) dc->DrawFocusRect(&f);
    }
  }
}

void measureHeights(Combo* c) {
  c->fi = Measure(c->font);
  if (!ownerDraw(c)) {
    c->selItemHeight = c->fi.height + 2;
    toList(c, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(c->fi.height), 0));
    return;
  }
  HWND p = GetParent(c->hwnd);
  UINT id = static_cast<UINT>(GetDlgCtrlID(c->hwnd));
  MEASUREITEMSTRUCT field{ODT_COMBOBOX, id, static_cast<UINT>(-1), 0, static_cast<UINT>(c->fi.height + 2), 0};
  if (p) SendMessage(p, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&field));
  c->selItemHeight = std::max(1, static_cast<int>(field.itemHeight));
  if (styleOf(c) & CBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT item{ODT_COMBOBOX, id, 0, 0, static_cast<UINT>(c->fi.height), 0};
    if (p) SendMessage(p, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&item));
    toList(c, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(std::max<UINT>(1, item.itemHeight)), 0));
  }
}

void create(Combo* c, const CREATESTRUCT* cs) {
  // WS_VSCROLL was taken off the combo itself: it belongs to the list.
  DWORD st = styleOf(c) | (static_cast<DWORD>(cs->style) & WS_VSCROLL);
  HWND h = c->hwnd;
  HINSTANCE inst = nullptr;
  c->listHeight = std::max(0, cs->cy - fieldHeight(c));
  DWORD lstyle = LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
  if (st & CBS_SORT) lstyle |= LBS_SORT;
  if (st & CBS_OWNERDRAWFIXED) lstyle |= LBS_OWNERDRAWFIXED;
  if (st & CBS_OWNERDRAWVARIABLE) lstyle |= LBS_OWNERDRAWVARIABLE;
  if (st & CBS_HASSTRINGS) lstyle |= LBS_HASSTRINGS;
  if (st & WS_VSCROLL) lstyle |= WS_VSCROLL;
  if (st & CBS_DISABLENOSCROLL) lstyle |= LBS_DISABLENOSCROLL;
  if (isSimple(c)) {
    c->list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | lstyle, 0, fieldHeight(c),
                             cs->cx, std::max(0, cs->cy - fieldHeight(c)), h, reinterpret_cast<HMENU>(1000), inst,
                             nullptr);
  } else {
    g_creatingListFor = h;
    c->list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WC_COMBOLBOX, "", WS_POPUP | WS_BORDER | lstyle, 0, 0,
                             cs->cx, std::max(1, c->listHeight), h, nullptr, inst, nullptr);
    g_creatingListFor = nullptr;
  }
  if (!g_combos.Get(h)) return;
  if (!isDropList(c)) {
    DWORD es = WS_CHILD | WS_VISIBLE | (st & WS_DISABLED);
    if (st & CBS_AUTOHSCROLL) es |= ES_AUTOHSCROLL;
    if (st & CBS_UPPERCASE) es |= ES_UPPERCASE;
    if (st & CBS_LOWERCASE) es |= ES_LOWERCASE;
    c->edit = CreateWindowEx(0, WC_EDIT, "", es, 0, 0, 10, 10, h, reinterpret_cast<HMENU>(IDC_COMBOEDIT), inst, nullptr);
  }
  measureHeights(c);
  fitHeight(c);
  layoutChildren(c);
}

LRESULT onCreate(Combo* c, HWND, UINT, WPARAM, LPARAM lParam) {
  create(c, reinterpret_cast<CREATESTRUCT*>(lParam));
  return 0;
}

LRESULT onDestroy(Combo* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (c->list && !isSimple(c)) {
    HWND l = c->list;
    c->list = nullptr;
    c->dropped = false;
    DestroyWindow(l);
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onNcDestroy(Combo*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_combos.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onWindowPosChanging(Combo* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
  if (pos && !(pos->flags & SWP_NOSIZE) && !isSimple(c) && pos->cy != fieldHeight(c)) {
    c->listHeight = std::max(0, pos->cy - fieldHeight(c));
    pos->cy = fieldHeight(c);
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onSize(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  layoutChildren(c);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT onShowWindow(Combo* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!wParam) closeUp(c, false, true);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onEnable(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (c->edit) EnableWindow(c->edit, static_cast<BOOL>(wParam));
  if (c->list && isSimple(c)) EnableWindow(c->list, static_cast<BOOL>(wParam));
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT onSetFont(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  c->font = reinterpret_cast<HFONT>(wParam);
  if (c->edit) SendMessage(c->edit, WM_SETFONT, wParam, lParam);
  if (c->list) SendMessage(c->list, WM_SETFONT, wParam, lParam);
  measureHeights(c);
  fitHeight(c);
  if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT onGetFont(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(c->font ? c->font : DefaultFont());
}

LRESULT onEraseBkgnd(Combo*, HWND, UINT, WPARAM, LPARAM) {
  return 1;
}

LRESULT onPaint(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  paint(c);
  return 0;
}

LRESULT onGetDlgCode(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (c->dropped) code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT onSetFocus(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (c->edit) {
    SetFocus(c->edit);
    return 0;
  }
  c->focus = true;
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, CBN_SETFOCUS);
  return 0;
}

LRESULT onKillFocus(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (c->edit) return 0;
  c->focus = false;
  closeUp(c, false, true);
  if (!g_combos.Get(hwnd)) return 0;
  InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, CBN_KILLFOCUS);
  return 0;
}

LRESULT onKeyDown(Combo* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (comboKey(c, msg, static_cast<UINT>(wParam))) return 0;
  return msg == WM_SYSKEYDOWN ? DefWindowProc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT onChar(Combo* c, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (isDropList(c)) typeChar(c, static_cast<unsigned char>(wParam));
  else if (c->edit) SendMessage(c->edit, msg, wParam, lParam);
  return 0;
}

LRESULT onLButtonDown(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT b = buttonRect(c);
  bool onButton = PtInRect(&b, p) != FALSE;
  HWND want = c->edit ? c->edit : hwnd;
  if (GetFocus() != want) SetFocus(want);
  if (!g_combos.Get(hwnd) || isSimple(c)) return 0;
  if (isDropList(c) || onButton) {
    if (c->dropped) closeUp(c, true, true);
    else drop(c);
  }
  return 0;
}

LRESULT onMouseWheel(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  if (!c->dropped) {
    int delta = static_cast<short>(HIWORD(wParam));
    comboKey(c, WM_KEYDOWN, delta > 0 ? VK_UP : VK_DOWN);
  }
  return 0;
}

LRESULT onCommand(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  HWND from = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  if (from && from == c->edit) {
    switch (code) {
      case EN_CHANGE:
        if (c->quiet) return 0;
        if (c->dropped) {
          char buf[512];
          GetWindowText(c->edit, buf, sizeof buf);
          LRESULT i = toList(c, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buf));
          if (i >= 0) toList(c, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        }
        Notify(hwnd, CBN_EDITCHANGE);
        return 0;
      case EN_UPDATE:
        if (!c->quiet) Notify(hwnd, CBN_EDITUPDATE);
        return 0;
      case EN_SETFOCUS:
        c->focus = true;
        SendMessage(c->edit, EM_SETSEL, 0, -1);
        Notify(hwnd, CBN_SETFOCUS);
        return 0;
      case EN_KILLFOCUS: {
        HWND now = GetFocus();
        if (now == hwnd || now == c->edit) return 0;
        c->focus = false;
        closeUp(c, false, true);
        if (g_combos.Get(hwnd)) Notify(hwnd, CBN_KILLFOCUS);
        return 0;
      }
      default: return 0;
    }
  }
  if (from && from == c->list && isSimple(c)) {
    if (code == LBN_SELCHANGE) {
      showSelection(c);
      c->committed = cur(c);
      Notify(hwnd, CBN_SELCHANGE);
    } else if (code == LBN_DBLCLK) {
      Notify(hwnd, CBN_DBLCLK);
    }
  }
  return 0;
}

LRESULT onCtlColorEdit(Combo*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT r = 0;
  if (HWND p = GetParent(hwnd)) r = SendMessage(p, msg, wParam, lParam);
  return r ? r : DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onCut(Combo* c, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return c->edit ? SendMessage(c->edit, msg, wParam, lParam) : 0;
}

LRESULT onSetText(Combo* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const char* t = reinterpret_cast<const char*>(lParam);
  if (c->edit) {
    SetWindowText(c->edit, t ? t : "");
    DefWindowProc(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  LRESULT i = toList(c, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
  if (i < 0) return CB_ERR;
  toList(c, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  c->committed = static_cast<int>(i);
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT onGetText(Combo* c, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (c->edit) return SendMessage(c->edit, msg, wParam, lParam);
  std::string s = itemText(c, cur(c));
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(s.size());
  char* buf = reinterpret_cast<char*>(lParam);
  int max = static_cast<int>(wParam);
  if (!buf || max <= 0) return 0;
  int n = std::min(static_cast<int>(s.size()), max - 1);
  std::memcpy(buf, s.data(), static_cast<size_t>(n));
  buf[n] = 0;
  return n;
}

// ---- CB_ messages ----
LRESULT cbAddString(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_ADDSTRING, wParam, lParam);
}

LRESULT cbInsertString(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_INSERTSTRING, wParam, lParam);
}

LRESULT cbDeleteString(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  LRESULT r = toList(c, LB_DELETESTRING, wParam, lParam);
  if (g_combos.Get(hwnd)) {
    c->committed = cur(c);
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  return r;
}

LRESULT cbResetContent(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  toList(c, LB_RESETCONTENT, 0, 0);
  if (!g_combos.Get(hwnd)) return 0;
  c->committed = -1;
  setEditText(c, "", false);
  InvalidateRect(hwnd, nullptr, FALSE);
  return CB_OKAY;
}

LRESULT cbGetCount(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return toList(c, LB_GETCOUNT, 0, 0);
}

LRESULT cbGetLbText(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_GETTEXT, wParam, lParam);
}

LRESULT cbGetLbTextLen(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_GETTEXTLEN, wParam, lParam);
}

LRESULT cbSetCurSel(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  LRESULT r = toList(c, LB_SETCURSEL, wParam, 0);
  c->committed = cur(c);
  setEditText(c, itemText(c, cur(c)), c->edit && GetFocus() == c->edit);
  InvalidateRect(hwnd, nullptr, FALSE);
  return r;
}

LRESULT cbGetCurSel(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return cur(c);
}

LRESULT cbFindString(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_FINDSTRING, wParam, lParam);
}

LRESULT cbFindStringExact(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_FINDSTRINGEXACT, wParam, lParam);
}

LRESULT cbSelectString(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  LRESULT i = toList(c, LB_FINDSTRING, wParam, lParam);
  if (i < 0) return CB_ERR;
  toList(c, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  c->committed = static_cast<int>(i);
  setEditText(c, itemText(c, static_cast<int>(i)), c->edit && GetFocus() == c->edit);
  InvalidateRect(hwnd, nullptr, FALSE);
  return i;
}

LRESULT cbSetItemData(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_SETITEMDATA, wParam, lParam);
}

LRESULT cbGetItemData(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_GETITEMDATA, wParam, lParam);
}

LRESULT cbSetEditSel(Combo* c, HWND, UINT, WPARAM, LPARAM lParam) {
  if (!c->edit) return CB_ERR;
  SendMessage(c->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<LONG>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))))),
              static_cast<LPARAM>(static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))));
  return TRUE;
}

LRESULT cbGetEditSel(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!c->edit) return CB_ERR;
  return SendMessage(c->edit, EM_GETSEL, wParam, lParam);
}

LRESULT cbLimitText(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  if (c->edit) SendMessage(c->edit, EM_LIMITTEXT, wParam, 0);
  return TRUE;
}

LRESULT cbSetItemHeight(Combo* c, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  int h = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (h <= 0 || h > 255) return CB_ERR;
  if (i == -1) {
    c->selItemHeight = h;
    fitHeight(c);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
  }
  return toList(c, LB_SETITEMHEIGHT, wParam, lParam);
}

LRESULT cbGetItemHeight(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  if (static_cast<int>(static_cast<LONG>(wParam)) == -1) return c->selItemHeight;
  return toList(c, LB_GETITEMHEIGHT, wParam, 0);
}

LRESULT cbShowDropDown(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  if (wParam) drop(c);
  else closeUp(c, false, false);
  return TRUE;
}

LRESULT cbGetDroppedState(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return c->dropped ? TRUE : FALSE;
}

LRESULT cbGetDroppedControlRect(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  RECT* r = reinterpret_cast<RECT*>(lParam);
  if (!r) return CB_ERR;
  GetWindowRect(hwnd, r);
  r->right = r->left + std::max(static_cast<int>(r->right - r->left), c->droppedWidth);
  r->bottom = r->top + fieldHeight(c) + c->listHeight;
  return TRUE;
}

LRESULT cbSetDroppedWidth(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  c->droppedWidth = static_cast<int>(wParam);
  return c->droppedWidth;
}

LRESULT cbGetDroppedWidth(Combo* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  RECT wr;
  GetWindowRect(hwnd, &wr);
  return std::max(static_cast<int>(wr.right - wr.left), c->droppedWidth);
}

LRESULT cbSetExtendedUi(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  c->extendedUI = wParam != 0;
  return CB_OKAY;
}

LRESULT cbGetExtendedUi(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return c->extendedUI;
}

LRESULT cbSetTopIndex(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  return toList(c, LB_SETTOPINDEX, wParam, 0);
}

LRESULT cbGetTopIndex(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return toList(c, LB_GETTOPINDEX, 0, 0);
}

LRESULT cbSetHorizontalExtent(Combo* c, HWND, UINT, WPARAM wParam, LPARAM) {
  return toList(c, LB_SETHORIZONTALEXTENT, wParam, 0);
}

LRESULT cbGetHorizontalExtent(Combo* c, HWND, UINT, WPARAM, LPARAM) {
  return toList(c, LB_GETHORIZONTALEXTENT, 0, 0);
}

LRESULT cbInitStorage(Combo* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  return toList(c, LB_INITSTORAGE, wParam, lParam);
}

LRESULT cbDir(Combo*, HWND, UINT, WPARAM, LPARAM) {
  return CB_ERR;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<Combo>& comboProcHandlers() {
  static const wnd::HandlerTable<Combo> table = {
      {WM_CREATE, &onCreate},
      {WM_DESTROY, &onDestroy},
      {WM_NCDESTROY, &onNcDestroy},
      {WM_WINDOWPOSCHANGING, &onWindowPosChanging},
      {WM_SIZE, &onSize},
      {WM_SHOWWINDOW, &onShowWindow},
      {WM_ENABLE, &onEnable},
      {WM_SETFONT, &onSetFont},
      {WM_GETFONT, &onGetFont},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_KEYDOWN, &onKeyDown},
      {WM_SYSKEYDOWN, &onKeyDown},
      {WM_CHAR, &onChar},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_LBUTTONDBLCLK, &onLButtonDown},
      {WM_MOUSEWHEEL, &onMouseWheel},
      {WM_COMMAND, &onCommand},
      {WM_CTLCOLOREDIT, &onCtlColorEdit},
      {WM_CTLCOLORLISTBOX, &onCtlColorEdit},
      {WM_CTLCOLORSTATIC, &onCtlColorEdit},
      {WM_CUT, &onCut},
      {WM_COPY, &onCut},
      {WM_PASTE, &onCut},
      {WM_CLEAR, &onCut},
      {WM_UNDO, &onCut},
      {WM_SETTEXT, &onSetText},
      {WM_GETTEXT, &onGetText},
      {WM_GETTEXTLENGTH, &onGetText},
      {CB_ADDSTRING, &cbAddString},
      {CB_INSERTSTRING, &cbInsertString},
      {CB_DELETESTRING, &cbDeleteString},
      {CB_RESETCONTENT, &cbResetContent},
      {CB_GETCOUNT, &cbGetCount},
      {CB_GETLBTEXT, &cbGetLbText},
      {CB_GETLBTEXTLEN, &cbGetLbTextLen},
      {CB_SETCURSEL, &cbSetCurSel},
      {CB_GETCURSEL, &cbGetCurSel},
      {CB_FINDSTRING, &cbFindString},
      {CB_FINDSTRINGEXACT, &cbFindStringExact},
      {CB_SELECTSTRING, &cbSelectString},
      {CB_SETITEMDATA, &cbSetItemData},
      {CB_GETITEMDATA, &cbGetItemData},
      {CB_SETEDITSEL, &cbSetEditSel},
      {CB_GETEDITSEL, &cbGetEditSel},
      {CB_LIMITTEXT, &cbLimitText},
      {CB_SETITEMHEIGHT, &cbSetItemHeight},
      {CB_GETITEMHEIGHT, &cbGetItemHeight},
      {CB_SHOWDROPDOWN, &cbShowDropDown},
      {CB_GETDROPPEDSTATE, &cbGetDroppedState},
      {CB_GETDROPPEDCONTROLRECT, &cbGetDroppedControlRect},
      {CB_SETDROPPEDWIDTH, &cbSetDroppedWidth},
      {CB_GETDROPPEDWIDTH, &cbGetDroppedWidth},
      {CB_SETEXTENDEDUI, &cbSetExtendedUi},
      {CB_GETEXTENDEDUI, &cbGetExtendedUi},
      {CB_SETTOPINDEX, &cbSetTopIndex},
      {CB_GETTOPINDEX, &cbGetTopIndex},
      {CB_SETHORIZONTALEXTENT, &cbSetHorizontalExtent},
      {CB_GETHORIZONTALEXTENT, &cbGetHorizontalExtent},
      {CB_INITSTORAGE, &cbInitStorage},
      {CB_DIR, &cbDir},
  };
  return table;
}

LRESULT comboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Combo* c = g_combos.Get(hwnd);
  if (msg == WM_NCCREATE) {
    c = g_combos.Make(hwnd);
    c->hwnd = hwnd;
    c->fi = Measure(nullptr);
    c->selItemHeight = c->fi.height + 2;
    // A combo box's scroll-bar style is its list's: the field shows no bar.
    DWORD st = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    if (st & (WS_VSCROLL | WS_HSCROLL)) SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(st & ~(WS_VSCROLL | WS_HSCROLL)));
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (LRESULT r = 0; wnd::Dispatch(comboProcHandlers(), c, hwnd, msg, wParam, lParam, &r)) return r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// The dropped list: a list box attached to its combo, which never takes
// the focus or activation from the combo's window.
LRESULT comboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    LRESULT r = ListBoxWindowProc()(hwnd, msg, wParam, lParam);
    ListBoxAttachCombo(hwnd, g_creatingListFor);
    return r;
  }
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_CAPTURECHANGED: {
      // Losing the mouse to anybody else dismisses the list.
      LRESULT r = ListBoxWindowProc()(hwnd, msg, wParam, lParam);
      if (reinterpret_cast<HWND>(lParam) != hwnd)
        if (Combo* c = g_combos.Get(ListBoxCombo(hwnd)); c && c->dropped) closeUp(c, false, true);
      return r;
    }
    default: return ListBoxWindowProc()(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC ComboBoxWindowProc() { return &comboProc; }
WNDPROC ComboListWindowProc() { return &comboListProc; }

namespace ctl {

void ComboListEvent(HWND combo, ListEvent event) {
  Combo* c = g_combos.Get(combo);
  if (!c || !c->dropped) return;
  closeUp(c, event == ListEvent::Commit, true);
}

HWND ComboOfEdit(HWND edit) {
  HWND parent = GetParent(edit);
  Combo* c = g_combos.Get(parent);
  return c && c->edit == edit ? parent : nullptr;
}

bool ComboEditKey(HWND combo, UINT msg, UINT vk) {
  Combo* c = g_combos.Get(combo);
  return c && comboKey(c, msg, vk);
}

bool ComboDropped(HWND combo) {
  Combo* c = g_combos.Get(combo);
  return c && c->dropped;
}

}  // namespace ctl
