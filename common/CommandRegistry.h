// Menu commands served by the subsystems above the shell (record dialogs,
// registers, reports, exchange). The shell cannot name their classes, so each
// registers a handler for its command ids when the program starts; the main
// view runs the handler, and a command without one stays disabled.
#pragma once

#include "platform/base/types.h"

using CommandHandler = void (*)();

// Registers (or, with nullptr, removes) the handler of command `id`.
void RegisterCommand(UINT id, CommandHandler handler);

// The handler of command `id`, or nullptr.
CommandHandler FindCommand(UINT id);

// Forgets every handler (tests).
void ClearCommands();
