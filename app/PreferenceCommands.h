// The shell's commands of backup, restore and preferences, served through
// the command registry.
#pragma once

// Registers File/Backup..., File/Restore... and Options/Preferences....
void InstallPreferenceCommands();
