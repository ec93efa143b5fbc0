#include <gtest/gtest.h>

#include <string>

#include "CellGrid.h"
#include "grid/cells/GXCurrencyCell.h"
#include "grid/core/GXFindReplaceState.h"
#include "platform/host/Keys.h"
#include "platform/window/Messages.h"

namespace {

class CurrencyCell : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    Column(1, CGXStyle().SetControl(GX_IDS_CTRL_CURRENCY));
    cell = Control<CGXCurrencyEdit>(GX_IDS_CTRL_CURRENCY);
    ASSERT_NE(cell, nullptr);
  }
  std::string Window() {
    CString text;
    cell->GetWindowText(text);
    return std::string(text);
  }
  CGXCurrencyEdit* cell = nullptr;
};

TEST_F(CurrencyCell, AttributesMakeTheShownAmount) {
  const struct {
    const char* value;
    WORD attribute;
    const char* text;
    const char* shows;
  } cases[] = {
      {"1234.5", 0, "", "$1,234.50"},
      {"-1234.5", GX_IDS_UA_CURRENCY_NEGATIVE, "1", "-$1,234.50"},
      {"-1234.5", GX_IDS_UA_CURRENCY_NEGATIVE, "99", "(1,234.50 $)"},  // beyond the table: the last pattern
      {"1234.5", GX_IDS_UA_CURRENCY_POSITIVE, "4", "1,234.50 $"},      // the list's fifth label
      {"1234.5", GX_IDS_UA_CURRENCY_SYMBOL, "0", "1,234.50"},
      {"1234.5", GX_IDS_UA_CURRENCY_SYMBOL, "EUR ", "EUR 1,234.50"},
      {"1234.5", GX_IDS_UA_CURRENCY_SEPARATORS, "0.", "$1234.50"},
      {"1234.5", GX_IDS_UA_CURRENCY_SEPARATORS, ";", "$1,234.50"},  // one character: comma and full stop
      {"1234.5", GX_IDS_UA_CURRENCY_SEPARATORS, ".,", "$1.234,50"},
      {"1234.5", GX_IDS_UA_CURRENCY_FRACTION, "3", "$1,234.500"},
      {"0.5", GX_IDS_UA_CURRENCY_ATTRIBUTES, "0000", "$.50"},
      {"12345.67", GX_IDS_UA_CURRENCY_DIGITS, "3", "$12,345.67"},  // a stored amount is never shortened
      {"12.3", GX_IDS_UA_CURRENCY_DIGITS, "5", "$   12.30"},
  };
  grid.SetRowCount(40);
  ROWCOL row = 10;
  for (const auto& c : cases) {
    ++row;
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_CURRENCY).SetValue(c.value);
    if (c.attribute != 0) style.SetUserAttribute(c.attribute, c.text);
    grid.ApplyStyle(CGXRange(row, 2), style);
    EXPECT_EQ(Shown(row, 2), c.shows) << c.value << " " << c.attribute << "=" << c.text;
  }
  // Attributes of another length than four act as "11 1".
  CGXStyle odd;
  odd.SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, "0");
  const CGXBCurrencyFormat format = CGXCurrencyEdit::FormatFromStyle(odd);
  EXPECT_TRUE(format.m_bLeadingZero);
  EXPECT_TRUE(format.m_bSeparatorLine);
  EXPECT_EQ(format.m_cPaddingChar, ' ');
  EXPECT_FALSE(CGXCurrencyEdit::ShowsCalculatorButton(odd));
  EXPECT_TRUE(CGXCurrencyEdit::ShowsCalculatorButton(CGXStyle().SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, "11 1")));
  EXPECT_FALSE(CGXCurrencyEdit::ShowsCalculatorButton(CGXStyle().SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, "11 0")));
}

TEST_F(CurrencyCell, TypedAmountsAreStoredAsPlainNumbers) {
  grid.SetValueRange(CGXRange(1, 1), "1234.5");
  Current(1, 1);
  Type("78");
  EXPECT_TRUE(cell->IsActive());
  EXPECT_EQ(Window(), "$78.00");
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "78.00");
  EXPECT_EQ(Shown(1, 1), "$78.00");
  // Typed ahead of the window taking the focus, every key counts.
  Current(1, 1);
  automation::TypeText("1234.5");
  automation::PumpUntilIdle();
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "1234.50");

  // Space turns the sign of a cell that is not being edited.
  grid.SetValueRange(CGXRange(3, 1), "12.5");
  Current(3, 1);
  Key(VK_SPACE);
  EXPECT_EQ(Window(), "($12.50)");
  Current(4, 1);
  EXPECT_EQ(Value(3, 1), "-12.50");

  // A read-only cell keeps its sign.
  grid.ApplyStyle(CGXRange(5, 1), CGXStyle().SetValue("3").SetReadOnly(TRUE));
  Current(5, 1);
  Key(VK_SPACE);
  Current(6, 1);
  EXPECT_EQ(Value(5, 1), "3");

  // A digit limit refuses the digit that would go beyond it.
  grid.ApplyStyle(CGXRange(7, 1), CGXStyle().SetValue("123").SetUserAttribute(GX_IDS_UA_CURRENCY_DIGITS, "3"));
  Current(7, 1);
  Key(VK_END);
  Key(VK_END);  // the window took the focus and selected everything
  Type("4");
  EXPECT_EQ(Window(), "$123.00");
  Type("-");
  Current(8, 1);
  EXPECT_EQ(Value(7, 1), "-123.00");
}

TEST_F(CurrencyCell, CalculatorResultConversionAndReplaceAll) {
  grid.SetValueRange(CGXRange(1, 1), "10");
  Current(1, 1);
  cell->SendMessage(0x7E3, 0, reinterpret_cast<LPARAM>("24."));
  automation::PumpUntilIdle();
  EXPECT_TRUE(cell->GetModify());
  Current(2, 1);
  EXPECT_EQ(Value(1, 1), "24.00");

  CString text = "($1,234.50)";
  EXPECT_TRUE(cell->ConvertControlTextToValue(text, 3, 1, nullptr));
  EXPECT_EQ(std::string(text), "-1234.50");
  text = "abc";
  EXPECT_FALSE(cell->ConvertControlTextToValue(text, 3, 1, nullptr));
  EXPECT_EQ(std::string(text), "abc");

  grid.SetValueRange(CGXRange(4, 1), "1234.5");
  EXPECT_TRUE(cell->ReplaceAllText(4, 1, "4", "9", FALSE));
  EXPECT_EQ(Value(4, 1), "1239.50");
  EXPECT_FALSE(cell->ReplaceAllText(4, 1, "7", "1", FALSE));
  // Through the find and replace request, and finding in a shown amount.
  GXFindReplaceState request;
  request.strFind = "239";
  request.strReplace = "5";
  EXPECT_TRUE(cell->FindText(&request, 4, 1, TRUE, FALSE));
  EXPECT_TRUE(cell->ReplaceAll(&request, 4, 1));
  EXPECT_EQ(Value(4, 1), "15.50");
  request.strFind = "$1";
  EXPECT_TRUE(cell->FindText(&request, 4, 1, TRUE, TRUE));
  EXPECT_TRUE(cell->IsActive());
  EXPECT_EQ(std::string(cell->GetSelText()), "$1");
  // In the edited amount the symbol is left out of the search.
  request.strFind = "$15";
  EXPECT_TRUE(cell->FindText(&request, 4, 1, TRUE, TRUE));
  EXPECT_EQ(std::string(cell->GetSelText()), "15");

  CGXStyle style;
  grid.ComposeStyleRowCol(4, 1, style);
  CString key;
  cell->GetSortKey(4, 1, nullptr, style, key);
  EXPECT_EQ(std::string(key), "15.50");
}

}  // namespace
