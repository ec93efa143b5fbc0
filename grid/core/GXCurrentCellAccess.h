// Reaches the current cell's control and the current-cell moves through the
// engine's operations when the engine has them; until the control-bound
// current cell is part of the engine, a grid answers as one whose current
// cell has no control (null control, nothing active, nothing to store).
#pragma once

#include "grid/core/GXGridCore.h"

namespace gxcurrent {

template <class G>
CGXControl* Control(G& g) {
  if constexpr (requires { g.GetCurrentCellControl(); }) {
    return g.GetCurrentCellControl();
  } else {
    return nullptr;
  }
}

template <class G>
void Store(G& g, ROWCOL row, ROWCOL col) {
  if constexpr (requires { g.StoreCurrentCell(TRUE, row, col); }) {
    g.StoreCurrentCell(TRUE, row, col);
  } else {
    g.SetCurrentCellForStyles(row, col);
  }
}

template <class G>
void Set(G& g, ROWCOL row, ROWCOL col, UINT flags) {
  if constexpr (requires { g.SetCurrentCell(row, col, flags); }) {
    g.SetCurrentCell(row, col, flags);
  } else {
    g.SetCurrentCellForStyles(row, col);
  }
}

template <class G>
void Move(G& g, int direction) {
  if constexpr (requires { g.MoveCurrentCell(direction, 1u, TRUE); }) g.MoveCurrentCell(direction, 1u, TRUE);
}

template <class G>
void Transfer(G& g) {
  if constexpr (requires { g.TransferCurrentCell(TRUE, 2u, TRUE); }) g.TransferCurrentCell(TRUE, 2u, TRUE);
}

}  // namespace gxcurrent
