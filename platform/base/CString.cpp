#include "platform/base/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <vector>

namespace {

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int CompareBytes(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  return Sign(std::strcmp(a, b));  // strcmp compares as unsigned char
}

StringTableLookup& StringTable() {
  static StringTableLookup table;
  return table;
}

}  // namespace

char Cp1252ToUpper(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 32);
  switch (c) {
    case 0x9A: return static_cast<char>(0x8A);  // s caron
    case 0x9C: return static_cast<char>(0x8C);  // oe
    case 0x9E: return static_cast<char>(0x8E);  // z caron
    case 0xFF: return static_cast<char>(0x9F);  // y diaeresis
    default: return ch;
  }
}

char Cp1252ToLower(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
  switch (c) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return ch;
  }
}

void AfxSetStringTable(StringTableLookup lookup) { StringTable() = std::move(lookup); }

CString::CString(LPCTSTR text) : s_(text ? text : "") {}

CString::CString(LPCTSTR text, int length) {
  if (text == nullptr || length <= 0) return;
  const void* nul = std::memchr(text, 0, static_cast<std::size_t>(length));
  std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                      : static_cast<std::size_t>(length);
  s_.assign(text, n);
}

CString::CString(char ch, int repeat) {
  if (repeat > 0) s_.assign(static_cast<std::size_t>(repeat), ch);
}

CString::CString(const unsigned char* text) : CString(reinterpret_cast<const char*>(text)) {}

CString& CString::operator=(LPCTSTR text) {
  // text may point into this string's own buffer.
  if (text == nullptr) s_.clear();
  else s_ = std::string(text);
  return *this;
}

CString& CString::operator=(char ch) {
  s_.assign(1, ch);
  return *this;
}

CString& CString::operator=(const unsigned char* text) {
  return *this = reinterpret_cast<const char*>(text);
}

CString& CString::operator=(const std::string& text) {
  s_ = text;
  return *this;
}

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return 0;
  return s_[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) return;
  s_[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator+=(LPCTSTR text) {
  if (text) s_ += std::string(text);  // copy first: text may alias s_
  return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
CString operator+(const CString& a, LPCTSTR b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(LPCTSTR a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

int CString::Compare(LPCTSTR text) const { return CompareBytes(s_.c_str(), text); }

int CString::CompareNoCase(LPCTSTR text) const {
  if (text == nullptr) text = "";
  const char* a = s_.c_str();
  for (;; ++a, ++text) {
    unsigned char ca = static_cast<unsigned char>(Cp1252ToLower(*a));
    unsigned char cb = static_cast<unsigned char>(Cp1252ToLower(*text));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(s_.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(LPCTSTR charSet) const {
  if (charSet == nullptr) return CString();
  return Left(static_cast<int>(std::strspn(s_.c_str(), charSet)));
}

CString CString::SpanExcluding(LPCTSTR charSet) const {
  if (charSet == nullptr) return *this;
  return Left(static_cast<int>(std::strcspn(s_.c_str(), charSet)));
}

void CString::MakeUpper() {
  for (char& c : s_) c = Cp1252ToUpper(c);
}

void CString::MakeLower() {
  for (char& c : s_) c = Cp1252ToLower(c);
}

void CString::MakeReverse() { std::reverse(s_.begin(), s_.end()); }

void CString::TrimLeft() {
  std::size_t i = 0;
  while (i < s_.size() && IsBlank(s_[i])) ++i;
  s_.erase(0, i);
}

void CString::TrimLeft(char target) {
  std::size_t i = 0;
  while (i < s_.size() && s_[i] == target) ++i;
  s_.erase(0, i);
}

void CString::TrimLeft(LPCTSTR targets) {
  if (targets == nullptr || *targets == 0) return;
  std::string set(targets);
  std::size_t i = s_.find_first_not_of(set);
  s_.erase(0, i == std::string::npos ? s_.size() : i);
}

void CString::TrimRight() {
  std::size_t n = s_.size();
  while (n > 0 && IsBlank(s_[n - 1])) --n;
  s_.resize(n);
}

void CString::TrimRight(char target) {
  std::size_t n = s_.size();
  while (n > 0 && s_[n - 1] == target) --n;
  s_.resize(n);
}

void CString::TrimRight(LPCTSTR targets) {
  if (targets == nullptr || *targets == 0) return;
  std::string set(targets);
  std::size_t i = s_.find_last_not_of(set);
  s_.resize(i == std::string::npos ? 0 : i + 1);
}

int CString::Replace(char oldCh, char newCh) {
  int n = 0;
  if (oldCh == newCh) return 0;
  for (char& c : s_) {
    if (c == oldCh) {
      c = newCh;
      ++n;
    }
  }
  return n;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText) {
  if (oldText == nullptr || *oldText == 0) return 0;
  std::string from(oldText);
  std::string to(newText ? newText : "");
  std::string out;
  int n = 0;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = s_.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(s_, pos, hit - pos);
    out += to;
    pos = hit + from.size();
    ++n;
  }
  if (n == 0) return 0;
  out.append(s_, pos, std::string::npos);
  s_ = std::move(out);
  return n;
}

int CString::Remove(char ch) {
  std::size_t before = s_.size();
  s_.erase(std::remove(s_.begin(), s_.end(), ch), s_.end());
  return static_cast<int>(before - s_.size());
}

int CString::Insert(int index, char ch) {
  index = Clamp(index, 0, GetLength());
  s_.insert(static_cast<std::size_t>(index), 1, ch);
  return GetLength();
}

int CString::Insert(int index, LPCTSTR text) {
  index = Clamp(index, 0, GetLength());
  if (text) s_.insert(static_cast<std::size_t>(index), std::string(text));
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) {
    count = std::min(count, GetLength() - index);
    s_.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
  }
  return GetLength();
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  std::size_t i = s_.find(ch, static_cast<std::size_t>(start));
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::Find(LPCTSTR sub, int start) const {
  if (sub == nullptr) return -1;
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  std::size_t i = s_.find(sub, static_cast<std::size_t>(start));
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::ReverseFind(char ch) const {
  std::size_t i = s_.rfind(ch);
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

int CString::FindOneOf(LPCTSTR charSet) const {
  if (charSet == nullptr) return -1;
  std::size_t i = s_.find_first_of(charSet);
  return i == std::string::npos ? -1 : static_cast<int>(i);
}

void CString::FormatV(LPCTSTR format, va_list args) {
  if (format == nullptr) {
    s_.clear();
    return;
  }
  std::string fmt(format);  // the format may be this string itself
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, fmt.c_str(), copy);
  va_end(copy);
  if (n <= 0) {
    s_.clear();
    return;
  }
  std::vector<char> buf(static_cast<std::size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), fmt.c_str(), args);
  s_.assign(buf.data(), static_cast<std::size_t>(n));
}

void CString::Format(LPCTSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::Format(UINT formatId, ...) {
  CString fmt;
  if (!fmt.LoadString(formatId)) {
    s_.clear();
    return;
  }
  va_list args;
  va_start(args, formatId);
  FormatV(fmt, args);
  va_end(args);
}

void CString::AppendFormat(LPCTSTR format, ...) {
  CString more;
  va_list args;
  va_start(args, format);
  more.FormatV(format, args);
  va_end(args);
  s_ += more.s_;
}

LPTSTR CString::GetBuffer(int minLength) {
  // The room beyond the text is zero-filled, so that ReleaseBuffer(-1)
  // finds the old end when the caller wrote nothing.
  if (minLength > GetLength()) s_.resize(static_cast<std::size_t>(minLength), '\0');
  return s_.data();
}

LPTSTR CString::GetBufferSetLength(int length) {
  if (length < 0) length = 0;
  s_.resize(static_cast<std::size_t>(length), '\0');
  return s_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    s_.resize(std::strlen(s_.c_str()));
  } else {
    s_.resize(std::min(static_cast<std::size_t>(newLength), s_.size()));
  }
}

BOOL CString::LoadString(UINT id) {
  std::string text;
  if (StringTable() && StringTable()(id, text)) {
    s_ = std::move(text);
    return TRUE;
  }
  s_.clear();
  return FALSE;
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
bool operator!=(LPCTSTR a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }

std::ostream& operator<<(std::ostream& os, const CString& s) { return os << s.str(); }
