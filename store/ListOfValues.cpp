// Lists of values for pick lists and combo boxes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "common/ConfigFile.h"
#include "common/UnitVocab.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"

namespace {

constexpr int kListRoom = 400;  // the largest capacity

// A list being filled: its entries, and the failure that voids it (every
// list reports its own: too many entries for the room, none at all, a read
// that failed).
struct Builder {
  explicit Builder(ListOfValues* list) : out(list) {}
  ListOfValues* out;
  int count = 0;
  bool full = false;
  std::string failure;
  int failureKind = MSG_ERROR;
  char text[256] = "";

  void Add(const char* entry, int id) {
    if (count >= kListRoom) {
      full = true;
      return;
    }
    CopyText(out->texts[static_cast<size_t>(count)].data(), 32, entry);
    out->ids[static_cast<size_t>(count)] = id;
    ++count;
  }
  void Fail(ErrorTextIndex index, const char* item) {
    char message[256];
    FormatErrorText(message, index, item);
    failure = message;
  }
  // The check most lists end with: the list overflowed its room, or found
  // nothing to offer.
  void CheckFilled(const char* word) {
    if (full) Fail(ERR_LIST_MAX, word);
    else if (count == 0) Fail(ERR_NONE_DEFINED, word);
  }
};

// "number / name" of the live accounts whose class is wanted, by number.
void AccountList(Builder& b, bool (*wanted)(char), const char* word) {
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted || !wanted(GetAcctClass(k.number))) continue;
    std::snprintf(b.text, sizeof b.text, "%d / %s", static_cast<int>(k.number), k.name);
    b.Add(b.text, k.number);
  }
  b.CheckFilled(word);
}

// The user's account number ranges of each class.
void AccountTypeList(Builder& b) {
  for (int i = 0; i < 9; ++i) {
    const AcctClassRow& c = AcctClassTable[i];
    if (c.low >= c.userLimit) break;
    std::snprintf(b.text, sizeof b.text, "%3d-%3d %.*s", static_cast<int>(c.low), static_cast<int>(c.userLimit),
                  static_cast<int>(sizeof c.name), c.name);
    b.Add(b.text, i);
  }
}

// The live members of one type by name ("last, first"; a subunit by its
// name), with their rows.
void MemberTypeList(Builder& b, int type, const char* word) {
  for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
    int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted || k.type != type) continue;
    if (type == 2) std::snprintf(b.text, sizeof b.text, "%s", k.subunit);
    else std::snprintf(b.text, sizeof b.text, "%s, %s", k.lastName, k.firstName);
    b.Add(b.text, row);
  }
  b.CheckFilled(word);
}

// Every live member (or every passbook holder), marked with its type.
void MemberList(Builder& b, bool passbook) {
  for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
    int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted || (passbook && !k.passbook)) continue;
    if (passbook && k.type == 2) std::snprintf(b.text, sizeof b.text, "%c%s", MemberTypeMark(k.type), k.subunit);
    else std::snprintf(b.text, sizeof b.text, "%c%s, %s", MemberTypeMark(k.type), k.lastName, k.firstName);
    b.Add(b.text, row);
  }
  // An empty member list says what the treasurer has to do first.
  if (b.full) b.Fail(ERR_LIST_MAX, "member");
  else if (b.count == 0)
    b.failure = passbook ? "There are no active passbook accounts" : "No scouts or adults have been entered yet";
}

// "description\inventory" of each live item, by description.
void EquipmentList(Builder& b) {
  for (int pos = 0; pos < EquipTable.rowCount; ++pos) {
    int row = EquipTable.byDescription[static_cast<size_t>(pos)];
    const EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted) continue;
    if (k.inventoryId[0]) std::snprintf(b.text, sizeof b.text, "%s\\%s", k.description, k.inventoryId);
    else std::snprintf(b.text, sizeof b.text, "%s", k.description);
    b.Add(b.text, row);
  }
  b.CheckFilled("equipment item");
}

// The categories (first or second) the live items use, once each, in
// alphabetical order regardless of case. They are only in the records.
void EquipmentCategoryList(Builder& b, bool first) {
  std::vector<std::string> cats;
  for (int r = 0; r < EquipTable.rowCount; ++r) {
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    EquipmentRecord item;
    if (ReadRecord(EquipFile, item, r) != 1) {
      b.Fail(ERR_READ, "equipment item");
      b.failureKind = MSG_FATAL;
      return;
    }
    std::string cat = first ? item.category1 : item.category2;
    if (!cat.empty() && std::find(cats.begin(), cats.end(), cat) == cats.end()) cats.push_back(cat);
  }
  std::stable_sort(cats.begin(), cats.end(),
                   [](const std::string& x, const std::string& y) { return CompareNoCase(x.c_str(), y.c_str()) < 0; });
  for (const std::string& c : cats) b.Add(c.c_str(), -1);
}

void FriendList(Builder& b) {
  for (int pos = 0; pos < FriendTable.rowCount; ++pos) {
    int row = FriendTable.byName[static_cast<size_t>(pos)];
    const FriendKey& k = FriendTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted) continue;
    std::snprintf(b.text, sizeof b.text, "%s, %s", k.lastName, k.firstName);
    b.Add(b.text, row);
  }
  b.CheckFilled("friend");
}

// "name/account" of each live schedule, by name.
void ScheduleList(Builder& b) {
  for (int pos = 0; pos < ScheduleTable.rowCount; ++pos) {
    int row = ScheduleTable.byName[static_cast<size_t>(pos)];
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted) continue;
    std::snprintf(b.text, sizeof b.text, "%s/%d", k.name, static_cast<int>(k.account));
    b.Add(b.text, row);
  }
  b.CheckFilled("schedule");
}

// The accounts that schedules use, once each ("number/name"), by account.
void ScheduledAccountList(Builder& b) {
  if (ScheduleTable.liveCount <= 0) {
    b.Fail(ERR_NONE_DEFINED, "schedule");
    return;
  }
  for (int pos = 0; pos < ScheduleTable.rowCount; ++pos) {
    const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(ScheduleTable.byAccount[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    // Several schedules may share an account: the entries' leading numbers
    // tell which accounts are listed already.
    bool listed = false;
    for (int i = 0; i < b.count && !listed; ++i) {
      char head[4] = {};
      std::memcpy(head, b.out->texts[static_cast<size_t>(i)].data(), 3);
      listed = std::atoi(head) == k.account;
    }
    if (listed) continue;
    int apos;
    const char* name = "Unknown";
    if (FindAcctIndex(k.account, &apos))
      name = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(apos)])].name;
    std::snprintf(b.text, sizeof b.text, "%d/%s", static_cast<int>(k.account), name);
    b.Add(b.text, k.account);
  }
  if (b.count == 0) b.Fail(ERR_NONE_DEFINED, "scheduled account");
}

void FiscalYearList(Builder& b) {
  int i = 0;
  for (FiscalYearNode* n = YearList; n; n = n->next) b.Add(n->year, i++);
}

// The titles of a worksheet file's records (128 bytes each, the title in
// the first 32).
void WorksheetList(Builder& b, const char* worksheetFile) {
  FILE* f = worksheetFile ? std::fopen(worksheetFile, "rb") : nullptr;
  unsigned char rec[128];
  while (f && !b.full && std::fread(rec, sizeof rec, 1, f) == 1) {
    char title[32];
    GetText(rec, 32, title);
    if (title[0]) b.Add(title, -1);
    if (b.count >= kListRoom) break;
  }
  if (f) std::fclose(f);
}

// Fills the list of a type name; false for a name no list has.
bool FillList(Builder& b, const std::string& t, const char* worksheetFile) {
  struct Accounts {
    const char* type;
    bool (*wanted)(char);
    const char* word;
  };
  static const Accounts kAccounts[] = {
      {"ACCOUNT", [](char) { return true; }, "account"},
      {"IE-ACCT", [](char c) { return c == 'I' || c == 'E'; }, "income/expense account"},
      {"IER-ACCT", [](char c) { return c == 'I' || c == 'E' || c == 'R'; }, "account"},
      {"AL-ACCT", [](char c) { return c == 'A' || c == 'L'; }, "asset/liability account"},
      {"ALS-ACCT", [](char c) { return c == 'A' || c == 'L' || c == 'S'; }, "account"},
      {"NR-ACCT", [](char c) { return c != 'R' && c != 'S'; }, "non-reserve account"},
      {"R-ACCT", [](char c) { return c == 'R'; }, "reserve account"},
  };
  for (const Accounts& a : kAccounts)
    if (t == a.type) {
      AccountList(b, a.wanted, a.word);
      return true;
    }
  if (t == "ACCTTYPE") AccountTypeList(b);
  else if (t == "ADULT") MemberTypeList(b, 1, "adult");
  else if (t == "SCOUT") MemberTypeList(b, 0, "scout");
  else if (t == "SUBUNIT") MemberTypeList(b, 2, SubunitWord ? SubunitWord : "subunit");
  else if (t == "MEMBER" || t == "PASSBOOK") MemberList(b, t == "PASSBOOK");
  else if (t == "EQUIP") EquipmentList(b);
  else if (t == "ECOND") {
    for (int i = 0; const char* word : {"Excellent", "Good", "Fair", "Poor"}) b.Add(word, i++);
  } else if (t == "ECAT1" || t == "ECAT2") EquipmentCategoryList(b, t == "ECAT1");
  else if (t == "FRIEND") FriendList(b);
  else if (t == "SCHED") ScheduleList(b);
  else if (t == "SCH-ACCT") ScheduledAccountList(b);
  else if (t == "YEAR") FiscalYearList(b);
  else if (t == "WORKSHEET") WorksheetList(b, worksheetFile);
  else return false;
  return true;
}

}  // namespace

int ListOfValues::Count() const {
  int n = 0;
  while (n < static_cast<int>(texts.size()) && texts[static_cast<size_t>(n)][0]) ++n;
  return n;
}

int GetListOfValues(const char* type, int showErrors, ListOfValues* out, const char* worksheetFile) {
  // One entry more than the room: a full list still ends in an empty text.
  out->texts.assign(kListRoom + 1, {});
  out->ids.assign(kListRoom + 1, -1);
  Builder b(out);
  const std::string t = type ? type : "";
  if (!FillList(b, t, worksheetFile)) b.failure = "Unknown LOV type: " + t;
  // A failed list is no list: the caller gets it empty.
  if (!b.failure.empty()) {
    if (showErrors == 1) DispMessage(b.failure.c_str(), b.failureKind);
    out->texts.clear();
    out->ids.clear();
    return 0;
  }
  return 1;
}
