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

// Writes FILE-question.png and FILE-progress.png beside `path`; 0 on success.
int WriteCommonDialogsPngs(const char* path);

}  // namespace gallery
