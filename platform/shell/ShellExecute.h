// Opening documents and links with the desktop's opener (xdg-open) and
// starting programs, always as argument vectors: no shell sees a name, so
// blanks, quotes and "$" in names need no quoting.
#pragma once

#include <string>
#include <vector>

#include "platform/base/types.h"

// Results at or below 32 are errors.
#define SE_ERR_FNF          2
#define SE_ERR_PNF          3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM          8
#define SE_ERR_NOASSOC      31

// "open" (or null) a file, folder or link: a program file is started with
// `parameters` (split as a command line), anything else is handed to the
// desktop's opener. `directory` is the started program's working folder.
// Other verbs give SE_ERR_NOASSOC. > 32 on success.
HINSTANCE ShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                       int showCmd);
// Starts the program of a command line ("prog arg \"an arg\""): > 31 on
// success, ERROR_FILE_NOT_FOUND (2) when there is no such program.
UINT WinExec(LPCSTR commandLine, UINT showCmd);

namespace shell {
// A command line split as the program's arguments: blanks separate them,
// double quotes group, a backslash before a quote makes it literal.
std::vector<std::string> SplitCommandLine(const std::string& line);
// Starts `argv` (searched in PATH when it has no "/") without waiting for
// it; 0 or an errno value.
int Spawn(const std::vector<std::string>& argv, const std::string& directory = {});
// The result of a ShellExecute handle as a number.
inline long ShellResult(HINSTANCE h) { return static_cast<long>(reinterpret_cast<std::intptr_t>(h)); }
}  // namespace shell
