#include "store/TransStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/Dates.h"
#include "common/FileUtil.h"
#include "store/AcctClass.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"

namespace {

bool IsPurchase(int account, int factor) { return account == kEquipmentAccount && factor == 1; }

bool PostsReserve(const SupportLineRecord& l) { return l.reserveAccount != 0 && l.reserveAccount != l.account; }

// The remarks that describe a line's equipment item: its own in a
// multi-line transaction, else the transaction's.
const char* LineDescription(const TransactionRecord& t, const SupportLineRecord& l) {
  return t.multiLine ? l.remarks : t.remarks;
}

int FindLiveLineRow(int id, int lineNumber) {
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.id == id && k.line == lineNumber && k.status == 0) return r;
  }
  return -1;
}

// Takes a deleted posting off its account. A purchase on 399 takes its
// item along, and the item's value is what 399 held for it; when the item
// is already gone (deleted, or made hand-entered by the integrity check)
// 399 holds nothing of the posting and stays as it is.
bool TakeOffPosting(int account, int factor, int amount, LONG key, const char* word) {
  long long value = Posted(factor, amount);
  if (IsPurchase(account, factor)) {
    int itemValue = 0;
    int got = DeleteEquipOfPosting(key, &itemValue);
    if (got == 0) return false;
    if (got == -1) return true;
    value = itemValue;
  }
  return UpdateAcctBalance(account, -1, value, word) == 1;
}

bool DigitsOnly(const char* s) {
  if (s == nullptr || *s == 0) return false;
  for (; *s; ++s)
    if (*s < '0' || *s > '9') return false;
  return true;
}

}  // namespace

int FindTransaction(int id, int* rowOut) {
  for (int pos = 0; pos < TransTable.rowCount; ++pos) {
    int row = TransTable.byAcctNumberDate[static_cast<size_t>(pos)];
    const TransKey& k = TransTable.keys[static_cast<size_t>(row)];
    if (k.status != kStatusDeleted && k.id == id) {
      if (rowOut) *rowOut = row;
      return 1;
    }
  }
  return 0;
}

int FindTransactionRow(int id, int* rowOut) {
  for (int r = 0; r < TransTable.rowCount; ++r)
    if (TransTable.keys[static_cast<size_t>(r)].id == id) {
      if (rowOut) *rowOut = r;
      return 1;
    }
  if (rowOut) *rowOut = -1;
  return 0;
}

int ReadTransactionById(int id, TransactionRecord* record) {
  if (record == nullptr) return 0;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    if (TransTable.keys[static_cast<size_t>(r)].id != id) continue;
    TransactionRecord t;
    if (ReadRecord(TransFile, t, r) != 1) {
      ShowStoreError(ERR_READ, "transaction", MSG_FATAL);
      continue;
    }
    if (t.status == 0) {
      *record = t;
      return 1;
    }
  }
  return 0;
}

int ReadSupportLine(int lineKey, SupportLineRecord* record) {
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (LineKey(k.id, k.line) != lineKey) continue;
    SupportLineRecord l;
    if (ReadRecord(SupportFile, l, r) != 1) {
      ShowStoreError(ERR_READ, "support account", MSG_FATAL);
      continue;
    }
    if (l.status == 0) {
      if (record) *record = l;
      return 1;
    }
  }
  return 0;
}

int IsTransactionNumberUsed(int account, const char* number) {
  if (!DigitsOnly(number)) return 0;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.account == account && std::strcmp(k.number, number) == 0) return 1;
  }
  return 0;
}

int FindNextTransactionNumber(int account, char* number, size_t size) {
  if (number == nullptr || size == 0) return 0;
  long start = std::atol(number);
  if (start < 0) start = 0;
  for (int n = static_cast<int>(std::min(start, 99999999L)) + 1; n <= 99999999; ++n) {
    char text[24];
    std::snprintf(text, sizeof text, "%d", n);
    if (!IsTransactionNumberUsed(account, text)) {
      // A number that does not fit the caller's room is none.
      if (std::strlen(text) + 1 > size) return 0;
      std::memcpy(number, text, std::strlen(text) + 1);
      return 1;
    }
  }
  return 0;
}

void ResetSupportLine(int line, SupportLineRecord* record) {
  *record = SupportLineRecord{};
  record->id = -1;
  record->line = line;
}

void ResetTransactionDetail(SupportLineRecord* lines, SplitRecord* splits, ShareArray* shares) {
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    ResetSupportLine(i, &lines[i]);
    if (splits && shares) ResetSplitBuffers(&splits[i], shares[i]);
  }
}

int LoadTransaction(int row, TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                    ShareArray* shares, char* messageOut, size_t size) {
  char text[256] = "";
  if (ReadRecord(TransFile, *transaction, row) != 1) FormatErrorText(text, ERR_READ, "transaction");
  if (!text[0] && lines) {
    ResetTransactionDetail(lines, splits, shares);
    for (int pos = 0; pos < SupportTable.rowCount && !text[0]; ++pos) {
      int r = SupportTable.byLineKey[static_cast<size_t>(pos)];
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
      if (k.id != transaction->id || k.status != 0 || k.line < 0 || k.line >= kLinesPerTransaction) continue;
      if (ReadRecord(SupportFile, lines[k.line], r) != 1) FormatErrorText(text, ERR_READ, "support account");
    }
  }
  for (int i = 0; lines && splits && i < kLinesPerTransaction && !text[0]; ++i) {
    if (lines[i].account == 0 || !lines[i].split) continue;
    LONG key = LineKey(transaction->id, i);
    int sr;
    if (!FindSplitRow(key, &sr)) FormatErrorText(text, ERR_UNMATCHED, "split");
    else if (ReadRecord(SplitFile, splits[i], sr) != 1) FormatErrorText(text, ERR_READ, "split");
  }
  // A split may have no member share at all (the unit keeps the whole
  // line); that is no error.
  for (int i = 0; lines && shares && i < kLinesPerTransaction && !text[0]; ++i) {
    if (lines[i].account == 0 || !lines[i].split) continue;
    LONG key = LineKey(transaction->id, i);
    for (int r = 0; r < SubAcctTable.rowCount && !text[0]; ++r) {
      if (SubAcctTable.keys[static_cast<size_t>(r)] != key) continue;
      SubAccountRecord s;
      if (ReadRecord(SubAcctFile, s, r) != 1) FormatErrorText(text, ERR_READ, "sub-account");
      else if (s.memberRow >= 0 && s.memberRow < kMemberSlots) shares[i][s.memberRow] = s;
    }
  }
  if (messageOut) std::snprintf(messageOut, size, "%s", text);
  return text[0] ? 0 : 1;
}

int AddSupportLine(const TransactionRecord* transaction, SupportLineRecord* line, SplitRecord* split,
                   SubAccountRecord* shares) {
  StoreUndo undo;
  SupportKeyTable& t = SupportTable;
  line->id = transaction->id;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "support account")) return 0;
  if (WriteRecord(SupportFile, *line, row) != 1) {
    ShowStoreError(ERR_WRITE, "support account", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, KeyOf(*line));
  if (!UpdateAcctBalance(line->account, 1, Posted(line->factor, line->amount), "support account")) return 0;
  LONG key = LineKey(line->id, line->line);
  if (line->split) {
    split->lineKey = key;
    if (!AddSplit(line->account, split, shares)) return 0;
  }
  if (IsPurchase(line->account, line->factor)) {
    EquipmentRecord item = EquipItemFromPosting(LineDescription(*transaction, *line), transaction->date,
                                                line->amount, key);
    if (!AddEquipItem(&item, 1, nullptr)) return 0;
  }
  if (PostsReserve(*line) &&
      !UpdateAcctBalance(line->reserveAccount, 1, Posted(line->reserveFactor, line->reserveAmount), "reserve account"))
    return 0;
  return undo.Keep(1);
}

int AddTransaction(TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                   ShareArray* shares) {
  StoreUndo undo;
  TransKeyTable& t = TransTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "transaction")) return 0;
  // The transaction goes to the disk before any of its lines is posted.
  if (WriteRecord(TransFile, *transaction, row) != 1) {
    ShowStoreError(ERR_WRITE, "transaction", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, KeyOf(*transaction));
  if (transaction->id >= NextTransId) NextTransId = transaction->id + 1;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    if (lines[i].account == 0) continue;
    lines[i].line = i;
    if (!AddSupportLine(transaction, &lines[i], &splits[i], shares[i])) {
      DispMessage("Transaction addition aborted", MSG_INFORMATION);
      return 0;
    }
  }
  SortTransactions();
  SortSupportLines();
  if (!UpdateAcctBalance(transaction->account, 1, Posted(transaction->factor, transaction->amount), "transaction"))
    return 0;
  if (IsPurchase(transaction->account, transaction->factor)) {
    EquipmentRecord item = EquipItemFromPosting(transaction->remarks, transaction->date, transaction->amount,
                                                LineKey(transaction->id, 0));
    if (!AddEquipItem(&item, 1, nullptr)) return 0;
  }
  return undo.Keep(1);
}

int DeleteSupportLine(int id, int lineNumber) {
  int row = FindLiveLineRow(id, lineNumber);
  if (row < 0) return 0;
  StoreUndo undo;
  SupportLineRecord line;
  if (ReadRecord(SupportFile, line, row) != 1) {
    ShowStoreError(ERR_READ, "support to delete", MSG_FATAL);
    return 0;
  }
  line.status = kStatusDeleted;
  if (WriteRecord(SupportFile, line, row) != 1) {
    ShowStoreError(ERR_WRITE, "deleted support", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(SupportTable, row);
  LONG key = LineKey(id, lineNumber);
  if (!TakeOffPosting(line.account, line.factor, line.amount, key, "support acct")) return 0;
  for (int r = 0; r < SplitTable.rowCount; ++r)
    if (SplitTable.keys[static_cast<size_t>(r)] == key && !DeleteSplit(line.account, r)) return 0;
  if (PostsReserve(line) &&
      !UpdateAcctBalance(line.reserveAccount, -1, Posted(line.reserveFactor, line.reserveAmount), "reserve acct"))
    return 0;
  return undo.Keep(1);
}

int DeleteTransaction(int id, int confirm) {
  int row = -1;
  if (!FindTransaction(id, &row)) {
    ShowStoreError(ERR_NOT_FOUND, "transaction", MSG_ERROR);
    return 0;
  }
  TransactionRecord t;
  if (ReadRecord(TransFile, t, row) != 1) {
    ShowStoreError(ERR_READ, "transaction", MSG_FATAL);
    return 0;
  }
  char label[128];
  std::snprintf(label, sizeof label, "Transaction \"%s\", dated %s", t.number, FormatDateShort(t.date, DF_YYYYMMDD));
  if (confirm && !ConfirmDelete(label)) return 0;
  StoreUndo undo;
  t.status = kStatusDeleted;
  if (WriteRecord(TransFile, t, row) != 1) {
    ShowStoreError(ERR_WRITE, "transaction", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(TransTable, row);
  if (!TakeOffPosting(t.account, t.factor, t.amount, LineKey(id, 0), "primary acct")) return 0;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.id == id && k.status == 0 && !DeleteSupportLine(id, k.line)) return 0;
  }
  return undo.Keep(1);
}

int ModifySupportLine(const TransactionRecord* transaction, SupportLineRecord* line,
                      const SupportLineRecord* oldLine, SplitRecord* split, const SplitRecord* oldSplit,
                      SubAccountRecord* shares, const SubAccountRecord* oldShares) {
  int row = FindLiveLineRow(line->id, line->line);
  if (row < 0) return 0;
  StoreUndo undo;
  // A line that moves to another account, or that starts or stops being a
  // purchase on 399, changes what it brings along: it is taken off and
  // posted anew.
  if (line->account != oldLine->account ||
      IsPurchase(line->account, line->factor) != IsPurchase(oldLine->account, oldLine->factor)) {
    if (!DeleteSupportLine(oldLine->id, oldLine->line)) return 0;
    return undo.Keep(AddSupportLine(transaction, line, split, shares));
  }
  if (WriteRecord(SupportFile, *line, row) != 1) {
    ShowStoreError(ERR_WRITE, "support account", MSG_FATAL);
    return 0;
  }
  // The line keeps its id and number: the support indexes keep their order.
  SupportTable.keys[static_cast<size_t>(row)] = KeyOf(*line);
  LONG key = LineKey(line->id, line->line);
  if (IsPurchase(line->account, line->factor)) {
    EquipmentRecord item = EquipItemFromPosting(LineDescription(*transaction, *line), transaction->date,
                                                line->amount, key);
    if (!UpdateEquipFromTrans(&item)) return 0;
  } else {
    long long diff = Posted(line->factor, line->amount) - Posted(oldLine->factor, oldLine->amount);
    if (diff != 0 && !UpdateAcctBalance(line->account, 0, diff, "support account")) return 0;
  }
  int splitRow = -1;
  if (oldLine->split && !FindSplitRow(LineKey(oldLine->id, oldLine->line), &splitRow)) {
    ShowStoreError(ERR_FIND, "split", MSG_ERROR);
    return 0;
  }
  if (line->split) split->lineKey = key;
  if (line->split && !oldLine->split) {
    if (!AddSplit(line->account, split, shares)) return 0;
  } else if (line->split && oldLine->split) {
    if (!ModifySplit(splitRow, line->account, oldLine->account, split, oldSplit, shares, oldShares)) return 0;
  } else if (oldLine->split) {
    if (!DeleteSplit(oldLine->account, splitRow)) return 0;
  }
  // The reserve posting moves whenever what it posts changed.
  if (line->reserveAccount != oldLine->reserveAccount ||
      Posted(line->reserveFactor, line->reserveAmount) != Posted(oldLine->reserveFactor, oldLine->reserveAmount)) {
    if (PostsReserve(*oldLine) &&
        !UpdateAcctBalance(oldLine->reserveAccount, -1, Posted(oldLine->reserveFactor, oldLine->reserveAmount), "reserve"))
      return 0;
    if (PostsReserve(*line) &&
        !UpdateAcctBalance(line->reserveAccount, 1, Posted(line->reserveFactor, line->reserveAmount), "reserve"))
      return 0;
  }
  return undo.Keep(1);
}

int ModifyTransaction(int row, TransactionRecord* transaction, SupportLineRecord* lines, SplitRecord* splits,
                      ShareArray* shares) {
  ShowWaitCursor(1);
  auto old = std::make_unique<TransactionDetail>();
  char message[256];
  if (!LoadTransaction(row, &old->transaction, old->lines, old->splits, old->shares, message)) {
    ShowWaitCursor(0);
    DispMessage(message, MSG_FATAL);
    return 0;
  }
  StoreUndo undo;
  const TransactionRecord& was = old->transaction;
  int ok = 1;
  if (transaction->factor != was.factor || transaction->account != was.account) {
    // Posted anew under the same id.
    ok = DeleteTransaction(was.id, 0) && AddTransaction(transaction, lines, splits, shares);
  } else {
    for (int i = 0; i < kLinesPerTransaction && ok; ++i)
      if (lines[i].account == 0 && old->lines[i].account != 0) ok = DeleteSupportLine(was.id, old->lines[i].line);
    for (int i = 0; i < kLinesPerTransaction && ok; ++i) {
      SupportLineRecord& line = lines[i];
      if (line.account == 0) continue;
      line.id = transaction->id;
      line.line = i;
      const SupportLineRecord& before = old->lines[i];
      if (before.account == 0)
        ok = AddSupportLine(transaction, &line, &splits[i], shares[i]);
      else
        ok = ModifySupportLine(transaction, &line, &before, &splits[i], &old->splits[i], shares[i], old->shares[i]);
    }
    if (ok) {
      if (WriteRecord(TransFile, *transaction, row) != 1) {
        ShowStoreError(ERR_WRITE, "transaction", MSG_FATAL);
        ok = 0;
      }
    }
    if (ok) {
      TransTable.keys[static_cast<size_t>(row)] = KeyOf(*transaction);
      SortTransactions();
      SortSupportLines();
      if (IsPurchase(transaction->account, transaction->factor)) {
        EquipmentRecord item = EquipItemFromPosting(transaction->remarks, transaction->date, transaction->amount,
                                                    LineKey(transaction->id, 0));
        ok = UpdateEquipFromTrans(&item);
      } else {
        long long diff = Posted(transaction->factor, transaction->amount) - Posted(was.factor, was.amount);
        if (diff != 0) ok = UpdateAcctBalance(transaction->account, 0, diff, "transaction");
      }
    }
  }
  ShowWaitCursor(0);
  return undo.Keep(ok);
}
