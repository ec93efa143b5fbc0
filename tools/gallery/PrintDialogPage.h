// The gallery's pictures of the print dialog (with a minimal hook that
// renames it, as a program customising it would) and of the print setup
// dialog, made headless with the real dialogs.
#pragma once

namespace gallery {

// Writes FILE-print.png and FILE-printsetup.png beside `path`; 0 on success.
int WritePrintDialogPngs(const char* path);

// Runs the print dialog (with the hook) on the display and prints what was
// chosen; with `screenshot`, writes it after `afterMs` and cancels.
int RunPrintDialog(const char* screenshot, int afterMs);

}  // namespace gallery
