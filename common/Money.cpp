#include "common/Money.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const char* FormatCents(long cents) {
  static char buffers[10][32];
  static int next = 0;
  char* out = buffers[next];
  next = (next + 1) % 10;
  long long value = cents;
  long long absolute = value < 0 ? -value : value;
  std::snprintf(out, 32, "%s%lld.%.2d", value < 0 ? "-" : "", absolute / 100, static_cast<int>(absolute % 100));
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
  long whole = std::labs(std::strtol(rest.c_str(), nullptr, 10));
  double number = std::strtod(rest.c_str(), nullptr);
  if (number < 0) number = -number;
  long fraction = static_cast<long>((number - static_cast<double>(whole)) * 100.0 + 0.5);
  long value = whole * 100 + fraction;
  return negative ? -value : value;
}

long SignByAcctLetter(char classLetter, long amount) {
  return (classLetter == 'A' || classLetter == 'S') ? amount : -amount;
}

long ApplyAcctLetterSign(char classLetter, long amount) {
  return amount * (classLetter != '\0' && std::strchr("AS", classLetter) ? 1 : -1);
}

void GetAmountColumnLabelForClass(char classLetter, int side, int withSign, char* out) {
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
  std::snprintf(out, 8, "%s%s", label, (withSign && classLetter != 'S') ? (side == 1 ? "(+)" : "(-)") : "");
}

void GetAmountColumnLabel(long acctNumber, int side, int withSign, char* out) {
  // The class letters of the account number ranges (the ranges of the
  // account class table; they never change).
  char letter = ' ';
  if (acctNumber >= 1 && acctNumber <= 399) letter = 'A';
  else if (acctNumber >= 400 && acctNumber <= 499) letter = 'L';
  else if (acctNumber >= 500 && acctNumber <= 599) letter = 'I';
  else if (acctNumber >= 600 && acctNumber <= 699) letter = 'E';
  else if (acctNumber >= 700 && acctNumber <= 799) letter = 'R';
  else if (acctNumber >= 900 && acctNumber <= 999) letter = 'S';
  GetAmountColumnLabelForClass(letter, side, withSign, out);
}
