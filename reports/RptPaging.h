// Report blocks and paging.
//
// Builders do not place lines on pages themselves: they describe the title,
// subtitle, column headers and end notes once, ask before each group of
// lines whether there is room (NeedRptLines), and write lines. Paging ends
// a full page with its footer and a "{ff}" record, repeats the headings on
// the next page and keeps the page-start table.
//
// A builder's usual sequence:
//   SetRptTitle(ctx, "Account List", 0);  SetRptSubtitle(ctx, "...");
//   SetRptColumnHeaders(ctx, {"{5-}Num{3} {25-}Name"});
//   if (!OpenRpt(ctx) || !WriteRptBlock(ctx, RPT_BLOCK_TITLE) || !WriteRptBlock(ctx, RPT_BLOCK_HEADERS)) ...
//   for each group of k lines: NeedRptLines(ctx, k), WriteRptLines(...)
//   CloseRpt(ctx);   // end notes and the last footer
// Data (names, payees, remarks) goes through RptEscape (RptMarkup.h) so
// that it never reads as mark-up.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "reports/RptContext.h"

// Blocks of WriteRptBlock.
enum RptBlock {
  RPT_BLOCK_FOOTER = 0,
  RPT_BLOCK_HEADERS = 1,
  RPT_BLOCK_NOTES = 2,
  RPT_BLOCK_TITLE = 3,
};

// Title (plain text; at most 63 characters kept in titleText), repeated at
// the top of every further page when `repeat` is set.
void SetRptTitle(RptContext* context, const char* title, int repeat);
// Subtitle (plain text) with the unit's name right-aligned after it, and
// the spacer line.
void SetRptSubtitle(RptContext* context, const char* subtitle);
// Up to 8 mark-up lines, drawn in font 1 (font 4 selected again after each).
void SetRptColumnHeaders(RptContext* context, const char (*lines)[256], int n);
void SetRptColumnHeaders(RptContext* context, std::initializer_list<const char*> lines);
// Up to 4 mark-up lines in font 2, written once above the last footer.
void SetRptNotes(RptContext* context, const char (*lines)[256], int n);
void SetRptNotes(RptContext* context, std::initializer_list<const char*> lines);

// Writes a block (RptBlock) and takes its height from the page.
int WriteRptBlock(RptContext* context, int which);
// Writes n body lines, each taking one line height from the page.
int WriteRptLines(RptContext* context, const char (*lines)[256], int n);
int WriteRptLines(RptContext* context, std::initializer_list<const char*> lines);
// One body line (a convenience for WriteRptLines with n = 1).
int WriteRptText(RptContext* context, const char* line);
int WriteRptBlankLines(RptContext* context, int n);
// " ", a full-width heavy rule, " " (after making room for three lines).
int WriteRptSeparator(RptContext* context);
// A group heading in font 1 with a dotted leader: "Adults", the plural
// subunit heading for "<subunits>", or "<name> <subunit word>".
int WriteSubunitHeader(RptContext* context, const char* name, int n);
// A rule line over the amount columns, the totals line and a blank line.
// `format` takes the label and five amount fields, all "%s".
int WriteSubunitTotals(RptContext* context, int labelWidth, int spacerWidth, int amountWidth,
                       const long long* amounts, int kind, const char* format);
// Appends twelve month heads from the fiscal first month and "Total" to
// `line`; order[i] is the calendar month (0 January) of column i, 12 the
// total.
void AppendMonthColumns(RptContext* context, int spacerWidth, int columnWidth, char* line, std::size_t size,
                        int order[13]);
template <std::size_t N>
void AppendMonthColumns(RptContext* context, int spacerWidth, int columnWidth, char (&line)[N], int order[13]) {
  AppendMonthColumns(context, spacerWidth, columnWidth, line, N, order);
}

// 1 when n more body lines, the footer and the end notes do not fit.
int RptPageFull(const RptContext* context, int n);
// Makes room for a group of n lines: ends the page when they do not fit,
// then repeats the title (when asked) and the column headers.
int NeedRptLines(RptContext* context, int n);
// Ends a page: the end notes on the last page, the footer, and on other
// pages the page break.
int EndRptPage(RptContext* context, int last);
// The "{ff}" record and the next page's entry in the page-start table.
int WriteRptPageBreak(RptContext* context);
