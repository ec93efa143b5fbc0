#include "reports/RegisterReport.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "common/TempFolder.h"
#include "reports/RegisterExport.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/AccountStore.h"
#include "store/KeyTable.h"

namespace {

// The reader's limits: fields of up to 47 characters in lines of up to 511.
constexpr std::size_t kFieldWidth = 47;
constexpr std::size_t kLineWidth = 511;

enum Field { kAcctId, kName, kNum, kDate, kDescription, kWithdrawal, kDeposit, kBalance, kCleared, kSplit,
             kRemarks, kSupptId, kSupptName, kResId };

// The fields of one export line; empty fields read as " ".
std::vector<std::string> SplitExportLine(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos && fields.size() < kRegisterExportFields - 1;
       tab = line.find('\t', start)) {
    std::string field = line.substr(start, std::min(tab - start, kFieldWidth));
    fields.push_back(field.empty() ? " " : RptEscape(field));
    start = tab + 1;
  }
  fields.resize(kRegisterExportFields - 1, " ");
  return fields;
}

std::string Formatted(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// The template with an account's amount labels written over its "-" and
// "+" marks (each label takes the mark and the blanks after it).
std::string LabelledTemplate(const char* tmpl, int account) {
  char text[256];
  std::snprintf(text, sizeof text, "%s", tmpl);
  const char* minus = std::strchr(tmpl, '-');
  const char* plus = std::strchr(tmpl, '+');
  char label[16];
  GetAmountColumnLabel(account, -1, 1, label);
  if (minus) InsertString(label, static_cast<int>(minus - tmpl), text);
  GetAmountColumnLabel(account, 1, 1, label);
  if (plus) InsertString(label, static_cast<int>(plus - tmpl), text);
  return text;
}

// The chosen accounts in the report's order (by name or by number).
std::vector<int> AccountsInReportOrder() {
  const std::vector<int>& index = RptOrder == 'A' ? AcctTable.byName : AcctTable.byNumber;
  std::vector<int> chosen;
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(index[static_cast<std::size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    for (int i = 0; i < AcctCount && i < static_cast<int>(AcctList.size()); ++i)
      if (AcctList[static_cast<std::size_t>(i)] == k.number) {
        chosen.push_back(k.number);
        break;
      }
  }
  return chosen;
}

std::string ErrorText(ErrorTextIndex index, const char* item) {
  char text[320];
  FormatErrorText(text, index, item);
  return text;
}

}  // namespace

int PrintRegisterExport(RptContext* c, const char* path, int lineCount, std::string& error) {
  const bool twoLine = RptOptionH != 0;
  const char* tmpl = twoLine ? "{8}Number{1} {8}Date{1} {24}Description/Remarks{1} {8}-     {1} {8}+     {1} "
                               "{1}C{1} {3}S/R{1} {2}P{1} {8}Balance"
                             : "{8}Number{1} {8}Date{1} {24}Description{1} {8}-     {1} {8}+     {1} "
                               "{1}C{1} {3}Sup{1} {2}P{1} {8}Balance";
  const char* rule = "{8-}{1} {8-}{1} {24-}{1} {8-}{1} {8-}{1} {1-}{1} {3-}{1} {2-}{1} {8-}";
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) return 0;
  std::string line, previous;
  bool first = true;
  int progress = 0;
  while (error.empty() && ReadTextLine(in, line)) {
    if (line.size() > kLineWidth) line.resize(kLineWidth);
    const std::vector<std::string> f = SplitExportLine(line);
    if (first || f[kAcctId] != previous) {
      previous = f[kAcctId];
      const std::string head = Formatted("{%d=}%s  %s", c->lineWidth, f[kAcctId].c_str(), f[kName].c_str());
      const std::string labelled = LabelledTemplate(tmpl, std::atoi(f[kAcctId].c_str()));
      SetRptColumnHeaders(c, {head.c_str(), " ", labelled.c_str(), rule});
      bool ok = true;
      if (!first && (RptOptionG || RptPageFull(c, 7))) {
        ok = EndRptPage(c, 0) != 0;
      } else if (!first) {
        ok = WriteRptLines(c, {" ", " "}) != 0;
      }
      if (!ok || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) {
        error = ErrorText(ERR_WRITE, "headers");
        break;
      }
      first = false;
    }
    const std::string posting =
        Formatted("{8}%s{1} {8}%s {1} {24}%s {1} {8r}%s{1} {8r}%s{1} {1}%s{1} {3}%s {1} {2}%s{1} {8r}%s",
                  f[kNum].c_str(), f[kDate].c_str(), f[kDescription].c_str(), f[kWithdrawal].c_str(),
                  f[kDeposit].c_str(), f[kCleared].c_str(), f[kSupptId].c_str(), f[kSplit].c_str(),
                  f[kBalance].c_str());
    int ok;
    if (twoLine) {
      const std::string remarks = Formatted("{18} {24}%s {21} {3}%s ", f[kRemarks].c_str(), f[kResId].c_str());
      NeedRptLines(c, 3);
      ok = WriteRptLines(c, {posting.c_str(), remarks.c_str(), " "});
    } else {
      NeedRptLines(c, 1);
      ok = WriteRptText(c, posting.c_str());
    }
    if (!ok) error = ErrorText(ERR_WRITE, "primary transaction");
    ++progress;
    ReportProgress(nullptr, progress, lineCount > progress ? lineCount : progress + 1);
  }
  std::fclose(in);
  return 1;
}

int BuildAccountRegisterReport(RptContext* c) {
  SetRptTitle(c, "Account Register", 0);
  char subtitle[96];
  std::snprintf(subtitle, sizeof subtitle, "%s - %s", FormatDateLong(RptFirstDate, DF_YYYYMMDD),
                FormatDateLong(RptSecondDate, DF_YYYYMMDD));
  SetRptSubtitle(c, subtitle);
  std::string error;
  const std::string path = JoinPath(TempFolder, "export.tmp");
  if (!OpenRpt(c)) return 0;
  bool opened = true;
  if (WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    // The file holds the members' money: it is made afresh, private to the
    // user, and removed whatever happens below.
    std::remove(path.c_str());
    const int written = ExportRegister(path.c_str(), AccountsInReportOrder(), RptTransOrder, 0, '\t', "", 0,
                                       RptOptionB, RptFirstDate, RptSecondDate);
    if (!PrintRegisterExport(c, path.c_str(), written, error) && error.empty())
      error = ErrorText(ERR_READ, "register export");
    if (error.empty() && written == 0 &&
        !WriteRptLines(c, {" ", "{63}*** No accounts were found which matched report parameters ***"}))
      error = ErrorText(ERR_WRITE, "no accounts message");
  } else {
    opened = false;
  }
  CloseRpt(c);
  std::remove(path.c_str());
  if (!error.empty()) DispMessage(error.c_str(), MSG_FATAL);
  return opened && error.empty() ? 1 : 0;
}

int BuildTransactionRegisterForm(RptContext* c) {
  SetRptTitle(c, RptUserTitle, 0);
  const int account = AcctCount > 0 && !AcctList.empty() ? AcctList[0] : 0;
  int pos = -1;
  std::string accountLine;
  char minus[16] = "(-)", plus[16] = "(+)";
  if (account != 0 && FindAcctIndex(account, &pos)) {
    const AcctKey& k = AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])];
    accountLine = Formatted("{%d-}%3.3d %s", c->lineWidth, account, RptEscape(k.name).c_str());
    GetAmountColumnLabel(account, -1, 1, minus);
    GetAmountColumnLabel(account, 1, 1, plus);
  }
  const std::string columns =
      Formatted("{4}Num{2} {9}Date{2} {23}Description{2} {8}%s{2} {8}%s{2} {15}Remarks", minus, plus);
  if (accountLine.empty())
    SetRptColumnHeaders(c, {columns.c_str()});
  else
    SetRptColumnHeaders(c, {accountLine.c_str(), " ", columns.c_str()});

  if (!OpenRpt(c)) return 0;
  bool ok = WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
  // Ruled rows down to the footer: the form is always one page.
  while (ok && !RptPageFull(c, 2))
    ok = WriteRptLines(c, {" ", "{4-}{2} {9-}{2} {23-}{2} {8-}{2} {8-}{2} {15-}"}) != 0;
  CloseRpt(c);
  if (!ok) {
    DispMessage(ErrorText(ERR_WRITE, "Transaction register form").c_str(), MSG_FATAL);
    return 0;
  }
  return 1;
}

bool AccountRegisterReportReady() { return FindRptBuilder(31) != nullptr && FindRptLauncher(31) != nullptr; }

void PrintAccountRegister(int account, char display) {
  // The dialog reads these two slots as the caller's preset.
  RptOptionB = account;
  RptOrder = display;
  ReportDriver(31, nullptr);
}

void InstallRegisterReports() {
  RegisterRptBuilder(23, BuildTransactionRegisterForm);
  RegisterRptBuilder(31, BuildAccountRegisterReport);
}
