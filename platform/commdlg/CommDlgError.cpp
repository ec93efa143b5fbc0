#include "platform/commdlg/CommDlgDefs.h"

namespace {
// One user interface thread: a plain variable, as for the window layer.
DWORD lastError = 0;
}  // namespace

DWORD CommDlgExtendedError() { return lastError; }

namespace commdlg {
void SetExtendedError(DWORD code) { lastError = code; }
}  // namespace commdlg
