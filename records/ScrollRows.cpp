#include "records/ScrollRows.h"

#include "platform/window/Messages.h"

bool ScrollRowTarget(UINT code, UINT pos, int current, int page, int last, int* target) {
  switch (code) {
    case SB_LINEUP: *target = current - 1; return true;
    case SB_LINEDOWN: *target = current + 1; return true;
    case SB_PAGEUP: *target = current - page; return true;
    case SB_PAGEDOWN: *target = current + page; return true;
    case SB_TOP: *target = 0; return true;
    case SB_BOTTOM: *target = last; return true;
    case SB_THUMBPOSITION: *target = static_cast<int>(pos); return true;
    default: return false;
  }
}
