// The report run and its report file.
//
// Every report run carries one RptContext: the driver creates it, the
// generator gives it page settings and fonts, the builder its title,
// headings and mark-up lines, and the renderers (preview, printer, plain
// text) read it back. The lines do not stay in memory: the builder writes
// them, one 256-byte record per line, into a temporary report file, and
// every renderer reads that file again.
//
// Record k of the file lies at byte k x 256: the line's text (at most 254
// characters), a line feed, zero fill. Every page but the last ends with a
// "{ff}" record; pageStarts[p] is the index of the first record of page p+1.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"

inline constexpr int kRptRecordSize = 256;
// The longest text a record holds (then the line feed and one zero).
inline constexpr int kRptMaxLineText = 254;
// Report line widths in characters.
inline constexpr int kRptPortraitWidth = 77;
inline constexpr int kRptLandscapeWidth = 130;
inline constexpr int kRptFontCount = 5;
inline constexpr int kRptPenCount = 4;

// The five report fonts and their uses.
enum RptFontIndex {
  RPT_FONT_FOOTER = 0,   // 0.8 x base, bold
  RPT_FONT_HEADING = 1,  // base, bold: subtitle, column headers, group headings
  RPT_FONT_NOTE = 2,     // base, normal: end notes
  RPT_FONT_TITLE = 3,    // 1.5 x base, bold
  RPT_FONT_BODY = 4,     // base, normal: body lines
};

struct RptContext {
  // Non-zero: every text segment is clipped to its column cell when drawn.
  int clipText = 0;
  // Output file of the plain-text export; when not empty, printing passes
  // it as the print job's output file.
  char saveAsName[260] = {};
  // Label position (from 1) at which label output starts on the first sheet.
  int firstLabel = 1;
  // The caller's argument to ReportDriver, carried unchanged (report 91: the
  // path of the text file; report 92: its question entry).
  void* owner = nullptr;
  float leftMargin = 0;  // inches
  float rightMargin = 0;
  int baseSize = 0;  // points
  float topMargin = 0;
  float bottomMargin = 0;
  int labelFlag = 0;  // a label report: page and margins from the label sheet
  int lineWidth = kRptPortraitWidth;
  char dateText[32] = {};  // today as "December 11, 2026" for the footer
  char tempName[260] = {};
  std::FILE* file = nullptr;  // the report file while open
  int lineCount = 0;          // records written; the index of the next one
  int footerCount = 0;
  int headerCount = 0;
  int noteCount = 0;
  int titleCount = 0;
  char footerLines[3][256] = {};
  char headerLines[8][256] = {};
  std::vector<int> pageStarts;  // first record of each page
  int pageCount = 0;
  int pageNumber = 0;  // the page being written, from 1
  int repeatTitle = 0;
  char noteLines[4][256] = {};
  char titleLines[3][256] = {};  // title, subtitle, spacer
  int reportId = 0;
  char titleText[64] = {};  // the plain title (default export file name)
  // Block heights and the body line height, in device units.
  float footerHeight = 0;
  float headerHeight = 0;
  float noteHeight = 0;
  float titleHeight = 0;
  float lineHeight = 0;
  CFont fonts[kRptFontCount];
  int fontMade[kRptFontCount] = {};
  float fontHeight[kRptFontCount] = {};  // line height per font, device units
  // Entry 4 holds the base font of the print settings.
  LOGFONT fontSpecs[kRptFontCount] = {};
  CPen pens[kRptPenCount];
  int penMade[kRptPenCount] = {};
  int penWidth[kRptPenCount] = {};
  float pageHeight = 0;   // between the top and bottom margins
  float usableWidth = 0;  // between the left and right margins
  int originX = 0;        // text area's corner from the printable origin
  int originY = 0;
  int rightOffset = 0;
  int bottomOffset = 0;
  float remaining = 0;  // height still free on the page being written
  // The paper the fonts were last made for, inches (the printer's paper,
  // or a label report's sheet).
  float paperWidth = 0;
  float paperHeight = 0;
  // Device units per inch of the fonts last made (100 while building and
  // printing; the zoom in the preview).
  int scale = 0;
};

// Allocates a zero-filled context: the next report file name, today's date
// text, line width 77, first label 1. 0 (and *out null) after "Failed
// alloc: InitRpt".
int InitRpt(RptContext** out);
// Clears what one build sets (blocks, counts, page table, heights,
// geometry); keeps the run's settings (report, owner, width, label
// settings, margins, base font, file names, date).
void ResetRpt(RptContext* context);
// Creates (or truncates) the report file; starts page 1. Writes no line.
int OpenRpt(RptContext* context);
// One record: the text cut to 254 characters, a line feed, zero fill.
// lineCount grows even when no file is open; 0 then, or on a write error.
int WriteRptLine(RptContext* context, const char* text);
// One whole record into `buffer` (256 bytes); 0 at the end or on an error.
int ReadRptLine(RptContext* context, char* buffer);
// Ends the last page (end notes, footer) and closes the file.
int CloseRpt(RptContext* context);
// Deletes the report file, frees the context and empties the pointer.
int FreeRpt(RptContext** context);
int GetRptPageCount(const RptContext* context);
int GetRptPageNumber(const RptContext* context);

// The text of a record as read: cut at its line feed.
void CutRptRecord(char* buffer);
// Opens the report file for reading (renderers); false when it cannot.
bool OpenRptForReading(RptContext* context);
// Positions the open file at the first record of page `page` (from 0).
bool SeekRptPage(RptContext* context, int page);
void CloseRptFile(RptContext* context);

// Today's date as the footer shows it: "%s %d, %s" from a yyyymmdd date.
void FormatRptDateText(const char* yyyymmdd, char* out, std::size_t size);
// The running number of the next report file (1 for the first of a run).
int NextRptFileNumber();
