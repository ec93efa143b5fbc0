// Moving a block of whole rows (or columns) to another place: the data,
// the sizes, hidden states, selection and covered blocks follow the rows,
// the move is one undoable step and the window repaints what moved.
// A move is (first, last, destination): afterwards the block's first row
// is row `destination`.
#pragma once

#include "grid/core/GXCommand.h"
#include "grid/core/GXGridFeatures.h"
#include "grid/features/GXCommands.h"

class CGXGridMoveRowsColsImp : public CGXAbstractGridMoveRowsColsImp {
 public:
  BOOL StoreMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int force) override;
  void UpdateMoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) override;
  BOOL StoreMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, int force) override;
  void UpdateMoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) override;
  BOOL MoveRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) override;
  BOOL MoveCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode) override;

 private:
  BOOL Move(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, int commandMode);
  BOOL StoreMove(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest, BOOL force);
  void UpdateMove(CGXGridCore* grid, bool rows, ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags);
};

// Undoes a move: moves the block back from where it went.
class CGXMoveRowsColsCmd : public CGXRecordedCommand {
 public:
  CGXMoveRowsColsCmd(BOOL rows, ROWCOL from, ROWCOL to, ROWCOL dest) : rows_(rows), from_(from), to_(to), dest_(dest) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  ROWCOL from_, to_, dest_;
};

// Where an index lands when from..to moves so that `from` becomes `dest`.
ROWCOL GXMovedIndex(ROWCOL index, ROWCOL from, ROWCOL to, ROWCOL dest);
