// The gallery's pictures of the question box (all five buttons) and of the
// progress window at 40%, made headless through AskQuestion and
// ReportProgress with the real windows.
#pragma once

namespace gallery {

// Writes FILE-question.png and FILE-progress.png beside `path`; 0 on success.
int WriteCommonDialogsPngs(const char* path);

}  // namespace gallery
