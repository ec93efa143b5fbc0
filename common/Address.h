// The address line that holds city, state and zip.
#pragma once

// Splits a combined line ("Springfield, IL 62701") into city, two-letter
// state code and zip. When a state or zip is found the city gets the rest and
// `line` is emptied; otherwise all three stay empty and `line` unchanged.
// `city` needs the room of `line`, `state` 3 bytes, `zip` 11 bytes.
void SplitCityStateZip(char* line, char* city, char* state, char* zip);
// The city line that fits in width - 1 characters; `out` needs `width` bytes.
void FormatCityLine(const char* city, const char* state, const char* zip, int width, char* out);

// The state and territory tables the split uses (names upper case).
extern const char* const StateNames[];
extern const char* const StateCodes[];
extern const int StateNameCount;
