// The gallery's pictures of the shared controls of the record dialogs (date
// and amount edits, picture buttons, labels, fill combo), of the date edit's
// calendar dropped and of the folder picker, made headless with the real
// windows.
#pragma once

namespace gallery {

// Writes FILE-shared.png, FILE-calendar.png and FILE-folder.png beside
// `path`; 0 on success.
int WriteSharedControlsPngs(const char* path);

}  // namespace gallery
