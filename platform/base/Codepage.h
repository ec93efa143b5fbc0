// Conversion between the system's in-memory text (Windows-1252 bytes) and
// UTF-8, used only at the platform edge: text handed to the font machinery,
// keyboard input, clipboard and file-system names.
//
// The five byte values that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) travel as the control characters of the same number, so that
// every byte survives a round trip.
#pragma once

#include <string>
#include <string_view>

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point, or -1 when the code page has none.
int UnicodeToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view text);
// Characters Windows-1252 cannot hold, and malformed UTF-8 sequences, are
// dropped.
std::string Utf8ToCp1252(std::string_view text);
