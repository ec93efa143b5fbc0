// Global memory blocks, MulDiv and the byte-string functions.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/base/CFile.h"
#include "platform/base/Kernel.h"

namespace {

TEST(GapKernel, MulDivRoundsHalfAwayFromZeroAndFailsAsMinusOne) {
  struct Case {
    int number, numerator, denominator, expected;
  };
  const Case cases[] = {
      {10, 3, 4, 8},    {-10, 3, 4, -8},  {10, -3, 4, -8},          {10, 3, -4, -8},
      {-10, -3, -4, -8}, {5, 1, 2, 3},    {-5, 1, 2, -3},           {8, 96, 72, 11},
      {-8, 96, 72, -11}, {7, 1, 3, 2},    {0, 5, 7, 0},             {1, 1, 0, -1},
      {INT_MAX, 2, 2, INT_MAX},           {INT_MAX, 2, 1, -1},      {INT_MIN, 1, 1, INT_MIN},
      {INT_MIN, -1, 1, -1},               {65536, 65536, 65536, 65536},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

TEST(GapKernel, ByteStringComparisons) {
  struct Case {
    const char* a;
    const char* b;
    int cmp, cmpi;
  };
  const Case cases[] = {
      {"abc", "abc", 0, 0},   {"ABC", "abc", -1, 0},       {"a", "B", 1, -1},      {"ab", "a", 1, 1},
      {"", "a", -1, -1},      {nullptr, "", 0, 0},         {"\xC9t\xE9", "\xE9T\xC9", -1, 0},
      {"Z", "\xE0", -1, -1},  {"item10", "item9", -1, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lstrcmp(c.a, c.b), c.cmp) << (c.a ? c.a : "(null)") << " | " << c.b;
    EXPECT_EQ(lstrcmpi(c.a, c.b), c.cmpi) << (c.a ? c.a : "(null)") << " | " << c.b;
  }
}

TEST(GapKernel, ByteStringCopiesAndFormatting) {
  char buf[2048];
  EXPECT_EQ(lstrlen(nullptr), 0);
  EXPECT_EQ(lstrlen("caf\xE9"), 4);
  EXPECT_STREQ(lstrcpy(buf, "ab"), "ab");
  EXPECT_STREQ(lstrcat(buf, "cd"), "abcd");
  struct CopyCase {
    const char* src;
    int max;
    const char* expected;
  };
  const CopyCase copies[] = {{"abcdef", 4, "abc"}, {"ab", 9, "ab"}, {"abc", 1, ""}, {nullptr, 5, ""}};
  for (const auto& c : copies) EXPECT_STREQ(lstrcpyn(buf, c.src, c.max), c.expected) << c.max;

  struct FormatCase {
    std::string text;
    int length;
  };
  const FormatCase formats[] = {
      {[&] { wsprintf(buf, "Grid Styles %08x", 0xABCDu); return std::string(buf); }(), 20},
      {[&] { wsprintf(buf, "UA%lu", 42ul); return std::string(buf); }(), 4},
      {[&] { wsprintf(buf, "%s=%d", "Zoom", -100); return std::string(buf); }(), 9},
  };
  EXPECT_EQ(formats[0].text, "Grid Styles 0000abcd");
  EXPECT_EQ(formats[1].text, "UA42");
  EXPECT_EQ(formats[2].text, "Zoom=-100");
  for (const auto& f : formats) EXPECT_EQ(static_cast<int>(f.text.size()), f.length);
  std::string longText(1500, 'x');
  EXPECT_EQ(wsprintf(buf, "%s", longText.c_str()), 1023);  // the classic 1024-byte limit
  EXPECT_EQ(std::strlen(buf), 1023u);
}

TEST(GapKernel, GlobalBlocksLockGrowAndFree) {
  std::size_t before = GlobalBlockCount();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 8);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(GlobalSize(mem), 8u);
  auto* bytes = static_cast<BYTE*>(GlobalLock(mem));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], 0) << i;
  std::memcpy(bytes, "1234567", 8);
  EXPECT_EQ(GlobalHandle(bytes), mem);
  EXPECT_EQ(static_cast<BYTE*>(GlobalLock(mem)), bytes);
  EXPECT_EQ(GlobalFlags(mem), 2u);
  EXPECT_TRUE(GlobalUnlock(mem));   // still locked once
  EXPECT_FALSE(GlobalUnlock(mem));  // now unlocked
  EXPECT_FALSE(GlobalUnlock(mem));  // was not locked

  ASSERT_EQ(GlobalReAlloc(mem, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT), mem);
  bytes = static_cast<BYTE*>(GlobalLock(mem));
  EXPECT_STREQ(reinterpret_cast<char*>(bytes), "1234567");
  EXPECT_EQ(bytes[4095], 0);
  GlobalUnlock(mem);
  EXPECT_EQ(GlobalSize(mem), 4096u);

  HGLOBAL empty = GlobalAlloc(GMEM_FIXED, 0);
  EXPECT_NE(GlobalLock(empty), nullptr);  // a block of 0 bytes still locks
  GlobalUnlock(empty);

  EXPECT_EQ(GlobalFree(mem), nullptr);
  EXPECT_EQ(GlobalFree(mem), mem);  // not a live block any more
  EXPECT_EQ(GlobalLock(mem), nullptr);
  EXPECT_EQ(GlobalSize(mem), 0u);
  EXPECT_EQ(GlobalFree(empty), nullptr);
  EXPECT_EQ(GlobalBlockCount(), before);
}

TEST(GapKernel, SharedFileTradesItsContentsAsBlocks) {
  std::size_t before = GlobalBlockCount();
  CSharedFile out;
  out.Write("style bytes", 11);
  HGLOBAL mem = out.Detach();
  EXPECT_EQ(out.GetLength(), 0u);
  ASSERT_EQ(GlobalSize(mem), 11u);

  CSharedFile in;
  in.SetHandle(mem, FALSE);
  char buf[16] = {};
  EXPECT_EQ(in.Read(buf, sizeof buf), 11u);
  EXPECT_STREQ(buf, "style bytes");
  EXPECT_EQ(GlobalFree(mem), nullptr);  // SetHandle left the block to its owner

  HGLOBAL none = CSharedFile().Detach();
  EXPECT_EQ(GlobalSize(none), 0u);
  GlobalFree(none);
  EXPECT_EQ(GlobalBlockCount(), before);
}

}  // namespace
