#include "reports/RegisterExport.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "reports/RptFormat.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

const char* const RegisterExportFieldNames[kRegisterExportFields] = {
    "AcctID",  "Name",    "Num",   "Date",    "Description", "Withdrawal", "Deposit", "Balance",
    "Cleared", "Split",   "Remarks", "SupptID", "SupptName", "ResID",     "ResName"};

namespace {

constexpr const char* kProgressCaption = "Register Export";

std::string Cut(const char* text, std::size_t width) {
  std::string s = text ? text : "";
  if (s.size() > width) s.resize(width);
  return s;
}

// The name of a live account, empty when there is none.
std::string AccountName(int number) {
  int pos = -1;
  if (number == 0 || !FindAcctIndex(number, &pos)) return "";
  return Cut(AcctTable.keys[static_cast<std::size_t>(AcctTable.byNumber[static_cast<std::size_t>(pos)])].name, 25);
}

std::string Printf3d(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", n);
  return text;
}

// A value as it goes into the file: a line break inside a value would start
// a new line, and without a qualifier a delimiter inside a value would
// start a new field, so either becomes a blank.
void PutValue(std::FILE* f, const std::string& value, char delimiter, const char* qualifier) {
  const bool bare = qualifier == nullptr || qualifier[0] == '\0';
  for (char ch : value) {
    if (ch == '\r' || ch == '\n' || (bare && ch == delimiter)) ch = ' ';
    std::fputc(ch, f);
  }
}

void PutField(std::FILE* f, const std::string& value, bool qualified, char delimiter, const char* qualifier,
              bool last) {
  if (qualified && qualifier) std::fputs(qualifier, f);
  PutValue(f, value, delimiter, qualifier);
  if (qualified && qualifier) std::fputs(qualifier, f);
  if (!last) std::fputc(delimiter, f);
}

// Reserve fields of a line that names a reserve account, unless the line's
// own account is a reserve account.
void SetReserveFields(const SupportLineRecord& line, RegisterExportRow& row) {
  if (line.reserveAccount != 0 && GetAcctClass(line.account) != 'R') {
    row.reserveId = Printf3d(line.reserveAccount);
    row.reserveName = AccountName(line.reserveAccount);
  }
}

// Ids of the live transactions with a live support line on `account`.
std::unordered_set<LONG> TransactionsSupporting(int account) {
  std::unordered_set<LONG> ids;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<std::size_t>(r)];
    if (k.status != kStatusDeleted && k.id >= 0 && k.account == account) ids.insert(k.id);
  }
  return ids;
}

class RegisterWriter {
 public:
  RegisterWriter(std::FILE* file, char delimiter, const char* qualifier, std::string& error)
      : file_(file), delimiter_(delimiter), qualifier_(qualifier), error_(error) {}

  // Adds the posting to the running balance and writes the line.
  bool Write(int account, const std::string& name, RegisterExportRow& row, long long amount, int factor,
             bool posting) {
    if (posting) {
      if (factor == -1) {
        balance_ -= amount;
        row.withdrawal = FormatRegisterAmount(amount);
      } else {
        balance_ += amount;
        row.deposit = FormatRegisterAmount(amount);
      }
    }
    row.balance = FormatRegisterAmount(balance_);
    WriteRegisterExportRow(file_, account, name, row, delimiter_, qualifier_, error_);
    if (!error_.empty()) return false;
    ++lines_;
    return true;
  }
  long long balance_ = 0;
  int lines_ = 0;

 private:
  std::FILE* file_;
  char delimiter_;
  const char* qualifier_;
  std::string& error_;
};

std::string FormatError(ErrorTextIndex index, const char* item) {
  char text[320];
  FormatErrorText(text, index, item);
  return text;
}

}  // namespace

std::string FormatRegisterAmount(long long cents) {
  // Width 8 gives the ten-character field; a larger amount widens it.
  const unsigned long long magnitude = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents) : cents;
  int width = 8;
  for (unsigned long long limit = 10000000ULL; magnitude >= limit && width < 22; limit *= 10) ++width;
  return FormatRptAmount(cents, width);
}

void WriteRegisterExportRow(std::FILE* file, int account, const std::string& accountName,
                            const RegisterExportRow& row, char delimiter, const char* qualifier,
                            std::string& error) {
  const char* q = qualifier ? qualifier : "";
  PutField(file, std::to_string(account), false, delimiter, q, false);
  PutField(file, accountName, true, delimiter, q, false);
  PutField(file, row.number, true, delimiter, q, false);
  PutField(file, row.date, false, delimiter, q, false);
  PutField(file, row.description, true, delimiter, q, false);
  PutField(file, row.withdrawal, false, delimiter, q, false);
  PutField(file, row.deposit, false, delimiter, q, false);
  PutField(file, row.balance, false, delimiter, q, false);
  PutField(file, row.cleared, true, delimiter, q, false);
  PutField(file, row.split, true, delimiter, q, false);
  PutField(file, row.remarks, true, delimiter, q, false);
  PutField(file, row.supportId, false, delimiter, q, false);
  PutField(file, row.supportName, true, delimiter, q, false);
  PutField(file, row.reserveId, false, delimiter, q, false);
  PutField(file, row.reserveName, true, delimiter, q, true);
  std::fputs("\r\n", file);
  if (std::ferror(file)) error = FormatError(ERR_WRITE, "register export");
}

int ExportRegister(const char* path, const std::vector<int>& accounts, char order, int progressOffset,
                   char delimiter, const char* qualifier, int namesRow, int idleAccounts, const char* startDate,
                   const char* endDate) {
  char dayBefore[9];
  AddToDate(startDate, 0, 0, -1, dayBefore);
  std::string error;
  int count = 0;
  const char* q = qualifier ? qualifier : "";

  std::FILE* f = OpenPrivateFile(path, "wb");
  if (f == nullptr) error = FormatError(ERR_OPEN, "register export file");

  const int total = progressOffset + static_cast<int>(accounts.size()) * TransTable.rowCount;
  int position = 0;
  bool progressOpen = false;
  if (f != nullptr) {
    ReportProgress(kProgressCaption, 0, total);
    progressOpen = total > 0;
  }
  if (f != nullptr && namesRow) {
    for (int i = 0; i < kRegisterExportFields; ++i)
      PutField(f, RegisterExportFieldNames[i], true, delimiter, q, i == kRegisterExportFields - 1);
    std::fputs("\r\n", f);
    ++count;
    if (std::ferror(f)) error = FormatError(ERR_WRITE, "register export headers");
  }

  const std::vector<int>& index = order == 'T'   ? TransTable.byAcctNumberDate
                                  : order == 'D' ? TransTable.byDateAcctNumber
                                                 : TransTable.byAcctPayeeDate;
  auto detail = std::make_unique<TransactionDetail>();
  RegisterWriter writer(f, delimiter, q, error);

  for (std::size_t a = 0; f != nullptr && error.empty() && a < accounts.size(); ++a) {
    const int number = accounts[a];
    int pos = -1;
    if (!FindAcctIndex(number, &pos)) continue;
    AccountRecord acct;
    if (ReadRecord(AcctFile, acct, AcctTable.byNumber[static_cast<std::size_t>(pos)]) != 1) {
      error = FormatError(ERR_READ, "account");
      break;
    }
    const std::string name = Cut(acct.name, 25);
    const char letter = GetAcctClass(number);

    // The opening balance: the year's opening plus what was posted before
    // the range.
    int monthTotal = 0, before = 0;
    SumAcctActivity(number, letter, 0, dayBefore, &monthTotal, &before);
    writer.balance_ = static_cast<long long>(acct.openingBalance) + before;
    if (number == kEquipmentAccount) {
      int change = 0;
      GetEquipValueChange(dayBefore, startDate, &change);
      if (std::strcmp(dayBefore, FiscalStartDate) == 0)
        writer.balance_ -= change;
      else
        writer.balance_ += change;
    }
    if (acct.usageCount > 0 || idleAccounts) {
      RegisterExportRow row;
      row.description = "Opening Balance";
      if (!writer.Write(number, name, row, 0, 0, false)) break;
    }

    const std::unordered_set<LONG> supporting = TransactionsSupporting(number);
    for (int i = 0; i < TransTable.rowCount && error.empty(); ++i) {
      const int r = index[static_cast<std::size_t>(i)];
      const TransKey& k = TransTable.keys[static_cast<std::size_t>(r)];
      const bool candidate = k.status == kStatusLive && DateInRange(startDate, endDate, k.date, DF_YYYYMMDD) &&
                             (k.account == number || supporting.count(k.id) != 0);
      if (candidate) {
        char message[320] = "";
        TransactionDetail& d = *detail;
        if (!LoadTransaction(r, &d.transaction, d.lines, d.splits, d.shares, message)) {
          error = message[0] ? message : FormatError(ERR_READ, "transaction");
          break;
        }
        const TransactionRecord& t = d.transaction;
        char date[32];
        FormatDate(t.date, DF_YYYYMMDD, DF_MM_DD_YY, date);
        const bool multi = t.multiLine != 0;
        if (t.account == number) {
          RegisterExportRow row;
          row.number = Cut(t.number, 8);
          row.date = date;
          row.description = Cut(t.payee, 25);
          row.cleared = t.cleared ? "X" : " ";
          row.split = (multi || d.lines[0].split != 0) ? "X" : " ";
          row.remarks = Cut(t.remarks, 40);
          if (multi) {
            row.supportId = "<s>";
          } else {
            row.supportId = Printf3d(d.lines[0].account);
            row.supportName = AccountName(d.lines[0].account);
            SetReserveFields(d.lines[0], row);
          }
          if (!writer.Write(number, name, row, t.amount, t.factor, true)) break;
        } else {
          for (int l = 0; l < kLinesPerTransaction; ++l) {
            const SupportLineRecord& line = d.lines[l];
            if (line.id < 0 || line.status == kStatusDeleted || line.account != number) continue;
            RegisterExportRow row;
            row.number = "<sup>";
            row.date = date;
            row.description = Cut(t.payee, 25);
            row.cleared = t.cleared ? "X" : " ";
            row.split = multi ? "" : (line.split != 0 ? "X" : " ");
            row.remarks = Cut(line.remarks, 47);
            row.supportId = std::to_string(number);
            row.supportName = name;
            SetReserveFields(line, row);
            if (!writer.Write(number, name, row, line.amount, line.factor, true)) break;
          }
        }
      }
      if (!error.empty()) break;
      ReportProgress(kProgressCaption, ++position, total);
      if (position == total) progressOpen = false;
    }

    if (number == kEquipmentAccount && error.empty()) {
      int manual = 0, change = 0;
      GetEquipValueAt(startDate, endDate, &manual);
      if (manual != 0) {
        RegisterExportRow row;
        row.description = "Manually Entered Items";
        if (!writer.Write(number, name, row, manual, 1, true)) break;
      }
      GetEquipValueChange(startDate, endDate, &change);
      if (change != 0) {
        RegisterExportRow row;
        row.description = "Depreciation";
        if (!writer.Write(number, name, row, change, -1, true)) break;
      }
    }
  }
  count += writer.lines_;

  // Skipped accounts and an early end leave the progress short of its
  // total: close it here.
  if (progressOpen) ReportProgress(kProgressCaption, total, total);
  if (f != nullptr) std::fclose(f);
  if (!error.empty()) {
    DispMessage(error.c_str(), MSG_ERROR);
    return 0;
  }
  return count;
}
