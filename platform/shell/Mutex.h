// Named mutexes between processes of one user: a lock file in the user's
// runtime folder held with flock, so the kernel releases it when the
// holder dies and a crash never blocks the next start.
#pragma once

#include <string>

#include "platform/base/types.h"

struct SECURITY_ATTRIBUTES;

// A handle of the named mutex. When another handle (in this or another
// process) holds it already, the handle is still returned and
// GetLastError() gives ERROR_ALREADY_EXISTS; else ERROR_SUCCESS. Null when
// the lock file cannot be made.
HANDLE CreateMutex(SECURITY_ATTRIBUTES* attributes, BOOL initialOwner, LPCSTR name);
// Closes a handle of CreateMutex, giving the mutex up if it held it.
BOOL CloseHandle(HANDLE handle);

namespace shell {
// The folder of the user's lock files and sockets: $XDG_RUNTIME_DIR/kestrova,
// else /tmp/kestrova-<uid>; made (mode 0700) when missing.
std::string RuntimeFolder();
// A mutex or socket name as a file name of that folder ("/" and the like
// replaced).
std::string RuntimeFile(const std::string& name, const char* suffix);
}  // namespace shell
