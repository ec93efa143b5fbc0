// Folders the user types: made absolute before they are stored or used (a
// relative folder would follow whatever the working folder happens to be),
// and compared by identity rather than by their text.
#pragma once

#include <string>
#include <string_view>

// `path` with "/" separators, absolute (against the working folder), with
// "." and ".." resolved lexically and no trailing "/" (except the root).
// Empty stays empty.
std::string AbsoluteFolder(std::string_view path);

// True when `a` and `b` are the same folder: the same file on the disk when
// both exist (links and trailing "/" do not matter), else the same absolute
// text.
bool SameFolderPath(std::string_view a, std::string_view b);
