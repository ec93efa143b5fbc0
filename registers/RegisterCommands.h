// Installs what the transaction screens serve to the rest of the program:
// Account Management's register, the grid or the form as the "use grids"
// preference chooses.
#pragma once

void InstallRegisterDialogs();
