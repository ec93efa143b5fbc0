// The installation's temporary folder: "temp" under the program folder, or
// "." when that cannot be made; set at start-up. (Defined with the other
// program-wide paths in ConfigFile.cpp.)
#pragma once

#include "platform/base/types.h"

extern char TempFolder[MAX_PATH];
