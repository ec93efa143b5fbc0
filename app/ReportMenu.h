// The Reports and Forms menu commands that open a report's parameter
// dialog. A command is served (and so enabled) only when both its report's
// builder and its dialog are installed.
#pragma once

// Called at start-up after every report group was installed.
void InstallReportMenuCommands();
