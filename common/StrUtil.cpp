#include "common/StrUtil.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
}  // namespace

void TrimString(char* text, int flags) {
  if (!text) return;
  if (flags & 2) {
    std::size_t n = std::strlen(text);
    while (n > 0 && IsBlankOrTab(text[n - 1])) text[--n] = '\0';
  }
  if (flags & 1) {
    std::size_t skip = 0;
    while (IsBlankOrTab(text[skip])) ++skip;
    if (skip) std::memmove(text, text + skip, std::strlen(text + skip) + 1);
  }
}

void PadString(char* text, int width, char fill) {
  if (!text || width < 1) return;
  std::size_t n = std::strlen(text);
  while (n + 1 < static_cast<std::size_t>(width)) text[n++] = fill;
  text[n] = '\0';
}

void CopySubstring(const char* text, int start, int count, char* out, size_t size) {
  if (!out || size == 0) return;
  out[0] = '\0';
  if (!text || start < 0 || count <= 0) return;
  std::size_t len = std::strlen(text);
  if (static_cast<std::size_t>(start) > len) return;
  std::size_t n = std::min({len - static_cast<std::size_t>(start), static_cast<std::size_t>(count), size - 1});
  std::memcpy(out, text + start, n);
  out[n] = '\0';
}

void UpperCase(char* text) {
  for (char* p = text; p && *p; ++p) *p = Cp1252ToUpper(*p);
}

void CapitalizeWords(char* text) {
  bool capitalNext = true;
  for (char* p = text; p && *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    // Windows-1252 letters (é, Ñ ...) are letters too, so that "éric"
    // becomes "Éric" and not "éRic".
    if (IsLetter(*p) || Cp1252ToUpper(*p) != *p || Cp1252ToLower(*p) != *p) {
      *p = capitalNext ? Cp1252ToUpper(*p) : Cp1252ToLower(*p);
      capitalNext = false;
    } else if (std::isspace(c) || std::ispunct(c)) {
      capitalNext = true;
    }
    // Digits keep the state: "3rd" becomes "3Rd".
  }
}

void StripChars(char* text, const char* set) {
  if (!text || !set) return;
  char* out = text;
  for (char* p = text; *p; ++p)
    if (!std::strchr(set, *p)) *out++ = *p;
  *out = '\0';
}

void ReplaceChars(char* text, const char* set, char ch) {
  if (!text || !set) return;
  for (char* p = text; *p; ++p)
    if (std::strchr(set, *p)) *p = ch;
}

void InsertString(const char* piece, int pos, char* text, size_t size) {
  if (!piece || !text || pos < 0 || size == 0) return;
  std::size_t len = strnlen(text, size - 1);
  std::size_t at = std::min(static_cast<std::size_t>(pos), len);
  std::size_t plen = std::min(std::strlen(piece), size - 1 - at);
  std::memcpy(text + at, piece, plen);
  if (at + plen >= len) text[at + plen] = '\0';
}

CString IntToCString(int n) {
  CString text;
  text.Format("%d", n);
  return text;
}

bool FindInArray(const int* array, int count, int value, int* index) {
  int found = -1;
  for (int i = 0; array && i < count; ++i) {
    if (array[i] == value) {
      found = i;
      break;
    }
  }
  if (index) *index = found;
  return found >= 0;
}

char* WrapText(const char* text, int width) {
  if (!text) return nullptr;
  if (width < 1) width = 1;
  std::string in = text;
  for (char& c : in)
    if (c == '\t') c = ' ';
  std::string out;
  std::size_t lineStart = 0;
  std::size_t lastBlank = std::string::npos;
  for (std::size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '\n') {
      out.append(in, lineStart, i - lineStart);
      out += '\n';
      lineStart = i + 1;
      lastBlank = std::string::npos;
    } else if (c == ' ') {
      lastBlank = i;
    } else if (i - lineStart >= static_cast<std::size_t>(width)) {
      if (lastBlank != std::string::npos && lastBlank >= lineStart) {
        out.append(in, lineStart, lastBlank - lineStart);
        lineStart = lastBlank + 1;
      } else {
        out.append(in, lineStart, i - lineStart);
        lineStart = i;
      }
      out += '\n';
      lastBlank = std::string::npos;
    }
  }
  out.append(in, lineStart, std::string::npos);
  char* result = static_cast<char*>(std::malloc(out.size() + 1));
  if (!result) return nullptr;
  std::memcpy(result, out.c_str(), out.size() + 1);
  return result;
}

int FindCharIndex(char ch, const CString& text) { return text.Find(ch); }

bool IsCharInSet(char ch, const CString& set, bool withDigits, bool withLetters) {
  if (ch == '\0') return false;
  if (set.Find(ch) >= 0) return true;
  if (withDigits && std::strchr("0123456789", ch)) return true;
  if (withLetters && std::strchr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", ch)) return true;
  return false;
}

bool AllCharsInSet(const CString& text, const CString& set, bool withDigits, bool withLetters) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (!IsCharInSet(text[i], set, withDigits, withLetters)) return false;
  return true;
}

bool IsDigitsText(const CString& text, bool allowMinus) {
  return AllCharsInSet(text, allowMinus ? "-" : "", true, false);
}

CString TrimCharSets(const CString& text, const CString& leading, const CString& trailing) {
  const std::string& s = text.str();
  std::size_t b = 0;
  while (b < s.size() && leading.Find(s[b]) >= 0) ++b;
  std::size_t e = s.size();
  while (e > b && trailing.Find(s[e - 1]) >= 0) --e;
  return CString(s.substr(b, e - b));
}

CString FilterChars(const CString& text, const CString& set, bool keep) {
  CString trimmed = text;
  trimmed.Trim(' ');
  std::string out;
  for (char c : trimmed.str())
    if ((set.Find(c) >= 0) == keep) out += c;
  return CString(out);
}

int SplitFields(int rows, int width, const char* text, char* buffer, const char* separators, int keepEmpty) {
  if (!buffer || rows <= 0 || width <= 0) return 0;
  std::memset(buffer, 0, static_cast<std::size_t>(rows) * static_cast<std::size_t>(width));
  if (!text) return 0;
  if (!separators) separators = "";
  int filled = 0;
  const char* p = text;
  for (;;) {
    if (filled >= rows) break;
    const char* end = p;
    while (*end && !std::strchr(separators, *end)) ++end;
    std::size_t len = static_cast<std::size_t>(end - p);
    if (len > 0 || keepEmpty) {
      std::size_t n = std::min(len, static_cast<std::size_t>(width - 1));
      std::memcpy(buffer + static_cast<std::size_t>(filled) * static_cast<std::size_t>(width), p, n);
      ++filled;
    }
    if (!*end) break;
    p = end + 1;
  }
  return filled;
}
