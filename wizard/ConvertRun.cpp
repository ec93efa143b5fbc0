// The conversion run: preferences, worksheets, every fiscal year and the
// configuration, and the frame every record converter follows.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <string>

#include <vector>

#include "common/FileUtil.h"
#include "wizard/Conversion.h"
#include "wizard/NewFile.h"
#include "wizard/Routines.h"

int CConversion::ConvertAll() {
  lastError_.clear();
  statusFlags_ = 0;
  statusLines_.clear();
  yearStatus_.assign(years_.size(), 0);
  if (!rootFolder_.empty() && !IsDirectory(rootFolder_.c_str()) && !MakePath(rootFolder_.c_str()))
    Fail(wiz::FormatErrorTextStr(wiz::kErrCreate, rootFolder_));
  bool setupPassed = false;
  if (lastError_.empty() && ConvertUserData()) setupPassed = ConvertWorksheets() != 0;
  for (std::size_t i = 0; i < years_.size(); ++i) ConvertYear(static_cast<int>(i));
  // The configuration lists the years that converted, also when the last
  // one failed: without it the main program could open none of them.
  if (setupPassed) {
    std::string yearError = lastError_;
    if (ConvertConfig() && ConvertUnitSettings()) lastError_ = yearError;
  }
  // A converter showed its failure at once; the run shows only what nobody
  // has shown yet, so each failure reaches the user in one box.
  if (lastError_.empty()) return 1;
  Finish();
  return 0;
}

int CConversion::ConvertYear(int y) {
  lastError_.clear();
  const std::size_t i = static_cast<std::size_t>(y);
  int status = kStatusSkipped;
  if (i < selection_.size() && selection_[i]) {
    const std::string& folder = i < newFolders_.size() ? newFolders_[i] : std::string();
    if (oldVersion_ < 1 || oldVersion_ > 3) {
      Fail("Old version cannot be set to \"unknown\"");
      status = kStatusError;
    } else if (!IsDirectory(folder.c_str()) && (folder.empty() || ::mkdir(folder.c_str(), 0700) != 0)) {
      Fail("Could not create FY" + years_[i] + " folder");
      status = kStatusError;
    } else if (const std::string kept = YearDataIn(folder, y); !kept.empty()) {
      // A year already in use here (entries made since an earlier run) is
      // never truncated by converting it again.
      Fail("FY" + years_[i] + " already holds data in " + kept + ": it was not converted again, and kept as it is");
      status = kStatusError;
    } else {
      using Step = int (CConversion::*)(int);
      static const Step kSteps[] = {
          &CConversion::ConvertEquipment,   &CConversion::ConvertFriends,      &CConversion::ConvertAccounts,
          &CConversion::CreateAcctGroups,   &CConversion::ConvertReserves,     &CConversion::ConvertBudgets,
          &CConversion::ConvertUnit,        &CConversion::ConvertMembers,      &CConversion::ConvertTransactions,
          &CConversion::ConvertSupportTrans, &CConversion::ConvertSplits,      &CConversion::ConvertSubAccounts,
          &CConversion::ConvertSchedules,   &CConversion::ConvertParticipants,
      };
      status = kStatusSuccessful;
      for (Step step : kSteps) {
        if (!(this->*step)(y)) {
          status = kStatusError;
          break;
        }
      }
    }
  }
  if (i < yearStatus_.size()) yearStatus_[i] = static_cast<unsigned>(status);
  AddStatus(years_[i], status);
  return lastError_.empty() ? 1 : 0;
}

std::string CConversion::YearDataIn(const std::string& folder, int y) const {
  const std::string mark = std::to_string(newVersion_) + YearYY(y);
  std::string found;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() < 4 || strcasecmp(name.c_str() + name.size() - 4, ".dat") != 0) continue;
      if (name.find(mark) == std::string::npos) continue;
      if (GetFileSize(JoinPath(folder, name).c_str()) > 0) {
        found = JoinPath(folder, name);
        break;
      }
    }
    ::closedir(d);
  }
  return found;
}

bool CConversion::CreateEmpty(const std::string& name) {
  if (WriteFaults(name) || !EmptyFile(name.c_str())) {
    Fail(wiz::FormatErrorTextStr(wiz::kErrCreate, name));
    return false;
  }
  return true;
}

bool CConversion::OpenBoth(const std::string& oldName, FILE*& in, const std::string& newName, NewFile& out,
                           const char* mode) {
  in = std::fopen(oldName.c_str(), "rb");
  if (!in) Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, oldName));
  else if (!out.Open(newName, mode)) Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, newName));
  return lastError_.empty();
}

void CConversion::CloseBoth(FILE* in, NewFile& out) {
  if (in) std::fclose(in);
  if (out.IsOpen() && !out.Close() && lastError_.empty()) Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, out.Name()));
}

int CConversion::ConvertRecords(int y, int fileType, int oldSize, int newSize, const RecordMapper& map,
                                const RecordTail& tail) {
  lastError_.clear();
  const std::string oldName = OldFilePath(y, fileType);
  const std::string newName = NewFilePath(y, fileType);
  if (oldSize <= 0) {
    // Without a known old version there is no record size to read by.
    Fail("Old version cannot be set to \"unknown\"");
    return Finish();
  }
  const long oldBytes = GetFileSize(oldName.c_str());
  const bool hasOld = oldBytes >= oldSize;
  wiz::TakeBadAmounts();
  if (oldBytes > 0 && oldBytes % oldSize != 0) {
    // A file cut or grown part-way through a record is damaged: its records
    // cannot be told apart with certainty.
    Fail(oldName + " is damaged: its size (" + std::to_string(oldBytes) + " bytes) is not a whole number of " +
         std::to_string(oldSize) + "-byte records");
    return Finish();
  }
  if (!hasOld && !tail) {
    CreateEmpty(newName);
    return Finish();
  }
  FILE* in = nullptr;
  NewFile out;
  if (hasOld ? !OpenBoth(oldName, in, newName, out, "wb+") : !out.Open(newName, "wb+")) {
    if (lastError_.empty()) Fail(wiz::FormatErrorTextStr(wiz::kErrOpen, newName));
  } else if (in) {
    std::vector<BYTE> oldRec(static_cast<std::size_t>(oldSize)), newRec(static_cast<std::size_t>(newSize));
    while (lastError_.empty()) {
      std::fill(oldRec.begin(), oldRec.end(), 0);
      std::fill(newRec.begin(), newRec.end(), 0);
      std::size_t got = std::fread(oldRec.data(), 1, oldRec.size(), in);
      if (got != oldRec.size()) {
        if (std::ferror(in)) Fail(wiz::FormatErrorTextStr(wiz::kErrRead, oldName));
        break;
      }
      if (map(oldRec.data(), newRec.data()) && !out.Write(newRec.data(), newRec.size()))
        Fail(wiz::FormatErrorTextStr(wiz::kErrWrite, newName));
    }
  }
  if (const int bad = wiz::TakeBadAmounts(); bad > 0 && lastError_.empty())
    Fail(oldName + " is damaged: " + std::to_string(bad) +
         " amounts are no number or beyond +-21,474,836.47");
  if (lastError_.empty() && tail && out.IsOpen()) tail(out);
  CloseBoth(in, out);
  return Finish();
}
