// The transaction form with its split dialogs on the fixture year: passbook
// splits that move member balances, dues, the description memory, Set all,
// ten support lines, the Register button's opener, and the form's picture
// with a split transaction.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/AppTestUtil.h"
#include "common/PrefValues.h"
#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "records/AccountRegisterSeam.h"
#include "registers/RegisterCommands.h"
#include "registers/TransGDlg.h"
#include "registers/SplitDlg.h"
#include "registers/SuppSplitDlg.h"
#include "registers/TransDlg.h"
#include "registers/RegistersTestUtil.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/TransStore.h"
#include "store/Xfer.h"
#include "support/GoldenImage.h"

namespace {

std::string ComboSelection(HWND dlg, int id) {
  HWND combo = GetDlgItem(dlg, id);
  const int sel = static_cast<int>(SendMessage(combo, CB_GETCURSEL, 0, 0));
  if (sel < 0) return "";
  char text[128] = "";
  SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
  return text;
}

int HolderRow(HWND h, const char* name) { return PassbookHolderRow(h, name); }
void TypeInto(HWND h, int id, const char* text) { TypeIntoPassbookField(h, id, text); }

// A check of 25.00 on 101 with two support lines, camping 10.00 (with 10.00
// of it from the camp reserve when `reserve`) and fundraising 15.00; its
// payee names it in the register.
LONG AddTwoLineCheck(const char* payee, bool reserve) {
  auto d = std::make_unique<TransactionDetail>();
  const LONG id = NextTransId++;
  TransactionRecord& t = fixture::StartTransaction(*d, id, 4, "20080410", -1, 2500, "1500", payee);
  t.multiLine = 1;
  const struct {
    int account;
    int amount;
  } lines[] = {{620, 1000}, {520, 1500}};
  for (int i = 0; i < 2; ++i) {
    d->lines[i].account = lines[i].account;
    d->lines[i].amount = lines[i].amount;
    d->lines[i].line = i;
    d->lines[i].factor = SignedAmountByType('A', -1, lines[i].account);
  }
  if (reserve) {
    d->lines[0].reserveAccount = 710;
    d->lines[0].reserveAmount = 1000;
    d->lines[0].reserveFactor = -1;
  }
  EXPECT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  return id;
}

// The transaction `id` as the store now holds it.
std::unique_ptr<TransactionDetail> Stored(LONG id) {
  auto d = std::make_unique<TransactionDetail>();
  int row = -1;
  EXPECT_EQ(FindTransaction(static_cast<int>(id), &row), 1);
  char error[256] = "";
  EXPECT_EQ(LoadTransaction(row, &d->transaction, d->lines, d->splits, d->shares, error), 1) << error;
  return d;
}

// Selects the register row whose description is `payee` and loads it.
void EditRow(HWND h, const char* payee) {
  HWND list = GetDlgItem(h, IDC_TRN_LIST);
  const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < rows; ++i) {
    char text[64] = "";
    LVITEM item{};
    item.iSubItem = 3;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (std::string(text) != payee) continue;
    LVITEM set{};
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&set));
    automation::PumpUntilIdle();
    Press(h, IDC_TRN_EDIT);
    return;
  }
  ADD_FAILURE() << "no row " << payee;
}

// Types a new amount and posts with the focus still in the amount field,
// as Enter and Alt+P do.
void PostNewAmount(HWND h, const char* amount) {
  SetFocus(GetDlgItem(h, IDC_TRN_AMOUNT));
  automation::PumpUntilIdle();
  SetField(h, IDC_TRN_AMOUNT, amount);
  Press(h, IDC_TRN_POST);
}

class FormSplitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ResetXferDefaults();
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
  int Run(int number, std::function<void(HWND)> script) { return RunTransactionFormOn(number, std::move(script)); }
  void Enter(HWND h, const char* type, const char* amount, const char* support, const char* description = "Entry") {
    SetField(h, IDC_TRN_NUMBER, "");
    SetField(h, IDC_TRN_DATE, "04/02/08");
    SetWindowText(GetDlgItem(h, IDC_TRN_DESCR), description);
    Choose(h, IDC_TRN_TYPE, type);
    SetFocus(GetDlgItem(h, IDC_TRN_AMOUNT));
    SetField(h, IDC_TRN_AMOUNT, amount);
    SetFocus(GetDlgItem(h, IDC_TRN_REMARKS));
    automation::PumpUntilIdle();
    if (support) Choose(h, IDC_TRN_SUPPORT, support);
  }
  fixture::FiscalYear fy;
};

TEST_F(FormSplitsTest, PassbookSplitsMoveMemberBalancesAndDuesMustBalance) {
  const int anna = fixture::FiscalYear::MemberBalance(fixture::kAnna);
  const int ben = fixture::FiscalYear::MemberBalance(fixture::kBen);
  const int income = fixture::FiscalYear::Balance(520), dues = fixture::FiscalYear::Balance(599);
  Run(101, [&](HWND h) {
    // Fundraising income earned by Anna (6.00) and Ben (4.00) in cash.
    Enter(h, "Deposit", "10.00", "520 /");
    automation::OnDialog("PassBook Split", [](HWND s) {
      TypeInto(s, IDC_PBS_CASH0 + HolderRow(s, "Smith"), "6");
      TypeInto(s, IDC_PBS_CASH0 + HolderRow(s, "Jones"), "4");
      EXPECT_EQ(FieldText(s, IDC_PBS_UNIT), "$0.00");
      Press(s, IDCANCEL);
    }, IDABORT);
    Press(h, IDC_TRN_PBSPLIT);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_TRN_PBCHECK), BST_CHECKED);
    Press(h, IDC_TRN_POST);
    // Dues of 5.00 that leave a unit share: the amount follows the shares.
    Enter(h, "Deposit", "8.00", "599 /");
    automation::OnDialog("PassBook Split", [](HWND s) {
      TypeInto(s, IDC_PBS_CASH0 + HolderRow(s, "Smith"), "5");
      automation::ExpectMessageBox("", "On a dues deposit (account #599)", ANSWER_YES);
      Press(s, IDCANCEL);
    }, IDABORT);
    Press(h, IDC_TRN_PBSPLIT);
    EXPECT_NE(FieldText(h, IDC_TRN_AMOUNT).find("5.00"), std::string::npos);
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kAnna) - anna, 600);
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kBen) - ben, 400);
  EXPECT_EQ(fixture::FiscalYear::Balance(520) - income, 1000);
  EXPECT_EQ(fixture::FiscalYear::Balance(599) - dues, 500);
}

TEST_F(FormSplitsTest, ALineThatCanNoLongerSplitKeepsNoPassbookData) {
  const int anna = fixture::FiscalYear::MemberBalance(fixture::kAnna);
  const int splits = SplitTable.freeCount;
  bool printEnabled = true;
  Run(101, [&](HWND h) {
    printEnabled = IsWindowEnabled(GetDlgItem(h, IDC_TRN_PRINT)) != 0;
    Enter(h, "Deposit", "10.00", "520 /");
    automation::OnDialog("PassBook Split", [](HWND s) {
      TypeInto(s, IDC_PBS_CASH0 + HolderRow(s, "Smith"), "6");
      Press(s, IDCANCEL);
    }, IDABORT);
    Press(h, IDC_TRN_PBSPLIT);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_TRN_PBCHECK), BST_CHECKED);
    // Savings cannot be split among passbooks: the split goes with it.
    Choose(h, IDC_TRN_SUPPORT, "201 /");
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_TRN_PBCHECK), BST_UNCHECKED);
    Choose(h, IDC_TRN_SUPPORT, "520 /");
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_TRN_PBCHECK), BST_UNCHECKED);
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(printEnabled);
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kAnna), anna);
  EXPECT_EQ(SplitTable.freeCount, splits);
}

TEST_F(FormSplitsTest, ADescriptionRemembersItsTypeAndSupport) {
  std::string type, support;
  Run(101, [&](HWND h) {
    Enter(h, "Withdrawal", "3.00", "620 /", "Camp fee");
    Press(h, IDC_TRN_POST);
    SetWindowText(GetDlgItem(h, IDC_TRN_DESCR), "Camp fee");
    SetFocus(GetDlgItem(h, IDC_TRN_DESCR));
    automation::PumpUntilIdle();
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_TRN_DESCR, CBN_KILLFOCUS),
                reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_TRN_DESCR)));
    automation::PumpUntilIdle();
    type = ComboSelection(h, IDC_TRN_TYPE);
    support = ComboSelection(h, IDC_TRN_SUPPORT);
    automation::ExpectMessageBox("", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(type, "Withdrawal");
  EXPECT_EQ(support.rfind("620 /", 0), 0u) << support;
}

TEST_F(FormSplitsTest, SetAllCopiesTheFocusedAmountToEveryHolder) {
  LONG amount = 4000;
  SplitRecord split;
  auto d = std::make_unique<TransactionDetail>();
  SubAccountRecord* shares = d->shares[0];
  ResetSplitBuffers(&split, shares);
  automation::OnDialog("PassBook Split", [&](HWND s) {
    SetFocus(GetDlgItem(s, IDC_PBS_CASH0));
    automation::PumpUntilIdle();
    automation::TypeText("2.5");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("", "Set all cash amounts to $2.50", ANSWER_YES);
    automation::PressKey('L', false, false, true);
    automation::PumpUntilIdle();
    // Units at 2.35 rounded to the nearest 0.25 below.
    CheckDlgButton(s, IDC_PBS_CASH_RADIO, BST_UNCHECKED);
    CheckDlgButton(s, IDC_PBS_UNITS_RADIO, BST_CHECKED);
    Press(s, IDC_PBS_UNITS_RADIO);
    SetFocus(GetDlgItem(s, IDC_PBS_RATE));
    SetField(s, IDC_PBS_RATE, "2.35");
    SetFocus(GetDlgItem(s, IDC_PBS_INCR));
    automation::PumpUntilIdle();
    SetField(s, IDC_PBS_INCR, "0.25");
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(s, IDC_PBS_UNITS0));
    automation::PumpUntilIdle();
    automation::TypeText("1.55");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("", "Set all units to 1.6", ANSWER_YES);
    Press(s, IDC_PBS_SETALL);
    Press(s, IDCANCEL);
  }, IDABORT);
  EXPECT_EQ(RunPassbookSplit(1, 101, 520, &amount, &split, shares), IDOK);
  for (int row : {fixture::kAnna, fixture::kBen, fixture::kCarl, fixture::kEagles}) {
    EXPECT_EQ(shares[row].units, 160) << row;
    EXPECT_EQ(shares[row].cash, 375) << row;  // 1.6 x 2.35 = 3.76, cut to 3.75
  }
  EXPECT_EQ(split.unitShare, 4000 - 4 * 375);
}

TEST_F(FormSplitsTest, TenSupportLinesFillTheSplits) {
  auto d = NewSupportTransaction(1000);
  bool fullDisabled = false;
  automation::OnDialog("Support Account Split", [&](HWND h) {
    for (int i = 0; i < 10; ++i) {
      Choose(h, IDC_TRN_SUPPORT, "620 /");
      SetField(h, IDC_TRN_AMOUNT, "1.00");
      Press(h, IDC_TRN_POST);
    }
    fullDisabled = !IsWindowEnabled(GetDlgItem(h, IDC_TRN_SUPPORT)) && !IsWindowEnabled(GetDlgItem(h, IDC_TRN_POST));
    Press(h, IDCANCEL);
  }, IDABORT);
  EXPECT_EQ(RunSupportSplits(*d), IDOK);
  EXPECT_TRUE(fullDisabled);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(d->lines[i].account, 620);
    EXPECT_EQ(d->lines[i].line, i);
  }
}

TEST_F(FormSplitsTest, APostedAmountNeverLeavesItsSharesOrLinesBehind) {
  // The popcorn sale: 100.00 split 40.00 / 60.00 among the passbooks.
  Run(101, [&](HWND h) {
    EditRow(h, "Popcorn sale");
    automation::ExpectMessageBox("Information", "Troop's sub-account share has changed", IDOK);
    automation::OnDialog("PassBook Split", [](HWND s) { Press(s, IDCANCEL); }, IDABORT);
    PostNewAmount(h, "150.00");
    Press(h, IDCANCEL);
  });
  auto popcorn = Stored(1);
  EXPECT_EQ(popcorn->transaction.amount, 15000);
  EXPECT_EQ(popcorn->lines[0].amount, 15000);
  EXPECT_EQ(popcorn->splits[0].unitShare, 5000);

  // Two support lines of 25.00: the splits open, and their total carried
  // back is what is posted.
  const LONG id = AddTwoLineCheck("Two lines", false);
  Run(101, [&](HWND h) {
    EditRow(h, "Two lines");
    automation::ExpectMessageBox("Information", "Support accounts are out of balance", IDOK);
    automation::OnDialog("Support Account Split", [](HWND s) {
      automation::ExpectMessageBox("", "Do you want to carry accounts' total back as transaction total", ANSWER_YES);
      Press(s, IDCANCEL);
    }, IDABORT);
    PostNewAmount(h, "40.00");
    Press(h, IDCANCEL);
  });
  auto two = Stored(id);
  EXPECT_EQ(two->transaction.amount, 2500);
  EXPECT_EQ(two->lines[0].amount + two->lines[1].amount, 2500);
}

TEST_F(FormSplitsTest, DiscardingTheSupportLinesDropsTheFirstLinesReserve) {
  const int reserve = fixture::FiscalYear::Balance(710);
  const LONG id = AddTwoLineCheck("Two lines", true);
  ASSERT_NE(fixture::FiscalYear::Balance(710), reserve);
  Run(101, [&](HWND h) {
    EditRow(h, "Two lines");
    automation::ExpectMessageBox("Question", "Do you really want to discard the multiple-account entries",
                                 ANSWER_YES);
    Choose(h, IDC_TRN_SUPPORT, "620 /");
    EXPECT_EQ(ComboSelection(h, IDC_TRN_RESERVE), "");
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  auto d = Stored(id);
  EXPECT_EQ(d->transaction.multiLine, 0);
  EXPECT_EQ(d->lines[0].account, 620);
  EXPECT_EQ(d->lines[0].reserveAccount, 0);
  EXPECT_EQ(d->lines[0].split, 0);
  EXPECT_EQ(d->lines[1].account, 0);
  EXPECT_EQ(fixture::FiscalYear::Balance(710), reserve);
}

TEST_F(FormSplitsTest, RegisterButtonOpensTheFormOrTheGridByThePreference) {
  InstallRegisterDialogs();
  const int saved = UseGridEntry;
  UseGridEntry = 0;
  EXPECT_EQ(GetAccountRegisterOpener(), &RunTransactionForm);
  UseGridEntry = 1;
  EXPECT_EQ(GetAccountRegisterOpener(), &RunRegisterGrid);
  UseGridEntry = saved;
  SetAccountFormOpener(nullptr);
  SetAccountGridOpener(nullptr);
}

TEST_F(FormSplitsTest, NewOpensAccountInformationAndNothingAddedClearsTheChoice) {
  bool opened = false;
  std::string support = "unset";
  Run(101, [&](HWND h) {
    automation::OnDialog("Account Information", [&](HWND a) {
      opened = true;
      Press(a, IDCANCEL);
    }, IDCANCEL);
    Choose(h, IDC_TRN_SUPPORT, "New");
    support = ComboSelection(h, IDC_TRN_SUPPORT);
    Press(h, IDCANCEL);
  });
  EXPECT_TRUE(opened);
  EXPECT_EQ(support, "");
}

TEST_F(FormSplitsTest, PictureWithASplitTransaction) {
  Run(101, [&](HWND h) {
    Enter(h, "Deposit", "25.00", nullptr, "Car wash");
    SetField(h, IDC_TRN_NUMBER, "1010");
    automation::OnDialog("Support Account Split", [](HWND s) {
      Choose(s, IDC_TRN_SUPPORT, "520 /");
      SetField(s, IDC_TRN_AMOUNT, "15.00");
      Press(s, IDC_TRN_POST);
      Choose(s, IDC_TRN_SUPPORT, "201 /");
      SetField(s, IDC_TRN_AMOUNT, "10.00");
      Press(s, IDC_TRN_POST);
      Press(s, IDCANCEL);
    }, IDABORT);
    Choose(h, IDC_TRN_SUPPORT, "Split");
    EXPECT_EQ(ComboSelection(h, IDC_TRN_SUPPORT), "Split");
    Press(h, IDC_TRN_POST);
    HWND list = GetDlgItem(h, IDC_TRN_LIST);
    const int rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < rows; ++i) {
      char num[16] = "";
      LVITEM item{};
      item.iSubItem = 1;
      item.pszText = num;
      item.cchTextMax = sizeof num;
      SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      if (std::string(num) == "1010") {
        LVITEM set{};
        set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&set));
      }
    }
    automation::PumpUntilIdle();
    Press(h, IDC_TRN_EDIT);
    EXPECT_EQ(ComboSelection(h, IDC_TRN_SUPPORT), "Split");
    EXPECT_TRUE(golden::Matches("registers/transaction_form_split.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
    Press(h, IDCANCEL);
  });
}

}  // namespace
