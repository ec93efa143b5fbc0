#include "reports/RptFormat.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// 10 to the power n, or past every amount when n is too large to compute.
bool FitsDigits(long long value, int digits) {
  if (digits >= 18) return true;
  long long limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  return value < limit;
}

}  // namespace

void FormatRptAmount(long long cents, int width, char* out, std::size_t size) {
  if (size == 0) return;
  const int w = std::abs(width);
  const bool negative = cents < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(cents) : cents;
  const long long f = static_cast<long long>(magnitude % 100);
  long long d = static_cast<long long>((magnitude - f) / 100);
  const int digits = width > 0 ? w - 3 : w;
  if (!FitsDigits(d, digits)) {
    const int bars = w > 15 ? 15 : w;
    std::snprintf(out, size, "%c%.*s%c", negative ? '(' : ' ', bars, "_______________", negative ? ')' : ' ');
    return;
  }
  if (width > 0) {
    std::snprintf(out, size, negative ? "(%*lld.%2.2lld)" : " %*lld.%2.2lld ", w - 3, d, f);
  } else {
    if (f > 49) ++d;
    std::snprintf(out, size, negative ? "(%*lld)" : " %*lld ", w, d);
  }
}

std::string FormatRptAmount(long long cents, int width) {
  char text[64];
  FormatRptAmount(cents, width, text, sizeof text);
  return text;
}

void FormatRptPercent(long long part, long long whole, int width, char* out, std::size_t size) {
  if (size == 0) return;
  const int n = std::abs(width);
  if (whole == 0) {
    std::snprintf(out, size, "%*s", width > 0 ? width + 2 : n + 1, "");
    return;
  }
  // 64-bit: parts above $214,748.36 overflow a 32-bit product.
  const long long p = part * 100 / whole;
  std::string text;
  if (!FitsDigits(p, n)) {
    text.assign(n + 1, '_');
  } else {
    char field[48];
    std::snprintf(field, sizeof field, "%*lld", n + 1, p);
    text = field;
  }
  if (width > 0) text += '%';
  std::snprintf(out, size, "%s", text.c_str());
}

std::string FormatRptPercent(long long part, long long whole, int width) {
  char text[64];
  FormatRptPercent(part, whole, width, text, sizeof text);
  return text;
}
