// The password, progress and bitmap cells and the three edit cell variants
// (scroll bar, hot spot, spin), each in a grid that uses it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/cells/GXDaoBitmap.h"
#include "grid/cells/GXEditVariants.h"
#include "grid/cells/GXPasswordControl.h"
#include "grid/cells/GXProgressCtrl.h"
#include "platform/window/Clipboard.h"
#include "platform/window/CtlDefs.h"
#include "support/BmpFile.h"

namespace {

using gridtest::CellGridTest;

using SmallCells = CellGridTest;

TEST_F(SmallCells, PasswordCellShowsOnlyMaskCharactersAndKeepsTheClipboard) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_PASSWORD));
  grid.SetValueRange(CGXRange(1, 1), "abc");
  grid.SetValueRange(CGXRange(2, 1), "");
  EXPECT_EQ(Shown(1, 1), "***");
  EXPECT_EQ(Shown(2, 1), "");

  // The editor holds the real text but shows the mask character.
  Current(1, 1);
  auto* cell = Control<CGXPasswordControl>(GX_IDS_CTRL_PASSWORD);
  CString inEditor;
  cell->GetWindowText(inEditor);
  EXPECT_EQ(std::string(inEditor), "abc");
  EXPECT_EQ(cell->SendMessage(EM_GETPASSWORDCHAR), '*');

  ASSERT_TRUE(::OpenClipboard(grid.m_hWnd));
  ::EmptyClipboard();
  HGLOBAL before = ::GlobalAlloc(GMEM_MOVEABLE, 7);
  std::memcpy(::GlobalLock(before), "before", 7);
  ::GlobalUnlock(before);
  ::SetClipboardData(CF_TEXT, before);
  ::CloseClipboard();
  Key(VK_END);
  EXPECT_TRUE(cell->IsActive());
  Key('A', false, true);
  Key('C', false, true);
  Key('X', false, true);
  EXPECT_TRUE(cell->Copy());
  EXPECT_TRUE(cell->Cut());
  ASSERT_TRUE(::OpenClipboard(grid.m_hWnd));
  EXPECT_STREQ(static_cast<const char*>(::GlobalLock(::GetClipboardData(CF_TEXT))), "before");
  ::CloseClipboard();

  // Typing stores the typed text, not the mask.
  Current(3, 1);
  Type("pw1");
  Current(4, 1);
  EXPECT_EQ(Value(3, 1), "pw1");
}

TEST(ProgressCaption, OnlyOneIntegerPlaceholderIsFilled) {
  const struct {
    const char* caption;
    const char* shown;
  } cases[] = {
      {"%d%%", "42%"},         {"%ld of 100", "42 of 100"}, {"%5d", "   42"},     {"%-4i|", "42  |"},
      {"%s %d", "%s 42"},      {"%d %d", "42 %d"},          {"%n%p%x", "%n%p%x"}, {"%999d", "%999d"},
      {"done", "done"},        {"%", "%"},                  {"%u", "42"},
  };
  for (const auto& c : cases) EXPECT_EQ(std::string(GXFormatProgressCaption(c.caption, 42)), c.shown) << c.caption;
}

TEST_F(SmallCells, ProgressCellKeepsItsValueWithinTheBoundsAndDrawsItsBar) {
  grid.SetColWidth(1, 1, 200);
  Column(1, CGXStyle()
                .SetControl(GX_IDS_CTRL_PROGRESS)
                .SetUserAttribute(GX_IDS_UA_PROGRESS_LOW, "0")
                .SetUserAttribute(GX_IDS_UA_PROGRESS_HIGH, "100")
                .SetTextColor(RGB(0, 0, 255))
                .SetInterior(RGB(255, 255, 255)));
  const struct {
    const char* typed;
    const char* stored;
  } stores[] = {{"150", "100"}, {"-5", "0"}, {"0", "0"}, {"50", "50"}};
  for (const auto& s : stores) {
    grid.SetValueRange(CGXRange(1, 1), s.typed);
    EXPECT_EQ(Value(1, 1), s.stored) << s.typed;
  }
  // The nearest bound is written signed: a negative one stays itself.
  grid.ApplyStyle(CGXRange(4, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_PROGRESS_LOW, "-10"));
  grid.SetValueRange(CGXRange(4, 1), "-20");
  EXPECT_EQ(Value(4, 1), "-10");

  // 50 of 0..100 in a 200-pixel cell: the bar ends half-way.
  grid.Invalidate();
  grid.UpdateWindow();
  const CRect cell = grid.CalcCellRect(1, 1);
  const int y = cell.CenterPoint().y;
  EXPECT_EQ(automation::PixelAt(grid.m_hWnd, cell.left + 98, y), RGB(0, 0, 255));
  EXPECT_EQ(automation::PixelAt(grid.m_hWnd, cell.left + 102, y), RGB(255, 255, 255));

  // Equal bounds and values below the lower bound draw no bar.
  grid.ApplyStyle(CGXRange(2, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_PROGRESS_HIGH, "0").SetValue("0"));
  grid.ApplyStyle(CGXRange(3, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_PROGRESS_LOW, "10").SetValue("10"));
  grid.UpdateWindow();
  for (ROWCOL row : {2u, 3u}) {
    const CRect r = grid.CalcCellRect(row, 1);
    EXPECT_EQ(automation::PixelAt(grid.m_hWnd, r.left + 3, r.CenterPoint().y), RGB(255, 255, 255)) << row;
  }
}

TEST(DaoBitmap, PictureBytesAreFoundBehindAForeignHeader) {
  std::vector<BYTE> bytes(78, 0x55);
  const std::vector<BYTE> bmp = testbmp::Bytes(2, 2, RGB(255, 0, 0));
  bytes.insert(bytes.end(), bmp.begin(), bmp.end());
  HGLOBAL dib = GXDIBFromVariant(GXByteArrayVariant(bytes), FALSE);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(::GlobalSize(dib), bmp.size() - 14) << "the file header is dropped";
  EXPECT_EQ(static_cast<const BYTE*>(::GlobalLock(dib))[0], 40) << "the info header comes first";
  ::GlobalUnlock(dib);
  ::GlobalFree(dib);
  HGLOBAL whole = GXDIBFromVariant(GXByteArrayVariant(bmp), TRUE);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(::GlobalSize(whole), bmp.size());
  ::GlobalFree(whole);

  COleVariant text;
  text.vt = VT_BSTR;
  text.byteArray = bmp;
  EXPECT_EQ(GXDIBFromVariant(text, FALSE), nullptr) << "not a byte array";
  EXPECT_EQ(GXDIBFromVariant(GXByteArrayVariant(std::vector<BYTE>(100, 'B')), FALSE), nullptr) << "no BM";
  EXPECT_EQ(GXDIBFromVariant(GXByteArrayVariant({'x', 'B', 'M'}), FALSE), nullptr) << "no room for a header";
}

TEST_F(SmallCells, HotSpotButtonTellsTheGridAndScrollEditHasItsBar) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_HOTSPOT));
  Column(2, CGXStyle().SetControl(GX_IDS_CTRL_SCROLLEDIT).SetWrapText(TRUE));
  const CRect cell = grid.CalcCellRect(1, 1);
  Current(1, 1);
  ClickAt(CPoint(cell.right - 7, cell.top + 7));
  EXPECT_EQ(grid.clicks, 1);
  ClickAt(CPoint(cell.left + 5, cell.top + 7));
  EXPECT_EQ(grid.clicks, 1) << "a click on the text is no button click";

  grid.SetRowHeight(1, 1, 60);
  grid.SetValueRange(CGXRange(1, 2), "one two three four five six seven");
  Current(1, 2);
  Key(VK_END);
  auto* edit = Control<CGXVScrollEdit>(GX_IDS_CTRL_SCROLLEDIT);
  ASSERT_TRUE(edit->IsActive());
  EXPECT_NE(edit->CWnd::GetStyle() & WS_VSCROLL, 0u);
  const CRect text = edit->GetCellRect(1, 2, nullptr, &grid.GetStandardStyle());
  EXPECT_LE(text.right, grid.CalcCellRect(1, 2).right - ::GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(SmallCells, SpinArrowsStepWithinBoundsWrapAndStart) {
  const CRect cell = grid.CalcCellRect(1, 1);
  const CPoint up(cell.right - 8, cell.top + 3), down(cell.right - 8, cell.bottom - 3);
  const struct {
    const char *low, *high, *wrap, *start, *value;
    bool upArrow;
    const char* after;
  } cases[] = {
      {"1", "5", "1", "", "5", true, "1"},    {"1", "5", "1", "", "1", false, "5"},
      {"1", "5", "0", "", "5", true, "5"},    {"1", "5", "0", "", "1", false, "1"},
      {"", "", "", "10", "", true, "10"},     {"", "", "", "10", "", false, "10"},
      {"", "", "", "", "abc", true, "1"},     {"3", "", "", "", "abc", true, "3"},
      {"", "", "", "", "7", false, "6"},      {"", "5", "1", "", "5", true, "5"},
  };
  for (const auto& c : cases) {
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_SPINEDIT)
        .SetUserAttribute(GX_IDS_UA_SPINBOUND_MIN, c.low)
        .SetUserAttribute(GX_IDS_UA_SPINBOUND_MAX, c.high)
        .SetUserAttribute(GX_IDS_UA_SPINBOUND_WRAP, c.wrap)
        .SetUserAttribute(GX_IDS_UA_SPINSTART, c.start)
        .SetValue(c.value);
    grid.ApplyStyle(CGXRange(1, 1), style);
    Current(2, 1);
    Current(1, 1);
    ClickAt(c.upArrow ? up : down);
    Current(2, 1);
    EXPECT_EQ(Value(1, 1), c.after) << c.low << ".." << c.high << " wrap " << c.wrap << " start " << c.start
                                    << " from '" << c.value << "' " << (c.upArrow ? "up" : "down");
  }

  // A read-only spin cell activates on a click but keeps its value.
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetValue("4").SetReadOnly(TRUE));
  Current(1, 1);
  ClickAt(up);
  EXPECT_TRUE(Control<CGXSpinEdit>(GX_IDS_CTRL_SPINEDIT)->IsActive());
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "4");
}

}  // namespace
