// Error texts: the twenty fixed templates with which every failing operation
// names what failed ("Failed open: %s", "Failed read: %s", ...). Callers name
// the template; a bare number does not compile.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

// The templates, in the order of their stored indexes.
enum class ErrorTextIndex {
  ERR_UNKNOWN = 0,
  ERR_LIST_MAX = 1,
  ERR_TABLE_FULL = 2,
  ERR_ALLOC = 3,
  ERR_CLOSE = 4,
  ERR_FIND = 5,
  ERR_FLUSH = 6,
  ERR_OPEN = 7,
  ERR_READ = 8,
  ERR_PARSE = 9,
  ERR_NOT_FOUND = 10,
  ERR_SEEK = 11,
  ERR_FTELL = 12,
  ERR_WRITE = 13,
  ERR_INCOMPATIBLE = 14,
  ERR_NONE_DEFINED = 15,
  ERR_UNMATCHED = 16,
  ERR_NOT_IN_LIST = 17,
  ERR_EXISTS = 18,
  ERR_TOO_MANY = 19,
};
using enum ErrorTextIndex;

// Writes the template of `index` filled with `item` into `out` of `size`
// bytes (the text is cut to fit, and to 255 characters). A value
// outside the templates (from a damaged stored index) selects template 0, a null item prints "???", and the item
// "subunit" becomes the unit type's lower-case subunit word.
void FormatErrorText(char* out, size_t size, ErrorTextIndex index, const char* item);
template <size_t N>
void FormatErrorText(char (&out)[N], ErrorTextIndex index, const char* item) {
  FormatErrorText(out, N, index, item);
}

// The same into a CString; item and result are limited to 255 characters.
void FormatErrorTextStr(CString& out, ErrorTextIndex index, const char* item);
