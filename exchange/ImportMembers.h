// The member import: the scouts (and on request the adults) of the sibling
// membership program's data folder brought into the loaded year, with the
// change log and the Import Summary report offered at the end.
#pragma once

void ImportMembers(const char* folder, int importAdults);
