// The least command factory of the grid tests: set-style-range commands,
// the data object's undo information and the undo limit.
#pragma once

#include <utility>
#include <vector>

#include "grid/core/GXCommand.h"
#include "grid/core/GXGridCore.h"

namespace gridtest {

// Restores the cells of a range from the styles collected before a store.
class SetStyleRangeCommand : public CGXCommand {
 public:
  SetStyleRangeCommand(const CGXRange& range, int kind, CObArray* styles) : range_(range), kind_(kind), styles_(styles) {}
  ~SetStyleRangeCommand() override {
    GXDeletePtrArrayObjects(*styles_);
    delete styles_;
  }
  BOOL Execute(CGXGridCore* grid, int commandMode) override {
    return grid->ApplyStyleToRange(range_, nullptr, 2, kind_, styles_, 0, commandMode);
  }

 private:
  CGXRange range_;
  int kind_;
  CObArray* styles_;
};

// The least command factory: set-style-range commands and the undo limit.
class MiniFactory : public CGXAbstractCommandFactory {
 public:
  CGXCommand* CreateSetStyleRangeCommand(const CGXRange& range, int kind, CObArray* styles) override {
    return new SetStyleRangeCommand(range, kind, styles);
  }
  CGXCommand* CreateChangeStylesMapCommand(const CGXStylesMap&) override { return nullptr; }
  CGXCommand* CreateChangePropertiesCommand(const CGXProperties&) override { return nullptr; }
  CGXCommand* CreateChangeBaseStyleCommand(WORD, const CGXStyle&, LPCTSTR) override { return nullptr; }
  BOOL EnableDataUndo(CGXGridCore* grid, BOOL enable) override {
    return grid->GetParam()->GetData()->EnableUndoInfo(enable);
  }
  CObject* GetDataUndoInfo(CGXGridCore* grid) override { return grid->GetParam()->GetData()->GetAdvancedUndoInfo(); }
  BOOL ApplyDataUndoInfo(CGXGridCore* grid, CObject* info, BOOL createUndo, BOOL flag) override {
    return grid->GetParam()->GetData()->UndoAdvanced(info, createUndo, flag);
  }
  void DiscardDataUndoInfo(CGXGridCore* grid) override { delete GetDataUndoInfo(grid); }
  BOOL ExecuteCommand(CGXGridCore* grid, CGXCommand* command, int mode) override { return command->Execute(grid, mode); }
  void RemoveCommand(CGXGridCore*, int) override {}
  BOOL Undo(CGXGridCore*) override { return FALSE; }
  BOOL Redo(CGXGridCore*) override { return FALSE; }
  void BeginTrans(CGXGridCore*, LPCTSTR) override {}
  void CommitTrans(CGXGridCore*) override {}
  void Rollback(CGXGridCore*) override {}
  void ShowUndoneCell(CGXGridCore*, ROWCOL row, ROWCOL col, BOOL) override { shown.emplace_back(row, col); }
  BOOL OnUpdateEditUndo(CGXGridCore*, CCmdUI*) override { return FALSE; }
  BOOL OnUpdateEditRedo(CGXGridCore*, CCmdUI*) override { return FALSE; }
  std::vector<std::pair<ROWCOL, ROWCOL>> shown;
  void AddCommand(CGXGridCore* grid, CGXCommand* command, int mode) override {
    CGXGridParam* param = grid->GetParam();
    CObList& list = mode == CGXGridCore::kAsUndo ? param->GetRedoList() : param->GetUndoList();
    if (mode == CGXGridCore::kRecordUndo) param->EmptyRedoList();
    if (list.GetCount() > param->m_nUndoLimit) delete list.RemoveTail();
    list.AddHead(command);
  }
};

}  // namespace gridtest
