#include "store/WriteFailures.h"

#include <utility>

#include "store/RecIO.h"

namespace write_failures {

namespace {

class FunctionGate : public RecordWriteGate {
 public:
  explicit FunctionGate(std::function<bool(FILE*, int)> admits) : admits_(std::move(admits)) {}
  bool Admits(FILE* file, int row) override { return admits_(file, row); }

 private:
  std::function<bool(FILE*, int)> admits_;
};

FunctionGate* installed = nullptr;

}  // namespace

void Set(std::function<bool(FILE*, int)> admits) {
  Reset();
  installed = new FunctionGate(std::move(admits));
  SetRecordWriteGate(installed);
}

void FailAfter(int okWrites) {
  Set([left = okWrites](FILE*, int) mutable { return left-- > 0; });
}

void Reset() {
  SetRecordWriteGate(nullptr);
  delete installed;
  installed = nullptr;
}

}  // namespace write_failures
