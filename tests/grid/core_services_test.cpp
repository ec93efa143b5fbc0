// What the grid core offers its features and the program's start-up: the
// library initialisation with its factory, the control registry, storing a
// display text through a cell's control, the fill and selection forwarders,
// print margins and the plug-ins the grid owns.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXPluginComponent.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/GXDateTimeImp.h"
#include "platform/framework/PrintInfo.h"
#include "platform/testing/Automation.h"

namespace {

std::vector<std::string> g_log;

class LoggingDateTime : public CGXOleDateTimeImp {
 public:
  void RefreshLocale() override { g_log.push_back("locale"); }
};

// A factory that installs the date and time feature, as the real registrars
// do, and notes the order of the initialisation steps it sees.
class LoggingFactory : public CGXControlFactory {
 public:
  void EnableAppFeatures() override {
    g_log.push_back(GXGetAppData()->m_bInitDone ? "features after init" : "features");
    if (GXGetAppData()->m_pDateTimeImp == nullptr) {
      auto* imp = new LoggingDateTime;
      GXGetAppData()->m_pDateTimeImp = imp;
      GXGetAppData()->AddAutoDelete(imp);
    }
  }
};

TEST(LibraryInit, FactoryEnablesTheApplicationFeaturesBeforeTheLocaleIsRead) {
  automation::ResetWindows();
  GXTerminate();  // earlier tests may have left the library's own features
  g_log.clear();
  GXGetAppData()->m_bInitDone = FALSE;
  GXInitLibrary(new LoggingFactory);
  EXPECT_EQ(g_log, (std::vector<std::string>{"features", "locale"}));
  EXPECT_TRUE(GXGetAppData()->m_bInitDone);

  // A change of the system settings reaches the feature through a grid.
  CGXGridCore grid;
  grid.Initialize();
  g_log.clear();
  grid.OnGridWinIniChange("intl");
  EXPECT_EQ(g_log, (std::vector<std::string>{"locale"}));

  GXTerminate();
  GXGetAppData()->m_pDateTimeImp = nullptr;
  g_log.clear();
  GXNotifyDateTimeImp();  // nothing installed: nothing happens
  EXPECT_TRUE(g_log.empty());
  automation::ClearResponder();
}

TEST(LibraryInit, StartUpInstallsTheLibrarysOwnFactory) {
  automation::ResetWindows();
  GXInitLibrary(nullptr);
  GXInit(0x600, nullptr, nullptr);
  EXPECT_NE(dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory), nullptr);
  CGXGridCore grid;
  grid.Initialize();
  ASSERT_NE(grid.GetRegisteredControl(0), nullptr) << "grids get their default control";
  EXPECT_EQ(grid.GetRegisteredControl(GX_IDS_CTRL_STATIC), grid.GetRegisteredControl(GX_IDS_CTRL_STATIC));
  GXInitLibrary(nullptr);
  automation::ClearResponder();
}

// A windowless control that counts its destruction and stores typed texts.
class CountedControl : public CGXControl {
 public:
  CountedControl(CGXGridCore* grid, int* deleted) : CGXControl(grid), deleted_(deleted) {}
  ~CountedControl() override { ++*deleted_; }
  BOOL SetControlText(ROWCOL row, ROWCOL col, const CString& text, UINT, const CGXStyle* style) override {
    stored.push_back(std::to_string(row) + "," + std::to_string(col) + "=" + text.GetString() + " control " +
                     std::to_string(style != nullptr ? style->GetControl() : 0));
    return refuse ? FALSE : TRUE;
  }
  std::vector<std::string> stored;
  BOOL refuse = FALSE;

 private:
  int* deleted_;
};

class CoreServices : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(nullptr);
    grid = std::make_unique<CGXGridCore>();
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(10);
    grid->GetParam()->GetData()->StoreColCount(5);
  }
  void TearDown() override {
    grid.reset();
    automation::ClearResponder();
  }
  // Counts deleted controls and plug-ins; it outlives the grid.
  int deleted = 0;
  std::unique_ptr<CGXGridCore> grid;
};

TEST_F(CoreServices, RegistryReplacesDeletesAndChoosesTheDefault) {
  auto* first = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(900, first);
  EXPECT_EQ(grid->GetRegisteredControl(0), first) << "the first control registered becomes the default";
  auto* second = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(GX_IDS_CTRL_STATIC, second, TRUE, TRUE);
  EXPECT_EQ(grid->GetRegisteredControl(0), second) << "make default";
  EXPECT_NE(grid->GetParam()->GetStylesMap()->ControlNames().count(GX_IDS_CTRL_STATIC), 0u) << "add name";

  auto* replacement = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(900, replacement);
  EXPECT_EQ(deleted, 1) << "the replaced control is deleted";
  EXPECT_EQ(grid->GetRegisteredControl(900), replacement);
  grid->RegisterControl(900, replacement);
  EXPECT_EQ(deleted, 1) << "registering the same control again keeps it";

  grid.reset();
  EXPECT_EQ(deleted, 3) << "the grid deletes its controls";
}

TEST_F(CoreServices, ReplacingTheCurrentCellsControlForgetsIt) {
  auto* first = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(900, first);
  grid->ChangeStandardStyle(CGXStyle().SetControl(900), 0, 0);
  grid->FreeObjectCache();
  ASSERT_TRUE(grid->SetCurrentCell(2, 2));
  ASSERT_EQ(grid->GetCurrentCellControl(), first);
  auto* second = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(900, second);
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(grid->GetCurrentCellControl(), second) << "no pointer to the deleted control is left";
}

TEST_F(CoreServices, DisplayTextIsStoredThroughTheCellsControl) {
  auto* control = new CountedControl(grid.get(), &deleted);
  grid->RegisterControl(900, control);
  CGXStyle style;
  style.SetControl(900);
  grid->GetParam()->GetData()->StoreStyleRowCol(3, 2, &style, 0, 0);
  EXPECT_TRUE(grid->SetControlTextRowCol(3, 2, "12.50"));
  // With a style given, its control decides, not the cell's.
  CGXStyle given;
  given.SetControl(900).SetValue("x");
  EXPECT_TRUE(grid->SetControlTextRowCol(4, 1, "7", 1, &given));
  EXPECT_EQ(control->stored, (std::vector<std::string>{"3,2=12.50 control 900", "4,1=7 control 900"}));
  control->refuse = TRUE;
  EXPECT_FALSE(grid->SetControlTextRowCol(3, 2, "bad")) << "the control's refusal is the result";
}

// Records how the core hands on fill and selection work.
class FillLog : public CGXAbstractGridExcelLikeFillImp {
 public:
  BOOL OnStartFill(CGXGridCore*, POINT, UINT, int, ROWCOL, ROWCOL) override { return FALSE; }
  BOOL OnTrackFill(CGXGridCore*, POINT, UINT, ROWCOL, ROWCOL) override { return FALSE; }
  BOOL OnEndFill(CGXGridCore*, POINT, UINT) override { return FALSE; }
  void CancelFill(CGXGridCore*) override {}
  void DrawFillFrame(CGXGridCore*, const CGXRange&, BOOL, BOOL) override {}
  BOOL FillRange(CGXGridCore*, const CGXRange& source, const CGXRange& target) override {
    this->source = source;
    this->target = target;
    return TRUE;
  }
  void SelectFilledRange(CGXGridCore*, const CGXRange& target) override { selected = target; }
  CGXRange source, target, selected;
};

TEST_F(CoreServices, FillForwardersSwapToSourceFirstAndInstallOwnedObjects) {
  EXPECT_FALSE(grid->FillCells(CGXRange(5, 1, 8, 1), CGXRange(1, 1, 4, 1))) << "no fill feature";
  auto* fill = new FillLog;
  grid->SetFillHandleImp(fill, TRUE);  // deleted with the grid (the sanitizer build checks)
  EXPECT_EQ(grid->m_pExcelLikeFillImp, fill);
  EXPECT_TRUE(grid->FillCells(CGXRange(5, 1, 8, 1), CGXRange(1, 1, 4, 1)));
  EXPECT_EQ(fill->source, CGXRange(1, 1, 4, 1));
  EXPECT_EQ(fill->target, CGXRange(5, 1, 8, 1));
  grid->SelectFilledRange(CGXRange(5, 1, 8, 1));
  EXPECT_EQ(fill->selected, CGXRange(5, 1, 8, 1));
}

TEST_F(CoreServices, PrintMarginsMoveEachSideInwards) {
  int* margins = grid->GetParam()->GetProperties()->m_nMargins;
  margins[0] = 10;  // bottom
  margins[1] = 20;  // left
  margins[2] = 30;  // top
  margins[3] = 40;  // right
  CPrintInfo info;
  info.m_rectDraw = CRect(0, 0, 1000, 800);
  grid->ApplyPrintMargins(nullptr, &info);
  EXPECT_EQ(info.m_rectDraw, CRect(20, 30, 960, 790));
  grid->ApplyPrintMargins(nullptr, nullptr);  // no page: nothing to do
}

TEST_F(CoreServices, CurrentCellTextIsEmptyWithoutACurrentCell) {
  EXPECT_TRUE(grid->GetCurrentCellText().IsEmpty());
}

class CountedPlugin : public CGXPluginComponent {
 public:
  explicit CountedPlugin(int* deleted) : deleted_(deleted) {}
  ~CountedPlugin() override { ++*deleted_; }
  BOOL HandleMessage(UINT, WPARAM, LPARAM, LRESULT*) override { return FALSE; }

 private:
  int* deleted_;
};

TEST_F(CoreServices, TheGridDeletesItsPlugins) {
  grid->AddPlugin(new CountedPlugin(&deleted));
  grid->AddPlugin(new CountedPlugin(&deleted));
  grid.reset();
  EXPECT_EQ(deleted, 2);
}

}  // namespace

namespace {

// Records the ranges marked for recalculation (the formula sheet relies on
// them to recalculate what depends on a changed cell).
class RecalcGrid : public CGXGridCore {
 public:
  void MarkRangeRecalc(const CGXRange& range) override { marked.push_back(range); }
  std::vector<CGXRange> marked;
};

TEST(CoreStores, StoresMarkTheirCellsForRecalculationOnce) {
  automation::ResetWindows();
  GXInitLibrary(new CGXControlFactory);
  {
    RecalcGrid grid;
    grid.Initialize();
    grid.GetParam()->GetData()->StoreRowCount(10);
    grid.GetParam()->GetData()->StoreColCount(5);
    grid.marked.clear();
    EXPECT_TRUE(grid.StoreStyleRowCol(2, 3, &CGXStyle().SetValue("1"), 0, 0));
    EXPECT_TRUE(grid.SetValueRange(CGXRange(4, 1, 6, 2), "7", 0, 0));
    EXPECT_EQ(grid.marked, (std::vector<CGXRange>{CGXRange(2, 3), CGXRange(4, 1, 6, 2)}))
        << "a range store marks its range once, not cell by cell";
    EXPECT_EQ(std::string(grid.GetCellValue(6, 2)), "7") << "stored through the cells' control";
  }
  GXInitLibrary(nullptr);
  automation::ClearResponder();
}

}  // namespace

namespace {

// A data object with formulas: recalculation runs and may leave an error.
class FormulaData : public CGXData {
 public:
  BOOL GetRecalcValue(ROWCOL, ROWCOL) override { return FALSE; }
  void Recalc(BOOL) override { ++recalcs; }
  BOOL GetError(CString& text) override {
    if (error.IsEmpty()) return FALSE;
    text = error;
    return TRUE;
  }
  void ResetError() override { ++resets; }
  int recalcs = 0, resets = 0;
  CString error;
};

TEST(CoreRecalc, OnlyADataObjectWithFormulasIsRecalculatedAndRepainted) {
  automation::ResetWindows();
  GXInitLibrary(nullptr);
  CGXGridCore plain;
  plain.Initialize();
  plain.GetParam()->GetData()->StoreRowCount(3);
  plain.GetParam()->GetData()->StoreColCount(3);
  EXPECT_FALSE(plain.RecalcAndRedraw(TRUE, nullptr, TRUE)) << "plain data stops at once";

  auto* param = new CGXGridParam;
  auto* data = new FormulaData;
  data->StoreRowCount(3);
  data->StoreColCount(3);
  param->SetData(data, TRUE);
  data->InitParam(param);
  CGXGridCore grid;
  grid.SetParam(param, TRUE);
  grid.Initialize();
  EXPECT_TRUE(grid.RecalcAndRedraw(FALSE, nullptr, FALSE));
  EXPECT_EQ(data->recalcs, 0) << "not asked to recalculate";
  EXPECT_TRUE(grid.RecalcAndRedraw(TRUE, nullptr, FALSE));
  EXPECT_EQ(data->recalcs, 1);
  data->error = "Circular reference";
  CString text;
  EXPECT_FALSE(grid.RecalcAndRedraw(TRUE, &text, FALSE));
  EXPECT_EQ(std::string(text), "Circular reference");
  data->StoreRowCount(0);
  EXPECT_FALSE(grid.RecalcAndRedraw(TRUE, &text, FALSE)) << "no rows: nothing to do";
  automation::ClearResponder();
}

}  // namespace
