// The year operations over damaged input: a backup set whose files (the
// manifest among them) were changed on disk and then restored, and a
// rollover of a year whose files were changed. The input is a list of
// changes as the year target reads it: a file byte, a 16-bit offset, a
// length byte and that many bytes (a length of 0 cuts the file).
//
// Properties: a restore leaves the year as it was, or holds exactly files
// of the backup set, with nothing of the operation left behind; a rollover
// never changes the old year's bytes, and a new year it makes opens.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "app/Backup.h"
#include "app/BackupManifest.h"
#include "app/Rollover.h"
#include "app/TornelApp.h"
#include "app/YearJournal.h"
#include "common/ConfigFile.h"
#include "common/UnitSettings.h"
#include "fuzz/FuzzTargets.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace fuzz {

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;  // name -> bytes

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Files Take(const std::string& folder) {
  Files files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec))
    if (e.is_regular_file()) files[e.path().filename().string()] = ReadAll(e.path().string());
  return files;
}

void Lay(const std::string& folder, const Files& files) {
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  for (const auto& [name, bytes] : files)
    WriteWhole(folder + "/" + name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void CloseYear() {
  CloseDataFiles();
  CloseReserveFile();
  CloseScheduleFiles();
}

// Applies the input's changes to `files`.
void Damage(Files& files, const std::uint8_t* data, std::size_t size) {
  if (files.empty()) return;
  std::size_t at = 0;
  while (at + 4 <= size) {
    auto file = std::next(files.begin(), data[at] % files.size());
    std::string& bytes = file->second;
    const std::size_t offset = (data[at + 1] | (data[at + 2] << 8)) % (bytes.size() + 64);
    const std::size_t length = std::min<std::size_t>(data[at + 3], size - at - 4);
    at += 4;
    if (length == 0) {
      bytes.resize(std::min(offset, bytes.size()));
      continue;
    }
    if (bytes.size() < offset + length) bytes.resize(offset + length, '\0');
    std::copy(data + at, data + at + length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    at += length;
  }
}

// A sound year 2008, current, with its program files and a backup of it.
struct Installation {
  std::unique_ptr<fixture::FiscalYear> year;
  std::string home, backup, config, unit;
  Files yearFiles, backupFiles;

  Installation() {
    year = std::make_unique<fixture::FiscalYear>();
    home = year->home();
    backup = home + "/backup";
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home.c_str());
    std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s/config4.sl", home.c_str());
    std::snprintf(WorksheetFileName, sizeof WorksheetFileName, "%s/worksht4.dat", home.c_str());
    std::snprintf(MailLabelFileName, sizeof MailLabelFileName, "%s/labels4.dat", home.c_str());
    FreeYearList();
    FiscalYearNode* node = FindYearNode("2008", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", year->folder().c_str());
    SortYearList();
    ReadWriteConfig(1);
    UnitSettings settings;
    settings.unitNumber = "123";
    WriteUnitSettings(UnitSettingsPath(home), settings);
    BackupData(backup.c_str());
    CloseYear();
    config = ReadAll(ConfigFileName);
    unit = ReadAll(UnitSettingsPath(home));
    yearFiles = Take(year->folder());
    backupFiles = Take(backup);
  }

  // Back to the installation as it was made, with `yearFiles` in the year.
  void Reset(const Files& files) {
    CloseYear();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(home, ec))
      if (e.is_directory() && e.path().filename() != "backup") fs::remove_all(e.path(), ec);
    fs::remove(YearJournalPath(ProgramFolder), ec);
    Lay(year->folder(), files);
    WriteWhole(ConfigFileName, reinterpret_cast<const std::uint8_t*>(config.data()), config.size());
    WriteWhole(UnitSettingsPath(home), reinterpret_cast<const std::uint8_t*>(unit.data()), unit.size());
    FreeYearList();
    ReadWriteConfig(0);
  }
};

Installation& Install() {
  static Installation installation;
  return installation;
}

bool NothingLeftBehind(const std::string& home) {
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(home, ec)) {
    const std::string name = e.path().filename().string();
    if (name.find(".part~") != std::string::npos || name.find(".old~") != std::string::npos ||
        name.rfind(".rollover-", 0) == 0 || name.find(".jnl") != std::string::npos)
      return false;
  }
  return true;
}

}  // namespace

void BackupSet(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  Installation& in = Install();
  // The manifest's and journal's readers on the input itself.
  const std::string text(reinterpret_cast<const char*>(data), size);
  BackupManifest manifest;
  YearJournal journal;
  std::string error;
  if (ParseBackupManifest(text, &manifest, &error)) {
    BackupManifest again;
    FuzzCheck(ParseBackupManifest(FormatBackupManifest(manifest), &again, &error), "a manifest reads back");
    FuzzCheck(again.year == manifest.year && again.files.size() == manifest.files.size(), "the same manifest");
  }
  ParseYearJournal(text, &journal, &error);

  Files set = in.backupFiles;
  Damage(set, data, size);
  in.Reset(in.yearFiles);
  Lay(in.backup, set);
  const std::string yearFolder = in.year->folder();
  RestoreData(yearFolder.c_str(), in.backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  CloseYear();
  const FiscalYearNode* node = FindYearNode("2008", 0, &YearList);
  FuzzCheck(node != nullptr, "the year stays known");
  const Files now = Take(node->folder);
  bool fromSet = !now.empty();
  for (const auto& [name, bytes] : now) {
    const auto it = set.find(name);
    fromSet = fromSet && it != set.end() && it->second == bytes;
  }
  FuzzCheck(now == in.yearFiles || fromSet, "the year is the old one or files of the set, whole");
  FuzzCheck(NothingLeftBehind(in.home), "the restore leaves nothing behind");
  if (now != in.yearFiles) FuzzCheck(OpenDatabase(node->folder, "08", 0) == 1, "a restored year opens");
  CloseYear();
}

void DamagedRollover(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  Installation& in = Install();
  Files files = in.yearFiles;
  Damage(files, data, size);
  in.Reset(files);
  const std::string yearFolder = in.year->folder();
  if (OpenDatabase(yearFolder.c_str(), "08", 0) != 1) {
    CloseYear();
    return;
  }
  const std::string next = in.home + "/fy2009";
  const int rolled = DoRollover(next.c_str(), "Jan", 2009, 2009, size % 2, static_cast<int>(size % 3), 0);
  CloseYear();
  FuzzCheck(Take(yearFolder) == files, "the old year's files are never written");
  FuzzCheck(NothingLeftBehind(in.home), "the rollover leaves nothing behind");
  if (rolled == 1) {
    FuzzCheck(OpenDatabase(next.c_str(), "09", 0) == 1, "the new year opens");
    CheckDataIntegrity(0);
  }
  CloseYear();
}

}  // namespace fuzz
