// A grid made with the library's control factory, so that every feature the
// factory switches on is there, and the application-wide features enabled.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "platform/testing/Automation.h"

namespace gridtest {

// Installs the factory and the application-wide features for a test and
// takes them away afterwards, so that other tests see a bare library.
class FeatureLibrary {
 public:
  FeatureLibrary() {
    automation::ResetWindows();
    auto* factory = new CGXControlFactory;
    GXInitLibrary(factory);
    factory->EnableAppFeatures();
  }
  ~FeatureLibrary() {
    // The application-wide objects go with the library's list, which
    // empties their slots.
    GXTerminate();
    GXInitLibrary();
    automation::ClearResponder();
  }
};

class FeatureGridTest : public ::testing::Test {
 protected:
  void MakeGrid(ROWCOL rows = 20, ROWCOL cols = 10, CWnd* window = nullptr) {
    grid = std::make_unique<CGXGridCore>(window);
    grid->Initialize();
    data()->StoreRowCount(rows);
    data()->StoreColCount(cols);
  }
  void SetUp() override { MakeGrid(); }
  void TearDown() override { grid.reset(); }
  CGXData* data() { return grid->GetParam()->GetData(); }
  CString Value(ROWCOL row, ROWCOL col) { return grid->GetCellValue(row, col); }
  int UndoCount() { return grid->GetParam()->GetUndoList().GetCount(); }
  int RedoCount() { return grid->GetParam()->GetRedoList().GetCount(); }

  FeatureLibrary library;
  std::unique_ptr<CGXGridCore> grid;
};

}  // namespace gridtest
