#include "reports/LabelNames.h"

#include <cstring>

#include "common/Address.h"
#include "store/Queries.h"

namespace {

// The parents' name lines; an empty last name is the scout's own.
void ParentLines(const MemberRow& m, std::vector<std::string>& lines) {
  const std::string first1 = m.fatherFirst, first2 = m.motherFirst;
  const std::string last1 = m.fatherLast[0] ? m.fatherLast : m.lastName;
  const std::string last2 = m.motherLast[0] ? m.motherLast : m.lastName;
  if (last1 == last2) {
    if (!first1.empty() && !first2.empty())
      lines.push_back(first1 + " & " + first2 + " " + last1);
    else if (!first1.empty() || !first2.empty())
      lines.push_back((first1.empty() ? first2 : first1) + " " + last1);
    else
      lines.push_back(last1);
  } else if (!first1.empty() && !first2.empty()) {
    lines.push_back(first1 + " " + last1 + " &");
    lines.push_back(first2 + " " + last2);
  } else if (!first1.empty()) {
    lines.push_back(first1 + " " + last1);
  } else if (!first2.empty()) {
    lines.push_back(first2 + " " + last2);
  } else if (!last1.empty() && !last2.empty()) {
    lines.push_back(last1 + " & " + last2);
  } else {
    lines.push_back(last1.empty() ? last2 : last1);
  }
}

}  // namespace

void BuildLabelNames(const MemberRow& m, int mode, std::vector<std::string>& lines) {
  lines.clear();
  if (m.type != 0) mode = 0;
  char name[96];
  FormatPersonName(nullptr, 0, KeyOf(m), nullptr, name);
  if (mode == 1) {
    ParentLines(m, lines);
  } else if (mode == 2) {
    lines.push_back("Parents/Guardians of");
    lines.push_back(name);
  } else if (mode != 3) {
    lines.push_back(name);
  }
  if (m.address1[0]) lines.push_back(m.address1);
  if (m.address2[0]) lines.push_back(m.address2);
  char city[64];
  FormatCityLine(m.city, m.state, m.zip, 64, city);
  if (city[0]) lines.push_back(city);
}
