#include "app/HeadingBand.h"

#include <cstring>

#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"

void PaintHeadingBand(CDC* dc, const RECT& frame, int bitmapId, const char* heading, CFont* font) {
  dc->FillSolidRect(&frame, RGB(255, 255, 255));
  CBitmap picture;
  BITMAP bm{};
  if (picture.LoadBitmap(static_cast<UINT>(bitmapId))) {
    picture.GetBitmap(&bm);
    CDC memory;
    if (memory.CreateCompatibleDC(dc)) {
      CBitmap* old = memory.SelectObject(&picture);
      dc->BitBlt(frame.left, frame.top, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
      memory.SelectObject(old);
    }
  }
  CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(0, 0, 0));
  const int len = static_cast<int>(std::strlen(heading));
  const CSize size = dc->GetTextExtent(heading, len);
  const int bandHeight = bm.bmHeight > 0 ? bm.bmHeight : size.cy;
  dc->TextOut(frame.left + bm.bmWidth + 4, frame.top + (bandHeight - size.cy) / 2, heading, len);
  if (oldFont) dc->SelectObject(oldFont);
}

HBRUSH BandBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }
