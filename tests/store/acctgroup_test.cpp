#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "store/AcctGroup.h"
#include "store/Fixture.h"
#include "store/RecIO.h"

namespace {

std::vector<BYTE> Bytes(const std::string& path) {
  std::vector<BYTE> b;
  FILE* f = std::fopen(path.c_str(), "rb");
  int c;
  while (f && (c = std::fgetc(f)) != EOF) b.push_back(static_cast<BYTE>(c));
  if (f) std::fclose(f);
  return b;
}

TEST(AcctGroups, AddDeleteAndReuse) {
  fixture::FiscalYear fy(false);
  CAcctGroupDBase& db = TheAcctGroupDBase();
  CAcctGroup camp;
  camp.SetName("Camp");
  camp.AddAccount(510);
  camp.AddAccount(610);
  ASSERT_EQ(db.Add(camp), 1);
  std::string g = fy.folder() + "/ag408_g.dat", a = fy.folder() + "/ag408_a.dat";
  std::vector<BYTE> grp = Bytes(g), links = Bytes(a);
  ASSERT_EQ(grp.size(), 48u);
  EXPECT_EQ(GetI32(grp.data()), 1);
  EXPECT_EQ(GetI32(grp.data() + 4), 0);
  EXPECT_STREQ(reinterpret_cast<char*>(grp.data() + 8), "Camp");
  ASSERT_EQ(links.size(), 16u);
  EXPECT_EQ(GetI32(links.data() + 4), 510);
  EXPECT_EQ(GetI32(links.data() + 12), 610);

  ASSERT_EQ(db.Delete("Camp"), 1);
  EXPECT_EQ(Bytes(g), std::vector<BYTE>(48, 0));
  EXPECT_EQ(Bytes(a), std::vector<BYTE>(16, 0));
  CAcctGroup hike;
  hike.SetName("Hike");
  hike.AddAccount(620);
  ASSERT_EQ(db.Add(hike), 1);
  EXPECT_EQ(Bytes(g).size(), 48u);
  EXPECT_EQ(GetI32(Bytes(g).data()), 1);
  EXPECT_EQ(Bytes(a).size(), 16u);

  CAcctGroup empty;
  empty.SetName("Nothing");
  EXPECT_EQ(db.Add(empty), 0);
  EXPECT_STREQ(db.GetErrorText(), "At least one account must be identified");
}

TEST(AcctGroups, NamesOrderAdjacencyAndReload) {
  fixture::FiscalYear fy(false);
  CAcctGroupDBase& db = TheAcctGroupDBase();
  for (const char* name : {"camp", "Beta", "Camp"}) {
    CAcctGroup g;
    g.SetName(name);
    g.AddAccount(101);
    ASSERT_EQ(db.Add(g), 1);
  }
  EXPECT_EQ(db.IsNameUnused("CAMP"), 1);
  EXPECT_EQ(db.IsNameUnused("Camp"), 0);
  GroupNameList names;
  db.GetNames(&names);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_STREQ(names[0], "Beta");
  EXPECT_STREQ(names[1], "camp");
  EXPECT_STREQ(names[2], "Camp");
  CString name = "Camp";
  EXPECT_EQ(db.GetAdjacentName(1, &name), 1);
  EXPECT_STREQ(name, "Beta");
  EXPECT_EQ(db.GetAdjacentName(0, &name), 1);
  EXPECT_STREQ(name, "Camp");

  ASSERT_EQ(db.SelectGroups(GroupNameList{"Beta"}), 1);
  ASSERT_EQ(fy.Reopen(), 1);
  GroupNameList selected;
  db.GetSelectedNames(&selected);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_STREQ(selected[0], "Beta");
  // Updating gives the group a new id: the highest in memory + 1.
  CAcctGroup old, changed;
  ASSERT_EQ(db.Get("camp", &old), 1);
  changed.SetName("Cub camp");
  changed.AddAccount(620);
  ASSERT_EQ(db.Update(old, changed), 1);
  CAcctGroup back;
  ASSERT_EQ(db.Get("Cub camp", &back), 1);
  AcctNumberList accounts;
  EXPECT_EQ(back.CopyAccounts(&accounts), 1);
  EXPECT_EQ(accounts[0], 620u);
}

TEST(AcctGroups, ValidationAndSelfAssignment) {
  CAcctGroup g;
  EXPECT_EQ(g.Validate(), 0);
  EXPECT_STREQ(g.GetErrorText(), "A name is mandatory");
  CAcctGroup& same = g;
  g = same;
  EXPECT_STREQ(g.GetErrorText(), "Attempted assignment of a CAcctGroup to itself");
}

}  // namespace
