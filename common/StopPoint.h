// Points where a year operation may be interrupted (the machine loses power,
// the process is killed) between two changes on the disk. Production code
// calls StopPoint before every rename, unlink and whole-file write whose
// interruption the operation must survive; a test installs a hook that ends
// the process there, then checks what the next start finds.
#pragma once

#include <functional>

// `what` names the step (a path, or a short word), for the test's report.
void StopPoint(const char* what);

// Empty: every point passes. The hook may end the process.
using StopPointHook = std::function<void(const char* what)>;
void SetStopPointHook(StopPointHook hook);
