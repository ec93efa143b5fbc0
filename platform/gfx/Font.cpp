// CFont creation by point size, which needs the DC's resolution.
#include <cmath>
#include <cstring>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcState.h"

BOOL CFont::CreatePointFontIndirect(const LOGFONT* font, CDC* dc) {
  if (!font) return FALSE;
  LOGFONT lf = *font;
  DcImpl* d = dc ? dc::Lookup(dc->m_hDC) : nullptr;
  const int dpi = d ? d->dpiY : 96;
  // lfHeight holds tenths of a point here; the font wants the character
  // height in the DC's logical units.
  POINT p{0, static_cast<LONG>(std::lround(std::fabs(lf.lfHeight) * dpi / 720.0))};
  if (dc && d) {
    POINT zero{0, 0};
    dc->DPtoLP(&p);
    dc->DPtoLP(&zero);
    p.y = std::abs(p.y - zero.y);
  }
  lf.lfHeight = -std::abs(static_cast<int>(p.y));
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR face, CDC* dc) {
  LOGFONT lf;
  lf.lfHeight = pointSize;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, dc);
}
