// The report readers: the bytes as a text file shown as a report (the
// README), and as a report file of 256-byte mark-up records read back by
// the parser, the plain-text export and the preview's drawing.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Settings.h"
#include "common/TempFolder.h"
#include "fuzz/FuzzTargets.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "reports/ReadmeReport.h"
#include "reports/RptDriver.h"
#include "reports/RptFonts.h"
#include "reports/RptParser.h"
#include "reports/RptRender.h"

namespace fuzz {

void ReportFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::snprintf(TempFolder, sizeof TempFolder, "%s", WorkFolder().c_str());
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (WorkFolder() + "/udata4.dat").c_str());
  RptContext* c = nullptr;
  if (!InitRpt(&c)) return;
  c->reportId = 91;
  PrepareRptBuild(c);

  // A text file as report 91: nothing it holds becomes mark-up.
  const std::string readme = WorkFolder() + "/readme.txt";
  WriteWhole(readme, data, size);
  c->owner = const_cast<char*>(readme.c_str());
  BuildReadmeReport(c);
  if (std::FILE* f = std::fopen(c->tempName, "rb")) {
    char record[kRptRecordSize];
    for (int k = 0; std::fread(record, kRptRecordSize, 1, f) == 1; ++k) {
      FuzzCheck(record[kRptRecordSize - 1] == '\0', "a record ends within its 256 bytes");
      CutRptRecord(record);
      if (k >= 3 && std::strncmp(record, "{77}", 4) == 0)
        FuzzCheck(std::strchr(record + 4, '{') == nullptr, "file text never reads as mark-up");
    }
    std::fclose(f);
  }

  // The bytes as a report file: pages where its "{ff}" records say.
  WriteWhole(c->tempName, data, size);
  c->lineCount = static_cast<int>(size / kRptRecordSize);
  c->pageStarts.assign(1, 0);
  for (int k = 0; k < c->lineCount; ++k)
    if (std::memcmp(data + k * kRptRecordSize, "{ff}\n", 5) == 0) c->pageStarts.push_back(k + 1);
  c->pageCount = static_cast<int>(c->pageStarts.size());
  std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", (WorkFolder() + "/report.txt").c_str());
  ExportRptText(c);

  CDC dc;
  CBitmap bitmap;
  if (dc.CreateCompatibleDC(nullptr) && bitmap.CreateBitmap(64, 64, 1, 32, nullptr)) {
    CBitmap* old = dc.SelectObject(&bitmap);
    RptDrawer drawer(&dc, c, true, 64);
    RptParser parser(c, 0, 0, 24);
    std::string error;
    for (int page = 0; page < c->pageCount; ++page) {
      if (!OpenRptForReading(c) || !SeekRptPage(c, page)) break;
      char record[kRptRecordSize + 1];
      RptSegment segment;
      while (ReadRptLine(c, record)) {
        record[kRptRecordSize] = '\0';
        CutRptRecord(record);
        parser.StartLine(record);
        while (parser.Next(&segment)) drawer.Draw(segment, parser.font, &error);
      }
      CloseRptFile(c);
    }
    dc.SelectObject(old);
  }
  DeleteRptFonts(c);
  FreeRpt(&c);
}

}  // namespace fuzz
