// The grid's undo and redo machinery: makes the commands of the grid's
// changes, files them in the parameter object's undo and redo lists (shared
// by every view of the parameter object), groups them into transactions and
// runs Undo, Redo and Rollback. One object per grid; what it keeps for its
// grid is only the state of a block being replayed and the menu patterns.
#pragma once

#include "grid/core/GXFeatures.h"
#include "grid/features/GXCommands.h"

class CGXCommandFactory : public CGXAbstractCommandFactory {
 public:
  CGXCommand* CreateSetStyleRangeCommand(const CGXRange& range, int storeKind, CObArray* styles) override;
  CGXCommand* CreateMoveDataCommand(BOOL rows, const CGXRange& range, CDWordArray* order) override;
  CGXCommand* CreateMoveCellsCommand(const CGXRange& range, ROWCOL destRow, ROWCOL destCol, CObject* info) override;
  CGXCommand* CreateChangeStylesMapCommand(const CGXStylesMap& current) override;
  CGXCommand* CreateChangePropertiesCommand(const CGXProperties& current) override;
  CGXCommand* CreateChangeBaseStyleCommand(WORD id, const CGXStyle& current, LPCTSTR name) override;
  CGXCommand* CreateSetSizesCommand(BOOL rows, ROWCOL from, ROWCOL to, int* oldSizes) override;
  CGXCommand* CreateSetDefaultSizeCommand(BOOL rows, int oldSize) override;
  CGXCommand* CreateSetFrozenCommand(BOOL rows, ROWCOL oldFrozen, ROWCOL oldHeader) override;
  CGXCommand* CreateRemoveRowsCommand(BOOL rows, ROWCOL from, ROWCOL to) override;
  CGXCommand* CreateInsertRowsCommand(BOOL rows, ROWCOL at, ROWCOL count, int* sizes, CObArray* cellStyles,
                                      CObArray* baseStyles, ROWCOL crossCount) override;
  BOOL CollectRemovedRows(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, CObArray*& cellStyles,
                          CObArray*& baseStyles) override;
  // Commands of the hiding and covered-cells features.
  virtual CGXCommand* CreateHideCommand(BOOL rows, ROWCOL from, ROWCOL to, BOOL* oldStates);
  virtual CGXCommand* CreateSetCoveredCellsCommand(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right);

  BOOL EnableDataUndo(CGXGridCore* grid, BOOL enable) override;
  CObject* GetDataUndoInfo(CGXGridCore* grid) override;
  BOOL ApplyDataUndoInfo(CGXGridCore* grid, CObject* info, BOOL createUndo, BOOL flag) override;
  void DiscardDataUndoInfo(CGXGridCore* grid) override;
  BOOL ExecuteCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) override;
  void AddCommand(CGXGridCore* grid, CGXCommand* command, int commandMode) override;
  void RemoveCommand(CGXGridCore* grid, int commandMode) override;
  BOOL Undo(CGXGridCore* grid) override;
  BOOL Redo(CGXGridCore* grid) override;
  void BeginTrans(CGXGridCore* grid, LPCTSTR name) override;
  void CommitTrans(CGXGridCore* grid) override;
  void Rollback(CGXGridCore* grid) override;
  // Shows the cell an undo or redo changed (kept until a block ends).
  void ShowUndoneCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, BOOL moveCurrent) override;
  BOOL OnUpdateEditUndo(CGXGridCore* grid, CCmdUI* item) override;
  BOOL OnUpdateEditRedo(CGXGridCore* grid, CCmdUI* item) override;

  // A block replay brackets its commands with these.
  void BeginBlockReplay();
  void EndBlockReplay(CGXGridCore* grid);
  BOOL IsReplayingBlock() const { return blockNesting_ > 0; }

 private:
  BOOL UpdateEditItem(CGXGridCore* grid, CCmdUI* item, BOOL undo);

  int blockNesting_ = 0;
  BOOL pendingShown_ = FALSE;
  ROWCOL pendingRow_ = 0, pendingCol_ = 0;
  BOOL pendingMove_ = FALSE;
  CString undoPattern_, redoPattern_;
};

// The factory of a grid when it is this one (null otherwise).
CGXCommandFactory* GXGetCommandFactory(CGXGridCore* grid);
