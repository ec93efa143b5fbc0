// The registrars: the control factory switches the features on through
// them, per grid when a grid is made and application-wide at start-up.
#include "grid/features/GXFeatureRegistrars.h"

#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/features/GXCommandFactory.h"
#include "grid/features/GXCoveredCells.h"
#include "grid/features/GXDateTimeImp.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXDirectCopyMoveCellsImp.h"
#include "grid/features/GXGridFindReplaceImp.h"
#include "grid/features/GXGridParamCopyOperatorImp.h"
#include "grid/features/GXGridSortImp.h"
#include "grid/features/GXGridUpdateHintImp.h"
#include "grid/features/GXGridCutPasteImp.h"
#include "grid/features/GXGridDocSerializeImp.h"
#include "grid/features/GXGridPrintImp.h"
#include "grid/features/GXGridProfileImp.h"
#include "grid/features/GXGridExcelLikeFillImp.h"
#include "grid/features/GXGridExcelLikeFrameImp.h"
#include "grid/features/GXGridFreezeMenuHelperImp.h"
#include "grid/features/GXGridHideCellsImp.h"
#include "grid/features/GXDrawRotatedTextImp.h"
#include "grid/features/GXDrawSpannedCellsImp.h"
#include "grid/features/GXGridMarkEditHeaderImp.h"
#include "grid/features/GXGridMoveRowsColsImp.h"
#include "grid/features/GXGridOptimizedUpdateImp.h"
#include "grid/features/GXGridResizeToFitImp.h"
#include "grid/features/GXGridStyleDataExchangeImp.h"
#include "grid/features/GXGridTextDataExchangeImp.h"
#include "grid/features/GXGridUserDragSelectRangeImp.h"
#include "grid/features/GXGridUserResizeCellsImp.h"
#include "grid/features/GXGridUserSelectRangeImp.h"
#include "grid/features/GXLongOperationImp.h"
#include "grid/features/GXMouseWheelPlugin.h"
#include "grid/features/GXNumberFormattingImp.h"
#include "grid/features/GXPrintDevice.h"
#include "grid/features/GXSerializeQVX5Compatible.h"
#include "grid/features/GXSpanCellPool.h"
#include "grid/features/GXStyleCompareSubsetImp.h"
#include "grid/features/GXStyleSerializeImp.h"

namespace {

// Makes a per-grid feature object once.
template <class Imp, class Slot>
void EnableGridFeature(CGXGridCore* grid, Slot*& slot) {
  if (slot != nullptr) return;
  Imp* object = new Imp;
  slot = object;
  grid->AddAutoDelete(object);
}

// Owns an application-wide feature object on the library's auto-delete
// list; when the library deletes it at the end, the slot is emptied too,
// so that a library initialised again enables the feature afresh.
template <class Slot>
struct SlotOwner {
  Slot*& slot;
  Slot* object;
  ~SlotOwner() {
    if (slot == object) slot = nullptr;
    delete object;
  }
};

// Makes an application-wide feature object once.
template <class Imp, class Slot>
void EnableAppFeature(Slot*& slot) {
  if (slot != nullptr) return;
  Imp* object = new Imp;
  slot = object;
  GXGetAppData()->AddAutoDelete(new SlotOwner<Slot>{slot, object});
}

}  // namespace

// ------------------------------------------------------------- per grid

void CGXGridCore::EnableCommandFactory() { EnableGridFeature<CGXCommandFactory>(this, m_pCommandFactory); }

void CGXGridCore::EnableHideCells() { EnableGridFeature<CGXGridHideCellsImp>(this, m_pHideCellsImp); }

void CGXGridCore::EnableCoveredCells() {
  EnableGridFeature<CGXGridCoveredCellsImp>(this, m_pCoveredCellsImp);
  GXEnableCoveredCellPool();
  if (m_pParam != nullptr) m_pParam->EnsureCoveredCellPool();
  // Covered blocks are drawn as one cell.
  EnableGridFeature<CGXDrawSpannedCellsImp>(this, m_pDrawSpannedCellsImp);
}

void CGXGridCore::EnableTextDataExchange() {
  EnableGridFeature<CGXGridTextDataExchangeImp>(this, m_pTextDataExchangeImp);
}

void CGXGridCore::EnableStyleDataExchange() {
  EnableGridFeature<CGXGridStyleDataExchangeImp>(this, m_pStyleDataExchangeImp);
}

void CGXGridCore::EnableCutPaste() { EnableGridFeature<CGXGridCutPasteImp>(this, m_pCutPasteImp); }

void CGXGridCore::EnableClearCells() { EnableGridFeature<CGXGridClearCellsImp>(this, m_pClearCellsImp); }

void CGXGridCore::EnableUserResizeCells() {
  EnableGridFeature<CGXGridUserResizeCellsImp>(this, m_pUserResizeCellsImp);
}

void CGXGridCore::EnableAutoScroll() {
  if (m_pAutoScrollPlugin != nullptr) return;
  m_pAutoScrollPlugin = new CGXAutoScrollPlugin(this);
  m_pAutoScrollPlugin->PlugIn(m_pGridWnd);
  AddPlugin(m_pAutoScrollPlugin);  // the grid's plug-in list owns it
}

void CGXGridCore::EnableFreezeMenuHelper() {
  EnableGridFeature<CGXGridFreezeMenuHelperImp>(this, m_pFreezeMenuHelperImp);
}

void CGXGridCore::EnableMarkEditHeader() {
  EnableGridFeature<CGXGridMarkEditHeaderImp>(this, m_pMarkEditHeaderImp);
}

// Each call makes a new plug-in (the application calls it once per grid).
void CGXGridCore::EnableIntelliMouse() {
  m_pIntelliMousePlugin = new CGXGridIntelliMousePlugin(this);
  m_pIntelliMousePlugin->PlugIn(m_pGridWnd);
  AddPlugin(m_pIntelliMousePlugin);
}

void CGXGridCore::EnableUserSelectRange() {
  EnableGridFeature<CGXGridUserSelectRangeImp>(this, m_pUserSelectRangeImp);
}

// The frame marks the selection, so it brings the selection along.
void CGXGridCore::EnableExcelLikeFrame() {
  EnableGridFeature<CGXGridExcelLikeFrameImp>(this, m_pExcelLikeFrameImp);
  EnableUserSelectRange();
}

// The fill handle sits on the frame.
void CGXGridCore::EnableExcelLikeFill() {
  if (m_pExcelLikeFillImp == nullptr) SetFillHandleImp(new CGXGridExcelLikeFillImp, TRUE);
  EnableExcelLikeFrame();
}

// Dragging rows and columns selects them first and moves them at the drop.
void CGXGridCore::EnableUserDragSelectRange() {
  EnableGridFeature<CGXGridUserDragSelectRangeImp>(this, m_pUserDragSelectRangeImp);
  EnableUserSelectRange();
  EnableMoveRowsCols();
}

void CGXGridCore::EnableMoveRowsCols() { EnableGridFeature<CGXGridMoveRowsColsImp>(this, m_pMoveRowsColsImp); }

void CGXGridCore::EnableOptimizedUpdate() {
  EnableGridFeature<CGXGridOptimizedUpdateImp>(this, m_pOptimizedUpdateImp);
}

void CGXGridCore::EnableCalcSize() { EnableGridFeature<CGXCalcSizeImp>(this, m_pCalcSizeImp); }

// Hints only leave a grid that belongs to a document.
void CGXGridCore::EnableUpdateHint() {
  EnableGridFeature<CGXGridUpdateHintImp>(this, m_pUpdateHintImp);
  m_bHintsEnabled = TRUE;
}

void CGXGridCore::EnableResizeToFit() {
  EnableGridFeature<CGXGridResizeToFitImp>(this, m_pResizeToFitImp);
  EnableCalcSize();
}

void CGXGridCore::EnablePrint() { EnableGridFeature<CGXGridPrintImp>(this, m_pPrintImp); }

// ------------------------------------------------------ application-wide

void GXEnableLongOperation() { EnableAppFeature<CGXLongOperationImpl>(GXGetAppData()->m_pLongOperationImp); }

void GXEnableCoveredCellPool() { EnableAppFeature<CGXCoveredCellPoolImpl>(GXGetAppData()->m_pCoveredCellPoolImp); }

void GXEnableNumberFormatting() {
  EnableAppFeature<CGXNumberFormattingImpl>(GXGetAppData()->m_pNumberFormattingImp);
}

void GXEnableStyleSerialize() { EnableAppFeature<CGXStyleSerializeImpl>(GXGetAppData()->m_pStyleSerializeImp); }

void GXEnableSerializeQVX5Compatible() {
  EnableAppFeature<CGXSerializeQVX5CompatibleImp>(GXGetAppData()->m_pSerializeQVX5Imp);
}

void GXEnableSpanCellPool() { EnableAppFeature<CGXSpanCellPoolImp>(GXGetAppData()->m_pSpanCellPoolImp); }

void GXEnableDelayedRangePool() {
  EnableAppFeature<CGXDelayedRangePoolImp>(GXGetAppData()->m_pDelayedRangePoolImp);
}

// Both date-and-time variants fill one slot: the first one enabled stays.
void GXEnableOleDateTime() { EnableAppFeature<CGXOleDateTimeImp>(GXGetAppData()->m_pDateTimeImp); }

void GXEnableNoOleDateTime() { EnableAppFeature<CGXNoOleDateTimeImp>(GXGetAppData()->m_pDateTimeImp); }

void GXEnableDrawRotatedText() {
  EnableAppFeature<CGXDrawRotatedTextImp>(GXGetAppData()->m_pDrawRotatedTextImp);
}

void GXEnableDocSerialize() {
  EnableAppFeature<CGXGridDocSerializeImpl>(GXGetAppData()->m_pDocSerializeImp);
  GXEnableStyleSerialize();
  GXEnableSpanCellPool();
  GXEnableDelayedRangePool();
}

void GXEnablePrintDevice() { EnableAppFeature<CGXPrintDeviceImp>(GXGetAppData()->m_pPrintDeviceImp); }

void GXEnableProfile() { EnableAppFeature<CGXGridProfileImpl>(GXGetAppData()->m_pGridProfileImp); }

void GXEnableStyleCompareSubset() {
  EnableAppFeature<CGXStyleCompareSubsetImp>(GXGetAppData()->m_pStyleCompareSubsetImp);
}

void CGXGridCore::EnableDirectCopyMoveCells() {
  EnableGridFeature<CGXGridDirectCopyMoveCellsImp>(this, m_pDirectCopyMoveCellsImp);
  GXEnableDataCopyMoveCells();
}

void GXEnableDataCopyMoveCells() {
  EnableAppFeature<CGXDataCopyMoveCellsImp>(GXGetAppData()->m_pDataCopyMoveCellsImp);
}

// One object does both: the sort operations and sorting by a double click
// on a header.
void CGXGridCore::EnableSort() {
  if (m_pSortImp == nullptr) {
    auto* sort = new CGXGridSortImp;
    m_pSortImp = sort;
    m_pSortClickImp = sort;
    AddAutoDelete(sort);
  }
  GXEnableSortMoveData();
}

void GXEnableSortMoveData() { EnableAppFeature<CGXGridSortMoveDataImp>(GXGetAppData()->m_pSortMoveDataImp); }

void CGXGridCore::EnableFindReplace() { EnableGridFeature<CGXGridFindReplaceImp>(this, m_pFindReplaceImp); }

void GXEnableParamCopyOperator() {
  EnableAppFeature<CGXGridParamCopyOperatorImp>(GXGetAppData()->m_pParamCopyOperatorImp);
}

