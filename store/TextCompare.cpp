#include "store/TextCompare.h"

#include <cstdint>

namespace {
int Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }
}  // namespace

int CompareNoCaseN(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    int ca = Lower(static_cast<unsigned char>(a[i]));
    int cb = Lower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
  return 0;
}

int CompareNoCase(const char* a, const char* b) { return CompareNoCaseN(a, b, SIZE_MAX); }
