// The clipboard option bits of the grid (`CGXGridCore::m_nClipboardFlags`)
// and the bands of the blocks that are copied and cleared.
#pragma once

#include "grid/core/GXRange.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"

class CGXGridCore;

// Clipboard option bits.
constexpr DWORD GX_CB_HEADERROWS = 0x01, GX_CB_HEADERCOLS = 0x02, GX_CB_TEXT = 0x08, GX_CB_STYLES = 0x10,
                GX_CB_COMPOSED = 0x20, GX_CB_ASKSIZE = 0x100, GX_CB_NOADDROWS = 0x200, GX_CB_NOADDCOLS = 0x400,
                GX_CB_STYLETYPE = 0x800, GX_CB_ESCAPES = 0x1000;


// The row and column bands of a range list: whole rows, columns and the
// table become cells from the first row (column) the options allow to the
// last; the block copied is the product of the bands.
struct GXBands {
  CDWordArray rowStarts, rowEnds, colStarts, colEnds;
  ROWCOL Rows() const;
  ROWCOL Cols() const;
};
BOOL GXSplitBands(CGXGridCore* grid, const CGXRangeList& ranges, GXBands& bands);
// The first row (column) a copy or paste may touch.
ROWCOL GXFirstClipboardRow(CGXGridCore* grid);
ROWCOL GXFirstClipboardCol(CGXGridCore* grid);
