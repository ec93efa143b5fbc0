#include "records/AccountRegisterSeam.h"

#include "common/PrefValues.h"

namespace {

AccountRegisterOpener gridOpener = nullptr;
AccountRegisterOpener formOpener = nullptr;
RecordReportRunner reportRunner = nullptr;

}  // namespace

void SetAccountGridOpener(AccountRegisterOpener opener) { gridOpener = opener; }
void SetAccountFormOpener(AccountRegisterOpener opener) { formOpener = opener; }
AccountRegisterOpener GetAccountRegisterOpener() { return UseGridEntry ? gridOpener : formOpener; }
void SetRecordReportRunner(RecordReportRunner runner) { reportRunner = runner; }
RecordReportRunner GetRecordReportRunner() { return reportRunner; }
