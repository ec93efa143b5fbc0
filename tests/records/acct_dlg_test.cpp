// Account Information on the fixture year: the checks in their order with
// their exact messages, the number's class (Browse, income and expense,
// 399), the passbook split of a reserve account, Prev and Next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "records/AcctDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"

namespace {

class AcctDlgTest : public RecordDialogTest {
 protected:
  // Runs Account Information adding (pos -1) or editing account `number`.
  int Run(int number, std::function<void(HWND)> script, int* posOut = nullptr) {
    int pos = -1;
    if (number) {
      EXPECT_EQ(FindAcctIndex(number, &pos), 1);
    }
    const int result = RunRecordDlg<CAcctDlg>("Account Information", &pos, number == 0, std::move(script));
    if (posOut) *posOut = pos;
    return result;
  }
  fixture::FiscalYear fy;
};

TEST_F(AcctDlgTest, ChecksInOrderWithTheirMessagesAndSavesATrimmedName) {
  const struct {
    const char* number;
    const char* name;
    const char* message;
  } cases[] = {
      {"", "Bank", "Number:  A value must be supplied"},
      {"1x", "Bank", "Number:  Invalid number"},
      {"95", "Bank", "Number:  Invalid account"},
      {"795", "Bank", "Number:  Invalid account"},
      {"101", "Bank", "Number:  An account already exists with this number"},
      {"102", "  \t ", "Name:  A value must be supplied"},
  };
  for (const auto& c : cases) {
    int focus = 0;
    const int result = Run(0, [&](HWND h) {
      SetField(h, IDC_ACCT_NUMBER, c.number);
      SetField(h, IDC_ACCT_NAME, c.name);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      focus = GetDlgCtrlID(GetFocus());
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL) << c.message;
    EXPECT_EQ(focus, std::string(c.message).rfind("Name", 0) == 0 ? IDC_ACCT_NAME : IDC_ACCT_NUMBER) << c.message;
  }
  const int live = AcctTable.liveCount;
  int pos = -1;
  EXPECT_EQ(Run(0, [&](HWND h) {
              SetField(h, IDC_ACCT_NUMBER, "102");
              SetField(h, IDC_ACCT_NAME, "  Second Bank\t");
              Press(h, IDOK);
            }, &pos),
            IDOK);
  EXPECT_EQ(AcctTable.liveCount, live + 1);
  const AccountRecord saved = fixture::FiscalYear::Account(102);
  EXPECT_STREQ(saved.name, "Second Bank");
  EXPECT_EQ(saved.classRow, 1);
  int expected = -1;
  FindAcctIndex(102, &expected);
  EXPECT_EQ(pos, expected);
}

TEST_F(AcctDlgTest, TheNumbersClassDecidesTheOpeningBalanceAndTheSplit) {
  struct Seen {
    std::string number, classText, opening;
    bool openingEnabled, split;
  };
  std::vector<Seen> seen;
  auto look = [&](HWND h) {
    seen.push_back({FieldText(h, IDC_ACCT_NUMBER), FieldText(h, IDC_ACCT_CLASS), FieldText(h, IDC_ACCT_OPENING), Enabled(h, IDC_ACCT_OPENING),
                    Enabled(h, IDC_ACCT_SPLIT_CHECK)});
  };
  Run(0, [&](HWND h) {
    SetField(h, IDC_ACCT_OPENING, "25.00");
    for (const char* number : {"530", "399", "720", "110"}) {
      SetField(h, IDC_ACCT_NUMBER, number);
      FocusThrough(h, IDC_ACCT_NUMBER, IDC_ACCT_NAME);
      look(h);
    }
    // Browse: the Reserve line gives the class's next free number.
    automation::OnDialog("Account Types", [](HWND types) {
      HWND list = GetDlgItem(types, IDC_TYPES_LIST);
      EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 8);
      char first[64] = "";
      SendMessage(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
      EXPECT_STREQ(first, "001-094\tCash");
      SendMessage(list, LB_SETCURSEL, 7, 0);
      Press(types, IDOK);
    }, IDABORT);
    Press(h, IDC_ACCT_BROWSE);
    look(h);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].classText, "(Income)");
  EXPECT_EQ(seen[0].opening, "0.00");
  EXPECT_FALSE(seen[0].openingEnabled);
  EXPECT_FALSE(seen[1].openingEnabled);  // 399
  EXPECT_EQ(seen[2].classText, "(Reserve)");
  EXPECT_TRUE(seen[2].openingEnabled);
  EXPECT_TRUE(seen[2].split);
  EXPECT_EQ(seen[3].classText, "(Checking)");
  EXPECT_FALSE(seen[3].split);
  char next[8];
  std::snprintf(next, sizeof next, "%d", static_cast<int>(AcctClassTable[7].nextFree));
  EXPECT_EQ(seen[4].number, next);
  EXPECT_EQ(seen[4].classText, "(Reserve)");
}

TEST_F(AcctDlgTest, AChangedReserveOpeningReopensTheSplitAndDiscardingItAsks) {
  bool splitShown = false;
  std::string unitShare;
  Run(710, [&](HWND h) {
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_ACCT_SPLIT_CHECK), 1u);
    SetFocus(GetDlgItem(h, IDC_ACCT_OPENING));
    automation::PumpUntilIdle();
    SetField(h, IDC_ACCT_OPENING, "");
    automation::TypeText("100");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Information", "Troop's initial share has changed", IDOK);
    automation::OnDialog("Initial Passbook Reserves", [&](HWND split) {
      splitShown = true;
      unitShare = FieldText(split, IDC_INIT_UNIT);
      Press(split, IDOK);
    }, IDABORT);
    SetFocus(GetDlgItem(h, IDC_ACCT_NAME));
    automation::PumpUntilIdle();
    // Unchecking the split and answering Cancel keeps it and saves nothing.
    CheckDlgButton(h, IDC_ACCT_SPLIT_CHECK, 0);
    Press(h, IDC_ACCT_SPLIT_CHECK);
    automation::ExpectMessageBox("Question", "Do you really wish to discard the passbook split", ANSWER_CANCEL);
    Press(h, IDOK);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_ACCT_SPLIT_CHECK), 1u);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_TRUE(splitShown);
  EXPECT_EQ(unitShare, "$20.00");  // 100.00 less the shares of 30.00 and 50.00
  EXPECT_EQ(fixture::FiscalYear::Account(710).openingBalance, 8000);
}

TEST_F(AcctDlgTest, PrevAndNextStepThroughTheAccountsWithTheirMessages) {
  std::vector<std::string> numbers;
  int pos = 0;
  Run(1, [&](HWND h) {
    EXPECT_FALSE(Enabled(h, IDC_ACCT_NUMBER));
    EXPECT_FALSE(Enabled(h, IDC_ACCT_BROWSE));
    automation::ExpectMessageBox("Information", "Going to last accoumt", IDOK);
    Press(h, IDC_REC_PREV);
    numbers.push_back(FieldText(h, IDC_ACCT_NUMBER));
    automation::ExpectMessageBox("Information", "Starting at first account", IDOK);
    Press(h, IDC_REC_NEXT);
    numbers.push_back(FieldText(h, IDC_ACCT_NUMBER));
    Press(h, IDC_REC_NEXT);
    numbers.push_back(FieldText(h, IDC_ACCT_NUMBER));
    Press(h, IDCANCEL);
  }, &pos);
  EXPECT_EQ(numbers, (std::vector<std::string>{"900", "1", "101"}));
  int expected = -1;
  FindAcctIndex(101, &expected);
  EXPECT_EQ(pos, expected);
}

}  // namespace

namespace {

TEST_F(AcctDlgTest, AnApplyThatFillsTheLastFreeSlotClosesTheDialog) {
  const int savedFree = AcctTable.freeCount;
  AcctTable.freeCount = 2;
  std::vector<std::string> afterApply;
  const int result = Run(0, [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_REC_APPLY));
    EXPECT_FALSE(Enabled(h, IDC_REC_NEXT));
    SetField(h, IDC_ACCT_NUMBER, "102");
    SetField(h, IDC_ACCT_NAME, "Second Bank");
    Press(h, IDC_REC_APPLY);
    afterApply = {FieldText(h, IDC_ACCT_NUMBER), FieldText(h, IDC_ACCT_NAME)};
    SetField(h, IDC_ACCT_NUMBER, "103");
    SetField(h, IDC_ACCT_NAME, "Third Bank");
    automation::ExpectMessageBox("Information", "maximum number of accounts", IDOK);
    Press(h, IDC_REC_APPLY);
  });
  AcctTable.freeCount = savedFree;
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(afterApply, (std::vector<std::string>{"", ""}));
  EXPECT_STREQ(fixture::FiscalYear::Account(103).name, "Third Bank");
}

}  // namespace
