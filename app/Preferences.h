// Loading and storing the preference values (common/PrefValues.h) and the
// current mailing label in settings section "CONFIG": at start-up, whenever
// the Preferences sheet opens, and after a saved sheet.
#pragma once

#include "common/PrefValues.h"

// Loads (0) or stores (1) section "CONFIG". Storing also recomputes
// TodayVsFiscalYear and resets the report dates. Returns 1.
int XferConfig(int save);

// Where the current mailing label's name lives: the current label object
// (reports/MailLabel.h) unless another pair is installed.
struct MailLabelNameAccess {
  void (*set)(const char* name);
  const char* (*get)();
};
void SetMailLabelNameAccess(MailLabelNameAccess access);
const char* CurrentMailLabelName();
