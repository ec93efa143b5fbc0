// Helpers shared by the grid tests: archive round trips through memory.
#pragma once

#include <functional>
#include <vector>

#include "platform/Afx.h"
#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"

namespace gridtest {

// Runs `store` on a storing archive and returns the bytes written.
inline std::vector<BYTE> Store(const std::function<void(CArchive&)>& store) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
  }
  const BYTE* data = file.GetData();
  return std::vector<BYTE>(data, data + file.GetLength());
}

// Runs `load` on a loading archive over the given bytes.
inline void Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& load) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  load(ar);
  ar.Close();
}

}  // namespace gridtest
