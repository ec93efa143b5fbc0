#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/base/CString.h"

namespace {

struct Case {
  const char* name;
  std::function<CString()> run;
  const char* expected;
};

TEST(CStringTest, OperationsTable) {
  const Case cases[] = {
      {"Mid", [] { return CString("abcdef").Mid(2, 3); }, "cde"},
      {"Mid past end", [] { return CString("abc").Mid(2, 10); }, "c"},
      {"Mid start past end", [] { return CString("abc").Mid(7); }, ""},
      {"Mid negative", [] { return CString("abc").Mid(-2, 2); }, "ab"},
      {"Left too long", [] { return CString("abc").Left(9); }, "abc"},
      {"Left negative", [] { return CString("abc").Left(-1); }, ""},
      {"Right", [] { return CString("abcdef").Right(2); }, "ef"},
      {"Right too long", [] { return CString("ab").Right(5); }, "ab"},
      {"TrimLeft", [] { CString s(" \t\r\nab c "); s.TrimLeft(); return s; }, "ab c "},
      {"TrimRight", [] { CString s(" ab c \r\n"); s.TrimRight(); return s; }, " ab c"},
      {"Trim all blank", [] { CString s("  \t "); s.Trim(); return s; }, ""},
      {"Trim keeps nbsp", [] { CString s("\xA0x\xA0"); s.Trim(); return s; }, "\xA0x\xA0"},
      {"TrimLeft char", [] { CString s("000120"); s.TrimLeft('0'); return s; }, "120"},
      {"TrimRight set", [] { CString s("1.500"); s.TrimRight("0."); return s; }, "1.5"},
      {"Replace text", [] { CString s("a--b--c"); s.Replace("--", "+"); return s; }, "a+b+c"},
      {"Replace grows", [] { CString s("aaa"); s.Replace("a", "aa"); return s; }, "aaaaaa"},
      {"Replace by empty", [] { CString s("x, y, z"); s.Replace(", ", ""); return s; }, "xyz"},
      {"Replace char", [] { CString s("a/b/c"); s.Replace('/', '\\'); return s; }, "a\\b\\c"},
      {"Remove", [] { CString s("1,234,567"); s.Remove(','); return s; }, "1234567"},
      {"Insert middle", [] { CString s("ac"); s.Insert(1, 'b'); return s; }, "abc"},
      {"Insert past end", [] { CString s("ab"); s.Insert(9, "cd"); return s; }, "abcd"},
      {"Delete", [] { CString s("abcdef"); s.Delete(1, 2); return s; }, "adef"},
      {"Delete past end", [] { CString s("abc"); s.Delete(2, 10); return s; }, "ab"},
      {"Delete out of range", [] { CString s("abc"); s.Delete(5); return s; }, "abc"},
      {"MakeUpper 1252", [] { CString s("a\xE9\xFF\x9A\xDF\xF7z"); s.MakeUpper(); return s; },
       "A\xC9\x9F\x8A\xDF\xF7Z"},
      {"MakeLower 1252", [] { CString s("A\xC9\x9F\x8A\xD7Z"); s.MakeLower(); return s; },
       "a\xE9\xFF\x9A\xD7z"},
      {"MakeReverse", [] { CString s("abc"); s.MakeReverse(); return s; }, "cba"},
      {"SpanIncluding", [] { return CString("123abc").SpanIncluding("0123456789"); }, "123"},
      {"SpanExcluding", [] { return CString("name;rest").SpanExcluding(";,"); }, "name"},
      {"Format", [] { CString s; s.Format("%04d%02d%02d", 2024, 3, 7); return s; }, "20240307"},
      {"Format money", [] { CString s; s.Format("%ld.%02ld", 123L, 5L); return s; }, "123.05"},
      {"Format self", [] { CString s("<%s>"); s.Format(s, "x"); return s; }, "<x>"},
      {"Format long", [] { CString s; s.Format("%s", std::string(5000, 'q').c_str()); return CString(s.Right(2)); }, "qq"},
      {"Concat", [] { CString a("ab"); return a + "c" + 'd' + CString("e"); }, "abcde"},
      {"Concat left", [] { return "x" + CString("y"); }, "xy"},
      {"Append self", [] { CString s("ab"); s += (LPCTSTR)s; return s; }, "abab"},
      {"Null pointer", [] { return CString(static_cast<const char*>(nullptr)); }, ""},
      {"Counted ctor stops at nul", [] { return CString("ab\0cd", 5); }, "ab"},
      {"Repeat", [] { return CString('-', 3); }, "---"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(c.run()), std::string(c.expected)) << c.name;
  }
}

TEST(CStringTest, SearchingAndCounts) {
  CString s("a.b.c");
  EXPECT_EQ(s.Find('.'), 1);
  EXPECT_EQ(s.Find('.', 2), 3);
  EXPECT_EQ(s.Find('.', 99), -1);
  EXPECT_EQ(s.Find('.', -5), 1);
  EXPECT_EQ(s.Find("b.c"), 2);
  EXPECT_EQ(s.Find("zz"), -1);
  EXPECT_EQ(s.ReverseFind('.'), 3);
  EXPECT_EQ(s.ReverseFind('x'), -1);
  EXPECT_EQ(s.FindOneOf("cb"), 2);
  EXPECT_EQ(s.FindOneOf(""), -1);

  CString r("a-b-c");
  EXPECT_EQ(r.Replace('-', '+'), 2);
  EXPECT_EQ(r.Replace("+", ""), 2);
  EXPECT_EQ(r.Replace("", "x"), 0);  // an empty pattern replaces nothing
  EXPECT_EQ(r, "abc");
  EXPECT_EQ(r.Remove('b'), 1);
  EXPECT_EQ(r.Insert(1, "xy"), 4);
  EXPECT_EQ(r.Delete(0, 2), 2);
  EXPECT_EQ(r, "yc");
}

TEST(CStringTest, ComparisonAndCase) {
  CString a("apple");
  EXPECT_EQ(a.Compare("apple"), 0);
  EXPECT_LT(a.Compare("banana"), 0);
  EXPECT_GT(a.Compare("Apple"), 0);
  EXPECT_EQ(a.CompareNoCase("APPLE"), 0);
  EXPECT_EQ(CString("\xC9t\xE9").CompareNoCase("\xE9T\xC9"), 0);
  EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
  // Bytes above 0x7F sort after ASCII, as unsigned characters.
  EXPECT_LT(CString("z"), CString("\xE9"));
  EXPECT_TRUE(a == "apple");
  EXPECT_TRUE("apple" == a);
  EXPECT_TRUE(a != CString("pear"));
  EXPECT_TRUE(a < "b" && "b" > a && a <= "apple" && a >= "apple");
}

TEST(CStringTest, ElementsAndBuffer) {
  CString s("abc");
  EXPECT_EQ(s[1], 'b');
  EXPECT_EQ(s[std::size_t{2}], 'c');
  EXPECT_EQ(s.GetAt(5), 0);
  s.SetAt(0, 'X');
  s.SetAt(9, 'Y');  // out of range: ignored
  EXPECT_EQ(s, "Xbc");
  EXPECT_EQ(std::strlen(static_cast<LPCTSTR>(s)), 3u);

  char* p = s.GetBuffer(10);
  std::strcpy(p, "0123456789");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 10);

  p = s.GetBuffer(2);
  p[2] = 0;
  s.ReleaseBuffer();
  EXPECT_EQ(s, "01");

  // Nothing written: the old text stays.
  s.GetBuffer(50);
  s.ReleaseBuffer();
  EXPECT_EQ(s, "01");

  p = s.GetBufferSetLength(4);
  std::memcpy(p, "wxyz", 4);
  s.ReleaseBuffer(3);
  EXPECT_EQ(s, "wxy");
  s.GetBuffer(0);
  s.ReleaseBuffer(99);  // longer than the buffer: clamped
  EXPECT_EQ(s, "wxy");

  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, StringTable) {
  AfxSetStringTable([](UINT id, std::string& text) {
    if (id != 7) return false;
    text = "Failed open: %s";
    return true;
  });
  CString s;
  EXPECT_TRUE(s.LoadString(7));
  EXPECT_EQ(s, "Failed open: %s");
  s.Format(7u, "x.dat");
  EXPECT_EQ(s, "Failed open: x.dat");
  EXPECT_FALSE(s.LoadString(8));
  EXPECT_TRUE(s.IsEmpty());
  AfxSetStringTable(nullptr);
}

}  // namespace
