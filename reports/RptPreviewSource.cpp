#include "reports/RptPreviewSource.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/CommDlgDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/gfx/Dc.h"
#include "platform/print/PrinterDc.h"
#include "reports/RptFonts.h"
#include "reports/RptParser.h"
#include "reports/RptRender.h"

namespace {

void ShowFatal(ErrorTextIndex index, const char* item) {
  char text[320];
  FormatErrorText(text, sizeof text, index, item);
  DispMessage(text, MSG_FATAL);
}

}  // namespace

CRptPreviewSource::CRptPreviewSource(RptContext* context, float paperWidth, float paperHeight)
    : c_(context), paperW_(paperWidth > 0 ? paperWidth : 8.5f), paperH_(paperHeight > 0 ? paperHeight : 11.0f) {}

void CRptPreviewSource::DrawPage(CDC* dc, int page, int x, int y, int ppi) {
  if (!OpenRptForReading(c_)) {
    ShowFatal(ERR_OPEN, c_->tempName);
    return;
  }
  if (!SeekRptPage(c_, page)) {
    ShowFatal(ERR_SEEK, c_->tempName);
    CloseRptFile(c_);
    return;
  }
  const int pageW = static_cast<int>(ppi * paperW_);
  const int pageH = static_cast<int>(ppi * paperH_);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(0, 0, 0));
  const int originX = static_cast<int>(ppi * c_->leftMargin) + x;
  const int originY = static_cast<int>(ppi * c_->topMargin) + y;
  RptParser parser(c_, originX, originY, ppi);
  RptDrawer drawer(dc, c_, true, x + pageW);
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(x, y, x + pageW, y + pageH);
  char record[kRptRecordSize + 1];
  RptSegment segment;
  std::string error;
  bool end = false;
  while (!end && ReadRptLine(c_, record)) {
    record[kRptRecordSize] = '\0';
    CutRptRecord(record);
    parser.StartLine(record);
    while (parser.Next(&segment)) {
      if (segment.pageBreak) {
        end = true;
        break;
      }
      if (!drawer.Draw(segment, parser.font, &error)) {
        DispMessage(error.c_str(), MSG_FATAL);  // once per page; the rest stays blank
        end = true;
        break;
      }
    }
  }
  if (std::ferror(c_->file)) ShowFatal(ERR_READ, c_->tempName);
  dc->RestoreDC(saved);
  CloseRptFile(c_);
}

void CRptPreviewSource::Print(CWnd* owner) {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_COLLATE | PD_RETURNDC, owner);
  dlg.m_pd.hDevMode = ThePrintSetup.printDlg.hDevMode;
  dlg.m_pd.hDevNames = ThePrintSetup.printDlg.hDevNames;
  dlg.m_pd.nMinPage = dlg.m_pd.nFromPage = 1;
  dlg.m_pd.nMaxPage = dlg.m_pd.nToPage = static_cast<WORD>(std::max(1, c_->pageCount));
  dlg.m_pd.nCopies = 1;
  if (dlg.DoModal() == IDOK) {
    RptPrintRange range;
    range.firstPage = dlg.PrintRange() ? dlg.GetFromPage() : 1;
    range.lastPage = dlg.PrintRange() ? dlg.GetToPage() : c_->pageCount;
    // The program makes the copies, so every printer gets the same pages.
    range.copies = std::max<int>(1, dlg.m_pd.nCopies);
    range.collate = (dlg.m_pd.Flags & PD_COLLATE) || range.copies == 1;
    CDC dc;
    if (dlg.m_pd.hDC == nullptr || !dc.Attach(dlg.m_pd.hDC)) {
      DispMessage("Could not attach printer DC", MSG_ERROR);
    } else {
      PRINTDLG chosen = dlg.m_pd;
      chosen.hDC = nullptr;
      SetupPrinter(&chosen, &ThePrintSetup);
      ThePrintSetup.printDlg.hDC = nullptr;
      // The preview's fonts come back at its zoom once printed.
      const int zoom = c_->scale;
      DeleteRptFonts(c_);
      c_->leftMargin = std::max(c_->leftMargin, ThePrintSetup.unprintableLeft);
      c_->rightMargin = std::max(c_->rightMargin, ThePrintSetup.unprintableRight);
      c_->topMargin = std::max(c_->topMargin, ThePrintSetup.unprintableTop);
      c_->bottomMargin = std::max(c_->bottomMargin, ThePrintSetup.unprintableBottom);
      CreateRptFonts(c_, 100);
      LOGFONT font = c_->fontSpecs[RPT_FONT_BODY];
      font.lfHeight = -(c_->baseSize * ThePrintSetup.resolutionY + 1) / 72;
      if (CheckReportPageWidth(&ThePrintSetup, &font, c_->lineWidth, c_->paperWidth, c_->leftMargin,
                               c_->rightMargin)) {
        c_->saveAsName[0] = '\0';
        SetWaitCursor(1);
        PrintRpt(c_, &dc, range);
        SetWaitCursor(0);
      }
      DeleteRptFonts(c_);
      CreateRptFonts(c_, zoom);
      dc.DeleteDC();
    }
    if (ProgramFolder[0]) ::chdir(ProgramFolder);
  } else if (const DWORD error = CommDlgExtendedError(); error != 0 && error != PDERR_NODEFAULTPRN) {
    char text[80];
    std::snprintf(text, sizeof text, "Error %lu when retrieving printer defaults", static_cast<unsigned long>(error));
    DispMessage(text, MSG_FATAL);
  }
  // The dialog may have replaced the printer's blocks; the record keeps them.
  if (dlg.m_pd.hDevMode) ThePrintSetup.printDlg.hDevMode = dlg.m_pd.hDevMode;
  if (dlg.m_pd.hDevNames) ThePrintSetup.printDlg.hDevNames = dlg.m_pd.hDevNames;
}
