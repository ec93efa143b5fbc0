// The manifest of a backup set: the year it holds and every file of the set
// with its size and checksum. A backup writes it last, so a set without one
// (a backup stopped part-way, or a folder of stray files) is never taken for
// whole, and a restore refuses a set whose files do not match it.
//
// "manifest<V>.bu", text, one setting a line (CR LF):
//   Fiscal Year = 2008
//   File = <size> <crc-32, 8 hex digits> <name>
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BackupSetFile {
  std::string name;
  long long size = 0;
  std::uint32_t checksum = 0;
};

struct BackupManifest {
  std::string year;  // four digits
  std::vector<BackupSetFile> files;
};

// "manifest<V>.bu" in `folder`.
std::string BackupManifestPath(const std::string& folder);

// CRC-32 of a file's bytes; false when it cannot be read whole.
bool FileChecksum(const std::string& path, long long* size, std::uint32_t* checksum);

// Parses a manifest's text; false (with the reason) for anything that is not
// one: no year, a line it cannot take, a name with a path in it.
bool ParseBackupManifest(const std::string& text, BackupManifest* manifest, std::string* error);
std::string FormatBackupManifest(const BackupManifest& manifest);

// Lists `names` of `folder` with their sizes and checksums and writes the
// manifest atomically. False when a file cannot be read or the write fails.
bool WriteBackupManifest(const std::string& folder, const char* year, const std::vector<std::string>& names);

// Reads the manifest of `folder` and checks every file it lists, and that
// it is a set of `year` holding at least one record file of the year
// (`pattern`: the data-format major number and the two-digit year). False
// with a message for the user naming what is wrong.
bool CheckBackupSet(const std::string& folder, const char* year, const std::string& pattern,
                    BackupManifest* manifest, std::string* error);
