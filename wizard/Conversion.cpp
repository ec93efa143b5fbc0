#include "wizard/Conversion.h"

#include <cstdio>

#include "common/FileUtil.h"
#include "wizard/Routines.h"

const ConversionFileType ConversionFileTypeTable[kFileTypeCount] = {
    {"acct", ".dat", true},   {"budge", ".dat", true}, {"equip", ".dat", true},  {"fos", ".dat", true},
    {"scout", ".dat", true},  {"part", ".dat", true},  {"resrv", ".dat", true},  {"sched", ".dat", true},
    {"split", ".dat", true},  {"subac", ".dat", true}, {"suppt", ".dat", true},  {"trans", ".dat", true},
    {"unit", ".dat", true},   {"config", ".sl", false}, {"udata", ".dat", false}, {"worksht", ".dat", false},
};

namespace {

WriteFaultHook writeFault;

struct Words {
  const char* unit;
  const char* subunit;
};
const Words kWords[7] = {{"Troop", "patrol"}, {"Pack", "den"},   {"Crew", "patrol"}, {"Team", "squad"},
                         {"Troop", "patrol"}, {"Scout", "group"}, {"Scout", "group"}};

}  // namespace

void SetWriteFaultHook(WriteFaultHook hook) { writeFault = std::move(hook); }
bool WriteFaults(const std::string& path) { return writeFault && writeFault(path); }

CConversion& TheConversion() {
  static CConversion job;
  return job;
}

CConversion::CConversion() = default;

void CConversion::Reset() { *this = CConversion(); }

int CConversion::Finish() {
  if (lastError_.empty()) return 1;
  if (!errorShown_) wiz::DispMessage(lastError_, wiz::kError);
  errorShown_ = true;
  return 0;
}

int CConversion::SetAppType(int type) {
  lastError_.clear();
  if (type < 0 || type > 6) {
    Fail("Invalid application type - " + std::to_string(type));
    return 0;
  }
  appType_ = type;
  wiz::SetApplicationName(GetProductName() + " Conversion");
  return 1;
}

int CConversion::SetOldFolder(const std::string& folder) {
  lastError_.clear();
  if (folder.empty()) {
    Fail("A value must be supplied for the previous installation folder");
    return 0;
  }
  std::string path = ResolvePathCase(folder);
  if (!IsDirectory(path.c_str())) {
    Fail("The previous installation folder does not exist");
    return 0;
  }
  if (!rootFolder_.empty() && wiz::EqualNoCase(path, rootFolder_)) {
    Fail("The previous installation folder may not be the same as the new installation folder");
    return 0;
  }
  oldFolder_ = path;
  return 1;
}

int CConversion::SetInstallFolder(const std::string& folder) {
  lastError_.clear();
  if (folder.empty()) {
    Fail("A value must be supplied for the installation folder");
    return 0;
  }
  std::string path = folder, message;
  if (!wiz::ValidatePath(path, wiz::kPathFolder | wiz::kPathMustExist, message)) {
    Fail(message);
    return 0;
  }
  installFolder_ = path;
  rootFolder_ = path;
  return 1;
}

int CConversion::SetRootFolder(const std::string& folder) {
  lastError_.clear();
  if (folder.empty()) {
    Fail("A value must be supplied for the root folder");
    return 0;
  }
  std::string path = folder, message;
  if (!wiz::ValidatePath(path, wiz::kPathFolder | wiz::kPathMustExist | wiz::kPathAskCreate, message)) {
    Fail(message);
    return 0;
  }
  if (!oldFolder_.empty() && wiz::EqualNoCase(path, oldFolder_)) {
    Fail("The destination folder may not be the same as the previous installation's folder");
    return 0;
  }
  rootFolder_ = path;
  MakeDefaultFolders();
  return 1;
}

int CConversion::SetNewFolders(const std::vector<std::string>& folders) {
  lastError_.clear();
  std::vector<std::string> checked = folders;
  for (std::string& f : checked) {
    if (f.empty()) continue;
    std::string original = f, message;
    if (!wiz::ValidatePath(f, wiz::kPathFolder, message)) {
      Fail(message + ": \"" + original + "\"");
      return 0;
    }
  }
  newFolders_ = checked;
  return 1;
}

int CConversion::SetOldVersion(int version) {
  lastError_.clear();
  if (version == 0) {
    Fail("Old version cannot be set to \"unknown\"");
    return 0;
  }
  if (version == newVersion_) {
    Fail("Old version cannot be the same as the new version");
    return 0;
  }
  oldVersion_ = version;
  return 1;
}

int CConversion::SetStatus(int value) {
  lastError_.clear();
  if (value < 0 || value > 31) {
    Fail("Invalid status:  " + std::to_string(value));
    return 0;
  }
  statusFlags_ |= value;
  return 1;
}

std::string CConversion::GetUnitWord() const { return kWords[appType_ >= 0 && appType_ <= 6 ? appType_ : 5].unit; }

std::string CConversion::GetSubunitWord(bool capital) const {
  std::string w = kWords[appType_ >= 0 && appType_ <= 6 ? appType_ : 5].subunit;
  if (capital && !w.empty()) w[0] = static_cast<char>(w[0] - 'a' + 'A');
  return w;
}

std::string CConversion::GetProductName() const { return GetUnitWord() + "Tallyo"; }

int CConversion::GetMainUnitType() const {
  // The main program knows troop, pack, crew, team, girl troop (0-4) and
  // heritage troop (5); the wizard's "other unit" maps onto the last, and a
  // missing type onto the troop.
  if (appType_ >= 0 && appType_ <= 4) return appType_;
  return appType_ == 6 ? 5 : 0;
}

void CConversion::AddStatus(const std::string& name, int value) {
  // The step's own message stays the last error.
  std::string stepError = lastError_;
  if (SetStatus(value)) lastError_ = stepError;
  static const char* const kWordsByBit[] = {"Cancelled", "Successful", "Error", "Failed", "Skipped"};
  std::string line = name + ":\t";
  if (name.size() < 8) line += '\t';
  if (value == 0) line += "Unknown";
  for (int bit = 0; bit < 5; ++bit)
    if (value == (1 << bit)) line += kWordsByBit[bit];
  statusLines_.push_back(line);
}

int CConversion::GetResult() const {
  int flags = statusFlags_ & ~kStatusSkipped;
  if (flags == 0 || (flags & kStatusCancelled)) return kStatusCancelled;
  if ((flags & kStatusFailed) || flags == kStatusError) return kStatusFailed;
  if (flags == kStatusSuccessful) return kStatusSuccessful;
  return kStatusError;
}

void CConversion::WriteStatusFile() const {
  if (statusFile_.empty()) return;
  int code = -1;
  for (int r = GetResult(); r > 1; r >>= 1) ++code;
  FILE* f = OpenPrivateFile(statusFile_.c_str(), "wb");
  if (!f) return;
  std::fprintf(f, "%d\n", code);
  std::fclose(f);
}

std::string CConversion::YearYY(int yearIndex) const {
  const std::string& y = years_[static_cast<std::size_t>(yearIndex)];
  return y.size() >= 2 ? y.substr(y.size() - 2) : y;
}

void CConversion::NoteCut(int yearIndex, const char* what, int count, const std::string& limit) {
  if (count <= 0) return;
  AddStatusNote(years_[static_cast<std::size_t>(yearIndex)] + " " + what + ":\t" + std::to_string(count) +
                " cut at the limit of " + limit);
}
