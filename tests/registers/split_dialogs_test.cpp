// The passbook split's share rounding, dues rule and units left alone when
// only passed through, and the support-account splits with the lines'
// total carried back on Close.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppTestUtil.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "registers/SplitDlg.h"
#include "registers/RegistersTestUtil.h"
#include "registers/SuppSplitDlg.h"
#include "res/resource.h"
#include "common/Settings.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/TransStore.h"

namespace {

TEST(ComputeShare, RoundsHalfACentAwayFromZeroThenCutsToTheIncrement) {
  const struct {
    long perUnit, increment, units, share;
  } cases[] = {
      {235, 0, 150, 353},  {235, 25, 150, 350},   {235, 0, -150, -353}, {235, 25, -150, -350},
      {0, 0, 150, 0},      {235, 1, 150, 353},    {9999, 0, 999999, 999999},  // bounded, no wrap
      {9999, 0, -99999, -99999},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CSplitDlg::ComputeShare(c.perUnit, c.increment, c.units), c.share)
        << c.perUnit << " x " << c.units << " by " << c.increment;
}

class SplitDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
  fixture::FiscalYear fy;
};

TEST_F(SplitDialogsTest, ADuesSplitMustMatchTheAmountAndUnitsPassedThroughStay) {
  LONG amount = 2000;
  SplitRecord split;
  auto holder = std::make_unique<TransactionDetail>();
  ShareArray* shares = &holder->shares[0];
  ResetSplitBuffers(&split, *shares);
  (*shares)[fixture::kAnna].units = 155;
  automation::OnDialog("PassBook Split", [&](HWND h) {
    // Tabbing through Anna's units leaves the two decimals kept.
    CheckDlgButton(h, IDC_PBS_CASH_RADIO, BST_UNCHECKED);
    CheckDlgButton(h, IDC_PBS_UNITS_RADIO, BST_CHECKED);
    Press(h, IDC_PBS_UNITS_RADIO);
    SetFocus(GetDlgItem(h, IDC_PBS_UNITS0));
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(h, IDC_PBS_RATE));
    automation::PumpUntilIdle();
    CheckDlgButton(h, IDC_PBS_UNITS_RADIO, BST_UNCHECKED);
    CheckDlgButton(h, IDC_PBS_CASH_RADIO, BST_CHECKED);
    Press(h, IDC_PBS_CASH_RADIO);
    SetFocus(GetDlgItem(h, IDC_PBS_CASH0));
    automation::PumpUntilIdle();
    automation::TypeText("5");
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(h, IDC_PBS_SCROLL));
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("", "On a dues deposit (account #599)", ANSWER_NO);
    Press(h, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(h));
    automation::ExpectMessageBox("", "On a dues deposit (account #599)", ANSWER_YES);
    Press(h, IDCANCEL);
  }, IDABORT);
  EXPECT_EQ(RunPassbookSplit(1, 101, 599, &amount, &split, *shares), IDOK);
  EXPECT_EQ((*shares)[fixture::kAnna].units, 155);
  EXPECT_EQ(amount, 500);
  EXPECT_EQ(split.unitShare, 0);
}

TEST_F(SplitDialogsTest, SupportLinesTotalIsCarriedBackOnClose) {
  auto d = NewSupportTransaction(3000);
  std::string variance;
  automation::OnDialog("Support Account Split", [&](HWND h) {
    const struct {
      const char* account;
      const char* amount;
    } lines[] = {{"620 /", "10.00"}, {"520 /", "20.00"}, {"201 /", "5.00"}};
    for (const auto& l : lines) {
      HWND combo = GetDlgItem(h, IDC_TRN_SUPPORT);
      const int i = static_cast<int>(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(l.account)));
      SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_TRN_SUPPORT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
      SetField(h, IDC_TRN_AMOUNT, l.amount);
      Press(h, IDC_TRN_POST);
    }
    variance = FieldText(h, IDC_SSP_VARIANCE);
    automation::ExpectMessageBox("", "Do you want to carry accounts' total back as transaction total", ANSWER_YES);
    Press(h, IDCANCEL);
  }, IDABORT);
  EXPECT_EQ(RunSupportSplits(*d), IDOK);
  EXPECT_NE(variance.find("5.00"), std::string::npos) << variance;
  EXPECT_EQ(d->transaction.amount, 3500);
  EXPECT_EQ(d->lines[0].account, 620);
  EXPECT_EQ(d->lines[2].amount, 500);
}

}  // namespace

namespace {

TEST_F(SplitDialogsTest, CarryBackMakesThePassbooksShareTheLineAmount) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN");
  PutSettingFlag(s, 'C', 1);
  CloseSettingsSection(s);
  LONG amount = 1000;
  auto holder = std::make_unique<TransactionDetail>();
  SplitRecord split;
  ResetSplitBuffers(&split, holder->shares[0]);
  automation::OnDialog("PassBook Split", [&](HWND h) {
    SetFocus(GetDlgItem(h, IDC_PBS_CASH0));
    automation::PumpUntilIdle();
    automation::TypeText("4");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("", "Do you want to carry the Passbooks' Share back as the new support total",
                                 ANSWER_YES);
    Press(h, IDCANCEL);
  }, IDABORT);
  EXPECT_EQ(RunPassbookSplit(1, 101, 520, &amount, &split, holder->shares[0]), IDOK);
  EXPECT_EQ(amount, 400);
  EXPECT_EQ(split.unitShare, 0);
}

}  // namespace
