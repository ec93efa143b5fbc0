// An object's archive as bytes, both ways, for the targets that read
// archives and check that what the program writes reads back.
#pragma once

#include <vector>

#include "platform/Afx.h"

namespace fuzz {

template <class T>
std::vector<BYTE> WriteSerialized(T& object) {
  CMemFile out;
  CArchive ar(&out, CArchive::store);
  object.Serialize(ar);
  ar.Close();
  return std::vector<BYTE>(out.GetData(), out.GetData() + out.GetLength());
}

// Reads an object from bytes; false when the archive refused them.
template <class T>
bool ReadSerialized(T& object, std::vector<BYTE> bytes) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    object.Serialize(ar);
  } catch (CException* e) {
    e->Delete();
    ar.Abort();
    return false;
  }
  ar.Abort();
  return true;
}

}  // namespace fuzz
