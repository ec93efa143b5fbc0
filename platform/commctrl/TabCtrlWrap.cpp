#include "platform/commctrl/TabCtrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
