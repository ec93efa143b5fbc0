#include "records/ScheduleParticipants.h"

#include <cstdio>

#include "store/KeyTable.h"
#include "store/Queries.h"

namespace {

const MemberKey* KeyOfSlot(const ParticipantRecord& slot) {
  if (slot.memberRow < 0 || slot.memberRow >= MemberTable.rowCount) return nullptr;
  return &MemberTable.keys[static_cast<size_t>(slot.memberRow)];
}

}  // namespace

int BuildHolderList(ParticipantRecord* slots) {
  int count = 0;
  for (int p = 0; p < MemberTable.rowCount && static_cast<size_t>(p) < MemberTable.byTypeName.size(); ++p) {
    const int row = MemberTable.byTypeName[static_cast<size_t>(p)];
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted || !k.passbook || count >= kMemberSlots) continue;
    slots[count++].memberRow = row;
  }
  for (int i = count; i < kMemberSlots; ++i) slots[i].memberRow = -1;
  return count;
}

int CountTakingPart(const ParticipantRecord* slots, int count) {
  int n = 0;
  for (int i = 0; i < count && i < kMemberSlots; ++i)
    if (slots[i].scheduleRow != -1) ++n;
  return n;
}

bool HolderIsActive(const ParticipantRecord& slot) {
  const MemberKey* k = KeyOfSlot(slot);
  return k != nullptr && k->status == kStatusLive;
}

void SetHoldersTakingPart(ParticipantRecord* slots, int holderCount, int state) {
  for (int i = 0; i < holderCount && i < kMemberSlots; ++i) {
    const MemberKey* k = KeyOfSlot(slots[i]);
    if (k == nullptr || k->status != kStatusLive || !k->passbook) continue;
    if (state) {
      if (slots[i].scheduleRow == -1) slots[i].scheduleRow = 0;
    } else {
      slots[i].scheduleRow = -1;
      slots[i].initialOwed = 0;
      slots[i].initialPaid = 0;
    }
  }
}

int FindParticipantConflict(const ScheduleRecord& edited, int editedRow, const ParticipantRecord* slots,
                            int holderCount, char* message, size_t size) {
  for (int row = 0; row < ScheduleTable.rowCount; ++row) {
    const ScheduleKey& s = ScheduleTable.keys[static_cast<size_t>(row)];
    if (row == editedRow || s.status != kStatusLive || s.account != edited.account) continue;
    if (CompareNoCase(s.name, edited.name) == 0) continue;
    for (int i = 0; i < holderCount && i < kMemberSlots; ++i) {
      if (slots[i].scheduleRow == -1) continue;
      const MemberKey* k = KeyOfSlot(slots[i]);
      if (k == nullptr) continue;
      int owed = 0, paid = 0, initialOwed = 0, initialPaid = 0, found = 0;
      if (!GetParticipantDues(row, 0, slots[i].memberRow, "00000000", 0, 0, nullptr, &initialOwed, &owed,
                              &initialPaid, &paid, &found))
        return -2;
      if (!found) continue;
      std::snprintf(message, size,
                    "Participants:  %s %s may not be a participant.\n"
                    "%s already participates in a different %ld schedule",
                    k->firstName, k->lastName, k->firstName, static_cast<long>(edited.account));
      return i;
    }
  }
  return -1;
}
