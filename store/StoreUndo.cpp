#include "store/StoreUndo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "store/AcctClass.h"
#include "store/KeyTable.h"

namespace {

struct Snapshot {
  AcctKeyTable acct;
  BudgetKeyTable budget;
  EquipKeyTable equip;
  FriendKeyTable friends;
  ScheduleKeyTable schedule;
  MemberKeyTable member;
  LineKeyTable split, subAcct;
  SupportKeyTable support;
  TransKeyTable trans;
  int nextTransId, scouts, adults, subunits;
  int passbooks[3];
  int nextNumbers[9];

  void Take() {
    acct = AcctTable;
    budget = BudgetTable;
    equip = EquipTable;
    friends = FriendTable;
    schedule = ScheduleTable;
    member = MemberTable;
    split = SplitTable;
    subAcct = SubAcctTable;
    support = SupportTable;
    trans = TransTable;
    nextTransId = NextTransId;
    scouts = ScoutCount;
    adults = AdultCount;
    subunits = SubunitCount;
    for (int i = 0; i < 3; ++i) passbooks[i] = PassbookCount[i];
    for (int i = 0; i < 9; ++i) nextNumbers[i] = AcctClassTable[i].nextFree;
  }
  void Restore() {
    AcctTable = std::move(acct);
    BudgetTable = std::move(budget);
    EquipTable = std::move(equip);
    FriendTable = std::move(friends);
    ScheduleTable = std::move(schedule);
    MemberTable = std::move(member);
    SplitTable = std::move(split);
    SubAcctTable = std::move(subAcct);
    SupportTable = std::move(support);
    TransTable = std::move(trans);
    NextTransId = nextTransId;
    ScoutCount = scouts;
    AdultCount = adults;
    SubunitCount = subunits;
    for (int i = 0; i < 3; ++i) PassbookCount[i] = passbooks[i];
    for (int i = 0; i < 9; ++i) AcctClassTable[i].nextFree = nextNumbers[i];
  }
};

struct Entry {
  int fd;                  // duplicate of the file's descriptor
  long long offset;
  std::vector<unsigned char> old;  // the bytes that were there
  long long oldSize;       // file size before the write
};

struct Journal {
  int depth = 0;
  Snapshot snapshot;
  std::vector<Entry> entries;
  // One duplicate descriptor per file (device, inode): it stays valid when
  // the store closes the stream before the scope ends.
  std::map<std::pair<dev_t, ino_t>, int> fds;

  void Clear() {
    for (auto& [key, fd] : fds) ::close(fd);
    fds.clear();
    entries.clear();
  }
  void Undo() {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      const Entry& e = *it;
      if (!e.old.empty())
        (void)!::pwrite(e.fd, e.old.data(), e.old.size(), static_cast<off_t>(e.offset));
      struct stat st;
      if (::fstat(e.fd, &st) == 0 && st.st_size > e.oldSize)
        (void)!::ftruncate(e.fd, static_cast<off_t>(e.oldSize));
    }
    for (auto& [key, fd] : fds) ::fsync(fd);
  }
};

Journal& TheJournal() {
  static Journal journal;
  return journal;
}

}  // namespace

StoreUndo::StoreUndo() : outer_(TheJournal().depth == 0) {
  Journal& j = TheJournal();
  ++j.depth;
  if (outer_) {
    j.Clear();
    j.snapshot.Take();
  }
}

StoreUndo::~StoreUndo() {
  Journal& j = TheJournal();
  --j.depth;
  if (!outer_) return;
  if (!keep_) {
    j.Undo();
    j.snapshot.Restore();
  }
  j.Clear();
}

int StoreUndo::Keep(int ok) {
  if (ok) keep_ = true;
  return ok;
}

void StoreUndoBeforeWrite(FILE* file, long long offset, int size) {
  Journal& j = TheJournal();
  if (j.depth == 0 || file == nullptr) return;
  int fd = fileno(file);
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
  Entry e;
  e.fd = dupFd;
  e.offset = offset;
  e.oldSize = st.st_size;
  if (offset < st.st_size) {
    long long n = std::min<long long>(size, st.st_size - offset);
    e.old.resize(static_cast<size_t>(n));
    ssize_t got = ::pread(dupFd, e.old.data(), e.old.size(), static_cast<off_t>(offset));
    e.old.resize(got > 0 ? static_cast<size_t>(got) : 0);
  }
  j.entries.push_back(std::move(e));
}
