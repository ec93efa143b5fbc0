// A fresh temporary folder per test, and whole-file helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-common-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : "";
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A sound configuration file of two years, 2005 current, as it is written.
inline const std::string kSoundConfig =
    "Fiscal Year\t= 2005\r\n"
    "Program Folder  = /home/t/kestrova\r\n"
    "Data Folder\t= 2004//data/fy2004\r\n"
    "Data Folder\t= 2005//home/t/kestrova/fy2005\r\n"
    "Version         = 4\r\n"
    "Trace           = 1\r\n";

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
