#include "app/GridPreview.h"

#include "grid/features/GXGridPrintPreview.h"
#include "platform/framework/CWinApp.h"
#include "platform/print/PreviewPages.h"
#include "reports/PrevDlg.h"
#include "reports/PreviewSource.h"

namespace {

// A grid's pages, kept as drawings at the printer's measures.
class GridPages : public CPreviewPageSource {
 public:
  GridPages(CGXGridCore* grid, CPreviewPages& pages) : grid_(grid), pages_(pages) {}

  int PageCount() const override { return pages_.GetPageCount(); }
  float PaperWidth() const override { return Inches(pages_.GetPaperSize().cx); }
  float PaperHeight() const override { return Inches(pages_.GetPaperSize().cy); }
  void DrawPage(CDC* dc, int page, int x, int y, int ppi) override { pages_.DrawPage(dc, page, x, y, ppi); }
  // The grid is printed again by its own print loop: the drawings are the
  // preview printer's, and the printer chosen may measure otherwise.
  void Print(CWnd* owner) override {
    GXPrintGridWithDialog(grid_, owner, static_cast<UINT>(PageCount()));
  }

 private:
  float Inches(long pixels) const {
    const int dpi = pages_.GetResolution();
    return dpi > 0 ? static_cast<float>(pixels) / static_cast<float>(dpi) : 0.0f;
  }

  CGXGridCore* grid_;
  CPreviewPages& pages_;
};

void ShowGridPages(CGXGridCore* grid, CPreviewPages& pages, int firstPage) {
  GridPages source(grid, pages);
  CPrevDlg dlg(&source, firstPage, AfxGetMainWnd());
  dlg.DoModal();
}

}  // namespace

void InstallGridPreview() { GXSetGridPreviewHost(ShowGridPages); }
