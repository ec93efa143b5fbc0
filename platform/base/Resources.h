// Read-only resources that ship with the program (fonts configuration,
// bitmaps, tips, dialog templates) live in one resource folder.
#pragma once

#include <string>

// The full path of a file or folder below the resource folder. The folder
// is $KESTROVA_RES when set; else the build tree's res/ when it exists; else
// <exe dir>/res or <exe dir>/../share/kestrova/res, whichever exists.
std::string ResourcePath(const char* relative);
// The resource folder itself.
std::string ResourceDir();
