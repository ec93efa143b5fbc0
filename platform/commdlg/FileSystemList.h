// The file system as the file dialog shows it: folder and file names of a
// folder, pattern matching, and the path arithmetic of typed names. Names
// and paths here are the program's Windows-1252 text; the file system is
// asked in UTF-8, and a name that Windows-1252 cannot hold is not listed
// (the program could not open it by that name).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace commdlg {

// A pattern with * (any run) and ? (one character), compared without regard
// to case, as files may come from another system. "*.*" matches every name,
// with or without a dot.
bool MatchPattern(std::string_view name, std::string_view pattern);
// Several patterns separated by ";" (blanks around each ignored).
bool MatchPatterns(std::string_view name, std::string_view patterns);
bool HasWildcard(std::string_view text);

struct FolderListing {
  std::vector<std::string> folders;  // sorted without regard to case
  std::vector<std::string> files;    // those matching the patterns, sorted likewise
  int error = 0;                     // errno when the folder could not be read
};
// Names starting with "." are left out unless a pattern asks for them.
FolderListing ListFolder(const std::string& folder, std::string_view patterns);

// Paths: "\" is taken as a separator as well (names typed or stored by the
// older system); the result has "/" separators, no "." or ".." parts, no
// doubled or trailing separator (except the root "/").
std::string NormalizePath(std::string_view path);
// A typed name taken relative to a folder unless it is absolute.
std::string ResolvePath(const std::string& folder, std::string_view typed);
std::string ParentOf(const std::string& path);             // "/" for the root itself
std::pair<std::string, std::string> SplitPath(const std::string& path);  // folder, name
std::string JoinName(const std::string& folder, std::string_view name);

enum class PathKind { Missing, Folder, File, Other };
PathKind KindOf(const std::string& path);
bool IsWritable(const std::string& path);
// The reason a folder cannot be read, empty when it can.
std::string FolderError(const std::string& folder);

// The framework's filter form "Text|*.txt|All|*.*||" and the parameter
// block's form (each string ending in a zero byte, the list in two) as
// pairs of description and patterns.
std::vector<std::pair<std::string, std::string>> ParseBarFilter(std::string_view filter);
std::vector<std::pair<std::string, std::string>> ParseZeroFilter(const char* filter);

}  // namespace commdlg
