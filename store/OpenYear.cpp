// Loading a fiscal year's record files into the key tables.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/OpenYear.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"
#include "store/UnitInfo.h"

namespace {

std::function<void()>& OpenedHook() {
  static std::function<void()> hook;
  return hook;
}

struct LoadWords {
  const char* block;      // read block word
  const char* open;       // open word
  const char* buffering;  // null: the file keeps its buffering
  const char* count;      // capacity word
};

// The common loader. `take` receives each record read while the table has
// room and says whether the row was stored; it returns false to stop
// storing (sub-accounts over their live limit).
template <class Rec, class Take>
int LoadFile(FILE*& handle, const char* path, int capacity, int block, const LoadWords& w,
             bool overCapacityIsFatal, bool closeAfter, int& rowCount, Take take) {
  constexpr int size = RecordSize<Rec>::value;
  std::vector<BYTE> buf;
  try {
    buf.resize(static_cast<size_t>(block) * size);
  } catch (...) {
    ShowStoreError(ERR_ALLOC, w.block, MSG_FATAL);
    return 0;
  }
  if (handle) std::fclose(handle);
  handle = std::fopen(path, "r+b");
  if (handle == nullptr) {
    ShowStoreError(ERR_OPEN, w.open, MSG_FATAL);
    return 0;
  }
  // Every record file is unbuffered (see OpenRecordFile).
  if (std::setvbuf(handle, nullptr, _IONBF, 0) != 0) {
    DispMessage(w.buffering ? w.buffering : w.open, MSG_FATAL);
    return 0;
  }
  long total = 0;
  bool storing = true;
  for (;;) {
    size_t got = std::fread(buf.data(), size, static_cast<size_t>(block), handle);
    for (size_t i = 0; i < got; ++i) {
      ++total;
      if (rowCount < capacity && storing) {
        const BYTE* bytes = buf.data() + i * size;
        // A table that keeps one field reads it from the bytes.
        if constexpr (std::is_invocable_v<Take, const BYTE*>) {
          storing = take(bytes);
        } else {
          Rec rec;
          Unpack(bytes, rec);
          storing = take(rec);
        }
      }
    }
    if (got < static_cast<size_t>(block)) break;
  }
  int result = 1;
  if (std::ferror(handle)) {
    // A load that stops short must not pass for a whole one.
    ShowStoreError(ERR_READ, path, MSG_FATAL);
    result = 0;
  } else if (total > capacity) {
    ShowStoreError(ERR_TOO_MANY, w.count, MSG_ERROR);
    if (overCapacityIsFatal) result = 0;
  }
  if (closeAfter) {
    std::fclose(handle);
    handle = nullptr;
  }
  return result;
}

template <class Table>
void Allocate(Table& t, int capacity, int allocate, std::initializer_list<std::vector<int>*> indexes) {
  // A table never allocated yet is allocated whatever the caller says.
  if (allocate || t.keys.size() < static_cast<size_t>(capacity)) {
    t.keys.assign(static_cast<size_t>(capacity), {});
    for (auto* ix : indexes) ix->assign(static_cast<size_t>(capacity), 0);
  }
  t.rowCount = 0;
  t.liveCount = 0;
  t.freeCount = capacity;
}

// Stores one key row with its live test.
template <class Table, class Key>
void Store(Table& t, const Key& key, bool live) {
  if (live) {
    ++t.liveCount;
    --t.freeCount;
  }
  t.keys[static_cast<size_t>(t.rowCount++)] = key;
}

}  // namespace

void SetFiscalYearOpenedHook(std::function<void()> hook) { OpenedHook() = std::move(hook); }

int LoadAccountKeys(int allocate) {
  AcctKeyTable& t = AcctTable;
  Allocate(t, AcctCapacity, allocate, {&t.byNumber, &t.byName});
  LoadWords w{"account block", "account", "Account file buffering", "account"};
  int ok = LoadFile<AccountRecord>(AcctFile, AcctPath, AcctCapacity, 227, w, true, false, t.rowCount,
                                   [&](const AccountRecord& r) {
                                     Store(t, KeyOf(r), r.status != kStatusDeleted);
                                     return true;
                                   });
  if (ok) SortAccounts();
  return ok;
}

int LoadBudgetKeys(int allocate) {
  BudgetKeyTable& t = BudgetTable;
  Allocate(t, AcctCapacity, allocate, {});
  LoadWords w{"budget block", "budget", "Budget file buffering", "budget"};
  return LoadFile<BudgetRecord>(BudgetFile, BudgetPath, AcctCapacity, 292, w, false, false, t.rowCount,
                                [&](const BudgetRecord& r) {
                                  t.keys[static_cast<size_t>(t.rowCount++)] = KeyOf(r);
                                  return true;
                                });
}

int LoadEquipmentKeys(int allocate) {
  EquipKeyTable& t = EquipTable;
  Allocate(t, EquipCapacity, allocate, {&t.byDescription, &t.byDateDescription, &t.byInventory});
  LoadWords w{"equipment block", "equipment item", "Equip file buffering", "equipment item"};
  int ok = LoadFile<EquipmentRecord>(EquipFile, EquipPath, EquipCapacity, 47, w, true, false, t.rowCount,
                                     [&](const EquipmentRecord& r) {
                                       Store(t, KeyOf(r), r.status != kStatusDeleted);
                                       return true;
                                     });
  if (ok) SortEquipment();
  return ok;
}

int LoadFriendKeys(int allocate) {
  FriendKeyTable& t = FriendTable;
  Allocate(t, FriendCapacity, allocate, {&t.byName, &t.byContribution});
  LoadWords w{"friend block", "friend", "Friend file buffering", "friend"};
  int ok = LoadFile<FriendRecord>(FriendFile, FriendPath, FriendCapacity, 52, w, true, false, t.rowCount,
                                  [&](const FriendRecord& r) {
                                    Store(t, KeyOf(r), r.status != kStatusDeleted);
                                    return true;
                                  });
  if (ok) SortFriends();
  return ok;
}

int LoadScoutKeys(int allocate) {
  MemberKeyTable& t = MemberTable;
  Allocate(t, MemberCapacity, allocate, {&t.byTypeName, &t.byTypeSubunitName});
  ScoutCount = AdultCount = SubunitCount = 0;
  LoadWords w{"member block", "scout", "Scout file buffering", "member"};
  int ok = LoadFile<MemberRecord>(MemberFile, MemberPath, MemberCapacity, 32, w, true, false, t.rowCount,
                                  [&](const MemberRecord& r) {
                                    char status = static_cast<char>(r.bytes[353]);
                                    LONG type = GetI32(r.bytes + 336);
                                    bool live = status != kStatusDeleted;
                                    if (live) {
                                      if (type == 0) ++ScoutCount;
                                      else if (type == 1) ++AdultCount;
                                      else if (type == 2) ++SubunitCount;
                                    }
                                    Store(t, KeyOfRecord(r), live);
                                    return true;
                                  });
  if (ok) {
    SortMembers();
    CountPassbookMembers();
  }
  return ok;
}

int LoadSplitKeys(int allocate) {
  LineKeyTable& s = SplitTable;
  Allocate(s, SplitCapacity, allocate, {});
  s.freeCount = InitialSplitFree();
  LoadWords ws{"split block", "split", "Split file buffering", "split"};
  int ok = LoadFile<SplitRecord>(SplitFile, SplitPath, SplitCapacity, 682, ws, true, false, s.rowCount,
                                 [&](const BYTE* r) {
                                   const LONG key = GetI32(r);  // the line key leads the record
                                   Store(s, key, key != -1);
                                   return true;
                                 });
  if (!ok) return 0;
  LineKeyTable& a = SubAcctTable;
  Allocate(a, SubAcctCapacity, allocate, {});
  a.freeCount = InitialSubAcctFree();
  bool over = false;
  LoadWords wa{"subaccount block", "sub-account", nullptr, "sub-account"};
  ok = LoadFile<SubAccountRecord>(SubAcctFile, SubAcctPath, SubAcctCapacity, 682, wa, true, false, a.rowCount,
                                  [&](const BYTE* r) {
                                    const LONG key = GetI32(r);  // the line key leads the record
                                    Store(a, key, key != -1);
                                    if (a.freeCount < 0) {
                                      over = true;
                                      return false;
                                    }
                                    return true;
                                  });
  if (over) ShowStoreError(ERR_TOO_MANY, "sub-account", MSG_ERROR);
  return ok;
}

int LoadTransactionKeys(int allocate) {
  TransKeyTable& t = TransTable;
  Allocate(t, TransCapacity, allocate, {&t.byAcctNumberDate, &t.byDateAcctNumber, &t.byAcctPayeeDate});
  NextTransId = 0;
  LoadWords w{"transaction block", "transaction", "Trans file buffering", "transaction"};
  int ok = LoadFile<TransactionRecord>(TransFile, TransPath, TransCapacity, 64, w, true, false, t.rowCount,
                                       [&](const TransactionRecord& r) {
                                         Store(t, KeyOf(r), r.status != kStatusDeleted);
                                         return true;
                                       });
  // An id beyond the key range belongs to a damaged record: the next id
  // follows the others, and the record is left for the integrity check.
  int highest = 0;
  bool beyond = false;
  for (int r = 0; r < t.rowCount; ++r) {
    const LONG id = t.keys[static_cast<size_t>(r)].id;
    if (id > kMaxTransId) beyond = true;
    else highest = std::max<int>(highest, id);
  }
  if (beyond) ShowStoreError(ERR_PARSE, "transaction id (beyond the id range)", MSG_ERROR);
  NextTransId = highest + 1;
  if (ok) SortTransactions();
  return ok;
}

int LoadSupportKeys(int allocate) {
  SupportKeyTable& t = SupportTable;
  Allocate(t, SupportCapacity, allocate, {&t.byLineKey, &t.byTransDate});
  LoadWords w{"support block", "support account", "Suppt file buffering", "support account"};
  int ok = LoadFile<SupportLineRecord>(SupportFile, SupportPath, SupportCapacity, 170, w, true, false, t.rowCount,
                                       [&](const SupportLineRecord& r) {
                                         Store(t, KeyOf(r), r.status != kStatusDeleted);
                                         return true;
                                       });
  if (ok) SortSupportLines();
  return ok;
}

int LoadScheduleKeys(int allocate) {
  ScheduleKeyTable& t = ScheduleTable;
  Allocate(t, kScheduleCapacity, allocate, {&t.byName, &t.byAccount});
  LoadWords w{"schedule block", "schedule", nullptr, "schedule"};
  int ok = LoadFile<ScheduleRecord>(ScheduleFile, SchedulePath, kScheduleCapacity, 19, w, true, true, t.rowCount,
                                    [&](const ScheduleRecord& r) {
                                      Store(t, KeyOf(r), r.status != kStatusDeleted);
                                      return true;
                                    });
  if (ok) SortSchedules();
  return ok;
}

int OpenDatabase(const char* folder, const char* yy, int allocate) {
  BuildDataFileNames(folder, yy);
  int ok = ReadWriteUnitInfo(0) && LoadAccountKeys(allocate);
  if (ok) UpdateNextAcctNumbers();
  ok = ok && LoadBudgetKeys(allocate) && LoadEquipmentKeys(allocate) && LoadFriendKeys(allocate) &&
       LoadScoutKeys(allocate) && LoadSplitKeys(allocate) && LoadTransactionKeys(allocate) &&
       LoadSupportKeys(allocate) && LoadScheduleKeys(allocate);
  if (ok && !TheAcctGroupDBase().Initialize(DataFolder, AcctGroupBase)) {
    DispMessage(TheAcctGroupDBase().GetErrorText(), MSG_ERROR);
    ok = 0;
  }
  // A change that could not be undone left the year marked: the check
  // mends what it left before anything else reads the books.
  if (ok) RunPendingIntegrityCheck();
  TodayVsFiscalYear = CompareWithFiscalYear();
  if (OpenedHook()) OpenedHook()();
  return ok;
}

void CloseDataFiles() {
  StoreUndoForgetFiles();
  for (FILE** f : {&AcctFile, &BudgetFile, &EquipFile, &FriendFile, &MemberFile, &SplitFile, &SubAcctFile,
                   &SupportFile, &TransFile}) {
    if (*f) std::fclose(*f);
    *f = nullptr;
  }
}
