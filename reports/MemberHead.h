// The head of a member statement. With an address format of 0, 1 or 2 the
// first page is laid out for a window envelope: the unit's return address
// in the upper window, the member's mailing address in the lower one, the
// member's details in a frame at the right and a dotted fold line, every
// item at a fixed place on the paper whatever the margins. Format 3 gives a
// compact framed block of details after the title instead.
#pragma once

#include "reports/RptContext.h"
#include "store/MemberStore.h"

// Writes the head and the title block set for this member; 1, or 0 after
// showing the failure.
int WriteMemberAddressBlock(RptContext* context, const MemberRow& member, int addressFormat);
