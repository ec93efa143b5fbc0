// Every record type of versions 1, 2 and 3 converted from the standard old
// year, checked byte by byte at the new layouts' offsets.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "OldInstall.h"
#include "WizardTestUtil.h"
#include "common/Settings.h"
#include "store/AcctClass.h"
#include "store/Records.h"

namespace {

using oldinst::I16At;
using oldinst::I32At;
using oldinst::OldInstall;
using oldinst::ReadFile;
using oldinst::TextAt;

class Converted : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    inst_ = std::make_unique<OldInstall>(GetParam());
    inst_->WriteConfig({"08"});
    inst_->WriteStandardYear("08");
    PrepareJob(job_, *inst_);
    ASSERT_EQ(job_.ConvertAll(), 1) << job_.GetErrorText();
  }
  std::vector<BYTE> File(const char* stem) { return ReadFile(NewYearFile(*inst_, stem, "08")); }
  // Record `row` of a file of `size`-byte records.
  static std::vector<BYTE> Rec(const std::vector<BYTE>& file, int size, int row) {
    std::size_t from = static_cast<std::size_t>(size * row);
    if (from + static_cast<std::size_t>(size) > file.size()) return std::vector<BYTE>(static_cast<std::size_t>(size));
    return std::vector<BYTE>(file.begin() + static_cast<long>(from), file.begin() + static_cast<long>(from) + size);
  }
  int V() const { return GetParam(); }
  std::unique_ptr<OldInstall> inst_;
  CConversion job_;
};

TEST_P(Converted, Accounts) {
  auto f = File("acct");
  ASSERT_EQ(f.size(), static_cast<std::size_t>(kAccountRecordSize * (V() == 1 ? 6 : 7)));
  auto a = Rec(f, kAccountRecordSize, 0);
  EXPECT_EQ(I32At(a, 0), 101);
  EXPECT_EQ(I32At(a, 4), 0);
  EXPECT_EQ(TextAt(a, 8, 26), "Checking");
  EXPECT_EQ(a[34], 0);
  for (int off : {35, 36, 37, 38, 39, 64, 65, 66, 67, 68, 69, 70, 71}) EXPECT_EQ(a[static_cast<std::size_t>(off)], 0) << off;
  EXPECT_EQ(I32At(a, 40), 100000);
  EXPECT_EQ(I32At(a, 44), 102000);
  EXPECT_EQ(I32At(a, 48), 2);
  EXPECT_EQ(I32At(a, 52), -1);
  EXPECT_EQ(I32At(a, 56), GetAcctClassRow(101));
  auto camping = Rec(f, kAccountRecordSize, 4);
  EXPECT_EQ(I32At(camping, 52), 0);  // its budget record
  if (V() == 1) {
    auto last = Rec(f, kAccountRecordSize, 5);
    EXPECT_EQ(I32At(last, 0), 900);
    EXPECT_EQ(TextAt(last, 8, 26), "Reserve Allocation");
    EXPECT_EQ(I32At(last, 52), -1);
    EXPECT_EQ(I32At(last, 56), 8);
  } else {
    EXPECT_EQ(I32At(Rec(f, kAccountRecordSize, 5), 60), 1);  // member reserves
  }
}

TEST_P(Converted, BudgetsAndReserves) {
  auto b = File("budge");
  ASSERT_EQ(b.size(), static_cast<std::size_t>(kBudgetRecordSize));
  EXPECT_EQ(I32At(b, 0), 620);
  EXPECT_EQ(I32At(b, 8), 1000);
  EXPECT_EQ(I32At(b, 8 + 44), 1011);
  auto r = File("resrv");
  if (V() == 1) {
    EXPECT_TRUE(r.empty());
  } else {
    ASSERT_EQ(r.size(), static_cast<std::size_t>(2 * kReserveRecordSize));
    EXPECT_EQ(I32At(r, 0), 0);
    EXPECT_EQ(I32At(r, 4), 710);
    EXPECT_EQ(I32At(r, 8), 1500);
    EXPECT_EQ(I32At(r, 12), -1);
    EXPECT_EQ(I32At(r, 16), -1);
  }
}

TEST_P(Converted, Equipment) {
  auto e = File("equip");
  ASSERT_EQ(e.size(), static_cast<std::size_t>(kEquipmentRecordSize));
  EXPECT_EQ(TextAt(e, 0, 7), V() == 1 ? "1" : "T-1");
  EXPECT_EQ(TextAt(e, 7, 21), "Tent");
  EXPECT_EQ(TextAt(e, 28, 9), "20070510");
  EXPECT_EQ(I32At(e, 40), 13000);
  EXPECT_EQ(I32At(e, 44), 15000);
  EXPECT_EQ(I32At(e, 48), 1);
  EXPECT_EQ(I32At(e, 52), V() == 1 ? 15000 : 16000);
  EXPECT_EQ(I32At(e, 56), -1);
  EXPECT_EQ(I32At(e, 60), 12000);
  EXPECT_EQ(I32At(e, 64), 7);
  EXPECT_EQ(e[68], 'G');
  EXPECT_EQ(TextAt(e, 69, 9), "");
  EXPECT_EQ(TextAt(e, 78, 201), "Four person");
  EXPECT_EQ(TextAt(e, 279, 32), "");
}

TEST_P(Converted, Friends) {
  auto f = File("fos");
  ASSERT_EQ(f.size(), static_cast<std::size_t>(kFriendRecordSize));
  EXPECT_EQ(I32At(f, 0), 7500);
  EXPECT_EQ(TextAt(f, 4, 12), "Dana");
  EXPECT_EQ(TextAt(f, 16, 16), "Miller");
  EXPECT_EQ(I32At(f, 40), 2500);
  EXPECT_EQ(I32At(f, 44), 5000);
  EXPECT_EQ(TextAt(f, 56, 27), "12 Oak St");
  EXPECT_EQ(TextAt(f, 83, 27), "");
  EXPECT_EQ(TextAt(f, 110, 18), "Springfield");
  EXPECT_EQ(TextAt(f, 128, 3), "IL");
  EXPECT_EQ(TextAt(f, 131, 11), "62701");
  EXPECT_EQ(TextAt(f, 142, 51), "Regular");
  EXPECT_EQ(TextAt(f, 193, 5), "2007");
  EXPECT_EQ(I32At(f, 216), 10);
  EXPECT_EQ(TextAt(f, 220, 14), "555-1234");
  EXPECT_EQ(TextAt(f, 234, 6), "12");
  for (int p = 1; p < 4; ++p) EXPECT_EQ(I32At(f, 216 + 24 * static_cast<std::size_t>(p)), 80);
}

TEST_P(Converted, MembersAndSubunits) {
  auto f = File("scout");
  ASSERT_EQ(f.size(), static_cast<std::size_t>(6 * kMemberRecordSize));
  auto anna = Rec(f, kMemberRecordSize, 0);
  EXPECT_EQ(TextAt(anna, 0, 16), "Smith");
  EXPECT_EQ(TextAt(anna, 16, 12), "Anna");
  EXPECT_EQ(TextAt(anna, 28, 27), "1 Elm St");
  EXPECT_EQ(TextAt(anna, 150, 9), "20070901");
  EXPECT_EQ(TextAt(anna, 160, 30), "Eagle");
  EXPECT_EQ(TextAt(anna, 190, 16), "Smith");
  if (V() != 3) {
    EXPECT_EQ(TextAt(anna, 56, 27), "");  // split into city, state and zip
    EXPECT_EQ(TextAt(anna, 254, 18), "Springfield");
    EXPECT_EQ(TextAt(anna, 272, 3), "IL");
    EXPECT_EQ(TextAt(anna, 275, 11), "62701");
    EXPECT_EQ(TextAt(anna, 84, 14), "555-0001");
    EXPECT_EQ(TextAt(anna, 98, 14), "");
    EXPECT_EQ(TextAt(anna, 206, 20), V() == 1 ? "Frederick J" : "555-9999");
  }
  EXPECT_EQ(I32At(anna, 320), 1000);
  EXPECT_EQ(I32At(anna, 324), 3000);
  EXPECT_EQ(I32At(anna, 328), 1);
  EXPECT_EQ(I32At(anna, 332), 1);
  EXPECT_EQ(I32At(anna, 336), 0);
  EXPECT_EQ(TextAt(anna, 354, 158), "Note");

  auto carl = Rec(f, kMemberRecordSize, 2);
  EXPECT_EQ(I32At(carl, 336), 1);
  EXPECT_EQ(I16At(carl, 212), 1);
  EXPECT_EQ(TextAt(carl, 0, 16), "Brown");
  EXPECT_EQ(TextAt(carl, 34, 27), V() == 3 ? "2 Elm St" : "1 Elm St");
  EXPECT_EQ(TextAt(carl, 156, 9), V() == 3 ? "20070801" : "20070901");
  if (V() == 2) {
    EXPECT_EQ(TextAt(carl, 166, 12), "Smith");
    EXPECT_EQ(TextAt(carl, 178, 14), "555-9999");
    EXPECT_EQ(TextAt(carl, 192, 5), "42");
  } else if (V() == 1) {
    EXPECT_EQ(TextAt(carl, 166, 12), "");
  }

  EXPECT_EQ(Rec(f, kMemberRecordSize, 3)[353], kStatusDeleted);
  auto eagle = Rec(f, kMemberRecordSize, 4);
  EXPECT_EQ(I32At(eagle, 336), 2);
  EXPECT_EQ(TextAt(eagle, 160, 30), "Eagle");
  EXPECT_EQ(TextAt(eagle, 150, 9), "20070901");
  EXPECT_EQ(TextAt(eagle, 0, 16), "");
  EXPECT_EQ(I32At(eagle, 332), 1);
  auto hawk = Rec(f, kMemberRecordSize, 5);
  EXPECT_EQ(I32At(hawk, 336), 2);
  EXPECT_EQ(TextAt(hawk, 160, 30), "Hawk");
  EXPECT_EQ(I32At(hawk, 332), 0);
}

TEST_P(Converted, TransactionsAndLines) {
  auto t = File("trans");
  ASSERT_EQ(t.size(), static_cast<std::size_t>(2 * kTransactionRecordSize));
  EXPECT_EQ(I32At(t, 0), 1);
  EXPECT_EQ(I32At(t, 4), 101);
  EXPECT_EQ(I32At(t, 8), 1);
  EXPECT_EQ(TextAt(t, 12, 9), "1001");
  EXPECT_EQ(TextAt(t, 21, 9), "20080210");
  EXPECT_EQ(TextAt(t, 30, 26), "Popcorn sale");
  EXPECT_EQ(TextAt(t, 56, 41), "Remark");
  EXPECT_EQ(I32At(t, 104), 1);
  EXPECT_EQ(I32At(t, 108), 5000);
  EXPECT_EQ(I32At(t, kTransactionRecordSize + 104), -1);

  auto s = File("suppt");
  ASSERT_EQ(s.size(), static_cast<std::size_t>(2 * kSupportLineRecordSize));
  EXPECT_EQ(I32At(s, 0), 1);
  EXPECT_EQ(I32At(s, 8), 520);
  EXPECT_EQ(I32At(s, 12), 0);
  EXPECT_EQ(I32At(s, 24), 5000);
  EXPECT_EQ(I32At(s, 28), 1);
  EXPECT_EQ(I32At(s, 32), 0);
  EXPECT_EQ(I32At(s, 44), 1);
  EXPECT_EQ(TextAt(s, 48, 48), "Line");

  auto sp = File("split");  // the free record is dropped
  ASSERT_EQ(sp.size(), static_cast<std::size_t>(kSplitRecordSize));
  EXPECT_EQ(I32At(sp, 0), 10);
  EXPECT_EQ(I32At(sp, 16), 1);
  EXPECT_EQ(I32At(sp, 20), 0);

  auto sa = File("subac");
  ASSERT_EQ(sa.size(), static_cast<std::size_t>(2 * kSubAccountRecordSize));
  EXPECT_EQ(I32At(sa, 0), 10);
  EXPECT_EQ(I32At(sa, 4), 1);
  EXPECT_EQ(I32At(sa, 8), 2000);
  EXPECT_EQ(I32At(sa, 12), 0);
  EXPECT_EQ(I32At(sa, 16), 0);
  EXPECT_EQ(I32At(sa, 24 + 8), 3000);
  EXPECT_EQ(I32At(sa, 24 + 16), 1);
}

TEST_P(Converted, SchedulesAndParticipants) {
  auto s = File("sched");
  ASSERT_EQ(s.size(), static_cast<std::size_t>(kScheduleRecordSize));
  EXPECT_EQ(I32At(s, 0), 599);
  auto p = File("part");
  if (V() == 1) {
    EXPECT_EQ(TextAt(s, 5, 26), "Scout Dues");
    EXPECT_EQ(s[272], 0);
    EXPECT_EQ(TextAt(s, 291, 9), "20080115");
    EXPECT_EQ(TextAt(s, 300, 9), "20080215");
    EXPECT_EQ(I32At(s, 32), 1250);
    EXPECT_EQ(I32At(s, 36), 1250);
    // Anna, Ben and the dummy member; not the adult, not the deleted one.
    ASSERT_EQ(p.size(), static_cast<std::size_t>(3 * kParticipantRecordSize));
    const long rows[] = {0, 1, 4}, owed[] = {1250, 0, 0};
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(I32At(p, 16 * i), 0);
      EXPECT_EQ(I32At(p, 16 * i + 4), rows[i]);
      EXPECT_EQ(I32At(p, 16 * i + 8), owed[i]);
    }
  } else {
    EXPECT_EQ(TextAt(s, 5, 26), "Monthly Dues");
    EXPECT_EQ(s[272], 'M');
    EXPECT_EQ(TextAt(s, 273, 9), "20080915");
    EXPECT_EQ(TextAt(s, 282, 9), "20081015");
    EXPECT_EQ(TextAt(s, 291, 9), "20080115");
    EXPECT_EQ(I32At(s, 32), 500);
    EXPECT_EQ(TextAt(s, 309, 9), "");
    ASSERT_EQ(p.size(), static_cast<std::size_t>(2 * kParticipantRecordSize));
    EXPECT_EQ(I32At(p, 16 + 4), 1);
    EXPECT_EQ(I32At(p, 16 + 8), 1000);
    EXPECT_EQ(I32At(p, 16 + 12), 500);
  }
}

TEST_P(Converted, UnitFileWorksheetsAndGroups) {
  auto u = File("unit");
  std::string text(u.begin(), u.end());
  if (V() == 3)
    EXPECT_EQ(text, "UNIT NUMBER  = 123\nADDRESS  = 12 Oak Lane\nADDRESS  = \nCITY  = Springfield\n"
                    "STATE  = IL\nZIP  = 62701\nFISCAL DATE  = 002008\n");
  else
    // Keys keep the blanks that stood before their "=".
    EXPECT_EQ(text, "FISCAL DATE  = 002008\nCHARTER  = First Church\nADDRESS = 12 Oak Lane\nADDRESS = \n"
                    "CITY = Springfield\nSTATE = IL\nZIP = 62701\n");
  auto w = ReadFile(inst_->NewFolder() + "/worksht4.dat");
  if (V() == 3) {
    ASSERT_EQ(w.size(), 128u);
    EXPECT_EQ(TextAt(w, 0, 32), "Budget Sheet");
    EXPECT_EQ(TextAt(w, 113, 9), "Col9");
    for (std::size_t i = 122; i < 128; ++i) EXPECT_EQ(w[i], 0);
  } else {
    EXPECT_TRUE(w.empty());
  }
  for (const char* name : {"/fy2008/ag408_g.dat", "/fy2008/ag408_a.dat"}) {
    auto g = ReadFile(inst_->NewFolder() + name);
    EXPECT_TRUE(g.empty());
    EXPECT_TRUE(std::filesystem::exists(inst_->NewFolder() + name)) << name;
  }
  std::string settings = inst_->NewFolder() + "/udata4.dat";
  SettingsSection* s = OpenSettingsSection(settings.c_str(), "CONFIG");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(GetSettingInt(s, 'D', 7), 0);
  EXPECT_EQ(GetSettingInt(s, 'E', 7), 0);
  char folder[256];
  GetSettingText(s, 'F', "", folder);
  EXPECT_STREQ(folder, "C:\\IMPORT");
  CloseSettingsSection(s);
}

INSTANTIATE_TEST_SUITE_P(Versions, Converted, testing::Values(1, 2, 3));

}  // namespace
