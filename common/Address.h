// The address line that holds city, state and zip.
#pragma once

#include <cstddef>

// Splits a combined line ("Springfield, IL 62701") into city, two-letter
// state code and zip. When a state or zip is found the city gets the rest and
// `line` is emptied; otherwise all three stay empty and `line` unchanged.
// A city longer than `city` holds is cut.
void SplitCityStateZip(char* line, char* city, size_t citySize, char (&state)[3], char (&zip)[11]);
template <size_t N>
void SplitCityStateZip(char* line, char (&city)[N], char (&state)[3], char (&zip)[11]) {
  SplitCityStateZip(line, city, N, state, zip);
}
// The city line that fits in width - 1 characters; `out` needs `width` bytes.
void FormatCityLine(const char* city, const char* state, const char* zip, int width, char* out);

// The state and territory tables the split uses (names upper case).
extern const char* const StateNames[];
extern const char* const StateCodes[];
extern const int StateNameCount;
