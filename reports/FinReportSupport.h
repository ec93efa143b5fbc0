// What the financial report builders share: the first failure of a build
// kept as one text, the progress count, and quick lookups over the loaded
// year's key tables (a report at capacity would otherwise search the
// transaction table once per support line).
#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "reports/RptContext.h"
#include "store/KeyTable.h"
#include "store/Records.h"

// The first failure of a build. Engine operations report themselves: a
// build they stop is `stopped` without a text of its own.
struct RptFailure {
  char text[320] = "";
  int kind = MSG_FATAL;
  bool stopped = false;

  bool Failed() const { return stopped || text[0] != '\0'; }
  void Set(ErrorTextIndex index, const char* word, int messageKind = MSG_FATAL) {
    if (Failed()) return;
    FormatErrorText(text, sizeof text, index, word);
    kind = messageKind;
  }
  void SetText(const char* message) {
    if (Failed()) return;
    std::snprintf(text, sizeof text, "%s", message);
    kind = MSG_FATAL;
  }
  void Stop() { stopped = true; }
  // Shows the text once; 1 when the build succeeded.
  int Finish() const {
    if (text[0] != '\0') DispMessage(text, kind);
    return Failed() ? 0 : 1;
  }
};

// The shared progress window for one build: opened by the first step and
// always closed at the end, also when fewer steps were taken than counted.
class RptProgress {
 public:
  explicit RptProgress(int total);
  ~RptProgress();
  RptProgress(const RptProgress&) = delete;
  RptProgress& operator=(const RptProgress&) = delete;
  void Step();

 private:
  int total_;
  int done_ = 0;
};

// Row of each transaction id, deleted rows included (as FindTransactionRow).
std::unordered_map<LONG, int> TransRowsById();
// Calls visit(group, index, month, row) for every live support line of
// the year on an account of the income or the expense group (`index` is
// the account's place in its group, `month` its transaction's fiscal
// month, `row` the line's row), until visit gives false or the run fails.
// A line whose transaction is missing fails the run with `unmatched`.
template <class Group, class Visit>
void ForEachGroupLine(Group& income, Group& expense, RptFailure& f, const char* unmatched, Visit visit) {
  std::unordered_map<LONG, std::pair<Group*, int>> where;
  for (Group* g : {&income, &expense})
    for (int i = 0; i < g->count; ++i) where.emplace(g->accounts[static_cast<std::size_t>(i)], std::make_pair(g, i));
  const auto transRows = TransRowsById();
  for (int s = 0; s < SupportTable.rowCount && !f.Failed(); ++s) {
    const SupportKey& k = SupportTable.keys[static_cast<std::size_t>(s)];
    if (k.status == kStatusDeleted) continue;
    const auto at = where.find(k.account);
    if (at == where.end()) continue;
    const auto trans = transRows.find(k.id);
    if (trans == transRows.end()) {
      f.Set(ERR_UNMATCHED, unmatched, MSG_ERROR);
      return;
    }
    const int month = TransTable.keys[static_cast<std::size_t>(trans->second)].month;
    if (!visit(*at->second.first, static_cast<std::size_t>(at->second.second), month, s)) return;
  }
}

// Rows of the sub-accounts of each line key, in table order.
std::unordered_map<LONG, std::vector<int>> SubAccountRowsByKey();
// The filled part of a key table's index (indexes keep room for the
// table's capacity; the first rowCount entries are the rows in order).
template <class Table>
std::span<const int> IndexRows(const Table& table, const std::vector<int>& index) {
  const std::size_t n = table.rowCount < 0 ? 0 : static_cast<std::size_t>(table.rowCount);
  return std::span<const int>(index.data(), n < index.size() ? n : index.size());
}
// The account rows in report order: by name for 'A', else by number.
std::span<const int> AccountRowsInOrder(char order);
// Reads the live account `number`; 0 when it is not found or not readable.
int ReadAccountByNumber(int number, AccountRecord* record);
// The name of a class row of the class table; "" outside it.
const char* ClassRowName(LONG classRow);
// Escaped data text for a mark-up line.
std::string RptData(const char* text);
// "%s" into a std::string (the lines of the reports are built with it).
std::string RptPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes the column headers when `n` lines (the headers and the first
// lines under them) fit on the page; else starts a new page, which
// writes them. 0 when the engine failed.
int WriteHeadersWithRoom(RptContext* context, int n);
