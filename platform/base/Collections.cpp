#include "platform/base/Collections.h"

#include <unordered_set>

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)

namespace afx_detail {

void FreeReadObjectGraph(CArchive& ar, std::size_t mark, std::vector<CObject*> objects) {
  // The archive frees only what it made since the mark; gathering more is
  // harmless. Each object is looked into once (collections may be shared).
  std::unordered_set<CObject*> seen;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    CObject* object = objects[i];
    if (object == nullptr || !seen.insert(object).second) continue;
    if (auto* array = dynamic_cast<CObArray*>(object)) {
      for (int k = 0; k < array->GetSize(); ++k) objects.push_back(array->GetAt(k));
    } else if (auto* list = dynamic_cast<CObList*>(object)) {
      for (POSITION p = list->GetHeadPosition(); p;) objects.push_back(list->GetNext(p));
    } else if (auto* strings = dynamic_cast<CMapStringToOb*>(object)) {
      CString key;
      CObject* value = nullptr;
      for (POSITION p = strings->GetStartPosition(); p;) {
        strings->GetNextAssoc(p, key, value);
        objects.push_back(value);
      }
    } else if (auto* words = dynamic_cast<CMapWordToOb*>(object)) {
      WORD key = 0;
      CObject* value = nullptr;
      for (POSITION p = words->GetStartPosition(); p;) {
        words->GetNextAssoc(p, key, value);
        objects.push_back(value);
      }
    }
  }
  ar.FreeReadObjects(mark, std::vector<CObject*>(seen.begin(), seen.end()));
}

}  // namespace afx_detail
