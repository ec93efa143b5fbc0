#include "exchange/Transfer.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/ConfigFile.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

std::string InFolder(const char* folder, const char* name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  return path + name;
}

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[MAX_PATH + 64];
  FormatErrorText(text, index, item);
  return text;
}

bool MakeFolder(const char* folder, std::string& error) {
  if (IsDirectory(folder) || MakePath(folder)) return true;
  error = "Could not make the transfer folder";
  return false;
}

std::FILE* OpenForUpdate(const std::string& path, bool exists) {
  return exists ? std::fopen(path.c_str(), "r+b") : OpenPrivateFile(path.c_str(), "w+b");
}

bool PutRecord(std::FILE* f, const unsigned char* bytes, int n) {
  return std::fseek(f, static_cast<long>(n) * kSiblingRecordSize, SEEK_SET) == 0 &&
         std::fwrite(bytes, kSiblingRecordSize, 1, f) == 1;
}

// True when one of the first two records holds a byte other than zero.
bool HoldsData(std::FILE* f) {
  unsigned char record[kSiblingRecordSize];
  for (int n = 0; n < 2; ++n) {
    if (std::fseek(f, static_cast<long>(n) * kSiblingRecordSize, SEEK_SET) != 0 ||
        std::fread(record, kSiblingRecordSize, 1, f) != 1)
      return false;
    for (unsigned char b : record)
      if (b != 0) return true;
  }
  return false;
}

// Records from `written` on are zeroed and the file is made exactly 200
// records long, so that no member of an earlier transfer stays behind.
bool PadFile(std::FILE* f, int written) {
  static const unsigned char zero[kSiblingRecordSize] = {};
  for (int n = written; n < kSiblingRecords; ++n)
    if (!PutRecord(f, zero, n)) return false;
  return std::fflush(f) == 0 && ::ftruncate(::fileno(f), static_cast<off_t>(kSiblingRecords) * kSiblingRecordSize) == 0;
}

bool AskTooMany(int count, const char* word) {
  if (count <= kSiblingRecords) return true;
  char text[600];
  std::snprintf(text, sizeof text,
                "There are %d %ss defined in %s and\nonly %d are permitted in %s.\nYou will loose %d %ss in the "
                "transfer.\n\nDo you really wish to continue",
                count, word, static_cast<const char*>(ProgramVersion.GetAppName()), kSiblingRecords, MasterAppName,
                count - kSiblingRecords, word);
  return AskQuestion(text, ANSWER_YES, 0) == ANSWER_YES;
}

std::string UnitNumberText() {
  UnitSettings unit;
  std::string ignored;
  ReadUnitSettings(UnitSettingsPath(ProgramFolder), &unit, &ignored);
  return unit.unitNumber;
}

}  // namespace

std::string SiblingScoutsFile(const char* folder) { return InFolder(folder, UnitType == 1 ? "czovk.dat" : "szovk.dat"); }
std::string SiblingAdultsFile(const char* folder) { return InFolder(folder, UnitType == 1 ? "azovk.dat" : "lzovk.dat"); }

std::string FosTransferFile(const char* folder) {
  const std::string name = std::string(UnitNoun) + " " + UnitNumberText() + " FOS Transfer.xfr";
  return InFolder(folder, name.c_str());
}

void TransferData(int type, const char* folder) {
  if (type == 0)
    WriteMemberTransferFiles(folder);
  else
    WriteFosTransferFile(folder);
}

void WriteMemberTransferFiles(const char* folder) {
  std::string error;
  const std::string scoutsPath = SiblingScoutsFile(folder), adultsPath = SiblingAdultsFile(folder);
  const bool scoutsExisted = FileExists(scoutsPath.c_str()), adultsExisted = FileExists(adultsPath.c_str());
  std::FILE* adults = nullptr;
  std::FILE* scouts = nullptr;
  if (MakeFolder(folder, error)) {
    adults = OpenForUpdate(adultsPath, adultsExisted);
    if (adults == nullptr) error = ErrorText(ERR_OPEN, adultsPath.c_str());
  }
  if (error.empty()) {
    scouts = OpenForUpdate(scoutsPath, scoutsExisted);
    if (scouts == nullptr) error = ErrorText(ERR_OPEN, scoutsPath.c_str());
  }
  bool goOn = true;
  if (error.empty()) goOn = AskTooMany(ScoutCount, "scout") && AskTooMany(AdultCount, "adult");
  if (goOn && error.empty() && ((adultsExisted && HoldsData(adults)) || (scoutsExisted && HoldsData(scouts)))) {
    char text[400];
    std::snprintf(text, sizeof text,
                  "WARNING:  The destination data files might not be empty.\nAny existing %s scouts, adults, and "
                  "%ss\nmay be overwritten.\n\nDo you really wish to continue",
                  MasterAppName, SubunitWord);
    goOn = AskQuestion(text, ANSWER_NO, 0) == ANSWER_YES;
  }
  if (goOn && error.empty()) {
    const int total = MemberTable.rowCount + (ScoutCount < kSiblingRecords) + (AdultCount < kSiblingRecords);
    int position = 0;
    ReportProgress("", 0, total);
    int written[2] = {0, 0};  // scouts, adults
    for (int row = 0; row < MemberTable.rowCount && error.empty(); ++row) {
      const MemberKey& key = MemberTable.keys[static_cast<std::size_t>(row)];
      if (key.status == 0 && (key.type == 0 || key.type == 1)) {
        MemberRecord record;
        if (RecIO(MemberFile, record.bytes, kSiblingRecordSize, 0, row) != 1) {
          error = ErrorText(ERR_READ, "member");
          break;
        }
        // The sibling program gets no balances, status or remarks.
        std::memset(record.bytes + 320, 0, kSiblingRecordSize - 320);
        int& n = written[key.type];
        if (n < kSiblingRecords) {
          if (!PutRecord(key.type == 0 ? scouts : adults, record.bytes, n))
            error = ErrorText(ERR_WRITE, key.type == 0 ? "scout" : "adult");
          ++n;
        }
      }
      ReportProgress("Transferring Members...", ++position, total);
    }
    if (error.empty() && written[0] < kSiblingRecords) {
      ReportProgress("Padding Scouts...", ++position, total);
      if (!PadFile(scouts, written[0])) error = ErrorText(ERR_WRITE, "scout");
    }
    if (error.empty() && written[1] < kSiblingRecords) {
      ReportProgress("Padding Adults...", ++position, total);
      if (!PadFile(adults, written[1])) error = ErrorText(ERR_WRITE, "adult");
    }
    if (position < total) ReportProgress("", total, total);
  }
  if (adults && std::fclose(adults) != 0 && error.empty()) error = ErrorText(ERR_WRITE, "adult");
  if (scouts && std::fclose(scouts) != 0 && error.empty()) error = ErrorText(ERR_WRITE, "scout");
  if (!error.empty())
    DispMessage(error.c_str(), MSG_FATAL);
  else if (goOn)
    DispMessage("Data transfer complete", MSG_INFORMATION);
}

void WriteFosTransferFile(const char* folder) {
  const std::string path = FosTransferFile(folder);
  if (FileExists(path.c_str())) {
    const std::string text = "\"" + path + "\" already exists.\n\nDo you wish to overwrite it";
    if (AskQuestion(text.c_str(), ANSWER_YES, 0) != ANSWER_YES) {
      DispMessage("Transfer Cancelled", MSG_INFORMATION);
      return;
    }
  }
  std::string error;
  MakeFolder(folder, error);
  char labels[4][5] = {};
  long counts[4] = {};
  long long sums[4] = {};
  const int total = FriendTable.rowCount;
  if (error.empty()) ReportProgress("Transferring Friends of Scouting...", 0, total);
  for (int row = 0; row < total && error.empty(); ++row) {
    if (FriendTable.keys[static_cast<std::size_t>(row)].status == 0) {
      FriendRecord f;
      if (ReadRecord(FriendFile, f, row) != 1) {
        error = ErrorText(ERR_READ, "friend");
        break;
      }
      for (int s = 0; s < 4; ++s) {
        if (f.yearAmounts[s] == 0) continue;
        std::snprintf(labels[s], sizeof labels[s], "%.4s", f.yearLabels[s]);
        ++counts[s];
        sums[s] += f.yearAmounts[s];
      }
    }
    ReportProgress("Transferring Friends of Scouting...", row + 1, total);
  }
  if (error.empty()) {
    std::FILE* out = OpenPrivateFile(path.c_str(), "wb");
    if (out == nullptr) {
      error = ErrorText(ERR_OPEN, path.c_str());
    } else {
      for (int s = 0; s < 4; ++s)
        if (counts[s] > 0) std::fprintf(out, "%s,%ld,%s\r", labels[s], counts[s], FormatCents(static_cast<long>(sums[s])));
      if (std::fclose(out) != 0) error = ErrorText(ERR_WRITE, path.c_str());
    }
  }
  if (!error.empty())
    DispMessage(error.c_str(), MSG_FATAL);
  else
    DispMessage(total > 0 ? "Data transfer complete" : "No Friends of Scouting Records found", MSG_INFORMATION);
}
