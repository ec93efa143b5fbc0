// Archives: objects of every archivable collection and a leaf class, nested
// and shared through back-references.
#include <string>
#include <unordered_set>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "platform/Afx.h"

namespace fuzz {

namespace {

// A leaf of the object graph: a text and a number.
class FuzzLeaf : public CObject {
  DECLARE_SERIAL(FuzzLeaf)

 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << name << value;
    else ar >> name >> value;
  }
  CString name;
  DWORD value = 0;
};
IMPLEMENT_SERIAL(FuzzLeaf, CObject, 1)

// The archivable collections hold pointers they do not own, possibly shared
// and in cycles: every object reachable from the root once, then deleted.
void Gather(CObject* root, std::vector<CObject*>& order) {
  std::unordered_set<CObject*> seen;
  std::vector<CObject*> todo{root};
  while (!todo.empty()) {
    CObject* object = todo.back();
    todo.pop_back();
    if (!object || !seen.insert(object).second) continue;
    order.push_back(object);
    if (auto* array = dynamic_cast<CObArray*>(object)) {
      for (int i = 0; i < array->GetSize(); ++i) todo.push_back(array->GetAt(i));
    } else if (auto* list = dynamic_cast<CObList*>(object)) {
      for (POSITION p = list->GetHeadPosition(); p;) todo.push_back(list->GetNext(p));
    } else if (auto* strings = dynamic_cast<CMapStringToOb*>(object)) {
      CString key;
      CObject* value = nullptr;
      for (POSITION p = strings->GetStartPosition(); p;) {
        strings->GetNextAssoc(p, key, value);
        todo.push_back(value);
      }
    } else if (auto* words = dynamic_cast<CMapWordToOb*>(object)) {
      WORD key = 0;
      CObject* value = nullptr;
      for (POSITION p = words->GetStartPosition(); p;) {
        words->GetNextAssoc(p, key, value);
        todo.push_back(value);
      }
    }
  }
}

}  // namespace

void Archive(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  std::vector<BYTE> bytes(data, data + size);
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CObject* root = nullptr;
  try {
    root = ar.ReadObject(nullptr);
    CString text;
    ar >> text;
  } catch (CException* e) {
    e->Delete();
  }
  std::vector<CObject*> order;
  Gather(root, order);
  for (CObject* o : order) delete o;
  ar.Abort();
}

}  // namespace fuzz
