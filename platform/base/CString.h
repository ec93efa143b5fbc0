// CString: the framework's 8-bit text string.
//
// Holds Windows-1252 bytes (never UTF-8). Every operation works on bytes;
// case folding knows the ASCII letters and the accented letters of
// Windows-1252. Indexes and counts are ints as the framework's callers use
// them; out-of-range arguments are clamped rather than trusted, so a caller
// that computes a bad position gets a shorter or empty result, not a
// read past the end.
//
// Passing a CString through "..." (Format, printf) does not compile here:
// cast it to LPCTSTR or call GetString().
#pragma once

#include <concepts>
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/base/types.h"

#if defined(__GNUC__)
#define KESTROVA_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KESTROVA_PRINTF(fmt, args)
#endif

class CString {
 public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(LPCTSTR text);                  // null means empty
  CString(LPCTSTR text, int length);      // at most length bytes, stops at none
  CString(char ch, int repeat = 1);
  CString(const unsigned char* text);
  CString(const std::string& text) : s_(text) {}
  CString(std::string&& text) : s_(std::move(text)) {}
  explicit CString(std::string_view text) : s_(text) {}

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCTSTR text);
  CString& operator=(char ch);
  CString& operator=(const unsigned char* text);
  CString& operator=(const std::string& text);

  // Size and access.
  int GetLength() const { return static_cast<int>(s_.size()); }
  BOOL IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  char GetAt(int index) const;             // 0 for an index out of range
  void SetAt(int index, char ch);          // ignored for an index out of range
  template <std::integral I>
  char operator[](I index) const { return GetAt(static_cast<int>(index)); }
  operator LPCTSTR() const { return s_.c_str(); }
  LPCTSTR GetString() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string& str() { return s_; }

  // Concatenation.
  CString& operator+=(const CString& text) { s_ += text.s_; return *this; }
  CString& operator+=(LPCTSTR text);
  CString& operator+=(char ch) { s_ += ch; return *this; }
  CString& operator+=(const std::string& text) { s_ += text; return *this; }
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, LPCTSTR b);
  friend CString operator+(LPCTSTR a, const CString& b);
  friend CString operator+(const CString& a, char b);
  friend CString operator+(char a, const CString& b);

  // Comparison: byte order (unsigned), or with case folded. Results are
  // -1, 0 or 1.
  int Compare(LPCTSTR text) const;
  int CompareNoCase(LPCTSTR text) const;
  int Collate(LPCTSTR text) const { return Compare(text); }
  int CollateNoCase(LPCTSTR text) const { return CompareNoCase(text); }

  // Extraction. Negative starts and counts are taken as 0; counts past the
  // end stop at the end.
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString SpanIncluding(LPCTSTR charSet) const;
  CString SpanExcluding(LPCTSTR charSet) const;

  // Case and order.
  void MakeUpper();
  void MakeLower();
  void MakeReverse();

  // Trimming: white space (blank, tab, CR, LF, VT, FF), or a character,
  // or any character of a set.
  void TrimLeft();
  void TrimLeft(char target);
  void TrimLeft(LPCTSTR targets);
  void TrimRight();
  void TrimRight(char target);
  void TrimRight(LPCTSTR targets);
  void Trim() { TrimRight(); TrimLeft(); }
  void Trim(char target) { TrimRight(target); TrimLeft(target); }
  void Trim(LPCTSTR targets) { TrimRight(targets); TrimLeft(targets); }

  // Editing. Replace and Remove return the number of replacements or
  // removals; Insert and Delete return the new length.
  int Replace(char oldCh, char newCh);
  int Replace(LPCTSTR oldText, LPCTSTR newText);
  int Remove(char ch);
  int Insert(int index, char ch);
  int Insert(int index, LPCTSTR text);
  int Delete(int index, int count = 1);

  // Searching: the index found, or -1.
  int Find(char ch, int start = 0) const;
  int Find(LPCTSTR sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCTSTR charSet) const;

  // printf-style formatting into this string.
  void Format(LPCTSTR format, ...) KESTROVA_PRINTF(2, 3);
  void Format(UINT formatId, ...);
  void FormatV(LPCTSTR format, va_list args) KESTROVA_PRINTF(2, 0);
  void AppendFormat(LPCTSTR format, ...) KESTROVA_PRINTF(2, 3);

  // Direct buffer access: GetBuffer gives room for at least minLength
  // characters plus a terminator, keeping the current text. ReleaseBuffer
  // ends the access: with -1 the text runs to the first zero byte,
  // otherwise it is newLength bytes (clamped to the buffer).
  LPTSTR GetBuffer(int minLength = 0);
  LPTSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);
  void FreeExtra() { s_.shrink_to_fit(); }

  // Text from the string table (see AfxSetStringTable). FALSE and empty
  // when the id is unknown.
  BOOL LoadString(UINT id);

 private:
  std::string s_;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);

std::ostream& operator<<(std::ostream& os, const CString& s);

// Windows-1252 case mapping of one byte (ASCII and the accented letters).
char Cp1252ToUpper(char ch);
char Cp1252ToLower(char ch);

// The string table behind LoadString and Format(UINT, ...): a lookup that
// yields the text of an id, or nothing. Replaces the previous table.
using StringTableLookup = std::function<bool(UINT id, std::string& text)>;
void AfxSetStringTable(StringTableLookup lookup);

template <>
struct std::hash<CString> {
  std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
