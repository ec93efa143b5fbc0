// The participants of a schedule: the passbook holders a schedule can take
// in, which of them take part, and the rule that a member takes part in at
// most one schedule per account.
#pragma once

#include <cstddef>

#include "store/Records.h"

// Fills the first slots with the member rows of every live passbook holder
// in member-index order and gives every further slot member row -1.
// Returns the number of holders.
int BuildHolderList(ParticipantRecord* slots);

// The slots among the first `count` that take part.
int CountTakingPart(const ParticipantRecord* slots, int count);

// The state of the "Passbook Holder" toggle applied to every active holder
// (live key row of status 0 that holds a passbook): 1 makes each take part
// (its amounts stay), 0 takes each out with zero amounts.
void SetHoldersTakingPart(ParticipantRecord* slots, int holderCount, int state);

// Whether a holder's member may be ticked or cleared: only members without
// a Date Left (key-row status 0).
bool HolderIsActive(const ParticipantRecord& slot);

// One schedule per account per member: looks, among the other live
// schedules on the edited schedule's account (another row than `editedRow`,
// -1 for a new schedule, and another name ignoring case), for one in which a
// taking-part member already takes part. Needs the participant file open.
// Returns the slot of the first such member (message filled with the
// two-line refusal), -1 when there is none, or -2 when the participant file
// could not be read (the store has shown why).
int FindParticipantConflict(const ScheduleRecord& edited, int editedRow, const ParticipantRecord* slots,
                            int holderCount, char* message, size_t size);
