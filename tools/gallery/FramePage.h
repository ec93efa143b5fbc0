// The gallery's frame page: a main frame with menu, tool bar (a tip shown
// over the Open button, the Cut button disabled, Bold checked) and status
// bar.
#pragma once

namespace gallery {

// Writes FILE-frame.png beside `path` headlessly; 0 on success.
int WriteFramePng(const char* path);
// Opens the frame on the display until it is closed; with `screenshot`,
// writes its picture after `afterMs` and closes it.
int RunFrame(const char* screenshot, int afterMs);

}  // namespace gallery
