#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXClipboardOptions.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Clipboard.h"

namespace {

using gridtest::FeatureGridTest;

// The desktop clipboard's text, or "<none>".
std::string ClipboardText() {
  if (!::OpenClipboard(nullptr)) return "<busy>";
  std::string text = "<none>";
  if (HANDLE block = ::GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(::GlobalLock(block));
    text.assign(p, strnlen(p, ::GlobalSize(block)));
    ::GlobalUnlock(block);
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const char* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::memcpy(::GlobalLock(block), text, std::strlen(text) + 1);
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_TEXT, block);
  ::CloseClipboard();
}

class Clipboard : public FeatureGridTest {
 protected:
  void Set(ROWCOL row, ROWCOL col, const char* text) { grid->SetValueRange(CGXRange(row, col), text); }
  BOOL CopyCells(const CGXRange& range) {
    grid->SetCurrentCell(range.top, range.left);
    grid->GetParam()->m_SelRects.DeleteAll();
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(range));
    return grid->Copy();
  }
  BOOL PasteAt(ROWCOL row, ROWCOL col) {
    grid->GetParam()->m_SelRects.DeleteAll();
    grid->SetCurrentCell(row, col);
    return grid->Paste();
  }
};

TEST_F(Clipboard, CopiesTextAsTheDesktopSeesIt) {
  Set(2, 2, "one");
  Set(2, 3, "two");
  Set(3, 2, "a\tb");
  Set(3, 3, "line\r\nbreak");
  const struct {
    CGXRange range;
    DWORD flags;
    const char* expect;
  } cases[] = {
      {CGXRange(2, 2), GX_CB_TEXT, "one"},
      {CGXRange(2, 2, 2, 3), GX_CB_TEXT, "one\ttwo\r\n"},
      {CGXRange(3, 2, 3, 3), GX_CB_TEXT, "a\\tb\tline break\r\n"},
      {CGXRange(3, 2, 3, 3), GX_CB_TEXT | GX_CB_ESCAPES, "a\\tb\tline\\r\\nbreak\r\n"},
  };
  for (const auto& c : cases) {
    grid->m_nClipboardFlags = c.flags;
    EXPECT_TRUE(CopyCells(c.range));
    EXPECT_EQ(ClipboardText(), c.expect);
  }
}

TEST_F(Clipboard, BandsOfTwoRangesAreConcatenated) {
  for (ROWCOL c = 1; c <= 6; ++c) Set(1, c, CString(static_cast<char>('0' + c)));
  grid->GetParam()->m_SelRects.DeleteAll();
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(1, 1, 1, 2));
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(1, 5, 1, 6));
  ASSERT_TRUE(grid->Copy());
  EXPECT_EQ(ClipboardText(), "1\t2\t5\t6\r\n");
}

TEST_F(Clipboard, EmptyCellsPutNoTextAndNoBitsPutNothing) {
  SetClipboardText("old");
  grid->m_nClipboardFlags = GX_CB_TEXT;
  EXPECT_FALSE(CopyCells(CGXRange(5, 5, 6, 6)));
  EXPECT_EQ(ClipboardText(), "<none>") << "the clipboard is emptied all the same";
  Set(5, 5, "x");
  grid->m_nClipboardFlags = 0;
  EXPECT_FALSE(CopyCells(CGXRange(5, 5)));
  EXPECT_EQ(ClipboardText(), "<none>");
}

TEST_F(Clipboard, PastesTextIntoCellsAndUndoesItAsOne) {
  SetClipboardText("1\t2\r\n3\t4\r\n");
  const ROWCOL rows = grid->GetRowCount();
  ASSERT_TRUE(PasteAt(2, 2));
  EXPECT_STREQ(Value(2, 2), "1");
  EXPECT_STREQ(Value(2, 3), "2");
  EXPECT_STREQ(Value(3, 2), "3");
  EXPECT_STREQ(Value(3, 3), "4");
  EXPECT_STREQ(Value(4, 2), "") << "the trailing line break adds no row";
  EXPECT_EQ(grid->GetRowCount(), rows);
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(2, 2), "");
  EXPECT_STREQ(Value(3, 3), "");
}

TEST_F(Clipboard, PasteBeyondTheEdges) {
  SetClipboardText("a\tb\tc\r\nd\te\tf");
  grid->m_nClipboardFlags |= GX_CB_NOADDCOLS;
  ASSERT_TRUE(PasteAt(19, 9));
  EXPECT_STREQ(Value(19, 9), "a");
  EXPECT_STREQ(Value(19, 10), "b");
  EXPECT_STREQ(Value(20, 10), "e") << "fields past the last column are dropped, the next row goes on";
  EXPECT_EQ(grid->GetColCount(), 10u);

  grid->m_nClipboardFlags &= ~GX_CB_NOADDCOLS;
  SetClipboardText("x\r\ny\r\nz");
  ASSERT_TRUE(PasteAt(19, 1));
  EXPECT_EQ(grid->GetRowCount(), 21u) << "rows are added below the last";
  EXPECT_STREQ(Value(21, 1), "z");
}

TEST_F(Clipboard, TabEscapesDecodeOnlyWithTheOption) {
  SetClipboardText("a\\tb");
  ASSERT_TRUE(PasteAt(1, 1));
  EXPECT_STREQ(Value(1, 1), "a\\tb");
  grid->m_nClipboardFlags |= GX_CB_ESCAPES;
  ASSERT_TRUE(PasteAt(1, 1));
  EXPECT_STREQ(Value(1, 1), "a\tb");
}

TEST_F(Clipboard, MultiAreaPasteIsRefused) {
  SetClipboardText("x");
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(1, 1));
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(3, 3));
  automation::ExpectMessageBox("", "multi-area", IDOK);
  EXPECT_FALSE(grid->Paste());
  EXPECT_STREQ(Value(1, 1), "");
}

TEST_F(Clipboard, CutClearsAndUndoBringsBack) {
  Set(4, 4, "cut me");
  grid->m_nClipboardFlags = GX_CB_TEXT;
  grid->SetCurrentCell(4, 4);
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(4, 4));
  ASSERT_TRUE(grid->Cut());
  EXPECT_EQ(ClipboardText(), "cut me");
  EXPECT_STREQ(Value(4, 4), "");
  ASSERT_TRUE(grid->Undo());
  EXPECT_STREQ(Value(4, 4), "cut me");
}

TEST_F(Clipboard, ClearLeavesHeadersAndSkipsEmptyCells) {
  Set(0, 1, "header");
  Set(2, 1, "v");
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(CGXRange().SetTable()));
  const int before = UndoCount();
  ASSERT_TRUE(grid->Clear(FALSE));
  EXPECT_STREQ(Value(0, 1), "header");
  EXPECT_STREQ(Value(2, 1), "");
  EXPECT_EQ(UndoCount(), before + 1) << "one block";
}

TEST_F(Clipboard, TextDimension) {
  const struct {
    const char* text;
    ROWCOL rows, cols;
  } cases[] = {
      {"a", 1, 1}, {"a\tb\r\nc\r\n", 2, 2}, {"a\r\n\r\nb", 3, 1}, {"\t\t", 1, 3}, {"", 0, 1},
  };
  for (const auto& c : cases) {
    ROWCOL rows = 99, cols = 99;
    ASSERT_TRUE(grid->CalcTextBufferDimension(c.text, rows, cols));
    EXPECT_EQ(rows, c.rows) << c.text;
    EXPECT_EQ(cols, c.cols) << c.text;
  }
}

TEST(ClipboardAbsent, ForwardersAnswerAbsent) {
  gridtest::FeatureLibrary library;
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  EXPECT_FALSE(grid.CanCopy());
  EXPECT_FALSE(grid.Copy());
  EXPECT_FALSE(grid.Paste());
  EXPECT_TRUE(grid.GetCopyTextRowCol(1, 1).IsEmpty());
}

}  // namespace
