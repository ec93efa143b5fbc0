#include "store/StoreUndo.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/Messages.h"
#include "store/AcctClass.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/RecordWrites.h"

namespace {

// The key tables, each bound to its record file.
enum Table { kAcct, kBudget, kEquip, kFriend, kSchedule, kMember, kSplit, kSubAcct, kSupport, kTrans, kTables };

// Calls `f(table, record, file)` with the key table `t`, a record of its
// kind and the handle of its file.
template <class F>
void Visit(int t, F&& f) {
  switch (t) {
    case kAcct: f(AcctTable, AccountRecord{}, AcctFile); break;
    case kBudget: f(BudgetTable, BudgetRecord{}, BudgetFile); break;
    case kEquip: f(EquipTable, EquipmentRecord{}, EquipFile); break;
    case kFriend: f(FriendTable, FriendRecord{}, FriendFile); break;
    case kSchedule: f(ScheduleTable, ScheduleRecord{}, ScheduleFile); break;
    case kMember: f(MemberTable, MemberRecord{}, MemberFile); break;
    case kSplit: f(SplitTable, SplitRecord{}, SplitFile); break;
    case kSubAcct: f(SubAcctTable, SubAccountRecord{}, SubAcctFile); break;
    case kSupport: f(SupportTable, SupportLineRecord{}, SupportFile); break;
    case kTrans: f(TransTable, TransactionRecord{}, TransFile); break;
    default: break;
  }
}

int TableOfFile(FILE* file) {
  for (int t = 0; t < kTables; ++t) {
    bool same = false;
    Visit(t, [&](auto&, auto, FILE* f) { same = f == file; });
    if (same) return t;
  }
  return -1;
}

int Capacity(int t) {
  switch (t) {
    case kAcct:
    case kBudget: return AcctCapacity;
    case kEquip: return EquipCapacity;
    case kFriend: return FriendCapacity;
    case kSchedule: return kScheduleCapacity;
    case kMember: return MemberCapacity;
    case kSplit: return SplitCapacity;
    case kSubAcct: return SubAcctCapacity;
    case kSupport: return SupportCapacity;
    case kTrans: return TransCapacity;
    default: return 0;
  }
}

int InitialFree(int t) {
  if (t == kSplit) return InitialSplitFree();
  if (t == kSubAcct) return InitialSubAcctFree();
  return Capacity(t);
}

template <class Rec>
auto KeyFromRecord(const Rec& r) {
  return KeyOf(r);
}
MemberKey KeyFromRecord(const MemberRecord& r) { return KeyOfRecord(r); }
LONG KeyFromRecord(const SplitRecord& r) { return r.lineKey; }
LONG KeyFromRecord(const SubAccountRecord& r) { return r.lineKey; }

bool IsLive(const LONG& key) { return key != -1; }
template <class Key>
bool IsLive(const Key& key) {
  return key.status != kStatusDeleted;
}

void SortTable(int t) {
  switch (t) {
    case kAcct: SortAccounts(); break;
    case kEquip: SortEquipment(); break;
    case kFriend: SortFriends(); break;
    case kSchedule: SortSchedules(); break;
    case kMember: SortMembers(); break;
    case kSupport: SortSupportLines(); break;
    case kTrans: SortTransactions(); break;
    default: break;
  }
}

struct Counters {
  int rows, live, free;
};

struct Entry {
  int fd;                          // duplicate of the file's descriptor
  long long offset;
  std::vector<unsigned char> old;  // the bytes that were there
  long long oldSize;               // file size before the write
  int table;                       // -1: a file without a key table
  int row;
};

std::function<bool()>& RestoreHook() {
  static std::function<bool()> hook;
  return hook;
}

bool RestoreAllowed() { return !RestoreHook() || RestoreHook()(); }

std::string PathOfDescriptor(int fd) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char path[PATH_MAX];
  ssize_t n = ::readlink(link, path, sizeof path - 1);
  if (n <= 0) return "a record file";
  return std::string(path, static_cast<size_t>(n));
}

struct Journal {
  int depth = 0;
  // What the outermost scope found: the counters of every table and the
  // counters kept beside them.
  Counters counters[kTables];
  int nextTransId, scouts, adults, subunits;
  int passbooks[3];
  int nextNumbers[9];
  std::vector<Entry> entries;
  // One duplicate descriptor per file (device, inode): it stays valid when
  // the store closes the stream before the scope ends. They are kept from
  // one operation to the next (making and closing them cost as much as a
  // posting's writes) until the year's files are closed; a file replaced
  // under its name has another inode, and the one kept cannot be reused
  // while its descriptor is open.
  std::map<std::pair<dev_t, ino_t>, int> fds;
  // The size of each kept-open record file seen, by the stream's
  // descriptor, followed through the writes: only RecIO writes those files,
  // each write is journaled and none of them is closed during an operation,
  // so the file's size is asked once per operation. (Files opened for a
  // single use may get a closed one's descriptor: they are asked each time.)
  struct Seen {
    int fd;          // the stream's own descriptor
    int dupFd;
    long long size;  // as the journaled writes leave it
  };
  std::vector<Seen> seen;

  void Begin() {
    Clear();
    for (int t = 0; t < kTables; ++t)
      Visit(t, [&](auto& table, auto, FILE*) { counters[t] = {table.rowCount, table.liveCount, table.freeCount}; });
    nextTransId = NextTransId;
    scouts = ScoutCount;
    adults = AdultCount;
    subunits = SubunitCount;
    for (int i = 0; i < 3; ++i) passbooks[i] = PassbookCount[i];
    for (int i = 0; i < 9; ++i) nextNumbers[i] = AcctClassTable[i].nextFree;
  }

  void Clear() {
    entries.clear();
    seen.clear();
  }

  void CloseFiles() {
    for (auto& [key, fd] : fds) ::close(fd);
    fds.clear();
  }

  // Puts the old bytes back; returns the descriptors where that failed.
  std::vector<int> RestoreBytes() {
    std::vector<int> failed;
    auto fail = [&failed](int fd) {
      if (std::find(failed.begin(), failed.end(), fd) == failed.end()) failed.push_back(fd);
    };
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      const Entry& e = *it;
      if (!e.old.empty()) {
        ssize_t put = RestoreAllowed() ? ::pwrite(e.fd, e.old.data(), e.old.size(), static_cast<off_t>(e.offset)) : -1;
        if (put != static_cast<ssize_t>(e.old.size())) fail(e.fd);
      }
      struct stat st;
      if (::fstat(e.fd, &st) != 0) {
        fail(e.fd);
      } else if (st.st_size > e.oldSize) {
        if (!RestoreAllowed() || ::ftruncate(e.fd, static_cast<off_t>(e.oldSize)) != 0) fail(e.fd);
      }
    }
    // Only the files this operation wrote are synced.
    std::vector<int> written;
    for (const Entry& e : entries)
      if (std::find(written.begin(), written.end(), e.fd) == written.end()) written.push_back(e.fd);
    for (int fd : written)
      if (::fsync(fd) != 0) fail(fd);
    return failed;
  }

  // Reads key row `row` of table `t` back from its record through `fd`; a
  // row the file no longer holds is emptied.
  static void ReloadRow(int t, int row, int fd) {
    Visit(t, [&](auto& table, auto rec, FILE*) {
      using Rec = decltype(rec);
      constexpr int size = RecordSize<Rec>::value;
      if (row < 0 || static_cast<size_t>(row) >= table.keys.size()) return;
      auto& key = table.keys[static_cast<size_t>(row)];
      BYTE buf[size];
      if (row < table.rowCount &&
          ::pread(fd, buf, size, static_cast<off_t>(size) * row) == static_cast<ssize_t>(size)) {
        Unpack(buf, rec);
        key = KeyFromRecord(rec);
      } else {
        key = {};
      }
    });
  }

  // After a failed restore the rows of table `t` are those the file holds
  // (up to the capacity), not those of the scope's start.
  static void RowsFromDisk(int t, int fd) {
    Visit(t, [&](auto& table, auto rec, FILE*) {
      constexpr long long size = RecordSize<decltype(rec)>::value;
      struct stat st;
      if (::fstat(fd, &st) == 0)
        table.rowCount = static_cast<int>(std::min<long long>(st.st_size / size, Capacity(t)));
    });
  }
  // ... and its live and free counts those of its rows.
  static void CountLive(int t) {
    Visit(t, [&](auto& table, auto, FILE*) {
      if (t == kBudget) return;
      int live = 0;
      for (int r = 0; r < table.rowCount; ++r) live += IsLive(table.keys[static_cast<size_t>(r)]) ? 1 : 0;
      table.liveCount = live;
      table.freeCount = InitialFree(t) - live;
    });
  }

  void Rollback() {
    DropRecordReadCopies();
    std::vector<int> failed = RestoreBytes();
    // Every touched row, with a descriptor of its file, once.
    std::vector<std::pair<int, int>> rows;  // (table, row)
    std::vector<int> tableFd(kTables, -1);
    for (const Entry& e : entries) {
      if (e.table < 0) continue;
      rows.emplace_back(e.table, e.row);
      tableFd[static_cast<size_t>(e.table)] = e.fd;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    for (int t = 0; t < kTables; ++t)
      Visit(t, [&](auto& table, auto, FILE*) {
        table.rowCount = counters[t].rows;
        table.liveCount = counters[t].live;
        table.freeCount = counters[t].free;
      });
    NextTransId = nextTransId;
    ScoutCount = scouts;
    AdultCount = adults;
    SubunitCount = subunits;
    for (int i = 0; i < 3; ++i) PassbookCount[i] = passbooks[i];
    for (int i = 0; i < 9; ++i) AcctClassTable[i].nextFree = nextNumbers[i];

    std::vector<bool> badTable(kTables, false);
    for (int t = 0; t < kTables; ++t) {
      int fd = tableFd[static_cast<size_t>(t)];
      if (fd >= 0 && std::find(failed.begin(), failed.end(), fd) != failed.end()) {
        badTable[static_cast<size_t>(t)] = true;
        RowsFromDisk(t, fd);
      }
    }
    for (auto [t, row] : rows) ReloadRow(t, row, tableFd[static_cast<size_t>(t)]);
    if (!failed.empty()) {
      for (int t = 0; t < kTables; ++t)
        if (badTable[static_cast<size_t>(t)]) CountLive(t);
      if (badTable[kMember]) {
        ScoutCount = AdultCount = SubunitCount = 0;
        for (int r = 0; r < MemberTable.rowCount; ++r) {
          const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
          if (k.status == kStatusDeleted) continue;
          if (k.type == 0) ++ScoutCount;
          else if (k.type == 1) ++AdultCount;
          else if (k.type == 2) ++SubunitCount;
        }
        CountPassbookMembers();
      }
      if (badTable[kTrans]) {
        for (int r = 0; r < TransTable.rowCount; ++r)
          NextTransId = std::max<int>(NextTransId, TransTable.keys[static_cast<size_t>(r)].id + 1);
      }
      if (badTable[kAcct]) UpdateNextAcctNumbers();
    }
    std::vector<bool> sorted(kTables, false);
    for (auto [t, row] : rows) {
      if (sorted[static_cast<size_t>(t)]) continue;
      sorted[static_cast<size_t>(t)] = true;
      SortTable(t);
    }
    // The support lines sort by the dates of their transactions.
    if (sorted[kTrans] && !sorted[kSupport]) SortSupportLines();

    for (int fd : failed) {
      std::string text = "The failed change could not be undone in " + PathOfDescriptor(fd) +
                         ". The data integrity check will run when this fiscal year is opened next.";
      DispMessage(text.c_str(), MSG_FATAL);
    }
    if (!failed.empty()) MarkYearForIntegrityCheck();
  }
};

Journal& TheJournal() {
  static Journal journal;
  return journal;
}

}  // namespace

namespace store_undo_test {
void SetRestoreHook(std::function<bool()> hook) { RestoreHook() = std::move(hook); }
void Reset() { RestoreHook() = nullptr; }
}  // namespace store_undo_test

StoreUndo::StoreUndo() : outer_(TheJournal().depth == 0) {
  Journal& j = TheJournal();
  ++j.depth;
  if (outer_) {
    j.Begin();
    SetRecordWriteObserver(StoreUndoBeforeWrite);
    ForgetDataFolderRoom();
    ForgetRecentRecordReads();
  }
}

StoreUndo::~StoreUndo() {
  Journal& j = TheJournal();
  --j.depth;
  if (!outer_) return;
  SetRecordWriteObserver(nullptr);
  if (!keep_) j.Rollback();
  j.Clear();
  ForgetDataFolderRoom();
  ForgetRecentRecordReads();
}

void StoreUndoForgetFiles() {
  // Between operations only: an open scope still needs its descriptors.
  if (TheJournal().depth == 0) TheJournal().CloseFiles();
}

int StoreUndo::Keep(int ok) {
  if (ok) keep_ = true;
  return ok;
}

void StoreUndoBeforeWrite(FILE* file, long long offset, int size) {
  Journal& j = TheJournal();
  if (j.depth == 0 || file == nullptr || size <= 0) return;
  int fd = fileno(file);
  const int table = TableOfFile(file);
  const bool keptOpen = table >= 0 && table != kSchedule;
  auto seen = std::find_if(j.seen.begin(), j.seen.end(), [fd](const Journal::Seen& s) { return s.fd == fd; });
  if (!keptOpen || seen == j.seen.end()) {
    if (seen != j.seen.end()) j.seen.erase(seen);
    struct stat st;
    if (::fstat(fd, &st) != 0) return;
    auto key = std::make_pair(st.st_dev, st.st_ino);
    auto found = j.fds.find(key);
    int dupFd;
    if (found == j.fds.end()) {
      dupFd = ::dup(fd);
      if (dupFd < 0) return;
      j.fds.emplace(key, dupFd);
    } else {
      dupFd = found->second;
    }
    j.seen.push_back({fd, dupFd, static_cast<long long>(st.st_size)});
    seen = j.seen.end() - 1;
  }
  const int dupFd = seen->dupFd;
  const long long fileSize = seen->size;
  // Should this write be refused the file stays shorter than noted: the
  // earliest entry of each file holds its true size, and the undo, going
  // backwards, cuts the file to it last.
  seen->size = std::max(fileSize, offset + size);
  Entry e;
  e.fd = dupFd;
  e.offset = offset;
  e.oldSize = fileSize;
  e.table = table;
  e.row = static_cast<int>(offset / size);
  if (offset < fileSize) {
    long long n = std::min<long long>(size, fileSize - offset);
    e.old.resize(static_cast<size_t>(n));
    if (n != size || !RecentRecordRead(file, offset, size, e.old.data())) {
      ssize_t got = ::pread(dupFd, e.old.data(), e.old.size(), static_cast<off_t>(offset));
      e.old.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
  }
  j.entries.push_back(std::move(e));
}
