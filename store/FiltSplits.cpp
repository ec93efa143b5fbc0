#include "store/FiltSplits.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/ErrorText.h"
#include "common/FileUtil.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/SplitStore.h"
#include "store/StoreUtil.h"
#include "store/TransStore.h"

void PackFiltSplitRow(const FiltSplitRow& row, BYTE* out) {
  PutI32(out + 0, row.inRange);
  PutI32(out + 4, row.account);
  PutI32(out + 8, row.passbook);
  PutI32(out + 12, row.amount);
}

void UnpackFiltSplitRow(const BYTE* in, FiltSplitRow& row) {
  row.inRange = GetI32(in + 0);
  row.account = GetI32(in + 4);
  row.passbook = GetI32(in + 8);
  row.amount = GetI32(in + 12);
}

namespace {

bool InNonEmptyList(const CUIntArray& list, LONG value) {
  for (int i = 0; i < list.GetSize(); ++i)
    if (static_cast<LONG>(list.GetAt(i)) == value) return true;
  return false;
}

// An empty list takes every value.
bool InList(const CUIntArray& list, LONG value) { return list.GetSize() == 0 || InNonEmptyList(list, value); }

// Position of each member row in the first member index; -1 for rows of
// deleted members and of members without a passbook.
std::vector<int> PassbookPositions() {
  std::vector<int> pos(static_cast<size_t>(std::max(MemberTable.rowCount, 0)), -1);
  int n = std::min<int>(MemberTable.rowCount, static_cast<int>(MemberTable.byTypeName.size()));
  for (int p = 0; p < n; ++p) {
    int row = MemberTable.byTypeName[static_cast<size_t>(p)];
    if (row < 0 || row >= MemberTable.rowCount) continue;
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
    if (k.status != kStatusDeleted && k.passbook != 0) pos[static_cast<size_t>(row)] = p;
  }
  return pos;
}

}  // namespace

CFiltSplits::CFiltSplits() = default;

CFiltSplits::~CFiltSplits() {
  // The file stays in its folder; the handle does not outlive the object.
  if (file_) std::fclose(file_);
}

void CFiltSplits::SetError(ErrorTextIndex index, const char* item) {
  if (!errorText_.IsEmpty()) return;  // the first failure is the one to tell
  FormatErrorTextStr(errorText_, index, item);
}

int CFiltSplits::Open(int create) {
  if (++openCount_ == 1) {
    if (path_.IsEmpty()) {
      errorText_ = "Missing filename in CFiltSplits::_Open";
      openCount_ = 0;
      return 0;
    }
    file_ = OpenPrivateFile(path_, create ? "w+b" : "r+b");
    if (file_ == nullptr) {
      SetError(ERR_OPEN, "CFiltSplits::_Open");
      openCount_ = 0;
      return 0;
    }
  }
  std::rewind(file_);
  return 1;
}

int CFiltSplits::Close() {
  if (openCount_ > 0) --openCount_;
  if (file_ == nullptr) return 1;
  if (openCount_ == 0) {
    int failed = std::fclose(file_);
    file_ = nullptr;
    if (failed != 0) {
      SetError(ERR_CLOSE, "CFiltSplits::_Close");
      return 0;
    }
  } else {
    std::fflush(file_);
  }
  return 1;
}

int CFiltSplits::ReadRow(int row, FiltSplitRow& out) {
  BYTE buf[kFiltSplitRowSize];
  if (std::fseek(file_, static_cast<long>(row) * kFiltSplitRowSize, SEEK_SET) != 0 ||
      std::fread(buf, kFiltSplitRowSize, 1, file_) != 1)
    return std::feof(file_) ? -1 : 0;
  UnpackFiltSplitRow(buf, out);
  return 1;
}

int CFiltSplits::WriteRow(int row, const FiltSplitRow& in) {
  BYTE buf[kFiltSplitRowSize];
  PackFiltSplitRow(in, buf);
  return std::fseek(file_, static_cast<long>(row) * kFiltSplitRowSize, SEEK_SET) == 0 &&
         std::fwrite(buf, kFiltSplitRowSize, 1, file_) == 1;
}

int CFiltSplits::Initialize(const CString& folder, const CString& fromDate, const CString& toDate,
                            const CUIntArray& accounts) {
  errorText_.Empty();
  rowIndex_.RemoveAll();
  passCursor_ = 0;
  folder_ = folder;
  path_ = JoinPath(static_cast<LPCTSTR>(folder), "filtsplt.tmp").c_str();
  if (!Open(1)) return 0;

  const std::vector<int> passbookPos = PassbookPositions();
  std::vector<LONG> sortKeys;
  int rows = 0;
  // A row holds a 32-bit amount; one beyond that stems from a damaged record.
  auto put = [&](LONG inRange, LONG account, LONG passbook, const AmountSum& amount) {
    if (!amount.Fits()) {
      SetError(ERR_PARSE, "split amount (beyond the amount range)");
      return;
    }
    if (!WriteRow(rows, FiltSplitRow{inRange, account, passbook, amount.Value()})) {
      SetError(ERR_WRITE, "CFiltSplits::Initialize");
      return;
    }
    sortKeys.push_back(passbook);
    ++rows;
  };

  for (int r = 0; r < SupportTable.rowCount && errorText_.IsEmpty(); ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusLive || !InNonEmptyList(accounts, k.account)) continue;
    int transRow = -1;
    if (!FindTransactionRow(k.id, &transRow)) continue;
    SupportLineRecord line;
    if (ReadRecord(SupportFile, line, r) != 1) {
      SetError(ERR_READ, "support account");
      break;
    }
    const TransKey& tk = TransTable.keys[static_cast<size_t>(transRow)];
    LONG inRange = DateInRange(fromDate, toDate, tk.date, DF_YYYYMMDD) ? 1 : 0;
    LONG lineKey = LineKey(k.id, k.line);
    if (line.split == 0) {
      TransactionRecord trans;
      if (ReadRecord(TransFile, trans, transRow) != 1) {
        SetError(ERR_READ, "transaction");
        break;
      }
      const long long posted = Posted(line.factor, line.amount);
      put(inRange, line.account, -1, AmountSum(GetAcctClass(line.account) == 'E' ? -posted : posted));
      continue;
    }
    int splitRow = -1;
    if (!FindSplitRow(lineKey, &splitRow)) continue;
    SplitRecord split;
    if (ReadRecord(SplitFile, split, splitRow) != 1) {
      SetError(ERR_READ, "split");
      break;
    }
    if (split.unitShare != 0) put(inRange, line.account, -1, AmountSum(Posted(split.factor, split.unitShare)));
    for (int s = 0; s < SubAcctTable.rowCount && errorText_.IsEmpty(); ++s) {
      if (SubAcctTable.keys[static_cast<size_t>(s)] != lineKey) continue;
      SubAccountRecord share;
      if (ReadRecord(SubAcctFile, share, s) != 1) {
        SetError(ERR_READ, "sub-account");
        break;
      }
      LONG passbook = -1;
      if (share.memberRow >= 0 && share.memberRow < static_cast<LONG>(passbookPos.size()))
        passbook = passbookPos[static_cast<size_t>(share.memberRow)];
      AmountSum amount;
      amount.AddTimes(SignedAmount(line.account, -1, split.factor, share.cash, share.accountAmount), split.factor);
      put(inRange, line.account, passbook, amount);
    }
  }
  Close();

  rowIndex_.SetSize(rows);
  for (int i = 0; i < rows; ++i) rowIndex_.SetAt(i, static_cast<UINT>(i));
  if (errorText_.IsEmpty()) {
    std::vector<int> order(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) order[static_cast<size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      return sortKeys[static_cast<size_t>(a)] < sortKeys[static_cast<size_t>(b)];
    });
    for (int i = 0; i < rows; ++i) rowIndex_.SetAt(i, static_cast<UINT>(order[static_cast<size_t>(i)]));
  }
  return Result();
}

int CFiltSplits::Sum(int rangeFlag, const CUIntArray& accounts, const CUIntArray& passbooks, int* unitTotal,
                     int* memberTotal) {
  errorText_.Empty();
  AmountSum unit, member;
  if (Open(0)) {
    constexpr int kBlock = 128;
    std::vector<BYTE> block;
    try {
      block.resize(static_cast<size_t>(kBlock) * kFiltSplitRowSize);
    } catch (...) {
      SetError(ERR_ALLOC, "CFiltSplits::Sum");
    }
    while (errorText_.IsEmpty()) {
      size_t got = std::fread(block.data(), kFiltSplitRowSize, kBlock, file_);
      for (size_t i = 0; i < got; ++i) {
        FiltSplitRow row;
        UnpackFiltSplitRow(block.data() + i * kFiltSplitRowSize, row);
        if (row.inRange != rangeFlag || !InList(accounts, row.account) || !InList(passbooks, row.passbook)) continue;
        (row.passbook == -1 ? unit : member) += row.amount;
      }
      if (got < static_cast<size_t>(kBlock)) {
        if (std::ferror(file_)) SetError(ERR_READ, "CFiltSplits::Sum");
        break;
      }
    }
    Close();
  }
  const bool fits = unit.Fits() && member.Fits();
  if (!fits) SetError(ERR_PARSE, "passbook totals (beyond the amount range)");
  if (unitTotal) *unitTotal = fits ? unit.Value() : 0;
  if (memberTotal) *memberTotal = fits ? member.Value() : 0;
  return Result();
}

int CFiltSplits::GetNextPass(int restart, int rangeFlag, const CUIntArray& accounts, int* passbook,
                             int* incomeTotal, int* otherTotal) {
  errorText_.Empty();
  if (restart) passCursor_ = 0;
  AmountSum income, other;
  bool found = false;
  LONG group = 0;
  if (Open(0)) {
    while (passCursor_ < rowIndex_.GetSize()) {
      int at = passCursor_++;
      FiltSplitRow row;
      int r = ReadRow(static_cast<int>(rowIndex_.GetAt(at)), row);
      if (r == -1) break;
      if (r == 0) {
        SetError(ERR_READ, "CFiltSplits::GetNextPass");
        break;
      }
      bool matches = row.inRange == rangeFlag && InList(accounts, row.account);
      if (!found) {
        if (!matches) continue;
        found = true;
        group = row.passbook;
      } else if (row.passbook != group) {
        passCursor_ = at;  // the next call starts with this passbook
        break;
      } else if (!matches) {
        continue;
      }
      (GetAcctClass(row.account) == 'I' ? income : other) += row.amount;
    }
    Close();
  }
  const bool fits = income.Fits() && other.Fits();
  if (!fits) SetError(ERR_PARSE, "passbook totals (beyond the amount range)");
  if (found && passbook) *passbook = group;
  if (incomeTotal) *incomeTotal = fits ? income.Value() : 0;
  if (otherTotal) *otherTotal = fits ? other.Value() : 0;
  return found ? Result() : 0;
}

int CFiltSplits::Sort() {
  errorText_.Empty();
  if (!Open(0)) return 0;
  std::fseek(file_, 0, SEEK_END);
  int n = static_cast<int>(std::ftell(file_) / kFiltSplitRowSize);
  for (int j = 0; j < n - 1 && errorText_.IsEmpty(); ++j) {
    ReportProgress("Sorting passbooks...", j, n);
    FiltSplitRow a;
    if (ReadRow(j, a) != 1) {
      SetError(ERR_READ, "CFiltSplits::_Sort");
      break;
    }
    for (int t = j + 1; t < n; ++t) {
      FiltSplitRow b;
      if (ReadRow(t, b) != 1) {
        SetError(ERR_READ, "CFiltSplits::_Sort");
        break;
      }
      if (b.passbook < a.passbook || (b.passbook == a.passbook && b.account < a.account)) {
        if (!WriteRow(j, b) || !WriteRow(t, a)) {
          SetError(ERR_WRITE, "CFiltSplits::_Sort");
          break;
        }
        a = b;
      }
    }
  }
  if (n > 0) ReportProgress("Sorting passbooks...", n, n);
  Close();
  // The rows now lie in passbook order; the index follows them.
  rowIndex_.SetSize(n);
  for (int i = 0; i < n; ++i) rowIndex_.SetAt(i, static_cast<UINT>(i));
  return Result();
}
