#include "common/HeadingBand.h"

#include <cstring>

#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"

CBandDialog::CBandDialog(UINT templateId, CWnd* parent, int frameId, int textId, int bitmapId, const char* heading)
    : CDialog(templateId, parent),
      m_nFrameId(frameId),
      m_nTextId(textId),
      m_nBitmapId(bitmapId),
      m_pszHeading(heading) {}

void CBandDialog::OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) {
  if (idCtl != m_nFrameId || dis == nullptr) {
    CDialog::OnDrawItem(idCtl, dis);
    return;
  }
  CDC* dc = CDC::FromHandle(dis->hDC);
  const RECT& frame = dis->rcItem;
  dc->FillSolidRect(&frame, RGB(255, 255, 255));
  CBitmap picture;
  BITMAP bm{};
  if (picture.LoadBitmap(static_cast<UINT>(m_nBitmapId))) {
    picture.GetBitmap(&bm);
    CDC memory;
    if (memory.CreateCompatibleDC(dc)) {
      CBitmap* old = memory.SelectObject(&picture);
      dc->BitBlt(frame.left, frame.top, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
      memory.SelectObject(old);
    }
  }
  CFont* font = GetFont();
  CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(0, 0, 0));
  const int len = static_cast<int>(std::strlen(m_pszHeading));
  const CSize size = dc->GetTextExtent(m_pszHeading, len);
  const int bandHeight = bm.bmHeight > 0 ? bm.bmHeight : size.cy;
  dc->TextOut(frame.left + bm.bmWidth + 4, frame.top + (bandHeight - size.cy) / 2, m_pszHeading, len);
  if (oldFont) dc->SelectObject(oldFont);
}

HBRUSH CBandDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  if (wnd && wnd->GetDlgCtrlID() == m_nTextId) {
    dc->SetBkColor(RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
