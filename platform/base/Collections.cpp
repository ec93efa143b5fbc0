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

std::vector<CObject*> ReachableObjects(std::vector<CObject*> objects) {
  std::unordered_set<CObject*> seen;
  std::vector<CObject*> reached;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    CObject* object = objects[i];
    if (object == nullptr || !seen.insert(object).second) continue;
    reached.push_back(object);
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
  return reached;
}

void FreeReadObjectGraph(CArchive& ar, std::size_t mark, const std::vector<CObject*>& objects) {
  // The archive frees only what it made since the mark; reaching further is
  // harmless.
  ar.FreeReadObjects(mark, ReachableObjects(objects));
}

}  // namespace afx_detail
