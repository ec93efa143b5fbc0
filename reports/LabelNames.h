// The name and address lines of a member for a mailing label or a window
// envelope.
#pragma once

#include <string>
#include <vector>

#include "store/MemberStore.h"

// Modes: 0 the member's name, 1 the parents (scouts), 2 "Parents/Guardians
// of" and the member's name, 3 no name line. Anyone but a scout is named
// as in mode 0. Then the address lines that are not empty: address 1,
// address 2 and the city line.
void BuildLabelNames(const MemberRow& member, int mode, std::vector<std::string>& lines);
