// The report mark-up: plain text interleaved with brace codes that place
// text in character columns, align it, choose one of five fonts, draw
// rules and boxes, jump to absolute positions and break pages.
//
//   "{30}"   a column 30 characters wide, after the previous column
//   "{l}" "{c}" "{r}"   alignment in the column (left is the default)
//   "{F3}"   font 0-4 from here on (RptFontIndex)
//   "{=}" "{-}" "{.}" "{:}"   heavy, thin, dotted rule; label outline
//            (preview only); e.g. "{30.}Total Assets" a dotted leader
//   "{77,5=}"  a heavy box six lines high
//   "{*2.5,1.0:}"  decimal mode: width and height in inches
//   "{+1.000000,2.500000}"  absolute position in inches
//   "{ff}"   page break
//
// Text cannot contain "{": data written into a line must go through
// RptEscape, which shows a "{" as "(" so that a name, payee or remark is
// never read as a code. Mark-up comes only from the builders' own text.
#pragma once

#include <string>
#include <string_view>

// Rule codes and the pens that draw them.
enum RptRuleType {
  RPT_RULE_NONE = -1,
  RPT_RULE_HEAVY = 0,    // "="
  RPT_RULE_THIN = 1,     // "-"
  RPT_RULE_DOTTED = 2,   // "."
  RPT_RULE_OUTLINE = 3,  // ":" (preview only)
};

inline constexpr const char* kRptPageBreakCode = "{ff}";

// Data as text of a mark-up line: every "{" becomes "(".
std::string RptEscape(std::string_view data);
// The same in place.
void RptEscapeInPlace(char* text);

// Small builders of code groups, for lines made piece by piece.
// "{F%d}"
std::string RptFontCode(int font);
// "{w}" + escaped text, or "{wr}"/"{wc}" for right/centre alignment.
std::string RptCell(int width, std::string_view data, char align = 'l');
// "{w=}", "{w-}", "{w.}" by rule type (a rule across the column).
std::string RptRuleCode(int width, int ruleType);
// "{+x,y}" in inches, six decimals.
std::string RptAbsolute(double x, double y);
