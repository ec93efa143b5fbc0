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
  if (end < rest.size() && rest[end] == '.') {
    ++end;
    while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
  }
  std::string number = rest.substr(begin, end - begin);
  // An amount is a 32-bit count of cents: a longer number stops at its limit.
  constexpr long kMaxCents = 2147483647L;
  long value = kMaxCents;
  if (wholeDigits.size() <= 8) {
    long whole = wholeDigits.empty() ? 0 : std::strtol(wholeDigits.c_str(), nullptr, 10);
    double fractionValue = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr) - static_cast<double>(whole);
    long fraction = static_cast<long>(fractionValue * 100.0 + 0.5);
    long long cents = static_cast<long long>(whole) * 100 + fraction;
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
