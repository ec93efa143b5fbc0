// The maintenance dumps behind the record dialogs' hidden Log buttons: a
// text file in the temporary folder, shown in the text viewer and deleted.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Writes `fileName` in the temporary folder through `write` (which puts the
// header and one line per record, and may stop early), shows it under
// `caption` and deletes it. When the file cannot be made nothing is written
// and the viewer reports the missing file; the dump reports nothing itself.
void RunLogDump(const char* fileName, const char* caption, const std::function<void(FILE* out)>& write);

// The dump's path in the temporary folder.
std::string LogDumpPath(const char* fileName);

// One line of a dump: the printf-formatted text and a CR LF.
void LogLine(FILE* out, const char* format, ...) __attribute__((format(printf, 2, 3)));
