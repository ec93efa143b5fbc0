// Edit menu commands of the member, schedule and equipment dialogs.
#pragma once

// Registers Edit/Scouts, Edit/Adults, the subunit command, Edit/Schedules
// and Edit/Equipment with the main view's command registry.
void InstallMemberDialogs();
