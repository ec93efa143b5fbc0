// The label sheet drawn to scale, for choosing where printing starts on a
// partly used sheet, and the hit test of its labels.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/framework/CWnd.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "reports/MailLabel.h"

namespace {

constexpr int kShadow = 30;  // thousandths of an inch

// Every drawing object the sheet selects, put back when it is done.
class SelectionGuard {
 public:
  explicit SelectionGuard(CDC* dc) : dc_(dc), saved_(dc->SaveDC()) {}
  ~SelectionGuard() { dc_->RestoreDC(saved_); }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  CDC* dc_;
  int saved_;
};

}  // namespace

bool CMailLabel::DrawSheet(CDC* dc, CWnd* control, bool numbers, CString& error) {
  error.Empty();
  const MailLabelDef d = def_;
  if (!Validate(error)) return false;
  if (dc == nullptr || control == nullptr) return false;
  // Made before the guard, so that they outlive their selection.
  CBrush paper(RGB(235, 235, 235)), black(RGB(0, 0, 0)), face(GetSysColor(COLOR_BTNFACE)), white(RGB(255, 255, 255));
  CFont font;
  SelectionGuard guard(dc);
  // Thousandths of an inch, y growing upward, whatever the caller's mapping.
  if (dc->GetMapMode() != MM_HIENGLISH) dc->SetMapMode(MM_HIENGLISH);

  RECT page;
  control->GetWindowRect(&page);
  if (CWnd* parent = control->GetParent()) parent->ScreenToClient(&page);
  dc->DPtoLP(&page);  // now top > bottom
  const int pageWide = page.right - page.left;
  const int pageHigh = page.top - page.bottom;

  dc->SelectStockObject(NULL_PEN);
  dc->SelectObject(&paper);
  dc->Rectangle(page.left, page.top, page.right + 1, page.bottom - 1);
  dc->SelectObject(&black);
  dc->Rectangle(page.right, page.top - kShadow, page.right + kShadow + 1, page.top - kShadow - pageHigh - 1);
  dc->Rectangle(page.left + kShadow, page.bottom - kShadow, page.left + kShadow + pageWide + 1, page.bottom - 1);
  dc->SelectStockObject(BLACK_PEN);

  const double sx = pageWide / static_cast<double>(d.pageWidth);
  const double sy = pageHigh / static_cast<double>(d.pageHeight);
  const double width = d.labelWidth * sx, height = d.labelHeight * sy;
  const double hPitch = d.hPitch * sx, vPitch = d.vPitch * sy;
  const double radius = d.cornerRadius * sx;
  const int corner = static_cast<int>(radius);
  const bool round = width == height && height / 2 <= radius;

  if (numbers) {
    LOGFONT lf{};
    lf.lfHeight = std::min(static_cast<int>(height) + 21, 150);
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = FF_SWISS;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
  }
  dc->SelectObject(&face);

  if (d.feed & 2) {
    // Tractor holes: one column near each side edge, half an inch apart.
    const double hole = 5.0 / 32 * sx;
    const int across = static_cast<int>(pageWide - 3 * hole);
    const int apart = static_cast<int>(0.5 * sy);
    for (int x = static_cast<int>(page.left + hole); x < page.right; x += across) {
      for (int y = static_cast<int>(page.top - 3.0 / 16 * sy); y > page.bottom; y -= apart) {
        dc->Ellipse(x, y, static_cast<int>(x + hole), static_cast<int>(y - hole));
        if (apart <= 0) break;  // a sheet too small to space its holes
      }
      if (across <= 0) break;
    }
  }

  dc->SelectObject(&white);
  boxes_.assign(static_cast<std::size_t>(d.across) * static_cast<std::size_t>(d.down), RECT{});
  const double top = page.top - d.topMargin * sy;
  for (int i = 0; i < d.across; ++i) {
    const int x = static_cast<int>(page.left + d.leftMargin * sx + i * hPitch);
    const int right = static_cast<int>(x + width);
    int y = static_cast<int>(top);
    for (int j = 0; j < d.down; ++j) {
      const int yb = static_cast<int>(top - j * vPitch - height);
      if (round)
        dc->Ellipse(x, y, right, yb);
      else
        dc->RoundRect(x, y, right, yb, corner, corner);
      RECT box{x, y, right, yb};
      dc->LPtoDP(&box);
      if (box.left > box.right) std::swap(box.left, box.right);
      if (box.top > box.bottom) std::swap(box.top, box.bottom);
      boxes_[static_cast<std::size_t>(j) * d.across + i] = box;
      if (numbers) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", j * d.across + i + 1);
        const CSize extent = dc->GetTextExtent(text, static_cast<int>(std::strlen(text)));
        const int tx = x + static_cast<int>((width - extent.cx) / 2);
        const int ty = yb + static_cast<int>(height - (height - extent.cy) / 2);
        dc->TextOut(tx, ty + 2, text, static_cast<int>(std::strlen(text)));
      }
      // Labels that touch share their edge.
      y = height == vPitch ? yb + 10 : static_cast<int>(top - (j + 1) * vPitch);
    }
  }
  return true;
}

int CMailLabel::HitTest(int x, int y) const {
  const POINT p{x, y};
  for (std::size_t k = 0; k < boxes_.size(); ++k)
    if (PtInRect(&boxes_[k], p)) return static_cast<int>(k) + 1;
  return -1;
}
