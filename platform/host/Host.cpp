#include "platform/host/Host.h"

#include "platform/host/HeadlessHost.h"

namespace platform {

namespace {
std::unique_ptr<Host>& hostSlot() {
  static std::unique_ptr<Host> host;
  return host;
}
}  // namespace

Host& GetHost() {
  auto& slot = hostSlot();
  if (!slot) slot = std::make_unique<HeadlessHost>();
  return *slot;
}

void SetHost(std::unique_ptr<Host> host) { hostSlot() = std::move(host); }

}  // namespace platform
