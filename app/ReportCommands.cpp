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
#include "reports/RptSelection.h"

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

// The Reports and Forms menus: command and report.
struct ReportCommand {
  UINT id;
  int report;
  CommandHandler run;
};

template <int N>
void RunReport() {
  ReportDriver(N, nullptr);
}

// From the menu the account register report starts from the stored
// selection: the account and display preset a register screen leaves in
// the options must not preselect an account the user never chose.
void RunAccountRegisterReport() {
  RptOptionB = 0;
  RptOrder = 0;
  ReportDriver(31, nullptr);
}

const ReportCommand kReportCommands[] = {
    {32944, 8, RunReport<8>},     {32945, 12, RunReport<12>},   {32946, 5, RunReport<5>},
    {32950, 10, RunReport<10>},   {32947, 11, RunReport<11>},   {32948, 9, RunReport<9>},
    {32949, 29, RunReport<29>},   {32951, 17, RunReport<17>},   {32952, 14, RunReport<14>},
    {32954, 21, RunReport<21>},   {32953, 20, RunReport<20>},   {32955, 33, RunReport<33>},
    {32956, 28, RunReport<28>},   {32957, 32, RunReport<32>},   {32973, 2, RunReport<2>},
    {32963, 4, RunReport<4>},     {32964, 1, RunReport<1>},     {32965, 3, RunReport<3>},
    {32966, 34, RunReport<34>},   {32967, 18, RunReport<18>},   {32968, 31, RunAccountRegisterReport},
    {32969, 30, RunReport<30>},   {32970, 6, RunReport<6>},     {32971, 7, RunReport<7>},
    {32929, 15, RunReport<15>},   {32972, 25, RunReport<25>},   {32818, 22, RunReport<22>},
    {32819, 23, RunReport<23>},   {32820, 24, RunReport<24>},   {32821, 13, RunReport<13>},
};

bool CanRun(int report) {
  // The label reports build under their label kinds (150-155).
  const int built = report == 15 ? 150 : report;
  if (FindRptBuilder(built) == nullptr) return false;
  return IsRunOnceReport(report) || FindRptLauncher(report) != nullptr;
}

}  // namespace

int ReportOfCommand(UINT id) {
  for (const ReportCommand& c : kReportCommands)
    if (c.id == id) return c.report;
  return 0;
}

void EnableReportCommands() {
  for (const ReportCommand& c : kReportCommands)
    if (CanRun(c.report)) RegisterCommand(c.id, c.run);
}

void InstallReportCommands() {
  InstallReports();
  EnableReportCommands();
  RegisterRptBuilder(92, PrintFaqAnswer);
  SetFaqAnswerViewer(ShowFaqAnswerReport);
  RegisterCommand(ID_HELP_README, ShowReadme);
  InstallReportMenuCommands();
}
