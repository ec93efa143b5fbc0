// The transaction form on the fixture year: postings by account class with
// the balances they move, number and description memory, the checks in
// order with their messages, edit and delete, refused saves that keep the
// entry, and its picture with a split transaction.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/AppTestUtil.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "registers/RegistersTestUtil.h"
#include "registers/TransDlg.h"
#include "reports/RegisterReport.h"
#include "reports/RptDriver.h"
#include "reports/RptInstall.h"
#include "reports/RptSelection.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/WriteFailures.h"
#include "store/Xfer.h"
#include "support/GoldenImage.h"

namespace {

std::string Cell(HWND list, int row, int column) {
  char text[128] = "";
  LVITEM item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

int Rows(HWND list) { return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0)); }

void SelectRow(HWND list, int row) {
  LVITEM set{};
  set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
  automation::PumpUntilIdle();
}

struct Entry {
  const char* type;
  const char* amount;
  const char* support;
  const char* reserve = nullptr;
  const char* remarks = "";
  const char* number = "";
  const char* date = "03/15/08";
  const char* description = "Entry";
};

void Fill(HWND h, const Entry& e) {
  SetField(h, IDC_TRN_NUMBER, e.number);
  SetField(h, IDC_TRN_DATE, e.date);
  SetWindowText(GetDlgItem(h, IDC_TRN_DESCR), e.description);
  Choose(h, IDC_TRN_TYPE, e.type);
  SetFocus(GetDlgItem(h, IDC_TRN_AMOUNT));
  SetField(h, IDC_TRN_AMOUNT, e.amount);
  SetFocus(GetDlgItem(h, IDC_TRN_REMARKS));
  automation::PumpUntilIdle();
  if (e.support) Choose(h, IDC_TRN_SUPPORT, e.support);
  if (e.reserve) Choose(h, IDC_TRN_RESERVE, e.reserve);
  SetField(h, IDC_TRN_REMARKS, e.remarks);
  automation::PumpUntilIdle();
}

class TransactionFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ResetXferDefaults();
  }
  void TearDown() override {
    write_failures::Reset();
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
  // Runs the form on `number`; the script drives it.
  int Run(int number, std::function<void(HWND)> script) { return RunTransactionFormOn(number, std::move(script)); }
  fixture::FiscalYear fy;
};

TEST_F(TransactionFormTest, PostsByAccountClassAndMovesTheBalances) {
  struct Case {
    const char* name;
    int account;
    Entry entry;
    std::vector<std::pair<int, int>> deltas;  // account, change in cents
  } cases[] = {
      {"deposit of income", 101, {"Deposit", "25.00", "520 /"}, {{101, 2500}, {520, 2500}}},
      {"payment of an expense", 101, {"Withdrawal", "12.50", "620 /"}, {{101, -1250}, {620, 1250}}},
      {"transfer to savings", 101, {"Withdrawal", "100.00", "201 /"}, {{101, -10000}, {201, 10000}}},
      {"expense from a reserve", 101, {"Withdrawal", "30.00", "620 /", "710 /"}, {{101, -3000}, {620, 3000}, {710, -3000}}},
      {"loan payment", 401, {"Payment", "40.00", "101 /"}, {{401, -4000}, {101, -4000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> before;
    for (const auto& d : c.deltas) before.push_back(fixture::FiscalYear::Balance(d.first));
    const int result = Run(c.account, [&](HWND h) {
      Fill(h, c.entry);
      Press(h, IDC_TRN_POST);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(result, IDOK);
    for (size_t i = 0; i < c.deltas.size(); ++i)
      EXPECT_EQ(fixture::FiscalYear::Balance(c.deltas[i].first) - before[i], c.deltas[i].second)
          << "account " << c.deltas[i].first;
  }
}

TEST_F(TransactionFormTest, AnEquipmentPurchaseNeedsRemarksAndAddsItsItem) {
  const int items = EquipTable.liveCount;
  const int equipment = fixture::FiscalYear::Balance(399);
  Run(101, [&](HWND h) {
    Fill(h, {"Withdrawal", "75.00", "399 /"});
    automation::ExpectMessageBox("Warning", "Remarks:  ", IDOK);
    Press(h, IDC_TRN_POST);
    SetField(h, IDC_TRN_REMARKS, "Dining fly");
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(EquipTable.liveCount, items + 1);
  EXPECT_EQ(fixture::FiscalYear::Balance(399) - equipment, 7500);
}

TEST_F(TransactionFormTest, ChecksInOrderAndKeepsTheEntry) {
  struct Case {
    Entry entry;
    const char* message;
  } cases[] = {
      {{"Deposit", "5.00", "520 /", nullptr, "", "", "03/15/09"}, "Date:  "},
      {{"Deposit", "", "520 /"}, "Amount:  A value must be supplied"},
      {{"Deposit", "5.00", nullptr}, "Support:  A value must be supplied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const int live = TransTable.liveCount;
    std::string amount;
    Run(101, [&](HWND h) {
      Fill(h, c.entry);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDC_TRN_POST);
      amount = FieldText(h, IDC_TRN_AMOUNT);
      automation::ExpectMessageBox("", "Do you wish to save your changes to the current transaction", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(TransTable.liveCount, live);
  }
}

TEST_F(TransactionFormTest, UsedNumberAsksForTheNextAndNRecallsIt) {
  std::string recalled, after;
  const int live = TransTable.liveCount;
  Run(101, [&](HWND h) {
    SetField(h, IDC_TRN_NUMBER, "n");
    recalled = FieldText(h, IDC_TRN_NUMBER);
    Fill(h, {"Deposit", "5.00", "520 /", nullptr, "", "1001"});
    automation::ExpectMessageBox("", "Num:  Transaction number is already used.", ANSWER_NO);
    automation::ExpectMessageBox("Warning", "Num:  Duplicate transaction number", IDOK);
    Press(h, IDC_TRN_POST);
    automation::ExpectMessageBox("", "Num:  Transaction number is already used.", ANSWER_YES);
    Press(h, IDC_TRN_POST);
    SetField(h, IDC_TRN_NUMBER, "N");
    after = FieldText(h, IDC_TRN_NUMBER);
    automation::ExpectMessageBox("", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(recalled.empty());
  EXPECT_NE(recalled, "N");
  EXPECT_FALSE(after.empty());
  EXPECT_EQ(TransTable.liveCount, live + 1);
}

TEST_F(TransactionFormTest, EditAndDeleteFromTheList) {
  const int live = TransTable.liveCount;
  std::string loaded, afterDelete;
  Run(101, [&](HWND h) {
    Fill(h, {"Deposit", "25.00", "520 /", nullptr, "", "777"});
    Press(h, IDC_TRN_POST);
    HWND list = GetDlgItem(h, IDC_TRN_LIST);
    int row = -1;
    for (int i = 0; i < Rows(list); ++i)
      if (Cell(list, i, 1) == "777") row = i;
    ASSERT_GE(row, 0);
    SelectRow(list, row);
    Press(h, IDC_TRN_EDIT);
    loaded = FieldText(h, IDC_TRN_NUMBER);
    automation::ExpectMessageBox("", "Do you really want to delete", ANSWER_YES);
    Press(h, IDC_TRN_DELETE);
    // The form no longer holds the deleted transaction.
    afterDelete = FieldText(h, IDC_TRN_NUMBER);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(loaded, "777");
  EXPECT_NE(afterDelete, "777");
  EXPECT_EQ(TransTable.liveCount, live);
}

// The number is optional: a transaction without one is still a row of the
// register that Edit loads and a save changes in place; the opening balance
// row is not.
TEST_F(TransactionFormTest, ATransactionWithoutANumberIsEditedFromTheList) {
  const int live = TransTable.liveCount;
  const int income = fixture::FiscalYear::Balance(520);
  bool openingEditable = true, editable = false;
  std::string loaded;
  Run(101, [&](HWND h) {
    Fill(h, {"Deposit", "25.00", "520 /", nullptr, "", "", "03/15/08", "Unnumbered gift"});
    Press(h, IDC_TRN_POST);
    HWND list = GetDlgItem(h, IDC_TRN_LIST);
    SelectRow(list, 0);
    openingEditable = IsWindowEnabled(GetDlgItem(h, IDC_TRN_EDIT));
    int row = -1;
    for (int i = 0; i < Rows(list); ++i)
      if (Cell(list, i, 3) == "Unnumbered gift") row = i;
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(list, row, 1), "");
    SelectRow(list, row);
    editable = IsWindowEnabled(GetDlgItem(h, IDC_TRN_EDIT));
    Press(h, IDC_TRN_EDIT);
    loaded = FieldText(h, IDC_TRN_AMOUNT);
    SetFocus(GetDlgItem(h, IDC_TRN_AMOUNT));
    SetField(h, IDC_TRN_AMOUNT, "30.00");
    SetFocus(GetDlgItem(h, IDC_TRN_REMARKS));
    automation::PumpUntilIdle();
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(openingEditable);
  EXPECT_TRUE(editable);
  EXPECT_EQ(loaded, "$ 25.00");
  EXPECT_EQ(TransTable.liveCount, live + 1);
  EXPECT_EQ(fixture::FiscalYear::Balance(520) - income, 3000);
}

TEST_F(TransactionFormTest, ARefusedSaveKeepsTheEntry) {
  // A full transaction table.
  const int free = TransTable.freeCount;
  TransTable.freeCount = 0;
  std::string amount;
  Run(101, [&](HWND h) {
    Fill(h, {"Deposit", "25.00", "520 /"});
    // Post is disabled; the store refuses a save that reaches it anyway.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_TRN_POST)));
    automation::ExpectMessageBox("", "maximum number of transactions", IDOK);
    EXPECT_EQ(static_cast<CTransDlg*>(CWnd::FromHandlePermanent(h))->PostTrans(), 0);
    amount = FieldText(h, IDC_TRN_AMOUNT);
    TransTable.freeCount = free;
    SetField(h, IDC_TRN_REMARKS, "kept");
    // A write failure inside the store keeps it too.
    write_failures::FailAfter(0);
    automation::AlwaysAnswer("", "", IDOK);
    Press(h, IDC_TRN_POST);
    write_failures::Reset();
    automation::ClearResponder();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_TRN_POST)));
    Press(h, IDC_TRN_POST);
    Press(h, IDCANCEL);
  });
  EXPECT_NE(amount.find("25.00"), std::string::npos);
}

// After each posting only the saved transaction is read again: the list it
// leaves (rows, order, running balances, payees) must be the one a fresh
// form builds, for postings out of date order and a change that moves one.
TEST_F(TransactionFormTest, TheListAfterPostingsIsTheListBuiltAnew) {
  auto cells = [](HWND h) {
    HWND list = GetDlgItem(h, IDC_TRN_LIST);
    std::vector<std::string> rows;
    for (int i = 0; i < Rows(list); ++i) {
      std::string row;
      for (int c = 1; c <= 10; ++c) row += Cell(list, i, c) + "|";
      rows.push_back(row);
    }
    HWND combo = GetDlgItem(h, IDC_TRN_DESCR);
    for (int i = 0; i < static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0)); ++i) {
      char text[64] = "";
      SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      rows.push_back(std::string("payee ") + text);
    }
    char caption[128] = "";
    GetWindowText(h, caption, sizeof caption);
    rows.push_back(caption);
    return rows;
  };
  std::vector<std::string> after, fresh;
  Run(101, [&](HWND h) {
    const Entry entries[] = {
        {"Deposit", "25.00", "520 /", nullptr, "", "D5", "05/01/08", "May sale"},
        {"Withdrawal", "7.50", "620 /", nullptr, "", "2001", "01/15/08", "January camp"},
        {"Deposit", "3.00", "520 /", nullptr, "", "", "12/31/08", "Bake sale"},
        {"Withdrawal", "1.25", "620 /", nullptr, "", "2002", "03/05/08", "Camp store"},
    };
    for (const Entry& e : entries) {
      Fill(h, e);
      Press(h, IDC_TRN_POST);
    }
    // The January withdrawal moves to August with another amount.
    HWND list = GetDlgItem(h, IDC_TRN_LIST);
    for (int i = 0; i < Rows(list); ++i)
      if (Cell(list, i, 3) == "January camp") SelectRow(list, i);
    Press(h, IDC_TRN_EDIT);
    SetField(h, IDC_TRN_DATE, "08/01/08");
    SetFocus(GetDlgItem(h, IDC_TRN_AMOUNT));
    SetField(h, IDC_TRN_AMOUNT, "9.00");
    Press(h, IDC_TRN_POST);
    after = cells(h);
    Press(h, IDCANCEL);
  });
  Run(101, [&](HWND h) {
    fresh = cells(h);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(after, fresh);
  EXPECT_GE(after.size(), 8u);
}

}  // namespace

namespace {

// The parameter dialog of report 31 as the form's Print finds it: records
// the preset it is opened with and cancels.
int printedAccount = 0;
char printedDisplay = 0;
int RecordRegisterPreset(RptContext*) {
  printedAccount = RptOptionB;
  printedDisplay = RptOrder;
  return 0;
}

TEST_F(TransactionFormTest, PrintOpensTheRegisterReportForTheFormsAccount) {
  // Without the report's dialog the button stays off.
  ClearRptRegistry();
  InstallRegisterReports();
  Run(101, [](HWND h) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_TRN_PRINT)));
    Press(h, IDCANCEL);
  });
  RegisterRptLauncher(31, RecordRegisterPreset);
  printedAccount = 0;
  Run(401, [](HWND h) {
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_TRN_PRINT)));
    Press(h, IDC_TRN_PRINT);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(printedAccount, 401);
  EXPECT_EQ(printedDisplay, '1');
  ClearRptRegistry();
}

}  // namespace

namespace {

std::vector<std::string> previewed;
int RecordPreviewedReport(RptContext* c, int*) {
  previewed.clear();
  std::FILE* f = std::fopen(c->tempName, "rb");
  char record[256];
  while (f && std::fread(record, 256, 1, f) == 1) {
    CutRptRecord(record);
    previewed.emplace_back(record);
  }
  if (f) std::fclose(f);
  return 1;
}

TEST_F(TransactionFormTest, PrintBuildsTheRegisterOfTheFormsAccountOnly) {
  // The program's own report registrations: the real dialog and builder.
  ClearRptRegistry();
  InstallReports();
  SetRptPreviewer(RecordPreviewedReport);
  previewed.clear();
  std::vector<std::string> offered;
  automation::OnDialog("Account Register Report", [&](HWND d) {
    HWND list = GetDlgItem(d, IDC_RPT_ACCT_LIST);
    const int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
      if (SendMessage(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
        char text[64] = "";
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        offered.emplace_back(text);
      }
    Press(d, IDOK);
  }, IDOK);
  // After the preview the dialog comes back until it is cancelled.
  automation::OnDialog("Account Register Report", [](HWND d) { Press(d, IDCANCEL); }, IDCANCEL);
  Run(101, [](HWND h) {
    Press(h, IDC_TRN_PRINT);
    Press(h, IDCANCEL);
  });
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0].substr(0, 4), "101/");
  bool header = false, other = false;
  for (const std::string& line : previewed) {
    header = header || line.find("101  Checking") != std::string::npos;
    other = other || line.find("  Petty Cash") != std::string::npos;
  }
  EXPECT_TRUE(header);
  EXPECT_FALSE(other);
  SetRptPreviewer(nullptr);
  ClearRptRegistry();
}

}  // namespace
