// The amount edit's right button opens the grid library's pop-up calculator
// over the field; its result comes back as the field's value.
#include <gtest/gtest.h>

#include <string>

#include "app/AmountCalculator.h"
#include "common/WindowTestUtil.h"
#include "common/AmountEdit.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"

namespace {


TEST(AmountCalculator, ResultComesBackAsTheValueAndTheLastAmount) {
  automation::ResetWindows();
  std::string error;
  ASSERT_TRUE(AddTwoEditDialog(7906, "Amounts", &error)) << error;
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(7906));
  CAmountEdit amount;
  ASSERT_TRUE(amount.SubclassDlgItem(101, &dlg));
  int changed = 0;
  amount.SetChangeFlag(&changed);
  amount.SetFormat(2, "-999.99", "9999.99", 2);
  {
    CDataExchange dx(&dlg, FALSE);
    CString v = "12.5";
    DDX_Amount(&dx, amount, v);
  }
  LastAmount = 0;
  InstallAmountCalculator();

  HWND field = amount.GetSafeHwnd();
  automation::Click(field, POINT{5, 5}, 1);
  automation::PumpUntilIdle();
  HWND calculator = GetFocus();
  ASSERT_NE(calculator, field);
  ASSERT_NE(calculator, nullptr);
  automation::TypeText("*2=");
  automation::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(calculator));
  EXPECT_EQ(GetFocus(), field);
  char text[32] = "";
  GetWindowText(field, text, sizeof text);
  EXPECT_STREQ(text, "25.00");
  EXPECT_EQ(LastAmount, 25);
  EXPECT_EQ(changed, 1);

  // Leaving shows the dollar form; an emptied field recalls the result with L.
  SetFocus(GetDlgItem(dlg.GetSafeHwnd(), 102));
  automation::PumpUntilIdle();
  GetWindowText(field, text, sizeof text);
  EXPECT_STREQ(text, "$ 25.00");
  amount.SetWindowText("");
  amount.SetFocus();
  automation::TypeText("L");
  automation::PumpUntilIdle();
  GetWindowText(field, text, sizeof text);
  EXPECT_STREQ(text, "25.00");

  SetAmountCalculatorOpener(nullptr);
  automation::ResetWindows();
}

}  // namespace
