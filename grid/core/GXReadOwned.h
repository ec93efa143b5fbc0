// Reading an archived object that the reader keeps as its own.
#pragma once

#include "platform/base/CArchive.h"
#include "platform/base/Exceptions.h"

// The object read (null when none was stored), for the caller to own. A
// reference back to an object read earlier would give that object a second
// owner, and the first to let go would leave the other a freed object, so it
// is refused as a bad index. Our own archives never share such objects.
inline CObject* GXReadOwnedObject(CArchive& ar, const CRuntimeClass* requested) {
  const std::size_t mark = ar.LoadMark();
  CObject* object = ar.ReadObject(requested);
  if (object != nullptr && ar.LoadMark() == mark) AfxThrowArchiveException(CArchiveException::badIndex);
  return object;
}
