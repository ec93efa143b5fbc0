// The files of the new installation outside the year folders: preferences,
// worksheets, the configuration and the stored unit settings; and the
// empty account-group files of each year.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/FileUtil.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "platform/base/CString.h"
#include "store/AcctGroup.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/Routines.h"

int CConversion::ConvertUserData() {
  lastError_.clear();
  const std::string name = NewFilePath(0, kFileUdata);
  // Settings a main program of this version already wrote are kept: the
  // three keys are written in place.
  if (!FileExists(name.c_str())) CreateEmpty(name);
  if (lastError_.empty() && WriteFaults(name)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, name));
  if (lastError_.empty()) {
    if (SettingsSection* s = OpenSettingsSection(name.c_str(), "CONFIG")) {
      int ok = PutSettingInt(s, 'D', 0) & PutSettingInt(s, 'E', 0) & PutSettingText(s, 'F', importFolder_.c_str());
      CloseSettingsSection(s);
      if (!ok) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, name));
    } else {
      // A section that cannot be opened is a write that did not happen.
      Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, name));
    }
  }
  AddStatus("Preferences", lastError_.empty() ? kStatusSuccessful : kStatusFailed);
  return lastError_.empty() ? 1 : 0;
}

int CConversion::ConvertWorksheets() {
  lastError_.clear();
  const std::string oldName = ResolvePathCase(JoinPath(oldFolder_, "worksht" + std::to_string(oldVersion_) + ".dat"));
  const std::string newName = NewFilePath(0, kFileWorksht);
  const long minSize = oldVersion_ == 3 ? 122 : 1;
  if (GetFileSize(oldName.c_str()) >= minSize) {
    FILE* in = nullptr;
    NewFile out;
    if (OpenBoth(oldName, in, newName, out) && oldVersion_ == 3) {
      BYTE oldRec[122];
      while (lastError_.empty()) {
        std::size_t got = std::fread(oldRec, 1, sizeof oldRec, in);
        if (got != sizeof oldRec) {
          if (std::ferror(in)) Fail(wiz::FormatErrorTextStr(wiz::kErrRead, oldName));
          break;
        }
        BYTE rec[128] = {};
        std::memcpy(rec, oldRec, sizeof oldRec);  // title and ten headings at the same offsets
        if (!out.Write(rec, sizeof rec)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
      }
    }
    CloseBoth(in, out);
  } else {
    CreateEmpty(newName);
  }
  AddStatus("Worksheets", lastError_.empty() ? kStatusSuccessful : kStatusFailed);
  return lastError_.empty() ? 1 : 0;
}

namespace {

struct ExistingConfig {
  bool exists = false;
  std::string currentYear;
  std::vector<std::pair<std::string, std::string>> folders;  // year, folder
  std::vector<std::string> otherLines;                       // kept as they are
};

// The configuration already in the program folder (the installation may be
// in use): its current year, its years' folders and its other settings.
ExistingConfig ReadExistingConfig(const std::string& name) {
  ExistingConfig c;
  FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return c;
  c.exists = true;
  std::string line;
  while (ReadTextLine(f, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    const std::size_t eq = line.find('=');
    std::string key = eq == std::string::npos ? line : line.substr(0, eq);
    std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
    if (strcasecmp(key.c_str(), "Fiscal Year") == 0) {
      c.currentYear = value;
    } else if (strcasecmp(key.c_str(), "Data Folder") == 0 || strcasecmp(key.c_str(), "Data Directory") == 0) {
      const std::size_t slash = value.find('/');
      if (slash != std::string::npos) c.folders.emplace_back(value.substr(0, slash), value.substr(slash + 1));
    } else if (strcasecmp(key.c_str(), "Program Folder") != 0 && !line.empty()) {
      c.otherLines.push_back(line);
    }
  }
  std::fclose(f);
  return c;
}

}  // namespace

int CConversion::ConvertConfig() {
  lastError_.clear();
  const std::string name = NewFilePath(0, kFileConfig);
  // The years this run converted join those the installation already has:
  // a year not converted now keeps its folder.
  const ExistingConfig existing = ReadExistingConfig(name);
  std::map<std::string, std::string> folders(existing.folders.begin(), existing.folders.end());
  std::string latest;
  for (std::size_t i = 0; i < years_.size(); ++i)
    if (i < yearStatus_.size() && yearStatus_[i] == kStatusSuccessful) {
      folders[years_[i]] = newFolders_[i];
      if (years_[i] > latest) latest = years_[i];
    }
  // The year in use stays current while it is still listed.
  if (!existing.currentYear.empty() && folders.count(existing.currentYear)) latest = existing.currentYear;
  if (latest.empty() && !folders.empty()) latest = folders.rbegin()->first;
  if (latest.empty() && !years_.empty()) latest = years_[0];
  if (folders.empty() && existing.exists) {
    // A configuration naming no data folder never replaces one.
    Fail("No fiscal year was converted: " + name + " was left as it was");
    AddStatus("Configuration", kStatusFailed);
    return 0;
  }
  if (latest.empty()) {
    // No year at all: the calendar year, so that the file stays readable.
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    latest = std::to_string(tm.tm_year + 1900);
  }
  std::string text = "Fiscal Year\t= " + latest + "\nProgram Folder\t= " + rootFolder_ + "\n";
  for (const std::string& line : existing.otherLines) text += line + "\n";
  for (const auto& [year, folder] : folders) text += "Data Folder\t= " + year + "/" + folder + "\n";
  // Written through a temporary file and a rename: a failure leaves the
  // old file (or none), never half of one.
  if (WriteFaults(name) || WriteFileAtomic(name.c_str(), text.data(), text.size()) != 0)
    Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, name));
  AddStatus("Configuration", lastError_.empty() ? kStatusSuccessful : kStatusFailed);
  return lastError_.empty() ? 1 : 0;
}

int CConversion::ConvertUnitSettings() {
  lastError_.clear();
  const std::string name = UnitSettingsPath(rootFolder_);
  UnitSettings settings;
  std::string ignored;
  // A password already set for this installation stays.
  if (FileExists(name.c_str())) ReadUnitSettings(name, &settings, &ignored);
  settings.unitType = GetMainUnitType();
  if (!unitNumber_.empty()) settings.unitNumber = unitNumber_;
  if (WriteFaults(name) || !WriteUnitSettings(name, settings)) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, name));
  AddStatus("Unit Settings", lastError_.empty() ? kStatusSuccessful : kStatusFailed);
  return lastError_.empty() ? 1 : 0;
}

int CConversion::CreateAcctGroups(int y) {
  lastError_.clear();
  const std::string& folder = newFolders_[static_cast<std::size_t>(y)];
  const std::string base = JoinPath(folder, "ag" + std::to_string(newVersion_) + YearYY(y));
  CAcctGroupDBase groups;
  groups.Initialize(JoinPath(folder, "temp").c_str(), base.c_str());
  GroupNameList names;
  groups.GetFileNames(&names);
  std::string error;
  for (const CString& n : names) {
    if (!CreateEmpty(static_cast<const char*>(n)) && error.empty()) error = lastError_;
    lastError_.clear();
  }
  lastError_ = error;
  return Finish();
}
