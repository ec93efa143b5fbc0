// Text of CDC: output, measurement and DrawText layout. Text arrives as
// Windows-1252 bytes; each byte maps to one glyph of the realized font, and
// positions advance by the font's whole-pixel widths, so measuring and
// drawing always agree.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcState.h"
#include "platform/gfx/FontEngine.h"

namespace {

const fonts::RealizedFont& FontOf(DcImpl* d) {
  GdiObjectImpl* f = gdi::Lookup(d->st.font, OBJ_FONT);
  static const LOGFONT fallback = [] {
    LOGFONT lf;
    lf.lfHeight = 16;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "System");
    return lf;
  }();
  return fonts::Realize(f ? f->font : fallback, dc::ScaleX(d->st), dc::ScaleY(d->st));
}

int Len(LPCTSTR text, int count) {
  if (!text) return 0;
  return count < 0 ? static_cast<int>(std::strlen(text)) : count;
}

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

int ExtraPx(DcImpl* d) {
  return static_cast<int>(std::lround(d->st.charExtra * std::fabs(dc::ScaleX(d->st))));
}

// Device width of a run.
int RunWidth(DcImpl* d, const fonts::RealizedFont& f, const char* text, int n) {
  int w = 0;
  const int extra = ExtraPx(d);
  for (int i = 0; i < n; ++i) w += f.advance[Byte(text[i])] + extra;
  return w;
}

int ToLogicalX(DcImpl* d, int px) {
  const double s = std::fabs(dc::ScaleX(d->st));
  return static_cast<int>(std::lround(px / (s ? s : 1)));
}
int ToLogicalY(DcImpl* d, int px) {
  const double s = std::fabs(dc::ScaleY(d->st));
  return static_cast<int>(std::lround(px / (s ? s : 1)));
}

// Text up to this size in pixels (about 13 points at 96 dpi) is drawn as
// the classic desktop drew it: fully hinted and without smoothing, so that
// stems are whole black pixels. Larger text is hinted and smoothed in grey.
constexpr double kCrispTextPixels = 18;

cairo_font_options_t* FontOptions(bool mono, double em) {
  static cairo_font_options_t* gray = [] {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    return o;
  }();
  static cairo_font_options_t* none = [] {
    cairo_font_options_t* o = cairo_font_options_copy(gray);
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
    return o;
  }();
  return mono || em <= kCrispTextPixels ? none : gray;
}

// Draws glyphs from surface point (x, baseline); `advances` gives each
// character's device advance. `clip` (surface pixels) further limits it.
void DrawGlyphs(DcImpl* d, const fonts::RealizedFont& f, double x, double baseline, const char* text, int n,
                const std::vector<int>& advances, const RECT* clip) {
  if (!f.face || n <= 0) return;
  cairo_t* cr = dc::Cairo(d);
  if (!cr) return;
  cairo_save(cr);
  if (clip) {
    cairo_rectangle(cr, clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top);
    cairo_clip(cr);
  }
  const std::uint32_t c = dc::Fit(d, d->st.textColor);
  cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  cairo_set_font_face(cr, f.face);
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, f.emX, f.emY);
  const double angle = f.escapement * M_PI / 180.0;
  if (angle != 0) cairo_matrix_rotate(&m, -angle);
  cairo_set_font_matrix(cr, &m);
  cairo_set_font_options(cr, FontOptions(dc::MonoTarget(d), f.emY));
  std::vector<cairo_glyph_t> glyphs;
  glyphs.reserve(static_cast<std::size_t>(n));
  const double ca = std::cos(angle), sa = std::sin(angle);
  double along = 0;
  for (int i = 0; i < n; ++i) {
    const unsigned char ch = Byte(text[i]);
    if (ch >= 32 && ch != 0x7F && f.glyph[ch] != 0 && ch != ' ')
      glyphs.push_back(cairo_glyph_t{f.glyph[ch], x + along * ca, baseline - along * sa});
    along += advances[static_cast<std::size_t>(i)];
  }
  if (!glyphs.empty()) cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  cairo_restore(cr);
  dc::Dirty(d);
}

struct TextOpts {
  UINT options = 0;            // ETO_*
  const RECT* rect = nullptr;  // logical
  const int* dx = nullptr;     // logical advances
  bool forceTransparent = false;
  bool useAlign = true;        // false: top-left, no current position
};

// The common text output. Returns the run's logical width.
int TextCore(DcImpl* d, int x, int y, const char* text, int n, const TextOpts& o) {
  const fonts::RealizedFont& f = FontOf(d);
  const UINT align = o.useAlign ? d->st.textAlign : (TA_LEFT | TA_TOP);
  const bool updateCp = align & TA_UPDATECP;
  POINT ref = updateCp ? d->st.current : POINT{x, y};
  const POINT p = dc::ToSurface(d, dc::LpToDp(d->st, ref.x, ref.y));

  std::vector<int> adv(static_cast<std::size_t>(std::max(n, 0)));
  const int extra = ExtraPx(d);
  int width = 0;
  for (int i = 0; i < n; ++i) {
    int a;
    if (o.dx) a = static_cast<int>(std::lround(o.dx[i] * std::fabs(dc::ScaleX(d->st))));
    else a = f.advance[Byte(text[i])] + extra;
    adv[static_cast<std::size_t>(i)] = a;
    width += a;
  }
  int left = p.x;
  switch (align & (TA_CENTER)) {
    case TA_RIGHT: left = p.x - width; break;
    case TA_CENTER: left = p.x - width / 2; break;
    default: break;
  }
  int baseline = p.y + f.ascent;
  if ((align & TA_BASELINE) == TA_BASELINE) baseline = p.y;
  else if (align & TA_BOTTOM) baseline = p.y - f.descent;

  RECT clip{};
  const RECT* clipPtr = nullptr;
  if (o.rect) {
    const RECT r = dc::ToSurface(d, dc::LpToDpRect(d->st, *o.rect));
    if (o.options & ETO_OPAQUE) dc::FillRect(d, r, dc::SolidPaint(dc::Fit(d, d->st.bkColor)));
    if (o.options & ETO_CLIPPED) {
      clip = r;
      clipPtr = &clip;
    }
  }
  const bool rotated = f.escapement != 0;
  if (d->st.bkMode == OPAQUE && !o.forceTransparent && !rotated && n > 0) {
    RECT cell{left, baseline - f.ascent, left + width, baseline + f.descent};
    if (clipPtr) IntersectRect(&cell, &cell, clipPtr);
    dc::FillRect(d, cell, dc::SolidPaint(dc::Fit(d, d->st.bkColor)));
  }
  DrawGlyphs(d, f, left, baseline, text, n, adv, clipPtr);
  if (!rotated && (f.underline || f.strikeOut) && n > 0) {
    const dc::Paint ink = dc::SolidPaint(dc::Fit(d, d->st.textColor));
    auto bar = [&](int top, int thickness) {
      RECT r{left, top, left + width, top + thickness};
      if (clipPtr) IntersectRect(&r, &r, clipPtr);
      dc::FillRect(d, r, ink);
    };
    if (f.underline) bar(baseline + f.underlinePos, f.underlineThickness);
    if (f.strikeOut) bar(baseline - f.strikePos, f.strikeThickness);
  }
  const int logical = ToLogicalX(d, width);
  if (updateCp) {
    if ((align & TA_CENTER) == TA_LEFT) d->st.current.x += logical;
    else if ((align & TA_CENTER) == TA_RIGHT) d->st.current.x -= logical;
  }
  return logical;
}

// Tab stops: a list of positions (relative to the origin), one spacing, or
// eight average characters.
int NextTab(int pos, int count, const int* stops, int defaultSpacing) {
  if (count > 1 && stops) {
    for (int i = 0; i < count; ++i)
      if (stops[i] > pos) return stops[i];
  } else if (count == 1 && stops && stops[0] > 0) {
    return (pos / stops[0] + 1) * stops[0];
  }
  const int sp = std::max(1, defaultSpacing);
  return (pos / sp + 1) * sp;
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  TextCore(d, x, y, text, Len(text, count), TextOpts{});
  return TRUE;
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  TextOpts o;
  o.options = options;
  o.rect = rect;
  o.dx = dx;
  TextCore(d, x, y, text ? text : "", text ? static_cast<int>(count) : 0, o);
  return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CSize(0, 0);
  const fonts::RealizedFont& f = FontOf(d);
  return CSize(ToLogicalX(d, RunWidth(d, f, text, Len(text, count))), ToLogicalY(d, f.height));
}

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const int* tabStops) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CSize(0, 0);
  const fonts::RealizedFont& f = FontOf(d);
  const int n = Len(text, count);
  const int spacing = 8 * ToLogicalX(d, f.aveCharWidth);
  int pos = 0, start = 0;
  for (int i = 0; i <= n; ++i) {
    if (i < n && text[i] != '\t') continue;
    pos += ToLogicalX(d, RunWidth(d, f, text + start, i - start));
    if (i < n) pos = NextTab(pos, tabPositions, tabStops, spacing);
    start = i + 1;
  }
  return CSize(pos, ToLogicalY(d, f.height));
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions, const int* tabStops,
                         int tabOrigin) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CSize(0, 0);
  const fonts::RealizedFont& f = FontOf(d);
  const int n = Len(text, count);
  const CSize total = GetTabbedTextExtent(text, n, tabPositions, tabStops);
  if (d->st.bkMode == OPAQUE) {
    const RECT cell{x, y, x + total.cx, y + total.cy};
    dc::FillRect(d, dc::ToSurface(d, dc::LpToDpRect(d->st, cell)), dc::SolidPaint(dc::Fit(d, d->st.bkColor)));
  }
  const int spacing = 8 * ToLogicalX(d, f.aveCharWidth);
  TextOpts o;
  o.forceTransparent = true;
  o.useAlign = false;
  int pos = x, start = 0;
  for (int i = 0; i <= n; ++i) {
    if (i < n && text[i] != '\t') continue;
    pos += TextCore(d, pos, y, text + start, i - start, o);
    if (i < n) pos = tabOrigin + NextTab(pos - tabOrigin, tabPositions, tabStops, spacing);
    start = i + 1;
  }
  return total;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !tm) return FALSE;
  const fonts::RealizedFont& f = FontOf(d);
  *tm = TEXTMETRIC{};
  tm->tmHeight = ToLogicalY(d, f.height);
  tm->tmAscent = ToLogicalY(d, f.ascent);
  tm->tmDescent = ToLogicalY(d, f.descent);
  tm->tmInternalLeading = ToLogicalY(d, f.internalLeading);
  tm->tmExternalLeading = ToLogicalY(d, f.externalLeading);
  tm->tmAveCharWidth = ToLogicalX(d, f.aveCharWidth);
  tm->tmMaxCharWidth = ToLogicalX(d, f.maxCharWidth);
  tm->tmWeight = f.weight;
  tm->tmDigitizedAspectX = d->dpiX;
  tm->tmDigitizedAspectY = d->dpiY;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = f.italic;
  tm->tmUnderlined = f.underline;
  tm->tmStruckOut = f.strikeOut;
  // The classic bit reads the other way round: set for variable pitch.
  tm->tmPitchAndFamily =
      static_cast<BYTE>((f.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | f.family);
  tm->tmCharSet = ANSI_CHARSET;
  return TRUE;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, LPINT widths) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !widths || first > last || last > 0xFF) return FALSE;
  const fonts::RealizedFont& f = FontOf(d);
  for (UINT c = first; c <= last; ++c) widths[c - first] = ToLogicalX(d, f.advance[c]);
  return TRUE;
}

int CDC::GetTextFace(int count, LPTSTR face) const {
  DcImpl* d = dc::Lookup(m_hDC);
  GdiObjectImpl* f = d ? gdi::Lookup(d->st.font, OBJ_FONT) : nullptr;
  if (!f || !face || count <= 0) return 0;
  const int n = std::min(count - 1, static_cast<int>(strnlen(f->font.lfFaceName, LF_FACESIZE - 1)));
  std::memcpy(face, f->font.lfFaceName, static_cast<std::size_t>(n));
  face[n] = '\0';
  return n;
}

int CDC::GetTextFace(CString& face) const {
  char buf[LF_FACESIZE] = {};
  const int n = GetTextFace(LF_FACESIZE, buf);
  face = buf;
  return n;
}

// ---- DrawText ----

namespace {

struct Line {
  std::string text;
  std::vector<char> mark;  // access-key underline per character
};

struct Layout {
  DcImpl* d;
  const fonts::RealizedFont& f;
  UINT format;
  int tabWidth;  // device pixels

  // The width `w` grows to after character `c` (a tab moves to the next stop).
  int Step(int w, char c, int extra) const {
    if (c == '\t' && (format & DT_EXPANDTABS)) return (w / tabWidth + 1) * tabWidth;
    return w + f.advance[Byte(c)] + extra;
  }
  int Width(const std::string& s, std::size_t from, std::size_t to) const {
    int w = 0;
    const int extra = ExtraPx(d);
    for (std::size_t i = from; i < to; ++i) w = Step(w, s[i], extra);
    return w;
  }
  int Width(const std::string& s) const { return Width(s, 0, s.size()); }
};

// Splits `in` into lines no wider than `max` pixels, between words where
// possible; a word wider than a line is broken between characters.
void WordBreak(const Layout& lay, const Line& in, int max, std::vector<Line>& out) {
  const std::string& s = in.text;
  std::size_t start = 0;
  const std::size_t n = s.size();
  if (n == 0) {
    out.push_back(in);
    return;
  }
  while (start < n) {
    std::size_t end = std::string::npos, i = start;
    while (i < n) {
      std::size_t j = i;
      while (j < n && s[j] == ' ') ++j;
      while (j < n && s[j] != ' ') ++j;
      if (lay.Width(s, start, j) > max) break;
      end = i = j;
    }
    std::size_t next = end;
    if (end == std::string::npos) {
      // The first word alone is too wide: as many characters as fit, at
      // least one.
      end = start + 1;
      while (end < n && s[end] != ' ' && lay.Width(s, start, end + 1) <= max) ++end;
      next = end;
    }
    Line l;
    l.text = s.substr(start, end - start);
    l.mark.assign(in.mark.begin() + static_cast<std::ptrdiff_t>(start), in.mark.begin() + static_cast<std::ptrdiff_t>(end));
    out.push_back(std::move(l));
    while (next < n && s[next] == ' ') ++next;
    start = next;
  }
}

void EndEllipsis(const Layout& lay, Line& l, int max) {
  if (lay.Width(l.text) <= max) return;
  std::string base = l.text;
  while (!base.empty() && lay.Width(base + "...") > max) base.pop_back();
  if (lay.format & DT_WORD_ELLIPSIS) {
    const auto sp = base.find_last_of(' ');
    if (sp != std::string::npos && sp > 0) base.resize(sp);
  }
  l.mark.resize(base.size());
  l.text = base + "...";
  l.mark.resize(l.text.size(), 0);
}

// Keeps the last path component and shortens what comes before it.
void PathEllipsis(const Layout& lay, Line& l, int max) {
  if (lay.Width(l.text) <= max) return;
  const auto slash = l.text.find_last_of("\\/");
  if (slash == std::string::npos) {
    EndEllipsis(lay, l, max);
    return;
  }
  std::string head = l.text.substr(0, slash);
  const std::string tail = l.text.substr(slash);
  while (!head.empty() && lay.Width(head + "..." + tail) > max) head.pop_back();
  l.text = head + "..." + tail;
  l.mark.assign(l.text.size(), 0);
}

}  // namespace

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return 0;
  const int n = Len(text, count);
  const fonts::RealizedFont& f = FontOf(d);
  int tabChars = 8;
  if (format & DT_TABSTOP) tabChars = static_cast<int>((format >> 8) & 0xFF);
  const Layout lay{d, f, format, std::max(1, tabChars * f.aveCharWidth)};

  // Access-key marks: "&x" underlines x, "&&" is one "&".
  Line all;
  for (int i = 0; i < n; ++i) {
    char c = text[i];
    bool mark = false;
    if (c == '&' && !(format & DT_NOPREFIX)) {
      if (i + 1 >= n) break;
      c = text[++i];
      mark = c != '&';
    }
    all.text += c;
    all.mark.push_back(mark && !(format & DT_HIDEPREFIX));
  }

  std::vector<Line> lines;
  const RECT dev = dc::ToSurface(d, dc::LpToDpRect(d->st, *rect));
  const int maxWidth = dev.right - dev.left;
  if (format & DT_SINGLELINE) {
    Line l;
    for (std::size_t i = 0; i < all.text.size(); ++i)
      if (all.text[i] != '\r' && all.text[i] != '\n') {
        l.text += all.text[i];
        l.mark.push_back(all.mark[i]);
      }
    lines.push_back(std::move(l));
  } else {
    Line cur;
    auto finish = [&]() {
      if (format & DT_WORDBREAK) WordBreak(lay, cur, maxWidth, lines);
      else lines.push_back(cur);
      cur = Line();
    };
    for (std::size_t i = 0; i < all.text.size(); ++i) {
      const char c = all.text[i];
      if (c == '\r' || c == '\n') {
        if (c == '\r' && i + 1 < all.text.size() && all.text[i + 1] == '\n') ++i;
        finish();
        continue;
      }
      cur.text += c;
      cur.mark.push_back(all.mark[i]);
    }
    finish();
  }
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
    for (Line& l : lines) {
      if (format & DT_PATH_ELLIPSIS) PathEllipsis(lay, l, maxWidth);
      else EndEllipsis(lay, l, maxWidth);
    }
  }

  const int lineHeight = f.height + ((format & DT_EXTERNALLEADING) ? f.externalLeading : 0);
  const int totalHeight = lineHeight * static_cast<int>(lines.size());
  int widest = 0;
  for (const Line& l : lines) widest = std::max(widest, lay.Width(l.text));

  if (format & DT_CALCRECT) {
    // The rectangle keeps its left and top and grows or shrinks to the text.
    const POINT lt = dc::ToSurface(d, dc::LpToDp(d->st, rect->left, rect->top));
    const POINT a = dc::DpToLp(d->st, lt.x - d->originX + widest, lt.y - d->originY + totalHeight);
    rect->right = a.x;
    rect->bottom = a.y;
    return ToLogicalY(d, totalHeight);
  }

  int top = dev.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = dev.top + (dev.bottom - dev.top - lineHeight) / 2;
    else if (format & DT_BOTTOM) top = dev.bottom - lineHeight;
  }
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : &dev;
  const std::uint32_t ink = dc::Fit(d, d->st.textColor);
  for (const Line& l : lines) {
    const int w = lay.Width(l.text);
    int left = dev.left;
    if (format & DT_CENTER) left = dev.left + (maxWidth - w) / 2;
    else if (format & DT_RIGHT) left = dev.right - w;
    const int baseline = top + f.ascent;
    // Character positions, with tabs expanded.
    std::vector<int> adv(l.text.size());
    const int extra = ExtraPx(d);
    int x = 0;
    for (std::size_t i = 0; i < l.text.size(); ++i) {
      const int next = lay.Step(x, l.text[i], extra);
      adv[i] = next - x;
      x = next;
    }
    if (d->st.bkMode == OPAQUE && w > 0) {
      RECT cell{left, top, left + w, top + f.height};
      if (clip) IntersectRect(&cell, &cell, clip);
      dc::FillRect(d, cell, dc::SolidPaint(dc::Fit(d, d->st.bkColor)));
    }
    std::string shown = l.text;
    for (char& c : shown)
      if (c == '\t') c = ' ';
    DrawGlyphs(d, f, left, baseline, shown.data(), static_cast<int>(shown.size()), adv, clip);
    int cx = left;
    for (std::size_t i = 0; i < l.text.size(); ++i) {
      if (l.mark[i]) {
        RECT u{cx, baseline + 1, cx + adv[i], baseline + 2};
        if (clip) IntersectRect(&u, &u, clip);
        dc::FillRect(d, u, dc::SolidPaint(ink));
      }
      cx += adv[i];
    }
    if (f.underline || f.strikeOut) {
      auto bar = [&](int y0, int th) {
        RECT r{left, y0, left + w, y0 + th};
        if (clip) IntersectRect(&r, &r, clip);
        dc::FillRect(d, r, dc::SolidPaint(ink));
      };
      if (f.underline) bar(baseline + f.underlinePos, f.underlineThickness);
      if (f.strikeOut) bar(baseline - f.strikePos, f.strikeThickness);
    }
    top += lineHeight;
  }
  return ToLogicalY(d, (top - dev.top));
}
