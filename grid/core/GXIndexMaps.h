// Sparse tables keyed by row or column numbers, by cells or by packed
// 8-byte descriptions: row heights and column widths, the composed-style
// cache, and the caches built from packed font and brush descriptions.
#pragma once

#include "grid/core/GXHashMap.h"
#include "grid/core/GXRange.h"
#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/Collections.h"

struct GXRowColHash {
  UINT operator()(DWORD key) const { return key >> 4; }
};

// Row or column number to a signed value; renumbered with the rows and
// columns it describes.
class CGXCollMapDWordToLong : public CObject {
  DECLARE_SERIAL(CGXCollMapDWordToLong)

 public:
  explicit CGXCollMapDWordToLong(int blockSize = 10) { (void)blockSize; }
  void Serialize(CArchive& ar) override;

  int GetCount() const { return map_.GetCount(); }
  BOOL IsEmpty() const { return map_.IsEmpty(); }
  void InitHashTable(UINT buckets) { map_.InitHashTable(buckets); }
  UINT GetHashTableSize() const { return map_.GetHashTableSize(); }
  BOOL Lookup(DWORD key, LONG& value) const { return map_.Lookup(key, value); }
  LONG& operator[](DWORD key) { return map_[key]; }
  void SetAt(DWORD key, LONG value) { map_.SetAt(key, value); }
  BOOL RemoveKey(DWORD key) { return map_.RemoveKey(key); }
  void RemoveAll() { map_.RemoveAll(); }
  POSITION GetStartPosition() const { return map_.GetStartPosition(); }
  void GetNextAssoc(POSITION& pos, DWORD& key, LONG& value) const { map_.GetNextAssoc(pos, key, value); }

  // Keys at or above `from` move up by `count`.
  void InsertKeys(DWORD from, DWORD count);
  // Keys from..to are dropped, keys above move down by the block's size.
  void RemoveKeys(DWORD from, DWORD to);
  // The block from..to moves so that its first key lands on `dest`.
  void MoveKeys(DWORD from, DWORD to, DWORD dest);

 protected:
  void CopyFrom(const CGXCollMapDWordToLong& other);

 private:
  template <class F>
  void Renumber(F&& newKey);

  GXHashMap<DWORD, LONG, GXRowColHash> map_;
};

class CGXMapDWordToLong : public CGXCollMapDWordToLong {
  DECLARE_SERIAL(CGXMapDWordToLong)

 public:
  explicit CGXMapDWordToLong(int blockSize = 10) : CGXCollMapDWordToLong(blockSize) {}
  virtual CGXMapDWordToLong& operator=(const CGXMapDWordToLong& other);
};

struct GXCellKey {
  ROWCOL row;
  ROWCOL col;
  bool operator==(const GXCellKey&) const = default;
};

struct GXCellHash {
  UINT operator()(const GXCellKey& k) const { return ((k.col & 0xFFFFu) << 12) | ((k.row & 0xFFFFu) >> 4); }
};

// Cell to object; the map does not own its objects.
class CMapNdxToOb : public CObject {
  DECLARE_SERIAL(CMapNdxToOb)

 public:
  explicit CMapNdxToOb(int blockSize = 10) { (void)blockSize; }
  void Serialize(CArchive& ar) override;

  int GetCount() const { return map_.GetCount(); }
  BOOL IsEmpty() const { return map_.IsEmpty(); }
  void InitHashTable(UINT buckets) { map_.InitHashTable(buckets); }
  BOOL Lookup(ROWCOL row, ROWCOL col, CObject*& object) const { return map_.Lookup({row, col}, object); }
  CObject*& SetAt(ROWCOL row, ROWCOL col) { return map_[{row, col}]; }
  void SetAtObject(ROWCOL row, ROWCOL col, CObject* object) { map_[{row, col}] = object; }
  BOOL RemoveKeyCell(ROWCOL row, ROWCOL col) { return map_.RemoveKey({row, col}); }
  void RemoveAll() { map_.RemoveAll(); }
  POSITION GetStartPosition() const { return map_.GetStartPosition(); }
  void GetNextAssoc(POSITION& pos, ROWCOL& row, ROWCOL& col, CObject*& object) const;

 private:
  GXHashMap<GXCellKey, CObject*, GXCellHash> map_;
};

class CGXMapCellToOb : public CMapNdxToOb {
  DECLARE_SERIAL(CGXMapCellToOb)

 public:
  explicit CGXMapCellToOb(int blockSize = 10) : CMapNdxToOb(blockSize) {}
};

struct GXByte8Key {
  DWORD lo;
  DWORD hi;
  bool operator==(const GXByte8Key&) const = default;
};

struct GXByte8Hash {
  UINT operator()(const GXByte8Key& k) const { return k.lo; }
};

// Packed 8-byte description to pointer (font and brush caches).
class CGXMapByte8ToPtr : public CObject {
  DECLARE_DYNAMIC(CGXMapByte8ToPtr)

 public:
  explicit CGXMapByte8ToPtr(int blockSize = 10) { (void)blockSize; }
  BOOL Lookup(DWORD lo, DWORD hi, void*& value) const { return map_.Lookup({lo, hi}, value); }
  void*& SetAt(DWORD lo, DWORD hi) { return map_[{lo, hi}]; }
  BOOL RemoveKey(DWORD lo, DWORD hi) { return map_.RemoveKey({lo, hi}); }
  void InitHashTable(UINT buckets) { map_.InitHashTable(buckets); }
  void RemoveAll() { map_.RemoveAll(); }
  int GetCount() const { return map_.GetCount(); }
  POSITION GetStartPosition() const { return map_.GetStartPosition(); }
  void GetNextAssoc(POSITION& pos, DWORD& lo, DWORD& hi, void*& value) const {
    GXByte8Key k{};
    map_.GetNextAssoc(pos, k, value);
    lo = k.lo;
    hi = k.hi;
  }

 private:
  GXHashMap<GXByte8Key, void*, GXByte8Hash> map_;
};

// An array of pointer arrays that deletes the arrays it holds.
class CGXPtrArrayPtrArray : public CPtrArray {
 public:
  ~CGXPtrArrayPtrArray() override;
};

// Deleting the objects held by the framework's containers.
void GXDeleteMapValues(CMapWordToPtr& map);
void GXDeleteListObjects(CObList& list);
void GXDeletePtrArrayObjects(CObArray& array);
