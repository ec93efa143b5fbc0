#include "reports/RptContext.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "common/ConfigFile.h"
#include "common/TempFolder.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "reports/RptPaging.h"

namespace {

int nextFileNumber = 1;

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

void ShowFailure(ErrorTextIndex index, const char* item) {
  char text[300];
  FormatErrorText(text, sizeof text, index, item);
  DispMessage(text, MSG_FATAL);
}

}  // namespace

int NextRptFileNumber() { return nextFileNumber; }

void FormatRptDateText(const char* date, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  if (date == nullptr || std::strlen(date) < 8) return;
  const int month = (date[4] - '0') * 10 + (date[5] - '0');
  const int day = (date[6] - '0') * 10 + (date[7] - '0');
  if (month < 1 || month > 12) return;
  std::snprintf(out, size, "%s %d, %.4s", kMonthNames[month - 1], day, date);
}

int InitRpt(RptContext** out) {
  *out = new (std::nothrow) RptContext;
  if (*out == nullptr) {
    ShowFailure(ERR_ALLOC, "InitRpt");
    return 0;
  }
  RptContext& c = **out;
  const char* folder = TempFolder[0] ? TempFolder : ".";
  const std::string name = JoinPath(folder, "rpt_" + std::to_string(nextFileNumber++) + ".txt");
  std::snprintf(c.tempName, sizeof c.tempName, "%s", name.c_str());
  FormatRptDateText(TodayDate, c.dateText, sizeof c.dateText);
  c.lineWidth = kRptPortraitWidth;
  c.firstLabel = 1;
  return 1;
}

void ResetRpt(RptContext* c) {
  if (c == nullptr) return;
  c->lineCount = 0;
  c->footerCount = c->headerCount = c->noteCount = c->titleCount = 0;
  std::memset(c->footerLines, 0, sizeof c->footerLines);
  std::memset(c->headerLines, 0, sizeof c->headerLines);
  c->pageStarts.clear();
  c->pageCount = 0;
  c->pageNumber = 0;
  c->repeatTitle = 0;
  std::memset(c->noteLines, 0, sizeof c->noteLines);
  std::memset(c->titleLines, 0, sizeof c->titleLines);
  c->footerHeight = c->headerHeight = c->noteHeight = c->titleHeight = c->lineHeight = 0;
  for (float& h : c->fontHeight) h = 0;
  c->originX = c->originY = c->rightOffset = c->bottomOffset = 0;
  c->pageHeight = c->usableWidth = 0;
}

int OpenRpt(RptContext* c) {
  if (c->file != nullptr) CloseRptFile(c);
  c->file = OpenPrivateFile(c->tempName, "wb");
  if (c->file == nullptr) {
    ShowFailure(ERR_OPEN, c->tempName);
    return 0;
  }
  c->lineCount = 0;
  c->pageCount = 1;
  c->pageNumber = 1;
  c->lineHeight = c->fontHeight[RPT_FONT_BODY];
  c->footerHeight = 2 * c->fontHeight[RPT_FONT_FOOTER];
  if (c->titleLines[0][0] == '\0') SetRptTitle(c, "Untitled Report", 0);
  if (c->titleLines[1][0] == '\0') {
    char subtitle[64];
    std::snprintf(subtitle, sizeof subtitle, "Fiscal Year %s", CurrentFiscalYear);
    SetRptSubtitle(c, subtitle);
  }
  c->pageStarts.assign(1, 0);
  c->remaining = c->pageHeight;
  return 1;
}

int WriteRptLine(RptContext* c, const char* text) {
  ++c->lineCount;
  if (c->file == nullptr) return 0;
  char record[kRptRecordSize] = {};
  // A longer line is cut to the record rather than spilling into the next.
  const std::size_t n = strnlen(text ? text : "", kRptMaxLineText);
  if (n > 0) std::memcpy(record, text, n);
  record[n] = '\n';
  if (std::fwrite(record, kRptRecordSize, 1, c->file) != 1) return 0;
  return 1;
}

int ReadRptLine(RptContext* c, char* buffer) {
  if (c->file == nullptr) return 0;
  return std::fread(buffer, kRptRecordSize, 1, c->file) == 1 ? 1 : 0;
}

void CutRptRecord(char* buffer) {
  // The text ends at the record's line feed, else at its first zero.
  for (int i = 0; i < kRptRecordSize; ++i) {
    if (buffer[i] == '\n' || buffer[i] == '\0') {
      buffer[i] = '\0';
      return;
    }
  }
  buffer[kRptRecordSize - 1] = '\0';
}

int CloseRpt(RptContext* c) {
  if (c->file == nullptr) return 1;
  EndRptPage(c, 1);
  const int closed = std::fclose(c->file);
  c->file = nullptr;
  if (closed != 0) {
    DispMessage("Closing report device", MSG_FATAL);
    return 0;
  }
  return 1;
}

bool OpenRptForReading(RptContext* c) {
  if (c->file != nullptr) return true;
  c->file = std::fopen(c->tempName, "rb");
  return c->file != nullptr;
}

bool SeekRptPage(RptContext* c, int page) {
  if (c->file == nullptr || page < 0 || page >= static_cast<int>(c->pageStarts.size())) return false;
  return std::fseek(c->file, static_cast<long>(c->pageStarts[page]) * kRptRecordSize, SEEK_SET) == 0;
}

void CloseRptFile(RptContext* c) {
  if (c->file != nullptr) std::fclose(c->file);
  c->file = nullptr;
}

int FreeRpt(RptContext** context) {
  if (context == nullptr || *context == nullptr) return 1;
  RptContext* c = *context;
  CloseRptFile(c);
  if (c->tempName[0]) std::remove(c->tempName);
  delete c;
  *context = nullptr;
  return 1;
}

int GetRptPageCount(const RptContext* c) { return c->pageCount; }
int GetRptPageNumber(const RptContext* c) { return c->pageNumber; }
