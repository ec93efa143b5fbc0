// Money amounts: signed counts of cents, shown with two decimals, a full stop
// and no thousands separators.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

// "-0.05", "1234.56". Points into one of 10 static buffers used in turn.
const char* FormatCents(long cents);
// "$12.34", "($12.34)", with blankAfterDollar "$ 12.34".
CString FormatDollars(long cents, int blankAfterDollar);
// Cents of a typed amount: "($12.34)", "-12.34", "12.34-" give -1234.
long ParseDollars(const char* text);

// The amount for the class letters A and S, its negation for any other.
long SignByAcctLetter(char classLetter, long amount);
long ApplyAcctLetterSign(char classLetter, long amount);

// Label of one side of an account's amount column ("Dep"/"W/D", ...);
// side 1 is the first column (8 bytes hold every label).
void GetAmountColumnLabel(long acctNumber, int side, int withSign, char* out, size_t size);
void GetAmountColumnLabelForClass(char classLetter, int side, int withSign, char* out, size_t size);
template <size_t N>
void GetAmountColumnLabel(long acctNumber, int side, int withSign, char (&out)[N]) {
  GetAmountColumnLabel(acctNumber, side, withSign, out, N);
}
template <size_t N>
void GetAmountColumnLabelForClass(char classLetter, int side, int withSign, char (&out)[N]) {
  GetAmountColumnLabelForClass(classLetter, side, withSign, out, N);
}
