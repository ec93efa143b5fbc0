// Styles archived in the older layout kept their user attributes as a map
// from attribute id to text; this reads that map into a style's attributes.
#pragma once

#include "grid/core/GXFeatures.h"
#include "grid/core/GXHashMap.h"
#include "grid/core/GXIndexMaps.h"

// A hash map from 32-bit numbers to texts, with its own archive form: a
// 16-bit count, then (key, text) pairs bucket by bucket.
class CGXCollMapDWordToString : public CObject {
  DECLARE_SERIAL(CGXCollMapDWordToString)

 public:
  explicit CGXCollMapDWordToString(int blockSize = 10) { (void)blockSize; }
  void Serialize(CArchive& ar) override;

  int GetCount() const { return map_.GetCount(); }
  BOOL IsEmpty() const { return map_.IsEmpty(); }
  void InitHashTable(UINT buckets) { map_.InitHashTable(buckets); }
  CString& operator[](DWORD key) { return map_[key]; }
  BOOL Lookup(DWORD key, CString& value) const { return map_.Lookup(key, value); }
  void RemoveAll() { map_.RemoveAll(); }
  POSITION GetStartPosition() const { return map_.GetStartPosition(); }
  void GetNextAssoc(POSITION& pos, DWORD& key, CString& value) const { map_.GetNextAssoc(pos, key, value); }

 private:
  GXHashMap<DWORD, CString, GXRowColHash> map_;
};

class CGXSerializeQVX5CompatibleImp : public CGXAbstractSerializeQVX5CompatibleImp {
 public:
  // Reading only: the attributes of the map read replace the style's.
  void SerializeUserAttributes(CGXStyle& style, CArchive& ar) override;
};
