// The defaults the load/save functions remember for the run, and helpers
// they share. Internal to the Xfer files.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "store/Records.h"

struct AddressDefaults {
  char city[18];
  char state[3];
  char zip[11];
  char dateJoined[9];
};

struct XferDefaults {
  AddressDefaults adult;
  AddressDefaults scout;
  char equipPurchaseDate[9];
  // The stored values of the equipment item being edited.
  char equipStoredDate[9];
  LONG equipStoredPrice;
  LONG equipStoredValue;
  char friendCity[18];
  char friendState[3];
  char friendZip[11];
  LONG friendPhoneTypes[4];
  bool friendPhoneTypesSet;
  LONG transAccount;
  char transNumber[9];
  char transDate[9];
  LONG transMonth;
  LONG transFactor;
};
XferDefaults& TheXferDefaults();

// The date a new record proposes first: today within the loaded year, else
// the year's last day.
const char* FirstDefaultDate();
// The position in `index` (rowCount entries) whose entry is `row` with a
// live key row (status 0); -1 when none.
template <class Table>
int LivePositionOf(const Table& t, const std::vector<int>& index, int row) {
  for (int p = 0; p < t.rowCount && static_cast<size_t>(p) < index.size(); ++p)
    if (index[static_cast<size_t>(p)] == row && t.keys[static_cast<size_t>(row)].status == kStatusLive) return p;
  return -1;
}
// A saved change may re-sort the index (a rename): the caller's position
// follows the record, so that its next save writes this record again and
// not whichever record now sits at the old position. `ok` passes through.
template <class Table>
int FollowRow(const Table& t, const std::vector<int>& index, int row, int* pos, int ok) {
  if (ok != 1 || pos == nullptr) return ok;
  for (int p = 0; p < t.rowCount && static_cast<size_t>(p) < index.size(); ++p)
    if (index[static_cast<size_t>(p)] == row) {
      *pos = p;
      break;
    }
  return ok;
}
// The row at an index position; -1 when the position is outside the index.
template <class Table>
int RowAtPosition(const Table& t, const std::vector<int>& index, const int* pos) {
  if (pos == nullptr || *pos < 0 || *pos >= t.rowCount || static_cast<size_t>(*pos) >= index.size()) return -1;
  return index[static_cast<size_t>(*pos)];
}
// "The system now holds the maximum number of %ss" as Information.
void ShowCapacityNotice(const char* word);
// "Failed read: %s" (kind 3) and 0.
int ShowReadFailure(const char* item);
