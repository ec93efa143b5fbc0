#include "common/FileUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <glob.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/DlgUtil.h"
#include "common/Messages.h"

char LastFileErrorText[129] = "<place holder for dynamic error message>";

namespace {

const char* const kFileErrors[32] = {
    "Unknown error number, no error message found",
    "<place holder for dynamic error message>",
    "File is empty",
    "Could not allocate memory",
    "Could not close file",
    "Could not copy file",
    "Could not delete file",
    "Could not flush file",
    "Could not obtain current file position",
    "Could not lock file",
    "Could not open file",
    "Could not read from file",
    "Could not set new file position",
    "Could not write to file",
    "File already exists",
    "File is too large to store in memory",
    "Invalid character (A-Z, 0-9)",
    "Invalid day",
    "Invalid file name",
    "Invalid hour",
    "Invalid letter (A-Z)",
    "Invalid minute",
    "Invalid month",
    "Invalid number",
    "Invalid function (or program) parameter(s)",
    "Invalid second",
    "Invalid year",
    "File does not exist",
    "A value is required",
    "Search key not found",
    "Value out of range",
    "",
};

constexpr long kWholeFileLimit = 32768;

FreeSpaceQuery freeSpaceQuery;
bool diskCheckOff = false;

// The folder holding `path`: "." for a bare name, "/" for a name at the root.
std::string ParentFolder(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

bool StatvfsQuery(const char* folder, unsigned long long* freeBytes) {
  // A folder not made yet lies on the volume of its nearest existing parent.
  std::string where = folder;
  struct statvfs st {};
  while (statvfs(where.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) return false;
    std::string parent = ParentFolder(where);
    if (parent == where) return false;
    where = parent;
  }
  *freeBytes = static_cast<unsigned long long>(st.f_bavail) * st.f_frsize;
  return true;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string NormalizePath(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string dir = NormalizePath(folder);
  std::string leaf = NormalizePath(name);
  if (dir.empty() || (!leaf.empty() && leaf[0] == '/')) return leaf;
  if (leaf.empty()) return dir;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir != "/") dir += '/';
  return dir + leaf;
}

int JoinPath(char* out, std::size_t size, const char* folder, const char* name) {
  if (!out || size == 0) return 0;
  std::string path = JoinPath(folder ? folder : "", name ? name : "");
  if (path.size() >= size) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, path.c_str(), path.size() + 1);
  return 1;
}

std::string ResolvePathCase(std::string_view pathView) {
  std::string path = NormalizePath(pathView);
  if (path.empty() || Exists(path)) return path;
  std::string resolved = path[0] == '/' ? "/" : "";
  std::size_t pos = path[0] == '/' ? 1 : 0;
  while (pos <= path.size()) {
    std::size_t slash = path.find('/', pos);
    std::string part = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    pos = slash == std::string::npos ? path.size() + 1 : slash + 1;
    if (part.empty()) continue;
    std::string exact = resolved.empty() ? part : JoinPath(resolved, part);
    if (!Exists(exact)) {
      std::string found;
      if (DIR* d = opendir(resolved.empty() ? "." : resolved.c_str())) {
        while (dirent* e = readdir(d)) {
          if (strcasecmp(e->d_name, part.c_str()) == 0) {
            found = e->d_name;
            break;
          }
        }
        closedir(d);
      }
      if (found.empty()) return path;  // nothing matches: the path as given
      exact = resolved.empty() ? found : JoinPath(resolved, found);
    }
    resolved = exact;
  }
  return resolved;
}

std::string DefaultProgramFolder() {
  const char* home = std::getenv("KESTROVA_HOME");
  if (home && *home) return home;
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data) return JoinPath(data, "kestrova");
  const char* user = std::getenv("HOME");
  return JoinPath(JoinPath(user && *user ? user : ".", ".local/share"), "kestrova");
}

int WriteFileAtomic(const char* path, const void* data, std::size_t size) {
  if (!path || !*path) return 7;
  std::string temp = std::string(path) + ".XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return 7;
  fchmod(fd, 0600);
  const char* p = static_cast<const char*>(data);
  std::size_t left = size;
  bool ok = true;
  while (left > 0) {
    ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(name.data(), path) != 0) ok = false;
  if (!ok) {
    int saved = errno;
    unlink(name.data());
    errno = saved;
    return 13;
  }
  // The rename itself reaches the disk with the folder.
  int dfd = open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return 0;
}

std::FILE* OpenPrivateFile(const char* path, const char* mode) {
  if (!path || !mode || !*mode) return nullptr;
  bool update = std::strchr(mode, '+') != nullptr;
  int flags = O_CLOEXEC | (update ? O_RDWR : (mode[0] == 'r' ? O_RDONLY : O_WRONLY));
  if (mode[0] == 'w') flags |= O_CREAT | O_TRUNC;
  else if (mode[0] == 'a') flags |= O_CREAT | O_APPEND;
  else if (mode[0] != 'r') return nullptr;
  int fd = open(path, flags, 0600);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, mode);
  if (!f) close(fd);
  return f;
}

bool ReadTextLine(std::FILE* file, std::string& line) {
  line.clear();
  if (!file) return false;
  int c = 0;
  bool any = false;
  while ((c = std::getc(file)) != EOF) {
    any = true;
    if (c == '\n') break;
    line += static_cast<char>(c);
  }
  if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
  line.resize(std::min(line.size(), line.find('\0')));
  return any;
}

bool FileExists(const char* path) {
  if (!path || !*path) return false;
  if (Exists(path)) return true;
  // Only "*" and "?" are wildcards; brackets and backslashes are ordinary
  // characters of a name.
  if (!std::strpbrk(path, "*?")) return false;
  std::string pattern;
  for (const char* p = path; *p; ++p) {
    if (*p == '[' || *p == ']' || *p == '\\') pattern += '\\';
    pattern += *p;
  }
  glob_t g{};
  bool found = glob(pattern.c_str(), GLOB_NOSORT, nullptr, &g) == 0 && g.gl_pathc > 0;
  globfree(&g);
  return found;
}

long GetFileSize(const char* path) {
  struct stat st {};
  if (!path || stat(path, &st) != 0) return 0;
  return static_cast<long>(st.st_size);
}

bool IsDirectory(const char* path) {
  struct stat st {};
  return path && stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// There are no drive letters here, so no path names a floppy drive.
bool IsFloppyDrive(char) { return false; }

bool EmptyFile(const char* path) {
  if (!path) return false;
  int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  return close(fd) == 0;
}

bool MakePath(const char* pathText) {
  if (!pathText) return false;
  std::string path = NormalizePath(pathText);
  std::string built = (!path.empty() && path[0] == '/') ? "/" : "";
  std::size_t pos = 0;
  while (pos < path.size()) {
    std::size_t slash = path.find('/', pos);
    std::string part = path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    pos = slash == std::string::npos ? path.size() : slash + 1;
    if (part.empty()) continue;
    built = built.empty() ? part : JoinPath(built, part);
    if (part.find(':') != std::string::npos) continue;  // a drive is never made
    if (IsDirectory(built.c_str())) continue;
    if (mkdir(built.c_str(), 0700) != 0 && !IsDirectory(built.c_str())) return false;
  }
  return true;
}

int ReadWholeFile(const char* path, char** out) {
  if (!path || !*path) {
    SetFileErrorText("file_name", 24);
    return 24;
  }
  long size = GetFileSize(path);
  if (size > kWholeFileLimit) return 15;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) {
    SetFileErrorText(path, 10);
    return 10;
  }
  char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1));
  if (!buffer) {
    std::fclose(f);
    SetFileErrorText(path, 3);
    return 3;
  }
  std::size_t got = size > 0 ? std::fread(buffer, 1, static_cast<std::size_t>(size), f) : 0;
  std::fclose(f);
  if (size == 0 || got != static_cast<std::size_t>(size)) {
    std::free(buffer);
    SetFileErrorText(path, 11);
    return 11;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < got; ++i)
    if (buffer[i] != '\0') buffer[kept++] = buffer[i];
  buffer[kept] = '\0';
  *out = buffer;
  return 0;
}

int SetFileErrorText(const char* subjectText, int code) {
  if (code < 0 || code > 31) code = 0;
  std::string subject = subjectText ? subjectText : "";
  std::string message = code == 0 ? "" : (code == 1 ? std::string(LastFileErrorText) : kFileErrors[code]);
  std::size_t room = sizeof LastFileErrorText - 1;
  std::size_t extra = code == 0 ? 0 : message.size() + 2;
  if (subject.size() + extra > room) subject.resize(extra < room ? room - extra : 0);
  std::size_t b = subject.find_first_not_of(" \t");
  std::size_t e = subject.find_last_not_of(" \t");
  subject = b == std::string::npos ? "" : subject.substr(b, e - b + 1);
  std::string text = code == 0 ? subject : subject + ": " + message;
  std::snprintf(LastFileErrorText, sizeof LastFileErrorText, "%s", text.c_str());
  return 1;
}

const char* GetFileErrorMessage(int code) {
  static char copy[129];
  if (code == 1) {
    std::snprintf(copy, sizeof copy, "%s", LastFileErrorText);
    return copy;
  }
  if (code < 0 || code > 31) code = 0;
  return kFileErrors[code];
}

void ShowWaitCursor(int on) { SetWaitCursor(on); }

void SetFreeSpaceQuery(FreeSpaceQuery query) {
  freeSpaceQuery = std::move(query);
  diskCheckOff = false;
}

bool CheckDiskSpace(const char* folder, unsigned long bytesNeeded) {
  return CheckDiskSpace(folder, bytesNeeded, nullptr);
}

bool CheckDiskSpace(const char* folder, unsigned long bytesNeeded, unsigned long long* freeOut) {
  if (freeOut) *freeOut = ULLONG_MAX;
  if (diskCheckOff) return true;
  const char* where = folder && *folder ? folder : ".";
  unsigned long long freeBytes = 0;
  bool known = freeSpaceQuery ? freeSpaceQuery(where, &freeBytes) : StatvfsQuery(where, &freeBytes);
  if (!known) {
    // A volume that cannot tell its free space is not checked again.
    diskCheckOff = true;
    return true;
  }
  if (freeOut) *freeOut = freeBytes;
  if (freeBytes < bytesNeeded) {
    DispMessage("Not enough disk space for operation", MSG_ERROR);
    return false;
  }
  if (freeBytes < 10240) {
    char text[128];
    std::snprintf(text, sizeof text, "You're low on disk space (%12llu bytes left).", freeBytes);
    DispMessage(text, MSG_INFORMATION);
  }
  return true;
}

int PromptInsertDisk(const char* path, const char* diskName, char drive, int mustExist) {
  char text[256];
  std::snprintf(text, sizeof text, "Insert %s in drive %c", diskName ? diskName : "", drive);
  for (;;) {
    DispMessage(text, MSG_PROMPT);
    if (!PromptAnswerOk) return 0;
    bool exists = FileExists(path);
    if (mustExist ? exists : !exists) return 1;
    DispMessage("Incorrect disk", MSG_WARNING);
  }
}
