#include "records/Recon.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/FileUtil.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

ReconContext TheReconContext;

void ResetReconContext() { TheReconContext = ReconContext{}; }

int ReconCount(const ReconList& list) {
  int n = 0;
  for (const ReconItem& item : list) {
    if (item.row < 0) break;
    ++n;
  }
  return n;
}

namespace {

void ShowFailure(ErrorTextIndex index, const char* item) {
  char text[300];
  FormatErrorText(text, index, item);
  DispMessage(text, MSG_FATAL);
}

// While alive, the transaction and support-line files and tables are those
// of another fiscal year; the destructor brings the loaded year's back,
// whatever happened in between. `ok` tells whether the swap (and later the
// swap back) worked.
class OtherYearFiles {
 public:
  OtherYearFiles(const char* folder, const FiscalYearNode* year) {
    std::snprintf(m_supportPath, sizeof m_supportPath, "%s", SupportPath);
    std::snprintf(m_transPath, sizeof m_transPath, "%s", TransPath);
    CloseHandles();
    m_swapped = true;
    const char* y = year ? year->year : "";
    const size_t len = std::strlen(y);
    const char* yy = len >= 2 ? y + len - 2 : y;
    SetPath(SupportPath, folder, "suppt", yy);
    SetPath(TransPath, folder, "trans", yy);
    m_ok = LoadSupportKeys(0) && LoadTransactionKeys(0);
  }
  ~OtherYearFiles() { Restore(); }
  bool Loaded() const { return m_ok; }
  // Swaps back now; false when the loaded year's tables did not load again.
  bool Restore() {
    if (!m_swapped) return m_restored;
    m_swapped = false;
    CloseHandles();
    std::snprintf(SupportPath, sizeof SupportPath, "%s", m_supportPath);
    std::snprintf(TransPath, sizeof TransPath, "%s", m_transPath);
    m_restored = LoadSupportKeys(0) && LoadTransactionKeys(0);
    return m_restored;
  }

 private:
  // "<folder>/<stem><major><yy>.dat", an older name of another case found
  // in its place.
  static void SetPath(char (&out)[MAX_PATH], const char* folder, const char* stem, const char* yy) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%s%s.dat", stem, DataFormatMajor(), yy);
    const std::string path = ResolvePathCase(JoinPath(folder ? folder : "", name));
    std::snprintf(out, sizeof out, "%s", path.c_str());
  }
  static void CloseHandles() {
    DropRecordReadCopies();
    if (SupportFile) std::fclose(SupportFile);
    if (TransFile) std::fclose(TransFile);
    SupportFile = nullptr;
    TransFile = nullptr;
  }
  char m_supportPath[MAX_PATH] = {};
  char m_transPath[MAX_PATH] = {};
  bool m_swapped = false;
  bool m_ok = false;
  bool m_restored = false;
};

// Collects the loaded tables' items of `account` into `list`; false after
// a read failure's message.
bool CollectItems(int account, int thisYear, ReconList* list) {
  for (int pos = 0; pos < TransTable.rowCount; ++pos) {
    const int row = TransTable.byDateAcctNumber[static_cast<size_t>(pos)];
    const TransKey& key = TransTable.keys[static_cast<size_t>(row)];
    if (key.status == kStatusDeleted) continue;
    if (key.account == account) {
      TransactionRecord t;
      if (ReadRecord(TransFile, t, row) != 1) {
        ShowFailure(ERR_READ, "transaction");
        return false;
      }
      ReconItem item;
      item.amount = t.amount;
      item.factor = t.factor;
      item.row = row;
      item.thisYear = thisYear;
      item.clearedAtLoad = item.cleared = t.cleared;
      item.isTransaction = 1;
      std::memcpy(item.number, t.number, sizeof item.number - 1);
      FormatDate(t.date, 18, 7, item.date);
      std::snprintf(item.description, sizeof item.description, "%.*s", static_cast<int>(sizeof item.description - 1),
                    t.payee);
      list->push_back(item);
      continue;
    }
    for (int s = 0; s < SupportTable.rowCount; ++s) {
      const SupportKey& line = SupportTable.keys[static_cast<size_t>(s)];
      if (line.status == kStatusDeleted || line.id != key.id || line.account != account) continue;
      SupportLineRecord l;
      if (ReadRecord(SupportFile, l, s) != 1) {
        ShowFailure(ERR_READ, "support account");
        return false;
      }
      ReconItem item;
      item.amount = l.amount;
      item.factor = l.factor;
      item.row = s;
      item.thisYear = thisYear;
      item.clearedAtLoad = item.cleared = l.cleared;
      item.isTransaction = 0;
      FormatDate(key.date, 18, 7, item.date);
      char payee[sizeof key.payee + 1] = {};
      std::memcpy(payee, key.payee, sizeof key.payee);
      std::snprintf(item.description, sizeof item.description, "[%.27s]", payee);
      list->push_back(item);
    }
  }
  return true;
}

}  // namespace

int LoadReconItems(int account, const char* folder, const FiscalYearNode* year, int thisYear, ReconList* list) {
  if (!list) return 0;
  list->clear();
  bool ok = true;
  if (thisYear) {
    ok = CollectItems(account, 1, list);
  } else {
    OtherYearFiles other(folder, year);
    ok = other.Loaded() && CollectItems(account, 0, list);
    // The loaded year comes back on every path; a failed reload fails the
    // whole load.
    if (!other.Restore()) ok = false;
  }
  if (!ok) {
    list->clear();
    return 0;
  }
  ReconItem end;
  end.row = -1;
  list->push_back(end);
  return 1;
}

int SaveClearedFlags(const char* folder, const FiscalYearNode* year, int thisYear, const ReconList& list) {
  const char* failure = nullptr;
  ErrorTextIndex failureIndex = ERR_READ;
  auto write = [&]() {
    for (const ReconItem& item : list) {
      if (item.row < 0) break;
      if (item.cleared == item.clearedAtLoad) continue;
      if (item.isTransaction) {
        TransactionRecord t;
        if (ReadRecord(TransFile, t, item.row) != 1) {
          failure = "transaction";
          failureIndex = ERR_READ;
          return;
        }
        t.cleared = item.cleared;
        if (WriteRecord(TransFile, t, item.row) != 1) {
          failure = "transaction";
          failureIndex = ERR_WRITE;
          return;
        }
      } else {
        SupportLineRecord l;
        if (ReadRecord(SupportFile, l, item.row) != 1) {
          failure = "support account";
          failureIndex = ERR_READ;
          return;
        }
        l.cleared = item.cleared;
        if (WriteRecord(SupportFile, l, item.row) != 1) {
          failure = "support account";
          failureIndex = ERR_WRITE;
          return;
        }
      }
    }
  };
  bool ok = true;
  if (thisYear) {
    write();
  } else {
    OtherYearFiles other(folder, year);
    if (other.Loaded())
      write();
    else
      ok = false;
    if (!other.Restore()) ok = false;
  }
  if (failure) {
    ShowFailure(failureIndex, failure);
    ok = false;
  }
  return ok ? 1 : 0;
}
