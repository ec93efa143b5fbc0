#include <gtest/gtest.h>

#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "platform/testing/Automation.h"

namespace {

// The program's start-up path: GXInit makes the control factory, which
// switches the application-wide features on, and every grid built then gets
// its own features.
TEST(FeatureRegistration, StartUpSwitchesTheFeaturesOn) {
  automation::ResetWindows();
  GXInit(0x600, nullptr, nullptr);
  CGXAppData* app = GXGetAppData();
  EXPECT_NE(app->m_pLongOperationImp, nullptr);
  EXPECT_NE(app->m_pCoveredCellPoolImp, nullptr);
  CGXLongOperationImp* longOp = app->m_pLongOperationImp;
  GXEnableLongOperation();
  EXPECT_EQ(app->m_pLongOperationImp, longOp) << "a second call keeps the object";
  {
    CGXGridCore grid;
    grid.Initialize();
    EXPECT_NE(grid.m_pCommandFactory, nullptr);
    EXPECT_NE(grid.m_pHideCellsImp, nullptr);
    EXPECT_NE(grid.m_pCoveredCellsImp, nullptr);
    EXPECT_NE(grid.m_pTextDataExchangeImp, nullptr);
    EXPECT_NE(grid.m_pStyleDataExchangeImp, nullptr);
    EXPECT_NE(grid.m_pCutPasteImp, nullptr);
    EXPECT_NE(grid.m_pClearCellsImp, nullptr);
    EXPECT_NE(grid.GetParam()->m_pCoveredCellPool, nullptr);
    EXPECT_NE(grid.m_pResizeToFitImp, nullptr);
    EXPECT_NE(grid.m_pCalcSizeImp, nullptr) << "resize to fit brings the size calculation";
    EXPECT_NE(grid.m_pOptimizedUpdateImp, nullptr);
    EXPECT_NE(grid.m_pUserSelectRangeImp, nullptr);
    EXPECT_NE(grid.m_pExcelLikeFrameImp, nullptr);
    EXPECT_NE(grid.m_pUserDragSelectRangeImp, nullptr);
    EXPECT_NE(grid.m_pMoveRowsColsImp, nullptr) << "dragging brings moving";
    EXPECT_NE(grid.m_pExcelLikeFillImp, nullptr);
    EXPECT_NE(grid.m_pFreezeMenuHelperImp, nullptr);
    EXPECT_NE(grid.m_pDrawSpannedCellsImp, nullptr) << "covered cells bring the spanned drawing";
    EXPECT_NE(grid.m_pPrintImp, nullptr);
    EXPECT_NE(grid.m_pDirectCopyMoveCellsImp, nullptr);
    EXPECT_NE(grid.m_pSortImp, nullptr);
    EXPECT_NE(grid.m_pSortClickImp, nullptr);
    EXPECT_NE(grid.m_pFindReplaceImp, nullptr);
    EXPECT_NE(grid.m_pUpdateHintImp, nullptr);
  }
  EXPECT_NE(app->m_pStyleSerializeImp, nullptr);
  EXPECT_NE(app->m_pSerializeQVX5Imp, nullptr);
  EXPECT_NE(app->m_pSpanCellPoolImp, nullptr);
  EXPECT_NE(app->m_pDelayedRangePoolImp, nullptr);
  EXPECT_NE(app->m_pDrawRotatedTextImp, nullptr);
  EXPECT_NE(app->m_pNumberFormattingImp, nullptr);
  EXPECT_NE(app->m_pDateTimeImp, nullptr);
  EXPECT_NE(app->m_pDocSerializeImp, nullptr);
  EXPECT_NE(app->m_pGridProfileImp, nullptr);
  EXPECT_NE(app->m_pPrintDeviceImp, nullptr);
  EXPECT_NE(app->m_pStyleCompareSubsetImp, nullptr);
  EXPECT_NE(app->m_pParamCopyOperatorImp, nullptr);
  EXPECT_NE(app->m_pDataCopyMoveCellsImp, nullptr) << "direct copy brings the data mover";
  EXPECT_NE(app->m_pSortMoveDataImp, nullptr) << "sorting brings the data mover";
  // Destroying a grid leaves the application-wide objects for the others.
  EXPECT_EQ(app->m_pLongOperationImp, longOp);
  GXTerminate();
  EXPECT_EQ(app->m_pLongOperationImp, nullptr) << "the slot empties with its object";
  GXInitLibrary();
}

}  // namespace
