// Discovery of the previous installation: its configuration file (version,
// fiscal years and their folders), and the sub-units and members of every
// year.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "wizard/Conversion.h"
#include "wizard/OldFiles.h"
#include "wizard/Routines.h"

namespace {

// Components of a path after "/" and "\".
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

std::string JoinFrom(const std::string& base, const std::vector<std::string>& parts, std::size_t first) {
  std::string path = base;
  for (std::size_t i = first; i < parts.size(); ++i) path = JoinPath(path, parts[i]);
  return path;
}

void RemoveRepeats(std::vector<std::string>& list) {
  std::vector<std::string> kept;
  for (const std::string& s : list)
    if (std::find(kept.begin(), kept.end(), s) == kept.end()) kept.push_back(s);
  list.swap(kept);
}

const int kOldMemberSize[4] = {0, 216, 224, 512};

}  // namespace

std::string CConversion::MapOldPath(const std::string& oldPath) const {
  std::string path = oldPath;
  bool drive = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
  if (drive) path = path.substr(2);
  std::vector<std::string> parts = Components(path);
  if (drive && !driveRoot_.empty()) return ResolvePathCase(JoinFrom(driveRoot_, parts, 0));
  if (!drive && !path.empty() && (path[0] == '/' || path[0] == '\\')) return ResolvePathCase(JoinFrom("/", parts, 0));
  if (!drive) return ResolvePathCase(JoinFrom(oldFolder_, parts, 0));
  // The previous installation folder stands for the old program folder:
  // the longest tail of the old path that exists below it is the folder.
  for (std::size_t first = 0; first < parts.size(); ++first) {
    std::string candidate = ResolvePathCase(JoinFrom(oldFolder_, parts, first));
    if (IsDirectory(candidate.c_str())) return candidate;
  }
  return parts.empty() ? oldFolder_ : JoinPath(oldFolder_, parts.back());
}

std::string CConversion::OldFilePath(int yearIndex, int fileType) const {
  if (yearIndex < 0 || static_cast<std::size_t>(yearIndex) >= oldFolders_.size()) return std::string();
  const ConversionFileType& t = ConversionFileTypeTable[fileType];
  std::string name = std::string(t.stem) + std::to_string(oldVersion_) + (t.perYear ? YearYY(yearIndex) : "") +
                     t.extension;
  return ResolvePathCase(JoinPath(oldFolders_[static_cast<std::size_t>(yearIndex)], name));
}

std::string CConversion::NewFilePath(int yearIndex, int fileType) const {
  const ConversionFileType& t = ConversionFileTypeTable[fileType];
  std::string name = std::string(t.stem) + std::to_string(newVersion_) + (t.perYear ? YearYY(yearIndex) : "") +
                     t.extension;
  if (!t.perYear) return JoinPath(rootFolder_, name);
  return JoinPath(newFolders_[static_cast<std::size_t>(yearIndex)], name);
}

void CConversion::MakeDefaultFolders() {
  newFolders_.resize(years_.size());
  if (rootFolder_.empty()) return;
  for (std::size_t i = 0; i < years_.size(); ++i) newFolders_[i] = JoinPath(rootFolder_, "fy" + years_[i]);
}

int CConversion::ReadOldConfig() {
  lastError_.clear();
  if (importFolder_.empty()) importFolder_ = appType_ == 1 ? "c:\\gavrel\\data" : "c:\\kelvon\\data";
  if (oldFolder_.empty()) {
    Fail("No source database folder has been defined");
    return 0;
  }
  years_.clear();
  oldFolders_.clear();
  SetWaitCursor(1);
  std::string name;
  int found = 0;
  for (int n = 4; n >= 1; --n) {
    name = ResolvePathCase(JoinPath(oldFolder_, "config" + std::to_string(n) + ".sl"));
    if (FileExists(name.c_str()) && !IsDirectory(name.c_str())) {
      found = n;
      break;
    }
  }
  if (!found) {
    Fail("Could not find old configuration file:  " + name);
    oldFolder_.clear();
  } else if (!SetOldVersion(found)) {
    oldFolder_.clear();
  } else if (FILE* f = std::fopen(name.c_str(), "rb")) {
    std::string line, key, value;
    std::vector<std::pair<std::string, std::string>> entries;
    while (wiz::ReadTextLine(f, line, 258)) {
      line = wiz::Trim(wiz::ToUpper(line), true, true);
      if (!wiz::SplitKeyValue(line, key, value)) continue;
      key = wiz::Trim(key, false, true);
      value = wiz::Trim(value, true, false);
      if (key == "DATA DIRECTORY" || key == "DATA FOLDER") {
        value = wiz::ToLower(value);
        std::size_t slash = value.find('/');
        if (slash == std::string::npos) continue;
        int year = std::atoi(value.substr(0, slash).c_str());
        if (year < 100) year = ExpandYear(year);
        char text[16];
        std::snprintf(text, sizeof text, "%04d", year);
        entries.emplace_back(text, MapOldPath(value.substr(slash + 1)));
      } else if (key == "IMPORT DIRECTORY") {
        importFolder_ = value;
      }
    }
    std::fclose(f);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& e : entries) {
      years_.push_back(e.first);
      oldFolders_.push_back(e.second);
    }
    // Nothing to convert is no installation ready for use.
    if (years_.empty()) {
      Fail("The old configuration file names no fiscal year:  " + name);
      oldFolder_.clear();
    }
  } else {
    Fail("Failed Open:  " + name);
    oldFolder_.clear();
  }
  selection_.assign(years_.size(), 1);
  yearStatus_.assign(years_.size(), 0);
  MakeDefaultFolders();
  SetWaitCursor(0);
  return lastError_.empty() ? 1 : 0;
}

int CConversion::ScanOldData() {
  lastError_.clear();
  oldSubunits_.clear();
  members_.clear();
  const int size = oldVersion_ >= 1 && oldVersion_ <= 3 ? kOldMemberSize[oldVersion_] : 0;
  for (std::size_t i = 0; i < years_.size() && lastError_.empty(); ++i) {
    const int y = static_cast<int>(i);
    SetWaitCursor(1);
    std::string unitName = OldFilePath(y, kFileUnit);
    if (FILE* f = std::fopen(unitName.c_str(), "rb")) {
      std::string line, key, value;
      while (wiz::ReadTextLine(f, line, 79)) {
        if (!wiz::SplitKeyValue(wiz::TrimLineEnd(line), key, value)) continue;
        if (wiz::EqualNoCase(wiz::Trim(key, false, true), "subunit"))
          oldSubunits_.push_back(wiz::Trim(value, true, false));
      }
      std::fclose(f);
    } else {
      Fail("Failed Open:  " + unitName);
    }
    std::string memberName = OldFilePath(y, kFileScout);
    if (!lastError_.empty()) {
    } else if (FILE* f = std::fopen(memberName.c_str(), "rb"); !f || size == 0) {
      if (f) std::fclose(f);
      Fail("Failed Open:  " + memberName);
    } else {
      std::vector<BYTE> rec(static_cast<std::size_t>(size));
      while (std::fread(rec.data(), 1, rec.size(), f) == rec.size()) {
        const BYTE* r = rec.data();
        std::string first, last;
        int youth = 1;
        if (oldVersion_ == 3) {
          first = wiz::OldText(r, 16, 12);
          last = wiz::OldText(r, 0, 16);
          youth = wiz::OldI16(r, 330) != 0;
        } else {
          first = wiz::OldText(r, 0, 12);
          last = wiz::OldText(r, 12, 16);
          if (oldVersion_ == 2) youth = wiz::OldI16(r, 52) != 0;
          else youth = !(!adultSubunit_.empty() && wiz::OldText(r, 28, 14) == adultSubunit_);
        }
        if (!first.empty() || !last.empty()) members_.push_back(wiz::JoinMarkedName(youth, first.c_str(), last.c_str()));
      }
      if (std::ferror(f)) Fail("Failed Read:  " + memberName);
      std::fclose(f);
    }
    SetWaitCursor(0);
  }
  RemoveRepeats(members_);
  RemoveRepeats(oldSubunits_);
  // The installation cannot be read whole: the source page must be offered
  // again, as after a failed reading of its configuration.
  if (!lastError_.empty()) oldFolder_.clear();
  return lastError_.empty() ? 1 : 0;
}

int CConversion::ChooseAdultSubunit(const std::string& name) {
  lastError_.clear();
  if (name == adultSubunit_) return 1;
  adultSubunit_ = name;
  // Only the first version tells adults by their sub-unit.
  if (oldVersion_ != 1 || oldFolder_.empty()) return 1;
  const std::vector<std::string> before = members_;
  if (!ScanOldData()) return 0;
  auto unmarked = [](const std::string& display) { return display.empty() ? display : display.substr(1); };
  for (std::string& chosen : subunitMembers_) {
    if (std::find(before.begin(), before.end(), chosen) == before.end()) continue;
    for (const std::string& now : members_)
      if (unmarked(now) == unmarked(chosen)) {
        chosen = now;
        break;
      }
  }
  return 1;
}
