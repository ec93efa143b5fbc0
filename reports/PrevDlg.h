// The report preview: the report's pages drawn at a zoom, scrolled and
// paged, with page setup (which asks the generator to rebuild), print,
// save as plain text and close. Three rendered pages are kept, so that
// scrolling page by page renders at most one new page. The window also
// shows pages of another source (a grid's print): zoom, scrolling, paging
// and Print as for a report; page setup and save as text, which belong to
// a report's page file, are hidden.
#pragma once

#include <algorithm>
#include <memory>

#include "platform/base/CString.h"
#include "platform/controls/CtlComboBox.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "reports/PreviewSource.h"
#include "reports/RptContext.h"

struct SettingsSection;

// The zoom list, in order; the first two are computed from the window.
inline constexpr int kPreviewZoomCount = 9;
extern const char* const kPreviewZoomNames[kPreviewZoomCount];

class CPrevDlg : public CDialog {
 public:
  CPrevDlg(RptContext* context, int* rebuild, float paperWidth, float paperHeight, CWnd* parent = nullptr);
  // Pages of another source (borrowed), opened at page `firstPage` (from 0).
  CPrevDlg(CPreviewPageSource* source, int firstPage, CWnd* parent = nullptr);
  ~CPrevDlg() override;

  // State the tests read.
  int ZoomIndex() const { return zoomIndex_; }
  int ZoomPercent(int index) const { return zoom_[index]; }
  int TopPage() const { return cellH_ > 0 ? vOffset_ / cellH_ : 0; }
  // The page the display names: the top page, or the last page once the
  // view has reached the document's end (a page no taller than the view
  // never reaches its top).
  int ShownPage() const { return vRange_ > 0 && vOffset_ >= vRange_ ? std::max(0, PageCount() - 1) : TopPage(); }
  int FirstCachedPage() const { return cachedFirst_; }
  // The page each place of the cache shows (-1 none).
  int CachedPage(int place) const { return imagePage_[slot_[place]]; }
  int RenderCount() const { return renders_; }
  int PixelsPerInch() const { return ppi_; }
  int VerticalOffset() const { return vOffset_; }
  int PageCellHeight() const { return cellH_; }
  void SelectZoom(int index);
  void GoToPage(int index);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
  void OnCancel() override;
  void OnDestroy() override;

 private:
  int PageCount() const { return source_->PageCount(); }
  void ReadSettings();
  void Layout();
  void RenderPage(int image, int page);
  void RefreshCache(bool all);
  void UpdatePageDisplay();
  void ScrollTo(int vertical, int horizontal);
  int ScrollCode(UINT code, UINT pos, int current, int range, int line, int pageStep) const;
  void OnPageSetup();
  void OnPrint();
  void OnSaveAs();
  void Close(int code);
  void FreeImages();

  RptContext* c_;  // null for a source other than a report
  int* rebuild_;
  std::unique_ptr<CPreviewPageSource> reportPages_;
  CPreviewPageSource* source_;
  int firstPage_ = 0;
  float paperW_, paperH_;
  int zoom_[kPreviewZoomCount] = {0, 0, 150, 125, 100, 75, 66, 50, 25};
  int zoomIndex_ = 0;
  CString saveFolder_;
  int savedW_ = 0, savedH_ = 0;
  int minW_ = 0, minH_ = 0;
  bool sized_ = false;
  SettingsSection* section_ = nullptr;

  CComboBox zoomList_;
  CScrollBar vBar_, hBar_;
  CDC images_[3];
  CBitmap bitmaps_[3];
  CBitmap* oldBitmaps_[3] = {};
  int imagePage_[3] = {-1, -1, -1};
  int slot_[3] = {0, 1, 2};  // the image shown at each of the three places
  bool imagesMade_ = false;
  int cachedFirst_ = -1;
  int renders_ = 0;

  RECT view_{};  // the page area, client pixels
  int ppi_ = 96;  // pixels per inch at the zoom
  int gapX_ = 0, gapY_ = 0;
  int pageW_ = 0, pageH_ = 0, cellW_ = 0, cellH_ = 0;
  int docW_ = 0, docH_ = 0;
  int hOffset_ = 0, vOffset_ = 0;
  int hRange_ = 0, vRange_ = 0;
  int lineStep_ = 0, hPageStep_ = 0, vPageStep_ = 0;
};

// Shows the preview of a built report modally; sets *rebuild when the
// page setup changed. 1.
int ShowRptPreview(RptContext* context, int* rebuild);
