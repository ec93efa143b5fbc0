// What every report launcher shares: the launcher globals, the remembered
// parameters of section "RPT<n>", the "No %ss are defined yet" checks of the
// data a report needs, and the candidate account groups of the financial
// reports.
//
// A launcher runs in one pattern: RptLaunch opens the report's section and
// empties the error; the data checks warn and stop; the dialog is prefilled
// from the keys and run; after OK the keys are written back; the section is
// closed when the RptLaunch goes.
#pragma once

#include <string>

#include "common/Settings.h"
#include "platform/base/CString.h"

// The open section while a launcher runs, the launcher's result and the
// warning of a launcher that cannot run.
extern SettingsSection* RptParamSection;
extern int RptParamResult;
extern CString RptParamError;

class RptLaunch {
 public:
  // Opens section "RPT<sectionNumber>" of the user-settings file.
  explicit RptLaunch(int sectionNumber);
  ~RptLaunch();
  RptLaunch(const RptLaunch&) = delete;
  RptLaunch& operator=(const RptLaunch&) = delete;

  // Shows "No <word>s are defined yet" as a Warning; always false, so a
  // check reads `if (!AnyMember()) return launch.Missing("member");`.
  int Missing(const char* word);
  // The launcher's result: records whether the dialog ended with OK.
  int Done(bool accepted);
};

// Remembered values of the open section. A flag is set when its text begins
// with 'Y'; `item` names the record's item (none for most keys).
bool RptFlag(char key, bool def, const char* item = nullptr);
void PutRptFlag(char key, bool value, const char* item = nullptr);
std::string RptText(char key, const char* def, const char* item = nullptr);
void PutRptText(char key, const std::string& value, const char* item = nullptr);
int RptInt(char key, int def);
void PutRptInt(char key, int value);

// The data checks of the launchers: whether at least one live record exists.
bool AnyLiveTransaction();
bool AnyLiveBudget();
bool AnyMember();
bool AnyFriend();
bool AnySchedule();
bool AnyEquipment();
// Live accounts whose class letter is among `letters` (any for null).
bool AnyLiveAccount(const char* letters = nullptr);

// Kind 1: income accounts into Type1Acts, expense accounts into Type2Acts;
// kind 2: cash, checking, savings and other asset accounts into Type1Acts,
// liabilities into Type2Acts. True when any account was found.
bool SelectAcctsByClass(int kind);

// The month index (0-11) of a three-letter month name, without regard to
// case; -1 when it names no month.
int RptMonthIndex(const char* text);
