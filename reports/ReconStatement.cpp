// Report 16: the reconciliation of one account against its statement, from
// the balancing dialog's state: the summary that explains the difference
// between the statement and the account, then the uncleared items.
#include <string>

#include "common/Dates.h"
#include "reports/FinReportSupport.h"
#include "reports/FinancialReports.h"
#include "reports/RptFormat.h"
#include "reports/RptPaging.h"
#include "store/AcctClass.h"
#include "store/ReconState.h"

namespace {

std::string Amount(long long v) { return FormatRptAmount(v, 8); }

// Calls each(item) for the uncleared items of one side, the previous
// year's list first.
template <class Fn>
void ForUncleared(const ReconContext& state, int factor, Fn&& each) {
  for (const ReconList* list : {state.previousItems, state.items}) {
    if (list == nullptr) continue;
    for (const ReconItem& item : *list) {
      if (item.row < 0) break;
      if (!item.cleared && item.factor == factor) each(item);
    }
  }
}

bool WriteGroup(RptContext* c, std::initializer_list<const char*> lines, RptFailure& f) {
  if (!NeedRptLines(c, static_cast<int>(lines.size()))) {
    f.Stop();
    return false;
  }
  if (!WriteRptLines(c, lines)) f.Set(ERR_WRITE, "R16 summary 1");
  return !f.Failed();
}

}  // namespace

int BuildReconciliationStatement(RptContext* c) {
  const auto* state = static_cast<const ReconContext*>(c->owner);
  if (state == nullptr || state->account == nullptr) return 0;
  const AccountRecord& account = *state->account;
  RptFailure f;
  SetRptTitle(c, "Reconciliation Statement", 0);
  SetRptSubtitle(c, RptPrintf("Account %d - %s (%s)", static_cast<int>(account.number), account.name,
                              ClassRowName(account.classRow))
                        .c_str());
  // The totals come from the very lists printed below, so the summary and
  // the lists always agree, whenever the dialog last recomputed its own.
  long long plus = 0, minus = 0;
  int items = 0;
  ForUncleared(*state, 1, [&](const ReconItem& item) { plus += item.amount; });
  ForUncleared(*state, -1, [&](const ReconItem& item) { minus += item.amount; });
  for (const ReconList* list : {state->previousItems, state->items})
    if (list)
      for (const ReconItem& item : *list) {
        if (item.row < 0) break;
        ++items;
      }
  RptProgress progress(items);
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) f.Stop();

  const bool asset = account.classRow >= 0 && account.classRow < 9 && AcctClassTable[account.classRow].letter == 'A';
  const char* plusLabel = asset ? "Uncleared Deposits" : "Uncleared Charges";
  const char* minusLabel = asset ? "Uncleared Withdrawals" : "Uncleared Payments";
  const long long adjusted = state->statementBalance + plus - minus;
  const long long outOfBalance = adjusted - account.currentBalance;
  if (!f.Failed()) {
    const std::string date =
        RptPrintf("{33.}Statement Date{1} {8r}%s", FormatDateShort(state->statementDate, DF_MMDDYY));
    const std::string balance = RptPrintf("{33.}Statement Balance{1} {8r}%s", Amount(state->statementBalance).c_str());
    const std::string plusLine = RptPrintf("{31.}%s{2r}(+){1} {8r}%s", plusLabel, Amount(plus).c_str());
    const std::string minusLine = RptPrintf("{31.}%s{2r}(-){1} {8r}%s", minusLabel, Amount(minus).c_str());
    const std::string adjustedLine = RptPrintf("{33.}Adjusted Statement Balance{1} {8r}%s", Amount(adjusted).c_str());
    const std::string current =
        RptPrintf("{31.}Account Balance{2r}(-){1} {8r}%s", Amount(account.currentBalance).c_str());
    const std::string out = RptPrintf("{33.}Out-of-Balance Amount{1} {8r}%s", Amount(outOfBalance).c_str());
    WriteGroup(c, {" ", date.c_str(), " "}, f) &&
        WriteGroup(c, {balance.c_str(), plusLine.c_str(), minusLine.c_str(), "{34} {8-}"}, f) &&
        WriteGroup(c, {adjustedLine.c_str(), current.c_str(), "{34} {8-}", out.c_str(), " "}, f);
  }
  for (int factor : {1, -1}) {
    if (f.Failed()) break;
    const std::string head = RptPrintf("{55-}%s", factor == 1 ? plusLabel : minusLabel);
    SetRptColumnHeaders(c, {head.c_str(), " ", "{8-}Date{1} {8-}Trans{1} {28-}Description{1} {8-}Amount"});
    if (!WriteHeadersWithRoom(c, 4)) {
      f.Stop();
      break;
    }
    long long total = 0;
    int listed = 0;
    ForUncleared(*state, factor, [&](const ReconItem& item) {
      if (f.Failed()) return;
      progress.Step();
      if (!NeedRptLines(c, 1)) {
        f.Stop();
        return;
      }
      total += item.amount;
      ++listed;
      const std::string line = RptPrintf("{8}%s {1} {8}%s {1} {28}%s {1} {8r}%s ", RptData(item.date).c_str(),
                                         RptData(item.number).c_str(), RptData(item.description).c_str(),
                                         Amount(item.amount).c_str());
      if (!WriteRptText(c, line.c_str())) f.Set(ERR_WRITE, "R16 support");
    });
    if (f.Failed()) break;
    if (!NeedRptLines(c, 3)) {
      f.Stop();
      break;
    }
    const std::string totalLine = RptPrintf("{18} {28.}Total{1} {8r}%s", Amount(total).c_str());
    const int ok = listed ? WriteRptLines(c, {"{47} {8-}", totalLine.c_str(), " "})
                          : WriteRptLines(c, {" ", "*** No uncleared transactions ***", " "});
    if (!ok) f.Set(ERR_WRITE, "R16 totals");
  }
  CloseRpt(c);
  return f.Finish();
}
