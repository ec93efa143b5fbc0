#include "common/Money.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const char* FormatCents(long cents) {
  static char buffers[10][32];
  static int next = 0;
  char (&out)[32] = buffers[next];
  next = (next + 1) % 10;
  // Unsigned, so that even the most negative count has an absolute value.
  unsigned long long absolute = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                          : static_cast<unsigned long long>(cents);
  std::snprintf(out, sizeof out, "%s%llu.%.2d", cents < 0 ? "-" : "", absolute / 100, static_cast<int>(absolute % 100));
  return out;
}

CString FormatDollars(long cents, int blankAfterDollar) {
  std::string plain = FormatCents(cents);
  if (!plain.empty() && plain[0] == '-') plain.erase(0, 1);
  CString text;
  text.Format("%s$%s%s%s", cents < 0 ? "(" : "", blankAfterDollar ? " " : "", plain.c_str(), cents < 0 ? ")" : "");
  return text;
}

long ParseDollars(const char* text) {
  if (!text) return 0;
  bool negative = std::strpbrk(text, "(-") != nullptr;
  std::string rest;
  for (const char* p = text; *p; ++p)
    if (!std::strchr("$)( -", *p)) rest += *p;
  // The leading decimal number: digits, a point and digits. Nothing else
  // counts ("inf", "nan", hexadecimal or exponents are no amounts).
  std::size_t begin = 0;
  while (begin < rest.size() && std::isspace(static_cast<unsigned char>(rest[begin]))) ++begin;
  if (begin < rest.size() && rest[begin] == '+') ++begin;
  std::size_t end = begin;
  while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
  std::string wholeDigits = rest.substr(begin, end - begin);
  std::string fractionDigits;
  if (end < rest.size() && rest[end] == '.') {
    std::size_t first = ++end;
    while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
    fractionDigits = rest.substr(first, end - first);
  }
  // Leading zeros add nothing to the whole dollars.
  std::size_t significant = wholeDigits.find_first_not_of('0');
  wholeDigits = significant == std::string::npos ? "" : wholeDigits.substr(significant);
  // Decimal digits in integer arithmetic: the fraction goes to the nearest
  // cent exactly as written ("1.005" is 1.01), which binary fractions miss.
  fractionDigits.resize(3, '0');
  long long fraction = (fractionDigits[0] - '0') * 10 + (fractionDigits[1] - '0') + (fractionDigits[2] >= '5' ? 1 : 0);
  // An amount is a 32-bit count of cents: a longer number stops at its limit.
  constexpr long kMaxCents = 2147483647L;
  long value = kMaxCents;
  if (wholeDigits.size() <= 8) {
    long long whole = 0;
    for (char c : wholeDigits) whole = whole * 10 + (c - '0');
    long long cents = whole * 100 + fraction;
    if (cents < kMaxCents) value = static_cast<long>(cents);
  }
  return negative ? -value : value;
}

long SignByAcctLetter(char classLetter, long amount) {
  return (classLetter == 'A' || classLetter == 'S') ? amount : -amount;
}

long ApplyAcctLetterSign(char classLetter, long amount) {
  return amount * (classLetter != '\0' && std::strchr("AS", classLetter) ? 1 : -1);
}

void GetAmountColumnLabelForClass(char classLetter, int side, int withSign, char* out, size_t size) {
  struct Labels {
    char letter;
    const char* first;
    const char* second;
  };
  static const Labels kLabels[] = {{'A', "Dep", "W/D"}, {'L', "Chg", "Pmt"}, {'I', "Rec", "Ref"},
                                   {'E', "Pmt", "Ref"}, {'R', "Dep", "W/D"}, {'S', "All", "All"}};
  const char* label = "???";
  for (const Labels& l : kLabels)
    if (l.letter == classLetter) label = side == 1 ? l.first : l.second;
  std::snprintf(out, size, "%s%s", label, (withSign && classLetter != 'S') ? (side == 1 ? "(+)" : "(-)") : "");
}

void GetAmountColumnLabel(long acctNumber, int side, int withSign, char* out, size_t size) {
  // The class letters of the account number ranges (the ranges of the
  // account class table; they never change).
  char letter = ' ';
  if (acctNumber >= 1 && acctNumber <= 399) letter = 'A';
  else if (acctNumber >= 400 && acctNumber <= 499) letter = 'L';
  else if (acctNumber >= 500 && acctNumber <= 599) letter = 'I';
  else if (acctNumber >= 600 && acctNumber <= 699) letter = 'E';
  else if (acctNumber >= 700 && acctNumber <= 799) letter = 'R';
  else if (acctNumber >= 900 && acctNumber <= 999) letter = 'S';
  GetAmountColumnLabelForClass(letter, side, withSign, out, size);
}
