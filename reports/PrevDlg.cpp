#include "reports/PrevDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/ConfigFile.h"
#include "common/DialogSizer.h"
#include "common/DlgUtil.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "platform/commdlg/CommDlgDefs.h"
#include "platform/commdlg/FileDialog.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Messages.h"
#include "reports/PageSetupDlg.h"
#include "reports/RptFonts.h"
#include "reports/RptPreviewSource.h"
#include "reports/RptRender.h"
#include "res/resource.h"

const char* const kPreviewZoomNames[kPreviewZoomCount] = {"Page Width", "Whole Page", "150%", "125%", "100%",
                                                          "75%",        "66%",        "50%",  "25%"};

CPrevDlg::CPrevDlg(RptContext* context, int* rebuild, float paperWidth, float paperHeight, CWnd* parent)
    : CDialog(IDD_RPT_PREVIEW, parent), c_(context), rebuild_(rebuild),
      reportPages_(std::make_unique<CRptPreviewSource>(context, paperWidth, paperHeight)),
      source_(reportPages_.get()), paperW_(source_->PaperWidth()), paperH_(source_->PaperHeight()) {
  ReadSettings();
}

CPrevDlg::CPrevDlg(CPreviewPageSource* source, int firstPage, CWnd* parent)
    : CDialog(IDD_RPT_PREVIEW, parent), c_(nullptr), rebuild_(nullptr), source_(source),
      firstPage_(std::max(0, firstPage)), paperW_(source->PaperWidth()), paperH_(source->PaperHeight()) {
  if (paperW_ <= 0) paperW_ = 8.5f;
  if (paperH_ <= 0) paperH_ = 11.0f;
  ReadSettings();
}

void CPrevDlg::ReadSettings() {
  section_ = OpenSettingsSection(SettingsFileName, "PREVIEW");
  zoomIndex_ = std::clamp(GetSettingInt(section_, 'A', 0), 0, kPreviewZoomCount - 1);
  char folder[MAX_PATH] = {};
  GetSettingText(section_, 'B', ProgramFolder, folder);
  saveFolder_ = folder;
  savedW_ = ReadDialogSize(section_, 'X');
  savedH_ = ReadDialogSize(section_, 'Y');
}

CPrevDlg::~CPrevDlg() {
  FreeImages();
  if (section_) CloseSettingsSection(section_);
}

BOOL CPrevDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (rebuild_) *rebuild_ = 0;
  if (c_) DeleteRptFonts(c_);  // made again at the zoom
  zoomList_.SubclassDlgItem(IDC_PRV_ZOOM, this);
  for (const char* name : kPreviewZoomNames) zoomList_.AddString(name);
  zoomList_.SetCurSel(zoomIndex_);
  vBar_.SubclassDlgItem(IDC_PRV_VSCROLL, this);
  hBar_.SubclassDlgItem(IDC_PRV_HSCROLL, this);
  if (CWnd* help = GetDlgItem(IDC_SHELL_HELP)) help->ShowWindow(SW_HIDE);
  if (c_ == nullptr) {
    // Page setup and plain text are a report's: other pages come drawn.
    for (int id : {IDC_PRV_SETUP, IDC_PRV_EXPORT})
      if (CWnd* w = GetDlgItem(id)) w->ShowWindow(SW_HIDE);
  }

  CRect window;
  GetWindowRect(&window);
  minW_ = window.Width();
  minH_ = window.Height();
  if (savedW_ > 0) {
    SetWindowPos(nullptr, 0, 0, std::max(savedW_, minW_), std::max(savedH_, minH_), SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
  } else if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) {
    // Without a remembered size the preview covers the main window.
    CRect client;
    main->GetClientRect(&client);
    main->ClientToScreen(&client);
    if (client.Width() > 0 && client.Height() > 0)
      SetWindowPos(nullptr, client.left, client.top, std::max<int>(client.Width(), minW_),
                   std::max<int>(client.Height(), minH_), SWP_NOZORDER);
  } else {
    CenterWindow();
  }
  GetWindowRect(&window);
  savedW_ = window.Width();
  savedH_ = window.Height();
  sized_ = true;
  OnSize(0, 0, 0);  // frame and bars follow the size; the layout is made
  if (firstPage_ > 0) GoToPage(std::min(firstPage_, PageCount() - 1));
  return TRUE;
}

void CPrevDlg::FreeImages() {
  for (int i = 0; i < 3; ++i) {
    if (oldBitmaps_[i]) images_[i].SelectObject(oldBitmaps_[i]);
    oldBitmaps_[i] = nullptr;
    images_[i].DeleteDC();
    bitmaps_[i].DeleteObject();
    imagePage_[i] = -1;
  }
  imagesMade_ = false;
  cachedFirst_ = -1;
  for (int i = 0; i < 3; ++i) slot_[i] = i;
}

void CPrevDlg::Layout() {
  FreeImages();
  CWnd* frame = GetDlgItem(IDC_PRV_FRAME);
  if (frame == nullptr) return;
  CRect r;
  frame->GetWindowRect(&r);
  ScreenToClient(&r);
  r.DeflateRect(2, 2);
  view_ = r;
  const int V = std::max(1, static_cast<int>(r.Width()));
  const int H = std::max(1, static_cast<int>(r.Height()));
  // Zooms are percentages of 96 pixels per inch (the screen's real size).
  const double widthPpi = V / (2 * 0.25 + paperW_);
  const double wholePpi = std::min(widthPpi, H / (2 * 0.13 + paperH_));
  zoom_[0] = std::max(1, static_cast<int>(widthPpi * 100 / 96 + 0.5));
  zoom_[1] = std::max(1, static_cast<int>(wholePpi * 100 / 96));
  const int z = zoom_[zoomIndex_];
  ppi_ = std::max(1, z * 96 / 100);
  gapX_ = static_cast<int>(0.25 * ppi_);
  gapY_ = static_cast<int>(0.13 * ppi_);
  pageW_ = static_cast<int>(ppi_ * paperW_);
  pageH_ = static_cast<int>(ppi_ * paperH_);
  cellW_ = pageW_ + 2 * gapX_;
  cellH_ = pageH_ + 2 * gapY_;
  const int pages = std::max(1, PageCount());
  docW_ = cellW_;
  docH_ = cellH_ * pages;
  // Each scroll position keeps its relative place in its range.
  const double hPlace = hRange_ > 0 ? static_cast<double>(hOffset_) / hRange_ : 0;
  const double vPlace = vRange_ > 0 ? static_cast<double>(vOffset_) / vRange_ : 0;
  hRange_ = std::max(0, docW_ - V);
  vRange_ = std::max(0, docH_ - H);
  lineStep_ = ppi_;
  hPageStep_ = std::max(1, V - ppi_);
  vPageStep_ = std::max(1, H - ppi_);
  hOffset_ = static_cast<int>(hPlace * hRange_ + 0.5);
  vOffset_ = static_cast<int>(vPlace * vRange_ + 0.5);
  for (auto [bar, range, offset, page] : {std::tuple{&hBar_, hRange_, hOffset_, V}, std::tuple{&vBar_, vRange_, vOffset_, H}}) {
    if (!bar->GetSafeHwnd()) continue;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = 0;
    info.nMax = range > 0 ? range + page - 1 : 0;
    info.nPage = range > 0 ? page : 0;
    info.nPos = offset;
    bar->SetScrollInfo(&info, TRUE);
    bar->EnableScrollBar(range > 0 ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  }

  CClientDC screen(this);
  for (int i = 0; i < 3; ++i) {
    images_[i].CreateCompatibleDC(&screen);
    bitmaps_[i].CreateCompatibleBitmap(&screen, cellW_, cellH_);
    oldBitmaps_[i] = images_[i].SelectObject(&bitmaps_[i]);
  }
  imagesMade_ = true;
  if (c_) {
    DeleteRptFonts(c_);
    CreateRptFonts(c_, ppi_);
  }
  RefreshCache(true);
  UpdatePageDisplay();
  Invalidate(FALSE);
}

void CPrevDlg::RenderPage(int image, int page) {
  CDC& dc = images_[image];
  imagePage_[image] = page;
  ++renders_;
  const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
  dc.FillSolidRect(0, 0, cellW_, cellH_, workspace);
  if (page < 0 || page >= PageCount()) return;
  dc.FillSolidRect(gapX_, gapY_, pageW_, pageH_, RGB(255, 255, 255));
  CBrush black(RGB(0, 0, 0));
  CRect frame(gapX_ - 1, gapY_ - 1, gapX_ + pageW_ + 1, gapY_ + pageH_ + 1);
  dc.FrameRect(&frame, &black);
  const int shadow = std::max(1, 5 * ppi_ / 100);
  dc.FillSolidRect(gapX_ + pageW_ + 1, gapY_ + shadow, shadow, pageH_, RGB(0, 0, 0));
  dc.FillSolidRect(gapX_ + shadow, gapY_ + pageH_ + 1, pageW_ + 1, shadow, RGB(0, 0, 0));

  source_->DrawPage(&dc, page, gapX_, gapY_, ppi_);
}

void CPrevDlg::RefreshCache(bool all) {
  if (!imagesMade_) return;
  const int top = TopPage();
  if (!all && cachedFirst_ >= 0 && top == cachedFirst_ + 1) {
    // One page down: the first image becomes the new third.
    std::rotate(slot_, slot_ + 1, slot_ + 3);
    RenderPage(slot_[2], top + 2);
  } else if (!all && cachedFirst_ >= 0 && top == cachedFirst_ - 1) {
    std::rotate(slot_, slot_ + 2, slot_ + 3);
    RenderPage(slot_[0], top);
  } else if (all || top != cachedFirst_) {
    for (int i = 0; i < 3; ++i) RenderPage(slot_[i], top + i);
  }
  cachedFirst_ = top;
}

void CPrevDlg::UpdatePageDisplay() {
  char text[64];
  std::snprintf(text, sizeof text, "Page %d of %d", ShownPage() + 1, PageCount());
  SetDlgItemText(IDC_PRV_PAGE, text);
  const bool atStart = vOffset_ <= 0;
  // At the document's end there is nothing further to page to.
  const bool atLast = ShownPage() >= PageCount() - 1 || vOffset_ >= vRange_;
  for (int id : {IDC_PRV_FIRST, IDC_PRV_PREV})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(!atStart);
  for (int id : {IDC_PRV_NEXT, IDC_PRV_LAST})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(!atLast);
}

void CPrevDlg::OnPaint() {
  CPaintDC dc(this);
  const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
  const int V = view_.right - view_.left, H = view_.bottom - view_.top;
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(&view_);
  dc.FillSolidRect(&view_, workspace);
  if (imagesMade_) {
    // The page column, centred when narrower or shorter than the view.
    const int x = view_.left + (docW_ < V ? (V - docW_) / 2 : -(hOffset_ % std::max(1, cellW_)));
    int y = view_.top + (docH_ < H ? (H - docH_) / 2 : -(vOffset_ % std::max(1, cellH_)));
    for (int i = 0; i < 3; ++i, y += cellH_) dc.BitBlt(x, y, cellW_, cellH_, &images_[slot_[i]], 0, 0, SRCCOPY);
  }
  dc.RestoreDC(saved);
}

void CPrevDlg::ScrollTo(int vertical, int horizontal) {
  vertical = std::clamp(vertical, 0, vRange_);
  horizontal = std::clamp(horizontal, 0, hRange_);
  if (vertical == vOffset_ && horizontal == hOffset_) return;
  const bool verticalMoved = vertical != vOffset_;
  vOffset_ = vertical;
  hOffset_ = horizontal;
  if (vBar_.GetSafeHwnd()) vBar_.SetScrollPos(vOffset_);
  if (hBar_.GetSafeHwnd()) hBar_.SetScrollPos(hOffset_);
  if (verticalMoved) {
    RefreshCache(false);
    UpdatePageDisplay();
  }
  InvalidateRect(&view_, FALSE);
}

int CPrevDlg::ScrollCode(UINT code, UINT pos, int current, int range, int line, int pageStep) const {
  switch (code) {
    case SB_LINEUP:
      return current - line;
    case SB_LINEDOWN:
      return current + line;
    case SB_PAGEUP:
      return current - pageStep;
    case SB_PAGEDOWN:
      return current + pageStep;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return static_cast<int>(pos);
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return range;
    default:
      return current;
  }
}

void CPrevDlg::OnVScroll(UINT code, UINT pos, CScrollBar*) {
  ScrollTo(ScrollCode(code, pos, vOffset_, vRange_, lineStep_, vPageStep_), hOffset_);
}

void CPrevDlg::OnHScroll(UINT code, UINT pos, CScrollBar*) {
  ScrollTo(vOffset_, ScrollCode(code, pos, hOffset_, hRange_, lineStep_, hPageStep_));
}

BOOL CPrevDlg::OnMouseWheel(UINT, short delta, CPoint) {
  OnVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
  return TRUE;
}

void CPrevDlg::GoToPage(int index) { ScrollTo(index * cellH_, hOffset_); }

void CPrevDlg::SelectZoom(int index) {
  if (index < 0 || index >= kPreviewZoomCount || index == zoomIndex_) return;
  zoomIndex_ = index;
  if (zoomList_.GetSafeHwnd()) zoomList_.SetCurSel(index);
  Layout();
}

void CPrevDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  if (!sized_) return;  // the size event while the window is made
  CRect window;
  GetWindowRect(&window);
  if (window.Width() < minW_ || window.Height() < minH_) {
    SetWindowPos(nullptr, 0, 0, std::max<int>(window.Width(), minW_), std::max<int>(window.Height(), minH_),
                 SWP_NOMOVE | SWP_NOZORDER);
    return;  // the size set back comes as its own event
  }
  savedW_ = window.Width();
  savedH_ = window.Height();
  CRect client;
  GetClientRect(&client);
  CWnd* frame = GetDlgItem(IDC_PRV_FRAME);
  if (frame == nullptr) return;
  CRect f;
  frame->GetWindowRect(&f);
  ScreenToClient(&f);
  const int bar = ::GetSystemMetrics(SM_CXVSCROLL);
  const int margin = 6;
  f.right = client.right - margin - bar;
  f.bottom = client.bottom - margin - bar;
  frame->MoveWindow(&f);
  if (vBar_.GetSafeHwnd()) vBar_.MoveWindow(f.right, f.top, bar, f.Height());
  if (hBar_.GetSafeHwnd()) hBar_.MoveWindow(f.left, f.bottom, f.Width(), bar);
  // Close (and help) keep their distance from the right edge.
  int right = client.right - margin;
  for (int id : {IDC_PRV_CLOSE, IDC_SHELL_HELP}) {
    CWnd* w = GetDlgItem(id);
    if (w == nullptr) continue;
    CRect r;
    w->GetWindowRect(&r);
    ScreenToClient(&r);
    w->MoveWindow(right - r.Width(), r.top, r.Width(), r.Height());
    right -= r.Width() + 4;
  }
  Layout();
  Invalidate(TRUE);
}

BOOL CPrevDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case IDC_PRV_SETUP:
      if (c_) OnPageSetup();
      return TRUE;
    case IDC_PRV_PRINT:
      OnPrint();
      return TRUE;
    case IDC_PRV_EXPORT:
      if (c_) OnSaveAs();
      return TRUE;
    case IDC_PRV_FIRST:
      GoToPage(0);
      return TRUE;
    case IDC_PRV_PREV:
      GoToPage(ShownPage() - 1);
      return TRUE;
    case IDC_PRV_NEXT:
      GoToPage(TopPage() + 1);
      return TRUE;
    case IDC_PRV_LAST:
      GoToPage(PageCount() - 1);
      return TRUE;
    case IDC_PRV_ZOOM:
      if (code == CBN_SELCHANGE) SelectZoom(zoomList_.GetCurSel());
      return TRUE;
    case IDC_PRV_CLOSE:
      Close(IDCANCEL);
      return TRUE;
    default:
      return CDialog::OnCommand(wParam, lParam);
  }
}

void CPrevDlg::OnPageSetup() {
  CPageSetupDlg setup(this);
  setup.SetReportNumber(c_->reportId);
  // The width check measures this report's own line on this report's paper.
  setup.SetPage(c_->lineWidth, paperW_);
  if (setup.DoModal() == IDOK) {
    if (rebuild_) *rebuild_ = 1;
    Close(IDOK);
  }
}

void CPrevDlg::OnPrint() {
  CTraceLog trace("CPrevDlg::OnPrint");
  source_->Print(this);
  RefreshCache(true);
  Invalidate(FALSE);
}

void CPrevDlg::OnSaveAs() {
  std::string name = c_->titleText[0] ? c_->titleText : "report";
  std::replace(name.begin(), name.end(), '/', '-');
  std::replace(name.begin(), name.end(), '\\', '-');
  name += ".txt";
  CFileDialog dlg(FALSE, "txt", name.c_str(), OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                  "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
  dlg.m_ofn.lpstrTitle = "Report Save As";
  const CString folder = saveFolder_;
  dlg.m_ofn.lpstrInitialDir = folder;
  if (dlg.DoModal() != IDOK) return;
  const CString path = dlg.GetPathName();
  std::snprintf(c_->saveAsName, sizeof c_->saveAsName, "%s", static_cast<const char*>(path));
  const std::string chosen = static_cast<const char*>(path);
  const std::size_t slash = chosen.find_last_of('/');
  if (slash != std::string::npos) saveFolder_ = chosen.substr(0, slash).c_str();
  ExportRptText(c_);
}

void CPrevDlg::Close(int code) {
  if (c_) {
    DeleteRptFonts(c_);
    CreateRptFonts(c_, 100);  // the context leaves the preview with printing fonts
  }
  FreeImages();
  EndDialog(code);
}

void CPrevDlg::OnCancel() { Close(IDCANCEL); }

void CPrevDlg::OnDestroy() {
  if (c_) {
    CloseRptFile(c_);
    if (c_->scale != 100) {  // however the dialog ended
      DeleteRptFonts(c_);
      CreateRptFonts(c_, 100);
    }
  }
  FreeImages();
  if (section_) {
    PutSettingInt(section_, 'A', zoomIndex_);
    PutSettingText(section_, 'B', saveFolder_);
    WriteDialogSize(section_, 'X', savedW_);
    WriteDialogSize(section_, 'Y', savedH_);
  }
  CDialog::OnDestroy();
}

int ShowRptPreview(RptContext* context, int* rebuild) {
  CPrevDlg dlg(context, rebuild, context->paperWidth, context->paperHeight, AfxGetMainWnd());
  dlg.DoModal();
  return 1;
}
