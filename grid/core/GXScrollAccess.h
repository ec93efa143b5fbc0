// Scrolling as the current-cell moves and the mouse need it: bringing a cell
// into view and scrolling by rows or columns. The engine's scrolling
// answers when it has these operations; a grid without them does not scroll.
#pragma once

#include "grid/core/GXGridCore.h"

namespace gxscroll {

template <class G>
BOOL CellInView(G& g, ROWCOL row, ROWCOL col, UINT flags) {
  if constexpr (requires { g.ScrollCellInView(row, col, flags, FALSE); }) {
    return g.ScrollCellInView(row, col, flags, FALSE);
  } else {
    return FALSE;
  }
}

template <class G>
BOOL ByRows(G& g, int direction, ROWCOL count) {
  if constexpr (requires { g.OnAutoScroll(direction, count); }) {
    return g.OnAutoScroll(direction, count);
  } else {
    return FALSE;
  }
}

}  // namespace gxscroll
