#include "store/UnitInfo.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"

char UnitAddress1[27];
char UnitAddress2[27];
char UnitCity[18];
char UnitState[3];
char UnitZip[11];
char UnitName[64];
char UnitInfo1[32];
char UnitInfo2[32];
char UnitInfo3[32];
int FiscalLastMonth = 0;
int FiscalEndYear = 0;

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

void Fill(char* out, int room, const std::string& value) {
  std::snprintf(out, static_cast<size_t>(room), "%s", value.c_str());
}

// The unit's values as the loaded year has them: a re-read that fails puts
// them back, so that nothing half read (a start month of -2) is ever saved.
struct UnitValues {
  char address1[sizeof UnitAddress1], address2[sizeof UnitAddress2], city[sizeof UnitCity], state[sizeof UnitState],
      zip[sizeof UnitZip], info1[sizeof UnitInfo1], info2[sizeof UnitInfo2], info3[sizeof UnitInfo3];
  char start[sizeof FiscalStartDate], end[sizeof FiscalEndDate];
  int firstMonth, startYear, lastMonth, endYear;

  void Take() {
    std::memcpy(address1, UnitAddress1, sizeof address1);
    std::memcpy(address2, UnitAddress2, sizeof address2);
    std::memcpy(city, UnitCity, sizeof city);
    std::memcpy(state, UnitState, sizeof state);
    std::memcpy(zip, UnitZip, sizeof zip);
    std::memcpy(info1, UnitInfo1, sizeof info1);
    std::memcpy(info2, UnitInfo2, sizeof info2);
    std::memcpy(info3, UnitInfo3, sizeof info3);
    std::memcpy(start, FiscalStartDate, sizeof start);
    std::memcpy(end, FiscalEndDate, sizeof end);
    firstMonth = FiscalFirstMonth;
    startYear = FiscalStartYear;
    lastMonth = FiscalLastMonth;
    endYear = FiscalEndYear;
  }
  void PutBack() const {
    std::memcpy(UnitAddress1, address1, sizeof address1);
    std::memcpy(UnitAddress2, address2, sizeof address2);
    std::memcpy(UnitCity, city, sizeof city);
    std::memcpy(UnitState, state, sizeof state);
    std::memcpy(UnitZip, zip, sizeof zip);
    std::memcpy(UnitInfo1, info1, sizeof info1);
    std::memcpy(UnitInfo2, info2, sizeof info2);
    std::memcpy(UnitInfo3, info3, sizeof info3);
    std::memcpy(FiscalStartDate, start, sizeof start);
    std::memcpy(FiscalEndDate, end, sizeof end);
    FiscalFirstMonth = firstMonth;
    FiscalStartYear = startYear;
    FiscalLastMonth = lastMonth;
    FiscalEndYear = endYear;
  }
};

bool ValidFiscalStart(int firstMonth, int startYear) {
  return firstMonth >= 0 && firstMonth <= 11 && startYear >= 0 && startYear <= 9999;
}

int ReadUnitInfo() {
  FILE* f = std::fopen(UnitPath, "r");
  if (f == nullptr) {
    ShowStoreError(ERR_OPEN, UnitPath, MSG_FATAL);
    return 0;
  }
  FiscalStartDate[0] = FiscalEndDate[0] = 0;
  UnitAddress1[0] = UnitAddress2[0] = UnitCity[0] = UnitState[0] = UnitZip[0] = 0;
  // A file without information lines must not inherit those of the year
  // loaded before (the next save would write them into this year).
  UnitInfo1[0] = UnitInfo2[0] = UnitInfo3[0] = 0;
  FiscalFirstMonth = FiscalStartYear = -2;
  int addresses = 0;
  int lineNumber = 0;
  std::string badFiscalDate;
  int badLine = 0;
  // A line is one setting, whatever its length: a long address read in
  // pieces would make its tail a setting of its own.
  std::string line;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    while (!line.empty() && line.back() == '\r') line.pop_back();
    line = Trim(line);
    if (line.empty()) continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    auto is = [&key](const char* k) { return CompareNoCase(key.c_str(), k) == 0; };
    if (is("Address")) {
      if (addresses == 0) Fill(UnitAddress1, 27, value);
      else if (addresses == 1) Fill(UnitAddress2, 27, value);
      ++addresses;
    } else if (is("City")) {
      Fill(UnitCity, 18, value);
    } else if (is("State")) {
      Fill(UnitState, 3, value);
    } else if (is("Zip")) {
      Fill(UnitZip, 11, value);
    } else if (is("Info1")) {
      Fill(UnitInfo1, 32, value);
    } else if (is("Info2")) {
      Fill(UnitInfo2, 32, value);
    } else if (is("Info3")) {
      Fill(UnitInfo3, 32, value);
    } else if (is("Fiscal Date")) {
      // Two digits of the first month, four of the start year.
      bool sixDigits = value.size() == 6;
      for (char c : value) sixDigits = sixDigits && std::isdigit(static_cast<unsigned char>(c));
      if (!sixDigits) {
        badFiscalDate = value.substr(0, 60);
        badLine = lineNumber;
        continue;
      }
      FiscalFirstMonth = std::atoi(value.substr(0, 2).c_str());
      FiscalStartYear = std::atoi(value.substr(2, 4).c_str());
      if (FiscalFirstMonth == 0) {
        FiscalLastMonth = 11;
        FiscalEndYear = FiscalStartYear;
      } else {
        FiscalLastMonth = FiscalFirstMonth - 1;
        FiscalEndYear = FiscalStartYear + 1;
      }
    }
  }
  bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (readError) {
    ShowStoreError(ERR_READ, UnitPath, MSG_FATAL);
    return 0;
  }
  if (badLine != 0) {
    char text[MAX_PATH + 160];
    std::snprintf(text, sizeof text, "Invalid fiscal year start: %s (line %d of %s)", badFiscalDate.c_str(), badLine,
                  UnitPath);
    DispMessage(text, MSG_ERROR);
    FiscalStartDate[0] = FiscalEndDate[0] = 0;
    return 0;
  }
  char start[32];
  std::snprintf(start, sizeof start, "%4.4d%2.2d01", FiscalStartYear, FiscalFirstMonth + 1);
  // A valid start date reads back unchanged through the date engine.
  char check[32];
  FormatDate(start, DF_YYYYMMDD, DF_YYYYMMDD, check);
  bool valid = std::strlen(start) == 8 && FiscalFirstMonth >= 0 && FiscalFirstMonth <= 11 &&
               FiscalStartYear >= 0 && std::strcmp(start, check) == 0;
  if (!valid) {
    char text[256];
    std::snprintf(text, sizeof text, "Invalid fiscal year start: %s", start);
    DispMessage(text, MSG_ERROR);
    FiscalStartDate[0] = FiscalEndDate[0] = 0;
    return 0;
  }
  std::memcpy(FiscalStartDate, start, 9);
  // Twelve months on, one day back.
  char next[16];
  std::snprintf(next, sizeof next, "%4.4d%2.2d01", FiscalStartYear + 1, FiscalFirstMonth + 1);
  AddToDate(next, 0, 0, -1, FiscalEndDate);
  SetMonthMacros(FiscalFirstMonth);
  return 1;
}

int WriteUnitInfo() {
  // A start that is no month and year (a read that failed) is never
  // written: the year would no longer open.
  if (!ValidFiscalStart(FiscalFirstMonth, FiscalStartYear)) {
    char text[MAX_PATH + 96];
    std::snprintf(text, sizeof text, "Invalid fiscal year start: %d %d; %s was not written", FiscalFirstMonth,
                  FiscalStartYear, UnitPath);
    DispMessage(text, MSG_ERROR);
    return 0;
  }
  std::string text;
  char line[128];
  auto add = [&](const char* fmt, const char* value) {
    std::snprintf(line, sizeof line, fmt, value);
    text += line;
  };
  add("Address     = %s\r\n", UnitAddress1);
  add("Address     = %s\r\n", UnitAddress2);
  add("City        = %s\r\n", UnitCity);
  add("State       = %s\r\n", UnitState);
  add("Zip         = %s\r\n", UnitZip);
  add("Info1       = %s\r\n", UnitInfo1);
  add("Info2       = %s\r\n", UnitInfo2);
  add("Info3       = %s\r\n", UnitInfo3);
  std::snprintf(line, sizeof line, "Fiscal Date = %2.2d%4.4d\r\n", FiscalFirstMonth, FiscalStartYear);
  text += line;
  // Written whole through a temporary file: a crash leaves the old or the
  // new file, never half of one.
  int failed = WriteFileAtomic(UnitPath, text.data(), text.size());
  if (failed != 0) {
    ShowStoreError(failed == static_cast<int>(ERR_OPEN) ? ERR_OPEN : ERR_WRITE, UnitPath, MSG_FATAL);
    return 0;
  }
  return 1;
}

}  // namespace

int ReReadUnitInfo() {
  UnitValues before;
  before.Take();
  const int ok = ReadUnitInfo();
  if (!ok) before.PutBack();
  return ok;
}

int ReadWriteUnitInfo(int mode) {
  if (mode == 0) return ReadUnitInfo();
  if (mode == 1) return WriteUnitInfo();
  return 0;
}
