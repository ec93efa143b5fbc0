// The Import Summary's reader of the import change log: any bytes as the
// log, torn records and unknown kinds included.
#include <cstdio>
#include <string>

#include "common/Settings.h"
#include "common/TempFolder.h"
#include "fuzz/FuzzTargets.h"
#include "reports/ImportLog.h"
#include "reports/ImportSummaryReport.h"
#include "reports/RptDriver.h"

namespace fuzz {

void ImportSummaryLog(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::snprintf(TempFolder, sizeof TempFolder, "%s", WorkFolder().c_str());
  std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (WorkFolder() + "/udata4.dat").c_str());
  const std::string path = WorkFolder() + "/IMPORT.TMP";
  WriteWhole(path, data, size);
  ImportLogFile = std::fopen(path.c_str(), "r+b");
  if (ImportLogFile == nullptr) return;
  ImportLogCount = static_cast<int>(size / kImportLogRecordSize);
  RptContext* c = nullptr;
  if (InitRpt(&c)) {
    c->reportId = 27;
    PrepareRptBuild(c);
    BuildImportSummaryReport(c);
    if (std::FILE* f = std::fopen(c->tempName, "rb")) {
      char record[kRptRecordSize];
      while (std::fread(record, kRptRecordSize, 1, f) == 1)
        FuzzCheck(record[kRptRecordSize - 1] == '\0', "a record ends within its 256 bytes");
      std::fclose(f);
    }
    FreeRpt(&c);
  }
  std::fclose(ImportLogFile);
  ImportLogFile = nullptr;
  ImportLogCount = 0;
}

}  // namespace fuzz
