// The status-bar control ("msctls_statusbar32"): a row of parts along the
// bottom of its parent, each with a text drawn in a sunken frame. WM_SETTEXT
// sets the first part, which is where a frame shows its prompts.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/CtlCommon.h"
#include "platform/commctrl/ControlClass.h"
#include "platform/framework/BarDefs.h"

using namespace ctl;

namespace {

constexpr int kTopGap = 2;    // face above the parts
constexpr int kPartGap = 2;   // face between parts
constexpr int kTextIndent = 3;

struct Part {
  int right = -1;  // right edge in client coordinates, -1 to the end
  UINT flags = 0;  // SBT_
  std::string text;
};

struct StatusBar {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  std::vector<Part> parts{Part{}};
  bool simple = false;
  std::string simpleText;
  int minHeight = 0;
};

StateMap<StatusBar>& barStates() {
  static StateMap<StatusBar> map;
  return map;
}

int textHeight(StatusBar* s) { return Measure(s->font ? s->font : DefaultFont()).height; }

// The bar's height: the text with a frame and a margin, at least the minimum.
int barHeight(StatusBar* s) { return std::max(s->minHeight, textHeight(s) + 2 * 2 + kTopGap + 3); }

RECT partRect(StatusBar* s, int index) {
  RECT c;
  GetClientRect(s->hwnd, &c);
  int left = 0;
  for (int i = 0; i < index; ++i) {
    int r = s->parts[static_cast<size_t>(i)].right;
    left = (r < 0 ? c.right : r) + kPartGap;
  }
  int right = s->parts[static_cast<size_t>(index)].right;
  return RECT{left, c.top + kTopGap, right < 0 ? c.right : std::min<int>(right, c.right), c.bottom};
}

void drawPart(CDC* dc, RECT r, const std::string& text, UINT flags) {
  if (!(flags & SBT_NOBORDERS))
    dc->DrawEdge(&r, (flags & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  r.left += kTextIndent;
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  // A tab moves the rest of the text to the centre, a second one to the right.
  std::vector<std::string> pieces{""};
  for (char ch : text) {
    if (ch == '\t' && pieces.size() < 3) pieces.emplace_back();
    else pieces.back() += ch;
  }
  const UINT align[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  for (size_t i = 0; i < pieces.size(); ++i)
    dc->DrawText(pieces[i].c_str(), static_cast<int>(pieces[i].size()), &r,
                 align[i] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paint(StatusBar* s) {
  PaintScope painting(s->hwnd);
  CDC* dc = painting.dc;
  if (!dc) return;
  RECT c = FillClient(dc, s->hwnd, COLOR_3DFACE);
  dc->SelectObject(s->font ? s->font : DefaultFont());
  if (s->simple) {
    drawPart(dc, RECT{0, c.top + kTopGap, c.right, c.bottom}, s->simpleText, 0);
    return;
  }
  for (size_t i = 0; i < s->parts.size(); ++i)
    drawPart(dc, partRect(s, static_cast<int>(i)), s->parts[i].text, s->parts[i].flags);
}

void invalidatePart(StatusBar* s, int index) {
  RECT r = s->simple ? RECT{0, 0, 0, 0} : partRect(s, index);
  InvalidateRect(s->hwnd, s->simple ? nullptr : &r, TRUE);
}

LRESULT setText(StatusBar* s, WPARAM wp, LPARAM lp) {
  const int index = static_cast<int>(wp & 0xFF);
  const char* text = reinterpret_cast<const char*>(lp);
  if (index == 255) {
    s->simpleText = text ? text : "";
    if (s->simple) InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
  }
  if (index >= static_cast<int>(s->parts.size())) return FALSE;
  Part& p = s->parts[static_cast<size_t>(index)];
  p.text = text ? text : "";
  p.flags = static_cast<UINT>(wp) & 0xFF00u;
  if (!s->simple) invalidatePart(s, index);
  return TRUE;
}

LRESULT getText(StatusBar* s, WPARAM wp, LPARAM lp, bool lengthOnly) {
  const size_t index = wp & 0xFF;
  if (index >= s->parts.size()) return 0;
  const Part& p = s->parts[index];
  if (!lengthOnly && lp) {
    // The caller's buffer holds the text and its terminator.
    char* out = reinterpret_cast<char*>(lp);
    std::copy(p.text.begin(), p.text.end(), out);
    out[p.text.size()] = '\0';
  }
  return MAKELONG(static_cast<WORD>(p.text.size()), static_cast<WORD>(p.flags));
}

LRESULT setParts(StatusBar* s, WPARAM count, LPARAM lp) {
  const int* rights = reinterpret_cast<const int*>(lp);
  if (count == 0 || count > 256 || !rights) return FALSE;
  s->parts.resize(count);
  for (size_t i = 0; i < count; ++i) s->parts[i].right = rights[i];
  InvalidateRect(s->hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT getParts(StatusBar* s, WPARAM count, LPARAM lp) {
  int* out = reinterpret_cast<int*>(lp);
  for (size_t i = 0; out && i < std::min<size_t>(count, s->parts.size()); ++i) out[i] = s->parts[i].right;
  return static_cast<LRESULT>(s->parts.size());
}

LRESULT getRect(StatusBar* s, WPARAM index, LPARAM lp) {
  auto* out = reinterpret_cast<RECT*>(lp);
  if (!out || index >= s->parts.size()) return FALSE;
  *out = partRect(s, static_cast<int>(index));
  return TRUE;
}

// A bar without CCS_NORESIZE places itself along its parent's bottom.
void alignToParent(StatusBar* s) {
  if (StyleOf(s->hwnd) & (CCS_NORESIZE | CCS_NOPARENTALIGN)) return;
  HWND parent = GetParent(s->hwnd);
  if (!parent) return;
  RECT pc;
  GetClientRect(parent, &pc);
  const int h = barHeight(s);
  MoveWindow(s->hwnd, 0, pc.bottom - h, pc.right, h, TRUE);
}

LRESULT dispatch(StatusBar* s, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: alignToParent(s); return 0;
    case WM_PAINT: paint(s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wp); if (lp) InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: setText(s, 0, lp); return DefWindowProc(hwnd, msg, wp, lp);
    case SB_SETTEXT: return setText(s, wp, lp);
    case SB_GETTEXT: return getText(s, wp, lp, false);
    case SB_GETTEXTLENGTH: return getText(s, wp, lp, true);
    case SB_SETPARTS: return setParts(s, wp, lp);
    case SB_GETPARTS: return getParts(s, wp, lp);
    case SB_GETRECT: return getRect(s, wp, lp);
    case SB_SETMINHEIGHT: s->minHeight = static_cast<int>(wp); return 0;
    case SB_SIMPLE: s->simple = wp != 0; InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case SB_ISSIMPLE: return s->simple;
    case SB_GETBORDERS: {
      if (int* b = reinterpret_cast<int*>(lp)) b[0] = 0, b[1] = kTopGap, b[2] = kPartGap;
      return TRUE;
    }
    default: return DefWindowProc(hwnd, msg, wp, lp);
  }
}

}  // namespace

// The height a status bar with this font needs (CStatusBar's layout).
int StatusBarHeight(HWND bar) {
  StatusBar* s = barStates().Get(bar);
  return s ? barHeight(s) : 0;
}

void RegisterStatusBarClass() {
  RegisterClassOnce(STATUSCLASSNAME, StatefulWindowProc<StatusBar, barStates, dispatch>, CS_DBLCLKS);
}
