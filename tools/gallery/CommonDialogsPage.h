// The gallery's pictures of the question box (all five buttons) and of the
// progress window at 40%, made headless through AskQuestion and
// ReportProgress with the real windows.
#pragma once

#include <string>

namespace gallery {

// The name of a further picture beside `path`: its ".png" dropped, then
// "-suffix.png" added.
std::string PngBeside(const char* path, const char* suffix);
// `ok`; when false, says on stderr that `path` could not be written.
bool ReportWritten(bool ok, const std::string& path);
// Pictures the next modal dialog whose caption holds `caption` from inside
// its loop into `png`, then ends the loop with `endCode`; `ok` (which must
// outlive that loop) says whether the picture was written. `withOwned`: with
// the pop-ups it owns, on a desktop margin, rather than the window alone.
void PictureNextDialog(const char* caption, const std::string& png, bool& ok, int endCode, bool withOwned = false);

// Writes FILE-question.png and FILE-progress.png beside `path`; 0 on success.
int WriteCommonDialogsPngs(const char* path);

}  // namespace gallery
