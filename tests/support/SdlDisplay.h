// Helpers for the tests that show windows through the SDL2 host on an X
// server: running the message loop for a while, and reading back a pixel
// of what a window shows.
#pragma once

#include <SDL.h>

#include <cstring>
#include <functional>

#include "platform/framework/CWnd.h"

namespace sdl_display {

// Runs the message loop for up to `ms` milliseconds, or until `done` says
// so (never, when it is empty).
inline void PumpFor(Uint32 ms, const std::function<bool()>& done = {}) {
  const Uint32 end = SDL_GetTicks() + ms;
  while (SDL_GetTicks() < end && !(done && done())) {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (!CWnd::WalkPreTranslateTree(nullptr, &m)) {
        TranslateMessage(&m);
        DispatchMessage(&m);
      }
    }
    SDL_Delay(5);
  }
}

// The colour of the pixel at (x, y) of a window's surface.
inline COLORREF PixelOf(SDL_Surface* surface, int x, int y) {
  Uint32 px = 0;
  std::memcpy(&px, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel,
              sizeof px);
  Uint8 r, g, b;
  SDL_GetRGB(px, surface->format, &r, &g, &b);
  return RGB(r, g, b);
}

}  // namespace sdl_display
