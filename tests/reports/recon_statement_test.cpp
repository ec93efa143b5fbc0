// Report 16 from a balancing state: the statement's summary and the
// uncleared items of the previous and the loaded year.
#include <algorithm>

#include "FinReportTestSupport.h"
#include "store/ReconState.h"

namespace {

class ReconStatementTest : public RptTest {
 protected:
  static ReconItem Item(int amount, int factor, int row, int cleared, const char* number, const char* date,
                        const char* description) {
    ReconItem item;
    item.amount = amount;
    item.factor = factor;
    item.row = row;
    item.cleared = cleared;
    std::snprintf(item.number, sizeof item.number, "%s", number);
    std::snprintf(item.date, sizeof item.date, "%s", date);
    std::snprintf(item.description, sizeof item.description, "%s", description);
    return item;
  }
  std::vector<std::string> Build(ReconContext& state) {
    RptContext* c = Prepare(16);
    c->owner = &state;
    EXPECT_EQ(BuildReconciliationStatement(c), 1);
    const auto lines = Records();
    return std::vector<std::string>(lines.begin() + 3, lines.end() - 3);
  }
};

TEST_F(ReconStatementTest, UnclearedItemsExplainTheStatement) {
  AccountRecord checking;
  checking.number = 101;
  std::snprintf(checking.name, sizeof checking.name, "Checking");
  checking.classRow = 1;
  checking.currentBalance = 97000;
  ReconList previous = {Item(1500, 1, 7, 0, "D99", "12/28/07", "Late deposit"), Item(0, 0, -1, 0, "", "", "")};
  ReconList items = {Item(5000, -1, 1, 0, "1001", "03/05/08", "Camp store"),
                     // Ticked in the dialog: cleared, whatever its record says.
                     Item(8000, -1, 2, 1, "1002", "04/12/08", "Outfitters"),
                     Item(10000, 1, 0, 1, "DEP1", "02/10/08", "Popcorn sale"),
                     Item(2500, -1, 5, 0, "", "05/01/08", "[Camp {fee}]"), Item(0, 0, -1, 0, "", "", "")};
  ReconContext state;
  state.account = &checking;
  std::snprintf(state.statementDate, sizeof state.statementDate, "033108");
  state.statementBalance = 103000;
  // Totals the dialog computed before its last change: the statement takes
  // the totals of the lists it prints instead.
  state.unclearedIncreases = 0;
  state.unclearedDecreases = 99900;
  state.previousItems = &previous;
  state.items = &items;
  const std::vector<std::string> expected = {
      " ",
      "{33.}Statement Date{1} {8r}03/31/08",
      " ",
      "{33.}Statement Balance{1} {8r}  1030.00 ",
      "{31.}Uncleared Deposits{2r}(+){1} {8r}    15.00 ",
      "{31.}Uncleared Withdrawals{2r}(-){1} {8r}    75.00 ",
      "{34} {8-}",
      "{33.}Adjusted Statement Balance{1} {8r}   970.00 ",
      "{31.}Account Balance{2r}(-){1} {8r}   970.00 ",
      "{34} {8-}",
      "{33.}Out-of-Balance Amount{1} {8r}     0.00 ",
      " ",
      "{F1}{55-}Uncleared Deposits{F4}",
      "{F1} {F4}",
      "{F1}{8-}Date{1} {8-}Trans{1} {28-}Description{1} {8-}Amount{F4}",
      // The previous year's items come first.
      "{8}12/28/07 {1} {8}D99 {1} {28}Late deposit {1} {8r}    15.00  ",
      "{47} {8-}",
      "{18} {28.}Total{1} {8r}    15.00 ",
      " ",
      "{F1}{55-}Uncleared Withdrawals{F4}",
      "{F1} {F4}",
      "{F1}{8-}Date{1} {8-}Trans{1} {28-}Description{1} {8-}Amount{F4}",
      "{8}03/05/08 {1} {8}1001 {1} {28}Camp store {1} {8r}    50.00  ",
      "{8}05/01/08 {1} {8} {1} {28}[Camp (fee}] {1} {8r}    25.00  ",
      "{47} {8-}",
      "{18} {28.}Total{1} {8r}    75.00 ",
      " "};
  EXPECT_EQ(Build(state), expected);
  EXPECT_NE(Records()[1].find("}Account 101 - Checking (Checking){"), std::string::npos);
}

TEST_F(ReconStatementTest, ALiabilityWithoutUnclearedItems) {
  AccountRecord loan;
  loan.number = 401;
  std::snprintf(loan.name, sizeof loan.name, "Loan");
  loan.classRow = 4;
  loan.currentBalance = 20000;
  ReconList items = {Item(0, 0, -1, 0, "", "", "")};
  ReconContext state;
  state.account = &loan;
  std::snprintf(state.statementDate, sizeof state.statementDate, "033108");
  state.statementBalance = 25000;
  state.items = &items;
  const auto body = Build(state);
  const std::vector<std::string> summary(body.begin() + 3, body.begin() + 12);
  const std::vector<std::string> expected = {"{33.}Statement Balance{1} {8r}   250.00 ",
                                             "{31.}Uncleared Charges{2r}(+){1} {8r}     0.00 ",
                                             "{31.}Uncleared Payments{2r}(-){1} {8r}     0.00 ",
                                             "{34} {8-}",
                                             "{33.}Adjusted Statement Balance{1} {8r}   250.00 ",
                                             "{31.}Account Balance{2r}(-){1} {8r}   200.00 ",
                                             "{34} {8-}",
                                             "{33.}Out-of-Balance Amount{1} {8r}    50.00 ",
                                             " "};
  EXPECT_EQ(summary, expected);
  EXPECT_EQ(std::count(body.begin(), body.end(), "*** No uncleared transactions ***"), 2);
  EXPECT_EQ(body[12], "{F1}{55-}Uncleared Charges{F4}");
}

}  // namespace
