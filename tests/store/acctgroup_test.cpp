#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

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

AcctNumberList AccountsOf(const char* name) {
  CAcctGroup g;
  EXPECT_EQ(TheAcctGroupDBase().Get(name, &g), 1);
  AcctNumberList accounts;
  g.CopyAccounts(&accounts);
  return accounts;
}

TEST(AcctGroups, UpdateThatCannotAddKeepsTheOldGroup) {
  fixture::FiscalYear fy(false);
  CAcctGroupDBase& db = TheAcctGroupDBase();
  // Seven links: the link file (56 bytes) is the larger of the two.
  const AcctNumberList seven{510, 520, 530, 540, 550, 560, 570};
  CAcctGroup camp;
  camp.SetName("Camp");
  for (UINT a : seven) camp.AddAccount(a);
  ASSERT_EQ(db.Add(camp), 1);

  // Refused before anything is deleted.
  CAcctGroup none;
  none.SetName("Camp");
  EXPECT_EQ(db.Update(camp, none), 0);
  EXPECT_STREQ(db.GetErrorText(), "At least one account must be identified");
  EXPECT_EQ(AccountsOf("Camp"), seven);

  // An eighth link does not fit on the disk: the add fails after the old
  // group was deleted, and the old group is put back.
  CAcctGroup bigger = camp;
  bigger.SetName("Camping");
  bigger.AddAccount(580);
  const std::string links = fy.folder() + "/ag408_a.dat";
  struct rlimit was;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
  struct rlimit small = was;
  small.rlim_cur = static_cast<rlim_t>(fixture::FileSize(links));
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int updated = db.Update(camp, bigger);
  ::setrlimit(RLIMIT_FSIZE, &was);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(updated, 0);
  EXPECT_NE(std::string(db.GetErrorText()).find("CAcctGroupDBase::_PutAct"), std::string::npos) << db.GetErrorText().GetString();
  GroupNameList names;
  db.GetNames(&names);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_STREQ(names[0], "Camp");
  EXPECT_EQ(AccountsOf("Camp"), seven);
  // As the files hold it.
  ASSERT_EQ(db.Initialize(fy.folder().c_str(), AcctGroupBase), 1);
  EXPECT_EQ(AccountsOf("Camp"), seven);
  EXPECT_EQ(db.IsNameUnused("Camping"), 1);
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
