#include <cstring>

#include "platform/base/CFile.h"
#include "platform/base/Kernel.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT allocFlags, UINT growBytes) : CMemFile(growBytes), allocFlags_(allocFlags) {}

CSharedFile::~CSharedFile() = default;

void CSharedFile::SetHandle(HGLOBAL mem, BOOL) {
  SetLength(0);
  if (const void* bytes = GlobalLock(mem)) {
    Write(bytes, static_cast<UINT>(GlobalSize(mem)));
    GlobalUnlock(mem);
  }
  SeekToBegin();
}

HGLOBAL CSharedFile::Detach() {
  DWORD length = GetLength();
  HGLOBAL mem = GlobalAlloc(allocFlags_, length);
  if (mem && length) {
    std::memcpy(GlobalLock(mem), GetData(), length);
    GlobalUnlock(mem);
  }
  SetLength(0);
  SeekToBegin();
  return mem;
}
