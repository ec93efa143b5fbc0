#include "reports/RptParser.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// An unsigned integer at `at` (held to 9999: no column or box is wider);
// `at` moves past it.
int ReadInt(const std::string& s, std::size_t& at) {
  long value = 0;
  while (at < s.size() && IsDigit(s[at])) {
    if (value < 1000) value = value * 10 + (s[at] - '0');
    ++at;
  }
  return static_cast<int>(value);
}

// A decimal number (digits and points) at `at`.
double ReadDecimal(const std::string& s, std::size_t& at) {
  const std::size_t start = at;
  while (at < s.size() && (IsDigit(s[at]) || s[at] == '.')) ++at;
  return std::atof(s.substr(start, at - start).c_str());
}

}  // namespace

RptParser::RptParser(const RptContext* context, int originX, int originY, int scale)
    : c_(context), originX_(originX), originY_(originY), scale_(scale) {
  x = static_cast<float>(originX);
  y = static_cast<float>(originY);
}

void RptParser::StartLine(const char* line) {
  line_ = line ? line : "";
  cursor_ = 0;
  columnCount_ = 0;
  x = static_cast<float>(originX_);
}

int RptParser::Next(RptSegment* out) {
  *out = RptSegment{};
  const std::string& s = line_;
  const auto fontHeight = [this](int f) { return f >= 0 && f < kRptFontCount ? c_->fontHeight[f] : 0.0f; };
  if (lineStart_) {
    columnOffset_ = 0;
    tallest_ = 0;
    for (std::size_t i = s.find("{F", cursor_); i != std::string::npos; i = s.find("{F", i + 2)) {
      std::size_t at = i + 2;
      if (at < s.size() && IsDigit(s[at])) {
        const float h = fontHeight(ReadInt(s, at));
        if (h > tallest_) tallest_ = h;
      }
    }
  }

  bool content = false;
  int width = -1;
  bool decimal = false;
  double boxWidth = -1, boxHeight = -1;
  int extra = 0;
  bool absolute = false;
  double ax = 0, ay = 0;
  std::string text;
  while (cursor_ < s.size()) {
    const char ch = s[cursor_];
    if (ch != '{') {
      text += ch;
      content = true;
      ++cursor_;
      continue;
    }
    if (content) break;  // the next segment starts here
    ++cursor_;           // a group
    while (cursor_ < s.size()) {
      const char g = s[cursor_];
      if (g == '}') {
        ++cursor_;
        decimal = false;
        break;
      }
      if (IsDigit(g)) {
        if (decimal)
          boxWidth = ReadDecimal(s, cursor_);
        else
          width = ReadInt(s, cursor_);
        continue;
      }
      ++cursor_;
      switch (g) {
        case '*':
          decimal = true;
          break;
        case ',':
          if (decimal)
            boxHeight = ReadDecimal(s, cursor_);
          else
            extra = ReadInt(s, cursor_);
          break;
        case '+':
          absolute = true;
          ax = ReadDecimal(s, cursor_);
          while (cursor_ < s.size() && s[cursor_] != ',' && s[cursor_] != '}') ++cursor_;
          if (cursor_ < s.size() && s[cursor_] == ',') {
            ++cursor_;
            ay = ReadDecimal(s, cursor_);
          }
          while (cursor_ < s.size() && s[cursor_] != '}') ++cursor_;
          break;
        case '=':
          out->ruleType = 0, content = true;
          break;
        case '-':
          out->ruleType = 1, content = true;
          break;
        case '.':
          out->ruleType = 2, content = true;
          break;
        case ':':
          out->ruleType = 3, content = true;
          break;
        case 'F':
          if (cursor_ < s.size() && IsDigit(s[cursor_])) {
            const int f = ReadInt(s, cursor_);
            if (f < kRptFontCount) font = f;
          }
          break;
        case 'l':
        case 'c':
        case 'r':
          out->align = g;
          break;
        case 'f':
          out->pageBreak = 1, content = true;
          if (cursor_ < s.size() && s[cursor_] == 'f') ++cursor_;
          break;
        default:  // not mark-up: consumed and ignored
          break;
      }
    }
  }
  std::size_t lead = 0;
  while (lead < text.size() && (text[lead] == ' ' || text[lead] == '\t')) ++lead;
  out->text = text.substr(lead);

  x = static_cast<float>(originX_ + columnOffset_);
  if (absolute) {
    x = static_cast<float>(originX_ + static_cast<int>(ax * scale_));
    y = static_cast<float>(originY_ + static_cast<int>(ay * scale_));
  }
  out->cell.left = static_cast<int>(x);
  out->cell.right = out->cell.left;
  out->columnStart = columnCount_;
  int W = 0;
  const float usable = c_->usableWidth > 0 ? c_->usableWidth : 1;
  const int lineWidth = c_->lineWidth > 0 ? c_->lineWidth : kRptPortraitWidth;
  if (width >= 0) {
    W = static_cast<int>(width * usable / lineWidth + 0.5f);
    out->columnStart = columnCount_;
    columnCount_ += width;
    if (absolute) {
      const int skipped = static_cast<int>(ax * scale_ * lineWidth / usable);
      out->columnStart += skipped;
      columnCount_ += skipped;
    }
    columnOffset_ = static_cast<int>(columnCount_ * usable / lineWidth + 0.5f);
    out->cell.right = static_cast<int>(W + x);
    const float edge = static_cast<float>(originX_ + columnOffset_);
    if (out->align == 'r') {
      x = edge;
      out->cell.right = static_cast<int>(x);
    } else if (out->align == 'c') {
      x += (edge - x) / 2;
    }
  }
  out->columnEnd = columnCount_;
  out->textX = x;
  if (content && lineStart_ && !absolute) y += tallest_ > 0 ? tallest_ : fontHeight(font);
  out->cell.bottom = static_cast<int>(y);
  out->cell.top = static_cast<int>(y - fontHeight(font));
  if (boxWidth >= 0 || boxHeight >= 0) {
    W = static_cast<int>((boxWidth > 0 ? boxWidth : 0) * scale_);
    const float h = fontHeight(font);
    extra = h > 0 ? static_cast<int>((boxHeight > 0 ? boxHeight : 0) * scale_ / h - 1) : 0;
  }
  if (out->ruleType >= 0) {
    out->ruleX = x;
    out->ruleY = boxHeight >= 0 ? y : y - fontHeight(font) / 2;
    out->ruleLength = W;
    extra = std::min(extra, 500);  // a box far taller than any page is damage
    if (extra > 0) {
      out->boxHeight = static_cast<int>((extra + 1) * fontHeight(font));
      out->ruleLength += c_->penWidth[out->ruleType];
      out->boxLines = extra + 1;
    }
  }
  lineStart_ = !content || out->pageBreak;
  return content ? 1 : 0;
}
