// A test that shows its windows through the SDL2 host on an X server of its
// own (skipped where Xvfb, or xdotool when the test types or clicks, is
// missing). The headless host comes back when the test ends.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/host/HeadlessHost.h"
#include "platform/host/sdl/SdlHost.h"
#include "platform/testing/Automation.h"
#include "support/XdoTool.h"
#include "support/XvfbServer.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace sdl_display {

template <bool kNeedsXdotool = true>
class XServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string binary = xvfb::Find();
    xdo = xdotool::Find();
    if (binary.empty()) GTEST_SKIP() << "no Xvfb";
    if (kNeedsXdotool && xdo.empty()) GTEST_SKIP() << "no xdotool";
    server = std::make_unique<xvfb::Server>(binary);
    ASSERT_FALSE(server->display().empty()) << "Xvfb did not start";
    setenv("DISPLAY", server->display().c_str(), 1);
    automation::ResetWindows();
    std::unique_ptr<platform::SdlHost> owned = platform::SdlHost::Open();
    ASSERT_NE(owned, nullptr) << SDL_GetError();
    sdl = owned.get();
    platform::SetHost(std::move(owned));
  }
  void TearDown() override {
    automation::ResetWindows();
    if (sdl != nullptr) platform::SetHost(std::make_unique<platform::HeadlessHost>());
  }

#if defined(__SANITIZE_ADDRESS__)
  __lsan::ScopedDisabler noLeakChecks_;  // the X libraries keep what they allocate
#endif
  std::string xdo;  // the xdotool program, when found
  std::unique_ptr<xvfb::Server> server;
  platform::SdlHost* sdl = nullptr;
};

}  // namespace sdl_display
