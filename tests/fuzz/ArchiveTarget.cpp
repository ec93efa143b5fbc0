// Archives: objects of every archivable collection and a leaf class, nested
// and shared through back-references.
#include <string>
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
  // The collections hold pointers they do not own, possibly shared.
  for (CObject* o : afx_detail::ReachableObjects({root})) delete o;
  ar.Abort();
}

}  // namespace fuzz
