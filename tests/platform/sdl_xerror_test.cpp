// The SDL2 host on a real X server (skipped without Xvfb): a message sent
// to a window that is already gone (as SDL's wake-up of its event wait
// does after a tip or menu closed) does not end the program.
#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/testing/Automation.h"
#include "support/XServerTest.h"

class SdlXErrors : public sdl_display::XServerTest<false> {};

TEST_F(SdlXErrors, AMessageToAGoneWindowIsNotFatal) {
  // Xlib as SDL loaded it, on a connection of the test's own.
  void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(x11, nullptr);
  using OpenDisplay = void* (*)(const char*);
  using CreateWindow = unsigned long (*)(void*, unsigned long, int, int, unsigned, unsigned, unsigned, unsigned long,
                                         unsigned long);
  using RootOf = unsigned long (*)(void*);
  using Destroy = int (*)(void*, unsigned long);
  using SendEvent = int (*)(void*, unsigned long, int, long, void*);
  using Sync = int (*)(void*, int);
  using CloseDisplay = int (*)(void*);
  auto openDisplay = reinterpret_cast<OpenDisplay>(dlsym(x11, "XOpenDisplay"));
  auto createWindow = reinterpret_cast<CreateWindow>(dlsym(x11, "XCreateSimpleWindow"));
  auto rootOf = reinterpret_cast<RootOf>(dlsym(x11, "XDefaultRootWindow"));
  auto destroy = reinterpret_cast<Destroy>(dlsym(x11, "XDestroyWindow"));
  auto sendEvent = reinterpret_cast<SendEvent>(dlsym(x11, "XSendEvent"));
  auto sync = reinterpret_cast<Sync>(dlsym(x11, "XSync"));
  auto closeDisplay = reinterpret_cast<CloseDisplay>(dlsym(x11, "XCloseDisplay"));
  ASSERT_TRUE(openDisplay && createWindow && rootOf && destroy && sendEvent && sync && closeDisplay);
  void* display = openDisplay(server->display().c_str());
  ASSERT_NE(display, nullptr);
  unsigned long gone = createWindow(display, rootOf(display), 0, 0, 10, 10, 0, 0, 0);
  ASSERT_NE(gone, 0u);
  destroy(display, gone);
  sync(display, 0);

  // A client message as SDL's wake-up sends it (type, window, format 32).
  long message[24] = {};
  message[0] = 33;
  message[4] = static_cast<long>(gone);
  message[6] = 32;
  sendEvent(display, gone, 0, 0, message);
  sync(display, 0);  // the error arrives here; Xlib's default would exit
  SUCCEED() << "still running";

  closeDisplay(display);
  dlclose(x11);
}
