// The sibling membership program's data folder, built byte by byte from
// its file layouts: the version file, the current 512-byte member files
// and the older sets' fixed-size records with their unit and assignment
// files.
#pragma once

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/MemberStore.h"
#include "store/Records.h"

namespace sibling {

inline MemberRow Person(int type, const char* last, const char* first, const char* subunit = "") {
  MemberRow m;
  std::memset(&m, 0, sizeof m);
  m.type = type;
  std::strncpy(m.lastName, last, sizeof m.lastName - 1);
  std::strncpy(m.firstName, first, sizeof m.firstName - 1);
  std::strncpy(m.subunit, subunit, sizeof m.subunit - 1);
  return m;
}

// A record of the older sets: zeroes with texts at their offsets.
class OlderRecord {
 public:
  explicit OlderRecord(std::size_t size) : bytes_(size, '\0') {}
  OlderRecord& Text(std::size_t at, const std::string& text) {
    std::memcpy(&bytes_[at], text.data(), text.size());
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class Folder {
 public:
  explicit Folder(std::string path) : path_(std::move(path)) {
    if (!path_.empty()) std::filesystem::create_directories(path_);
  }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }
  // The current files: members packed as this system packs its own.
  static std::string MemberFile(const std::vector<MemberRow>& members) {
    std::string bytes;
    for (MemberRow m : members) {
      MemberRecord r;
      ConvertMemberRecord(&m, 0, 0, &r, 0);
      bytes.append(reinterpret_cast<const char*>(r.bytes), sizeof r.bytes);
    }
    return bytes;
  }
  void Current(bool troop, const std::string& version, const std::vector<MemberRow>& scouts,
               const std::vector<MemberRow>& adults) const {
    Write(troop ? "lindaq.dat" : "mervot.dat", version);
    Write(troop ? "szovk.dat" : "czovk.dat", MemberFile(scouts));
    Write(troop ? "lzovk.dat" : "azovk.dat", MemberFile(adults));
  }
  static std::string Records(const std::vector<OlderRecord>& records) {
    std::string bytes;
    for (const OlderRecord& r : records) bytes += r.Bytes();
    return bytes;
  }
  // The older unit file: troop patrols (17 x 14 bytes from 461 of 948) or
  // pack dens (25 x 14 bytes from 54 of 990); empty names are free slots.
  static std::string UnitFile(bool troop, const std::vector<std::string>& names) {
    std::string bytes(troop ? 948 : 990, '\0');
    const std::size_t first = troop ? 461 : 54;
    for (std::size_t n = 0; n < names.size(); ++n) std::memcpy(&bytes[first + 14 * n], names[n].data(), names[n].size());
    return bytes;
  }
  // The older assignment file: 200 16-bit entries from 9200 of 10000
  // (troop) or 11800 of 12200 (pack); the entries not given are -1.
  static std::string AssignmentFile(bool troop, const std::vector<int>& entries) {
    std::string bytes(troop ? 10000 : 12200, '\0');
    const std::size_t first = troop ? 9200 : 11800;
    for (std::size_t n = 0; n < 200; ++n) {
      const int v = n < entries.size() ? entries[n] : -1;
      bytes[first + 2 * n] = static_cast<char>(v & 0xFF);
      bytes[first + 2 * n + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    return bytes;
  }

 private:
  std::string path_;
};

}  // namespace sibling
