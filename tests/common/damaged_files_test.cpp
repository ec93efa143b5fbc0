// Robustness of the configuration file and the settings store against
// damaged files: cut, extended, garbage-filled and (settings) byte-flipped
// at seeded places. Each configuration case states whether the file reads
// or fails with a message; every damaged settings file reads without harm,
// and a settings write keeps the other records as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Settings.h"
#include "common/Version.h"
#include "platform/testing/Automation.h"
#include "platform/base/Collections.h"
#include "platform/dialogs/MessageBox.h"

namespace {

constexpr unsigned kFlipSeeds = 20;

struct Damage {
  std::string label;
  std::function<void(std::string&)> apply;
};

// Cuts at 0, 1, inside the second record and one byte short; a partial
// record appended; garbage of the same length; seeded flips of 1-4 bytes.
std::vector<Damage> Damages(size_t recordSize, size_t size) {
  std::vector<Damage> out;
  auto cut = [](size_t n) { return [n](std::string& b) { b.resize(std::min(n, b.size())); }; };
  out.push_back({"truncated to 0", cut(0)});
  out.push_back({"truncated to 1", cut(1)});
  out.push_back({"cut mid-record", cut(recordSize + recordSize / 2)});
  out.push_back({"one byte short", cut(size - 1)});
  out.push_back({"extended by a partial record", [recordSize](std::string& b) {
                   std::mt19937 rng(7);
                   for (size_t i = 0; i < recordSize / 2 + 1; ++i) b.push_back(static_cast<char>(rng()));
                 }});
  out.push_back({"garbage", [](std::string& b) {
                   std::mt19937 rng(1);
                   for (char& c : b) c = static_cast<char>(rng());
                 }});
  for (unsigned seed = 1; seed <= kFlipSeeds; ++seed)
    out.push_back({"flips seed " + std::to_string(seed), [seed](std::string& b) {
                     std::mt19937 rng(seed * 7919u);
                     int flips = 1 + static_cast<int>(rng() % 4);
                     for (int i = 0; i < flips; ++i) b[rng() % b.size()] ^= static_cast<char>(1 + rng() % 255);
                   }});
  return out;
}

int MessagesShown() {
  int n = 0;
  for (const auto& m : automation::ModalLog()) n += m.kind == "messagebox";
  return n;
}

std::string RecordBytes(const std::string& section, char key, const std::string& item, const std::string& value) {
  std::string rec(kSettingsRecordSize, '\0');
  rec.replace(kSettingsSectionOffset, section.size(), section);
  rec[kSettingsKeyOffset] = key;
  rec.replace(kSettingsItemOffset, item.size(), item);
  rec.replace(kSettingsValueOffset, value.size(), value);
  return rec;
}

}  // namespace

// Replaces the first `from` in the bytes with `to`.
std::function<void(std::string&)> Replace(std::string from, std::string to) {
  return [from, to](std::string& b) {
    size_t at = b.find(from);
    if (at != std::string::npos) b.replace(at, from.size(), to);
  };
}

TEST(CommonRobustness, DamagedConfigurationReadsOrFailsAsItsDamageDecides) {
  TempFolder dir;
  DataVersion.SetVersion("4", "0");
  std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s", (dir / "config4.sl").c_str());
  const std::string& sound = kSoundConfig;
  auto cut = [](size_t n) { return [n](std::string& b) { b.resize(std::min(n, b.size())); }; };
  struct Case {
    Damage damage;
    bool reads;  // else the read fails with a message
  };
  const Case cases[] = {
      {{"truncated to 0", cut(0)}, false},
      {{"truncated to 1", cut(1)}, false},
      {{"cut inside the program folder's key", cut(36)}, false},
      {{"last line end cut", cut(sound.size() - 1)}, true},
      {{"every CR LF a LF", [](std::string& b) { std::erase(b, '\r'); }}, true},
      {{"garbage after the last line", [](std::string& b) { b += "\x90\xC3" "C\x1F\x8D" "g\\\xA7"; }}, true},
      {{"all garbage", [](std::string& b) {
          std::mt19937 rng(1);
          for (char& c : b) c = static_cast<char>(rng());
        }},
       false},
      {{"an unknown key (shown, passed over)", Replace("Trace ", "Tr\xE1" "ce ")}, true},
      {{"the fiscal year's line without its '='", Replace("Fiscal Year\t=", "Fiscal Year\tg")}, false},
      {{"the program folder's key damaged", Replace("Program Folder", "Program Fol#er")}, false},
      {{"the other year's folder key damaged", Replace("Data Folder\t= 2004", "Data F\x01lder\t= 2004")}, true},
      {{"the current year's folder key damaged", Replace("Data Folder\t= 2005", "Da#a Folder\t= 2005")}, false},
      {{"a year with an empty folder", Replace("2004//data/fy2004", "2004/")}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.damage.label);
    std::string bytes = sound;
    c.damage.apply(bytes);
    ASSERT_NE(bytes, sound);
    WriteBytes(dir / "config4.sl", bytes);
    FreeYearList();
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    const int read = ReadWriteConfig(0);
    EXPECT_EQ(read, c.reads ? 1 : 0);
    if (read == 1) {
      ASSERT_NE(CurrentYearNode, nullptr);
      EXPECT_EQ(std::string(CurrentYearNode->year), CurrentFiscalYear);
      EXPECT_LE(std::strlen(CurrentYearNode->folder), sizeof CurrentYearNode->folder - 1);
    } else {
      EXPECT_GT(MessagesShown(), 0) << "a failing read shows a message";
    }
  }
  FreeYearList();
}

TEST(CommonRobustness, DamagedSettingsReadWithoutHarmAndWritesKeepTheOtherRecords) {
  TempFolder dir;
  const std::string path = dir / "udata4.dat";
  const std::string sound = RecordBytes("MAINWIN", 'X', "", "640") + RecordBytes("MAINWIN", 'F', "", "0.75") +
                            RecordBytes("MAINWIN", 'L', "0", "first") + RecordBytes("MAINWIN", 'L', "1", "second") +
                            RecordBytes("CONFIG", 'B', "", "Y");
  const auto damages = Damages(kSettingsRecordSize, sound.size());
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.label);
    std::string bytes = sound;
    d.apply(bytes);
    WriteBytes(path, bytes);
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    // Every damage reads: opening a section reads no record; the reads
    // below take whole records and pass over what they cannot use.
    SettingsSection* s = OpenSettingsSection(path.c_str(), "MAINWIN");
    ASSERT_NE(s, nullptr);
    char text[256];
    GetSettingString(s, 'X', nullptr, "none", "%s", text);
    EXPECT_LT(std::strlen(text), sizeof text);
    GetSettingInt(s, 'X', 0);
    GetSettingFloat(s, 'F', 0.0f);
    GetSettingFlag(s, 'B', 0);
    CStringArray list;
    GetSettingArray(s, 'L', list);
    // A write goes into a record of its own: every whole record before the
    // damage that it does not own stays as it was.
    const std::string before = ReadBytes(path);
    if (PutSettingInt(s, 'W', 77) == 1) {
      EXPECT_EQ(GetSettingInt(s, 'W', 0), 77);
      const std::string after = ReadBytes(path);
      EXPECT_GE(after.size(), before.size() / kSettingsRecordSize * kSettingsRecordSize);
      size_t changed = 0;
      for (size_t r = 0; r + kSettingsRecordSize <= std::min(before.size(), after.size()); r += kSettingsRecordSize)
        changed += before.compare(r, kSettingsRecordSize, after, r, kSettingsRecordSize) != 0;
      EXPECT_LE(changed, 1u);
    }
    CloseSettingsSection(s);
    EXPECT_EQ(SettingsFileUseCount(path.c_str()), 0);
  }
  std::printf("[ robust   ] udata4.dat    %2zu cases\n", damages.size());
}
