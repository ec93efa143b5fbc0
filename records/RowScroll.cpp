#include "records/RowScroll.h"

#include "platform/window/Messages.h"

bool RowScrollTarget(unsigned code, unsigned pos, int first, int rows, int last, int* target) {
  switch (code) {
    case SB_LINEUP: *target = first - 1; return true;
    case SB_LINEDOWN: *target = first + 1; return true;
    case SB_PAGEUP: *target = first - rows; return true;
    case SB_PAGEDOWN: *target = first + rows; return true;
    case SB_TOP: *target = 0; return true;
    case SB_BOTTOM: *target = last; return true;
    case SB_THUMBPOSITION: *target = static_cast<int>(pos); return true;
    default: return false;
  }
}
