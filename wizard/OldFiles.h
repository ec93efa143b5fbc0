// Reading the previous installation's files: text lines of key and value,
// and fixed-size binary records with their little-endian fields.
#pragma once

#include <cstdio>
#include <string>

#include "platform/base/types.h"
#include "store/Records.h"

namespace wiz {

// The next line without its line end, cut to `maxChars` characters; false
// at the end of the file.
bool ReadTextLine(FILE* file, std::string& line, std::size_t maxChars);
// Text before the first "=" and after it; false without "=".
bool SplitKeyValue(const std::string& line, std::string& key, std::string& value);
// Drops line feeds, carriage returns, tabs and blanks from the end.
std::string TrimLineEnd(std::string line);

// Fields of an old record (packed, little-endian, int16 widened with sign).
inline LONG OldI16(const BYTE* rec, int off) {
  return static_cast<SHORT>(static_cast<WORD>(rec[off] | (rec[off + 1] << 8)));
}
inline LONG OldI32(const BYTE* rec, int off) {
  return static_cast<LONG>(static_cast<DWORD>(rec[off]) | (static_cast<DWORD>(rec[off + 1]) << 8) |
                           (static_cast<DWORD>(rec[off + 2]) << 16) | (static_cast<DWORD>(rec[off + 3]) << 24));
}
float OldFloat(const BYTE* rec, int off);
// A text field of `width` bytes, cut at its terminator (or the width).
std::string OldText(const BYTE* rec, int off, int width);
// Money of an old record: float dollars in version 1, int32 cents after.
LONG OldMoney(int version, const BYTE* rec, int off);

// A record of the new layout with every field zero.
template <class Rec>
Rec Cleared() {
  BYTE zero[RecordSize<Rec>::value] = {};
  Rec rec;
  Unpack(zero, rec);
  return rec;
}

}  // namespace wiz
