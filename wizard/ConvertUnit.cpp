// Converter of the unit file: key and value lines copied into the new year
// folder, the keys of older versions dropped, the old address rewritten,
// and what later converters of the year need left in the job.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Address.h"
#include "store/Records.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

namespace {

bool Has(const std::string& key, const char* part) { return key.find(part) != std::string::npos; }

constexpr int kAddressSlots = 3;
constexpr std::size_t kAddressWidth = 26;

}  // namespace

int CConversion::ConvertUnit(int y) {
  lastError_.clear();
  duesDates_.clear();
  duesAmounts_.clear();
  oldSubunits_.clear();
  std::vector<std::string> slots;
  int addressCut = 0;
  const bool older = oldVersion_ == 1 || oldVersion_ == 2;
  const std::string oldName = OldFilePath(y, kFileUnit);
  const std::string newName = NewFilePath(y, kFileUnit);
  FILE* in = nullptr;
  NewFile out;
  bool fiscalDate = false;
  wiz::TakeBadAmounts();
  if (OpenBoth(oldName, in, newName, out)) {
    std::string line, key, value;
    while (lastError_.empty() && wiz::ReadTextLine(in, line, 79)) {
      line = wiz::TrimLineEnd(line);
      if (wiz::SplitKeyValue(line, key, value)) {
        value = wiz::Trim(value, true, true);
        key = wiz::ToUpper(key);
      } else {
        key.clear();
      }
      if (Has(key, "UNIT NUMBER") && !value.empty()) unitNumber_ = value;
      if (older) {
        if (Has(key, "UNIT TYPE") || Has(key, "UNIT NUMBER") || Has(key, "CONFIGURATION")) continue;
        if (Has(key, "ADDRESS")) {
          if (value.empty()) continue;
          // The new file holds three address lines of 26 characters.
          if (value.size() > kAddressWidth) ++addressCut;
          slots.push_back(value.substr(0, kAddressWidth));
          continue;
        }
        if (Has(key, "SUBUNIT")) {
          if (adultSubunit_.empty() || !wiz::EqualNoCase(adultSubunit_, value)) oldSubunits_.push_back(value);
          continue;
        }
        if (Has(key, "DUES")) {
          if (!value.empty()) {
            duesDates_.push_back(wiz::ExpandOldDate(value.substr(0, 6).c_str()));
            float dollars = value.size() > 7 ? std::strtof(value.c_str() + 7, nullptr) : 0.0f;
            duesAmounts_.push_back(std::to_string(wiz::ToCents(dollars)));
          }
          continue;
        }
      } else if (Has(key, "SUBUNIT")) {
        oldSubunits_.push_back(value);
        continue;
      }
      if (Has(key, "FISCAL DATE")) {
        fiscalStartMonth_ = std::atoi(value.substr(0, 2).c_str());
        fiscalStartYear_ = value.size() > 2 ? std::atoi(value.substr(2, 4).c_str()) : 0;
        fiscalDate = value.size() == 6 && value.find_first_not_of("0123456789") == std::string::npos &&
                     fiscalStartMonth_ >= 0 && fiscalStartMonth_ <= 11 && fiscalStartYear_ >= 1900;
      }
      if (!key.empty() && !out.WriteText(key + " = " + value + "\n"))
        Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
    }
    if (lastError_.empty() && std::ferror(in)) Fail(wiz::FormatErrorTextStr(wiz::kErrRead, oldName));
    // Without the start of its year the year's schedules have no dates and
    // the converted year would not open.
    if (lastError_.empty() && !fiscalDate)
      Fail(oldName + " is damaged: it has no valid \"FISCAL DATE\" line");
    if (const int bad = wiz::TakeBadAmounts(); bad > 0 && lastError_.empty())
      Fail(oldName + " is damaged: " + std::to_string(bad) + " dues amounts are no number or out of range");
    if (static_cast<int>(slots.size()) > kAddressSlots) {
      // The last line holds city, state and zip: the lines before it that
      // do not fit go.
      addressCut += static_cast<int>(slots.size()) - kAddressSlots;
      std::string last = slots.back();
      slots.resize(kAddressSlots);
      slots.back() = last;
    }
    if (lastError_.empty() && older && !slots.empty()) {
      char lineBuf[32], city[32] = {}, state[3] = {}, zip[11] = {};
      CopyText(lineBuf, 28, slots.back().c_str());
      SplitCityStateZip(lineBuf, city, state, zip);
      slots.back() = lineBuf;
      slots.resize(kAddressSlots);
      std::string text = "ADDRESS = " + slots[0] + "\nADDRESS = " + slots[1] + "\nCITY = " + city +
                         "\nSTATE = " + state + "\nZIP = " + zip + "\n";
      if (!out.WriteText(text)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
    }
  }
  CloseBoth(in, out);
  NoteCut(y, "address lines", addressCut, "3 lines of 26 characters");
  return Finish();
}
