// The data integrity check: its order of passes and its progress display.
#include "store/Integrity.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "common/FileUtil.h"
#include "common/Question.h"
#include "store/IntegrityUtil.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

int IntegrityProgressTotal() {
  // An estimate of the steps the passes take; the steps themselves stop
  // short of it, so that only the check's last step closes the window.
  return static_cast<int>(GetFileSize(ReservePath) / kReserveRecordSize) + 5 * SplitTable.rowCount +
         4 * SupportTable.rowCount + 3 * SubAcctTable.rowCount + ScheduleTable.rowCount + FriendTable.rowCount +
         AcctTable.rowCount + MemberTable.rowCount + 8;
}

int CheckDataIntegrity(int ask) {
  if (ask && AskQuestion("Do you wish to perform a data integrity check", ANSWER_NO, 0) != ANSWER_YES) return 1;

  // The passes read every record of most files one at a time.
  RecordReadCache cache;
  const int total = IntegrityProgressTotal();
  int position = 0;
  auto pass = [&](const char* caption) {
    integrity::SetCaption(caption);
    ReportProgress(caption, position < total ? position : total - 1, total);
  };
  pass("Transaction Validation");
  ValidateTransactions(total, &position);
  pass("Passbook Validation");
  ValidatePassbooks(total, &position);
  pass("Passbook Split Validation");
  ValidatePassbookSplits(total, &position);
  pass("Passbook Validation 2");
  ValidatePassbooks2(total, &position);
  pass("Passbook Split Validation 2");
  ValidatePassbookSplits2(total, &position);
  pass("Support Transaction Validation");
  ValidateSupportLines(total, &position);
  pass("Initial Reserve Validation");
  ValidateInitialReserves(total, &position);
  pass("Schedule Validation");
  ValidateSchedules(total, &position);

  pass("Recalculating Equipment Balances");
  int ok = RecalcEquipmentBalances(total, &position);
  if (ok) {
    pass("Recalculating Account Balances");
    ok = RecalcAccountBalances(total, &position);
  }
  if (ok) {
    pass("Recalculating Member Balances");
    ok = RecalcMemberBalances(total, &position);
  }
  if (ok) {
    pass("Recalculating Friend Contributions");
    ok = RecalcFriendContributions(total, &position);
  }
  // The indexes are rebuilt whatever happened before.
  pass("Rebuilding Indexes");
  RebuildIndexes(total, &position);
  ReportProgress("Complete", total, total);
  return ok;
}

namespace {

std::string CheckMarkPath() { return JoinPath(DataFolder, "integrity.chk"); }

}  // namespace

void MarkYearForIntegrityCheck() {
  int fd = ::open(CheckMarkPath().c_str(), O_WRONLY | O_CREAT, 0600);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

int YearMarkedForIntegrityCheck() { return ::access(CheckMarkPath().c_str(), F_OK) == 0 ? 1 : 0; }

int RunPendingIntegrityCheck() {
  if (!YearMarkedForIntegrityCheck()) return 1;
  if (!CheckDataIntegrity(0)) return 0;
  ::unlink(CheckMarkPath().c_str());
  return 1;
}
