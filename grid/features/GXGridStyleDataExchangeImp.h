// Cells with their whole styles between grids of the program: a block of
// styles written into an archive (the grid's private clipboard format) and
// read back into a target range.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridStyleDataExchangeImp : public CGXAbstractGridStyleDataExchangeImp {
 public:
  // FALSE when aborted or too big; the archive then holds only the counts.
  BOOL CopyStylesToArchive(CGXGridCore* grid, CArchive& ar, const CGXRangeList& ranges) override;
  BOOL GetCopyStyleRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXStyle& style) override;
  // FALSE (rolled back) when the archive is damaged or the target lies
  // outside the grid.
  BOOL PasteStylesFromArchive(CGXGridCore* grid, CArchive& ar, const CGXRange& at) override;
};
