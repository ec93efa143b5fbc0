// Members as the member, schedule and passbook reports read them: the
// member index to walk, a member read in its own layout, its display name
// and whether it belongs to the unit on a date.
#pragma once

#include <string>
#include <vector>

#include "store/KeyTable.h"
#include "store/MemberStore.h"

// The rows of the member index by type and name, or by type, subunit and
// name (the index's used part only).
std::vector<int> MemberIndex(bool bySubunit);
// Reads the member at `row` in its own layout; false when the read failed.
bool ReadReportMember(int row, MemberRow* member);
// "Last, First", or a subunit's name with the subunit word; with the type
// mark in front when `withMark` (' ' scout, '*' adult, 0xBB subunit).
std::string MemberDisplayName(const MemberKey& key, bool withMark);
// Joined on or before the date (or no date joined) and left on or after it
// (or never left).
bool MemberActiveOn(const MemberRow& member, const char* date);
// The group heading name of a member's subunit: "UNKNOWN" when empty.
std::string SubunitGroupName(const char* subunit);
// "Scout", "Adult" or the subunit word.
const char* MemberTypeWord(int type);
