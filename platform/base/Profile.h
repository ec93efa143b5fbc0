// Settings in INI files, the stand-in for the registry: the private profile
// functions read and write a named file; the application profile
// (GetProfileString, CWinApp::GetProfileString, ...) uses the file set with
// platform::SetProfileFile, or a store in memory while none is set.
//
// File format: "[Section]" lines, then "name=value" lines; names and
// sections ignore letter case; blanks around names and values are dropped;
// a value in matching double or single quotes is read without them. Other
// lines (comments) are kept in place when the file is rewritten. Text is
// Windows-1252; paths are converted to UTF-8 at the file system. Every write
// rewrites the file at once; every read reads it again.
#pragma once

#include <string>

#include "platform/base/types.h"

// Without a name, the value is looked up; with a null name, the result is
// the names of the section's values, with a null section the section names,
// each ended by a zero byte, plus a final zero byte. A value that does not
// fit is cut to maxCount - 1 bytes (a list to maxCount - 2, ending in two
// zero bytes). The result is the count of bytes copied, final zero excluded.
// A missing value gives the default (trailing blanks removed; null: "").
DWORD GetPrivateProfileString(LPCSTR section, LPCSTR name, LPCSTR defaultValue, LPSTR buffer, DWORD maxCount,
                              LPCSTR file);
// A null value deletes the value, a null name the whole section, all three
// null only flushes (TRUE). FALSE when the file cannot be written.
BOOL WritePrivateProfileString(LPCSTR section, LPCSTR name, LPCSTR value, LPCSTR file);
// The leading decimal number of the value (an optional minus sign, then
// digits; none gives 0); the default when the value is missing.
UINT GetPrivateProfileInt(LPCSTR section, LPCSTR name, int defaultValue, LPCSTR file);

// The application profile.
DWORD GetProfileString(LPCSTR section, LPCSTR name, LPCSTR defaultValue, LPSTR buffer, DWORD maxCount);
BOOL WriteProfileString(LPCSTR section, LPCSTR name, LPCSTR value);
UINT GetProfileInt(LPCSTR section, LPCSTR name, int defaultValue);

namespace platform {
// The file of the application profile; empty: the store in memory (emptied
// by this call).
void SetProfileFile(const std::string& path);
const std::string& ProfileFile();
}  // namespace platform
