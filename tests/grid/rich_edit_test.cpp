// The rich edit cell in a grid: plain text kept through escapes, formats
// going into the value, edits keeping the value's formatting, the length
// limit on the plain text, and rich text through the clipboard.
#include <gtest/gtest.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXRichEditCtrl.h"
#include "platform/window/Clipboard.h"

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
  EXPECT_EQ(Value(2, 1), "{a\\\\b}");

  // A maximum length cuts the plain text, not the stream.
  CString text = "abcdef\\";
  ASSERT_TRUE(Cell()->ConvertControlTextToValue(text, 3, 1, &CGXStyle().SetMaxLength(4)));
  EXPECT_EQ(std::string(text), "{abcd}");
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

}  // namespace
