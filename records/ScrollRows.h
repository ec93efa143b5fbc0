// The row a vertical scroll bar asks for in the dialogs that show a list a
// page of rows at a time: passbook holders, schedule dates and participants.
#pragma once

#include "platform/base/types.h"

// The first row that scroll code `code` asks for, from the present first row
// `current`, with `page` rows to a page and `last` the last row; `pos` is the
// thumb's position for SB_THUMBPOSITION. The result is not bounded (the
// caller keeps it within the rows). False for a code that asks for no row,
// which is left to the default handling.
bool ScrollRowTarget(UINT code, UINT pos, int current, int page, int last, int* target);
