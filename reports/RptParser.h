// The mark-up parser: turns a report line, one segment per call, into text,
// positions and drawing requests for the renderer that calls it (printer,
// preview, plain text). Positions are device units of the scale given.
#pragma once

#include <string>

#include "platform/base/Geometry.h"
#include "reports/RptContext.h"

struct RptSegment {
  std::string text;  // leading blanks and tabs removed
  char align = 'l';  // 'l', 'c' or 'r'
  int ruleType = -1;  // RptRuleType
  float ruleX = 0, ruleY = 0;
  int ruleLength = 0;
  int boxHeight = 0;  // height of a box below the rule, 0 for a plain rule
  int boxLines = 0;   // text lines a box spans (plain text)
  int pageBreak = 0;
  float textX = 0;      // the text's reference point (left, centre or right)
  RECT cell{};          // the text's column cell
  int columnStart = 0;  // characters of the line before this segment
  int columnEnd = 0;    // and after it
};

class RptParser {
 public:
  RptParser(const RptContext* context, int originX, int originY, int scale);
  // Starts a line: x back at the origin, no columns used. The text is
  // copied; y and the font carry over from the previous line.
  void StartLine(const char* line);
  // The next segment: 1 when it has content (text, a rule or a page
  // break), 0 when the line has none left (a last call that may still
  // have moved the position or changed the font).
  int Next(RptSegment* out);

  float x = 0;
  float y = 0;
  int font = 4;

 private:
  const RptContext* c_;
  int originX_, originY_, scale_;
  std::string line_;
  std::size_t cursor_ = 0;
  int columnCount_ = 0;
  bool lineStart_ = true;
  int columnOffset_ = 0;
  float tallest_ = 0;
};
