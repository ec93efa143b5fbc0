#include "grid/core/GXIndexMaps.h"

#include <unordered_set>
#include <vector>

#include "platform/base/Exceptions.h"

IMPLEMENT_SERIAL(CGXCollMapDWordToLong, CObject, 0)
IMPLEMENT_SERIAL(CGXMapDWordToLong, CGXCollMapDWordToLong, 0)
IMPLEMENT_SERIAL(CMapNdxToOb, CObject, 0)
IMPLEMENT_SERIAL(CGXMapCellToOb, CMapNdxToOb, 0)
IMPLEMENT_DYNAMIC(CGXMapByte8ToPtr, CObject)

namespace {

// Archive counts are 16 bits: a larger map cannot be stored faithfully.
WORD CheckedCount(int count) {
  if (count > 0xFFFF) AfxThrowArchiveException(CArchiveException::genericException);
  return static_cast<WORD>(count);
}

// Reads a 16-bit count of entries of at least `entryBytes` each, refusing a
// count that the rest of the archive cannot hold.
WORD ReadCheckedCount(CArchive& ar, UINT entryBytes) {
  WORD count = 0;
  ar >> count;
  const std::int64_t available = ar.BytesAvailable();
  if (available >= 0 && static_cast<std::int64_t>(count) * entryBytes > available)
    AfxThrowArchiveException(CArchiveException::endOfFile);
  return count;
}

}  // namespace

void CGXCollMapDWordToLong::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << CheckedCount(GetCount());
    for (auto& [key, value] : map_.Entries()) ar << static_cast<std::uint32_t>(key) << static_cast<std::int32_t>(value);
    return;
  }
  const WORD count = ReadCheckedCount(ar, 8);
  for (WORD i = 0; i < count; ++i) {
    std::uint32_t key;
    std::int32_t value;
    ar >> key >> value;
    map_[key] = value;
  }
}

template <class F>
void CGXCollMapDWordToLong::Renumber(F&& newKey) {
  std::vector<std::pair<DWORD, LONG>> moved;
  for (auto& [key, value] : map_.Entries()) {
    DWORD to = 0;
    if (newKey(key, to)) moved.emplace_back(to, value);
  }
  map_.RemoveAll();
  for (auto& [key, value] : moved) map_[key] = value;
}

void CGXCollMapDWordToLong::InsertKeys(DWORD from, DWORD count) {
  Renumber([&](DWORD key, DWORD& to) {
    to = key < from ? key : key + count;
    return true;
  });
}

void CGXCollMapDWordToLong::RemoveKeys(DWORD from, DWORD to) {
  Renumber([&](DWORD key, DWORD& out) {
    if (key < from) {
      out = key;
      return true;
    }
    if (key > to) {
      out = key - (to - from + 1);
      return true;
    }
    return false;
  });
}

void CGXCollMapDWordToLong::MoveKeys(DWORD from, DWORD to, DWORD dest) {
  const DWORD n = to - from + 1;
  const DWORD d = dest > from ? dest + n : dest;
  Renumber([&](DWORD key, DWORD& out) {
    if (from <= key && key <= to)
      out = key + dest - from;
    else if (key > to && key < d)
      out = key - n;
    else if (key >= d && key < from)
      out = key + n;
    else
      out = key;
    return true;
  });
}

void CGXCollMapDWordToLong::CopyFrom(const CGXCollMapDWordToLong& other) {
  if (&other == this) return;
  map_.RemoveAll();
  for (auto& [key, value] : other.map_.Entries()) map_[key] = value;
}

CGXMapDWordToLong& CGXMapDWordToLong::operator=(const CGXMapDWordToLong& other) {
  CopyFrom(other);
  return *this;
}

void CMapNdxToOb::GetNextAssoc(POSITION& pos, ROWCOL& row, ROWCOL& col, CObject*& object) const {
  GXCellKey k{};
  map_.GetNextAssoc(pos, k, object);
  row = k.row;
  col = k.col;
}

void CMapNdxToOb::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << CheckedCount(GetCount());
    for (auto& [key, object] : map_.Entries()) {
      ar << static_cast<std::uint32_t>(key.row) << static_cast<std::uint32_t>(key.col);
      ar << object;
    }
    return;
  }
  const WORD count = ReadCheckedCount(ar, 10);
  for (WORD i = 0; i < count; ++i) {
    std::uint32_t row, col;
    ar >> row >> col;
    CObject* object = nullptr;
    ar >> object;
    map_[{row, col}] = object;
  }
}

CGXPtrArrayPtrArray::~CGXPtrArrayPtrArray() {
  for (int i = 0; i < GetSize(); ++i) delete static_cast<CPtrArray*>(GetAt(i));
  RemoveAll();
}

void GXDeleteMapValues(CMapWordToPtr& map) {
  WORD key;
  void* value;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    map.GetNextAssoc(pos, key, value);
    delete static_cast<CObject*>(value);
  }
  map.RemoveAll();
}

void GXDeleteListObjects(CObList& list) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) delete list.GetNext(pos);
  list.RemoveAll();
}

void GXDeletePtrArrayObjects(CObArray& array) {
  // An array read from an archive may hold one object more than once.
  std::unordered_set<CObject*> deleted;
  for (int i = 0; i < array.GetSize(); ++i) {
    if (deleted.insert(array.GetAt(i)).second) delete array.GetAt(i);
  }
  array.SetSize(0);
}
