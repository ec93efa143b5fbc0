#include "app/ReportCommands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/FaqDlg.h"
#include "app/FaqList.h"
#include "app/ReportMenu.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "common/ConfigFile.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "platform/base/Resources.h"
#include "reports/ReadmeReport.h"
#include "reports/RptDriver.h"
#include "reports/RptInstall.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "records/AccountRegisterSeam.h"
#include "records/Recon.h"

int PrintFaqAnswer(RptContext* c) {
  const auto* entry = static_cast<const FaqEntry*>(c->owner);
  if (entry == nullptr) return 0;
  SetRptTitle(c, "Frequently Asked Question", 0);
  char error[320] = "";
  std::vector<char> answer;
  const std::string path = JoinPath(FaqFolder, entry->answerFile);
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    FormatErrorText(error, sizeof error, ERR_OPEN, "FAQ input file");
  } else if (entry->answerLength < 0) {
    FormatErrorText(error, sizeof error, ERR_ALLOC, "FAQ answer");
  } else {
    answer.assign(static_cast<std::size_t>(entry->answerLength) + 101, '\0');
    if (std::fseek(in, static_cast<long>(kFaqHeaderSize), SEEK_SET) != 0)
      FormatErrorText(error, sizeof error, ERR_SEEK, "FAQ answer");
    else if (std::fread(answer.data(), 1, entry->answerLength, in) != static_cast<std::size_t>(entry->answerLength))
      FormatErrorText(error, sizeof error, ERR_READ, "FAQ answer");
  }
  if (in) std::fclose(in);
  if (error[0]) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE)) {
    CloseRpt(c);
    return 0;
  }
  // The answer's room holds the text and 100 characters more for the macros.
  ExpandTextMacros(answer.data(), answer.size());
  char rule[64], answerRule[64];
  std::snprintf(rule, sizeof rule, "{%d-}Question #%s", c->lineWidth, RptEscape(entry->number).c_str());
  std::snprintf(answerRule, sizeof answerRule, "{%d-}Answer", c->lineWidth);
  const std::string question = RptEscape(entry->question);
  if (!WriteRptLines(c, {rule, " ", question.c_str(), " ", answerRule, " "})) {
    FormatErrorText(error, sizeof error, ERR_WRITE, "FAQ question");
  } else {
    // Each line ended by a line feed; text after the last one is not shown.
    const char* text = answer.data();
    for (const char* end = std::strchr(text, '\n'); end && !error[0]; end = std::strchr(text, '\n')) {
      std::string line(text, static_cast<std::size_t>(end - text));
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!WritePlainTextLine(c, line)) FormatErrorText(error, sizeof error, ERR_WRITE, "FAQ answer");
      text = end + 1;
    }
  }
  CloseRpt(c);
  if (error[0]) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  return 1;
}

int ShowFaqAnswerReport(const FaqEntry& entry) {
  FaqEntry copy = entry;  // the run borrows it
  ReportDriver(92, &copy);
  return 1;
}

void ShowReadme() {
  static char path[MAX_PATH + 16];
  std::string file = JoinPath(ProgramFolder, "readme.txt");
  if (!FileExists(file.c_str())) {
    const std::string shipped = ResourcePath("readme.txt");
    if (!shipped.empty() && FileExists(shipped.c_str())) file = shipped;
  }
  std::snprintf(path, sizeof path, "%s", file.c_str());
  ReportDriver(91, path);
}

namespace {

// The balancing dialog's Report button: the reconciliation statement reads
// the state the dialog just filled.
int RunRecordReport(int reportId, void* data) {
  ReportDriver(reportId, reportId == 16 ? static_cast<void*>(&TheReconContext) : data);
  return 1;
}

}  // namespace

void InstallReportCommands() {
  InstallReports();
  SetRecordReportRunner(FindRptBuilder(16) ? RunRecordReport : nullptr);
  RegisterRptBuilder(92, PrintFaqAnswer);
  SetFaqAnswerViewer(ShowFaqAnswerReport);
  RegisterCommand(ID_HELP_README, ShowReadme);
  InstallReportMenuCommands();
}
