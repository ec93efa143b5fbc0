#include "reports/FinReportSupport.h"

#include <cstdarg>
#include <cstdio>

#include "common/Question.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/RecIO.h"

RptProgress::RptProgress(int total) : total_(total > 0 ? total : 1) { ReportProgress(nullptr, 0, total_); }

RptProgress::~RptProgress() {
  if (done_ < total_) ReportProgress(nullptr, total_, total_);
}

void RptProgress::Step() {
  if (done_ >= total_) return;
  ReportProgress(nullptr, ++done_, total_);
}

std::unordered_map<LONG, int> TransRowsById() {
  std::unordered_map<LONG, int> rows;
  rows.reserve(static_cast<std::size_t>(TransTable.rowCount));
  // The first row of an id wins, as a search from the top finds it.
  for (int r = TransTable.rowCount - 1; r >= 0; --r) rows[TransTable.keys[static_cast<std::size_t>(r)].id] = r;
  return rows;
}

std::unordered_map<LONG, std::vector<int>> SubAccountRowsByKey() {
  std::unordered_map<LONG, std::vector<int>> rows;
  for (int r = 0; r < SubAcctTable.rowCount; ++r) {
    const LONG key = SubAcctTable.keys[static_cast<std::size_t>(r)];
    if (key != -1) rows[key].push_back(r);
  }
  return rows;
}

std::span<const int> AccountRowsInOrder(char order) {
  return IndexRows(AcctTable, order == 'A' ? AcctTable.byName : AcctTable.byNumber);
}

int ReadAccountByNumber(int number, AccountRecord* record) {
  int pos = -1;
  if (!FindAcctIndex(number, &pos) || pos < 0 || pos >= static_cast<int>(AcctTable.byNumber.size())) return 0;
  return ReadRecord(AcctFile, *record, AcctTable.byNumber[static_cast<std::size_t>(pos)]) == 1 ? 1 : 0;
}

const char* ClassRowName(LONG classRow) {
  return classRow >= 0 && classRow < 9 ? AcctClassTable[classRow].name : "";
}

std::string RptData(const char* text) { return RptEscape(text ? text : ""); }

std::string RptPrintf(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return line;
}

int WriteHeadersWithRoom(RptContext* c, int n) {
  return RptPageFull(c, n) ? NeedRptLines(c, n) : WriteRptBlock(c, RPT_BLOCK_HEADERS);
}
