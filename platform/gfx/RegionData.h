// A region of whole pixels held as y-x banded rectangles: bands sorted top
// to bottom, rectangles in a band sorted left to right and never touching,
// adjacent bands with the same spans merged. The form is canonical, so two
// regions cover the same pixels exactly when their rectangle lists are
// equal.
#pragma once

#include <vector>

#include "platform/base/Geometry.h"

class RegionData {
 public:
  RegionData() = default;
  explicit RegionData(const RECT& r);

  const std::vector<RECT>& Rects() const { return rects_; }
  bool IsEmpty() const { return rects_.empty(); }
  RECT Box() const;  // all zeros when empty
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  void Offset(int dx, int dy);
  bool operator==(const RegionData& o) const;

  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF of a and b.
  static RegionData Combine(const RegionData& a, const RegionData& b, int mode);

 private:
  std::vector<RECT> rects_;
};
