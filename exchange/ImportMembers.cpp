#include "exchange/ImportMembers.h"

#include <cstdio>
#include <string>

#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/TempFolder.h"
#include "common/UnitVocab.h"
#include "exchange/ImportFiles.h"
#include "exchange/ImportMerge.h"
#include "reports/ImportLog.h"
#include "reports/RptDriver.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace {

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[128];
  FormatErrorText(text, index, item);
  return text;
}

// One pass: every record of the file merged, then the local members of the
// kind that the file did not bring offered for deletion. False when the
// import stopped.
bool RunPass(int kind, bool troop, const ImportFileSet& set, const ImportSubunitTable& table, std::FILE* file,
             ImportRun& run) {
  run.StartPass();
  MemberRow row;
  bool stopped = false;
  for (int n = 0; !stopped; ++n) {
    const int got = kind == 0 ? ReadImportScout(troop, set.tag, file, n, table, &row)
                              : ReadImportAdult(troop, set.tag, file, n, &row);
    if (got < 0) break;
    if (got == 1) stopped = (kind == 0 ? MergeImportScout(&row, run) : MergeImportAdult(&row, run)) != 0;
  }
  for (int r = 0; r < MemberTable.rowCount && !stopped; ++r) ImportDeleteMember(r, kind, run);
  SortMembers();
  CountPassbookMembers();
  return !stopped;
}

}  // namespace

void ImportMembers(const char* folder, int importAdults) {
  std::string error;
  bool stopped = false;
  const bool schedules = OpenScheduleFiles() == 1;
  // Only participants change during the import.
  if (schedules && ScheduleFile) {
    std::fclose(ScheduleFile);
    ScheduleFile = nullptr;
  }
  ShowWaitCursor(1);
  const std::string logPath = JoinPath(TempFolder, "IMPORT.TMP");
  ImportLogFile = OpenPrivateFile(logPath.c_str(), "w+b");
  ImportLogCount = 0;
  if (ImportLogFile == nullptr) DispMessage(ErrorText(ERR_OPEN, "import trans file").c_str(), MSG_FATAL);

  ImportRun run;
  const bool troop = UnitType != 1;
  ImportFileSet set;
  ImportSubunitTable table;
  stopped = DetectImportVersion(troop, folder, &set) != 0 || ImportSubunits(troop, set, &table) != 0;
  if (!stopped) {
    if (std::FILE* scouts = std::fopen(set.scouts.c_str(), "rb")) {
      stopped = !RunPass(0, troop, set, table, scouts, run);
      ReadWriteUnitInfo(1);
      std::fclose(scouts);
    } else {
      error = ErrorText(ERR_OPEN, "import scout");
    }
  }
  if (importAdults && error.empty() && !stopped) {
    if (std::FILE* adults = std::fopen(set.adults.c_str(), "rb")) {
      stopped = !RunPass(1, troop, set, table, adults, run);
      std::fclose(adults);
    } else {
      error = ErrorText(ERR_OPEN, "import adult");
    }
  }

  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_FATAL);
  } else if (ImportLogFile && ImportLogCount > 0 && !stopped) {
    if (AskQuestion("Import complete.\n\nDo you wish to generate a report", ANSWER_YES, 0) == ANSWER_YES)
      ReportDriver(27, nullptr);
  }
  if (ImportLogFile) std::fclose(ImportLogFile);
  ImportLogFile = nullptr;
  std::remove(logPath.c_str());
  ShowWaitCursor(0);
  if (schedules) CloseScheduleFiles();
}
