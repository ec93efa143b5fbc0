// The "Edit" control: single- and multi-line text editing driven wholly by
// messages. Text is Windows-1252; lines of a multi-line edit end in CR LF
// and wrap at word boundaries unless the edit scrolls horizontally.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/CtlCommon.h"
#include "platform/host/Host.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

namespace {

struct Line {
  int start = 0;
  int end = 0;  // excludes the line break
};

struct Edit {
  HWND hwnd = nullptr;
  std::string text;
  int anchor = 0, caret = 0;
  int limit = 30000;
  bool modified = false;
  char passwordChar = 0;
  std::string undoText;
  int undoAnchor = 0, undoCaret = 0;
  bool canUndo = false;
  bool typing = false;  // consecutive typing forms one undo step
  int marginL = 1, marginR = 1;
  RECT fmt{0, 0, 0, 0};
  bool fmtSet = false;
  int xOff = 0;       // pixels scrolled to the left
  int firstLine = 0;  // first visible line
  HFONT font = nullptr;
  FontInfo fi;
  bool focus = false;
  bool tracking = false;
  bool caretMade = false;
  std::vector<Line> lines{Line{}};
  bool wantV = false, wantH = false;  // bars asked for at creation
};

StateMap<Edit> g_edits;

DWORD styleOf(Edit* e) { return StyleOf(e->hwnd); }
bool multi(Edit* e) { return (styleOf(e) & ES_MULTILINE) != 0; }
bool wraps(Edit* e) {
  DWORD s = styleOf(e);
  return (s & ES_MULTILINE) && !(s & ES_AUTOHSCROLL) && !e->wantH;
}
int selMin(Edit* e) { return std::min(e->anchor, e->caret); }
int selMax(Edit* e) { return std::max(e->anchor, e->caret); }

char shown(Edit* e, int i) { return e->passwordChar && !multi(e) ? e->passwordChar : e->text[i]; }

int widthOf(Edit* e, int from, int to) {
  if (to <= from) return 0;
  if (e->passwordChar && !multi(e))
    return (to - from) * (e->fi.advance ? e->fi.advance[static_cast<unsigned char>(e->passwordChar)] : e->fi.aveWidth);
  return TextWidth(e->fi, e->text.data() + from, to - from);
}

RECT formatRect(Edit* e) {
  if (e->fmtSet) return e->fmt;
  RECT r;
  GetClientRect(e->hwnd, &r);
  r.left += e->marginL;
  r.right -= e->marginR;
  if (!multi(e) && r.bottom - r.top > e->fi.height + 1) r.top += 1;
  if (r.right < r.left) r.right = r.left;
  return r;
}

int visibleLines(Edit* e) {
  RECT f = formatRect(e);
  return std::max(1, (f.bottom - f.top) / std::max(1, e->fi.height));
}

std::vector<Line> layout(Edit* e, const std::string& text) {
  std::vector<Line> out;
  int n = static_cast<int>(text.size());
  if (!multi(e)) {
    out.push_back(Line{0, n});
    return out;
  }
  bool wrap = wraps(e);
  RECT f = formatRect(e);
  int width = std::max(1, static_cast<int>(f.right - f.left));
  int start = 0;
  while (true) {
    int brk = start;
    while (brk < n && !(text[brk] == '\r' && brk + 1 < n && text[brk + 1] == '\n')) ++brk;
    // Paragraph [start, brk): wrap into lines.
    int s = start;
    if (wrap) {
      while (true) {
        int w = 0, i = s, lastSpace = -1;
        while (i < brk) {
          int a = e->fi.advance ? e->fi.advance[static_cast<unsigned char>(text[i])] : e->fi.aveWidth;
          if (text[i] == ' ') lastSpace = i;
          if (w + a > width && text[i] != ' ' && i > s) break;
          w += a;
          ++i;
        }
        if (i >= brk) break;
        int cut = lastSpace >= s ? lastSpace + 1 : i;
        out.push_back(Line{s, cut});
        s = cut;
      }
    }
    out.push_back(Line{s, brk});
    if (brk >= n) break;
    start = brk + 2;
  }
  return out;
}

int lineOf(Edit* e, int index) {
  auto it = std::upper_bound(e->lines.begin(), e->lines.end(), index,
                             [](int v, const Line& l) { return v < l.start; });
  int li = static_cast<int>(it - e->lines.begin()) - 1;
  return std::clamp(li, 0, static_cast<int>(e->lines.size()) - 1);
}

int alignOffset(Edit* e, int li) {
  DWORD s = styleOf(e);
  if (!(s & (ES_CENTER | ES_RIGHT))) return 0;
  RECT f = formatRect(e);
  int room = (f.right - f.left) - widthOf(e, e->lines[li].start, e->lines[li].end);
  if (room <= 0) return 0;
  return (s & ES_CENTER) ? room / 2 : room;
}

POINT posFromChar(Edit* e, int index) {
  index = std::clamp(index, 0, static_cast<int>(e->text.size()));
  int li = lineOf(e, index);
  const Line& l = e->lines[li];
  RECT f = formatRect(e);
  int x = f.left + alignOffset(e, li) + widthOf(e, l.start, std::min(index, l.end)) - e->xOff;
  int y = f.top + (li - e->firstLine) * e->fi.height;
  return POINT{x, y};
}

int charFromPos(Edit* e, POINT p) {
  RECT f = formatRect(e);
  int li = e->firstLine + (p.y >= f.top ? (p.y - f.top) / std::max(1, e->fi.height) : -1);
  li = std::clamp(li, 0, static_cast<int>(e->lines.size()) - 1);
  const Line& l = e->lines[li];
  int x = f.left + alignOffset(e, li) - e->xOff;
  for (int i = l.start; i < l.end; ++i) {
    int a = widthOf(e, i, i + 1);
    if (p.x < x + (a + 1) / 2) return i;
    x += a;
  }
  // Past the end of a soft-wrapped line the caret goes before its last
  // space, so that it stays on this line.
  if (li + 1 < static_cast<int>(e->lines.size()) && e->lines[li + 1].start == l.end && l.end > l.start)
    return l.end - 1;
  return l.end;
}

void updateScrollBars(Edit* e) {
  if (e->wantV) {
    // A multi-line edit keeps its vertical bar, disabled while all the text
    // fits.
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (multi(e) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = static_cast<int>(e->lines.size()) - 1;
    si.nPage = static_cast<UINT>(visibleLines(e));
    si.nPos = e->firstLine;
    SetScrollInfo(e->hwnd, SB_VERT, &si, TRUE);
  }
  if (e->wantH) {
    int widest = 0;
    for (const Line& l : e->lines) widest = std::max(widest, widthOf(e, l.start, l.end));
    RECT f = formatRect(e);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = widest;
    si.nPage = static_cast<UINT>(std::max(1, static_cast<int>(f.right - f.left)));
    si.nPos = e->xOff;
    SetScrollInfo(e->hwnd, SB_HORZ, &si, TRUE);
  }
}

void placeCaret(Edit* e) {
  if (!e->focus) return;
  if (!e->caretMade) {
    CreateCaret(e->hwnd, nullptr, 1, e->fi.height);
    e->caretMade = true;
    ShowCaret(e->hwnd);
  }
  POINT p = posFromChar(e, e->caret);
  SetCaretPos(p.x, p.y);
}

// Brings the caret into view; true when anything scrolled.
bool scrollToCaret(Edit* e) {
  bool moved = false;
  RECT f = formatRect(e);
  int width = f.right - f.left;
  int li = lineOf(e, e->caret);
  DWORD s = styleOf(e);
  if (multi(e)) {
    int vis = visibleLines(e);
    if (li < e->firstLine) { e->firstLine = li; moved = true; }
    else if (li >= e->firstLine + vis) { e->firstLine = li - vis + 1; moved = true; }
  }
  if ((s & ES_AUTOHSCROLL) || e->wantH) {
    const Line& l = e->lines[li];
    int x = alignOffset(e, li) + widthOf(e, l.start, std::min(e->caret, l.end));
    int old = e->xOff;
    if (x - e->xOff < 0) e->xOff = std::max(0, x - width / 4);
    else if (x - e->xOff > width - 1) e->xOff = x - width + 1 + width / 4;
    // Never leave empty room at the right when the text is scrolled: once
    // the window has grown or the text has shrunk, the end of the text (of
    // its widest line) comes to the right edge at the most.
    if (e->xOff > 0) {
      int widest = 0;
      if (multi(e)) {
        for (const Line& each : e->lines) widest = std::max(widest, widthOf(e, each.start, each.end));
      } else {
        widest = widthOf(e, l.start, l.end);
      }
      if (widest - e->xOff < width - 1) e->xOff = std::max(0, widest - width + 1);
    }
    if (old != e->xOff) moved = true;
  } else if (e->xOff) {
    e->xOff = 0;
    moved = true;
  }
  if (moved) {
    InvalidateRect(e->hwnd, nullptr, FALSE);
    updateScrollBars(e);
  }
  return moved;
}

void setSel(Edit* e, int anchor, int caret, bool scroll = true) {
  int n = static_cast<int>(e->text.size());
  anchor = std::clamp(anchor, 0, n);
  caret = std::clamp(caret, 0, n);
  if (anchor != e->anchor || caret != e->caret) {
    bool hadSel = e->anchor != e->caret, hasSel = anchor != caret;
    e->anchor = anchor;
    e->caret = caret;
    if (hadSel || hasSel) InvalidateRect(e->hwnd, nullptr, FALSE);
  }
  if (scroll) scrollToCaret(e);
  placeCaret(e);
}

void relayout(Edit* e) {
  e->lines = layout(e, e->text);
  int maxFirst = std::max(0, static_cast<int>(e->lines.size()) - 1);
  e->firstLine = std::clamp(e->firstLine, 0, maxFirst);
  updateScrollBars(e);
}

std::string convertCase(Edit* e, std::string s) {
  DWORD st = styleOf(e);
  if (st & ES_UPPERCASE) for (char& c : s) c = Cp1252ToUpper(c);
  else if (st & ES_LOWERCASE) for (char& c : s) c = Cp1252ToLower(c);
  return s;
}

void syncWindowText(Edit* e) { DefWindowProc(e->hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(e->text.c_str())); }

// Replaces the selection with `ins`. Applies the case style, the text limit
// and, without automatic scrolling, the room of the formatting rectangle.
// Sends EN_MAXTEXT when not all fitted, then EN_UPDATE and EN_CHANGE.
// Returns false when nothing changed.
bool replaceSel(Edit* e, std::string ins, bool undoable, bool typed) {
  DWORD st = styleOf(e);
  if (!multi(e)) {
    size_t brk = ins.find_first_of("\r\n");
    if (brk != std::string::npos) ins.resize(brk);
  }
  ins = convertCase(e, ins);
  int a = selMin(e), b = selMax(e);
  int room = e->limit - (static_cast<int>(e->text.size()) - (b - a));
  bool truncated = false;
  if (static_cast<int>(ins.size()) > std::max(0, room)) {
    ins.resize(static_cast<size_t>(std::max(0, room)));
    if (ins.size() >= 2 && ins[ins.size() - 1] == '\r') ins.pop_back();
    truncated = true;
  }
  std::string next = e->text.substr(0, a) + ins + e->text.substr(b);
  // Without automatic scrolling the text must fit the formatting rectangle.
  if (!multi(e) && !(st & ES_AUTOHSCROLL) && !ins.empty()) {
    RECT f = formatRect(e);
    int width = f.right - f.left;
    auto fits = [&](const std::string& t) {
      int w = e->passwordChar
                  ? static_cast<int>(t.size()) *
                        (e->fi.advance ? e->fi.advance[static_cast<unsigned char>(e->passwordChar)] : e->fi.aveWidth)
                  : TextWidth(e->fi, t.data(), static_cast<int>(t.size()));
      return w <= width;
    };
    while (!ins.empty() && !fits(next)) {
      ins.pop_back();
      next = e->text.substr(0, a) + ins + e->text.substr(b);
      truncated = true;
    }
  } else if (multi(e) && !(st & ES_AUTOVSCROLL) && !e->wantV && !ins.empty()) {
    int vis = visibleLines(e);
    while (!ins.empty() && static_cast<int>(layout(e, next).size()) > vis) {
      ins.pop_back();
      if (!ins.empty() && ins.back() == '\r') ins.pop_back();
      next = e->text.substr(0, a) + ins + e->text.substr(b);
      truncated = true;
    }
  }
  if (truncated && !Notify(e->hwnd, EN_MAXTEXT)) return false;
  if (ins.empty() && a == b) return false;
  if (undoable) {
    if (!typed || !e->typing) {
      e->undoText = e->text;
      e->undoAnchor = e->anchor;
      e->undoCaret = e->caret;
      e->canUndo = true;
    }
    e->typing = typed;
  }
  e->text = std::move(next);
  e->anchor = e->caret = a + static_cast<int>(ins.size());
  e->modified = true;
  relayout(e);
  syncWindowText(e);
  scrollToCaret(e);
  InvalidateRect(e->hwnd, nullptr, FALSE);
  placeCaret(e);
  if (!Notify(e->hwnd, EN_UPDATE)) return true;
  Notify(e->hwnd, EN_CHANGE);
  return true;
}

bool readOnly(Edit* e) { return (styleOf(e) & ES_READONLY) != 0; }

void copySel(Edit* e) {
  if (selMin(e) == selMax(e) || (e->passwordChar && !multi(e))) return;
  platform::GetHost().SetClipboardText(e->text.substr(selMin(e), selMax(e) - selMin(e)));
}

void clearSel(Edit* e) {
  if (readOnly(e) || selMin(e) == selMax(e)) return;
  replaceSel(e, "", true, false);
}

void paste(Edit* e) {
  if (readOnly(e)) return;
  std::string t = platform::GetHost().GetClipboardText();
  if (t.empty()) return;
  // Lone line feeds from the desktop become CR LF.
  std::string fixed;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) fixed += '\r';
    fixed += t[i];
  }
  e->typing = false;
  replaceSel(e, fixed, true, false);
}

void undo(Edit* e) {
  if (!e->canUndo) return;
  std::string cur = e->text;
  int ca = e->anchor, cc = e->caret;
  int ua = e->undoAnchor, uc = e->undoCaret;
  e->text = e->undoText;
  e->undoText = cur;
  e->undoAnchor = ca;
  e->undoCaret = cc;
  e->typing = false;
  e->modified = true;
  relayout(e);
  syncWindowText(e);
  int n = static_cast<int>(e->text.size());
  e->anchor = std::min(e->anchor, n);
  e->caret = std::min(e->caret, n);
  setSel(e, std::min(ua, n), std::min(uc, n));
  InvalidateRect(e->hwnd, nullptr, FALSE);
  if (!Notify(e->hwnd, EN_UPDATE)) return;
  Notify(e->hwnd, EN_CHANGE);
}

int prevPos(Edit* e, int i) {
  if (i <= 0) return 0;
  if (i >= 2 && e->text[i - 1] == '\n' && e->text[i - 2] == '\r') return i - 2;
  return i - 1;
}
int nextPos(Edit* e, int i) {
  int n = static_cast<int>(e->text.size());
  if (i >= n) return n;
  if (i + 1 < n && e->text[i] == '\r' && e->text[i + 1] == '\n') return i + 2;
  return i + 1;
}
int wordLeft(Edit* e, int i) {
  i = prevPos(e, i);
  while (i > 0 && !IsWordChar(e->text[i])) i = prevPos(e, i);
  while (i > 0 && IsWordChar(e->text[i - 1])) --i;
  return i;
}
int wordRight(Edit* e, int i) {
  int n = static_cast<int>(e->text.size());
  while (i < n && IsWordChar(e->text[i])) ++i;
  while (i < n && !IsWordChar(e->text[i])) i = nextPos(e, i);
  return i;
}

int lineMove(Edit* e, int index, int delta) {
  int li = lineOf(e, index);
  int target = std::clamp(li + delta, 0, static_cast<int>(e->lines.size()) - 1);
  if (target == li) return delta < 0 ? (li == 0 ? index : index) : index;
  POINT p = posFromChar(e, index);
  RECT f = formatRect(e);
  p.y = f.top + (target - e->firstLine) * e->fi.height;
  // charFromPos works on visible rows; step the view if needed.
  int saved = e->firstLine;
  if (target < e->firstLine || target >= e->firstLine + visibleLines(e)) {
    e->firstLine = target;
    p.y = f.top;
  }
  int r = charFromPos(e, p);
  e->firstLine = saved;
  return r;
}

void keyDown(Edit* e, UINT vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  int caret = e->caret;
  bool move = true;
  int n = static_cast<int>(e->text.size());
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      if (vk == VK_UP && multi(e)) caret = lineMove(e, caret, -1);
      else if (ctrl) caret = wordLeft(e, caret);
      else if (!shift && e->anchor != e->caret) caret = selMin(e);
      else caret = prevPos(e, caret);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (vk == VK_DOWN && multi(e)) caret = lineMove(e, caret, 1);
      else if (ctrl) caret = wordRight(e, caret);
      else if (!shift && e->anchor != e->caret) caret = selMax(e);
      else caret = nextPos(e, caret);
      break;
    case VK_HOME: caret = ctrl ? 0 : e->lines[lineOf(e, caret)].start; break;
    case VK_END: caret = ctrl ? n : e->lines[lineOf(e, caret)].end; break;
    case VK_PRIOR:
    case VK_NEXT:
      if (!multi(e)) return;
      caret = lineMove(e, caret, (vk == VK_PRIOR ? -1 : 1) * visibleLines(e));
      break;
    case VK_DELETE:
      move = false;
      if (readOnly(e)) break;
      // Shift+Delete cuts a selection; without one it deletes as Delete does.
      if (shift && e->anchor != e->caret) {
        copySel(e);
        clearSel(e);
      } else if (e->anchor == e->caret) {
        if (e->caret < n) {
          e->anchor = nextPos(e, e->caret);
          replaceSel(e, "", true, false);
        }
      } else {
        replaceSel(e, "", true, false);
      }
      break;
    case VK_INSERT:
      move = false;
      if (ctrl) copySel(e);
      else if (shift) paste(e);
      break;
    default: return;
  }
  if (!move) return;
  e->typing = false;
  setSel(e, shift ? e->anchor : caret, caret);
}

void typeChar(Edit* e, unsigned char ch) {
  DWORD st = styleOf(e);
  switch (ch) {
    case 3: copySel(e); return;                               // Ctrl+C
    case 24: copySel(e); clearSel(e); return;                 // Ctrl+X
    case 22: paste(e); return;                                // Ctrl+V
    case 26: if (!readOnly(e)) undo(e); return;               // Ctrl+Z
    case 8:                                                   // Backspace
      if (readOnly(e)) { MessageBeep(0); return; }
      if (e->anchor == e->caret) {
        if (e->caret == 0) return;
        e->anchor = prevPos(e, e->caret);
      }
      replaceSel(e, "", true, true);
      return;
    case '\r':
    case '\n':
      if (!multi(e)) return;
      if (readOnly(e)) { MessageBeep(0); return; }
      replaceSel(e, "\r\n", true, true);
      return;
    case '\t':
      if (!multi(e)) return;
      if (readOnly(e)) { MessageBeep(0); return; }
      replaceSel(e, "\t", true, true);
      return;
    default: break;
  }
  if (ch < 32 || ch == 127) return;
  if (readOnly(e) || ((st & ES_NUMBER) && !(ch >= '0' && ch <= '9'))) {
    MessageBeep(0);
    return;
  }
  replaceSel(e, std::string(1, static_cast<char>(ch)), true, true);
}

void selectWordAt(Edit* e, int i) {
  int n = static_cast<int>(e->text.size());
  int a = i, b = i;
  if (i < n && IsWordChar(e->text[i])) {
    while (a > 0 && IsWordChar(e->text[a - 1])) --a;
    while (b < n && IsWordChar(e->text[b])) ++b;
  } else if (i > 0 && IsWordChar(e->text[i - 1])) {
    a = b = i - 1;
    while (a > 0 && IsWordChar(e->text[a - 1])) --a;
    while (b < n && IsWordChar(e->text[b])) ++b;
  }
  while (b < n && e->text[b] == ' ') ++b;
  setSel(e, a, b);
}

void paint(Edit* e) {
  PaintScope painting(e->hwnd);
  HDC hdc = painting.hdc;
  CDC* dc = painting.dc;
  if (!dc) return;
  DWORD st = styleOf(e);
  bool enabled = IsWindowEnabled(e->hwnd) != FALSE;
  UINT colorMsg = (!enabled || (st & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  dc->SelectObject(e->font ? e->font : DefaultFont());
  HBRUSH brush = CtlColor(e->hwnd, hdc, colorMsg);
  RECT client;
  GetClientRect(e->hwnd, &client);
  FillBrush(dc, client, brush);
  COLORREF textColor = enabled ? dc->GetTextColor() : GetSysColor(COLOR_GRAYTEXT);
  RECT f = formatRect(e);
  int saved = dc->SaveDC();
  dc->IntersectClipRect(&f);
  dc->SetBkMode(TRANSPARENT);
  bool showSel = (e->focus || (st & ES_NOHIDESEL)) && e->anchor != e->caret;
  int sa = selMin(e), sb = selMax(e);
  int vis = visibleLines(e) + 1;
  int last = std::min(static_cast<int>(e->lines.size()), e->firstLine + vis);
  std::string buf;
  for (int li = e->firstLine; li < last; ++li) {
    const Line& l = e->lines[li];
    int y = f.top + (li - e->firstLine) * e->fi.height;
    int x = f.left + alignOffset(e, li) - e->xOff;
    // Skip the characters left of the view.
    int i = l.start;
    while (i < l.end) {
      int a = widthOf(e, i, i + 1);
      if (x + a >= f.left) break;
      x += a;
      ++i;
    }
    int j = i, xe = x;
    while (j < l.end && xe <= f.right) {
      xe += widthOf(e, j, j + 1);
      ++j;
    }
    // Runs: before, inside and after the selection.
    int cuts[4] = {i, std::clamp(showSel ? sa : j, i, j), std::clamp(showSel ? sb : j, i, j), j};
    int cx = x;
    for (int k = 0; k < 3; ++k) {
      int from = cuts[k], to = std::max(cuts[k], cuts[k + 1]);
      if (k == 2) from = std::max(from, cuts[2]);
      if (to <= from) continue;
      int w = widthOf(e, from, to);
      bool selected = k == 1;
      if (selected) {
        RECT sr{cx, y, cx + w, y + e->fi.height};
        dc->FillSolidRect(&sr, GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        dc->SetTextColor(textColor);
      }
      buf.clear();
      for (int c = from; c < to; ++c) buf += (e->text[c] == '\t') ? ' ' : shown(e, c);
      dc->TextOut(cx, y, buf.c_str(), static_cast<int>(buf.size()));
      cx += w;
    }
    // A selected line break shows as a small highlighted cell.
    if (showSel && sa <= l.end && sb > l.end && li + 1 < static_cast<int>(e->lines.size())) {
      RECT sr{cx, y, cx + e->fi.aveWidth / 2 + 1, y + e->fi.height};
      dc->FillSolidRect(&sr, GetSysColor(COLOR_HIGHLIGHT));
    }
  }
  dc->RestoreDC(saved);
}

void scrollLines(Edit* e, int dLines, int dPixels) {
  int maxFirst = std::max(0, static_cast<int>(e->lines.size()) - 1);
  int nf = multi(e) ? std::clamp(e->firstLine + dLines, 0, maxFirst) : 0;
  int nx = std::max(0, e->xOff + dPixels);
  if (nf == e->firstLine && nx == e->xOff) return;
  e->firstLine = nf;
  e->xOff = nx;
  InvalidateRect(e->hwnd, nullptr, FALSE);
  updateScrollBars(e);
  placeCaret(e);
}

LRESULT onCreate(Edit* e, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
    e->text = convertCase(e, cs->lpszName);
    syncWindowText(e);
  }
  relayout(e);
  return 0;
}

LRESULT onNcDestroy(Edit* e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (e->caretMade) DestroyCaret();
  g_edits.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onGetDlgCode(Edit*, HWND hwnd, UINT, WPARAM, LPARAM) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  DWORD st = StyleOf(hwnd);
  if ((st & ES_MULTILINE) && (st & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
  if (HWND combo = ComboOfEdit(hwnd); combo && ComboDropped(combo)) code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT onSetText(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const char* t = reinterpret_cast<const char*>(lParam);
  e->text = convertCase(e, t ? t : "");
  e->anchor = e->caret = 0;
  e->xOff = 0;
  e->firstLine = 0;
  e->modified = false;
  e->canUndo = false;
  e->typing = false;
  relayout(e);
  syncWindowText(e);
  InvalidateRect(hwnd, nullptr, FALSE);
  placeCaret(e);
  if (Notify(hwnd, EN_UPDATE)) Notify(hwnd, EN_CHANGE);
  return TRUE;
}

LRESULT onGetText(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  char* buf = reinterpret_cast<char*>(lParam);
  int max = static_cast<int>(wParam);
  if (!buf || max <= 0) return 0;
  int n = std::min(static_cast<int>(e->text.size()), max - 1);
  std::memcpy(buf, e->text.data(), static_cast<size_t>(n));
  buf[n] = 0;
  return n;
}

LRESULT onGetTextLength(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<LRESULT>(e->text.size());
}

LRESULT onSetFont(Edit* e, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  e->font = reinterpret_cast<HFONT>(wParam);
  e->fi = Measure(e->font);
  relayout(e);
  if (e->caretMade) {
    DestroyCaret();
    e->caretMade = false;
    placeCaret(e);
  }
  if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT onGetFont(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(e->font ? e->font : DefaultFont());
}

LRESULT onSize(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM) {
  relayout(e);
  scrollToCaret(e);
  placeCaret(e);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT onStyleChanged(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM) {
  relayout(e);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT onEraseBkgnd(Edit*, HWND, UINT, WPARAM, LPARAM) {
  return 1;
}

LRESULT onPaint(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  paint(e);
  return 0;
}

LRESULT onSetFocus(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM) {
  e->focus = true;
  placeCaret(e);
  if (e->anchor != e->caret) InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, EN_SETFOCUS);
  return 0;
}

LRESULT onKillFocus(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM) {
  e->focus = false;
  e->tracking = false;
  if (e->caretMade) {
    DestroyCaret();
    e->caretMade = false;
  }
  if (e->anchor != e->caret) InvalidateRect(hwnd, nullptr, FALSE);
  Notify(hwnd, EN_KILLFOCUS);
  return 0;
}

LRESULT onKeyDown(Edit* e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (HWND combo = ComboOfEdit(hwnd)) {
    if (ComboEditKey(combo, msg, static_cast<UINT>(wParam)) || !g_edits.Get(hwnd)) return 0;
  }
  if (msg == WM_SYSKEYDOWN) return DefWindowProc(hwnd, msg, wParam, lParam);
  keyDown(e, static_cast<UINT>(wParam));
  return 0;
}

LRESULT onChar(Edit* e, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  // Enter and Escape that closed a dropped list are not typed.
  if ((wParam == '\r' || wParam == 27) && ComboOfEdit(hwnd)) return 0;
  typeChar(e, static_cast<unsigned char>(wParam)); return 0;
}

LRESULT onLButtonDown(Edit* e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!g_edits.Get(hwnd)) return 0;
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int i = charFromPos(e, p);
  e->typing = false;
  if (msg == WM_LBUTTONDBLCLK) selectWordAt(e, i);
  else setSel(e, (wParam & MK_SHIFT) ? e->anchor : i, i);
  SetCapture(hwnd);
  e->tracking = true;
  return 0;
}

LRESULT onMouseMove(Edit* e, HWND, UINT, WPARAM, LPARAM lParam) {
  if (e->tracking) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT f = formatRect(e);
    if (multi(e) && p.y < f.top) scrollLines(e, -1, 0);
    else if (multi(e) && p.y >= f.bottom) scrollLines(e, 1, 0);
    setSel(e, e->anchor, charFromPos(e, p));
  }
  return 0;
}

LRESULT onLButtonUp(Edit* e, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (e->tracking) {
    e->tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  return 0;
}

LRESULT onCaptureChanged(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  e->tracking = false;
  return 0;
}

LRESULT onSetCursor(Edit*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
    SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onVScroll(Edit* e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  bool vert = msg == WM_VSCROLL;
  int code = LOWORD(wParam);
  int page = vert ? visibleLines(e) : std::max(1, static_cast<int>(formatRect(e).right - formatRect(e).left));
  int step = vert ? 1 : e->fi.aveWidth;
  int d = 0;
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, vert ? SB_VERT : SB_HORZ, &si);
  int cur = vert ? e->firstLine : e->xOff;
  switch (code) {
    case SB_LINEUP: d = -step; break;
    case SB_LINEDOWN: d = step; break;
    case SB_PAGEUP: d = -page; break;
    case SB_PAGEDOWN: d = page; break;
    case SB_TOP: d = -cur; break;
    case SB_BOTTOM: d = vert ? static_cast<int>(e->lines.size()) : 1 << 20; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: d = si.nTrackPos - cur; break;
    default: return 0;
  }
  if (vert) scrollLines(e, d, 0);
  else scrollLines(e, 0, d);
  if (vert && !e->lines.empty()) {
    int maxFirst = std::max(0, static_cast<int>(e->lines.size()) - visibleLines(e));
    if (e->firstLine > maxFirst) scrollLines(e, maxFirst - e->firstLine, 0);
  }
  Notify(hwnd, vert ? EN_VSCROLL : EN_HSCROLL);
  return 0;
}

LRESULT onMouseWheel(Edit* e, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!multi(e)) return DefWindowProc(hwnd, msg, wParam, lParam);
  int delta = static_cast<short>(HIWORD(wParam));
  scrollLines(e, -(delta / WHEEL_DELTA) * 3, 0);
  return 0;
}

LRESULT onCut(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  copySel(e);
  clearSel(e);
  return 0;
}

LRESULT onCopy(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  copySel(e);
  return 0;
}

LRESULT onPaste(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  paste(e);
  return 0;
}

LRESULT onClear(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  clearSel(e);
  return 0;
}

LRESULT onUndo(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  bool could = e->canUndo;
  undo(e);
  return could;
}

// ---- EM_ messages ----
LRESULT emGetSel(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  DWORD a = static_cast<DWORD>(selMin(e)), b = static_cast<DWORD>(selMax(e));
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = a;
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = b;
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min<DWORD>(a, 0xFFFF)),
                                       static_cast<WORD>(std::min<DWORD>(b, 0xFFFF))));
}

LRESULT emSetSel(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int a = static_cast<int>(static_cast<LONG>(wParam)), b = static_cast<int>(static_cast<LONG>(lParam));
  int n = static_cast<int>(e->text.size());
  e->typing = false;
  if (a == -1) {
    setSel(e, e->caret, e->caret);
    return 0;
  }
  if (b < 0 || b > n) b = n;
  if (a < 0 || a > n) a = n;
  setSel(e, a, b);
  return 0;
}

LRESULT emReplaceSel(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  const char* t = reinterpret_cast<const char*>(lParam);
  e->typing = false;
  replaceSel(e, t ? t : "", wParam != 0, false);
  return 0;
}

LRESULT emLimitText(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int v = static_cast<int>(static_cast<LONG>(wParam));
  e->limit = v <= 0 ? (multi(e) ? 0x7FFFFFFE : 0x7FFFFFFE) : v;
  return 0;
}

LRESULT emGetLimitText(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return e->limit;
}

LRESULT emGetRect(Edit* e, HWND, UINT, WPARAM, LPARAM lParam) {
  if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect(e);
  return 0;
}

LRESULT emSetRect(Edit* e, HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
  if (lParam) {
    e->fmt = *reinterpret_cast<const RECT*>(lParam);
    e->fmtSet = true;
  } else {
    e->fmtSet = false;
  }
  relayout(e);
  scrollToCaret(e);
  placeCaret(e);
  if (msg == EM_SETRECT) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT emSetMargins(Edit* e, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  if (wParam & EC_LEFTMARGIN) e->marginL = LOWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO ? 1 : LOWORD(static_cast<std::uintptr_t>(lParam));
  if (wParam & EC_RIGHTMARGIN) e->marginR = HIWORD(static_cast<std::uintptr_t>(lParam)) == EC_USEFONTINFO ? 1 : HIWORD(static_cast<std::uintptr_t>(lParam));
  relayout(e);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT emGetMargins(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return MAKELONG(static_cast<WORD>(e->marginL), static_cast<WORD>(e->marginR));
}

LRESULT emGetLineCount(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<LRESULT>(e->lines.size());
}

LRESULT emLineIndex(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int li = static_cast<int>(static_cast<LONG>(wParam));
  if (li == -1) li = lineOf(e, e->caret);
  if (li < 0 || li >= static_cast<int>(e->lines.size())) return -1;
  return e->lines[li].start;
}

LRESULT emLineFromChar(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0) i = selMin(e);
  return lineOf(e, i);
}

LRESULT emLineLength(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0) {
    // The characters of the selected lines that are not selected.
    int la = lineOf(e, selMin(e)), lb = lineOf(e, selMax(e));
    return (selMin(e) - e->lines[la].start) + (e->lines[lb].end - std::min(selMax(e), e->lines[lb].end));
  }
  const Line& l = e->lines[lineOf(e, i)];
  return l.end - l.start;
}

LRESULT emGetLine(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int li = static_cast<int>(static_cast<LONG>(wParam));
  char* buf = reinterpret_cast<char*>(lParam);
  if (!buf || li < 0 || li >= static_cast<int>(e->lines.size())) return 0;
  WORD max;
  std::memcpy(&max, buf, sizeof max);
  const Line& l = e->lines[li];
  int n = std::min(l.end - l.start, static_cast<int>(max));
  std::memcpy(buf, e->text.data() + l.start, static_cast<size_t>(n));
  if (n < max) buf[n] = 0;
  return n;
}

LRESULT emLineScroll(Edit* e, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  scrollLines(e, static_cast<int>(static_cast<LONG>(lParam)), static_cast<int>(static_cast<LONG>(wParam)) * e->fi.aveWidth);
  return multi(e) ? TRUE : FALSE;
}

LRESULT emScroll(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int d = 0;
  switch (wParam) {
    case SB_LINEUP: d = -1; break;
    case SB_LINEDOWN: d = 1; break;
    case SB_PAGEUP: d = -visibleLines(e); break;
    case SB_PAGEDOWN: d = visibleLines(e); break;
    default: return FALSE;
  }
  int before = e->firstLine;
  scrollLines(e, d, 0);
  return MAKELONG(static_cast<WORD>(e->firstLine - before), 1);
}

LRESULT emGetFirstVisibleLine(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return multi(e) ? e->firstLine : 0;
}

LRESULT emScrollCaret(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  scrollToCaret(e);
  placeCaret(e);
  return TRUE;
}

LRESULT emGetModify(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return e->modified;
}

LRESULT emSetModify(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  e->modified = wParam != 0;
  return 0;
}

LRESULT emCanUndo(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return e->canUndo;
}

LRESULT emEmptyUndoBuffer(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  e->canUndo = false;
  e->typing = false;
  e->undoText.clear();
  return 0;
}

LRESULT emSetReadOnly(Edit*, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  DWORD st = StyleOf(hwnd);
  SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? (st | ES_READONLY) : (st & ~ES_READONLY)));
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT emSetPasswordChar(Edit* e, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (multi(e)) return 0;
  e->passwordChar = static_cast<char>(wParam);
  {
    DWORD st = StyleOf(hwnd);
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? (st | ES_PASSWORD) : (st & ~ES_PASSWORD)));
  }
  relayout(e);
  scrollToCaret(e);
  placeCaret(e);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT emGetPasswordChar(Edit* e, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<unsigned char>(e->passwordChar);
}

LRESULT emPosFromChar(Edit* e, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i > static_cast<int>(e->text.size())) return -1;
  POINT p = posFromChar(e, i);
  return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

LRESULT emCharFromPos(Edit* e, HWND, UINT, WPARAM, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int i = charFromPos(e, p);
  return MAKELONG(static_cast<WORD>(i), static_cast<WORD>(lineOf(e, i)));
}

LRESULT emSetTabStops(Edit*, HWND, UINT, WPARAM, LPARAM) {
  return TRUE;
}

LRESULT emFmtLines(Edit*, HWND, UINT, WPARAM wParam, LPARAM) {
  return wParam != 0;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<Edit>& editProcHandlers() {
  static const wnd::HandlerTable<Edit> table = {
      {WM_CREATE, &onCreate},
      {WM_NCDESTROY, &onNcDestroy},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_SETTEXT, &onSetText},
      {WM_GETTEXT, &onGetText},
      {WM_GETTEXTLENGTH, &onGetTextLength},
      {WM_SETFONT, &onSetFont},
      {WM_GETFONT, &onGetFont},
      {WM_SIZE, &onSize},
      {WM_STYLECHANGED, &onStyleChanged},
      {WM_ENABLE, &onStyleChanged},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_KEYDOWN, &onKeyDown},
      {WM_SYSKEYDOWN, &onKeyDown},
      {WM_CHAR, &onChar},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_LBUTTONDBLCLK, &onLButtonDown},
      {WM_MOUSEMOVE, &onMouseMove},
      {WM_LBUTTONUP, &onLButtonUp},
      {WM_CAPTURECHANGED, &onCaptureChanged},
      {WM_SETCURSOR, &onSetCursor},
      {WM_VSCROLL, &onVScroll},
      {WM_HSCROLL, &onVScroll},
      {WM_MOUSEWHEEL, &onMouseWheel},
      {WM_CUT, &onCut},
      {WM_COPY, &onCopy},
      {WM_PASTE, &onPaste},
      {WM_CLEAR, &onClear},
      {WM_UNDO, &onUndo},
      {EM_UNDO, &onUndo},
      {EM_GETSEL, &emGetSel},
      {EM_SETSEL, &emSetSel},
      {EM_REPLACESEL, &emReplaceSel},
      {EM_LIMITTEXT, &emLimitText},
      {EM_GETLIMITTEXT, &emGetLimitText},
      {EM_GETRECT, &emGetRect},
      {EM_SETRECT, &emSetRect},
      {EM_SETRECTNP, &emSetRect},
      {EM_SETMARGINS, &emSetMargins},
      {EM_GETMARGINS, &emGetMargins},
      {EM_GETLINECOUNT, &emGetLineCount},
      {EM_LINEINDEX, &emLineIndex},
      {EM_LINEFROMCHAR, &emLineFromChar},
      {EM_LINELENGTH, &emLineLength},
      {EM_GETLINE, &emGetLine},
      {EM_LINESCROLL, &emLineScroll},
      {EM_SCROLL, &emScroll},
      {EM_GETFIRSTVISIBLELINE, &emGetFirstVisibleLine},
      {EM_SCROLLCARET, &emScrollCaret},
      {EM_GETMODIFY, &emGetModify},
      {EM_SETMODIFY, &emSetModify},
      {EM_CANUNDO, &emCanUndo},
      {EM_EMPTYUNDOBUFFER, &emEmptyUndoBuffer},
      {EM_SETREADONLY, &emSetReadOnly},
      {EM_SETPASSWORDCHAR, &emSetPasswordChar},
      {EM_GETPASSWORDCHAR, &emGetPasswordChar},
      {EM_POSFROMCHAR, &emPosFromChar},
      {EM_CHARFROMPOS, &emCharFromPos},
      {EM_SETTABSTOPS, &emSetTabStops},
      {EM_FMTLINES, &emFmtLines},
  };
  return table;
}

LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Edit* e = g_edits.Get(hwnd);
  if (msg == WM_NCCREATE) {
    e = g_edits.Make(hwnd);
    e->hwnd = hwnd;
    e->fi = Measure(nullptr);
    if (StyleOf(hwnd) & ES_PASSWORD) e->passwordChar = '*';
    if (StyleOf(hwnd) & ES_MULTILINE) e->limit = 0x7FFFFFFE;
    BarsAskedFor(lParam, &e->wantV, &e->wantH);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!e) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (LRESULT r = 0; HandleScrollBarFrame(hwnd, msg, wParam, lParam, &r)) return r;
  if (LRESULT r = 0; wnd::Dispatch(editProcHandlers(), e, hwnd, msg, wParam, lParam, &r)) return r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

WNDPROC EditWindowProc() { return &editProc; }
