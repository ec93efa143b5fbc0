// The Reports and Forms menu commands. A command is served (and so enabled)
// only when its report can run: its builder is installed and, for a report
// with a parameter dialog, its launcher too.
#pragma once

#include "platform/base/types.h"

// Called at start-up after every report group was installed.
void InstallReportMenuCommands();
// The report a Reports or Forms menu command runs; 0 for another command.
int ReportOfCommand(UINT id);
