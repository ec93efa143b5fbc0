#include "store/RecIO.h"

#include <unistd.h>

#include <cstring>
#include <string>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/DataFiles.h"
#include "store/StoreUndo.h"

char AcctPath[MAX_PATH];
char BudgetPath[MAX_PATH];
char EquipPath[MAX_PATH];
char FriendPath[MAX_PATH];
char MemberPath[MAX_PATH];
char SplitPath[MAX_PATH];
char SubAcctPath[MAX_PATH];
char SupportPath[MAX_PATH];
char TransPath[MAX_PATH];
char SchedulePath[MAX_PATH];
char ParticipantPath[MAX_PATH];
char ReservePath[MAX_PATH];
char UnitPath[MAX_PATH];
char AcctGroupBase[MAX_PATH];
char DataFolder[MAX_PATH];

FILE* AcctFile = nullptr;
FILE* BudgetFile = nullptr;
FILE* EquipFile = nullptr;
FILE* FriendFile = nullptr;
FILE* MemberFile = nullptr;
FILE* SplitFile = nullptr;
FILE* SubAcctFile = nullptr;
FILE* SupportFile = nullptr;
FILE* TransFile = nullptr;
FILE* ScheduleFile = nullptr;
FILE* ParticipantFile = nullptr;
FILE* ReserveFile = nullptr;

namespace {

RecordWriteGate* writeGate = nullptr;

// Flushes the stream and makes the system put the data on the disk.
bool Commit(FILE* file) {
  if (std::fflush(file) != 0) return false;
  return ::fsync(fileno(file)) == 0;
}

}  // namespace

void SetRecordWriteGate(RecordWriteGate* gate) { writeGate = gate; }

int RecIO(FILE* file, void* buffer, int size, int mode, int row) {
  if (file == nullptr) {
    DispMessage("NULL RecIO file pointer", MSG_ERROR);
    return 0;
  }
  bool ok = false;
  bool placed = size > 0 && row >= 0 &&
                fseeko(file, static_cast<off_t>(size) * static_cast<off_t>(row), SEEK_SET) == 0;
  if (placed) {
    if (mode == 0) {
      ok = std::fread(buffer, static_cast<size_t>(size), 1, file) == 1;
    } else if (mode == 1) {
      if (DataFolderHasRoom(static_cast<unsigned long>(size)) &&
          (!writeGate || writeGate->Admits(file, row))) {
        StoreUndoBeforeWrite(file, static_cast<long long>(size) * row, size);
        ok = std::fwrite(buffer, static_cast<size_t>(size), 1, file) == 1 && Commit(file);
      }
    }
  }
  if (ok) return 1;
  // An end of file left over from an earlier read is no answer for a
  // record that was never reached (a negative row, a bad size).
  return placed && std::feof(file) ? -1 : 0;
}

FILE* OpenRecordFile(const char* path) {
  FILE* f = std::fopen(path, "r+b");
  // Unbuffered: every record goes straight to the file, so nothing read or
  // written through another descriptor (the undo of a failed operation) is
  // ever shadowed by a stale stream buffer.
  if (f) std::setvbuf(f, nullptr, _IONBF, 0);
  return f;
}

namespace {

// Opens `file` at `path`; a file that will not open is shown as error 7
// with `item` (Fatal).
bool OpenOrShow(FILE*& file, const char* path, const char* item) {
  file = OpenRecordFile(path);
  if (file != nullptr) return true;
  char text[256];
  FormatErrorText(text, ERR_OPEN, item);
  DispMessage(text, MSG_FATAL);
  return false;
}

void CloseFile(FILE*& file) {
  if (file) std::fclose(file);
  file = nullptr;
}

}  // namespace

int OpenReserveFile() {
  CloseReserveFile();
  return OpenOrShow(ReserveFile, ReservePath, "reserve") ? 1 : 0;
}

void CloseReserveFile() { CloseFile(ReserveFile); }

int OpenScheduleFiles() {
  CloseScheduleFiles();
  if (!OpenOrShow(ScheduleFile, SchedulePath, "sched 1")) return 0;
  if (!OpenOrShow(ParticipantFile, ParticipantPath, "sched 2")) return 0;
  return 1;
}

void CloseScheduleFiles() {
  CloseFile(ScheduleFile);
  CloseFile(ParticipantFile);
}
