// Registers every report of reports/ with the driver (called once at
// start-up). Each group of builders has its own install function in its
// own file; adding a group is one line in RptInstall.cpp.
#pragma once

void InstallReports();
