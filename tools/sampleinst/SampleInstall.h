// Making an installation in a program folder through the store's own
// functions: the configuration, the stored unit settings and one fiscal
// year, empty or filled with a sample unit's data.
#pragma once

#include <string>

struct InstallOptions {
  bool empty = false;     // no records: a real unit's first year
  int unitType = 0;       // 0 to 5
  std::string unitNumber = "42";
  int year = 0;           // the first fiscal year
  int firstMonth = 1;     // 1 to 12
  std::string folder;     // the program folder
};

// Makes the installation and leaves the year closed. False (after a line on
// standard error) when a step failed; an existing configuration is never
// overwritten (false too).
bool MakeInstallation(const InstallOptions& options);
