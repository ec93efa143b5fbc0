#include "reports/RptPaging.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "store/UnitInfo.h"

namespace {

const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void ShowWriteFailure(const char* item) {
  char text[300];
  FormatErrorText(text, sizeof text, ERR_WRITE, item);
  DispMessage(text, MSG_FATAL);
}


}  // namespace

void SetRptTitle(RptContext* c, const char* title, int repeat) {
  const std::string plain = RptEscape(title ? title : "");
  std::snprintf(c->titleText, sizeof c->titleText, "%s", title ? title : "");
  if (c->titleLines[0][0] == '\0') {
    c->titleHeight += c->fontHeight[RPT_FONT_TITLE];
    c->titleCount += 1;
  }
  std::snprintf(c->titleLines[0], 256, "{F%d}{%d=}%s", RPT_FONT_TITLE, c->lineWidth, plain.c_str());
  c->repeatTitle = repeat;
}

void SetRptSubtitle(RptContext* c, const char* subtitle) {
  const std::string plain = RptEscape(subtitle ? subtitle : "");
  const std::string unit = RptEscape(UnitName);
  if (c->titleLines[1][0] == '\0') {
    c->titleHeight += c->fontHeight[RPT_FONT_HEADING] + c->fontHeight[RPT_FONT_BODY];
    c->titleCount += 2;
  }
  const int n = static_cast<int>(plain.size());
  // A subtitle wider than the line leaves the unit's column empty rather
  // than giving it a negative width (which would read as a rule code).
  const int rest = std::max(0, c->lineWidth - n - 10);
  std::snprintf(c->titleLines[1], 256, "{F%d}{%d}%s{%dr}%s", RPT_FONT_HEADING, n + 10, plain.c_str(), rest,
                unit.c_str());
  std::snprintf(c->titleLines[2], 256, "{F%d}{1} ", RPT_FONT_BODY);
}

void SetRptColumnHeaders(RptContext* c, const char (*lines)[256], int n) {
  std::memset(c->headerLines, 0, sizeof c->headerLines);
  n = std::clamp(n, 0, 8);
  for (int i = 0; i < n; ++i)
    std::snprintf(c->headerLines[i], 256, "{F%d}%.240s{F%d}", RPT_FONT_HEADING, lines[i], RPT_FONT_BODY);
  c->headerHeight = n * c->fontHeight[RPT_FONT_HEADING];
  c->headerCount = n;
}

void SetRptColumnHeaders(RptContext* c, std::initializer_list<const char*> lines) {
  char block[8][256] = {};
  int n = 0;
  for (const char* line : lines) {
    if (n == 8) break;
    std::snprintf(block[n++], 256, "%s", line ? line : "");
  }
  SetRptColumnHeaders(c, block, n);
}

void SetRptNotes(RptContext* c, const char (*lines)[256], int n) {
  std::memset(c->noteLines, 0, sizeof c->noteLines);
  n = std::clamp(n, 0, 4);
  for (int i = 0; i < n; ++i) std::snprintf(c->noteLines[i], 256, "{F%d}%.250s", RPT_FONT_NOTE, lines[i]);
  c->noteHeight = n * c->fontHeight[RPT_FONT_NOTE];
  c->noteCount = n;
}

void SetRptNotes(RptContext* c, std::initializer_list<const char*> lines) {
  char block[4][256] = {};
  int n = 0;
  for (const char* line : lines) {
    if (n == 4) break;
    std::snprintf(block[n++], 256, "%s", line ? line : "");
  }
  SetRptNotes(c, block, n);
}

int WriteRptBlock(RptContext* c, int which) {
  const char (*lines)[256] = nullptr;
  int count = 0;
  float height = 0;
  switch (which) {
    case RPT_BLOCK_FOOTER:
      lines = c->footerLines, count = c->footerCount, height = c->footerHeight;
      break;
    case RPT_BLOCK_HEADERS:
      lines = c->headerLines, count = c->headerCount, height = c->headerHeight;
      break;
    case RPT_BLOCK_NOTES:
      lines = c->noteLines, count = c->noteCount, height = c->noteHeight;
      break;
    case RPT_BLOCK_TITLE:
      lines = c->titleLines, count = c->titleCount, height = c->titleHeight;
      break;
    default:
      return 1;
  }
  for (int i = 0; i < count; ++i)
    if (!WriteRptLine(c, lines[i])) return 0;
  c->remaining -= height;
  return 1;
}

int WriteRptLines(RptContext* c, const char (*lines)[256], int n) {
  for (int i = 0; i < n; ++i) {
    if (!WriteRptLine(c, lines[i])) return 0;
    c->remaining -= c->lineHeight;
  }
  return 1;
}

int WriteRptLines(RptContext* c, std::initializer_list<const char*> lines) {
  for (const char* line : lines) {
    if (!WriteRptLine(c, line ? line : "")) return 0;
    c->remaining -= c->lineHeight;
  }
  return 1;
}

int WriteRptText(RptContext* c, const char* line) { return WriteRptLines(c, {line}); }

int WriteRptBlankLines(RptContext* c, int n) {
  for (int i = 0; i < n; ++i)
    if (!WriteRptText(c, " ")) return 0;
  return 1;
}

int WriteRptSeparator(RptContext* c) {
  if (!NeedRptLines(c, 3)) return 0;
  char rule[32];
  std::snprintf(rule, sizeof rule, "{%d=}", c->lineWidth);
  if (!WriteRptLines(c, {" ", rule, " "})) {
    ShowWriteFailure("separator");
    return 0;
  }
  return 1;
}

int WriteSubunitHeader(RptContext* c, const char* name, int n) {
  if (!NeedRptLines(c, n + 1)) return 0;
  char line[256];
  const std::string plain = RptEscape(name ? name : "");
  if (plain == "Adults")
    std::snprintf(line, sizeof line, "{F%d}{%d.}%s{F%d}", RPT_FONT_HEADING, c->lineWidth, "Adults", RPT_FONT_BODY);
  else if (plain == "<subunits>")
    std::snprintf(line, sizeof line, "{F%d}{%d.}%ss{F%d}", RPT_FONT_HEADING, c->lineWidth, SubunitNoun,
                  RPT_FONT_BODY);
  else
    std::snprintf(line, sizeof line, "{F%d}{%d.}%s %s{F%d}", RPT_FONT_HEADING, c->lineWidth, plain.c_str(),
                  SubunitNoun, RPT_FONT_BODY);
  if (!WriteRptText(c, line)) {
    ShowWriteFailure("subunit header");
    return 0;
  }
  return 1;
}

int WriteSubunitTotals(RptContext* c, int labelWidth, int spacerWidth, int amountWidth, const long long* amounts,
                       int kind, const char* format) {
  char fields[5][40] = {};
  auto put = [&](int field, long long cents) { FormatRptAmount(cents, amountWidth, fields[field], 40); };
  if (c->reportId == 10 && (kind == 2 || kind == 3)) {
    put(0, amounts[0]);
    put(1, amounts[1] - amounts[0]);
    put(2, amounts[1]);
    if (kind == 3) {
      put(3, amounts[2]);
      put(4, amounts[1] - amounts[2]);
    }
  } else {
    put(0, amounts[0]);
    put(1, amounts[1]);
    put(2, amounts[0] - amounts[1]);
  }
  char label[96];
  std::snprintf(label, sizeof label, "{%dr}%s Total:", labelWidth, SubunitNoun);
  if (!NeedRptLines(c, 3)) return 0;
  std::string rule = "{" + std::to_string(labelWidth) + "} ";
  const int columns = kind == 2 ? 3 : 5;
  for (int i = 0; i < columns; ++i)
    rule += "{" + std::to_string(spacerWidth) + "} {" + std::to_string(amountWidth) + "-}";
  char totals[256];
  std::snprintf(totals, sizeof totals, format, label, fields[0], fields[1], fields[2], fields[3], fields[4]);
  if (!WriteRptLines(c, {rule.c_str(), totals, " "})) {
    ShowWriteFailure("subunit totals");
    return 0;
  }
  return 1;
}

void AppendMonthColumns(RptContext*, int spacerWidth, int columnWidth, char* line, std::size_t size,
                        int order[13]) {
  std::string text = line;
  for (int i = 0; i < 12; ++i) {
    const int m = (FiscalFirstMonth + i) % 12;
    text += "{" + std::to_string(spacerWidth) + "} {" + std::to_string(columnWidth) + "}" + kShortMonths[m];
    order[i] = m;
  }
  order[12] = 12;
  text += "{" + std::to_string(spacerWidth) + "} {" + std::to_string(columnWidth) + "}Total";
  std::snprintf(line, size, "%s", text.c_str());
}

int RptPageFull(const RptContext* c, int n) {
  const float needed = n * c->lineHeight + c->footerHeight + c->noteHeight;
  return needed >= c->remaining ? 1 : 0;
}

int NeedRptLines(RptContext* c, int n) {
  if (!RptPageFull(c, n)) return 1;
  if (!EndRptPage(c, 0)) return 0;
  if (c->repeatTitle && !WriteRptBlock(c, RPT_BLOCK_TITLE)) return 0;
  return WriteRptBlock(c, RPT_BLOCK_HEADERS);
}

int EndRptPage(RptContext* c, int last) {
  bool ok = true;
  if (last) ok = WriteRptBlock(c, RPT_BLOCK_NOTES) != 0;
  if (ok) {
    const float drop = c->paperHeight - c->topMargin - c->bottomMargin - 2 * c->fontHeight[RPT_FONT_FOOTER] / 100;
    std::snprintf(c->footerLines[0], 256, "{+%f,%f}", c->leftMargin, drop);
    std::snprintf(c->footerLines[1], 256, "{F%d}{%d-}", RPT_FONT_FOOTER, c->lineWidth);
    const int n = static_cast<int>(std::strlen(c->dateText));
    std::snprintf(c->footerLines[2], 256, "{F%d}{%d}%s{%dr}Page %d", RPT_FONT_FOOTER, n, c->dateText,
                  std::max(0, c->lineWidth - n), c->pageNumber);
    c->footerCount = 3;
    ok = WriteRptBlock(c, RPT_BLOCK_FOOTER) != 0;
  }
  if (ok && !last) ok = WriteRptPageBreak(c) != 0;
  if (!ok) {
    DispMessage("Flushing page", MSG_FATAL);
    return 0;
  }
  return 1;
}

int WriteRptPageBreak(RptContext* c) {
  if (!WriteRptText(c, kRptPageBreakCode)) return 0;
  c->pageNumber += 1;
  c->pageCount += 1;
  c->remaining = c->pageHeight;
  c->pageStarts.push_back(c->lineCount);
  return 1;
}
