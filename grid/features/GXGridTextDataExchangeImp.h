// Cells as tab-separated text and back: a copy writes what each cell's
// control shows, a paste hands each field to the target cell's control.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridTextDataExchangeImp : public CGXAbstractGridTextDataExchangeImp {
 public:
  BOOL CopyTextToBuffer(CGXGridCore* grid, CString& buffer, const CGXRangeList& ranges) override;
  CString GetCopyTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col) override;
  BOOL PasteTextFromBuffer(CGXGridCore* grid, LPCTSTR buffer, const CGXRange& at) override;
  BOOL PasteTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CString& text) override;
  BOOL CalcTextBufferDimension(CGXGridCore* grid, LPCTSTR buffer, ROWCOL& rows, ROWCOL& cols) override;
  // The paste of at most `size` bytes (or up to a NUL).
  virtual BOOL PasteText(CGXGridCore* grid, LPCTSTR text, std::size_t size, const CGXRange& at);
};
