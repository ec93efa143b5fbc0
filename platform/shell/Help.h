// Help: no help engine exists here. WinHelp opens the program's manual
// document (res/manual/<help file's name>.html, else .pdf) with the desktop's
// opener (the name tried as given, then in lower case), a context number becoming the anchor "#context-<n>" so that the
// manual can grow anchors for the numbers the program uses; without a
// manual it says so in a message box.
#pragma once

#include <string>

#include "platform/base/types.h"

#define HELP_CONTEXT      0x0001
#define HELP_QUIT         0x0002
#define HELP_INDEX        0x0003
#define HELP_CONTENTS     0x0003
#define HELP_HELPONHELP   0x0004
#define HELP_CONTEXTPOPUP 0x0008
#define HELP_FINDER       0x000B

BOOL WinHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data);

namespace shell {
// The manual of a help file, or empty when none is installed.
std::string ManualFor(const std::string& helpFile);
// What the manual is opened at for a help command ("file://...#context-7").
std::string HelpTarget(const std::string& manual, UINT command, ULONG_PTR data);
}  // namespace shell
