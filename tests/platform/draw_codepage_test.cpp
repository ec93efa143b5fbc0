#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/base/Codepage.h"
#include "platform/base/Resources.h"

namespace {

TEST(DrawCodepage, ConvertsBothWays) {
  struct Case { std::string cp1252, utf8; };
  const Case cases[] = {
      {"Scout", "Scout"},
      {"\x80", "\xE2\x82\xAC"},                  // euro sign
      {"\xBB", "\xC2\xBB"},                      // the subunit mark
      {"caf\xE9", "caf\xC3\xA9"},
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"\x8A\x9F\xFF", "\xC5\xA0\xC5\xB8\xC3\xBF"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined bytes survive
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.cp1252;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  }
}

TEST(DrawCodepage, DropsWhatTheCodePageCannotHold) {
  struct Case { std::string utf8, cp1252; };
  const Case cases[] = {
      {"a\xE2\x86\x92" "b", "ab"},          // arrow: not in the code page
      {"\xF0\x9F\x98\x80x", "x"},           // emoji
      {"a\xC3", "a"},                       // truncated sequence
      {"\x80\xBFok", "ok"},                 // stray continuation bytes
      {"\xC0\xAF", ""},                     // overlong "/"
      {"\xE0\x80\xAF", ""},                 // overlong "/"
      {"x\xC3(y", "x(y"},                   // broken sequence keeps what follows
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
  EXPECT_EQ(UnicodeToCp1252(0x2192), -1);
}

TEST(DrawResources, EnvironmentFolderWinsOverBuiltIn) {
  const char* old = std::getenv("KESTROVA_RES");
  const std::string saved = old ? old : "";
  unsetenv("KESTROVA_RES");
  EXPECT_TRUE(std::filesystem::exists(ResourcePath("fonts/fonts.conf")));
  setenv("KESTROVA_RES", "/somewhere/res", 1);
  EXPECT_EQ(ResourcePath("fonts/fonts.conf"), "/somewhere/res/fonts/fonts.conf");
  EXPECT_EQ(ResourcePath("/tips.txt"), "/somewhere/res/tips.txt");
  if (old) setenv("KESTROVA_RES", saved.c_str(), 1);
  else unsetenv("KESTROVA_RES");
}

}  // namespace
