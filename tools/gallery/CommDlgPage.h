// The gallery's pictures of the file, font, find and replace dialogs, made
// headless with the real dialogs.
#pragma once

namespace gallery {

// Writes FILE-open.png (the open dialog on the program's dialog templates),
// FILE-font.png, FILE-find.png and FILE-replace.png beside `path`; 0 on
// success.
int WriteCommDlgPngs(const char* path);

}  // namespace gallery
