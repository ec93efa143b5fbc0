// Copying and moving a block of cells inside one grid: the grid's object
// runs the operation (read-only test, undo, redraw); the application-wide
// object moves the stored styles inside the data object.
#pragma once

#include <vector>

#include "grid/core/GXFeatures.h"
#include "grid/core/GXGridFeatures.h"

class CGXStyle;

// The cells a move overwrote, kept so that undoing the move can put them
// back. Owns its styles.
class CGXDataUndoMoveCellsInfo : public CObject {
  DECLARE_DYNAMIC(CGXDataUndoMoveCellsInfo)

 public:
  struct Entry {
    ROWCOL row, col;
    CGXStyle* style;
  };
  CGXDataUndoMoveCellsInfo() = default;
  CGXDataUndoMoveCellsInfo(const CGXDataUndoMoveCellsInfo&) = delete;
  CGXDataUndoMoveCellsInfo& operator=(const CGXDataUndoMoveCellsInfo&) = delete;
  ~CGXDataUndoMoveCellsInfo() override;

  std::vector<Entry> entries;
};

class CGXGridDirectCopyMoveCellsImp : public CGXAbstractGridDirectCopyMoveCellsImp {
 public:
  BOOL CopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol, UINT flags) override;
  BOOL StoreCopyCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol) override;
  BOOL MoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* undoInfo,
                 UINT flags, int commandMode) override;
  BOOL StoreMoveCells(CGXGridCore* grid, const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject*& undoInfo,
                      BOOL createUndo, int commandMode) override;
};

class CGXDataCopyMoveCellsImp : public CGXAbstractDataCopyMoveCellsImp {
 public:
  BOOL CopyCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol) override;
  BOOL MoveCells(CGXData& data, const CGXRange& range, DWORD destRow, DWORD destCol, CObject*& undo, BOOL createUndo,
                 int commandMode) override;
};
