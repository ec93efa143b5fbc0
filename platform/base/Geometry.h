// Points, sizes and rectangles: the plain POINT/SIZE/RECT records with
// 32-bit fields, the framework's CPoint/CSize/CRect wrappers and the free
// rectangle functions.
//
// A rectangle includes its left and top edges and excludes its right and
// bottom edges; it is empty when it has no area (right <= left or
// bottom <= top).
#pragma once

#include <algorithm>

#include "platform/base/types.h"

struct POINT {
  LONG x;
  LONG y;
};
struct SIZE {
  LONG cx;
  LONG cy;
};
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
struct POINTS {
  SHORT x;
  SHORT y;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPCPOINT = const POINT*;
using PPOINT = POINT*;
using PRECT = RECT*;

inline POINTS MAKEPOINTS(LPARAM lp) { return POINTS{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

// Free functions. Each takes null pointers as a failure (FALSE, nothing
// written).
inline BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
  if (!r) return FALSE;
  *r = RECT{left, top, right, bottom};
  return TRUE;
}
inline BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
inline BOOL CopyRect(LPRECT dst, LPCRECT src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}
inline BOOL IsRectEmpty(LPCRECT r) { return !r || r->right <= r->left || r->bottom <= r->top; }
inline BOOL EqualRect(LPCRECT a, LPCRECT b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
inline BOOL PtInRect(LPCRECT r, POINT pt) {
  return r && pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}
inline BOOL OffsetRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return TRUE;
}
inline BOOL InflateRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return TRUE;
}
// The common part of a and b; an empty result is stored as all zeros and
// returns FALSE.
inline BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst) return FALSE;
  if (!a || !b) {
    SetRectEmpty(dst);
    return FALSE;
  }
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = r;
  return TRUE;
}
// The smallest rectangle holding a and b; empty inputs are ignored. Both
// empty stores all zeros and returns FALSE.
inline BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst) return FALSE;
  bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
  if (ea && eb) {
    SetRectEmpty(dst);
    return FALSE;
  }
  if (ea) {
    *dst = *b;
    return TRUE;
  }
  if (eb) {
    *dst = *a;
    return TRUE;
  }
  RECT r{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
         std::max(a->bottom, b->bottom)};
  *dst = r;
  return TRUE;
}
// a minus b, when b covers a whole side of a; otherwise a itself. FALSE
// when the result is empty.
inline BOOL SubtractRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a) return FALSE;
  RECT r = *a;
  RECT i;
  if (b && IntersectRect(&i, a, b)) {
    if (i.top == r.top && i.bottom == r.bottom) {
      if (i.left == r.left) r.left = i.right;
      else if (i.right == r.right) r.right = i.left;
    } else if (i.left == r.left && i.right == r.right) {
      if (i.top == r.top) r.top = i.bottom;
      else if (i.bottom == r.bottom) r.bottom = i.top;
    }
  }
  if (IsRectEmpty(&r)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

class CPoint;
class CRect;

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int cx, int cy) : SIZE{cx, cy} {}
  CSize(SIZE s) : SIZE(s) {}
  explicit CSize(POINT p) : SIZE{p.x, p.y} {}
  explicit CSize(DWORD packed) : SIZE{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

  bool operator==(SIZE o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(SIZE o) const { return !(*this == o); }
  void operator+=(SIZE o) { cx += o.cx; cy += o.cy; }
  void operator-=(SIZE o) { cx -= o.cx; cy -= o.cy; }
  CSize operator+(SIZE o) const { return CSize(cx + o.cx, cy + o.cy); }
  CSize operator-(SIZE o) const { return CSize(cx - o.cx, cy - o.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  inline CPoint operator+(POINT p) const;
  inline CPoint operator-(POINT p) const;
  inline CRect operator+(const RECT* r) const;
  inline CRect operator-(const RECT* r) const;
};

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int x, int y) : POINT{x, y} {}
  CPoint(POINT p) : POINT(p) {}
  explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}
  explicit CPoint(DWORD packed) : POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}
  explicit CPoint(LPARAM packed) : POINT{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)} {}

  void Offset(int dx, int dy) { x += dx; y += dy; }
  void Offset(POINT p) { Offset(p.x, p.y); }
  void Offset(SIZE s) { Offset(s.cx, s.cy); }
  bool operator==(POINT o) const { return x == o.x && y == o.y; }
  bool operator!=(POINT o) const { return !(*this == o); }
  void operator+=(SIZE s) { x += s.cx; y += s.cy; }
  void operator-=(SIZE s) { x -= s.cx; y -= s.cy; }
  void operator+=(POINT p) { x += p.x; y += p.y; }
  void operator-=(POINT p) { x -= p.x; y -= p.y; }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
  inline CRect operator+(const RECT* r) const;
  inline CRect operator-(const RECT* r) const;
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  CRect(LPCRECT r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}
  CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  // Corners by value; SetTopLeft/SetBottomRight move one corner.
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  void SetTopLeft(POINT p) { left = p.x; top = p.y; }
  void SetBottomRight(POINT p) { right = p.x; bottom = p.y; }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }
  BOOL EqualRect(LPCRECT r) const { return ::EqualRect(this, r); }

  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRect(POINT tl, POINT br) { ::SetRect(this, tl.x, tl.y, br.x, br.y); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT r) { ::CopyRect(this, r); }

  void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
  void InflateRect(SIZE s) { ::InflateRect(this, s.cx, s.cy); }
  void InflateRect(LPCRECT r) { left -= r->left; top -= r->top; right += r->right; bottom += r->bottom; }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
  void DeflateRect(SIZE s) { ::InflateRect(this, -s.cx, -s.cy); }
  void DeflateRect(LPCRECT r) { left += r->left; top += r->top; right -= r->right; bottom -= r->bottom; }
  void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }

  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  void OffsetRect(POINT p) { ::OffsetRect(this, p.x, p.y); }
  void OffsetRect(SIZE s) { ::OffsetRect(this, s.cx, s.cy); }
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

  CRect& operator=(const RECT& r) { RECT::operator=(r); return *this; }
  bool operator==(const RECT& r) const { return ::EqualRect(this, &r); }
  bool operator!=(const RECT& r) const { return !::EqualRect(this, &r); }
  void operator+=(POINT p) { OffsetRect(p); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator+=(LPCRECT r) { InflateRect(r); }
  void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator-=(LPCRECT r) { DeflateRect(r); }
  void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
  void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }
  CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
  CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
  CRect operator+(SIZE s) const { CRect r(*this); r.OffsetRect(s); return r; }
  CRect operator-(SIZE s) const { CRect r(*this); r.OffsetRect(-s.cx, -s.cy); return r; }
  CRect operator+(LPCRECT o) const { CRect r(*this); r.InflateRect(o); return r; }
  CRect operator-(LPCRECT o) const { CRect r(*this); r.DeflateRect(o); return r; }
  CRect operator&(const RECT& o) const { CRect r; ::IntersectRect(&r, this, &o); return r; }
  CRect operator|(const RECT& o) const { CRect r; ::UnionRect(&r, this, &o); return r; }
};

inline CPoint CSize::operator+(POINT p) const { return CPoint(cx + p.x, cy + p.y); }
inline CPoint CSize::operator-(POINT p) const { return CPoint(cx - p.x, cy - p.y); }
inline CRect CSize::operator+(const RECT* r) const { return CRect(r) + *this; }
inline CRect CSize::operator-(const RECT* r) const { return CRect(r) - *this; }
inline CRect CPoint::operator+(const RECT* r) const { return CRect(r) + *this; }
inline CRect CPoint::operator-(const RECT* r) const { return CRect(r) - *this; }
