#include "grid/core/GXRange.h"

#include <algorithm>

#include "platform/base/Exceptions.h"

CGXRange& CGXRange::SetCells(ROWCOL r1, ROWCOL c1, ROWCOL r2, ROWCOL c2) {
  rtType = cells;
  top = std::min(r1, r2);
  left = std::min(c1, c2);
  bottom = std::max(r1, r2);
  right = std::max(c1, c2);
  m_bValid = TRUE;
  return *this;
}

CGXRange& CGXRange::SetRows(ROWCOL r1, ROWCOL r2) {
  rtType = rows;
  top = std::min(r1, r2);
  bottom = std::max(r1, r2);
  left = right = 0;
  m_bValid = TRUE;
  return *this;
}

CGXRange& CGXRange::SetCols(ROWCOL c1, ROWCOL c2) {
  rtType = cols;
  left = std::min(c1, c2);
  right = std::max(c1, c2);
  top = bottom = 0;
  m_bValid = TRUE;
  return *this;
}

CGXRange& CGXRange::SetTable() {
  rtType = table;
  m_bValid = TRUE;
  return *this;
}

CGXRange& CGXRange::ExpandToCells(ROWCOL firstRow, ROWCOL firstCol, ROWCOL lastRow, ROWCOL lastCol) {
  switch (rtType) {
    case rows:
      left = firstCol;
      right = lastCol;
      break;
    case cols:
      top = firstRow;
      bottom = lastRow;
      break;
    case table:
      top = firstRow;
      left = firstCol;
      bottom = lastRow;
      right = lastCol;
      break;
    default:
      break;
  }
  rtType = cells;
  return *this;
}

BOOL CGXRange::IsCellInRange(ROWCOL row, ROWCOL col) const {
  if (!m_bValid) return FALSE;
  if (rtType == table) return TRUE;
  const bool rowOk = rtType == cols || (top <= row && row <= bottom);
  const bool colOk = rtType == rows || (left <= col && col <= right);
  return rowOk && colOk;
}

BOOL CGXRange::IntersectWith(const CGXRange& a, const CGXRange& b) {
  // Copies first: this range may be a or b.
  const CGXRange ra = a, rb = b;
  if (ra.IsTable() || rb.IsTable()) {
    *this = rb.IsTable() ? ra : rb;
    if (ra.IsTable() && rb.IsTable()) *this = rb;
    m_bValid = TRUE;
    return m_bValid;
  }
  if ((ra.IsRows() && rb.IsCols()) || (ra.IsCols() && rb.IsRows())) {
    const CGXRange& r = ra.IsRows() ? ra : rb;
    const CGXRange& c = ra.IsCols() ? ra : rb;
    rtType = cells;
    top = r.top;
    bottom = r.bottom;
    left = c.left;
    right = c.right;
    m_bValid = TRUE;
    return m_bValid;
  }
  if (ra.IsCols() || rb.IsCols()) {
    const CGXRange& other = rb.IsCols() ? (ra.IsCols() ? rb : ra) : rb;
    rtType = other.rtType;
    top = other.top;
    bottom = other.bottom;
    left = std::max(ra.left, rb.left);
    right = std::min(ra.right, rb.right);
    m_bValid = right >= left;
    return m_bValid;
  }
  if (ra.IsRows() || rb.IsRows()) {
    const CGXRange& other = rb.IsRows() ? (ra.IsRows() ? rb : ra) : rb;
    rtType = other.rtType;
    left = other.left;
    right = other.right;
    top = std::max(ra.top, rb.top);
    bottom = std::min(ra.bottom, rb.bottom);
    m_bValid = bottom >= top;
    return m_bValid;
  }
  rtType = cells;
  top = std::max(ra.top, rb.top);
  left = std::max(ra.left, rb.left);
  bottom = std::min(ra.bottom, rb.bottom);
  right = std::min(ra.right, rb.right);
  m_bValid = top <= bottom && left <= right;
  return m_bValid;
}

BOOL CGXRange::SetUnion(const CGXRange& a, const CGXRange& b) {
  const CGXRange ra = a, rb = b;
  if (ra.IsTable() || rb.IsTable() || (ra.IsRows() && rb.IsCols()) || (ra.IsCols() && rb.IsRows())) {
    SetTable();
  } else if (ra.IsCols() || rb.IsCols()) {
    SetCols(std::min(ra.left, rb.left), std::max(ra.right, rb.right));
  } else if (ra.IsRows() || rb.IsRows()) {
    SetRows(std::min(ra.top, rb.top), std::max(ra.bottom, rb.bottom));
  } else {
    SetCells(std::min(ra.top, rb.top), std::min(ra.left, rb.left), std::max(ra.bottom, rb.bottom),
             std::max(ra.right, rb.right));
  }
  m_bValid = TRUE;
  return m_bValid;
}

void GXWriteRange(CArchive& ar, const CGXRange& range) {
  ar << static_cast<std::uint32_t>(range.top) << static_cast<std::uint32_t>(range.left)
     << static_cast<std::uint32_t>(range.bottom) << static_cast<std::uint32_t>(range.right);
  ar << static_cast<BYTE>(range.rtType) << static_cast<BYTE>(range.m_bValid);
}

void GXReadRange(CArchive& ar, CGXRange& range) {
  std::uint32_t top, left, bottom, right;
  BYTE kind, valid;
  ar >> top >> left >> bottom >> right >> kind >> valid;
  range.top = top;
  range.left = left;
  range.bottom = bottom;
  range.right = right;
  range.rtType = kind;
  range.m_bValid = valid;
}

// ---------------------------------------------------------------- range list

IMPLEMENT_SERIAL(CGXRangeList, CObject, 1)

CGXRangeList::~CGXRangeList() { DeleteAll(); }

void CGXRangeList::DeleteAll() {
  for (POSITION pos = list_.GetHeadPosition(); pos != nullptr;) delete static_cast<CGXRange*>(list_.GetNext(pos));
  list_.RemoveAll();
}

void CGXRangeList::DeleteAt(POSITION pos) {
  delete static_cast<CGXRange*>(list_.GetAt(pos));
  list_.RemoveAt(pos);
}

void CGXRangeList::RemoveInvalidRanges() {
  for (POSITION pos = list_.GetHeadPosition(); pos != nullptr;) {
    POSITION here = pos;
    if (!static_cast<CGXRange*>(list_.GetNext(pos))->IsValid()) DeleteAt(here);
  }
}

CGXRangeList& CGXRangeList::operator=(const CGXRangeList& other) {
  if (&other == this) return *this;
  DeleteAll();
  for (POSITION pos = other.GetHeadPosition(); pos != nullptr;) {
    const CGXRange* r = other.GetNext(pos);
    if (r->IsValid()) list_.AddHead(new CGXRange(*r));
  }
  return *this;
}

POSITION CGXRangeList::FindRangeWithCell(ROWCOL row, ROWCOL col) const {
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    POSITION here = pos;
    if (GetNext(pos)->IsCellInRange(row, col)) return here;
  }
  return nullptr;
}

BOOL CGXRangeList::IsCellInListExcept(ROWCOL row, ROWCOL col, POSITION except) const {
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    POSITION here = pos;
    const CGXRange* r = GetNext(pos);
    if (here != except && r->IsCellInRange(row, col)) return TRUE;
  }
  return FALSE;
}

BOOL CGXRangeList::TouchesCol(ROWCOL col) const {
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const CGXRange* r = GetNext(pos);
    if (r->IsValid() && (r->IsRows() || r->IsTable() || (r->left <= col && col <= r->right))) return TRUE;
  }
  return FALSE;
}

BOOL CGXRangeList::TouchesRow(ROWCOL row) const {
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const CGXRange* r = GetNext(pos);
    if (r->IsValid() && (r->IsCols() || r->IsTable() || (r->top <= row && row <= r->bottom))) return TRUE;
  }
  return FALSE;
}

namespace {

// Merges [s, e] into the sorted interval arrays, then joins neighbours that
// touch. `whole` is the kind whose ranges span the other dimension.
void MergeInterval(CDWordArray& starts, CDWordArray& ends, DWORD s, DWORD e) {
  const int n = static_cast<int>(starts.GetSize());
  for (int i = 0; i < n; ++i) {
    const DWORD si = starts[i], ei = ends[i];
    const bool overlap = (si <= s && s <= ei) || (si <= e && e <= ei) || (s <= si && si <= e) || (s <= ei && ei <= e);
    if (overlap) {
      starts[i] = std::min(si, s);
      ends[i] = std::max(ei, e);
      return;
    }
    if (s < si) {
      starts.InsertAt(i, s);
      ends.InsertAt(i, e);
      return;
    }
  }
  starts.Add(s);
  ends.Add(e);
}

void JoinTouching(CDWordArray& starts, CDWordArray& ends) {
  bool joined = true;
  while (joined) {
    joined = false;
    for (int i = 1; i < static_cast<int>(starts.GetSize()); ++i) {
      if (static_cast<unsigned long long>(ends[i - 1]) + 1 >= starts[i]) {
        ends[i - 1] = std::max(ends[i - 1], ends[i]);
        starts[i - 1] = std::min(starts[i - 1], starts[i]);
        starts.RemoveAt(i);
        ends.RemoveAt(i);
        joined = true;
        break;
      }
    }
  }
}

}  // namespace

BOOL CGXRangeList::GetColIntervals(ROWCOL lastCol, CDWordArray& starts, CDWordArray& ends, BOOL wholeOnly) const {
  starts.RemoveAll();
  ends.RemoveAll();
  if (IsEmpty()) return FALSE;
  BOOL any = FALSE;
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const CGXRange* r = GetNext(pos);
    if (!r->IsValid()) continue;
    if (wholeOnly && !(r->IsCols() || r->IsTable())) continue;
    const bool toEnd = r->IsRows() || r->IsTable();
    MergeInterval(starts, ends, toEnd ? r->left : r->left, toEnd ? lastCol : r->right);
    any = TRUE;
  }
  JoinTouching(starts, ends);
  return any;
}

BOOL CGXRangeList::GetRowIntervals(ROWCOL lastRow, CDWordArray& starts, CDWordArray& ends, BOOL wholeOnly) const {
  starts.RemoveAll();
  ends.RemoveAll();
  if (IsEmpty()) return FALSE;
  BOOL any = FALSE;
  for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
    const CGXRange* r = GetNext(pos);
    if (!r->IsValid()) continue;
    if (wholeOnly && !(r->IsRows() || r->IsTable())) continue;
    const bool toEnd = r->IsCols() || r->IsTable();
    MergeInterval(starts, ends, r->top, toEnd ? lastRow : r->bottom);
    any = TRUE;
  }
  JoinTouching(starts, ends);
  return any;
}

namespace {

// The row and column forms of the renumbering share one body; `lo` and `hi`
// select top/bottom or left/right.
using Bound = ROWCOL CGXRange::*;

void InsertIn(CPtrList& list, Bound lo, Bound hi, ROWCOL from, ROWCOL count) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    CGXRange* r = static_cast<CGXRange*>(list.GetNext(pos));
    if (r->*lo >= from) r->*lo += count;
    if (r->*hi >= from) r->*hi += count;
  }
}

void RemoveIn(CPtrList& list, Bound lo, Bound hi, ROWCOL from, ROWCOL to, ROWCOL max) {
  const ROWCOL n = to - from + 1;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    CGXRange* r = static_cast<CGXRange*>(list.GetNext(pos));
    if (!r->IsValid()) continue;
    if (from <= r->*lo && r->*hi <= to) {
      r->m_bValid = FALSE;
    } else {
      if (r->*lo >= from) r->*lo = std::max(from, std::max(r->*lo, to) - n);
      if (r->*hi >= from) r->*hi = std::max(r->*hi, to) - n;
      r->m_bValid = r->*hi >= r->*lo;
    }
    r->*hi = std::min(r->*hi, max);
  }
}

void MoveIn(CPtrList& list, Bound lo, Bound hi, ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL max) {
  const ROWCOL n = to - from + 1;
  const ROWCOL d = dest > from ? dest + n : dest;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    CGXRange* r = static_cast<CGXRange*>(list.GetNext(pos));
    const ROWCOL t = r->*lo;
    if (from <= t && t <= to && to < d) {
      r->*lo += dest - from;
      r->*hi += dest - from;
    } else if (from <= t && t <= to && d < from) {
      r->*lo -= from - d;
      r->*hi -= from - d;
    } else if (to < t && t < d) {
      r->*lo -= n;
      r->*hi -= n;
    } else if (d <= t && t < from) {
      r->*lo += n;
      r->*hi += n;
    }
    r->*hi = std::min(r->*hi, max);
  }
}

}  // namespace

void CGXRangeList::AdjustAfterInsertRows(ROWCOL from, ROWCOL count) {
  InsertIn(list_, &CGXRange::top, &CGXRange::bottom, from, count);
}
void CGXRangeList::AdjustAfterInsertCols(ROWCOL from, ROWCOL count) {
  InsertIn(list_, &CGXRange::left, &CGXRange::right, from, count);
}
void CGXRangeList::AdjustAfterRemoveRows(ROWCOL from, ROWCOL to, ROWCOL max) {
  RemoveIn(list_, &CGXRange::top, &CGXRange::bottom, from, to, max);
}
void CGXRangeList::AdjustAfterRemoveCols(ROWCOL from, ROWCOL to, ROWCOL max) {
  RemoveIn(list_, &CGXRange::left, &CGXRange::right, from, to, max);
}
void CGXRangeList::AdjustAfterMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL max) {
  MoveIn(list_, &CGXRange::top, &CGXRange::bottom, from, to, dest, max);
}
void CGXRangeList::AdjustAfterMoveCols(ROWCOL from, ROWCOL to, ROWCOL dest, ROWCOL max) {
  MoveIn(list_, &CGXRange::left, &CGXRange::right, from, to, dest, max);
}

void CGXRangeList::Serialize(CArchive& ar) {
  constexpr WORD kSchema = 1;
  constexpr UINT kRangeBytes = 18;
  if (ar.IsStoring()) {
    RemoveInvalidRanges();
    ar << kSchema << static_cast<std::uint32_t>(GetCount());
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) GXWriteRange(ar, *GetNext(pos));
    return;
  }
  WORD schema = 0;
  ar >> schema;
  if (schema != kSchema) AfxThrowArchiveException(CArchiveException::badSchema);
  std::uint32_t count = 0;
  ar >> count;
  // A count the archive cannot hold is corrupt: stop before reading on.
  const std::int64_t available = ar.BytesAvailable();
  if (available >= 0 && static_cast<std::int64_t>(static_cast<std::int32_t>(count)) * kRangeBytes > available)
    AfxThrowArchiveException(CArchiveException::endOfFile);
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(count); ++i) {
    auto* r = new CGXRange;
    try {
      GXReadRange(ar, *r);
    } catch (...) {
      delete r;
      throw;
    }
    list_.AddTail(r);
  }
}
