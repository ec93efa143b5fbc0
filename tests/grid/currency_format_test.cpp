#include <gtest/gtest.h>

#include <string>

#include "grid/controls/GXCurrencyFormat.h"
#include "grid/controls/GXCurrencyTyping.h"

namespace {

CGXBCurrencyFormat Defaults() { return CGXBCurrencyFormat(FALSE); }

std::string Show(const CGXBCurrencyFormat& f, double v, bool negative = false) {
  CString text;
  f.FormatValue(v, text, negative);
  return static_cast<LPCTSTR>(text);
}

TEST(CurrencyFormat, EveryPatternFormatsAndReadsBack) {
  struct Case {
    bool negative;
    int pattern;
    const char* shows;
  };
  const Case cases[] = {
      {false, 0, "$1,234.50"},   {false, 1, "1,234.50$"},   {false, 2, "$ 1,234.50"},  {false, 3, "1,234.50 $"},
      {true, 0, "($1,234.50)"},  {true, 1, "-$1,234.50"},   {true, 2, "$-1,234.50"},   {true, 3, "$1,234.50-"},
      {true, 4, "(1,234.50$)"},  {true, 5, "-1,234.50$"},   {true, 6, "1,234.50-$"},   {true, 7, "1,234.50$-"},
      {true, 8, "-1,234.50 $"},  {true, 9, "-$ 1,234.50"},  {true, 10, "1,234.50 $-"}, {true, 11, "$ 1,234.50-"},
      {true, 12, "$ -1,234.50"}, {true, 13, "1,234.50- $"}, {true, 14, "($ 1,234.50)"}, {true, 15, "(1,234.50 $)"},
      // Indexes beyond the tables take the nearest pattern.
      {false, 4, "1,234.50 $"},  {false, -3, "$1,234.50"},  {true, 99, "(1,234.50 $)"},
  };
  for (const Case& c : cases) {
    CGXBCurrencyFormat f = Defaults();
    (c.negative ? f.m_nNegativePattern : f.m_nPositivePattern) = c.pattern;
    EXPECT_EQ(Show(f, 1234.5, c.negative), c.shows) << c.negative << " " << c.pattern;
    double value = 0;
    BOOL negative = !c.negative;
    ASSERT_TRUE(f.ParseValue(c.shows, value, negative)) << c.shows;
    EXPECT_DOUBLE_EQ(value, 1234.5) << c.shows;
    EXPECT_EQ(negative != FALSE, c.negative) << c.shows;
  }
}

TEST(CurrencyFormat, DigitsPaddingAndLeadingZero) {
  struct Case {
    int integerDigits;
    char padding;
    bool groupPadding;
    bool leadingZero;
    int fraction;
    double value;
    const char* shows;
  };
  const Case cases[] = {
      {-1, ' ', false, true, 2, 0.5, "$0.50"},
      {-1, ' ', false, false, 2, 0.5, "$.50"},
      {-1, ' ', false, false, 2, 0.999, "$1.00"},  // rounded up: the 1 stays
      {5, '0', true, true, 2, 12.3, "$00,012.30"},
      {5, '0', false, true, 2, 12.3, "$00012.30"},
      // A digit limit never shortens an amount.
      {3, ' ', false, true, 2, 12345.67, "$12,345.67"},
      {-1, ' ', false, true, 0, 1234.5, "$1,234"},
      {-1, ' ', false, true, 3, 1234567.125, "$1,234,567.125"},
  };
  for (const Case& c : cases) {
    CGXBCurrencyFormat f = Defaults();
    f.m_nIntegerDigits = c.integerDigits;
    f.SetPaddingChar(c.padding);
    f.m_bGroupPadding = c.groupPadding;
    f.m_bLeadingZero = c.leadingZero;
    f.m_nFractionalDigits = c.fraction;
    EXPECT_EQ(Show(f, c.value), c.shows);
  }
  CGXBCurrencyFormat f = Defaults();
  EXPECT_FALSE(f.SetPaddingChar('7'));
  EXPECT_EQ(f.m_cPaddingChar, ' ');
  f.m_cThousandsSep = 0;
  f.m_cDecimalSep = ',';
  EXPECT_EQ(Show(f, 1234.5), "$1234,50");
}

TEST(CurrencyFormat, ParsingEdges) {
  struct Case {
    const char* text;
    bool ok;
    double value;
    bool negative;
  };
  const Case cases[] = {
      {"", true, 0, false},         {"$1,234.50", true, 1234.5, false}, {"(5)", true, 5, true},
      {"5-", true, 5, true},        {"  -$7.25 ", true, 7.25, true},     {"1.2.3", true, 2.3, false},
      {"abc", false, 0, false},     {"(5", false, 0, false},             {"5)", false, 0, false},
      {"12a34", true, 34, false},   {".5", true, 0.5, false},            {"1,2,3", true, 123, false},
  };
  const CGXBCurrencyFormat f = Defaults();
  for (const Case& c : cases) {
    double value = -1;
    BOOL negative = FALSE;
    EXPECT_EQ(f.ParseValue(c.text, value, negative) != FALSE, c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    EXPECT_EQ(negative != FALSE, c.negative) << c.text;
  }
  int start = 0;
  int end = 0;
  EXPECT_FALSE(f.FindNumberBounds("$x", start, end));
  EXPECT_EQ(start, -1);
  EXPECT_TRUE(f.FindNumberBounds("$1,234.50 x", start, end));
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 8);
}

TEST(CurrencyFormat, AssignAndCompareEveryMember) {
  CGXBCurrencyFormat a = Defaults();
  CGXBCurrencyFormat b = Defaults();
  EXPECT_TRUE(a.IsEqual(b));
  b.SetNegativeColor(RGB(255, 0, 0));
  EXPECT_TRUE(a.IsNotEqual(b));
  COLORREF c = 0;
  EXPECT_FALSE(a.GetNegativeColor(c));
  EXPECT_TRUE(b.GetNegativeColor(c));
  EXPECT_EQ(c, RGB(255, 0, 0));
  b.m_strSymbol = "EUR";
  a.Assign(b);
  EXPECT_TRUE(a.IsEqual(b));
}

// Drives the typing rules. Keys: digits type, '.' the decimal separator,
// '-' the sign, 'D' Delete, 'B' Backspace, 'A' select all, 'U' undo,
// 'O' overwrite on/off, 'P' pastes `paste`.
struct Typing {
  double value = 1234.5;
  int caret = -1;  // -1: select all first, as the focus does
  const char* keys = "";
  const char* shows = "";
  int caretAfter = 0;
  int integerDigits = -1;
  bool shiftIn = false;
  const char* paste = "";
};

void Press(CGXBCurrencyText& t, const Typing& c) {
  for (const char* k = c.keys; *k != '\0'; ++k) {
    switch (*k) {
      case 'D': t.DeleteChar(); break;
      case 'B': t.Backspace(); break;
      case 'A': t.SetSel(0, -1); break;
      case 'U': t.Undo(); break;
      case 'O': t.ToggleOverwrite(); break;
      case 'P': {
        CString text = c.paste;
        t.FilterPasteText(text);
        t.InsertText(text);
        break;
      }
      default: t.OnChar(*k); break;
    }
  }
}

TEST(CurrencyTyping, DigitByDigit) {
  const Typing cases[] = {
      // The focus selects everything: the first digit replaces the amount.
      {1234.5, -1, "7", "$7.00", 2},
      {1234.5, -1, "78", "$78.00", 3},
      {1234.5, 5, "9", "$12,394.50", 6},
      // The separator key jumps into the fraction, whose digits are overwritten.
      {1234.5, 0, ".7", "$1,234.70", 8},
      {1234.5, 0, ".789", "$1,234.78", 9},
      {1234.5, 8, "B", "$1,234.00", 7},
      {1234.5, 6, "B", "$123.50", 4},
      {1234.5, 2, "B", "$234.50", 1},
      {1234.5, 1, "D", "$234.50", 1},
      {1234.5, 0, "D", "$234.50", 1},
      {1234.5, 7, "D", "$1,234.00", 8},
      {5, -1, "D", "$0.00", 2},
      {5, 1, "D", "$0.00", 2},
      {1234.5, 0, "-", "($1,234.50)", 1},
      {1234.5, 9, "--", "$1,234.50", 9},
      {1234.5, -1, "-", "($1,234.50)", 10},
      {1234.5, -1, "-A-", "($1,234.50)", 10},
      {1234.5, 1, "P", "$121,234.50", 3, -1, false, "abc12"},
      {1234.5, -1, "P", "($12.50)", 4, -1, false, "($12.50)"},
      {1234.5, 1, "O9", "$9,234.50", 2},
      {1234.5, 2, "O9", "$1,934.50", 4},  // overwrite steps over the thousands separator
      // A caret outside the number types at the decimal separator.
      {1234.5, 0, "9", "$12,349.50", 7},
      // Digits typed past a full fraction shift it in from the right.
      {1.5, 5, "7", "$1.07", 5, -1, true},
      {1.5, 5, "7", "$1.50", 5, -1, false},
      // With a limit on integer digits, one digit too many is refused.
      {123, 4, "4", "$123.00", 4, 3},
      {12, 4, "4", "$124.00", 4, 3},  // "$ 12.00": padded to three digits
      // Undo toggles between the last two states.
      {1234.5, 5, "9U", "$1,234.50", 5},
      {1234.5, 5, "9UU", "$12,394.50", 6},
  };
  for (const Typing& c : cases) {
    CGXBCurrencyText t;
    CGXBCurrencyFormat f(FALSE);
    f.m_nIntegerDigits = c.integerDigits;
    t.SetFormat(f);
    t.m_bShiftIn = c.shiftIn;
    t.SetValue(c.value);
    t.EmptyUndo();
    if (c.caret < 0) {
      t.SetSel(0, -1);
    } else {
      t.SetCaret(c.caret);
    }
    Press(t, c);
    EXPECT_EQ(std::string(t.GetText()), c.shows) << c.value << " at " << c.caret << " keys " << c.keys;
    EXPECT_EQ(t.GetCaret(), c.caretAfter) << c.value << " at " << c.caret << " keys " << c.keys;
  }
}

TEST(CurrencyTyping, ChangesReportedAndRefusals) {
  CGXBCurrencyText t;
  t.SetValue(1234.5);
  t.SetCaret(1);
  EXPECT_TRUE(t.InsertText("0").textChanged == FALSE);  // 01,234.50 reads as the same amount
  EXPECT_EQ(std::string(t.GetText()), "$1,234.50");
  EXPECT_TRUE(t.InsertText("5").textChanged);
  EXPECT_DOUBLE_EQ(t.GetValue(), 51234.5);
  EXPECT_FALSE(t.SetValueEx(51234.5, FALSE));  // the same value saves no undo state
  t.m_bReadOnly = TRUE;
  EXPECT_FALSE(t.InsertText("9").textChanged);
  EXPECT_FALSE(t.DeleteChar().textChanged);
  EXPECT_FALSE(t.Backspace().textChanged);
  EXPECT_DOUBLE_EQ(t.GetValue(), 51234.5);

  // Selections: partial pastes keep only digits; a covering one keeps all.
  t.m_bReadOnly = FALSE;
  ASSERT_TRUE(t.SetSel(1, 3));
  EXPECT_EQ(std::string(t.GetSelText()), "51");
  BOOL beyond = TRUE;
  EXPECT_FALSE(t.SelectionCoversNumber(&beyond));
  ASSERT_TRUE(t.SetSel(0, 10));
  EXPECT_TRUE(t.SelectionCoversNumber(&beyond));
  EXPECT_TRUE(beyond);
  EXPECT_FALSE(t.SetSel(3, 99));
  CString paste = "(7)";
  t.SetSel(1, 3);
  t.FilterPasteText(paste);
  EXPECT_EQ(std::string(paste), "7");
}

}  // namespace
