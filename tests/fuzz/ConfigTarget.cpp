// The configuration file: read, and when it reads, written and read back
// to the same settings.
#include <cstring>
#include <string>
#include <vector>

#include "common/ConfigFile.h"
#include "fuzz/FuzzTargets.h"

namespace fuzz {

namespace {

struct Snapshot {
  std::string year, folder;
  int trace = 0;
  std::vector<std::string> years;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
  Snapshot s{CurrentFiscalYear, ProgramFolder, TraceLevel, {}};
  for (FiscalYearNode* n = YearList; n; n = n->next) s.years.push_back(std::string(n->year) + "/" + n->folder);
  return s;
}

}  // namespace

void ConfigFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::string path = WorkFolder() + "/config4.sl";
  std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s", path.c_str());
  WriteWhole(path, data, size);
  FreeYearList();
  if (ReadWriteConfig(0) == 1) {
    FuzzCheck(std::strlen(CurrentFiscalYear) == 4 && CurrentYearNode != nullptr, "a current year read");
    Snapshot read = Take();
    FuzzCheck(ReadWriteConfig(1) == 1, "the configuration is written");
    FreeYearList();
    FuzzCheck(ReadWriteConfig(0) == 1, "the written configuration reads");
    FuzzCheck(Take() == read, "configuration round trip");
  }
  FreeYearList();
}

}  // namespace fuzz
