// The gallery's page of property sheets and common controls: a sheet whose
// pages hold a report list with a hidden column, a tree, a month calendar,
// an edit with an up-down and a check-list box, and a wizard page.
#pragma once

namespace gallery {

// Writes FILE-sheet-lists.png, FILE-sheet-dates.png and FILE-wizard.png
// beside `path`; 0 on success.
int WriteCommCtrlPngs(const char* path);
// Opens the sheet on the display and runs it until it closes; with a
// screenshot path, writes the picture of its windows after `afterMs` of real
// time and ends.
int RunCommCtrl(const char* screenshot, int afterMs);

}  // namespace gallery
