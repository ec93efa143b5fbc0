#include "reports/RptSelection.h"

#include <cstring>
#include <new>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/KeyTable.h"

std::vector<int> AcctList;
int AcctCount = 0;
std::vector<int> Type1Acts;
int Type1Count = 0;
std::vector<int> Type1Used;
std::vector<int> Type2Acts;
int Type2Count = 0;
std::vector<int> Type2Used;
std::vector<int> ScoutList;
int ScoutListCount = 0;
std::vector<int> ScoutActiv;
std::vector<int> EquipList;
int EquipCount = 0;
int RptConditionList[4] = {0, 1, 2, 3};
std::vector<long long> Type1Activ[13];
std::vector<long long> Type2Activ[13];
std::vector<std::string> RptCategory1List;
std::vector<std::string> RptCategory2List;
long long Type1Totals[13] = {};
long long Type2Totals[13] = {};

char RptFirstDate[9] = "";
char RptSecondDate[9] = "";
char RptOrder = 'A';
char RptTransOrder = 'D';
char RptGroupBy = 'N';
int RptMonth = 0;
int RptFirstMonth = 0;
int RptOptionA = 0, RptOptionB = 0, RptOptionC = 0, RptOptionD = 0;
char RptOptionE = 'N', RptOptionF = 'N';
int RptOptionG = 0, RptOptionH = 0;
char RptIdFrom[12] = "";
char RptIdTo[12] = "";
char RptUserTitle[32] = "";
char RptColumnHeads[10][9] = {};
char RptAddressLines[5][35] = {};

namespace {

template <typename T>
bool Allocate(std::vector<T>& table, int size, const char* name) {
  try {
    table.assign(size > 0 ? size : 0, T{});
    return true;
  } catch (const std::bad_alloc&) {
    char text[128];
    FormatErrorText(text, sizeof text, ERR_ALLOC, name);
    DispMessage(text, MSG_FATAL);
    return false;
  }
}

}  // namespace

int AllocRptTables(int reportId) {
  const int accounts = AcctCapacity > AcctTable.rowCount ? AcctCapacity : AcctTable.rowCount;
  const int members = MemberCapacity > MemberTable.rowCount ? MemberCapacity : MemberTable.rowCount;
  const int equipment = EquipCapacity > EquipTable.rowCount ? EquipCapacity : EquipTable.rowCount;
  if (!Allocate(AcctList, accounts, "MemErr AcctList") || !Allocate(Type2Acts, accounts, "MemErr Type2Acts") ||
      !Allocate(Type2Used, accounts, "MemErr Type2Used") || !Allocate(Type1Acts, accounts, "MemErr Type1Acts") ||
      !Allocate(Type1Used, accounts, "MemErr Type1Used") || !Allocate(ScoutList, members, "MemErr ScoutList") ||
      !Allocate(ScoutActiv, members, "MemErr ScoutActiv") || !Allocate(EquipList, equipment, "MemErr EquipList"))
    return 0;
  for (int i = 0; i < 13; ++i)
    if (!Allocate(Type2Activ[i], accounts, "MemErr Type2Activ") ||
        !Allocate(Type1Activ[i], accounts, "MemErr Type1Activ"))
      return 0;
  AcctCount = Type1Count = Type2Count = 0;
  for (int i = 0; i < 4; ++i) RptConditionList[i] = i;

  EquipCount = 0;
  // Indexes keep room for the capacity; the first rowCount entries are rows.
  for (int k = 0; k < EquipTable.rowCount && k < static_cast<int>(EquipTable.byDescription.size()); ++k)
    if (const int row = EquipTable.byDescription[static_cast<std::size_t>(k)];
        row >= 0 && row < static_cast<int>(EquipTable.keys.size()) && EquipTable.keys[row].status == 0 &&
        EquipCount < static_cast<int>(EquipList.size()))
      EquipList[EquipCount++] = row;
  if (reportId == 5) EquipCount = 4;

  ScoutListCount = 0;
  for (int k = 0; k < MemberTable.rowCount && k < static_cast<int>(MemberTable.byTypeName.size()); ++k)
    if (const int row = MemberTable.byTypeName[static_cast<std::size_t>(k)];
        row >= 0 && row < static_cast<int>(MemberTable.keys.size()) && MemberTable.keys[row].status == 0 &&
        ScoutListCount < static_cast<int>(ScoutList.size()))
      ScoutList[ScoutListCount++] = row;

  RptFirstDate[0] = RptSecondDate[0] = '\0';
  RptCategory1List.clear();
  RptCategory2List.clear();
  return 1;
}

void FreeRptTables() {
  for (auto* table : {&AcctList, &Type1Acts, &Type1Used, &Type2Acts, &Type2Used, &ScoutList, &ScoutActiv, &EquipList})
    std::vector<int>().swap(*table);
  for (int i = 0; i < 13; ++i) {
    std::vector<long long>().swap(Type1Activ[i]);
    std::vector<long long>().swap(Type2Activ[i]);
  }
  AcctCount = Type1Count = Type2Count = ScoutListCount = EquipCount = 0;
  RptCategory1List.clear();
  RptCategory2List.clear();
}

void ClearRptActivity() {
  for (int i = 0; i < 13; ++i) {
    std::fill(Type1Activ[i].begin(), Type1Activ[i].end(), 0);
    std::fill(Type2Activ[i].begin(), Type2Activ[i].end(), 0);
  }
  std::memset(Type1Totals, 0, sizeof Type1Totals);
  std::memset(Type2Totals, 0, sizeof Type2Totals);
}
