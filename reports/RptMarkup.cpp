#include "reports/RptMarkup.h"

#include <cstdio>

std::string RptEscape(std::string_view data) {
  std::string text(data);
  for (char& ch : text)
    if (ch == '{') ch = '(';
  return text;
}

void RptEscapeInPlace(char* text) {
  if (text == nullptr) return;
  for (; *text; ++text)
    if (*text == '{') *text = '(';
}

std::string RptFontCode(int font) { return "{F" + std::to_string(font) + "}"; }

std::string RptCell(int width, std::string_view data, char align) {
  std::string code = "{" + std::to_string(width < 0 ? 0 : width);
  if (align == 'r' || align == 'c') code += align;
  return code + "}" + RptEscape(data);
}

std::string RptRuleCode(int width, int ruleType) {
  static const char kRules[] = "=-.:";
  const char rule = ruleType >= 0 && ruleType <= 3 ? kRules[ruleType] : '-';
  return "{" + std::to_string(width < 0 ? 0 : width) + rule + "}";
}

std::string RptAbsolute(double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "{+%f,%f}", x, y);
  return text;
}
