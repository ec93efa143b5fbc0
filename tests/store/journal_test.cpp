// The journal of compound operations: a failed write anywhere in an
// operation leaves every record file, key row, index and counter as it was;
// an undo that cannot put the bytes back says so, leaves the tables as the
// disk holds them and has the next open run the integrity check.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "common/Question.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/WriteFailures.h"
#include "store/TransStore.h"

namespace {

using fixture::FiscalYear;
using fixture::kAnna;
using fixture::kBen;

// Key rows, the used part of every index and the counters of one table.
template <class T>
std::string Describe(const T& t, std::initializer_list<const std::vector<int>*> indexes) {
  std::ostringstream out;
  out << "rows " << t.rowCount << " live " << t.liveCount << " free " << t.freeCount << "\n";
  for (const std::vector<int>* ix : indexes) {
    out << "index";
    for (int p = 0; p < t.rowCount; ++p) out << ' ' << (*ix)[static_cast<size_t>(p)];
    out << "\n";
  }
  return out.str();
}

// Everything a compound operation may change.
struct State {
  std::vector<std::string> tables;
  std::vector<AcctKey> acct;
  std::vector<TransKey> trans;
  std::vector<SupportKey> support;
  std::vector<LONG> splits, shares;
  std::vector<EquipKey> equip;
  std::vector<MemberKey> members;
  std::vector<int> counters;
  std::map<std::string, std::string> files;

  static State Take(const FiscalYear& fy) {
    State s;
    s.tables = {Describe(AcctTable, {&AcctTable.byNumber, &AcctTable.byName}),
                Describe(TransTable, {&TransTable.byAcctNumberDate, &TransTable.byDateAcctNumber,
                                      &TransTable.byAcctPayeeDate}),
                Describe(SupportTable, {&SupportTable.byLineKey, &SupportTable.byTransDate}),
                Describe(SplitTable, {}),
                Describe(SubAcctTable, {}),
                Describe(EquipTable, {&EquipTable.byDescription, &EquipTable.byDateDescription,
                                      &EquipTable.byInventory}),
                Describe(MemberTable, {&MemberTable.byTypeName, &MemberTable.byTypeSubunitName})};
    s.acct = AcctTable.keys;
    s.trans = TransTable.keys;
    s.support = SupportTable.keys;
    s.splits = SplitTable.keys;
    s.shares = SubAcctTable.keys;
    s.equip = EquipTable.keys;
    s.members = MemberTable.keys;
    s.counters = {NextTransId, ScoutCount, AdultCount, SubunitCount, PassbookCount[0], PassbookCount[1],
                  PassbookCount[2]};
    for (int i = 0; i < 9; ++i) s.counters.push_back(AcctClassTable[i].nextFree);
    for (const auto& entry : std::filesystem::directory_iterator(fy.folder())) {
      std::ifstream in(entry.path(), std::ios::binary);
      s.files[entry.path().filename().string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return s;
  }
  bool operator==(const State&) const = default;
};

// A deposit with a split expense line on a reserve and a canoe bought on
// 399 (which brings an equipment item along).
std::unique_ptr<TransactionDetail> Purchase() {
  auto d = std::make_unique<TransactionDetail>();
  fixture::StartTransaction(*d, NextTransId, 5, "20080601", 1, 10000, "DEP9", "Camp").multiLine = 1;
  d->lines[2].account = 399;
  d->lines[2].amount = 6000;
  d->lines[2].factor = 1;
  SetText(d->lines[2].remarks, "Paddles");
  fixture::SplitCampLine(*d, 5);
  return d;
}

// Runs `op` with its first write failing, then its second, ... until it
// goes through; each failed run must leave the state as it was. Returns
// the number of failed runs.
int FailEachWriteInTurn(const FiscalYear& fy, const std::function<int()>& op) {
  State before = State::Take(fy);
  int writes = 0;
  for (;; ++writes) {
    automation::AlwaysAnswer("", "", IDOK);
    write_failures::FailAfter(writes);
    int ok = op();
    write_failures::Reset();
    if (ok) break;
    EXPECT_TRUE(State::Take(fy) == before) << "failing write " << writes;
    if (writes > 200) break;
  }
  return writes;
}

TEST(Journal, EveryFailedWriteOfAnOperationRestoresFilesAndTables) {
  FiscalYear fy;
  LONG id = NextTransId;
  EXPECT_GT(FailEachWriteInTurn(fy,
                                [] {
                                  auto d = Purchase();
                                  return AddTransaction(&d->transaction, d->lines, d->splits, d->shares);
                                }),
            8);
  NextTransId = id + 1;
  // A change that moves the split among the members, the purchase's price
  // and the transaction's date (which reorders both transaction and
  // support-line indexes).
  EXPECT_GT(FailEachWriteInTurn(fy,
                                [id] {
                                  int row = -1;
                                  if (!FindTransaction(id, &row)) return 0;
                                  auto d = std::make_unique<TransactionDetail>();
                                  char message[256];
                                  if (!LoadTransaction(row, &d->transaction, d->lines, d->splits, d->shares, message))
                                    return 0;
                                  SetText(d->transaction.date, "20080102");
                                  d->lines[2].amount = 5000;
                                  d->lines[5].amount = 5000;
                                  d->transaction.amount = 10000;
                                  d->lines[5].reserveAmount = 5000;
                                  d->shares[5][kBen].cash = 2500;
                                  return ModifyTransaction(row, &d->transaction, d->lines, d->splits, d->shares);
                                }),
            5);
  EXPECT_GT(FailEachWriteInTurn(fy, [id] { return DeleteTransaction(id, 0); }), 5);
  // A reserve account with initial member reserves (the reserve file has
  // no key table: its bytes alone must come back).
  EXPECT_GT(FailEachWriteInTurn(fy,
                                [] {
                                  AccountRecord a;
                                  a.number = 720;
                                  SetText(a.name, "Trip Reserve");
                                  a.openingBalance = a.currentBalance = 3000;
                                  a.classRow = GetAcctClassRow(720);
                                  a.memberReserves = 1;
                                  int rows[] = {kAnna, kBen};
                                  int shares[] = {1000, 2000};
                                  return AddAcct(&a, rows, 2, shares, nullptr);
                                }),
            1);
  EXPECT_GT(FailEachWriteInTurn(fy,
                                [] {
                                  MemberRow m{};
                                  SetText(m.lastName, "Young");
                                  SetText(m.firstName, "Dora");
                                  SetText(m.subunit, "Eagles");
                                  m.passbook = 1;
                                  return AddMember(&m, nullptr);
                                }),
            0);
}

// Every key row of `table` is the one its record on disk gives, and the
// counters are those of the disk's records.
template <class Table, class Rec>
void ExpectTableAsOnDisk(const Table& table, FILE* file, Rec rec, const char* name) {
  std::fseek(file, 0, SEEK_END);
  long records = std::ftell(file) / RecordSize<Rec>::value;
  EXPECT_EQ(table.rowCount, records) << name;
  int live = 0;
  for (int r = 0; r < table.rowCount; ++r) {
    ASSERT_EQ(ReadRecord(file, rec, r), 1) << name;
    EXPECT_TRUE(table.keys[static_cast<size_t>(r)] == KeyOf(rec)) << name << " row " << r;
    live += rec.status != kStatusDeleted;
  }
  EXPECT_EQ(table.liveCount, live) << name;
}

TEST(Journal, AnUndoThatCannotWriteIsReportedAndTheYearChecksAtItsNextOpen) {
  FiscalYear fy;
  ASSERT_EQ(YearMarkedForIntegrityCheck(), 0);
  auto d = Purchase();
  ++NextTransId;
  // The transaction and its first line reach the disk, then a write fails
  // and so does every write of the undo.
  write_failures::FailAfter(3);
  store_undo_test::SetRestoreHook([] { return false; });
  automation::AlwaysAnswer("", "Transaction addition aborted", IDOK);
  automation::AlwaysAnswer("", "Failed write", IDOK);
  automation::ExpectMessageBox("", "trans408.dat", IDOK);
  automation::AlwaysAnswer("", "could not be undone", IDOK);
  EXPECT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 0);
  write_failures::Reset();
  store_undo_test::Reset();
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(YearMarkedForIntegrityCheck(), 1);
  // The tables hold what the files hold: the transaction that stayed is
  // listed, not hidden behind a table put back to before.
  ExpectTableAsOnDisk(TransTable, TransFile, TransactionRecord{}, "transactions");
  ExpectTableAsOnDisk(SupportTable, SupportFile, SupportLineRecord{}, "support lines");
  int row = -1;
  EXPECT_EQ(FindTransaction(d->transaction.id, &row), 1);

  // The next open runs the check, which takes the mark away.
  automation::AlwaysAnswer("", "", ANSWER_YESTOALL);
  ASSERT_EQ(fy.Reopen(), 1);
  EXPECT_EQ(YearMarkedForIntegrityCheck(), 0);
  automation::ClearResponder();
}

}  // namespace
