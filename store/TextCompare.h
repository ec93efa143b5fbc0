// Comparing key texts without regard to case, as the key tables and the
// account group files sort them.
#pragma once

#include <cstddef>

// ASCII case-insensitive comparison of two texts (bytes compared unsigned).
int CompareNoCase(const char* a, const char* b);
int CompareNoCaseN(const char* a, const char* b, size_t n);
