#include "reports/SavingsCards.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/UnitVocab.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

constexpr int kSlots = 60;

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Dollars(long long cents) { return FormatDollars(static_cast<long>(cents), 0).GetString(); }

struct Schedule {
  ScheduleRecord record;
  int count = 0;
  bool allEqual = true;
  int amountWidth = 0;
};

struct Card {
  bool unit = false;  // the unit's record card beside the member's
  int accountNumber = 0;
  std::string accountName;
  const MemberRow* member = nullptr;
  int type = 0;
};

// Cards are built side by side: a card appends to the lines it finds.
class CardBuffer {
 public:
  std::vector<std::string> lines;
  bool waiting = false;
  void Append(int i, const std::string& text) {
    if (static_cast<int>(lines.size()) <= i) lines.resize(static_cast<std::size_t>(i) + 1);
    lines[static_cast<std::size_t>(i)] += text;
  }
};

std::string CardTitle(const Card& card) {
  if (card.unit) return F("%s Savings Record", UnitNoun);
  return F("%s Savings Card", card.type == 2 ? SubunitNoun : "Personal");
}

void BuildClassicCard(const Card& card, const Schedule& s, const std::vector<std::string>& boxes, CardBuffer& b) {
  const MemberRow& m = *card.member;
  b.Append(0, F("{F%d}{%d,%d=}{3} ", 4, 37, 20));
  for (int i = 1; i <= 20; ++i) b.Append(i, "{1} ");
  for (int slot = 0; slot < 12; ++slot) b.Append(1, "{3}" + boxes[static_cast<std::size_t>(slot)]);
  b.Append(1, "{3} ");
  for (int slot = 41; slot >= 30; --slot) b.Append(20, "{3}" + boxes[static_cast<std::size_t>(slot)]);
  b.Append(20, "{3} ");
  const std::string first = Dollars(s.record.amounts[0]);
  const char* word = MemberTypeWord(card.type);
  const bool subunit = card.type == 2;
  const std::string name = subunit ? std::string() : RptEscape(F("%s %s", m.firstName, m.lastName));
  const std::string patrol = m.subunit[0] && !subunit ? "\"" + RptEscape(m.subunit) + "\"" : std::string(" ");
  std::vector<std::string> text = {
      " ",
      F("{F%d}{30c}%s{F%d}", 1, CardTitle(card).c_str(), 4),
      FormatDateLong(TodayDate, DF_YYYYMMDD),
      " ",
      F("{F%d}{30c}%s{F%d}", 1, name.c_str(), 4),
      patrol,
      F("%3d - %s", card.accountNumber, RptEscape(card.accountName).c_str()),
      " "};
  if (!card.unit) {
    text.insert(text.end(), {"This card is your record of personal", "savings.  Each number marked or",
                             s.allEqual ? F("punched amounts to %s.  Bring", first.c_str())
                                        : std::string("punched is a varied amount.  Bring"),
                             "this card with you each time", F("you make a payment.  The %s", UnitNoun),
                             "will keep an identically numbered", "card that will be marked or punched",
                             "along with yours."});
  } else {
    text.insert(text.end(), {"Each number marked or punched",
                             s.allEqual ? F("amounts to %s.  The %s", first.c_str(), word)
                                        : F("is a varied amount.  The %s", word),
                             "must present the corresponding", "Personal Savings Card each time",
                             "a payment is made.  Both cards must", "be punched at the same time.  This",
                             F("card is kept by the %s and must", UnitNoun), "be kept up-to-date at all times."});
  }
  text.insert(text.end(), {" ", " "});
  for (int line = 2; line <= 19; ++line) {
    const std::string& left = boxes[static_cast<std::size_t>(59 - (line - 2))];
    const std::string& right = boxes[static_cast<std::size_t>(12 + (line - 2))];
    b.Append(line, F("{3}%s{30c}%s {2}%s{4} ", left.c_str(), text[static_cast<std::size_t>(line - 2)].c_str(),
                     right.c_str()));
  }
}

void BuildDatedCard(const Card& card, const Schedule& s, int inRange, long long inRangeSum,
                    const std::vector<std::string>& boxes, CardBuffer& b) {
  const MemberRow& m = *card.member;
  const int w = s.allEqual ? 6 : s.amountWidth + 6;
  const int p = std::max(1, 33 / w);
  // One box per row leaves nothing to spread.
  const int gap = p > 1 ? std::max(1, (33 - p * w) / (p - 1)) : 0;
  const int pitch = w + gap;
  const int rows = (s.count + p - 1) / p;
  b.Append(0, F("{F%d}{37,%d=}{3} ", 4, rows + 8));
  for (int i = 1; i <= rows + 8; ++i) b.Append(i, "{1} ");
  std::vector<std::string> head = {F("{F%d}{35c}%s{F%d}{4} ", 1, CardTitle(card).c_str(), 4),
                                   F("{35c}%s{4} ", FormatDateLong(TodayDate, DF_YYYYMMDD))};
  if (card.type != 2)
    head.push_back(F("{F%d}{8}Name:{F%d}{27}%s %s{4} ", 1, 4, RptEscape(m.firstName).c_str(),
                     RptEscape(m.lastName).c_str()));
  head.push_back(F("{F%d}{8}%s:{F%d}{27}%s {4} ", 1, SubunitNoun, 4, RptEscape(m.subunit).c_str()));
  head.push_back(F("{F%d}{8}For:{F%d}{27}%d-%s{4} ", 1, 4, card.accountNumber, RptEscape(card.accountName).c_str()));
  const std::string detail = s.allEqual ? F("%d @ %s", inRange, Dollars(s.record.amounts[0]).c_str())
                                        : F("%d payments", inRange);
  head.push_back(F("{F%d}{8}Amount:{F%d}{27}%s (%s){4} ", 1, 4, Dollars(inRangeSum).c_str(), detail.c_str()));
  head.push_back(" ");
  for (std::size_t i = 0; i < head.size(); ++i) b.Append(static_cast<int>(i) + 1, head[i]);
  for (int r = 0; r < rows; ++r) {
    int used = 0;
    for (int c = 0; c * rows + r < s.count; ++c) {
      b.Append(8 + r, F("{%d}%s ", pitch, boxes[static_cast<std::size_t>(c * rows + r)].c_str()));
      used += pitch;
    }
    if (used < 39) b.Append(8 + r, F("{%d} ", 39 - used));
  }
}

}  // namespace

int BuildSavingsCards(RptContext* c) {
  const bool classic = RptOptionG == 1;
  const bool unitCards = RptOptionB != 0;
  RptFailure failure;
  std::vector<char> chosen(static_cast<std::size_t>(std::max(0, MemberTable.rowCount)), 0);
  for (int i = 0; i < ScoutListCount; ++i) {
    const int row = ScoutList[static_cast<std::size_t>(i)];
    if (row >= 0 && row < static_cast<int>(chosen.size())) chosen[static_cast<std::size_t>(row)] = 1;
  }
  const auto byName = IndexRows(ScheduleTable, ScheduleTable.byName);
  int live = 0;
  for (int i = 0; i < AcctCount; ++i)
    for (int row : byName) {
      const ScheduleKey& k = ScheduleTable.keys[static_cast<std::size_t>(row)];
      if (k.status == 0 && k.account == AcctList[static_cast<std::size_t>(i)]) ++live;
    }
  const std::vector<int> members = MemberIndex(RptOrder != 'N');
  if (!OpenScheduleFiles()) return 0;
  if (!OpenRpt(c)) {
    CloseScheduleFiles();
    return 0;
  }
  RptProgress progress(live * static_cast<int>(members.size()));
  CardBuffer buffer;
  auto writeOut = [&] {
    const int n = static_cast<int>(buffer.lines.size());
    if (n > 0 && NeedRptLines(c, n)) {
      bool ok = WriteRptLines(c, {" ", buffer.lines[0].c_str()}) != 0;
      for (int i = 1; i < n && ok; ++i) ok = WriteRptText(c, buffer.lines[static_cast<std::size_t>(i)].c_str()) != 0;
      if (!ok) {
        char text[320];
        FormatErrorText(text, sizeof text, ERR_WRITE, "participant");
        DispMessage(text, MSG_FATAL);  // shown at once; it stops the run
        failure.Stop();
      }
    }
    if (!failure.Failed()) WriteRptText(c, " ");
    buffer.lines.clear();
    buffer.waiting = false;
  };
  for (int i = 0; i < AcctCount && !failure.Failed(); ++i) {
    const int number = AcctList[static_cast<std::size_t>(i)];
    AccountRecord account;
    if (!ReadAccountByNumber(number, &account)) {
      failure.Set(ERR_READ, "account");
      break;
    }
    for (int row : byName) {
      if (failure.Failed()) break;
      const ScheduleKey& k = ScheduleTable.keys[static_cast<std::size_t>(row)];
      if (k.status != 0 || k.account != number) continue;
      Schedule s;
      if (ReadRecord(ScheduleFile, s.record, row) != 1) {
        failure.Set(ERR_READ, "schedule");
        break;
      }
      long long largest = 0;
      while (s.count < kSlots && s.record.dueDates[s.count][0]) {
        largest = std::max<long long>(largest, s.record.amounts[s.count]);
        if (s.record.amounts[s.count] != s.record.amounts[0]) s.allEqual = false;
        ++s.count;
      }
      s.amountWidth = static_cast<int>(std::to_string(largest).size()) + 1;
      for (int memberRow : members) {
        if (failure.Failed()) break;
        progress.Step();
        const MemberKey& key = MemberTable.keys[static_cast<std::size_t>(memberRow)];
        if (memberRow >= static_cast<int>(chosen.size()) || !chosen[static_cast<std::size_t>(memberRow)] ||
            key.status == 2 || key.passbook == 0)
          continue;
        MemberRow m;
        if (!ReadReportMember(memberRow, &m)) {
          failure.Set(ERR_READ, "member");
          break;
        }
        int initialOwed = 0, owed = 0, initialPaid = 0, paid = 0, found = 0;
        if (!GetParticipantDues(row, -1, memberRow, TodayDate, 1, 0, &m, &initialOwed, &owed, &initialPaid, &paid,
                                &found)) {
          failure.Stop();  // shown by the store
          break;
        }
        if (!found) continue;
        const long long credit = static_cast<long long>(paid) - initialOwed;
        int before = 0, inRange = 0, covered = 0;
        long long sum = 0;
        for (int slot = 0; slot < s.count; ++slot) {
          const char* due = s.record.dueDates[slot];
          if (m.dateJoined[0] && std::strcmp(due, m.dateJoined) < 0) {
            ++before;
          } else if (!m.dateLeft[0] || std::strcmp(due, m.dateLeft) <= 0) {
            ++inRange;
            sum += s.record.amounts[slot];
            if (sum <= credit) ++covered;
          }
        }
        std::vector<std::string> boxes(kSlots, "..");
        for (int b = before; b < before + inRange && b < s.count; ++b) {
          const bool marked = b < before + covered;
          if (classic) {
            boxes[static_cast<std::size_t>(b)] = marked ? "p " : F("%2.2d", b + 1);
          } else {
            char date[16] = "";
            FormatDate(s.record.dueDates[b], DF_YYYYMMDD, DF_MM_DD_SPLIT, date);
            std::string text = date;
            if (!s.allEqual) text += " " + Dollars(s.record.amounts[b]);
            boxes[static_cast<std::size_t>(b)] = text + (marked ? "p " : "__");
          }
        }
        Card card;
        card.accountNumber = number;
        card.accountName = account.name;
        card.member = &m;
        card.type = key.type;
        auto build = [&](const Card& which) {
          if (classic) BuildClassicCard(which, s, boxes, buffer);
          else BuildDatedCard(which, s, inRange, sum, boxes, buffer);
        };
        build(card);
        if (unitCards) {
          Card unit = card;
          unit.unit = true;
          build(unit);
          writeOut();
        } else if (buffer.waiting) {
          writeOut();
        } else {
          buffer.waiting = true;
        }
      }
      // Dated cards of different schedules differ in height: never paired.
      if (!classic && buffer.waiting && !failure.Failed()) writeOut();
    }
  }
  if (buffer.waiting && !failure.Failed()) writeOut();
  CloseRpt(c);
  CloseScheduleFiles();
  return failure.Finish();
}

void InstallSavingsCards() { RegisterRptBuilder(33, BuildSavingsCards); }
