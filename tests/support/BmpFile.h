// The bytes of small 24-bit bottom-up BMP files, for tests that load or
// show pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/base/types.h"

namespace testbmp {

// A w x h picture whose pixel (x, y), counted from the bottom row as the
// file stores it, has the colour `at` gives.
inline std::vector<BYTE> Bytes(int w, int h, const std::function<COLORREF(int x, int y)>& at) {
  const int stride = (w * 3 + 3) / 4 * 4;
  std::vector<BYTE> b(54 + static_cast<std::size_t>(stride * h), 0);
  auto put32 = [&](std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[offset + static_cast<std::size_t>(i)] = static_cast<BYTE>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<std::uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF colour = at(x, y);
      BYTE* px = &b[54 + static_cast<std::size_t>(y * stride + x * 3)];
      px[0] = GetBValue(colour);
      px[1] = GetGValue(colour);
      px[2] = GetRValue(colour);
    }
  return b;
}

// A picture of one colour.
inline std::vector<BYTE> Bytes(int w, int h, COLORREF colour) {
  return Bytes(w, h, [colour](int, int) { return colour; });
}

}  // namespace testbmp
