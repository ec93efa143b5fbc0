// The entry of one coverage-guided fuzzer: KESTROVA_FUZZ_TARGET names the
// target function of fuzz/FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::KESTROVA_FUZZ_TARGET(data, size);
  return 0;
}
