// The conversion wizard's readers of a previous version's files: a small
// sound old installation (of the version the first byte picks) whose files
// were changed on disk (the changes as the year target reads them), then
// discovered and converted.
//
// Properties: the run never crashes; a year is listed in the configuration
// it writes only when it converted.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "wizard/Conversion.h"
#include "wizard/OldInstall.h"

namespace fuzz {

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The old files of a sound year of each version, path -> bytes.
struct SoundOld {
  std::unique_ptr<oldinst::OldInstall> inst;
  std::map<std::string, std::string> files;
};

SoundOld& Sound(int version) {
  static SoundOld sound[3];
  SoundOld& s = sound[version - 1];
  if (!s.inst) {
    s.inst = std::make_unique<oldinst::OldInstall>(version);
    s.inst->WriteConfig({"08"});
    s.inst->WriteStandardYear("08");
    for (const auto& e : fs::recursive_directory_iterator(s.inst->OldFolder()))
      if (e.is_regular_file()) s.files[e.path().string()] = ReadAll(e.path().string());
  }
  return s;
}

}  // namespace

void OldFiles(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  if (size == 0) return;
  SoundOld& sound = Sound(1 + data[0] % 3);
  std::map<std::string, std::string> files = sound.files;
  std::size_t at = 1;
  while (at + 4 <= size) {
    auto file = std::next(files.begin(), data[at] % files.size());
    std::string& bytes = file->second;
    const std::size_t offset = (data[at + 1] | (data[at + 2] << 8)) % (bytes.size() + 64);
    const std::size_t length = std::min<std::size_t>(data[at + 3], size - at - 4);
    at += 4;
    if (length == 0) {
      bytes.resize(std::min(offset, bytes.size()));
      continue;
    }
    if (bytes.size() < offset + length) bytes.resize(offset + length, '\0');
    std::copy(data + at, data + at + length, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    at += length;
  }
  for (const auto& [path, bytes] : files)
    WriteWhole(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  std::error_code ec;
  const std::string target = sound.inst->NewFolder();
  fs::remove_all(target, ec);

  CConversion job;
  job.SetAppType(0);
  if (job.SetOldFolder(sound.inst->OldFolder()) != 1 || job.SetInstallFolder(target) != 1) return;
  job.SetAdultSubunit("Adults");
  if (job.ReadOldConfig() != 1 || job.ScanOldData() != 1) return;
  job.ConvertAll();
  const std::string config = ReadAll(target + "/config4.sl");
  const std::vector<unsigned> status = job.GetYearStatus();
  const std::vector<std::string> years = job.GetYears();
  for (std::size_t i = 0; i < years.size() && i < status.size(); ++i)
    if (status[i] != kStatusSuccessful)
      FuzzCheck(config.find("Data Folder\t= " + years[i] + "/") == std::string::npos,
                "a year that did not convert is never listed");
}

}  // namespace fuzz
