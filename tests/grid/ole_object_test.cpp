// The object record codec and the object cell in a grid that hands out
// viewers: keeping, copying, pasting and deleting a cell's object, and the
// viewer's reports that it cannot show one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "platform/window/Clipboard.h"
#include "grid/cells/GXOlePreview.h"
#include "grid/cells/GXOleRecord.h"

namespace {

std::vector<BYTE> Record(const std::string& name, const std::string& cls, std::vector<BYTE> stream) {
  return GXEncodeOleRecord(GXOleObjectRecord{name, cls, std::move(stream)});
}

TEST(OleRecord, WritesTheLayoutAndReadsItBack) {
  const std::vector<BYTE> bytes = Record("Pic", "Paint.Picture", {1, 2, 3});
  ASSERT_EQ(bytes.size(), 20u + 4 + 14 + 3 + 4);
  const std::vector<BYTE> header(bytes.begin(), bytes.begin() + 20);
  EXPECT_EQ(header, (std::vector<BYTE>{0x15, 0x1C, 20, 0, 2, 0, 0, 0, 4, 0, 14, 0, 20, 0, 24, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(std::vector<BYTE>(bytes.end() - 4, bytes.end()), std::vector<BYTE>(4, 0));
  GXOleObjectRecord read;
  ASSERT_TRUE(GXDecodeOleRecord(bytes, read));
  EXPECT_EQ(read.name, "Pic");
  EXPECT_EQ(read.className, "Paint.Picture");
  EXPECT_EQ(read.stream, (std::vector<BYTE>{1, 2, 3}));

  EXPECT_TRUE(Record("x", std::string(128, 'c'), {}).empty()) << "a class name over 127 characters";
  EXPECT_FALSE(Record("x", std::string(127, 'c'), {}).empty());
}

TEST(OleRecord, DamagedRecordsAreRefused) {
  const std::vector<BYTE> good = Record("Pic", "Paint.Picture", {1, 2, 3});
  const struct {
    const char* what;
    std::size_t at;
    BYTE value;
  } damages[] = {
      {"signature", 0, 0x16}, {"header size", 2, 21}, {"kind", 4, 1}, {"name length", 8, 0xF0},
      {"class length past its limit", 10, 200}, {"class offset beyond the end", 15, 0x10},
      {"name without its zero", 23, 'x'},        {"name offset inside the header", 12, 4},
  };
  for (const auto& d : damages) {
    std::vector<BYTE> bytes = good;
    bytes[d.at] = d.value;
    GXOleObjectRecord read;
    EXPECT_FALSE(GXDecodeOleRecord(bytes, read)) << d.what;
  }
  GXOleObjectRecord read;
  EXPECT_FALSE(GXDecodeOleRecord(std::vector<BYTE>(good.begin(), good.begin() + 30), read)) << "cut short";
  EXPECT_FALSE(GXDecodeOleRecord({}, read));
  // A stored class name over the limit is refused before it is copied.
  std::vector<BYTE> longClass = Record("Pic", std::string(127, 'c'), {});
  longClass[10] = 129;
  longClass.insert(longClass.end() - 4, 'c');
  EXPECT_FALSE(GXDecodeOleRecord(longClass, read));
}

class ViewerGrid : public gridtest::ButtonCountingGrid, public CGXOleViewerHost {};

class ObjectCell : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(grid.CreateEx(0, "GXWND", nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 500, 300, nullptr, nullptr));
    grid.Initialize();
    grid.SetRowCount(6);
    grid.SetColCount(2);
    grid.SetColWidth(1, 2, 100);
    grid.ApplyStyle(CGXRange().SetCols(1, 1), CGXStyle().SetControl(GX_IDS_CTRL_OLEPREVIEW));
    grid.SetFocus();
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    grid.DestroyWindow();
    automation::ResetWindows();
  }
  void Put(ROWCOL row, const VARIANT& value) {
    auto* attribute = new CGXOleVarUserAttribute;
    attribute->SetValue(value);
    grid.ApplyStyle(CGXRange(row, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_OLEOBJECT, attribute));
  }
  const VARIANT* Held(ROWCOL row) {
    CGXStyle style;
    grid.ComposeStyleRowCol(row, 1, style);
    return GXStyleVariant(style, GX_IDS_UA_OLEOBJECT);
  }
  void Current(ROWCOL row) {
    grid.SetCurrentCell(row, 1);
    automation::PumpUntilIdle();
  }
  void ClickButton(ROWCOL row) {
    const CRect cell = grid.CalcCellRect(row, 1);
    Current(row);
    automation::AdvanceClock(600);
    automation::Click(grid.m_hWnd, CPoint(cell.right - 7, cell.top + 7));
    automation::PumpUntilIdle();
  }
  CGXOlePreview* Cell() { return static_cast<CGXOlePreview*>(grid.GetRegisteredControl(GX_IDS_CTRL_OLEPREVIEW)); }
  ViewerGrid grid;
};

TEST_F(ObjectCell, TheViewerReportsWhatItCannotOpen) {
  ASSERT_TRUE(Cell()->IsKindOfControl(&CGXOlePreview::CGXOlePreviewRecord));
  Put(1, GXByteArrayVariant(Record("Pic", "Paint.Picture", {1})));
  std::vector<BYTE> bad = Record("Pic", "Paint.Picture", {1});
  bad[0] = 0;
  Put(2, GXByteArrayVariant(bad));
  COleVariant text;
  text.vt = VT_BSTR;
  Put(3, text);
  const struct {
    ROWCOL row;
    const char* message;
  } cases[] = {
      {1, "cannot be shown"},
      {2, "The binary data is not valid."},
      {3, "The binary data is not valid."},
      {4, "Failed to invoke insert object dialog."},  // an empty cell offers a new object
  };
  for (const auto& c : cases) {
    automation::ExpectMessageBox("", c.message, IDOK);
    ClickButton(c.row);
    EXPECT_TRUE(automation::PendingExpectations().empty()) << c.row;
    automation::ClearDialogRules();
    EXPECT_EQ(Cell()->m_pOpenViewer, nullptr);
  }
  EXPECT_EQ(grid.clicks, 4) << "the grid hears of every button click";
}

TEST_F(ObjectCell, ObjectsMoveThroughTheClipboardAndDeleteClearsThem) {
  const std::vector<BYTE> object = Record("Doc", "Word.Document", {9, 8, 7});
  Put(1, GXByteArrayVariant(object));
  Current(1);
  EXPECT_TRUE(Cell()->CanCopy());
  ASSERT_TRUE(Cell()->Copy());

  Current(2);
  ASSERT_TRUE(Cell()->CanPaste());
  ASSERT_TRUE(Cell()->Paste());
  EXPECT_TRUE(Cell()->GetModify());
  // While the pasted object's viewer is open, Delete only points to it.
  automation::ExpectMessageBox("", "You have already spawned a viewer. Please use this for editing", IDOK);
  automation::PressKey(VK_DELETE);
  automation::PumpUntilIdle();
  EXPECT_TRUE(automation::PendingExpectations().empty());
  automation::ClearDialogRules();
  Current(3);  // leaving stores the pasted object before the viewer lets it go
  ASSERT_NE(Held(2), nullptr);
  EXPECT_EQ(Held(2)->byteArray, object);

  // Cut puts the object on the clipboard and empties the cell on leaving.
  Current(2);
  ASSERT_TRUE(Cell()->CanCut());
  ASSERT_TRUE(Cell()->Cut());
  Current(5);
  ASSERT_NE(Held(2), nullptr);
  EXPECT_FALSE(GXIsByteArray(*Held(2)));
  ASSERT_TRUE(Cell()->Paste());
  Current(6);
  ASSERT_NE(Held(5), nullptr);
  EXPECT_EQ(Held(5)->byteArray, object);

  // Delete empties the cell's object.
  Current(1);
  automation::PressKey(VK_DELETE);
  automation::PumpUntilIdle();
  Current(3);
  ASSERT_NE(Held(1), nullptr);
  EXPECT_FALSE(GXIsByteArray(*Held(1)));

  // A damaged record on the clipboard is refused.
  ASSERT_TRUE(::OpenClipboard(grid.m_hWnd));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 8);
  std::memset(::GlobalLock(block), 0x15, 8);
  ::GlobalUnlock(block);
  ::SetClipboardData(GXOleObjectClipboardFormat(), block);
  ::CloseClipboard();
  Current(4);
  automation::ExpectMessageBox("", "The binary data is not valid.", IDOK);
  EXPECT_FALSE(Cell()->Paste());
  Current(5);
  EXPECT_EQ(Held(4), nullptr);
}

}  // namespace
