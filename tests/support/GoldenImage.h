// Golden pictures: a window drawn at a fixed size on the shipped fonts must
// match its picture under tests/data/ to the pixel. KESTROVA_UPDATE_GOLDEN=1
// rewrites the picture instead; look at it before keeping it. On a mismatch
// the actual picture is left in golden-actual/ beside the test program.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "platform/base/Resources.h"

namespace golden {

// Pixels that differ between two pictures (alpha ignored); -1 when they
// differ in size or one cannot be read.
inline int DifferingPixels(const std::string& a, const std::string& b) {
  cairo_surface_t* sa = cairo_image_surface_create_from_png(a.c_str());
  cairo_surface_t* sb = cairo_image_surface_create_from_png(b.c_str());
  int result = -1;
  if (cairo_surface_status(sa) == CAIRO_STATUS_SUCCESS && cairo_surface_status(sb) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(sa) == cairo_image_surface_get_width(sb) &&
      cairo_image_surface_get_height(sa) == cairo_image_surface_get_height(sb)) {
    result = 0;
    int w = cairo_image_surface_get_width(sa), h = cairo_image_surface_get_height(sa);
    for (int y = 0; y < h; ++y) {
      const auto* ra = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(sa) +
                                                              y * cairo_image_surface_get_stride(sa));
      const auto* rb = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(sb) +
                                                              y * cairo_image_surface_get_stride(sb));
      for (int x = 0; x < w; ++x)
        if ((ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF)) ++result;
    }
  }
  cairo_surface_destroy(sa);
  cairo_surface_destroy(sb);
  return result;
}

// "WxH" of a picture, "unreadable" when it cannot be read.
inline std::string SizeOf(const std::string& png) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
  std::string r = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS
                      ? std::to_string(cairo_image_surface_get_width(s)) + "x" +
                            std::to_string(cairo_image_surface_get_height(s))
                      : "unreadable";
  cairo_surface_destroy(s);
  return r;
}

// `render` writes the picture to the path it gets; the result is compared
// with tests/data/<golden> (e.g. "platform/dlg_small.png").
inline ::testing::AssertionResult Matches(const std::string& golden,
                                          const std::function<bool(const std::string&)>& render) {
  namespace fs = std::filesystem;
  const std::string name = fs::path(golden).filename().string();
  const std::string rendered = ::testing::TempDir() + name;
  if (!render(rendered)) return ::testing::AssertionFailure() << "cannot render " << rendered;
  // The test data lies beside the resource folder in the source tree.
  const std::string expected = ResourceDir() + "/../tests/data/" + golden;
  std::error_code ec;
  const char* update = std::getenv("KESTROVA_UPDATE_GOLDEN");
  if (update && std::strcmp(update, "1") == 0) {
    fs::copy_file(rendered, expected, fs::copy_options::overwrite_existing, ec);
    if (ec) return ::testing::AssertionFailure() << "cannot write " << expected << ": " << ec.message();
  }
  int differing = DifferingPixels(rendered, expected);
  if (differing == 0) return ::testing::AssertionSuccess();
  // Keep the actual picture beside the test program for a look.
  fs::path dir = fs::read_symlink("/proc/self/exe", ec).parent_path() / "golden-actual";
  if (ec) dir = fs::current_path() / "golden-actual";
  fs::create_directories(dir, ec);
  const std::string kept = (dir / name).string();
  fs::copy_file(rendered, kept, fs::copy_options::overwrite_existing, ec);
  auto failure = ::testing::AssertionFailure();
  if (differing < 0)
    failure << "the pictures differ in size or cannot be read: actual " << SizeOf(rendered) << ", golden " << SizeOf(expected);
  else
    failure << differing << " pixels differ";
  return failure << "; actual " << (ec ? rendered : kept) << ", golden " << expected;
}

}  // namespace golden
