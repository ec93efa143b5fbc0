// A built report as the preview's pages: each page read from the report's
// page file and drawn by the mark-up parser with the report's fonts (made
// by the preview at its zoom); Print prints the report on the printer the
// print dialog chooses, which becomes the program's printer.
#pragma once

#include "reports/PreviewSource.h"
#include "reports/RptContext.h"

class CRptPreviewSource : public CPreviewPageSource {
 public:
  // The paper of the preview: the printer's, or a label sheet's.
  CRptPreviewSource(RptContext* context, float paperWidth, float paperHeight);

  int PageCount() const override { return c_->pageCount; }
  float PaperWidth() const override { return paperW_; }
  float PaperHeight() const override { return paperH_; }
  void DrawPage(CDC* dc, int page, int x, int y, int ppi) override;
  void Print(CWnd* owner) override;

 private:
  RptContext* c_;
  float paperW_, paperH_;
};
