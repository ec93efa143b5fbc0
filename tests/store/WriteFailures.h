// Record writes that fail on purpose, through the store's write gate.
#pragma once

#include <cstdio>
#include <functional>

namespace write_failures {

// Asks `admits` before each record write; false fails that write.
void Set(std::function<bool(FILE* file, int row)> admits);
// Lets `okWrites` more writes through, then fails every write.
void FailAfter(int okWrites);
// Every write goes through again.
void Reset();

}  // namespace write_failures
