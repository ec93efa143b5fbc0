// The amount edit: display forms, clamps, typing, L recall, the change flag
// and the calculator's round trip through its seam.
#include <gtest/gtest.h>

#include <string>

#include "FieldDialogTest.h"
#include "common/AmountEdit.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"

namespace {

TEST(AmountValue, DisplayFormsAndClamps) {
  const struct {
    int mode;
    const char *min, *max;
    int decimals;
    double value;
    const char* shown;
  } cases[] = {
      {0, "-999.99", "9999.99", 0, 12.9, "12"},         {0, "-999.99", "9999.99", 0, -12.9, "-12"},
      {1, "-999.99", "9999.99", 2, 12.5, "12.50"},      {1, "-999.99", "9999.99", 3, -1.25, "-1.250"},
      {2, "-999.99", "9999.99", 2, 12.5, "$ 12.50"},    {2, "-999.99", "9999.99", 2, -12.5, "($ 12.50)"},
      {2, "-999.99", "9999.99", 2, 123456, "$ 9999.99"}, {2, "-999.99", "9999.99", 2, -5000, "($ 999.99)"},
      {2, "0.00", "99.99", 2, -3, "$ 0.00"},            {2, nullptr, nullptr, 2, 55, "$ 0.00"},
  };
  for (const auto& c : cases) {
    CAmountEdit e;
    e.SetFormat(c.mode, c.min, c.max, c.decimals);
    e.SetValue(c.value);
    e.FormatValue();
    EXPECT_EQ(e.GetFormatted(), c.shown) << c.value;
  }
}

TEST(AmountValue, ParseTextStripsTheDollarFormOnlyInDollarMode) {
  CAmountEdit dollars;
  dollars.SetFormat(2, "-999.99", "9999.99", 2);
  EXPECT_EQ(dollars.ParseText("($ 12.50)"), "-12.50");
  EXPECT_EQ(dollars.ParseText("$ 1 234.50"), "1234.50");
  CAmountEdit plain;
  plain.SetFormat(1, "-999.99", "9999.99", 2);
  EXPECT_EQ(plain.ParseText("($ 12.50)"), "($ 12.50)");
}


struct CalculatorCall {
  int count = 0;
  HWND owner = nullptr;
  RECT rect{};
  double start = 0;
};
CalculatorCall calls;
bool OpenTestCalculator(CWnd* owner, const RECT& rect, double start) {
  ++calls.count;
  calls.owner = owner->GetSafeHwnd();
  calls.rect = rect;
  calls.start = start;
  return true;
}

class AmountEdit : public FieldDialogTest<CAmountEdit, DDX_Amount> {
 protected:
  void SetUp() override {
    OpenDialog(7902, "Amounts");
    ASSERT_TRUE(amount.SubclassDlgItem(101, &dlg));
    amount.SetChangeFlag(&changed);
    amount.SetFormat(2, "-999.99", "9999.99", 2);
    Bind();
    LastAmount = 0;
    calls = {};
  }
  void TearDown() override {
    SetAmountCalculatorOpener(nullptr);
    FieldDialogTest::TearDown();
  }
  void Enter() {
    SetFocus(field);
    automation::PumpUntilIdle();
  }

  CAmountEdit& amount = control;
  int changed = 0;
};

}  // namespace

TEST_F(AmountEdit, TypingLeavingAndComingBack) {
  const struct {
    const char* typed;
    const char* shown;
    const char* saved;
  } cases[] = {
      {"1234.5", "$ 1234.50", "1234.50"}, {"-12", "($ 12.00)", "-12.00"}, {"123456", "$ 9999.99", "9999.99"},
      {"-5000", "($ 999.99)", "-999.99"}, {"1x2y", "$ 12.00", "12.00"},
  };
  for (const auto& c : cases) {
    Enter();
    Type(c.typed);
    Leave();
    EXPECT_EQ(Text(), c.shown) << c.typed;
    EXPECT_EQ(Save(), c.saved) << c.typed;
  }
  // Coming back shows the bare number, wholly selected.
  Load("-12");
  EXPECT_EQ(Text(), "($ 12.00)");
  Enter();
  EXPECT_EQ(Text(), "-12.00");
  const DWORD sel = static_cast<DWORD>(SendMessage(field, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(sel), 0);
  EXPECT_EQ(HIWORD(sel), 6);
  // An emptied field stays empty.
  Type("\b");
  Leave();
  EXPECT_EQ(Text(), "");
}

TEST_F(AmountEdit, LoadingShowsClampedButLeavesTheValue) {
  Leave();
  Load("");
  EXPECT_EQ(Text(), "");
  Load("($ 5.00)");
  EXPECT_EQ(Text(), "($ 5.00)");
  EXPECT_EQ(amount.GetValue(), -5);
  Load("abc");
  EXPECT_EQ(Text(), "$ 0.00");
  Load("20000");
  EXPECT_EQ(Text(), "$ 9999.99");
}

TEST_F(AmountEdit, LRecallsTheLastAmountOnlyOverAWholeSelection) {
  Enter();
  Type("42.5");
  Leave();
  EXPECT_EQ(LastAmount, 42.5);
  // Showing a loaded value is no typing: the last amount stays.
  Load("7");
  Enter();
  Leave();
  EXPECT_EQ(LastAmount, 42.5);
  Enter();  // wholly selected
  Type("L");
  EXPECT_EQ(Text(), "42.50");
  SendMessage(field, EM_SETSEL, 1, 1);
  LastAmount = 3;
  Type("l");
  EXPECT_EQ(Text(), "42.50");
}

TEST_F(AmountEdit, ChangeFlag) {
  const struct {
    const char* what;
    UINT key;
    bool character;
    int expected;
  } cases[] = {
      {"digit", '5', true, 1},          {"point", '.', true, 1},      {"backspace", '\b', true, 1},
      {"delete", VK_DELETE, false, 1},  {"left arrow", VK_LEFT, false, 0}, {"letter", 'q', true, 0},
  };
  for (const auto& c : cases) {
    Load("12");
    Enter();
    SendMessage(field, EM_SETSEL, 1, 1);
    changed = 0;
    if (c.character)
      automation::TypeChar(static_cast<unsigned char>(c.key));
    else
      automation::PressKey(c.key);
    automation::PumpUntilIdle();
    EXPECT_EQ(changed, c.expected) << c.what;
  }
}

TEST_F(AmountEdit, CalculatorRoundTrip) {
  // With no calculator installed the right button opens nothing.
  Load("12.5");
  Leave();
  automation::Click(field, POINT{5, 5}, 1);
  automation::PumpUntilIdle();
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(calls.count, 0);

  SetAmountCalculatorOpener(&OpenTestCalculator);
  Leave();
  automation::AdvanceClock(1000);
  automation::Click(field, POINT{5, 5}, 1);
  automation::PumpUntilIdle();
  ASSERT_EQ(calls.count, 1);
  EXPECT_EQ(calls.owner, field);
  EXPECT_EQ(calls.start, 12.5);
  RECT r{};
  GetWindowRect(field, &r);
  EXPECT_EQ(calls.rect.left, r.left);
  EXPECT_EQ(calls.rect.bottom, r.bottom);

  // The calculator had the focus; its result comes back as the value.
  Leave();
  changed = 0;
  EXPECT_EQ(SendMessage(field, WM_CALCULATOR_RESULT, 0, reinterpret_cast<LPARAM>("25")), 1);
  automation::PumpUntilIdle();
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(Text(), "25.00");
  EXPECT_EQ(LastAmount, 25);
  EXPECT_EQ(changed, 1);
  Leave();
  EXPECT_EQ(Text(), "$ 25.00");
}
