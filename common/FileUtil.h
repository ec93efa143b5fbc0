// File utilities: paths, existence and size, folders, whole-file reading with
// the table of file error messages, the free-space check before record
// writes, and the insert-disk prompt.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/types.h"

// Joins a folder and a name with one "/"; backslashes of older stored paths
// become "/". An empty folder gives the name; an absolute name stays itself.
std::string JoinPath(std::string_view folder, std::string_view name);
// The same into a buffer of `size` bytes; 0 (and an empty `out`) when the
// path does not fit.
int JoinPath(char* out, std::size_t size, const char* folder, const char* name);
// Backslashes to "/".
std::string NormalizePath(std::string_view path);
// The existing path that matches `path` when its components are compared
// without regard to case (older data may differ in case); `path` itself when
// it exists or nothing matches.
std::string ResolvePathCase(std::string_view path);
// The per-user program folder: $KESTROVA_HOME, else $XDG_DATA_HOME/kestrova,
// else ~/.local/share/kestrova.
std::string DefaultProgramFolder();

// Writes `size` bytes to `path` through a temporary file in the same folder,
// synced and renamed over the old file, so that a crash leaves the old or the
// new file. 0 on success; else the error-text index of what failed: 7 (the
// file could not be made) or 13 (writing failed).
int WriteFileAtomic(const char* path, const void* data, std::size_t size);

// The books hold members' names, addresses and money: every file and folder
// the system makes is private to the user. `fopen` with the same modes, but
// a file it creates gets mode 0600.
std::FILE* OpenPrivateFile(const char* path, const char* mode);
// Reads one line whole, whatever its length, into `line` without its line
// end (LF, or CR LF). The text of a line ends at a NUL byte: what follows it
// up to the line end is dropped, so that trimming sees the value's real end.
// False at the end of the file with nothing read.
bool ReadTextLine(std::FILE* file, std::string& line);

bool FileExists(const char* path);  // wildcards allowed
long GetFileSize(const char* path);  // 0 when it cannot be examined
bool IsDirectory(const char* path);
bool IsFloppyDrive(char letter);
bool EmptyFile(const char* path);
// Creates every missing folder along the path (private: 0700); true when all
// exist after.
bool MakePath(const char* path);
// Reads a whole file (NUL bytes dropped, terminated) into a new buffer that
// the caller frees with free(). 0 on success, else a file error code.
int ReadWholeFile(const char* path, char** out);

// The table of file error messages and the last file error text.
extern char LastFileErrorText[129];
int SetFileErrorText(const char* subject, int code);
const char* GetFileErrorMessage(int code);
void ShowWaitCursor(int on);

// True when the volume holding `folder` has room for `bytesNeeded`; shows
// "Not enough disk space for operation" when not, and a low-space note
// below 10,240 free bytes.
bool CheckDiskSpace(const char* folder, unsigned long bytesNeeded);
// The same, also giving the free bytes found (ULLONG_MAX when the volume
// cannot tell), so that a caller writing several records may ask once.
bool CheckDiskSpace(const char* folder, unsigned long bytesNeeded, unsigned long long* freeOut);
// Replaces the free-space query (tests); null restores statvfs. The query
// returns false when it cannot tell.
using FreeSpaceQuery = std::function<bool(const char* folder, unsigned long long* freeBytes)>;
void SetFreeSpaceQuery(FreeSpaceQuery query);

// "Insert %s in drive %c" until the stamp file `path` is absent (mustExist
// 0) or present; 1 when confirmed, 0 on Cancel.
int PromptInsertDisk(const char* path, const char* diskName, char drive, int mustExist);
