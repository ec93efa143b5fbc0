// The file names of a fiscal year's record files.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/FileUtil.h"
#include "common/Version.h"
#include "store/DataFiles.h"
#include "store/RecIO.h"

namespace {

// "<folder>/<stem><major><yy><ext>", with an older file of another case
// found in its place.
void BuildName(char (&out)[MAX_PATH], const char* folder, const char* stem, const char* yy, const char* ext) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%s%s%s", stem, DataFormatMajor(), yy, ext);
  std::string path = JoinPath(folder, name);
  if (*ext) path = ResolvePathCase(path);
  std::snprintf(out, sizeof out, "%s", path.c_str());
}

}  // namespace

const char* DataFormatMajor() {
  static std::string major;
  major = DataVersion.GetMajor().str();
  if (major.empty()) major.push_back('4');
  return major.c_str();
}

bool DataFolderHasRoom(unsigned long bytes) { return CheckDiskSpace(DataFolder, bytes); }

bool DataFolderHasRoom(unsigned long bytes, unsigned long long* freeOut) {
  return CheckDiskSpace(DataFolder, bytes, freeOut);
}

void BuildDataFileNames(const char* folder, const char* yy) {
  // Another folder may lie on another volume.
  ForgetDataFolderRoom();
  std::snprintf(DataFolder, sizeof DataFolder, "%s", folder);
  BuildName(AcctPath, folder, "acct", yy, ".dat");
  BuildName(BudgetPath, folder, "budge", yy, ".dat");
  BuildName(EquipPath, folder, "equip", yy, ".dat");
  BuildName(FriendPath, folder, "fos", yy, ".dat");
  BuildName(MemberPath, folder, "scout", yy, ".dat");
  BuildName(SplitPath, folder, "split", yy, ".dat");
  BuildName(SubAcctPath, folder, "subac", yy, ".dat");
  BuildName(SupportPath, folder, "suppt", yy, ".dat");
  BuildName(TransPath, folder, "trans", yy, ".dat");
  BuildName(SchedulePath, folder, "sched", yy, ".dat");
  BuildName(ParticipantPath, folder, "part", yy, ".dat");
  BuildName(ReservePath, folder, "resrv", yy, ".dat");
  BuildName(UnitPath, folder, "unit", yy, ".dat");
  BuildName(AcctGroupBase, folder, "ag", yy, "");
}
