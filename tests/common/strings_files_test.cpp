#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CommonTestUtil.h"
#include "common/Address.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/StrUtil.h"
#include "platform/base/Collections.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"

TEST(Text, InPlaceFunctions) {
  char t[64];
  std::strcpy(t, "  ab \t");
  TrimString(t, 2);
  EXPECT_STREQ(t, "  ab");
  TrimString(t, 1);
  EXPECT_STREQ(t, "ab");
  std::strcpy(t, "abcde");
  PadString(t, 8, '.');
  EXPECT_STREQ(t, "abcde..");
  PadString(t, 3, '.');
  EXPECT_STREQ(t, "abcde..");

  const std::pair<const char*, const char*> words[] = {
      {"o'brien", "O'Brien"}, {"mc donald", "Mc Donald"}, {"3rd street", "3Rd Street"}, {"JOHN-PAUL", "John-Paul"},
      {"\xE9ric d'\xC9" "COLE", "\xC9ric D'\xC9" "cole"}};
  for (const auto& w : words) {
    std::strcpy(t, w.first);
    CapitalizeWords(t);
    EXPECT_STREQ(t, w.second);
  }
  std::strcpy(t, "a-b-c");
  StripChars(t, "-");
  EXPECT_STREQ(t, "abc");
  ReplaceChars(t, "b", 'x');
  EXPECT_STREQ(t, "axc");
  InsertString("ZZ", 1, t);
  EXPECT_STREQ(t, "aZZ");
  InsertString("!", 9, t);
  EXPECT_STREQ(t, "aZZ!");
  CopySubstring("abcdef", 4, 10, t);
  EXPECT_STREQ(t, "ef");
  int where = 0;
  const int values[] = {4, 8, 15};
  EXPECT_TRUE(FindInArray(values, 3, 15, &where));
  EXPECT_EQ(where, 2);
  EXPECT_FALSE(FindInArray(values, 3, 16, &where));
  EXPECT_EQ(where, -1);
}

TEST(Text, WrapAndSplit) {
  const struct {
    const char* text;
    int width;
    const char* wrapped;
  } cases[] = {
      {"aaaaaaaaaabbbbbbbbbbccccc", 10, "aaaaaaaaaa\nbbbbbbbbbb\nccccc"},
      {"the quick brown fox", 10, "the quick\nbrown fox"},
      {"one\ntwo\tthree", 20, "one\ntwo three"},
  };
  for (const auto& c : cases) {
    char* w = WrapText(c.text, c.width);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w, c.wrapped) << c.text;
    std::free(w);
  }
  char rows[4][6];
  EXPECT_EQ(SplitFields(4, 6, "ab,,cdefghij;k", &rows[0][0], ",;", 0), 3);
  EXPECT_STREQ(rows[1], "cdefg");
  EXPECT_EQ(SplitFields(4, 6, "ab,,cd", &rows[0][0], ",", 1), 3);
  EXPECT_STREQ(rows[1], "");
  EXPECT_EQ(SplitFields(2, 6, "a,b,c", &rows[0][0], ",", 0), 2);
}

TEST(Text, CharacterSets) {
  EXPECT_TRUE(IsDigitsText("0123", false));
  EXPECT_FALSE(IsDigitsText("-12", false));
  EXPECT_TRUE(IsDigitsText("-12", true));
  EXPECT_TRUE(AllCharsInSet("", "", false, false));
  EXPECT_TRUE(IsCharInSet('q', "/", false, true));
  EXPECT_EQ(TrimCharSets("--12/05//", "-", "/"), "12/05");
  EXPECT_EQ(FilterChars(" 12/05/03 ", "/", false), "120503");
  EXPECT_EQ(FindCharIndex('/', "12/05"), 2);
  EXPECT_EQ(IntToCString(-42), "-42");
}

TEST(Address, SplitCityStateZip) {
  const struct {
    const char* line;
    const char* city;
    const char* state;
    const char* zip;
    bool split;
  } cases[] = {
      {"Springfield, IL 62701", "Springfield", "IL", "62701", true},
      {"Boise Idaho 83702-1234", "Boise", "ID", "83702-1234", true},
      {"Hagatna Guam 96910", "Hagatna", "GU", "96910", true},
      {"Charleston, West Virginia", "Charleston", "WV", "", true},
      {"Richmond Virginia", "Richmond", "VA", "", true},
      {"Erie Pennsylvania 16501", "Erie", "PA", "16501", true},
      {"Erie Pennysluania 16501", "Erie Pennysluania", "", "16501", true},
      {"Pago Pago American Samoa", "Pago Pago", "AS", "", true},
      {"San Juan, Puerta Rico", "San Juan", "PR", "", true},
      {"Springfield", "", "", "", false},
      {"Idaho", "", "", "", false},
      {"Dover DE 1990", "", "", "", false},
  };
  for (const auto& c : cases) {
    char line[64], city[64], state[3], zip[11];
    std::strcpy(line, c.line);
    SplitCityStateZip(line, city, state, zip);
    EXPECT_STREQ(city, c.city) << c.line;
    EXPECT_STREQ(state, c.state) << c.line;
    EXPECT_STREQ(zip, c.zip) << c.line;
    EXPECT_STREQ(line, c.split ? "" : c.line) << c.line;
  }
}

TEST(Address, CityLineFitsTheWidth) {
  const struct {
    int width;
    const char* line;
  } cases[] = {
      {40, "Springfield, IL 62701-1234"}, {22, "Springfield, IL 62701"}, {21, "Springfield IL 62701"},
      {18, "Springfi IL 62701"},          {17, "Springfield"},          {6, "Sprin"},
  };
  for (const auto& c : cases) {
    char out[64];
    FormatCityLine("Springfield", "IL", "62701-1234", c.width, out);
    EXPECT_STREQ(out, c.line) << c.width;
  }
  char out[64];
  FormatCityLine("", "", "", 20, out);
  EXPECT_STREQ(out, "");
  FormatCityLine("", "IL", "62701", 20, out);
  EXPECT_STREQ(out, "IL 62701");
}

TEST(Files, PathsAreJoinedAndFoundWhateverTheCase) {
  const struct {
    const char* folder;
    const char* name;
    const char* joined;
  } cases[] = {{"/data", "fy2004", "/data/fy2004"},
               {"/data/", "fy2004", "/data/fy2004"},
               {"C:\\OLD\\DATA", "acct404.dat", "C:/OLD/DATA/acct404.dat"},
               {"", "acct404.dat", "acct404.dat"},
               {"/data", "/abs/file", "/abs/file"},
               {"/", "x", "/x"}};
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, c.name), c.joined);
  char small[8];
  EXPECT_EQ(JoinPath(small, sizeof small, "/data", "fy2004"), 0);
  EXPECT_STREQ(small, "");

  TempFolder dir;
  ASSERT_TRUE(MakePath((dir / "FY2004/Reports").c_str()));
  ASSERT_TRUE(MakePath((dir / "FY2004/Reports").c_str()));  // all there: nothing to do
  EXPECT_TRUE(IsDirectory((dir / "FY2004/Reports").c_str()));
  EXPECT_EQ(ResolvePathCase(dir / "fy2004/reports"), dir / "FY2004/Reports");
  EXPECT_EQ(ResolvePathCase(dir / "fy2004/missing"), dir / "fy2004/missing");
  EXPECT_FALSE(IsFloppyDrive('A'));

  // "*" and "?" are wildcards; brackets are part of a name.
  WriteBytes(dir / "Troop [12].dat", "x");
  const std::pair<const char*, bool> names[] = {
      {"Troop [12].dat", true}, {"Troop 1.dat", false}, {"Troop*.dat", true},
      {"Troop [1?].dat", true}, {"*.txt", false},       {"FY2004", true}};
  for (const auto& n : names) EXPECT_EQ(FileExists((dir / n.first).c_str()), n.second) << n.first;
}

TEST(Files, WholeFileReadingAndItsErrors) {
  TempFolder dir;
  WriteBytes(dir / "text.txt", std::string("ab\0c", 4));
  char* text = nullptr;
  ASSERT_EQ(ReadWholeFile((dir / "text.txt").c_str(), &text), 0);
  EXPECT_STREQ(text, "abc");
  std::free(text);

  WriteBytes(dir / "big.txt", std::string(32769, 'x'));
  EXPECT_EQ(ReadWholeFile((dir / "big.txt").c_str(), &text), 15);
  EXPECT_EQ(ReadWholeFile("", &text), 24);
  EXPECT_STREQ(GetFileErrorMessage(1), "file_name: Invalid function (or program) parameter(s)");
  EXPECT_EQ(ReadWholeFile((dir / "none.txt").c_str(), &text), 10);
  EmptyFile((dir / "empty.txt").c_str());
  EXPECT_EQ(GetFileSize((dir / "empty.txt").c_str()), 0);
  EXPECT_EQ(ReadWholeFile((dir / "empty.txt").c_str(), &text), 11);
  EXPECT_STREQ(GetFileErrorMessage(99), "Unknown error number, no error message found");

  SetFileErrorText(std::string(200, 's').c_str(), 10);
  EXPECT_EQ(std::strlen(LastFileErrorText), 128u);
  EXPECT_NE(std::string(LastFileErrorText).find(": Could not open file"), std::string::npos);
  EXPECT_TRUE(FileExists((dir / "*.txt").c_str()));
  EXPECT_FALSE(FileExists((dir / "*.dat").c_str()));
}

TEST(Files, AtomicRewriteReplacesTheWholeFile) {
  TempFolder dir;
  WriteBytes(dir / "config4.sl", "old contents that are longer");
  ASSERT_EQ(WriteFileAtomic((dir / "config4.sl").c_str(), "new", 3), 0);
  EXPECT_EQ(ReadBytes(dir / "config4.sl"), "new");
  EXPECT_EQ(WriteFileAtomic((dir / "no/such/config4.sl").c_str(), "new", 3), 7);
}

TEST(Disk, FreeSpaceCheck) {
  unsigned long long freeBytes = 0;
  SetFreeSpaceQuery([&](const char*, unsigned long long* out) {
    *out = freeBytes;
    return true;
  });
  freeBytes = 5000;
  automation::ExpectMessageBox("Information", "You're low on disk space (        5000 bytes left).", IDOK);
  EXPECT_TRUE(CheckDiskSpace("/data/fy2004", 72));
  freeBytes = 50;
  automation::ExpectMessageBox("Error", "Not enough disk space for operation.", IDOK);
  EXPECT_FALSE(CheckDiskSpace("/data/fy2004", 72));
  freeBytes = 1u << 30;
  EXPECT_TRUE(CheckDiskSpace("/data/fy2004", 72));
  // A volume that cannot tell is not checked any more.
  SetFreeSpaceQuery([](const char*, unsigned long long*) { return false; });
  EXPECT_TRUE(CheckDiskSpace("/data/fy2004", 72));
  SetFreeSpaceQuery(nullptr);
  EXPECT_TRUE(CheckDiskSpace("/", 1));
  // A year folder not made yet is checked on the volume that will hold it.
  TempFolder dir;
  automation::ExpectMessageBox("Error", "Not enough disk space for operation.", IDOK);
  EXPECT_FALSE(CheckDiskSpace((dir / "fy2005/new").c_str(), ULONG_MAX));
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(Disk, InsertDiskPromptRepeatsUntilTheRightDisk) {
  TempFolder dir;
  std::string stamp = dir / "SSTAMP";
  WriteBytes(stamp, "");
  automation::ExpectMessageBox("Prompt", "Insert Backup Disk 2 in drive A", IDOK);
  automation::ExpectMessageBox("Warning", "Incorrect disk", IDOK);
  automation::ExpectMessageBox("Prompt", "Insert Backup Disk 2 in drive A", IDCANCEL);
  EXPECT_EQ(PromptInsertDisk(stamp.c_str(), "Backup Disk 2", 'A', 0), 0);
  automation::ExpectMessageBox("Prompt", "Insert", IDOK);
  EXPECT_EQ(PromptInsertDisk(stamp.c_str(), "Backup Disk 2", 'A', 1), 1);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(Text, WrapToLinesEndsAnElementAtEveryBreak) {
  CStringArray lines;
  EXPECT_EQ(WrapTextToLines("one\r\ntwo three four", 9, lines), 4);
  EXPECT_EQ(lines[0], "one");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "two three");
  EXPECT_EQ(lines[3], "four");
  EXPECT_EQ(WrapTextToLines("", 9, lines), 1);
}

TEST(Text, WritersStayWithinTheCallersRoom) {
  // Each writer is given a room smaller than its text: it cuts the text and
  // terminates it inside the room (a write past it trips the sanitizer).
  char four[4];
  CopySubstring("abcdefgh", 1, 6, four);
  EXPECT_STREQ(four, "bcd");
  char five[5] = "ab";
  InsertString("wxyz", 1, five);
  EXPECT_STREQ(five, "awxy");
  FormatDate("20080615", DF_YYYYMMDD, DF_LONG, five);
  EXPECT_EQ(std::strlen(five), 4u);
  char three[3];
  GetAmountColumnLabel(101, 1, 1, three);
  EXPECT_STREQ(three, "De");
  char six[6];
  FormatErrorText(six, ERR_NOT_FOUND, "account");
  EXPECT_STREQ(six, "Could");
  char line[] = "A very long city name, IL 62701";
  char city[8], state[3], zip[11];
  SplitCityStateZip(line, city, state, zip);
  EXPECT_STREQ(city, "A very ");
  EXPECT_STREQ(state, "IL");
  EXPECT_STREQ(zip, "62701");
}

TEST(Files, TextLinesAreReadWholeAndEndAtANulByte) {
  TempFolder dir;
  std::string long1(5000, 'x');
  WriteBytes(dir / "lines.txt", long1 + std::string("\r\n\nkey = a\0hidden = b\r\nlast", 27));
  std::FILE* f = std::fopen((dir / "lines.txt").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<std::string> lines;
  std::string line;
  while (ReadTextLine(f, line)) lines.push_back(line);
  std::fclose(f);
  EXPECT_EQ(lines, (std::vector<std::string>{long1, "", "key = a", "last"}));
}
