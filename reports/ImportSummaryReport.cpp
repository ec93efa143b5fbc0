#include "reports/ImportSummaryReport.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "reports/ImportLog.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"

namespace {

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[128];
  FormatErrorText(text, index, item);
  return text;
}

}  // namespace

int BuildImportSummaryReport(RptContext* ctx) {
  SetRptTitle(ctx, "Import Summary", 0);
  std::string error;
  int result = 1;
  if (ImportLogFile == nullptr || std::fflush(ImportLogFile) != 0) error = ErrorText(ERR_FLUSH, "import transaction");
  char plural[40];
  const char* word = SubunitWord ? SubunitWord : "subunit";
  std::snprintf(plural, sizeof plural, "%c%ss", std::toupper(static_cast<unsigned char>(word[0])), word + 1);
  const struct {
    int kind, action;
    const char* heading;
    const char* actionWord;
  } groups[] = {
      {0, 0, "Scouts", "Added "}, {0, 1, "Scouts", "Modified "}, {0, 2, "Scouts", "Deleted "},
      {1, 0, "Adults", "Added "}, {1, 1, "Adults", "Modified "}, {1, 2, "Adults", "Deleted "},
      {2, 0, plural, "Added "},   {2, 1, plural, "Modified "},   {2, 2, plural, "Not Added "},
  };
  if (error.empty() && OpenRpt(ctx) && WriteRptBlock(ctx, RPT_BLOCK_TITLE)) {
    std::string lastName;  // carries over from one group to the next
    int printed = 0;
    for (const auto& g : groups) {
      if (!error.empty() || result == 0) break;
      char heading[256];
      std::snprintf(heading, sizeof heading, "{%d-}%s %s", ctx->lineWidth, g.heading, g.actionWord);
      SetRptColumnHeaders(ctx, {" ", heading});
      std::rewind(ImportLogFile);
      unsigned char bytes[kImportLogRecordSize];
      bool first = true;
      std::size_t got = 0;
      while ((got = std::fread(bytes, 1, sizeof bytes, ImportLogFile)) == sizeof bytes) {
        ImportLogRecord r;
        DecodeImportLogRecord(bytes, r);
        if (r.kind != g.kind || r.action != g.action) continue;
        if (first) {
          first = false;
          const int ok = RptPageFull(ctx, 4) ? NeedRptLines(ctx, 4) : WriteRptBlock(ctx, RPT_BLOCK_HEADERS);
          if (!ok) {
            result = 0;
            break;
          }
        }
        if (!NeedRptLines(ctx, 2)) {
          result = 0;
          break;
        }
        std::string namePart;
        if (lastName == r.name) {
          namePart = "{28} ";
        } else {
          lastName = r.name;
          namePart = std::string(r.text[0] ? "{28.}" : "{28}") + RptEscape(r.name);
        }
        const std::string line = namePart + "{3} {41}" + RptEscape(r.text);
        if (!WriteRptLines(ctx, {line.c_str()})) {
          error = ErrorText(ERR_WRITE, "import transaction");
          break;
        }
        ++printed;
        ReportProgress("", printed, ImportLogCount > printed ? ImportLogCount : printed);
      }
      if (error.empty() && result != 0 && (got != 0 || std::ferror(ImportLogFile)))
        error = ErrorText(ERR_READ, "import transaction");
    }
  }
  CloseRpt(ctx);
  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_FATAL);
    return 0;
  }
  return result;
}

void InstallImportSummaryReport() { RegisterRptBuilder(27, BuildImportSummaryReport); }
