#include "app/BackupManifest.h"

#include <strings.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/FileUtil.h"
#include "common/StopPoint.h"
#include "store/DataFiles.h"

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  return table;
}

std::string Trim(const std::string& text) {
  std::size_t a = 0, b = text.size();
  while (a < b && (text[a] == ' ' || text[a] == '\t')) ++a;
  while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t' || text[b - 1] == '\r')) --b;
  return text.substr(a, b - a);
}

bool AllDigits(const std::string& text, std::size_t maxLength) {
  if (text.empty() || text.size() > maxLength) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, tail) == 0;
}

// A manifest is a few hundred bytes; anything beyond a megabyte is not one.
bool ReadSmallFile(const std::string& path, std::string* text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text->size() < (1u << 20)) text->append(buffer, n);
  const bool ok = !std::ferror(f) && text->size() < (1u << 20);
  std::fclose(f);
  return ok;
}

}  // namespace

std::string BackupManifestPath(const std::string& folder) {
  return JoinPath(folder, std::string("manifest") + DataFormatMajor() + ".bu");
}

bool FileChecksum(const std::string& path, long long* size, std::uint32_t* checksum) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  const auto& table = CrcTable();
  std::uint32_t crc = 0xFFFFFFFFu;
  long long total = 0;
  unsigned char buffer[16384];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ buffer[i]) & 0xFF] ^ (crc >> 8);
    total += static_cast<long long>(n);
  }
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return false;
  *size = total;
  *checksum = crc ^ 0xFFFFFFFFu;
  return true;
}

bool ParseBackupManifest(const std::string& text, BackupManifest* manifest, std::string* error) {
  *manifest = BackupManifest{};
  std::size_t at = 0;
  int lineNumber = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (const std::size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    line = Trim(line);
    if (line.empty()) continue;
    const std::size_t eq = line.find('=');
    const std::string key = eq == std::string::npos ? line : Trim(line.substr(0, eq));
    const std::string value = eq == std::string::npos ? "" : Trim(line.substr(eq + 1));
    if (strcasecmp(key.c_str(), "Fiscal Year") == 0 && AllDigits(value, 4) && value.size() == 4) {
      manifest->year = value;
      continue;
    }
    if (strcasecmp(key.c_str(), "File") == 0) {
      // "<size> <checksum> <name>"
      const std::size_t s1 = value.find(' ');
      const std::size_t s2 = s1 == std::string::npos ? s1 : value.find(' ', s1 + 1);
      if (s2 != std::string::npos) {
        const std::string size = value.substr(0, s1), sum = value.substr(s1 + 1, s2 - s1 - 1);
        BackupSetFile file;
        file.name = Trim(value.substr(s2 + 1));
        bool hex = sum.size() == 8;
        for (char c : sum) hex = hex && std::strchr("0123456789abcdefABCDEF", c) && c != '\0';
        if (AllDigits(size, 15) && hex && !file.name.empty() && file.name.find('/') == std::string::npos &&
            file.name.find('\\') == std::string::npos && file.name != "." && file.name != "..") {
          file.size = std::atoll(size.c_str());
          file.checksum = static_cast<std::uint32_t>(std::strtoul(sum.c_str(), nullptr, 16));
          manifest->files.push_back(file);
          continue;
        }
      }
    }
    *error = "line " + std::to_string(lineNumber) + " cannot be read";
    return false;
  }
  if (manifest->year.empty()) {
    *error = "it names no fiscal year";
    return false;
  }
  return true;
}

std::string FormatBackupManifest(const BackupManifest& manifest) {
  std::string text = "Fiscal Year = " + manifest.year + "\r\n";
  for (const BackupSetFile& f : manifest.files) {
    char line[64];
    std::snprintf(line, sizeof line, "File = %lld %08x ", f.size, static_cast<unsigned>(f.checksum));
    text += line + f.name + "\r\n";
  }
  return text;
}

bool WriteBackupManifest(const std::string& folder, const char* year, const std::vector<std::string>& names) {
  BackupManifest manifest;
  manifest.year = year;
  for (const std::string& name : names) {
    BackupSetFile file;
    file.name = name;
    if (!FileChecksum(JoinPath(folder, name), &file.size, &file.checksum)) return false;
    manifest.files.push_back(file);
  }
  const std::string text = FormatBackupManifest(manifest);
  const std::string path = BackupManifestPath(folder);
  StopPoint(path.c_str());
  return WriteFileAtomic(path.c_str(), text.data(), text.size()) == 0;
}

bool CheckBackupSet(const std::string& folder, const char* year, const std::string& pattern,
                    BackupManifest* manifest, std::string* error) {
  const std::string path = ResolvePathCase(BackupManifestPath(folder));
  const std::string where = "The backup in folder " + folder;
  std::string text;
  if (!ReadSmallFile(path, &text)) {
    *error = where + " is not a whole backup set: it has no manifest (a backup that did not finish?)";
    return false;
  }
  std::string why;
  if (!ParseBackupManifest(text, manifest, &why)) {
    *error = where + " has a damaged manifest: " + why;
    return false;
  }
  if (manifest->year != year) {
    *error = where + " holds fiscal year " + manifest->year + ", not " + year;
    return false;
  }
  bool recordFile = false;
  for (const BackupSetFile& f : manifest->files) {
    long long size = -1;
    std::uint32_t sum = 0;
    if (!FileChecksum(ResolvePathCase(JoinPath(folder, f.name)), &size, &sum)) {
      *error = where + " lacks the file " + f.name;
      return false;
    }
    if (size != f.size || sum != f.checksum) {
      *error = where + " is damaged: the file " + f.name + " differs from the one backed up";
      return false;
    }
    if (EndsWithNoCase(f.name, ".dat") && f.name.find(pattern) != std::string::npos) recordFile = true;
  }
  if (!recordFile) {
    *error = where + " holds no file of fiscal year " + std::string(year);
    return false;
  }
  return true;
}
