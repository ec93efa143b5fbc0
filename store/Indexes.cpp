// Sorted indexes of the key tables. Each index orders the row numbers by
// the index's key, rows with equal keys in ascending row order; the keys
// are built exactly as the reports and lists expect them and compare
// ignoring the case of ASCII letters.
//
// A store calls the builder of a table after every add, change or delete,
// so each index remembers the key rows it was built from, the key of each
// row and the order it gave: a later build finds the few rows that changed
// and moves only those, which keeps a posting cheap on a year at capacity.
// An index that was changed by anyone else, or a table of which much
// changed, is built afresh.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "store/KeyTable.h"

namespace {

int Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Lower() of every byte.
struct FoldTable {
  unsigned char to[256];
  FoldTable() {
    for (int c = 0; c < 256; ++c) to[c] = static_cast<unsigned char>(Lower(static_cast<unsigned char>(c)));
  }
};
const FoldTable kFold;

// A text key: at most W - 1 characters, folded to lower case and padded
// with zero bytes, so that comparing the bytes compares the texts ignoring
// case (a text that ends first sorts first).
template <int W>
struct TextKey {
  unsigned char b[W];
  // Negative, zero or positive as the texts compare; the first eight bytes
  // are compared as one number, which settles most comparisons.
  int Compare(const TextKey& o) const {
    static_assert(W > 8);
    uint64_t x, y;
    std::memcpy(&x, b, 8);
    std::memcpy(&y, o.b, 8);
    if (x != y) return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
    return std::memcmp(b + 8, o.b + 8, W - 8);
  }
};
template <int W>
int Compare(const TextKey<W>& a, const TextKey<W>& b) {
  return a.Compare(b);
}
int Compare(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Eight bytes of a key from byte 8 x `part` on, as a number that orders as
// the bytes do (zero past the key's end).
template <int W>
uint64_t Prefix(const TextKey<W>& k, int part) {
  unsigned char bytes[8] = {};
  int from = 8 * part;
  if (from < W) std::memcpy(bytes, k.b + from, static_cast<size_t>(std::min(8, W - from)));
  uint64_t v;
  std::memcpy(&v, bytes, 8);
  return __builtin_bswap64(v);
}
uint64_t Prefix(int k, int part) {
  return part == 0 ? static_cast<uint64_t>(static_cast<int64_t>(k) - static_cast<int64_t>(INT32_MIN)) : 0;
}

// Builds a text key piece by piece as the printf formats of the keys
// would ("%-25s", "%8s", "%.3d" ...); what passes W - 1 characters is cut.
template <int W>
class KeyWriter {
 public:
  KeyWriter() { std::memset(key_.b, 0, W); }
  // A text field of at most `max` bytes (it may lack its terminator).
  KeyWriter& Text(const char* s, size_t max) {
    Append(s, Length(s, max));
    return *this;
  }
  // "%-Ns": left-aligned, blank-padded to `width`, never cut.
  KeyWriter& Left(const char* s, size_t max, int width) {
    size_t n = Length(s, max);
    Append(s, n);
    if (n < static_cast<size_t>(width)) Blanks(static_cast<size_t>(width) - n);
    return *this;
  }
  // "%-N.Ns": left-aligned in exactly `width`.
  KeyWriter& Exact(const char* s, size_t max, int width) { return Left(s, std::min<size_t>(max, width), width); }
  // "%Ns": right-aligned, blank-padded to `width`.
  KeyWriter& Right(const char* s, size_t max, int width) {
    size_t n = Length(s, max);
    if (n < static_cast<size_t>(width)) Blanks(static_cast<size_t>(width) - n);
    Append(s, n);
    return *this;
  }
  // "%.Nd" (at least `digits` digits after the sign); "%0Nd" is the same
  // with one digit fewer for a negative value.
  KeyWriter& Int(long long v, int digits) {
    unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char tmp[24];
    int n = 0;
    do {
      tmp[n++] = static_cast<char>('0' + u % 10);
      u /= 10;
    } while (u != 0);
    if (v < 0) Put('-');
    for (int i = n; i < digits; ++i) Put('0');
    while (n > 0) Put(tmp[--n]);
    return *this;
  }
  KeyWriter& ZeroPadded(long long v, int width) { return Int(v, v < 0 ? width - 1 : width); }
  KeyWriter& Char(char c) {
    Put(c);
    return *this;
  }
  const TextKey<W>& Key() const { return key_; }

 private:
  static size_t Length(const char* s, size_t max) {
    size_t n = 0;
    while (n < max && s[n]) ++n;
    return n;
  }
  // The characters that still fit, folded.
  void Append(const char* s, size_t n) {
    n = std::min(n, static_cast<size_t>(W - 1 - len_));
    for (size_t i = 0; i < n; ++i) key_.b[len_ + i] = kFold.to[static_cast<unsigned char>(s[i])];
    len_ += static_cast<int>(n);
  }
  void Blanks(size_t n) {
    n = std::min(n, static_cast<size_t>(W - 1 - len_));
    std::memset(key_.b + len_, ' ', n);
    len_ += static_cast<int>(n);
  }
  void Put(char c) {
    if (len_ < W - 1) key_.b[len_++] = kFold.to[static_cast<unsigned char>(c)];
  }
  TextKey<W> key_;
  int len_ = 0;
};

// What an index remembers of its last build.
template <class K>
struct IndexMemory {
  std::vector<K> keys;     // the key of each row
  std::vector<int> order;  // the rows in index order
};

// One build of one index over rows 0 .. n-1. `changed` lists the rows
// whose key may differ from the remembered one (every row from the
// remembered count on included), or `all` says that every row changed.
template <class K, class Make>
void BuildIndex(IndexMemory<K>& m, std::vector<int>& index, int n, bool all, const std::vector<int>& changed,
                Make make) {
  auto less = [&m](int a, int b) {
    int c = Compare(m.keys[static_cast<size_t>(a)], m.keys[static_cast<size_t>(b)]);
    return c != 0 ? c < 0 : a < b;
  };
  // The index must still be the one built last; anything else builds anew.
  bool kept = !all && m.order.size() == m.keys.size() && m.order.size() <= static_cast<size_t>(n) &&
              std::equal(m.order.begin(), m.order.end(), index.begin());
  m.keys.resize(static_cast<size_t>(n));
  if (!kept) {
    // A whole build sorts the rows with the first sixteen bytes of their
    // keys beside them: most comparisons end there, without looking up
    // the keys.
    struct Item {
      uint64_t high, low;
      int row;
    };
    std::vector<Item> items(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
      K& k = m.keys[static_cast<size_t>(r)];
      k = make(r);
      items[static_cast<size_t>(r)] = {Prefix(k, 0), Prefix(k, 1), r};
    }
    std::sort(items.begin(), items.end(), [&less](const Item& a, const Item& b) {
      if (a.high != b.high) return a.high < b.high;
      if (a.low != b.low) return a.low < b.low;
      return less(a.row, b.row);
    });
    m.order.resize(static_cast<size_t>(n));
    for (int p = 0; p < n; ++p) m.order[static_cast<size_t>(p)] = items[static_cast<size_t>(p)].row;
  } else if (!changed.empty()) {
    // The changed rows are taken out where their old keys put them (the
    // order is still sorted by those), then put in by their new keys; only
    // the stretch of the index between the first and last place touched is
    // copied out.
    const int before = static_cast<int>(m.order.size());
    size_t low = m.order.size(), high = 0;
    bool found = true;
    for (int r : changed) {
      if (r >= before) continue;
      auto at = std::lower_bound(m.order.begin(), m.order.end(), r, less);
      if (at == m.order.end() || *at != r) {
        found = false;
        break;
      }
      low = std::min(low, static_cast<size_t>(at - m.order.begin()));
      high = std::max(high, static_cast<size_t>(at - m.order.begin()) + 1);
      m.order.erase(at);
    }
    if (!found) {
      // Keys changed behind the index's back: it is built afresh.
      m.order.clear();
      m.keys.clear();
      BuildIndex(m, index, n, true, changed, make);
      return;
    }
    for (int r : changed) m.keys[static_cast<size_t>(r)] = make(r);
    for (int r : changed) {
      auto at = m.order.insert(std::lower_bound(m.order.begin(), m.order.end(), r, less), r);
      low = std::min(low, static_cast<size_t>(at - m.order.begin()));
      high = std::max(high, static_cast<size_t>(at - m.order.begin()) + 1);
    }
    // The places were noted while earlier removals had shifted the rows
    // after them: each of them lies at most one place per changed row
    // further on. Rows added or taken away shift everything after the
    // first place.
    high = std::min(m.order.size(), high + changed.size());
    if (static_cast<int>(m.order.size()) != before) high = m.order.size();
    high = std::max(high, low);
    std::copy(m.order.begin() + static_cast<std::ptrdiff_t>(low), m.order.begin() + static_cast<std::ptrdiff_t>(high),
              index.begin() + static_cast<std::ptrdiff_t>(low));
    return;
  }
  std::copy(m.order.begin(), m.order.end(), index.begin());
}

// The rows of a table whose key row differs from the one seen at the last
// build; false when so much changed (or rows went away) that every index
// is built afresh. `seen` becomes the table's rows.
template <class Row>
  requires std::is_trivially_copyable_v<Row>
bool FindChanged(const std::vector<Row>& rows, int n, std::vector<Row>& seen, std::vector<int>& changed) {
  changed.clear();
  bool few = seen.size() <= static_cast<size_t>(n);
  // Compared as bytes: a row copied unchanged is equal to the byte (its
  // padding included); anything else only costs a row moved anew. Blocks
  // of rows are compared at once: a posting changes one or two of them.
  constexpr int kBlock = 32;
  const int common = static_cast<int>(std::min(seen.size(), static_cast<size_t>(n)));
  for (int from = 0; from < n && few; from += kBlock) {
    const int to = std::min(n, from + kBlock);
    if (to <= common && std::memcmp(&rows[static_cast<size_t>(from)], &seen[static_cast<size_t>(from)],
                                    sizeof(Row) * static_cast<size_t>(to - from)) == 0)
      continue;
    for (int r = from; r < to && few; ++r) {
      if (r < common && std::memcmp(&rows[static_cast<size_t>(r)], &seen[static_cast<size_t>(r)], sizeof(Row)) == 0)
        continue;
      changed.push_back(r);
      few = changed.size() * 8 <= static_cast<size_t>(n) + 8;
    }
  }
  if (few) {
    // Only the changed rows are copied: a posting changes a few rows of a
    // table that may hold thousands.
    const size_t kept = seen.size();
    for (int r : changed)
      if (static_cast<size_t>(r) < kept) seen[static_cast<size_t>(r)] = rows[static_cast<size_t>(r)];
    seen.insert(seen.end(), rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.begin() + n);
  } else {
    seen.assign(rows.begin(), rows.begin() + n);
  }
  return few;
}

template <class Table>
bool Ready(const Table& t, const std::vector<int>& index) {
  return t.rowCount > 0 && index.size() >= static_cast<size_t>(t.rowCount);
}

// An inventory id read as a decimal number, as atol would.
long InventoryNumber(const char* id, size_t max) {
  char text[16] = {};
  std::memcpy(text, id, std::min(max, sizeof text - 1));
  return std::strtol(text, nullptr, 10);
}

}  // namespace

void SortIntKeys(int count, const int* keys, int* index) {
  if (count <= 0) return;
  std::iota(index, index + count, 0);
  std::stable_sort(index, index + count, [keys](int a, int b) { return keys[a] < keys[b]; });
}

void SortStringKeys(int count, const char* const* keyTexts, int* index) {
  if (count <= 0) return;
  std::iota(index, index + count, 0);
  std::stable_sort(index, index + count,
                   [keyTexts](int a, int b) { return CompareNoCase(keyTexts[a], keyTexts[b]) < 0; });
}

void SortLongKeys(int count, const long* keys, int* index) {
  if (count <= 0) return;
  std::iota(index, index + count, 0);
  std::stable_sort(index, index + count, [keys](int a, int b) { return keys[a] < keys[b]; });
}

void TransNumberKey(const char* number, char (&out)[9]) {
  size_t n = strnlen(number, 8);
  bool digits = number[0] != 0;
  for (const char* p = number; *p; ++p)
    if (*p < '0' || *p > '9') digits = false;
  if (digits && std::strlen(number) <= 8) {
    std::memset(out, '0', 8);
    std::memcpy(out + 8 - n, number, n);
    out[8] = 0;
  } else {
    std::memcpy(out, number, n);
    out[n] = 0;
  }
}

namespace {

struct AccountIndexes {
  std::vector<AcctKey> seen;
  IndexMemory<int> byNumber;
  IndexMemory<TextKey<29>> byName;
};
struct EquipmentIndexes {
  std::vector<EquipKey> seen;
  IndexMemory<TextKey<29>> byDescription, byDateDescription, byInventory;
};
struct FriendIndexes {
  std::vector<FriendKey> seen;
  IndexMemory<TextKey<37>> byName, byContribution;
};
struct ScheduleIndexes {
  std::vector<ScheduleKey> seen;
  IndexMemory<TextKey<26>> byName;
  IndexMemory<int> byAccount;
};
struct MemberIndexes {
  std::vector<MemberKey> seen;
  IndexMemory<TextKey<64>> byTypeName, byTypeSubunitName;
};
struct TransactionIndexes {
  std::vector<TransKey> seen;
  IndexMemory<TextKey<37>> byAcctNumberDate, byDateAcctNumber, byAcctPayeeDate;
};
// The support lines' second key is the date of their transaction: besides
// the lines, the ids and dates of the transactions are remembered.
struct IdDate {
  LONG id;
  char date[9];
  bool operator==(const IdDate& o) const { return id == o.id && std::memcmp(date, o.date, sizeof date) == 0; }
};
struct SupportIndexes {
  std::vector<SupportKey> seen;
  // No line seen at the last build has an id above this.
  LONG maxLineId = INT32_MAX;
  std::vector<IdDate> transSeen;
  IndexMemory<int> byLineKey;
  IndexMemory<TextKey<9>> byTransDate;
};

std::vector<int>& Changed() {
  static std::vector<int> changed;
  return changed;
}

}  // namespace

void SortAccounts() {
  static AccountIndexes memo;
  AcctKeyTable& t = AcctTable;
  int n = t.rowCount;
  if (!Ready(t, t.byNumber)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const AcctKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byNumber, t.byNumber, n, all, changed, [&](int r) { return static_cast<int>(key(r).number); });
  BuildIndex(memo.byName, t.byName, n, all, changed, [&](int r) {
    return KeyWriter<29>().Left(key(r).name, sizeof key(r).name, 25).Int(key(r).number, 1).Key();
  });
}

void SortEquipment() {
  static EquipmentIndexes memo;
  EquipKeyTable& t = EquipTable;
  int n = t.rowCount;
  if (!Ready(t, t.byDescription)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const EquipKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byDescription, t.byDescription, n, all, changed, [&](int r) {
    return KeyWriter<29>().Text(key(r).description, sizeof key(r).description).Key();
  });
  BuildIndex(memo.byDateDescription, t.byDateDescription, n, all, changed, [&](int r) {
    const EquipKey& k = key(r);
    return KeyWriter<29>().Text(k.purchaseDate, sizeof k.purchaseDate).Text(k.description, sizeof k.description).Key();
  });
  BuildIndex(memo.byInventory, t.byInventory, n, all, changed, [&](int r) {
    return KeyWriter<29>().Int(InventoryNumber(key(r).inventoryId, sizeof key(r).inventoryId), 6).Key();
  });
}

void SortFriends() {
  static FriendIndexes memo;
  FriendKeyTable& t = FriendTable;
  int n = t.rowCount;
  if (!Ready(t, t.byName)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const FriendKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byName, t.byName, n, all, changed, [&](int r) {
    const FriendKey& k = key(r);
    return KeyWriter<37>().Exact(k.lastName, sizeof k.lastName, 15).Exact(k.firstName, sizeof k.firstName, 11).Key();
  });
  // The largest total first, then by name.
  BuildIndex(memo.byContribution, t.byContribution, n, all, changed, [&](int r) {
    const FriendKey& k = key(r);
    return KeyWriter<37>()
        .ZeroPadded(1000000000LL - k.total, 10)
        .Exact(k.lastName, sizeof k.lastName, 15)
        .Exact(k.firstName, sizeof k.firstName, 11)
        .Key();
  });
}

void SortSchedules() {
  static ScheduleIndexes memo;
  ScheduleKeyTable& t = ScheduleTable;
  int n = t.rowCount;
  if (!Ready(t, t.byName)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const ScheduleKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byName, t.byName, n, all, changed,
             [&](int r) { return KeyWriter<26>().Text(key(r).name, sizeof key(r).name).Key(); });
  BuildIndex(memo.byAccount, t.byAccount, n, all, changed, [&](int r) { return static_cast<int>(key(r).account); });
}

void SortMembers() {
  static MemberIndexes memo;
  MemberKeyTable& t = MemberTable;
  int n = t.rowCount;
  if (!Ready(t, t.byTypeName)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const MemberKey& { return t.keys[static_cast<size_t>(r)]; };
  auto letter = [](const MemberKey& k) { return static_cast<char>('a' + ((k.type >= 0 && k.type <= 2) ? k.type : 0)); };
  BuildIndex(memo.byTypeName, t.byTypeName, n, all, changed, [&](int r) {
    const MemberKey& k = key(r);
    KeyWriter<64> w;
    w.Char(letter(k));
    if (k.type == 2) return w.Left(k.subunit, sizeof k.subunit, 29).Key();
    return w.Left(k.lastName, sizeof k.lastName, 15).Left(k.firstName, sizeof k.firstName, 11).Key();
  });
  BuildIndex(memo.byTypeSubunitName, t.byTypeSubunitName, n, all, changed, [&](int r) {
    const MemberKey& k = key(r);
    KeyWriter<64> w;
    w.Char(letter(k));
    if (k.type == 1) w.Left("Adults", 6, 29);
    else w.Left(k.subunit, sizeof k.subunit, 29);
    return w.Left(k.lastName, sizeof k.lastName, 15).Left(k.firstName, sizeof k.firstName, 11).Key();
  });
}

void SortSupportLines() {
  static SupportIndexes memo;
  SupportKeyTable& t = SupportTable;
  int n = t.rowCount;
  if (!Ready(t, t.byLineKey)) return;
  // The transactions whose id or date changed since the last build: their
  // lines' date keys are made again.
  std::vector<LONG> ids;
  int transRows = TransTable.rowCount;
  bool allDates = memo.transSeen.size() > static_cast<size_t>(transRows);
  for (int r = 0; r < transRows && !allDates; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    IdDate now{k.id, {}};
    std::memcpy(now.date, k.date, sizeof now.date);
    if (static_cast<size_t>(r) < memo.transSeen.size()) {
      IdDate& was = memo.transSeen[static_cast<size_t>(r)];
      if (was == now) continue;
      ids.push_back(was.id);
      was = now;
    } else {
      memo.transSeen.push_back(now);
    }
    ids.push_back(now.id);
    allDates = ids.size() > 16;
  }
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  if (allDates) {
    all = true;
    memo.transSeen.clear();
    for (int r = 0; r < transRows; ++r) {
      const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
      IdDate now{k.id, {}};
      std::memcpy(now.date, k.date, sizeof now.date);
      memo.transSeen.push_back(now);
    }
  } else if (!all && !ids.empty()) {
    // A transaction new since the last build (a posting) has no lines that
    // were seen then: only ids that lines already held are looked for.
    const LONG newest = memo.maxLineId;
    ids.erase(std::remove_if(ids.begin(), ids.end(), [newest](LONG id) { return id > newest; }), ids.end());
    std::sort(ids.begin(), ids.end());
    for (int r = 0; r < n && !ids.empty(); ++r)
      if (std::binary_search(ids.begin(), ids.end(), t.keys[static_cast<size_t>(r)].id)) changed.push_back(r);
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  }
  if (all) {
    memo.maxLineId = INT32_MIN;
    for (int r = 0; r < n; ++r) memo.maxLineId = std::max(memo.maxLineId, t.keys[static_cast<size_t>(r)].id);
  } else {
    for (int r : changed) memo.maxLineId = std::max(memo.maxLineId, t.keys[static_cast<size_t>(r)].id);
  }
  // Date of each transaction id: the first row holding the id, deleted
  // rows included. A whole build looks them up in a map, a few lines by
  // walking the transactions.
  std::unordered_map<LONG, int> firstRow;
  if (all) {
    firstRow.reserve(static_cast<size_t>(transRows));
    for (int r = 0; r < transRows; ++r) firstRow.emplace(TransTable.keys[static_cast<size_t>(r)].id, r);
  }
  auto dateRow = [&](LONG id) {
    if (all) {
      auto it = firstRow.find(id);
      return it == firstRow.end() ? -1 : it->second;
    }
    // The remembered ids are those of the rows now (the walk above brought
    // them up to date) and lie closer together than the rows.
    for (size_t r = 0; r < memo.transSeen.size(); ++r)
      if (memo.transSeen[r].id == id) return static_cast<int>(r);
    return -1;
  };
  auto key = [&](int r) -> const SupportKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byLineKey, t.byLineKey, n, all, changed,
             [&](int r) { return static_cast<int>(LineKey(key(r).id, key(r).line)); });
  BuildIndex(memo.byTransDate, t.byTransDate, n, all, changed, [&](int r) {
    KeyWriter<9> w;
    int tr = dateRow(key(r).id);
    if (tr >= 0) w.Text(TransTable.keys[static_cast<size_t>(tr)].date, sizeof TransKey::date);
    return w.Key();
  });
}

void SortTransactions() {
  static TransactionIndexes memo;
  TransKeyTable& t = TransTable;
  int n = t.rowCount;
  if (!Ready(t, t.byAcctNumberDate)) return;
  std::vector<int>& changed = Changed();
  bool all = !FindChanged(t.keys, n, memo.seen, changed);
  auto key = [&](int r) -> const TransKey& { return t.keys[static_cast<size_t>(r)]; };
  BuildIndex(memo.byAcctNumberDate, t.byAcctNumberDate, n, all, changed, [&](int r) {
    const TransKey& k = key(r);
    char number[9];
    TransNumberKey(k.number, number);
    return KeyWriter<37>().Int(k.account, 3).Text(number, 8).Right(k.date, sizeof k.date, 8).Key();
  });
  BuildIndex(memo.byDateAcctNumber, t.byDateAcctNumber, n, all, changed, [&](int r) {
    const TransKey& k = key(r);
    char number[9];
    TransNumberKey(k.number, number);
    return KeyWriter<37>().Right(k.date, sizeof k.date, 8).Int(k.account, 3).Text(number, 8).Key();
  });
  BuildIndex(memo.byAcctPayeeDate, t.byAcctPayeeDate, n, all, changed, [&](int r) {
    const TransKey& k = key(r);
    return KeyWriter<37>().Int(k.account, 3).Left(k.payee, sizeof k.payee, 25).Right(k.date, sizeof k.date, 8).Key();
  });
}

void FormatSortError(char* out, size_t size, int kind, const char* word) {
  static const char* const kinds[] = {"integers", "longs", "chars", "char ptrs"};
  std::snprintf(out, size, "SORT %s %s", word ? word : "???", kinds[(kind >= 0 && kind < 4) ? kind : 0]);
}
