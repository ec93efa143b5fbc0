#include "platform/gfx/RegionData.h"

#include <algorithm>

#include "platform/gfx/GdiDefs.h"

RegionData::RegionData(const RECT& r) {
  RECT n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
         std::max(r.top, r.bottom)};
  if (n.right > n.left && n.bottom > n.top) rects_.push_back(n);
}

RECT RegionData::Box() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool RegionData::Contains(int x, int y) const {
  for (const RECT& r : rects_)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

bool RegionData::Intersects(const RECT& q) const {
  for (const RECT& r : rects_)
    if (std::max(r.left, q.left) < std::min(r.right, q.right) &&
        std::max(r.top, q.top) < std::min(r.bottom, q.bottom))
      return true;
  return false;
}

void RegionData::Offset(int dx, int dy) {
  for (RECT& r : rects_) OffsetRect(&r, dx, dy);
}

bool RegionData::operator==(const RegionData& o) const {
  if (rects_.size() != o.rects_.size()) return false;
  for (std::size_t i = 0; i < rects_.size(); ++i)
    if (!EqualRect(&rects_[i], &o.rects_[i])) return false;
  return true;
}

namespace {

// The spans of a region in the band [y0, y1), which lies inside one of its
// own bands or outside all of them.
void SpansAt(const std::vector<RECT>& rects, int y0, std::vector<std::pair<int, int>>& out) {
  out.clear();
  for (const RECT& r : rects)
    if (r.top <= y0 && r.bottom > y0) out.emplace_back(r.left, r.right);
}

bool Keep(bool a, bool b, int mode) {
  switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
  }
}

}  // namespace

// Sweep band by band over every horizontal edge of both regions; within a
// band, sweep the x edges of both span lists and keep the intervals where
// the operation holds. Equal neighbouring bands are merged afterwards.
RegionData RegionData::Combine(const RegionData& a, const RegionData& b, int mode) {
  std::vector<int> ys;
  for (const auto* reg : {&a, &b})
    for (const RECT& r : reg->rects_) {
      ys.push_back(r.top);
      ys.push_back(r.bottom);
    }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  RegionData out;
  std::vector<std::pair<int, int>> sa, sb, row, prevRow;
  std::vector<int> xs;
  int prevTop = 0, prevBottom = 0;
  auto flush = [&]() {
    for (auto& s : prevRow) out.rects_.push_back(RECT{s.first, prevTop, s.second, prevBottom});
  };
  for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
    const int y0 = ys[i], y1 = ys[i + 1];
    SpansAt(a.rects_, y0, sa);
    SpansAt(b.rects_, y0, sb);
    xs.clear();
    for (auto& s : sa) { xs.push_back(s.first); xs.push_back(s.second); }
    for (auto& s : sb) { xs.push_back(s.first); xs.push_back(s.second); }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    row.clear();
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
      const int x = xs[k];
      auto in = [x](const std::vector<std::pair<int, int>>& spans) {
        for (auto& s : spans)
          if (s.first <= x && s.second > x) return true;
        return false;
      };
      if (!Keep(in(sa), in(sb), mode)) continue;
      if (!row.empty() && row.back().second == x) row.back().second = xs[k + 1];
      else row.emplace_back(x, xs[k + 1]);
    }
    if (!prevRow.empty() && prevBottom == y0 && row == prevRow) {
      prevBottom = y1;
      continue;
    }
    flush();
    prevRow = row;
    prevTop = y0;
    prevBottom = y1;
  }
  flush();
  return out;
}
