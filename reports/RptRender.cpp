#include "reports/RptRender.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/TempFolder.h"
#include "common/Trace.h"
#include "common/Version.h"
#include "platform/gfx/Dc.h"
#include "platform/print/PrinterDc.h"
#include "platform/window/Window.h"

namespace {

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[320];
  FormatErrorText(text, sizeof text, index, item);
  return text;
}

UINT AlignFlags(char align) {
  switch (align) {
    case 'c':
      return TA_BOTTOM | TA_CENTER;
    case 'r':
      return TA_BOTTOM | TA_RIGHT;
    default:
      return TA_BOTTOM | TA_LEFT;
  }
}

}  // namespace

RptDrawer::RptDrawer(CDC* dc, RptContext* context, bool preview, int pageRight)
    : dc_(dc), c_(context), preview_(preview), pageRight_(pageRight) {}

void RptDrawer::Forget() {
  lastFont_ = -1;
  lastAlign_ = -1;
}

bool RptDrawer::Draw(const RptSegment& s, int font, std::string* error) {
  if (font != lastFont_ && font >= 0 && font < kRptFontCount && c_->fontMade[font]) {
    dc_->SelectObject(&c_->fonts[font]);
    lastFont_ = font;
  }
  if (s.align != lastAlign_) {
    dc_->SetTextAlign(AlignFlags(s.align));
    lastAlign_ = s.align;
  }
  if (!s.text.empty()) {
    const int px = static_cast<int>(s.textX);
    // The printer's y grows upwards; the preview's pages are pixels.
    const int sy = preview_ ? 1 : -1;
    const int y = sy * s.cell.bottom;
    const int count = static_cast<int>(s.text.size());
    if (c_->clipText) {
      RECT cell{s.cell.left, sy * s.cell.top, s.cell.right, sy * s.cell.bottom};
      if (preview_ && pageRight_ > 0 && cell.right > pageRight_) cell.right = pageRight_;
      const UINT options = preview_ ? ETO_CLIPPED : ETO_CLIPPED | ETO_OPAQUE;
      if (!dc_->ExtTextOut(px, y, options, &cell, s.text.c_str(), count, nullptr)) {
        *error = "Text output A failed";
        return false;
      }
    } else if (!dc_->TextOut(px, y, s.text.c_str(), count)) {
      *error = "Text output B failed";
      return false;
    }
  }
  if (s.ruleType >= 0 && (s.ruleType < 3 || preview_)) {
    dc_->SelectObject(&c_->pens[s.ruleType]);
    int start = static_cast<int>(s.ruleX);
    int length = s.ruleLength;
    if (!s.text.empty()) {
      const int skip = dc_->GetTextExtent((s.text + " ").c_str(), static_cast<int>(s.text.size()) + 1).cx;
      start += skip;
      length -= skip;
    }
    const int sy = preview_ ? 1 : -1;
    const int y = sy * static_cast<int>(s.ruleY);
    if (length > 0) {
      dc_->MoveTo(start, y);
      if (!dc_->LineTo(start + length, y)) {
        *error = "LineTo A failed";
        return false;
      }
      if (s.boxHeight > 0) {
        const int bottom = y + sy * s.boxHeight;
        if (!dc_->LineTo(start + length, bottom)) {
          *error = "LineTo B failed";
          return false;
        }
        if (!dc_->LineTo(start, bottom)) {
          *error = "LineTo C failed";
          return false;
        }
        if (!dc_->LineTo(start, y)) {
          *error = "LineTo D failed";
          return false;
        }
      }
    }
  }
  return true;
}

BOOL RptAbortProc(HDC, int) {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return TRUE;
}

int PrintPages(RptContext* c, CDC* dc, int firstPage, int lastPage, std::string* error) {
  CTraceLog trace("PrintPages");
  const int pages = static_cast<int>(c->pageStarts.size());
  const int first = std::max(1, firstPage);
  // Pages before the range are skipped by seeking, so they use no paper.
  int p = first;
  if (first > pages || !SeekRptPage(c, first - 1)) p = pages + 1;
  if (dc->StartPage() <= 0) {
    *error = "Report page start 1 failed";
    return 0;
  }
  bool pageOpen = true, drawn = false;
  dc->SetMapMode(MM_LOENGLISH);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextAlign(TA_BOTTOM | TA_LEFT);
  RptParser parser(c, c->originX, c->originY, 100);
  RptDrawer drawer(dc, c, false);
  char record[kRptRecordSize + 1];
  RptSegment segment;
  while (p <= lastPage && p <= pages && ReadRptLine(c, record)) {
    record[kRptRecordSize] = '\0';
    CutRptRecord(record);
    parser.StartLine(record);
    while (parser.Next(&segment)) {
      if (segment.pageBreak) {
        ++p;
        parser.font = RPT_FONT_BODY;
        parser.x = static_cast<float>(c->originX);
        parser.y = static_cast<float>(c->originY);
        drawer.Forget();
        if (drawn) {
          if (dc->EndPage() <= 0) {
            *error = "Report page end 1 failed";
            return 0;
          }
          pageOpen = drawn = false;
        }
        continue;
      }
      if (segment.text.empty() && (segment.ruleType < 0 || segment.ruleType == 3)) continue;
      if (!pageOpen) {
        if (dc->StartPage() <= 0) {
          *error = "Report page start 2 failed";
          return 0;
        }
        dc->SetMapMode(MM_LOENGLISH);
        dc->SetBkMode(TRANSPARENT);
        drawer.Forget();
        pageOpen = true;
      }
      if (!drawer.Draw(segment, parser.font, error)) return 0;
      drawn = true;
    }
  }
  if (std::ferror(c->file)) {
    *error = ErrorText(ERR_READ, c->tempName);
    return 0;
  }
  if (pageOpen || drawn) {
    const int ended = dc->EndPage();
    if (ended <= 0) {
      char text[64];
      std::snprintf(text, sizeof text, "Report page end 2 failed (%d)", ended);
      *error = text;
      return 0;
    }
  }
  return 1;
}

int PrintRpt(RptContext* c, CDC* dc) {
  RptPrintRange range;
  range.firstPage = ThePrintSetup.firstPage;
  range.lastPage = ThePrintSetup.lastPage;
  range.copies = ThePrintSetup.copies;
  range.collate = ThePrintSetup.collate;
  return PrintRpt(c, dc, range);
}

int PrintRpt(RptContext* c, CDC* dc, const RptPrintRange& range) {
  CTraceLog trace("PrintRpt");
  char name[160];
  std::snprintf(name, sizeof name, "%s Report", static_cast<const char*>(ProgramVersion.Format(1)));
  DOCINFO info;
  info.lpszDocName = name;
  info.lpszOutput = c->saveAsName[0] ? c->saveAsName : nullptr;
  if (dc->SetAbortProc(RptAbortProc) <= 0) {
    DispMessage("Report abort procedure setting failed", MSG_ERROR);
    return 0;
  }
  CloseRptFile(c);
  if (!OpenRptForReading(c)) {
    DispMessage(ErrorText(ERR_OPEN, c->tempName).c_str(), MSG_FATAL);
    return 0;
  }
  std::string error;
  if (dc->StartDoc(&info) <= 0) error = "Report document start failed";
  const int copies = std::max(1, range.copies);
  if (error.empty() && range.collate) {
    for (int copy = 1; copy <= copies && error.empty(); ++copy) {
      trace.Write("Collate copy:  %d", copy);
      PrintPages(c, dc, range.firstPage, range.lastPage, &error);
    }
  } else if (error.empty()) {
    const int last = std::min(range.lastPage, c->pageCount);
    for (int p = range.firstPage; p <= last && error.empty(); ++p) {
      trace.Write("Non-collate page:  %d", p);
      for (int copy = 1; copy <= copies && error.empty(); ++copy) {
        trace.Write("Non-collate copy: %d", copy);
        PrintPages(c, dc, p, p, &error);
      }
    }
  }
  int result = 1;
  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_ERROR);
    dc->AbortDoc();
    result = 0;
  } else {
    const int ended = dc->EndDoc();
    if (ended <= 0) {
      char text[160];
      std::snprintf(text, sizeof text, "EndDoc failed (%d)", ended);
      DispMessage(text, MSG_FATAL);
      result = 0;
    }
  }
  CloseRptFile(c);
  return result;
}

namespace {

// One page of text rows, grown as the lines need (a page never drops a
// line, however many records or box rows it holds).
class TextPage {
 public:
  std::string& Row(std::size_t r) {
    if (rows_.size() <= r) rows_.resize(r + 1);
    return rows_[r];
  }
  void Put(std::size_t r, int column, const std::string& text) {
    if (column < 0) column = 0;
    std::string& row = Row(r);
    if (row.size() < column + text.size()) row.resize(column + text.size(), ' ');
    row.replace(column, text.size(), text);
  }
  void PutChar(std::size_t r, int column, char ch) { Put(r, column, std::string(1, ch)); }
  // Writes the first `count` rows (more when boxes reached further), each
  // without its trailing blanks.
  bool Write(std::FILE* out, std::size_t count) {
    count = std::max(count, rows_.size());
    for (std::size_t r = 0; r < count; ++r) {
      std::string row = r < rows_.size() ? rows_[r] : std::string();
      while (!row.empty() && row.back() == ' ') row.pop_back();
      row += "\r\n";
      if (std::fwrite(row.data(), 1, row.size(), out) != row.size()) return false;
    }
    rows_.clear();
    return true;
  }

 private:
  std::vector<std::string> rows_;
};

void PlaceSegment(TextPage& page, std::size_t r, const RptSegment& s) {
  const int start = s.columnStart;
  const int end = s.columnEnd;
  const int length = static_cast<int>(s.text.size());
  int at = start;
  if (s.align == 'c') at = start + (end - start - length) / 2;
  if (s.align == 'r') at = end - length;
  if (at < start && s.align != 'l') at = std::max(0, at);
  if (!s.text.empty()) page.Put(r, at, s.text);
  if (s.ruleType < 0 || s.ruleType > 2) return;
  const char fill = "=-."[s.ruleType];
  const int from = s.text.empty() ? start : at + length + 1;
  if (s.boxLines > 0) {
    const std::size_t bottom = r + s.boxLines;
    for (int col = start; col < end; ++col) {
      page.PutChar(r, col, fill);
      page.PutChar(bottom, col, fill);
    }
    for (std::size_t row = r + 1; row < bottom; ++row) {
      page.PutChar(row, start, '|');
      page.PutChar(row, end - 1, '|');
    }
    for (std::size_t row : {r, bottom}) {
      page.PutChar(row, start, '+');
      page.PutChar(row, end - 1, '+');
    }
    return;
  }
  for (int col = from; col < end; ++col) page.PutChar(r, col, fill);
}

}  // namespace

int ExportRptText(RptContext* c) {
  std::string error;
  CloseRptFile(c);
  if (!OpenRptForReading(c)) {
    DispMessage(ErrorText(ERR_OPEN, c->tempName).c_str(), MSG_FATAL);
    return 0;
  }
  std::FILE* out = OpenPrivateFile(c->saveAsName, "wb");
  if (out == nullptr) {
    CloseRptFile(c);
    DispMessage(ErrorText(ERR_OPEN, c->saveAsName).c_str(), MSG_FATAL);
    return 0;
  }
  ReportProgress(nullptr, 0, c->lineCount);
  TextPage page;
  std::size_t r = 0;
  RptParser parser(c, 0, 0, 1);
  char record[kRptRecordSize + 1];
  RptSegment segment;
  int done = 0;
  while (error.empty() && ReadRptLine(c, record)) {
    record[kRptRecordSize] = '\0';
    CutRptRecord(record);
    parser.StartLine(record);
    while (parser.Next(&segment)) {
      if (segment.pageBreak) {
        if (!page.Write(out, r) || std::fputc('\f', out) == EOF) error = ErrorText(ERR_WRITE, "text page break");
        r = 0;  // the break's own row begins the next page
        continue;
      }
      PlaceSegment(page, r, segment);
    }
    ++r;
    if (++done < c->lineCount) ReportProgress(nullptr, done, c->lineCount);
  }
  if (std::ferror(c->file) && error.empty()) error = ErrorText(ERR_READ, c->tempName);
  if (error.empty() && !page.Write(out, r)) error = ErrorText(ERR_WRITE, c->saveAsName);
  ReportProgress(nullptr, c->lineCount, c->lineCount);
  if (std::fclose(out) != 0 && error.empty()) error = ErrorText(ERR_CLOSE, c->saveAsName);
  CloseRptFile(c);
  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_FATAL);
    return 0;
  }
  return 1;
}

int ShowRptTextPreview(RptContext* c) {
  char kept[sizeof c->saveAsName];
  std::memcpy(kept, c->saveAsName, sizeof kept);
  const std::string path = JoinPath(TempFolder[0] ? TempFolder : ".", "preview.txt");
  std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", path.c_str());
  if (ExportRptText(c)) ShowTextFile(path.c_str(), "Report Preview");
  std::remove(path.c_str());
  std::memcpy(c->saveAsName, kept, sizeof kept);
  return 1;
}
