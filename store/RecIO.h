// The record-file primitive and the file set of a fiscal year.
//
// Each kind of record has a file of fixed-size records in the year's data
// folder, addressed by record number (the row). RecIO reads or writes one
// record; every write is checked against the free disk space first and
// committed to the disk after. The handles and paths are globals: other
// parts of the system read records through them with RecIO directly.
#pragma once

#include <cstdio>
#include <functional>
#include <vector>

#include "platform/base/types.h"
#include "store/Records.h"

// Returns 1 on success, -1 when the operation failed at end of file (a read
// at or beyond the last whole record), 0 on any other failure.
int RecIO(FILE* file, void* buffer, int size, int mode, int row);

// Typed access: the record is packed into / unpacked from its file bytes.
template <class Rec>
int ReadRecord(FILE* file, Rec& rec, int row) {
  BYTE buf[RecordSize<Rec>::value];
  int r = RecIO(file, buf, RecordSize<Rec>::value, 0, row);
  if (r == 1) Unpack(buf, rec);
  return r;
}
template <class Rec>
int WriteRecord(FILE* file, const Rec& rec, int row) {
  BYTE buf[RecordSize<Rec>::value];
  Pack(rec, buf);
  return RecIO(file, buf, RecordSize<Rec>::value, 1, row);
}

// Reads up to `count` records from record `first` into `buffer` in one
// go (reports that read a whole table at capacity would otherwise pay a
// system call per record). Returns the number of whole records read (fewer
// at the end of the file), or -1 on failure.
int ReadRecordBlock(FILE* file, void* buffer, int size, int first, int count);
template <class Rec>
int ReadRecords(FILE* file, std::vector<Rec>& out, int first, int count) {
  out.clear();
  if (count <= 0) return 0;
  std::vector<BYTE> bytes(static_cast<size_t>(count) * RecordSize<Rec>::value);
  const int n = ReadRecordBlock(file, bytes.data(), RecordSize<Rec>::value, first, count);
  if (n < 0) return -1;
  out.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) Unpack(bytes.data() + static_cast<size_t>(i) * RecordSize<Rec>::value, out[static_cast<size_t>(i)]);
  return n;
}

// Paths of the year's files (filled by BuildDataFileNames).
extern char AcctPath[MAX_PATH];
extern char BudgetPath[MAX_PATH];
extern char EquipPath[MAX_PATH];
extern char FriendPath[MAX_PATH];
extern char MemberPath[MAX_PATH];
extern char SplitPath[MAX_PATH];
extern char SubAcctPath[MAX_PATH];
extern char SupportPath[MAX_PATH];
extern char TransPath[MAX_PATH];
extern char SchedulePath[MAX_PATH];
extern char ParticipantPath[MAX_PATH];
extern char ReservePath[MAX_PATH];
extern char UnitPath[MAX_PATH];
// Base name of the two account-group files (without extension).
extern char AcctGroupBase[MAX_PATH];
// The data folder of the loaded year, used for the free-space check.
extern char DataFolder[MAX_PATH];

// Handles: empty (null) when the file is not open.
extern FILE* AcctFile;
extern FILE* BudgetFile;
extern FILE* EquipFile;
extern FILE* FriendFile;
extern FILE* MemberFile;
extern FILE* SplitFile;
extern FILE* SubAcctFile;
extern FILE* SupportFile;
extern FILE* TransFile;
extern FILE* ScheduleFile;
extern FILE* ParticipantFile;
extern FILE* ReserveFile;

// Fills every path above for the data folder and the two-digit year. Names
// are "<stem><data-format major><yy>.dat"; an older file whose name differs
// only in case is found in its place.
void BuildDataFileNames(const char* folder, const char* yy);

int OpenReserveFile();
void CloseReserveFile();
int OpenScheduleFiles();
void CloseScheduleFiles();

// While one is alive, reads of the nine kept-open files are served from a
// copy of each file read whole at its first read; writes through RecIO go
// to the file and to the copy. For passes that read every record of a file
// one at a time (the integrity check). Nothing may change the files by
// other means meanwhile, except the undo of a failed operation, which drops
// the copies.
class RecordReadCache {
 public:
  RecordReadCache();
  ~RecordReadCache();
  RecordReadCache(const RecordReadCache&) = delete;
  RecordReadCache& operator=(const RecordReadCache&) = delete;
};
void DropRecordReadCopies();
// Forgets the data folder's free space noted for the running store
// operation (at each operation's start and end).
void ForgetDataFolderRoom();
// While one is alive, the free space of the data folder is asked once and
// followed through the record writes, as within a store operation: for
// passes that write every record of a year (the rollover).
class DataFolderRoomScope {
 public:
  DataFolderRoomScope();
  ~DataFolderRoomScope();
  DataFolderRoomScope(const DataFolderRoomScope&) = delete;
  DataFolderRoomScope& operator=(const DataFolderRoomScope&) = delete;
};
// Within a store operation a record is mostly read just before it is
// written again (a balance updated): the undo journal takes the bytes it
// keeps from that read instead of reading them once more. True, with the
// bytes in `out`, when the last read of one of the kept-open files at
// `offset` was of `size` bytes and nothing was written to that file since.
bool RecentRecordRead(FILE* file, long long offset, int size, void* out);
// Forgets those reads (at each operation's start and end, and when the
// files may have changed by other means).
void ForgetRecentRecordReads();

// Opens an existing record file for reading and writing ("r+b"); null when
// it cannot be opened.
FILE* OpenRecordFile(const char* path);

// Flushes the stream and makes the system put its data on the disk: the
// commit after every record write.
bool CommitRecordWrite(FILE* file);

// A seam under the record writes: an installed gate is asked before each
// record write and may refuse it; a refused write fails as an error of the
// disk would (nothing reaches the file). The system installs none; tests
// install one to fail writes at chosen places.
class RecordWriteGate {
 public:
  virtual ~RecordWriteGate() = default;
  virtual bool Admits(FILE* file, int row) = 0;
};

// Installs `gate` (not owned); null removes it.
void SetRecordWriteGate(RecordWriteGate* gate);

// A seam over the commit after each record write: when set, `hook` commits
// instead of CommitRecordWrite (a measurement may count and time the real
// commit, or skip it). Null restores the real commit.
void SetRecordCommitHook(std::function<bool(FILE* file)> hook);
