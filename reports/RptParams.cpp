#include "reports/RptParams.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/TextCompare.h"

SettingsSection* RptParamSection = nullptr;
int RptParamResult = 0;
CString RptParamError;

RptLaunch::RptLaunch(int sectionNumber) {
  RptParamError.Empty();
  RptParamResult = 0;
  char name[16];
  std::snprintf(name, sizeof name, "RPT%d", sectionNumber);
  RptParamSection = OpenSettingsSection(SettingsFileName, name);
}

RptLaunch::~RptLaunch() {
  if (RptParamSection) CloseSettingsSection(RptParamSection);
  RptParamSection = nullptr;
}

int RptLaunch::Missing(const char* word) {
  char text[160];
  FormatErrorText(text, sizeof text, ERR_NONE_DEFINED, word);
  RptParamError = text;
  DispMessage(text, MSG_WARNING);
  RptParamResult = 0;
  return 0;
}

int RptLaunch::Done(bool accepted) {
  RptParamResult = accepted ? 1 : 0;
  return RptParamResult;
}

bool RptFlag(char key, bool def, const char* item) {
  char text[16] = "";
  GetSettingString(RptParamSection, key, item, def ? "Y" : "N", "%s", text);
  return text[0] == 'Y';
}

void PutRptFlag(char key, bool value, const char* item) {
  PutSettingString(RptParamSection, key, item, value ? "Y" : "N");
}

std::string RptText(char key, const char* def, const char* item) {
  char text[kSettingsValueMax + 1] = "";
  GetSettingString(RptParamSection, key, item, def, "%s", text);
  return text;
}

void PutRptText(char key, const std::string& value, const char* item) {
  PutSettingString(RptParamSection, key, item, value.c_str());
}

int RptInt(char key, int def) { return GetSettingInt(RptParamSection, key, def); }

void PutRptInt(char key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  PutSettingString(RptParamSection, key, nullptr, text);
}

namespace {

template <class Table>
bool AnyLive(const Table& table) {
  for (int i = 0; i < table.rowCount && i < static_cast<int>(table.keys.size()); ++i)
    if (table.keys[static_cast<size_t>(i)].status != 2) return true;
  return false;
}

}  // namespace

bool AnyLiveTransaction() { return AnyLive(TransTable); }
bool AnyLiveBudget() { return AnyLive(BudgetTable); }
bool AnyMember() { return AnyLive(MemberTable); }
bool AnyFriend() { return AnyLive(FriendTable); }
bool AnySchedule() { return AnyLive(ScheduleTable); }
bool AnyEquipment() { return AnyLive(EquipTable); }

bool AnyLiveAccount(const char* letters) {
  for (int i = 0; i < AcctTable.rowCount && i < static_cast<int>(AcctTable.keys.size()); ++i) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(i)];
    if (k.status == 2) continue;
    const char letter = GetAcctClass(k.number);
    if (letters == nullptr || (letter != ' ' && std::strchr(letters, letter))) return true;
  }
  return false;
}

bool SelectAcctsByClass(int kind) {
  Type1Count = Type2Count = 0;
  const size_t room = static_cast<size_t>(std::max(AcctCapacity, AcctTable.rowCount));
  Type1Acts.assign(room, 0);
  Type1Used.assign(room, 0);
  Type2Acts.assign(room, 0);
  Type2Used.assign(room, 0);
  for (const AcctClassRow& row : AcctClassTable) {
    const bool first = (kind == 1 && row.letter == 'I') || (kind == 2 && row.letter == 'A');
    const bool second = (kind == 1 && row.letter == 'E') || (kind == 2 && row.letter == 'L');
    if (!first && !second) continue;
    for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
      const int r = AcctTable.byNumber[static_cast<size_t>(pos)];
      if (r < 0 || r >= AcctTable.rowCount) continue;
      const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
      if (k.status == 2 || k.number < row.low || k.number > row.high) continue;
      std::vector<int>& acts = first ? Type1Acts : Type2Acts;
      int& count = first ? Type1Count : Type2Count;
      if (count < static_cast<int>(acts.size())) acts[static_cast<size_t>(count++)] = k.number;
    }
  }
  return Type1Count + Type2Count > 0;
}

int RptMonthIndex(const char* text) {
  for (int m = 0; m < 12; ++m)
    if (text && CompareNoCase(text, MonthAbbrs[m]) == 0) return m;
  return -1;
}
