// The files of the new installation outside the year folders: preferences,
// worksheets, the configuration and the stored unit settings; and the
// empty account-group files of each year.
#include <cstdio>
#include <cstring>
#include <ctime>

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

int CConversion::ConvertConfig() {
  lastError_.clear();
  const std::string name = NewFilePath(0, kFileConfig);
  std::string latest;
  if (!years_.empty()) latest = years_[0];
  for (std::size_t i = 1; i < years_.size(); ++i)
    if (i < yearStatus_.size() && yearStatus_[i] == kStatusSuccessful && years_[i] > latest) latest = years_[i];
  if (latest.empty()) {
    // No year at all: the calendar year, so that the file stays readable.
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    latest = std::to_string(tm.tm_year + 1900);
  }
  std::string text = "Fiscal Year\t= " + latest + "\nProgram Folder\t= " + rootFolder_ + "\n";
  for (std::size_t i = 0; i < years_.size(); ++i)
    if (i < yearStatus_.size() && yearStatus_[i] == kStatusSuccessful)
      text += "Data Folder\t= " + years_[i] + "/" + newFolders_[i] + "\n";
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
