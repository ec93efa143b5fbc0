// The rich edit control: a multi-line edit whose characters carry their own
// format and whose paragraphs carry an alignment. It lays its text out in
// lines wrapped at words (at the window, or at the line width its target
// device asked for), draws it on its own window or on any device through
// EM_FORMATRANGE, and exchanges text through the rich text subset.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Kernel.h"
#include "platform/controls/CtlCommon.h"
#include "platform/controls/CtlRichEdit.h"
#include "platform/controls/RichText.h"
#include "platform/gfx/GdiObject.h"
#include "platform/host/Keys.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

UINT RichTextClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormat("Rich Text Format");
  return format;
}

namespace {

constexpr int kMarginX = 1;
constexpr long kDefaultLimit = 32767;  // typing stops here unless told otherwise
constexpr const char* kDefaultFace = "Arial";
constexpr int kDefaultHalfPoints = 20;

// Fonts of one drawing or measuring pass, made for a resolution (logical
// units per inch) and deleted with the pass.
class Fonts {
 public:
  Fonts(CDC* dc, int res) : dc_(dc), res_(std::max(res, 1)) {}
  ~Fonts() {
    for (auto& [key, font] : fonts_) DeleteObject(font.handle);
  }
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  struct Font {
    HFONT handle = nullptr;
    int height = 0, ascent = 0;
  };
  // Selects the font of a (resolved) format into the DC.
  const Font& Select(const RtfCharFormat& f) {
    std::string key = f.face;
    key += static_cast<char>('0' + (f.bold ? 1 : 0) + (f.italic ? 2 : 0) + (f.underline ? 4 : 0));
    key += std::to_string(f.halfPoints);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
      LOGFONT lf;
      lf.lfHeight = -MulDiv(f.halfPoints, res_, 144);
      lf.lfWeight = f.bold ? 700 : 400;
      lf.lfItalic = f.italic ? 1 : 0;
      lf.lfUnderline = f.underline ? 1 : 0;
      std::strncpy(lf.lfFaceName, f.face.c_str(), LF_FACESIZE - 1);
      Font font;
      font.handle = CreateFontIndirect(&lf);
      dc_->SelectObject(static_cast<HGDIOBJ>(font.handle));
      TEXTMETRIC tm{};
      dc_->GetTextMetrics(&tm);
      font.height = tm.tmHeight;
      font.ascent = tm.tmAscent;
      it = fonts_.emplace(key, font).first;
    }
    if (current_ != it->second.handle) dc_->SelectObject(static_cast<HGDIOBJ>(it->second.handle));
    current_ = it->second.handle;
    return it->second;
  }
  int Res() const { return res_; }
  CDC* Dc() const { return dc_; }

 private:
  CDC* dc_;
  int res_;
  HFONT current_ = nullptr;
  std::map<std::string, Font> fonts_;
};

struct Line {
  int start = 0, end = 0;  // end excludes the paragraph end
  int y = 0, height = 0, ascent = 0;
  int x = 0;               // alignment offset
  std::vector<int> edges;  // x of each character's left edge, and of the end
};

struct Rich {
  HWND hwnd = nullptr;
  RichText text;
  RtfCharFormat defaults{false, false, false, kDefaultFace, kDefaultHalfPoints, RtfCharFormat::kAutoColour};
  std::optional<RtfCharFormat> typingFormat;  // set on an empty selection, until the caret moves
  int anchor = 0, caret = 0;
  bool modified = false;
  long limit = kDefaultLimit;
  DWORD events = ENM_NONE, options = 0;
  bool sysBackground = true;
  COLORREF background = 0;
  long lineWidth = 0;  // twips; 0 wraps at the window
  int scrollY = 0;
  bool focus = false, tracking = false, caretMade = false;
  bool swallowChar = false;  // the character of a Ctrl shortcut the window took
  int caretHeight = 0;
  std::vector<Line> lines;
  int contentHeight = 0;
  int requestedHeight = -1;
};

StateMap<Rich> g_riches;

int selMin(const Rich* r) { return std::min(r->anchor, r->caret); }
int selMax(const Rich* r) { return std::max(r->anchor, r->caret); }
bool readOnly(const Rich* r) { return (StyleOf(r->hwnd) & ES_READONLY) != 0; }

RtfCharFormat resolved(const Rich* r, RtfCharFormat f) {
  if (f.face.empty()) f.face = r->defaults.face;
  if (f.halfPoints <= 0) f.halfPoints = r->defaults.halfPoints;
  if (f.colour == RtfCharFormat::kAutoColour) f.colour = r->defaults.colour;
  return f;
}

// Lays the text out `width` units wide with fonts at the pass's resolution.
std::vector<Line> layout(const Rich* r, Fonts& fonts, int width) {
  std::vector<Line> lines;
  const std::string& chars = r->text.Chars();
  const int n = r->text.Length();
  const int tabStop = std::max(fonts.Res() / 2, 1);
  CDC* dc = fonts.Dc();
  int y = 0;
  int ps = 0;
  for (int p = 0; p < r->text.ParagraphCount(); ++p) {
    int pe = ps;
    while (pe < n && chars[static_cast<size_t>(pe)] != '\r') ++pe;
    std::vector<int> adv(static_cast<size_t>(pe - ps));
    int i = ps;
    do {
      Line line;
      line.start = i;
      int x = 0, breakAt = -1;
      std::vector<int> edges{0};
      while (i < pe) {
        const char c = chars[static_cast<size_t>(i)];
        int w = 0;
        if (c == '\t') {
          w = tabStop - x % tabStop;
        } else {
          fonts.Select(resolved(r, r->text.FormatAt(i)));
          w = dc->GetTextExtent(&c, 1).cx;
        }
        if (c != ' ' && x + w > width && i > line.start) {
          if (breakAt > line.start) {
            i = breakAt;
            edges.resize(static_cast<size_t>(i - line.start) + 1);
          }
          break;
        }
        x += w;
        edges.push_back(x);
        ++i;
        if (c == ' ') breakAt = i;
      }
      line.end = i;
      line.edges = std::move(edges);
      // The line is as high as its tallest font; an empty one as its end's.
      for (int k = line.start; k < std::max(line.end, line.start + 1) && k <= std::max(n - 1, 0); ++k) {
        const int at = n == 0 ? -1 : std::min(k, n - 1);
        const Fonts::Font& f = fonts.Select(resolved(r, at < 0 ? RtfCharFormat() : r->text.FormatAt(at)));
        line.height = std::max(line.height, f.height);
        line.ascent = std::max(line.ascent, f.ascent);
      }
      if (line.height == 0) {
        const Fonts::Font& f = fonts.Select(resolved(r, RtfCharFormat()));
        line.height = f.height;
        line.ascent = f.ascent;
      }
      // Trailing spaces do not count for the alignment.
      int used = line.edges.back();
      for (int k = line.end; k > line.start && chars[static_cast<size_t>(k - 1)] == ' '; --k)
        used = line.edges[static_cast<size_t>(k - 1 - line.start)];
      const RtfAlign align = r->text.AlignOf(p);
      if (align == RtfAlign::kRight) line.x = std::max(0, width - used);
      if (align == RtfAlign::kCenter) line.x = std::max(0, (width - used) / 2);
      line.y = y;
      y += line.height;
      lines.push_back(std::move(line));
    } while (i < pe);
    ps = pe + 1;
  }
  return lines;
}

int lineOf(const std::vector<Line>& lines, int pos) {
  int found = 0;
  for (size_t k = 0; k < lines.size(); ++k)
    if (lines[k].start <= pos) found = static_cast<int>(k);
  return found;
}

int xOf(const Line& line, int pos) {
  const int k = std::clamp(pos - line.start, 0, static_cast<int>(line.edges.size()) - 1);
  return line.x + line.edges[static_cast<size_t>(k)];
}

int posAtX(const Line& line, int x) {
  for (size_t k = 0; k + 1 < line.edges.size(); ++k)
    if (x < line.x + (line.edges[k] + line.edges[k + 1]) / 2) return line.start + static_cast<int>(k);
  return line.end;
}

// Draws lines [first, last) with their tops at `top` + line.y - shift.
void drawLines(const Rich* r, Fonts& fonts, const std::vector<Line>& lines, size_t first, size_t last, int left,
               int top, int shift, bool showSel) {
  CDC* dc = fonts.Dc();
  dc->SetBkMode(TRANSPARENT);
  const std::string& chars = r->text.Chars();
  const int sa = selMin(r), sb = selMax(r);
  for (size_t li = first; li < last; ++li) {
    const Line& line = lines[li];
    const int y = top + line.y - shift;
    int i = line.start;
    while (i < line.end) {
      // One segment: equal format and equal selection state.
      const bool selected = showSel && i >= sa && i < sb;
      int j = i + 1;
      while (j < line.end && r->text.FormatAt(j) == r->text.FormatAt(i) && (showSel && j >= sa && j < sb) == selected &&
             chars[static_cast<size_t>(j)] != '\t' && chars[static_cast<size_t>(i)] != '\t')
        ++j;
      const RtfCharFormat f = resolved(r, r->text.FormatAt(i));
      const Fonts::Font& font = fonts.Select(f);
      const int x = left + xOf(line, i);
      if (selected) {
        dc->FillSolidRect(x, y, xOf(line, j) - xOf(line, i), line.height, GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        dc->SetTextColor(f.colour == RtfCharFormat::kAutoColour ? GetSysColor(COLOR_WINDOWTEXT) : f.colour);
      }
      if (chars[static_cast<size_t>(i)] != '\t')
        dc->TextOut(x, y + line.ascent - font.ascent, chars.data() + i, j - i);
      i = j;
    }
  }
}

struct WindowDC {
  explicit WindowDC(HWND h) : hwnd(h), hdc(GetDC(h)), dc(CDC::FromHandle(hdc)) {}
  ~WindowDC() { ReleaseDC(hwnd, hdc); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HWND hwnd;
  HDC hdc;
  CDC* dc;
};

RECT clientOf(const Rich* r) {
  RECT c;
  GetClientRect(r->hwnd, &c);
  return c;
}

void relayout(Rich* r) {
  WindowDC w(r->hwnd);
  if (!w.dc) return;
  const int saved = w.dc->SaveDC();
  Fonts fonts(w.dc, w.dc->GetDeviceCaps(LOGPIXELSY));
  const RECT c = clientOf(r);
  const int width = r->lineWidth > 0 ? MulDiv(r->lineWidth, w.dc->GetDeviceCaps(LOGPIXELSX), 1440)
                                     : std::max<int>(c.right - c.left - 2 * kMarginX, 1);
  r->lines = layout(r, fonts, width);
  r->contentHeight = r->lines.empty() ? 0 : r->lines.back().y + r->lines.back().height;
  w.dc->RestoreDC(saved);
}

void notifyParent(Rich* r, NMHDR& header, UINT code) {
  HWND parent = GetParent(r->hwnd);
  if (!parent) return;
  header.hwndFrom = r->hwnd;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(r->hwnd));
  header.code = code;
  SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void requestResize(Rich* r, bool always) {
  if (!(r->events & ENM_REQUESTRESIZE)) return;
  if (!always && r->contentHeight == r->requestedHeight) return;
  r->requestedHeight = r->contentHeight;
  const RECT c = clientOf(r);
  REQRESIZE request{};
  request.rc = RECT{c.left, c.top, c.right, c.top + r->contentHeight};
  notifyParent(r, request.nmhdr, EN_REQUESTRESIZE);
}

void placeCaret(Rich* r) {
  if (!r->focus || r->lines.empty()) return;
  const Line& line = r->lines[static_cast<size_t>(lineOf(r->lines, r->caret))];
  if (!r->caretMade || r->caretHeight != line.height) {
    CreateCaret(r->hwnd, nullptr, 1, line.height);
    ShowCaret(r->hwnd);
    r->caretMade = true;
    r->caretHeight = line.height;
  }
  SetCaretPos(kMarginX + xOf(line, r->caret), line.y - r->scrollY);
}

void scrollToCaret(Rich* r) {
  if (r->lines.empty()) return;
  const Line& line = r->lines[static_cast<size_t>(lineOf(r->lines, r->caret))];
  const RECT c = clientOf(r);
  const int h = c.bottom - c.top;
  if (line.y < r->scrollY) r->scrollY = line.y;
  else if (line.y + line.height > r->scrollY + h) r->scrollY = std::max(0, line.y + line.height - h);
}

void refresh(Rich* r) {
  scrollToCaret(r);
  placeCaret(r);
  InvalidateRect(r->hwnd, nullptr, TRUE);
}

void setSel(Rich* r, int anchor, int caret) {
  const int n = r->text.Length();
  const int oldMin = selMin(r), oldMax = selMax(r);
  r->anchor = std::clamp(anchor, 0, n);
  r->caret = std::clamp(caret, 0, n);
  r->typingFormat.reset();
  refresh(r);
  if ((r->events & ENM_SELCHANGE) && (selMin(r) != oldMin || selMax(r) != oldMax)) {
    SELCHANGE change{};
    change.chrg = CHARRANGE{selMin(r), selMax(r)};
    change.seltyp = selMin(r) == selMax(r) ? 0 : 1;
    notifyParent(r, change.nmhdr, EN_SELCHANGE);
  }
}

// After the text or its formats changed.
void changed(Rich* r, bool byUser) {
  if (byUser) r->modified = true;
  relayout(r);
  r->anchor = std::min(r->anchor, r->text.Length());
  r->caret = std::min(r->caret, r->text.Length());
  refresh(r);
  if (r->events & ENM_UPDATE) Notify(r->hwnd, EN_UPDATE);
  if (IsWindow(r->hwnd) && (r->events & ENM_CHANGE)) Notify(r->hwnd, EN_CHANGE);
  if (IsWindow(r->hwnd)) requestResize(r, false);
}

// The format typed text takes: the one set on the empty selection, else
// that of the first selected character (typing over a word keeps its look),
// else that of the character before the caret, else the one after it.
RtfCharFormat typingFormat(const Rich* r) {
  if (r->typingFormat) return *r->typingFormat;
  const int at = selMin(r);
  if (at < selMax(r)) return r->text.FormatAt(at);
  if (at > 0) return r->text.FormatAt(at - 1);
  if (r->text.Length() > 0) return r->text.FormatAt(0);
  return RtfCharFormat();
}

int plainLength(const std::string& text) {
  int n = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) ++n;
  return n;
}

// Replaces the selection with typed or given text; false when the limit
// leaves no room.
bool replaceSel(Rich* r, const std::string& text) {
  const int a = selMin(r), b = selMax(r);
  if (r->text.Length() - (b - a) + plainLength(text) > r->limit) {
    MessageBeep(0);
    return false;
  }
  const RtfCharFormat format = typingFormat(r);
  r->text.Replace(a, b, text, format);
  r->anchor = r->caret = a + plainLength(text);
  r->typingFormat.reset();
  changed(r, true);
  return true;
}

void insertDocument(Rich* r, const RtfDocument& doc) {
  const int a = selMin(r), b = selMax(r);
  const int added = r->text.Insert(a, b, doc);
  r->anchor = r->caret = a + added;
  changed(r, true);
}

void copySel(Rich* r) {
  const int a = selMin(r), b = selMax(r);
  if (a == b || !OpenClipboard(r->hwnd)) return;
  EmptyClipboard();
  auto put = [](UINT format, const std::string& data) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
    if (!block) return;
    std::memcpy(GlobalLock(block), data.c_str(), data.size() + 1);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
  };
  put(CF_TEXT, r->text.Plain(a, b));
  put(RichTextClipboardFormat(), WriteRtf(r->text.ToDocument(a, b)));
  CloseClipboard();
}

void paste(Rich* r) {
  if (readOnly(r) || !OpenClipboard(r->hwnd)) return;
  std::string data;
  bool rich = false;
  for (UINT format : {RichTextClipboardFormat(), static_cast<UINT>(CF_TEXT)}) {
    HANDLE block = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
    if (!block) continue;
    if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
      data.assign(bytes, strnlen(bytes, GlobalSize(block)));
      GlobalUnlock(block);
      rich = format != CF_TEXT;
      break;
    }
  }
  CloseClipboard();
  if (rich) insertDocument(r, ReadRtf(data));
  else if (!data.empty()) replaceSel(r, data);
}

void toggle(Rich* r, unsigned part) {
  RtfCharFormat now = typingFormat(r);
  const int a = selMin(r), b = selMax(r);
  if (a != b) r->text.CommonFormat(a, b, now);
  RtfCharFormat f;
  f.bold = !now.bold;
  f.italic = !now.italic;
  f.underline = !now.underline;
  if (a == b) {
    RtfCharFormat typing = typingFormat(r);
    if (part == RTF_BOLD) typing.bold = f.bold;
    if (part == RTF_ITALIC) typing.italic = f.italic;
    if (part == RTF_UNDERLINE) typing.underline = f.underline;
    r->typingFormat = typing;
    return;
  }
  r->text.ApplyFormat(a, b, f, part);
  changed(r, true);
}

bool isWord(char c) { return IsWordChar(c); }

int wordLeft(const Rich* r, int i) {
  const std::string& s = r->text.Chars();
  while (i > 0 && !isWord(s[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && isWord(s[static_cast<size_t>(i - 1)])) --i;
  return i;
}

int wordRight(const Rich* r, int i) {
  const std::string& s = r->text.Chars();
  const int n = r->text.Length();
  while (i < n && isWord(s[static_cast<size_t>(i)])) ++i;
  while (i < n && !isWord(s[static_cast<size_t>(i)])) ++i;
  return i;
}

void selectWordAt(Rich* r, int i) {
  const std::string& s = r->text.Chars();
  const int n = r->text.Length();
  int a = i, b = i;
  while (a > 0 && isWord(s[static_cast<size_t>(a - 1)])) --a;
  while (b < n && isWord(s[static_cast<size_t>(b)])) ++b;
  setSel(r, a, b);
}

int lineMove(const Rich* r, int pos, int delta) {
  if (r->lines.empty()) return pos;
  const int li = lineOf(r->lines, pos);
  const int target = std::clamp(li + delta, 0, static_cast<int>(r->lines.size()) - 1);
  if (target == li) return delta < 0 ? 0 : r->text.Length();
  return posAtX(r->lines[static_cast<size_t>(target)], xOf(r->lines[static_cast<size_t>(li)], pos));
}

bool held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

void deleteSelOrChar(Rich* r, bool forward) {
  if (readOnly(r)) return;
  if (selMin(r) == selMax(r)) {
    const int at = r->caret;
    if (forward ? at >= r->text.Length() : at == 0) return;
    r->anchor = forward ? at + 1 : at - 1;
  }
  const RtfCharFormat keep = typingFormat(r);
  replaceSel(r, "");
  if (r->text.Length() == 0) r->typingFormat = keep;  // an emptied text keeps typing as it was
}

LRESULT onKeyDown(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  const bool shift = held(VK_SHIFT), ctrl = held(VK_CONTROL);
  const int n = r->text.Length();
  int to = -1;
  switch (wParam) {
    case VK_LEFT: to = selMin(r) != selMax(r) && !shift ? selMin(r) : ctrl ? wordLeft(r, r->caret) : std::max(r->caret - 1, 0); break;
    case VK_RIGHT: to = selMin(r) != selMax(r) && !shift ? selMax(r) : ctrl ? wordRight(r, r->caret) : std::min(r->caret + 1, n); break;
    case VK_UP: to = lineMove(r, r->caret, -1); break;
    case VK_DOWN: to = lineMove(r, r->caret, 1); break;
    case VK_HOME:
      to = ctrl || r->lines.empty() ? 0 : r->lines[static_cast<size_t>(lineOf(r->lines, r->caret))].start;
      break;
    case VK_END:
      to = ctrl || r->lines.empty() ? n : r->lines[static_cast<size_t>(lineOf(r->lines, r->caret))].end;
      break;
    case VK_DELETE:
      if (shift) copySel(r);
      deleteSelOrChar(r, true);
      return 0;
    case VK_INSERT:
      if (shift) paste(r);
      else if (ctrl) copySel(r);
      return 0;
    default:
      if (ctrl) {
        r->swallowChar = wParam == 'A' || wParam == 'B' || wParam == 'I' || wParam == 'U' || wParam == 'L' ||
                         wParam == 'E' || wParam == 'R';
        switch (wParam) {
          case 'A': setSel(r, 0, n); break;
          case 'B': if (!readOnly(r)) toggle(r, RTF_BOLD); break;
          case 'I': if (!readOnly(r)) toggle(r, RTF_ITALIC); break;
          case 'U': if (!readOnly(r)) toggle(r, RTF_UNDERLINE); break;
          case 'L': case 'E': case 'R':
            if (!readOnly(r)) {
              r->text.SetAlign(r->text.ParagraphOf(selMin(r)), r->text.ParagraphOf(selMax(r)),
                               wParam == 'L' ? RtfAlign::kLeft : wParam == 'E' ? RtfAlign::kCenter : RtfAlign::kRight);
              changed(r, true);
            }
            break;
        }
      }
      return 0;
  }
  setSel(r, shift ? r->anchor : to, to);
  return 0;
}

LRESULT onChar(Rich* r, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  const auto ch = static_cast<unsigned char>(wParam);
  if (r->swallowChar) {
    r->swallowChar = false;
    if (ch < 32) return 0;
  }
  switch (ch) {
    case 3: copySel(r); return 0;
    case 22: paste(r); return 0;
    case 24:
      copySel(r);
      deleteSelOrChar(r, true);
      return 0;
    case 8: deleteSelOrChar(r, false); return 0;
    default: break;
  }
  if (readOnly(r)) return 0;
  if (ch == '\r' || ch == '\n') {
    if (StyleOf(hwnd) & ES_MULTILINE) replaceSel(r, "\r");
    return 0;
  }
  if (ch < 32 && ch != '\t') return 0;
  replaceSel(r, std::string(1, static_cast<char>(ch)));
  return 0;
}

int charFromPoint(Rich* r, POINT p) {
  if (r->lines.empty()) return 0;
  const int y = p.y + r->scrollY;
  size_t li = 0;
  while (li + 1 < r->lines.size() && y >= r->lines[li + 1].y) ++li;
  return posAtX(r->lines[li], p.x - kMarginX);
}

LRESULT onLButtonDown(Rich* r, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!g_riches.Get(hwnd)) return 0;
  const int i = charFromPoint(r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (msg == WM_LBUTTONDBLCLK) selectWordAt(r, i);
  else setSel(r, (wParam & MK_SHIFT) ? r->anchor : i, i);
  SetCapture(hwnd);
  r->tracking = true;
  return 0;
}

LRESULT onMouseMove(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  if (r->tracking) setSel(r, r->anchor, charFromPoint(r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
  return 0;
}

LRESULT onLButtonUp(Rich* r, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (r->tracking) {
    r->tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  return 0;
}

LRESULT onCaptureChanged(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  r->tracking = false;
  return 0;
}

LRESULT onSetCursor(Rich*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
    SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onPaint(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  PaintScope painting(r->hwnd);
  if (!painting.dc) return 0;
  CDC* dc = painting.dc;
  const RECT c = clientOf(r);
  dc->FillSolidRect(&c, r->sysBackground ? GetSysColor(COLOR_WINDOW) : r->background);
  const int saved = dc->SaveDC();
  Fonts fonts(dc, dc->GetDeviceCaps(LOGPIXELSY));
  const bool showSel = r->focus || (r->options & ECO_NOHIDESEL);
  drawLines(r, fonts, r->lines, 0, r->lines.size(), kMarginX, 0, r->scrollY, showSel);
  dc->RestoreDC(saved);
  return 0;
}

LRESULT onEraseBkgnd(Rich*, HWND, UINT, WPARAM, LPARAM) { return 1; }

LRESULT onSetFocus(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  r->focus = true;
  r->caretMade = false;
  placeCaret(r);
  InvalidateRect(r->hwnd, nullptr, TRUE);
  return 0;
}

LRESULT onKillFocus(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  r->focus = false;
  if (r->caretMade) DestroyCaret();
  r->caretMade = false;
  InvalidateRect(r->hwnd, nullptr, TRUE);
  return 0;
}

LRESULT onSize(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  relayout(r);
  refresh(r);
  return 0;
}

LRESULT onGetDlgCode(Rich*, HWND hwnd, UINT, WPARAM, LPARAM) {
  LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
  if (StyleOf(hwnd) & ES_MULTILINE) code |= DLGC_WANTALLKEYS;
  return code;
}

void setWholeText(Rich* r, const RtfDocument& doc) {
  r->text.Clear();
  r->text.Insert(0, 0, doc);
  r->anchor = r->caret = 0;
  r->scrollY = 0;
  r->typingFormat.reset();
  changed(r, false);
}

bool looksRich(const std::string& s) { return s.rfind("{\\rtf", 0) == 0; }

LRESULT onSetText(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  const std::string s = lParam ? reinterpret_cast<const char*>(lParam) : "";
  setWholeText(r, looksRich(s) ? ReadRtf(s) : RtfDocument::FromPlainText(s));
  r->modified = false;
  return TRUE;
}

LRESULT onGetText(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!lParam || wParam == 0) return 0;
  const std::string s = r->text.Plain(0, r->text.Length());
  const size_t n = std::min(s.size(), static_cast<size_t>(wParam) - 1);
  std::memcpy(reinterpret_cast<char*>(lParam), s.data(), n);
  reinterpret_cast<char*>(lParam)[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT onGetTextLength(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<LRESULT>(r->text.Plain(0, r->text.Length()).size());
}

LRESULT emGetTextLengthEx(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  const auto* how = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
  if (how && (how->flags & GTL_USECRLF)) return static_cast<LRESULT>(r->text.Plain(0, r->text.Length()).size());
  return r->text.Length();
}

LRESULT onSetFont(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  LOGFONT lf{};
  if (wParam && GetObject(reinterpret_cast<HGDIOBJ>(wParam), sizeof lf, &lf)) {
    if (lf.lfFaceName[0]) r->defaults.face = lf.lfFaceName;
    if (lf.lfHeight != 0) r->defaults.halfPoints = std::max(1, MulDiv(std::abs(lf.lfHeight), 144, 96));
    relayout(r);
    if (lParam) refresh(r);
  }
  return 0;
}

LRESULT onCut(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  copySel(r);
  if (selMin(r) != selMax(r)) deleteSelOrChar(r, true);
  return 0;
}
LRESULT onCopy(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  copySel(r);
  return 0;
}
LRESULT onPaste(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  paste(r);
  return 0;
}
LRESULT onClear(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  if (selMin(r) != selMax(r)) deleteSelOrChar(r, true);
  return 0;
}

LRESULT emGetSel(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(selMin(r));
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(selMax(r));
  return MAKELONG(static_cast<WORD>(std::min(selMin(r), 0xFFFF)), static_cast<WORD>(std::min(selMax(r), 0xFFFF)));
}

// -1 as the start keeps the caret and drops the selection; -1 as the end
// (or a start of 0 and an end of -1) reaches the end of the text.
void selectRange(Rich* r, long start, long end) {
  const int n = r->text.Length();
  if (start < 0) {
    setSel(r, r->caret, r->caret);
    return;
  }
  setSel(r, static_cast<int>(start), end < 0 ? n : static_cast<int>(end));
}

LRESULT emSetSel(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  selectRange(r, static_cast<long>(static_cast<int>(wParam)), static_cast<long>(lParam));
  return 0;
}

LRESULT emExGetSel(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  if (auto* range = reinterpret_cast<CHARRANGE*>(lParam)) *range = CHARRANGE{selMin(r), selMax(r)};
  return 0;
}

LRESULT emExSetSel(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  if (const auto* range = reinterpret_cast<const CHARRANGE*>(lParam)) selectRange(r, range->cpMin, range->cpMax);
  return selMax(r);
}

LRESULT emReplaceSel(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  replaceSel(r, lParam ? reinterpret_cast<const char*>(lParam) : "");
  return 0;
}

LRESULT emGetSelText(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  const std::string s = r->text.Plain(selMin(r), selMax(r));
  if (lParam) std::memcpy(reinterpret_cast<char*>(lParam), s.c_str(), s.size() + 1);
  return static_cast<LRESULT>(s.size());
}

LRESULT emGetTextRange(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* range = reinterpret_cast<TEXTRANGE*>(lParam);
  if (!range || !range->lpstrText) return 0;
  const int a = std::clamp<int>(range->chrg.cpMin, 0, r->text.Length());
  const int b = range->chrg.cpMax < 0 ? r->text.Length() : std::clamp<int>(range->chrg.cpMax, a, r->text.Length());
  const std::string s = r->text.Chars().substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
  std::memcpy(range->lpstrText, s.c_str(), s.size() + 1);
  return static_cast<LRESULT>(s.size());
}

LRESULT emLimitText(Rich* r, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  const long limit = msg == EM_EXLIMITTEXT ? static_cast<long>(lParam) : static_cast<long>(wParam);
  r->limit = limit <= 0 ? 0xFFFF : limit;
  return 0;
}
LRESULT emGetLimitText(Rich* r, HWND, UINT, WPARAM, LPARAM) { return r->limit; }

LRESULT emGetModify(Rich* r, HWND, UINT, WPARAM, LPARAM) { return r->modified ? TRUE : FALSE; }
LRESULT emSetModify(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  r->modified = wParam != 0;
  return 0;
}

LRESULT emSetReadOnly(Rich* r, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  const DWORD st = StyleOf(hwnd);
  SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? (st | ES_READONLY) : (st & ~ES_READONLY)));
  r->options = wParam ? (r->options | ECO_READONLY) : (r->options & ~ECO_READONLY);
  return TRUE;
}

LRESULT emLineFromChar(Rich* r, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  const long pos = msg == EM_EXLINEFROMCHAR ? static_cast<long>(lParam) : static_cast<long>(static_cast<int>(wParam));
  return lineOf(r->lines, pos < 0 ? r->caret : static_cast<int>(pos));
}

LRESULT emLineIndex(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  const int line = static_cast<int>(wParam);
  const int li = line < 0 ? lineOf(r->lines, r->caret) : line;
  if (li >= static_cast<int>(r->lines.size())) return -1;
  return r->lines[static_cast<size_t>(li)].start;
}

LRESULT emLineLength(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  const int pos = static_cast<int>(wParam);
  const Line& line = r->lines[static_cast<size_t>(lineOf(r->lines, pos < 0 ? r->caret : pos))];
  return line.end - line.start;
}

LRESULT emGetLineCount(Rich* r, HWND, UINT, WPARAM, LPARAM) { return static_cast<LRESULT>(r->lines.size()); }

LRESULT emScroll(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  const RECT c = clientOf(r);
  const int page = std::max<int>(c.bottom - c.top, 1);
  const int maxScroll = std::max(0, r->contentHeight - page);
  if (wParam == SB_PAGEUP) r->scrollY = std::max(0, r->scrollY - page);
  if (wParam == SB_PAGEDOWN) r->scrollY = std::min(maxScroll, r->scrollY + page);
  placeCaret(r);
  InvalidateRect(r->hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT emScrollCaret(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  refresh(r);
  return 0;
}

LRESULT emPosFromChar(Rich* r, HWND, UINT, WPARAM wParam, LPARAM) {
  if (r->lines.empty()) return 0;
  const int pos = static_cast<int>(wParam);
  const Line& line = r->lines[static_cast<size_t>(lineOf(r->lines, pos))];
  return MAKELONG(static_cast<WORD>(kMarginX + xOf(line, pos)), static_cast<WORD>(line.y - r->scrollY));
}

LRESULT emCharFromPos(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  return charFromPoint(r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

// CHARFORMAT to the subset's format and mask.
unsigned fromCharFormat(const CHARFORMAT& cf, RtfCharFormat& f) {
  unsigned mask = 0;
  if (cf.dwMask & CFM_BOLD) f.bold = (cf.dwEffects & CFE_BOLD) != 0, mask |= RTF_BOLD;
  if (cf.dwMask & CFM_ITALIC) f.italic = (cf.dwEffects & CFE_ITALIC) != 0, mask |= RTF_ITALIC;
  if (cf.dwMask & CFM_UNDERLINE) f.underline = (cf.dwEffects & CFE_UNDERLINE) != 0, mask |= RTF_UNDERLINE;
  if ((cf.dwMask & CFM_FACE) && cf.szFaceName[0]) {
    f.face.assign(cf.szFaceName, strnlen(cf.szFaceName, sizeof cf.szFaceName));
    mask |= RTF_FACE;
  }
  if ((cf.dwMask & CFM_SIZE) && cf.yHeight > 0) f.halfPoints = std::max(1, static_cast<int>(cf.yHeight / 10)), mask |= RTF_SIZE;
  if (cf.dwMask & CFM_COLOR)
    f.colour = (cf.dwEffects & CFE_AUTOCOLOR) ? RtfCharFormat::kAutoColour : cf.crTextColor, mask |= RTF_COLOUR;
  return mask;
}

void toCharFormat(const RtfCharFormat& f, unsigned mask, CHARFORMAT& cf) {
  cf.dwMask = 0;
  cf.dwEffects = 0;
  if (mask & RTF_BOLD) cf.dwMask |= CFM_BOLD, cf.dwEffects |= f.bold ? CFE_BOLD : 0;
  if (mask & RTF_ITALIC) cf.dwMask |= CFM_ITALIC, cf.dwEffects |= f.italic ? CFE_ITALIC : 0;
  if (mask & RTF_UNDERLINE) cf.dwMask |= CFM_UNDERLINE, cf.dwEffects |= f.underline ? CFE_UNDERLINE : 0;
  cf.dwMask |= CFM_STRIKEOUT;
  if (mask & RTF_FACE) {
    cf.dwMask |= CFM_FACE;
    std::strncpy(cf.szFaceName, f.face.c_str(), sizeof cf.szFaceName - 1);
  }
  if (mask & RTF_SIZE) cf.dwMask |= CFM_SIZE, cf.yHeight = f.halfPoints * 10;
  if (mask & RTF_COLOUR) {
    cf.dwMask |= CFM_COLOR;
    if (f.colour == RtfCharFormat::kAutoColour) cf.dwEffects |= CFE_AUTOCOLOR;
    else cf.crTextColor = f.colour;
  }
}

constexpr unsigned kAllParts = RTF_BOLD | RTF_ITALIC | RTF_UNDERLINE | RTF_FACE | RTF_SIZE | RTF_COLOUR;

LRESULT emGetCharFormat(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  auto* cf = reinterpret_cast<CHARFORMAT*>(lParam);
  if (!cf) return 0;
  RtfCharFormat f = r->defaults;
  unsigned mask = kAllParts;
  if (wParam & SCF_SELECTION) {
    if (selMin(r) == selMax(r)) f = typingFormat(r);
    else mask = r->text.CommonFormat(selMin(r), selMax(r), f);
    f = resolved(r, f);
  }
  toCharFormat(f, mask, *cf);
  return cf->dwMask;
}

LRESULT emSetCharFormat(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  const auto* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
  if (!cf) return FALSE;
  RtfCharFormat f;
  const unsigned mask = fromCharFormat(*cf, f);
  if (wParam == SCF_DEFAULT) {
    RtfCharFormat d = r->defaults;
    if (mask & RTF_BOLD) d.bold = f.bold;
    if (mask & RTF_ITALIC) d.italic = f.italic;
    if (mask & RTF_UNDERLINE) d.underline = f.underline;
    if (mask & RTF_FACE) d.face = f.face;
    if (mask & RTF_SIZE) d.halfPoints = f.halfPoints;
    if (mask & RTF_COLOUR) d.colour = f.colour;
    r->defaults = d;
    changed(r, false);
    return TRUE;
  }
  int a = selMin(r), b = selMax(r);
  if (wParam & SCF_ALL) a = 0, b = r->text.Length();
  else if (a == b && (wParam & SCF_WORD)) {
    const std::string& s = r->text.Chars();
    while (a > 0 && isWord(s[static_cast<size_t>(a - 1)])) --a;
    while (b < r->text.Length() && isWord(s[static_cast<size_t>(b)])) ++b;
  }
  if (a == b) {
    // Nothing selected: the format waits for the next typed text.
    RtfCharFormat typing = typingFormat(r);
    RichText scratch;
    scratch.Replace(0, 0, "x", typing);
    scratch.ApplyFormat(0, 1, f, mask);
    r->typingFormat = scratch.FormatAt(0);
    return TRUE;
  }
  r->text.ApplyFormat(a, b, f, mask);
  changed(r, true);
  return TRUE;
}

LRESULT emGetParaFormat(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* pf = reinterpret_cast<PARAFORMAT*>(lParam);
  if (!pf) return 0;
  const RtfAlign align = r->text.AlignOf(r->text.ParagraphOf(selMin(r)));
  pf->dwMask = PFM_ALIGNMENT;
  pf->wAlignment = align == RtfAlign::kCenter ? PFA_CENTER : align == RtfAlign::kRight ? PFA_RIGHT : PFA_LEFT;
  return pf->dwMask;
}

LRESULT emSetParaFormat(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  const auto* pf = reinterpret_cast<const PARAFORMAT*>(lParam);
  if (!pf || !(pf->dwMask & PFM_ALIGNMENT)) return FALSE;
  const RtfAlign align =
      pf->wAlignment == PFA_CENTER ? RtfAlign::kCenter : pf->wAlignment == PFA_RIGHT ? RtfAlign::kRight : RtfAlign::kLeft;
  r->text.SetAlign(r->text.ParagraphOf(selMin(r)), r->text.ParagraphOf(selMax(r)), align);
  changed(r, true);
  return TRUE;
}

LRESULT emStreamIn(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  auto* stream = reinterpret_cast<EDITSTREAM*>(lParam);
  if (!stream || !stream->pfnCallback) return 0;
  std::string data;
  BYTE buffer[4096];
  for (;;) {
    LONG got = 0;
    stream->dwError = stream->pfnCallback(stream->dwCookie, buffer, sizeof buffer, &got);
    if (stream->dwError != 0 || got <= 0) break;
    data.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(std::min<LONG>(got, sizeof buffer)));
  }
  const bool rtf = (wParam & SF_RTF) != 0;
  if (wParam & SFF_SELECTION) {
    if (rtf) insertDocument(r, ReadRtf(data));
    else replaceSel(r, data);
  } else {
    setWholeText(r, rtf ? ReadRtf(data) : RtfDocument::FromPlainText(data));
    r->modified = false;
  }
  return static_cast<LRESULT>(data.size());
}

LRESULT emStreamOut(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  auto* stream = reinterpret_cast<EDITSTREAM*>(lParam);
  if (!stream || !stream->pfnCallback) return 0;
  const bool part = (wParam & SFF_SELECTION) != 0;
  const int a = part ? selMin(r) : 0, b = part ? selMax(r) : r->text.Length();
  const std::string data = (wParam & SF_RTF) ? WriteRtf(r->text.ToDocument(a, b)) : r->text.Plain(a, b);
  size_t done = 0;
  stream->dwError = 0;
  while (done < data.size()) {
    std::string piece = data.substr(done, 4096);
    LONG taken = 0;
    stream->dwError = stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(piece.data()),
                                          static_cast<LONG>(piece.size()), &taken);
    if (stream->dwError != 0 || taken <= 0) break;
    done += static_cast<size_t>(taken);
  }
  return static_cast<LRESULT>(done);
}

LRESULT emFindText(Rich* r, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* find = reinterpret_cast<FINDTEXTEX*>(lParam);  // EM_FINDTEXT's record is its first part
  if (!find || !find->lpstrText) return -1;
  const int n = r->text.Length();
  const int from = std::clamp<int>(find->chrg.cpMin, 0, n);
  const int to = find->chrg.cpMax < 0 ? n : std::clamp<int>(find->chrg.cpMax, 0, n);
  const bool matchCase = (wParam & FR_MATCHCASE) != 0, whole = (wParam & FR_WHOLEWORD) != 0;
  const std::string what = find->lpstrText;
  int hit = -1;
  if (to >= from) {
    hit = r->text.Find(what, from, to, matchCase, whole);
  } else {
    // An end before the start searches backwards: the last match.
    for (int at = r->text.Find(what, to, from, matchCase, whole); at >= 0;
         at = r->text.Find(what, at + 1, from, matchCase, whole))
      hit = at;
  }
  if (msg == EM_FINDTEXTEX)
    find->chrgText = hit < 0 ? CHARRANGE{-1, -1} : CHARRANGE{hit, hit + plainLength(what)};
  return hit;
}

LRESULT emFormatRange(Rich* r, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  auto* range = reinterpret_cast<FORMATRANGE*>(lParam);
  if (!range || !range->hdc) return 0;  // nothing is kept between calls
  CDC* dc = CDC::FromHandle(range->hdc);
  if (!dc) return 0;
  const int resX = dc->GetDeviceCaps(LOGPIXELSX), resY = dc->GetDeviceCaps(LOGPIXELSY);
  RECT area{MulDiv(range->rc.left, resX, 1440), MulDiv(range->rc.top, resY, 1440),
            MulDiv(range->rc.right, resX, 1440), MulDiv(range->rc.bottom, resY, 1440)};
  dc->DPtoLP(&area);
  SIZE inch{resX, resY};
  dc->DPtoLP(&inch);
  const int saved = dc->SaveDC();
  Fonts fonts(dc, std::abs(inch.cy));
  const std::vector<Line> lines = layout(r, fonts, std::max<int>(area.right - area.left, 1));
  const int n = r->text.Length();
  const int from = std::clamp<int>(range->chrg.cpMin, 0, n);
  const int to = range->chrg.cpMax < 0 ? n : std::clamp<int>(range->chrg.cpMax, from, n);
  size_t first = static_cast<size_t>(lineOf(lines, from));
  size_t last = first;
  const int top = first < lines.size() ? lines[first].y : 0;
  while (last < lines.size() && lines[last].start <= to && lines[last].y - top + lines[last].height <= area.bottom - area.top)
    ++last;
  if (wParam) drawLines(r, fonts, lines, first, last, area.left, area.top, top, false);
  dc->RestoreDC(saved);
  if (last >= lines.size()) return to;
  return std::min(lines[last].start, to);
}

LRESULT emRequestResize(Rich* r, HWND, UINT, WPARAM, LPARAM) {
  requestResize(r, true);
  return 0;
}

LRESULT emSetEventMask(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  const DWORD old = r->events;
  r->events = static_cast<DWORD>(lParam);
  return old;
}
LRESULT emGetEventMask(Rich* r, HWND, UINT, WPARAM, LPARAM) { return r->events; }

LRESULT emSetOptions(Rich* r, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  const auto value = static_cast<DWORD>(lParam);
  switch (wParam) {
    case ECOOP_SET: r->options = value; break;
    case ECOOP_OR: r->options |= value; break;
    case ECOOP_AND: r->options &= value; break;
    case ECOOP_XOR: r->options ^= value; break;
    default: break;
  }
  const DWORD st = StyleOf(hwnd);
  DWORD want = (r->options & ECO_READONLY) ? (st | ES_READONLY) : (st & ~ES_READONLY);
  want = (r->options & ECO_WANTRETURN) ? (want | ES_WANTRETURN) : (want & ~ES_WANTRETURN);
  if (want != st) SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(want));
  InvalidateRect(hwnd, nullptr, TRUE);
  return r->options;
}
LRESULT emGetOptions(Rich* r, HWND, UINT, WPARAM, LPARAM) { return r->options; }

LRESULT emSetBkgndColor(Rich* r, HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  const COLORREF old = r->sysBackground ? GetSysColor(COLOR_WINDOW) : r->background;
  r->sysBackground = wParam != 0;
  r->background = static_cast<COLORREF>(lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return old;
}

LRESULT emSetTargetDevice(Rich* r, HWND, UINT, WPARAM, LPARAM lParam) {
  r->lineWidth = std::max<long>(0, static_cast<long>(lParam));
  relayout(r);
  refresh(r);
  return TRUE;
}

LRESULT emCanPaste(Rich*, HWND, UINT, WPARAM, LPARAM) {
  return IsClipboardFormatAvailable(RichTextClipboardFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}

LRESULT emEmpty(Rich*, HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT onNcDestroy(Rich* r, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (r->caretMade) DestroyCaret();
  g_riches.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

const wnd::HandlerTable<Rich>& richHandlers() {
  static const wnd::HandlerTable<Rich> table = {
      {WM_NCDESTROY, &onNcDestroy},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_SETTEXT, &onSetText},
      {WM_GETTEXT, &onGetText},
      {WM_GETTEXTLENGTH, &onGetTextLength},
      {EM_GETTEXTLENGTHEX, &emGetTextLengthEx},
      {WM_SETFONT, &onSetFont},
      {WM_SIZE, &onSize},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_KEYDOWN, &onKeyDown},
      {WM_CHAR, &onChar},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_LBUTTONDBLCLK, &onLButtonDown},
      {WM_MOUSEMOVE, &onMouseMove},
      {WM_LBUTTONUP, &onLButtonUp},
      {WM_CAPTURECHANGED, &onCaptureChanged},
      {WM_SETCURSOR, &onSetCursor},
      {WM_CUT, &onCut},
      {WM_COPY, &onCopy},
      {WM_PASTE, &onPaste},
      {WM_CLEAR, &onClear},
      {EM_GETSEL, &emGetSel},
      {EM_SETSEL, &emSetSel},
      {EM_EXGETSEL, &emExGetSel},
      {EM_EXSETSEL, &emExSetSel},
      {EM_REPLACESEL, &emReplaceSel},
      {EM_GETSELTEXT, &emGetSelText},
      {EM_GETTEXTRANGE, &emGetTextRange},
      {EM_LIMITTEXT, &emLimitText},
      {EM_EXLIMITTEXT, &emLimitText},
      {EM_GETLIMITTEXT, &emGetLimitText},
      {EM_GETMODIFY, &emGetModify},
      {EM_SETMODIFY, &emSetModify},
      {EM_SETREADONLY, &emSetReadOnly},
      {EM_LINEFROMCHAR, &emLineFromChar},
      {EM_EXLINEFROMCHAR, &emLineFromChar},
      {EM_LINEINDEX, &emLineIndex},
      {EM_LINELENGTH, &emLineLength},
      {EM_GETLINECOUNT, &emGetLineCount},
      {EM_SCROLL, &emScroll},
      {EM_SCROLLCARET, &emScrollCaret},
      {EM_POSFROMCHAR, &emPosFromChar},
      {EM_CHARFROMPOS, &emCharFromPos},
      {EM_GETCHARFORMAT, &emGetCharFormat},
      {EM_SETCHARFORMAT, &emSetCharFormat},
      {EM_GETPARAFORMAT, &emGetParaFormat},
      {EM_SETPARAFORMAT, &emSetParaFormat},
      {EM_STREAMIN, &emStreamIn},
      {EM_STREAMOUT, &emStreamOut},
      {EM_FINDTEXT, &emFindText},
      {EM_FINDTEXTEX, &emFindText},
      {EM_FORMATRANGE, &emFormatRange},
      {EM_REQUESTRESIZE, &emRequestResize},
      {EM_SETEVENTMASK, &emSetEventMask},
      {EM_GETEVENTMASK, &emGetEventMask},
      {EM_SETOPTIONS, &emSetOptions},
      {EM_GETOPTIONS, &emGetOptions},
      {EM_SETBKGNDCOLOR, &emSetBkgndColor},
      {EM_SETTARGETDEVICE, &emSetTargetDevice},
      {EM_CANPASTE, &emCanPaste},
      {EM_EMPTYUNDOBUFFER, &emEmpty},
  };
  return table;
}

LRESULT richProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Rich* r = g_riches.Get(hwnd);
  if (msg == WM_NCCREATE) {
    r = g_riches.Make(hwnd);
    r->hwnd = hwnd;
    r->background = GetSysColor(COLOR_WINDOW);
    if (StyleOf(hwnd) & ES_READONLY) r->options |= ECO_READONLY;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!r) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_CREATE) relayout(r);
  if (LRESULT res = 0; wnd::Dispatch(richHandlers(), r, hwnd, msg, wParam, lParam, &res)) return res;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

WNDPROC RichEditWindowProc() { return &richProc; }
