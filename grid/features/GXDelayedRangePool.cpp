#include "grid/features/GXDelayedRangePool.h"

#include <algorithm>
#include <new>

#include "grid/core/GXReadOwned.h"
#include "platform/base/Exceptions.h"

IMPLEMENT_SERIAL(CGXDelayedRange, CObject, 1)
IMPLEMENT_SERIAL(CGXDelayedRangePool, CObject, 1)

namespace {

constexpr DWORD kNone = 0xFFFFFFFFu;

void WriteDwords(CArchive& ar, const std::vector<DWORD>& values) {
  ar.WriteCount(static_cast<DWORD>(values.size()));
  for (DWORD v : values) ar << v;
}

void ReadDwords(CArchive& ar, std::vector<DWORD>& values) {
  values.assign(ar.ReadCount(4), 0);
  for (DWORD& v : values) ar >> v;
}

bool Contains(const CGXRange& outer, const CGXRange& inner) {
  return outer.IsCellInRange(inner.top, inner.left) && outer.IsCellInRange(inner.bottom, inner.right);
}

bool Intersect(const CGXRange& a, const CGXRange& b, CGXRange& out) {
  if (a.bottom < b.top || b.bottom < a.top || a.right < b.left || b.right < a.left) return false;
  out.SetCells(std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
               std::min(a.right, b.right));
  return true;
}

}  // namespace

// ------------------------------------------------------------------ entry

void CGXDelayedRange::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    GXWriteRange(ar, m_range);
    WriteDwords(ar, m_awStarts);
    WriteDwords(ar, m_awEnds);
    return;
  }
  GXReadRange(ar, m_range);
  ReadDwords(ar, m_awStarts);
  ReadDwords(ar, m_awEnds);
  // Both halves of the intervals must pair up.
  if (m_awStarts.size() != m_awEnds.size()) AfxThrowArchiveException(CArchiveException::badIndex);
  m_bDone = 0;
}

CGXDelayedRange& CGXDelayedRange::operator=(const CGXDelayedRange& other) {
  if (&other == this) return *this;
  m_range = other.m_range;
  m_bDone = other.m_bDone;
  m_awStarts = other.m_awStarts;
  m_awEnds = other.m_awEnds;
  return *this;
}

void CGXDelayedRange::SetDone() {
  m_awStarts.clear();
  m_awEnds.clear();
  m_bDone = 1;
}

BOOL CGXDelayedRange::MarkEvaluated(CGXRange& range) {
  const DWORD q = range.top, s = range.bottom;
  std::size_t at = m_awStarts.size();
  bool changed = false;
  for (std::size_t i = 0; i < m_awStarts.size(); ++i) {
    const DWORD start = m_awStarts[i], end = m_awEnds[i];
    // Touching intervals count as overlapping (hence the + 1s).
    if (end != kNone && end + 1 < q) continue;
    if (s != kNone && s + 1 < start) {
      at = i;
      break;
    }
    if (start <= q && s <= end) return FALSE;
    if (start <= q) {
      m_awEnds[i] = s;
      range.top = end + 1;
    } else if (s > end) {
      m_awStarts[i] = q;
      m_awEnds[i] = s;
    } else {
      m_awStarts[i] = q;
      range.bottom = start - 1;
    }
    changed = true;
    break;
  }
  try {
    if (!changed) {
      m_awStarts.insert(m_awStarts.begin() + static_cast<std::ptrdiff_t>(at), q);
      m_awEnds.insert(m_awEnds.begin() + static_cast<std::ptrdiff_t>(at), s);
    }
  } catch (const std::bad_alloc&) {
    SetDone();
    return TRUE;
  }
  // Join neighbours that now overlap.
  for (std::size_t i = 0; i + 1 < m_awStarts.size();) {
    if (m_awEnds[i] >= m_awStarts[i + 1]) {
      m_awEnds[i] = std::max(m_awEnds[i], m_awEnds[i + 1]);
      m_awStarts.erase(m_awStarts.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      m_awEnds.erase(m_awEnds.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    } else {
      ++i;
    }
  }
  if (m_awStarts.size() == 1 && m_awStarts[0] <= m_range.top && m_awEnds[0] >= m_range.bottom) SetDone();
  return TRUE;
}

// ------------------------------------------------------------------- pool

void CGXDelayedRangePool::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD>(entries_.size()));
    for (const auto& entry : entries_) ar.WriteObject(entry.get());
    return;
  }
  const DWORD count = ar.ReadCount(2);
  std::vector<std::unique_ptr<CGXDelayedRange>> read;
  for (DWORD i = 0; i < count; ++i) {
    CObject* object = GXReadOwnedObject(ar, RUNTIME_CLASS(CGXDelayedRange));
    read.emplace_back(static_cast<CGXDelayedRange*>(object));
  }
  entries_ = std::move(read);
}

CGXDelayedRangePool& CGXDelayedRangePool::operator=(const CGXDelayedRangePool& other) {
  if (&other == this) return *this;
  RemoveDone();
  for (std::size_t i = 0; i < other.entries_.size(); ++i) {
    if (!other.entries_[i]) continue;
    auto copy = std::make_unique<CGXDelayedRange>();
    *copy = *other.entries_[i];
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(std::min(i, entries_.size())), std::move(copy));
  }
  return *this;
}

void CGXDelayedRangePool::AddRange(const CGXRange& r) {
  CGXDelayedRange* reuse = nullptr;
  for (auto& entry : entries_) {
    CGXDelayedRange& e = *entry;
    if (e.m_bDone) {
      reuse = &e;
      continue;
    }
    if (Contains(r, e.m_range)) {
      e.SetDone();
      if (reuse == nullptr) reuse = &e;
      continue;
    }
    if (e.m_awStarts.empty()) {
      // An untouched entry next to the new block grows to take it.
      if (r.left == e.m_range.right + 1) e.m_range.right = r.right;
      if (r.top == e.m_range.bottom + 1) e.m_range.bottom = r.bottom;
      if (Contains(e.m_range, r)) return;
    }
  }
  if (reuse != nullptr) {
    reuse->m_range = r;
    reuse->m_awStarts.clear();
    reuse->m_awEnds.clear();
    reuse->m_bDone = 0;
    return;
  }
  try {
    entries_.insert(entries_.begin(), std::make_unique<CGXDelayedRange>(r));
  } catch (const std::bad_alloc&) {
    // Not queued; the pool stays as it was.
  }
}

void CGXDelayedRangePool::ClampRows(ROWCOL n) {
  for (auto& e : entries_) {
    e->m_range.top = std::min(e->m_range.top, n);
    e->m_range.bottom = std::min(e->m_range.bottom, n);
  }
}

void CGXDelayedRangePool::ClampCols(ROWCOL n) {
  for (auto& e : entries_) {
    e->m_range.left = std::min(e->m_range.left, n);
    e->m_range.right = std::min(e->m_range.right, n);
  }
}

void CGXDelayedRangePool::SplitAtCols(const CGXRange& r) {
  const std::size_t count = entries_.size();
  for (std::size_t i = 0; i < count; ++i) {
    CGXDelayedRange& e = *entries_[i];
    CGXRange cut;
    if (e.m_bDone || !Intersect(e.m_range, r, cut)) continue;
    try {
      if (e.m_range.left < cut.left) {
        auto piece = std::make_unique<CGXDelayedRange>();
        *piece = e;
        piece->m_range.right = cut.left - 1;
        e.m_range.left = cut.left;
        entries_.push_back(std::move(piece));
      }
      CGXDelayedRange& same = *entries_[i];
      if (same.m_range.right > cut.right) {
        auto piece = std::make_unique<CGXDelayedRange>();
        *piece = same;
        piece->m_range.left = cut.right + 1;
        same.m_range.right = cut.right;
        entries_.push_back(std::move(piece));
      }
    } catch (const std::bad_alloc&) {
      // The piece is dropped.
    }
  }
}

BOOL CGXDelayedRangePool::GetRowsToEvaluate(const CGXRange& r, std::vector<DWORD>& firstCols,
                                            std::vector<DWORD>& lastCols) {
  if (r.bottom < r.top || r.right < r.left) return FALSE;
  const std::size_t rows = static_cast<std::size_t>(r.bottom) - r.top + 1;
  try {
    firstCols.assign(rows, kNone);
    lastCols.assign(rows, 0);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  SplitAtCols(r);
  BOOL result = FALSE;
  for (auto& entry : entries_) {
    CGXDelayedRange& e = *entry;
    CGXRange cut;
    if (e.m_bDone || !Intersect(e.m_range, r, cut)) continue;
    const ROWCOL left = e.m_range.left, right = e.m_range.right, top = e.m_range.top, bottom = e.m_range.bottom;
    if (!e.MarkEvaluated(cut)) continue;
    for (ROWCOL row = std::max(top, cut.top); row <= std::min(bottom, cut.bottom); ++row) {
      const std::size_t i = row - r.top;
      if (firstCols[i] == kNone) {
        firstCols[i] = left;
        lastCols[i] = right;
      } else {
        firstCols[i] = std::min<DWORD>(firstCols[i], left);
        lastCols[i] = std::max<DWORD>(lastCols[i], right);
      }
      if (row == kNone - 1) break;
    }
    result = TRUE;
  }
  if (result) RemoveDone();
  return result;
}

void CGXDelayedRangePool::RemoveDone() {
  for (std::size_t i = entries_.size(); i-- > 0;)
    if (!entries_[i] || entries_[i]->m_bDone) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
}

// ---------------------------------------------------------------- factory

CGXDelayedRangePool* CGXDelayedRangePoolImp::CreateCopy(const CGXDelayedRangePool* source) {
  auto* pool = new CGXDelayedRangePool;
  if (source != nullptr) *pool = *source;
  return pool;
}
CGXDelayedRangePool* CGXDelayedRangePoolImp::Create() { return new CGXDelayedRangePool; }
void CGXDelayedRangePoolImp::Assign(CGXDelayedRangePool* target, const CGXDelayedRangePool* source) {
  if (target != nullptr && source != nullptr) *target = *source;
}
