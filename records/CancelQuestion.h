// Cancel in a dialog that may hold unsaved changes: unchanged, it closes at
// once; otherwise the save question decides. Yes saves through the dialog's
// own OK (which closes it only when the save succeeds), No closes without
// saving, Cancel keeps the dialog open.
#pragma once

#include <functional>

class CDialog;

void CancelAskingToSave(CDialog& dlg, bool changed, const char* question, const std::function<void()>& save);
