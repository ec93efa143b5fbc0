// The program's folder for scratch files (dumps, the trace): "temp" of the
// program folder, made by start-up; "." until then or when it cannot be made.
#pragma once

#include "platform/base/types.h"

extern char TempFolder[MAX_PATH];
