#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXStatic.h"
#include "grid/core/GXDIB.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXStylesMap.h"
#include "platform/draw_canvas.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"

namespace {

// A windowless control that can be made active and modified, and records
// what reaches its key operations.
class EditableControl : public CGXControl {
 public:
  using CGXControl::CGXControl;
  void SetActive(BOOL on) override { active = on; }
  BOOL IsActive() override { return active; }
  void SetModify(BOOL on) override { modified = on; }
  BOOL GetModify() override { return modified; }
  void GetValue(CString& text) override {
    if (active) text = typed;
    else CGXControl::GetValue(text);
  }
  BOOL KeyDown(UINT key, UINT, UINT) override { return log.push_back("key " + std::to_string(key)), TRUE; }
  BOOL HandleChar(UINT ch, UINT, UINT) override { return log.push_back("char " + std::to_string(ch)), TRUE; }
  BOOL active = FALSE, modified = FALSE;
  CString typed;
  std::vector<std::string> log;
};

// A child that takes every press and key.
class RecordingChild : public CGXChild {
 public:
  explicit RecordingChild(CRect rect) : rect_(rect) {}
  CRect GetRect() const override { return rect_; }
  void DrawChild(CDC*, BOOL) override {}
  void Draw(CDC*, BOOL, const CGXStyle&) override { ++draws; }
  BOOL LButtonDown(UINT, CPoint) override { return ++downs, TRUE; }
  BOOL LButtonUp(UINT, CPoint) override { return ++ups, TRUE; }
  BOOL LButtonDblClk(UINT, CPoint) override { return FALSE; }
  BOOL MouseMove(UINT, CPoint) override { return TRUE; }
  BOOL MouseMoveOver(ROWCOL, ROWCOL, UINT, CPoint) override { return FALSE; }
  BOOL ProcessKeys(UINT, UINT key, UINT, UINT) override { return key == 'K'; }
  void OnWinIniChange(LPCTSTR) override {}
  void OnSysColorChange() override {}
  void OnCancelMode() override {}
  int draws = 0, downs = 0, ups = 0;

 private:
  CRect rect_;
};

// A grid that counts the clicks its controls report.
class ClickGrid : public CGXGridCore {
 public:
  BOOL OnLeftClickedCell(ROWCOL, ROWCOL, UINT, CPoint) override { return ++clicks, TRUE; }
  CGXRange* GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range) override {
    if (!covered.IsValid() || !covered.IsCellInRange(row, col)) return nullptr;
    range = covered;
    return &range;
  }
  int clicks = 0;
  CGXRange covered;
};

class CellControl : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    grid = std::make_unique<ClickGrid>();
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(10);
    grid->GetParam()->GetData()->StoreColCount(5);
  }
  void TearDown() override {
    grid.reset();
    automation::ClearResponder();
  }
  void Store(ROWCOL r, ROWCOL c, const CGXStyle& style) {
    grid->GetParam()->GetData()->StoreStyleRowCol(r, c, &style, 0, 0);
  }
  std::unique_ptr<ClickGrid> grid;
};

TEST_F(CellControl, KindTestsWalkTheControlsOwnRecords) {
  CGXHeader header(grid.get());
  CGXStatic plain(grid.get());
  EXPECT_TRUE(header.IsKindOfControl(&CGXHeader::CGXHeaderRecord));
  EXPECT_TRUE(header.IsKindOfControl(&CGXStatic::CGXStaticRecord));
  EXPECT_TRUE(header.IsKindOfControl(&CGXControl::CGXControlRecord));
  EXPECT_FALSE(plain.IsKindOfControl(&CGXHeader::CGXHeaderRecord));
  // A record of another module that carries the same name counts as the same class.
  const GXControlClass copy = {"CGXStatic", nullptr};
  EXPECT_TRUE(header.IsKindOfControl(&copy));
  EXPECT_FALSE(header.IsWndKindOf(RUNTIME_CLASS(CWnd))) << "windowless";
}

TEST_F(CellControl, BindsToOneCellAndReadsItsComposedValue) {
  Store(2, 3, CGXStyle("42"));
  CGXStatic control(grid.get());
  CString text;
  control.GetValue(text);
  EXPECT_TRUE(text.IsEmpty()) << "unbound";
  EXPECT_FALSE(control.CanCopy());
  control.Init(2, 3);
  EXPECT_TRUE(control.IsInitializedFor(2, 3));
  EXPECT_FALSE(control.IsInitializedFor(2, 4));
  control.GetValue(text);
  EXPECT_EQ(std::string(text), "42");
  control.Init(2, 4);  // the style of the first cell is thrown away
  control.GetValue(text);
  EXPECT_TRUE(text.IsEmpty());
  control.Reset();
  EXPECT_FALSE(control.IsInitialized());
  EXPECT_EQ(control.GetCellTipKind(2, 4, CGXStyle()), 0x7FFFFFFF) << "no cell tip";
}

TEST_F(CellControl, ValidationChecksTheNumericRange) {
  CGXStyle bounds;
  bounds.SetUserAttribute(GX_IDS_UA_VALID_MIN, "10").SetUserAttribute(GX_IDS_UA_VALID_MAX, "20");
  bounds.SetUserAttribute(GX_IDS_UA_VALID_MSG, "Between 10 and 20");
  Store(1, 1, bounds);
  struct Case {
    const char* typed;
    bool valid;
  } cases[] = {{"9.5", false}, {"abc", false}, {"", true}, {"10", true}, {"20", true}, {"20.01", false},
               {"15 apples", true}};
  for (const Case& c : cases) {
    EditableControl control(grid.get());
    control.Init(1, 1);
    control.active = control.modified = TRUE;
    control.typed = c.typed;
    grid->SetWarningText("");
    EXPECT_EQ(control.OnValidate() != FALSE, c.valid) << c.typed;
    EXPECT_EQ(std::string(grid->GetWarningText()), c.valid ? "" : "Between 10 and 20") << c.typed;
  }
  // Without the attributes every text is valid; so is an untouched cell.
  EditableControl free(grid.get());
  free.Init(1, 2);
  free.active = free.modified = TRUE;
  free.typed = "9.5";
  EXPECT_TRUE(free.OnValidate());
  EditableControl untouched(grid.get());
  untouched.Init(1, 1);
  EXPECT_TRUE(untouched.OnValidate());
}

TEST_F(CellControl, ChoiceLists) {
  CGXStatic control(grid.get());
  const char* list = "Apples\r\nApricots\nbananas\nApricots";
  struct Case {
    const char* find;
    BOOL exact;
    int index;
    const char* text;
  } cases[] = {{"Ap", FALSE, 0, "Apples"},     {"Ap", TRUE, -1, ""},          {"APRICOTS", TRUE, 1, "Apricots"},
               {"ban", FALSE, 2, "bananas"},  {"Bananas", FALSE, 2, "bananas"}, {"cherry", FALSE, -1, ""},
               {"", FALSE, -1, ""},           {"Apples and more", FALSE, -1, ""}};
  for (const Case& c : cases) {
    CString out("stale");
    EXPECT_EQ(control.FindStringInChoiceList(out, c.find, list, c.exact), c.index) << c.find;
    EXPECT_EQ(std::string(out), c.text) << c.find;
  }
  CString item;
  EXPECT_TRUE(control.GetChoiceListItem(item, list, 1));
  EXPECT_EQ(std::string(item), "Apricots");
  EXPECT_TRUE(control.GetChoiceListItem(item, list, 3));
  EXPECT_EQ(std::string(item), "Apricots");
  EXPECT_FALSE(control.GetChoiceListItem(item, list, 4));
  EXPECT_TRUE(item.IsEmpty());
  EXPECT_FALSE(control.GetChoiceListItem(item, list, -1));
  EXPECT_FALSE(control.GetChoiceListItem(item, nullptr, 0));
}

TEST_F(CellControl, KeysGoToTheCapturedChildFirstThenByMessage) {
  EditableControl control(grid.get());
  control.Init(1, 1);
  auto* child = new RecordingChild(CRect(0, 0, 10, 10));
  control.AddChild(child);
  EXPECT_TRUE(control.ProcessKeys(WM_KEYDOWN, VK_LEFT, 1, 0));
  EXPECT_TRUE(control.ProcessKeys(WM_CHAR, 'a', 1, 0));
  EXPECT_FALSE(control.ProcessKeys(WM_KEYUP, VK_LEFT, 1, 0)) << "the default KeyUp takes nothing";
  EXPECT_FALSE(control.ProcessKeys(WM_PAINT, 0, 0, 0));
  control.SetCapturedChild(child);
  EXPECT_TRUE(control.ProcessKeys(WM_KEYDOWN, 'K', 1, 0));  // the child keeps it
  EXPECT_EQ(control.log, (std::vector<std::string>{"key " + std::to_string(VK_LEFT), "char 97"}));
  control.RemoveChild(child);
  EXPECT_EQ(control.GetChildCount(), 0);
  EXPECT_EQ(control.GetCapturedChild(), nullptr) << "a removed child is no longer captured";
  delete child;
}

// Lays its one child out at a fixed place in a fixed cell rectangle.
class ButtonCell : public CGXControl {
 public:
  using CGXControl::CGXControl;
  CRect GetCellRect(ROWCOL, ROWCOL, const CRect*, const CGXStyle*) override { return CRect(0, 0, 50, 20); }
};

TEST_F(CellControl, PressCapturesTheChildUnderThePointAndReleaseReportsTheClick) {
  ButtonCell control(grid.get());
  control.Init(1, 1);
  auto* button = new RecordingChild(CRect(40, 0, 50, 20));
  control.AddChild(button);  // owned by the control from now on
  EXPECT_FALSE(control.LButtonDown(0, CPoint(5, 5), 4)) << "no child there";
  EXPECT_EQ(control.GetCapturedChild(), nullptr);
  EXPECT_TRUE(control.LButtonDown(0, CPoint(45, 5), 4));
  EXPECT_EQ(control.GetCapturedChild(), button);
  EXPECT_TRUE(control.LButtonUp(0, CPoint(45, 5), 0x10));
  EXPECT_EQ(button->ups, 1);
  EXPECT_EQ(grid->clicks, 1);
  control.LButtonUp(0, CPoint(80, 5), 0x10);
  EXPECT_EQ(grid->clicks, 1) << "released outside the cell";
  drawtest::Canvas canvas(60, 30);
  control.Draw(&canvas.dc, CRect(0, 0, 50, 20), 1, 1, CGXStyle(), nullptr);
  EXPECT_EQ(button->draws, 1);
}

TEST_F(CellControl, SetControlTextCutsToTheMaximumLengthAndRespectsReadOnly) {
  CGXStyle limited;
  limited.SetMaxLength(4);
  Store(3, 1, limited);
  CGXStatic control(grid.get());
  EXPECT_TRUE(control.SetControlText(3, 1, "abcdefg", 0, nullptr));
  EXPECT_EQ(std::string(grid->GetCellValue(3, 1)), "abcd");
  CGXStyle locked;
  locked.SetReadOnly(TRUE);
  Store(3, 2, locked);
  EXPECT_FALSE(control.SetControlText(3, 2, "x", 0, nullptr));
  EXPECT_TRUE(grid->GetCellValue(3, 2).IsEmpty());
  grid->GetParam()->SetReadOnlyGuard(FALSE);
  EXPECT_TRUE(control.SetControlText(3, 2, "x", 0, nullptr)) << "the guard is off";
}

TEST_F(CellControl, FactoryMakesTheStaticAndHeaderCellsOncePerGrid) {
  CGXControl* st = grid->GetRegisteredControl(GX_IDS_CTRL_STATIC);
  ASSERT_NE(st, nullptr);
  EXPECT_TRUE(st->IsKindOfControl(&CGXStatic::CGXStaticRecord));
  EXPECT_FALSE(st->IsKindOfControl(&CGXHeader::CGXHeaderRecord));
  EXPECT_EQ(grid->GetRegisteredControl(GX_IDS_CTRL_STATIC), st);
  CGXControl* header = grid->GetRegisteredControl(GX_IDS_CTRL_HEADER);
  ASSERT_NE(header, nullptr);
  EXPECT_TRUE(header->IsKindOfControl(&CGXHeader::CGXHeaderRecord));
  // Not a browser grid: the factory makes no preview control, so the grid
  // falls back on its default control, the standard style's.
  CGXControl* fallback = grid->GetRegisteredControl(GX_IDS_CTRL_OLEPREVIEW);
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(fallback, grid->GetRegisteredControl(0));
  EXPECT_EQ(fallback, grid->GetRegisteredControl(grid->GetStandardStyle().GetControl()));
  CGXStylesMap map;
  CGXControlFactory factory;
  factory.RegisterUserAttributes(&map);
  // Six of the control and the factory's own, four of the spin edit, two of
  // the check box, two of the radio cells, two of the masked edit, three of
  // the progress cell, six of the tabbed combo, seven of the currency cell
  // and eight of the date-time cell.
  EXPECT_EQ(map.GetUserAttributeMap().size(), 40u);
  EXPECT_EQ(std::string(map.GetUserAttributeMap().at(51039).name), "DateTime: Custom date format ");
  EXPECT_EQ(std::string(map.GetUserAttributeMap().at(51054).name), "Currency: Monetary Symbol. ");
  EXPECT_EQ(map.GetUserAttributeMap().count(51055), 1u);
  EXPECT_EQ(map.GetUserAttributeMap().count(51032), 0u) << "the widths text has no editor";
  EXPECT_EQ(std::string(map.GetUserAttributeMap().at(51013).name), "Valid: Warning Msg");
  factory.RegisterControlNames(&map);
  EXPECT_STREQ(map.GetControlName(GX_IDS_CTRL_EDIT), "Edit Control");
  EXPECT_STREQ(map.GetControlName(20132), "Dao object preview control");
}

TEST_F(CellControl, TheSizeACellNeedsCountsItsFrame) {
  CGXStatic control(grid.get());
  const int inset = 2 * CGXStatic::TextInset() + 1;
  CGXStyle plain;
  // One grid line on the left and one on top.
  EXPECT_EQ(control.CalcSize(40, 10, plain), CSize(40 + inset + 1, 10 + 1));
  CGXStyle framed;
  framed.SetDraw3dFrame(1).SetBorder(CGXStyle::kBottom, CGXStyleBorder(PS_SOLID, 2, RGB(0, 0, 0)));
  EXPECT_EQ(control.CalcSize(40, 10, framed), CSize(40 + inset + 1 + 2, 10 + 1 + 2 + 2));
  grid->GetParam()->m_bLinesAtRightBottom = TRUE;
  EXPECT_EQ(control.CalcSize(40, 10, framed), CSize(40 + inset + 1 + 2, 10 + 2 + 2)) << "the bottom line is the border";
}

// Red "WWW" on blue: at twice the zoom the text covers more than twice the
// pixels; printed in black and white it is black on white.
TEST_F(CellControl, StaticTextFollowsTheZoomAndPrintsInBlackAndWhite) {
  CGXStatic control(grid.get());
  CGXStyle style(grid->GetStandardStyle());
  style.SetValue("WWW").SetTextColor(RGB(255, 0, 0)).SetInteriorColor(RGB(0, 0, 255));
  const CRect cell(0, 0, 200, 60);
  auto draw = [&](drawtest::Canvas& canvas) { control.Draw(&canvas.dc, cell, 1, 1, style, nullptr); };
  drawtest::Canvas normal(200, 60), zoomed(200, 60), printed(200, 60);
  draw(normal);
  grid->SetZoom(200, 0);
  draw(zoomed);
  grid->SetZoom(100, 0);
  // The text's extent: the right-most column that is not background.
  auto right = [](const drawtest::Canvas& canvas) {
    int last = -1;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if (canvas.At(x, y) != RGB(0, 0, 255)) last = std::max(last, x);
    return last;
  };
  EXPECT_GT(right(zoomed), 2 * right(normal) - 8) << right(normal);

  grid->m_bPrinting = TRUE;
  grid->GetParam()->GetProperties()->m_bBlackWhite = TRUE;
  draw(printed);
  grid->m_bPrinting = FALSE;
  EXPECT_EQ(printed.Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(printed.Count(RGB(0, 0, 255)), 0);
  EXPECT_GT(printed.Count(RGB(0, 0, 0)), normal.Count(RGB(255, 0, 0)) / 2);
}

// A value naming a picture of the program shows the picture, not the name.
TEST_F(CellControl, StaticTextNamingABitmapShowsTheBitmap) {
  CGXStatic control(grid.get());
  CGXStyle style(grid->GetStandardStyle());
  style.SetValue("#BMP(\"ACCTBAL\")");
  HGLOBAL dib = GXGetDIBPool()->GetBitmap(style.GetValue());
  ASSERT_NE(dib, nullptr);
  const CRect cell(0, 0, 60, 40);
  drawtest::Canvas drawn(60, 40), expected(60, 40);
  control.Draw(&drawn.dc, cell, 1, 1, style, nullptr);
  GXDrawDIB(&expected.dc, dib, control.GetCellRect(1, 1, &cell, &style), 0, 0, nullptr);
  int differing = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) differing += drawn.At(x, y) != expected.At(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(CellControl, StaticTextIsInsetAndHeaderTooSmallDrawsNothing) {
  CGXStatic control(grid.get());
  const int e = CGXStatic::TextInset();
  const CRect cell(10, 10, 110, 30);
  EXPECT_EQ(control.GetCellRect(1, 1, &cell, nullptr), CRect(10 + e, 10, 110 - e / 2, 30));
  CGXStyle right;
  right.SetHorizontalAlignment(DT_RIGHT);
  EXPECT_EQ(control.GetCellRect(1, 1, &cell, &right), CRect(10 + e, 10, 110 - e - 1, 30));

  CGXHeader header(grid.get());
  drawtest::Canvas canvas(40, 40);
  CGXStyle red;
  red.SetInteriorColor(RGB(255, 0, 0)).SetValue("A");
  header.Draw(&canvas.dc, CRect(5, 5, 5 + e + e / 2 + 1, 30), 0, 1, red, nullptr);
  EXPECT_EQ(canvas.At(5, 10), RGB(255, 255, 255)) << "a cell one pixel wide inside its insets stays untouched";
  header.Draw(&canvas.dc, CRect(5, 5, 35, 30), 0, 1, red, nullptr);
  EXPECT_EQ(canvas.At(20, 12), RGB(255, 0, 0)) << "the header fills its interior";
}

TEST_F(CellControl, CurrentCellFrameFollowsTheCurrentCellProperty) {
  CGXGridParam* param = grid->GetParam();
  param->m_wCurrentCellFrame = 0;  // drawn whether or not the grid has the focus
  CGXStatic control(grid.get());
  struct Case {
    const char* kind;
    COLORREF edge, inner;  // at (10, 15) and (11, 15) on white
  } cases[] = {{"No Border.", RGB(255, 255, 255), RGB(255, 255, 255)},
               {"Thin Border.", RGB(0, 0, 0), RGB(255, 255, 255)},
               {"Thick Border.", RGB(0, 0, 0), RGB(0, 0, 0)},
               {"Invert Thin.", RGB(0, 0, 0), RGB(255, 255, 255)},
               {"Invert Thick.", RGB(0, 0, 0), RGB(0, 0, 0)},
               {"anything else", RGB(0, 0, 0), RGB(255, 255, 255)}};
  for (const Case& c : cases) {
    CGXStyle kind;
    kind.SetValue(c.kind);
    param->GetProperties()->SetUserProperty(51005, kind);
    drawtest::Canvas canvas(40, 40);
    control.DrawFrame(&canvas.dc, CRect(10, 10, 30, 20));
    EXPECT_EQ(canvas.At(10, 15), c.edge) << c.kind;
    EXPECT_EQ(canvas.At(11, 15), c.inner) << c.kind;
    EXPECT_EQ(canvas.At(20, 15), RGB(255, 255, 255)) << c.kind;
  }
  param->m_wCurrentCellFrame = 2;  // only while the grid has the focus, and it has no window here
  drawtest::Canvas canvas(40, 40);
  control.DrawFrame(&canvas.dc, CRect(10, 10, 30, 20));
  EXPECT_EQ(canvas.At(10, 15), RGB(255, 255, 255));
}

TEST_F(CellControl, HeaderMarksTheSelectedColumnBoldAndRaised) {
  CGXGridParam* param = grid->GetParam();
  param->m_bMarkSelectedHeaders = TRUE;
  param->m_SelRects.AddTail(new CGXRange(CGXRange().SetCol(2)));
  CGXHeader header(grid.get());
  EXPECT_TRUE(header.MarkEditHeader(0, 2, CGXStyle()));
  EXPECT_FALSE(header.MarkEditHeader(0, 3, CGXStyle()));
  CGXStyle look;
  look.SetInteriorColor(RGB(192, 192, 192));
  drawtest::Canvas selected(40, 30), other(40, 30);
  header.Draw(&selected.dc, CRect(0, 0, 40, 30), 0, 2, look, nullptr);
  header.Draw(&other.dc, CRect(0, 0, 40, 30), 0, 3, look, nullptr);
  // Raised: a white left edge and a black right edge; pressed: grey shadow lines only.
  EXPECT_EQ(selected.At(0, 15), RGB(255, 255, 255));
  EXPECT_EQ(selected.At(39, 15), RGB(0, 0, 0));
  EXPECT_EQ(other.At(39, 15), RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(other.At(20, 29), RGB(0x80, 0x80, 0x80));
}

TEST_F(CellControl, StoringIntoTheCurrentCellRefreshesItsBoundControl) {
  grid->SetCurrentCellForStyles(2, 2);
  EditableControl control(grid.get());
  control.Init(2, 2);
  control.modified = TRUE;
  CGXStyle value("new");
  ASSERT_NE(control.StoreStyleRowCol(2, 2, &value, 0, 0, nullptr), nullptr);
  CString text;
  EXPECT_TRUE(control.GetCurrentText(text));
  EXPECT_EQ(std::string(text), "new");
  EXPECT_TRUE(control.modified) << "kept unless the store replaces the cell";
  CGXStyle other("newer");
  control.StoreStyleRowCol(2, 2, &other, 2, 0, nullptr);
  EXPECT_FALSE(control.modified);
  // A store into the current cell while the control is bound elsewhere binds it there.
  control.Init(3, 3);
  control.StoreStyleRowCol(2, 2, &value, 0, 0, nullptr);
  EXPECT_TRUE(control.IsInitializedFor(2, 2));
  CGXStyle locked;
  locked.SetReadOnly(TRUE);
  EXPECT_EQ(control.StoreStyleRowCol(2, 2, &value, 0, 0, &locked), nullptr);
}

TEST_F(CellControl, ScrollingEndsEditingOfABlockCutByTheFrozenBoundary) {
  grid->GetParam()->m_nFrozenCols = 2;
  struct Case {
    CGXRange block;
    bool stays;
  } cases[] = {{CGXRange(1, 1, 1, 2), true}, {CGXRange(1, 2, 1, 3), false}, {CGXRange(1, 3, 1, 4), true},
               {CGXRange(), true}};
  for (const Case& c : cases) {
    grid->covered = c.block;
    EditableControl control(grid.get());
    const ROWCOL col = c.block.IsValid() ? c.block.left : 3;
    control.Init(1, col);
    control.active = TRUE;
    control.OnGridScroll(nullptr);
    EXPECT_EQ(control.active != FALSE, c.stays) << c.block.left << "-" << c.block.right;
  }
}

TEST_F(CellControl, ThrowingTheStyleAwayLeavesTheCurrentCellWhereItIs) {
  grid->SetCurrentCellForStyles(5, 2);
  CGXStatic control(grid.get());
  control.Init(1, 1);
  control.Reset();
  ROWCOL row = 0, col = 0;
  ASSERT_TRUE(grid->GetCurrentCell(row, col));
  EXPECT_EQ(row, 5u);
  EXPECT_EQ(col, 2u);
}

TEST_F(CellControl, SelectedRowsAndRanges) {
  CDWordArray rows;
  grid->SetCurrentCellForStyles(7, 2);
  EXPECT_EQ(grid->GetSelectedRows(rows, FALSE, TRUE), 1u);
  EXPECT_EQ(rows[0], 7u);
  EXPECT_EQ(grid->GetSelectedRows(rows, FALSE, FALSE), 0u);
  CGXRangeList& selection = grid->GetParam()->m_SelRects;
  selection.AddTail(new CGXRange(2, 1, 4, 2));
  selection.AddTail(new CGXRange(3, 3, 5, 3));
  EXPECT_EQ(grid->GetSelectedRows(rows, FALSE, TRUE), 4u);
  EXPECT_EQ(std::vector<DWORD>(rows.GetData(), rows.GetData() + rows.GetSize()), (std::vector<DWORD>{2, 3, 4, 5}));
  selection.DeleteAll();
  const ROWCOL top = selection.GetAt(selection.AddTail(new CGXRange(CGXRange().SetCol(2))))->top;
  EXPECT_EQ(grid->GetSelectedRows(rows, FALSE, TRUE), 10u - top + 1) << "a column counts as all its rows";
  EXPECT_EQ(rows[rows.GetSize() - 1], 10u);

  CGXRangeList list;
  list.AddTail(new CGXRange(9, 9));
  EXPECT_TRUE(grid->GetSelectedRanges(list, TRUE));
  ASSERT_EQ(list.GetCount(), 1) << "the old ranges are deleted first";
  EXPECT_TRUE(list.GetHead()->IsCols());
  EXPECT_TRUE(grid->IsCellInList(4, 2, list));
  EXPECT_FALSE(grid->IsCellInList(4, 3, list));
  selection.DeleteAll();
  EXPECT_TRUE(grid->GetSelectedRanges(list, TRUE));
  EXPECT_EQ(*list.GetHead(), CGXRange(7, 2)) << "the current cell stands in for an empty selection";
  EXPECT_FALSE(grid->GetSelectedRanges(list, FALSE));
}

TEST(GridInitialize, FactoryEnablesFeaturesAndGivesTheDefaultControl) {
  struct CountingFactory : CGXControlFactory {
    int* enabled;
    explicit CountingFactory(int* n) : enabled(n) {}
    void EnableGridFeatures(CGXGridCore*) override { ++*enabled; }
  };
  automation::ResetWindows();
  int enabled = 0;
  GXInitLibrary(new CountingFactory(&enabled));
  {
    ClickGrid grid;
    EXPECT_EQ(enabled, 1) << "features are installed once, when the grid is built";
    EXPECT_EQ(grid.GetRegisteredControl(0), nullptr) << "no default control before initialising";
    grid.Initialize();
    EXPECT_EQ(enabled, 1);
    ASSERT_TRUE(grid.IsInitialized());
    const WORD standard = grid.GetStandardStyle().GetControl();
    CGXControl* control = grid.GetRegisteredControl(0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(grid.GetRegisteredControl(standard), control);
  }
  {
    // Built before the library has a factory, as a member of an object made
    // early: the features come when the grid is initialised.
    GXInitLibrary(nullptr);
    ClickGrid early;
    enabled = 0;
    GXInitLibrary(new CountingFactory(&enabled));
    early.Initialize();
    EXPECT_EQ(enabled, 1);
    early.Initialize();
    EXPECT_EQ(enabled, 1) << "initialised again, the grid keeps its features";
  }
  GXInitLibrary(nullptr);
  ClickGrid bare;
  bare.Initialize();
  EXPECT_EQ(bare.GetRegisteredControl(0), nullptr) << "without a factory the grid has no default control";
  EXPECT_EQ(bare.GetRegisteredControl(GX_IDS_CTRL_EDIT), nullptr);
  automation::ClearResponder();
}

}  // namespace
