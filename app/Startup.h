// The program's wiring: everything tornel installs before its application
// object starts (the windows behind questions and messages, the command
// strings, the shell's dialogs, the command handlers of the record screens,
// registers and fiscal-year operations, the preference commands, the
// amount fields' calculator and the grids' print preview). main() calls it,
// and so does the start-up test, which checks that every seam is filled.
#pragma once

void WireProgram();
