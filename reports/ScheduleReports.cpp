#include "reports/ScheduleReports.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/TextCompare.h"

namespace {

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Amount(long long cents, int width = 8) { return FormatRptAmount(cents, width); }

void SetError(char* error, int size, ErrorTextIndex index, const char* item) {
  if (!error[0]) FormatErrorText(error, static_cast<std::size_t>(size), index, item);
}

// Live schedules of `account`, in table order or in the order of an index.
std::vector<int> SchedulesOf(int account, const std::vector<int>* index = nullptr) {
  std::vector<int> rows;
  const int n = ScheduleTable.rowCount;
  for (int i = 0; i < n; ++i) {
    const int r = index ? (*index)[static_cast<std::size_t>(i)] : i;
    const ScheduleKey& k = ScheduleTable.keys[static_cast<std::size_t>(r)];
    if (k.status == kStatusLive && k.account == account) rows.push_back(r);
  }
  return rows;
}

// The participant records, in file order (the file is open).
std::vector<std::pair<int, ParticipantRecord>> Participants(bool* failed) {
  std::vector<std::pair<int, ParticipantRecord>> list;
  *failed = false;
  for (int row = 0;; ++row) {
    ParticipantRecord p;
    const int r = ReadRecord(ParticipantFile, p, row);
    if (r == -1) break;
    if (r == 0) {
      *failed = true;
      break;
    }
    if (p.scheduleRow >= 0 && p.memberRow >= 0) list.emplace_back(row, p);
  }
  return list;
}

bool TypeChosen(int type) { return type >= 0 && type <= 2 && (RptOptionD & (1 << type)) != 0; }

const MemberKey* KeyOfRow(int row) {
  return row >= 0 && row < MemberTable.rowCount ? &MemberTable.keys[static_cast<std::size_t>(row)] : nullptr;
}

std::string AccountName(int number, bool* found = nullptr) {
  int pos = -1;
  const bool ok = FindAcctIndex(number, &pos) != 0;
  if (found) *found = ok;
  return ok ? AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])].name : "";
}

int FilledSlots(const ScheduleRecord& s) {
  int n = 0;
  while (n < 60 && s.dueDates[n][0]) ++n;
  return n;
}

std::string MonthDay(const char* date) { return std::string(date + 4, 2) + "/" + std::string(date + 6, 2); }

}  // namespace

int BuildPaymentStatusReport(RptContext* c) {
  const int account = AcctCount > 0 ? AcctList[0] : 0;
  const bool grouped = RptOrder == 'Y';
  SetRptTitle(c, c->reportId == 14 ? "Dues Status" : "Scheduled Payment Status", RptOptionG);
  SetRptSubtitle(c, F("As of %s", FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  const std::string rule = "{31} {2} {14} {2} {8-}{2} {8-}{2} {8-}";
  const char* groupFormat = "%s{2} {8r}%s{2} {8r}%s{2} {8r}%s{2} {8r}%s{2} {8r}%s";
  char error[320] = "";
  if (!OpenScheduleFiles()) return 0;
  if (!OpenRpt(c)) {
    CloseScheduleFiles();
    return 0;
  }
  bool failed = false;
  const auto participants = Participants(&failed);
  if (failed) SetError(error, sizeof error, ERR_READ, "participant");
  const std::vector<int> schedules = SchedulesOf(account);
  // Who takes part in a live schedule of the account, and how many.
  std::vector<bool> takesPart(static_cast<std::size_t>(MemberTable.rowCount), false);
  int count = 0;
  for (const auto& [record, p] : participants) {
    (void)record;
    bool live = false;
    for (int s : schedules) live = live || s == p.scheduleRow;
    const MemberKey* k = KeyOfRow(p.memberRow);
    if (!live || k == nullptr) continue;
    takesPart[static_cast<std::size_t>(p.memberRow)] = true;
    if (TypeChosen(k->type)) ++count;
  }
  if (!error[0] && (!WriteRptBlock(c, RPT_BLOCK_TITLE) ||
                    !WriteRptText(c, F("{F1}{%d-}%d-%s  (%d participants){F4}", c->lineWidth, account,
                                       RptEscape(AccountName(account)).c_str(), count)
                                         .c_str())))
    SetError(error, sizeof error, ERR_WRITE, "R21 summary");

  long long grand[2] = {0, 0};
  int types = 0, progress = 0;
  const std::vector<int> members = MemberIndex(grouped);
  const int total = ((RptOptionD & 1) + ((RptOptionD >> 1) & 1) + ((RptOptionD >> 2) & 1)) * MemberTable.rowCount;
  for (int type = 0; type <= 2 && !error[0]; ++type) {
    if (!TypeChosen(type)) continue;
    const char* word = MemberTypeWord(type);
    if (type < 2)
      SetRptColumnHeaders(c, {"{31} {2} {14} {2} {8}Scheduled{2} {8}Amount{2} {8}Amount",
                              F("{31}%s {2} {14}Phone {2} {8}Amount{2} {8}Paid{2} {8}Due", word).c_str(),
                              "{31-}{2} {14-}{2} {8-}{2} {8-}{2} {8-}"});
    else
      SetRptColumnHeaders(c, {"{31} {2} {14} {2} {8}Scheduled{2} {8}Amount{2} {8}Amount",
                              F("{49}%s {8}Amount{2} {8}Paid{2} {8}Due", word).c_str(),
                              "{47-} {2} {8-}{2} {8-}{2} {8-}"});
    long long typeTotals[2] = {0, 0};
    bool ok;
    if (!RptOptionG)
      ok = RptPageFull(c, 4) ? NeedRptLines(c, 4) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else if (types == 0)
      ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else
      ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    ++types;
    if (!ok) {
      SetError(error, sizeof error, ERR_WRITE, "R21 summary");
      break;
    }
    std::string group;
    bool haveGroup = false, headingDue = false, groupShown = false;
    int groups = 0;
    long long groupTotals[2] = {0, 0};
    for (int row : members) {
      if (error[0]) break;
      ReportProgress(nullptr, ++progress, total > 0 ? total : 1);
      const MemberKey* k = KeyOfRow(row);
      if (k == nullptr || k->type != type || k->status == kStatusDeleted || k->passbook == 0 ||
          !takesPart[static_cast<std::size_t>(row)])
        continue;
      MemberRow m;
      if (!ReadReportMember(row, &m)) {
        SetError(error, sizeof error, ERR_READ, "R21 data");
        break;
      }
      if (!MemberActiveOn(m, RptSecondDate)) continue;
      if (grouped && (!haveGroup || CompareNoCase(group.c_str(), SubunitGroupName(m.subunit).c_str()) != 0)) {
        if (type == 0 && groupShown && !WriteSubunitTotals(c, 47, 2, 8, groupTotals, 2, groupFormat)) {
          std::snprintf(error, sizeof error, " ");  // shown by the engine
          break;
        }
        group = SubunitGroupName(m.subunit);
        haveGroup = true;
        groupTotals[0] = groupTotals[1] = 0;
        headingDue = true;
        groupShown = false;
      }
      long long owedSum = 0, paidSum = 0;
      bool found = false;
      for (int s : schedules) {
        int initialOwed = 0, owed = 0, initialPaid = 0, paid = 0, here = 0;
        if (!GetParticipantDues(s, -1, row, RptSecondDate, found ? 0 : 1, 1, &m, &initialOwed, &owed, &initialPaid,
                                &paid, &here)) {
          std::snprintf(error, sizeof error, "%s", " ");  // shown by the store
          break;
        }
        if (here) {
          owedSum += owed;
          paidSum += paid;
          found = true;
        }
      }
      if (error[0] || !found) continue;
      groupTotals[0] += owedSum;
      groupTotals[1] += paidSum;
      typeTotals[0] += owedSum;
      typeTotals[1] += paidSum;
      grand[0] += owedSum;
      grand[1] += paidSum;
      if (headingDue) {
        headingDue = false;
        if (RptOptionG && groups > 0 &&
            !(EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS))) {
          SetError(error, sizeof error, ERR_WRITE, "R21 summary");
          break;
        }
        ++groups;
        if (type == 0) {
          if (!WriteSubunitHeader(c, group.c_str(), 3)) {
            std::snprintf(error, sizeof error, " ");
            break;
          }
          groupShown = true;
        }
      }
      NeedRptLines(c, 3);
      const std::string line = F("{31}%s{2} {14}%s {2} {8r}%s{2} {8r}%s{2} {8r}%s",
                                 RptEscape(MemberDisplayName(*k, false)).c_str(), RptEscape(m.homePhone).c_str(),
                                 Amount(owedSum).c_str(), Amount(paidSum).c_str(), Amount(owedSum - paidSum).c_str());
      if (!WriteRptText(c, line.c_str())) SetError(error, sizeof error, ERR_WRITE, "R21 summary");
    }
    if (error[0]) break;
    if (type == 0 && groupShown && !WriteSubunitTotals(c, 47, 2, 8, groupTotals, 2, groupFormat)) {
      std::snprintf(error, sizeof error, " ");
      break;
    }
    if (NeedRptLines(c, 3)) {
      const std::string totals =
          F("{31} {2} {14r}%ss' Totals:{2} {8r}%s{2} {8r}%s{2} {8r}%s", word, Amount(typeTotals[0]).c_str(),
            Amount(typeTotals[1]).c_str(), Amount(typeTotals[0] - typeTotals[1]).c_str());
      if (!WriteRptLines(c, {rule.c_str(), totals.c_str(), " "}))
        SetError(error, sizeof error, ERR_WRITE, "R21 member total");
    }
  }
  if (!error[0] && types > 1 && NeedRptLines(c, 2)) {
    const std::string totals = F("{31} {2} {14r}Participant Totals:{2} {8r}%s{2} {8r}%s{2} {8r}%s",
                                 Amount(grand[0]).c_str(), Amount(grand[1]).c_str(), Amount(grand[0] - grand[1]).c_str());
    if (!WriteRptLines(c, {rule.c_str(), totals.c_str()})) SetError(error, sizeof error, ERR_WRITE, "R21 unit total");
  }
  CloseRpt(c);
  CloseScheduleFiles();
  if (error[0] && std::strcmp(error, " ") != 0) DispMessage(error, MSG_FATAL);
  return error[0] ? 0 : 1;
}

int BuildScheduleTrackerReport(RptContext* c) {
  const int account = AcctCount > 0 ? AcctList[0] : 0;
  // Grouping is this build's own: every schedule of the report, and every
  // rebuild after the preview, is grouped as the dialog asked.
  const bool grouped = RptOrder == 'Y';
  SetRptTitle(c, "Schedule Tracker", RptOptionG);
  SetRptSubtitle(c, F("As of %s", FormatDateLong(RptSecondDate, DF_YYYYMMDD)).c_str());
  char error[320] = "";
  if (!OpenScheduleFiles()) return 0;
  if (!OpenRpt(c)) {
    CloseScheduleFiles();
    return 0;
  }
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) SetError(error, sizeof error, ERR_WRITE, "schedule");
  int pos = -1;
  AccountRecord acct;
  if (!error[0] && (!FindAcctIndex(account, &pos) ||
                    ReadRecord(AcctFile, acct, AcctTable.byNumber[static_cast<std::size_t>(pos)]) != 1))
    SetError(error, sizeof error, ERR_READ, "account");
  char className[16];
  GetAcctClassName(account, className);
  const std::vector<int> schedules = SchedulesOf(account, &ScheduleTable.byName);
  const std::vector<int> members = MemberIndex(grouped);
  const int total = static_cast<int>(schedules.size()) * 3 * MemberTable.rowCount;
  int progress = 0;
  bool firstPrinted = true;
  for (int s : schedules) {
    if (error[0]) break;
    ScheduleRecord sched;
    if (ReadRecord(ScheduleFile, sched, s) != 1) {
      SetError(error, sizeof error, ERR_READ, "schedule");
      break;
    }
    const int n = FilledSlots(sched);
    bool same = true;
    for (int i = 1; i < n; ++i) same = same && sched.amounts[i] == sched.amounts[0];
    const int perRow = same ? 10 : 4;
    const int rows = n > 0 ? (n + perRow - 1) / perRow : 1;

    bool failed = false;
    std::vector<int> record(static_cast<std::size_t>(MemberTable.rowCount), -1);
    int count = 0;
    for (const auto& [row, p] : Participants(&failed)) {
      const MemberKey* k = KeyOfRow(p.memberRow);
      if (p.scheduleRow != s || k == nullptr || !TypeChosen(k->type)) continue;
      if (record[static_cast<std::size_t>(p.memberRow)] < 0) ++count;
      if (record[static_cast<std::size_t>(p.memberRow)] < 0) record[static_cast<std::size_t>(p.memberRow)] = row;
    }
    if (failed) {
      SetError(error, sizeof error, ERR_READ, "participant");
      break;
    }
    const std::string payments =
        same && n > 0 ? F("%-s", static_cast<const char*>(FormatDollars(sched.amounts[0], 0))) : "mixed amounts";
    const std::string head = F("{%d}Schedule: %s {5} {F4}{70}Account: %d-%s (%s)     Payments: %d at %s",
                               static_cast<int>(std::strlen(sched.name)) + 10, RptEscape(sched.name).c_str(), account,
                               RptEscape(acct.name).c_str(), className, n, payments.c_str());
    const std::string heavy = F("{%d=}", c->lineWidth);
    const std::string columns = F("{30-}Participant{2} {14-}Phone{2} {%d-}Scheduled Payments", c->lineWidth - 48);
    SetRptColumnHeaders(c, {heavy.c_str(), head.c_str(), heavy.c_str(), " ", columns.c_str()});
    if (count == 0) {
      progress += 3 * MemberTable.rowCount;
      continue;
    }
    bool ok;
    if (firstPrinted)
      ok = WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    else if (RptOptionG)
      ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
    else
      ok = RptPageFull(c, 7) ? NeedRptLines(c, 7) != 0 : WriteRptBlock(c, RPT_BLOCK_HEADERS) != 0;
    firstPrinted = false;
    if (!ok) {
      SetError(error, sizeof error, ERR_WRITE, "schedule");
      break;
    }
    bool grouping = grouped;
    bool haveGroup = false;
    std::string group;
    for (int type = 0; type <= 2 && !error[0]; ++type) {
      for (int row : members) {
        ReportProgress(nullptr, ++progress, total > 0 ? total : 1);
        const MemberKey* k = KeyOfRow(row);
        if (k == nullptr || k->type != type || k->status == kStatusDeleted || k->passbook == 0 ||
            record[static_cast<std::size_t>(row)] < 0)
          continue;
        MemberRow m;
        if (!ReadReportMember(row, &m)) {
          SetError(error, sizeof error, ERR_READ, "scout");
          break;
        }
        if (!MemberActiveOn(m, RptSecondDate)) continue;
        if (grouping) {
          const std::string name = type == 2 ? std::string("<subunits>") : SubunitGroupName(m.subunit);
          if (!haveGroup || name != group) {
            if (haveGroup) {
              const bool broke = RptOptionG ? EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) &&
                                                  WriteRptBlock(c, RPT_BLOCK_HEADERS)
                                            : NeedRptLines(c, 2) && WriteRptBlankLines(c, 2);
              if (!broke) {
                SetError(error, sizeof error, ERR_WRITE, "participant");
                break;
              }
            }
            group = name;
            haveGroup = true;
            if (!WriteSubunitHeader(c, group.c_str(), rows)) {
              std::snprintf(error, sizeof error, " ");
              break;
            }
            // The subunits' own passbooks come last: no heading follows.
            if (type == 2) grouping = false;
          }
        }
        int initialOwed = 0, owed = 0, initialPaid = 0, paid = 0, found = 0;
        if (!GetParticipantDues(s, record[static_cast<std::size_t>(row)], row, RptSecondDate, 1, 1, &m, &initialOwed,
                                &owed, &initialPaid, &paid, &found)) {
          std::snprintf(error, sizeof error, " ");
          break;
        }
        const long long credit = static_cast<long long>(paid) - initialOwed;
        std::vector<long long> cumulative(static_cast<std::size_t>(n), 0);
        for (int i = 0; i < n; ++i) {
          const bool counts = !(m.dateJoined[0] && CompareDates(sched.dueDates[i], m.dateJoined, DF_YYYYMMDD) < 0);
          cumulative[static_cast<std::size_t>(i)] =
              counts ? sched.amounts[i] + (i > 0 ? cumulative[static_cast<std::size_t>(i - 1)] : 0) : 0;
        }
        // The rows and the blank line after several rows stay together.
        NeedRptLines(c, rows > 1 ? rows + 1 : rows);
        const char mark = MemberTypeMark(k->type);
        for (int r = 0; r < rows && !error[0]; ++r) {
          std::string line;
          if (r > 0)
            line = "{48} ";
          else if (type == 2)
            line = F("{48}%c%s ", mark, RptEscape(m.subunit).c_str());
          else
            line = F("{30}%c%s, %s{2} {14}%s {2} ", mark, RptEscape(m.lastName).c_str(),
                     RptEscape(m.firstName).c_str(), RptEscape(m.homePhone).c_str());
          for (int col = 0;; ++col) {
            const int p = col * rows + r;
            if (p >= n) break;
            const char* due = sched.dueDates[p];
            const bool outside = (m.dateJoined[0] && CompareDates(due, m.dateJoined, DF_YYYYMMDD) < 0) ||
                                 (m.dateLeft[0] && CompareDates(due, m.dateLeft, DF_YYYYMMDD) > 0);
            if (col > 0) line += "{1} ";
            if (outside) {
              line += F("{%d}..........", same ? 8 : 19);
              continue;
            }
            const char* cellMark = cumulative[static_cast<std::size_t>(p)] > credit ? "__" : "p ";
            const std::string md = MonthDay(due);
            if (same)
              line += F("{8}%s%s", md.c_str(), cellMark);
            else
              line += F("{19}%s  %-s%s", md.c_str(), static_cast<const char*>(FormatDollars(sched.amounts[p], 0)),
                        cellMark);
          }
          if (!WriteRptText(c, line.c_str())) SetError(error, sizeof error, ERR_WRITE, "participant");
        }
        if (!error[0] && rows > 1 && !WriteRptText(c, " ")) SetError(error, sizeof error, ERR_WRITE, "participant");
        if (error[0]) break;
      }
    }
  }
  CloseRpt(c);
  if (error[0] && std::strcmp(error, " ") != 0) DispMessage(error, MSG_FATAL);
  CloseScheduleFiles();
  return error[0] ? 0 : 1;
}

int WriteScheduleParticipants(RptContext* c, char (*headers)[256], int scheduleRow, char* error, int errorSize) {
  std::snprintf(headers[4], 256, "{F%d}{29}Participants{3} {14}Phone{3} {8}Init Owed{3} {8}Init Paid",
                RPT_FONT_HEADING);
  std::snprintf(headers[5], 256, "{F%d}{29-}{3} {14-}{3} {8-}{3} {8-}{F%d}", RPT_FONT_HEADING, RPT_FONT_BODY);
  SetRptColumnHeaders(c, headers, 6);
  if (RptPageFull(c, 4)) {
    if (!NeedRptLines(c, 4)) return 0;
  } else if (!WriteRptLines(c, headers + 4, 2)) {
    SetError(error, errorSize, ERR_WRITE, "participant");
    return 0;
  }
  bool failed = false;
  int listed = 0;
  for (const auto& [record, p] : Participants(&failed)) {
    (void)record;
    if (p.scheduleRow != scheduleRow) continue;
    NeedRptLines(c, 1);
    MemberRow m;
    if (!ReadReportMember(p.memberRow, &m)) {
      SetError(error, errorSize, ERR_READ, "member");
      return 0;
    }
    const char mark = MemberTypeMark(m.type);
    const std::string name = m.type == 2 ? F("%c%s", mark, m.subunit) : F("%c%s, %s", mark, m.lastName, m.firstName);
    const std::string line = F("{29}%s{3} {14}%s {3} {8r}$%s{3} {8r}$%s", RptEscape(name).c_str(),
                               RptEscape(m.homePhone).c_str(), Amount(p.initialOwed, 7).c_str(),
                               Amount(p.initialPaid, 7).c_str());
    if (!WriteRptText(c, line.c_str())) {
      SetError(error, errorSize, ERR_WRITE, "participant");
      return 0;
    }
    ++listed;
  }
  if (failed) {
    SetError(error, errorSize, ERR_READ, "participant");
    return 0;
  }
  NeedRptLines(c, listed == 0 ? 2 : 1);
  if (listed == 0 && !WriteRptText(c, "{34}*** No participants identified ***")) {
    SetError(error, errorSize, ERR_WRITE, "warning");
    return 0;
  }
  if (!WriteRptText(c, " ")) {
    SetError(error, errorSize, ERR_WRITE, "blank line");
    return 0;
  }
  return 1;
}

int BuildScheduleListReport(RptContext* c) {
  SetRptTitle(c, "Schedule List", 0);
  char error[320] = "";
  if (!OpenScheduleFiles()) return 0;
  if (!OpenRpt(c)) {
    CloseScheduleFiles();
    return 0;
  }
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) SetError(error, sizeof error, ERR_WRITE, "schedule");
  const std::vector<int>& index = RptOrder == 'A' ? ScheduleTable.byName : ScheduleTable.byAccount;
  bool first = true;
  int progress = 0;
  for (int i = 0; i < ScheduleTable.rowCount && !error[0]; ++i) {
    const int s = index[static_cast<std::size_t>(i)];
    ReportProgress(nullptr, ++progress, ScheduleTable.rowCount);
    if (ScheduleTable.keys[static_cast<std::size_t>(s)].status != kStatusLive) continue;
    ScheduleRecord sched;
    if (ReadRecord(ScheduleFile, sched, s) != 1) {
      SetError(error, sizeof error, ERR_READ, "schedule");
      break;
    }
    if (RptOptionG && !first && !(EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE))) {
      SetError(error, sizeof error, ERR_WRITE, "schedule");
      break;
    }
    first = false;
    std::string accountName = "unknown account", className = "unknown type";
    int pos = -1;
    if (FindAcctIndex(sched.account, &pos)) {
      AccountRecord acct;
      accountName = AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])].name;
      if (ReadRecord(AcctFile, acct, AcctTable.byNumber[static_cast<std::size_t>(pos)]) == 1 && acct.classRow >= 0 &&
          acct.classRow < 9)
        className = AcctClassTable[acct.classRow].name;
    }
    char headers[6][256];
    std::snprintf(headers[0], 256, "{%d=}", c->lineWidth);
    std::snprintf(headers[1], 256, "{%d}%s  (%s Account:  %d - %s)", c->lineWidth, RptEscape(sched.name).c_str(),
                  className.c_str(), static_cast<int>(sched.account), RptEscape(accountName).c_str());
    std::snprintf(headers[2], 256, "{%d=}", c->lineWidth);
    std::snprintf(headers[3], 256, " ");
    std::snprintf(headers[4], 256, "{51-}Scheduled Payments");
    SetRptColumnHeaders(c, headers, 5);
    if (!(RptPageFull(c, 9) ? NeedRptLines(c, 9) : WriteRptBlock(c, RPT_BLOCK_HEADERS))) {
      SetError(error, sizeof error, ERR_WRITE, "schedule");
      break;
    }
    const int n = FilledSlots(sched);
    const int rows = (n + 3) / 4;
    for (int r = 0; r < rows && !error[0]; ++r) {
      std::string line;
      for (int col = 0; col < 4; ++col) {
        const int p = col * rows + r;
        if (p >= n) break;
        char cell[64];
        std::snprintf(cell, sizeof cell, "%s  %s", MonthDay(sched.dueDates[p]).c_str(),
                      static_cast<const char*>(FormatDollars(sched.amounts[p], 0)));
        PadString(cell, 16, ' ');
        if (col > 0) line += "   ";
        line += cell;
      }
      NeedRptLines(c, 1);
      if (!WriteRptText(c, line.c_str())) SetError(error, sizeof error, ERR_WRITE, "schedule");
    }
    if (!error[0] && !(NeedRptLines(c, 1) && WriteRptText(c, " "))) SetError(error, sizeof error, ERR_WRITE, "schedule");
    if (!error[0] && RptOptionE == 'Y') WriteScheduleParticipants(c, headers, s, error, sizeof error);
  }
  CloseRpt(c);
  if (error[0]) DispMessage(error, MSG_FATAL);
  CloseScheduleFiles();
  return error[0] ? 0 : 1;
}

void InstallScheduleReports() {
  RegisterRptBuilder(14, BuildPaymentStatusReport);
  RegisterRptBuilder(21, BuildPaymentStatusReport);
  RegisterRptBuilder(28, BuildScheduleListReport);
  RegisterRptBuilder(32, BuildScheduleTrackerReport);
}
