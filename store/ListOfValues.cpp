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

struct Builder {
  ListOfValues* out;
  int count = 0;
  bool full = false;
  void Add(const char* text, int id) {
    if (count >= kListRoom) {
      full = true;
      return;
    }
    CopyText(out->texts[static_cast<size_t>(count)].data(), 32, text);
    out->ids[static_cast<size_t>(count)] = id;
    ++count;
  }
};

}  // namespace

int ListOfValues::Count() const {
  int n = 0;
  while (n < static_cast<int>(texts.size()) && texts[static_cast<size_t>(n)][0]) ++n;
  return n;
}

int GetListOfValues(const char* type, int showErrors, ListOfValues* out, const char* worksheetFile) {
  out->texts.assign(kListRoom + 1, {});
  out->ids.assign(kListRoom + 1, -1);
  Builder b{out};
  char text[256];
  std::string failure;
  int failureKind = MSG_ERROR;
  std::string t = type ? type : "";
  auto fail = [&](ErrorTextIndex index, const char* item) {
    FormatErrorText(text, index, item);
    failure = text;
  };

  auto accounts = [&](const std::function<bool(char)>& wanted, const char* word) {
    for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
      const AcctKey& k = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])];
      if (k.status == kStatusDeleted || !wanted(GetAcctClass(k.number))) continue;
      std::snprintf(text, sizeof text, "%d / %s", static_cast<int>(k.number), k.name);
      b.Add(text, k.number);
    }
    if (b.full) fail(ERR_LIST_MAX, word);
    else if (b.count == 0) fail(ERR_NONE_DEFINED, word);
  };
  auto members = [&](int type, const char* word) {
    for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
      int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted || k.type != type) continue;
      if (type == 2) std::snprintf(text, sizeof text, "%s", k.subunit);
      else std::snprintf(text, sizeof text, "%s, %s", k.lastName, k.firstName);
      b.Add(text, row);
    }
    if (b.full) fail(ERR_LIST_MAX, word);
    else if (b.count == 0) fail(ERR_NONE_DEFINED, word);
  };

  if (t == "ACCOUNT") {
    accounts([](char) { return true; }, "account");
  } else if (t == "IE-ACCT") {
    accounts([](char c) { return c == 'I' || c == 'E'; }, "income/expense account");
  } else if (t == "IER-ACCT") {
    accounts([](char c) { return c == 'I' || c == 'E' || c == 'R'; }, "account");
  } else if (t == "AL-ACCT") {
    accounts([](char c) { return c == 'A' || c == 'L'; }, "asset/liability account");
  } else if (t == "ALS-ACCT") {
    accounts([](char c) { return c == 'A' || c == 'L' || c == 'S'; }, "account");
  } else if (t == "NR-ACCT") {
    accounts([](char c) { return c != 'R' && c != 'S'; }, "non-reserve account");
  } else if (t == "R-ACCT") {
    accounts([](char c) { return c == 'R'; }, "reserve account");
  } else if (t == "ACCTTYPE") {
    for (int i = 0; i < 9; ++i) {
      const AcctClassRow& c = AcctClassTable[i];
      if (c.low >= c.userLimit) break;
      std::snprintf(text, sizeof text, "%3d-%3d %.*s", static_cast<int>(c.low), static_cast<int>(c.userLimit),
                    static_cast<int>(sizeof c.name), c.name);
      b.Add(text, i);
    }
  } else if (t == "ADULT") {
    members(1, "adult");
  } else if (t == "SCOUT") {
    members(0, "scout");
  } else if (t == "SUBUNIT") {
    members(2, SubunitWord ? SubunitWord : "subunit");
  } else if (t == "MEMBER" || t == "PASSBOOK") {
    bool passbook = t == "PASSBOOK";
    for (int pos = 0; pos < MemberTable.rowCount; ++pos) {
      int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted || (passbook && !k.passbook)) continue;
      if (passbook && k.type == 2) std::snprintf(text, sizeof text, "%c%s", MemberTypeMark(k.type), k.subunit);
      else std::snprintf(text, sizeof text, "%c%s, %s", MemberTypeMark(k.type), k.lastName, k.firstName);
      b.Add(text, row);
    }
    if (b.full) fail(ERR_LIST_MAX, "member");
    else if (b.count == 0)
      failure = passbook ? "There are no active passbook accounts" : "No scouts or adults have been entered yet";
  } else if (t == "EQUIP") {
    for (int pos = 0; pos < EquipTable.rowCount; ++pos) {
      int row = EquipTable.byDescription[static_cast<size_t>(pos)];
      const EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted) continue;
      if (k.inventoryId[0]) std::snprintf(text, sizeof text, "%s\\%s", k.description, k.inventoryId);
      else std::snprintf(text, sizeof text, "%s", k.description);
      b.Add(text, row);
    }
    if (b.full) fail(ERR_LIST_MAX, "equipment item");
    else if (b.count == 0) fail(ERR_NONE_DEFINED, "equipment item");
  } else if (t == "ECOND") {
    const char* words[] = {"Excellent", "Good", "Fair", "Poor"};
    for (int i = 0; i < 4; ++i) b.Add(words[i], i);
  } else if (t == "ECAT1" || t == "ECAT2") {
    std::vector<std::string> cats;
    for (int r = 0; r < EquipTable.rowCount && failure.empty(); ++r) {
      if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
      EquipmentRecord item;
      if (ReadRecord(EquipFile, item, r) != 1) {
        fail(ERR_READ, "equipment item");
        failureKind = MSG_FATAL;
        break;
      }
      std::string cat = t == "ECAT1" ? item.category1 : item.category2;
      if (!cat.empty() && std::find(cats.begin(), cats.end(), cat) == cats.end()) cats.push_back(cat);
    }
    std::stable_sort(cats.begin(), cats.end(),
                     [](const std::string& x, const std::string& y) { return CompareNoCase(x.c_str(), y.c_str()) < 0; });
    for (const std::string& c : cats) b.Add(c.c_str(), -1);
  } else if (t == "FRIEND") {
    for (int pos = 0; pos < FriendTable.rowCount; ++pos) {
      int row = FriendTable.byName[static_cast<size_t>(pos)];
      const FriendKey& k = FriendTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted) continue;
      std::snprintf(text, sizeof text, "%s, %s", k.lastName, k.firstName);
      b.Add(text, row);
    }
    if (b.full) fail(ERR_LIST_MAX, "friend");
    else if (b.count == 0) fail(ERR_NONE_DEFINED, "friend");
  } else if (t == "SCHED") {
    for (int pos = 0; pos < ScheduleTable.rowCount; ++pos) {
      int row = ScheduleTable.byName[static_cast<size_t>(pos)];
      const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted) continue;
      std::snprintf(text, sizeof text, "%s/%d", k.name, static_cast<int>(k.account));
      b.Add(text, row);
    }
    if (b.full) fail(ERR_LIST_MAX, "schedule");
    else if (b.count == 0) fail(ERR_NONE_DEFINED, "schedule");
  } else if (t == "SCH-ACCT") {
    if (ScheduleTable.liveCount <= 0) {
      fail(ERR_NONE_DEFINED, "schedule");
    } else {
      for (int pos = 0; pos < ScheduleTable.rowCount; ++pos) {
        const ScheduleKey& k =
            ScheduleTable.keys[static_cast<size_t>(ScheduleTable.byAccount[static_cast<size_t>(pos)])];
        if (k.status == kStatusDeleted) continue;
        bool listed = false;
        for (int i = 0; i < b.count && !listed; ++i) {
          char head[4] = {};
          std::memcpy(head, out->texts[static_cast<size_t>(i)].data(), 3);
          listed = std::atoi(head) == k.account;
        }
        if (listed) continue;
        int apos;
        const char* name = "Unknown";
        if (FindAcctIndex(k.account, &apos))
          name = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(apos)])].name;
        std::snprintf(text, sizeof text, "%d/%s", static_cast<int>(k.account), name);
        b.Add(text, k.account);
      }
      if (b.count == 0) fail(ERR_NONE_DEFINED, "scheduled account");
    }
  } else if (t == "YEAR") {
    int i = 0;
    for (FiscalYearNode* n = YearList; n; n = n->next) b.Add(n->year, i++);
  } else if (t == "WORKSHEET") {
    FILE* f = worksheetFile ? std::fopen(worksheetFile, "rb") : nullptr;
    unsigned char rec[128];
    while (f && !b.full && std::fread(rec, sizeof rec, 1, f) == 1) {
      char title[32];
      GetText(rec, 32, title);
      if (title[0]) b.Add(title, -1);
      if (b.count >= kListRoom) break;
    }
    if (f) std::fclose(f);
  } else {
    std::snprintf(text, sizeof text, "Unknown LOV type: %s", t.c_str());
    failure = text;
  }
  if (!failure.empty()) {
    if (showErrors == 1) DispMessage(failure.c_str(), failureKind);
    out->texts.clear();
    out->ids.clear();
    return 0;
  }
  return 1;
}
