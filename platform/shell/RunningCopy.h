// The single running copy: the first start listens on a local socket of the
// user's runtime folder; a second start (which finds the named mutex taken)
// asks it over that socket to raise its main window and then ends.
#pragma once

#include <string>

#include "platform/base/types.h"

namespace shell {

// The first copy: listens for raise requests under `name` and answers them
// from a timer of the message loop (every `pollMs`). False when the socket
// cannot be made. Stop ends it.
bool ListenForSecondStarts(const std::string& name, UINT pollMs = 200);
void StopListening();
// Answers the requests waiting now; called by the timer.
void ServeSecondStarts();

// The second start: asks the copy listening under `name` to raise its
// top-level window whose title contains `titlePart`. True when that copy
// found and raised it; false when none listens, none answers within
// `timeoutMs` or it has no such window.
bool AskRunningCopyToRaise(const std::string& name, const std::string& titlePart, int timeoutMs = 2000);

// Raises this process's top-level window whose title contains `titlePart`:
// restored when minimized, then brought to the front. The window, or null.
HWND RaiseWindowByTitle(const std::string& titlePart);

}  // namespace shell
