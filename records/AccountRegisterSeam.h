// How Account Management opens an account's register and how the record
// dialogs run reports. The register grid, the transaction form and the
// report driver live above the record dialogs; the libraries that build
// them fill these seams when they install their commands. While a seam is
// empty, the button that needs it stays disabled.
#pragma once

#include "store/Records.h"

// Runs an account's register modally on a copy of the account record:
// one opener for the register grid, one for the transaction form. Account
// Management's Register button uses the one the "CONFIG" 'M' preference
// (UseGridEntry) chooses.
using AccountRegisterOpener = void (*)(const AccountRecord& account);
void SetAccountGridOpener(AccountRegisterOpener opener);
void SetAccountFormOpener(AccountRegisterOpener opener);
// The opener the preference chooses, or null while it is not installed.
AccountRegisterOpener GetAccountRegisterOpener();

// Runs a report of the report driver (the balancing's report 16) with the
// caller's data; the report driver fills it.
using RecordReportRunner = int (*)(int reportId, void* data);
void SetRecordReportRunner(RecordReportRunner runner);
RecordReportRunner GetRecordReportRunner();
