// The "Help" buttons of the shell's dialogs: the framework's help command,
// opening the manual at the dialog's help context.
#pragma once

#include "platform/base/types.h"

// True when `wParam` is the Help button's command; the manual was then asked
// for `helpContext`.
bool DialogHelpCommand(WPARAM wParam, DWORD helpContext);
// The help context of a dialog template, as the framework numbers them.
constexpr DWORD DialogHelpContext(UINT templateId) { return 0x20000u + templateId; }
