#include "grid/features/GXCommands.h"

#include "grid/core/GXGridCore.h"
#include "grid/core/GXIndexMaps.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXFeatureTexts.h"
#include "grid/features/GXGridHideCellsImp.h"

namespace {

// A kind's display name: its text, or one space when the text is missing.
CString KindName(UINT id) {
  CString name = GXFeatureText(id);
  return name.IsEmpty() ? CString(" ") : name;
}

void DeleteStyleArray(CObArray*& array) {
  if (array == nullptr) return;
  GXDeletePtrArrayObjects(*array);
  delete array;
  array = nullptr;
}

}  // namespace

// ------------------------------------------------------------------ block

CGXBlockCmd::CGXBlockCmd(LPCTSTR name) : name_(name != nullptr ? name : "Block") {}

CGXBlockCmd::~CGXBlockCmd() {
  for (CGXCommand* command : commands_) delete command;
}

BOOL CGXBlockCmd::Execute(CGXGridCore* grid, int commandMode) {
  CGXLongOperation scope;
  CString text = commandMode == CGXGridCore::kAsRedo   ? GXFeatureText(20139)
                 : commandMode == CGXGridCore::kAsUndo ? GXFeatureText(20140)
                                                       : name_;
  text.Replace("%1", name_);
  scope.SetStatusText(text);

  CGXGridParam* param = grid->GetParam();
  CGXCommandFactory* factory = GXGetCommandFactory(grid);
  // The opposite commands of the replays go into a new block at the head of
  // the receiving list.
  CGXBlockCmd* opposite = nullptr;
  CObList* receiving = nullptr;
  if (param != nullptr && (commandMode == CGXGridCore::kAsUndo || commandMode == CGXGridCore::kAsRedo)) {
    receiving = commandMode == CGXGridCore::kAsUndo ? &param->GetRedoList() : &param->GetUndoList();
    opposite = new CGXBlockCmd(name_);
    opposite->m_nRow = m_nRow, opposite->m_nCol = m_nCol, opposite->m_bHasCurrentCell = m_bHasCurrentCell;
    receiving->AddHead(opposite);
  }
  if (factory != nullptr) factory->BeginBlockReplay();

  const bool many = commands_.size() > 1;
  BOOL oldLock = FALSE;
  if (many && param != nullptr) {
    oldLock = param->m_bLockRedraw;
    param->m_bLockRedraw = TRUE;
  }
  BOOL result = TRUE;
  DWORD done = 0;
  const DWORD total = static_cast<DWORD>(commands_.size());
  for (CGXCommand* command : commands_) {
    result = result && grid->ExecuteCommand(command, commandMode);
    if (!result) break;
    ++done;
    if (scope.CheckElapsed()) {
      scope.SetProgress(done, total);
      scope.PumpMessages();
    }
  }
  if (many && param != nullptr) {
    param->m_bLockRedraw = oldLock;
    grid->Redraw(2, TRUE);
  }
  if (!result && opposite != nullptr) {
    if (POSITION pos = receiving->Find(opposite)) receiving->RemoveAt(pos);
    delete opposite;
  }
  if (factory != nullptr) factory->EndBlockReplay(grid);
  return result;
}

// ---------------------------------------------------------- simple kinds

BOOL CGXSetSizesCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->SetRowHeight(from_, to_, 0, sizes_.get(), 2, commandMode)
               : grid->SetColWidth(from_, to_, 0, sizes_.get(), 2, commandMode);
}
CString CGXSetSizesCmd::GetName() const { return KindName(rows_ ? 20158 : 20159); }

BOOL CGXHideCmd::Execute(CGXGridCore* grid, int commandMode) {
  auto* hide = dynamic_cast<CGXGridHideCellsImp*>(grid->m_pHideCellsImp);
  if (hide == nullptr) return FALSE;
  return hide->HideRange(grid, rows_, from_, to_, FALSE, states_.get(), 2, commandMode);
}
CString CGXHideCmd::GetName() const { return KindName(rows_ ? 20170 : 20171); }

BOOL CGXSetDefaultSizeCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->SetDefaultRowHeight(size_, 2, commandMode) : grid->SetDefaultColWidth(size_, 2, commandMode);
}
CString CGXSetDefaultSizeCmd::GetName() const { return KindName(rows_ ? 20160 : 20161); }

BOOL CGXRemoveRowsColsCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->RemoveRows(from_, to_, 2, commandMode) : grid->RemoveCols(from_, to_, 2, commandMode);
}
CString CGXRemoveRowsColsCmd::GetName() const { return KindName(rows_ ? 20164 : 20165); }

CGXInsertRowsColsCmd::~CGXInsertRowsColsCmd() {
  DeleteStyleArray(cellStyles_);
  DeleteStyleArray(baseStyles_);
}

BOOL CGXInsertRowsColsCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->InsertRows(at_, count_, sizes_.get(), cellStyles_, baseStyles_, cross_, 2, commandMode)
               : grid->InsertCols(at_, count_, sizes_.get(), cellStyles_, baseStyles_, cross_, 2, commandMode);
}
CString CGXInsertRowsColsCmd::GetName() const { return KindName(rows_ ? 20145 : 20146); }

BOOL CGXSetCoveredCellsCmd::Execute(CGXGridCore* grid, int commandMode) {
  return grid->SetCoveredCellsRowCol(top_, left_, bottom_, right_, 2, commandMode);
}
CString CGXSetCoveredCellsCmd::GetName() const { return KindName(20166); }

CGXSetStyleRangeCmd::~CGXSetStyleRangeCmd() { DeleteStyleArray(styles_); }

BOOL CGXSetStyleRangeCmd::Execute(CGXGridCore* grid, int commandMode) {
  return grid->ApplyStyleToRange(range_, nullptr, 2, storeKind_, styles_, 2, commandMode);
}
CString CGXSetStyleRangeCmd::GetName() const { return KindName(20167); }

BOOL CGXSetFrozenCmd::Execute(CGXGridCore* grid, int commandMode) {
  return rows_ ? grid->SetFrozenRows(frozen_, header_, 2, commandMode)
               : grid->SetFrozenCols(frozen_, header_, 2, commandMode);
}
CString CGXSetFrozenCmd::GetName() const { return KindName(rows_ ? 20169 : 20168); }

CGXChangeStylesMapCmd::CGXChangeStylesMapCmd(const CGXStylesMap& map) : map_(new CGXStylesMap(map)) {}
CGXChangeStylesMapCmd::~CGXChangeStylesMapCmd() = default;
BOOL CGXChangeStylesMapCmd::Execute(CGXGridCore* grid, int commandMode) {
  return grid->ChangeStylesMap(*map_, 2, commandMode);
}
CString CGXChangeStylesMapCmd::GetName() const { return KindName(20185); }

CGXChangePropertiesCmd::CGXChangePropertiesCmd(const CGXProperties& properties) : properties_(new CGXProperties) {
  *properties_ = properties;
}
CGXChangePropertiesCmd::~CGXChangePropertiesCmd() = default;
BOOL CGXChangePropertiesCmd::Execute(CGXGridCore* grid, int commandMode) {
  return grid->ChangeProperties(*properties_, 2, commandMode);
}
CString CGXChangePropertiesCmd::GetName() const { return KindName(20186); }

BOOL CGXChangeBaseStyleCmd::Execute(CGXGridCore* grid, int commandMode) {
  return grid->ChangeBaseStyle(id_, *style_, 2, 2, commandMode);
}
