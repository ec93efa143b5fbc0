// The unit information file of a year: read, and when it reads, written and
// read back to the same fiscal dates.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "fuzz/FuzzTargets.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace fuzz {

void UnitFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::string path = WorkFolder() + "/unit408.dat";
  std::snprintf(UnitPath, sizeof UnitPath, "%s", path.c_str());
  WriteWhole(path, data, size);
  if (ReadWriteUnitInfo(0) != 1) {
    FuzzCheck(FiscalStartDate[0] == 0 && FiscalEndDate[0] == 0, "a refused file leaves no fiscal dates");
    return;
  }
  FuzzCheck(std::strlen(FiscalStartDate) == 8 && std::strlen(FiscalEndDate) == 8, "fiscal dates of eight digits");
  FuzzCheck(std::strcmp(FiscalStartDate, FiscalEndDate) < 0, "the year ends after it starts");
  std::string start = FiscalStartDate, end = FiscalEndDate;
  FuzzCheck(ReadWriteUnitInfo(1) == 1, "the unit file is written");
  FuzzCheck(ReadWriteUnitInfo(0) == 1, "the written unit file reads");
  FuzzCheck(start == FiscalStartDate && end == FiscalEndDate, "unit file round trip");
}

}  // namespace fuzz
