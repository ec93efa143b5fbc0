// A small in-memory surface with a DC on it, for pixel-exact drawing tests.
#pragma once

#include <cairo.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"

namespace drawtest {

// Pixels as characters for readable expectations.
inline const std::map<COLORREF, char>& Legend() {
  static const std::map<COLORREF, char> legend{
      {RGB(255, 255, 255), '.'}, {RGB(0, 0, 0), '#'},       {RGB(255, 0, 0), 'r'},
      {RGB(0, 255, 0), 'g'},     {RGB(0, 0, 255), 'b'},     {RGB(128, 128, 128), 's'},
      {RGB(192, 192, 192), 'f'}, {RGB(0, 255, 255), 'c'},   {RGB(255, 255, 0), 'y'},
      {RGB(255, 0, 255), 'm'},   {RGB(127, 127, 127), 'S'}, {RGB(63, 63, 63), 'd'}};
  return legend;
}

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : w_(width), h_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    dc.Attach(CreateSurfaceDC(surface_, 0, 0, RECT{0, 0, width, height}));
    Fill(fill);
  }
  ~Canvas() {
    DeleteSurfaceDC(dc.Detach());
    cairo_surface_destroy(surface_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(COLORREF c) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) Set(x, y, c);
  }
  COLORREF At(int x, int y) const {
    cairo_surface_flush(surface_);
    const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                             y * cairo_image_surface_get_stride(surface_));
    const std::uint32_t p = row[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void Set(int x, int y, COLORREF c) {
    cairo_surface_flush(surface_);
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                 y * cairo_image_surface_get_stride(surface_));
    row[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    cairo_surface_mark_dirty(surface_);
  }
  // Rows of legend characters ('?' for a colour not in the legend).
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < h_; ++y) {
      std::string row;
      for (int x = 0; x < w_; ++x) {
        auto it = Legend().find(At(x, y));
        row += it == Legend().end() ? '?' : it->second;
      }
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::uint32_t> Snapshot() const {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) v.push_back(At(x, y));
    return v;
  }
  // Fills with a fixed mixture of colours, so that inversions show.
  void Noise() {
    std::uint32_t seed = 12345;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        seed = seed * 1103515245u + 12345u;
        Set(x, y, (seed >> 8) & 0xFFFFFF);
      }
  }
  int Count(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) n += At(x, y) == c;
    return n;
  }
  cairo_surface_t* surface() const { return surface_; }

  CDC dc;

 private:
  int w_, h_;
  cairo_surface_t* surface_;
};

}  // namespace drawtest
