// Fixed-width number fields of the reports: money and percentages.
#pragma once

#include <cstddef>
#include <string>

// A money field of |width| + 2 characters: width > 0 dollars and cents in
// width characters, width <= 0 whole dollars (rounded) in |width|; a
// negative amount in parentheses, never with a minus sign; an amount too
// large for the field shows underscores.
//   FormatRptAmount(-5, 10) == "(      0.05)"
void FormatRptAmount(long long cents, int width, char* out, std::size_t size);
std::string FormatRptAmount(long long cents, int width);
// part x 100 / whole (truncated, 64-bit) right-aligned in |width| + 1
// characters, "%" appended when width > 0; blanks when whole is 0;
// underscores when it does not fit.
void FormatRptPercent(long long part, long long whole, int width, char* out, std::size_t size);
std::string FormatRptPercent(long long part, long long whole, int width);
