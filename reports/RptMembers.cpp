#include "reports/RptMembers.h"

#include <algorithm>

#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "store/Queries.h"
#include "store/RecIO.h"

std::vector<int> MemberIndex(bool bySubunit) {
  const std::vector<int>& index = bySubunit ? MemberTable.byTypeSubunitName : MemberTable.byTypeName;
  const std::size_t n = std::min(index.size(), static_cast<std::size_t>(std::max(MemberTable.rowCount, 0)));
  return std::vector<int>(index.begin(), index.begin() + static_cast<std::ptrdiff_t>(n));
}

bool ReadReportMember(int row, MemberRow* member) { return ReadMemberRecord(MemberFile, member, 4, 0, row) == 1; }

std::string MemberDisplayName(const MemberKey& key, bool withMark) {
  char name[96];
  FormatPersonName(nullptr, withMark ? 1 : 0, key, nullptr, name);
  return name;
}

bool MemberActiveOn(const MemberRow& m, const char* date) {
  return DateInRange(m.dateJoined, m.dateLeft, date, DF_YYYYMMDD);
}

std::string SubunitGroupName(const char* subunit) {
  return subunit && subunit[0] ? subunit : "UNKNOWN";
}

const char* MemberTypeWord(int type) {
  return type >= 0 && type <= 2 ? MemberKindWords[type] : "";
}
