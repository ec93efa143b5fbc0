#include <gtest/gtest.h>

#include <memory>

#include "grid/GridWindowTest.h"
#include "grid/MiniCommandFactory.h"

namespace {

void DeleteArray(CObArray* array) {
  if (array == nullptr) return;
  GXDeletePtrArrayObjects(*array);
  delete array;
}

class InsertCommand : public CGXCommand {
 public:
  InsertCommand(BOOL rows, ROWCOL at, ROWCOL count, int* sizes, CObArray* cells, CObArray* bases, ROWCOL cross)
      : rows_(rows), at_(at), count_(count), sizes_(sizes), cells_(cells), bases_(bases), cross_(cross) {}
  ~InsertCommand() override {
    delete[] sizes_;
    DeleteArray(cells_);
    DeleteArray(bases_);
  }
  BOOL Execute(CGXGridCore* grid, int mode) override {
    return rows_ ? grid->InsertRows(at_, count_, sizes_, cells_, bases_, cross_, 0, mode)
                 : grid->InsertCols(at_, count_, sizes_, cells_, bases_, cross_, 0, mode);
  }

 private:
  BOOL rows_;
  ROWCOL at_, count_;
  int* sizes_;
  CObArray *cells_, *bases_;
  ROWCOL cross_;
};

class RemoveRowsCmd : public CGXCommand {
 public:
  RemoveRowsCmd(BOOL rows, ROWCOL from, ROWCOL to) : rows_(rows), from_(from), to_(to) {}
  BOOL Execute(CGXGridCore* grid, int mode) override {
    return rows_ ? grid->RemoveRows(from_, to_, 0, mode) : grid->RemoveCols(from_, to_, 0, mode);
  }

 private:
  BOOL rows_;
  ROWCOL from_, to_;
};

class SizesCommand : public CGXCommand {
 public:
  SizesCommand(BOOL rows, ROWCOL from, ROWCOL to, int* sizes) : rows_(rows), from_(from), to_(to), sizes_(sizes) {}
  ~SizesCommand() override { delete[] sizes_; }
  BOOL Execute(CGXGridCore* grid, int mode) override {
    return rows_ ? grid->SetRowHeight(from_, to_, 0, sizes_, 0, mode) : grid->SetColWidth(from_, to_, 0, sizes_, 0, mode);
  }

 private:
  BOOL rows_;
  ROWCOL from_, to_;
  int* sizes_;
};

// The row and column commands on top of the least factory.
class RowColFactory : public gridtest::MiniFactory {
 public:
  CGXCommand* CreateSetSizesCommand(BOOL rows, ROWCOL from, ROWCOL to, int* old) override {
    return new SizesCommand(rows, from, to, old);
  }
  CGXCommand* CreateRemoveRowsCommand(BOOL rows, ROWCOL from, ROWCOL to) override {
    return new RemoveRowsCmd(rows, from, to);
  }
  CGXCommand* CreateInsertRowsCommand(BOOL rows, ROWCOL at, ROWCOL count, int* sizes, CObArray* cells,
                                      CObArray* bases, ROWCOL cross) override {
    return new InsertCommand(rows, at, count, sizes, cells, bases, cross);
  }
  BOOL CollectRemovedRows(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, CObArray*& cells,
                          CObArray*& bases) override {
    if (refuse) return FALSE;
    EXPECT_TRUE(rows);
    cells = grid->CollectRangeStyles(CGXRange(from, 0, to, grid->GetColCount()), 0, nullptr);
    bases = new CObArray;
    for (ROWCOL r = from; r <= to; ++r) {
      auto* base = new CGXStyle;
      if (!grid->FetchCellStyle(r, 0, *base, 2, -1)) {
        delete base;
        base = nullptr;
      }
      bases->Add(base);
    }
    return TRUE;
  }
  bool refuse = false;
};

class RowColUndo : public gridtest::GridWindowTest<CGXGridCore> {
 protected:
  void SetUp() override {
    MakeGrid(400, 300, 20, 5);
    UseFixedCharacter();
    factory = new RowColFactory;
    grid->m_pCommandFactory = factory;
    grid->AddAutoDelete(factory);
  }
  BOOL Replay(CObList& list, int mode) {
    if (list.IsEmpty()) return FALSE;
    std::unique_ptr<CGXCommand> command(static_cast<CGXCommand*>(list.RemoveHead()));
    return command->Execute(grid.get(), mode);
  }
  CString Value(ROWCOL r, ROWCOL c) { return grid->GetCellValue(r, c); }
  RowColFactory* factory = nullptr;
};

TEST_F(RowColUndo, UndoingARemovalBringsTheRowsBackWithSizesStylesAndBaseStyles) {
  grid->SetRowHeight(4, 0, 30, nullptr, 0, CGXGridCore::kNoUndo);
  grid->SetValueRange(CGXRange(4, 2), "x", 0, 0);
  CGXStyle base;
  base.SetInteriorColor(RGB(1, 2, 3));
  data()->StoreStyleRowCol(4, 0, &base, 0, -1);
  grid->SetValueRange(CGXRange(6, 1), "after", 0, 0);
  grid->GetParam()->EmptyUndoList();

  ASSERT_TRUE(grid->RemoveRows(3, 5, 0));
  EXPECT_EQ(grid->GetRowCount(), 17u);
  EXPECT_EQ(Value(3, 1), "after");
  ASSERT_EQ(grid->GetParam()->GetUndoList().GetCount(), 1);

  ASSERT_TRUE(Replay(grid->GetParam()->GetUndoList(), CGXGridCore::kAsUndo));
  EXPECT_EQ(grid->GetRowCount(), 20u);
  EXPECT_EQ(grid->GetRowHeight(4), 30);
  EXPECT_EQ(Value(4, 2), "x");
  EXPECT_EQ(Value(6, 1), "after");
  CGXStyle restored;
  ASSERT_TRUE(grid->FetchCellStyle(4, 0, restored, 2, -1));
  EXPECT_EQ(restored.GetInterior().GetColor(), RGB(1, 2, 3));

  // The redo removes them again.
  ASSERT_TRUE(Replay(grid->GetParam()->GetRedoList(), CGXGridCore::kAsRedo));
  EXPECT_EQ(grid->GetRowCount(), 17u);
  EXPECT_EQ(Value(3, 1), "after");
}

TEST_F(RowColUndo, InsertionsAndSizesAreUndone) {
  ASSERT_TRUE(grid->InsertRows(2, 3));
  EXPECT_EQ(grid->GetRowCount(), 23u);
  ASSERT_TRUE(Replay(grid->GetParam()->GetUndoList(), CGXGridCore::kAsUndo));
  EXPECT_EQ(grid->GetRowCount(), 20u);

  int widths[] = {50, 60};
  ASSERT_TRUE(grid->SetColWidth(2, 3, 0, widths));
  ASSERT_TRUE(Replay(grid->GetParam()->GetUndoList(), CGXGridCore::kAsUndo));
  EXPECT_EQ(grid->GetColWidth(2), 80);
  EXPECT_EQ(grid->GetColWidth(3), 80);

  // A refused collection stops the removal before anything changes.
  factory->refuse = true;
  EXPECT_FALSE(grid->RemoveRows(1, 2));
  EXPECT_EQ(grid->GetRowCount(), 20u);
  // Recording nothing needs no collection.
  EXPECT_TRUE(grid->RemoveRows(1, 2, 0, CGXGridCore::kNoUndo));
  EXPECT_EQ(grid->GetRowCount(), 18u);
}

}  // namespace
