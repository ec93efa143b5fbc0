// Load/save functions of the member dialogs: scouts, adults and subunits.
#include <cstring>

#include "common/Dates.h"
#include "store/MemberStore.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"
#include "store/UnitInfo.h"
#include "store/Xfer.h"
#include "store/XferDefaults.h"

namespace {

enum class Kind { Scout, Adult, Subunit };

void FirstAddressDefaults(AddressDefaults& d) {
  if (!d.city[0] && !d.state[0] && !d.zip[0]) {
    SetText(d.city, UnitCity);
    SetText(d.state, UnitState);
    SetText(d.zip, UnitZip);
  }
  if (!d.dateJoined[0]) SetText(d.dateJoined, FirstDefaultDate());
}

void RememberAddress(AddressDefaults& d, const MemberRow& form) {
  SetText(d.city, form.city);
  SetText(d.state, form.state);
  SetText(d.zip, form.zip);
  SetText(d.dateJoined, form.dateJoined);
}

void BlankMember(MemberRow* stored, int type, const AddressDefaults* d) {
  std::memset(stored, 0, sizeof *stored);
  stored->type = type;
  if (type == 1) SetText(stored->subunit, "Adults");
  if (d) {
    stored->passbook = 1;
    SetText(stored->city, d->city);
    SetText(stored->state, d->state);
    SetText(stored->zip, d->zip);
    SetText(stored->dateJoined, d->dateJoined);
  }
}

// What the three member kinds share; `load` and `saveExisting` differ.
int XferMember(Kind kind, int save, int isNew, int* pos, MemberRow* form, MemberRow* stored) {
  XferDefaults& defaults = TheXferDefaults();
  AddressDefaults* address =
      kind == Kind::Scout ? &defaults.scout : kind == Kind::Adult ? &defaults.adult : nullptr;
  const char* readWord = kind == Kind::Scout ? "scout" : kind == Kind::Adult ? "adult" : "subunit";
  if (address) FirstAddressDefaults(*address);

  if (save == 0) {
    if (isNew) {
      BlankMember(stored, kind == Kind::Scout ? 0 : kind == Kind::Adult ? 1 : 2, address);
      return 1;
    }
    int row = RowAtPosition(MemberTable, MemberTable.byTypeName, pos);
    if (row < 0 || ReadMemberRecord(MemberFile, stored, 4, 0, row) != 1) return ShowReadFailure(readWord);
    return 1;
  }

  form->status = form->dateLeft[0] ? kStatusMarked : kStatusLive;
  // A new opening balance moves the current one by the difference; a stored
  // record at the ends of the range (a damaged one) is refused, not wrapped.
  AmountSum current(stored->currentBalance);
  current += form->openingBalance;
  current -= stored->openingBalance;
  const char* balanceWord =
      kind == Kind::Scout ? "scout balance" : kind == Kind::Adult ? "adult balance" : "subunit balance";
  if (!TotalsFit(balanceWord, {current})) return 0;
  form->currentBalance = current.Value();

  if (isNew) {
    if (address) RememberAddress(*address, *form);
    int row = -1;
    int ok = kind == Kind::Scout   ? AddMember(form, &row)
             : kind == Kind::Adult ? AddAdult(form, &row)
                                   : AddSubunit(form, &row);
    if (!ok) return 0;
    int p = LivePositionOf(MemberTable, MemberTable.byTypeName, row);
    if (p >= 0 && pos) *pos = p;
    if (kind == Kind::Subunit) {
      if (MemberTable.freeCount == 0 || SubunitCount >= SubunitCapacity) ShowCapacityNotice("subunit");
    } else if (MemberTable.freeCount == 0) {
      ShowCapacityNotice("member");
    }
    return 1;
  }

  int row = RowAtPosition(MemberTable, MemberTable.byTypeName, pos);
  if (row < 0) return ShowReadFailure(readWord);
  int ok = 0;
  switch (kind) {
    case Kind::Scout:
      ok = ModifyMember(form, row);
      break;
    case Kind::Adult:
      // The key row becomes an adult's (a converted scout's too) once the
      // record is written.
      ok = ModifyMemberKeyed(form, row, "adult", true, 1);
      break;
    case Kind::Subunit:
      ok = ModifySubunit(form, row) ? RenameMembersSubunit(stored->subunit, form->subunit) : 0;
      break;
  }
  return FollowRow(MemberTable, MemberTable.byTypeName, row, pos, ok);
}

}  // namespace

int XferScout(int save, int isNew, int* pos, MemberRow* form, MemberRow* stored) {
  return XferMember(Kind::Scout, save, isNew, pos, form, stored);
}

int XferSubunit(int save, int isNew, int* pos, MemberRow* form, MemberRow* stored) {
  return XferMember(Kind::Subunit, save, isNew, pos, form, stored);
}

int XferAdult(int save, int mode, int* pos, MemberRow* form, MemberRow* stored) {
  int result = XferMember(Kind::Adult, save, mode == 0, pos, form, stored);
  if (save == 0 && mode == 2 && result == 1) {
    // A member becoming an adult: these places hold other data in a scout's
    // layout.
    SetText(stored->subunit, "Adults");
    stored->type = 1;
    stored->dateLeft[0] = '\0';
    stored->spouse[0] = '\0';
    stored->workPhone[0] = '\0';
    stored->workExt[0] = '\0';
    stored->fax[0] = '\0';
  }
  return result;
}
