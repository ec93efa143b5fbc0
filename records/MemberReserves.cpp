#include "records/MemberReserves.h"

#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/Queries.h"
#include "store/RecIO.h"

int MemberHasReserves(int memberRow, bool* reserved) {
  *reserved = false;
  if (!OpenReserveFile()) return 0;
  int ok = 1;
  for (int r = 0; r < AcctTable.rowCount && !*reserved; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted || GetAcctClass(k.number) != 'R') continue;
    int reserve = 0;
    if (!SumMemberReserves(k.number, memberRow, nullptr, nullptr, &reserve)) {
      ok = 0;
      break;
    }
    *reserved = reserve != 0;
  }
  CloseReserveFile();
  return ok;
}
