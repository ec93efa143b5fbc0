// The one conversion job of the wizard: what the command line and the pages
// tell it, what discovery finds in the previous installation, the converters
// of every old file, and the status of the run with its status file.
//
// Every operation that can fail first empties the last error, leaves the
// message there on failure and returns 1 or 0; callers show the message.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/types.h"

class NewFile;

enum StatusValue {
  kStatusUnknown = 0,
  kStatusCancelled = 1,
  kStatusSuccessful = 2,
  kStatusError = 4,
  kStatusFailed = 8,
  kStatusSkipped = 16,
};

// Rows of the file-type table.
enum FileType {
  kFileAcct = 0, kFileBudge, kFileEquip, kFileFos, kFileScout, kFilePart, kFileResrv, kFileSched,
  kFileSplit, kFileSubac, kFileSuppt, kFileTrans, kFileUnit, kFileConfig, kFileUdata, kFileWorksht,
  kFileTypeCount
};

struct ConversionFileType {
  const char* stem;
  const char* extension;
  bool perYear;
};
extern const ConversionFileType ConversionFileTypeTable[kFileTypeCount];

// The main program's capacities the converted data must fit.
inline constexpr int kCapAccounts = 100;
inline constexpr int kCapEquipment = 400;
inline constexpr int kCapFriends = 200;
inline constexpr int kCapSubunits = 25;
inline constexpr int kCapMembers = 325;

class CConversion {
 public:
  CConversion();

  // ---- Setters (1 done, 0 refused with the last error) ----
  int SetAppType(int type);
  int SetOldFolder(const std::string& folder);
  int SetInstallFolder(const std::string& folder);
  int SetRootFolder(const std::string& folder);
  int SetNewFolders(const std::vector<std::string>& folders);
  int SetOldVersion(int version);
  int SetStatus(int value);
  void SetImportFolder(const std::string& folder) { importFolder_ = folder; }
  void SetAdultSubunit(const std::string& name) { adultSubunit_ = name; }
  void SetStatusFile(const std::string& name) { statusFile_ = name; }
  void SetYearSelection(const std::vector<unsigned>& selection) { selection_ = selection; }
  void SetSubunitMembers(const std::vector<std::string>& names) { subunitMembers_ = names; }
  // The folder that stands for the root of the drive letters in the old
  // configuration's paths; empty: the previous installation folder stands
  // for the old program folder.
  void SetDriveRoot(const std::string& folder) { driveRoot_ = folder; }

  // ---- Getters ----
  int GetAppType() const { return appType_; }
  const std::string& GetRootFolder() const { return rootFolder_; }
  const std::string& GetImportFolder() const { return importFolder_; }
  const std::string& GetOldFolder() const { return oldFolder_; }
  const std::string& GetInstallFolder() const { return installFolder_; }
  const std::string& GetAdultSubunit() const { return adultSubunit_; }
  const std::string& GetDriveRoot() const { return driveRoot_; }
  const std::string& GetStatusFile() const { return statusFile_; }
  const std::vector<std::string>& GetYears() const { return years_; }
  const std::vector<std::string>& GetNewFolders() const { return newFolders_; }
  const std::vector<std::string>& GetOldFolders() const { return oldFolders_; }
  const std::vector<unsigned>& GetYearSelection() const { return selection_; }
  const std::vector<unsigned>& GetYearStatus() const { return yearStatus_; }
  const std::vector<std::string>& GetSubunits() const { return oldSubunits_; }
  const std::vector<std::string>& GetMembers() const { return members_; }
  const std::vector<std::string>& GetSubunitMembers() const { return subunitMembers_; }
  const std::vector<std::string>& GetStatusLines() const { return statusLines_; }
  const std::vector<std::string>& GetDuesDates() const { return duesDates_; }
  const std::vector<std::string>& GetDuesAmounts() const { return duesAmounts_; }
  int GetOldVersion() const { return oldVersion_; }
  int GetNewVersion() const { return newVersion_; }
  int GetStatusFlags() const { return statusFlags_; }
  int GetFiscalStartMonth() const { return fiscalStartMonth_; }
  int GetFiscalStartYear() const { return fiscalStartYear_; }
  const std::string& GetUnitNumber() const { return unitNumber_; }
  const std::string& GetErrorText() const { return lastError_; }

  // ---- Words of the application type ----
  std::string GetUnitWord() const;
  std::string GetSubunitWord(bool capital) const;
  std::string GetProductName() const;
  // The main program's unit type for the application type.
  int GetMainUnitType() const;

  // ---- Status ----
  void AddStatus(const std::string& name, int value);
  // A line of its own on the status page (capacity cuts).
  void AddStatusNote(const std::string& line) { statusLines_.push_back(line); }
  int GetResult() const;
  // The result code into the status file, when one was named.
  void WriteStatusFile() const;

  // ---- Command line ----
  int ParseCommandLine(const std::string& commandLine);

  // ---- Discovery ----
  int ReadOldConfig();
  int ScanOldData();
  // The adults-only sub-unit chosen after the scan: the member list is read
  // again so that its adults carry their mark, and members already marked
  // as sub-units keep their choice under the new mark.
  int ChooseAdultSubunit(const std::string& name);
  std::string OldFilePath(int yearIndex, int fileType) const;
  std::string NewFilePath(int yearIndex, int fileType) const;
  void MakeDefaultFolders();
  // An old configuration's path ("c:\old\fy98") as a folder of this machine.
  std::string MapOldPath(const std::string& oldPath) const;

  // ---- Conversion run ----
  int ConvertAll();
  int ConvertYear(int yearIndex);
  int ConvertUserData();
  int ConvertWorksheets();
  int ConvertConfig();
  int ConvertUnitSettings();
  int CreateAcctGroups(int yearIndex);
  int ConvertAccounts(int yearIndex);
  int ConvertBudgets(int yearIndex);
  int ConvertReserves(int yearIndex);
  int ConvertEquipment(int yearIndex);
  int ConvertFriends(int yearIndex);
  int ConvertUnit(int yearIndex);
  int ConvertMembers(int yearIndex);
  int ConvertTransactions(int yearIndex);
  int ConvertSupportTrans(int yearIndex);
  int ConvertSplits(int yearIndex);
  int ConvertSubAccounts(int yearIndex);
  int ConvertSchedules(int yearIndex);
  int ConvertParticipants(int yearIndex);
  // Kind of an old member (0 scout, 1 adult, 2 sub-unit) and a sub-unit's
  // name.
  int FindSubunitFor(int youth, const std::string& last, const std::string& first, std::string& name);

  // Back to the state after construction (tests, a second run).
  void Reset();

 private:
  // Converts an old record file of the year into a new one, record by
  // record: `map` fills the cleared new record from the old one and answers
  // 1 to write it, 0 to drop it. With a `tail` the new file is written also
  // when the old one is missing, and the tail appends its records after the
  // last old one.
  using RecordMapper = std::function<int(const BYTE* oldRec, BYTE* newRec)>;
  using RecordTail = std::function<void(NewFile& out)>;
  int ConvertRecords(int yearIndex, int fileType, int oldSize, int newSize, const RecordMapper& map,
                     const RecordTail& tail = nullptr);
  // Creates (or empties) a new file; "Failed create" on failure.
  bool CreateEmpty(const std::string& name);
  // A record file of year `y` with data in `folder` (the year is in use
  // there), or empty.
  std::string YearDataIn(const std::string& folder, int y) const;
  // Opens an old file for reading and a new one for writing; "Failed open"
  // with the name of the first that fails.
  bool OpenBoth(const std::string& oldName, FILE*& in, const std::string& newName, NewFile& out,
                const char* mode = "wb");
  // Closes both; a new file that cannot be flushed is "Failed write".
  void CloseBoth(FILE* in, NewFile& out);
  void Fail(const std::string& message) {
    lastError_ = message;
    errorShown_ = false;
  }
  // Shows the last error when set; 1 when it is empty.
  int Finish();
  std::string YearYY(int yearIndex) const;
  void NoteCut(int yearIndex, const char* what, int count, const std::string& limit);

  std::string adultSubunit_;
  int appType_ = 5;
  std::string rootFolder_;
  int fiscalStartMonth_ = -1;
  int fiscalStartYear_ = -1;
  std::string lastError_;
  // The last error has been shown already (by its converter), so the run
  // does not show the same box again.
  bool errorShown_ = false;
  std::vector<std::string> years_;
  std::vector<std::string> newFolders_;
  std::vector<std::string> oldFolders_;
  std::vector<unsigned> selection_;
  std::vector<unsigned> yearStatus_;
  std::vector<std::string> oldSubunits_;
  std::vector<std::string> members_;
  std::vector<std::string> subunitMembers_;
  std::vector<std::string> duesDates_;
  std::vector<std::string> duesAmounts_;
  std::string importFolder_;
  std::string installFolder_;
  std::string oldFolder_;
  std::string statusFile_;
  std::string driveRoot_;
  std::string unitNumber_;
  int newVersion_ = 4;
  int oldVersion_ = 0;
  int statusFlags_ = 0;
  std::vector<std::string> statusLines_;
};

// The one job of the program.
CConversion& TheConversion();

// A seam for tests: when set and it answers true for a file the wizard
// writes, that write fails as a full disk would.
using WriteFaultHook = std::function<bool(const std::string& path)>;
void SetWriteFaultHook(WriteFaultHook hook);
bool WriteFaults(const std::string& path);
