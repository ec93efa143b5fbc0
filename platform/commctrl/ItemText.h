// Reading a control item's text into a CString for the wrappers: `read`
// copies the text into a buffer of the given size (terminated, cut to fit)
// and returns the length copied; the buffer grows until the text fits.
#pragma once

#include "platform/base/CString.h"

template <class Read>
CString ReadItemText(Read read) {
  CString s;
  for (int size = 256;; size *= 2) {
    LPSTR buffer = s.GetBuffer(size);
    buffer[0] = 0;
    int n = read(buffer, size);
    s.ReleaseBuffer(n);
    if (n < size - 1) return s;
  }
}
