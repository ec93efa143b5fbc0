#include "reports/RosterReport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Address.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "platform/base/Collections.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/SplitStore.h"
#include "store/TextCompare.h"

namespace {

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string E(const char* data) { return RptEscape(data ? data : ""); }

// Entries of one kind: the present ones first, then the missing ones.
struct Entries {
  std::vector<std::string> items;
  int present = 0;
  void Add(const std::string& entry) {
    items.push_back(entry);
    ++present;
  }
  std::string At(int i, const std::string& missing) const {
    return i < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(i)] : missing;
  }
};

// A member's block of roster lines.
std::vector<std::string> RosterBlock(const MemberRow& m, bool adult, bool extended, bool grouped) {
  const int w = adult ? 42 : 27, p = adult ? 25 : 17, e = adult ? 57 : 50;
  Entries address, phones, more;
  char city[256];
  FormatCityLine(m.city, m.state, m.zip, 256, city);
  for (const char* line : {m.address1, m.address2, static_cast<const char*>(city)})
    if (line[0]) address.Add(F("{%d}%s {2} ", w, E(line).c_str()));
  if (m.homePhone[0]) phones.Add(F("{4}(h) {13}%s {%d} ", E(m.homePhone).c_str(), p - 15));
  if (m.cellPhone[0]) phones.Add(F("{4}(c) {13}%s {%d} ", E(m.cellPhone).c_str(), p - 15));
  if (adult && m.workPhone[0])
    phones.Add(F("{4}(w) {13}%s {2} ", E(m.workPhone).c_str()) +
               (m.workExt[0] ? F("{6}x%s{2} ", E(m.workExt).c_str()) : std::string("{8} ")));
  if (adult && m.fax[0]) phones.Add(F("{4}(f) {13}%s {10} ", E(m.fax).c_str()));
  if (extended) {
    if (m.email[0]) more.Add(F("{2} {8}EMail: {%d}%s ", e - 10, E(m.email).c_str()));
    if (m.remarks[0]) more.Add(F("{2} {8}Rmks: {%d}%s ", e - 10, E(m.remarks).c_str()));
    if (!adult && !grouped && m.subunit[0])
      more.Add(F("{2} {8}%s: {%d}%s ", SubunitNoun, e - 10, E(m.subunit).c_str()));
  }
  const std::string noAddress = F("{%d} ", w + 2), noPhone = F("{%d} ", p + 2),
                    noMore = extended ? F("{%d} ", e + 2) : std::string();
  auto a = [&](int i) { return address.At(i, noAddress); };
  auto ph = [&](int i) { return phones.At(i, noPhone); };
  auto x = [&](int i) { return more.At(i, noMore); };
  MemberKey key = KeyOf(m);
  const std::string name = E(MemberDisplayName(key, false).c_str());
  auto wanted = [&](int n) {
    return address.present >= n - 1 || phones.present >= n || (n <= 3 && more.present >= n);
  };
  std::vector<std::string> lines;
  if (!adult) {
    char mother[64] = "", father[64] = "";
    if (m.motherFirst[0] || m.motherLast[0]) std::snprintf(mother, sizeof mother, "%s %s", m.motherFirst, m.motherLast);
    if (m.fatherFirst[0] || m.fatherLast[0]) std::snprintf(father, sizeof father, "%s %s", m.fatherFirst, m.fatherLast);
    lines.push_back(F("{29}{F1}%s {F4}{2} %s {28}%s %s", name.c_str(), ph(0).c_str(), E(mother).c_str(), x(0).c_str()));
    if (wanted(2) || father[0])
      lines.push_back(F("{2} %s %s {28}%s %s", a(0).c_str(), ph(1).c_str(), E(father).c_str(), x(1).c_str()));
    if (wanted(3)) lines.push_back(F("{2} %s %s {28} %s", a(1).c_str(), ph(2).c_str(), x(2).c_str()));
    if (wanted(4)) lines.push_back(F("{2} %s %s {28} ", a(2).c_str(), ph(3).c_str()));
  } else {
    const std::string spouse = m.spouse[0] ? F(" (%s)", E(m.spouse).c_str()) : std::string();
    lines.push_back(F("{44}{F1}%s%s {F4}{2} {25}%s %s", name.c_str(), spouse.c_str(), ph(0).c_str(), x(0).c_str()));
    for (int n = 2; n <= 3; ++n)
      if (wanted(n)) lines.push_back(F("{2} %s %s %s", a(n - 2).c_str(), ph(n - 1).c_str(), x(n - 1).c_str()));
    if (wanted(4)) lines.push_back(F("{2} %s %s ", a(2).c_str(), ph(3).c_str()));
  }
  lines.push_back(" ");
  return lines;
}

int WriteBlock(RptContext* c, const std::vector<std::string>& lines) {
  char buffer[8][256];
  int n = 0;
  for (const std::string& l : lines)
    if (n < 8) std::snprintf(buffer[n++], 256, "%s", l.c_str());
  return WriteRptLines(c, buffer, n);
}

void Fail(char* error, ErrorTextIndex index, const char* item) {
  if (!error[0]) FormatErrorText(error, 320, index, item);
}

}  // namespace

int BuildRosterReport(RptContext* c) {
  const bool grouped = RptOrder == 'Y';
  const bool extended = RptOptionH != 0;
  SetRptTitle(c, F("%s Roster", UnitNoun).c_str(), RptOptionG);
  if (!OpenRpt(c)) return 0;
  char error[320] = "";
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) Fail(error, ERR_WRITE, "R8 details");
  const std::string more = extended ? F("{2} {%d-}Extended Information", 50) : std::string();
  const std::string scoutHeaders = "{29-}Scout/Address{2} {17-}Phones{2} {28-}Parents/Guardians" + more;
  const std::string adultHeaders = "{44-}Adult (Spouse) / Address{2} {25-}Phones" +
                                   (extended ? F("{2} {%d-}Extended Information", 57) : std::string());
  const std::vector<int> members = MemberIndex(grouped);
  bool scouts = false, adults = false, haveGroup = false;
  std::string group;
  int progress = 0;
  for (int row : members) {
    if (error[0]) break;
    ReportProgress(nullptr, ++progress, static_cast<int>(members.size()));
    const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
    if (k.status != kStatusLive || k.type > 1 || (RptOptionD & (1 << k.type)) == 0) continue;
    MemberRow m;
    if (!ReadReportMember(row, &m)) {
      Fail(error, ERR_READ, "R8 scout");
      break;
    }
    bool ok = true;
    if (k.type == 0 && !scouts) {
      scouts = true;
      SetRptColumnHeaders(c, {scoutHeaders.c_str()});
      ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    }
    if (k.type == 1 && !adults) {
      adults = true;
      SetRptColumnHeaders(c, {adultHeaders.c_str()});
      // With a page per group the adults' group change below starts their page.
      if (!(RptOptionG && grouped && scouts))
        ok = RptPageFull(c, 7) ? NeedRptLines(c, 7) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    }
    if (ok && grouped) {
      const std::string name = SubunitGroupName(m.subunit);
      if (!haveGroup || CompareNoCase(name.c_str(), group.c_str()) != 0) {
        if (RptOptionG && haveGroup)
          ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
        haveGroup = true;
        group = name;
        if (ok && k.type == 0) ok = WriteSubunitHeader(c, group.c_str(), 3) != 0;
      }
    }
    const std::vector<std::string> block = RosterBlock(m, k.type == 1, extended, grouped);
    // Room for the whole block, so that it never runs into the footer.
    if (ok) NeedRptLines(c, static_cast<int>(block.size()));
    if (!ok || !WriteBlock(c, block)) Fail(error, ERR_WRITE, "R8 details");
  }
  CloseRpt(c);
  if (error[0]) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  return 1;
}

int BuildPassbookBalancesReport(RptContext* c) {
  CResAudit audit;
  const bool grouped = RptOrder == 'Y';
  const bool reserves = HasReserveAccounts() != 0;
  SetRptTitle(c, "Passbook Balances", RptOptionG);
  SetRptSubtitle(c, F("%s - %s", FormatDateLong(RptFirstDate, DF_YYYYMMDD), FormatDateLong(RptSecondDate, DF_YYYYMMDD))
                        .c_str());
  std::string head1 = "{27} {1} {9}Opening{1} {9}Income /{1} {9}Ending";
  std::string head2 = "{27}???????? {1} {9}Balance{1} {9}(Expense){1} {9}Balance";
  std::string rules = "{27-}";
  const int columns = reserves ? 5 : 3;
  if (reserves) {
    head1 += "{1} {9}Reserved{1} {9}Available";
    head2 += "{1} {9}Funds{1} {9}Funds";
  }
  std::string ruleLine = "{27} ";
  for (int i = 0; i < columns; ++i) {
    rules += "{1} {9-}";
    ruleLine += "{1} {9-}";
  }
  const char* lineFormat = "%s{1} {9r}%s{1} {9r}%s{1} {9r}%s{1} {9r}%s{1}%c{0} {9r}%s{1}%c";
  const char* totalsFormat = "%s{1} {9r}%s{1} {9r}%s{1} {9r}%s{1} {9r}%s{1} {0} {9r}%s{1} ";
  char error[320] = "";
  auto fields = [&](long long opening, long long ending, long long reserved, std::string out[5]) {
    out[0] = FormatRptAmount(opening, 9);
    out[1] = FormatRptAmount(ending - opening, 9);
    out[2] = FormatRptAmount(ending, 9);
    out[3] = reserves ? FormatRptAmount(reserved, 9) : std::string();
    out[4] = reserves ? FormatRptAmount(ending - reserved, 9) : std::string();
  };
  const std::vector<int> members = MemberIndex(grouped);
  int types = 0;
  for (int t = 0; t <= 2; ++t) types += (RptOptionD >> t) & 1;
  const int total = types * static_cast<int>(members.size());
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !OpenReserveFile()) {
    CloseRpt(c);
    return 0;
  }
  long long unit[3] = {0, 0, 0};
  int progress = 0, typesDone = 0;
  for (int type = 0; type <= 2 && !error[0]; ++type) {
    if ((RptOptionD & (1 << type)) == 0) continue;
    std::string second = head2;
    const std::size_t q = second.find('?');
    const std::string word = MemberTypeWord(type);
    second.replace(q, std::min<std::size_t>(word.size(), 8), word);
    second.erase(std::remove(second.begin(), second.end(), '?'), second.end());
    SetRptColumnHeaders(c, {head1.c_str(), second.c_str(), rules.c_str()});
    long long sums[3] = {0, 0, 0}, group[3] = {0, 0, 0};
    bool ok;
    if (!RptOptionG)
      ok = RptPageFull(c, 4) ? NeedRptLines(c, 4) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else if (typesDone == 0)
      ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else
      ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    ++typesDone;
    if (!ok) {
      Fail(error, ERR_WRITE, "R10 summary");
      break;
    }
    bool haveGroup = false;
    int written = 0;
    std::string current;
    for (int row : members) {
      ReportProgress(nullptr, ++progress, total > 0 ? total : 1);
      const MemberKey& k = MemberTable.keys[static_cast<std::size_t>(row)];
      if (k.status == kStatusDeleted || k.passbook == 0 || k.type != type) continue;
      MemberRow m;
      if (!ReadReportMember(row, &m)) {
        Fail(error, ERR_READ, "R10 data");
        break;
      }
      if (!MemberActiveOn(m, RptSecondDate)) continue;
      int opening = 0, ending = 0, reserved = 0;
      if (!SumPassbook(row, -1, RptFirstDate, RptSecondDate, &opening, &ending, &reserved)) {
        std::snprintf(error, sizeof error, " ");  // shown by the store
        break;
      }
      if (grouped) {
        const std::string name = SubunitGroupName(m.subunit);
        if (!haveGroup || CompareNoCase(name.c_str(), current.c_str()) != 0) {
          ok = true;
          if (type == 0 && haveGroup) ok = WriteSubunitTotals(c, 27, 1, 9, group, reserves ? 3 : 2, totalsFormat);
          group[0] = group[1] = group[2] = 0;
          if (ok && RptOptionG && haveGroup && type != 2)
            ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
          if (ok && type == 0) ok = WriteSubunitHeader(c, name.c_str(), 3) != 0;
          haveGroup = true;
          current = name;
          if (!ok) {
            std::snprintf(error, sizeof error, " ");
            break;
          }
        }
      }
      NeedRptLines(c, 3);
      for (long long* s : {group, sums, unit}) {
        s[0] += opening;
        s[1] += ending;
        s[2] += reserved;
      }
      char mark = ' ';
      if (reserves && audit.IsNegative(row)) {
        mark = '*';
        CStringArray notes;
        GetReserveFootnotes(0, &notes);
        char lines[4][256];
        for (int i = 0; i < 4; ++i)
          std::snprintf(lines[i], 256, "%s", i < notes.GetSize() ? static_cast<const char*>(notes[i]) : "");
        SetRptNotes(c, lines, 4);
      }
      std::string f[5];
      fields(opening, ending, reserved, f);
      const std::string name = "{27}" + RptEscape(MemberDisplayName(k, false));
      const std::string line = F(lineFormat, name.c_str(), f[0].c_str(), f[1].c_str(), f[2].c_str(), f[3].c_str(),
                                 mark, f[4].c_str(), mark);
      if (!WriteRptText(c, line.c_str())) {
        Fail(error, ERR_WRITE, "R10 summary");
        break;
      }
      ++written;
    }
    if (error[0]) break;
    if (grouped && type == 0 && written > 0 &&
        !WriteSubunitTotals(c, 27, 1, 9, group, reserves ? 3 : 2, totalsFormat)) {
      std::snprintf(error, sizeof error, " ");
      break;
    }
    if (NeedRptLines(c, 3)) {
      std::string f[5];
      fields(sums[0], sums[1], sums[2], f);
      const std::string label = F("{27r}%5s Totals:", MemberTypeWord(type));
      const std::string line =
          F(totalsFormat, label.c_str(), f[0].c_str(), f[1].c_str(), f[2].c_str(), f[3].c_str(), f[4].c_str());
      if (!WriteRptLines(c, {ruleLine.c_str(), line.c_str(), " "})) Fail(error, ERR_WRITE, "R10 member total");
    }
  }
  if (!error[0] && types > 1 && NeedRptLines(c, 2)) {
    std::string f[5];
    fields(unit[0], unit[1], unit[2], f);
    const std::string line =
        F(totalsFormat, "{27r}Passbook Totals:", f[0].c_str(), f[1].c_str(), f[2].c_str(), f[3].c_str(), f[4].c_str());
    if (!WriteRptLines(c, {ruleLine.c_str(), line.c_str()})) Fail(error, ERR_WRITE, "R10 unit total");
  }
  CloseRpt(c);
  CloseReserveFile();
  if (error[0] && std::strcmp(error, " ") != 0) DispMessage(error, MSG_FATAL);
  return error[0] ? 0 : 1;
}

void InstallRosterReports() {
  RegisterRptBuilder(8, BuildRosterReport);
  RegisterRptBuilder(10, BuildPassbookBalancesReport);
}
