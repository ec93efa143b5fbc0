// The diagnostic listing of the filtered splits, shown in the text viewer.
#include <cstdio>
#include <string>

#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "store/FiltSplits.h"
#include "store/KeyTable.h"

namespace {

// The member row behind a passbook position of the first member index; -1
// for the unit's own part or a position the index does not hold.
int MemberRowOfPassbook(LONG passbook) {
  if (passbook < 0 || static_cast<size_t>(passbook) >= MemberTable.byTypeName.size()) return -1;
  return MemberTable.byTypeName[static_cast<size_t>(passbook)];
}

}  // namespace

int CFiltSplits::Review() {
  errorText_.Empty();
  const std::string listing = JoinPath(static_cast<LPCTSTR>(folder_), "filtsplt.txt");
  if (!Open(0)) return 0;
  std::FILE* out = OpenPrivateFile(listing.c_str(), "wb");
  if (out == nullptr) {
    SetError(ERR_OPEN, "CFiltSplits::Review");
    Close();
    return 0;
  }
  std::fputs("Row  Range SAcct PBookX SctRec Amount\r\n", out);
  for (INT_PTR i = 0; i < rowIndex_.GetSize() && Result(); ++i) {
    FiltSplitRow row;
    if (ReadRow(static_cast<int>(rowIndex_[i]), row) != 1) {
      SetError(ERR_READ, "CFiltSplits::Review");
      break;
    }
    std::fprintf(out, "%4d %5d %5d %6d %6d %8ld\r\n", static_cast<int>(i), static_cast<int>(row.inRange),
                 static_cast<int>(row.account), static_cast<int>(row.passbook), MemberRowOfPassbook(row.passbook),
                 static_cast<long>(row.amount));
  }
  if (std::fclose(out) != 0 && Result()) SetError(ERR_WRITE, "CFiltSplits::Review");
  Close();
  if (Result()) ShowTextFile(listing.c_str(), "Filtered Splits");
  std::remove(listing.c_str());
  return Result();
}
