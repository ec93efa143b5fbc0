// The rich edit cell in a grid: plain text kept through escapes, formats
// going into the value or into the selection while editing, the length
// limit on the plain text, rich text through the clipboard, the row growing
// while typing, find and replace inside the text, printing, and a drawn
// cell of mixed formats.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/PaintedGridTest.h"
#include "grid/cells/GXRichEditCtrl.h"
#include "grid/core/GXFindReplaceState.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/framework/PrintInfo.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "platform/window/Clipboard.h"
#include "reports/RptPdf.h"
#include "support/GoldenImage.h"

namespace {

class RichEditCell : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    Column(1, CGXStyle().SetControl(GX_IDS_CTRL_RICHEDIT));
  }
  CGXRichEditCtrl* Cell() { return Control<CGXRichEditCtrl>(GX_IDS_CTRL_RICHEDIT); }
  RtfDocument Doc(ROWCOL row) { return ReadRtf(Value(row, 1)); }
};

TEST_F(RichEditCell, TypedPlainTextIsStoredEscapedAndShownAsTyped) {
  Current(1, 1);
  Type("C:\\temp {x}");
  Current(2, 1);
  EXPECT_EQ(Shown(1, 1), "C:\\temp {x}");
  EXPECT_NE(Value(1, 1), "C:\\temp {x}") << "the value is a stream";

  // Plain text given to the cell goes in whole, in braces, escaped.
  Current(2, 1);
  Cell()->SetValue("a\\b");
  Current(3, 1);
  EXPECT_EQ(ReadRtf(Value(2, 1)).PlainText(), "a\\b");

  // A maximum length cuts the plain text, not the stream.
  CString text = "abcdef\\";
  ASSERT_TRUE(Cell()->ConvertControlTextToValue(text, 3, 1, &CGXStyle().SetMaxLength(4)));
  EXPECT_EQ(std::string(text), "{abcd}");
}

TEST_F(RichEditCell, PlainValuesGivenByTheGridKeepTheirCharacters) {
  // A value that is no stream is stored as one, read as its characters.
  grid.SetValueRange(CGXRange(1, 1), "C:\\temp {x}");
  EXPECT_EQ(Shown(1, 1), "C:\\temp {x}");
  EXPECT_EQ(Value(1, 1).front(), '{') << Value(1, 1);
  Current(1, 1);
  Key(VK_END);
  Type("!");
  Current(2, 1);
  EXPECT_EQ(Shown(1, 1), "C:\\temp {x}!");

  // Text typed into the grid is cut to the limit before it becomes a stream.
  grid.ApplyStyle(CGXRange(3, 1), CGXStyle().SetMaxLength(4));
  ASSERT_TRUE(Cell()->SetControlText(3, 1, "ab{}ef", 0, nullptr));
  EXPECT_EQ(Shown(3, 1), "ab{}");
  EXPECT_EQ(Value(3, 1).back(), '}') << Value(3, 1);
}

TEST_F(RichEditCell, FormatsGoIntoTheValueAndEditsKeepThem) {
  grid.SetValueRange(CGXRange(1, 1), "{plain}");
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetFont(CGXFont().SetBold(TRUE)).SetTextColor(RGB(255, 0, 0)));
  RtfDocument doc = Doc(1);
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
  EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold);
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.colour, RGB(255, 0, 0));
  CGXStyle stored;
  grid.GetParam()->GetData()->GetStyleRowCol(1, 1, stored, 0, 0);
  EXPECT_FALSE(stored.GetIncludeFont()) << "the style keeps no font";
  EXPECT_FALSE(stored.GetIncludeTextColor());
  EXPECT_EQ(Shown(1, 1), "plain");

  Current(1, 1);
  Key(VK_END);
  ASSERT_TRUE(Cell()->IsActive());
  Type("er");
  Current(2, 1);
  doc = Doc(1);
  EXPECT_EQ(doc.PlainText(), "plainer");
  EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold) << "the edit keeps the value's format";

  // Rich text on the clipboard comes in whole.
  Current(1, 1);
  ASSERT_TRUE(Cell()->Copy());
  Current(3, 1);
  ASSERT_TRUE(Cell()->CanPaste());
  ASSERT_TRUE(Cell()->Paste());
  Current(4, 1);
  EXPECT_EQ(Doc(3), Doc(1));
}

TEST_F(RichEditCell, FormattingAWordWhileEditingLeavesTheRest) {
  Current(1, 1);
  Type("Camp fees paid");
  Key(VK_LEFT, true, true);  // selects "paid" in the editing window
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetFont(CGXFont().SetBold(TRUE)));
  ASSERT_TRUE(Cell()->IsActive()) << "formatting the selection goes on editing";
  CGXStyle shown;
  ASSERT_TRUE(Cell()->GetCurrentStyleValue(1, 1, shown));
  EXPECT_TRUE(shown.GetFont().GetBold()) << "the selection's format";
  Current(2, 1);
  RtfCharFormat bold;
  bold.bold = true;
  const std::vector<RtfRun> expected{{"Camp fees ", {}}, {"paid", bold}};
  EXPECT_EQ(Doc(1).paragraphs[0].runs, expected);
  CGXStyle stored;
  grid.GetParam()->GetData()->GetStyleRowCol(1, 1, stored, 0, 0);
  EXPECT_FALSE(stored.GetIncludeFont());

  // Loaded again, typing at the end goes on in the bold of the word before.
  Current(1, 1);
  Key(VK_END);
  Type("!");
  Current(2, 1);
  EXPECT_EQ(Doc(1).paragraphs[0].runs.back().text, "paid!");
  EXPECT_TRUE(Doc(1).paragraphs[0].runs.back().format.bold);
}

TEST_F(RichEditCell, TheRowGrowsWhileTypingButNotPastTheGridAndShrinksBack) {
  Column(1, CGXStyle().SetAutoSize(TRUE));
  const int initial = grid.GetRowHeight(1);
  Current(1, 1);
  Type("Subscriptions for the summer camp");
  const int grown = grid.GetRowHeight(1);
  EXPECT_GT(grown, initial) << "the text wraps in a 100-pixel column";
  for (int i = 0; i < 6; ++i) Type(" and the tents and the minibus");
  const int limit = grid.GetGridRect().Height() - grid.GetRowHeight(0) - 1;
  EXPECT_GT(grid.GetRowHeight(1), grown);
  EXPECT_LE(grid.GetRowHeight(1), limit);

  Key('A', false, true);
  Key(VK_DELETE);
  EXPECT_EQ(grid.GetRowHeight(1), initial) << "back to its height when editing began";
  Type("x");
  EXPECT_EQ(grid.GetRowHeight(1), initial);

  // Without the attribute the row keeps its height.
  Column(1, CGXStyle().SetAutoSize(FALSE));
  Current(2, 1);
  Type("Subscriptions for the summer camp");
  EXPECT_EQ(grid.GetRowHeight(2), initial);
}

TEST_F(RichEditCell, FindsAndReplacesInsideTheText) {
  const char* value = "{\\rtf1 Tent \\b pegs\\b0  and tent poles}";
  grid.SetValueRange(CGXRange(2, 1), value);
  grid.SetValueRange(CGXRange(3, 1), value);
  Current(1, 1);
  GXFindReplaceState find;
  find.strFind = "tent";
  find.bCase = TRUE;
  // In another cell: it becomes current, editing, with the hit selected.
  ASSERT_TRUE(Cell()->FindText(&find, 2, 1, TRUE, TRUE));
  EXPECT_TRUE(grid.IsCurrentCell(2, 1));
  ASSERT_TRUE(Cell()->IsActive());
  CString selected;
  EXPECT_TRUE(Cell()->GetSelectedText(selected));
  EXPECT_EQ(std::string(selected), "tent");
  // In the cell being edited, from the selection on; none after the last.
  find.strFind = "POLES";
  find.bCase = FALSE;
  EXPECT_TRUE(Cell()->FindText(&find, 2, 1, FALSE, TRUE));
  Cell()->GetSelectedText(selected);
  EXPECT_EQ(std::string(selected), "poles");
  EXPECT_FALSE(Cell()->FindText(&find, 2, 1, FALSE, TRUE));

  // Replacing in a cell not being edited keeps each word's format.
  find.strFind = "pegs";
  find.strReplace = "stakes {x}";
  ASSERT_TRUE(Cell()->ReplaceAll(&find, 3, 1));
  const RtfDocument doc = Doc(3);
  EXPECT_EQ(doc.PlainText(), "Tent stakes {x} and tent poles");
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].runs[1].text, "stakes {x}");
  EXPECT_TRUE(doc.paragraphs[0].runs[1].format.bold);
  find.strFind = "absent";
  EXPECT_FALSE(Cell()->ReplaceAll(&find, 3, 1));
  // A replacement with a line break; the hit right after it is found too.
  grid.SetValueRange(CGXRange(4, 1), "{\\rtf1 tenttent}");
  find.strFind = "tent";
  find.strReplace = "x\r\ny";
  ASSERT_TRUE(Cell()->ReplaceAll(&find, 4, 1));
  EXPECT_EQ(Doc(4).PlainText(), "x\r\nyx\r\ny");
}

TEST_F(RichEditCell, PrintsItsTextAtThePrintersResolution) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  grid.SetValueRange(CGXRange(1, 1), "{\\rtf1 Dues \\b received\\b0}");
  grid.SetValueRange(CGXRange(2, 1), "{\\rtf1\\ansi\\qr Balance C:\\\\box}");
  const std::string pdf = ::testing::TempDir() + "rich_cell-" + std::to_string(::getpid()) + ".pdf";
  std::remove(pdf.c_str());
  CGXGridCore& core = grid;
  CDC dc;
  dc.Attach(::CreateDC(printing::kDriverName, printing::kPdfPrinter, pdf.c_str(), nullptr));
  dc.m_bPrinting = TRUE;
  CPrintInfo info;
  core.OnBeginPrinting(&dc, &info);
  DOCINFO doc;
  doc.lpszDocName = "Rich";
  ASSERT_GT(dc.StartDoc(&doc), 0);
  core.PrepareDC(&dc, TRUE);
  dc.StartPage();
  info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
  dc.DPtoLP(&info.m_rectDraw);
  core.OnPrint(&dc, &info);
  dc.EndPage();
  core.OnEndPrinting(&dc, &info);
  ASSERT_GT(dc.EndDoc(), 0);
  ::DeleteDC(dc.Detach());
  const std::vector<std::string> pages = PdfPageTexts(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("Dues received"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Balance C:\\box"), std::string::npos) << pages[0];
  std::remove(pdf.c_str());
}

TEST_F(RichEditCell, DrawsRunsAndParagraphsInTheirFormats) {
  grid.SetColWidth(1, 1, 240);
  grid.SetRowHeight(1, 1, 80);
  grid.SetValueRange(CGXRange(1, 1),
                     "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                     "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue160;}"
                     "\\pard\\f0\\fs24 Troop \\b funds\\b0  \\i raised\\i0\\par"
                     "\\pard\\qc\\f1\\fs32 Summer \\ul camp\\ulnone\\par"
                     "\\pard\\qr\\cf1 total \\cf2\\b 412.50}");
  grid.SetValueRange(CGXRange(2, 1), "");
  Current(3, 2);
  EXPECT_TRUE(golden::Matches("grid/rich_edit_cell.png", [&](const std::string& path) {
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    return automation::RenderToPng(grid.m_hWnd, path);
  }));
}

TEST_F(RichEditCell, KeysLeaveTheTextAtItsEdgesAndTypingKeepsTheLimit) {
  Column(2, CGXStyle().SetControl(GX_IDS_CTRL_RICHEDIT));
  const struct {
    UINT start;  // activates with the caret at the start (Home) or end (End)
    bool all;    // then selects the whole text
    UINT key;
    ROWCOL row, col;  // the current cell afterwards
  } cases[] = {
      {VK_END, false, VK_RIGHT, 2, 3}, {VK_HOME, false, VK_RIGHT, 2, 2}, {VK_HOME, false, VK_LEFT, 2, 1},
      {VK_END, false, VK_LEFT, 2, 2},  {VK_HOME, false, VK_UP, 1, 2},    {VK_END, false, VK_DOWN, 3, 2},
      {VK_END, true, VK_LEFT, 2, 1},   {VK_HOME, true, VK_RIGHT, 2, 3},
  };
  for (const auto& c : cases) {
    grid.SetValueRange(CGXRange(2, 2), "{\\rtf1 ab}");
    Current(2, 2);
    Key(c.start);
    ASSERT_TRUE(Cell()->IsActive());
    if (c.all) Cell()->SendMessage(EM_SETSEL, 0, -1);
    Key(c.key);
    EXPECT_TRUE(grid.IsCurrentCell(c.row, c.col)) << "start " << c.start << (c.all ? " all" : "") << " key " << c.key;
  }

  // Enter is a new paragraph only where the style allows it.
  Column(2, CGXStyle().SetAllowEnter(TRUE).SetMaxLength(6));
  Current(4, 2);
  Type("ab");
  Key(VK_RETURN);
  Type("cdefgh");
  EXPECT_TRUE(grid.IsCurrentCell(4, 2));
  Current(5, 2);
  EXPECT_EQ(ReadRtf(Value(4, 2)).PlainText(), "ab\r\ncde") << "six characters, a paragraph end one of them";
}

TEST_F(RichEditCell, AClickPutsTheCaretWhereTheUserClicked) {
  grid.SetValueRange(CGXRange(1, 1), "{\\rtf1 Camp fees paid}");
  Current(2, 1);
  const CRect cell = grid.CalcRectFromRowColCovered(1, 1, 1, 1);
  ClickAt(CPoint(cell.left + 40, cell.top + cell.Height() / 2));
  ClickAt(CPoint(cell.left + 40, cell.top + cell.Height() / 2));
  ASSERT_TRUE(grid.IsCurrentCell(1, 1));
  ASSERT_TRUE(Cell()->IsActive());
  CHARRANGE at{0, 0};
  Cell()->SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&at));
  EXPECT_GT(at.cpMin, 2) << "not at the start";
  EXPECT_LT(at.cpMin, 12) << "not at the end";
}

}  // namespace
