// The clipboard: opening rules, text through the host, the program's own
// formats, block ownership.
#include <cstring>
#include <string>

#include "platform/window/Clipboard.h"
#include "platform/host/Host.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  return mem;
}

std::string BlockText(HANDLE mem) {
  if (!mem) return "(none)";
  const char* bytes = static_cast<const char*>(GlobalLock(mem));
  std::string text(bytes, strnlen(bytes, GlobalSize(mem)));
  GlobalUnlock(mem);
  return text;
}

class GapClipboard : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    platform::GetHost().SetClipboardText("");
    while (CloseClipboard()) {
    }
  }
  void TearDown() override {
    while (CloseClipboard()) {
    }
    WindowTest::TearDown();
  }
};

TEST_F(GapClipboard, OpeningRules) {
  HWND a = top("a"), b = top("b");
  struct Step {
    const char* what;
    std::function<BOOL()> run;
    BOOL expected;
  };
  const Step steps[] = {
      {"close when closed", [] { return CloseClipboard(); }, FALSE},
      {"empty when closed", [] { return EmptyClipboard(); }, FALSE},
      {"set when closed", [] { return static_cast<BOOL>(SetClipboardData(CF_TEXT, TextBlock("x")) != nullptr); }, FALSE},
      {"a opens", [&] { return OpenClipboard(a); }, TRUE},
      {"b is refused", [&] { return OpenClipboard(b); }, FALSE},
      {"a opens again", [&] { return OpenClipboard(a); }, TRUE},
      {"open window is a", [&] { return static_cast<BOOL>(GetOpenClipboardWindow() == a); }, TRUE},
      {"a empties and owns", [&] { return EmptyClipboard() && GetClipboardOwner() == a; }, TRUE},
      {"a closes", [] { return CloseClipboard(); }, TRUE},
      {"b opens", [&] { return OpenClipboard(b); }, TRUE},
      {"b destroyed while it holds it", [&] { return DestroyWindow(b); }, TRUE},
      {"a opens after b is gone", [&] { return OpenClipboard(a); }, TRUE},
  };
  for (const auto& s : steps) EXPECT_EQ(s.run(), s.expected) << s.what;
}

TEST_F(GapClipboard, TextGoesThroughTheHostBothWays) {
  HWND w = top("w");
  ASSERT_TRUE(OpenClipboard(w));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL mem = TextBlock("Caf\xE9\tA\r\nB");
  EXPECT_EQ(SetClipboardData(CF_TEXT, mem), mem);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(platform::GetHost().GetClipboardText(), "Caf\xE9\tA\r\nB");

  struct Case {
    const char* what;
    std::string hostText;  // what another program puts there ("" keeps ours)
    UINT format;
    std::string expected;
  };
  const Case cases[] = {
      {"ours as CF_TEXT", "", CF_TEXT, "Caf\xE9\tA\r\nB"},
      {"ours as CF_OEMTEXT", "", CF_OEMTEXT, "Caf\xE9\tA\r\nB"},
      {"not as a bitmap", "", CF_BITMAP, "(none)"},
      {"another program's text", "from elsewhere", CF_TEXT, "from elsewhere"},
  };
  for (const auto& c : cases) {
    if (!c.hostText.empty()) platform::GetHost().SetClipboardText(c.hostText);
    ASSERT_TRUE(OpenClipboard(w));
    EXPECT_EQ(BlockText(GetClipboardData(c.format)), c.expected) << c.what;
    CloseClipboard();
  }
  EXPECT_EQ(GetClipboardOwner(), nullptr);  // another program owns it now
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
}

TEST_F(GapClipboard, RegisteredFormatsStayInTheProgramUntilAnotherProgramTakesOver) {
  struct Name {
    const char* name;
    const char* sameAs;  // an earlier name that must give the same number
  };
  const Name names[] = {{"Grid Styles 0000abcd", nullptr}, {"GRID STYLES 0000ABCD", "Grid Styles 0000abcd"},
                        {"GX_DIRECTCOPY", nullptr}};
  for (const auto& n : names) {
    UINT id = RegisterClipboardFormat(n.name);
    EXPECT_GE(id, 0xC000u) << n.name;
    if (n.sameAs) {
      EXPECT_EQ(id, RegisterClipboardFormat(n.sameAs)) << n.name;
    }
  }
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
  UINT styles = RegisterClipboardFormat("Grid Styles 0000abcd");
  UINT direct = RegisterClipboardFormat("GX_DIRECTCOPY");
  EXPECT_NE(styles, direct);
  char name[64];
  EXPECT_EQ(GetClipboardFormatName(styles, name, sizeof name), 20);
  EXPECT_STREQ(name, "Grid Styles 0000abcd");
  EXPECT_EQ(GetClipboardFormatName(CF_TEXT, name, sizeof name), 0);

  HWND w = top("w");
  ASSERT_TRUE(OpenClipboard(w));
  EmptyClipboard();
  std::size_t blocks = GlobalBlockCount();
  SetClipboardData(styles, TextBlock("styles v1"));
  SetClipboardData(styles, TextBlock("styles v2"));  // replaces (and frees) v1
  SetClipboardData(CF_TEXT, TextBlock("a\tb"));
  EXPECT_EQ(GlobalBlockCount(), blocks + 2);
  EXPECT_EQ(BlockText(GetClipboardData(styles)), "styles v2");
  EXPECT_EQ(GetClipboardData(direct), nullptr);
  CloseClipboard();

  EXPECT_EQ(CountClipboardFormats(), 2);
  EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_TEXT));
  EXPECT_EQ(EnumClipboardFormats(CF_TEXT), styles);
  EXPECT_EQ(EnumClipboardFormats(styles), 0u);
  EXPECT_TRUE(IsClipboardFormatAvailable(styles));
  EXPECT_EQ(GetClipboardOwner(), w);

  platform::GetHost().SetClipboardText("pasted in another program");
  EXPECT_FALSE(IsClipboardFormatAvailable(styles));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(CountClipboardFormats(), 1);
  EXPECT_EQ(GlobalBlockCount(), blocks + 1);  // ours freed, the host's text held

  ASSERT_TRUE(OpenClipboard(w));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GlobalBlockCount(), blocks);
  EXPECT_EQ(CountClipboardFormats(), 0);
  EXPECT_EQ(platform::GetHost().GetClipboardText(), "");
}

}  // namespace
