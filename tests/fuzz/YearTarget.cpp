// A whole fiscal year whose files were changed on disk: opened, checked
// with every repair accepted, posted to and the posting deleted again.
//
// The input is a list of changes to the files of a small sound year:
// a file byte (which file), a 16-bit offset, a length byte and that many
// bytes written there; a length of 0 cuts the file at the offset. Starting
// from sound files keeps most records readable, so the checks and postings
// run deep instead of stopping at the first bad header.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "fuzz/FuzzTargets.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace fuzz {

namespace {

struct SoundYear {
  std::unique_ptr<fixture::FiscalYear> year;
  std::map<std::string, std::string> files;  // path -> bytes
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SoundYear& Sound() {
  static SoundYear sound = [] {
    SoundYear s;
    s.year = std::make_unique<fixture::FiscalYear>();
    CloseDataFiles();
    CloseReserveFile();
    CloseScheduleFiles();
    for (const auto& entry : std::filesystem::directory_iterator(s.year->folder()))
      if (entry.is_regular_file()) s.files[entry.path().string()] = ReadAll(entry.path().string());
    return s;
  }();
  return sound;
}

void CloseYear() {
  CloseDataFiles();
  CloseReserveFile();
  CloseScheduleFiles();
}

}  // namespace

void FiscalYear(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  SoundYear& sound = Sound();
  std::map<std::string, std::string> files = sound.files;
  std::size_t at = 0;
  while (at + 4 <= size) {
    auto file = std::next(files.begin(), data[at] % files.size());
    std::string& bytes = file->second;
    std::size_t offset = (data[at + 1] | (data[at + 2] << 8)) % (bytes.size() + 64);
    std::size_t length = std::min<std::size_t>(data[at + 3], size - at - 4);
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

  if (OpenDatabase(sound.year->folder().c_str(), "08", 0) == 1) {
    CheckDataIntegrity(0);
    TransactionDetail detail;
    fixture::StartTransaction(detail, NextTransId, 5, "20080601", 1, 1234, "F1", "Fuzz");
    detail.lines[0].account = 520;
    detail.lines[0].amount = 1234;
    detail.lines[0].factor = 1;
    if (AddTransaction(&detail.transaction, detail.lines, detail.splits, detail.shares) == 1)
      DeleteTransaction(detail.transaction.id, 0);
  }
  CloseYear();
}

}  // namespace fuzz
