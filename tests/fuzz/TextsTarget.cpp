// Dates in every format code and typed amounts.
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "common/Money.h"
#include "fuzz/FuzzTargets.h"

namespace fuzz {

void DatesAndMoney(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));
  for (int code = 0; code <= 19; ++code) {
    char out[32];
    FormatDate(text.c_str(), code, DF_YYYYMMDD, out);
    FuzzCheck(std::strlen(out) < sizeof out, "a date text fits its buffer");
    char back[32];
    FormatDate(out, DF_YYYYMMDD, code, back);
    FuzzCheck(std::strlen(back) < sizeof back, "a date text fits its buffer");
  }
  char moved[32];
  AddToDate(text.c_str(), 1, -13, 40, moved);
  CompareDates(text.c_str(), "20080101", DF_YYYYMMDD);

  long cents = ParseDollars(text.c_str());
  FuzzCheck(cents >= -2147483647L && cents <= 2147483647L, "an amount is a 32-bit count of cents");
  // What an amount prints as reads back to the same amount.
  FuzzCheck(ParseDollars(FormatCents(cents)) == cents, "plain amount round trip");
  FuzzCheck(ParseDollars(FormatDollars(cents, 1)) == cents, "dollar amount round trip");
}

}  // namespace fuzz
