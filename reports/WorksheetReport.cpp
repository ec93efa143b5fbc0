#include "reports/WorksheetReport.h"

#include <cstdio>
#include <string>

#include "common/ErrorText.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/TextCompare.h"

namespace {

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string E(const char* data) { return RptEscape(data ? data : ""); }

}  // namespace

int BuildWorksheet(RptContext* c) {
  const bool grouped = RptOrder == 'Y';
  const bool perPage = RptOptionG != 0;
  char title[sizeof RptUserTitle + 1];
  std::snprintf(title, sizeof title, "%.*s", static_cast<int>(sizeof RptUserTitle - 1), RptUserTitle);
  SetRptTitle(c, title, RptOptionG);
  // Only filled headings become columns; a narrow sheet has room for five.
  const int columns = c->lineWidth >= kRptLandscapeWidth ? 10 : 5;
  std::string head1 = "{29} ", rules;
  for (int i = 0; i < columns; ++i) {
    char heading[sizeof RptColumnHeads[0] + 1];
    std::snprintf(heading, sizeof heading, "%.*s", static_cast<int>(sizeof RptColumnHeads[0] - 1), RptColumnHeads[i]);
    if (!heading[0]) continue;
    head1 += F("{1} {9}%s ", E(heading).c_str());
    rules += "{1} {9-}";
  }
  if (!OpenRpt(c)) return 0;
  RptFailure failure;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) failure.Stop();
  const std::vector<int> members = MemberIndex(grouped);
  RptProgress progress(static_cast<int>(members.size()));
  int lastType = -1;
  std::string lastSubunit = "==";
  bool noHeadingYet = true;
  for (int row : members) {
    if (failure.Failed()) break;
    progress.Step();
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
    if (k.status != 0 || k.type < 0 || k.type > 2 || (RptOptionD & (1 << k.type)) == 0) continue;
    MemberRow m;
    if (!ReadReportMember(row, &m)) {
      failure.Set(ERR_READ, "R13 scout");
      break;
    }
    const bool typeChanged = k.type != lastType;
    const bool subunitRecord = k.type == 2;
    const bool otherSubunit = CompareNoCase(m.subunit, lastSubunit.c_str()) != 0;
    const bool subunitChanged = grouped && !subunitRecord && otherSubunit;
    const bool newPage = (typeChanged && RptPageFull(c, 4)) || (typeChanged && perPage && !noHeadingYet) ||
                         (perPage && !subunitRecord && otherSubunit && !noHeadingYet);
    bool ok = true;
    if (typeChanged) {
      const std::string head2 = (subunitRecord ? F("{29-}%s ", MemberTypeWord(k.type))
                                               : F("{28-}%s / Phone{1} ", MemberTypeWord(k.type))) +
                                rules;
      SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
    }
    if (subunitChanged) lastSubunit = m.subunit;
    if (newPage) ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    if (ok && typeChanged && !newPage)
      ok = (lastType < 0 || WriteRptText(c, " ")) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    if (ok && subunitChanged) {
      ok = WriteSubunitHeader(c, SubunitGroupName(m.subunit).c_str(), 3) != 0;
      noHeadingYet = false;
    }
    if (ok && RptPageFull(c, 2))
      ok = EndRptPage(c, 0) && (!perPage || WriteRptBlock(c, RPT_BLOCK_TITLE)) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    if (!ok) {
      failure.Stop();
      break;
    }
    const std::string name = "{30}" + E(MemberDisplayName(k, false).c_str());
    const std::string phone = F("{4} {14}%s {11} %s", E(m.homePhone).c_str(), rules.c_str());
    if (!WriteRptLines(c, {name.c_str(), phone.c_str()})) failure.Set(ERR_WRITE, "worksheet");
    lastType = k.type;
  }
  CloseRpt(c);
  return failure.Finish();
}

void InstallWorksheetReport() { RegisterRptBuilder(13, BuildWorksheet); }
