#include "reports/ReadmeReport.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"

namespace {

// A file line as report text: tabs to blanks at every eighth column, and
// no mark-up.
std::string PlainLine(const std::string& line) {
  std::string text;
  for (char ch : line) {
    if (ch == '\t') {
      do text += ' ';
      while (text.size() % 8 != 0);
    } else {
      text += ch;
    }
  }
  return RptEscape(text);
}

}  // namespace

int WritePlainTextLine(RptContext* c, const std::string& line) {
  // Each report line holds "{w}", the text and a trailing blank.
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "{%d}", c->lineWidth);
  const std::size_t room = kRptMaxLineText - std::strlen(prefix) - 1;
  const std::string text = PlainLine(line);
  std::size_t at = 0;
  do {
    const std::string piece = prefix + text.substr(at, room) + " ";
    at += room;
    NeedRptLines(c, 1);  // a full page is ended; the line is written regardless
    if (!WriteRptText(c, piece.c_str())) return 0;
  } while (at < text.size());
  return 1;
}

int BuildReadmeReport(RptContext* c) {
  const char* path = static_cast<const char*>(c->owner);
  if (path == nullptr) path = "";
  SetRptTitle(c, path, 0);
  char subtitle[192];
  std::snprintf(subtitle, sizeof subtitle, "%s %s", ProgramTitle, static_cast<const char*>(ProgramVersion.Format(6)));
  SetRptSubtitle(c, subtitle);
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    CloseRpt(c);
    return 0;
  }

  char error[320] = "";
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) {
    FormatErrorText(error, sizeof error, ERR_OPEN, path);
  } else {
    std::string line;
    int ch = 0;
    bool more = true;
    while (more && error[0] == '\0') {
      line.clear();
      while ((ch = std::fgetc(in)) != EOF && ch != '\n') line += static_cast<char>(ch);
      if (ch == EOF && line.empty()) break;
      more = ch != EOF;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!WritePlainTextLine(c, line)) FormatErrorText(error, sizeof error, ERR_WRITE, "README");
    }
    if (std::ferror(in) && error[0] == '\0') FormatErrorText(error, sizeof error, ERR_READ, path);
    std::fclose(in);
  }
  CloseRpt(c);
  if (error[0]) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  return 1;
}

void InstallTextFileReport() { RegisterRptBuilder(91, BuildReadmeReport); }
