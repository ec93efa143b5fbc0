#include "common/StopPoint.h"

#include <utility>

namespace {

StopPointHook& Hook() {
  static StopPointHook hook;
  return hook;
}

}  // namespace

void StopPoint(const char* what) {
  if (Hook()) Hook()(what ? what : "");
}

void SetStopPointHook(StopPointHook hook) { Hook() = std::move(hook); }
