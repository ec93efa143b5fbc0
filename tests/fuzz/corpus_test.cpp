// Every input kept for a fuzz target (the inputs that once exposed a fault,
// and seeds) runs through its target in the normal test run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace fuzz {
// Test names and failure texts show the target's name.
void PrintTo(const NamedTarget& target, std::ostream* out) { *out << target.name; }
}  // namespace fuzz

namespace {

std::vector<std::uint8_t> ReadInput(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FuzzCorpus : public testing::TestWithParam<fuzz::NamedTarget> {};

TEST_P(FuzzCorpus, EveryKeptInputRunsClean) {
  std::filesystem::path folder = std::filesystem::path(KESTROVA_FUZZ_CORPUS) / GetParam().name;
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    std::vector<std::uint8_t> bytes = ReadInput(entry.path());
    GetParam().run(bytes.data(), bytes.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, testing::ValuesIn(fuzz::kTargets),
                         [](const testing::TestParamInfo<fuzz::NamedTarget>& info) { return info.param.name; });

}  // namespace
