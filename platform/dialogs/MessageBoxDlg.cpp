#include "platform/dialogs/MessageBoxDlg.h"

#include <algorithm>
#include <cstring>

#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/gfx/GdiObject.h"
#include "platform/host/Host.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Painting.h"
#include "platform/gfx/SysColors.h"

namespace msgbox {
namespace {

constexpr int kMargin = 12;
constexpr int kIcon = 32;
constexpr int kIconGap = 12;
constexpr int kButtonW = 75;
constexpr int kButtonH = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextW = 420;
constexpr int kTextId = 0xFFFF;
constexpr const char* kStateProp = "Kestrova.MessageBox";
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct State {
  std::string text;
  UINT type = 0;
  Layout layout;
  bool owned = false;  // freed with the window (modeless boxes)
};

DlgTemplate emptyTemplate(const char* caption) {
  DlgTemplate t;
  t.name = "MessageBox";
  t.caption = caption ? caption : "Error";
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.cx = 100;
  t.cy = 40;
  return t;
}

bool hasButton(const Layout& l, int id) {
  return std::any_of(l.buttons.begin(), l.buttons.end(), [&](const Button& b) { return b.id == id; });
}

void drawIcon(CDC* dc, const RECT& r, UINT kind) {
  if (IsRectEmpty(&r)) return;
  CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = dc->SelectObject(&outline);
  CBrush* oldBrush = nullptr;
  COLORREF mark = RGB(255, 255, 255);
  const char* glyph = "";
  if (kind == MB_ICONEXCLAMATION) {
    CBrush yellow(RGB(255, 255, 0));
    oldBrush = dc->SelectObject(&yellow);
    POINT tri[3] = {{(r.left + r.right) / 2, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left, r.bottom - 2}};
    dc->Polygon(tri, 3);
    dc->SelectObject(oldBrush);
    mark = RGB(0, 0, 0);
    glyph = "!";
  } else {
    COLORREF fill = kind == MB_ICONHAND ? RGB(255, 0, 0) : kind == MB_ICONQUESTION ? RGB(0, 0, 255) : RGB(255, 255, 255);
    CBrush brush(fill);
    oldBrush = dc->SelectObject(&brush);
    dc->Ellipse(r.left, r.top, r.right - 1, r.bottom - 1);
    dc->SelectObject(oldBrush);
    if (kind == MB_ICONHAND) glyph = "X";
    if (kind == MB_ICONQUESTION) glyph = "?";
    if (kind == MB_ICONASTERISK) {
      glyph = "i";
      mark = RGB(0, 0, 255);
    }
  }
  dc->SelectObject(oldPen);
  LOGFONT lf{};
  lf.lfHeight = -20;
  lf.lfWeight = FW_BOLD;
  std::strncpy(lf.lfFaceName, kind == MB_ICONASTERISK ? "Times New Roman" : "Arial", LF_FACESIZE - 1);
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* oldFont = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(mark);
  RECT tr = r;
  if (kind == MB_ICONEXCLAMATION) tr.top += 6;
  dc->DrawText(glyph, 1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->SelectObject(oldFont);
}

INT_PTR proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* st = reinterpret_cast<State*>(msg == WM_INITDIALOG ? lp : reinterpret_cast<LPARAM>(GetProp(h, kStateProp)));
  if (!st) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: {
      SetProp(h, kStateProp, reinterpret_cast<HANDLE>(st));
      const Layout& l = st->layout;
      RECT wr{0, 0, l.client.cx, l.client.cy};
      AdjustWindowRectEx(&wr, static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)));
      int w = wr.right - wr.left, hh = wr.bottom - wr.top;
      RECT area{0, 0, platform::GetHost().ScreenWidth(), platform::GetHost().ScreenHeight()};
      if (HWND owner = GetWindow(h, GW_OWNER); owner && IsWindowVisible(owner)) GetWindowRect(owner, &area);
      SetWindowPos(h, nullptr, area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - hh) / 2,
                   w, hh, SWP_NOZORDER | SWP_NOACTIVATE);
      HFONT font = reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0));
      HWND text = CreateWindowEx(0, WC_STATIC, st->text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 l.text.left, l.text.top, l.text.right - l.text.left, l.text.bottom - l.text.top, h,
                                 reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kTextId)), nullptr, nullptr);
      SendMessage(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      HWND def = nullptr;
      for (size_t i = 0; i < l.buttons.size(); ++i) {
        const Button& b = l.buttons[i];
        bool isDef = b.id == l.defaultId;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                      (isDef ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND c = CreateWindowEx(0, WC_BUTTON, b.label.c_str(), style, b.rect.left, b.rect.top,
                                b.rect.right - b.rect.left, b.rect.bottom - b.rect.top, h,
                                reinterpret_cast<HMENU>(static_cast<std::intptr_t>(b.id)), nullptr, nullptr);
        SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (isDef) def = c;
      }
      SendMessage(h, DM_SETDEFID, static_cast<WPARAM>(l.defaultId), 0);
      if (def) DlgSetFocus(h, def);
      MessageBeep(st->type & MB_ICONMASK);
      return FALSE;  // the focus is set
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(h, &ps);
      drawIcon(CDC::FromHandle(hdc), st->layout.icon, st->type & MB_ICONMASK);
      EndPaint(h, &ps);
      return TRUE;
    }
    case WM_COMMAND: {
      int id = LOWORD(wp);
      if (id == IDCANCEL && !hasButton(st->layout, IDCANCEL)) {
        // Esc and the close box answer a lone OK; a question without
        // Cancel must be answered.
        if (st->layout.buttons.size() == 1 && st->layout.buttons[0].id == IDOK) EndDialog(h, IDOK);
        return TRUE;
      }
      if (hasButton(st->layout, id)) EndDialog(h, id);
      return TRUE;
    }
    case WM_NCDESTROY:
      RemoveProp(h, kStateProp);
      if (st->owned) delete st;
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

std::vector<std::pair<int, std::string>> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, "OK"}};
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

Layout ComputeLayout(const std::string& text, UINT type) {
  Layout l;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(CFont::FromHandle(DialogFont("MS Sans Serif", 8)));
  // Natural width first; a text wider than the limit wraps at the limit.
  RECT tr{0, 0, kMaxTextW, 0};
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), &tr, (kTextFormat & ~DT_WORDBREAK) | DT_CALCRECT);
  if (tr.right > kMaxTextW) {
    tr = RECT{0, 0, kMaxTextW, 0};
    dc.DrawText(text.c_str(), static_cast<int>(text.size()), &tr, kTextFormat | DT_CALCRECT);
  }
  dc.SelectObject(old);
  int textW = tr.right - tr.left, textH = std::max<int>(tr.bottom - tr.top, 1);
  bool icon = (type & MB_ICONMASK) != 0;
  int x = kMargin;
  int top = kMargin;
  int bodyH = std::max(textH, icon ? kIcon : 0);
  if (icon) {
    l.icon = RECT{x, top, x + kIcon, top + kIcon};
    x += kIcon + kIconGap;
  }
  int textTop = top + (bodyH - textH) / 2;
  l.text = RECT{x, textTop, x + textW, textTop + textH};
  auto buttons = ButtonsOf(type);
  int rowW = static_cast<int>(buttons.size()) * kButtonW + static_cast<int>(buttons.size() - 1) * kButtonGap;
  int width = std::max(x + textW + kMargin, rowW + 2 * kMargin);
  width = std::max(width, 160);  // room for a caption
  int rowY = top + bodyH + kMargin + 4;
  int bx = (width - rowW) / 2;
  for (auto& [id, label] : buttons) {
    l.buttons.push_back(Button{id, label, RECT{bx, rowY, bx + kButtonW, rowY + kButtonH}});
    bx += kButtonW + kButtonGap;
  }
  l.client = SIZE{width, rowY + kButtonH + kMargin};
  size_t def = (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (type & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
  if (def >= l.buttons.size()) def = 0;
  l.defaultId = l.buttons[def].id;
  return l;
}

HWND Create(HWND owner, const char* text, const char* caption, UINT type) {
  // The state lives as long as the window: it goes with WM_NCDESTROY.
  auto* st = new State{text ? text : "", type, ComputeLayout(text ? text : "", type), true};
  DlgTemplate t = emptyTemplate(caption);
  HWND h = dlg::Create(t, owner, proc, reinterpret_cast<LPARAM>(st), nullptr, false);
  if (!h) {
    delete st;
    return nullptr;
  }
  ShowWindow(h, SW_SHOW);
  return h;
}

int Run(HWND owner, const char* text, const char* caption, UINT type) {
  State st{text ? text : "", type, ComputeLayout(text ? text : "", type)};
  DlgTemplate t = emptyTemplate(caption);
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  if (!owner) owner = dlg::DefaultOwner();
  HWND h = dlg::Create(t, owner, proc, reinterpret_cast<LPARAM>(&st), nullptr, true);
  if (!h) return 0;
  return static_cast<int>(dlg::RunModal(h, owner));
}

}  // namespace msgbox
