// Whether a member still has funds reserved in its name.
#pragma once

// Looks at the member's reserve on every live reserve account. 1 with
// `reserved` set when any of them is not 0 (reserves of opposite signs on
// two accounts are still reserved funds); 0 when the reserve file could not
// be opened or read (the store has said why).
int MemberHasReserves(int memberRow, bool* reserved);
