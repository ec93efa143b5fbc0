#include "grid/features/GXCellMoveCommands.h"

#include "grid/core/GXGridCore.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXFeatureTexts.h"

namespace {

CString KindName(UINT id) {
  CString name = GXFeatureText(id);
  return name.IsEmpty() ? CString(" ") : name;
}

}  // namespace

BOOL CGXMoveDataCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->MoveDataRows(range_, *order_, 2, commandMode)
               : grid->MoveDataCols(range_, *order_, 2, commandMode);
}
CString CGXMoveDataCmd::GetName() const { return KindName(rows_ ? 20181 : 20182); }

BOOL CGXMoveCellsCmd::Execute(CGXGridCore* grid, int commandMode) {
  // The cells lie at the destination now; they go back to the source.
  const CGXRange now(destRow_, destCol_, source_.bottom + destRow_ - source_.top,
                     source_.right + destCol_ - source_.left);
  return grid->MoveCells(now, source_.top, source_.left, info_.release(), 2, commandMode);
}
CString CGXMoveCellsCmd::GetName() const { return KindName(20179); }

CGXCommand* CGXCommandFactory::CreateMoveDataCommand(BOOL rows, const CGXRange& range, CDWordArray* order) {
  return new CGXMoveDataCmd(rows, range, order);
}
CGXCommand* CGXCommandFactory::CreateMoveCellsCommand(const CGXRange& range, ROWCOL destRow, ROWCOL destCol,
                                                      CObject* info) {
  return new CGXMoveCellsCmd(range, destRow, destCol, info);
}
