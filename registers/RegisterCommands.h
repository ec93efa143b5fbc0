// Installs what the transaction screens serve to the rest of the program:
// the transaction form as Account Management's register while the "use
// grids" preference is off.
#pragma once

void InstallRegisterDialogs();
