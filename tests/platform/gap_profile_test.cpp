// INI-file settings: reading, listing, writing, numbers, and the
// application profile behind CWinApp's members.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <sstream>
#include <string>

#include "platform/framework/CWinApp.h"
#include "platform/base/Profile.h"

namespace {

std::string TempIni(const char* name) {
  std::string path = ::testing::TempDir() + name;
  std::remove(path.c_str());
  return path;
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A list result with its zero bytes shown as '|'.
std::string Listed(const char* buffer, DWORD count) {
  std::string out(buffer, count + 1);
  for (char& ch : out)
    if (!ch) ch = '|';
  return out;
}

const char kSample[] =
    "; settings written by hand\r\n"
    "[Grid]\r\n"
    "  Zoom = 150  \r\n"
    "Caption=\"  padded  \"\r\n"
    "Quote='x'\r\n"
    "; a comment inside\r\n"
    "Empty=\r\n"
    "[styles]\n"
    "Standard=1\n"
    "Row Header=1\n";

TEST(GapProfile, ReadsValuesAndDefaults) {
  std::string ini = TempIni("gap_read.ini");
  WriteFile(ini, kSample);
  struct Case {
    const char* section;
    const char* name;
    const char* defaultValue;
    DWORD size;
    const char* expected;
  };
  const Case cases[] = {
      {"Grid", "Zoom", "", 64, "150"},
      {"GRID", "zoom", "", 64, "150"},  // letter case ignored
      {"Grid", "Caption", "", 64, "  padded  "},
      {"Grid", "Quote", "", 64, "x"},
      {"Grid", "Empty", "dflt", 64, ""},
      {"Grid", "Missing", "dflt  ", 64, "dflt"},  // trailing blanks of the default go
      {"Nothing", "Zoom", nullptr, 64, ""},
      {"Grid", "Zoom", "", 3, "15"},  // cut to size - 1
      {"Styles", "Row Header", "", 64, "1"},
  };
  for (const auto& c : cases) {
    char buffer[64] = "garbage";
    DWORD n = GetPrivateProfileString(c.section, c.name, c.defaultValue, buffer, c.size, ini.c_str());
    EXPECT_STREQ(buffer, c.expected) << c.section << "/" << c.name;
    EXPECT_EQ(n, std::string(c.expected).size()) << c.section << "/" << c.name;
  }
}

TEST(GapProfile, ListsSectionsAndNames) {
  std::string ini = TempIni("gap_list.ini");
  WriteFile(ini, kSample);
  struct Case {
    const char* section;
    DWORD size;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, 64, "Grid|styles||"},
      {"Grid", 64, "Zoom|Caption|Quote|Empty||"},
      {"Styles", 64, "Standard|Row Header||"},
      {"Nothing", 64, "|"},
      {"Grid", 8, "Zoom|C|"},  // cut to size - 2 (two zero bytes end it)
  };
  for (const auto& c : cases) {
    char buffer[64];
    DWORD n = GetPrivateProfileString(c.section, nullptr, "", buffer, c.size, ini.c_str());
    EXPECT_EQ(Listed(buffer, n), c.expected) << (c.section ? c.section : "(sections)");
  }
}

TEST(GapProfile, WritesReplaceDeleteAndKeepComments) {
  std::string ini = TempIni("gap_write.ini");
  WriteFile(ini, kSample);
  struct Step {
    const char* section;
    const char* name;
    const char* value;
  };
  const Step steps[] = {
      {"grid", "ZOOM", "75"},           // replaces in place, keeps the stored spelling
      {"Grid", "Frozen", "2"},          // new value after the last value, before nothing else
      {"Styles", "Row Header", nullptr},  // deletes a value
      {"Printing", "Margins", "1 1 1 1"},  // new section at the end
      {"Old", nullptr, nullptr},        // deleting what is not there
  };
  for (const auto& s : steps) EXPECT_TRUE(WritePrivateProfileString(s.section, s.name, s.value, ini.c_str()));
  EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, ini.c_str()));  // flush only
  EXPECT_EQ(ReadFile(ini),
            "; settings written by hand\n"
            "[Grid]\n"
            "Zoom=75\n"
            "Caption=\"  padded  \"\n"
            "Quote='x'\n"
            "; a comment inside\n"
            "Empty=\n"
            "Frozen=2\n"
            "[styles]\n"
            "Standard=1\n"
            "[Printing]\n"
            "Margins=1 1 1 1\n");
  EXPECT_TRUE(WritePrivateProfileString("STYLES", nullptr, nullptr, ini.c_str()));
  char buffer[64];
  DWORD n = GetPrivateProfileString(nullptr, nullptr, "", buffer, sizeof buffer, ini.c_str());
  EXPECT_EQ(Listed(buffer, n), "Grid|Printing||");
  EXPECT_FALSE(WritePrivateProfileString("A", "b", "c", "/nonexistent-dir/x.ini"));
}

TEST(GapProfile, ARewriteReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  std::string ini = TempIni("gap_atomic.ini");
  std::string link = TempIni("gap_atomic_old.ini");
  WriteFile(ini, "[A]\nb=1\n");
  std::remove(link.c_str());
  // A second name for the old file: rewriting in place would change it too.
  ASSERT_EQ(::link(ini.c_str(), link.c_str()), 0);
  EXPECT_TRUE(WritePrivateProfileString("A", "b", "2", ini.c_str()));
  EXPECT_EQ(ReadFile(ini), "[A]\nb=2\n");
  EXPECT_EQ(ReadFile(link), "[A]\nb=1\n");
  std::remove(link.c_str());
  std::string folder = ini.substr(0, ini.rfind('/'));
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename().string().rfind("gap_atomic.ini.", 0), std::string::npos) << entry.path();
}

TEST(GapProfile, NumbersReadTheirLeadingDigits) {
  std::string ini = TempIni("gap_int.ini");
  WriteFile(ini, "[N]\na=42\nb=-7\nc=12abc\nd=abc\ne=\nf=\"9\"\n");
  struct Case {
    const char* name;
    int defaultValue;
    int expected;
  };
  const Case cases[] = {{"a", 5, 42}, {"b", 5, -7}, {"c", 5, 12}, {"d", 5, 0},
                        {"e", 5, 0},  {"f", 5, 9},  {"zz", 5, 5}, {"zz", -3, -3}};
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("N", c.name, c.defaultValue, ini.c_str())), c.expected) << c.name;
}

TEST(GapProfile, ApplicationProfileInMemoryAndInAFile) {
  CWinApp app("GapProfile");
  app.SetRegistryKey("Kestrova");
  EXPECT_STREQ(app.m_pszRegistryKey, "Kestrova");
  for (const std::string& file : {std::string(), TempIni("gap_app.ini")}) {
    platform::SetProfileFile(file);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Zoom", -120));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Face", "Times New Roman"));
    std::string longValue(3000, 'v');
    EXPECT_TRUE(app.WriteProfileString("Settings", "Long", longValue.c_str()));
    const BYTE bytes[] = {0x00, 0x7F, 0xA5, 0xFF};
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", bytes, 4));

    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Zoom", 100)), -120) << file;
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 100), 100u) << file;
    EXPECT_STREQ(app.GetProfileString("Settings", "Face"), "Times New Roman") << file;
    EXPECT_STREQ(app.GetProfileString("Settings", "Missing", "Arial"), "Arial") << file;
    EXPECT_EQ(std::string(app.GetProfileString("Settings", "Long")), longValue) << file;
    char raw[16];
    GetProfileString("Settings", "Blob", "", raw, sizeof raw);
    EXPECT_STREQ(raw, "007FA5FF") << file;

    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &data, &size)) << file;
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(0, std::memcmp(data, bytes, 4));
    delete[] data;
    EXPECT_TRUE(app.WriteProfileString("Settings", "Bad", "0G"));
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Bad", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Missing", &data, &size));

    EXPECT_TRUE(app.WriteProfileString("Settings", "Face", nullptr));
    EXPECT_STREQ(app.GetProfileString("Settings", "Face", "gone"), "gone") << file;
    EXPECT_TRUE(app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "Zoom", 100)), 100) << file;
  }
  std::string file = TempIni("gap_app2.ini");
  platform::SetProfileFile(file);
  app.WriteProfileString("Kept", "Name", "On disk");
  EXPECT_EQ(ReadFile(file), "[Kept]\nName=On disk\n");
  platform::SetProfileFile("");
}

}  // namespace
