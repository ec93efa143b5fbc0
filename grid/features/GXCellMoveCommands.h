// The undo commands of sorting and of moving a block of cells.
#pragma once

#include <memory>

#include "grid/features/GXCommands.h"
#include "platform/base/Collections.h"

// Puts the rows (columns) of a range into the order that was there before a
// sort: entry i is the offset of the row that goes to offset i.
class CGXMoveDataCmd : public CGXRecordedCommand {
 public:
  CGXMoveDataCmd(BOOL rows, const CGXRange& range, CDWordArray* order) : rows_(rows), range_(range), order_(order) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  BOOL rows_;
  CGXRange range_;
  std::unique_ptr<CDWordArray> order_;
};

// Moves a block of cells back to where it came from and puts back what the
// move had overwritten (the information is handed to the move on replay).
class CGXMoveCellsCmd : public CGXRecordedCommand {
 public:
  CGXMoveCellsCmd(const CGXRange& source, ROWCOL destRow, ROWCOL destCol, CObject* info)
      : source_(source), destRow_(destRow), destCol_(destCol), info_(info) {}
  BOOL Execute(CGXGridCore* grid, int commandMode) override;
  CString GetName() const override;

 private:
  CGXRange source_;
  ROWCOL destRow_, destCol_;
  std::unique_ptr<CObject> info_;
};
