// The directions in which the current cell moves: the codes the keyboard,
// the range selection and the other views pass to MoveCurrentCell. The
// first four also name the directions of a search for the next cell.
#pragma once

enum GXMoveDirection : int {
  kMoveUp = 1,
  kMoveLeft = 2,
  kMoveDown = 3,
  kMoveRight = 4,
  kMovePageDown = 5,
  kMovePageUp = 6,
  kMoveFirstRow = 7,     // Ctrl+Up
  kMoveLastRow = 8,      // Ctrl+Down
  kMoveFirstCol = 9,     // Ctrl+Left
  kMoveLastCol = 10,     // Ctrl+Right
  kMoveTopLeft = 11,     // Ctrl+Home
  kMoveBottomRight = 12  // Ctrl+End
};
