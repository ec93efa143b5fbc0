#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/CommonTestUtil.h"
#include "platform/base/Collections.h"
#include "store/FiltSplits.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

// Passbook positions in the first member index: scouts by last name (Ben
// Jones, Anna Smith), then the adult, then the subunit.
constexpr int kBenPass = 0;
constexpr int kAnnaPass = 1;

struct List : CUIntArray {
  List(std::initializer_list<UINT> values) {
    for (UINT v : values) Add(v);
  }
};

struct Group {
  int passbook, income, other;
  bool operator==(const Group&) const = default;
};

std::vector<Group> Groups(CFiltSplits& fs, int rangeFlag, const CUIntArray& accounts) {
  std::vector<Group> out;
  Group g{};
  for (int restart = 1; fs.GetNextPass(restart, rangeFlag, accounts, &g.passbook, &g.income, &g.other);
       restart = 0)
    out.push_back(g);
  return out;
}

class FiltSplitsTest : public testing::Test {
 protected:
  fixture::FiscalYear fy;
  TempFolder temp;
};

TEST_F(FiltSplitsTest, GathersUnitAndPassbookShares) {
  CFiltSplits fs;
  ASSERT_EQ(fs.Initialize(temp.path().c_str(), "", "", List({520, 620})), 1) << fs.GetErrorText().GetString();

  // The expense line without a split (50.00, factor 1) is the unit's -50.00;
  // the split income line gives each scout a row.
  std::string bytes = ReadBytes(temp / "filtsplt.tmp");
  ASSERT_EQ(bytes.size(), 3u * 16u);
  std::vector<FiltSplitRow> rows;
  for (size_t i = 0; i < 3; ++i) {
    FiltSplitRow r;
    UnpackFiltSplitRow(reinterpret_cast<const BYTE*>(bytes.data()) + i * 16, r);
    rows.push_back(r);
  }
  EXPECT_EQ(rows[0].account, 520);
  EXPECT_EQ(rows[0].passbook, kAnnaPass);
  EXPECT_EQ(rows[0].amount, 4000);
  EXPECT_EQ(rows[1].passbook, kBenPass);
  EXPECT_EQ(rows[2].account, 620);
  EXPECT_EQ(rows[2].passbook, -1);
  EXPECT_EQ(rows[2].amount, -5000);
  EXPECT_EQ(rows[2].inRange, 1);
  // The index puts the unit's row first, then the passbooks in member order.
  ASSERT_EQ(fs.RowIndex().GetSize(), 3);
  EXPECT_EQ(fs.RowIndex().GetAt(0), 2u);
  EXPECT_EQ(fs.RowIndex().GetAt(1), 1u);
  EXPECT_EQ(fs.RowIndex().GetAt(2), 0u);

  struct {
    std::initializer_list<UINT> accounts, passbooks;
    int unit, member;
  } cases[] = {{{}, {}, -5000, 10000},
               {{520}, {}, 0, 10000},
               {{520}, {kAnnaPass}, 0, 4000},
               {{620}, {}, -5000, 0},
               {{701}, {}, 0, 0}};
  for (auto& c : cases) {
    int unit = 99, member = 99;
    EXPECT_EQ(fs.Sum(1, List(c.accounts), List(c.passbooks), &unit, &member), 1);
    EXPECT_EQ(unit, c.unit);
    EXPECT_EQ(member, c.member);
  }
  EXPECT_EQ(Groups(fs, 1, List({520, 620})),
            (std::vector<Group>{{-1, 0, -5000}, {kBenPass, 6000, 0}, {kAnnaPass, 4000, 0}}));
  EXPECT_EQ(Groups(fs, 1, List({620})), (std::vector<Group>{{-1, 0, -5000}}));
  EXPECT_TRUE(Groups(fs, 1, List({101})).empty());
}

TEST_F(FiltSplitsTest, DatesOutsideTheRangeAreKeptWithFlagZero) {
  CFiltSplits fs;
  ASSERT_EQ(fs.Initialize(temp.path().c_str(), "20080301", "", List({520, 620})), 1);
  int unit, member;
  fs.Sum(1, List({}), List({}), &unit, &member);
  EXPECT_EQ(unit, -5000);
  EXPECT_EQ(member, 0);
  fs.Sum(0, List({}), List({}), &unit, &member);
  EXPECT_EQ(unit, 0);
  EXPECT_EQ(member, 10000);
}

TEST_F(FiltSplitsTest, UnitShareAndMembersWithoutPassbookGoToTheUnit) {
  // A unit share of 10.00 on the split, and Anna's passbook closed.
  SplitRecord split;
  ASSERT_EQ(ReadRecord(SplitFile, split, 0), 1);
  split.unitShare = 1000;
  ASSERT_EQ(WriteRecord(SplitFile, split, 0), 1);
  MemberTable.keys[fixture::kAnna].passbook = 0;

  CFiltSplits fs;
  ASSERT_EQ(fs.Initialize(temp.path().c_str(), "", "", List({520})), 1);
  int unit, member;
  fs.Sum(1, List({}), List({}), &unit, &member);
  EXPECT_EQ(unit, 1000 + 4000);
  EXPECT_EQ(member, 6000);
  EXPECT_EQ(Groups(fs, 1, List({520})), (std::vector<Group>{{-1, 5000, 0}, {kBenPass, 6000, 0}}));
}

TEST_F(FiltSplitsTest, TheTemporaryFileIsPrivate) {
  mode_t saved = umask(022);
  CFiltSplits fs;
  ASSERT_EQ(fs.Initialize(temp.path().c_str(), "", "", List({520})), 1);
  umask(saved);
  struct stat st {};
  ASSERT_EQ(stat((temp / "filtsplt.tmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // members' amounts, for the user alone
}

TEST_F(FiltSplitsTest, FailuresAreLeftInTheErrorText) {
  CFiltSplits fs;
  EXPECT_EQ(fs.Open(0), 0);
  EXPECT_STREQ(fs.GetErrorText(), "Missing filename in CFiltSplits::_Open");
  EXPECT_EQ(fs.Initialize((temp / "no/such/folder").c_str(), "", "", List({520})), 0);
  EXPECT_STREQ(fs.GetErrorText(), "Failed open: CFiltSplits::_Open");
  // Nothing was shown: the responder fails the test on any box.
}

}  // namespace
