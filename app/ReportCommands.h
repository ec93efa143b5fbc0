// The report engine's place in the program: every report registered with
// the driver, the FAQ answer as report 92, and Help's README (report 91).
#pragma once

#include "reports/RptContext.h"

struct FaqEntry;

// Called once at start-up.
void InstallReportCommands();
// The builder of report 92: one question and its answer (the context's
// owner is the FaqEntry). 1, or 0 after showing the failure.
int PrintFaqAnswer(RptContext* context);
// Shows an answer in the report preview (report 92).
int ShowFaqAnswerReport(const FaqEntry& entry);
// Help > README: "readme.txt" of the program folder, else the one that
// ships with the program, as report 91.
void ShowReadme();
