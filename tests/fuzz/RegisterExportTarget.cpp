// The account register report's reader of the register export file: any
// bytes as the file, in both layouts.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Settings.h"
#include "common/TempFolder.h"
#include "fuzz/FuzzTargets.h"
#include "reports/RegisterReport.h"
#include "reports/RptDriver.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"

namespace fuzz {

void RegisterExportFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::snprintf(TempFolder, sizeof TempFolder, "%s", WorkFolder().c_str());
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (WorkFolder() + "/udata4.dat").c_str());
  const std::string path = WorkFolder() + "/export.tmp";
  WriteWhole(path, data, size);
  for (int twoLine : {0, 1}) {
    RptContext* c = nullptr;
    if (!InitRpt(&c)) return;
    c->reportId = 31;
    PrepareRptBuild(c);
    RptOptionH = twoLine;
    RptOptionG = 0;
    std::string error;
    if (OpenRpt(c)) {
      PrintRegisterExport(c, path.c_str(), 1, error);
      CloseRpt(c);
    }
    if (std::FILE* f = std::fopen(c->tempName, "rb")) {
      char record[kRptRecordSize];
      while (std::fread(record, kRptRecordSize, 1, f) == 1)
        FuzzCheck(record[kRptRecordSize - 1] == '\0', "a record ends within its 256 bytes");
      std::fclose(f);
    }
    FreeRpt(&c);
  }
}

}  // namespace fuzz
