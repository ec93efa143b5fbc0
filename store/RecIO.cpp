#include "store/RecIO.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/DataFiles.h"
#include "store/RecordWrites.h"

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

std::function<bool(FILE*)>& CommitHook() {
  static std::function<bool(FILE*)> hook;
  return hook;
}

bool Commit(FILE* file) { return CommitHook() ? CommitHook()(file) : CommitRecordWrite(file); }

// The read copies of RecordReadCache: the bytes of each kept-open file,
// read whole at its first read while a cache scope is open.
struct ReadCopies {
  int depth = 0;
  std::map<FILE*, std::vector<BYTE>> files;
};

ReadCopies& Copies() {
  static ReadCopies copies;
  return copies;
}

bool KeptOpen(FILE* file) {
  for (FILE* f : {AcctFile, BudgetFile, EquipFile, FriendFile, MemberFile, SplitFile, SubAcctFile, SupportFile,
                  TransFile})
    if (f == file) return true;
  return false;
}

// The copy of `file`, read now when needed; null when the file is not
// cached or cannot be read whole.
std::vector<BYTE>* CopyOf(FILE* file) {
  ReadCopies& c = Copies();
  if (c.depth == 0 || !KeptOpen(file)) return nullptr;
  auto found = c.files.find(file);
  if (found != c.files.end()) return &found->second;
  int fd = fileno(file);
  struct stat st;
  if (::fstat(fd, &st) != 0 || st.st_size < 0) return nullptr;
  std::vector<BYTE> bytes(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < bytes.size()) {
    ssize_t n = ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (n <= 0) return nullptr;
    got += static_cast<size_t>(n);
  }
  return &c.files.emplace(file, std::move(bytes)).first->second;
}

// The free space of the data folder as last asked within the running store
// operation, less what its writes have taken since. Asking the volume for
// every record would cost more than the write itself; one operation's
// records are a few hundred bytes, so it is asked again only when they
// would not fit what is left.
struct Room {
  bool known = false;
  unsigned long long left = 0;
};

Room& TheRoom() {
  static Room room;
  return room;
}

int roomScopes = 0;

bool HasRoomFor(unsigned long bytes) {
  if (!RecordWritesObserved() && roomScopes == 0) return DataFolderHasRoom(bytes);
  Room& room = TheRoom();
  if (room.known && room.left >= bytes) {
    room.left -= bytes;
    return true;
  }
  unsigned long long free = 0;
  if (!DataFolderHasRoom(bytes, &free)) return false;
  room.known = true;
  room.left = free >= bytes ? free - bytes : 0;
  return true;
}

// The last record read from each kept-open file during the running store
// operation.
struct RecentRead {
  FILE* file = nullptr;
  off_t at = 0;
  std::vector<BYTE> bytes;
};
RecentRead recentReads[9];

RecentRead* RecentSlot(FILE* file) {
  const FILE* files[] = {AcctFile, BudgetFile, EquipFile, FriendFile, MemberFile, SplitFile, SubAcctFile,
                         SupportFile, TransFile};
  for (int i = 0; i < 9; ++i)
    if (files[i] == file) return &recentReads[i];
  return nullptr;
}

void NoteRecentRead(FILE* file, off_t at, const void* bytes, int size) {
  if (!RecordWritesObserved()) return;
  if (RecentRead* r = RecentSlot(file)) {
    r->file = file;
    r->at = at;
    r->bytes.assign(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + size);
  }
}

void ForgetRecentRead(FILE* file) {
  if (RecentRead* r = RecentSlot(file)) r->file = nullptr;
}

}  // namespace

void ForgetDataFolderRoom() { TheRoom() = Room{}; }

DataFolderRoomScope::DataFolderRoomScope() {
  if (roomScopes++ == 0) ForgetDataFolderRoom();
}

DataFolderRoomScope::~DataFolderRoomScope() {
  if (--roomScopes == 0) ForgetDataFolderRoom();
}

bool RecentRecordRead(FILE* file, long long offset, int size, void* out) {
  const RecentRead* r = file ? RecentSlot(file) : nullptr;
  if (!r || r->file != file || r->at != offset || r->bytes.size() != static_cast<size_t>(size)) return false;
  std::memcpy(out, r->bytes.data(), r->bytes.size());
  return true;
}

void ForgetRecentRecordReads() {
  for (RecentRead& r : recentReads) r.file = nullptr;
}

RecordReadCache::RecordReadCache() { ++Copies().depth; }

RecordReadCache::~RecordReadCache() {
  if (--Copies().depth == 0) Copies().files.clear();
}

void DropRecordReadCopies() {
  Copies().files.clear();
  ForgetRecentRecordReads();
}

bool CommitRecordWrite(FILE* file) {
  if (std::fflush(file) != 0) return false;
  return ::fsync(fileno(file)) == 0;
}

void SetRecordWriteGate(RecordWriteGate* gate) { writeGate = gate; }

void SetRecordCommitHook(std::function<bool(FILE* file)> hook) { CommitHook() = std::move(hook); }

int ReadRecordBlock(FILE* file, void* buffer, int size, int first, int count) {
  if (file == nullptr) {
    DispMessage("NULL RecIO file pointer", MSG_ERROR);
    return -1;
  }
  if (size <= 0 || first < 0 || count <= 0) return 0;
  const size_t want = static_cast<size_t>(size) * static_cast<size_t>(count);
  const off_t at = static_cast<off_t>(size) * static_cast<off_t>(first);
  size_t got = 0;
  if (std::vector<BYTE>* copy = CopyOf(file)) {
    if (static_cast<size_t>(at) < copy->size()) got = std::min(want, copy->size() - static_cast<size_t>(at));
    if (got) std::memcpy(buffer, copy->data() + at, got);
  } else if (KeptOpen(file)) {
    while (got < want) {
      const ssize_t n = ::pread(fileno(file), static_cast<BYTE*>(buffer) + got, want - got, at + static_cast<off_t>(got));
      if (n < 0) return -1;
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
  } else {
    if (fseeko(file, at, SEEK_SET) != 0) return -1;
    got = std::fread(buffer, 1, want, file);
    if (got < want && std::ferror(file)) return -1;
  }
  return static_cast<int>(got / static_cast<size_t>(size));
}

int RecIO(FILE* file, void* buffer, int size, int mode, int row) {
  if (file == nullptr) {
    DispMessage("NULL RecIO file pointer", MSG_ERROR);
    return 0;
  }
  if (mode == 0 && size > 0 && row >= 0) {
    if (std::vector<BYTE>* copy = CopyOf(file)) {
      size_t at = static_cast<size_t>(size) * static_cast<size_t>(row);
      if (at + static_cast<size_t>(size) > copy->size()) return -1;
      std::memcpy(buffer, copy->data() + at, static_cast<size_t>(size));
      return 1;
    }
  }
  bool ok = false;
  const off_t at = static_cast<off_t>(size) * static_cast<off_t>(row);
  // The year's kept-open files, and the schedule, participant and reserve
  // files opened for one use, are unbuffered streams: a record is read or
  // written at its place in one system call. Other streams (buffered) go
  // through their stream.
  const bool unbuffered =
      KeptOpen(file) || file == ScheduleFile || file == ParticipantFile || file == ReserveFile;
  const bool positioned = size > 0 && row >= 0 && unbuffered;
  bool placed = positioned || (size > 0 && row >= 0 && fseeko(file, at, SEEK_SET) == 0);
  bool atEnd = false;
  if (placed) {
    if (mode == 0) {
      if (positioned) {
        const ssize_t n = ::pread(fileno(file), buffer, static_cast<size_t>(size), at);
        ok = n == size;
        atEnd = n >= 0 && n < size;
        if (ok) NoteRecentRead(file, at, buffer, size);
      } else {
        ok = std::fread(buffer, static_cast<size_t>(size), 1, file) == 1;
        atEnd = !ok && std::feof(file);
      }
    } else if (mode == 1) {
      NoteRecordWrite(file, static_cast<long long>(size) * row, size);
      ForgetRecentRead(file);
      if (HasRoomFor(static_cast<unsigned long>(size)) && (!writeGate || writeGate->Admits(file, row))) {
        const bool written = positioned
                                 ? ::pwrite(fileno(file), buffer, static_cast<size_t>(size), at) == size
                                 : std::fwrite(buffer, static_cast<size_t>(size), 1, file) == 1;
        ok = written && Commit(file);
      }
    }
  }
  if (mode == 1 && Copies().depth > 0) {
    auto found = Copies().files.find(file);
    // A failed write may have left part of the record: the copy is read
    // again when next needed.
    if (found != Copies().files.end() && !ok) Copies().files.erase(found);
    else if (found != Copies().files.end()) {
      std::vector<BYTE>& copy = found->second;
      size_t at = static_cast<size_t>(size) * static_cast<size_t>(row);
      if (copy.size() < at + static_cast<size_t>(size)) copy.resize(at + static_cast<size_t>(size));
      std::memcpy(copy.data() + at, buffer, static_cast<size_t>(size));
    }
  }
  if (ok) return 1;
  // An end of file left over from an earlier read is no answer for a
  // record that was never reached (a negative row, a bad size).
  return placed && atEnd ? -1 : 0;
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
