#include "platform/commctrl/UpDown.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
