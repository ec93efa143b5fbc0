// Sorted indexes of the key tables. Each index is a stable sort of the row
// numbers by the index's key, so rows with equal keys keep ascending row
// order; the keys are built exactly as the reports and lists expect them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/KeyTable.h"

namespace {

int Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// A text key formatted into a fixed-width buffer, as the original builds
// them (longer results are cut at width - 1 characters).
template <typename... Args>
std::string Fixed(int width, const char* fmt, Args... args) {
  char buf[128];
  std::snprintf(buf, sizeof buf, fmt, args...);
  std::string key(buf);
  if (key.size() > static_cast<size_t>(width - 1)) key.resize(static_cast<size_t>(width - 1));
  return key;
}

void SortByText(int count, const std::vector<std::string>& keys, std::vector<int>& index) {
  std::vector<const char*> texts(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) texts[static_cast<size_t>(i)] = keys[static_cast<size_t>(i)].c_str();
  SortStringKeys(count, texts.data(), index.data());
}

void SortByInt(int count, const std::vector<int>& keys, std::vector<int>& index) {
  SortIntKeys(count, keys.data(), index.data());
}

template <class Table>
bool Ready(const Table& t, const std::vector<int>& index) {
  return t.rowCount > 0 && index.size() >= static_cast<size_t>(t.rowCount);
}

}  // namespace

int CompareNoCaseN(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    int ca = Lower(static_cast<unsigned char>(a[i]));
    int cb = Lower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
  return 0;
}

int CompareNoCase(const char* a, const char* b) { return CompareNoCaseN(a, b, SIZE_MAX); }

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

void SortAccounts() {
  AcctKeyTable& t = AcctTable;
  int n = t.rowCount;
  if (!Ready(t, t.byNumber)) return;
  std::vector<int> numbers(static_cast<size_t>(n));
  std::vector<std::string> names(static_cast<size_t>(n));
  for (int r = 0; r < n; ++r) {
    const AcctKey& k = t.keys[static_cast<size_t>(r)];
    numbers[static_cast<size_t>(r)] = k.number;
    names[static_cast<size_t>(r)] = Fixed(29, "%-25s%d", k.name, static_cast<int>(k.number));
  }
  SortByInt(n, numbers, t.byNumber);
  SortByText(n, names, t.byName);
}

void SortEquipment() {
  EquipKeyTable& t = EquipTable;
  int n = t.rowCount;
  if (!Ready(t, t.byDescription)) return;
  std::vector<std::string> desc(static_cast<size_t>(n)), dateDesc(desc), inv(desc);
  for (int r = 0; r < n; ++r) {
    const EquipKey& k = t.keys[static_cast<size_t>(r)];
    desc[static_cast<size_t>(r)] = Fixed(29, "%s", k.description);
    dateDesc[static_cast<size_t>(r)] = Fixed(29, "%s%s", k.purchaseDate, k.description);
    inv[static_cast<size_t>(r)] = Fixed(29, "%06.6ld", std::atol(k.inventoryId));
  }
  SortByText(n, desc, t.byDescription);
  SortByText(n, dateDesc, t.byDateDescription);
  SortByText(n, inv, t.byInventory);
}

void SortFriends() {
  FriendKeyTable& t = FriendTable;
  int n = t.rowCount;
  if (!Ready(t, t.byName)) return;
  std::vector<std::string> names(static_cast<size_t>(n)), contrib(names);
  for (int r = 0; r < n; ++r) {
    const FriendKey& k = t.keys[static_cast<size_t>(r)];
    names[static_cast<size_t>(r)] = Fixed(37, "%-15.15s%-11.11s", k.lastName, k.firstName);
    contrib[static_cast<size_t>(r)] =
        Fixed(37, "%010ld%-15.15s%-11.11s", 1000000000L - static_cast<long>(k.total), k.lastName, k.firstName);
  }
  SortByText(n, names, t.byName);
  SortByText(n, contrib, t.byContribution);
}

void SortSchedules() {
  ScheduleKeyTable& t = ScheduleTable;
  int n = t.rowCount;
  if (!Ready(t, t.byName)) return;
  std::vector<std::string> names(static_cast<size_t>(n));
  std::vector<int> accounts(static_cast<size_t>(n));
  for (int r = 0; r < n; ++r) {
    const ScheduleKey& k = t.keys[static_cast<size_t>(r)];
    names[static_cast<size_t>(r)] = Fixed(26, "%s", k.name);
    accounts[static_cast<size_t>(r)] = k.account;
  }
  SortByText(n, names, t.byName);
  SortByInt(n, accounts, t.byAccount);
}

void SortMembers() {
  MemberKeyTable& t = MemberTable;
  int n = t.rowCount;
  if (!Ready(t, t.byTypeName)) return;
  std::vector<std::string> byName(static_cast<size_t>(n)), bySub(byName);
  for (int r = 0; r < n; ++r) {
    const MemberKey& k = t.keys[static_cast<size_t>(r)];
    char letter = static_cast<char>('a' + ((k.type >= 0 && k.type <= 2) ? k.type : 0));
    if (k.type == 2)
      byName[static_cast<size_t>(r)] = Fixed(64, "%c%-29s", letter, k.subunit);
    else
      byName[static_cast<size_t>(r)] = Fixed(64, "%c%-15s%-11s", letter, k.lastName, k.firstName);
    bySub[static_cast<size_t>(r)] = Fixed(64, "%c%-29s%-15s%-11s", letter,
                                          k.type == 1 ? "Adults" : k.subunit, k.lastName, k.firstName);
  }
  SortByText(n, byName, t.byTypeName);
  SortByText(n, bySub, t.byTypeSubunitName);
}

void SortSupportLines() {
  SupportKeyTable& t = SupportTable;
  int n = t.rowCount;
  if (!Ready(t, t.byLineKey)) return;
  // Date of each transaction id: the first row holding the id, deleted rows
  // included.
  std::unordered_map<LONG, const char*> dates;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    dates.emplace(k.id, k.date);
  }
  std::vector<int> lineKeys(static_cast<size_t>(n));
  std::vector<std::string> transDates(static_cast<size_t>(n));
  for (int r = 0; r < n; ++r) {
    const SupportKey& k = t.keys[static_cast<size_t>(r)];
    lineKeys[static_cast<size_t>(r)] = LineKey(k.id, k.line);
    auto it = dates.find(k.id);
    transDates[static_cast<size_t>(r)] = it == dates.end() ? std::string() : Fixed(9, "%s", it->second);
  }
  SortByInt(n, lineKeys, t.byLineKey);
  SortByText(n, transDates, t.byTransDate);
}

void SortTransactions() {
  TransKeyTable& t = TransTable;
  int n = t.rowCount;
  if (!Ready(t, t.byAcctNumberDate)) return;
  std::vector<std::string> acctNum(static_cast<size_t>(n)), dateAcct(acctNum), payee(acctNum);
  for (int r = 0; r < n; ++r) {
    const TransKey& k = t.keys[static_cast<size_t>(r)];
    char number[9];
    TransNumberKey(k.number, number);
    int acct = k.account;
    acctNum[static_cast<size_t>(r)] = Fixed(37, "%.3d%s%8s", acct, number, k.date);
    dateAcct[static_cast<size_t>(r)] = Fixed(37, "%8s%.3d%s", k.date, acct, number);
    payee[static_cast<size_t>(r)] = Fixed(37, "%.3d%-25s%8s", acct, k.payee, k.date);
  }
  SortByText(n, acctNum, t.byAcctNumberDate);
  SortByText(n, dateAcct, t.byDateAcctNumber);
  SortByText(n, payee, t.byAcctPayeeDate);
}

void FormatSortError(char* out, size_t size, int kind, const char* word) {
  static const char* const kinds[] = {"integers", "longs", "chars", "char ptrs"};
  std::snprintf(out, size, "SORT %s %s", word ? word : "???", kinds[(kind >= 0 && kind < 4) ? kind : 0]);
}

void SortLongKeys(int count, const long* keys, int* index) {
  if (count <= 0) return;
  std::iota(index, index + count, 0);
  std::stable_sort(index, index + count, [keys](int a, int b) { return keys[a] < keys[b]; });
}
