// The tabbed windows combo cell in a grid: the key stored, the text shown,
// typing completed from the rows' first fields, and the dropped list drawn
// in columns under its title header, beside the cell wherever it fits.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/cells/GXTabbedComboBoxWnd.h"
#include "grid/core/GXDIB.h"
#include "platform/draw_canvas.h"
#include "support/GoldenImage.h"

namespace {

// The visible dropped list of a combo box, if any.
HWND DroppedList() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM out) -> BOOL {
        char name[32] = "";
        ::GetClassName(hwnd, name, sizeof name);
        if (CString(name).CompareNoCase(WC_COMBOLBOX) != 0 || !::IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

CRect ScreenRect(HWND hwnd) {
  CRect r;
  ::GetWindowRect(hwnd, &r);
  return r;
}

// Renders the windows one above the other into one picture.
bool RenderStacked(const std::vector<HWND>& windows, const std::string& path) {
  std::vector<cairo_surface_t*> parts;
  int width = 0, height = 0;
  for (size_t i = 0; i < windows.size(); ++i) {
    const std::string part = path + "." + std::to_string(i) + ".png";
    if (!automation::RenderToPng(windows[i], part)) return false;
    parts.push_back(cairo_image_surface_create_from_png(part.c_str()));
    width = std::max(width, cairo_image_surface_get_width(parts.back()));
    height += cairo_image_surface_get_height(parts.back());
  }
  cairo_surface_t* whole = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(whole);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  int y = 0;
  for (cairo_surface_t* part : parts) {
    cairo_set_source_surface(cr, part, 0, y);
    cairo_paint(cr);
    y += cairo_image_surface_get_height(part);
    cairo_surface_destroy(part);
  }
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(whole, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(whole);
  return written;
}

class TabbedComboWnd : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    const CGXStyle rows = CGXStyle()
                              .SetChoiceList("Red\tR1\nGreen\tG2\nBlue\tB3")
                              .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "1")
                              .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "0");
    Column(1, CGXStyle(rows).SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN));
    Column(2, CGXStyle(rows).SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST));
    // A chart of accounts: number (the key), name (shown), kind; titles on.
    Column(3, CGXStyle()
                  .SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)
                  .SetChoiceList("No.\tAccount\tKind\n1000\tCash Box\tAsset\n1010\tCash\tAsset\n4000\tDues\tIncome")
                  .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0")
                  .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1")
                  .SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1"));
  }
  CGXTabbedComboBoxWnd* Accounts() { return Control<CGXTabbedComboBoxWnd>(GX_IDS_CTRL_CBS_TABBED_DROPDOWN); }
  // Drops the list of the accounts cell in the given row.
  HWND Drop(ROWCOL row) {
    Current(row, 3);
    Key(VK_DOWN, false, false, true);
    return DroppedList();
  }
  // Starts editing the current cell, which puts the combo over it.
  void Activate() {
    Accounts()->SetActive(TRUE);
    Accounts()->Refresh();
    automation::PumpUntilIdle();
  }
  std::string Field() {
    CString text;
    Accounts()->GetWindowText(text);
    return std::string(text);
  }
};

TEST_F(TabbedComboWnd, StoresTheKeyShowsTheTextAndCompletesTyping) {
  grid.SetValueRange(CGXRange(1, 1), "G2");
  EXPECT_EQ(Shown(1, 1), "Green");
  auto* combo = Control<CGXTabbedComboBoxWnd>(GX_IDS_CTRL_CBS_TABBED_DROPDOWN);
  Current(1, 1);
  CString field;
  combo->GetWindowText(field);
  EXPECT_EQ(std::string(field), "Green") << "only the first field shows";

  Current(2, 1);
  Key(VK_END);
  Type("bx");  // b completes Blue; no row continues "bx"
  combo->GetWindowText(field);
  EXPECT_EQ(std::string(field), "Blue");
  Current(3, 1);
  EXPECT_EQ(Value(2, 1), "B3");

  // Text typed into an inactive cell by the grid converts to its key.
  CString text = "red";
  EXPECT_TRUE(combo->ConvertControlTextToValue(text, 4, 1, nullptr));
  EXPECT_EQ(std::string(text), "R1");
  text = "Purple";
  EXPECT_FALSE(combo->ConvertControlTextToValue(text, 4, 1, nullptr));

  // The drop-down list gives the first field of its selected row, and its
  // selection field shows only that field.
  grid.SetValueRange(CGXRange(1, 2), "R1");
  auto* list = Control<CGXTabbedComboBoxWnd>(GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST);
  EXPECT_TRUE(list->m_bDropDownOnClick);
  EXPECT_EQ(Shown(1, 2), "Red");
  Current(1, 2);
  Key(VK_DOWN, false, false, true);
  Key(VK_DOWN);
  Key(VK_RETURN);
  CString value;
  list->GetValue(value);
  EXPECT_EQ(std::string(value), "Green");
  EXPECT_TRUE(golden::Matches("grid/tabbed_combo_wnd_field.png",
                              [&](const std::string& path) { return automation::RenderToPng(list->m_hWnd, path); }));
  Current(2, 2);
  EXPECT_EQ(Value(1, 2), "G2");
}

TEST_F(TabbedComboWnd, DroppedListShowsColumnsUnderTheTitles) {
  grid.SetValueRange(CGXRange(1, 3), "1010");
  const HWND list = Drop(1);
  ASSERT_NE(list, nullptr);
  CGXTabbedComboBoxWnd* combo = Accounts();
  EXPECT_EQ(Field(), "Cash") << "the selection field shows the text column only";
  const HWND header = combo->m_pHeader->GetSafeHwnd();
  ASSERT_TRUE(header != nullptr && ::IsWindowVisible(header));
  const CRect field = ScreenRect(combo->m_hWnd), top = ScreenRect(header), rows = ScreenRect(list);
  EXPECT_EQ(top.top, field.bottom);
  EXPECT_EQ(rows.top, top.bottom);
  EXPECT_EQ(top.left, rows.left);
  EXPECT_EQ(top.Width(), rows.Width());
  // Wide enough for all three columns, wider than the 100-pixel cell.
  EXPECT_EQ(rows.Width(), combo->m_nTotalWidth);
  EXPECT_GT(rows.Width(), field.Width());
  EXPECT_EQ(combo->m_nTabCount, 2);
  EXPECT_TRUE(golden::Matches("grid/tabbed_combo_wnd_list.png",
                              [&](const std::string& path) { return RenderStacked({header, list}, path); }));
  // A list put back onto the header (a display may echo an older place of
  // a window moved twice) goes under it again when it next paints.
  ::SetWindowPos(list, nullptr, rows.left, field.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(list, nullptr, TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(ScreenRect(list).top, top.bottom);
  EXPECT_EQ(ScreenRect(header).top, field.bottom);
  // Closing the list takes the header with it.
  Key(VK_ESCAPE);
  EXPECT_FALSE(::IsWindowVisible(header));
  EXPECT_EQ(DroppedList(), nullptr);
}

TEST_F(TabbedComboWnd, DroppedListStaysOnTheScreen) {
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    const char* where;
    CPoint origin;  // of the grid window
    bool above;     // no room below the cell
    bool shifted;   // the list would pass the right edge
  } cases[] = {
      {"top left", CPoint(0, 0), false, false},
      {"bottom", CPoint(0, screenH - 60), true, false},
      {"right edge", CPoint(screenW - 340, 0), false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    grid.MoveWindow(c.origin.x, c.origin.y, 500, 300);
    const HWND list = Drop(1);
    ASSERT_NE(list, nullptr);
    const CRect field = ScreenRect(Accounts()->m_hWnd);
    const CRect top = ScreenRect(Accounts()->m_pHeader->GetSafeHwnd()), rows = ScreenRect(list);
    if (c.above) {
      EXPECT_EQ(rows.bottom, field.top);
      EXPECT_EQ(top.bottom, rows.top);
    } else {
      EXPECT_EQ(top.top, field.bottom);
      EXPECT_EQ(rows.top, top.bottom);
    }
    EXPECT_EQ(rows.left, c.shifted ? screenW - rows.Width() : field.left);
    EXPECT_LE(rows.right, screenW);
    EXPECT_GE(rows.top, 0);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
  }
}

TEST_F(TabbedComboWnd, NewRowsForTheCurrentCellAndItsWidth) {
  grid.SetValueRange(CGXRange(1, 3), "1010");
  Current(1, 3);
  EXPECT_EQ(Field(), "Cash");
  // Rows stored into the cell being edited show at once, in new columns.
  grid.ApplyStyle(CGXRange(1, 3), CGXStyle()
                                          .SetChoiceList("Name\tNo.\nPetty cash\t1010\nBank\t1020")
                                          .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "1")
                                          .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "0")
                                          .SetUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS, "70,30"));
  automation::PumpUntilIdle();
  EXPECT_EQ(Field(), "Petty cash");
  Key(VK_DOWN, false, false, true);
  const HWND list = DroppedList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(::SendMessage(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(Accounts()->m_TabStops[0], 70);
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);

  // A column fitted to its cells makes room for the shown text and the
  // button, not for the fields left unshown.
  Column(4, CGXStyle()
                .SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)
                .SetChoiceList("X\ta description far too long to show in any cell of this grid")
                .SetValue("X"));
  grid.ResizeColWidthsToFit(CGXRange().SetCols(4, 4));
  EXPECT_GT(grid.GetColWidth(4), 19);
  EXPECT_LT(grid.GetColWidth(4), 50);
}

TEST(TabbedLine, HeightRisesToThePicturesOfItsShownFields) {
  // 20033 is 25 pixels high, 102 is 53; the text is 16.
  const struct {
    const char* item;
    BOOL showAll;
    int textCol;
    int height;
  } cases[] = {
      {"Cash\t1010", TRUE, 0, 16},
      {"#BMP(20033)\tCash", TRUE, 0, 25},
      {"Cash\t#BMP(102)", TRUE, 0, 53},
      {"Cash\t#BMP(102)", FALSE, 0, 16},            // only the first field shows
      {"#BMP(102)\t1010\tCash", TRUE, 1, 16},       // the shown copy before the row is skipped
      {"#BMP(102)\t1010\t#BMP(102)", TRUE, 1, 53},
      {"#BMP(\"NOSUCH\")\tCash", TRUE, 0, 16},    // a missing picture is no picture
  };
  for (const auto& c : cases)
    EXPECT_EQ(GXTabbedLineHeight(16, c.item, c.showAll, c.textCol), c.height) << c.item << " " << c.showAll;
}

TEST_F(TabbedComboWnd, RowsAndTitlesNamingPicturesShowThem) {
  // Kinds shown as pictures: the titles name one of 25 x 25 pixels, a row
  // one of 40 x 53, the other row a word.
  Column(4, CGXStyle()
                .SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)
                .SetChoiceList("No.\t#BMP(20033)\n1000\t#BMP(102)\n1010\tCash")
                .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0")
                .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1")
                .SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1"));
  grid.SetValueRange(CGXRange(1, 4), "1000");
  grid.SetValueRange(CGXRange(2, 4), "1000");
  auto* combo = Accounts();

  // Fitted to the picture the cell may show, not to its reference text.
  grid.ResizeColWidthsToFit(CGXRange().SetCols(4, 4));
  grid.ResizeRowHeightsToFit(CGXRange().SetRows(2, 2));
  EXPECT_GE(grid.GetColWidth(4), 40);
  EXPECT_LT(grid.GetColWidth(4), 40 + 30);
  EXPECT_GE(grid.GetRowHeight(2), 53);

  // A cell not being edited shows the picture its key names.
  CGXStyle style;
  grid.ComposeStyleRowCol(2, 4, style);
  const CRect cell = grid.CalcCellRect(2, 4);
  const CRect at(0, 0, cell.Width(), cell.Height());
  drawtest::Canvas drawn(at.Width(), at.Height()), expected(at.Width(), at.Height());
  combo->Draw(&drawn.dc, at, 2, 4, style, nullptr);
  const CRect inside = combo->GetCellRect(2, 4, &at, &style);
  GXDrawDIB(&expected.dc, GXGetDIBPool()->GetBitmap("#BMP(102)"), inside, 0, 0, nullptr);
  int differing = 0;
  for (int y = inside.top; y < std::min<int>(inside.top + 53, at.bottom); ++y)
    for (int x = inside.left; x < inside.left + 40; ++x) differing += drawn.At(x, y) != expected.At(x, y);
  EXPECT_EQ(differing, 0) << "the picture, not its name";

  // The dropped list's row and its header grow to their pictures.
  Current(1, 4);
  Key(VK_DOWN, false, false, true);
  const HWND list = DroppedList();
  ASSERT_NE(list, nullptr);
  const int text = combo->m_nLineHeight;
  ASSERT_LT(text, 25);
  EXPECT_EQ(combo->GetItemHeight(0), 53u);
  EXPECT_EQ(combo->GetItemHeight(1), static_cast<UINT>(text)) << "a row of words keeps the text height";
  const HWND header = combo->m_pHeader->GetSafeHwnd();
  EXPECT_EQ(ScreenRect(header).Height(), 25 + 4);
  EXPECT_EQ(combo->m_TabStops[1] - combo->m_TabStops[0], 40 + 4) << "the picture column is as wide as its picture";
  EXPECT_TRUE(golden::Matches("grid/tabbed_combo_wnd_pictures.png",
                              [&](const std::string& path) { return RenderStacked({header, list}, path); }));
  Key(VK_ESCAPE);
}

TEST_F(TabbedComboWnd, ChoosingARowStoresItsKey) {
  // "Cash Box" comes first and begins like "Cash": each stores its own key.
  HWND list = Drop(1);
  ASSERT_NE(list, nullptr);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Field(), "Cash");
  Current(2, 3);
  EXPECT_EQ(Value(1, 3), "1010");

  list = Drop(2);
  ASSERT_NE(list, nullptr);
  CRect item;
  ::SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  automation::Click(list, item.CenterPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(DroppedList(), nullptr);
  EXPECT_EQ(Field(), "Dues");
  Current(3, 3);
  EXPECT_EQ(Value(2, 3), "4000");

  list = Drop(3);
  ASSERT_NE(list, nullptr);
  ::SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  automation::Click(list, item.CenterPoint());
  automation::PumpUntilIdle();
  Current(4, 3);
  EXPECT_EQ(Value(3, 3), "1010");
  EXPECT_EQ(Shown(3, 3), "Cash");

  // A read-only cell keeps its row whatever is chosen or typed.
  grid.SetValueRange(CGXRange(5, 3), "1010");
  grid.ApplyStyle(CGXRange(5, 3), CGXStyle().SetReadOnly(TRUE));
  if (Drop(5) != nullptr) {
    Key(VK_DOWN);
    Key(VK_RETURN);
  }
  Type("D");
  EXPECT_EQ(Field(), "Cash");
  // Its edit refuses typing, while the combo keeps the keyboard.
  const HWND edit = ::GetWindow(Accounts()->GetSafeHwnd(), GW_CHILD);
  ASSERT_NE(edit, nullptr);
  EXPECT_NE(::GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_TRUE(::IsWindowEnabled(Accounts()->GetSafeHwnd()));
  Current(6, 3);
  EXPECT_EQ(Value(5, 3), "1010");
  Activate();
  EXPECT_EQ(::GetWindowLong(edit, GWL_STYLE) & ES_READONLY, 0);

  // The cell's button drops the list of a cell not being edited.
  Current(7, 3);
  ASSERT_FALSE(Accounts()->IsActive());
  Accounts()->OnClickedButton(Accounts()->m_pButton);
  automation::PumpUntilIdle();
  EXPECT_TRUE(Accounts()->IsActive());
  EXPECT_NE(DroppedList(), nullptr);
  // Repainting the grid leaves the list open.
  grid.Invalidate(TRUE);
  grid.UpdateWindow();
  automation::PumpUntilIdle();
  EXPECT_NE(DroppedList(), nullptr);
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);

  // Escape closes the list, then gives up the row chosen in it.
  ASSERT_NE(Drop(3), nullptr);
  Key(VK_DOWN);
  EXPECT_EQ(Field(), "Dues");
  Key(VK_ESCAPE);
  EXPECT_EQ(DroppedList(), nullptr);
  Key(VK_ESCAPE);
  EXPECT_EQ(Field(), "Cash");
  Current(4, 3);
  EXPECT_EQ(Value(3, 3), "1010");
}

}  // namespace

TEST_F(TabbedComboWnd, OneClickDropsTheListOfTheCurrentCell) {
  // The click reaches the combo as a click on its own arrow, which comes
  // where the cell's button was: at the cell's right edge.
  grid.SetValueRange(CGXRange(2, 3), "4000");
  grid.SetValueRange(CGXRange(2, 2), "G2");
  const struct {
    const char* what;
    ROWCOL col;
    bool onButton;  // else into the text
    const char* shown;
  } cases[] = {
      {"the button of a drop-down combo", 3, true, "Dues"},
      {"the button of a drop-down list", 2, true, "Green"},
      {"the text of a drop-down list, which drops on a click", 2, false, "Green"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Current(2, c.col);
    auto* combo = static_cast<CGXTabbedComboBoxWnd*>(grid.GetRegisteredControl(
        c.col == 3 ? GX_IDS_CTRL_CBS_TABBED_DROPDOWN : GX_IDS_CTRL_CBS_TABBED_DROPDOWNLIST));
    ASSERT_FALSE(combo->IsActive());
    const CRect cell = grid.CalcCellRect(2, c.col), button = combo->m_pButton->GetRect();
    ASSERT_FALSE(button.IsRectEmpty());
    EXPECT_EQ(button.right, cell.right - 1);
    ClickAt(c.onButton ? button.CenterPoint() : CPoint(cell.left + 10, cell.CenterPoint().y));
    EXPECT_TRUE(combo->IsActive());
    EXPECT_NE(DroppedList(), nullptr);
    CString shown;
    combo->GetValue(shown);
    EXPECT_EQ(std::string(shown), c.shown);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    Current(1, 1);
  }
}

TEST_F(TabbedComboWnd, DroppedListHoldsUpToEightRows) {
  // The combo's dropped height grows by one row's height per row, and stops
  // growing at eight rows; more rows scroll.
  auto dropHeight = [&](const char* rows) {
    Column(4, CGXStyle().SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN).SetChoiceList(rows));
    Current(1, 4);
    Activate();
    CRect r;
    Accounts()->GetDroppedControlRect(&r);
    Current(1, 1);
    return r.Height();
  };
  const int none = dropHeight(""), three = dropHeight("a\nb\nc"), eight = dropHeight("a\nb\nc\nd\ne\nf\ng\nh"),
            twelve = dropHeight("a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl");
  const int row = Accounts()->m_nLineHeight + 2;
  EXPECT_EQ(three - none, 3 * row);
  EXPECT_EQ(eight - none, 8 * row);
  EXPECT_EQ(twelve, eight);
}

TEST_F(TabbedComboWnd, ActiveComboMovesOnlyWhenItsPlaceChanged) {
  Current(1, 3);
  Activate();
  CGXTabbedComboBoxWnd* combo = Accounts();
  ASSERT_TRUE(combo->IsWindowVisible());
  const CRect placed = ScreenRect(combo->m_hWnd);
  CPoint moved = placed.TopLeft();
  grid.ScreenToClient(&moved);
  moved.Offset(0, 40);
  combo->SetWindowPos(nullptr, moved.x, moved.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // One repaint is let pass while a click is on its way to the combo ...
  combo->m_bSkipNextActiveDraw = TRUE;
  grid.Invalidate();
  automation::PumpUntilIdle();
  EXPECT_EQ(ScreenRect(combo->m_hWnd).top, placed.top + 40);
  EXPECT_FALSE(combo->m_bSkipNextActiveDraw);
  // ... and the next one puts the combo back over its cell.
  grid.Invalidate();
  automation::PumpUntilIdle();
  EXPECT_EQ(ScreenRect(combo->m_hWnd), placed);
}
