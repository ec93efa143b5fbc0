// Shared pieces of the standard controls.
#include "platform/controls/CtlCommon.h"

#include <cstring>

#include "platform/gfx/FontEngine.h"

namespace ctl {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

bool Notify(HWND hwnd, int code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return IsWindow(hwnd) != FALSE;
  int id = GetDlgCtrlID(hwnd);
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
              reinterpret_cast<LPARAM>(hwnd));
  return IsWindow(hwnd) != FALSE;
}

HBRUSH CtlColor(HWND hwnd, HDC dc, UINT msg) {
  HWND parent = GetParent(hwnd);
  HBRUSH brush = nullptr;
  if (parent) brush = reinterpret_cast<HBRUSH>(SendMessage(parent, msg, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(hwnd)));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProc(hwnd, msg, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(hwnd)));
  return brush;
}

HFONT DefaultFont() {
  static HFONT font = [] {
    LOGFONT lf;
    lf.lfHeight = -11;  // 8 points at 96 dots per inch
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirect(&lf);
  }();
  return font;
}

FontInfo Measure(HFONT font) {
  LOGFONT lf;
  if (!font || GetObject(font, sizeof lf, &lf) != static_cast<int>(sizeof lf)) {
    font = DefaultFont();
    GetObject(font, sizeof lf, &lf);
  }
  const fonts::RealizedFont& rf = fonts::Realize(lf);
  FontInfo fi;
  fi.height = rf.height > 0 ? rf.height : 13;
  fi.ascent = rf.ascent;
  fi.aveWidth = rf.aveCharWidth > 0 ? rf.aveCharWidth : 5;
  fi.externalLeading = rf.externalLeading;
  fi.advance = rf.advance;
  return fi;
}

int TextWidth(const FontInfo& f, const char* text, int count) {
  int w = 0;
  for (int i = 0; i < count; ++i) w += f.advance ? f.advance[static_cast<unsigned char>(text[i])] : f.aveWidth;
  return w;
}

bool IsWordChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u > ' ' && u != 0x7F && u != 0xA0;
}

void FillBrush(CDC* dc, const RECT& r, HBRUSH brush) {
  auto v = reinterpret_cast<std::uintptr_t>(brush);
  if (v >= 1 && v <= COLOR_COUNT) brush = GetSysColorBrush(static_cast<int>(v - 1));
  if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
  dc->FillRect(&r, CBrush::FromHandle(brush));
}

void DrawArrowGlyph(CDC* dc, const RECT& r, int direction, bool enabled) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int size = std::max(2, std::min(w, h) / 4 + 1);  // half-width of the triangle's base
  int cx = r.left + w / 2, cy = r.top + h / 2;
  auto draw = [&](int ox, int oy, COLORREF color) {
    for (int i = 0; i < size; ++i) {
      int len = 2 * (size - i) - 1;
      // Row i is the triangle's base for i = 0, its tip for i = size - 1.
      switch (direction) {
        case 0: dc->FillSolidRect(ox + cx - (size - i) + 1, oy + cy + size / 2 - i, len, 1, color); break;
        case 1: dc->FillSolidRect(ox + cx - (size - i) + 1, oy + cy - size / 2 + i, len, 1, color); break;
        case 2: dc->FillSolidRect(ox + cx + size / 2 - i, oy + cy - (size - i) + 1, 1, len, color); break;
        default: dc->FillSolidRect(ox + cx - size / 2 + i, oy + cy - (size - i) + 1, 1, len, color); break;
      }
    }
  };
  if (enabled) {
    draw(0, 0, GetSysColor(COLOR_BTNTEXT));
  } else {
    draw(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    draw(0, 0, GetSysColor(COLOR_GRAYTEXT));
  }
}

RECT DrawButtonFace(CDC* dc, const RECT& r0, bool pushed, bool defaultFrame) {
  RECT r = r0;
  if (defaultFrame) {
    dc->Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (pushed) {
    dc->Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    InflateRect(&r, -1, -1);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    InflateRect(&r, -1, -1);
    return r;
  }
  // Classic raised edge: light/highlight outside top-left, dark/shadow
  // bottom-right.
  dc->Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  InflateRect(&r, -1, -1);
  dc->Draw3dRect(&r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  return r;
}

void FillScrollTrack(CDC* dc, const RECT& r) {
  // The classic track: a checker of the highlight and the face colour.
  static HBRUSH checker = [] {
    const BYTE rows[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
    return CreatePatternBrush(bmp);
  }();
  COLORREF text = dc->SetTextColor(GetSysColor(COLOR_BTNFACE));
  COLORREF back = dc->SetBkColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  CPoint org = dc->SetBrushOrg(0, 0);
  dc->FillRect(&r, CBrush::FromHandle(checker));
  dc->SetBrushOrg(org);
  dc->SetTextColor(text);
  dc->SetBkColor(back);
}

void BarsAskedFor(LPARAM createStruct, bool* wantV, bool* wantH) {
  auto* cs = reinterpret_cast<const CREATESTRUCT*>(createStruct);
  if (!cs) return;
  *wantV = (static_cast<DWORD>(cs->style) & WS_VSCROLL) != 0;
  *wantH = (static_cast<DWORD>(cs->style) & WS_HSCROLL) != 0;
}

}  // namespace ctl
