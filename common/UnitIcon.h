// The unit type's icon in a dialog's icon control.
#pragma once

class CWnd;

void ShowUnitIcon(CWnd* dlg, int iconControlId);
