// The input mask engine as tables of masks and typed texts, and the masked
// edit cell in a grid.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXMaskControl.h"
#include "grid/cells/GXMaskData.h"
#include "platform/window/Clipboard.h"

namespace {

std::string Display(CGXMaskData& data) {
  CString text;
  data.GetDisplayText(text);
  return std::string(text);
}
std::string Typed(CGXMaskData& data) {
  CString text;
  data.GetData(text, 0, -1, TRUE);
  return std::string(text);
}

TEST(MaskData, MasksParseIntoInputAndLiteralPositions) {
  const struct {
    const char* mask;
    const char* empty;  // the entry before anything is typed
    int firstInput;
  } cases[] = {
      {"(###) ###-####", "(___) ___-____", 1},
      {"\\##", "#_", 1},       // an escaped number sign is a literal
      {"##\\", "__", 0},       // a trailing escape is dropped
      {"&?ALU", "_____", 0},
      {"x\\\\y", "x\\y", -1},  // nothing to type
  };
  for (const auto& c : cases) {
    CGXMaskData data;
    data.SetMask(c.mask);
    EXPECT_EQ(Display(data), c.empty) << c.mask;
    EXPECT_EQ(data.NextInputPos(-1), c.firstInput) << c.mask;
  }
}

TEST(MaskData, TypedTextsArePlacedByTheMaskRules) {
  const struct {
    const char* mask;
    const char* typed;
    int result;
    const char* shown;
    const char* stored;
  } cases[] = {
      {"(###) ###-####", "5551234567", 14, "(555) 123-4567", "5551234567"},
      {"(###) ###-####", "555", 4, "(555) ___-____", "555"},
      {"(###) ###-####", "55x1", 3, "(55_) ___-____", "55"},       // cut at the first misfit
      {"(###) ###-####", "555123456789", -1, "(555) 123-4567", "5551234567"},  // left over
      {"LLUU", "AbCd", 4, "abCD", "abCD"},
      {"?A#", "a1b", 2, "a1_", "a1"},
      {"?A#", "aZ9", 3, "aZ9", "aZ9"},
      {"&&&", "a b", 3, "a_b", "a b"},                               // a blank shows the prompt
      {"##", "", 0, "__", ""},
      {"U?", "\xE9\xE9", 2, "\xC9\xE9", "\xC9\xE9"},                 // letters of the code page
  };
  for (const auto& c : cases) {
    CGXMaskData data;
    data.SetMask(c.mask);
    EXPECT_EQ(data.PutData(c.typed, -1, FALSE), c.result) << c.mask << " <- " << c.typed;
    EXPECT_EQ(Display(data), c.shown) << c.mask << " <- " << c.typed;
    EXPECT_EQ(Typed(data), c.stored) << c.mask << " <- " << c.typed;
  }
}

TEST(MaskData, DisplayTextsMustMatchTheLiterals) {
  const struct {
    const char* text;
    int result;
  } cases[] = {{"(555) 123-4567", 14}, {"(555)", 5}, {"555", -1}, {"(5a5)", -1}, {"(555) 123-45678", -1}};
  for (const auto& c : cases) {
    CGXMaskData data;
    data.SetMask("(###) ###-####");
    EXPECT_EQ(data.PutDisplayText(c.text, -1, FALSE), c.result) << c.text;
  }
}

TEST(MaskData, InsertingAndDeletingShiftOverTheLiterals) {
  CGXMaskData data;
  data.SetMask("##-##");
  data.PutData("123", -1, FALSE);
  int next = 0;
  ASSERT_TRUE(data.InsertAt(0, '9', next));
  EXPECT_EQ(Display(data), "91-23");
  EXPECT_EQ(next, 1);
  EXPECT_FALSE(data.InsertAt(0, '8', next)) << "the last input position is filled";
  EXPECT_EQ(Display(data), "91-23");
  data.DeleteRange(2, 1);  // the 1
  EXPECT_EQ(Display(data), "92-3_");
  data.DeleteRange(5, 2);  // from the literal on: to the end
  EXPECT_EQ(Display(data), "92-__");
  EXPECT_EQ(data.LimitToEntry(data.GetEntryLength()), 2);
  EXPECT_EQ(data.LimitToEntry(0), 0);
  data.ResetEntry();
  EXPECT_EQ(data.LimitToEntry(4), 0) << "nothing typed: the first input position";
  EXPECT_EQ(data.PrevInputPos(3), 1);
  EXPECT_EQ(data.NextInputPos(1), 3);
  EXPECT_EQ(data.NextInputPos(4), -1);

  // Characters never move to positions that refuse them: the insert is
  // refused, the deletion empties its range in place.
  CGXMaskData mixed;
  mixed.SetMask("#?");
  mixed.PutData("1", -1, FALSE);
  EXPECT_FALSE(mixed.InsertAt(0, '2', next));
  EXPECT_EQ(Display(mixed), "1_");
  mixed.PutData("5x", -1, FALSE);
  mixed.DeleteRange(1, 0);
  EXPECT_EQ(Display(mixed), "_x");
  EXPECT_TRUE(mixed.IsValid());
}

TEST(MaskData, PromptValidityAndFreeText) {
  CGXMaskData data;
  data.SetMask("##");
  data.PutData("1", -1, FALSE);
  EXPECT_FALSE(data.SetPromptChar("**", TRUE)) << "two characters";
  EXPECT_EQ(Display(data), "1_");
  EXPECT_TRUE(data.SetPromptChar("*", TRUE));
  EXPECT_EQ(Display(data), "1*");
  EXPECT_TRUE(data.IsValid());
  data.SetMask("#");
  EXPECT_EQ(data.PutDisplayText("a", -1, FALSE), -1);

  // Without a mask the entry is plain text cut to the maximum length.
  CGXMaskData plain;
  plain.SetMask("");
  plain.SetMaxLength(4);
  EXPECT_EQ(plain.PutData("abcdef", -1, FALSE), 4);
  EXPECT_EQ(Display(plain), "abcd");
  EXPECT_TRUE(plain.IsValid());
}

using MaskCell = gridtest::CellGridTest;

TEST_F(MaskCell, PhoneMaskStoresDigitsAndShowsThemInTheMask) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, "(###) ###-####"));
  Current(1, 1);
  Type("555x1234567");  // the x is refused
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "5551234567");
  EXPECT_EQ(Shown(1, 1), "(555) 123-4567");
  EXPECT_EQ(Shown(2, 1), "") << "an untouched entry shows nothing";
  Current(2, 1);
  Key(VK_END);
  Current(3, 1);
  EXPECT_EQ(Value(2, 1), "") << "an untouched entry stores nothing";

  // Insert mode: a full entry takes no more; overwrite replaces at the caret.
  Current(1, 1);
  Key(VK_HOME);
  auto* cell = Control<CGXMaskControl>(GX_IDS_CTRL_MASKEDIT);
  ASSERT_TRUE(cell->IsActive());
  Type("9");
  CString shown;
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "(555) 123-4567");
  Key(VK_INSERT);
  Type("9");
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "(955) 123-4567");
  // Backspace takes the character before the caret; Delete the one at it.
  Key(VK_BACK);
  Key(VK_DELETE);
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "(512) 345-67__");
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "51234567");
}

TEST_F(MaskCell, AClickPastTheTypedTextPutsTheCaretAfterIt) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, "(###) ###-####"));
  grid.SetValueRange(CGXRange(1, 1), "555");
  Current(1, 1);
  Key(VK_HOME);
  auto* cell = Control<CGXMaskControl>(GX_IDS_CTRL_MASKEDIT);
  ASSERT_TRUE(cell->IsActive());
  CRect client;
  cell->GetClientRect(&client);
  automation::AdvanceClock(600);
  automation::Click(cell->m_hWnd, CPoint(client.right - 3, client.CenterPoint().y));
  automation::PumpUntilIdle();
  int start = 0, end = 0;
  cell->GetSel(start, end);
  EXPECT_EQ(start, 6) << "the first input position after the typed text";
  Type("1");
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "5551") << "no gap before the typed digit";
}

TEST_F(MaskCell, PastedTextThatDoesNotFitUndoesItselfAndMaskDataPastesTyped) {
  Column(1, CGXStyle().SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, "##-##"));
  grid.SetValueRange(CGXRange(1, 1), "12");
  Current(1, 1);
  Key(VK_END);
  auto* cell = Control<CGXMaskControl>(GX_IDS_CTRL_MASKEDIT);
  const auto put = [&](UINT format, const char* text) {
    ASSERT_TRUE(::OpenClipboard(grid.m_hWnd));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(::GlobalLock(block), text, std::strlen(text) + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(format, block);
    ::CloseClipboard();
  };
  CString shown;
  put(CF_TEXT, "ab");
  EXPECT_TRUE(cell->Paste());
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "12-__") << "letters do not fit: nothing changes";
  cell->SetSel(0, -1);
  put(CF_TEXT, "98-76");
  cell->Paste();
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "98-76") << "a display text with its literal";
  cell->SetSel(0, -1);
  put(GXMaskDataClipboardFormat(), "5678");
  cell->Paste();
  cell->GetWindowText(shown);
  EXPECT_EQ(std::string(shown), "56-78") << "mask data are typed characters";

  // Copying puts the typed characters alone on the clipboard.
  cell->SetSel(0, -1);
  EXPECT_TRUE(cell->Copy());
  ASSERT_TRUE(::OpenClipboard(grid.m_hWnd));
  EXPECT_STREQ(static_cast<const char*>(::GlobalLock(::GetClipboardData(GXMaskDataClipboardFormat()))), "5678");
  ::CloseClipboard();
}

TEST_F(MaskCell, PromptAttributeAndPlainEditWithoutMask) {
  Column(1, CGXStyle()
                .SetControl(GX_IDS_CTRL_MASKEDIT)
                .SetUserAttribute(GX_IDS_UA_INPUTMASK, "###")
                .SetUserAttribute(GX_IDS_UA_INPUTPROMPT, "**"));
  Column(2, CGXStyle().SetControl(GX_IDS_CTRL_MASKEDIT).SetMaxLength(3));
  grid.SetValueRange(CGXRange(1, 1), "1");
  EXPECT_EQ(Shown(1, 1), "1__") << "a two-character prompt is refused";
  grid.ApplyStyle(CGXRange(1, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_INPUTPROMPT, "#"));
  EXPECT_EQ(Shown(1, 1), "1##");
  Current(1, 2);
  Type("abcdef");
  Current(2, 2);
  EXPECT_EQ(Value(1, 2), "abc");
}

}  // namespace
