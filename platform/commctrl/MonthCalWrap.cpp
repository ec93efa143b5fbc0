#include "platform/commctrl/MonthCal.h"

IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)
