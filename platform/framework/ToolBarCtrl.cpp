// The tool-bar control ("ToolbarWindow32"): a row of buttons showing images
// of an image list, with separators. A click sends WM_COMMAND with the
// button's command to the parent; check buttons toggle. With TBSTYLE_FLAT
// buttons are drawn flat and raised while the mouse is over them (the hot
// item, announced by TBN_HOTITEMCHANGE); with TBSTYLE_TOOLTIPS the control
// keeps a tool-tip control whose texts its parent gives (TTN_NEEDTEXT).
#include <algorithm>
#include <vector>

#include "platform/controls/CtlCommon.h"
#include "platform/commctrl/ControlClass.h"
#include "platform/commctrl/ImageList.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform/framework/BarDefs.h"

using namespace ctl;

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kPad = 2;                 // space above the buttons
constexpr UINT_PTR kLeaveTimer = 1;     // watches the mouse leave the hot button
constexpr UINT kLeavePollMs = 100;

struct ToolBar {
  HWND hwnd = nullptr;
  HWND notify = nullptr;  // the window that hears commands, else the parent
  HWND tips = nullptr;
  bool ownTips = false;
  std::vector<TBBUTTON> buttons;
  SIZE button{24, 22};
  SIZE image{16, 15};
  HIMAGELIST images = nullptr;
  HIMAGELIST ownImages = nullptr;  // made from TB_ADDBITMAP
  int hot = -1;
  int pressed = -1;  // index held down with the mouse
  bool pressedInside = false;
  std::vector<UINT_PTR> toolIds;  // the tools added to the tips
};

StateMap<ToolBar>& barStates() {
  static StateMap<ToolBar> map;
  return map;
}

HWND notifyWindow(ToolBar* s) { return s->notify ? s->notify : GetParent(s->hwnd); }
bool isSeparator(const TBBUTTON& b) { return (b.fsStyle & TBSTYLE_SEP) != 0; }
bool flat(ToolBar* s) { return (StyleOf(s->hwnd) & TBSTYLE_FLAT) != 0; }

RECT buttonRect(ToolBar* s, int index) {
  int x = 0;
  for (int i = 0; i < index; ++i) {
    const TBBUTTON& b = s->buttons[static_cast<size_t>(i)];
    if (b.fsState & TBSTATE_HIDDEN) continue;
    x += isSeparator(b) ? (b.iBitmap > 0 ? b.iBitmap : kSeparatorWidth) : s->button.cx;
  }
  const TBBUTTON& b = s->buttons[static_cast<size_t>(index)];
  int w = (b.fsState & TBSTATE_HIDDEN) ? 0 : isSeparator(b) ? (b.iBitmap > 0 ? b.iBitmap : kSeparatorWidth) : s->button.cx;
  const int top = (StyleOf(s->hwnd) & CCS_NODIVIDER) ? kPad : kPad + 2;
  return RECT{x, top, x + w, top + s->button.cy};
}

int buttonAt(ToolBar* s, POINT pt) {
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    if (isSeparator(s->buttons[i]) || (s->buttons[i].fsState & TBSTATE_HIDDEN)) continue;
    RECT r = buttonRect(s, static_cast<int>(i));
    if (PtInRect(&r, pt)) return static_cast<int>(i);
  }
  return -1;
}

int indexOf(ToolBar* s, WPARAM command) {
  for (size_t i = 0; i < s->buttons.size(); ++i)
    if (static_cast<WPARAM>(s->buttons[i].idCommand) == command) return static_cast<int>(i);
  return -1;
}

void invalidateButton(ToolBar* s, int index) {
  if (index < 0 || index >= static_cast<int>(s->buttons.size())) return;
  RECT r = buttonRect(s, index);
  InvalidateRect(s->hwnd, &r, TRUE);
}

// The tool of every button follows its rectangle.
void syncTools(ToolBar* s) {
  if (!s->tips) return;
  for (UINT_PTR id : s->toolIds) {
    TOOLINFO ti;
    ti.hwnd = s->hwnd;
    ti.uId = id;
    SendMessage(s->tips, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  }
  s->toolIds.clear();
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    const TBBUTTON& b = s->buttons[i];
    if (isSeparator(b)) continue;
    TOOLINFO ti;
    ti.hwnd = s->hwnd;
    ti.uId = static_cast<UINT_PTR>(b.idCommand);
    ti.rect = buttonRect(s, static_cast<int>(i));
    ti.lpszText = LPSTR_TEXTCALLBACK;
    if (SendMessage(s->tips, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti))) s->toolIds.push_back(ti.uId);
  }
}

void changed(ToolBar* s) {
  syncTools(s);
  InvalidateRect(s->hwnd, nullptr, TRUE);
}

void drawFace(ToolBar* s, CDC* dc, int index, RECT r) {
  const TBBUTTON& b = s->buttons[static_cast<size_t>(index)];
  const bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
  const bool down = (b.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
  if (!flat(s)) {
    DrawButtonFace(dc, r, down, false);
  } else if (down) {
    dc->DrawEdge(&r, BDR_SUNKENOUTER, BF_RECT);
  } else if (index == s->hot && enabled) {
    dc->DrawEdge(&r, BDR_RAISEDINNER, BF_RECT);
  }
  if ((b.fsState & TBSTATE_CHECKED) && !(b.fsState & TBSTATE_PRESSED)) {
    // A checked button's face is a checkerboard of the face and highlight colours.
    RECT in = r;
    InflateRect(&in, -2, -2);
    static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    pattern.CreateBitmap(8, 8, 1, 1, kChecker);
    CBrush dither(&pattern);
    COLORREF oldText = dc->SetTextColor(GetSysColor(COLOR_3DFACE));
    COLORREF oldBk = dc->SetBkColor(GetSysColor(COLOR_3DHILIGHT));
    dc->FillRect(&in, &dither);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBk);
  }
  if (!s->images) return;
  const int x = r.left + (r.right - r.left - s->image.cx) / 2 + (down ? 1 : 0);
  const int y = r.top + (r.bottom - r.top - s->image.cy) / 2 + (down ? 1 : 0);
  ImageList_Draw(s->images, b.iBitmap, dc->GetSafeHdc(), x, y, enabled ? ILD_TRANSPARENT : ILD_DISABLED);
}

void drawSeparator(CDC* dc, RECT r) {
  const int x = r.left + (r.right - r.left) / 2 - 1;
  RECT line{x, r.top, x + 2, r.bottom};
  dc->DrawEdge(&line, EDGE_ETCHED, BF_LEFT);
}

void paint(ToolBar* s) {
  PaintScope painting(s->hwnd);
  CDC* dc = painting.dc;
  if (!dc) return;
  RECT c = FillClient(dc, s->hwnd, COLOR_3DFACE);
  if (!(StyleOf(s->hwnd) & CCS_NODIVIDER)) {
    RECT top{c.left, c.top, c.right, c.top + 2};
    dc->DrawEdge(&top, EDGE_ETCHED, BF_TOP);
  }
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    const TBBUTTON& b = s->buttons[i];
    if (b.fsState & TBSTATE_HIDDEN) continue;
    RECT r = buttonRect(s, static_cast<int>(i));
    if (isSeparator(b)) {
      if (flat(s)) drawSeparator(dc, r);
    } else {
      drawFace(s, dc, static_cast<int>(i), r);
    }
  }
}

void setHot(ToolBar* s, int index, DWORD why) {
  if (index == s->hot) return;
  NMTBHOTITEM nm;
  nm.hdr.hwndFrom = s->hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(s->hwnd));
  nm.hdr.code = TBN_HOTITEMCHANGE;
  nm.idOld = s->hot >= 0 ? s->buttons[static_cast<size_t>(s->hot)].idCommand : 0;
  nm.idNew = index >= 0 ? s->buttons[static_cast<size_t>(index)].idCommand : 0;
  nm.dwFlags = why | (index < 0 ? HICF_LEAVING : 0);
  HWND self = s->hwnd;
  // A parent answering nonzero keeps the old hot item.
  if (SendMessage(notifyWindow(s), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) || !IsWindow(self)) return;
  invalidateButton(s, s->hot);
  s->hot = index;
  invalidateButton(s, s->hot);
  if (s->hot >= 0) SetTimer(s->hwnd, kLeaveTimer, kLeavePollMs, nullptr);
  else KillTimer(s->hwnd, kLeaveTimer);
}

void relayToTips(ToolBar* s, UINT msg, WPARAM wp, LPARAM lp) {
  if (!s->tips) return;
  MSG m;
  m.hwnd = s->hwnd;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  SendMessage(s->tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void mouseMove(ToolBar* s, POINT pt) {
  const int at = buttonAt(s, pt);
  if (s->pressed >= 0) {
    bool inside = at == s->pressed;
    if (inside != s->pressedInside) {
      s->pressedInside = inside;
      TBBUTTON& b = s->buttons[static_cast<size_t>(s->pressed)];
      b.fsState = static_cast<BYTE>(inside ? b.fsState | TBSTATE_PRESSED : b.fsState & ~TBSTATE_PRESSED);
      invalidateButton(s, s->pressed);
    }
    return;
  }
  if (flat(s) || (StyleOf(s->hwnd) & TBSTYLE_TOOLTIPS)) setHot(s, at, HICF_MOUSE);
}

void buttonDown(ToolBar* s, POINT pt) {
  const int at = buttonAt(s, pt);
  if (at < 0 || !(s->buttons[static_cast<size_t>(at)].fsState & TBSTATE_ENABLED)) return;
  s->pressed = at;
  s->pressedInside = true;
  s->buttons[static_cast<size_t>(at)].fsState |= TBSTATE_PRESSED;
  SetCapture(s->hwnd);
  invalidateButton(s, at);
}

void toggleCheck(ToolBar* s, int index) {
  TBBUTTON& b = s->buttons[static_cast<size_t>(index)];
  if (!(b.fsStyle & TBSTYLE_CHECK)) return;
  if (b.fsStyle & TBSTYLE_GROUP) {
    // A check group keeps one button down: the one clicked.
    for (size_t i = static_cast<size_t>(index); i-- > 0 && (s->buttons[i].fsStyle & TBSTYLE_GROUP);)
      s->buttons[i].fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
    for (size_t i = static_cast<size_t>(index) + 1; i < s->buttons.size() && (s->buttons[i].fsStyle & TBSTYLE_GROUP); ++i)
      s->buttons[i].fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
    b.fsState |= TBSTATE_CHECKED;
    InvalidateRect(s->hwnd, nullptr, TRUE);
  } else {
    b.fsState ^= TBSTATE_CHECKED;
  }
}

void buttonUp(ToolBar* s, POINT pt) {
  if (s->pressed < 0) return;
  const int index = s->pressed;
  const bool inside = buttonAt(s, pt) == index;
  s->pressed = -1;
  s->buttons[static_cast<size_t>(index)].fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
  if (GetCapture() == s->hwnd) ReleaseCapture();
  invalidateButton(s, index);
  if (!inside) return;
  toggleCheck(s, index);
  const int command = s->buttons[static_cast<size_t>(index)].idCommand;
  // The command may run a modal dialog, which leaves the bar unpainted and
  // the hot frame on the button behind it: the button shows released and
  // plain first (the mouse makes it hot again when it next moves).
  HWND self = s->hwnd;
  setHot(s, -1, HICF_MOUSE);
  if (!IsWindow(self)) return;
  UpdateWindow(self);
  if (!IsWindow(self)) return;
  SendMessage(notifyWindow(s), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), BN_CLICKED),
              reinterpret_cast<LPARAM>(s->hwnd));
}

void leaveCheck(ToolBar* s) {
  POINT cursor;
  GetCursorPos(&cursor);
  RECT w;
  GetWindowRect(s->hwnd, &w);
  if (s->pressed < 0 && (!PtInRect(&w, cursor) || WindowFromPoint(cursor) != s->hwnd)) setHot(s, -1, HICF_MOUSE);
}

void addButtons(ToolBar* s, size_t at, WPARAM count, LPARAM lp) {
  const auto* in = reinterpret_cast<const TBBUTTON*>(lp);
  if (!in) return;
  at = std::min(at, s->buttons.size());
  s->buttons.insert(s->buttons.begin() + static_cast<std::ptrdiff_t>(at), in, in + count);
  changed(s);
}

LRESULT addBitmap(ToolBar* s, WPARAM, LPARAM lp) {
  const auto* ab = reinterpret_cast<const TBADDBITMAP*>(lp);
  if (!ab || ab->hInst) return -1;  // only bitmaps by handle
  if (!s->ownImages) {
    s->ownImages = ImageList_Create(s->image.cx, s->image.cy, ILC_MASK, 16, 16);
    s->images = s->ownImages;
  }
  // The classic light grey of tool-bar pictures shows the button's face.
  return ImageList_AddMasked(s->ownImages, reinterpret_cast<HBITMAP>(ab->nID), RGB(192, 192, 192));
}

LRESULT setState(ToolBar* s, WPARAM command, BYTE bit, bool on) {
  const int i = indexOf(s, command);
  if (i < 0) return FALSE;
  TBBUTTON& b = s->buttons[static_cast<size_t>(i)];
  const BYTE state = static_cast<BYTE>(on ? b.fsState | bit : b.fsState & ~bit);
  if (state == b.fsState) return TRUE;
  b.fsState = state;
  if (bit == TBSTATE_HIDDEN) changed(s);
  else invalidateButton(s, i);
  if (bit == TBSTATE_ENABLED && !on && s->hot == i) setHot(s, -1, 0);
  return TRUE;
}

LRESULT getButton(ToolBar* s, WPARAM index, LPARAM lp) {
  auto* out = reinterpret_cast<TBBUTTON*>(lp);
  if (!out || index >= s->buttons.size()) return FALSE;
  *out = s->buttons[index];
  return TRUE;
}

LRESULT itemRect(ToolBar* s, WPARAM index, LPARAM lp) {
  auto* out = reinterpret_cast<RECT*>(lp);
  if (!out || index >= s->buttons.size()) return FALSE;
  *out = buttonRect(s, static_cast<int>(index));
  return TRUE;
}

LRESULT stateOf(ToolBar* s, WPARAM command, BYTE bit) {
  const int i = indexOf(s, command);
  return i < 0 ? 0 : (s->buttons[static_cast<size_t>(i)].fsState & bit) != 0;
}

void create(ToolBar* s) {
  if (!(StyleOf(s->hwnd) & TBSTYLE_TOOLTIPS)) return;
  RegisterToolTipClass();
  s->tips = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           0, 0, 0, 0, s->hwnd, nullptr, nullptr, nullptr);
  s->ownTips = s->tips != nullptr;
}

void destroy(ToolBar* s) {
  if (s->ownTips && IsWindow(s->tips)) DestroyWindow(s->tips);
  if (s->ownImages) ImageList_Destroy(s->ownImages);
}

// A tool tip's question for a button's text goes on to the parent.
LRESULT forwardNotify(ToolBar* s, WPARAM wp, LPARAM lp) {
  auto* nm = reinterpret_cast<NMHDR*>(lp);
  if (!nm || nm->hwndFrom != s->tips) return 0;
  return SendMessage(notifyWindow(s), WM_NOTIFY, wp, lp);
}

LRESULT mouse(ToolBar* s, UINT msg, WPARAM wp, LPARAM lp) {
  relayToTips(s, msg, wp, lp);
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_MOUSEMOVE: mouseMove(s, pt); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: buttonDown(s, pt); break;
    case WM_LBUTTONUP: buttonUp(s, pt); break;
    default: break;
  }
  return 0;
}

LRESULT toolbarMessage(ToolBar* s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case TB_ENABLEBUTTON: return setState(s, wp, TBSTATE_ENABLED, LOWORD(static_cast<DWORD>(lp)) != 0);
    case TB_CHECKBUTTON: return setState(s, wp, TBSTATE_CHECKED, LOWORD(static_cast<DWORD>(lp)) != 0);
    case TB_PRESSBUTTON: return setState(s, wp, TBSTATE_PRESSED, LOWORD(static_cast<DWORD>(lp)) != 0);
    case TB_HIDEBUTTON: return setState(s, wp, TBSTATE_HIDDEN, LOWORD(static_cast<DWORD>(lp)) != 0);
    case TB_INDETERMINATE: return setState(s, wp, TBSTATE_INDETERMINATE, LOWORD(static_cast<DWORD>(lp)) != 0);
    case TB_ISBUTTONENABLED: return stateOf(s, wp, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return stateOf(s, wp, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED: return stateOf(s, wp, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN: return stateOf(s, wp, TBSTATE_HIDDEN);
    case TB_GETSTATE: { int i = indexOf(s, wp); return i < 0 ? -1 : s->buttons[static_cast<size_t>(i)].fsState; }
    case TB_SETSTATE: {
      int i = indexOf(s, wp);
      if (i < 0) return FALSE;
      s->buttons[static_cast<size_t>(i)].fsState = static_cast<BYTE>(lp);
      changed(s);
      return TRUE;
    }
    case TB_ADDBUTTONS: addButtons(s, s->buttons.size(), wp, lp); return TRUE;
    case TB_INSERTBUTTON: addButtons(s, wp, 1, lp); return TRUE;
    case TB_DELETEBUTTON:
      if (wp >= s->buttons.size()) return FALSE;
      if (s->hot == static_cast<int>(wp)) s->hot = -1;
      s->buttons.erase(s->buttons.begin() + static_cast<std::ptrdiff_t>(wp));
      changed(s);
      return TRUE;
    case TB_GETBUTTON: return getButton(s, wp, lp);
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(s->buttons.size());
    case TB_COMMANDTOINDEX: return indexOf(s, wp);
    case TB_GETITEMRECT: return itemRect(s, wp, lp);
    case TB_BUTTONSTRUCTSIZE: return 0;
    case TB_SETBUTTONSIZE: s->button = SIZE{LOWORD(static_cast<DWORD>(lp)), HIWORD(static_cast<DWORD>(lp))}; changed(s); return TRUE;
    case TB_SETBITMAPSIZE: s->image = SIZE{LOWORD(static_cast<DWORD>(lp)), HIWORD(static_cast<DWORD>(lp))}; return TRUE;
    case TB_GETBUTTONSIZE: return MAKELONG(static_cast<WORD>(s->button.cx), static_cast<WORD>(s->button.cy));
    case TB_ADDBITMAP: return addBitmap(s, wp, lp);
    case TB_SETIMAGELIST: { HIMAGELIST old = s->images; s->images = reinterpret_cast<HIMAGELIST>(lp); changed(s); return reinterpret_cast<LRESULT>(old); }
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(s->images);
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(s->tips);
    case TB_SETTOOLTIPS: s->tips = reinterpret_cast<HWND>(wp); s->ownTips = false; syncTools(s); return 0;
    case TB_SETPARENT: { HWND old = notifyWindow(s); s->notify = reinterpret_cast<HWND>(wp); return reinterpret_cast<LRESULT>(old); }
    case TB_GETHOTITEM: return s->hot;
    case TB_SETHOTITEM: { int old = s->hot; setHot(s, static_cast<int>(wp) < static_cast<int>(s->buttons.size()) ? static_cast<int>(wp) : -1, 0); return old; }
    case TB_AUTOSIZE: return 0;
    default: return 0;
  }
}

LRESULT dispatch(ToolBar* s, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= TB_ENABLEBUTTON && msg <= TB_SETHOTITEM) return toolbarMessage(s, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: create(s); return 0;
    case WM_DESTROY: destroy(s); return 0;
    case WM_PAINT: paint(s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER: if (wp == kLeaveTimer) leaveCheck(s); return 0;
    case WM_NOTIFY: return forwardNotify(s, wp, lp);
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
      return mouse(s, msg, wp, lp);
    case WM_CAPTURECHANGED:
      if (s->pressed >= 0 && reinterpret_cast<HWND>(lp) != hwnd) {
        s->buttons[static_cast<size_t>(s->pressed)].fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
        invalidateButton(s, s->pressed);
        s->pressed = -1;
      }
      return 0;
    default: return DefWindowProc(hwnd, msg, wp, lp);
  }
}

}  // namespace

// The height of a tool bar's buttons with its padding and divider.
int ToolBarHeight(HWND bar) {
  ToolBar* s = barStates().Get(bar);
  if (!s) return 0;
  return s->button.cy + 2 * kPad + ((StyleOf(bar) & CCS_NODIVIDER) ? 0 : 2);
}

void RegisterToolBarClass() {
  RegisterClassOnce(TOOLBARCLASSNAME, StatefulWindowProc<ToolBar, barStates, dispatch>, CS_DBLCLKS);
}
