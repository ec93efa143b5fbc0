#include "grid/features/GXSpanCellPool.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "platform/base/Exceptions.h"

IMPLEMENT_SERIAL(CGXDWordArrayPtrArray, CObject, 1)
IMPLEMENT_SERIAL(CGXSpanCellPool, CObject, 1)

namespace {

using Line = CGXDWordArrayPtrArray::Line;
constexpr DWORD kNone = CGXDWordArrayPtrArray::kNone;

// Indexes are stored as 32-bit numbers; a negative one (read as signed)
// leaves a table alone.
bool Negative(ROWCOL index) { return static_cast<std::int32_t>(index) < 0; }

// n empty entries at a position (lines are null, entries -1).
DWORD Empty(const DWORD*) { return kNone; }
std::unique_ptr<Line> Empty(const std::unique_ptr<Line>*) { return nullptr; }

template <class T>
void InsertEmpty(std::vector<T>& v, std::size_t at, std::size_t n) {
  std::vector<T> block;
  block.reserve(n);
  for (std::size_t i = 0; i < n; ++i) block.push_back(Empty(static_cast<const T*>(nullptr)));
  v.insert(v.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(block.begin()),
           std::make_move_iterator(block.end()));
}

template <class T>
void InsertAt(std::vector<T>& v, ROWCOL at, ROWCOL count) {
  if (Negative(at) || count < 1 || at >= v.size()) return;
  InsertEmpty(v, at, count);
}

template <class T>
void RemoveFromTo(std::vector<T>& v, ROWCOL from, ROWCOL to) {
  if (Negative(from) || from >= v.size() || to < from) return;
  const std::size_t last = std::min<std::size_t>(to, v.size() - 1);
  v.erase(v.begin() + static_cast<std::ptrdiff_t>(from), v.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

// Moves the block from..to so that its first entry ends at dest.
template <class T, class Copy>
void MoveBlock(std::vector<T>& v, ROWCOL from, ROWCOL to, ROWCOL dest, Copy copy) {
  if (Negative(from) || Negative(dest) || to < from) return;
  const std::size_t n = static_cast<std::size_t>(to) - from + 1;
  std::size_t src = from;
  if (src == dest || (src >= v.size() && dest >= v.size())) return;
  std::size_t insertAt = dest;
  if (dest < src) {
    src += n;
  } else {
    insertAt = static_cast<std::size_t>(dest) + n;
  }
  if (v.size() < insertAt) InsertEmpty(v, v.size(), insertAt - v.size());
  InsertEmpty(v, insertAt, n);
  for (std::size_t i = 0; i < n && src + i < v.size(); ++i) copy(v[insertAt + i], v[src + i]);
  if (src < v.size()) {
    const std::size_t take = std::min(n, v.size() - src);
    v.erase(v.begin() + static_cast<std::ptrdiff_t>(src), v.begin() + static_cast<std::ptrdiff_t>(src + take));
  }
}

// One direction of StoreSpan over lines first..last, positions start..end.
BOOL StoreInTable(CGXDWordArrayPtrArray& table, ROWCOL first, ROWCOL last, ROWCOL start, ROWCOL end, BOOL set) {
  if (set && start == end) return FALSE;
  BOOL changed = FALSE;
  for (ROWCOL lineIndex = first; lineIndex <= last; ++lineIndex) {
    Line* line = table.GetLine(lineIndex);
    if (line == nullptr) {
      if (!set) {
        if (lineIndex == last) break;
        continue;
      }
      line = &table.MakeLine(lineIndex);
    }
    const DWORD old = start < line->size() ? (*line)[start] : kNone;
    if (set) {
      if (line->size() < static_cast<std::size_t>(end) + 1) line->resize(static_cast<std::size_t>(end) + 1, kNone);
      std::fill(line->begin() + start, line->begin() + static_cast<std::ptrdiff_t>(end) + 1, static_cast<DWORD>(start));
      // The tail of a longer span that began at the same place is cut off.
      for (std::size_t i = static_cast<std::size_t>(end) + 1; i < line->size() && (*line)[i] == old && old != kNone; ++i)
        (*line)[i] = kNone;
    } else if (old != kNone) {
      for (std::size_t i = start; i < line->size() && (*line)[i] == old; ++i) (*line)[i] = kNone;
    }
    changed = TRUE;
    if (lineIndex == last) break;
  }
  return changed;
}

BOOL LookupInTable(const CGXDWordArrayPtrArray& table, ROWCOL outer, ROWCOL inner, ROWCOL& first, ROWCOL& last) {
  const Line* line = table.GetLine(outer);
  if (line == nullptr || inner >= line->size()) return FALSE;
  const DWORD value = (*line)[inner];
  if (value == kNone) return FALSE;
  std::size_t i = inner;
  while (i + 1 < line->size() && (*line)[i + 1] == value) ++i;
  first = value;
  last = static_cast<ROWCOL>(i);
  return TRUE;
}

}  // namespace

// ------------------------------------------------------------------ lines

Line& CGXDWordArrayPtrArray::MakeLine(std::size_t index) {
  if (index >= lines_.size()) lines_.resize(index + 1);
  if (!lines_[index]) lines_[index] = std::make_unique<Line>();
  return *lines_[index];
}

CGXDWordArrayPtrArray& CGXDWordArrayPtrArray::operator=(const CGXDWordArrayPtrArray& other) {
  if (&other == this) return *this;
  lines_.clear();
  lines_.resize(other.lines_.size());
  for (std::size_t i = 0; i < other.lines_.size(); ++i)
    lines_[i] = other.lines_[i] ? std::make_unique<Line>(*other.lines_[i]) : std::make_unique<Line>();
  return *this;
}

void CGXDWordArrayPtrArray::InsertLines(ROWCOL at, ROWCOL count) {
  if (lines_.empty()) return;
  InsertAt(lines_, at, count);
}

void CGXDWordArrayPtrArray::RemoveLines(ROWCOL from, ROWCOL to) { RemoveFromTo(lines_, from, to); }

void CGXDWordArrayPtrArray::MoveLines(ROWCOL from, ROWCOL to, ROWCOL dest) {
  MoveBlock(lines_, from, to, dest,
            [](std::unique_ptr<Line>& target, std::unique_ptr<Line>& source) { target = std::move(source); });
}

void CGXDWordArrayPtrArray::InsertEntries(ROWCOL at, ROWCOL count) {
  for (auto& line : lines_)
    if (line && line->size() > at) InsertAt(*line, at, count);
}

void CGXDWordArrayPtrArray::RemoveEntries(ROWCOL from, ROWCOL to) {
  for (auto& line : lines_)
    if (line && line->size() > from) RemoveFromTo(*line, from, to);
}

void CGXDWordArrayPtrArray::MoveEntries(ROWCOL from, ROWCOL to, ROWCOL dest) {
  for (auto& line : lines_)
    if (line) MoveBlock(*line, from, to, dest, [](DWORD& target, DWORD& source) { target = source; });
}

void CGXDWordArrayPtrArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<WORD>(1) << static_cast<DWORD>(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (!lines_[i]) continue;
      ar << static_cast<DWORD>(i);
      ar.WriteCount(static_cast<DWORD>(lines_[i]->size()));
      for (DWORD v : *lines_[i]) ar << v;
    }
    ar << static_cast<DWORD>(0xFFFFFFFFu);
    return;
  }
  WORD schema = 0;
  ar >> schema;
  if (schema != 1) AfxThrowArchiveException(CArchiveException::badSchema);
  DWORD count = 0;
  ar >> count;
  // Empty lines take no room in the archive, so a short archive may name
  // many lines; a count far beyond both the bytes left and a million lines
  // is a damaged archive, not a grid.
  const std::int64_t available = ar.BytesAvailable();
  if (available >= 0 && count > (1u << 20) && static_cast<std::int64_t>(count) > available * 64)
    AfxThrowArchiveException(CArchiveException::badIndex);
  lines_.clear();
  lines_.resize(count);
  for (;;) {
    DWORD index = 0;
    ar >> index;
    if (index == 0xFFFFFFFFu) break;
    // An index beyond the count read is a damaged archive.
    if (index >= count) AfxThrowArchiveException(CArchiveException::badIndex);
    const DWORD n = ar.ReadCount(4);
    auto line = std::make_unique<Line>(n);
    for (DWORD& v : *line) ar >> v;
    lines_[index] = std::move(line);
  }
}

// ------------------------------------------------------------------- pool

void CGXSpanCellPool::Serialize(CArchive& ar) {
  horizontal_.Serialize(ar);
  vertical_.Serialize(ar);
}

BOOL CGXSpanCellPool::LookupSpan(ROWCOL row, ROWCOL col, CGXRange& range) const {
  if (Negative(row) || Negative(col)) return FALSE;
  ROWCOL first = 0, last = 0;
  BOOL found = FALSE;
  if (LookupInTable(horizontal_, row, col, first, last)) {
    range.left = first;
    range.right = last;
    found = TRUE;
  }
  if (LookupInTable(vertical_, col, row, first, last)) {
    range.top = first;
    range.bottom = last;
    found = TRUE;
  }
  return found;
}

BOOL CGXSpanCellPool::StoreSpan(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL set) {
  if (Negative(top) || Negative(left) || bottom < top || right < left) return FALSE;
  BOOL changed = FALSE;
  try {
    changed = StoreInTable(horizontal_, top, bottom, left, right, set);
    changed = StoreInTable(vertical_, left, right, top, bottom, set) || changed;
  } catch (const std::bad_alloc&) {
    // What was written before the failure stays.
    return FALSE;
  }
  return changed;
}

void CGXSpanCellPool::InsertRows(ROWCOL row, ROWCOL count) {
  horizontal_.InsertLines(row, count);
  vertical_.InsertEntries(row, count);
}
void CGXSpanCellPool::RemoveRows(ROWCOL from, ROWCOL to) {
  horizontal_.RemoveLines(from, to);
  vertical_.RemoveEntries(from, to);
}
void CGXSpanCellPool::MoveRows(ROWCOL from, ROWCOL to, ROWCOL dest) {
  horizontal_.MoveLines(from, to, dest);
  vertical_.MoveEntries(from, to, dest);
}
void CGXSpanCellPool::InsertCols(ROWCOL col, ROWCOL count) {
  vertical_.InsertLines(col, count);
  horizontal_.InsertEntries(col, count);
}
void CGXSpanCellPool::RemoveCols(ROWCOL from, ROWCOL to) {
  vertical_.RemoveLines(from, to);
  horizontal_.RemoveEntries(from, to);
}
void CGXSpanCellPool::MoveCols(ROWCOL from, ROWCOL to, ROWCOL dest) {
  vertical_.MoveLines(from, to, dest);
  horizontal_.MoveEntries(from, to, dest);
}

CGXSpanCellPool& CGXSpanCellPool::operator=(const CGXSpanCellPool& other) {
  if (&other == this) return *this;
  vertical_ = other.vertical_;
  horizontal_ = other.horizontal_;
  return *this;
}

void CGXSpanCellPool::ClearAll() {
  vertical_.DeleteAll();
  horizontal_.DeleteAll();
}

// ---------------------------------------------------------------- factory

CGXSpanCellPool* CGXSpanCellPoolImp::CreateCopy(const CGXSpanCellPool* source) {
  auto* pool = new CGXSpanCellPool;
  if (source != nullptr) *pool = *source;
  return pool;
}
CGXSpanCellPool* CGXSpanCellPoolImp::Create() { return new CGXSpanCellPool; }
void CGXSpanCellPoolImp::Assign(CGXSpanCellPool* target, const CGXSpanCellPool* source) {
  if (target != nullptr && source != nullptr) *target = *source;
}
void CGXSpanCellPoolImp::InsertRows(CGXSpanCellPool* pool, ROWCOL row, ROWCOL count) {
  if (pool != nullptr) pool->InsertRows(row, count);
}
void CGXSpanCellPoolImp::RemoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) {
  if (pool != nullptr) pool->RemoveRows(from, to);
}
void CGXSpanCellPoolImp::MoveRows(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (pool != nullptr) pool->MoveRows(from, to, dest);
}
void CGXSpanCellPoolImp::InsertCols(CGXSpanCellPool* pool, ROWCOL col, ROWCOL count) {
  if (pool != nullptr) pool->InsertCols(col, count);
}
void CGXSpanCellPoolImp::RemoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to) {
  if (pool != nullptr) pool->RemoveCols(from, to);
}
void CGXSpanCellPoolImp::MoveCols(CGXSpanCellPool* pool, ROWCOL from, ROWCOL to, ROWCOL dest) {
  if (pool != nullptr) pool->MoveCols(from, to, dest);
}
