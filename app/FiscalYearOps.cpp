// Opening another fiscal year in place of the loaded one, and deleting a
// year that is not loaded.
#include <stdio.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/Backup.h"
#include "app/BackupManifest.h"
#include "app/FiscalYearDlg.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "platform/window/Window.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"

int SwitchFiscalYear(FiscalYearNode* node) {
  if (!node || !CurrentYearNode) return 0;
  char oldYY[3], year[5];
  std::snprintf(oldYY, sizeof oldYY, "%s", FiscalYearYY);
  std::snprintf(year, sizeof year, "%s", node->year);
  const std::string oldFolder = CurrentYearNode->folder;
  const std::string folder = node->folder;
  ShowWaitCursor(1);
  CloseDataFiles();
  int result;
  if (OpenDatabase(folder.c_str(), year + 2, 0)) {
    CurrentYearNode = FindYearNode(year, 0, &YearList);
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", year + 2);
    std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", year);
    ReadWriteConfig(1);
    result = 1;
  } else {
    CloseDataFiles();
    if (OpenDatabase(oldFolder.c_str(), oldYY, 0)) {
      DispMessage("Original year is now loaded", MSG_INFORMATION);
      result = 0;
    } else {
      DispMessage("No database loaded... shutting application down", MSG_ERROR);
      ::PostQuitMessage(1);
      result = -1;
    }
  }
  ShowWaitCursor(0);
  SetMainTitle(0);
  return result;
}

namespace {

// Whether the ".bu" copies in `folder` belong to `node`'s year: the backup's
// manifest says whose set they are; without one, they are this year's only
// when no other year shares the folder or left its account file there.
bool BackupCopiesAreOfYear(const std::string& folder, const FiscalYearNode* node) {
  BackupManifest manifest;
  std::string error;
  const std::string path = ResolvePathCase(BackupManifestPath(folder));
  if (FileExists(path.c_str())) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string text;
    if (f) {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text.size() < (1u << 20)) text.append(buffer, n);
      std::fclose(f);
    }
    return ParseBackupManifest(text, &manifest, &error) && manifest.year == node->year;
  }
  for (FiscalYearNode* n = YearList; n; n = n->next)
    if (n != node && std::strcmp(n->folder, node->folder) == 0) return false;
  const std::string own = std::string("acct") + DataFormatMajor() + (node->year + 2) + ".dat";
  for (const std::string& name : YearRecordFiles(folder, DataFormatMajor()))
    if (strncasecmp(name.c_str(), "acct", 4) == 0 && strcasecmp(name.c_str(), own.c_str()) != 0) return false;
  return true;
}

}  // namespace

int DeleteFiscalYear(FiscalYearNode* node) {
  if (!node || node == CurrentYearNode || std::strcmp(node->year, CurrentFiscalYear) == 0) return 0;
  ShowWaitCursor(1);
  const std::string folder = node->folder;
  const std::string major = DataFormatMajor();
  const std::string yy = node->year + 2;
  std::vector<std::string> names;
  for (const char* stem : {"acct", "budge", "equip", "fos", "part", "resrv", "sched", "scout", "split", "subac",
                           "suppt", "trans", "unit"})
    names.push_back(stem + major + yy + ".dat");
  // The year's profit centres go with it.
  names.push_back("ag" + major + yy + "_g.dat");
  names.push_back("ag" + major + yy + "_a.dat");
  // Backup copies of the program files that a backup of this year may have
  // left here; those of another year's backup kept in the folder stay.
  if (BackupCopiesAreOfYear(folder, node)) {
    for (const char* stem : {"cnfg", "udata", "unitset"}) names.push_back(stem + major + ".bu");
    names.push_back(BackupManifestPath("").substr(1));
  }
  std::string failed;
  for (const std::string& name : names) {
    const std::string path = ResolvePathCase(JoinPath(folder, name));
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) failed += "\n" + path;
  }
  ShowWaitCursor(0);
  if (!failed.empty()) {
    // The year stays known while any of its files remain.
    const std::string text = "Could not remove these files of FY" + yy + ":" + failed +
                             "\n\nThe fiscal year remains in the list";
    DispMessage(text.c_str(), MSG_ERROR);
    return 0;
  }
  // A folder that holds other files stays.
  ::rmdir(folder.c_str());
  char year[5];
  std::snprintf(year, sizeof year, "%s", node->year);
  RemoveYearNode(year);
  SortYearList();
  ReadWriteConfig(1);
  return 1;
}

void RunFiscalYearCommand(int mode, CWnd* parent) {
  if (YearCount < 2) {
    DispMessage("The current year is the only one available", MSG_WARNING);
    return;
  }
  CFiscalYearDlg dlg(parent);
  dlg.m_nMode = mode;
  dlg.m_pNode = CurrentYearNode;
  if (dlg.DoModal() != IDOK) return;
  if (mode == 0) SwitchFiscalYear(dlg.m_pNode);
  else DeleteFiscalYear(dlg.m_pNode);
}
